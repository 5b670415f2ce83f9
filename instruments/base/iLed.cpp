#include "instruments/base/iLed.h"

#include "instruments/base/iProperties.h"
#include "instruments/base/iPropertyText.h"

namespace {

const TiRegisterProperties<TiLed, TiCustomComponent> kLed([](TiPropertyBuilder<TiLed>& b) {
  b.Add("Active", &TiLed::GetActive, &TiLed::SetActive, 0);
  b.Add("ActiveColor", &TiLed::GetActiveColor, &TiLed::SetActiveColor, 0x00FF00);
  b.Add("AutoInactiveColor", &TiLed::GetAutoInactiveColor, &TiLed::SetAutoInactiveColor, 1);
  b.Add("InactiveColor", &TiLed::GetInactiveColor, &TiLed::SetInactiveColor, 0x005500);
  b.Add("BevelStyle", &TiLed::GetBevelStyle, &TiLed::SetBevelStyle, ibsLowered, ibsLowered);
  b.Add("Width", &TiLed::GetWidth, &TiLed::SetWidth, 20);
  b.Add("Height", &TiLed::GetHeight, &TiLed::SetHeight, 20);
});

const TiRegisterProperties<TiLedRound, TiLed> kLedRound([](TiPropertyBuilder<TiLedRound>& b) {
  b.Add("ShowReflection", &TiLedRound::GetShowReflection, &TiLedRound::SetShowReflection, 1);
  b.Add("BackGroundColor", &TiLedRound::GetBackGroundColor, &TiLedRound::SetBackGroundColor, clBtnFace);
  b.Add("Transparent", &TiLedRound::GetTransparent, &TiLedRound::SetTransparent, 0);
});

const TiRegisterProperties<TiLedRectangle, TiLed> kLedRectangle([](TiPropertyBuilder<TiLedRectangle>& b) {
  using R = TiLedRectangle;
  b.Add("CenterLabelText", &R::GetCenterLabelText, &R::SetCenterLabelText);
  b.Add("CenterLabelFont", &R::GetCenterLabelFont, &R::SetCenterLabelFont);
  b.Add("CenterLabelFontActiveColor", &R::GetCenterLabelFontActiveColor, &R::SetCenterLabelFontActiveColor,
        0);
  b.Add("CenterLabelFontInactiveColor", &R::GetCenterLabelFontInactiveColor,
        &R::SetCenterLabelFontInactiveColor, 0xFFFFFF);
  b.Add("CenterLabelWordWrap", &R::GetCenterLabelWordWrap, &R::SetCenterLabelWordWrap, 0);
  b.Add("CenterLabelEndsMargin", &R::GetCenterLabelEndsMargin, &R::SetCenterLabelEndsMargin, 5);
  b.Add("CenterLabelAlignment", &R::GetCenterLabelAlignment, &R::SetCenterLabelAlignment, iahCenter,
        iahRight);
  b.Add("ShowReflection", &R::GetShowReflection, &R::SetShowReflection, 1);
});

}  // namespace

// ---------------------------------------------------------------- TiLed

TiLed::TiLed(TComponent* AOwner) : TiCustomComponent(AOwner) {
  SetBounds(GetLeft(), GetTop(), 20, 20);
}

template <class T>
void TiLed::SetAndRepaint(T Value, T& Field) {
  if (Field == Value) return;
  Field = Value;
  BackGroundChange();
}

void TiLed::SetActive(bool Value) {
  if (FActive == Value) return;
  if (!CanEditProperty("Active")) return;
  FActive = Value;
  BackGroundChange();
  DoChangeProtected("Active");
  if (OnChange) OnChange(this);
}

void TiLed::SetActiveNoEvent(bool Value) {
  TNotifyEvent saved = std::move(OnChange);
  OnChange = nullptr;
  try {
    SetActive(Value);
  } catch (...) {
    OnChange = std::move(saved);
    throw;
  }
  OnChange = std::move(saved);
}

void TiLed::SetActiveColor(TColor Value) {
  SetAndRepaint(Value, FActiveColor);
}

void TiLed::SetAutoInactiveColor(bool Value) {
  SetAndRepaint(Value, FAutoInactiveColor);
}

void TiLed::SetInactiveColor(TColor Value) {
  SetAndRepaint(Value, FInactiveColor);
}

void TiLed::SetBevelStyle(TiBevelStyle Value) {
  SetAndRepaint(Value, FBevelStyle);
}

TColor TiLed::GetLampColor() const {
  if (FActive) return FActiveColor;
  return FAutoInactiveColor ? ColorDivide(FActiveColor, 3) : FInactiveColor;
}

// ---------------------------------------------------------------- TiLedRound

TiLedRound::TiLedRound(TComponent* AOwner) : TiLed(AOwner) {}

void TiLedRound::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (!IsLoading()) {
    if (AWidth != GetWidth())
      AHeight = AWidth;
    else if (AHeight != GetHeight())
      AWidth = AHeight;
  }
  TiLed::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TiLedRound::iPaintToCanvas(TCanvas* Canvas) {
  const int w = GetWidth(), h = GetHeight();
  DrawBackGround(Canvas, GetBackGroundColor());
  TRect r(0, 0, w, h);
  if (GetBevelStyle() != ibsNone) {
    const TColor light = ColorAdjust(clBtnFace, 32, true);
    const TColor dark = ColorAdjust(clBtnFace, 64, false);
    const bool raised = GetBevelStyle() == ibsRaised;
    HRGN ring = CreateEllipticRgn(0, 0, w, h);
    SelectClipRgn(Canvas->GetHandle(), ring);
    FillGradient(Canvas, r, ifdTopLeftBottomRight, raised ? light : dark, raised ? dark : light);
    SelectClipRgn(Canvas->GetHandle(), nullptr);
    DeleteObject(ring);
    r = TRect(2, 2, w - 3, h - 3);
  }
  const TColor lamp = GetLampColor();
  Canvas->Pen->SetWidth(1);
  Canvas->Pen->SetStyle(psSolid);
  Canvas->Brush->SetStyle(bsSolid);
  Canvas->Brush->SetColor(lamp);
  Canvas->Pen->SetColor(lamp);
  Canvas->Ellipse(r);
  if (FShowReflection) {
    Canvas->Pen->SetColor(clWhite);
    const int q = w / 4;
    for (int inset = q; inset <= q + 1; ++inset)
      Canvas->Arc(r.Left + inset, r.Top + inset, r.Right - inset, r.Bottom - inset, r.Right / 2, r.Top,
                  r.Left, r.Bottom / 2);
  }
}

// ---------------------------------------------------------------- TiLedRectangle

TiLedRectangle::TiLedRectangle(TComponent* AOwner)
    : TiLed(AOwner), FCenterLabelFont(std::make_unique<TFont>()) {
  FCenterLabelFont->OnChange = [this](TGraphicsObject*) { BackGroundChange(); };
}

void TiLedRectangle::SetCenterLabelAlignment(TiAlignmentHorizontal Value) {
  if (FCenterLabelAlignment == Value) return;
  FCenterLabelAlignment = Value;
  BackGroundChange();
}

void TiLedRectangle::iPaintToCanvas(TCanvas* Canvas) {
  const TRect r(0, 0, GetWidth(), GetHeight());
  const TColor lamp = GetLampColor();
  Canvas->Brush->SetStyle(bsSolid);
  Canvas->Brush->SetColor(lamp);
  Canvas->Pen->SetColor(lamp);
  Canvas->FillRect(r);
  if (GetBevelStyle() == ibsRaised)
    DrawBevel(Canvas, r, iBevelRaised);
  else if (GetBevelStyle() == ibsLowered)
    DrawBevel(Canvas, r, iBevelLowered);
  if (FShowReflection) {
    Canvas->Pen->SetColor(clWhite);
    Canvas->Polyline({TPoint(r.Left + 3, r.Top + 3), TPoint(r.Left + 5, r.Top + 3)});
  }
  if (iTrim(FCenterLabelText).empty()) return;
  Canvas->Brush->SetStyle(bsClear);
  Canvas->Font->Assign(FCenterLabelFont.get());
  Canvas->Font->SetColor(GetActive() ? FCenterLabelFontActiveColor : FCenterLabelFontInactiveColor);
  const TPoint c = GetCenterPoint();
  unsigned flags = iTextFlagVCenter | iTextFlagNoClip;
  if (FCenterLabelWordWrap) flags |= iTextFlagWordBreak;
  flags |= FCenterLabelAlignment == iahLeft    ? iTextFlagLeft
           : FCenterLabelAlignment == iahRight ? iTextFlagRight
                                               : iTextFlagCenter;
  const int left = r.Left + 2 + FCenterLabelEndsMargin, right = r.Right - 2 - FCenterLabelEndsMargin;
  TRect t(left, r.Top + 2, right, r.Bottom - 2);
  const int h =
      DrawTextWithFlags(Canvas, FCenterLabelText, t, GetBackGroundColor(), true, flags | iTextFlagCalcRect);
  t = TRect(left, c.Y - h / 2, right, c.Y + h / 2);
  DrawTextWithFlags(Canvas, FCenterLabelText, t, GetBackGroundColor(), true, flags);
}
