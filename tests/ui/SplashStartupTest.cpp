// The main window's splash at start-up: up and painted while the window is
// built, closed by the window's first showing before any dialog exists,
// with the window's own show handler back; and a render of its picture.

#include <gtest/gtest.h>

#include <QEvent>
#include <QImage>
#include <QObject>
#include <QWidget>

#include <cstdlib>
#include <string>

#include "controls/AdvSmoothSplashScreen.h"
#include "dialogs/FHidData.h"
#include "dialogs/ProgramForms.h"
#include "mainwindow/FMain.h"
#include "mainwindow/FMainSplash.h"
#include "model/CommonConstants.h"
#include "platform/classlib/ExtCtrls.h"
#include "platform/gdiplus/GdiPlusQt.h"
#include "tests/ui/MainWindowTestSupport.h"

namespace {

using ui_test::App;
using ui_test::FreeProgramForms;

TAdvSmoothSplashScreen* Splash() {
  return fmMain ? dynamic_cast<TAdvSmoothSplashScreen*>(fmMain->FindComponent("asScreen")) : nullptr;
}

// Follows the splash window through the program's form creation.
struct StartWatch : QObject {
  QWidget* splash = nullptr;
  int splashShows = 0;
  int splashPaints = 0;
  bool hiddenByMainShow = false;
  bool dialogsWhenHidden = true;
  bool mainUpBeforeHidden = true;

  bool eventFilter(QObject* watched, QEvent* e) override {
    if (!watched->isWidgetType()) return false;
    auto* w = static_cast<QWidget*>(watched);
    TAdvSmoothSplashScreen* s = Splash();
    if (e->type() == QEvent::Show && s && s->GetSplashWindow() &&
        w == s->GetSplashWindow()->WidgetIfCreated()) {
      splash = w;
      ++splashShows;
    } else if (w == splash && splash) {
      if (e->type() == QEvent::Paint) ++splashPaints;
      if (e->type() == QEvent::Hide) {
        // The main window is being shown (its flag is up, its window not yet).
        hiddenByMainShow = fmMain && fmMain->GetVisible();
        mainUpBeforeHidden = fmMain && fmMain->GetWidget()->isVisible();
        dialogsWhenHidden = fmHidData != nullptr;
        splash = nullptr;
      }
    }
    return false;
  }
};

TEST(SplashStartUp, UpWhileTheMainWindowIsBuiltAndGoneBeforeTheDialogs) {
  App();
  ASSERT_EQ(fmMain, nullptr);
  StartWatch watch;
  qApp->installEventFilter(&watch);
  CreateProgramForms(*Application);
  qApp->removeEventFilter(&watch);
  ASSERT_NE(fmMain, nullptr);
  if (auto* t = dynamic_cast<TTimer*>(fmMain->FindComponent("tmStartConnect"))) t->SetEnabled(false);
  TAdvSmoothSplashScreen* s = Splash();
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(watch.splashShows, 1);
  EXPECT_GE(watch.splashPaints, 1) << "painted before the loop ran";
  EXPECT_TRUE(watch.hiddenByMainShow) << "closed by the main window's first showing";
  EXPECT_FALSE(watch.mainUpBeforeHidden);
  EXPECT_FALSE(watch.dialogsWhenHidden) << "no dialog existed while the splash was up";
  EXPECT_FALSE(s->GetShowing());
  EXPECT_EQ(s->GetSplashWindow(), nullptr);
  EXPECT_FALSE(s->GetCloseTimer()->GetEnabled());
  // Its stored values.
  EXPECT_TRUE(s->GetCloseOnTimeout());
  EXPECT_EQ(s->GetTimeOut(), 100);
  EXPECT_EQ(s->GetDisplayStyle(), dsNormal);
  EXPECT_EQ(s->GetFill()->GetOpacity(), 249);
  EXPECT_EQ(s->GetFill()->GetPicture()->GetWidth(), 620);
  EXPECT_EQ(s->GetFill()->GetPicture()->GetHeight(), 350);
  EXPECT_EQ(s->GetBasicProgramInfo()->GetProgramName()->GetText(), "TAVO DSP Processor Editor");
  EXPECT_EQ(s->GetBasicProgramInfo()->GetProgramVersion()->GetText(),
            "Ver " + std::string(AppVersion.substr(1)));
  EXPECT_EQ(s->GetListItems()->GetCount(), 1);
  EXPECT_FALSE(s->GetProgressBar()->GetVisible());
  // The window's show handler is its own again: showing it anew leaves the
  // splash down.
  fmMain->Hide();
  fmMain->Show();
  EXPECT_FALSE(s->GetShowing());
  FreeProgramForms();
}

// The splash as the program shows it, its per-pixel-alpha picture written
// for a look by eye.
TEST(SplashStartUp, RenderOfTheSplashPicture) {
  App();
  CreateProgramForms(*Application);
  ASSERT_NE(fmMain, nullptr);
  if (auto* t = dynamic_cast<TTimer*>(fmMain->FindComponent("tmStartConnect"))) t->SetEnabled(false);
  TAdvSmoothSplashScreen* s = Splash();
  ASSERT_NE(s, nullptr);
  s->Show();
  TSplashScreenWindow* w = s->GetSplashWindow();
  ASSERT_NE(w, nullptr);
  ASSERT_TRUE(w->GetLayeredMode());
  EXPECT_EQ(w->GetWidth(), 622);
  EXPECT_EQ(w->GetHeight(), 352);
  const QImage* pixels = Gdiplus::ImagePixels(w->GetLayeredBuffer());
  ASSERT_NE(pixels, nullptr);
  const char* dir = std::getenv("TAVO_RENDER_DIR");
  const std::string path = std::string(dir ? dir : ::testing::TempDir().c_str()) + "/splash.png";
  EXPECT_TRUE(pixels->save(QString::fromStdString(path)));
  // The corners see through; the panel is dark and nearly opaque; the
  // heading is white.
  EXPECT_EQ(qAlpha(pixels->pixel(1, 1)), 0);
  const QRgb panel = pixels->pixel(40, 60);
  EXPECT_GT(qAlpha(panel), 200);
  EXPECT_LT(qRed(panel), 80);
  bool white = false;
  for (int x = 70; x < 400 && !white; ++x)
    for (int y = 130; y < 165 && !white; ++y)
      white = qRed(pixels->pixel(x, y)) > 240 && qBlue(pixels->pixel(x, y)) > 240;
  EXPECT_TRUE(white) << "the program name";
  s->Hide();
  FreeProgramForms();
}

}  // namespace
