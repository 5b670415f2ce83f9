#include "instruments/plot/iPlotDataView.h"

#include "instruments/base/iProperties.h"

namespace {
const TiRegisterProperties<TiPlotDataView, TiPlotLayoutObject> kProperties(
    [](TiPropertyBuilder<TiPlotDataView>& b) {
      b.Add("GridXAxisName", &TiPlotDataView::GetGridXAxisName, &TiPlotDataView::SetGridXAxisName);
      b.Add("GridYAxisName", &TiPlotDataView::GetGridYAxisName, &TiPlotDataView::SetGridYAxisName);
    });
}  // namespace

// Out of line: the class's table above is linked with it.
TiPlotDataView::~TiPlotDataView() = default;
