// The JPEG and PNG picture classes over their codecs.

#include "platform/classlib/PictureCodec.h"
#include "platform/classlib/PictureJpeg.h"
#include "platform/classlib/PicturePng.h"

namespace {

bool AnyTranslucent(const QImage& img) {
  for (int y = 0; y < img.height(); ++y) {
    const QRgb* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
    for (int x = 0; x < img.width(); ++x)
      if (qAlpha(line[x]) != 255) return true;
  }
  return false;
}

}  // namespace

// ---------------------------------------------------------------- JPEG

TJPEGImage::TJPEGImage() = default;

void TJPEGImage::LoadFromBytes(const std::uint8_t* data, std::size_t size) {
  QImage img = DecodeJpeg(data, size);
  data_.assign(data, data + size);
  *image_ = std::move(img);
  Changed();
}

std::vector<std::uint8_t> TJPEGImage::SaveToBytes() const {
  if (!data_.empty()) return data_;
  return EncodeJpeg(*image_, quality_, progressive_, grayscale_);
}

void TJPEGImage::SetImage(const QImage& image) {
  data_.clear();
  TGraphic::SetImage(image);
  // JPEG pixels are opaque.
  for (int y = 0; y < image_->height(); ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(image_->scanLine(y));
    for (int x = 0; x < image_->width(); ++x) line[x] |= 0xFF000000u;
  }
}

std::unique_ptr<TGraphic> TJPEGImage::Clone() const {
  auto copy = std::make_unique<TJPEGImage>();
  copy->quality_ = quality_;
  copy->progressive_ = progressive_;
  copy->grayscale_ = grayscale_;
  copy->data_ = data_;
  *copy->image_ = *image_;
  return copy;
}

// ---------------------------------------------------------------- PNG

TPngImage::TPngImage() = default;

void TPngImage::LoadFromBytes(const std::uint8_t* data, std::size_t size) {
  bool alpha = false;
  QImage img = DecodePng(data, size, &alpha);
  hasAlpha_ = alpha;
  *image_ = std::move(img);
  Changed();
}

std::vector<std::uint8_t> TPngImage::SaveToBytes() const {
  return EncodePng(*image_, level_, hasAlpha_ || AnyTranslucent(*image_));
}

void TPngImage::SetImage(const QImage& image) {
  TGraphic::SetImage(image);
  hasAlpha_ = AnyTranslucent(*image_);
}

std::unique_ptr<TGraphic> TPngImage::Clone() const {
  auto copy = std::make_unique<TPngImage>();
  copy->level_ = level_;
  copy->hasAlpha_ = hasAlpha_;
  copy->transparent_ = transparent_;
  *copy->image_ = *image_;
  return copy;
}
