// Channel names on the Matrix page labels and page-button hints, channel
// copy and link application offline, link masks, page-button captions of a
// group and the overlay buttons of members.

#include <gtest/gtest.h>

#include <QTimer>

#include "controls/VrButtons.h"
#include "dialogs/Fchannelname.h"
#include "dialogs/Flinksel.h"
#include "link/CommandTable.h"
#include "platform/classlib/StdCtrls.h"
#include "tests/ui/LevelLinkTestSupport.h"

namespace {

using namespace level_test;

class NamesCopyLinks : public LevelSuite {};

ByteVector NameFrame(int channel, std::string_view bytes) {
  ByteVector frame{static_cast<std::uint8_t>(channel)};
  frame.insert(frame.end(), bytes.begin(), bytes.end());
  return frame;
}

TEST_F(NamesCopyLinks, ANameIsShownAsStoredAndSentInItsWholeField) {
  struct Case {
    int strip;
    std::string name;
    const char* label;
    const char* button;
    const char* shown;
    std::string_view field;
  };
  using namespace std::string_view_literals;
  const std::vector<Case> cases{
      {9, "Stage", "lbMatrixChNameOut2", "rzbMenuOut2", "Stage", "Stage\0\0\0"sv},
      {0, "Overlong name", "lbMatrixChNameInA", "rzbMenuInA", "Overlong", "Overlong"sv},
      // A padded field from a dialog ends at its first zero byte.
      {18, std::string("Fx\0junk!!", 9), "lbMatrixChNameEff", "rzbMenuEff", "Fx", "Fx\0\0\0\0\0\0"sv},
  };
  for (const Case& c : cases) {
    Frames.clear();
    fmMain->SetChannelName(c.strip, c.name);
    EXPECT_EQ(Caption(c.label), c.shown) << c.strip;
    EXPECT_EQ(Find<TControl>(c.button)->GetHint(), c.shown) << c.strip;
    EXPECT_EQ(fmMain->GetChannelName(c.strip), c.shown) << c.strip;
    ASSERT_EQ(Frames.size(), 1u) << c.strip;
    EXPECT_EQ(Frames[0].Code, CommandCode("CM_MCS_CHANNEL_NAME"));
    EXPECT_EQ(Frames[0].Payload, NameFrame(c.strip, c.field)) << c.strip;
    EXPECT_TRUE(Frames[0].Append);
  }
  // No such channel: nothing stored, nothing sent.
  Frames.clear();
  fmMain->SetChannelName(16, "x");
  EXPECT_TRUE(Frames.empty());
}

TEST_F(NamesCopyLinks, ClickingANameLabelOpensTheNameDialogForItsChannel) {
  ASSERT_NE(fmChannelName, nullptr);
  fmMain->SetChannelName(10, "Sub");
  QTimer::singleShot(0, [] { fmChannelName->Close(); });
  auto* label = Find<TLabel>("lbMatrixChNameOut3");
  ASSERT_TRUE(label && label->OnClick);
  label->OnClick(label);
  EXPECT_EQ(fmChannelName->GetChannel(), 10);
  EXPECT_EQ(fmChannelName->GetNameText(), "Sub");
  EXPECT_FALSE(fmChannelName->GetVisible());
}

TEST_F(NamesCopyLinks, OfflineCopyWritesTheTargetsWholeGroupAndSendsNothing) {
  SetMasks({{1, 0b110}, {2, 0}});  // {B, C}
  fmMain->SetRefreshing(true);
  Model()->SetGain(0, 111);
  Model()->SetPolarity(0, 1);
  fmMain->SetRefreshing(false);
  const auto gainD = Model()->GetGain(3);

  // To itself, or across sides: nothing.
  fmMain->CopyStrip(0, 0, true);
  fmMain->CopyStrip(0, 9, true);
  EXPECT_NE(Model()->GetGain(9), 111);

  fmMain->CopyStrip(0, 2, true);
  for (int member : {1, 2}) {
    EXPECT_EQ(Model()->GetGain(member), 111) << member;
    EXPECT_TRUE(Model()->GetPolarity(member)) << member;
  }
  EXPECT_EQ(Model()->GetGain(3), gainD);
  EXPECT_TRUE(Frames.empty());
  EXPECT_EQ(fmMain->GetState().PendingOp, 0);

  // Offline, link application only rewrites the window.
  fmMain->ApplyLinks();
  EXPECT_TRUE(Frames.empty());
  EXPECT_EQ(fmMain->GetState().PendingOp, 0);
}

TEST_F(NamesCopyLinks, LinkMaskIsStoredAndSentAppended) {
  fmMain->SetLinkMask(8, 0x0105);
  EXPECT_EQ(Model()->GetLinkMask(8), 0x0105);
  ASSERT_EQ(Frames.size(), 1u);
  EXPECT_EQ(Frames[0].Code, CommandCode("LINK_MASK"));
  EXPECT_EQ(Frames[0].Payload, (ByteVector{8, 0x05}));
  EXPECT_TRUE(Frames[0].Append);
}

TEST_F(NamesCopyLinks, PageButtonsShowLeadersAndMembers) {
  struct Case {
    int leader, strip;
    const char* button;
    const char* caption;
  };
  for (const Case& c : {Case{0, 2, "rzbMenuInC", "3=1"}, Case{0, 0, "rzbMenuInA", "In1"},
                        Case{8, 10, "rzbMenuOut3", "3=1"}, Case{9, 9, "rzbMenuOut2", "Out2"}}) {
    fmMain->UpdateLinkCaption(c.leader, c.strip);
    EXPECT_EQ(Caption(c.button), c.caption) << c.button;
  }
  for (int strip : {2, 10}) fmMain->UpdateLinkCaption(strip, strip);
  EXPECT_EQ(Caption("rzbMenuInC"), "In3");
}

TEST_F(NamesCopyLinks, HidingAMembersOverlaysSwitchesThemOffEverywhereOnItsSide) {
  std::vector<TVrPowerButton*> buttons;
  for (const char* target : {"InA", "InB", "InD", "InE", "InF", "InG", "InH", "Gain"})
    buttons.push_back(Find<TVrPowerButton>(std::string("vrbShowC") + target));
  for (TVrPowerButton* b : buttons) {
    ASSERT_NE(b, nullptr);
    b->SetActive(true);
  }
  fmMain->MarkOverlaysStale(2);
  fmMain->UpdateLinkOverlays(2, false);
  for (TVrPowerButton* b : buttons) {
    EXPECT_FALSE(b->GetVisible()) << b->GetName();
    EXPECT_FALSE(b->GetActive()) << b->GetName();
  }
  const auto& stale = fmMain->GetState().OverlayStale;
  for (int entry : {0, 1, 3, 7, PlotGainIn})
    EXPECT_EQ(stale[static_cast<std::size_t>(entry)] & 0b100u, 0u) << entry;
  // The output side and C's own plot are not touched.
  EXPECT_NE(stale[2] & 0b100u, 0u);
  EXPECT_TRUE(Find<TVrPowerButton>("vrbShowBInC")->GetVisible());

  fmMain->UpdateLinkOverlays(2, true);
  for (TVrPowerButton* b : buttons) {
    EXPECT_TRUE(b->GetVisible()) << b->GetName();
    EXPECT_FALSE(b->GetActive()) << b->GetName();
  }
}

TEST_F(NamesCopyLinks, AWholeRefreshShowsTheStoredGroupsOnThePageButtonsAndOverlays) {
  ASSERT_NE(fmLinkSel, nullptr);
  // G leads {G, H}; output 1 leads {1, 3}.
  SetMasks({{6, 0b11000000}, {7, 0}, {8, 0b101}, {10, 0}});
  fmMain->RefreshFromModel(Model());
  for (const auto& [button, caption] : std::vector<std::pair<const char*, const char*>>{
           {"rzbMenuInG", "In7"}, {"rzbMenuInH", "8=7"}, {"rzbMenuOut1", "Out1"}, {"rzbMenuOut3", "3=1"}})
    EXPECT_EQ(Caption(button), caption) << button;
  EXPECT_FALSE(Find<TVrPowerButton>("vrbShowHInA")->GetVisible());
  EXPECT_FALSE(Find<TVrPowerButton>("vrbShow3Out2")->GetVisible());
  EXPECT_TRUE(Find<TVrPowerButton>("vrbShowGInA")->GetVisible());

  // The groups undone by the next set: every channel stands alone again.
  Model()->LoadDefaults();
  fmMain->RefreshFromModel(Model());
  for (const auto& [button, caption] :
       std::vector<std::pair<const char*, const char*>>{{"rzbMenuInH", "In8"}, {"rzbMenuOut3", "Out3"}})
    EXPECT_EQ(Caption(button), caption) << button;
  EXPECT_TRUE(Find<TVrPowerButton>("vrbShowHInA")->GetVisible());
  EXPECT_TRUE(Find<TVrPowerButton>("vrbShow3Out2")->GetVisible());
}

TEST_F(NamesCopyLinks, AChannelThatJoinsAGroupLeadsNoOneInTheLinkDialog) {
  ASSERT_NE(fmLinkSel, nullptr);
  fmLinkSel->LoadLinkMask(2, 0b11100);  // C leads {C, D, E}
  fmLinkSel->LoadLinkMask(0, 0b101);    // then C joins A: D and E stand alone
  EXPECT_EQ(fmLinkSel->RowLeader(2), 0);
  EXPECT_EQ(fmLinkSel->RowLeader(3), 3);
  EXPECT_EQ(fmLinkSel->RowLeader(4), 4);
  // A mask reaches only its own side and channels at or above its leader.
  fmLinkSel->LoadLinkMask(9, 0xFFFF);
  EXPECT_EQ(fmLinkSel->RowLeader(8), 8);
  EXPECT_EQ(fmLinkSel->RowLeader(15), 9);
  EXPECT_EQ(fmLinkSel->RowLeader(7), 7);
  EXPECT_EQ(fmLinkSel->RowLeader(16), -1);
  Model()->LoadDefaults();
  fmMain->RefreshFromModel(Model());
  for (int ch = 0; ch < 16; ++ch) EXPECT_EQ(fmLinkSel->RowLeader(ch), ch);
}

}  // namespace
