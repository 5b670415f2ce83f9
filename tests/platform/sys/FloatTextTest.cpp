#include <cmath>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "platform/sys/SysUtils.h"

namespace {

struct FloatCase {
  double value;
  TFloatFormat format;
  int precision;
  int digits;
  const char* expected;
};

const char* FormatName(TFloatFormat f) {
  switch (f) {
    case ffGeneral:
      return "ffGeneral";
    case ffExponent:
      return "ffExponent";
    case ffFixed:
      return "ffFixed";
    case ffNumber:
      return "ffNumber";
    default:
      return "ffCurrency";
  }
}

}  // namespace

TEST(FloatToStrF, Table) {
  const double inf = std::numeric_limits<double>::infinity();
  const FloatCase cases[] = {
      // General, 15 digits: the shortest text, trailing zeros dropped.
      {0.0, ffGeneral, 15, 0, "0"},
      {-0.0, ffGeneral, 15, 0, "0"},
      {1.0, ffGeneral, 15, 0, "1"},
      {-3.5, ffGeneral, 15, 0, "-3.5"},
      {12.0, ffGeneral, 15, 0, "12"},
      {0.1 + 0.2, ffGeneral, 15, 0, "0.3"},
      {1.0 / 3.0, ffGeneral, 15, 0, "0.333333333333333"},
      {2.0 / 3.0, ffGeneral, 15, 0, "0.666666666666667"},
      {123456789012345.0, ffGeneral, 15, 0, "123456789012345"},
      {1234567890123456.0, ffGeneral, 15, 0, "1.23456789012346E15"},
      {999999999999999.9, ffGeneral, 15, 0, "1E15"},
      {1e14, ffGeneral, 15, 0, "100000000000000"},
      {1e15, ffGeneral, 15, 0, "1E15"},
      {-2.5e20, ffGeneral, 15, 0, "-2.5E20"},
      {0.0001, ffGeneral, 15, 0, "0.0001"},
      {0.00001, ffGeneral, 15, 0, "1E-5"},
      {1.5e-7, ffGeneral, 15, 0, "1.5E-7"},
      {0.00012345, ffGeneral, 15, 0, "0.00012345"},
      {1e20, ffGeneral, 15, 3, "1E020"},
      // General, fewer digits.
      {1234.0, ffGeneral, 3, 0, "1.23E3"},
      {128.0, ffGeneral, 3, 0, "128"},
      {7.15, ffGeneral, 2, 0, "7.2"},
      {99.96, ffGeneral, 3, 0, "100"},
      // Exponent: every digit kept, signed exponent of at least `digits` digits.
      {4567.8, ffExponent, 3, 3, "4.57E+003"},
      {4567.8, ffExponent, 4, 3, "4.568E+003"},
      {0.000123, ffExponent, 3, 2, "1.23E-04"},
      {9.999, ffExponent, 3, 2, "1.00E+01"},
      {-1.0, ffExponent, 2, 0, "-1.0E+0"},
      {0.0, ffExponent, 3, 3, "0.00E+000"},
      {1.0, ffExponent, 15, 3, "1.00000000000000E+000"},
      {1e100, ffExponent, 2, 1, "1.0E+100"},
      // Fixed, 3 significant digits and 2 decimals (the Q format).
      {0.4, ffFixed, 3, 2, "0.40"},
      {7.1, ffFixed, 3, 2, "7.10"},
      {1.26, ffFixed, 3, 2, "1.26"},
      {128.0, ffFixed, 3, 2, "128.00"},
      {3.14159, ffFixed, 3, 2, "3.14"},
      {3.14159, ffFixed, 3, 4, "3.1400"},
      {-30.0 * std::log2(10.0), ffFixed, 3, 2, "-99.70"},
      {129.66, ffFixed, 3, 2, "130.00"},
      // More integer digits than the precision: the general form.
      {1280.0, ffFixed, 3, 2, "1.28E3"},
      {999.6, ffFixed, 3, 2, "1E3"},
      {1e20, ffFixed, 15, 2, "1E20"},
      // Fixed, 15 digits, 0..4 decimals; halves round away from zero.
      {2.5, ffFixed, 15, 0, "3"},
      {-2.5, ffFixed, 15, 0, "-3"},
      {2.5, ffFixed, 15, 1, "2.5"},
      {2.5, ffFixed, 15, 2, "2.50"},
      {2.5, ffFixed, 15, 3, "2.500"},
      {2.5, ffFixed, 15, 4, "2.5000"},
      {1234.5678, ffFixed, 15, 0, "1235"},
      {1234.5678, ffFixed, 15, 1, "1234.6"},
      {1234.5678, ffFixed, 15, 2, "1234.57"},
      {1234.5678, ffFixed, 15, 3, "1234.568"},
      {1234.5678, ffFixed, 15, 4, "1234.5678"},
      {0.125, ffFixed, 15, 2, "0.13"},  // exact binary half
      {2.675, ffFixed, 15, 2, "2.67"},  // stored just below the half
      {0.006, ffFixed, 15, 2, "0.01"},
      {0.004, ffFixed, 15, 2, "0.00"},
      {-0.004, ffFixed, 15, 2, "0.00"},  // no sign on a zero
      {9.999, ffFixed, 15, 2, "10.00"},
      {0.0, ffFixed, 15, 3, "0.000"},
      // Number: thousands separators.
      {1234567.891, ffNumber, 15, 2, "1,234,567.89"},
      {-1234.5, ffNumber, 15, 0, "-1,235"},
      {999.5, ffNumber, 15, 0, "1,000"},
      {123456.0, ffNumber, 15, 0, "123,456"},
      {12.0, ffNumber, 15, 2, "12.00"},
      {0.5, ffNumber, 15, 1, "0.5"},
      // Non-finite values.
      {std::nan(""), ffGeneral, 15, 0, "NAN"},
      {inf, ffFixed, 15, 2, "INF"},
      {-inf, ffExponent, 15, 2, "-INF"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FloatToStrF(c.value, c.format, c.precision, c.digits), c.expected)
        << FormatName(c.format) << " precision " << c.precision << " digits " << c.digits << " of "
        << c.value;
  }
}

TEST(FloatToStrF, OutOfRangePrecisionAndDigitsAreClamped) {
  EXPECT_EQ(FloatToStrF(1.25, ffFixed, 0, 1), "1.0");  // precision at least 1
  EXPECT_EQ(FloatToStrF(1.0, ffFixed, 15, 40), "1." + std::string(18, '0'));
  EXPECT_EQ(FloatToStrF(1.0, ffFixed, 15, -3), "1");
  EXPECT_EQ(FloatToStrF(1e20, ffExponent, 3, 9), "1.00E+0020");
}

TEST(FloatToStr, GainTextsAndSeparator) {
  // The shortest decimal form of tenths of a dB, and the separator callers
  // read from the text of 1.1.
  EXPECT_EQ(FloatToStr(0.0), "0");
  EXPECT_EQ(FloatToStr(34 / 10.0), "3.4");
  EXPECT_EQ(FloatToStr(-120 / 10.0), "-12");
  EXPECT_EQ(FloatToStr(-35 / 10.0), "-3.5");
  EXPECT_EQ(FloatToStr(1.1)[1], '.');
  for (int g = -120; g <= 120; ++g) {
    std::string t = FloatToStr(g / 10.0);
    ASSERT_LE(t.size(), 5u) << g;
    ASSERT_EQ(StrToFloat(t), g / 10.0) << t;
  }
}

TEST(FormatFloat, Patterns) {
  struct Case {
    const char* pattern;
    double value;
    const char* expected;
  } cases[] = {
      {"#,#0", 1234567.0, "1,234,567"},
      {"#,#0.00", 1234.5, "1,234.50"},
      {"#,#0.00", -1234.567, "-1,234.57"},
      {"#,#0", 0.0, "0"},
      {"0.000", 3.14159, "3.142"},
      {"00.0", 3.0, "03.0"},
      {"#.##", 0.5, ".5"},
      {"0.##", 2.0, "2"},
      {"0.0#", 2.125, "2.13"},
      {"0.00E+00", 1234.0, "1.23E+03"},
      {"0.0e-0", 0.00012, "1.2e-4"},
      {"0.0\" dB\"", -3.0, "-3.0 dB"},
      {"0.0;(0.0)", -3.0, "(3.0)"},
      {"0.0;(0.0);\"zero\"", 0.01, "zero"},
      {"", 1.5, "1.5"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FormatFloat(c.pattern, c.value), c.expected) << c.pattern << " of " << c.value;
}
