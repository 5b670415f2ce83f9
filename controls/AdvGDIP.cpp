#include "controls/AdvGDIP.h"

#include <algorithm>
#include <cfenv>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "platform/gdiplus/ClassLibBridge.h"

Gdiplus::ARGB ArgbFromColor(std::uint8_t Alpha, TColor Color) {
  const TColor c = ColorToRGB(Color);
  return Gdiplus::Color::MakeARGB(Alpha, static_cast<Gdiplus::BYTE>(GetRValue(c)),
                                  static_cast<Gdiplus::BYTE>(GetGValue(c)),
                                  static_cast<Gdiplus::BYTE>(GetBValue(c)));
}

Gdiplus::ARGB OpaqueArgbFromColor(TColor Color) {
  return ArgbFromColor(255, Color);
}

TGPImageFormat GetImageFormat(const TGPImage& Image) {
  Gdiplus::GUID id{};
  if (const_cast<TGPImage&>(Image).GetRawFormat(&id) != Gdiplus::Ok) return ifUndefined;
  struct Known {
    const Gdiplus::GUID* id;
    TGPImageFormat format;
  };
  static const Known known[] = {
      {&Gdiplus::ImageFormatMemoryBMP, ifMemoryBMP},
      {&Gdiplus::ImageFormatBMP, ifBMP},
      {&Gdiplus::ImageFormatEMF, ifEMF},
      {&Gdiplus::ImageFormatWMF, ifWMF},
      {&Gdiplus::ImageFormatJPEG, ifJPEG},
      {&Gdiplus::ImageFormatPNG, ifPNG},
      {&Gdiplus::ImageFormatGIF, ifGIF},
      {&Gdiplus::ImageFormatTIFF, ifTIFF},
      {&Gdiplus::ImageFormatEXIF, ifEXIF},
      {&Gdiplus::ImageFormatIcon, ifIcon},
  };
  for (const Known& k : known)
    if (*k.id == id) return k.format;
  return ifUndefined;
}

int RoundHalfEven(double Value) {
  // The default rounding mode rounds halves to the even neighbour.
  return static_cast<int>(std::nearbyint(Value));
}

// ---------------------------------------------------------------- header readers

namespace {

// A bounds-checked reader over the bytes of a file.
struct ByteReader {
  const std::vector<std::uint8_t>& data;
  std::size_t pos = 0;
  bool ok = true;

  bool Has(std::size_t n) const { return ok && pos <= data.size() && data.size() - pos >= n; }
  std::uint8_t Byte() {
    if (!Has(1)) {
      ok = false;
      return 0;
    }
    return data[pos++];
  }
  std::uint16_t BE16() {
    const std::uint16_t hi = Byte();
    return static_cast<std::uint16_t>((hi << 8) | Byte());
  }
  std::uint16_t LE16() {
    const std::uint16_t lo = Byte();
    return static_cast<std::uint16_t>(lo | (Byte() << 8));
  }
  std::uint32_t LE32() {
    const std::uint32_t lo = LE16();
    return lo | (static_cast<std::uint32_t>(LE16()) << 16);
  }
  void Skip(std::size_t n) {
    if (!Has(n)) {
      ok = false;
      pos = data.size();
      return;
    }
    pos += n;
  }
};

}  // namespace

TImageHeaderSize ReadJpegSize(const std::vector<std::uint8_t>& Data) {
  TImageHeaderSize size;
  ByteReader r{Data};
  if (r.Byte() != 0xFF || r.Byte() != 0xD8) return size;
  std::uint8_t b = r.Byte();
  if (!r.ok || b != 0xFF) return size;
  while (r.ok && b == 0xFF) {
    std::uint8_t m = r.Byte();
    while (r.ok && m == 0xFF) m = r.Byte();
    if (!r.ok) break;
    if (m == 0xC0 || m == 0xC1 || m == 0xC2) {
      r.Skip(3);
      const std::uint16_t h = r.BE16();
      const std::uint16_t w = r.BE16();
      if (r.ok) size = {w, h};
      return size;
    }
    if (m == 0x01 || (m >= 0xD0 && m <= 0xD7)) {
      b = 0xFF;
      continue;
    }
    const std::uint16_t len = r.BE16();
    // A segment shorter than its own length field is damaged: no size.
    if (!r.ok || len < 2) return size;
    r.Skip(len - 2);
    b = r.Byte();
  }
  return size;
}

TImageHeaderSize ReadPngSize(const std::vector<std::uint8_t>& Data) {
  static const std::uint8_t sig[8] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};
  if (Data.size() < 24 || !std::equal(sig, sig + 8, Data.begin())) return {};
  ByteReader r{Data, 18};
  const std::uint16_t w = r.BE16();
  r.pos = 22;
  const std::uint16_t h = r.BE16();
  return {w, h};
}

TImageHeaderSize ReadGifSize(const std::vector<std::uint8_t>& Data) {
  ByteReader r{Data};
  if (!r.Has(13) || Data[0] != 'G' || Data[1] != 'I' || Data[2] != 'F') return {};
  const std::uint8_t flags = Data[10];
  r.pos = 13;
  if (flags & 0x80) r.Skip(3u * (1u << ((flags & 7) + 1)));
  if (!r.ok) return {};
  while (r.Has(1)) {
    if (r.Byte() != 0x2C) continue;
    if (!r.Has(10)) return {};
    const std::size_t base = r.pos;
    r.pos = base + 4;
    const std::uint16_t w = r.LE16();
    const std::uint16_t h = r.LE16();
    return {w, h};
  }
  return {};
}

TImageHeaderSize ReadBmpSize(const std::vector<std::uint8_t>& Data) {
  ByteReader r{Data};
  if (r.Byte() != 'B' || r.Byte() != 'M') return {};
  r.LE32();  // file size
  r.LE32();  // reserved
  r.LE32();  // pixel data offset
  r.LE32();  // header size
  const std::uint32_t w = r.LE32();
  const std::int32_t h = static_cast<std::int32_t>(r.LE32());
  if (!r.ok) return {};
  const std::uint32_t mag = h < 0 ? 0u - static_cast<std::uint32_t>(h) : static_cast<std::uint32_t>(h);
  return {static_cast<std::uint16_t>(w & 0xFFFF), static_cast<std::uint16_t>(mag & 0xFFFF)};
}

TImageHeaderSize ReadTiffSize(const std::vector<std::uint8_t>& Data) {
  ByteReader r{Data};
  r.Skip(4);
  const std::uint32_t offset = r.LE32();
  if (!r.ok || offset > Data.size()) return {};
  r.pos = offset;
  const std::uint16_t n = r.LE16();
  bool haveW = false, haveH = false;
  std::int32_t w = 0, h = 0;
  for (int i = 0; i < n && r.Has(12); ++i) {
    const std::uint16_t tag = r.LE16();
    r.LE16();  // type
    r.LE32();  // count
    const std::int32_t value = static_cast<std::int32_t>(r.LE32());
    if (tag == 256) haveW = true, w = value;
    if (tag == 257) haveH = true, h = value;
    if (haveW && haveH)
      return {static_cast<std::uint16_t>(std::abs(static_cast<long long>(w)) & 0xFFFF),
              static_cast<std::uint16_t>(std::abs(static_cast<long long>(h)) & 0xFFFF)};
  }
  return {};
}

// ---------------------------------------------------------------- TPictureBytes

std::unique_ptr<TGPImage> TPictureBytes::Decode() const {
  if (FIsEmpty || FData.empty()) return nullptr;
  Gdiplus::MemoryStream stream(FData);
  return std::make_unique<TGPImage>(&stream);
}

bool TPictureBytes::GetImageSizes() {
  auto image = Decode();
  if (!image) return false;
  FWidth = static_cast<int>(image->GetWidth());
  FHeight = static_cast<int>(image->GetHeight());
  return true;
}

void TPictureBytes::TakeBytes(std::vector<std::uint8_t> Bytes) {
  FData = std::move(Bytes);
  FIsEmpty = FData.empty();
}

void TPictureBytes::Clear() {
  FData.clear();
  FIsEmpty = true;
  FWidth = FHeight = 0;
}

bool TPictureBytes::TakeGraphic(const TGraphic* Source) {
  if (!Source) return false;
  TakeBytes(Source->SaveToBytes());
  FIsEmpty = false;
  return true;
}

void TPictureBytes::LoadFromBytes(const std::uint8_t* Data, std::size_t Size) {
  TakeBytes(std::vector<std::uint8_t>(Data, Data + Size));
  FIsEmpty = false;
  GetImageSizes();
  Changed();
}

void TPictureBytes::LoadFromStream(TStream* Stream) {
  if (!Stream) return;
  const std::int64_t size = Stream->GetSize();
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(std::max<std::int64_t>(size, 0)));
  Stream->SetPosition(0);
  if (!bytes.empty()) Stream->ReadBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
  LoadFromBytes(bytes.data(), bytes.size());
}

void TPictureBytes::SaveToStream(TStream* Stream) const {
  if (Stream && !FData.empty()) Stream->WriteBuffer(FData.data(), static_cast<std::int64_t>(FData.size()));
}

namespace {

std::vector<std::uint8_t> PictureFileBytes(const std::string& FileName) {
  std::ifstream in(FileName, std::ios::binary);
  if (!in) throw EFOpenError("Cannot open file \"" + FileName + "\"");
  return std::vector<std::uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

}  // namespace

void TPictureBytes::MeasureLoadedFile(const std::string&) {
  GetImageSizes();
}

std::unique_ptr<TGraphic> TPictureBytes::DecodedGraphic() const {
  if (FIsEmpty || FData.empty()) return nullptr;
  std::unique_ptr<TGraphic> g = NewGraphicForData(FData.data(), FData.size());
  if (!g) return nullptr;
  try {
    g->LoadFromBytes(FData.data(), FData.size());
  } catch (const EInvalidGraphic&) {
    return nullptr;
  }
  return g;
}

void TPictureBytes::CopyInto(TPictureBytes& Copy) const {
  Copy.TakeBytes(FData);
  Copy.FWidth = FWidth;
  Copy.FHeight = FHeight;
}

void TPictureBytes::LoadFromFile(const std::string& FileName) {
  try {
    TakeBytes(PictureFileBytes(FileName));
    FIsEmpty = false;
    if (OnClear) OnClear(this);
    MeasureLoadedFile(FileName);
    Changed();
  } catch (...) {
    FIsEmpty = true;
  }
}

// ---------------------------------------------------------------- TAdvGDIPPicture

void TAdvGDIPPicture::Assign(const TGraphic* Source) {
  FIsEmpty = true;
  if (!Source) {
    FData.clear();
    FWidth = FHeight = 0;
    Changed();
    if (OnClear) OnClear(this);
    return;
  }
  if (auto* other = dynamic_cast<const TPictureBytes*>(Source)) {
    TakeBytes(other->GetBytes());
  } else {
    TakeGraphic(Source);
  }
  // Measured before the notice, so that a listener sees the new size.
  GetImageSizes();
  Changed();
}

void TAdvGDIPPicture::Assign(TPersistent* Source) {
  if (!Source) return Assign(static_cast<const TGraphic*>(nullptr));
  if (auto* g = dynamic_cast<TGraphic*>(Source)) return Assign(static_cast<const TGraphic*>(g));
  if (auto* p = dynamic_cast<TPicture*>(Source)) return Assign(static_cast<const TGraphic*>(p->GetGraphic()));
  FIsEmpty = true;
}

std::unique_ptr<TGraphic> TAdvGDIPPicture::Clone() const {
  auto copy = std::make_unique<TAdvGDIPPicture>();
  CopyInto(*copy);
  return copy;
}

void TAdvGDIPPicture::Draw(TCanvas* Canvas, const TRect& R) const {
  std::unique_ptr<TGraphic> g = DecodedGraphic();
  if (!Canvas || !g) return;
  if (auto* bmp = dynamic_cast<TBitmap*>(g.get());
      bmp && Gdiplus::DetectImageFormat(FData.data(), FData.size()) == Gdiplus::ImageFormatBMP) {
    bmp->SetTransparentMode(tmAuto);
    bmp->SetTransparent(true);
    Canvas->Draw(R.Left, R.Top, bmp);
    return;
  }
  Canvas->StretchDraw(R, g.get());
}

void TAdvGDIPPicture::GDIPDraw(TGPGraphics* Graphics, const TRect& R) {
  if (!Graphics) return;
  auto image = Decode();
  if (!image) return;
  const Gdiplus::PixelFormat pf = image->GetPixelFormat();
  FPixelFormat = static_cast<int>(pf);
  FPixelDepth = static_cast<int>((pf >> 8) & 0xFF);
  FHasAlpha = (pf & (1 << 18)) != 0;
  FHasPalette = (pf & (1 << 16)) != 0;
  FWidth = static_cast<int>(image->GetWidth());
  FHeight = static_cast<int>(image->GetHeight());
  if (GetImageFormat(*image) == ifBMP && GetTransparent()) {
    Gdiplus::ARGB key = ArgbFromColor(255, FBitmapTransparentColor);
    if (FBitmapTransparentMode == tmAuto) {
      Gdiplus::MemoryStream stream(FData);
      TGPBitmap bmp(&stream);
      Gdiplus::Color c;
      bmp.GetPixel(0, FHeight - 1, &c);
      key = c.GetValue();
    }
    TGPImageAttributes attr;
    attr.SetColorKey(key, key);
    Graphics->DrawImage(image.get(), TGPRect(R.Left, R.Top, FWidth, FHeight), 0, 0, FWidth, FHeight,
                        Gdiplus::UnitPixel, &attr);
    return;
  }
  Graphics->DrawImage(image.get(), static_cast<Gdiplus::REAL>(R.Left), static_cast<Gdiplus::REAL>(R.Top),
                      static_cast<Gdiplus::REAL>(R.Right - R.Left),
                      static_cast<Gdiplus::REAL>(R.Bottom - R.Top));
}

void TAdvGDIPPicture::GDIPDraw(TGPGraphics* Graphics, const TGPRectF& R) {
  if (FDrawing) return;
  FDrawing = true;
  struct Reset {
    bool& flag;
    ~Reset() { flag = false; }
  } reset{FDrawing};
  const int l = RoundHalfEven(R.X), t = RoundHalfEven(R.Y);
  GDIPDraw(Graphics, Rect(l, t, l + RoundHalfEven(R.Width), t + RoundHalfEven(R.Height)));
}

void TAdvGDIPPicture::FillRect(TGPGraphics* Graphics, const TGPRectF& R) {
  auto image = Decode();
  if (!image || !Graphics) return;
  TGPTextureBrush brush(image.get(), Gdiplus::WrapModeTile);
  Graphics->FillRectangle(&brush, R);
}

void TAdvGDIPPicture::FillPath(TGPGraphics* Graphics, TGPGraphicsPath* Path) {
  auto image = Decode();
  if (!image || !Graphics || !Path) return;
  TGPTextureBrush brush(image.get(), Gdiplus::WrapModeTile);
  Graphics->FillPath(&brush, Path);
}

void TAdvGDIPPicture::MeasureLoadedFile(const std::string& FileName) {
  GetImageSizesFromFileName(FileName);
}

bool TAdvGDIPPicture::GetImageSizesFromFileName(const std::string& FileName) {
  if (FIsEmpty || FData.empty()) return false;
  std::string ext;
  if (const auto dot = FileName.rfind('.'); dot != std::string::npos) ext = FileName.substr(dot);
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  std::ifstream in(FileName, std::ios::binary);
  if (!in) throw EFOpenError("Cannot open file \"" + FileName + "\"");
  const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                        std::istreambuf_iterator<char>());
  TImageHeaderSize size;
  if (ext == ".JPG" || ext == ".JPEG")
    size = ReadJpegSize(bytes);
  else if (ext == ".PNG")
    size = ReadPngSize(bytes);
  else if (ext == ".BMP")
    size = ReadBmpSize(bytes);
  else if (ext == ".TIFF")
    size = ReadTiffSize(bytes);
  else if (ext == ".GIF")
    size = ReadGifSize(bytes);
  FWidth = size.Width;
  FHeight = size.Height;
  return true;
}

void TAdvGDIPPicture::ReadData(TStream* Stream) {
  if (!Stream || Stream->GetSize() == 0) return;
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(Stream->GetSize()));
  Stream->SetPosition(0);
  Stream->ReadBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
  TakeBytes(std::move(bytes));
  GetImageSizes();
}

void TAdvGDIPPicture::LoadFromURL(const std::string& Url) {
  std::string head = Url.substr(0, 7);
  std::transform(head.begin(), head.end(), head.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  if (head == "FILE://" && Url.size() > 7) LoadFromFile(Url.substr(7));
}
