#include "platform/hidctl/JvHidDevice.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <utility>

#include "platform/hidctl/JvHidDeviceController.h"

namespace {

// Messages of a device's delivery window (private to it).
constexpr unsigned WM_HID_DATA = WM_USER + 0x4A0;
constexpr unsigned WM_HID_DATA_ERROR = WM_USER + 0x4A1;

// The read thread looks at least this often whether it must end, whatever
// ThreadSleepTime is, so that a check-in never holds the user-interface
// thread for long.
constexpr int MaxReadSliceMs = 100;

std::uint32_t ErrorCodeOf(const HidError& error) {
  if (error.SysError != 0) return static_cast<std::uint32_t>(error.SysError);
  switch (error.Status) {
    case HidStatus::AccessDenied:
      return EACCES;
    case HidStatus::NotHidDevice:
      return ENOTTY;
    case HidStatus::InvalidArgument:
      return EINVAL;
    case HidStatus::Closed:
      return EBADF;
    case HidStatus::IoError:
      return EIO;
    default:
      return ENODEV;
  }
}

std::string HexWord(const char* prefix, std::uint16_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "%s%04X", prefix, value);
  return text;
}

}  // namespace

// ------------------------------------------------------------ TJvHidPnPInfo

TJvHidPnPInfo::TJvHidPnPInfo(const HidDeviceInfo& Info)
    : FInfo(Info), FClassDescr("HIDClass"), FEnumeratorName("HID") {
  const std::string ids = "HID\\" + HexWord("VID_", Info.VendorId) + HexWord("&PID_", Info.ProductId);
  FHardwareID = {ids + HexWord("&REV_", Info.Version), ids};
}

// ------------------------------------------------------------ TJvHidDevice

TJvHidDevice::TJvHidDevice(std::unique_ptr<TJvHidPnPInfo> PnPInfo, TJvHidDeviceController* Controller,
                           std::shared_ptr<HidBackend> Backend)
    : FMyController(Controller), FBackend(std::move(Backend)), FPnPInfo(std::move(PnPInfo)) {
  if (!FBackend || !FPnPInfo) throw EControllerError("device cannot be opened");
  HidError error;
  std::unique_ptr<HidDevice> probe = FBackend->Open(FPnPInfo->GetDevicePath(), &error);
  if (probe) {
    FHasReadWriteAccess = true;
    FCaps = probe->GetCaps();
    probe->Close();
  } else if (error.Status != HidStatus::AccessDenied) {
    // An interface we may not open is still listed, as one without
    // access; one that is gone or not HID is not.
    throw EControllerError("device cannot be opened");
  }
  const HidDeviceInfo& info = FPnPInfo->GetScanInfo();
  FAttributes.VendorID = info.VendorId;
  FAttributes.ProductID = info.ProductId;
  FAttributes.VersionNumber = info.Version;
}

TJvHidDevice::~TJvHidDevice() {
  TJvHidDataEvent keptData = FData;
  TJvHidPlugEvent keptUnplug = FUnplug;
  const std::uint64_t keptDataToken = FDataToken;
  const std::uint64_t keptUnplugToken = FUnplugToken;
  StopThread();
  FData = nullptr;
  FUnplug = nullptr;
  CloseAll();

  TJvHidDeviceController* controller = FMyController;
  FMyController = nullptr;
  if (!controller) return;
  const int idx = controller->IndexOf(this);
  if (idx < 0) return;
  if (!GetIsPluggedIn()) {
    controller->FList.erase(controller->FList.begin() + idx);
    return;
  }
  // Freed while still listed and present: a fresh device takes its place,
  // with its handlers and poll interval.
  TJvHidDevice* replacement = nullptr;
  try {
    replacement = controller->CreateDevice(std::move(FPnPInfo));
  } catch (const EControllerError&) {
    replacement = nullptr;
  }
  if (!replacement) {
    controller->FList.erase(controller->FList.begin() + idx);
    return;
  }
  replacement->FData = std::move(keptData);
  replacement->FDataToken = keptDataToken;
  replacement->FUnplug = std::move(keptUnplug);
  replacement->FUnplugToken = keptUnplugToken;
  replacement->FThreadSleepTime.store(FThreadSleepTime.load());
  controller->FList[static_cast<std::size_t>(idx)] = replacement;
}

HIDP_CAPS TJvHidDevice::GetCaps() const {
  std::lock_guard<std::mutex> guard(FHandleLock);
  return FCaps;
}

bool TJvHidDevice::IsAccessible() const {
  return FIsPluggedIn.load() && (FIsCheckedOut.load() || FIsEnumerated.load());
}

bool TJvHidDevice::GetHasReadWriteAccess() const {
  std::lock_guard<std::mutex> guard(FHandleLock);
  return FHasReadWriteAccess;
}

std::string TJvHidDevice::GetVendorName() {
  if (FVendorName.empty() && IsAccessible()) FVendorName = FPnPInfo->GetScanInfo().Manufacturer;
  return FVendorName;
}

std::string TJvHidDevice::GetProductName() {
  if (FProductName.empty() && IsAccessible()) FProductName = FPnPInfo->GetScanInfo().Product;
  return FProductName;
}

std::string TJvHidDevice::GetSerialNumber() {
  if (FSerialNumber.empty() && IsAccessible()) FSerialNumber = FPnPInfo->GetScanInfo().SerialNumber;
  return FSerialNumber;
}

void TJvHidDevice::SetThreadSleepTime(int Value) {
  if (Value >= 10 && Value <= 10000) FThreadSleepTime.store(Value);
}

void TJvHidDevice::SetOnData(TJvHidDataEvent Value) {
  SetOnDataFrom(std::move(Value), 0);
}

void TJvHidDevice::SetOnDataFrom(TJvHidDataEvent Value, std::uint64_t Token) {
  if (!Value) StopThread();
  FData = std::move(Value);
  FDataToken = Token;
  StartThread();
}

void TJvHidDevice::SetOnDataError(TJvHidDataErrorEvent Value) {
  SetOnDataErrorFrom(std::move(Value), 0);
}

void TJvHidDevice::SetOnDataErrorFrom(TJvHidDataErrorEvent Value, std::uint64_t Token) {
  FDataError = std::move(Value);
  FDataErrorToken = Token;
}

void TJvHidDevice::SetOnUnplug(TJvHidPlugEvent Value) {
  SetOnUnplugFrom(std::move(Value), 0);
}

void TJvHidDevice::SetOnUnplugFrom(TJvHidPlugEvent Value, std::uint64_t Token) {
  FUnplug = std::move(Value);
  FUnplugToken = Token;
}

// Hold FHandleLock.
bool TJvHidDevice::OpenLocked(std::shared_ptr<HidDevice>& Handle, HidError* Error) {
  if (Handle) return true;
  if (!IsAccessible()) {
    if (Error) {
      Error->Status = HidStatus::Disconnected;
      Error->SysError = ENODEV;
      Error->Message = "device not accessible";
    }
    return false;
  }
  HidError error;
  std::unique_ptr<HidDevice> opened = FBackend->Open(FPnPInfo->GetDevicePath(), &error);
  if (!opened) {
    if (error.Status == HidStatus::AccessDenied) FHasReadWriteAccess = false;
    if (Error) *Error = error;
    return false;
  }
  FHasReadWriteAccess = true;
  FCaps = opened->GetCaps();
  Handle = std::move(opened);
  return true;
}

bool TJvHidDevice::OpenFile() {
  std::lock_guard<std::mutex> guard(FHandleLock);
  return OpenLocked(FHidFileHandle, nullptr);
}

bool TJvHidDevice::OpenFileEx(TJvHidOpenExMode Mode) {
  std::lock_guard<std::mutex> guard(FHandleLock);
  return OpenLocked(Mode == omhRead ? FHidOverlappedRead : FHidOverlappedWrite, nullptr);
}

namespace {

// Takes the handle out under the lock and closes it outside: Close waits for
// a read or write in progress on another thread to leave it.
void CloseHandle(std::mutex& lock, std::shared_ptr<HidDevice>& handle) {
  std::shared_ptr<HidDevice> taken;
  {
    std::lock_guard<std::mutex> guard(lock);
    taken = std::move(handle);
    handle.reset();
  }
  if (taken) taken->Close();
}

}  // namespace

void TJvHidDevice::CloseFile() {
  CloseHandle(FHandleLock, FHidFileHandle);
}

void TJvHidDevice::CloseFileEx(TJvHidOpenExMode Mode) {
  CloseHandle(FHandleLock, Mode == omhRead ? FHidOverlappedRead : FHidOverlappedWrite);
}

void TJvHidDevice::CloseAll() {
  CloseFile();
  CloseFileEx(omhRead);
  CloseFileEx(omhWrite);
}

bool TJvHidDevice::WriteFile(const std::uint8_t* Report, std::uint32_t ToWrite, std::uint32_t& BytesWritten) {
  BytesWritten = 0;
  if (!Report || ToWrite == 0) return false;
  std::shared_ptr<HidDevice> handle;
  {
    std::lock_guard<std::mutex> guard(FHandleLock);
    if (!OpenLocked(FHidFileHandle, nullptr)) return false;
    handle = FHidFileHandle;
  }
  const HidIoResult result = handle->WriteOutputReport(Report, ToWrite);
  if (!result) return false;
  BytesWritten = static_cast<std::uint32_t>(result.Bytes);
  return true;
}

std::shared_ptr<HidDevice> TJvHidDevice::AcquireReadHandle(std::uint32_t& Error) {
  std::lock_guard<std::mutex> guard(FHandleLock);
  HidError error;
  if (!OpenLocked(FHidOverlappedRead, &error)) {
    Error = ErrorCodeOf(error);
    return nullptr;
  }
  return FHidOverlappedRead;
}

bool TJvHidDevice::CheckOut() {
  if (!FMyController || !GetIsPluggedIn() || GetIsCheckedOut()) return false;
  const int idx = FMyController->IndexOf(this);
  TJvHidDevice* dev = nullptr;
  return idx >= 0 && FMyController->CheckOutAt(dev, idx);
}

void TJvHidDevice::StartThread() {
  if (!FData || !GetIsPluggedIn() || !GetIsCheckedOut() || !GetHasReadWriteAccess() || FDataThread) return;
  // Opened before the thread runs, so that no report sent right after the
  // check-out is missed.
  OpenFileEx(omhRead);
  FThreadWnd = AllocateHWnd([this](TMessage& Msg) { ThreadMessage(Msg); });
  FDataThread = new TJvHidDeviceReadThread(this, FThreadWnd);
  FDataThread->Start();
}

void TJvHidDevice::StopThread() {
  if (!FDataThread) return;
  TJvHidDeviceReadThread* thread = FDataThread;
  FDataThread = nullptr;
  // Terminating abandons the delivery the thread may wait for, so the wait
  // below never depends on this thread's handlers returning.
  thread->Terminate();
  thread->WaitFor();
  delete thread;
  DeallocateHWnd(FThreadWnd);
  FThreadWnd = nullptr;
}

void TJvHidDevice::ThreadMessage(TMessage& Message) {
  // Deliveries run inside the sending thread's wait; the thread is gone
  // or going when it is no longer this device's.
  if (!FDataThread) return;
  if (Message.Msg == WM_HID_DATA) {
    const auto* report = reinterpret_cast<const std::vector<std::uint8_t>*>(Message.LParam);
    // A copy: the handler may replace OnData or check the device in.
    TJvHidDataEvent handler = FData;
    if (handler && report && !report->empty())
      handler(this, (*report)[0], report->data() + 1, static_cast<std::uint16_t>(report->size() - 1));
  } else if (Message.Msg == WM_HID_DATA_ERROR) {
    TJvHidDataErrorEvent handler = FDataError;
    if (handler) handler(this, static_cast<std::uint32_t>(Message.WParam));
  }
}

void TJvHidDevice::DoUnplug() {
  FIsPluggedIn.store(false);
  CloseAll();
  TJvHidPlugEvent handler = std::move(FUnplug);
  FUnplug = nullptr;
  FUnplugToken = 0;
  // The handler may check the device in and so destroy it: nothing here
  // touches the device after the call.
  if (handler) handler(this);
}

// ------------------------------------------------------------ TJvHidDeviceReadThread

TJvHidDeviceReadThread::TJvHidDeviceReadThread(TJvHidDevice* Dev, HWND Target)
    : TThread(true), Device(Dev), FSender(Target) {}

TJvHidDeviceReadThread::~TJvHidDeviceReadThread() {
  Terminate();
  WaitFor();
}

void TJvHidDeviceReadThread::TerminatedSet() {
  FSender.Stop();
  FWake.Set();
}

void TJvHidDeviceReadThread::Pause() {
  FWake.Wait(static_cast<std::uint32_t>(Device->GetThreadSleepTime()));
}

void TJvHidDeviceReadThread::DeliverError(std::uint32_t Error) {
  FErr.store(Error);
  FSender.Send(WM_HID_DATA_ERROR, Error, 0);
}

void TJvHidDeviceReadThread::Execute() {
  while (!Terminated()) {
    std::uint32_t error = 0;
    std::shared_ptr<HidDevice> handle = Device->AcquireReadHandle(error);
    if (!handle) {
      // Unplugged or gone: told once per poll interval until the holder
      // checks the device in.
      DeliverError(error);
      Pause();
      continue;
    }
    // Each delivery gets its own buffer: an abandoned delivery keeps it
    // alive until the handler that may still hold it has returned.
    auto report = std::make_shared<std::vector<std::uint8_t>>();
    const int slice = std::min(Device->GetThreadSleepTime(), MaxReadSliceMs);
    const HidIoResult result = handle->ReadInputReport(*report, slice);
    if (Terminated()) break;
    switch (result.Status) {
      case HidStatus::Ok:
        NumBytesRead = static_cast<std::uint32_t>(report->size());
        if (NumBytesRead > 0) FSender.Send(WM_HID_DATA, 0, reinterpret_cast<LPARAM>(report.get()), report);
        break;
      case HidStatus::Timeout:
        break;
      default:
        // A read that ended in an error delivers nothing; the pause keeps
        // a vanished device from spinning this thread.
        Pause();
        break;
    }
  }
}
