#pragma once
// Decoders and encoders behind the picture classes. Decoders take a bounded
// byte range, never read past it, and throw EInvalidGraphic for damaged,
// truncated or oversized data. Decoded images are QImage::Format_ARGB32.

#include <cstddef>
#include <cstdint>
#include <vector>

#include <QImage>

#include "platform/classlib/GraphicsErrors.h"

enum class PictureFormat { Unknown, Bmp, Png, Jpeg, Gif, Tiff };

// The format whose signature starts `data`.
PictureFormat SniffPictureFormat(const std::uint8_t* data, std::size_t size);

// Refuse pictures above this many pixels (a damaged header must not make us
// allocate gigabytes).
constexpr std::int64_t kMaxPicturePixels = 64LL * 1024 * 1024;

QImage DecodeBmp(const std::uint8_t* data, std::size_t size);
// 24-bit BMP, or 32-bit with the alpha channel kept when withAlpha.
std::vector<std::uint8_t> EncodeBmp(const QImage& image, bool withAlpha);

QImage DecodeJpeg(const std::uint8_t* data, std::size_t size);
std::vector<std::uint8_t> EncodeJpeg(const QImage& image, int quality, bool progressive, bool grayscale);

// hasAlpha (optional) tells whether the file carried alpha or a tRNS key.
QImage DecodePng(const std::uint8_t* data, std::size_t size, bool* hasAlpha = nullptr);
std::vector<std::uint8_t> EncodePng(const QImage& image, int level, bool withAlpha);
