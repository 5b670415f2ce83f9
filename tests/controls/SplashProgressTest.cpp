// The splash progress bar: the appearance's defaults, change notices and
// copying, its inside, progress and value-text geometry, the control's
// clamping, its driven animation and glow, the named looks, and renders of
// the bar in a few looks.

#include <gtest/gtest.h>

#include <QImage>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "controls/AdvSmoothSplashScreenProgress.h"
#include "platform/classlib/ExtCtrls.h"
#include "tests/platform/classlib/ClassLibTestSupport.h"

using namespace classlib_test;

namespace {

void ExpectRect(const TGPRectF& got, float x, float y, float w, float h, const std::string& what) {
  EXPECT_FLOAT_EQ(got.X, x) << what;
  EXPECT_FLOAT_EQ(got.Y, y) << what;
  EXPECT_FLOAT_EQ(got.Width, w) << what;
  EXPECT_FLOAT_EQ(got.Height, h) << what;
}

TEST(SplashProgressAppearance, DefaultsNoticesAndAssign) {
  App();
  TGDIPSplashProgress a;
  EXPECT_EQ(a.GetValueFormat(), "%.0f%%");
  EXPECT_EQ(a.GetValueType(), vtAbsolute);
  EXPECT_EQ(a.GetValuePosition(), vpCenter);
  EXPECT_FALSE(a.GetValueVisible());
  EXPECT_FALSE(a.GetVisible());
  EXPECT_EQ(a.GetLeft(), 50);
  EXPECT_EQ(a.GetTop(), 100);
  EXPECT_EQ(a.GetWidth(), 300);
  EXPECT_EQ(a.GetHeight(), 17);
  EXPECT_EQ(a.GetStep(), 10.0);
  EXPECT_EQ(a.GetMaximum(), 100.0);
  EXPECT_EQ(a.GetBackGroundFill()->GetColor(), clSilver);

  int notices = 0;
  a.OnChange = [&](TObject* sender) {
    EXPECT_EQ(sender, &a);
    ++notices;
  };
  struct Case {
    const char* what;
    std::function<void()> change;
    int notices;
  } cases[] = {
      {"a new position", [&] { a.SetPosition(40); }, 1},
      {"the same position", [&] { a.SetPosition(40); }, 0},
      {"visible, unchanged", [&] { a.SetVisible(false); }, 1},
      {"step", [&] { a.SetStep(5); }, 0},
      {"the same format", [&] { a.SetValueFormat("%.0f%%"); }, 0},
      {"a new format", [&] { a.SetValueFormat("%.1f"); }, 1},
      {"inside a fill", [&] { a.GetProgressFill()->SetColor(clRed); }, 1},
      {"inside a font", [&] { a.GetProgressFont()->SetColor(clRed); }, 1},
      {"a fill copied in", [&] {
         TGDIPFill f;
         f.SetColor(clBlue);
         a.SetBackGroundFill(&f);
       }, 1},
      {"its own fill", [&] { a.SetBackGroundFill(a.GetBackGroundFill()); }, 0},
  };
  for (const Case& c : cases) {
    notices = 0;
    c.change();
    EXPECT_EQ(notices, c.notices) << c.what;
  }
  EXPECT_EQ(a.GetStep(), 5.0);
  EXPECT_EQ(a.GetBackGroundFill()->GetColor(), clBlue);

  // Assign copies everything but the progress font, with one notice.
  TGDIPSplashProgress b;
  b.GetFont()->SetSize(14);
  b.GetProgressFont()->SetSize(20);
  b.SetLeft(160);
  b.SetTop(220);
  b.SetValueType(vtPercentage);
  b.SetGlowAnimation(true);
  b.SetVisible(true);
  b.SetMinimum(5);
  notices = 0;
  a.Assign(&b);
  EXPECT_EQ(notices, 1);
  EXPECT_EQ(a.GetLeft(), 160);
  EXPECT_EQ(a.GetTop(), 220);
  EXPECT_EQ(a.GetValueType(), vtPercentage);
  EXPECT_TRUE(a.GetGlowAnimation());
  EXPECT_TRUE(a.GetVisible());
  EXPECT_EQ(a.GetMinimum(), 5.0);
  EXPECT_EQ(a.GetFont()->GetSize(), 14);
  EXPECT_NE(a.GetProgressFont()->GetSize(), 20);
  EXPECT_EQ(a.GetBackGroundFill()->GetColor(), clSilver);
  notices = 0;
  a.Assign(nullptr);
  EXPECT_EQ(notices, 0);
}

TEST(SplashProgressGeometry, InsideAndProgressRectangles) {
  App();
  const TRect r(0, 0, 100, 20);
  struct Case {
    const char* what;
    TColor backBorder;
    int backWidth;
    TColor progressBorder;
    int progressWidth;
    double min, max, pos;
    TGPRectF inside, progress;
  } cases[] = {
      {"no borders, half", clNone, 1, clNone, 1, 0, 100, 50, {0, 0, 99, 19}, {0, 0, 49.5f, 19}},
      {"background border 1", clGray, 1, clNone, 1, 0, 100, 100, {1, 1, 97, 17}, {1, 1, 97, 17}},
      {"background border 4", clGray, 4, clNone, 1, 0, 100, 100, {2, 2, 95, 15}, {2, 2, 95, 15}},
      {"background border 3", clGray, 3, clNone, 1, 0, 100, 0, {2, 2, 95, 15}, {2, 2, 0, 15}},
      {"progress border 2", clNone, 1, clBlack, 2, 0, 100, 100, {0, 0, 99, 19}, {1, 1, 97, 17}},
      {"progress border width 0", clNone, 1, clBlack, 0, 0, 100, 100, {0, 0, 99, 19}, {0, 0, 99, 19}},
      {"an empty range", clNone, 1, clNone, 1, 40, 40, 40, {0, 0, 99, 19}, {0, 0, 0, 19}},
      {"below the range", clNone, 1, clNone, 1, 10, 20, 0, {0, 0, 99, 19}, {0, 0, 0, 19}},
      {"above the range", clNone, 1, clNone, 1, 0, 10, 20, {0, 0, 99, 19}, {0, 0, 99, 19}},
  };
  for (const Case& c : cases) {
    TGDIPSplashProgress a;
    a.GetBackGroundFill()->SetBorderColor(c.backBorder);
    a.GetBackGroundFill()->SetBorderWidth(c.backWidth);
    a.GetProgressFill()->SetBorderColor(c.progressBorder);
    a.GetProgressFill()->SetBorderWidth(c.progressWidth);
    ExpectRect(a.GetInsideRectF(r), c.inside.X, c.inside.Y, c.inside.Width, c.inside.Height, c.what);
    ExpectRect(a.CalculateProgressRectangle(r, c.min, c.max, c.pos), c.progress.X, c.progress.Y,
               c.progress.Width, c.progress.Height, c.what);
  }
}

TEST(SplashProgressGeometry, ValueTextPlaceFontAndFormat) {
  App();
  QImage img(300, 60, QImage::Format_ARGB32_Premultiplied);
  TGPGraphics g(&img);
  TGDIPSplashProgress a;
  a.GetFont()->SetName("Tahoma");
  a.GetFont()->SetSize(8);
  a.SetValueType(vtPercentage);
  const TRect r(10, 5, 210, 25);  // inside (10, 5, 199, 19)
  const float tw = static_cast<float>(TextWidth(&g, "50%", *a.GetFont()));
  const float th = static_cast<float>(TextHeight(&g, "50%", *a.GetFont()));
  const float filled = 0.5f * 199;  // the progress rectangle's width at 50 %
  struct Case {
    TGDIPProgressValuePosition position;
    float x;
  } cases[] = {
      {vpProgressCenter, 10 + (filled - tw) / 2},
      {vpProgressRight, 10 + filled - tw},
      {vpCenter, 10 + (199 - tw) / 2},
      {vpLeft, 10},
      {vpRight, 10 + 199 - tw},
      {vpCustom, 10 + 7},
  };
  a.SetValuePositionLeft(7);
  a.SetValuePositionTop(3);
  for (const Case& c : cases) {
    a.SetValuePosition(c.position);
    const TSplashValueText t = a.GetValueText(&g, r, 0, 100, 50);
    EXPECT_EQ(t.Text, "50%");
    EXPECT_FLOAT_EQ(t.X, c.x) << c.position;
    EXPECT_FLOAT_EQ(t.Y, c.position == vpCustom ? 3.0f : (19 - th) / 2) << c.position;
  }
  // Too little fill for the text: it stays at the left.
  a.SetValuePosition(vpProgressCenter);
  EXPECT_FLOAT_EQ(a.GetValueText(&g, r, 0, 100, 2).X, 10);
  // The progress font once the fill passes the text's middle.
  a.SetValuePosition(vpCenter);
  EXPECT_FALSE(a.GetValueText(&g, r, 0, 100, 30).InProgressFont);
  EXPECT_TRUE(a.GetValueText(&g, r, 0, 100, 70).InProgressFont);
  // Texts: a percentage of the range (clamped), the maximum for an empty
  // range, the position itself for absolute values.
  struct Text {
    TGDIPProgressValueType type;
    double min, max, pos;
    const char* text;
  } texts[] = {{vtPercentage, 0, 200, 50, "25%"},  {vtPercentage, 0, 100, 150, "100%"},
               {vtPercentage, 40, 40, 40, "40%"},  {vtAbsolute, 0, 100, 37.4, "37%"},
               {vtAbsolute, 0, 100, -5, "0%"}};
  for (const Text& t : texts) {
    a.SetValueType(t.type);
    EXPECT_EQ(a.GetValueText(&g, r, t.min, t.max, t.pos).Text, t.text) << t.text;
  }
}

TEST(SplashProgressBar, ClampingAndStepping) {
  FormStage stage;
  auto* bar = stage.Add<TAdvSplashProgressBar>(10, 10, 150, 17);
  std::vector<double> changes;
  bar->OnPositionChanged = [&](TObject* sender, double v) {
    EXPECT_EQ(sender, bar);
    changes.push_back(v);
  };
  struct Case {
    const char* what;
    std::function<void()> op;
    double position;
  } cases[] = {
      {"below the minimum", [&] { bar->SetPosition(-5); }, 0},
      {"above the maximum", [&] { bar->SetPosition(500); }, 100},
      {"a lower maximum pulls it down", [&] { bar->SetMaximum(60); }, 60},
      {"previous", [&] { bar->Previous(); }, 50},
      {"previous by 15", [&] { bar->Previous(15); }, 35},
      {"next", [&] { bar->Next(); }, 45},
      {"next by 100", [&] { bar->Next(100); }, 60},
      {"a higher minimum pulls it up", [&] {
         bar->SetMaximum(100);
         bar->SetPosition(20);
         bar->SetMinimum(30);
       }, 30},
      {"to the start", [&] { bar->GoToStart(); }, 30},
      {"to the end", [&] { bar->GoToEnd(); }, 100},
      {"to a value", [&] { bar->GoToValue(64.5); }, 64.5},
  };
  for (const Case& c : cases) {
    c.op();
    EXPECT_EQ(bar->GetPosition(), c.position) << c.what;
  }
  EXPECT_EQ(changes.front(), 0);
  EXPECT_EQ(changes.back(), 64.5);
  EXPECT_EQ(bar->GetWidth(), 150);
  EXPECT_EQ(bar->GetHeight(), 17);
  EXPECT_EQ(bar->GetAnimationTimer()->GetInterval(), 10u);
}

TEST(SplashProgressBar, TheAppearanceDrivesTheControl) {
  FormStage stage;
  auto* bar = stage.Add<TAdvSplashProgressBar>(0, 0, 150, 17);
  TGDIPSplashProgress a;
  a.SetLeft(160);
  a.SetTop(220);
  a.SetWidth(300);
  a.SetHeight(12);
  a.SetVisible(true);
  a.SetMinimum(10);
  a.SetMaximum(50);
  a.SetPosition(80);
  a.SetStep(4);
  bar->SetAppearance(&a);
  EXPECT_EQ(bar->GetLeft(), 160);
  EXPECT_EQ(bar->GetTop(), 220);
  EXPECT_EQ(bar->GetWidth(), 300);
  EXPECT_EQ(bar->GetHeight(), 12);
  EXPECT_TRUE(bar->GetVisible());
  EXPECT_EQ(bar->GetMinimum(), 10);
  EXPECT_EQ(bar->GetMaximum(), 50);
  EXPECT_EQ(bar->GetPosition(), 50);  // clamped
  EXPECT_EQ(bar->GetStep(), 4);
  // A change inside the appearance reaches the control.
  bar->GetAppearance()->SetPosition(20);
  EXPECT_EQ(bar->GetPosition(), 20);
  // Assign between controls copies values as they are.
  auto* other = stage.Add<TAdvSplashProgressBar>(0, 40, 150, 17);
  other->Assign(bar);
  EXPECT_EQ(other->GetPosition(), 20);
  EXPECT_EQ(other->GetMaximum(), 50);
  EXPECT_EQ(other->GetAppearance()->GetLeft(), 160);
}

TEST(SplashProgressBar, ProgressAnimationOnDrivenTicks) {
  FormStage stage;
  auto* bar = stage.Add<TAdvSplashProgressBar>(10, 10, 150, 17);
  bar->GetAnimationTimer()->SetEnabled(false);  // the test beats the time
  bar->SetProgressAnimation(true);
  int changes = 0;
  bar->OnPositionChanged = [&](TObject*, double) { ++changes; };
  bar->SetPosition(100);
  EXPECT_EQ(changes, 0);  // the next beat takes over
  EXPECT_TRUE(bar->AnimationInProgress());
  bar->AnimationTick();
  EXPECT_DOUBLE_EQ(bar->GetPosition(), 100.0 / 15);
  EXPECT_EQ(changes, 1);
  int ticks = 1;
  while (bar->GetPosition() != 100 && ticks < 5000) {
    bar->AnimationTick();
    ++ticks;
  }
  EXPECT_EQ(bar->GetPosition(), 100);
  EXPECT_FALSE(bar->AnimationInProgress());
  EXPECT_LT(ticks, 5000);
  // At rest a beat says nothing.
  const int before = changes;
  bar->AnimationTick();
  EXPECT_EQ(changes, before);
  // Switching the animation off applies the position at once.
  bar->SetPosition(40);
  bar->SetProgressAnimation(false);
  EXPECT_EQ(bar->GetPosition(), 40);
  EXPECT_FALSE(bar->AnimationInProgress());
}

TEST(SplashProgressBar, GlowWaitsThenSweepsTheFilledPart) {
  FormStage stage;
  auto* bar = stage.Add<TAdvSplashProgressBar>(10, 10, 150, 17);
  bar->GetAnimationTimer()->SetEnabled(false);
  stage.form->Show();
  bar->SetPosition(50);
  bar->SetGlowAnimation(true);
  bar->Repaint();
  DrainEvents();
  bar->AnimationTick();
  EXPECT_EQ(bar->GetGlowPosition(), -37);
  EXPECT_EQ(bar->GetGlowCounter(), 3010);
  // The sweep runs past the filled part (about 74 pixels), then the glow
  // waits 150 beats at -60 before it moves again.
  int ticks = 0;
  while (bar->GetGlowCounter() != 0 && ticks < 1000) {
    bar->AnimationTick();
    ++ticks;
  }
  EXPECT_EQ(bar->GetGlowPosition(), -60);
  for (int i = 0; i < 150; ++i) bar->AnimationTick();
  EXPECT_EQ(bar->GetGlowPosition(), -60);
  bar->AnimationTick();
  EXPECT_EQ(bar->GetGlowPosition(), -57);
  // No glow at the minimum.
  bar->SetPosition(0);
  bar->AnimationTick();
  EXPECT_EQ(bar->GetGlowPosition(), -57);
}

TEST(SplashProgressBar, NamedLooks) {
  FormStage stage;
  auto* bar = stage.Add<TAdvSplashProgressBar>(10, 10, 150, 17);
  struct Case {
    TKYTStyle style;
    TColor back, backTo, backBorder, fill, fillTo, mirror, mirrorTo, fillBorder;
  } cases[] = {
      {ksOffice2003Blue, 0xFFD2AF, 0xFFD2AF, 0xC0C0C0, 0xFCE1CB, 0xE0A57D, clNone, clNone, 0x962D00},
      {ksOffice2007Luna, 0xFFD2AF, 0xFFD2AF, 0xC0C0C0, 0xFFEFE3, 0xFFDDC4, 0xFFD1AD, 0xFFDBC0, 0xFFD1AD},
      {ksWindowsXP, 0xB6B6B6, 0xB6B6B6, 0xC0C0C0, 0xFFFFFF, clBtnFace, clNone, clNone, 0x000000},
      {ksTerminal, clBtnFace, clBtnFace, 0x808080, 0xFFFFFF, 0xFFFFFF, clNone, clNone, 0x808080},
  };
  for (const Case& c : cases) {
    bar->SetComponentStyle(c.style);
    const TGDIPFill* b = bar->GetAppearance()->GetBackGroundFill();
    const TGDIPFill* f = bar->GetAppearance()->GetProgressFill();
    EXPECT_EQ(b->GetColor(), c.back) << c.style;
    EXPECT_EQ(b->GetColorTo(), c.backTo) << c.style;
    EXPECT_EQ(b->GetBorderColor(), c.backBorder) << c.style;
    EXPECT_EQ(f->GetColor(), c.fill) << c.style;
    EXPECT_EQ(f->GetColorTo(), c.fillTo) << c.style;
    EXPECT_EQ(f->GetColorMirror(), c.mirror) << c.style;
    EXPECT_EQ(f->GetColorMirrorTo(), c.mirrorTo) << c.style;
    EXPECT_EQ(f->GetBorderColor(), c.fillBorder) << c.style;
    EXPECT_EQ(f->GetGradientMirrorType(), gtVertical) << c.style;
  }
  // Every other look: a light background with a grey border, and a fill
  // from a lighter to a darker tone; the custom look changes nothing.
  auto light = [](TColor c) { return GetRValue(c) + GetGValue(c) + GetBValue(c); };
  for (TKYTStyle s : {ksOffice2003Silver, ksOffice2003Olive, ksOffice2003Classic, ksOffice2007Obsidian, ksWhidbey,
                      ksOffice2007Silver, ksWindowsVista, ksWindows7, ksOffice2010Blue, ksOffice2010Silver,
                      ksOffice2010Black}) {
    bar->SetComponentStyle(s);
    const TGDIPFill* b = bar->GetAppearance()->GetBackGroundFill();
    const TGDIPFill* f = bar->GetAppearance()->GetProgressFill();
    EXPECT_EQ(b->GetBorderColor(), 0xC0C0C0) << s;
    EXPECT_GE(light(b->GetColor()), 3 * 0xC0) << s;
    EXPECT_GT(light(f->GetColor()), light(f->GetColorTo())) << s;
    EXPECT_NE(f->GetBorderColor(), clNone) << s;
  }
  bar->GetAppearance()->GetProgressFill()->SetColor(clRed);
  bar->SetComponentStyle(ksCustom);
  EXPECT_EQ(bar->GetAppearance()->GetProgressFill()->GetColor(), clRed);
}

// The bar in a few looks at 0, 50 and 100 %: written to TAVO_RENDER_DIR
// when set, else to the test's temporary folder.
TEST(SplashProgressRender, LooksAtZeroHalfAndFull) {
  App();
  struct Look {
    const char* name;
    std::function<void(TGDIPSplashProgress&)> set;
  } looks[] = {
      {"splash",
       [](TGDIPSplashProgress& a) {
         // As the main window's splash sets it.
         a.GetBackGroundFill()->SetColor(clNone);
         a.GetBackGroundFill()->SetColorMirror(clNone);
         a.GetBackGroundFill()->SetColorMirrorTo(clNone);
         a.GetBackGroundFill()->SetBorderColor(clGray);
         a.GetProgressFill()->SetColor(clWhite);
         a.GetProgressFill()->SetColorTo(0xFFCC99);
       }},
      {"console",
       [](TGDIPSplashProgress& a) {
         a.GetBackGroundFill()->SetColor(RGB(0x2A, 0x30, 0x38));
         a.GetBackGroundFill()->SetColorTo(RGB(0x1E, 0x22, 0x28));
         a.GetBackGroundFill()->SetBorderColor(RGB(0x50, 0x58, 0x62));
         a.GetProgressFill()->SetColor(RGB(0x7F, 0xC8, 0xF8));
         a.GetProgressFill()->SetColorTo(RGB(0x3D, 0x9C, 0xE8));
         a.GetFont()->SetColor(RGB(0xE6, 0xE9, 0xED));
         a.GetProgressFont()->SetColor(RGB(0x10, 0x12, 0x16));
         a.SetValueType(vtPercentage);
         a.SetValueVisible(true);
       }},
      {"office2003blue", nullptr},
      {"windows7", nullptr},
  };
  QImage img(3 * 220 + 20, 4 * 40 + 20, QImage::Format_ARGB32_Premultiplied);
  img.fill(qRgb(0x1E, 0x22, 0x28));
  TGPGraphics g(&img);
  g.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  FormStage stage;
  auto* bar = stage.Add<TAdvSplashProgressBar>(0, 0, 200, 20);
  for (int row = 0; row < 4; ++row) {
    TGDIPSplashProgress& a = *bar->GetAppearance();
    TGDIPSplashProgress fresh;
    a.Assign(&fresh);
    a.GetProgressFont()->Assign(fresh.GetProgressFont());
    if (looks[row].set) {
      looks[row].set(a);
    } else {
      bar->SetComponentStyle(row == 2 ? ksOffice2003Blue : ksWindows7);
      a.SetValueType(vtPercentage);
      a.SetValueVisible(true);
    }
    for (int col = 0; col < 3; ++col) {
      const TRect r(10 + col * 220, 10 + row * 40, 10 + col * 220 + 200, 10 + row * 40 + 22);
      a.Draw(&g, r, 0, 100, col * 50);
    }
  }
  const char* dir = std::getenv("TAVO_RENDER_DIR");
  const std::string path = std::string(dir ? dir : ::testing::TempDir().c_str()) + "/splash-progress.png";
  EXPECT_TRUE(img.save(QString::fromStdString(path)));
  // The splash look: the trough shows the form through it at 0 %, the
  // full bar a light blue fill.
  const QRgb empty = img.pixel(10 + 100, 10 + 14);
  const QRgb full = img.pixel(10 + 440 + 100, 10 + 14);
  EXPECT_LT(qBlue(empty), 0x80);
  EXPECT_GT(qBlue(full), 0xC0);
  EXPECT_GT(qRed(full), 0x80);
}

}  // namespace
