// The "X-Axes" and "Y-Axes" pages, twins with the prefixes "XAxis" and
// "YAxis". Rows are added as iPlotEditorTable.h describes, once for both
// pages through the prefix.

#include "instruments/editors/iPlotEditorForm.h"
#include "instruments/plot/iPlotAxis.h"

namespace {

void AxisPage(TiPlotEditorPage& Page, const std::string& P) {
  using A = TiPlotAxis;
  TiPlotEditorTable& t = Page.Table;
  Page.FollowUp = iefuUpdateAll;
  // The name boxes are refilled once an axis is selected.
  Page.NameBoxesAfterSelection = true;

  t.On(P + "GeneralTabSheet");
  t.Text<A>(P + "NameEdit", "Name", &A::GetName, &A::SetName);
}

}  // namespace

void iPlotEditorXAxisPage(TiPlotEditorPage& Page) {
  AxisPage(Page, "XAxis");
}

void iPlotEditorYAxisPage(TiPlotEditorPage& Page) {
  AxisPage(Page, "YAxis");
}
