// The channel base: running statistics, deleting points, axis tracking,
// array adds, the store behind the channel and its axes by name.

#include <cmath>

#include "instruments/plot/iPlotChannelCustom.h"
#include "platform/sys/SysUtils.h"
#include "tests/instruments/PlotTestHost.h"

using namespace instruments_test;

namespace {

class PlotChannelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    plot = TTestPlotHost::WithAxes();
    auto* m = plot->Master.get();
    m->AddChannel();
    ch = m->GetChannelManager()->GetItem(0);
    ch->OnChange = [this](TObject*) { ++changes; };
    // 600 pixels for a span of 100: 3 pixels are half a unit.
    auto* x = m->GetXAxisManager()->GetItem(0);
    x->SetHorizontal(true);
    x->SetDrawRect(TRect(0, 100, 600, 120));
    x->UpdateScaleRect(0, 0, 0);
    auto* y = m->GetYAxisManager()->GetItem(0);
    y->SetDrawRect(TRect(0, 0, 20, 100));
    y->UpdateScaleRect(0, 0, 0);
  }
  std::unique_ptr<TTestPlotHost> plot;
  TiPlotChannelCustom* ch = nullptr;
  int changes = 0;
};

TEST_F(PlotChannelTest, NewChannelIsEmptyWithSentinels) {
  TCustomControl bare(nullptr);
  TNotifyEvent nop = [](TObject*) {};
  TiPlotChannelCustom c(&bare, nop, nop, nop, nop);
  EXPECT_EQ(c.GetCount(), 0);
  EXPECT_EQ(c.GetIndexFirst(), -1);
  EXPECT_EQ(c.GetIndexLast(), -1);
  EXPECT_EQ(c.GetXFirst(), -1);
  EXPECT_EQ(c.GetYLast(), -1);
  EXPECT_EQ(c.GetRunningXMin(), 1e300);
  EXPECT_EQ(c.GetRunningXMax(), -1e300);
  EXPECT_EQ(c.GetRunningXMean(), 0);
  EXPECT_EQ(c.GetColor(), 0x0000FF);
  EXPECT_EQ(c.GetTraceLineWidth(), 1);
  EXPECT_EQ(c.GetMarkersSize(), 3);
  EXPECT_EQ(c.GetMarkersFont()->GetColor(), 0xFFFFFF);
  EXPECT_EQ(c.GetXAxis(), nullptr);  // no plot behind it
  EXPECT_EQ(c.GetXValueText(1), "No X-Axis");
  c.AddXY(1, 2);  // no axes to track: quietly nothing
  EXPECT_EQ(c.GetCount(), 1);
}

TEST_F(PlotChannelTest, RunningStatistics) {
  struct Point {
    double X, Y;
    bool Null = false;
  };
  enum Then { None, ReCalc, Clear, XMean };
  struct {
    const char* Name;
    std::vector<Point> Before;
    Then Step;
    std::vector<Point> After;
    double XMin, XMax, XMean, YMin, YMax, YMean;
  } cases[] = {
      {"three points", {{1, 10}, {3, 30}, {2, 20}}, None, {}, 1, 3, 2, 10, 30, 20},
      {"a null counts while running", {{1, 10}, {9, 90, true}}, None, {}, 1, 9, 5, 10, 90, 50},
      {"recalculation leaves the null out", {{1, 10}, {9, 90, true}}, ReCalc, {}, 1, 1, 1, 10, 10, 10},
      {"clear starts over", {{1, 10}, {9, 90}}, Clear, {{5, 7}}, 5, 5, 5, 7, 7, 7},
      // A scan of X resets only X's count: Y's mean stays the mean of all.
      {"X and Y count apart", {{1, 10}, {100, 100, true}}, XMean, {{3, 30}}, 1, 100, 2, 10, 100, 140.0 / 3},
  };
  for (const auto& c : cases) {
    ch->Clear();
    for (const Point& p : c.Before) ch->AddPoint(p.X, p.Y, p.Null, false);
    if (c.Step == ReCalc) ch->ReCalcRunningMinMaxMean();
    if (c.Step == Clear) ch->Clear();
    if (c.Step == XMean) {
      EXPECT_EQ(ch->GetXMean(), 1) << c.Name;
    }
    for (const Point& p : c.After) ch->AddPoint(p.X, p.Y, p.Null, false);
    EXPECT_EQ(ch->GetRunningXMin(), c.XMin) << c.Name;
    EXPECT_EQ(ch->GetRunningXMax(), c.XMax) << c.Name;
    EXPECT_DOUBLE_EQ(ch->GetRunningXMean(), c.XMean) << c.Name;
    EXPECT_EQ(ch->GetRunningYMin(), c.YMin) << c.Name;
    EXPECT_EQ(ch->GetRunningYMax(), c.YMax) << c.Name;
    EXPECT_DOUBLE_EQ(ch->GetRunningYMean(), c.YMean) << c.Name;
  }
}

TEST_F(PlotChannelTest, ScansSkipNullAndEmptyPoints) {
  ch->AddXY(4, -2);
  ch->AddPoint(50, 50, true, false);
  ch->AddPoint(-50, -50, false, true);
  ch->AddXY(-1, 6);
  EXPECT_EQ(ch->GetXMax(), 4);
  EXPECT_EQ(ch->GetXMin(), -1);
  EXPECT_EQ(ch->GetYMax(), 6);
  EXPECT_EQ(ch->GetYMin(), -2);
  EXPECT_DOUBLE_EQ(ch->GetYMean(), 2);
  EXPECT_EQ(ch->GetRunningXMax(), 4);  // the scans store what they find
  ch->Clear();
  EXPECT_EQ(ch->GetXMax(), -1e300);
  EXPECT_EQ(ch->GetYMin(), 1e300);
  EXPECT_EQ(ch->GetXMean(), 0);
}

TEST_F(PlotChannelTest, DeletePoints) {
  // The program's pattern: delete what is there, add the new curve.
  for (int round = 0; round < 3; ++round) {
    ch->DeletePoints(ch->GetCount());
    for (double x : {20.0, -40.0, -100.0}) ch->AddXY(x, x / 2);
    EXPECT_EQ(ch->GetCount(), 3);
  }
  EXPECT_EQ(ch->GetRunningXMin(), -100);
  ch->DeletePoints(2);  // keeps the newest, and the statistics
  EXPECT_EQ(ch->GetCount(), 1);
  EXPECT_EQ(ch->GetX(0), -100);
  EXPECT_EQ(ch->GetRunningXMax(), 20);
  changes = 0;
  ch->DeletePoints(0);
  EXPECT_EQ(ch->GetCount(), 1);
  EXPECT_EQ(changes, 1);
  EXPECT_THROW(ch->DeletePoints(-1), Exception);
  EXPECT_THROW(ch->DeletePoints(5), Exception);
  ch->DeletePoints(1);
  EXPECT_EQ(ch->GetCount(), 0);
  EXPECT_EQ(ch->GetRunningXMax(), -1e300);
  EXPECT_EQ(ch->GetDrawStartIndex(), -1);
  ch->DeletePoints(0);  // on an empty channel: a clear
  EXPECT_EQ(ch->GetCount(), 0);
}

TEST_F(PlotChannelTest, NewPointsFeedTheAxesTracking) {
  ch->AddPoint(7, 8, false, true);  // markers hidden: an empty point moves X only
  ch->SetXAxisTrackingEnabled(false);
  ch->AddXY(1, 2);
  EXPECT_EQ(plot->Tracking, (std::vector<std::string>{"X-Axis 1 7", "Y-Axis 1 2"}));
  plot->Tracking.clear();
  ch->SetXAxisTrackingEnabled(true);
  ch->SetMarkersVisible(true);
  ch->AddXY(10, 50);  // widened by 3 pixels: half a unit on X, 3 units on Y
  EXPECT_EQ(plot->Tracking,
            (std::vector<std::string>{"X-Axis 1 10.5", "X-Axis 1 9.5", "Y-Axis 1 53", "Y-Axis 1 47"}));
  plot->Tracking.clear();
  ch->AddPoint(1, 1, true, false);  // a null point has no extent
  EXPECT_TRUE(plot->Tracking.empty());
  EXPECT_THROW(ch->GetXMaxExtent(ch->GetIndexLast()), Exception);
  ch->SetXAxisName("none");
  EXPECT_THROW(ch->GetXMinExtent(0), Exception);
  ch->SetMarkersVisible(false);
  EXPECT_EQ(ch->GetXMinExtent(0), 7);
}

TEST_F(PlotChannelTest, ArrayAdds) {
  TiPlotVariantArray x{{{0, 2}}, {1, 2, 3}}, y{{{1, 3}}, {4, 5, 6}};
  try {
    ch->AddXYArrays(x, y);
    FAIL();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "X-Data and Y-Data low bound dimension must match");
  }
  EXPECT_EQ(ch->GetCount(), 0);
  y.Bounds = {{0, 2}};
  ch->AddXYArrays(x, y);
  EXPECT_EQ(ch->GetCount(), 3);
  EXPECT_EQ(ch->GetY(2), 6);
  EXPECT_THROW(ch->AddXYArrays(TiPlotVariantArray{{{0, 1}, {0, 1}}, {}}, y), Exception);
  EXPECT_THROW(ch->AddXYArray(x), Exception);
  EXPECT_THROW(ch->AddXYArray(TiPlotVariantArray{{{0, 2}, {0, 0}}, {1, 2, 3}}), Exception);

  ch->Clear();
  TiPlotVariantArray grid{{{1, 2}, {0, 3}}, {1, 2, 3, 4, 10, 20, 30, 40}};
  ch->AddXYArray(grid);
  ASSERT_EQ(ch->GetCount(), 4);
  EXPECT_EQ(ch->GetX(3), 4);
  EXPECT_EQ(ch->GetY(3), 40);
}

TEST_F(PlotChannelTest, StoreBehindTheChannel) {
  // Marker visibility and style are taken per point when it is added.
  ch->SetMarkersAllowIndividual(true);
  ch->AddXY(1, 1);
  ch->SetMarkersVisible(true);
  ch->SetMarkersStyle(ipmsSquare);
  ch->AddXY(2, 2);
  EXPECT_FALSE(ch->GetMarkerVisible(0));
  EXPECT_TRUE(ch->GetMarkerVisible(1));
  EXPECT_EQ(ch->GetMarkerStyle(0), ipmsCircle);
  EXPECT_EQ(ch->GetMarkerStyle(1), ipmsSquare);
  // A channel-wide colour reaches every point at once.
  ch->SetColor(clLime);
  EXPECT_EQ(ch->GetTraceLineColor(0), clLime);

  ch->SetRingBufferSize(3);
  for (int i = 3; i <= 6; ++i) ch->AddXY(i, i);
  EXPECT_EQ(ch->GetCount(), 3);
  EXPECT_EQ(ch->GetXFirst(), 4);
  EXPECT_EQ(ch->GetXLast(), 6);
  EXPECT_THROW(ch->GetX(3), Exception);

  // A new style keeps the channel-wide settings and the ring, not the points.
  ch->SetMarkersSize(7);
  changes = 0;
  ch->SetDataStyle(ipdsStandard);
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(ch->GetCount(), 3);
  ch->SetDataStyle(ipdsFullFeature);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(ch->GetCount(), 0);
  EXPECT_EQ(ch->GetColor(), clLime);
  EXPECT_EQ(ch->GetMarkersSize(), 7);
  EXPECT_EQ(ch->GetRingBufferSize(), 3);

  ch->SetCount(0);
  EXPECT_EQ(ch->GetCapacity(), 0);
}

TEST_F(PlotChannelTest, AxesByName) {
  auto* x = plot->Master->GetXAxisManager()->GetItem(0);
  EXPECT_EQ(ch->GetXAxis(), x);
  changes = 0;
  ch->SetXAxisName("X-Axis 1");
  EXPECT_EQ(changes, 0);
  x->SetName("Input");
  EXPECT_EQ(ch->GetXAxisName(), "Input");
  plot->Master->AddXAxis();
  auto* x2 = plot->Master->GetXAxisManager()->GetItem(1);
  ch->SetXAxisName(x2->GetName());
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(ch->GetXAxis(), x2);
  delete x2;
  EXPECT_EQ(ch->GetXAxis(), nullptr);
  EXPECT_EQ(ch->GetXValueText(3), "No X-Axis");
  EXPECT_EQ(ch->GetYValueText(3), plot->Master->GetYAxisManager()->GetItem(0)->GetCursorText(3));
}

}  // namespace
