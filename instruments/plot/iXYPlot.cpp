#include "instruments/plot/iXYPlot.h"

#include "instruments/base/iProperties.h"

namespace {
// Publishes what the plot publishes.
const TiRegisterProperties<TiXYPlot, TiPlotComponent> kProperties([](TiPropertyBuilder<TiXYPlot>&) {});
}  // namespace

TiXYPlot::TiXYPlot(TComponent* AOwner) : TiPlotComponent(AOwner) {
  TiPlotMasterManager* master = GetMaster();
  master->SetChannelClass(iChannelClass<TiXYPlotChannel>());
  DisableLayoutManager();
  try {
    GetToolBar(master->AddToolBar())->SetZOrder(3);
    GetLegend(master->AddLegend())->SetZOrder(2);
    master->AddXAxis();
    master->AddYAxis();
    master->AddChannel();
    master->AddDataView();
    master->AddDataCursor();
    TiPlotLabel* title = GetLabel(master->AddLabel());
    title->SetZOrder(2);
    title->SetName("Title");
    title->SetCaption("Untitled");
    title->SetMarginBottom(0);
  } catch (...) {
    EnableLayoutManager();
    throw;
  }
  EnableLayoutManager();
}

TiXYPlotChannel* TiXYPlot::GetChannel(int Index) const {
  auto* channel = dynamic_cast<TiXYPlotChannel*>(TiPlotComponent::GetChannel(Index));
  if (!channel) throw EInvalidCast("Invalid class typecast");
  return channel;
}
