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
  int GetCompressionQuality() const { return quality_; }
  void SetCompressionQuality(int quality) {
    quality_ = quality;
    data_.clear();
  }
  bool GetProgressiveEncoding() const { return progressive_; }
  void SetProgressiveEncoding(bool progressive) {
    progressive_ = progressive;
    data_.clear();
  }
  bool GetGrayscale() const { return grayscale_; }
  void SetGrayscale(bool grayscale) {
    grayscale_ = grayscale;
    data_.clear();
  }
  // JPEG has no transparency.
  void SetTransparent(bool) override {}
  // Encode now (the class library's way of fixing the compressed data).
  void Compress() {}

 private:
  // The bytes loaded, saved again unchanged while the pixels are untouched.
  std::vector<std::uint8_t> data_;
  int quality_ = 90;
  bool progressive_ = false;
  bool grayscale_ = false;
};
