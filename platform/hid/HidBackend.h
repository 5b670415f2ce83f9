#pragma once
// The HID services the device controller works through: enumeration of HID
// interfaces, opening one, whole-report I/O and device-change notices. The
// real backend works over udev and the kernel's raw HID nodes; a fake with the
// same interface lets tests plug, unplug and feed devices. The program picks
// one at start-up with SelectHidBackend; without a choice it gets the real one.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/hid/HidTypes.h"

// One open HID interface. Every operation is safe from any thread; Close may
// run while another thread reads or writes: a pending read ends at once with
// Closed, and every later read or write fails with Closed without touching
// the descriptor that was closed.
class HidDevice {
 public:
  virtual ~HidDevice() = default;

  virtual std::string Path() const = 0;
  // Zeroed lengths when the report descriptor could not be read.
  virtual HidCaps GetCaps() const = 0;

  // Waits at most timeoutMs (0: do not wait) for one input report and
  // stores it whole in `report`: the report ID first (0 on a device without
  // report IDs), then its data. An empty report with Ok means the device
  // delivered no bytes.
  virtual HidIoResult ReadInputReport(std::vector<std::uint8_t>& report, int timeoutMs) = 0;
  // Writes one output report whole: the report ID first, then its data.
  virtual HidIoResult WriteOutputReport(const std::uint8_t* report, std::size_t size) = 0;

  // Idempotent.
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;
};

class HidBackend {
 public:
  virtual ~HidBackend() = default;

  // False when the machine offers no HID enumeration (the udev library is
  // missing); enumeration then lists nothing and no notice arrives.
  virtual bool IsAvailable() const = 0;
  // The HID interfaces present now.
  virtual std::vector<HidDeviceInfo> Enumerate() = 0;
  // Null, with *error filled when given, when the interface cannot be opened.
  virtual std::unique_ptr<HidDevice> Open(const std::string& path, HidError* error = nullptr) = 0;

  // A descriptor that becomes readable when device-change notices wait; -1
  // when notices are not available.
  virtual int NoticeHandle() const = 0;
  // Takes every waiting notice, oldest first; the handle is no longer
  // readable afterwards until a new notice arrives.
  virtual std::vector<HidChangeNotice> DrainNotices() = 0;
};

// The backend in use: the one selected, else the real one (made on first use).
std::shared_ptr<HidBackend> GetHidBackend();
// Chooses the backend for the rest of the run; null goes back to the real one.
void SelectHidBackend(std::shared_ptr<HidBackend> backend);
