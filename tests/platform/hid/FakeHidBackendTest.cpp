#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <poll.h>
#include <string>
#include <vector>

#include "platform/hid/FakeHidBackend.h"
#include "platform/hid/UdevHidBackend.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

FakeHidDeviceSetup Processor() {
  FakeHidDeviceSetup setup;
  setup.VendorId = 0x0168;
  setup.ProductId = 0x0821;
  setup.Version = 0x0100;
  setup.Manufacturer = "Maker";
  setup.Product = "Matrix";
  setup.SerialNumber = "0001";
  setup.InputReportByteLength = 65;
  setup.OutputReportByteLength = 65;
  return setup;
}

bool Readable(int fd) {
  pollfd p{fd, POLLIN, 0};
  return ::poll(&p, 1, 0) == 1 && (p.revents & POLLIN);
}

TEST(FakeHidBackend, PlugAndUnplugAreListedAndNoticed) {
  FakeHidBackend hid;
  EXPECT_TRUE(hid.IsAvailable());
  ASSERT_GE(hid.NoticeHandle(), 0);
  EXPECT_FALSE(Readable(hid.NoticeHandle()));

  FakeHidDeviceSetup other;
  other.VendorId = 0x1234;
  other.ProductId = 0x5678;
  const std::string a = hid.Plug(Processor());
  const std::string b = hid.Plug(other);
  EXPECT_NE(a, b);
  EXPECT_TRUE(Readable(hid.NoticeHandle()));

  auto list = hid.Enumerate();
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0].Path, a);
  EXPECT_EQ(list[0].VendorId, 0x0168);
  EXPECT_EQ(list[0].ProductId, 0x0821);
  EXPECT_EQ(list[0].Version, 0x0100);
  EXPECT_EQ(list[0].Manufacturer, "Maker");
  EXPECT_EQ(list[0].Product, "Matrix");
  EXPECT_EQ(list[0].SerialNumber, "0001");
  EXPECT_EQ(list[1].VendorId, 0x1234);
  const std::string firstId = list[0].Id;

  auto notices = hid.DrainNotices();
  ASSERT_EQ(notices.size(), 2u);
  EXPECT_EQ(notices[0].Kind, HidChangeKind::Added);
  EXPECT_EQ(notices[0].Path, a);
  EXPECT_FALSE(Readable(hid.NoticeHandle()));
  EXPECT_TRUE(hid.DrainNotices().empty());

  EXPECT_TRUE(hid.Unplug(a));
  EXPECT_FALSE(hid.Unplug(a));
  list = hid.Enumerate();
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].Path, b);

  // Plugged in again: the freed path comes back, but with a new identity.
  EXPECT_EQ(hid.Plug(Processor()), a);
  list = hid.Enumerate();
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[1].Path, a);
  EXPECT_NE(list[1].Id, firstId);

  notices = hid.DrainNotices();
  ASSERT_EQ(notices.size(), 2u);
  EXPECT_EQ(notices[0].Kind, HidChangeKind::Removed);
  EXPECT_EQ(notices[1].Kind, HidChangeKind::Added);

  hid.RaiseNotice();
  notices = hid.DrainNotices();
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_EQ(notices[0].Kind, HidChangeKind::Changed);
  EXPECT_TRUE(notices[0].Path.empty());
}

TEST(FakeHidBackend, FedReportsReachEveryOpenHandleWhole) {
  FakeHidBackend hid;
  const std::string path = hid.Plug(Processor());
  auto one = hid.Open(path);
  auto two = hid.Open(path);
  ASSERT_TRUE(one && two);
  EXPECT_EQ(hid.OpenHandleCount(path), 2);
  EXPECT_EQ(one->GetCaps().InputReportByteLength, 65);
  EXPECT_EQ(one->GetCaps().OutputReportByteLength, 65);

  Bytes report(65, 0);
  report[1] = 0x10;
  report[2] = 0x02;
  EXPECT_TRUE(hid.FeedInputReport(path, report));
  EXPECT_TRUE(hid.FeedInputReport(path, Bytes(80, 7)));  // longer than the input report

  Bytes got;
  for (HidDevice* h : {one.get(), two.get()}) {
    ASSERT_TRUE(h->ReadInputReport(got, 1000));
    EXPECT_EQ(got, report);
    HidIoResult r = h->ReadInputReport(got, 1000);
    ASSERT_TRUE(r);
    EXPECT_EQ(r.Bytes, 65u);
    EXPECT_EQ(got, Bytes(65, 7));
    EXPECT_EQ(h->ReadInputReport(got, 0).Status, HidStatus::Timeout);
    EXPECT_TRUE(got.empty());
  }

  one->Close();
  EXPECT_EQ(hid.OpenHandleCount(path), 1);
  EXPECT_FALSE(hid.FeedInputReport("fake-hidraw9", report));
}

TEST(FakeHidBackend, WrittenReportsAreCapturedAndHeard) {
  FakeHidBackend hid;
  const std::string path = hid.Plug(Processor());
  std::vector<std::pair<std::string, Bytes>> heard;
  hid.SetOutputListener([&](const std::string& p, const Bytes& r) { heard.emplace_back(p, r); });

  auto dev = hid.Open(path);
  ASSERT_TRUE(dev);
  const Bytes first = {0x00, 0x10, 0x02, 0x00, 0x01, 0x01, 0x10};
  const Bytes second(65, 0xAB);
  EXPECT_TRUE(dev->WriteOutputReport(first.data(), first.size()));
  EXPECT_EQ(dev->WriteOutputReport(second.data(), second.size()).Bytes, 65u);
  EXPECT_EQ(dev->WriteOutputReport(second.data(), 0).Status, HidStatus::InvalidArgument);

  EXPECT_EQ(hid.TakeOutputReports(path), (std::vector<Bytes>{first, second}));
  EXPECT_TRUE(hid.TakeOutputReports(path).empty());
  ASSERT_EQ(heard.size(), 2u);
  EXPECT_EQ(heard[0].first, path);
  EXPECT_EQ(heard[1].second, second);
}

TEST(FakeHidBackend, UnpluggedDeviceDeliversWhatWaitedThenFailsCleanly) {
  FakeHidBackend hid;
  const std::string path = hid.Plug(Processor());
  auto dev = hid.Open(path);
  ASSERT_TRUE(dev);
  ASSERT_TRUE(hid.FeedInputReport(path, {0, 1, 2}));
  ASSERT_TRUE(hid.Unplug(path));

  Bytes got;
  ASSERT_TRUE(dev->ReadInputReport(got, 1000));
  EXPECT_EQ(got, (Bytes{0, 1, 2}));
  EXPECT_EQ(dev->ReadInputReport(got, 1000).Status, HidStatus::Disconnected);
  const Bytes out(65, 1);
  EXPECT_EQ(dev->WriteOutputReport(out.data(), out.size()).Status, HidStatus::Disconnected);

  // After close a write reports the close, not a write somewhere else.
  dev->Close();
  dev->Close();
  EXPECT_FALSE(dev->IsOpen());
  EXPECT_EQ(dev->WriteOutputReport(out.data(), out.size()).Status, HidStatus::Closed);
  EXPECT_EQ(dev->ReadInputReport(got, 0).Status, HidStatus::Closed);
}

TEST(FakeHidBackend, CloseEndsAReadThatWaits) {
  FakeHidBackend hid;
  const std::string path = hid.Plug(Processor());
  auto dev = hid.Open(path);
  ASSERT_TRUE(dev);
  auto reader = std::async(std::launch::async, [&] {
    Bytes got;
    return dev->ReadInputReport(got, 60000).Status;
  });
  // Whether the reader is already waiting or not, it must end with Closed.
  dev->Close();
  ASSERT_EQ(reader.wait_for(std::chrono::seconds(20)), std::future_status::ready);
  EXPECT_EQ(reader.get(), HidStatus::Closed);
}

TEST(FakeHidBackend, OpenFailuresSayWhy) {
  FakeHidBackend hid;
  HidError error;
  EXPECT_EQ(hid.Open("fake-hidraw0", &error), nullptr);
  EXPECT_EQ(error.Status, HidStatus::NotFound);

  const std::string path = hid.Plug(Processor());
  hid.SetOpenFails(path, true);
  EXPECT_EQ(hid.Open(path, &error), nullptr);
  EXPECT_EQ(error.Status, HidStatus::AccessDenied);
  EXPECT_NE(error.Message.find(path), std::string::npos);
  hid.SetOpenFails(path, false);
  EXPECT_NE(hid.Open(path), nullptr);
}

TEST(HidBackendSelection, SelectedBackendIsServedUntilReset) {
  auto fake = std::make_shared<FakeHidBackend>();
  SelectHidBackend(fake);
  EXPECT_EQ(GetHidBackend(), fake);
  SelectHidBackend(nullptr);
  auto real = GetHidBackend();
  ASSERT_NE(real, nullptr);
  EXPECT_NE(dynamic_cast<UdevHidBackend*>(real.get()), nullptr);
  EXPECT_EQ(GetHidBackend(), real);
}

}  // namespace
