#pragma once
// The program's forms for the benchmarks that drive the main window: made
// once, through the program entry's own function, with no machine device
// or serial port in the run and the start-up scan held back, and shown.

#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

#include "dialogs/ProgramForms.h"
#include "mainwindow/FMain.h"
#include "platform/classlib/ExtCtrls.h"
#include "platform/classlib/Forms.h"
#include "platform/hid/FakeHidBackend.h"
#include "platform/hid/HidBackend.h"
#include "platform/serial/SerialPortList.h"

namespace bench {

inline TfmMain& ProgramWindow() {
  static TfmMain* window = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "bench";
    static char* argv[] = {name, nullptr};
    if (!Application) new TApplication(argc, argv);
    SelectHidBackend(std::make_shared<FakeHidBackend>());
    SelectSerialPortSource([] { return std::vector<SerialPortInfo>{}; });
    CreateProgramForms(*Application);
    if (auto* timer = dynamic_cast<TTimer*>(fmMain->FindComponent("tmStartConnect")))
      timer->SetEnabled(false);
    // Shown, as in the program: only the plots on screen draw.
    fmMain->Show();
    Application->ProcessMessages();
    return fmMain;
  }();
  return *window;
}

// Runs the message loop until done() holds; false after the time-out.
inline bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 20000) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    Application->ProcessMessages();
  }
  return true;
}

}  // namespace bench
