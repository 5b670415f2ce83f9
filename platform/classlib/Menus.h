#pragma once
// Menus: TMenuItem (a caption with "&" accelerators, check mark, enabled and
// visible states, sub-items), the main menu bar of a form (TMainMenu) and
// the context menu (TPopupMenu).
//
// Items are components: a form creates them with itself as owner and the
// names its handlers use, then hangs them into the tree with Add or Insert.
// An item frees its sub-items when it is freed. The caption "-" makes a
// separator. The window toolkit shows the tree; a click the user makes, on
// the bar or in a popup, reaches OnClick through the layer's exception
// guard, while Click() called by the program runs OnClick directly.

#include <string>
#include <string_view>
#include <vector>

#include "platform/classlib/Classes.h"

class QAction;
class QMenu;
class QWidget;
class TCustomForm;
class TMenu;

class EMenuError : public Exception {
 public:
  using Exception::Exception;
};

// The caption as shown: single "&" removed, "&&" made one "&".
std::string StripHotkey(std::string_view Caption);
// The accelerator letter of a caption (after a single "&"), upper-cased;
// 0 when there is none.
char GetHotkey(std::string_view Caption);

class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* AOwner);
  ~TMenuItem() override;

  const std::string& GetCaption() const { return FCaption; }
  void SetCaption(const std::string& Value);
  // True for the separator caption "-".
  bool IsLine() const { return FCaption == "-"; }
  bool GetChecked() const { return FChecked; }
  void SetChecked(bool Value);
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool Value);

  // Sub-items.
  int GetCount() const { return static_cast<int>(FItems.size()); }
  int Count() const { return GetCount(); }
  // Throws EMenuError "Menu index out of range".
  TMenuItem* GetItems(int Index) const;
  TMenuItem* operator[](int Index) const { return GetItems(Index); }
  // Throws EMenuError "Menu inserted twice" for an item that already hangs
  // somewhere, and for the item itself or one of its parents.
  void Add(TMenuItem* Item);
  void Insert(int Index, TMenuItem* Item);
  // Takes the sub-item out of the tree without freeing it.
  void Delete(int Index);
  void Remove(TMenuItem* Item);
  // Frees every sub-item.
  void Clear();
  int IndexOf(const TMenuItem* Item) const;
  // The first sub-item whose caption, without accelerators, equals
  // ACaption (case-insensitive); null when none does.
  TMenuItem* Find(std::string_view ACaption) const;
  TMenuItem* GetParent() const { return FParent; }
  // Position among the parent's items; -1 without a parent.
  int GetMenuIndex() const;
  void SetMenuIndex(int Value);
  // The menu whose tree holds this item; null when it hangs nowhere.
  TMenu* GetParentMenu() const;

  // Fires OnClick when the item is enabled (a disabled item cannot be
  // chosen). Program code calls it as the class library's Click.
  virtual void Click();
  // What the user's choice runs: Click inside the exception guard.
  void UserClick();

  // The toolkit action that shows the item (made on first use). Platform
  // code and tests only.
  QAction* GetAction();

  TNotifyEvent OnClick;

 private:
  friend class TMenu;
  friend class TMainMenu;
  friend class TPopupMenu;
  void CheckInsert(const TMenuItem* Item) const;
  void ApplyAction();
  void RebuildViews();
  void AddView(QWidget* View);
  void ChildrenChanged();

  std::string FCaption;
  bool FChecked = false;
  bool FEnabled = true;
  bool FVisible = true;
  TMenuItem* FParent = nullptr;
  TMenu* FMenu = nullptr;  // set on the root item of a menu
  std::vector<TMenuItem*> FItems;
  QAction* FAction = nullptr;
  QMenu* FSubMenu = nullptr;
  // Widgets (menu bars, popups, sub-menus) that list this item's children.
  std::vector<QWidget*> FViews;
};

class TMenu : public TComponent {
 public:
  explicit TMenu(TComponent* AOwner);
  ~TMenu() override;
  // The root of the tree; its sub-items are the menu's entries.
  TMenuItem* GetItems() const { return FItems; }
  // Searches the whole tree, depth first, for the item of that component
  // name (case-insensitive); null when none has it.
  TMenuItem* FindItemByName(std::string_view Name) const;

 private:
  TMenuItem* FItems;
};

class TMainMenu : public TMenu {
 public:
  // A main menu whose owner is a form without a menu becomes that form's
  // menu (TCustomForm::SetMenu), as a menu placed on a form does.
  explicit TMainMenu(TComponent* AOwner);
  ~TMainMenu() override;
  // The form whose bar shows this menu; null when none.
  TCustomForm* GetForm() const { return FForm; }
  // The toolkit bar showing the menu; null while it is on no form.
  QWidget* GetMenuBar() const;
  // A new toolkit menu bar that shows the items and follows their changes;
  // the caller owns it (the form, through SetMenuBarWidget). Platform code
  // only.
  QWidget* CreateMenuBar();

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  friend class TCustomForm;
  TCustomForm* FForm = nullptr;
};

// The form's main menu, as TCustomForm::SetMenu and GetMenu.
void SetFormMenu(TCustomForm* Form, TMainMenu* Menu);
TMainMenu* GetFormMenu(const TCustomForm* Form);

class TPopupMenu : public TMenu {
 public:
  explicit TPopupMenu(TComponent* AOwner);
  ~TPopupMenu() override;

  // Fires OnPopup, then shows the menu with its top-left corner at the
  // screen point (X, Y) and waits for the choice (through the dialog
  // service, so tests pick the item). The chosen item's click runs before
  // Popup returns; nothing runs when the menu is dismissed.
  virtual void Popup(int X, int Y);
  TPoint GetPopupPoint() const { return FPopupPoint; }
  // The component the menu was last shown for (set by whoever pops it up).
  TComponent* GetPopupComponent() const { return FPopupComponent; }
  void SetPopupComponent(TComponent* Value);

  // Builds a toolkit menu of the items (owned by the caller). Platform
  // code only.
  QMenu* CreatePopupWidget();

  TNotifyEvent OnPopup;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  TPoint FPopupPoint;
  TComponent* FPopupComponent = nullptr;
};
