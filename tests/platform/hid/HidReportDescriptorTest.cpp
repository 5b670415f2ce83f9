#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "platform/hid/HidReportDescriptor.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// Vendor-defined page, 64 bytes in and 64 bytes out, no report IDs: the shape
// of the processor's USB interface.
const Bytes VendorInOut64 = {
    0x06, 0x00, 0xFF,  // Usage Page (vendor 0xFF00)
    0x09, 0x01,        // Usage (1)
    0xA1, 0x01,        // Collection (Application)
    0x15, 0x00,        //   Logical Minimum (0)
    0x26, 0xFF, 0x00,  //   Logical Maximum (255)
    0x75, 0x08,        //   Report Size (8)
    0x95, 0x40,        //   Report Count (64)
    0x09, 0x01,        //   Usage (1)
    0x81, 0x02,        //   Input (Data, Var, Abs)
    0x09, 0x01,        //   Usage (1)
    0x91, 0x02,        //   Output (Data, Var, Abs)
    0xC0,              // End Collection
};

// Several numbered reports: the largest of each kind sets its length.
const Bytes NumberedReports = {
    0x05, 0x01, 0x09, 0x06, 0xA1, 0x01,  // Generic desktop, keyboard, application
    0x85, 0x01,                          //   Report ID 1
    0x75, 0x01, 0x95, 0x08, 0x81, 0x02,  //     8 bits in
    0x75, 0x08, 0x95, 0x06, 0x81, 0x00,  //     48 bits in: 7 bytes
    0x75, 0x01, 0x95, 0x05, 0x91, 0x02,  //     5 bits out
    0x75, 0x03, 0x95, 0x01, 0x91, 0x01,  //     3 bits padding out: 1 byte
    0x85, 0x02,                          //   Report ID 2
    0x75, 0x08, 0x95, 0x10, 0x81, 0x02,  //     16 bytes in
    0xA1, 0x02,                          //     Collection (Logical)
    0x85, 0x03,                          //       Report ID 3
    0x75, 0x08, 0x95, 0x20, 0xB1, 0x02,  //       32 bytes feature
    0xC0,                                //     End Collection
    0xC0,                                // End Collection
};

// Push and Pop, a four-byte usage naming its own page, and a long item.
const Bytes PushPopLongItem = {
    0x0B, 0x01, 0x00, 0x00, 0xFF,  // Usage (page 0xFF00, usage 1)
    0xA1, 0x01,                    // Collection (Application)
    0x75, 0x08, 0x95, 0x08,        //   8 x 8 bits
    0xA4,                          //   Push
    0x75, 0x10, 0x95, 0x04,        //     4 x 16 bits
    0x81, 0x02,                    //     Input: 64 bits
    0xB4,                          //   Pop (back to 8 x 8 bits)
    0xFE, 0x02, 0x00, 0xAA, 0xBB,  //   long item, skipped
    0x81, 0x02,                    //   Input: 64 bits
    0xC0,
};

HidCaps Parse(const Bytes& d, bool& ok, std::string* error = nullptr) {
  HidCaps caps;
  ok = ParseHidReportDescriptor(d.data(), d.size(), caps, error);
  return caps;
}

TEST(HidReportDescriptor, VendorDeviceWithoutReportIdsCountsTheIdByte) {
  bool ok = false;
  HidCaps caps = Parse(VendorInOut64, ok);
  ASSERT_TRUE(ok);
  EXPECT_EQ(caps.UsagePage, 0xFF00);
  EXPECT_EQ(caps.Usage, 0x01);
  EXPECT_EQ(caps.InputReportByteLength, 65);
  EXPECT_EQ(caps.OutputReportByteLength, 65);
  EXPECT_EQ(caps.FeatureReportByteLength, 0);
  EXPECT_FALSE(caps.UsesReportIds);
}

TEST(HidReportDescriptor, NumberedReportsTakeTheLargestOfEachKind) {
  bool ok = false;
  HidCaps caps = Parse(NumberedReports, ok);
  ASSERT_TRUE(ok);
  EXPECT_EQ(caps.UsagePage, 0x01);
  EXPECT_EQ(caps.Usage, 0x06);
  EXPECT_EQ(caps.InputReportByteLength, 17);
  EXPECT_EQ(caps.OutputReportByteLength, 2);
  EXPECT_EQ(caps.FeatureReportByteLength, 33);
  EXPECT_TRUE(caps.UsesReportIds);
}

TEST(HidReportDescriptor, PushPopExtendedUsageAndLongItems) {
  bool ok = false;
  HidCaps caps = Parse(PushPopLongItem, ok);
  ASSERT_TRUE(ok);
  EXPECT_EQ(caps.UsagePage, 0xFF00);
  EXPECT_EQ(caps.Usage, 0x01);
  EXPECT_EQ(caps.InputReportByteLength, 17);
  EXPECT_EQ(caps.OutputReportByteLength, 0);
}

TEST(HidReportDescriptor, MalformedDescriptorsAreRefused) {
  const std::pair<const char*, Bytes> cases[] = {
      {"empty", {}},
      {"item cut short", {0x06, 0x00}},
      {"two-byte value with one byte", {0xA1, 0x01, 0x26, 0xFF}},
      {"long item cut short", {0xFE, 0x05, 0x00, 0x01}},
      {"End Collection first", {0xC0, 0x75, 0x08, 0x95, 0x01, 0x81, 0x02}},
      {"collection left open", {0xA1, 0x01, 0x75, 0x08, 0x95, 0x01, 0x81, 0x02}},
      {"report ID 0", {0x85, 0x00, 0x75, 0x08, 0x95, 0x01, 0x81, 0x02}},
      {"Pop without Push", {0xB4, 0x75, 0x08, 0x95, 0x01, 0x81, 0x02}},
      {"reserved item type", {0x0F, 0x00, 0x00, 0x00, 0x00}},
      {"no report at all", {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0xC0}},
      {"report size too large", {0x76, 0x01, 0x01, 0x95, 0x01, 0x81, 0x02}},
      {"report too long", {0x75, 0x08, 0x96, 0xFF, 0xFF, 0x81, 0x02}},
      {"report too long in pieces", {0x75, 0x08, 0x96, 0x01, 0x20, 0x81, 0x02, 0x81, 0x02}},
  };
  for (const auto& [what, bytes] : cases) {
    SCOPED_TRACE(what);
    bool ok = true;
    std::string error;
    HidCaps caps = Parse(bytes, ok, &error);
    EXPECT_FALSE(ok);
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(caps.InputReportByteLength, 0);
    EXPECT_EQ(caps.OutputReportByteLength, 0);
    EXPECT_EQ(caps.UsagePage, 0);
  }
}

TEST(HidReportDescriptor, EveryTruncationOfAValidDescriptorIsRefused) {
  for (const Bytes* full : {&VendorInOut64, &NumberedReports, &PushPopLongItem}) {
    for (std::size_t n = 0; n < full->size(); ++n) {
      Bytes cut(full->begin(), full->begin() + static_cast<std::ptrdiff_t>(n));
      bool ok = true;
      Parse(cut, ok);
      EXPECT_FALSE(ok) << "cut at " << n;
    }
  }
}

TEST(HidReportDescriptor, RandomBytesNeverReadPastTheEnd) {
  std::mt19937 rng(20191020);
  for (int round = 0; round < 20000; ++round) {
    // An exactly sized heap block, so that the sanitizer sees any overread.
    const std::size_t n = rng() % 48;
    auto bytes = std::make_unique<std::uint8_t[]>(n ? n : 1);
    for (std::size_t k = 0; k < n; ++k) bytes[k] = static_cast<std::uint8_t>(rng());
    HidCaps caps;
    if (ParseHidReportDescriptor(bytes.get(), n, caps)) {
      EXPECT_LE(caps.InputReportByteLength, HidMaxReportSize + 1);
      EXPECT_LE(caps.OutputReportByteLength, HidMaxReportSize + 1);
      EXPECT_LE(caps.FeatureReportByteLength, HidMaxReportSize + 1);
    }
  }
}

}  // namespace
