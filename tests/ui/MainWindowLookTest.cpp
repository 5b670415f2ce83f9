// The window as it shows: a dark, calm frame, the shown page's key lit in
// its accent, and captions that fit in English and in Chinese. With
// TAVO_SHOT_DIR set the pictures are kept for a look.

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>

#include "MainWindowTestSupport.h"
#include "mainwindow/FMainLook.h"
#include "platform/classlib/Menus.h"

using namespace ui_test;

namespace {

int Luma(QRgb c) {
  return (qRed(c) * 299 + qGreen(c) * 587 + qBlue(c) * 114) / 1000;
}

using Look = ProgramFormsTest;

TEST_F(Look, TheFrameIsDarkAndTheShownPageKeyIsLit) {
  for (const char* language : {"English", "ChineseSimplified"}) {
    SCOPED_TRACE(language);
    Find<TMenuItem>(language)->Click();
    const QImage shot = Grab();
    SaveShot(shot, std::string("main-") + language);
    ASSERT_FALSE(shot.isNull());
    // The client starts below the menu bar.
    const int top = shot.height() - fmMain->GetClientHeight();
    ASSERT_GE(top, 0);
    EXPECT_LT(Luma(shot.pixel(2, top + 700)), 60);
    EXPECT_LT(Luma(shot.pixel(3, top + 2)), 70);

    // Compare the bottom strip of the lit Gain key with that of the Gate key.
    const auto strip = [&](const char* name) {
      auto* key = Find<TControl>(name);
      const TPoint p = key->ClientToScreen(Point(key->GetWidth() / 2, key->GetHeight() - 2));
      const TPoint origin = fmMain->ClientToScreen(Point(0, 0));
      return shot.pixel(p.X - origin.X, p.Y - origin.Y + top);
    };
    const QRgb lit = strip("rzbMenuGain");
    EXPECT_EQ(qRgb(qRed(lit), qGreen(lit), qBlue(lit)),
              qRgb(GetRValue(MainLook::PageAccent), GetGValue(MainLook::PageAccent),
                   GetBValue(MainLook::PageAccent)));
    EXPECT_NE(strip("rzbMenuGate"), lit);
  }
}

}  // namespace
