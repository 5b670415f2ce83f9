#pragma once
// The udev library, loaded at run time so that the program starts and works
// (without USB devices) on a machine that lacks it. Every entry point the HID
// backend needs is looked up at load; one missing entry point means the
// library counts as absent.

#include <memory>
#include <string>
#include <utility>

#include "platform/sys/DynLib.h"

namespace udevlib {
// Opaque handles of the library.
struct Context;
struct Enumerator;
struct ListEntry;
struct Device;
struct Monitor;
}  // namespace udevlib

// Name, return type and parameters of each entry point, in one table.
#define TAVO_UDEV_ENTRY_POINTS(X)                                                                        \
  X(udev_new, udevlib::Context*, ())                                                                     \
  X(udev_unref, udevlib::Context*, (udevlib::Context*))                                                  \
  X(udev_enumerate_new, udevlib::Enumerator*, (udevlib::Context*))                                       \
  X(udev_enumerate_unref, udevlib::Enumerator*, (udevlib::Enumerator*))                                  \
  X(udev_enumerate_add_match_subsystem, int, (udevlib::Enumerator*, const char*))                        \
  X(udev_enumerate_scan_devices, int, (udevlib::Enumerator*))                                            \
  X(udev_enumerate_get_list_entry, udevlib::ListEntry*, (udevlib::Enumerator*))                          \
  X(udev_list_entry_get_next, udevlib::ListEntry*, (udevlib::ListEntry*))                                \
  X(udev_list_entry_get_name, const char*, (udevlib::ListEntry*))                                        \
  X(udev_device_new_from_syspath, udevlib::Device*, (udevlib::Context*, const char*))                    \
  X(udev_device_unref, udevlib::Device*, (udevlib::Device*))                                             \
  X(udev_device_get_devnode, const char*, (udevlib::Device*))                                            \
  X(udev_device_get_syspath, const char*, (udevlib::Device*))                                            \
  X(udev_device_get_action, const char*, (udevlib::Device*))                                             \
  X(udev_device_get_parent_with_subsystem_devtype, udevlib::Device*,                                     \
    (udevlib::Device*, const char*, const char*))                                                        \
  X(udev_device_get_sysattr_value, const char*, (udevlib::Device*, const char*))                         \
  X(udev_device_get_property_value, const char*, (udevlib::Device*, const char*))                        \
  X(udev_monitor_new_from_netlink, udevlib::Monitor*, (udevlib::Context*, const char*))                  \
  X(udev_monitor_filter_add_match_subsystem_devtype, int, (udevlib::Monitor*, const char*, const char*)) \
  X(udev_monitor_enable_receiving, int, (udevlib::Monitor*))                                             \
  X(udev_monitor_get_fd, int, (udevlib::Monitor*))                                                       \
  X(udev_monitor_receive_device, udevlib::Device*, (udevlib::Monitor*))                                  \
  X(udev_monitor_unref, udevlib::Monitor*, (udevlib::Monitor*))

struct UdevApi {
#define TAVO_UDEV_SLOT(name, result, params) result(*name) params = nullptr;
  TAVO_UDEV_ENTRY_POINTS(TAVO_UDEV_SLOT)
#undef TAVO_UDEV_SLOT
};

class UdevLibrary {
 public:
  static constexpr const char* DefaultName = "libudev.so.1";

  // Null, with the reason in *error when given, when the library cannot be
  // loaded or lacks any entry point; nothing stays loaded then.
  static std::unique_ptr<UdevLibrary> Load(const std::string& name = DefaultName,
                                           std::string* error = nullptr);

  ~UdevLibrary() = default;
  UdevLibrary(const UdevLibrary&) = delete;
  UdevLibrary& operator=(const UdevLibrary&) = delete;

  const UdevApi& Api() const { return FApi; }

 private:
  UdevLibrary(sys::DynLib library, const UdevApi& api) : FLibrary(std::move(library)), FApi(api) {}

  sys::DynLib FLibrary;
  UdevApi FApi;
};
