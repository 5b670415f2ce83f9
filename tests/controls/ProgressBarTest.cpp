// The progress bar: what SetPosition and SetMax store and when they paint,
// the blocks and their level colours, and the rendered bar at 0, 50 and 100
// percent.

#include <gtest/gtest.h>

#include <QImage>

#include <climits>
#include <string>
#include <vector>

#include "controls/AdvProgressBar.h"
#include "tests/platform/classlib/ClassLibTestSupport.h"

using namespace classlib_test;

namespace {

TGaugeSettings Defaults(int percent) {
  TGaugeSettings s{};
  s.Level0Color = clLime;
  s.Level0ColorTo = RGB(225, 255, 225);
  s.Level1Color = clYellow;
  s.Level1ColorTo = RGB(255, 255, 202);
  s.Level2Color = 5483007;
  s.Level2ColorTo = 11064319;
  s.Level3Color = clRed;
  s.Level3ColorTo = 13290239;
  s.Level1Perc = 70;
  s.Level2Perc = 90;
  s.Steps = 8;
  s.ShowGradient = true;
  s.Position = percent;
  s.Orientation = goHorizontal;
  return s;
}

TEST(ProgressBarBlocks, BlocksSitOnANinePixelPitch) {
  // L = width - 2, F = L * p / 100 rounded.
  struct Case {
    int percent;
    std::vector<std::pair<int, int>> blocks;  // left, right
  } cases[] = {
      {1, {}},                             // F = 1: nothing
      {4, {{2, 5}}},                       // F = 4
      {9, {{2, 10}}},                      // F = 9: one block to Left + 10
      {10, {{2, 9}}},                      // F = 10: one block, no remainder
      {23, {{2, 9}, {11, 18}, {20, 24}}},  // F = 23: two blocks and a 4-wide rest
  };
  for (const Case& c : cases) {
    std::vector<TGaugeBlock> got = GaugeBlocks(Rect(0, 0, 102, 20), Defaults(c.percent));
    ASSERT_EQ(got.size(), c.blocks.size()) << c.percent;
    for (size_t i = 0; i < got.size(); ++i) {
      EXPECT_EQ(got[i].Rect.Left, c.blocks[i].first) << c.percent << " block " << i;
      EXPECT_EQ(got[i].Rect.Right, c.blocks[i].second) << c.percent << " block " << i;
      EXPECT_EQ(got[i].Rect.Top, 2);
      EXPECT_EQ(got[i].Rect.Bottom, 18);
    }
  }
}

TEST(ProgressBarBlocks, LevelColoursFollowThePercentage) {
  struct Case {
    int percent;
    TColor color;
  } cases[] = {{50, clLime},  {69, clLime},  {70, clYellow}, {89, clYellow},
               {90, 5483007}, {99, 5483007}, {100, clRed}};
  for (const Case& c : cases) {
    auto blocks = GaugeBlocks(Rect(0, 0, 431, 41), Defaults(c.percent));
    ASSERT_FALSE(blocks.empty());
    EXPECT_EQ(blocks.back().Color, c.color) << c.percent;
  }
}

TEST(ProgressBarValue, SetPositionClampsWithoutPaintingAndSetMaxSetsTheStep) {
  FormStage stage;
  auto* bar = stage.Add<TAdvProgressBar>(12, 14, 431, 41);
  stage.form->Show();
  DrainEvents();
  bar->SetMax(200);
  EXPECT_EQ(bar->GetStepSize(), 2);
  bar->SetPosition(100);
  EXPECT_EQ(bar->GetPercent(), 50);
  bar->SetPosition(140);
  EXPECT_EQ(bar->GetPercent(), 70);
  const int painted = bar->GetPaintCount();
  bar->SetPosition(500);  // above Max: stores Max, no paint
  EXPECT_EQ(bar->GetPosition(), 200);
  bar->SetPosition(-5);  // below Min: stores Min, no paint
  EXPECT_EQ(bar->GetPosition(), 0);
  EXPECT_EQ(bar->GetPaintCount(), painted);
  // ...but the bar is repainted later, not left showing the old value.
  stage.form->GetWidget()->grab();
  EXPECT_GT(bar->GetPaintCount(), painted);
  const int later = bar->GetPaintCount();
  bar->SetPosition(101);  // a new percentage paints at once
  EXPECT_GT(bar->GetPaintCount(), later);
  // SetMax does not clamp; the bar then shows at most 100%.
  bar->SetPosition(200);
  bar->SetMax(100);
  EXPECT_EQ(bar->GetPosition(), 200);
  EXPECT_EQ(bar->GetPercent(), 100);
  EXPECT_EQ(GaugePercent(0, 0, 0), 0);
  // Ranges whose width or percentage does not fit an int.
  EXPECT_EQ(GaugePercent(INT_MAX, INT_MIN, INT_MAX), 100);
  EXPECT_EQ(GaugePercent(0, INT_MIN, INT_MAX), 50);
  EXPECT_EQ(GaugePercent(INT_MAX, 0, 1), 100);
  bar->SetMin(INT_MIN);
  bar->SetMax(INT_MAX);
  EXPECT_EQ(bar->GetStepSize(), 42949672);
}

TEST(ProgressBarLook, RendersTroughBlocksAndCorners) {
  FormStage stage;
  stage.form->SetColor(RGB(0x1E, 0x22, 0x28));
  auto* bar = stage.Add<TAdvProgressBar>(12, 14, 431, 41);
  bar->SetMax(100);
  stage.form->Show();
  struct Case {
    int position;
    QRgb probe;  // the first block's middle line
  } cases[] = {{0, qRgb(255, 255, 255)}, {50, qRgb(0, 255, 0)}, {100, qRgb(255, 0, 0)}};
  for (const Case& c : cases) {
    bar->SetPosition(c.position);
    DrainEvents();
    QImage shot = stage.form->GetWidget()->grab().toImage();
    const QRgb p = shot.pixel(12 + 5, 14 + 20);
    EXPECT_NEAR(qRed(p), qRed(c.probe), 40) << c.position;
    EXPECT_NEAR(qGreen(p), qGreen(c.probe), 40) << c.position;
    EXPECT_NEAR(qBlue(p), qBlue(c.probe), 40) << c.position;
    // The rounded corner shows the form, not the colour key.
    EXPECT_EQ(shot.pixel(12, 14), qRgb(0x1E, 0x22, 0x28)) << c.position;
    if (c.position == 50) shot.save(QString::fromStdString(::testing::TempDir() + "progress50.png"));
  }
}

}  // namespace

namespace {

TEST(ProgressBarText, PercentageRawValueOrFormat) {
  TGaugeSettings s = Defaults(50);
  s.Value = 100;
  s.Max = 200;
  s.ShowPercentage = true;
  EXPECT_EQ(GaugeText(s), "50%");
  s.ShowPercentage = false;
  EXPECT_EQ(GaugeText(s), "100");
  s.Format = "%d of %d (100%%)";
  EXPECT_EQ(GaugeText(s), "100 of 200 (100%)");
  s.Format = "%s %d %d %d";  // placeholders beyond the two values stay as written
  EXPECT_EQ(GaugeText(s), "%s 100 200 %d");
}

TEST(ProgressBarBlocks, StackedZonesAndSmoothFill) {
  TGaugeSettings s = Defaults(95);
  s.Stacked = true;
  auto zones = GaugeBlocks(Rect(0, 0, 102, 20), s);  // L = 100
  ASSERT_EQ(zones.size(), 3u);
  EXPECT_EQ(zones[0].Rect.Right, 70);
  EXPECT_EQ(zones[1].Rect.Right, 90);
  EXPECT_EQ(zones[2].Rect.Right, 95);
  EXPECT_EQ(zones[1].Color, clYellow);
  s = Defaults(40);
  s.CompletionSmooth = true;
  auto smooth = GaugeBlocks(Rect(0, 0, 102, 20), s);
  ASSERT_EQ(smooth.size(), 1u);
  EXPECT_EQ(smooth[0].Rect.Left, 2);
  EXPECT_EQ(smooth[0].Rect.Right, 40);
}

}  // namespace
