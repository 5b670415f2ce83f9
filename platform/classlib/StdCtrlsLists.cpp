// The list box and the combo box over the toolkit's list widgets. The items
// live in the control (TControlStrings); the widget only shows them.

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QImage>
#include <QPainter>
#include <QStyle>
#include <QStyledItemDelegate>

#include <algorithm>
#include <cstdlib>
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

QListWidget* ListWidget(const TControl* c) {
  return static_cast<QListWidget*>(c->WidgetIfCreated());
}

}  // namespace

// Every row of a list box is ItemHeight pixels high; the owner-drawn styles
// draw their rows themselves.
class ListRowDelegate : public QStyledItemDelegate {
 public:
  ListRowDelegate(TCustomListBox* list, QObject* parent) : QStyledItemDelegate(parent), FList(list) {}
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QSize s = QStyledItemDelegate::sizeHint(option, index);
    s.setHeight(std::max(FList->GetItemHeight(), 1));
    return s;
  }
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    if (FList->GetStyle() == lbStandard) {
      QStyledItemDelegate::paint(painter, option, index);
      return;
    }
    FList->PaintRow(painter, option.rect, index.row(), option.state.testFlag(QStyle::State_Selected));
  }

 private:
  TCustomListBox* FList;
};

// ---------------------------------------------------------------- TCustomListControl

TCustomListControl::TCustomListControl(TComponent* AOwner, int AWidth, int AHeight)
    : TWinControl(AOwner), FItems(std::make_unique<TControlStrings>(static_cast<TItemsOwner*>(this))) {
  // A selection by the user is the click.
  SetControlStyle(TControlStyle{csSetCaption, csDoubleClicks});
  SetBounds(0, 0, AWidth, AHeight);
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
}

TCustomListControl::~TCustomListControl() = default;

void TCustomListControl::ColorChanged() {
  TWinControl::ColorChanged();
  ApplyColors();
}

void TCustomListControl::FontChanged() {
  TWinControl::FontChanged();
  ApplyColors();
}

int TCustomListControl::ValidIndex(int Index) const {
  return Index >= 0 && Index < FItems->GetCount() ? Index : -1;
}

bool TCustomListControl::CanShow() const {
  return WidgetIfCreated() && !FUpdating;
}

void TCustomListControl::ShowItems() {
  if (!CanShow()) return;
  {
    FlagScope showing(FShowing);
    WidgetSetItems(FItems->Snapshot());
  }
  ShowSelection();
}

void TCustomListControl::ShowSelection() {
  if (!CanShow()) return;
  FlagScope showing(FShowing);
  WidgetShowSelection();
}

void TCustomListControl::ItemInserted(int Index) {
  // The selected item stays selected as rows go in before it.
  if (FItemIndex >= Index) ++FItemIndex;
  if (!CanShow()) return;
  {
    FlagScope showing(FShowing);
    WidgetInsertItem(Index, FItems->Get(Index));
  }
  ShowSelection();
}

void TCustomListControl::ItemDeleted(int Index) {
  if (Index == FItemIndex) {
    FItemIndex = -1;
    SelectedItemChanged();
  } else if (Index < FItemIndex) {
    --FItemIndex;
  }
  if (!CanShow()) return;
  {
    FlagScope showing(FShowing);
    WidgetDeleteItem(Index);
  }
  ShowSelection();
}

void TCustomListControl::ItemChanged(int Index) {
  if (Index == FItemIndex) SelectedItemChanged();
  if (!CanShow()) return;
  FlagScope showing(FShowing);
  WidgetChangeItem(Index, FItems->Get(Index));
}

void TCustomListControl::ItemsCleared() {
  FItemIndex = -1;
  AllItemsCleared();
  ShowItems();
}

void TCustomListControl::ItemsUpdating(bool Updating) {
  FUpdating = Updating;
  if (!Updating) ShowItems();
}

// ---------------------------------------------------------------- TCustomListBox

TCustomListBox::TCustomListBox(TComponent* AOwner) : TCustomListControl(AOwner, 121, 97) {}

TCustomListBox::~TCustomListBox() = default;

QWidget* TCustomListBox::CreateWidget() {
  auto* list = new QListWidget();
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  list->setUniformItemSizes(true);
  list->setItemDelegate(new ListRowDelegate(this, list));
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

void TCustomListBox::WidgetSetItems(const std::vector<std::string>& Items) {
  QListWidget* list = ListWidget(this);
  list->clear();
  list->addItems(ToQList(Items));
}

void TCustomListBox::WidgetInsertItem(int Index, const std::string& S) {
  ListWidget(this)->insertItem(Index, ToQ(S));
}

void TCustomListBox::WidgetDeleteItem(int Index) {
  delete ListWidget(this)->takeItem(Index);
}

void TCustomListBox::WidgetChangeItem(int Index, const std::string& S) {
  if (QListWidgetItem* item = ListWidget(this)->item(Index)) item->setText(ToQ(S));
}

void TCustomListBox::WidgetShowSelection() {
  QListWidget* list = ListWidget(this);
  if (FItemIndex < 0) {
    list->setCurrentRow(-1);
    list->clearSelection();
    return;
  }
  list->setCurrentRow(FItemIndex);
  list->scrollToItem(list->item(FItemIndex));
}

void TCustomListBox::SetItemIndex(int Value) {
  FItemIndex = ValidIndex(Value);
  ShowSelection();
}

void TCustomListBox::UserSelected(int Index) {
  // While a press may become a drag the selection stays with the pressed row.
  if (FDragPending) {
    ShowSelection();
    return;
  }
  FItemIndex = ValidIndex(Index);
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

TRect TCustomListBox::ItemRect(int Index) const {
  if (Index < 0 || Index >= GetCount()) return TRect();
  const int h = std::max(FItemHeight, 1);
  QListWidget* list = ListWidget(this);
  const int top = (Index - GetTopIndex()) * h;
  const int width = list ? list->viewport()->width() : GetClientWidth();
  const QPoint origin = list ? list->viewport()->mapTo(list, QPoint(0, 0)) : QPoint(0, 0);
  return Rect(origin.x(), origin.y() + top, origin.x() + width, origin.y() + top + h);
}

void TCustomListBox::PaintRow(QPainter* Painter, const QRect& Row, int Index, bool Selected) {
  if (Row.isEmpty()) return;
  QImage image(Row.size(), QImage::Format_RGB32);
  image.fill(ToQColor(GetColor()));
  if (!FCanvas) FCanvas = std::make_unique<TCanvas>();
  FCanvas->SetImage(&image);
  // Rows are drawn in the control's coordinates, as ItemRect gives them.
  QListWidget* list = ListWidget(this);
  const QPoint origin = list ? list->viewport()->mapTo(list, Row.topLeft()) : Row.topLeft();
  FCanvas->SetWindowOrg(TPoint(origin.x(), origin.y()));
  FCanvas->Font->Assign(GetFont());
  FCanvas->Brush->SetStyle(bsSolid);
  FCanvas->Brush->SetColor(GetColor());
  FCanvas->Pen->SetColor(clBlack);
  TOwnerDrawState state;
  if (Selected) state << odSelected;
  if (!GetEnabled()) state << odDisabled;
  if (Focused() && Index == FItemIndex) state << odFocused;
  try {
    DrawItem(Index, Rect(origin.x(), origin.y(), origin.x() + Row.width(), origin.y() + Row.height()), state);
  } catch (...) {
    // A failing row draws what it drew; a paint shows no message window.
  }
  FCanvas->SetWindowOrg(TPoint(0, 0));
  FCanvas->SetImage(nullptr);
  Painter->drawImage(Row.topLeft(), image);
}

void TCustomListBox::DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) {
  if (OnDrawItem) {
    OnDrawItem(this, Index, Rect, State);
    return;
  }
  TCanvas* c = FCanvas.get();
  if (State.Contains(odSelected)) {
    c->Brush->SetColor(clHighlight);
    c->Font->SetColor(clHighlightText);
  }
  c->FillRect(Rect);
  if (Index >= 0 && Index < GetCount()) {
    c->Brush->SetStyle(bsClear);
    c->TextOut(Rect.Left + 2, Rect.Top, FItems->Get(Index));
  }
}

bool TCustomListBox::DragOver(TObject* Source, int X, int Y) {
  bool accept = false;
  if (OnDragOver) OnDragOver(this, Source, X, Y, accept);
  return accept;
}

void TCustomListBox::DragDrop(TObject* Source, int X, int Y) {
  if (OnDragDrop) OnDragDrop(this, Source, X, Y);
}

void TCustomListBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  FDragPending = FDragMode == dmAutomatic && Button == mbLeft && ItemAtPos(TPoint(X, Y), true) >= 0;
  FDragging = false;
  FDragStart = TPoint(X, Y);
  TCustomListControl::MouseDown(Button, Shift, X, Y);
}

void TCustomListBox::MouseMove(TShiftState Shift, int X, int Y) {
  // A few pixels of movement with the button held make the press a drag.
  if (FDragPending && !FDragging && (std::abs(X - FDragStart.X) > 4 || std::abs(Y - FDragStart.Y) > 4)) {
    FDragging = true;
    SetCursor(crDrag);
  }
  TCustomListControl::MouseMove(Shift, X, Y);
}

void TCustomListBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  const bool dropped = FDragging && Button == mbLeft;
  if (Button == mbLeft) {
    if (FDragging) SetCursor(crDefault);
    FDragPending = false;
    FDragging = false;
  }
  if (dropped && X >= 0 && Y >= 0 && X < GetWidth() && Y < GetHeight() && DragOver(this, X, Y))
    DragDrop(this, X, Y);
  TCustomListControl::MouseUp(Button, Shift, X, Y);
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

ComboWidget* Combo(const TControl* c) {
  return static_cast<ComboWidget*>(c->WidgetIfCreated());
}

}  // namespace

TCustomComboBox::TCustomComboBox(TComponent* AOwner) : TCustomListControl(AOwner, 145, 21) {}

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
    // The toolkit selects the item that the edit's text names when editing
    // ends (focus lost, Enter): a pick the user never made. The selected
    // index stays as it was until the user picks an item.
    QObject::disconnect(edit, &QLineEdit::editingFinished, combo, nullptr);
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

void TCustomComboBox::WidgetSetItems(const std::vector<std::string>& Items) {
  ComboWidget* combo = Combo(this);
  combo->clear();
  combo->addItems(ToQList(Items));
}

void TCustomComboBox::WidgetInsertItem(int Index, const std::string& S) {
  Combo(this)->insertItem(Index, ToQ(S));
}

void TCustomComboBox::WidgetDeleteItem(int Index) {
  Combo(this)->removeItem(Index);
}

void TCustomComboBox::WidgetChangeItem(int Index, const std::string& S) {
  Combo(this)->setItemText(Index, ToQ(S));
  // Renaming the current item rewrites an editable combo's text.
  WidgetShowSelection();
}

void TCustomComboBox::WidgetShowSelection() {
  ComboWidget* combo = Combo(this);
  combo->setCurrentIndex(FItemIndex);
  // An editable combo may show a text that is no item.
  if (combo->isEditable()) combo->setEditText(ToQ(GetText()));
}

void TCustomComboBox::SelectedItemChanged() {
  if (IsListStyle()) SyncText();
}

void TCustomComboBox::AllItemsCleared() {
  SyncText();
}

void TCustomComboBox::SyncText() {
  FlagScope syncing(FSyncingText);
  SetCaption(FItemIndex >= 0 ? FItems->Get(FItemIndex) : std::string());
}

void TCustomComboBox::SetItemIndex(int Value) {
  FItemIndex = ValidIndex(Value);
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
  FItemIndex = ValidIndex(Index);
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
