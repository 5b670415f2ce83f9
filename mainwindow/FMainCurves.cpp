// The strips' response curves: PEQ sums, cut filters and the band selection.

#include <algorithm>
#include <string>

#include "mainwindow/FMain.h"
#include "model/CommonConstants.h"
#include "model/LUnitControl.h"
#include "model/ValueScales.h"
#include "platform/classlib/RzControls.h"
#include "response/LMyFFTDrawPhase.h"
#include "response/MyPEQAllpass.h"
#include "response/Plot.h"

namespace {

// Cut sections are all written at this Q; it only names the marker's value.
constexpr double CutQ = 0.05;
constexpr int CutSectionCount = 5;
constexpr int CutSectionOffset = 3;  // sections follow the two totals and the sum
constexpr int MarkerPeq = 1;
constexpr int MarkerLowPass = 2;
constexpr int MarkerHighPass = 3;

// One crossover section to write: unity, first order or second order.
struct CutSection {
  int Order = 0;  // 0 unity, 1 first order, 2 second order
  bool Bessel = false;
  float P0 = 0.0f;
  float P1 = 0.0f;
};

int SectionType(const CutSection& s, bool isHighPass) {
  if (s.Order == 0) return ftUnity;
  if (s.Order == 1) return isHighPass ? ftCutHighPass1 : ftCutLowPass1;
  if (s.Bessel) return isHighPass ? ftCutHighPass2P1 : ftCutLowPass2P1;
  return isHighPass ? ftCutHighPass2 : ftCutLowPass2;
}

// The sections of a section code 2..20 (Butterworth, Bessel, Linkwitz-Riley).
std::array<CutSection, CutSectionCount> SectionsOf(int code) {
  std::array<CutSection, CutSectionCount> s{};
  if (code >= CutSectionButterworthFirst && code < CutSectionBesselFirst) {
    const ButterworthOrder& o = ButterworthSectionTable[static_cast<std::size_t>(code - 1)];
    if (o.FirstOrder == 1.0f) s[0] = {1, false, 1.0f, 0.0f};
    for (std::size_t k = 0; k < 4; ++k)
      if (o.SecondOrderP0[k] != 0.0f) s[k + 1] = {2, false, o.SecondOrderP0[k], 0.0f};
  } else if (code >= CutSectionBesselFirst && code < CutSectionLinkwitzFirst) {
    const BesselOrder& o = BesselSectionTable[static_cast<std::size_t>(code - CutSectionBesselFirst)];
    if (o.FirstOrder != 0.0f) s[0] = {1, false, o.FirstOrder, 0.0f};
    for (std::size_t k = 0; k < 4; ++k)
      if (o.SecondOrder[k].P0 != 0.0f) s[k + 1] = {2, true, o.SecondOrder[k].P0, o.SecondOrder[k].P1};
  } else {
    // Linkwitz-Riley: two identical Butterworth halves in cascade.
    const CutSection first{1, false, 1.0f, 0.0f};
    const auto second = [](float p0) { return CutSection{2, false, p0, 0.0f}; };
    switch (code) {
      case CutSectionLinkwitzFirst:
        s[0] = s[1] = first;
        break;
      case CutSectionLinkwitzFirst + 1:
        s[0] = s[1] = second(1.4142f);
        break;
      case CutSectionLinkwitzFirst + 2:
        s[0] = s[1] = first;
        s[2] = s[3] = second(1.0f);
        break;
      default:
        s[0] = s[1] = second(1.8478f);
        s[2] = s[3] = second(0.7654f);
        break;
    }
  }
  return s;
}

}  // namespace

std::string TfmMain::StripSuffix(int strip) {
  if (strip >= 0 && strip < 8) return "In" + std::string(1, static_cast<char>('A' + strip));
  if (strip >= 8 && strip < 16) return "Out" + std::to_string(strip - 7);
  return "Eff";
}

Plot* TfmMain::StripPlot(int strip) const {
  return strip >= 0 && strip < PlotCount ? Plots[static_cast<std::size_t>(strip)].get() : nullptr;
}

void TfmMain::BuildCutCurve(bool isHighPass, int slope, double frequency, int baseSlot, int strip) {
  Plot* plot = StripPlot(strip);
  if (!plot) return;
  const int first = baseSlot + CutSectionOffset;
  const int total = isHighPass ? baseSlot : baseSlot + 1;
  for (int k = 0; k < CutSectionCount; ++k) plot->SetCrossoverBand(first + k, 0, 1000.0, 0, ftUnity, 0, 0);
  // Slopes outside the list draw as bypassed.
  const int code = CutSlopeOrder[static_cast<std::size_t>(std::clamp(slope, 0, CutSlopeMax))];
  if (code == CutSectionBypass) {
    plot->SetCrossoverBand(total, 0, frequency, CutQ, ftUnity, 0, 0);
  } else if (code == CutSectionButterworthFirst) {
    plot->SetCrossoverBand(total, 0, frequency, CutQ, SectionType({1}, isHighPass), 1.0f, 0);
  } else {
    const auto sections = SectionsOf(code);
    CutSection last{};
    for (int k = 0; k < CutSectionCount; ++k) {
      const CutSection& s = sections[static_cast<std::size_t>(k)];
      // Linkwitz-Riley of 12 and 24 dB keeps the last place as reset.
      const bool keepReset = k == 4 && code >= CutSectionLinkwitzFirst && code <= CutSectionLinkwitzFirst + 1;
      if (keepReset) continue;
      const double f = s.Order == 0 ? 1000.0 : frequency;
      plot->SetCrossoverBand(first + k, 0, f, CutQ, SectionType(s, isHighPass), s.P0, s.P1);
      if (s.Order != 0) last = s;
    }
    plot->SetCrossoverBand(total, 0, frequency, CutQ, SectionType(last, isHighPass), last.P0, last.P1);
    double* t = plot->GetBand(total)->Response.data();
    const Plot& model = *plot;
    for (std::size_t i = 0; i < ResponsePoints; ++i) {
      double sum = 0;
      for (int k = 0; k < CutSectionCount; ++k) sum += model.GetBand(first + k)->Response[i];
      t[i] = sum;
    }
  }
  plot->DrawBand(total, 0.0f, isHighPass ? MarkerHighPass : MarkerLowPass);
}

void TfmMain::DrawCutCurve(TObject* plotControl, bool isHighPass) {
  auto* draw = dynamic_cast<LMyFFTDrawPhase*>(plotControl);
  if (!draw || !UnitControl) return;
  const int strip = static_cast<int>(draw->GetTag());
  Plot* plot = StripPlot(strip);
  if (!plot) return;
  const PassFilters pass = UnitControl->GetPassFilters(strip);
  const int index = std::clamp<int>(isHighPass ? pass.HpFreq : pass.LpFreq, FreqIndexMin, FreqIndexMax);
  const float hz = static_cast<float>(IndexToFreq(index));
  BuildCutCurve(isHighPass, isHighPass ? pass.HpSlope : pass.LpSlope, hz, 10, strip);
  plot->DrawSum(strip);
}

void TfmMain::DrawHighPassCurve(TObject* plotControl) {
  DrawCutCurve(plotControl, true);
}

void TfmMain::DrawLowPassCurve(TObject* plotControl) {
  DrawCutCurve(plotControl, false);
}

void TfmMain::DrawStripPeqCurve(TObject* plotControl) {
  auto* draw = dynamic_cast<LMyFFTDrawPhase*>(plotControl);
  if (!draw) return;
  const int strip = static_cast<int>(draw->GetTag());
  auto* table = FindAs<TMyPEQAllpass>("peqPeq" + StripSuffix(strip));
  Plot* plot = StripPlot(strip);
  if (!table || !plot) return;
  for (int r = 0; r < table->GetChannelNumber(); ++r) {
    const double hz = table->GetFreqValue(r);
    const double gain = table->GetGainValue(r);
    const double q = table->GetQValue(r);
    const int type = std::clamp(table->GetTypeValue(r), 0, PeqTypeCount - 1);
    if (table->GetBypassValue(r))
      plot->SetBand(r, 0, hz, q, BypassedFilterType);
    else
      plot->SetBand(r, gain, hz, q, PeqTypeToFilterType[static_cast<std::size_t>(type)]);
    plot->DrawBand(r, static_cast<float>(gain), MarkerPeq);
  }
  plot->DrawSum(strip);
}

void TfmMain::SelectFirstPeqBands() {
  if (!UnitControl) return;
  for (int strip : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, PlotEff}) {
    const PeqBandRecord band = UnitControl->GetPeqBand(strip, 0);
    const int type = std::clamp<int>(band.Type, 0, PeqTypeCount - 1);
    auto* table = FindAs<TMyPEQAllpass>("peqPeq" + StripSuffix(strip));
    auto* button = FindAs<TRzBmpButton>("rzbEq1" + StripSuffix(strip));
    if (!table || !button) return;
    // The caption reads the band as its table shows it, as after every edit.
    const float gain = static_cast<float>(table->GetGainValue(0));
    const float q = static_cast<float>(table->GetQValue(0));
    button->SetDown(true);
    table->SetNowIndex(0);
    Plot* plot = StripPlot(strip);
    if (!plot) continue;
    plot->DrawBand(0, gain, MarkerPeq);
    plot->DrawBandParam(type, 0, gain, q, true);
    plot->DrawSum(strip);
    if (plot->GetPlot()) plot->GetPlot()->UpdateCurvePage();
  }
}

void TfmMain::DeselectPeqBands() {
  for (int strip = 0; strip < 16; ++strip) {
    auto* table = FindAs<TMyPEQAllpass>("peqPeq" + StripSuffix(strip));
    if (!table) return;
    int row = table->GetNowIndex();
    if (row == NoSelectedBand || row < 0 || row >= table->GetChannelNumber()) row = 0;
    auto* button = FindAs<TRzBmpButton>("rzbEq" + std::to_string(row + 1) + StripSuffix(strip));
    if (!button) return;
    button->SetDown(false);
    table->SetNowIndex(NoSelectedBand);
    table->SetNowIndex(-1);
    Plot* plot = StripPlot(strip);
    if (!plot) continue;
    plot->DrawBandParam(0, 0, 0, 0, false);
    plot->DrawSum(strip);
    if (plot->GetPlot()) plot->GetPlot()->UpdateCurvePage();
  }
}
