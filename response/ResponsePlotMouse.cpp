// Panning, zooming, the rubber band and the coordinate read-out of the
// response plots, for hosts that call them from their mouse handlers.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "response/PlotScales.h"
#include "response/ResponsePlotBase.h"

void LResponsePlotBase::DrawRubberBand() {
  TCanvas* c = GetCanvas();
  if (!c) return;
  c->Brush->SetStyle(bsClear);
  c->Pen->SetColor(clBlack);
  c->Pen->SetStyle(psDot);
  c->Pen->SetWidth(1);
  c->Pen->SetMode(pmNot);
  c->Rectangle(FRubberBand);
  c->Pen->SetMode(pmCopy);
  c->Pen->SetStyle(psSolid);
}

void LResponsePlotBase::MouseDown1(TMouseButton button, TShiftState shift, int x, int y) {
  MouseDown(button, shift, x, y);
  if (button == mbLeft) {
    if (shift == TShiftState{ssAlt, ssLeft} || shift == TShiftState{ssAlt, ssRight})
      FZooming = true;
    else if (shift == TShiftState{ssCtrl, ssLeft})
      FRubberBanding = true;
    else
      FPanning = true;
  }
  if (FRubberBanding && FMouseControl) {
    if (FRubberBandShown) DrawRubberBand();
    FRubberBand = TRect(x, y, x + 2, y + 2);
    FBandStartX = x;
    FBandStartY = y;
    DrawRubberBand();
    FRubberBandShown = true;
  }
  FLastMouseX = x;
  FLastMouseY = y;
}

void LResponsePlotBase::MouseMove1(TShiftState shift, int x, int y) {
  MouseMove(shift, x, y);
  const int dx = x - FLastMouseX, dy = y - FLastMouseY;
  FLastMouseX = x;
  FLastMouseY = y;
  const double W = GetPlotWidth(), H = GetPlotHeight();
  const double xs = W == 0 ? 0 : dx * (FXAxisFormat == Log ? FLogXMax - FLogXMin : FXMax - FXMin) / W;
  const double ys = H == 0 ? 0 : dy * (FYAxisFormat == Log ? FLogYMax - FLogYMin : FYMax - FYMin) / H;
  if (FMouseControl) {
    auto apply = [&](double x0, double x1, double y0, double y1) {
      SetXYMinMax(x0, x1, y0, y1);
      if (!FAutoRedraw) {
        DrawAllPlots();
        DrawXAxisLabels();
        DrawYAxisLabels();
      }
    };
    const bool logX = FXAxisFormat == Log, logY = FYAxisFormat == Log;
    if (FPanning) {
      const double px = std::pow(10.0, xs), py = std::pow(10.0, ys);
      apply(logX ? FXMin / px : FXMin - xs, logX ? FXMax / px : FXMax - xs, logY ? FYMin * py : FYMin + ys,
            logY ? FYMax * py : FYMax + ys);
    }
    if (FZooming) {
      const double px = std::pow(10.0, xs), py = std::pow(10.0, ys);
      apply(logX ? FXMin * px : FXMin + xs, logX ? FXMax / px : FXMax - xs, logY ? FYMin / py : FYMin - ys,
            logY ? FYMax * py : FYMax + ys);
    }
    if (FRubberBanding && FRubberBandShown) {
      DrawRubberBand();
      const int left = std::min(FBandStartX, x), top = std::min(FBandStartY, y);
      FRubberBand = TRect(left, top, left + std::abs(x - FBandStartX), top + std::abs(y - FBandStartY));
      DrawRubberBand();
    }
  }
  FMouseX = PlotX(x);
  FMouseY = PlotY(y);
  if (!FZooming && !FPanning) DrawMouseCoord();
}

void LResponsePlotBase::MouseUp1(TMouseButton button, TShiftState shift, int x, int y) {
  MouseUp(button, shift, x, y);
  FPanning = false;
  FZooming = false;
  if (FRubberBanding && FMouseControl && FRubberBandShown) {
    DrawRubberBand();
    FRubberBandShown = false;
    const TRect band = FRubberBand;
    SetXYMinMax(PlotX(band.Left), PlotX(band.Right), PlotY(band.Bottom), PlotY(band.Top));
  }
  FRubberBanding = false;
}

void LResponsePlotBase::DblClick1() {
  DblClick();
  if (FMouseControl) {
    FindYMaxMin();
    FindXMaxMin();
    DrawPlotsAndLabels();
  }
}

void LResponsePlotBase::DrawMouseCoord() {
  if (!FShowCoordinates || !GetVisible() || !PagesReady()) return;
  TPaintPage& page = *FCoordPage;
  page.SetFont(FMouseCoordFont.get());
  page.Fill(GetColor());
  TCanvas* c = page.Canvas();
  c->Brush->SetStyle(bsClear);
  c->TextOut(0, 0, "x = " + FormatPlotNumber(FMouseX, FXLabelFormat, FXLabelPrecision, FXLabelDigits));
  const std::string yText =
      "y = " + FormatPlotNumber(FMouseY, FYLabelFormat, FYLabelPrecision, FYLabelDigits);
  c->TextOut(0, c->TextHeight(yText) + 3, yText);
  UpdatePaintPage(&page);
}
