#include "controls/AdvTrackBarDraw.h"

#include <algorithm>

namespace {

TColor ChannelStep(TColor From, TColor To, int n, int Steps) {
  const TColor f = ColorToRGB(From), t = ColorToRGB(To);
  auto channel = [&](int a, int b) {
    const double step = static_cast<double>(b - a) / Steps;
    return std::clamp(a + RoundHalfEven(n * step), 0, 255);
  };
  return RGB(channel(GetRValue(f), GetRValue(t)), channel(GetGValue(f), GetGValue(t)),
             channel(GetBValue(f), GetBValue(t)));
}

Gdiplus::Color Opaque(TColor c) {
  return Gdiplus::Color(OpaqueArgbFromColor(c));
}

}  // namespace

std::vector<TGradientBand> GradientBands(TColor From, TColor To, bool Across, const TRect& R, int Steps) {
  if (Steps <= 0) Steps = 1;
  std::vector<TGradientBand> bands;
  const int extent = Across ? (R.Right - 1) - R.Left : (R.Bottom - 1) - R.Top;
  const double d = static_cast<double>(extent) / Steps;
  const int width = RoundHalfEven(d) + 1;
  for (int n = 0; n < Steps; ++n) {
    const int start = RoundHalfEven(n * d);
    TRect band = Across ? Rect(R.Left + start, R.Top, R.Left + start + width, R.Bottom)
                        : Rect(R.Left, R.Top + start, R.Right, R.Top + start + width);
    bands.push_back({band, ChannelStep(From, To, n, Steps)});
  }
  return bands;
}

void DrawGradient(TCanvas* Canvas, TColor From, TColor To, bool Across, const TRect& R, int Steps) {
  for (const TGradientBand& b : GradientBands(From, To, Across, R, Steps)) {
    Canvas->Brush->SetColor(b.Color);
    Canvas->FillRect(b.Rect);
  }
}

namespace {

// The parts and directions of a gradient rectangle: one part, or two
// mirrored halves for the in-out directions.
struct GradientPart {
  TRect Rect;
  TColor From, To;
  bool Across;
};

std::vector<GradientPart> GradientParts(TColor From, TColor To, TGradientDirection Direction,
                                        const TRect& R) {
  switch (Direction) {
    case gdHorizontal:
      return {{R, From, To, true}};
    case gdVertical:
      return {{R, From, To, false}};
    case gdHorizontalInOut: {
      const int m = R.Left + (R.Right - R.Left) / 2;
      return {{Rect(R.Left, R.Top, m, R.Bottom), From, To, true},
              {Rect(m - 1, R.Top, R.Right, R.Bottom), To, From, true}};
    }
    case gdVerticalInOut: {
      const int m = R.Top + (R.Bottom - R.Top) / 2;
      return {{Rect(R.Left, R.Top, R.Right, m), From, To, false},
              {Rect(R.Left, m - 1, R.Right, R.Bottom), To, From, false}};
    }
  }
  return {};
}

}  // namespace

void DrawGradientRect(TCanvas* Canvas, TColor From, TColor To, TGradientDirection Direction, const TRect& R,
                      int Steps) {
  for (const GradientPart& p : GradientParts(From, To, Direction, R))
    DrawGradient(Canvas, p.From, p.To, p.Across, p.Rect, Steps);
}

TCanvasRegionClip::TCanvasRegionClip(TCanvas* Canvas, HRGN Region) : FCanvas(Canvas), FLevel(SaveDC(Canvas)) {
  // Regions select in device pixels, within the clip already in force.
  const TPoint o = Canvas->DeviceOffset();
  OffsetRgn(Region, o.X, o.Y);
  HRGN bounds = CreateRectRgnIndirect(Canvas->GetClipRect());
  OffsetRgn(bounds, o.X, o.Y);
  CombineRgn(Region, Region, bounds, RGN_AND);
  SelectClipRgn(Canvas, Region);
  DeleteObject(bounds);
  DeleteObject(Region);
}

TCanvasRegionClip::~TCanvasRegionClip() {
  RestoreDC(FCanvas, FLevel);
}

TColor BlendColor(TColor A, TColor B, int Percent) {
  if (Percent >= 100) return A;
  if (Percent <= 0) return B;
  const TColor a = ColorToRGB(A), b = ColorToRGB(B);
  const double p = Percent / 100.0;
  auto mix = [p](int x, int y) { return RoundHalfEven(p * x + (1 - p) * y); };
  return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)),
             mix(GetBValue(a), GetBValue(b)));
}

void Draw3DFrame(TCanvas* Canvas, const TRect& R, bool Swap, TColor Color1, TColor Color2) {
  const int L = R.Left, T = R.Top, Rt = R.Right, B = R.Bottom;
  auto line = [Canvas](int x1, int y1, int x2, int y2) {
    Canvas->MoveTo(x1, y1);
    Canvas->LineTo(x2, y2);
  };
  Canvas->Pen->SetColor(Swap ? Color2 : Color1);
  if (B - T > 2) line(L, T, L, B);
  line(L, T, Rt, T);
  line(Rt - 2, T, Rt - 2, B - 2);
  line(Rt - 2, B - 2, L, B - 2);
  Canvas->Pen->SetColor(Swap ? Color1 : Color2);
  line(L + 1, B - 1, Rt - 1, B - 1);
  line(Rt - 1, B - 1, Rt - 1, T - 1);
  line(L + 1, B - 1, L + 1, T + 1);
  line(L + 1, T + 1, Rt - 2, T + 1);
}

void DrawDottedFocusRect(TCanvas* Canvas, const TRect& R, TColor Color) {
  // Every other pixel along the four edges.
  int k = 0;
  for (int x = R.Left; x < R.Right; ++x, ++k)
    if (k % 2 == 0) Canvas->SetPixels(x, R.Top, Color);
  for (int y = R.Top; y < R.Bottom; ++y, ++k)
    if (k % 2 == 0) Canvas->SetPixels(R.Right, y, Color);
  for (int x = R.Right; x > R.Left; --x, ++k)
    if (k % 2 == 0) Canvas->SetPixels(x, R.Bottom, Color);
  for (int y = R.Bottom; y > R.Top; --y, ++k)
    if (k % 2 == 0) Canvas->SetPixels(R.Left, y, Color);
}

std::unique_ptr<TGPGraphicsPath> CreateRoundedRectPath(const TGPRectF& R, float Radius) {
  auto path = std::make_unique<TGPGraphicsPath>();
  const float d = 2 * Radius;
  if (Radius <= 0) {
    path->AddRectangle(R);
    return path;
  }
  path->AddArc(R.X, R.Y, d, d, 180, 90);
  path->AddArc(R.X + R.Width - d, R.Y, d, d, 270, 90);
  path->AddArc(R.X + R.Width - d, R.Y + R.Height - d, d, d, 0, 90);
  path->AddArc(R.X, R.Y + R.Height - d, d, d, 90, 90);
  path->CloseFigure();
  return path;
}

void DrawRoundRectOutline(TGPGraphics* Graphics, const TGPRectF& R, float Radius, TColor Color) {
  if (!Graphics) return;
  auto path = CreateRoundedRectPath(R, Radius);
  TGPPen pen(Opaque(Color), 1.0f);
  Graphics->DrawPath(&pen, path.get());
}

void FillGlossyHalf(TGPGraphics* Graphics, const TGPRectF& R, TColor A, TColor B, TGDIPGradient Kind,
                    bool Upper) {
  const float w = R.Width, h = R.Height, hw = w / 2, hh = h / 2;
  if (Kind == ggRadial) {
    TGPSolidBrush solid(Opaque(Upper ? A : B));
    Graphics->FillRectangle(&solid, R);
    TGPGraphicsPath ellipse;
    if (Upper)
      ellipse.AddEllipse(R.X, R.Y - hh + 2, w, h);
    else
      ellipse.AddEllipse(R.X, R.Y, w, h);
    TGPPathGradientBrush brush(&ellipse);
    brush.SetCenterPoint(TGPPointF(R.X + hw, Upper ? R.Y : R.Y + h));
    brush.SetCenterColor(Opaque(Upper ? B : A));
    Gdiplus::Color surround = Opaque(Upper ? A : B);
    Gdiplus::INT count = 1;
    brush.SetSurroundColors(&surround, &count);
    Graphics->FillRectangle(&brush, R);
    return;
  }
  const Gdiplus::LinearGradientMode mode = Kind == ggVertical ? Gdiplus::LinearGradientModeVertical
                                           : Kind == ggDiagonalForward
                                               ? Gdiplus::LinearGradientModeForwardDiagonal
                                               : Gdiplus::LinearGradientModeBackwardDiagonal;
  TGPLinearGradientBrush brush(R, Opaque(A), Opaque(B), mode);
  Graphics->FillRectangle(&brush, R);
}

void DrawGlossyOutline(TGPGraphics* Graphics, const TGPRectF& R, TTrackButtonShape Shape, bool Vertical,
                       TColor Inner, TColor Outer) {
  auto outline = [&](const TGPRectF& r, float radius, TColor c) {
    if (Shape == bsRound) {
      const float side = std::min(r.Width, r.Height);
      const TGPRectF sq = Vertical ? TGPRectF(r.X + (r.Width - side) / 2, r.Y, side, side)
                                   : TGPRectF(r.X, r.Y + (r.Height - side) / 2, side, side);
      DrawRoundRectOutline(Graphics, sq, radius, c);
    } else {
      DrawRoundRectOutline(Graphics, r, 0, c);
    }
  };
  const float side = std::min(R.Width, R.Height);
  if (Outer != clNone) outline(R, side / 2, Outer);
  if (Inner != clNone) {
    const TGPRectF in(R.X + 1, R.Y + 1, R.Width - 3, R.Height - 3);
    outline(in, Shape == bsRound ? std::min(in.Width, in.Height) / 2 : 0, Inner);
  }
}

void DrawGlossy(TGPGraphics* Graphics, const TRect& R, TTrackButtonShape Shape, TColor Outer, TColor Inner,
                const TThumbColors& C, TGDIPGradient Gradient, TGDIPGradient GradientMirror, bool Vertical) {
  if (!Graphics) return;
  Graphics->SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  const int hh = (R.Bottom - R.Top) / 2;
  if (C.Color != clNone && C.ColorTo != clNone && C.Mirror != clNone && C.MirrorTo != clNone) {
    const TGPRectF lower(static_cast<float>(R.Left), static_cast<float>(R.Top + hh - 1),
                         static_cast<float>(R.Right - R.Left),
                         static_cast<float>(R.Bottom - (R.Top + hh - 1)));
    FillGlossyHalf(Graphics, lower, C.MirrorTo, C.Mirror, GradientMirror, false);
    const TGPRectF upper(static_cast<float>(R.Left), static_cast<float>(R.Top),
                         static_cast<float>(R.Right - R.Left), static_cast<float>(R.Bottom - hh + 1 - R.Top));
    FillGlossyHalf(Graphics, upper, C.Color, C.ColorTo, Gradient, true);
  }
  const TGPRectF whole(static_cast<float>(R.Left), static_cast<float>(R.Top),
                       static_cast<float>(R.Right - R.Left), static_cast<float>(R.Bottom - R.Top));
  DrawGlossyOutline(Graphics, whole, Shape, Vertical, Inner, Outer);
}

std::vector<TPoint> PointerThumbPoints(const TRect& R, TTickMark Ticks, bool Vertical) {
  const int L = R.Left, T = R.Top, Rt = R.Right, B = R.Bottom;
  const bool nearPoint = Ticks == tmTopLeft || Ticks == tmBoth;
  const bool farPoint = Ticks == tmBottomRight || Ticks == tmBoth;
  std::vector<TPoint> p;
  if (Vertical) {
    const int h = (B - T) / 2;
    const int l = nearPoint ? L + h : L, r = farPoint ? Rt - h : Rt;
    p.push_back({l, T});
    p.push_back({r, T});
    if (farPoint) p.push_back({Rt, B - h});
    p.push_back({r, B});
    p.push_back({l, B});
    if (nearPoint) p.push_back({L, T + h});
  } else {
    const int h = (Rt - L) / 2;
    const int t = nearPoint ? T + h : T, b = farPoint ? B - h : B;
    p.push_back({L, t});
    if (nearPoint) p.push_back({L + h, T});
    p.push_back({Rt, t});
    p.push_back({Rt, b});
    if (farPoint) p.push_back({L + h, B});
    p.push_back({L, b});
  }
  return p;
}

std::vector<TPoint> TriangleThumbPoints(const TRect& R, int Code) {
  const int L = R.Left, T = R.Top, Rt = R.Right, B = R.Bottom;
  const int hw = (Rt - L) / 2, hh = (B - T) / 2;
  switch (Code) {
    case 0:
      return {{L, B}, {L, T}, {Rt, T + hh}};
    case 1:
      return {{L, T + hh}, {Rt, T}, {Rt, B}};
    case 2:
      return {{L, B}, {L + hw, T}, {Rt, B}};
    case 3:
      return {{L, T}, {Rt, T}, {L + hw, B}};
    default:
      return {{L, T + hh}, {L + hw, T}, {Rt, T + hh}, {L + hw, B}};
  }
}

std::vector<TPoint> PointerRightUpThumbPoints(const TRect& R, int Code) {
  const int L = R.Left, T = R.Top, Rt = R.Right, B = R.Bottom;
  const int hw = (Rt - L) / 2, hh = (B - T) / 2;
  switch (Code) {
    case 0:
      return {{L, T}, {Rt, T}, {Rt, B}, {L + hh, B}};
    case 1:
      return {{L, T}, {Rt, T}, {Rt - hh, B}, {L, B}};
    case 2:
      return {{L, T + hw}, {Rt, T}, {Rt, B}, {L, B}};
    case 3:
      return {{L, T}, {Rt, T}, {Rt, B}, {L, B - hw}};
    case 4:
      return {{L, T}, {Rt, T}, {Rt - hh, B}, {L + hh, B}};
    default:
      return {{L, T + hw}, {Rt, T}, {Rt, B}, {L, B - hw}};
  }
}

std::vector<TPoint> PointerLeftUpThumbPoints(const TRect& R, int Code) {
  const int L = R.Left, T = R.Top, Rt = R.Right, B = R.Bottom;
  const int hw = (Rt - L) / 2;
  switch (Code) {
    case 0:
      return PointerRightUpThumbPoints(R, 1);
    case 1:
      return PointerRightUpThumbPoints(R, 0);
    case 2:
      return {{L, T}, {Rt, T + hw}, {Rt, B}, {L, B}};
    case 3:
      return {{L, T}, {Rt, T}, {Rt, B - hw}, {L, B}};
    case 4:
      return PointerRightUpThumbPoints(R, 4);
    default:
      return {{L, T}, {Rt, T + hw}, {Rt, B - hw}, {L, B}};
  }
}

std::unique_ptr<TGPGraphicsPath> PolygonPath(const std::vector<TPoint>& Points) {
  auto path = std::make_unique<TGPGraphicsPath>(Gdiplus::FillModeAlternate);
  std::vector<TGPPointF> pts;
  for (const TPoint& p : Points) pts.emplace_back(static_cast<float>(p.X), static_cast<float>(p.Y));
  path->AddPolygon(pts.data(), static_cast<Gdiplus::INT>(pts.size()));
  return path;
}

TGradientDirection ThumbGradientDirection(TGDIPGradient Gradient) {
  switch (Gradient) {
    case ggRadial:
      return gdHorizontal;
    case ggVertical:
      return gdVertical;
    case ggDiagonalForward:
      return gdHorizontalInOut;
    case ggDiagonalBackward:
      return gdVerticalInOut;
  }
  return gdVertical;
}
