// Axis tracking, zoom and scrolling: the tracking styles on new values,
// alignment, zoom and scroll steps, the user's drag with and without Ctrl,
// keys, and the resume values.

#include <cmath>

#include "instruments/plot/iXYPlot.h"
#include "platform/classlib/Keys.h"
#include "tests/instruments/PlotTestSupport.h"

using namespace instruments_test;
using namespace classlib_test;

namespace {

class PlotAxisTrackingTest : public ::testing::Test {
 protected:
  void SetUp() override { App(); }
  TiXYPlot plot{nullptr};
  TiPlotAxis* X() { return plot.GetXAxis(0); }
  TiPlotAxis* Y() { return plot.GetYAxis(0); }
};

struct TrackingCase {
  const char* Name;
  TiPlotTrackingStyle Style;
  double CompressMax;
  double Min, Span;
  std::vector<double> Values;
  double WantMin, WantSpan;
};

TEST_F(PlotAxisTrackingTest, StylesFollowNewValues) {
  const TrackingCase cases[] = {
      {"smooth scroll", iptsScrollSmooth, 0, 0, 10, {15}, 5, 10},
      {"smooth scroll back", iptsScrollSmooth, 0, 0, 10, {15, -3}, -3, 10},
      {"page scroll", iptsScrollPage, 0, 0, 10, {15}, 10, 10},
      {"compress widens", iptsScrollSmooth, 100, 0, 10, {50}, 0, 50},
      {"compress caps the span", iptsScrollSmooth, 100, 0, 120, {130}, 30, 100},
      {"scale max", iptsScaleMax, 0, 0, 10, {25}, 0, 25},
      {"scale min", iptsScaleMin, 0, 0, 10, {-5}, -5, 15},
      {"scale min and max keeps the span below", iptsScaleMinMax, 0, 0, 10, {-5}, -5, 10},
      {"expand both ways", iptsExpandMinMax, 0, 0, 10, {12, -2}, -2, 14},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    X()->SetTrackingStyle(c.Style);
    X()->SetTrackingScrollCompressMax(c.CompressMax);
    X()->SetMinSpan(c.Min, c.Span);
    X()->ResetFirstAlign();
    X()->NewTrackingData(c.Min);  // the first value, inside: the scale stays
    for (double v : c.Values) X()->NewTrackingData(v);
    EXPECT_DOUBLE_EQ(X()->GetMin(), c.WantMin);
    EXPECT_DOUBLE_EQ(X()->GetSpan(), c.WantSpan);
  }
}

TEST_F(PlotAxisTrackingTest, FirstValueAlignment) {
  // The Y axis leaves its scale alone; the X axis moves only for a value outside.
  Y()->NewTrackingData(500);
  EXPECT_EQ(Y()->GetMin(), 0);
  X()->NewTrackingData(50);
  EXPECT_EQ(X()->GetMin(), 0);
  X()->ResetFirstAlign();
  X()->NewTrackingData(150);
  EXPECT_EQ(X()->GetMin(), 150);
  EXPECT_EQ(X()->GetSpan(), 100);
  X()->SetTrackingAlignFirstStyle(ipafsMax);
  X()->ResetFirstAlign();
  X()->NewTrackingData(40);
  EXPECT_EQ(X()->GetMin(), -60);
  // Switched off: nothing moves.
  X()->SetTrackingEnabled(false);
  X()->SetRestoreValuesOnResume(false);
  X()->ResetFirstAlign();
  X()->NewTrackingData(1000);
  EXPECT_EQ(X()->GetMin(), -60);
}

TEST_F(PlotAxisTrackingTest, AlignsToTheMajorIncrementOnceTicksExist) {
  X()->SetTrackingIncrementStyle(iptisMajor);
  X()->SetMinSpan(3, 24);
  X()->NewTrackingData(10);
  // No tick generation yet: no increment, nothing aligned.
  X()->NewTrackingData(10);
  EXPECT_EQ(X()->GetMin(), 3);
  plot.SetBounds(0, 0, 400, 300);
  X()->SetDesiredIncrement(10);
  TBitmap b(400, 300);
  plot.iPaintToCanvas(b.GetCanvas());
  ASSERT_EQ(X()->GetMajorIncrement(), 10);
  X()->SetMinSpan(3, 24);
  X()->NewTrackingData(10);
  EXPECT_EQ(X()->GetMin(), 0);
  EXPECT_EQ(X()->GetSpan(), 30);
}

TEST_F(PlotAxisTrackingTest, SpanMinimumAndMargins) {
  X()->SetTrackingSpanMinimum(20);
  X()->SetMinSpan(0, 10);
  X()->NewTrackingData(5);
  X()->NewTrackingData(5);
  EXPECT_EQ(X()->GetMin(), -5);
  EXPECT_EQ(X()->GetSpan(), 20);
  X()->SetTrackingSpanMinimum(0);
  X()->SetTrackingMaxMargin(2);
  X()->SetMinSpan(0, 10);
  X()->NewTrackingData(9);
  EXPECT_EQ(X()->GetMin(), 0);
  EXPECT_EQ(X()->GetSpan(), 11);
}

TEST_F(PlotAxisTrackingTest, ZoomAndItsRefusal) {
  X()->SetMinSpan(0, 100);
  X()->Zoom(0.5);
  EXPECT_EQ(X()->GetMin(), 25);
  EXPECT_EQ(X()->GetSpan(), 50);
  try {
    X()->Zoom(0);
    FAIL();
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "Linear Scale Zoom Factor must be Greater than Zero");
  }
  EXPECT_EQ(X()->GetSpan(), 50);
  // Extreme factors and steps leave a finite scale, on log axes too.
  for (double f : {1e300, 1e-300, 1e308}) X()->Zoom(f);
  X()->ZoomStep(400);
  X()->ZoomStep(-400);
  X()->ScrollStep(1e300);
  EXPECT_TRUE(std::isfinite(X()->GetMin()) && std::isfinite(X()->GetSpan()) && X()->GetSpan() > 0);
  Y()->SetScaleType(ipstLog10);
  Y()->SetMinSpan(1, 99);
  Y()->Zoom(400);
  Y()->ZoomStep(-400);
  Y()->ScrollStep(-1e10);
  EXPECT_TRUE(std::isfinite(Y()->GetMin()) && std::isfinite(Y()->GetSpan()) && Y()->GetMin() > 0 &&
              Y()->GetSpan() > 0);
}

TEST_F(PlotAxisTrackingTest, ZoomToFitTakesTheChannelsOnTheAxis) {
  TiXYPlotChannel* c = plot.GetChannel(0);
  X()->SetTrackingEnabled(false);
  c->AddXY(-20, 1);
  c->AddXY(30, 2);
  X()->SetTrackingMinMargin(5);
  X()->ZoomToFit();
  EXPECT_EQ(X()->GetMin(), -25);
  EXPECT_EQ(X()->GetSpan(), 55);
}

TEST_F(PlotAxisTrackingTest, KeysStepByMode) {
  X()->SetMinSpan(0, 100);
  std::uint16_t key = VK_PRIOR;
  X()->iKeyDown(key, TShiftState(), nullptr);
  EXPECT_EQ(X()->GetMin(), 100);
  X()->SetMode(ipamZoom);
  X()->SetMinSpan(0, 100);
  X()->iKeyDown(key, TShiftState(), nullptr);
  EXPECT_DOUBLE_EQ(X()->GetMin(), 45);
  EXPECT_DOUBLE_EQ(X()->GetSpan(), 10);
  EXPECT_FALSE(X()->GetTrackingEnabled());
}

TEST_F(PlotAxisTrackingTest, PopupOffersTrackingResumeAndZoomToFit) {
  TPopupMenu menu(nullptr);
  X()->BuildPopupMenu(&menu);
  ASSERT_GE(menu.GetItems()->Count(), 3);
  EXPECT_EQ(menu.GetItems()->GetItems(0)->GetCaption(), "Tracking Enabled");
  EXPECT_TRUE(menu.GetItems()->GetItems(0)->GetChecked());
  EXPECT_FALSE(menu.GetItems()->GetItems(1)->GetEnabled());
  EXPECT_EQ(menu.GetItems()->GetItems(2)->GetCaption(), "Zoom to Fit");
  menu.GetItems()->GetItems(0)->Click();
  EXPECT_FALSE(X()->GetTrackingEnabled());
}

// Dragging the X axis of a shown plot through the layer's events.
class PlotAxisDragTest : public ::testing::Test {
 protected:
  void SetUp() override {
    plot = stage.Add<TiXYPlot>("plot", 10, 10, 360, 260);
    ShowAndActivate(stage.form);
    TBitmap b(360, 260);
    plot->iPaintToCanvas(b.GetCanvas());
    X()->SetMinSpan(0, 100);
  }
  TiPlotAxis* X() { return plot->GetXAxis(0); }
  // A drag of a quarter of the scale to the right; Ctrl held while moving.
  double Drag(Qt::KeyboardModifiers mods) {
    const TRect r = X()->GetFocusRect();
    const int y = (r.Top + r.Bottom) / 2, x0 = X()->GetScaleRect().Left + 10;
    const int dx = X()->GetScaleLength() / 4;
    SendMouse(plot, QEvent::MouseButtonPress, x0, y, Qt::LeftButton, Qt::LeftButton);
    SendMouse(plot, QEvent::MouseMove, x0 + dx, y, Qt::NoButton, Qt::LeftButton, mods);
    SendMouse(plot, QEvent::MouseButtonRelease, x0 + dx, y, Qt::LeftButton, Qt::NoButton, mods);
    return static_cast<double>(dx) / X()->GetScaleLength();
  }
  FormStage stage;
  TiXYPlot* plot = nullptr;
};

TEST_F(PlotAxisDragTest, QuarterDragScrollsAndWithCtrlZooms) {
  std::vector<double> finished;
  plot->OnXAxisMinSpanChangeFinished = [&](int, double OldMin, double OldSpan, double NewMin, double) {
    finished = {OldMin, OldSpan, NewMin};
  };
  const double f = Drag(Qt::NoModifier);
  EXPECT_NEAR(X()->GetMin(), -100 * f, 1e-9);
  EXPECT_EQ(X()->GetSpan(), 100);
  EXPECT_EQ(finished, (std::vector<double>{0, 100, X()->GetMin()}));
  EXPECT_FALSE(X()->GetTrackingEnabled());

  // Resuming restores the scale from before the first drag.
  X()->SetTrackingEnabled(true);
  EXPECT_EQ(X()->GetMin(), 0);
  EXPECT_EQ(X()->GetSpan(), 100);

  const double g = Drag(Qt::ControlModifier);
  EXPECT_NEAR(X()->GetSpan(), 100 / std::pow(10.0, g / 4), 1e-9);
  EXPECT_NEAR(X()->GetMid(), 50, 1e-9);
}

TEST_F(PlotAxisDragTest, DisabledAxesOfTheProgramDoNotMove) {
  X()->SetEnabled(false);
  X()->SetCanFocus(false);
  Drag(Qt::NoModifier);
  EXPECT_EQ(X()->GetMin(), 0);
  EXPECT_FALSE(X()->GetUserSelected());
}

}  // namespace
