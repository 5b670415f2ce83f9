#include "instruments/plot/iPlotAxis.h"

#include "instruments/base/iProperties.h"

namespace {
const TiRegisterProperties<TiPlotAxis, TiPlotLayoutObject> kAxis([](TiPropertyBuilder<TiPlotAxis>& b) {
  b.Add("Title", &TiPlotAxis::GetTitle, &TiPlotAxis::SetTitle);
});
const TiRegisterProperties<TiPlotXAxis, TiPlotAxis> kXAxis([](TiPropertyBuilder<TiPlotXAxis>&) {});
const TiRegisterProperties<TiPlotYAxis, TiPlotAxis> kYAxis([](TiPropertyBuilder<TiPlotYAxis>&) {});
}  // namespace

// Out of line: the class's table above is linked with it.
TiPlotAxis::~TiPlotAxis() = default;
TiPlotXAxis::~TiPlotXAxis() = default;
TiPlotYAxis::~TiPlotYAxis() = default;
