// The "Legend", "Cursors" and "ToolBar" pages. The legend and tool-bar
// lists are never shown; the name edit sits beside them. Rows are added as
// iPlotEditorTable.h describes.

#include "instruments/editors/iPlotEditorForm.h"
#include "instruments/plot/iPlotDataCursor.h"
#include "instruments/plot/iPlotLegend.h"
#include "instruments/plot/iPlotToolBar.h"

void iPlotEditorLegendPage(TiPlotEditorPage& Page) {
  using L = TiPlotLegend;
  TiPlotEditorTable& t = Page.Table;
  Page.FollowUp = iefuUpdateAll;

  t.On("LegendHiddenTabSheet");
  t.Text<L>("LegendNameEdit", "Name", &L::GetName, &L::SetName);
}

void iPlotEditorDataCursorPage(TiPlotEditorPage& Page) {
  using D = TiPlotDataCursor;
  TiPlotEditorTable& t = Page.Table;
  // Only the cursor page is refreshed after a change, and its list redrawn.
  Page.FollowUp = iefuRefreshPage;

  t.On("DataCursorGeneralTabSheet");
  t.Text<D>("DataCursorNameEdit", "Name", &D::GetName, &D::SetName);
  // The channel name box.
  t.On("DataCursorChannelTabSheet");
  t.Name<D>("DataCursorChannelNameComboBox", "Channel Name", ienfAllChannels, &D::GetChannelName,
            &D::SetChannelName);
}

void iPlotEditorToolBarPage(TiPlotEditorPage& Page) {
  using T = TiPlotToolBar;
  TiPlotEditorTable& t = Page.Table;
  Page.FollowUp = iefuUpdateAll;

  t.On("ToolBarHiddenGroupBox");
  t.Text<T>("ToolBarNameEdit", "Name", &T::GetName, &T::SetName);
}
