// The plot label: the room it asks of the layout and what it draws there.

#include "instruments/plot/iPlotComponent.h"
#include "platform/classlib/ImgList.h"
#include "tests/instruments/PlotTestSupport.h"

using namespace instruments_test;

namespace {

class PlotLabelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    classlib_test::App();
    label = plot.GetLabel(plot.AddLabel());
    label->SetCaption("Gain");
  }
  TiPlotComponent plot{nullptr};
  TiPlotLabel* label = nullptr;
  TBitmap bitmap{200, 100};

  // Pixels of the label's colour inside r.
  int Inked(const TRect& r) {
    int n = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) n += bitmap.GetCanvas()->GetPixels(x, y) == clWhite;
    return n;
  }
  void DrawIn(const TRect& r) {
    bitmap.GetCanvas()->Brush->SetColor(clBlack);
    bitmap.GetCanvas()->FillRect(Rect(0, 0, 200, 100));
    label->SetDrawRect(r);
    label->Draw(bitmap.GetCanvas(), clBlack);
  }
};

TEST_F(PlotLabelTest, DefaultsAndChangeNotices) {
  EXPECT_TRUE(label->GetHorizontal());
  EXPECT_EQ(label->GetFont()->GetName(), "Arial");
  EXPECT_EQ(label->GetFont()->GetSize(), 14);
  EXPECT_EQ(label->GetFont()->GetColor(), clWhite);
  EXPECT_EQ(label->GetAlignment(), iahCenter);
  EXPECT_EQ(label->GetImageListIndex(), -1);
  int changes = 0;
  label->OnChange = [&](TObject*) { ++changes; };
  label->SetCaption("Gain");
  EXPECT_EQ(changes, 0);
  label->SetCaption("Level");
  label->GetFont()->SetColor(clYellow);
  label->SetImage(nullptr);
  EXPECT_EQ(changes, 3);
}

TEST_F(PlotLabelTest, RequiredWidthIsCaptionHeightPlusMargins) {
  TCanvas* c = bitmap.GetCanvas();
  c->Font->Assign(label->GetFont());
  const int zero = MultiLineTextHeight(c, "0");
  const int caption = MultiLineTextHeight(c, "Gain");
  EXPECT_EQ(label->GetRequiredWidth(c), caption);
  label->SetMarginTop(1);
  label->SetMarginBottom(0.5);
  EXPECT_EQ(label->GetRequiredWidth(c), caption + zero + iRound(zero * 0.5));
  label->SetHorizontal(false);
  EXPECT_EQ(label->GetRequiredWidth(c), caption + zero + iRound(zero * 0.5));
}

TEST_F(PlotLabelTest, CaptionPlacedByAlignmentAndRotatedBeside) {
  DrawIn(TRect(0, 0, 200, 30));
  EXPECT_GT(Inked(TRect(70, 0, 130, 30)), 0);
  EXPECT_EQ(Inked(TRect(0, 0, 50, 30)), 0);
  label->SetAlignment(iahLeft);
  DrawIn(TRect(0, 0, 200, 30));
  EXPECT_GT(Inked(TRect(0, 0, 50, 30)), 0);
  EXPECT_EQ(Inked(TRect(150, 0, 200, 30)), 0);
  label->SetAlignment(iahRight);
  DrawIn(TRect(0, 0, 200, 30));
  EXPECT_GT(Inked(TRect(150, 0, 200, 30)), 0);

  // Beside the data view: rotated, centred on the middle of its side.
  label->SetHorizontal(false);
  label->SetAlignment(iahCenter);
  DrawIn(TRect(0, 0, 30, 100));
  EXPECT_GT(Inked(TRect(0, 35, 30, 65)), 0);
  EXPECT_EQ(Inked(TRect(0, 0, 30, 15)), 0);
  EXPECT_EQ(Inked(TRect(0, 85, 30, 100)), 0);
}

TEST_F(PlotLabelTest, ImageReplacesTheCaptionUntilCleared) {
  TBitmap image(10, 10);
  image.GetCanvas()->Brush->SetColor(clRed);
  image.GetCanvas()->FillRect(Rect(0, 0, 10, 10));
  image.GetCanvas()->SetPixels(0, 9, clBlue);  // the transparent colour
  label->SetImage(&image);
  DrawIn(TRect(0, 0, 200, 30));
  EXPECT_EQ(Inked(TRect(0, 0, 200, 30)), 0);
  EXPECT_EQ(bitmap.GetCanvas()->GetPixels(100, 5), clRed);
  EXPECT_EQ(bitmap.GetCanvas()->GetPixels(95, 9), clBlack);
  label->ImageClear();
  DrawIn(TRect(0, 0, 200, 30));
  EXPECT_GT(Inked(TRect(0, 0, 200, 30)), 0);

  // An image of the plot's lists; an index outside falls back to the caption.
  plot.ImageListAdd(0, &image);
  label->SetImageListIndex(0);
  DrawIn(TRect(0, 0, 200, 30));
  EXPECT_EQ(Inked(TRect(0, 0, 200, 30)), 0);
  for (auto [list, index] : {std::pair{3, 0}, std::pair{0, 1}}) {
    label->SetImageListIndex(list);
    label->SetImageIndex(index);
    DrawIn(TRect(0, 0, 200, 30));
    EXPECT_GT(Inked(TRect(0, 0, 200, 30)), 0);
  }
}

}  // namespace
