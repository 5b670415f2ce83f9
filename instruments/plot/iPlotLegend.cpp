#include "instruments/plot/iPlotLegend.h"

#include "instruments/base/iProperties.h"

namespace {
const TiRegisterProperties<TiPlotLegend, TiPlotLayoutObject> kProperties(
    [](TiPropertyBuilder<TiPlotLegend>&) {});
}  // namespace

// Out of line: the class's table above is linked with it.
TiPlotLegend::~TiPlotLegend() = default;
