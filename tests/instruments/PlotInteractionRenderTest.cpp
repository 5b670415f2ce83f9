// The visible results of interaction rendered whole: a line, a band and a
// poly band with a hint and a zoom box being dragged, and the toolbar's hint
// through a Chinese translation table. Saved as PNGs when TAVO_RENDER_DIR
// names a folder; the pixels are checked either way.

#include <cstdlib>

#include "instruments/plot/iXYPlot.h"
#include "tests/instruments/PlotTestSupport.h"

using namespace instruments_test;
using namespace classlib_test;

namespace {

class PlotInteractionRender : public ::testing::Test {
 protected:
  void SetUp() override {
    plot = stage.Add<TiXYPlot>("plot", 10, 10, 400, 300);
    ShowAndActivate(stage.form);
    FixAxesAt0To100(*plot);
    TiXYPlotChannel* c = plot->GetChannel(0);
    for (int i = 0; i <= 20; ++i) c->AddXY(i * 5, 50 + 30 * ((i % 4) - 1.5) / 1.5);
  }
  std::unique_ptr<TBitmap> Render(const std::string& Name) {
    auto b = std::make_unique<TBitmap>(plot->GetWidth(), plot->GetHeight());
    plot->iPaintToCanvas(b->GetCanvas());
    if (const char* dir = std::getenv("TAVO_RENDER_DIR"))
      plot->SaveImageToPNG(std::string(dir) + "/" + Name, 6);
    return b;
  }
  static TPoint Centre(const TRect& r) { return TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2); }
  TiPlotLimit* Limit(TiPlotLimitStyle Style, TColor Color) {
    TiPlotLimit* l = plot->GetLimit(plot->AddLimit());
    l->SetStyle(Style);
    l->SetColor(Color);
    return l;
  }

  FormStage stage;
  TiXYPlot* plot = nullptr;
};

TEST_F(PlotInteractionRender, LimitsHintAndZoomBox) {
  Limit(iplsLineY, clRed)->SetLine1Position(80);
  TiPlotLimit* band = Limit(iplsBandX, 0x404080);
  band->SetLine1Position(10);
  band->SetLine2Position(25);
  TiPlotLimit* poly = Limit(iplsPolyBandY, 0x406040);
  poly->SetFillStyle(bsBDiagonal);
  poly->AddBandElement(40, 30, 10);
  poly->AddBandElement(60, 45, 20);
  poly->AddBandElement(90, 35, 15);
  Render("o1-plot-interaction-base.png");

  // A zoom box being dragged from the toolbar's zoom-box mode.
  plot->GetToolBar(0)->DoButtonClickZoomBox();
  const TRect view = plot->GetDataView(0)->GetDrawRect();
  const TPoint from(view.Left + 60, view.Top + 40), to(view.Left + 200, view.Top + 150);
  SendMouse(plot, QEvent::MouseButtonPress, from.X, from.Y, Qt::LeftButton, Qt::LeftButton);
  SendMouse(plot, QEvent::MouseMove, to.X, to.Y, Qt::NoButton, Qt::LeftButton);
  // The hint box of the X axis as the timer shows it (set here: a held
  // button keeps hints away).
  TiHintData& hint = plot->GetHintData();
  const TPoint x = Centre(plot->GetXAxis(0)->GetFocusRect());
  hint.Text = "X-Axis 1";
  hint.Left = x.X;
  hint.Top = x.Y - 20;
  hint.Width = 60;
  hint.Height = 18;
  hint.Visible = true;
  auto b = Render("o1-plot-interaction.png");
  const TColor red = ColorToRGB(clRed);
  EXPECT_EQ(b->GetCanvas()->GetPixels(plot->GetXAxis(0)->PositionToPixels(50),
                                      plot->GetYAxis(0)->PositionToPixels(80)),
            red);
  EXPECT_EQ(b->GetCanvas()->GetPixels(x.X + 2, x.Y - 18), ColorToRGB(clInfoBk));
  hint.Visible = false;
  SendMouse(plot, QEvent::MouseButtonRelease, to.X, to.Y, Qt::LeftButton, Qt::NoButton);
  // The box zoomed every axis to it.
  EXPECT_LT(plot->GetXAxis(0)->GetSpan(), 100);
}

TEST_F(PlotInteractionRender, ToolbarHintThroughAChineseTable) {
  plot->AddTranslation("Zoom Box", "缩放框");
  plot->AddTranslation("Resume All (Tracking)", "全部恢复（跟踪）");
  Render("o1-plot-chinese-base.png");
  const TPoint p = Centre(plot->GetToolBar(0)->GetZoomBoxButton()->GetDrawRect());
  Move(plot, p.X, p.Y);
  ASSERT_TRUE(plot->InternalTimerRunning());
  plot->HintTimerTick();
  ASSERT_TRUE(plot->GetHintData().Visible);
  EXPECT_EQ(plot->GetHintData().Text, "缩放框");
  auto b = Render("o1-plot-chinese.png");
  const TiHintData& hint = plot->GetHintData();
  EXPECT_EQ(b->GetCanvas()->GetPixels(hint.Left + 1, hint.Top + 1), ColorToRGB(clInfoBk));
  plot->HideHint();
}

}  // namespace
