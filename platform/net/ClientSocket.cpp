#include "platform/net/ClientSocket.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <cstring>

#include "platform/sys/Clock.h"

namespace {

constexpr int kSendWaitMs = 1000;
constexpr int kIdleReadRetryMs = 50;

std::string ErrorText(int code) {
  return "Socket error: " + std::string(std::strerror(code)) + " (" + std::to_string(code) + ")";
}

std::string AddressText(const sockaddr_in& a) {
  char text[INET_ADDRSTRLEN] = {};
  if (!inet_ntop(AF_INET, &a.sin_addr, text, sizeof text)) return {};
  return text;
}

// Frees a notifier safely even from inside its own signal.
void DropNotifier(QSocketNotifier*& n) {
  if (!n) return;
  n->setEnabled(false);
  QObject::disconnect(n, nullptr, nullptr, nullptr);
  n->deleteLater();
  n = nullptr;
}

}  // namespace

// ---------------------------------------------------------------- TCustomWinSocket

struct TCustomWinSocket::Descriptor {
  explicit Descriptor(int f) : fd(f) {}
  ~Descriptor() { ::close(fd); }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  const int fd;
};

namespace {

// Waits until fd may be written; false on a failure, a shutdown or the
// deadline.
bool WaitWritable(int fd, std::uint64_t deadline) {
  for (;;) {
    const std::uint64_t now = sys::GetTickMs();
    if (now >= deadline) return false;
    pollfd pfd{fd, POLLOUT, 0};
    const int r = ::poll(&pfd, 1, static_cast<int>(deadline - now));
    if (r < 0 && errno == EINTR) continue;
    return r > 0 && !(pfd.revents & (POLLERR | POLLHUP | POLLNVAL));
  }
}

// Waits until a connection in progress on fd is made.
bool WaitConnected(int fd, std::uint64_t deadline) {
  int err = 0;
  socklen_t len = sizeof err;
  return WaitWritable(fd, deadline) && ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &err, &len) == 0 && err == 0;
}

}  // namespace

TCustomWinSocket::~TCustomWinSocket() {
  Close();
}

void TCustomWinSocket::Attach(int fd) {
  std::lock_guard lock(FLock);
  FDescriptor = std::make_shared<Descriptor>(fd);
  FFd = fd;
  FConnected = false;
}

void TCustomWinSocket::SetConnected() {
  std::lock_guard lock(FLock);
  FConnected = FFd >= 0;
}

int TCustomWinSocket::Handle() const {
  return FFd.load();
}

void TCustomWinSocket::Close() {
  std::shared_ptr<Descriptor> taken;
  {
    std::lock_guard lock(FLock);
    taken = std::move(FDescriptor);
    FDescriptor.reset();
    FFd = -1;
    FConnected = false;
  }
  // Wakes a writer that waits for room or for the connection; the number
  // is closed when that writer lets go of it.
  if (taken) ::shutdown(taken->fd, SHUT_RDWR);
}

int TCustomWinSocket::ReceiveBuf(void* Buf, int Count) {
  ++FReceiveCalls;
  std::lock_guard lock(FLock);
  if (FFd < 0 || !FConnected || Count < 0) return -1;
  if (Count == 0) return 0;
  ssize_t n = ::recv(FFd, Buf, static_cast<size_t>(Count), MSG_DONTWAIT);
  if (n < 0) return (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) ? 0 : -1;
  return static_cast<int>(n);
}

int TCustomWinSocket::ReceiveLength() const {
  std::lock_guard lock(FLock);
  if (FFd < 0 || !FConnected) return 0;
  int n = 0;
  if (::ioctl(FFd, FIONREAD, &n) < 0) return 0;
  return n;
}

int TCustomWinSocket::SendBuf(const void* Buf, int Count) {
  if (Count < 0) return -1;
  std::lock_guard sending(FSendLock);
  std::shared_ptr<Descriptor> d;
  bool connected;
  {
    std::lock_guard lock(FLock);
    d = FDescriptor;
    connected = FConnected;
  }
  if (!d) return -1;
  const std::uint64_t deadline = sys::GetTickMs() + kSendWaitMs;
  // A frame sent right after the socket was opened waits for the
  // connection rather than being lost.
  if (!connected && !WaitConnected(d->fd, deadline)) return -1;
  const auto* p = static_cast<const std::uint8_t*>(Buf);
  size_t left = static_cast<size_t>(Count);
  while (left > 0) {
    ssize_t n = ::send(d->fd, p, left, MSG_NOSIGNAL | MSG_DONTWAIT);
    if (n > 0) {
      p += n;
      left -= static_cast<size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK) && WaitWritable(d->fd, deadline)) continue;
    return -1;
  }
  return Count;
}

int TCustomWinSocket::SendText(const std::string& Text) {
  return SendBuf(Text.data(), static_cast<int>(Text.size()));
}

bool TCustomWinSocket::GetConnected() const {
  std::lock_guard lock(FLock);
  return FConnected;
}

std::string TCustomWinSocket::GetRemoteAddress() const {
  std::lock_guard lock(FLock);
  sockaddr_in a{};
  socklen_t len = sizeof a;
  if (FFd < 0 || !FConnected || ::getpeername(FFd, reinterpret_cast<sockaddr*>(&a), &len) < 0) return {};
  return AddressText(a);
}

int TCustomWinSocket::GetRemotePort() const {
  std::lock_guard lock(FLock);
  sockaddr_in a{};
  socklen_t len = sizeof a;
  if (FFd < 0 || !FConnected || ::getpeername(FFd, reinterpret_cast<sockaddr*>(&a), &len) < 0) return 0;
  return ntohs(a.sin_port);
}

std::string TCustomWinSocket::GetLocalAddress() const {
  std::lock_guard lock(FLock);
  sockaddr_in a{};
  socklen_t len = sizeof a;
  if (FFd < 0 || ::getsockname(FFd, reinterpret_cast<sockaddr*>(&a), &len) < 0) return {};
  return AddressText(a);
}

int TCustomWinSocket::GetLocalPort() const {
  std::lock_guard lock(FLock);
  sockaddr_in a{};
  socklen_t len = sizeof a;
  if (FFd < 0 || ::getsockname(FFd, reinterpret_cast<sockaddr*>(&a), &len) < 0) return 0;
  return ntohs(a.sin_port);
}

// ---------------------------------------------------------------- TClientSocket

TClientSocket::TClientSocket(TComponent* AOwner)
    : TComponent(AOwner), FSocket(std::make_unique<TCustomWinSocket>()) {}

TClientSocket::~TClientSocket() {
  Destroying();
  CloseSocket();
}

void TClientSocket::SetActive(bool Value) {
  if (Value) {
    if (!FActive) Connect();
  } else {
    CloseSocket();
  }
}

void TClientSocket::CloseSocket() {
  ++*FGeneration;
  DropNotifier(FReadNotifier);
  DropNotifier(FWriteNotifier);
  FSocket->Close();
  FActive = false;
}

void TClientSocket::Connect() {
  CloseSocket();
  FActive = true;

  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_port = htons(static_cast<uint16_t>(FPort));
  if (FPort <= 0 || FPort > 65535 || ::inet_pton(AF_INET, FAddress.c_str(), &addr.sin_addr) != 1) {
    Error(eeLookup, EINVAL);
    return;
  }
  int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) {
    Error(eeConnect, errno);
    return;
  }
  int one = 1;
  // Frames are small and each wants its answer at once.
  ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
  FSocket->Attach(fd);

  const HandlerWatch watch = Watch();
  if (OnConnecting) {
    TSocketNotifyEvent handler = OnConnecting;
    handler(this, FSocket.get());
    if (!watch.Same()) return;
  }

  int r;
  do {
    r = ::connect(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr);
  } while (r < 0 && errno == EINTR);
  if (r < 0 && errno != EINPROGRESS) {
    Error(eeConnect, errno);
    return;
  }
  // Completion (or failure) shows as writability, also for a connect that
  // finished at once: every outcome then reaches the handlers the same way.
  FWriteNotifier = new QSocketNotifier(fd, QSocketNotifier::Write);
  QObject::connect(FWriteNotifier, &QSocketNotifier::activated,
                   [this] { CallGuarded(this, [this] { Writable(); }); });
}

void TClientSocket::Writable() {
  int fd = FSocket->Handle();
  if (fd < 0) return;
  int err = 0;
  socklen_t len = sizeof err;
  if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &err, &len) < 0) err = errno;
  DropNotifier(FWriteNotifier);
  if (err != 0) {
    Error(eeConnect, err);
    return;
  }
  FSocket->SetConnected();
  FReadNotifier = new QSocketNotifier(fd, QSocketNotifier::Read);
  QObject::connect(FReadNotifier, &QSocketNotifier::activated,
                   [this] { CallGuarded(this, [this] { Readable(); }); });
  if (OnConnect) {
    TSocketNotifyEvent handler = OnConnect;
    handler(this, FSocket.get());
  }
}

void TClientSocket::Readable() {
  int fd = FSocket->Handle();
  if (fd < 0) return;
  if (FSocket->ReceiveLength() > 0) {
    const HandlerWatch watch = Watch();
    const unsigned calls = FSocket->FReceiveCalls;
    if (OnRead) {
      TSocketNotifyEvent handler = OnRead;
      handler(this, FSocket.get());
      if (!watch.Same()) return;
    }
    // The bytes stay for a later read; asking again at once would spin.
    if (FSocket->FReceiveCalls == calls && FReadNotifier) {
      QSocketNotifier* n = FReadNotifier;
      n->setEnabled(false);
      QTimer::singleShot(kIdleReadRetryMs, n, [n] { n->setEnabled(true); });
    }
    return;
  }
  char probe;
  ssize_t n = ::recv(fd, &probe, 1, MSG_PEEK | MSG_DONTWAIT);
  if (n > 0 || (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR))) return;
  if (n < 0) {
    Error(eeReceive, errno);
    return;
  }
  // The peer closed the connection.
  const HandlerWatch watch = Watch();
  DropNotifier(FReadNotifier);
  FActive = false;
  if (OnDisconnect) {
    TSocketNotifyEvent handler = OnDisconnect;
    handler(this, FSocket.get());
    if (!watch.Same()) return;
  }
  CloseSocket();
}

void TClientSocket::Error(TErrorEvent Event, int Code) {
  const HandlerWatch watch = Watch();
  int code = Code;
  DropNotifier(FReadNotifier);
  DropNotifier(FWriteNotifier);
  FActive = false;
  if (OnError) {
    TSocketErrorEvent handler = OnError;
    handler(this, FSocket.get(), Event, code);
    if (watch.Freed()) return;
  }
  if (watch.Same()) CloseSocket();
  if (code != 0) throw ESocketError(ErrorText(code));
}
