// Fonts, string formats, measuring and drawing text.
#include <gtest/gtest.h>

#include "Support.h"

using namespace Gdiplus;
using namespace gdiplus_test;

namespace {

struct TextFixture : ::testing::Test {
  QImage image = Canvas(300, 120);
  Graphics g{&image};
  FontFamily family{u"Arial"};
  Font font{&family, 12.0f, FontStyleRegular, UnitPixel};

  RectF Measure(const std::u16string& text, const StringFormat* format, const RectF& layout = RectF()) {
    RectF box;
    EXPECT_EQ(Ok, g.MeasureString(text.c_str(), INT(text.size()), &font, layout, format, &box));
    return box;
  }
};

}  // namespace

TEST(Fonts, FamiliesResolveOrReportNotFound) {
  FontFamily arial(u"Arial");
  EXPECT_EQ(Ok, arial.GetLastStatus());
  EXPECT_TRUE(arial.IsAvailable());
  WCHAR name[FamilyNameLength];
  ASSERT_EQ(Ok, arial.GetFamilyName(name));
  EXPECT_EQ(std::u16string(u"Arial"), std::u16string(name));
  FontFamily tahoma(u"tahoma");  // names match without regard to case
  EXPECT_TRUE(tahoma.IsAvailable());

  FontFamily missing(u"No Such Family 12345");
  EXPECT_FALSE(missing.IsAvailable());
  EXPECT_EQ(FontFamilyNotFound, missing.GetLastStatus());

  // A font by an unknown name falls back to the generic sans serif.
  Font fallback(u"No Such Family 12345", 9.0f, FontStyleBold);
  EXPECT_EQ(Ok, fallback.GetLastStatus());
  EXPECT_TRUE(fallback.IsAvailable());
  EXPECT_EQ(FontStyleBold, fallback.GetStyle());
  EXPECT_EQ(UnitPoint, fallback.GetUnit());
  EXPECT_EQ(FontFamily::GenericSansSerif(), FontFamily::GenericSansSerif());
  EXPECT_TRUE(FontFamily::GenericSerif()->IsAvailable());
  EXPECT_TRUE(FontFamily::GenericMonospace()->IsAvailable());

  Font zero(&arial, 0.0f);
  EXPECT_EQ(InvalidParameter, zero.GetLastStatus());
  Font display(&arial, 10.0f, FontStyleRegular, UnitDisplay);
  EXPECT_EQ(InvalidParameter, display.GetLastStatus());
}

TEST(Fonts, PointSizesScaleWithResolution) {
  FontFamily arial(u"Arial");
  Font points(&arial, 9.0f, FontStyleRegular, UnitPoint);
  Font pixels(&arial, 12.0f, FontStyleRegular, UnitPixel);
  EXPECT_DOUBLE_EQ(12.0, points.PixelSize(96));  // 9 pt at 96 dpi
  EXPECT_NEAR(points.GetHeight(96.0f), pixels.GetHeight(96.0f), 0.01);
  EXPECT_NEAR(2 * points.GetHeight(96.0f), points.GetHeight(192.0f), 0.05);
  EXPECT_GT(pixels.GetHeight(96.0f), 12.0f);  // line spacing exceeds the em
}

TEST_F(TextFixture, DefaultFormatPadsBySixthOfAnEmEachSide) {
  const RectF plain = Measure(U("Hello, world"), StringFormat::GenericDefault());
  const RectF tight = Measure(U("Hello, world"), StringFormat::GenericTypographic());
  const RectF none = Measure(U("Hello, world"), nullptr);
  EXPECT_NEAR(12.0 / 3, plain.Width - tight.Width, 0.01);
  EXPECT_FLOAT_EQ(plain.Width, none.Width);  // no format means the generic default
  EXPECT_FLOAT_EQ(plain.Height, tight.Height);
  EXPECT_NEAR(font.GetHeight(&g), plain.Height, 0.5);
  // The ratio holds at any size.
  Font big(&family, 36.0f, FontStyleRegular, UnitPixel);
  RectF bigPlain, bigTight;
  const std::u16string text = U("Hello, world");
  g.MeasureString(text.c_str(), -1, &big, RectF(), StringFormat::GenericDefault(), &bigPlain);
  g.MeasureString(text.c_str(), -1, &big, RectF(), StringFormat::GenericTypographic(), &bigTight);
  EXPECT_NEAR(1.0 / 3, (bigPlain.Width - bigTight.Width) / 36.0, 0.001);
}

TEST_F(TextFixture, TrailingSpacesCountOnlyWhenAsked) {
  StringFormat trailing(StringFormatFlagsMeasureTrailingSpaces);
  EXPECT_FLOAT_EQ(Measure(U("ab"), nullptr).Width, Measure(U("ab  "), nullptr).Width);
  EXPECT_GT(Measure(U("ab  "), &trailing).Width, Measure(U("ab"), &trailing).Width + 4);
  const RectF empty = Measure(U(""), nullptr, RectF(7, 8, 100, 50));
  EXPECT_EQ(7, empty.X);
  EXPECT_EQ(0, empty.Width);
  EXPECT_EQ(0, empty.Height);
}

TEST_F(TextFixture, WrappingLinesAndNoWrap) {
  const std::u16string text = U("alpha beta gamma delta");
  const RectF one = Measure(text, nullptr);
  const RectF narrow(0, 0, one.Width / 2, 500);
  RectF box;
  INT fitted = 0, lines = 0;
  ASSERT_EQ(Ok, g.MeasureString(text.c_str(), -1, &font, narrow, nullptr, &box, &fitted, &lines));
  EXPECT_GE(lines, 2);
  EXPECT_LE(box.Width, narrow.Width + 0.01);
  EXPECT_NEAR(lines * one.Height, box.Height, 0.5);
  EXPECT_EQ(INT(text.size()), fitted);

  StringFormat noWrap(StringFormatFlagsNoWrap);
  ASSERT_EQ(Ok, g.MeasureString(text.c_str(), -1, &font, narrow, &noWrap, &box, &fitted, &lines));
  EXPECT_EQ(1, lines);
  EXPECT_FLOAT_EQ(one.Width, box.Width);

  // A rectangle one line high shows only the first line.
  StringFormat limit(StringFormatFlagsLineLimit);
  ASSERT_EQ(Ok, g.MeasureString(text.c_str(), -1, &font, RectF(0, 0, narrow.Width, one.Height + 1), &limit,
                                &box, &fitted, &lines));
  EXPECT_EQ(1, lines);
  EXPECT_GT(fitted, 0);
  EXPECT_LT(fitted, INT(text.size()));
}

TEST_F(TextFixture, AlignmentInRectanglesAndAroundPoints) {
  const std::u16string text = U("Mid");
  const RectF width = Measure(text, nullptr);
  StringFormat centre;
  centre.SetAlignment(StringAlignmentCenter);
  centre.SetLineAlignment(StringAlignmentCenter);
  const RectF inRect = Measure(text, &centre, RectF(10, 20, 200, 60));
  EXPECT_NEAR(110, inRect.X + inRect.Width / 2, 0.01);
  EXPECT_NEAR(50, inRect.Y + inRect.Height / 2, 0.01);
  const RectF aroundPoint = Measure(text, &centre, RectF(100, 40, 0, 0));
  EXPECT_NEAR(100 - width.Width / 2, aroundPoint.X, 0.01);

  StringFormat far;
  far.SetAlignment(StringAlignmentFar);
  const RectF right = Measure(text, &far, RectF(10, 20, 200, 60));
  EXPECT_NEAR(210, right.X + right.Width, 0.01);
  EXPECT_EQ(InvalidParameter, far.SetAlignment(StringAlignment(7)));
  EXPECT_EQ(InvalidParameter, far.GetLastStatus());
}

TEST_F(TextFixture, HotkeyPrefixesAreTakenOut) {
  StringFormat hide;
  hide.SetHotkeyPrefix(HotkeyPrefixHide);
  EXPECT_FLOAT_EQ(Measure(U("File"), nullptr).Width, Measure(U("&File"), &hide).Width);
  EXPECT_FLOAT_EQ(Measure(U("A&B"), nullptr).Width, Measure(U("A&&B"), &hide).Width);
  EXPECT_GT(Measure(U("&File"), nullptr).Width, Measure(U("File"), nullptr).Width);
}

TEST_F(TextFixture, DrawStringInksInsideItsBoxAndClips) {
  SolidBrush black(Color(255, 0, 0, 0));
  const std::u16string text = U("Wide text here");
  const RectF box = Measure(text, nullptr, RectF(10, 10, 0, 0));
  ASSERT_EQ(Ok, g.DrawString(text.c_str(), -1, &font, PointF(10, 10), &black));
  int inkLeft = 1000, inkRight = -1;
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 300; ++x)
      if (IsInk(image, x, y)) {
        inkLeft = std::min(inkLeft, x);
        inkRight = std::max(inkRight, x);
      }
  ASSERT_GE(inkRight, 0);
  EXPECT_GE(inkLeft, int(box.X + 1));  // the padding stays clear
  EXPECT_LE(inkRight, int(box.GetRight()));

  // Clipped to the layout rectangle unless NoClip.
  const RectF small(10, 70, 30, 40);
  StringFormat noWrapNoClip(StringFormatFlagsNoWrap | StringFormatFlagsNoClip);
  g.DrawString(text.c_str(), -1, &font, small, &noWrapNoClip, &black);
  bool beyond = false;
  for (int y = 70; y < 110; ++y)
    for (int x = 45; x < 300; ++x) beyond = beyond || IsInk(image, x, y);
  EXPECT_TRUE(beyond) << "NoClip lets the text run on";
  QImage other = Canvas(300, 120);
  Graphics g2(&other);
  StringFormat noWrap(StringFormatFlagsNoWrap);
  g2.DrawString(text.c_str(), -1, &font, small, &noWrap, &black);
  beyond = false;
  bool inside = false;
  for (int y = 60; y < 120; ++y)
    for (int x = 0; x < 300; ++x) {
      if (x > 40) beyond = beyond || IsInk(other, x, y);
      inside = inside || IsInk(other, x, y);
    }
  EXPECT_TRUE(inside);
  EXPECT_FALSE(beyond) << "the default format clips to the rectangle";
}

TEST_F(TextFixture, TextTakesAnyBrush) {
  Font bigFont(&family, 40.0f, FontStyleBold, UnitPixel);
  LinearGradientBrush gradient(RectF(0, 0, 300, 60), Color(255, 255, 0, 0), Color(255, 0, 0, 255),
                               LinearGradientModeHorizontal);
  const std::u16string text = U("MMMMMMMM");
  ASSERT_EQ(Ok, g.DrawString(text.c_str(), -1, &bigFont, PointF(0, 0), &gradient));
  int reddest = -1, bluest = -1;
  for (int x = 0; x < 300; ++x) {
    const unsigned c = Px(image, x, 25);
    if (IsInk(image, x, 25) && Red(c) > 200 && reddest < 0) reddest = x;
    if (IsInk(image, x, 25) && Blue(c) > 150) bluest = x;
  }
  ASSERT_GE(reddest, 0);
  EXPECT_LT(reddest, 15);  // the outlines start where the text was asked to
  EXPECT_GT(bluest, reddest);
}

TEST(TextOutline, AddStringMakesClosedFigures) {
  FontFamily arial(u"Arial");
  GraphicsPath path;
  const std::u16string text = U("Hi");
  ASSERT_EQ(Ok, path.AddString(text.c_str(), -1, &arial, FontStyleRegular, 20.0f, PointF(5, 5), nullptr));
  ASSERT_GT(path.GetPointCount(), 8);
  RectF bounds;
  path.GetBounds(&bounds);
  EXPECT_GT(bounds.X, 5);
  EXPECT_LT(bounds.X, 5 + 20.0 / 6 + 3);
  EXPECT_GT(bounds.Y, 5);
  EXPECT_LT(bounds.Y, 15);
  EXPECT_LT(bounds.Height, 25);
  EXPECT_TRUE(path.Types().back() & PathPointTypeCloseSubpath);
}
