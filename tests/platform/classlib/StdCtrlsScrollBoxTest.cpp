// The scroll box: bars appear only when the children do not fit, scrolling
// moves the children, and the wheel and ScrollInView scroll within range.

#include <gtest/gtest.h>

#include <QScrollBar>
#include <QWidget>

#include "ClassLibTestSupport.h"
#include "platform/classlib/ExtCtrlsControls.h"
#include "platform/classlib/ScrollBox.h"

using namespace classlib_test;

namespace {

struct Stage {
  FormGuard guard;
  TForm* form;
  TScrollBox* box;
  Stage() {
    App();
    form = guard(new TForm(nullptr));
    form->SetBounds(100, 100, 300, 260);
    box = new TScrollBox(form);
    box->SetParent(form);
    box->SetBounds(10, 10, 200, 100);
  }
  TPanel* Child(int left, int top, int width, int height) {
    auto* p = new TPanel(form);
    p->SetParent(box);
    p->SetBounds(left, top, width, height);
    return p;
  }
};

TEST(StdCtrlsScrollBox, BarsShowOnlyForContentBeyondTheBox) {
  Stage s;
  s.Child(10, 10, 50, 50);
  s.box->UpdateScrollBars();
  EXPECT_FALSE(s.box->GetVertScrollBar()->IsScrollBarVisible());
  EXPECT_FALSE(s.box->GetHorzScrollBar()->IsScrollBarVisible());
  EXPECT_EQ(s.box->GetClientWidth(), 200);

  TPanel* low = s.Child(10, 150, 50, 50);
  s.box->UpdateScrollBars();
  EXPECT_TRUE(s.box->GetVertScrollBar()->IsScrollBarVisible());
  EXPECT_FALSE(s.box->GetHorzScrollBar()->IsScrollBarVisible());
  EXPECT_EQ(s.box->GetVertScrollBar()->GetRange(), 200);
  EXPECT_LT(s.box->GetClientWidth(), 200);

  // Scrolling moves the children; the range does not change with it.
  s.box->GetVertScrollBar()->SetPosition(40);
  EXPECT_EQ(low->GetTop(), 110);
  EXPECT_EQ(s.box->GetVertScrollBar()->GetRange(), 200);
  // Never past the end.
  s.box->GetVertScrollBar()->SetPosition(1000);
  EXPECT_EQ(s.box->GetVertScrollBar()->GetPosition(), 100);
  EXPECT_EQ(low->GetTop() + low->GetHeight(), 100);

  // Content that shrinks scrolls back.
  low->Free();
  s.box->UpdateScrollBars();
  EXPECT_FALSE(s.box->GetVertScrollBar()->IsScrollBarVisible());
  EXPECT_EQ(s.box->GetVertScrollBar()->GetPosition(), 0);
}

TEST(StdCtrlsScrollBox, WheelAndScrollInViewScrollTheContent) {
  Stage s;
  TPanel* first = s.Child(0, 0, 50, 40);
  TPanel* last = s.Child(0, 400, 50, 40);
  ShowAndActivate(s.form);
  s.box->UpdateScrollBars();
  Wheel(s.box, 100, 50, -WHEEL_DELTA);
  const int scrolled = s.box->GetVertScrollBar()->GetPosition();
  EXPECT_GT(scrolled, 0);
  EXPECT_EQ(first->GetTop(), -scrolled);
  // A wheel over a child scrolls the box too.
  Wheel(first, 10, 30, -WHEEL_DELTA);
  EXPECT_GT(s.box->GetVertScrollBar()->GetPosition(), scrolled);
  s.box->ScrollInView(last);
  EXPECT_GE(last->GetTop(), 0);
  EXPECT_LE(last->GetTop() + last->GetHeight(), s.box->GetClientHeight());
  s.box->ScrollInView(first);
  EXPECT_EQ(first->GetTop(), 0);
  // The toolkit's bar follows.
  auto bars = s.box->GetWidget()->findChildren<QScrollBar*>();
  int shown = 0;
  for (QScrollBar* b : bars) shown += b->isVisible();
  EXPECT_EQ(shown, 1);
}

}  // namespace
