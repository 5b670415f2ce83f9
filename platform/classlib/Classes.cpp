#include "platform/classlib/Classes.h"

#include <cxxabi.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <memory>
#include <typeinfo>

void Abort() {
  throw EAbort();
}

// ---------------------------------------------------------------- TObject

void TObject::Free() {
  BeforeDestruction();
  delete this;
}

void TObject::Dispatch(TMessage& Message) {
  DefaultHandler(Message);
}

void TObject::DefaultHandler(TMessage&) {}

std::string TObject::ClassName() const {
  const char* mangled = typeid(*this).name();
  int status = 0;
  std::unique_ptr<char, void (*)(void*)> demangled(abi::__cxa_demangle(mangled, nullptr, nullptr, &status),
                                                   std::free);
  std::string name = (status == 0 && demangled) ? demangled.get() : mangled;
  // Drop any namespace: the class library names classes plainly.
  auto colon = name.rfind("::");
  return colon == std::string::npos ? name : name.substr(colon + 2);
}

// ---------------------------------------------------------------- TPersistent

void TPersistent::Assign(TPersistent* Source) {
  if (Source) {
    Source->AssignTo(this);
    return;
  }
  throw EConvertError("Cannot assign a nil to a " + ClassName());
}

void TPersistent::AssignTo(TPersistent* Dest) {
  throw EConvertError("Cannot assign a " + ClassName() + " to a " +
                      (Dest ? Dest->ClassName() : std::string("nil")));
}

// ---------------------------------------------------------------- helpers

bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

std::size_t SameTextHash::operator()(std::string_view Text) const noexcept {
  // FNV-1a over the lower-cased bytes.
  std::size_t h = 14695981039346656037ull;
  for (char c : Text) {
    h ^= static_cast<unsigned char>(std::tolower(static_cast<unsigned char>(c)));
    h *= 1099511628211ull;
  }
  return h;
}

bool SameTextEqual::operator()(std::string_view a, std::string_view b) const noexcept {
  return SameText(a, b);
}

bool IsValidIdent(std::string_view name) {
  if (name.empty()) return false;
  auto first = static_cast<unsigned char>(name[0]);
  if (!(std::isalpha(first) || first == '_')) return false;
  return std::all_of(name.begin() + 1, name.end(), [](char c) {
    auto u = static_cast<unsigned char>(c);
    return std::isalnum(u) || u == '_';
  });
}

// ---------------------------------------------------------------- TComponent

TComponent::TComponent(TComponent* AOwner) {
  if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
  Destroying();
  // Whoever asked to hear about our end hears it now.
  while (!FFreeNotifies.empty()) {
    TComponent* other = FFreeNotifies.back();
    FFreeNotifies.pop_back();
    auto& back = other->FFreeNotifies;
    back.erase(std::remove(back.begin(), back.end(), this), back.end());
    other->Notification(this, opRemove);
  }
  DestroyComponents();
  if (FOwner) FOwner->RemoveComponent(this);
}

void TComponent::BeforeDestruction() {
  Destroying();
}

void TComponent::Destroying() {
  if (FComponentState.Contains(csDestroying)) return;
  FComponentState << csDestroying;
  for (TComponent* c : FComponents) c->Destroying();
}

void TComponent::SetName(const std::string& NewName) {
  if (NewName == FName) return;
  if (!NewName.empty() && !IsValidIdent(NewName))
    throw EComponentError("'" + NewName + "' is not a valid component name");
  if (FOwner) {
    FOwner->ValidateRename(this, NewName);
    if (!FName.empty()) FOwner->FNameIndex.erase(FName);
    if (!NewName.empty()) FOwner->FNameIndex[NewName] = this;
  }
  FName = NewName;
}

TComponent* TComponent::GetComponents(int Index) const {
  if (Index < 0 || Index >= GetComponentCount())
    throw EComponentError("List index out of bounds (" + std::to_string(Index) + ")");
  return FComponents[static_cast<size_t>(Index)];
}

int TComponent::GetComponentIndex() const {
  if (!FOwner) return -1;
  auto& list = FOwner->FComponents;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

TComponent* TComponent::FindComponent(std::string_view AName) const {
  if (AName.empty()) return nullptr;
  auto it = FNameIndex.find(AName);
  return it == FNameIndex.end() ? nullptr : it->second;
}

void TComponent::ValidateRename(TComponent* AComponent, const std::string& NewName) const {
  if (NewName.empty()) return;
  TComponent* existing = FindComponent(NewName);
  if (existing && existing != AComponent)
    throw EComponentError("A component named " + NewName + " already exists");
}

void TComponent::InsertComponent(TComponent* AComponent) {
  if (!AComponent || AComponent->FOwner == this) return;
  ValidateRename(AComponent, AComponent->FName);
  // A component has one owner: it leaves the one it had.
  if (AComponent->FOwner) AComponent->FOwner->RemoveComponent(AComponent);
  Insert(AComponent);
  Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
  if (!AComponent || AComponent->FOwner != this) return;
  Notification(AComponent, opRemove);
  Remove(AComponent);
}

void TComponent::Insert(TComponent* AComponent) {
  FComponents.push_back(AComponent);
  AComponent->FOwner = this;
  if (!AComponent->FName.empty()) FNameIndex[AComponent->FName] = AComponent;
}

void TComponent::Remove(TComponent* AComponent) {
  FComponents.erase(std::remove(FComponents.begin(), FComponents.end(), AComponent), FComponents.end());
  if (!AComponent->FName.empty()) {
    auto it = FNameIndex.find(AComponent->FName);
    if (it != FNameIndex.end() && it->second == AComponent) FNameIndex.erase(it);
  }
  AComponent->FOwner = nullptr;
}

void TComponent::DestroyComponents() {
  while (!FComponents.empty()) {
    TComponent* c = FComponents.back();
    Remove(c);
    c->Free();
  }
}

void TComponent::FreeNotification(TComponent* AComponent) {
  if (!AComponent || AComponent == this) return;
  if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end())
    FFreeNotifies.push_back(AComponent);
  auto& other = AComponent->FFreeNotifies;
  if (std::find(other.begin(), other.end(), this) == other.end()) other.push_back(this);
  FComponentState << csFreeNotification;
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
  RemoveNotification(AComponent);
  if (AComponent) AComponent->RemoveNotification(this);
}

void TComponent::RemoveNotification(TComponent* AComponent) {
  FFreeNotifies.erase(std::remove(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent),
                      FFreeNotifies.end());
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == opRemove && AComponent) RemoveFreeNotification(AComponent);
  // A handler may free components: walk down and re-check the bound.
  for (int i = GetComponentCount() - 1; i >= 0; --i) {
    if (i >= GetComponentCount()) {
      i = GetComponentCount();
      continue;
    }
    FComponents[static_cast<size_t>(i)]->Notification(AComponent, Operation);
  }
}

void TComponent::BeginLoad() {
  FComponentState << csLoading;
  for (TComponent* c : FComponents) c->BeginLoad();
}

void TComponent::EndLoad() {
  std::vector<TComponent*> owned = FComponents;
  for (TComponent* c : owned) c->EndLoad();
  if (FComponentState.Contains(csLoading)) Loaded();
}

void TComponent::Loaded() {
  FComponentState >> csLoading;
}

void TComponent::SetDesigning(bool Value) {
  if (Value)
    FComponentState << csDesigning;
  else
    FComponentState >> csDesigning;
}
