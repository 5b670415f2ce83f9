#include "instruments/plot/iPlotTable.h"

#include "instruments/base/iProperties.h"

namespace {
const TiRegisterProperties<TiPlotTable, TiPlotLayoutObject> kProperties([](TiPropertyBuilder<TiPlotTable>&) {
});
}  // namespace

// Out of line: the class's table above is linked with it.
TiPlotTable::~TiPlotTable() = default;
