// Helpers for the drawing tests: offscreen images and pixel reads.
#pragma once

#include <QImage>
#include <string>

#include "platform/gdiplus/GdiPlus.h"

namespace gdiplus_test {

// A white (or given) 32-bit image to draw on.
inline QImage Canvas(int w, int h, unsigned argb = 0xFFFFFFFF) {
  QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
  image.fill(argb);
  return image;
}

// Unpremultiplied ARGB at a pixel.
inline unsigned Px(const QImage& image, int x, int y) {
  if (image.format() == QImage::Format_ARGB32_Premultiplied)
    return qUnpremultiply(reinterpret_cast<const QRgb*>(image.constScanLine(y))[x]);
  return image.pixel(x, y);
}

inline int Red(unsigned argb) {
  return (argb >> 16) & 0xff;
}
inline int Green(unsigned argb) {
  return (argb >> 8) & 0xff;
}
inline int Blue(unsigned argb) {
  return argb & 0xff;
}
inline int Alpha(unsigned argb) {
  return argb >> 24;
}

// True when the pixel is (nearly) the background white.
inline bool IsWhite(const QImage& image, int x, int y) {
  const unsigned c = Px(image, x, y);
  return Red(c) > 245 && Green(c) > 245 && Blue(c) > 245;
}

inline bool IsInk(const QImage& image, int x, int y) {
  return !IsWhite(image, x, y);
}

inline std::u16string U(const char* ascii) {
  std::u16string s;
  for (; *ascii; ++ascii) s.push_back(char16_t(*ascii));
  return s;
}

}  // namespace gdiplus_test
