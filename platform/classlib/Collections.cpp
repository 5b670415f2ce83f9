#include "platform/classlib/Collections.h"

#include <algorithm>

namespace {

[[noreturn]] void ListIndexError(int Index) {
  throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
}

}  // namespace

// ---------------------------------------------------------- TCollectionItem

TCollectionItem::TCollectionItem(TCollection* Collection) {
  if (Collection) Collection->InsertItem(this);
}

TCollectionItem::~TCollectionItem() {
  if (FCollection) FCollection->RemoveItem(this);
}

void TCollectionItem::AfterConstruction() {
  TPersistent::AfterConstruction();
  if (FCollection && !FAnnounced) FCollection->AnnounceItem(this);
}

void TCollectionItem::SetCollection(TCollection* Value) {
  if (Value == FCollection) return;
  if (FCollection) FCollection->RemoveItem(this);
  if (Value) {
    Value->InsertItem(this);
    Value->AnnounceItem(this);
  }
}

int TCollectionItem::GetIndex() const {
  if (!FCollection) return -1;
  const auto& items = FCollection->FItems;
  auto it = std::find(items.begin(), items.end(), this);
  return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

void TCollectionItem::SetIndex(int Value) {
  const int cur = GetIndex();
  if (cur < 0 || cur == Value) return;
  FCollection->CheckIndex(Value);
  auto& items = FCollection->FItems;
  items.erase(items.begin() + cur);
  items.insert(items.begin() + Value, this);
  Changed(true);
}

std::string TCollectionItem::GetDisplayName() const {
  return ClassName();
}

void TCollectionItem::Changed(bool AllItems) {
  if (FCollection && FCollection->FUpdateCount == 0) FCollection->Update(AllItems ? nullptr : this);
}

// -------------------------------------------------------------- TCollection

TCollection::TCollection(TCollectionItemClass ItemClass) : FItemClass(std::move(ItemClass)) {}

TCollection::~TCollection() {
  // No Update while going away: the derived collection is gone already.
  FUpdateCount = 1;
  while (!FItems.empty()) FItems.back()->Free();
}

void TCollection::CheckIndex(int Index) const {
  if (Index < 0 || Index >= GetCount()) ListIndexError(Index);
}

TCollectionItem* TCollection::GetItems(int Index) const {
  CheckIndex(Index);
  return FItems[static_cast<std::size_t>(Index)];
}

void TCollection::SetItems(int Index, TCollectionItem* Value) {
  GetItems(Index)->Assign(Value);
}

void TCollection::InsertItem(TCollectionItem* Item) {
  FItems.push_back(Item);
  Item->FCollection = this;
  Item->FID = FNextID++;
  Item->FAnnounced = false;
}

void TCollection::AnnounceItem(TCollectionItem* Item) {
  Item->FAnnounced = true;
  Notify(Item, cnAdded);
  Changed();
}

void TCollection::RemoveItem(TCollectionItem* Item) {
  Notify(Item, cnExtracting);
  FItems.erase(std::remove(FItems.begin(), FItems.end(), Item), FItems.end());
  Item->FCollection = nullptr;
  Changed();
}

TCollectionItem* TCollection::Add() {
  if (!FItemClass) throw EInvalidOperation("The collection has no item class");
  TCollectionItem* item = FItemClass(this);
  // The item class may have made it elsewhere; it belongs here.
  if (item->FCollection != this) {
    if (item->FCollection) item->FCollection->RemoveItem(item);
    InsertItem(item);
  }
  item->AfterConstruction();
  return item;
}

TCollectionItem* TCollection::Insert(int Index) {
  if (Index < 0 || Index > GetCount()) ListIndexError(Index);
  TCollectionItem* item = Add();
  item->SetIndex(Index);
  return item;
}

void TCollection::Delete(int Index) {
  TCollectionItem* item = GetItems(Index);
  Notify(item, cnDeleting);
  item->Free();
}

void TCollection::Clear() {
  if (FItems.empty()) return;
  BeginUpdate();
  try {
    while (!FItems.empty()) FItems.back()->Free();
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

TCollectionItem* TCollection::FindItemID(int ID) const {
  for (TCollectionItem* item : FItems)
    if (item->FID == ID) return item;
  return nullptr;
}

void TCollection::BeginUpdate() {
  ++FUpdateCount;
}

void TCollection::EndUpdate() {
  if (FUpdateCount == 0) return;
  --FUpdateCount;
  Changed();
}

void TCollection::Changed() {
  if (FUpdateCount == 0) Update(nullptr);
}

void TCollection::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TCollection*>(Source);
  if (!src) {
    TPersistent::Assign(Source);
    return;
  }
  if (src == this) return;
  BeginUpdate();
  try {
    Clear();
    for (TCollectionItem* item : src->FItems) Add()->Assign(item);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}
