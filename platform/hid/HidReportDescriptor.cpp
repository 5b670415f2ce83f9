#include "platform/hid/HidReportDescriptor.h"

#include <map>
#include <string>
#include <utility>
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

// One short item: where it starts, what it is and its little-endian data.
struct Item {
  std::size_t start = 0;
  ItemType type = MainItem;
  std::uint8_t tag = 0;
  std::size_t length = 0;
  std::uint32_t value = 0;
};

// Walks the descriptor item by item. Every step returns the reason to
// refuse it, or an empty text.
class DescriptorParser {
 public:
  DescriptorParser(const std::uint8_t* data, std::size_t size, HidCaps& caps)
      : FData(data), FSize(size), FCaps(caps) {}

  std::string Run() {
    while (FPos < FSize) {
      Item item;
      std::string why = NextItem(item);
      if (why.empty() && !FSkipped) why = Apply(item);
      if (!why.empty()) return why;
    }
    return Finish();
  }

 private:
  static std::string At(std::size_t offset) { return " at offset " + std::to_string(offset); }

  // Reads the next item; a long item carries vendor data only and is skipped
  // whole (FSkipped set).
  std::string NextItem(Item& item) {
    item.start = FPos;
    const std::uint8_t prefix = FData[FPos++];
    FSkipped = prefix == LongItemPrefix;
    if (FSkipped) {
      if (FSize - FPos < 2) return "long item" + At(item.start) + " is cut short";
      const std::size_t length = FData[FPos];
      FPos += 2;
      if (FSize - FPos < length) return "long item" + At(item.start) + " is cut short";
      FPos += length;
      return {};
    }
    item.length = prefix & 0x3;
    if (item.length == 3) item.length = 4;
    if (FSize - FPos < item.length) return "item" + At(item.start) + " is cut short";
    for (std::size_t k = 0; k < item.length; ++k) item.value |= std::uint32_t{FData[FPos + k]} << (8 * k);
    FPos += item.length;
    item.type = static_cast<ItemType>((prefix >> 2) & 0x3);
    item.tag = prefix >> 4;
    return {};
  }

  std::string Apply(const Item& item) {
    switch (item.type) {
      case MainItem: {
        std::string why = Main(item);
        // Local items apply to the main item that follows them only.
        FHaveUsage = false;
        FUsageHasPage = false;
        return why;
      }
      case GlobalItem:
        return Global(item);
      case LocalItem:
        Local(item);
        return {};
      case ReservedItem:
        break;
    }
    return "reserved item type" + At(item.start);
  }

  std::string Main(const Item& item) {
    switch (item.tag) {
      case InputTag:
      case OutputTag:
      case FeatureTag: {
        const int kind = item.tag == InputTag ? 0 : item.tag == OutputTag ? 1 : 2;
        std::uint64_t& bits = FReportBits[kind][FGlobal.ReportId];
        bits += std::uint64_t{FGlobal.ReportSize} * FGlobal.ReportCount;
        if (bits > MaxReportBits)
          return "a report is longer than " + std::to_string(HidMaxReportSize) + " bytes";
        return {};
      }
      case CollectionTag:
        if (FDepth == 0 && !FHaveTopLevel) {
          FHaveTopLevel = true;
          FCaps.Usage = static_cast<std::uint16_t>(FHaveUsage ? FUsage : 0);
          FCaps.UsagePage = static_cast<std::uint16_t>(FUsageHasPage ? FUsagePage : FGlobal.UsagePage);
        }
        ++FDepth;
        return {};
      case EndCollectionTag:
        if (FDepth == 0) return "End Collection without Collection" + At(item.start);
        --FDepth;
        return {};
      default:
        return {};
    }
  }

  std::string Global(const Item& item) {
    const std::uint32_t value = item.value;
    switch (item.tag) {
      case UsagePageTag:
        FGlobal.UsagePage = value & 0xFFFF;
        break;
      case ReportSizeTag:
        if (value > MaxReportSizeBits) return "report size " + std::to_string(value) + " is too large";
        FGlobal.ReportSize = value;
        break;
      case ReportIdTag:
        if (value == 0 || value > 0xFF) return "invalid report ID " + std::to_string(value);
        FGlobal.ReportId = value;
        FUsesIds = true;
        break;
      case ReportCountTag:
        if (value > MaxReportBits) return "report count " + std::to_string(value) + " is too large";
        FGlobal.ReportCount = value;
        break;
      case PushTag:
        if (FPushed.size() >= MaxPushDepth) return "Push nested too deep";
        FPushed.push_back(FGlobal);
        break;
      case PopTag:
        if (FPushed.empty()) return "Pop without Push" + At(item.start);
        FGlobal = FPushed.back();
        FPushed.pop_back();
        break;
      default:
        break;
    }
    return {};
  }

  void Local(const Item& item) {
    if (item.tag != UsageTag || FHaveUsage) return;
    FHaveUsage = true;
    FUsage = item.value & 0xFFFF;
    // A four-byte usage carries its own usage page in the high word.
    FUsageHasPage = item.length == 4;
    FUsagePage = item.value >> 16;
  }

  std::string Finish() {
    if (FDepth != 0) return "a collection is not closed";
    FCaps.InputReportByteLength = LengthWithId(FReportBits[0]);
    FCaps.OutputReportByteLength = LengthWithId(FReportBits[1]);
    FCaps.FeatureReportByteLength = LengthWithId(FReportBits[2]);
    FCaps.UsesReportIds = FUsesIds;
    if (FCaps.InputReportByteLength == 0 && FCaps.OutputReportByteLength == 0 &&
        FCaps.FeatureReportByteLength == 0)
      return "the descriptor declares no report";
    return {};
  }

  const std::uint8_t* FData;
  std::size_t FSize;
  HidCaps& FCaps;
  std::size_t FPos = 0;
  bool FSkipped = false;

  std::map<std::uint32_t, std::uint64_t> FReportBits[3];  // input, output, feature by report ID
  GlobalState FGlobal;
  std::vector<GlobalState> FPushed;
  bool FHaveUsage = false;
  std::uint32_t FUsage = 0;
  std::uint32_t FUsagePage = 0;
  bool FUsageHasPage = false;
  bool FHaveTopLevel = false;
  bool FUsesIds = false;
  std::size_t FDepth = 0;
};

}  // namespace

bool ParseHidReportDescriptor(const std::uint8_t* data, std::size_t size, HidCaps& caps, std::string* error) {
  caps = HidCaps{};
  if (!data || size == 0) return Refuse(error, caps, "empty report descriptor");
  std::string why = DescriptorParser(data, size, caps).Run();
  if (!why.empty()) return Refuse(error, caps, std::move(why));
  return true;
}
