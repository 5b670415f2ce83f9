// Editing PEQ bands and cut-offs in the strip panels: what reaches the
// device, the model, the link group and the plot for each kind of control.

#include <gtest/gtest.h>

#include <QTimer>

#include <string>

#include "controls/AdvTrackBar.h"
#include "controls/CurvyControls.h"
#include "dialogs/Fpeqrst.h"
#include "model/CommonConstants.h"
#include "platform/classlib/Keys.h"
#include "platform/classlib/RzControls.h"
#include "tests/ui/BandEditingTestSupport.h"

namespace band_test {
namespace {

class BandEditing : public BandEditingSuite {};

TEST_F(BandEditing, TypedGainSendsTheBandOnceAndEveryGroupMemberHoldsIt) {
  Link({2, 3});
  LoadStrip(3);
  TMyPEQAllpass* table = Table(2);
  table->SetFieldText(1, pcGain, "3.5");
  table->GainExit(1);

  const PeqBandRecord before = Model()->GetDefaultPeqBand(2, 1);
  const PeqBandRecord expected{155, before.Freq, before.Q, before.Type};
  const auto peq = FramesOf(CM_MCS_PEQ::CODE);
  ASSERT_EQ(peq.size(), 1u);
  EXPECT_EQ(peq[0].Payload, PeqPayload(2, 1, expected, 0));
  EXPECT_FALSE(peq[0].Append);
  EXPECT_EQ(Model()->GetPeqBand(2, 1), expected);
  EXPECT_EQ(Model()->GetPeqBand(3, 1), expected);
  EXPECT_DOUBLE_EQ(Table(3)->GetGainValue(1), 3.5);
  EXPECT_EQ(table->GetNowIndex(), 1);
  EXPECT_TRUE(Find<TRzBmpButton>("rzbEq2InC")->GetDown());
  EXPECT_DOUBLE_EQ(PlotOf(2)->GetBand(1)->Gain, 3.5);
  Link({2});
  Link({3});
}

TEST_F(BandEditing, QFollowsTheBandType) {
  TMyPEQAllpass* table = Table(0);
  const int defaultQ = Model()->GetDefaultPeqBand(0, 0).Q;
  ASSERT_NE(defaultQ, 10);
  struct Step {
    const char* what;
    int type;      // written into the row, or -1
    int qIndex;    // written into the row, or -1
    int sentType;  // what the last band frame carries
    int sentQ;
  };
  const Step steps[] = {
      {"a peak band keeps its Q", 0, -1, 0, defaultQ},
      {"peak to low shelf starts at 0.71", 1, -1, 1, 10},
      {"a shelf Q above 3.0 falls back to 3.0", -1, 60, 1, 35},
      {"a shelf Q at or below 3.0 stays", -1, 20, 1, 20},
      {"high cut starts at 0.71 again", 4, -1, 4, 10},
      {"back to peak takes the default Q", 0, -1, 0, defaultQ},
      {"a peak Q goes up to 128", -1, 100, 0, 100},
      {"allpass keeps its own default start", 5, -1, 5, defaultQ},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.what);
    Frames.clear();
    if (s.type >= 0) table->SetTypeValue(0, s.type);
    if (s.qIndex >= 0) table->SetQValue(0, s.qIndex);
    const auto peq = FramesOf(CM_MCS_PEQ::CODE);
    ASSERT_FALSE(peq.empty());
    EXPECT_EQ(peq.back().Payload[7], s.sentType);
    EXPECT_EQ(peq.back().Payload[6], s.sentQ);
    EXPECT_EQ(Model()->GetPeqBand(0, 0).Q, s.sentQ);
  }
}

TEST_F(BandEditing, FaderBurstSendsOnceWithTheLastPositionAndRedrawsOnce) {
  auto* gain = Find<TAdvTrackBar>("isEqGainInA");
  auto* box = Find<TCurvyEdit>("cvdEqGainInA");
  TMyPEQAllpass* table = Table(0);
  table->SetNowIndex(2);
  for (int p = 121; p <= 130; ++p) gain->SetPosition(p);
  EXPECT_TRUE(FramesOf(CM_MCS_PEQ::CODE).empty()) << "the band waits for the curve timer";
  EXPECT_EQ(box->GetText(), "+1.0dB");
  WaitForCurves();
  const auto peq = FramesOf(CM_MCS_PEQ::CODE);
  ASSERT_EQ(peq.size(), 1u);
  EXPECT_EQ(peq[0].Payload[1], 2);
  EXPECT_EQ(peq[0].Payload[2], 130);
  EXPECT_DOUBLE_EQ(table->GetGainValue(2), 1.0);
  EXPECT_DOUBLE_EQ(PlotOf(0)->GetBand(2)->Gain, 1.0);
}

TEST_F(BandEditing, FaderBoxTexts) {
  struct Case {
    const char* fader;
    const char* box;
    int position;
    const char* text;
  };
  const Case cases[] = {
      {"isEqGainInA", "cvdEqGainInA", 240, "+12.0dB"},  {"isEqGainInA", "cvdEqGainInA", 119, "-0.1dB"},
      {"isEqGainInA", "cvdEqGainInA", 0, "-12.0dB"},    {"isEqGainInA", "cvdEqGainInA", 120, "+0.0dB"},
      {"isEqFreqInA", "cvdEqFreqInA", 300, "20.16KHz"}, {"isEqFreqInA", "cvdEqFreqInA", 0, " 19.7Hz"},
      {"isEqFreqInA", "cvdEqFreqInA", 170, "1.00KHz"},  {"isEqFreqInA", "cvdEqFreqInA", 169, " 977.2Hz"},
      {"isEqBwInA", "cvdEqBwInA", 100, "128.00"},       {"isEqBwInA", "cvdEqBwInA", 50, "7.10"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.fader) + " at " + std::to_string(c.position));
    auto* fader = Find<TAdvTrackBar>(c.fader);
    fader->SetPosition(c.position == fader->GetPosition() ? c.position + 1 : c.position);
    fader->SetPosition(c.position);
    EXPECT_EQ(Find<TCurvyEdit>(c.box)->GetText(), c.text);
    WaitForCurves();
  }
}

TEST_F(BandEditing, QFaderStopsAt3ForAShelf) {
  TMyPEQAllpass* table = Table(0);
  table->SetNowIndex(1);
  table->SetTypeValue(1, 1);
  WaitForCurves();
  auto* q = Find<TAdvTrackBar>("isEqBwInA");
  q->SetPosition(80);
  EXPECT_EQ(q->GetPosition(), 35);
  EXPECT_EQ(Find<TCurvyEdit>("cvdEqBwInA")->GetText(), "3.00");
  WaitForCurves();
  EXPECT_EQ(Model()->GetPeqBand(0, 1).Q, 35);
}

// On a linked member's page the limit reads the member's own table: its
// selected band's type decides, not the shown leader's.
TEST_F(BandEditing, QFaderLimitReadsTheCurrentStripsTable) {
  // A member's page as the page buttons leave it: member current, leader shown.
  auto& state = const_cast<MainFormState&>(fmMain->GetState());
  const int current = state.CurrentStrip, shown = state.ShownStrip;
  Table(0)->SetNowIndex(1);
  Table(0)->SetTypeValue(1, 0);  // the leader's band: a peak
  Table(1)->SetNowIndex(1);
  Table(1)->SetTypeValue(1, 1);  // the member's: a shelf
  WaitForCurves();
  state.CurrentStrip = 1;
  state.ShownStrip = 0;
  auto* q = Find<TAdvTrackBar>("isEqBwInA");
  q->SetPosition(80);
  EXPECT_EQ(q->GetPosition(), 35);
  WaitForCurves();
  state.CurrentStrip = current;
  state.ShownStrip = shown;
}

TEST_F(BandEditing, KeysOnTheFrequencyBoxStepTheFaders) {
  auto* box = Find<TCurvyEdit>("cvdEqFreqInA");
  struct Case {
    std::uint16_t key;
    const char* fader;
    int step;
  };
  const Case cases[] = {{VK_RIGHT, "isEqFreqInA", 1},   {VK_LEFT, "isEqFreqInA", -1},
                        {VK_ADD, "isEqBwInA", 1},       {VK_OEM_PLUS, "isEqBwInA", 1},
                        {VK_SUBTRACT, "isEqBwInA", -1}, {VK_OEM_MINUS, "isEqBwInA", -1},
                        {VK_UP, "isEqGainInA", 1},      {VK_DOWN, "isEqGainInA", -1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    auto* fader = Find<TAdvTrackBar>(c.fader);
    fader->SetPosition(20);
    WaitForCurves();
    std::uint16_t key = c.key;
    fmMain->cvdEqFreqInAKeyDown(box, key, {});
    EXPECT_EQ(fader->GetPosition(), 20 + c.step);
    EXPECT_EQ(key, c.key) << "the box keeps the key";
    WaitForCurves();
  }
}

TEST_F(BandEditing, ResetGivesAnOutputAndItsGroupTheDefaultBandsTwiceEach) {
  Link({9, 10});
  Model()->SetPeqBand(9, 4, PeqBandRecord{200, 40, 70, 2}, 1);
  LoadStrip(9);
  Table(9)->SetNowIndex(4);
  Frames.clear();
  fmMain->ResetStripPeq(9);
  for (int b = 0; b < 7; ++b) {
    SCOPED_TRACE(b);
    const PeqBandRecord d = Model()->GetDefaultPeqBand(9, b);
    EXPECT_EQ(Model()->GetPeqBand(9, b), d);
    EXPECT_EQ(Model()->GetPeqBand(10, b), d);
    EXPECT_FALSE(Model()->GetPeqBypass(10, b));
    int coalescible = 0, appended = 0;
    for (const Frame& f : FramesOf(CM_MCS_PEQ::CODE))
      if (f.Payload == PeqPayload(9, b, d, 0)) (f.Append ? appended : coalescible)++;
    EXPECT_GE(coalescible, 1);
    EXPECT_GE(appended, 1);
  }
  EXPECT_EQ(Table(9)->GetNowIndex(), 0);
  EXPECT_TRUE(Find<TRzBmpButton>("rzbEq1Out2")->GetDown());
  Link({9});
  Link({10});
}

TEST_F(BandEditing, ResetButtonHandsItsStripToTheDialog) {
  ASSERT_NE(fmPeqRst, nullptr);
  QTimer::singleShot(0, [] { fmPeqRst->SetModalResult(mrCancel); });
  Find<TControl>("vrbEqResetOut3")->OnClick(Find("vrbEqResetOut3"));
  EXPECT_EQ(fmPeqRst->GetResetStrip(), 10);
  EXPECT_TRUE(FramesOf(CM_MCS_PEQ::CODE).empty());
}

TEST_F(BandEditing, MemberPageFadersEditTheLeadersBand) {
  Link({4, 5});
  LoadStrip(4);
  LoadStrip(5);
  auto* page = Find<TControl>("rzbMenuInF");
  fmMain->rzbMenuInAClick(page);
  ASSERT_EQ(fmMain->GetState().ShownStrip, 4);
  Table(4)->SetNowIndex(0);
  Find<TAdvTrackBar>("isEqGainInA")->SetPosition(100);
  WaitForCurves();
  const auto peq = FramesOf(CM_MCS_PEQ::CODE);
  ASSERT_EQ(peq.size(), 1u);
  EXPECT_EQ(peq[0].Payload[0], 4) << "sent for the leader";
  EXPECT_EQ(Model()->GetPeqBand(5, 0).Gain, 100);
  EXPECT_DOUBLE_EQ(Table(5)->GetGainValue(0), -2.0);
  fmMain->rzbMenuInAClick(Find<TControl>("rzbMenuInA"));
  Link({4});
  Link({5});
}

TEST_F(BandEditing, CutOffFaderSendsEveryMove) {
  auto* fader = Find<TAdvTrackBar>("isLowCutFreqInA");
  Find<TRzComboBox>("rzcLowCutSlopInA")->SetItemIndex(7);
  // The factory set's high-pass is bypassed, which the start-up refresh shows.
  Find<TRzBmpButton>("rzbLowCutBypassInA")->SetDown(false);
  for (int p = 41; p <= 50; ++p) fader->SetPosition(p);
  const auto hp = FramesOf(CM_MCS_HIGH_PASS::CODE);
  ASSERT_EQ(hp.size(), 10u);
  EXPECT_EQ(hp.back().Payload, (std::vector<std::uint8_t>{0, 50, 0, 8}));
  EXPECT_EQ(Find<TCurvyEdit>("cvdLowCutFreqInA")->GetText(), " 62.5Hz");
  EXPECT_EQ(Model()->GetPassFilters(0).HpFreq, 50);
  WaitForCurves();
  fader->SetPosition(0);
}

TEST_F(BandEditing, BypassAndSlopeSendTheCutAtOnce) {
  auto* fader = Find<TAdvTrackBar>("isHighCutFreqInA");
  auto* bypass = Find<TRzBmpButton>("rzbHighCutBypassInA");
  auto* slope = Find<TRzComboBox>("rzcHighCutSlopInA");
  fader->SetPosition(250);
  slope->SetItemIndex(3);
  Frames.clear();
  bypass->SetDown(true);
  bypass->Click();
  slope->SetItemIndex(5);
  slope->OnChange(slope);
  bypass->SetDown(false);
  bypass->Click();
  const auto lp = FramesOf(CM_MCS_LOW_PASS::CODE);
  ASSERT_EQ(lp.size(), 3u);
  EXPECT_EQ(lp[0].Payload, (std::vector<std::uint8_t>{0, 250, 0, 0}));
  EXPECT_EQ(lp[1].Payload, (std::vector<std::uint8_t>{0, 250, 0, 0})) << "a slope chosen while bypassed";
  EXPECT_EQ(lp[2].Payload, (std::vector<std::uint8_t>{0, 250, 0, 6}));
  EXPECT_EQ(Model()->GetPassFilters(0).LpSlope, 6);
  fader->SetPosition(300);
}

TEST_F(BandEditing, WheelNeverChangesATypeOrASlope) {
  for (const char* name : {"rzcLowCutSlopInA", "rzcHighCutSlopOut1", "rzcLineInA", "rzcLineBackupInH"}) {
    SCOPED_TRACE(name);
    bool handled = false;
    Find<TControl>(name)->OnMouseWheel(Find(name), {}, -120, TPoint(), handled);
    EXPECT_TRUE(handled);
  }
  bool handled = false;
  Table(0)->OnPeqTypeMouseWheel(Table(0), {}, -120, TPoint(), handled);
  EXPECT_TRUE(handled);
}

}  // namespace
}  // namespace band_test
