#include "link/LUsb.h"

#include <algorithm>

namespace {

const LinkEngine::Traits UsbTraits{
    LUsb::BufferSize,
    FrameCutter::StreamTestFrom,
    LUsb::KeepAliveTimeoutMs,
    LinkEngine::TimeoutRule::ReportAfterSilence,
    false,
};

}  // namespace

LUsb::LUsb(sys::MessageTarget* owner, LinkOwner* io, int deviceId)
    : LinkEngine(owner, io, deviceId, UsbTraits) {}

LUsb::~LUsb() {
  Shutdown();
}

bool LUsb::WriteTransport(const std::uint8_t* data, std::size_t size, std::string& error) {
  return !Io() || Io()->WriteUsbReport(data, size, error);
}

LUsbProc::LUsbProc(sys::MessageTarget* owner, LinkOwner* io, int deviceId) : LUsb(owner, io, deviceId) {}

LUsbProc::~LUsbProc() {
  Shutdown();
}

ByteVector BuildUsbOutputReport(const std::uint8_t* frame, std::size_t size, std::size_t reportLength) {
  if (!frame || size + 1 > reportLength) return {};
  ByteVector report(reportLength, 0);
  std::copy(frame, frame + size, report.begin() + 1);
  return report;
}

std::size_t UsbReportFrameLength(const std::uint8_t* data, std::size_t size) {
  if (!data) return 0;
  if (size <= DeviceFrame::LengthIndex) return size;
  return std::min(size, DeviceFrame::SizeFor(data[DeviceFrame::LengthIndex]));
}
