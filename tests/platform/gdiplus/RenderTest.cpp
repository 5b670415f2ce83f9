// Pixel rules of the primitives: where lines, rectangles, ellipses, arcs and
// curves land, fill modes, blending, clipping and transforms.
#include <gtest/gtest.h>

#include <QPainter>

#include "Support.h"

using namespace Gdiplus;
using namespace gdiplus_test;

namespace {

// Darkness (255 - red) of each row of one column, for line placement.
std::vector<int> ColumnDarkness(const QImage& image, int x) {
  std::vector<int> out;
  for (int y = 0; y < image.height(); ++y) out.push_back(255 - Red(Px(image, x, y)));
  return out;
}

}  // namespace

TEST(Render, HorizontalLineAtIntegerYCoversItsRow) {
  struct Case {
    SmoothingMode smoothing;
    PixelOffsetMode offset;
    std::vector<int> inkedRows;  // rows with clear ink
  };
  const Case cases[] = {
      {SmoothingModeNone, PixelOffsetModeDefault, {5}},
      {SmoothingModeAntiAlias, PixelOffsetModeNone, {5}},
      {SmoothingModeAntiAlias, PixelOffsetModeDefault, {5}},
      {SmoothingModeHighQuality, PixelOffsetModeHalf, {4, 5}},  // the centre line lies between rows
  };
  for (const Case& c : cases) {
    QImage image = Canvas(20, 12);
    {
      Graphics g(&image);
      g.SetSmoothingMode(c.smoothing);
      g.SetPixelOffsetMode(c.offset);
      Pen pen(Color(255, 0, 0, 0), 1);
      ASSERT_EQ(Ok, g.DrawLine(&pen, 2, 5, 15, 5));
    }
    const auto dark = ColumnDarkness(image, 8);
    for (int y = 0; y < 12; ++y) {
      const bool expected = std::find(c.inkedRows.begin(), c.inkedRows.end(), y) != c.inkedRows.end();
      EXPECT_EQ(expected, dark[size_t(y)] > 60)
          << "smoothing " << c.smoothing << " offset " << c.offset << " row " << y;
    }
    if (c.inkedRows.size() == 1) {
      EXPECT_GT(dark[5], 240) << "a one-pixel line at an integer row is solid";
    }
  }
}

TEST(Render, FilledRectangleEdges) {
  // Aliased: exactly the pixels [x, x+w) x [y, y+h). Antialiased with the
  // default offset: the edges fall on pixel centres and are half covered.
  QImage aliased = Canvas(12, 12);
  QImage smooth = Canvas(12, 12);
  SolidBrush black(Color(255, 0, 0, 0));
  {
    Graphics g(&aliased);
    ASSERT_EQ(Ok, g.FillRectangle(&black, 2, 3, 5, 4));
  }
  {
    Graphics g(&smooth);
    g.SetSmoothingMode(SmoothingModeAntiAlias);
    ASSERT_EQ(Ok, g.FillRectangle(&black, 2, 3, 5, 4));
  }
  for (int x = 0; x < 12; ++x) EXPECT_EQ(x >= 2 && x <= 6, IsInk(aliased, x, 4)) << "column " << x;
  for (int y = 0; y < 12; ++y) EXPECT_EQ(y >= 3 && y <= 6, IsInk(aliased, 4, y)) << "row " << y;
  EXPECT_NEAR(127, Red(Px(smooth, 2, 5)), 3);
  EXPECT_EQ(0, Red(Px(smooth, 3, 5)));
  EXPECT_NEAR(127, Red(Px(smooth, 7, 5)), 3);
  EXPECT_TRUE(IsWhite(smooth, 8, 5));
}

TEST(Render, RectangleOutlineIncludesBothEdges) {
  QImage image = Canvas(14, 14);
  {
    Graphics g(&image);
    Pen pen(Color(255, 0, 0, 0));
    ASSERT_EQ(Ok, g.DrawRectangle(&pen, 2, 3, 5, 4));
  }
  EXPECT_TRUE(IsInk(image, 2, 5));
  EXPECT_TRUE(IsInk(image, 7, 5));  // right edge at x + width
  EXPECT_TRUE(IsInk(image, 4, 3));
  EXPECT_TRUE(IsInk(image, 4, 7));
  EXPECT_TRUE(IsWhite(image, 4, 5));
  EXPECT_TRUE(IsWhite(image, 8, 5));
}

TEST(Render, EllipseStaysInsideItsBox) {
  QImage image = Canvas(60, 40);
  {
    Graphics g(&image);
    g.SetSmoothingMode(SmoothingModeAntiAlias);
    SolidBrush black(Color(255, 0, 0, 0));
    ASSERT_EQ(Ok, g.FillEllipse(&black, 10, 10, 40, 20));
  }
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 60; ++x)
      if (x < 9 || x > 50 || y < 9 || y > 30) {
        ASSERT_TRUE(IsWhite(image, x, y)) << x << "," << y;
      }
  EXPECT_EQ(0, Red(Px(image, 30, 20)));
  EXPECT_TRUE(IsWhite(image, 11, 11));  // box corners stay clear
  EXPECT_TRUE(IsWhite(image, 48, 28));
  EXPECT_TRUE(IsInk(image, 10, 20));  // touches the box's sides
  EXPECT_TRUE(IsInk(image, 30, 10));
}

TEST(Render, ArcsTurnClockwiseFromTheXAxis) {
  struct Case {
    REAL sweep;
    bool bottom, top;
  };
  for (const Case c : {Case{90, true, false}, Case{-90, false, true}}) {
    QImage image = Canvas(100, 100);
    {
      Graphics g(&image);
      Pen pen(Color(255, 0, 0, 0), 3);
      ASSERT_EQ(Ok, g.DrawArc(&pen, 10.0f, 10.0f, 80.0f, 80.0f, 0.0f, c.sweep));
    }
    EXPECT_TRUE(IsInk(image, 89, c.sweep > 0 ? 52 : 48)) << "starts at the right, sweep " << c.sweep;
    EXPECT_EQ(c.bottom, IsInk(image, 50, 89)) << c.sweep;
    EXPECT_EQ(c.top, IsInk(image, 50, 10)) << c.sweep;
    EXPECT_TRUE(IsWhite(image, 10, 50)) << c.sweep;
  }
}

TEST(Geometry, ArcAnglesAreMeasuredOnTheEllipse) {
  GraphicsPath path;
  ASSERT_EQ(Ok, path.AddArc(0.0f, 0.0f, 200.0f, 100.0f, 45.0f, 10.0f));
  PointF first = path.Points().front();
  // The ray at 45 degrees from the centre meets the ellipse here.
  const double r = 100.0 * 50.0 / std::sqrt(50.0 * 50.0 * 0.5 + 100.0 * 100.0 * 0.5);
  EXPECT_NEAR(100 + r * std::sqrt(0.5), first.X, 0.01);
  EXPECT_NEAR(50 + r * std::sqrt(0.5), first.Y, 0.01);
}

TEST(Geometry, CardinalCurvePassesThroughItsPoints) {
  const PointF pts[] = {{10, 40}, {30, 10}, {60, 50}, {90, 20}};
  for (REAL tension : {0.0f, 0.5f, 1.0f}) {
    GraphicsPath path;
    ASSERT_EQ(Ok, path.AddCurve(pts, 4, tension));
    ASSERT_EQ(10, path.GetPointCount());  // start point plus three Bezier segments
    for (int i = 0; i < 4; ++i) {
      EXPECT_FLOAT_EQ(pts[i].X, path.Points()[size_t(3 * i)].X);
      EXPECT_FLOAT_EQ(pts[i].Y, path.Points()[size_t(3 * i)].Y);
    }
    if (tension == 0.0f) {
      // No tension: control points sit on the chords, so the curve is straight.
      EXPECT_FLOAT_EQ(pts[0].X, path.Points()[1].X);
      EXPECT_FLOAT_EQ(pts[1].X, path.Points()[2].X);
    }
  }
  QImage image = Canvas(100, 60);
  {
    Graphics g(&image);
    g.SetSmoothingMode(SmoothingModeAntiAlias);
    Pen pen(Color(255, 0, 0, 0), 2);
    ASSERT_EQ(Ok, g.DrawCurve(&pen, pts, 4));
  }
  for (const PointF& p : pts) EXPECT_TRUE(IsInk(image, int(p.X), int(p.Y))) << p.X << "," << p.Y;
}

TEST(Geometry, ClosedCurveAndFigureMarks) {
  const PointF pts[] = {{0, 0}, {10, 0}, {10, 10}};
  GraphicsPath path;
  ASSERT_EQ(Ok, path.AddClosedCurve(pts, 3));
  EXPECT_EQ(10, path.GetPointCount());
  EXPECT_TRUE(path.Types().back() & PathPointTypeCloseSubpath);
  EXPECT_FLOAT_EQ(0, path.Points().back().X);  // back to the first point
  // Open shapes after a closed one start a new figure; lines join figures.
  path.AddLine(20, 20, 30, 20);
  path.AddLine(30, 30, 40, 30);
  const auto& t = path.Types();
  EXPECT_EQ(PathPointTypeStart, t[10]);
  EXPECT_EQ(PathPointTypeLine, t[12]);  // joining line to (30, 30)
  EXPECT_EQ(14, path.GetPointCount());
  EXPECT_EQ(InvalidParameter, path.AddClosedCurve(pts, 2));
  EXPECT_EQ(InvalidParameter, path.GetLastStatus());
}

TEST(Render, WindingAndAlternateFillOfNestedFigures) {
  for (FillMode mode : {FillModeAlternate, FillModeWinding}) {
    QImage image = Canvas(40, 40);
    GraphicsPath path(mode);
    path.AddRectangle(RectF(5, 5, 30, 30));
    path.AddRectangle(RectF(15, 15, 10, 10));  // same turning direction
    {
      Graphics g(&image);
      SolidBrush black(Color(255, 0, 0, 0));
      ASSERT_EQ(Ok, g.FillPath(&black, &path));
    }
    EXPECT_TRUE(IsInk(image, 8, 8));
    EXPECT_EQ(mode == FillModeWinding, IsInk(image, 20, 20)) << "fill mode " << mode;
  }
}

TEST(Render, TranslucentFillBlendsOverTheBackground) {
  struct Case {
    unsigned background;
    Color fill;
    int r, g, b;
  };
  const Case cases[] = {
      {0xFFFFFFFF, Color(128, 255, 0, 0), 255, 127, 127},
      {0xFF0000FF, Color(128, 255, 0, 0), 128, 0, 127},
      {0xFF808080, Color(30, 128, 128, 128), 128, 128, 128},  // the plot's grey on grey
      {0xFF000000, Color(30, 128, 128, 128), 15, 15, 15},
  };
  for (const Case& c : cases) {
    QImage image = Canvas(8, 8, c.background);
    {
      Graphics g(&image);
      SolidBrush brush(c.fill);
      ASSERT_EQ(Ok, g.FillRectangle(&brush, 0, 0, 8, 8));
    }
    const unsigned px = Px(image, 4, 4);
    EXPECT_NEAR(c.r, Red(px), 2);
    EXPECT_NEAR(c.g, Green(px), 2);
    EXPECT_NEAR(c.b, Blue(px), 2);
  }
}

TEST(Render, ClipStaysOnTheDeviceAndCombines) {
  QImage image = Canvas(40, 40);
  {
    Graphics g(&image);
    SolidBrush black(Color(255, 0, 0, 0));
    ASSERT_EQ(Ok, g.SetClip(RectF(10, 10, 20, 20)));
    ASSERT_EQ(Ok, g.ExcludeClip(RectF(15, 15, 5, 5)));
    g.TranslateTransform(100, 100);  // moves the drawing, not the clip
    g.FillRectangle(&black, -100, -100, 40, 40);
  }
  EXPECT_TRUE(IsWhite(image, 9, 20));
  EXPECT_TRUE(IsInk(image, 10, 10));
  EXPECT_TRUE(IsInk(image, 29, 29));
  EXPECT_TRUE(IsWhite(image, 30, 20));
  EXPECT_TRUE(IsWhite(image, 17, 17));  // the excluded hole

  QImage second = Canvas(40, 40);
  {
    Graphics g(&second);
    SolidBrush black(Color(255, 0, 0, 0));
    GraphicsPath ellipse;
    ellipse.AddEllipse(0, 0, 40, 40);
    g.SetClip(&ellipse);
    g.SetClip(RectF(0, 0, 20, 40), CombineModeIntersect);
    g.FillRectangle(&black, 0, 0, 40, 40);
    g.ResetClip();
    g.FillRectangle(&black, 38, 0, 2, 2);
  }
  EXPECT_TRUE(IsWhite(second, 1, 1));  // outside the ellipse
  EXPECT_TRUE(IsInk(second, 10, 20));
  EXPECT_TRUE(IsWhite(second, 30, 20));  // outside the intersected half
  EXPECT_TRUE(IsInk(second, 39, 0));     // after the reset
}

TEST(Render, WorldTransforms) {
  QImage image = Canvas(40, 40);
  {
    Graphics g(&image);
    SolidBrush black(Color(255, 0, 0, 0));
    g.TranslateTransform(10, 5);
    g.FillRectangle(&black, 0, 0, 3, 3);
    g.ResetTransform();
    g.TranslateTransform(30, 10);
    g.RotateTransform(90);  // x now points down
    Pen pen(Color(255, 0, 0, 0));
    g.DrawLine(&pen, 0, 0, 10, 0);
    g.ResetTransform();
    g.ScaleTransform(2, 2);
    g.FillRectangle(&black, 1, 15, 2, 2);
  }
  EXPECT_TRUE(IsInk(image, 10, 5));
  EXPECT_TRUE(IsInk(image, 12, 7));
  EXPECT_TRUE(IsWhite(image, 13, 5));
  EXPECT_TRUE(IsInk(image, 30, 18));
  EXPECT_TRUE(IsWhite(image, 38, 10));
  EXPECT_TRUE(IsInk(image, 2, 30));
  EXPECT_TRUE(IsInk(image, 5, 33));
  EXPECT_TRUE(IsWhite(image, 6, 30));
}

TEST(Render, DashesFollowThePenWidth) {
  struct Case {
    DashStyle style;
    int inkedOf40;
  };
  for (const Case c : {Case{DashStyleSolid, 40}, Case{DashStyleDash, 30}, Case{DashStyleDot, 20},
                       Case{DashStyleDashDot, 40 * 4 / 6}}) {
    QImage image = Canvas(50, 6);
    {
      Graphics g(&image);
      Pen pen(Color(255, 0, 0, 0));
      pen.SetDashStyle(c.style);
      g.DrawLine(&pen, 0, 2, 40, 2);
    }
    int inked = 0;
    for (int x = 0; x < 40; ++x) inked += IsInk(image, x, 2);
    EXPECT_NEAR(c.inkedOf40, inked, 2) << "dash style " << c.style;
  }
}

TEST(Render, InsetPenStaysInsideTheShape) {
  QImage image = Canvas(40, 40);
  {
    Graphics g(&image);
    Pen pen(Color(255, 0, 0, 0), 4);
    pen.SetAlignment(PenAlignmentInset);
    g.DrawRectangle(&pen, 10, 10, 20, 20);
  }
  EXPECT_TRUE(IsWhite(image, 9, 20));
  EXPECT_TRUE(IsInk(image, 11, 20));
  EXPECT_TRUE(IsInk(image, 13, 20));
  EXPECT_TRUE(IsWhite(image, 15, 20));
}

TEST(Render, SaveRestoreAndClear) {
  QImage image = Canvas(20, 20);
  {
    Graphics g(&image);
    const GraphicsState state = g.Save();
    g.TranslateTransform(10, 10);
    g.SetClip(RectF(0, 0, 5, 5));
    g.SetSmoothingMode(SmoothingModeAntiAlias);
    ASSERT_EQ(Ok, g.Restore(state));
    EXPECT_EQ(SmoothingModeNone, g.GetSmoothingMode());
    Matrix m;
    g.GetTransform(&m);
    EXPECT_TRUE(m.IsIdentity());
    ASSERT_EQ(Ok, g.Clear(Color(255, 0, 0, 255)));
  }
  EXPECT_EQ(0xFF0000FFu, Px(image, 0, 0));
  EXPECT_EQ(0xFF0000FFu, Px(image, 19, 19));
}

TEST(Render, BorrowedPainterGetsItsStateBack) {
  QImage image = Canvas(20, 20);
  QPainter painter(&image);
  painter.translate(5, 5);
  {
    Graphics g(&painter);
    SolidBrush black(Color(255, 0, 0, 0));
    g.SetSmoothingMode(SmoothingModeAntiAlias);
    g.TranslateTransform(100, 100);
    g.FillRectangle(&black, -100, -100, 2, 2);  // at the painter's origin
  }
  EXPECT_EQ(QTransform::fromTranslate(5, 5), painter.worldTransform());
  EXPECT_FALSE(painter.testRenderHint(QPainter::Antialiasing));
  painter.end();
  EXPECT_TRUE(IsInk(image, 5, 5));
  EXPECT_TRUE(IsWhite(image, 0, 0));
}

TEST(Render, DeviceHandOutBlocksDrawingUntilReleased) {
  QImage image = Canvas(10, 10);
  Graphics g(&image);
  SolidBrush black(Color(255, 0, 0, 0));
  QPaintDevice* device = g.GetHDC();
  ASSERT_EQ(&image, device);
  {
    QPainter other(device);  // the device is free for other drawing
    other.fillRect(0, 0, 2, 2, Qt::red);
  }
  EXPECT_EQ(ObjectBusy, g.FillRectangle(&black, 4, 4, 2, 2));
  g.ReleaseHDC(device);
  EXPECT_EQ(Ok, g.FillRectangle(&black, 4, 4, 2, 2));
  EXPECT_EQ(0xFFFF0000u, Px(image, 0, 0));
}
