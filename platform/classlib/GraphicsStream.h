#pragma once
// Byte streams of the class library: the abstract TStream, a growable
// TMemoryStream and a TFileStream over a POSIX file. Pictures load from and
// save to these; the stream errors derive from the layer's exception class.

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/classlib/Classes.h"
#include "platform/classlib/GraphicsErrors.h"

enum TSeekOrigin { soBeginning = 0, soCurrent = 1, soEnd = 2 };

// TFileStream modes; the share flags are accepted and ignored.
constexpr unsigned fmOpenRead = 0x0000;
constexpr unsigned fmOpenWrite = 0x0001;
constexpr unsigned fmOpenReadWrite = 0x0002;
constexpr unsigned fmShareCompat = 0x0000;
constexpr unsigned fmShareExclusive = 0x0010;
constexpr unsigned fmShareDenyWrite = 0x0020;
constexpr unsigned fmShareDenyRead = 0x0030;
constexpr unsigned fmShareDenyNone = 0x0040;
constexpr unsigned fmCreate = 0xFF00;

class TStream : public TObject {
 public:
  // Both return the count of bytes actually moved (short at the end of data).
  virtual std::int64_t Read(void* buffer, std::int64_t count) = 0;
  virtual std::int64_t Write(const void* buffer, std::int64_t count) = 0;
  // Returns the new position.
  virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;

  std::int64_t GetPosition() { return Seek(0, soCurrent); }
  void SetPosition(std::int64_t pos) { Seek(pos, soBeginning); }
  virtual std::int64_t GetSize();
  virtual void SetSize(std::int64_t newSize);

  // Throw EReadError / EWriteError when fewer than `count` bytes move.
  void ReadBuffer(void* buffer, std::int64_t count);
  void WriteBuffer(const void* buffer, std::int64_t count);
  // Copies `count` bytes from source's position (count 0: the whole source
  // from its start). Returns the count copied.
  std::int64_t CopyFrom(TStream* source, std::int64_t count);

  // The rest of the stream from the current position.
  std::vector<std::uint8_t> ReadRemaining();
};

class TMemoryStream : public TStream {
 public:
  TMemoryStream() = default;
  std::int64_t Read(void* buffer, std::int64_t count) override;
  std::int64_t Write(const void* buffer, std::int64_t count) override;
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  std::int64_t GetSize() override { return static_cast<std::int64_t>(FData.size()); }
  void SetSize(std::int64_t newSize) override;

  void Clear();
  void* GetMemory() { return FData.data(); }
  const std::vector<std::uint8_t>& Bytes() const { return FData; }

  void LoadFromStream(TStream* source);
  void LoadFromFile(const std::string& fileName);
  void SaveToStream(TStream* dest) const;
  void SaveToFile(const std::string& fileName) const;

 private:
  std::vector<std::uint8_t> FData;
  std::int64_t FPos = 0;
};

// A memory stream that starts with the given bytes, positioned at 0.
class TBytesStream : public TMemoryStream {
 public:
  explicit TBytesStream(const std::vector<std::uint8_t>& bytes);
  TBytesStream(const void* data, std::size_t size);
};

class TFileStream : public TStream {
 public:
  // Throws EFCreateError (fmCreate) or EFOpenError with the file name.
  TFileStream(const std::string& fileName, unsigned mode);
  ~TFileStream() override;

  std::int64_t Read(void* buffer, std::int64_t count) override;
  std::int64_t Write(const void* buffer, std::int64_t count) override;
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  void SetSize(std::int64_t newSize) override;
  const std::string& GetFileName() const { return FFileName; }

 private:
  std::string FFileName;
  int FFd = -1;
};

// Whole-file helpers for the codecs: throw EFOpenError / EFCreateError / EWriteError.
std::vector<std::uint8_t> ReadFileBytes(const std::string& fileName);
void WriteFileBytes(const std::string& fileName, const std::vector<std::uint8_t>& bytes);
