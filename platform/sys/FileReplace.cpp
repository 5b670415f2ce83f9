#include "platform/sys/FileReplace.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
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

// One name per process and target: ".name.<pid>.tmp".
std::string TemporaryName(const std::string& folder, const std::string& base) {
  return folder + "/." + base + "." + std::to_string(::getpid()) + ".tmp";
}

// Temporary names of this target left by processes that have ended.
void RemoveStaleTemporaries(const std::string& folder, const std::string& base) {
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return;
  const std::string head = "." + base + ".";
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name.size() <= head.size() + 4 || name.compare(0, head.size(), head) != 0 ||
        name.compare(name.size() - 4, 4, ".tmp") != 0)
      continue;
    const std::string digits = name.substr(head.size(), name.size() - head.size() - 4);
    if (digits.empty() || digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos) continue;
    const pid_t pid = static_cast<pid_t>(std::stol(digits));
    if (pid == ::getpid() || ::kill(pid, 0) == 0 || errno != ESRCH) continue;
    ::unlink((folder + "/" + name).c_str());
  }
  ::closedir(dir);
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
  if (path.empty() || path.back() == '/') return "no file name";
  const std::string target = Target(path);
  struct stat old {};
  const bool exists = ::stat(target.c_str(), &old) == 0;
  if (exists && !S_ISREG(old.st_mode)) return "not a regular file";
  if (exists && ((old.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0))
    return std::string(ReadOnlyReason);
  const std::string folder = FolderOf(target);
  const std::string base = BaseOf(target);
  RemoveStaleTemporaries(folder, base);

  // Unnamed until it is complete; a kill before then leaves nothing.
  std::string temp;
  int fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
  const bool unnamed = fd >= 0;
  if (!unnamed) {
    temp = TemporaryName(folder, base);
    ::unlink(temp.c_str());
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return Reason("cannot create the temporary file");
  }

  std::string failure;
  if (exists) ::fchmod(fd, old.st_mode & 07777);
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
  if (failure.empty() && unnamed) {
    temp = TemporaryName(folder, base);
    ::unlink(temp.c_str());
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, temp.c_str(), AT_SYMLINK_FOLLOW) != 0) {
      temp.clear();
      failure = Reason("cannot name the new file");
    }
  }
  if (::close(fd) != 0 && failure.empty()) failure = Reason("cannot write");
  if (failure.empty() && ::rename(temp.c_str(), target.c_str()) != 0) failure = Reason("cannot replace the file");
  if (!failure.empty() && !temp.empty()) ::unlink(temp.c_str());
  return failure;
}

}  // namespace sys
