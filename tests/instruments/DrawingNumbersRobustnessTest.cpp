// The drawing helpers' number conversions fed values no integer can hold.

#include <climits>
#include <cmath>
#include <limits>

#include "instruments/base/iDrawing.h"
#include "tests/instruments/InstrumentsTestSupport.h"

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(DrawingNumbersRobustnessTest, RoundingClampsToTheIntRangeAndNaNIsZero) {
  EXPECT_EQ(iRound(1e300), INT_MAX);
  EXPECT_EQ(iRound(kInf), INT_MAX);
  EXPECT_EQ(iRound(-1e300), INT_MIN);
  EXPECT_EQ(iRound(kNaN), 0);
  EXPECT_EQ(iRound(2.5), 2);
  EXPECT_EQ(iRound(-3.5), -4);
}

TEST(DrawingNumbersRobustnessTest, SignificantDigitsOfAnUnboundedSpanAreNone) {
  EXPECT_EQ(DecimalsForPrecision(3, ipsSignificantDigits, 0, kNaN), 0);
  EXPECT_EQ(DecimalsForPrecision(3, ipsSignificantDigits, -1e308, 1e308), 0);
  EXPECT_EQ(DecimalsForPrecision(3, ipsSignificantDigits, 0, kInf), 0);
}

TEST(DrawingNumbersRobustnessTest, FarOffTimesClampInsteadOfOverflowing) {
  EXPECT_EQ(DateTimeToMilliseconds(1e12), INT_MAX);
  EXPECT_EQ(DateTimeToHours(1e300), INT_MAX);
  EXPECT_EQ(DateTimeToSeconds(kInf), INT_MAX);
  EXPECT_EQ(DateTimeToSeconds(-1e300), INT_MAX);
  EXPECT_EQ(DateTimeToMinutes(-1e300), 10000);
  EXPECT_EQ(DateTimeToMinutes(kNaN), 10000);
}

}  // namespace
