#pragma once
// A HID backend without hardware, for tests and the device simulator: plug
// and unplug devices, feed input reports, capture output reports and raise
// change notices. Like the real backend, each open handle gets its own copy
// of every input report, a path freed by an unplugged device is given to the
// next device plugged in, and each plug-in gets a new identity.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/hid/HidBackend.h"

struct FakeHidDeviceSetup {
  std::uint16_t VendorId = 0;
  std::uint16_t ProductId = 0;
  std::uint16_t Version = 0;
  std::string Manufacturer;
  std::string Product;
  std::string SerialNumber;
  // Report lengths with the report-ID byte, as HidCaps gives them.
  std::uint16_t InputReportByteLength = 65;
  std::uint16_t OutputReportByteLength = 65;
  std::uint16_t FeatureReportByteLength = 0;
  bool UsesReportIds = false;
  std::uint16_t UsagePage = 0xFF00;
  std::uint16_t Usage = 0x01;
};

class FakeHidBackend final : public HidBackend {
 public:
  // Called on the writer's thread for each output report a handle writes.
  using OutputListener =
      std::function<void(const std::string& path, const std::vector<std::uint8_t>& report)>;

  FakeHidBackend();
  ~FakeHidBackend() override;

  // Test side.
  // Plugs a device in and raises an Added notice; returns its path.
  std::string Plug(const FakeHidDeviceSetup& setup);
  // Unplugs the device at `path` and raises a Removed notice: reads on its
  // handles return what was already fed, then Disconnected; writes fail.
  // False when no device is plugged in there.
  bool Unplug(const std::string& path);
  // Hands an input report (report ID first) to every open handle of the
  // device, cut to its input report length as the kernel would. False when
  // no device is plugged in at `path`.
  bool FeedInputReport(const std::string& path, const std::vector<std::uint8_t>& report);
  // The output reports written to the device at `path` since the last call.
  std::vector<std::vector<std::uint8_t>> TakeOutputReports(const std::string& path);
  void SetOutputListener(OutputListener listener);
  // A notice that changes no device.
  void RaiseNotice();
  // Makes Open of the device at `path` fail with AccessDenied.
  void SetOpenFails(const std::string& path, bool fails);
  // Handles of the device at `path` that are open now.
  int OpenHandleCount(const std::string& path) const;
  // Enumerations so far, and notices not yet taken by DrainNotices: what a
  // test waits for instead of a fixed time.
  int Scans() const;
  std::size_t NoticesWaiting() const;

  // HidBackend.
  bool IsAvailable() const override { return true; }
  std::vector<HidDeviceInfo> Enumerate() override;
  std::unique_ptr<HidDevice> Open(const std::string& path, HidError* error = nullptr) override;
  int NoticeHandle() const override;
  std::vector<HidChangeNotice> DrainNotices() override;

  struct Core;

 private:
  std::shared_ptr<Core> FCore;
};
