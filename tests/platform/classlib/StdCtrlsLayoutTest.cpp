// Labels and group boxes: automatic sizing, alignment, layout and
// transparency, read back from the rendered form.

#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>
#include <QWidget>

#include <algorithm>
#include <string>

#include "ClassLibTestSupport.h"
#include "platform/classlib/ExtCtrlsControls.h"
#include "platform/classlib/StdCtrls.h"

using namespace classlib_test;

namespace {

constexpr TColor kBack = RGB(0x1E, 0x22, 0x28);
constexpr TColor kInk = RGB(0xF0, 0xF0, 0xF0);

TColor Rgb(const QColor& q) {
  return RGB(q.red(), q.green(), q.blue());
}

struct Stage {
  FormGuard guard;
  TForm* form;
  QImage shot;
  Stage() {
    App();
    form = guard(new TForm(nullptr));
    form->SetBounds(100, 100, 300, 200);
    form->SetColor(kBack);
    form->GetFont()->SetName("Tahoma");
    form->GetFont()->SetHeight(-11);
    form->GetFont()->SetColor(kInk);
  }
  TLabel* Label(int left, int top, const std::string& caption) {
    auto* l = new TLabel(form);
    l->SetParent(form);
    l->SetBounds(left, top, 65, 17);
    l->SetCaption(caption);
    return l;
  }
  void Render() {
    ShowAndActivate(form);
    shot = form->GetWidget()->grab().toImage();
  }
  TColor At(TControl* c, int x, int y) const {
    QPoint p = c->GetWidget()->mapTo(form->GetWidget(), QPoint(x, y));
    return Rgb(shot.pixelColor(p));
  }
  // The rows of a control that hold something other than `back`.
  std::pair<int, int> InkRows(TControl* c, TColor back) const {
    int first = -1, last = -1;
    for (int y = 0; y < c->GetHeight(); ++y)
      for (int x = 0; x < c->GetWidth(); ++x)
        if (At(c, x, y) != back) {
          if (first < 0) first = y;
          last = y;
        }
    return {first, last};
  }
};

TEST(StdCtrlsLayout, LabelSizesItselfToItsCaption) {
  Stage s;
  TLabel* l = s.Label(20, 10, "Gain");
  const int oneLine = l->GetHeight();
  EXPECT_GT(l->GetWidth(), 10);
  EXPECT_GT(oneLine, 8);
  const int shortWidth = l->GetWidth();
  l->SetCaption("Gain and more");
  EXPECT_GT(l->GetWidth(), shortWidth);
  EXPECT_EQ(l->GetLeft(), 20);
  // An empty caption still stands one line high.
  l->SetCaption("");
  EXPECT_EQ(l->GetHeight(), oneLine);
  // "&&" is one ampersand; "&G" an accelerator that draws as "G".
  l->SetCaption("&Gain");
  const int accel = l->GetWidth();
  l->SetCaption("Gain");
  EXPECT_EQ(l->GetWidth(), accel);
  // A larger font makes a taller label.
  l->GetFont()->SetHeight(-20);
  EXPECT_GT(l->GetHeight(), oneLine);

  TLabel* right = s.Label(100, 40, "x");
  right->SetAlignment(taRightJustify);
  const int rightEdge = right->GetLeft() + right->GetWidth();
  right->SetCaption("a much longer text");
  EXPECT_EQ(right->GetLeft() + right->GetWidth(), rightEdge);

  TLabel* wrap = s.Label(20, 80, "");
  wrap->SetWordWrap(true);
  wrap->SetWidth(60);
  wrap->SetCaption("words that cannot fit on one line of sixty pixels");
  EXPECT_EQ(wrap->GetWidth(), 60);
  EXPECT_GT(wrap->GetHeight(), 3 * oneLine);

  TLabel* fixed = s.Label(20, 150, "");
  fixed->SetAutoSize(false);
  fixed->SetBounds(20, 150, 33, 44);
  fixed->SetCaption("no change of size");
  EXPECT_EQ(fixed->GetBoundsRect(), Rect(20, 150, 53, 194));
}

TEST(StdCtrlsLayout, LabelDrawsItsBackgroundUnlessTransparentAndPlacesTextByLayout) {
  Stage s;
  TLabel* opaque = s.Label(10, 10, "A");
  opaque->SetAutoSize(false);
  opaque->SetBounds(10, 10, 60, 40);
  opaque->SetColor(clNavy);
  TLabel* clear = s.Label(80, 10, "A");
  clear->SetAutoSize(false);
  clear->SetBounds(80, 10, 60, 40);
  clear->SetColor(clNavy);
  clear->SetTransparent(true);
  TLabel* middle = s.Label(150, 10, "A");
  middle->SetAutoSize(false);
  middle->SetBounds(150, 10, 60, 40);
  middle->SetLayout(tlCenter);
  middle->SetAlignment(taCenter);
  TLabel* bottom = s.Label(220, 10, "A");
  bottom->SetAutoSize(false);
  bottom->SetBounds(220, 10, 60, 40);
  bottom->SetLayout(tlBottom);
  bottom->SetAlignment(taRightJustify);
  s.Render();
  EXPECT_EQ(s.At(opaque, 50, 35), clNavy);
  EXPECT_EQ(s.At(clear, 50, 35), kBack);
  const int top0 = s.InkRows(opaque, clNavy).first;
  auto [mid0, mid1] = s.InkRows(middle, kBack);
  const int bot1 = s.InkRows(bottom, kBack).second;
  ASSERT_GE(top0, 0);
  ASSERT_GE(mid0, 0);
  ASSERT_GE(bot1, 0);
  EXPECT_LT(top0, 5);
  EXPECT_NEAR((mid0 + mid1) / 2, 20, 4);
  EXPECT_GT(bot1, 33);
  // Right-aligned: the ink ends near the right edge.
  int lastInkX = -1;
  for (int x = 0; x < 60; ++x)
    for (int y = 0; y < 40; ++y)
      if (s.At(bottom, x, y) != kBack) lastInkX = x;
  EXPECT_GT(lastInkX, 50);
}

TEST(StdCtrlsLayout, GroupBoxFramesItsChildrenBelowItsCaption) {
  Stage s;
  auto* group = new TGroupBox(s.form);
  group->SetParent(s.form);
  group->SetBounds(10, 10, 200, 120);
  group->SetCaption(" Input IP Address");
  auto* fill = new TPanel(s.form);
  fill->SetParent(group);
  fill->SetAlign(alClient);
  fill->SetColor(clGreen);
  fill->SetBevelOuter(bvNone);
  const TRect r = fill->GetBoundsRect();
  EXPECT_GT(r.Top, 8);
  EXPECT_GE(r.Left, 1);
  EXPECT_LE(r.Right, 199);
  EXPECT_LE(r.Bottom, 119);
  fill->SetAlign(alNone);
  fill->SetBounds(150, 60, 20, 20);
  s.Render();
  // The caption's ink in the top strip, the frame's line on the left edge.
  EXPECT_LE(s.InkRows(group, group->GetColor()).first, 3);
  EXPECT_NE(s.At(group, 0, 60), group->GetColor());
  EXPECT_EQ(s.At(group, 5, 60), group->GetColor());
}

}  // namespace
