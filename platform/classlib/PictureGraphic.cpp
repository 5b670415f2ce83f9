// TGraphic, TBitmap and TPicture: pixels in a QImage, formats by signature.

#include <QImage>
#include <QPainter>

#include "platform/classlib/Graphics.h"
#include "platform/classlib/PictureCodec.h"
#include "platform/classlib/PictureJpeg.h"
#include "platform/classlib/PicturePng.h"

namespace {

bool AnyTranslucent(const QImage& img) {
  if (!img.hasAlphaChannel()) return false;
  const QImage argb =
      img.format() == QImage::Format_ARGB32 ? img : img.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < argb.height(); ++y) {
    const QRgb* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
    for (int x = 0; x < argb.width(); ++x)
      if (qAlpha(line[x]) != 255) return true;
  }
  return false;
}

// The colours as they are, alpha dropped (not blended onto black).
QImage Opaque(const QImage& img) {
  QImage out = img.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < out.height(); ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < out.width(); ++x) line[x] |= 0xFF000000u;
  }
  return out.convertToFormat(QImage::Format_RGB32);
}

QRgb KeyRgb(TColor c) {
  const TColor rgb = ColorToRGB(c);
  return qRgb(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

// Paints `img` into r of the canvas: scaled without smoothing, blended by
// its alpha when it has any, clipped to the canvas clip.
void PaintImage(TCanvas* canvas, const TRect& r, const QImage& img) {
  if (!canvas || !canvas->HasSurface() || img.isNull() || r.IsEmpty()) return;
  QPainter p;
  if (!canvas->BeginPainter(p)) return;
  p.setRenderHint(QPainter::SmoothPixmapTransform, false);
  p.setCompositionMode(img.hasAlphaChannel() ? QPainter::CompositionMode_SourceOver
                                             : QPainter::CompositionMode_Source);
  p.drawImage(QRect(r.Left, r.Top, r.Width(), r.Height()), img);
}

}  // namespace

// ---------------------------------------------------------------- TGraphic

TGraphic::TGraphic() : FImage(std::make_unique<QImage>()) {}

TGraphic::~TGraphic() = default;

int TGraphic::GetWidth() const {
  return FImage->isNull() ? 0 : FImage->width();
}

int TGraphic::GetHeight() const {
  return FImage->isNull() ? 0 : FImage->height();
}

bool TGraphic::GetEmpty() const {
  return FImage->isNull() || FImage->width() == 0 || FImage->height() == 0;
}

void TGraphic::SetTransparent(bool transparent) {
  if (transparent == FTransparent) return;
  FTransparent = transparent;
  Changed();
}

void TGraphic::Changed() {
  if (OnChange) OnChange(this);
}

void TGraphic::LoadFromStream(TStream* stream) {
  if (!stream) return;
  const std::vector<std::uint8_t> bytes = stream->ReadRemaining();
  LoadFromBytes(bytes.data(), bytes.size());
}

void TGraphic::SaveToStream(TStream* stream) const {
  if (!stream) return;
  const std::vector<std::uint8_t> bytes = SaveToBytes();
  stream->WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
}

void TGraphic::LoadFromFile(const std::string& fileName) {
  const std::vector<std::uint8_t> bytes = ReadFileBytes(fileName);
  LoadFromBytes(bytes.data(), bytes.size());
}

void TGraphic::SaveToFile(const std::string& fileName) const {
  // Encode first: a picture that cannot be encoded never truncates the file.
  WriteFileBytes(fileName, SaveToBytes());
}

void TGraphic::LoadFromBytes(const std::vector<std::uint8_t>& bytes) {
  LoadFromBytes(bytes.data(), bytes.size());
}

void TGraphic::Assign(const TGraphic* source) {
  if (source == this) return;
  FTransparent = source ? source->FTransparent : false;
  SetImage(source ? source->GetImage() : QImage());
}

void TGraphic::Assign(TPersistent* Source) {
  if (const auto* g = dynamic_cast<const TGraphic*>(Source)) {
    Assign(g);
  } else if (const auto* pic = dynamic_cast<const TPicture*>(Source)) {
    Assign(static_cast<const TGraphic*>(pic->GetGraphic()));
  } else {
    TPersistent::Assign(Source);
  }
}

const QImage& TGraphic::GetImage() const {
  return *FImage;
}

void TGraphic::SetImage(const QImage& image) {
  *FImage = image.isNull() ? QImage() : image.convertToFormat(QImage::Format_ARGB32);
  Changed();
}

void TGraphic::Draw(TCanvas* canvas, const TRect& r) const {
  PaintImage(canvas, r, *FImage);
}

// ---------------------------------------------------------------- TBitmap

TBitmap::TBitmap() : Canvas(new TCanvas) {
  Canvas->SetImage(FImage.get());
}

TBitmap::TBitmap(int width, int height) : TBitmap() {
  SetSize(width, height);
}

TBitmap::~TBitmap() {
  delete Canvas;
}

int TBitmap::GetWidth() const {
  return FImage->isNull() ? FEmptyWidth : TGraphic::GetWidth();
}

int TBitmap::GetHeight() const {
  return FImage->isNull() ? FEmptyHeight : TGraphic::GetHeight();
}

void TBitmap::SetWidth(int width) {
  SetSize(width, GetHeight());
}

void TBitmap::SetHeight(int height) {
  SetSize(GetWidth(), height);
}

void TBitmap::SetSize(int width, int height) {
  width = std::max(0, width);
  height = std::max(0, height);
  if (width == GetWidth() && height == GetHeight()) return;
  if (static_cast<std::int64_t>(width) * height > kMaxPicturePixels)
    throw EOutOfResources("Not enough storage is available to process this command");
  if (width == 0 || height == 0) {
    *FImage = QImage();
  } else {
    QImage next(width, height, FPixelFormat == pf32bit ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (next.isNull()) throw EOutOfResources("Not enough storage is available to process this command");
    next.fill(0xFFFFFFFFu);
    if (!FImage->isNull()) {
      QPainter p(&next);
      p.setCompositionMode(QPainter::CompositionMode_Source);
      p.drawImage(0, 0, *FImage);
    }
    *FImage = next;
  }
  FEmptyWidth = width;
  FEmptyHeight = height;
  Canvas->SetImage(FImage.get());
  Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
  if (format == FPixelFormat) return;
  FPixelFormat = format;
  if (!FImage->isNull()) {
    if (format == pf32bit) {
      *FImage = FImage->convertToFormat(QImage::Format_ARGB32);
    } else {
      *FImage = Opaque(*FImage);
    }
  }
  Canvas->SetImage(FImage.get());
  Changed();
}

TColor TBitmap::GetTransparentColor() const {
  if (FTransparentMode == tmFixed) return FTransparentColor;
  if (GetEmpty()) return clNone;
  return RGB(qRed(FImage->pixel(0, FImage->height() - 1)), qGreen(FImage->pixel(0, FImage->height() - 1)),
             qBlue(FImage->pixel(0, FImage->height() - 1)));
}

void TBitmap::SetTransparentColor(TColor color) {
  FTransparentColor = color;
  FTransparentMode = color == clDefault ? tmAuto : tmFixed;
  Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode mode) {
  if (mode == FTransparentMode) return;
  FTransparentMode = mode;
  Changed();
}

void TBitmap::LoadFromBytes(const std::uint8_t* data, std::size_t size) {
  QImage img;
  switch (SniffPictureFormat(data, size)) {
    case PictureFormat::Bmp:
      img = DecodeBmp(data, size);
      break;
    case PictureFormat::Png:
      img = DecodePng(data, size);
      break;
    case PictureFormat::Jpeg:
      img = DecodeJpeg(data, size);
      break;
    default:
      throw EInvalidGraphic("Bitmap image is not valid");
  }
  // Decoding succeeded: only now is the old picture replaced.
  const bool alpha = AnyTranslucent(img);
  FPixelFormat = alpha ? pf32bit : pf24bit;
  FEmptyWidth = FEmptyHeight = 0;
  *FImage = alpha ? img.convertToFormat(QImage::Format_ARGB32) : Opaque(img);
  Canvas->SetImage(FImage.get());
  Changed();
}

std::vector<std::uint8_t> TBitmap::SaveToBytes() const {
  if (GetEmpty()) throw EInvalidGraphicOperation("Cannot save an empty bitmap");
  return EncodeBmp(*FImage, FPixelFormat == pf32bit);
}

void TBitmap::Assign(const TGraphic* source) {
  if (source == this) return;
  if (const auto* bmp = dynamic_cast<const TBitmap*>(source)) {
    FPixelFormat = bmp->FPixelFormat;
    FTransparentColor = bmp->FTransparentColor;
    FTransparentMode = bmp->FTransparentMode;
    FTransparent = bmp->FTransparent;
    FEmptyWidth = bmp->FEmptyWidth;
    FEmptyHeight = bmp->FEmptyHeight;
    *FImage = *bmp->FImage;
    FImage->detach();
  } else if (source) {
    // Another format: keep its alpha in a 32-bit bitmap.
    const bool alpha = AnyTranslucent(source->GetImage());
    FPixelFormat = alpha ? pf32bit : pf24bit;
    FTransparent = source->GetTransparent();
    *FImage = source->GetEmpty() ? QImage()
              : alpha            ? source->GetImage().convertToFormat(QImage::Format_ARGB32)
                                 : Opaque(source->GetImage());
  } else {
    *FImage = QImage();
  }
  Canvas->SetImage(FImage.get());
  Changed();
}

std::unique_ptr<TGraphic> TBitmap::Clone() const {
  auto copy = std::make_unique<TBitmap>();
  copy->Assign(this);
  return copy;
}

void TBitmap::SetImage(const QImage& image) {
  FEmptyWidth = FEmptyHeight = 0;
  if (image.isNull())
    *FImage = QImage();
  else
    *FImage = FPixelFormat == pf32bit ? image.convertToFormat(QImage::Format_ARGB32) : Opaque(image);
  Canvas->SetImage(FImage.get());
  Changed();
}

void TBitmap::Draw(TCanvas* canvas, const TRect& r) const {
  if (GetEmpty()) return;
  if (!FTransparent) {
    PaintImage(canvas, r, *FImage);
    return;
  }
  // Colour key: every pixel of the key colour is left out.
  const QRgb key = KeyRgb(GetTransparentColor()) & 0xFFFFFF;
  QImage keyed = FImage->convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < keyed.height(); ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(keyed.scanLine(y));
    for (int x = 0; x < keyed.width(); ++x)
      if ((line[x] & 0xFFFFFF) == key) line[x] = 0;
  }
  PaintImage(canvas, r, keyed);
}

// ---------------------------------------------------------------- TPicture

std::unique_ptr<TGraphic> NewGraphicForData(const std::uint8_t* data, std::size_t size) {
  switch (SniffPictureFormat(data, size)) {
    case PictureFormat::Bmp:
      return std::make_unique<TBitmap>();
    case PictureFormat::Png:
      return std::make_unique<TPngImage>();
    case PictureFormat::Jpeg:
      return std::make_unique<TJPEGImage>();
    default:
      return nullptr;
  }
}

TPicture::TPicture() = default;

TPicture::~TPicture() = default;

void TPicture::Changed() {
  if (OnChange) OnChange(this);
}

void TPicture::SetGraphic(const TGraphic* graphic) {
  if (graphic == FGraphic.get()) return;
  std::unique_ptr<TGraphic> copy = graphic ? graphic->Clone() : nullptr;
  FGraphic = std::move(copy);
  if (FGraphic) FGraphic->OnChange = [this](TGraphic*) { Changed(); };
  Changed();
}

TBitmap* TPicture::GetBitmap() {
  if (auto* bmp = dynamic_cast<TBitmap*>(FGraphic.get())) return bmp;
  auto bmp = std::make_unique<TBitmap>();
  if (FGraphic) bmp->Assign(FGraphic.get());
  FGraphic = std::move(bmp);
  FGraphic->OnChange = [this](TGraphic*) { Changed(); };
  return static_cast<TBitmap*>(FGraphic.get());
}

int TPicture::GetWidth() const {
  return FGraphic ? FGraphic->GetWidth() : 0;
}

int TPicture::GetHeight() const {
  return FGraphic ? FGraphic->GetHeight() : 0;
}

void TPicture::LoadFromFile(const std::string& fileName) {
  const std::vector<std::uint8_t> bytes = ReadFileBytes(fileName);
  LoadFromBytes(bytes.data(), bytes.size());
}

void TPicture::LoadFromStream(TStream* stream) {
  if (!stream) return;
  const std::vector<std::uint8_t> bytes = stream->ReadRemaining();
  LoadFromBytes(bytes.data(), bytes.size());
}

void TPicture::LoadFromBytes(const std::uint8_t* data, std::size_t size) {
  std::unique_ptr<TGraphic> g = NewGraphicForData(data, size);
  if (!g) throw EInvalidGraphic("Unknown picture format");
  g->LoadFromBytes(data, size);
  FGraphic = std::move(g);
  FGraphic->OnChange = [this](TGraphic*) { Changed(); };
  Changed();
}

void TPicture::SaveToFile(const std::string& fileName) const {
  if (FGraphic) FGraphic->SaveToFile(fileName);
}

void TPicture::Assign(TPersistent* Source) {
  if (const auto* pic = dynamic_cast<const TPicture*>(Source)) {
    Assign(pic);
  } else if (const auto* g = dynamic_cast<const TGraphic*>(Source)) {
    SetGraphic(g);
  } else {
    TPersistent::Assign(Source);
  }
}

void TPicture::Assign(const TPicture* source) {
  if (source == this) return;
  SetGraphic(source ? source->FGraphic.get() : nullptr);
}
