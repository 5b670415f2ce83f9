#include <QGuiApplication>
#include <QPixmap>
#include <QWidget>

#include <gtest/gtest.h>

#include "ClassLibTestSupport.h"
#include "platform/classlib/Cursors.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/Graphics.h"
#include "platform/classlib/Monitors.h"

using namespace classlib_test;

TEST(Monitors, ThePointsMonitorOrTheNearestOne) {
  const std::vector<TRect> desk = {Rect(0, 0, 1920, 1080), Rect(1920, 0, 3200, 1024),
                                   Rect(-1280, 200, 0, 1224)};
  struct Case {
    TPoint p;
    TMonitorDefaultTo def;
    int monitor;
  } cases[] = {
      {{10, 10}, mdNearest, 0},     {{1919, 1079}, mdNull, 0},    {{1920, 0}, mdNull, 1},
      {{-1, 200}, mdNull, 2},       {{3199, 1023}, mdNull, 1},    {{5000, 10}, mdNearest, 1},
      {{-5000, 600}, mdNearest, 2}, {{2500, 1050}, mdNearest, 1}, {{500, 1500}, mdNearest, 0},
      {{5000, 10}, mdNull, -1},     {{5000, 10}, mdPrimary, 0},   {{-1, 0}, mdNearest, 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(MonitorIndexFromPoint(desk, c.p, c.def, 0), c.monitor) << c.p.X << "," << c.p.Y << " " << c.def;
  EXPECT_EQ(MonitorIndexFromPoint({}, TPoint(0, 0), mdNearest, 0), -1);
}

TEST(Monitors, RectanglesAreMovedInsideTheArea) {
  const TRect area = Rect(0, 0, 800, 600);
  struct Case {
    TRect r, expected;
  } cases[] = {
      {Rect(10, 10, 110, 30), Rect(10, 10, 110, 30)},       {Rect(750, 10, 850, 30), Rect(700, 10, 800, 30)},
      {Rect(10, 590, 110, 610), Rect(10, 580, 110, 600)},   {Rect(-20, -5, 80, 15), Rect(0, 0, 100, 20)},
      {Rect(790, 595, 890, 615), Rect(700, 580, 800, 600)}, {Rect(-50, 0, 1000, 20), Rect(0, 0, 1050, 20)},
  };
  for (const auto& c : cases) {
    const TRect r = KeepRectInside(c.r, area);
    EXPECT_TRUE(r.Left == c.expected.Left && r.Top == c.expected.Top && r.Right == c.expected.Right &&
                r.Bottom == c.expected.Bottom)
        << c.r.Left << "," << c.r.Top << " gave " << r.Left << "," << r.Top << "," << r.Right << ","
        << r.Bottom;
  }
}

TEST(Monitors, TheScreenReportsTheToolkitsMonitors) {
  App();
  ASSERT_GE(Screen->GetMonitorCount(), 1);
  TMonitor* primary = Screen->GetPrimaryMonitor();
  EXPECT_TRUE(primary->GetPrimary());
  EXPECT_EQ(primary->GetMonitorNum(), 0);
  EXPECT_EQ(primary->GetWidth(), Screen->GetWidth());
  EXPECT_EQ(primary->GetHeight(), Screen->GetHeight());
  const TRect work = primary->GetWorkareaRect();
  const TRect bounds = primary->GetBoundsRect();
  EXPECT_TRUE(work.Left >= bounds.Left && work.Right <= bounds.Right && work.Top >= bounds.Top &&
              work.Bottom <= bounds.Bottom);
  EXPECT_EQ(Screen->MonitorFromPoint(TPoint(bounds.Left + 1, bounds.Top + 1)), primary);
  EXPECT_NE(Screen->MonitorFromPoint(TPoint(-100000, -100000)), nullptr);
  EXPECT_EQ(Screen->MonitorFromPoint(TPoint(-100000, -100000), mdNull), nullptr);
  EXPECT_EQ(Screen->GetMonitors(0), primary);
  EXPECT_THROW(Screen->GetMonitors(Screen->GetMonitorCount()), EInvalidOperation);
}

namespace {

// 16 x 16: a magenta background (the transparent colour) and a dark square.
void CursorPicture(TBitmap& b) {
  b.SetSize(16, 16);
  b.GetCanvas()->Brush->SetColor(clFuchsia);
  b.GetCanvas()->FillRect(Rect(0, 0, 16, 16));
  b.GetCanvas()->Brush->SetColor(clNavy);
  b.GetCanvas()->FillRect(Rect(4, 4, 12, 12));
}

}  // namespace

TEST(ScreenCursors, AControlShowsTheCursorPutUnderItsNumber) {
  App();
  FormGuard guard;
  auto* early = guard(new TCustomControl(nullptr));
  auto* late = guard(new TCustomControl(nullptr));
  early->SetCursor(99);
  early->HandleNeeded();
  late->HandleNeeded();
  EXPECT_EQ(early->GetWidget()->cursor().shape(), Qt::ArrowCursor) << "nothing under 99 yet";

  TBitmap picture;
  CursorPicture(picture);
  picture.SetTransparent(true);
  picture.SetTransparentColor(clFuchsia);
  Screen->SetCursors(99, CreateCursorFromGraphic(&picture, 3, 4));
  QCursor shown = early->GetWidget()->cursor();
  EXPECT_EQ(shown.shape(), Qt::BitmapCursor) << "a control already showing 99 follows";
  EXPECT_EQ(shown.hotSpot(), QPoint(3, 4));
  const QImage pixels = shown.pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
  ASSERT_EQ(pixels.size(), QSize(16, 16));
  EXPECT_EQ(qAlpha(pixels.pixel(0, 0)), 0) << "the transparent colour is see-through";
  EXPECT_EQ(pixels.pixel(8, 8), 0xFF000080u);

  late->SetCursor(99);
  EXPECT_EQ(late->GetWidget()->cursor().shape(), Qt::BitmapCursor);

  // A standard shape under a number of the program's own.
  Screen->SetCursors(99, CreateStandardCursor(crHandPoint));
  EXPECT_EQ(early->GetWidget()->cursor().shape(), Qt::PointingHandCursor);
  EXPECT_EQ(late->GetWidget()->cursor().shape(), Qt::PointingHandCursor);

  // The whole program's cursor by number.
  Screen->SetCursor(99);
  ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::PointingHandCursor);
  Screen->SetCursor(crDefault);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

  Screen->SetCursors(99, nullptr);
  EXPECT_EQ(early->GetWidget()->cursor().shape(), Qt::ArrowCursor);
}

TEST(ScreenCursors, StandardNumbersAndUnknownOnes) {
  App();
  HCURSOR hand = Screen->GetCursors(crHandPoint);
  ASSERT_NE(hand, nullptr);
  EXPECT_EQ(Screen->GetCursors(crHandPoint), hand);
  EXPECT_EQ(Screen->GetCursors(12345), Screen->GetCursors(crDefault));
  Screen->SetCursors(crHandPoint, hand);  // the same handle again changes nothing
  EXPECT_EQ(Screen->GetCursors(crHandPoint), hand);
  TBitmap empty;
  EXPECT_EQ(CreateCursorFromGraphic(&empty, 0, 0), nullptr);
  EXPECT_EQ(CreateCursorFromGraphic(nullptr, 0, 0), nullptr);

  FormGuard guard;
  auto* c = guard(new TCustomControl(nullptr));
  c->SetCursor(crSizeWE);
  EXPECT_EQ(c->GetWidget()->cursor().shape(), Qt::SizeHorCursor);
}
