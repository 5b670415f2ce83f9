#pragma once
// Whole-file reads and writes of the preset and unit files, as bytes.

#include "link/LCmd.h"
#include "model/FileStatus.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// Reads at most limit bytes from the start of the file into out.
FileStatus ReadFileHead(const std::string& path, std::size_t limit, ByteVector& out);

// Replaces the file through the program's one file writer (sys::ReplaceFile):
// a failed or killed save leaves an existing file as it was; a read-only
// file is refused (ReadOnly) and left unchanged.
FileStatus WriteFileReplacing(const std::string& path, std::span<const std::uint8_t> bytes);

// The file name for a chosen name: its characters up to the first occurrence
// of the extension written all in lower or all in upper case, then the
// extension in lower case (".prs": "a" and "a.PRS" give "a.prs", "a.Prs"
// gives "a.Prs.prs"). Only the file name is looked at, never its folders.
std::string FileNameWithExtension(std::string_view chosen, std::string_view lowerExtension);
