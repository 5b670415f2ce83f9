// Quitting while online ends the process promptly: the program runs in a
// child process as its entry runs it (the forms, the message loop, then the
// application's end), connected over TCP to the simulator in this process;
// Exit is chosen and confirmed, and the test waits, with a deadline, for
// the process to end. The time from the confirmation to the end and the
// state of the main window when the loop ended are reported, not asserted.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "EditorDriver.h"
#include "dialogs/Fexit.h"
#include "tests/support/ChildProcess.h"

namespace {

// Run by Quit.WhileOnline, against its simulator; skipped anywhere else.
// Prints "online", then "quit" as the user confirms, then "loop ended" with
// whether the main window was still shown, and leaves as the program does.
TEST(DISABLED_QuitProbe, QuitsWhileOnline) {
  if (!std::getenv("TAVO_QUIT_PROBE")) GTEST_SKIP() << "runs inside Quit.WhileOnline";
  classlib_test::App();
  SelectHidBackend(std::make_shared<FakeHidBackend>());
  SelectSerialPortSource([] { return std::vector<SerialPortInfo>{}; });
  CreateProgramForms(*Application);
  ASSERT_NE(fmMain, nullptr);
  ASSERT_TRUE(classlib_test::PumpUntil(
      [] { return fmMain->IsOnline() && !e2e::Shown(fmProcess) && !e2e::Shown(fmNetwork); }, 90000))
      << "never online";
  std::printf("online\n");
  std::fflush(stdout);

  e2e::Script steps;
  QElapsedTimer since;
  steps.When(
      "the exit question", [] { return e2e::Shown(fmExit); },
      [&since] {
        std::printf("quit\n");
        std::fflush(stdout);
        since.start();
        fmExit->btnOK->Click();
      });
  QTimer::singleShot(0, [] { e2e::Find<TMenuItem>("Exit")->Click(); });
  Application->Run();
  std::printf("loop ended after %lld ms, main window %s\n", since.elapsed(),
              fmMain && fmMain->GetWidget()->isVisible() ? "still on screen" : "off the screen");
  std::fflush(stdout);
  // The program's end: its application goes, then the process.
  delete Application;
  std::printf("forms gone after %lld ms\n", since.elapsed());
  std::fflush(stdout);
  std::exit(0);
}

// Whether a line of the text starts with what.
bool HasLine(const std::string& text, const std::string& what) {
  for (std::size_t at = 0; (at = text.find(what, at)) != std::string::npos; ++at)
    if (at == 0 || text[at - 1] == '\n') return true;
  return false;
}

TEST(Quit, WhileOnlineTheProcessEndsPromptly) {
  using namespace test_support;
  sim::DeviceSimulator device;
  ASSERT_TRUE(device.ListenTcp(sim::DeviceAddress, sim::DevicePort)) << device.LastError();

  Pipe out;
  ChildProcess editor;
  ASSERT_TRUE(editor.Start(
      {"/proc/self/exe", "--gtest_filter=DISABLED_QuitProbe.*", "--gtest_also_run_disabled_tests"},
      EnvironmentWith({{"TAVO_QUIT_PROBE", "1"}}), out.WriteEnd()));
  out.CloseWrite();

  std::string output;
  const auto line = [](const char* what) {
    return [what](const std::string& t) { return HasLine(t, what); };
  };
  ASSERT_TRUE(out.ReadUntil(output, Clock::now() + std::chrono::seconds(120), line("online"))) << output;
  ASSERT_TRUE(out.ReadUntil(output, Clock::now() + std::chrono::seconds(60), line("quit"))) << output;
  const Clock::time_point confirmed = Clock::now();
  const std::optional<int> status = editor.WaitUntil(confirmed + std::chrono::seconds(30));
  const Clock::time_point ended = Clock::now();
  output += out.ReadAll(ended + std::chrono::milliseconds(500));
  ASSERT_TRUE(status.has_value()) << "the process still runs 30 s after Quit:\n" << output;
  EXPECT_EQ(*status, 0) << output;
  ASSERT_TRUE(HasLine(output, "loop ended")) << output;
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(ended - confirmed).count();
  const auto lineOf = [&output](const char* head) {
    const std::size_t at = output.find(head);
    return at == std::string::npos ? std::string() : output.substr(at, output.find('\n', at) - at);
  };
  std::printf("Quit to the process's end: %lld ms (%s; %s)\n", static_cast<long long>(ms),
              lineOf("loop ended").c_str(), lineOf("forms gone").c_str());
  RecordProperty("quit_to_end_ms", static_cast<int>(ms));
}

}  // namespace
