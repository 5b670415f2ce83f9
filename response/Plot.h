#pragma once
// The filter and response model behind one response plot: 27 band
// sections, each designed as a biquad at 96 kHz and evaluated on the
// 4096-point grid, the strip's total curve, and what it hands to its plot
// (curves, band markers, the selected band's caption and fill).
//
// Band slots: 0..9 PEQ bands (on the Gain-page plots, copies of strip
// totals), 10 high-pass total, 11 low-pass total, 12 the strip total,
// 13..17 crossover sections being computed, 18..25 overlay copies, 26 free.
// A slot outside 0..26 is ignored by every operation.

#include <array>
#include <memory>

#include "response/FilterResponse.h"

class LResponsePlotBase;

inline constexpr int PlotBandCount = 27;
inline constexpr int PlotTotalSlot = 12;
inline constexpr int PlotSummedSlots = 12;  // slots 0..11 make the total

// Curve colour of a channel strip's total: 0..15 from the strip table, the
// effect bus (18) its own colour, any other strip the table's entry of
// strip mod 16.
std::uint32_t StripCurveColor(int strip);
// Marker colour of a band slot (or table row): row r takes colour r mod 42.
std::uint32_t BandMarkerColor(int slot);
// The band table's row number colour: the marker colour, lightened where it
// would not read on the dark panel (band 6's blue).
std::uint32_t BandLabelColor(int slot);

class Plot {
 public:
  // The plot is not owned; null makes a model that draws nothing.
  explicit Plot(LResponsePlotBase* plot);
  Plot(const Plot&) = delete;
  Plot& operator=(const Plot&) = delete;

  int GetBandCount() const { return PlotBandCount; }
  // The band of a slot, read and written directly by the strip view (null
  // outside 0..26).
  PlotBand* GetBand(int slot);
  const PlotBand* GetBand(int slot) const;
  LResponsePlotBase* GetPlot() const { return FPlot; }

  void SetBand(int slot, double gain, double frequency, double q, int type);
  void SetCrossoverBand(int slot, double gain, double frequency, double q, int type, float p0, float p1);
  void ComputeResponse(int slot);
  // Fills the coefficient set; false, writing nothing, for a type outside 1..17.
  bool DesignBiquad(int slot);
  const BiquadCoefficients& GetCoefficients() const { return FCoefficients; }

  void DrawBand(int slot, float y, int kind);
  // Slots 0..11 into slot 12 (folded into -18..18 in the phase view), drawn
  // as curve 12.
  void DrawSum(int strip);
  void DrawBandCurve(int slot, std::uint32_t colour);
  void RemoveBandCurve(int id);
  // A negative slot counts as 0.
  void DrawBandParam(int code, int slot, float gain, float q, bool show);

  // Takes effect at each band's next ComputeResponse.
  void SetPhaseMode(bool phase);
  bool GetPhaseMode() const { return FViewFlag != 0; }

 private:
  std::uint8_t FViewFlag = 0;
  LResponsePlotBase* FPlot;
  std::array<std::unique_ptr<PlotBand>, PlotBandCount> FBands;
  BiquadCoefficients FCoefficients;
};
