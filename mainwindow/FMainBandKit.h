#pragma once
// Names and small rules shared by the band, cut-off and plot-drag editing of
// the strips. Strips are ChannelIndex values: 0..7 inputs, 8..15 outputs,
// 18 the effect bus.

#include <algorithm>
#include <string>

#include "model/CommonConstants.h"

namespace bandkit {

inline constexpr int EffStrip = 18;
// The selected row a band table reports while no band is selected.
inline constexpr int NoSelectedRow = 15;
// Shelf and cut band types keep their Q at or below 3.0 (index 35) and
// start at 0.71 (index 10).
inline constexpr int ShelfQIndexMax = 35;
inline constexpr int ShelfQIndexStart = 10;
// Plot slots of the cut-off totals, which are also their marker numbers.
inline constexpr int HighPassSlot = 10;
inline constexpr int LowPassSlot = 11;
// Band caption codes of the cut-off totals.
inline constexpr int HighPassCaption = 5;
inline constexpr int LowPassCaption = 6;

// The suffix of a strip's own controls ("InA", "Out8", "Eff"); empty for a
// number that names no strip, so every lookup with it fails.
inline std::string StripSuffix(int strip) {
  if (strip >= 0 && strip < 8) return "In" + std::string(1, static_cast<char>('A' + strip));
  if (strip >= 8 && strip < 16) return "Out" + std::to_string(strip - 7);
  if (strip == EffStrip) return "Eff";
  return "";
}

// The band panel serving a strip: one per side.
inline std::string BandPanelSuffix(int strip) {
  if (strip == EffStrip) return "Eff";
  return strip >= 8 ? "Out1" : "InA";
}

// The cut panel serving a strip: inputs and outputs only.
inline std::string CutPanelSuffix(int strip) {
  return strip >= 8 ? "Out1" : "InA";
}

inline std::string BandKeyName(int row, const std::string& stripSuffix) {
  return "rzbEq" + std::to_string(row + 1) + stripSuffix;
}

// Peak and the two allpass types take any Q; the others are limited.
inline bool TakesAnyQ(int type) {
  return type == 0 || type == 5 || type == 6;
}

// BandFilterType of a band as the plot draws it.
inline int FilterTypeOf(int type, bool bypass) {
  if (bypass) return BypassedFilterType;
  return PeqTypeToFilterType[static_cast<std::size_t>(std::clamp(type, 0, PeqTypeCount - 1))];
}

// Holds a flag set for a scope and clears it on every way out.
class FlagHold {
 public:
  explicit FlagHold(bool& flag) : FFlag(flag) { FFlag = true; }
  ~FlagHold() { FFlag = false; }
  FlagHold(const FlagHold&) = delete;
  FlagHold& operator=(const FlagHold&) = delete;

 private:
  bool& FFlag;
};

}  // namespace bandkit
