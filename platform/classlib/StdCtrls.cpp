// Item lists, label, group box and the button family (push button, check
// box, radio button) with the form's Default and Cancel keys.

#include "platform/classlib/StdCtrls.h"

#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

#include "platform/classlib/ControlBridge.h"
#include "platform/classlib/StdCtrlsNative.h"

using stdctrls::ToQ;

// ---------------------------------------------------------------- TControlStrings

void TControlStrings::CheckIndex(int Index) const {
  if (Index < 0 || Index >= GetCount()) Error(Index);
}

std::string TControlStrings::Get(int Index) const {
  CheckIndex(Index);
  return FItems[static_cast<size_t>(Index)].S;
}

void TControlStrings::Put(int Index, const std::string& S) {
  CheckIndex(Index);
  FItems[static_cast<size_t>(Index)].S = S;
  if (FOwner) FOwner->ItemChanged(Index);
}

TObject* TControlStrings::GetObject(int Index) const {
  CheckIndex(Index);
  return FItems[static_cast<size_t>(Index)].Obj;
}

void TControlStrings::PutObject(int Index, TObject* AObject) {
  CheckIndex(Index);
  FItems[static_cast<size_t>(Index)].Obj = AObject;
}

void TControlStrings::Insert(int Index, const std::string& S) {
  if (Index < 0 || Index > GetCount()) Error(Index);
  FItems.insert(FItems.begin() + Index, Item{S, nullptr});
  if (FOwner) FOwner->ItemInserted(Index);
}

void TControlStrings::Delete(int Index) {
  CheckIndex(Index);
  FItems.erase(FItems.begin() + Index);
  if (FOwner) FOwner->ItemDeleted(Index);
}

void TControlStrings::Clear() {
  if (FItems.empty()) return;
  FItems.clear();
  if (FOwner) FOwner->ItemsCleared();
}

std::vector<std::string> TControlStrings::Snapshot() const {
  std::vector<std::string> out;
  out.reserve(FItems.size());
  for (const Item& i : FItems) out.push_back(i.S);
  return out;
}

void TControlStrings::ReplaceQuietly(std::vector<std::string> Lines) {
  FItems.clear();
  FItems.reserve(Lines.size());
  for (std::string& s : Lines) FItems.push_back(Item{std::move(s), nullptr});
}

void TControlStrings::SetUpdateState(bool Updating) {
  if (FOwner) FOwner->ItemsUpdating(Updating);
}

// ---------------------------------------------------------------- TCustomLabel

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetControlStyle(GetControlStyle() + TControlStyle{csOpaque, csReplicatable});
  SetBounds(0, 0, 65, 17);
  AdjustBounds();
}

void TCustomLabel::SetAutoSize(bool Value) {
  if (Value == FAutoSize) return;
  FAutoSize = Value;
  AdjustBounds();
}

void TCustomLabel::SetAlignment(TAlignment Value) {
  if (Value == FAlignment) return;
  FAlignment = Value;
  Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout Value) {
  if (Value == FLayout) return;
  FLayout = Value;
  Invalidate();
}

void TCustomLabel::SetTransparent(bool Value) {
  if (Value == FTransparent) return;
  FTransparent = Value;
  Invalidate();
}

void TCustomLabel::SetWordWrap(bool Value) {
  if (Value == FWordWrap) return;
  FWordWrap = Value;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool Value) {
  if (Value == FShowAccelChar) return;
  FShowAccelChar = Value;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* Value) {
  if (Value == FFocusControl) return;
  if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
  FFocusControl = Value;
  // Told when that control is freed first.
  if (Value) Value->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent* AComponent, TOperation Operation) {
  TGraphicControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

unsigned TCustomLabel::DrawTextFlags() const {
  unsigned flags = DT_EXPANDTABS;
  if (FWordWrap) flags |= DT_WORDBREAK;
  if (FAlignment == taCenter) flags |= DT_CENTER;
  if (FAlignment == taRightJustify) flags |= DT_RIGHT;
  if (!FShowAccelChar) flags |= DT_NOPREFIX;
  return flags;
}

void TCustomLabel::DoDrawText(TCanvas* Canvas, TRect& R, unsigned Flags) {
  std::string text = GetCaption();
  // An empty caption still measures one line high.
  if ((Flags & DT_CALCRECT) && (text.empty() || (FShowAccelChar && text == "&"))) text += ' ';
  Canvas->Font->Assign(GetFont());
  Canvas->Brush->SetStyle(bsClear);
  if (!(Flags & DT_CALCRECT) && !GetEnabled()) Canvas->Font->SetColor(clGrayText);
  Canvas->DrawText(text, R, Flags);
}

TSize TCustomLabel::TextSize() const {
  TCanvas measure;
  TRect r = GetClientRect();
  if (!FWordWrap) r.Right = r.Left;
  const_cast<TCustomLabel*>(this)->DoDrawText(&measure, r, DrawTextFlags() | DT_CALCRECT);
  return TSize(r.Width(), r.Height());
}

void TCustomLabel::AdjustBounds() {
  if (!FAutoSize || GetComponentState().Contains(csLoading)) return;
  TSize size = TextSize();
  int left = GetLeft();
  // A right-aligned label keeps its right edge.
  if (FAlignment == taRightJustify) left += GetWidth() - size.cx;
  SetBounds(left, GetTop(), FWordWrap ? GetWidth() : size.cx, size.cy);
}

void TCustomLabel::TextChanged() {
  TGraphicControl::TextChanged();
  AdjustBounds();
}

void TCustomLabel::FontChanged() {
  TGraphicControl::FontChanged();
  AdjustBounds();
}

void TCustomLabel::Paint() {
  TCanvas* canvas = GetCanvas();
  if (QImage* image = canvas->GetImage()) {
    if (FTransparent || GetColor() == clNone)
      image->fill(Qt::transparent);
    else
      image->fill(ToQColor(GetColor()));
  }
  TRect r = GetClientRect();
  const unsigned flags = DrawTextFlags();
  if (FLayout != tlTop) {
    TRect calc = r;
    DoDrawText(canvas, calc, flags | DT_CALCRECT);
    int offset = r.Height() - calc.Height();
    if (FLayout == tlCenter) offset /= 2;
    r.Top += offset;
  }
  DoDrawText(canvas, r, flags);
}

// ---------------------------------------------------------------- TCustomGroupBox

namespace {

// A line colour between the background and the text: visible on light and
// dark faces alike, never loud.
TColor FrameColor(TColor back, TColor text) {
  TColor b = ColorToRGB(back == clNone ? clBtnFace : back);
  TColor t = ColorToRGB(text);
  auto mix = [](int x, int y) { return x + (y - x) * 2 / 5; };
  return RGB(mix(GetRValue(b), GetRValue(t)), mix(GetGValue(b), GetGValue(t)), mix(GetBValue(b), GetBValue(t)));
}

}  // namespace

TCustomGroupBox::TCustomGroupBox(TComponent* AOwner) : TCustomControl(AOwner) {
  SetControlStyle(GetControlStyle() + TControlStyle{csAcceptsControls, csOpaque, csReplicatable});
  SetBounds(0, 0, 185, 105);
}

int TCustomGroupBox::CaptionHeight() const {
  TCanvas measure;
  measure.Font->Assign(GetFont());
  return measure.TextHeight("0");
}

void TCustomGroupBox::AlignControls(TControl* AControl, TRect& Rect) {
  // Aligned children stay inside the frame and below the caption.
  Rect.Top += CaptionHeight();
  Rect = InflateRect(Rect, -2, -2);
  TCustomControl::AlignControls(AControl, Rect);
}

void TCustomGroupBox::Paint() {
  TCanvas* c = GetCanvas();
  const TColor back = GetColor() == clNone ? clBtnFace : GetColor();
  c->Brush->SetStyle(bsSolid);
  c->Brush->SetColor(back);
  c->FillRect(GetClientRect());
  c->Font->Assign(GetFont());
  const int h = c->TextHeight("0");
  const TRect frame(0, h / 2, GetWidth(), GetHeight());
  c->Brush->SetColor(FrameColor(back, GetFont()->GetColor()));
  c->FrameRect(frame);
  const std::string& caption = GetCaption();
  if (caption.empty()) return;
  TRect text(8, 0, 8, h);
  c->DrawText(caption, text, DT_SINGLELINE | DT_CALCRECT);
  text.Right = std::min(text.Right + 2, GetWidth() - 4);
  c->Brush->SetColor(back);
  c->FillRect(text);
  c->Brush->SetStyle(bsClear);
  if (!GetEnabled()) c->Font->SetColor(clGrayText);
  TRect draw(text.Left + 1, 0, text.Right, h);
  c->DrawText(caption, draw, DT_SINGLELINE | DT_LEFT);
}

// ---------------------------------------------------------------- buttons

namespace {

QAbstractButton* ButtonWidget(TControl* c) { return static_cast<QAbstractButton*>(c->WidgetIfCreated()); }

// The control a widget (or a part of it) shows.
TControl* ControlOfWidget(QWidget* w) {
  for (; w; w = w->parentWidget()) {
    if (TControl* c = ControlBridge::ControlOf(w)) return c;
    if (w->isWindow()) break;
  }
  return nullptr;
}

TCustomButton* FindButton(TWinControl* parent, bool wantDefault) {
  for (int i = 0; i < parent->GetControlCount(); ++i) {
    TControl* c = parent->GetControls(i);
    if (auto* b = dynamic_cast<TCustomButton*>(c)) {
      if ((wantDefault ? b->GetDefault() : b->GetCancel()) && b->CanFocus()) return b;
    }
    if (auto* w = dynamic_cast<TWinControl*>(c); w && w->GetVisible() && w->GetEnabled()) {
      if (TCustomButton* found = FindButton(w, wantDefault)) return found;
    }
  }
  return nullptr;
}

// The form's dialog keys: Enter clicks the focused button or the Default
// one, Escape the Cancel one. Runs before the focused control sees the key,
// so a control handles Enter itself only on a form without a Default button.
class DialogKeyFilter : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (e->type() != QEvent::KeyPress) return false;
    auto* ke = static_cast<QKeyEvent*>(e);
    const bool enter = ke->key() == Qt::Key_Return || ke->key() == Qt::Key_Enter;
    const bool escape = ke->key() == Qt::Key_Escape;
    if (!enter && !escape) return false;
    if ((ke->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
    QWidget* focus = QApplication::focusWidget();
    // Once per key, where the key is delivered first.
    if (!focus || watched != focus) return false;
    TControl* focused = ControlOfWidget(focus);
    if (!focused) return false;
    TCustomForm* form = GetParentForm(focused);
    if (!form) return false;
    TCustomButton* target = nullptr;
    if (enter) {
      if (auto* b = dynamic_cast<TCustomButton*>(focused))
        target = b;
      else if (auto* memo = dynamic_cast<TCustomMemo*>(focused); memo && memo->GetWantReturns())
        return false;
      else
        target = FindButton(form, true);
    } else {
      target = FindButton(form, false);
    }
    if (!target) return false;
    CallGuarded(target, [target] { target->Click(); });
    return true;
  }
};

void InstallDialogKeys() {
  static QPointer<QObject> filter;
  if (filter || !qApp) return;
  filter = new DialogKeyFilter();
  filter->setParent(qApp);
  qApp->installEventFilter(filter);
}

}  // namespace

TButtonControl::TButtonControl(TComponent* AOwner) : TWinControl(AOwner) {
  // Clicks come from the toolkit's button, not from mouse-up.
  SetControlStyle(TControlStyle{csSetCaption, csDoubleClicks});
  SetTabStop(true);
}

void TButtonControl::SetWordWrap(bool Value) {
  if (Value == FWordWrap) return;
  FWordWrap = Value;
  ApplyCaption();
}

void TButtonControl::InitWidget() {
  TWinControl::InitWidget();
  stdctrls::NativeInput(WidgetIfCreated(), true);
  ApplyCaption();
  ApplyColors();
}

void TButtonControl::ApplyCaption() {
  if (QAbstractButton* b = ButtonWidget(this)) {
    QString text = ToQ(GetCaption());
    // The toolkit's buttons do not wrap; a line break stands in.
    if (FWordWrap) text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    b->setText(text);
  }
}

void TButtonControl::TextChanged() {
  TWinControl::TextChanged();
  ApplyCaption();
}

void TButtonControl::ColorChanged() {
  TWinControl::ColorChanged();
  ApplyColors();
}

void TButtonControl::FontChanged() {
  TWinControl::FontChanged();
  ApplyColors();
}

void TButtonControl::ApplyColors() {
  QWidget* w = WidgetIfCreated();
  if (!w) return;
  // Check and radio boxes: the caption on the control's Color, the box in a
  // field shade of it with the mark in the caption's colour.
  const TColor back = GetColor();
  const TColor text = GetFont()->GetColor();
  stdctrls::ApplyColors(w, {{back, text, QPalette::Window, QPalette::WindowText},
                            {back, text, QPalette::Button, QPalette::ButtonText},
                            {stdctrls::FieldColorFor(back), text, QPalette::Base, QPalette::Text}});
}

// ---------------------------------------------------------------- TCustomButton

namespace {

class PushButtonWidget : public QPushButton {
 public:
  PushButtonWidget() { setAutoDefault(false); }
};

}  // namespace

TCustomButton::TCustomButton(TComponent* AOwner) : TButtonControl(AOwner) {
  SetBounds(0, 0, 75, 25);
  SetColor(clBtnFace);
}

QWidget* TCustomButton::CreateWidget() {
  auto* b = new PushButtonWidget();
  QObject::connect(b, &QAbstractButton::clicked, b, [this, b] {
    if (ControlBridge::ControlOf(b) != this) return;
    CallGuarded(this, [this] { Click(); });
  });
  return b;
}

void TCustomButton::InitWidget() {
  TButtonControl::InitWidget();
  InstallDialogKeys();
  static_cast<QPushButton*>(WidgetIfCreated())->setDefault(FDefault);
}

void TCustomButton::ApplyColors() {
  QWidget* w = WidgetIfCreated();
  if (!w) return;
  // The face is the button's own; the parent shows around its corners.
  w->setAutoFillBackground(false);
  stdctrls::ApplyColors(w, GetColor(), GetFont()->GetColor(), QPalette::Button, QPalette::ButtonText);
}

void TCustomButton::SetDefault(bool Value) {
  FDefault = Value;
  if (auto* b = static_cast<QPushButton*>(WidgetIfCreated())) b->setDefault(Value);
}

void TCustomButton::Click() {
  if (FModalResult != mrNone) {
    if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(FModalResult);
  }
  TButtonControl::Click();
}

// ---------------------------------------------------------------- TCustomCheckBox

TCustomCheckBox::TCustomCheckBox(TComponent* AOwner) : TButtonControl(AOwner) { SetBounds(0, 0, 97, 17); }

QWidget* TCustomCheckBox::CreateWidget() {
  auto* b = new QCheckBox();
  // Only the user's clicks: the program's own writes fire OnClick themselves.
  QObject::connect(b, &QAbstractButton::clicked, b, [this, b] {
    if (ControlBridge::ControlOf(b) != this || FShowing) return;
    QPointer<QCheckBox> widget = b;
    CallGuarded(this, [this] { Toggle(); });
    // A handler may have freed the check box.
    if (widget && ControlBridge::ControlOf(widget) == this) ShowState();
  });
  return b;
}

void TCustomCheckBox::InitWidget() {
  TButtonControl::InitWidget();
  auto* b = static_cast<QCheckBox*>(WidgetIfCreated());
  b->setLayoutDirection(FAlignment == taLeftJustify ? Qt::RightToLeft : Qt::LeftToRight);
  ShowState();
}

void TCustomCheckBox::ShowState() {
  auto* b = static_cast<QCheckBox*>(WidgetIfCreated());
  if (!b) return;
  FShowing = true;
  b->setTristate(FAllowGrayed || FState == cbGrayed);
  b->setCheckState(FState == cbChecked ? Qt::Checked : FState == cbGrayed ? Qt::PartiallyChecked : Qt::Unchecked);
  FShowing = false;
}

void TCustomCheckBox::SetState(TCheckBoxState Value) {
  if (Value == FState) return;
  FState = Value;
  ShowState();
  Click();
}

void TCustomCheckBox::SetAllowGrayed(bool Value) {
  FAllowGrayed = Value;
  ShowState();
}

void TCustomCheckBox::SetAlignment(TAlignment Value) {
  FAlignment = Value;
  if (QWidget* w = WidgetIfCreated()) w->setLayoutDirection(Value == taLeftJustify ? Qt::RightToLeft : Qt::LeftToRight);
}

void TCustomCheckBox::Toggle() {
  switch (FState) {
    case cbUnchecked: SetState(FAllowGrayed ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
    case cbGrayed: SetState(cbChecked); break;
  }
}

// ---------------------------------------------------------------- TRadioButton

TRadioButton::TRadioButton(TComponent* AOwner) : TButtonControl(AOwner) {
  SetBounds(0, 0, 113, 17);
  SetTabStop(false);
}

QWidget* TRadioButton::CreateWidget() {
  auto* b = new QRadioButton();
  // The siblings are kept exclusive here, by the class library's rules.
  b->setAutoExclusive(false);
  QObject::connect(b, &QAbstractButton::clicked, b, [this, b] {
    if (ControlBridge::ControlOf(b) != this || FShowing) return;
    // A click never unchecks a radio button.
    if (FChecked) {
      ShowChecked();
      return;
    }
    CallGuarded(this, [this] { SetChecked(true); });
  });
  return b;
}

void TRadioButton::InitWidget() {
  TButtonControl::InitWidget();
  WidgetIfCreated()->setLayoutDirection(FAlignment == taLeftJustify ? Qt::RightToLeft : Qt::LeftToRight);
  ShowChecked();
}

void TRadioButton::ShowChecked() {
  auto* b = static_cast<QRadioButton*>(WidgetIfCreated());
  if (!b) return;
  FShowing = true;
  b->setChecked(FChecked);
  FShowing = false;
}

void TRadioButton::SetAlignment(TAlignment Value) {
  FAlignment = Value;
  if (QWidget* w = WidgetIfCreated()) w->setLayoutDirection(Value == taLeftJustify ? Qt::RightToLeft : Qt::LeftToRight);
}

void TRadioButton::TurnSiblingsOff() {
  TWinControl* parent = GetParent();
  if (!parent) return;
  for (int i = 0; i < parent->GetControlCount(); ++i) {
    if (auto* r = dynamic_cast<TRadioButton*>(parent->GetControls(i)); r && r != this) r->SetChecked(false);
  }
}

void TRadioButton::SetChecked(bool Value) {
  if (Value == FChecked) return;
  FChecked = Value;
  // Only the checked button of a group is reached by the Tab key.
  SetTabStop(Value);
  ShowChecked();
  if (!Value) return;
  TurnSiblingsOff();
  Click();
}
