#pragma once
// A response plot set up as the main window's strips have it.

#include "response/LMyFFTDrawPhase.h"
#include "tests/response/ResponseTestSupport.h"

namespace response_test {

template <typename PlotClass = LMyFFTDrawPhase>
PlotClass* MakeStripPlot(TForm* form, int width = 1070, int height = 255) {
  auto* p = new PlotClass(form);
  p->SetAutoRedraw(false);
  p->SetParent(form);
  p->SetBounds(8, 8, width, height);
  p->SetAxisColor(0x8C00);
  p->SetYAutoScale(false);
  p->SetXAutoScale(false);
  p->SetYLabelScale(1.0);
  p->SetYMax(18.0);
  p->SetYMin(-18.0);
  p->SetXMax(3840.0);
  p->SetXMin(966.0);
  p->SetYLabelPrecision(5);
  p->SetVertTickLength(0);
  p->SetHorzTickLength(0);
  p->SetNumVertGrid(10);
  p->SetNumHorzGrid(11);
  p->SetGridColor(0x4800);
  p->SetFFTNuimber(n4096);
  p->SetSampleRate(n96000);
  TFont f;
  f.SetName("Tahoma");
  f.SetHeight(-11);
  f.SetColor(clLime);
  p->SetPlotTitleFont(&f);
  p->SetAxisTitleFont(&f);
  p->SetMouseCoordFont(&f);
  f.SetColor(clActiveBorder);
  p->SetAxisLabelFont(&f);
  p->SetAutoRedraw(true);
  return p;
}

}  // namespace response_test
