// Axis texts in each of the six styles, with the values no style can show.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "instruments/plot/iPlotAxisTextFormat.h"

namespace {

TEST(PlotAxisTextFormat, StylesTable) {
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    TiPlotTextFormat Style;
    TiPrecisionStyle Precision;
    int Digits;
    TiPlotScaleType Scale;
    double Span, Value;
    const char* Format;
    const char* Expected;
  } cases[] = {
      // Value: decimals by the span on a linear scale, by the value on a log one.
      {iptfValue, ipsSignificantDigits, 2, ipstLinear, 120, -100, "", "-100"},
      {iptfValue, ipsSignificantDigits, 2, ipstLinear, 120, 20, "", "20"},
      {iptfValue, ipsSignificantDigits, 3, ipstLinear, 0.5, 0.25, "", "0.250"},
      {iptfValue, ipsSignificantDigits, 3, ipstLinear, 10, 2.5, "", "2.5"},
      {iptfValue, ipsFixedDecimalPoints, 2, ipstLinear, 1000, 7, "", "7.00"},
      {iptfValue, ipsSignificantDigits, 3, ipstLog10, 999, 0.02, "", "0.020"},
      {iptfValue, ipsSignificantDigits, 3, ipstLog10, 999, 500, "", "500"},
      {iptfValue, ipsFixedDecimalPoints, 1, ipstLog10, 999, 500, "", "500.0"},
      {iptfValue, ipsSignificantDigits, 3, ipstLog10, 999, 0, "", "Unknown"},
      {iptfValue, ipsSignificantDigits, 3, ipstLog10, 999, -3, "", "Unknown"},
      // Exponent.
      {iptfExponent, ipsSignificantDigits, 3, ipstLinear, 100, 4567.8, "", "4.57E+003"},
      {iptfExponent, ipsFixedDecimalPoints, 3, ipstLinear, 100, 4567.8, "", "4.568E+003"},
      {iptfExponent, ipsSignificantDigits, 2, ipstLinear, 100, -0.00123, "", "-1.2E-003"},
      // Prefix.
      {iptfPrefix, ipsSignificantDigits, 3, ipstLinear, 100, 0.0005, "", "0.500m"},
      {iptfPrefix, ipsSignificantDigits, 3, ipstLinear, 100, 1500, "", "1.50K"},
      {iptfPrefix, ipsSignificantDigits, 3, ipstLinear, 100, -2.5e6, "", "-2.50M"},
      {iptfPrefix, ipsSignificantDigits, 3, ipstLinear, 100, 3.3e-6, "", "0.00330m"},
      {iptfPrefix, ipsSignificantDigits, 3, ipstLinear, 100, 2e-7, "", "0.200\u00B5"},
      {iptfPrefix, ipsSignificantDigits, 3, ipstLinear, 100, 0.0042, "", "0.00420"},
      {iptfPrefix, ipsSignificantDigits, 3, ipstLinear, 100, 1e30, "", "Unknown"},
      {iptfPrefix, ipsSignificantDigits, 3, ipstLinear, 100, inf, "", "Unknown"},
      {iptfPrefix, ipsSignificantDigits, 3, ipstLinear, 100, 0, "", "0.0"},
      {iptfPrefix, ipsSignificantDigits, 3, ipstLinear, 100, 1e-13, "", "0.0000"},
      // Date and time, with the whole days in front for a leading J.
      {iptfDateTime, ipsSignificantDigits, 3, ipstLinear, 1, 3.5, "Jhh:nn", "3 12:00"},
      {iptfDateTime, ipsSignificantDigits, 3, ipstLinear, 1, 0.75, "hh:nn:ss", "18:00:00"},
      // Thirty-seconds.
      {iptfPrice32nds, ipsSignificantDigits, 3, ipstLinear, 1, 101.515625, "", "101.164"},
      {iptfPrice32nds, ipsSignificantDigits, 3, ipstLinear, 1, 7, "", "7.000"},
      {iptfPrice32nds, ipsSignificantDigits, 3, ipstLinear, 1, std::nan(""), "", "Unknown"},
      // Thousands.
      {iptfThousands, ipsSignificantDigits, 3, ipstLinear, 100000, 1234567, "", "1,234,567"},
      {iptfThousands, ipsSignificantDigits, 3, ipstLinear, 10, 1234.5, "", "1,234.5"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Expected);
    TiPlotAxisTextFormat f;
    f.Style = c.Style;
    f.PrecisionStyle = c.Precision;
    f.Precision = c.Digits;
    f.DateTimeFormat = c.Format;
    EXPECT_EQ(iFormatAxisText(c.Value, c.Span, c.Scale, f), c.Expected);
  }
}

}  // namespace
