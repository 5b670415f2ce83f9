// The LED and bevelled buttons: Active and click rules through the layer's
// synthetic mouse and keys, the drag-off-and-back press, the layout and
// drawing helpers, and the palette and 3D-font objects.

#include <gtest/gtest.h>

#include <QImage>

#include <string>
#include <vector>

#include "controls/VrButtons.h"
#include "platform/classlib/StdCtrls.h"
#include "tests/platform/classlib/ClassLibTestSupport.h"

using namespace classlib_test;

namespace {

TVrPowerButton* Power(FormStage& stage, int left = 20, int top = 20) {
  auto* b = stage.Add<TVrPowerButton>("power", left, top, 47, 16);
  b->SetCaption("In1");
  b->SetColor(clBlack);
  b->GetPalette()->SetLow(clOlive);
  b->GetPalette()->SetHigh(clYellow);
  b->SetOutlineWidth(0);
  b->SetBevelWidth(0);
  b->OnClick = [&stage](TObject* s) {
    stage.log.push_back(static_cast<TVrPowerButton*>(s)->GetActive() ? "click on" : "click off");
  };
  return b;
}

class ButtonInput : public ::testing::Test {
 protected:
  void Show() {
    ShowAndActivate(stage.form);
    PointerIn(stage.form);
    stage.log.clear();
  }
  FormStage stage;
};

TEST_F(ButtonInput, PowerButtonTogglesThenClicksAndDraggingOffCancels) {
  auto* b = Power(stage);
  Show();
  struct Case {
    const char* name;
    std::vector<std::pair<int, int>> moves;  // while held, from (10, 8)
    int releaseX;
    Qt::MouseButton button;
    std::vector<std::string> fired;
    bool active;
  } cases[] = {
      {"click", {}, 10, Qt::LeftButton, {"click on"}, true},
      {"click again", {}, 10, Qt::LeftButton, {"click off"}, false},
      {"dragged off", {{120, 8}}, 120, Qt::LeftButton, {}, false},
      {"off and back", {{120, 8}, {12, 8}}, 12, Qt::LeftButton, {"click on"}, true},
      {"right button", {}, 10, Qt::RightButton, {}, true},
  };
  for (const Case& c : cases) {
    stage.log.clear();
    Move(b, 10, 8);
    Press(b, 10, 8, c.button);
    for (auto [x, y] : c.moves) {
      Move(b, x, y, c.button);
      Move(b, x, y, c.button);
      EXPECT_EQ(b->GetPressed(), x < 47) << c.name;
    }
    Release(b, c.releaseX, 8, c.button);
    EXPECT_EQ(stage.log, c.fired) << c.name;
    EXPECT_EQ(b->GetActive(), c.active) << c.name;
  }
}

TEST_F(ButtonInput, ActiveFromCodeRepaintsButFiresNoClick) {
  auto* b = Power(stage);
  Show();
  b->SetActive(true);
  b->SetActive(true);
  EXPECT_TRUE(stage.log.empty());
  EXPECT_TRUE(b->GetActive());
}

TEST_F(ButtonInput, SpaceReleaseTogglesOnlyAfterItsOwnPress) {
  auto* b = Power(stage);
  b->SetTabStop(true);
  Show();
  b->SetFocus();
  PumpUntil([b] { return b->Focused(); }, 3000);
  QWindow* window = b->GetWidget()->window()->windowHandle();
  QKeyEvent up(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, " ");
  QCoreApplication::sendEvent(window, &up);  // a release without its press
  EXPECT_TRUE(stage.log.empty());
  Key(b, Qt::Key_Space, " ");
  EXPECT_EQ(stage.log, (std::vector<std::string>{"click on"}));
}

TEST_F(ButtonInput, DemoButtonClicksOnlyWhenReleasedOverIt) {
  auto* b = stage.Add<TVrDemoButton>("demo", 20, 60, 65, 17);
  b->SetCaption("Reset");
  b->OnClick = [this](TObject*) { stage.log.push_back("click"); };
  Show();
  Move(b, 10, 8);
  EXPECT_TRUE(b->GetHasMouse());
  Press(b, 10, 8);
  EXPECT_TRUE(b->GetDown());
  Move(b, 200, 8, Qt::LeftButton);
  EXPECT_FALSE(b->GetDown());
  Release(b, 200, 8);
  EXPECT_TRUE(stage.log.empty());
  Move(b, 10, 8);
  Press(b, 10, 8);
  Move(b, 200, 8, Qt::LeftButton);
  Move(b, 12, 8, Qt::LeftButton);
  EXPECT_TRUE(b->GetDown());
  Release(b, 12, 8);
  EXPECT_EQ(stage.log, (std::vector<std::string>{"click"}));
}

// The caption's accelerator clicks the buttons (the power button without a
// toggle): with Alt from a value edit, plainly from a control that takes no
// characters; never a disabled button.
TEST_F(ButtonInput, CaptionAcceleratorClicksWithoutToggling) {
  auto* power = Power(stage);
  power->SetCaption("&Bypass");
  auto* demo = stage.Add<TVrDemoButton>("demo", 20, 60, 65, 17);
  demo->SetCaption("EQ &reset");
  demo->OnClick = [this](TObject*) { stage.log.push_back("reset"); };
  auto* edit = stage.Add<TEdit>("edit", 20, 100, 80, 21);
  auto* other = stage.Add<TVrPowerButton>("other", 20, 140, 47, 16);
  other->SetTabStop(true);
  Show();
  edit->SetFocus();
  PumpUntil([edit] { return edit->Focused(); }, 3000);
  Key(edit, Qt::Key_B, "b", Qt::AltModifier);
  Key(edit, Qt::Key_R, "r", Qt::AltModifier);
  Key(edit, Qt::Key_B, "b");  // the edit's own letter
  EXPECT_EQ(stage.log, (std::vector<std::string>{"click off", "reset"}));
  EXPECT_FALSE(power->GetActive());
  EXPECT_EQ(edit->GetText(), "b");
  stage.log.clear();
  other->SetFocus();
  PumpUntil([other] { return other->Focused(); }, 3000);
  Key(other, Qt::Key_B, "b");
  power->SetEnabled(false);
  Key(other, Qt::Key_B, "b", Qt::AltModifier);
  EXPECT_EQ(stage.log, (std::vector<std::string>{"click off"}));
}

TEST(VrDrawing, Frame3DDrawsRingsAndReturnsTheInside) {
  TBitmap bmp(10, 10);
  TCanvas* c = bmp.GetCanvas();
  c->Brush->SetColor(clWhite);
  c->FillRect(Rect(0, 0, 10, 10));
  TRect r = Rect(0, 0, 10, 10);
  DrawFrame3D(c, r, clRed, clBlue, 2);
  EXPECT_EQ(r, Rect(2, 2, 8, 8));
  EXPECT_EQ(c->GetPixels(0, 0), clRed);
  EXPECT_EQ(c->GetPixels(9, 9), clBlue);
  EXPECT_EQ(c->GetPixels(1, 1), clRed);
  EXPECT_EQ(c->GetPixels(8, 8), clBlue);
  EXPECT_EQ(c->GetPixels(2, 2), clWhite);
  TRect same = Rect(0, 0, 10, 10);
  DrawFrame3D(c, same, clRed, clBlue, 0);
  EXPECT_EQ(same, Rect(0, 0, 10, 10));
}

TEST(VrDrawing, ImageAndCaptionLayout) {
  App();
  TCanvas measure;
  measure.Font->SetName("Tahoma");
  measure.Font->SetHeight(-11);
  const std::string caption = "In1";
  const int tw = measure.TextWidth(caption), th = measure.TextHeight(caption);
  TPoint image{0, 0};
  TRect text;
  CalcImageTextLayout(&measure, Rect(0, 0, 47, 16), caption, ImageLeft, -1, 5, TPoint{12, 12}, image, text);
  const int margin = (47 - (12 + 5 + tw) + 1) / 2;
  EXPECT_EQ(image.X, margin);
  EXPECT_EQ(image.Y, 2);
  EXPECT_EQ(text.Left, margin + 12 + 5);
  EXPECT_EQ(text.Top, (16 - th + 1) / 2);
  EXPECT_EQ(text.Right - text.Left, tw);
  // Without a caption the LED alone is centred.
  CalcImageTextLayout(&measure, Rect(0, 0, 47, 16), "", ImageLeft, -1, 5, TPoint{12, 12}, image, text);
  EXPECT_EQ(image.X, (47 - 12 + 1) / 2);
}

TEST(VrClasses, PaletteAndFont3DNotifyOncePerAssign) {
  TVrPalette a, b;
  EXPECT_EQ(a.GetColor(0), clGreen);
  EXPECT_EQ(a.GetColor(1), clLime);
  int changes = 0;
  a.OnChange = [&](TObject*) { ++changes; };
  b.SetLow(clOlive);
  b.SetHigh(clYellow);
  a.Assign(&b);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(a.GetHigh(), clYellow);
  TVrFont3D f, g;
  g.SetStyle(f3dRaised);
  g.SetShadowDepth(2);
  int fontChanges = 0;
  f.OnChange = [&](TObject*) { ++fontChanges; };
  f.Assign(&g);
  EXPECT_EQ(fontChanges, 1);
  EXPECT_EQ(f.GetShadowDepth(), 2);
}

TEST(VrButtonsLook, LedShowsHighWhenActiveLowWhenNotAndButtonColourWhenDisabled) {
  FormStage stage;
  auto* b = Power(stage);
  stage.form->SetColor(clBlack);
  stage.form->Show();
  auto ledCentre = [&] {
    QImage shot = b->GetWidget()->grab().toImage();
    const TRect r = b->GetImageRect();
    const QRgb p = shot.pixel((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    return RGB(qRed(p), qGreen(p), qBlue(p));
  };
  EXPECT_EQ(ledCentre(), clOlive);
  b->SetActive(true);
  EXPECT_EQ(ledCentre(), clYellow);
  b->SetEnabled(false);
  EXPECT_EQ(ledCentre(), clBlack);
}

// A button of no colour shows its parent round the LED and caption; one
// with a colour covers it.
TEST(VrButtonsLook, ButtonOfNoColourShowsTheParent) {
  FormStage stage;
  constexpr TColor strip = RGB(0x2A, 0x30, 0x38);
  stage.form->SetColor(strip);
  auto* clear = Power(stage);
  clear->SetColor(clNone);
  auto* demo = stage.Add<TVrDemoButton>("demo", 20, 50, 65, 17);
  demo->SetColor(clNone);
  demo->SetBevelWidth(0);
  demo->SetOutlineWidth(0);
  auto* black = stage.Add<TVrPowerButton>("black", 20, 80, 47, 16);
  black->SetColor(clBlack);
  black->SetBevelWidth(0);
  black->SetOutlineWidth(0);
  stage.form->Show();
  DrainEvents();
  QImage shot = stage.form->GetWidget()->grab().toImage();
  auto at = [&](int x, int y) {
    const QRgb p = shot.pixel(x, y);
    return RGB(qRed(p), qGreen(p), qBlue(p));
  };
  const TRect led = clear->GetImageRect();
  EXPECT_EQ(at(20 + 1, 20 + 1), strip);
  EXPECT_EQ(at(20 + (led.Left + led.Right) / 2, 20 + (led.Top + led.Bottom) / 2), clOlive);
  EXPECT_EQ(at(20 + 1, 50 + 1), strip);
  EXPECT_EQ(at(20 + 1, 80 + 1), clBlack);
}

}  // namespace
