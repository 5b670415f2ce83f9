// What lies over the curves of a response plot: band markers, the selected
// band's caption and translucent fill, the text item and the marker line.
// All of it is drawn onto the composed copy of the plot page.
#include <cmath>
#include <string>

#include "platform/gdiplus/ClassLibBridge.h"
#include "platform/gdiplus/GdiPlus.h"
#include "response/PlotScales.h"
#include "response/ResponsePlotBase.h"

namespace {
bool ValidMarker(int index) {
  return index >= 0 && index < PlotMarkerCount;
}
std::size_t At(int index) {
  return static_cast<std::size_t>(index);
}
}  // namespace

// ---------------------------------------------------------------- markers

void LResponsePlotBase::DrawMarkerShape(TCanvas* c, int kind, int index, double px, double py) {
  if (kind < 0 || kind > 3) return;
  c->Brush->SetColor(GetColor());
  c->Brush->SetStyle(bsCross);
  const int l = TruncPixel(px - 3), t = TruncPixel(py - 3), r = TruncPixel(px + 3), b = TruncPixel(py + 3);
  if (kind == 1)
    c->Ellipse(l, t, r, b);
  else
    c->Rectangle(l, t, r, b);
  c->Brush->SetStyle(bsClear);
  c->Font->SetColor(clWhite);
  if (kind <= 1) {
    c->Font->SetSize(11);
    c->TextOut(TruncPixel(px - 3), TruncPixel(py - 23), std::to_string(index + 1));
  } else {
    c->Font->SetSize(8);
    c->TextOut(TruncPixel(px - 8), TruncPixel(py - 20), kind == 2 ? "LPF" : "HPF");
  }
}

void LResponsePlotBase::DrawBlock(double y, double x, TColor colour, int index, bool hidden, int kind) {
  if (!ValidMarker(index)) return;
  FBlockY[At(index)] = y;
  FBlockX[At(index)] = x;
  FBlockColor[At(index)] = colour;
  const double px = ScreenX(x), py = ScreenY(y);
  SetBlockPosition(px, py, index);
  TCanvas* c = OverlayCanvas();
  c->Pen->SetColor(colour);
  c->Pen->SetWidth(1);
  c->Pen->SetStyle(psSolid);
  DrawMarkerShape(c, kind, index, px, py);
  FBlockKind[At(index)] = kind;
  FBlockHidden[At(index)] = hidden;
}

int LResponsePlotBase::SetBlockParameter(int index, double frequency, double gain, double q,
                                         double filterType) {
  if (!ValidMarker(index)) return index;
  FBlockFrequency[At(index)] = frequency;
  FBlockGain[At(index)] = gain;
  FBlockQ[At(index)] = q;
  FBlockType[At(index)] = filterType;
  return index;
}

void LResponsePlotBase::SetBlockPosition(double px, double py, int index) {
  if (!ValidMarker(index)) return;
  FBlockScreenX[At(index)] = px;
  FBlockScreenY[At(index)] = py;
  FBlockPoint[At(index)] = TPoint(TruncPixel(px), TruncPixel(py));
}

TPoint LResponsePlotBase::GetBlockPos(int index) const {
  return ValidMarker(index) ? FBlockPoint[At(index)] : TPoint();
}

void LResponsePlotBase::BlockPaint() {
  TCanvas* c = OverlayCanvas();
  for (int i = 0; i < PlotMarkerCount; ++i) {
    if (FBlockHidden[At(i)]) continue;
    const double px = ScreenX(FBlockX[At(i)]), py = ScreenY(FBlockY[At(i)]);
    c->Pen->SetColor(FBlockColor[At(i)]);
    c->Pen->SetWidth(5);
    c->Pen->SetStyle(psSolid);
    // A marker wholly off the page (the unplaced ones at x 0) draws no pixel:
    // its shape, wide pen and label all lie within this box.
    const TRect reach(TruncPixel(px) - 12, TruncPixel(py) - 30, TruncPixel(px) + 40, TruncPixel(py) + 10);
    if (!IntersectRect(reach, TRect(0, 0, GetPlotWidth(), GetPlotHeight())).IsEmpty())
      DrawMarkerShape(c, FBlockKind[At(i)], i, px, py);
    if (FBlockKind[At(i)] == 1 && FParameterDisplay &&
        (FCaptionX != FBlockX[At(i)] || FCaptionGain != FBlockY[At(i)])) {
      const double type = FBlockType[At(i)];
      const int code = type == 7 ? 5 : type == 17 ? 6 : static_cast<int>(type - 1);
      ShowParam(code, FBlockGain[At(i)], FBlockX[At(i)], static_cast<float>(FBlockFrequency[At(i)]),
                FBlockQ[At(i)], clWhite);
    }
    c->Pen->SetWidth(1);
  }
}

// ---------------------------------------------------------------- caption

void LResponsePlotBase::DrawCaption(TCanvas* c, unsigned lines, double gain, double x, float frequency,
                                    double q, TColor colour) {
  const double ax = ScreenX(x), ay = ScreenY(gain);
  c->Pen->SetColor(colour);
  c->Pen->SetWidth(1);
  c->Font->SetColor(colour);
  c->Font->SetSize(8);
  c->Brush->SetStyle(bsClear);
  int tops[3];
  CaptionLineTops(lines, gain, tops);
  int line = 0;
  const int left = TruncPixel(ax - 20);
  if (lines & clQ) c->TextOut(left, TruncPixel(ay + tops[line++]), CaptionQText(q));
  if (lines & clFrequency) c->TextOut(left, TruncPixel(ay + tops[line++]), CaptionFrequencyText(frequency));
  if (lines & clGain) c->TextOut(left, TruncPixel(ay + tops[line++]), CaptionGainText(gain));
}

void LResponsePlotBase::ShowParam(int code, double gain, double x, float frequency, double q, TColor colour) {
  DrawCaption(OverlayCanvas(), CaptionLines(code, false), gain, x, frequency, q, colour);
}

void LResponsePlotBase::DrawParam(int code, double gain, double x, float frequency, double q, TColor colour) {
  FCaptionCode = code;
  FCaptionGain = gain;
  FCaptionX = x;
  FCaptionFrequency = frequency;
  FCaptionQ = q;
  FCaptionColor = colour;
  ShowParam(code, gain, x, frequency, q, colour);
}

bool LResponsePlotBase::SetCurveDisplay(bool on) {
  FCaptionShown = on;
  return on;
}

void LResponsePlotBase::CuveDisplayPaint() {
  if (!FCaptionShown) return;
  DrawCaption(OverlayCanvas(), CaptionLines(FCaptionCode, true), FCaptionGain, FCaptionX, FCaptionFrequency,
              FCaptionQ, FCaptionColor);
  DrawFill(OverlayCanvas(), ResponsePoints, false);
}

void LResponsePlotBase::DrawCurveFill(int /*code: the stored caption code decides*/, const double* values,
                                      int count) {
  if (!values) return;
  count = std::clamp(count, 0, ResponsePoints);
  std::copy(values, values + count, FFillCurve.begin());
  // Nothing more: the composed page is built again from the plot page before
  // each copy to the screen (UpdatePaintPage), and draws the fill then; one
  // drawn here now would be overwritten unseen, at the price of the dearest
  // drawing a band step makes.
}

void LResponsePlotBase::DrawFill(TCanvas*, int count, bool closeBeforeOutline) {
  if (count < 1) return;
  std::unique_ptr<Gdiplus::Graphics> g = Gdiplus::GraphicsFromBitmap(FComposed.get());
  if (!g) return;
  const Gdiplus::Color grey(30, 128, 128, 128);
  Gdiplus::Pen pen(grey, 1.0f);
  Gdiplus::SolidBrush brush(grey);
  Gdiplus::GraphicsPath path(Gdiplus::FillModeAlternate);
  const double W = GetPlotWidth(), H = GetPlotHeight();
  const double xr = FXMax - FXMin, yr = FYMax - FYMin;
  std::vector<Gdiplus::Point> points(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    const double v = FFillCurve[At(i)];
    // The linear mapping, whatever the axis formats.
    points[At(i)] = Gdiplus::Point(TruncPixel(xr == 0 ? 0 : W * (i - FXMin) / xr),
                                   TruncPixel(yr == 0 ? H : H - H * (v - FYMin) / yr));
  }
  path.AddCurve(points.data(), count);
  auto X = [&](double v) { return static_cast<Gdiplus::REAL>(ScreenX(v)); };
  auto Y = [&](double v) { return static_cast<Gdiplus::REAL>(ScreenY(v)); };
  auto close = [&] {
    const double level = FCaptionGain >= 0 ? FYMax : FYMin;
    switch (FCaptionCode < 0 ? -1 : std::min(FCaptionCode, 3)) {
      case 0:
        path.AddLine(X(10), Y(0), X(20000), Y(0));
        break;
      case 1:
        path.AddLine(X(20000), Y(0), X(10), Y(0));
        path.AddLine(X(10), Y(0), X(10), Y(level));
        break;
      case 2:
        path.AddLine(X(20000), Y(level), X(20000), Y(0));
        path.AddLine(X(20000), Y(0), X(10), Y(0));
        break;
      case 3:
        path.AddLine(X(20000), Y(0), X(20000), Y(FYMin));
        path.AddLine(X(20000), Y(FYMin), X(10), Y(FYMin));
        break;
      default:
        break;
    }
  };
  if (closeBeforeOutline) close();
  g->DrawPath(&pen, &path);
  if (!closeBeforeOutline) close();
  g->FillPath(&brush, &path);
}

// ---------------------------------------------------------------- text item

void LResponsePlotBase::DrawTextA(int x, int y, int size, TColor colour, const std::string& fontName,
                                  const std::string& text) {
  FTextString = text;
  FTextX = x;
  FTextY = y;
  FTextSize = size;
  FTextColor = colour;
  FTextFontName = fontName;
  if (!text.empty()) TextPaint();
}

void LResponsePlotBase::TextPaint() {
  if (FTextString.empty()) return;
  TCanvas* c = OverlayCanvas();
  // The text item's face and size are its own: the band numbers and captions
  // drawn after it keep the plot's face.
  TFont plotFont;
  plotFont.Assign(c->Font.get());
  if (FTextSize > 0) c->Font->SetSize(FTextSize);
  c->Font->SetColor(FTextColor);
  if (!FTextFontName.empty()) c->Font->SetName(FTextFontName);
  c->Brush->SetStyle(bsClear);
  c->TextOut(FTextX, FTextY, FTextString);
  c->Font->Assign(&plotFont);
}

// ---------------------------------------------------------------- marker line

void LResponsePlotBase::DrawMarkerLine(TCanvas* c, TPenStyle style) {
  const double px = ScreenX(FLineX);
  c->Pen->SetWidth(1);
  c->Pen->SetStyle(style);
  c->Pen->SetColor(clRed);
  c->MoveTo(TruncPixel(px), 0);
  c->LineTo(TruncPixel(px), GetHeight() - 10);
  c->Pen->SetStyle(psSolid);
  if (FLineMarker) {
    const double py = ScreenY(-3.0);
    c->Pen->SetColor(clYellow);
    c->Pen->SetWidth(1);
    c->Rectangle(TruncPixel(px - 4), TruncPixel(py - 4), TruncPixel(px + 4), TruncPixel(py + 4));
    FLineScreenX = TruncPixel(px);
  }
}

void LResponsePlotBase::DrawLine(double x, TColor colour, bool marker) {
  FLineX = x;
  FLineColor = colour;
  FLineMarker = marker;
  FLineShown = true;
  DrawMarkerLine(OverlayCanvas(), psDash);
}

void LResponsePlotBase::LinePaint() {
  DrawMarkerLine(OverlayCanvas(), psDot);
}
