// One form holding every standard control, rendered offscreen to
// /tmp/stdctrls-gallery.png (dark console faces) and
// /tmp/stdctrls-gallery-light.png (the class library's default faces), with
// a few pixel checks that each control painted itself where it stands.

#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>
#include <QWidget>

#include <string>

#include "ClassLibTestSupport.h"
#include "platform/classlib/ComCtrls.h"
#include "platform/classlib/ExtCtrls.h"
#include "platform/classlib/ExtCtrlsControls.h"
#include "platform/classlib/ScrollBox.h"
#include "platform/classlib/StdCtrls.h"

using namespace classlib_test;

namespace {

constexpr TColor kConsole = RGB(0x1E, 0x22, 0x28);
constexpr TColor kPanel = RGB(0x2A, 0x30, 0x38);
constexpr TColor kText = RGB(0xE6, 0xE9, 0xED);
constexpr TColor kField = RGB(0x12, 0x15, 0x19);
constexpr TColor kAccent = RGB(0x3C, 0xB4, 0x78);

template <typename T>
T* Put(TWinControl* parent, int left, int top, int width, int height) {
  auto* c = new T(parent);
  c->SetParent(parent);
  c->SetBounds(left, top, width, height);
  return c;
}

// Builds the gallery on `form`; dark selects the console look.
void BuildGallery(TForm* form, bool dark) {
  form->SetCaption("Standard controls");
  form->SetBounds(40, 40, 640, 420);
  if (dark) {
    form->SetColor(kConsole);
    form->GetFont()->SetColor(kText);
  }
  form->GetFont()->SetName("Tahoma");
  form->GetFont()->SetHeight(-11);
  auto field = [&](TControl* c) {
    if (!dark) return;
    c->SetColor(kField);
    c->GetFont()->SetColor(kText);
  };

  auto* title = Put<TLabel>(form, 12, 10, 0, 0);
  title->SetCaption("Input A   &Gain");
  auto* right = Put<TLabel>(form, 12, 30, 140, 17);
  right->SetAutoSize(false);
  right->SetAlignment(taRightJustify);
  right->SetCaption("right aligned");
  auto* wrap = Put<TLabel>(form, 12, 50, 140, 0);
  wrap->SetWordWrap(true);
  wrap->SetCaption("A label that wraps its words at its own width.");

  auto* group = Put<TGroupBox>(form, 170, 8, 220, 150);
  group->SetCaption(" Input ID Number");
  if (dark) group->SetColor(kPanel);
  auto* edit = Put<TEdit>(group, 12, 24, 90, 21);
  edit->SetText("192.168.1.101");
  field(edit);
  auto* centred = Put<TEdit>(group, 110, 24, 96, 21);
  centred->SetAlignment(taCenter);
  centred->SetText("+0.0dB");
  field(centred);
  auto* check = Put<TCheckBox>(group, 12, 54, 100, 17);
  check->SetCaption("Phantom");
  check->SetChecked(true);
  auto* check2 = Put<TCheckBox>(group, 110, 54, 100, 17);
  check2->SetCaption("Mute");
  auto* r1 = Put<TRadioButton>(group, 12, 78, 100, 17);
  r1->SetCaption("Manual");
  r1->SetChecked(true);
  auto* r2 = Put<TRadioButton>(group, 110, 78, 100, 17);
  r2->SetCaption("Auto");
  auto* ok = Put<TButton>(group, 12, 110, 75, 25);
  ok->SetCaption("Set");
  ok->SetDefault(true);
  auto* cancel = Put<TButton>(group, 96, 110, 75, 25);
  cancel->SetCaption("Exit");
  cancel->SetEnabled(false);
  if (dark) {
    ok->SetColor(RGB(0x3A, 0x42, 0x4C));
    cancel->SetColor(RGB(0x3A, 0x42, 0x4C));
  }
  auto* up = Put<TUpDown>(group, 180, 110, 17, 25);
  if (dark) {
    up->SetColor(kPanel);
    up->GetFont()->SetColor(kText);
  }

  auto* raised = Put<TPanel>(form, 12, 100, 140, 40);
  raised->SetCaption("Raised panel");
  if (dark) raised->SetColor(kPanel);
  auto* lowered = Put<TPanel>(form, 12, 148, 140, 40);
  lowered->SetBevelOuter(bvLowered);
  lowered->SetCaption("Lowered");
  if (dark) lowered->SetColor(kPanel);

  auto* memo = Put<TMemo>(form, 400, 8, 220, 70);
  field(memo);
  memo->GetLines()->Add("SID_LINK_BROKEN");
  memo->GetLines()->Add("Link Broken");
  memo->GetLines()->Add("// a comment line");

  auto* list = Put<TListBox>(form, 400, 86, 220, 72);
  field(list);
  for (const char* line : {"NET W 10 02 00 01 02 10 10 03 12", "NET R 10 02 00 01 02 10 10 03 12",
                           "COM W 10 02 00 01 02 3A 10 03 29", "USB W 00  10 02 00 01 02 52 10 03 41"})
    list->GetItems()->Add(line);
  list->SetItemIndex(1);

  auto* combo = Put<TComboBox>(form, 170, 170, 120, 22);
  combo->SetStyle(csDropDownList);
  field(combo);
  for (const char* t : {" Peak       ", " Low Shelf  ", " High Shelf "}) combo->GetItems()->Add(t);
  combo->SetItemIndex(0);
  auto* editable = Put<TComboBox>(form, 300, 170, 90, 22);
  field(editable);
  editable->GetItems()->Add("1");
  editable->SetText("17");

  auto* rect = Put<TShape>(form, 12, 200, 60, 40);
  rect->GetBrush()->SetColor(dark ? kAccent : clLime);
  rect->GetPen()->SetColor(dark ? kText : clBlack);
  auto* circle = Put<TShape>(form, 80, 200, 40, 40);
  circle->SetShape(stCircle);
  circle->GetBrush()->SetColor(clRed);
  auto* frame = Put<TShape>(form, 128, 200, 30, 40);
  frame->GetBrush()->SetStyle(bsClear);
  frame->GetPen()->SetColor(clGradientActiveCaption);

  TBitmap picture(32, 32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) picture.Canvas->SetPixels(x, y, RGB(x * 8, y * 8, 160));
  auto* image = Put<TImage>(form, 170, 200, 64, 48);
  image->SetStretch(true);
  image->GetPicture()->SetGraphic(&picture);
  auto* centre = Put<TImage>(form, 240, 200, 48, 48);
  centre->SetCenter(true);
  centre->GetPicture()->SetGraphic(&picture);

  auto* paint = Put<TPaintBox>(form, 300, 200, 90, 48);
  paint->OnPaint = [paint, dark](TObject*) {
    TCanvas* c = paint->GetCanvas();
    c->Brush->SetColor(dark ? kField : clWhite);
    c->FillRect(Rect(0, 0, paint->GetWidth(), paint->GetHeight()));
    c->Pen->SetColor(kAccent);
    c->MoveTo(0, 40);
    for (int x = 0; x < 90; x += 6) c->LineTo(x, 40 - (x * x) / 240);
  };

  auto* bevel = Put<TBevel>(form, 12, 250, 150, 2);
  bevel->SetShape(bsTopLine);

  auto* scroll = Put<TScrollBox>(form, 400, 170, 220, 90);
  if (dark) scroll->SetColor(kPanel);
  for (int i = 0; i < 6; ++i) {
    auto* l = Put<TLabel>(scroll, 8, 6 + i * 22, 0, 0);
    l->SetCaption("Preset U0" + std::to_string(i + 1) + " = Default Preset");
  }

  auto* status = new TStatusBar(form);
  status->SetParent(form);
  status->SetSimplePanel(true);
  status->SetSimpleText("Offline - 192.168.1.101:9761");
  if (dark) status->SetColor(kPanel);
}

QColor At(const QImage& img, TControl* c, int x, int y) {
  QPoint p = c->GetWidget()->mapTo(c->GetWidget()->window(), QPoint(x, y));
  return img.pixelColor(p);
}

QColor Q(TColor c) {
  TColor rgb = ColorToRGB(c);
  return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

class StdCtrlsGallery : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override { App(); }
};

TEST_P(StdCtrlsGallery, EveryControlPaintsInItsPlace) {
  const bool dark = GetParam();
  FormGuard guard;
  auto* form = guard(new TForm(nullptr));
  BuildGallery(form, dark);
  ShowAndActivate(form);
  DrainEvents();
  QImage shot = form->GetWidget()->grab().toImage();
  const std::string path = dark ? "/tmp/stdctrls-gallery.png" : "/tmp/stdctrls-gallery-light.png";
  ASSERT_TRUE(shot.save(QString::fromStdString(path)));

  auto find = [&](const char* cls, int nth) -> TControl* {
    int seen = 0;
    std::vector<TControl*> stack{form};
    for (size_t i = 0; i < stack.size(); ++i) {
      if (auto* w = dynamic_cast<TWinControl*>(stack[i]))
        for (int k = 0; k < w->GetControlCount(); ++k) stack.push_back(w->GetControls(k));
    }
    for (TControl* c : stack)
      if (c->ClassName() == cls && seen++ == nth) return c;
    return nullptr;
  };
  // The panel's face and its lit top-left edge.
  TControl* panel = find("TPanel", 0);
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(At(shot, panel, 70, 4), Q(panel->GetColor()));
  EXPECT_EQ(At(shot, panel, 0, 20), Q(BevelHighlight(panel->GetColor())));
  EXPECT_EQ(At(shot, panel, panel->GetWidth() - 1, 20), Q(BevelShadow(panel->GetColor())));
  // A shape's brush inside its pen.
  TControl* shape = find("TShape", 0);
  ASSERT_NE(shape, nullptr);
  EXPECT_EQ(At(shot, shape, 30, 20), Q(dark ? kAccent : clLime));
  // The edit's field colour around its text.
  TControl* edit = find("TEdit", 0);
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(At(shot, edit, edit->GetWidth() - 4, edit->GetHeight() / 2), Q(edit->GetColor()));
  // The stretched picture fills its control: bottom-right is the picture's
  // bottom-right colour.
  TControl* image = find("TImage", 0);
  ASSERT_NE(image, nullptr);
  QColor corner = At(shot, image, image->GetWidth() - 1, image->GetHeight() - 1);
  EXPECT_GT(corner.red(), 200);
  EXPECT_GT(corner.green(), 200);
}

INSTANTIATE_TEST_SUITE_P(Looks, StdCtrlsGallery, ::testing::Values(true, false), [](const auto& info) {
  return info.param ? std::string("Dark") : std::string("Light");
});

}  // namespace
