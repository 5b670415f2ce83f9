// Point stores: growth, ring-buffer order, flags and the bounds of every
// size a caller can hand in.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "instruments/plot/iPlotDataCustomList.h"
#include "platform/sys/SysUtils.h"
#include "tests/instruments/InstrumentsTestSupport.h"

namespace {

std::vector<double> Xs(TiPlotDataNullList& s) {
  std::vector<double> r;
  for (int i = 0; i < s.GetCount(); ++i) r.push_back(s.GetX(i));
  return r;
}

void AddRange(TiPlotDataNullList& s, int From, int To) {
  for (int i = From; i <= To; ++i) s.Add(i, i * 10, false, false);
}

using instruments_test::ErrorOf;

TEST(PlotDataList, NewStandardStore) {
  TiPlotDataNullList s;
  EXPECT_EQ(s.GetDataPointSize(), 24);
  EXPECT_EQ(s.GetMaxDataPoints(), 89478485);
  EXPECT_EQ(s.GetCapacity(), 0);
  EXPECT_EQ(s.GetMemoryUsed(), 0);
  EXPECT_EQ(s.GetRingBufferSize(), 0);
  EXPECT_TRUE(s.GetStoredBarVisible());
}

TEST(PlotDataList, LinearGrowthSteps) {
  TiPlotDataNullList s;
  std::vector<int> caps;
  for (int i = 0; i < 95; ++i) {
    EXPECT_EQ(s.Add(i, 0, false, false), i);
    if (caps.empty() || caps.back() != s.GetCapacity()) caps.push_back(s.GetCapacity());
  }
  EXPECT_EQ(caps, (std::vector<int>{4, 8, 12, 28, 44, 60, 76, 95}));
  EXPECT_EQ(s.GetMemoryUsed(), 95 * 24);
  s.Clear();
  EXPECT_EQ(s.GetCount(), 0);
  EXPECT_EQ(s.GetCapacity(), 0);
}

TEST(PlotDataList, RingOverwritesOldest) {
  TiPlotDataNullList s;
  s.SetRingBufferSize(3);
  EXPECT_EQ(s.GetRingBufferSize(), 3);
  EXPECT_EQ(s.Add(1, 0, false, false), 0);
  s.Add(2, 0, false, false);
  s.Add(3, 0, false, false);
  EXPECT_EQ(s.Add(4, 0, false, false), 2);
  EXPECT_EQ(s.GetCount(), 3);
  EXPECT_EQ(Xs(s), (std::vector<double>{2, 3, 4}));
  AddRange(s, 5, 9);
  EXPECT_EQ(Xs(s), (std::vector<double>{7, 8, 9}));
  EXPECT_EQ(s.GetCapacity(), 3);
  s.Clear();
  EXPECT_EQ(s.GetCapacity(), 3);
  AddRange(s, 1, 2);
  EXPECT_EQ(Xs(s), (std::vector<double>{1, 2}));
}

TEST(PlotDataList, RingSizeChanges) {
  struct Case {
    const char* Name;
    int Ring;     // first ring size (0: linear)
    int Points;   // points 1..Points added
    int NewRing;  // ring size written afterwards
    std::vector<double> Expected;
    int Capacity;
  };
  const Case cases[] = {
      {"off on a wrapped ring empties and frees", 3, 5, 0, {}, 0},
      {"off on an unwrapped ring keeps the points", 5, 3, 0, {1, 2, 3}, 5},
      {"shrinking drops the oldest", 0, 6, 4, {3, 4, 5, 6}, 4},
      {"shrinking an unwrapped ring", 6, 5, 2, {4, 5}, 2},
      {"shrinking a wrapped ring empties it", 4, 7, 2, {}, 2},
      {"growing a wrapped ring empties it", 3, 5, 6, {}, 6},
      {"growing a linear store keeps the points", 0, 3, 10, {1, 2, 3}, 10},
      {"negative on a wrapped ring acts as off", 3, 5, -1, {}, 0},
      {"negative on a linear store does nothing", 0, 2, -7, {1, 2}, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TiPlotDataNullList s;
    s.SetRingBufferSize(c.Ring);
    AddRange(s, 1, c.Points);
    s.SetRingBufferSize(c.NewRing);
    EXPECT_EQ(Xs(s), c.Expected);
    EXPECT_EQ(s.GetCapacity(), c.Capacity);
  }
}

TEST(PlotDataList, WrappedRingKeepsOrderThroughCapacityAndDelete) {
  // The store's own capacity and delete calls on a wrapped ring stay in
  // bounds and keep the logical order.
  TiPlotDataNullList s;
  s.SetRingBufferSize(4);
  AddRange(s, 1, 6);  // 3, 4, 5, 6 with the tail in the middle
  s.DeletePoints(1);
  EXPECT_EQ(Xs(s), (std::vector<double>{4, 5, 6}));
  s.Add(7, 0, false, false);
  s.Add(8, 0, false, false);
  EXPECT_EQ(Xs(s), (std::vector<double>{5, 6, 7, 8}));
  s.SetCapacity(2);
  EXPECT_EQ(Xs(s), (std::vector<double>{5, 6}));
  s.Add(9, 0, false, false);
  EXPECT_EQ(Xs(s), (std::vector<double>{6, 9}));
  s.SetCapacity(5);
  s.Add(10, 0, false, false);
  EXPECT_EQ(Xs(s), (std::vector<double>{6, 9, 10}));
}

TEST(PlotDataList, Errors) {
  TiPlotDataNullList s;
  AddRange(s, 1, 3);
  EXPECT_EQ(ErrorOf([&] { s.DeletePoints(3); }), "Delete size out of Range");
  EXPECT_EQ(ErrorOf([&] { s.DeletePoints(-1); }), "Delete size out of Range");
  EXPECT_EQ(ErrorOf([&] { s.GetX(3); }), "Index out of Bounds");
  EXPECT_EQ(ErrorOf([&] { s.SetNull(-1, true); }), "Index out of Bounds");
  EXPECT_EQ(ErrorOf([&] { s.SetCapacity(89478486); }), "Exceed Maximum List Size");
  EXPECT_EQ(ErrorOf([&] { s.SetRingBufferSize(89478486); }), "Exceed Maximum List Size");
  EXPECT_EQ(ErrorOf([&] { s.SetCapacity(-1); }), "Capacity out of Range");
  EXPECT_EQ(Xs(s), (std::vector<double>{1, 2, 3}));
  EXPECT_EQ(s.GetRingBufferSize(), 0);
  s.DeletePoints(0);
  s.DeletePoints(2);
  EXPECT_EQ(Xs(s), (std::vector<double>{3}));
  EXPECT_EQ(s.GetCapacity(), 4);
}

TEST(PlotDataList, FlagsAndStoredAttributes) {
  TiPlotDataNullList s;
  s.SetStoredMarkerVisible(true);
  s.SetStoredMarkerStyle(ipmsCharacter);
  s.Add(1, 2, true, true);
  s.SetStoredMarkerVisible(false);
  s.SetStoredMarkerStyle(ipmsSquare);
  s.Add(3, 4, false, false);
  double x, y;
  bool empty, null;
  s.GetXYEmptyNull(0, x, y, empty, null);
  EXPECT_EQ(x, 1);
  EXPECT_EQ(y, 2);
  EXPECT_TRUE(empty);
  EXPECT_TRUE(null);
  EXPECT_TRUE(s.GetMarkerVisible(0));
  EXPECT_EQ(s.GetMarkerStyle(0), ipmsCharacter);
  EXPECT_FALSE(s.GetMarkerVisible(1));
  EXPECT_EQ(s.GetMarkerStyle(1), ipmsSquare);
  s.SetNull(0, false);
  EXPECT_FALSE(s.GetNull(0));
  EXPECT_TRUE(s.GetEmpty(0));
  s.SetMarkerStyle(1, ipmsDiamond);
  EXPECT_EQ(s.GetMarkerStyle(1), ipmsDiamond);
  EXPECT_FALSE(s.GetMarkerVisible(1));

  s.SetStoredTraceLineColor(clBlue);
  s.SetTraceLineColor(0, clRed);
  EXPECT_EQ(s.GetTraceLineColor(0), clBlue);
  s.SetHigh(1, 5);
  EXPECT_EQ(s.GetHigh(1), 0);
}

}  // namespace
