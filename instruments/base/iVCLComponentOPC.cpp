// The windowed layer's OPC binding: published properties by dotted name.

#include "instruments/base/iPropertyText.h"
#include "instruments/base/iVCLComponent.h"
#include "platform/sys/ScopeExit.h"

int TiVCLComponent::OPCAddItem() {
  return FOPCItemManager->Add();
}

int TiVCLComponent::OPCItemCount() const {
  return FOPCItemManager->Count();
}

void TiVCLComponent::OPCRemoveAllItems() {
  FOPCItemManager->Clear();
}

void TiVCLComponent::OPCDeleteItem(int Index) {
  FOPCItemManager->Delete(Index);
}

void TiVCLComponent::OPCItemActivate(int Index) {
  FOPCItemManager->Items(Index)->Activate();
}

void TiVCLComponent::OPCItemDeactivate(int Index) {
  FOPCItemManager->Items(Index)->Deactivate();
}

void TiVCLComponent::OPCItemUpdateResume(int Index) {
  FOPCItemManager->Items(Index)->UpdateResume();
}

void TiVCLComponent::OPCItemUpdateSuspend(int Index) {
  FOPCItemManager->Items(Index)->UpdateSuspend();
}

void TiVCLComponent::OPCItemLoaded(int Index) {
  FOPCItemManager->Items(Index)->Loaded();
}

void TiVCLComponent::SetOPCItemData(int Index, const TiOPCVariant& Value) {
  FOPCItemManager->Items(Index)->SetData(Value);
}

TiOPCVariant TiVCLComponent::GetOPCItemData(int Index) const {
  return FOPCItemManager->Items(Index)->GetData();
}

void TiVCLComponent::SetOPCItemComputerName(int Index, const std::string& Value) {
  FOPCItemManager->Items(Index)->SetComputerName(Value);
}

void TiVCLComponent::SetOPCItemServerName(int Index, const std::string& Value) {
  FOPCItemManager->Items(Index)->SetServerName(Value);
}

void TiVCLComponent::SetOPCItemItemName(int Index, const std::string& Value) {
  FOPCItemManager->Items(Index)->SetItemName(Value);
}

void TiVCLComponent::SetOPCItemPropertyName(int Index, const std::string& Value) {
  FOPCItemManager->Items(Index)->SetPropertyName(Value);
}

void TiVCLComponent::SetOPCItemAutoConnect(int Index, bool Value) {
  FOPCItemManager->Items(Index)->SetAutoConnect(Value);
}

void TiVCLComponent::SetOPCItemUpdateRate(int Index, int Value) {
  FOPCItemManager->Items(Index)->SetUpdateRate(Value);
}

std::string TiVCLComponent::GetOPCItemComputerName(int Index) const {
  return FOPCItemManager->Items(Index)->GetComputerName();
}

std::string TiVCLComponent::GetOPCItemServerName(int Index) const {
  return FOPCItemManager->Items(Index)->GetServerName();
}

std::string TiVCLComponent::GetOPCItemItemName(int Index) const {
  return FOPCItemManager->Items(Index)->GetItemName();
}

std::string TiVCLComponent::GetOPCItemPropertyName(int Index) const {
  return FOPCItemManager->Items(Index)->GetPropertyName();
}

bool TiVCLComponent::GetOPCItemAutoConnect(int Index) const {
  return FOPCItemManager->Items(Index)->GetAutoConnect();
}

int TiVCLComponent::GetOPCItemUpdateRate(int Index) const {
  return FOPCItemManager->Items(Index)->GetUpdateRate();
}

std::uint16_t TiVCLComponent::GetOPCItemQuality(int Index) const {
  return FOPCItemManager->Items(Index)->GetQuality();
}

TDateTime TiVCLComponent::GetOPCItemTimeStamp(int Index) const {
  return FOPCItemManager->Items(Index)->GetTimeStamp();
}

void TiVCLComponent::OPCNewData(TiOPCItem* Item) {
  if (Item->GetPropertyName().empty()) return;
  const int index = FOPCItemManager->FindIndex(Item);
  TiOPCVariant data = Item->GetData();
  if (OnBeforeNewOPCData) OnBeforeNewOPCData(this, index, data);
  // Set for the rest of this step: the setter's own report of the change
  // finds it and does not send the value back.
  FOPCIncomingActive = true;
  const sys::ScopeExit done([this] { FOPCIncomingActive = false; });
  if (Item->GetQualityGood() && !OPCSpecialData(Item->GetPropertyName(), data))
    SetPropertyByPath(this, "", data.AsText(), Item->GetPropertyName());
  if (OnNewOPCData) OnNewOPCData(this, index);
}

bool TiVCLComponent::OPCPropertyChanged(const std::string& PropertyName, const TiOPCVariant& Value) {
  if (FOPCIncomingActive) {
    FOPCIncomingActive = false;
    return false;
  }
  bool sent = false;
  for (int i = 0; i < FOPCItemManager->Count(); ++i) {
    TiOPCItem* item = FOPCItemManager->Items(i);
    if (item->GetActive() && SameText(item->GetPropertyName(), PropertyName)) {
      item->SetData(Value);
      sent = true;
    }
  }
  return sent;
}

bool TiVCLComponent::OPCSpecialData(const std::string& /*PropertyName*/, TiOPCVariant& /*Data*/) {
  return false;
}

void TiVCLComponent::WriteStreamedCollections(TStrings* Lines) {
  TiComponent::WriteStreamedCollections(Lines);
  if (FOPCItemManager->DoWriteToStream())
    WriteCollectionText(
        "OPCItems", [this](TStrings* items) { FOPCItemManager->WriteToStream(items); }, Lines);
}

void TiVCLComponent::ReadStreamedCollections(TStrings* Lines) {
  TiComponent::ReadStreamedCollections(Lines);
  TStringList items;
  if (ExtractCollectionText("OPCItems", Lines, &items)) FOPCItemManager->ReadFromStream(&items);
}
