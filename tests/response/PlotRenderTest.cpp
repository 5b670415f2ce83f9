// A strip plot drawn with PEQ bands, cut filters and markers, looked at as
// the screen shows it.
#include <gtest/gtest.h>

#include "model/CommonConstants.h"
#include "response/Plot.h"
#include "response/PlotScales.h"
#include "tests/response/PlotTestSupport.h"

using namespace response_test;

namespace {

struct StripScene : FormFixture {
  LMyFFTDrawPhase* view;
  std::unique_ptr<Plot> model;
  explicit StripScene(bool shown = true) : FormFixture(1100, 300) {
    view = MakeStripPlot(form.get());
    model = std::make_unique<Plot>(view);
    if (shown) Show();
  }
  // Three PEQ bands, a 24 dB Butterworth high-pass at 80 Hz (two sections
  // summed into slot 10), the total and the markers, band 1 selected.
  void Fill() {
    model->SetBand(0, 6.0, 1000.0, 1.41, PeqTypeToFilterType[0]);
    model->SetBand(1, -8.0, 250.0, 2.0, PeqTypeToFilterType[0]);
    model->SetBand(2, 4.0, 8000.0, 0.7, PeqTypeToFilterType[2]);
    const auto& bw4 = ButterworthSectionTable[3];
    model->SetCrossoverBand(13, 0, 80, 0.05, 15, bw4.SecondOrderP0[0], 0);
    model->SetCrossoverBand(14, 0, 80, 0.05, 15, bw4.SecondOrderP0[1], 0);
    PlotBand* hp = model->GetBand(10);
    hp->Frequency = 80;
    for (int i = 0; i < ResponsePoints; ++i)
      hp->Response[i] = model->GetBand(13)->Response[i] + model->GetBand(14)->Response[i];
    model->DrawSum(0);
    for (int slot = 0; slot < 3; ++slot)
      model->DrawBand(slot, static_cast<float>(model->GetBand(slot)->Gain), 1);
    model->DrawBand(10, 0.0f, 3);
    model->DrawBandParam(0, 0, 6.0f, 1.41f, true);
    view->UpdateCurvePage();
    Settle();
  }
  // Pixel of the plot page on the screen at curve point x and level y.
  QPoint At(double x, double y) const {
    const TRect r = view->GetPlotPage()->ScreenRect;
    return QPoint(r.Left + TruncPixel(view->ScreenX(x)), r.Top + TruncPixel(view->ScreenY(y)));
  }
};

}  // namespace

TEST(PlotRender, StripWithBandsCutFilterAndMarkers) {
  StripScene s;
  s.Fill();
  const QImage shot = Shot(s.view);
  shot.save("/tmp/response-strip.png");
  // The total passes where its values say, away from the markers: a pixel
  // of the strip colour within two rows of it at 3 kHz and at 60 Hz.
  for (int point : {3042, 1991}) {
    const double total = s.model->GetBand(12)->Response[point];
    const QPoint p = s.At(point, total);
    bool found = false;
    for (int dy = -2; dy <= 2; ++dy)
      for (int dx = -1; dx <= 1; ++dx)
        found |= Pixel(shot, p.x() + dx, p.y() + dy) == static_cast<int>(StripCurveColor(0));
    EXPECT_TRUE(found) << "curve missing near " << p.x() << "," << p.y();
  }
  // Background stays the control's colour far from everything.
  const TRect r = s.view->GetPlotPage()->ScreenRect;
  EXPECT_EQ(Pixel(shot, r.Left + 3, r.Top + 30), 0);
}

TEST(PlotRender, APlotNobodySeesHoldsNoPagesAndShowsTheSamePictureOnceShown) {
  StripScene seen;
  seen.Fill();
  StripScene unseen(false);
  unseen.Fill();
  EXPECT_FALSE(unseen.view->GetPagesLive());
  EXPECT_EQ(unseen.view->GetComposedPlotPage()->GetWidth(), 0);
  // Geometry stays known: markers are placed while hidden.
  EXPECT_EQ(unseen.view->GetPlotWidth(), seen.view->GetPlotWidth());
  EXPECT_EQ(unseen.view->GetBlockPos(0), seen.view->GetBlockPos(0));
  unseen.Show();
  const QImage a = Shot(seen.view), b = Shot(unseen.view);
  EXPECT_EQ(a, b);
  EXPECT_TRUE(unseen.view->GetPagesLive());

  // Hidden again, the pages go; drawing meanwhile waits for the next showing.
  unseen.form->Hide();
  Settle();
  EXPECT_FALSE(unseen.view->GetPagesLive());
  unseen.model->SetBand(1, 3.0, 500.0, 1.0, PeqTypeToFilterType[0]);
  unseen.model->DrawSum(0);
  EXPECT_FALSE(unseen.view->GetPagesLive());
  seen.model->SetBand(1, 3.0, 500.0, 1.0, PeqTypeToFilterType[0]);
  seen.model->DrawSum(0);
  seen.view->UpdateCurvePage();
  unseen.Show();
  EXPECT_EQ(Shot(seen.view), Shot(unseen.view));
}

TEST(PlotRender, PhaseViewAndParameterCaptions) {
  StripScene s;
  // The phase view as the strips switch to it.
  s.view->SetAutoRedraw(false);
  s.view->SetYLabelScale(10);
  s.view->SetNumHorzGrid(7);
  s.view->SetYLabel("");
  s.view->SetAutoRedraw(true);
  s.model->SetPhaseMode(true);
  s.model->SetBand(0, 6.0, 1000.0, 1.41, PeqTypeToFilterType[0]);
  s.model->SetBand(1, 0.0, 300.0, 0.707, PeqTypeToFilterType[4]);
  s.model->SetBand(2, 0.0, 6000.0, 2.0, PeqTypeToFilterType[6]);
  s.model->DrawSum(9);
  for (int slot = 0; slot < 3; ++slot) {
    s.model->DrawBand(slot, 0.0f, 1);
  }
  s.view->SetParameterDisplay(true);
  s.model->DrawBandParam(0, 0, 6.0f, 1.41f, true);
  s.view->UpdateCurvePage();
  Settle();
  const QImage shot = Shot(s.view);
  shot.save("/tmp/response-phase.png");
  // The two bands not under the stored caption carry white captions.
  const QImage page = s.view->GetComposedPlotPage()->GetImage().convertToFormat(QImage::Format_RGB32);
  for (int slot : {1, 2}) {
    const TPoint at = s.view->GetBlockPos(slot);
    int white = 0;
    for (int y = at.Y - 70; y < at.Y - 30; ++y)
      for (int x = at.X - 20; x < at.X + 40; ++x)
        if (x >= 0 && y >= 0 && x < page.width() && y < page.height()) {
          const int p = Pixel(page, x, y);
          white += (p & 0xFF) > 200 && ((p >> 8) & 0xFF) > 200 && ((p >> 16) & 0xFF) > 200;
        }
    EXPECT_GT(white, 10) << slot;
  }
  s.view->DrawLine(2624.94, clBlue, true);
  s.view->UpdateCurvePage();
  // A broken red line down the column of 1 kHz.
  const QImage lined = s.view->GetComposedPlotPage()->GetImage().convertToFormat(QImage::Format_RGB32);
  int red = 0;
  for (int y = 0; y < lined.height(); ++y)
    red += Pixel(lined, TruncPixel(s.view->ScreenX(2624.94)), y) == clRed;
  EXPECT_GT(red, lined.height() / 4);
  EXPECT_LT(red, lined.height());
}

// A text item in its own face (the strips' "BYPASS" caption, set and removed
// at start-up) leaves the band numbers, cut labels and captions in the
// plot's face: the plot draws exactly as one that never had it.
TEST(PlotRender, TextItemKeepsItsFaceToItself) {
  StripScene plain;
  StripScene captioned;
  captioned.view->DrawTextA(100, 40, 60, clBtnFace, "Times New Roman", "BYPASS");
  captioned.view->DrawTextA(100, 40, 60, clBtnFace, "Times New Roman", "");
  plain.Fill();
  captioned.Fill();
  const QImage a = plain.view->GetComposedPlotPage()->GetImage().convertToFormat(QImage::Format_RGB32);
  const QImage b = captioned.view->GetComposedPlotPage()->GetImage().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(a.size(), b.size());
  EXPECT_TRUE(a == b);
}
