// The link-group dialog's rows, its Set, Exit and close box offline, and the
// channel copy, channel name, name list and EQ reset dialogs, with every
// frame the window sends recorded.

#include <gtest/gtest.h>

#include <QTimer>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "dialogs/Fchannelname.h"
#include "dialogs/Fchnamelist.h"
#include "dialogs/Fcopy.h"
#include "dialogs/Flinksel.h"
#include "dialogs/Fpeqrst.h"
#include "link/CommandTable.h"
#include "mainwindow/FMainLanguage.h"
#include "platform/classlib/ControlImage.h"
#include "platform/classlib/Keys.h"
#include "platform/classlib/StdCtrls.h"
#include "platform/sys/CodePage.h"
#include "tests/ui/LevelLinkTestSupport.h"

namespace {

using namespace level_test;

constexpr std::uint8_t LinkMaskCode = CommandCode("LINK_MASK");
constexpr std::uint8_t CopyCode = CommandCode("COPY_CHANNEL");
constexpr std::uint8_t ApplyLinksCode = 0x12;

class LinkChannelDialogs : public LevelSuite {
 protected:
  void SetUp() override {
    LevelSuite::SetUp();
    // Whole frames too, as the link would write them.
    fmMain->SetSendSink([this](const LCmd& c, bool append) {
      Frames.push_back({c.Code, c.Payload, append});
      Raw.push_back(BuildFrame(c, 1));
    });
    StandAlone();
  }
  void TearDown() override {
    StandAlone();
    LevelSuite::TearDown();
    // The factory names back on the labels and page buttons, sending nothing.
    fmMain->SetRefreshing(true);
    for (int ch : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 18})
      fmMain->SetChannelName(ch, Model()->GetChannelName(ch));
    fmMain->SetRefreshing(false);
  }

  // Every row of the link dialog on its diagonal, the changed flag clear.
  static void StandAlone() {
    for (int ch = 0; ch < 16; ++ch) fmLinkSel->LoadLinkMask(ch, static_cast<std::uint16_t>(1u << (ch % 8)));
    fmLinkSel->FormShow(fmLinkSel);
  }

  static TRzBmpButton* Key(std::string_view name) {
    return dynamic_cast<TRzBmpButton*>(fmLinkSel->FindComponent(name));
  }

  // A user's click on a matrix button: a disabled one hears nothing, a
  // grouped one goes down before its click fires.
  static void Press(std::string_view name) {
    TRzBmpButton* key = Key(name);
    ASSERT_NE(key, nullptr) << name;
    if (!key->GetEnabled()) return;
    key->SetDown(true);
    key->Click();
  }

  static std::vector<int> Leaders() {
    std::vector<int> leaders;
    for (int ch = 0; ch < 16; ++ch) leaders.push_back(fmLinkSel->RowLeader(ch));
    return leaders;
  }

  // Shows the form modally and runs act inside its loop; act must close it.
  static void WhileShown(TForm* form, std::function<void()> act) {
    QTimer::singleShot(0, [act = std::move(act)] { act(); });
    form->ShowModal();
    EXPECT_FALSE(form->GetVisible()) << form->GetName();
  }

  std::vector<ByteVector> Raw;
};

std::vector<int> Identity() {
  std::vector<int> leaders;
  for (int ch = 0; ch < 16; ++ch) leaders.push_back(ch);
  return leaders;
}

// ---------------------------------------------------------------- link rows

TEST_F(LinkChannelDialogs, RowsFollowTheColumnRuleAndMarkTheDialogChanged) {
  struct Case {
    const char* what;
    std::vector<const char*> presses;
    std::vector<std::pair<int, int>> leaders;  // (channel, its row's leader) differing from standing alone
    std::vector<const char*> disabled;         // every disabled button of both matrices
  };
  const std::vector<const char*> columnC = {"rzbDLinkInC", "rzbELinkInC", "rzbFLinkInC", "rzbGLinkInC",
                                            "rzbHLinkInC"};
  const std::vector<Case> cases = {
      {"C joins A", {"rzbCLinkInA"}, {{2, 0}}, columnC},
      {"E had C as leader", {"rzbELinkInC", "rzbCLinkInA"}, {{2, 0}}, columnC},
      {"D and E back with C, C joins B", {"rzbDLinkInC", "rzbELinkInC", "rzbCLinkInB"}, {{2, 1}}, columnC},
      {"C's diagonal again", {"rzbCLinkInA", "rzbCLinkInC"}, {}, {}},
      {"a disabled column takes no click", {"rzbCLinkInA", "rzbDLinkInC"}, {{2, 0}}, columnC},
      {"B joins A",
       {"rzbBLinkInA"},
       {{1, 0}},
       {"rzbCLinkInB", "rzbDLinkInB", "rzbELinkInB", "rzbFLinkInB", "rzbGLinkInB", "rzbHLinkInB"}},
      {"row H only", {"rzbHLinkInA"}, {{7, 0}}, {}},
      {"row 8 only", {"rzb8LinkOut1"}, {{15, 8}}, {}},
      {"output 3 leading 4 joins 1",
       {"rzb4LinkOut3", "rzb3LinkOut1"},
       {{10, 8}},
       {"rzb4LinkOut3", "rzb5LinkOut3", "rzb6LinkOut3", "rzb7LinkOut3", "rzb8LinkOut3"}},
      {"output 7 joins 6", {"rzb7LinkOut6"}, {{14, 13}}, {"rzb8LinkOut7"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    StandAlone();
    EXPECT_FALSE(fmLinkSel->GetChanged());
    for (const char* name : c.presses) Press(name);
    std::vector<int> expected = Identity();
    for (const auto& [ch, leader] : c.leaders) expected[static_cast<std::size_t>(ch)] = leader;
    EXPECT_EQ(Leaders(), expected);
    EXPECT_TRUE(fmLinkSel->GetChanged());
    std::vector<std::string> disabled;
    for (int member = 0; member < 16; ++member)
      for (int leader = member < 8 ? 0 : 8; leader <= member; ++leader) {
        TRzBmpButton* key = fmLinkSel->LinkButton(member, leader);
        ASSERT_NE(key, nullptr) << member << " " << leader;
        // One button down per row, the one RowLeader reads.
        EXPECT_EQ(key->GetDown(), leader == fmLinkSel->RowLeader(member)) << key->GetName();
        if (!key->GetEnabled()) disabled.push_back(key->GetName());
      }
    EXPECT_EQ(disabled, std::vector<std::string>(c.disabled.begin(), c.disabled.end()));
  }
  EXPECT_TRUE(Frames.empty());
}

TEST_F(LinkChannelDialogs, TheMatricesAreNamedRadioRowsInTheirGroupBoxes) {
  int buttons = 0;
  for (int member = 0; member < 16; ++member) {
    const int side = member < 8 ? 0 : 8;
    const std::string box = member < 8 ? "rzgLinkSelIn" + std::string(1, char('A' + member))
                                       : "rzgLinkSelOut" + std::to_string(member - 7);
    for (int leader = side; leader <= member; ++leader) {
      TRzBmpButton* key = fmLinkSel->LinkButton(member, leader);
      ASSERT_NE(key, nullptr);
      ++buttons;
      EXPECT_EQ(key->GetParent()->GetName(), box);
      EXPECT_EQ(key->GetTag(), leader - side);
      EXPECT_EQ(key->GetCaption(), (member < 8 ? "In" : "Out") + std::to_string(member % 8 + 1));
      EXPECT_NE(key->GetGroupIndex(), 0);
      EXPECT_FALSE(key->GetAllowAllUp());
    }
  }
  EXPECT_EQ(buttons, 72);
  // Found without regard to case.
  EXPECT_EQ(Key("rzbHlinkInG"), fmLinkSel->LinkButton(7, 6));
  EXPECT_EQ(fmLinkSel->LinkButton(2, 3), nullptr);
  EXPECT_EQ(fmLinkSel->LinkButton(9, 2), nullptr);
  for (const char* label : {"lbLinkSelInA", "lbLinkSelInH", "lbLinkSelOut1", "lbLinkSelOut8"})
    EXPECT_NE(fmLinkSel->FindComponent(label), nullptr) << label;
}

TEST_F(LinkChannelDialogs, EveryWayOutButSetRestoresTheStoredGroupsAndSendsNothing) {
  // B joined A; output 3 joined output 1: loaded by a whole refresh.
  SetMasks({{0, 0b11}, {1, 0}, {8, 0b101}, {10, 0}});
  fmMain->RefreshFromModel(Model());
  std::vector<int> stored = Identity();
  stored[1] = 0;
  stored[10] = 8;
  ASSERT_EQ(Leaders(), stored);
  EXPECT_TRUE(Key("rzbBLinkInA")->GetDown());
  EXPECT_TRUE(Key("rzb3LinkOut1")->GetDown());
  EXPECT_FALSE(Key("rzbCLinkInB")->GetEnabled());
  Frames.clear();

  struct Way {
    const char* what;
    std::function<void()> leave;
  };
  const std::vector<Way> ways = {{"Exit", [] { fmLinkSel->bnExit->Click(); }},
                                 {"the close box", [] { fmLinkSel->Close(); }},
                                 {"a hide", [] { fmLinkSel->Hide(); }}};
  const std::vector<std::vector<const char*>> changes = {
      {"rzbBLinkInB"}, {"rzbHLinkInA"}, {"rzb8LinkOut3", "rzb3LinkOut3"}, {"rzbBLinkInB", "rzbDLinkInB"}};
  for (const Way& way : ways)
    for (const auto& presses : changes) {
      SCOPED_TRACE(std::string(way.what) + " after " + presses.front());
      WhileShown(fmLinkSel, [&] {
        for (const char* name : presses) Press(name);
        EXPECT_NE(Leaders(), stored);
        way.leave();
      });
      EXPECT_EQ(Leaders(), stored);
      EXPECT_FALSE(Key("rzbCLinkInB")->GetEnabled());
      EXPECT_TRUE(Key("rzbDLinkInC")->GetEnabled());
    }
  EXPECT_TRUE(Frames.empty());
  EXPECT_EQ(Model()->GetLinkMask(0), 0b11);

  Model()->LoadDefaults();
  fmMain->RefreshFromModel(Model());
  EXPECT_EQ(Leaders(), Identity());
}

TEST_F(LinkChannelDialogs, SetWithoutAChangeSendsNothingAndStaysOnThePage) {
  Find<TRzBmpButton>("rzbMenuMatrix")->Click();
  ASSERT_EQ(fmMain->GetState().CurrentPage, PageMatrix);
  // A row clicked and put back: the buttons show the stored groups.
  WhileShown(fmLinkSel, [] {
    Press("rzbCLinkInA");
    Press("rzbCLinkInC");
    fmLinkSel->bnSet->Click();
  });
  EXPECT_TRUE(Frames.empty());
  EXPECT_EQ(fmMain->GetState().CurrentPage, PageMatrix);
  Find<TRzBmpButton>("rzbMenuGain")->Click();
}

// Offline, Set copies the leader onto the new member alone: the channels of
// the member's old group keep their parameters.
TEST_F(LinkChannelDialogs, OfflineSetCopiesOntoEachNewMemberAloneAndShowsTheGroups) {
  struct Case {
    const char* what;
    std::vector<std::pair<int, int>> masks;  // stored before
    std::vector<const char*> presses;
    int leader, member;
    std::vector<std::pair<int, int>> after;  // masks after Set
    const char* button;                      // the member's page button
    const char* caption;
  };
  const std::vector<Case> cases = {
      {"output 3 of {2, 3} joins 1",
       {{9, 0b110}, {10, 0}},
       {"rzb3LinkOut1"},
       8,
       10,
       {{8, 0b101}, {9, 0b010}, {10, 0}},
       "rzbMenuOut3",
       "3=1"},
      {"output 3 leading {3, 4} joins 1",
       {{10, 0b1100}, {11, 0}},
       {"rzb3LinkOut1"},
       8,
       10,
       {{8, 0b101}, {10, 0}, {11, 0b1000}},
       "rzbMenuOut4",
       "Out4"},
      {"input C joins A", {}, {"rzbCLinkInA"}, 0, 2, {{0, 0b101}, {2, 0}}, "rzbMenuInC", "3=1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Model()->LoadDefaults();
    for (const auto& [ch, mask] : c.masks) SetMasks({{ch, mask}});
    // Every strip distinct.
    fmMain->SetRefreshing(true);
    for (int ch = 0; ch < 16; ++ch) {
      Model()->SetGain(ch, static_cast<std::uint16_t>(100 + 7 * ch));
      Model()->SetPolarity(ch, ch == c.leader ? 1 : 0);
    }
    fmMain->SetRefreshing(false);
    for (int ch = 0; ch < 16; ++ch) fmLinkSel->LoadLinkMask(ch, Model()->GetLinkMask(ch));
    std::vector<std::uint16_t> gains;
    for (int ch = 0; ch < 16; ++ch) gains.push_back(Model()->GetGain(ch));
    Frames.clear();

    WhileShown(fmLinkSel, [&] {
      for (const char* name : c.presses) Press(name);
      fmLinkSel->bnSet->Click();
    });
    for (int ch = 0; ch < 16; ++ch) {
      const bool copied = ch == c.member;
      EXPECT_EQ(Model()->GetGain(ch),
                copied ? gains[static_cast<std::size_t>(c.leader)] : gains[static_cast<std::size_t>(ch)])
          << ch;
      EXPECT_EQ(Model()->GetPolarity(ch) != 0, ch == c.leader || copied) << ch;
    }
    for (const auto& [ch, mask] : c.after) EXPECT_EQ(Model()->GetLinkMask(ch), mask) << ch;
    // Offline there is no link: no copy command, no request to apply.
    EXPECT_TRUE(Sent(CopyCode).empty());
    EXPECT_TRUE(Sent(ApplyLinksCode).empty());
    EXPECT_EQ(fmMain->OpenLink(), nullptr);
    EXPECT_EQ(Caption(c.button), c.caption);
    EXPECT_EQ(Caption(c.member < 8 ? "rzbMenuInA" : "rzbMenuOut1"), c.member < 8 ? "In1" : "Out1");
    EXPECT_EQ(fmMain->GetState().CurrentPage, PageGain);
    EXPECT_EQ(fmLinkSel->RowLeader(c.member), c.leader);
  }
  Model()->LoadDefaults();
  fmMain->RefreshFromModel(Model());
}

// ---------------------------------------------------------------- names

TEST_F(LinkChannelDialogs, TheNameDialogShowsItsChannelAndSendsTheCutName) {
  struct Label {
    int ch;
    const char* text;
  };
  for (const Label& l : {Label{18, "Eff:"}, Label{9, "Out2 :"}, Label{0, "In1 :"}, Label{7, "In8 :"}}) {
    fmChannelName->SetChannel(l.ch);
    EXPECT_EQ(fmChannelName->lbChannel->GetCaption(), l.text);
  }
  fmChannelName->SetNameText("Vox \r \r");
  EXPECT_EQ(fmChannelName->edName->GetText(), "Vox");

  fmChannelName->SetChannel(9);
  fmChannelName->SetNameText("Zone9");
  WhileShown(fmChannelName, [] {
    // Activation opens the edit with the whole name selected.
    EXPECT_TRUE(
        classlib_test::PumpUntil([] { return fmChannelName->edName->GetSelText() == "Zone9"; }, 3000));
    EXPECT_TRUE(fmChannelName->edName->GetEnabled());
    EXPECT_TRUE(fmChannelName->edName->Focused());
    EXPECT_EQ(fmChannelName->edName->GetSelText(), "Zone9");
    fmChannelName->edName->SetText("Stage");
    std::uint16_t enter = VK_RETURN;
    fmChannelName->edName->OnKeyDown(fmChannelName->edName, enter, {});
  });
  ASSERT_EQ(Raw.size(), 1u);
  EXPECT_EQ(Raw[0], (ByteVector{0x10, 0x02, 0x00, 0x01, 0x0A, 0x3D, 0x09, 0x53, 0x74, 0x61, 0x67, 0x65, 0x00,
                                0x00, 0x00, 0x10, 0x03, 0x7A}));
  EXPECT_EQ(Caption("lbMatrixChNameOut2"), "Stage");

  // Cancel sends nothing.
  Frames.clear();
  WhileShown(fmChannelName, [] {
    fmChannelName->edName->SetText("Other");
    fmChannelName->bnCancel->Click();
  });
  EXPECT_TRUE(Frames.empty());
  EXPECT_EQ(fmMain->GetChannelName(9), "Stage");
}

// Names are cut at whole characters of the code page; what it cannot carry
// shows as stored.
TEST_F(LinkChannelDialogs, NamesAreCutToWholeCharactersOfTheirEightBytes) {
  struct PageBack {
    AnsiCodePage was = GetAnsiCodePage();
    ~PageBack() { SetAnsiCodePage(was); }
  } pageBack;
  struct Case {
    AnsiCodePage page;
    std::string typed;
    std::string stored;
  };
  const std::vector<Case> cases = {
      {AnsiCodePage::Gbk, "一二三四五", "一二三四"},
      {AnsiCodePage::Gbk, "Mic一二三四", "Mic一二"},
      {AnsiCodePage::Cp1252, "Überlänge", "Überläng"},
      {AnsiCodePage::Cp1252, "Ω lead", "? lead"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    SetAnsiCodePage(c.page);
    fmChannelName->SetChannel(3);
    fmChannelName->edName->SetText(c.typed);
    fmChannelName->btnOK->Click();
    EXPECT_EQ(fmChannelName->edName->GetText(), c.stored);
    EXPECT_EQ(fmMain->GetChannelName(3), c.stored);
    EXPECT_EQ(Caption("lbMatrixChNameInD"), c.stored);
    EXPECT_EQ(Find<TControl>("rzbMenuInD")->GetHint(), c.stored);
    ByteVector payload{3};
    const std::string field = Utf8ToAnsiPadded(c.stored, 8, '\0', c.page);
    payload.insert(payload.end(), field.begin(), field.end());
    ASSERT_FALSE(Frames.empty());
    EXPECT_EQ(Frames.back().Payload, payload);
  }
}

TEST_F(LinkChannelDialogs, TheNameListSendsOnlyTheNamesThatChanged) {
  WhileShown(fmChNameList, [] {
    EXPECT_EQ(fmChNameList->NameEdit(0)->GetText(), "In1");
    EXPECT_EQ(fmChNameList->NameEdit(15)->GetText(), "Out8");
    fmChNameList->btnOK->Click();
  });
  EXPECT_TRUE(Frames.empty());

  WhileShown(fmChNameList, [] {
    fmChNameList->NameEdit(1)->SetText("Kick");
    fmChNameList->NameEdit(15)->SetText("Monitor long");
    fmChNameList->NameEdit(18)->SetText("Verb");
    fmChNameList->btnOK->Click();
  });
  EXPECT_EQ(Channels(CM_MCS_CHANNEL_NAME::CODE), (std::vector<int>{1, 15, 18}));
  EXPECT_EQ(fmChNameList->NameEdit(15)->GetText(), "Monitor ");
  EXPECT_EQ(Caption("lbMatrixChNameEff"), "Verb");

  // A text longer than its field matches what is stored and is not sent
  // again; Exit sends nothing.
  Frames.clear();
  WhileShown(fmChNameList, [] {
    fmChNameList->NameEdit(15)->SetText("Monitor long");
    fmChNameList->btnOK->Click();
  });
  WhileShown(fmChNameList, [] {
    fmChNameList->NameEdit(2)->SetText("Snare");
    fmChNameList->btnCancel->Click();
  });
  EXPECT_TRUE(Frames.empty());
  EXPECT_EQ(fmMain->GetChannelName(2), "In3");
}

// ---------------------------------------------------------------- copy

TEST_F(LinkChannelDialogs, CopyPassesTheChoiceOnAndStaysOpen) {
  SetMasks({{1, 0b110}, {2, 0}});  // {B, C}
  fmMain->SetRefreshing(true);
  Model()->SetGain(0, 111);
  Model()->SetGain(8, 222);
  fmMain->SetRefreshing(false);
  const auto gainD = Model()->GetGain(3);
  const auto gainC = Model()->GetGain(2);

  WhileShown(fmCopy, [&] {
    // In3 onto In3: nothing.
    fmCopy->cbInSource->SetItemIndex(2);
    fmCopy->cbInDestination->SetItemIndex(2);
    fmCopy->bnInChCopy->Click();
    EXPECT_EQ(Model()->GetGain(2), gainC);
    // In1 onto In3 reaches C's whole group; Out1 onto Out2.
    fmCopy->cbInSource->SetItemIndex(0);
    fmCopy->bnInChCopy->Click();
    fmCopy->cbOutSource->SetItemIndex(0);
    fmCopy->cbOutDestination->SetItemIndex(1);
    fmCopy->bnOutChCopy->Click();
    EXPECT_TRUE(fmCopy->GetVisible());
    fmCopy->bnExit->Click();
  });
  for (int ch : {1, 2}) EXPECT_EQ(Model()->GetGain(ch), 111) << ch;
  EXPECT_EQ(Model()->GetGain(3), gainD);
  EXPECT_EQ(Model()->GetGain(9), 222);
  // The window was rewritten from the model.
  EXPECT_EQ(Find<TAdvTrackBar>("isGainBackupInC")->GetPosition(), 111 - 280);
  EXPECT_EQ(Find<TAdvTrackBar>("isGainBackupOut2")->GetPosition(), 222 - 280);
  EXPECT_TRUE(Frames.empty());
  Model()->LoadDefaults();
  fmMain->RefreshFromModel(Model());
}

// ---------------------------------------------------------------- EQ reset

TEST_F(LinkChannelDialogs, EqResetHidesFirstThenResetsTheGivenStrip) {
  // What the strip's reset sends on its own.
  fmMain->ResetStripPeq(9);
  const std::vector<ByteVector> reset = Raw;
  ASSERT_FALSE(reset.empty());
  Raw.clear();
  Frames.clear();

  WhileShown(fmPeqRst, [] { fmPeqRst->btnCancel->Click(); });
  EXPECT_TRUE(Frames.empty());

  bool shownAtFirstFrame = true;
  fmMain->SetSendSink([&](const LCmd& c, bool) {
    if (Raw.empty()) shownAtFirstFrame = fmPeqRst->GetVisible();
    Raw.push_back(BuildFrame(c, 1));
  });
  fmPeqRst->SetResetStrip(9);
  WhileShown(fmPeqRst, [] { fmPeqRst->btnOK->Click(); });
  EXPECT_FALSE(shownAtFirstFrame);
  EXPECT_EQ(Raw, reset);
  for (const ByteVector& frame : Raw) EXPECT_EQ(frame[6], 9);
}

// ---------------------------------------------------------------- pictures

// The dialogs as they are used, in both languages, to PNGs in the test's
// temporary folder and in TAVO_DIALOG_PNG when set, for a person to look at.
TEST_F(LinkChannelDialogs, RenderedInUseInBothLanguages) {
  // Groups on both sides: In1 leads In2 and In3, In5 leads In6; Out1 leads
  // Out3, Out5 leads Out6 to Out8.
  for (const auto& [ch, mask] :
       std::vector<std::pair<int, int>>{{0, 0b111}, {4, 0b110000}, {8, 0b101}, {12, 0b11110000}})
    fmLinkSel->LoadLinkMask(ch, static_cast<std::uint16_t>(mask));
  fmChannelName->SetChannel(9);
  fmChannelName->SetNameText("Stage");
  const char* names[] = {"Kick", "Snare", "Vox 1", "Vox 2", "Keys", "Guitar", "Bass", "Ambient"};
  for (int ch = 0; ch < 8; ++ch) fmChNameList->NameEdit(ch)->SetText(names[ch]);
  for (int ch = 8; ch < 16; ++ch) fmChNameList->NameEdit(ch)->SetText("Zone " + std::to_string(ch - 7));
  fmChNameList->NameEdit(18)->SetText("Reverb");
  for (std::string_view language : {LanguageEnglish, LanguageChineseGB}) {
    fmLinkSel->SetTexts(language);
    fmChannelName->SetTexts(language);
    fmChNameList->SetTexts(language);
    for (TForm* form : {static_cast<TForm*>(fmLinkSel), static_cast<TForm*>(fmChannelName),
                        static_cast<TForm*>(fmChNameList)}) {
      const std::string file = form->GetName() + "-inuse-" + std::string(language) + ".png";
      EXPECT_TRUE(SaveControlImage(form, ::testing::TempDir() + file)) << file;
      if (const char* dir = std::getenv("TAVO_DIALOG_PNG"); dir && *dir) {
        EXPECT_TRUE(SaveControlImage(form, std::string(dir) + "/" + file)) << file;
      }
    }
  }
  fmLinkSel->SetTexts(LanguageEnglish);
  fmChannelName->SetTexts(LanguageEnglish);
  fmChNameList->SetTexts(LanguageEnglish);
  EXPECT_EQ(fmLinkSel->RowLeader(2), 0);
  EXPECT_EQ(fmLinkSel->RowLeader(15), 12);
}

}  // namespace
