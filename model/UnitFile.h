#pragma once
// The unit file (.unt): the file magic, the 19-byte device-info block, then
// one 1274-byte record per preset slot 1..21: the slot number, the first 1271
// bytes of the slot's stream as the device sent it, CR LF (an empty slot is
// 1272 bytes of 0x64 and CR LF).
//
// A download accepts a file that begins with the magic and is at least 26747
// bytes long. Its records are loaded into a zeroed image of 22 entries:
// bytes the file does not supply stay 0, and records past the 22nd are not read.

#include "link/LCmd.h"
#include "model/DeviceInfoBlock.h"
#include "model/FileStatus.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

class LUnitControl;

inline constexpr std::size_t UnitRecordSize = 1274;
inline constexpr std::size_t UnitEntrySize = 1272;
inline constexpr std::size_t UnitFileHeaderSize = 16 + DeviceInfoSize;
inline constexpr std::size_t UnitFileSize = UnitFileHeaderSize + StoredSlotCount * UnitRecordSize;    // 26789
inline constexpr std::size_t UnitFileMinSize = UnitFileHeaderSize + StoredSlotCount * UnitEntrySize;  // 26747
inline constexpr int UnitImageEntries = 22;
inline constexpr std::uint8_t UnitEmptyFill = 0x64;
inline constexpr std::string_view UnitFileExtension = ".unt";

using UnitImageEntry = std::array<std::uint8_t, UnitEntrySize>;

// What a download sends: the file's device-info block and its entries.
struct UnitFileImage {
  DeviceInfoBlock Info{};
  std::array<UnitImageEntry, UnitImageEntries> Entries{};
};

// On failure image is untouched.
FileStatus ParseUnitFile(std::span<const std::uint8_t> file, UnitFileImage& image);
FileStatus ReadUnitFile(const std::string& path, UnitFileImage& image);

// The whole file of the model's device-info block and stored slots.
ByteVector BuildUnitFile(const LUnitControl& unit);
FileStatus WriteUnitFile(const std::string& path, const LUnitControl& unit);

// Download of the entries: an entry whose byte 1 is 0xFF holds a stored
// preset and goes out as 26 blocks, 25 of 50 bytes and one of 12 (entry
// bytes 1..1262).
inline constexpr int DownloadBlockCount = 26;
bool IsStoredEntry(const UnitImageEntry& entry);
// Stored entries among the 21 slots (the progress maximum of a download).
int CountStoredEntries(const UnitFileImage& image);
// The data of one block; empty for a block outside 0..25.
ByteVector DownloadBlockData(const UnitImageEntry& entry, int block);
// The block command of entry entryIndex: block 0 names the slot by the
// entry's own byte 0 minus 1, the later blocks by the entry index.
LCmd BuildDownloadBlock(std::uint8_t deviceId, const UnitImageEntry& entry, int entryIndex, int block);
