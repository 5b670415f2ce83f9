#include "instruments/plot/iPlotDataHost.h"

#include "instruments/plot/iPlotMasterManager.h"

TiPlotMasterManager* iPlotMaster(IiPlotDataHost* Host) {
  return Host ? Host->GetMasterManager() : nullptr;
}

namespace {
template <class M>
auto* ItemByName(M* Manager, const std::string& Name) {
  using K = std::remove_pointer_t<decltype(Manager->GetItem(0))>;
  return Manager ? static_cast<K*>(Manager->GetObjectByName(Name)) : nullptr;
}

template <class M>
auto* ItemAt(M* Manager, int Index) {
  using K = std::remove_pointer_t<decltype(Manager->GetItem(0))>;
  return Manager && Index >= 0 && Index < Manager->Count() ? Manager->GetItem(Index)
                                                           : static_cast<K*>(nullptr);
}
}  // namespace

TiPlotXAxis* iPlotXAxisByName(IiPlotDataHost* Host, const std::string& Name) {
  auto* m = iPlotMaster(Host);
  return m ? ItemByName(m->GetXAxisManager(), Name) : nullptr;
}

TiPlotYAxis* iPlotYAxisByName(IiPlotDataHost* Host, const std::string& Name) {
  auto* m = iPlotMaster(Host);
  return m ? ItemByName(m->GetYAxisManager(), Name) : nullptr;
}

int iPlotXAxisCount(IiPlotDataHost* Host) {
  auto* m = iPlotMaster(Host);
  return m && m->GetXAxisManager() ? m->GetXAxisManager()->Count() : 0;
}

TiPlotXAxis* iPlotXAxis(IiPlotDataHost* Host, int Index) {
  auto* m = iPlotMaster(Host);
  return m ? ItemAt(m->GetXAxisManager(), Index) : nullptr;
}

int iPlotYAxisCount(IiPlotDataHost* Host) {
  auto* m = iPlotMaster(Host);
  return m && m->GetYAxisManager() ? m->GetYAxisManager()->Count() : 0;
}

TiPlotYAxis* iPlotYAxis(IiPlotDataHost* Host, int Index) {
  auto* m = iPlotMaster(Host);
  return m ? ItemAt(m->GetYAxisManager(), Index) : nullptr;
}

TiPlotDataView* iPlotFirstDataView(IiPlotDataHost* Host) {
  auto* m = iPlotMaster(Host);
  return m ? ItemAt(m->GetDataViewManager(), 0) : nullptr;
}
