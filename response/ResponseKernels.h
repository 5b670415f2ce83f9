#pragma once
// The per-point arithmetic of the response curves, vectorised for the
// processor the program runs on (chosen once at run time). Each kernel does
// per point what the plain formula does, in the same order; log10 and atan
// come from a vectorised maths library (within 2 and 3 units in the last
// place), and a point whose ratio lies outside their range takes the
// standard library's value.

#include "response/FilterResponse.h"

// The grid laid out as arrays of ResponsePoints values each.
struct ResponseGridArrays {
  const double* Hz;
  const double* Cos1;  // cos(-w)
  const double* Sin1;  // sin(-w)
  const double* Cos2;  // cos(-2w)
  const double* Sin2;  // sin(-2w)
};

// out[i] = 10 log10(|B|^2 / |A|^2), NaN as 0 and kept within +-limit.
void MagnitudeDbKernel(const ResponseGridArrays& grid, const BiquadCoefficients& c, double limit,
                       double* out);

// out[i] = -atan((Im A Re B - Re A Im B) / (Re A Re B + Im A Im B)) * scale,
// NaN as 0.
void PhaseKernel(const ResponseGridArrays& grid, const BiquadCoefficients& c, double scale, double* out);
