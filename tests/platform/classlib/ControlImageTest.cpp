// Pictures of forms and controls saved offscreen: whole, with their
// children and menu bar, without the form appearing.

#include <gtest/gtest.h>

#include <QImage>

#include <filesystem>
#include <string>

#include "ClassLibTestSupport.h"
#include "platform/classlib/ControlImage.h"
#include "platform/classlib/ExtCtrls.h"
#include "platform/classlib/ExtCtrlsControls.h"
#include "platform/classlib/Graphics.h"
#include "platform/classlib/Menus.h"
#include "platform/classlib/StdCtrls.h"

using namespace classlib_test;

namespace {

std::string ShotPath(const std::string& name) {
  return ::testing::TempDir() + "control-image-" + name + ".png";
}

QColor Px(const QImage& img, int x, int y) {
  return img.pixelColor(x, y);
}

QColor Q(TColor c) {
  return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

struct Stage : FormStage {
  TPanel* panel;
  TPanel* inner;
  TPaintBox* box;
  TPanel* hidden;
  bool shown = false;
  Stage() {
    form->SetBounds(100, 100, 400, 260);
    form->SetColor(clNavy);
    form->OnShow = [this](TObject*) { shown = true; };
    panel = Add<TPanel>("pnlOuter", 20, 20, 200, 120);
    panel->SetBevelOuter(bvNone);
    panel->SetColor(clRed);
    inner = Add<TPanel>("pnlInner", 150, 80, 100, 60, panel);  // beyond the outer panel's edge
    inner->SetBevelOuter(bvNone);
    inner->SetColor(clYellow);
    box = Add<TPaintBox>("pbPlot", 250, 150, 100, 100);  // reaches the form's bottom edge
    box->OnPaint = [this](TObject*) {
      box->GetCanvas()->Brush->SetColor(clLime);
      box->GetCanvas()->FillRect(Rect(0, 0, 100, 100));
    };
    hidden = Add<TPanel>("pnlHidden", 300, 10, 60, 60);
    hidden->SetColor(clFuchsia);
    hidden->SetVisible(false);
  }
};

TEST(ControlImageTest, AFormNeverShownIsPaintedWholeAndStaysHidden) {
  Stage s;
  auto* menu = new TMainMenu(s.form);
  auto* file = new TMenuItem(s.form);
  file->SetCaption("&File");
  menu->GetItems()->Add(file);
  s.form->SetMenu(menu);
  const int bar = s.form->GetHeight() - s.form->GetClientHeight();
  ASSERT_GT(bar, 0);

  const std::string path = ShotPath("form");
  ASSERT_TRUE(SaveControlImage(s.form, path));
  EXPECT_FALSE(s.form->GetVisible());
  EXPECT_FALSE(s.form->GetWidget()->isVisible());
  EXPECT_FALSE(s.shown);

  const QImage img(QString::fromStdString(path));
  ASSERT_FALSE(img.isNull());
  EXPECT_EQ(img.size(), QSize(400, 260 + bar));
  struct Spot {
    const char* what;
    int x, y;
    TColor color;
  } spots[] = {
      {"form", 5, bar + 5, clNavy},
      {"outer panel", 25, bar + 25, clRed},
      {"inner panel, inside the outer one", 175, bar + 105, clYellow},
      {"paint box's bottom row", 300, bar + 249, clLime},
      {"hidden panel's place", 330, bar + 40, clNavy},
  };
  for (const Spot& p : spots) EXPECT_EQ(Px(img, p.x, p.y), Q(p.color)) << p.what;
  // The inner panel is cut by its parent, as on screen.
  EXPECT_EQ(Px(img, 235, bar + 105), Q(clNavy));
  // The bar is drawn, in another shade than the client area.
  EXPECT_NE(Px(img, 200, bar / 2), Q(clNavy));

  // Painted into a bitmap instead of a file: the same picture.
  TBitmap picture;
  ASSERT_TRUE(PaintControlImage(s.form, picture));
  EXPECT_EQ(picture.GetImage().convertToFormat(QImage::Format_RGB32),
            img.convertToFormat(QImage::Format_RGB32));
  EXPECT_FALSE(PaintControlImage(nullptr, picture));
}

TEST(ControlImageTest, AControlIsPaintedAtItsSizeWithItsChildren) {
  Stage s;
  ShowAndActivate(s.form);
  const std::string path = ShotPath("panel");
  ASSERT_TRUE(SaveControlImage(s.panel, path));
  const QImage img(QString::fromStdString(path));
  ASSERT_EQ(img.size(), QSize(200, 120));
  EXPECT_EQ(Px(img, 5, 5), Q(clRed));
  EXPECT_EQ(Px(img, 160, 90), Q(clYellow));
  EXPECT_EQ(Px(img, 199, 119), Q(clYellow));
}

TEST(ControlImageTest, NoControlOrAnUnwritablePathIsRefused) {
  Stage s;
  EXPECT_FALSE(SaveControlImage(nullptr, ShotPath("null")));
  EXPECT_FALSE(SaveControlImage(s.form, "/nonexistent-dir/shot.png"));
}

}  // namespace
