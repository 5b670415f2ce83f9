#include "platform/classlib/PictureCodec.h"

#include <cstring>

PictureFormat SniffPictureFormat(const std::uint8_t* data, std::size_t size) {
  auto starts = [&](const char* sig, std::size_t n) { return size >= n && std::memcmp(data, sig, n) == 0; };
  if (starts("\x89PNG\r\n\x1a\n", 8)) return PictureFormat::Png;
  if (starts("\xFF\xD8\xFF", 3)) return PictureFormat::Jpeg;
  if (starts("BM", 2)) return PictureFormat::Bmp;
  if (starts("GIF87a", 6) || starts("GIF89a", 6)) return PictureFormat::Gif;
  if (starts("II*\0", 4) || starts("MM\0*", 4)) return PictureFormat::Tiff;
  return PictureFormat::Unknown;
}
