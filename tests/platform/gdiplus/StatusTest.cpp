// Start-up, colours, matrices, regions and the status rules every object
// shares.
#include <gtest/gtest.h>

#include "Support.h"

using namespace Gdiplus;
using namespace gdiplus_test;

TEST(Startup, ChecksItsArgumentsAndHandsOutHooks) {
  std::uintptr_t token = 0;
  GdiplusStartupInput input;
  input.SuppressBackgroundThread = true;
  GdiplusStartupOutput output;
  ASSERT_EQ(Ok, GdiplusStartup(&token, &input, &output));
  ASSERT_NE(nullptr, output.NotificationHook);
  std::uintptr_t hookToken = 0;
  EXPECT_EQ(Ok, output.NotificationHook(&hookToken));
  output.NotificationUnhook(hookToken);
  GdiplusShutdown(token);
  EXPECT_EQ(InvalidParameter, GdiplusStartup(&token, &input, nullptr));
  EXPECT_EQ(InvalidParameter, GdiplusStartup(&token, nullptr, &output));
  input.GdiplusVersion = 9;
  EXPECT_EQ(UnsupportedGdiplusVersion, GdiplusStartup(&token, &input, &output));
}

TEST(Colors, ArgbPacking) {
  const Color c(128, 255, 0, 10);
  EXPECT_EQ(0x80FF000Au, c.GetValue());
  EXPECT_EQ(128, c.GetA());
  EXPECT_EQ(255, c.GetR());
  EXPECT_EQ(10, c.GetB());
  EXPECT_EQ(0xFF0A141Eu, Color(10, 20, 30).GetValue());
  EXPECT_EQ(Color::Black, Color().GetValue());
  EXPECT_EQ(c.GetValue(), Color::FromArgb(128, 255, 0, 10).GetValue());
}

TEST(Matrices, OrdersRotationsAndInversion) {
  for (MatrixOrder order : {MatrixOrderPrepend, MatrixOrderAppend}) {
    Matrix m;
    ASSERT_EQ(Ok, m.RotateAt(90, PointF(10, 10), order));
    PointF p(20, 10);
    m.TransformPoints(&p);
    EXPECT_NEAR(10, p.X, 1e-4) << order;
    EXPECT_NEAR(20, p.Y, 1e-4) << order;
  }
  Matrix prepend, append;
  prepend.Scale(2, 2);
  prepend.Translate(5, 0);  // acts first
  append.Scale(2, 2);
  append.Translate(5, 0, MatrixOrderAppend);  // acts last
  PointF a(1, 1), b(1, 1);
  prepend.TransformPoints(&a);
  append.TransformPoints(&b);
  EXPECT_FLOAT_EQ(12, a.X);
  EXPECT_FLOAT_EQ(7, b.X);

  Matrix inv(2, 0, 0, 4, 10, 20);
  ASSERT_EQ(Ok, inv.Invert());
  PointF q(30, 100);
  inv.TransformPoints(&q);
  EXPECT_FLOAT_EQ(10, q.X);
  EXPECT_FLOAT_EQ(20, q.Y);
  Matrix singular(1, 2, 2, 4, 0, 0);
  EXPECT_FALSE(singular.IsInvertible());
  EXPECT_EQ(InvalidParameter, singular.Invert());

  const RectF rect(0, 0, 10, 10);
  const PointF plg[3] = {{100, 100}, {120, 100}, {100, 130}};
  Matrix fit(rect, plg);
  PointF corner(10, 10);
  fit.TransformPoints(&corner);
  EXPECT_FLOAT_EQ(120, corner.X);
  EXPECT_FLOAT_EQ(130, corner.Y);
}

TEST(Statuses, LastFailureStaysUntilRead) {
  Matrix m;
  EXPECT_EQ(Ok, m.GetLastStatus());  // after a good constructor
  EXPECT_EQ(InvalidParameter, m.TransformPoints(static_cast<PointF*>(nullptr), 1));
  EXPECT_EQ(Ok, m.Translate(1, 1));  // a later success does not clear it
  EXPECT_EQ(InvalidParameter, m.GetLastStatus());
  EXPECT_EQ(Ok, m.GetLastStatus());

  QImage image = Canvas(4, 4);
  Graphics g(&image);
  EXPECT_EQ(InvalidParameter, g.SetSmoothingMode(SmoothingModeInvalid));
  EXPECT_EQ(InvalidParameter, g.FillRectangle(nullptr, 0, 0, 1, 1));
  EXPECT_EQ(Ok, g.SetSmoothingMode(SmoothingModeAntiAlias));
  EXPECT_EQ(InvalidParameter, g.GetLastStatus());
  EXPECT_EQ(Ok, g.GetLastStatus());

  Graphics nowhere(static_cast<QPaintDevice*>(nullptr));
  EXPECT_EQ(InvalidParameter, nowhere.GetLastStatus());
  Pen pen(Color(), 1);
  EXPECT_EQ(InvalidParameter, nowhere.DrawLine(&pen, 0, 0, 1, 1));
  EXPECT_EQ(SmoothingModeInvalid, nowhere.GetSmoothingMode());
}

TEST(Regions, SetOperationsAndClipping) {
  Region region(RectF(0, 0, 20, 20));
  GraphicsPath hole;
  hole.AddEllipse(5, 5, 10, 10);
  ASSERT_EQ(Ok, region.Exclude(&hole));
  EXPECT_TRUE(region.IsVisible(1, 1));
  EXPECT_FALSE(region.IsVisible(10, 10));
  Region other(RectF(30, 0, 5, 5));
  region.Union(&other);
  EXPECT_TRUE(region.IsVisible(32, 2));

  Region infinite;
  EXPECT_TRUE(infinite.IsInfinite());
  infinite.Exclude(RectF(0, 0, 10, 10));
  EXPECT_FALSE(infinite.IsInfinite());
  EXPECT_FALSE(infinite.IsVisible(5, 5));
  EXPECT_TRUE(infinite.IsVisible(-1000, 5));
  Region empty;
  empty.MakeEmpty();
  EXPECT_TRUE(empty.IsEmpty());

  QImage image = Canvas(40, 20);
  {
    Graphics g(&image);
    g.SetClip(&region);
    SolidBrush black(Color(255, 0, 0, 0));
    g.FillRectangle(&black, 0, 0, 40, 20);
  }
  EXPECT_TRUE(IsInk(image, 1, 1));
  EXPECT_TRUE(IsWhite(image, 10, 10));
  EXPECT_TRUE(IsWhite(image, 25, 2));
  EXPECT_TRUE(IsInk(image, 31, 2));
}
