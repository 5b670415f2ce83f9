#include "instruments/plot/iPlotLayoutManager.h"

TiPlotObject* TiPlotLayoutManager::CreateObject() {
  throw Exception("Layout Manager does not support creation of objects");
}

void TiPlotLayoutManager::NotificationInsert(TObject* Sender) {
  auto* object = dynamic_cast<TiPlotLayoutObject*>(Sender);
  if (!object) return;
  InsertObject(object);
  const bool moves = dynamic_cast<TiPlotAxis*>(object) || dynamic_cast<TiPlotToolBar*>(object) ||
                     dynamic_cast<TiPlotLegend*>(object) || dynamic_cast<TiPlotDataView*>(object) ||
                     dynamic_cast<TiPlotLabel*>(object);
  if (moves) object->OnLayoutChange = [this](TObject*) { FLayoutChanged = true; };
  FLayoutChanged = true;
}

void TiPlotLayoutManager::SetXYAxesReverse(bool Value) {
  if (FXYAxesReverse == Value) return;
  FXYAxesReverse = Value;
  FLayoutChanged = true;
}
