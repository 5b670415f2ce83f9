#include "controls/AdvOfficeImage.h"

TAdvOfficeImage::TAdvOfficeImage(TComponent* AOwner)
    : TGraphicControl(AOwner),
      FOfficeHint(std::make_unique<TAdvHintInfo>()),
      FIPicture(std::make_unique<TGDIPPicture>()) {
  SetControlStyle(TControlStyle{csCaptureMouse, csClickEvents, csDoubleClicks});
  FIPicture->OnChange = [this](TGraphic*) { PictureChanged(); };
  SetShowHint(false);
  SetBounds(GetLeft(), GetTop(), 128, 128);
}

TAdvOfficeImage::~TAdvOfficeImage() {
  FIPicture->OnChange = nullptr;
}

void TAdvOfficeImage::SetPicture(TGDIPPicture* Value) {
  FIPicture->Assign(Value);
  Invalidate();
}

void TAdvOfficeImage::SetCenter(bool Value) {
  if (Value == FCenter) return;
  FCenter = Value;
  Invalidate();
}

void TAdvOfficeImage::SetStretch(bool Value) {
  if (Value == FStretch) return;
  FStretch = Value;
  Invalidate();
}

void TAdvOfficeImage::SetOfficeHint(TAdvHintInfo* Value) {
  FOfficeHint->Assign(Value);
}

std::uint32_t TAdvOfficeImage::GetVersionNr() const {
  return (1u << 24) | (1u << 16);
}

TPoint TAdvOfficeImage::PictureOrigin(int ControlWidth, int ControlHeight, int PictureWidth,
                                      int PictureHeight, bool Center) {
  if (!Center) return TPoint(0, 0);
  return TPoint((ControlWidth - PictureWidth) / 2, (ControlHeight - PictureHeight) / 2);
}

void TAdvOfficeImage::PictureChanged() {
  Invalidate();
}

void TAdvOfficeImage::Paint() {
  PaintPicture(GetCanvas());
}

void TAdvOfficeImage::PaintPicture(TCanvas* ACanvas) {
  if (!ACanvas) return;
  if (!FIPicture->GetEmpty()) {
    // Measured on every paint: bytes from form data come unmeasured.
    FIPicture->GetImageSizes();
    const int w = FIPicture->GetWidth();
    const int h = FIPicture->GetHeight();
    if (FStretch) {
      FIPicture->Draw(ACanvas, GetClientRect());
    } else if (w > 0 && h > 0) {
      const TPoint at = PictureOrigin(GetWidth(), GetHeight(), w, h, FCenter);
      FIPicture->Draw(ACanvas, Rect(at.X, at.Y, at.X + w, at.Y + h));
    }
    return;
  }
  if (GetComponentState().Contains(csDesigning)) {
    ACanvas->Pen->SetStyle(psDot);
    ACanvas->Pen->SetColor(clBlue);
    ACanvas->Brush->SetStyle(bsClear);
    ACanvas->Rectangle(GetClientRect());
  }
}

void TAdvOfficeImage::MouseEnter() {
  if (GetComponentState().Contains(csDesigning)) return;
  TGraphicControl::MouseEnter();
}

void TAdvOfficeImage::MouseLeave() {
  if (GetComponentState().Contains(csDesigning)) return;
  TGraphicControl::MouseLeave();
}
