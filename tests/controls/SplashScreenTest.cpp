// The splash screen: defaults and copying of its parts, showing and hiding
// with both closing paths and the main form's hook, the window's size,
// region and layered picture, the placement tables of program info, list
// lines and top-layer boxes, start-up inside a form's building, and (on an
// X display) the splash's pixels on screen.

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QWidget>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/AdvSmoothSplashScreen.h"
#include "platform/classlib/ExtCtrls.h"
#include "platform/classlib/PicturePng.h"
#include "platform/gdiplus/GdiPlusQt.h"
#include "tests/platform/classlib/ClassLibTestSupport.h"

using namespace classlib_test;

namespace {

// A PNG of w x h in one colour.
std::vector<std::uint8_t> SolidPng(int w, int h, QColor colour) {
  QImage image(w, h, QImage::Format_ARGB32);
  image.fill(colour);
  TPngImage png;
  png.SetImage(image);
  return png.SaveToBytes();
}

// A form of the test, freed at the end of the scope.
struct TestForm {
  TForm* form;
  TestForm() : form(new TForm(App())) {
    form->AfterConstruction();
    form->SetBounds(0, 0, 200, 150);
  }
  ~TestForm() { form->Free(); }
};

// A splash on a form, not shown until asked, with a small solid picture.
std::unique_ptr<TAdvSmoothSplashScreen> MakeSplash(TForm* owner, std::uint8_t opacity = 255) {
  auto splash = std::make_unique<TAdvSmoothSplashScreen>(owner);
  splash->SetDisplayStyle(dsNormal);
  splash->GetFill()->SetColor(RGB(30, 40, 60));
  splash->GetFill()->SetColorTo(RGB(30, 40, 60));
  splash->GetFill()->SetOpacity(opacity);
  splash->GetFill()->SetOpacityTo(opacity);
  splash->SetAutoAdaptPictureSize(false);
  splash->SetWidth(240);
  splash->SetHeight(140);
  return splash;
}

QImage BufferImage(TSplashScreenWindow* w) {
  const QImage* pixels = w && w->GetLayeredBuffer() ? Gdiplus::ImagePixels(w->GetLayeredBuffer()) : nullptr;
  return pixels ? pixels->copy() : QImage();
}

std::string RenderPath(const std::string& name) {
  const char* dir = std::getenv("TAVO_RENDER_DIR");
  return std::string(dir ? dir : ::testing::TempDir().c_str()) + "/" + name;
}

// ---------------------------------------------------------------- parts

TEST(SplashScreenParts, DefaultsAndAssign) {
  App();
  TestForm f;
  TAdvSmoothSplashScreen s(f.form);
  EXPECT_TRUE(s.GetStayOnTop());
  EXPECT_EQ(s.GetVersion(), "1.2.0.0");
  EXPECT_TRUE(s.GetAutoShow());
  EXPECT_TRUE(s.GetAutoAdaptPictureSize());
  EXPECT_TRUE(s.GetCloseOnMainFormShow());
  EXPECT_FALSE(s.GetCloseOnTimeout());
  EXPECT_EQ(s.GetTimeOut(), 1000);
  EXPECT_EQ(s.GetPictureGap(), 5);
  EXPECT_EQ(s.GetDisplayStyle(), dsFadeInOut);
  EXPECT_EQ(s.GetDisplayLocation(), dlCenter);
  EXPECT_EQ(s.GetWidth(), 600);
  EXPECT_EQ(s.GetHeight(), 400);
  EXPECT_EQ(s.GetMaxOpacity(), 255);
  EXPECT_EQ(s.GetTextRendering(), tClearType);
  EXPECT_FALSE(s.GetProgressBar()->GetVisible());
  EXPECT_FALSE(s.GetCloseTimer()->GetEnabled());
  EXPECT_EQ(s.GetFocusTimer()->GetInterval(), 20u);
  EXPECT_EQ(s.GetThemeID(), "TAdvSmoothSplashScreen");

  const TBasicProgramInfo& info = *s.GetBasicProgramInfo();
  EXPECT_TRUE(info.GetAutoLoad());
  EXPECT_EQ(info.GetProgramName()->GetFont()->GetSize(), 14);
  EXPECT_TRUE(info.GetProgramName()->GetFont()->GetStyle().Contains(fsBold));
  EXPECT_EQ(info.GetProgramName()->GetFont()->GetName(), "Tahoma");
  EXPECT_EQ(info.GetProgramVersion()->GetPosX(), 80);
  EXPECT_EQ(info.GetProgramName()->GetPosX(), 10);
  EXPECT_EQ(info.GetProgramName()->GetColorEnd(), clNone);
  EXPECT_EQ(info.GetCopyRightPosY(), 130);
  const TSplashListItemsSettings& list = *s.GetListItemsSettings();
  EXPECT_EQ(list.GetSpace(), 8);
  EXPECT_EQ(list.GetRect()->GetRect(), TRect(30, 150, 330, 350));
  EXPECT_EQ(list.GetHTMLShadowOffset(), 5);
  EXPECT_EQ(list.GetHTMLURLColor(), clBlue);

  // A heading copies everything without a notice; only a text change tells.
  TSplashHeadingText a, b;
  int notices = 0;
  a.OnChange = [&](TObject*) { ++notices; };
  b.SetText("Name");
  b.SetPosX(33);
  b.SetGradientType(gtHatch);
  b.GetFont()->SetHeight(-20);
  a.Assign(&b);
  EXPECT_EQ(notices, 0);
  EXPECT_EQ(a.GetText(), "Name");
  EXPECT_EQ(a.GetPosX(), 33);
  EXPECT_EQ(a.GetGradientType(), gtHatch);
  EXPECT_EQ(a.GetFont()->GetHeight(), -20);
  a.SetPosY(5);
  EXPECT_EQ(notices, 0);
  a.SetText("Other");
  a.SetText("Other");
  EXPECT_EQ(notices, 1);

  // An item copies all but its font.
  TSplashItem* from = s.GetItems()->Add();
  from->SetText("item");
  from->SetPosX(7);
  from->SetImageIndex(2);
  from->GetFont()->SetHeight(-30);
  TSplashItem* to = s.GetItems()->Add();
  to->Assign(from);
  EXPECT_EQ(to->GetText(), "item");
  EXPECT_EQ(to->GetPosX(), 7);
  EXPECT_EQ(to->GetImageIndex(), 2);
  EXPECT_NE(to->GetFont()->GetHeight(), -30);

  // Deleting tells OnDeleteItem the index.
  std::vector<int> deleted;
  s.GetItems()->OnDeleteItem = [&](TObject*, int index) { deleted.push_back(index); };
  s.GetItems()->Delete(1);
  EXPECT_EQ(deleted, std::vector<int>{1});
  s.GetItems()->OnDeleteItem = nullptr;
}

// ---------------------------------------------------------------- showing

TEST(SplashScreenShow, SecondShowChangesNothingAndHideCloses) {
  App();
  TestForm f;
  auto s = MakeSplash(f.form);
  int before = 0, closed = 0;
  s->OnBeforeShow = [&](TObject*) { ++before; };
  s->OnClose = [&](TObject*) { ++closed; };
  s->Show();
  TSplashScreenWindow* w = s->GetSplashWindow();
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(s->GetShowing());
  EXPECT_TRUE(w->GetVisible());
  EXPECT_TRUE(w->GetNoActivate());
  EXPECT_FALSE(w->GetActive());
  EXPECT_EQ(w->GetWidth(), 240);
  s->Show(500, 500);
  EXPECT_EQ(s->GetSplashWindow(), w);
  EXPECT_EQ(before, 1);
  s->Hide();
  EXPECT_EQ(s->GetSplashWindow(), nullptr);
  EXPECT_FALSE(s->GetShowing());
  EXPECT_EQ(closed, 1);
  s->Hide();
  EXPECT_EQ(closed, 1);
}

TEST(SplashScreenShow, MainFormHandlerRunsOnceAfterTheSplashAndStaysItsOwn) {
  App();
  struct Case {
    const char* what;
    bool setMainFormFirst;
  } cases[] = {{"hooked by Show", false}, {"MainForm set before Show", true}};
  for (const Case& c : cases) {
    TestForm f;
    auto s = MakeSplash(f.form);
    int shows = 0;
    bool splashUpWhenRun = true;
    f.form->OnShow = [&](TObject* sender) {
      ++shows;
      EXPECT_EQ(sender, f.form) << c.what;
      splashUpWhenRun = s->GetShowing();
    };
    if (c.setMainFormFirst) s->SetMainForm(f.form);
    s->Show();
    EXPECT_EQ(s->GetMainForm(), f.form) << c.what;
    f.form->Show();
    EXPECT_EQ(shows, 1) << c.what;
    EXPECT_FALSE(splashUpWhenRun) << c.what;
    EXPECT_FALSE(s->GetShowing()) << c.what;
    EXPECT_FALSE(s->GetCloseTimer()->GetEnabled()) << c.what;
    f.form->Hide();
    f.form->Show();
    EXPECT_EQ(shows, 2) << c.what << ": the handler is the form's own again";
    f.form->Hide();
  }
}

TEST(SplashScreenShow, WithoutCloseOnMainFormShowTheFormIsLeftAlone) {
  App();
  TestForm f;
  auto s = MakeSplash(f.form);
  s->SetCloseOnMainFormShow(false);
  int shows = 0;
  f.form->OnShow = [&](TObject*) { ++shows; };
  s->Show();
  f.form->Show();
  EXPECT_EQ(shows, 1);
  EXPECT_TRUE(s->GetShowing());
  s->Hide();
  f.form->Hide();
  f.form->Show();
  EXPECT_EQ(shows, 2);
  f.form->Hide();
}

TEST(SplashScreenShow, CloseTimerClosesOnlyWhenTheLoopRuns) {
  App();
  TestForm f;
  auto s = MakeSplash(f.form);
  s->SetCloseOnTimeout(true);
  s->SetTimeOut(100);
  s->Show();
  EXPECT_TRUE(s->GetCloseTimer()->GetEnabled());
  EXPECT_EQ(s->GetCloseTimer()->GetInterval(), 100u);
  EXPECT_TRUE(s->GetShowing());
  EXPECT_TRUE(WaitFor("the time-out", [&] { return !s->GetShowing(); }));
  EXPECT_EQ(s->GetSplashWindow(), nullptr);
}

TEST(SplashScreenWindow, SizeFromPictureAndBorder) {
  App();
  struct Case {
    const char* what;
    bool adapt;
    int borderWidth;
    TColor borderColor;
    int width, height;
  } cases[] = {
      {"border 1, colour none", true, 1, clNone, 102, 62},
      {"border 1, coloured", true, 1, clRed, 102, 62},
      {"border 3", true, 3, clNone, 104, 64},
      {"border 0", true, 0, clNone, 100, 60},
      {"own size", false, 1, clNone, 240, 140},
  };
  const std::vector<std::uint8_t> png = SolidPng(100, 60, QColor(10, 20, 30));
  for (const Case& c : cases) {
    TestForm f;
    auto s = MakeSplash(f.form);
    s->GetFill()->GetPicture()->LoadFromBytes(png.data(), png.size());
    s->SetAutoAdaptPictureSize(c.adapt);
    s->GetFill()->SetBorderWidth(c.borderWidth);
    s->GetFill()->SetBorderColor(c.borderColor);
    s->Show();
    ASSERT_NE(s->GetSplashWindow(), nullptr) << c.what;
    EXPECT_EQ(s->GetSplashWindow()->GetWidth(), c.width) << c.what;
    EXPECT_EQ(s->GetSplashWindow()->GetHeight(), c.height) << c.what;
    s->Hide();
  }
}

TEST(SplashScreenWindow, RegionPerRoundingType) {
  App();
  // Which of the corners (top-left, top-right, bottom-left, bottom-right)
  // belong to the window.
  struct Case {
    TFillRoundingType type;
    bool tl, tr, bl, br;
  } cases[] = {
      {rtTop, false, false, true, true},    {rtBottom, true, true, false, false},
      {rtBoth, false, false, false, false}, {rtLeft, false, true, false, true},
      {rtRight, true, false, true, false},
  };
  for (const Case& c : cases) {
    TestForm f;
    auto s = MakeSplash(f.form);
    s->GetFill()->SetRounding(10);
    s->GetFill()->SetRoundingType(c.type);
    s->Show();
    HRGN r = s->GetSplashWindow()->GetWindowRgn();
    ASSERT_NE(r, nullptr) << c.type;
    EXPECT_EQ(PtInRegion(r, 0, 0), c.tl) << c.type;
    EXPECT_EQ(PtInRegion(r, 239, 0), c.tr) << c.type;
    EXPECT_EQ(PtInRegion(r, 0, 139), c.bl) << c.type;
    EXPECT_EQ(PtInRegion(r, 239, 139), c.br) << c.type;
    EXPECT_TRUE(PtInRegion(r, 120, 70)) << c.type;
    s->Hide();
  }
  TestForm f;
  auto s = MakeSplash(f.form);
  s->GetFill()->SetRounding(10);
  s->GetFill()->SetRoundingType(rtNone);
  s->Show();
  EXPECT_EQ(s->GetSplashWindow()->GetWindowRgn(), nullptr);
  s->Hide();
}

TEST(SplashScreenWindow, LayeredPictureChangesOnlyOnRefresh) {
  App();
  TestForm f;
  auto s = MakeSplash(f.form, 200);
  TSplashItem* item = s->GetItems()->Add();
  item->SetPosX(20);
  item->SetPosY(20);
  item->GetFont()->SetHeight(-24);
  item->GetFont()->SetColor(clWhite);
  item->SetText("one");
  s->Show();
  TSplashScreenWindow* w = s->GetSplashWindow();
  ASSERT_TRUE(w->GetLayeredMode());
  // dsNormal: full opacity at once.
  EXPECT_EQ(w->GetLayeredOpacity(), 255);
  const QImage first = BufferImage(w);
  ASSERT_FALSE(first.isNull());
  // The fill's alpha is the buffer's.
  EXPECT_EQ(qAlpha(first.pixel(200, 120)), 200);
  item->SetText("two two two");
  item->Refresh();
  // The invalidation's paint runs.
  QCoreApplication::processEvents();
  QCoreApplication::processEvents();
  EXPECT_EQ(BufferImage(w), first) << "an invalidation leaves the layered picture";
  s->Refresh();
  EXPECT_NE(BufferImage(w), first);
  s->Hide();
}

TEST(SplashScreenWindow, FadingLayeredAndPlain) {
  App();
  TestForm f;
  auto layered = MakeSplash(f.form, 200);
  layered->SetDisplayStyle(dsFadeInOut);
  layered->Show();
  EXPECT_EQ(layered->GetSplashWindow()->GetLayeredOpacity(), 255);
  layered->FadeOut(100, 0, 30);
  EXPECT_EQ(layered->GetSplashWindow()->GetLayeredOpacity(), 30);
  layered->Hide();
  auto plain = MakeSplash(f.form);
  plain->SetDisplayStyle(dsFadeInOut);
  plain->SetMaxOpacity(200);
  plain->Show();
  EXPECT_TRUE(plain->GetSplashWindow()->GetAlphaBlend());
  EXPECT_EQ(plain->GetSplashWindow()->GetAlphaBlendValue(), 200);
  plain->Hide();
}

// ---------------------------------------------------------------- layout tables

TEST(SplashScreenLayout, PlaceItemInRect) {
  const TGPRectF r(10, 20, 101, 51);
  struct Case {
    TAdvSmoothSplashScreenLocation at;
    float x, y;
  } cases[] = {
      {cpTopLeft, 10, 20},         {cpTopCenter, 10 + 40, 20}, {cpTopRight, 10 + 81, 20},
      {cpCenterLeft, 10, 20 + 15}, {cpCenterCenter, 50, 35},   {cpCenterRight, 91, 35},
      {cpBottomLeft, 10, 20 + 31}, {cpBottomCenter, 50, 51},   {cpBottomRight, 91, 51},
  };
  for (const Case& c : cases) {
    const TGPPointF p = PlaceItemInRect(c.at, r, 20, 20);
    EXPECT_EQ(p.X, c.x) << c.at;
    EXPECT_EQ(p.Y, c.y) << c.at;
  }
  // A box wider than the rectangle: halves truncate toward zero.
  EXPECT_EQ(PlaceItemInRect(cpTopCenter, TGPRectF(0, 0, 10, 10), 13, 1).X, -1);
}

TEST(SplashScreenLayout, ProgramInfoPositions) {
  const TRect R(0, 0, 400, 200);
  const TSize name(100, 20), version(40, 10), copy(60, 8);
  struct Case {
    const char* what;
    TItemLocation n, v, c;
    TPoint name, version, copy;
  } cases[] = {
      {"both top left", ilTopLeft, ilTopLeft, ilBottomRight, {0, 0}, {101, 5}, {340, 192}},
      {"both top right", ilTopRight, ilTopRight, ilTopRight, {259, 0}, {360, 0}, {340, 23}},
      {"top centre", ilTopCenter, ilTopCenter, ilTopCenter, {150, 0}, {180, 30}, {170, 23}},
      {"bottom left with copyright",
       ilBottomLeft,
       ilBottomLeft,
       ilBottomLeft,
       {0, 169},
       {101, 169},
       {0, 192}},
      {"bottom centre", ilBottomCenter, ilBottomCenter, ilBottomCenter, {150, 159}, {180, 169}, {170, 192}},
      {"bottom right", ilBottomRight, ilBottomRight, ilTopLeft, {259, 180}, {360, 180}, {0, 0}},
      {"custom", ilCustom, ilCustom, ilCustom, {10, 100}, {80, 100}, {10, 130}},
  };
  for (const Case& c : cases) {
    TBasicProgramInfo info;
    info.GetProgramName()->SetLocation(c.n);
    info.GetProgramVersion()->SetLocation(c.v);
    info.SetCopyRightLocation(c.c);
    const TProgramInfoPlaces p = PlaceProgramInfo(info, R, name, version, copy);
    EXPECT_EQ(p.Name, c.name) << c.what;
    EXPECT_EQ(p.Version, c.version) << c.what;
    EXPECT_EQ(p.CopyRight, c.copy) << c.what;
  }
}

TEST(SplashScreenLayout, TopLayerRectanglesPerAlign) {
  App();
  TestForm f;
  TAdvSmoothSplashScreen s(f.form);
  TAdvSplashTopLayerItem* item = s.GetTopLayerItems()->Add();
  item->SetWidth(50);
  item->SetHeight(30);
  item->SetLeft(7);
  item->SetTop(9);
  const TGPRectF C(1, 1, 299, 199);
  struct Case {
    TAlign align;
    bool has;
    TGPRectF r;
  } cases[] = {
      {alTop, true, {1, 1, 298, 30}},
      {alBottom, true, {1, 170, 298, 30}},
      {alLeft, true, {1, 1, 50, 199}},
      {alRight, true, {249, 1, 50, 199}},
      {alClient, true, {1, 1, 298, 199}},
      {alCustom, true, {8, 10, 50, 30}},
      {alNone, false, {}},
  };
  for (const Case& c : cases) {
    item->SetAlign(c.align);
    TGPRectF r;
    ASSERT_EQ(TopLayerItemRect(*item, C, r), c.has) << c.align;
    if (!c.has) continue;
    EXPECT_EQ(r.X, c.r.X) << c.align;
    EXPECT_EQ(r.Y, c.r.Y) << c.align;
    EXPECT_EQ(r.Width, c.r.Width) << c.align;
    EXPECT_EQ(r.Height, c.r.Height) << c.align;
  }
}

TEST(SplashScreenLayout, ListDropsItsOldestLines) {
  App();
  TestForm f;
  TAdvSmoothSplashScreen s(f.form);
  TSplashListItems& items = *s.GetListItems();
  const TRect area(180, 210, 680, 460);
  EXPECT_EQ(LayOutListItems(&items, area, 8, {}), 0) << "an empty list";
  for (int i = 0; i < 6; ++i) items.Add();
  EXPECT_EQ(LayOutListItems(&items, area, 8, std::vector<int>(6, 30)), 0);
  EXPECT_EQ(items.GetItem(5)->GetDisplayRect(), TRect(180, 210 + 5 * 38, 680, 240 + 5 * 38)) << "six fit";
  items.Add();
  EXPECT_EQ(LayOutListItems(&items, area, 8, std::vector<int>(7, 30)), 1);
  EXPECT_EQ(items.GetItem(0)->GetDisplayRect().Top, -1) << "the first is dropped";
  EXPECT_EQ(items.GetItem(0)->GetDisplayRect().Bottom, -1);
  for (int i = 1; i < 7; ++i)
    EXPECT_EQ(items.GetItem(i)->GetDisplayRect().Top, 210 + (i - 1) * 38) << "moved up by 38: line " << i;

  // One line too tall for the area is drawn from its top.
  items.Clear();
  items.Add();
  EXPECT_EQ(LayOutListItems(&items, area, 8, {300}), 0);
  EXPECT_EQ(items.GetItem(0)->GetDisplayRect().Top, 210);
}

// ---------------------------------------------------------------- start-up

// A form that holds a splash the way the main window does and looks at it
// from its own OnCreate.
class TSplashHolder : public TForm {
 public:
  explicit TSplashHolder(TComponent* AOwner) : TForm(AOwner) {
    SetBounds(0, 0, 300, 200);
    Splash = new TAdvSmoothSplashScreen(this);
    Splash->SetDisplayStyle(dsNormal);
    Splash->SetCloseOnTimeout(true);
    Splash->SetTimeOut(100);
    Splash->SetAutoAdaptPictureSize(false);
    Splash->SetWidth(320);
    Splash->SetHeight(180);
    Splash->GetFill()->SetColor(RGB(220, 30, 30));
    Splash->GetFill()->SetColorTo(RGB(220, 30, 30));
    Splash->GetFill()->SetBorderColor(clNone);
    Splash->GetFill()->SetOpacity(200);
    Splash->GetFill()->SetOpacityTo(200);
    OnCreate = [this](TObject*) {
      TSplashScreenWindow* w = Splash->GetSplashWindow();
      SplashUp = w && w->GetVisible() && Splash->GetShowing();
      QWidget* widget = w ? w->GetWidget() : nullptr;
      if (widget && widget->windowHandle()) {
        SplashExposed = widget->windowHandle()->isExposed();
        const QPoint at = widget->mapToGlobal(QPoint(0, 0));
        Placed = QRect(at, widget->size());
        Screen = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
        Window = QGuiApplication::primaryScreen()->grabWindow(widget->winId()).toImage();
      }
    };
  }

  TAdvSmoothSplashScreen* Splash;
  bool SplashUp = false;
  bool SplashExposed = false;
  QRect Placed;
  QImage Screen;
  QImage Window;
};

TEST(SplashScreenStartUp, UpAndPaintedFromTheFormsOwnCreateThenClosedByItsShow) {
  App();
  auto* form = new TSplashHolder(App());
  int shows = 0;
  form->OnShow = [&](TObject*) { ++shows; };
  form->AfterConstruction();
  EXPECT_TRUE(form->SplashUp);
  EXPECT_TRUE(form->SplashExposed);
  // Offscreen, the window's own pixels are the splash's red.
  ASSERT_FALSE(form->Window.isNull());
  const QRgb centre = form->Window.pixel(form->Window.width() / 2, form->Window.height() / 2);
  EXPECT_GT(qRed(centre), 150);
  EXPECT_LT(qGreen(centre), 80);
  EXPECT_TRUE(form->Splash->GetCloseTimer()->GetEnabled());
  form->Show();
  EXPECT_EQ(shows, 1);
  EXPECT_FALSE(form->Splash->GetShowing());
  EXPECT_FALSE(form->Splash->GetCloseTimer()->GetEnabled());
  form->Free();
}

// On a real (virtual) X display the splash is on screen before the event
// loop runs: over an opaque background when no compositor blends windows.
TEST(SplashScreenStartUp, OnTheXDisplayBeforeTheLoopRuns) {
  App();
  if (QGuiApplication::platformName() != QLatin1String("xcb")) GTEST_SKIP() << "needs an X display";
  auto* form = new TSplashHolder(App());
  form->AfterConstruction();
  ASSERT_TRUE(form->SplashUp);
  ASSERT_FALSE(form->Screen.isNull());
  ASSERT_TRUE(form->Placed.isValid());
  const QPoint centre = form->Placed.center();
  const QRgb seen = form->Screen.pixel(centre);
  form->Screen.save(QString::fromStdString(RenderPath("splash-xdisplay.png")));
  if (TCustomForm::DisplayBlendsAlpha()) {
    EXPECT_GT(qRed(seen), 120);
  } else {
    // Red at alpha 200 over the window's white.
    EXPECT_GT(qRed(seen), 200);
    EXPECT_GT(qGreen(seen), 40);
    EXPECT_LT(qGreen(seen), 110);
  }
  form->Show();
  EXPECT_FALSE(form->Splash->GetShowing());
  form->Free();
}

}  // namespace
