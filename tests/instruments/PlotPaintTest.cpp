// The plot's paint pass: which objects it draws inside the data view and in
// what order, the clip round the data view, background and gradient, and
// the axes' collision list.

#include "instruments/plot/iXYPlot.h"
#include "tests/instruments/PlotTestSupport.h"

using namespace instruments_test;

namespace {

// A channel that fills far beyond the data view and logs its drawing.
class TFloodChannel : public TiPlotChannelCustom {
 public:
  using TiPlotChannelCustom::TiPlotChannelCustom;
  void Draw(TCanvas* Canvas, TColor) override {
    Canvas->Brush->SetStyle(bsSolid);
    Canvas->Brush->SetColor(GetColor());
    Canvas->FillRect(Rect(-1000, -1000, 2000, 2000));
  }
};

class PlotPaintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    classlib_test::App();
    plot.SetBounds(0, 0, 300, 200);
  }
  TiXYPlot plot{nullptr};
  std::unique_ptr<TBitmap> Paint() {
    auto bitmap = std::make_unique<TBitmap>(plot.GetWidth(), plot.GetHeight());
    plot.iPaintToCanvas(bitmap->GetCanvas());
    return bitmap;
  }
};

TEST_F(PlotPaintTest, LayerOrderIsLayerThenKindAndEqualKeysReverse) {
  plot.AddChannel();
  plot.AddLimit();
  plot.AddAnnotation();
  // A channel draws once it holds a point.
  plot.GetChannel(0)->AddXY(10, 10);
  plot.GetChannel(1)->AddXY(20, 20);
  plot.ReCalcLayout();
  TiPlotObject* const expected[] = {plot.GetDataView(0), plot.GetLimit(0), plot.GetChannel(1),
                                    plot.GetChannel(0), plot.GetAnnotation(0)};
  EXPECT_EQ(plot.GetLayerObjects(), std::vector<TiPlotObject*>(std::begin(expected), std::end(expected)));
  // The program's data view lies on layer 0, under everything; a channel on
  // layer 50 goes under the limit.
  plot.GetChannel(0)->SetLayer(50);
  EXPECT_EQ(plot.GetLayerObjects().size(), 5u);
  plot.GetDataView(0)->SetLayer(0);
  plot.ReCalcLayout();
  TiPlotObject* const reordered[] = {plot.GetDataView(0), plot.GetChannel(0), plot.GetLimit(0),
                                     plot.GetChannel(1), plot.GetAnnotation(0)};
  EXPECT_EQ(plot.GetLayerObjects(), std::vector<TiPlotObject*>(std::begin(reordered), std::end(reordered)));
  EXPECT_EQ(TiPlotComponent::LayerKey(plot.GetChannel(1), 'F'), "000100F");
}

TEST_F(PlotPaintTest, ObjectsInsideTheDataViewAreCutOnePixelBeyondIt) {
  plot.GetMaster()->SetChannelClass(iChannelClass<TFloodChannel>());
  plot.RemoveAllChannels();
  plot.TiPlotComponent::GetChannel(plot.AddChannel())->SetColor(clRed);
  plot.GetToolBar(0)->SetVisible(false);
  plot.SetTitleVisible(false);
  auto bitmap = Paint();
  const TRect dv = plot.GetDataView(0)->GetDrawRect();
  ASSERT_FALSE(dv.IsEmpty());
  TCanvas* c = bitmap->GetCanvas();
  EXPECT_EQ(c->GetPixels(dv.Left, dv.Top), clRed);
  EXPECT_EQ(c->GetPixels(dv.Right, dv.Bottom), clRed);
  EXPECT_NE(c->GetPixels(dv.Right + 1, dv.Bottom), clRed);
  EXPECT_NE(c->GetPixels(dv.Right, dv.Bottom + 1), clRed);
  EXPECT_NE(c->GetPixels(dv.Left - 1, dv.Top), clRed);
  // A hidden toolbar and title leave only the background above.
  EXPECT_EQ(c->GetPixels(plot.GetWidth() / 2, 4), plot.GetBackGroundColor());
}

TEST_F(PlotPaintTest, WithoutToolBarOrLegendNothingIsDrawn) {
  for (auto remove : {&TiPlotComponent::RemoveAllToolBars, &TiPlotComponent::RemoveAllLegends}) {
    TiXYPlot p(nullptr);
    (p.*remove)();
    TBitmap bitmap(p.GetWidth(), p.GetHeight());
    bitmap.GetCanvas()->Brush->SetColor(clLime);
    bitmap.GetCanvas()->FillRect(Rect(0, 0, p.GetWidth(), p.GetHeight()));
    p.iPaintToCanvas(bitmap.GetCanvas());
    EXPECT_EQ(bitmap.GetCanvas()->GetPixels(p.GetWidth() / 2, p.GetHeight() / 2), clLime);
    EXPECT_FALSE(p.GetPaintingActive());
  }
}

TEST_F(PlotPaintTest, GradientBackgroundKeepsTheBorder) {
  plot.SetBackGroundGradientEnabled(true);
  plot.SetBackGroundGradientStartColor(clRed);
  plot.SetBackGroundGradientStopColor(clBlue);
  plot.GetToolBar(0)->SetVisible(false);
  plot.SetTitleVisible(false);
  auto bitmap = Paint();
  TCanvas* c = bitmap->GetCanvas();
  // Top to bottom: red above, blue below; the lowered bevel's shadow on
  // the top edge.
  const TColor top = c->GetPixels(plot.GetWidth() / 2, 3);
  const TColor bottom = c->GetPixels(plot.GetWidth() / 2, plot.GetHeight() - 3);
  EXPECT_GT(top & 0xFF, (top >> 16) & 0xFF);
  EXPECT_GT((bottom >> 16) & 0xFF, bottom & 0xFF);
  EXPECT_NE(c->GetPixels(plot.GetWidth() / 2, 0), top);
}

TEST_F(PlotPaintTest, AfterPaintFiresAndPaintingFlagFollowsThePass) {
  int fired = 0;
  bool activeInside = false;
  plot.OnAfterPaint = [&](TObject* s) {
    EXPECT_EQ(s, &plot);
    ++fired;
    activeInside = plot.GetPaintingActive();
  };
  Paint();
  EXPECT_EQ(fired, 1);
  EXPECT_FALSE(activeInside);
  EXPECT_FALSE(plot.GetPaintingActive());
}

TEST_F(PlotPaintTest, HintBoxIsPaintedLast) {
  TiHintData& hint = plot.GetHintData();
  hint.Text = "Zoom Box";
  hint.Left = 40;
  hint.Top = 50;
  hint.Width = 80;
  hint.Height = 20;
  hint.Visible = true;
  auto bitmap = Paint();
  EXPECT_EQ(bitmap->GetCanvas()->GetPixels(42, 52), ColorToRGB(clInfoBk));
  hint.Visible = false;
  bitmap = Paint();
  EXPECT_NE(bitmap->GetCanvas()->GetPixels(42, 52), ColorToRGB(clInfoBk));
}

TEST_F(PlotPaintTest, AxesCollisionList) {
  plot.ReCalcLayout();
  const TRect dv = plot.GetDataView(0)->GetDrawRect();
  // The first rectangle of a paint is taken wherever it lies.
  EXPECT_TRUE(plot.TryAddAxesCollisionRect(TRect(-50, -50, -40, -40)));
  plot.ClearAxesCollisionList();
  EXPECT_TRUE(plot.TryAddAxesCollisionRect(TRect(dv.Left, dv.Top, dv.Left + 10, dv.Top + 10)));
  EXPECT_FALSE(plot.TryAddAxesCollisionRect(TRect(dv.Left + 5, dv.Top + 5, dv.Left + 15, dv.Top + 15)));
  EXPECT_TRUE(plot.TryAddAxesCollisionRect(TRect(dv.Left + 20, dv.Top, dv.Left + 30, dv.Top + 10)));
  // One that only touches the data view from outside is refused.
  EXPECT_FALSE(plot.TryAddAxesCollisionRect(TRect(dv.Right, dv.Top, dv.Right + 10, dv.Top + 10)));
}

}  // namespace
