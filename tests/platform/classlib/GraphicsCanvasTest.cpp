#include <gtest/gtest.h>

#include <QImage>

#include <functional>
#include <random>

#include "platform/classlib/Graphics.h"
#include "platform/classlib/PicturePng.h"
#include "tests/platform/classlib/GraphicsTestSupport.h"

namespace {

using namespace graphics_test;

struct PixelCase {
  const char* name;
  std::function<void(TCanvas&)> draw;
  std::vector<TPoint> set;    // must be black (the pen colour)
  std::vector<TPoint> unset;  // must stay white
  TRect bounds;               // no pixel outside may change
};

class CanvasPixels : public ::testing::TestWithParam<PixelCase> {
 protected:
  static void SetUpTestSuite() { EnsureGuiApp(); }
};

TEST_P(CanvasPixels, FollowsTheDrawingRules) {
  const PixelCase& c = GetParam();
  auto bmp = WhiteBitmap(24, 24);
  c.draw(*bmp->Canvas);
  for (TPoint p : c.set)
    EXPECT_EQ(bmp->Canvas->GetPixels(p.X, p.Y), clBlack) << "expected set: " << p.X << "," << p.Y;
  for (TPoint p : c.unset)
    EXPECT_EQ(bmp->Canvas->GetPixels(p.X, p.Y), clWhite) << "expected unset: " << p.X << "," << p.Y;
  for (TPoint p : InkedPixels(*bmp))
    EXPECT_TRUE(c.bounds.Contains(p)) << "pixel outside the shape's box: " << p.X << "," << p.Y;
}

const PixelCase kPixelCases[] = {
    {"RectangleExcludesRightAndBottom",
     [](TCanvas& c) { c.Rectangle(0, 0, 10, 10); },
     {{0, 0}, {9, 0}, {0, 9}, {9, 9}, {5, 0}, {0, 5}},
     {{10, 0}, {0, 10}, {10, 10}, {5, 5}},
     Rect(0, 0, 10, 10)},
    {"RectangleNormalisesSwappedCorners",
     [](TCanvas& c) { c.Rectangle(12, 8, 2, 3); },
     {{2, 3}, {11, 3}, {2, 7}, {11, 7}},
     {{12, 3}, {2, 8}},
     Rect(2, 3, 12, 8)},
    {"LineToExcludesItsLastPoint",
     [](TCanvas& c) {
       c.MoveTo(1, 1);
       c.LineTo(6, 1);
     },
     {{1, 1}, {5, 1}},
     {{6, 1}, {0, 1}},
     Rect(1, 1, 6, 2)},
    {"VerticalAndDiagonalLines",
     [](TCanvas& c) {
       c.MoveTo(3, 3);
       c.LineTo(3, 9);
       c.MoveTo(10, 10);
       c.LineTo(15, 15);
     },
     {{3, 3}, {3, 8}, {10, 10}, {14, 14}},
     {{3, 9}, {15, 15}},
     Rect(3, 3, 15, 15)},
    {"LineToLeftwardsStillExcludesEnd",
     [](TCanvas& c) {
       c.MoveTo(9, 4);
       c.LineTo(2, 4);
     },
     {{9, 4}, {3, 4}},
     {{2, 4}},
     Rect(3, 4, 10, 5)},
    {"PolylineDrawsInnerVerticesOnce",
     [](TCanvas& c) {
       c.Polyline({{1, 1}, {8, 1}, {8, 8}});
     },
     {{1, 1}, {8, 1}, {8, 7}},
     {{8, 8}},
     Rect(1, 1, 9, 8)},
    {"EllipseStaysInsideItsBox",
     [](TCanvas& c) { c.Ellipse(2, 2, 14, 10); },
     {{2, 5}, {13, 5}, {7, 2}, {7, 9}},
     {{2, 2}, {13, 9}, {7, 5}, {14, 5}, {7, 10}},
     Rect(2, 2, 14, 10)},
    {"RoundRectStaysInsideItsBox",
     [](TCanvas& c) { c.RoundRect(1, 1, 15, 11, 6, 6); },
     {{7, 1}, {7, 10}, {1, 6}, {14, 6}},
     {{1, 1}, {14, 10}, {7, 6}},
     Rect(1, 1, 15, 11)},
    {"PolygonOutlineThroughEveryVertex",
     [](TCanvas& c) {
       c.Polygon({{2, 2}, {12, 2}, {2, 12}});
     },
     {{2, 2}, {12, 2}, {2, 12}, {7, 2}, {2, 7}},
     {{13, 2}, {8, 8}},
     Rect(2, 2, 13, 13)},
    {"ArcHalfCircleCounterClockwise",
     [](TCanvas& c) { c.Arc(2, 2, 13, 13, 13, 7, 2, 7); },
     {{7, 2}},
     {{7, 12}},
     Rect(2, 2, 13, 13)},
    {"ClearPenDrawsNoOutline",
     [](TCanvas& c) {
       c.Pen->SetStyle(psClear);
       c.Rectangle(2, 2, 10, 10);
       c.Ellipse(2, 2, 10, 10);
       c.MoveTo(0, 0);
       c.LineTo(20, 20);
     },
     {},
     {{2, 2}, {5, 5}, {0, 0}},
     Rect(0, 0, 0, 0)},
    {"WidePenCoversAroundTheLine",
     [](TCanvas& c) {
       c.Pen->SetWidth(3);
       c.MoveTo(4, 10);
       c.LineTo(16, 10);
     },
     {{8, 9}, {8, 10}, {8, 11}},
     {{8, 7}, {8, 13}},
     Rect(2, 8, 19, 13)},
    {"FrameRectUsesTheBrushOnTheBorder",
     [](TCanvas& c) {
       c.Brush->SetColor(clBlack);
       c.FrameRect(Rect(3, 3, 9, 7));
     },
     {{3, 3}, {8, 3}, {3, 6}, {8, 6}},
     {{9, 3}, {3, 7}, {5, 5}},
     Rect(3, 3, 9, 7)},
    {"FillRectExcludesRightAndBottom",
     [](TCanvas& c) {
       c.Brush->SetColor(clBlack);
       c.FillRect(Rect(1, 1, 4, 4));
     },
     {{1, 1}, {3, 3}},
     {{4, 4}, {4, 1}, {1, 4}},
     Rect(1, 1, 4, 4)},
    {"ClearBrushFillsNothing",
     [](TCanvas& c) {
       c.Brush->SetStyle(bsClear);
       c.FillRect(Rect(1, 1, 20, 20));
     },
     {},
     {{5, 5}},
     Rect(0, 0, 0, 0)},
    {"ClipRectLimitsDrawing",
     [](TCanvas& c) {
       c.SetClipRect(Rect(0, 0, 5, 24));
       c.MoveTo(0, 3);
       c.LineTo(20, 3);
     },
     {{0, 3}, {4, 3}},
     {{5, 3}},
     Rect(0, 3, 5, 4)},
    {"SetPixelsOutsideIsIgnored",
     [](TCanvas& c) {
       c.SetPixels(-1, 3, clBlack);
       c.SetPixels(24, 3, clBlack);
       c.SetPixels(3, 3, clBlack);
     },
     {{3, 3}},
     {},
     Rect(3, 3, 4, 4)},
};

INSTANTIATE_TEST_SUITE_P(Primitives, CanvasPixels, ::testing::ValuesIn(kPixelCases),
                         [](const auto& info) { return std::string(info.param.name); });

class CanvasTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { EnsureGuiApp(); }
};

// A deterministic colourful surface, so that restoring is checked on more than white.
void Noise(TBitmap& bmp) {
  std::mt19937 rng(7);
  for (int y = 0; y < bmp.GetHeight(); ++y)
    for (int x = 0; x < bmp.GetWidth(); ++x)
      bmp.Canvas->SetPixels(x, y, static_cast<TColor>(rng() & 0xFFFFFF));
}

std::vector<TColor> Snapshot(TBitmap& bmp) {
  std::vector<TColor> out;
  for (int y = 0; y < bmp.GetHeight(); ++y)
    for (int x = 0; x < bmp.GetWidth(); ++x) out.push_back(bmp.Canvas->GetPixels(x, y));
  return out;
}

TEST_F(CanvasTest, NotPenInvertsAndTwiceRestoresForEveryShape) {
  const std::vector<std::pair<const char*, std::function<void(TCanvas&)>>> shapes = {
      {"dotted rubber band", [](TCanvas& c) { c.Rectangle(3, 4, 30, 20); }},
      {"line",
       [](TCanvas& c) {
         c.MoveTo(1, 2);
         c.LineTo(37, 23);
       }},
      {"closed polyline",
       [](TCanvas& c) {
         c.Polyline({{2, 2}, {30, 2}, {30, 20}, {2, 2}});
       }},
      {"ellipse", [](TCanvas& c) { c.Ellipse(5, 5, 35, 25); }},
      {"wide line",
       [](TCanvas& c) {
         c.Pen->SetWidth(4);
         c.MoveTo(0, 0);
         c.LineTo(39, 29);
       }},
      {"polygon",
       [](TCanvas& c) {
         c.Polygon({{2, 2}, {30, 8}, {10, 25}});
       }},
  };
  for (const auto& [name, draw] : shapes) {
    auto bmp = std::make_unique<TBitmap>(40, 30);
    Noise(*bmp);
    const std::vector<TColor> before = Snapshot(*bmp);
    TCanvas& c = *bmp->Canvas;
    c.Brush->SetStyle(bsClear);
    c.Pen->SetColor(clBlack);
    c.Pen->SetStyle(psDot);
    c.Pen->SetMode(pmNot);
    const TColor at = c.GetPixels(3, 4);
    draw(c);
    if (std::string(name) == "dotted rubber band") {
      EXPECT_EQ(c.GetPixels(3, 4), static_cast<TColor>(~at & 0xFFFFFF));
    }
    EXPECT_NE(Snapshot(*bmp), before) << name;
    draw(c);
    EXPECT_EQ(Snapshot(*bmp), before) << name;
  }
}

TEST_F(CanvasTest, ShapesFillWithTheBrushInsideTheOutline) {
  auto bmp = WhiteBitmap(20, 20);
  TCanvas& c = *bmp->Canvas;
  c.Brush->SetColor(clRed);
  c.Rectangle(2, 2, 12, 12);
  EXPECT_EQ(c.GetPixels(2, 2), clBlack);
  EXPECT_EQ(c.GetPixels(6, 6), clRed);
  EXPECT_EQ(c.GetPixels(11, 6), clBlack);
  EXPECT_EQ(c.GetPixels(12, 6), clWhite);

  c.Brush->SetColor(clBlue);
  c.Ellipse(0, 0, 20, 20);
  EXPECT_EQ(c.GetPixels(10, 10), clBlue);
  EXPECT_EQ(c.GetPixels(0, 0), clWhite);  // the box corner lies outside the ellipse
}

TEST_F(CanvasTest, HatchedBrushLeavesTheBackgroundBetweenItsLines) {
  auto bmp = WhiteBitmap(16, 16);
  TCanvas& c = *bmp->Canvas;
  c.Brush->SetColor(clBlack);
  c.Brush->SetStyle(bsCross);
  c.FillRect(Rect(0, 0, 16, 16));
  int black = 0;
  for (TPoint p : InkedPixels(*bmp)) {
    (void)p;
    ++black;
  }
  // Two crossing lines every 8 pixels: 16 * 16 - 14 * 14 pixels of ink.
  EXPECT_EQ(black, 16 * 16 - 14 * 14);
}

TEST_F(CanvasTest, FocusRectTwiceRestores) {
  auto bmp = std::make_unique<TBitmap>(20, 20);
  Noise(*bmp);
  const auto before = Snapshot(*bmp);
  bmp->Canvas->DrawFocusRect(Rect(2, 3, 15, 17));
  EXPECT_NE(Snapshot(*bmp), before);
  bmp->Canvas->DrawFocusRect(Rect(2, 3, 15, 17));
  EXPECT_EQ(Snapshot(*bmp), before);
}

TEST_F(CanvasTest, TextOutDrawsInsideItsMeasuredBox) {
  auto bmp = WhiteBitmap(120, 40);
  TCanvas& c = *bmp->Canvas;
  c.Font->SetName("Tahoma");
  c.Font->SetHeight(-13);
  c.Font->SetColor(clBlack);
  const int w = c.TextWidth("Gain 12dB");
  const int h = c.TextHeight("Gain 12dB");
  ASSERT_GT(w, 20);
  ASSERT_GE(h, 13);
  c.TextOut(10, 8, "Gain 12dB");
  const auto ink = InkedPixels(*bmp);
  EXPECT_GT(ink.size(), 30u);
  for (TPoint p : ink) EXPECT_TRUE(Rect(10, 8, 10 + w, 8 + h).Contains(p)) << p.X << "," << p.Y;
  EXPECT_EQ(c.GetPenPos(), Point(10 + w, 8));

  // A solid brush paints the text cell.
  c.Brush->SetColor(clYellow);
  c.TextOut(10, 20, "x");
  EXPECT_EQ(c.GetPixels(10, 20), clYellow);
}

TEST_F(CanvasTest, TextRectClipsToItsRectangle) {
  auto bmp = WhiteBitmap(100, 30);
  TCanvas& c = *bmp->Canvas;
  c.Font->SetHeight(-14);
  c.TextRect(Rect(5, 5, 25, 25), 5, 5, "WWWWWWWW");
  for (TPoint p : InkedPixels(*bmp)) EXPECT_TRUE(Rect(5, 5, 25, 25).Contains(p)) << p.X << "," << p.Y;
  EXPECT_FALSE(InkedPixels(*bmp).empty());
}

TEST_F(CanvasTest, DrawTextMeasuresAndAligns) {
  auto bmp = WhiteBitmap(200, 100);
  TCanvas& c = *bmp->Canvas;
  const int line = c.TextHeight("X");
  TRect r(0, 0, 0, 0);
  EXPECT_EQ(c.DrawText("one\r\ntwo\nthree", r, DT_CALCRECT), 3 * line);
  EXPECT_EQ(r.Bottom, 3 * line);
  EXPECT_EQ(r.Right, c.TextWidth("three"));

  TRect wrap(0, 0, c.TextWidth("alpha beta") + 1, 0);
  EXPECT_EQ(c.DrawText("alpha beta gamma", wrap, DT_CALCRECT | DT_WORDBREAK), 2 * line);

  TRect prefixed(0, 0, 0, 0);
  c.DrawText("&Save", prefixed, DT_CALCRECT | DT_SINGLELINE);
  EXPECT_EQ(prefixed.Right, c.TextWidth("Save"));

  // Right-aligned single line: the ink ends at the rectangle's right edge.
  TRect box(0, 50, 150, 50 + line);
  c.DrawText("end", box, DT_RIGHT | DT_SINGLELINE);
  int maxX = 0;
  for (TPoint p : InkedPixels(*bmp)) maxX = std::max(maxX, p.X);
  EXPECT_GT(maxX, 150 - c.TextWidth("end"));
  EXPECT_LT(maxX, 150);
}

TEST_F(CanvasTest, CopyRectCopiesScalesAndCombines) {
  auto src = WhiteBitmap(10, 10);
  src->Canvas->Brush->SetColor(clRed);
  src->Canvas->FillRect(Rect(0, 0, 5, 10));
  auto dst = WhiteBitmap(30, 30);

  dst->Canvas->CopyRect(Rect(0, 0, 10, 10), src->Canvas, Rect(0, 0, 10, 10));
  EXPECT_EQ(dst->Canvas->GetPixels(4, 4), clRed);
  EXPECT_EQ(dst->Canvas->GetPixels(5, 4), clWhite);
  EXPECT_EQ(dst->Canvas->GetPixels(10, 4), clWhite);

  dst->Canvas->CopyRect(Rect(10, 10, 30, 30), src->Canvas, Rect(0, 0, 10, 10));
  EXPECT_EQ(dst->Canvas->GetPixels(19, 15), clRed);
  EXPECT_EQ(dst->Canvas->GetPixels(20, 15), clWhite);

  dst->Canvas->SetCopyMode(cmSrcInvert);
  dst->Canvas->CopyRect(Rect(0, 0, 10, 10), src->Canvas, Rect(0, 0, 10, 10));
  EXPECT_EQ(dst->Canvas->GetPixels(4, 4), clBlack);  // red ^ red
  EXPECT_EQ(dst->Canvas->GetPixels(5, 4), clBlack);  // white ^ white

  // Overlapping copy within one surface reads the source before writing.
  auto self = WhiteBitmap(10, 1);
  for (int x = 0; x < 10; ++x) self->Canvas->SetPixels(x, 0, RGB(x, 0, 0));
  self->Canvas->CopyRect(Rect(1, 0, 10, 1), self->Canvas, Rect(0, 0, 9, 1));
  for (int x = 1; x < 10; ++x) EXPECT_EQ(self->Canvas->GetPixels(x, 0), RGB(x - 1, 0, 0));
}

TEST_F(CanvasTest, CanvasOverAForeignImageFollowsRebinding) {
  QImage small(10, 10, QImage::Format_RGB32);
  small.fill(Qt::white);
  TCanvas c(&small);
  c.Brush->SetColor(clGreen);
  c.FillRect(Rect(0, 0, 100, 100));
  EXPECT_EQ(small.pixel(9, 9), qRgb(0, 0x80, 0));

  QImage big(40, 20, QImage::Format_ARGB32_Premultiplied);
  big.fill(Qt::white);
  c.SetImage(&big);
  c.Pen->SetColor(clRed);
  c.MoveTo(0, 15);
  c.LineTo(40, 15);
  EXPECT_EQ(big.pixel(39, 15), qRgb(0xFF, 0, 0));
  EXPECT_EQ(c.GetClipRect(), Rect(0, 0, 40, 20));

  int changes = 0;
  c.OnChange = [&](TCanvas*) { ++changes; };
  c.SetPixels(1, 1, clBlue);
  EXPECT_EQ(changes, 1);

  c.SetImage(nullptr);
  c.Rectangle(0, 0, 5, 5);  // no surface: nothing, no crash
  EXPECT_GT(c.TextWidth("abc"), 0);
  EXPECT_EQ(c.GetPixels(0, 0), clNone);
}

TEST_F(CanvasTest, DrawHonoursColourKeyAndAlpha) {
  auto sprite = std::make_unique<TBitmap>(4, 4);
  sprite->Canvas->Brush->SetColor(clFuchsia);
  sprite->Canvas->FillRect(Rect(0, 0, 4, 4));
  sprite->Canvas->Brush->SetColor(clNavy);
  sprite->Canvas->FillRect(Rect(1, 1, 3, 3));
  auto dst = WhiteBitmap(10, 10);

  dst->Canvas->Draw(0, 0, sprite.get());
  EXPECT_EQ(dst->Canvas->GetPixels(0, 0), clFuchsia);

  sprite->SetTransparent(true);  // tmAuto: the bottom-left pixel is the key
  EXPECT_EQ(sprite->GetTransparentColor(), clFuchsia);
  dst->Canvas->Draw(5, 5, sprite.get());
  EXPECT_EQ(dst->Canvas->GetPixels(5, 5), clWhite);
  EXPECT_EQ(dst->Canvas->GetPixels(6, 6), clNavy);

  dst->Canvas->StretchDraw(Rect(0, 0, 8, 8), sprite.get());
  EXPECT_EQ(dst->Canvas->GetPixels(2, 2), clNavy);
  EXPECT_EQ(dst->Canvas->GetPixels(5, 5), clNavy);
  EXPECT_EQ(dst->Canvas->GetPixels(1, 7), clWhite);  // key colour left out when stretched too

  // A half-transparent PNG pixel blends with what is below.
  QImage half(1, 1, QImage::Format_ARGB32);
  half.setPixel(0, 0, qRgba(0, 0, 0, 128));
  TPngImage png;
  png.SetImage(half);
  auto under = WhiteBitmap(2, 2);
  under->Canvas->Draw(0, 0, &png);
  const TColor mixed = under->Canvas->GetPixels(0, 0);
  EXPECT_NEAR(GetRValue(mixed), 127, 2);
  EXPECT_EQ(under->Canvas->GetPixels(1, 1), clWhite);
}

TEST_F(CanvasTest, RendersAReferenceImage) {
  // Written for a person to look at; the asserts only check it was made.
  auto bmp = WhiteBitmap(240, 140);
  TCanvas& c = *bmp->Canvas;
  c.Brush->SetColor(clBlack);
  c.FillRect(Rect(0, 0, 240, 140));
  c.Pen->SetColor(RGB(0, 140, 0));
  for (int x = 10; x < 230; x += 20) {
    c.MoveTo(x, 10);
    c.LineTo(x, 130);
  }
  c.Pen->SetColor(clLime);
  c.Pen->SetWidth(2);
  c.MoveTo(10, 100);
  for (int x = 10; x < 230; x += 4) c.LineTo(x, 70 + static_cast<int>(30 * std::sin(x / 20.0)));
  c.Pen->SetWidth(1);
  c.Pen->SetColor(clYellow);
  c.Brush->SetStyle(bsDiagCross);
  c.Brush->SetColor(clYellow);
  c.Rectangle(150, 20, 200, 50);
  c.Ellipse(20, 20, 60, 50);
  c.Brush->SetStyle(bsClear);
  c.Font->SetColor(clLime);
  c.Font->SetHeight(-11);
  c.TextOut(70, 20, "Gain 12 dB");
  c.TextOut(70, 36, "\xE8\xBE\x93\xE5\x85\xA5 1");
  c.Pen->SetMode(pmNot);
  c.Pen->SetStyle(psDot);
  c.Rectangle(100, 60, 200, 120);
  bmp->SaveToFile("/tmp/tavo-canvas-reference.bmp");
  QImage(bmp->GetImage()).save("/tmp/tavo-canvas-reference.png");
  EXPECT_FALSE(bmp->GetEmpty());
}

}  // namespace
