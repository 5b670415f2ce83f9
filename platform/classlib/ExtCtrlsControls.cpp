#include "platform/classlib/ExtCtrlsControls.h"

#include <QImage>

#include <algorithm>

#include "platform/classlib/ControlBridge.h"

namespace {

TColor Shade(TColor face, int towards, int percent) {
  TColor c = ColorToRGB(face == clNone ? clBtnFace : face);
  auto mix = [&](int v) { return v + (towards - v) * percent / 100; };
  return RGB(mix(GetRValue(c)), mix(GetGValue(c)), mix(GetBValue(c)));
}

// Clears a see-through surface before a paint draws it anew.
void ClearSurface(TCanvas* canvas) {
  if (QImage* image = canvas->GetImage()) image->fill(Qt::transparent);
}

}  // namespace

TColor BevelHighlight(TColor face) {
  return Shade(face, 255, 55);
}

TColor BevelShadow(TColor face) {
  return Shade(face, 0, 40);
}

void Frame3D(TCanvas* Canvas, TRect& R, TColor Top, TColor Bottom, int Width) {
  Canvas->Pen->SetWidth(1);
  Canvas->Pen->SetStyle(psSolid);
  for (int i = 0; i < Width && !R.IsEmpty(); ++i) {
    const int right = R.Right - 1;
    const int bottom = R.Bottom - 1;
    Canvas->Pen->SetColor(Top);
    Canvas->MoveTo(R.Left, bottom);
    Canvas->LineTo(R.Left, R.Top);
    Canvas->LineTo(right, R.Top);
    Canvas->Pen->SetColor(Bottom);
    Canvas->MoveTo(right, R.Top);
    Canvas->LineTo(right, bottom);
    Canvas->LineTo(R.Left - 1, bottom);
    R = InflateRect(R, -1, -1);
  }
}

// ---------------------------------------------------------------- TBevel

TBevel::TBevel(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetControlStyle(GetControlStyle() + TControlStyle{csReplicatable});
  SetBounds(0, 0, 50, 50);
}

void TBevel::SetShape(TBevelShape Value) {
  if (Value == FShape) return;
  FShape = Value;
  Invalidate();
}

void TBevel::SetStyle(TBevelStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  Invalidate();
}

void TBevel::Paint() {
  TCanvas* c = GetCanvas();
  ClearSurface(c);
  const TColor light = BevelHighlight(GetColor());
  const TColor dark = BevelShadow(GetColor());
  const TColor first = FStyle == bsLowered ? dark : light;
  const TColor second = FStyle == bsLowered ? light : dark;
  const int w = GetWidth();
  const int h = GetHeight();
  c->Pen->SetWidth(1);
  auto line = [&](TColor color, int x1, int y1, int x2, int y2) {
    c->Pen->SetColor(color);
    c->MoveTo(x1, y1);
    c->LineTo(x2, y2);
  };
  switch (FShape) {
    case bsBox: {
      TRect r = GetClientRect();
      Frame3D(c, r, first, second, 1);
      break;
    }
    case bsFrame: {
      // An etched groove: two rings, one offset by a pixel.
      TRect outer(0, 0, w - 1, h - 1);
      Frame3D(c, outer, first, first, 1);
      TRect inner(1, 1, w, h);
      Frame3D(c, inner, second, second, 1);
      break;
    }
    case bsTopLine:
      line(first, 0, 0, w, 0);
      line(second, 0, 1, w, 1);
      break;
    case bsBottomLine:
      line(first, 0, h - 2, w, h - 2);
      line(second, 0, h - 1, w, h - 1);
      break;
    case bsLeftLine:
      line(first, 0, 0, 0, h);
      line(second, 1, 0, 1, h);
      break;
    case bsRightLine:
      line(first, w - 2, 0, w - 2, h);
      line(second, w - 1, 0, w - 1, h);
      break;
    case bsSpacer:
      break;
  }
}

// ---------------------------------------------------------------- TCustomPanel

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner) {
  SetControlStyle(GetControlStyle() + TControlStyle{csAcceptsControls, csOpaque, csReplicatable});
  SetBounds(0, 0, 185, 41);
  SetParentColor(false);
  SetColor(clBtnFace);
}

void TCustomPanel::SetBevelOuter(TBevelCut Value) {
  if (Value == FBevelOuter) return;
  FBevelOuter = Value;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut Value) {
  if (Value == FBevelInner) return;
  FBevelInner = Value;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBevelWidth(int Value) {
  Value = std::max(Value, 1);
  if (Value == FBevelWidth) return;
  FBevelWidth = Value;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBorderWidth(int Value) {
  Value = std::max(Value, 0);
  if (Value == FBorderWidth) return;
  FBorderWidth = Value;
  Realign();
  Invalidate();
}

void TCustomPanel::SetBorderStyle(TBorderStyle Value) {
  if (Value == FBorderStyle) return;
  FBorderStyle = Value;
  Realign();
  Invalidate();
}

void TCustomPanel::SetAlignment(TAlignment Value) {
  FAlignment = Value;
  Invalidate();
}

void TCustomPanel::SetVerticalAlignment(TVerticalAlignment Value) {
  FVerticalAlignment = Value;
  Invalidate();
}

void TCustomPanel::SetShowCaption(bool Value) {
  FShowCaption = Value;
  Invalidate();
}

int TCustomPanel::EdgeWidth() const {
  int edge = FBorderWidth;
  if (FBevelOuter != bvNone) edge += FBevelWidth;
  if (FBevelInner != bvNone) edge += FBevelWidth;
  if (FBorderStyle == bsSingle) edge += 1;
  return edge;
}

void TCustomPanel::AlignControls(TControl* AControl, TRect& Rect) {
  const int edge = EdgeWidth();
  Rect = InflateRect(Rect, -edge, -edge);
  TCustomControl::AlignControls(AControl, Rect);
}

void TCustomPanel::Paint() {
  TCanvas* c = GetCanvas();
  const TColor face = GetColor() == clNone ? clBtnFace : GetColor();
  TRect r = GetClientRect();
  c->Brush->SetStyle(bsSolid);
  c->Brush->SetColor(face);
  c->FillRect(r);
  const TColor light = BevelHighlight(face);
  const TColor dark = BevelShadow(face);
  if (FBorderStyle == bsSingle) Frame3D(c, r, dark, dark, 1);
  auto bevel = [&](TBevelCut cut) {
    if (cut == bvNone) return;
    if (cut == bvSpace) {
      r = InflateRect(r, -FBevelWidth, -FBevelWidth);
      return;
    }
    Frame3D(c, r, cut == bvRaised ? light : dark, cut == bvRaised ? dark : light, FBevelWidth);
  };
  bevel(FBevelOuter);
  r = InflateRect(r, -FBorderWidth, -FBorderWidth);
  bevel(FBevelInner);
  if (!FShowCaption || GetCaption().empty()) return;
  unsigned flags = DT_SINGLELINE | DT_EXPANDTABS;
  flags |= FAlignment == taCenter ? DT_CENTER : FAlignment == taRightJustify ? DT_RIGHT : DT_LEFT;
  flags |= FVerticalAlignment == taVerticalCenter ? DT_VCENTER
           : FVerticalAlignment == taAlignBottom  ? DT_BOTTOM
                                                  : DT_TOP;
  c->Font->Assign(GetFont());
  if (!GetEnabled()) c->Font->SetColor(clGrayText);
  c->Brush->SetStyle(bsClear);
  c->DrawText(GetCaption(), r, flags);
}

// ---------------------------------------------------------------- TShape

TShape::TShape(TComponent* AOwner)
    : TGraphicControl(AOwner), FPen(std::make_unique<TPen>()), FBrush(std::make_unique<TBrush>()) {
  SetControlStyle(GetControlStyle() + TControlStyle{csReplicatable});
  SetBounds(0, 0, 65, 65);
  FPen->OnChange = [this](TGraphicsObject*) { Invalidate(); };
  FBrush->OnChange = [this](TGraphicsObject*) { Invalidate(); };
}

TShape::~TShape() {
  FPen->OnChange = nullptr;
  FBrush->OnChange = nullptr;
}

void TShape::SetShape(TShapeType Value) {
  if (Value == FShape) return;
  FShape = Value;
  Invalidate();
}

void TShape::Paint() {
  TCanvas* c = GetCanvas();
  ClearSurface(c);
  c->Pen->Assign(FPen.get());
  c->Brush->Assign(FBrush.get());
  const int pw = FPen->GetWidth();
  // The outline stays inside the control whatever the pen's width.
  int x = pw / 2;
  int y = x;
  int w = GetWidth() - pw + 1;
  int h = GetHeight() - pw + 1;
  const int s = std::min(w, h);
  if (FShape == stSquare || FShape == stRoundSquare || FShape == stCircle) {
    x += (w - s) / 2;
    y += (h - s) / 2;
    w = s;
    h = s;
  }
  switch (FShape) {
    case stRectangle:
    case stSquare:
      c->Rectangle(x, y, x + w, y + h);
      break;
    case stRoundRect:
    case stRoundSquare:
      c->RoundRect(x, y, x + w, y + h, s / 4, s / 4);
      break;
    case stEllipse:
    case stCircle:
      c->Ellipse(x, y, x + w, y + h);
      break;
  }
}

// ---------------------------------------------------------------- TImage

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner), FPicture(std::make_unique<TPicture>()) {
  SetControlStyle(GetControlStyle() + TControlStyle{csReplicatable});
  SetBounds(0, 0, 105, 105);
  FPicture->OnChange = [this](TPicture*) { PictureChanged(); };
}

TImage::~TImage() {
  FPicture->OnChange = nullptr;
}

void TImage::PictureChanged() {
  if (auto* bmp = dynamic_cast<TBitmap*>(FPicture->GetGraphic());
      bmp && bmp->GetTransparent() != FTransparent)
    bmp->SetTransparent(FTransparent);
  if (FAutoSize && FPicture->GetWidth() > 0 && FPicture->GetHeight() > 0)
    SetBounds(GetLeft(), GetTop(), FPicture->GetWidth(), FPicture->GetHeight());
  Invalidate();
}

void TImage::SetStretch(bool Value) {
  FStretch = Value;
  Invalidate();
}

void TImage::SetCenter(bool Value) {
  FCenter = Value;
  Invalidate();
}

void TImage::SetProportional(bool Value) {
  FProportional = Value;
  Invalidate();
}

void TImage::SetTransparent(bool Value) {
  if (Value == FTransparent) return;
  FTransparent = Value;
  PictureChanged();
}

void TImage::SetAutoSize(bool Value) {
  FAutoSize = Value;
  if (Value) PictureChanged();
}

TRect TImage::DestRect() const {
  int w = FPicture->GetWidth();
  int h = FPicture->GetHeight();
  const int cw = GetClientWidth();
  const int ch = GetClientHeight();
  if (FStretch || (FProportional && (w > cw || h > ch))) {
    if (FProportional && w > 0 && h > 0) {
      const double aspect = static_cast<double>(w) / h;
      if (w > h) {
        w = cw;
        h = static_cast<int>(cw / aspect);
        if (h > ch) {
          h = ch;
          w = static_cast<int>(ch * aspect);
        }
      } else {
        h = ch;
        w = static_cast<int>(ch * aspect);
        if (w > cw) {
          w = cw;
          h = static_cast<int>(cw / aspect);
        }
      }
    } else {
      w = cw;
      h = ch;
    }
  }
  TRect r(0, 0, w, h);
  if (FCenter) r = OffsetRect(r, (cw - w) / 2, (ch - h) / 2);
  return r;
}

void TImage::Paint() {
  TCanvas* c = GetCanvas();
  ClearSurface(c);
  TGraphic* g = FPicture->GetGraphic();
  if (!g || g->GetEmpty()) return;
  c->StretchDraw(DestRect(), g);
}
