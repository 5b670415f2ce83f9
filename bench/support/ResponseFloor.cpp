#include "bench/support/ResponseFloor.h"

#include <cmath>
#include <numbers>

namespace bench {

// One copy per instruction set, picked at load time as any program built
// for this processor would be.
#define FLOOR_CLONES __attribute__((target_clones("arch=x86-64-v4", "arch=x86-64-v3", "default")))

FloorGrid::FloorGrid() : Cos1(ResponsePoints), Cos2(ResponsePoints) {
  for (int i = 0; i < ResponsePoints; ++i) {
    const double w = std::numbers::pi * GridFrequency(i) / (DesignSampleRate / 2.0);
    Cos1[static_cast<std::size_t>(i)] = std::cos(w);
    Cos2[static_cast<std::size_t>(i)] = std::cos(2.0 * w);
  }
}

namespace {
FLOOR_CLONES void MagnitudeLoop(const double* __restrict cos1, const double* __restrict cos2, double nb0,
                                double nb1, double nb2, double na0, double na1, double na2,
                                double* __restrict out) {
  for (int i = 0; i < ResponsePoints; ++i) {
    const double num = nb0 + nb1 * cos1[i] + nb2 * cos2[i];
    const double den = na0 + na1 * cos1[i] + na2 * cos2[i];
    out[i] = 10.0 * std::log10(num / den);
  }
}

FLOOR_CLONES void SumLoop(const double* const* curves, int count, double* __restrict out) {
  for (int i = 0; i < ResponsePoints; ++i) out[i] = 0.0;
  for (int k = 0; k < count; ++k) {
    const double* __restrict r = curves[k];
    for (int i = 0; i < ResponsePoints; ++i) out[i] += r[i];
  }
}
}  // namespace

void FloorMagnitudeDb(const FloorGrid& grid, const BiquadCoefficients& c, double* out) {
  MagnitudeLoop(grid.Cos1.data(), grid.Cos2.data(), c.b0 * c.b0 + c.b1 * c.b1 + c.b2 * c.b2,
                2 * (c.b0 * c.b1 + c.b1 * c.b2), 2 * c.b0 * c.b2, c.a0 * c.a0 + c.a1 * c.a1 + c.a2 * c.a2,
                2 * (c.a0 * c.a1 + c.a1 * c.a2), 2 * c.a0 * c.a2, out);
}

void FloorSum(const double* const* curves, int count, double* out) {
  SumLoop(curves, count, out);
}

}  // namespace bench
