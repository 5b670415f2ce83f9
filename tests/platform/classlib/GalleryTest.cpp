// One form holding every control of the class library, in the console look
// the program wears and on a light form, rendered offscreen to PNGs (the
// test's temporary folder, and TAVO_GALLERY_PNG when set; the light one
// beside it with "-light") for a person to look at, with pixel probes that
// each kind of control painted where it stands and that text, marks and bars
// read on either face.

#include <gtest/gtest.h>

#include <QImage>
#include <QMenuBar>
#include <QPixmap>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QWidget>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "ClassLibTestSupport.h"
#include "platform/classlib/ComCtrls.h"
#include "platform/classlib/ExtCtrls.h"
#include "platform/classlib/ExtCtrlsControls.h"
#include "platform/classlib/ImgList.h"
#include "platform/classlib/Menus.h"
#include "platform/classlib/PicturePng.h"
#include "platform/classlib/RzControls.h"
#include "platform/classlib/ScrollBox.h"
#include "platform/classlib/StdCtrls.h"

using namespace classlib_test;

namespace {

constexpr TColor kConsole = RGB(0x1E, 0x22, 0x28);
constexpr TColor kPanel = RGB(0x2A, 0x30, 0x38);
constexpr TColor kText = RGB(0xE6, 0xE9, 0xED);
constexpr TColor kField = RGB(0x12, 0x15, 0x19);
constexpr TColor kInputs = RGB(0x3C, 0xB4, 0x78);
constexpr TColor kOutputs = RGB(0x3D, 0x9C, 0xE8);
constexpr TColor kBypassed = static_cast<TColor>(0x8080FF);

template <typename T>
T* Put(TWinControl* parent, int left, int top, int width, int height) {
  auto* c = new T(parent);
  c->SetParent(parent);
  c->SetBounds(left, top, width, height);
  return c;
}

// The colours of one look: the dark console, or the class library's light
// defaults.
struct Look {
  bool dark;
  TColor form;
  TColor panel;
  TColor text;
  TColor field;
};

Look DarkLook() {
  return {true, kConsole, kPanel, kText, kField};
}
Look LightLook() {
  return {false, clBtnFace, clBtnFace, clWindowText, clWindow};
}

// A small picture of our own: a lit key with a darker rim.
std::unique_ptr<TBitmap> KeyFace(int w, int h, TColor face, TColor rim) {
  auto bmp = std::make_unique<TBitmap>(w, h);
  TCanvas* c = bmp->Canvas;
  c->Brush->SetColor(rim);
  c->FillRect(Rect(0, 0, w, h));
  c->Brush->SetColor(face);
  c->FillRect(Rect(2, 2, w - 2, h - 2));
  c->Pen->SetColor(RGB(255, 255, 255));
  c->MoveTo(3, 3);
  c->LineTo(w - 3, 3);
  return bmp;
}

// A PNG of our own making: a frequency-response-like sweep over a grid,
// made on a bitmap and sent through the PNG encoder and decoder.
std::vector<std::uint8_t> SweepPng() {
  TBitmap bmp(96, 64);
  TCanvas* c = bmp.Canvas;
  c->Brush->SetColor(kField);
  c->FillRect(Rect(0, 0, 96, 64));
  c->Pen->SetColor(RGB(0x3A, 0x42, 0x4D));
  for (int x = 0; x < 96; x += 16) {
    c->MoveTo(x, 0);
    c->LineTo(x, 64);
  }
  for (int y = 0; y < 64; y += 16) {
    c->MoveTo(0, y);
    c->LineTo(96, y);
  }
  c->Pen->SetColor(kOutputs);
  c->Pen->SetWidth(2);
  c->MoveTo(0, 50);
  for (int x = 0; x <= 96; x += 4) c->LineTo(x, 32 - (x > 40 && x < 64 ? 14 : 0) + (x < 16 ? 16 - x : 0));
  TPngImage png;
  png.Assign(static_cast<const TGraphic*>(&bmp));
  return png.SaveToBytes();
}

struct GalleryControls {
  TForm* form = nullptr;
  TGroupBox* group = nullptr;
  TButton* set = nullptr;
  TButton* exit = nullptr;
  TRadioButton* pink = nullptr;
  TScrollBox* scroll = nullptr;
  TRzBmpButton* downKey = nullptr;
  TRzBmpButton* hotKey = nullptr;
  TRzBmpButton* plainKey = nullptr;
  TRzButton* bypass = nullptr;
  TImage* image = nullptr;
  TPaintBox* scope = nullptr;
  TRzGroupBox* strip = nullptr;
};

GalleryControls Build(FormGuard& guard, const Look& look) {
  GalleryControls g;
  TForm* form = g.form = guard(new TForm(nullptr));
  form->SetCaption("TAVO control gallery");
  form->SetBounds(30, 30, 900, 600);
  form->SetColor(look.form);
  form->GetFont()->SetColor(look.text);
  form->GetFont()->SetName("Tahoma");
  form->GetFont()->SetHeight(-11);

  // Menu bar.
  auto* menu = new TMainMenu(form);
  for (const char* top : {"&File", "&Link", "&Copy", "&Lock", "&Working Status", "&Language"}) {
    auto* item = new TMenuItem(form);
    item->SetCaption(top);
    menu->GetItems()->Add(item);
  }
  auto* open = new TMenuItem(form);
  open->SetCaption("&Open...");
  menu->GetItems()->GetItems(0)->Add(open);
  auto* popup = new TPopupMenu(form);
  auto* popupItem = new TMenuItem(form);
  popupItem->SetCaption("Reset EQ");
  popup->GetItems()->Add(popupItem);
  SetFormMenu(form, menu);

  auto Field = [&look](TControl* c) {
    c->SetColor(look.field);
    c->GetFont()->SetColor(look.text);
  };

  // ---- standard controls, left column (the client area starts below the
  // menu bar)
  const int top = 12;
  auto* title = Put<TLabel>(form, 12, top, 0, 0);
  title->SetCaption("Standard controls");
  title->GetFont()->SetStyle(TFontStyles{fsBold});

  auto* group = g.group = Put<TGroupBox>(form, 12, top + 20, 290, 150);
  group->SetCaption(" Device ID and IP ");
  group->SetColor(look.panel);
  auto* edit = Put<TEdit>(group, 12, 22, 120, 21);
  edit->SetText("192.168.1.101");
  Field(edit);
  auto* centred = Put<TEdit>(group, 140, 22, 70, 21);
  centred->SetAlignment(taCenter);
  centred->SetText("+0.0dB");
  Field(centred);
  auto* up = Put<TUpDown>(group, 212, 22, 17, 21);
  up->SetColor(look.panel);
  up->GetFont()->SetColor(look.text);
  auto* check = Put<TCheckBox>(group, 12, 52, 110, 17);
  check->SetCaption("Phantom +48V");
  check->SetChecked(true);
  auto* check2 = Put<TCheckBox>(group, 140, 52, 110, 17);
  check2->SetCaption("Mute");
  auto* r1 = g.pink = Put<TRadioButton>(group, 12, 76, 110, 17);
  r1->SetCaption("Pink noise");
  r1->SetChecked(true);
  auto* r2 = Put<TRadioButton>(group, 140, 76, 110, 17);
  r2->SetCaption("Sine wave");
  auto* set = g.set = Put<TButton>(group, 12, 108, 80, 25);
  set->SetCaption("&Set");
  set->SetDefault(true);
  auto* exit = g.exit = Put<TButton>(group, 100, 108, 80, 25);
  exit->SetCaption("Exit");
  exit->SetEnabled(false);

  auto* combo = Put<TComboBox>(form, 12, top + 180, 140, 22);
  combo->SetStyle(csDropDownList);
  Field(combo);
  for (const char* s : {"COM1", "COM3", "COM12"}) combo->GetItems()->Add(s);
  combo->SetItemIndex(1);
  auto* editable = Put<TComboBox>(form, 162, top + 180, 140, 22);
  Field(editable);
  editable->SetText("Default Preset");

  auto* memo = Put<TMemo>(form, 12, top + 212, 290, 64);
  Field(memo);
  memo->GetLines()->Add("NET W 10 02 00 01 02 10 10 03 12");
  memo->GetLines()->Add("NET R 10 02 00 01 02 10 10 03 12");
  auto* list = Put<TListBox>(form, 12, top + 284, 140, 76);
  Field(list);
  for (const char* s : {"U01  Speech", "U02  Band", "U03  Choir", "U04  Default Preset"})
    list->GetItems()->Add(s);
  list->SetItemIndex(1);
  auto* rich = Put<TRichEdit>(form, 162, top + 284, 140, 76);
  Field(rich);
  rich->GetLines()->Add("Notes:");
  rich->GetLines()->Add("stage left mic on A");

  auto* raised = Put<TPanel>(form, 12, top + 368, 140, 34);
  raised->SetCaption("Raised panel");
  raised->SetColor(look.panel);
  auto* lowered = Put<TPanel>(form, 162, top + 368, 140, 34);
  lowered->SetBevelOuter(bvLowered);
  lowered->SetCaption("Lowered panel");
  lowered->SetColor(look.panel);
  auto* bevel = Put<TBevel>(form, 12, top + 410, 290, 2);
  bevel->SetShape(bsTopLine);

  auto* rect = Put<TShape>(form, 12, top + 420, 50, 30);
  rect->GetBrush()->SetColor(kInputs);
  rect->GetPen()->SetColor(look.text);
  auto* circle = Put<TShape>(form, 70, top + 420, 30, 30);
  circle->SetShape(stCircle);
  circle->GetBrush()->SetColor(clRed);
  auto* rounded = Put<TShape>(form, 108, top + 420, 50, 30);
  rounded->SetShape(stRoundRect);
  rounded->GetBrush()->SetColor(kOutputs);

  auto* scroll = g.scroll = Put<TScrollBox>(form, 162, top + 420, 140, 64);
  scroll->SetColor(look.panel);
  for (int i = 0; i < 5; ++i) {
    auto* l = Put<TLabel>(scroll, 6, 4 + i * 20, 0, 0);
    l->SetCaption("Preset U0" + std::to_string(i + 1));
  }

  // ---- the bundled set, middle column: one input strip
  auto* rzTitle = Put<TRzLabel>(form, 320, top, 0, 0);
  rzTitle->SetCaption("Strip controls");
  rzTitle->GetFont()->SetStyle(TFontStyles{fsBold});

  TRzGroupBox* strip = g.strip = Put<TRzGroupBox>(form, 320, top + 20, 300, 250);
  strip->SetCaption("Input A");
  strip->SetColor(look.panel);
  // The group box's paint event draws a meter scale over its face.
  strip->OnPaint = [strip](TObject*) {
    TCanvas* c = strip->GetCanvas();
    c->Pen->SetColor(RGB(0x55, 0x5E, 0x6A));
    for (int y = 40; y <= 200; y += 20) {
      c->MoveTo(276, y);
      c->LineTo(290, y);
    }
  };
  // Page buttons: one radio group, the shown page lime.
  const char* pages[] = {"Gain", "Gate", "Comp", "Delay"};
  for (int i = 0; i < 4; ++i) {
    auto* b = Put<TRzBmpButton>(strip, 10 + i * 62, 22, 58, 24);
    b->SetCaption(pages[i]);
    b->SetGroupIndex(1);
    b->GetFont()->SetColor(i == 0 ? clLime : clWhite);
    if (i == 0) {
      b->SetDown(true);
      g.downKey = b;
    }
    if (i == 1) g.plainKey = b;
    if (i == 2) g.hotKey = b;
  }
  // Toggles: polarity and mute down, phantom up, link disabled.
  const char* toggles[] = {"Inverse", "Mute", "+48V", "Link"};
  for (int i = 0; i < 4; ++i) {
    auto* b = Put<TRzBmpButton>(strip, 10 + i * 62, 54, 58, 24);
    b->SetCaption(toggles[i]);
    b->SetGroupIndex(10 + i);
    b->SetAllowAllUp(true);
    b->SetDown(i < 2);
    if (i == 1) b->SetAccentColor(RGB(0xE0, 0x4B, 0x4B));
    if (i == 3) b->SetEnabled(false);
  }
  // Band buttons with faces of our own making, the second one down.
  auto faceUp = KeyFace(40, 22, RGB(0x36, 0x3D, 0x47), RGB(0x20, 0x24, 0x2A));
  auto faceDown = KeyFace(40, 22, kOutputs, RGB(0x1B, 0x4F, 0x7A));
  for (int i = 0; i < 5; ++i) {
    auto* b = Put<TRzBmpButton>(strip, 10 + i * 46, 88, 40, 22);
    b->SetCaption(std::to_string(i + 1));
    b->GetFont()->SetColor(kText);
    b->SetGroupIndex(2);
    b->GetBitmaps()->SetUp(faceUp.get());
    b->GetBitmaps()->SetStayDown(faceDown.get());
    b->SetDown(i == 1);
  }
  // The band table's row: numbered label, slope list, bypass button.
  const TColor markers[] = {clRed, clLime, clYellow, clAqua, clFuchsia};
  for (int i = 0; i < 5; ++i) {
    auto* n = Put<TRzLabel>(strip, 14 + i * 46, 118, 20, 20);
    n->SetAutoSize(false);
    n->SetAlignment(taCenter);
    n->SetTransparent(true);
    n->SetCaption(std::to_string(i + 1));
    n->GetFont()->SetSize(12);
    n->GetFont()->SetColor(markers[i]);
  }
  auto* slope = Put<TRzComboBox>(strip, 10, 148, 120, 22);
  slope->SetStyle(csDropDownList);
  Field(slope);
  for (const char* s : {"  BYPASS   ", "BUTTER-06dB", "LINK/R-24dB"}) slope->GetItems()->Add(s);
  slope->SetItemIndex(2);
  auto* bypass = g.bypass = Put<TRzButton>(strip, 140, 148, 70, 22);
  bypass->SetCaption("BYPASS");
  bypass->SetThemeAware(false);
  bypass->SetColor(kBypassed);
  bypass->GetFont()->SetColor(clBlack);
  auto* themed = Put<TRzButton>(strip, 216, 148, 60, 22);
  themed->SetCaption("Reset");

  auto* plain = Put<TRzGroupBox>(strip, 10, 180, 266, 58);
  plain->SetColor(look.field);
  auto* inner = Put<TRzLabel>(plain, 8, 8, 0, 0);
  inner->SetCaption("group box without caption: a framed panel");
  auto* bare = Put<TRzGroupBox>(plain, 8, 28, 250, 22);
  bare->SetShowFrame(false);
  bare->SetColor(look.panel);
  bare->SetCaption("no frame");

  // ---- pictures and drawing, right column
  auto* picTitle = Put<TLabel>(form, 640, top, 0, 0);
  picTitle->SetCaption("Pictures and canvas");
  picTitle->GetFont()->SetStyle(TFontStyles{fsBold});
  const std::vector<std::uint8_t> png = SweepPng();
  auto* image = g.image = Put<TImage>(form, 640, top + 20, 96, 64);
  image->GetPicture()->LoadFromBytes(png.data(), png.size());
  auto* stretched = Put<TImage>(form, 746, top + 20, 140, 64);
  stretched->SetStretch(true);
  stretched->GetPicture()->LoadFromBytes(png.data(), png.size());

  auto* icons = new TImageList(form);
  icons->SetSize(16, 16);
  for (TColor col : {kInputs, kOutputs, RGB(0xE8, 0xB4, 0x3D)}) {
    TBitmap icon(16, 16);
    icon.Canvas->Brush->SetColor(kConsole);
    icon.Canvas->FillRect(Rect(0, 0, 16, 16));
    icon.Canvas->Brush->SetColor(col);
    icon.Canvas->Pen->SetColor(col);
    icon.Canvas->Ellipse(2, 2, 14, 14);
    icons->Add(&icon);
  }

  auto* scope = g.scope = Put<TPaintBox>(form, 640, top + 94, 246, 176);
  scope->OnPaint = [scope, icons](TObject*) {
    TCanvas* c = scope->GetCanvas();
    const int w = scope->GetWidth(), h = scope->GetHeight();
    c->Brush->SetColor(kField);
    c->FillRect(Rect(0, 0, w, h));
    c->Pen->SetColor(RGB(0x30, 0x37, 0x40));
    for (int x = 0; x < w; x += 24) {
      c->MoveTo(x, 0);
      c->LineTo(x, h);
    }
    for (int y = 0; y < h; y += 22) {
      c->MoveTo(0, y);
      c->LineTo(w, y);
    }
    // Segmented meter: green, yellow, red.
    for (int i = 0; i < 12; ++i) {
      c->Brush->SetColor(i < 8    ? RGB(0x3C, 0xC8, 0x50)
                         : i < 10 ? RGB(0xF0, 0xD0, 0x30)
                                  : RGB(0xE8, 0x40, 0x40));
      c->FillRect(Rect(w - 18, h - 12 - i * 13, w - 6, h - 3 - i * 13));
    }
    c->Pen->SetColor(kInputs);
    c->Pen->SetWidth(2);
    c->MoveTo(0, h / 2);
    for (int x = 0; x < w - 28; x += 3)
      c->LineTo(x, h / 2 - (x > 60 && x < 120 ? (x - 60) * (120 - x) / 60 : 0));
    c->Pen->SetWidth(1);
    c->Brush->SetColor(kOutputs);
    c->Pen->SetColor(kText);
    c->Ellipse(86, h / 2 - 20, 96, h / 2 - 10);
    c->Font->SetColor(kText);
    c->Brush->SetStyle(bsClear);
    c->TextOut(6, 4, "Out 1  Peak 1.00KHz");
    for (int i = 0; i < icons->GetCount(); ++i) icons->Draw(c, 6 + i * 20, h - 22, i);
  };

  auto* status = new TStatusBar(form);
  status->SetParent(form);
  status->SetSimplePanel(true);
  status->SetSimpleText("Offline  -  192.168.1.101:9761");
  status->SetColor(look.panel);
  status->GetFont()->SetColor(look.text);
  return g;
}

QColor At(const QImage& img, TControl* c, int x, int y) {
  QPoint p = c->GetWidget()->mapTo(c->GetWidget()->window(), QPoint(x, y));
  return img.pixelColor(p);
}

QColor Q(TColor c) {
  const TColor rgb = ColorToRGB(c);
  return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

int Luma(const QColor& c) {
  return (c.red() * 299 + c.green() * 587 + c.blue() * 114) / 1000;
}

// How far the darkest or lightest pixel of the rectangle (the control's
// coordinates) stands from the colour at `face`: the ink of a caption or a
// mark against what it is drawn on.
int InkContrast(const QImage& img, TControl* c, const QRect& area, QPoint face) {
  const int back = Luma(At(img, c, face.x(), face.y()));
  int most = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      most = std::max(most, std::abs(Luma(At(img, c, x, y)) - back));
  return most;
}

class Gallery : public ::testing::TestWithParam<bool> {};

TEST_P(Gallery, EveryControlOfTheLibraryOnOneForm) {
  App();
  const Look look = GetParam() ? DarkLook() : LightLook();
  FormGuard guard;
  GalleryControls g = Build(guard, look);
  ShowAndActivate(g.form);
  // The mouse over one key shows its hot face.
  PointerIn(g.form);
  Move(g.hotKey, 20, 12);
  DrainEvents();
  QImage shot = g.form->GetWidget()->grab().toImage();
  ASSERT_FALSE(shot.isNull());
  const std::string name = look.dark ? "gallery.png" : "gallery-light.png";
  EXPECT_TRUE(shot.save(QString::fromStdString(::testing::TempDir() + name)));
  if (const char* extra = std::getenv("TAVO_GALLERY_PNG"); extra && *extra) {
    QString path = QString::fromUtf8(extra);
    if (!look.dark) path = path.endsWith(".png") ? path.chopped(4) + "-light.png" : path + "-light";
    EXPECT_TRUE(shot.save(path)) << path.toStdString();
  }

  // The down page key is lit along its bottom edge.
  EXPECT_EQ(At(shot, g.downKey, 29, g.downKey->GetHeight() - 2), Q(g.downKey->GetAccentColor()));
  // The hot key is lighter than a plain one beside it.
  EXPECT_TRUE(g.hotKey->GetHot());
  EXPECT_GT(At(shot, g.hotKey, 3, 6).lightness(), At(shot, g.plainKey, 3, 6).lightness());
  // The bypass button wears its colour.
  EXPECT_EQ(At(shot, g.bypass, 4, 4), Q(kBypassed));
  // The PNG arrived intact: its field colour at a grid-free spot.
  EXPECT_EQ(At(shot, g.image, 8, 8), Q(kField));
  // The paint box drew: the top meter segment is red.
  EXPECT_EQ(At(shot, g.scope, g.scope->GetWidth() - 12, g.scope->GetHeight() - 6 - 11 * 13),
            Q(RGB(0xE8, 0x40, 0x40)));
  // The group box painted its face, then its paint event drew on it.
  EXPECT_EQ(At(shot, g.strip, 150, 120), Q(look.panel));
  EXPECT_EQ(At(shot, g.strip, 280, 40), Q(RGB(0x55, 0x5E, 0x6A)));

  // Button captions read on their faces, the disabled one dimmed but there.
  const QRect caption(8, 5, g.set->GetWidth() - 16, g.set->GetHeight() - 10);
  EXPECT_GT(InkContrast(shot, g.set, caption, {6, g.set->GetHeight() / 2}), 100);
  EXPECT_GT(InkContrast(shot, g.exit, caption, {6, g.exit->GetHeight() / 2}), 40);
  // On the dark form the buttons are of the dark look, not light slabs.
  if (look.dark) {
    EXPECT_LT(Luma(At(shot, g.set, 6, g.set->GetHeight() / 2)), 128);
  }

  // Above the group box's frame line the form shows, not the box's face.
  EXPECT_EQ(At(shot, g.group, g.group->GetWidth() - 6, 1), Q(look.form));

  // The checked radio button's dot stands out from its ring.
  auto* radio = static_cast<QRadioButton*>(g.pink->GetWidget());
  QStyleOptionButton option;
  option.initFrom(radio);
  const QRect mark = radio->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, radio);
  const QPoint centre = mark.center();
  EXPECT_GT(std::abs(Luma(At(shot, g.pink, centre.x(), centre.y())) -
                     Luma(At(shot, g.pink, centre.x() + mark.width() / 2 - 3, centre.y()))),
            100);

  // The scroll box's bar is of its box's colour: dark on the dark form.
  QScrollBar* bar = nullptr;
  for (QScrollBar* b : g.scroll->GetWidget()->findChildren<QScrollBar*>())
    if (b->isVisible()) bar = b;
  ASSERT_NE(bar, nullptr);
  const QColor groove = shot.pixelColor(bar->mapTo(g.form->GetWidget(), QPoint(1, bar->height() - 20)));
  if (look.dark) {
    EXPECT_LT(Luma(groove), 90);
  } else {
    EXPECT_GT(Luma(groove), 170);
  }

  // The menu bar follows the form's colours, its captions reading on it.
  auto* menuBar = qobject_cast<QMenuBar*>(g.form->GetMenuBarWidget());
  ASSERT_NE(menuBar, nullptr);
  const QColor barFace = shot.pixelColor(shot.width() - 4, menuBar->height() / 2);
  EXPECT_LT(std::abs(Luma(barFace) - Luma(Q(look.form))), 40);
  int ink = 0;
  for (int x = 0; x < 60; ++x)
    for (int y = 0; y < menuBar->height(); ++y)
      ink = std::max(ink, std::abs(Luma(shot.pixelColor(x, y)) - Luma(barFace)));
  EXPECT_GT(ink, 100);
}

INSTANTIATE_TEST_SUITE_P(Looks, Gallery, ::testing::Values(true, false), [](const auto& info) {
  return info.param ? std::string("Dark") : std::string("Light");
});

}  // namespace
