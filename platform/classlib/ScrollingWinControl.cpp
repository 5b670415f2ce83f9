#include "platform/classlib/ScrollingWinControl.h"

#include <QPointer>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <QWidget>

#include <algorithm>

#include "platform/classlib/ControlBridge.h"
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

// ---------------------------------------------------------------- TScrollingWinControl

TScrollingWinControl::TScrollingWinControl(TComponent* AOwner) : TWinControl(AOwner) {}

TScrollingWinControl::~TScrollingWinControl() = default;

int TScrollingWinControl::BarSize() const {
  QStyle* style = stdctrls::StandardStyle();
  return style ? style->pixelMetric(QStyle::PM_ScrollBarExtent) : 16;
}

int TScrollingWinControl::GetClientWidth() const {
  return TWinControl::GetClientWidth() - (FVert.FShown ? BarSize() : 0);
}

int TScrollingWinControl::GetClientHeight() const {
  return TWinControl::GetClientHeight() - (FHorz.FShown ? BarSize() : 0);
}

void TScrollingWinControl::SetAutoScroll(bool Value) {
  if (Value == FAutoScroll) return;
  FAutoScroll = Value;
  if (!Value) {
    FHorz.FRange = 0;
    FVert.FRange = 0;
  }
  UpdateScrollBars();
}

void TScrollingWinControl::InitWidget() {
  TWinControl::InitWidget();
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

void TScrollingWinControl::ApplyBarColors() {
  for (QScrollBar* sb : {FHorzBar, FVertBar}) {
    if (sb) stdctrls::ApplyScrollBarColors(sb, GetColor(), GetFont()->GetColor());
  }
}

void TScrollingWinControl::ColorChanged() {
  TWinControl::ColorChanged();
  ApplyBarColors();
}

void TScrollingWinControl::FontChanged() {
  TWinControl::FontChanged();
  ApplyBarColors();
}

void TScrollingWinControl::ScrollBy(int DeltaX, int DeltaY) {
  if (DeltaX == 0 && DeltaY == 0) return;
  FlagScope scrolling(FScrolling);
  for (int i = 0; i < GetControlCount(); ++i) {
    TControl* c = GetControls(i);
    if (c->GetAlign() != alNone) continue;
    c->SetBounds(c->GetLeft() + DeltaX, c->GetTop() + DeltaY, c->GetWidth(), c->GetHeight());
  }
}

void TScrollingWinControl::ScrollTo(TControlScrollBar& Bar, int Position) {
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

void TScrollingWinControl::ScrollInView(TControl* AControl) {
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

void TScrollingWinControl::UpdateScrollBars() {
  if (FUpdating) return;
  const bool horzBefore = FHorz.FShown;
  const bool vertBefore = FVert.FShown;
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
    // Measured without the bars: the whole area below a form's menu bar.
    const int width = TWinControl::GetClientWidth();
    const int height = TWinControl::GetClientHeight();
    const int bar = BarSize();
    bool vert = FVert.FVisible && FVert.FRange > height;
    const bool horz = FHorz.FVisible && FHorz.FRange > width - (vert ? bar : 0);
    if (horz && !vert) vert = FVert.FVisible && FVert.FRange > height - bar;
    FHorz.FShown = horz;
    FVert.FShown = vert;
  }
  // Content that shrank (or a control that grew) needs less scrolling.
  ScrollTo(FHorz, FHorz.FPosition);
  ScrollTo(FVert, FVert.FPosition);
  PlaceBars();
  // The aligned children fill what the bars leave.
  if (FHorz.FShown != horzBefore || FVert.FShown != vertBefore) Realign();
}

void TScrollingWinControl::PlaceBars() {
  if (!FHorzBar || !FVertBar) return;
  FlagScope updating(FUpdating);
  const int bar = BarSize();
  const int cw = GetClientWidth();
  const int ch = GetClientHeight();
  // Below a form's menu bar.
  const int top = GetHeight() - TWinControl::GetClientHeight();
  auto place = [&](QScrollBar* sb, TControlScrollBar& b, int page, QRect geometry) {
    sb->setVisible(b.FShown);
    if (!b.FShown) return;
    sb->setGeometry(geometry);
    sb->setRange(0, std::max(b.FRange - page, 0));
    sb->setPageStep(std::max(page, 1));
    sb->setSingleStep(b.FIncrement);
    sb->setValue(b.FPosition);
    // Above children put on the control after it.
    const QObjectList& siblings = sb->parentWidget()->children();
    for (qsizetype i = siblings.indexOf(sb) + 1; i < siblings.size(); ++i) {
      auto* other = qobject_cast<QWidget*>(siblings[i]);
      if (other && other != FHorzBar && other != FVertBar) {
        sb->raise();
        break;
      }
    }
  };
  place(FHorzBar, FHorz, cw, QRect(0, top + ch, cw, bar));
  place(FVertBar, FVert, ch, QRect(GetWidth() - bar, top, bar, ch));
}

void TScrollingWinControl::Resize() {
  TWinControl::Resize();
  UpdateScrollBars();
}

void TScrollingWinControl::ChildGeometryChanged(TControl*) {
  // Scrolling itself moves the children; their moves are not news.
  if (!FAutoScroll || FUpdating || FScrolling || FUpdatePosted) return;
  QPointer<QWidget> w = WidgetIfCreated();
  if (!w) return;
  // Many children move at once (a layout pass): one look at the ranges
  // after them all.
  FUpdatePosted = true;
  QTimer::singleShot(0, w, [this, w] {
    if (!w || ControlBridge::ControlOf(w) != this) return;
    FUpdatePosted = false;
    UpdateScrollBars();
  });
}

bool TScrollingWinControl::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
  if (TWinControl::DoMouseWheel(Shift, WheelDelta, MousePos)) return true;
  TControlScrollBar& bar = FVert.FShown || !FHorz.FShown ? FVert : FHorz;
  if (!bar.FShown) return false;
  ScrollTo(bar, bar.FPosition - WheelDelta * bar.FIncrement * 3 / WHEEL_DELTA);
  return true;
}
