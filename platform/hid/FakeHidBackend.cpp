#include "platform/hid/FakeHidBackend.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <sys/eventfd.h>
#include <unistd.h>
#include <utility>

namespace {

struct HandleState {
  std::deque<std::vector<std::uint8_t>> Input;
  bool Closed = false;
  bool Disconnected = false;
  std::condition_variable Arrived;
};

struct FakeDevice {
  FakeHidDeviceSetup Setup;
  std::string Path;
  std::string Id;
  bool Plugged = true;
  bool OpenFails = false;
  std::vector<std::vector<std::uint8_t>> Output;
  std::vector<std::shared_ptr<HandleState>> Handles;
};

}  // namespace

struct FakeHidBackend::Core {
  mutable std::mutex Lock;
  std::vector<std::shared_ptr<FakeDevice>> Devices;  // plugged in, in plug order
  std::deque<HidChangeNotice> Notices;
  int NoticeFd = -1;
  int Scans = 0;
  unsigned long NextSerial = 1;
  OutputListener Listener;

  Core() { NoticeFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK); }
  ~Core() {
    if (NoticeFd >= 0) ::close(NoticeFd);
  }

  std::shared_ptr<FakeDevice> Find(const std::string& path) const {
    for (const auto& d : Devices) {
      if (d->Path == path) return d;
    }
    return nullptr;
  }

  void Notify(HidChangeKind kind, const std::string& path) {
    Notices.push_back({kind, path});
    const std::uint64_t one = 1;
    ssize_t ignored = ::write(NoticeFd, &one, sizeof one);
    (void)ignored;
  }
};

namespace {

class FakeHidDevice final : public HidDevice {
 public:
  FakeHidDevice(std::shared_ptr<FakeHidBackend::Core> core, std::shared_ptr<FakeDevice> device,
                std::shared_ptr<HandleState> state)
      : FCore(std::move(core)), FDevice(std::move(device)), FState(std::move(state)) {}
  ~FakeHidDevice() override { Close(); }

  std::string Path() const override { return FDevice->Path; }

  HidCaps GetCaps() const override {
    const FakeHidDeviceSetup& s = FDevice->Setup;
    HidCaps caps;
    caps.UsagePage = s.UsagePage;
    caps.Usage = s.Usage;
    caps.InputReportByteLength = s.InputReportByteLength;
    caps.OutputReportByteLength = s.OutputReportByteLength;
    caps.FeatureReportByteLength = s.FeatureReportByteLength;
    caps.UsesReportIds = s.UsesReportIds;
    return caps;
  }

  HidIoResult ReadInputReport(std::vector<std::uint8_t>& report, int timeoutMs) override {
    report.clear();
    std::unique_lock<std::mutex> guard(FCore->Lock);
    HandleState& st = *FState;
    st.Arrived.wait_for(guard, std::chrono::milliseconds(timeoutMs < 0 ? 0 : timeoutMs),
                        [&] { return st.Closed || st.Disconnected || !st.Input.empty(); });
    if (st.Closed) return {HidStatus::Closed, 0, 0};
    if (!st.Input.empty()) {
      report = std::move(st.Input.front());
      st.Input.pop_front();
      return {HidStatus::Ok, 0, report.size()};
    }
    if (st.Disconnected) return {HidStatus::Disconnected, 0, 0};
    return {HidStatus::Timeout, 0, 0};
  }

  HidIoResult WriteOutputReport(const std::uint8_t* report, std::size_t size) override {
    if (!report || size == 0) return {HidStatus::InvalidArgument, 0, 0};
    std::vector<std::uint8_t> bytes(report, report + size);
    FakeHidBackend::OutputListener listener;
    {
      std::lock_guard<std::mutex> guard(FCore->Lock);
      if (FState->Closed) return {HidStatus::Closed, 0, 0};
      if (!FDevice->Plugged) return {HidStatus::Disconnected, 0, 0};
      FDevice->Output.push_back(bytes);
      listener = FCore->Listener;
    }
    if (listener) listener(FDevice->Path, bytes);
    return {HidStatus::Ok, 0, size};
  }

  void Close() override {
    std::lock_guard<std::mutex> guard(FCore->Lock);
    if (FState->Closed) return;
    FState->Closed = true;
    auto& handles = FDevice->Handles;
    handles.erase(std::remove(handles.begin(), handles.end(), FState), handles.end());
    FState->Arrived.notify_all();
  }

  bool IsOpen() const override {
    std::lock_guard<std::mutex> guard(FCore->Lock);
    return !FState->Closed;
  }

 private:
  std::shared_ptr<FakeHidBackend::Core> FCore;
  std::shared_ptr<FakeDevice> FDevice;  // Path and Setup never change
  std::shared_ptr<HandleState> FState;
};

}  // namespace

FakeHidBackend::FakeHidBackend() : FCore(std::make_shared<Core>()) {}

FakeHidBackend::~FakeHidBackend() = default;

std::string FakeHidBackend::Plug(const FakeHidDeviceSetup& setup) {
  std::lock_guard<std::mutex> guard(FCore->Lock);
  auto device = std::make_shared<FakeDevice>();
  device->Setup = setup;
  // The lowest free node number, as the kernel gives them out.
  for (int k = 0;; ++k) {
    std::string path = "fake-hidraw" + std::to_string(k);
    if (!FCore->Find(path)) {
      device->Path = path;
      break;
    }
  }
  device->Id = "fake-hid-" + std::to_string(FCore->NextSerial++);
  FCore->Devices.push_back(device);
  FCore->Notify(HidChangeKind::Added, device->Path);
  return device->Path;
}

bool FakeHidBackend::Unplug(const std::string& path) {
  std::lock_guard<std::mutex> guard(FCore->Lock);
  auto device = FCore->Find(path);
  if (!device) return false;
  device->Plugged = false;
  for (const auto& handle : device->Handles) {
    handle->Disconnected = true;
    handle->Arrived.notify_all();
  }
  auto& list = FCore->Devices;
  list.erase(std::remove(list.begin(), list.end(), device), list.end());
  FCore->Notify(HidChangeKind::Removed, path);
  return true;
}

bool FakeHidBackend::FeedInputReport(const std::string& path, const std::vector<std::uint8_t>& report) {
  std::lock_guard<std::mutex> guard(FCore->Lock);
  auto device = FCore->Find(path);
  if (!device) return false;
  std::vector<std::uint8_t> bytes = report;
  const std::size_t limit = device->Setup.InputReportByteLength;
  if (limit > 0 && bytes.size() > limit) bytes.resize(limit);
  for (const auto& handle : device->Handles) {
    handle->Input.push_back(bytes);
    handle->Arrived.notify_all();
  }
  return true;
}

std::vector<std::vector<std::uint8_t>> FakeHidBackend::TakeOutputReports(const std::string& path) {
  std::lock_guard<std::mutex> guard(FCore->Lock);
  auto device = FCore->Find(path);
  if (!device) return {};
  return std::exchange(device->Output, {});
}

void FakeHidBackend::SetOutputListener(OutputListener listener) {
  std::lock_guard<std::mutex> guard(FCore->Lock);
  FCore->Listener = std::move(listener);
}

void FakeHidBackend::RaiseNotice() {
  std::lock_guard<std::mutex> guard(FCore->Lock);
  FCore->Notify(HidChangeKind::Changed, {});
}

void FakeHidBackend::SetOpenFails(const std::string& path, bool fails) {
  std::lock_guard<std::mutex> guard(FCore->Lock);
  if (auto device = FCore->Find(path)) device->OpenFails = fails;
}

int FakeHidBackend::OpenHandleCount(const std::string& path) const {
  std::lock_guard<std::mutex> guard(FCore->Lock);
  auto device = FCore->Find(path);
  return device ? static_cast<int>(device->Handles.size()) : 0;
}

int FakeHidBackend::Scans() const {
  std::lock_guard<std::mutex> guard(FCore->Lock);
  return FCore->Scans;
}

std::size_t FakeHidBackend::NoticesWaiting() const {
  std::lock_guard<std::mutex> guard(FCore->Lock);
  return FCore->Notices.size();
}

std::vector<HidDeviceInfo> FakeHidBackend::Enumerate() {
  std::lock_guard<std::mutex> guard(FCore->Lock);
  ++FCore->Scans;
  std::vector<HidDeviceInfo> list;
  for (const auto& d : FCore->Devices) {
    HidDeviceInfo info;
    info.Path = d->Path;
    info.Id = d->Id;
    info.VendorId = d->Setup.VendorId;
    info.ProductId = d->Setup.ProductId;
    info.Version = d->Setup.Version;
    info.Manufacturer = d->Setup.Manufacturer;
    info.Product = d->Setup.Product;
    info.SerialNumber = d->Setup.SerialNumber;
    list.push_back(std::move(info));
  }
  return list;
}

std::unique_ptr<HidDevice> FakeHidBackend::Open(const std::string& path, HidError* error) {
  std::lock_guard<std::mutex> guard(FCore->Lock);
  auto device = FCore->Find(path);
  if (!device || device->OpenFails) {
    if (error) {
      *error =
          device ? HidError{HidStatus::AccessDenied, 0, "Cannot open HID device " + path + ": access denied."}
                 : HidError{HidStatus::NotFound, 0, "Cannot open HID device " + path + ": device not found."};
    }
    return nullptr;
  }
  auto state = std::make_shared<HandleState>();
  device->Handles.push_back(state);
  return std::make_unique<FakeHidDevice>(FCore, device, state);
}

int FakeHidBackend::NoticeHandle() const {
  return FCore->NoticeFd;
}

std::vector<HidChangeNotice> FakeHidBackend::DrainNotices() {
  std::lock_guard<std::mutex> guard(FCore->Lock);
  std::uint64_t count = 0;
  ssize_t ignored = ::read(FCore->NoticeFd, &count, sizeof count);
  (void)ignored;
  std::vector<HidChangeNotice> taken(FCore->Notices.begin(), FCore->Notices.end());
  FCore->Notices.clear();
  return taken;
}
