#include "instruments/plot/iPlotDataCursor.h"

#include "instruments/base/iProperties.h"

namespace {
const TiRegisterProperties<TiPlotDataCursor, TiPlotManagerObject> kProperties(
    [](TiPropertyBuilder<TiPlotDataCursor>& b) {
      b.Add("ChannelName", &TiPlotDataCursor::GetChannelName, &TiPlotDataCursor::SetChannelName);
      b.Add("DataViewName", &TiPlotDataCursor::GetDataViewName, &TiPlotDataCursor::SetDataViewName);
    });
}  // namespace

// Out of line: the class's table above is linked with it.
TiPlotDataCursor::~TiPlotDataCursor() = default;
