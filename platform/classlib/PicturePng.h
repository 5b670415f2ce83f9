#pragma once
// PNG pictures: decoded and encoded with libpng over zlib. A PNG keeps its
// alpha channel and is drawn blended by it.

#include "platform/classlib/Graphics.h"

class TPngImage : public TGraphic {
 public:
  TPngImage();
  void LoadFromBytes(const std::uint8_t* data, std::size_t size) override;
  using TGraphic::LoadFromBytes;
  std::vector<std::uint8_t> SaveToBytes() const override;
  void SetImage(const QImage& image) override;
  std::unique_ptr<TGraphic> Clone() const override;

  // zlib level 0..9; out-of-range values are clamped when encoding.
  int GetCompressionLevel() const { return FLevel; }
  void SetCompressionLevel(int level) { FLevel = level; }
  // True when the decoded picture carries an alpha channel or a tRNS key.
  bool GetHasAlpha() const { return FHasAlpha; }

 private:
  int FLevel = 6;
  bool FHasAlpha = false;
};
