#pragma once
// The serial link engine: frames to the device over an RS-232 port, which
// its worker reads itself. Differences from the network engine: the send
// buffer holds 1024 bytes; frames complete from 5 collected bytes on (so a
// frame with length byte 0 completes at 8); a received frame replaces the
// frame in flight, so a later time-out writes it back to the port; a frame
// received while the port is not at 115200 baud is delivered as
// WM_LINK_FRAME_OTHER_BAUD; a resend credit lets time-outs rewrite without
// counting a retry; the keep-alive sets a 2000 ms time-out; a port that
// fails or goes away posts code 1, a failed wait code 6.

#include <cstddef>
#include <cstdint>
#include <string>

#include "link/LinkEngine.h"
#include "platform/serial/SerialPort.h"

// The transport: the serial port.
class LComm : public LinkEngine {
 public:
  static constexpr std::size_t BufferSize = 1024;
  static constexpr std::uint32_t KeepAliveTimeoutMs = 2000;
  static constexpr int LinkBaudRate = 115200;
  static constexpr int MinBaudRate = 1200;
  static constexpr int MaxBaudRate = 128000;

  ~LComm() override;

  // Opens the port (exclusively, purged) with the given settings and
  // starts the worker. False when already open, when the baud rate lies
  // outside 1200..128000, or when the port cannot be opened or configured
  // (LastPortError tells why).
  bool Open(const std::string& portPath, int baudRate, int dataBits, SerialParity parity, int stopBits);
  // Stops the worker as Stop does, then purges and closes the port.
  void Close();
  bool IsOpen() const { return FPort.IsOpen(); }
  SerialError LastPortError() const { return FPort.LastError(); }

  // Time-outs that rewrite the frame in flight without counting a retry.
  using LinkEngine::SetResendCredit;

 protected:
  LComm(sys::MessageTarget* owner, LinkOwner* io, int deviceId);

  bool WriteTransport(const std::uint8_t* data, std::size_t size, std::string& error) override;
  int PortHandle() override;
  bool ReadPort() override;
  void HandedOver(const std::uint8_t* data, std::size_t size) override;
  void BeforeDelivery(const ByteVector& frame, bool endsWait) override;
  unsigned FrameMessage() override;

 private:
  SerialPort FPort;
  int FPortHandle = -1;
};

// What the main window creates for a serial link.
class LCommProc final : public LComm {
 public:
  LCommProc(sys::MessageTarget* owner, LinkOwner* io, int deviceId);
  ~LCommProc() override;
};
