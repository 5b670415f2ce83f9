// The canvas as a device context: clip regions of every kind, IntersectClipRect
// and ExcludeClipRect, SaveDC/RestoreDC nesting, window and viewport
// origins, the background mode of dashed and hatched drawing, DrawEdge, the
// ellipsis modes of DrawText, clearing to transparent and CopyRect at 1:1.

#include <gtest/gtest.h>

#include <QImage>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tests/platform/classlib/GraphicsTestSupport.h"

using namespace graphics_test;

namespace {

class CanvasDcTest : public ::testing::Test {
 protected:
  void SetUp() override { EnsureGuiApp(); }
};

// Every pixel of the bitmap that is not white.
std::vector<bool> Inked(TBitmap& bmp) {
  std::vector<bool> out;
  for (int y = 0; y < bmp.GetHeight(); ++y)
    for (int x = 0; x < bmp.GetWidth(); ++x) out.push_back(bmp.Canvas->GetPixels(x, y) != clWhite);
  return out;
}

TEST_F(CanvasDcTest, EachClipRegionKindKeepsDrawingToItsPixels) {
  const TPoint triangle[] = {{2, 2}, {36, 8}, {10, 30}};
  struct Case {
    const char* name;
    std::function<HRGN()> make;
    std::vector<TPoint> in, out;
  };
  const Case cases[] = {
      {"rectangle",
       [] { return CreateRectRgn(5, 5, 20, 15); },
       {{5, 5}, {19, 14}},
       {{4, 5}, {20, 14}, {19, 15}}},
      {"ellipse",
       [] { return CreateEllipticRgn(0, 0, 40, 30); },
       {{20, 15}, {1, 15}},
       {{0, 0}, {39, 29}, {2, 2}}},
      {"polygon", [&] { return CreatePolygonRgn(triangle, 3, ALTERNATE); }, {{10, 10}}, {{30, 25}, {1, 1}}},
      {"rounded rectangle",
       [] { return CreateRoundRectRgn(4, 4, 36, 26, 12, 12); },
       {{20, 4}, {4, 15}, {8, 8}},
       {{4, 4}, {35, 25}, {3, 15}}},
      {"rectangle less ellipse",
       [] {
         HRGN r = CreateRectRgn(0, 0, 40, 30), e = CreateEllipticRgn(10, 5, 30, 25);
         EXPECT_EQ(CombineRgn(r, r, e, RGN_DIFF), COMPLEXREGION);
         DeleteObject(e);
         return r;
       },
       {{0, 0}, {39, 29}},
       {{20, 15}}},
      {"two rectangles xored",
       [] {
         HRGN a = CreateRectRgn(0, 0, 20, 20), b = CreateRectRgn(10, 10, 30, 30);
         EXPECT_EQ(CombineRgn(a, a, b, RGN_XOR), COMPLEXREGION);
         DeleteObject(b);
         return a;
       },
       {{5, 5}, {25, 25}},
       {{15, 15}, {35, 5}}},
  };
  for (const Case& c : cases) {
    auto bmp = WhiteBitmap(40, 30);
    TCanvas& cv = *bmp->Canvas;
    HRGN rgn = c.make();
    EXPECT_NE(SelectClipRgn(cv.GetHandle(), rgn), NULLREGION) << c.name;
    // Fills, lines, text and pictures all keep to the clip.
    cv.Brush->SetColor(clBlack);
    cv.FillRect(Rect(0, 0, 40, 20));
    cv.Pen->SetWidth(3);
    cv.Rectangle(0, 18, 40, 30);
    auto pic = WhiteBitmap(40, 8);
    pic->Canvas->Brush->SetColor(clBlue);
    pic->Canvas->FillRect(Rect(0, 0, 40, 8));
    cv.Draw(0, 22, pic.get());
    cv.Brush->SetStyle(bsSolid);
    cv.Brush->SetColor(clRed);
    cv.TextOut(0, 18, "WWWWWWW");
    const std::vector<bool> inked = Inked(*bmp);
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 40; ++x)
        if (inked[static_cast<std::size_t>(y * 40 + x)]) {
          EXPECT_TRUE(PtInRegion(rgn, x, y)) << c.name << " " << x << "," << y;
        }
    for (TPoint p : c.in) EXPECT_TRUE(PtInRegion(rgn, p.X, p.Y)) << c.name << " " << p.X << "," << p.Y;
    for (TPoint p : c.out) EXPECT_FALSE(PtInRegion(rgn, p.X, p.Y)) << c.name << " " << p.X << "," << p.Y;
    EXPECT_TRUE(DeleteObject(rgn));
  }
}

TEST_F(CanvasDcTest, EllipseRegionIsTheFilledEllipse) {
  auto a = WhiteBitmap(33, 21), b = WhiteBitmap(33, 21);
  a->Canvas->Pen->SetStyle(psClear);
  a->Canvas->Brush->SetColor(clBlack);
  a->Canvas->Ellipse(1, 2, 32, 19);
  HRGN e = CreateEllipticRgn(1, 2, 32, 19);
  b->Canvas->SelectClipRgn(e);
  b->Canvas->Brush->SetColor(clBlack);
  b->Canvas->FillRect(Rect(0, 0, 33, 21));
  EXPECT_EQ(Inked(*a), Inked(*b));
  DeleteObject(e);
}

TEST_F(CanvasDcTest, ClipRectsIntersectAndSavedStatesNest) {
  auto bmp = WhiteBitmap(40, 40);
  TCanvas& c = *bmp->Canvas;
  HDC dc = c.GetHandle();
  EXPECT_EQ(IntersectClipRect(dc, 0, 0, 30, 30), SIMPLEREGION);
  EXPECT_EQ(IntersectClipRect(dc, 10, 10, 40, 40), SIMPLEREGION);  // narrows, does not replace
  EXPECT_EQ(c.GetClipRect(), Rect(10, 10, 30, 30));
  const int outer = SaveDC(dc);
  EXPECT_EQ(ExcludeClipRect(dc, 15, 15, 20, 20), COMPLEXREGION);
  const int inner = SaveDC(dc);
  EXPECT_EQ(inner, outer + 1);
  EXPECT_EQ(IntersectClipRect(dc, 0, 0, 5, 5), NULLREGION);
  c.Brush->SetColor(clBlack);
  c.FillRect(Rect(0, 0, 40, 40));
  EXPECT_EQ(InkedPixels(*bmp).size(), 0u);  // nothing is left to draw on

  EXPECT_TRUE(RestoreDC(dc, -1));  // back to the hole
  c.FillRect(Rect(0, 0, 40, 40));
  EXPECT_EQ(c.GetPixels(12, 12), clBlack);
  EXPECT_EQ(c.GetPixels(17, 17), clWhite);
  EXPECT_EQ(c.GetPixels(30, 30), clWhite);
  ExcludeClipRect(dc, 22, 22, 25, 25);  // a second hole: the new clip holds at once
  c.Brush->SetColor(clRed);
  c.FillRect(Rect(0, 0, 40, 40));
  EXPECT_EQ(c.GetPixels(12, 12), clRed);
  EXPECT_EQ(c.GetPixels(23, 23), clBlack);
  EXPECT_EQ(c.GetPixels(17, 17), clWhite);
  c.Brush->SetColor(clBlack);

  EXPECT_TRUE(RestoreDC(dc, outer));   // back to the plain rectangle
  EXPECT_FALSE(RestoreDC(dc, outer));  // that level is gone
  c.FillRect(Rect(0, 0, 40, 40));
  EXPECT_EQ(c.GetPixels(17, 17), clBlack);
  EXPECT_EQ(c.GetPixels(5, 5), clWhite);
  SelectClipRgn(dc, nullptr);
  EXPECT_EQ(c.GetClipRect(), Rect(0, 0, 40, 40));
}

TEST_F(CanvasDcTest, WindowAndViewportOriginsMoveEveryDrawingCall) {
  auto bmp = WhiteBitmap(60, 40);
  TCanvas& c = *bmp->Canvas;
  HDC dc = c.GetHandle();
  TPoint old;
  ASSERT_TRUE(SetWindowOrgEx(dc, -10, -5, &old));
  EXPECT_EQ(old, TPoint(0, 0));
  ASSERT_TRUE(SetViewportOrgEx(dc, 3, 2, nullptr));  // device = logical + (13, 7)
  EXPECT_EQ(c.GetClipRect(), Rect(-13, -7, 47, 33));
  IntersectClipRect(dc, 0, 0, 20, 20);  // logical: device (13, 7) - (33, 27)
  c.Brush->SetColor(clBlack);
  c.FillRect(Rect(0, 0, 4, 4));
  c.Pen->SetColor(clRed);
  c.MoveTo(0, 10);
  c.LineTo(30, 10);
  c.SetPixels(19, 19, clBlue);
  EXPECT_EQ(c.GetPixels(19, 19), clBlue);
  SetWindowOrgEx(dc, 0, 0, nullptr);
  SetViewportOrgEx(dc, 0, 0, nullptr);
  EXPECT_EQ(c.GetPixels(13, 7), clBlack);
  EXPECT_EQ(c.GetPixels(16, 10), clBlack);
  EXPECT_EQ(c.GetPixels(17, 11), clWhite);
  EXPECT_EQ(c.GetPixels(13, 17), clRed);
  EXPECT_EQ(c.GetPixels(32, 17), clRed);
  EXPECT_EQ(c.GetPixels(33, 17), clWhite);  // the clip moved with the origin
  EXPECT_EQ(c.GetPixels(32, 26), clBlue);
}

TEST_F(CanvasDcTest, GapsOfDashedPensAndHatchesTakeTheBackgroundWhenOpaque) {
  struct Case {
    const char* name;
    int mode;
    TColor gaps;
  };
  const Case cases[] = {{"opaque", OPAQUE, clYellow}, {"transparent", TRANSPARENT, clWhite}};
  for (const Case& k : cases) {
    auto bmp = WhiteBitmap(40, 20);
    TCanvas& c = *bmp->Canvas;
    c.Pen->SetStyle(psDash);
    c.Brush->SetStyle(bsCross);
    c.Brush->SetColor(clBlack);
    EXPECT_EQ(c.GetBkMode(), TRANSPARENT);  // a hatched brush makes it so
    SetBkMode(c.GetHandle(), k.mode);
    SetBkColor(c.GetHandle(), clYellow);
    c.MoveTo(0, 0);
    c.LineTo(40, 0);
    c.FillRect(Rect(0, 4, 40, 20));
    int ink = 0, gaps = 0;
    for (int x = 0; x < 40; ++x) {
      ink += c.GetPixels(x, 0) == clBlack;
      gaps += c.GetPixels(x, 0) == k.gaps;
    }
    EXPECT_EQ(ink + gaps, 40) << k.name;
    EXPECT_GT(gaps, 0) << k.name;
    EXPECT_EQ(c.GetPixels(1, 5), k.gaps) << k.name << ": between the hatch lines";
  }
  // A solid brush makes the mode opaque in its own colour.
  auto bmp = WhiteBitmap(4, 4);
  bmp->Canvas->Brush->SetColor(clLime);
  EXPECT_EQ(bmp->Canvas->GetBkMode(), OPAQUE);
  EXPECT_EQ(bmp->Canvas->GetBkColor(), clLime);
}

TEST_F(CanvasDcTest, DrawEdgeUsesTheFixed3DColours) {
  struct Case {
    const char* name;
    unsigned edge;
    TColor outerTopLeft, outerBottomRight, innerTopLeft, innerBottomRight;
  };
  const Case cases[] = {
      {"sunken", EDGE_SUNKEN, clBtnShadow, clBtnHighlight, cl3DDkShadow, cl3DLight},
      {"raised", EDGE_RAISED, cl3DLight, cl3DDkShadow, clBtnHighlight, clBtnShadow},
  };
  for (const Case& k : cases) {
    auto bmp = WhiteBitmap(10, 10);
    TCanvas& c = *bmp->Canvas;
    TRect r = Rect(0, 0, 10, 10);
    ASSERT_TRUE(DrawEdge(c.GetHandle(), &r, k.edge, BF_RECT | BF_ADJUST | BF_MIDDLE));
    EXPECT_EQ(r, Rect(2, 2, 8, 8)) << k.name;
    auto is = [&](int x, int y, TColor want) {
      EXPECT_EQ(c.GetPixels(x, y), ColorToRGB(want)) << k.name << " " << x << "," << y;
    };
    is(0, 0, k.outerTopLeft);
    is(0, 8, k.outerTopLeft);
    is(8, 0, k.outerTopLeft);
    is(9, 9, k.outerBottomRight);
    is(0, 9, k.outerBottomRight);  // the corners across belong to the bottom-right
    is(9, 0, k.outerBottomRight);
    is(1, 1, k.innerTopLeft);
    is(8, 8, k.innerBottomRight);
    is(1, 8, k.innerBottomRight);
    is(5, 5, clBtnFace);
  }
}

TEST_F(CanvasDcTest, DrawTextEllipsisModesShortenAFixedString) {
  auto bmp = WhiteBitmap(300, 20);
  TCanvas& c = *bmp->Canvas;
  const std::string words = "alpha beta gamma delta";
  const std::string path = "C:\\dir\\sub\\file.txt";
  struct Case {
    const char* name;
    std::string text;
    unsigned flags;
    std::string fitTo;  // the rectangle is this wide
    std::string expected;
  };
  const Case cases[] = {
      {"end", words, DT_END_ELLIPSIS, "alpha beta g...", "alpha beta g..."},
      {"word", words, DT_WORD_ELLIPSIS, "alpha beta g...", "alpha beta..."},
      {"path", path, DT_PATH_ELLIPSIS, "C:\\d...\\file.txt", "C:\\d...\\file.txt"},
      {"path, tail too long", path, DT_PATH_ELLIPSIS, "...\\fil...", "...\\fil..."},
      {"fits", words, DT_END_ELLIPSIS, words, words},
  };
  for (const Case& k : cases) {
    std::string text = k.text;
    TRect r = Rect(0, 0, c.TextWidth(k.fitTo), 20);
    c.DrawText(text, r, k.flags | DT_SINGLELINE | DT_NOPREFIX | DT_MODIFYSTRING);
    EXPECT_EQ(text, k.expected) << k.name;
    std::string kept = k.text;
    c.DrawText(kept, r, k.flags | DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_EQ(kept, k.text) << k.name << ": no DT_MODIFYSTRING, no change";
  }
  // Drawn text stays inside the rectangle.
  auto shown = WhiteBitmap(300, 20);
  shown->Canvas->Font->SetColor(clBlack);
  TRect r = Rect(0, 0, shown->Canvas->TextWidth("alpha be"), 20);
  std::string text = words;
  DrawText(shown->Canvas->GetHandle(), text, &r, DT_END_ELLIPSIS | DT_SINGLELINE);
  const std::vector<TPoint> ink = InkedPixels(*shown);
  EXPECT_FALSE(ink.empty());
  for (TPoint p : ink) EXPECT_LT(p.X, r.Right);
}

TEST_F(CanvasDcTest, ClearBrushColourWritesTransparentPixelsOnlyWhereThereIsAlpha) {
  struct Case {
    TPixelFormat format;
    int alpha;
  };
  for (const Case& k : {Case{pf32bit, 0}, Case{pf24bit, 255}}) {
    auto bmp = std::make_unique<TBitmap>(8, 8);
    bmp->SetPixelFormat(k.format);
    bmp->Canvas->Brush->SetColor(clRed);
    bmp->Canvas->FillRect(Rect(0, 0, 8, 8));
    bmp->Canvas->Brush->SetColor(clNone);
    bmp->Canvas->FillRect(Rect(2, 2, 6, 6));
    EXPECT_EQ(qAlpha(bmp->GetImage().pixel(3, 3)), k.alpha) << k.format;
    EXPECT_EQ(qAlpha(bmp->GetImage().pixel(0, 0)), 255) << k.format;
  }
}

TEST_F(CanvasDcTest, OneToOneCopyKeepsToTheClipAndCopiesExactPixels) {
  auto src = std::make_unique<TBitmap>(50, 40);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 50; ++x) src->Canvas->SetPixels(x, y, RGB(x * 5, y * 6, 77));
  auto dst = WhiteBitmap(50, 40);
  HRGN e = CreateEllipticRgn(0, 0, 50, 40);
  dst->Canvas->SelectClipRgn(e);
  dst->Canvas->CopyRect(Rect(5, 5, 45, 35), src->Canvas, Rect(0, 0, 40, 30));
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 50; ++x) {
      const bool copied = PtInRegion(e, x, y) && x >= 5 && x < 45 && y >= 5 && y < 35;
      const TColor want = copied ? RGB((x - 5) * 5, (y - 5) * 6, 77) : clWhite;
      ASSERT_EQ(dst->Canvas->GetPixels(x, y), want) << x << "," << y;
    }
  }
  DeleteObject(e);
}

}  // namespace
