// Grabbing band and cut-off markers on the response plots: the press picks
// a marker, each move edits the band or cut-off (model and device follow at
// once), and the curve follows the last move through a 1 ms timer.

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "controls/CurvyControls.h"
#include "mainwindow/FMain.h"
#include "mainwindow/FMainBandKit.h"
#include "mainwindow/FMainStripKit.h"
#include "model/ValueScales.h"
#include "platform/classlib/ExtCtrls.h"
#include "platform/classlib/RzControls.h"
#include "platform/classlib/StdCtrls.h"
#include "response/LMyFFTDrawPhase.h"
#include "response/MyPEQAllpass.h"
#include "response/Plot.h"

using namespace bandkit;

namespace {

// The plot area of a plot control: its origin within the control (the
// control lays it out from its fonts), size and axis ranges.
struct PlotArea {
  int Left = 0, Top = 0, Width = 0, Height = 0;
  double XMin = 0, XMax = 0, YMin = 0, YMax = 0;
  bool Usable() const { return Width > 0 && Height > 0 && XMax != XMin && YMax != YMin; }
};

PlotArea AreaOf(const LResponsePlotBase& plot) {
  PlotArea a;
  if (const TPaintPage* page = plot.GetPlotPage()) {
    a.Left = page->ScreenRect.Left;
    a.Top = page->ScreenRect.Top;
  }
  a.Width = plot.GetPlotWidth();
  a.Height = plot.GetPlotHeight();
  a.XMin = plot.GetXMin();
  a.XMax = plot.GetXMax();
  a.YMin = plot.GetYMin();
  a.YMax = plot.GetYMax();
  return a;
}

// The hover test runs on a scale of its own at the screen's 96 dots per
// inch, which narrows it to about 3 pixels; the press takes 4.
constexpr double HoverScale = 1.5;
constexpr int MarkerReach = 5;
constexpr int GainReachDb = 2;
// Dragged bands stay within the gains the table takes.
constexpr double DragGainLimitDb = 12.0;
// Frequencies beyond the grid's ends take the ends the panel shows.
constexpr double LowestHz = 19.7;
constexpr double HighestHz = 20160.0;

// Whether a pointer at (x, y) is on a marker at markerX whose band gain is
// gain; the gain is compared in whole dB, as the axis reads under the pointer.
bool OnMarker(const PlotArea& a, int markerX, double gain, int x, int y, double scale) {
  const double g = -gain;  // the axis runs downward on the screen
  double value = std::trunc((y - a.Top) / static_cast<double>(a.Height) * (a.YMax - a.YMin)) + a.YMin;
  if (g > 0) value += 1;
  const double d = std::trunc(std::abs(value - g));
  const auto scaled = [scale](double v) { return static_cast<long long>(std::trunc(v * scale)); };
  return std::llabs(scaled(x - a.Left) - scaled(markerX)) < MarkerReach && d < GainReachDb;
}

}  // namespace

// The markers a plot offers, in the order they are tried: the cut-offs
// first, then the bands from the last. The Gain page's plots and markers
// never drawn offer nothing.
static std::vector<int> HandlesOf(const LResponsePlotBase& plot, const Plot* model, int strip, int bands) {
  std::vector<int> handles;
  if (!model || model->GetPlot() != &plot) return handles;
  if (strip < 16) handles = {LowPassSlot, HighPassSlot};
  for (int b = std::min(bands, HighPassSlot) - 1; b >= 0; --b) handles.push_back(b);
  return handles;
}

void TfmMain::fftDrawInAMouseDown(TObject* Sender, TMouseButton Button, TShiftState /*Shift*/, int X, int Y) {
  DragHandle = -1;
  auto* plot = dynamic_cast<LMyFFTDrawPhase*>(Sender);
  if (!plot) return;
  const int strip = static_cast<int>(plot->GetTag());
  const std::string suffix = StripSuffix(strip);
  auto* table = FindAs<TMyPEQAllpass>("peqPeq" + suffix);
  if (!table || Button != mbLeft || strip < 0 || strip >= PlotCount) return;
  const PlotArea area = AreaOf(*plot);
  if (!area.Usable()) return;
  const Plot* model = Plots[static_cast<std::size_t>(strip)].get();
  for (int handle : HandlesOf(*plot, model, strip, table->GetChannelNumber())) {
    const double gain = handle < HighPassSlot ? table->GetGainValue(handle) : 0.0;
    if (!OnMarker(area, plot->GetBlockPos(handle).X, gain, X, Y, 1.0)) continue;
    DragHandle = handle;
    // A cut-off has no band key: the press ends with it held.
    auto* key = FindAs<TRzBmpButton>(BandKeyName(handle, suffix));
    if (!key) return;
    // Every band hit is selected in turn; the lowest one stays.
    key->SetDown(true);
    key->Click();
  }
}

void TfmMain::fftDrawInAMouseMove(TObject* Sender, TShiftState /*Shift*/, int X, int Y) {
  if (X == LastPlotMouseX && Y == LastPlotMouseY) return;
  LastPlotMouseX = X;
  LastPlotMouseY = Y;
  auto* plot = dynamic_cast<LMyFFTDrawPhase*>(Sender);
  if (!plot) return;
  const int strip = static_cast<int>(plot->GetTag());
  auto* table = FindAs<TMyPEQAllpass>("peqPeq" + StripSuffix(strip));
  if (!table || strip < 0 || strip >= PlotCount) return;
  const PlotArea area = AreaOf(*plot);
  if (!area.Usable()) return;

  if (DragHandle == -1) {
    TCursor cursor = crDefault;
    const Plot* model = Plots[static_cast<std::size_t>(strip)].get();
    for (int handle : HandlesOf(*plot, model, strip, table->GetChannelNumber())) {
      const double gain = handle < HighPassSlot ? table->GetGainValue(handle) : 0.0;
      if (OnMarker(area, plot->GetBlockPos(handle).X, gain, X, Y, HoverScale)) {
        cursor = crCross;
        break;
      }
    }
    plot->SetCursor(cursor);
    return;
  }

  // Gain under the pointer in 0.1 dB steps toward 0, within the table's range.
  const double value =
      std::clamp((Y - area.Top) / static_cast<double>(area.Height) * (area.YMax - area.YMin) + area.YMin,
                 -DragGainLimitDb, DragGainLimitDb);
  const int gainTenths = static_cast<int>(std::trunc(-value * 10));
  // Frequency under the pointer, on the FreqIndex grid.
  const double x =
      std::clamp(area.XMin + (X - area.Left) / static_cast<double>(area.Width) * (area.XMax - area.XMin), 0.0,
                 static_cast<double>(ResponsePoints));
  const double hz = std::pow(10.0, x * std::log10(GridTopHz) / ResponsePoints);
  double frequency = IndexToFreq(std::clamp(FreqToIndex(hz), FreqIndexMin - 1, FreqIndexMax + 1));
  if (frequency < 19.6)
    frequency = LowestHz;
  else if (frequency > HighestHz)
    frequency = HighestHz;

  if (DragHandle < HighPassSlot)
    DragBand(strip, DragHandle, frequency, gainTenths);
  else
    DragCutOff(strip, DragHandle == HighPassSlot, frequency);
}

void TfmMain::DragBand(int strip, int band, double frequency, int gainTenths) {
  const std::string suffix = StripSuffix(strip);
  auto* table = FindAs<TMyPEQAllpass>("peqPeq" + suffix);
  auto* key = FindAs<TRzBmpButton>(BandKeyName(band, suffix));
  if (!table || !key || !FindAs<TLabel>("lbFftParam" + suffix)) return;
  const double gain = IndexToPeqGain(PeqGainIndexZero + gainTenths);
  // The drag keeps Q and type; the table's change events stay quiet meanwhile.
  const double q = table->GetQValue(band);
  const int type = table->GetTypeValue(band);
  table->SetFreqValue(band, frequency);
  table->SetGainValue(band, gain);
  key->SetDown(true);
  TTimer* timer = FindTimer("tmMouseEqCurve");
  if (timer && timer->GetEnabled() && (PendingDragEdit.Band != band || PendingDragEdit.Channel != strip))
    tmMouseEqCurveTimer(timer);
  PendingBandEditRecord& edit = PendingDragEdit;
  edit.Channel = strip;
  edit.FreqHz = static_cast<float>(frequency);
  edit.GainDb = gain;
  edit.Q = static_cast<float>(q);
  edit.TypeIndex = type;
  edit.Band = band;
  edit.Bypass = table->GetBypassValue(band) ? 1 : 0;
  StartTimer("tmMouseEqCurve");
  table->SetNowIndex(band);
  StoreBand(strip, band);
}

void TfmMain::fftDrawInAMouseUp(TObject* Sender, TMouseButton /*Button*/, TShiftState /*Shift*/, int /*X*/,
                                int /*Y*/) {
  if (auto* plot = dynamic_cast<TControl*>(Sender)) {
    const std::string suffix = CutPanelSuffix(static_cast<int>(plot->GetTag()));
    for (const char* role : {"cvdLowCutFreq", "cvdHighCutFreq"})
      if (auto* box = FindAs<TCurvyEdit>(role + suffix)) box->GetFont()->SetColor(strip::TextColor);
  }
  DragHandle = -1;
}

// The last drag move of a burst: the band panel, the band's curve and the sum.
void TfmMain::tmMouseEqCurveTimer(TObject* /*Sender*/) {
  StartTimer("tmMouseEqCurve", false);
  const PendingBandEditRecord edit = PendingDragEdit;
  if (edit.Channel < 0 || edit.Channel >= PlotCount) return;
  Plot* plot = Plots[static_cast<std::size_t>(edit.Channel)].get();
  if (!plot) return;
  ShowBandPanel(edit.Channel, true, edit.FreqHz, edit.GainDb, edit.Q);
  FocusBandFreqBox(edit.Channel);
  const int type = std::clamp(edit.TypeIndex, 0, PeqTypeCount - 1);
  const bool bypass = edit.Bypass != 0;
  plot->SetBand(edit.Band, bypass ? 0.0 : edit.GainDb, edit.FreqHz, edit.Q, FilterTypeOf(type, bypass));
  plot->DrawBand(edit.Band, static_cast<float>(edit.GainDb), 1);
  plot->DrawBandParam(type, edit.Band, static_cast<float>(edit.GainDb), edit.Q, true);
  plot->DrawSum(edit.Channel);
  auto* label = FindAs<TLabel>("lbFftParam" + StripSuffix(edit.Channel));
  if (!label) return;
  label->SetVisible(true);
  if (plot->GetPlot()) plot->GetPlot()->UpdateCurvePage();
}

void TfmMain::BindPlotDragHandlers() {
  std::vector<std::string> names = {"fftDrawGainIn", "fftDrawGainOut"};
  for (int strip : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, EffStrip})
    names.push_back("fftDraw" + StripSuffix(strip));
  for (const std::string& name : names) {
    auto* plot = FindAs<TControl>(name);
    if (!plot) continue;
    plot->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
      fftDrawInAMouseDown(s, b, sh, x, y);
    };
    plot->OnMouseMove = [this](TObject* s, TShiftState sh, int x, int y) {
      fftDrawInAMouseMove(s, sh, x, y);
    };
    plot->OnMouseUp = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
      fftDrawInAMouseUp(s, b, sh, x, y);
    };
  }
}
