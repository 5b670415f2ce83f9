#include "platform/classlib/ScrollBox.h"

#include <QPointer>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <QWidget>

#include <algorithm>

#include "platform/classlib/ControlBridge.h"
#include "platform/classlib/ExtCtrlsControls.h"
#include "platform/classlib/StdCtrlsNative.h"

using stdctrls::FlagScope;

// ---------------------------------------------------------------- TControlScrollBar

void TControlScrollBar::SetRange(int Value) {
  FRange = std::max(Value, 0);
  FOwner->UpdateScrollBars();
}

void TControlScrollBar::SetPosition(int Value) {
  FOwner->ScrollTo(*this, Value);
}

void TControlScrollBar::SetVisible(bool Value) {
  FVisible = Value;
  FOwner->UpdateScrollBars();
}

// ---------------------------------------------------------------- TScrollBox

TScrollBox::TScrollBox(TComponent* AOwner) : TCustomControl(AOwner) {
  SetControlStyle(GetControlStyle() + TControlStyle{csAcceptsControls});
  SetBounds(0, 0, 185, 41);
}

TScrollBox::~TScrollBox() = default;

int TScrollBox::BarSize() const {
  QStyle* style = stdctrls::StandardStyle();
  return style ? style->pixelMetric(QStyle::PM_ScrollBarExtent) : 16;
}

int TScrollBox::GetClientWidth() const {
  return GetWidth() - (FVert.FShown ? BarSize() : 0);
}

int TScrollBox::GetClientHeight() const {
  return GetHeight() - (FHorz.FShown ? BarSize() : 0);
}

void TScrollBox::SetAutoScroll(bool Value) {
  FAutoScroll = Value;
  UpdateScrollBars();
}

void TScrollBox::SetBorderStyle(TBorderStyle Value) {
  FBorderStyle = Value;
  Invalidate();
}

void TScrollBox::InitWidget() {
  TCustomControl::InitWidget();
  QWidget* w = WidgetIfCreated();
  auto make = [&](Qt::Orientation o, TControlScrollBar& bar) {
    auto* sb = new QScrollBar(o, w);
    sb->setStyle(stdctrls::DetailStyle());
    sb->hide();
    QObject::connect(sb, &QScrollBar::valueChanged, sb, [this, w, &bar](int value) {
      if (ControlBridge::ControlOf(w) != this || FUpdating) return;
      CallFromWidget(this, [&] { ScrollTo(bar, value); });
    });
    return sb;
  };
  FHorzBar = make(Qt::Horizontal, FHorz);
  FVertBar = make(Qt::Vertical, FVert);
  ApplyBarColors();
  UpdateScrollBars();
}

void TScrollBox::ApplyBarColors() {
  for (QScrollBar* sb : {FHorzBar, FVertBar}) {
    if (sb) stdctrls::ApplyScrollBarColors(sb, GetColor(), GetFont()->GetColor());
  }
}

void TScrollBox::ColorChanged() {
  TCustomControl::ColorChanged();
  ApplyBarColors();
}

void TScrollBox::FontChanged() {
  TCustomControl::FontChanged();
  ApplyBarColors();
}

void TScrollBox::ScrollBy(int DeltaX, int DeltaY) {
  if (DeltaX == 0 && DeltaY == 0) return;
  for (int i = 0; i < GetControlCount(); ++i) {
    TControl* c = GetControls(i);
    if (c->GetAlign() != alNone) continue;
    c->SetBounds(c->GetLeft() + DeltaX, c->GetTop() + DeltaY, c->GetWidth(), c->GetHeight());
  }
}

void TScrollBox::ScrollTo(TControlScrollBar& Bar, int Position) {
  const int page = Bar.FHorizontal ? GetClientWidth() : GetClientHeight();
  Position = std::clamp(Position, 0, std::max(Bar.FRange - page, 0));
  const int delta = Position - Bar.FPosition;
  if (delta == 0) return;
  Bar.FPosition = Position;
  if (Bar.FHorizontal)
    ScrollBy(-delta, 0);
  else
    ScrollBy(0, -delta);
  PlaceBars();
}

void TScrollBox::ScrollInView(TControl* AControl) {
  if (!AControl || AControl->GetParent() != this) return;
  auto fit = [&](TControlScrollBar& bar, int start, int size, int page) {
    if (start < 0)
      ScrollTo(bar, bar.FPosition + start);
    else if (start + size > page)
      ScrollTo(bar, bar.FPosition + std::min(start, start + size - page));
  };
  fit(FHorz, AControl->GetLeft(), AControl->GetWidth(), GetClientWidth());
  fit(FVert, AControl->GetTop(), AControl->GetHeight(), GetClientHeight());
}

void TScrollBox::UpdateScrollBars() {
  if (FUpdating) return;
  {
    FlagScope updating(FUpdating);
    if (FAutoScroll) {
      int right = 0;
      int bottom = 0;
      for (int i = 0; i < GetControlCount(); ++i) {
        TControl* c = GetControls(i);
        if (!c->GetVisible() || c->GetAlign() != alNone) continue;
        right = std::max(right, c->GetLeft() + c->GetWidth() + FHorz.FPosition);
        bottom = std::max(bottom, c->GetTop() + c->GetHeight() + FVert.FPosition);
      }
      FHorz.FRange = right;
      FVert.FRange = bottom;
    }
    const int bar = BarSize();
    bool vert = FVert.FVisible && FVert.FRange > GetHeight();
    const bool horz = FHorz.FVisible && FHorz.FRange > GetWidth() - (vert ? bar : 0);
    if (horz && !vert) vert = FVert.FVisible && FVert.FRange > GetHeight() - bar;
    FHorz.FShown = horz;
    FVert.FShown = vert;
  }
  // Content that shrank (or a box that grew) needs less scrolling.
  ScrollTo(FHorz, FHorz.FPosition);
  ScrollTo(FVert, FVert.FPosition);
  PlaceBars();
}

void TScrollBox::PlaceBars() {
  if (!FHorzBar || !FVertBar) return;
  FlagScope updating(FUpdating);
  const int bar = BarSize();
  const int cw = GetClientWidth();
  const int ch = GetClientHeight();
  auto place = [&](QScrollBar* sb, TControlScrollBar& b, int page, QRect geometry) {
    sb->setVisible(b.FShown);
    if (!b.FShown) return;
    sb->setGeometry(geometry);
    sb->setRange(0, std::max(b.FRange - page, 0));
    sb->setPageStep(std::max(page, 1));
    sb->setSingleStep(b.FIncrement);
    sb->setValue(b.FPosition);
    // Above children put on the box after it.
    const QObjectList& siblings = sb->parentWidget()->children();
    for (qsizetype i = siblings.indexOf(sb) + 1; i < siblings.size(); ++i) {
      auto* other = qobject_cast<QWidget*>(siblings[i]);
      if (other && other != FHorzBar && other != FVertBar) {
        sb->raise();
        break;
      }
    }
  };
  place(FHorzBar, FHorz, cw, QRect(0, GetHeight() - bar, cw, bar));
  place(FVertBar, FVert, ch, QRect(GetWidth() - bar, 0, bar, ch));
}

void TScrollBox::Resize() {
  TCustomControl::Resize();
  UpdateScrollBars();
}

void TScrollBox::AlignControls(TControl* AControl, TRect& Rect) {
  const int b = Border();
  Rect = InflateRect(Rect, -b, -b);
  TCustomControl::AlignControls(AControl, Rect);
}

bool TScrollBox::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
  if (TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
  TControlScrollBar& bar = FVert.FShown || !FHorz.FShown ? FVert : FHorz;
  if (!bar.FShown) return false;
  ScrollTo(bar, bar.FPosition - WheelDelta * bar.FIncrement * 3 / WHEEL_DELTA);
  return true;
}

void TScrollBox::Paint() {
  TCanvas* c = GetCanvas();
  const TColor face = GetColor() == clNone ? clBtnFace : GetColor();
  c->Brush->SetStyle(bsSolid);
  c->Brush->SetColor(face);
  c->FillRect(GetClientRect());
  if (FBorderStyle == bsSingle) {
    c->Brush->SetColor(BevelShadow(face));
    c->FrameRect(Rect(0, 0, GetWidth(), GetHeight()));
  }
  // Children may have moved since the last look at the ranges; not inside
  // the paint itself.
  QPointer<QWidget> w = WidgetIfCreated();
  QTimer::singleShot(0, w, [this, w] {
    if (w && ControlBridge::ControlOf(w) == this) UpdateScrollBars();
  });
}
