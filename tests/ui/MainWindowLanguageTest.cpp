// The language menu and the caption pass: every language-dependent caption
// follows a switch to Simplified Chinese and back, state-dependent captions
// follow their state, the page headings name the selected strips, choosing
// the checked language does nothing, and the pass ends at a missing name.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "MainWindowTestSupport.h"
#include "mainwindow/FMainLanguage.h"
#include "platform/classlib/Menus.h"
#include "rs232codes/Frs232code.h"

using namespace ui_test;

namespace {

const std::string Letters = "ABCDEFGH";

// The captions that take a key's text as it stands, by control name.
std::vector<std::pair<std::string, std::string>> PlainCaptions() {
  std::vector<std::pair<std::string, std::string>> rows = {
      {"File", "SID_FILE"},
      {"Open", "SID_OPEN"},
      {"Save", "SID_SAVE"},
      {"Upload", "SID_UPLOAD"},
      {"Download", "SID_DOWNLOAD"},
      {"FactoryDefault", "SID_RETRUN_FACTORY"},
      {"Exit", "SID_FILE_EXIT"},
      {"BlockDiagram", "SID_BLOCK"},
      {"Connect", "SID_CONNECT"},
      {"ConnectHelp", "SID_CONNECT_HELP"},
      {"Lock", "SID_LOCK"},
      {"LockSetup", "SID_LOCK_SETUP"},
      {"WorkingStatus", "SID_WORK_STATUS"},
      {"Memorize", "SID_MEMORIZE"},
      {"Forget", "SID_FORGET"},
      {"U01", "SID_U01"},
      {"SettingID", "SID_SET_ID"},
      {"NetworkSetup", "SID_SET_NETWORK"},
      {"TestTone", "SID_TEST_TONE"},
      {"Link", "SID_LINK"},
      {"Copy", "SID_COPY"},
      {"ChNameList", "SID_CH_NAME_LIST"},
      {"SubCtrl", "SID_SUB_CTRL"},
      {"GroupCtrl", "SID_GROUP_CTRL"},
      {"LanguageSel", "SID_LANGUAGE"},
      {"ChineseSimplified", "SID_CHINESE_SIMPLIFIED"},
      {"ChineseTraditional", "SID_CHINESE_TRODITIONAL"},
      {"English", "SID_ENGLISH"},
      {"Help", "SID_HELP"},
      {"Rs232Code", "SID_RS232_CODE"},
      {"About", "SID_ABOUT"},
      {"lPstNum", "SID_PST_NUM"},
      {"lPstName", "SID_PST_NAME"},
      {"bStore", "SID_BT_STORE"},
      {"bRecall", "SID_BT_RECALL"},
      {"lbGainInput", "SID_IN"},
      {"lbGainOutput", "SID_OUT"},
      {"lbGainSel", "SID_CH_SELECT"},
      {"rzbGainSelIn", "SID_IN"},
      {"rzbGainSelOut", "SID_OUT"},
      {"lbDelaySel", "SID_CH_SELECT"},
      {"rzbDelaySelIn", "SID_IN"},
      {"rzbDelaySelOut", "SID_OUT"},
      {"lbDelayInput", "SID_IN"},
      {"lbDelayOutput", "SID_OUT"},
      {"lbDelayUnit", "SID_DELAY_UNIT"},
      {"lbFftDelayIn", "SID_IN_DELAY"},
      {"lbFftDelayOut", "SID_OUT_DELAY"},
      {"rzbUnit0", "SID_UNIT_MS"},
      {"rzbUnit1", "SID_UNIT_M"},
      {"rzbUnit2", "SID_UNIT_FT"},
      {"lbFftGainIn", "SID_IN"},
      {"lbFftGainOut", "SID_OUT"},
      {"lbGainInA", "SID_GAIN"},
      {"rzbMuteInA", "SID_MUTE"},
      {"lbFbtInA", "SID_MIC_FBQ"},
      {"lbGainEff", "SID_GAIN"},
      {"rzbMuteEff", "SID_MUTE"},
      {"lbMatrixEff", "SID_CH_SELECT"},
      {"lbCompEff", "SID_EFF_COMP"},
      {"rzbCompSetEff", "SID_SETUP"},
      {"rzbEffectSetEff", "SID_SETUP"},
      {"lbEffectEff", "SID_EFFECT"},
      {"rzbAutoMixSetEff", "SID_SETUP"},
      {"lbAutoMixEff", "SID_EFF_MIX"},
      {"rzbCameraSetEff", "SID_SETUP"},
      {"lbCameraEff", "SID_EFF_CAMERA"},
      {"lbEqEff", "SID_EFF_EQ_TITLE"},
      {"lbGainOut1", "SID_GAIN"},
      {"rzbMuteOut1", "SID_MUTE"},
  };
  for (int level = 0; level <= 4; ++level)
    rows.push_back({"rzbFbtLevel" + std::to_string(level) + "InA", "SID_MIC_FBT" + std::to_string(level)});
  std::vector<std::string> strips = {"Eff"};
  for (char x : Letters) strips.push_back(std::string("In") + x);
  for (int n = 1; n <= 8; ++n) strips.push_back("Out" + std::to_string(n));
  for (const std::string& s : strips) {
    rows.push_back({"lbFftParam" + s, "SID_PARAM_KEY"});
    rows.push_back({"vrbEqShowAll" + s, "SID_SHOW_ALL_EQ"});
    rows.push_back({"vrbEqReset" + s, "SID_RESET_EQ"});
    rows.push_back({"vrbEqBypass" + s, "SID_BYPASS_EQ"});
  }
  for (const std::string s : {"InA", "Out1", "Eff"}) {
    rows.push_back({"lbEqParam" + s, "SID_EQ_PARAM"});
    rows.push_back({"lbEqFreq" + s, "SID_EQ_FREQ"});
    rows.push_back({"lbEqBw" + s, "SID_EQ_BW"});
    rows.push_back({"lbEqGain" + s, "SID_EQ_GAIN"});
  }
  for (const std::string s : {"InA", "Out1"}) {
    rows.push_back({"lbEq" + s, "SID_EQ_PARAM_TITLE"});
    rows.push_back({"lbLowCutFreq" + s, "SID_HPF"});
    rows.push_back({"lbLowCutSlop" + s, "SID_HLP_SLOP"});
    rows.push_back({"rzbLowCutBypass" + s, "SID_HLP_BYPASS"});
    rows.push_back({"lbHighCutFreq" + s, "SID_LPF"});
    rows.push_back({"lbHighCutSlop" + s, "SID_HLP_SLOP"});
    rows.push_back({"rzbHighCutBypass" + s, "SID_HLP_BYPASS"});
  }
  for (char x : Letters) {
    rows.push_back({std::string("rzbMuteBackupIn") + x, "SID_MUTE"});
    rows.push_back({std::string("lbGateThresholdIn") + x, "SID_COMP_THRESHOLD"});
    rows.push_back({std::string("lbGateAttackIn") + x, "SID_COMP_ATTACK"});
    rows.push_back({std::string("lbGateReleaseIn") + x, "SID_COMP_RELEASE"});
  }
  for (int n = 1; n <= 8; ++n) {
    const std::string s = std::to_string(n);
    rows.push_back({"rzbMuteBackupOut" + s, "SID_MUTE"});
    rows.push_back({"lbCompRatioOut" + s, "SID_COMP_RATIO"});
    rows.push_back({"lbCompThresholdOut" + s, "SID_COMP_THRESHOLD"});
    rows.push_back({"lbCompAttackOut" + s, "SID_COMP_ATTACK"});
    rows.push_back({"lbCompReleaseOut" + s, "SID_COMP_RELEASE"});
  }
  return rows;
}

// Buttons whose caption says their state: (name, key when down, key when up).
std::vector<std::vector<std::string>> StateCaptions() {
  std::vector<std::vector<std::string>> rows = {
      {"rzbPhaseInA", "SID_PHASE_ON", "SID_PHASE_OFF"},  {"rzbLineInA", "SID_POTENT_MIC", "SID_POTENT_LINE"},
      {"rzbPhaseOut1", "SID_PHASE_ON", "SID_PHASE_OFF"}, {"rzbOnOffEff", "SID_ON", "SID_OFF"},
      {"rzbAutoMixOnOffEff", "SID_ON", "SID_OFF"},       {"rzbCameraOnOffEff", "SID_ON", "SID_OFF"},
  };
  for (char x : Letters) {
    rows.push_back({std::string("rzbPhaseBackupIn") + x, "SID_PHASE_ON", "SID_PHASE_OFF"});
    rows.push_back({std::string("rzbLineBackupIn") + x, "SID_POTENT_MIC", "SID_POTENT_LINE"});
  }
  for (int n = 1; n <= 8; ++n)
    rows.push_back({"rzbPhaseBackupOut" + std::to_string(n), "SID_PHASE_ON", "SID_PHASE_OFF"});
  return rows;
}

std::string Text(std::string_view language, std::string_view key) {
  return GetLangText(language, key);
}

std::string CaptionOf(const std::string& name) {
  if (auto* item = Find<TMenuItem>(name)) return item->GetCaption();
  return Find<TControl>(name)->GetCaption();
}

void Choose(const char* item) {
  Find<TMenuItem>(item)->Click();
}

class Language : public ProgramFormsTest {
 protected:
  // Every control of the caption pass, standing in where another part of
  // the window has not built it; odd state buttons are down.
  void StandInForEveryCaption() {
    for (const auto& [name, key] : PlainCaptions()) StandIn(name);
    int i = 0;
    for (const auto& row : StateCaptions()) {
      auto* button = dynamic_cast<TRzBmpButton*>(StandIn(row[0]));
      ASSERT_NE(button, nullptr) << row[0];
      button->SetDown(i++ % 2 == 1);
    }
    for (char x : Letters) StandIn(std::string("peqPeqIn") + x);
    for (int n = 1; n <= 8; ++n) StandIn("peqPeqOut" + std::to_string(n));
    for (const char* name : {"peqPeqEff", "lbGateName", "lbCompName"}) StandIn(name);
  }

  void ExpectCaptionsIn(std::string_view language) {
    for (const auto& [name, key] : PlainCaptions())
      EXPECT_EQ(CaptionOf(name), Text(language, key)) << name << " in " << language;
    for (const auto& row : StateCaptions()) {
      const bool down = Find<TRzBmpButton>(row[0])->GetDown();
      EXPECT_EQ(CaptionOf(row[0]), Text(language, down ? row[1] : row[2])) << row[0] << " in " << language;
    }
    EXPECT_EQ(CaptionOf("Connected"), Text(language, "SID_CONNECT"));
    EXPECT_EQ(CaptionOf("rzbMenuLink"), Text(language, "SID_OFFLINE"));
    auto* table = Find<TMyPEQAllpass>("peqPeqOut8");
    EXPECT_EQ(table->GetBypassText(), Text(language, "SID_EQ_BYPASS"));
  }
};

TEST_F(Language, EveryCaptionFollowsTheSwitchBothWays) {
  StandInForEveryCaption();
  fmMain->ApplyLanguage();
  ExpectCaptionsIn("English");
  EXPECT_EQ(CaptionOf("Open"), "Open");
  EXPECT_EQ(CaptionOf("LanguageSel"), "语言");

  Choose("ChineseSimplified");
  EXPECT_EQ(fmMain->GetState().Language, "ChineseGB");
  EXPECT_TRUE(Find<TMenuItem>("ChineseSimplified")->GetChecked());
  EXPECT_FALSE(Find<TMenuItem>("English")->GetChecked());
  ExpectCaptionsIn("ChineseGB");
  EXPECT_EQ(CaptionOf("Open"), "打开");
  EXPECT_EQ(CaptionOf("LanguageSel"), "Language");
  EXPECT_EQ(CaptionOf("rzbMenuLink"), "未连机");
  EXPECT_EQ(fmMain->GetLangText("SID_LINK_BROKEN"), "软件已断开连机");

  Choose("English");
  EXPECT_EQ(fmMain->GetState().Language, "English");
  EXPECT_TRUE(Find<TMenuItem>("English")->GetChecked());
  EXPECT_FALSE(Find<TMenuItem>("ChineseSimplified")->GetChecked());
  ExpectCaptionsIn("English");
  EXPECT_EQ(fmMain->GetLangText("SID_LINK_BROKEN"), "Link Broken");
}

TEST_F(Language, PageHeadingsNameTheSelectedStrips) {
  StandInForEveryCaption();
  fmMain->ApplyLanguage();
  // The gate heading has the form the Gate page writes for a selected input.
  EXPECT_EQ(CaptionOf("lbGateName"), "In 1  Gate");
  EXPECT_EQ(CaptionOf("lbCompName"), "Out 1  Compressor");
  Choose("ChineseSimplified");
  EXPECT_EQ(CaptionOf("lbGateName"), "In 1  " + Text("ChineseGB", "SID_GATE"));
  EXPECT_EQ(CaptionOf("lbCompName"), "Out 1  压缩器");
}

TEST_F(Language, ChoosingTheCheckedLanguageRunsNoPass) {
  Find<TMenuItem>("Open")->SetCaption("marker");
  Choose("English");
  EXPECT_EQ(CaptionOf("Open"), "marker");
  EXPECT_EQ(fmMain->GetState().Language, "English");
}

TEST_F(Language, ThePassEndsAtTheFirstMissingName) {
  // On the menu, link button and preset bar first; a control missing after
  // them keeps every later caption as it was.
  StandInForEveryCaption();
  fmMain->ApplyLanguage();
  Find<TControl>("lbCompName")->SetCaption("kept");
  Find<TControl>("rzbMuteBackupInA")->Free();
  Choose("ChineseSimplified");
  EXPECT_EQ(CaptionOf("bRecall"), "调用");
  EXPECT_EQ(CaptionOf("lbGainInput"), "Input");
  EXPECT_EQ(CaptionOf("lbCompName"), "kept");
}

TEST_F(Language, LookupKeysIgnoreCaseAndUnknownKeysGiveTheFirstLine) {
  EXPECT_EQ(fmMain->GetLangText("sid_online"), "OnLine");
  EXPECT_EQ(fmMain->GetLangText("SID_NOT_THERE"), "//---------------------- Menu ------------------------");
  // The tables end with an empty line: a key matching it has no text after
  // it and reads as not found.
  EXPECT_EQ(fmMain->GetLangText(""), "//---------------------- Menu ------------------------");
  Choose("ChineseSimplified");
  EXPECT_EQ(fmMain->GetLangText("sid_online"), "已连机");
}

}  // namespace

// The code-table viewers take their caption from the main window's table
// when shown, in the interface language whatever their document's.
TEST_F(Language, CodeViewersTakeTheirCaptionInTheInterfaceLanguage) {
  StandInForEveryCaption();
  for (const char* item : {"ChineseSimplified", "English"}) {
    Choose(item);
    const bool chinese = std::string_view(item) == "ChineseSimplified";
    for (TfmRs232Code* viewer : {fmRs232Code, static_cast<TfmRs232Code*>(fmRs232CodeEnglish)}) {
      viewer->Show();
      EXPECT_EQ(viewer->GetCaption(), chinese ? "232通讯协议代码表" : "RS232 Code Table")
          << viewer->GetName();
      viewer->Hide();
    }
    EXPECT_EQ(CaptionOf("Rs232Code"), chinese ? "232通讯协议代码表" : "RS232 Code Table");
  }
}
