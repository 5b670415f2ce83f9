#include "instruments/plot/iXYPlot.h"

TiXYPlot::TiXYPlot(TComponent* AOwner) : TiPlotComponent(AOwner) {
  TiPlotMasterManager* master = GetMaster();
  master->SetChannelClass(iChannelClass<TiPlotChannelCustom>());
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

TiPlotChannelCustom* TiXYPlot::GetChannel(int Index) const {
  return TiPlotComponent::GetChannel(Index);
}
