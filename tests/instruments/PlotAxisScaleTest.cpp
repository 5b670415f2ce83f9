// Axis scale: clamping setters and their events, the scale rectangle, and
// the mapping between values, pixels and fractions in both directions.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "instruments/plot/iPlotAxis.h"
#include "platform/sys/SysUtils.h"
#include "tests/platform/classlib/ClassLibTestSupport.h"

namespace {

class TRecordingAxis : public TiPlotAxis {
 public:
  using TiPlotAxis::TiPlotAxis;
  std::vector<std::string> Events;

 protected:
  void DoMinChangeEvent(double o, double n) override { Events.push_back(Text("min", o, n)); }
  void DoSpanChangeEvent(double o, double n) override { Events.push_back(Text("span", o, n)); }
  void DoMinSpanChangeEvent(double om, double os, double nm, double ns) override {
    Events.push_back(Text("minspan", om, os) + Text("", nm, ns));
  }

 private:
  static std::string Text(const char* k, double a, double b) {
    return std::string(k) + "(" + std::to_string(static_cast<int>(a)) + "," +
           std::to_string(static_cast<int>(b)) + ")";
  }
};

class PlotAxisScaleTest : public ::testing::Test {
 protected:
  void SetUp() override { classlib_test::App(); }
  TCustomControl host{nullptr};
  int changes = 0;
  TNotifyEvent change = [this](TObject*) { ++changes; };
  TNotifyEvent nop = [](TObject*) {};
  std::unique_ptr<TRecordingAxis> Axis(bool Horizontal, TRect R, double Min = 0, double Span = 100) {
    auto a = std::make_unique<TRecordingAxis>(&host, change, nop, nop, nop);
    a->SetHorizontal(Horizontal);
    a->SetMinSpan(Min, Span);
    a->SetDrawRect(R);
    a->UpdateScaleRect(0, 0, 0);
    a->Events.clear();
    return a;
  }
};

TEST_F(PlotAxisScaleTest, SettersClampIntoTheScaleBounds) {
  auto a = Axis(false, TRect(0, 10, 20, 110));
  struct {
    double Min, Span, WantMin, WantSpan;
  } cases[] = {
      {1e308, 0, 1e300, 1e-300},
      {-1e308, -5, -1e300, 1e-300},
      {3, 1e308, 3, 1e300},
      {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::quiet_NaN(), 3, 1e300},
  };
  for (const auto& c : cases) {
    a->SetMin(c.Min);
    a->SetSpan(c.Span);
    EXPECT_EQ(a->GetMin(), c.WantMin);
    EXPECT_EQ(a->GetSpan(), c.WantSpan);
  }
}

TEST_F(PlotAxisScaleTest, EventsFireOncePerChange) {
  auto a = Axis(false, TRect(0, 10, 20, 110), 10, 50);
  int before = changes;
  a->SetMinSpan(10, 50);
  EXPECT_TRUE(a->Events.empty());
  EXPECT_EQ(changes, before);
  a->SetMinSpan(20, 50);
  EXPECT_EQ(a->Events, (std::vector<std::string>{"min(10,20)", "minspan(10,50)(20,50)"}));
  a->Events.clear();
  a->SetMinSpan(30, 60);
  EXPECT_EQ(a->Events, (std::vector<std::string>{"min(20,30)", "span(50,60)", "minspan(20,50)(30,60)"}));
  a->Events.clear();
  a->SetSpan(70);
  EXPECT_EQ(a->Events, (std::vector<std::string>{"span(60,70)", "minspan(30,60)(30,70)"}));
  a->Events.clear();
  a->SetScaleType(ipstLog10);
  a->SetMinSpan(-3, 0);
  EXPECT_EQ(a->GetMin(), 1);
  EXPECT_EQ(a->GetSpan(), 1);
}

TEST_F(PlotAxisScaleTest, LogScaleLiftsMinAboveZero) {
  auto a = Axis(true, TRect(0, 0, 300, 20), -5, 100);
  a->SetScaleType(ipstLog10);
  EXPECT_EQ(a->GetMin(), 1);
  EXPECT_TRUE(a->Events.empty());
}

TEST_F(PlotAxisScaleTest, LinearMapping) {
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    bool Horizontal, Reversed;
    double Value;
    int Pixels;
  } cases[] = {
      {false, false, 25, 85},        {false, true, 25, 35},       {true, false, 25, 50},
      {true, true, 25, 150},         {false, false, 0, 110},      {false, false, 100, 10},
      {false, false, 1e9, -32000},   {false, false, -1e9, 32000}, {false, false, 1e300, -32000},
      {true, false, -1e300, -32000}, {true, false, inf, 32000},   {true, false, std::nan(""), 100},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.Value) + (c.Horizontal ? " horizontal" : " vertical") +
                 (c.Reversed ? " reversed" : ""));
    auto a = Axis(c.Horizontal, c.Horizontal ? TRect(0, 0, 200, 20) : TRect(0, 10, 20, 110));
    a->SetReverseScale(c.Reversed);
    a->UpdateScaleRect(0, 0, 0);
    EXPECT_EQ(a->PositionToPixels(c.Value), c.Pixels);
    if (std::abs(c.Pixels) < 32000 && !std::isnan(c.Value)) {
      EXPECT_DOUBLE_EQ(a->PixelsToPosition(c.Pixels), c.Value);
    }
  }
}

TEST_F(PlotAxisScaleTest, LogMapping) {
  auto a = Axis(true, TRect(0, 0, 300, 20), 1, 999);
  a->SetScaleType(ipstLog10);
  a->UpdateScaleRect(0, 0, 0);
  EXPECT_EQ(a->PositionToPixels(10), 100);
  EXPECT_EQ(a->PositionToPixels(1000), 300);
  EXPECT_EQ(a->PositionToPixels(0), 0);
  EXPECT_EQ(a->PositionToPixels(-4), 0);
  EXPECT_NEAR(a->PixelsToPosition(100), 10, 1e-9);
  EXPECT_NEAR(a->PercentToPosition(2.0 / 3), 100, 1e-9);
  // A value many decades beyond the scale stays inside drawing range.
  EXPECT_EQ(a->PositionToPixels(1e300), 30000);
  a->SetMinSpan(1, 1e-12);
  a->UpdateScaleRect(0, 0, 0);
  EXPECT_EQ(a->PositionToPixels(1e300), 32000);
  // A Min at or below zero set directly never reaches log10.
  a->SetMin(-2);
  EXPECT_TRUE(std::isfinite(a->PixelsToPosition(150)));
  EXPECT_TRUE(std::isfinite(a->PercentToPosition(0.5)));
}

TEST_F(PlotAxisScaleTest, DegenerateScaleRectangle) {
  auto a = Axis(false, TRect(0, 60, 20, 60), 5, 10);
  for (double v : {-1e9, 5.0, 12.0}) EXPECT_EQ(a->PositionToPixels(v), 60);
  for (int p : {0, 60, 500}) EXPECT_EQ(a->PixelsToPosition(p), 5);
  auto fresh = std::make_unique<TiPlotAxis>(&host, change, nop, nop, nop);
  EXPECT_EQ(fresh->PositionToPixels(50), 0);
}

TEST_F(PlotAxisScaleTest, FractionsWidthsAndOnScale) {
  auto a = Axis(true, TRect(0, 0, 200, 20), 10, 100);
  EXPECT_DOUBLE_EQ(a->PositionToPercent(35), 0.25);
  EXPECT_EQ(a->WidthToPixels(50), 100);
  EXPECT_EQ(a->WidthToPixels(-50), 100);
  EXPECT_TRUE(a->PointOnScale(10));
  EXPECT_TRUE(a->PointOnScale(110));
  EXPECT_FALSE(a->PointOnScale(111));
  a->SetStartStopPercent(20, 70);
  EXPECT_DOUBLE_EQ(a->PercentToPosition(0.45), 60);
  a->SetReverseScale(true);
  EXPECT_DOUBLE_EQ(a->PositionToPercent(35), 0.75);
  EXPECT_DOUBLE_EQ(a->PercentToPosition(0.25), 85);
  a->SetStartStopPercent(50, 50);
  EXPECT_EQ(a->PercentToPosition(0.25), 0);
}

TEST_F(PlotAxisScaleTest, ScaleRectangleAtStackedEnds) {
  struct Case {
    bool Horizontal, ReverseSide, Start, Stop;
    TiPlotCartesianStyle Cartesian;
    TRect Scale, Focus;
    TiQuadSide Side;
  } cases[] = {
      {true, false, true, true, ipcsNone, TRect(18, 0, 182, 20), TRect(0, 2, 200, 18), iqsBottom},
      {true, true, false, true, ipcsNone, TRect(0, 0, 182, 20), TRect(-18, 2, 200, 18), iqsTop},
      {true, false, true, false, ipcsMaster, TRect(0, 0, 200, 20), TRect(0, 2, 200, 18), iqsBottom},
      // (30 + rnd(6 * 0.5)) div 2 = 16
      {false, false, true, true, ipcsNone, TRect(0, 16, 20, 184), TRect(2, 0, 18, 200), iqsLeft},
      {false, true, true, false, ipcsNone, TRect(0, 0, 20, 184), TRect(2, -16, 18, 200), iqsRight},
      {false, false, true, true, ipcsChild, TRect(0, 0, 20, 200), TRect(2, 0, 18, 200), iqsRight},
  };
  for (const Case& c : cases) {
    auto a = Axis(c.Horizontal, c.Horizontal ? TRect(0, 0, 200, 20) : TRect(0, 0, 20, 200));
    a->SetReverseSide(c.ReverseSide);
    a->SetCartesianStyle(c.Cartesian);
    a->SetStartStacked(c.Start);
    a->SetStopStacked(c.Stop);
    a->UpdateScaleRect(30, 6, 0.5);  // horizontal: rnd(15) + rnd(3) = 18
    EXPECT_EQ(a->GetScaleRect(), c.Scale);
    EXPECT_EQ(a->GetFocusRect(), c.Focus);
    EXPECT_EQ(a->GetQuadSide(), c.Side);
    EXPECT_EQ(a->GetScaleLength(), c.Horizontal ? c.Scale.Width() : c.Scale.Height());
  }
}

}  // namespace

namespace {

TEST_F(PlotAxisScaleTest, AxisTicksAndTexts) {
  // The compressor's X axis on a 600-pixel scale with room for 15 labels.
  auto a = Axis(true, TRect(0, 0, 600, 20), -100, 120);
  a->SetDesiredStart(20);
  a->SetDesiredIncrement(10);
  a->SetMinorCount(4);
  TiPlotAxisTextFormat f;
  f.Precision = 2;
  a->SetLabelsFormat(f);
  a->BuildTicks(40);
  int majors = 0;
  for (int i = 0; i < a->GetTickListCount(); ++i) {
    const TiPlotTickObject& t = a->GetTick(i);
    EXPECT_TRUE(t.Show);
    EXPECT_EQ(t.PositionPixels, a->PositionToPixels(t.Position));
    if (t.TickType == ipttMajor) ++majors;
  }
  EXPECT_EQ(majors, 13);
  EXPECT_EQ(a->GetTick(0).Text, "-100");
  EXPECT_EQ(a->GetTick(0).PositionPixels, 0);

  // A custom list survives the rebuild and gets its pixels.
  a->SetTickListCustom(true);
  a->TickListClear();
  EXPECT_EQ(a->TickListAdd(-40, "knee", ipttMajor), 0);
  a->TickListAdd(500, "", ipttMinor);
  a->BuildTicks(40);
  ASSERT_EQ(a->GetTickListCount(), 2);
  EXPECT_EQ(a->GetTick(0).PositionPixels, 300);
  EXPECT_FALSE(a->GetTick(1).Show);

  a->SetScaleType(ipstLog10);
  EXPECT_THROW(a->TickListAdd(0, "", ipttMajor), Exception);
  a->SetDesiredIncrement(-4);
  EXPECT_EQ(a->GetDesiredIncrement(), 0);
}

TEST_F(PlotAxisScaleTest, CursorAndLegendTexts) {
  auto a = Axis(true, TRect(0, 0, 600, 20), 0, 1);
  TiPlotAxisTextFormat own;
  own.Style = iptfDateTime;
  own.DateTimeFormat = "hh\r\nnn\rss";
  a->SetCursorFormat(own);
  a->SetLegendFormat(own);
  EXPECT_EQ(a->GetCursorText(0.5), "0.50");
  a->SetCursorUseDefaultFormat(false);
  a->SetLegendUseDefaultFormat(false);
  EXPECT_EQ(a->GetCursorText(0.5), "12 00 00");
  EXPECT_EQ(a->GetLegendText(0.5), "12 00 00");
  EXPECT_EQ(a->GetCursorValueText(0.5), "0.50");
  EXPECT_EQ(a->GetLabelText(0.5), "0.50");
  a->SetLabelsPrecisionStyle(ipsFixedDecimalPoints);
  a->SetLabelsPrecision(1);
  EXPECT_EQ(a->GetLabelText(0.5), "0.5");
  a->SetLegendPrecision(5);
  a->SetLegendFormatStyle(iptfExponent);
  EXPECT_EQ(a->GetLegendText(1234), "1.2340E+003");
}

}  // namespace
