// Bounded random input for the file readers and the reply decoders: nothing
// may crash or touch memory outside its buffer (the sanitizers watch), and a
// refused file must leave its target untouched.
#include "model/LUnitControl.h"
#include "model/PresetFile.h"
#include "model/UnitFile.h"

#include "ModelTestSupport.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes RandomFile(std::mt19937& rng, std::size_t typical, std::size_t spread) {
  std::uniform_int_distribution<std::size_t> pick(0, 3);
  std::size_t size = 0;
  switch (pick(rng)) {
    case 0:
      size = std::uniform_int_distribution<std::size_t>(0, 64)(rng);
      break;
    case 1:
      size = typical;
      break;
    default:
      size = std::uniform_int_distribution<std::size_t>(typical - spread, typical + spread)(rng);
      break;
  }
  Bytes file = RandomBytes(rng, size);
  if (std::bernoulli_distribution(0.7)(rng)) {
    const char* magic = "****TAVOV013****";
    for (std::size_t i = 0; i < 16 && i < file.size(); ++i) file[i] = static_cast<std::uint8_t>(magic[i]);
  }
  return file;
}

bool HasMagic(const Bytes& file) {
  return file.size() >= 16 && std::equal(file.begin(), file.begin() + 16, "****TAVOV013****");
}

TEST(ModelFuzz, PresetFileParser) {
  std::mt19937 rng(1234);
  for (int i = 0; i < 3000; ++i) {
    const Bytes file = RandomFile(rng, 1278, 4);
    PresetFileBody body;
    body.fill(0x5A);
    const FileStatus status = ParsePresetFile(file, body);
    const bool valid = file.size() == 1278 && HasMagic(file);
    ASSERT_EQ(status, valid ? FileStatus::Ok : FileStatus::BadFile);
    if (!valid) {
      ASSERT_TRUE(std::all_of(body.begin(), body.end(), [](auto b) { return b == 0x5A; }));
    }
    if (valid) {
      RecordingOwner owner;
      LUnitControl unit(&owner);
      ASSERT_TRUE(unit.LoadPresetAndSend(body));
      ASSERT_EQ(owner.Sent.size(), 284u);
    }
  }
}

TEST(ModelFuzz, UnitFileParser) {
  std::mt19937 rng(5678);
  for (int i = 0; i < 300; ++i) {
    const Bytes file = RandomFile(rng, 26789, 1500);
    UnitFileImage image;
    image.Info.fill(0x5A);
    const FileStatus status = ParseUnitFile(file, image);
    const bool valid = file.size() >= 26747 && HasMagic(file);
    ASSERT_EQ(status, valid ? FileStatus::Ok : FileStatus::BadFile);
    if (!valid) {
      ASSERT_EQ(image.Info[0], 0x5A);
    }
    if (valid) {
      ASSERT_LE(CountStoredEntries(image), 21);
      for (const auto& entry : image.Entries)
        for (int k = 0; k < DownloadBlockCount; ++k) BuildDownloadBlock(1, entry, 0, k);
    }
  }
}

TEST(ModelFuzz, FileReadersOnDisk) {
  std::mt19937 rng(91011);
  TempFolder folder;
  for (int i = 0; i < 40; ++i) {
    const Bytes file = RandomFile(rng, i % 2 ? 1278 : 26789, 8);
    WriteAll(folder.File("f"), file);
    PresetFileBody body{};
    UnitFileImage image;
    const FileStatus p = ReadPresetFile(folder.File("f"), body);
    const FileStatus u = ReadUnitFile(folder.File("f"), image);
    ASSERT_EQ(p == FileStatus::Ok, file.size() == 1278 && HasMagic(file));
    ASSERT_EQ(u == FileStatus::Ok, file.size() >= 26747 && HasMagic(file));
  }
}

TEST(ModelFuzz, ReplyDecoders) {
  std::mt19937 rng(4321);
  RecordingOwner owner;
  LUnitControl unit(&owner);
  std::uniform_int_distribution<int> which(0, 8);
  std::uniform_int_distribution<std::size_t> length(0, 80);
  std::uniform_int_distribution<int> slot(-3, 25);
  for (int i = 0; i < 20000; ++i) {
    Bytes payload = RandomBytes(rng, length(rng));
    // Favour packet numbers near the end of a stream.
    if (!payload.empty() && std::bernoulli_distribution(0.5)(rng))
      payload[0] = static_cast<std::uint8_t>(std::uniform_int_distribution<int>(20, 30)(rng));
    switch (which(rng)) {
      case 0:
        unit.StoreStatePacket(payload);
        break;
      case 1:
        unit.StoreSlotPacket(slot(rng), payload);
        break;
      case 2:
        unit.SetStoredFlags(payload);
        break;
      case 3:
        unit.SetStoredPresetName(slot(rng), payload);
        break;
      case 4:
        unit.SetPresetName(payload);
        break;
      case 5:
        unit.SetGroupCtrlRecords(payload);
        break;
      case 6:
        unit.SetDeviceInfo(payload);
        break;
      case 7:
        unit.LoadPresetAndSend(payload);
        break;
      default:
        unit.CopyChannel(slot(rng), slot(rng));
        break;
    }
  }
  // Whatever arrived, the set still serialises and every channel reads.
  EXPECT_EQ(unit.SerializePreset().size(), 1276u);
  EXPECT_EQ(BuildUnitFile(unit).size(), 26789u);
  for (int ch = -2; ch < 22; ++ch) {
    unit.GetChannelName(ch);
    for (int band = -1; band < 9; ++band) unit.GetPeqBand(ch, band);
    unit.GetPassFilters(ch);
    unit.LinkMaskOf(ch);
  }
}

}  // namespace
