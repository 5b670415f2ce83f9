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
  const std::uint32_t offBits = in.U32(10);
  const std::uint32_t headerSize = in.U32(14);
  const std::size_t hdr = 14;

  std::int64_t width = 0, height = 0;
  std::uint32_t bpp = 0, compression = kRgb, colorsUsed = 0;
  std::size_t paletteEntry = 4;
  std::array<std::uint32_t, 4> masks{};
  std::size_t pos = 0;
  if (headerSize == 12) {  // the old core header
    width = in.U16(hdr + 4);
    height = static_cast<std::int16_t>(in.U16(hdr + 6));
    bpp = in.U16(hdr + 10);
    paletteEntry = 3;
    pos = hdr + 12;
  } else if (headerSize >= 40 && headerSize <= 1024) {
    width = in.S32(hdr + 4);
    height = in.S32(hdr + 8);
    bpp = in.U16(hdr + 14);
    compression = in.U32(hdr + 16);
    colorsUsed = in.U32(hdr + 32);
    pos = hdr + headerSize;
    if (compression == kBitFields || compression == kAlphaBitFields) {
      const int n = compression == kAlphaBitFields ? 4 : 3;
      if (headerSize >= 52) {
        for (int i = 0; i < 3; ++i) masks[i] = in.U32(hdr + 40 + 4 * i);
        if (headerSize >= 56) masks[3] = in.U32(hdr + 52);
      } else {
        for (int i = 0; i < n; ++i) masks[i] = in.U32(pos + 4 * i);
        pos += 4 * n;
      }
    }
  } else {
    Bad("unknown header size " + std::to_string(headerSize));
  }
  if (!in.Has(0, pos)) Bad("the data ends too early");

  const bool topDown = height < 0;
  if (topDown) height = -height;
  if (width <= 0 || height <= 0) Bad("empty or negative size");
  if (width * height > kMaxPicturePixels) Bad("the picture is too large");
  const bool paletted = bpp == 1 || bpp == 4 || bpp == 8;
  if (!paletted && bpp != 16 && bpp != 24 && bpp != 32) Bad("unsupported depth " + std::to_string(bpp));
  if (compression == kRle8 && bpp != 8) Bad("RLE8 needs 8 bits per pixel");
  if (compression == kRle4 && bpp != 4) Bad("RLE4 needs 4 bits per pixel");
  if ((compression == kBitFields || compression == kAlphaBitFields) && bpp != 16 && bpp != 32)
    Bad("bit fields need 16 or 32 bits per pixel");
  if (compression != kRgb && compression != kRle8 && compression != kRle4 && compression != kBitFields &&
      compression != kAlphaBitFields)
    Bad("unsupported compression " + std::to_string(compression));

  std::vector<QRgb> palette;
  if (paletted) {
    std::size_t count = colorsUsed ? colorsUsed : (std::size_t{1} << bpp);
    if (count > 256) Bad("palette too large");
    if (!in.Has(pos, count * paletteEntry)) Bad("the palette is cut short");
    for (std::size_t i = 0; i < count; ++i) {
      const std::size_t p = pos + i * paletteEntry;
      palette.push_back(qRgb(in.U8(p + 2), in.U8(p + 1), in.U8(p)));
    }
    pos += count * paletteEntry;
  }
  // The pixel offset of the file header wins when it is plausible.
  if (offBits >= pos && offBits < size) pos = offBits;

  const int w = static_cast<int>(width), h = static_cast<int>(height);
  const bool rle = compression == kRle8 || compression == kRle4;
  const std::int64_t stride = ((width * bpp + 31) / 32) * 4;
  if (!rle && !in.Has(pos, static_cast<std::size_t>(stride * height))) Bad("the pixel data is cut short");
  if (rle && !in.Has(pos, 2)) Bad("the pixel data is cut short");

  QImage img(w, h, QImage::Format_ARGB32);
  if (img.isNull()) Bad("out of memory");
  img.fill(paletted && !palette.empty() ? palette[0] : 0xFF000000u);

  if (rle) {
    DecodeRle(in, pos, compression == kRle4, w, h, topDown, palette, img);
    return img;
  }

  Channel r, g, b, a;
  if (bpp == 16) {
    if (compression == kRgb) masks = {0x7C00, 0x03E0, 0x001F, 0};
  } else if (bpp == 32 && compression == kRgb) {
    masks = {0x00FF0000, 0x0000FF00, 0x000000FF, 0};
  }
  r = Channel(masks[0]);
  g = Channel(masks[1]);
  b = Channel(masks[2]);
  a = Channel(masks[3]);

  bool anyAlpha = false;
  for (int y = 0; y < h; ++y) {
    const std::uint8_t* src = in.At(pos + static_cast<std::size_t>(stride) * y);
    QRgb* dst = reinterpret_cast<QRgb*>(img.scanLine(topDown ? y : h - 1 - y));
    for (int x = 0; x < w; ++x) {
      switch (bpp) {
        case 1:
          dst[x] = palette[std::min<std::size_t>((src[x / 8] >> (7 - x % 8)) & 1, palette.size() - 1)];
          break;
        case 4:
          dst[x] = palette[std::min<std::size_t>((src[x / 2] >> (x % 2 ? 0 : 4)) & 0x0F, palette.size() - 1)];
          break;
        case 8:
          dst[x] = palette[std::min<std::size_t>(src[x], palette.size() - 1)];
          break;
        case 24:
          dst[x] = qRgb(src[3 * x + 2], src[3 * x + 1], src[3 * x]);
          break;
        case 16: {
          const std::uint32_t px = src[2 * x] | (src[2 * x + 1] << 8);
          dst[x] = qRgba(r.Get(px, 0), g.Get(px, 0), b.Get(px, 0), a.Get(px, 255));
          break;
        }
        case 32: {
          const std::uint8_t* s = src + 4 * x;
          const std::uint32_t px =
              s[0] | (s[1] << 8) | (s[2] << 16) | (static_cast<std::uint32_t>(s[3]) << 24);
          dst[x] = qRgba(r.Get(px, 0), g.Get(px, 0), b.Get(px, 0), a.Get(px, 255));
          if (compression == kRgb && s[3] != 0) anyAlpha = true;
          break;
        }
      }
    }
  }
  // A plain 32-bit bitmap's fourth byte is alpha only when some pixel uses it.
  if (bpp == 32 && compression == kRgb && anyAlpha) {
    for (int y = 0; y < h; ++y) {
      const std::uint8_t* src = in.At(pos + static_cast<std::size_t>(stride) * y);
      QRgb* dst = reinterpret_cast<QRgb*>(img.scanLine(topDown ? y : h - 1 - y));
      for (int x = 0; x < w; ++x)
        dst[x] = (dst[x] & 0x00FFFFFFu) | (static_cast<std::uint32_t>(src[4 * x + 3]) << 24);
    }
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
