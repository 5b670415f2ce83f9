#include "model/LevelScales.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(LevelScalesTest, DecodesThePackedFloat) {
  EXPECT_FLOAT_EQ(DecodeLevel(0x00, 0x3F, 0x00), 0.5f);
  EXPECT_FLOAT_EQ(DecodeLevel(0x80, 0x3F, 0x00), 1.0f);
  EXPECT_NEAR(LevelToDb(DecodeLevel(0x00, 0x3F, 0x00)), -6.02, 0.01);
  // The silent marker, exact zero, negatives, infinities and NaN all read as
  // 1e-7, -140 dB.
  const std::uint8_t silent[][3] = {
      {0xFF, 0xFF, 0xFF}, {0x00, 0x00, 0x00}, {0x00, 0xBF, 0x00}, {0x80, 0x7F, 0x00}, {0xC0, 0x7F, 0x00}};
  for (const auto& s : silent) {
    EXPECT_FLOAT_EQ(DecodeLevel(s[0], s[1], s[2]), 1e-7f);
    EXPECT_NEAR(LevelToDb(DecodeLevel(s[0], s[1], s[2])), -140.0, 1e-3);
  }
}

TEST(LevelScalesTest, MeterPositionsFollowTheThresholds) {
  struct Case {
    MeterScale scale;
    double dB;
    int position;
  } cases[] = {
      {MeterScale::Input, -140.0, 0}, {MeterScale::Input, -70.0, 0},  {MeterScale::Input, -69.9, 1},
      {MeterScale::Input, -6.02, 8},  {MeterScale::Input, -4.0, 8},   {MeterScale::Input, -3.9, 9},
      {MeterScale::Output, -25.0, 3}, {MeterScale::Output, -24.9, 4}, {MeterScale::Output, 3.0, 8},
  };
  for (const auto& c : cases) EXPECT_EQ(MeterPosition(c.scale, c.dB), c.position) << c.dB;
  EXPECT_EQ(MeterSegments(MeterScale::Input), 9);
  EXPECT_EQ(MeterSegments(MeterScale::Output), 8);
}

TEST(LevelScalesTest, AutomixAndCameraTexts) {
  EXPECT_EQ(AutoMixGainText(0, 0), "0.0dB");
  EXPECT_EQ(AutoMixGainText(1, 0), "-3.0dB");
  EXPECT_EQ(CameraPositionText(0), "None");
  EXPECT_EQ(CameraPositionText(3), "In3");
}
