#pragma once
// Plain records shared by every HID backend: what enumeration lists, the
// capabilities of an interface, and the outcome of an operation.

#include <cstddef>
#include <cstdint>
#include <string>

// The capabilities of one HID interface. Report lengths count the report-ID
// byte: every input report read and every output report written is that long
// with the report ID first (0 on a device that uses no report IDs). A length
// is 0 when the interface has no report of that kind.
struct HidCaps {
  std::uint16_t UsagePage = 0;  // of the first top-level collection
  std::uint16_t Usage = 0;
  std::uint16_t InputReportByteLength = 0;
  std::uint16_t OutputReportByteLength = 0;
  std::uint16_t FeatureReportByteLength = 0;
  bool UsesReportIds = false;
};

// One HID interface as enumeration finds it.
struct HidDeviceInfo {
  std::string Path;  // what HidBackend::Open takes
  std::string Id;    // identity of this plug-in; a device plugged in again gets a new one
  std::uint16_t VendorId = 0;
  std::uint16_t ProductId = 0;
  std::uint16_t Version = 0;  // release number, 0 when the bus gives none
  std::string Manufacturer;   // strings are empty when the device has none
  std::string Product;
  std::string SerialNumber;
};

enum class HidStatus {
  Ok,
  Timeout,       // nothing arrived in the time given
  Closed,        // the handle was closed
  Disconnected,  // the device went away
  NotAvailable,  // no HID support on this machine
  NotFound,
  AccessDenied,
  NotHidDevice,
  InvalidArgument,
  IoError,
};

// A short English text for a status, e.g. "device disconnected".
const char* HidStatusText(HidStatus status);

struct HidIoResult {
  HidStatus Status = HidStatus::Ok;
  int SysError = 0;       // errno of a failed system call, else 0
  std::size_t Bytes = 0;  // bytes read or written
  explicit operator bool() const { return Status == HidStatus::Ok; }
};

struct HidError {
  HidStatus Status = HidStatus::Ok;
  int SysError = 0;
  std::string Message;  // ready to show to the user
};

enum class HidChangeKind { Added, Removed, Changed };

// One device-change notice. Path is empty for a notice about no device in
// particular.
struct HidChangeNotice {
  HidChangeKind Kind = HidChangeKind::Changed;
  std::string Path;
};
