// Painting of the fader: background and frame, groove with its completed
// part, tick marks, thumb in its states, min/max buttons, the position
// label, the rating pictures and the focus rectangle.

#include <algorithm>
#include <optional>

#include "controls/AdvTrackBar.h"
#include "controls/AdvTrackBarDraw.h"
#include "platform/classlib/ImgList.h"
#include "platform/gdiplus/ClassLibBridge.h"

namespace {

bool IsNone(const TRect& R) {
  return R.Left == -1 && R.Top == -1 && R.Right == -1 && R.Bottom == -1;
}

// A picture at its own size with its key colour (bitmaps) or alpha.
void DrawPictureAt(TCanvas* Canvas, TGDIPPicture* Picture, int X, int Y) {
  if (!Picture || Picture->GetEmpty()) return;
  std::unique_ptr<TGraphic> g = Picture->Clone();
  g->SetTransparent(true);
  g->Draw(Canvas, Rect(X, Y, X + Picture->GetWidth(), Y + Picture->GetHeight()));
}

// Fills R by the fill rule of the shapes: two colours a band gradient, one a
// solid fill, on a canvas that holds the shape's clip.
void FillByRule(TCanvas* Canvas, const TRect& R, const TThumbColors& C, TGDIPGradient Gradient, int Steps) {
  if (C.Color != clNone && C.ColorTo != clNone) {
    DrawGradientRect(Canvas, C.Color, C.ColorTo, ThumbGradientDirection(Gradient), R, Steps);
  } else if (C.Color != clNone) {
    Canvas->Brush->SetStyle(bsSolid);
    Canvas->Brush->SetColor(C.Color);
    Canvas->FillRect(R);
  }
}

void Outline(TGPGraphics* G, const std::vector<TPoint>& Points, TColor Color) {
  if (Color == clNone || Points.empty()) return;
  TGPPen pen(Gdiplus::Color(OpaqueArgbFromColor(Color)), 1.0f);
  auto path = PolygonPath(Points);
  G->DrawPath(&pen, path.get());
}

// The polygon pulled in by k pixels toward its centre.
std::vector<TPoint> Inset(const std::vector<TPoint>& Points, int k) {
  long sx = 0, sy = 0;
  for (const TPoint& p : Points) sx += p.X, sy += p.Y;
  const int cx = static_cast<int>(sx / static_cast<long>(Points.size()));
  const int cy = static_cast<int>(sy / static_cast<long>(Points.size()));
  std::vector<TPoint> in;
  for (const TPoint& p : Points)
    in.push_back({p.X + (p.X < cx ? k : p.X > cx ? -k : 0), p.Y + (p.Y < cy ? k : p.Y > cy ? -k : 0)});
  return in;
}

}  // namespace

void TCustomTrackBar::Paint() {
  TCanvas* c = GetCanvas();
  if (!c) return;
  DrawBackground();
  if (IsRating()) {
    DrawRating();
    return;
  }
  DrawTrackLabel();
  DrawSlider();
  DrawTicks();
  DrawThumb();
  DrawButtons();
  if (Focused() && FShowFocus) {
    const TRect r = GetClientRect();
    DrawDottedFocusRect(c, Rect(r.Left, r.Top, r.Right - 1, r.Bottom - 1), clBlack);
  }
}

void TCustomTrackBar::DrawBackground() {
  TCanvas* c = GetCanvas();
  const bool enabled = GetEnabled();
  TGDIPPicture* picture = FIBackGround.get();
  if (!enabled && !FIBackGroundDisabled->GetEmpty()) picture = FIBackGroundDisabled.get();
  const TColor frame = enabled ? FBorderColor : FBorderColorDisabled;
  const TColor from = enabled ? GetColor() : FColorDisabled;
  const TColor to = enabled ? FColorTo : FColorDisabledTo;
  const TRect client = GetClientRect();
  // An opaque fader first erases to its own colour, as a window does.
  if (!FTransparent && GetColor() != clNone) {
    c->Brush->SetStyle(bsSolid);
    c->Brush->SetColor(GetColor());
    c->FillRect(client);
  }
  if (!picture->GetEmpty()) {
    if (FBackGroundStretched) {
      std::unique_ptr<TGraphic> g = picture->Clone();
      g->SetTransparent(true);
      c->StretchDraw(client, g.get());
    } else {
      DrawPictureAt(c, picture, 0, 0);
    }
  } else if (!FTransparent && (from != clNone || to != clNone)) {
    if (from != clNone && to != clNone) {
      DrawGradientRect(c, from, to, FDirection, client, 80);
    } else {
      c->Brush->SetColor(from);
      c->FillRect(client);
    }
  }
  if (frame != clNone && FBorderWidth >= 1) {
    c->Pen->SetColor(frame);
    c->Pen->SetWidth(FBorderWidth);
    c->Brush->SetStyle(bsClear);
    c->Rectangle(client);
    c->Pen->SetWidth(1);
    c->Brush->SetStyle(bsSolid);
  }
}

void TCustomTrackBar::DrawSlider() {
  if (IsRating() || FSlider->GetSize() <= 0 || !FSlider->GetVisible()) return;
  TCanvas* c = GetCanvas();
  const TTrackBarSlider& sl = *FSlider;
  const bool enabled = GetEnabled();
  TGDIPPicture* picture = sl.GetPicture();
  if (!enabled && !sl.GetPictureDisabled()->GetEmpty()) picture = sl.GetPictureDisabled();
  TGDIPPicture* completedPicture = enabled ? sl.GetPictureCompleted() : sl.GetPictureCompletedDisabled();
  const TColor frame = enabled ? sl.GetBorderColor() : sl.GetBorderColorDisabled();
  const TColor from = enabled ? sl.GetColor() : sl.GetColorDisabled();
  const TColor to = enabled ? sl.GetColorTo() : sl.GetColorDisabledTo();
  const TColor cFrom = enabled ? sl.GetColorCompleted() : sl.GetColorCompletedDisabled();
  const TColor cTo = enabled ? sl.GetColorCompletedTo() : sl.GetColorCompletedDisabledTo();

  const TRect s = GetSliderRect();
  TRect t;
  GetThumbRect(false, t);
  const bool vertical = FOrientation == trVertical;
  const bool hasCompleted = cFrom != clNone || !completedPicture->GetEmpty();
  TRect completed = Rect(0, 0, 0, 0), rest = s;
  if (hasCompleted) {
    const int w = FThumb->GetWidth();
    if (vertical) {
      const int m = t.Top + w / 2;
      completed = Rect(s.Left, m, s.Right, s.Bottom);
      rest = Rect(s.Left, s.Top, s.Right, m + 1);
      if (FPosition == FMin) completed = Rect(s.Left, s.Bottom, s.Right, s.Bottom), rest = s;
      if (FPosition == FMax) completed = s, rest = Rect(s.Left, s.Top, s.Right, s.Top);
    } else {
      const int m = t.Left + w / 2;
      completed = Rect(s.Left, s.Top, m, s.Bottom);
      rest = Rect(m - 1, s.Top, s.Right, s.Bottom);
      if (FPosition == FMin) completed = Rect(s.Left, s.Top, s.Left, s.Bottom), rest = s;
      if (FPosition == FMax) completed = s, rest = Rect(s.Right, s.Top, s.Right, s.Bottom);
    }
  }
  auto fillPart = [&](const TRect& part, TColor a, TColor b) {
    if (part.Right <= part.Left || part.Bottom <= part.Top) return;
    if (a != clNone && b != clNone) {
      DrawGradientRect(c, a, b, sl.GetDirection(), part, sl.GetSteps());
    } else if (a != clNone || b != clNone) {
      c->Brush->SetColor(a != clNone ? a : b);
      c->FillRect(part);
    }
  };
  if (picture->GetEmpty()) {
    std::optional<TCanvasRegionClip> clip;
    if (sl.GetRounded()) clip.emplace(c, CreateRoundRectRgn(s.Left, s.Top, s.Right, s.Bottom, 7, 7));
    if (hasCompleted) fillPart(completed, cFrom, cTo);
    fillPart(rest, from, to);
  } else {
    auto drawPicture = [&](TGDIPPicture* p, const TRect& part) {
      if (part.Right <= part.Left || part.Bottom <= part.Top) return;
      std::unique_ptr<TGraphic> g = p->Clone();
      g->SetTransparent(true);
      if (sl.GetPictureStretched()) {
        c->StretchDraw(part, g.get());
      } else if (part.Left > 0 && part.Right > 0) {
        c->SetClipRect(part);
        g->Draw(c, Rect(s.Left, s.Top, s.Left + p->GetWidth(), s.Top + p->GetHeight()));
        c->ResetClipRect();
      }
    };
    if (hasCompleted && !completedPicture->GetEmpty()) drawPicture(completedPicture, completed);
    drawPicture(picture, rest);
  }
  if (frame == clNone) return;
  const TGPRectF sf(static_cast<float>(s.Left), static_cast<float>(s.Top),
                    static_cast<float>(s.Right - s.Left - 1), static_cast<float>(s.Bottom - s.Top - 1));
  if (sl.GetRounded()) {
    auto g = Gdiplus::GraphicsFromCanvas(c);
    if (!g) return;
    g->SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    DrawRoundRectOutline(g.get(), sf, 3.5f, frame);
    if (sl.GetBorder3D())
      DrawRoundRectOutline(g.get(), TGPRectF(sf.X + 1, sf.Y + 1, sf.Width - 2, sf.Height - 2), 3.0f, clWhite);
  } else if (sl.GetBorder3D()) {
    Draw3DFrame(c, s, true, BlendColor(frame, clWhite, 10), frame);
  } else {
    c->Pen->SetColor(frame);
    c->Brush->SetStyle(bsClear);
    c->Rectangle(s);
    c->Brush->SetStyle(bsSolid);
  }
}

void TCustomTrackBar::DrawTicks() {
  if (IsRating() || FTickMark->GetSize() <= 0 || FTickMark->GetStyle() != tsAuto) return;
  TCanvas* c = GetCanvas();
  const bool vertical = FOrientation == trVertical;
  TRect top, bottom;
  GetTopLeftTickRect(top);
  GetBottomRightTickRect(bottom);
  const bool showText = FTickMark->GetShowText();
  const TRect& ref = IsNone(bottom) ? top : bottom;
  if (IsNone(ref)) return;
  int last = (std::max(GetWidth(), GetHeight()) - 2 * (vertical ? ref.Top : ref.Left)) / 2;
  if (OnDrawTick || showText || FMax < last) last = FMax;
  const int L = TrackLength();
  const double spacing =
      last == FMin ? 0.0 : static_cast<double>(L - FThumb->GetWidth()) / static_cast<double>(last - FMin);
  int lastOffset = 0;
  bool first = true;
  for (int i = FMin; i <= last; ++i) {
    const int off = static_cast<int>((i - FMin) * spacing);
    if (!OnDrawTick && !first && off - lastOffset <= 1) continue;
    first = false;
    lastOffset = off;
    for (int side = 0; side < 2; ++side) {
      const TRect& band = side == 0 ? top : bottom;
      if (IsNone(band)) continue;
      int length = FTickMark->GetSize();
      TColor color = GetEnabled() ? FTickMark->GetColor() : FTickMark->GetColorDisabled();
      TColor textColor = FTickMark->GetFont()->GetColor();
      std::string text;
      if (showText) {
        text = std::to_string(i);
        if (OnGetTickMarkText) OnGetTickMarkText(this, i, text);
      }
      bool defaultDraw = true;
      const int textIn = showText ? FTextHeight : 0;
      TPoint at = vertical ? TPoint{band.Left + (side == 0 ? textIn : 0), band.Bottom - off}
                           : TPoint{band.Left + off, band.Top + (side == 0 ? textIn : 0)};
      if (OnDrawTick)
        OnDrawTick(this, c, at, i, side == 0 ? tmTopLeft : tmBottomRight, length, color, textColor, text,
                   defaultDraw);
      const int steps = FTickMark->GetShowImageAtSteps();
      defaultDraw = defaultDraw && (!FTickMark->GetShowImageAtThumbOnly() || i == FPosition) &&
                    (steps <= 1 || i % steps == 0);
      if (!defaultDraw) continue;
      if (FImages && FImages->GetCount() > 0) {
        const int index = i < FImages->GetCount() ? i : 0;
        if (vertical)
          FImages->Draw(c, at.X, at.Y - FImages->GetHeight() / 2, index, GetEnabled());
        else
          FImages->Draw(c, at.X - FImages->GetWidth() / 2, at.Y, index, GetEnabled());
      } else {
        c->Pen->SetColor(color);
        c->MoveTo(at.X, at.Y);
        if (vertical)
          c->LineTo(at.X + length, at.Y);
        else
          c->LineTo(at.X, at.Y + length);
        if (FTickMark->GetLine3D()) {
          c->Pen->SetColor(BlendColor(color, clWhite, 10));
          if (vertical) {
            c->MoveTo(at.X, at.Y - 1);
            c->LineTo(at.X + length, at.Y - 1);
          } else {
            c->MoveTo(at.X + 1, at.Y);
            c->LineTo(at.X + 1, at.Y + length);
          }
        }
      }
      if (showText && !text.empty()) {
        c->Font->Assign(FTickMark->GetFont());
        c->Font->SetColor(textColor);
        c->Brush->SetStyle(bsClear);
        const int tw = c->TextWidth(text), th = c->TextHeight(text);
        if (vertical) {
          const int x = side == 0 ? band.Left - FTickTextOffset - tw : band.Right + FTickTextOffset;
          c->TextOut(x, at.Y - th / 2, text);
        } else {
          const int y = side == 0 ? band.Top - FTickTextOffset - th : band.Bottom + FTickTextOffset;
          c->TextOut(at.X - tw / 2, y, text);
        }
        c->Brush->SetStyle(bsSolid);
      }
    }
  }
}

void TCustomTrackBar::DrawThumb() {
  if (!IsPainting()) {
    Invalidate();
    return;
  }
  TRect t;
  GetThumbRect(false, t);
  PaintThumb(FThumb.get(), t, FPosition, FThumbDown, FThumbHot);
}

void TCustomTrackBar::PaintThumb(TTrackBarThumb* Thumb, const TRect& R, int Position, bool Down, bool Hot) {
  if (IsRating() || Thumb->GetSize() < 1) return;
  if (!Thumb->GetShowAtMinMax() && (Position == FMin || Position == FMax)) return;
  TCanvas* c = GetCanvas();
  TGDIPPicture* picture = Thumb->GetPicture();
  int state = 0;
  if (Down) {
    state = 2;
    if (!Thumb->GetPictureDown()->GetEmpty()) picture = Thumb->GetPictureDown();
  } else if (Hot) {
    state = 1;
    if (!Thumb->GetPictureHot()->GetEmpty()) picture = Thumb->GetPictureHot();
  }
  if (!GetEnabled()) {
    state = 3;
    if (!Thumb->GetPictureDisabled()->GetEmpty()) picture = Thumb->GetPictureDisabled();
  }
  if (!picture->GetEmpty()) {
    DrawPictureAt(c, picture, R.Left, R.Top);
    return;
  }
  const TThumbColors col = Thumb->StateColors(state);
  const bool vertical = FOrientation == trVertical;
  const int steps = Thumb->GetSteps();
  const TTickMark ticks = FTickMark->GetPosition();

  if (Thumb->GetShape() == tsLine) {
    const bool office = Thumb->GetStyle() == tstOffice2007;
    if (!office) return;
    const int m = vertical ? R.Top + (R.Bottom - R.Top) / 2 : R.Left + (R.Right - R.Left) / 2;
    const TColor lines[4] = {col.ColorTo, col.Color, BlendColor(col.Color, clWhite, 60),
                             BlendColor(col.Color, clWhite, 10)};
    for (int k = 0; k < 4; ++k) {
      c->Pen->SetColor(lines[k]);
      if (vertical) {
        c->MoveTo(R.Left, m - 1 + k);
        c->LineTo(R.Right, m - 1 + k);
      } else {
        c->MoveTo(m - 1 + k, R.Top);
        c->LineTo(m - 1 + k, R.Bottom);
      }
    }
    return;
  }

  auto g = Gdiplus::GraphicsFromCanvas(c);
  if (!g) return;
  std::vector<TPoint> poly;
  switch (Thumb->GetShape()) {
    case tsPointer:
      poly = PointerThumbPoints(R, ticks, vertical);
      break;
    case tsTriangle:
    case tsPointerRightUp:
    case tsPointerLeftUp: {
      const int code = ticks == tmTopLeft       ? (vertical ? 0 : 2)
                       : ticks == tmBottomRight ? (vertical ? 1 : 3)
                                                : (vertical ? 4 : 5);
      poly = Thumb->GetShape() == tsTriangle         ? TriangleThumbPoints(R, code)
             : Thumb->GetShape() == tsPointerRightUp ? PointerRightUpThumbPoints(R, code)
                                                     : PointerLeftUpThumbPoints(R, code);
      break;
    }
    case tsTriangleLeft:
      poly = TriangleThumbPoints(R, vertical ? 2 : 0);
      break;
    case tsTriangleRight:
      poly = TriangleThumbPoints(R, vertical ? 3 : 1);
      break;
    default:
      break;
  }
  const bool glossy =
      col.Color != clNone && col.ColorTo != clNone && col.Mirror != clNone && col.MirrorTo != clNone;
  if (!poly.empty()) {
    if (Thumb->GetShape() == tsPointer && glossy) {
      // The glossy fill clips its graphics to the pointer's outline.
      auto path = PolygonPath(poly);
      g->SetClip(path.get());
      DrawGlossy(g.get(), R, bsRectangle, clNone, clNone, col, Thumb->GetGradient(),
                 Thumb->GetGradientMirror(), vertical);
      g->ResetClip();
    } else {
      TCanvasRegionClip clip(c, CreatePolygonRgn(poly.data(), static_cast<int>(poly.size()), ALTERNATE));
      FillByRule(c, R, col, Thumb->GetGradient(), steps);
    }
    g->SetSmoothingMode(Gdiplus::SmoothingModeNone);
    Outline(g.get(), poly, col.Border);
    Outline(g.get(), Inset(poly, 1), BlendColor(col.Border, clWhite, 30));
    return;
  }
  // Rounded shapes of the Office style.
  if (Thumb->GetStyle() != tstOffice2007) return;
  const int corner = Thumb->GetShape() == tsRectangle   ? 1
                     : Thumb->GetShape() == tsRoundRect ? 8
                                                        : Thumb->GetSize() / 2;
  const float radius = static_cast<float>(corner);
  const TGPRectF rf(static_cast<float>(R.Left), static_cast<float>(R.Top),
                    static_cast<float>(R.Right - R.Left - 1), static_cast<float>(R.Bottom - R.Top - 1));
  {
    TCanvasRegionClip clip(c, CreateRoundRectRgn(R.Left, R.Top, R.Right, R.Bottom, corner, corner));
    if (glossy) {
      // A graphics made under the region keeps to it.
      auto clipped = Gdiplus::GraphicsFromCanvas(c);
      DrawGlossy(clipped.get(), R, bsRectangle, clNone, clNone, col, Thumb->GetGradient(),
                 Thumb->GetGradientMirror(), vertical);
    } else {
      FillByRule(c, R, col, Thumb->GetGradient(), steps);
    }
  }
  g->SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  if (col.Border != clNone) {
    DrawRoundRectOutline(g.get(), rf, radius / 2, clWhite);
    DrawRoundRectOutline(g.get(), TGPRectF(rf.X + 1, rf.Y + 1, rf.Width - 2, rf.Height - 2), radius / 2,
                         col.Border);
    if (Thumb->GetShape() == tsRectangle)
      DrawRoundRectOutline(g.get(), TGPRectF(rf.X + 2, rf.Y + 2, rf.Width - 4, rf.Height - 4), 0, clWhite);
    // The grip line across the middle.
    TGPPen pen(Gdiplus::Color(OpaqueArgbFromColor(col.Border)), 1.0f);
    g->SetSmoothingMode(Gdiplus::SmoothingModeNone);
    if (vertical) {
      const int len = (R.Right - R.Left) / 2 - 2, m = R.Top + (R.Bottom - R.Top) / 2;
      const int x = R.Left + ((R.Right - R.Left) - len) / 2;
      g->DrawLine(&pen, x, m, x + len, m);
    } else {
      const int len = (R.Bottom - R.Top) / 2 - 2, m = R.Left + (R.Right - R.Left) / 2;
      const int y = R.Top + ((R.Bottom - R.Top) - len) / 2;
      g->DrawLine(&pen, m, y, m, y + len);
    }
  }
}

void TCustomTrackBar::DrawButtons() {
  if (IsRating() || !FButtons->GetVisible()) return;
  TCanvas* c = GetCanvas();
  const bool vertical = FOrientation == trVertical;
  struct Face {
    TRect r;
    bool hot, down, max;
    TGDIPPicture *normal, *hotPic, *downPic;
  } faces[] = {{GetMinButtonRect(), FMinButtonHot, FMinButtonDown, false, FButtons->GetMinPicture(),
                FButtons->GetMinPictureHot(), FButtons->GetMinPictureDown()},
               {GetMaxButtonRect(), FMaxButtonHot, FMaxButtonDown, true, FButtons->GetMaxPicture(),
                FButtons->GetMaxPictureHot(), FButtons->GetMaxPictureDown()}};
  for (const Face& f : faces) {
    const int state = f.down ? 2 : f.hot ? 1 : 0;
    TGDIPPicture* pic = state == 2 ? f.downPic : state == 1 ? f.hotPic : f.normal;
    const TThumbColors col = FButtons->StateColors(state);
    if (!pic->GetEmpty()) {
      int y = f.r.Top;
      if (vertical && f.max && pic->GetHeight() > FButtons->GetSize()) y = f.r.Bottom - pic->GetWidth();
      if (!vertical) c->SetClipRect(f.r);
      DrawPictureAt(c, pic, f.r.Left, y);
      if (!vertical) c->ResetClipRect();
      continue;
    }
    const int size = FButtons->GetSize();
    TRect face = f.r;
    if (FButtons->GetShape() == bsRound) {
      if (vertical) {
        const int x = f.r.Left + ((f.r.Right - f.r.Left) - size) / 2;
        face = Rect(x, f.r.Top, x + size, f.r.Top + size);
      } else {
        const int y = f.r.Top + ((f.r.Bottom - f.r.Top) - size) / 2;
        face = Rect(f.r.Left, y, f.r.Left + size, y + size);
      }
    }
    {
      auto g = Gdiplus::GraphicsFromCanvas(c);
      if (!g) continue;
      g->SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
      if (FButtons->GetShape() == bsRound) {
        auto clip =
            CreateRoundedRectPath(TGPRectF(static_cast<float>(face.Left), static_cast<float>(face.Top),
                                           static_cast<float>(size), static_cast<float>(size)),
                                  static_cast<float>(size / 2));
        g->SetClip(clip.get());
      }
      DrawGlossy(g.get(), face, FButtons->GetShape(), BlendColor(col.Border, clWhite, 30), col.Border, col,
                 FButtons->GetGradient(), FButtons->GetGradientMirror(), vertical);
    }
    // Plus or minus: bars of length k + 4 outlined in the face colour.
    int k = size / 2 - 4;
    if (k % 2) ++k;
    const int len = k + 4;
    const int cx = face.Left + (face.Right - face.Left) / 2, cy = face.Top + (face.Bottom - face.Top) / 2;
    auto bar = [&](int x1, int y1, int x2, int y2) {
      c->Pen->SetColor(col.Color);
      c->Brush->SetColor(col.Border);
      c->Rectangle(x1 - 1, y1 - 1, x2 + 1, y2 + 1);
    };
    bar(cx - len / 2, cy - 1, cx + len / 2, cy + 1);
    if (f.max) bar(cx - 1, cy - len / 2, cx + 1, cy + len / 2);
  }
}

void TCustomTrackBar::DrawTrackLabel() {
  if (!FTrackLabel->GetVisible()) return;
  TCanvas* c = GetCanvas();
  std::string text;
  GetTrackLabelText(text);
  c->Font->Assign(FTrackLabel->GetFont());
  c->Brush->SetStyle(bsClear);
  TRect r;
  if (FOrientation == trHorizontal) {
    GetTrackLabelRect(false, r);
    const TLabelPosition lp = FTrackLabel->GetPosition();
    unsigned flags = DT_SINGLELINE;
    flags |= (lp == lpTopLeft || lp == lpBottomLeft)     ? DT_LEFT
             : (lp == lpTopRight || lp == lpBottomRight) ? DT_RIGHT
                                                         : DT_CENTER;
    flags |= (lp == lpTopLeft || lp == lpTopCenter || lp == lpTopRight) ? DT_VCENTER : DT_BOTTOM;
    c->DrawText(text, r, flags);
  } else {
    GetTrackLabelRect(true, r);
    TFont rotated;
    rotated.Assign(FTrackLabel->GetFont());
    rotated.SetOrientation(900);
    c->Font->Assign(&rotated);
    c->TextOut(r.Left + 3, r.Top, text);
  }
  c->Brush->SetStyle(bsSolid);
}

void TCustomTrackBar::DrawRating() {
  TCanvas* c = GetCanvas();
  for (int i = FMin + 1; i <= FMax; ++i) {
    const TRect r = GetRatingRect(i);
    if (r.Left <= 0 || r.Bottom <= 0) continue;
    DrawPictureAt(c, i <= FPosition ? FIRateActive.get() : FIRateInActive.get(), r.Left, r.Top);
  }
}
