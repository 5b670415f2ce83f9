// Drawing and utility functions: colour arithmetic, gradients, decimals,
// date-time units, paper sizes, and the repaint-free shared classes.

#include "instruments/base/iDrawing.h"
#include "tests/instruments/InstrumentsTestSupport.h"

namespace {

TEST(DrawingTest, ColourArithmetic) {
  struct {
    TColor in;
    int divisor;
    TColor out;
  } divide[] = {
      {0x00FFFF, 3, 0x005555}, {0x00FF00, 3, 0x005500}, {0x102030, -2, 0x204060}, {0x808080, -4, 0xFFFFFF}};
  for (const auto& k : divide) EXPECT_EQ(ColorDivide(k.in, k.divisor), k.out) << std::hex << k.in;
  // The colour as stored: a system colour is not resolved first.
  EXPECT_EQ(ColorDivide(clBtnFace, 1), 0x00000F);
  EXPECT_EQ(ColorAdjust(0xF0F0F0, 32, true), 0xFFFFFF);
  EXPECT_EQ(ColorAdjust(0x102030, 32, false), 0x000010);
  EXPECT_EQ(ColorHighlight(clBtnFace), ColorAdjust(ColorToRGB(clBtnFace), 32, true));
  EXPECT_EQ(ColorShadow(clWhite), 0xBFBFBF);
}

TEST(DrawingTest, GradientStepsAndColours) {
  int pen = 0;
  auto steps = GradientSteps(TRect(0, 0, 31, 31), ifdRectangleOut, clBlack, clWhite, pen);
  EXPECT_EQ(steps.size(), 11u);
  EXPECT_EQ(pen, 2);
  EXPECT_EQ(steps.front().Color, clBlack);
  EXPECT_EQ(steps.back().Color, clWhite);
  steps = GradientSteps(TRect(0, 0, 10, 5), ifdBottomTop, clRed, clBlue, pen);
  ASSERT_EQ(steps.size(), 5u);
  EXPECT_EQ(steps.front().Color, clBlue);  // reversed: step 0 has the stop colour
  EXPECT_EQ(steps.back().Color, clRed);
  EXPECT_EQ(steps[2].P1, TPoint(0, 2));
  EXPECT_EQ(steps[2].P2, TPoint(10, 2));
  // One pixel long: one step, no division by zero.
  steps = GradientSteps(TRect(0, 0, 10, 1), ifdTopBottom, clRed, clBlue, pen);
  ASSERT_EQ(steps.size(), 1u);
  EXPECT_EQ(steps[0].Color, clRed);
  EXPECT_TRUE(GradientSteps(TRect(0, 0, 10, 0), ifdTopBottom, clRed, clBlue, pen).empty());
}

TEST(DrawingTest, FillGradientPaintsTheCentreInTheStartColour) {
  classlib_test::App();
  TBitmap b(31, 31);
  FillGradient(b.GetCanvas(), TRect(0, 0, 31, 31), ifdRectangleOut, 0x0000FF, 0xFF0000);
  EXPECT_EQ(b.GetCanvas()->GetPixels(14, 14), 0x0000FF);
  TBitmap v(4, 20);
  FillGradient(v.GetCanvas(), TRect(0, 0, 4, 20), ifdTopBottom, clBlack, clWhite);
  EXPECT_EQ(v.GetCanvas()->GetPixels(1, 0), clBlack);
  EXPECT_EQ(v.GetCanvas()->GetPixels(1, 19), clWhite);
}

TEST(DrawingTest, DecimalsForPrecision) {
  struct {
    int precision;
    TiPrecisionStyle style;
    double a, b;
    int decimals;
  } cases[] = {{3, ipsSignificantDigits, 0, 100, 0}, {3, ipsSignificantDigits, 0, 0.5, 3},
               {3, ipsSignificantDigits, 0, 0, 1},   {3, ipsSignificantDigits, 0, 2, 2},
               {0, ipsSignificantDigits, 0, 2, 0},   {4, ipsFixedDecimalPoints, 0, 1e6, 4}};
  for (const auto& k : cases) EXPECT_EQ(DecimalsForPrecision(k.precision, k.style, k.a, k.b), k.decimals);
}

TEST(DrawingTest, DateTimeUnitsClampInsteadOfWrapping) {
  const double hour = 1.0 / 24, minute = hour / 60;
  EXPECT_EQ(DateTimeToMinutes(-1), 10000);
  EXPECT_EQ(DateTimeToSeconds(-1), 2147483647);
  EXPECT_EQ(DateTimeToMilliseconds(30), 2147483647);
  EXPECT_EQ(DateTimeToMilliseconds(1 + hour + 2 * minute), 86400000 + 3600000 + 120000);
  EXPECT_EQ(DateTimeToSeconds(2 * hour), 7200);
  EXPECT_EQ(DateTimeToMinutes(1 + 30 * minute), 1470);
  EXPECT_EQ(DateTimeToHours(3), 72);
  EXPECT_EQ(DateTimeToHours(1e9), 2147483647);
}

TEST(DrawingTest, PaperSizes) {
  double w = 0, h = 0;
  GetPaperSizeInches(9, w, h);
  EXPECT_NEAR(w, 8.2677, 1e-4);
  EXPECT_NEAR(h, 11.6929, 1e-4);
  GetPaperSizeInches(5, w, h);
  EXPECT_EQ(w, 8.5);
  EXPECT_EQ(h, 14);
  for (int code : {0, 48, 69, 500}) {
    GetPaperSizeInches(code, w, h);
    EXPECT_EQ(w, 8.5);
    EXPECT_EQ(h, 11);
  }
}

TEST(DrawingTest, Geometry) {
  EXPECT_EQ(NormalizedRect(5, 9, 1, 2), TRect(1, 2, 5, 9));
  EXPECT_EQ(NormalizedRectSwapXY(true, 5, 9, 1, 2), TRect(2, 1, 9, 5));
  EXPECT_EQ(PointSwapXY(true, 1, 2), TPoint(2, 1));
  EXPECT_EQ(iRound(2.5), 2);
  EXPECT_EQ(iRound(3.5), 4);
}

TEST(DrawingTest, DisabledTextIsEtchedExceptOnBlack) {
  classlib_test::App();
  auto count = [](TBitmap& b, TColor c) {
    int n = 0;
    for (int y = 0; y < b.GetHeight(); ++y)
      for (int x = 0; x < b.GetWidth(); ++x) n += b.GetCanvas()->GetPixels(x, y) == c;
    return n;
  };
  const TColor light = ColorAdjust(clBtnFace, 64, true);
  for (TColor back : {clBlack, clBtnFace}) {
    TBitmap b(80, 30);
    b.GetCanvas()->Brush->SetColor(back);
    b.GetCanvas()->FillRect(TRect(0, 0, 80, 30));
    b.GetCanvas()->Brush->SetStyle(bsClear);
    b.GetCanvas()->Font->SetColor(clRed);
    b.GetCanvas()->Font->SetStyle(TFontStyles{fsBold});
    TRect r(0, 0, 80, 30);
    DrawTextWithFlags(b.GetCanvas(), "HHHH", r, back, false, iTextFlagLeft | iTextFlagTop);
    if (back == clBlack)
      EXPECT_EQ(count(b, light), 0);
    else
      EXPECT_GT(count(b, light), 0);
    EXPECT_EQ(b.GetCanvas()->Font->GetColor(), clRed);
  }
}

}  // namespace
