#pragma once
// The whole program against the device simulator: the program's forms made
// by the same function as the program entry, HID on the fake backend, file
// dialogs and message boxes answered from a script, the serial port list
// given by the test, and a watchdog that ends the process when a test
// overruns (a freeze must fail the run, never hang it).
//
// The program opens modal dialogs (scan, progress, messages, passwords);
// a test cannot wait inside them with a blocking call. Script steps run
// from a timer instead, so they are checked inside any nested modal loop:
// each step waits for its condition, then acts, in order.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <functional>
#include <optional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "dialogs/Finformation.h"
#include "dialogs/Fnetworkscan.h"
#include "dialogs/Fprocess.h"
#include "dialogs/ProgramForms.h"
#include "mainwindow/FMain.h"
#include "model/LUnitControl.h"
#include "platform/classlib/Dialogs.h"
#include "platform/classlib/ExtCtrls.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/Menus.h"
#include "platform/classlib/RzControls.h"
#include "platform/classlib/StdCtrls.h"
#include "platform/hid/FakeHidBackend.h"
#include "platform/hid/HidBackend.h"
#include "platform/net/ClientSocket.h"
#include "platform/serial/SerialPortList.h"
#include "tests/platform/classlib/ClassLibTestSupport.h"
#include "tests/sim/DeviceSimulator.h"

namespace e2e {

// Ends the process when the test is still running after its time.
class Watchdog {
 public:
  // report runs on the watchdog's thread: it may read only thread-safe things.
  explicit Watchdog(int seconds, std::function<std::string()> report = {}) {
    FThread = std::thread([this, seconds, report] {
      std::unique_lock<std::mutex> lock(FLock);
      if (!FDone.wait_for(lock, std::chrono::seconds(seconds), [this] { return FStop; })) {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        std::fprintf(stderr, "watchdog: %s still running after %d s; ending the process\n",
                     test ? test->name() : "test", seconds);
        if (report) std::fprintf(stderr, "%s\n", report().c_str());
        std::fflush(stderr);
        std::_Exit(3);
      }
    });
  }
  ~Watchdog() {
    {
      std::lock_guard<std::mutex> lock(FLock);
      FStop = true;
    }
    FDone.notify_all();
    FThread.join();
  }
  Watchdog(const Watchdog&) = delete;
  Watchdog& operator=(const Watchdog&) = delete;

 private:
  std::mutex FLock;
  std::condition_variable FDone;
  bool FStop = false;
  std::thread FThread;
};

// Steps run from a timer, in order, also inside nested modal loops.
class Script {
 public:
  Script() {
    FTimer.setInterval(5);
    QObject::connect(&FTimer, &QTimer::timeout, [this] { Step(); });
    FTimer.start();
  }
  // Once cond holds (after the steps before it), act runs.
  void When(std::string what, std::function<bool()> cond, std::function<void()> act = {}) {
    FSteps.push_back({std::move(what), std::move(cond), std::move(act)});
  }
  bool Done() const { return FSteps.empty(); }
  // Past the deadline every modal loop is ended, so that the waiting test
  // regains control and fails with what it waited for.
  void SetDeadline(qint64 msFromNow) {
    FClock.start();
    FDeadlineMs = msFromNow;
  }
  bool Expired() const { return FDeadlineMs >= 0 && FClock.elapsed() > FDeadlineMs; }
  std::string Waiting() const { return FSteps.empty() ? std::string("nothing") : FSteps.front().What; }

 private:
  struct Entry {
    std::string What;
    std::function<bool()> Cond;
    std::function<void()> Act;
  };
  void Step() {
    if (Expired()) {
      if (Application)
        for (int i = 0; i < Application->GetComponentCount(); ++i)
          if (auto* form = dynamic_cast<TCustomForm*>(Application->GetComponents(i)))
            if (form->IsModal()) form->SetModalResult(mrCancel);
      return;
    }
    while (!FSteps.empty() && FSteps.front().Cond()) {
      Entry e = std::move(FSteps.front());
      FSteps.pop_front();
      if (std::getenv("TAVO_E2E_TRACE")) std::fprintf(stderr, "step: %s\n", e.What.c_str());
      // An action may open a modal loop; it runs from a timer of its own,
      // since a timer never fires again inside its own handler, and the
      // later steps must run inside that loop.
      if (e.Act) QTimer::singleShot(0, [act = std::move(e.Act)] { act(); });
    }
  }
  std::deque<Entry> FSteps;
  QElapsedTimer FClock;
  qint64 FDeadlineMs = -1;
  QTimer FTimer;
};

template <class T = TComponent>
T* Find(std::string_view name) {
  return fmMain ? dynamic_cast<T*>(fmMain->FindComponent(name)) : nullptr;
}

inline bool Shown(TCustomForm* form) {
  return form && form->GetVisible();
}

// The codes of frames, in order.
inline std::vector<int> Codes(const std::vector<sim::SimFrame>& frames) {
  std::vector<int> codes;
  for (const sim::SimFrame& f : frames) codes.push_back(f.Command.Code);
  return codes;
}

// The device ID an editor's frame addresses (byte 3; byte 2 stays 0).
inline int TargetId(const sim::SimFrame& frame) {
  return frame.Raw.size() > 3 ? frame.Raw[3] : -1;
}

// The 1260 bytes of a set as preset files carry it: the model's reading,
// and the simulator's own.
inline ByteVector ModelStream() {
  const ByteVector file = fmMain->GetState().UnitControl->SerializePreset();
  return ByteVector(file.end() - static_cast<std::ptrdiff_t>(sim::FileStreamLength), file.end());
}
inline std::string ModelStreamText() {
  const ByteVector bytes = ModelStream();
  return std::string(bytes.begin(), bytes.end());
}
inline ByteVector DeviceStream(const sim::ParamImage& image) {
  ByteVector out(sim::FileStreamLength);
  sim::WriteStream(image, out);
  return out;
}

// A set unlike the factory one in names, gains and mutes, so that a
// reading that misses or shifts a field shows.
inline sim::ParamImage DistinctiveImage() {
  sim::ParamImage image = sim::FactoryImage();
  const std::string name = "Stage Left 7";
  for (std::size_t i = 0; i < name.size(); ++i) image.SetByte(sim::at::PresetName + i, name[i]);
  for (int channel : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}) {
    const auto strip = sim::StripOf(channel);
    if (!strip) continue;
    if (strip->Name != sim::Strip::None) {
      const std::string text = (channel < 8 ? "Mic" : "Zone") + std::to_string(channel);
      for (std::size_t i = 0; i < text.size(); ++i) image.SetByte(strip->Name + i, text[i]);
    }
    if (strip->Gain != sim::Strip::None)
      image.SetWord(strip->Gain, static_cast<std::uint16_t>(120 + 9 * channel));
  }
  image.SetWord(sim::at::InputMutes, 0x0005);
  image.SetWord(sim::at::OutputMutes, 0x0082);
  return image;
}

// One editor against one simulator. The editor is made by StartEditor, after
// the test has prepared the simulator; its start-up timer runs the scan.
class EditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FApplication.emplace();
    FHid = std::make_shared<FakeHidBackend>();
    SelectHidBackend(FHid);
    SelectSerialPortSource([this] { return FPorts; });
    FDialogs = std::make_unique<TScriptedDialogService>();
  }

  void TearDown() override {
    FScript.reset();
    if (Application)
      for (int i = Application->GetComponentCount() - 1; i >= 0; --i)
        if (auto* form = dynamic_cast<TCustomForm*>(Application->GetComponents(i))) form->Free();
    FDialogs.reset();
    SelectSerialPortSource(nullptr);
    FApplication.reset();
  }

  // The editor's forms; the start-up timer runs the scan unless told not to.
  void StartEditor(bool scan = true) {
    CreateProgramForms(*Application);
    ASSERT_NE(fmMain, nullptr);
    if (!scan) Find<TTimer>("tmStartConnect")->SetEnabled(false);
  }

  // The simulator holds image and listens at the device's own address; the
  // editor starts, finds it over TCP and reads the whole set.
  void ConnectOverTcp(const sim::ParamImage& image) {
    FSim.With([&](sim::SimDevice& d) { d.SetImage(image); });
    ASSERT_TRUE(FSim.ListenTcp(sim::DeviceAddress, sim::DevicePort)) << FSim.LastError();
    StartEditor();
    ASSERT_TRUE(Await("the upload", [&] { return UploadDone(); }));
  }

  // Points the editor's socket at the simulator's loopback port (tests that
  // need not bind the device's own address).
  void AimSocketAt(std::uint16_t port, const std::string& address = "127.0.0.1") {
    auto* socket = Find<TClientSocket>("ClientSocket");
    socket->SetAddress(address);
    socket->SetPort(port);
  }

  Script& Steps() {
    if (!FScript) FScript = std::make_unique<Script>();
    return *FScript;
  }

  // Handles events until done() holds and every script step ran. The
  // bounds are wide: a loaded machine slows a sanitizer build several times
  // over, and they only have to tell a freeze from slowness.
  ::testing::AssertionResult Await(const std::string& what, const std::function<bool()>& done,
                                   int deadlineMs = 60000) {
    QElapsedTimer clock;
    clock.start();
    Steps().SetDeadline(deadlineMs);
    for (;;) {
      // Checked first: a deadline that ended a modal loop fails the wait.
      if (clock.elapsed() > deadlineMs || FScript->Expired())
        return ::testing::AssertionFailure()
               << "still waiting for " << what << " after " << deadlineMs
               << " ms (script step: " << FScript->Waiting() << "); the device received " << ReceivedText();
      if (done() && FScript->Done()) break;
      QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    FScript->SetDeadline(-1);
    if (std::getenv("TAVO_E2E_TRACE")) std::fprintf(stderr, "%s: %lld ms\n", what.c_str(), clock.elapsed());
    return ::testing::AssertionSuccess();
  }

  std::string ReceivedText() const {
    std::string text;
    char cell[8];
    for (int code : Codes(FSim.Received())) {
      std::snprintf(cell, sizeof cell, "%02X ", code);
      text += cell;
    }
    return text;
  }

  // Waits for the scan to come back saying the link broke (its text follows
  // 100 ms later), closes it, and returns what it said.
  ::testing::AssertionResult AwaitLinkBrokenScan(std::string& scanText) {
    Steps().When(
        "the scan again",
        [] {
          return Shown(fmNetwork) && !fmMain->OpenLink() &&
                 fmNetwork->lblScan->GetCaption() == fmMain->GetLangText("SID_LINK_BROKEN");
        },
        [&] {
          scanText = fmNetwork->lblScan->GetCaption();
          fmNetwork->btnExit->Click();
        });
    return Await("the scan to close", [&] { return !scanText.empty() && !Shown(fmNetwork); });
  }

  // Online, the whole upload done, no progress window left.
  bool UploadDone() const {
    return fmMain->IsOnline() && FSim.CountReceived(0x12) >= 1 && FSim.CountReceived(0x40) >= 1 &&
           !Shown(fmProcess) && !Shown(fmNetwork);
  }

  // The text of the message window when it is shown, and a press on its OK.
  static std::string Message() {
    return fmInformation ? fmInformation->lbMessage->GetCaption() : std::string();
  }
  static void CloseMessage() { fmInformation->btnOK->Click(); }

  // Each test has an application of its own: one that quits the program
  // leaves the shared one terminated, and every modal loop after it would
  // end at once.
  std::optional<classlib_test::FreshApplication> FApplication;
  sim::DeviceSimulator FSim;
  Watchdog FWatchdog{240, [this] { return "the device received " + ReceivedText(); }};
  std::shared_ptr<FakeHidBackend> FHid;
  std::vector<SerialPortInfo> FPorts;
  std::unique_ptr<TScriptedDialogService> FDialogs;
  std::unique_ptr<Script> FScript;
};

}  // namespace e2e
