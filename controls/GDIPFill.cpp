#include "controls/GDIPFill.h"

#include <algorithm>
#include <cmath>
#include <sstream>

#include "platform/classlib/Clipbrd.h"
#include "platform/classlib/IniFiles.h"

namespace {

using Gdiplus::REAL;

Gdiplus::Color Argb(std::uint8_t a, TColor c) {
  return Gdiplus::Color(ArgbFromColor(a, c));
}

// Keeps a graphics' smoothing mode for the length of a scope.
struct SmoothingScope {
  TGPGraphics* g;
  Gdiplus::SmoothingMode old;
  SmoothingScope(TGPGraphics* graphics, Gdiplus::SmoothingMode mode)
      : g(graphics), old(graphics->GetSmoothingMode()) {
    g->SetSmoothingMode(mode);
  }
  ~SmoothingScope() { g->SetSmoothingMode(old); }
};

}  // namespace

std::u16string Utf16(const std::string& s) {
  std::u16string out;
  for (std::size_t i = 0; i < s.size();) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    char32_t cp = c;
    int extra = 0;
    if (c >= 0xF0)
      cp = c & 0x07, extra = 3;
    else if (c >= 0xE0)
      cp = c & 0x0F, extra = 2;
    else if (c >= 0xC0)
      cp = c & 0x1F, extra = 1;
    ++i;
    for (int k = 0; k < extra && i < s.size(); ++k, ++i)
      cp = (cp << 6) | (static_cast<unsigned char>(s[i]) & 0x3F);
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (cp >> 10));
      out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
      out += static_cast<char16_t>(cp);
    }
  }
  return out;
}

// ---------------------------------------------------------------- shape fill

void DrawShapeFill(const TGPShapeFill& F) {
  TGPGraphics* g = F.Graphics;
  if (!g) return;
  const Gdiplus::Color a = Argb(F.Opacity, F.Color), b = Argb(F.OpacityTo, F.ColorTo);
  auto fill = [&](const TGPBrush* brush) {
    if (F.UsePath && F.Path)
      g->FillPath(brush, F.Path);
    else
      g->FillRectangle(brush, F.Rect);
  };
  const TGPRectF grown(F.Rect.X - 1, F.Rect.Y - 1, F.Rect.Width + 2, F.Rect.Height + 2);
  switch (F.GradientType) {
    case gtSolid: {
      TGPSolidBrush brush(a);
      fill(&brush);
      break;
    }
    case gtVertical:
    case gtHorizontal:
    case gtForwardDiagonal:
    case gtBackwardDiagonal: {
      const Gdiplus::LinearGradientMode mode =
          F.GradientType == gtVertical          ? Gdiplus::LinearGradientModeVertical
          : F.GradientType == gtHorizontal      ? Gdiplus::LinearGradientModeHorizontal
          : F.GradientType == gtForwardDiagonal ? Gdiplus::LinearGradientModeForwardDiagonal
                                                : Gdiplus::LinearGradientModeBackwardDiagonal;
      TGPLinearGradientBrush brush(grown, a, b, mode);
      brush.SetGammaCorrection(true);
      fill(&brush);
      if (F.TopLine) {
        TGPSolidBrush line(a);
        g->FillRectangle(&line, TGPRectF(F.Rect.X, F.Rect.Y, F.Rect.Width, 1));
      }
      break;
    }
    case gtAngle: {
      TGPLinearGradientBrush brush(grown, a, b, static_cast<REAL>(F.Angle), true);
      brush.SetGammaCorrection(true);
      fill(&brush);
      break;
    }
    case gtHatch: {
      TGPHatchBrush brush(F.HatchStyle, a, b);
      fill(&brush);
      break;
    }
    case gtTexture:
      if (F.Picture) {
        if (F.UsePath && F.Path)
          F.Picture->FillPath(g, F.Path);
        else
          F.Picture->FillRect(g, F.Rect);
      }
      break;
    case gtRadial:
    case gtPath:
    case gtNone:
      break;
  }
  if (F.BorderColor != clNone) {
    TGPPen pen(Argb(F.Opacity, F.BorderColor), static_cast<REAL>(F.BorderWidth));
    pen.SetDashStyle(F.BorderStyle);
    if (F.UsePath && F.Path)
      g->DrawPath(&pen, F.Path);
    else
      g->DrawRectangle(&pen, F.Rect);
  }
}

// ---------------------------------------------------------------- text

std::unique_ptr<TGPFont> MakeFont(const TFont& Font) {
  const std::string mapped = MapFontFamily(Font.GetName());
  auto family = std::make_unique<TGPFontFamily>(Utf16(mapped).c_str());
  const Gdiplus::Status s = family->GetLastStatus();
  if (s == Gdiplus::FontFamilyNotFound || s == Gdiplus::FontStyleNotFound)
    family = std::make_unique<TGPFontFamily>(Utf16(MapFontFamily("Arial")).c_str());
  int style = 0;
  if (Font.GetStyle().Contains(fsBold)) style |= Gdiplus::FontStyleBold;
  if (Font.GetStyle().Contains(fsItalic)) style |= Gdiplus::FontStyleItalic;
  if (Font.GetStyle().Contains(fsUnderline)) style |= Gdiplus::FontStyleUnderline;
  return std::make_unique<TGPFont>(family.get(), static_cast<REAL>(Font.GetSize()), style,
                                   Gdiplus::UnitPoint);
}

namespace {

TGPRectF Measure(TGPGraphics* g, const std::u16string& text, int count, const TGPFont* font,
                 const TGPRectF& layout) {
  TGPRectF box;
  g->MeasureString(reinterpret_cast<const Gdiplus::WCHAR*>(text.c_str()), count, font, layout, &box);
  return box;
}

}  // namespace

int TextWidth(TGPGraphics* Graphics, const std::string& Text, const TFont& Font) {
  auto font = MakeFont(Font);
  const std::u16string t = Utf16(Text);
  return RoundHalfEven(
      Measure(Graphics, t, static_cast<int>(t.size()), font.get(), TGPRectF(0, 0, 10000, 10000)).Width);
}

int TextHeight(TGPGraphics* Graphics, const std::string& Text, const TFont& Font) {
  auto font = MakeFont(Font);
  const std::u16string t = Utf16(Text);
  return RoundHalfEven(
      Measure(Graphics, t, static_cast<int>(t.size()), font.get(), TGPRectF(0, 0, 10000, 10000)).Height);
}

int TextWidthCorrection(int PointSize) {
  return PointSize > 8 ? 2 + RoundHalfEven((PointSize - 8) / 1.5) : 2;
}

int DrawText(TGPGraphics* Graphics, const std::string& Text, int Count, TRect& R, const TFont& Font,
             std::uint32_t Flags, TColor Background) {
  auto font = MakeFont(Font);
  const bool measure = (Flags & DT_CALCRECT) != 0;
  const std::u16string text = Utf16(Text);
  if (Count < 0 || Count > static_cast<int>(text.size())) Count = static_cast<int>(text.size());
  if (measure || Background != clNone) {
    const int c = TextWidthCorrection(Font.GetSize());
    std::u16string measured = text;
    // A trailing space would not count in the width; a letter in its place does.
    if (measured.size() > 1 && measured.back() == u' ') measured.back() = u'i';
    const TGPRectF layout(static_cast<REAL>(R.Left), static_cast<REAL>(R.Top),
                          static_cast<REAL>(R.Right - R.Left + 1000), static_cast<REAL>(R.Bottom - R.Top));
    const TGPRectF box = Measure(Graphics, measured, Count, font.get(), layout);
    R.Right = R.Left + RoundHalfEven(box.Width - c);
    R.Bottom = R.Top + RoundHalfEven(box.Height);
    if (Background != clNone) {
      TGPSolidBrush brush(Argb(255, Background));
      Graphics->FillRectangle(&brush, TGPRectF(static_cast<REAL>(R.Left + 1), static_cast<REAL>(R.Top),
                                               box.Width - c + 1, box.Height));
    }
  }
  if (!measure) {
    TGPSolidBrush brush(Argb(255, Font.GetColor()));
    Graphics->DrawString(reinterpret_cast<const Gdiplus::WCHAR*>(text.c_str()), Count, font.get(),
                         TGPPointF(static_cast<REAL>(R.Left), static_cast<REAL>(R.Top)), &brush);
  }
  return R.Bottom - R.Top;
}

// ---------------------------------------------------------------- hex text

std::string HexFromBytes(const std::vector<std::uint8_t>& Bytes) {
  static const char digits[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(Bytes.size() * 2);
  for (std::uint8_t b : Bytes) {
    out += digits[b >> 4];
    out += digits[b & 15];
  }
  return out;
}

std::vector<std::uint8_t> BytesFromHex(const std::string& Text) {
  auto value = [](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    throw EConvertError("No Hex-Number");
  };
  std::vector<std::uint8_t> out;
  for (std::size_t i = 0; i + 1 < Text.size(); i += 2)
    out.push_back(static_cast<std::uint8_t>(value(Text[i]) * 16 + value(Text[i + 1])));
  return out;
}

// ---------------------------------------------------------------- paths and placement

std::unique_ptr<TGPGraphicsPath> CreateRoundRectPath(const TGPRectF& R, float Radius,
                                                     TFillRoundingType Type) {
  auto path = std::make_unique<TGPGraphicsPath>(Gdiplus::FillModeAlternate);
  const float d = 2 * Radius;
  const bool tl = Type == rtTop || Type == rtBoth || Type == rtLeft;
  const bool tr = Type == rtTop || Type == rtBoth || Type == rtRight;
  const bool br = Type == rtBottom || Type == rtBoth || Type == rtRight;
  const bool bl = Type == rtBottom || Type == rtBoth || Type == rtLeft;
  const float l = R.X, t = R.Y, r = R.X + R.Width, b = R.Y + R.Height;
  if (Radius <= 0) {
    path->AddRectangle(R);
    return path;
  }
  if (tl)
    path->AddArc(l, t, d, d, 180, 90);
  else
    path->AddLine(l, t, l, t);
  if (tr)
    path->AddArc(r - d, t, d, d, 270, 90);
  else
    path->AddLine(r, t, r, t);
  if (br)
    path->AddArc(r - d, b - d, d, d, 0, 90);
  else
    path->AddLine(r, b, r, b);
  if (bl)
    path->AddArc(l, b - d, d, d, 90, 90);
  else
    path->AddLine(l, b, l, b);
  path->CloseFigure();
  return path;
}

TPoint GetAspectFitSize(int PictureW, int PictureH, int RectW, int RectH, TPictureMode Mode) {
  if (PictureW <= 0 || PictureH <= 0 || RectW <= 0 || RectH <= 0) return {0, 0};
  if (PictureW < RectW && PictureH < RectH && Mode == pmNormal) return {PictureW, PictureH};
  const double pr = static_cast<double>(PictureW) / PictureH;
  const double rr = static_cast<double>(RectW) / RectH;
  if (rr > pr) return {RoundHalfEven(RectH * pr), RectH};
  return {RectW, RoundHalfEven(RectW / pr)};
}

TRect FillPictureRect(TFillPicturePosition Position, int w, int h, const TRect& R, int Left, int Top,
                      bool AspectRatio, TPictureMode AspectMode) {
  const int cw = R.Right - R.Left, ch = R.Bottom - R.Top;
  const int cx = R.Left + (cw - w) / 2, cy = R.Top + (ch - h) / 2;
  switch (Position) {
    case ppTopLeft:
      return Bounds(R.Left, R.Top, w, h);
    case ppTopCenter:
      return Bounds(cx, R.Top, w, h);
    case ppTopRight:
      return Bounds(R.Right - w, R.Top, w, h);
    case ppBottomLeft:
      return Bounds(R.Left, R.Bottom - h, w, h);
    case ppBottomCenter:
      return Bounds(cx, R.Bottom - h, w, h);
    case ppBottomRight:
      return Bounds(R.Right - w, R.Bottom - h, w, h);
    case ppTiled:
      return Rect(0, 0, 0, 0);
    case ppStretched: {
      if (!AspectRatio) return R;
      const TPoint fit = GetAspectFitSize(w, h, cw, ch, AspectMode);
      return Bounds(R.Left + (cw - fit.X) / 2, R.Top + (ch - fit.Y) / 2, fit.X, fit.Y);
    }
    case ppCenterLeft:
      return Bounds(R.Left, cy, w, h);
    case ppCenterCenter:
      return Bounds(cx, cy, w, h);
    case ppCenterRight:
      return Bounds(R.Right - w, cy, w, h);
    case ppCustom:
      return Bounds(Left, Top, w, h);
  }
  return Rect(0, 0, 0, 0);
}

// ---------------------------------------------------------------- TGDIPFill

TGDIPFill::TGDIPFill()
    : FPicture(std::make_unique<TAdvGDIPPicture>()), FBackGroundPicture(std::make_unique<TAdvGDIPPicture>()) {
  FPicture->OnChange = [this](TGraphic*) { Changed(); };
  FBackGroundPicture->OnChange = [this](TGraphic*) { Changed(); };
}

TGDIPFill::~TGDIPFill() = default;

void TGDIPFill::Changed() {
  if (OnChange && FUpdateCount == 0) OnChange(this);
}

void TGDIPFill::SetPicture(TGraphic* Value) {
  if (Value != FPicture.get()) FPicture->Assign(static_cast<const TGraphic*>(Value));
  Changed();
}

void TGDIPFill::SetBackGroundPicture(TGraphic* Value) {
  if (Value != FBackGroundPicture.get()) FBackGroundPicture->Assign(static_cast<const TGraphic*>(Value));
  Changed();
}

void TGDIPFill::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TGDIPFill*>(Source);
  if (!s || s == this) return;
  BeginUpdate();
  const TNotifyEvent keep = OnChange;
  FColor = s->FColor, FColorTo = s->FColorTo, FColorMirror = s->FColorMirror,
  FColorMirrorTo = s->FColorMirrorTo;
  FGradientType = s->FGradientType, FGradientMirrorType = s->FGradientMirrorType;
  FHatchStyle = s->FHatchStyle, FHatchStyleMirror = s->FHatchStyleMirror;
  FBackGroundPictureAspectRatio = s->FBackGroundPictureAspectRatio;
  FBackGroundPictureMode = s->FBackGroundPictureMode;
  FBackGroundPicturePosition = s->FBackGroundPicturePosition;
  FBackGroundPictureLeft = s->FBackGroundPictureLeft, FBackGroundPictureTop = s->FBackGroundPictureTop;
  FBackGroundPictureAspectMode = s->FBackGroundPictureAspectMode;
  FPicturePosition = s->FPicturePosition, FPictureLeft = s->FPictureLeft, FPictureTop = s->FPictureTop;
  FPictureSize = s->FPictureSize, FPictureWidth = s->FPictureWidth, FPictureHeight = s->FPictureHeight;
  FPictureAspectRatio = s->FPictureAspectRatio, FPictureAspectMode = s->FPictureAspectMode;
  FOpacity = s->FOpacity, FOpacityTo = s->FOpacityTo, FOpacityMirror = s->FOpacityMirror;
  FOpacityMirrorTo = s->FOpacityMirrorTo;
  FBorderColor = s->FBorderColor, FBorderOpacity = s->FBorderOpacity, FBorderWidth = s->FBorderWidth;
  FRounding = s->FRounding, FRoundingType = s->FRoundingType;
  FShadowColor = s->FShadowColor, FShadowOffset = s->FShadowOffset, FShadowType = s->FShadowType;
  FAngle = s->FAngle, FGlow = s->FGlow, FGlowGradientColor = s->FGlowGradientColor;
  FGlowRadialColor = s->FGlowRadialColor;
  FPicture->Assign(static_cast<const TGraphic*>(s->FPicture.get()));
  FBackGroundPicture->Assign(static_cast<const TGraphic*>(s->FBackGroundPicture.get()));
  OnChange = keep;
  EndUpdate();
  Changed();
}

void TGDIPFill::DrawRadialFill(TGPGraphics* G, const TGPRectF& R, TColor C, TColor CTo, std::uint8_t O,
                               std::uint8_t OTo, bool Top, TFillRoundingType Type) {
  auto path = CreateRoundRectPath(R, static_cast<float>(FRounding), Type);
  TGPSolidBrush solid(Top ? Argb(O, C) : Argb(OTo, CTo));
  G->FillPath(&solid, path.get());
  G->SetClip(path.get());
  TGPGraphicsPath ellipse;
  if (Top)
    ellipse.AddEllipse(R.X, R.Y - R.Height / 2, R.Width, R.Height * 1.5f);
  else
    ellipse.AddEllipse(R.X, R.Y, R.Width, R.Height * 1.5f);
  TGPPathGradientBrush brush(&ellipse);
  brush.SetCenterPoint(TGPPointF(R.X + R.Width / 2, Top ? R.Y : R.Y + R.Height));
  brush.SetCenterColor(Top ? Argb(OTo, CTo) : Argb(O, C));
  Gdiplus::Color surround = Top ? Argb(O, C) : Argb(OTo, CTo);
  Gdiplus::INT count = 1;
  brush.SetSurroundColors(&surround, &count);
  G->FillRectangle(&brush, R);
  G->ResetClip();
}

void TGDIPFill::DrawGradientBackGround(TGPGraphics* Graphics, const TGPRectF& R, bool Mirror, std::uint8_t oc,
                                       std::uint8_t octo, std::uint8_t ocmr, std::uint8_t ocmrto) {
  TAdvGradientType kind = Mirror ? FGradientMirrorType : FGradientType;
  const TColor from = Mirror ? FColorMirror : FColor;
  const TColor to = Mirror ? FColorMirrorTo : FColorTo;
  if (from == clNone)
    kind = gtNone;
  else if (to == clNone)
    kind = gtSolid;
  TFillRoundingType type = FRoundingType;
  bool rounded = FRounding != 0;
  if (rounded && FColorMirror != clNone) {
    if (Mirror) {
      if (type == rtNone || type == rtTop) rounded = false;
      if (type == rtBoth) type = rtBottom;
    } else {
      if (type == rtNone || type == rtBottom) rounded = false;
      if (type == rtBoth) type = rtTop;
    }
  }
  std::unique_ptr<TGPGraphicsPath> path;
  if (rounded) path = CreateRoundRectPath(R, static_cast<float>(FRounding), type);
  TGPShapeFill f;
  f.Graphics = Graphics;
  f.Path = path.get();
  f.UsePath = rounded;
  f.Rect = R;
  f.GradientType = kind;
  f.Color = from;
  f.ColorTo = to;
  f.Opacity = Mirror ? ocmr : oc;
  f.OpacityTo = Mirror ? ocmrto : octo;
  f.HatchStyle = Mirror ? FHatchStyleMirror : FHatchStyle;
  f.Angle = FAngle;
  f.Picture = FBackGroundPicturePosition == ppTiled ? FBackGroundPicture.get() : nullptr;
  f.TopLine = Mirror;
  if (rounded) {
    SmoothingScope smooth(Graphics, Gdiplus::SmoothingModeAntiAlias);
    DrawShapeFill(f);
  } else {
    DrawShapeFill(f);
  }
}

void TGDIPFill::DrawGlow(TGPGraphics* G, const TGPRectF& R) {
  if (FGlow == gmNone || !G) return;
  G->SetClip(R);
  const TGPRectF r(R.X + 1, R.Y + 1, R.Width - 2, R.Height - 2);
  if (FGlow == gmGradient || FGlow == gmRadialGradient) {
    auto path = CreateRoundRectPath(r, static_cast<float>(FRounding), FRoundingType);
    TGPPen pen(Argb(200, FGlowGradientColor), 1.0f);
    G->DrawPath(&pen, path.get());
    const TGPRectF top(r.X + 5, r.Y, r.Width - 10, 4);
    TGPLinearGradientBrush topBrush(top, Argb(175, FGlowGradientColor), Argb(0, FGlowGradientColor),
                                    Gdiplus::LinearGradientModeVertical);
    G->FillRectangle(&topBrush, top);
    const TGPRectF bottom(r.X + 5, r.Y + r.Height - 7, r.Width - 10, 7);
    TGPLinearGradientBrush bottomBrush(bottom, Argb(0, FGlowGradientColor), Argb(220, FGlowGradientColor),
                                       Gdiplus::LinearGradientModeVertical);
    G->FillRectangle(&bottomBrush, bottom);
  }
  if (FGlow == gmRadial || FGlow == gmRadialGradient) {
    TGPGraphicsPath ellipse;
    ellipse.AddEllipse(r.X + 10, r.Y - r.Height / 2, r.Width - 20, r.Height * 3);
    TGPPathGradientBrush brush(&ellipse);
    brush.SetCenterColor(Argb(150, FGlowRadialColor));
    Gdiplus::Color surround = Argb(0, FColor);
    Gdiplus::INT count = 1;
    brush.SetSurroundColors(&surround, &count);
    G->FillPath(&brush, &ellipse);
  }
  G->ResetClip();
}

void TGDIPFill::DrawFillPicture(TGPGraphics* G, TAdvGDIPPicture* Picture, int w, int h,
                                TFillPicturePosition Position, const TRect& Rect, int Left, int Top,
                                bool AspectRatio, TPictureMode AspectMode) {
  if (!Picture || Picture->GetEmpty() || Position == ppTiled) return;
  Picture->GDIPDraw(G, FillPictureRect(Position, w, h, Rect, Left, Top, AspectRatio, AspectMode));
}

TGPRectF TGDIPFill::Fill(TGPGraphics* Graphics, const TGPRectF& Rin, std::uint8_t ABorderOpacity,
                         std::uint8_t AOpacity, std::uint8_t AOpacityTo, std::uint8_t AOpacityMirror,
                         std::uint8_t AOpacityMirrorTo) {
  const std::uint8_t bo = ABorderOpacity == 255 ? FBorderOpacity : ABorderOpacity;
  const std::uint8_t o = AOpacity == 255 ? FOpacity : AOpacity;
  const std::uint8_t oto = AOpacityTo == 255 ? FOpacityTo : AOpacityTo;
  const std::uint8_t omr = AOpacityMirror == 255 ? FOpacityMirror : AOpacityMirror;
  const std::uint8_t omrto = AOpacityMirrorTo == 255 ? FOpacityMirrorTo : AOpacityMirrorTo;
  TGPRectF R = Rin;
  if (!Graphics) return R;
  if (R.Width == 1 || R.Height == 1) {
    if (FBorderWidth > 0 && FBorderColor != clNone) {
      TGPPen pen(Argb(bo, FBorderColor), static_cast<REAL>(FBorderWidth));
      Graphics->DrawLine(&pen, R.X, R.Y, R.X + R.Width, R.Y + R.Height);
    }
  } else {
    if (FShadowOffset > 0 && FShadowColor != clNone) {
      const float S = static_cast<float>(FShadowOffset);
      if (FShadowType == stBottom) {
        DrawRadialFill(Graphics, TGPRectF(R.X, R.Y + R.Height - 2 * S, R.Width, 2 * S), FShadowColor,
                       FShadowColor, 0, 255, true, rtBottom);
        R.Height -= S;
      } else {
        const bool surround = FShadowType == stSurround;
        auto path = surround ? CreateRoundRectPath(R, S, rtBoth)
                             : CreateRoundRectPath(R, static_cast<float>(FRounding), FRoundingType);
        TGPPathGradientBrush brush(path.get());
        brush.SetWrapMode(Gdiplus::WrapModeClamp);
        const Gdiplus::Color colors[3] = {Argb(0, FShadowColor), Argb(180, FShadowColor),
                                          Argb(180, FShadowColor)};
        const REAL positions[3] = {0.0f, 0.1f, 1.0f};
        brush.SetInterpolationColors(colors, positions, 3);
        Graphics->FillPath(&brush, path.get());
        if (surround) {
          R = TGPRectF(R.X + S, R.Y + S, R.Width - 2 * S, R.Height - 2 * S);
        } else {
          R.Width -= S;
          R.Height -= S;
        }
      }
    }
    if (FGradientType == gtHatch || FGradientType == gtTexture || FColorMirror == clNone) {
      if (FGradientType == gtRadial) {
        if (FColor != clNone)
          DrawRadialFill(Graphics, R, FColor, FColorTo != clNone ? FColorTo : FColor, o, oto, true,
                         FRoundingType);
      } else {
        DrawGradientBackGround(Graphics, R, false, o, oto, omr, omrto);
      }
    } else {
      const float half = R.Height / 2;
      const TGPRectF upper(R.X, R.Y, R.Width, R.Height - half + 1);
      const TGPRectF lower(R.X, R.Y + half - 1, R.Width, R.Height - half + 1);
      if (FGradientType == gtRadial) {
        if (FColor != clNone)
          DrawRadialFill(Graphics, upper, FColor, FColorTo != clNone ? FColorTo : FColor, o, oto, true,
                         rtTop);
      } else {
        DrawGradientBackGround(Graphics, upper, false, o, oto, omr, omrto);
      }
      if (FGradientMirrorType == gtRadial) {
        if (FColorMirror != clNone)
          DrawRadialFill(Graphics, lower, FColorMirror,
                         FColorMirrorTo != clNone ? FColorMirrorTo : FColorMirror, omr, omrto, false,
                         rtBottom);
      } else {
        DrawGradientBackGround(Graphics, lower, true, o, oto, omr, omrto);
      }
    }
    const TRect pictureRect =
        Bounds(RoundHalfEven(R.X), RoundHalfEven(R.Y), RoundHalfEven(R.Width), RoundHalfEven(R.Height));
    if (FBackGroundPictureMode == pmInsideFill && FGradientType == gtTexture) {
      auto clip = CreateRoundRectPath(R, static_cast<float>(FRounding), FRoundingType);
      Graphics->SetClip(clip.get());
      DrawFillPicture(Graphics, FBackGroundPicture.get(), FBackGroundPicture->GetWidth(),
                      FBackGroundPicture->GetHeight(), FBackGroundPicturePosition, pictureRect,
                      FBackGroundPictureLeft, FBackGroundPictureTop, FBackGroundPictureAspectRatio,
                      FBackGroundPictureAspectMode);
      Graphics->ResetClip();
    }
    if (FBorderWidth > 0 && FBorderColor != clNone) {
      auto path = CreateRoundRectPath(R, static_cast<float>(FRounding), FRoundingType);
      TGPPen pen(Argb(bo, FBorderColor), static_cast<REAL>(FBorderWidth));
      Graphics->DrawPath(&pen, path.get());
    }
  }
  DrawGlow(Graphics, R);
  const float bw = static_cast<float>(FBorderWidth);
  FFocusRect = TGPRectF(R.X + bw, R.Y + bw, R.Width - 2 * bw, R.Height - 2 * bw);
  if (FFocus) {
    SmoothingScope plain(Graphics, Gdiplus::SmoothingModeDefault);
    auto path = CreateRoundRectPath(FFocusRect, static_cast<float>(FRounding - FBorderWidth), FRoundingType);
    TGPPen pen(Argb(o, FFocusColor), 1.0f);
    pen.SetDashStyle(Gdiplus::DashStyleDot);
    Graphics->DrawPath(&pen, path.get());
  }
  const TRect pictureRect =
      Bounds(RoundHalfEven(R.X), RoundHalfEven(R.Y), RoundHalfEven(R.Width), RoundHalfEven(R.Height));
  if (FBackGroundPictureMode == pmOutsideFill && FGradientType == gtTexture)
    DrawFillPicture(Graphics, FBackGroundPicture.get(), FBackGroundPicture->GetWidth(),
                    FBackGroundPicture->GetHeight(), FBackGroundPicturePosition, pictureRect,
                    FBackGroundPictureLeft, FBackGroundPictureTop, FBackGroundPictureAspectRatio,
                    FBackGroundPictureAspectMode);
  if (!FPicture->GetEmpty()) {
    const int w = FPictureSize == psCustom ? FPictureWidth : FPicture->GetWidth();
    const int h = FPictureSize == psCustom ? FPictureHeight : FPicture->GetHeight();
    DrawFillPicture(Graphics, FPicture.get(), w, h, FPicturePosition, pictureRect, FPictureLeft, FPictureTop,
                    FPictureAspectRatio, FPictureAspectMode);
  }
  return R;
}

// ---------------------------------------------------------------- persistence

// One integer setting of a saved fill: its key and how to read and write it.
struct TGDIPFill::Field {
  const char* Key;
  std::function<int(const TGDIPFill&)> Get;
  std::function<void(TGDIPFill&, int)> Set;
};

#define FILL_FIELD(Key, Member, Type)                                   \
  Field {                                                               \
    Key, [](const TGDIPFill& f) { return static_cast<int>(f.Member); }, \
        [](TGDIPFill& f, int v) { f.Member = static_cast<Type>(v); }    \
  }

const std::vector<TGDIPFill::Field>& TGDIPFill::Fields() {
  static const std::vector<Field> fields = {
      FILL_FIELD("Color", FColor, TColor),
      FILL_FIELD("ColorTo", FColorTo, TColor),
      FILL_FIELD("ColorMirror", FColorMirror, TColor),
      FILL_FIELD("ColorMirrorTo", FColorMirrorTo, TColor),
      FILL_FIELD("GradientType", FGradientType, TAdvGradientType),
      FILL_FIELD("GradientMirrorType", FGradientMirrorType, TAdvGradientType),
      FILL_FIELD("HatchStyle", FHatchStyle, Gdiplus::HatchStyle),
      FILL_FIELD("HatchStyleMirror", FHatchStyleMirror, Gdiplus::HatchStyle),
      FILL_FIELD("BackGroundPictureMode", FBackGroundPictureMode, TFillPictureMode),
      FILL_FIELD("BackGroundPicturePosition", FBackGroundPicturePosition, TFillPicturePosition),
      FILL_FIELD("BackGroundPictureLeft", FBackGroundPictureLeft, int),
      FILL_FIELD("BackGroundPictureTop", FBackGroundPictureTop, int),
      FILL_FIELD("PicturePosition", FPicturePosition, TFillPicturePosition),
      FILL_FIELD("PictureLeft", FPictureLeft, int),
      FILL_FIELD("PictureTop", FPictureTop, int),
      // Files hold the length of the "Picture" text under "PictureSize"; the
      // property has a key of its own so that it reads back as it was.
      FILL_FIELD("PictureSizeMode", FPictureSize, TFillPictureSize),
      FILL_FIELD("PictureWidth", FPictureWidth, int),
      FILL_FIELD("PictureHeight", FPictureHeight, int),
      FILL_FIELD("Opacity", FOpacity, std::uint8_t),
      FILL_FIELD("OpacityTo", FOpacityTo, std::uint8_t),
      FILL_FIELD("OpacityMirror", FOpacityMirror, std::uint8_t),
      FILL_FIELD("OpacityMirrorTo", FOpacityMirrorTo, std::uint8_t),
      FILL_FIELD("BorderColor", FBorderColor, TColor),
      FILL_FIELD("BorderOpacity", FBorderOpacity, std::uint8_t),
      FILL_FIELD("BorderWidth", FBorderWidth, int),
      FILL_FIELD("Rounding", FRounding, int),
      FILL_FIELD("RoundingType", FRoundingType, TFillRoundingType),
      FILL_FIELD("ShadowOffset", FShadowOffset, int),
      FILL_FIELD("ShadowColor", FShadowColor, TColor),
      FILL_FIELD("Angle", FAngle, int),
      FILL_FIELD("Glow", FGlow, TGlowMode),
      FILL_FIELD("GlowGradientColor", FGlowGradientColor, TColor),
      FILL_FIELD("GlowRadialColor", FGlowRadialColor, TColor),
  };
  return fields;
}

#undef FILL_FIELD

void TGDIPFill::SaveToFile(TIniFile* Ini, const std::string& Section) {
  for (const Field& f : Fields()) Ini->WriteInteger(Section, f.Key, f.Get(*this));
  const std::string picture = FPicture->GetEmpty() ? std::string() : HexFromBytes(FPicture->GetBytes());
  Ini->WriteString(Section, "Picture", picture);
  Ini->WriteInteger(Section, "PictureSize", static_cast<int>(picture.size()));
  const std::string background =
      FBackGroundPicture->GetEmpty() ? std::string() : HexFromBytes(FBackGroundPicture->GetBytes());
  Ini->WriteString(Section, "BackgroundPicture", background);
  Ini->WriteInteger(Section, "BackgroundPictureSize", static_cast<int>(background.size()));
}

void TGDIPFill::LoadFromFile(TIniFile* Ini, const std::string& Section) {
  for (const Field& f : Fields()) {
    const bool ownKey = std::string_view(f.Key) == "PictureSizeMode";
    // Files written before the property had its own key hold it (or the
    // picture's text length) under "PictureSize".
    const int fallback = ownKey ? Ini->ReadInteger(Section, "PictureSize", f.Get(*this)) : f.Get(*this);
    int v = Ini->ReadInteger(Section, f.Key, fallback);
    if (ownKey && v != psOriginal && v != psCustom) v = f.Get(*this);
    f.Set(*this, v);
  }
  auto picture = [&](const char* key, const char* sizeKey, TAdvGDIPPicture* target) {
    const int length = Ini->ReadInteger(Section, sizeKey, 0);
    if (length <= 0) return;
    std::string text = Ini->ReadString(Section, key, "");
    if (text.size() > static_cast<std::size_t>(length)) text.resize(static_cast<std::size_t>(length));
    const std::vector<std::uint8_t> bytes = BytesFromHex(text);
    if (!bytes.empty()) target->LoadFromBytes(bytes.data(), bytes.size());
  };
  BeginUpdate();
  try {
    picture("Picture", "PictureSize", FPicture.get());
    picture("BackgroundPicture", "BackgroundPictureSize", FBackGroundPicture.get());
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
  Changed();
}

void TGDIPFill::SaveToFile(const std::string& FileName, const std::string& Section) {
  TIniFile ini(FileName);
  SaveToFile(&ini, Section);
}

void TGDIPFill::LoadFromFile(const std::string& FileName, const std::string& Section) {
  TIniFile ini(FileName);
  LoadFromFile(&ini, Section);
}

namespace {

unsigned FillClipboardFormat() {
  static const unsigned format = RegisterClipboardFormat("GDI+ Fill");
  return format;
}

}  // namespace

void TGDIPFill::SaveToClipBoard() {
  // The settings as "Key=Value" lines, pictures as hex text.
  std::ostringstream out;
  for (const Field& f : Fields()) out << f.Key << '=' << f.Get(*this) << '\n';
  if (!FPicture->GetEmpty()) out << "Picture=" << HexFromBytes(FPicture->GetBytes()) << '\n';
  if (!FBackGroundPicture->GetEmpty())
    out << "BackgroundPicture=" << HexFromBytes(FBackGroundPicture->GetBytes()) << '\n';
  const std::string text = out.str();
  Clipboard()->SetBuffer(FillClipboardFormat(), text.data(), text.size());
}

void TGDIPFill::LoadFromClipBoard() {
  if (!Clipboard()->HasFormat(FillClipboardFormat())) return;
  const std::vector<std::uint8_t> bytes = Clipboard()->GetBuffer(FillClipboardFormat());
  std::istringstream in(std::string(bytes.begin(), bytes.end()));
  std::string line;
  BeginUpdate();
  while (std::getline(in, line)) {
    const auto eq = line.find('=');
    if (eq == std::string::npos) continue;
    const std::string key = line.substr(0, eq), value = line.substr(eq + 1);
    try {
      if (key == "Picture" || key == "BackgroundPicture") {
        const std::vector<std::uint8_t> data = BytesFromHex(value);
        (key == "Picture" ? FPicture : FBackGroundPicture)->LoadFromBytes(data.data(), data.size());
        continue;
      }
      for (const Field& f : Fields())
        if (key == f.Key) f.Set(*this, std::stoi(value));
    } catch (const std::exception&) {
      // A damaged entry leaves that setting as it was.
    }
  }
  EndUpdate();
  Changed();
}
