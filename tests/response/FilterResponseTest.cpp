// The filter numerics against an independent evaluation of H(e^jw) in long
// double from the designed coefficients, and the worked values of the
// response model.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>
#include <vector>

#include "response/FilterResponse.h"

namespace {

using cld = std::complex<long double>;
constexpr long double kPi = 3.141592653589793238462643383279502884L;

long double RefHz(int i) {
  return std::pow(48000.0L, static_cast<long double>(i) / 4096.0L);
}

cld RefH(const BiquadCoefficients& c, int i) {
  const long double w = kPi * RefHz(i) / 48000.0L;
  const cld z1 = std::polar(1.0L, -w);
  const cld z2 = std::polar(1.0L, -2.0L * w);
  const cld B = static_cast<long double>(c.b0) + static_cast<long double>(c.b1) * z1 +
                static_cast<long double>(c.b2) * z2;
  const cld A = static_cast<long double>(c.a0) + static_cast<long double>(c.a1) * z1 +
                static_cast<long double>(c.a2) * z2;
  return B / A;
}

// Distance of two phases on a circle of the given period (36: a whole turn,
// 18: half a turn, the fold the one-argument arctangent leaves).
double CircularDistance(double a, double b, double period) {
  double d = std::fmod(a - b, period);
  if (d > period / 2) d -= period;
  if (d < -period / 2) d += period;
  return std::fabs(d);
}

struct Case {
  int type;
  double hz, gain, q;
  float p0, p1;
  // The type's half-turn moves keep the phase a true angle of H (within one
  // whole turn); otherwise only modulo half a turn.
  bool wholeTurn;
};

const std::vector<Case> kCases = {
    {1, 1000, 6, 1.41, 0, 0, true},
    {1, 250, -9.5, 4.0, 0, 0, true},
    {1, 12000, 12, 0.4, 0, 0, true},
    {2, 200, 8, 0.7, 0, 0, true},
    {2, 200, -8, 0.7, 0, 0, true},
    {3, 5000, 6, 1.0, 0, 0, true},
    {3, 5000, -6, 1.0, 0, 0, true},
    {3, 5000, 0, 1.0, 0, 0, true},
    {4, 1000, 0, 0.707, 0, 0, true},
    {5, 1000, 0, 0.707, 0, 0, true},
    {6, 2000, 0, 2.0, 0, 0, true},
    {7, 700, 0, 1, 0, 0, true},
    {8, 300, 0, 1, 0, 0, true},
    {9, 300, 0, 1, 0, 0, false},
    {10, 1000, 0, 1, 0, 0, true},
    {11, 80, 0, 0.05, 1.0f, 0, true},
    {12, 80, 0, 0.05, 1.4142f, 0, true},
    {13, 80, 0, 0.05, 1.3617f, 0.618f, true},
    {14, 9000, 0, 0.05, 1.0f, 0, true},
    {15, 9000, 0, 0.05, 0.7654f, 0, true},
    {16, 9000, 0, 0.05, 0.9996f, 0.4772f, true},
    {17, 1500, 0, 2.0, 0, 0, true},
};

const int kPoints[] = {0, 1, 400, 874, 1500, 2000, 2500, 2624, 2625, 3000, 3400, 3763, 3900, 4095};

PlotBand Band(const Case& c, std::uint8_t phase) {
  PlotBand b;
  b.FilterType = c.type;
  b.Frequency = c.hz;
  b.Gain = c.gain;
  b.Q = c.q;
  b.P0 = c.p0;
  b.P1 = c.p1;
  b.PhaseMode = phase;
  return b;
}

PlotBand Evaluated(const Case& c, std::uint8_t phase, BiquadCoefficients* coeffs = nullptr) {
  PlotBand b = Band(c, phase);
  BiquadCoefficients k;
  EXPECT_TRUE(DesignBiquad(b, k));
  EvaluateResponse(b, k);
  if (coeffs) *coeffs = k;
  return b;
}

}  // namespace

TEST(FilterResponse, GridAndPositionMapping) {
  EXPECT_DOUBLE_EQ(GridFrequency(0), 1.0);
  EXPECT_NEAR(GridFrequency(2625), 1000.15, 0.01);
  EXPECT_LT(GridFrequency(4095), 48000.0);
  EXPECT_NEAR(GridFrequency(4095), 48000.0 / std::pow(48000.0, 1.0 / 4096), 1e-9);
  // Frequencies of the plot's axis, as the frequency index axis places them.
  const struct {
    double hz, x;
  } table[] = {{1, 0}, {10, 874.98}, {1000, 2624.94}, {20000, 3763.32}, {48000, 4096}};
  for (const auto& row : table) EXPECT_NEAR(FrequencyToGridX(row.hz), row.x, 0.005) << row.hz;
}

TEST(FilterResponse, MagnitudeMatchesLongDoubleEvaluation) {
  // 1e-9 dB down to -60 dB; deeper in a stop band the numerator's terms
  // cancel (1 - 2cos w + cos 2w near 1 Hz), so 1e-5 dB there: still far
  // below anything a plot can show.
  for (const Case& c : kCases) {
    BiquadCoefficients k;
    const PlotBand b = Evaluated(c, 0, &k);
    for (int i : kPoints) {
      const long double ref = 20.0L * std::log10(std::abs(RefH(k, i)));
      EXPECT_NEAR(b.Response[i], static_cast<double>(ref), ref > -60 ? 1e-9 : 1e-5)
          << "type " << c.type << " point " << i;
    }
  }
}

TEST(FilterResponse, PhaseMatchesLongDoubleEvaluation) {
  // 1e-9 units of 10 degrees; the types whose half-turn moves make a true
  // angle are compared on the whole turn, the others on the half turn.
  for (const Case& c : kCases) {
    BiquadCoefficients k;
    const PlotBand b = Evaluated(c, 1, &k);
    for (int i : kPoints) {
      const double ref = static_cast<double>(std::arg(RefH(k, i)) * 18.0L / kPi);
      EXPECT_LE(CircularDistance(b.Response[i], ref, 18.0), 1e-9) << "type " << c.type << " point " << i;
      if (c.wholeTurn) {
        EXPECT_LE(CircularDistance(b.Response[i], ref, 36.0), 1e-9) << "type " << c.type << " point " << i;
      }
      EXPECT_GE(b.Response[i], -18.0);
      EXPECT_LE(b.Response[i], 18.0);
    }
  }
}

TEST(FilterResponse, DesignMatchesTheFormulaTable) {
  // Spot checks of the table itself (not of the evaluation): K = tan(pi f / 96000).
  const double K = std::tan(std::numbers::pi * 1000.0 / 96000.0);
  BiquadCoefficients k;
  PlotBand b;
  b.FilterType = 5, b.Frequency = 1000, b.Q = 0.707;
  ASSERT_TRUE(DesignBiquad(b, k));
  const double D = 1 + K / 0.707 + K * K;
  EXPECT_DOUBLE_EQ(k.b0, K * K / D);
  EXPECT_DOUBLE_EQ(k.b1, 2 * K * K / D);
  EXPECT_DOUBLE_EQ(k.a2, (1 - K / 0.707 + K * K) / D);
  EXPECT_EQ(k.a0, 1.0);
  // First-order allpass: b1 is -1 itself and a1 the negated b0.
  b.FilterType = 7;
  ASSERT_TRUE(DesignBiquad(b, k));
  EXPECT_DOUBLE_EQ(k.b0, (1 - K) / (1 + K));
  EXPECT_EQ(k.b1, -1.0);
  EXPECT_EQ(k.a1, -k.b0);
  // Types outside 1..17 write nothing.
  for (int bad : {0, 18, -3}) {
    BiquadCoefficients untouched{9, 9, 9, 9, 9, 9};
    b.FilterType = bad;
    EXPECT_FALSE(DesignBiquad(b, untouched));
    EXPECT_EQ(untouched.b0, 9.0);
    EXPECT_EQ(untouched.a2, 9.0);
  }
}

TEST(FilterResponse, WorkedMagnitudes) {
  const PlotBand boost = Evaluated({1, 1000, 6, 1.41, 0, 0, true}, 0);
  EXPECT_NEAR(boost.Response[2625], 6.00, 0.005);
  const PlotBand cut = Evaluated({1, 1000, -6, 1.41, 0, 0, true}, 0);
  for (int i = 0; i < ResponsePoints; ++i) ASSERT_NEAR(cut.Response[i], -boost.Response[i], 1e-9) << i;
  // Shelves and peaks at 0 dB, and the bypassed band, are exactly flat.
  for (int type : {1, 2, 3, 10})
    for (std::uint8_t phase : {0, 1}) {
      const PlotBand flat = Evaluated({type, 3000, 0, 0.4, 0, 0, true}, phase);
      for (int i = 0; i < ResponsePoints; ++i) ASSERT_EQ(flat.Response[i], 0.0) << type << " " << i;
    }
}

TEST(FilterResponse, WorkedPhases) {
  const PlotBand hp = Evaluated({4, 1000, 0, 0.707, 0, 0, true}, 1);
  EXPECT_NEAR(hp.Response[0], 18.0, 0.05);
  EXPECT_NEAR(hp.Response[2625], 9.0, 0.05);
  EXPECT_NEAR(hp.Response[4095], 0.0, 0.2);
  for (int i = 2625; i < 4095; ++i) ASSERT_GE(hp.Response[i], hp.Response[i + 1] - 1e-12) << i;

  const PlotBand lp = Evaluated({5, 1000, 0, 0.707, 0, 0, true}, 1);
  EXPECT_NEAR(lp.Response[0], 0.0, 0.05);
  EXPECT_NEAR(lp.Response[2625], -9.0, 0.05);
  EXPECT_LT(lp.Response[4095], -17.0);

  // Second-order allpass: 0 down towards -18 up to its frequency, +18 just
  // above, back towards 0.
  const PlotBand ap = Evaluated({17, 1000, 0, 0.707, 0, 0, true}, 1);
  EXPECT_NEAR(ap.Response[0], 0.0, 0.05);
  EXPECT_LT(ap.Response[2624], -17.5);
  EXPECT_GT(ap.Response[2626], 17.5);
  EXPECT_NEAR(ap.Response[4095], 0.0, 0.5);
  for (int i = 0; i < 2624; ++i) ASSERT_GE(ap.Response[i], ap.Response[i + 1] - 1e-12) << i;
}

TEST(FilterResponse, PhaseTotalWraps) {
  const struct {
    double in, out;
  } table[] = {{20, -16}, {-20, 16}, {18, 18},   {-18, -18}, {0, 0},
               {54, 18},  {55, -17}, {-90, -18}, {-91, 17}};
  for (const auto& row : table) EXPECT_DOUBLE_EQ(WrapPhaseTotal(row.in), row.out) << row.in;
  EXPECT_DOUBLE_EQ(WrapPhaseTotal(1e12 + 0.5), WrapPhaseTotal(std::fmod(1e12 + 0.5, 36.0)));
}

TEST(FilterResponse, EveryGridPointAgreesWithThePlainFormula) {
  // Each point as one scalar evaluation with the standard library works it
  // out: the curves are computed several points at a time, and every lane
  // (and the points a vector's tail would hold) must agree.
  for (const Case& c : kCases) {
    BiquadCoefficients k;
    const PlotBand mag = Evaluated(c, 0, &k);
    const PlotBand ph = Evaluated(c, 1);
    int wrong = 0;
    for (int i = 0; i < ResponsePoints; ++i) {
      const double w = std::numbers::pi * GridFrequency(i) / 48000.0;
      const double c1 = std::cos(-w), s1 = std::sin(-w), c2 = std::cos(-2.0 * w), s2 = std::sin(-2.0 * w);
      const double reA = k.a0 + k.a1 * c1 + k.a2 * c2, imA = k.a1 * s1 + k.a2 * s2;
      const double reB = k.b0 + k.b1 * c1 + k.b2 * c2, imB = k.b1 * s1 + k.b2 * s2;
      const double db = 10.0 * std::log10((reB * reB + imB * imB) / (reA * reA + imA * imA));
      const double p = -std::atan((imA * reB - reA * imB) / (reA * reB + imA * imB)) * PhaseUnitsPerRadian;
      if (std::fabs(mag.Response[i] - db) > 1e-12 * std::max(1.0, std::fabs(db))) ++wrong;
      // The type's half-turn moves aside.
      if (CircularDistance(ph.Response[i], p, HalfTurn) > 1e-12) ++wrong;
    }
    EXPECT_EQ(wrong, 0) << "type " << c.type;
  }
}

TEST(FilterResponse, DegenerateSectionsStayFiniteAtEveryPoint) {
  // A numerator of zeros (log of 0), a denominator of zeros (a pole
  // everywhere) and both (0/0): the curve stays defined.
  const struct {
    BiquadCoefficients k;
    double db;
  } rows[] = {
      {{0, 0, 0, 1, 0, 0}, -1000.0},
      {{1, 0, 0, 0, 0, 0}, 1000.0},
      {{0, 0, 0, 0, 0, 0}, 0.0},
  };
  for (const auto& row : rows) {
    PlotBand b;
    b.FilterType = ftPeak;
    EvaluateResponse(b, row.k);
    for (int i = 0; i < ResponsePoints; ++i) ASSERT_EQ(b.Response[i], row.db) << row.db << " point " << i;
    b.PhaseMode = 1;
    EvaluateResponse(b, row.k);
    for (int i = 0; i < ResponsePoints; ++i) ASSERT_EQ(b.Response[i], 0.0) << row.db << " point " << i;
  }
}
