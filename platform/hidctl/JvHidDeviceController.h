#pragma once
// The HID device controller: a non-visual component that keeps the list of
// HID interfaces present, follows the system's device-change notices and
// hands devices out to the application, which checks a device out to read
// and write it and checks it in when done.
//
// On creation the controller posts itself a device-change notice; on it, on
// every later notice and on every direct DeviceChange it rescans, unplugs
// what vanished (OnDeviceUnplug from the device, then OnRemoval), lists what
// arrived (OnArrival) and, when the list changed, raises OnDeviceChange.
// Notices reach it as WM_DEVICECHANGE with DBT_DEVNODES_CHANGED on its hidden
// window, posted by a small thread that watches the HID backend's notices.
// Everything here runs on the user-interface thread, every handler included.

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/hidctl/JvHidDevice.h"
#include "platform/classlib/Classes.h"
#include "platform/classlib/Messages.h"
#include "platform/hid/HidBackend.h"
#include "platform/sys/Events.h"
#include "platform/sys/Threads.h"

// wParam of the device-change notice that makes the controller rescan.
constexpr WPARAM DBT_DEVNODES_CHANGED = 0x0007;

// HID status codes.
constexpr std::uint32_t HIDP_STATUS_SUCCESS = 0x00110000;
constexpr std::uint32_t HIDP_STATUS_NULL = 0x80110001;
constexpr std::uint32_t HIDP_STATUS_NOT_IMPLEMENTED = 0xC0110020;

class TJvHidDeviceController : public TComponent {
 public:
  explicit TJvHidDeviceController(TComponent* AOwner);
  // Devices still checked out are unplugged (their OnUnplug runs) and left
  // to their holders; every other device is destroyed.
  ~TJvHidDeviceController() override;

  // Rescans now. Called from inside one of the controller's own handlers it
  // rescans once the running pass has ended.
  void DeviceChange();
  // Raises OnEnumerate for each plugged-in device until a call returns
  // false; returns the number of devices it was raised for.
  int Enumerate();

  // The check-out family: HidDev is null unless the result is true. A
  // device already checked out is never handed out again.
  bool CheckOut(TJvHidDevice*& HidDev);
  bool CheckOutByIndex(TJvHidDevice*& HidDev, int Idx);
  // Pid -1 takes any product of the vendor.
  bool CheckOutByID(TJvHidDevice*& HidDev, int Vid, int Pid);
  // Names as the devices read them earlier (see TJvHidDevice::GetProductName).
  bool CheckOutByProductName(TJvHidDevice*& HidDev, const std::string& ProductName);
  bool CheckOutByVendorName(TJvHidDevice*& HidDev, const std::string& VendorName);
  bool CheckOutByClass(TJvHidDevice*& HidDev, const std::string& ClassName);
  bool CheckOutByCallback(TJvHidDevice*& HidDev, TJvHidCheckCallback Check);
  // Stops the device's read thread, closes its handles and takes it back;
  // an unplugged device is destroyed. HidDev becomes null. Nothing for null.
  void CheckIn(TJvHidDevice*& HidDev);

  // Plugged-in devices that pass the test.
  int CountByID(int Vid, int Pid);
  int CountByProductName(const std::string& ProductName);
  int CountByVendorName(const std::string& VendorName);
  int CountByClass(const std::string& ClassName);
  int CountByCallback(TJvHidCheckCallback Check);

  int GetNumCheckedInDevices() const;
  int GetNumCheckedOutDevices() const;
  int GetNumUnpluggedDevices() const;

  const std::string& GetVersion() const { return FVersion; }
  // Writes are ignored.
  void SetVersion(const std::string& Value) { FDummy = Value; }

  // Default poll interval of the devices' read threads. A new value also
  // reaches every listed device that still has the old one; devices found
  // later start at 100.
  int GetDevThreadSleepTime() const { return FDevThreadSleepTime; }
  void SetDevThreadSleepTime(int Value);

  // Handlers. OnArrival, OnRemoval and OnEnumerate are only stored.
  // Assigning OnDeviceChange rescans at once unless the component is
  // loading. OnDeviceData, OnDeviceDataError and OnDeviceUnplug are handed
  // on to every listed device that still has the controller's previous
  // handler of that kind; devices found later take OnDeviceData and
  // OnDeviceUnplug, but not OnDeviceDataError.
  const TJvHidPlugEvent& GetOnArrival() const { return FArrivalEvent; }
  void SetOnArrival(TJvHidPlugEvent Value) { FArrivalEvent = std::move(Value); }
  const TJvHidPlugEvent& GetOnRemoval() const { return FRemovalEvent; }
  void SetOnRemoval(TJvHidPlugEvent Value) { FRemovalEvent = std::move(Value); }
  const TJvHidEnumerateEvent& GetOnEnumerate() const { return FEnumerateEvent; }
  void SetOnEnumerate(TJvHidEnumerateEvent Value) { FEnumerateEvent = std::move(Value); }
  const TNotifyEvent& GetOnDeviceChange() const { return FDeviceChangeEvent; }
  void SetOnDeviceChange(TNotifyEvent Value);
  const TJvHidDataEvent& GetOnDeviceData() const { return FDevDataEvent; }
  void SetOnDeviceData(TJvHidDataEvent Value);
  const TJvHidDataErrorEvent& GetOnDeviceDataError() const { return FDevDataErrorEvent; }
  void SetOnDeviceDataError(TJvHidDataErrorEvent Value);
  const TJvHidPlugEvent& GetOnDeviceUnplug() const { return FDevUnplugEvent; }
  void SetOnDeviceUnplug(TJvHidPlugEvent Value);

 private:
  friend class TJvHidDevice;

  void WndProc(TMessage& Msg);
  void WatchNotices();
  std::vector<TJvHidDevice*> Scan();
  TJvHidDevice* CreateDevice(std::unique_ptr<TJvHidPnPInfo> PnPInfo);

  // A pass (a rescan, an enumeration, a search with callbacks) calls the
  // application's handlers over the list. Devices checked in and destroyed
  // by a handler are freed only when the outermost pass ends, so that the
  // pass never touches freed memory; a rescan asked for meanwhile runs
  // after it.
  void BeginPass() { ++FPassDepth; }
  void EndPass();
  void DestroyDevice(TJvHidDevice* Dev);
  void FlushRescan();
  bool Listed(const TJvHidDevice* Dev) const;
  int IndexOf(const TJvHidDevice* Dev) const;
  void CallPlugHandler(const TJvHidPlugEvent& Handler, TJvHidDevice* Dev);

  // The core of every check-out operation.
  bool CheckOutAt(TJvHidDevice*& HidDev, int Idx);
  template <typename Test>
  bool CheckOutFirst(TJvHidDevice*& HidDev, Test test);
  template <typename Test>
  int CountIf(Test test);

  TJvHidPlugEvent FArrivalEvent;
  TNotifyEvent FDeviceChangeEvent;
  TJvHidEnumerateEvent FEnumerateEvent;
  TJvHidDataEvent FDevDataEvent;
  TJvHidDataErrorEvent FDevDataErrorEvent;
  TJvHidPlugEvent FDevUnplugEvent;
  TJvHidPlugEvent FRemovalEvent;
  // Generations of the three handed-on handlers; a device whose token
  // equals one still has that handler.
  std::uint64_t FDevDataGen = 1;
  std::uint64_t FDevDataErrorGen = 1;
  std::uint64_t FDevUnplugGen = 1;
  int FDevThreadSleepTime = 100;
  std::string FVersion = "1.0.34";
  std::string FDummy;

  std::vector<TJvHidDevice*> FList;
  bool FInDeviceChange = false;
  LPARAM FLParam = 0;
  bool FHidLoaded = false;
  std::shared_ptr<HidBackend> FBackend;
  HWND FHWnd = nullptr;

  int FPassDepth = 0;
  std::vector<TJvHidDevice*> FDoomed;
  bool FRescanPending = false;

  // Posts the notices of the backend to the hidden window; one post waits
  // at a time.
  sys::Thread FMonitor;
  sys::Event FMonitorStop;
  std::atomic<bool> FNoticePosted{false};
};

// The unit's status helpers live in a namespace of their own: the bare name
// HidError is the HID backend's error record.
namespace JvHidControllerClass {

// "HID Error: " and the text of a HID status code; empty for a code that is
// not a HID error (facility 0x11 with a warning or error severity).
std::string HidErrorString(std::uint32_t Code);
// Raises EHidClientError when the code has an error text; else returns it.
std::uint32_t HidError(std::uint32_t Code);
// HidError for every code but HIDP_STATUS_SUCCESS; returns the code.
std::uint32_t HidCheck(std::uint32_t Code);

}  // namespace JvHidControllerClass
