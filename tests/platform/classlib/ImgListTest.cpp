#include <gtest/gtest.h>

#include <QImage>

#include <memory>

#include "platform/classlib/ImgList.h"

namespace {

// A bitmap of `cells` cells of w x h, cell i filled with colors[i].
std::unique_ptr<TBitmap> Strip(int w, int h, const std::vector<TColor>& colors) {
  auto bmp = std::make_unique<TBitmap>(w * static_cast<int>(colors.size()), h);
  for (std::size_t i = 0; i < colors.size(); ++i) {
    bmp->Canvas->Brush->SetColor(colors[i]);
    bmp->Canvas->FillRect(Bounds(static_cast<int>(i) * w, 0, w, h));
  }
  return bmp;
}

std::unique_ptr<TBitmap> Paper(int w, int h) {
  auto bmp = std::make_unique<TBitmap>(w, h);
  bmp->Canvas->Brush->SetColor(clWhite);
  bmp->Canvas->FillRect(Rect(0, 0, w, h));
  return bmp;
}

TEST(ImageList, AddCutsAStripIntoImages) {
  TImageList list(nullptr, 4, 3);
  int changes = 0;
  list.OnChange = [&](TObject*) { ++changes; };
  auto strip = Strip(4, 3, {clRed, clLime, clBlue});
  EXPECT_EQ(list.Add(strip.get()), 0);
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Add(Strip(4, 3, {clYellow}).get()), 3);
  EXPECT_EQ(changes, 2);

  TBitmap out;
  ASSERT_TRUE(list.GetBitmap(2, &out));
  EXPECT_EQ(out.GetWidth(), 4);
  EXPECT_EQ(out.GetHeight(), 3);
  EXPECT_EQ(out.Canvas->GetPixels(3, 2), clBlue);
  EXPECT_FALSE(list.GetBitmap(4, &out));

  TBitmap empty;
  EXPECT_EQ(list.Add(&empty), -1);
  EXPECT_EQ(list.Add(nullptr), -1);
  EXPECT_EQ(list.Count(), 4);

  list.Delete(0);
  EXPECT_EQ(list.Count(), 3);
  EXPECT_THROW(list.Delete(3), EInvalidOperation);
  list.SetWidth(8);  // a new size empties the list
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.GetWidth(), 8);
}

TEST(ImageList, DrawPutsTheImageAtItsPlace) {
  TImageList list(nullptr, 4, 4);
  list.Add(Strip(4, 4, {clRed, clBlue}).get());
  auto paper = Paper(12, 12);
  list.Draw(paper->Canvas, 5, 6, 1);
  struct Probe {
    int x, y;
    TColor color;
  };
  for (const Probe p : {Probe{5, 6, clBlue}, Probe{8, 9, clBlue}, Probe{4, 6, clWhite}, Probe{9, 6, clWhite},
                        Probe{5, 10, clWhite}, Probe{5, 5, clWhite}})
    EXPECT_EQ(paper->Canvas->GetPixels(p.x, p.y), p.color) << p.x << "," << p.y;

  // Out of range or without a canvas: nothing drawn, nothing thrown.
  auto clean = Paper(12, 12);
  list.Draw(clean->Canvas, 0, 0, 2);
  list.Draw(clean->Canvas, 0, 0, -1);
  list.Draw(nullptr, 0, 0, 0);
  EXPECT_EQ(clean->Canvas->GetPixels(0, 0), clWhite);
  // Partly outside the canvas is clipped.
  list.Draw(clean->Canvas, 10, 10, 0);
  EXPECT_EQ(clean->Canvas->GetPixels(11, 11), clRed);
}

TEST(ImageList, TransparentPixelsLeaveTheCanvasAlone) {
  // Left column fuchsia (the key), the rest green.
  auto bmp = std::make_unique<TBitmap>(3, 2);
  bmp->Canvas->Brush->SetColor(clGreen);
  bmp->Canvas->FillRect(Rect(0, 0, 3, 2));
  bmp->Canvas->SetPixels(0, 0, clFuchsia);
  bmp->Canvas->SetPixels(0, 1, clFuchsia);

  // A mask whose white pixels mark transparency: the bottom row.
  TBitmap mask(3, 2);
  mask.Canvas->Brush->SetColor(clBlack);
  mask.Canvas->FillRect(Rect(0, 0, 3, 2));
  mask.Canvas->Brush->SetColor(clWhite);
  mask.Canvas->FillRect(Rect(0, 1, 3, 2));

  TImageList list(nullptr, 3, 2);
  list.AddMasked(bmp.get(), clFuchsia);
  list.Add(bmp.get(), &mask);
  list.Add(bmp.get());  // neither: opaque

  struct Case {
    int index;
    TColor topLeft, bottomRight;
  };
  for (const Case c : {Case{0, clWhite, clGreen}, Case{1, clFuchsia, clWhite}, Case{2, clFuchsia, clGreen}}) {
    auto paper = Paper(3, 2);
    list.Draw(paper->Canvas, 0, 0, c.index);
    EXPECT_EQ(paper->Canvas->GetPixels(0, 0), c.topLeft) << c.index;
    EXPECT_EQ(paper->Canvas->GetPixels(2, 1), c.bottomRight) << c.index;
  }
}

TEST(ImageList, AlphaOfA32BitBitmapIsKept) {
  TBitmap bmp;
  bmp.SetPixelFormat(pf32bit);
  QImage img(2, 1, QImage::Format_ARGB32);
  img.setPixel(0, 0, qRgba(0, 0, 255, 255));
  img.setPixel(1, 0, qRgba(0, 0, 0, 0));
  bmp.SetImage(img);
  TImageList list(nullptr, 2, 1);
  list.Add(&bmp);
  auto paper = Paper(2, 1);
  list.Draw(paper->Canvas, 0, 0, 0);
  EXPECT_EQ(paper->Canvas->GetPixels(0, 0), clBlue);
  EXPECT_EQ(paper->Canvas->GetPixels(1, 0), clWhite);
}

TEST(ImageList, ShortOrNarrowBitmapsArePaddedTransparent) {
  TImageList list(nullptr, 4, 4);
  EXPECT_EQ(list.Add(Strip(2, 2, {clRed}).get()), 0);
  EXPECT_EQ(list.Count(), 1);
  auto paper = Paper(4, 4);
  list.Draw(paper->Canvas, 0, 0, 0);
  EXPECT_EQ(paper->Canvas->GetPixels(1, 1), clRed);
  EXPECT_EQ(paper->Canvas->GetPixels(3, 3), clWhite);
}

TEST(ImageList, DisabledDrawingIsGrey) {
  TImageList list(nullptr, 2, 2);
  list.Add(Strip(2, 2, {clRed}).get());
  auto paper = Paper(2, 2);
  list.Draw(paper->Canvas, 0, 0, 0, false);
  const TColor c = paper->Canvas->GetPixels(0, 0);
  EXPECT_NE(c, clRed);
  EXPECT_EQ(GetRValue(c), GetGValue(c));
  EXPECT_EQ(GetGValue(c), GetBValue(c));
}

}  // namespace
