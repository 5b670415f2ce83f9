// The component base: repaint requests under the update bracket and the
// frame-rate limit, the scheduler, paint failures, input hooks.

#include "instruments/base/iUpdateObject.h"
#include "tests/instruments/InstrumentsTestSupport.h"

using namespace instruments_test;

namespace {

class TiComponentTest : public ::testing::Test {
 protected:
  void SetUp() override { classlib_test::App(); }
  FakeClock clock;
  // Whether the last change went through as an immediate repaint.
  bool RepaintedAt(TTestControl& c, TDateTime t) { return !c.GetNeedsRepaint() && c.GetLastUpdate() == t; }
};

TEST_F(TiComponentTest, UpdateBracketHoldsRepaintsUntilEndUpdate) {
  TTestControl c(nullptr);
  clock.AdvanceMs(1000);
  c.BeginUpdate();
  c.BeginUpdate();
  c.SetCount(7);
  EXPECT_TRUE(c.GetNeedsRepaint());
  EXPECT_NE(c.GetLastUpdate(), clock.Get());
  // No nesting count: one EndUpdate closes both.
  c.EndUpdate();
  EXPECT_FALSE(c.GetUpdateActive());
  EXPECT_TRUE(RepaintedAt(c, clock.Get()));
}

TEST_F(TiComponentTest, FrameRateLimitLeavesRepaintPendingForTheScheduler) {
  TTestControl c(nullptr);
  c.SetAutoFrameRate(true);
  c.SetUpdateFrameRate(60);
  clock.AdvanceMs(1000);
  c.SetCount(1);
  ASSERT_TRUE(RepaintedAt(c, clock.Get()));
  const TDateTime painted = clock.Get();
  clock.AdvanceMs(5);
  c.SetCount(2);
  c.SetCount(3);
  EXPECT_TRUE(c.GetNeedsRepaint());
  EXPECT_EQ(c.GetLastUpdate(), painted);

  TiUpdateObject* scheduler = iUpdateObject();
  ASSERT_NE(scheduler, nullptr);
  scheduler->Tick();  // still inside the frame interval
  EXPECT_TRUE(c.GetNeedsRepaint());
  clock.AdvanceMs(20);
  scheduler->Tick();
  EXPECT_TRUE(RepaintedAt(c, clock.Get()));
}

TEST_F(TiComponentTest, RateZeroRepaintsEveryChangeAtOnce) {
  TTestControl c(nullptr);
  c.SetAutoFrameRate(true);
  c.SetUpdateFrameRate(0);
  for (int i = 0; i < 3; ++i) {
    clock.AdvanceMs(1);
    c.SetCount(10 + i);
    EXPECT_TRUE(RepaintedAt(c, clock.Get()));
  }
}

TEST_F(TiComponentTest, SchedulerNeverRepaintsInsideAnOpenBracket) {
  TTestControl c(nullptr);
  c.SetAutoFrameRate(true);
  c.BeginUpdate();
  c.SetCount(9);
  clock.AdvanceMs(60000);
  iUpdateObject()->Tick();
  EXPECT_TRUE(c.GetNeedsRepaint());
  // Switching the frame rate off closes the bracket and flushes.
  c.SetAutoFrameRate(false);
  EXPECT_FALSE(c.GetUpdateActive());
  EXPECT_TRUE(RepaintedAt(c, clock.Get()));
}

TEST_F(TiComponentTest, EqualValueChangesNothing) {
  TTestControl c(nullptr);
  clock.AdvanceMs(1000);
  c.SetCount(3);  // the value it has
  c.SetFlag(false);
  EXPECT_NE(c.GetLastUpdate(), clock.Get());
}

TEST_F(TiComponentTest, SchedulerTimerRunsExactlyWhileControlsAreRegistered) {
  TiUpdateObject s;
  TTestControl a(nullptr), b(nullptr);
  EXPECT_FALSE(s.GetTimerEnabled());
  s.AddUpdateControl(&a);
  EXPECT_TRUE(s.GetTimerEnabled());
  s.AddUpdateControl(&b);
  s.RemoveUpdateControl(&a);
  EXPECT_TRUE(s.GetTimerEnabled());
  s.RemoveUpdateControl(&b);
  EXPECT_FALSE(s.GetTimerEnabled());
  s.RemoveUpdateControl(&a);  // not registered: nothing changes
  EXPECT_EQ(s.GetControlCount(), 0);
  EXPECT_FALSE(s.GetTimerEnabled());
}

TEST_F(TiComponentTest, ProgramSchedulerLivesWhileControlsDo) {
  EXPECT_EQ(iUpdateObject(), nullptr);
  {
    TTestControl c(nullptr);
    ASSERT_NE(iUpdateObject(), nullptr);
    EXPECT_TRUE(iUpdateObject()->GetTimerEnabled());
  }
  EXPECT_EQ(iUpdateObject(), nullptr);
}

TEST_F(TiComponentTest, CachedDrawingOffFreesTheCacheBitmap) {
  TTestControl c(nullptr);
  TBitmap* first = c.GetBackGroundBitmap();
  ASSERT_NE(first, nullptr);
  c.SetCachedDrawing(false);
  EXPECT_FALSE(c.HasBackGroundBitmap());
  c.SetBounds(0, 0, 50, 20);
  EXPECT_EQ(c.GetBackGroundBitmap()->GetWidth(), 50);
  EXPECT_EQ(c.GetBackGroundBitmap()->GetHeight(), 20);
}

TEST_F(TiComponentTest, FailingPaintShowsTheMessageAndStillFiresOnPaint) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 200, 100);
  auto* c = new TTestControl(&form);
  c->SetParent(&form);
  c->SetBounds(0, 0, 120, 40);
  c->FFailPaint = true;
  bool onPaint = false;
  c->OnPaint = [&](TObject*, TCanvas*) { onPaint = true; };
  form.Show();
  TCanvas* canvas = c->GetCanvas();
  auto hasWhite = [&] {
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 40; ++x)
        if (GetGValue(canvas->GetPixels(x, y)) > 0xC0) return true;
    return false;
  };
  ASSERT_TRUE(classlib_test::PumpUntil([&] { return onPaint && canvas->GetPixels(110, 35) == clBlack; }));
  EXPECT_TRUE(hasWhite());
}

TEST_F(TiComponentTest, MouseHooksRunAsUserInputAndKeysReachTheHookOnce) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 200, 100);
  auto* c = new TTestControl(&form);
  c->SetParent(&form);
  c->SetBounds(10, 10, 60, 40);
  classlib_test::ShowAndActivate(&form);
  classlib_test::Press(c, 5, 5);
  classlib_test::Release(c, 5, 5);
  ASSERT_EQ(c->FHooks, std::vector<std::string>{"mousedown:user"});
  EXPECT_FALSE(c->GetUserGenerated());

  c->SetFocus();
  classlib_test::PumpUntil([&] { return c->Focused(); }, 2000);
  c->FHooks.clear();
  QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
  QCoreApplication::sendEvent(c->GetWidget(), &press);
  EXPECT_EQ(c->FHooks, std::vector<std::string>{"keydown:65"});
}

}  // namespace
