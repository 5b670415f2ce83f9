// The strip-chart channel's painting: its layers (fill, bars, trace,
// markers, open-high-low-close records) and its trace styles.

#include <algorithm>
#include <cmath>
#include <exception>
#include <vector>

#include "instruments/base/iDrawing.h"
#include "instruments/plot/iPlotAxis.h"
#include "instruments/plot/iPlotChannel.h"
#include "instruments/plot/iPlotMath.h"

namespace {

// Sections of a spline run by index; a falling one is turned to rising X.
void Ascending(std::vector<double>& X, std::vector<double>& Y, int N) {
  if (N >= 2 && X[1] > X[static_cast<std::size_t>(N)]) {
    std::reverse(X.begin() + 1, X.begin() + 1 + N);
    std::reverse(Y.begin() + 1, Y.begin() + 1 + N);
  }
}

}  // namespace

void TiPlotChannel::Draw(TCanvas* Canvas, TColor BackGroundColor) {
  // A channel whose drawing fails is drawn as far as it got.
  try {
    const bool reversed = GetXYAxesReversed();
    ClipToAxesRect(Canvas, reversed);
    DrawFill(Canvas, reversed);
    DrawBars(Canvas, BackGroundColor);
    DrawTrace(Canvas, reversed, BackGroundColor);
    DrawMarkers(Canvas, reversed, BackGroundColor);
    if (FHighLowStyle == iphlsOpenClose)
      DrawHighLowOpenClose(Canvas, reversed, BackGroundColor);
    else
      DrawCandleSticks(Canvas, reversed, BackGroundColor);
  } catch (const std::exception&) {}
}

TColor TiPlotChannel::FillBrushColor() const {
  return FFillUseChannelColor ? GetColor() : FFillColor;
}

void TiPlotChannel::DrawTrace(TCanvas* Canvas, bool Reversed, TColor BackGroundColor) {
  if (!GetTraceVisible()) return;
  SetTracePen(Canvas);
  Canvas->SetBkColor(BackGroundColor);
  if (FDigitalEnabled) {
    DrawDigital(Canvas, Reversed);
    return;
  }
  switch (FInterpolationStyle) {
    case ipistStraightLine:
      if (FFastDrawEnabled)
        DrawFast(Canvas, Reversed);
      else
        TiPlotChannelCustom::DrawTrace(Canvas, Reversed, BackGroundColor);
      break;
    case ipistCubicSpline:
      DrawSpline(Canvas, Reversed);
      break;
    case ipistPolynomial:
      DrawPolynomial(Canvas, Reversed, false);
      break;
    case ipistRational:
      DrawPolynomial(Canvas, Reversed, true);
      break;
    case ipistDifferential:
    case ipistDifferentialTerminated:
      DrawDifferential(Canvas, Reversed);
      break;
  }
}

// ---------------------------------------------------------------- fill, bars

void TiPlotChannel::DrawFill(TCanvas* Canvas, bool Reversed) {
  if (!FFillEnabled || FFillStyle == bsClear || FInterpolationStyle != ipistStraightLine || FDigitalEnabled)
    return;
  const TColor c = FillBrushColor();
  Canvas->Brush->SetStyle(FFillStyle);
  Canvas->Brush->SetColor(c);
  Canvas->Pen->SetColor(c);
  Canvas->Pen->SetWidth(0);
  Canvas->Pen->SetStyle(psClear);
  ForEachTraceSegment([&](int, double px, double py, double x, double y) {
    DrawDataPolygon(Canvas, Reversed, MakeDoublePoint(px, FFillReference), MakeDoublePoint(px, py),
                    MakeDoublePoint(x, y), MakeDoublePoint(x, FFillReference));
  });
}

void TiPlotChannel::DrawBars(TCanvas* Canvas, TColor BackGroundColor) {
  if (!FBarEnabled) return;
  const bool reversed = GetXYAxesReversed();
  for (int i = std::max(FStartIndex, 0); i <= FStopIndex && i < GetCount(); ++i) {
    if (!IsValidPoint(i) || !GetBarVisible(i)) continue;
    Canvas->Brush->SetColor(FBarBrushUseChannelColor ? GetColor() : GetBarBrushColor(i));
    Canvas->Pen->SetColor(FBarPenUseChannelColor ? GetColor() : GetBarPenColor(i));
    Canvas->Pen->SetWidth(GetBarPenWidth(i));
    Canvas->Pen->SetStyle(GetBarPenStyle(i));
    Canvas->Brush->SetStyle(GetBarBrushStyle(i));
    Canvas->SetBkColor(BackGroundColor);
    TRect r = GetBarRect(i);
    // A bar narrower than a pixel is drawn one pixel wide.
    if (!reversed && r.Right == r.Left) ++r.Right;
    if (reversed && r.Bottom == r.Top) ++r.Bottom;
    Canvas->Rectangle(r);
  }
}

// ---------------------------------------------------------------- fast trace

void TiPlotChannel::DrawFast(TCanvas* Canvas, bool Reversed) {
  if (FStartIndex == FStopIndex) return;
  TiPlotXAxis* xa = GetXAxis();
  TiPlotMinMaxPoint p, q, r;
  for (int i = std::max(FStartIndex, 0); i <= FStopIndex && i < GetCount(); ++i) {
    double x, y;
    bool empty, null;
    GetXYEmptyNull(i, x, y, empty, null);
    if (empty) continue;
    if (null) {
      DrawPixelColumns(Canvas, Reversed, p, q, r);
      p.Clear();
      q.Clear();
      r.Clear();
      continue;
    }
    const int c = xa->PositionToPixels(x);
    if (p.Empty || c == p.XPixels) {
      p.AddData(x, y, c);
    } else if (q.Empty || c == q.XPixels) {
      q.AddData(x, y, c);
    } else {
      r.AddData(x, y, c);
      DrawPixelColumns(Canvas, Reversed, p, q, r);
      p.AssignDown(r);
      q.Clear();
      r.Clear();
    }
  }
  DrawPixelColumns(Canvas, Reversed, p, q, r);
}

void TiPlotChannel::DrawPixelColumns(TCanvas* Canvas, bool Reversed, const TiPlotMinMaxPoint& P,
                                     const TiPlotMinMaxPoint& Q, const TiPlotMinMaxPoint& R) {
  for (const TiPlotMinMaxPoint* m : {&P, &Q})
    if (!m->Empty && m->YMin != m->YMax)
      DrawClippedLine(Canvas, Reversed, m->XValue, m->YMin, m->XValue, m->YMax, false);
  if (!P.Empty && !Q.Empty) DrawClippedLine(Canvas, Reversed, P.XValue, P.YLast, Q.XValue, Q.YFirst, false);
  if (!Q.Empty && !R.Empty) DrawClippedLine(Canvas, Reversed, Q.XValue, Q.YLast, R.XValue, R.YFirst, false);
}

// ---------------------------------------------------------------- digital

void TiPlotChannel::DrawDigital(TCanvas* Canvas, bool Reversed) {
  TDigitalSequenceData s;
  s.Clear();
  if (FStopIndex == FStartIndex) return;
  for (int i = std::max(FStartIndex, 0); i <= FStopIndex && i < GetCount(); ++i) {
    double x, y;
    bool empty, null;
    GetXYEmptyNull(i, x, y, empty, null);
    if (empty) continue;
    if (null) {
      DrawDigitalSequence(Canvas, Reversed, s);
      continue;
    }
    const bool level = y != 0;
    if (!s.StartSet) {
      s.StartSet = true;
      s.StartXValue = x;
      s.StartYValue = level;
    } else if (s.StartYValue == level) {
      s.StopSet = true;
      s.StopXValue = x;
    } else {
      s.TransitionSet = true;
      s.TransitionXValue = x;
      DrawDigitalSequence(Canvas, Reversed, s);
      s.StartSet = true;
      s.StartXValue = x;
      s.StartYValue = level;
    }
  }
  DrawDigitalSequence(Canvas, Reversed, s);
}

void TiPlotChannel::DrawDigitalSequence(TCanvas* Canvas, bool Reversed, TDigitalSequenceData& S) {
  const bool percent = FDigitalReferenceStyle == ipdrPercent;
  const double v = DigitalLevelValue(S.StartYValue), other = DigitalLevelValue(!S.StartYValue);
  // The fill meets the level lines: a percent level is filled to its Y value.
  const double fillTo = DigitalLevelScaleValue(S.StartYValue);
  Canvas->Brush->SetStyle(FFillStyle);
  Canvas->Brush->SetColor(FillBrushColor());
  auto fill = [&](double X2, TColor Pen) {
    if (!FFillEnabled) return;
    Canvas->Pen->SetColor(Pen);
    DrawDataPolygon(Canvas, Reversed, MakeDoublePoint(S.StartXValue, FFillReference),
                    MakeDoublePoint(S.StartXValue, fillTo), MakeDoublePoint(X2, fillTo),
                    MakeDoublePoint(X2, FFillReference));
    Canvas->Pen->SetColor(GetColor());
  };
  if (S.TransitionSet) {
    fill(S.TransitionXValue, FillBrushColor());
    DrawClippedLine(Canvas, Reversed, S.StartXValue, v, S.TransitionXValue, v, percent);
    DrawClippedLine(Canvas, Reversed, S.TransitionXValue, v, S.TransitionXValue, other, percent);
  } else if (S.StartSet && S.StopSet) {
    fill(S.StopXValue, GetColor());
    DrawClippedLine(Canvas, Reversed, S.StartXValue, v, S.StopXValue, v, percent);
  }
  S.Clear();
}

// ---------------------------------------------------------------- steps

void TiPlotChannel::DrawStepFill(TCanvas* Canvas, bool Reversed, double X1, double X2, double Y) {
  if (!FFillEnabled || FFillStyle == bsClear) return;
  Canvas->Pen->SetColor(FillBrushColor());
  DrawDataPolygon(Canvas, Reversed, MakeDoublePoint(X1, FFillReference), MakeDoublePoint(X1, Y),
                  MakeDoublePoint(X2, Y), MakeDoublePoint(X2, FFillReference));
  Canvas->Pen->SetColor(GetColor());
}

void TiPlotChannel::DrawDifferential(TCanvas* Canvas, bool Reversed) {
  const int n = GetCount();
  if (n == 0) return;
  Canvas->Brush->SetStyle(FFillStyle);
  Canvas->Brush->SetColor(FillBrushColor());
  bool previous = false;
  double px = 0, py = 0;
  if (FStartIndex == -1 || FStopIndex == -1) {
    for (int i = n - 1; i >= 0 && !previous; --i)
      if (IsValidPoint(i)) {
        previous = true;
        px = GetX(i);
        py = GetY(i);
      }
  } else {
    for (int i = FStartIndex; i <= FStopIndex; ++i) {
      double x, y;
      bool empty, null;
      GetXYEmptyNull(i, x, y, empty, null);
      if (empty) continue;
      if (previous) {
        DrawStepFill(Canvas, Reversed, px, x, py);
        DrawClippedLine(Canvas, Reversed, px, py, x, py, false);
        if (!null) DrawClippedLine(Canvas, Reversed, x, py, x, y, false);
      }
      previous = !null;
      px = x;
      py = y;
    }
  }
  if (FInterpolationStyle == ipistDifferential && previous) {
    Canvas->Pen->SetColor(GetColor());
    DrawClippedLine(Canvas, Reversed, px, py, GetXAxis()->GetMax(), py, false);
  }
}

// ---------------------------------------------------------------- interpolated

template <class F>
void TiPlotChannel::DrawColumns(TCanvas* Canvas, bool Reversed, double FirstX, double LastX, F YAt) {
  TiPlotXAxis* xa = GetXAxis();
  if (FirstX > LastX) return;
  int p0 = xa->PositionToPixels(FirstX), p1 = xa->PositionToPixels(LastX);
  if (p0 > p1) std::swap(p0, p1);
  const bool fill = FFillEnabled && FFillStyle != bsClear;
  Canvas->Brush->SetStyle(FFillStyle);
  Canvas->Brush->SetColor(FillBrushColor());
  bool first = true;
  double px = 0, py = 0;
  for (int p = p0; p <= p1; ++p) {
    const double x = xa->PixelsToPosition(p);
    const double y = YAt(x);
    // A column without a value leaves a gap and its pixel entry Null.
    if (!std::isfinite(y)) {
      first = true;
      continue;
    }
    if (fill) {
      Canvas->Pen->SetColor(FillBrushColor());
      DrawClippedLine(Canvas, Reversed, x, FFillReference, x, y, false);
      Canvas->Pen->SetColor(GetColor());
    }
    DrawClippedLine(Canvas, Reversed, first ? x : px, first ? y : py, x, y, false);
    SetPixelValue(xa->PositionToPixels(x), y);
    first = false;
    px = x;
    py = y;
  }
}

void TiPlotChannel::DrawSpline(TCanvas* Canvas, bool Reversed) {
  const int count = GetCount();
  if (count < 2) return;
  std::vector<double> x(static_cast<std::size_t>(count) + 1), y(x.size());
  int n = 0;
  for (int i = 0; i < count; ++i) {
    double px, py;
    bool empty, null;
    GetXYEmptyNull(i, px, py, empty, null);
    if (empty) continue;
    if (null) {
      DrawSplineSection(Canvas, Reversed, x, y, n);
      n = 0;
      continue;
    }
    ++n;
    x[static_cast<std::size_t>(n)] = px;
    y[static_cast<std::size_t>(n)] = py;
  }
  DrawSplineSection(Canvas, Reversed, x, y, n);
}

void TiPlotChannel::DrawSplineSection(TCanvas* Canvas, bool Reversed, std::vector<double>& X,
                                      std::vector<double>& Y, int N) {
  if (N <= 1) return;
  Ascending(X, Y, N);
  std::vector<double> y2;
  Spline(X, Y, N, y2, 1e30, 1e30);
  TiPlotXAxis* xa = GetXAxis();
  DrawColumns(Canvas, Reversed, std::max(X[1], xa->GetMin()),
              std::min(X[static_cast<std::size_t>(N)], xa->GetMax()), [&](double x) {
                double y = 0;
                Splint(X, Y, y2, N, x, y);
                return y;
              });
}

void TiPlotChannel::DrawPolynomial(TCanvas* Canvas, bool Reversed, bool Rational) {
  const int count = GetCount();
  if (count < 2) return;
  std::vector<double> x(static_cast<std::size_t>(count) + 1), y(x.size());
  for (int i = 0; i < count; ++i) {
    x[static_cast<std::size_t>(i) + 1] = GetX(i);
    y[static_cast<std::size_t>(i) + 1] = GetY(i);
  }
  const auto [lo, hi] = std::minmax_element(x.begin() + 1, x.end());
  TiPlotXAxis* xa = GetXAxis();
  DrawColumns(Canvas, Reversed, std::max(*lo, xa->GetMin()), std::min(*hi, xa->GetMax()), [&](double at) {
    double v = 0, dv = 0;
    if (Rational)
      Ratint(x, y, count, at, v, dv);
    else
      Polint(x, y, count, at, v, dv);
    return v;
  });
}

// ---------------------------------------------------------------- markers

void TiPlotChannel::DrawMarkers(TCanvas* Canvas, bool Reversed, TColor BackGroundColor) {
  if (FStartIndex == -1 || FStopIndex == -1 || !GetMarkersVisible()) return;
  if (!FDigitalEnabled) {
    TiPlotChannelCustom::DrawMarkers(Canvas, Reversed, BackGroundColor);
    return;
  }
  TiPlotXAxis* xa = GetXAxis();
  TiPlotYAxis* ya = GetYAxis();
  for (int i = FStartIndex; i <= FStopIndex && i < GetCount(); ++i) {
    if (!IsValidPoint(i) || !GetMarkerVisible(i)) continue;
    const double x = GetX(i), y = GetY(i);
    if (!xa->PointOnScale(x) || !ya->PointOnScale(y)) continue;
    DrawMarker(Canvas, i, BackGroundColor,
               PointSwapXY(Reversed, xa->PositionToPixels(x), y != 0 ? FPixelsHigh : FPixelsLow));
  }
}

// ---------------------------------------------------------------- records

void TiPlotChannel::BeginRecords(TCanvas* Canvas, TColor BackGroundColor) {
  Canvas->Pen->SetWidth(0);
  Canvas->Pen->SetStyle(psSolid);
  Canvas->Brush->SetStyle(bsSolid);
  Canvas->SetBkColor(BackGroundColor);
}

void TiPlotChannel::DrawHighLowOpenClose(TCanvas* Canvas, bool Reversed, TColor BackGroundColor) {
  if (!FHighLowEnabled) return;
  TiPlotXAxis* xa = GetXAxis();
  TiPlotYAxis* ya = GetYAxis();
  BeginRecords(Canvas, BackGroundColor);
  auto box = [&](TColor Color, int X1, int Y1, int X2, int Y2) {
    Canvas->Brush->SetColor(Color);
    Canvas->Pen->SetColor(Color);
    Canvas->Rectangle(NormalizedRectSwapXY(Reversed, X1, Y1, X2, Y2));
  };
  // A tick of Width by Height units at Value: left of the middle M (Left)
  // or right of it.
  auto tick = [&](TColor Color, double Width, double Height, double Value, int M, bool Left) {
    const int o = xa->WidthToPixels(Width), k = ya->WidthToPixels(Height), yo = ya->PositionToPixels(Value);
    const int y1 = yo - k / 2;
    int y2 = yo + k - k / 2 - 1;
    if (y2 == y1) ++y2;
    int x1 = Left ? M - o + 1 : M, x2 = Left ? M : M + o - 1;
    if (o == 1) {
      x1 = M;
      x2 = M + 1;
    }
    box(Color, x1, y1, x2, y2);
  };
  for (int i = std::max(FStartIndex, 0); i <= FStopIndex && i < GetCount(); ++i) {
    if (!IsValidPoint(i)) continue;
    const int x = xa->PositionToPixels(GetX(i));
    const int w = xa->WidthToPixels(FHighLowBarWidth), h = w / 2;
    int left = x - h, right = x + (w - h);
    if (w == 0) {
      left = x;
      right = x + 1;
    }
    const int yl = ya->PositionToPixels(GetLow(i)), yh = ya->PositionToPixels(GetHigh(i));
    const int top = std::min(yl, yh);
    int bottom = std::max(yl, yh);
    if (bottom == top) ++bottom;
    const int m = (left + right) / 2;
    if (FHighLowOpenShow) tick(FHighLowOpenColor, FHighLowOpenWidth, FHighLowOpenHeight, GetOpen(i), m, true);
    if (FHighLowCloseShow)
      tick(FHighLowCloseColor, FHighLowCloseWidth, FHighLowCloseHeight, GetClose(i), m, false);
    box(FHighLowBarColor, left, top, right, bottom);
  }
}

void TiPlotChannel::DrawCandleSticks(TCanvas* Canvas, bool Reversed, TColor BackGroundColor) {
  if (!FHighLowEnabled) return;
  TiPlotXAxis* xa = GetXAxis();
  TiPlotYAxis* ya = GetYAxis();
  BeginRecords(Canvas, BackGroundColor);
  for (int i = std::max(FStartIndex, 0); i <= FStopIndex && i < GetCount(); ++i) {
    if (!IsValidPoint(i)) continue;
    const int x = xa->PositionToPixels(GetX(i));
    Canvas->Pen->SetColor(FHighLowShadowColor);
    Canvas->Polyline({PointSwapXY(Reversed, x, ya->PositionToPixels(GetHigh(i))),
                      PointSwapXY(Reversed, x, ya->PositionToPixels(GetLow(i)))});
    const int g = xa->WidthToPixels(FHighLowBarWidth) / 2;
    const int yo = ya->PositionToPixels(GetOpen(i)), yc = ya->PositionToPixels(GetClose(i));
    const int top = std::min(yo, yc);
    int bottom = std::max(yo, yc);
    if (bottom == top) ++bottom;
    Canvas->Brush->SetColor(GetOpen(i) > GetClose(i) ? FHighLowBearishColor : FHighLowBullishColor);
    Canvas->Rectangle(NormalizedRectSwapXY(Reversed, x - g, top, x + g + 1, bottom));
  }
}
