// A form's place is its frame's: under a window manager, a form at (x, y)
// has its frame's corner there, title bar included, not its client area.
// The frames are real ones: the test starts a virtual display of its own
// with a small window manager on it, runs the forms in a child process on
// that display (the test program's own display is the offscreen one), and
// reads the frames back from the display server. Without the display or the
// window manager the test says so and skips; it leaves no process behind.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QWidget>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/classlib/Forms.h"
#include "platform/classlib/Menus.h"
#include "tests/platform/classlib/ClassLibTestSupport.h"
#include "tests/support/ChildProcess.h"

using namespace classlib_test;
using namespace test_support;

namespace {

// ------------------------------------------------------------ the child's side

struct Frame {
  int Left;
  int Top;
  int TitleHeight;
};

// The frame of a window as the display server has it: the client's corner
// less the extents the window manager put on the window. Nothing while the
// manager has not framed it yet.
std::optional<Frame> FrameOnDisplay(unsigned long window) {
  char id[32];
  std::snprintf(id, sizeof id, "0x%lx", window);
  const std::vector<std::string> env = EnvironmentWith({});
  const auto info = Capture({*FindProgram("xwininfo"), "-id", id}, env);
  const auto extents = Capture({*FindProgram("xprop"), "-id", id, "_NET_FRAME_EXTENTS"}, env);
  if (!info || !extents) return std::nullopt;
  int x = 0, y = 0, l = 0, r = 0, t = 0, b = 0;
  const auto xAt = info->find("Absolute upper-left X:");
  const auto yAt = info->find("Absolute upper-left Y:");
  const auto eq = extents->find("= ");
  if (xAt == std::string::npos || yAt == std::string::npos || eq == std::string::npos) return std::nullopt;
  if (std::sscanf(info->c_str() + xAt, "Absolute upper-left X: %d", &x) != 1 ||
      std::sscanf(info->c_str() + yAt, "Absolute upper-left Y: %d", &y) != 1 ||
      std::sscanf(extents->c_str() + eq, "= %d, %d, %d, %d", &l, &r, &t, &b) != 4)
    return std::nullopt;
  return Frame{x - l, y - t, t};
}

std::string Describe(const std::optional<Frame>& f) {
  if (!f) return "no frame";
  return "frame at (" + std::to_string(f->Left) + ", " + std::to_string(f->Top) + "), title bar " +
         std::to_string(f->TitleHeight) + " px";
}

// Waits until the form's frame stands at (x, y) with a title bar above the
// client area; fails with where it stands.
::testing::AssertionResult FrameSettlesAt(TCustomForm& form, int x, int y) {
  const unsigned long id = form.GetWidget()->winId();
  std::optional<Frame> seen;
  const bool settled = PumpUntil(
      [&] {
        seen = FrameOnDisplay(id);
        return seen && seen->Left == x && seen->Top == y && seen->TitleHeight > 0;
      },
      15000);
  if (!settled)
    return ::testing::AssertionFailure() << "asked for (" << x << ", " << y << "), " << Describe(seen);
  // What the desktop reports back leaves the form where it was put.
  DrainEvents();
  if (form.GetLeft() != x || form.GetTop() != y)
    return ::testing::AssertionFailure()
           << "the form reads (" << form.GetLeft() << ", " << form.GetTop() << ")";
  return ::testing::AssertionSuccess();
}

// Run by FormFrame.UnderAWindowManager on the display it made; skipped
// anywhere else.
TEST(DISABLED_FormFrameProbe, FramesStandAtTheFormsPlaces) {
  if (!std::getenv("TAVO_FRAME_PROBE")) GTEST_SKIP() << "runs inside FormFrame.UnderAWindowManager";
  App();
  ASSERT_EQ(QGuiApplication::platformName().toStdString(), "xcb");

  // A main window with its menu bar, shown first at its place, then moved
  // while shown, then hidden and shown again elsewhere.
  TForm window(App());
  window.AfterConstruction();
  window.SetBorderStyle(bsSizeable);
  TMainMenu menu(&window);
  auto* file = new TMenuItem(&menu);
  file->SetCaption("File");
  menu.GetItems()->Add(file);
  window.SetMenu(&menu);
  window.SetBounds(0, 0, 420, 300);
  window.Show();
  EXPECT_TRUE(FrameSettlesAt(window, 0, 0)) << "the main window at the screen's corner";
  window.SetBounds(130, 90, 420, 300);
  EXPECT_TRUE(FrameSettlesAt(window, 130, 90)) << "moved while shown";
  window.Hide();
  DrainEvents();
  window.SetBounds(60, 40, 420, 300);
  window.Show();
  EXPECT_TRUE(FrameSettlesAt(window, 60, 40)) << "shown again elsewhere";

  // A dialog, shown for the first time at its place.
  TForm dialog(App());
  dialog.AfterConstruction();
  dialog.SetBorderStyle(bsDialog);
  dialog.SetBounds(500, 220, 260, 140);
  dialog.Show();
  EXPECT_TRUE(FrameSettlesAt(dialog, 500, 220)) << "a dialog";

  dialog.Hide();
  window.Hide();
  window.SetMenu(nullptr);
  DrainEvents();
}

// ------------------------------------------------------------ the test's side

TEST(FormFrame, UnderAWindowManagerTheFrameStandsAtTheFormsPlace) {
  const auto xvfb = FindProgram("Xvfb");
  const auto wm = FindProgram("openbox");
  const auto xprop = FindProgram("xprop");
  if (!xvfb || !wm || !xprop || !FindProgram("xwininfo"))
    GTEST_SKIP() << "needs Xvfb, openbox, xwininfo and xprop (scripts/install-deps installs them)";

  // The display picks a free number and tells it through the pipe.
  Pipe displayNumber;
  ChildProcess display;
  if (!display.Start({*xvfb, "-displayfd", std::to_string(displayNumber.WriteEnd()), "-screen", "0",
                      "1024x768x24", "-nolisten", "tcp"},
                     EnvironmentWith({})))
    GTEST_SKIP() << "Xvfb did not start";
  displayNumber.CloseWrite();
  std::string number;
  if (!displayNumber.ReadUntil(number, Clock::now() + std::chrono::seconds(15),
                               [](const std::string& t) { return t.find('\n') != std::string::npos; }))
    GTEST_SKIP() << "Xvfb gave no display number within 15 s";
  const std::string name = ":" + number.substr(0, number.find('\n'));
  const std::vector<std::string> env =
      EnvironmentWith({{"DISPLAY", name}, {"QT_QPA_PLATFORM", "xcb"}, {"TAVO_FRAME_PROBE", "1"}});

  ChildProcess manager;
  if (!manager.Start({*wm, "--sm-disable"}, env)) GTEST_SKIP() << "openbox did not start";
  // The manager is up once it names its check window on the root.
  const auto managed = Clock::now() + std::chrono::seconds(15);
  bool up = false;
  while (!up && Clock::now() < managed && manager.Running()) {
    const auto root = Capture({*xprop, "-root", "_NET_SUPPORTING_WM_CHECK"}, env);
    up = root && root->find("window id") != std::string::npos;
    if (!up) std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  if (!up) GTEST_SKIP() << "openbox did not take the display " << name << " within 15 s";

  Pipe out;
  ChildProcess probe;
  ASSERT_TRUE(probe.Start(
      {"/proc/self/exe", "--gtest_filter=DISABLED_FormFrameProbe.*", "--gtest_also_run_disabled_tests"}, env,
      out.WriteEnd()));
  out.CloseWrite();
  const std::string report = out.ReadAll(Clock::now() + std::chrono::seconds(120));
  const std::optional<int> status = probe.WaitUntil(Clock::now() + std::chrono::seconds(10));
  ASSERT_TRUE(status.has_value()) << "the forms' process did not end:\n" << report;
  EXPECT_EQ(*status, 0) << report;
  EXPECT_NE(report.find("[  PASSED  ] 1 test"), std::string::npos) << report;
}

}  // namespace
