// The group box (window hook, paint event, frame), the combo box's event
// rules and the button that wears its own colour.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QImage>
#include <QPixmap>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

#include "ClassLibTestSupport.h"
#include "platform/classlib/ExtCtrlsControls.h"
#include "platform/classlib/RzControls.h"

using namespace classlib_test;

namespace {

QColor Q(TColor c) {
  const TColor rgb = ColorToRGB(c);
  return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

QImage Shot(TControl* c) {
  return c->GetWidget()->grab().toImage();
}

// A group box that fills its list when its window is made, as the band
// table does.
class BandRowBox : public TRzGroupBox {
 public:
  explicit BandRowBox(TComponent* owner) : TRzGroupBox(owner) {
    list = new TRzComboBox(this);
    list->SetParent(this);
    list->SetStyle(csDropDownList);
  }
  TRzComboBox* list;
  int created = 0;
  bool childHadWindow = false;

 protected:
  void CreateWnd() override {
    TRzGroupBox::CreateWnd();
    ++created;
    childHadWindow = list->HandleAllocated();
    list->GetItems()->Add(" Peak       ");
    list->GetItems()->Add(" Low Shelf  ");
    list->SetItemIndex(1);
  }
};

TEST(RzGroupBox, CreateWndRunsOnceWhenTheWindowIsMade) {
  App();
  FormGuard guard;
  auto* form = guard(new TForm(nullptr));
  form->SetBounds(40, 40, 300, 200);
  auto* box = new BandRowBox(form);
  box->SetBounds(10, 10, 200, 100);
  EXPECT_EQ(box->created, 0);
  box->SetParent(form);
  ShowAndActivate(form);
  EXPECT_EQ(box->created, 1);
  EXPECT_TRUE(box->childHadWindow);
  box->SetBounds(10, 10, 220, 120);
  box->Repaint();
  box->SetCaption("Input");
  EXPECT_EQ(box->created, 1);
  // What the hook put in the list is on screen.
  auto* combo = static_cast<QComboBox*>(box->list->GetWidget());
  EXPECT_EQ(combo->count(), 2);
  EXPECT_EQ(combo->currentIndex(), 1);
}

TEST(RzGroupBox, FrameCaptionAndPaintEvent) {
  App();
  FormGuard guard;
  auto* form = guard(new TForm(nullptr));
  form->SetBounds(40, 40, 300, 200);
  constexpr TColor back = RGB(42, 48, 56);
  constexpr TColor console = RGB(30, 34, 40);
  form->SetColor(console);
  auto* box = new TRzGroupBox(form);
  box->SetParent(form);
  box->SetBounds(10, 10, 200, 120);
  box->SetColor(back);
  box->GetFont()->SetColor(RGB(230, 233, 237));
  box->OnPaint = [box](TObject*) { box->GetCanvas()->SetPixels(5, 5, clRed); };
  ShowAndActivate(form);

  // No caption: a plain panel framed at its very edge, and the paint event
  // drew over the face.
  QImage plain = Shot(box);
  EXPECT_NE(plain.pixelColor(100, 0), Q(back));
  EXPECT_NE(plain.pixelColor(0, 60), Q(back));
  EXPECT_EQ(plain.pixelColor(100, 60), Q(back));
  EXPECT_EQ(plain.pixelColor(5, 5), QColor(Qt::red));

  // A caption moves the frame's top edge down to its middle; above it the
  // parent shows.
  box->SetCaption("Input");
  QImage titled = Shot(box);
  EXPECT_EQ(titled.pixelColor(150, 0), Q(console));
  int frameTop = -1;
  for (int y = 1; y < 20 && frameTop < 0; ++y)
    if (titled.pixelColor(150, y) != Q(console)) frameTop = y;
  EXPECT_GT(frameTop, 1);
  EXPECT_NE(titled.pixelColor(150, frameTop), Q(back));
  EXPECT_EQ(titled.pixelColor(150, frameTop + 2), Q(back));
  EXPECT_EQ(titled.pixelColor(5, 5), QColor(Qt::red));

  // Without its frame only the face is left.
  box->SetCaption("");
  box->SetShowFrame(false);
  QImage bare = Shot(box);
  EXPECT_EQ(bare.pixelColor(100, 0), Q(back));
  EXPECT_EQ(bare.pixelColor(0, 60), Q(back));
}

TEST(RzGroupBox, AlignedChildrenKeepClearOfFrameAndCaption) {
  App();
  FormGuard guard;
  auto* form = guard(new TForm(nullptr));
  auto* box = new TRzGroupBox(form);
  box->SetParent(form);
  box->SetBounds(0, 0, 200, 100);
  auto* inner = new TPanel(form);
  inner->SetParent(box);
  inner->SetAlign(alClient);
  EXPECT_EQ(inner->GetBoundsRect(), Rect(1, 1, 199, 99));
  box->SetShowFrame(false);
  EXPECT_EQ(inner->GetBoundsRect(), Rect(0, 0, 200, 100));
  box->SetShowFrame(true);
  box->SetCaption("Output");
  box->Realign();
  EXPECT_GT(inner->GetTop(), 5);
}

TEST(RzComboBox, CodeWritesFireNothingUserPicksFire) {
  App();
  FormGuard guard;
  auto* form = guard(new TForm(nullptr));
  form->SetBounds(40, 40, 300, 200);
  auto* combo = new TRzComboBox(form);
  combo->SetParent(form);
  combo->SetBounds(10, 10, 120, 22);
  combo->SetStyle(csDropDownList);
  for (const char* s : {"BUTTER-06dB", "BESSEL-06dB", "BUTTER-12dB", "LINK/R-48dB"})
    combo->GetItems()->Add(s);
  std::vector<std::string> log;
  bool swallow = false;
  combo->OnClick = [&](TObject*) { log.push_back("click"); };
  combo->OnChange = [&](TObject*) { log.push_back("change"); };
  combo->OnMouseWheel = [&](TObject*, TShiftState, int, TPoint, bool& handled) {
    log.push_back("wheel");
    handled = swallow;
  };
  ShowAndActivate(form);

  struct Step {
    const char* name;
    std::function<void()> act;
    int wantIndex;
    std::vector<std::string> wantLog;
  };
  const std::vector<Step> steps = {
      {"code write", [&] { combo->SetItemIndex(2); }, 2, {}},
      {"code write out of range", [&] { combo->SetItemIndex(9); }, -1, {}},
      {"code write back", [&] { combo->SetItemIndex(1); }, 1, {}},
      {"user arrow key",
       [&] {
         combo->SetFocus();
         Key(combo, Qt::Key_Down);
       },
       2,
       {"click", "change"}},
      {"wheel taken by the handler",
       [&] {
         swallow = true;
         Wheel(combo, 20, 10, -120);
       },
       2,
       {"wheel"}},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.name);
    log.clear();
    s.act();
    EXPECT_EQ(combo->GetItemIndex(), s.wantIndex);
    EXPECT_EQ(log, s.wantLog);
  }
}

TEST(RzButton, WithoutThemeItWearsItsColour) {
  App();
  FormGuard guard;
  auto* form = guard(new TForm(nullptr));
  form->SetBounds(40, 40, 300, 200);
  auto* b = new TRzButton(form);
  b->SetParent(form);
  b->SetBounds(10, 10, 80, 24);
  b->SetThemeAware(false);
  b->SetColor(clSilver);
  int clicks = 0;
  b->OnClick = [&](TObject*) { ++clicks; };
  ShowAndActivate(form);
  EXPECT_EQ(Shot(b).pixelColor(6, 6), Q(clSilver));
  // The bypassed band's light red.
  b->SetColor(static_cast<TColor>(0x8080FF));
  EXPECT_EQ(Shot(b).pixelColor(6, 6), Q(static_cast<TColor>(0x8080FF)));
  Press(b, 40, 12);
  Release(b, 40, 12);
  EXPECT_EQ(clicks, 1);
}

TEST(RzButton, ThemeAwareKeepsTheStandardCaptionColour) {
  App();
  FormGuard guard;
  auto* form = guard(new TForm(nullptr));
  form->SetBounds(40, 40, 300, 200);
  // A console form: light text the button inherits.
  form->SetColor(RGB(30, 34, 40));
  form->GetFont()->SetColor(RGB(230, 233, 237));
  auto* b = new TRzButton(form);
  b->SetParent(form);
  b->SetBounds(10, 10, 80, 24);
  b->SetCaption("MMMM");
  ShowAndActivate(form);
  auto darkInk = [&] {
    QImage img = Shot(b);
    int n = 0;
    for (int y = 4; y < 20; ++y)
      for (int x = 10; x < 70; ++x)
        if (img.pixelColor(x, y).lightness() < 90) ++n;
    return n;
  };
  EXPECT_GT(darkInk(), 10) << "caption in the standard text colour on the standard face";
  b->SetThemeAware(false);
  b->SetColor(RGB(30, 34, 40));
  EXPECT_EQ(Shot(b).pixelColor(6, 6), QColor(30, 34, 40));
}

}  // namespace
