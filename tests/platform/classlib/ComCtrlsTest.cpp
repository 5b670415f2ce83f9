// The up-down arrows (their events, one table) and the status bar.

#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

#include "ClassLibTestSupport.h"
#include "platform/classlib/ComCtrls.h"

using namespace classlib_test;

namespace {

using Log = std::vector<std::string>;

const char* DirectionName(TUpDownDirection d) {
  return d == updUp ? "up" : d == updDown ? "down" : "none";
}

struct UpDownCase {
  const char* name;
  std::function<void(TUpDown*)> setup;
  std::function<void(TUpDown*)> act;
  Log expected;
  int positionAfter;
};

void ClickAt(TControl* c, int x, int y) {
  Press(c, x, y);
  Release(c, x, y);
}

// Upper half: the next (up) arrow; lower half: the previous one.
void ClickUp(TUpDown* u) {
  ClickAt(u, 8, 3);
}
void ClickDown(TUpDown* u) {
  ClickAt(u, 8, u->GetHeight() - 3);
}

TEST(ComCtrls, UpDownAsksBeforeEveryStepAndClicksOnlyWhenItMoved) {
  const std::vector<UpDownCase> cases = {
      {"upper arrow", nullptr, ClickUp, {"ChangingEx:1:up", "Click:next"}, 1},
      {"lower arrow", nullptr, ClickDown, {"ChangingEx:-1:none"}, 0},
      {"lower arrow above Min",
       [](TUpDown* u) { u->SetPosition(3); },
       ClickDown,
       {"ChangingEx:2:down", "Click:prev"},
       2},
      {"Increment steps",
       [](TUpDown* u) { u->SetIncrement(5); },
       ClickUp,
       {"ChangingEx:5:up", "Click:next"},
       5},
      // At its end the step is still offered (the program reads the
      // direction from NewValue), but nothing moves.
      {"upper arrow at Max",
       [](TUpDown* u) {
         u->SetMax(1);
         u->SetPosition(1);
       },
       ClickUp,
       {"ChangingEx:2:none"},
       1},
      {"wrapping past Max",
       [](TUpDown* u) {
         u->SetMax(1);
         u->SetPosition(1);
         u->SetWrap(true);
       },
       ClickUp,
       {"ChangingEx:2:none", "Click:next"},
       0},
      {"a handler refuses the step",
       [](TUpDown* u) {
         u->OnChangingEx = [](TObject*, bool& allow, int, TUpDownDirection) { allow = false; };
       },
       ClickUp,
       {},
       0},
      {"OnChanging is asked first",
       [](TUpDown* u) { u->OnChanging = [](TObject*, bool& allow) { allow = false; }; },
       ClickUp,
       {"ChangingEx:1:up"},
       0},
      {"the program writes the position", nullptr, [](TUpDown* u) { u->SetPosition(-40); }, {}, -40},
      {"arrow keys step while it has the focus",
       nullptr,
       [](TUpDown* u) {
         u->SetFocus();
         Key(u, Qt::Key_Up);
         Key(u, Qt::Key_Up);
         Key(u, Qt::Key_Down);
       },
       {"ChangingEx:1:up", "Click:next", "ChangingEx:2:up", "Click:next", "ChangingEx:1:down", "Click:prev"},
       1},
      {"a hidden up-down keeps its position",
       nullptr,
       [](TUpDown* u) {
         u->Hide();
         u->SetPosition(7);
         u->Show();
       },
       {},
       7},
  };
  for (const UpDownCase& c : cases) {
    SCOPED_TRACE(c.name);
    App();
    FormGuard guard;
    auto* form = guard(new TForm(nullptr));
    form->SetBounds(100, 100, 200, 120);
    auto* up = new TUpDown(form);
    up->SetParent(form);
    up->SetBounds(10, 10, 17, 25);
    up->SetMin(0);
    up->SetMax(10);
    Log log;
    up->OnChangingEx = [&](TObject*, bool&, int value, TUpDownDirection d) {
      log.push_back("ChangingEx:" + std::to_string(value) + ":" + DirectionName(d));
    };
    up->OnClick = [&](TObject* sender, TUDBtnType b) {
      EXPECT_EQ(sender, up);
      log.push_back(std::string("Click:") + (b == btNext ? "next" : "prev"));
    };
    if (c.setup) c.setup(up);
    ShowAndActivate(form);
    c.act(up);
    DrainEvents();
    EXPECT_EQ(log, c.expected);
    EXPECT_EQ(up->GetPosition(), c.positionAfter);
  }
}

TEST(ComCtrls, HeldArrowRepeatsUntilReleased) {
  App();
  FormGuard guard;
  auto* form = guard(new TForm(nullptr));
  auto* up = new TUpDown(form);
  up->SetParent(form);
  up->SetMax(1000);
  ShowAndActivate(form);
  int clicks = 0;
  up->OnClick = [&](TObject*, TUDBtnType) { ++clicks; };
  Press(up, 8, 3);
  ASSERT_TRUE(WaitFor("the held button to repeat to position 3", [&] { return up->GetPosition() >= 3; }));
  Release(up, 8, 3);
  const int stopped = up->GetPosition();
  ASSERT_TRUE(WaitOutTimersDueWithin(300));
  EXPECT_EQ(up->GetPosition(), stopped);
  EXPECT_EQ(clicks, stopped);
}

TEST(ComCtrls, UpDownFreedByItsOwnClickHandlerIsSafe) {
  App();
  FormGuard guard;
  auto* form = guard(new TForm(nullptr));
  auto* up = new TUpDown(form);
  up->SetParent(form);
  ShowAndActivate(form);
  up->OnClick = [&](TObject* sender, TUDBtnType) { static_cast<TUpDown*>(sender)->Free(); };
  Press(up, 8, 3);
  EXPECT_TRUE(WaitForValue(
      "form's control count", [&] { return form->GetControlCount(); }, 0));
}

TEST(ComCtrls, StatusBarSitsAtTheBottomAndShowsSimpleTextOnlyAsASimplePanel) {
  App();
  FormGuard guard;
  auto* form = guard(new TForm(nullptr));
  form->SetBounds(100, 100, 300, 120);
  auto* bar = new TStatusBar(form);
  bar->SetParent(form);
  bar->SetSimpleText("Offline");
  ShowAndActivate(form);
  EXPECT_EQ(bar->GetTop() + bar->GetHeight(), form->GetClientHeight());
  EXPECT_EQ(bar->GetWidth(), form->GetClientWidth());
  auto inked = [&] {
    QImage img = bar->GetWidget()->grab().toImage();
    const QColor face = img.pixelColor(img.width() - 2, img.height() / 2);
    int n = 0;
    for (int y = 2; y < img.height(); ++y)
      for (int x = 0; x < 60; ++x) n += img.pixelColor(x, y) != face;
    return n;
  };
  EXPECT_EQ(inked(), 0);
  bar->SetSimplePanel(true);
  EXPECT_GT(inked(), 0);
}

}  // namespace
