// The XY channel: when it can draw, its extent scans, a transfer curve and
// threshold point like the program's drawn and probed, clipping to the
// axes, and the data-cursor readout per style.

#include <cmath>

#include "instruments/plot/iPlotAxis.h"
#include "instruments/plot/iPlotDataView.h"
#include "instruments/plot/iXYPlotChannel.h"
#include "platform/classlib/PicturePng.h"
#include "tests/instruments/PlotTestHost.h"

using namespace instruments_test;

namespace {

class PlotXYChannelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    plot = TTestPlotHost::WithAxes();
    auto* m = plot->Master.get();
    m->SetChannelClass(iChannelClass<TiXYPlotChannel>());
    m->AddChannel();
    m->AddChannel();
    m->AddDataView();
    curve = Channel(0);
    dot = Channel(1);
    view = m->GetDataViewManager()->GetItem(0);
    // The program's scales, -100..+20 on both axes; value v at pixel
    // x = 110 + v and y = 30 - v.
    x = m->GetXAxisManager()->GetItem(0);
    y = m->GetYAxisManager()->GetItem(0);
    for (TiPlotAxis* a : {static_cast<TiPlotAxis*>(x), static_cast<TiPlotAxis*>(y)}) a->SetMinSpan(-100, 120);
    x->SetHorizontal(true);
    x->SetDrawRect(TRect(10, 130, 130, 140));
    y->SetDrawRect(TRect(0, 10, 10, 130));
    view->SetDrawRect(TRect(10, 10, 130, 130));
    for (TiPlotAxis* a : {static_cast<TiPlotAxis*>(x), static_cast<TiPlotAxis*>(y)}) {
      a->UpdateScaleRect(0, 0, 0);
      a->BuildTicks(30);
    }
  }
  TiXYPlotChannel* Channel(int i) {
    return static_cast<TiXYPlotChannel*>(plot->Master->GetChannelManager()->GetItem(i));
  }
  // The plot's order: grid first, then channels with equal layers from the
  // last to the first.
  TCanvas* Render(const char* Name) {
    TCanvas* c = bitmap.GetCanvas();
    c->ResetClipRect();
    c->Brush->SetStyle(bsSolid);
    c->Brush->SetColor(clBlack);
    c->FillRect(TRect(0, 0, 140, 140));
    view->SetBackgroundTransparent(false);
    view->SetBackgroundColor(clBlack);
    view->DrawBackground(c);
    view->Draw(c, clBlack);
    for (TiXYPlotChannel* ch : {dot, curve}) {
      ch->UpdateCanDraw();
      if (ch->GetCanDraw()) ch->Draw(c, clBlack);
      c->ResetClipRect();
    }
    TPngImage png;
    png.Assign(&bitmap);
    png.SaveToFile(::testing::TempDir() + Name);
    return c;
  }
  static TPoint Px(double vx, double vy) {
    return TPoint(110 + static_cast<int>(vx), 30 - static_cast<int>(vy));
  }
  TColor At(double vx, double vy) {
    const TPoint p = Px(vx, vy);
    return bitmap.GetCanvas()->GetPixels(p.X, p.Y);
  }

  std::unique_ptr<TTestPlotHost> plot;
  TiXYPlotChannel* curve = nullptr;
  TiXYPlotChannel* dot = nullptr;
  TiPlotDataView* view = nullptr;
  TiPlotXAxis* x = nullptr;
  TiPlotYAxis* y = nullptr;
  TBitmap bitmap{140, 140};
};

TEST_F(PlotXYChannelTest, DrawsOnlyWithAxesAndPoints) {
  curve->UpdateCanDraw();
  EXPECT_FALSE(curve->GetCanDraw());
  EXPECT_EQ(curve->AddNull(), 0);
  curve->UpdateCanDraw();
  EXPECT_TRUE(curve->GetCanDraw());
  EXPECT_EQ(curve->GetDrawStartIndex(), 0);
  EXPECT_EQ(curve->GetDrawStopIndex(), 0);
  curve->SetVisible(false);
  curve->UpdateCanDraw();
  EXPECT_FALSE(curve->GetCanDraw());
  curve->SetVisible(true);
  curve->SetYAxisName("gone");
  curve->UpdateCanDraw();
  EXPECT_FALSE(curve->GetCanDraw());

  // Nulls and empties leave the statistics and the axes alone.
  dot->AddXY(-40, -40);
  EXPECT_EQ(dot->AddEmpty(), 1);
  EXPECT_EQ(dot->AddNull(), 2);
  EXPECT_EQ(dot->GetRunningXMin(), -40);
  EXPECT_EQ(dot->GetRunningYMean(), -40);
}

TEST_F(PlotXYChannelTest, ExtentScans) {
  auto fits = [](TiXYPlotChannel* c) {
    return std::vector<double>{c->GetXMinFit(), c->GetXMaxFit(), c->GetYMinFit(), c->GetYMaxFit()};
  };
  EXPECT_EQ(fits(dot), (std::vector<double>{1e300, -1e300, 1e300, -1e300}));
  dot->AddNull();
  dot->AddEmpty();
  EXPECT_EQ(fits(dot), (std::vector<double>{1e300, -1e300, 1e300, -1e300}));
  dot->AddXY(-40, -40);
  EXPECT_EQ(fits(dot), (std::vector<double>{-40, -40, -40, -40}));
  dot->SetMarkersVisible(true);  // size 3: three pixels are three units here
  EXPECT_EQ(fits(dot), (std::vector<double>{-43, -37, -43, -37}));
  dot->SetXAxisName("gone");
  EXPECT_EQ(fits(dot), (std::vector<double>{1e300, -1e300, 1e300, -1e300}));
}

TEST_F(PlotXYChannelTest, TransferCurveAndThresholdPoint) {
  SetUpAsProgramChannels(curve, dot);
  // A compressor above a threshold of -40 with ratio 4, redrawn twice as
  // the program does: delete what is there, add the new points.
  for (int round = 0; round < 2; ++round) {
    curve->DeletePoints(curve->GetCount());
    dot->DeletePoints(dot->GetCount());
    curve->AddXY(20, -25);
    curve->AddXY(-40, -40);
    curve->AddXY(-100, -100);
    dot->AddXY(-40, -40);
  }
  Render("plot-xy-transfer.png");
  EXPECT_EQ(At(-40, -44), 0x8080FF);  // the threshold dot round the knee
  EXPECT_EQ(At(-36, -40), 0x8080FF);
  EXPECT_EQ(At(-40, -40), clWhite);  // the first channel ends on top
  EXPECT_EQ(At(-70, -70), clWhite);  // below the knee: one to one
  EXPECT_EQ(At(0, -30), clWhite);    // above it: a quarter of the rise
  EXPECT_NE(At(0, 0), clWhite);      // not sorted into a straight line
  EXPECT_NE(At(-70, -40), clWhite);
}

TEST_F(PlotXYChannelTest, ClipToAxesKeepsTheTraceInside) {
  curve->SetColor(clWhite);
  curve->AddXY(-50, -50);
  curve->AddXY(-50, 200);  // far above the Y range
  Render("plot-xy-unclipped.png");
  EXPECT_EQ(bitmap.GetCanvas()->GetPixels(60, 5), clWhite);  // above the view
  curve->SetClipToAxes(true);
  Render("plot-xy-clipped.png");
  EXPECT_NE(bitmap.GetCanvas()->GetPixels(60, 5), clWhite);
  EXPECT_EQ(bitmap.GetCanvas()->GetPixels(60, 40), clWhite);
}

TEST_F(PlotXYChannelTest, DataCursorReadout) {
  struct {
    int Style;
    double X, Y;
    std::string Text;
  } cases[] = {
      {0, -70, -40, x->GetCursorText(-70) + ", " + y->GetCursorText(-40)},
      {1, -70, 0, x->GetCursorText(-70)},
      {2, 0, -40, y->GetCursorText(-40)},
      {3, 30, 0, x->GetCursorText(30)},
      {4, 0, 30, y->GetCursorText(30)},
      {5, 1.0 / 30, 0, x->GetCursorText(1.0 / 30)},
  };
  for (const auto& c : cases) {
    TiPlotDataCursorReadout r;
    r.Pointer1Position = 25;
    r.Pointer2Position = 50;
    r.Style = c.Style;
    r.DataView = view;
    curve->UpdateDataCursor(r);
    EXPECT_DOUBLE_EQ(r.XValue, c.X) << c.Style;
    EXPECT_DOUBLE_EQ(r.YValue, c.Y) << c.Style;
    EXPECT_EQ(r.DisplayText, c.Text) << c.Style;
    EXPECT_EQ(r.Status, ipdpsValid);
    EXPECT_DOUBLE_EQ(curve->GetDataCursorXValue(), c.X);
  }
  TiPlotDataCursorReadout same;
  same.Pointer1Position = same.Pointer2Position = 40;
  same.Style = 5;
  curve->UpdateDataCursor(same);
  EXPECT_TRUE(std::isinf(same.XValue));
  EXPECT_EQ(same.DisplayText, "Infinite");
  x->SetCursorScaler(0);
  same.Pointer2Position = 60;
  curve->UpdateDataCursor(same);
  EXPECT_EQ(same.DisplayText, "Infinite");

  curve->SetXAxisName("gone");
  TiPlotDataCursorReadout none;
  curve->UpdateDataCursor(none);
  EXPECT_EQ(none.DisplayText, "No X-Axis");
  EXPECT_EQ(none.XValue, 0);
  curve->SetXAxisName(x->GetName());
  curve->SetYAxisName("gone");
  curve->UpdateDataCursor(none);
  EXPECT_EQ(none.DisplayText, x->GetCursorText(0) + ", No Y-Axis");
}

}  // namespace
