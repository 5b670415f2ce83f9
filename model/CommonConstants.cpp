// The fixed-width texts are laid out in columns and lists by character
// count; a slip of one blank would shift a whole column, so the widths are
// checked where the tables are compiled.

#include "model/CommonConstants.h"

#include <algorithm>

namespace {

template <std::size_t N>
constexpr bool AllOfWidth(const std::array<std::string_view, N>& texts, std::size_t width) {
  return std::all_of(texts.begin(), texts.end(), [width](std::string_view t) { return t.size() == width; });
}

template <typename T, std::size_t N>
constexpr bool StrictlyIncreasing(const std::array<T, N>& values) {
  for (std::size_t i = 1; i < N; ++i)
    if (!(values[i - 1] < values[i])) return false;
  return true;
}

}  // namespace

static_assert(AllOfWidth(EqTypeNames, 12));
static_assert(AllOfWidth(CutSlopeNames, 11));
static_assert(AllOfWidth(DelayUnitTexts, 3));

// Scale lookups search these tables in order.
static_assert(StrictlyIncreasing(PeqQTable));
static_assert(StrictlyIncreasing(CompRatioValue));
static_assert(PeqQTable.front() == 0.4 && PeqQTable.back() == 128.0);

static_assert(CutSlopeComboItems.size() + 1 == CutSlopeNames.size());
static_assert(CutSlopeOrder.size() == CutSlopeNames.size());
