#include "model/LUnitControl.h"
#include "model/UnitFile.h"

#include "ModelTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

namespace {

using Bytes = std::vector<std::uint8_t>;
namespace fs = std::filesystem;

Bytes Magic() {
  const char* m = "****TAVOV013****";
  return Bytes(m, m + 16);
}

// Reads a stored preset into a slot the way the device sends it: 26 packets,
// the stream's first byte 0xFF.
Bytes ReadSlot(LUnitControl& unit, int slot, std::mt19937& rng) {
  Bytes staged = RandomBytes(rng, 1276);
  staged[0] = 0xFF;
  for (std::size_t k = 0; k < 26; ++k) {
    Bytes p{static_cast<std::uint8_t>(k)};
    const std::size_t end = std::min<std::size_t>(staged.size(), (k + 1) * 50);
    p.insert(p.end(), staged.begin() + static_cast<std::ptrdiff_t>(k * 50),
             staged.begin() + static_cast<std::ptrdiff_t>(end));
    unit.StoreSlotPacket(slot, p);
  }
  return staged;
}

// A unit whose slots 3 and 7 are stored.
struct UploadedUnit {
  UploadedUnit() {
    std::mt19937 rng(21);
    Bytes flags(21, 0);
    flags[2] = flags[6] = 0xFF;
    unit.SetStoredFlags(flags);
    info = RandomBytes(rng, 19);
    unit.SetDeviceInfo(info);
    slot3 = ReadSlot(unit, 3, rng);
    slot7 = ReadSlot(unit, 7, rng);
    ReadSlot(unit, 9, rng);  // read but not flagged: written as empty
  }
  RecordingOwner owner;
  LUnitControl unit{&owner};
  Bytes info, slot3, slot7;
};

TEST(UnitFile, UploadWritesStoredSlotsAndEmptyRecords) {
  UploadedUnit up;
  const Bytes file = BuildUnitFile(up.unit);
  ASSERT_EQ(file.size(), 26789u);
  EXPECT_EQ(Bytes(file.begin(), file.begin() + 16), Magic());
  EXPECT_EQ(Bytes(file.begin() + 16, file.begin() + 35), up.info);
  for (int i = 0; i < 21; ++i) {
    SCOPED_TRACE(i);
    const auto record = file.begin() + 35 + 1274 * i;
    EXPECT_EQ(record[1272], '\r');
    EXPECT_EQ(record[1273], '\n');
    if (i == 2 || i == 6) {
      const Bytes& staged = i == 2 ? up.slot3 : up.slot7;
      EXPECT_EQ(record[0], i + 1);
      EXPECT_EQ(record[1], 0xFF);
      EXPECT_TRUE(std::equal(record + 1, record + 1272, staged.begin()));
    } else {
      EXPECT_TRUE(std::all_of(record, record + 1272, [](std::uint8_t b) { return b == 0x64; }));
    }
  }
}

TEST(UnitFile, SaveAsksForANameAndWritesThroughATemporaryFile) {
  UploadedUnit up;
  TempFolder folder;
  up.owner.UnitFileAnswer = folder.File("rack.UNT");
  EXPECT_EQ(up.unit.SaveUnitFile(), FileStatus::Ok);
  EXPECT_EQ(ReadAll(folder.File("rack.unt")), BuildUnitFile(up.unit));

  up.owner.UnitFileAnswer.reset();
  EXPECT_EQ(up.unit.SaveUnitFile(), FileStatus::Cancelled);
  WriteAll(folder.File("blocker"), Bytes{1});
  up.owner.UnitFileAnswer = folder.File("blocker/inner");
  EXPECT_EQ(up.unit.SaveUnitFile(), FileStatus::WriteFailed);
  EXPECT_EQ(up.owner.UnitDialogRuns, 3);
  EXPECT_EQ(ReadAll(folder.File("rack.unt")), BuildUnitFile(up.unit));
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path), fs::directory_iterator()), 2);
}

TEST(UnitFile, SaveIntoAFolderNamedLikeTheExtensionStaysInThatFolder) {
  UploadedUnit up;
  TempFolder folder;
  const Bytes other{7, 7, 7};
  WriteAll(folder.File("gigs.unt"), other);
  for (const char* sub : {"gigs.unt-archive", "GIGS.UNT.old"}) {
    SCOPED_TRACE(sub);
    fs::create_directory(folder.File(sub));
    up.owner.UnitFileAnswer = folder.File(std::string(sub) + "/friday");
    ASSERT_EQ(up.unit.SaveUnitFile(), FileStatus::Ok);
    EXPECT_EQ(ReadAll(folder.File(std::string(sub) + "/friday.unt")), BuildUnitFile(up.unit));
  }
  EXPECT_EQ(ReadAll(folder.File("gigs.unt")), other) << "the file beside the folders is left alone";
  EXPECT_FALSE(fs::exists(folder.File("GIGS.unt")));
}

TEST(UnitFile, WrittenFileReadsBackIntoTheDownloadImage) {
  UploadedUnit up;
  TempFolder folder;
  ASSERT_EQ(WriteUnitFile(folder.File("u.unt"), up.unit), FileStatus::Ok);
  const Bytes file = ReadAll(folder.File("u.unt"));
  UnitFileImage image;
  ASSERT_EQ(ReadUnitFile(folder.File("u.unt"), image), FileStatus::Ok);
  EXPECT_TRUE(std::equal(image.Info.begin(), image.Info.end(), up.info.begin()));
  for (int r = 0; r < 21; ++r)
    EXPECT_TRUE(std::equal(image.Entries[r].begin(), image.Entries[r].end(), file.begin() + 35 + 1274 * r))
        << r;
  EXPECT_TRUE(
      std::all_of(image.Entries[21].begin(), image.Entries[21].end(), [](std::uint8_t b) { return b == 0; }));
  EXPECT_EQ(CountStoredEntries(image), 2);
  EXPECT_TRUE(IsStoredEntry(image.Entries[2]));
  EXPECT_FALSE(IsStoredEntry(image.Entries[0]));
}

TEST(UnitFile, SizeLimitsAndMagic) {
  Bytes base = Magic();
  std::mt19937 rng(5);
  const Bytes rest = RandomBytes(rng, 28063 + 3000 - 16);
  base.insert(base.end(), rest.begin(), rest.end());
  const auto prefix = [&](std::size_t n) {
    return Bytes(base.begin(), base.begin() + static_cast<std::ptrdiff_t>(n));
  };

  UnitFileImage untouched;
  untouched.Info.fill(0xAB);
  for (auto& e : untouched.Entries) e.fill(0xAB);
  Bytes wrongMagic = prefix(26789);
  wrongMagic[15] = '-';
  for (const Bytes& bad : {prefix(0), prefix(35), prefix(26746), wrongMagic}) {
    UnitFileImage image = untouched;
    EXPECT_EQ(ParseUnitFile(bad, image), FileStatus::BadFile) << bad.size();
    EXPECT_EQ(image.Info, untouched.Info);
    EXPECT_EQ(image.Entries, untouched.Entries);
  }

  // The smallest accepted file cuts its last record: the missing bytes are 0.
  UnitFileImage image = untouched;
  ASSERT_EQ(ParseUnitFile(prefix(26747), image), FileStatus::Ok);
  const std::size_t lastStart = 35 + 1274 * 20;
  const std::size_t supplied = 26747 - lastStart;  // 1232
  EXPECT_TRUE(
      std::equal(image.Entries[20].begin(), image.Entries[20].begin() + supplied, base.begin() + lastStart));
  EXPECT_TRUE(std::all_of(image.Entries[20].begin() + supplied, image.Entries[20].end(),
                          [](auto b) { return b == 0; }));
  EXPECT_TRUE(std::all_of(image.Entries[21].begin(), image.Entries[21].end(), [](auto b) { return b == 0; }));

  // A record whose second byte is missing is zero, so it is no stored entry.
  Bytes oneByte = prefix(35 + 1274 * 21 + 1);
  oneByte.back() = 0x16;
  ASSERT_EQ(ParseUnitFile(oneByte, image), FileStatus::Ok);
  EXPECT_EQ(image.Entries[21][0], 0x16);
  EXPECT_FALSE(IsStoredEntry(image.Entries[21]));

  // Longer files: 22 records fill the image, the rest is not read.
  ASSERT_EQ(ParseUnitFile(base, image), FileStatus::Ok);
  EXPECT_TRUE(std::equal(image.Entries[21].begin(), image.Entries[21].end(), base.begin() + 35 + 1274 * 21));

  TempFolder folder;
  WriteAll(folder.File("big.unt"), base);
  UnitFileImage fromDisk;
  ASSERT_EQ(ReadUnitFile(folder.File("big.unt"), fromDisk), FileStatus::Ok);
  EXPECT_EQ(fromDisk.Entries, image.Entries);
  EXPECT_EQ(ReadUnitFile(folder.File("none.unt"), fromDisk), FileStatus::CannotRead);
}

TEST(UnitFile, DownloadBlocksCarryEntryBytesOneTo1262) {
  UnitImageEntry entry{};
  for (std::size_t i = 0; i < entry.size(); ++i) entry[i] = static_cast<std::uint8_t>(i * 7);
  entry[0] = 5;  // slot number 5

  Bytes all;
  for (int k = 0; k < 26; ++k) {
    const ByteVector data = DownloadBlockData(entry, k);
    EXPECT_EQ(data.size(), k == 25 ? 12u : 50u) << k;
    all.insert(all.end(), data.begin(), data.end());
  }
  EXPECT_TRUE(std::equal(all.begin(), all.end(), entry.begin() + 1));
  EXPECT_EQ(all.size(), 1262u);
  EXPECT_TRUE(DownloadBlockData(entry, 26).empty());
  EXPECT_TRUE(DownloadBlockData(entry, -1).empty());

  const LCmd first = BuildDownloadBlock(3, entry, 9, 0);
  EXPECT_EQ(first.Code, 0x25);
  EXPECT_EQ(first.DeviceId, 3);
  EXPECT_EQ(first.Payload.at(0), 0);
  EXPECT_EQ(first.Payload.at(1), 4) << "block 0 names the slot by the entry's own number minus 1";
  EXPECT_EQ(first.Payload.size(), 52u);

  const LCmd last = BuildDownloadBlock(3, entry, 4, 25);
  EXPECT_EQ(last.Payload.at(0), 0x19);
  EXPECT_EQ(last.Payload.at(1), 0x04);
  EXPECT_EQ(last.Payload.size(), 14u);
  EXPECT_TRUE(std::equal(last.Payload.begin() + 2, last.Payload.end(), entry.begin() + 1251));
}

}  // namespace
