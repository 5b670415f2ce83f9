#include <gtest/gtest.h>

#include <QFont>
#include <QFontMetrics>
#include <QFontInfo>

#include "platform/classlib/Graphics.h"
#include "tests/platform/classlib/GraphicsTestSupport.h"

namespace {

using namespace graphics_test;

TEST(GraphicsColors, NamedColoursAreBgr) {
  EXPECT_EQ(RGB(0x12, 0x34, 0x56), 0x563412);
  EXPECT_EQ(clRed, RGB(255, 0, 0));
  EXPECT_EQ(clBlue, RGB(0, 0, 255));
  EXPECT_EQ(clMaroon, 0x000080);
  EXPECT_EQ(clOlive, 0x008080);
  EXPECT_EQ(clNavy, 0x800000);
  EXPECT_EQ(clTeal, 0x808000);
  EXPECT_EQ(GetRValue(clAqua), 0);
  EXPECT_EQ(GetGValue(clAqua), 255);
  EXPECT_EQ(GetBValue(clAqua), 255);
  EXPECT_EQ(static_cast<std::uint32_t>(clNone), 0x1FFFFFFFu);
  EXPECT_EQ(static_cast<std::uint32_t>(clDefault), 0x20000000u);
}

TEST(GraphicsColors, SystemColoursResolveThroughOneTable) {
  struct Case {
    TColor color;
    std::uint32_t encoded;
  };
  const Case cases[] = {
      {clBackground, 0xFF000001},      {clActiveCaption, 0xFF000002},
      {clInactiveCaption, 0xFF000003}, {clWindow, 0xFF000005},
      {clWindowText, 0xFF000008},      {clActiveBorder, 0xFF00000A},
      {clHighlight, 0xFF00000D},       {clHighlightText, 0xFF00000E},
      {clBtnFace, 0xFF00000F},         {clBtnShadow, 0xFF000010},
      {clGrayText, 0xFF000011},        {clBtnText, 0xFF000012},
      {clBtnHighlight, 0xFF000014},    {clInfoText, 0xFF000017},
      {clInfoBk, 0xFF000018},          {clGradientActiveCaption, 0xFF00001B},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(static_cast<std::uint32_t>(c.color), c.encoded);
    EXPECT_TRUE(IsSystemColor(c.color));
    const TColor rgb = ColorToRGB(c.color);
    EXPECT_EQ(rgb, SystemColorRGB(static_cast<int>(c.encoded & 0xFF)));
    EXPECT_EQ(rgb & ~0xFFFFFF, 0) << std::hex << c.encoded;
  }
  EXPECT_EQ(ColorToRGB(clWindow), clWhite);
  EXPECT_EQ(ColorToRGB(clBtnFace), 0xF0F0F0);
  EXPECT_EQ(ColorToRGB(clWindowText), clBlack);
  EXPECT_EQ(ColorToRGB(clLime), clLime);
  EXPECT_EQ(ColorToRGB(SystemColor(200)), 0);  // unknown index
  EXPECT_FALSE(IsSystemColor(clNone));
}

class GraphicsFonts : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { EnsureGuiApp(); }
};

TEST_F(GraphicsFonts, WindowsFamiliesMapToInstalledFaces) {
  const std::pair<const char*, const char*> table[] = {
      {"MS Sans Serif", "Liberation Sans"},
      {"Microsoft Sans Serif", "Liberation Sans"},
      {"Tahoma", "Liberation Sans"},
      {"tahoma", "Liberation Sans"},
      {"Arial", "Liberation Sans"},
      {"Verdana", "Liberation Sans"},
      {"Times New Roman", "Liberation Serif"},
      {"Courier New", "Liberation Mono"},
      {"\xE5\xAE\x8B\xE4\xBD\x93", "WenQuanYi Micro Hei"},  // Song
      {"\xE9\xBB\x91\xE4\xBD\x93", "WenQuanYi Micro Hei"},  // Hei
      {"SimSun", "WenQuanYi Micro Hei"},
      {"@\xE5\xAE\x8B\xE4\xBD\x93", "WenQuanYi Micro Hei"},
      {"", "Liberation Sans"},
      {"No Such Face 123", "Liberation Sans"},
      {"DejaVu Sans", "DejaVu Sans"},  // an installed family stays itself
  };
  for (const auto& [windows, installed] : table) EXPECT_EQ(MapFontFamily(windows), installed) << windows;
  // The mapped face is really there.
  for (const char* family :
       {"Liberation Sans", "Liberation Serif", "Liberation Mono", "WenQuanYi Micro Hei"}) {
    TFont f;
    f.SetName(family);
    EXPECT_EQ(QFontInfo(MakeQFont(f)).family().toStdString(), family);
  }
}

TEST_F(GraphicsFonts, SizeAndHeightAreTwoViewsOfOneValue) {
  TFont f;
  EXPECT_EQ(f.GetHeight(), -11);
  EXPECT_EQ(f.GetSize(), 8);
  f.SetSize(9);
  EXPECT_EQ(f.GetHeight(), -12);
  f.SetSize(10);
  EXPECT_EQ(f.GetHeight(), -13);
  f.SetHeight(-16);
  EXPECT_EQ(f.GetSize(), 12);
  EXPECT_EQ(MakeQFont(f).pixelSize(), 16);

  // A positive height is the cell height: ascent plus descent.
  f.SetHeight(20);
  const QFontMetrics fm(MakeQFont(f));
  EXPECT_NEAR(fm.height(), 20, 1);
}

TEST_F(GraphicsFonts, StylesAndChangeNotification) {
  TFont f;
  int changes = 0;
  f.OnChange = [&](TGraphicsObject*) { ++changes; };
  f.SetStyle(TFontStyles() << fsBold << fsUnderline);
  f.SetStyle(TFontStyles{fsBold, fsUnderline});  // same value: no change
  f.SetCharset(GB2312_CHARSET);
  EXPECT_EQ(changes, 2);
  const QFont q = MakeQFont(f);
  EXPECT_TRUE(q.bold());
  EXPECT_TRUE(q.underline());
  EXPECT_FALSE(q.italic());

  TFont g;
  g.Assign(f);
  EXPECT_TRUE(g == f);
}

TEST_F(GraphicsFonts, CjkTextFallsBackToACjkFace) {
  auto bmp = WhiteBitmap(80, 30);
  TCanvas& c = *bmp->Canvas;
  c.Font->SetName("Tahoma");
  c.Font->SetHeight(-16);
  const std::string text = "\xE8\xBE\x93\xE5\x85\xA5";  // two CJK characters
  EXPECT_GE(c.TextWidth(text), 24);
  c.TextOut(2, 2, text);
  EXPECT_GT(InkedPixels(*bmp).size(), 40u);
  EXPECT_TRUE(MakeQFont(*c.Font).families().contains("WenQuanYi Micro Hei"));
}

TEST(GraphicsObjects, PenAndBrushDefaultsAndRules) {
  TPen pen;
  EXPECT_EQ(pen.GetColor(), clBlack);
  EXPECT_EQ(pen.GetWidth(), 1);
  EXPECT_EQ(pen.GetMode(), pmCopy);
  pen.SetWidth(0);
  EXPECT_EQ(pen.GetWidth(), 1);

  TBrush brush;
  EXPECT_EQ(brush.GetColor(), clWhite);
  EXPECT_EQ(brush.GetStyle(), bsSolid);
  brush.SetStyle(bsClear);
  brush.SetColor(clRed);  // a colour makes a clear brush solid again
  EXPECT_EQ(brush.GetStyle(), bsSolid);
}

}  // namespace
