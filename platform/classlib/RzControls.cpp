// The group box with its paint event and window hook, and the push button
// that can wear its own colour.

#include "platform/classlib/RzControls.h"

#include <QEvent>
#include <QPainter>
#include <QPushButton>

#include <algorithm>

#include "platform/classlib/ControlBridge.h"
#include "platform/classlib/StdCtrlsNative.h"

namespace {

// A line between the face and the text colour: seen on light and dark faces
// alike, never loud.
TColor LineColor(TColor back, TColor text) {
  const TColor b = ColorToRGB(back);
  const TColor t = ColorToRGB(text);
  auto mix = [](int x, int y) { return x + (y - x) * 2 / 5; };
  return RGB(mix(GetRValue(b), GetRValue(t)), mix(GetGValue(b), GetGValue(t)),
             mix(GetBValue(b), GetBValue(t)));
}

}  // namespace

// ---------------------------------------------------------------- TRzGroupBox

TRzGroupBox::TRzGroupBox(TComponent* AOwner) : TGroupBox(AOwner) {}

void TRzGroupBox::SetShowFrame(bool Value) {
  if (Value == FShowFrame) return;
  FShowFrame = Value;
  Realign();
  Invalidate();
}

void TRzGroupBox::InitWidget() {
  TGroupBox::InitWidget();
  CreateWnd();
}

void TRzGroupBox::AlignControls(TControl* AControl, TRect& Rect) {
  if (!GetCaption().empty()) {
    TGroupBox::AlignControls(AControl, Rect);
    return;
  }
  // Without a caption the box is a plain panel: only the frame is kept clear.
  if (FShowFrame) Rect = InflateRect(Rect, -1, -1);
  TCustomControl::AlignControls(AControl, Rect);
}

void TRzGroupBox::Paint() {
  TCanvas* c = GetCanvas();
  const TRect all = GetClientRect();
  const TColor back = GetColor() == clNone ? clBtnFace : GetColor();
  c->Font->Assign(GetFont());
  const std::string& caption = GetCaption();
  const int textHeight = caption.empty() ? 0 : c->TextHeight("0");
  // A captioned frame starts half a caption down; above it the parent shows.
  const int frameTop = FShowFrame ? textHeight / 2 : 0;
  c->Brush->SetStyle(bsSolid);
  if (frameTop > 0) {
    const TWinControl* parent = GetParent();
    const TColor outside = parent && parent->GetColor() != clNone ? parent->GetColor() : back;
    c->Brush->SetColor(outside);
    c->FillRect(Rect(all.Left, all.Top, all.Right, frameTop));
  }
  const TRect face(all.Left, frameTop, all.Right, all.Bottom);
  c->Brush->SetColor(back);
  c->FillRect(face);
  if (FShowFrame) {
    c->Brush->SetColor(LineColor(back, GetFont()->GetColor()));
    c->FrameRect(face);
  }
  if (!caption.empty()) {
    TRect text(8, 0, 8, textHeight);
    c->DrawText(caption, text, DT_SINGLELINE | DT_CALCRECT);
    text.Left = 6;
    text.Right = std::min(text.Right + 4, all.Right - 4);
    // The caption sits on a tab of the face that breaks the frame.
    c->Brush->SetColor(back);
    c->FillRect(text);
    c->Brush->SetStyle(bsClear);
    if (!GetEnabled()) c->Font->SetColor(clGrayText);
    TRect draw(8, 0, text.Right, textHeight);
    c->DrawText(caption, draw, DT_SINGLELINE | DT_LEFT);
  }
  if (OnPaint) OnPaint(this);
}

// ---------------------------------------------------------------- TRzButton

// Paints a button that is not theme-aware: a flat face in the button's own
// Color, crisp edge, caption in the font's colour.
class RzButtonPainter : public QObject {
 public:
  explicit RzButtonPainter(TRzButton* b) : button(b) {}
  TRzButton* button;

  bool eventFilter(QObject* watched, QEvent* e) override {
    if (e->type() != QEvent::Paint || !button || button->FThemeAware) return false;
    auto* w = qobject_cast<QPushButton*>(watched);
    if (!w || ControlBridge::ControlOf(w) != button) return false;
    const TColor faceColor = button->GetColor() == clNone ? clBtnFace : button->GetColor();
    QColor face = ToQColor(faceColor);
    if (w->isDown()) face = face.darker(115);
    QColor text = ToQColor(button->GetFont()->GetColor());
    if (!w->isEnabled()) {
      text = QColor((text.red() + face.red()) / 2, (text.green() + face.green()) / 2,
                    (text.blue() + face.blue()) / 2);
    }
    QPainter p(w);
    const QRect r = w->rect();
    p.fillRect(r, face);
    p.setPen(face.darker(160));
    p.drawRect(r.adjusted(0, 0, -1, -1));
    if (w->hasFocus()) {
      p.setPen(QPen(text, 1, Qt::DotLine));
      p.drawRect(r.adjusted(2, 2, -3, -3));
    }
    p.setPen(text);
    p.setFont(w->font());
    p.drawText(r.translated(0, w->isDown() ? 1 : 0), Qt::AlignCenter | Qt::TextShowMnemonic, w->text());
    return true;
  }
};

TRzButton::TRzButton(TComponent* AOwner) : TButton(AOwner) {}

TRzButton::~TRzButton() {
  // The painter lives with the widget, which may outlast this object by a
  // moment (freed later when a handler freed the button).
  if (WidgetIfCreated() && FPainter) static_cast<RzButtonPainter*>(FPainter)->button = nullptr;
}

void TRzButton::InitWidget() {
  TButton::InitWidget();
  auto* painter = new RzButtonPainter(this);
  painter->setParent(WidgetIfCreated());
  WidgetIfCreated()->installEventFilter(painter);
  FPainter = painter;
}

void TRzButton::SetThemeAware(bool Value) {
  if (Value == FThemeAware) return;
  FThemeAware = Value;
  ApplyColors();
  Invalidate();
}

void TRzButton::ApplyColors() {
  TButton::ApplyColors();
  QWidget* w = WidgetIfCreated();
  if (!w || !FThemeAware) return;
  stdctrls::ApplyColors(w, clBtnFace, clBtnText, QPalette::Button, QPalette::ButtonText);
}
