// The "Data View", "Limits", "Labels" and "Tables" pages. The data-view list
// is never shown; its name edit sits beside it. Rows are added as
// iPlotEditorTable.h describes.

#include "instruments/editors/iPlotEditorForm.h"
#include "instruments/plot/iPlotComponent.h"
#include "instruments/plot/iPlotDataView.h"
#include "instruments/plot/iPlotLabel.h"
#include "instruments/plot/iPlotLimit.h"
#include "instruments/plot/iPlotTable.h"

void iPlotEditorDataViewPage(TiPlotEditorPage& Page) {
  using D = TiPlotDataView;
  TiPlotEditorTable& t = Page.Table;
  Page.FollowUp = iefuUpdateAll;

  t.On("DataViewHiddenTabSheet");
  t.Text<D>("DataViewNameEdit", "Name", &D::GetName, &D::SetName);
  // The grid's axis name boxes.
  t.On("DataViewGeneralTabSheet", "Grid");
  t.Name<D>("DataViewGridXAxisNameComboBox", "X-Axis Name", ienfXAxesAll, &D::GetGridXAxisName,
            &D::SetGridXAxisName);
  t.Name<D>("DataViewGridYAxisNameComboBox", "Y-Axis Name", ienfYAxesAll, &D::GetGridYAxisName,
            &D::SetGridYAxisName);
}

void iPlotEditorLimitPage(TiPlotEditorPage& Page) {
  using L = TiPlotLimit;
  TiPlotEditorTable& t = Page.Table;
  // Only the limit page is refreshed after a change, and its list redrawn.
  Page.FollowUp = iefuRefreshPage;

  t.On("LimitGeneralTabSheet");
  t.Text<L>("LimitNameEdit", "Name", &L::GetName, &L::SetName);
  // The axis name boxes.
  t.Name<L>("LimitXAxisNameComboBox", "X-Axis Name", ienfXAxes, &L::GetXAxisName, &L::SetXAxisName);
  t.Name<L>("LimitYAxisNameComboBox", "Y-Axis Name", ienfYAxes, &L::GetYAxisName, &L::SetYAxisName);
}

void iPlotEditorLabelPage(TiPlotEditorPage& Page) {
  using L = TiPlotLabel;
  TiPlotEditorTable& t = Page.Table;
  Page.FollowUp = iefuRefreshPage;
  // The first label is the plot's title: the "Control" page shows it too.
  Page.AfterChange = [](TiPlotEditorForm& Form) {
    TiComponentEditorListBox* list = Form.ListOf(iepkLabel);
    if (list->GetItemIndex() != 0 || !Form.PlotComponent) return;
    Form.RefreshRows(iepkControl, Form.PlotComponent,
                     {"TitleVisibleCheckBox", "TitleTextEdit", "TitleMarginEdit", "TitleFontPicker"});
  };

  t.On("LabelGeneralTabSheet");
  t.Text<L>("LabelNameEdit", "Name", &L::GetName, &L::SetName);
}

void iPlotEditorTablePage(TiPlotEditorPage& Page) {
  using T = TiPlotTable;
  TiPlotEditorTable& t = Page.Table;
  // Nothing is refreshed after a change: the page keeps what was typed.
  Page.FollowUp = iefuNothing;

  t.On("TableGeneralTabSheet");
  t.Text<T>("TableNameEdit", "Name", &T::GetName, &T::SetName);
}
