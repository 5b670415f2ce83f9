// The channel's trace, clipped segments and markers, and the mouse on its
// points: hit test, hint and dragging.

#include <algorithm>
#include <cmath>

#include "instruments/base/iDrawing.h"
#include "instruments/plot/iPlotAxis.h"
#include "instruments/plot/iPlotChannelCustom.h"
#include "instruments/plot/iPlotDataView.h"

// ---------------------------------------------------------------- geometry

double iPlotLineYAtX(double X, double X1, double Y1, double X2, double Y2) {
  if (X1 == X2) return 0;
  return Y1 + (X - X1) * (Y2 - Y1) / (X2 - X1);
}

double iPlotLineXAtY(double Y, double X1, double Y1, double X2, double Y2) {
  // A horizontal line meets no other Y: its start stands in.
  if (X1 == X2 || Y1 == Y2) return X1;
  return X1 + (Y - Y1) * (X2 - X1) / (Y2 - Y1);
}

bool iPlotClipSegment(TiPlotSegment& S, double XMin, double XMax, double YMin, double YMax, bool ClipY) {
  if (S.X1 > S.X2) {
    std::swap(S.X1, S.X2);
    std::swap(S.Y1, S.Y2);
  }
  auto inX = [&](double x) { return x >= XMin && x <= XMax; };
  auto inY = [&](double y) { return y >= YMin && y <= YMax; };
  if (!(inX(S.X1) || inX(S.X2) || (S.X1 < XMin && S.X2 > XMax))) return false;
  if (ClipY && !(inY(S.Y1) || inY(S.Y2) || (S.Y1 < YMin && S.Y2 > YMax) || (S.Y2 < YMin && S.Y1 > YMax)))
    return false;
  if (S.X1 < XMin) {
    S.Y1 = iPlotLineYAtX(XMin, S.X1, S.Y1, S.X2, S.Y2);
    S.X1 = XMin;
  }
  if (S.X2 > XMax) {
    S.Y2 = iPlotLineYAtX(XMax, S.X1, S.Y1, S.X2, S.Y2);
    S.X2 = XMax;
  }
  if (!ClipY) return true;
  auto clipEnd = [&](double& x, double& y) {
    const double limit = y < YMin ? YMin : y > YMax ? YMax : y;
    if (limit == y) return;
    x = iPlotLineXAtY(limit, S.X1, S.Y1, S.X2, S.Y2);
    y = limit;
  };
  clipEnd(S.X1, S.Y1);
  clipEnd(S.X2, S.Y2);
  return true;
}

TiPlotMarkerFigure iPlotMarkerFigure(TiPlotMarkerStyle Style, TPoint P, int S) {
  using F = TiPlotMarkerFigure;
  const int x = P.X, y = P.Y;
  switch (Style) {
    case ipmsCircle:
      return {F::Ellipse, {{x - S, y - S}, {x + S, y + S}}};
    case ipmsSquare:
      return {F::Rectangle, {{x - S, y - S}, {x + S, y + S}}};
    case ipmsDiamond:
      return {F::Polygon, {{x + S, y}, {x, y + S}, {x - S, y}, {x, y - S}}};
    case ipmsCross:
      return {F::Lines, {{x + S, y + S}, {x - S, y - S}, {x + S, y - S}, {x - S, y + S}}};
    case ipmsPlus:
      return {F::Lines, {{x, y + S}, {x, y - S}, {x + S, y}, {x - S, y}}};
    case ipmsTriangleUp:
      return {F::Polygon, {{x - S, y + S}, {x, y}, {x + S, y + S}}};
    case ipmsTriangleDown:
      return {F::Polygon, {{x - S, y - S}, {x, y}, {x + S, y - S}}};
    case ipmsTriangleLeft:
      return {F::Polygon, {{x + S, y - S}, {x, y}, {x + S, y + S}}};
    case ipmsTriangleRight:
      return {F::Polygon, {{x - S, y - S}, {x, y}, {x - S, y + S}}};
    case ipmsVerticalLine:
      return {F::Lines, {{x, y - S}, {x, y + S}}};
    case ipmsHorizontalLine:
      return {F::Lines, {{x - S, y}, {x + S, y}}};
    case ipmsCharacter:
      break;
  }
  return {F::Character, {P}};
}

TPenStyle iPlotTracePenStyle(TiPlotLineStyle Style) {
  static constexpr TPenStyle kStyles[] = {psSolid, psDash, psDot, psDashDot, psDashDotDot};
  return Style >= iplsSolid && Style <= iplsDashDotDot ? kStyles[Style] : psSolid;
}

int iPlotTraceWidth(int Width) {
  return Width == 1 ? 0 : Width;
}

namespace {

std::string Utf8(char16_t C) {
  std::string s;
  if (C < 0x80) {
    s += static_cast<char>(C);
  } else if (C < 0x800) {
    s += static_cast<char>(0xC0 | (C >> 6));
    s += static_cast<char>(0x80 | (C & 0x3F));
  } else {
    s += static_cast<char>(0xE0 | (C >> 12));
    s += static_cast<char>(0x80 | ((C >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (C & 0x3F));
  }
  return s;
}

}  // namespace

// ---------------------------------------------------------------- trace

void TiPlotChannelCustom::SetTracePen(TCanvas* Canvas) {
  Canvas->Pen->SetColor(GetColor());
  Canvas->Brush->SetStyle(bsClear);
  Canvas->Pen->SetStyle(iPlotTracePenStyle(GetTraceLineStyle()));
  Canvas->Pen->SetWidth(iPlotTraceWidth(GetTraceLineWidth()));
}

void TiPlotChannelCustom::ClipToAxesRect(TCanvas* Canvas, bool XYAxesReversed) {
  if (!FClipToAxes || !HasAxes()) return;
  TiPlotAxis* x = GetXAxis();
  TiPlotAxis* y = GetYAxis();
  Canvas->IntersectClipRect(NormalizedRectSwapXY(XYAxesReversed, x->GetMinPixels(), y->GetMinPixels(),
                                                 x->GetMaxPixels(), y->GetMaxPixels()));
}

void TiPlotChannelCustom::DrawTrace(TCanvas* Canvas, bool XYAxesReversed, TColor BackGroundColor) {
  if (!FTraceVisible) return;
  SetTracePen(Canvas);
  if (FStopIndex <= FStartIndex) return;
  ForEachTraceSegment([&](int i, double px, double py, double x, double y) {
    Canvas->Pen->SetColor(GetTraceLineColor(i));
    Canvas->Pen->SetStyle(iPlotTracePenStyle(GetTraceLineStyle(i)));
    Canvas->Pen->SetWidth(iPlotTraceWidth(GetTraceLineWidth(i)));
    Canvas->SetBkColor(BackGroundColor);
    DrawClippedLine(Canvas, XYAxesReversed, px, py, x, y, false);
  });
}

void TiPlotChannelCustom::DrawClippedLine(TCanvas* Canvas, bool XYAxesReversed, double X1, double Y1,
                                          double X2, double Y2, bool YInPercent) {
  TiPlotXAxis* xa = GetXAxis();
  TiPlotYAxis* ya = GetYAxis();
  if (!xa || (!ya && !YInPercent)) return;
  const bool clipY = !YInPercent && FClipToAxes;
  TiPlotSegment s{X1, Y1, X2, Y2};
  const double yMin = ya ? ya->GetMin() : 0, yMax = ya ? ya->GetMax() : 0;
  if (!iPlotClipSegment(s, xa->GetMin(), xa->GetMax(), yMin, yMax, clipY)) return;
  if (FClipToAxes) {
    const bool ends1 = xa->ValueOnScale(s.X1) && (!clipY || ya->ValueOnScale(s.Y1));
    const bool ends2 = xa->ValueOnScale(s.X2) && (!clipY || ya->ValueOnScale(s.Y2));
    if (!ends1 || !ends2) return;
  }
  int y1, y2;
  if (YInPercent) {
    TiPlotDataView* view = iPlotFirstDataView(DataHost());
    if (!view) return;
    y1 = XYAxesReversed ? view->PositionPercentToPixelsX(s.Y1) : view->PositionPercentToPixelsY(s.Y1);
    y2 = XYAxesReversed ? view->PositionPercentToPixelsX(s.Y2) : view->PositionPercentToPixelsY(s.Y2);
  } else {
    y1 = ya->PositionToPixels(s.Y1);
    y2 = ya->PositionToPixels(s.Y2);
  }
  Canvas->Polyline({PointSwapXY(XYAxesReversed, xa->PositionToPixels(s.X1), y1),
                    PointSwapXY(XYAxesReversed, xa->PositionToPixels(s.X2), y2)});
}

void TiPlotChannelCustom::DrawDataPolygon(TCanvas* Canvas, bool XYAxesReversed, TiDoublePoint P1,
                                          TiDoublePoint P2, TiDoublePoint P3, TiDoublePoint P4) {
  TiPlotXAxis* xa = GetXAxis();
  TiPlotYAxis* ya = GetYAxis();
  if (!xa || !ya) return;
  std::vector<TPoint> points;
  for (const TiDoublePoint& p : {P1, P2, P3, P4})
    points.push_back(PointSwapXY(XYAxesReversed, xa->PositionToPixels(p.X), ya->PositionToPixels(p.Y)));
  Canvas->Polygon(points);
}

TRect TiPlotChannelCustom::DataRectToPixels(double X1, double Y1, double X2, double Y2) {
  TiPlotXAxis* xa = GetXAxis();
  TiPlotYAxis* ya = GetYAxis();
  if (!xa || !ya) return TRect();
  return NormalizedRectSwapXY(GetXYAxesReversed(), xa->PositionToPixels(X1), ya->PositionToPixels(Y1),
                              xa->PositionToPixels(X2), ya->PositionToPixels(Y2));
}

// ---------------------------------------------------------------- markers

bool TiPlotChannelCustom::CanDrawMarker(int Index) {
  if (!GetMarkersVisible() || !IsValidPoint(Index) || !HasAxes()) return false;
  if (FMarkersAllowIndividual && !GetMarkerVisible(Index)) return false;
  if (FClipToAxes && !(GetXAxis()->ValueOnScale(GetX(Index)) && GetYAxis()->ValueOnScale(GetY(Index))))
    return false;
  return true;
}

TPoint TiPlotChannelCustom::DataPointToPixels(int Index) {
  if (!HasAxes()) return TPoint();
  return PointSwapXY(GetXYAxesReversed(), GetXAxis()->PositionToPixels(GetX(Index)),
                     GetYAxis()->PositionToPixels(GetY(Index)));
}

TRect TiPlotChannelCustom::GetMarkerRect(int Index) {
  const TPoint p = DataPointToPixels(Index);
  const int s = FMarkersAllowIndividual ? GetMarkerSize(Index) : GetMarkersSize();
  return TRect(p.X - s, p.Y - s, p.X + s, p.Y + s);
}

void TiPlotChannelCustom::DrawMarkers(TCanvas* Canvas, bool, TColor BackGroundColor) {
  if (!GetMarkersVisible()) return;
  Canvas->Font->Assign(FMarkersFont.get());
  if (FMarkersTurnOffLimit > 0 && std::abs(FStopIndex - FStartIndex) > FMarkersTurnOffLimit) return;
  for (int i = std::max(FStartIndex, 0); i <= FStopIndex && i < GetCount(); ++i)
    if (CanDrawMarker(i)) DrawMarker(Canvas, i, BackGroundColor, DataPointToPixels(i));
}

void TiPlotChannelCustom::DrawMarker(TCanvas* Canvas, int Index, TColor BackGroundColor, TPoint P) {
  if (!GetMarkersVisible()) return;
  const bool own = Index >= 0 && FMarkersAllowIndividual;
  const TiPlotMarkerStyle style = own ? GetMarkerStyle(Index) : GetMarkersStyle();
  const int size = own ? GetMarkerSize(Index) : Index < 0 ? std::min(GetMarkersSize(), 6) : GetMarkersSize();
  Canvas->Pen->SetWidth(own ? GetMarkerPenWidth(Index) : GetMarkersPenWidth());
  Canvas->Pen->SetStyle(own ? GetMarkerPenStyle(Index) : GetMarkersPenStyle());
  Canvas->Pen->SetColor(FMarkersPenUseChannelColor ? GetColor()
                        : own                      ? GetMarkerPenColor(Index)
                                                   : GetMarkersPenColor());
  Canvas->Brush->SetColor(FMarkersBrushUseChannelColor ? GetColor()
                          : own                        ? GetMarkerBrushColor(Index)
                                                       : GetMarkersBrushColor());
  Canvas->Brush->SetStyle(own ? GetMarkerBrushStyle(Index) : GetMarkersBrushStyle());

  const TiPlotMarkerFigure f = iPlotMarkerFigure(style, P, size);
  switch (f.Kind) {
    case TiPlotMarkerFigure::Ellipse:
      Canvas->Ellipse(TRect(f.Points[0], f.Points[1]));
      break;
    case TiPlotMarkerFigure::Rectangle:
      Canvas->Rectangle(TRect(f.Points[0], f.Points[1]));
      break;
    case TiPlotMarkerFigure::Polygon:
      Canvas->Polygon(f.Points);
      break;
    case TiPlotMarkerFigure::Lines:
      for (std::size_t i = 0; i + 1 < f.Points.size(); i += 2)
        Canvas->Polyline({f.Points[i], f.Points[i + 1]});
      break;
    case TiPlotMarkerFigure::Character: {
      // The legend's sample has no point: it shows the channel-wide character.
      const char16_t c = Index >= 0 ? GetMarkerCharacter(Index) : FDataList->GetStoredMarkerCharacter();
      if (c == 0) break;
      Canvas->SetBkColor(BackGroundColor);
      Canvas->Brush->SetStyle(bsClear);
      TRect r(P.X, P.Y, P.X, P.Y);
      DrawTextWithFlags(Canvas, Utf8(c), r, BackGroundColor, true,
                        iTextFlagCenter | iTextFlagVCenter | iTextFlagSingleLine | iTextFlagNoClip);
      break;
    }
  }
}

// ---------------------------------------------------------------- mouse

bool TiPlotChannelCustom::iMouseHitTest(const TiPlotMouseData& MouseData) {
  const TPoint m(MouseData.X, MouseData.Y);
  if (FVisibleInLegend && FLegendRect.Contains(m)) return true;
  IiPlotDataHost* host = DataHost();
  if (!host || !host->GetToolBarSelectActive()) return false;
  FSelectDataIndex = -1;
  if (!GetMarkersVisible() || GetCount() == 0) return false;
  CalcStartIndex();
  CalcStopIndex();
  for (int i = std::max(FStartIndex, 0); i <= FStopIndex && i < GetCount(); ++i) {
    if (!CanDrawMarker(i)) continue;
    FSelectHitTestRect = GetMarkerRect(i);
    if (FSelectHitTestRect.Contains(m)) {
      FSelectDataIndex = i;
      return true;
    }
  }
  return false;
}

void TiPlotChannelCustom::DoMouseHint(TiPlotMouseData& MouseData, TiHintData& HintData) {
  IiPlotDataHost* host = DataHost();
  if (!host) return;
  host->DoDataPointMouseMove(this, FSelectDataIndex, MouseData);
  if (!FShowDataPointHints || FSelectDataIndex == -1 ||
      !FSelectHitTestRect.Contains(TPoint(MouseData.X, MouseData.Y)) || !HasAxes())
    return;
  HintData.Text = GetXAxis()->GetLabelText(GetX(FSelectDataIndex)) + ", " +
                  GetYAxis()->GetLabelText(GetY(FSelectDataIndex));
  host->DoDataPointCustomizeHint(this, FSelectDataIndex, HintData);
  TBitmap measure(1, 1);
  if (TFont* font = host->GetHintsFont()) measure.GetCanvas()->Font->Assign(font);
  const int w = MultiLineTextWidth(measure.GetCanvas(), HintData.Text) + 4;
  const int h = MultiLineTextHeight(measure.GetCanvas(), HintData.Text) + 4;
  HintData.Width = w;
  HintData.Height = h;
  TiPlotDataView* view = iPlotFirstDataView(host);
  const TRect r = view ? view->GetDrawRect() : TRect();
  const int x = MouseData.X, y = MouseData.Y, half = GetMarkersSize() / 2;
  const int m = half + h + 4;
  int top = y - m, left = x - w / 2;
  if (top <= r.Top) top = y + m;
  if (left <= r.Left) {
    left = x + half + 8;
    top = y - h / 2;
  } else if (left + w >= r.Right) {
    left = x - half - 4 - w;
    top = y - h / 2;
  }
  if (top + h >= r.Bottom) top = r.Bottom - h;
  if (top <= r.Top) top = r.Top;
  HintData.Top = top;
  HintData.Left = left;
}

void TiPlotChannelCustom::DoMouseLeft(TiPlotMouseData& MouseData) {
  if (IiPlotDataHost* host = DataHost()) host->DoDataPointMouseDown(this, FSelectDataIndex, MouseData);
  FMouseDownDataIndex = FSelectDataIndex;
  if (FMouseDownDataIndex == -1 || !FSelectHitTestRect.Contains(TPoint(MouseData.X, MouseData.Y))) return;
  FSelectMouseDown = true;
  FSelectMouseDownIndex = FSelectDataIndex;
  FSelectDownRect = FSelectHitTestRect;
  FMouseDownValueX = GetX(FSelectMouseDownIndex);
  FMouseDownValueY = GetY(FSelectMouseDownIndex);
  FMouseDownPixelX = MouseData.XAxisPixels;
  FMouseDownPixelY = MouseData.YAxisPixels;
}

void TiPlotChannelCustom::DoMouseMove(TiPlotMouseData& MouseData) {
  IiPlotDataHost* host = DataHost();
  if (FSelectMouseDown && host) host->DoDataPointMouseMove(this, FMouseDownDataIndex, MouseData);
  if (!FSelectMouseDown || !FUserCanMoveDataPoints || !HasAxes()) return;
  double dx = 0, dy = 0;
  if (FUserCanMoveDataPointsStyle != ipcdpmsYOnly)
    dx = GetXAxis()->PixelsToPosition(FMouseDownPixelX) - GetXAxis()->PixelsToPosition(MouseData.XAxisPixels);
  if (FUserCanMoveDataPointsStyle != ipcdpmsXOnly)
    dy = GetYAxis()->PixelsToPosition(FMouseDownPixelY) - GetYAxis()->PixelsToPosition(MouseData.YAxisPixels);
  SetX(FSelectMouseDownIndex, FMouseDownValueX - dx);
  SetY(FSelectMouseDownIndex, FMouseDownValueY - dy);
}

void TiPlotChannelCustom::DoMouseUp(TiPlotMouseData& MouseData) {
  IiPlotDataHost* host = DataHost();
  if (host) host->DoDataPointMouseUp(this, FMouseDownDataIndex, MouseData);
  if (!FMouseDown && !FSelectMouseDown) return;
  const TPoint m(MouseData.X, MouseData.Y);
  if (FSelectMouseDown) {
    FSelectMouseDown = false;
    if (!host || FSelectMouseDownIndex >= GetCount()) return;
    if (FSelectDownRect.Contains(m)) host->DoDataPointClick(this, FSelectMouseDownIndex);
    const double x = GetX(FSelectMouseDownIndex), y = GetY(FSelectMouseDownIndex);
    if (x != FMouseDownValueX || y != FMouseDownValueY)
      host->DoDataPointMoved(this, FSelectMouseDownIndex, FMouseDownValueX, FMouseDownValueY, x, y);
  } else if (host && FLegendRect.Contains(m)) {
    host->DoObjectClick(this);
  }
}

TCursor TiPlotChannelCustom::GetMouseCursor(TPoint) {
  TCursor c = crHandPoint;
  if (IiPlotDataHost* host = DataHost()) host->DoObjectGetMouseCursor(this, c);
  return c;
}

void TiPlotChannelCustom::BuildPopupMenu(TPopupMenu* PopupMenu) {
  TiPlotManagerObject::BuildPopupMenu(PopupMenu);
  AddEditMenuItem(PopupMenu);
}
