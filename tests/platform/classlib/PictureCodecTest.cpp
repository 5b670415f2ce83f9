#include <gtest/gtest.h>

#include <jpeglib.h>
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <unistd.h>

#include "platform/classlib/Graphics.h"
#include "platform/classlib/PictureCodec.h"
#include "platform/classlib/PictureJpeg.h"
#include "platform/classlib/PicturePng.h"
#include "tests/platform/classlib/GraphicsTestSupport.h"

namespace {

using namespace graphics_test;

using Bytes = std::vector<std::uint8_t>;

// ---------------------------------------------------------------- test pictures, made here

// An 8 x 4 RGBA PNG: left half opaque red, right half blue at alpha 64.
Bytes MakePng(bool interlaced = false) {
  Bytes out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_write_fn(
      png, &out,
      [](png_structp p, png_bytep data, png_size_t n) {
        auto* v = static_cast<Bytes*>(png_get_io_ptr(p));
        v->insert(v->end(), data, data + n);
      },
      nullptr);
  png_set_IHDR(png, info, 8, 4, 8, PNG_COLOR_TYPE_RGB_ALPHA,
               interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  const int passes = png_set_interlace_handling(png);
  std::uint8_t row[8 * 4];
  for (int x = 0; x < 8; ++x) {
    std::uint8_t* p = row + 4 * x;
    const bool red = x < 4;
    p[0] = red ? 255 : 0, p[1] = 0, p[2] = red ? 0 : 255, p[3] = red ? 255 : 64;
  }
  for (int pass = 0; pass < passes; ++pass)
    for (int y = 0; y < 4; ++y) png_write_row(png, row);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

// A 16 x 8 JPEG: top half green, bottom half white.
Bytes MakeJpeg(bool progressive = false) {
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr jerr{};
  cinfo.err = jpeg_std_error(&jerr);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = 16;
  cinfo.image_height = 8;
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 95, TRUE);
  if (progressive) jpeg_simple_progression(&cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  std::uint8_t row[16 * 3];
  while (cinfo.next_scanline < 8) {
    const bool top = cinfo.next_scanline < 4;
    for (int x = 0; x < 16; ++x) {
      row[3 * x] = top ? 0 : 255;
      row[3 * x + 1] = 255;
      row[3 * x + 2] = top ? 0 : 255;
    }
    JSAMPROW r = row;
    jpeg_write_scanlines(&cinfo, &r, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  Bytes out(buffer, buffer + size);
  std::free(buffer);
  return out;
}

void Le(Bytes& b, std::uint32_t v, int n) {
  for (int i = 0; i < n; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// A BMP written field by field. `rows` are the file's pixel rows as stored
// (already padded), `palette` BGRX entries.
Bytes MakeBmp(int width, int height, int bpp, std::uint32_t compression, const Bytes& palette,
              const Bytes& rows) {
  Bytes b{'B', 'M'};
  const std::uint32_t off = 14 + 40 + static_cast<std::uint32_t>(palette.size());
  Le(b, off + static_cast<std::uint32_t>(rows.size()), 4);
  Le(b, 0, 4);
  Le(b, off, 4);
  Le(b, 40, 4);
  Le(b, static_cast<std::uint32_t>(width), 4);
  Le(b, static_cast<std::uint32_t>(height), 4);
  Le(b, 1, 2);
  Le(b, static_cast<std::uint32_t>(bpp), 2);
  Le(b, compression, 4);
  Le(b, static_cast<std::uint32_t>(rows.size()), 4);
  Le(b, 2835, 4);
  Le(b, 2835, 4);
  Le(b, static_cast<std::uint32_t>(palette.size() / 4), 4);
  Le(b, 0, 4);
  b.insert(b.end(), palette.begin(), palette.end());
  b.insert(b.end(), rows.begin(), rows.end());
  return b;
}

// Palette: 0 black, 1 red, 2 lime, 3 blue (BGRX).
const Bytes kPalette4 = {0, 0, 0, 0, 0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0};

QRgb At(const QImage& img, int x, int y) {
  return img.pixel(x, y);
}

class PictureTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { EnsureGuiApp(); }
  std::string TempPath(const char* name) {
    return "/tmp/tavo-picture-" + std::to_string(::getpid()) + "-" + name;
  }
};

// ---------------------------------------------------------------- BMP

TEST_F(PictureTest, BmpDepthsAndRowOrders) {
  struct Case {
    const char* name;
    Bytes file;
    // Expected colours of pixels (0,0), (1,0), (0,1), (1,1) of the 2 x 2 picture.
    QRgb expect[4];
  };
  const QRgb K = qRgb(0, 0, 0), R = qRgb(255, 0, 0), G = qRgb(0, 255, 0), B = qRgb(0, 0, 255);
  const Case cases[] = {
      // Bottom-up: the first stored row is the picture's last.
      {"24-bit bottom-up",
       MakeBmp(2, 2, 24, 0, {}, {0, 255, 0, 255, 0, 0, 0, 0, /**/ 0, 0, 255, 0, 0, 0, 0, 0}),
       {R, K, G, B}},
      {"24-bit top-down",
       MakeBmp(2, -2, 24, 0, {}, {0, 0, 255, 0, 0, 0, 0, 0, /**/ 0, 255, 0, 255, 0, 0, 0, 0}),
       {R, K, G, B}},
      {"32-bit",
       MakeBmp(2, 2, 32, 0, {}, {0, 255, 0, 0, 255, 0, 0, 0, /**/ 0, 0, 255, 0, 0, 0, 0, 0}),
       {R, K, G, B}},
      {"8-bit palette", MakeBmp(2, 2, 8, 0, kPalette4, {2, 3, 0, 0, /**/ 1, 0, 0, 0}), {R, K, G, B}},
      {"4-bit palette", MakeBmp(2, 2, 4, 0, kPalette4, {0x23, 0, 0, 0, /**/ 0x10, 0, 0, 0}), {R, K, G, B}},
      {"1-bit palette",
       MakeBmp(2, 2, 1, 0, {0, 0, 0, 0, 0, 0, 255, 0}, {0x40, 0, 0, 0, /**/ 0x80, 0, 0, 0}),
       {R, K, K, R}},
      {"16-bit 5-5-5", MakeBmp(2, 2, 16, 0, {}, {0xE0, 0x03, 0x1F, 0, /**/ 0, 0x7C, 0, 0}), {R, K, G, B}},
      // Bit-field masks follow a 40-byte header (here where a palette would be).
      {"16-bit 5-6-5 bit fields",
       MakeBmp(2, 2, 16, 3, {0, 0xF8, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0},
               {0xE0, 0x07, 0x1F, 0, /**/ 0, 0xF8, 0, 0}),
       {R, K, G, B}},
      {"32-bit alpha bit fields",
       MakeBmp(2, 2, 32, 6, {0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0, 0, 0, 0, 0xFF},
               {0, 255, 0, 255, 255, 0, 0, 255, /**/ 0, 0, 255, 0x80, 0, 0, 0, 0}),
       {qRgba(255, 0, 0, 0x80), qRgba(0, 0, 0, 0), G, B}},
      // A plain 32-bit file's fourth byte counts as alpha once any pixel uses it.
      {"32-bit with alpha used",
       MakeBmp(2, 2, 32, 0, {}, {0, 255, 0, 255, 255, 0, 0, 255, /**/ 0, 0, 255, 0x80, 0, 0, 0, 0}),
       {qRgba(255, 0, 0, 0x80), qRgba(0, 0, 0, 0), G, B}},
      // RLE8: row 0 (bottom) "2 of index 2"... stored as runs, then end of line and end of bitmap.
      {"RLE8", MakeBmp(2, 2, 8, 1, kPalette4, {1, 2, 1, 3, 0, 0, 2, 1, 0, 1}), {R, R, G, B}},
      {"RLE4", MakeBmp(2, 2, 4, 2, kPalette4, {2, 0x23, 0, 0, 2, 0x11, 0, 1}), {R, R, G, B}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const QImage img = DecodeBmp(c.file.data(), c.file.size());
    ASSERT_EQ(img.width(), 2);
    ASSERT_EQ(img.height(), 2);
    EXPECT_EQ(At(img, 0, 0), c.expect[0]);
    EXPECT_EQ(At(img, 1, 0), c.expect[1]);
    EXPECT_EQ(At(img, 0, 1), c.expect[2]);
    EXPECT_EQ(At(img, 1, 1), c.expect[3]);
  }
}

TEST_F(PictureTest, BitmapSavesAndLoadsBack) {
  TBitmap bmp(5, 3);
  bmp.Canvas->Brush->SetColor(clTeal);
  bmp.Canvas->FillRect(Rect(0, 0, 5, 3));
  bmp.Canvas->SetPixels(4, 2, clRed);
  const std::string path = TempPath("roundtrip.bmp");
  bmp.SaveToFile(path);

  TBitmap back;
  back.LoadFromFile(path);
  EXPECT_EQ(back.GetWidth(), 5);
  EXPECT_EQ(back.GetHeight(), 3);
  EXPECT_EQ(back.Canvas->GetPixels(0, 0), clTeal);
  EXPECT_EQ(back.Canvas->GetPixels(4, 2), clRed);

  TPicture pic;
  pic.LoadFromFile(path);
  EXPECT_NE(dynamic_cast<TBitmap*>(pic.GetGraphic()), nullptr);
  EXPECT_EQ(pic.GetWidth(), 5);
  std::remove(path.c_str());

  // pf32bit keeps alpha through a BMP.
  TBitmap alpha(2, 1);
  alpha.SetPixelFormat(pf32bit);
  QImage src(2, 1, QImage::Format_ARGB32);
  src.setPixel(0, 0, qRgba(10, 20, 30, 40));
  src.setPixel(1, 0, qRgba(1, 2, 3, 255));
  alpha.SetImage(src);
  TBitmap alphaBack;
  alphaBack.LoadFromBytes(alpha.SaveToBytes());
  EXPECT_EQ(alphaBack.GetPixelFormat(), pf32bit);
  EXPECT_EQ(alphaBack.GetImage().pixel(0, 0), qRgba(10, 20, 30, 40));
}

TEST_F(PictureTest, BitmapResizeKeepsPixelsAndCanvas) {
  TBitmap bmp;
  EXPECT_TRUE(bmp.GetEmpty());
  TCanvas* canvas = bmp.Canvas;
  bmp.SetSize(4, 4);
  canvas->SetPixels(1, 1, clRed);
  bmp.SetWidth(8);
  EXPECT_EQ(bmp.Canvas, canvas);
  EXPECT_EQ(canvas->GetPixels(1, 1), clRed);
  EXPECT_EQ(canvas->GetPixels(7, 3), clWhite);
  canvas->SetPixels(7, 3, clBlue);
  EXPECT_EQ(canvas->GetPixels(7, 3), clBlue);

  TBitmap copy;
  copy.Assign(&bmp);
  canvas->SetPixels(1, 1, clLime);
  EXPECT_EQ(copy.Canvas->GetPixels(1, 1), clRed);  // a deep copy
}

// ---------------------------------------------------------------- PNG and JPEG

TEST_F(PictureTest, PngKeepsAlpha) {
  const Bytes adam7 = MakePng(true);
  const QImage interlaced = DecodePng(adam7.data(), adam7.size());
  EXPECT_EQ(interlaced.pixel(0, 3), qRgba(255, 0, 0, 255));
  EXPECT_EQ(interlaced.pixel(7, 0), qRgba(0, 0, 255, 64));

  const Bytes file = MakePng();
  TPicture pic;
  pic.LoadFromBytes(file.data(), file.size());
  auto* png = dynamic_cast<TPngImage*>(pic.GetGraphic());
  ASSERT_NE(png, nullptr);
  EXPECT_TRUE(png->GetHasAlpha());
  EXPECT_EQ(pic.GetWidth(), 8);
  EXPECT_EQ(pic.GetHeight(), 4);
  EXPECT_EQ(png->GetImage().pixel(0, 0), qRgba(255, 0, 0, 255));
  EXPECT_EQ(png->GetImage().pixel(7, 3), qRgba(0, 0, 255, 64));

  // Drawn over white: red stays, the translucent blue is mostly white.
  auto dst = WhiteBitmap(8, 4);
  dst->Canvas->Draw(0, 0, png);
  EXPECT_EQ(dst->Canvas->GetPixels(0, 0), clRed);
  const TColor blend = dst->Canvas->GetPixels(7, 0);
  EXPECT_NEAR(GetRValue(blend), 191, 2);
  EXPECT_EQ(GetBValue(blend), 255);

  // Our own encoder round-trips it.
  TPngImage again;
  again.LoadFromBytes(png->SaveToBytes());
  EXPECT_EQ(again.GetImage().pixel(7, 3), qRgba(0, 0, 255, 64));
}

TEST_F(PictureTest, JpegDecodesFromFileBytesAndStream) {
  for (bool progressive : {false, true}) {
    SCOPED_TRACE(progressive ? "progressive" : "baseline");
    const Bytes file = MakeJpeg(progressive);
    const std::string path = TempPath("green.jpg");
    WriteFileBytes(path, file);

    TPicture fromFile;
    fromFile.LoadFromFile(path);
    ASSERT_NE(dynamic_cast<TJPEGImage*>(fromFile.GetGraphic()), nullptr);
    EXPECT_EQ(fromFile.GetWidth(), 16);
    EXPECT_EQ(fromFile.GetHeight(), 8);
    const QRgb top = fromFile.GetGraphic()->GetImage().pixel(8, 1);
    const QRgb bottom = fromFile.GetGraphic()->GetImage().pixel(8, 6);
    EXPECT_LT(qRed(top), 40);
    EXPECT_GT(qGreen(top), 215);
    EXPECT_GT(qRed(bottom), 215);
    std::remove(path.c_str());

    TMemoryStream stream;
    stream.WriteBuffer("junk", 4);  // LoadFromStream starts at the position
    stream.WriteBuffer(file.data(), static_cast<std::int64_t>(file.size()));
    stream.SetPosition(4);
    TJPEGImage jpeg;
    jpeg.LoadFromStream(&stream);
    EXPECT_EQ(jpeg.GetWidth(), 16);
    EXPECT_EQ(jpeg.SaveToBytes(), file);  // unchanged pixels save the same bytes
  }
}

TEST_F(PictureTest, JpegEncodesABitmapAtAQuality) {
  auto bmp = WhiteBitmap(32, 16);
  bmp->Canvas->Brush->SetColor(clNavy);
  bmp->Canvas->FillRect(Rect(0, 0, 16, 16));
  TJPEGImage jpeg;
  jpeg.Assign(bmp.get());
  jpeg.SetCompressionQuality(100);
  const Bytes best = jpeg.SaveToBytes();
  jpeg.SetCompressionQuality(5);
  const Bytes worst = jpeg.SaveToBytes();
  EXPECT_GT(best.size(), worst.size());
  const QImage back = DecodeJpeg(best.data(), best.size());
  EXPECT_LT(std::abs(qBlue(back.pixel(4, 4)) - 0x80), 8);
  EXPECT_GT(qRed(back.pixel(28, 8)), 245);
}

TEST_F(PictureTest, PictureAsBitmapAndStretchDraw) {
  const Bytes file = MakeJpeg();
  TPicture pic;
  int changes = 0;
  pic.OnChange = [&](TPicture*) { ++changes; };
  pic.LoadFromBytes(file.data(), file.size());
  EXPECT_EQ(changes, 1);
  TBitmap* bmp = pic.GetBitmap();
  ASSERT_NE(bmp, nullptr);
  EXPECT_EQ(bmp->GetWidth(), 16);
  EXPECT_GT(GetGValue(bmp->Canvas->GetPixels(2, 1)), 215);

  auto dst = WhiteBitmap(32, 16);
  dst->Canvas->StretchDraw(Rect(0, 0, 32, 16), pic.GetGraphic());
  EXPECT_LT(GetRValue(dst->Canvas->GetPixels(30, 2)), 40);

  TPicture copy;
  copy.Assign(&pic);
  EXPECT_EQ(copy.GetWidth(), 16);
  EXPECT_NE(copy.GetGraphic(), pic.GetGraphic());
}

TEST_F(PictureTest, AssignThroughThePersistentBase) {
  const Bytes file = MakePng();
  TPicture pic;
  pic.LoadFromBytes(file.data(), file.size());
  TBitmap bmp;
  bmp.Assign(static_cast<TPersistent*>(&pic));
  EXPECT_EQ(bmp.GetWidth(), 8);
  EXPECT_EQ(bmp.GetPixelFormat(), pf32bit);  // the PNG's alpha is kept
  EXPECT_EQ(bmp.GetImage().pixel(7, 3), qRgba(0, 0, 255, 64));

  TPicture other;
  other.Assign(static_cast<TPersistent*>(&bmp));
  EXPECT_NE(dynamic_cast<TBitmap*>(other.GetGraphic()), nullptr);

  TFont font;
  TPen pen;
  EXPECT_THROW(font.Assign(static_cast<TPersistent*>(&pen)), EConvertError);
}

// ---------------------------------------------------------------- errors and fuzz

TEST_F(PictureTest, BadDataIsAClearErrorAndLeavesThePictureAlone) {
  TPicture pic;
  const Bytes good = MakePng();
  pic.LoadFromBytes(good.data(), good.size());

  const Bytes text = {'h', 'e', 'l', 'l', 'o'};
  EXPECT_THROW(pic.LoadFromBytes(text.data(), text.size()), EInvalidGraphic);
  Bytes cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(good.size() / 2));
  EXPECT_THROW(pic.LoadFromBytes(cut.data(), cut.size()), EInvalidGraphic);
  EXPECT_EQ(pic.GetWidth(), 8);
  EXPECT_NE(dynamic_cast<TPngImage*>(pic.GetGraphic()), nullptr);

  EXPECT_THROW(pic.LoadFromFile("/nonexistent/dir/face.png"), EFOpenError);
  try {
    pic.LoadFromBytes(cut.data(), cut.size());
  } catch (const Exception& e) {
    EXPECT_NE(std::string(e.what()).find("PNG"), std::string::npos) << e.what();
  }

  // A JPEG cut short is an error, not a picture with a grey tail.
  const Bytes jpeg = MakeJpeg();
  Bytes jcut(jpeg.begin(), jpeg.end() - 40);
  EXPECT_THROW(DecodeJpeg(jcut.data(), jcut.size()), EInvalidGraphic);

  // A header that claims a huge picture is refused before any allocation.
  Bytes huge = MakeBmp(2, 2, 24, 0, {}, Bytes(16, 0));
  huge[18] = 0xFF, huge[19] = 0xFF, huge[20] = 0xFF, huge[21] = 0x7F;
  EXPECT_THROW(DecodeBmp(huge.data(), huge.size()), EInvalidGraphic);

  TBitmap empty;
  EXPECT_THROW(empty.SaveToBytes(), EInvalidGraphicOperation);
}

TEST_F(PictureTest, DecodersSurviveTruncatedAndMutatedData) {
  using Decoder = std::function<void(const Bytes&)>;
  const std::vector<std::tuple<const char*, Bytes, Decoder>> inputs = {
      {"bmp", MakeBmp(2, 2, 8, 1, kPalette4, {1, 2, 1, 3, 0, 0, 2, 1, 0, 1}),
       [](const Bytes& b) { DecodeBmp(b.data(), b.size()); }},
      {"bmp24", MakeBmp(3, -2, 24, 0, {}, Bytes(24, 0x55)),
       [](const Bytes& b) { DecodeBmp(b.data(), b.size()); }},
      {"png", MakePng(), [](const Bytes& b) { DecodePng(b.data(), b.size()); }},
      {"png-interlaced", MakePng(true), [](const Bytes& b) { DecodePng(b.data(), b.size()); }},
      {"jpeg", MakeJpeg(), [](const Bytes& b) { DecodeJpeg(b.data(), b.size()); }},
      {"jpeg-progressive", MakeJpeg(true), [](const Bytes& b) { DecodeJpeg(b.data(), b.size()); }},
      {"picture", MakePng(),
       [](const Bytes& b) {
         TPicture p;
         p.LoadFromBytes(b.data(), b.size());
       }},
  };
  std::mt19937 rng(12345);
  for (const auto& [name, good, decode] : inputs) {
    SCOPED_TRACE(name);
    auto attempt = [&](const Bytes& b) {
      try {
        decode(b);
      } catch (const EInvalidGraphic&) {}
    };
    EXPECT_NO_THROW(decode(good));
    // Every prefix, in exact-size heap buffers so ASan sees any over-read.
    for (std::size_t n = 0; n < good.size(); ++n)
      attempt(Bytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(n)));
    // Random byte changes.
    for (int round = 0; round < 300; ++round) {
      Bytes b = good;
      const int edits = 1 + static_cast<int>(rng() % 4);
      for (int i = 0; i < edits; ++i) b[rng() % b.size()] = static_cast<std::uint8_t>(rng());
      attempt(b);
    }
    // Random bytes behind the format's signature.
    for (int round = 0; round < 100; ++round) {
      Bytes b(good.begin(),
              good.begin() + std::min<std::ptrdiff_t>(8, static_cast<std::ptrdiff_t>(good.size())));
      const std::size_t extra = rng() % 200;
      for (std::size_t i = 0; i < extra; ++i) b.push_back(static_cast<std::uint8_t>(rng()));
      attempt(b);
    }
  }
}

TEST(GraphicsStreams, MemoryAndFileStreams) {
  TMemoryStream m;
  m.WriteBuffer("abcdef", 6);
  EXPECT_EQ(m.GetSize(), 6);
  m.Seek(-2, soEnd);
  char two[2];
  m.ReadBuffer(two, 2);
  EXPECT_EQ(std::string(two, 2), "ef");
  EXPECT_THROW(m.ReadBuffer(two, 1), EReadError);
  EXPECT_EQ(m.Read(two, 2), 0);

  const std::string path = "/tmp/tavo-stream-" + std::to_string(::getpid());
  m.SaveToFile(path);
  TFileStream f(path, fmOpenRead);
  EXPECT_EQ(f.GetSize(), 6);
  TMemoryStream copy;
  copy.CopyFrom(&f, 0);
  EXPECT_EQ(copy.Bytes(), m.Bytes());
  std::remove(path.c_str());

  EXPECT_THROW(TFileStream("/nonexistent/x", fmOpenRead), EFOpenError);
  EXPECT_THROW(TFileStream("/nonexistent/x", fmCreate), EFCreateError);
}

}  // namespace
