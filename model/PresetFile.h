#pragma once
// The preset file (.prs): the file magic, PresetStream positions 0..1259 and
// CR LF, 1278 bytes in all. A file of any other size or with another magic is
// refused and changes nothing.

#include "link/LCmd.h"
#include "model/FileStatus.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

class LUnitControl;

inline constexpr std::string_view PresetFileMagic = "****TAVOV013****";
inline constexpr std::size_t PresetFileSize = 1278;
inline constexpr std::size_t PresetFileBodySize = PresetFileSize - 16;  // stream and CR LF
using PresetFileBody = std::array<std::uint8_t, PresetFileBodySize>;
inline constexpr std::string_view PresetFileExtension = ".prs";

// Checks size and magic; on success body holds the bytes after the magic.
// On failure body is untouched.
FileStatus ParsePresetFile(std::span<const std::uint8_t> file, PresetFileBody& body);
FileStatus ReadPresetFile(const std::string& path, PresetFileBody& body);

// The whole file of the model's current set.
ByteVector BuildPresetFile(const LUnitControl& unit);
FileStatus WritePresetFile(const std::string& path, const LUnitControl& unit);
