#include <climits>
#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "platform/sys/SysUtils.h"

TEST(ReadLeadingDecimal, StopsWhereTheNumberCannotGoOn) {
  struct Case {
    const char* text;
    double expected;
  } cases[] = {
      {"12.5", 12.5}, {"0.40", 0.4},    {"1,5", 1.0},   {"  -3.25dB", -3.25}, {"5-", 5.0},
      {"--1", 0.0},   {"+.5", 0.5},     {".5", 0.5},    {".", 0.0},           {"-", 0.0},
      {"", 0.0},      {"abc", 0.0},     {"1.2.3", 1.2}, {"12.", 12.0},        {"3 4", 3.0},
      {"1e5", 1.0},   {"20.05", 20.05}, {"\t7", 7.0},   {"- 1", 0.0},         {"0003.50", 3.5},
  };
  for (const auto& c : cases) EXPECT_EQ(sys::ReadLeadingDecimal(c.text), c.expected) << '"' << c.text << '"';
  // The text is a view: nothing after its end is read.
  std::string s = "12.345";
  EXPECT_EQ(sys::ReadLeadingDecimal(std::string_view(s).substr(0, 4)), 12.3);
  EXPECT_EQ(sys::ReadLeadingDecimal("-0"), 0.0);
}

TEST(ReadLeadingInteger, WholeNumbersOnly) {
  struct Case {
    const char* text;
    int expected;
  } cases[] = {
      {"12.7", 12},
      {" 50ms", 50},
      {"-5", -5},
      {"+7", 7},
      {"", 0},
      {"x1", 0},
      {"1,5", 1},
      {"0", 0},
      {"-", 0},
      {"5000", 5000},
      {"99999999999", INT_MAX},
      {"-99999999999", INT_MIN},
  };
  for (const auto& c : cases) EXPECT_EQ(sys::ReadLeadingInteger(c.text), c.expected) << '"' << c.text << '"';
}

TEST(StrToInt, AcceptsDecimalAndHexadecimalOnly) {
  struct Case {
    const char* text;
    bool ok;
    int value;
  } cases[] = {
      {"42", true, 42},
      {" -7 ", true, -7},
      {"+3", true, 3},
      {"$FF", true, 255},
      {"0x1f", true, 31},
      {"$FFFFFFFF", true, -1},
      {"2147483647", true, INT_MAX},
      {"-2147483648", true, INT_MIN},
      {"2147483648", false, 0},
      {"-2147483649", false, 0},
      {"$100000000", false, 0},
      {"12a", false, 0},
      {"", false, 0},
      {"  ", false, 0},
      {"1.0", false, 0},
      {"+", false, 0},
      {"--1", false, 0},
      {"1 2", false, 0},
      {"0x", false, 0},
  };
  for (const auto& c : cases) {
    int v = 12345;
    EXPECT_EQ(TryStrToInt(c.text, v), c.ok) << '"' << c.text << '"';
    if (c.ok)
      EXPECT_EQ(v, c.value) << '"' << c.text << '"';
    else
      EXPECT_EQ(v, 12345) << "a failed conversion leaves the value alone";
    EXPECT_EQ(StrToIntDef(c.text, -99), c.ok ? c.value : -99);
  }
  long long big = 0;
  EXPECT_TRUE(TryStrToInt64("-9223372036854775808", big));
  EXPECT_EQ(big, LLONG_MIN);
  EXPECT_FALSE(TryStrToInt64("9223372036854775808", big));
  EXPECT_EQ(StrToInt64("$7FFFFFFFFFFFFFFF"), LLONG_MAX);
}

TEST(StrToInt, ThrowsWithTheText) {
  EXPECT_EQ(StrToInt("17"), 17);
  try {
    StrToInt("abc");
    FAIL() << "no exception";
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'abc' is not a valid integer value");
  }
}

TEST(StrToFloat, Table) {
  struct Case {
    const char* text;
    bool ok;
    double value;
  } cases[] = {
      {"1.5", true, 1.5},    {" -2e3 ", true, -2000.0}, {".5", true, 0.5}, {"5.", true, 5.0},
      {"+1E-2", true, 0.01}, {"1e-400", true, 0.0},     {"0", true, 0.0},  {"128.00", true, 128.0},
      {"1,5", false, 0},     {"abc", false, 0},         {"", false, 0},    {".", false, 0},
      {"1e400", false, 0},   {"inf", false, 0},         {"nan", false, 0}, {"0x10", false, 0},
      {"1e", false, 0},      {"1.5dB", false, 0},       {"--1", false, 0}, {"1 5", false, 0},
  };
  for (const auto& c : cases) {
    double v = 42.0;
    EXPECT_EQ(TryStrToFloat(c.text, v), c.ok) << '"' << c.text << '"';
    EXPECT_EQ(v, c.ok ? c.value : 42.0) << '"' << c.text << '"';
    EXPECT_EQ(StrToFloatDef(c.text, -1.0), c.ok ? c.value : -1.0);
  }
  EXPECT_THROW(StrToFloat("x"), EConvertError);
  // What FloatToStr writes reads back to the same value.
  for (double d : {0.1, 1.0 / 3.0, -123.456, 1e-10, 6.02214076e23}) {
    double back = 0;
    ASSERT_TRUE(TryStrToFloat(FloatToStr(d), back));
    EXPECT_NEAR(back, d, std::fabs(d) * 1e-14);
  }
}
