#include "platform/hidctl/JvHidDeviceController.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "platform/hidctl/HidLoader.h"
#include "platform/sys/ScopeExit.h"

namespace {

// After a wake-up that brought no notice the watcher waits this long before
// it looks again, so a descriptor that stays readable cannot make it spin.
constexpr std::uint32_t IdleNoticeWaitMs = 100;

}  // namespace

TJvHidDeviceController::TJvHidDeviceController(TComponent* AOwner) : TComponent(AOwner) {
  FHidLoaded = LoadHid();
  if (!FHidLoaded) return;
  FBackend = LoadedHidBackend();
  FHWnd = AllocateHWnd([this](TMessage& Msg) { WndProc(Msg); });
  // The first scan runs when the message loop handles this, once the
  // owner has assigned the handlers.
  PostMessage(FHWnd, WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, -1);
  if (FBackend->NoticeHandle() >= 0) FMonitor.Start([this] { WatchNotices(); });
}

TJvHidDeviceController::~TJvHidDeviceController() {
  FDeviceChangeEvent = nullptr;
  FDevUnplugEvent = nullptr;
  FEnumerateEvent = nullptr;
  if (FMonitor.Started()) {
    FMonitorStop.Set();
    FMonitor.Join();
  }
  if (FHWnd) {
    DeallocateHWnd(FHWnd);
    FHWnd = nullptr;
  }
  std::vector<TJvHidDevice*> devices = std::move(FList);
  FList.clear();
  for (TJvHidDevice* dev : devices) {
    dev->FMyController = nullptr;
    if (dev->GetIsCheckedOut())
      dev->DoUnplug();  // left to its holder, who checks it in
    else
      delete dev;
  }
  for (TJvHidDevice* dev : FDoomed) delete dev;
  FDoomed.clear();
  FBackend.reset();
  if (FHidLoaded) UnloadHid();
}

// ------------------------------------------------------------ notices

void TJvHidDeviceController::WatchNotices() {
  const int fd = FBackend->NoticeHandle();
  sys::Event* stop = &FMonitorStop;
  const int fds[] = {fd};
  for (;;) {
    const int which = sys::WaitForAny(std::span<sys::Event* const>(&stop, 1), fds, sys::kInfinite);
    if (which != 1) return;  // stopped, or the wait failed: no more notices
    if (FBackend->DrainNotices().empty()) {
      if (FMonitorStop.Wait(IdleNoticeWaitMs)) return;
      continue;
    }
    if (!FNoticePosted.exchange(true)) PostMessage(FHWnd, WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0);
  }
}

void TJvHidDeviceController::WndProc(TMessage& Msg) {
  if (Msg.Msg != WM_DEVICECHANGE) return;
  // Notices that arrive from now on need a pass of their own.
  FNoticePosted.store(false);
  if (Msg.WParam != DBT_DEVNODES_CHANGED) return;
  if (FInDeviceChange) {
    // A handler of the running pass pumps messages (a modal window):
    // this notice's rescan runs once that pass has ended.
    FRescanPending = true;
    return;
  }
  FLParam = Msg.LParam;
  {
    FInDeviceChange = true;
    sys::ScopeExit done([this] { FInDeviceChange = false; });
    DeviceChange();
  }
  FlushRescan();
}

void TJvHidDeviceController::FlushRescan() {
  if (!FRescanPending || FInDeviceChange || FPassDepth > 0) return;
  FRescanPending = false;
  if (FHWnd) PostMessage(FHWnd, WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0);
}

// ------------------------------------------------------------ list and passes

bool TJvHidDeviceController::Listed(const TJvHidDevice* Dev) const {
  return IndexOf(Dev) >= 0;
}

int TJvHidDeviceController::IndexOf(const TJvHidDevice* Dev) const {
  auto it = std::find(FList.begin(), FList.end(), Dev);
  return it == FList.end() ? -1 : static_cast<int>(it - FList.begin());
}

void TJvHidDeviceController::EndPass() {
  if (--FPassDepth > 0) return;
  std::vector<TJvHidDevice*> doomed = std::move(FDoomed);
  FDoomed.clear();
  for (TJvHidDevice* dev : doomed) delete dev;
  FlushRescan();
}

// Dev is out of the list and detached.
void TJvHidDeviceController::DestroyDevice(TJvHidDevice* Dev) {
  if (FPassDepth > 0)
    FDoomed.push_back(Dev);
  else
    delete Dev;
}

void TJvHidDeviceController::CallPlugHandler(const TJvHidPlugEvent& Handler, TJvHidDevice* Dev) {
  if (!Handler) return;
  TJvHidPlugEvent handler = Handler;
  Dev->SetEnumerated(true);
  CallGuarded(this, [&] { handler(Dev); });
  Dev->SetEnumerated(false);
}

TJvHidDevice* TJvHidDeviceController::CreateDevice(std::unique_ptr<TJvHidPnPInfo> PnPInfo) {
  auto* dev = new TJvHidDevice(std::move(PnPInfo), this, FBackend);
  dev->FData = FDevDataEvent;
  dev->FDataToken = FDevDataGen;
  dev->FUnplug = FDevUnplugEvent;
  dev->FUnplugToken = FDevUnplugGen;
  // The data-error handler is not handed to devices found later; a device
  // that has none matches a controller that has none.
  dev->FDataErrorToken = FDevDataErrorEvent ? 0 : FDevDataErrorGen;
  return dev;
}

std::vector<TJvHidDevice*> TJvHidDeviceController::Scan() {
  std::vector<TJvHidDevice*> fresh;
  if (!FHidLoaded || !FBackend) return fresh;
  for (const HidDeviceInfo& info : FBackend->Enumerate()) {
    try {
      fresh.push_back(CreateDevice(std::make_unique<TJvHidPnPInfo>(info)));
    } catch (const EControllerError&) {
      // Gone again, or not a HID interface: left out.
    }
  }
  return fresh;
}

void TJvHidDeviceController::DeviceChange() {
  if (FPassDepth > 0) {
    // Called from one of our own handlers: the running pass still holds
    // its view of the list.
    FRescanPending = true;
    return;
  }
  bool changed = FLParam == -1;
  BeginPass();
  std::vector<TJvHidDevice*> fresh = Scan();
  auto present = [&](const std::string& id) {
    return std::any_of(fresh.begin(), fresh.end(),
                       [&](const TJvHidDevice* f) { return f && f->FPnPInfo->GetDeviceID() == id; });
  };

  // Removal, last entry first. An entry unplugged earlier and still held
  // never matches, so it hears OnRemoval again on every pass.
  const std::vector<TJvHidDevice*> before = FList;
  for (auto it = before.rbegin(); it != before.rend(); ++it) {
    TJvHidDevice* dev = *it;
    if (!Listed(dev)) continue;  // a handler checked it in meanwhile
    if (dev->GetIsPluggedIn() && present(dev->FPnPInfo->GetDeviceID())) continue;
    changed = true;
    CallGuarded(this, [&] { dev->DoUnplug(); });
    // A device checked in by its unplug handler is detached but not yet
    // freed, so OnRemoval still hears of it.
    CallPlugHandler(FRemovalEvent, dev);
    const int idx = IndexOf(dev);
    if (idx >= 0 && !dev->GetIsCheckedOut()) {
      FList.erase(FList.begin() + idx);
      dev->FMyController = nullptr;
      DestroyDevice(dev);
    }
  }

  // Duplicates of entries still listed and present.
  for (TJvHidDevice*& f : fresh) {
    const std::string& id = f->FPnPInfo->GetDeviceID();
    const bool listed = std::any_of(FList.begin(), FList.end(), [&](const TJvHidDevice* d) {
      return d->GetIsPluggedIn() && d->FPnPInfo->GetDeviceID() == id;
    });
    if (listed) {
      f->FMyController = nullptr;
      delete f;
      f = nullptr;
    }
  }

  // Arrivals, in scan order.
  for (TJvHidDevice* f : fresh) {
    if (!f) continue;
    FList.push_back(f);
    changed = true;
    CallPlugHandler(FArrivalEvent, f);
    if (Listed(f) && !f->GetIsCheckedOut()) f->CloseAll();
  }
  EndPass();

  if (changed && FDeviceChangeEvent) {
    TNotifyEvent handler = FDeviceChangeEvent;
    CallGuarded(this, [&] { handler(this); });
  }
}

int TJvHidDeviceController::Enumerate() {
  int count = 0;
  BeginPass();
  const std::size_t n = FList.size();
  for (std::size_t i = 0; i < n && i < FList.size(); ++i) {
    TJvHidDevice* dev = FList[i];
    if (!dev->GetIsPluggedIn()) continue;
    ++count;
    bool goOn = false;
    if (FEnumerateEvent) {
      TJvHidEnumerateEvent handler = FEnumerateEvent;
      dev->SetEnumerated(true);
      CallGuarded(this, [&] { goOn = handler(dev, static_cast<int>(i)); });
      dev->SetEnumerated(false);
      if (!dev->GetIsCheckedOut()) dev->CloseAll();
    }
    if (!goOn) break;
  }
  EndPass();
  return count;
}

// ------------------------------------------------------------ check-out and check-in

bool TJvHidDeviceController::CheckOutAt(TJvHidDevice*& HidDev, int Idx) {
  TJvHidDevice* dev = FList[static_cast<std::size_t>(Idx)];
  if (dev->GetIsCheckedOut()) return false;
  HidDev = dev;
  dev->SetCheckedOut(true);
  dev->StartThread();
  return true;
}

template <typename Test>
bool TJvHidDeviceController::CheckOutFirst(TJvHidDevice*& HidDev, Test test) {
  HidDev = nullptr;
  for (std::size_t i = 0; i < FList.size(); ++i) {
    if (test(FList[i]) && CheckOutAt(HidDev, static_cast<int>(i))) return true;
  }
  return false;
}

bool TJvHidDeviceController::CheckOut(TJvHidDevice*& HidDev) {
  return CheckOutFirst(HidDev, [](TJvHidDevice*) { return true; });
}

bool TJvHidDeviceController::CheckOutByIndex(TJvHidDevice*& HidDev, int Idx) {
  HidDev = nullptr;
  if (Idx < 0 || Idx >= static_cast<int>(FList.size())) return false;
  return CheckOutAt(HidDev, Idx);
}

bool TJvHidDeviceController::CheckOutByID(TJvHidDevice*& HidDev, int Vid, int Pid) {
  return CheckOutFirst(HidDev, [&](TJvHidDevice* d) {
    const HIDD_ATTRIBUTES& a = d->GetAttributes();
    return a.VendorID == Vid && (Pid == -1 || a.ProductID == Pid);
  });
}

bool TJvHidDeviceController::CheckOutByProductName(TJvHidDevice*& HidDev, const std::string& ProductName) {
  HidDev = nullptr;
  if (ProductName.empty()) return false;
  return CheckOutFirst(HidDev, [&](TJvHidDevice* d) { return d->GetProductName() == ProductName; });
}

bool TJvHidDeviceController::CheckOutByVendorName(TJvHidDevice*& HidDev, const std::string& VendorName) {
  HidDev = nullptr;
  if (VendorName.empty()) return false;
  return CheckOutFirst(HidDev, [&](TJvHidDevice* d) { return d->GetVendorName() == VendorName; });
}

bool TJvHidDeviceController::CheckOutByClass(TJvHidDevice*& HidDev, const std::string& ClassName) {
  HidDev = nullptr;
  if (ClassName.empty()) return false;
  return CheckOutFirst(HidDev,
                       [&](TJvHidDevice* d) { return d->GetPnPInfo()->GetClassDescr() == ClassName; });
}

bool TJvHidDeviceController::CheckOutByCallback(TJvHidDevice*& HidDev, TJvHidCheckCallback Check) {
  HidDev = nullptr;
  if (!Check) return false;
  bool found = false;
  BeginPass();
  for (std::size_t i = 0; i < FList.size() && !found; ++i) {
    TJvHidDevice* dev = FList[i];
    if (dev->GetIsCheckedOut()) continue;
    bool pass = false;
    dev->SetEnumerated(true);
    CallGuarded(this, [&] { pass = Check(dev); });
    dev->SetEnumerated(false);
    if (Listed(dev) && pass) found = CheckOutAt(HidDev, IndexOf(dev));
    if (!found && Listed(dev)) dev->CloseAll();
  }
  EndPass();
  return found;
}

void TJvHidDeviceController::CheckIn(TJvHidDevice*& HidDev) {
  TJvHidDevice* dev = HidDev;
  if (!dev) return;
  HidDev = nullptr;
  dev->StopThread();
  dev->CloseAll();
  if (dev->GetIsPluggedIn()) {
    dev->SetCheckedOut(false);
    return;
  }
  // Unplugged meanwhile: its entry goes and the device with it.
  if (dev->FMyController == this) {
    const int idx = IndexOf(dev);
    if (idx >= 0) FList.erase(FList.begin() + idx);
  }
  dev->FMyController = nullptr;
  DestroyDevice(dev);
}

// ------------------------------------------------------------ counting

template <typename Test>
int TJvHidDeviceController::CountIf(Test test) {
  int count = 0;
  for (TJvHidDevice* dev : FList) {
    if (dev->GetIsPluggedIn() && test(dev)) ++count;
  }
  return count;
}

int TJvHidDeviceController::CountByID(int Vid, int Pid) {
  return CountIf([&](TJvHidDevice* d) {
    const HIDD_ATTRIBUTES& a = d->GetAttributes();
    return a.VendorID == Vid && (Pid == -1 || a.ProductID == Pid);
  });
}

int TJvHidDeviceController::CountByProductName(const std::string& ProductName) {
  return CountIf([&](TJvHidDevice* d) { return d->GetProductName() == ProductName; });
}

int TJvHidDeviceController::CountByVendorName(const std::string& VendorName) {
  return CountIf([&](TJvHidDevice* d) { return d->GetVendorName() == VendorName; });
}

int TJvHidDeviceController::CountByClass(const std::string& ClassName) {
  return CountIf([&](TJvHidDevice* d) { return d->GetPnPInfo()->GetClassDescr() == ClassName; });
}

int TJvHidDeviceController::CountByCallback(TJvHidCheckCallback Check) {
  if (!Check) return 0;
  int count = 0;
  BeginPass();
  const std::vector<TJvHidDevice*> devices = FList;
  for (TJvHidDevice* dev : devices) {
    if (!Listed(dev) || !dev->GetIsPluggedIn()) continue;
    bool pass = false;
    dev->SetEnumerated(true);
    CallGuarded(this, [&] { pass = Check(dev); });
    dev->SetEnumerated(false);
    if (pass) ++count;
    if (Listed(dev) && !dev->GetIsCheckedOut()) dev->CloseAll();
  }
  EndPass();
  return count;
}

int TJvHidDeviceController::GetNumCheckedInDevices() const {
  return static_cast<int>(
      std::count_if(FList.begin(), FList.end(), [](const TJvHidDevice* d) { return !d->GetIsCheckedOut(); }));
}

int TJvHidDeviceController::GetNumCheckedOutDevices() const {
  return static_cast<int>(std::count_if(FList.begin(), FList.end(), [](const TJvHidDevice* d) {
    return d->GetIsCheckedOut() && d->GetIsPluggedIn();
  }));
}

int TJvHidDeviceController::GetNumUnpluggedDevices() const {
  return static_cast<int>(
      std::count_if(FList.begin(), FList.end(), [](const TJvHidDevice* d) { return !d->GetIsPluggedIn(); }));
}

// ------------------------------------------------------------ handlers

void TJvHidDeviceController::SetOnDeviceChange(TNotifyEvent Value) {
  // Handlers cannot be compared: only clearing an empty one counts as the
  // same.
  const bool same = !Value && !FDeviceChangeEvent;
  FDeviceChangeEvent = std::move(Value);
  if (!same && !GetComponentState().Contains(csLoading)) DeviceChange();
}

void TJvHidDeviceController::SetOnDeviceData(TJvHidDataEvent Value) {
  const std::uint64_t previous = FDevDataGen++;
  const std::vector<TJvHidDevice*> devices = FList;
  for (TJvHidDevice* dev : devices) {
    if (dev->FDataToken == previous) dev->SetOnDataFrom(Value, FDevDataGen);
  }
  FDevDataEvent = std::move(Value);
}

void TJvHidDeviceController::SetOnDeviceDataError(TJvHidDataErrorEvent Value) {
  const std::uint64_t previous = FDevDataErrorGen++;
  for (TJvHidDevice* dev : FList) {
    if (dev->FDataErrorToken == previous) dev->SetOnDataErrorFrom(Value, FDevDataErrorGen);
  }
  FDevDataErrorEvent = std::move(Value);
}

void TJvHidDeviceController::SetOnDeviceUnplug(TJvHidPlugEvent Value) {
  const std::uint64_t previous = FDevUnplugGen++;
  for (TJvHidDevice* dev : FList) {
    if (dev->FUnplugToken == previous) dev->SetOnUnplugFrom(Value, FDevUnplugGen);
  }
  FDevUnplugEvent = std::move(Value);
}

void TJvHidDeviceController::SetDevThreadSleepTime(int Value) {
  for (TJvHidDevice* dev : FList) {
    if (dev->GetThreadSleepTime() == FDevThreadSleepTime) dev->SetThreadSleepTime(Value);
  }
  FDevThreadSleepTime = Value;
}

// ------------------------------------------------------------ HID status texts

namespace JvHidControllerClass {

std::string HidErrorString(std::uint32_t Code) {
  if (((Code >> 16) & 0xFF) != 0x11 || (Code & 0xC0000000u) == 0) return {};
  static const struct {
    std::uint32_t Code;
    const char* Text;
  } texts[] = {
      {0x80110001, "device not plugged in"},
      {0xC0110001, "invalid preparsed data"},
      {0xC0110002, "invalid report type"},
      {0xC0110003, "invalid report length"},
      {0xC0110004, "usage not found"},
      {0xC0110005, "value out of range"},
      {0xC0110006, "bad logical or physical values"},
      {0xC0110007, "buffer too small"},
      {0xC0110008, "internal error"},
      {0xC0110009, "8042 key translation impossible"},
      {0xC011000A, "incompatible report ID"},
      {0xC011000B, "not a value array"},
      {0xC011000C, "is a value array"},
      {0xC011000D, "data index not found"},
      {0xC011000E, "data index out of range"},
      {0xC011000F, "button not pressed"},
      {0xC0110010, "report does not exist"},
      {0xC0110020, "not implemented"},
  };
  for (const auto& t : texts) {
    if (t.Code == Code) return std::string("HID Error: ") + t.Text;
  }
  char text[48];
  std::snprintf(text, sizeof text, "unknown HID error %X", static_cast<unsigned>(Code));
  return std::string("HID Error: ") + text;
}

std::uint32_t HidError(std::uint32_t Code) {
  const std::string text = HidErrorString(Code);
  if (!text.empty()) throw EHidClientError(text);
  return Code;
}

std::uint32_t HidCheck(std::uint32_t Code) {
  if (Code != HIDP_STATUS_SUCCESS) HidError(Code);
  return Code;
}

}  // namespace JvHidControllerClass
