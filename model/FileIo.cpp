#include "model/FileIo.h"

#include "platform/sys/FileReplace.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class Fd {
 public:
  explicit Fd(int fd) : Value(fd) {}
  ~Fd() { Close(); }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int Get() const { return Value; }
  bool Close() {
    if (Value < 0) return true;
    const int fd = Value;
    Value = -1;
    return ::close(fd) == 0;
  }

 private:
  int Value;
};

std::string Upper(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return r;
}

}  // namespace

FileStatus ReadFileHead(const std::string& path, std::size_t limit, ByteVector& out) {
  out.clear();
  // Non-blocking open, then only regular files: a named pipe or a device
  // picked in the file dialog must not hang the window.
  Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (fd.Get() < 0) return FileStatus::CannotRead;
  struct stat st {};
  if (::fstat(fd.Get(), &st) != 0 || !S_ISREG(st.st_mode)) return FileStatus::CannotRead;
  out.resize(limit);
  std::size_t got = 0;
  while (got < limit) {
    const ssize_t n = ::read(fd.Get(), out.data() + got, limit - got);
    if (n < 0) {
      if (errno == EINTR) continue;
      out.clear();
      return FileStatus::CannotRead;
    }
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
  }
  out.resize(got);
  return FileStatus::Ok;
}

FileStatus WriteFileReplacing(const std::string& path, std::span<const std::uint8_t> bytes) {
  const std::string failure =
      sys::ReplaceFile(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  if (failure.empty()) return FileStatus::Ok;
  return failure == sys::ReadOnlyReason ? FileStatus::ReadOnly : FileStatus::WriteFailed;
}

std::string FileNameWithExtension(std::string_view chosen, std::string_view lowerExtension) {
  // Only the last path element is cut: a folder such as "gigs.prs-archive"
  // must not turn the target into a file beside it.
  const std::size_t slash = chosen.rfind('/');
  const std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
  const std::string_view fileName = chosen.substr(nameStart);
  const std::string upperExtension = Upper(lowerExtension);
  std::size_t cut = fileName.find(lowerExtension);
  const std::size_t upper = fileName.find(upperExtension);
  if (upper < cut) cut = upper;
  std::string name(chosen.substr(0, nameStart + std::min(cut, fileName.size())));
  name += lowerExtension;
  return name;
}
