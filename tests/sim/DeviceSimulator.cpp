#include "tests/sim/DeviceSimulator.h"

#include "link/FrameCutter.h"
#include "platform/hid/FakeHidBackend.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <deque>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

namespace sim {

struct DeviceSimulator::Connection {
  struct Pending {
    ByteVector Bytes;
    std::uint64_t DueMs = 0;
  };

  Transport Via = Transport::Tcp;
  int Id = 0;
  int Fd = -1;       // the TCP socket or the pty master; -1 for HID
  std::string Path;  // HID device path
  FrameCutter Cutter{FrameCutter::StreamTestFrom};
  std::deque<Pending> Out;  // due times never decrease, so the front is next
  std::uint64_t LastDueMs = 0;
  std::optional<ByteVector> Held;  // a reply waiting to be merged with the next
  bool Closed = false;             // the peer went away or a write failed
  bool CloseRequested = false;
};

// Output reports of the fake HID device reach the simulator's thread through
// this box; the backend calls its listener on the writer's thread.
struct DeviceSimulator::HidInbox {
  std::mutex Lock;
  std::string Path;
  std::deque<ByteVector> Reports;
  int WakeFd = -1;
  bool Open = true;
};

namespace {

// A fake backend has one output listener; simulators that share a backend
// share one dispatcher that routes each report by device path.
struct HidDispatch {
  std::mutex Lock;
  std::vector<std::weak_ptr<DeviceSimulator::HidInbox>> Inboxes;

  void Deliver(const std::string& path, const std::vector<std::uint8_t>& report) {
    std::lock_guard<std::mutex> guard(Lock);
    for (const auto& weak : Inboxes) {
      const auto inbox = weak.lock();
      if (!inbox) continue;
      std::lock_guard<std::mutex> boxGuard(inbox->Lock);
      if (!inbox->Open || inbox->Path != path) continue;
      inbox->Reports.push_back(report);
      const std::uint64_t one = 1;
      [[maybe_unused]] const ssize_t n = ::write(inbox->WakeFd, &one, sizeof one);
    }
  }
};

struct DispatchEntry {
  std::weak_ptr<FakeHidBackend> Backend;
  std::shared_ptr<HidDispatch> Dispatch;
};

std::mutex DispatchLock;
std::vector<DispatchEntry> Dispatchers;

std::shared_ptr<HidDispatch> DispatchFor(const std::shared_ptr<FakeHidBackend>& backend) {
  std::lock_guard<std::mutex> guard(DispatchLock);
  std::erase_if(Dispatchers, [](const DispatchEntry& e) { return e.Backend.expired(); });
  for (const DispatchEntry& e : Dispatchers) {
    if (!e.Backend.owner_before(backend) && !backend.owner_before(e.Backend)) return e.Dispatch;
  }
  auto dispatch = std::make_shared<HidDispatch>();
  backend->SetOutputListener([dispatch](const std::string& path, const std::vector<std::uint8_t>& report) {
    dispatch->Deliver(path, report);
  });
  Dispatchers.push_back({backend, dispatch});
  return dispatch;
}

bool AllowedAddress(const std::string& address, in_addr& out) {
  if (::inet_pton(AF_INET, address.c_str(), &out) != 1) return false;
  const std::uint32_t host = ntohl(out.s_addr);
  constexpr std::uint32_t DeviceDefault = (192u << 24) | (168u << 16) | (1u << 8) | 101u;
  return (host >> 24) == 127 || host == DeviceDefault;
}

bool BaudCode(int baud, speed_t& code) {
  static constexpr std::pair<int, speed_t> Rates[] = {{1200, B1200},   {2400, B2400},     {4800, B4800},
                                                      {9600, B9600},   {19200, B19200},   {38400, B38400},
                                                      {57600, B57600}, {115200, B115200}, {230400, B230400}};
  for (const auto& [rate, c] : Rates) {
    if (rate == baud) {
      code = c;
      return true;
    }
  }
  return false;
}

bool SetNonBlocking(int fd) {
  const int flags = ::fcntl(fd, F_GETFL);
  return flags >= 0 && ::fcntl(fd, F_SETFL, flags | O_NONBLOCK) == 0;
}

}  // namespace

DeviceSimulator::DeviceSimulator(const SimConfig& config) : FDevice(config) {
  FStartMs = NowMs();
  FWakeFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
}

DeviceSimulator::~DeviceSimulator() {
  Stop();
  if (FWakeFd >= 0) ::close(FWakeFd);
}

std::uint64_t DeviceSimulator::NowMs() const {
  return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                        std::chrono::steady_clock::now().time_since_epoch())
                                        .count());
}

bool DeviceSimulator::Fail(std::string message) {
  std::lock_guard<std::mutex> guard(FMutex);
  FError = std::move(message);
  return false;
}

std::string DeviceSimulator::LastError() const {
  std::lock_guard<std::mutex> guard(FMutex);
  return FError;
}

void DeviceSimulator::Wake() {
  const std::uint64_t one = 1;
  [[maybe_unused]] const ssize_t n = ::write(FWakeFd, &one, sizeof one);
}

bool DeviceSimulator::StartThread() {
  std::lock_guard<std::mutex> guard(FMutex);
  if (FStopping) {
    FError = "the simulator was stopped";
    return false;
  }
  if (!FWorker.joinable()) FWorker = std::thread([this] { Run(); });
  return true;
}

// --- Transports ------------------------------------------------------------------

bool DeviceSimulator::ListenTcp(const std::string& address, std::uint16_t port) {
  in_addr addr{};
  if (!AllowedAddress(address, addr))
    return Fail("refusing to listen on " + address + ": only loopback addresses are allowed");
  {
    std::lock_guard<std::mutex> guard(FMutex);
    if (FListenFd >= 0) {
      FError = "already listening";
      return false;
    }
  }
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) return Fail(std::string("socket: ") + std::strerror(errno));
  const int on = 1;
  ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
  sockaddr_in sa{};
  sa.sin_family = AF_INET;
  sa.sin_port = htons(port);
  sa.sin_addr = addr;
  socklen_t len = sizeof sa;
  if (::bind(fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0 || ::listen(fd, 16) != 0 ||
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&sa), &len) != 0) {
    const int err = errno;
    ::close(fd);
    return Fail("listen on " + address + ":" + std::to_string(port) + ": " + std::strerror(err));
  }
  {
    std::lock_guard<std::mutex> guard(FMutex);
    FListenFd = fd;
    FListenPort = ntohs(sa.sin_port);
  }
  if (!StartThread()) return false;
  Wake();
  return true;
}

std::uint16_t DeviceSimulator::TcpPort() const {
  std::lock_guard<std::mutex> guard(FMutex);
  return FListenPort;
}

int DeviceSimulator::TcpClientCount() const {
  std::lock_guard<std::mutex> guard(FMutex);
  return static_cast<int>(std::count_if(FConnections.begin(), FConnections.end(), [](const auto& c) {
    return c->Via == Transport::Tcp && !c->Closed && !c->CloseRequested;
  }));
}

void DeviceSimulator::CloseTcpClients() {
  {
    std::lock_guard<std::mutex> guard(FMutex);
    for (auto& c : FConnections) {
      if (c->Via != Transport::Tcp || c->CloseRequested) continue;
      // The peer sees the end at once; the thread closes the descriptor.
      ::shutdown(c->Fd, SHUT_RDWR);
      c->CloseRequested = true;
    }
  }
  Wake();
}

bool DeviceSimulator::OpenPty() {
  {
    std::lock_guard<std::mutex> guard(FMutex);
    if (!FPty.empty()) {
      FError = "a pseudo-terminal is already open";
      return false;
    }
  }
  const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (master < 0) return Fail(std::string("posix_openpt: ") + std::strerror(errno));
  char name[256] = {};
  if (::grantpt(master) != 0 || ::unlockpt(master) != 0 || ::ptsname_r(master, name, sizeof name) != 0 ||
      !SetNonBlocking(master)) {
    const int err = errno;
    ::close(master);
    return Fail(std::string("pseudo-terminal: ") + std::strerror(err));
  }
  // Raw before the editor opens it: a cooked line would echo our replies
  // back and translate bytes.
  const int slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
  termios t{};
  if (slave < 0 || ::tcgetattr(slave, &t) != 0) {
    const int err = errno;
    if (slave >= 0) ::close(slave);
    ::close(master);
    return Fail(std::string("pseudo-terminal slave: ") + std::strerror(err));
  }
  ::cfmakeraw(&t);
  t.c_cflag |= CLOCAL | CREAD;
  ::cfsetispeed(&t, B115200);
  ::cfsetospeed(&t, B115200);
  if (::tcsetattr(slave, TCSANOW, &t) != 0) {
    const int err = errno;
    ::close(slave);
    ::close(master);
    return Fail(std::string("pseudo-terminal raw mode: ") + std::strerror(err));
  }
  {
    std::lock_guard<std::mutex> guard(FMutex);
    FPty = name;
    FPtyHold = slave;
    auto c = std::make_unique<Connection>();
    c->Via = Transport::Serial;
    c->Fd = master;
    FConnections.push_back(std::move(c));
  }
  if (!StartThread()) return false;
  Wake();
  return true;
}

std::string DeviceSimulator::PtyPath() const {
  std::lock_guard<std::mutex> guard(FMutex);
  return FPty;
}

bool DeviceSimulator::SetSerialBaudRate(int baud) {
  speed_t code{};
  if (!BaudCode(baud, code)) return Fail("unsupported baud rate " + std::to_string(baud));
  std::lock_guard<std::mutex> guard(FMutex);
  termios t{};
  if (FPtyHold < 0 || ::tcgetattr(FPtyHold, &t) != 0) {
    FError = "no pseudo-terminal";
    return false;
  }
  ::cfsetispeed(&t, code);
  ::cfsetospeed(&t, code);
  if (::tcsetattr(FPtyHold, TCSANOW, &t) != 0) {
    FError = std::string("tcsetattr: ") + std::strerror(errno);
    return false;
  }
  return true;
}

void DeviceSimulator::ClosePty() {
  {
    std::lock_guard<std::mutex> guard(FMutex);
    for (auto& c : FConnections) {
      if (c->Via == Transport::Serial) c->CloseRequested = true;
    }
    if (FPtyHold >= 0) ::close(FPtyHold);
    FPtyHold = -1;
    FPty.clear();
  }
  Wake();
}

bool DeviceSimulator::PlugHid(std::shared_ptr<FakeHidBackend> backend, std::uint16_t reportLength) {
  if (!backend) return Fail("no HID backend");
  if (reportLength < 2) return Fail("HID report length too short");
  {
    std::lock_guard<std::mutex> guard(FMutex);
    if (FHid) {
      FError = "the HID device is already plugged in";
      return false;
    }
  }
  auto inbox = std::make_shared<HidInbox>();
  inbox->WakeFd = FWakeFd;
  const auto dispatch = DispatchFor(backend);
  {
    std::lock_guard<std::mutex> guard(dispatch->Lock);
    std::erase_if(dispatch->Inboxes, [](const auto& w) { return w.expired(); });
    dispatch->Inboxes.push_back(inbox);
  }

  FakeHidDeviceSetup setup;
  setup.VendorId = HidVendorId;
  setup.ProductId = HidProductId;
  setup.Product = "TAVO";
  setup.InputReportByteLength = reportLength;
  setup.OutputReportByteLength = reportLength;
  const std::string path = backend->Plug(setup);
  {
    std::lock_guard<std::mutex> guard(inbox->Lock);
    inbox->Path = path;
  }
  {
    std::lock_guard<std::mutex> guard(FMutex);
    FHid = std::move(backend);
    FInbox = inbox;
    FReportLength = reportLength;
    auto c = std::make_unique<Connection>();
    c->Via = Transport::Hid;
    c->Path = path;
    FConnections.push_back(std::move(c));
  }
  if (!StartThread()) return false;
  Wake();
  return true;
}

std::string DeviceSimulator::HidPath() const {
  std::lock_guard<std::mutex> guard(FMutex);
  for (const auto& c : FConnections) {
    if (c->Via == Transport::Hid && !c->CloseRequested) return c->Path;
  }
  return {};
}

bool DeviceSimulator::UnplugHid() {
  std::shared_ptr<FakeHidBackend> backend;
  std::shared_ptr<HidInbox> inbox;
  std::string path;
  {
    std::lock_guard<std::mutex> guard(FMutex);
    if (!FHid) return false;
    backend = std::move(FHid);
    inbox = std::move(FInbox);
    for (auto& c : FConnections) {
      if (c->Via == Transport::Hid && !c->CloseRequested) {
        path = c->Path;
        c->CloseRequested = true;
      }
    }
  }
  {
    std::lock_guard<std::mutex> guard(inbox->Lock);
    inbox->Open = false;
  }
  const bool unplugged = backend->Unplug(path);
  Wake();
  return unplugged;
}

void DeviceSimulator::Stop() {
  {
    std::lock_guard<std::mutex> guard(FMutex);
    FStopping = true;
  }
  Wake();
  if (FWorker.joinable()) FWorker.join();
  UnplugHid();

  std::lock_guard<std::mutex> guard(FMutex);
  for (auto& c : FConnections) {
    if (c->Fd >= 0) ::close(c->Fd);
  }
  FConnections.clear();
  if (FListenFd >= 0) ::close(FListenFd);
  FListenFd = -1;
  if (FPtyHold >= 0) ::close(FPtyHold);
  FPtyHold = -1;
  FPty.clear();
}

// --- Faults ------------------------------------------------------------------------

void DeviceSimulator::AddFault(const Fault& fault) {
  std::lock_guard<std::mutex> guard(FMutex);
  FFaults.Add(fault);
}

namespace {
Fault MakeFault(FaultKind kind, int count, std::optional<std::uint8_t> onlyCode) {
  Fault f;
  f.Kind = kind;
  f.Count = count;
  f.OnlyCode = onlyCode;
  return f;
}
}  // namespace

void DeviceSimulator::DropReplies(int count, std::optional<std::uint8_t> onlyCode) {
  AddFault(MakeFault(FaultKind::Drop, count, onlyCode));
}

void DeviceSimulator::DelayReplies(int delayMs, int count, std::optional<std::uint8_t> onlyCode) {
  Fault f = MakeFault(FaultKind::Delay, count, onlyCode);
  f.DelayMs = delayMs;
  AddFault(f);
}

void DeviceSimulator::SplitReplies(std::size_t chunkSize, int gapMs, int count,
                                   std::optional<std::uint8_t> onlyCode) {
  Fault f = MakeFault(FaultKind::Split, count, onlyCode);
  f.ChunkSize = chunkSize;
  f.GapMs = gapMs;
  AddFault(f);
}

void DeviceSimulator::MergeReplies(int count, std::optional<std::uint8_t> onlyCode) {
  AddFault(MakeFault(FaultKind::Merge, count, onlyCode));
}

void DeviceSimulator::CorruptReplies(FaultKind kind, int count, std::optional<std::uint8_t> onlyCode) {
  AddFault(MakeFault(kind, count, onlyCode));
}

void DeviceSimulator::ReplaceReplies(ByteVector bytes, int count, std::optional<std::uint8_t> onlyCode) {
  Fault f = MakeFault(FaultKind::Replace, count, onlyCode);
  f.Bytes = std::move(bytes);
  AddFault(f);
}

void DeviceSimulator::SetSilent(bool silent) {
  std::lock_guard<std::mutex> guard(FMutex);
  FSilent = silent;
}

void DeviceSimulator::SetReplyDeviceId(std::optional<std::uint8_t> id) {
  std::lock_guard<std::mutex> guard(FMutex);
  FReplyId = id;
}

void DeviceSimulator::ClearFaults() {
  std::lock_guard<std::mutex> guard(FMutex);
  FFaults.Clear();
  FSilent = false;
  FReplyId.reset();
  for (auto& c : FConnections) c->Held.reset();
}

ByteVector DeviceSimulator::Frame(const LCmd& reply) const {
  return BuildReplyFrame(FReplyId.value_or(reply.DeviceId), reply.Code, reply.Payload);
}

// --- Unasked frames ------------------------------------------------------------------

void DeviceSimulator::Enqueue(const ByteVector& bytes) {
  {
    std::lock_guard<std::mutex> guard(FMutex);
    for (auto& c : FConnections) {
      if (!c->Closed && !c->CloseRequested) Schedule(*c, {{bytes, 0}});
    }
  }
  Wake();
}

void DeviceSimulator::SendGateLevels(const std::array<float, 8>& levels) {
  ByteVector payload;
  for (float v : levels) {
    const auto bytes = EncodeLevel(v);
    payload.insert(payload.end(), bytes.begin(), bytes.end());
  }
  SendReply(reply::GateLevels, payload);
}

void DeviceSimulator::SendReply(std::uint8_t code, const ByteVector& payload) {
  ByteVector bytes;
  {
    std::lock_guard<std::mutex> guard(FMutex);
    LCmd reply(FDevice.DeviceId(), code);
    reply.Payload = payload;
    bytes = Frame(reply);
  }
  Enqueue(bytes);
}

void DeviceSimulator::SendRaw(const ByteVector& bytes) {
  Enqueue(bytes);
}

// --- Records ---------------------------------------------------------------------------

void DeviceSimulator::SetRecording(bool on) {
  std::lock_guard<std::mutex> guard(FMutex);
  FRecording = on;
}

void DeviceSimulator::Record(std::vector<SimFrame>& list, Transport via, int connection,
                             const ByteVector& raw) {
  if (!FRecording) return;
  SimFrame f;
  f.Via = via;
  f.Connection = connection;
  f.Raw = raw;
  f.Command = ParseFrame(raw);
  f.WellFormed = IsWellFormedFrame(raw);
  f.AtMs = NowMs() - FStartMs;
  list.push_back(std::move(f));
}

std::vector<SimFrame> DeviceSimulator::Received() const {
  std::lock_guard<std::mutex> guard(FMutex);
  return FReceivedFrames;
}

std::vector<SimFrame> DeviceSimulator::ReceivedWithCode(std::uint8_t code) const {
  std::lock_guard<std::mutex> guard(FMutex);
  std::vector<SimFrame> out;
  for (const SimFrame& f : FReceivedFrames) {
    if (f.WellFormed && f.Command.Code == code) out.push_back(f);
  }
  return out;
}

std::size_t DeviceSimulator::CountReceived(std::uint8_t code) const {
  return ReceivedWithCode(code).size();
}

std::vector<SimFrame> DeviceSimulator::Sent() const {
  std::lock_guard<std::mutex> guard(FMutex);
  return FSentFrames;
}

void DeviceSimulator::ClearRecords() {
  std::lock_guard<std::mutex> guard(FMutex);
  FReceivedFrames.clear();
  FSentFrames.clear();
}

bool DeviceSimulator::WaitForReceived(const std::function<bool(const std::vector<SimFrame>&)>& done,
                                      int timeoutMs) const {
  std::unique_lock<std::mutex> guard(FMutex);
  return FChanged.wait_for(guard, std::chrono::milliseconds(timeoutMs),
                           [&] { return done(FReceivedFrames); });
}

bool DeviceSimulator::WaitForCode(std::uint8_t code, std::size_t count, int timeoutMs) const {
  return WaitForReceived(
      [&](const std::vector<SimFrame>& frames) {
        return static_cast<std::size_t>(std::count_if(frames.begin(), frames.end(), [&](const SimFrame& f) {
                 return f.WellFormed && f.Command.Code == code;
               })) >= count;
      },
      timeoutMs);
}

bool DeviceSimulator::WaitForSent(std::size_t count, int timeoutMs) const {
  std::unique_lock<std::mutex> guard(FMutex);
  return FChanged.wait_for(guard, std::chrono::milliseconds(timeoutMs),
                           [&] { return FSentFrames.size() >= count; });
}

ParamImage DeviceSimulator::Image() const {
  std::lock_guard<std::mutex> guard(FMutex);
  return FDevice.Image();
}

std::vector<ByteVector> DeviceSimulator::Exchange(const ByteVector& frame) {
  std::lock_guard<std::mutex> guard(FMutex);
  Record(FReceivedFrames, Transport::Direct, 0, frame);
  std::vector<ByteVector> out;
  for (const LCmd& reply : FDevice.Handle(frame)) {
    out.push_back(Frame(reply));
    Record(FSentFrames, Transport::Direct, 0, out.back());
  }
  FChanged.notify_all();
  return out;
}

// --- The I/O thread ----------------------------------------------------------------------

int DeviceSimulator::NextDueMs() const {
  const std::uint64_t now = NowMs();
  std::optional<std::uint64_t> next;
  for (const auto& c : FConnections) {
    if (!c->Out.empty()) next = std::min(next.value_or(c->Out.front().DueMs), c->Out.front().DueMs);
  }
  if (!next) return -1;
  return *next <= now ? 0 : static_cast<int>(*next - now);
}

void DeviceSimulator::Run() {
  std::vector<pollfd> fds;
  std::vector<Connection*> owners;
  for (;;) {
    int timeout = -1;
    int listen = -1;
    {
      std::lock_guard<std::mutex> guard(FMutex);
      if (FStopping) return;
      // Only this thread closes connections, so the pointers below stay
      // valid until the next turn.
      std::erase_if(FConnections, [](const std::unique_ptr<Connection>& c) {
        if (!c->Closed && !c->CloseRequested) return false;
        if (c->Fd >= 0) ::close(c->Fd);
        return true;
      });
      fds.assign(1, pollfd{FWakeFd, POLLIN, 0});
      owners.assign(1, nullptr);
      if (FListenFd >= 0) {
        listen = static_cast<int>(fds.size());
        fds.push_back({FListenFd, POLLIN, 0});
        owners.push_back(nullptr);
      }
      for (auto& c : FConnections) {
        if (c->Fd >= 0) {
          fds.push_back({c->Fd, POLLIN, 0});
          owners.push_back(c.get());
        }
      }
      timeout = NextDueMs();
    }

    if (::poll(fds.data(), fds.size(), timeout) < 0 && errno != EINTR) return;
    if (fds[0].revents & POLLIN) {
      std::uint64_t count = 0;
      [[maybe_unused]] const ssize_t n = ::read(FWakeFd, &count, sizeof count);
    }
    if (listen >= 0 && (fds[static_cast<std::size_t>(listen)].revents & POLLIN)) Accept();
    for (std::size_t i = 0; i < fds.size(); ++i) {
      if (owners[i] && fds[i].revents) ReadFrom(*owners[i]);
    }
    DrainHid();
    FlushDue();
  }
}

void DeviceSimulator::Accept() {
  for (;;) {
    const int fd = ::accept4(FListenFd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0) return;
    // Each reply leaves in its own segment, as a device does; splitting and
    // merging are faults the simulator makes on request.
    const int on = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    std::lock_guard<std::mutex> guard(FMutex);
    auto c = std::make_unique<Connection>();
    c->Via = Transport::Tcp;
    c->Id = FNextTcpId++;
    c->Fd = fd;
    FConnections.push_back(std::move(c));
  }
}

void DeviceSimulator::ReadFrom(Connection& c) {
  std::uint8_t buffer[4096];
  for (;;) {
    const ssize_t n = ::read(c.Fd, buffer, sizeof buffer);
    if (n > 0) {
      c.Cutter.Feed(std::span<const std::uint8_t>(buffer, static_cast<std::size_t>(n)),
                    [&](const std::vector<std::uint8_t>& frame) { TakeFrame(c, frame); });
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return;
    // End of stream or a failed line: the peer is gone.
    std::lock_guard<std::mutex> guard(FMutex);
    c.Closed = true;
    return;
  }
}

std::shared_ptr<FakeHidBackend> DeviceSimulator::HidBackendNow() const {
  std::lock_guard<std::mutex> guard(FMutex);
  return FHid;
}

void DeviceSimulator::DrainHid() {
  std::shared_ptr<HidInbox> inbox;
  Connection* hid = nullptr;
  {
    std::lock_guard<std::mutex> guard(FMutex);
    inbox = FInbox;
    for (auto& c : FConnections) {
      if (c->Via == Transport::Hid && !c->CloseRequested) hid = c.get();
    }
  }
  if (!inbox || !hid) return;
  std::deque<ByteVector> reports;
  std::string path;
  {
    std::lock_guard<std::mutex> guard(inbox->Lock);
    reports.swap(inbox->Reports);
    path = inbox->Path;
  }
  if (reports.empty()) return;
  // The listener already handed them over; the backend's own copies would
  // only pile up.
  if (std::shared_ptr<FakeHidBackend> backend = HidBackendNow()) backend->TakeOutputReports(path);
  for (const ByteVector& report : reports) {
    // Report ID first, then one frame at the start of the data; the rest
    // of the report is padding.
    FrameCutter cutter(FrameCutter::StreamTestFrom);
    std::optional<ByteVector> frame;
    for (std::size_t i = 1; i < report.size() && !frame; ++i) {
      if (cutter.Push(report[i])) frame = cutter.Frame();
    }
    if (frame) {
      TakeFrame(*hid, *frame);
    } else {
      std::lock_guard<std::mutex> guard(FMutex);
      Record(FReceivedFrames, Transport::Hid, 0,
             report.size() > 1 ? ByteVector(report.begin() + 1, report.end()) : ByteVector{});
      FChanged.notify_all();
    }
  }
}

void DeviceSimulator::TakeFrame(Connection& c, const ByteVector& frame) {
  std::lock_guard<std::mutex> guard(FMutex);
  Record(FReceivedFrames, c.Via, c.Id, frame);
  const std::uint8_t code = frame.size() > DeviceFrame::CodeIndex ? frame[DeviceFrame::CodeIndex] : 0;
  for (const LCmd& reply : FDevice.Handle(frame)) {
    if (FSilent) continue;
    Schedule(c, FFaults.Shape(code, Frame(reply), c.Held));
  }
  FChanged.notify_all();
}

void DeviceSimulator::Schedule(Connection& c, std::vector<PlannedWrite> writes) {
  const std::uint64_t now = NowMs();
  for (PlannedWrite& w : writes) {
    // One more millisecond for the part of the current one already gone,
    // so that a delay is never shorter than asked.
    const std::uint64_t after = w.AfterMs > 0 ? static_cast<std::uint64_t>(w.AfterMs) + 1 : 0;
    const std::uint64_t due = std::max(now + after, c.LastDueMs);
    c.Out.push_back({std::move(w.Bytes), due});
    c.LastDueMs = due;
  }
}

void DeviceSimulator::FlushDue() {
  std::vector<std::pair<Connection*, ByteVector>> due;
  {
    std::lock_guard<std::mutex> guard(FMutex);
    const std::uint64_t now = NowMs();
    for (auto& c : FConnections) {
      while (!c->Out.empty() && c->Out.front().DueMs <= now && !c->Closed && !c->CloseRequested) {
        // Recorded before the write, so that whoever reads the bytes
        // already finds them in Sent().
        Record(FSentFrames, c->Via, c->Id, c->Out.front().Bytes);
        due.emplace_back(c.get(), std::move(c->Out.front().Bytes));
        c->Out.pop_front();
      }
    }
    if (!due.empty()) FChanged.notify_all();
  }
  for (auto& [c, bytes] : due) {
    if (WriteAll(*c, bytes) || c->Via == Transport::Hid) continue;
    std::lock_guard<std::mutex> guard(FMutex);
    c->Closed = true;
  }
}

bool DeviceSimulator::WriteAll(Connection& c, const ByteVector& bytes) {
  if (c.Via == Transport::Hid) {
    std::shared_ptr<FakeHidBackend> backend;
    std::uint16_t length = 0;
    {
      std::lock_guard<std::mutex> guard(FMutex);
      backend = FHid;
      length = FReportLength;
    }
    if (!backend) return false;
    // One input report per report's worth of bytes, zero padded.
    const std::size_t room = length - 1u;
    std::size_t from = 0;
    do {
      ByteVector report(length, 0);
      const std::size_t count = std::min(room, bytes.size() - from);
      std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(from), count, report.begin() + 1);
      if (!backend->FeedInputReport(c.Path, report)) return false;
      from += count;
    } while (from < bytes.size());
    return true;
  }

  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = c.Via == Transport::Tcp
                          ? ::send(c.Fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL)
                          : ::write(c.Fd, bytes.data() + done, bytes.size() - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      pollfd p{c.Fd, POLLOUT, 0};
      if (::poll(&p, 1, 1000) > 0) continue;
    }
    return false;
  }
  return true;
}

}  // namespace sim
