#include "platform/classlib/Metafile.h"

#include <QImage>

#include <cmath>
#include <cstring>

#include "platform/classlib/CanvasRecord.h"
#include "platform/classlib/GraphicsErrors.h"

namespace {

constexpr std::uint32_t kEmrHeader = 1;
constexpr std::uint32_t kEmrEof = 14;
constexpr std::uint32_t kEmrStretchDIBits = 81;
constexpr std::uint32_t kEmfSignature = 0x464D4520;  // " EMF"
constexpr std::uint32_t kSrcCopy = 0x00CC0020;
constexpr std::uint32_t kHeaderSize = 108;  // with the pixel-format and micrometre fields
constexpr std::uint32_t kStretchFixed = 80;
constexpr std::uint32_t kBitmapInfoSize = 40;
// The reference device written into the header: a 96 dpi screen of 1920 x 1080.
constexpr int kRefWidth = 1920, kRefHeight = 1080;

void Put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}
void Put16(std::vector<std::uint8_t>& b, std::size_t at, std::uint16_t v) {
  b[at] = static_cast<std::uint8_t>(v);
  b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
std::uint32_t Get32(const std::uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::int32_t GetI32(const std::uint8_t* p) {
  return static_cast<std::int32_t>(Get32(p));
}
std::uint16_t Get16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t Pad4(std::uint32_t n) {
  return (n + 3) & ~3u;
}

// Hundredths of a millimetre at 96 dpi.
std::int32_t HundredthsMm(int pixels) {
  return static_cast<std::int32_t>(std::lround(pixels * 2540.0 / 96.0));
}

}  // namespace

TMetafile::TMetafile() : FRecorder(std::make_shared<TCanvasRecorder>()) {}

TMetafile::~TMetafile() = default;

void TMetafile::Blank(int Width, int Height) {
  FWidth = std::max(0, Width);
  FHeight = std::max(0, Height);
  if (FWidth > 0 && FHeight > 0) {
    *FImage = QImage(FWidth, FHeight, QImage::Format_RGB32);
    FImage->fill(Qt::white);
  } else {
    *FImage = QImage();
  }
  FRecorder = std::make_shared<TCanvasRecorder>();
}

void TMetafile::SetSize(int Width, int Height) {
  if (Width == FWidth && Height == FHeight) return;
  Blank(Width, Height);
  Changed();
}

int TMetafile::GetRecordCount() const {
  return FRecorder->Count();
}

void TMetafile::SetImage(const QImage& image) {
  Blank(image.width(), image.height());
  if (!image.isNull()) *FImage = image.convertToFormat(QImage::Format_RGB32);
  Changed();
}

void TMetafile::Assign(const TGraphic* source) {
  if (source == this) return;
  if (const auto* m = dynamic_cast<const TMetafile*>(source)) {
    FWidth = m->FWidth;
    FHeight = m->FHeight;
    *FImage = *m->FImage;
    FCreatedBy = m->FCreatedBy;
    FDescription = m->FDescription;
    FRecorder = m->FRecorder;
    Changed();
    return;
  }
  SetImage(source ? source->GetImage() : QImage());
}

std::unique_ptr<TGraphic> TMetafile::Clone() const {
  auto copy = std::make_unique<TMetafile>();
  copy->Assign(this);
  return copy;
}

void TMetafile::Draw(TCanvas* canvas, const TRect& r) const {
  if (!canvas || GetEmpty()) return;
  if (FRecorder->Empty()) {
    TGraphic::Draw(canvas, r);
    return;
  }
  FRecorder->Play(*canvas, r, FWidth, FHeight);
}

std::vector<std::uint8_t> TMetafile::SaveToBytes() const {
  // The description: creator, NUL, description, NUL, NUL (UTF-16).
  std::u16string desc;
  for (char c : FCreatedBy) desc += static_cast<char16_t>(static_cast<unsigned char>(c));
  desc += u'\0';
  for (char c : FDescription) desc += static_cast<char16_t>(static_cast<unsigned char>(c));
  desc += u'\0';
  desc += u'\0';
  const std::uint32_t descBytes = static_cast<std::uint32_t>(desc.size() * 2);
  const std::uint32_t headerSize = kHeaderSize + Pad4(descBytes);

  const int w = FWidth, h = FHeight;
  const std::uint32_t rowBytes = Pad4(static_cast<std::uint32_t>(w) * 3);
  const std::uint32_t bitsBytes = rowBytes * static_cast<std::uint32_t>(h);
  const std::uint32_t stretchSize = kStretchFixed + kBitmapInfoSize + bitsBytes;
  const std::uint32_t eofSize = 20;
  const std::uint32_t total = headerSize + stretchSize + eofSize;

  std::vector<std::uint8_t> b(total, 0);
  // Header.
  Put32(b, 0, kEmrHeader);
  Put32(b, 4, headerSize);
  Put32(b, 8, 0);
  Put32(b, 12, 0);
  Put32(b, 16, static_cast<std::uint32_t>(std::max(0, w - 1)));
  Put32(b, 20, static_cast<std::uint32_t>(std::max(0, h - 1)));
  Put32(b, 24, 0);
  Put32(b, 28, 0);
  Put32(b, 32, static_cast<std::uint32_t>(HundredthsMm(w)));
  Put32(b, 36, static_cast<std::uint32_t>(HundredthsMm(h)));
  Put32(b, 40, kEmfSignature);
  Put32(b, 44, 0x10000);
  Put32(b, 48, total);
  Put32(b, 52, 3);
  Put16(b, 56, 1);
  Put16(b, 58, 0);
  Put32(b, 60, static_cast<std::uint32_t>(desc.size()));
  Put32(b, 64, kHeaderSize);
  Put32(b, 68, 0);
  Put32(b, 72, kRefWidth);
  Put32(b, 76, kRefHeight);
  Put32(b, 80, static_cast<std::uint32_t>(std::lround(kRefWidth * 25.4 / 96)));
  Put32(b, 84, static_cast<std::uint32_t>(std::lround(kRefHeight * 25.4 / 96)));
  Put32(b, 88, 0);
  Put32(b, 92, 0);
  Put32(b, 96, 0);
  Put32(b, 100, static_cast<std::uint32_t>(std::lround(kRefWidth * 25400.0 / 96)));
  Put32(b, 104, static_cast<std::uint32_t>(std::lround(kRefHeight * 25400.0 / 96)));
  for (std::size_t i = 0; i < desc.size(); ++i) Put16(b, kHeaderSize + 2 * i, desc[i]);

  // The pixels, bottom-up 24-bit rows.
  const std::size_t s = headerSize;
  Put32(b, s + 0, kEmrStretchDIBits);
  Put32(b, s + 4, stretchSize);
  Put32(b, s + 8, 0);
  Put32(b, s + 12, 0);
  Put32(b, s + 16, static_cast<std::uint32_t>(std::max(0, w - 1)));
  Put32(b, s + 20, static_cast<std::uint32_t>(std::max(0, h - 1)));
  // xDest, yDest, xSrc, ySrc stay 0.
  Put32(b, s + 40, static_cast<std::uint32_t>(w));
  Put32(b, s + 44, static_cast<std::uint32_t>(h));
  Put32(b, s + 48, kStretchFixed);
  Put32(b, s + 52, kBitmapInfoSize);
  Put32(b, s + 56, kStretchFixed + kBitmapInfoSize);
  Put32(b, s + 60, bitsBytes);
  Put32(b, s + 64, 0);  // DIB_RGB_COLORS
  Put32(b, s + 68, kSrcCopy);
  Put32(b, s + 72, static_cast<std::uint32_t>(w));
  Put32(b, s + 76, static_cast<std::uint32_t>(h));
  const std::size_t bi = s + kStretchFixed;
  Put32(b, bi + 0, kBitmapInfoSize);
  Put32(b, bi + 4, static_cast<std::uint32_t>(w));
  Put32(b, bi + 8, static_cast<std::uint32_t>(h));
  Put16(b, bi + 12, 1);
  Put16(b, bi + 14, 24);
  Put32(b, bi + 16, 0);  // BI_RGB
  Put32(b, bi + 20, bitsBytes);
  Put32(b, bi + 24, 3780);  // 96 dpi in pixels per metre
  Put32(b, bi + 28, 3780);
  const std::size_t bits = bi + kBitmapInfoSize;
  for (int y = 0; y < h; ++y) {
    const QRgb* line = reinterpret_cast<const QRgb*>(FImage->constScanLine(y));
    std::uint8_t* out = &b[bits + static_cast<std::size_t>(h - 1 - y) * rowBytes];
    for (int x = 0; x < w; ++x) {
      out[3 * x] = static_cast<std::uint8_t>(qBlue(line[x]));
      out[3 * x + 1] = static_cast<std::uint8_t>(qGreen(line[x]));
      out[3 * x + 2] = static_cast<std::uint8_t>(qRed(line[x]));
    }
  }

  const std::size_t e = s + stretchSize;
  Put32(b, e + 0, kEmrEof);
  Put32(b, e + 4, eofSize);
  Put32(b, e + 8, 0);
  Put32(b, e + 12, 16);
  Put32(b, e + 16, eofSize);
  return b;
}

void TMetafile::LoadFromBytes(const std::uint8_t* data, std::size_t size) {
  auto bad = [] { throw EInvalidGraphic("Invalid metafile"); };
  if (!data || size < kHeaderSize || Get32(data) != kEmrHeader || Get32(data + 40) != kEmfSignature) bad();
  std::size_t at = 0;
  while (at + 8 <= size) {
    const std::uint32_t type = Get32(data + at);
    const std::uint32_t len = Get32(data + at + 4);
    if (len < 8 || len % 4 != 0 || len > size - at) bad();
    if (type == kEmrStretchDIBits && len >= kStretchFixed) {
      const std::uint8_t* r = data + at;
      const std::uint32_t offBmi = Get32(r + 48), offBits = Get32(r + 56), cbBits = Get32(r + 60);
      if (offBmi > len || len - offBmi < kBitmapInfoSize) bad();
      const std::uint8_t* bi = r + offBmi;
      const std::int32_t w = GetI32(bi + 4), hSigned = GetI32(bi + 8);
      const int bpp = Get16(bi + 14);
      const int h = hSigned < 0 ? -hSigned : hSigned;
      if (w <= 0 || h <= 0 || w > 32768 || h > 32768 || (bpp != 24 && bpp != 32) || Get32(bi + 16) != 0)
        bad();
      const std::uint64_t rowBytes =
          Pad4(static_cast<std::uint32_t>(w) * static_cast<std::uint32_t>(bpp / 8));
      if (offBits > len || cbBits > len - offBits || rowBytes * static_cast<std::uint64_t>(h) > cbBits) bad();
      QImage img(w, h, QImage::Format_RGB32);
      for (int y = 0; y < h; ++y) {
        const std::uint8_t* in =
            r + offBits + rowBytes * static_cast<std::uint64_t>(hSigned > 0 ? h - 1 - y : y);
        QRgb* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < w; ++x) {
          const std::uint8_t* px = in + x * (bpp / 8);
          line[x] = qRgb(px[2], px[1], px[0]);
        }
      }
      FCreatedBy.clear();
      FDescription.clear();
      SetImage(img);
      return;
    }
    if (type == kEmrEof) break;
    at += len;
  }
  bad();
}

TMetafileCanvas::TMetafileCanvas(TMetafile* Metafile, const std::string& CreatedBy,
                                 const std::string& Description)
    : FMetafile(Metafile) {
  FMetafile->Blank(FMetafile->FWidth, FMetafile->FHeight);
  FMetafile->FCreatedBy = CreatedBy;
  FMetafile->FDescription = Description;
  SetImage(FMetafile->FImage.get());
  SetRecorder(FMetafile->FRecorder.get());
}

TMetafileCanvas::~TMetafileCanvas() {
  SetRecorder(nullptr);
  SetImage(nullptr);
  FMetafile->Changed();
}
