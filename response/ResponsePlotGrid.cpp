// Grid, ticks, axis lines, axis labels and titles of the response plots.
#include <cmath>

#include "response/PlotScales.h"
#include "response/ResponsePlotBase.h"

// Columns of the frequency index axis: every multiple m = 1..10 of every
// decade 10^a, a = 1..14; f(x, decade) with the column and whether it is a
// decade line.
template <typename F>
void LResponsePlotBase::ForEachFrequencyLine(F&& f) const {
  const double N = AxisPointCount(FFFTNuimber);
  const double top = std::log10(AxisTopFrequency(FSampleRate));
  for (int a = 1; a <= 14; ++a)
    for (int m = 1; m <= 10; ++m) f(TruncPixel(ScreenX(N * std::log10(m * std::pow(10.0, a)) / top)), m == 1);
}

// Lines of a log axis: each decade 10^d inside the range and NumGrid lines
// between it and the next; f(pixel).
template <typename F>
void LResponsePlotBase::ForEachLogLine(bool yAxis, F&& f) const {
  const double lo = yAxis ? FLogYMin : FLogXMin;
  const double hi = yAxis ? FLogYMax : FLogXMax;
  const int count = yAxis ? FNumHorzGrid : FNumVertGrid;
  if (!std::isfinite(lo) || !std::isfinite(hi)) return;
  for (int d = static_cast<int>(std::floor(lo)); d < hi; ++d) {
    const double base = std::pow(10.0, d);
    const double step = (std::pow(10.0, d + 1) - base) / (count + 1);
    for (int k = 0; k <= count; ++k) {
      const double v = base + k * step;
      f(TruncPixel(yAxis ? ScreenY(v) : ScreenX(v)));
    }
  }
}

void LResponsePlotBase::DrawGrid() {
  if (!PagesReady()) return;
  TCanvas* c = FPlotPage->Canvas();
  const int W = GetPlotWidth();
  const int H = GetPlotHeight();
  c->Pen->SetWidth(1);
  c->Pen->SetStyle(psSolid);
  c->Pen->SetMode(pmCopy);
  c->Pen->SetColor(FGridColor);
  if (FShowHorzGrid) {
    if (FYAxisFormat == Linear) {
      const double step = (FYMax - FYMin) / (FNumHorzGrid + 1);
      for (int k = 1; k <= FNumHorzGrid; ++k) {
        const int y = TruncPixel(ScreenY(FYMin + k * step));
        c->MoveTo(0, y);
        c->LineTo(W, y);
      }
    } else {
      ForEachLogLine(true, [&](int y) {
        c->MoveTo(0, y);
        c->LineTo(W, y);
      });
    }
  }
  if (FShowVertGrid) {
    if (FXAxisFormat == Linear) {
      ForEachFrequencyLine([&](int x, bool decade) {
        c->Pen->SetColor(decade ? FAxisColor : FGridColor);
        c->MoveTo(x, 0);
        c->LineTo(x, H);
      });
    } else {
      c->Pen->SetColor(FGridColor);
      ForEachLogLine(false, [&](int x) {
        c->MoveTo(x, 0);
        c->LineTo(x, H);
      });
    }
  }
}

void LResponsePlotBase::DrawTicks() {
  if (!PagesReady()) return;
  TCanvas* c = FPlotPage->Canvas();
  const int H = GetPlotHeight();
  c->Pen->SetWidth(1);
  c->Pen->SetStyle(psSolid);
  c->Pen->SetColor(FAxisColor);
  if (FShowHorzTicks) {
    auto tick = [&](int y) {
      c->MoveTo(0, y);
      c->LineTo(FHorzTickLength, y);
    };
    if (FYAxisFormat == Linear) {
      const double step = (FYMax - FYMin) / (FNumHorzGrid + 1);
      for (int k = 1; k <= FNumHorzGrid; ++k) tick(TruncPixel(ScreenY(FYMin + k * step)));
    } else {
      ForEachLogLine(true, tick);
    }
  }
  if (FShowVertTicks) {
    if (FXAxisFormat == Linear) {
      // At least 2 pixels long on the frequency axis.
      ForEachFrequencyLine([&](int x, bool) {
        c->MoveTo(x, H);
        c->LineTo(x, H - FVertTickLength - 2);
      });
    } else {
      ForEachLogLine(false, [&](int x) {
        c->MoveTo(x, H);
        c->LineTo(x, H - FVertTickLength);
      });
    }
  }
}

void LResponsePlotBase::DrawAxis() {
  if (!GetVisible() || !PagesReady()) return;
  TCanvas* c = FPlotPage->Canvas();
  const int W = GetPlotWidth();
  const int H = GetPlotHeight();
  c->Pen->SetWidth(1);
  c->Pen->SetStyle(psSolid);
  c->Pen->SetColor(FAxisColor);
  c->Brush->SetStyle(bsSolid);
  c->Brush->SetColor(FAxisColor);
  auto centred = [&] {
    if (FYMax != FYMin) {
      const int y0 = TruncPixel(ScreenY(0));
      c->MoveTo(0, y0);
      c->LineTo(W, y0);
    }
    if (FXMax != FXMin) {
      const int x0 = TruncPixel(ScreenX(0));
      c->MoveTo(x0, 0);
      c->LineTo(x0, H);
    }
  };
  switch (FAxisStyle) {
    case Box:
      c->FrameRect(FPlotPage->LocalRect);
      break;
    case Centered:
      centred();
      break;
    case CenteredBox:
      c->FrameRect(FPlotPage->LocalRect);
      centred();
      break;
    case LB:
      c->MoveTo(0, 0);
      c->LineTo(0, H - 1);
      c->LineTo(W, H - 1);
      break;
    case None:
      break;
  }
}

void LResponsePlotBase::DrawXAxisLabels() {
  if (!FShowXLabel || !PagesReady()) return;
  TPaintPage& page = *FXLabelPage;
  page.Fill(GetColor());
  page.SetFont(FAxisLabelFont.get());
  TCanvas* c = page.Canvas();
  c->Brush->SetStyle(bsClear);
  const double N = AxisPointCount(FFFTNuimber);
  const double top = std::log10(AxisTopFrequency(FSampleRate));
  const int count = GetWidth() >= 800 ? 10 : 4;
  for (int i = 0; i < count; ++i) {
    const double t = FrequencyLabelLogs[i];
    const double x = ScreenX(N * t / top);
    const std::string text =
        FrequencyLabelText(std::pow(10.0, t), FXLabelFormat, FXLabelPrecision, FXLabelDigits);
    c->TextOut(TruncPixel(x - 0.5 * c->TextWidth(text)), 1, text);
  }
  UpdatePaintPage(&page);
}

void LResponsePlotBase::DrawYAxisLabels() {
  if (!FShowYLabel || !PagesReady()) return;
  TPaintPage& page = *FYLabelPage;
  page.Fill(GetColor());
  page.SetFont(FAxisLabelFont.get());
  TCanvas* c = page.Canvas();
  c->Brush->SetStyle(bsClear);
  const int pageWidth = page.Width();
  auto put = [&](const std::string& text, int top) {
    c->TextOut(pageWidth - c->TextWidth(text) - 2, top, text);
  };
  auto format = [&](double v) { return FormatPlotNumber(v, FYLabelFormat, FYLabelPrecision, FYLabelDigits); };
  if (FYAxisFormat == Linear) {
    put("+" + format(FYMax * FYLabelScale) + FYLabel, 0);
    const std::string bottom = format(FYMin * FYLabelScale) + FYLabel;
    put(bottom, TruncPixel(ScreenY(FYMin) - c->TextHeight(bottom)));
    const double step = (FYMax - FYMin) / (FNumHorzGrid + 1);
    for (int k = 2; k <= FNumHorzGrid; k += 2) {
      const double v = FYMin + k * step;
      const std::string text =
          (v > 0 ? "+" : "") + format(k * step * FYLabelScale + FYMin * FYLabelScale) + FYLabel;
      put(text, TruncPixel(ScreenY(v) - c->TextHeight(text) / 2));
    }
  } else if (std::isfinite(FLogYMin) && std::isfinite(FLogYMax)) {
    for (int e = static_cast<int>(std::floor(FLogYMin)) + 1; e < FLogYMax; ++e) {
      const std::string text = format(std::pow(10.0, e * FYLabelScale)) + FYLabel;
      put(text, TruncPixel(ScreenY(std::pow(10.0, e)) - c->TextHeight(text) / 2));
    }
  }
  UpdatePaintPage(&page);
}

void LResponsePlotBase::DrawTitles() {
  if (!PagesReady()) return;
  const TColor back = GetColor();
  FPlotTitlePage->Fill(back);
  if (FShowPlotTitle) {
    TCanvas* c = FPlotTitlePage->Canvas();
    FPlotTitlePage->SetFont(FPlotTitleFont.get());
    c->Brush->SetStyle(bsClear);
    const int tw = c->TextWidth(FPlotTitle);
    const int th = c->TextHeight(FPlotTitle);
    c->TextOut((GetPlotWidth() - tw) / 2 + FPlotPage->ScreenRect.Left,
               FPlotTitlePage->Height() - (3 * th) / 2, FPlotTitle);
  }
  UpdatePaintPage(FPlotTitlePage.get());
  if (FShowXTitle) {
    FXTitlePage->Fill(back);
    FXTitlePage->SetFont(FAxisTitleFont.get());
    TCanvas* c = FXTitlePage->Canvas();
    c->Brush->SetStyle(bsClear);
    const int tw = c->TextWidth(FXTitle);
    const int th = c->TextHeight(FXTitle);
    c->TextOut((FXTitlePage->Width() - tw) / 2, FXTitlePage->Height() - (3 * th) / 2, FXTitle);
    UpdatePaintPage(FXTitlePage.get());
  }
  if (FShowYTitle) {
    FYTitlePage->Fill(back);
    FYTitleTextPage->Fill(back);
    FYTitlePage->SetFont(FAxisTitleFont.get());
    FYTitleTextPage->SetFont(FAxisTitleFont.get());
    TCanvas* t = FYTitleTextPage->Canvas();
    t->Brush->SetStyle(bsClear);
    t->TextOut(0, 0, FYTitle);
    TCanvas* c = FYTitlePage->Canvas();
    c->Brush->SetStyle(bsClear);
    c->TextOut(c->TextHeight(FYTitle) / 2, (GetPlotHeight() - c->TextWidth(FYTitle)) / 2, FYTitle);
    UpdatePaintPage(FYTitlePage.get());
  }
  FRightMarginPage->Fill(back);
  UpdatePaintPage(FRightMarginPage.get());
}
