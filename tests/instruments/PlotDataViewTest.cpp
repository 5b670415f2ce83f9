// The data view: percent conversions, the mouse modes and zoom box, the
// grid of its grid axes, and how it follows its axes' names.

#include <cmath>
#include <limits>

#include "instruments/plot/iPlotDataView.h"
#include "platform/classlib/Keys.h"
#include "platform/classlib/PicturePng.h"
#include "tests/instruments/PlotTestHost.h"

using namespace instruments_test;

namespace {

class PlotDataViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    plot = TTestPlotHost::WithAxes();
    auto* m = plot->Master.get();
    m->AddDataView();
    view = m->GetDataViewManager()->GetItem(0);
    Layout(TRect(20, 10, 120, 60));
  }
  TiPlotXAxis* X(int i = 0) { return plot->Master->GetXAxisManager()->GetItem(i); }
  TiPlotYAxis* Y(int i = 0) { return plot->Master->GetYAxisManager()->GetItem(i); }
  // The view at R with each axis along one of its edges, scaled 0..100.
  void Layout(TRect R) {
    view->SetDrawRect(R);
    for (int i = 0; i < plot->Master->GetXAxisManager()->Count(); ++i) {
      X(i)->SetHorizontal(true);
      X(i)->SetDrawRect(TRect(R.Left, R.Bottom, R.Right, R.Bottom + 20));
      X(i)->UpdateScaleRect(0, 0, 0);
      X(i)->BuildTicks(20);
    }
    for (int i = 0; i < plot->Master->GetYAxisManager()->Count(); ++i) {
      Y(i)->SetHorizontal(false);
      Y(i)->SetDrawRect(TRect(R.Left - 20, R.Top, R.Left, R.Bottom));
      Y(i)->UpdateScaleRect(0, 0, 0);
      Y(i)->BuildTicks(20);
    }
  }
  void Drag(TMouseButton b, TPoint from, TPoint to, TShiftState shift = {}) {
    TiHintData hint;
    view->SetShiftState(shift);
    view->iMouseDown(b, shift, from.X, from.Y, 0, 0, nullptr);
    view->iMouseMove(hint, shift, to.X, to.Y, 0, 0, false);
  }
  void Release(TMouseButton b, TPoint at) { view->iMouseUp(b, {}, at.X, at.Y, 0, 0, false, nullptr); }

  std::unique_ptr<TTestPlotHost> plot;
  TiPlotDataView* view = nullptr;
};

TEST_F(PlotDataViewTest, PercentConversions) {
  Layout(TRect(0, 0, 101, 50));
  EXPECT_DOUBLE_EQ(view->PixelsYToPositionPercent(0), 100);
  EXPECT_DOUBLE_EQ(view->PixelsYToPositionPercent(50), 0);
  EXPECT_DOUBLE_EQ(view->PixelsXToPositionPercent(0), 0);
  EXPECT_EQ(view->PositionPercentToPixelsX(50), 50);  // 50.5 goes to the even neighbour
  EXPECT_EQ(view->PositionPercentToPixelsY(0), 50);
  EXPECT_EQ(view->PositionPercentToPixelsY(100), 0);
  // Values no pixel can hold stay within the drawing range.
  const double inf = std::numeric_limits<double>::infinity();
  struct {
    double P;
    int X, Y;
  } huge[] = {{1e300, 32000, -32000}, {-1e300, -32000, 32000}, {inf, 32000, -32000}, {NAN, 0, 0}};
  for (const auto& c : huge) {
    EXPECT_EQ(view->PositionPercentToPixelsX(c.P), c.X) << c.P;
    EXPECT_EQ(view->PositionPercentToPixelsY(c.P), c.Y) << c.P;
  }
  // A view without extent answers 0 percent instead of dividing by zero.
  view->SetDrawRect(TRect(5, 5, 5, 5));
  EXPECT_EQ(view->PixelsXToPositionPercent(7), 0);
  EXPECT_EQ(view->PixelsYToPositionPercent(7), 0);
}

TEST_F(PlotDataViewTest, MouseModeFollowsTheToolbarAndAxesControl) {
  EXPECT_EQ(view->GetMouseMode(), 0);
  view->SetAxesControlEnabled(true);
  EXPECT_EQ(view->GetMouseMode(), 3);
  plot->ZoomBoxActive = true;
  EXPECT_EQ(view->GetMouseMode(), 1);
  plot->SelectActive = true;
  EXPECT_EQ(view->GetMouseMode(), 2);
  view->SetAxesControlAllowInSelectMode(true);
  EXPECT_EQ(view->GetMouseMode(), 1);

  // A data view whose owner is no plot reads no toolbar.
  TCustomControl bare(nullptr);
  TNotifyEvent nop = [](TObject*) {};
  TiPlotDataView lone(&bare, nop, nop, nop, nop);
  lone.SetAxesControlEnabled(true);
  EXPECT_EQ(lone.GetMouseMode(), 3);
  lone.SetDrawRect(TRect(0, 0, 50, 50));
  Drag(mbLeft, {1, 1}, {2, 2});  // on the plot's view: nothing to check, no crash
  lone.iMouseDown(mbLeft, {}, 5, 5, 0, 0, nullptr);
  lone.iMouseUp(mbLeft, {}, 30, 30, 0, 0, false, nullptr);
  lone.ZoomToRect(TRect(0, 0, 10, 10));
}

TEST_F(PlotDataViewTest, ZoomBoxZoomsEveryAxisOnlyWhenDraggedDownRight) {
  plot->ZoomBoxActive = true;
  Drag(mbLeft, {20, 10}, {70, 35});
  EXPECT_TRUE(view->GetZoomBoxActive());
  Release(mbLeft, {70, 35});
  EXPECT_FALSE(view->GetZoomBoxActive());
  EXPECT_EQ(plot->Events,
            (std::vector<std::string>{"disable tracking", "zoom box 20,10,70,35", "click Data View 1"}));
  EXPECT_DOUBLE_EQ(X()->GetMin(), 0);
  EXPECT_DOUBLE_EQ(X()->GetSpan(), 50);
  EXPECT_DOUBLE_EQ(Y()->GetMin(), 50);
  EXPECT_DOUBLE_EQ(Y()->GetSpan(), 50);

  plot->Events.clear();
  Drag(mbLeft, {70, 35}, {20, 10});  // up and left: nothing
  Release(mbLeft, {20, 10});
  EXPECT_DOUBLE_EQ(X()->GetSpan(), 50);

  Drag(mbLeft, {20, 10}, {70, 35});  // Escape ends the box without zooming
  std::uint16_t key = VK_ESCAPE;
  view->iKeyDown(key, {}, nullptr);
  EXPECT_FALSE(view->GetZoomBoxActive());
  Release(mbLeft, {70, 35});
  EXPECT_DOUBLE_EQ(X()->GetSpan(), 50);

  plot->CancelZoom = true;
  Drag(mbLeft, {20, 10}, {40, 20});
  Release(mbLeft, {40, 20});
  EXPECT_DOUBLE_EQ(X()->GetSpan(), 50);
}

TEST_F(PlotDataViewTest, RightDragBeyondFivePixelsBecomesAZoomBox) {
  view->SetAxesControlEnabled(true);
  Drag(mbRight, {30, 20}, {35, 25});
  EXPECT_FALSE(view->GetZoomBoxActive());
  TiHintData hint;
  view->iMouseMove(hint, {}, 36, 25, 0, 0, false);
  EXPECT_TRUE(view->GetZoomBoxActive());
  Release(mbRight, {36, 25});
  EXPECT_DOUBLE_EQ(X()->GetMin(), 10);
  EXPECT_DOUBLE_EQ(X()->GetSpan(), 6);
}

TEST_F(PlotDataViewTest, ReleaseInsideFiresTheClickWithoutMovingAxes) {
  Drag(mbLeft, {30, 20}, {90, 50});
  Release(mbLeft, {90, 50});
  EXPECT_EQ(plot->Events, (std::vector<std::string>{"click Data View 1"}));
  EXPECT_DOUBLE_EQ(X()->GetMin(), 0);
  Drag(mbLeft, {30, 20}, {200, 50});
  Release(mbLeft, {200, 50});
  EXPECT_EQ(plot->Events.size(), 1u);
}

TEST_F(PlotDataViewTest, GridAxesFollowRenamesAndAllSelectsEvery) {
  EXPECT_EQ(view->GetGridXAxisName(), "X-Axis 1");
  EXPECT_EQ(view->GetGridXAxis(), X());
  X()->SetName("Input");
  EXPECT_EQ(view->GetGridXAxisName(), "Input");
  EXPECT_EQ(view->GetGridXAxis(), X());
  delete X();
  EXPECT_EQ(view->GetGridXAxis(), nullptr);
}

TEST_F(PlotDataViewTest, DrawsGridBorderAndBackground) {
  plot->Master->AddXAxis();
  Layout(TRect(20, 10, 120, 60));
  X(1)->SetMinSpan(0, 50);  // its ticks fall between the first axis' ticks
  X(1)->BuildTicks(20);
  view->SetBackgroundTransparent(false);
  view->SetBackgroundColor(clNavy);
  view->SetGridLineColor(clLime);
  view->SetGridLineYMajorCustom(true);
  view->SetGridLineYMajorColor(clYellow);

  TBitmap b(140, 80);
  auto render = [&](const char* name) {
    b.GetCanvas()->Brush->SetColor(clBlack);
    b.GetCanvas()->FillRect(TRect(0, 0, 140, 80));
    view->DrawBackground(b.GetCanvas());
    view->Draw(b.GetCanvas(), clBlack);
    TPngImage png;
    png.Assign(&b);
    png.SaveToFile(::testing::TempDir() + name);
    return [c = b.GetCanvas()](int x, int y) { return c->GetPixels(x, y); };
  };
  {
    auto px = render("plot-dataview-grid.png");
    EXPECT_EQ(px(20, 30), clLime);                                // left border
    EXPECT_EQ(px(60, 59), clLime);                                // bottom border
    EXPECT_EQ(px(X()->GetTick(2).PositionPixels, 30), clLime);    // an X major
    EXPECT_EQ(px(40, Y()->GetTick(2).PositionPixels), clYellow);  // a Y major
    EXPECT_EQ(px(25, 15), clNavy);                                // background between the lines
  }
  // The second axis' lines show only with "<all>", in any letter case.
  const int between = X(1)->GetTick(2).PositionPixels;
  ASSERT_NE(render("plot-dataview-grid.png")(between, 30), clLime);
  view->SetGridXAxisName("<all>");
  EXPECT_EQ(render("plot-dataview-grid-all.png")(between, 30), clLime);
}

}  // namespace
