// A form's loaded phase, and a form brought on screen before the event
// loop runs: what falls due meanwhile waits, in order, and a window that
// never comes up ends the wait at its bound.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QEvent>
#include <QObject>
#include <QWidget>

#include <string>
#include <vector>

#include "platform/classlib/ExtCtrls.h"
#include "platform/classlib/Forms.h"
#include "tests/platform/classlib/ClassLibTestSupport.h"

using namespace classlib_test;

namespace {

std::vector<std::string>& Log() {
  static std::vector<std::string> log;
  return log;
}

class TLoadRecorder : public TComponent {
 public:
  TLoadRecorder(TComponent* AOwner, std::string Name) : TComponent(AOwner), FName(std::move(Name)) {}

 protected:
  void Loaded() override {
    TComponent::Loaded();
    Log().push_back("loaded " + FName + (GetComponentState().Contains(csLoading) ? " (loading)" : ""));
  }

 private:
  std::string FName;
};

class TLoadedForm : public TForm {
 public:
  explicit TLoadedForm(TComponent* AOwner) : TForm(AOwner) {
    auto* a = new TLoadRecorder(this, "a");
    new TLoadRecorder(a, "a.child");
    new TLoadRecorder(this, "b");
    OnCreate = [](TObject*) { Log().push_back("create"); };
  }
};

TEST(FormLoadedPhase, EveryComponentLoadedInCreationOrderBeforeOnCreate) {
  App();
  Log().clear();
  auto* form = new TLoadedForm(App());
  form->AfterConstruction();
  form->AfterConstruction();
  EXPECT_EQ(Log(), (std::vector<std::string>{"loaded a.child", "loaded a", "loaded b", "create"}));
  EXPECT_FALSE(form->GetComponentState().Contains(csLoading));
  form->Free();
}

TEST(FormOnScreen, ShownAndPaintedWhileTimersAndPostsWaitInOrder) {
  App();
  TForm form(App());
  form.AfterConstruction();
  form.SetBounds(10, 10, 120, 80);
  std::vector<std::string> ran;
  TTimer timer(nullptr);
  timer.SetInterval(1);
  timer.OnTimer = [&](TObject*) {
    ran.push_back("timer");
    timer.SetEnabled(false);
  };
  HWND window = AllocateHWnd([&](TMessage& m) { ran.push_back("message " + std::to_string(m.Msg)); });
  timer.SetEnabled(true);
  PostMessage(window, WM_USER + 1, 0, 0);
  // The first paint holds on until the timer is due, so that it falls due
  // inside the call.
  QElapsedTimer armed;
  armed.start();
  int paints = 0;
  form.OnPaint = [&](TObject*) {
    ++paints;
    while (armed.elapsed() < 5) {}
  };
  EXPECT_TRUE(form.ShowOnScreen());
  EXPECT_TRUE(form.GetVisible());
  EXPECT_GE(paints, 1);
  EXPECT_TRUE(ran.empty()) << "nothing but the window's own work ran";
  PostMessage(window, WM_USER + 2, 0, 0);
  EXPECT_TRUE(WaitFor("what waited", [&] { return ran.size() >= 3; }));
  // The post made before the call was caught first; the later post comes last.
  ASSERT_EQ(ran.size(), 3u);
  EXPECT_EQ(ran[0], "message " + std::to_string(WM_USER + 1));
  EXPECT_EQ(ran[1], "timer");
  EXPECT_EQ(ran[2], "message " + std::to_string(WM_USER + 2));
  DeallocateHWnd(window);
  form.Hide();
}

// Keeps every paint from a widget: the window never comes up.
struct PaintEater : QObject {
  bool eventFilter(QObject*, QEvent* e) override { return e->type() == QEvent::Paint; }
};

TEST(FormOnScreen, AWindowThatNeverComesUpEndsTheCallAtItsBound) {
  App();
  TForm form(App());
  form.AfterConstruction();
  PaintEater eater;
  form.GetWidget()->installEventFilter(&eater);
  EXPECT_FALSE(form.ShowOnScreen(60));
  EXPECT_TRUE(form.GetVisible()) << "it stays shown for the loop to bring up";
  form.GetWidget()->removeEventFilter(&eater);
  form.Hide();
}

TEST(FormOnScreen, NoActivateFormNeverTakesTheFocus) {
  App();
  TForm other(App());
  other.AfterConstruction();
  TForm quiet(App());
  quiet.AfterConstruction();
  quiet.SetNoActivate(true);
  quiet.SetBorderStyle(bsNone);
  int activations = 0;
  quiet.OnActivate = [&](TObject*) { ++activations; };
  ShowAndActivate(&other);
  const bool otherWasActive = other.GetActive();
  quiet.ShowOnScreen();
  Press(&quiet, 5, 5);
  Release(&quiet, 5, 5);
  DrainEvents();
  EXPECT_FALSE(quiet.GetActive());
  EXPECT_EQ(activations, 0);
  if (otherWasActive) {
    EXPECT_TRUE(WaitFor("the other form active again", [&] { return other.GetActive(); }));
  }
  quiet.Hide();
  other.Hide();
}

}  // namespace
