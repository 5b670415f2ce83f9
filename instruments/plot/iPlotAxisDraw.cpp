// Axis drawing: the room an axis needs across and beyond its ends, and the
// scale line, tick marks, labels, title and grid lines it paints.

#include <algorithm>

#include "instruments/base/iDrawing.h"
#include "instruments/plot/iPlotAxis.h"

namespace {

bool Turned(TiRotationAngle A) {
  return A == ira090 || A == ira270;
}

bool Blank(const std::string& S) {
  return S.find_first_not_of(" \t\r\n") == std::string::npos;
}

TPenStyle GridPenStyle(TiPlotGridLineStyle S) {
  switch (S) {
    case ipglsDash:
      return psDash;
    case ipglsDot:
      return psDot;
    default:
      return psSolid;
  }
}

}  // namespace

int TiPlotAxis::GetRequiredWidth(TCanvas* Canvas) {
  const bool cartesian = GetCartesianStyle() != ipcsNone;
  int title = 0;
  if (FTitleShow && !cartesian) {
    Canvas->Font->Assign(FTitleFont.get());
    const std::string& t = GetTitle();
    const int extent = FTitleRotated ? MultiLineTextWidth(Canvas, t) : MultiLineTextHeight(Canvas, t);
    title = iRound(MultiLineTextHeight(Canvas, t) * FTitleMargin + extent);
  }
  const int ticks = FScaleLinesShow ? std::max({FMajorLength, FMinorLength, 0}) : 0;
  int labelsMargin = 0, labels = 0;
  if (FLabelsVisible) {
    Canvas->Font->Assign(FLabelsFont.get());
    labelsMargin = iRound(Canvas->TextHeight("A") * FLabelsMargin);
    labels = LabelsAcross(Canvas);
  }
  FTitleOffset = ticks + FInnerMargin + labelsMargin + labels;
  FRequiredWidth = FInnerMargin + FOuterMargin + ticks + labelsMargin + labels + title;
  return FRequiredWidth;
}

int TiPlotAxis::GetRequiredEndMargin(TCanvas* Canvas) {
  if (!FLabelsVisible) return 0;
  Canvas->Font->Assign(FLabelsFont.get());
  if (Turned(FLabelsRotation) == GetHorizontal()) return MultiLineTextHeight(Canvas, "XYZ") / 2;
  return GetWidestLabel(Canvas) / 2;
}

void TiPlotAxis::UpdateCanDraw() {
  TiPlotLayoutObject::UpdateCanDraw();
  if (GetCartesianStyle() == ipcsNone) return;
  IiPlotAxisHost* host = AxisHost();
  if (!host) return;
  const TRect& s = GetScaleRect();
  switch (GetQuadSide()) {
    case iqsLeft:
      host->AddAxesCollisionRect(TRect(s.Right, s.Top, s.Right + 1, s.Bottom + 1));
      break;
    case iqsTop:
      host->AddAxesCollisionRect(TRect(s.Left, s.Bottom, s.Right, s.Bottom + 1));
      break;
    case iqsRight:
      host->AddAxesCollisionRect(TRect(s.Left, s.Top, s.Left + 1, s.Bottom + 1));
      break;
    case iqsBottom:
      host->AddAxesCollisionRect(TRect(s.Left, s.Top, s.Right + 1, s.Top + 1));
      break;
  }
}

void TiPlotAxis::Draw(TCanvas* Canvas, TColor /*BackGroundColor*/) {
  if (!GetVisible()) return;
  for (TiPlotTickObject& t : FTickList) {
    t.Show = PointOnScale(t.Position);
    if (!t.Show) continue;
    t.PositionPixels = PositionToPixels(t.Position);
    if (t.TickType == ipttMajor && FLabelsVisible) DrawLabel(Canvas, t);
  }
  if (FScaleLinesShow) {
    Canvas->Brush->SetStyle(bsSolid);
    Canvas->Pen->SetStyle(psSolid);
    Canvas->Pen->SetWidth(1);
    Canvas->Pen->SetColor(FScaleLinesColor);
    if (FScaleLineShow) DrawScaleLine(Canvas);
    for (const TiPlotTickObject& t : FTickList)
      if (t.Show) DrawTick(Canvas, t);
  }
  if (GetCartesianStyle() != ipcsNone) {
    TRect& f = FFocusRect;
    const int start = (GetHorizontal() ? GetDrawRect().Top : GetDrawRect().Left) - (FMajorLength + 1) / 2 - 5;
    if (GetHorizontal()) {
      f.Top = start;
      f.Bottom = start + FRequiredWidth;
    } else {
      f.Left = start;
      f.Right = start + FRequiredWidth;
    }
  } else {
    DrawTitle(Canvas);
  }
  if (GetUserSelected()) {
    Canvas->Font->SetColor(clWhite);
    const TRect f = GetFocusRect();
    DrawFocusRectangle(Canvas, TRect(f.Left, f.Top, f.Right + 1, f.Bottom + 1));
  }
}

void TiPlotAxis::DrawScaleLine(TCanvas* Canvas) {
  const int o = GetCartesianStyle() != ipcsNone ? 0 : FInnerMargin;
  const TRect& s = GetScaleRect();
  switch (GetQuadSide()) {
    case iqsLeft:
      Canvas->MoveTo(s.Right - o, s.Top);
      Canvas->LineTo(s.Right - o, s.Bottom + 1);
      break;
    case iqsTop:
      Canvas->MoveTo(s.Left, s.Bottom - o);
      Canvas->LineTo(s.Right, s.Bottom - o);
      break;
    case iqsRight:
      Canvas->MoveTo(s.Left + o, s.Top);
      Canvas->LineTo(s.Left + o, s.Bottom + 1);
      break;
    case iqsBottom:
      Canvas->MoveTo(s.Left, s.Top + o);
      Canvas->LineTo(s.Right + 1, s.Top + o);
      break;
  }
}

void TiPlotAxis::MarkLine(TCanvas* Canvas, int P, int B, int C, bool Register) {
  const TRect r = GetDrawRect();
  TPoint from, to;
  switch (GetQuadSide()) {
    case iqsLeft:
      from = TPoint(r.Right - C, P);
      to = TPoint(r.Right - B, P);
      break;
    case iqsTop:
      from = TPoint(P, r.Bottom - C);
      to = TPoint(P, r.Bottom - B);
      break;
    case iqsRight:
      from = TPoint(r.Left + C, P);
      to = TPoint(r.Left + B, P);
      break;
    case iqsBottom:
      from = TPoint(P, r.Top + C);
      to = TPoint(P, r.Top + B);
      break;
  }
  Canvas->MoveTo(from.X, from.Y);
  Canvas->LineTo(to.X, to.Y);
  if (!Register) return;
  if (IiPlotAxisHost* host = AxisHost()) {
    // The pixels the mark covers: its last point is not painted.
    auto span = [](int a, int b, int& lo, int& hi) {
      lo = a < b ? a : b + 1;
      hi = a < b ? b : a + 1;
    };
    TRect m;
    if (from.X == to.X) {
      m.Left = from.X;
      m.Right = from.X + 1;
      span(from.Y, to.Y, m.Top, m.Bottom);
    } else {
      m.Top = from.Y;
      m.Bottom = from.Y + 1;
      span(from.X, to.X, m.Left, m.Right);
    }
    host->AddAxesCollisionRect(m);
  }
}

void TiPlotAxis::DrawTick(TCanvas* Canvas, const TiPlotTickObject& Tick) {
  const bool major = Tick.TickType == ipttMajor;
  if (GetCartesianStyle() != ipcsNone) {
    const int h = ((major ? FMajorLength : FMinorLength) + 1) / 2;
    MarkLine(Canvas, Tick.PositionPixels, -h - 1, h, true);
  } else if (major) {
    MarkLine(Canvas, Tick.PositionPixels, FInnerMargin + FMajorLength, FInnerMargin, false);
  } else {
    MarkLine(Canvas, Tick.PositionPixels, FInnerMargin, FInnerMargin + FMinorLength, false);
  }
}

void TiPlotAxis::DrawLabel(TCanvas* Canvas, const TiPlotTickObject& Tick) {
  Canvas->Brush->SetStyle(bsClear);
  Canvas->Font->Assign(FLabelsFont.get());
  const int margin = iRound(MultiLineTextHeight(Canvas, "A") * FLabelsMargin);
  int th = MultiLineTextHeight(Canvas, Tick.Text), tw = MultiLineTextWidth(Canvas, Tick.Text);
  int d;
  if (GetCartesianStyle() != ipcsNone)
    d = margin + (FMajorLength + 1) / 2;
  else
    d = FInnerMargin + (FScaleLinesShow ? FMajorLength : 0) + margin;
  // Across and along the axis; a turned label swaps its extents.
  if (Turned(FLabelsRotation)) std::swap(th, tw);
  const int p = Tick.PositionPixels;
  const TRect r0 = GetDrawRect();
  TRect r;
  switch (GetQuadSide()) {
    case iqsLeft:
      r = TRect(r0.Right - d - tw, p - th / 2, r0.Right - d, p + th / 2);
      break;
    case iqsTop:
      r = TRect(p - tw / 2, r0.Bottom - d - th, p + tw / 2, r0.Bottom - d);
      break;
    case iqsRight:
      r = TRect(r0.Left + d, p - th / 2, r0.Left + d + tw, p + th / 2);
      break;
    case iqsBottom:
      r = TRect(p - tw / 2, r0.Top + d, p + tw / 2, r0.Top + d + th);
      break;
  }
  if (GetCartesianStyle() != ipcsNone) {
    IiPlotAxisHost* host = AxisHost();
    if (host && !host->TryAddAxesCollisionRect(r)) return;
  }
  TRect drawn;
  DrawRotatedText(Canvas, Tick.Text, r, drawn, clBlack, true, iahCenter, FLabelsRotation);
}

void TiPlotAxis::DrawTitle(TCanvas* Canvas) {
  if (!FTitleShow || Blank(GetTitle())) return;
  const std::string& title = GetTitle();
  Canvas->Font->Assign(FTitleFont.get());
  Canvas->Brush->SetStyle(bsClear);
  const int w = MultiLineTextWidth(Canvas, title), h = MultiLineTextHeight(Canvas, title);
  const int across = FTitleRotated ? w : h, along = FTitleRotated ? h : w;
  const TRect s = GetScaleRect(), r0 = GetDrawRect();
  TRect r;
  TiRotationAngle angle;
  if (GetHorizontal()) {
    if (GetQuadSide() == iqsTop)
      r = TRect(s.Left, r0.Top + FOuterMargin, s.Right, r0.Top + FOuterMargin + across);
    else
      r = TRect(s.Left, r0.Bottom - FOuterMargin - across, s.Right, r0.Bottom - FOuterMargin);
    angle = FTitleRotated ? ira090 : ira000;
  } else {
    const int c = (s.Top + s.Bottom) / 2, half = along / 2;
    if (GetQuadSide() == iqsLeft) {
      const int x = s.Left + FOuterMargin;
      r = TRect(x, c - half, x + across, c + half);
    } else {
      const int x = s.Right - FOuterMargin;
      r = TRect(x - across, c - half, x, c + half);
    }
    angle = FTitleRotated ? ira000 : ira090;
  }
  TRect drawn;
  DrawRotatedText(Canvas, title, r, drawn, clBlack, true, iahCenter, angle);
}

void TiPlotAxis::DrawGridLines(TCanvas* Canvas, const TRect& ARect, const TiPlotGridLines& Lines) {
  if (!FGridLinesVisible) return;
  for (const TiPlotTickObject& t : FTickList) {
    if (!t.Show) continue;
    const bool major = t.TickType == ipttMajor;
    if (major ? !Lines.ShowMajors : !Lines.ShowMinors) continue;
    Canvas->Pen->SetStyle(GridPenStyle(major ? Lines.MajorStyle : Lines.MinorStyle));
    Canvas->Pen->SetWidth(major ? Lines.MajorWidth : Lines.MinorWidth);
    Canvas->Pen->SetColor(major ? Lines.MajorColor : Lines.MinorColor);
    const int p = t.PositionPixels;
    if (GetHorizontal()) {
      Canvas->MoveTo(p, ARect.Top);
      Canvas->LineTo(p, ARect.Bottom);
    } else {
      Canvas->MoveTo(ARect.Left, p);
      Canvas->LineTo(ARect.Right, p);
    }
  }
}
