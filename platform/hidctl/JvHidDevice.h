#pragma once
// One HID interface as the device controller lists it: its plug-and-play
// description, identity and capabilities, its handles, report writing and,
// while the application holds it, a read thread that hands every input
// report to the user-interface thread.
//
// Only the controller creates devices. The application checks one out,
// reads its reports through OnData, writes reports with WriteFile (from any
// thread) and checks it in again. Everything but GetCaps, WriteFile and the
// accessibility tests runs on the user-interface thread.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/classlib/Classes.h"
#include "platform/classlib/Messages.h"
#include "platform/classlib/Threads.h"
#include "platform/hid/HidBackend.h"
#include "platform/sys/Events.h"

class TJvHidDevice;
class TJvHidDeviceController;
class TJvHidDeviceReadThread;

// Handler types. Data points at the report's bytes after the report ID and
// is valid for the length of the call.
using TJvHidEnumerateEvent = std::function<bool(TJvHidDevice* HidDev, int Idx)>;
using TJvHidPlugEvent = std::function<void(TJvHidDevice* HidDev)>;
using TJvHidDataEvent = std::function<void(TJvHidDevice* HidDev, std::uint8_t ReportID,
                                           const std::uint8_t* Data, std::uint16_t Size)>;
using TJvHidDataErrorEvent = std::function<void(TJvHidDevice* HidDev, std::uint32_t Error)>;
using TJvHidCheckCallback = bool (*)(TJvHidDevice* HidDev);

// A device that cannot be opened or identified.
class EControllerError : public Exception {
 public:
  using Exception::Exception;
};
// Raised by JvHidControllerClass::HidError for a HID status code that
// carries an error text.
class EHidClientError : public Exception {
 public:
  using Exception::Exception;
};

// Identity of an interface, known from the scan.
struct HIDD_ATTRIBUTES {
  std::uint32_t Size = 12;
  std::uint16_t VendorID = 0;
  std::uint16_t ProductID = 0;
  std::uint16_t VersionNumber = 0;
};

// Usage, usage page and report byte lengths; the lengths count the report-ID
// byte.
using HIDP_CAPS = HidCaps;

enum TJvHidOpenExMode { omhRead, omhWrite };

// The plug-and-play description of one interface, built once when the scan
// finds it: the properties that udev and the scan can tell.
class TJvHidPnPInfo : public TObject {
 public:
  explicit TJvHidPnPInfo(const HidDeviceInfo& Info);

  // The identity by which scans are compared; a device plugged in again
  // gets a new one.
  const std::string& GetDeviceID() const { return FInfo.Id; }
  // What the device is opened by.
  const std::string& GetDevicePath() const { return FInfo.Path; }
  // "HIDClass" for every interface the scan lists.
  const std::string& GetClassDescr() const { return FClassDescr; }
  const std::string& GetDeviceDescr() const { return FInfo.Product; }
  const std::string& GetFriendlyName() const { return FInfo.Product; }
  const std::string& GetMfg() const { return FInfo.Manufacturer; }
  const std::string& GetEnumeratorName() const { return FEnumeratorName; }
  // "HID\VID_vvvv&PID_pppp&REV_rrrr", then "HID\VID_vvvv&PID_pppp".
  const std::vector<std::string>& GetHardwareID() const { return FHardwareID; }

  // What the scan read of the interface.
  const HidDeviceInfo& GetScanInfo() const { return FInfo; }

 private:
  HidDeviceInfo FInfo;
  std::string FClassDescr;
  std::string FEnumeratorName;
  std::vector<std::string> FHardwareID;
};

class TJvHidDevice : public TObject {
 public:
  // Stops the read thread and closes the handles. A device still listed by
  // its controller and still plugged in leaves a fresh, checked-in device
  // at its list index; an unplugged one leaves the list.
  ~TJvHidDevice() override;

  // Read at creation; never changes.
  const HIDD_ATTRIBUTES& GetAttributes() const { return FAttributes; }
  // Any thread. Zeroed when the interface could not be read.
  HIDP_CAPS GetCaps() const;
  TJvHidPnPInfo* GetPnPInfo() const { return FPnPInfo.get(); }
  // Read from the interface only while the device is accessible, then
  // kept; empty until read.
  std::string GetVendorName();
  std::string GetProductName();
  std::string GetSerialNumber();

  bool GetIsPluggedIn() const { return FIsPluggedIn.load(); }
  bool GetIsCheckedOut() const { return FIsCheckedOut.load(); }
  // Plugged in and either checked out or handed to a controller handler.
  bool IsAccessible() const;
  // The interface was last opened for reading and writing.
  bool GetHasReadWriteAccess() const;
  NativeInt GetTag() const { return FTag; }
  void SetTag(NativeInt Value) { FTag = Value; }

  // The read thread's poll interval in ms: it waits at most this long for
  // a report before looking whether it must end, and this long before it
  // tries a failed read again. Values outside 10..10000 are ignored.
  int GetThreadSleepTime() const { return FThreadSleepTime.load(); }
  void SetThreadSleepTime(int Value);

  // Setting an empty handler stops the read thread; setting one starts it
  // when the device qualifies (checked out, plugged in, opened for reading
  // and writing). Not from inside this device's own OnData or OnDataError.
  const TJvHidDataEvent& GetOnData() const { return FData; }
  void SetOnData(TJvHidDataEvent Value);
  const TJvHidDataErrorEvent& GetOnDataError() const { return FDataError; }
  void SetOnDataError(TJvHidDataErrorEvent Value);
  const TJvHidPlugEvent& GetOnUnplug() const { return FUnplug; }
  void SetOnUnplug(TJvHidPlugEvent Value);

  // Handles are opened on demand by the operation that needs them, and
  // only while the device is accessible. OpenFile: the handle WriteFile
  // writes through; OpenFileEx(omhRead): the one the read thread reads
  // from; OpenFileEx(omhWrite): a further handle for the application.
  bool OpenFile();
  bool OpenFileEx(TJvHidOpenExMode Mode);
  void CloseFile();
  void CloseFileEx(TJvHidOpenExMode Mode);

  // Writes one whole output report (report ID first), opening the handle
  // when needed. Any thread. False, with BytesWritten 0, when the device is
  // not accessible (checked in, unplugged), cannot be opened or the write
  // fails; a write racing a close fails cleanly and never reaches a closed
  // handle.
  bool WriteFile(const std::uint8_t* Report, std::uint32_t ToWrite, std::uint32_t& BytesWritten);

  // The device checks itself out through its controller: only while it is
  // listed, plugged in and not checked out.
  bool CheckOut();

 private:
  friend class TJvHidDeviceController;
  friend class TJvHidDeviceReadThread;

  // Opens the interface once to learn whether it can be read and written
  // and what its capabilities are. Throws EControllerError when the
  // interface is gone.
  TJvHidDevice(std::unique_ptr<TJvHidPnPInfo> PnPInfo, TJvHidDeviceController* Controller,
               std::shared_ptr<HidBackend> Backend);

  bool OpenLocked(std::shared_ptr<HidDevice>& Handle, HidError* Error);
  void CloseAll();
  void StartThread();
  void StopThread();
  void DoUnplug();
  void SetEnumerated(bool Value) { FIsEnumerated.store(Value); }
  void SetCheckedOut(bool Value) { FIsCheckedOut.store(Value); }

  // The read thread's handle: null, with a system error code in Error,
  // when the device is not accessible or cannot be opened.
  std::shared_ptr<HidDevice> AcquireReadHandle(std::uint32_t& Error);
  // Reports and read errors from the read thread, on the user-interface
  // thread.
  void ThreadMessage(TMessage& Message);

  // Handlers as handed on by the controller: the generation of the
  // controller's handler this device took, 0 when set otherwise.
  void SetOnDataFrom(TJvHidDataEvent Value, std::uint64_t Token);
  void SetOnDataErrorFrom(TJvHidDataErrorEvent Value, std::uint64_t Token);
  void SetOnUnplugFrom(TJvHidPlugEvent Value, std::uint64_t Token);

  TJvHidDeviceController* FMyController;
  std::shared_ptr<HidBackend> FBackend;
  std::unique_ptr<TJvHidPnPInfo> FPnPInfo;
  std::atomic<bool> FIsPluggedIn{true};
  std::atomic<bool> FIsCheckedOut{false};
  std::atomic<bool> FIsEnumerated{false};
  HIDD_ATTRIBUTES FAttributes;

  // Guards the handles, the access flag and the capabilities against the
  // threads that write and read while the user-interface thread opens and
  // closes. Never held during I/O: holders copy the handle and let go.
  mutable std::mutex FHandleLock;
  std::shared_ptr<HidDevice> FHidFileHandle;
  std::shared_ptr<HidDevice> FHidOverlappedRead;
  std::shared_ptr<HidDevice> FHidOverlappedWrite;
  bool FHasReadWriteAccess = false;
  HIDP_CAPS FCaps;

  std::string FVendorName;
  std::string FProductName;
  std::string FSerialNumber;
  std::atomic<int> FThreadSleepTime{100};
  NativeInt FTag = 0;

  TJvHidDataEvent FData;
  TJvHidDataErrorEvent FDataError;
  TJvHidPlugEvent FUnplug;
  std::uint64_t FDataToken = 0;
  std::uint64_t FDataErrorToken = 0;
  std::uint64_t FUnplugToken = 0;

  TJvHidDeviceReadThread* FDataThread = nullptr;
  // The window the read thread's deliveries go to, while it runs.
  HWND FThreadWnd = nullptr;
};

// Waits for input reports on the device's read handle and delivers each one
// to the user-interface thread, where OnData runs while this thread waits.
// Once told to terminate it delivers nothing more: a delivery it waits for
// is abandoned, so stopping it never waits on the user-interface thread.
class TJvHidDeviceReadThread : public TThread {
 public:
  ~TJvHidDeviceReadThread() override;

  // The last system error code of a read that could not be started.
  std::uint32_t GetLastReadError() const { return FErr.load(); }

 protected:
  void Execute() override;
  void TerminatedSet() override;

 private:
  friend class TJvHidDevice;
  TJvHidDeviceReadThread(TJvHidDevice* Dev, HWND Target);

  // Waits ThreadSleepTime or until told to terminate.
  void Pause();
  void DeliverError(std::uint32_t Error);

  TJvHidDevice* Device;
  std::atomic<std::uint32_t> FErr{0};
  std::uint32_t NumBytesRead = 0;
  TSyncMessageSender FSender;
  sys::Event FWake;
};
