#include "platform/gdiplus/Image.h"

#include <QFile>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <mutex>

#include "platform/gdiplus/GdiPlusPrivate.h"
#include "platform/gdiplus/GdiPlusQt.h"

namespace Gdiplus {

namespace {

std::mutex& DecoderMutex() {
  static std::mutex m;
  return m;
}

ImageDecoder& InstalledDecoder() {
  static ImageDecoder decoder;
  return decoder;
}

// The toolkit's own readers, until the class library installs its decoders.
bool ToolkitDecode(const BYTE* data, std::size_t size, DecodedImage* out) {
  QImage image;
  if (size > std::size_t(std::numeric_limits<int>::max()) || !image.loadFromData(data, int(size)))
    return false;
  if (image.isNull()) return false;
  if (image.format() == QImage::Format_Indexed8)
    out->SourceFormat = PixelFormat8bppIndexed;
  else if (image.format() == QImage::Format_Mono || image.format() == QImage::Format_MonoLSB)
    out->SourceFormat = PixelFormat1bppIndexed;
  else
    out->SourceFormat = image.hasAlphaChannel() ? PixelFormat32bppARGB : PixelFormat24bppRGB;
  image = image.convertToFormat(QImage::Format_ARGB32);
  out->Width = image.width();
  out->Height = image.height();
  out->Pixels.resize(size_t(out->Width) * size_t(out->Height));
  for (int y = 0; y < out->Height; ++y)
    std::memcpy(&out->Pixels[size_t(y) * size_t(out->Width)], image.constScanLine(y), size_t(out->Width) * 4);
  return true;
}

// Storage for bitmaps with pixels of their own.
QImage::Format StorageFormat(PixelFormat format) {
  if (format & PixelFormatPAlpha) return QImage::Format_ARGB32_Premultiplied;
  if ((format & PixelFormatAlpha) || (format & PixelFormatIndexed)) return QImage::Format_ARGB32;
  return QImage::Format_RGB32;
}

bool KnownFormat(PixelFormat format) {
  switch (format) {
    case PixelFormat1bppIndexed:
    case PixelFormat4bppIndexed:
    case PixelFormat8bppIndexed:
    case PixelFormat16bppGrayScale:
    case PixelFormat16bppRGB555:
    case PixelFormat16bppRGB565:
    case PixelFormat16bppARGB1555:
    case PixelFormat24bppRGB:
    case PixelFormat32bppRGB:
    case PixelFormat32bppARGB:
    case PixelFormat32bppPARGB:
    case PixelFormat48bppRGB:
    case PixelFormat64bppARGB:
    case PixelFormat64bppPARGB:
      return true;
    default:
      return false;
  }
}

// Formats whose rows the toolkit can work on where they lie.
bool WrapFormat(PixelFormat format, QImage::Format* out) {
  switch (format) {
    case PixelFormat32bppARGB:
      *out = QImage::Format_ARGB32;
      return true;
    case PixelFormat32bppPARGB:
      *out = QImage::Format_ARGB32_Premultiplied;
      return true;
    case PixelFormat32bppRGB:
      *out = QImage::Format_RGB32;
      return true;
    case PixelFormat24bppRGB:
      *out = QImage::Format_BGR888;
      return true;
    case PixelFormat16bppRGB565:
      *out = QImage::Format_RGB16;
      return true;
    case PixelFormat16bppRGB555:
      *out = QImage::Format_RGB555;
      return true;
    default:
      return false;
  }
}

QRgb ReadPixel(const QImage& image, int x, int y) {
  if (image.format() == QImage::Format_ARGB32_Premultiplied)
    return qUnpremultiply(reinterpret_cast<const QRgb*>(image.constScanLine(y))[x]);
  return image.pixel(x, y);
}

std::string Utf8Path(const WCHAR* filename) {
  return detail::ToQString(filename, -1).toStdString();
}

}  // namespace

void SetImageDecoder(ImageDecoder decoder) {
  std::lock_guard<std::mutex> lock(DecoderMutex());
  InstalledDecoder() = std::move(decoder);
}

GUID DetectImageFormat(const BYTE* d, std::size_t n) {
  auto starts = [&](std::initializer_list<BYTE> sig) {
    return n >= sig.size() && std::equal(sig.begin(), sig.end(), d);
  };
  if (!d) return ImageFormatUndefined;
  if (starts({0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A})) return ImageFormatPNG;
  if (starts({0xFF, 0xD8, 0xFF})) return ImageFormatJPEG;
  if (starts({'G', 'I', 'F', '8'})) return ImageFormatGIF;
  if (starts({'B', 'M'})) return ImageFormatBMP;
  if (starts({'I', 'I', 0x2A, 0x00}) || starts({'M', 'M', 0x00, 0x2A})) return ImageFormatTIFF;
  if (starts({0x00, 0x00, 0x01, 0x00})) return ImageFormatIcon;
  if (starts({0xD7, 0xCD, 0xC6, 0x9A})) return ImageFormatWMF;
  if (starts({0x01, 0x00, 0x00, 0x00}) && n >= 44 && d[40] == ' ' && d[41] == 'E' && d[42] == 'M' &&
      d[43] == 'F')
    return ImageFormatEMF;
  return ImageFormatUndefined;
}

struct ImageAccess {
  static Bitmap* Make(QImage pixels, PixelFormat reportedFormat) {
    auto* bitmap = new Bitmap();
    bitmap->FData = std::make_unique<ImageData>();
    bitmap->FData->image = std::move(pixels);
    bitmap->FData->format = reportedFormat;
    return bitmap;
  }
};

namespace detail {

Bitmap* MakeBitmap(QImage pixels, PixelFormat reportedFormat) {
  return ImageAccess::Make(std::move(pixels), reportedFormat);
}

QImage ApplyAttributes(const QImage& source, const ImageAttributes::Settings& s) {
  QImage image = source.convertToFormat(QImage::Format_ARGB32);
  if (s.noOp) return image;
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      QRgb c = line[x];
      if (s.hasKey) {
        const auto inside = [&](int shift) {
          const int v = (c >> shift) & 0xff;
          return v >= int((s.keyLow >> shift) & 0xff) && v <= int((s.keyHigh >> shift) & 0xff);
        };
        if (inside(16) && inside(8) && inside(0)) {
          line[x] = 0;
          continue;
        }
      }
      if (s.hasMatrix) {
        const double in[5] = {qRed(c) / 255.0, qGreen(c) / 255.0, qBlue(c) / 255.0, qAlpha(c) / 255.0, 1.0};
        const bool grey = qRed(c) == qGreen(c) && qGreen(c) == qBlue(c);
        double outv[4];
        for (int k = 0; k < 4; ++k) {
          double v = 0;
          for (int r = 0; r < 5; ++r) v += in[r] * s.matrix.m[r][k];
          outv[k] = v;
        }
        if (grey && s.matrixFlags == ColorMatrixFlagsSkipGrays) {
          outv[0] = in[0];
          outv[1] = in[1];
          outv[2] = in[2];
        }
        auto byte = [](double v) { return int(std::lround(std::clamp(v, 0.0, 1.0) * 255)); };
        c = qRgba(byte(outv[0]), byte(outv[1]), byte(outv[2]), byte(outv[3]));
      }
      line[x] = c;
    }
  }
  return image;
}

}  // namespace detail

// ---- Image ----------------------------------------------------------------------

Image::Image() = default;

Image::Image(const WCHAR* filename, bool) {
  LoadFile(filename);
}

Image::Image(IStream* stream, bool) {
  LoadStream(stream);
}

Image* Image::FromFile(const WCHAR* filename, bool useIcm) {
  return new Image(filename, useIcm);
}

Image* Image::FromStream(IStream* stream, bool useIcm) {
  return new Image(stream, useIcm);
}

Image::~Image() = default;

void Image::LoadFile(const WCHAR* filename) {
  if (!filename) {
    FLastResult = InvalidParameter;
    return;
  }
  QFile file(QString::fromStdString(Utf8Path(filename)));
  if (!file.exists()) {
    FLastResult = FileNotFound;
    return;
  }
  if (!file.open(QIODevice::ReadOnly)) {
    FLastResult = AccessDenied;
    return;
  }
  const QByteArray bytes = file.readAll();
  LoadBytes(std::vector<BYTE>(bytes.begin(), bytes.end()));
}

void Image::LoadStream(IStream* stream) {
  if (!stream) {
    FLastResult = InvalidParameter;
    return;
  }
  std::vector<BYTE> bytes;
  if (!stream->ReadAll(&bytes)) {
    FLastResult = GenericError;
    return;
  }
  LoadBytes(bytes);
}

void Image::LoadBytes(const std::vector<BYTE>& bytes) {
  DecodedImage decoded;
  bool ok = false;
  {
    std::lock_guard<std::mutex> lock(DecoderMutex());
    if (InstalledDecoder()) ok = InstalledDecoder()(bytes.data(), bytes.size(), &decoded);
  }
  if (!ok) {
    decoded = DecodedImage{};
    ok = ToolkitDecode(bytes.data(), bytes.size(), &decoded);
  }
  if (!ok) {
    FLastResult = UnknownImageFormat;
    return;
  }
  if (const Status s = Adopt(decoded); s != Ok) {
    FLastResult = s == InvalidParameter ? UnknownImageFormat : s;
    return;
  }
  FData->rawFormat = DetectImageFormat(bytes.data(), bytes.size());
}

Status Image::Adopt(const DecodedImage& decoded) {
  if (decoded.Width <= 0 || decoded.Height <= 0 ||
      decoded.Pixels.size() != size_t(decoded.Width) * size_t(decoded.Height))
    return InvalidParameter;
  QImage image(decoded.Width, decoded.Height, QImage::Format_ARGB32);
  if (image.isNull()) return OutOfMemory;
  for (int y = 0; y < decoded.Height; ++y)
    std::memcpy(image.scanLine(y), &decoded.Pixels[size_t(y) * size_t(decoded.Width)],
                size_t(decoded.Width) * 4);
  FData = std::make_unique<ImageData>();
  FData->image = std::move(image);
  FData->format = KnownFormat(decoded.SourceFormat) ? decoded.SourceFormat : PixelFormat32bppARGB;
  return Ok;
}

Image* Image::Clone() const {
  if (!FData) {
    auto* copy = new Image();
    copy->FLastResult = InvalidParameter;
    return copy;
  }
  Bitmap* copy = detail::MakeBitmap(FData->image.copy(), FData->format);
  copy->Data()->rawFormat = FData->rawFormat;
  return copy;
}

UINT Image::GetWidth() const {
  if (!FData) return Record(InvalidParameter), 0;
  return UINT(FData->image.width());
}

UINT Image::GetHeight() const {
  if (!FData) return Record(InvalidParameter), 0;
  return UINT(FData->image.height());
}

PixelFormat Image::GetPixelFormat() const {
  if (!FData) return Record(InvalidParameter), PixelFormatUndefined;
  return FData->format;
}

Status Image::GetRawFormat(GUID* format) const {
  if (!format || !FData) return Record(InvalidParameter);
  *format = FData->rawFormat;
  return Ok;
}

ImageType Image::GetType() const {
  return FData ? ImageTypeBitmap : ImageTypeUnknown;
}

REAL Image::GetHorizontalResolution() const {
  if (!FData) return Record(InvalidParameter), 0.0f;
  const int dpm = FData->image.dotsPerMeterX();
  return dpm > 0 ? REAL(dpm * 0.0254) : 96.0f;
}

REAL Image::GetVerticalResolution() const {
  if (!FData) return Record(InvalidParameter), 0.0f;
  const int dpm = FData->image.dotsPerMeterY();
  return dpm > 0 ? REAL(dpm * 0.0254) : 96.0f;
}

Status Image::GetPhysicalDimension(SizeF* size) const {
  if (!size || !FData) return Record(InvalidParameter);
  *size = SizeF(REAL(FData->image.width()), REAL(FData->image.height()));
  return Ok;
}

Image* Image::GetThumbnailImage(UINT thumbWidth, UINT thumbHeight, GetThumbnailImageAbort, void*) {
  if (!FData) {
    Record(InvalidParameter);
    return nullptr;
  }
  // Zero sizes ask for the API's default thumbnail size.
  const int w = thumbWidth ? int(thumbWidth) : 120, h = thumbHeight ? int(thumbHeight) : 120;
  QImage scaled = FData->image.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                      .scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  return detail::MakeBitmap(std::move(scaled), PixelFormat32bppPARGB);
}

Status Image::RotateFlip(RotateFlipType type) {
  if (!FData) return Record(InvalidParameter);
  if (type < RotateNoneFlipNone || type > Rotate270FlipX) return Record(InvalidParameter);
  QImage image = FData->image.copy();  // no longer the caller's rows if it changes shape
  const int quarter = type & 3;
  if (quarter) image = image.transformed(QTransform().rotate(90.0 * quarter));
  if (type & 4) image = image.mirrored(true, false);
  FData->image = std::move(image);
  return Ok;
}

Status Image::GetLastStatus() const {
  const Status s = FLastResult;
  FLastResult = Ok;
  return s;
}

// ---- Bitmap ---------------------------------------------------------------------

Bitmap::Bitmap(INT width, INT height, PixelFormat format) {
  if (width <= 0 || height <= 0 || !KnownFormat(format)) {
    FLastResult = InvalidParameter;
    return;
  }
  QImage image(width, height, StorageFormat(format));
  if (image.isNull()) {
    FLastResult = OutOfMemory;
    return;
  }
  // New bitmaps start transparent black (opaque black without alpha).
  image.fill(format & PixelFormatAlpha ? 0x00000000u : 0xFF000000u);
  FData = std::make_unique<ImageData>();
  FData->image = std::move(image);
  FData->format = format;
}

Bitmap::Bitmap(INT width, INT height, INT stride, PixelFormat format, BYTE* scan0) {
  if (!scan0) {
    Bitmap own(width, height, format);
    FData = std::move(own.FData);
    FLastResult = own.FLastResult;
    return;
  }
  QImage::Format qtFormat;
  if (width <= 0 || height <= 0 || !KnownFormat(format) || stride % 4 != 0 ||
      std::abs(stride) < width * INT(GetPixelFormatSize(format) / 8)) {
    FLastResult = InvalidParameter;
    return;
  }
  if (!WrapFormat(format, &qtFormat)) {
    FLastResult = NotImplemented;
    return;
  }
  QImage image;
  if (stride > 0) {
    image = QImage(scan0, width, height, stride, qtFormat);
  } else {
    // Bottom-up rows cannot be worked on in place; they are copied.
    const QImage wrapped(scan0 + std::ptrdiff_t(stride) * (height - 1), width, height, -stride, qtFormat);
    image = wrapped.mirrored(false, true);
  }
  if (image.isNull()) {
    FLastResult = OutOfMemory;
    return;
  }
  FData = std::make_unique<ImageData>();
  FData->image = std::move(image);
  FData->format = format;
}

Bitmap::Bitmap(const WCHAR* filename, bool) {
  LoadFile(filename);
}

Bitmap::Bitmap(IStream* stream, bool) {
  LoadStream(stream);
}

Bitmap::Bitmap(const DecodedImage& decoded) {
  if (const Status s = Adopt(decoded); s != Ok) FLastResult = s;
}

Bitmap* Bitmap::FromFile(const WCHAR* filename, bool useIcm) {
  return new Bitmap(filename, useIcm);
}

Bitmap* Bitmap::FromStream(IStream* stream, bool useIcm) {
  return new Bitmap(stream, useIcm);
}

Image* Bitmap::Clone() const {
  return Image::Clone();
}

Status Bitmap::GetPixel(INT x, INT y, Color* color) const {
  if (!color || !FData) return Record(InvalidParameter);
  if (x < 0 || y < 0 || x >= FData->image.width() || y >= FData->image.height())
    return Record(InvalidParameter);
  QRgb c = ReadPixel(FData->image, x, y);
  if (!(FData->format & (PixelFormatAlpha | PixelFormatIndexed)))
    c |= 0xFF000000u;  // palettes may hold alpha
  *color = Color(ARGB(c));
  return Ok;
}

Status Bitmap::SetPixel(INT x, INT y, const Color& color) {
  if (!FData) return Record(InvalidParameter);
  QImage& image = FData->image;
  if (x < 0 || y < 0 || x >= image.width() || y >= image.height()) return Record(InvalidParameter);
  if (image.format() == QImage::Format_ARGB32_Premultiplied)
    reinterpret_cast<QRgb*>(image.scanLine(y))[x] = qPremultiply(color.GetValue());
  else
    image.setPixel(x, y, color.GetValue());
  return Ok;
}

Status Bitmap::GetHBITMAP(const Color& colorBackground, Bitmap** result) const {
  if (!result || !FData) return Record(InvalidParameter);
  QImage composed(FData->image.size(), QImage::Format_ARGB32_Premultiplied);
  composed.fill(qPremultiply(colorBackground.GetValue()));
  {
    QPainter p(&composed);
    p.drawImage(0, 0, FData->image);
  }
  *result = detail::MakeBitmap(std::move(composed), PixelFormat32bppPARGB);
  return Ok;
}

// ---- ImageAttributes ------------------------------------------------------------

ImageAttributes::ImageAttributes() = default;
ImageAttributes::~ImageAttributes() = default;

ImageAttributes* ImageAttributes::Clone() const {
  auto* copy = new ImageAttributes();
  for (int i = 0; i < ColorAdjustTypeCount; ++i) copy->FSettings[i] = FSettings[i];
  copy->FWrap = FWrap;
  copy->FWrapColor = FWrapColor;
  return copy;
}

Status ImageAttributes::SetToIdentity(ColorAdjustType type) {
  if (!ValidType(type)) return Record(InvalidParameter);
  FSettings[type].hasMatrix = false;
  return Ok;
}

Status ImageAttributes::Reset(ColorAdjustType type) {
  if (!ValidType(type)) return Record(InvalidParameter);
  FSettings[type] = Settings{};
  return Ok;
}

Status ImageAttributes::SetColorMatrix(const ColorMatrix* colorMatrix, ColorMatrixFlags mode,
                                       ColorAdjustType type) {
  if (!colorMatrix || !ValidType(type) || mode < ColorMatrixFlagsDefault || mode > ColorMatrixFlagsAltGray)
    return Record(InvalidParameter);
  FSettings[type].hasMatrix = true;
  FSettings[type].matrix = *colorMatrix;
  FSettings[type].matrixFlags = mode;
  return Ok;
}

Status ImageAttributes::ClearColorMatrix(ColorAdjustType type) {
  if (!ValidType(type)) return Record(InvalidParameter);
  FSettings[type].hasMatrix = false;
  return Ok;
}

Status ImageAttributes::SetColorKey(const Color& colorLow, const Color& colorHigh, ColorAdjustType type) {
  if (!ValidType(type)) return Record(InvalidParameter);
  FSettings[type].hasKey = true;
  FSettings[type].keyLow = colorLow.GetValue();
  FSettings[type].keyHigh = colorHigh.GetValue();
  return Ok;
}

Status ImageAttributes::ClearColorKey(ColorAdjustType type) {
  if (!ValidType(type)) return Record(InvalidParameter);
  FSettings[type].hasKey = false;
  return Ok;
}

Status ImageAttributes::SetNoOp(ColorAdjustType type) {
  if (!ValidType(type)) return Record(InvalidParameter);
  FSettings[type].noOp = true;
  return Ok;
}

Status ImageAttributes::ClearNoOp(ColorAdjustType type) {
  if (!ValidType(type)) return Record(InvalidParameter);
  FSettings[type].noOp = false;
  return Ok;
}

Status ImageAttributes::SetWrapMode(WrapMode wrap, const Color& color, bool) {
  if (wrap < WrapModeTile || wrap > WrapModeClamp) return Record(InvalidParameter);
  FWrap = wrap;
  FWrapColor = color.GetValue();
  return Ok;
}

const ImageAttributes::Settings& ImageAttributes::For(ColorAdjustType type) const {
  if (ValidType(type) && FSettings[type].Any()) return FSettings[type];
  return FSettings[ColorAdjustTypeDefault];
}

Status ImageAttributes::GetLastStatus() const {
  const Status s = FLastResult;
  FLastResult = Ok;
  return s;
}

}  // namespace Gdiplus

// ---- toolkit bridge -------------------------------------------------------------

namespace Gdiplus {

const QImage* ImagePixels(const Image* image) {
  return image && image->Data() ? &image->Data()->image : nullptr;
}

Bitmap* BitmapFromQImage(const QImage& image) {
  switch (image.format()) {
    case QImage::Format_ARGB32_Premultiplied:
      return detail::MakeBitmap(image.copy(), PixelFormat32bppPARGB);
    case QImage::Format_ARGB32:
      return detail::MakeBitmap(image.copy(), PixelFormat32bppARGB);
    case QImage::Format_RGB32:
      return detail::MakeBitmap(image.copy(), PixelFormat32bppRGB);
    default:
      if (image.isNull()) return new Bitmap(0, 0);  // invalid, InvalidParameter
      return image.hasAlphaChannel()
                 ? detail::MakeBitmap(image.convertToFormat(QImage::Format_ARGB32), PixelFormat32bppARGB)
                 : detail::MakeBitmap(image.convertToFormat(QImage::Format_RGB32), PixelFormat24bppRGB);
  }
}

}  // namespace Gdiplus
