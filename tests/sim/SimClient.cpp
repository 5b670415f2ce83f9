#include "tests/sim/SimClient.h"

#include "platform/hid/HidBackend.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

namespace sim {

namespace {

using Clock = std::chrono::steady_clock;

int RemainingMs(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return left > 0 ? static_cast<int>(left) : 0;
}

void SetError(std::string* error, const std::string& text) {
  if (error) *error = text;
}

}  // namespace

SimClient::~SimClient() {
  if (FFd >= 0) ::close(FFd);
  if (FDevice) FDevice->Close();
}

std::unique_ptr<SimClient> SimClient::Tcp(const std::string& address, std::uint16_t port,
                                          std::string* error) {
  sockaddr_in sa{};
  sa.sin_family = AF_INET;
  sa.sin_port = htons(port);
  if (::inet_pton(AF_INET, address.c_str(), &sa.sin_addr) != 1) {
    SetError(error, "bad address " + address);
    return nullptr;
  }
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0 || ::connect(fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0) {
    SetError(error, std::string("connect: ") + std::strerror(errno));
    if (fd >= 0) ::close(fd);
    return nullptr;
  }
  std::unique_ptr<SimClient> client(new SimClient);
  client->FFd = fd;
  client->FSocket = true;
  return client;
}

std::unique_ptr<SimClient> SimClient::Serial(const std::string& path, std::string* error) {
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
  termios t{};
  if (fd < 0 || ::tcgetattr(fd, &t) != 0) {
    SetError(error, "open " + path + ": " + std::strerror(errno));
    if (fd >= 0) ::close(fd);
    return nullptr;
  }
  ::cfmakeraw(&t);
  t.c_cflag |= CLOCAL | CREAD;
  t.c_cc[VMIN] = 0;
  t.c_cc[VTIME] = 0;
  ::cfsetispeed(&t, B115200);
  ::cfsetospeed(&t, B115200);
  ::tcsetattr(fd, TCSANOW, &t);
  std::unique_ptr<SimClient> client(new SimClient);
  client->FFd = fd;
  return client;
}

std::unique_ptr<SimClient> SimClient::Hid(HidBackend& backend, const std::string& path, std::string* error) {
  HidError failure;
  auto device = backend.Open(path, &failure);
  if (!device) {
    SetError(error, failure.Message);
    return nullptr;
  }
  std::unique_ptr<SimClient> client(new SimClient);
  client->FOutputLength = device->GetCaps().OutputReportByteLength;
  client->FDevice = std::move(device);
  return client;
}

bool SimClient::Send(const LCmd& command) {
  return SendRaw(BuildFrame(command, 1));
}

bool SimClient::SendRaw(const ByteVector& bytes) {
  if (FDevice) {
    ByteVector report(std::max(FOutputLength, bytes.size() + 1), 0);
    std::copy(bytes.begin(), bytes.end(), report.begin() + 1);
    return static_cast<bool>(FDevice->WriteOutputReport(report.data(), report.size()));
  }
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = FSocket ? ::send(FFd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL)
                              : ::write(FFd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

std::optional<ByteVector> SimClient::ReadChunk(int timeoutMs) {
  if (FDevice) {
    ByteVector report;
    if (!FDevice->ReadInputReport(report, timeoutMs) || report.empty()) return std::nullopt;
    return ByteVector(report.begin() + 1, report.end());
  }
  pollfd p{FFd, POLLIN, 0};
  if (::poll(&p, 1, timeoutMs) <= 0) return std::nullopt;
  std::uint8_t buffer[4096];
  const ssize_t n = ::read(FFd, buffer, sizeof buffer);
  if (n <= 0) return std::nullopt;
  return ByteVector(buffer, buffer + n);
}

std::optional<ByteVector> SimClient::ReceiveFrame(int timeoutMs) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  while (FFrames.empty()) {
    const auto chunk = ReadChunk(RemainingMs(deadline));
    if (!chunk) return std::nullopt;
    FCutter.Feed(*chunk, [&](const std::vector<std::uint8_t>& frame) { FFrames.push_back(frame); });
  }
  ByteVector frame = std::move(FFrames.front());
  FFrames.pop_front();
  return frame;
}

std::optional<LCmd> SimClient::Receive(int timeoutMs) {
  auto frame = ReceiveFrame(timeoutMs);
  if (!frame) return std::nullopt;
  return ParseFrame(*frame);
}

std::optional<LCmd> SimClient::Request(const LCmd& command, int timeoutMs) {
  if (!Send(command)) return std::nullopt;
  return Receive(timeoutMs);
}

}  // namespace sim
