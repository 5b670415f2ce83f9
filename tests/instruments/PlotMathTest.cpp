// The plot's numeric routines: known values of the interpolations, their
// messages, and the segment tests annotations hit-test with.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "instruments/plot/iPlotMath.h"
#include "platform/sys/SysUtils.h"
#include "tests/instruments/InstrumentsTestSupport.h"

namespace {

using instruments_test::ErrorOf;

// One-based arrays as the routines take them.
std::vector<double> A1(std::initializer_list<double> v) {
  std::vector<double> r{0};
  r.insert(r.end(), v);
  return r;
}

TEST(PlotMath, LogAndPower) {
  EXPECT_NEAR(static_cast<double>(Log10(1000)), 3, 1e-15);
  EXPECT_NEAR(static_cast<double>(Power(10, 2)), 100, 1e-12);
  EXPECT_NEAR(static_cast<double>(Power(10, -1)), 0.1, 1e-15);
  for (long double bad : {0.0L, -1.0L}) {
    EXPECT_EQ(ErrorOf([&] { Log10(bad); }), "Invalid floating point operation");
    EXPECT_EQ(ErrorOf([&] { Power(bad, 2); }), "Invalid floating point operation");
  }
}

TEST(PlotMath, SplineKeepsAStraightLineStraight) {
  const auto xa = A1({0, 1, 2}), ya = A1({0, 1, 2});
  std::vector<double> y2;
  Spline(xa, ya, 3, y2, 1e30, 1e30);
  double y = 0;
  Splint(xa, ya, y2, 3, 1.5, y);
  EXPECT_NEAR(y, 1.5, 1e-12);
  // Outside the nodes the end cubic goes on.
  Splint(xa, ya, y2, 3, 3, y);
  EXPECT_NEAR(y, 3, 1e-12);
}

TEST(PlotMath, SplineThroughACurvePassesItsNodes) {
  const auto xa = A1({0, 1, 3, 4, 7}), ya = A1({1, -2, 5, 0, 3});
  std::vector<double> y2;
  Spline(xa, ya, 5, y2, 1e30, 1e30);
  for (int i = 1; i <= 5; ++i) {
    double y = 0;
    Splint(xa, ya, y2, 5, xa[i], y);
    EXPECT_NEAR(y, ya[i], 1e-12) << i;
  }
}

TEST(PlotMath, EqualXRaise) {
  const auto xa = A1({1, 1}), ya = A1({0, 5});
  std::vector<double> y2 = A1({0, 0});
  double y = 0, dy = 0;
  EXPECT_EQ(ErrorOf([&] { Splint(xa, ya, y2, 2, 1, y); }), "Splint Error - xa's must be distinct");
  EXPECT_EQ(ErrorOf([&] { Spline(xa, ya, 2, y2, 1e30, 1e30); }), "Floating point division by zero");
  EXPECT_EQ(ErrorOf([&] { Polint(xa, ya, 2, 0.5, y, dy); }),
            "Polynomial Interpolation Error - Pause in Routine Data");
  // A pole of the rational function halfway between 1 and -1.
  const auto xr = A1({0, 1}), yr = A1({1, -1});
  EXPECT_EQ(ErrorOf([&] { Ratint(xr, yr, 2, 0.5, y, dy); }),
            "Rational Interpolation Error - Pause in Routine Data");
  // A short array is refused instead of read past its end.
  EXPECT_FALSE(ErrorOf([&] { Polint(xa, ya, 5, 0.5, y, dy); }).empty());
}

TEST(PlotMath, PolintAndRatint) {
  const auto xa = A1({0, 1, 2}), ya = A1({0, 1, 4});
  double y = 0, dy = 0;
  Polint(xa, ya, 3, 1.5, y, dy);
  EXPECT_NEAR(y, 2.25, 1e-12);
  Ratint(xa, ya, 3, 1, y, dy);
  EXPECT_EQ(y, 1);
  EXPECT_EQ(dy, 0);
  // 1 / (1 + x) is a rational function of degree (0, 1): met exactly.
  const auto xr = A1({0, 1, 2, 3}), yr = A1({1, 0.5, 1.0 / 3, 0.25});
  Ratint(xr, yr, 4, 1.5, y, dy);
  EXPECT_NEAR(y, 0.4, 1e-9);
}

TEST(PlotMath, LinesAndSegments) {
  double slope = 0, intercept = 0;
  LineThroughPoints({3, 0}, {3, 10}, slope, intercept);
  EXPECT_EQ(slope, 1e30);
  LineThroughPoints({0, 1}, {2, 5}, slope, intercept);
  EXPECT_EQ(slope, 2);
  EXPECT_EQ(intercept, 1);
  // Parallel lines never meet, even overlapping ones.
  EXPECT_FALSE(SegmentsIntersect({0, 0}, {10, 0}, {5, 0}, {15, 0}));
  EXPECT_TRUE(SegmentsIntersect({0, 0}, {10, 10}, {0, 10}, {10, 0}));

  const TRect r(10, 10, 20, 20);
  struct Case {
    TPoint P1, P2;
    bool Hit;
  };
  const Case cases[] = {
      {{12, 12}, {18, 18}, true},     // wholly inside
      {{-50, 15}, {-40, 15}, false},  // far to the left
      {{15, 0}, {15, 12}, true},      // crossing the top edge
      {{0, 15}, {30, 15}, true},      // crossing left and right
      {{10, 10}, {10, 10}, true},     // a corner point counts
      {{30, 30}, {40, 45}, false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(SegmentIntersectsRect(c.P1, c.P2, r), c.Hit)
        << c.P1.X << "," << c.P1.Y << " " << c.P2.X << "," << c.P2.Y;
}

}  // namespace
