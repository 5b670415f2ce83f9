// The main window's splash screen: up from the moment the window's building
// ends until its first showing, over a console-look picture drawn here.

#include <string>

#include "controls/AdvSmoothSplashScreen.h"
#include "mainwindow/FMain.h"
#include "mainwindow/FMainSplash.h"
#include "mainwindow/FMainLook.h"
#include "model/CommonConstants.h"
#include "platform/classlib/PicturePng.h"
#include "platform/gdiplus/Brush.h"
#include "platform/gdiplus/ClassLibBridge.h"
#include "platform/gdiplus/Pen.h"

namespace {

constexpr int PictureWidth = 620;
constexpr int PictureHeight = 350;

Gdiplus::Color Argb(std::uint8_t a, TColor c) {
  return Gdiplus::Color(ArgbFromColor(a, c));
}

// A rounded dark panel with a soft shadow, a strip of meter segments in
// the three side accents, a row of fader slots and a thin accent line
// under the heading; the texts are the splash's own.
void DrawSplashPicture(TGPGraphics& g) {
  using namespace MainLook;
  g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  g.Clear(Gdiplus::Color(0));
  const float w = PictureWidth, h = PictureHeight;
  // Shadow: a few widening rings of low alpha.
  for (int i = 6; i >= 1; --i) {
    const auto d = static_cast<float>(i);
    auto ring = CreateRoundRectPath(TGPRectF(6 - d, 8 - d, w - 12 + 2 * d, h - 14 + 2 * d), 16 + d, rtBoth);
    TGPSolidBrush shade(Gdiplus::Color(static_cast<std::uint8_t>(14 + 3 * (6 - i)), 0, 0, 0));
    g.FillPath(&shade, ring.get());
  }
  const TGPRectF body(6, 6, w - 12, h - 16);
  auto panel = CreateRoundRectPath(body, 16, rtBoth);
  TGPLinearGradientBrush face(TGPPointF(0, body.Y), TGPPointF(0, body.Y + body.Height),
                              Argb(255, WindowBackTop), Argb(255, DisplayBack));
  g.FillPath(&face, panel.get());
  TGPPen edge(Argb(255, RGB(70, 78, 90)), 1.0f);
  g.DrawPath(&edge, panel.get());

  // The meter strip across the top right: segments rising in each accent.
  const TColor accents[] = {InputAccent, OutputAccent, EffectAccent};
  for (int column = 0; column < 24; ++column) {
    const TColor accent = accents[column / 8];
    const int lit = 3 + (column * 7 + 3) % 9;
    for (int row = 0; row < 12; ++row) {
      const float x = 300 + column * 12.0f, y = 96 - row * 6.0f;
      const bool on = row < lit;
      TGPSolidBrush segment(on ? Argb(row >= 10 ? 230 : 170, row >= 10 ? RGB(226, 84, 72) : accent)
                               : Argb(255, RGB(40, 45, 53)));
      g.FillRectangle(&segment, TGPRectF(x, y, 9, 4));
    }
  }

  // The accent line under the heading.
  TGPLinearGradientBrush line(TGPPointF(70, 0), TGPPointF(560, 0), Argb(255, InputAccent),
                              Argb(0, PageAccent));
  g.FillRectangle(&line, TGPRectF(70, 176, 490, 2));

  // Fader slots along the bottom, caps at different heights.
  for (int i = 0; i < 16; ++i) {
    const float x = 44 + i * 34.0f;
    TGPSolidBrush slot(Argb(255, RGB(12, 14, 18)));
    g.FillRectangle(&slot, TGPRectF(x + 7, 266, 4, 54));
    const float cap = 272 + static_cast<float>((i * 11 + 5) % 40);
    auto capPath = CreateRoundRectPath(TGPRectF(x, cap, 18, 9), 2, rtBoth);
    TGPSolidBrush capFace(Argb(255, i < 8 ? RGB(96, 104, 116) : RGB(120, 126, 136)));
    g.FillPath(&capFace, capPath.get());
    TGPSolidBrush capLine(Argb(255, accents[i < 8 ? 0 : 1]));
    g.FillRectangle(&capLine, TGPRectF(x + 2, cap + 4, 14, 1));
  }
}

}  // namespace

std::vector<std::uint8_t> SplashPictureBytes() {
  TBitmap bitmap(PictureWidth, PictureHeight);
  bitmap.SetPixelFormat(pf32bit);
  if (auto g = Gdiplus::GraphicsFromBitmap(&bitmap)) DrawSplashPicture(*g);
  TPngImage png;
  // Made at every start and read back at once: the quickest compression
  // (the picture is the same at any level).
  png.SetCompressionLevel(1);
  png.Assign(&bitmap);
  return png.SaveToBytes();
}

void TfmMain::CreateSplashScreen() {
  auto* splash = new TAdvSmoothSplashScreen(this);
  splash->SetName("asScreen");
  splash->SetCloseOnTimeout(true);
  splash->SetTimeOut(100);
  splash->SetDisplayStyle(dsNormal);

  TGDIPFill* fill = splash->GetFill();
  fill->SetColor(clNone);
  fill->SetColorTo(clNone);
  fill->SetColorMirror(clNone);
  fill->SetColorMirrorTo(clNone);
  fill->SetBorderColor(clNone);
  const std::vector<std::uint8_t> picture = SplashPictureBytes();
  fill->GetPicture()->LoadFromBytes(picture.data(), picture.size());
  fill->SetPicturePosition(ppBottomCenter);
  fill->SetOpacity(249);
  fill->SetRounding(0);
  fill->SetShadowOffset(0);
  fill->SetGlow(gmNone);

  TBasicProgramInfo* info = splash->GetBasicProgramInfo();
  TSplashHeadingText* name = info->GetProgramName();
  name->SetText(std::string(AppTitle));
  name->GetFont()->SetName("Tahoma");
  name->GetFont()->SetStyle(TFontStyles{fsBold});
  name->GetFont()->SetHeight(-29);
  name->SetLocation(ilCustom);
  name->SetPosX(70);
  name->SetPosY(130);
  name->SetHatchStyle(Gdiplus::HatchStyleDivot);
  name->SetColorStart(clWhite);
  name->SetColorEnd(clWhite);
  TSplashHeadingText* version = info->GetProgramVersion();
  // "Ver" and the number of the program's one version text.
  version->SetText("Ver " + std::string(AppVersion.substr(1)));
  version->GetFont()->SetName("Tahoma");
  version->GetFont()->SetStyle(TFontStyles{});
  version->GetFont()->SetHeight(-19);
  version->SetLocation(ilCustom);
  version->SetPosX(480);
  version->SetPosY(140);
  version->SetColorStart(clWhite);
  version->SetColorEnd(clWhite);
  TFont* copyFont = info->GetCopyRightFont();
  copyFont->SetName("MS Sans Serif");
  copyFont->SetHeight(-11);
  copyFont->SetColor(static_cast<TColor>(0x0262C1));
  info->SetCopyRightLocation(ilCustom);
  info->SetCopyRightPosX(340);
  info->SetCopyRightPosY(340);

  TGDIPSplashProgress* bar = splash->GetProgressBar();
  bar->GetBackGroundFill()->SetColor(clNone);
  bar->GetBackGroundFill()->SetColorMirror(clNone);
  bar->GetBackGroundFill()->SetColorMirrorTo(clNone);
  bar->GetBackGroundFill()->SetBorderColor(clGray);
  bar->GetProgressFill()->SetColor(clWhite);
  bar->GetProgressFill()->SetColorTo(static_cast<TColor>(0xFFCC99));
  bar->GetProgressFill()->SetColorMirror(clNone);
  bar->GetProgressFill()->SetColorMirrorTo(clNone);
  bar->GetProgressFill()->SetBorderColor(clNone);
  for (TFont* font : {bar->GetFont(), bar->GetProgressFont()}) {
    font->SetName("Tahoma");
    font->SetHeight(-11);
  }
  bar->SetValueFormat("%.0f%%");
  bar->SetLeft(160);
  bar->SetTop(220);
  bar->SetHeight(12);
  bar->SetStep(10);
  bar->SetMaximum(100);

  splash->GetListItems()->Add()->SetHTMLText(
      R"(<FONT size="20" color="clWhite">Loading Program....</FONT><br>)");
  TSplashListItemsSettings* list = splash->GetListItemsSettings();
  list->GetRect()->SetLeft(180);
  list->GetRect()->SetTop(210);
  list->GetRect()->SetWidth(500);
  list->GetRect()->SetHeight(250);
  list->GetHTMLFont()->SetName("Tahoma");
  list->GetHTMLFont()->SetHeight(-11);
}
