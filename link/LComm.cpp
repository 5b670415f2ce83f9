#include "link/LComm.h"

#include <array>

namespace {

const LinkEngine::Traits CommTraits{
    LComm::BufferSize,
    FrameCutter::SerialTestFrom,
    LComm::KeepAliveTimeoutMs,
    LinkEngine::TimeoutRule::Report,
    true,
};

// A write waits this long at most for room in the port's queue.
constexpr int WriteWaitMs = 200;

}  // namespace

LComm::LComm(sys::MessageTarget* owner, LinkOwner* io, int deviceId)
    : LinkEngine(owner, io, deviceId, CommTraits) {}

LComm::~LComm() {
  Shutdown();
  FPort.Close();
}

bool LComm::Open(const std::string& portPath, int baudRate, int dataBits, SerialParity parity, int stopBits) {
  if (IsStarted() || FPort.IsOpen()) return false;
  if (baudRate < MinBaudRate || baudRate > MaxBaudRate) return false;
  SerialSettings settings;
  settings.BaudRate = baudRate;
  settings.DataBits = dataBits;
  settings.Parity = parity;
  settings.StopBits = stopBits;
  if (!FPort.Open(portPath, settings)) return false;
  FPortHandle = FPort.Handle();
  if (!Start()) {
    FPortHandle = -1;
    FPort.Close();
    return false;
  }
  return true;
}

void LComm::Close() {
  Stop();
  // A worker that would not end still polls the port: the destructor
  // closes it once the worker is gone.
  if (!WorkerAlive()) {
    FPortHandle = -1;
    FPort.Close();
  }
}

bool LComm::WriteTransport(const std::uint8_t* data, std::size_t size, std::string& error) {
  if (FPort.Write(data, size, WriteWaitMs) == static_cast<long>(size)) return true;
  error = FPort.LastError().Message;
  return false;
}

int LComm::PortHandle() {
  return FPortHandle;
}

bool LComm::ReadPort() {
  std::array<std::uint8_t, 256> buffer;
  for (;;) {
    long n = FPort.Read(buffer.data(), buffer.size());
    if (n < 0) return false;
    if (n == 0) return true;
    for (long i = 0; i < n; ++i) {
      if (Stopping()) return true;
      OnByte(buffer[static_cast<std::size_t>(i)]);
    }
  }
}

void LComm::HandedOver(const std::uint8_t* data, std::size_t size) {
  if (Io()) Io()->LogSerialWrite(data, size);
}

void LComm::BeforeDelivery(const ByteVector& frame, bool endsWait) {
  // The answer takes the place of the frame in flight, so a later time-out
  // writes it back to the port; the device ignores frames a device built. A
  // frame that answers nothing leaves the request to be asked again.
  if (endsWait) ReplaceFrameInFlight(frame);
  if (Io()) Io()->LogSerialRead(frame.data(), frame.size());
}

unsigned LComm::FrameMessage() {
  return FPort.GetBaudRate() == LinkBaudRate ? WM_LINK_FRAME : WM_LINK_FRAME_OTHER_BAUD;
}

LCommProc::LCommProc(sys::MessageTarget* owner, LinkOwner* io, int deviceId) : LComm(owner, io, deviceId) {}

LCommProc::~LCommProc() {
  Shutdown();
}
