// TTimer: one-shot by disabling itself, restart on re-enable, ticks inside
// modal loops, errors in handlers, a timer freed by its own handler.

#include <gtest/gtest.h>

#include <QElapsedTimer>

#include "ClassLibTestSupport.h"
#include "platform/classlib/ExtCtrls.h"

using namespace classlib_test;

namespace {

class TimerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    App();
    Messages().clear();
  }
};

TEST_F(TimerTest, HandlerThatDisablesItsTimerMakesItOneShot) {
  TTimer timer(nullptr);
  timer.SetInterval(5);
  int ticks = 0;
  timer.OnTimer = [&](TObject* sender) {
    ++ticks;
    static_cast<TTimer*>(sender)->SetEnabled(false);
  };
  ASSERT_TRUE(WaitForValue(
      "ticks", [&] { return ticks; }, 1));
  ASSERT_TRUE(WaitOutTimersDueWithin(60));
  EXPECT_EQ(ticks, 1);
  EXPECT_FALSE(timer.GetEnabled());
}

TEST_F(TimerTest, DisableThenEnableStartsAFullIntervalAgain) {
  TTimer timer(nullptr);
  timer.SetInterval(300);
  QElapsedTimer clock;
  qint64 firedAt = -1;
  timer.OnTimer = [&](TObject*) {
    if (firedAt < 0) firedAt = clock.elapsed();
  };
  clock.start();
  ASSERT_TRUE(WaitOutTimersDueWithin(200));
  ASSERT_LT(firedAt, 0) << "fired before its interval";
  qint64 restartAt = clock.elapsed();
  timer.SetEnabled(false);
  timer.SetEnabled(true);
  ASSERT_TRUE(WaitFor("the restarted timer to fire", [&] { return firedAt >= 0; }));
  // Never earlier than a whole interval after the restart.
  EXPECT_GE(firedAt - restartAt, 295);
}

TEST_F(TimerTest, NothingFiresWithIntervalZeroOrWithoutHandler) {
  TTimer timer(nullptr);
  int ticks = 0;
  timer.SetInterval(0);
  timer.OnTimer = [&](TObject*) { ++ticks; };
  ASSERT_TRUE(WaitOutTimersDueWithin(30));
  EXPECT_EQ(ticks, 0);
  timer.SetInterval(5);
  ASSERT_TRUE(WaitFor("a tick at interval 5", [&] { return ticks > 0; }));
}

TEST_F(TimerTest, TimersKeepTickingInsideAModalLoop) {
  FormGuard keep;
  auto* dialog = keep(new TForm(Application));
  auto* timer = new TTimer(dialog);
  timer->SetInterval(5);
  int ticks = 0;
  timer->OnTimer = [&](TObject*) {
    if (++ticks == 3) dialog->SetModalResult(mrOk);
  };
  EXPECT_EQ(dialog->ShowModal(), mrOk);
  EXPECT_EQ(ticks, 3);
  EXPECT_FALSE(dialog->GetVisible());
}

TEST_F(TimerTest, ExceptionInAHandlerIsShownAndTheTimerGoesOn) {
  TTimer timer(nullptr);
  timer.SetInterval(5);
  int ticks = 0;
  timer.OnTimer = [&](TObject*) {
    if (++ticks == 1) throw Exception("Timer handler failed");
  };
  ASSERT_TRUE(WaitFor("two ticks inside the modal loop", [&] { return ticks >= 2; }));
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0].text, "Timer handler failed.");
  EXPECT_EQ(Messages()[0].flags, MB_OK | MB_ICONSTOP);
}

TEST_F(TimerTest, HandlerMayFreeItsOwnTimer) {
  auto* timer = new TTimer(nullptr);
  timer->SetInterval(5);
  bool freed = false;
  timer->OnTimer = [&](TObject* sender) {
    static_cast<TTimer*>(sender)->Free();
    freed = true;
  };
  ASSERT_TRUE(WaitFor("the handler to free its timer", [&] { return freed; }));
  DrainEvents();  // the toolkit finishes with the timer it was inside
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace
