#pragma once
// TGDIPPicture: a picture kept as its image file's bytes, used by the
// fader's thumb and background pictures. Unlike TAdvGDIPPicture it stretches
// a bitmap into the rectangle it is drawn in, and form data leaves its size
// unmeasured until GetImageSizes runs.

#include "controls/AdvGDIP.h"

class TGDIPPicture : public TPictureBytes {
 public:
  TGDIPPicture() = default;

  using TGraphic::Assign;
  void Assign(const TGraphic* Source) override;
  void Assign(TPersistent* Source) override;
  std::unique_ptr<TGraphic> Clone() const override;

  void Draw(TCanvas* Canvas, const TRect& R) const override;
  // At its natural size at (X, Y), and scaled into a rectangle.
  void DrawImage(TGPGraphics* Graphics, int X, int Y);
  void DrawImageRect(TGPGraphics* Graphics, int X, int Y, int W, int H);

  void ReadData(TStream* Stream) override;
};
