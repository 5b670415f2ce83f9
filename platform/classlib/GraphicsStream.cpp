#include "platform/classlib/GraphicsStream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>

namespace {

std::string ErrnoText() {
  return std::strerror(errno);
}

}  // namespace

// ---------------------------------------------------------------- TStream

std::int64_t TStream::GetSize() {
  const std::int64_t pos = Seek(0, soCurrent);
  const std::int64_t size = Seek(0, soEnd);
  Seek(pos, soBeginning);
  return size;
}

void TStream::SetSize(std::int64_t) {
  throw EStreamError("Stream size cannot be changed");
}

void TStream::ReadBuffer(void* buffer, std::int64_t count) {
  if (count > 0 && Read(buffer, count) != count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, std::int64_t count) {
  if (count > 0 && Write(buffer, count) != count) throw EWriteError("Stream write error");
}

std::int64_t TStream::CopyFrom(TStream* source, std::int64_t count) {
  if (!source) return 0;
  if (count == 0) {
    source->SetPosition(0);
    count = source->GetSize();
  }
  std::vector<std::uint8_t> chunk(64 * 1024);
  std::int64_t left = count;
  while (left > 0) {
    const std::int64_t n = std::min<std::int64_t>(left, static_cast<std::int64_t>(chunk.size()));
    source->ReadBuffer(chunk.data(), n);
    WriteBuffer(chunk.data(), n);
    left -= n;
  }
  return count;
}

std::vector<std::uint8_t> TStream::ReadRemaining() {
  const std::int64_t pos = GetPosition();
  const std::int64_t size = GetSize();
  std::vector<std::uint8_t> out(static_cast<std::size_t>(std::max<std::int64_t>(0, size - pos)));
  if (!out.empty()) ReadBuffer(out.data(), static_cast<std::int64_t>(out.size()));
  return out;
}

// ---------------------------------------------------------------- TMemoryStream

std::int64_t TMemoryStream::Read(void* buffer, std::int64_t count) {
  const std::int64_t size = GetSize();
  if (count <= 0 || FPos >= size) return 0;
  const std::int64_t n = std::min(count, size - FPos);
  std::memcpy(buffer, FData.data() + FPos, static_cast<std::size_t>(n));
  FPos += n;
  return n;
}

std::int64_t TMemoryStream::Write(const void* buffer, std::int64_t count) {
  if (count <= 0) return 0;
  const std::int64_t end = FPos + count;
  if (end > GetSize()) FData.resize(static_cast<std::size_t>(end));
  std::memcpy(FData.data() + FPos, buffer, static_cast<std::size_t>(count));
  FPos = end;
  return count;
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  std::int64_t base = 0;
  if (origin == soCurrent) base = FPos;
  if (origin == soEnd) base = GetSize();
  // A position before the start is refused; past the end is allowed (a later write fills the gap).
  const std::int64_t target = base + offset;
  if (target >= 0) FPos = target;
  return FPos;
}

void TMemoryStream::SetSize(std::int64_t newSize) {
  if (newSize < 0) newSize = 0;
  FData.resize(static_cast<std::size_t>(newSize));
  if (FPos > newSize) FPos = newSize;
}

void TMemoryStream::Clear() {
  FData.clear();
  FPos = 0;
}

void TMemoryStream::LoadFromStream(TStream* source) {
  Clear();
  if (!source) return;
  source->SetPosition(0);
  FData = source->ReadRemaining();
}

void TMemoryStream::LoadFromFile(const std::string& fileName) {
  FData = ReadFileBytes(fileName);
  FPos = 0;
}

void TMemoryStream::SaveToStream(TStream* dest) const {
  if (dest) dest->WriteBuffer(FData.data(), static_cast<std::int64_t>(FData.size()));
}

void TMemoryStream::SaveToFile(const std::string& fileName) const {
  WriteFileBytes(fileName, FData);
}

TBytesStream::TBytesStream(const std::vector<std::uint8_t>& bytes)
    : TBytesStream(bytes.data(), bytes.size()) {}

TBytesStream::TBytesStream(const void* data, std::size_t size) {
  if (size > 0) Write(data, static_cast<std::int64_t>(size));
  SetPosition(0);
}

// ---------------------------------------------------------------- TFileStream

TFileStream::TFileStream(const std::string& fileName, unsigned mode) : FFileName(fileName) {
  if (mode == fmCreate || (mode & 0xFF00) == fmCreate) {
    FFd = ::open(fileName.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (FFd < 0) throw EFCreateError("Cannot create file \"" + fileName + "\". " + ErrnoText());
    return;
  }
  int flags = O_RDONLY;
  if ((mode & 3) == fmOpenWrite) flags = O_WRONLY;
  if ((mode & 3) == fmOpenReadWrite) flags = O_RDWR;
  FFd = ::open(fileName.c_str(), flags | O_CLOEXEC);
  if (FFd < 0) throw EFOpenError("Cannot open file \"" + fileName + "\". " + ErrnoText());
  struct stat st {};
  if (::fstat(FFd, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(FFd);
    FFd = -1;
    throw EFOpenError("Cannot open file \"" + fileName + "\". Is a directory");
  }
}

TFileStream::~TFileStream() {
  if (FFd >= 0) ::close(FFd);
}

std::int64_t TFileStream::Read(void* buffer, std::int64_t count) {
  std::int64_t done = 0;
  auto* p = static_cast<std::uint8_t*>(buffer);
  while (done < count) {
    const ssize_t n = ::read(FFd, p + done, static_cast<std::size_t>(count - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += n;
  }
  return done;
}

std::int64_t TFileStream::Write(const void* buffer, std::int64_t count) {
  std::int64_t done = 0;
  const auto* p = static_cast<const std::uint8_t*>(buffer);
  while (done < count) {
    const ssize_t n = ::write(FFd, p + done, static_cast<std::size_t>(count - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += n;
  }
  return done;
}

std::int64_t TFileStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  const int whence = origin == soBeginning ? SEEK_SET : origin == soCurrent ? SEEK_CUR : SEEK_END;
  const off_t r = ::lseek(FFd, static_cast<off_t>(offset), whence);
  if (r < 0) return ::lseek(FFd, 0, SEEK_CUR);
  return r;
}

void TFileStream::SetSize(std::int64_t newSize) {
  if (::ftruncate(FFd, static_cast<off_t>(std::max<std::int64_t>(0, newSize))) != 0)
    throw EWriteError("Cannot resize \"" + FFileName + "\". " + ErrnoText());
}

// ---------------------------------------------------------------- whole files

std::vector<std::uint8_t> ReadFileBytes(const std::string& fileName) {
  TFileStream f(fileName, fmOpenRead | fmShareDenyNone);
  std::vector<std::uint8_t> out;
  std::uint8_t chunk[64 * 1024];
  for (;;) {
    const std::int64_t n = f.Read(chunk, sizeof chunk);
    if (n <= 0) break;
    out.insert(out.end(), chunk, chunk + n);
  }
  return out;
}

void WriteFileBytes(const std::string& fileName, const std::vector<std::uint8_t>& bytes) {
  TFileStream f(fileName, fmCreate);
  f.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
}
