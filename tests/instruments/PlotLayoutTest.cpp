// The layout manager's z-orders and side lists, and the plot's layout pass
// stacking layout objects round the data view.

#include "instruments/plot/iPlotComponent.h"
#include "tests/instruments/PlotTestSupport.h"

using namespace instruments_test;

namespace {

class PlotLayoutTest : public ::testing::Test {
 protected:
  void SetUp() override { classlib_test::App(); }
  TiPlotComponent plot{nullptr};
  TiPlotLayoutManager* layout = plot.GetLayoutManager();
  TFixedObjects fixed;

  // A fixed-size object; made with the layout manager disabled it keeps
  // the z-order given.
  TFixedLayoutObject* Add(bool Horizontal, int ZOrder, int Width, double Start = 0, double Stop = 100) {
    return AddFixed(plot, fixed, Horizontal, ZOrder, Width, Start, Stop);
  }
  std::vector<int> ZOrders(const TiPlotLayoutManager::TSideList& List) {
    std::vector<int> z;
    for (auto* o : List) z.push_back(o->GetZOrder());
    return z;
  }
};

TEST_F(PlotLayoutTest, PlaceHoldersSplitTheSidesByZOrder) {
  EXPECT_EQ(plot.GetDataViewZHorz(), 1);
  EXPECT_EQ(plot.GetDataViewZVert(), 1);
  plot.DisableLayoutManager();
  auto* below = Add(true, 0, 10);
  auto* above = Add(true, 2, 10);
  auto* left = Add(false, 0, 10);
  auto* right = Add(false, 3, 10);
  plot.EnableLayoutManager();
  EXPECT_EQ(layout->GetBottomList(), TiPlotLayoutManager::TSideList{below});
  EXPECT_EQ(layout->GetTopList(), TiPlotLayoutManager::TSideList{above});
  EXPECT_EQ(layout->GetLeftList(), TiPlotLayoutManager::TSideList{left});
  EXPECT_EQ(layout->GetRightList(), TiPlotLayoutManager::TSideList{right});
  EXPECT_FALSE(below->GetReverseSide());
  EXPECT_TRUE(above->GetReverseSide());
  EXPECT_TRUE(right->GetReverseSide());
  // Moving the data view's place moves the object to the other side.
  plot.SetDataViewZHorz(3);
  EXPECT_EQ(layout->GetBottomList(), (TiPlotLayoutManager::TSideList{below, above}));
  EXPECT_EQ(layout->GetBottomUniqueCount(), 2);
}

TEST_F(PlotLayoutTest, InsertingAtRunTimeMergesOrMovesObjectsOut) {
  ASSERT_TRUE(layout->GetEnabled());
  // Objects arriving while the manager is enabled go to z-order 0: one
  // beside another shares it, one overlapping pushes the side outward, the
  // data view's place too.
  auto* upper = Add(true, 7, 10, 50, 100);
  auto* lower = Add(true, 7, 10, 0, 50);
  EXPECT_EQ(upper->GetZOrder(), 0);
  EXPECT_EQ(lower->GetZOrder(), 0);
  EXPECT_EQ(plot.GetDataViewZHorz(), 1);
  auto* whole = Add(true, 7, 10);
  EXPECT_EQ(whole->GetZOrder(), 0);
  EXPECT_EQ(upper->GetZOrder(), 1);
  EXPECT_EQ(lower->GetZOrder(), 1);
  EXPECT_EQ(plot.GetDataViewZHorz(), 2);
  // Removing one of two sharing a z-order changes nothing; removing the
  // only one closes the gap.
  fixed.Free(upper);
  EXPECT_EQ(lower->GetZOrder(), 1);
  EXPECT_EQ(plot.GetDataViewZHorz(), 2);
  fixed.Free(lower);
  EXPECT_EQ(whole->GetZOrder(), 0);
  EXPECT_EQ(plot.GetDataViewZHorz(), 1);
  EXPECT_EQ(ZOrders(layout->GetBottomList()), (std::vector<int>{0}));
}

TEST_F(PlotLayoutTest, InsertDirections) {
  plot.DisableLayoutManager();
  auto* a = Add(false, 0, 10);
  auto* b = Add(false, 2, 10);
  auto* x = Add(false, 5, 10);
  plot.EnableLayoutManager();
  layout->InsertZOrder(x, 0, iidAbove);
  EXPECT_EQ(x->GetZOrder(), 1);
  EXPECT_EQ(a->GetZOrder(), 0);
  EXPECT_EQ(plot.GetDataViewZVert(), 2);
  EXPECT_EQ(b->GetZOrder(), 3);
  layout->InsertZOrder(x, 0, iidBelow);
  EXPECT_EQ(x->GetZOrder(), 0);
  EXPECT_EQ(a->GetZOrder(), 1);
  EXPECT_EQ(plot.GetDataViewZVert(), 3);
}

TEST_F(PlotLayoutTest, ReversedAxesChangeOrientation) {
  plot.AddXAxis();
  plot.AddYAxis();
  EXPECT_TRUE(plot.GetXAxis(0)->GetHorizontal());
  EXPECT_FALSE(plot.GetYAxis(0)->GetHorizontal());
  plot.SetXYAxesReverse(true);
  EXPECT_FALSE(plot.GetXAxis(0)->GetHorizontal());
  EXPECT_TRUE(plot.GetYAxis(0)->GetHorizontal());
  EXPECT_EQ(layout->GetLeftList(), TiPlotLayoutManager::TSideList{plot.GetXAxis(0)});
  plot.AddXAxis();
  EXPECT_FALSE(plot.GetXAxis(1)->GetHorizontal());
}

// Rectangles of a 500 x 200 plot with a lowered border (2 pixels) and outer
// margins of 5.
struct TStackCase {
  const char* Name;
  struct TObj {
    bool Horizontal;
    int ZOrder;
    int Width;
    double Start, Stop;
    int EndMargin;
  };
  std::vector<TObj> Objects;
  TRect DataView;
  std::vector<TRect> Rects;
};

TEST_F(PlotLayoutTest, StacksTable) {
  const TStackCase cases[] = {
      {"one object on each side",
       {{true, 0, 20, 0, 100, 0},
        {false, 0, 30, 0, 100, 0},
        {true, 2, 15, 0, 100, 0},
        {false, 2, 25, 0, 100, 0}},
       {37, 22, 467, 172},
       {{37, 172, 467, 192}, {7, 22, 37, 172}, {37, 7, 467, 22}, {467, 22, 492, 172}}},
      {"a shorter object shares its group's column",
       {{false, 0, 30, 0, 100, 0}, {false, 0, 20, 0, 50, 0}},
       {37, 7, 492, 192},
       {{7, 7, 37, 192}, {7, 100, 37, 192}}},
      {"the wider of one z-order sets the column",
       {{false, 0, 30, 0, 50, 0}, {false, 0, 40, 50, 100, 0}},
       {47, 7, 492, 192},
       {{7, 100, 47, 192}, {7, 7, 47, 100}}},
      {"an end margin of a bottom object widens the left and right sides",
       {{true, 0, 20, 0, 100, 12}},
       {19, 7, 480, 172},
       {{19, 172, 480, 192}}},
      {"part of a side by percent", {{true, 0, 20, 25, 75, 0}}, {7, 7, 492, 172}, {{128, 172, 371, 192}}},
  };
  for (const TStackCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TiPlotComponent p(nullptr);
    TFixedObjects owner;
    p.AddDataView();
    p.DisableLayoutManager();
    std::vector<TFixedLayoutObject*> objects;
    for (const auto& o : c.Objects) {
      objects.push_back(AddFixed(p, owner, o.Horizontal, o.ZOrder, o.Width, o.Start, o.Stop));
      objects.back()->FEndMargin = o.EndMargin;
    }
    p.EnableLayoutManager();
    TBitmap bitmap(500, 200);
    p.CalcLayout(bitmap.GetCanvas());
    EXPECT_EQ(p.GetDataView(0)->GetDrawRect(), c.DataView);
    for (size_t i = 0; i < objects.size(); ++i) EXPECT_EQ(objects[i]->GetDrawRect(), c.Rects[i]) << i;
  }
}

TEST_F(PlotLayoutTest, StackingFlagsMarkNeighboursAlongASide) {
  plot.AddDataView();
  plot.DisableLayoutManager();
  auto* lower = Add(false, 0, 30, 0, 50);
  auto* upper = Add(false, 0, 30, 50, 100);
  auto* alone = Add(false, 2, 30);
  plot.EnableLayoutManager();
  TBitmap bitmap(500, 200);
  plot.CalcLayout(bitmap.GetCanvas());
  EXPECT_FALSE(lower->GetStartStacked());
  EXPECT_TRUE(lower->GetStopStacked());
  EXPECT_TRUE(upper->GetStartStacked());
  EXPECT_FALSE(upper->GetStopStacked());
  EXPECT_FALSE(alone->GetStartStacked() || alone->GetStopStacked());
  // Hidden objects take no room.
  upper->SetVisible(false);
  lower->SetVisible(false);
  plot.CalcLayout(bitmap.GetCanvas());
  EXPECT_EQ(plot.GetDataView(0)->GetDrawRect().Left, 7);
}

TEST_F(PlotLayoutTest, ToolBarIsPinnedToTheTopAndALabelSpansTheControl) {
  plot.AddDataView();
  plot.DisableLayoutManager();
  auto* toolBar = plot.GetToolBar(plot.AddToolBar());
  toolBar->SetZOrder(3);
  auto* label = plot.GetLabel(plot.AddLabel());
  label->SetZOrder(2);
  plot.EnableLayoutManager();
  TBitmap bitmap(500, 200);
  plot.CalcLayout(bitmap.GetCanvas());
  const int labelHeight = label->GetRequiredWidth(bitmap.GetCanvas());
  EXPECT_EQ(toolBar->GetDrawRect(), TRect(2, 2, 497, 38));
  EXPECT_EQ(label->GetDrawRect(), TRect(7, 36 + 7, 495, 36 + 7 + labelHeight));
  EXPECT_EQ(plot.GetDataView(0)->GetDrawRect().Top, 36 + labelHeight + 7);
  // An object removed between paints leaves the lists of the last one.
  EXPECT_EQ(plot.GetVisibleListTop(), (TiPlotLayoutManager::TSideList{label, toolBar}));
  plot.DeleteToolBar(0);
  EXPECT_EQ(plot.GetVisibleListTop(), TiPlotLayoutManager::TSideList{label});
}

TEST_F(PlotLayoutTest, AToolBarAloneAboveLeavesRoomForTheSidesEndMargin) {
  plot.AddDataView();
  plot.DisableLayoutManager();
  plot.GetToolBar(plot.AddToolBar())->SetZOrder(3);
  Add(false, 0, 30)->FEndMargin = 10;
  plot.EnableLayoutManager();
  TBitmap bitmap(500, 200);
  plot.CalcLayout(bitmap.GetCanvas());
  EXPECT_EQ(plot.GetDataView(0)->GetDrawRect().Top, 36 + 7 + 10);
  // With a second object above, the toolbar's own room is enough.
  plot.DisableLayoutManager();
  plot.GetLabel(plot.AddLabel())->SetZOrder(2);
  plot.EnableLayoutManager();
  plot.CalcLayout(bitmap.GetCanvas());
  EXPECT_EQ(plot.GetDataView(0)->GetDrawRect().Top,
            36 + plot.GetLabel(0)->GetRequiredWidth(bitmap.GetCanvas()) + 7);
}

TEST_F(PlotLayoutTest, CartesianAxesCrossTheDataView) {
  plot.AddDataView();
  plot.AddXAxis();
  plot.AddYAxis();
  plot.GetXAxis(0)->SetCartesianStyle(ipcsMaster);
  plot.GetYAxis(0)->SetCartesianStyle(ipcsChild);
  plot.GetYAxis(0)->SetCartesianChildRefAxisName("x-axis 1");
  plot.GetXAxis(0)->SetMinSpan(0, 100);
  plot.GetYAxis(0)->SetCartesianChildRefValue(25);
  TBitmap bitmap(500, 200);
  plot.CalcLayout(bitmap.GetCanvas());
  plot.CalcLayout(bitmap.GetCanvas());
  const TRect dv = plot.GetDataView(0)->GetDrawRect();
  const TRect x = plot.GetXAxis(0)->GetDrawRect();
  EXPECT_EQ(x.Top, (dv.Top + dv.Bottom) / 2);
  EXPECT_EQ(x.Top, x.Bottom);
  const TRect y = plot.GetYAxis(0)->GetDrawRect();
  EXPECT_EQ(y.Left, plot.GetXAxis(0)->PositionToPixels(25));
  EXPECT_EQ(y.Left, y.Right);
  // Without its reference a child axis has no place.
  plot.GetYAxis(0)->SetCartesianChildRefAxisName("none");
  plot.CalcLayout(bitmap.GetCanvas());
  EXPECT_EQ(plot.GetYAxis(0)->GetDrawRect(), TRect());
}

TEST_F(PlotLayoutTest, AControlTooSmallForItsObjectsGivesAnEmptyDataView) {
  plot.AddDataView();
  plot.DisableLayoutManager();
  Add(false, 0, 300);
  Add(false, 2, 300);
  Add(true, 0, 150);
  Add(true, 2, 150);
  plot.EnableLayoutManager();
  TBitmap bitmap(500, 200);
  plot.CalcLayout(bitmap.GetCanvas());
  const TRect dv = plot.GetDataView(0)->GetDrawRect();
  EXPECT_EQ(dv.Width(), 0);
  EXPECT_EQ(dv.Height(), 0);
}

}  // namespace
