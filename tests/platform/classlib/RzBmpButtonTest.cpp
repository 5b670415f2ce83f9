// The bitmap button: what program writes and user clicks fire and in which
// order, the radio groups, and the faces (copied between buttons and shown
// by state).

#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>
#include <QWidget>

#include <string>
#include <vector>

#include "ClassLibTestSupport.h"
#include "platform/classlib/ExtCtrlsControls.h"
#include "platform/classlib/RzControls.h"

using namespace classlib_test;

namespace {

class RzBmpButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    App();
    form = guard(new TForm(nullptr));
    form->SetBounds(50, 50, 400, 300);
    panel = new TPanel(form);
    panel->SetParent(form);
    panel->SetBounds(0, 0, 400, 300);
  }

  TRzBmpButton* Button(TWinControl* parent, int left, int top, int group = 0) {
    auto* b = new TRzBmpButton(form);
    b->SetParent(parent);
    b->SetBounds(left, top, 60, 24);
    b->SetGroupIndex(group);
    return b;
  }

  void Record(TRzBmpButton* b) {
    b->OnMouseDown = [this](TObject*, TMouseButton, TShiftState, int, int) { log.push_back("mousedown"); };
    b->OnClick = [this, b](TObject*) {
      log.push_back(std::string("click down=") + (b->GetDown() ? "1" : "0"));
    };
    b->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int, int) { log.push_back("mouseup"); };
  }

  static QColor CentreOf(TControl* c) {
    QImage shot = c->GetWidget()->grab().toImage();
    return shot.pixelColor(c->GetWidth() / 2, c->GetHeight() / 2);
  }

  FormGuard guard;
  TForm* form = nullptr;
  TPanel* panel = nullptr;
  std::vector<std::string> log;
};

enum class Act {
  DownTrue,
  DownFalse,
  CodeClick,
  UserClick,
  ReleaseOutside,
  RightClick,
  QuickTwice,
  DisabledClick
};

struct EventCase {
  const char* name;
  int group;
  bool allowAllUp;
  bool startDown;
  Act act;
  bool wantDown;
  std::vector<std::string> wantLog;
};

TEST_F(RzBmpButtonTest, WhatCodeWritesAndUserClicksFire) {
  const std::vector<EventCase> cases = {
      {"code sets a toggle down", 1, false, false, Act::DownTrue, true, {}},
      {"code cannot release the only down button", 1, false, true, Act::DownFalse, true, {}},
      {"code releases when all may be up", 1, true, true, Act::DownFalse, false, {}},
      {"code sets a push button down", 0, false, false, Act::DownTrue, true, {}},
      {"code releases a push button", 0, false, true, Act::DownFalse, false, {}},
      {"Click() only fires", 1, true, false, Act::CodeClick, false, {"click down=0"}},
      {"user click presses a toggle first",
       1,
       false,
       false,
       Act::UserClick,
       true,
       {"mousedown", "click down=1", "mouseup"}},
      {"user click keeps the down button down",
       1,
       false,
       true,
       Act::UserClick,
       true,
       {"mousedown", "click down=1", "mouseup"}},
      {"user click releases when all may be up",
       1,
       true,
       true,
       Act::UserClick,
       false,
       {"mousedown", "click down=0", "mouseup"}},
      {"user click on a push button",
       0,
       false,
       false,
       Act::UserClick,
       false,
       {"mousedown", "click down=0", "mouseup"}},
      {"release outside does not click",
       1,
       true,
       false,
       Act::ReleaseOutside,
       false,
       {"mousedown", "mouseup"}},
      {"right button does not click", 1, true, false, Act::RightClick, false, {"mousedown", "mouseup"}},
      {"two quick clicks toggle twice",
       1,
       true,
       false,
       Act::QuickTwice,
       false,
       {"mousedown", "click down=1", "mouseup", "mousedown", "click down=0", "mouseup"}},
      {"disabled button hears nothing", 1, true, false, Act::DisabledClick, false, {}},
  };
  ShowAndActivate(form);
  PointerIn(form);
  for (const EventCase& c : cases) {
    SCOPED_TRACE(c.name);
    auto* b = Button(panel, 20, 20, c.group);
    b->SetAllowAllUp(c.allowAllUp);
    b->SetDown(c.startDown);
    ASSERT_EQ(b->GetDown(), c.startDown);
    log.clear();
    Record(b);
    switch (c.act) {
      case Act::DownTrue:
        b->SetDown(true);
        break;
      case Act::DownFalse:
        b->SetDown(false);
        break;
      case Act::CodeClick:
        b->Click();
        break;
      case Act::UserClick:
        Press(b, 10, 10);
        Release(b, 10, 10);
        break;
      case Act::ReleaseOutside:
        Press(b, 10, 10);
        Move(b, 200, 200, Qt::LeftButton);
        Release(b, 200, 200);
        break;
      case Act::RightClick:
        Press(b, 10, 10, Qt::RightButton);
        Release(b, 10, 10, Qt::RightButton);
        break;
      case Act::QuickTwice:
        // What the toolkit reports for a double click.
        Press(b, 10, 10);
        Release(b, 10, 10);
        Press(b, 10, 10);
        DoubleClick(b, 10, 10);
        Release(b, 10, 10);
        break;
      case Act::DisabledClick:
        b->SetEnabled(false);
        Press(b, 10, 10);
        Release(b, 10, 10);
        break;
    }
    EXPECT_EQ(b->GetDown(), c.wantDown);
    EXPECT_EQ(log, c.wantLog);
    b->Free();
    Move(panel, 300, 280);
  }
}

TEST_F(RzBmpButtonTest, GroupIsRadioAmongSiblingsWithTheSameIndex) {
  auto* other = new TPanel(form);
  other->SetParent(form);
  other->SetBounds(0, 200, 400, 100);
  auto* a = Button(panel, 10, 10, 3);
  auto* b = Button(panel, 80, 10, 3);
  auto* c = Button(panel, 150, 10, 3);
  auto* elsewhere = Button(panel, 220, 10, 4);
  auto* cousin = Button(other, 10, 10, 3);
  int clicks = 0;
  for (TRzBmpButton* x : {a, b, c, elsewhere, cousin}) x->OnClick = [&](TObject*) { ++clicks; };
  elsewhere->SetDown(true);
  cousin->SetDown(true);

  a->SetDown(true);
  b->SetDown(true);
  EXPECT_FALSE(a->GetDown());
  EXPECT_TRUE(b->GetDown());
  EXPECT_TRUE(elsewhere->GetDown()) << "another group index";
  EXPECT_TRUE(cousin->GetDown()) << "another parent";
  EXPECT_EQ(clicks, 0) << "releasing a sibling is silent";

  // The user's pick moves the one down button too.
  ShowAndActivate(form);
  Press(c, 5, 5);
  Release(c, 5, 5);
  EXPECT_TRUE(c->GetDown());
  EXPECT_FALSE(b->GetDown());
  EXPECT_EQ(clicks, 1);

  // A down button that joins a group, or moves to a parent, wins there.
  elsewhere->SetGroupIndex(3);
  EXPECT_TRUE(elsewhere->GetDown());
  EXPECT_FALSE(c->GetDown());
  elsewhere->SetParent(other);
  EXPECT_TRUE(elsewhere->GetDown());
  EXPECT_FALSE(cousin->GetDown());
}

TEST_F(RzBmpButtonTest, AHandlerMayFreeTheButtonItClicked) {
  ShowAndActivate(form);
  auto* b = Button(panel, 20, 20, 1);
  bool ran = false;
  b->OnClick = [&](TObject* sender) {
    ran = true;
    static_cast<TRzBmpButton*>(sender)->Free();
  };
  b->OnMouseUp = [](TObject*, TMouseButton, TShiftState, int, int) {
    ADD_FAILURE() << "freed button heard mouse-up";
  };
  Press(b, 10, 10);
  Release(b, 10, 10);
  EXPECT_TRUE(ran);
  EXPECT_EQ(panel->GetControlCount(), 0);
  DrainEvents();
}

// Solid faces of distinct colours, so that a probe tells which one shows.
std::unique_ptr<TBitmap> Solid(TColor color) {
  auto bmp = std::make_unique<TBitmap>(60, 24);
  bmp->Canvas->Brush->SetColor(color);
  bmp->Canvas->FillRect(Rect(0, 0, 60, 24));
  return bmp;
}

QColor Q(TColor c) {
  return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

TEST_F(RzBmpButtonTest, EachStateShowsItsFace) {
  constexpr TColor up = RGB(200, 0, 0), down = RGB(0, 200, 0), hot = RGB(0, 0, 200), stay = RGB(200, 200, 0),
                   off = RGB(90, 90, 90);
  auto* b = Button(panel, 20, 20, 1);
  b->SetAllowAllUp(true);
  b->GetBitmaps()->SetUp(Solid(up).get());
  b->GetBitmaps()->SetDown(Solid(down).get());
  b->GetBitmaps()->SetHot(Solid(hot).get());
  b->GetBitmaps()->SetStayDown(Solid(stay).get());
  b->GetBitmaps()->SetDisabled(Solid(off).get());
  ShowAndActivate(form);
  PointerIn(form);
  Move(panel, 300, 280);

  EXPECT_EQ(CentreOf(b), Q(up));
  Move(b, 30, 12);
  ASSERT_TRUE(b->GetHot());
  EXPECT_EQ(CentreOf(b), Q(hot));
  Press(b, 30, 12);
  EXPECT_EQ(CentreOf(b), Q(down)) << "held pressed";
  Move(b, 200, 200, Qt::LeftButton);
  EXPECT_EQ(CentreOf(b), Q(up)) << "pressed but dragged off";
  Move(b, 30, 12, Qt::LeftButton);
  Release(b, 30, 12);
  ASSERT_TRUE(b->GetDown());
  EXPECT_EQ(CentreOf(b), Q(stay)) << "down, mouse still over it";
  b->SetEnabled(false);
  EXPECT_EQ(CentreOf(b), Q(off));
}

TEST_F(RzBmpButtonTest, FacesAreCopiedNotShared) {
  auto* source = Button(panel, 20, 20);
  auto* copy = Button(panel, 100, 20);
  auto* partial = Button(panel, 180, 20);
  source->GetBitmaps()->SetUp(Solid(RGB(10, 20, 30)).get());
  source->GetBitmaps()->SetDown(Solid(RGB(40, 50, 60)).get());
  source->GetBitmaps()->SetHot(Solid(RGB(70, 80, 90)).get());
  source->GetBitmaps()->SetStayDown(Solid(RGB(100, 110, 120)).get());
  source->GetBitmaps()->SetDisabled(Solid(RGB(130, 140, 150)).get());

  copy->SetBitmaps(source->GetBitmaps());
  // One face at a time, as a form hands faces on from a model button.
  partial->GetBitmaps()->SetStayDown(source->GetBitmaps()->GetStayDown());

  // The source changes afterwards; the copies keep what they got.
  source->GetBitmaps()->GetUp()->Canvas->SetPixels(0, 0, clWhite);
  source->GetBitmaps()->SetHot(nullptr);

  TRzBmpButtonFaces* f = copy->GetBitmaps();
  EXPECT_EQ(f->GetUp()->Canvas->GetPixels(0, 0), RGB(10, 20, 30));
  EXPECT_EQ(f->GetDown()->Canvas->GetPixels(5, 5), RGB(40, 50, 60));
  EXPECT_EQ(f->GetHot()->Canvas->GetPixels(5, 5), RGB(70, 80, 90));
  EXPECT_EQ(f->GetStayDown()->Canvas->GetPixels(5, 5), RGB(100, 110, 120));
  EXPECT_EQ(f->GetDisabled()->Canvas->GetPixels(5, 5), RGB(130, 140, 150));
  EXPECT_TRUE(source->GetBitmaps()->GetHot()->GetEmpty());
  EXPECT_EQ(partial->GetBitmaps()->GetStayDown()->Canvas->GetPixels(5, 5), RGB(100, 110, 120));
  EXPECT_TRUE(partial->GetBitmaps()->GetUp()->GetEmpty());

  TBitmap notFaces;
  EXPECT_THROW(copy->GetBitmaps()->Assign(&notFaces), EConvertError);

  // The copy paints its new face.
  ShowAndActivate(form);
  PointerIn(form);
  Move(panel, 300, 280);
  EXPECT_EQ(CentreOf(copy), Q(RGB(10, 20, 30)));
}

TEST_F(RzBmpButtonTest, OwnFaceIsLitWhenDown) {
  auto* b = Button(panel, 20, 20, 1);
  b->SetBounds(20, 20, 80, 28);
  b->SetCaption("MMMM");
  auto* pictured = Button(panel, 120, 20, 2);
  pictured->GetBitmaps()->SetUp(Solid(RGB(200, 0, 0)).get());
  ShowAndActivate(form);
  PointerIn(form);
  Move(panel, 300, 280);

  auto shot = [](TControl* c) { return c->GetWidget()->grab().toImage(); };
  QImage up = shot(b);
  b->SetDown(true);
  QImage down = shot(b);
  const TColor accent = b->GetAccentColor();
  // The light strip along the bottom, and a face tinted towards the accent.
  EXPECT_EQ(down.pixelColor(40, 26), Q(accent));
  EXPECT_NE(up.pixelColor(40, 26), Q(accent));
  EXPECT_GT(down.pixelColor(4, 6).green(), up.pixelColor(4, 6).green() + 25);
  b->SetAccentColor(RGB(230, 120, 20));
  EXPECT_EQ(shot(b).pixelColor(40, 26), Q(RGB(230, 120, 20)));

  // The parent's black caption colour is drawn light on the dark key, so it
  // reads; a colour set on the button itself is kept.
  ASSERT_TRUE(b->GetParentFont());
  ASSERT_LT(ColorToRGB(b->GetFont()->GetColor()) & 0xFFFFFF, 0x303030);
  auto count = [](const QImage& img, auto pred) {
    int n = 0;
    for (int y = 4; y < 24; ++y)
      for (int x = 10; x < 70; ++x)
        if (pred(img.pixelColor(x, y))) ++n;
    return n;
  };
  EXPECT_GT(count(up, [](QColor q) { return q.lightness() > 170; }), 10);
  b->GetFont()->SetColor(clLime);
  EXPECT_GT(count(shot(b), [](QColor q) { return q.green() > 200 && q.red() < 90; }), 10);

  // Down without a down picture: the lit own face, never the up picture.
  pictured->SetDown(true);
  EXPECT_EQ(shot(pictured).pixelColor(30, 22), Q(pictured->GetAccentColor()));
}

}  // namespace
