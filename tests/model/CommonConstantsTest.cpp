#include "model/CommonConstants.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstdio>
#include <numbers>
#include <string>

namespace {

constexpr std::uint32_t Rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
  return r | (g << 8) | (b << 16);
}

}  // namespace

TEST(CommonConstants, FixedTexts) {
  EXPECT_EQ(std::string(AppTitle) + " " + std::string(AppVersion), "TAVO DSP Processor Editor V1.32");
  EXPECT_EQ(DefaultDeviceIp, "192.168.1.101");
  EXPECT_EQ(EqTypeNames.front(), " Peak       ");
  EXPECT_EQ(EqTypeNames[EqTypeBypassName], "   BYPASS   ");
  EXPECT_EQ(CompRatioText[14], "20.0");
  EXPECT_EQ(CompRatioText[15], "Limit");
  EXPECT_EQ(CompRatioValue[15], 20.1);
}

TEST(CommonConstants, PeqQTableShape) {
  ASSERT_EQ(PeqQTable.size(), 101u);
  EXPECT_EQ(PeqQTable[0], 0.4);
  EXPECT_EQ(PeqQTable[16], 1.0);
  EXPECT_EQ(PeqQTable[35], 3.0);
  EXPECT_EQ(PeqQTable[50], 7.1);
  EXPECT_EQ(PeqQTable[100], 128.0);
  EXPECT_EQ(FreqStepRatio, std::pow(2.0, 1.0 / 30.0));
}

// The colour tables are given once as (red, green, blue) triples and once as
// TColor values; both must agree in the 0x00BBGGRR byte order.
TEST(CommonConstants, StripCurveColorsAreBgr) {
  const std::array<std::uint32_t, 16> fromRgb = {
      Rgb(128, 0, 0),   Rgb(0, 128, 0),   Rgb(128, 128, 0),   Rgb(0, 0, 128),
      Rgb(128, 0, 128), Rgb(0, 128, 128), Rgb(58, 110, 165),  Rgb(128, 128, 128),
      Rgb(255, 0, 0),   Rgb(0, 255, 0),   Rgb(255, 255, 0),   Rgb(0, 0, 255),
      Rgb(255, 0, 255), Rgb(0, 255, 255), Rgb(166, 202, 240), Rgb(255, 251, 240),
  };
  EXPECT_EQ(StripCurveColors, fromRgb);
  EXPECT_EQ(StripCurveColors.front(), 0x000080u);
  EXPECT_EQ(StripCurveColors.back(), 0xF0FBFFu);
}

TEST(CommonConstants, BandMarkerColorsRepeatFourteenColours) {
  ASSERT_EQ(BandMarkerColors.size(), 42u);
  EXPECT_EQ(BandMarkerColors.front(), 0x0000FFu);
  EXPECT_EQ(BandMarkerColors[13], 0x800000u);
  EXPECT_EQ(BandMarkerColors.back(), 0x800000u);
  for (std::size_t i = 14; i < BandMarkerColors.size(); ++i)
    EXPECT_EQ(BandMarkerColors[i], BandMarkerColors[i - 14]) << "slot " << i;
}

// The long names, the list items and the section codes describe the same
// slopes three times; each CutSlope must mean the same family and steepness in
// all three.
TEST(CommonConstants, CutSlopeTablesAgree) {
  EXPECT_EQ(CutSlopeNames.front(), "  BYPASS   ");
  EXPECT_EQ(CutSlopeOrder.front(), CutSectionBypass);
  EXPECT_EQ(&SlopeOrder, &CutSlopeOrder);

  for (int slope = 1; slope <= 20; ++slope) {
    SCOPED_TRACE("CutSlope " + std::to_string(slope));
    const std::string name(CutSlopeNames[slope]);
    const std::string item(CutSlopeComboItems[slope - 1]);
    const int code = CutSlopeOrder[slope];

    std::string family;
    int dbPerOctave = 0;
    if (code >= CutSectionLinkwitzFirst) {
      family = "LK";
      dbPerOctave = 12 * (code - CutSectionLinkwitzFirst + 1);
    } else if (code >= CutSectionBesselFirst) {
      family = "BL";
      dbPerOctave = 6 * (code - CutSectionBesselFirst + 1);
    } else {
      family = "BW";
      dbPerOctave = 6 * code;
    }
    const std::string longFamily = family == "BW" ? "BUTTER" : family == "BL" ? "BESSEL" : "LINK/R";
    char number[8];
    std::snprintf(number, sizeof number, "%02d", dbPerOctave);

    EXPECT_EQ(item, family + " -" + std::to_string(dbPerOctave));
    EXPECT_EQ(name, longFamily + "-" + number + "dB");
  }
}

namespace {

// |H(j)| in dB of a low-pass prototype cascade at the normalised cut-off.
double CascadeDbAtCutoff(float first, const std::array<std::complex<double>, 4>& seconds, int count) {
  const std::complex<double> s(0.0, 1.0);
  std::complex<double> h = 1.0;
  if (first != 0.0f) h /= 1.0 + static_cast<double>(first) * s;
  for (int k = 0; k < count; ++k) h /= 1.0 + seconds[k].real() * s + seconds[k].imag() * s * s;
  return 20.0 * std::log10(std::abs(h));
}

}  // namespace

// Both prototype tables are normalised to -3 dB at the cut-off; a mistyped
// coefficient moves the cut-off of its order.
TEST(CommonConstants, CutSectionTablesAreThreeDbDownAtCutoff) {
  for (int n = 1; n <= CutSectionOrders; ++n) {
    SCOPED_TRACE("order " + std::to_string(n));
    const ButterworthOrder& bw = ButterworthSectionTable[n - 1];
    const BesselOrder& bl = BesselSectionTable[n - 1];

    // An odd order has exactly one first-order section.
    EXPECT_EQ(bw.FirstOrder != 0.0f, n % 2 == 1);
    EXPECT_EQ(bl.FirstOrder != 0.0f, n % 2 == 1);

    std::array<std::complex<double>, 4> bwSections{}, blSections{};
    int bwCount = 0, blCount = 0;
    for (int k = 0; k < 4; ++k) {
      if (bw.SecondOrderP0[k] != 0.0f) {
        bwSections[bwCount++] = {bw.SecondOrderP0[k], 1.0};
        // Butterworth poles: P0 = 2 sin((2k - 1) pi / 2n).
        EXPECT_NEAR(bw.SecondOrderP0[k], 2.0 * std::sin((2 * bwCount - 1) * std::numbers::pi / (2 * n)),
                    2e-4);
      }
      if (bl.SecondOrder[k].P0 != 0.0f) blSections[blCount++] = {bl.SecondOrder[k].P0, bl.SecondOrder[k].P1};
    }
    EXPECT_EQ(bwCount, n / 2);
    EXPECT_EQ(blCount, n / 2);
    EXPECT_NEAR(CascadeDbAtCutoff(bw.FirstOrder, bwSections, bwCount), -3.0103, 0.002);
    EXPECT_NEAR(CascadeDbAtCutoff(bl.FirstOrder, blSections, blCount), -3.0103, 0.02);
  }
}
