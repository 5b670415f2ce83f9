#include "model/PresetFile.h"

#include "model/FileIo.h"
#include "model/LUnitControl.h"

#include <algorithm>

FileStatus ParsePresetFile(std::span<const std::uint8_t> file, PresetFileBody& body) {
  if (file.size() != PresetFileSize) return FileStatus::BadFile;
  if (!std::equal(PresetFileMagic.begin(), PresetFileMagic.end(), file.begin(),
                  [](char m, std::uint8_t b) { return static_cast<std::uint8_t>(m) == b; }))
    return FileStatus::BadFile;
  std::copy(file.begin() + static_cast<std::ptrdiff_t>(PresetFileMagic.size()), file.end(), body.begin());
  return FileStatus::Ok;
}

FileStatus ReadPresetFile(const std::string& path, PresetFileBody& body) {
  ByteVector bytes;
  // One byte more than a preset file holds tells an oversize file apart.
  const FileStatus read = ReadFileHead(path, PresetFileSize + 1, bytes);
  if (read != FileStatus::Ok) return read;
  return ParsePresetFile(bytes, body);
}

ByteVector BuildPresetFile(const LUnitControl& unit) {
  ByteVector file = unit.SerializePreset();
  file.push_back('\r');
  file.push_back('\n');
  return file;
}

FileStatus WritePresetFile(const std::string& path, const LUnitControl& unit) {
  return WriteFileReplacing(path, BuildPresetFile(unit));
}
