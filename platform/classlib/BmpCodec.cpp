// Our own BMP reader and writer. Every read is checked against the end of
// the data; a header that asks for more than the data holds is refused.

#include <algorithm>
#include <array>
#include <string>

#include "platform/classlib/PictureCodec.h"

namespace {

constexpr std::uint32_t kRgb = 0;
constexpr std::uint32_t kRle8 = 1;
constexpr std::uint32_t kRle4 = 2;
constexpr std::uint32_t kBitFields = 3;
constexpr std::uint32_t kAlphaBitFields = 6;

[[noreturn]] void Bad(const std::string& why) {
  throw EInvalidGraphic("Invalid bitmap image: " + why);
}

class Reader {
 public:
  Reader(const std::uint8_t* data, std::size_t size) : FData(data), FSize(size) {}
  bool Has(std::size_t pos, std::size_t n) const { return pos <= FSize && n <= FSize - pos; }
  std::uint32_t U8(std::size_t pos) const { return Has(pos, 1) ? FData[pos] : Fail(); }
  std::uint32_t U16(std::size_t pos) const {
    if (!Has(pos, 2)) Fail();
    return FData[pos] | (FData[pos + 1] << 8);
  }
  std::uint32_t U32(std::size_t pos) const {
    if (!Has(pos, 4)) Fail();
    return FData[pos] | (FData[pos + 1] << 8) | (FData[pos + 2] << 16) |
           (static_cast<std::uint32_t>(FData[pos + 3]) << 24);
  }
  std::int32_t S32(std::size_t pos) const { return static_cast<std::int32_t>(U32(pos)); }
  const std::uint8_t* At(std::size_t pos) const { return FData + pos; }
  std::size_t Size() const { return FSize; }

 private:
  [[noreturn]] static std::uint32_t Fail() { Bad("the data ends too early"); }
  const std::uint8_t* FData;
  std::size_t FSize;
};

// One channel of a bit-field pixel, scaled to 8 bits.
struct Channel {
  std::uint32_t mask = 0;
  int shift = 0;
  int bits = 0;
  explicit Channel(std::uint32_t m = 0) : mask(m) {
    if (!m) return;
    while (!((m >> shift) & 1)) ++shift;
    while (shift + bits < 32 && ((m >> (shift + bits)) & 1)) ++bits;
  }
  int Get(std::uint32_t px, int absent) const {
    if (!mask) return absent;
    const std::uint32_t v = (px & mask) >> shift;
    const std::uint32_t max = bits >= 32 ? 0xFFFFFFFFu : ((1u << bits) - 1);
    return static_cast<int>((static_cast<std::uint64_t>(v) * 255 + max / 2) / max);
  }
};

void DecodeRle(const Reader& in, std::size_t pos, bool rle4, int width, int height, bool topDown,
               const std::vector<QRgb>& palette, QImage& img) {
  auto put = [&](int x, int y, std::uint32_t index) {
    if (x < 0 || x >= width || y < 0 || y >= height) return;
    const int row = topDown ? y : height - 1 - y;
    reinterpret_cast<QRgb*>(img.scanLine(row))[x] = index < palette.size() ? palette[index] : 0xFF000000u;
  };
  int x = 0, y = 0;
  while (y < height) {
    const std::uint32_t count = in.U8(pos);
    const std::uint32_t value = in.U8(pos + 1);
    pos += 2;
    if (count > 0) {  // encoded run
      for (std::uint32_t i = 0; i < count; ++i, ++x)
        put(x, y, rle4 ? ((i & 1) ? (value & 0x0F) : (value >> 4)) : value);
      continue;
    }
    if (value == 0) {  // end of line
      x = 0;
      ++y;
    } else if (value == 1) {  // end of bitmap
      break;
    } else if (value == 2) {  // delta
      x += static_cast<int>(in.U8(pos));
      y += static_cast<int>(in.U8(pos + 1));
      pos += 2;
    } else {  // absolute run of `value` pixels, padded to a word
      const std::uint32_t n = value;
      const std::size_t bytes = rle4 ? (n + 1) / 2 : n;
      if (!in.Has(pos, bytes)) Bad("the data ends too early");
      for (std::uint32_t i = 0; i < n; ++i, ++x) {
        const std::uint32_t b = in.U8(pos + (rle4 ? i / 2 : i));
        put(x, y, rle4 ? ((i & 1) ? (b & 0x0F) : (b >> 4)) : b);
      }
      pos += (bytes + 1) & ~static_cast<std::size_t>(1);
    }
  }
}

// What the file and info headers say about the pixels.
struct BmpHeader {
  std::int64_t width = 0;
  std::int64_t height = 0;
  bool topDown = false;
  std::uint32_t bpp = 0;
  std::uint32_t compression = kRgb;
  std::uint32_t colorsUsed = 0;
  std::size_t paletteEntry = 4;
  std::array<std::uint32_t, 4> masks{};  // red, green, blue, alpha
  std::size_t dataPos = 0;               // just past the headers and any masks

  bool Paletted() const { return bpp == 1 || bpp == 4 || bpp == 8; }
  bool BitFields() const { return compression == kBitFields || compression == kAlphaBitFields; }
};

constexpr std::size_t kInfoAt = 14;  // the info header follows the file header

void ReadCoreHeader(const Reader& in, BmpHeader& h) {
  h.width = in.U16(kInfoAt + 4);
  h.height = static_cast<std::int16_t>(in.U16(kInfoAt + 6));
  h.bpp = in.U16(kInfoAt + 10);
  h.paletteEntry = 3;
  h.dataPos = kInfoAt + 12;
}

// Bit-field masks sit inside a header of 52 bytes or more, else right after it.
void ReadMasks(const Reader& in, std::uint32_t headerSize, BmpHeader& h) {
  if (headerSize >= 52) {
    for (std::size_t i = 0; i < 3; ++i) h.masks[i] = in.U32(kInfoAt + 40 + 4 * i);
    if (headerSize >= 56) h.masks[3] = in.U32(kInfoAt + 52);
    return;
  }
  const std::size_t n = h.compression == kAlphaBitFields ? 4 : 3;
  for (std::size_t i = 0; i < n; ++i) h.masks[i] = in.U32(h.dataPos + 4 * i);
  h.dataPos += 4 * n;
}

void ReadInfoHeader(const Reader& in, std::uint32_t headerSize, BmpHeader& h) {
  h.width = in.S32(kInfoAt + 4);
  h.height = in.S32(kInfoAt + 8);
  h.bpp = in.U16(kInfoAt + 14);
  h.compression = in.U32(kInfoAt + 16);
  h.colorsUsed = in.U32(kInfoAt + 32);
  h.dataPos = kInfoAt + headerSize;
  if (h.BitFields()) ReadMasks(in, headerSize, h);
}

BmpHeader ReadHeader(const Reader& in) {
  const std::uint32_t headerSize = in.U32(kInfoAt);
  BmpHeader h;
  if (headerSize == 12) {  // the old core header
    ReadCoreHeader(in, h);
  } else if (headerSize >= 40 && headerSize <= 1024) {
    ReadInfoHeader(in, headerSize, h);
  } else {
    Bad("unknown header size " + std::to_string(headerSize));
  }
  if (!in.Has(0, h.dataPos)) Bad("the data ends too early");
  h.topDown = h.height < 0;
  if (h.topDown) h.height = -h.height;
  return h;
}

void CheckHeader(const BmpHeader& h) {
  if (h.width <= 0 || h.height <= 0) Bad("empty or negative size");
  if (h.width * h.height > kMaxPicturePixels) Bad("the picture is too large");
  if (!h.Paletted() && h.bpp != 16 && h.bpp != 24 && h.bpp != 32)
    Bad("unsupported depth " + std::to_string(h.bpp));
  if (h.compression == kRle8 && h.bpp != 8) Bad("RLE8 needs 8 bits per pixel");
  if (h.compression == kRle4 && h.bpp != 4) Bad("RLE4 needs 4 bits per pixel");
  if (h.BitFields() && h.bpp != 16 && h.bpp != 32) Bad("bit fields need 16 or 32 bits per pixel");
  if (h.compression != kRgb && h.compression != kRle8 && h.compression != kRle4 && !h.BitFields())
    Bad("unsupported compression " + std::to_string(h.compression));
}

// The colour table of a paletted bitmap; pos moves past it.
std::vector<QRgb> ReadPalette(const Reader& in, const BmpHeader& h, std::size_t& pos) {
  std::vector<QRgb> palette;
  if (!h.Paletted()) return palette;
  const std::size_t count = h.colorsUsed ? h.colorsUsed : (std::size_t{1} << h.bpp);
  if (count > 256) Bad("palette too large");
  if (!in.Has(pos, count * h.paletteEntry)) Bad("the palette is cut short");
  for (std::size_t i = 0; i < count; ++i) {
    const std::size_t p = pos + i * h.paletteEntry;
    palette.push_back(qRgb(in.U8(p + 2), in.U8(p + 1), in.U8(p)));
  }
  pos += count * h.paletteEntry;
  return palette;
}

// The uncompressed pixel rows, bottom-up unless topDown; every row is
// already checked to lie inside the data.
struct PixelRows {
  const Reader& in;
  std::size_t pos;
  std::size_t stride;
  int width;
  int height;
  bool topDown;

  const std::uint8_t* Source(int y) const { return in.At(pos + stride * static_cast<std::size_t>(y)); }
  QRgb* Target(QImage& img, int y) const {
    return reinterpret_cast<QRgb*>(img.scanLine(topDown ? y : height - 1 - y));
  }
};

void DecodePalettedRows(const PixelRows& rows, std::uint32_t bpp, const std::vector<QRgb>& palette,
                        QImage& img) {
  const std::size_t last = palette.size() - 1;
  for (int y = 0; y < rows.height; ++y) {
    const std::uint8_t* src = rows.Source(y);
    QRgb* dst = rows.Target(img, y);
    for (int x = 0; x < rows.width; ++x) {
      const std::size_t index = bpp == 1   ? (src[x / 8] >> (7 - x % 8)) & 1
                                : bpp == 4 ? (src[x / 2] >> (x % 2 ? 0 : 4)) & 0x0F
                                           : src[x];
      dst[x] = palette[std::min(index, last)];
    }
  }
}

void DecodeRgbRows(const PixelRows& rows, QImage& img) {
  for (int y = 0; y < rows.height; ++y) {
    const std::uint8_t* src = rows.Source(y);
    QRgb* dst = rows.Target(img, y);
    for (int x = 0; x < rows.width; ++x) dst[x] = qRgb(src[3 * x + 2], src[3 * x + 1], src[3 * x]);
  }
}

// 16 and 32 bits per pixel: channels by mask, with the usual masks when the
// file gives none.
void DecodeMaskedRows(const PixelRows& rows, const BmpHeader& h, QImage& img) {
  std::array<std::uint32_t, 4> masks = h.masks;
  if (h.compression == kRgb)
    masks = h.bpp == 16 ? std::array<std::uint32_t, 4>{0x7C00, 0x03E0, 0x001F, 0}
                        : std::array<std::uint32_t, 4>{0x00FF0000, 0x0000FF00, 0x000000FF, 0};
  const Channel r(masks[0]), g(masks[1]), b(masks[2]), a(masks[3]);
  const std::size_t bytes = h.bpp / 8;
  bool anyAlpha = false;
  for (int y = 0; y < rows.height; ++y) {
    const std::uint8_t* src = rows.Source(y);
    QRgb* dst = rows.Target(img, y);
    for (int x = 0; x < rows.width; ++x) {
      const std::uint8_t* s = src + bytes * static_cast<std::size_t>(x);
      std::uint32_t px = s[0] | (s[1] << 8);
      if (bytes == 4) px |= (s[2] << 16) | (static_cast<std::uint32_t>(s[3]) << 24);
      dst[x] = qRgba(r.Get(px, 0), g.Get(px, 0), b.Get(px, 0), a.Get(px, 255));
      if (bytes == 4 && h.compression == kRgb && s[3] != 0) anyAlpha = true;
    }
  }
  // A plain 32-bit bitmap's fourth byte is alpha only when some pixel uses it.
  if (!anyAlpha) return;
  for (int y = 0; y < rows.height; ++y) {
    const std::uint8_t* src = rows.Source(y);
    QRgb* dst = rows.Target(img, y);
    for (int x = 0; x < rows.width; ++x)
      dst[x] = (dst[x] & 0x00FFFFFFu) | (static_cast<std::uint32_t>(src[4 * x + 3]) << 24);
  }
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}

}  // namespace

QImage DecodeBmp(const std::uint8_t* data, std::size_t size) {
  const Reader in(data, size);
  if (size < 14 || data[0] != 'B' || data[1] != 'M') Bad("no bitmap signature");
  BmpHeader header = ReadHeader(in);
  CheckHeader(header);

  std::size_t pos = header.dataPos;
  const std::vector<QRgb> palette = ReadPalette(in, header, pos);
  // The pixel offset of the file header wins when it is plausible.
  const std::uint32_t offBits = in.U32(10);
  if (offBits >= pos && offBits < size) pos = offBits;

  const bool rle = header.compression == kRle8 || header.compression == kRle4;
  const std::int64_t stride = ((header.width * header.bpp + 31) / 32) * 4;
  if (!rle && !in.Has(pos, static_cast<std::size_t>(stride * header.height)))
    Bad("the pixel data is cut short");
  if (rle && !in.Has(pos, 2)) Bad("the pixel data is cut short");

  const PixelRows rows{in,
                       pos,
                       static_cast<std::size_t>(stride),
                       static_cast<int>(header.width),
                       static_cast<int>(header.height),
                       header.topDown};
  QImage img(rows.width, rows.height, QImage::Format_ARGB32);
  if (img.isNull()) Bad("out of memory");
  img.fill(header.Paletted() && !palette.empty() ? palette[0] : 0xFF000000u);

  if (rle) {
    DecodeRle(in, pos, header.compression == kRle4, rows.width, rows.height, rows.topDown, palette, img);
    return img;
  }
  if (header.Paletted()) {
    DecodePalettedRows(rows, header.bpp, palette, img);
  } else if (header.bpp == 24) {
    DecodeRgbRows(rows, img);
  } else {
    DecodeMaskedRows(rows, header, img);
  }
  return img;
}

std::vector<std::uint8_t> EncodeBmp(const QImage& image, bool withAlpha) {
  const QImage src = image.convertToFormat(QImage::Format_ARGB32);
  const int w = src.width(), h = src.height();
  const int bpp = withAlpha ? 32 : 24;
  const std::uint32_t stride = ((static_cast<std::uint32_t>(w) * bpp + 31) / 32) * 4;
  const std::uint32_t pixelBytes = stride * static_cast<std::uint32_t>(h);
  std::vector<std::uint8_t> out;
  out.reserve(54 + pixelBytes);
  out.push_back('B');
  out.push_back('M');
  Put32(out, 54 + pixelBytes);
  Put32(out, 0);
  Put32(out, 54);
  Put32(out, 40);
  Put32(out, static_cast<std::uint32_t>(w));
  Put32(out, static_cast<std::uint32_t>(h));
  Put16(out, 1);
  Put16(out, static_cast<std::uint32_t>(bpp));
  Put32(out, kRgb);
  Put32(out, pixelBytes);
  Put32(out, 3780);  // 96 dpi
  Put32(out, 3780);
  Put32(out, 0);
  Put32(out, 0);
  for (int y = h - 1; y >= 0; --y) {
    const QRgb* line = reinterpret_cast<const QRgb*>(src.constScanLine(y));
    std::size_t written = 0;
    for (int x = 0; x < w; ++x) {
      out.push_back(static_cast<std::uint8_t>(qBlue(line[x])));
      out.push_back(static_cast<std::uint8_t>(qGreen(line[x])));
      out.push_back(static_cast<std::uint8_t>(qRed(line[x])));
      written += 3;
      if (withAlpha) {
        out.push_back(static_cast<std::uint8_t>(qAlpha(line[x])));
        ++written;
      }
    }
    for (; written < stride; ++written) out.push_back(0);
  }
  return out;
}
