// The HID device controller against the fake backend: the start notice, the
// removal, duplicate and arrival passes with their events in order, the
// check-out family, handler hand-on, destruction, and a machine without HID
// services.

#include <gtest/gtest.h>

#include "HidTestSupport.h"
#include "platform/hid/UdevHidBackend.h"

using namespace hid_test;

namespace {

using Log = std::vector<std::string>;

class HidControllerTest : public HidTest {};

TEST_F(HidControllerTest, StartNoticeWithoutDevicesRaisesOneChangeAndEnumeratesNothing) {
  Host host;
  EXPECT_EQ(host.Changes, 0) << "nothing is scanned while the component is created";
  ASSERT_TRUE(host.WaitChanges(1));
  PumpWaiting();
  EXPECT_EQ(host.TakeLog(), (Log{"change"}));
  EXPECT_EQ(host.Ctl->Enumerate(), 0);
  EXPECT_TRUE(host.Log.empty());

  // A notice that changes no HID interface rescans and raises nothing.
  const int scans = Fake->Scans();
  Fake->RaiseNotice();
  ASSERT_TRUE(PumpUntilThat(
      "scans", [&] { return Fake->Scans(); }, ::testing::Gt(scans)));
  EXPECT_EQ(host.Changes, 1);
}

TEST_F(HidControllerTest, PlugUnplugAndReplugKeepTheListAndTheEventsInOrder) {
  const std::string pathA = PlugBefore(DeviceSetup("A", 0x1234));
  const std::string pathB = PlugBefore(DeviceSetup("B"));
  Host host;
  ASSERT_TRUE(host.WaitChanges(1));
  PumpWaiting();
  EXPECT_EQ(host.TakeLog(), (Log{"arrival A", "arrival B", "change", "enumerate A 0", "enumerate B 1"}));
  ASSERT_NE(host.Held, nullptr);
  EXPECT_EQ(NameOf(host.Held), "B");
  EXPECT_EQ(host.HeldIndex, 1);
  EXPECT_TRUE(host.Held->GetIsCheckedOut());
  EXPECT_EQ(host.Ctl->GetNumCheckedOutDevices(), 1);
  EXPECT_EQ(host.Ctl->GetNumCheckedInDevices(), 1);

  // The held device goes: its unplug handler checks it in, which frees it;
  // OnRemoval still hears of it, and the list keeps A alone.
  ASSERT_TRUE(Fake->Unplug(pathB));
  ASSERT_TRUE(host.WaitChanges(2));
  PumpWaiting();
  EXPECT_EQ(host.TakeLog(), (Log{"unplug B", "removal B", "change", "enumerate A 0"}));
  EXPECT_EQ(host.Held, nullptr);
  EXPECT_EQ(host.Ctl->GetNumCheckedOutDevices(), 0);
  EXPECT_EQ(host.Ctl->GetNumUnpluggedDevices(), 0);
  EXPECT_EQ(host.Ctl->GetNumCheckedInDevices(), 1);

  // Plugged in again: a new entry at the end, taken again.
  Fake->Plug(DeviceSetup("B"));
  ASSERT_TRUE(host.WaitChanges(3));
  PumpWaiting();
  EXPECT_EQ(host.TakeLog(), (Log{"arrival B", "change", "enumerate A 0", "enumerate B 1"}));
  ASSERT_NE(host.Held, nullptr);
  EXPECT_EQ(host.HeldIndex, 1);

  // A device not checked out leaves the list; later entries move down.
  ASSERT_TRUE(Fake->Unplug(pathA));
  ASSERT_TRUE(host.WaitChanges(4));
  PumpWaiting();
  EXPECT_EQ(host.TakeLog(), (Log{"unplug A", "removal A", "change", "enumerate B 0"}));
  EXPECT_EQ(host.Ctl->GetNumCheckedInDevices(), 0);
  EXPECT_EQ(host.Ctl->GetNumCheckedOutDevices(), 1);
}

TEST_F(HidControllerTest, AHeldDeviceThatVanishesStaysListedUnpluggedUntilCheckedIn) {
  const std::string path = PlugBefore(DeviceSetup("B"));
  Host host;
  host.CheckInOnUnplug = false;
  ASSERT_TRUE(host.WaitChanges(1));
  ASSERT_NE(host.Held, nullptr);
  TJvHidDevice* old = host.Held;
  host.TakeLog();

  Fake->Unplug(path);
  ASSERT_TRUE(host.WaitChanges(2));
  PumpWaiting();
  EXPECT_EQ(host.TakeLog(), (Log{"unplug B", "removal B", "change"}));
  EXPECT_FALSE(old->GetIsPluggedIn());
  EXPECT_EQ(host.Ctl->GetNumUnpluggedDevices(), 1);
  EXPECT_EQ(host.Ctl->GetNumCheckedOutDevices(), 0);
  std::uint32_t written = 0;
  const std::uint8_t report[65] = {0, 0x10, 0x02};
  EXPECT_FALSE(old->WriteFile(report, sizeof report, written));
  EXPECT_EQ(written, 0u);

  // Plugged back while still held: a new entry beside the old one. The old
  // one goes through the removal pass again, without a second unplug.
  Fake->Plug(DeviceSetup("B"));
  ASSERT_TRUE(host.WaitChanges(3));
  PumpWaiting();
  EXPECT_EQ(host.TakeLog(), (Log{"removal B", "arrival B", "change", "enumerate B 1"}));
  EXPECT_EQ(host.HeldIndex, 1);
  EXPECT_NE(host.Held, old);

  TJvHidDevice* stale = old;
  host.Ctl->CheckIn(stale);
  EXPECT_EQ(stale, nullptr);
  EXPECT_EQ(host.Ctl->GetNumUnpluggedDevices(), 0);
  host.TakeLog();
  EXPECT_EQ(host.Ctl->Enumerate(), 1);
  EXPECT_EQ(host.TakeLog(), (Log{"enumerate B 0"}));
}

TEST_F(HidControllerTest, ANoticeDuringAPassIsRescannedAfterIt) {
  PlugBefore(DeviceSetup("A", 0x1234));
  Host host;
  bool plugged = false;
  // A handler that pumps messages (as a modal window does) while the next
  // device arrives.
  host.Ctl->SetOnArrival([&](TJvHidDevice* d) {
    host.Log.push_back("arrival " + NameOf(d));
    if (!plugged) {
      plugged = true;
      Fake->Plug(DeviceSetup("B"));
      // Pumped until the notice has been taken and posted here.
      EXPECT_TRUE(PumpUntilThat(
          "notices waiting", [&] { return Fake->NoticesWaiting(); }, ::testing::Eq(0u)));
      PumpWaiting();
    }
  });
  ASSERT_TRUE(host.WaitChanges(2));
  PumpWaiting();
  EXPECT_EQ(host.TakeLog(), (Log{"arrival A", "change", "enumerate A 0", "arrival B", "change",
                                 "enumerate A 0", "enumerate B 1"}));
  EXPECT_EQ(NameOf(host.Held), "B");
}

bool IsTavoB(TJvHidDevice* d) {
  return d->GetAttributes().ProductID == TavoProduct && d->GetPnPInfo()->GetDeviceDescr() == "B";
}

TEST_F(HidControllerTest, CheckOutFamilyAndCounts) {
  PlugBefore(DeviceSetup("A", 0x1111, 0x0555));
  PlugBefore(DeviceSetup("B"));
  PlugBefore(DeviceSetup("C", 0x2222));
  TJvHidDeviceController ctl(nullptr);
  ctl.DeviceChange();  // a direct rescan lists the devices at once

  TJvHidDevice* dev = reinterpret_cast<TJvHidDevice*>(1);
  EXPECT_FALSE(ctl.CheckOutByIndex(dev, 3));
  EXPECT_EQ(dev, nullptr);
  EXPECT_FALSE(ctl.CheckOutByIndex(dev, -1));

  struct Case {
    const char* what;
    std::function<bool(TJvHidDevice*&)> checkOut;
    const char* expected;  // null: none
  };
  const Case cases[] = {
      {"any product of the vendor", [&](TJvHidDevice*& d) { return ctl.CheckOutByID(d, TavoVendor, -1); },
       "B"},
      {"vendor and product", [&](TJvHidDevice*& d) { return ctl.CheckOutByID(d, 0x0555, 0x1111); }, "A"},
      {"no such product", [&](TJvHidDevice*& d) { return ctl.CheckOutByID(d, 0x0555, 0x2222); }, nullptr},
      {"class", [&](TJvHidDevice*& d) { return ctl.CheckOutByClass(d, "HIDClass"); }, "A"},
      {"empty class", [&](TJvHidDevice*& d) { return ctl.CheckOutByClass(d, ""); }, nullptr},
      {"callback", [&](TJvHidDevice*& d) { return ctl.CheckOutByCallback(d, IsTavoB); }, "B"},
      {"first free", [&](TJvHidDevice*& d) { return ctl.CheckOut(d); }, "A"},
      // Names are known only once read while accessible; none was.
      {"product name never read", [&](TJvHidDevice*& d) { return ctl.CheckOutByProductName(d, "C"); },
       nullptr},
      {"empty product name", [&](TJvHidDevice*& d) { return ctl.CheckOutByProductName(d, ""); }, nullptr},
      {"vendor name never read", [&](TJvHidDevice*& d) { return ctl.CheckOutByVendorName(d, "Maker"); },
       nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    dev = reinterpret_cast<TJvHidDevice*>(1);
    const bool ok = c.checkOut(dev);
    EXPECT_EQ(ok, c.expected != nullptr);
    EXPECT_EQ(NameOf(dev), c.expected ? c.expected : "<null>");
    if (dev) {
      ctl.CheckIn(dev);
      EXPECT_EQ(dev, nullptr);
    }
  }

  // Held devices are not handed out again; by index that means false.
  TJvHidDevice* held = nullptr;
  ASSERT_TRUE(ctl.CheckOutByIndex(held, 1));
  TJvHidDevice* second = reinterpret_cast<TJvHidDevice*>(1);
  EXPECT_FALSE(ctl.CheckOutByIndex(second, 1));
  EXPECT_EQ(second, nullptr);
  EXPECT_TRUE(ctl.CheckOutByID(second, TavoVendor, -1));
  EXPECT_EQ(NameOf(second), "C") << "the held B is passed over";
  ctl.CheckIn(second);

  // A name read while the device was held is found later.
  EXPECT_EQ(held->GetProductName(), "B");
  EXPECT_EQ(held->GetVendorName(), "Maker");
  EXPECT_EQ(held->GetSerialNumber(), "SN-B");
  ctl.CheckIn(held);
  EXPECT_TRUE(ctl.CheckOutByProductName(held, "B"));
  ctl.CheckIn(held);

  EXPECT_EQ(ctl.CountByID(TavoVendor, -1), 2);
  EXPECT_EQ(ctl.CountByID(TavoVendor, 0x2222), 1);
  EXPECT_EQ(ctl.CountByClass("HIDClass"), 3);
  EXPECT_EQ(ctl.CountByCallback(IsTavoB), 1);
  EXPECT_EQ(ctl.CountByProductName("B"), 1);
  EXPECT_EQ(ctl.GetNumCheckedInDevices(), 3);

  TJvHidDevice* none = nullptr;
  ctl.CheckIn(none);  // nothing for null
}

TEST_F(HidControllerTest, EnumerateStopsAtTheFirstFalse) {
  std::vector<std::string> paths;
  for (const char* name : {"A", "B", "C"}) paths.push_back(PlugBefore(DeviceSetup(name, 0x1111)));
  TJvHidDeviceController ctl(nullptr);
  ctl.DeviceChange();
  std::vector<int> seen;
  int opened = 0;
  ctl.SetOnEnumerate([&](TJvHidDevice* d, int idx) {
    seen.push_back(idx);
    // Handed to the handler, the device may be opened without being held.
    opened += d->OpenFile() && d->OpenFileEx(omhRead);
    return idx < 1;
  });
  EXPECT_EQ(ctl.Enumerate(), 2);
  EXPECT_EQ(seen, (std::vector<int>{0, 1}));
  EXPECT_EQ(opened, 2);
  for (const std::string& path : paths)
    EXPECT_EQ(Fake->OpenHandleCount(path), 0) << "handles of a device not held are closed after the call";

  // Without a handler only the first device counts.
  ctl.SetOnEnumerate(nullptr);
  EXPECT_EQ(ctl.Enumerate(), 1);
}

TEST_F(HidControllerTest, HandlersReachTheDevicesThatStillHaveTheControllersOld) {
  PlugBefore(DeviceSetup("A", 0x1111));
  TJvHidDeviceController ctl(nullptr);
  ctl.DeviceChange();
  TJvHidDevice* a = nullptr;
  ASSERT_TRUE(ctl.CheckOutByIndex(a, 0));

  int errorsA = 0;
  ctl.SetOnDeviceDataError([&](TJvHidDevice*, std::uint32_t) { ++errorsA; });
  EXPECT_TRUE(static_cast<bool>(a->GetOnDataError())) << "a listed device takes the data-error handler";
  ctl.SetOnDeviceData([](TJvHidDevice*, std::uint8_t, const std::uint8_t*, std::uint16_t) {});
  EXPECT_TRUE(static_cast<bool>(a->GetOnData()));
  ctl.SetOnDeviceUnplug([](TJvHidDevice*) {});
  EXPECT_TRUE(static_cast<bool>(a->GetOnUnplug()));

  // A device found later takes the data and unplug handlers, not the
  // data-error one.
  Fake->Plug(DeviceSetup("B", 0x2222));
  ctl.DeviceChange();
  TJvHidDevice* b = nullptr;
  ASSERT_TRUE(ctl.CheckOutByIndex(b, 1));
  EXPECT_TRUE(static_cast<bool>(b->GetOnData()));
  EXPECT_TRUE(static_cast<bool>(b->GetOnUnplug()));
  EXPECT_FALSE(static_cast<bool>(b->GetOnDataError()));

  // A handler the application gave a device itself is left alone.
  int own = 0;
  b->SetOnUnplug([&](TJvHidDevice*) { ++own; });
  ctl.SetOnDeviceUnplug(nullptr);
  EXPECT_FALSE(static_cast<bool>(a->GetOnUnplug()));
  EXPECT_TRUE(static_cast<bool>(b->GetOnUnplug()));

  // The poll interval follows for devices that kept the old default.
  b->SetThreadSleepTime(250);
  ctl.SetDevThreadSleepTime(50);
  EXPECT_EQ(a->GetThreadSleepTime(), 50);
  EXPECT_EQ(b->GetThreadSleepTime(), 250);

  ctl.CheckIn(a);
  ctl.CheckIn(b);
}

TEST_F(HidControllerTest, FreeingAHeldDeviceLeavesAFreshOneAtItsIndex) {
  PlugBefore(DeviceSetup("A", 0x1111));
  PlugBefore(DeviceSetup("B"));
  TJvHidDeviceController ctl(nullptr);
  ctl.DeviceChange();
  TJvHidDevice* b = nullptr;
  ASSERT_TRUE(ctl.CheckOutByIndex(b, 1));
  int reports = 0;
  b->SetOnData([&](TJvHidDevice*, std::uint8_t, const std::uint8_t*, std::uint16_t) { ++reports; });
  b->SetOnUnplug([](TJvHidDevice*) {});
  b->SetThreadSleepTime(40);
  b->Free();

  EXPECT_EQ(ctl.GetNumCheckedOutDevices(), 0);
  EXPECT_EQ(ctl.GetNumCheckedInDevices(), 2);
  TJvHidDevice* fresh = nullptr;
  ASSERT_TRUE(ctl.CheckOutByIndex(fresh, 1));
  EXPECT_EQ(NameOf(fresh), "B");
  EXPECT_TRUE(static_cast<bool>(fresh->GetOnData()));
  EXPECT_TRUE(static_cast<bool>(fresh->GetOnUnplug()));
  EXPECT_EQ(fresh->GetThreadSleepTime(), 40);
  ctl.CheckIn(fresh);
}

TEST_F(HidControllerTest, DestroyingTheControllerUnplugsHeldDevicesForTheirHolders) {
  PlugBefore(DeviceSetup("A", 0x1111));
  const std::string pathB = PlugBefore(DeviceSetup("B"));
  auto host = std::make_unique<Host>();
  ASSERT_TRUE(host->WaitChanges(1));
  ASSERT_NE(host->Held, nullptr);
  host->TakeLog();

  // The holder checks its device in from the unplug handler, as the main
  // window does; the controller is going away meanwhile.
  host->DestroyController();
  EXPECT_EQ(host->Log, (Log{"unplug B"}));
  EXPECT_EQ(host->Held, nullptr);
  EXPECT_EQ(Fake->OpenHandleCount(pathB), 0);
  host.reset();
}

TEST_F(HidControllerTest, AnInterfaceThatCannotBeOpenedIsListedWithoutAccess) {
  const std::string path = PlugBefore(DeviceSetup("B"));
  Fake->SetOpenFails(path, true);
  Host host;
  int reports = 0;
  host.Ctl->SetOnDeviceData(
      [&](TJvHidDevice*, std::uint8_t, const std::uint8_t*, std::uint16_t) { ++reports; });
  ASSERT_TRUE(host.WaitChanges(1));
  ASSERT_NE(host.Held, nullptr);
  EXPECT_FALSE(host.Held->GetHasReadWriteAccess());
  EXPECT_EQ(host.Held->GetCaps().InputReportByteLength, 0);
  std::uint32_t written = 1;
  const std::uint8_t report[65] = {};
  EXPECT_FALSE(host.Held->WriteFile(report, sizeof report, written));
  EXPECT_EQ(written, 0u);
  Fake->FeedInputReport(path, std::vector<std::uint8_t>(65, 1));
  // Without access no read thread runs that could deliver it.
  PumpWaiting();
  EXPECT_EQ(reports, 0) << "no read thread without access";
}

TEST_F(HidControllerTest, WithoutHidServicesTheControllerListsNothing) {
  // The udev library cannot be loaded: the backend is not available.
  auto absent = std::make_shared<UdevHidBackend>("libtavo-no-such-udev.so.1");
  ASSERT_FALSE(absent->IsAvailable());
  SelectHidBackend(absent);
  PlugBefore(DeviceSetup("B"));

  Host host;
  EXPECT_FALSE(IsHidLoaded());
  PumpWaiting();
  host.Ctl->DeviceChange();
  EXPECT_EQ(host.Changes, 0);
  EXPECT_EQ(host.Ctl->Enumerate(), 0);
  TJvHidDevice* dev = nullptr;
  EXPECT_FALSE(host.Ctl->CheckOut(dev));
  EXPECT_TRUE(host.Log.empty());
}

TEST_F(HidControllerTest, LoadingIsCountedAcrossControllers) {
  ASSERT_TRUE(LoadHid());
  EXPECT_EQ(LoadedHidBackend(), Fake);
  {
    TJvHidDeviceController ctl(nullptr);
    EXPECT_TRUE(IsHidLoaded());
  }
  EXPECT_TRUE(IsHidLoaded()) << "the first user still holds the services";
  UnloadHid();
  EXPECT_FALSE(IsHidLoaded());
  EXPECT_EQ(LoadedHidBackend(), nullptr);
  UnloadHid();  // one too many does nothing
  EXPECT_FALSE(IsHidLoaded());
}

TEST(HidErrorStringTest, TextsOfHidStatusCodes) {
  using namespace JvHidControllerClass;
  const struct {
    std::uint32_t code;
    const char* text;
  } cases[] = {
      {0x00110000, ""},  // success
      {0x00120001, ""},  // another facility
      {0x40110001, "HID Error: unknown HID error 40110001"},
      {0x80110001, "HID Error: device not plugged in"},
      {0xC0110004, "HID Error: usage not found"},
      {0xC0110010, "HID Error: report does not exist"},
      {0xC0110020, "HID Error: not implemented"},
      {0xC0110011, "HID Error: unknown HID error C0110011"},
  };
  for (const auto& c : cases) EXPECT_EQ(HidErrorString(c.code), c.text) << std::hex << c.code;

  EXPECT_EQ(JvHidControllerClass::HidError(0x00110000), 0x00110000u);
  EXPECT_THROW(JvHidControllerClass::HidError(0xC0110004), EHidClientError);
  EXPECT_EQ(HidCheck(HIDP_STATUS_SUCCESS), HIDP_STATUS_SUCCESS);
  EXPECT_THROW(HidCheck(HIDP_STATUS_NULL), EHidClientError);
  // A code with no text passes HidCheck, whatever it is.
  EXPECT_EQ(HidCheck(0x00000005), 0x00000005u);
}

}  // namespace
