// The program's main window under a window manager, started as the program
// starts it (the splash up while the window is built, the window shown
// inside its own creation, every dialog made after it): its frame stands at
// the window's place, title bar on the screen. The frames are real ones
// (tests/support/FramedDisplay.h).

#include <gtest/gtest.h>

#include <QGuiApplication>

#include <cstdlib>

#include "dialogs/ProgramForms.h"
#include "mainwindow/FMain.h"
#include "tests/support/FramedDisplay.h"
#include "tests/ui/MainWindowTestSupport.h"

using namespace test_support;

namespace {

// Run by MainWindowFrame.UnderAWindowManager on the display it made;
// skipped anywhere else.
TEST(DISABLED_MainWindowFrameProbe, TheTitleBarIsOnTheScreen) {
  if (!std::getenv(kFrameProbeVariable)) GTEST_SKIP() << "runs inside MainWindowFrame.UnderAWindowManager";
  ui_test::App();
  ASSERT_EQ(QGuiApplication::platformName().toStdString(), "xcb");
  CreateProgramForms(*Application);
  ASSERT_NE(fmMain, nullptr);
  ui_test::Find<TTimer>("tmStartConnect")->SetEnabled(false);
  ASSERT_TRUE(fmMain->GetVisible());
  EXPECT_TRUE(FrameSettlesAt(*fmMain, 0, 0)) << "at the window's designed place";
  ui_test::FreeProgramForms();
}

TEST(MainWindowFrame, UnderAWindowManagerTheFrameStandsAtTheWindowsPlace) {
  // Room for the whole window and its frame.
  FramedDisplay display("1280x800x24");
  if (!display.Ready()) GTEST_SKIP() << display.Why();
  EXPECT_TRUE(display.RunProbe("DISABLED_MainWindowFrameProbe.*", 1));
}

}  // namespace
