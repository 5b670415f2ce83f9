// A form whose client area is smaller than its content scrolls once
// AutoScroll is on: bars below the menu bar, children moved by the scroll
// position, and back to the origin when AutoScroll goes off, as a resize
// handler switching it around a design size does.

#include <gtest/gtest.h>

#include <QImage>
#include <QScrollBar>
#include <QStyle>
#include <QWidget>

#include "ClassLibTestSupport.h"
#include "platform/classlib/ControlImage.h"
#include "platform/classlib/ExtCtrlsControls.h"
#include "platform/classlib/Menus.h"
#include "platform/classlib/StdCtrlsNative.h"

using namespace classlib_test;

namespace {

// The design size of the stage's form: its content reaches exactly there.
constexpr int kDesignWidth = 400;
constexpr int kDesignHeight = 300;

struct Stage : FormStage {
  TPanel* topLeft;
  TPanel* bottomRight;
  TPanel* footer;  // aligned: never part of the range
  std::vector<std::string> resizes;
  Stage() {
    form->SetColor(clNavy);
    form->GetFont()->SetColor(RGB(230, 233, 237));
    form->SetBounds(100, 100, kDesignWidth, kDesignHeight);
    topLeft = Panel(10, 10, 100, 50, clRed);
    bottomRight = Panel(kDesignWidth - 60, kDesignHeight - 40, 60, 40, clYellow);
    footer = Panel(0, 0, 10, 12, clGray);
    footer->SetAlign(alBottom);
    // As the main window does: scroll below the design size, lay out above it.
    form->OnResize = [this](TObject*) {
      const bool small = form->GetWidth() < kDesignWidth || form->GetHeight() < kDesignHeight;
      form->SetAutoScroll(small);
      resizes.push_back(std::to_string(form->GetWidth()) + "x" + std::to_string(form->GetHeight()));
    };
  }
  TPanel* Panel(int l, int t, int w, int h, TColor color) {
    auto* p = Add<TPanel>(l, t, w, h);
    p->SetBevelOuter(bvNone);
    p->SetColor(color);
    return p;
  }
  TControlScrollBar* Horz() { return form->GetHorzScrollBar(); }
  TControlScrollBar* Vert() { return form->GetVertScrollBar(); }
  // The toolkit's bars that show, horizontal then vertical.
  std::pair<QScrollBar*, QScrollBar*> ShownBars() {
    std::pair<QScrollBar*, QScrollBar*> bars{nullptr, nullptr};
    for (QScrollBar* b : form->GetWidget()->findChildren<QScrollBar*>(Qt::FindDirectChildrenOnly)) {
      if (b->isHidden()) continue;
      (b->orientation() == Qt::Horizontal ? bars.first : bars.second) = b;
    }
    return bars;
  }
};

TEST(FormScroll, AFormStartsWithoutScrollingAndKeepsItsClientArea) {
  Stage s;
  s.form->OnResize = nullptr;
  s.form->SetBounds(100, 100, 200, 150);
  EXPECT_FALSE(s.form->GetAutoScroll());
  EXPECT_FALSE(s.Horz()->IsScrollBarVisible());
  EXPECT_FALSE(s.Vert()->IsScrollBarVisible());
  EXPECT_EQ(s.form->GetClientWidth(), 200);
  EXPECT_EQ(s.form->GetClientHeight(), 150);
  EXPECT_EQ(s.ShownBars().first, nullptr);
  EXPECT_EQ(s.ShownBars().second, nullptr);
}

TEST(FormScroll, TheResizeHandlerSwitchesScrollingAroundTheDesignSize) {
  Stage s;
  ShowAndActivate(s.form);
  const int bar = stdctrls::StandardStyle()->pixelMetric(QStyle::PM_ScrollBarExtent);
  struct Case {
    int width, height;
    bool horz, vert;
  } cases[] = {
      {kDesignWidth, kDesignHeight, false, false},
      {kDesignWidth + 30, kDesignHeight - 50, false, true},
      {kDesignWidth, kDesignHeight - 50, true, true},  // the vertical bar narrows the client
      {kDesignWidth - 100, kDesignHeight, true, true},
      {kDesignWidth - 100, kDesignHeight - 50, true, true},
      {kDesignWidth + 80, kDesignHeight + 60, false, false},
  };
  for (const Case& c : cases) {
    const std::string what = std::to_string(c.width) + "x" + std::to_string(c.height);
    s.form->SetBounds(100, 100, c.width, c.height);
    EXPECT_EQ(s.form->GetAutoScroll(), c.width < kDesignWidth || c.height < kDesignHeight) << what;
    EXPECT_EQ(s.Horz()->IsScrollBarVisible(), c.horz) << what;
    EXPECT_EQ(s.Vert()->IsScrollBarVisible(), c.vert) << what;
    EXPECT_EQ(s.form->GetClientWidth(), c.width - (c.vert ? bar : 0)) << what;
    EXPECT_EQ(s.form->GetClientHeight(), c.height - (c.horz ? bar : 0)) << what;
    // The aligned footer sits above the horizontal bar.
    EXPECT_EQ(s.footer->GetTop() + s.footer->GetHeight(), s.form->GetClientHeight()) << what;
    const auto [h, v] = s.ShownBars();
    EXPECT_EQ(h != nullptr, c.horz) << what;
    EXPECT_EQ(v != nullptr, c.vert) << what;
    if (c.horz || c.vert) {
      // The ranges are the content's extent.
      EXPECT_EQ(s.Horz()->GetRange(), kDesignWidth) << what;
      EXPECT_EQ(s.Vert()->GetRange(), kDesignHeight) << what;
    }
  }
  // Scrolled while small, then enlarged: the content is back at its place.
  s.form->SetBounds(100, 100, kDesignWidth - 100, kDesignHeight - 50);
  s.Horz()->SetPosition(60);
  s.Vert()->SetPosition(1000);  // clamped to the end
  EXPECT_EQ(s.topLeft->GetLeft(), 10 - 60);
  EXPECT_EQ(s.bottomRight->GetTop() + s.bottomRight->GetHeight(), s.form->GetClientHeight());
  s.form->SetBounds(100, 100, kDesignWidth, kDesignHeight);
  EXPECT_EQ(s.Horz()->GetPosition(), 0);
  EXPECT_EQ(s.Vert()->GetPosition(), 0);
  EXPECT_EQ(s.topLeft->GetBoundsRect(), Bounds(10, 10, 100, 50));
  EXPECT_EQ(s.bottomRight->GetBoundsRect(), Bounds(kDesignWidth - 60, kDesignHeight - 40, 60, 40));
}

TEST(FormScroll, AResizeByTheWindowScrollsToo) {
  Stage s;
  ShowAndActivate(s.form);
  s.form->GetWidget()->resize(kDesignWidth - 120, kDesignHeight - 80);
  ASSERT_TRUE(WaitFor("the form's new size", [&] { return s.form->GetWidth() == kDesignWidth - 120; }));
  EXPECT_TRUE(s.form->GetAutoScroll());
  EXPECT_TRUE(s.Horz()->IsScrollBarVisible());
  EXPECT_TRUE(s.Vert()->IsScrollBarVisible());
  // The toolkit's bar scrolls the form (a drag of its handle ends there).
  QScrollBar* v = s.ShownBars().second;
  ASSERT_NE(v, nullptr);
  v->setValue(30);
  EXPECT_EQ(s.Vert()->GetPosition(), 30);
  EXPECT_EQ(s.topLeft->GetTop(), 10 - 30);
  // So does the wheel over the form.
  Wheel(s.form, 200, 50, -WHEEL_DELTA);
  EXPECT_GT(s.Vert()->GetPosition(), 30);
}

TEST(FormScroll, BarsSitBelowTheMenuBarAndFollowMovedChildren) {
  Stage s;
  s.form->OnResize = nullptr;
  auto* menu = new TMainMenu(s.form);
  auto* file = new TMenuItem(s.form);
  file->SetCaption("&File");
  menu->GetItems()->Add(file);
  s.form->SetMenu(menu);
  ASSERT_GT(s.form->GetHeight(), kDesignHeight);  // the window grew by the menu bar
  s.form->SetClientHeight(200);
  s.form->SetClientWidth(kDesignWidth + 30);
  s.form->SetAutoScroll(true);
  ShowAndActivate(s.form);
  const auto [h, v] = s.ShownBars();
  ASSERT_NE(v, nullptr);
  const int top = s.form->GetHeight() - 200;
  EXPECT_EQ(v->geometry().top(), top);
  EXPECT_EQ(v->geometry().bottom() + 1, top + s.form->GetClientHeight());
  EXPECT_EQ(h, nullptr);

  // A child moved past the content's edge widens the range once the event
  // loop has had a turn.
  s.bottomRight->SetTop(500);
  ASSERT_TRUE(WaitForValue(
      "the vertical range", [&] { return s.Vert()->GetRange(); }, 540));
  // A hidden child no longer counts.
  s.bottomRight->SetVisible(false);
  ASSERT_TRUE(WaitForValue(
      "the vertical range", [&] { return s.Vert()->GetRange(); }, 60));
}

TEST(FormScroll, APictureOfAScrolledFormShowsTheBars) {
  Stage s;
  s.form->SetBounds(100, 100, kDesignWidth - 100, kDesignHeight - 50);
  s.Vert()->SetPosition(20);
  const std::string path = ::testing::TempDir() + "form-scroll.png";
  ASSERT_TRUE(SaveControlImage(s.form, path));
  const QImage img(QString::fromStdString(path));
  ASSERT_EQ(img.size(), QSize(kDesignWidth - 100, kDesignHeight - 50));
  // The red panel, moved up by the scroll; the bar's handle in its column.
  EXPECT_EQ(img.pixelColor(20, 10 - 20 + 30), QColor(255, 0, 0));
  int notForm = 0;
  for (int y = 0; y < img.height(); ++y) notForm += img.pixelColor(img.width() - 4, y) != QColor(0, 0, 128);
  EXPECT_GT(notForm, 20);
}

}  // namespace
