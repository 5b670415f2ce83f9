#include "model/UnitFile.h"

#include "model/FileIo.h"
#include "model/LUnitControl.h"
#include "model/PresetFile.h"
#include "model/UnitOwner.h"

#include <algorithm>
#include <optional>

namespace {
constexpr std::uint8_t StoredMark = 0xFF;
constexpr std::size_t BlockData = 50;
constexpr std::size_t LastBlockData = 12;
// Records past the 22nd find no room in the image, so no byte beyond this is read.
constexpr std::size_t UnitFileReadLimit = UnitFileHeaderSize + UnitImageEntries * UnitRecordSize;
}  // namespace

FileStatus ParseUnitFile(std::span<const std::uint8_t> file, UnitFileImage& image) {
  if (file.size() < UnitFileMinSize) return FileStatus::BadFile;
  if (!std::equal(PresetFileMagic.begin(), PresetFileMagic.end(), file.begin(),
                  [](char m, std::uint8_t b) { return static_cast<std::uint8_t>(m) == b; }))
    return FileStatus::BadFile;

  UnitFileImage loaded;  // zeroed: bytes the file does not supply stay 0
  std::copy_n(file.begin() + 16, DeviceInfoSize, loaded.Info.begin());
  for (std::size_t r = 0; r < loaded.Entries.size(); ++r) {
    const std::size_t start = UnitFileHeaderSize + r * UnitRecordSize;
    if (start >= file.size()) break;
    const std::size_t count = std::min(UnitEntrySize, file.size() - start);
    std::copy_n(file.begin() + static_cast<std::ptrdiff_t>(start), count, loaded.Entries[r].begin());
  }
  image = loaded;
  return FileStatus::Ok;
}

FileStatus ReadUnitFile(const std::string& path, UnitFileImage& image) {
  ByteVector bytes;
  const FileStatus read = ReadFileHead(path, UnitFileReadLimit, bytes);
  if (read != FileStatus::Ok) return read;
  return ParseUnitFile(bytes, image);
}

ByteVector BuildUnitFile(const LUnitControl& unit) {
  ByteVector file;
  file.reserve(UnitFileSize);
  file.insert(file.end(), PresetFileMagic.begin(), PresetFileMagic.end());
  const DeviceInfoBlock& info = unit.GetDeviceInfo();
  file.insert(file.end(), info.begin(), info.end());
  for (int i = 0; i < StoredSlotCount; ++i) {
    const StoredSlot* slot = unit.GetStoredSlot(i + 1);
    if (unit.IsPresetStored(i) && slot != nullptr)
      file.insert(file.end(), slot->begin(), slot->begin() + UnitEntrySize);
    else
      file.insert(file.end(), UnitEntrySize, UnitEmptyFill);
    file.push_back('\r');
    file.push_back('\n');
  }
  return file;
}

FileStatus WriteUnitFile(const std::string& path, const LUnitControl& unit) {
  return WriteFileReplacing(path, BuildUnitFile(unit));
}

bool IsStoredEntry(const UnitImageEntry& entry) {
  return entry[1] == StoredMark;
}

int CountStoredEntries(const UnitFileImage& image) {
  return static_cast<int>(std::count_if(image.Entries.begin(), image.Entries.begin() + StoredSlotCount,
                                        [](const UnitImageEntry& e) { return IsStoredEntry(e); }));
}

ByteVector DownloadBlockData(const UnitImageEntry& entry, int block) {
  if (block < 0 || block >= DownloadBlockCount) return {};
  const std::size_t first = 1 + BlockData * static_cast<std::size_t>(block);
  const std::size_t count = block == DownloadBlockCount - 1 ? LastBlockData : BlockData;
  return ByteVector(entry.begin() + static_cast<std::ptrdiff_t>(first),
                    entry.begin() + static_cast<std::ptrdiff_t>(first + count));
}

LCmd BuildDownloadBlock(std::uint8_t deviceId, const UnitImageEntry& entry, int entryIndex, int block) {
  const ByteVector data = DownloadBlockData(entry, block);
  const std::uint8_t record =
      block == 0 ? static_cast<std::uint8_t>(entry[0] - 1) : static_cast<std::uint8_t>(entryIndex);
  return CM_MCS_DOWNLOAD(deviceId, record, static_cast<std::uint8_t>(block),
                         static_cast<std::uint8_t>(data.size()), data);
}

FileStatus LUnitControl::SaveUnitFile() {
  if (FOwner == nullptr) return FileStatus::Cancelled;
  const std::optional<std::string> chosen = FOwner->AskUnitFileName();
  if (!chosen || chosen->empty()) return FileStatus::Cancelled;
  return WriteUnitFile(FileNameWithExtension(*chosen, UnitFileExtension), *this);
}
