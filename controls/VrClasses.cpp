#include "controls/VrClasses.h"

void TVrPersistent::EndUpdate() {
  if (FUpdateCount > 0) --FUpdateCount;
  Changed();
}

void TVrPersistent::Changed() {
  if (OnChange && FUpdateCount == 0) OnChange(this);
}

void TVrPalette::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TVrPalette*>(Source);
  if (!s) return TVrPersistent::Assign(Source);
  BeginUpdate();
  SetLow(s->FLow);
  SetHigh(s->FHigh);
  EndUpdate();
}

void TVrPalette::ToBMP(TBitmap* Bitmap, TColor DarkColor, TColor LightColor) const {
  if (!Bitmap) return;
  const TColor dark = ColorToRGB(DarkColor), light = ColorToRGB(LightColor);
  const TColor low = ColorToRGB(FLow), high = ColorToRGB(FHigh);
  TCanvas* c = Bitmap->GetCanvas();
  // Masks are taken from the unchanged picture, so a Low equal to
  // LightColor is not recoloured a second time.
  const int w = Bitmap->GetWidth(), h = Bitmap->GetHeight();
  std::vector<TColor> before(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) before[static_cast<std::size_t>(y * w + x)] = c->GetPixels(x, y);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const TColor p = before[static_cast<std::size_t>(y * w + x)];
      if (p == dark)
        c->SetPixels(x, y, low);
      else if (p == light)
        c->SetPixels(x, y, high);
    }
}

void TVrFont3D::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TVrFont3D*>(Source);
  if (!s) return TVrPersistent::Assign(Source);
  BeginUpdate();
  SetStyle(s->FStyle);
  SetHighlightColor(s->FHighlightColor);
  SetShadowColor(s->FShadowColor);
  SetHighlightDepth(s->FHighlightDepth);
  SetShadowDepth(s->FShadowDepth);
  EndUpdate();
}

void TVrFont3D::Paint(TCanvas* Canvas, const TRect& R, const std::string& Text, unsigned Flags) const {
  const TColor color = Canvas->Font->GetColor();
  Canvas->Brush->SetStyle(bsClear);
  auto at = [&](int d, TColor c) {
    TRect r = Rect(R.Left + d, R.Top + d, R.Right + d, R.Bottom + d);
    Canvas->Font->SetColor(c);
    Canvas->DrawText(Text, r, Flags);
  };
  switch (FStyle) {
    case f3dRaised:
      at(FShadowDepth, FShadowColor);
      at(-FHighlightDepth, FHighlightColor);
      break;
    case f3dSunken:
      at(FHighlightDepth, FHighlightColor);
      at(-FShadowDepth, FShadowColor);
      break;
    case f3dShadow:
      at(FShadowDepth, FShadowColor);
      break;
    case f3dNone:
      break;
  }
  at(0, color);
}
