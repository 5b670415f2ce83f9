#pragma once
// Whole small files (settings) read and replaced safely.

#include <string>
#include <string_view>

namespace sys {

// The whole file into out; false (out empty) when it is missing, is not a
// regular file (a named pipe must not hang the reader) or cannot be read.
bool ReadRegularFile(const std::string& path, std::string& out);

// The one writer of the program's files (presets, units, settings). Writes
// the bytes to an unnamed file in the target's folder and puts it in place
// of the target only once every byte is on disk: a failure, or a process
// killed while writing, leaves the old file as it was and no file behind
// (where the file system has no unnamed files, a per-process name is used,
// and names of ended processes are removed by the next save). A read-only
// target is refused and left unchanged; an existing file keeps its
// permissions; a symbolic link is followed and stays a link. Returns the
// reason for a failure, empty on success.
std::string ReplaceFile(const std::string& path, std::string_view bytes);

// The reason ReplaceFile gives for a read-only target.
inline constexpr std::string_view ReadOnlyReason = "the file is read-only";

}  // namespace sys
