#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <linux/input.h>
#include <linux/uhid.h>
#include <memory>
#include <poll.h>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

#include "platform/hid/UdevHidBackend.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(UdevHidBackend, WithoutTheUdevLibraryNothingIsListedAndNothingBreaks) {
  UdevHidBackend hid("libtavo-no-such-udev.so.1");
  EXPECT_FALSE(hid.IsAvailable());
  EXPECT_FALSE(hid.UnavailableReason().empty());
  EXPECT_TRUE(hid.Enumerate().empty());
  EXPECT_EQ(hid.NoticeHandle(), -1);
  EXPECT_TRUE(hid.DrainNotices().empty());
  HidError error;
  EXPECT_EQ(hid.Open("/dev/tavo-no-such-hidraw", &error), nullptr);
  EXPECT_EQ(error.Status, HidStatus::NotFound);
}

TEST(UdevLibrary, LoadsAllEntryPointsOrNone) {
  std::string error;
  // A library that exists but is not udev lacks every entry point.
  EXPECT_EQ(UdevLibrary::Load("libc.so.6", &error), nullptr);
  EXPECT_NE(error.find("udev_new"), std::string::npos) << error;

  auto udev = UdevLibrary::Load(UdevLibrary::DefaultName, &error);
  if (!udev) GTEST_SKIP() << "no udev library here: " << error;
  const UdevApi& api = udev->Api();
#define TAVO_UDEV_CHECK(sym, result, params) EXPECT_NE(api.sym, nullptr) << #sym;
  TAVO_UDEV_ENTRY_POINTS(TAVO_UDEV_CHECK)
#undef TAVO_UDEV_CHECK
}

TEST(UdevHidBackend, RealEnumerationGivesEveryNodeAPathAndAnIdentity) {
  UdevHidBackend hid;
  if (!hid.IsAvailable()) GTEST_SKIP() << hid.UnavailableReason();
  for (const HidDeviceInfo& info : hid.Enumerate()) {
    EXPECT_FALSE(info.Path.empty());
    EXPECT_FALSE(info.Id.empty());
  }
  // With no notice waiting the drain returns at once, empty or not.
  hid.DrainNotices();
}

TEST(HidIdProperty, ParsesBusVendorAndProduct) {
  struct Case {
    const char* text;
    bool ok;
    std::uint16_t bus, vendor, product;
  };
  const Case cases[] = {
      {"0003:00000168:00000821", true, 0x0003, 0x0168, 0x0821},
      {"0005:0000046D:0000b01e", true, 0x0005, 0x046D, 0xB01E},
      {"3:168:821", true, 0x0003, 0x0168, 0x0821},
      {"", false, 0, 0, 0},
      {"0003:00000168", false, 0, 0, 0},
      {"0003::00000821", false, 0, 0, 0},
      {"0003:00010000:00000821", false, 0, 0, 0},  // vendor past 16 bits
      {"0003:0000016G:00000821", false, 0, 0, 0},
      {"0003:000000168:00000821", false, 0, 0, 0},  // nine digits
      {"0003:00000168:00000821:1", false, 0, 0, 0},
  };
  for (const Case& c : cases) {
    std::uint16_t bus = 0xEEEE, vendor = 0xEEEE, product = 0xEEEE;
    EXPECT_EQ(ParseHidIdProperty(c.text, bus, vendor, product), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(bus, c.bus) << c.text;
      EXPECT_EQ(vendor, c.vendor) << c.text;
      EXPECT_EQ(product, c.product) << c.text;
    } else {
      EXPECT_EQ(vendor, 0xEEEE) << c.text;  // untouched on failure
    }
  }
}

// End to end over a virtual HID device, where the kernel offers one.
class UhidDevice {
 public:
  explicit UhidDevice(int fd) : FFd(fd) {}
  ~UhidDevice() {
    Destroy();
    ::close(FFd);
  }
  bool Create(const Bytes& descriptor, std::uint16_t vendor, std::uint16_t product) {
    auto ev = std::make_unique<uhid_event>();
    std::memset(ev.get(), 0, sizeof *ev);
    ev->type = UHID_CREATE2;
    std::strcpy(reinterpret_cast<char*>(ev->u.create2.name), "tavo-test-device");
    ev->u.create2.rd_size = static_cast<__u16>(descriptor.size());
    ev->u.create2.bus = BUS_USB;
    ev->u.create2.vendor = vendor;
    ev->u.create2.product = product;
    std::memcpy(ev->u.create2.rd_data, descriptor.data(), descriptor.size());
    FCreated = ::write(FFd, ev.get(), sizeof *ev) == static_cast<ssize_t>(sizeof *ev);
    return FCreated;
  }
  bool Input(const Bytes& data) {
    auto ev = std::make_unique<uhid_event>();
    std::memset(ev.get(), 0, sizeof *ev);
    ev->type = UHID_INPUT2;
    ev->u.input2.size = static_cast<__u16>(data.size());
    std::memcpy(ev->u.input2.data, data.data(), data.size());
    return ::write(FFd, ev.get(), sizeof *ev) == static_cast<ssize_t>(sizeof *ev);
  }
  // The next output report the host wrote, skipping other events.
  Bytes NextOutput() {
    auto ev = std::make_unique<uhid_event>();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
      pollfd p{FFd, POLLIN, 0};
      if (::poll(&p, 1, 1000) <= 0) continue;
      if (::read(FFd, ev.get(), sizeof *ev) <= 0) break;
      if (ev->type == UHID_OUTPUT) return Bytes(ev->u.output.data, ev->u.output.data + ev->u.output.size);
    }
    return {};
  }
  void Destroy() {
    if (!FCreated) return;
    FCreated = false;
    uhid_event ev{};
    ev.type = UHID_DESTROY;
    ssize_t ignored = ::write(FFd, &ev, sizeof ev);
    (void)ignored;
  }

 private:
  int FFd;
  bool FCreated = false;
};

TEST(UdevHidBackend, VirtualDeviceIsListedOpenedAndCarriesWholeReports) {
  if (::access("/dev/uhid", F_OK) != 0) GTEST_SKIP() << "no /dev/uhid on this machine";
  int fd = ::open("/dev/uhid", O_RDWR | O_CLOEXEC);
  if (fd < 0) GTEST_SKIP() << "/dev/uhid cannot be opened";
  UhidDevice uhid(fd);
  UdevHidBackend hid;
  if (!hid.IsAvailable()) GTEST_SKIP() << hid.UnavailableReason();

  const Bytes descriptor = {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x15, 0x00, 0x26, 0xFF, 0x00, 0x75,
                            0x08, 0x95, 0x40, 0x09, 0x01, 0x81, 0x02, 0x09, 0x01, 0x91, 0x02, 0xC0};
  const std::uint16_t vendor = 0x0168, product = 0x7FFE;
  ASSERT_TRUE(uhid.Create(descriptor, vendor, product));

  std::string path;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (path.empty() && std::chrono::steady_clock::now() < deadline) {
    for (const HidDeviceInfo& info : hid.Enumerate()) {
      if (info.VendorId == vendor && info.ProductId == product && ::access(info.Path.c_str(), F_OK) == 0)
        path = info.Path;
    }
    if (path.empty()) std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  ASSERT_FALSE(path.empty()) << "the virtual device was not listed";

  HidError error;
  auto dev = hid.Open(path, &error);
  ASSERT_TRUE(dev) << error.Message;
  const HidCaps caps = dev->GetCaps();
  EXPECT_EQ(caps.InputReportByteLength, 65);
  EXPECT_EQ(caps.OutputReportByteLength, 65);
  EXPECT_EQ(caps.UsagePage, 0xFF00);
  EXPECT_FALSE(caps.UsesReportIds);

  Bytes data(64);
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(0x80 + i);
  ASSERT_TRUE(uhid.Input(data));
  Bytes got;
  ASSERT_TRUE(dev->ReadInputReport(got, 5000));
  ASSERT_EQ(got.size(), 65u);
  EXPECT_EQ(got[0], 0);
  EXPECT_TRUE(std::equal(data.begin(), data.end(), got.begin() + 1));

  Bytes report(65, 0);
  report[1] = 0x10;
  report[2] = 0x02;
  report[64] = 0x33;
  ASSERT_TRUE(dev->WriteOutputReport(report.data(), report.size()));
  EXPECT_EQ(uhid.NextOutput(), report);

  uhid.Destroy();
  HidIoResult r;
  do {
    r = dev->ReadInputReport(got, 5000);
  } while (r.Status == HidStatus::Ok);
  EXPECT_EQ(r.Status, HidStatus::Disconnected);
  EXPECT_FALSE(dev->WriteOutputReport(report.data(), report.size()));
}

}  // namespace
