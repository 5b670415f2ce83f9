// A form's main menu bar sits above its client area: ClientHeight, the
// children's coordinates, the canvas, mouse positions and ClientToScreen all
// start below it; the bar follows the form's colours; a click on the bar
// may free the form.

#include <gtest/gtest.h>

#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QPointer>

#include <string>
#include <vector>

#include "ClassLibTestSupport.h"
#include "platform/classlib/ExtCtrlsControls.h"
#include "platform/classlib/Menus.h"

using namespace classlib_test;

namespace {

TMenuItem* NewItem(TComponent* owner, const std::string& caption, TMenuItem* parent) {
  auto* item = new TMenuItem(owner);
  item->SetCaption(caption);
  parent->Add(item);
  return item;
}

// A mouse click on the bar's entry for the item, sent through the window.
void ClickOnBar(QMenuBar* bar, TMenuItem* item) {
  QWidget* window = bar->window();
  const QPointF p = bar->mapTo(window, bar->actionGeometry(item->GetAction()).center());
  for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    QMouseEvent e(type, p, p, window->mapToGlobal(p), Qt::LeftButton,
                  type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
    QSpontaneKeyEvent::SetSpontaneous(&e);
    QCoreApplication::sendEvent(window->windowHandle(), &e);
  }
}

TEST(FormMenuBar, TheBarSitsAboveTheClientArea) {
  App();
  FormGuard guard;
  auto* form = guard(new TForm(nullptr));
  form->SetBounds(100, 100, 320, 200);
  form->SetColor(RGB(30, 34, 40));
  form->GetFont()->SetColor(RGB(230, 233, 237));
  auto* panel = new TPanel(form);
  panel->SetParent(form);
  panel->SetBounds(0, 0, 120, 30);
  panel->SetBevelOuter(bvNone);
  panel->SetColor(clRed);
  auto* bottom = new TPanel(form);
  bottom->SetParent(form);
  bottom->SetAlign(alBottom);
  bottom->SetHeight(20);
  bottom->SetBevelOuter(bvNone);
  bottom->SetColor(clBlue);
  const int clientHeight = form->GetClientHeight();

  auto* menu = new TMainMenu(form);
  TMenuItem* file = NewItem(form, "&File", menu->GetItems());
  NewItem(form, "&Open...", file);
  NewItem(form, "&Help", menu->GetItems());
  EXPECT_EQ(form->GetMenu(), menu);
  auto* bar = qobject_cast<QMenuBar*>(form->GetMenuBarWidget());
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(menu->GetMenuBar(), bar);
  const int h = bar->height();
  EXPECT_GT(h, 10);

  // The client area keeps its size; the window grows by the bar.
  EXPECT_EQ(form->GetClientHeight(), clientHeight);
  EXPECT_EQ(form->GetHeight(), clientHeight + h);
  EXPECT_EQ(bottom->GetTop(), clientHeight - 20);
  EXPECT_EQ(panel->GetWidget()->y(), h);
  const QPoint origin = form->GetWidget()->mapToGlobal(QPoint(0, h));
  EXPECT_EQ(form->ClientToScreen(TPoint(0, 0)), TPoint(origin.x(), origin.y()));

  // The canvas starts below the bar, and so do mouse positions.
  form->OnPaint = [form](TObject*) { form->GetCanvas()->SetPixels(200, 0, clLime); };
  std::vector<std::string> downs;
  form->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int x, int y) {
    downs.push_back(std::to_string(x) + "," + std::to_string(y));
  };
  ShowAndActivate(form);
  DrainEvents();
  Press(form, 200, h + 50);
  Release(form, 200, h + 50);
  EXPECT_EQ(downs, std::vector<std::string>{"200,50"});

  QImage shot = form->GetWidget()->grab().toImage();
  EXPECT_EQ(shot.height(), clientHeight + h);
  // The child at Top 0 is whole: its first row is right below the bar.
  EXPECT_EQ(shot.pixelColor(60, h), QColor(Qt::red));
  EXPECT_NE(shot.pixelColor(60, h - 1), QColor(Qt::red));
  EXPECT_EQ(shot.pixelColor(200, h), QColor(Qt::green));
  EXPECT_EQ(shot.pixelColor(60, shot.height() - 1), QColor(Qt::blue));
  // The bar wears a shade of the form's dark colour, and so does a drop-down.
  EXPECT_LT(shot.pixelColor(shot.width() - 3, h / 2).lightness(), 80);
  QMenu* drop = file->GetAction()->menu();
  ASSERT_NE(drop, nullptr);
  emit drop->aboutToShow();
  EXPECT_EQ(drop->palette().color(QPalette::Window), bar->palette().color(QPalette::Window));

  // Wider window, wider bar.
  form->SetWidth(400);
  EXPECT_TRUE(WaitForValue(
      "menu bar width", [&] { return bar->width(); }, form->GetWidget()->width()));

  // Without the menu the client area is the whole window again.
  form->SetMenu(nullptr);
  EXPECT_EQ(form->GetMenuBarWidget(), nullptr);
  EXPECT_EQ(menu->GetForm(), nullptr);
  EXPECT_EQ(form->GetClientHeight(), clientHeight);
  EXPECT_EQ(form->GetHeight(), clientHeight);
  EXPECT_EQ(panel->GetWidget()->y(), 0);
  EXPECT_EQ(form->ClientToScreen(TPoint(0, 0)).Y, form->GetWidget()->mapToGlobal(QPoint(0, 0)).y());
}

TEST(FormMenuBar, AMenuShowsOnOneFormAndGoesWhenFreed) {
  App();
  FormGuard guard;
  auto* first = guard(new TForm(nullptr));
  auto* second = guard(new TForm(nullptr));
  TComponent owner(nullptr);
  auto* menu = new TMainMenu(&owner);
  NewItem(&owner, "&File", menu->GetItems());
  first->SetMenu(menu);
  const int height = second->GetHeight();
  second->SetMenu(menu);
  EXPECT_EQ(first->GetMenu(), nullptr);
  EXPECT_EQ(first->GetMenuBarWidget(), nullptr);
  EXPECT_EQ(menu->GetForm(), second);
  EXPECT_GT(second->GetHeight(), height);
  menu->Free();
  EXPECT_EQ(second->GetMenu(), nullptr);
  EXPECT_EQ(second->GetHeight(), height);
  QCoreApplication::processEvents();
  EXPECT_TRUE(second->GetWidget()->findChildren<QMenuBar*>().isEmpty());
}

TEST(FormMenuBar, AClickOnTheBarMayFreeTheForm) {
  App();
  auto* form = new TForm(nullptr);
  form->SetBounds(100, 100, 320, 200);
  auto* menu = new TMainMenu(form);
  TMenuItem* quit = NewItem(form, "&Quit", menu->GetItems());
  bool freed = false;
  quit->OnClick = [&](TObject*) {
    freed = true;
    form->Free();
  };
  ShowAndActivate(form);
  QPointer<QWidget> window = form->GetWidget();
  ClickOnBar(qobject_cast<QMenuBar*>(form->GetMenuBarWidget()), quit);
  ASSERT_TRUE(freed);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(window.isNull());
}

}  // namespace
