#include "instruments/plot/iPlotToolBar.h"

#include "instruments/base/iProperties.h"

namespace {
const TiRegisterProperties<TiPlotToolBar, TiPlotLayoutObject> kProperties(
    [](TiPropertyBuilder<TiPlotToolBar>&) {});
}  // namespace

// Out of line: the class's table above is linked with it.
TiPlotToolBar::~TiPlotToolBar() = default;
