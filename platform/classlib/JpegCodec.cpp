// JPEG through libjpeg. Its errors are turned into a longjmp back to the
// decode step, which then throws; the steps that can jump hold no C++
// objects with destructors, so nothing is skipped by the jump.

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <jerror.h>
#include <jpeglib.h>

#include "platform/classlib/PictureCodec.h"

namespace {

struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
  bool truncated;
};

extern "C" void OnJpegError(j_common_ptr cinfo) {
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, err->message);
  std::longjmp(err->jump, 1);
}

extern "C" void OnJpegMessage(j_common_ptr cinfo, int level) {
  auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
  // Data that ends before the picture does is an error for us, not a grey tail.
  if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF) err->truncated = true;
}

extern "C" void OnJpegOutput(j_common_ptr) {}

void InitErrors(ErrorManager& err) {
  jpeg_std_error(&err.pub);
  err.pub.error_exit = OnJpegError;
  err.pub.emit_message = OnJpegMessage;
  err.pub.output_message = OnJpegOutput;
  err.message[0] = '\0';
  err.truncated = false;
}

// Returns false after a libjpeg error (message in err). Holds only trivial locals.
bool DecodeSteps(jpeg_decompress_struct& cinfo, ErrorManager& err, const std::uint8_t* data, std::size_t size,
                 QImage* out, bool* tooLarge) {
  if (setjmp(err.jump)) return false;
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
  jpeg_read_header(&cinfo, TRUE);
  const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
  cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
  jpeg_calc_output_dimensions(&cinfo);
  if (static_cast<std::int64_t>(cinfo.output_width) * cinfo.output_height > kMaxPicturePixels ||
      cinfo.output_width == 0 || cinfo.output_height == 0) {
    *tooLarge = true;
    return false;
  }
  jpeg_start_decompress(&cinfo);
  *out = QImage(static_cast<int>(cinfo.output_width), static_cast<int>(cinfo.output_height),
                QImage::Format_ARGB32);
  if (out->isNull()) {
    *tooLarge = true;
    return false;
  }
  const int comps = cinfo.output_components;
  JSAMPARRAY row = (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                              cinfo.output_width * static_cast<JDIMENSION>(comps), 1);
  const bool inverted = cmyk && cinfo.saw_Adobe_marker;
  while (cinfo.output_scanline < cinfo.output_height) {
    const int y = static_cast<int>(cinfo.output_scanline);
    if (jpeg_read_scanlines(&cinfo, row, 1) != 1) break;
    QRgb* dst = reinterpret_cast<QRgb*>(out->scanLine(y));
    const JSAMPLE* s = row[0];
    for (JDIMENSION x = 0; x < cinfo.output_width; ++x, s += comps) {
      if (cmyk) {
        int c = s[0], m = s[1], yy = s[2], k = s[3];
        if (inverted) {
          c = 255 - c;
          m = 255 - m;
          yy = 255 - yy;
          k = 255 - k;
        }
        dst[x] = qRgb((255 - c) * (255 - k) / 255, (255 - m) * (255 - k) / 255, (255 - yy) * (255 - k) / 255);
      } else {
        dst[x] = qRgb(s[0], s[1], s[2]);
      }
    }
    if (err.truncated) return false;
  }
  jpeg_finish_decompress(&cinfo);
  return !err.truncated;
}

bool EncodeSteps(jpeg_compress_struct& cinfo, ErrorManager& err, const std::uint8_t* rgb, int width,
                 int height, int quality, bool progressive, bool grayscale, unsigned char** outBuffer,
                 unsigned long* outSize) {
  if (setjmp(err.jump)) return false;
  jpeg_create_compress(&cinfo);
  jpeg_mem_dest(&cinfo, outBuffer, outSize);
  cinfo.image_width = static_cast<JDIMENSION>(width);
  cinfo.image_height = static_cast<JDIMENSION>(height);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  if (grayscale) jpeg_set_colorspace(&cinfo, JCS_GRAYSCALE);
  jpeg_set_quality(&cinfo, quality, TRUE);
  if (progressive) jpeg_simple_progression(&cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(rgb + static_cast<std::size_t>(cinfo.next_scanline) * width * 3);
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  return true;
}

}  // namespace

QImage DecodeJpeg(const std::uint8_t* data, std::size_t size) {
  if (!data || size < 4) throw EInvalidGraphic("Invalid JPEG image: the data is too short");
  jpeg_decompress_struct cinfo{};
  ErrorManager err{};
  InitErrors(err);
  cinfo.err = &err.pub;
  QImage img;
  bool tooLarge = false;
  const bool ok = DecodeSteps(cinfo, err, data, size, &img, &tooLarge);
  jpeg_destroy_decompress(&cinfo);
  if (ok) return img;
  if (tooLarge) throw EInvalidGraphic("Invalid JPEG image: the picture is too large");
  if (err.truncated) throw EInvalidGraphic("Invalid JPEG image: the data ends too early");
  throw EInvalidGraphic(std::string("Invalid JPEG image: ") + err.message);
}

std::vector<std::uint8_t> EncodeJpeg(const QImage& image, int quality, bool progressive, bool grayscale) {
  if (image.isNull() || image.width() <= 0 || image.height() <= 0)
    throw EInvalidGraphicOperation("Cannot save an empty picture as JPEG");
  quality = quality < 1 ? 1 : quality > 100 ? 100 : quality;
  const QImage src = image.convertToFormat(QImage::Format_ARGB32);
  const int w = src.width(), h = src.height();
  std::vector<std::uint8_t> rgb(static_cast<std::size_t>(w) * h * 3);
  for (int y = 0; y < h; ++y) {
    const QRgb* line = reinterpret_cast<const QRgb*>(src.constScanLine(y));
    std::uint8_t* d = rgb.data() + static_cast<std::size_t>(y) * w * 3;
    for (int x = 0; x < w; ++x) {
      d[3 * x] = static_cast<std::uint8_t>(qRed(line[x]));
      d[3 * x + 1] = static_cast<std::uint8_t>(qGreen(line[x]));
      d[3 * x + 2] = static_cast<std::uint8_t>(qBlue(line[x]));
    }
  }
  jpeg_compress_struct cinfo{};
  ErrorManager err{};
  InitErrors(err);
  cinfo.err = &err.pub;
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  const bool ok = EncodeSteps(cinfo, err, rgb.data(), w, h, quality, progressive, grayscale, &buffer, &size);
  jpeg_destroy_compress(&cinfo);
  std::vector<std::uint8_t> out;
  if (ok && buffer) out.assign(buffer, buffer + size);
  std::free(buffer);
  if (!ok) throw EInvalidGraphicOperation(std::string("Cannot encode JPEG: ") + err.message);
  return out;
}
