#include "platform/sys/FileReplace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace sys {

namespace {

std::string Reason(const char* step) {
  return std::string(step) + ": " + std::strerror(errno);
}

// The file a path finally names, so that replacing it keeps a link a link.
std::string Target(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
  char* resolved = ::realpath(path.c_str(), nullptr);
  if (!resolved) return path;
  std::string r(resolved);
  std::free(resolved);
  return r;
}

}  // namespace

bool ReadRegularFile(const std::string& path, std::string& out) {
  out.clear();
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return false;
  struct stat st {};
  bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  char buf[8192];
  while (ok) {
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ok = n == 0;
      break;
    }
    out.append(buf, static_cast<size_t>(n));
  }
  ::close(fd);
  if (!ok) out.clear();
  return ok;
}

std::string ReplaceFile(const std::string& path, std::string_view bytes) {
  if (path.empty()) return "no file name";
  const std::string target = Target(path);
  static std::atomic<unsigned> serial{0};
  std::string temp;
  int fd = -1;
  for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
    temp = target + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(serial++);
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0 && errno != EEXIST) return Reason("cannot create the temporary file");
  }
  if (fd < 0) return Reason("cannot create the temporary file");

  std::string failure;
  struct stat old {};
  if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) ::fchmod(fd, old.st_mode & 07777);
  for (size_t done = 0; failure.empty() && done < bytes.size();) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = EIO;
      failure = Reason("cannot write");
    } else {
      done += static_cast<size_t>(n);
    }
  }
  if (failure.empty() && ::fsync(fd) != 0) failure = Reason("cannot write");
  if (::close(fd) != 0 && failure.empty()) failure = Reason("cannot write");
  if (failure.empty() && ::rename(temp.c_str(), target.c_str()) != 0)
    failure = Reason("cannot replace the file");
  if (!failure.empty()) ::unlink(temp.c_str());
  return failure;
}

}  // namespace sys
