// PNG through libpng. Reads go through a callback bounded by the data's
// end; libpng errors longjmp back to the step, which then throws. The steps
// that can jump hold no C++ objects with destructors.

#include <png.h>

#include <cstring>
#include <string>

#include "platform/classlib/PictureCodec.h"

namespace {

struct PngState {
  const std::uint8_t* data;
  std::size_t size;
  std::size_t pos;
  std::vector<std::uint8_t>* out;
  char message[256];
};

extern "C" void OnPngError(png_structp png, png_const_charp msg) {
  auto* st = static_cast<PngState*>(png_get_error_ptr(png));
  std::snprintf(st->message, sizeof st->message, "%s", msg ? msg : "unknown error");
  png_longjmp(png, 1);
}

extern "C" void OnPngWarning(png_structp, png_const_charp) {}

extern "C" void OnPngRead(png_structp png, png_bytep dest, png_size_t length) {
  auto* st = static_cast<PngState*>(png_get_io_ptr(png));
  if (length > st->size - st->pos) png_error(png, "the data ends too early");
  std::memcpy(dest, st->data + st->pos, length);
  st->pos += length;
}

extern "C" void OnPngWrite(png_structp png, png_bytep src, png_size_t length) {
  auto* st = static_cast<PngState*>(png_get_io_ptr(png));
  st->out->insert(st->out->end(), src, src + length);
}

extern "C" void OnPngFlush(png_structp) {}

// Returns false after a libpng error. Only trivial locals live here.
bool DecodeSteps(png_structp png, png_infop info, QImage* out, bool* hasAlpha, bool* tooLarge) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_user_limits(png, 1u << 20, 1u << 20);
  png_set_chunk_malloc_max(png, 64u * 1024 * 1024);
  png_read_info(png, info);
  const png_uint_32 w = png_get_image_width(png, info);
  const png_uint_32 h = png_get_image_height(png, info);
  if (static_cast<std::int64_t>(w) * h > kMaxPicturePixels) {
    *tooLarge = true;
    return false;
  }
  const int colorType = png_get_color_type(png, info);
  const bool trns = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
  *hasAlpha = (colorType & PNG_COLOR_MASK_ALPHA) != 0 || trns;
  png_set_expand(png);
  png_set_strip_16(png);
  png_set_gray_to_rgb(png);
  if (!*hasAlpha) png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
  const int passes = png_set_interlace_handling(png);
  png_read_update_info(png, info);
  if (png_get_rowbytes(png, info) != static_cast<png_size_t>(w) * 4) png_error(png, "unexpected row layout");
  *out = QImage(static_cast<int>(w), static_cast<int>(h), QImage::Format_ARGB32);
  if (out->isNull()) {
    *tooLarge = true;
    return false;
  }
  out->fill(0);
  // Rows are read as RGBA bytes into the image's own rows, then turned
  // into ARGB words in place.
  for (int pass = 0; pass < passes; ++pass)
    for (png_uint_32 y = 0; y < h; ++y) png_read_row(png, out->scanLine(static_cast<int>(y)), nullptr);
  png_read_end(png, nullptr);
  for (png_uint_32 y = 0; y < h; ++y) {
    std::uint8_t* row = out->scanLine(static_cast<int>(y));
    QRgb* px = reinterpret_cast<QRgb*>(row);
    for (png_uint_32 x = 0; x < w; ++x) {
      const std::uint8_t* s = row + 4 * x;
      px[x] = qRgba(s[0], s[1], s[2], s[3]);
    }
  }
  return true;
}

bool EncodeSteps(png_structp png, png_infop info, int w, int h, bool alpha, int level, png_bytepp rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_compression_level(png, level);
  png_set_IHDR(png, info, static_cast<png_uint_32>(w), static_cast<png_uint_32>(h), 8,
               alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  png_write_image(png, rows);
  png_write_end(png, nullptr);
  return true;
}

}  // namespace

QImage DecodePng(const std::uint8_t* data, std::size_t size, bool* hasAlpha) {
  if (!data || size < 8 || png_sig_cmp(data, 0, 8) != 0)
    throw EInvalidGraphic("Invalid PNG image: no PNG signature");
  PngState st{data, size, 0, nullptr, {}};
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &st, OnPngError, OnPngWarning);
  if (!png) throw EInvalidGraphic("Invalid PNG image: out of memory");
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    throw EInvalidGraphic("Invalid PNG image: out of memory");
  }
  png_set_read_fn(png, &st, OnPngRead);
  QImage img;
  bool alpha = false;
  bool tooLarge = false;
  const bool ok = DecodeSteps(png, info, &img, &alpha, &tooLarge);
  png_destroy_read_struct(&png, &info, nullptr);
  if (!ok) {
    if (tooLarge) throw EInvalidGraphic("Invalid PNG image: the picture is too large");
    throw EInvalidGraphic(std::string("Invalid PNG image: ") + st.message);
  }
  if (hasAlpha) *hasAlpha = alpha;
  return img;
}

std::vector<std::uint8_t> EncodePng(const QImage& image, int level, bool withAlpha) {
  if (image.isNull() || image.width() <= 0 || image.height() <= 0)
    throw EInvalidGraphicOperation("Cannot save an empty picture as PNG");
  level = level < 0 ? 0 : level > 9 ? 9 : level;
  const QImage src = image.convertToFormat(QImage::Format_ARGB32);
  const int w = src.width(), h = src.height();
  const int channels = withAlpha ? 4 : 3;
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(w) * h * channels);
  std::vector<png_bytep> rows(static_cast<std::size_t>(h));
  for (int y = 0; y < h; ++y) {
    const QRgb* line = reinterpret_cast<const QRgb*>(src.constScanLine(y));
    std::uint8_t* d = bytes.data() + static_cast<std::size_t>(y) * w * channels;
    rows[static_cast<std::size_t>(y)] = d;
    for (int x = 0; x < w; ++x, d += channels) {
      d[0] = static_cast<std::uint8_t>(qRed(line[x]));
      d[1] = static_cast<std::uint8_t>(qGreen(line[x]));
      d[2] = static_cast<std::uint8_t>(qBlue(line[x]));
      if (withAlpha) d[3] = static_cast<std::uint8_t>(qAlpha(line[x]));
    }
  }
  std::vector<std::uint8_t> out;
  PngState st{nullptr, 0, 0, &out, {}};
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &st, OnPngError, OnPngWarning);
  if (!png) throw EInvalidGraphicOperation("Cannot encode PNG: out of memory");
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    throw EInvalidGraphicOperation("Cannot encode PNG: out of memory");
  }
  png_set_write_fn(png, &st, OnPngWrite, OnPngFlush);
  const bool ok = EncodeSteps(png, info, w, h, withAlpha, level, rows.data());
  png_destroy_write_struct(&png, &info);
  if (!ok) throw EInvalidGraphicOperation(std::string("Cannot encode PNG: ") + st.message);
  return out;
}
