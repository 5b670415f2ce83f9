// The fill style, the shape fill and text helpers of the drawing layer, and
// pictures kept as image-file bytes: header readers, decoding, keyed
// bitmaps and assignment.

#include <gtest/gtest.h>

#include <QImage>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <cstdio>
#include <unistd.h>
#include <string>
#include <vector>

#include "controls/GDIPFill.h"
#include "controls/GDIPPictureContainer.h"
#include "controls/GDIPicture.h"
#include "platform/classlib/Clipbrd.h"
#include "platform/classlib/IniFiles.h"
#include "tests/platform/classlib/ClassLibTestSupport.h"

using namespace classlib_test;

namespace {

using Bytes = std::vector<std::uint8_t>;

// A BMP of w x h, 24-bit, bottom-up (or top-down with a negative height),
// every pixel `colour` but the bottom-left one, which is `corner`.
Bytes MakeBmp(int w, int h, TColor colour, TColor corner) {
  TBitmap bmp(w, std::abs(h));
  bmp.GetCanvas()->Brush->SetColor(colour);
  bmp.GetCanvas()->FillRect(Rect(0, 0, w, std::abs(h)));
  bmp.GetCanvas()->SetPixels(0, std::abs(h) - 1, corner);
  Bytes b = bmp.SaveToBytes();
  if (h < 0) {
    const std::int32_t neg = h;
    std::memcpy(&b[22], &neg, 4);
  }
  return b;
}

QImage Surface(int w, int h, QRgb fill) {
  QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
  img.fill(fill);
  return img;
}

TEST(ImageHeaders, SizesComeFromHeadersAndDamagedOnesGiveNone) {
  // PNG: the low halves of the 32-bit sizes.
  Bytes png = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13,
               'I',  'H',  'D',  'R',  0,    0x01, 0x11, 0x70, 0, 0, 0, 69};  // width 70000, height 69
  EXPECT_EQ(ReadPngSize(png).Width, 70000 - 65536);
  EXPECT_EQ(ReadPngSize(png).Height, 69);
  // JPEG: APP0 and DQT before the frame header.
  Bytes jpeg = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x04, 0xAA, 0xBB, 0xFF, 0xDB, 0x00,
                0x03, 0x01, 0xFF, 0xC0, 0x00, 0x11, 0x08, 0x00, 0x45, 0x02, 0x1A};
  EXPECT_EQ(ReadJpegSize(jpeg).Width, 538);
  EXPECT_EQ(ReadJpegSize(jpeg).Height, 69);
  Bytes lossless = {0xFF, 0xD8, 0xFF, 0xC3, 0x00, 0x05, 0x08, 0x00, 0x10};
  EXPECT_EQ(ReadJpegSize(lossless).Width, 0);
  // A segment length below 2 and a truncated frame header: no size, no
  // read past the data.
  Bytes shortSegment = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x01, 0xFF, 0xC0};
  EXPECT_EQ(ReadJpegSize(shortSegment).Width, 0);
  Bytes truncated = {0xFF, 0xD8, 0xFF, 0xC0, 0x00, 0x11, 0x08, 0x00};
  EXPECT_EQ(ReadJpegSize(truncated).Height, 0);
  // BMP, bottom-up and top-down.
  App();
  EXPECT_EQ(ReadBmpSize(MakeBmp(100, 50, clRed, clRed)).Height, 50);
  EXPECT_EQ(ReadBmpSize(MakeBmp(100, -50, clRed, clRed)).Height, 50);
  EXPECT_EQ(ReadBmpSize(MakeBmp(100, -50, clRed, clRed)).Width, 100);
  // GIF with a 256-entry global colour table.
  Bytes gif = {'G', 'I', 'F', '8', '9', 'a', 10, 0, 10, 0, 0xF7, 0, 0};
  gif.resize(13 + 768, 0);
  const Bytes descriptor = {0x2C, 0, 0, 0, 0, 33, 0, 44, 0, 0, 8};
  gif.insert(gif.end(), descriptor.begin(), descriptor.end());
  EXPECT_EQ(ReadGifSize(gif).Width, 33);
  EXPECT_EQ(ReadGifSize(gif).Height, 44);
  // TIFF directory, read little-endian.
  Bytes tiff = {'I', 'I', 42, 0, 8, 0,    0,    0, 2, 0, 0x00, 0x01, 3, 0, 1, 0, 0,
                0,   7,   0,  0, 0, 0x01, 0x01, 3, 0, 1, 0,    0,    0, 9, 0, 0, 0};
  EXPECT_EQ(ReadTiffSize(tiff).Width, 7);
  EXPECT_EQ(ReadTiffSize(tiff).Height, 9);
  Bytes bigEndian = {'M', 'M', 0, 42, 0, 0, 0, 8};
  EXPECT_EQ(ReadTiffSize(bigEndian).Width, 0);
}

TEST(Pictures, MeasureOnLoadAndFormDataLeavesTheSizeUntilAsked) {
  App();
  const Bytes bmp = MakeBmp(16, 29, clGray, clFuchsia);
  TGDIPPicture thumb;
  TMemoryStream stream;
  stream.WriteBuffer(bmp.data(), static_cast<std::int64_t>(bmp.size()));
  thumb.ReadData(&stream);
  EXPECT_FALSE(thumb.GetEmpty());
  EXPECT_EQ(thumb.GetWidth(), 0);
  EXPECT_TRUE(thumb.GetImageSizes());
  EXPECT_EQ(thumb.GetWidth(), 16);
  EXPECT_EQ(thumb.GetHeight(), 29);

  TAdvGDIPPicture pic;
  int changes = 0;
  pic.OnChange = [&](TGraphic*) { ++changes; };
  pic.LoadFromBytes(bmp);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(pic.GetWidth(), 16);
  TAdvGDIPPicture copy;
  copy.Assign(&pic);
  EXPECT_EQ(copy.GetBytes(), pic.GetBytes());
  copy.Assign(static_cast<const TGraphic*>(nullptr));
  EXPECT_TRUE(copy.GetEmpty());
  // Bytes no decoder takes: no size, no failure.
  TAdvGDIPPicture junk;
  junk.LoadFromBytes(Bytes{1, 2, 3, 4});
  EXPECT_EQ(junk.GetWidth(), 0);
}

TEST(Pictures, KeyedBitmapLeavesTheBottomLeftColourUndrawn) {
  App();
  TAdvGDIPPicture pic;
  pic.LoadFromBytes(MakeBmp(8, 8, clRed, clLime));
  pic.SetTransparent(true);
  // Every pixel of the key colour stays undrawn, wherever it stands.
  Bytes bytes = pic.GetBytes();
  QImage img = Surface(20, 20, qRgb(0, 0, 255));
  {
    TGPGraphics g(&img);
    pic.GDIPDraw(&g, Rect(2, 2, 40, 40));  // a keyed bitmap keeps its own size
  }
  EXPECT_EQ(img.pixel(2, 9), qRgb(0, 0, 255));  // the key colour, bottom-left
  EXPECT_EQ(img.pixel(5, 5), qRgb(255, 0, 0));
  EXPECT_EQ(img.pixel(12, 12), qRgb(0, 0, 255));  // not stretched
}

TEST(FillHelpers, HexTextRoundTripsAndRefusesOtherCharacters) {
  EXPECT_EQ(HexFromBytes({0x00, 0xAB, 0x7F}), "00AB7F");
  EXPECT_EQ(BytesFromHex("00ab7F"), (Bytes{0x00, 0xAB, 0x7F}));
  EXPECT_EQ(BytesFromHex("ABC"), (Bytes{0xAB}));  // a last odd digit is ignored
  EXPECT_THROW(BytesFromHex("0G"), EConvertError);
}

TEST(FillHelpers, TextCorrectionAndAspectFit) {
  EXPECT_EQ(TextWidthCorrection(8), 2);
  EXPECT_EQ(TextWidthCorrection(9), 3);
  EXPECT_EQ(TextWidthCorrection(14), 6);
  EXPECT_EQ(GetAspectFitSize(100, 50, 40, 40, pmStretch), (TPoint{40, 20}));
  EXPECT_EQ(GetAspectFitSize(10, 5, 40, 40, pmNormal), (TPoint{10, 5}));
  EXPECT_EQ(GetAspectFitSize(0, 5, 40, 40, pmNormal), (TPoint{0, 0}));
  EXPECT_EQ(FillPictureRect(ppCustom, 10, 10, Rect(50, 50, 90, 90), 3, 4, false, pmStretch),
            Bounds(3, 4, 10, 10));
  EXPECT_EQ(FillPictureRect(ppCenterCenter, 10, 10, Rect(0, 0, 41, 41), 0, 0, false, pmStretch),
            Bounds(15, 15, 10, 10));
}

TEST(FillHelpers, MeasuringTextReplacesATrailingSpaceAndDrawsNothing) {
  App();
  TFont font;
  font.SetName("Tahoma");
  font.SetSize(10);
  QImage img = Surface(200, 40, qRgb(255, 255, 255));
  TGPGraphics g(&img);
  TRect spaced = Rect(0, 0, 10, 10);
  const int h = DrawText(&g, "ab ", 3, spaced, font, DT_CALCRECT, clNone);
  TRect lettered = Rect(0, 0, 10, 10);
  DrawText(&g, "abi", 3, lettered, font, DT_CALCRECT, clNone);
  EXPECT_EQ(spaced.Right, lettered.Right);
  EXPECT_EQ(h, spaced.Bottom - spaced.Top);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 200; ++x) ASSERT_EQ(img.pixel(x, y), qRgb(255, 255, 255));
  TRect same = Rect(5, 5, 50, 25);
  EXPECT_EQ(DrawText(&g, "x", 1, same, font, 0, clNone), 20);
  EXPECT_EQ(same, Rect(5, 5, 50, 25));
}

TEST(Fill, DefaultFillIsAVerticalSilverToGreyGradient) {
  App();
  QImage img = Surface(100, 40, qRgb(0, 0, 0));
  TGPGraphics g(&img);
  TGDIPFill fill;
  const TGPRectF body = fill.Fill(&g, TGPRectF(0, 0, 100, 40));
  EXPECT_EQ(body.Width, 100);
  EXPECT_NEAR(qRed(img.pixel(50, 1)), 0xC0, 8);
  EXPECT_NEAR(qRed(img.pixel(50, 38)), 0x80, 8);
  EXPECT_EQ(img.pixel(0, 0), img.pixel(5, 0));  // square corners, no outline
}

TEST(Fill, OneColourRoundedBodyWithOutlineAndOpacityOverride) {
  App();
  QImage img = Surface(70, 24, qRgb(0, 0, 0));
  TGPGraphics g(&img);
  g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  TGDIPFill fill;
  for (TColor c : {clWhite}) {
    fill.SetColor(c);
    fill.SetColorTo(c);
    fill.SetColorMirror(c);
    fill.SetColorMirrorTo(c);
  }
  fill.SetBorderColor(clRed);
  fill.SetRounding(6);
  fill.Fill(&g, TGPRectF(0, 0, 69, 23));
  EXPECT_EQ(img.pixel(35, 6), qRgb(255, 255, 255));
  EXPECT_EQ(img.pixel(35, 18), qRgb(255, 255, 255));  // the mirror half alike
  EXPECT_EQ(img.pixel(0, 0), qRgb(0, 0, 0));          // outside the rounded corner
  EXPECT_GT(qRed(img.pixel(35, 0)), 200);             // the outline
  EXPECT_LT(qGreen(img.pixel(35, 0)), 60);
  // An opacity argument of 128 paints at half strength whatever Opacity holds.
  QImage half = Surface(40, 40, qRgb(0, 0, 0));
  TGPGraphics hg(&half);
  TGDIPFill plain;
  plain.SetColor(clWhite);
  plain.SetColorTo(clNone);
  plain.Fill(&hg, TGPRectF(0, 0, 40, 40), 255, 128);
  EXPECT_NEAR(qRed(half.pixel(20, 20)), 128, 3);
}

TEST(Fill, ShadowTakesItsShareAndUpdatesHoldNotices) {
  App();
  QImage img = Surface(100, 40, qRgb(0, 0, 0));
  TGPGraphics g(&img);
  TGDIPFill fill;
  int changes = 0;
  fill.OnChange = [&](TObject*) { ++changes; };
  fill.BeginUpdate();
  fill.SetShadowOffset(4);
  fill.SetShadowColor(clGray);
  fill.EndUpdate();
  EXPECT_EQ(changes, 0);
  const TGPRectF body = fill.Fill(&g, TGPRectF(0, 0, 100, 40));
  EXPECT_EQ(body.Width, 96);
  EXPECT_EQ(body.Height, 36);
  fill.SetAngle(45);
  EXPECT_EQ(changes, 1);
  TGDIPFill copy;
  int copyChanges = 0;
  copy.OnChange = [&](TObject*) { ++copyChanges; };
  copy.Assign(&fill);
  EXPECT_EQ(copyChanges, 1);
  EXPECT_EQ(copy.GetAngle(), 45);
  // One pixel high: only the border line.
  fill.SetBorderColor(clWhite);
  QImage line = Surface(20, 3, qRgb(0, 0, 0));
  TGPGraphics lg(&line);
  fill.Fill(&lg, TGPRectF(0, 1, 20, 1));
  EXPECT_EQ(line.pixel(10, 0), qRgb(0, 0, 0));
}

TEST(Fill, ShapeFillKinds) {
  App();
  struct Case {
    TAdvGradientType kind;
    bool filled;
  } cases[] = {{gtSolid, true}, {gtVertical, true}, {gtHorizontal, true}, {gtAngle, true},
               {gtHatch, true}, {gtRadial, false},  {gtTexture, false},   {gtNone, false}};
  for (const Case& c : cases) {
    QImage img = Surface(40, 40, qRgb(0, 0, 0));
    TGPGraphics g(&img);
    TGPShapeFill f;
    f.Graphics = &g;
    f.Rect = TGPRectF(5, 5, 30, 30);
    f.GradientType = c.kind;
    f.Color = clWhite;
    f.ColorTo = clWhite;
    f.BorderColor = clRed;
    f.BorderWidth = 1;
    DrawShapeFill(f);
    EXPECT_EQ(img.pixel(20, 20) != qRgb(0, 0, 0), c.filled) << c.kind;
    EXPECT_GT(qRed(img.pixel(5, 20)), 100) << c.kind;  // the outline in every kind
  }
}

}  // namespace

namespace {

TEST(FillPersistence, SavedFillReadsBackTheSameAndOldFilesStillRead) {
  App();
  const std::string file = ::testing::TempDir() + "fill-" + std::to_string(::getpid()) + ".ini";
  std::remove(file.c_str());
  TGDIPFill fill;
  fill.SetColor(clRed);
  fill.SetRounding(6);
  fill.SetPictureSize(psCustom);
  fill.SetGlow(gmRadial);
  const Bytes bmp = MakeBmp(3, 2, clBlue, clBlue);
  fill.GetPicture()->LoadFromBytes(bmp);
  fill.SaveToFile(file, "Panel");
  TGDIPFill back;
  int changes = 0;
  back.OnChange = [&](TObject*) { ++changes; };
  back.LoadFromFile(file, "Panel");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(back.GetColor(), clRed);
  EXPECT_EQ(back.GetRounding(), 6);
  EXPECT_EQ(back.GetPictureSize(), psCustom);
  EXPECT_EQ(back.GetGlow(), gmRadial);
  EXPECT_EQ(back.GetPicture()->GetBytes(), bmp);
  TIniFile ini(file);
  EXPECT_EQ(ini.ReadInteger("Panel", "PictureSize", -1), static_cast<int>(bmp.size() * 2));
  // A file of the old form: the property and the text length share a key.
  ini.DeleteKey("Panel", "PictureSizeMode");
  TGDIPFill old;
  old.LoadFromFile(file, "Panel");
  EXPECT_EQ(old.GetPictureSize(), psOriginal);
  EXPECT_EQ(old.GetPicture()->GetBytes(), bmp);
  ini.WriteString("Panel", "Picture", "ZZ");
  TGDIPFill bad;
  EXPECT_THROW(bad.LoadFromFile(file, "Panel"), EConvertError);
  EXPECT_EQ(bad.GetColor(), clRed);  // the keys before the picture were read
  std::remove(file.c_str());
}

TEST(FillPersistence, ClipboardCarriesTheFill) {
  App();
  TGDIPFill fill;
  fill.SetColorTo(clNone);
  fill.SetAngle(30);
  fill.SaveToClipBoard();
  TGDIPFill pasted;
  pasted.LoadFromClipBoard();
  EXPECT_EQ(pasted.GetColorTo(), clNone);
  EXPECT_EQ(pasted.GetAngle(), 30);
  Clipboard()->SetAsText("plain");
  TGDIPFill untouched;
  untouched.LoadFromClipBoard();
  EXPECT_EQ(untouched.GetAngle(), 0);
}

}  // namespace

namespace {

TEST(DrawingLayer, ColoursAndImageFormats) {
  App();
  EXPECT_EQ(ArgbFromColor(128, clRed), 0x80FF0000u);
  EXPECT_EQ(OpaqueArgbFromColor(clBlue), 0xFF0000FFu);
  EXPECT_EQ(OpaqueArgbFromColor(clBtnFace) >> 24, 0xFFu);  // system colours resolve
  const Bytes bmp = MakeBmp(4, 4, clRed, clRed);
  Gdiplus::MemoryStream bmpStream(bmp);
  EXPECT_EQ(GetImageFormat(TGPImage(&bmpStream)), ifBMP);
  const Bytes junk = {1, 2, 3};
  Gdiplus::MemoryStream junkStream(junk);
  EXPECT_EQ(GetImageFormat(TGPImage(&junkStream)), ifUndefined);
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(3.5), 4);
  EXPECT_EQ(RoundHalfEven(-0.5), 0);
}

}  // namespace

namespace {

TEST(PictureContainer, FindsNamesRegardlessOfTheCaseOfAToZ) {
  App();
  TGDIPPictureContainer box(nullptr);
  TPictureItem* logo = box.GetItems()->Add();
  logo->SetName("Logo");
  logo->GetPicture()->LoadFromBytes(MakeBmp(2, 2, clRed, clRed));
  TPictureItem* other = box.GetItems()->Add();
  other->SetName("logo");  // a later item of the same name is not reached
  EXPECT_EQ(box.FindPicture("LOGO"), logo->GetPicture());
  EXPECT_EQ(box.FindPicture("none"), nullptr);
  EXPECT_EQ(box.GetVersion(), "1.0.0.0");
  TGDIPPictureContainer copy(nullptr);
  copy.SetItems(box.GetItems());
  ASSERT_EQ(copy.GetItems()->GetCount(), 2);
  EXPECT_EQ(copy.GetItems()->GetItem(0)->GetPicture()->GetBytes(), logo->GetPicture()->GetBytes());
  TGDIPFill notAnItem;
  EXPECT_THROW(logo->Assign(&notAnItem), EConvertError);
}

}  // namespace
