#include "platform/hid/HidrawDevice.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <linux/hidraw.h>
#include <mutex>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include "platform/hid/HidReportDescriptor.h"

namespace {

HidStatus OpenStatus(int err) {
  switch (err) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
    case ENOTDIR:
      return HidStatus::NotFound;
    case EACCES:
    case EPERM:
    case EROFS:
      return HidStatus::AccessDenied;
    default:
      return HidStatus::IoError;
  }
}

// Errors that mean the device is gone rather than that one transfer failed.
bool IsGone(int err) {
  return err == ENODEV || err == EIO || err == EPIPE || err == ESHUTDOWN || err == ENXIO;
}

void SetError(HidError* error, HidStatus status, int err, std::string message) {
  if (error) *error = HidError{status, err, std::move(message)};
}

// The capabilities from the node's report descriptor; zeroed when it cannot
// be read or parsed, as a device without readable capabilities has none.
HidCaps ReadCaps(int fd) {
  HidCaps caps;
  int size = 0;
  if (::ioctl(fd, HIDIOCGRDESCSIZE, &size) != 0 || size <= 0) return caps;
  auto desc = std::make_unique<hidraw_report_descriptor>();
  desc->size =
      static_cast<__u32>(size) > HID_MAX_DESCRIPTOR_SIZE ? HID_MAX_DESCRIPTOR_SIZE : static_cast<__u32>(size);
  if (::ioctl(fd, HIDIOCGRDESC, desc.get()) != 0) return caps;
  ParseHidReportDescriptor(desc->value, desc->size, caps);
  return caps;
}

}  // namespace

HidrawDevice::HidrawDevice(int fd, int wakeFd, std::string path, const HidCaps& caps)
    : FFd(fd), FWakeFd(wakeFd), FPath(std::move(path)), FCaps(caps) {}

HidrawDevice::~HidrawDevice() {
  Close();
}

std::unique_ptr<HidrawDevice> HidrawDevice::Open(const std::string& path, HidError* error) {
  int fd = ::open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    int err = errno;
    SetError(error, OpenStatus(err), err, "Cannot open HID device " + path + ": " + std::strerror(err) + ".");
    return nullptr;
  }
  hidraw_devinfo info{};
  if (::ioctl(fd, HIDIOCGRAWINFO, &info) != 0) {
    int err = errno;
    ::close(fd);
    SetError(error, HidStatus::NotHidDevice, err, path + " is not a HID device.");
    return nullptr;
  }
  return Adopt(fd, path, ReadCaps(fd), error);
}

std::unique_ptr<HidrawDevice> HidrawDevice::Adopt(int fd, const std::string& path, const HidCaps& caps,
                                                  HidError* error) {
  int wake = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (wake < 0) {
    int err = errno;
    ::close(fd);
    SetError(error, HidStatus::IoError, err,
             "Cannot open HID device " + path + ": " + std::strerror(err) + ".");
    return nullptr;
  }
  int flags = ::fcntl(fd, F_GETFL);
  if (flags >= 0) ::fcntl(fd, F_SETFL, flags | O_NONBLOCK);
  return std::unique_ptr<HidrawDevice>(new HidrawDevice(fd, wake, path, caps));
}

HidIoResult HidrawDevice::ReadInputReport(std::vector<std::uint8_t>& report, int timeoutMs) {
  report.clear();
  if (FClosing.load()) return {HidStatus::Closed, 0, 0};
  std::shared_lock<std::shared_mutex> guard(FLock);
  if (FFd < 0) return {HidStatus::Closed, 0, 0};

  pollfd fds[2] = {{FFd, POLLIN, 0}, {FWakeFd, POLLIN, 0}};
  if (timeoutMs < 0) timeoutMs = 0;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  int ready;
  for (;;) {
    ready = ::poll(fds, 2, timeoutMs);
    if (ready >= 0 || errno != EINTR) break;
    auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now())
            .count();
    timeoutMs = left > 0 ? static_cast<int>(left) : 0;
  }
  if (ready < 0) return {HidStatus::IoError, errno, 0};
  if (FClosing.load() || fds[1].revents) return {HidStatus::Closed, 0, 0};
  if (ready == 0) return {HidStatus::Timeout, 0, 0};
  if (!(fds[0].revents & POLLIN)) return {HidStatus::Disconnected, 0, 0};

  // Without report IDs the node gives the data alone: read it behind a 0.
  const std::size_t offset = FCaps.UsesReportIds ? 0 : 1;
  const std::size_t capacity =
      FCaps.InputReportByteLength > offset ? FCaps.InputReportByteLength : HidMaxReportSize + 1;
  report.assign(capacity, 0);
  ssize_t n;
  do {
    n = ::read(FFd, report.data() + offset, capacity - offset);
  } while (n < 0 && errno == EINTR);
  if (n < 0) {
    int err = errno;
    report.clear();
    if (err == EAGAIN || err == EWOULDBLOCK) return {HidStatus::Timeout, 0, 0};
    return {IsGone(err) ? HidStatus::Disconnected : HidStatus::IoError, err, 0};
  }
  if (n == 0) {
    report.clear();
    return {HidStatus::Ok, 0, 0};
  }
  report.resize(static_cast<std::size_t>(n) + offset);
  return {HidStatus::Ok, 0, report.size()};
}

HidIoResult HidrawDevice::WriteOutputReport(const std::uint8_t* report, std::size_t size) {
  if (!report || size == 0) return {HidStatus::InvalidArgument, EINVAL, 0};
  if (FClosing.load()) return {HidStatus::Closed, 0, 0};
  std::shared_lock<std::shared_mutex> guard(FLock);
  if (FFd < 0) return {HidStatus::Closed, 0, 0};
  ssize_t n;
  do {
    n = ::write(FFd, report, size);
  } while (n < 0 && errno == EINTR);
  if (n < 0) {
    int err = errno;
    return {IsGone(err) ? HidStatus::Disconnected : HidStatus::IoError, err, 0};
  }
  if (static_cast<std::size_t>(n) != size) return {HidStatus::IoError, EIO, static_cast<std::size_t>(n)};
  return {HidStatus::Ok, 0, size};
}

void HidrawDevice::Close() {
  if (FClosing.exchange(true)) {
    // Another Close ran or runs; wait until it has finished.
    std::unique_lock<std::shared_mutex> guard(FLock);
    return;
  }
  const std::uint64_t one = 1;
  ssize_t ignored = ::write(FWakeFd, &one, sizeof one);
  (void)ignored;
  std::unique_lock<std::shared_mutex> guard(FLock);
  if (FFd >= 0) ::close(FFd);
  ::close(FWakeFd);
  FFd = -1;
  FWakeFd = -1;
}

bool HidrawDevice::IsOpen() const {
  if (FClosing.load()) return false;
  std::shared_lock<std::shared_mutex> guard(FLock);
  return FFd >= 0;
}
