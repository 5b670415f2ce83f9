// Link groups: which channels a strip's group holds, and how an edited value
// reaches every member's controls (and, for the switches, the device).

#include <gtest/gtest.h>

#include "controls/CurvyControls.h"
#include "link/CommandTable.h"
#include "platform/classlib/ComCtrls.h"
#include "platform/classlib/StdCtrls.h"
#include "tests/ui/LevelLinkTestSupport.h"

namespace {

using namespace level_test;

class LinkGroups : public LevelSuite {};

TEST_F(LinkGroups, GroupOfAStripFollowsTheModelsRule) {
  struct Case {
    const char* what;
    std::vector<std::pair<int, int>> masks;
    int strip;
    int group;
  };
  const std::vector<Case> cases{
      {"alone", {}, 3, 0b1000},
      {"own mask holds its bit", {{1, 0b0110}}, 1, 0b0110},
      {"output 3 with mask 0 in output 1's group", {{8, 0b101}, {10, 0}}, 10, 0b101},
      {"held by the first lower channel", {{0, 0b1100}, {1, 0b1100}, {3, 0}}, 3, 0b1100},
      {"in no recorded group stands alone", {{0, 0b01}, {4, 0b0010}}, 4, 0b10000},
      {"first of a side with mask 0", {{8, 0}}, 8, 0b1},
      {"no strip", {}, 18, 0},
  };
  for (const Case& c : cases) {
    Model()->LoadDefaults();
    fmMain->SetRefreshing(true);
    for (const auto& [channel, mask] : c.masks)
      Model()->SetLinkMask(channel, static_cast<std::uint16_t>(mask));
    fmMain->SetRefreshing(false);
    EXPECT_EQ(fmMain->LinkGroupOf(c.strip), c.group) << c.what;
  }
  EXPECT_TRUE(Frames.empty());
}

TEST_F(LinkGroups, AStripAloneRewritesOnlyItsOwnCopyAndSendsPolarityTwice) {
  auto* own = Find<TAdvTrackBar>("isGainBackupInG");
  auto* other = Find<TAdvTrackBar>("isGainBackupInH");
  const int otherBefore = other->GetPosition();
  own->SetPosition(-250);
  EXPECT_EQ(Frames.size(), 1u);
  EXPECT_EQ(other->GetPosition(), otherBefore);
  EXPECT_EQ(Find<TCurvyEdit>("cvdGainBackupInG")->GetText(), "-45.0dB");

  Frames.clear();
  SetDownQuietly("rzbPhaseBackupInG", false);
  UserClick(Find<TControl>("rzbPhaseBackupInG"));
  EXPECT_EQ(Sent(CM_MCS_POLARITY::CODE), (std::vector<ByteVector>{{6, 1}, {6, 1}}));
  SetDownQuietly("rzbPhaseBackupInG", false);
  own->SetPosition(0);
}

TEST_F(LinkGroups, MuteOfOutput3InOutput1sGroupRewritesOutputs1And3) {
  SetMasks({{8, 0b101}, {10, 0}});
  UserClick(Find<TControl>("rzbGainSelOut"));
  for (const char* b : {"rzbMuteBackupOut1", "rzbMuteBackupOut2", "rzbMuteBackupOut3"})
    SetDownQuietly(b, false);
  UserClick(Find<TControl>("rzbMuteBackupOut3"));
  EXPECT_EQ(Sent(CM_MCS_MUTE::CODE), (std::vector<ByteVector>{{10, 1}, {8, 1}, {10, 1}}));
  EXPECT_TRUE(Find<TRzBmpButton>("rzbMuteBackupOut1")->GetDown());
  EXPECT_FALSE(Find<TRzBmpButton>("rzbMuteBackupOut2")->GetDown());
  EXPECT_TRUE(Model()->GetMute(8));
  EXPECT_FALSE(Model()->GetMute(9));
  for (const char* b : {"rzbMuteBackupOut1", "rzbMuteBackupOut3"}) SetDownQuietly(b, false);
  UserClick(Find<TControl>("rzbGainSelIn"));
}

TEST_F(LinkGroups, MicGainOfBInABCSendsForEveryMemberAndMovesTheOtherLists) {
  SetMasks({{0, 0b111}, {1, 0}, {2, 0}});
  for (const char* b : {"rzbLineBackupInA", "rzbLineBackupInB", "rzbLineBackupInC"}) SetDownQuietly(b, false);
  ToggleClick("rzbLineBackupInB");
  // Mic for the whole group: B from its handler, A and C from the group.
  EXPECT_EQ(Sent(CommandCode("MIC_GAIN")), (std::vector<ByteVector>{{1, 1}, {0, 1}, {2, 1}}));
  EXPECT_TRUE(Find<TRzBmpButton>("rzbLineBackupInA")->GetDown());
  EXPECT_TRUE(Find<TControl>("rzbPhantomBackupInC")->GetEnabled());

  Frames.clear();
  Find<TUpDown>("udLineBackupInB")->Step(btNext);
  EXPECT_EQ(Sent(CommandCode("MIC_GAIN")), (std::vector<ByteVector>{{1, 2}, {0, 2}, {2, 2}}));
  for (const char* list : {"rzcLineBackupInA", "rzcLineBackupInB", "rzcLineBackupInC"})
    EXPECT_EQ(Find<TRzComboBox>(list)->GetItemIndex(), 49) << list;
  EXPECT_EQ(Model()->GetMicGain(2), 2);

  // Phantom reaches every member, the strip included.
  Frames.clear();
  UserClick(Find<TControl>("rzbPhantomBackupInB"));
  EXPECT_EQ(Sent(CommandCode("PHANTOM")), (std::vector<ByteVector>{{1, 1}, {0, 1}, {1, 1}, {2, 1}}));
  EXPECT_TRUE(Find<TRzBmpButton>("rzbPhantomBackupInA")->GetDown());

  // Line for B is line for all; the members' phantom goes off with it.
  UserClick(Find<TControl>("rzbLineBackupInB"));
  for (const char* b : {"rzbLineBackupInA", "rzbPhantomBackupInA", "rzbPhantomBackupInC"})
    EXPECT_FALSE(Find<TRzBmpButton>(b)->GetDown()) << b;
  EXPECT_FALSE(Find<TControl>("udLineBackupInC")->GetEnabled());
  EXPECT_EQ(Find<TRzComboBox>("rzcLineBackupInA")->GetItemIndex(), 50);
  EXPECT_FALSE(Model()->GetPhantom(0));
}

TEST_F(LinkGroups, DelayCompAndGateRewriteTheMembersUnderTheRefreshFlag) {
  SetMasks({{8, 0b011}, {9, 0}, {0, 0b101}, {2, 0}});
  fmMain->LinkDelay(9, 4800, 100);
  for (const char* suffix : {"Out1", "Out2"}) {
    const std::string s = suffix;
    EXPECT_EQ(Find<TCurvyEdit>("cvdDelay" + s)->GetText(), "100.000 ms") << s;
    EXPECT_EQ(Caption("lbFftDelayTime" + s), "100.000 ms") << s;
    EXPECT_EQ(Find<TAdvTrackBar>("isDelay" + s)->GetPosition(), 4800) << s;
    EXPECT_EQ(Find<TControl>("imDelay" + s)->GetLeft(), 100) << s;
    EXPECT_EQ(Caption("lbDelayLine" + s), std::string(10, '-')) << s;
  }
  EXPECT_EQ(Find<TAdvTrackBar>("isDelayOut3")->GetPosition(), 0);
  // A marker at the start of its line shows no dashes.
  fmMain->LinkDelay(8, 0, 40);
  EXPECT_EQ(Caption("lbDelayLineOut2"), "");

  struct Case {
    bool comp;
    int field;
    int value;
    const char* name;
    const char* text;
  };
  for (const Case& c : {Case{true, 0, -20, "Threshold", "-10.0dB"}, Case{true, 1, 49, "Attack", "50ms"},
                        Case{true, 2, 999, "Release", "1000ms"}, Case{true, 3, 15, "Ratio", "Limit"},
                        Case{false, 0, 10, "Threshold", "+5.0dB"}, Case{false, 2, 0, "Release", "1ms"}}) {
    if (c.comp)
      fmMain->LinkComp(9, c.field, c.value);
    else
      fmMain->LinkGate(2, c.field, c.value);
    const std::string stem = std::string(c.comp ? "Comp" : "Gate") + c.name;
    for (const char* suffix :
         c.comp ? std::vector<const char*>{"Out1", "Out2"} : std::vector<const char*>{"InA", "InC"}) {
      EXPECT_EQ(Find<TAdvTrackBar>("is" + stem + suffix)->GetPosition(), c.value) << stem << suffix;
      EXPECT_EQ(Find<TCurvyEdit>("cvd" + stem + suffix)->GetText(), c.text) << stem << suffix;
    }
  }
  EXPECT_TRUE(Frames.empty());
  EXPECT_FALSE(fmMain->IsRefreshing());

  // Inside the whole-window refresh the flag stays set afterwards.
  fmMain->SetRefreshing(true);
  fmMain->LinkGain(0, 0, false);
  EXPECT_TRUE(fmMain->IsRefreshing());
  fmMain->SetRefreshing(false);
  fmMain->LinkDelay(8, 0, 40);
}

}  // namespace
