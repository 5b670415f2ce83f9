#pragma once
// The floor of the response curves: the same biquads' magnitude over the
// same grid, as little as the computation can be. The grid is laid out as
// arrays of cos w and cos 2w; |B|^2 and |A|^2 come straight from them
// (|b0 + b1 z + b2 z^2|^2 = b0^2 + b1^2 + b2^2 + 2 (b0 b1 + b1 b2) cos w
// + 2 b0 b2 cos 2w), and 10 log10 of their ratio, in plain loops that the
// compiler vectorises for the processor it runs on.

#include <vector>

#include "response/FilterResponse.h"

namespace bench {

struct FloorGrid {
  std::vector<double> Cos1, Cos2;
  FloorGrid();
};

// out[i] = 10 log10(|B|^2 / |A|^2) at the grid's points.
void FloorMagnitudeDb(const FloorGrid& grid, const BiquadCoefficients& c, double* out);
// out[i] = the sum of the curves at point i.
void FloorSum(const double* const* curves, int count, double* out);

}  // namespace bench
