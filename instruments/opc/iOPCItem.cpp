#include "instruments/opc/iOPCItem.h"

#include <algorithm>

#include "instruments/base/iComponent.h"
#include "instruments/base/iPropertyText.h"
#include "platform/classlib/Collections.h"
#include "platform/sys/ScopeExit.h"

namespace {
const TiRegisterProperties<TiOPCItem, TObject> kProperties([](TiPropertyBuilder<TiOPCItem>& b) {
  using I = TiOPCItem;
  b.Add("PropertyName", &I::GetPropertyName, &I::SetPropertyName);
  b.Add("GroupName", &I::GetGroupName, &I::SetGroupName);
  b.Add("ComputerName", &I::GetComputerName, &I::SetComputerName);
  b.Add("ServerName", &I::GetServerName, &I::SetServerName);
  b.Add("ItemName", &I::GetItemName, &I::SetItemName);
  b.Add("Scalar", &I::GetScalar, &I::SetScalar);
  b.Add("Offset", &I::GetOffset, &I::SetOffset);
  b.Add("UpdateRate", &I::GetUpdateRate, &I::SetUpdateRate);
  b.Add("AutoConnect", &I::GetAutoConnect, &I::SetAutoConnect);
  b.Add("AutoError", &I::GetAutoError, &I::SetAutoError);
});

bool IsStringKind(TTypeKind Kind) {
  return Kind == tkLString || Kind == tkWString || Kind == tkUString || Kind == tkString;
}
}  // namespace

TiOPCItem::TiOPCItem(TiOPCItemManager* AOwner)
    : FOwner(AOwner), FSink([this](TiOPCCallbackKind Kind, std::int32_t) {
        if (Kind != iockNewData) return;
        // The library called us: nothing may escape back into it.
        try {
          NewData();
        } catch (const std::exception&) {}
      }) {}

TiOPCItem::~TiOPCItem() {
  try {
    Deactivate();
  } catch (const std::exception&) {}
}

bool TiOPCItem::Designing() const {
  return FOwner && FOwner->GetIsDesigning();
}

void TiOPCItem::DoActivate(bool Suspended) {
  if (OPCLibraryMissing() || !FOwner || Designing()) return;
  if (FAutoError) UpdateErrorState();
  if (FSignalHandle != 0) Deactivate();
  if (iTrim(FPropertyName).empty() || (iTrim(FGroupName).empty() && iTrim(FServerName).empty()) ||
      iTrim(FItemName).empty())
    return;
  if (GetActive()) Deactivate();
  const std::uint16_t requested = IsStringKind(FPropertyType) ? iOPCVarString : iOPCVarEmpty;
  FSignalHandle = OPCSignalAdd(FComputerName, FServerName, FItemName, FGroupName, FUpdateRate, Suspended,
                               requested, FSink.ItemCallback());
}

void TiOPCItem::Deactivate() {
  if (OPCLibraryMissing() || !FOwner || Designing()) return;
  // Nothing registered, nothing to end.
  if (FSignalHandle == 0) return;
  const int handle = FSignalHandle;
  FSignalHandle = 0;
  OPCSignalRemove(handle);
}

void TiOPCItem::Loaded() {
  try {
    if (FAutoError) UpdateErrorState();
    if (FAutoConnect && !Designing()) Activate();
  } catch (const std::exception&) {}
}

void TiOPCItem::Reactivate() {
  if (OPCLibraryLoaded() && GetActive()) Activate();
}

void TiOPCItem::SetPropertyName(const std::string& Value) {
  FPropertyName = Value;
  if (FOwner && FOwner->OnGetType) FOwner->OnGetType(FPropertyName, FPropertyType);
}

void TiOPCItem::SetGroupName(const std::string& Value) {
  FGroupName = Value;
  if (GetActive()) Activate();
}

void TiOPCItem::SetComputerName(const std::string& Value) {
  FComputerName = Value;
  Reactivate();
}

void TiOPCItem::SetServerName(const std::string& Value) {
  FServerName = Value;
  Reactivate();
}

void TiOPCItem::SetItemName(const std::string& Value) {
  FItemName = Value;
  Reactivate();
}

void TiOPCItem::SetUpdateRate(int Value) {
  FUpdateRate = Value;
  Reactivate();
}

void TiOPCItem::SetAutoConnect(bool Value) {
  FAutoConnect = Value;
  if (!FAutoConnect || OPCLibraryMissing() || !FOwner || FOwner->GetReading()) return;
  auto* component = dynamic_cast<TiComponent*>(FOwner->GetOwner());
  if (component && !component->IsLoading()) Activate();
}

void TiOPCItem::SetAutoError(bool Value) {
  if (Value == FAutoError) return;
  FAutoError = Value;
  if (FAutoError) UpdateErrorState();
}

bool TiOPCItem::GetUpdateSuspended() const {
  if (OPCLibraryMissing() || FSignalHandle == 0) return false;
  return OPCSignalGetUpdateSuspended(FSignalHandle);
}

bool TiOPCItem::GetActive() const {
  if (!FOwner || Designing() || OPCLibraryMissing()) return false;
  return OPCSignalGetActive(FSignalHandle);
}

void TiOPCItem::SetData(const TiOPCVariant& Value) {
  if (OPCLibraryLoaded()) OPCSignalSendData(FSignalHandle, Value);
}

TiOPCVariant TiOPCItem::GetDataNow(std::uint16_t& Quality) {
  Quality = FQuality;
  if (OPCLibraryMissing()) return FData;
  OPCSignalGetDataNow(FSignalHandle);
  FData = OPCSignalGetData(FSignalHandle);
  FTimeStamp = OPCSignalGetTimeStamp(FSignalHandle);
  FQuality = OPCSignalGetQuality(FSignalHandle);
  Quality = FQuality;
  return FData;
}

void TiOPCItem::UpdateResume() {
  if (OPCLibraryLoaded()) OPCSignalResume(FSignalHandle);
}

void TiOPCItem::UpdateSuspend() {
  if (OPCLibraryLoaded()) OPCSignalSuspend(FSignalHandle);
}

void TiOPCItem::NewData() {
  FData = OPCSignalGetData(FSignalHandle);
  FTimeStamp = OPCSignalGetTimeStamp(FSignalHandle);
  FQuality = OPCSignalGetQuality(FSignalHandle);
  if (GetQualityGood()) FData = FData.Scaled(FScalar, FOffset);
  if (FAutoError) UpdateErrorState();
  if (FOwner && FOwner->OnNewData) FOwner->OnNewData(this);
}

void TiOPCItem::UpdateErrorState() {
  if (!FOwner) return;
  auto* component = dynamic_cast<TiComponent*>(FOwner->GetOwner());
  if (component && GetActive()) component->SetErrorActive(!GetQualityGood());
}

// ---------------------------------------------------------------- manager

TiOPCItemManager::TiOPCItemManager(TObject* AOwner) : FOwner(AOwner) {}

TiOPCItemManager::~TiOPCItemManager() {
  Clear();
}

int TiOPCItemManager::Add() {
  FList.push_back(new TiOPCItem(this));
  return Count() - 1;
}

TiOPCItem* TiOPCItemManager::Items(int Index) const {
  if (Index < 0 || Index >= Count())
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  return FList[static_cast<size_t>(Index)];
}

void TiOPCItemManager::Delete(int Index) {
  TiOPCItem* item = Items(Index);
  FList.erase(FList.begin() + Index);
  delete item;
}

void TiOPCItemManager::Clear() {
  while (!FList.empty()) Delete(Count() - 1);
}

int TiOPCItemManager::FindIndex(const TiOPCItem* Item) const {
  auto at = std::find(FList.begin(), FList.end(), Item);
  return at == FList.end() ? -1 : static_cast<int>(at - FList.begin());
}

bool TiOPCItemManager::GetIsDesigning() const {
  bool designing = false;
  if (OnGetDesigning) OnGetDesigning(FOwner, designing);
  return designing;
}

void TiOPCItemManager::WriteToStream(TStrings* Lines) const {
  WriteItemGroups(
      Count(), [this](int i) -> TObject* { return Items(i); }, Lines);
}

void TiOPCItemManager::ReadFromStream(TStrings* Lines) {
  Clear();
  // The items register once, in Loaded, not on each setting read.
  FReading = true;
  const sys::ScopeExit done([this] { FReading = false; });
  ReadItemGroups(
      Lines, [this]() -> TObject* { return Items(Add()); },
      [this](TObject* item) {
        FReading = false;
        static_cast<TiOPCItem*>(item)->Loaded();
        FReading = true;
      });
}
