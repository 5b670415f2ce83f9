#pragma once
// Whole small files (settings) read and replaced safely.

#include <string>
#include <string_view>

namespace sys {

// The whole file into out; false (out empty) when it is missing, is not a
// regular file (a named pipe must not hang the reader) or cannot be read.
bool ReadRegularFile(const std::string& path, std::string& out);

// Writes the bytes to a new file beside the target and renames it over the
// target only once every byte is on disk: a failure leaves the old file as
// it was. An existing file keeps its permissions; a link is followed to the
// file it names. Returns the reason for a failure, empty on success.
std::string ReplaceFile(const std::string& path, std::string_view bytes);

}  // namespace sys
