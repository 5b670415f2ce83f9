// Value-to-pixel mappings, range fitting and the page layout of the
// response plot controls.
#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <tuple>

#include "response/PlotScales.h"
#include "response/ResponsePlotBase.h"

namespace {
// a / b, or 0 for a range of zero width (nothing to spread over).
double Ratio(double a, double b) {
  return b == 0 ? 0.0 : a / b;
}
}  // namespace

double LResponsePlotBase::ScreenX(double x) const {
  const double W = GetPlotWidth();
  if (FXAxisFormat == Log) {
    const double l = x > 0 ? std::log10(x) : std::log10(FXMin * 0.1);
    return W * Ratio(l - FLogXMin, FLogXMax - FLogXMin);
  }
  return W * Ratio(x - FXMin, FXMax - FXMin);
}

double LResponsePlotBase::ScreenY(double y) const {
  const double H = GetPlotHeight();
  if (FYAxisFormat == Log) {
    const double l = y > 0 ? std::log10(y) : std::log10(FYMin * 0.1);
    return H - H * Ratio(l - FLogYMin, FLogYMax - FLogYMin);
  }
  return H - H * Ratio(y - FYMin, FYMax - FYMin);
}

double LResponsePlotBase::PlotX(int px) const {
  const double W = GetPlotWidth();
  const double d = px - FPlotPage->ScreenRect.Left;
  if (FXAxisFormat == Log) return std::pow(10.0, FLogXMin + Ratio(d * (FLogXMax - FLogXMin), W));
  return FXMin + Ratio(d * (FXMax - FXMin), W);
}

double LResponsePlotBase::PlotY(int py) const {
  const double H = GetPlotHeight();
  const double d = FPlotPage->ScreenRect.Top + H - py;
  if (FYAxisFormat == Log) return std::pow(10.0, FLogYMin + Ratio(d * (FLogYMax - FLogYMin), H));
  return FYMin + Ratio(d * (FYMax - FYMin), H);
}

int LResponsePlotBase::GetPlotWidth() const {
  return FPlotPage->Width();
}

int LResponsePlotBase::GetPlotHeight() const {
  return FPlotPage->Height();
}

bool LResponsePlotBase::SetPlotWidth(int w) {
  FPlotPage->SetWidth(w);
  return true;
}

void LResponsePlotBase::FindYMaxMin() {
  if (!FYAutoScale) return;
  bool any = false;
  for (TPlotListMember* m = FPlotList->Head(); m; m = m->Next.get())
    for (int i = 0; i < m->NumPoints; ++i) {
      const double y = m->YValues[static_cast<std::size_t>(i)];
      if (!any) FYMax = FYMin = y, any = true;
      FYMax = std::max(FYMax, y);
      FYMin = std::min(FYMin, y);
    }
  if (!any) FYMax = 1.0, FYMin = -1.0;
  CompareMaxMin();
  CalculateLogMaxMin();
}

void LResponsePlotBase::FindXMaxMin() {
  if (!FXAutoScale) return;
  bool any = false;
  for (TPlotListMember* m = FPlotList->Head(); m; m = m->Next.get())
    for (int i = 0; i < m->NumPoints; ++i) {
      const double x = m->XValues[static_cast<std::size_t>(i)];
      if (!any) FXMax = FXMin = x, any = true;
      FXMax = std::max(FXMax, x);
      FXMin = std::min(FXMin, x);
    }
  if (!any) FXMax = 1.0, FXMin = -1.0;
  CompareMaxMin();
  CalculateLogMaxMin();
}

void LResponsePlotBase::CompareMaxMin() {
  if (FYMax == FYMin) {
    if (FYAxisFormat == Log)
      FYMax = FYMin * 10;
    else
      FYMax += 1;
  }
  if (FXMax == FXMin) {
    if (FXAxisFormat == Log)
      FXMax = FXMin * 10;
    else
      FXMax += 1;
  }
}

void LResponsePlotBase::CalculateLogMaxMin() {
  if (FXAxisFormat == Log) {
    if (FXMax <= 0) FXMax = 10.0;
    if (FXMin <= 0) FXMin = FXMax * 0.1;
    FLogXMax = std::log10(FXMax);
    FLogXMin = std::log10(FXMin);
  }
  if (FYAxisFormat == Log) {
    if (FYMax <= 0) FYMax = 10.0;
    if (FYMin <= 0) FYMin = FYMax * 0.01;
    FLogYMax = std::log10(FYMax);
    FLogYMin = std::log10(FYMin);
  }
}

void LResponsePlotBase::SetXYMinMax(double xmin, double xmax, double ymin, double ymax) {
  FXMin = xmin;
  FXMax = xmax;
  FYMin = ymin;
  FYMax = ymax;
  CalculateLogMaxMin();
  CompareMaxMin();
  if (FAutoRedraw) DrawPlotsAndLabels();
}

void LResponsePlotBase::SetXAxisFormat(TMyAxisFormat v) {
  FXAxisFormat = v;
  FindXMaxMin();
  if (v == Log) {
    if (FXMax <= 0) {
      FXMax = 10.0;
      FXMin = 1.0;
    } else if (FXMin <= 0) {
      FXMin = FXMax * 0.1;
    }
    FLogXMin = std::log10(FXMin);
    FLogXMax = std::log10(FXMax);
  }
  if (FAutoRedraw) DrawPlotsAndLabels();
}

void LResponsePlotBase::SetYAxisFormat(TMyAxisFormat v) {
  FYAxisFormat = v;
  FindYMaxMin();
  if (v == Log) {
    if (FYMax <= 0) {
      FYMax = 10.0;
      FYMin = 1.0;
    } else if (FYMin <= 0) {
      FYMin = FYMax * 0.1;
    }
    FLogYMin = std::log10(FYMin);
    FLogYMax = std::log10(FYMax);
  }
  if (FAutoRedraw) DrawPlotsAndLabels();
}

namespace {
// Width of the widest of prefix + 10^k * pi, k = -100..100, as the canvas
// measures it: room for any label the format can make. Every layout asks
// this for each plot, so the answer is kept per font and format.
struct WidestKey {
  std::string font, prefix;
  int height, style, format, precision, digits;
  friend bool operator<(const WidestKey& a, const WidestKey& b) {
    return std::tie(a.font, a.prefix, a.height, a.style, a.format, a.precision, a.digits) <
           std::tie(b.font, b.prefix, b.height, b.style, b.format, b.precision, b.digits);
  }
};
struct Widest {
  int width;
  std::string last;
};

const Widest& WidestNumber(TCanvas* c, const std::string& prefix, TStringFloatFormat format, int precision,
                           int digits) {
  static std::map<WidestKey, Widest> cache;
  const TFont& f = *c->Font;
  const WidestKey key{
      f.GetName(), prefix, f.GetHeight(), static_cast<int>(f.GetStyle().Bits()), static_cast<int>(format),
      precision,   digits};
  if (auto it = cache.find(key); it != cache.end()) return it->second;
  Widest w{0, {}};
  for (int k = -100; k <= 100; ++k) {
    w.last = prefix + FormatPlotNumber(std::pow(10.0, k) * 3.14159265358979323846, format, precision, digits);
    w.width = std::max(w.width, c->TextWidth(w.last));
  }
  return cache.emplace(key, std::move(w)).first->second;
}
}  // namespace

void LResponsePlotBase::ResizePaintPage() {
  const int width = GetWidth();
  const int height = GetHeight();
  for (;;) {
    int P = -30, R = 0, Q = height, V = height, S = 0, TW = 0, TH = 0;
    if (FShowXLabel) {
      FXLabelPage->SetFont(FAxisLabelFont.get());
      const std::string text = FormatPlotNumber(FXMin, FXLabelFormat, FXLabelPrecision, FXLabelDigits);
      Q -= TruncPixel(1.2 * FXLabelPage->Canvas()->TextHeight(text));
    }
    if (FShowXTitle) {
      FXTitlePage->SetFont(FAxisTitleFont.get());
      const int h = 2 * FXTitlePage->Canvas()->TextHeight(FXTitle);
      Q -= h;
      V -= h;
    }
    if (FShowYLabel) {
      FYLabelPage->SetFont(FAxisLabelFont.get());
      P += WidestNumber(FYLabelPage->Canvas(), "", FXLabelFormat,
                        std::max(FXLabelPrecision, FYLabelPrecision), std::max(FXLabelDigits, FYLabelDigits))
               .width +
           4;
    }
    if (FShowYTitle) {
      FYTitleTextPage->SetFont(FAxisTitleFont.get());
      FYTitlePage->SetFont(FAxisTitleFont.get());
      const int h = FYTitlePage->Canvas()->TextHeight(FYTitle);
      P += 2 * h;
      S += 2 * h;
      TW = FYTitleTextPage->Canvas()->TextWidth(FYTitle);
      TH = FYTitleTextPage->Canvas()->TextHeight(FYTitle);
    }
    if (FShowPlotTitle) {
      FPlotTitlePage->SetFont(FPlotTitleFont.get());
      R += 2 * FPlotTitlePage->Canvas()->TextHeight(FPlotTitle);
    } else {
      R += 10;
    }
    if (FShowCoordinates) {
      FCoordPage->SetFont(FMouseCoordFont.get());
      const Widest& widest =
          WidestNumber(FCoordPage->Canvas(), "x = ", FYLabelFormat, FYLabelPrecision, FYLabelDigits);
      const int M = widest.width;
      const int D = 2 * FCoordPage->Canvas()->TextHeight(widest.last) + 10;
      FCoordPage->SetBounds(width - M - 5, R + 4, width - 5, R + D + 2);
    }
    if (R < Q && P < width) {
      FPlotPage->SetBounds(P, R, width - 10, Q);
      FXLabelPage->SetBounds(P, Q, width - 10, V);
      FXTitlePage->SetBounds(P, V, width - 10, height);
      FYLabelPage->SetBounds(S, R, P, height);
      FYTitlePage->SetBounds(0, R, S, height);
      FYTitleTextPage->SetBounds(0, 0, TW, TH);
      FPlotTitlePage->SetBounds(0, 0, width - 10, R);
      FRightMarginPage->SetBounds(width - 10, 0, width, height);
      break;
    }
    // Too low or too narrow: what does not fit is switched off and the
    // layout starts again; when nothing is left to switch off the pages keep
    // their rectangles.
    bool changed = false;
    if (R > Q && (FShowPlotTitle || FShowXLabel || FShowXTitle)) {
      FShowPlotTitle = FShowXLabel = FShowXTitle = false;
      changed = true;
    }
    if (P > width && (FShowYLabel || FShowYTitle)) {
      FShowYLabel = FShowYTitle = false;
      changed = true;
    }
    if (!changed) break;
  }
  for (int i = 0; i < PlotMarkerCount; ++i)
    SetBlockPosition(ScreenX(FBlockX[static_cast<std::size_t>(i)]),
                     ScreenY(FBlockY[static_cast<std::size_t>(i)]), i);
}
