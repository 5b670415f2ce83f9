#pragma once
// Real window frames for tests: a virtual display of the test's own with a
// small window manager on it, a child process (the test program again, in
// a probe role) that shows forms there, and the frames read back from the
// display server. The test program's own display stays the offscreen one.
// Without the display or the window manager a test says so and skips; no
// process is left behind.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QWidget>

#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/classlib/Forms.h"
#include "tests/support/ChildProcess.h"

namespace test_support {

// ------------------------------------------------------------ the probe's side

struct WindowFrame {
  int Left;
  int Top;
  int TitleHeight;
};

// The frame of a window as the display server has it: the client's corner
// less the extents the window manager put on the window. Nothing while the
// manager has not framed it yet.
inline std::optional<WindowFrame> FrameOnDisplay(unsigned long window) {
  char id[32];
  std::snprintf(id, sizeof id, "0x%lx", window);
  const std::vector<std::string> env = EnvironmentWith({});
  const auto xwininfo = FindProgram("xwininfo");
  const auto xprop = FindProgram("xprop");
  if (!xwininfo || !xprop) return std::nullopt;
  const auto info = Capture({*xwininfo, "-id", id}, env);
  const auto extents = Capture({*xprop, "-id", id, "_NET_FRAME_EXTENTS"}, env);
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
  return WindowFrame{x - l, y - t, t};
}

inline std::string Describe(const std::optional<WindowFrame>& f) {
  if (!f) return "no frame";
  return "frame at (" + std::to_string(f->Left) + ", " + std::to_string(f->Top) + "), title bar " +
         std::to_string(f->TitleHeight) + " px";
}

// Handles events until the form's frame stands at (x, y) with a title bar
// above the client area; fails with where it stands. Then the form itself
// must read (x, y): what the desktop reports back leaves it where it was put.
inline ::testing::AssertionResult FrameSettlesAt(TCustomForm& form, int x, int y, int timeoutMs = 15000) {
  const unsigned long id = form.GetWidget()->winId();
  std::optional<WindowFrame> seen;
  QElapsedTimer clock;
  clock.start();
  for (;;) {
    seen = FrameOnDisplay(id);
    if (seen && seen->Left == x && seen->Top == y && seen->TitleHeight > 0) break;
    if (clock.elapsed() > timeoutMs)
      return ::testing::AssertionFailure() << "asked for (" << x << ", " << y << "), " << Describe(seen);
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  for (int round = 0; round < 4; ++round) QCoreApplication::processEvents(QEventLoop::AllEvents);
  if (form.GetLeft() != x || form.GetTop() != y)
    return ::testing::AssertionFailure()
           << "the form reads (" << form.GetLeft() << ", " << form.GetTop() << ")";
  return ::testing::AssertionSuccess();
}

// Set in the probe's environment: a probe test skips anywhere else.
constexpr const char* kFrameProbeVariable = "TAVO_FRAME_PROBE";

// ------------------------------------------------------------ the test's side

// Xvfb with openbox on it, taken down when this goes. Ready() is false,
// with the reason in Why(), when either is missing or does not come up.
class FramedDisplay {
 public:
  explicit FramedDisplay(const std::string& screen = "1024x768x24") {
    const auto xvfb = FindProgram("Xvfb");
    const auto wm = FindProgram("openbox");
    const auto xprop = FindProgram("xprop");
    if (!xvfb || !wm || !xprop || !FindProgram("xwininfo")) {
      FWhy = "needs Xvfb, openbox, xwininfo and xprop (scripts/install-deps installs them)";
      return;
    }
    // The display picks a free number and tells it through the pipe.
    Pipe displayNumber;
    if (!FDisplay.Start({*xvfb, "-displayfd", std::to_string(displayNumber.WriteEnd()), "-screen", "0",
                         screen, "-nolisten", "tcp"},
                        EnvironmentWith({}))) {
      FWhy = "Xvfb did not start";
      return;
    }
    displayNumber.CloseWrite();
    std::string number;
    if (!displayNumber.ReadUntil(number, Clock::now() + std::chrono::seconds(15),
                                 [](const std::string& t) { return t.find('\n') != std::string::npos; })) {
      FWhy = "Xvfb gave no display number within 15 s";
      return;
    }
    FName = ":" + number.substr(0, number.find('\n'));
    const std::vector<std::string> env = Environment();
    if (!FManager.Start({*wm, "--sm-disable"}, env)) {
      FWhy = "openbox did not start";
      return;
    }
    // The manager is up once it names its check window on the root.
    const auto managed = Clock::now() + std::chrono::seconds(15);
    while (Clock::now() < managed && FManager.Running()) {
      const auto root = Capture({*xprop, "-root", "_NET_SUPPORTING_WM_CHECK"}, env);
      if (root && root->find("window id") != std::string::npos) {
        FReady = true;
        return;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    FWhy = "openbox did not take the display " + FName + " within 15 s";
  }

  bool Ready() const { return FReady; }
  const std::string& Why() const { return FWhy; }

  // This process's environment pointed at the display, as a probe has it.
  std::vector<std::string> Environment() const {
    return EnvironmentWith({{"DISPLAY", FName}, {"QT_QPA_PLATFORM", "xcb"}, {kFrameProbeVariable, "1"}});
  }

  // Runs the probe tests that filter names (disabled ones, so that an
  // ordinary run passes them by) in a child on the display; all of them,
  // count in number, must pass.
  ::testing::AssertionResult RunProbe(const std::string& filter, int count, int seconds = 120) const {
    Pipe out;
    ChildProcess probe;
    if (!probe.Start({"/proc/self/exe", "--gtest_filter=" + filter, "--gtest_also_run_disabled_tests"},
                     Environment(), out.WriteEnd()))
      return ::testing::AssertionFailure() << "the probe did not start";
    out.CloseWrite();
    const std::string report = out.ReadAll(Clock::now() + std::chrono::seconds(seconds));
    const std::optional<int> status = probe.WaitUntil(Clock::now() + std::chrono::seconds(10));
    if (!status) return ::testing::AssertionFailure() << "the forms' process did not end:\n" << report;
    const std::string passed = "[  PASSED  ] " + std::to_string(count) + (count == 1 ? " test." : " tests.");
    if (*status != 0 || report.find(passed) == std::string::npos)
      return ::testing::AssertionFailure() << "exit status " << *status << ":\n" << report;
    return ::testing::AssertionSuccess();
  }

 private:
  ChildProcess FDisplay;
  ChildProcess FManager;
  std::string FName;
  std::string FWhy;
  bool FReady = false;
};

}  // namespace test_support
