#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <unistd.h>
#include <vector>

#include "platform/serial/SerialPort.h"

namespace {

// A pseudo-terminal: the port under test opens the slave side, the test plays
// the device on the master side.
class PtyFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    FMaster = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(FMaster, 0);
    ASSERT_EQ(::grantpt(FMaster), 0);
    ASSERT_EQ(::unlockpt(FMaster), 0);
    FSlavePath = ::ptsname(FMaster);
  }
  void TearDown() override {
    if (FMaster >= 0) ::close(FMaster);
  }

  void DeviceWrites(const std::vector<std::uint8_t>& bytes) {
    ASSERT_EQ(::write(FMaster, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  }

  // What the device side receives, waiting (as a deadlock guard only) until
  // `count` bytes came or nothing more arrives.
  std::vector<std::uint8_t> DeviceReads(std::size_t count) {
    std::vector<std::uint8_t> got;
    while (got.size() < count) {
      pollfd p{FMaster, POLLIN, 0};
      if (::poll(&p, 1, 5000) <= 0) break;
      std::uint8_t buf[256];
      ssize_t n = ::read(FMaster, buf, sizeof buf);
      if (n <= 0) break;
      got.insert(got.end(), buf, buf + n);
    }
    return got;
  }

  // Everything the port reads until `count` bytes came.
  static std::vector<std::uint8_t> PortReads(SerialPort& port, std::size_t count) {
    std::vector<std::uint8_t> got;
    while (got.size() < count) {
      if (port.WaitForData(5000) != SerialWaitResult::DataArrived) break;
      std::uint8_t buf[256];
      long n = port.Read(buf, sizeof buf);
      if (n < 0) break;
      got.insert(got.end(), buf, buf + n);
    }
    return got;
  }

  int FMaster = -1;
  std::string FSlavePath;
};

// Bytes a cooked terminal would change or swallow: CR, LF, XON, XOFF, the
// interrupt and end-of-file characters, DEL and a high byte.
const std::vector<std::uint8_t> RawBytes = {0x10, 0x02, 0x00, 0x01, 0x0D, 0x0A, 0x11, 0x13,
                                            0x03, 0x04, 0x7F, 0xFF, 0x1A, 0x10, 0x03, 0x00};

TEST_F(PtyFixture, OpensAt115200AndCarriesEveryByteUnchangedBothWays) {
  SerialPort port;
  ASSERT_TRUE(port.Open(FSlavePath)) << port.LastError().Message;
  EXPECT_TRUE(port.IsOpen());
  EXPECT_EQ(port.Path(), FSlavePath);
  EXPECT_GE(port.Handle(), 0);
  EXPECT_EQ(port.GetBaudRate(), 115200);

  DeviceWrites(RawBytes);
  EXPECT_EQ(PortReads(port, RawBytes.size()), RawBytes);

  EXPECT_EQ(port.Write(RawBytes.data(), RawBytes.size()), static_cast<long>(RawBytes.size()));
  EXPECT_EQ(DeviceReads(RawBytes.size()), RawBytes);
}

TEST_F(PtyFixture, ReadsDoNotBlockAndTheWaitEndsAtItsTimeout) {
  SerialPort port;
  ASSERT_TRUE(port.Open(FSlavePath)) << port.LastError().Message;
  std::uint8_t buf[16];
  EXPECT_EQ(port.Read(buf, sizeof buf), 0);
  EXPECT_EQ(port.BytesWaiting(), 0);
  EXPECT_EQ(port.WaitForData(20), SerialWaitResult::Timeout);

  DeviceWrites({0x41, 0x42, 0x43});
  ASSERT_EQ(port.WaitForData(5000), SerialWaitResult::DataArrived);
  EXPECT_EQ(port.Read(buf, 2), 2);  // a short buffer takes part, the rest waits
  EXPECT_EQ(PortReads(port, 1), std::vector<std::uint8_t>{0x43});
}

TEST_F(PtyFixture, PurgeDropsWaitingInput) {
  SerialPort port;
  ASSERT_TRUE(port.Open(FSlavePath)) << port.LastError().Message;
  DeviceWrites({1, 2, 3, 4});
  ASSERT_EQ(port.WaitForData(5000), SerialWaitResult::DataArrived);
  EXPECT_TRUE(port.Purge());
  std::uint8_t buf[8];
  EXPECT_EQ(port.Read(buf, sizeof buf), 0);
}

TEST_F(PtyFixture, SecondOpenIsRefusedUntilTheFirstCloses) {
  SerialPort first;
  ASSERT_TRUE(first.Open(FSlavePath)) << first.LastError().Message;

  SerialPort second;
  EXPECT_FALSE(second.Open(FSlavePath));
  EXPECT_EQ(second.LastError().Code, SerialErrorCode::Busy);
  EXPECT_NE(second.LastError().Message.find(FSlavePath), std::string::npos);
  EXPECT_FALSE(second.IsOpen());

  // The same object cannot open twice either.
  EXPECT_FALSE(first.Open(FSlavePath));
  EXPECT_EQ(first.LastError().Code, SerialErrorCode::AlreadyOpen);
  EXPECT_TRUE(first.IsOpen());

  first.Close();
  EXPECT_TRUE(second.Open(FSlavePath)) << second.LastError().Message;
}

TEST_F(PtyFixture, HangUpIsReportedAsDisconnected) {
  SerialPort port;
  ASSERT_TRUE(port.Open(FSlavePath)) << port.LastError().Message;
  ::close(FMaster);
  FMaster = -1;

  // The wait may report the hang-up itself or let the read find it; either
  // way the worker learns that the port is gone instead of spinning.
  SerialWaitResult wait = port.WaitForData(5000);
  if (wait == SerialWaitResult::DataArrived) {
    std::uint8_t buf[8];
    EXPECT_EQ(port.Read(buf, sizeof buf), -1);
  } else {
    EXPECT_EQ(wait, SerialWaitResult::Failed);
  }
  EXPECT_EQ(port.LastError().Code, SerialErrorCode::Disconnected);
  std::uint8_t byte = 0x55;
  EXPECT_EQ(port.Write(&byte, 1), -1);
}

TEST(SerialPortErrors, FailuresAreReportedWithACodeAndAMessage) {
  struct Case {
    const char* what;
    std::string path;
    SerialSettings settings;
    SerialErrorCode code;
  };
  SerialSettings baud128000;
  baud128000.BaudRate = 128000;
  SerialSettings nineBits;
  nineBits.DataBits = 9;
  SerialSettings threeStops;
  threeStops.StopBits = 3;
  const Case cases[] = {
      {"missing port", "/dev/tavo-no-such-port", {}, SerialErrorCode::NotFound},
      {"not a terminal", "/dev/null", {}, SerialErrorCode::NotATerminal},
      {"unsupported baud rate", "/dev/null", baud128000, SerialErrorCode::UnsupportedSetting},
      {"nine data bits", "/dev/null", nineBits, SerialErrorCode::UnsupportedSetting},
      {"three stop bits", "/dev/null", threeStops, SerialErrorCode::UnsupportedSetting},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SerialPort port;
    EXPECT_FALSE(port.Open(c.path, c.settings));
    EXPECT_EQ(port.LastError().Code, c.code);
    EXPECT_NE(port.LastError().Message.find(c.path), std::string::npos) << port.LastError().Message;
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(port.Handle(), -1);
  }
}

TEST(SerialPortErrors, ClosedPortRefusesEveryOperation) {
  SerialPort port;
  std::uint8_t buf[4] = {};
  EXPECT_EQ(port.Read(buf, sizeof buf), -1);
  EXPECT_EQ(port.LastError().Code, SerialErrorCode::NotOpen);
  EXPECT_EQ(port.Write(buf, sizeof buf), -1);
  EXPECT_EQ(port.BytesWaiting(), -1);
  EXPECT_FALSE(port.Purge());
  EXPECT_EQ(port.WaitForData(0), SerialWaitResult::Failed);
  EXPECT_EQ(port.GetBaudRate(), 0);
  port.Close();  // harmless
}

TEST(SerialSettingsText, DescribesTheSettings) {
  EXPECT_EQ(DescribeSerialSettings({}), "115200 baud, 8 data bits, no parity, 1 stop bit");
  EXPECT_EQ(DescribeSerialSettings({9600, 7, SerialParity::Even, 2}),
            "9600 baud, 7 data bits, even parity, 2 stop bits");
}

}  // namespace
