// The response plot control: scales, writers, layout, the curve list,
// markers, captions, overlays and the mouse gestures.
#include <gtest/gtest.h>

#include <cstring>

#include "response/LMyFFTDrawHpLp6dB.h"
#include "response/PlotScales.h"
#include "tests/response/PlotTestSupport.h"

using namespace response_test;

namespace {

struct PlotFixture : FormFixture {
  LMyFFTDrawPhase* view;
  PlotFixture(int w = 1070, int h = 255) : FormFixture(1100, 300) {
    view = MakeStripPlot(form.get(), w, h);
    Show();
  }
};

std::vector<double> Flat(int n, double v) {
  return std::vector<double>(static_cast<std::size_t>(n), v);
}

bool SameImage(const QImage& a, const QImage& b) {
  return a.size() == b.size() &&
         std::memcmp(a.constBits(), b.constBits(), static_cast<std::size_t>(a.sizeInBytes())) == 0;
}

}  // namespace

TEST(PlotScales, PixelTruncationAndAxisMapping) {
  EXPECT_EQ(TruncPixel(3.9), 3);
  EXPECT_EQ(TruncPixel(-3.9), -3);
  EXPECT_EQ(TruncPixel(std::nan("")), 0);
  EXPECT_GT(TruncPixel(1e300), 1 << 20);
  EXPECT_LT(TruncPixel(-HUGE_VAL), -(1 << 20));
  const struct { double hz, x; } table[] = {{10, 874.98}, {1000, 2624.94}, {20000, 3763.32}};
  for (const auto& row : table) EXPECT_NEAR(FrequencyToAxisX(row.hz, n4096, n96000), row.x, 0.005);
  EXPECT_NEAR(AxisXToFrequency(966, n4096, n96000), 12.7, 0.05);
  EXPECT_NEAR(AxisXToFrequency(3840, n4096, n96000), 24470, 10);
  EXPECT_EQ(AxisTopFrequency(n192000), 72000);
  EXPECT_EQ(AxisPointCount(n1024), 1024);
}

TEST(PlotScales, LabelAndCaptionTexts) {
  const char* freq[10] = {"20Hz", "100Hz", "1KHz",  "10KHz", "20KHz",
                          "50Hz", "200Hz", "500Hz", "2KHz",  "5KHz"};
  for (int i = 0; i < 10; ++i)
    EXPECT_EQ(FrequencyLabelText(std::pow(10.0, FrequencyLabelLogs[i]), sffGeneral, 4, 4), freq[i]);
  EXPECT_EQ(FormatPlotNumber(18, sffGeneral, 5, 4), "18");
  EXPECT_EQ(FormatPlotNumber(-6, sffGeneral, 5, 4), "-6");
  EXPECT_EQ(FormatPlotNumber(-18 + 6 * 3.0, sffGeneral, 5, 4), "0");
  EXPECT_EQ(CaptionQText(1.41), "Q:1.41");
  EXPECT_EQ(CaptionFrequencyText(999.9f), "999.9Hz");
  EXPECT_EQ(CaptionFrequencyText(1000.0f), "1.00KHz");
  EXPECT_EQ(CaptionFrequencyText(250.0f), "250.0Hz");
  EXPECT_EQ(CaptionGainText(6.0), " 6.0dB");  // "%4.1f" pads to four places
  EXPECT_EQ(CaptionGainText(-12.5), "-12.5dB");
  int tops[3];
  ASSERT_EQ(CaptionLineTops(clQ | clFrequency | clGain, 6.0, tops), 3);
  EXPECT_EQ((std::vector<int>(tops, tops + 3)), (std::vector<int>{20, 33, 46}));
  ASSERT_EQ(CaptionLineTops(clQ | clFrequency, -3.0, tops), 2);
  EXPECT_EQ((std::vector<int>(tops, tops + 2)), (std::vector<int>{-69, -56}));
  ASSERT_EQ(CaptionLineTops(clFrequency, 0.0, tops), 1);
  EXPECT_EQ(tops[0], -43);
  EXPECT_EQ(CaptionLineTops(0, 1.0, tops), 0);
}

TEST(PlotScales, CaptionSplitOfBothControls) {
  const unsigned all = clQ | clFrequency | clGain, qf = clQ | clFrequency, f = clFrequency;
  const struct {
    int code;
    unsigned phaseDrawn, phaseRepaint, twin;
  } table[] = {
      {-1, all, all, all}, {0, all, all, all}, {2, all, all, all}, {3, qf, qf, f}, {4, qf, qf, qf},
      {5, f, f, f},        {6, qf, qf, qf},    {7, 0, qf, f},      {8, 0, qf, qf}, {9, 0, qf, qf},
      {10, f, f, qf},      {11, f, f, qf},     {12, 0, qf, qf},
  };
  for (const auto& row : table) {
    EXPECT_EQ(PhasePlotCaptionLines(row.code, false), row.phaseDrawn) << row.code;
    EXPECT_EQ(PhasePlotCaptionLines(row.code, true), row.phaseRepaint) << row.code;
    EXPECT_EQ(TwinPlotCaptionLines(row.code), row.twin) << row.code;
  }
}

TEST(PlotControl, NewControlHasNoLayoutUntilPainted) {
  FormFixture f;
  auto* p = new LMyFFTDrawPhase(f.form.get());
  EXPECT_EQ(p->GetWidth(), 500);
  EXPECT_EQ(p->GetHeight(), 250);
  EXPECT_EQ(p->GetPlotWidth(), 0);
  EXPECT_EQ(p->GetPlotList().Head(), nullptr);
  EXPECT_EQ(p->GetAxisStyle(), CenteredBox);
  EXPECT_EQ(p->GetNumHorzGrid(), 11);
  p->SetParent(f.form.get());
  f.Show();
  EXPECT_GT(p->GetPlotWidth(), 0);
  // The first paint drew the grid: the frame in the axis colour.
  const TRect r = p->GetPlotPage()->ScreenRect;
  EXPECT_EQ(Pixel(Shot(p), r.Left, r.Top + 5), 0x8C00);
}

TEST(PlotControl, StripLayoutAndValueToPixel) {
  PlotFixture f;
  LMyFFTDrawPhase* p = f.view;
  const TRect r = p->GetPlotPage()->ScreenRect;
  // The origin comes from the fonts of this machine: top 10, right edge
  // 10 pixels in, a label column on the left and label rows below.
  EXPECT_EQ(r.Top, 10);
  EXPECT_EQ(r.Right, 1060);
  EXPECT_GT(r.Left, 10);
  EXPECT_LT(r.Bottom, 255);
  EXPECT_EQ(p->GetXLabelPage()->ScreenRect.Top, r.Bottom);
  EXPECT_EQ(p->GetYLabelPage()->ScreenRect.Right, r.Left);
  EXPECT_EQ(p->ScreenX(966), 0.0);
  EXPECT_DOUBLE_EQ(p->ScreenX(3840), p->GetPlotWidth());
  EXPECT_DOUBLE_EQ(p->ScreenY(0), p->GetPlotHeight() / 2.0);
  EXPECT_DOUBLE_EQ(p->PlotX(r.Left), 966);
  EXPECT_DOUBLE_EQ(p->PlotY(r.Bottom), -18);
  // The marker of a 1 kHz, +6 dB band, in plot-page pixels.
  p->DrawBlock(6.0, 2624.94, clRed, 0, false, 1);
  EXPECT_EQ(p->GetBlockPos(0), TPoint(TruncPixel(p->ScreenX(2624.94)), TruncPixel(p->ScreenY(6.0))));
  // Markers follow a new size.
  p->SetBounds(8, 8, 600, 200);
  Settle();
  p->Repaint();
  EXPECT_EQ(p->GetBlockPos(0).X, TruncPixel(p->ScreenX(2624.94)));
  EXPECT_LT(p->GetPlotWidth(), 600);
}

TEST(PlotControl, TooSmallControlSwitchesLabelsOff) {
  PlotFixture f(400, 20);
  f.view->Repaint();
  EXPECT_FALSE(f.view->GetShowXLabel());
  EXPECT_FALSE(f.view->GetShowXTitle());
  EXPECT_FALSE(f.view->GetShowPlotTitle());
  // Too low even without them: the pages keep their rectangles, no endless loop.
  PlotFixture g(400, 5);
  g.view->Repaint();
  EXPECT_FALSE(g.view->GetShowXLabel());
}

TEST(PlotControl, WritersClampAndFit) {
  PlotFixture f;
  LMyFFTDrawPhase* p = f.view;
  p->SetPointSize(0);
  EXPECT_EQ(p->GetPointSize(), 1);
  p->SetPointSize(25);
  EXPECT_EQ(p->GetPointSize(), 10);
  p->SetHorzTickLength(5000);
  EXPECT_EQ(p->GetHorzTickLength(), 1070);
  p->SetVertTickLength(5000);
  EXPECT_EQ(p->GetVertTickLength(), 255);
  p->SetNumHorzGrid(-3);
  EXPECT_EQ(p->GetNumHorzGrid(), 0);
  p->SetShowYLabel(false);
  p->SetXLabelPrecision(6);
  EXPECT_TRUE(p->GetShowXLabel());

  // Auto-scaling: no curves give -1..1; a flat curve at 3 gives 3..4 on a
  // linear axis and 3..30 on a log one.
  p->SetYAutoScale(true);
  EXPECT_EQ(p->GetYMin(), -1.0);
  EXPECT_EQ(p->GetYMax(), 1.0);
  const auto three = Flat(10, 3.0);
  p->FFTDraw(three.data(), 10, 1, clLime, 0);
  EXPECT_EQ(p->GetYMin(), 3.0);
  EXPECT_EQ(p->GetYMax(), 4.0);
  p->SetYAxisFormat(Log);
  EXPECT_EQ(p->GetYMax(), 30.0);

  // Log with auto-scaling off and a negative top.
  p->SetYAutoScale(false);
  p->SetYAxisFormat(Linear);
  p->SetYMax(-5);
  p->SetYAxisFormat(Log);
  EXPECT_EQ(p->GetYMax(), 10.0);
  EXPECT_EQ(p->GetYMin(), 1.0);
  p->SetYMin(0);
  EXPECT_DOUBLE_EQ(p->GetYMin(), 0.1);
}

TEST(PlotControl, CurveListByIdAndOrder) {
  PlotFixture f;
  LMyFFTDrawPhase* p = f.view;
  const auto y = Flat(5, 1.0);
  EXPECT_FALSE(p->FFTDraw(y.data(), 5, 10.0, 50.0, 1, clRed, 0));
  double x[5];
  ASSERT_TRUE(p->GetPlotX(x, 1));
  EXPECT_EQ((std::vector<double>(x, x + 5)), (std::vector<double>{10, 20, 30, 40, 50}));
  EXPECT_FALSE(p->FFTDraw(y.data(), 5, 2, clLime, 0));
  EXPECT_FALSE(p->FFTDraw(y.data(), 5, 3, clBlue, 0));
  // Replacing keeps colour, style and place.
  EXPECT_TRUE(p->FFTDraw(y.data(), 3, 2, clYellow, 4));
  TColor c = 0;
  ASSERT_TRUE(p->GetPlotColor(c, 2));
  EXPECT_EQ(c, clLime);
  int n = 0;
  ASSERT_TRUE(p->GetPlotNumPoints(n, 2));
  EXPECT_EQ(n, 3);
  std::vector<int> order;
  for (auto* m = p->GetPlotList().Head(); m; m = m->Next.get()) order.push_back(m->PlotId);
  EXPECT_EQ(order, (std::vector<int>{3, 2, 1}));
  // A copy holds the curves in reverse order and keeps FFTNuimber, not SampleRate.
  LMyFFTDrawPhase copy(*p);
  order.clear();
  for (auto* m = copy.GetPlotList().Head(); m; m = m->Next.get()) order.push_back(m->PlotId);
  EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(copy.GetSampleRate(), n48000);
  EXPECT_EQ(copy.GetFFTNuimber(), n4096);
  // Removing.
  EXPECT_FALSE(p->RemovePlot(99));
  EXPECT_TRUE(p->RemovePlot(3));
  EXPECT_TRUE(p->RemovePlot(2));
  EXPECT_TRUE(p->RemovePlot(1));
  EXPECT_EQ(p->GetPlotList().Head(), nullptr);
  // Empty or missing data is refused.
  EXPECT_FALSE(p->FFTDraw(nullptr, 5, 7, clRed, 0));
  EXPECT_FALSE(p->FFTDraw(y.data(), 0, 7, clRed, 0));
  EXPECT_FALSE(p->GetPlotColor(c, 7));
  // Single-point spacing does not divide by zero.
  p->FFTDraw(y.data(), 1, 10.0, 50.0, 8, clRed, 0);
  ASSERT_TRUE(p->GetPlotX(x, 8));
  EXPECT_EQ(x[0], 10.0);
}

TEST(PlotControl, MarkersHiddenAndOutOfRange) {
  PlotFixture f;
  LMyFFTDrawPhase* p = f.view;
  p->DrawBlock(0.0, 2624.94, clRed, 3, true, 1);
  p->UpdateCurvePage();
  const QImage page = p->GetComposedPlotPage()->GetImage().convertToFormat(QImage::Format_RGB32);
  const TPoint at = p->GetBlockPos(3);
  for (int dx = -3; dx <= 3; ++dx) EXPECT_NE(Pixel(page, at.X + dx, at.Y), clRed);
  p->DrawBlock(0.0, 2624.94, clRed, 3, false, 1);
  p->UpdateCurvePage();
  const QImage shown = p->GetComposedPlotPage()->GetImage().convertToFormat(QImage::Format_RGB32);
  int red = 0;
  for (int dx = -4; dx <= 4; ++dx)
    for (int dy = -4; dy <= 4; ++dy) red += Pixel(shown, at.X + dx, at.Y + dy) == clRed;
  EXPECT_GT(red, 5);
  // Indexes outside 0..49 are ignored.
  p->DrawBlock(1.0, 2000, clRed, 50, false, 1);
  p->DrawBlock(1.0, 2000, clRed, -1, false, 1);
  EXPECT_EQ(p->GetBlockPos(50), TPoint());
  EXPECT_EQ(p->SetBlockParameter(77, 1, 2, 3, 4), 77);
}

TEST(PlotControl, OverlaysDoNotDependOnUpdateCount) {
  PlotFixture f;
  LMyFFTDrawPhase* p = f.view;
  std::vector<double> bump(ResponsePoints);
  for (int i = 0; i < ResponsePoints; ++i) bump[i] = 6.0 * std::exp(-std::pow((i - 2625) / 150.0, 2));
  p->FFTDraw(bump.data(), ResponsePoints, 12, 0x0000FF, 0);
  p->DrawBlock(6.0, 2624.94, clYellow, 0, false, 1);
  p->DrawParam(0, 6.0, 2624.94, 1000.0f, 1.41, clYellow);
  p->DrawCurveFill(0, bump.data(), ResponsePoints);
  p->SetCurveDisplay(true);
  p->DrawTextA(20, 20, 10, clWhite, "Tahoma", "BYPASS");
  p->UpdateCurvePage();
  const QImage once = p->GetComposedPlotPage()->GetImage().copy();
  for (int i = 0; i < 5; ++i) p->UpdateCurvePage();
  EXPECT_TRUE(SameImage(once, p->GetComposedPlotPage()->GetImage()));
  // The fill is translucent grey over black under the bump, left alone far away.
  const int x = TruncPixel(p->ScreenX(2625));
  const int yIn = TruncPixel(p->ScreenY(2.0));
  const QImage rgb = once.convertToFormat(QImage::Format_RGB32);
  const int in = Pixel(rgb, x + 30, yIn);
  EXPECT_GT(in & 0xFF, 0);
  EXPECT_LT(in & 0xFF, 40);
  EXPECT_EQ(Pixel(rgb, 5, TruncPixel(p->ScreenY(10.5))), 0);
  Shot(p).save("/tmp/response-overlays.png");
  // An empty text leaves no text on the rebuilt page.
  p->DrawTextA(20, 20, 10, clWhite, "Tahoma", "");
  p->DrawAllPlots();
  p->UpdateCurvePage();
  EXPECT_FALSE(SameImage(once, p->GetComposedPlotPage()->GetImage()));
}

TEST(PlotControl, RubberBandLeavesNoTraceAcrossARepaint) {
  PlotFixture f;
  LMyFFTDrawPhase* p = f.view;
  const auto y = Flat(ResponsePoints, 3.0);
  p->FFTDraw(y.data(), ResponsePoints, 12, clLime, 0);
  p->UpdateCurvePage();
  Settle();
  // What the control's surface holds: the pages as copied.
  auto surface = [&] { return p->GetCanvas()->GetImage()->copy(); };
  const QImage before = surface();
  const TShiftState band{ssCtrl, ssLeft};
  p->MouseDown1(mbLeft, band, 400, 120);
  p->MouseMove1(band, 300, 60);
  EXPECT_EQ(p->GetRubberBand(), TRect(300, 60, 400, 120));
  EXPECT_FALSE(SameImage(before, surface()));
  p->Repaint();  // a repaint while the band is up
  Settle();
  // The release erases the band; with AutoRedraw off the zoom redraws
  // nothing, so what is left is the erased picture.
  p->SetAutoRedraw(false);
  p->MouseUp1(mbLeft, band, 300, 60);
  EXPECT_TRUE(SameImage(before, surface()));
  EXPECT_FALSE(p->GetRubberBanding());
}

TEST(PlotControl, PanAndZoomSteps) {
  FormFixture f;
  auto* p = new LMyFFTDrawPhase(f.form.get());
  p->SetParent(f.form.get());
  p->SetXAutoScale(false);
  p->SetYAutoScale(false);
  p->SetXMin(966);
  p->SetXMax(3840);
  f.Show();
  p->GetPlotPage()->SetBounds(0, 0, 1000, 200);
  p->MouseDown1(mbLeft, TShiftState{ssAlt, ssLeft}, 100, 100);
  p->MouseMove1(TShiftState{ssAlt, ssLeft}, 110, 100);
  EXPECT_NEAR(p->GetXMin(), 994.74, 1e-9);
  EXPECT_NEAR(p->GetXMax(), 3811.26, 1e-9);
  p->MouseUp1(mbLeft, TShiftState{}, 110, 100);
  p->GetPlotPage()->SetBounds(0, 0, 1000, 200);
  p->MouseDown1(mbLeft, TShiftState{ssLeft}, 100, 100);
  p->MouseMove1(TShiftState{ssLeft}, 100, 110);
  EXPECT_NEAR(p->GetYMin(), -16.2, 1e-9);
  EXPECT_NEAR(p->GetYMax(), 19.8, 1e-9);
  p->MouseUp1(mbLeft, TShiftState{}, 100, 110);
}

TEST(PlotControl, TwinCopiesOnlyItsOwnKind) {
  FormFixture f;
  auto* twin = new LMyFFTDrawHpLp6dB(f.form.get());
  const auto y = Flat(4, 1.0);
  twin->FFTDraw(y.data(), 4, 5, clRed, 0);
  LMyFFTDrawHpLp6dB copy(*twin);
  EXPECT_NE(copy.GetPlotList().Find(5), nullptr);
  static_assert(!std::is_constructible_v<LMyFFTDrawPhase, const LMyFFTDrawHpLp6dB&>);
}

TEST(PlotControl, FrequencyLabelCountFollowsTheWidth) {
  // Runs of label pixels along the label page, split by blank columns.
  auto labelRuns = [](LMyFFTDrawPhase* p) {
    const QImage img = p->GetXLabelPage()->Bitmap->GetImage().convertToFormat(QImage::Format_RGB32);
    int runs = 0;
    bool inRun = false;
    int blank = 0;
    for (int x = 0; x < img.width(); ++x) {
      bool ink = false;
      for (int y = 0; y < img.height(); ++y) ink |= Pixel(img, x, y) != 0;
      if (ink) {
        if (!inRun) ++runs;
        inRun = true;
        blank = 0;
      } else if (++blank >= 3) {
        inRun = false;
      }
    }
    return runs;
  };
  PlotFixture narrow(799, 255);
  narrow.view->Repaint();
  EXPECT_EQ(labelRuns(narrow.view), 4);
  PlotFixture wide(800, 255);
  wide.view->Repaint();
  EXPECT_GE(labelRuns(wide.view), 8);
}
