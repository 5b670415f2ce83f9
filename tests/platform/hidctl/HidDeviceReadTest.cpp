// A checked-out HID device: its read thread delivers input reports to OnData
// on the user-interface thread, in order; it stops without a late delivery
// and without deadlock, even from inside its own handler; writes after an
// unplug or check-in fail cleanly, also while another thread writes.

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "HidTestSupport.h"
#include "link/LCmd.h"
#include "platform/classlib/Messages.h"
#include "tests/sim/DeviceSimulator.h"

using namespace hid_test;

namespace {

struct Delivery {
  std::uint8_t ReportId;
  std::vector<std::uint8_t> Data;
  bool OnUiThread;
};

class HidDeviceReadTest : public HidTest {
 protected:
  void SetUp() override {
    HidTest::SetUp();
    Path = PlugBefore(DeviceSetup("B"));
    Ctl = new TJvHidDeviceController(nullptr);
    Ctl->SetOnDeviceData(
        [this](TJvHidDevice*, std::uint8_t id, const std::uint8_t* data, std::uint16_t size) {
          Got.push_back({id, std::vector<std::uint8_t>(data, data + size), IsMainThread()});
          if (OnReport) OnReport();
        });
    Ctl->DeviceChange();
    ASSERT_TRUE(Ctl->CheckOutByID(Dev, TavoVendor, TavoProduct));
  }
  void TearDown() override {
    if (Dev) Ctl->CheckIn(Dev);
    delete Ctl;
    HidTest::TearDown();
  }

  static std::vector<std::uint8_t> Report(std::uint8_t id, std::uint8_t first, std::size_t size = 65) {
    std::vector<std::uint8_t> r(size, 0xEE);
    r[0] = id;
    if (size > 1) r[1] = first;
    return r;
  }

  std::string Path;
  TJvHidDeviceController* Ctl = nullptr;
  TJvHidDevice* Dev = nullptr;
  std::vector<Delivery> Got;
  std::function<void()> OnReport;
};

TEST_F(HidDeviceReadTest, ReportsReachOnDataInOrderOnTheUiThread) {
  ASSERT_EQ(Dev->GetCaps().InputReportByteLength, 65);
  ASSERT_EQ(Dev->GetCaps().OutputReportByteLength, 65);
  for (std::uint8_t i = 0; i < 20; ++i) ASSERT_TRUE(Fake->FeedInputReport(Path, Report(0, i)));
  // A read of no bytes is not a report.
  ASSERT_TRUE(Fake->FeedInputReport(Path, {}));
  ASSERT_TRUE(Fake->FeedInputReport(Path, Report(7, 0x55, 3)));
  ASSERT_TRUE(PumpUntilThat(
      "reports", [&] { return Got.size(); }, ::testing::Ge(21u)));
  PumpWaiting();
  ASSERT_EQ(Got.size(), 21u);
  for (std::uint8_t i = 0; i < 20; ++i) {
    EXPECT_EQ(Got[i].ReportId, 0);
    ASSERT_EQ(Got[i].Data.size(), 64u);
    EXPECT_EQ(Got[i].Data[0], i);
    EXPECT_EQ(Got[i].Data[63], 0xEE);
    EXPECT_TRUE(Got[i].OnUiThread);
  }
  EXPECT_EQ(Got[20].ReportId, 7);
  EXPECT_EQ(Got[20].Data, (std::vector<std::uint8_t>{0x55, 0xEE}));
}

TEST_F(HidDeviceReadTest, NothingIsDeliveredAfterCheckIn) {
  // The thread reads these and waits for the user-interface thread, which
  // does not pump before the check-in; the check-in ends the thread.
  for (std::uint8_t i = 0; i < 5; ++i) Fake->FeedInputReport(Path, Report(0, i));
  Ctl->CheckIn(Dev);
  EXPECT_EQ(Dev, nullptr);
  EXPECT_EQ(Fake->OpenHandleCount(Path), 0);
  PumpWaiting();
  EXPECT_TRUE(Got.empty());
}

TEST_F(HidDeviceReadTest, CheckInFromInsideItsOwnDataHandlerDoesNotDeadlock) {
  OnReport = [this] {
    if (Dev) Ctl->CheckIn(Dev);
  };
  for (std::uint8_t i = 0; i < 3; ++i) Fake->FeedInputReport(Path, Report(0, i));
  ASSERT_TRUE(PumpUntilThat(
      "held device", [&] { return Dev; }, ::testing::IsNull()));
  PumpWaiting();
  EXPECT_EQ(Got.size(), 1u);
  EXPECT_EQ(Fake->OpenHandleCount(Path), 0);
}

TEST_F(HidDeviceReadTest, EmptyingOnDataStopsTheThreadAndAHandlerStartsANewOne) {
  Dev->SetOnData(nullptr);
  Fake->FeedInputReport(Path, Report(0, 1));
  // No read thread runs now that could deliver it.
  PumpWaiting();
  EXPECT_TRUE(Got.empty());

  Dev->SetOnData([this](TJvHidDevice*, std::uint8_t id, const std::uint8_t* data, std::uint16_t size) {
    Got.push_back({id, std::vector<std::uint8_t>(data, data + size), IsMainThread()});
  });
  Fake->FeedInputReport(Path, Report(0, 2));
  // What arrived meanwhile waited in the open handle's buffer.
  ASSERT_TRUE(PumpUntilThat(
      "reports", [&] { return Got.size(); }, ::testing::Ge(2u)));
  EXPECT_EQ(Got[0].Data[0], 1);
  EXPECT_EQ(Got[1].Data[0], 2);
}

TEST_F(HidDeviceReadTest, ThreadSleepTimeTakesOnly10To10000) {
  const struct {
    int value;
    int expected;
  } cases[] = {{9, 100}, {10, 10}, {10001, 10}, {10000, 10000}, {-5, 10000}};
  for (const auto& c : cases) {
    Dev->SetThreadSleepTime(c.value);
    EXPECT_EQ(Dev->GetThreadSleepTime(), c.expected) << c.value;
  }
}

TEST_F(HidDeviceReadTest, WritesGoOutWholeWhileHeldAndFailCleanlyAfterwards) {
  std::vector<std::uint8_t> report(65, 0);
  report[1] = 0x10;
  report[2] = 0x02;
  std::uint32_t written = 0;
  ASSERT_TRUE(Dev->WriteFile(report.data(), 65, written));
  EXPECT_EQ(written, 65u);
  EXPECT_EQ(Fake->TakeOutputReports(Path), (std::vector<std::vector<std::uint8_t>>{report}));

  // A writer thread keeps writing while the device is unplugged and then
  // checked in: every write either goes out whole or fails, none touches
  // a closed handle.
  std::atomic<bool> stop{false};
  std::atomic<int> ok{0}, failed{0};
  TJvHidDevice* target = Dev;
  std::thread writer([&] {
    while (!stop.load()) {
      std::uint32_t n = 0;
      if (target->WriteFile(report.data(), 65, n)) {
        EXPECT_EQ(n, 65u);
        ++ok;
      } else {
        EXPECT_EQ(n, 0u);
        ++failed;
      }
    }
  });
  ASSERT_TRUE(PumpUntilThat(
      "whole writes", [&] { return ok.load(); }, ::testing::Gt(0)));
  Fake->Unplug(Path);
  ASSERT_TRUE(PumpUntilThat(
      "plugged in", [&] { return Dev->GetIsPluggedIn(); }, ::testing::IsFalse()));
  ASSERT_TRUE(PumpUntilThat(
      "failed writes", [&] { return failed.load(); }, ::testing::Gt(0)));
  stop = true;
  writer.join();
  EXPECT_GT(ok.load(), 0);
  EXPECT_GT(failed.load(), 0);
  std::uint32_t n = 1;
  EXPECT_FALSE(Dev->WriteFile(report.data(), 65, n));
  EXPECT_EQ(n, 0u);
  Ctl->CheckIn(Dev);
}

TEST_F(HidDeviceReadTest, AWriteNeedsTheDeviceHeld) {
  TJvHidDevice* dev = Dev;
  Ctl->CheckIn(Dev);
  std::uint8_t report[65] = {};
  std::uint32_t n = 1;
  EXPECT_FALSE(dev->WriteFile(report, sizeof report, n));
  EXPECT_EQ(n, 0u);
  EXPECT_FALSE(dev->OpenFile());
}

TEST_F(HidDeviceReadTest, ReadErrorsOfAnUnpluggedDeviceComeOncePerPollInterval) {
  std::atomic<int> errors{0};
  std::uint32_t lastError = 0;
  Dev->SetOnDataError([&](TJvHidDevice*, std::uint32_t e) {
    ++errors;
    lastError = e;
  });
  Dev->SetThreadSleepTime(100);
  Fake->Unplug(Path);
  ASSERT_TRUE(PumpUntilThat(
      "read errors", [&] { return errors.load(); }, ::testing::Ge(2)));
  // A spinning thread would report one in every round of the event loop;
  // these rounds take far less than a poll interval.
  const int before = errors.load();
  for (int round = 0; round < 100; ++round) Application->ProcessMessages();
  EXPECT_LT(errors.load() - before, 30);
  EXPECT_NE(lastError, 0u);
  EXPECT_FALSE(Dev->GetIsPluggedIn());
  Ctl->CheckIn(Dev);
  // The check-in ended the thread: nothing more can come.
  const int afterCheckIn = errors.load();
  PumpWaiting();
  EXPECT_EQ(errors.load(), afterCheckIn);
}

// The device simulator on the fake backend: the held device writes one frame
// as one whole output report and the reply comes back through OnData; when
// the device goes, the host's unplug handler checks it in.
class HidSimulatorTest : public HidTest {};

TEST_F(HidSimulatorTest, TheSimulatedDeviceAnswersThroughTheHeldDevice) {
  sim::DeviceSimulator simulator;
  ASSERT_TRUE(simulator.PlugHid(Fake)) << simulator.LastError();
  Fake->DrainNotices();
  Host host;
  std::vector<std::vector<std::uint8_t>> replies;
  host.Ctl->SetOnDeviceData(
      [&](TJvHidDevice*, std::uint8_t id, const std::uint8_t* data, std::uint16_t size) {
        EXPECT_EQ(id, 0);
        replies.emplace_back(data, data + size);
      });
  ASSERT_TRUE(host.WaitChanges(1));
  ASSERT_NE(host.Held, nullptr);

  const ByteVector hello = BuildFrame(LCmd(1, 0x10), 1);
  std::vector<std::uint8_t> report(host.Held->GetCaps().OutputReportByteLength, 0);
  ASSERT_GT(report.size(), hello.size());
  std::copy(hello.begin(), hello.end(), report.begin() + 1);
  std::uint32_t written = 0;
  ASSERT_TRUE(host.Held->WriteFile(report.data(), static_cast<std::uint32_t>(report.size()), written));
  EXPECT_EQ(written, report.size());
  ASSERT_TRUE(simulator.WaitForCode(0x10));
  ASSERT_TRUE(PumpUntilThat(
      "replies", [&] { return replies.size(); }, ::testing::Ge(1u)));
  ASSERT_EQ(replies[0].size(), 64u);
  EXPECT_EQ(replies[0][0], 0x10);
  EXPECT_EQ(replies[0][1], 0x02);

  ASSERT_TRUE(simulator.UnplugHid());
  ASSERT_TRUE(host.WaitChanges(2));
  EXPECT_EQ(host.Held, nullptr);
}

}  // namespace
