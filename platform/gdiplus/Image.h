// Images and bitmaps. Pixels are kept in memory as 32-bit colours (or over
// the caller's own buffer for the formats that allow it); encoded pictures
// are decoded at once through the installed image decoder.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

#include "platform/gdiplus/GdiPlusTypes.h"

namespace Gdiplus {

// Bytes of an encoded picture. The class library's streams adapt to this; a
// stream is read whole, from its start, while the image is being made.
class IStream {
 public:
  virtual ~IStream() = default;
  virtual bool ReadAll(std::vector<BYTE>* bytes) = 0;
};

class MemoryStream : public IStream {
 public:
  explicit MemoryStream(std::vector<BYTE> bytes) : FBytes(std::move(bytes)) {}
  MemoryStream(const void* data, std::size_t size)
      : FBytes(static_cast<const BYTE*>(data), static_cast<const BYTE*>(data) + size) {}
  bool ReadAll(std::vector<BYTE>* bytes) override {
    *bytes = FBytes;
    return true;
  }

 private:
  std::vector<BYTE> FBytes;
};

// What a decoder hands back: top-down rows of unpremultiplied ARGB values and
// the pixel format the file stored (reported by GetPixelFormat).
struct DecodedImage {
  INT Width = 0;
  INT Height = 0;
  PixelFormat SourceFormat = PixelFormat32bppARGB;
  std::vector<ARGB> Pixels;
};

// Decodes encoded bytes; false when it cannot. The class library installs
// its picture readers here at start-up. Until then the readers built into the
// window toolkit are used.
using ImageDecoder = std::function<bool(const BYTE* data, std::size_t size, DecodedImage* image)>;
void SetImageDecoder(ImageDecoder decoder);

// The raw format of encoded bytes, told by their signature; Undefined for
// anything else.
GUID DetectImageFormat(const BYTE* data, std::size_t size);

struct ImageData;

class Image {
 public:
  explicit Image(const WCHAR* filename, bool useEmbeddedColorManagement = false);
  explicit Image(IStream* stream, bool useEmbeddedColorManagement = false);
  static Image* FromFile(const WCHAR* filename, bool useEmbeddedColorManagement = false);
  static Image* FromStream(IStream* stream, bool useEmbeddedColorManagement = false);
  Image(const Image&) = delete;
  Image& operator=(const Image&) = delete;
  virtual ~Image();

  virtual Image* Clone() const;
  UINT GetWidth() const;
  UINT GetHeight() const;
  PixelFormat GetPixelFormat() const;
  Status GetRawFormat(GUID* format) const;
  ImageType GetType() const;
  REAL GetHorizontalResolution() const;
  REAL GetVerticalResolution() const;
  Status GetPhysicalDimension(SizeF* size) const;
  Image* GetThumbnailImage(UINT thumbWidth, UINT thumbHeight, GetThumbnailImageAbort callback = nullptr,
                           void* callbackData = nullptr);
  Status RotateFlip(RotateFlipType rotateFlipType);
  Status GetLastStatus() const;

  // For the renderer and the toolkit bridge; null when the image is invalid.
  ImageData* Data() const { return FData.get(); }

 protected:
  Image();
  Status Record(Status s) const {
    if (s != Ok) FLastResult = s;
    return s;
  }
  void LoadBytes(const std::vector<BYTE>& bytes);
  // Takes decoded pixels as this image; InvalidParameter for inconsistent sizes.
  Status Adopt(const DecodedImage& decoded);
  void LoadFile(const WCHAR* filename);
  void LoadStream(IStream* stream);

  std::unique_ptr<ImageData> FData;
  mutable Status FLastResult = Ok;
  friend struct ImageAccess;
};

class Bitmap : public Image {
 public:
  Bitmap(INT width, INT height, PixelFormat format = PixelFormat32bppARGB);
  // With scan0 the bitmap draws into the caller's rows (stride bytes apart,
  // a multiple of 4) for 24- and 32-bit formats; without it, it has its own.
  Bitmap(INT width, INT height, INT stride, PixelFormat format, BYTE* scan0);
  explicit Bitmap(const WCHAR* filename, bool useIcm = false);
  explicit Bitmap(IStream* stream, bool useIcm = false);
  // A bitmap of decoded pixels, copied.
  explicit Bitmap(const DecodedImage& image);
  static Bitmap* FromFile(const WCHAR* filename, bool useIcm = false);
  static Bitmap* FromStream(IStream* stream, bool useIcm = false);

  Image* Clone() const override;
  Status GetPixel(INT x, INT y, Color* color) const;
  Status SetPixel(INT x, INT y, const Color& color);
  // There is no device bitmap here: the result is a new bitmap of
  // premultiplied pixels composed over the background colour, which the
  // class library presents; it belongs to the caller.
  Status GetHBITMAP(const Color& colorBackground, Bitmap** result) const;

 protected:
  Bitmap() = default;
  friend struct ImageAccess;
};

// Colour adjustments applied when an image is drawn or made into a texture.
class ImageAttributes {
 public:
  ImageAttributes();
  ImageAttributes(const ImageAttributes&) = delete;
  ImageAttributes& operator=(const ImageAttributes&) = delete;
  ~ImageAttributes();

  ImageAttributes* Clone() const;
  Status SetToIdentity(ColorAdjustType type = ColorAdjustTypeDefault);
  Status Reset(ColorAdjustType type = ColorAdjustTypeDefault);
  Status SetColorMatrix(const ColorMatrix* colorMatrix, ColorMatrixFlags mode = ColorMatrixFlagsDefault,
                        ColorAdjustType type = ColorAdjustTypeDefault);
  Status ClearColorMatrix(ColorAdjustType type = ColorAdjustTypeDefault);
  // Pixels whose red, green and blue each lie between those of the two keys
  // become transparent.
  Status SetColorKey(const Color& colorLow, const Color& colorHigh,
                     ColorAdjustType type = ColorAdjustTypeDefault);
  Status ClearColorKey(ColorAdjustType type = ColorAdjustTypeDefault);
  Status SetNoOp(ColorAdjustType type = ColorAdjustTypeDefault);
  Status ClearNoOp(ColorAdjustType type = ColorAdjustTypeDefault);
  Status SetWrapMode(WrapMode wrap, const Color& color = Color(), bool clamp = false);
  Status GetLastStatus() const;

  struct Settings {
    bool noOp = false;
    bool hasMatrix = false;
    ColorMatrix matrix{};
    ColorMatrixFlags matrixFlags = ColorMatrixFlagsDefault;
    bool hasKey = false;
    ARGB keyLow = 0, keyHigh = 0;
    bool Any() const { return noOp || hasMatrix || hasKey; }
  };
  // The settings that apply to a kind of drawing: its own when it has any,
  // else the default ones.
  const Settings& For(ColorAdjustType type) const;
  WrapMode GetWrap() const { return FWrap; }

 private:
  Status Record(Status s) const {
    if (s != Ok) FLastResult = s;
    return s;
  }
  bool ValidType(ColorAdjustType type) const {
    return type >= ColorAdjustTypeDefault && type < ColorAdjustTypeCount;
  }

  Settings FSettings[ColorAdjustTypeCount];
  WrapMode FWrap = WrapModeClamp;
  ARGB FWrapColor = 0;
  mutable Status FLastResult = Ok;
};

}  // namespace Gdiplus
