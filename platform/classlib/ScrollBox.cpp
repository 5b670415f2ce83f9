#include "platform/classlib/ScrollBox.h"

#include "platform/classlib/ExtCtrlsControls.h"

TScrollBox::TScrollBox(TComponent* AOwner) : TScrollingWinControl(AOwner) {
  CreateCanvas(false);
  SetControlStyle(GetControlStyle() + TControlStyle{csAcceptsControls});
  SetBounds(0, 0, 185, 41);
}

TScrollBox::~TScrollBox() = default;

void TScrollBox::SetBorderStyle(TBorderStyle Value) {
  FBorderStyle = Value;
  Invalidate();
}

void TScrollBox::AlignControls(TControl* AControl, TRect& Rect) {
  const int b = Border();
  Rect = InflateRect(Rect, -b, -b);
  TScrollingWinControl::AlignControls(AControl, Rect);
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
}
