// Item lists, label, group box and the button family (push button, check
// box, radio button) with the form's Default and Cancel keys.

#include "platform/classlib/StdCtrls.h"

#include <QCheckBox>
#include <QImage>
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
  return RGB(mix(GetRValue(b), GetRValue(t)), mix(GetGValue(b), GetGValue(t)),
             mix(GetBValue(b), GetBValue(t)));
}

// A face a step lighter than a dark background.
TColor RaisedFace(TColor back) {
  const TColor b = ColorToRGB(back);
  auto up = [](int x) { return x + (255 - x) * 12 / 100; };
  return RGB(up(GetRValue(b)), up(GetGValue(b)), up(GetBValue(b)));
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

void TCustomGroupBox::ParentBackgroundChanged() {
  Invalidate();
}

void TCustomGroupBox::Paint() {
  TCanvas* c = GetCanvas();
  const TColor back = GetColor() == clNone ? clBtnFace : GetColor();
  c->Font->Assign(GetFont());
  const int h = c->TextHeight("0");
  const TRect frame(0, h / 2, GetWidth(), GetHeight());
  // Above the frame's top line the parent shows.
  const TWinControl* parent = GetParent();
  const TColor outside = parent && parent->GetColor() != clNone ? parent->GetColor() : back;
  c->Brush->SetStyle(bsSolid);
  c->Brush->SetColor(outside);
  c->FillRect(Rect(0, 0, GetWidth(), frame.Top));
  c->Brush->SetColor(back);
  c->FillRect(frame);
  c->Brush->SetColor(FrameColor(back, GetFont()->GetColor()));
  c->FrameRect(frame);
  const std::string& caption = GetCaption();
  if (caption.empty()) return;
  TRect text(8, 0, 8, h);
  c->DrawText(caption, text, DT_SINGLELINE | DT_CALCRECT);
  text.Right = std::min(text.Right + 2, GetWidth() - 4);
  // The caption breaks the frame's top line.
  c->Brush->SetColor(back);
  c->FillRect(Rect(text.Left, frame.Top, text.Right, frame.Top + 1));
  c->Brush->SetStyle(bsClear);
  if (!GetEnabled()) c->Font->SetColor(clGrayText);
  TRect draw(text.Left + 1, 0, text.Right, h);
  c->DrawText(caption, draw, DT_SINGLELINE | DT_LEFT);
}

// ---------------------------------------------------------------- buttons

namespace {

QAbstractButton* ButtonWidget(TControl* c) {
  return static_cast<QAbstractButton*>(c->WidgetIfCreated());
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
  stdctrls::UseStandardStyle(WidgetIfCreated());
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
    CallFromWidget(this, [this] { Click(); });
  });
  return b;
}

void TCustomButton::InitWidget() {
  TButtonControl::InitWidget();
  static_cast<QPushButton*>(WidgetIfCreated())->setDefault(FDefault);
}

void TCustomButton::ApplyColors() {
  QWidget* w = WidgetIfCreated();
  if (!w) return;
  // The face is the button's own; the parent shows around its corners.
  w->setAutoFillBackground(false);
  TColor face = GetColor() == clNone ? clBtnFace : GetColor();
  // The standard face is a light one. On a dark parent the button takes a
  // raised step of the parent's colour instead and belongs to the dark
  // look; a colour set on the button stays its own.
  const TWinControl* parent = GetParent();
  if (face == clBtnFace && parent && parent->GetColor() != clNone && stdctrls::Luma(parent->GetColor()) < 128)
    face = RaisedFace(parent->GetColor());
  // The caption reads on the face whatever colour the parent's font has.
  const TColor text = stdctrls::ReadableInk(face, GetFont()->GetColor());
  // The edge is drawn from what lies around the button.
  const TColor around = parent && parent->GetColor() != clNone ? parent->GetColor() : face;
  stdctrls::ApplyColors(w, {{face, text, QPalette::Button, QPalette::ButtonText},
                            {around, GetFont()->GetColor(), QPalette::Window, QPalette::WindowText}});
}

void TCustomButton::ParentBackgroundChanged() {
  ApplyColors();
}

bool TCustomButton::IsEnterButton() const {
  // The focused button takes Enter; while no button has the focus, the
  // Default button does.
  TCustomForm* form = GetParentForm(const_cast<TCustomButton*>(this));
  TWinControl* focused = form ? form->GetActiveControl() : nullptr;
  if (dynamic_cast<TCustomButton*>(focused)) return focused == this;
  return FDefault;
}

void TCustomButton::Dispatch(TMessage& Message) {
  if (Message.Msg == CM_DIALOGKEY && Message.LParam == 0) {
    const bool enter = Message.WParam == VK_RETURN && IsEnterButton();
    const bool escape = Message.WParam == VK_ESCAPE && FCancel;
    if ((enter || escape) && CanFocus()) {
      Message.Result = 1;
      CallGuarded(this, [this] { Click(); });
      return;
    }
  }
  TButtonControl::Dispatch(Message);
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

TCustomCheckBox::TCustomCheckBox(TComponent* AOwner) : TButtonControl(AOwner) {
  SetBounds(0, 0, 97, 17);
}

QWidget* TCustomCheckBox::CreateWidget() {
  auto* b = new QCheckBox();
  // Only the user's clicks: the program's own writes fire OnClick themselves.
  QObject::connect(b, &QAbstractButton::clicked, b, [this, b] {
    if (ControlBridge::ControlOf(b) != this || FShowing) return;
    QPointer<QCheckBox> widget = b;
    CallFromWidget(this, [this] { Toggle(); });
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
  b->setCheckState(FState == cbChecked  ? Qt::Checked
                   : FState == cbGrayed ? Qt::PartiallyChecked
                                        : Qt::Unchecked);
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
  if (QWidget* w = WidgetIfCreated())
    w->setLayoutDirection(Value == taLeftJustify ? Qt::RightToLeft : Qt::LeftToRight);
}

void TCustomCheckBox::Toggle() {
  switch (FState) {
    case cbUnchecked:
      SetState(FAllowGrayed ? cbGrayed : cbChecked);
      break;
    case cbChecked:
      SetState(cbUnchecked);
      break;
    case cbGrayed:
      SetState(cbChecked);
      break;
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
    CallFromWidget(this, [this] { SetChecked(true); });
  });
  return b;
}

void TRadioButton::InitWidget() {
  TButtonControl::InitWidget();
  WidgetIfCreated()->setStyle(stdctrls::DetailStyle());
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
  if (QWidget* w = WidgetIfCreated())
    w->setLayoutDirection(Value == taLeftJustify ? Qt::RightToLeft : Qt::LeftToRight);
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
