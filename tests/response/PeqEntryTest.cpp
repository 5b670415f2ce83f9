// Conversions and typed-entry rules of the PEQ band tables, as tables.
#include <gtest/gtest.h>

#include "response/PeqEntry.h"

TEST(PeqEntry, DisplayFormats) {
  EXPECT_EQ(PeqFreqText(PeqPositionFrequency(-170)), "19.7Hz");
  EXPECT_EQ(PeqFreqText(PeqPositionFrequency(-30)), "500.0Hz");
  EXPECT_EQ(PeqFreqText(PeqPositionFrequency(0)), "1.00KHz");
  EXPECT_EQ(PeqFreqText(PeqPositionFrequency(130)), "20.16KHz");
  EXPECT_EQ(PeqQText(0.4), "0.40");
  EXPECT_EQ(PeqQText(7.1), "7.10");
  EXPECT_EQ(PeqQText(128), "128.00");
  EXPECT_EQ(PeqQText(1.26), "1.26");
  EXPECT_EQ(PeqGainText(0), "0dB");
  EXPECT_EQ(PeqGainText(-3.5), "-3.5dB");
  EXPECT_EQ(PeqGainText(12), "12dB");
  EXPECT_EQ(PeqGainText(3.45), "3.45dB");
}

TEST(PeqEntry, SetterRoundings) {
  const struct {
    double hz;
    int position;
  } freq[] = {{1000, 0},    {100, -100}, {20000, 130}, {99.2, -100},
              {25000, 130}, {5, -170},   {0, -170},    {-3, -170}};
  for (const auto& row : freq) EXPECT_EQ(PeqFreqPositionFromHz(row.hz), row.position) << row.hz;
  EXPECT_EQ(PeqFreqText(PeqPositionFrequency(-100)), "99.2Hz");
  const struct {
    double db;
    int truncated, rounded;
  } gain[] = {{3.4, 34, 34}, {-3.4, -34, -34}, {3.47, 34, 35}, {-3.47, -34, -35}, {3.45, 34, 34}, {0, 0, 0}};
  for (const auto& row : gain) {
    EXPECT_EQ(PeqGainPositionTruncated(row.db), row.truncated) << row.db;
    EXPECT_EQ(PeqGainPositionRounded(row.db), row.rounded) << row.db;
  }
}

TEST(PeqEntry, TypedFrequency) {
  const struct {
    const char* text;
    int index;  // FreqIndex, or -1 for refused
  } table[] = {
      {"1kHz", 170}, {"1000", 170}, {"1K", 170}, {"20k", 300}, {"25000", 300},
      {"10", 0},     {"999", 170},  {"1,5", 0},  // the comma passes and ends the number: 1 Hz
      {"100Hz", 70}, {"100hz", 70}, {"0", -1},   {".", -1},    {"", -1},
      {"1.2.3", -1}, {"1 kHz", -1}, {"abc", -1}, {"1Hz5", -1},  // loses its last two characters: "1H"
      {"0.0", -1},   {"00", -1},    {",5", -1},                 // read as zero
  };
  for (const auto& row : table) {
    const auto got = ParseTypedFrequency(row.text);
    if (row.index < 0)
      EXPECT_FALSE(got.has_value()) << row.text;
    else
      EXPECT_EQ(got.value_or(999) + 170, row.index) << row.text;
  }
  EXPECT_EQ(TypedFreqToIndex(20, 1), 300);
  EXPECT_EQ(TypedFreqToIndex(0, 0), 0);
}

TEST(PeqEntry, TypedQ) {
  const struct {
    const char* text;
    int index;
  } table[] = {{"200", 100}, {"0.1", 0}, {"1.26", 20}, {"128", 100}, {"0.4", 0},  {"7.1", 50},
               {"0", -1},    {".", -1},  {"", -1},     {"1.2.", -1}, {"1Hz", -1}, {"2 ", -1}};
  for (const auto& row : table) {
    const auto got = ParseTypedQ(row.text);
    if (row.index < 0)
      EXPECT_FALSE(got.has_value()) << row.text;
    else
      EXPECT_EQ(got.value_or(999), row.index) << row.text;
  }
}

TEST(PeqEntry, TypedGain) {
  const struct {
    const char* text;
    int limit;
    int position;  // or 999 for refused
  } table[] = {
      {"3.45dB", 12, 34}, {"-15", 12, -120}, {"5.", 12, 999}, {"-", 12, 999},    {"-0", 12, 0},
      {"5-", 12, 50},     {"12dB", 12, 120}, {"3.4", 12, 34}, {"--1", 12, 999},  {"1.2.3", 12, 999},
      {"x", 12, 999},     {"", 12, 999},     {"7.5", 6, 60},  {"-6.25", 6, -60}, {"5.5dB", 6, 55},
  };
  for (const auto& row : table) {
    const auto got = ParseTypedGain(row.text, row.limit);
    EXPECT_EQ(got.value_or(999), row.position) << row.text;
  }
}
