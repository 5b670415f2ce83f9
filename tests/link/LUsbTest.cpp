// The USB engine against the device simulator plugged into the fake HID
// backend. The test window plays the main window's part: it writes each
// frame as one whole output report and hands the frame at the start of each
// input report to the engine, from a read thread of its own.

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "EngineTestSupport.h"
#include "link/LUsb.h"
#include "platform/hid/FakeHidBackend.h"
#include "tests/sim/DeviceSimulator.h"

using namespace link_test;

namespace {

class UsbWindow : public RecordingOwner, public LinkOwner {
 public:
  ~UsbWindow() override { CloseDevice(); }

  void OpenDevice(HidBackend& backend, const std::string& path) {
    std::shared_ptr<HidDevice> d(backend.Open(path).release());
    ASSERT_TRUE(d);
    {
      std::lock_guard lock(FM);
      FDevice = d;
    }
    FReading = true;
    FReader = std::thread([this, d] {
      std::vector<std::uint8_t> report;
      while (FReading) {
        HidIoResult r = d->ReadInputReport(report, 20);
        if (r.Status == HidStatus::Timeout) continue;
        if (!r) break;
        if (report.size() < 2) continue;
        const std::uint8_t* data = report.data() + 1;
        const size_t n = UsbReportFrameLength(data, report.size() - 1);
        if (LUsb* e = engine.load()) e->OnReceived(data, n);
      }
    });
  }
  void CloseDevice() {
    FReading = false;
    std::shared_ptr<HidDevice> d;
    {
      std::lock_guard lock(FM);
      d = std::move(FDevice);
    }
    if (d) d->Close();
    if (FReader.joinable()) FReader.join();
  }

  // Worker thread of the engine.
  bool WriteUsbReport(const std::uint8_t* data, std::size_t size, std::string& error) override {
    std::shared_ptr<HidDevice> d;
    {
      std::lock_guard lock(FM);
      d = FDevice;
    }
    ++writes;
    ByteVector report;
    if (d) report = BuildUsbOutputReport(data, size, d->GetCaps().OutputReportByteLength);
    if (!d || report.empty() || !d->WriteOutputReport(report.data(), report.size())) {
      ++failedWrites;
      error = "report not written";
      return false;
    }
    std::lock_guard lock(FM);
    reportSizes.push_back(report.size());
    return true;
  }

  std::atomic<LUsb*> engine{nullptr};
  std::atomic<int> writes{0};
  std::atomic<int> failedWrites{0};
  std::vector<size_t> reportSizes;

 private:
  std::mutex FM;
  std::shared_ptr<HidDevice> FDevice;
  std::atomic<bool> FReading{false};
  std::thread FReader;
};

class LUsbTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(sim.PlugHid(backend)) << sim.LastError();
    window = std::make_unique<UsbWindow>();
    window->OpenDevice(*backend, sim.HidPath());
    engine = std::make_unique<LUsbProc>(window.get(), window.get(), 1);
    window->engine = engine.get();
    ASSERT_TRUE(engine->Start());
    engine->SetKeepAliveInterval(60000);
  }
  void TearDown() override {
    window->engine = nullptr;
    engine.reset();
    window->CloseDevice();
    window.reset();
  }

  std::shared_ptr<FakeHidBackend> backend = std::make_shared<FakeHidBackend>();
  sim::DeviceSimulator sim;
  std::unique_ptr<UsbWindow> window;
  std::unique_ptr<LUsbProc> engine;
};

TEST_F(LUsbTest, FramesGoOutAsWholeReportsAndEachInputReportDeliversItsFrameAlone) {
  engine->SetTimeout(100);
  engine->SetRetryLimit(3);
  engine->SendCommand(BuildFrame(CM_MCS_CMD(1, 0x10), 1), true);
  ASSERT_TRUE(PumpUntilThat(
      "window->Count(WM_LINK_FRAME)", [&] { return window->Count(WM_LINK_FRAME); }, ::testing::Eq(1)));
  EXPECT_EQ(window->Frames()[0], Reply(0x10));
  EXPECT_EQ(sim.CountReceived(0x10), 1u);

  // An unasked frame followed by filler bytes in the same report.
  sim.SendRaw(Join({Reply(0x41, {3, 4}), ByteVector(20, 0xAA)}));
  ASSERT_TRUE(PumpUntilThat(
      "window->Count(WM_LINK_FRAME)", [&] { return window->Count(WM_LINK_FRAME); }, ::testing::Eq(2)));
  EXPECT_EQ(window->Frames()[1], Reply(0x41, {3, 4}));

  engine->SendCommand(BuildFrame(CM_MCS_CMD(1, 0xB0), 1), true);
  ASSERT_TRUE(PumpUntilThat(
      "window->Count(WM_LINK_FRAME)", [&] { return window->Count(WM_LINK_FRAME); }, ::testing::Eq(3)));
  const LCmd ip = ParseFrame(window->Frames()[2]);
  EXPECT_EQ(ip.Code, 0xB0);
  EXPECT_EQ(ip.Payload, (ByteVector{192, 168, 1, 101}));
  for (size_t size : window->reportSizes) EXPECT_EQ(size, sim::HidReportLength);
  EXPECT_EQ(window->failedWrites, 0);
}

TEST_F(LUsbTest, WritesToAGoneDeviceFailCleanlyAndTheLinkIsReportedLostAtOnce) {
  for (bool unplug : {true, false}) {
    SCOPED_TRACE(unplug ? "device unplugged" : "handle closed");
    if (!unplug) {
      ASSERT_TRUE(sim.PlugHid(backend)) << sim.LastError();
      window->OpenDevice(*backend, sim.HidPath());
      engine = std::make_unique<LUsbProc>(window.get(), window.get(), 1);
      window->engine = engine.get();
      ASSERT_TRUE(engine->Start());
      engine->SetKeepAliveInterval(60000);
    }
    window->got.clear();
    engine->SetTimeout(100);
    engine->SetRetryLimit(3);
    engine->SendCommand(BuildFrame(CM_MCS_CMD(1, 0x10), 1), true);
    ASSERT_TRUE(PumpUntilThat(
        "window->Count(WM_LINK_FRAME)", [&] { return window->Count(WM_LINK_FRAME); }, ::testing::Eq(1)));

    if (unplug)
      ASSERT_TRUE(sim.UnplugHid());
    else
      window->CloseDevice();
    engine->SetTimeout(20);
    const int writes = window->writes;
    const int failed = window->failedWrites;
    engine->SendCommand(BuildFrame(CM_MCS_CMD(1, 0x40), 1), false);
    ASSERT_TRUE(PumpUntilThat(
        "window->Timeouts()", [&] { return window->Timeouts(); }, ::testing::Not(::testing::IsEmpty())));
    EXPECT_EQ(window->Timeouts()[0], std::make_pair(static_cast<int>(LinkNoAnswer), 1));
    EXPECT_EQ(window->writes - writes, 1) << "a failed write is not resent";
    EXPECT_EQ(window->failedWrites - failed, 1);
    const std::vector<std::string> lines = engine->TakeLogLines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("report not written"), std::string::npos) << lines[0];

    window->engine = nullptr;
    engine.reset();
    window->CloseDevice();
    if (!unplug) {
      ASSERT_TRUE(sim.UnplugHid());
    }
  }
}

}  // namespace
