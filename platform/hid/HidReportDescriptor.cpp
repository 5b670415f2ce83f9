#include "platform/hid/HidReportDescriptor.h"

#include <map>
#include <vector>

namespace {

enum ItemType : std::uint8_t { MainItem = 0, GlobalItem = 1, LocalItem = 2, ReservedItem = 3 };

enum MainTag : std::uint8_t {
  InputTag = 0x8,
  OutputTag = 0x9,
  CollectionTag = 0xA,
  FeatureTag = 0xB,
  EndCollectionTag = 0xC,
};

enum GlobalTag : std::uint8_t {
  UsagePageTag = 0x0,
  ReportSizeTag = 0x7,
  ReportIdTag = 0x8,
  ReportCountTag = 0x9,
  PushTag = 0xA,
  PopTag = 0xB,
};

constexpr std::uint8_t UsageTag = 0x0;
constexpr std::uint8_t LongItemPrefix = 0xFE;

// Bounds that the kernel's own parser applies too.
constexpr std::uint32_t MaxReportSizeBits = 256;
constexpr std::uint64_t MaxReportBits = HidMaxReportSize * 8;
constexpr std::size_t MaxPushDepth = 8;

struct GlobalState {
  std::uint32_t UsagePage = 0;
  std::uint32_t ReportSize = 0;
  std::uint32_t ReportCount = 0;
  std::uint32_t ReportId = 0;
};

bool Refuse(std::string* error, HidCaps& caps, std::string why) {
  caps = HidCaps{};
  if (error) *error = std::move(why);
  return false;
}

std::uint16_t LengthWithId(const std::map<std::uint32_t, std::uint64_t>& reports) {
  std::uint64_t largest = 0;
  for (const auto& [id, bits] : reports) {
    (void)id;
    if (bits > largest) largest = bits;
  }
  std::uint64_t bytes = (largest + 7) / 8;
  return bytes == 0 ? 0 : static_cast<std::uint16_t>(bytes + 1);
}

}  // namespace

bool ParseHidReportDescriptor(const std::uint8_t* data, std::size_t size, HidCaps& caps, std::string* error) {
  caps = HidCaps{};
  if (!data || size == 0) return Refuse(error, caps, "empty report descriptor");

  std::map<std::uint32_t, std::uint64_t> reportBits[3];  // input, output, feature by report ID
  GlobalState global;
  std::vector<GlobalState> pushed;
  bool haveUsage = false;
  std::uint32_t usage = 0;
  std::uint32_t usagePage = 0;
  bool usageHasPage = false;
  bool haveTopLevel = false;
  bool usesIds = false;
  std::size_t depth = 0;

  std::size_t pos = 0;
  while (pos < size) {
    const std::size_t itemStart = pos;
    const std::uint8_t prefix = data[pos++];
    if (prefix == LongItemPrefix) {
      // Long items carry vendor data only; skip them whole.
      if (size - pos < 2)
        return Refuse(error, caps, "long item at offset " + std::to_string(itemStart) + " is cut short");
      const std::size_t length = data[pos];
      pos += 2;
      if (size - pos < length)
        return Refuse(error, caps, "long item at offset " + std::to_string(itemStart) + " is cut short");
      pos += length;
      continue;
    }
    std::size_t length = prefix & 0x3;
    if (length == 3) length = 4;
    if (size - pos < length)
      return Refuse(error, caps, "item at offset " + std::to_string(itemStart) + " is cut short");
    std::uint32_t value = 0;
    for (std::size_t k = 0; k < length; ++k) value |= std::uint32_t{data[pos + k]} << (8 * k);
    pos += length;

    const auto type = static_cast<ItemType>((prefix >> 2) & 0x3);
    const std::uint8_t tag = prefix >> 4;
    switch (type) {
      case MainItem:
        switch (tag) {
          case InputTag:
          case OutputTag:
          case FeatureTag: {
            const int kind = tag == InputTag ? 0 : tag == OutputTag ? 1 : 2;
            std::uint64_t& bits = reportBits[kind][global.ReportId];
            bits += std::uint64_t{global.ReportSize} * global.ReportCount;
            if (bits > MaxReportBits)
              return Refuse(error, caps,
                            "a report is longer than " + std::to_string(HidMaxReportSize) + " bytes");
            break;
          }
          case CollectionTag:
            if (depth == 0 && !haveTopLevel) {
              haveTopLevel = true;
              caps.Usage = static_cast<std::uint16_t>(haveUsage ? usage : 0);
              caps.UsagePage = static_cast<std::uint16_t>(usageHasPage ? usagePage : global.UsagePage);
            }
            ++depth;
            break;
          case EndCollectionTag:
            if (depth == 0)
              return Refuse(error, caps,
                            "End Collection without Collection at offset " + std::to_string(itemStart));
            --depth;
            break;
          default:
            break;
        }
        // Local items apply to the main item that follows them only.
        haveUsage = false;
        usageHasPage = false;
        break;
      case GlobalItem:
        switch (tag) {
          case UsagePageTag:
            global.UsagePage = value & 0xFFFF;
            break;
          case ReportSizeTag:
            if (value > MaxReportSizeBits)
              return Refuse(error, caps, "report size " + std::to_string(value) + " is too large");
            global.ReportSize = value;
            break;
          case ReportIdTag:
            if (value == 0 || value > 0xFF)
              return Refuse(error, caps, "invalid report ID " + std::to_string(value));
            global.ReportId = value;
            usesIds = true;
            break;
          case ReportCountTag:
            if (value > MaxReportBits)
              return Refuse(error, caps, "report count " + std::to_string(value) + " is too large");
            global.ReportCount = value;
            break;
          case PushTag:
            if (pushed.size() >= MaxPushDepth) return Refuse(error, caps, "Push nested too deep");
            pushed.push_back(global);
            break;
          case PopTag:
            if (pushed.empty())
              return Refuse(error, caps, "Pop without Push at offset " + std::to_string(itemStart));
            global = pushed.back();
            pushed.pop_back();
            break;
          default:
            break;
        }
        break;
      case LocalItem:
        if (tag == UsageTag && !haveUsage) {
          haveUsage = true;
          usage = value & 0xFFFF;
          // A four-byte usage carries its own usage page in the high word.
          usageHasPage = length == 4;
          usagePage = value >> 16;
        }
        break;
      case ReservedItem:
        return Refuse(error, caps, "reserved item type at offset " + std::to_string(itemStart));
    }
  }
  if (depth != 0) return Refuse(error, caps, "a collection is not closed");

  caps.InputReportByteLength = LengthWithId(reportBits[0]);
  caps.OutputReportByteLength = LengthWithId(reportBits[1]);
  caps.FeatureReportByteLength = LengthWithId(reportBits[2]);
  caps.UsesReportIds = usesIds;
  if (caps.InputReportByteLength == 0 && caps.OutputReportByteLength == 0 &&
      caps.FeatureReportByteLength == 0)
    return Refuse(error, caps, "the descriptor declares no report");
  return true;
}
