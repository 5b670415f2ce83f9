#include "instruments/plot/iPlot.h"

#include "instruments/base/iProperties.h"

namespace {
// Publishes what the plot publishes.
const TiRegisterProperties<TiPlot, TiPlotComponent> kProperties([](TiPropertyBuilder<TiPlot>&) {});
}  // namespace

TiPlot::TiPlot(TComponent* AOwner) : TiPlotComponent(AOwner) {
  BeginUpdate();
  try {
    GetMaster()->SetChannelClass(iChannelClass<TiPlotChannel>());
    AddDefaultObjects();
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

TiPlotChannel* TiPlot::GetChannel(int Index) const {
  auto* channel = dynamic_cast<TiPlotChannel*>(TiPlotComponent::GetChannel(Index));
  if (!channel) throw EInvalidCast("Invalid class typecast");
  return channel;
}
