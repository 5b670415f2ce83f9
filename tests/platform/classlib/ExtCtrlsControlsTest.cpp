// Panels, bevels, shapes and images: what they paint where, read back from
// the rendered form, and how a panel's edges make room for aligned children.

#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>
#include <QWidget>

#include <string>
#include <vector>

#include "ClassLibTestSupport.h"
#include "platform/classlib/ExtCtrlsControls.h"

using namespace classlib_test;

namespace {

constexpr TColor kBack = RGB(0x1E, 0x22, 0x28);
constexpr TColor kFace = RGB(0x50, 0x60, 0x70);

TColor Rgb(const QColor& q) {
  return RGB(q.red(), q.green(), q.blue());
}

// A shown form in the background colour, and its pixels.
struct Canvas {
  FormGuard guard;
  TForm* form;
  Canvas() {
    App();
    form = guard(new TForm(nullptr));
    form->SetBounds(100, 100, 260, 200);
    form->SetColor(kBack);
  }
  template <typename T>
  T* Add(int left, int top, int width, int height) {
    auto* c = new T(form);
    c->SetParent(form);
    c->SetBounds(left, top, width, height);
    return c;
  }
  QImage shot;
  void Render() {
    ShowAndActivate(form);
    shot = form->GetWidget()->grab().toImage();
  }
  TColor At(TControl* c, int x, int y) const {
    QPoint p = c->GetWidget()->mapTo(form->GetWidget(), QPoint(x, y));
    return Rgb(shot.pixelColor(p));
  }
};

struct BevelCase {
  const char* name;
  TBevelCut outer;
  TBevelCut inner;
  int bevelWidth;
  int borderWidth;
  // Expected colour of the pixels (x, 20) from the left edge, and of the
  // pixels (width - 1 - x, 20) from the right edge.
  std::vector<TColor> fromLeft;
  std::vector<TColor> fromRight;
};

TEST(ExtCtrlsControls, PanelBevelsAreShadesOfItsFace) {
  const TColor hi = BevelHighlight(kFace);
  const TColor sh = BevelShadow(kFace);
  const std::vector<BevelCase> cases = {
      {"raised", bvRaised, bvNone, 1, 0, {hi, kFace}, {sh, kFace}},
      {"lowered", bvLowered, bvNone, 1, 0, {sh, kFace}, {hi, kFace}},
      {"no bevel", bvNone, bvNone, 1, 0, {kFace}, {kFace}},
      {"two pixels wide", bvRaised, bvNone, 2, 0, {hi, hi, kFace}, {sh, sh, kFace}},
      {"raised outside, lowered inside a border",
       bvRaised,
       bvLowered,
       1,
       2,
       {hi, kFace, kFace, sh, kFace},
       {sh, kFace, kFace, hi, kFace}},
  };
  for (const BevelCase& c : cases) {
    SCOPED_TRACE(c.name);
    Canvas cv;
    auto* p = cv.Add<TPanel>(10, 10, 100, 50);
    p->SetColor(kFace);
    p->SetBevelOuter(c.outer);
    p->SetBevelInner(c.inner);
    p->SetBevelWidth(c.bevelWidth);
    p->SetBorderWidth(c.borderWidth);
    cv.Render();
    for (size_t i = 0; i < c.fromLeft.size(); ++i) {
      EXPECT_EQ(cv.At(p, static_cast<int>(i), 20), c.fromLeft[i]) << "left " << i;
      EXPECT_EQ(cv.At(p, 99 - static_cast<int>(i), 20), c.fromRight[i]) << "right " << i;
    }
    // The same edges run along the top and bottom.
    EXPECT_EQ(cv.At(p, 50, 0), c.fromLeft[0]);
    EXPECT_EQ(cv.At(p, 50, 49), c.fromRight[0]);
  }
}

TEST(ExtCtrlsControls, PanelCaptionAndAlignedChildrenStayInsideItsEdges) {
  Canvas cv;
  auto* p = cv.Add<TPanel>(10, 10, 120, 60);
  p->SetBevelInner(bvLowered);
  p->SetBorderWidth(3);
  auto* child = new TPanel(cv.form);
  child->SetParent(p);
  child->SetAlign(alClient);
  // Outer bevel 1, border 3, inner bevel 1.
  EXPECT_EQ(child->GetBoundsRect(), Rect(5, 5, 115, 55));
  p->SetBevelInner(bvNone);
  EXPECT_EQ(child->GetBoundsRect(), Rect(4, 4, 116, 56));

  auto* captioned = cv.Add<TPanel>(140, 10, 100, 40);
  captioned->SetColor(kFace);
  captioned->SetCaption("Gain");
  captioned->GetFont()->SetColor(clWhite);
  cv.Render();
  int ink = 0;
  for (int y = 2; y < 38; ++y)
    for (int x = 2; x < 98; ++x) ink += cv.At(captioned, x, y) != kFace;
  EXPECT_GT(ink, 10);
  // Centred: nothing near the left and right edges.
  for (int y = 2; y < 38; ++y) {
    EXPECT_EQ(cv.At(captioned, 4, y), kFace);
    EXPECT_EQ(cv.At(captioned, 95, y), kFace);
  }
}

struct ShapeCase {
  const char* name;
  TShapeType shape;
  int width;
  int height;
  int penWidth;
  std::vector<TPoint> pen;
  std::vector<TPoint> brush;
  std::vector<TPoint> outside;
};

TEST(ExtCtrlsControls, ShapeDrawsItsOutlineWithThePenAndFillsWithTheBrush) {
  const std::vector<ShapeCase> cases = {
      {"rectangle", stRectangle, 20, 10, 1, {{0, 0}, {19, 9}, {10, 0}}, {{1, 1}, {18, 8}}, {}},
      {"square in a wide box is centred",
       stSquare,
       40,
       20,
       1,
       {{10, 0}, {29, 19}},
       {{20, 10}},
       {{5, 10}, {35, 10}}},
      {"circle leaves its corners", stCircle, 21, 21, 1, {{10, 0}, {0, 10}}, {{10, 10}}, {{0, 0}, {20, 20}}},
      {"thick pen stays inside", stRectangle, 20, 20, 3, {{0, 0}, {19, 19}, {2, 10}}, {{10, 10}}, {}},
      {"clear pen", stRectangle, 20, 10, 1, {}, {{0, 0}, {10, 5}}, {}},
  };
  for (const ShapeCase& c : cases) {
    SCOPED_TRACE(c.name);
    Canvas cv;
    auto* s = cv.Add<TShape>(10, 10, c.width, c.height);
    s->SetShape(c.shape);
    s->GetPen()->SetColor(clRed);
    s->GetPen()->SetWidth(c.penWidth);
    if (c.pen.empty()) s->GetPen()->SetStyle(psClear);
    s->GetBrush()->SetColor(clLime);
    cv.Render();
    for (TPoint p : c.pen) EXPECT_EQ(cv.At(s, p.X, p.Y), clRed) << p.X << "," << p.Y;
    for (TPoint p : c.brush) EXPECT_EQ(cv.At(s, p.X, p.Y), clLime) << p.X << "," << p.Y;
    for (TPoint p : c.outside) EXPECT_EQ(cv.At(s, p.X, p.Y), kBack) << p.X << "," << p.Y;
  }
}

TEST(ExtCtrlsControls, ShapeRepaintsWhenItsBrushChanges) {
  Canvas cv;
  auto* s = cv.Add<TShape>(10, 10, 20, 20);
  s->GetBrush()->SetColor(clLime);
  cv.Render();
  EXPECT_EQ(cv.At(s, 10, 10), clLime);
  s->GetBrush()->SetColor(clYellow);
  cv.Render();
  EXPECT_EQ(cv.At(s, 10, 10), clYellow);
}

struct ImageCase {
  const char* name;
  int pictureWidth;
  int pictureHeight;
  bool stretch;
  bool center;
  bool proportional;
  TRect dest;
};

TEST(ExtCtrlsControls, ImagePlacesItsPictureByStretchCenterAndProportional) {
  const std::vector<ImageCase> cases = {
      {"own size at the top-left", 32, 16, false, false, false, Rect(0, 0, 32, 16)},
      {"centred", 32, 16, false, true, false, Rect(16, 24, 48, 40)},
      {"stretched", 32, 16, true, false, false, Rect(0, 0, 64, 64)},
      {"stretched keeping proportions", 32, 16, true, false, true, Rect(0, 0, 64, 32)},
      {"stretched, proportional and centred", 32, 16, true, true, true, Rect(0, 16, 64, 48)},
      {"too large, proportional shrinks it", 128, 32, false, false, true, Rect(0, 0, 64, 16)},
      {"tall picture, proportional", 16, 32, true, true, true, Rect(16, 0, 48, 64)},
  };
  for (const ImageCase& c : cases) {
    SCOPED_TRACE(c.name);
    Canvas cv;
    auto* img = cv.Add<TImage>(10, 10, 64, 64);
    TBitmap bmp(c.pictureWidth, c.pictureHeight);
    bmp.Canvas->Brush->SetColor(clFuchsia);
    bmp.Canvas->FillRect(Rect(0, 0, c.pictureWidth, c.pictureHeight));
    img->GetPicture()->SetGraphic(&bmp);
    img->SetStretch(c.stretch);
    img->SetCenter(c.center);
    img->SetProportional(c.proportional);
    EXPECT_EQ(img->DestRect(), c.dest);
    cv.Render();
    const TRect& d = c.dest;
    EXPECT_EQ(cv.At(img, d.Left, d.Top), clFuchsia);
    EXPECT_EQ(cv.At(img, d.Right - 1, d.Bottom - 1), clFuchsia);
    if (d.Right < 64) {
      EXPECT_EQ(cv.At(img, d.Right, d.Top), kBack);
    }
    if (d.Bottom < 64) {
      EXPECT_EQ(cv.At(img, d.Left, d.Bottom), kBack);
    }
  }
}

TEST(ExtCtrlsControls, TransparentImageLeavesOutTheBitmapsKeyColourAndAutoSizeFitsThePicture) {
  Canvas cv;
  auto* img = cv.Add<TImage>(10, 10, 50, 50);
  TBitmap bmp(20, 10);
  bmp.Canvas->Brush->SetColor(clWhite);
  bmp.Canvas->FillRect(Rect(0, 0, 20, 10));
  bmp.Canvas->Brush->SetColor(clBlue);
  bmp.Canvas->FillRect(Rect(5, 2, 15, 8));
  img->SetAutoSize(true);
  img->SetTransparent(true);
  img->GetPicture()->SetGraphic(&bmp);
  EXPECT_EQ(img->GetWidth(), 20);
  EXPECT_EQ(img->GetHeight(), 10);
  cv.Render();
  // White is the bottom-left pixel: the key.
  EXPECT_EQ(cv.At(img, 1, 1), kBack);
  EXPECT_EQ(cv.At(img, 10, 5), clBlue);
  img->SetTransparent(false);
  cv.Render();
  EXPECT_EQ(cv.At(img, 1, 1), clWhite);
}

TEST(ExtCtrlsControls, BevelLinesTakeTheShadesOfTheFace) {
  Canvas cv;
  auto* top = cv.Add<TBevel>(10, 10, 60, 4);
  top->SetShape(bsTopLine);
  auto* box = cv.Add<TBevel>(10, 30, 60, 30);
  box->SetStyle(bsRaised);
  cv.Render();
  EXPECT_EQ(cv.At(top, 30, 0), BevelShadow(kBack));
  EXPECT_EQ(cv.At(top, 30, 1), BevelHighlight(kBack));
  EXPECT_EQ(cv.At(top, 30, 2), kBack);
  EXPECT_EQ(cv.At(box, 0, 15), BevelHighlight(kBack));
  EXPECT_EQ(cv.At(box, 59, 15), BevelShadow(kBack));
  EXPECT_EQ(cv.At(box, 30, 15), kBack);
}

}  // namespace
