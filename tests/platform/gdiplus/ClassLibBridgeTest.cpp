// The drawing API on a class-library canvas, and images decoded by the class
// library's own readers once the API is started.
#include <gtest/gtest.h>

#include <QImage>

#include "Support.h"
#include "platform/classlib/Graphics.h"
#include "platform/classlib/PictureCodec.h"
#include "platform/gdiplus/ClassLibBridge.h"
#include "platform/gdiplus/GdiPlus.h"

using namespace Gdiplus;

TEST(ClassLibBridge, DrawingOnABitmapsCanvasShowsInItsPixels) {
  TBitmap bitmap;
  bitmap.SetWidth(20);
  bitmap.SetHeight(10);
  bitmap.GetCanvas()->GetBrush()->SetColor(clWhite);
  bitmap.GetCanvas()->FillRect(::Rect(0, 0, 20, 10));

  auto graphics = GraphicsFromBitmap(&bitmap);
  ASSERT_NE(nullptr, graphics);
  SolidBrush red(Color(255, 255, 0, 0));
  ASSERT_EQ(Ok, graphics->FillRectangle(&red, 5, 2, 4, 3));
  graphics.reset();

  EXPECT_EQ(TColor(clRed), bitmap.GetCanvas()->GetPixels(5, 2));
  EXPECT_EQ(TColor(clRed), bitmap.GetCanvas()->GetPixels(8, 4));
  EXPECT_EQ(TColor(clWhite), bitmap.GetCanvas()->GetPixels(9, 2));  // right edge excluded
  EXPECT_EQ(nullptr, GraphicsFromCanvas(nullptr));
}

TEST(ClassLibBridge, StartupRoutesImagesThroughTheClassLibraryReaders) {
  GdiplusStartupInput input;
  std::uintptr_t token = 0;
  ASSERT_EQ(Ok, GdiplusStartup(&token, &input, nullptr));

  QImage source(6, 4, QImage::Format_ARGB32);
  source.fill(0x80FF0000);
  std::vector<std::uint8_t> png = EncodePng(source, 6, true);
  MemoryStream stream(png.data(), png.size());
  Bitmap image(&stream);
  ASSERT_EQ(Ok, image.GetLastStatus());
  EXPECT_EQ(6u, image.GetWidth());
  Color c;
  ASSERT_EQ(Ok, image.GetPixel(2, 2, &c));
  EXPECT_EQ(Color::MakeARGB(0x80, 0xFF, 0, 0), c.GetValue());

  // A truncated picture is refused, never half-decoded.
  MemoryStream cut(png.data(), png.size() / 2);
  Bitmap broken(&cut);
  EXPECT_NE(Ok, broken.GetLastStatus());
  GdiplusShutdown(token);
}
