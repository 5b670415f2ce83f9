#include "model/ValueScales.h"

#include "model/CommonConstants.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>

TEST(FreqScale, GridPoints) {
  EXPECT_EQ(IndexToFreq(170), 1000.0);
  EXPECT_NEAR(IndexToFreq(0), 19.6863, 1e-4);
  EXPECT_NEAR(IndexToFreq(300), 20158.737, 1e-3);
  EXPECT_NEAR(IndexToFreq(140), 500.0, 1e-9);
}

// Fader positions go to Hz for the band table and come back through
// FreqToIndex, also after the curve code rounded them to single precision.
TEST(FreqScale, EveryIndexSurvivesTheRoundTrip) {
  for (int i = FreqIndexMin; i <= FreqIndexMax; ++i) {
    EXPECT_EQ(FreqToIndex(IndexToFreq(i)), i);
    EXPECT_EQ(FreqToIndex(static_cast<float>(IndexToFreq(i))), i);
  }
}

TEST(FreqScale, RoundingBetweenGridPoints) {
  // The geometric middle of two grid points is an exact half: it goes down.
  for (int i : {0, 37, 170, 299})
    EXPECT_EQ(FreqToIndex(std::sqrt(IndexToFreq(i) * IndexToFreq(i + 1))), i) << i;
  // Just past the middle goes up.
  EXPECT_EQ(FreqToIndex(1000.0 * std::pow(FreqStepRatio, 0.6)), 171);
  // Below the grid the result is truncated toward zero, never rounded:
  // 15 Hz lies at -11.7.
  EXPECT_EQ(FreqToIndex(15.0), -11);
  // No frequency makes the conversion undefined; callers clamp.
  EXPECT_EQ(FreqToIndex(0.0), std::numeric_limits<int>::min());
  EXPECT_EQ(FreqToIndex(std::nan("")), 0);
}

TEST(PeqGainScale, TruncatesTenthsTowardZero) {
  EXPECT_EQ(IndexToPeqGain(PeqGainIndexZero), 0.0);
  EXPECT_NEAR(IndexToPeqGain(0), -12.0, 1e-12);
  EXPECT_NEAR(IndexToPeqGain(240), 12.0, 1e-12);
  EXPECT_EQ(PeqGainToIndex(-0.05), 120);
  EXPECT_EQ(PeqGainToIndex(-0.15), 119);
  EXPECT_EQ(PeqGainToIndex(0.19), 121);
  for (int i = PeqGainIndexMin; i <= PeqGainIndexMax; ++i) EXPECT_EQ(PeqGainToIndex(IndexToPeqGain(i)), i);
}

TEST(PeqQScale, TableAndComputedValuesMapBackToTheirIndex) {
  for (int i = PeqQIndexMin; i <= PeqQIndexMax; ++i) {
    EXPECT_EQ(PeqQToIndex(PeqQTable[i]), i) << "table Q " << PeqQTable[i];
    EXPECT_EQ(PeqQToIndex(IndexToPeqQ(i)), i) << "computed Q " << IndexToPeqQ(i);
  }
}

TEST(PeqQScale, Points) {
  struct Case {
    double q;
    int index;
  };
  for (const Case c : {Case{0.4, 0},
                       {0.41, 1},
                       {3.0, 35},
                       {7.1, 50},
                       {128.0, 100},
                       {100.0, 96},
                       // Above the table the index is not clamped.
                       {150.0, 101}})
    EXPECT_EQ(PeqQToIndex(c.q), c.index) << "Q " << c.q;

  // Computed Q: exactly two decimals, and a little off the table.
  EXPECT_EQ(IndexToPeqQ(0), 0.40);
  EXPECT_EQ(IndexToPeqQ(35), 3.01);
  EXPECT_EQ(IndexToPeqQ(50), 7.15);
  EXPECT_EQ(IndexToPeqQ(62), 14.29);
  EXPECT_EQ(IndexToPeqQ(70), 22.67);
  EXPECT_EQ(IndexToPeqQ(100), 128.0);
  // Only the low 8 bits of the index count.
  EXPECT_EQ(IndexToPeqQ(256 + 50), IndexToPeqQ(50));
  EXPECT_EQ(IndexToPeqQ(-206), IndexToPeqQ(50));

  // A Q of 0 gives a defined index below the range; callers clamp it.
  EXPECT_LT(PeqQToIndex(0.0), 0);
}

TEST(DelayScale, TypedValueToSamples) {
  struct Case {
    double value;
    int unit;
    int samples;
  };
  for (const Case c : {Case{1.0, DelayUnitMs, 48},
                       {12.5, DelayUnitMs, 600},
                       {680.0, DelayUnitMs, 32640},
                       {1.0, DelayUnitMetre, 139},
                       {3.0, DelayUnitMetre, 419},
                       {1.0, DelayUnitFeet, 42},
                       {0.0, DelayUnitFeet, 0},
                       // An undefined unit reads as ms, as the delay texts show it.
                       {1.0, 7, 48},
                       // Far out of range saturates; the page clamps it to 32640.
                       {1e30, DelayUnitMs, std::numeric_limits<int>::max()}})
    EXPECT_EQ(DelayToSamples(c.value, c.unit), c.samples) << c.value << " in unit " << c.unit;
}

TEST(TypedEntry, IsNumericText) {
  for (const char* text : {"", "12,5", "12.5", " 3 ", "0123456789"})
    EXPECT_TRUE(IsNumericText(text)) << '"' << text << '"';
  for (const char* text : {"-1", "+1", "3dB", "1e3", "\t1"})
    EXPECT_FALSE(IsNumericText(text)) << '"' << text << '"';
}

TEST(TypedEntry, RemoveUnitSuffixes) {
  EXPECT_EQ(RemoveUnitSuffixes("12.5ms", TimeSuffixes), "12.5");
  EXPECT_EQ(RemoveUnitSuffixes("50MS", TimeSuffixes), "50");
  EXPECT_EQ(RemoveUnitSuffixes("3dB", GainSuffixes), "3");
  EXPECT_EQ(RemoveUnitSuffixes("-3.5 Db", GainSuffixes), "-3.5 ");
  EXPECT_EQ(RemoveUnitSuffixes("3 m", MetreSuffixes), "3 ");
  EXPECT_EQ(RemoveUnitSuffixes("3M", MetreSuffixes), "3");
  EXPECT_EQ(RemoveUnitSuffixes("10fT", FeetSuffixes), "10");
  EXPECT_EQ(RemoveUnitSuffixes("12", TimeSuffixes), "12");
  // The last characters go, wherever the form stood.
  EXPECT_EQ(RemoveUnitSuffixes("1ms5", TimeSuffixes), "1m");
  // Each form is looked for in what the earlier forms left.
  EXPECT_EQ(RemoveUnitSuffixes("3msMS", TimeSuffixes), "3ms");
  EXPECT_EQ(RemoveUnitSuffixes("dB", GainSuffixes), "");
}

TEST(ScaleTexts, Gain) {
  struct Case {
    int position;
    const char* text;
  };
  for (const Case c : {Case{0, "+0.0dB"},
                       {1, "+0.1dB"},
                       {120, "+12.0dB"},
                       {-1, "-0.1dB"},
                       {-200, "-20.0dB"},
                       {-201, "-20.5dB"},
                       {-279, "-59.5dB"},
                       {-280, "-60.0dB"}})
    EXPECT_EQ(GainText(c.position), c.text) << c.position;
}

TEST(ScaleTexts, PeqBandBoxes) {
  struct Case {
    int index;
    const char* text;
  };
  for (const Case c : {Case{0, "-12.0dB"},
                       {50, "-7.0dB"},
                       {119, "-0.1dB"},
                       {120, "+0.0dB"},
                       {121, "+0.1dB"},
                       {240, "+12.0dB"}})
    EXPECT_EQ(PeqGainText(c.index), c.text) << c.index;
  for (const Case c : {Case{0, "0.40"},
                       {16, "1.00"},
                       {50, "7.10"},
                       {100, "128.00"},
                       // The box never reads outside the table.
                       {-1, "0.40"},
                       {101, "128.00"}})
    EXPECT_EQ(PeqQText(c.index), c.text) << c.index;
}

TEST(ScaleTexts, Frequency) {
  struct Case {
    int index;
    const char* text;
    const char* box;
  };
  for (const Case c : {Case{0, "19.7Hz", " 19.7Hz"},
                       {140, "500.0Hz", " 500.0Hz"},
                       {169, "977.2Hz", " 977.2Hz"},
                       {170, "1.00KHz", "1.00KHz"},
                       {300, "20.16KHz", "20.16KHz"}}) {
    const double hz = IndexToFreq(c.index);
    EXPECT_EQ(FreqText(hz), c.text) << c.index;
    EXPECT_EQ(FreqText(static_cast<float>(hz)), c.text) << c.index;
    EXPECT_EQ(FreqBoxText(hz), c.box) << c.index;
  }
}

TEST(ScaleTexts, Delay) {
  EXPECT_EQ(DelayText(0, DelayUnitMs), "0.000 ms");
  EXPECT_EQ(DelayText(48, DelayUnitMs), "1.000 ms");
  EXPECT_EQ(DelayText(32640, DelayUnitMs), "680.000 ms");
  EXPECT_EQ(DelayText(32640, DelayUnitMetre), "233.580 m");
  EXPECT_EQ(DelayText(32640, DelayUnitFeet), "766.329 ft");
  EXPECT_EQ(DelayText(48, DelayUnitMetre), "0.344 m");
  EXPECT_EQ(DelayText(32640, 3), "680.000 ms");
}

TEST(ScaleTexts, DynamicsAndRatio) {
  EXPECT_EQ(ThresholdText(DynThresholdMin), "-90.0dB");
  EXPECT_EQ(ThresholdText(DynThresholdMax), "+20.0dB");
  EXPECT_EQ(ThresholdText(0), "+0.0dB");
  EXPECT_EQ(ThresholdText(-1), "-0.5dB");
  EXPECT_EQ(ThresholdWideText(40), " +20.0dB");
  EXPECT_EQ(ThresholdWideText(10), "  +5.0dB");
  EXPECT_EQ(ThresholdWideText(-180), " -90.0dB");

  EXPECT_EQ(DynTimeText(0), "1ms");
  EXPECT_EQ(DynTimeText(DynReleaseMax), "3000ms");
  EXPECT_EQ(DynTimeText(0, 3), "  1ms");
  EXPECT_EQ(DynTimeText(std::numeric_limits<int>::max()), "2147483648ms");

  EXPECT_EQ(CompRatioDisplayText(0), "1:1.0");
  EXPECT_EQ(CompRatioDisplayText(14), "1:20.0");
  EXPECT_EQ(CompRatioDisplayText(CompRatioLimit), "Limit");
  EXPECT_EQ(CompRatioDisplayText(16), "Limit");
  EXPECT_EQ(CompRatioDisplayText(-1), "1:1.0");
}

TEST(ScaleTexts, MicGainList) {
  EXPECT_EQ(MicGainItemText(0), "50dB");
  EXPECT_EQ(MicGainItemText(40), "10dB");
  EXPECT_EQ(MicGainItemText(41), "9 dB");
  EXPECT_EQ(MicGainItemText(MicGainZeroDbItem), "0 dB");

  // Line level and mic at 0 dB show the same item.
  EXPECT_EQ(MicGainStepToItem(MicGainLineLevel), MicGainZeroDbItem);
  EXPECT_EQ(MicGainStepToItem(1), MicGainZeroDbItem);
  EXPECT_EQ(MicGainStepToItem(11), 40);
  EXPECT_EQ(MicGainStepToItem(MicGainStepMax), 0);
  EXPECT_EQ(MicGainStepToItem(200), 0);  // a corrupt step stays inside the list
  EXPECT_EQ(MicGainItemToStep(MicGainZeroDbItem), 1);
  EXPECT_EQ(MicGainItemToStep(0), MicGainStepMax);
  for (int step = 1; step <= MicGainStepMax; ++step) {
    EXPECT_EQ(MicGainItemToStep(MicGainStepToItem(step)), step);
    EXPECT_EQ(MicGainItemText(MicGainStepToItem(step)),
              std::to_string(step - 1) + (step > 10 ? "dB" : " dB"));
  }
}

// The window library sets the user's locale for the process; a locale with a
// decimal comma must not leak into the texts or the Q rounding.
TEST(ScaleTexts, IgnoreTheProcessNumericLocale) {
  const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
  const char* found = nullptr;
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8", "ru_RU.UTF-8"})
    if (std::setlocale(LC_NUMERIC, name)) {
      found = name;
      break;
    }
  if (!found) GTEST_SKIP() << "no locale with a decimal comma installed";

  EXPECT_EQ(GainText(-201), "-20.5dB");
  EXPECT_EQ(DelayText(32640, DelayUnitMetre), "233.580 m");
  EXPECT_EQ(IndexToPeqQ(50), 7.15);
  EXPECT_EQ(PeqQToIndex(7.1), 50);
  std::setlocale(LC_NUMERIC, saved.c_str());
}
