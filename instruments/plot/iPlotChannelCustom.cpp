#include "instruments/plot/iPlotChannelCustom.h"

#include "instruments/base/iProperties.h"

namespace {
const TiRegisterProperties<TiPlotChannelCustom, TiPlotManagerObject> kProperties(
    [](TiPropertyBuilder<TiPlotChannelCustom>& b) {
      b.Add("TitleText", &TiPlotChannelCustom::GetTitleText, &TiPlotChannelCustom::SetTitleText);
      b.Add("Color", &TiPlotChannelCustom::GetColor, &TiPlotChannelCustom::SetColor, clRed);
      b.Add("XAxisName", &TiPlotChannelCustom::GetXAxisName, &TiPlotChannelCustom::SetXAxisName);
      b.Add("YAxisName", &TiPlotChannelCustom::GetYAxisName, &TiPlotChannelCustom::SetYAxisName);
    });
}  // namespace

// Out of line: the class's table above is linked with it.
TiPlotChannelCustom::~TiPlotChannelCustom() = default;
