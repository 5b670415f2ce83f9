#include "platform/classlib/Menus.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

#include <algorithm>
#include <cctype>

#include "platform/classlib/ControlBridge.h"
#include "platform/classlib/Dialogs.h"
#include "platform/classlib/Forms.h"

namespace {

// While TPopupMenu::Popup waits for the toolkit's popup, a triggered item
// is noted as the choice instead of being clicked at once.
int gTrackingPopup = 0;
TMenuItem* gTrackedChoice = nullptr;

// Toolkit objects of an item freed by a handler of a menu click go later,
// not under the toolkit's feet.
void DisposeLater(QObject* object) {
  if (!object) return;
  QObject::disconnect(object, nullptr, nullptr, nullptr);
  if (BridgeDispatchDepth() > 0 || gTrackingPopup > 0) {
    if (auto* action = qobject_cast<QAction*>(object)) action->setVisible(false);
    object->deleteLater();
  } else {
    delete object;
  }
}

}  // namespace

// ---------------------------------------------------------------- captions

std::string StripHotkey(std::string_view Caption) {
  std::string out;
  out.reserve(Caption.size());
  for (std::size_t i = 0; i < Caption.size(); ++i) {
    if (Caption[i] == '&') {
      if (i + 1 < Caption.size() && Caption[i + 1] == '&') {
        out += '&';
        ++i;
      }
      continue;
    }
    out += Caption[i];
  }
  return out;
}

char GetHotkey(std::string_view Caption) {
  for (std::size_t i = 0; i + 1 < Caption.size(); ++i) {
    if (Caption[i] != '&') continue;
    if (Caption[i + 1] == '&') {
      ++i;
      continue;
    }
    return static_cast<char>(std::toupper(static_cast<unsigned char>(Caption[i + 1])));
  }
  return 0;
}

// ---------------------------------------------------------------- TMenuItem

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem() {
  OnClick = nullptr;
  while (!FItems.empty()) {
    TMenuItem* child = FItems.back();
    child->Free();
    // A child that does not take itself out (it cannot, but be safe).
    if (!FItems.empty() && FItems.back() == child) FItems.pop_back();
  }
  if (FParent) FParent->Remove(this);
  for (QWidget* view : FViews) QObject::disconnect(view, &QObject::destroyed, nullptr, nullptr);
  FViews.clear();
  DisposeLater(FSubMenu);
  FSubMenu = nullptr;
  DisposeLater(FAction);
  FAction = nullptr;
}

void TMenuItem::SetCaption(const std::string& Value) {
  if (Value == FCaption) return;
  FCaption = Value;
  ApplyAction();
}

void TMenuItem::SetChecked(bool Value) {
  if (Value == FChecked) return;
  FChecked = Value;
  ApplyAction();
}

void TMenuItem::SetEnabled(bool Value) {
  if (Value == FEnabled) return;
  FEnabled = Value;
  ApplyAction();
}

void TMenuItem::SetVisible(bool Value) {
  if (Value == FVisible) return;
  FVisible = Value;
  ApplyAction();
}

TMenuItem* TMenuItem::GetItems(int Index) const {
  if (Index < 0 || Index >= GetCount()) throw EMenuError("Menu index out of range");
  return FItems[static_cast<std::size_t>(Index)];
}

void TMenuItem::CheckInsert(const TMenuItem* Item) const {
  if (!Item) throw EMenuError("Menu item is nil");
  if (Item->FParent || Item->FMenu) throw EMenuError("Menu inserted twice");
  for (const TMenuItem* p = this; p; p = p->FParent)
    if (p == Item) throw EMenuError("Menu inserted twice");
}

void TMenuItem::Add(TMenuItem* Item) {
  Insert(GetCount(), Item);
}

void TMenuItem::Insert(int Index, TMenuItem* Item) {
  CheckInsert(Item);
  if (Index < 0 || Index > GetCount()) throw EMenuError("Menu index out of range");
  FItems.insert(FItems.begin() + Index, Item);
  Item->FParent = this;
  ChildrenChanged();
}

void TMenuItem::Delete(int Index) {
  TMenuItem* item = GetItems(Index);
  FItems.erase(FItems.begin() + Index);
  item->FParent = nullptr;
  ChildrenChanged();
}

void TMenuItem::Remove(TMenuItem* Item) {
  const int i = IndexOf(Item);
  if (i < 0) throw EMenuError("Menu item not found");
  Delete(i);
}

void TMenuItem::Clear() {
  while (!FItems.empty()) FItems.back()->Free();
}

int TMenuItem::IndexOf(const TMenuItem* Item) const {
  auto it = std::find(FItems.begin(), FItems.end(), Item);
  return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

TMenuItem* TMenuItem::Find(std::string_view ACaption) const {
  const std::string wanted = StripHotkey(ACaption);
  for (TMenuItem* item : FItems)
    if (SameText(StripHotkey(item->FCaption), wanted)) return item;
  return nullptr;
}

int TMenuItem::GetMenuIndex() const {
  return FParent ? FParent->IndexOf(this) : -1;
}

void TMenuItem::SetMenuIndex(int Value) {
  if (!FParent) return;
  TMenuItem* parent = FParent;
  const int count = parent->GetCount();
  Value = std::clamp(Value, 0, count - 1);
  const int cur = parent->IndexOf(this);
  if (cur == Value) return;
  parent->FItems.erase(parent->FItems.begin() + cur);
  parent->FItems.insert(parent->FItems.begin() + Value, this);
  parent->ChildrenChanged();
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* root = this;
  while (root->FParent) root = root->FParent;
  return root->FMenu;
}

void TMenuItem::Click() {
  if (!FEnabled) return;
  if (OnClick) OnClick(this);
}

void TMenuItem::UserClick() {
  // The handler may free the form, and with it the bar being clicked.
  CallFromWidget(this, [this] { Click(); });
}

QAction* TMenuItem::GetAction() {
  if (FAction) return FAction;
  FAction = new QAction();
  QObject::connect(FAction, &QAction::triggered, [this] {
    // The toolkit toggles a checkable action; the check mark is ours.
    if (FAction) FAction->setChecked(FChecked);
    if (gTrackingPopup > 0) {
      gTrackedChoice = this;
      return;
    }
    UserClick();
  });
  ApplyAction();
  return FAction;
}

void TMenuItem::ApplyAction() {
  if (!FAction) return;
  // A separator is a line alone (the toolkit would draw a text beside it).
  FAction->setText(IsLine() ? QString() : QString::fromStdString(FCaption));
  FAction->setSeparator(IsLine());
  FAction->setCheckable(FChecked);
  FAction->setChecked(FChecked);
  FAction->setEnabled(FEnabled);
  FAction->setVisible(FVisible);
  if (!FItems.empty() && !IsLine()) {
    if (!FSubMenu) {
      FSubMenu = new QMenu();
      // Opening a sub-menu clicks its item, as the class library does, so
      // a handler can set the entries' states first.
      QObject::connect(FSubMenu, &QMenu::aboutToShow, [this] {
        // A drop-down of a form's bar wears the bar's colours.
        if (auto* main = dynamic_cast<TMainMenu*>(GetParentMenu()); main && main->GetMenuBar() && FSubMenu)
          FSubMenu->setPalette(main->GetMenuBar()->palette());
        if (gTrackingPopup == 0) UserClick();
      });
      AddView(FSubMenu);
    }
    FAction->setMenu(FSubMenu);
  } else if (FAction->menu()) {
    FAction->setMenu(static_cast<QMenu*>(nullptr));
  }
}

void TMenuItem::AddView(QWidget* View) {
  if (!View || std::find(FViews.begin(), FViews.end(), View) != FViews.end()) return;
  FViews.push_back(View);
  QObject::connect(View, &QObject::destroyed, [this, View] {
    FViews.erase(std::remove(FViews.begin(), FViews.end(), View), FViews.end());
    if (View == FSubMenu) FSubMenu = nullptr;
  });
  RebuildViews();
}

void TMenuItem::RebuildViews() {
  for (QWidget* view : FViews) {
    for (QAction* a : view->actions()) view->removeAction(a);
    for (TMenuItem* child : FItems) view->addAction(child->GetAction());
  }
}

void TMenuItem::ChildrenChanged() {
  // A sub-menu appears or goes with the first or last child.
  ApplyAction();
  RebuildViews();
}

// ---------------------------------------------------------------- TMenu

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), FItems(new TMenuItem(this)) {
  FItems->FMenu = this;
}

TMenu::~TMenu() = default;

namespace {

TMenuItem* FindByName(TMenuItem* item, std::string_view name) {
  for (int i = 0; i < item->GetCount(); ++i) {
    TMenuItem* child = item->GetItems(i);
    if (SameText(child->GetName(), name)) return child;
    if (TMenuItem* found = FindByName(child, name)) return found;
  }
  return nullptr;
}

}  // namespace

TMenuItem* TMenu::FindItemByName(std::string_view Name) const {
  if (Name.empty()) return nullptr;
  return FindByName(FItems, Name);
}

// ---------------------------------------------------------------- TMainMenu

TMainMenu::TMainMenu(TComponent* AOwner) : TMenu(AOwner) {
  if (auto* form = dynamic_cast<TCustomForm*>(AOwner); form && !form->GetMenu()) form->SetMenu(this);
}

TMainMenu::~TMainMenu() {
  if (FForm) FForm->SetMenu(nullptr);
}

QWidget* TMainMenu::GetMenuBar() const {
  return FForm ? FForm->GetMenuBarWidget() : nullptr;
}

QWidget* TMainMenu::CreateMenuBar() {
  auto* bar = new QMenuBar();
  bar->setNativeMenuBar(false);
  // Its destruction takes it out of the items' views.
  GetItems()->AddView(bar);
  return bar;
}

void TMainMenu::Notification(TComponent* AComponent, TOperation Operation) {
  // The form goes: its window takes the bar with it.
  if (Operation == opRemove && AComponent && AComponent == FForm) FForm = nullptr;
  TMenu::Notification(AComponent, Operation);
}

void SetFormMenu(TCustomForm* Form, TMainMenu* Menu) {
  if (Form) Form->SetMenu(Menu);
}

TMainMenu* GetFormMenu(const TCustomForm* Form) {
  return Form ? Form->GetMenu() : nullptr;
}

// ---------------------------------------------------------------- TPopupMenu

TPopupMenu::TPopupMenu(TComponent* AOwner) : TMenu(AOwner) {}

TPopupMenu::~TPopupMenu() {
  OnPopup = nullptr;
}

void TPopupMenu::SetPopupComponent(TComponent* Value) {
  if (Value == FPopupComponent) return;
  if (FPopupComponent) FPopupComponent->RemoveFreeNotification(this);
  FPopupComponent = Value;
  if (Value) Value->FreeNotification(this);
}

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == opRemove && AComponent == FPopupComponent) FPopupComponent = nullptr;
  TMenu::Notification(AComponent, Operation);
}

QMenu* TPopupMenu::CreatePopupWidget() {
  auto* menu = new QMenu();
  GetItems()->AddView(menu);
  return menu;
}

namespace {

// The user can reach the item: it, and every item above it, visible and
// enabled, and it is an entry (no separator, no sub-menu).
bool Selectable(const TMenuItem* item, const TMenuItem* root) {
  if (item->IsLine() || item->GetCount() > 0) return false;
  for (const TMenuItem* p = item; p && p != root; p = p->GetParent())
    if (!p->GetVisible() || !p->GetEnabled()) return false;
  for (const TMenuItem* p = item; p; p = p->GetParent())
    if (p == root) return true;
  return false;
}

}  // namespace

void TPopupMenu::Popup(int X, int Y) {
  FPopupPoint = Point(X, Y);
  if (OnPopup) OnPopup(this);
  TMenuItem* chosen = nullptr;
  ++gTrackingPopup;
  gTrackedChoice = nullptr;
  try {
    chosen = DialogService().TrackPopupMenu(this, X, Y);
  } catch (...) {
    --gTrackingPopup;
    gTrackedChoice = nullptr;
    throw;
  }
  --gTrackingPopup;
  gTrackedChoice = nullptr;
  if (chosen && Selectable(chosen, GetItems())) chosen->UserClick();
}

// The toolkit's popup, used by the default dialog service.
TMenuItem* TrackPopupWithToolkit(TPopupMenu* Menu, int X, int Y) {
  QMenu* widget = Menu->CreatePopupWidget();
  QAction* picked = nullptr;
  RunToolkitModal(widget, [&] { picked = widget->exec(QPoint(X, Y)); });
  TMenuItem* chosen = gTrackedChoice;
  // Its destruction takes it out of the menu's views.
  delete widget;
  return picked ? chosen : nullptr;
}
