// One surface, two painters: canvas text and pictures and the drawing API on
// one bitmap in any order; a graphics made from a canvas keeps to the
// canvas's clip and origin and fires its change notice; text in points
// comes out the same size from both on a surface of any resolution.
#include <gtest/gtest.h>

#include <QImage>

#include <algorithm>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Support.h"
#include "platform/classlib/Graphics.h"
#include "platform/gdiplus/ClassLibBridge.h"

using namespace Gdiplus;

namespace {

std::unique_ptr<TBitmap> White(int w, int h) {
  auto bmp = std::make_unique<TBitmap>(w, h);
  bmp->Canvas->Brush->SetColor(clWhite);
  bmp->Canvas->FillRect(::Rect(0, 0, w, h));
  return bmp;
}

// The columns [first, last] holding any pixel that is not white; (-1, -1)
// for none.
std::pair<int, int> InkColumns(TBitmap& bmp, int top, int bottom) {
  int first = -1, last = -1;
  for (int x = 0; x < bmp.GetWidth(); ++x)
    for (int y = top; y < bottom; ++y)
      if (bmp.Canvas->GetPixels(x, y) != clWhite) {
        if (first < 0) first = x;
        last = x;
        break;
      }
  return {first, last};
}

bool AnyInk(TBitmap& bmp, const TRect& r) {
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x)
      if (bmp.Canvas->GetPixels(x, y) != clWhite) return true;
  return false;
}

TEST(SharedSurface, CanvasTextGraphicsFillAndPictureAllLandInEveryOrder) {
  auto picture = White(10, 10);
  picture->Canvas->Brush->SetColor(clBlue);
  picture->Canvas->FillRect(::Rect(0, 0, 10, 10));
  SolidBrush green(Color(255, 0, 160, 0));
  using Step = std::function<void(TCanvas&, Graphics&)>;
  const std::array<Step, 3> steps = {
      [](TCanvas& c, Graphics&) {
        c.Brush->SetStyle(bsClear);
        c.Font->SetColor(clBlack);
        c.TextOut(2, 2, "Gain");
      },
      [&](TCanvas&, Graphics& g) { EXPECT_EQ(Ok, g.FillRectangle(&green, 40, 2, 10, 10)); },
      [&](TCanvas& c, Graphics&) { c.Draw(60, 2, picture.get()); },
  };
  std::array<int, 3> order = {0, 1, 2};
  do {
    auto bmp = White(80, 20);
    auto g = GraphicsFromBitmap(bmp.get());  // open for the whole sequence
    ASSERT_NE(nullptr, g);
    for (int i : order) steps[static_cast<std::size_t>(i)](*bmp->Canvas, *g);
    const std::string name = std::to_string(order[0]) + std::to_string(order[1]) + std::to_string(order[2]);
    EXPECT_TRUE(AnyInk(*bmp, ::Rect(0, 0, 35, 20))) << name << ": canvas text";
    EXPECT_EQ(bmp->Canvas->GetPixels(45, 5), RGB(0, 160, 0)) << name << ": graphics fill";
    EXPECT_EQ(bmp->Canvas->GetPixels(65, 5), clBlue) << name << ": picture";
  } while (std::next_permutation(order.begin(), order.end()));
}

TEST(SharedSurface, GraphicsFromCanvasKeepsItsClipAndOriginAndReportsChanges) {
  auto bmp = White(40, 30);
  TCanvas& c = *bmp->Canvas;
  c.SetWindowOrg(::Point(-5, -5));  // logical (0, 0) is pixel (5, 5)
  HRGN e = CreateEllipticRgn(5, 5, 35, 25);
  c.SelectClipRgn(e);
  int changes = 0;
  c.OnChange = [&](TCanvas*) { ++changes; };
  auto g = GraphicsFromCanvas(&c);
  ASSERT_NE(nullptr, g);
  SolidBrush black(Color(255, 0, 0, 0));
  EXPECT_EQ(Ok, g->FillRectangle(&black, 0, 0, 40, 40));
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(Ok, g->FillRectangle(&black, -5, -5, 2, 2));  // outside the clip: still a drawing call
  EXPECT_EQ(changes, 2);
  g.reset();
  c.OnChange = nullptr;
  c.SetWindowOrg(::Point(0, 0));
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x)
      EXPECT_EQ(c.GetPixels(x, y) == clBlack, PtInRegion(e, x, y)) << x << "," << y;
  DeleteObject(e);
}

TEST(SharedSurface, TextInPointsMeasuresAndDrawsAlikeAtAnyResolution) {
  const std::u16string text = u"Output 8 gain";
  FontFamily family(u"Arial");
  Font points(&family, 12.0f, FontStyleRegular, UnitPoint);  // 16 pixels at 96 dpi
  std::vector<double> measured;
  std::vector<int> drawn;
  // A new image takes the desktop's resolution: the resolution of the
  // surface stands for the desktop's here.
  for (int dpi : {96, 144}) {
    auto bmp = White(300, 60);
    const int dotsPerMeter = static_cast<int>(dpi / 0.0254 + 0.5);
    bmp->Canvas->GetImage()->setDotsPerMeterX(dotsPerMeter);
    bmp->Canvas->GetImage()->setDotsPerMeterY(dotsPerMeter);
    TCanvas& c = *bmp->Canvas;
    c.Font->SetName("Arial");
    c.Font->SetHeight(-16);
    c.Font->SetColor(clBlack);
    c.Brush->SetStyle(bsClear);
    const int canvasWidth = c.TextWidth("Output 8 gain");
    auto g = GraphicsFromBitmap(bmp.get());
    ASSERT_NE(nullptr, g);
    EXPECT_EQ(96.0f, g->GetDpiX()) << dpi;
    RectF box;
    ASSERT_EQ(Ok, g->MeasureString(text.c_str(), INT(text.size()), &points, PointF(0, 0),
                                   StringFormat::GenericTypographic(), &box));
    EXPECT_NEAR(box.Width, canvasWidth, 2.0) << dpi << " dpi: measured";
    measured.push_back(box.Width);

    c.TextOut(0, 0, "Output 8 gain");
    SolidBrush black(Color(255, 0, 0, 0));
    ASSERT_EQ(Ok, g->DrawString(text.c_str(), INT(text.size()), &points, PointF(0, 30),
                                StringFormat::GenericTypographic(), &black));
    const auto canvasInk = InkColumns(*bmp, 0, 30), graphicsInk = InkColumns(*bmp, 30, 60);
    EXPECT_NEAR(graphicsInk.second - graphicsInk.first, canvasInk.second - canvasInk.first, 2) << dpi;
    drawn.push_back(graphicsInk.second - graphicsInk.first);
  }
  EXPECT_DOUBLE_EQ(measured[0], measured[1]);
  EXPECT_EQ(drawn[0], drawn[1]);
}

}  // namespace
