// XY channels inside a real XY plot: the plot serves their axes, lays them
// out and paints them; the gate and compressor curves land where the knee
// and the threshold dot must be.

#include <filesystem>

#include "instruments/plot/iXYPlot.h"
#include "instruments/plot/iXYPlotChannel.h"
#include "tests/instruments/PlotTestHost.h"

using namespace instruments_test;

namespace {

class PlotXYChannelInPlotTest : public ::testing::Test {
 protected:
  void SetUp() override {
    classlib_test::App();
    plot = std::make_unique<TiXYPlot>(nullptr);
    plot->SetBounds(0, 0, 260, 240);
    plot->RemoveAllChannels();
    plot->GetMaster()->SetChannelClass(iChannelClass<TiXYPlotChannel>());
    plot->AddChannel();
    plot->AddChannel();
    plot->GetToolBar(0)->SetVisible(false);
    plot->GetLegend(0)->SetVisible(false);
    plot->GetDataCursor(0)->SetVisible(false);
    plot->SetTitleVisible(false);
    plot->GetDataView(0)->SetLayer(0);
    for (TiPlotAxis* a :
         {static_cast<TiPlotAxis*>(plot->GetXAxis(0)), static_cast<TiPlotAxis*>(plot->GetYAxis(0))})
      a->SetMinSpan(-100, 120);
    curve = static_cast<TiXYPlotChannel*>(plot->GetChannel(0));
    dot = static_cast<TiXYPlotChannel*>(plot->GetChannel(1));
    SetUpAsProgramChannels(curve, dot);
  }
  // Rewrites both curves as the program does and paints the plot.
  void Show(std::vector<std::pair<double, double>> Curve, std::pair<double, double> Dot, const char* Name) {
    curve->DeletePoints(curve->GetCount());
    dot->DeletePoints(dot->GetCount());
    for (const auto& [x, y] : Curve) curve->AddXY(x, y);
    dot->AddXY(Dot.first, Dot.second);
    bitmap = std::make_unique<TBitmap>(plot->GetWidth(), plot->GetHeight());
    plot->iPaintToCanvas(bitmap->GetCanvas());
    std::filesystem::create_directories("/tmp/hchan");
    plot->SaveImageToPNG(std::string("/tmp/hchan/") + Name + ".png", 6);
  }
  TColor At(double X, double Y) {
    return bitmap->GetCanvas()->GetPixels(plot->GetXAxis(0)->PositionToPixels(X),
                                          plot->GetYAxis(0)->PositionToPixels(Y));
  }
  // Colour within a pixel of the value's place (lines round to either side).
  bool Near(double X, double Y, TColor Colour) {
    const int px = plot->GetXAxis(0)->PositionToPixels(X), py = plot->GetYAxis(0)->PositionToPixels(Y);
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx)
        if (bitmap->GetCanvas()->GetPixels(px + dx, py + dy) == Colour) return true;
    return false;
  }

  std::unique_ptr<TiXYPlot> plot;
  TiXYPlotChannel* curve = nullptr;
  TiXYPlotChannel* dot = nullptr;
  std::unique_ptr<TBitmap> bitmap;
};

TEST_F(PlotXYChannelInPlotTest, CompressorCurves) {
  struct {
    double Threshold, Ratio;
  } settings[] = {{-40, 4}, {-20, 2}, {-60, 10}};
  for (const auto& s : settings) {
    const double top = s.Threshold + (20 - s.Threshold) / s.Ratio;
    Show({{20, top}, {s.Threshold, s.Threshold}, {-100, -100}}, {s.Threshold, s.Threshold}, "compressor");
    EXPECT_TRUE(curve->GetCanDraw());
    EXPECT_EQ(At(s.Threshold, s.Threshold), clWhite) << s.Threshold;  // the curve on top of the dot
    EXPECT_EQ(At(s.Threshold, s.Threshold - 2), 0x8080FF) << s.Threshold;
    EXPECT_NE(At(s.Threshold, s.Threshold - 6), 0x8080FF) << s.Threshold;
    const double below = s.Threshold - 0.3 * (s.Threshold + 100);
    EXPECT_TRUE(Near(below, below, clWhite)) << s.Threshold;  // one to one below the knee
    const double above = s.Threshold + 0.7 * (20 - s.Threshold);
    EXPECT_TRUE(Near(above, s.Threshold + 0.7 * (top - s.Threshold), clWhite)) << s.Threshold;
    EXPECT_FALSE(Near(above, above, clWhite)) << s.Threshold;
  }
}

TEST_F(PlotXYChannelInPlotTest, GateCurve) {
  // Below the threshold of -50 the gate falls steeply away.
  Show({{20, 20}, {-50, -50}, {-60, -100}}, {-50, -50}, "gate");
  EXPECT_TRUE(Near(-23, -23, clWhite));
  EXPECT_TRUE(Near(-55, -75, clWhite));
  EXPECT_FALSE(Near(-80, -80, clWhite));
  EXPECT_EQ(At(-50, -52), 0x8080FF);
}

}  // namespace
