#include "instruments/plot/iXYPlot.h"

#include "instruments/base/iProperties.h"

namespace {
// Publishes what the plot publishes.
const TiRegisterProperties<TiXYPlot, TiPlotComponent> kProperties([](TiPropertyBuilder<TiXYPlot>&) {});
}  // namespace

TiXYPlot::TiXYPlot(TComponent* AOwner) : TiPlotComponent(AOwner) {
  TiPlotMasterManager* master = GetMaster();
  master->SetChannelClass(iChannelClass<TiXYPlotChannel>());
  AddDefaultObjects();
}

TiXYPlotChannel* TiXYPlot::GetChannel(int Index) const {
  auto* channel = dynamic_cast<TiXYPlotChannel*>(TiPlotComponent::GetChannel(Index));
  if (!channel) throw EInvalidCast("Invalid class typecast");
  return channel;
}
