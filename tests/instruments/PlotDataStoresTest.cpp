// The compact, interval and full point stores: their record sizes and
// precision, the interval store's derived X, and the bounds of each.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "instruments/plot/iPlotChannelCustom.h"
#include "instruments/plot/iPlotDataCustomList.h"
#include "platform/sys/SysUtils.h"
#include "tests/instruments/InstrumentsTestSupport.h"

namespace {

using instruments_test::ErrorOf;

std::vector<double> Xs(TiPlotDataCustomList& s) {
  std::vector<double> r;
  for (int i = 0; i < s.GetCount(); ++i) r.push_back(s.GetX(i));
  return r;
}

std::vector<double> Ys(TiPlotDataCustomList& s) {
  std::vector<double> r;
  for (int i = 0; i < s.GetCount(); ++i) r.push_back(s.GetY(i));
  return r;
}

TEST(PlotDataStores, FactorySizesAndLimits) {
  struct Case {
    TiPlotDataStyle Style;
    int Size, Max;
  };
  for (const Case& c : {Case{ipdsStandard, 24, 89478485}, Case{ipdsCompact, 8, 268435455},
                        Case{ipdsCompactInterval, 4, 536870911}, Case{ipdsFullFeature, 144, 14913080}}) {
    auto s = iCreatePlotDataList(c.Style);
    EXPECT_EQ(s->GetDataPointSize(), c.Size) << c.Style;
    EXPECT_EQ(s->GetMaxDataPoints(), c.Max) << c.Style;
    EXPECT_EQ(ErrorOf([&] { s->SetCapacity(c.Max + 1); }), "Exceed Maximum List Size") << c.Style;
    for (int i = 0; i < 5; ++i) s->Add(i, i, false, false);
    EXPECT_EQ(s->GetMemoryUsed(), static_cast<std::int64_t>(c.Size) * s->GetCapacity());
  }
}

TEST(PlotDataStores, CompactKeepsSinglesAndNoFlags) {
  TiPlotDataCompactList s;
  s.Add(0.1, 1e-3, true, true);
  EXPECT_EQ(s.GetX(0), static_cast<double>(0.1f));
  EXPECT_NE(s.GetX(0), 0.1);
  EXPECT_FALSE(s.GetNull(0));
  EXPECT_FALSE(s.GetEmpty(0));
  double x, y;
  bool empty = true, null = true;
  s.GetXYEmptyNull(0, x, y, empty, null);
  EXPECT_FALSE(empty || null);
  EXPECT_EQ(y, static_cast<double>(1e-3f));
  s.SetY(0, 0.2);
  EXPECT_EQ(s.GetY(0), static_cast<double>(0.2f));
}

TEST(PlotDataStores, IntervalLearnsFromTheSecondAdd) {
  TiPlotDataCompactIntervalList s;
  s.Add(10, 1, false, false);
  s.Add(12, 2, false, false);
  s.Add(20, 3, false, false);
  EXPECT_EQ(Xs(s), (std::vector<double>{10, 12, 14}));
  s.SetX(0, 0);
  EXPECT_EQ(Xs(s), (std::vector<double>{0, 2, 4}));
  EXPECT_EQ(ErrorOf([&] { s.SetX(1, 5); }),
            "Data Style does not support setting individual X-Value with the exception of the first X-Value");
  s.Clear();
  EXPECT_EQ(ErrorOf([&] { s.SetX(0, 5); }),
            "Data Style does not support setting individual X-Value with the exception of the first X-Value");
  s.Add(100, 1, false, false);
  s.Add(105, 1, false, false);
  EXPECT_EQ(Xs(s), (std::vector<double>{100, 105}));
}

TEST(PlotDataStores, IntervalRingAdvancesTheFirstX) {
  TiPlotDataCompactIntervalList s;
  s.SetRingBufferSize(3);
  for (int i = 0; i <= 3; ++i) s.Add(i, 10 * i, false, false);
  EXPECT_EQ(Xs(s), (std::vector<double>{1, 2, 3}));
  EXPECT_EQ(Ys(s), (std::vector<double>{10, 20, 30}));
  double x, y;
  bool empty, null;
  s.GetXYEmptyNull(2, x, y, empty, null);
  EXPECT_EQ(x, 3);
  EXPECT_EQ(y, 30);
  EXPECT_EQ(ErrorOf([&] { s.GetXYEmptyNull(3, x, y, empty, null); }), "Index out of Bounds");
}

TEST(PlotDataStores, IntervalDeleteKeepsTheXOfWhatRemains) {
  TiPlotDataCompactIntervalList s;
  for (int i = 0; i < 5; ++i) s.Add(10 + 2 * i, i, false, false);
  s.DeletePoints(2);
  EXPECT_EQ(Xs(s), (std::vector<double>{14, 16, 18}));
  EXPECT_EQ(Ys(s), (std::vector<double>{2, 3, 4}));
  // A ring shrunk below its count drops the oldest and keeps the X too.
  s.SetRingBufferSize(2);
  EXPECT_EQ(Xs(s), (std::vector<double>{16, 18}));
  EXPECT_EQ(ErrorOf([&] { s.DeletePoints(3); }), "Delete size out of Range");
  s.DeletePoints(2);
  EXPECT_EQ(s.GetCount(), 0);
}

TEST(PlotDataStores, DeleteAllPerStore) {
  struct Case {
    TiPlotDataStyle Style;
    const char* Message;
  };
  for (const Case& c :
       {Case{ipdsStandard, "Delete size out of Range"}, Case{ipdsCompact, "Delete size out of Range"},
        Case{ipdsCompactInterval, ""}, Case{ipdsFullFeature, "Delete Size Out Of Range"}}) {
    auto s = iCreatePlotDataList(c.Style);
    for (int i = 0; i < 3; ++i) s->Add(i, i, false, false);
    EXPECT_EQ(ErrorOf([&] { s->DeletePoints(3); }), c.Message) << c.Style;
    EXPECT_EQ(s->GetCount(), *c.Message ? 3 : 0) << c.Style;
    if (s->GetCount() == 3) {
      EXPECT_EQ(ErrorOf([&] { s->DeletePoints(-1); }), c.Message) << c.Style;
      s->DeletePoints(1);
      EXPECT_EQ(Xs(*s), (std::vector<double>{1, 2})) << c.Style;
    }
  }
}

TEST(PlotDataStores, RingOfThreePerStore) {
  for (TiPlotDataStyle style : {ipdsCompact, ipdsFullFeature}) {
    auto s = iCreatePlotDataList(style);
    s->SetRingBufferSize(3);
    for (int i = 1; i <= 4; ++i) EXPECT_EQ(s->Add(i, i, false, false), std::min(i - 1, 2));
    EXPECT_EQ(Xs(*s), (std::vector<double>{2, 3, 4})) << style;
    s->SetCapacity(5);
    s->Add(5, 5, false, false);
    EXPECT_EQ(Xs(*s), (std::vector<double>{2, 3, 4, 5})) << style;
  }
}

TEST(PlotDataStores, FullKeepsEveryAttributePerPoint) {
  TiPlotDataFullList s;
  s.SetStoredTraceLineColor(0x123456);
  s.SetStoredMarkerCharacter(u'X');
  s.SetStoredBarWidth(2.5);
  s.SetStoredMarkerStyle(ipmsDiamond);
  s.Add(1, 2, true, false);
  s.SetStoredTraceLineColor(0x654321);
  s.Add(3, 4, false, true);
  EXPECT_EQ(s.GetTraceLineColor(0), 0x123456);
  EXPECT_EQ(s.GetTraceLineColor(1), 0x654321);
  EXPECT_EQ(s.GetMarkerCharacter(0), u'X');
  EXPECT_EQ(s.GetBarWidth(0), 2.5);
  EXPECT_EQ(s.GetMarkerStyle(1), ipmsDiamond);
  EXPECT_TRUE(s.GetNull(0));
  EXPECT_TRUE(s.GetEmpty(1));
  EXPECT_EQ(s.GetHigh(0), 0);
  s.SetHigh(0, 9);
  s.SetClose(1, 7);
  EXPECT_EQ(s.GetHigh(0), 9);
  EXPECT_EQ(s.GetClose(1), 7);
  s.SetTraceLineColor(1, 0xFF);
  EXPECT_EQ(s.GetTraceLineColor(1), 0xFF);
  EXPECT_EQ(s.GetStoredTraceLineColor(), 0x654321);
}

}  // namespace
