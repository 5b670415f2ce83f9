#pragma once
// The device simulator: a SimDevice served over TCP (a loopback listener),
// over a pseudo-terminal (serial: it owns the master side, the editor opens
// PtyPath()) and over the fake HID backend (a plugged device with vendor ID
// 0x0168 and product ID 0x0821 that answers each output report with an input
// report: report ID 0, then the reply frame, padded to the report length).
//
// All transport I/O runs on the simulator's own thread. Every public call is
// thread-safe. It records every frame it received (raw bytes and the parsed
// command) and every write it made, and it can drop, delay, split, merge,
// corrupt or replace its replies on request (see SimFaults.h).
//
// A typical test:
//   sim::DeviceSimulator sim;
//   ASSERT_TRUE(sim.ListenTcp("127.0.0.1", 0)) << sim.LastError();
//   ... connect the editor to 127.0.0.1:sim.TcpPort() ...
//   ASSERT_TRUE(sim.WaitForCode(0x12));           // the upload ended
//   EXPECT_EQ(sim.With([](sim::SimDevice& d) { return d.Gain(8); }), 280);

#include "tests/sim/SimDevice.h"
#include "tests/sim/SimFaults.h"

#include <array>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

class FakeHidBackend;

namespace sim {

inline constexpr std::uint16_t HidVendorId = 0x0168;
inline constexpr std::uint16_t HidProductId = 0x0821;
inline constexpr std::uint16_t HidReportLength = 65;  // report ID and 64 bytes
inline constexpr std::uint16_t DevicePort = 9761;
inline constexpr char DeviceAddress[] = "192.168.1.101";

enum class Transport { Direct, Tcp, Serial, Hid };

struct SimFrame {
  Transport Via = Transport::Direct;
  int Connection = 0;       // TCP connections count from 1 in accept order
  ByteVector Raw;           // a received frame as cut from the stream, or one write
  LCmd Command;             // Raw read with ParseFrame
  bool WellFormed = false;  // trailer and check byte as they should be
  std::uint64_t AtMs = 0;   // since the simulator was created
};

class DeviceSimulator {
 public:
  explicit DeviceSimulator(const SimConfig& config = {});
  ~DeviceSimulator();
  DeviceSimulator(const DeviceSimulator&) = delete;
  DeviceSimulator& operator=(const DeviceSimulator&) = delete;

  // --- Transports. Each returns false with LastError() on failure.

  // Listens on a loopback address only: 127.x.x.x, or the device's default
  // address, which sits on loopback inside the test network namespace.
  // Port 0 takes a free port. One listener per simulator.
  bool ListenTcp(const std::string& address = "127.0.0.1", std::uint16_t port = 0);
  std::uint16_t TcpPort() const;
  int TcpClientCount() const;
  // Drops every accepted connection, as a device that went away.
  void CloseTcpClients();

  // A pseudo-terminal in raw mode; the editor opens PtyPath().
  bool OpenPty();
  std::string PtyPath() const;
  // Changes the line's baud rate as the editor will read it back.
  bool SetSerialBaudRate(int baud);
  // Closes the master side: the editor's port hangs up.
  void ClosePty();

  // Plugs the device into a fake HID backend (select that backend for the
  // editor first). One simulator per device; several may share a backend.
  // The simulator takes the backend's output listener and its captured
  // output reports: read what the editor wrote from Received().
  bool PlugHid(std::shared_ptr<FakeHidBackend> backend, std::uint16_t reportLength = HidReportLength);
  std::string HidPath() const;
  bool UnplugHid();

  // Ends the thread and closes every transport; the destructor calls it.
  void Stop();
  std::string LastError() const;

  // --- Faults on the replies.
  void AddFault(const Fault& fault);
  void DropReplies(int count, std::optional<std::uint8_t> onlyCode = {});
  void DelayReplies(int delayMs, int count = Fault::Forever, std::optional<std::uint8_t> onlyCode = {});
  void SplitReplies(std::size_t chunkSize, int gapMs = 20, int count = 1,
                    std::optional<std::uint8_t> onlyCode = {});
  void MergeReplies(int count = 1, std::optional<std::uint8_t> onlyCode = {});
  void CorruptReplies(FaultKind kind, int count = 1, std::optional<std::uint8_t> onlyCode = {});
  void ReplaceReplies(ByteVector bytes, int count = 1, std::optional<std::uint8_t> onlyCode = {});
  // Answers nothing at all while set (requests are still applied and recorded).
  void SetSilent(bool silent);
  // Replies carry this device ID instead of the device's own (another device
  // answering); nullopt goes back to the device's own.
  void SetReplyDeviceId(std::optional<std::uint8_t> id);
  // Clears every fault, silence and reply-ID override.
  void ClearFaults();

  // --- Frames the device sends unasked, to every open connection.
  void SendGateLevels(const std::array<float, 8>& levels);
  void SendReply(std::uint8_t code, const ByteVector& payload);
  void SendRaw(const ByteVector& bytes);

  // --- Records.
  std::vector<SimFrame> Received() const;
  std::vector<SimFrame> ReceivedWithCode(std::uint8_t code) const;
  std::size_t CountReceived(std::uint8_t code) const;
  // Every write handed to a transport (a whole reply, a chunk of a split
  // one or merged replies), recorded as it is handed over.
  std::vector<SimFrame> Sent() const;
  void ClearRecords();
  // Records nothing while off (long runs such as benchmarks); on at start.
  void SetRecording(bool on);
  // Waits until done(received frames) holds; false after timeoutMs. done
  // runs under the simulator's lock and must not call the simulator.
  bool WaitForReceived(const std::function<bool(const std::vector<SimFrame>&)>& done,
                       int timeoutMs = 5000) const;
  bool WaitForCode(std::uint8_t code, std::size_t count = 1, int timeoutMs = 5000) const;
  bool WaitForSent(std::size_t count, int timeoutMs = 5000) const;

  // --- The device's state, read or changed under the simulator's lock
  // (f must not call the simulator). Return values, not references into
  // the device; f may also return nothing.
  template <class F>
  auto With(F&& f) {
    std::lock_guard<std::mutex> guard(FMutex);
    return f(FDevice);
  }
  template <class F>
  auto With(F&& f) const {
    std::lock_guard<std::mutex> guard(FMutex);
    return f(static_cast<const SimDevice&>(FDevice));
  }
  ParamImage Image() const;

  // The replies to a frame handed over directly, without a transport
  // (recorded with Transport::Direct; faults do not apply).
  std::vector<ByteVector> Exchange(const ByteVector& frame);

  struct Connection;
  struct HidInbox;

 private:
  bool StartThread();
  void Run();
  void Wake();
  void Accept();
  void ReadFrom(Connection& c);
  void DrainHid();
  std::shared_ptr<FakeHidBackend> HidBackendNow() const;
  void TakeFrame(Connection& c, const ByteVector& frame);
  void Schedule(Connection& c, std::vector<PlannedWrite> writes);
  void FlushDue();
  bool WriteAll(Connection& c, const ByteVector& bytes);
  int NextDueMs() const;
  std::uint64_t NowMs() const;
  ByteVector Frame(const LCmd& reply) const;
  void Record(std::vector<SimFrame>& list, Transport via, int connection, const ByteVector& raw);
  void Enqueue(const ByteVector& bytes);
  bool Fail(std::string message);

  mutable std::mutex FMutex;
  mutable std::condition_variable FChanged;
  SimDevice FDevice;
  FaultPlan FFaults;
  bool FSilent = false;
  std::optional<std::uint8_t> FReplyId;
  std::vector<SimFrame> FReceivedFrames;
  std::vector<SimFrame> FSentFrames;
  bool FRecording = true;
  std::vector<std::unique_ptr<Connection>> FConnections;
  std::string FError;
  std::uint64_t FStartMs = 0;

  int FWakeFd = -1;
  int FListenFd = -1;
  std::uint16_t FListenPort = 0;
  int FNextTcpId = 1;
  std::string FPty;
  int FPtyHold = -1;  // a slave descriptor held open: the line stays raw and never hangs up
  std::shared_ptr<FakeHidBackend> FHid;
  std::shared_ptr<HidInbox> FInbox;
  std::uint16_t FReportLength = HidReportLength;

  std::thread FWorker;
  bool FStopping = false;
};

}  // namespace sim
