#include "response/Plot.h"

#include <utility>

#include "model/CommonConstants.h"
#include "response/ResponsePlotBase.h"

namespace {
// The effect bus's curve: a warm amber, apart from the sixteen strip colours.
constexpr std::uint32_t EffectBusCurveColor = 0x30A0FF;
constexpr int EffectBusStrip = 18;
// The selected band's caption.
constexpr TColor CaptionColor = 0x00FFFF;

PlotBand Evaluated(PlotBand band) {
  BiquadCoefficients c;
  if (DesignBiquad(band, c)) EvaluateResponse(band, c);
  return band;
}

// Every slot starts as this band; the slots share its curve until set.
const PlotBand& StartBand() {
  static const PlotBand band = [] {
    PlotBand b;
    b.Gain = 0.0;
    b.Frequency = 1000.0;
    b.Q = 0.4;
    b.FilterType = ftHighShelf;
    return Evaluated(b);
  }();
  return band;
}

// A unity section's curve depends on nothing but the view; every cut
// section reset to unity shares it.
const ResponseCurve& UnityCurve(std::uint8_t phaseMode) {
  static const std::array<ResponseCurve, 2> curves = [] {
    std::array<ResponseCurve, 2> made;
    for (std::uint8_t mode : {0, 1}) {
      PlotBand b;
      b.FilterType = ftUnity;
      b.PhaseMode = mode;
      made[mode] = Evaluated(b).Response;
    }
    return made;
  }();
  return curves[phaseMode ? 1 : 0];
}
}  // namespace

std::uint32_t StripCurveColor(int strip) {
  if (strip == EffectBusStrip) return EffectBusCurveColor;
  const int n = static_cast<int>(StripCurveColors.size());
  return StripCurveColors[static_cast<std::size_t>(((strip % n) + n) % n)];
}

std::uint32_t BandMarkerColor(int slot) {
  const int n = static_cast<int>(BandMarkerColors.size());
  return BandMarkerColors[static_cast<std::size_t>(((slot % n) + n) % n)];
}

std::uint32_t BandLabelColor(int slot) {
  // Lifted toward white just enough to read on the dark panel; the hue stays.
  constexpr int MinLuma = 110;
  const std::uint32_t c = BandMarkerColor(slot);
  const int r = static_cast<int>(c & 0xFF), g = static_cast<int>((c >> 8) & 0xFF),
            b = static_cast<int>((c >> 16) & 0xFF);
  const int luma = (r * 299 + g * 587 + b * 114) / 1000;
  if (luma >= MinLuma) return c;
  auto lift = [&](int v) { return v + ((255 - v) * (MinLuma - luma) + (255 - luma) - 1) / (255 - luma); };
  return static_cast<std::uint32_t>(lift(r)) | static_cast<std::uint32_t>(lift(g)) << 8 |
         static_cast<std::uint32_t>(lift(b)) << 16;
}

Plot::Plot(LResponsePlotBase* plot) : FPlot(plot) {
  for (auto& band : FBands) band = std::make_unique<PlotBand>(StartBand());
  ::DesignBiquad(StartBand(), FCoefficients);
}

PlotBand* Plot::GetBand(int slot) {
  return slot >= 0 && slot < PlotBandCount ? FBands[static_cast<std::size_t>(slot)].get() : nullptr;
}

const PlotBand* Plot::GetBand(int slot) const {
  return slot >= 0 && slot < PlotBandCount ? FBands[static_cast<std::size_t>(slot)].get() : nullptr;
}

void Plot::SetBand(int slot, double gain, double frequency, double q, int type) {
  PlotBand* b = GetBand(slot);
  if (!b) return;
  b->Gain = gain;
  b->Frequency = frequency;
  b->Q = q;
  b->FilterType = type;
  ComputeResponse(slot);
}

void Plot::SetCrossoverBand(int slot, double gain, double frequency, double q, int type, float p0, float p1) {
  PlotBand* b = GetBand(slot);
  if (!b) return;
  b->P0 = p0;
  b->P1 = p1;
  SetBand(slot, gain, frequency, q, type);
}

bool Plot::DesignBiquad(int slot) {
  const PlotBand* b = GetBand(slot);
  return b && ::DesignBiquad(*b, FCoefficients);
}

void Plot::ComputeResponse(int slot) {
  PlotBand* b = GetBand(slot);
  if (!b) return;
  // A type outside 1..17 designs nothing: the band keeps its last response.
  if (!DesignBiquad(slot)) return;
  if (b->FilterType == ftUnity)
    b->Response = UnityCurve(b->PhaseMode);
  else
    EvaluateResponse(*b, FCoefficients);
}

void Plot::DrawBand(int slot, float y, int kind) {
  const PlotBand* b = GetBand(slot);
  if (!b || !FPlot) return;
  FPlot->DrawBlock(y, FrequencyToGridX(b->Frequency), static_cast<TColor>(BandMarkerColor(slot)), slot, false,
                   kind);
  FPlot->SetBlockParameter(slot, b->Frequency, b->Gain, b->Q, b->FilterType);
}

void Plot::DrawSum(int strip) {
  // Curve by curve, in slot order: the same sums as point by point, with
  // every pass a straight run over the arrays.
  auto& total = FBands[PlotTotalSlot]->Response;
  total.fill(0.0);
  double* t = total.data();
  for (int slot = 0; slot < PlotSummedSlots; ++slot) {
    const double* r = std::as_const(FBands[static_cast<std::size_t>(slot)]->Response).data();
    for (std::size_t i = 0; i < ResponsePoints; ++i) t[i] += r[i];
  }
  if (FViewFlag)
    for (std::size_t i = 0; i < ResponsePoints; ++i) t[i] = WrapPhaseTotal(t[i]);
  if (FPlot) FPlot->FFTDraw(t, ResponsePoints, PlotTotalSlot, static_cast<TColor>(StripCurveColor(strip)), 0);
}

void Plot::DrawBandCurve(int slot, std::uint32_t colour) {
  const PlotBand* b = GetBand(slot);
  if (!b || !FPlot) return;
  FPlot->FFTDraw(b->Response.data(), ResponsePoints, slot, static_cast<TColor>(colour), 0);
}

void Plot::RemoveBandCurve(int id) {
  if (FPlot) FPlot->RemovePlot(id);
}

void Plot::DrawBandParam(int code, int slot, float gain, float q, bool show) {
  if (slot < 0) slot = 0;
  const PlotBand* b = GetBand(slot);
  if (!b || !FPlot) return;
  if (show) {
    FPlot->DrawParam(code, gain, FrequencyToGridX(b->Frequency), static_cast<float>(b->Frequency), q,
                     CaptionColor);
    FPlot->DrawCurveFill(code, b->Response.data(), ResponsePoints);
  }
  FPlot->SetCurveDisplay(show);
}

void Plot::SetPhaseMode(bool phase) {
  FViewFlag = phase ? 1 : 0;
  for (auto& b : FBands) b->PhaseMode = FViewFlag;
}
