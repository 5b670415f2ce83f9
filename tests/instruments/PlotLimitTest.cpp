// Limits: defaults, the six styles drawn (probed by pixel), grab
// rectangles, dragging with the position events, band elements and the
// paint layer of filled limits.

#include "instruments/plot/iXYPlot.h"
#include "tests/instruments/PlotTestSupport.h"

using namespace instruments_test;
using namespace classlib_test;

namespace {

class PlotLimitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    plot = stage.Add<TiXYPlot>("plot", 10, 10, 360, 260);
    ShowAndActivate(stage.form);
    plot->GetToolBar(0)->SetVisible(false);
    for (TiPlotAxis* a : {static_cast<TiPlotAxis*>(plot->GetXAxis(0)), static_cast<TiPlotAxis*>(plot->GetYAxis(0))}) {
      a->SetTrackingEnabled(false);
      a->SetMinSpan(0, 100);
    }
    limit = plot->GetLimit(plot->AddLimit());
    // The axes' pixels exist after a paint.
    Paint();
  }
  TColor Pixel(int X, int Y) {
    Paint();
    return bitmap->GetCanvas()->GetPixels(X, Y);
  }
  void Paint() {
    bitmap = std::make_unique<TBitmap>(plot->GetWidth(), plot->GetHeight());
    plot->iPaintToCanvas(bitmap->GetCanvas());
  }
  int XPix(double v) { return plot->GetXAxis(0)->PositionToPixels(v); }
  int YPix(double v) { return plot->GetYAxis(0)->PositionToPixels(v); }

  FormStage stage;
  TiXYPlot* plot = nullptr;
  TiPlotLimit* limit = nullptr;
  std::unique_ptr<TBitmap> bitmap;
};

TEST_F(PlotLimitTest, ANewLimitIsAFixedRedLineAtYFifty) {
  EXPECT_EQ(limit->GetStyle(), iplsLineY);
  EXPECT_EQ(limit->GetColor(), 0x0000FF);
  EXPECT_EQ(limit->GetLine1Position(), 50);
  EXPECT_FALSE(limit->GetUserCanMove());
  EXPECT_EQ(limit->GetXAxisName(), plot->GetXAxis(0)->GetName());
  EXPECT_EQ(Pixel(XPix(30), YPix(50)), ColorToRGB(clRed));
  EXPECT_TRUE(limit->GetLine1Show());
  EXPECT_EQ(limit->GetMouseCursor(TPoint(0, 0)), crDefault);
}

TEST_F(PlotLimitTest, ALineBeyondTheAxisDrawsNothingWhileABandStillDraws) {
  limit->SetStyle(iplsLineX);
  limit->SetLine1Position(150);
  Paint();
  EXPECT_FALSE(limit->GetLine1Show());
  limit->SetStyle(iplsBandX);
  limit->SetLine2Position(60);
  EXPECT_EQ(Pixel(XPix(80), YPix(50)), ColorToRGB(clRed));
  EXPECT_TRUE(limit->GetLine1Show());
  EXPECT_TRUE(limit->GetLine2Show());
  EXPECT_NE(Pixel(XPix(40), YPix(50)), ColorToRGB(clRed));
}

TEST_F(PlotLimitTest, BandFillStylesAndIsFilled) {
  struct {
    TiPlotLimitStyle Style;
    TBrushStyle Fill;
    bool Filled;
    bool InsideRed;
  } cases[] = {{iplsBandY, bsSolid, true, true},
               {iplsBandY, bsClear, false, false},
               {iplsLineY, bsSolid, false, false},
               {iplsPolyBandY, bsClear, true, false}};
  limit->SetLine1Position(20);
  limit->SetLine2Position(40);
  limit->AddBandElement(0, 40, 20);
  limit->AddBandElement(100, 40, 20);
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Style << " " << c.Fill);
    limit->SetStyle(c.Style);
    limit->SetFillStyle(c.Fill);
    EXPECT_EQ(limit->IsFilled(), c.Filled);
    // Off the grid lines, which lie over filled limits.
    EXPECT_EQ(Pixel(XPix(45), YPix(33)) == ColorToRGB(clRed), c.InsideRed);
  }
  // A clear band draws only its edges.
  limit->SetStyle(iplsBandY);
  limit->SetFillStyle(bsClear);
  EXPECT_EQ(Pixel(XPix(45), YPix(20)), ColorToRGB(clRed));
  EXPECT_NE(Pixel(XPix(45), YPix(33)), ColorToRGB(clRed));
  // Filled limits are painted before the data view's grid.
  limit->SetFillStyle(bsSolid);
  Paint();
  const auto layers = plot->GetLayerObjects();
  ASSERT_GE(layers.size(), 2u);
  EXPECT_EQ(layers[0], limit);
}

TEST_F(PlotLimitTest, PolyBandSkipsPairsBelowThePositionAxis) {
  limit->SetStyle(iplsPolyBandY);
  EXPECT_THROW(limit->AddBandElement(10, 4, 5), Exception);
  EXPECT_EQ(limit->GetElementCount(), 0);
  limit->AddBandElement(10, 5, 5);
  limit->ClearAllElements();
  plot->GetXAxis(0)->SetMinSpan(12, 3);
  limit->AddBandElement(0, 90, 80);
  limit->AddBandElement(10, 30, 20);
  limit->AddBandElement(20, 50, 10);
  // Only the pair 10..20 is drawn: at X = 15 it spans 15..40.
  EXPECT_EQ(Pixel(XPix(15), YPix(30)), ColorToRGB(clRed));
  EXPECT_NE(Pixel(XPix(15), YPix(60)), ColorToRGB(clRed));
}

TEST_F(PlotLimitTest, DraggingALineReportsEachMove) {
  limit->SetUserCanMove(true);
  std::vector<std::pair<double, double>> moves;
  plot->OnLimitLine1PositionChange = [&](int i, double Old, double New) {
    EXPECT_EQ(i, 0);
    moves.push_back({Old, New});
  };
  Paint();
  const int x = XPix(30), y = YPix(50);
  // Outside select mode the line cannot be grabbed.
  SendMouse(plot, QEvent::MouseButtonPress, x, y + 4, Qt::LeftButton, Qt::LeftButton);
  SendMouse(plot, QEvent::MouseMove, x, YPix(70), Qt::NoButton, Qt::LeftButton);
  SendMouse(plot, QEvent::MouseButtonRelease, x, YPix(70), Qt::LeftButton, Qt::NoButton);
  EXPECT_TRUE(moves.empty());

  plot->SetToolBarSelectActive(true);
  EXPECT_EQ(limit->GetMouseCursor(TPoint(x, y)), crHandPoint);
  SendMouse(plot, QEvent::MouseButtonPress, x, y + 4, Qt::LeftButton, Qt::LeftButton);
  SendMouse(plot, QEvent::MouseMove, x, YPix(70), Qt::NoButton, Qt::LeftButton);
  SendMouse(plot, QEvent::MouseMove, x, YPix(80), Qt::NoButton, Qt::LeftButton);
  SendMouse(plot, QEvent::MouseButtonRelease, x, YPix(80), Qt::LeftButton, Qt::NoButton);
  ASSERT_EQ(moves.size(), 2u);
  EXPECT_EQ(moves[0].first, 50);
  EXPECT_NEAR(moves[0].second, 70, 1);
  EXPECT_EQ(moves[1].first, moves[0].second);
  EXPECT_NEAR(limit->GetLine1Position(), 80, 1);
  plot->SetToolBarSelectActive(false);

  // Without the select-mode rule it is grabbed in any mode.
  limit->SetSelectModeOnlyInteraction(false);
  Paint();
  const int y2 = YPix(limit->GetLine1Position());
  SendMouse(plot, QEvent::MouseButtonPress, x, y2 - 3, Qt::LeftButton, Qt::LeftButton);
  SendMouse(plot, QEvent::MouseMove, x, YPix(20), Qt::NoButton, Qt::LeftButton);
  SendMouse(plot, QEvent::MouseButtonRelease, x, YPix(20), Qt::LeftButton, Qt::NoButton);
  EXPECT_NEAR(limit->GetLine1Position(), 20, 1);
}

TEST_F(PlotLimitTest, AMissingAxisDrawsNothingAndCannotBeGrabbed) {
  limit->SetYAxisName("none");
  limit->SetSelectModeOnlyInteraction(false);
  Paint();
  EXPECT_FALSE(limit->GetLine1Show());
  TiPlotMouseData d;
  d.X = XPix(30);
  d.Y = YPix(50);
  EXPECT_FALSE(limit->iMouseHitTest(d));
}

}  // namespace
