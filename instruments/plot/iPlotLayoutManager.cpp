#include "instruments/plot/iPlotLayoutManager.h"

#include <algorithm>
#include <set>

namespace {

bool Same(const void* A, const void* B) {
  return A == B;
}

// Sorted insert; an equal key goes before those already listed.
void InsertSorted(std::vector<std::pair<std::string, TiPlotLayoutObject*>>& List, std::string Key,
                  TiPlotLayoutObject* Object) {
  auto at = std::lower_bound(List.begin(), List.end(), Key,
                             [](const auto& e, const std::string& k) { return e.first < k; });
  List.insert(at, {std::move(Key), Object});
}

int UniqueZOrders(const TiPlotLayoutManager::TSideList& List) {
  std::set<int> seen;
  for (const TiPlotLayoutObject* o : List) seen.insert(o->GetZOrder());
  return static_cast<int>(seen.size());
}

}  // namespace

TiPlotDataViewLayout::TiPlotDataViewLayout(TWinControl* AOwner, TNotifyEvent AOnChange,
                                           TNotifyEvent AOnInsert, TNotifyEvent AOnRemove,
                                           TNotifyEvent AOnRename, bool AHorizontal)
    : TiPlotLayoutObject(AOwner, std::move(AOnChange), std::move(AOnInsert), std::move(AOnRemove),
                         std::move(AOnRename)) {
  SetHorizontal(AHorizontal);
  SetZOrder(1);
  SetName("Data View");
  SetStartPercent(0);
  SetStopPercent(100);
}

TiPlotLayoutManager::TiPlotLayoutManager(TWinControl* AOwner, TNotifyEvent AOnChange, TNotifyEvent AOnInsert,
                                         TNotifyEvent AOnRemove, TNotifyEvent AOnRename)
    : TiPlotObjectManagerCustom(AOwner, AOnChange, AOnInsert, AOnRemove, AOnRename) {
  // The place holders are announced like any object, while the manager is
  // disabled and not yet known to the master: it lists them itself.
  FDataViewHorz = new TiPlotDataViewHorz(AOwner, AOnChange, AOnInsert, AOnRemove, AOnRename);
  FDataViewHorz->DoInsert();
  NotificationInsert(FDataViewHorz);
  FDataViewVert = new TiPlotDataViewVert(AOwner, AOnChange, AOnInsert, AOnRemove, AOnRename);
  FDataViewVert->DoInsert();
  NotificationInsert(FDataViewVert);
  FEnabled = true;
}

TiPlotLayoutManager::~TiPlotLayoutManager() {
  for (TiPlotLayoutObject* holder :
       {static_cast<TiPlotLayoutObject*>(FDataViewHorz), static_cast<TiPlotLayoutObject*>(FDataViewVert)}) {
    holder->OnRemove = nullptr;
    holder->OnChange = nullptr;
    holder->OnLayoutChange = nullptr;
    delete holder;
  }
}

TiPlotObject* TiPlotLayoutManager::CreateObject() {
  throw Exception("Layout Manager does not support creation of objects");
}

bool TiPlotLayoutManager::IsPlaceHolder(const void* AObject) const {
  return Same(AObject, FDataViewHorz) || Same(AObject, FDataViewVert);
}

bool TiPlotLayoutManager::IsDataView(const TItem& Item) const {
  return dynamic_cast<TiPlotDataView*>(Item.Object) != nullptr;
}

void TiPlotLayoutManager::Refresh(TItem& Item) const {
  Item.ZOrder = Item.Object->GetZOrder();
  Item.Horizontal = Item.Object->GetHorizontal();
}

void TiPlotLayoutManager::NotificationInsert(TObject* Sender) {
  auto* object = dynamic_cast<TiPlotLayoutObject*>(Sender);
  if (!object) return;
  if (GetIndex(object) >= 0) return;
  InsertObject(object);
  FItems.push_back({object, object->GetZOrder(), object->GetHorizontal()});
  if (dynamic_cast<TiPlotAxis*>(object) || dynamic_cast<TiPlotToolBar*>(object) ||
      dynamic_cast<TiPlotLegend*>(object) || dynamic_cast<TiPlotDataView*>(object) ||
      dynamic_cast<TiPlotLabel*>(object))
    object->OnLayoutChange = [this](TObject*) {
      if (FEnabled) RebuildLists();
    };
  if (dynamic_cast<TiPlotXAxis*>(object)) object->SetHorizontal(!FXYAxesReverse);
  if (dynamic_cast<TiPlotYAxis*>(object)) object->SetHorizontal(FXYAxesReverse);
  if (FEnabled) InsertZOrder(object, 0, iidMerge);
}

void TiPlotLayoutManager::ObjectRemoved(TiPlotObject* AObject) {
  // The object is being destroyed: only its address and the values kept
  // for it may be used.
  const void* id = AObject;
  auto it = std::find_if(FItems.begin(), FItems.end(), [&](const TItem& i) { return Same(i.Object, id); });
  if (it == FItems.end()) return;
  const TItem item = *it;
  FItems.erase(it);
  for (TSideList* list : {&FTopList, &FBottomList, &FLeftList, &FRightList})
    std::erase_if(*list, [&](TiPlotLayoutObject* o) { return Same(o, id); });
  if (FEnabled) RemoveZOrder(id, item.ZOrder, item.Horizontal);
}

void TiPlotLayoutManager::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  if (Value) RebuildLists();
}

void TiPlotLayoutManager::SetXYAxesReverse(bool Value) {
  if (FXYAxesReverse == Value) return;
  FXYAxesReverse = Value;
  if (FEnabled) ReapplyAxesOrientation();
}

int TiPlotLayoutManager::VisibleCount(const TSideList& AList) {
  return static_cast<int>(std::count_if(AList.begin(), AList.end(), [](auto* o) { return o->GetVisible(); }));
}

std::string TiPlotLayoutManager::ZOrderKey(const TiPlotLayoutObject* AObject) {
  return AObject->GetZOrderSortKey() + AObject->GetStartPercentSortKey();
}

void TiPlotLayoutManager::InsertZOrder(TiPlotLayoutObject* NewObject, int DesiredZOrder,
                                       TiInsertDirection InsertDirection) {
  for (TItem& i : FItems) Refresh(i);
  auto sameSide = [&](const TItem& i) {
    return i.Object != NewObject && !IsDataView(i) && i.Horizontal == NewObject->GetHorizontal();
  };
  if (InsertDirection == iidMerge) {
    const double start = NewObject->GetStartPercent();
    const double stop = NewObject->GetStopPercent();
    const bool clash = std::any_of(FItems.begin(), FItems.end(), [&](const TItem& i) {
      if (!sameSide(i) || i.ZOrder != DesiredZOrder) return false;
      const double s = i.Object->GetStartPercent();
      const double e = i.Object->GetStopPercent();
      return (s < stop && e > start) || (s == start && e == stop);
    });
    if (!clash) {
      NewObject->SetZOrder(DesiredZOrder);
      RebuildLists();
      return;
    }
  }
  for (TItem& i : FItems) {
    if (!sameSide(i)) continue;
    const bool moves = InsertDirection == iidAbove ? i.ZOrder > DesiredZOrder : i.ZOrder >= DesiredZOrder;
    if (moves) i.Object->SetZOrder(i.ZOrder + 1);
  }
  NewObject->SetZOrder(InsertDirection == iidAbove ? DesiredZOrder + 1 : DesiredZOrder);
  RebuildLists();
}

void TiPlotLayoutManager::RemoveZOrder(TiPlotLayoutObject* AObject) {
  RemoveZOrder(AObject, AObject->GetZOrder(), AObject->GetHorizontal());
}

void TiPlotLayoutManager::RemoveZOrder(const void* AObject, int ZOrder, bool Horizontal) {
  for (TItem& i : FItems) Refresh(i);
  const bool shared = std::any_of(FItems.begin(), FItems.end(), [&](const TItem& i) {
    return !Same(i.Object, AObject) && !IsDataView(i) && i.Horizontal == Horizontal && i.ZOrder == ZOrder;
  });
  if (!shared)
    for (TItem& i : FItems)
      if (!Same(i.Object, AObject) && i.Horizontal == Horizontal && i.ZOrder > ZOrder)
        i.Object->SetZOrder(i.ZOrder - 1);
  RebuildLists();
}

void TiPlotLayoutManager::RebuildLists() {
  std::vector<std::pair<std::string, TiPlotLayoutObject*>> top, bottom, left, right;
  for (TItem& i : FItems) {
    Refresh(i);
    if (IsDataView(i) || IsPlaceHolder(i.Object)) continue;
    TiPlotLayoutObject* o = i.Object;
    if (i.Horizontal) {
      o->SetReverseSide(FDataViewHorz->GetZOrder() < i.ZOrder);
      InsertSorted(o->GetReverseSide() ? top : bottom, ZOrderKey(o), o);
    } else {
      o->SetReverseSide(FDataViewVert->GetZOrder() < i.ZOrder);
      InsertSorted(o->GetReverseSide() ? right : left, ZOrderKey(o), o);
    }
  }
  auto fill = [](TSideList& list, const auto& sorted) {
    list.clear();
    for (const auto& e : sorted) list.push_back(e.second);
  };
  fill(FTopList, top);
  fill(FBottomList, bottom);
  fill(FLeftList, left);
  fill(FRightList, right);
  FTopUniqueCount = UniqueZOrders(FTopList);
  FBottomUniqueCount = UniqueZOrders(FBottomList);
  FLeftUniqueCount = UniqueZOrders(FLeftList);
  FRightUniqueCount = UniqueZOrders(FRightList);
}

void TiPlotLayoutManager::ReapplyAxesOrientation() {
  // Keyed by the plain decimal z-order (so "10" sorts before "2").
  std::vector<std::pair<std::string, TiPlotLayoutObject*>> axes;
  for (const TItem& i : FItems)
    if (dynamic_cast<TiPlotAxis*>(i.Object)) {
      auto at = std::lower_bound(axes.begin(), axes.end(), std::to_string(i.Object->GetZOrder()),
                                 [](const auto& e, const std::string& k) { return e.first < k; });
      axes.insert(at, {std::to_string(i.Object->GetZOrder()), i.Object});
    }
  for (const auto& [key, axis] : axes) {
    RemoveZOrder(axis);
    axis->SetHorizontal(dynamic_cast<TiPlotXAxis*>(axis) ? !FXYAxesReverse : FXYAxesReverse);
    InsertZOrder(axis, 0, iidMerge);
  }
}
