// The strip chart's channel: adds and their order checks, the draw range
// by bisection, index and Y lookups, the data-cursor readout and texts,
// and the fit scans.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "instruments/base/iProperties.h"
#include "instruments/plot/iPlotChannel.h"
#include "instruments/plot/iPlotDataView.h"
#include "platform/classlib/PicturePng.h"
#include "platform/sys/DateTime.h"
#include "tests/instruments/InstrumentsTestSupport.h"
#include "tests/instruments/PlotTestHost.h"

using namespace instruments_test;

namespace {

// One channel against X and Y axes of 0..100 over 100 pixels each: value v
// at pixel x = 10 + v and y = 110 - v.
class PlotChannelTimeSeriesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    plot = TTestPlotHost::WithAxes();
    auto* m = plot->Master.get();
    m->SetChannelClass(iChannelClass<TiPlotChannel>());
    m->AddChannel();
    m->AddDataView();
    ch = static_cast<TiPlotChannel*>(m->GetChannelManager()->GetItem(0));
    view = m->GetDataViewManager()->GetItem(0);
    x = m->GetXAxisManager()->GetItem(0);
    y = m->GetYAxisManager()->GetItem(0);
    for (TiPlotAxis* a : {static_cast<TiPlotAxis*>(x), static_cast<TiPlotAxis*>(y)}) {
      a->SetMinSpan(0, 100);
      a->SetTrackingEnabled(false);
    }
    x->SetHorizontal(true);
    x->SetDrawRect(TRect(10, 110, 110, 120));
    y->SetDrawRect(TRect(0, 10, 10, 110));
    view->SetDrawRect(TRect(10, 10, 110, 110));
    for (TiPlotAxis* a : {static_cast<TiPlotAxis*>(x), static_cast<TiPlotAxis*>(y)})
      a->UpdateScaleRect(0, 0, 0);
  }
  void Add(std::initializer_list<double> Xs, std::initializer_list<double> Ys = {}) {
    auto yi = Ys.begin();
    for (double v : Xs) ch->AddXY(v, yi != Ys.end() ? *yi++ : v);
  }
  TiPlotDataCursorReadout Read(int Style, double P1, double P2 = 60) {
    TiPlotDataCursorReadout r;
    r.Style = Style;
    r.Pointer1Position = P1;
    r.Pointer2Position = P2;
    r.DataView = view;
    ch->UpdateDataCursor(r);
    return r;
  }

  // The channel on black, as the plot paints it; saved for a look.
  void Render(const std::string& Name) {
    TCanvas* c = bitmap.GetCanvas();
    c->ResetClipRect();
    c->Brush->SetStyle(bsSolid);
    c->Brush->SetColor(clBlack);
    c->FillRect(TRect(0, 0, 120, 120));
    ch->UpdateCanDraw();
    if (ch->GetCanDraw()) ch->Draw(c, clBlack);
    c->ResetClipRect();
    TPngImage png;
    png.Assign(&bitmap);
    png.SaveToFile(::testing::TempDir() + "plot-strip-" + Name + ".png");
  }
  // The pixel of value (vx, vy).
  TColor At(double vx, double vy) { return bitmap.GetCanvas()->GetPixels(10 + iRound(vx), 110 - iRound(vy)); }
  // How many pixels of the data view are lit.
  int Lit() {
    int n = 0;
    for (int px = 10; px <= 110; ++px)
      for (int py = 10; py <= 110; ++py) n += bitmap.GetCanvas()->GetPixels(px, py) != clBlack;
    return n;
  }

  std::unique_ptr<TTestPlotHost> plot;
  TBitmap bitmap{120, 120};
  TiPlotChannel* ch = nullptr;
  TiPlotDataView* view = nullptr;
  TiPlotXAxis* x = nullptr;
  TiPlotYAxis* y = nullptr;
};

TEST_F(PlotChannelTimeSeriesTest, OrderChecksAndTheirMessages) {
  const std::string rising = "New Data-Point X-Value is out of order";
  struct Case {
    std::vector<double> Xs;
    double Next;
    std::string Message;
  } cases[] = {
      {{1, 2, 3}, 2.5, rising},  {{1, 2, 3}, 3, ""},  {{3, 2, 1}, 1.5, rising + "."},
      {{3, 2, 1}, 1, ""},        {{1, 2}, 0, rising},  // two points set the direction already
      {{2, 1}, 5, rising + "."}, {{5}, -7, ""},        // one point: any X
  };
  for (const Case& c : cases) {
    ch->Clear();
    for (double v : c.Xs) ch->AddXY(v, 0);
    ch->SetAllowOutOfOrderXValues(false);
    EXPECT_EQ(ErrorOf([&] { ch->AddXY(c.Next, 0); }), c.Message) << c.Next;
    EXPECT_EQ(ErrorOf([&] { ch->AddXNull(c.Next); }), c.Message) << c.Next;
    EXPECT_EQ(ErrorOf([&] { ch->AddHighLow(c.Next, 1, 0, 0, 0); }), c.Message) << c.Next;
    ch->SetAllowOutOfOrderXValues(true);
  }
  ch->Clear();
  ch->AddXY(1, 0);
  ch->AddXY(0, 0);  // allowed by default
  EXPECT_EQ(ch->GetCount(), 2);
}

TEST_F(PlotChannelTimeSeriesTest, ArraysNullsAndEmpties) {
  ch->AddXY(10, 1);
  TiPlotVariantArray ys{{{0, 2}}, {7, 8, 9}};
  ch->AddYArray(0.5, ys);
  ASSERT_EQ(ch->GetCount(), 4);
  EXPECT_EQ((std::vector<double>{ch->GetX(1), ch->GetX(2), ch->GetX(3)}),
            (std::vector<double>{10, 10.5, 11}));
  EXPECT_EQ(ch->GetY(3), 9);
  TiPlotVariantArray flat{{{0, 0}, {0, 1}}, {1, 2}};
  EXPECT_EQ(ErrorOf([&] { ch->AddYArray(1, flat); }), "Y-Data array must be 1 dimensional");
  EXPECT_EQ(ch->GetCount(), 4);
  EXPECT_EQ(ch->AddXNull(12), 4);
  EXPECT_EQ(ch->AddXEmpty(13), 5);
  EXPECT_TRUE(ch->GetNull(4));
  EXPECT_TRUE(ch->GetEmpty(5));
  ch->Clear();
  ch->AddYArray(2, ys);  // an empty channel starts at 0
  EXPECT_EQ(ch->GetXLast(), 4);
}

TEST_F(PlotChannelTimeSeriesTest, ElapsedTimeWithAFixedClock) {
  const TDateTime t0 = 46000.25;
  TDateTime now = t0;
  sys::SetDateTimeClock([&] { return now; });
  ch->ResetElapsedStartTime();
  now = t0 + 1.0 / 86400;
  ch->AddYElapsedSeconds(5);
  EXPECT_NEAR(ch->GetX(0), 1, 1e-6);
  ch->AddYElapsedTime(5);
  EXPECT_NEAR(ch->GetX(1), 1.0 / 86400, 1e-9);
  ch->AddYNow(5);
  EXPECT_EQ(ch->GetX(2), now);
  // The first point of an empty channel restarts the clock.
  ch->Clear();
  ch->SetResetStartTimeOnFirstDataPoint(true);
  now = t0 + 2;
  ch->AddYElapsedSeconds(1);
  EXPECT_EQ(ch->GetX(0), 0);
  EXPECT_EQ(ch->GetElapsedStartTime(), now);
  sys::SetDateTimeClock({});
}

TEST_F(PlotChannelTimeSeriesTest, HighLowFeedsTrackingNotStatistics) {
  ch->SetDataStyle(ipdsFullFeature);
  ch->AddXY(1, 3);
  plot->Tracking.clear();
  EXPECT_EQ(ch->AddHighLow(2, 90, 10, 20, 80), 1);
  EXPECT_EQ(ch->GetRunningYMax(), 3);
  EXPECT_EQ(plot->Tracking, (std::vector<std::string>{"X-Axis 1 2", "Y-Axis 1 90", "Y-Axis 1 10",
                                                      "Y-Axis 1 20", "Y-Axis 1 80"}));
  EXPECT_EQ((std::vector<double>{ch->GetHigh(1), ch->GetLow(1), ch->GetOpen(1), ch->GetClose(1)}),
            (std::vector<double>{90, 10, 20, 80}));
}

TEST_F(PlotChannelTimeSeriesTest, DrawRanges) {
  struct Case {
    std::vector<double> Xs;
    double Min, Max;
    bool OutOfOrder;
    int Start, Stop;
    bool CanDraw;
  } cases[] = {
      {{0, 10, 20, 30}, 12, 25, false, 1, 3, true},
      {{30, 20, 10, 0}, 12, 25, false, 0, 2, true},
      {{0, 10, 20, 30}, 12, 25, true, 1, 3, true},
      {{0, 10, 20, 30}, 40, 50, false, -1, -1, false},  // all left of the view
      {{0, 10, 20, 30}, 40, 50, true, 2, -1, false},    // no point on the scale
      {{0, 10, 20, 30}, -50, 100, false, 0, 3, true},
  };
  for (const Case& c : cases) {
    ch->Clear();
    for (double v : c.Xs) ch->AddXY(v, 1);
    x->SetMinSpan(c.Min, c.Max - c.Min);
    x->UpdateScaleRect(0, 0, 0);
    ch->SetDrawOutOfOrderXValues(c.OutOfOrder);
    ch->UpdateCanDraw();
    EXPECT_EQ(ch->GetCanDraw(), c.CanDraw) << c.Min << " " << c.OutOfOrder;
    if (c.CanDraw || c.OutOfOrder) {
      EXPECT_EQ(ch->GetDrawStartIndex(), c.Start) << c.Min << " " << c.OutOfOrder;
      EXPECT_EQ(ch->GetDrawStopIndex(), c.Stop) << c.Min << " " << c.OutOfOrder;
    }
  }
  // The pixel list covers the X axis' pixels and only grows.
  EXPECT_EQ(ch->GetPixelListStart(), 10);
  EXPECT_EQ(ch->GetPixelListStop(), 110);
  EXPECT_EQ(ch->GetPixelList().size(), 101u);
}

TEST_F(PlotChannelTimeSeriesTest, CalcIndex) {
  Add({0, 10, 20});
  for (auto [t, want] :
       std::vector<std::pair<double, int>>{{15, 2}, {20, 2}, {25, -1}, {0, 0}, {-1, -1}, {0.5, 1}})
    EXPECT_EQ(ch->CalcIndex(t), want) << t;
  ch->Clear();
  Add({20, 10, 0});
  for (auto [t, want] : std::vector<std::pair<double, int>>{{15, 0}, {10, 1}, {25, -1}, {0, 2}, {-1, -1}})
    EXPECT_EQ(ch->CalcIndex(t), want) << t;
}

TEST_F(PlotChannelTimeSeriesTest, YInterpolated) {
  struct Point {
    double X, Y;
    char Kind;  // v valid, n Null, e Empty
  };
  struct Case {
    const char* Name;
    std::vector<Point> Points;
    bool Digital;
    double At;
    bool Ok;
    double Y;
  } cases[] = {
      {"rising", {{0, 0, 'v'}, {10, 100, 'v'}}, false, 5, true, 50},
      {"digital", {{0, 0, 'v'}, {10, 100, 'v'}}, true, 5, true, 0},
      {"digital at a point", {{0, 0, 'v'}, {10, 100, 'v'}, {20, 0, 'v'}}, true, 10, true, 0},
      {"falling first segment", {{10, 100, 'v'}, {0, 0, 'v'}}, false, 5, true, 50},
      {"falling digital", {{10, 100, 'v'}, {0, 0, 'v'}}, true, 5, true, 0},
      // Linear in X pixels: 3 is pixel 13 between pixels 10 and 20.
      {"over an empty", {{0, 0, 'v'}, {5, 0, 'e'}, {10, 100, 'v'}}, false, 3, true, 30},
      {"beside a null", {{0, 0, 'v'}, {5, 0, 'n'}, {10, 100, 'v'}}, false, 2.5, false, 0},
      {"on a null", {{0, 0, 'v'}, {5, 0, 'n'}, {10, 100, 'v'}}, false, 5, false, 0},
      {"on a point", {{0, 0, 'v'}, {5, 40, 'v'}, {10, 100, 'v'}}, false, 5, true, 40},
      {"outside", {{0, 0, 'v'}, {10, 100, 'v'}}, false, 11, false, 0},
      {"falling, empty last", {{10, 100, 'v'}, {5, 50, 'v'}, {0, 0, 'e'}}, false, 2, false, 0},
  };
  for (const Case& c : cases) {
    ch->Clear();
    ch->SetDigitalEnabled(c.Digital);
    for (const Point& p : c.Points) {
      if (p.Kind == 'n')
        ch->AddXNull(p.X);
      else if (p.Kind == 'e')
        ch->AddXEmpty(p.X);
      else
        ch->AddXY(p.X, p.Y);
    }
    double got = -1;
    EXPECT_EQ(ch->GetYInterpolated(c.At, got), c.Ok) << c.Name;
    EXPECT_NEAR(got, c.Y, 1e-9) << c.Name;
  }
}

TEST_F(PlotChannelTimeSeriesTest, CursorTextsPerStyle) {
  Add({0, 50, 100}, {0, 50, 100});
  // Pointer at 25% of the view: X 25 on the straight line, Y 25.
  TiPlotDataCursorReadout r = Read(0, 25);
  EXPECT_EQ(r.Status, ipdpsValid);
  EXPECT_NEAR(r.XValue, 25, 1e-9);
  EXPECT_NEAR(r.YValue, 25, 1e-9);
  EXPECT_EQ(r.DisplayText, ch->GetDataCursorXText() + ", " + ch->GetDataCursorYText());
  EXPECT_EQ(Read(1, 25).DisplayText, ch->GetXValueText(25));
  EXPECT_EQ(Read(2, 25).DisplayText, ch->GetYValueText(25));
  EXPECT_EQ(Read(3, 20, 70).DisplayText, ch->GetXValueText(50));
  EXPECT_NEAR(Read(4, 20, 70).YValue, 50, 1e-9);
  EXPECT_EQ(Read(5, 40, 40).DisplayText, "Infinite");
  EXPECT_NEAR(Read(5, 20, 70).XValue, 0.02, 1e-12);

  ch->SetDigitalEnabled(true);
  EXPECT_EQ(Read(2, 25).DisplayText, "Low");
  EXPECT_EQ(Read(2, 75).DisplayText, "High");
  ch->SetDigitalEnabled(false);
  ch->Clear();
  Add({0, 50});
  ch->AddXNull(60);
  ch->AddXY(100, 0);
  EXPECT_EQ(Read(2, 80).DisplayText, "Empty");
  EXPECT_EQ(Read(2, 80).Status, ipdpsEmpty);
  ch->SetYAxisName("gone");
  EXPECT_EQ(Read(2, 10).DisplayText, "No Y-Axis");
  ch->SetXAxisName("gone");
  EXPECT_EQ(Read(0, 10).DisplayText, "No X-Axis");
}

TEST_F(PlotChannelTimeSeriesTest, CursorValuePerInterpolationStyle) {
  Add({0, 40, 80}, {10, 20, 30});
  double v = 0;
  ch->SetInterpolationStyle(ipistDifferential);
  EXPECT_EQ(ch->GetCursorValue(50, v), ipdpsValid);
  EXPECT_EQ(v, 20);
  EXPECT_EQ(ch->GetCursorValue(90, v), ipdpsValid);  // the level runs on to the right
  EXPECT_EQ(v, 30);
  ch->SetInterpolationStyle(ipistDifferentialTerminated);
  EXPECT_EQ(ch->GetCursorValue(90, v), ipdpsEmpty);
  EXPECT_EQ(ch->GetCursorValue(80, v), ipdpsValid);
  EXPECT_EQ(v, 30);
  // Smooth styles read what the last paint drew in the column.
  ch->SetInterpolationStyle(ipistCubicSpline);
  EXPECT_EQ(ch->GetCursorValue(50, v), ipdpsEmpty);
  ch->UpdateCanDraw();
  EXPECT_EQ(ch->GetCursorValue(50, v), ipdpsNull);
  ch->SetPixelValue(60, 22.5);
  EXPECT_EQ(ch->GetCursorValue(50, v), ipdpsValid);
  EXPECT_EQ(v, 22.5);
  EXPECT_EQ(ErrorOf([&] { ch->SetPixelValue(111, 0); }), "Pixel List XPixel out of Range");
  EXPECT_EQ(ErrorOf([&] { ch->SetPixelValue(9, 0); }), "Pixel List XPixel out of Range");
}

TEST_F(PlotChannelTimeSeriesTest, FitScansForRisingAndFallingData) {
  auto fits = [this] {
    return std::vector<double>{ch->GetXMinFit(), ch->GetXMaxFit(), ch->GetYMinFit(), ch->GetYMaxFit()};
  };
  EXPECT_EQ(fits(), (std::vector<double>{1e300, -1e300, 1e300, -1e300}));
  for (bool falling : {false, true}) {
    ch->Clear();
    ch->AddXEmpty(falling ? 90 : 10);
    if (falling)
      Add({80, 50, 20}, {5, 60, 30});
    else
      Add({20, 50, 80}, {30, 60, 5});
    ch->AddXNull(falling ? 10 : 90);
    ch->SetMarkersVisible(false);
    EXPECT_EQ(fits(), (std::vector<double>{20, 80, 5, 60})) << falling;
    ch->SetMarkersVisible(true);  // size 3: three pixels are three units here
    EXPECT_EQ(fits(), (std::vector<double>{17, 83, 2, 63})) << falling;
  }
}

TEST_F(PlotChannelTimeSeriesTest, RightButtonHitsNearTheTrace) {
  Add({0, 100}, {0, 100});
  TiPlotMouseData d;
  d.Button = mbRight;
  d.XAxisPixels = 60;  // X 50, trace at Y 50: pixel 60
  for (auto [yPixel, hit] : std::vector<std::pair<int, bool>>{
           {60, true}, {51, true}, {50, false}, {70, true}, {71, false}, {49, false}}) {
    d.YAxisPixels = yPixel;
    EXPECT_EQ(ch->iMouseHitTest(d), hit) << yPixel;
  }
  d.Button = mbLeft;
  d.YAxisPixels = 60;
  EXPECT_FALSE(ch->iMouseHitTest(d));
}

TEST_F(PlotChannelTimeSeriesTest, PublishedDefaults) {
  struct Case {
    const char* Name;
    long long Default;
  } cases[] = {
      {"FastDrawEnabled", 1},
      {"AllowOutOfOrderXValues", 1},
      {"HighLowBarColor", 0xFFFF00},
      {"HighLowOpenColor", 0x00FF00},
      {"HighLowCloseColor", 0x0000FF},
      {"BarPenColor", 0x0000FF},
      {"OPCUpdateRate", 500},
      {"OPCAutoConnect", 1},
      {"InterpolationStyle", ipistStraightLine},
  };
  for (const Case& c : cases) {
    const TiPropInfo* p = GetPropInfo(ch, c.Name);
    ASSERT_NE(p, nullptr) << c.Name;
    ASSERT_TRUE(p->Default.has_value()) << c.Name;
    EXPECT_EQ(*p->Default, c.Default) << c.Name;
    EXPECT_EQ(p->GetOrd(ch), c.Default) << c.Name;  // starts at its stream default
  }
  for (const char* name : {"FillReference", "DigitalReferenceHigh", "BarWidth", "OPCScalar", "OPCItem2Name"})
    EXPECT_NE(GetPropInfo(ch, name), nullptr) << name;
  EXPECT_EQ(ch->GetDigitalReferenceHigh(), 90);
  EXPECT_EQ(ch->GetDigitalReferenceLow(), 10);
  EXPECT_EQ(ch->GetBarWidth(), 5);
  EXPECT_FALSE(ch->GetOPCActive());
}

// ---------------------------------------------------------------- drawing

TEST_F(PlotChannelTimeSeriesTest, FastTraceStrokesEachColumnOnce) {
  ch->SetColor(clWhite);
  // Column 30 holds 10, 50 and 30; the next column in view is at 40.
  Add({20, 20.2, 20.4, 40}, {10, 50, 30, 20});
  Render("fast");
  EXPECT_EQ(At(20, 45), clWhite);  // the stroke from minimum to maximum
  EXPECT_EQ(At(20, 15), clWhite);
  EXPECT_EQ(At(20, 55), clBlack);
  EXPECT_EQ(At(30, 25), clWhite);  // from the column's last value to the next's first
  // 1000 points over 100 columns: each column is one stroke from its
  // minimum to its maximum.
  ch->Clear();
  for (int i = 0; i < 1000; ++i) ch->AddXY(i / 10.0, 40 + (i % 10) * 2);
  Render("fast-dense");
  for (int v : {41, 50, 57}) EXPECT_EQ(At(50, v), clWhite) << v;
  EXPECT_EQ(At(50, 60), clBlack);
  EXPECT_EQ(At(50, 38), clBlack);
}

TEST_F(PlotChannelTimeSeriesTest, NullLeavesAGapAndEmptyNothing) {
  ch->SetColor(clWhite);
  for (bool fast : {true, false}) {
    ch->SetFastDrawEnabled(fast);
    ch->Clear();
    Add({10, 20}, {50, 50});
    ch->AddXNull(30);
    Add({40, 50}, {50, 50});
    ch->AddXEmpty(60);
    Add({70}, {50});
    Render(fast ? "null-fast" : "null-base");
    EXPECT_EQ(At(15, 50), clWhite) << fast;
    EXPECT_EQ(At(30, 50), clBlack) << fast;
    EXPECT_EQ(At(45, 50), clWhite) << fast;
    EXPECT_EQ(At(60, 50), clWhite) << fast;  // the Empty point is passed over
  }
}

TEST_F(PlotChannelTimeSeriesTest, DigitalLevelsEdgesAndRuns) {
  ch->SetColor(clWhite);
  ch->SetDigitalEnabled(true);
  Add({0, 10, 20, 30, 40}, {0, 0, 5, 5, 0});
  Render("digital");
  EXPECT_EQ(At(5, 10), clWhite);   // low from 0 to 20
  EXPECT_EQ(At(20, 50), clWhite);  // the edge up at 20
  EXPECT_EQ(At(30, 90), clWhite);  // high from 20 to 40
  EXPECT_EQ(At(40, 50), clWhite);  // the edge down at 40
  EXPECT_EQ(At(50, 10), clBlack);  // no level after the last point
  EXPECT_EQ(At(50, 90), clBlack);
  // Percent levels of the view, filled to the level they draw.
  ch->SetDigitalReferenceStyle(ipdrPercent);
  ch->SetDigitalReferenceHigh(70);
  ch->SetFillEnabled(true);
  ch->SetFillColor(clBlue);
  ch->SetFillUseChannelColor(false);
  Render("digital-percent");
  EXPECT_EQ(At(30, 70), clWhite);
  EXPECT_EQ(At(30, 50), clBlue);
  EXPECT_EQ(At(30, 75), clBlack);
  // A run of one point draws nothing.
  ch->SetFillEnabled(false);
  ch->Clear();
  Add({10}, {5});
  ch->AddXNull(20);
  Add({30, 50}, {0, 0});
  Render("digital-one-point");
  EXPECT_EQ(At(10, 70), clBlack);
  EXPECT_EQ(At(40, 10), clWhite);
}

TEST_F(PlotChannelTimeSeriesTest, DifferentialStepsAndTheirEnd) {
  ch->SetColor(clWhite);
  Add({0, 50}, {10, 20});
  for (auto style : {ipistDifferential, ipistDifferentialTerminated}) {
    ch->SetInterpolationStyle(style);
    Render(style == ipistDifferential ? "differential" : "differential-terminated");
    EXPECT_EQ(At(25, 10), clWhite);  // the first level up to the second point
    EXPECT_EQ(At(50, 15), clWhite);  // the step at 50
    EXPECT_EQ(At(25, 20), clBlack);
    EXPECT_EQ(At(80, 20), style == ipistDifferential ? clWhite : clBlack);  // on to the axis' end
  }
}

TEST_F(PlotChannelTimeSeriesTest, BarsAndRecords) {
  ch->SetColor(clWhite);
  ch->SetBarEnabled(true);
  ch->SetBarWidth(0.1);  // less than a pixel: drawn one pixel wide
  Add({50}, {50});
  Render("bar-thin");
  EXPECT_EQ(At(50, 25), clWhite);
  EXPECT_EQ(At(51, 25), clBlack);
  EXPECT_EQ(At(49, 25), clBlack);
  // With clipping, a bar over the axis' end is cut there.
  ch->Clear();
  ch->SetBarWidth(20);
  ch->SetClipToAxes(true);
  Add({100}, {50});
  Render("bar-clipped");
  EXPECT_EQ(At(95, 25), clWhite);
  EXPECT_EQ(bitmap.GetCanvas()->GetPixels(112, 85), clBlack);
  ch->SetClipToAxes(false);
  ch->SetBarEnabled(false);

  ch->Clear();
  ch->SetDataStyle(ipdsFullFeature);
  ch->SetHighLowEnabled(true);
  ch->SetHighLowStyle(iphlsCandleStick);
  ch->SetHighLowBarWidth(10);
  ch->AddHighLow(30, 90, 10, 70, 30);  // falls: bearish
  ch->AddHighLow(70, 90, 10, 30, 70);  // rises: bullish
  ch->SetHighLowBullishColor(clLime);
  Render("candles");
  EXPECT_EQ(At(28, 50), 0x808080);
  EXPECT_EQ(At(68, 50), clLime);
  EXPECT_EQ(At(30, 85), 0x808080);  // the shadow
  // Open equal to close: a body one pixel tall.
  ch->GetDataList()->SetClose(0, 70);
  Render("candle-flat");
  EXPECT_EQ(At(27, 70), 0x808080);
  EXPECT_EQ(At(27, 69), clBlack);
  EXPECT_EQ(At(27, 71), clBlack);

  ch->SetHighLowStyle(iphlsOpenClose);
  ch->SetHighLowBarWidth(2);
  ch->SetHighLowOpenWidth(4);
  ch->SetHighLowCloseWidth(4);
  Render("open-close");
  EXPECT_EQ(At(70, 50), 0xFFFF00);  // the bar
  EXPECT_EQ(At(68, 30), 0x00FF00);  // open, left
  EXPECT_EQ(At(72, 70), 0x0000FF);  // close, right
}

TEST_F(PlotChannelTimeSeriesTest, SplineBreaksAtNullPolynomialRunsOver) {
  ch->SetColor(clWhite);
  Add({0, 20}, {0, 40});
  ch->AddXNull(40);
  Add({60, 80, 100}, {40, 0, 40});
  ch->SetInterpolationStyle(ipistCubicSpline);
  Render("spline-null");
  const auto& pixels = ch->GetPixelList();
  EXPECT_FALSE(pixels[10].Null);
  EXPECT_NEAR(pixels[10].YValue, 20, 1e-9);  // two points: a straight line
  EXPECT_TRUE(pixels[40].Null);
  EXPECT_FALSE(pixels[70].Null);
  EXPECT_EQ(At(40, 40), clBlack);
  EXPECT_EQ(At(10, 20), clWhite);
  ch->SetInterpolationStyle(ipistPolynomial);
  Render("polynomial");
  EXPECT_FALSE(ch->GetPixelList()[40].Null);  // one curve over all points, the Null's too
  EXPECT_EQ(ch->GetPixelList()[0].YValue, 0);
  // Equal X end the painting quietly.
  ch->Clear();
  Add({10, 10, 20}, {0, 5, 10});
  ch->SetInterpolationStyle(ipistPolynomial);
  EXPECT_NO_THROW(Render("polynomial-equal-x"));
}

TEST_F(PlotChannelTimeSeriesTest, FallingDataInEveryStyle) {
  ch->SetColor(clWhite);
  Add({90, 70, 50, 30, 10}, {20, 60, 20, 60, 20});
  struct Case {
    const char* Name;
    TiPlotInterpolationStyle Style;
    bool Fast, Digital;
    double ProbeX, ProbeY;
  } cases[] = {
      {"fast", ipistStraightLine, true, false, 60, 40},
      {"base", ipistStraightLine, false, false, 60, 40},
      {"spline", ipistCubicSpline, true, false, 70, 60},
      {"polynomial", ipistPolynomial, true, false, 50, 20},
      {"differential", ipistDifferential, true, false, 60, 60},
      {"digital", ipistStraightLine, true, true, 60, 90},
  };
  for (const Case& c : cases) {
    ch->SetInterpolationStyle(c.Style);
    ch->SetFastDrawEnabled(c.Fast);
    ch->SetDigitalEnabled(c.Digital);
    Render(std::string("falling-") + c.Name);
    EXPECT_EQ(At(c.ProbeX, c.ProbeY), clWhite) << c.Name;
    EXPECT_GT(Lit(), 60) << c.Name;
  }
  // A rational function is met exactly, falling or not.
  ch->SetDigitalEnabled(false);
  ch->Clear();
  Add({90, 70, 50, 30, 10}, {10, 12.5, 100.0 / 6, 25, 50});
  ch->SetInterpolationStyle(ipistRational);
  Render("falling-rational");
  for (int v : {10, 40, 90}) {
    EXPECT_FALSE(ch->GetPixelList()[v].Null) << v;
    EXPECT_NEAR(ch->GetPixelList()[v].YValue, 100 / (1 + v / 10.0), 1e-6) << v;
  }
  ch->Clear();
  Add({90, 70, 50, 30, 10}, {20, 60, 20, 60, 20});
  ch->SetInterpolationStyle(ipistCubicSpline);
  Render("falling-spline");
  double v = 0;
  EXPECT_EQ(ch->GetCursorValue(70, v), ipdpsValid);
  EXPECT_NEAR(v, 60, 1);
}

}  // namespace
