#include "response/FilterResponse.h"

#include "response/ResponseKernels.h"

#include <cmath>
#include <numbers>

namespace {

// The grid's frequencies and the unit-circle terms e^(-jw), e^(-j2w) of each
// point, worked out once and kept as arrays: a band change then costs only
// arithmetic, in as many points at once as the processor takes.
struct GridArrays {
  alignas(64) std::array<double, ResponsePoints> Hz, Cos1, Sin1, Cos2, Sin2;
};

const ResponseGridArrays& Grid() {
  static const GridArrays arrays = [] {
    GridArrays g{};
    const double top = std::log10(GridTopHz);
    for (std::size_t i = 0; i < ResponsePoints; ++i) {
      const double hz = std::pow(10.0, top * static_cast<double>(i) / ResponsePoints);
      const double w = std::numbers::pi * hz / (DesignSampleRate / 2.0);
      g.Hz[i] = hz;
      g.Cos1[i] = std::cos(-w);
      g.Sin1[i] = std::sin(-w);
      g.Cos2[i] = std::cos(-2.0 * w);
      g.Sin2[i] = std::sin(-2.0 * w);
    }
    return g;
  }();
  static const ResponseGridArrays view{arrays.Hz.data(), arrays.Cos1.data(), arrays.Sin1.data(),
                                       arrays.Cos2.data(), arrays.Sin2.data()};
  return view;
}

// Log of a zero or a pole on the unit circle is kept finite, so that sums
// and pixel conversions stay defined.
constexpr double MagnitudeLimitDb = 1000.0;

}  // namespace

double GridFrequency(int i) {
  return Grid().Hz[static_cast<std::size_t>(i)];
}

double FrequencyToGridX(double hz) {
  return ResponsePoints * std::log10(hz) / std::log10(GridTopHz);
}

bool DesignBiquad(const PlotBand& band, BiquadCoefficients& out) {
  const double K = std::tan(std::numbers::pi * band.Frequency / DesignSampleRate);
  const double K2 = K * K;
  const double g = band.Gain;
  const double V = g >= 0 ? std::pow(10.0, g * 0.05) : std::pow(10.0, -g * 0.05);
  const double Q = band.Q;
  const double P0 = band.P0;
  const double P1 = band.P1;
  double D = 1.0;
  BiquadCoefficients c;

  switch (band.FilterType) {
    case ftPeak:
      if (g >= 0) {
        D = 1 + K / Q + K2;
        c = {1 + V * K / Q + K2, 2 * (K2 - 1), 1 - V * K / Q + K2, 1, 2 * (K2 - 1), 1 - K / Q + K2};
      } else {
        D = 1 + V * K / Q + K2;
        c = {1 + K / Q + K2, 2 * (K2 - 1), 1 - K / Q + K2, 1, 2 * (K2 - 1), 1 - V * K / Q + K2};
      }
      break;
    case ftLowShelf: {
      const double sV = std::sqrt(V);
      if (g >= 0) {
        D = 1 + K / Q + K2;
        c = {1 + sV * K / Q + V * K2, 2 * (V * K2 - 1), 1 - sV * K / Q + V * K2, 1, 2 * (K2 - 1),
             1 - K / Q + K2};
      } else {
        D = 1 + sV * K / Q + V * K2;
        c = {1 + K / Q + K2, 2 * (K2 - 1), 1 - K / Q + K2, 1, 2 * (V * K2 - 1), 1 - sV * K / Q + V * K2};
      }
      break;
    }
    case ftHighShelf: {
      const double sV = std::sqrt(V);
      if (g >= 0) {
        D = 1 + K / Q + K2;
        c = {V + sV * K / Q + K2, 2 * (K2 - V), V - sV * K / Q + K2, 1, 2 * (K2 - 1), 1 - K / Q + K2};
      } else {
        // Numerator and denominator have normalisers of their own.
        const double D1 = V + sV * K / Q + K2;
        const double siV = std::sqrt(1.0 / V);
        const double D2 = 1 + siV * K / Q + K2 / V;
        out = {(1 + K / Q + K2) / D1, 2 * (K2 - 1) / D1,
               (1 - K / Q + K2) / D1, 1.0,
               2 * (K2 / V - 1) / D2, (1 - siV * K / Q + K2 / V) / D2};
        return true;
      }
      break;
    }
    case ftHighPass2:
      D = 1 + K / Q + K2;
      c = {1, -2, 1, 1, 2 * (K2 - 1), 1 - K / Q + K2};
      break;
    case ftLowPass2:
      D = 1 + K / Q + K2;
      c = {K2, 2 * K2, K2, 1, 2 * (K2 - 1), 1 - K / Q + K2};
      break;
    case ftBandPass:
      D = Q + K + Q * K2;
      c = {2 * K, 0, -2 * K, 1, 2 * Q * (K2 - 1), Q - K + Q * K2};
      break;
    case ftAllpass1: {
      const double b0 = (1 - K) / (1 + K);
      out = {b0, -1.0, 0.0, 1.0, -b0, 0.0};
      return true;
    }
    case ftLowPass1:
      D = 1 + K;
      c = {K, K, 0, 1, K - 1, 0};
      break;
    case ftHighPass1:
      D = 1 + K;
      c = {-1, 1, 0, 1, K - 1, 0};
      break;
    case ftUnity:
      out = {1, 0, 0, 1, 0, 0};
      return true;
    case ftCutLowPass1:
      D = 1 + K / P0;
      c = {K / P0, K / P0, 0, 1, K / P0 - 1, 0};
      break;
    case ftCutLowPass2:
      D = 1 + P0 * K + K2;
      c = {K2, 2 * K2, K2, 1, 2 * (K2 - 1), 1 - P0 * K + K2};
      break;
    case ftCutLowPass2P1:
      D = 1 + (P0 / P1) * K + K2 / P1;
      c = {K2 / P1, 2 * K2 / P1, K2 / P1, 1, 2 * (K2 / P1 - 1), 1 - (P0 / P1) * K + K2 / P1};
      break;
    case ftCutHighPass1:
      D = 1 + P0 * K;
      c = {1, -1, 0, 1, P0 * K - 1, 0};
      break;
    case ftCutHighPass2:
      D = 1 + P0 * K + K2;
      c = {1, -2, 1, 1, 2 * (K2 - 1), 1 - P0 * K + K2};
      break;
    case ftCutHighPass2P1:
      D = 1 + P0 * K + P1 * K2;
      c = {1, -2, 1, 1, 2 * (P1 * K2 - 1), 1 - P0 * K + P1 * K2};
      break;
    case ftAllpass2:
      D = 1 + K / Q + K2;
      c = {1 - K / Q + K2, 2 * K2 - 2, 1 + K / Q + K2, 1, 2 * K2 - 2, 1 - K / Q + K2};
      break;
    default:
      return false;
  }
  out = {c.b0 / D, c.b1 / D, c.b2 / D, 1.0, c.a1 / D, c.a2 / D};
  return true;
}

ResponseCurve::ResponseCurve() {
  static const auto zeros = std::make_shared<Values>();
  FValues = zeros;
}

ResponseCurve::Values& ResponseCurve::Own() {
  if (FValues.use_count() != 1) FValues = std::make_shared<Values>(*FValues);
  return *FValues;
}

void EvaluateResponse(PlotBand& band, const BiquadCoefficients& c) {
  const ResponseGridArrays& grid = Grid();
  double* out = band.Response.data();
  if (band.PhaseMode == 0) {
    // -20 log10(|A| / |B|), taken on the squared magnitudes.
    MagnitudeDbKernel(grid, c, MagnitudeLimitDb, out);
    return;
  }

  // The one-argument arctangent: -9..9, moved by half a turn per type.
  PhaseKernel(grid, c, PhaseUnitsPerRadian, out);
  const auto each = [out](auto move) {
    for (std::size_t i = 0; i < ResponsePoints; ++i) out[i] = move(out[i], i);
  };
  switch (band.FilterType) {
    case ftHighPass2:
    case ftAllpass1:
    case ftCutHighPass2:
    case ftCutHighPass2P1:
      each([](double P, std::size_t) { return P < 0 ? P + HalfTurn : P; });
      break;
    case ftLowPass2:
    case ftCutLowPass2:
    case ftCutLowPass2P1:
      each([](double P, std::size_t) { return P > 0 ? P - HalfTurn : P; });
      break;
    case ftAllpass2:
      each([&](double P, std::size_t i) {
        if (P > 0) P -= HalfTurn;
        if (grid.Hz[i] > band.Frequency) P += HalfTurn;
        return P;
      });
      break;
    case ftLowShelf:
      if (band.Gain > 0) each([](double P, std::size_t) { return P > 0 ? P - HalfTurn : P; });
      if (band.Gain < 0) each([](double P, std::size_t) { return P < 0 ? P + HalfTurn : P; });
      break;
    case ftHighShelf:
      if (band.Gain > 0) each([](double P, std::size_t) { return P < 0 ? P + HalfTurn : P; });
      if (band.Gain < 0) each([](double P, std::size_t) { return P > 0 ? P - HalfTurn : P; });
      break;
    default:
      break;
  }
}

double WrapPhaseTotal(double s) {
  if (!std::isfinite(s)) return 0.0;
  // As many whole turns as it takes; where one or two steps suffice this is
  // the same result.
  if (s > HalfTurn)
    s -= 2 * HalfTurn * std::ceil((s - HalfTurn) / (2 * HalfTurn));
  else if (s < -HalfTurn)
    s += 2 * HalfTurn * std::ceil((-HalfTurn - s) / (2 * HalfTurn));
  return s;
}
