// One dark console look on the pages: no light field, list or key where the
// house colours belong, and arrows that look as live as they are.

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>

#include "platform/classlib/ComCtrls.h"
#include "response/MyPEQAllpass.h"
#include "tests/ui/StripPagesSupport.h"

namespace {

using namespace strip_test;

int Luma(TColor c) {
  c = ColorToRGB(c);
  return (GetRValue(c) * 299 + GetGValue(c) * 587 + GetBValue(c) * 114) / 1000;
}

int Luma(QRgb c) {
  return (qRed(c) * 299 + qGreen(c) * 587 + qBlue(c) * 114) / 1000;
}

TEST(ConsoleLook, BandTablesAndArrowsWearTheDarkFace) {
  TfmMain* form = MainWindow();
  int tables = 0, arrows = 0;
  for (int i = 0; i < form->GetComponentCount(); ++i) {
    if (auto* table = dynamic_cast<TMyPEQAllpass*>(form->GetComponents(i))) {
      EXPECT_LT(Luma(table->GetEditBackColor()), 60) << table->GetName();
      EXPECT_LT(Luma(table->GetBypassBackColor()), 80) << table->GetName();
      EXPECT_GT(Luma(table->GetEditFontColor()), 160) << table->GetName();
      ++tables;
    } else if (auto* ud = dynamic_cast<TUpDown*>(form->GetComponents(i))) {
      EXPECT_LT(Luma(ud->GetColor()), 60) << ud->GetName();
      ++arrows;
    }
  }
  EXPECT_EQ(tables, 17);
  EXPECT_EQ(arrows, 9);
}

// The brightest pixel of the arrows: an enabled pair stands out from its
// face, a disabled one fades into it.
int Brightest(TControl* c) {
  const QImage shot = Shot(c);
  int most = 0;
  for (int y = 0; y < shot.height(); ++y)
    for (int x = 0; x < shot.width(); ++x) most = std::max(most, Luma(shot.pixel(x, y)));
  return most;
}

TEST(ConsoleLook, MicGainArrowsLookAsLiveAsTheyAre) {
  MainWindow();
  auto* arrows = dynamic_cast<TUpDown*>(Control("udLineInA"));
  ASSERT_NE(arrows, nullptr);
  const bool was = arrows->GetEnabled();
  arrows->SetEnabled(true);
  const int live = Brightest(arrows);
  arrows->SetEnabled(false);
  const int dead = Brightest(arrows);
  arrows->SetEnabled(was);
  EXPECT_GT(live, 160);
  EXPECT_LT(dead, 110);
}

}  // namespace
