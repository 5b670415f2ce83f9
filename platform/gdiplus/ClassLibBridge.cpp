#include "platform/gdiplus/ClassLibBridge.h"

#include <QImage>
#include <QRegion>

#include "platform/classlib/Forms.h"
#include "platform/classlib/Graphics.h"
#include "platform/classlib/PictureCodec.h"
#include "platform/gdiplus/GdiPlusPrivate.h"
#include "platform/gdiplus/GdiPlusQt.h"
#include "platform/gdiplus/Image.h"

namespace Gdiplus {

std::unique_ptr<Graphics> GraphicsFromCanvas(TCanvas* canvas) {
  if (!canvas || !canvas->HasSurface()) return nullptr;
  auto graphics = std::make_unique<Graphics>(canvas->GetImage());
  GraphicsData* d = graphics->Data();
  if (!d) return graphics;
  // The canvas's origin is the graphics' device frame, its clip the outer
  // limit of any clip set on the graphics.
  const TPoint offset = canvas->DeviceOffset();
  d->base = QTransform::fromTranslate(offset.X, offset.Y);
  const QRegion clip = canvas->ClipRegion();
  if (clip != QRegion(canvas->GetImage()->rect())) {
    d->baseClipping = true;
    d->baseClip = QPainterPath();
    d->baseClip.addRegion(clip);
  }
  d->onChanged = [canvas] { canvas->NotifyChanged(); };
  return graphics;
}

std::unique_ptr<Graphics> GraphicsFromBitmap(TBitmap* bitmap) {
  return bitmap ? GraphicsFromCanvas(bitmap->GetCanvas()) : nullptr;
}

bool UpdateLayeredWindow(TCustomForm* Form, const Bitmap* Buffer, BYTE ConstantAlpha) {
  const QImage* pixels = Buffer ? ImagePixels(Buffer) : nullptr;
  if (!Form || !pixels) return false;
  Form->UpdateLayeredImage(*pixels, ConstantAlpha);
  return true;
}

namespace {

bool AnyTranslucent(const QImage& image) {
  if (!image.hasAlphaChannel()) return false;
  for (int y = 0; y < image.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x)
      if (qAlpha(row[x]) != 255) return true;
  }
  return false;
}

bool DecodeWithClassLib(const BYTE* data, std::size_t size, DecodedImage* out) {
  QImage image;
  bool alpha = false;
  try {
    switch (SniffPictureFormat(data, size)) {
      case PictureFormat::Bmp:
        image = DecodeBmp(data, size);
        alpha = AnyTranslucent(image);
        break;
      case PictureFormat::Png:
        image = DecodePng(data, size, &alpha);
        break;
      case PictureFormat::Jpeg:
        image = DecodeJpeg(data, size);
        break;
      default:
        return false;
    }
  } catch (const Exception&) {
    return false;
  }
  if (image.isNull()) return false;
  image = image.convertToFormat(QImage::Format_ARGB32);
  out->Width = image.width();
  out->Height = image.height();
  out->SourceFormat = alpha ? PixelFormat32bppARGB : PixelFormat24bppRGB;
  out->Pixels.resize(static_cast<std::size_t>(out->Width) * static_cast<std::size_t>(out->Height));
  for (int y = 0; y < out->Height; ++y) {
    const auto* row = reinterpret_cast<const ARGB*>(image.constScanLine(y));
    std::copy(row, row + out->Width, out->Pixels.begin() + static_cast<std::ptrdiff_t>(y) * out->Width);
  }
  return true;
}

}  // namespace

void InstallClassLibDecoders() {
  SetImageDecoder(&DecodeWithClassLib);
}

}  // namespace Gdiplus
