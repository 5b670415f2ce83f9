#pragma once
// The USB link engine: frames to the device as HID output reports, written
// through LinkOwner::WriteUsbReport; the owner's HID data handler hands it
// the frame at the start of each input report. After the last resend it
// waits four more time-outs in silence before it reports the link lost.

#include <cstddef>
#include <cstdint>
#include <string>

#include "link/LinkEngine.h"

// The transport: the owner's HID device.
class LUsb : public LinkEngine {
 public:
  static constexpr std::size_t BufferSize = 128;
  static constexpr std::uint32_t KeepAliveTimeoutMs = 5000;

  ~LUsb() override;

  using LinkEngine::OnReceived;
  using LinkEngine::Start;
  using LinkEngine::Stop;

 protected:
  LUsb(sys::MessageTarget* owner, LinkOwner* io, int deviceId);
  bool WriteTransport(const std::uint8_t* data, std::size_t size, std::string& error) override;
};

// What the main window creates for a USB link.
class LUsbProc final : public LUsb {
 public:
  LUsbProc(sys::MessageTarget* owner, LinkOwner* io, int deviceId);
  ~LUsbProc() override;
};

// The output report that carries a frame: report ID 0, the frame, zero
// filler up to the device's output report length (which counts the report
// ID). Empty when the frame does not fit.
ByteVector BuildUsbOutputReport(const std::uint8_t* frame, std::size_t size, std::size_t reportLength);

// The bytes of an input report's data that form its frame: its byte 4 plus
// 8, at most the data there is (all of it when it is shorter than 5 bytes).
std::size_t UsbReportFrameLength(const std::uint8_t* data, std::size_t size);
