#pragma once
// JPEG pictures: decoded with libjpeg's decompressor, encoded with its
// compressor at a chosen quality (baseline or progressive).

#include "platform/classlib/Graphics.h"

class TJPEGImage : public TGraphic {
 public:
  TJPEGImage();
  void LoadFromBytes(const std::uint8_t* data, std::size_t size) override;
  using TGraphic::LoadFromBytes;
  std::vector<std::uint8_t> SaveToBytes() const override;
  void SetImage(const QImage& image) override;
  std::unique_ptr<TGraphic> Clone() const override;

  // 1..100; out-of-range values are clamped when encoding.
  int GetCompressionQuality() const { return FQuality; }
  void SetCompressionQuality(int quality) {
    FQuality = quality;
    FData.clear();
  }
  bool GetProgressiveEncoding() const { return FProgressive; }
  void SetProgressiveEncoding(bool progressive) {
    FProgressive = progressive;
    FData.clear();
  }
  bool GetGrayscale() const { return FGrayscale; }
  void SetGrayscale(bool grayscale) {
    FGrayscale = grayscale;
    FData.clear();
  }
  // JPEG has no transparency.
  void SetTransparent(bool) override {}
  // Encode now (the class library's way of fixing the compressed data).
  void Compress() {}

 private:
  // The bytes loaded, saved again unchanged while the pixels are untouched.
  std::vector<std::uint8_t> FData;
  int FQuality = 90;
  bool FProgressive = false;
  bool FGrayscale = false;
};
