// Every control of the library on one dark console form: sixteen strips of
// overlay toggles, a fader, its value box and its reset button, with a
// progress bar below. Rendered offscreen to a PNG (the test's temporary
// folder, and TAVO_CONTROLS_GALLERY_PNG when set) for a person to look at,
// with pixel probes that each control painted where it stands.

#include <gtest/gtest.h>

#include <QImage>

#include <cstdlib>
#include <string>

#include "controls/AdvProgressBar.h"
#include "controls/AdvTrackBar.h"
#include "controls/CurvyControls.h"
#include "controls/VrButtons.h"
#include "platform/classlib/ExtCtrlsControls.h"
#include "tests/platform/classlib/ClassLibTestSupport.h"

using namespace classlib_test;

namespace {

constexpr TColor kConsole = RGB(0x1E, 0x22, 0x28);
constexpr TColor kStrip = RGB(0x2A, 0x30, 0x38);
constexpr TColor kInputs = RGB(0x3C, 0xB4, 0x78);
constexpr TColor kOutputs = RGB(0x3D, 0x9C, 0xE8);
constexpr TColor kText = RGB(0xE6, 0xE9, 0xED);

template <typename T>
T* Put(TWinControl* parent, int left, int top, int width, int height) {
  auto* c = new T(parent);
  c->SetParent(parent);
  c->SetBounds(left, top, width, height);
  return c;
}

// A fader as the main window sets it up, in the console's colours.
TAdvTrackBar* StripFader(TWinControl* parent, int left, int top, int position, TColor accent) {
  auto* f = Put<TAdvTrackBar>(parent, left, top, 150, 26);
  f->SetOrientation(trVertical);
  f->SetBounds(left, top, 27, 208);
  f->SetMin(-280);
  f->SetMax(120);
  f->SetPosition(position);
  f->SetPageSize(20);
  f->SetShowFocus(true);
  TTrackBarThumb* t = f->GetThumb();
  t->SetSize(16);
  t->SetWidth(29);
  t->SetShape(tsRectangle);
  t->SetColor(RGB(0xD8, 0xDC, 0xE0));
  t->SetColorTo(RGB(0x9A, 0xA0, 0xA8));
  t->SetColorMirror(RGB(0x8A, 0x90, 0x98));
  t->SetColorMirrorTo(RGB(0xB8, 0xBE, 0xC6));
  t->SetBorderColor(RGB(0x10, 0x12, 0x16));
  t->SetGradientMirror(ggVertical);
  t->SetColorHot(RGB(0xF0, 0xF2, 0xF4));
  t->SetColorHotTo(RGB(0xB0, 0xB6, 0xBE));
  t->SetBorderColorHot(accent);
  TTrackBarSlider* s = f->GetSlider();
  s->SetSize(3);
  s->SetColor(RGB(0x0C, 0x0E, 0x11));
  s->SetColorTo(RGB(0x0C, 0x0E, 0x11));
  s->SetColorCompleted(accent);
  s->SetColorCompletedTo(clNone);
  s->SetBorderColor(RGB(0x50, 0x58, 0x62));
  s->SetBorder3D(false);
  f->GetTickMark()->SetStyle(tsNone);
  return f;
}

TEST(ControlsGallery, SixteenStripsOnAConsoleForm) {
  FormStage stage;
  TForm* form = stage.form;
  form->SetColor(kConsole);
  form->SetBounds(40, 40, 16 * 74 + 16, 470);
  for (int i = 0; i < 16; ++i) {
    const bool input = i < 8;
    const TColor accent = input ? kInputs : kOutputs;
    auto* strip = Put<TPanel>(form, 8 + i * 74, 8, 70, 400);
    strip->SetColor(kStrip);
    strip->SetBevelOuter(bvNone);
    const std::string name = (input ? "In" : "Out") + std::to_string(i % 8 + 1);
    auto* show = Put<TVrPowerButton>(strip, 4, 6, 62, 16);
    show->SetCaption(name);
    show->SetColor(kStrip);
    show->GetPalette()->SetLow(RGB(0x3A, 0x40, 0x30));
    show->GetPalette()->SetHigh(RGB(0xFF, 0xD8, 0x3A));
    show->SetOutlineWidth(0);
    show->SetBevelWidth(0);
    show->GetFont()->SetName("Tahoma");
    show->GetFont()->SetHeight(-11);
    show->GetFont()->SetColor(accent);
    show->SetActive(i % 3 == 0);
    auto* fader = StripFader(strip, 21, 30, -280 + i * 25, accent);
    (void)fader;
    auto* box = Put<TCurvyEdit>(strip, 4, 246, 62, 24);
    box->SetRounding(6);
    box->SetColor(RGB(0x12, 0x15, 0x19));
    box->SetBorderColor(RGB(0x50, 0x58, 0x62));
    box->SetAlignment(taCenter);
    box->SetReadOnly(true);
    box->GetFont()->SetName("Tahoma");
    box->GetFont()->SetHeight(-11);
    box->GetFont()->SetColor(kText);
    const double db = (-280 + i * 25) / 10.0;
    char text[16];
    std::snprintf(text, sizeof text, "%+.1fdB", db);
    box->SetText(text);
    auto* reset = Put<TVrDemoButton>(strip, 4, 280, 62, 17);
    reset->SetCaption("EQ reset");
    reset->SetColor(RGB(0x22, 0x27, 0x2E));
    reset->SetBevelWidth(1);
    reset->SetOutlineColor(RGB(0x10, 0x12, 0x16));
    reset->SetHighlightColor(RGB(0x4A, 0x52, 0x5C));
    reset->SetShadowColor(RGB(0x14, 0x17, 0x1B));
    for (TFont* f : {reset->GetFontEnter(), reset->GetFontLeave()}) {
      f->SetName("Arial");
      f->SetHeight(-11);
      f->SetStyle(TFontStyles{});
      f->SetColor(kText);
    }
    auto* bypass = Put<TVrPowerButton>(strip, 4, 304, 62, 16);
    bypass->SetCaption("Bypass");
    bypass->SetColor(kStrip);
    bypass->GetPalette()->SetLow(RGB(0x40, 0x28, 0x28));
    bypass->GetPalette()->SetHigh(RGB(0xFF, 0x50, 0x50));
    bypass->SetOutlineWidth(0);
    bypass->SetBevelWidth(0);
    bypass->GetFont()->SetColor(kText);
    bypass->GetFont()->SetHeight(-11);
    bypass->SetActive(i == 5);
  }
  auto* bar = Put<TAdvProgressBar>(form, 12, 420, 431, 41);
  bar->SetMax(200);
  bar->SetPosition(150);
  bar->GetBarFont()->SetHeight(-13);
  form->Show();
  DrainEvents();
  QImage shot = form->GetWidget()->grab().toImage();
  EXPECT_TRUE(shot.save(QString::fromStdString(::testing::TempDir() + "controls-gallery.png")));
  if (const char* path = std::getenv("TAVO_CONTROLS_GALLERY_PNG")) shot.save(path);

  // Probes: a lit LED, the thumb of the first fader, the value box body and
  // the progress bar's blocks.
  auto rgb = [&](int x, int y) {
    const QRgb p = shot.pixel(x, y);
    return RGB(qRed(p), qGreen(p), qBlue(p));
  };
  EXPECT_NE(rgb(8 + 21 + 13, 8 + 30 + 190), kStrip);                // first fader's thumb at Min
  EXPECT_EQ(rgb(8 + 4 + 31, 8 + 246 + 12), RGB(0x12, 0x15, 0x19));  // value box body
  EXPECT_EQ(rgb(12 + 5, 420 + 20), clYellow);                       // 75%: yellow blocks
}

}  // namespace

namespace {

// The fader's own faces: each thumb shape, ticks, min/max buttons, label
// and colour schemes, on the library's defaults.
TEST(ControlsGallery, FaderShapesButtonsTicksAndSchemes) {
  FormStage stage;
  TForm* form = stage.form;
  form->SetColor(RGB(0xF0, 0xF0, 0xF0));
  form->SetBounds(40, 40, 760, 330);
  const TThumbShape shapes[] = {tsPointer,      tsRectangle,      tsRoundRect,     tsRound,
                                tsLine,         tsPointerRightUp, tsPointerLeftUp, tsTriangle,
                                tsTriangleLeft, tsTriangleRight};
  int x = 10;
  for (TThumbShape shape : shapes) {
    auto* f = Put<TAdvTrackBar>(form, x, 10, 150, 26);
    f->SetOrientation(trVertical);
    f->SetBounds(x, 10, 50, 200);
    f->GetThumb()->SetShape(shape);
    f->GetThumb()->SetSize(20);
    f->GetThumb()->SetWidth(16);
    f->SetPosition(3 + (x / 60) % 5);
    x += 56;
  }
  const TKYTStyle schemes[] = {ksOffice2007Luna, ksWindows7, ksOffice2010Black, ksTerminal};
  int y = 220;
  for (TKYTStyle scheme : schemes) {
    auto* f = Put<TAdvTrackBar>(form, 10, y, 360, 26);
    f->GetButtons()->SetVisible(true);
    f->GetTickMark()->SetPosition(tmBoth);
    f->SetComponentStyle(scheme);
    f->SetMax(20);
    f->SetPosition(7);
    y += 26;
  }
  auto* labelled = Put<TAdvTrackBar>(form, 400, 220, 340, 50);
  labelled->GetTrackLabel()->SetVisible(true);
  labelled->GetTickMark()->SetShowText(true);
  labelled->SetMax(10);
  labelled->SetPosition(4);
  form->Show();
  DrainEvents();
  QImage shot = form->GetWidget()->grab().toImage();
  EXPECT_TRUE(shot.save(QString::fromStdString(::testing::TempDir() + "controls-gallery-faders.png")));
}

}  // namespace
