// The "X-Axes" and "Y-Axes" pages, twins with the prefixes "XAxis" and
// "YAxis". Rows are added as iPlotEditorTable.h describes, once for both
// pages through the prefix.

#include "instruments/editors/iPlotEditorForm.h"
#include "instruments/plot/iPlotAxis.h"

namespace {

// P is the page's prefix; X tells the X-axis page.
void AxisPage(TiPlotEditorPage& Page, const std::string& P, bool X) {
  using A = TiPlotAxis;
  TiPlotEditorTable& t = Page.Table;
  Page.FollowUp = iefuUpdateAll;
  // The name boxes are refilled once an axis is selected.
  Page.NameBoxesAfterSelection = true;

  t.On(P + "GeneralTabSheet");
  t.Text<A>(P + "NameEdit", "Name", &A::GetName, &A::SetName);
  // The name boxes: axes of the same direction to align with, of the other
  // direction to stand on.
  t.On(P + "ScaleTabSheet");
  t.Name<A>(P + "AlignRefAxisNameComboBox", "Align Reference Axis", X ? ienfXAxes : ienfYAxes,
            &A::GetAlignRefAxisName, &A::SetAlignRefAxisName);
  t.On(P + "CartesianTabSheet");
  t.Name<A>(P + "CartesianChildRefAxisNameComboBox", "Child Reference Axis", X ? ienfYAxes : ienfXAxes,
            &A::GetCartesianChildRefAxisName, &A::SetCartesianChildRefAxisName);
}

}  // namespace

void iPlotEditorXAxisPage(TiPlotEditorPage& Page) {
  AxisPage(Page, "XAxis", true);
}

void iPlotEditorYAxisPage(TiPlotEditorPage& Page) {
  AxisPage(Page, "YAxis", false);
}
