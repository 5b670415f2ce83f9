#include "platform/classlib/HintWindow.h"

#include <QWidget>

#include "platform/classlib/Forms.h"
#include "platform/classlib/Monitors.h"

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner) {
  SetVisible(false);
  SetColor(clInfoBk);
  GetFont()->SetColor(clInfoText);
}

QWidget* THintWindow::CreateWidget() {
  return new QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                                  Qt::WindowDoesNotAcceptFocus);
}

void THintWindow::InitWidget() {
  QWidget* w = WidgetIfCreated();
  w->setAttribute(Qt::WA_ShowWithoutActivating);
  w->setAttribute(Qt::WA_X11DoNotAcceptFocus);
  w->setFocusPolicy(Qt::NoFocus);
  TCustomControl::InitWidget();
  w->setFocusPolicy(Qt::NoFocus);
}

void THintWindow::VisibleChanged() {
  TCustomControl::VisibleChanged();
  QWidget* w = GetVisible() ? GetWidget() : WidgetIfCreated();
  if (!w) return;
  // Kept above other windows by its window kind: showing it is enough.
  w->setVisible(GetVisible());
}

void THintWindow::TextChanged() {
  TCustomControl::TextChanged();
  Invalidate();
}

void THintWindow::ActivateHint(const TRect& Rect, const std::string& AHint) {
  SetCaption(AHint);
  TRect r = Rect;
  if (Screen) {
    const TMonitor* monitor = Screen->MonitorFromPoint(TPoint(Rect.Left, Rect.Top));
    r = KeepRectInside(Rect, monitor->GetBoundsRect());
  }
  SetBoundsRect(r);
  SetVisible(true);
  Invalidate();
}

void THintWindow::ReleaseHandle() {
  SetVisible(false);
}

TRect THintWindow::CalcHintRect(int MaxWidth, const std::string& AHint, void* /*AData*/) {
  TCanvas* canvas = GetCanvas();
  canvas->SetFont(GetFont());
  TRect r(0, 0, MaxWidth, 0);
  canvas->DrawText(AHint, r, DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
  r.Right += 6;
  r.Bottom += 2;
  return r;
}

void THintWindow::Paint() {
  TCanvas* canvas = GetCanvas();
  TRect r = GetClientRect();
  canvas->Brush->SetColor(GetColor());
  canvas->FillRect(r);
  canvas->Brush->SetColor(clWindowFrame);
  canvas->FrameRect(r);
  canvas->SetFont(GetFont());
  canvas->Brush->SetStyle(bsClear);
  r = TRect(r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2);
  std::string text = GetCaption();
  canvas->DrawText(text, r, DT_LEFT | DT_NOPREFIX | DT_WORDBREAK);
}
