// The strip-chart plot: its default objects and typed channels, and the
// data cursor's strip-chart half: snapping to points, moving from point to
// point with the axis scrolled along, and the interpolated Y lookup.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "instruments/plot/iPlot.h"
#include "instruments/plot/iPlotDataCursor.h"
#include "instruments/plot/iPlotDataView.h"
#include "platform/classlib/Keys.h"
#include "platform/classlib/PicturePng.h"
#include "tests/platform/classlib/ClassLibTestSupport.h"

namespace {

TEST(PlotStripChart, DefaultObjectsAndChannels) {
  classlib_test::App();
  TiPlot plot(nullptr);
  EXPECT_EQ(plot.GetToolBarCount(), 1);
  EXPECT_EQ(plot.GetLegendCount(), 1);
  EXPECT_EQ(plot.GetXAxisCount(), 1);
  EXPECT_EQ(plot.GetYAxisCount(), 1);
  EXPECT_EQ(plot.GetChannelCount(), 1);
  EXPECT_EQ(plot.GetDataViewCount(), 1);
  EXPECT_EQ(plot.GetDataCursorCount(), 1);
  EXPECT_EQ(plot.GetTitleText(), "Untitled");
  EXPECT_NE(plot.GetChannel(0), nullptr);
  EXPECT_EQ(plot.GetChannel(plot.AddChannel())->GetInterpolationStyle(), ipistStraightLine);
  EXPECT_EQ(plot.GetXAxis(0)->GetTrackingStyle(), iptsScrollSmooth);
  EXPECT_EQ(plot.GetXAxis(plot.AddXAxis())->GetTrackingStyle(), iptsScrollSmooth);
  EXPECT_EQ(plot.GetYAxis(0)->GetTrackingStyle(), iptsScaleMinMax);
  for (int bad : {2, -1}) {
    try {
      plot.GetChannel(bad);
      ADD_FAILURE() << bad;
    } catch (const Exception& e) {
      EXPECT_EQ(std::string(e.what()), "List index out of bounds (" + std::to_string(bad) + ")");
    }
  }
  // A channel of another class after the class was changed.
  plot.GetMaster()->SetChannelClass(iChannelClass<TiPlotChannelCustom>());
  const int other = plot.AddChannel();
  EXPECT_THROW(plot.GetChannel(other), EInvalidCast);
}

// A shown strip chart with one channel of points at X 0, 10, .. 200 and an
// X axis from 0 to 100.
class PlotStripChartCursorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    classlib_test::App();
    plot.SetBounds(0, 0, 400, 260);
    ch = plot.GetChannel(0);
    for (int i = 0; i <= 20; ++i) ch->AddXY(i * 10, i * 10 % 30);
    X()->SetTrackingEnabled(false);
    plot.GetYAxis(0)->SetTrackingEnabled(false);
    X()->SetMinSpan(0, 100);
    plot.GetYAxis(0)->SetMinSpan(0, 30);
    cursor = plot.GetDataCursor(0);
    cursor->SetVisible(true);
    Paint();
  }
  void Paint() { plot.iPaintToCanvas(bitmap.GetCanvas()); }
  TiPlotAxis* X() { return plot.GetXAxis(0); }
  void Key(std::uint16_t K, TShiftState Shift = {}) { cursor->iKeyDown(K, Shift, nullptr); }

  TiPlot plot{nullptr};
  TBitmap bitmap{400, 260};
  TiPlotChannel* ch = nullptr;
  TiPlotDataCursor* cursor = nullptr;
};

TEST_F(PlotStripChartCursorTest, SnapsToTheNearestPoint) {
  struct Case {
    double Percent;
    int Index;
  } cases[] = {
      {33, 3}, {37, 4},   {15, 2},  // a tie: the point the index search found wins
      {0, 0},  {100, 10},
  };
  cursor->SetSnapToDataPoint(true);
  // Both pointers snap, pointer 2 last: it sits at the same place here.
  for (const Case& c : cases) {
    cursor->SetPointer1Position(c.Percent);
    cursor->SetPointer2Position(c.Percent);
    cursor->DoSnapToDataPoint();
    EXPECT_EQ(cursor->GetSnapToIndexChannel(), 0) << c.Percent;
    EXPECT_EQ(cursor->GetSnapToIndexData(), c.Index) << c.Percent;
    EXPECT_NEAR(cursor->GetPointer1Position(), c.Index * 10, 1e-9) << c.Percent;
  }
  // Without snapping, or in the Y-delta style, nothing moves.
  cursor->SetSnapToDataPoint(false);
  cursor->SetPointer1Position(33);
  cursor->DoSnapToDataPoint();
  EXPECT_EQ(cursor->GetPointer1Position(), 33);
  cursor->SetSnapToDataPoint(true);
  cursor->SetStyle(ipcsDeltaY);
  cursor->DoSnapToDataPoint();
  EXPECT_EQ(cursor->GetPointer1Position(), 33);
}

TEST_F(PlotStripChartCursorTest, AllChannelsSnapToTheClosest) {
  TiPlotChannel* other = plot.GetChannel(plot.AddChannel());
  other->AddXY(32, 5);
  other->AddXY(80, 5);
  cursor->SetChannelName("<All>");
  cursor->SetSnapToDataPoint(true);
  cursor->SetPointer1Position(33);
  cursor->SetPointer2Position(33);
  cursor->DoSnapToDataPoint();
  EXPECT_EQ(cursor->GetSnapToIndexChannel(), 1);
  EXPECT_EQ(cursor->GetSnapToIndexData(), 0);
  EXPECT_NEAR(cursor->GetPointer1Position(), 32, 1e-9);
}

TEST_F(PlotStripChartCursorTest, KeysMoveFromPointToPointAndScroll) {
  cursor->SetSnapToDataPoint(true);
  cursor->SetPointer1Position(41);
  Key(VK_RIGHT);
  EXPECT_EQ(cursor->GetSnapToIndexData(), 4);
  EXPECT_NEAR(cursor->GetPointer1Position(), 50, 1e-9);
  Key(VK_PRIOR);
  EXPECT_NEAR(cursor->GetPointer1Position(), 100, 1e-9);
  Key(VK_LEFT);
  EXPECT_NEAR(cursor->GetPointer1Position(), 90, 1e-9);
  // End: the last point, a fortieth of the span inside the scrolled axis.
  Key(VK_END);
  EXPECT_DOUBLE_EQ(X()->GetMin(), 200 - 100 + 2.5);
  EXPECT_NEAR(cursor->GetPointer1Position(), 97.5, 1e-9);
  Key(VK_HOME);
  EXPECT_DOUBLE_EQ(X()->GetMin(), -2.5);
  EXPECT_NEAR(cursor->GetPointer1Position(), 2.5, 1e-9);
  // A reversed scale steps the other way.
  cursor->SetPointer1Position(50);
  X()->SetReverseScale(true);
  Key(VK_RIGHT);
  EXPECT_LT(X()->PercentToPosition(cursor->GetPointer1Position() / 100),
            ch->GetX(cursor->GetSnapToIndexData()));
}

TEST_F(PlotStripChartCursorTest, InterpolatedYValueBothWays) {
  double y = -1;
  EXPECT_EQ(cursor->GetInterpolatedYValue("nobody", 3, y), ipdpsNull);
  EXPECT_EQ(y, 0);
  cursor->SetVisible(false);
  cursor->SetPointer1Position(12);
  const std::string name = ch->GetName();
  // Point 1 (10, 10) to point 2 (20, 20).
  for (bool cached : {true, false}) {
    cursor->SetUseCachedInterpolatedData(cached);
    EXPECT_EQ(cursor->GetInterpolatedYValue(name, 15, y), ipdpsValid) << cached;
    EXPECT_NEAR(y, 15, 0.5) << cached;
    // What the lookup changed is put back.
    EXPECT_FALSE(cursor->GetVisible());
    EXPECT_EQ(cursor->GetPointer1Position(), 12);
    EXPECT_EQ(X()->GetMin(), 0);
    EXPECT_EQ(cursor->GetChannelName(), name);
  }
  // A spline is read from what the paint drew.
  ch->SetInterpolationStyle(ipistCubicSpline);
  cursor->SetUseCachedInterpolatedData(false);
  EXPECT_EQ(cursor->GetInterpolatedYValue(name, 10, y), ipdpsValid);
  EXPECT_NEAR(y, 10, 0.5);
}

TEST(PlotStripChart, RendersEachStyle) {
  classlib_test::App();
  struct Case {
    const char* Name;
    std::function<void(TiPlotChannel*)> Set;
  } cases[] = {
      {"line", [](TiPlotChannel*) {}},
      {"fill",
       [](TiPlotChannel* c) {
         c->SetFillEnabled(true);
         c->SetFillColor(0x604020);
         c->SetFillUseChannelColor(false);
       }},
      {"bars", [](TiPlotChannel* c) { c->SetBarEnabled(true), c->SetBarWidth(3); }},
      {"digital", [](TiPlotChannel* c) { c->SetDigitalEnabled(true); }},
      {"differential", [](TiPlotChannel* c) { c->SetInterpolationStyle(ipistDifferential); }},
      {"spline", [](TiPlotChannel* c) { c->SetInterpolationStyle(ipistCubicSpline); }},
      {"polynomial", [](TiPlotChannel* c) { c->SetInterpolationStyle(ipistPolynomial); }},
      {"rational", [](TiPlotChannel* c) { c->SetInterpolationStyle(ipistRational); }},
      {"open-close",
       [](TiPlotChannel* c) {
         c->SetHighLowEnabled(true), c->SetHighLowOpenWidth(3), c->SetHighLowCloseWidth(3);
       }},
      {"candles",
       [](TiPlotChannel* c) {
         c->SetHighLowEnabled(true), c->SetHighLowStyle(iphlsCandleStick), c->SetHighLowBarWidth(4);
       }},
  };
  for (const Case& c : cases) {
    TiPlot plot(nullptr);
    plot.SetBounds(0, 0, 480, 300);
    plot.SetTitleText(c.Name);
    TiPlotChannel* ch = plot.GetChannel(0);
    ch->SetDataStyle(ipdsFullFeature);
    ch->SetMarkersVisible(true);
    c.Set(ch);
    const bool digital = ch->GetDigitalEnabled();
    const bool records = ch->GetHighLowEnabled();
    // Records keep their values beside a Y of 0: no trace through them.
    if (records) ch->SetTraceVisible(false), ch->SetMarkersVisible(false);
    for (int i = 0; i < 12; ++i) {
      const double v = 50 + 35 * std::sin(i * 0.7);
      if (records)
        ch->AddHighLow(i * 10, v + 10, v - 10, v - 5 + (i % 2) * 10, v + 5 - (i % 2) * 10);
      else
        ch->AddXY(i * 10, digital ? (i / 2) % 2 * 100 : v);
    }
    plot.GetXAxis(0)->SetMinSpan(-5, 120);
    plot.GetYAxis(0)->SetMinSpan(0, 100);
    TBitmap bitmap(480, 300);
    plot.iPaintToCanvas(bitmap.GetCanvas());
    TPngImage png;
    png.Assign(&bitmap);
    png.SaveToFile(::testing::TempDir() + "plot-strip-chart-" + c.Name + ".png");
    // Something of the channel's colour is in the data view.
    const TRect r = plot.GetDataView(0)->GetDrawRect();
    int lit = 0;
    for (int x = r.Left; x < r.Right; ++x)
      for (int y = r.Top; y < r.Bottom; ++y)
        lit += bitmap.GetCanvas()->GetPixels(x, y) != bitmap.GetCanvas()->GetPixels(r.Left + 1, r.Top + 1);
    EXPECT_GT(lit, 100) << c.Name;
  }
}

}  // namespace
