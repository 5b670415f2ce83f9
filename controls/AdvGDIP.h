#pragma once
// The controls' drawing object layer: GDI+ drawing objects under the names
// the controls use, the only two ways a TColor becomes an ARGB colour, the
// gradient kinds shared by the fills, and TAdvGDIPPicture, a picture kept as
// the bytes of its image file and decoded whenever it is drawn.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/classlib/Graphics.h"
#include "platform/gdiplus/GdiPlus.h"

// One drawing object per class; each keeps the status of its last failed
// call (GetLastStatus) instead of throwing.
using TGPPointF = Gdiplus::PointF;
using TGPPoint = Gdiplus::Point;
using TGPRectF = Gdiplus::RectF;
using TGPRect = Gdiplus::Rect;
using TGPGraphics = Gdiplus::Graphics;
using TGPPen = Gdiplus::Pen;
using TGPBrush = Gdiplus::Brush;
using TGPSolidBrush = Gdiplus::SolidBrush;
using TGPHatchBrush = Gdiplus::HatchBrush;
using TGPTextureBrush = Gdiplus::TextureBrush;
using TGPLinearGradientBrush = Gdiplus::LinearGradientBrush;
using TGPPathGradientBrush = Gdiplus::PathGradientBrush;
using TGPGraphicsPath = Gdiplus::GraphicsPath;
using TGPRegion = Gdiplus::Region;
using TGPFont = Gdiplus::Font;
using TGPFontFamily = Gdiplus::FontFamily;
using TGPStringFormat = Gdiplus::StringFormat;
using TGPMatrix = Gdiplus::Matrix;
using TGPImage = Gdiplus::Image;
using TGPBitmap = Gdiplus::Bitmap;
using TGPImageAttributes = Gdiplus::ImageAttributes;

enum TGPImageFormat {
  ifUndefined,
  ifMemoryBMP,
  ifBMP,
  ifEMF,
  ifWMF,
  ifJPEG,
  ifPNG,
  ifGIF,
  ifTIFF,
  ifEXIF,
  ifIcon
};

enum TAdvGradientType {
  gtSolid,
  gtRadial,
  gtVertical,
  gtHorizontal,
  gtForwardDiagonal,
  gtBackwardDiagonal,
  gtAngle,
  gtHatch,
  gtPath,
  gtTexture,
  gtNone
};

// The resolved colour (system colours included) with the given alpha.
Gdiplus::ARGB ArgbFromColor(std::uint8_t Alpha, TColor Color);
Gdiplus::ARGB OpaqueArgbFromColor(TColor Color);

// The format of an image by its raw format identifier.
TGPImageFormat GetImageFormat(const TGPImage& Image);

// Whole-pixel rounding with halves to the even neighbour, as every pixel
// position of the controls is rounded.
int RoundHalfEven(double Value);

// Header readers: width and height from the first bytes of an image file,
// both 0 unless found. They never read past the data given.
struct TImageHeaderSize {
  std::uint16_t Width = 0;
  std::uint16_t Height = 0;
};
TImageHeaderSize ReadJpegSize(const std::vector<std::uint8_t>& Data);
TImageHeaderSize ReadPngSize(const std::vector<std::uint8_t>& Data);
TImageHeaderSize ReadGifSize(const std::vector<std::uint8_t>& Data);
TImageHeaderSize ReadBmpSize(const std::vector<std::uint8_t>& Data);
TImageHeaderSize ReadTiffSize(const std::vector<std::uint8_t>& Data);

// What both picture classes share: the file's bytes, emptiness, the last
// measured size and the clear notice.
class TPictureBytes : public TGraphic {
 public:
  int GetWidth() const override { return FWidth; }
  int GetHeight() const override { return FHeight; }
  bool GetEmpty() const override { return FIsEmpty; }
  const std::vector<std::uint8_t>& GetBytes() const { return FData; }

  // Measures through the decoder: false when empty; true otherwise, with
  // both sizes 0 when the bytes do not decode.
  bool GetImageSizes();

  // Copies the bytes, marks the picture full, measures and notifies.
  void LoadFromBytes(const std::uint8_t* Data, std::size_t Size) override;
  using TGraphic::LoadFromBytes;
  std::vector<std::uint8_t> SaveToBytes() const override { return FData; }
  void LoadFromStream(TStream* Stream) override;
  void SaveToStream(TStream* Stream) const override;
  // Form data: takes the bytes without a change notice.
  virtual void ReadData(TStream* Stream) = 0;
  void WriteData(TStream* Stream) const { SaveToStream(Stream); }
  // Within a guard: a file that cannot be read leaves the picture empty.
  virtual void LoadFromFile(const std::string& FileName);

  // A decoded image of the bytes; null when empty.
  std::unique_ptr<TGPImage> Decode() const;

  TNotifyEvent OnClear;

 protected:
  TPictureBytes() = default;
  void TakeBytes(std::vector<std::uint8_t> Bytes);
  void CopyInto(TPictureBytes& Copy) const;
  // The bytes decoded by the class library's picture readers; null when
  // empty or undecodable.
  std::unique_ptr<TGraphic> DecodedGraphic() const;
  // How a picture loaded from a file measures itself.
  virtual void MeasureLoadedFile(const std::string& FileName);
  // Takes the pixels of another graphic as BMP bytes (the class library's
  // bitmaps and pictures save themselves); false for no graphic.
  bool TakeGraphic(const TGraphic* Source);
  void Clear();

  std::vector<std::uint8_t> FData;
  bool FIsEmpty = true;
  int FWidth = 0;
  int FHeight = 0;
};

class TAdvGDIPPicture : public TPictureBytes {
 public:
  TAdvGDIPPicture() = default;

  using TGraphic::Assign;
  void Assign(const TGraphic* Source) override;
  void Assign(TPersistent* Source) override;
  std::unique_ptr<TGraphic> Clone() const override;

  // At its own size for a bitmap (key colour on), scaled into R otherwise.
  void Draw(TCanvas* Canvas, const TRect& R) const override;
  void GDIPDraw(TGPGraphics* Graphics, const TRect& R);
  void GDIPDraw(TGPGraphics* Graphics, const TGPRectF& R);
  // Tiles the picture over the shape.
  void FillRect(TGPGraphics* Graphics, const TGPRectF& R);
  void FillPath(TGPGraphics* Graphics, TGPGraphicsPath* Path);

  bool GetImageSizesFromFileName(const std::string& FileName);
  void ReadData(TStream* Stream) override;
  // "RES://" names are not supported here (there are no resources);
  // "FILE://name" loads a file.
  void LoadFromURL(const std::string& Url);

 protected:
  void MeasureLoadedFile(const std::string& FileName) override;

  TTransparentMode GetTransparentMode() const { return FBitmapTransparentMode; }
  void SetTransparentMode(TTransparentMode Value) { FBitmapTransparentMode = Value; }
  TColor GetTransparentColor() const { return FBitmapTransparentColor; }
  void SetTransparentColor(TColor Value) { FBitmapTransparentColor = Value; }
  int GetPixelDepth() const { return FPixelDepth; }
  bool GetHasAlpha() const { return FHasAlpha; }
  bool GetHasPalette() const { return FHasPalette; }
  int GetPixelFormat() const { return FPixelFormat; }

 private:
  bool FDrawing = false;
  TTransparentMode FBitmapTransparentMode = tmAuto;
  TColor FBitmapTransparentColor = clWhite;
  int FPixelDepth = 0;
  bool FHasAlpha = false;
  bool FHasPalette = false;
  int FPixelFormat = 0;
};
