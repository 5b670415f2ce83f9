#include "platform/hid/HidBackend.h"

#include <mutex>

#include "platform/hid/UdevHidBackend.h"

namespace {

std::mutex& SelectionLock() {
  static std::mutex lock;
  return lock;
}

std::shared_ptr<HidBackend>& Selected() {
  static std::shared_ptr<HidBackend> backend;
  return backend;
}

}  // namespace

const char* HidStatusText(HidStatus status) {
  switch (status) {
    case HidStatus::Ok:
      return "success";
    case HidStatus::Timeout:
      return "timed out";
    case HidStatus::Closed:
      return "device closed";
    case HidStatus::Disconnected:
      return "device disconnected";
    case HidStatus::NotAvailable:
      return "HID support not available";
    case HidStatus::NotFound:
      return "device not found";
    case HidStatus::AccessDenied:
      return "access denied";
    case HidStatus::NotHidDevice:
      return "not a HID device";
    case HidStatus::InvalidArgument:
      return "invalid argument";
    case HidStatus::IoError:
      return "input/output error";
  }
  return "unknown error";
}

std::shared_ptr<HidBackend> GetHidBackend() {
  std::lock_guard<std::mutex> guard(SelectionLock());
  if (!Selected()) Selected() = std::make_shared<UdevHidBackend>();
  return Selected();
}

void SelectHidBackend(std::shared_ptr<HidBackend> backend) {
  std::lock_guard<std::mutex> guard(SelectionLock());
  Selected() = std::move(backend);
}
