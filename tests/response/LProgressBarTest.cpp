#include <gtest/gtest.h>

#include "response/LProgressBar.h"
#include "tests/response/ResponseTestSupport.h"

using namespace response_test;

namespace {

struct Meter : FormFixture {
  LProgressBar* bar;
  Meter() {
    bar = new LProgressBar(form.get());
    bar->SetParent(form.get());
    bar->SetBounds(10, 10, 14, 132);
  }
  // Brush colours from the top.
  std::vector<TColor> Colours() const {
    std::vector<TColor> out;
    for (int k = 0; k < bar->GetSegmentCount(); ++k)
      out.push_back(bar->GetSegment(k)->GetBrush()->GetColor());
    return out;
  }
  void MakeInputMeter() {
    bar->SetSecondNum(2);
    bar->SetThirdNum(6);
    bar->SetMax(9);
  }
};

constexpr TColor R = 0x000080, Y = 0x008080, G = 0x008000, LR = 0x0000FF, LY = 0x00FFFF, LG = 0x00FF00;

}  // namespace

TEST(LProgressBar, DefaultsAndSegmentsByName) {
  Meter m;
  EXPECT_EQ(m.bar->GetWidth(), 14);
  EXPECT_EQ(m.bar->GetHeight(), 132);
  EXPECT_EQ(m.bar->GetColor(), clBlack);
  EXPECT_EQ(m.bar->GetMax(), 100);
  EXPECT_EQ(m.bar->GetSegmentCount(), 5);
  EXPECT_EQ(m.Colours(), (std::vector<TColor>{R, Y, G, G, G}));
  for (int k = 0; k < 5; ++k)
    EXPECT_EQ(m.bar->FindComponent("shape" + std::to_string(k + 1)), m.bar->GetSegment(k));
}

TEST(LProgressBar, LitSegmentsTable) {
  const struct {
    int position, max, count, lit;
  } table[] = {
      {4, 9, 9, 4},
      {9, 9, 9, 9},
      {0, 9, 9, 0},
      {8, 8, 8, 8},
      {1, 1, 1, 1},
      {0, 1, 1, 0},
      {50, 100, 5, 2},
      {99, 100, 5, 4},
      {100, 100, 5, 5},
      // A max of 0 never divides: at or above it everything is lit.
      {0, 0, 9, 9},
      {-1, 0, 9, 0},
      {3, 9, 0, 0},
  };
  for (const auto& row : table)
    EXPECT_EQ(LitSegmentCount(row.position, row.max, row.count), row.lit)
        << row.position << "/" << row.max << " of " << row.count;
}

TEST(LProgressBar, InputMeterPositions) {
  Meter m;
  m.MakeInputMeter();
  ASSERT_EQ(m.bar->GetSegmentCount(), 9);
  m.bar->SetPosition(4);
  EXPECT_EQ(m.Colours(), (std::vector<TColor>{R, Y, Y, G, G, LG, LG, LG, LG}));
  m.bar->SetPosition(9);
  EXPECT_EQ(m.Colours(), (std::vector<TColor>{LR, LY, LY, LG, LG, LG, LG, LG, LG}));
  m.bar->SetPosition(12);
  EXPECT_EQ(m.bar->GetPosition(), 9);
  m.bar->SetPosition(-5);
  EXPECT_EQ(m.bar->GetPosition(), 0);
  EXPECT_EQ(m.Colours(), (std::vector<TColor>{R, Y, Y, G, G, G, G, G, G}));
}

TEST(LProgressBar, SamePositionDoesNothingEvenAfterRepaint) {
  Meter m;
  m.MakeInputMeter();
  m.bar->SetPosition(4);
  m.bar->SetThirdColor(0x123456);  // repaints the whole third group unlit
  m.bar->SetPosition(4);
  EXPECT_EQ(m.bar->GetSegment(8)->GetBrush()->GetColor(), 0x123456);
}

TEST(LProgressBar, LimitLamp) {
  Meter m;
  m.bar->SetFirstNum(0);
  m.bar->SetThirdNum(0);
  m.bar->SetMax(1);
  m.bar->SetSecondColor(20123);
  m.bar->SetLSecondColor(4629503);
  ASSERT_EQ(m.bar->GetSegmentCount(), 1);
  m.bar->SetPosition(1);
  EXPECT_EQ(m.Colours(), std::vector<TColor>{4629503});
  m.bar->SetPosition(0);
  EXPECT_EQ(m.Colours(), std::vector<TColor>{20123});
}

TEST(LProgressBar, SegmentGeometry) {
  const int tops[] = {-1, 13, 28, 43, 57, 72, 87, 101, 116};
  for (int k = 0; k < 9; ++k) {
    EXPECT_EQ(MeterSegmentRect(k, 9, 132).Top, tops[k]) << k;
    EXPECT_EQ(MeterSegmentRect(k, 9, 132).Height, 16);
  }
  Meter m;
  m.MakeInputMeter();
  for (int k = 0; k < 9; ++k) {
    EXPECT_EQ(m.bar->GetSegment(k)->GetTop(), tops[k]);
    EXPECT_EQ(m.bar->GetSegment(k)->GetWidth(), 14);
  }
  // A new size lays the segments out again.
  m.bar->SetBounds(10, 10, 20, 90);
  EXPECT_EQ(m.bar->GetSegment(8)->GetTop(), MeterSegmentRect(8, 9, 90).Top);
  EXPECT_EQ(m.bar->GetSegment(8)->GetWidth(), 20);
}

TEST(LProgressBar, GroupResizeRenumbers) {
  Meter m;
  m.bar->SetSecondNum(3);
  ASSERT_EQ(m.bar->GetSegmentCount(), 7);
  EXPECT_EQ(m.Colours(), (std::vector<TColor>{R, Y, Y, Y, G, G, G}));
  for (int k = 0; k < 7; ++k)
    EXPECT_EQ(m.bar->FindComponent("shape" + std::to_string(k + 1)), m.bar->GetSegment(k));
  m.bar->SetSecondNum(1);
  ASSERT_EQ(m.bar->GetSegmentCount(), 5);
  EXPECT_EQ(m.bar->FindComponent("shape6"), nullptr);
  EXPECT_EQ(m.Colours(), (std::vector<TColor>{R, Y, G, G, G}));
}

TEST(LProgressBar, LitColourChangeRepaintsOnlyLitSegments) {
  Meter m;
  m.MakeInputMeter();
  m.bar->SetPosition(7);
  m.bar->SetLThirdColor(0x00AA00);
  EXPECT_EQ(m.Colours(),
            (std::vector<TColor>{R, Y, LY, 0x00AA00, 0x00AA00, 0x00AA00, 0x00AA00, 0x00AA00, 0x00AA00}));
  m.bar->SetPosition(0);
  EXPECT_EQ(m.Colours(), (std::vector<TColor>{R, Y, Y, G, G, G, G, G, G}));
}

TEST(LProgressBar, RendersSegments) {
  Meter m;
  m.MakeInputMeter();
  m.bar->SetPosition(6);
  m.Show();
  const QImage img = Shot(m.bar);
  img.scaled(img.width() * 4, img.height() * 4).save("/tmp/response-meter.png");
  // The middle of the bottom segment is lit green, the top one dark red.
  EXPECT_EQ(Pixel(img, 7, 124), LG);
  EXPECT_EQ(Pixel(img, 7, 6), R);
}
