#include "instruments/plot/iPlotLabel.h"

#include "instruments/base/iProperties.h"

namespace {
const TiRegisterProperties<TiPlotLabel, TiPlotLayoutObject> kProperties(
    [](TiPropertyBuilder<TiPlotLabel>& b) {
      b.Add("Caption", &TiPlotLabel::GetCaption, &TiPlotLabel::SetCaption);
    });
}  // namespace

// Out of line: the class's table above is linked with it.
TiPlotLabel::~TiPlotLabel() = default;
