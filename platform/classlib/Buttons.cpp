#include "platform/classlib/Buttons.h"

TSpeedButton::TSpeedButton(TComponent* AOwner)
    : TGraphicControl(AOwner), FGlyph(std::make_unique<TBitmap>()) {
  SetBounds(0, 0, 23, 22);
}

TSpeedButton::~TSpeedButton() = default;

void TSpeedButton::SetGlyph(const TBitmap* Value) {
  FGlyph->Assign(Value);
  FGlyph->SetTransparent(true);
  FGlyph->SetTransparentMode(tmAuto);
  Invalidate();
}

void TSpeedButton::SetFlat(bool Value) {
  if (Value == FFlat) return;
  FFlat = Value;
  Invalidate();
}

void TSpeedButton::Click() {
  TGraphicControl::Click();
}

void TSpeedButton::Paint() {
  TCanvas* c = GetCanvas();
  if (!c) return;
  TRect r = GetClientRect();
  c->Brush->SetStyle(bsSolid);
  c->Brush->SetColor(GetColor());
  c->FillRect(r);
  if (FPressed && FMouseIn)
    c->DrawEdge(r, BDR_SUNKENOUTER, BF_RECT);
  else if (!FFlat || FMouseIn)
    c->DrawEdge(r, BDR_RAISEDINNER, BF_RECT);
  if (FGlyph->GetEmpty()) return;
  const int shift = FPressed && FMouseIn ? 1 : 0;
  const int x = (GetWidth() - FGlyph->GetWidth()) / 2 + shift;
  const int y = (GetHeight() - FGlyph->GetHeight()) / 2 + shift;
  c->Draw(x, y, FGlyph.get());
}

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft && GetEnabled()) {
    FPressed = true;
    Invalidate();
  }
  TGraphicControl::MouseDown(Button, Shift, X, Y);
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft && FPressed) {
    FPressed = false;
    Invalidate();
  }
  TGraphicControl::MouseUp(Button, Shift, X, Y);
}

void TSpeedButton::MouseEnter() {
  FMouseIn = true;
  Invalidate();
  TGraphicControl::MouseEnter();
}

void TSpeedButton::MouseLeave() {
  FMouseIn = false;
  Invalidate();
  TGraphicControl::MouseLeave();
}
