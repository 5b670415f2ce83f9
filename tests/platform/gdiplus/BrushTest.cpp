// Brushes: gradient ends and ramps, path-gradient centres and boundaries,
// hatch tiles, textures, and the statuses of bad arguments.
#include <gtest/gtest.h>

#include <set>

#include "Support.h"

using namespace Gdiplus;
using namespace gdiplus_test;

namespace {

QImage FillWith(const Brush& brush, int w, int h, const RectF& area, unsigned background = 0xFFFFFFFF) {
  QImage image = Canvas(w, h, background);
  Graphics g(&image);
  EXPECT_EQ(Ok, g.FillRectangle(&brush, area));
  return image;
}

}  // namespace

TEST(LinearGradient, EndColoursAndMonotonicMiddle) {
  // As the shape fill does: the brush rectangle one pixel larger than the fill.
  const RectF fill(0, 0, 100, 10);
  RectF grown = fill;
  grown.Inflate(1, 1);
  LinearGradientBrush brush(grown, Color(255, 255, 0, 0), Color(255, 0, 0, 255),
                            LinearGradientModeHorizontal);
  const QImage image = FillWith(brush, 100, 10, fill);
  EXPECT_GT(Red(Px(image, 0, 5)), 245);
  EXPECT_LT(Blue(Px(image, 0, 5)), 10);
  EXPECT_GT(Blue(Px(image, 99, 5)), 245);
  EXPECT_LT(Red(Px(image, 99, 5)), 10);
  for (int x = 1; x < 100; ++x) {
    ASSERT_LE(Red(Px(image, x, 5)), Red(Px(image, x - 1, 5))) << x;
    ASSERT_GE(Blue(Px(image, x, 5)), Blue(Px(image, x - 1, 5))) << x;
  }
  EXPECT_NEAR(127, Red(Px(image, 50, 5)), 6);
}

TEST(LinearGradient, ModesAndScalableAngles) {
  const RectF rect(0, 0, 80, 20);
  const Color black(255, 0, 0, 0), white(255, 255, 255, 255);
  {
    LinearGradientBrush vertical(RectF(0, -1, 80, 22), black, white, LinearGradientModeVertical);
    const QImage image = FillWith(vertical, 80, 20, rect);
    EXPECT_LT(Red(Px(image, 40, 0)), 20);
    EXPECT_GT(Red(Px(image, 40, 19)), 235);
    EXPECT_EQ(Px(image, 0, 10), Px(image, 79, 10));
  }
  {
    // Forward diagonal: the other diagonal's corners share the middle colour.
    LinearGradientBrush diagonal(RectF(-1, -1, 82, 22), black, white, LinearGradientModeForwardDiagonal);
    const QImage image = FillWith(diagonal, 80, 20, rect);
    EXPECT_LT(Red(Px(image, 0, 0)), 20);
    EXPECT_GT(Red(Px(image, 79, 19)), 235);
    EXPECT_NEAR(255, Red(Px(image, 79, 0)) + Red(Px(image, 0, 19)), 3);
    EXPECT_NEAR(127, Red(Px(image, 79, 0)), 12);
  }
  {
    // Not scalable: 90 degrees is top to bottom whatever the shape.
    LinearGradientBrush angle(RectF(0, -1, 80, 22), black, white, 90.0f, false);
    const QImage image = FillWith(angle, 80, 20, rect);
    EXPECT_LT(Red(Px(image, 5, 0)), 20);
    EXPECT_GT(Red(Px(image, 5, 19)), 235);
  }
}

TEST(LinearGradient, TilesBeyondItsRectangle) {
  LinearGradientBrush brush(PointF(0, 0), PointF(10, 0), Color(255, 0, 0, 0), Color(255, 255, 255, 255));
  const QImage image = FillWith(brush, 30, 4, RectF(0, 0, 30, 4));
  EXPECT_LT(Red(Px(image, 1, 1)), 40);
  EXPECT_LT(Red(Px(image, 11, 1)), 40);  // starts over
  EXPECT_GT(Red(Px(image, 9, 1)), 200);
  EXPECT_EQ(InvalidParameter, brush.SetWrapMode(WrapModeClamp));
}

TEST(LinearGradient, GammaCorrectionAndPresetColours) {
  const RectF rect(0, 0, 101, 4);
  LinearGradientBrush plain(RectF(-1, -1, 103, 6), Color(255, 0, 0, 0), Color(255, 255, 255, 255),
                            LinearGradientModeHorizontal);
  LinearGradientBrush gamma(RectF(-1, -1, 103, 6), Color(255, 0, 0, 0), Color(255, 255, 255, 255),
                            LinearGradientModeHorizontal);
  ASSERT_EQ(Ok, gamma.SetGammaCorrection(true));
  const int plainMid = Red(Px(FillWith(plain, 101, 4, rect), 50, 1));
  const int gammaMid = Red(Px(FillWith(gamma, 101, 4, rect), 50, 1));
  EXPECT_NEAR(128, plainMid, 6);
  EXPECT_NEAR(186, gammaMid, 8);  // mixed in linear light

  const Color colors[] = {Color(255, 255, 0, 0), Color(255, 0, 255, 0), Color(255, 0, 0, 255)};
  const REAL positions[] = {0, 0.5f, 1};
  ASSERT_EQ(Ok, plain.SetInterpolationColors(colors, positions, 3));
  const QImage preset = FillWith(plain, 101, 4, rect);
  EXPECT_GT(Green(Px(preset, 50, 1)), 235);
  EXPECT_GT(Red(Px(preset, 0, 1)), 235);
  EXPECT_GT(Blue(Px(preset, 100, 1)), 235);

  // Refused blends leave the last good one in place.
  EXPECT_EQ(InvalidParameter, plain.SetInterpolationColors(colors, positions, 0));
  const REAL badPositions[] = {0.2f, 0.5f, 1};
  EXPECT_EQ(InvalidParameter, plain.SetInterpolationColors(colors, badPositions, 3));
  EXPECT_EQ(3, plain.GetInterpolationColorCount());
  EXPECT_EQ(InvalidParameter, plain.GetLastStatus());
  EXPECT_EQ(Ok, plain.GetLastStatus());
}

TEST(LinearGradient, DegenerateGeometryIsRefused) {
  LinearGradientBrush points(PointF(5, 5), PointF(5, 5), Color(), Color());
  EXPECT_EQ(InvalidParameter, points.GetLastStatus());
  LinearGradientBrush rect(RectF(0, 0, 0, 10), Color(), Color(), LinearGradientModeVertical);
  EXPECT_EQ(InvalidParameter, rect.GetLastStatus());
  QImage image = Canvas(4, 4);
  Graphics g(&image);
  EXPECT_EQ(InvalidParameter, g.FillRectangle(&rect, 0, 0, 4, 4));
  EXPECT_TRUE(IsWhite(image, 1, 1));
}

TEST(PathGradient, CentreColourFadesToTheSurround) {
  GraphicsPath ellipse;
  ellipse.AddEllipse(0, 0, 60, 40);
  PathGradientBrush brush(&ellipse);
  ASSERT_EQ(Ok, brush.GetLastStatus());
  PointF centre;
  brush.GetCenterPoint(&centre);
  EXPECT_NEAR(30, centre.X, 0.01);
  EXPECT_NEAR(20, centre.Y, 0.01);
  brush.SetCenterColor(Color(255, 255, 255, 255));
  Color surround(255, 0, 0, 0);
  INT count = 1;
  ASSERT_EQ(Ok, brush.SetSurroundColors(&surround, &count));
  const QImage image = FillWith(brush, 80, 60, RectF(0, 0, 80, 60), 0xFF00FF00);
  EXPECT_GT(Red(Px(image, 30, 20)), 240);
  EXPECT_LT(Red(Px(image, 1, 20)), 30);
  EXPECT_GT(Red(Px(image, 30, 20)), Red(Px(image, 15, 20)));
  EXPECT_GT(Red(Px(image, 15, 20)), Red(Px(image, 5, 20)));
  // Outside its boundary the brush paints nothing.
  EXPECT_EQ(0xFF00FF00u, Px(image, 70, 50));
  EXPECT_EQ(0xFF00FF00u, Px(image, 1, 1));
}

TEST(PathGradient, MovedCentreAndPolygonBoundary) {
  const PointF square[] = {{0, 0}, {40, 0}, {40, 40}, {0, 40}};
  PathGradientBrush brush(square, 4);
  brush.SetCenterColor(Color(255, 255, 255, 255));
  Color surround(255, 0, 0, 0);
  INT count = 1;
  brush.SetSurroundColors(&surround, &count);
  QImage image = FillWith(brush, 40, 40, RectF(0, 0, 40, 40));
  // Every point halfway from the centre to the square's edge is mid grey.
  EXPECT_NEAR(Red(Px(image, 10, 20)), Red(Px(image, 20, 10)), 4);
  EXPECT_NEAR(Red(Px(image, 10, 20)), Red(Px(image, 10, 10)), 4);
  EXPECT_NEAR(128, Red(Px(image, 10, 20)), 12);

  brush.SetCenterPoint(PointF(10, 10));
  image = FillWith(brush, 40, 40, RectF(0, 0, 40, 40));
  EXPECT_GT(Red(Px(image, 10, 10)), 240);
  EXPECT_GT(Red(Px(image, 15, 15)), Red(Px(image, 25, 25)));
}

TEST(PathGradient, PresetColoursAndSurroundChecks) {
  GraphicsPath rect;
  rect.AddRectangle(RectF(0, 0, 40, 40));
  PathGradientBrush shadow(&rect);
  // A soft shadow: transparent at the edge, grey from a tenth of the way in.
  const Color colors[] = {Color(0, 128, 128, 128), Color(180, 128, 128, 128), Color(180, 128, 128, 128)};
  const REAL positions[] = {0, 0.1f, 1};
  ASSERT_EQ(Ok, shadow.SetInterpolationColors(colors, positions, 3));
  const QImage image = FillWith(shadow, 40, 40, RectF(0, 0, 40, 40));
  EXPECT_GT(Red(Px(image, 0, 20)), 200);  // nearly clear at the edge
  EXPECT_GT(Red(Px(image, 0, 20)), Red(Px(image, 2, 20)));
  EXPECT_NEAR(Red(Px(image, 20, 20)), Red(Px(image, 10, 20)), 2);
  EXPECT_NEAR(165, Red(Px(image, 20, 20)), 4);

  Color many[5];
  INT count = 5;  // the rectangle has four points
  EXPECT_EQ(InvalidParameter, shadow.SetSurroundColors(many, &count));
  count = 0;
  EXPECT_EQ(InvalidParameter, shadow.SetSurroundColors(many, &count));
  EXPECT_EQ(InvalidParameter, shadow.SetInterpolationColors(colors, positions, 0));
  Color got[1];
  count = 1;
  EXPECT_EQ(Ok, shadow.GetSurroundColors(got, &count));
  EXPECT_EQ(Color::White, got[0].GetValue());
}

TEST(Hatch, TilesLieOnTheDeviceGrid) {
  const Color fore(255, 0, 0, 0), back(255, 255, 255, 255);
  struct Case {
    HatchStyle style;
    bool (*expected)(int x, int y);
  };
  const Case cases[] = {
      {HatchStyleHorizontal, [](int, int y) { return y % 8 == 0; }},
      {HatchStyleVertical, [](int x, int) { return x % 8 == 0; }},
      {HatchStyleForwardDiagonal, [](int x, int y) { return x % 8 == y % 8; }},
      {HatchStyleBackwardDiagonal, [](int x, int y) { return (x + y) % 8 == 7; }},
      {HatchStyleLargeCheckerBoard, [](int x, int y) { return ((x / 4) + (y / 4)) % 2 == 0; }},
  };
  for (const Case& c : cases) {
    HatchBrush brush(c.style, fore, back);
    QImage image = Canvas(24, 24);
    {
      Graphics g(&image);
      g.TranslateTransform(3, 5);  // the tile does not move with the world
      g.FillRectangle(&brush, -3, -5, 24, 24);
    }
    for (int y = 0; y < 24; ++y)
      for (int x = 0; x < 24; ++x)
        ASSERT_EQ(c.expected(x, y), IsInk(image, x, y)) << c.style << " at " << x << "," << y;
  }
}

TEST(Hatch, EveryStyleHasItsOwnTile) {
  std::set<std::vector<int>> seen;
  for (int style = HatchStyleMin; style <= HatchStyleMax; ++style) {
    std::vector<int> rows;
    int lit = 0;
    for (int r = 0; r < 8; ++r) {
      rows.push_back(HatchPatternRow(HatchStyle(style), r));
      lit += __builtin_popcount(unsigned(rows.back()));
    }
    EXPECT_GT(lit, 0) << style;
    EXPECT_LT(lit, 64) << style;
    EXPECT_TRUE(seen.insert(rows).second) << "style " << style << " repeats another";
  }
  // Percentages light about that share of the tile.
  int lit50 = 0;
  for (int r = 0; r < 8; ++r) lit50 += __builtin_popcount(HatchPatternRow(HatchStyle50Percent, r));
  EXPECT_EQ(32, lit50);
  HatchBrush bad(HatchStyle(77), Color(), Color());
  EXPECT_EQ(InvalidParameter, bad.GetLastStatus());
}

TEST(Texture, TilesAndClamps) {
  Bitmap tile(2, 2, PixelFormat32bppARGB);
  tile.SetPixel(0, 0, Color(255, 255, 0, 0));
  tile.SetPixel(1, 0, Color(255, 0, 255, 0));
  tile.SetPixel(0, 1, Color(255, 0, 0, 255));
  tile.SetPixel(1, 1, Color(255, 0, 0, 0));
  TextureBrush tiled(&tile, WrapModeTile);
  ASSERT_EQ(Ok, tiled.GetLastStatus());
  QImage image = FillWith(tiled, 8, 8, RectF(0, 0, 8, 8));
  EXPECT_EQ(0xFFFF0000u, Px(image, 4, 4));
  EXPECT_EQ(0xFF00FF00u, Px(image, 5, 4));
  EXPECT_EQ(0xFF0000FFu, Px(image, 6, 7));

  TextureBrush clamped(&tile, WrapModeClamp);
  image = FillWith(clamped, 8, 8, RectF(0, 0, 8, 8));
  EXPECT_EQ(0xFFFF0000u, Px(image, 0, 0));
  EXPECT_TRUE(IsWhite(image, 4, 4));

  TextureBrush flipped(&tile, WrapModeTileFlipX);
  image = FillWith(flipped, 8, 8, RectF(0, 0, 8, 8));
  EXPECT_EQ(0xFF00FF00u, Px(image, 2, 0));  // mirrored copy next to the tile
  EXPECT_EQ(0xFFFF0000u, Px(image, 3, 0));

  TextureBrush none(static_cast<const Image*>(nullptr));
  EXPECT_EQ(InvalidParameter, none.GetLastStatus());
  TextureBrush outside(&tile, WrapModeTile, RectF(1, 1, 5, 5));
  EXPECT_EQ(InvalidParameter, outside.GetLastStatus());
}

TEST(PenBrush, PenPaintsWithAnyBrushAndReportsItsKind) {
  HatchBrush hatch(HatchStyleCross, Color(255, 0, 0, 0), Color(255, 255, 0, 0));
  Pen pen(&hatch, 4);
  EXPECT_EQ(PenTypeHatchFill, pen.GetPenType());
  Color c;
  EXPECT_EQ(WrongState, pen.GetColor(&c));
  std::unique_ptr<Brush> copy(pen.GetBrush());
  ASSERT_NE(nullptr, copy);
  EXPECT_EQ(BrushTypeHatchFill, copy->GetType());
  QImage image = Canvas(20, 20);
  {
    Graphics g(&image);
    EXPECT_EQ(Ok, g.DrawLine(&pen, 0, 10, 20, 10));
    EXPECT_EQ(InvalidParameter, g.DrawLine(nullptr, 0, 10, 20, 10));
    EXPECT_EQ(InvalidParameter, g.GetLastStatus());
  }
  EXPECT_EQ(255, Red(Px(image, 3, 10)));
  EXPECT_EQ(0, Green(Px(image, 3, 10)));
  Pen bad(Color(), -1);
  EXPECT_EQ(InvalidParameter, bad.GetLastStatus());
}

TEST(PathGradient, BoundaryNotStarShapedAroundItsCentre) {
  // A U whose centroid lies in its gap: rays cross the boundary more than once.
  const PointF u[] = {{0, 0}, {40, 0}, {40, 40}, {30, 40}, {30, 10}, {10, 10}, {10, 40}, {0, 40}};
  PathGradientBrush brush(u, 8);
  PointF centre;
  brush.GetCenterPoint(&centre);
  EXPECT_NEAR(20, centre.X, 0.01);
  EXPECT_NEAR(17, centre.Y, 0.01);
  brush.SetCenterColor(Color(255, 0, 0, 0));
  const QImage image = FillWith(brush, 40, 40, RectF(0, 0, 40, 40), 0xFF00FF00);
  EXPECT_NE(0xFF00FF00u, Px(image, 5, 30));   // in an arm
  EXPECT_NE(0xFF00FF00u, Px(image, 20, 5));   // in the bar
  EXPECT_EQ(0xFF00FF00u, Px(image, 20, 30));  // in the gap
}
