#include "platform/hid/UdevHidBackend.h"

#include <poll.h>

#include "platform/hid/HidrawDevice.h"

namespace {

// A notice burst larger than this is cut short; the next drain takes the rest.
constexpr int MaxNoticesPerDrain = 256;

std::string Text(const char* s) {
  return s ? std::string(s) : std::string();
}

}  // namespace

bool ParseHexWord(std::string_view text, std::uint16_t& value) {
  if (text.empty() || text.size() > 8) return false;
  std::uint32_t v = 0;
  for (char c : text) {
    int digit;
    if (c >= '0' && c <= '9')
      digit = c - '0';
    else if (c >= 'a' && c <= 'f')
      digit = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
      digit = c - 'A' + 10;
    else
      return false;
    v = v * 16 + static_cast<std::uint32_t>(digit);
  }
  if (v > 0xFFFF) return false;
  value = static_cast<std::uint16_t>(v);
  return true;
}

bool ParseHidIdProperty(std::string_view text, std::uint16_t& bus, std::uint16_t& vendor,
                        std::uint16_t& product) {
  const std::size_t first = text.find(':');
  if (first == std::string_view::npos) return false;
  const std::size_t second = text.find(':', first + 1);
  if (second == std::string_view::npos) return false;
  std::uint16_t b, v, p;
  if (!ParseHexWord(text.substr(0, first), b) ||
      !ParseHexWord(text.substr(first + 1, second - first - 1), v) ||
      !ParseHexWord(text.substr(second + 1), p))
    return false;
  bus = b;
  vendor = v;
  product = p;
  return true;
}

UdevHidBackend::UdevHidBackend(const std::string& libraryName) {
  FLibrary = UdevLibrary::Load(libraryName, &FReason);
  if (!FLibrary) return;
  const UdevApi& api = FLibrary->Api();
  FUdev = api.udev_new();
  if (!FUdev) {
    FReason = "udev is not available";
    FLibrary.reset();
    return;
  }
  // Notices are a convenience: enumeration works without them.
  FMonitor = api.udev_monitor_new_from_netlink(FUdev, "udev");
  if (FMonitor &&
      (api.udev_monitor_filter_add_match_subsystem_devtype(FMonitor, "hidraw", nullptr) < 0 ||
       api.udev_monitor_enable_receiving(FMonitor) < 0 || api.udev_monitor_get_fd(FMonitor) < 0)) {
    api.udev_monitor_unref(FMonitor);
    FMonitor = nullptr;
  }
}

UdevHidBackend::~UdevHidBackend() {
  if (!FLibrary) return;
  const UdevApi& api = FLibrary->Api();
  if (FMonitor) api.udev_monitor_unref(FMonitor);
  api.udev_unref(FUdev);
}

bool UdevHidBackend::IsAvailable() const {
  return FLibrary != nullptr;
}

std::string UdevHidBackend::UnavailableReason() const {
  return FReason;
}

std::vector<HidDeviceInfo> UdevHidBackend::Enumerate() {
  std::vector<HidDeviceInfo> found;
  std::lock_guard<std::mutex> guard(FLock);
  if (!FLibrary) return found;
  const UdevApi& api = FLibrary->Api();
  udevlib::Enumerator* scan = api.udev_enumerate_new(FUdev);
  if (!scan) return found;
  if (api.udev_enumerate_add_match_subsystem(scan, "hidraw") >= 0 &&
      api.udev_enumerate_scan_devices(scan) >= 0) {
    for (udevlib::ListEntry* e = api.udev_enumerate_get_list_entry(scan); e;
         e = api.udev_list_entry_get_next(e)) {
      const char* syspath = api.udev_list_entry_get_name(e);
      if (!syspath) continue;
      udevlib::Device* node = api.udev_device_new_from_syspath(FUdev, syspath);
      if (!node) continue;
      const char* devnode = api.udev_device_get_devnode(node);
      if (!devnode) {
        api.udev_device_unref(node);
        continue;
      }
      HidDeviceInfo info;
      info.Path = devnode;
      // The HID device's name ends in a sequence number the kernel never
      // reuses, so the node's sysfs path tells one plug-in from the next.
      info.Id = syspath;
      // Parents belong to the child record; they are not released here.
      if (udevlib::Device* hid = api.udev_device_get_parent_with_subsystem_devtype(node, "hid", nullptr)) {
        std::uint16_t bus = 0;
        ParseHidIdProperty(Text(api.udev_device_get_property_value(hid, "HID_ID")), bus, info.VendorId,
                           info.ProductId);
        info.Product = Text(api.udev_device_get_property_value(hid, "HID_NAME"));
        info.SerialNumber = Text(api.udev_device_get_property_value(hid, "HID_UNIQ"));
      }
      if (udevlib::Device* usb =
              api.udev_device_get_parent_with_subsystem_devtype(node, "usb", "usb_device")) {
        ParseHexWord(Text(api.udev_device_get_sysattr_value(usb, "bcdDevice")), info.Version);
        if (const char* s = api.udev_device_get_sysattr_value(usb, "manufacturer")) info.Manufacturer = s;
        if (const char* s = api.udev_device_get_sysattr_value(usb, "product")) info.Product = s;
        if (const char* s = api.udev_device_get_sysattr_value(usb, "serial")) info.SerialNumber = s;
      }
      found.push_back(std::move(info));
      api.udev_device_unref(node);
    }
  }
  api.udev_enumerate_unref(scan);
  return found;
}

std::unique_ptr<HidDevice> UdevHidBackend::Open(const std::string& path, HidError* error) {
  return HidrawDevice::Open(path, error);
}

int UdevHidBackend::NoticeHandle() const {
  std::lock_guard<std::mutex> guard(FLock);
  if (!FMonitor) return -1;
  return FLibrary->Api().udev_monitor_get_fd(FMonitor);
}

std::vector<HidChangeNotice> UdevHidBackend::DrainNotices() {
  std::vector<HidChangeNotice> notices;
  std::lock_guard<std::mutex> guard(FLock);
  if (!FMonitor) return notices;
  const UdevApi& api = FLibrary->Api();
  const int fd = api.udev_monitor_get_fd(FMonitor);
  for (int i = 0; i < MaxNoticesPerDrain; ++i) {
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, 0) <= 0 || !(p.revents & POLLIN)) break;
    // Null for a message the filter dropped; more may follow.
    udevlib::Device* dev = api.udev_monitor_receive_device(FMonitor);
    if (!dev) continue;
    const std::string action = Text(api.udev_device_get_action(dev));
    HidChangeNotice notice;
    notice.Kind = action == "add"      ? HidChangeKind::Added
                  : action == "remove" ? HidChangeKind::Removed
                                       : HidChangeKind::Changed;
    const char* devnode = api.udev_device_get_devnode(dev);
    notice.Path = devnode ? devnode : Text(api.udev_device_get_syspath(dev));
    notices.push_back(std::move(notice));
    api.udev_device_unref(dev);
  }
  return notices;
}
