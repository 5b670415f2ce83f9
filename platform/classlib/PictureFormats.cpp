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
  FData.assign(data, data + size);
  *FImage = std::move(img);
  Changed();
}

std::vector<std::uint8_t> TJPEGImage::SaveToBytes() const {
  if (!FData.empty()) return FData;
  return EncodeJpeg(*FImage, FQuality, FProgressive, FGrayscale);
}

void TJPEGImage::SetImage(const QImage& image) {
  FData.clear();
  TGraphic::SetImage(image);
  // JPEG pixels are opaque.
  for (int y = 0; y < FImage->height(); ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(FImage->scanLine(y));
    for (int x = 0; x < FImage->width(); ++x) line[x] |= 0xFF000000u;
  }
}

std::unique_ptr<TGraphic> TJPEGImage::Clone() const {
  auto copy = std::make_unique<TJPEGImage>();
  copy->FQuality = FQuality;
  copy->FProgressive = FProgressive;
  copy->FGrayscale = FGrayscale;
  copy->FData = FData;
  *copy->FImage = *FImage;
  return copy;
}

// ---------------------------------------------------------------- PNG

TPngImage::TPngImage() = default;

void TPngImage::LoadFromBytes(const std::uint8_t* data, std::size_t size) {
  bool alpha = false;
  QImage img = DecodePng(data, size, &alpha);
  FHasAlpha = alpha;
  *FImage = std::move(img);
  Changed();
}

std::vector<std::uint8_t> TPngImage::SaveToBytes() const {
  return EncodePng(*FImage, FLevel, FHasAlpha || AnyTranslucent(*FImage));
}

void TPngImage::SetImage(const QImage& image) {
  TGraphic::SetImage(image);
  FHasAlpha = AnyTranslucent(*FImage);
}

std::unique_ptr<TGraphic> TPngImage::Clone() const {
  auto copy = std::make_unique<TPngImage>();
  copy->FLevel = FLevel;
  copy->FHasAlpha = FHasAlpha;
  copy->FTransparent = FTransparent;
  *copy->FImage = *FImage;
  return copy;
}
