// The list box and the combo box over the toolkit's list widgets. The items
// live in the control (TControlStrings); the widget only shows them.

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QStyledItemDelegate>

#include <algorithm>
#include <functional>

#include "platform/classlib/ControlBridge.h"
#include "platform/classlib/StdCtrls.h"
#include "platform/classlib/StdCtrlsNative.h"

using stdctrls::FlagScope;
using stdctrls::FromQ;
using stdctrls::ToQ;

namespace {

QStringList ToQList(const std::vector<std::string>& items) {
  QStringList out;
  out.reserve(static_cast<qsizetype>(items.size()));
  for (const std::string& s : items) out.push_back(ToQ(s));
  return out;
}

// Every row of a list box is ItemHeight pixels high.
class RowDelegate : public QStyledItemDelegate {
 public:
  RowDelegate(const TCustomListBox* list, QObject* parent) : QStyledItemDelegate(parent), list_(list) {}
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QSize s = QStyledItemDelegate::sizeHint(option, index);
    s.setHeight(std::max(list_->GetItemHeight(), 1));
    return s;
  }

 private:
  const TCustomListBox* list_;
};

QListWidget* ListWidget(const TControl* c) { return static_cast<QListWidget*>(c->WidgetIfCreated()); }

}  // namespace

// ---------------------------------------------------------------- TCustomListBox

TCustomListBox::TCustomListBox(TComponent* AOwner)
    : TWinControl(AOwner), FItems(std::make_unique<TControlStrings>(static_cast<TItemsOwner*>(this))) {
  // A selection by the user is the click.
  SetControlStyle(TControlStyle{csSetCaption, csDoubleClicks});
  SetBounds(0, 0, 121, 97);
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
}

TCustomListBox::~TCustomListBox() = default;

QWidget* TCustomListBox::CreateWidget() {
  auto* list = new QListWidget();
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  list->setUniformItemSizes(true);
  list->setItemDelegate(new RowDelegate(this, list));
  QObject::connect(list, &QListWidget::currentRowChanged, list, [this, list](int row) {
    if (ControlBridge::ControlOf(list) != this || FShowing) return;
    CallFromWidget(this, [this, row] { UserSelected(row); });
  });
  return list;
}

void TCustomListBox::InitWidget() {
  TWinControl::InitWidget();
  QListWidget* list = ListWidget(this);
  stdctrls::UseStandardStyle(list);
  stdctrls::AddWidgetPart(list, list->viewport());
  stdctrls::UseScrollBarStyle(list);
  list->setFrameShape(FBorderStyle == bsNone ? QFrame::NoFrame : QFrame::StyledPanel);
  ApplyColors();
  ShowItems();
}

void TCustomListBox::ApplyColors() {
  QWidget* w = WidgetIfCreated();
  if (!w) return;
  stdctrls::ApplyScrollBarColors(w, GetColor(), GetFont()->GetColor());
  stdctrls::ApplyColors(w, GetColor(), GetFont()->GetColor(), QPalette::Base, QPalette::Text);
}

void TCustomListBox::ColorChanged() {
  TWinControl::ColorChanged();
  ApplyColors();
}

void TCustomListBox::FontChanged() {
  TWinControl::FontChanged();
  ApplyColors();
}

void TCustomListBox::ShowItems() {
  QListWidget* list = ListWidget(this);
  if (!list || FUpdating) return;
  {
    FlagScope showing(FShowing);
    list->clear();
    list->addItems(ToQList(FItems->Snapshot()));
  }
  ShowSelection();
}

void TCustomListBox::ShowSelection() {
  QListWidget* list = ListWidget(this);
  if (!list || FUpdating) return;
  FlagScope showing(FShowing);
  if (FItemIndex < 0) {
    list->setCurrentRow(-1);
    list->clearSelection();
    return;
  }
  list->setCurrentRow(FItemIndex);
  list->scrollToItem(list->item(FItemIndex));
}

void TCustomListBox::SetItemIndex(int Value) {
  if (Value < 0 || Value >= FItems->GetCount()) Value = -1;
  FItemIndex = Value;
  ShowSelection();
}

void TCustomListBox::UserSelected(int Index) {
  FItemIndex = Index < FItems->GetCount() ? Index : -1;
  Click();
}

void TCustomListBox::SetItemHeight(int Value) {
  if (Value <= 0 || Value == FItemHeight) return;
  FItemHeight = Value;
  // Lays the rows out again at the new height.
  if (QListWidget* list = ListWidget(this)) list->setSpacing(list->spacing());
}

int TCustomListBox::GetTopIndex() const {
  QListWidget* list = ListWidget(this);
  return list ? list->verticalScrollBar()->value() : FTopIndex;
}

void TCustomListBox::SetTopIndex(int Value) {
  FTopIndex = std::max(Value, 0);
  if (QListWidget* list = ListWidget(this)) list->verticalScrollBar()->setValue(FTopIndex);
}

void TCustomListBox::SetBorderStyle(TBorderStyle Value) {
  FBorderStyle = Value;
  if (QListWidget* list = ListWidget(this))
    list->setFrameShape(Value == bsNone ? QFrame::NoFrame : QFrame::StyledPanel);
}

int TCustomListBox::ItemAtPos(TPoint Pos, bool Existing) const {
  QListWidget* list = ListWidget(this);
  if (!list) return -1;
  QPoint p = list->viewport()->mapFrom(list, QPoint(Pos.X, Pos.Y));
  QModelIndex index = list->indexAt(p);
  if (index.isValid()) return index.row();
  return Existing ? -1 : FItems->GetCount();
}

void TCustomListBox::ItemInserted(int Index) {
  // The selected item stays selected as rows go in before it.
  if (FItemIndex >= Index) ++FItemIndex;
  QListWidget* list = ListWidget(this);
  if (!list || FUpdating) return;
  {
    FlagScope showing(FShowing);
    list->insertItem(Index, ToQ(FItems->Get(Index)));
  }
  ShowSelection();
}

void TCustomListBox::ItemDeleted(int Index) {
  if (Index == FItemIndex)
    FItemIndex = -1;
  else if (Index < FItemIndex)
    --FItemIndex;
  QListWidget* list = ListWidget(this);
  if (!list || FUpdating) return;
  {
    FlagScope showing(FShowing);
    delete list->takeItem(Index);
  }
  ShowSelection();
}

void TCustomListBox::ItemChanged(int Index) {
  QListWidget* list = ListWidget(this);
  if (!list || FUpdating) return;
  FlagScope showing(FShowing);
  if (QListWidgetItem* item = list->item(Index)) item->setText(ToQ(FItems->Get(Index)));
}

void TCustomListBox::ItemsCleared() {
  FItemIndex = -1;
  ShowItems();
}

void TCustomListBox::ItemsUpdating(bool Updating) {
  FUpdating = Updating;
  if (!Updating) ShowItems();
}

// ---------------------------------------------------------------- TCustomComboBox

namespace {

class ComboWidget : public QComboBox {
 public:
  std::function<void()> onDropDown;
  std::function<void()> onCloseUp;

  void showPopup() override {
    if (onDropDown) onDropDown();
    QComboBox::showPopup();
  }
  void hidePopup() override {
    QComboBox::hidePopup();
    if (onCloseUp) onCloseUp();
  }
};

ComboWidget* Combo(const TControl* c) { return static_cast<ComboWidget*>(c->WidgetIfCreated()); }

}  // namespace

TCustomComboBox::TCustomComboBox(TComponent* AOwner)
    : TWinControl(AOwner), FItems(std::make_unique<TControlStrings>(static_cast<TItemsOwner*>(this))) {
  // A pick by the user is the click.
  SetControlStyle(TControlStyle{csSetCaption, csDoubleClicks});
  SetBounds(0, 0, 145, 21);
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
}

TCustomComboBox::~TCustomComboBox() = default;

QWidget* TCustomComboBox::CreateWidget() {
  auto* combo = new ComboWidget();
  combo->setInsertPolicy(QComboBox::NoInsert);
  combo->onDropDown = [this, combo] {
    if (ControlBridge::ControlOf(combo) == this) CallFromWidget(this, [this] { DropDown(); });
  };
  combo->onCloseUp = [this, combo] {
    if (ControlBridge::ControlOf(combo) == this) CallFromWidget(this, [this] { CloseUp(); });
  };
  QObject::connect(combo, &QComboBox::currentIndexChanged, combo, [this, combo](int index) {
    if (ControlBridge::ControlOf(combo) != this || FShowing) return;
    CallFromWidget(this, [this, index] { UserPicked(index); });
  });
  return combo;
}

void TCustomComboBox::InitWidget() {
  TWinControl::InitWidget();
  ComboWidget* combo = Combo(this);
  stdctrls::UseStandardStyle(combo);
  combo->setMaxVisibleItems(std::max(FDropDownCount, 1));
  SetStyle(FStyle);
  ApplyColors();
  ShowItems();
}

void TCustomComboBox::DefaultHandler(TMessage& Message) {
  if (Message.Msg == WM_GETDLGCODE) {
    Message.Result = DLGC_WANTCHARS | DLGC_WANTARROWS;
    return;
  }
  TWinControl::DefaultHandler(Message);
}

void TCustomComboBox::SetStyle(TComboBoxStyle Value) {
  FStyle = Value;
  ComboWidget* combo = Combo(this);
  if (!combo) return;
  const bool editable = !IsListStyle();
  if (combo->isEditable() != editable) {
    FlagScope showing(FShowing);
    combo->setEditable(editable);
  }
  if (QLineEdit* edit = combo->lineEdit(); edit && !edit->property("tavo.hooked").toBool()) {
    edit->setProperty("tavo.hooked", true);
    combo->setCompleter(nullptr);
    if (FMaxLength > 0) edit->setMaxLength(FMaxLength);
    stdctrls::AddWidgetPart(combo, edit);
    QObject::connect(edit, &QLineEdit::textEdited, edit, [this, combo](const QString& text) {
      if (ControlBridge::ControlOf(combo) != this || FShowing) return;
      CallFromWidget(this, [&] { UserTyped(FromQ(text)); });
    });
  }
  ShowSelection();
}

void TCustomComboBox::ApplyColors() {
  QWidget* w = WidgetIfCreated();
  if (!w) return;
  const TColor back = GetColor();
  const TColor text = GetFont()->GetColor();
  stdctrls::ApplyColors(w, {{back, text, QPalette::Button, QPalette::ButtonText},
                            {back, text, QPalette::Base, QPalette::Text},
                            {back, text, QPalette::Window, QPalette::WindowText}});
}

void TCustomComboBox::ColorChanged() {
  TWinControl::ColorChanged();
  ApplyColors();
}

void TCustomComboBox::FontChanged() {
  TWinControl::FontChanged();
  ApplyColors();
}

void TCustomComboBox::ShowItems() {
  ComboWidget* combo = Combo(this);
  if (!combo || FUpdating) return;
  {
    FlagScope showing(FShowing);
    combo->clear();
    combo->addItems(ToQList(FItems->Snapshot()));
  }
  ShowSelection();
}

void TCustomComboBox::ShowSelection() {
  ComboWidget* combo = Combo(this);
  if (!combo || FUpdating) return;
  FlagScope showing(FShowing);
  combo->setCurrentIndex(FItemIndex);
  // An editable combo may show a text that is no item.
  if (combo->isEditable()) combo->setEditText(ToQ(GetText()));
}

void TCustomComboBox::SyncText() {
  FlagScope syncing(FSyncingText);
  SetCaption(FItemIndex >= 0 ? FItems->Get(FItemIndex) : std::string());
}

void TCustomComboBox::SetItemIndex(int Value) {
  if (Value < 0 || Value >= FItems->GetCount()) Value = -1;
  FItemIndex = Value;
  SyncText();
  ShowSelection();
}

void TCustomComboBox::TextChanged() {
  TWinControl::TextChanged();
  if (FSyncingText) return;
  // The program's text: a list offers only its items.
  if (IsListStyle()) {
    SetItemIndex(FItems->IndexOf(GetText()));
    return;
  }
  ShowSelection();
}

void TCustomComboBox::UserPicked(int Index) {
  FItemIndex = Index >= 0 && Index < FItems->GetCount() ? Index : -1;
  SyncText();
  Click();
  Select();
}

void TCustomComboBox::UserTyped(const std::string& Text) {
  {
    FlagScope syncing(FSyncingText);
    SetCaption(Text);
  }
  Change();
}

void TCustomComboBox::Change() {
  if (OnChange) OnChange(this);
}

void TCustomComboBox::Select() {
  if (OnSelect)
    OnSelect(this);
  else
    Change();
}

void TCustomComboBox::DropDown() {
  if (OnDropDown) OnDropDown(this);
}

void TCustomComboBox::CloseUp() {
  if (OnCloseUp) OnCloseUp(this);
}

void TCustomComboBox::SetDropDownCount(int Value) {
  FDropDownCount = Value;
  if (ComboWidget* combo = Combo(this)) combo->setMaxVisibleItems(std::max(Value, 1));
}

void TCustomComboBox::SetMaxLength(int Value) {
  FMaxLength = std::max(Value, 0);
  if (ComboWidget* combo = Combo(this); combo && combo->lineEdit())
    combo->lineEdit()->setMaxLength(FMaxLength > 0 ? FMaxLength : 32767);
}

bool TCustomComboBox::GetDroppedDown() const {
  ComboWidget* combo = Combo(this);
  return combo && combo->view() && combo->view()->isVisible();
}

void TCustomComboBox::SetDroppedDown(bool Value) {
  ComboWidget* combo = Combo(this);
  if (!combo) return;
  if (Value)
    combo->showPopup();
  else
    combo->hidePopup();
}

void TCustomComboBox::Clear() {
  FItems->Clear();
  FItemIndex = -1;
  SyncText();
  ShowSelection();
}

void TCustomComboBox::ItemInserted(int Index) {
  if (FItemIndex >= Index) ++FItemIndex;
  ComboWidget* combo = Combo(this);
  if (!combo || FUpdating) return;
  {
    FlagScope showing(FShowing);
    combo->insertItem(Index, ToQ(FItems->Get(Index)));
  }
  ShowSelection();
}

void TCustomComboBox::ItemDeleted(int Index) {
  if (Index == FItemIndex) {
    FItemIndex = -1;
    if (IsListStyle()) SyncText();
  } else if (Index < FItemIndex) {
    --FItemIndex;
  }
  ComboWidget* combo = Combo(this);
  if (!combo || FUpdating) return;
  {
    FlagScope showing(FShowing);
    combo->removeItem(Index);
  }
  ShowSelection();
}

void TCustomComboBox::ItemChanged(int Index) {
  if (Index == FItemIndex && IsListStyle()) SyncText();
  ComboWidget* combo = Combo(this);
  if (!combo || FUpdating) return;
  {
    FlagScope showing(FShowing);
    combo->setItemText(Index, ToQ(FItems->Get(Index)));
  }
  ShowSelection();
}

void TCustomComboBox::ItemsCleared() {
  FItemIndex = -1;
  SyncText();
  ShowItems();
}

void TCustomComboBox::ItemsUpdating(bool Updating) {
  FUpdating = Updating;
  if (!Updating) ShowItems();
}
