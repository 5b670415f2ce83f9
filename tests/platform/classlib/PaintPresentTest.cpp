// Paint and present: drawing outside Paint shows without a Paint, Paint runs
// only when asked, the backing image is made at first use and given back by
// a hidden control whose picture Paint alone made, inverting drawing is exactly reversible, transparent
// surfaces show their parent, a control paints into another canvas at an
// offset, a control hears when it loses the mouse capture, and a dialog shown
// modally from a timer has its picture in its window.

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QWindow>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ClassLibTestSupport.h"
#include "platform/classlib/ExtCtrls.h"
#include "platform/classlib/ExtCtrlsControls.h"

using namespace classlib_test;

namespace {

// A page with a different colour on every pixel, so that any pixel left
// wrong by an inverting drawing shows.
class Page : public TCustomControl {
 public:
  explicit Page(TComponent* owner) : TCustomControl(owner) {}
  int paints = 0;
  using TControl::Update;

 protected:
  void Paint() override {
    ++paints;
    TCanvas* c = GetCanvas();
    for (int y = 0; y < GetHeight(); ++y)
      for (int x = 0; x < GetWidth(); ++x) c->SetPixels(x, y, RGB(x * 3, y * 5, (x * y) & 0xFF));
  }
};

// A filled square at `spot` inside a control of either kind.
template <typename Base>
class Spot : public Base {
 public:
  explicit Spot(TComponent* owner) : Base(owner) {}
  TPoint spot{2, 2};
  int paints = 0;

 protected:
  void Paint() override {
    ++paints;
    TCanvas* c = this->GetCanvas();
    c->Brush->SetColor(clRed);
    c->FillRect(Bounds(spot.X, spot.Y, 6, 6));
  }
};

QColor At(TControl* c, int x, int y) {
  return c->GetWidget()->grab().toImage().pixelColor(x, y);
}

class PaintPresentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    App();
    form = new TForm(Application);
    form->SetBounds(0, 0, 200, 150);
    form->SetColor(RGB(0, 0, 128));
  }
  void TearDown() override { form->Free(); }
  Page* NewPage() {
    auto* page = new Page(form);
    page->SetParent(form);
    page->SetBounds(10, 10, 60, 40);
    form->Show();
    EXPECT_TRUE(PumpUntil([page] { return page->paints > 0; }));
    return page;
  }
  TForm* form = nullptr;
};

TEST_F(PaintPresentTest, DrawingOutsidePaintStaysUntilThePaintTheControlAskedFor) {
  struct Case {
    const char* name;
    std::function<void(Page*)> force;
    bool paints;
  };
  const Case cases[] = {
      {"toolkit repaint", [](Page* p) { p->GetWidget()->repaint(); }, false},
      {"Update", [](Page* p) { p->Update(); }, false},
      {"Invalidate", [](Page* p) { p->Invalidate(); }, true},
      {"Repaint", [](Page* p) { p->Repaint(); }, true},
      {"resize", [](Page* p) { p->SetBounds(10, 10, 61, 40); }, true},
  };
  for (const Case& c : cases) {
    Page* page = NewPage();
    const int before = page->paints;
    TCanvas* canvas = page->GetCanvas();
    canvas->Pen->SetColor(clWhite);
    canvas->MoveTo(0, 20);
    canvas->LineTo(50, 20);
    EXPECT_EQ(At(page, 25, 20), QColor(Qt::white)) << c.name << ": shown at once";
    EXPECT_EQ(page->paints, before) << c.name << ": drawing is no reason to paint";
    c.force(page);
    PumpUntil([&] { return !c.paints || page->paints > before; }, 3000);
    EXPECT_EQ(page->paints > before, c.paints) << c.name;
    EXPECT_EQ(At(page, 25, 20) == QColor(Qt::white), !c.paints) << c.name;
    page->Free();
  }
}

TEST_F(PaintPresentTest, BackingImageIsMadeAtFirstUseAndGivenBackWhileHiddenUnlessDrawnOn) {
  auto* page = new Page(form);
  page->SetParent(form);
  page->SetBounds(10, 10, 60, 40);
  const QImage* image = page->GetCanvas()->GetImage();
  EXPECT_TRUE(image->isNull()) << "never shown, never drawn on: no pixels";
  form->Show();
  ASSERT_TRUE(PumpUntil([page] { return page->paints > 0; }));
  EXPECT_EQ(image->size(), QSize(60, 40));

  // Only Paint drew: hidden, the image goes; shown again, Paint makes it.
  page->Hide();
  DrainEvents();
  EXPECT_TRUE(image->isNull());
  int before = page->paints;
  page->Show();
  ASSERT_TRUE(PumpUntil([&] { return page->paints > before; }));
  EXPECT_EQ(At(page, 7, 3), QColor(21, 15, 21));

  // Drawn on outside Paint: the picture is kept across hiding and showing.
  TCanvas* canvas = page->GetCanvas();
  canvas->Pen->SetColor(clWhite);
  canvas->MoveTo(0, 20);
  canvas->LineTo(50, 20);
  page->Hide();
  DrainEvents();
  EXPECT_FALSE(image->isNull());
  before = page->paints;
  page->Show();
  DrainEvents();
  EXPECT_EQ(page->paints, before);
  EXPECT_EQ(At(page, 25, 20), QColor(Qt::white));
  page->Free();

  // A control never shown that is drawn on gets its image there and then.
  auto* unseen = new Page(form);
  unseen->SetBounds(0, 0, 20, 20);
  unseen->GetCanvas()->SetPixels(3, 4, clRed);
  EXPECT_EQ(unseen->GetCanvas()->GetPixels(3, 4), clRed);
  EXPECT_EQ(unseen->GetCanvas()->GetImage()->size(), QSize(20, 20));
  unseen->Free();
}

TEST_F(PaintPresentTest, AControlWhosePaintRedrawsAllGivesItsImageBackWhenAParentHides) {
  struct Redrawing : Page {
    using Page::Page;
    int ended = 0;
    void ShowingEnded() override { ++ended; }
  };
  auto* panel = new TPanel(form);
  panel->SetParent(form);
  panel->SetBounds(0, 0, 100, 80);
  auto* page = new Redrawing(form);
  page->SetParent(panel);
  page->SetBounds(10, 10, 60, 40);
  page->SetPaintRedrawsAll(true);
  form->Show();
  ASSERT_TRUE(PumpUntil([page] { return page->paints > 0; }));
  const QImage* image = page->GetCanvas()->GetImage();
  page->GetCanvas()->SetPixels(25, 20, clWhite);

  panel->Hide();
  DrainEvents();
  EXPECT_TRUE(image->isNull()) << "drawn on outside Paint, yet Paint makes it again";
  EXPECT_EQ(page->ended, 1) << "the parent's hiding reaches the control";
  const int before = page->paints;
  panel->Show();
  ASSERT_TRUE(PumpUntil([&] { return page->paints > before; }));
  EXPECT_EQ(At(page, 7, 3), QColor(21, 15, 21));
}

TEST_F(PaintPresentTest, InvertingRubberBandDrawnRepaintedOverAndErasedGivesBackEveryPixel) {
  const TPenMode modes[] = {pmNot, pmNotXor, pmXor};
  const TPenStyle styles[] = {psSolid, psDot};
  for (TPenMode mode : modes) {
    for (TPenStyle style : styles) {
      Page* page = NewPage();
      const QImage before = page->GetWidget()->grab().toImage();
      TCanvas* c = page->GetCanvas();
      c->Pen->SetMode(mode);
      c->Pen->SetStyle(style);
      c->Pen->SetColor(RGB(200, 100, 50));
      c->Brush->SetStyle(bsClear);
      c->Rectangle(5, 5, 40, 30);
      EXPECT_NE(page->GetWidget()->grab().toImage(), before);
      page->GetWidget()->repaint();  // the toolkit shows the control again
      DrainEvents();
      c->Rectangle(5, 5, 40, 30);
      EXPECT_EQ(page->GetWidget()->grab().toImage(), before) << "mode " << mode << " style " << style;
      page->Free();
    }
  }
}

TEST_F(PaintPresentTest, TransparentSurfacesShowTheParentAndLeaveNoGhost) {
  struct Case {
    const char* name;
    std::function<TControl*(TForm*)> make;
  };
  const Case cases[] = {
      {"graphic control", [](TForm* f) -> TControl* { return new Spot<TGraphicControl>(f); }},
      {"custom control",
       [](TForm* f) -> TControl* {
         auto* c = new Spot<TCustomControl>(f);
         c->SetTransparentSurface(true);
         return c;
       }},
  };
  const QColor parent(0, 0, 128), red(255, 0, 0);
  for (const Case& k : cases) {
    TControl* control = k.make(form);
    control->SetParent(form);
    control->SetBounds(20, 20, 30, 30);
    form->Show();
    QWidget* fw = form->GetWidget();
    auto shot = [&] { return fw->grab().toImage(); };
    ASSERT_TRUE(PumpUntil([&] { return shot().pixelColor(20 + 4, 20 + 4) == red; })) << k.name;
    EXPECT_EQ(shot().pixelColor(20 + 20, 20 + 20), parent) << k.name << ": parent shows through";

    // The spot moves inside the control: the old one is cleared.
    auto* spot = dynamic_cast<Spot<TGraphicControl>*>(control);
    auto* spot2 = dynamic_cast<Spot<TCustomControl>*>(control);
    (spot ? spot->spot : spot2->spot) = TPoint(15, 15);
    control->Invalidate();
    ASSERT_TRUE(PumpUntil([&] { return shot().pixelColor(20 + 17, 20 + 17) == red; })) << k.name;
    EXPECT_EQ(shot().pixelColor(20 + 4, 20 + 4), parent) << k.name << ": no ghost inside";

    // The control moves: its old place shows the parent again.
    control->SetBounds(100, 60, 30, 30);
    ASSERT_TRUE(PumpUntil([&] { return shot().pixelColor(100 + 17, 60 + 17) == red; })) << k.name;
    EXPECT_EQ(shot().pixelColor(20 + 17, 20 + 17), parent) << k.name << ": no ghost behind";
    EXPECT_EQ(shot().pixelColor(100 + 2, 60 + 2), parent) << k.name;
    control->Free();
  }
}

TEST_F(PaintPresentTest, PaintToDrawsTheControlIntoAnotherCanvasAtAnOffsetAndClipped) {
  Page* page = NewPage();
  const QImage own = page->GetWidget()->grab().toImage();
  auto target = std::make_unique<TBitmap>(100, 50);
  TCanvas* t = target->Canvas;
  t->Brush->SetColor(clWhite);
  t->FillRect(Rect(0, 0, 100, 50));
  t->SetWindowOrg(TPoint(-5, 0));  // the target's own origin adds to the offset
  t->IntersectClipRect(Rect(-5, 0, 75, 40));
  int changes = 0;
  t->OnChange = [&](TCanvas*) { ++changes; };
  page->PaintTo(t, 30, 20);
  t->OnChange = nullptr;
  t->SetWindowOrg(TPoint());
  EXPECT_EQ(changes, 1);
  for (auto [x, y] : {std::pair{0, 0}, {10, 5}, {44, 19}})
    EXPECT_EQ(t->GetPixels(35 + x, 20 + y), RGB(x * 3, y * 5, (x * y) & 0xFF)) << x << "," << y;
  EXPECT_EQ(t->GetPixels(34, 20), clWhite);             // left of the control
  EXPECT_EQ(t->GetPixels(80, 25), clWhite);             // beyond the target's clip
  EXPECT_EQ(t->GetPixels(40, 45), clWhite);             // below the clip
  EXPECT_EQ(page->GetWidget()->grab().toImage(), own);  // its own image is untouched
}

class Dragger : public TCustomControl {
 public:
  explicit Dragger(TComponent* owner) : TCustomControl(owner) {}
  std::vector<LPARAM> lost;

 protected:
  void Dispatch(TMessage& m) override {
    if (m.Msg == WM_CAPTURECHANGED) lost.push_back(m.LParam);
    TCustomControl::Dispatch(m);
  }
  void MouseCaptureLost() override { ++lostCalls; }

 public:
  int lostCalls = 0;
};

TEST_F(PaintPresentTest, CaptureLossIsHeardByTheControlThatHeldIt) {
  auto* a = new Dragger(form);
  a->SetParent(form);
  a->SetBounds(0, 0, 50, 50);
  auto* b = new Dragger(form);
  b->SetParent(form);
  b->SetBounds(60, 0, 50, 50);
  ShowAndActivate(form);

  a->SetMouseCapture(true);
  b->SetMouseCapture(true);  // taken by another control
  ASSERT_EQ(a->lost, std::vector<LPARAM>{reinterpret_cast<LPARAM>(b->GetHandle())});
  EXPECT_EQ(a->lostCalls, 1);
  b->SetMouseCapture(false);  // released
  EXPECT_EQ(b->lost, std::vector<LPARAM>{0});

  a->SetMouseCapture(true);
  a->Hide();  // hidden
  EXPECT_EQ(a->lost.size(), 2u);
  EXPECT_FALSE(a->GetMouseCapture());
  a->Show();

  PointerIn(form);
  Press(b, 5, 5);
  EXPECT_TRUE(b->GetMouseCapture());
  Release(b, 5, 5);  // the press's capture ends with the button
  EXPECT_EQ(b->lost.size(), 2u);
  EXPECT_EQ(b->lostCalls, 2);
}

// What the window system is given, not a fresh rendering: a dialog shown
// modally from a timer, over a shown form, has its face and its children in
// its window while its loop runs.
TEST_F(PaintPresentTest, AModalFormShownFromATimerIsInItsWindowWhileItsLoopRuns) {
  FormGuard keep;
  form->Show();
  auto* dialog = keep(new TForm(Application));
  dialog->SetBorderStyle(bsDialog);
  dialog->SetFormStyle(fsStayOnTop);
  dialog->SetBounds(20, 20, 120, 60);
  dialog->SetColor(RGB(30, 34, 40));
  auto* spot = new Spot<TCustomControl>(dialog);
  spot->SetParent(dialog);
  spot->SetBounds(60, 30, 20, 20);
  spot->SetColor(RGB(30, 34, 40));
  auto* show = keep(new TTimer(nullptr));
  auto* look = keep(new TTimer(nullptr));
  show->SetInterval(5);
  look->SetEnabled(false);
  look->SetInterval(5);
  QImage seen;
  show->OnTimer = [&](TObject*) {
    show->SetEnabled(false);
    look->SetEnabled(true);
    dialog->ShowModal();
  };
  look->OnTimer = [&](TObject*) {
    QWidget* w = dialog->GetWidget();
    if (spot->paints == 0 || !w->windowHandle() || !w->windowHandle()->isExposed()) return;
    look->SetEnabled(false);
    seen = QGuiApplication::primaryScreen()->grabWindow(w->winId(), 0, 0, w->width(), w->height()).toImage();
    dialog->SetModalResult(mrOk);
  };
  show->SetEnabled(true);
  ASSERT_TRUE(WaitFor("the modal dialog's window is looked at", [&] { return !seen.isNull(); }));
  EXPECT_EQ(seen.pixelColor(5, 5), QColor(30, 34, 40));
  EXPECT_EQ(seen.pixelColor(60 + 2 + 3, 30 + 2 + 3), QColor(Qt::red));
  EXPECT_EQ(seen.pixelColor(60 + 15, 30 + 15), QColor(30, 34, 40));
}

}  // namespace
