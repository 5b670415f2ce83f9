// Bitmaps from pixels and streams, pixel access, drawing pictures with and
// without a colour key.
#include <gtest/gtest.h>

#include <QBuffer>

#include "Support.h"
#include "platform/gdiplus/GdiPlusQt.h"

using namespace Gdiplus;
using namespace gdiplus_test;

namespace {

std::vector<BYTE> Encode(const QImage& image, const char* format) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, format);
  return std::vector<BYTE>(bytes.begin(), bytes.end());
}

}  // namespace

TEST(Bitmaps, PixelsRoundTripAndBoundsAreChecked) {
  Bitmap argb(4, 3, PixelFormat32bppARGB);
  ASSERT_EQ(Ok, argb.GetLastStatus());
  EXPECT_EQ(4u, argb.GetWidth());
  EXPECT_EQ(3u, argb.GetHeight());
  Color c;
  ASSERT_EQ(Ok, argb.GetPixel(0, 0, &c));
  EXPECT_EQ(0u, c.GetValue());  // starts transparent
  ASSERT_EQ(Ok, argb.SetPixel(3, 2, Color(30, 128, 64, 200)));
  ASSERT_EQ(Ok, argb.GetPixel(3, 2, &c));
  EXPECT_EQ(Color::MakeARGB(30, 128, 64, 200), c.GetValue());  // kept unpremultiplied
  EXPECT_EQ(InvalidParameter, argb.GetPixel(4, 0, &c));
  EXPECT_EQ(InvalidParameter, argb.SetPixel(-1, 0, Color()));
  EXPECT_EQ(InvalidParameter, argb.GetLastStatus());
  EXPECT_EQ(Ok, argb.GetLastStatus());

  Bitmap rgb(2, 2, PixelFormat24bppRGB);
  rgb.SetPixel(1, 1, Color(10, 20, 30, 40));
  rgb.GetPixel(1, 1, &c);
  EXPECT_EQ(Color::MakeARGB(255, 20, 30, 40), c.GetValue());  // no alpha to keep
  EXPECT_EQ(PixelFormat24bppRGB, rgb.GetPixelFormat());
  EXPECT_EQ(24u, GetPixelFormatSize(rgb.GetPixelFormat()));
  EXPECT_TRUE(IsAlphaPixelFormat(argb.GetPixelFormat()));
  EXPECT_FALSE(IsAlphaPixelFormat(rgb.GetPixelFormat()));

  Bitmap empty(0, 5);
  EXPECT_EQ(InvalidParameter, empty.GetLastStatus());
  EXPECT_EQ(0u, empty.GetWidth());
}

TEST(Bitmaps, CallerRowsAreDrawnInPlace) {
  std::vector<std::uint32_t> rows(8 * 4, 0xFFFFFFFF);
  Bitmap bitmap(8, 4, 8 * 4, PixelFormat32bppARGB, reinterpret_cast<BYTE*>(rows.data()));
  ASSERT_EQ(Ok, bitmap.GetLastStatus());
  {
    Graphics g(&bitmap);
    ASSERT_EQ(Ok, g.GetLastStatus());
    SolidBrush red(Color(255, 255, 0, 0));
    g.FillRectangle(&red, 2, 1, 3, 2);
  }
  EXPECT_EQ(0xFFFF0000u, rows[1 * 8 + 2]);
  EXPECT_EQ(0xFFFF0000u, rows[2 * 8 + 4]);
  EXPECT_EQ(0xFFFFFFFFu, rows[0]);
  Bitmap badStride(8, 4, 30, PixelFormat32bppARGB, reinterpret_cast<BYTE*>(rows.data()));
  EXPECT_EQ(InvalidParameter, badStride.GetLastStatus());
}

TEST(Bitmaps, DecodedPixelsAndStreams) {
  DecodedImage decoded;
  decoded.Width = 2;
  decoded.Height = 1;
  decoded.SourceFormat = PixelFormat8bppIndexed;
  decoded.Pixels = {0xFF112233, 0x80445566};
  Bitmap bitmap(decoded);
  Color c;
  bitmap.GetPixel(1, 0, &c);
  EXPECT_EQ(0x80445566u, c.GetValue());
  EXPECT_EQ(PixelFormat8bppIndexed, bitmap.GetPixelFormat());
  Graphics onIndexed(&bitmap);
  EXPECT_EQ(InvalidParameter, onIndexed.GetLastStatus());

  QImage source(5, 3, QImage::Format_ARGB32);
  source.fill(0x8000FF00);
  MemoryStream png(Encode(source, "PNG"));
  Image image(&png);
  ASSERT_EQ(Ok, image.GetLastStatus());
  EXPECT_EQ(5u, image.GetWidth());
  EXPECT_EQ(3u, image.GetHeight());
  GUID format{};
  ASSERT_EQ(Ok, image.GetRawFormat(&format));
  EXPECT_TRUE(format == ImageFormatPNG);
  EXPECT_TRUE(IsAlphaPixelFormat(image.GetPixelFormat()));

  MemoryStream bmp(Encode(source.convertToFormat(QImage::Format_RGB32), "BMP"));
  Bitmap fromBmp(&bmp);
  ASSERT_EQ(Ok, fromBmp.GetLastStatus());
  fromBmp.GetRawFormat(&format);
  EXPECT_TRUE(format == ImageFormatBMP);
  EXPECT_EQ(PixelFormat24bppRGB, fromBmp.GetPixelFormat());

  const BYTE junk[] = {1, 2, 3, 4, 5, 6, 7, 8};
  MemoryStream bad(junk, sizeof junk);
  Image undecodable(&bad);
  EXPECT_EQ(UnknownImageFormat, undecodable.GetLastStatus());
  EXPECT_NE(Ok, undecodable.GetRawFormat(&format));
  Image none(static_cast<IStream*>(nullptr));
  EXPECT_EQ(InvalidParameter, none.GetLastStatus());
  Image missing(u"/nonexistent/picture.png");
  EXPECT_EQ(FileNotFound, missing.GetLastStatus());
}

TEST(Bitmaps, InstalledDecoderIsAskedFirst) {
  int calls = 0;
  SetImageDecoder([&](const BYTE* data, std::size_t size, DecodedImage* out) {
    ++calls;
    if (size != 4 || data[0] != 'T') return false;
    out->Width = 3;
    out->Height = 2;
    out->SourceFormat = PixelFormat24bppRGB;
    out->Pixels.assign(6, 0xFF0000FF);
    return true;
  });
  MemoryStream ours("TAVO", 4);
  Image image(&ours);
  EXPECT_EQ(Ok, image.GetLastStatus());
  EXPECT_EQ(3u, image.GetWidth());
  EXPECT_EQ(PixelFormat24bppRGB, image.GetPixelFormat());
  // Bytes it turns down still reach the toolkit's readers.
  QImage source(2, 2, QImage::Format_RGB32);
  source.fill(0xFF123456);
  MemoryStream png(Encode(source, "PNG"));
  Image other(&png);
  EXPECT_EQ(Ok, other.GetLastStatus());
  EXPECT_EQ(2, calls);
  SetImageDecoder(nullptr);
}

TEST(Bitmaps, DrawingPicturesPixelForPixelAndKeyed) {
  Bitmap picture(4, 4, PixelFormat32bppARGB);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x)
      picture.SetPixel(x, y, (x + y) % 2 ? Color(255, 255, 0, 255) : Color(255, 0, 0, 0));
  QImage image = Canvas(20, 20);
  {
    Graphics g(&image);
    g.SetSmoothingMode(SmoothingModeAntiAlias);  // no effect on picture placement
    ASSERT_EQ(Ok, g.DrawImage(&picture, 3, 5));
    ImageAttributes key;
    key.SetColorKey(Color(255, 255, 0, 255), Color(255, 255, 0, 255));
    g.SetInterpolationMode(InterpolationModeNearestNeighbor);
    ASSERT_EQ(Ok, g.DrawImage(&picture, RectF(10, 10, 8, 8), 0, 0, 4, 4, UnitPixel, &key));
    EXPECT_EQ(NotImplemented, g.DrawImage(&picture, RectF(0, 0, 4, 4), 0, 0, 4, 4, UnitPoint));
  }
  EXPECT_EQ(0xFF000000u, Px(image, 3, 5));
  EXPECT_EQ(0xFFFF00FFu, Px(image, 4, 5));
  EXPECT_TRUE(IsWhite(image, 2, 5));
  EXPECT_TRUE(IsWhite(image, 7, 5));
  // Keyed and scaled by two: magenta cells stay background.
  EXPECT_EQ(0xFF000000u, Px(image, 10, 10));
  EXPECT_TRUE(IsWhite(image, 12, 10));
  EXPECT_EQ(0xFF000000u, Px(image, 13, 13));
}

TEST(Bitmaps, ComposedCopyRotationAndThumbnails) {
  Bitmap bitmap(3, 2, PixelFormat32bppARGB);
  bitmap.SetPixel(0, 0, Color(255, 255, 0, 0));
  bitmap.SetPixel(2, 1, Color(128, 0, 0, 255));
  Bitmap* composed = nullptr;
  ASSERT_EQ(Ok, bitmap.GetHBITMAP(Color(255, 255, 255, 255), &composed));
  std::unique_ptr<Bitmap> owned(composed);
  Color c;
  composed->GetPixel(1, 1, &c);
  EXPECT_EQ(0xFFFFFFFFu, c.GetValue());  // transparent over white
  composed->GetPixel(2, 1, &c);
  EXPECT_NEAR(127, c.GetR(), 2);
  EXPECT_EQ(255, c.GetB());

  ASSERT_EQ(Ok, bitmap.RotateFlip(Rotate90FlipNone));
  EXPECT_EQ(2u, bitmap.GetWidth());
  EXPECT_EQ(3u, bitmap.GetHeight());
  bitmap.GetPixel(1, 0, &c);  // the top-left corner turned to the top-right
  EXPECT_EQ(0xFFFF0000u, c.GetValue());

  std::unique_ptr<Image> thumb(bitmap.GetThumbnailImage(4, 6));
  ASSERT_NE(nullptr, thumb);
  EXPECT_EQ(4u, thumb->GetWidth());
  std::unique_ptr<Image> copy(bitmap.Clone());
  EXPECT_EQ(2u, copy->GetWidth());
}

TEST(Bitmaps, ToolkitImagesCrossTheBridge) {
  QImage source(3, 2, QImage::Format_RGB888);
  source.fill(QColor(10, 20, 30));
  std::unique_ptr<Bitmap> bitmap(BitmapFromQImage(source));
  ASSERT_EQ(Ok, bitmap->GetLastStatus());
  EXPECT_EQ(PixelFormat24bppRGB, bitmap->GetPixelFormat());
  Color c;
  bitmap->GetPixel(2, 1, &c);
  EXPECT_EQ(Color::MakeARGB(255, 10, 20, 30), c.GetValue());
  {
    Graphics g(bitmap.get());
    SolidBrush red(Color(255, 255, 0, 0));
    g.FillRectangle(&red, 0, 0, 1, 1);
  }
  const QImage* pixels = ImagePixels(bitmap.get());
  ASSERT_NE(nullptr, pixels);
  EXPECT_EQ(0xFFFF0000u, pixels->pixel(0, 0));
  EXPECT_EQ(nullptr, ImagePixels(nullptr));
  std::unique_ptr<Bitmap> invalid(BitmapFromQImage(QImage()));
  EXPECT_EQ(InvalidParameter, invalid->GetLastStatus());
}
