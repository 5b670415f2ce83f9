#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <future>
#include <poll.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "platform/hid/HidrawDevice.h"

// The raw-node device class driven over a packet pipe, which, like a raw HID
// node, hands out one whole write per read.
namespace {

using Bytes = std::vector<std::uint8_t>;

struct PacketPipe {
  int readEnd = -1;
  int writeEnd = -1;
  PacketPipe() {
    int fds[2];
    if (::pipe2(fds, O_DIRECT | O_CLOEXEC) == 0) {
      readEnd = fds[0];
      writeEnd = fds[1];
    }
  }
  ~PacketPipe() {
    if (readEnd >= 0) ::close(readEnd);
    if (writeEnd >= 0) ::close(writeEnd);
  }
  // The end handed to a device, which closes it from then on.
  int Give(int& end) {
    int fd = end;
    end = -1;
    return fd;
  }
};

HidCaps Caps(std::uint16_t in, std::uint16_t out, bool ids) {
  HidCaps caps;
  caps.InputReportByteLength = in;
  caps.OutputReportByteLength = out;
  caps.UsesReportIds = ids;
  return caps;
}

TEST(HidrawDevice, InputWithoutReportIdsGetsAZeroInFront) {
  PacketPipe pipe;
  ASSERT_GE(pipe.readEnd, 0);
  auto dev = HidrawDevice::Adopt(pipe.Give(pipe.readEnd), "pipe", Caps(65, 65, false));
  ASSERT_TRUE(dev);

  Bytes data(64);
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(i + 1);
  ASSERT_EQ(::write(pipe.writeEnd, data.data(), data.size()), 64);
  ASSERT_EQ(::write(pipe.writeEnd, data.data(), 9), 9);  // a short report stays short

  Bytes got;
  HidIoResult r = dev->ReadInputReport(got, 5000);
  ASSERT_TRUE(r);
  EXPECT_EQ(r.Bytes, 65u);
  ASSERT_EQ(got.size(), 65u);
  EXPECT_EQ(got[0], 0);
  EXPECT_TRUE(std::equal(data.begin(), data.end(), got.begin() + 1));

  ASSERT_TRUE(dev->ReadInputReport(got, 5000));
  ASSERT_EQ(got.size(), 10u);
  EXPECT_EQ(got[0], 0);
  EXPECT_EQ(got[9], 9);

  EXPECT_EQ(dev->ReadInputReport(got, 0).Status, HidStatus::Timeout);
}

TEST(HidrawDevice, NumberedInputKeepsItsOwnIdAndIsCutToTheReportLength) {
  PacketPipe pipe;
  ASSERT_GE(pipe.readEnd, 0);
  auto dev = HidrawDevice::Adopt(pipe.Give(pipe.readEnd), "pipe", Caps(4, 0, true));
  ASSERT_TRUE(dev);
  const Bytes report = {0x02, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE};
  ASSERT_EQ(::write(pipe.writeEnd, report.data(), report.size()), 6);
  Bytes got;
  ASSERT_TRUE(dev->ReadInputReport(got, 5000));
  EXPECT_EQ(got, (Bytes{0x02, 0xAA, 0xBB, 0xCC}));
}

TEST(HidrawDevice, WritesTheWholeReport) {
  PacketPipe pipe;
  ASSERT_GE(pipe.writeEnd, 0);
  auto dev = HidrawDevice::Adopt(pipe.Give(pipe.writeEnd), "pipe", Caps(65, 65, false));
  ASSERT_TRUE(dev);
  Bytes report(65, 0);
  report[1] = 0x10;
  report[64] = 0x7E;
  HidIoResult r = dev->WriteOutputReport(report.data(), report.size());
  ASSERT_TRUE(r);
  EXPECT_EQ(r.Bytes, 65u);
  Bytes got(100);
  ASSERT_EQ(::read(pipe.readEnd, got.data(), got.size()), 65);
  got.resize(65);
  EXPECT_EQ(got, report);
  EXPECT_EQ(dev->WriteOutputReport(report.data(), 0).Status, HidStatus::InvalidArgument);
}

TEST(HidrawDevice, WriteAfterCloseFailsAndNeverReachesAReusedDescriptor) {
  PacketPipe pipe;
  ASSERT_GE(pipe.writeEnd, 0);
  const int oldFd = pipe.writeEnd;
  auto dev = HidrawDevice::Adopt(pipe.Give(pipe.writeEnd), "pipe", Caps(65, 65, false));
  ASSERT_TRUE(dev);
  dev->Close();
  EXPECT_FALSE(dev->IsOpen());

  // Give the device's old descriptor number to the write end of a new pipe:
  // a write that slipped through would land there.
  int fresh[2];
  ASSERT_EQ(::pipe2(fresh, O_CLOEXEC | O_NONBLOCK), 0);
  const int newRead = ::fcntl(fresh[0], F_DUPFD_CLOEXEC, oldFd + 1);
  ::close(fresh[0]);
  if (fresh[1] != oldFd) {
    ASSERT_EQ(::dup2(fresh[1], oldFd), oldFd);
    ::close(fresh[1]);
  }

  const Bytes report(65, 0x5A);
  EXPECT_EQ(dev->WriteOutputReport(report.data(), report.size()).Status, HidStatus::Closed);
  Bytes got;
  EXPECT_EQ(dev->ReadInputReport(got, 0).Status, HidStatus::Closed);
  std::uint8_t byte;
  EXPECT_EQ(::read(newRead, &byte, 1), -1);  // nothing arrived in the new pipe
  EXPECT_EQ(errno, EAGAIN);
  ::close(newRead);
  ::close(oldFd);
  dev->Close();  // a second close is harmless
}

TEST(HidrawDevice, CloseEndsAWaitingReadAndRacesNoWriter) {
  PacketPipe pipe;
  ASSERT_GE(pipe.writeEnd, 0);
  // Read from one device and write through another, both closed while busy.
  PacketPipe out;
  ASSERT_GE(out.writeEnd, 0);
  auto reader = HidrawDevice::Adopt(pipe.Give(pipe.readEnd), "in", Caps(65, 0, false));
  auto writer = HidrawDevice::Adopt(out.Give(out.writeEnd), "out", Caps(0, 65, false));
  ASSERT_TRUE(reader && writer);

  auto pending = std::async(std::launch::async, [&] {
    Bytes got;
    return reader->ReadInputReport(got, 60000).Status;
  });
  std::atomic<bool> stop{false};
  std::thread drain([&] {
    std::uint8_t buf[128];
    while (!stop) {
      pollfd p{out.readEnd, POLLIN, 0};
      if (::poll(&p, 1, 10) > 0 && ::read(out.readEnd, buf, sizeof buf) <= 0) break;
    }
  });
  std::atomic<int> written{0};
  auto writes = std::async(std::launch::async, [&] {
    const Bytes report(65, 1);
    for (;;) {
      HidIoResult r = writer->WriteOutputReport(report.data(), report.size());
      if (r.Status == HidStatus::Closed) return true;
      if (!r && r.Status != HidStatus::IoError)  // a full pipe may refuse a write
        return false;
      ++written;
    }
  });
  while (written < 50) std::this_thread::yield();

  reader->Close();
  writer->Close();
  ASSERT_EQ(pending.wait_for(std::chrono::seconds(20)), std::future_status::ready);
  EXPECT_EQ(pending.get(), HidStatus::Closed);
  ASSERT_EQ(writes.wait_for(std::chrono::seconds(20)), std::future_status::ready);
  EXPECT_TRUE(writes.get());
  stop = true;
  drain.join();
}

TEST(HidrawDevice, HangUpIsReportedAsDisconnected) {
  PacketPipe pipe;
  ASSERT_GE(pipe.readEnd, 0);
  auto dev = HidrawDevice::Adopt(pipe.Give(pipe.readEnd), "pipe", Caps(65, 0, false));
  ASSERT_TRUE(dev);
  ::close(pipe.writeEnd);
  pipe.writeEnd = -1;
  Bytes got;
  EXPECT_EQ(dev->ReadInputReport(got, 5000).Status, HidStatus::Disconnected);
}

TEST(HidrawDevice, OpeningSomethingElseSaysWhy) {
  HidError error;
  EXPECT_EQ(HidrawDevice::Open("/dev/tavo-no-such-hidraw", &error), nullptr);
  EXPECT_EQ(error.Status, HidStatus::NotFound);
  EXPECT_NE(error.Message.find("/dev/tavo-no-such-hidraw"), std::string::npos);
  EXPECT_EQ(HidrawDevice::Open("/dev/null", &error), nullptr);
  EXPECT_EQ(error.Status, HidStatus::NotHidDevice);
}

}  // namespace
