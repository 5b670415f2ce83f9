// The fader: value model, geometry of the editor's faders, what a code write
// and what a user's drag, page click, key and wheel fire.

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "controls/AdvTrackBar.h"
#include "tests/platform/classlib/ClassLibTestSupport.h"

using namespace classlib_test;

namespace {

// A fader set up as the editor's are: vertical, 27 x 167, a 16 x 29 thumb,
// a 3-pixel groove, no ticks.
TAdvTrackBar* EditorFader(FormStage& stage, int min, int max, int pos, int page = 6) {
  auto* f = stage.Add<TAdvTrackBar>("fader", 20, 20, 150, 26);
  f->SetOrientation(trVertical);
  f->SetBounds(20, 20, 27, 167);
  f->GetThumb()->SetSize(16);
  f->GetThumb()->SetWidth(29);
  f->GetSlider()->SetSize(3);
  f->GetSlider()->SetBorderColor(clMedGray);
  f->GetTickMark()->SetStyle(tsNone);
  f->SetShowFocus(true);
  f->SetMin(min);
  f->SetMax(max);
  f->SetPosition(pos);
  f->SetPageSize(page);
  f->OnChange = [&stage](TObject* s) {
    stage.log.push_back(std::to_string(static_cast<TAdvTrackBar*>(s)->GetPosition()));
  };
  return f;
}

TEST(TrackBarMapping, PositionAndPixelRoundHalvesToEvenAndNeverDivideByZero) {
  EXPECT_EQ(trackbar::ThumbOffset(132, 0, -280, 120), 92);  // 92.4
  EXPECT_EQ(trackbar::ThumbOffset(5, 1, 0, 2), 2);          // 2.5 -> 2
  EXPECT_EQ(trackbar::ThumbOffset(7, 1, 0, 2), 4);          // 3.5 -> 4
  EXPECT_EQ(trackbar::ThumbOffset(100, 3, 3, 3), 0);        // Max = Min
  // The whole int range: the differences do not fit an int.
  EXPECT_EQ(trackbar::ThumbOffset(100, INT_MAX, INT_MIN, INT_MAX), 100);
  EXPECT_EQ(trackbar::ThumbOffset(100, INT_MIN, INT_MIN, INT_MAX), 0);
  EXPECT_EQ(trackbar::PositionAt(100, 100, INT_MIN, INT_MAX, 0), INT_MAX);
  EXPECT_EQ(trackbar::PositionAt(0, 100, INT_MIN, INT_MAX, 0), INT_MIN);
  struct Case {
    int n, D, min, max, current, expected;
  } cases[] = {
      {66, 132, -280, 120, 0, -80}, {0, 132, -280, 120, 5, -280}, {132, 132, -280, 120, 5, 120},
      {-10, 132, 0, 10, 5, 0},      {500, 132, 0, 10, 5, 10},     {1, 4, 0, 2, 0, 0},  // 0.5 -> 0
      {3, 4, 0, 2, 0, 2},                                                              // 1.5 -> 2
      {10, 0, 0, 10, 7, 7},  // a track no longer than the thumb keeps the position
  };
  for (const Case& c : cases)
    EXPECT_EQ(trackbar::PositionAt(c.n, c.D, c.min, c.max, c.current), c.expected) << c.n << "/" << c.D;
}

TEST(TrackBarGeometry, EditorFaderRectangles) {
  FormStage stage;
  auto* f = EditorFader(stage, 0, 10, 0);
  EXPECT_EQ(f->GetInnerRect(), Rect(3, 3, 24, 164));
  EXPECT_EQ(f->GetTrackRect(), Rect(13, 3, 24, 164));
  EXPECT_EQ(f->GetSliderRect(), Rect(13, 3, 16, 164));
  EXPECT_EQ(f->ThumbRectAt(0), Rect(6, 135, 22, 164));
  EXPECT_EQ(f->ThumbRectAt(10), Rect(6, 3, 22, 32));
  f->SetMin(-280);
  f->SetMax(120);
  EXPECT_EQ(f->ThumbRectAt(0).Bottom, 72);
}

TEST(TrackBarValue, CodeWritesFireOnChangeForEveryDifferingRequest) {
  FormStage stage;
  auto* f = EditorFader(stage, 0, 10, 5);
  stage.log.clear();
  f->SetPosition(5);   // same value: nothing
  f->SetPosition(7);   // a move
  f->SetPosition(10);  // to the end
  f->SetPosition(11);  // clamped to the current value, still fires
  f->SetPosition(-3);  // clamped to Min
  EXPECT_EQ(stage.log, (std::vector<std::string>{"7", "10", "10", "0"}));
  stage.log.clear();
  f->SetPosition(8);
  f->SetMax(6);  // Max below Position drags it along
  f->SetMin(7);  // Min above it asks for 7; with Min > Max the clamp gives Max
  EXPECT_EQ(stage.log, (std::vector<std::string>{"8", "6", "6"}));
  EXPECT_EQ(f->GetPosition(), 6);
  f->SetMin(0);
  f->SetMax(10);
  stage.log.clear();
  f->SetMin(8);  // Min above Position moves it up
  EXPECT_EQ(stage.log, (std::vector<std::string>{"8"}));
}

TEST(TrackBarValue, RuntimeOrientationSwapsWidthAndHeight) {
  FormStage stage;
  auto* f = stage.Add<TAdvTrackBar>("f", 0, 0, 150, 26);
  f->SetOrientation(trVertical);
  EXPECT_EQ(f->GetWidth(), 26);
  EXPECT_EQ(f->GetHeight(), 150);
  EXPECT_EQ(f->GetVersion(), "1.6.3.0");
  f->SetVersion("9");
  EXPECT_EQ(f->GetVersion(), "1.6.3.0");
}

class TrackBarInput : public ::testing::Test {
 protected:
  void Show(TAdvTrackBar* f) {
    ShowAndActivate(stage.form);
    f->SetFocus();
    PumpUntil([f] { return f->Focused(); }, 3000);
    PointerIn(stage.form);
    stage.log.clear();
  }
  FormStage stage;
};

TEST_F(TrackBarInput, KeysStepPageAndJumpAndShiftDoesNothing) {
  auto* f = EditorFader(stage, 0, 100, 50);
  Show(f);
  struct Step {
    int key;
    Qt::KeyboardModifiers mods;
    std::vector<std::string> fired;
  } steps[] = {
      {Qt::Key_Up, Qt::ShiftModifier, {}},
      {Qt::Key_Up, Qt::NoModifier, {"51"}},
      {Qt::Key_Down, Qt::NoModifier, {"50"}},
      {Qt::Key_Right, Qt::NoModifier, {"51"}},
      {Qt::Key_Left, Qt::NoModifier, {"50"}},
      {Qt::Key_PageUp, Qt::NoModifier, {"56"}},
      {Qt::Key_PageDown, Qt::NoModifier, {"50"}},
      {Qt::Key_Home, Qt::NoModifier, {"100"}},  // vertical: Home is Max
      {Qt::Key_Home, Qt::NoModifier, {}},
      {Qt::Key_Up, Qt::NoModifier, {}},           // at Max: nothing
      {Qt::Key_PageUp, Qt::NoModifier, {"100"}},  // asks beyond Max: clamps and fires
      {Qt::Key_End, Qt::NoModifier, {"0"}},
  };
  for (const Step& s : steps) {
    stage.log.clear();
    Key(f, s.key, QString(), s.mods);
    EXPECT_EQ(stage.log, s.fired) << s.key;
  }
}

TEST_F(TrackBarInput, PagesAndButtonStepsAtTheEndsOfTheIntRangeClamp) {
  auto* f = EditorFader(stage, 0, 100, 50);
  f->SetMax(INT_MAX);
  f->SetMin(INT_MIN);
  f->SetPageSize(INT_MAX);
  f->GetButtons()->SetStep(INT_MAX);
  Show(f);
  f->SetPosition(INT_MAX - 1);
  Key(f, Qt::Key_PageUp, QString(), Qt::NoModifier);
  EXPECT_EQ(f->GetPosition(), INT_MAX);
  f->SetPosition(INT_MIN + 1);
  Key(f, Qt::Key_PageDown, QString(), Qt::NoModifier);
  EXPECT_EQ(f->GetPosition(), INT_MIN);
  EXPECT_EQ(trackbar::StepFrom(INT_MAX - 1, INT_MAX), INT_MAX);
  EXPECT_EQ(trackbar::StepFrom(INT_MIN + 1, -static_cast<long long>(INT_MIN)), 1);
  EXPECT_EQ(trackbar::StepFrom(INT_MIN + 1, static_cast<long long>(INT_MIN)), INT_MIN);
}

TEST_F(TrackBarInput, WheelStepsByOneAndStopsAtTheEnds) {
  auto* f = EditorFader(stage, 0, 10, 9);
  Show(f);
  Wheel(f, 10, 50, 120);
  Wheel(f, 10, 50, 120);  // at Max: nothing
  Wheel(f, 10, 50, -120);
  EXPECT_EQ(stage.log, (std::vector<std::string>{"10", "9"}));
}

TEST_F(TrackBarInput, DragKeepsTheGrabPointUnderThePointer) {
  auto* f = EditorFader(stage, 0, 132, 0);  // one position per pixel
  Show(f);
  const TRect t = f->ThumbRectAt(0);
  const int x = (t.Left + t.Right) / 2, y = (t.Top + t.Bottom) / 2;
  Press(f, x, y);
  EXPECT_TRUE(f->GetThumbDown());
  Move(f, x, y - 10, Qt::LeftButton);
  Move(f, x, y - 10, Qt::LeftButton);  // no change, no event
  Move(f, x, y - 40, Qt::LeftButton);
  Move(f, x, y + 500, Qt::LeftButton);  // beyond the end: clamps
  Release(f, x, y + 500);
  EXPECT_EQ(stage.log, (std::vector<std::string>{"10", "40", "0"}));
  EXPECT_FALSE(f->GetSliding());
  EXPECT_FALSE(f->GetThumbDown());
}

TEST_F(TrackBarInput, PageClickStepsAtOnceThenRepeatsWhileHeld) {
  auto* f = EditorFader(stage, 0, 100, 10, 6);
  Show(f);
  Press(f, 18, 10);  // above the thumb
  EXPECT_EQ(stage.log, (std::vector<std::string>{"16"}));
  ASSERT_TRUE(PumpUntil([&] { return stage.log.size() >= 3; }, 5000));
  Release(f, 18, 10);
  const size_t held = stage.log.size();
  EXPECT_EQ(stage.log[1], "22");
  EXPECT_EQ(stage.log[2], "28");
  EXPECT_TRUE(WaitOutTimersDueWithin(250));
  EXPECT_EQ(stage.log.size(), held);  // released: the repeat stops
  stage.log.clear();
  Press(f, 18, 160);  // below the thumb
  Release(f, 18, 160);
  EXPECT_EQ(stage.log.size(), 1u);
  EXPECT_EQ(f->GetPosition(), std::stoi(held > 0 ? stage.log[0] : "0"));
}

TEST_F(TrackBarInput, MoveOnClickPutsTheThumbsTopAtThePointer) {
  auto* f = EditorFader(stage, 0, 132, 0);
  f->SetMoveOnClick(mcMove);
  Show(f);
  // n = R.Bottom - W - Y = 164 - 29 - 35 = 100
  Press(f, 18, 35);
  Release(f, 18, 35);
  EXPECT_EQ(stage.log, (std::vector<std::string>{"100"}));
}

TEST_F(TrackBarInput, ThumbIsHotUnderThePointerAndColdWhenItLeaves) {
  auto* f = EditorFader(stage, 0, 10, 0);
  Show(f);
  const TRect t = f->ThumbRectAt(0);
  Move(f, t.Left + 3, t.Top + 3);
  EXPECT_TRUE(f->GetThumbHot());
  Move(f, t.Left + 3, 5);
  EXPECT_FALSE(f->GetThumbHot());
  Move(f, t.Left + 3, t.Top + 3);
  Move(stage.form, 300, 250);
  EXPECT_FALSE(f->GetThumbHot());
}

TEST_F(TrackBarInput, MinMaxButtonsStepOnReleaseAndLeavingCancelsThem) {
  auto* f = stage.Add<TAdvTrackBar>("f", 20, 20, 200, 40);
  f->GetButtons()->SetVisible(true);
  f->GetButtons()->SetStep(5);
  f->SetMax(100);
  f->SetPosition(97);
  f->OnChange = [this](TObject*) { stage.log.push_back("change"); };
  Show(f);
  const TRect maxButton = f->GetMaxButtonRect();
  const int x = maxButton.Left + 3, y = (maxButton.Top + maxButton.Bottom) / 2;
  Move(f, x, y);
  Press(f, x, y);
  Release(f, x, y);
  EXPECT_EQ(f->GetPosition(), 100);
  EXPECT_EQ(stage.log.size(), 1u);
  Press(f, x, y);
  Release(f, x, y);
  EXPECT_EQ(stage.log.size(), 1u);  // at Max a click does nothing
  const TRect minButton = f->GetMinButtonRect();
  Move(f, minButton.Left + 3, y);
  Press(f, minButton.Left + 3, y);
  EXPECT_TRUE(f->GetMinButtonDown());
  Move(stage.form, 380, 280, Qt::LeftButton);
  Move(stage.form, 380, 280, Qt::LeftButton);
  EXPECT_FALSE(f->GetMinButtonDown());
  Release(f, minButton.Left + 3, y);
  EXPECT_EQ(f->GetPosition(), 100);
}

TEST(TrackBarParts, AppearanceObjectsHoldTheirDefaultsAndReportChanges) {
  FormStage stage;
  auto* f = stage.Add<TAdvTrackBar>("f", 0, 0, 150, 26);
  TTrackBarThumb* thumb = f->GetThumb();
  EXPECT_EQ(thumb->GetSize(), 15);
  EXPECT_EQ(thumb->GetWidth(), 10);
  EXPECT_EQ(thumb->GetShape(), tsPointer);
  EXPECT_EQ(f->GetSlider()->GetSize(), 2);
  EXPECT_EQ(f->GetSlider()->GetOffset(), 10);
  EXPECT_EQ(f->GetTickMark()->GetSpacing(), 8);
  EXPECT_EQ(f->GetButtons()->GetInitRepeatPause(), 400);
  EXPECT_EQ(f->GetTrackLabel()->GetFormat(), "Pos: %d");
  int changes = 0;
  f->GetTrackLabel()->OnChange = [&](TObject*) { ++changes; };
  f->GetTrackLabel()->SetFormat("Pos: %d");
  EXPECT_EQ(changes, 0);
  f->GetTrackLabel()->SetFormat("%d dB");
  EXPECT_EQ(changes, 1);
  thumb->OnChange = [&](TObject*) { ++changes; };
  thumb->SetColorMirrorHot(1);  // stored without a notice
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(thumb->GetColorMirrorHot(), 1);

  // Assigning a slider copies colours but not the direction.
  auto* g = stage.Add<TAdvTrackBar>("g", 0, 40, 150, 26);
  g->GetSlider()->SetColor(clRed);
  g->GetSlider()->SetDirection(gdVertical);
  f->SetSlider(g->GetSlider());
  EXPECT_EQ(f->GetSlider()->GetColor(), clRed);
  EXPECT_EQ(f->GetSlider()->GetDirection(), gdHorizontal);
}

TEST(TrackBarParts, ComponentStylesSetColoursAndClearPictures) {
  FormStage stage;
  auto* f = stage.Add<TAdvTrackBar>("f", 0, 0, 150, 26);
  f->GetThumb()->SetShape(tsRound);
  f->GetSlider()->SetOffset(3);
  const TColor before = f->GetThumb()->GetColor();
  f->SetComponentStyle(ksCustom);
  EXPECT_EQ(f->GetThumb()->GetShape(), tsPointer);
  EXPECT_EQ(f->GetSlider()->GetOffset(), 10);
  EXPECT_EQ(f->GetThumb()->GetColor(), before);
  f->SetComponentStyle(ksOffice2010Black);
  EXPECT_EQ(f->GetThumb()->GetColor(), 13224393);
  EXPECT_EQ(f->GetThumb()->GetColorMirror(), clNone);
  EXPECT_EQ(f->GetButtons()->GetColorMirror(), 8421504);
  EXPECT_EQ(f->GetThumb()->GetColorHot(), 14678013);
  EXPECT_EQ(f->GetTickMark()->GetColor(), f->GetSlider()->GetBorderColor());
  EXPECT_EQ(f->GetSlider()->GetBorderColor(), 2500134);
}

TEST(TrackBarLabel, FormatsThePosition) {
  FormStage stage;
  auto* f = stage.Add<TAdvTrackBar>("f", 0, 0, 150, 26);
  f->SetMin(-100);
  f->SetPosition(-32);
  f->GetTrackLabel()->SetVisible(true);
  TRect r;
  f->GetTrackLabelRect(true, r);
  EXPECT_LT(r.Left, r.Right);
  std::string seen;
  f->OnGetTrackLabelText = [&](TObject*, int pos, std::string& text) {
    seen = text + "|" + std::to_string(pos);
  };
  f->GetTrackLabelRect(true, r);
  EXPECT_EQ(seen, "Pos: -32|-32");
}

TEST(TrackBarLabel, FormatTakesOnlyOneIntegerAndLeavesOtherConversionsAsWritten) {
  FormStage stage;
  auto* f = stage.Add<TAdvTrackBar>("f", 0, 0, 150, 26);
  f->SetPosition(7);
  f->GetTrackLabel()->SetVisible(true);
  std::string text;
  f->OnGetTrackLabelText = [&](TObject*, int, std::string& t) { text = t; };
  const struct {
    const char* format;
    const char* text;
  } cases[] = {
      {"%s dB", "%s dB"},        {"%d %d %n", "7 %d %n"},      {"%03d%%", "007%"}, {"%-4d|", "7   |"},
      {"%f and %i", "%f and 7"}, {"trailing %", "trailing %"}, {"%.*d", "%.*d"},   {"no value", "no value"},
  };
  for (const auto& c : cases) {
    f->GetTrackLabel()->SetFormat(c.format);
    TRect r;
    f->GetTrackLabelRect(true, r);
    EXPECT_EQ(text, c.text) << c.format;
  }
}

}  // namespace

namespace {

TEST_F(TrackBarInput, EmptyRangeKeepsTheThumbAtTheBottomAndPageClicksStillFire) {
  auto* f = EditorFader(stage, 5, 5, 5);
  Show(f);
  EXPECT_EQ(f->ThumbRectAt(5).Bottom, f->GetTrackRect().Bottom);
  Press(f, 18, 10);
  Release(f, 18, 10);
  EXPECT_EQ(stage.log, (std::vector<std::string>{"5"}));  // asks 5 + 6, clamps back, fires
  stage.log.clear();
  const TRect t = f->ThumbRectAt(5);
  Press(f, 18, t.Top + 5);
  Move(f, 18, 20, Qt::LeftButton);  // a drag on an empty range stays put
  Release(f, 18, 20);
  EXPECT_TRUE(stage.log.empty());
}

TEST(TrackHint, StaysTwoPixelsInsideTheScreensRightAndBottomEdges) {
  App();
  TTrackHintWindow hint;
  ASSERT_NE(Screen, nullptr);
  hint.ActivateHint(TPoint{Screen->GetWidth() - 5, Screen->GetHeight() - 3}, "-12");
  EXPECT_EQ(hint.GetBoundsRect().Right, Screen->GetWidth() - 2);
  EXPECT_EQ(hint.GetBoundsRect().Bottom, Screen->GetHeight() - 2);
  EXPECT_TRUE(hint.GetShowing());
  hint.Hide();
  EXPECT_FALSE(hint.GetShowing());
}

}  // namespace
