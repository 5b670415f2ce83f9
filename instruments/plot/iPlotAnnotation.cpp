#include "instruments/plot/iPlotAnnotation.h"

#include "instruments/base/iProperties.h"

namespace {
const TiRegisterProperties<TiPlotAnnotation, TiPlotObject> kProperties(
    [](TiPropertyBuilder<TiPlotAnnotation>&) {});
}  // namespace

// Out of line: the class's table above is linked with it.
TiPlotAnnotation::~TiPlotAnnotation() = default;
