#pragma once
// An open raw HID node (/dev/hidrawN). The kernel hands out input reports
// without the report-ID byte when the device uses no report IDs; this class
// puts a 0 back in front so that callers always see whole reports.
//
// The descriptor is guarded: Close wakes a pending read and waits for any
// read or write in progress to leave the descriptor before closing it, so no
// operation can reach a closed (or since reused) descriptor.

#include <atomic>
#include <memory>
#include <shared_mutex>
#include <string>

#include "platform/hid/HidBackend.h"

class HidrawDevice final : public HidDevice {
 public:
  // Opens the node for reading and writing and reads its capabilities.
  static std::unique_ptr<HidrawDevice> Open(const std::string& path, HidError* error = nullptr);
  // Takes over an open descriptor (one report per read, as a raw HID node
  // or a packet pipe gives them) with the capabilities given.
  static std::unique_ptr<HidrawDevice> Adopt(int fd, const std::string& path, const HidCaps& caps,
                                             HidError* error = nullptr);

  ~HidrawDevice() override;

  std::string Path() const override { return FPath; }
  HidCaps GetCaps() const override { return FCaps; }
  HidIoResult ReadInputReport(std::vector<std::uint8_t>& report, int timeoutMs) override;
  HidIoResult WriteOutputReport(const std::uint8_t* report, std::size_t size) override;
  void Close() override;
  bool IsOpen() const override;

 private:
  HidrawDevice(int fd, int wakeFd, std::string path, const HidCaps& caps);

  mutable std::shared_mutex FLock;  // shared by I/O, exclusive to close
  std::atomic<bool> FClosing{false};
  int FFd;
  int FWakeFd;  // written by Close to end a pending read
  const std::string FPath;
  const HidCaps FCaps;
};
