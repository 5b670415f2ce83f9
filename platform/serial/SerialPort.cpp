#include "platform/serial/SerialPort.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

struct BaudEntry {
  int Rate;
  speed_t Code;
};

constexpr BaudEntry BaudTable[] = {
    {1200, B1200},   {1800, B1800},   {2400, B2400},   {4800, B4800},     {9600, B9600},
    {19200, B19200}, {38400, B38400}, {57600, B57600}, {115200, B115200},
};

bool BaudCode(int rate, speed_t& code) {
  for (const BaudEntry& e : BaudTable) {
    if (e.Rate == rate) {
      code = e.Code;
      return true;
    }
  }
  return false;
}

int BaudRate(speed_t code) {
  for (const BaudEntry& e : BaudTable) {
    if (e.Code == code) return e.Rate;
  }
  return 0;
}

tcflag_t SizeFlag(int dataBits) {
  switch (dataBits) {
    case 5:
      return CS5;
    case 6:
      return CS6;
    case 7:
      return CS7;
    default:
      return CS8;
  }
}

tcflag_t ParityFlags(SerialParity parity) {
  switch (parity) {
    case SerialParity::None:
      return 0;
    case SerialParity::Odd:
      return PARENB | PARODD;
    case SerialParity::Even:
      return PARENB;
    case SerialParity::Mark:
      return PARENB | CMSPAR | PARODD;
    case SerialParity::Space:
      return PARENB | CMSPAR;
  }
  return 0;
}

const char* ParityText(SerialParity parity) {
  switch (parity) {
    case SerialParity::None:
      return "no parity";
    case SerialParity::Odd:
      return "odd parity";
    case SerialParity::Even:
      return "even parity";
    case SerialParity::Mark:
      return "mark parity";
    case SerialParity::Space:
      return "space parity";
  }
  return "unknown parity";
}

constexpr tcflag_t FormatMask = CSIZE | PARENB | PARODD | CMSPAR | CSTOPB;

SerialErrorCode OpenErrorCode(int err) {
  switch (err) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
    case ENOTDIR:
      return SerialErrorCode::NotFound;
    case EACCES:
    case EPERM:
    case EROFS:
      return SerialErrorCode::AccessDenied;
    case EBUSY:
      return SerialErrorCode::Busy;
    default:
      return SerialErrorCode::IoError;
  }
}

int RemainingMs(std::chrono::steady_clock::time_point deadline) {
  auto left =
      std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now())
          .count();
  return left > 0 ? static_cast<int>(left) : 0;
}

// poll() that resumes after signals without stretching the time-out.
int PollFor(pollfd& p, int timeoutMs) {
  if (timeoutMs < 0) timeoutMs = 0;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    int r = ::poll(&p, 1, timeoutMs);
    if (r >= 0 || errno != EINTR) return r;
    timeoutMs = RemainingMs(deadline);
  }
}

}  // namespace

std::string DescribeSerialSettings(const SerialSettings& s) {
  return std::to_string(s.BaudRate) + " baud, " + std::to_string(s.DataBits) + " data bits, " +
         ParityText(s.Parity) + ", " + std::to_string(s.StopBits) +
         (s.StopBits == 1 ? " stop bit" : " stop bits");
}

SerialPort::~SerialPort() {
  Close();
}

bool SerialPort::Fail(SerialErrorCode code, int sysError, std::string message) {
  FError.Code = code;
  FError.SysError = sysError;
  FError.Message = std::move(message);
  return false;
}

bool SerialPort::Open(const std::string& path, const SerialSettings& settings) {
  std::lock_guard<std::mutex> guard(FLock);
  if (FFd >= 0) return Fail(SerialErrorCode::AlreadyOpen, 0, "Serial port " + FPath + " is already open.");

  speed_t speed{};
  if (!BaudCode(settings.BaudRate, speed) || settings.DataBits < 5 || settings.DataBits > 8 ||
      (settings.StopBits != 1 && settings.StopBits != 2)) {
    return Fail(SerialErrorCode::UnsupportedSetting, 0,
                "Serial port " + path + " cannot be set to " + DescribeSerialSettings(settings) + ".");
  }

  int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    int err = errno;
    return Fail(OpenErrorCode(err), err, "Cannot open serial port " + path + ": " + std::strerror(err) + ".");
  }
  if (!::isatty(fd)) {
    int err = errno;
    ::close(fd);
    return Fail(SerialErrorCode::NotATerminal, err, path + " is not a serial port.");
  }
  // The advisory lock stops a second opener that TIOCEXCL lets through (root).
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::ioctl(fd, TIOCEXCL) != 0) {
    int err = errno;
    ::close(fd);
    if (err == EWOULDBLOCK || err == EBUSY)
      return Fail(SerialErrorCode::Busy, err, "Serial port " + path + " is in use by another program.");
    return Fail(SerialErrorCode::IoError, err,
                "Cannot open serial port " + path + ": " + std::strerror(err) + ".");
  }
  if (!Configure(fd, settings)) {
    ::ioctl(fd, TIOCNXCL);
    ::close(fd);
    FError.Message = "Serial port " + path + " " + FError.Message;
    return false;
  }
  ::tcflush(fd, TCIOFLUSH);
  FFd = fd;
  FPath = path;
  FError = {};
  return true;
}

// Raw 8-bit transfer: no echo, no line editing, no flow control, no
// translation; reads return at once with what waits.
bool SerialPort::Configure(int fd, const SerialSettings& s) {
  termios t{};
  if (::tcgetattr(fd, &t) != 0) {
    int err = errno;
    return Fail(err == ENOTTY ? SerialErrorCode::NotATerminal : SerialErrorCode::ConfigureFailed, err,
                std::string("cannot be configured: ") + std::strerror(err) + ".");
  }
  speed_t speed{};
  BaudCode(s.BaudRate, speed);
  ::cfmakeraw(&t);
  t.c_iflag &= ~(IXON | IXOFF | IXANY);
  t.c_cflag &= ~(FormatMask | CRTSCTS | HUPCL);
  t.c_cflag |= CLOCAL | CREAD | SizeFlag(s.DataBits) | ParityFlags(s.Parity) | (s.StopBits == 2 ? CSTOPB : 0);
  t.c_cc[VMIN] = 0;
  t.c_cc[VTIME] = 0;
  ::cfsetispeed(&t, speed);
  ::cfsetospeed(&t, speed);
  if (::tcsetattr(fd, TCSANOW, &t) != 0) {
    int err = errno;
    return Fail(SerialErrorCode::ConfigureFailed, err,
                "cannot be set to " + DescribeSerialSettings(s) + ": " + std::strerror(err) + ".");
  }
  // tcsetattr succeeds when any part was taken, so read the settings back.
  termios back{};
  if (::tcgetattr(fd, &back) != 0 || ::cfgetospeed(&back) != speed ||
      (back.c_cflag & FormatMask) != (t.c_cflag & FormatMask)) {
    return Fail(SerialErrorCode::ConfigureFailed, 0, "does not support " + DescribeSerialSettings(s) + ".");
  }
  return true;
}

void SerialPort::CloseLocked() {
  if (FFd < 0) return;
  // Flushing first also keeps close() from waiting for unsent output.
  ::tcflush(FFd, TCIOFLUSH);
  ::ioctl(FFd, TIOCNXCL);
  ::close(FFd);
  FFd = -1;
}

void SerialPort::Close() {
  std::lock_guard<std::mutex> guard(FLock);
  CloseLocked();
}

bool SerialPort::IsOpen() const {
  std::lock_guard<std::mutex> guard(FLock);
  return FFd >= 0;
}

std::string SerialPort::Path() const {
  std::lock_guard<std::mutex> guard(FLock);
  return FPath;
}

int SerialPort::Handle() const {
  std::lock_guard<std::mutex> guard(FLock);
  return FFd;
}

SerialError SerialPort::LastError() const {
  std::lock_guard<std::mutex> guard(FLock);
  return FError;
}

bool SerialPort::Purge() {
  std::lock_guard<std::mutex> guard(FLock);
  if (FFd < 0) return Fail(SerialErrorCode::NotOpen, 0, "The serial port is not open.");
  if (::tcflush(FFd, TCIOFLUSH) != 0) {
    int err = errno;
    return Fail(SerialErrorCode::IoError, err, "Serial port " + FPath + ": " + std::strerror(err) + ".");
  }
  return true;
}

long SerialPort::Read(void* buffer, std::size_t size) {
  std::lock_guard<std::mutex> guard(FLock);
  if (FFd < 0) {
    Fail(SerialErrorCode::NotOpen, 0, "The serial port is not open.");
    return -1;
  }
  if (size == 0) return 0;
  for (;;) {
    ssize_t n = ::read(FFd, buffer, size);
    if (n > 0) return static_cast<long>(n);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return 0;
    int err = n < 0 ? errno : 0;
    if (n == 0) {
      // A non-blocking raw read gives 0 only after a hang-up.
      pollfd p{FFd, POLLIN, 0};
      if (::poll(&p, 1, 0) <= 0 || !(p.revents & (POLLHUP | POLLERR))) return 0;
    }
    Fail(SerialErrorCode::Disconnected, err,
         "Serial port " + FPath + " is no longer available" +
             (err ? std::string(": ") + std::strerror(err) : std::string()) + ".");
    return -1;
  }
}

long SerialPort::Write(const void* data, std::size_t size, int timeoutMs) {
  std::lock_guard<std::mutex> guard(FLock);
  if (FFd < 0) {
    Fail(SerialErrorCode::NotOpen, 0, "The serial port is not open.");
    return -1;
  }
  const auto* p = static_cast<const std::uint8_t*>(data);
  std::size_t done = 0;
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs < 0 ? 0 : timeoutMs);
  while (done < size) {
    ssize_t n = ::write(FFd, p + done, size - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      pollfd pf{FFd, POLLOUT, 0};
      int r = PollFor(pf, RemainingMs(deadline));
      if (r > 0 && (pf.revents & POLLOUT)) continue;
      if (r == 0) {
        Fail(SerialErrorCode::Timeout, 0, "Serial port " + FPath + " did not take the data in time.");
        return static_cast<long>(done);
      }
      int err = r < 0 ? errno : EIO;
      Fail(SerialErrorCode::Disconnected, err,
           "Serial port " + FPath + " is no longer available: " + std::strerror(err) + ".");
      return -1;
    }
    int err = n < 0 ? errno : EIO;
    Fail(err == EIO ? SerialErrorCode::Disconnected : SerialErrorCode::IoError, err,
         "Cannot write to serial port " + FPath + ": " + std::strerror(err) + ".");
    return -1;
  }
  return static_cast<long>(done);
}

int SerialPort::BytesWaiting() {
  std::lock_guard<std::mutex> guard(FLock);
  if (FFd < 0) {
    Fail(SerialErrorCode::NotOpen, 0, "The serial port is not open.");
    return -1;
  }
  int count = 0;
  if (::ioctl(FFd, FIONREAD, &count) != 0) {
    int err = errno;
    Fail(SerialErrorCode::IoError, err, "Serial port " + FPath + ": " + std::strerror(err) + ".");
    return -1;
  }
  return count;
}

SerialWaitResult SerialPort::WaitForData(int timeoutMs) {
  int fd;
  {
    std::lock_guard<std::mutex> guard(FLock);
    if (FFd < 0) {
      Fail(SerialErrorCode::NotOpen, 0, "The serial port is not open.");
      return SerialWaitResult::Failed;
    }
    fd = FFd;
  }
  pollfd p{fd, POLLIN, 0};
  int r = PollFor(p, timeoutMs);
  if (r == 0) return SerialWaitResult::Timeout;
  if (r > 0 && (p.revents & POLLIN)) return SerialWaitResult::DataArrived;
  int err = r < 0 ? errno : 0;
  std::lock_guard<std::mutex> guard(FLock);
  Fail(SerialErrorCode::Disconnected, err,
       "Serial port " + FPath + " is no longer available" +
           (err ? std::string(": ") + std::strerror(err) : std::string()) + ".");
  return SerialWaitResult::Failed;
}

int SerialPort::GetBaudRate() {
  std::lock_guard<std::mutex> guard(FLock);
  if (FFd < 0) return 0;
  termios t{};
  if (::tcgetattr(FFd, &t) != 0) return 0;
  return BaudRate(::cfgetospeed(&t));
}
