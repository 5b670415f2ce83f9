// The "Channels" page: the channel selected in ChannelListBox. Rows are
// added as iPlotEditorTable.h describes.

#include "instruments/editors/iPlotEditorForm.h"
#include "instruments/plot/iPlotChannelCustom.h"

void iPlotEditorChannelsPage(TiPlotEditorPage& Page) {
  using C = TiPlotChannelCustom;
  TiPlotEditorTable& t = Page.Table;
  Page.FollowUp = iefuUpdateAll;

  t.On("ChannelGeneralTabSheet");
  t.Text<C>("ChannelNameEdit", "Name", &C::GetName, &C::SetName);
  // The axis name boxes.
  t.Name<C>("ChannelXAxisNameComboBox", "X-Axis", ienfXAxes, &C::GetXAxisName, &C::SetXAxisName);
  t.Name<C>("ChannelYAxisNameComboBox", "Y-Axis", ienfYAxes, &C::GetYAxisName, &C::SetYAxisName);

  iPlotEditorChannelFileRows(Page);
}
