#pragma once
// Shared bits of the HID controller and device tests: one application for
// the test program, event pumping with a deadlock guard, the fake backend
// selected for each test, and a host that glues a controller to the
// application the way the main window does, logging every event.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/hidctl/HidLoader.h"
#include "platform/hidctl/JvHidDeviceController.h"
#include "platform/classlib/Forms.h"
#include "platform/hid/FakeHidBackend.h"
#include "tests/support/WaitThat.h"

namespace hid_test {

constexpr std::uint16_t TavoVendor = 0x0168;
constexpr std::uint16_t TavoProduct = 0x0821;

inline TApplication* App() {
  if (!Application) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "hid-test";
    static char* argv[] = {name, nullptr};
    new TApplication(argc, argv);
  }
  return Application;
}

// Handles events until get() matches; the failure names the value.
template <class Get, class M>
::testing::AssertionResult PumpUntilThat(const char* what, Get get, const M& matcher, int timeoutMs = 10000) {
  return test_support::WaitThat(
      what, get, matcher,
      [] {
        Application->ProcessMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
      },
      timeoutMs);
}

// Handles what waits now. Once the threads that could post have ended,
// what it leaves can never arrive.
inline void PumpWaiting() {
  Application->ProcessMessages();
}

inline FakeHidDeviceSetup DeviceSetup(const std::string& product, std::uint16_t pid = TavoProduct,
                                      std::uint16_t vid = TavoVendor) {
  FakeHidDeviceSetup s;
  s.VendorId = vid;
  s.ProductId = pid;
  s.Version = 0x0100;
  s.Manufacturer = "Maker";
  s.Product = product;
  s.SerialNumber = "SN-" + product;
  return s;
}

inline std::string NameOf(TJvHidDevice* dev) {
  return dev ? dev->GetPnPInfo()->GetDeviceDescr() : std::string("<null>");
}

// The controller with handlers as the main window assigns them: each change
// enumerates, each plugged-in device with the TAVO product ID is checked out
// (the last one taken is kept), and the held device's unplug checks it in.
// Every event is logged as "<event> <product>".
struct Host {
  // Raw, as a form holds its component: the pointer stays valid while the
  // controller is destroyed and its unplug handlers run.
  TJvHidDeviceController* Ctl = nullptr;
  std::vector<std::string> Log;
  TJvHidDevice* Held = nullptr;
  int HeldIndex = -1;
  bool CheckInOnUnplug = true;
  int Changes = 0;

  Host() {
    Ctl = new TJvHidDeviceController(nullptr);
    // Handlers are assigned while the component loads, as a form does.
    Ctl->BeginLoad();
    Ctl->SetOnArrival([this](TJvHidDevice* d) { Log.push_back("arrival " + NameOf(d)); });
    Ctl->SetOnRemoval([this](TJvHidDevice* d) { Log.push_back("removal " + NameOf(d)); });
    Ctl->SetOnDeviceUnplug([this](TJvHidDevice* d) {
      Log.push_back("unplug " + NameOf(d));
      if (CheckInOnUnplug && d == Held) Ctl->CheckIn(Held);
    });
    Ctl->SetOnEnumerate([this](TJvHidDevice* d, int idx) {
      Log.push_back("enumerate " + NameOf(d) + " " + std::to_string(idx));
      TJvHidDevice* taken = nullptr;
      if (d->GetAttributes().ProductID == TavoProduct && Ctl->CheckOutByIndex(taken, idx)) {
        Held = taken;
        HeldIndex = idx;
      }
      return true;
    });
    Ctl->SetOnDeviceChange([this](TObject*) {
      ++Changes;
      Log.push_back("change");
      Ctl->Enumerate();
    });
    Ctl->EndLoad();
  }

  ~Host() {
    if (Held && Ctl) Ctl->CheckIn(Held);
    DestroyController();
  }

  void DestroyController() {
    if (!Ctl) return;
    delete Ctl;
    Ctl = nullptr;
  }

  // Pumps until the controller has raised its n-th OnDeviceChange; every
  // event of that pass is logged by then.
  ::testing::AssertionResult WaitChanges(int n, int timeoutMs = 10000) {
    return PumpUntilThat(
        "device changes", [&] { return Changes; }, ::testing::Ge(n), timeoutMs);
  }

  std::vector<std::string> TakeLog() { return std::exchange(Log, {}); }
};

// Selects a fresh fake backend for each test and goes back to none after.
class HidTest : public ::testing::Test {
 protected:
  void SetUp() override {
    App();
    Fake = std::make_shared<FakeHidBackend>();
    SelectHidBackend(Fake);
  }
  void TearDown() override {
    PumpWaiting();
    SelectHidBackend(nullptr);
    EXPECT_FALSE(IsHidLoaded()) << "a controller of the test is still alive";
  }

  // A device present before the controller exists: its notice is taken
  // away, as one raised before the program started, so that only the
  // controller's start notice lists it.
  std::string PlugBefore(const FakeHidDeviceSetup& setup) {
    std::string path = Fake->Plug(setup);
    Fake->DrainNotices();
    return path;
  }

  std::shared_ptr<FakeHidBackend> Fake;
};

}  // namespace hid_test
