#include "instruments/plot/iPlotObjectManagers.h"

#include <algorithm>
#include <climits>

#include "instruments/base/iPropertyText.h"
#include "platform/sys/SysUtils.h"

const TColor ChannelColorTable[30] = {
    0x0000FF, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0x00FF00, 0xFFFFFF, 0x000080, 0x008000, 0x008080,
    0x800000, 0x800080, 0x808000, 0x808080, 0x0000C0, 0x00C000, 0x00C0C0, 0xC00000, 0xC000C0, 0xC0C000,
    0xC0C0C0, 0x0080FF, 0x8000FF, 0x8080FF, 0xFF0080, 0xFF8000, 0xFF8080, 0x00FF80, 0x80FF00, 0x80FF80,
};

namespace {

std::string UpperCase(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

std::string ItemPrefix(int Index) {
  return "Item" + std::to_string(Index);
}

}  // namespace

// ---------------------------------------------------------------- base

TiPlotObjectManagerCustom::TiPlotObjectManagerCustom(TWinControl* AOwner, TNotifyEvent AOnChange,
                                                     TNotifyEvent AOnInsert, TNotifyEvent AOnRemove,
                                                     TNotifyEvent AOnRename)
    : OnChange(std::move(AOnChange)),
      OnInsert(std::move(AOnInsert)),
      OnRemove(std::move(AOnRemove)),
      OnRename(std::move(AOnRename)),
      FOwner(AOwner) {
  iCheckPlotWiring(AOwner, OnChange, OnInsert, OnRemove, OnRename, "Owner must be Assigned");
}

TiPlotObjectManagerCustom::~TiPlotObjectManagerCustom() {
  if (OnRemove) OnRemove(this);
}

void TiPlotObjectManagerCustom::Announce() {
  OnInsert(this);
}

TiPlotObject* TiPlotObjectManagerCustom::GetObject(int Index) const {
  if (Index < 0 || Index >= Count())
    throw EStringListError("List index out of bounds (" + std::to_string(Index) + ")");
  return FList[static_cast<size_t>(Index)];
}

int TiPlotObjectManagerCustom::GetIndex(const TObject* AObject) const {
  const auto it = std::find(FList.begin(), FList.end(), AObject);
  return it == FList.end() ? -1 : static_cast<int>(it - FList.begin());
}

TiPlotObject* TiPlotObjectManagerCustom::GetObjectByName(const std::string& Name) const {
  const int i = GetIndexByName(Name);
  return i < 0 ? nullptr : FList[static_cast<size_t>(i)];
}

int TiPlotObjectManagerCustom::GetIndexByName(const std::string& Name) const {
  for (size_t i = 0; i < FList.size(); ++i)
    if (SameText(FList[i]->GetName(), Name)) return static_cast<int>(i);
  return -1;
}

std::string TiPlotObjectManagerCustom::GetNextName() const {
  const std::string base = GetBaseName();
  const std::string upperBase = UpperCase(base);
  int max = 0;
  for (const TiPlotObject* o : FList) {
    const std::string& name = o->GetName();
    if (UpperCase(name.substr(0, base.size())) != upperBase) continue;
    int n = 0;
    if (TryStrToInt(name.substr(base.size()), n)) max = std::max(max, n);
  }
  return base + " " + std::to_string(max + 1);
}

void TiPlotObjectManagerCustom::InsertObject(TiPlotObject* AObject) {
  if (GetIndex(AObject) < 0) FList.push_back(AObject);
}

void TiPlotObjectManagerCustom::Delete(int Index) {
  GetObject(Index);
  FList.erase(FList.begin() + Index);
}

void TiPlotObjectManagerCustom::DoChange() {
  if (OnChange) OnChange(this);
}

void TiPlotObjectManagerCustom::NotificationRemove(TObject* Sender) {
  for (size_t i = FList.size(); i-- > 0;)
    if (FList[i] == Sender) {
      FList.erase(FList.begin() + static_cast<std::ptrdiff_t>(i));
      ObjectRemoved(static_cast<TiPlotObject*>(Sender));
      DoChange();
      return;
    }
}

void TiPlotObjectManagerCustom::NotificationRename(TObject* Sender) {
  for (TiPlotObject* o : std::vector<TiPlotObject*>(FList)) o->NotificationRename(Sender);
}

void TiPlotObjectManagerCustom::NotificationSetFocus(TObject* Sender) {
  for (TiPlotObject* o : std::vector<TiPlotObject*>(FList)) o->NotificationSetFocus(Sender);
}

void TiPlotObjectManagerCustom::WriteToStream(TStrings* Lines) const {
  for (int i = 0; i < Count(); ++i)
    WritePropertiesText(FList[static_cast<size_t>(i)], ItemPrefix(i), Lines, false, nullptr);
}

void TiPlotObjectManagerCustom::ReadFromStream(TStrings* Lines) {
  Clear();
  for (int i = 0; Lines->Count() > 0; ++i) {
    const std::string prefix = ItemPrefix(i);
    const std::string first = Lines->Get(0);
    if (!SameText(first.substr(0, first.find('.')), prefix)) break;
    TiPlotObject* object = CreateObject();
    try {
      ReadPropertiesText(object, prefix, Lines);
    } catch (...) {
      delete object;
      throw;
    }
    object->DoInsert();
  }
}

// ---------------------------------------------------------------- owning managers

TiPlotObjectOwnedManager::~TiPlotObjectOwnedManager() {
  Clear();
}

void TiPlotObjectOwnedManager::NotificationRemove(TObject* Sender) {
  if (Sender == this) return;
  for (TiPlotObject* o : std::vector<TiPlotObject*>(FList))
    if (o != Sender) o->NotificationRemove(Sender);
  TiPlotObjectManagerCustom::NotificationRemove(Sender);
}

void TiPlotObjectOwnedManager::Clear() {
  // Out of this list first, then freed: its removal notice takes it out of
  // every other list.
  const std::vector<TiPlotObject*> objects = FList;
  for (TiPlotObject* o : objects) {
    if (const auto it = std::find(FList.begin(), FList.end(), o); it != FList.end()) {
      FList.erase(it);
      ObjectRemoved(o);
    }
    delete o;
  }
  if (!objects.empty()) DoChange();
}

// ---------------------------------------------------------------- managers with references

std::string TiPlotAxesReferenceMixin::FirstXAxisName() const {
  return FXAxisManager && FXAxisManager->Count() > 0 ? FXAxisManager->GetItem(0)->GetName() : std::string();
}

std::string TiPlotAxesReferenceMixin::FirstYAxisName() const {
  return FYAxisManager && FYAxisManager->Count() > 0 ? FYAxisManager->GetItem(0)->GetName() : std::string();
}

TiPlotChannelManager::TiPlotChannelManager(TWinControl* AOwner, TNotifyEvent AOnChange,
                                           TNotifyEvent AOnInsert, TNotifyEvent AOnRemove,
                                           TNotifyEvent AOnRename)
    : TiPlotTypedManager(AOwner, std::move(AOnChange), std::move(AOnInsert), std::move(AOnRemove),
                         std::move(AOnRename)),
      FChannelClass(iChannelClass<TiPlotChannelCustom>()) {}

TiPlotObject* TiPlotChannelManager::CreateObject() {
  return FChannelClass(GetOwner(), OnChange, OnInsert, OnRemove, OnRename);
}

void TiPlotChannelManager::NotificationRemove(TObject* Sender) {
  TiPlotTypedManager::NotificationRemove(Sender);
  ForgetAxisManager(Sender);
}

void TiPlotChannelManager::ApplyDefaults(TiPlotChannelCustom* Channel) {
  Channel->SetTitleText(Channel->GetName());
  Channel->SetColor(GetNextChannelColor());
  if (const std::string x = FirstXAxisName(); !x.empty()) Channel->SetXAxisName(x);
  if (const std::string y = FirstYAxisName(); !y.empty()) Channel->SetYAxisName(y);
}

TColor TiPlotChannelManager::GetNextChannelColor() const {
  if (Count() <= 1) return clRed;
  int counts[30] = {};
  for (int i = 0; i < Count(); ++i)
    for (int k = 0; k < 30; ++k)
      if (GetItem(i)->GetColor() == ChannelColorTable[k]) ++counts[k];
  const int least = *std::min_element(std::begin(counts), std::end(counts));
  for (int k = 0; k < 30; ++k)
    if (counts[k] == least) return ChannelColorTable[k];
  return clRed;
}

void TiPlotDataViewManager::NotificationRemove(TObject* Sender) {
  TiPlotTypedManager::NotificationRemove(Sender);
  ForgetAxisManager(Sender);
}

void TiPlotDataViewManager::ApplyDefaults(TiPlotDataView* View) {
  if (const std::string x = FirstXAxisName(); !x.empty()) View->SetGridXAxisName(x);
  if (const std::string y = FirstYAxisName(); !y.empty()) View->SetGridYAxisName(y);
}

void TiPlotLimitManager::NotificationRemove(TObject* Sender) {
  TiPlotTypedManager::NotificationRemove(Sender);
  ForgetAxisManager(Sender);
}

void TiPlotLimitManager::ApplyDefaults(TiPlotLimit* Limit) {
  if (const std::string x = FirstXAxisName(); !x.empty()) Limit->SetXAxisName(x);
  if (const std::string y = FirstYAxisName(); !y.empty()) Limit->SetYAxisName(y);
}

void TiPlotDataCursorManager::NotificationRemove(TObject* Sender) {
  TiPlotTypedManager::NotificationRemove(Sender);
  if (Sender == FChannelManager) FChannelManager = nullptr;
  if (Sender == FDataViewManager) FDataViewManager = nullptr;
}

void TiPlotDataCursorManager::ApplyDefaults(TiPlotDataCursor* Cursor) {
  if (FDataViewManager && FDataViewManager->Count() > 0)
    Cursor->SetDataViewName(FDataViewManager->GetItem(0)->GetName());
  if (FChannelManager && FChannelManager->Count() > 0)
    Cursor->SetChannelName(FChannelManager->GetItem(0)->GetName());
}

// ---------------------------------------------------------------- the object manager

TiPlotObject* TiPlotObjectManager::CreateObject() {
  throw Exception("Object Manager does not support creation of objects");
}

void TiPlotObjectManager::NotificationInsert(TObject* Sender) {
  if (auto* o = dynamic_cast<TiPlotObject*>(Sender)) InsertObject(o);
}

std::vector<TiPlotObject*> TiPlotObjectManager::Selected() const {
  std::vector<TiPlotObject*> result;
  for (TiPlotObject* o : FList)
    if (o->GetUserSelected()) result.push_back(o);
  return result;
}

void TiPlotObjectManager::ClearAllUserSelections() {
  for (TiPlotObject* o : std::vector<TiPlotObject*>(FList)) o->SetUserSelected(false);
}

void TiPlotObjectManager::SetShiftState(TShiftState Shift) {
  for (TiPlotObject* o : FList) o->SetShiftState(Shift);
}

void TiPlotObjectManager::MouseDownFocusObjects(TMouseButton Button, TShiftState Shift, int X, int Y,
                                                int ScreenX, int ScreenY, TPopupMenu* PopupMenu) {
  for (TiPlotObject* o : Selected()) o->iMouseDown(Button, Shift, X, Y, ScreenX, ScreenY, PopupMenu);
}

void TiPlotObjectManager::MouseMoveFocusObjects(const TiHintData& HintData, TShiftState Shift, int X, int Y,
                                                int ScreenX, int ScreenY, bool DblClickActive) {
  for (TiPlotObject* o : Selected()) {
    TiHintData copy = HintData;
    o->iMouseMove(copy, Shift, X, Y, ScreenX, ScreenY, DblClickActive);
  }
}

void TiPlotObjectManager::MouseUpFocusObjects(TMouseButton Button, TShiftState Shift, int X, int Y,
                                              int ScreenX, int ScreenY, bool DblClickActive,
                                              TPopupMenu* PopupMenu) {
  for (TiPlotObject* o : Selected())
    o->iMouseUp(Button, Shift, X, Y, ScreenX, ScreenY, DblClickActive, PopupMenu);
}

void TiPlotObjectManager::KeyDownFocusObjects(std::uint16_t& Key, TShiftState Shift, TPopupMenu* PopupMenu) {
  for (TiPlotObject* o : Selected()) o->iKeyDown(Key, Shift, PopupMenu);
}

bool TiPlotObjectManager::MouseWheelFocusObjects(int WheelDelta, TShiftState Shift, TPoint MousePos) {
  bool handled = false;
  for (TiPlotObject* o : Selected())
    if (o->iMouseWheel(WheelDelta, Shift, MousePos)) handled = true;
  return handled;
}

void TiPlotObjectManager::ShutDownSetup() {
  for (TiPlotObject* o : FList) {
    o->OnRemove = nullptr;
    o->OnLayoutChange = nullptr;
    o->OnChange = nullptr;
  }
}
