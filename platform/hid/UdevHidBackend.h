#pragma once
// The real HID backend: lists the raw HID nodes through udev, reads their
// identity from the udev records of the HID device and its USB parent,
// follows plugging through a udev monitor, and opens nodes as HidrawDevice.
// Without the udev library it lists nothing and gives no notices; opening a
// node by path still works.

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "platform/hid/HidBackend.h"
#include "platform/hid/UdevLibrary.h"

class UdevHidBackend final : public HidBackend {
 public:
  explicit UdevHidBackend(const std::string& libraryName = UdevLibrary::DefaultName);
  ~UdevHidBackend() override;

  bool IsAvailable() const override;
  // Why the backend is not available; empty when it is.
  std::string UnavailableReason() const;

  std::vector<HidDeviceInfo> Enumerate() override;
  std::unique_ptr<HidDevice> Open(const std::string& path, HidError* error = nullptr) override;
  int NoticeHandle() const override;
  std::vector<HidChangeNotice> DrainNotices() override;

 private:
  mutable std::mutex FLock;  // the udev objects are not thread-safe
  std::unique_ptr<UdevLibrary> FLibrary;
  std::string FReason;
  udevlib::Context* FUdev = nullptr;
  udevlib::Monitor* FMonitor = nullptr;
};

// "0003:00000168:00000821" (bus, vendor, product in hexadecimal, as the HID_ID
// property of a HID device holds them). False for any other shape.
bool ParseHidIdProperty(std::string_view text, std::uint16_t& bus, std::uint16_t& vendor,
                        std::uint16_t& product);
// A hexadecimal number of 1 to 8 digits that fits 16 bits ("0821", "00000168").
bool ParseHexWord(std::string_view text, std::uint16_t& value);
