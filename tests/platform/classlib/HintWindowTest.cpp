#include <QApplication>
#include <QImage>
#include <QWidget>

#include <gtest/gtest.h>

#include "ClassLibTestSupport.h"
#include "platform/classlib/HintWindow.h"
#include "platform/classlib/StdCtrls.h"

using namespace classlib_test;

TEST(HintWindow, ShowsOnTopWithoutTakingTheFocus) {
  FormStage stage;
  auto* edit = stage.Add<TEdit>("Edit1", 10, 10, 120, 24);
  ShowAndActivate(stage.form);
  edit->SetFocus();
  ASSERT_TRUE(PumpUntil([&] { return edit->Focused(); }));
  QWidget* formWindow = stage.form->GetWidget();

  auto* hint = stage.guard(new THintWindow(stage.form));
  hint->ActivateHint(Rect(200, 150, 300, 170), "-3.5 dB");
  QWidget* w = hint->GetWidget();
  ASSERT_TRUE(PumpUntil([w] { return w->isVisible(); }));
  PumpUntil([] { return false; }, 50);  // let any activation the window system does arrive
  EXPECT_TRUE(w->isWindow());
  EXPECT_TRUE(w->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_TRUE(w->windowFlags() & Qt::WindowDoesNotAcceptFocus);
  EXPECT_TRUE(w->testAttribute(Qt::WA_ShowWithoutActivating));
  EXPECT_EQ(w->focusPolicy(), Qt::NoFocus);
  EXPECT_TRUE(formWindow->isActiveWindow()) << "the form stays active";
  EXPECT_FALSE(w->isActiveWindow());
  EXPECT_TRUE(edit->Focused()) << "the edit keeps the focus";
  EXPECT_EQ(hint->GetCaption(), "-3.5 dB");
  EXPECT_EQ(w->geometry(), QRect(200, 150, 100, 20));

  // Past the monitor's right and bottom edges: moved back inside.
  const TRect mon = Screen->GetPrimaryMonitor()->GetBoundsRect();
  hint->ActivateHint(Rect(mon.Right - 30, mon.Bottom - 5, mon.Right + 70, mon.Bottom + 15), "edge");
  EXPECT_EQ(hint->GetBoundsRect().Right, mon.Right);
  EXPECT_EQ(hint->GetBoundsRect().Bottom, mon.Bottom);
  EXPECT_EQ(hint->GetWidth(), 100);

  hint->ReleaseHandle();
  EXPECT_TRUE(PumpUntil([w] { return !w->isVisible(); }));
  EXPECT_TRUE(edit->Focused());
}

TEST(HintWindow, MeasuresAndPaintsItsText) {
  App();
  FormGuard guard;
  auto* hint = guard(new THintWindow(nullptr));
  const TRect one = hint->CalcHintRect(400, "Gain", nullptr);
  EXPECT_EQ(one.Left, 0);
  EXPECT_EQ(one.Top, 0);
  EXPECT_GT(one.Right, 6);
  EXPECT_GT(one.Bottom, 2);
  const TRect wrapped = hint->CalcHintRect(60, "a longer hint that cannot fit on one line", nullptr);
  EXPECT_LE(wrapped.Right, 60 + 6);
  EXPECT_GT(wrapped.Bottom, 2 * (one.Bottom - 2)) << "broken over lines";

  hint->ActivateHint(Rect(20, 20, 20 + one.Right + 10, 20 + one.Bottom + 6), "Gain");
  QWidget* w = hint->GetWidget();
  ASSERT_TRUE(PumpUntil([w] { return w->isVisible(); }));
  const QImage shot = w->grab().toImage();
  const QColor back = shot.pixelColor(shot.width() - 3, shot.height() / 2);
  EXPECT_EQ(back, QColor(0xFF, 0xFF, 0xE1)) << "the hint colour";
  int dark = 0;
  for (int y = 2; y < shot.height() - 2; ++y) {
    for (int x = 2; x < shot.width() - 2; ++x) dark += shot.pixelColor(x, y).lightness() < 100;
  }
  EXPECT_GT(dark, 5) << "the text is drawn";
  EXPECT_EQ(shot.pixelColor(0, 0), QColor(0x64, 0x64, 0x64)) << "a frame in the window-frame colour";
  hint->ReleaseHandle();
}
