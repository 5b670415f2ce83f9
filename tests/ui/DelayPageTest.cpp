// The Delay page's handlers on the program's own window: a fader move stores
// and sends the delay and redraws its row; the unit buttons rewrite every
// row and send the unit once; typed delays in ms, m and ft, with refused and
// unchanged texts; and dragging a marker along its line.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "controls/AdvTrackBar.h"
#include "controls/CurvyControls.h"
#include "link/LCmd.h"
#include "mainwindow/FMain.h"
#include "model/LUnitControl.h"
#include "platform/classlib/Controls.h"
#include "platform/classlib/ExtCtrlsControls.h"
#include "platform/classlib/Graphics.h"
#include "platform/classlib/Keys.h"
#include "platform/classlib/RzControls.h"
#include "platform/classlib/StdCtrls.h"
#include "tests/ui/ParameterPagesTestSupport.h"

namespace {

using namespace parameter_pages_test;

constexpr std::uint8_t DelayCode = CommandCode("CM_MCS_DELAY");
constexpr std::uint8_t DelayUnitCode = CommandCode("CM_MCS_DELAYUNIT");

class DelayPage : public RecordingSuite {
 protected:
  void SetUp() override {
    RecordingSuite::SetUp();
    // Every row back at 0 ms, without sending.
    fmMain->SetRefreshing(true);
    for (int channel = 0; channel < 16; ++channel) Fader(channel)->SetPosition(0);
    fmMain->SetRefreshing(false);
    Sent.clear();
  }

  static TAdvTrackBar* Fader(int channel) { return Get<TAdvTrackBar>("isDelay" + Suffix(channel)); }
  static TCurvyEdit* Box(int channel) { return Get<TCurvyEdit>("cvdDelay" + Suffix(channel)); }
  static TControl* Marker(int channel) { return Get<TControl>("imDelay" + Suffix(channel)); }
  static TControl* Line(int channel) { return Get<TControl>("lbDelayLine" + Suffix(channel)); }
  static TControl* Time(int channel) { return Get<TControl>("lbFftDelayTime" + Suffix(channel)); }

  // The unit as the model holds it, set without sending.
  static void UseUnit(int unit) {
    fmMain->SetRefreshing(true);
    Model()->SetDelayUnit(static_cast<std::uint16_t>(unit));
    fmMain->SetRefreshing(false);
  }
};

TEST_F(DelayPage, FaderMoveSendsItsDelayAndRedrawsItsRow) {
  ASSERT_EQ(Line(0)->GetWidth(), 475);
  ASSERT_EQ(Line(15)->GetWidth(), 1006);
  struct Case {
    int channel, position, markerLeft;
    const char* text;
  };
  const Case cases[] = {
      {0, 600, 47, "12.500 ms"},    {0, 32640, 425, "680.000 ms"},  {0, 0, 40, "0.000 ms"},
      {15, 600, 56, "12.500 ms"},   {15, 32640, 956, "680.000 ms"}, {15, 0, 40, "0.000 ms"},
      {9, 4800, 174, "100.000 ms"},
  };
  for (const Case& c : cases) {
    Sent.clear();
    Fader(c.channel)->SetPosition(c.position);
    SCOPED_TRACE(Suffix(c.channel) + " at " + std::to_string(c.position));
    EXPECT_EQ(Payloads(DelayCode),
              (Bytes{{static_cast<std::uint8_t>(c.channel), static_cast<std::uint8_t>(c.position & 0xFF),
                      static_cast<std::uint8_t>(c.position >> 8)}}));
    EXPECT_EQ(Sent.size(), 1u);
    EXPECT_EQ(Marker(c.channel)->GetLeft(), c.markerLeft);
    EXPECT_EQ(Time(c.channel)->GetLeft(), c.markerLeft + 30);
    EXPECT_EQ(Time(c.channel)->GetTop(), Marker(c.channel)->GetTop() + 7);
    EXPECT_EQ(Line(c.channel)->GetCaption(),
              std::string(static_cast<std::size_t>((c.markerLeft - 40) / 6), '-'));
    EXPECT_EQ(Box(c.channel)->GetText(), c.text);
    EXPECT_EQ(Time(c.channel)->GetCaption(), c.text);
    // The model keeps outputs' delays only.
    EXPECT_EQ(Model()->GetDelay(c.channel), c.channel < 8 ? 0 : c.position);
  }
}

// Right of the puck the marker hides the track up to the time text, so no
// stub of it reads as a minus sign before the value.
TEST_F(DelayPage, NoTrackShowsBetweenTheMarkerAndItsTime) {
  for (int channel : {0, 15}) {
    SCOPED_TRACE(Suffix(channel));
    auto* marker = dynamic_cast<TImage*>(Marker(channel));
    ASSERT_NE(marker, nullptr);
    TCanvas* canvas = marker->GetPicture()->GetBitmap()->GetCanvas();
    const TColor well = dynamic_cast<TLabel*>(Time(channel))->GetColor();
    const int trackRow = marker->GetHeight() / 2 - 1;
    for (int x = 24; x < Time(channel)->GetLeft() - marker->GetLeft(); ++x)
      for (int y : {trackRow, trackRow + 1}) EXPECT_EQ(canvas->GetPixels(x, y), well) << x << "," << y;
  }
}

TEST_F(DelayPage, OutputDelayIsStoredForItsLinkGroupAndSentOnce) {
  fmMain->SetRefreshing(true);
  Model()->SetLinkMask(8, 0b101);
  Model()->SetLinkMask(10, 0b101);
  fmMain->SetRefreshing(false);
  Fader(10)->SetPosition(960);
  EXPECT_EQ(Payloads(DelayCode), (Bytes{{10, 0xC0, 0x03}}));
  EXPECT_EQ(Model()->GetDelay(8), 960);
  EXPECT_EQ(Model()->GetDelay(10), 960);
  EXPECT_EQ(Model()->GetDelay(9), 0);
}

TEST_F(DelayPage, MovesWhileRefreshingStoreNothingAndSendNothing) {
  fmMain->SetRefreshing(true);
  Fader(12)->SetPosition(480);
  fmMain->SetRefreshing(false);
  EXPECT_TRUE(Sent.empty());
  EXPECT_EQ(Model()->GetDelay(12), 0);
}

TEST_F(DelayPage, UnitButtonsRewriteEveryRowAndSendTheUnitOnce) {
  for (int channel : {0, 8}) Fader(channel)->SetPosition(32640);
  struct Case {
    const char* button;
    int unit;
    const char* full;
    const char* zero;
  };
  for (const Case& c :
       {Case{"rzbUnit1", 1, "233.580 m", "0.000 m"}, Case{"rzbUnit2", 2, "766.329 ft", "0.000 ft"},
        Case{"rzbUnit0", 0, "680.000 ms", "0.000 ms"}}) {
    Sent.clear();
    auto* button = Get<TRzBmpButton>(c.button);
    button->SetDown(true);
    button->Click();
    EXPECT_EQ(Payloads(DelayUnitCode), (Bytes{{static_cast<std::uint8_t>(c.unit)}})) << c.button;
    EXPECT_EQ(Sent.size(), 1u);
    EXPECT_EQ(Model()->GetDelayUnit(), c.unit);
    for (int channel = 0; channel < 16; ++channel) {
      const char* expected = channel == 0 || channel == 8 ? c.full : c.zero;
      EXPECT_EQ(Box(channel)->GetText(), expected) << Suffix(channel);
      EXPECT_EQ(Time(channel)->GetCaption(), expected) << Suffix(channel);
    }
  }
  // The refresh presses a button to show the model's unit: nothing is sent.
  Sent.clear();
  fmMain->SetRefreshing(true);
  Get<TRzBmpButton>("rzbUnit1")->Click();
  fmMain->SetRefreshing(false);
  EXPECT_TRUE(Sent.empty());
  EXPECT_EQ(Box(8)->GetText(), "233.580 m");
  EXPECT_EQ(Model()->GetDelayUnit(), 0);
}

// Typed values take effect on Enter or on leaving the box; the box then
// shows the fader's value with the caret at its end.
TEST_F(DelayPage, TypedDelaysConvertInTheModelsUnit) {
  struct Case {
    int unit;
    int start;
    const char* typed;
    int position;  // -1: refused, nothing sent
    const char* shown;
  };
  const Case cases[] = {
      {0, 0, "12.5ms", 600, "12.500 ms"},
      {0, 0, "12.5", 600, "12.500 ms"},
      {0, 0, "12.5MS", 600, "12.500 ms"},
      {0, 0, "1,5", 48, "1.000 ms"},
      {0, 0, "99999", 32640, "680.000 ms"},
      {0, 0, "99999999999999999999999999", 32640, "680.000 ms"},
      {0, 48, "abc", -1, "1.000 ms"},
      {0, 48, "-5", -1, "1.000 ms"},
      {0, 48, "", -1, "1.000 ms"},
      {0, 48, "5 ft", -1, "1.000 ms"},
      {1, 0, "1 m", 139, "0.995 m"},
      {1, 0, "3 m", 419, "2.998 m"},
      {1, 0, "3M", 419, "2.998 m"},
      {2, 0, "1 ft", 42, "0.986 ft"},
      {2, 0, "1FT", 42, "0.986 ft"},
      {2, 0, "1", 42, "0.986 ft"},
      // The text shown for the position, left as it is: reading it back
      // would land a sample lower.
      {1, 20, "0.143 m", -1, "0.143 m"},
      {1, 20, "0.143", -1, "0.143 m"},
      {2, 32640, "766.329 ft", -1, "766.329 ft"},
  };
  bool enter = false;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("typed \"") + c.typed + "\" in unit " + std::to_string(c.unit));
    UseUnit(c.unit);
    const int channel = 9;
    Fader(channel)->SetPosition(c.start);
    Sent.clear();
    TCurvyEdit* box = Box(channel);
    // Enter and leaving the box take turns.
    enter = !enter;
    Type(box, c.typed, enter);
    EXPECT_EQ(box->GetText(), c.shown);
    EXPECT_TRUE(CaretAtEnd(box));
    if (c.position < 0) {
      EXPECT_TRUE(Sent.empty());
      EXPECT_EQ(Fader(channel)->GetPosition(), c.start);
    } else {
      EXPECT_EQ(Fader(channel)->GetPosition(), c.position);
      EXPECT_EQ(Payloads(DelayCode),
                (Bytes{{static_cast<std::uint8_t>(channel), static_cast<std::uint8_t>(c.position & 0xFF),
                        static_cast<std::uint8_t>(c.position >> 8)}}));
    }
    Fader(channel)->SetPosition(0);
  }
  // Other keys leave the text to the box.
  Sent.clear();
  Box(3)->SetText("7");
  std::uint16_t key = VK_END;
  Box(3)->OnKeyDown(Box(3), key, {});
  EXPECT_EQ(Box(3)->GetText(), "7");
  EXPECT_TRUE(Sent.empty());
}

// X and Y are the line's own coordinates; the marker's middle is at its
// Left - 25 there.
TEST_F(DelayPage, DraggingAMarkerMovesItsFader) {
  const int channel = 8;
  TControl* line = Line(channel);
  Get<TRzBmpButton>("rzbDelaySelIn")->SetDown(true);
  Get<TRzBmpButton>("rzbDelaySelIn")->Click();
  const auto down = [line](int x, int y) { line->OnMouseDown(line, mbLeft, {}, x, y); };
  const auto move = [line](int x, int y) { line->OnMouseMove(line, {}, x, y); };
  const auto up = [line](int x, int y) { line->OnMouseUp(line, mbLeft, {}, x, y); };

  // A press beside the marker takes nothing, but shows the line's side.
  down(100, 14);
  EXPECT_EQ(fmMain->GetState().DelayDragging, 0);
  EXPECT_TRUE(Get<TRzBmpButton>("rzbDelaySelOut")->GetDown());
  EXPECT_TRUE(Get<TControl>("plFftDelayOut")->GetVisible());
  EXPECT_FALSE(Get<TControl>("plFftDelayIn")->GetVisible());
  up(100, 14);
  // Hovering over the marker shows the hand.
  move(15, 14);
  EXPECT_EQ(line->GetCursor(), crHandPoint);
  move(15, 29);
  EXPECT_EQ(line->GetCursor(), crDefault);

  down(15 + 14, 14 + 14);
  EXPECT_EQ(fmMain->GetState().DelayDragging, 1);
  struct Step {
    int x, position, dashes;
  };
  // The usable width is 916 pixels; beyond it the position stays at Max.
  for (const Step& s :
       {Step{300, 10155, 47}, Step{5000, 32640, 152}, Step{-50, 0, 0}, Step{20, 178, 0}, Step{21, 213, 1}}) {
    Sent.clear();
    move(s.x, 3);
    EXPECT_EQ(Fader(channel)->GetPosition(), s.position) << s.x;
    EXPECT_EQ(line->GetCaption(), std::string(static_cast<std::size_t>(s.dashes), '-')) << s.x;
    EXPECT_EQ(Model()->GetDelay(channel), s.position);
    ASSERT_EQ(Payloads(DelayCode).size(), 1u) << s.x;
  }
  up(21, 3);
  EXPECT_EQ(fmMain->GetState().DelayDragging, 0);
  move(600, 14);
  EXPECT_EQ(Fader(channel)->GetPosition(), 213);

  // A line with no width to travel along ignores the mouse.
  const int width = line->GetWidth();
  line->SetWidth(90);
  const int left = Marker(channel)->GetLeft();
  down(left - 25, 14);
  move(400, 14);
  EXPECT_EQ(Fader(channel)->GetPosition(), 213);
  up(400, 14);
  line->SetWidth(width);
  Get<TRzBmpButton>("rzbDelaySelIn")->SetDown(true);
  Get<TRzBmpButton>("rzbDelaySelIn")->Click();
  EXPECT_TRUE(Get<TControl>("plFftDelayIn")->GetVisible());
  EXPECT_FALSE(Get<TControl>("plFftDelayOut")->GetVisible());
}

// The same drag with the window's own mouse events, on the shown page.
TEST_F(DelayPage, MouseOnTheShownPageDragsAMarker) {
  TWinControl* mainBox = fmMain->GetMainBox();
  std::vector<std::pair<TControl*, bool>> was;
  for (int i = 0; i < mainBox->GetControlCount(); ++i) {
    TControl* c = mainBox->GetControls(i);
    was.emplace_back(c, c->GetVisible());
    c->SetVisible(c->GetName() == "rzgFftDelay" || c->GetName() == "rzgParamDelay");
  }
  fmMain->Show();
  classlib_test::DrainEvents();
  TControl* line = Line(2);
  classlib_test::Press(line, 15, 14);
  classlib_test::Move(line, 200, 14, Qt::LeftButton);
  classlib_test::Release(line, 200, 14);
  classlib_test::DrainEvents();
  EXPECT_EQ(Fader(2)->GetPosition(), 15684);  // (200 - 15) * 32640 / 385
  EXPECT_EQ(Payloads(DelayCode).size(), 1u);
  EXPECT_EQ(fmMain->GetState().DelayDragging, 0);
  fmMain->Hide();
  for (auto& [c, visible] : was) c->SetVisible(visible);
}

}  // namespace
