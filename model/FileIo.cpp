#include "model/FileIo.h"

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

bool WriteAll(int fd, std::span<const std::uint8_t> bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string BaseOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

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
  if (path.empty() || path.back() == '/') return FileStatus::WriteFailed;
  static std::atomic<unsigned> counter{0};
  const std::string prefix = FolderOf(path) + "/." + BaseOf(path) + ".tmp" + std::to_string(::getpid()) + ".";

  std::string temp;
  int raw = -1;
  for (int attempt = 0; attempt < 100 && raw < 0; ++attempt) {
    temp = prefix + std::to_string(counter.fetch_add(1));
    raw = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (raw < 0 && errno != EEXIST) return FileStatus::WriteFailed;
  }
  if (raw < 0) return FileStatus::WriteFailed;

  Fd fd(raw);
  const bool written = WriteAll(fd.Get(), bytes) && ::fsync(fd.Get()) == 0;
  const bool closed = fd.Close();
  if (!written || !closed || ::rename(temp.c_str(), path.c_str()) != 0) {
    ::unlink(temp.c_str());
    return FileStatus::WriteFailed;
  }
  return FileStatus::Ok;
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
