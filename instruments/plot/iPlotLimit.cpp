#include "instruments/plot/iPlotLimit.h"

#include "instruments/base/iProperties.h"

namespace {
const TiRegisterProperties<TiPlotLimit, TiPlotObject> kProperties([](TiPropertyBuilder<TiPlotLimit>& b) {
  b.Add("XAxisName", &TiPlotLimit::GetXAxisName, &TiPlotLimit::SetXAxisName);
  b.Add("YAxisName", &TiPlotLimit::GetYAxisName, &TiPlotLimit::SetYAxisName);
});
}  // namespace

// Out of line: the class's table above is linked with it.
TiPlotLimit::~TiPlotLimit() = default;
