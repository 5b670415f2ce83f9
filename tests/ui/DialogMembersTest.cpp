// What the main window and the link code use of the dialogs before those
// are complete: the named members on each form, the activity LEDs of the
// automix and camera dialogs, the device address text, the preset lists'
// rows, and the scan dialog's outcome flag.

#include <gtest/gtest.h>

#include <QTimer>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ProgramFormsTestSupport.h"
#include "controls/AdvProgressBar.h"
#include "dialogs/Fautomix.h"
#include "dialogs/Fcamera.h"
#include "dialogs/Fcomp.h"
#include "dialogs/Fidselect.h"
#include "dialogs/Finformation.h"
#include "dialogs/Flockpassword.h"
#include "dialogs/Fnetworkscan.h"
#include "dialogs/Fnetworksetup.h"
#include "dialogs/Fprocess.h"
#include "dialogs/Frecallpreset.h"
#include "dialogs/Fstorepreset.h"
#include "instruments/base/iLed.h"
#include "mainwindow/FMainLanguage.h"
#include "platform/classlib/ComCtrls.h"
#include "platform/classlib/ExtCtrls.h"
#include "platform/classlib/RzControls.h"
#include "platform/classlib/StdCtrls.h"
#include "platform/classlib/StringList.h"

using namespace program_forms_test;

namespace {

using DialogMembersTest = ProgramFormsSuite;

template <typename T>
bool Is(TComponent* c) {
  return dynamic_cast<T*>(c) != nullptr;
}

TEST_F(DialogMembersTest, TheMembersOthersUseAreFoundByNameOnTheirForm) {
  struct Case {
    TComponent* form;
    std::string name;
    std::function<bool(TComponent*)> kind;
  };
  std::vector<Case> cases = {
      {fmAutoMix, "lbAutoMixGain", Is<TLabel>},
      {fmCamera, "lbCameraPos", Is<TLabel>},
      {fmComp, "ilrCompLed", Is<TiLedRectangle>},
      {fmIdSelect, "gnIdNumer", Is<TGroupBox>},
      {fmIdSelect, "edId", Is<TEdit>},
      {fmNetworkSetup, "gbIpSetting", Is<TGroupBox>},
      {fmNetworkSetup, "gbIdSetting", Is<TGroupBox>},
      {fmNetworkSetup, "rbManualSetting", Is<TRadioButton>},
      {fmNetworkSetup, "rbAutoSetting", Is<TRadioButton>},
      {fmNetworkSetup, "edId", Is<TEdit>},
      {fmNetwork, "pbScan", Is<TAdvProgressBar>},
      {fmNetwork, "lblScan", Is<TLabel>},
      {fmNetwork, "btnOK", Is<TRzBmpButton>},
      {fmNetwork, "tmConnect", Is<TTimer>},
      {fmNetwork, "tmLinkBroken", Is<TTimer>},
      {fmStorePreset, "lPresetSelect", Is<TLabel>},
      {fmRecallPreset, "lPresetSelect", Is<TLabel>},
      {fmInformation, "lbMessage", Is<TLabel>},
      {fmProcess, "ProgressBar", Is<TAdvProgressBar>},
      {fmProcess, "StatusBar", Is<TStatusBar>},
  };
  for (int i = 0; i < 4; ++i) cases.push_back({fmNetworkSetup, "edIp" + std::to_string(i + 1), Is<TEdit>});
  for (char letter = 'A'; letter <= 'H'; ++letter)
    for (TComponent* form : {static_cast<TComponent*>(fmAutoMix), static_cast<TComponent*>(fmCamera)})
      cases.push_back({form, std::string("iledIn") + letter, Is<TiLedRound>});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.form->GetName() + "." + c.name);
    TComponent* found = c.form->FindComponent(c.name);
    ASSERT_NE(found, nullptr);
    EXPECT_TRUE(c.kind(found));
  }
  // The two mode buttons are never offered; manual stays chosen.
  EXPECT_TRUE(fmNetworkSetup->rbManualSetting->GetChecked());
  EXPECT_FALSE(fmNetworkSetup->rbAutoSetting->GetChecked());
  EXPECT_FALSE(fmNetworkSetup->rbAutoSetting->GetVisible());
}

TEST_F(DialogMembersTest, InputLedsLightOnlyForActiveInputsThatFeedTheEffectBus) {
  struct Case {
    std::uint16_t enabled;
    int input;
    std::uint8_t active;
    bool lit;
  };
  const std::vector<Case> cases = {
      {0x01, 0, 1, true},    // feeds the bus, active
      {0x01, 0, 0, false},   // feeds the bus, quiet
      {0xFE, 0, 1, false},   // does not feed the bus
      {0x80, 7, 1, true},    // the last input
      {0x80, 7, 255, true},  // any non-zero activity
      {0x00, 3, 1, false},   // nothing feeds the bus
  };
  for (TMixGateForm* form : {static_cast<TMixGateForm*>(fmAutoMix), static_cast<TMixGateForm*>(fmCamera)}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(form->GetName() + " input " + std::to_string(c.input) + " mask " +
                   std::to_string(c.enabled));
      form->SetEnabledInputs(c.enabled);
      auto* led = dynamic_cast<TiLed*>(form->FindComponent(std::string("iledIn") + char('A' + c.input)));
      ASSERT_NE(led, nullptr);
      led->SetActive(!c.lit);
      form->SetInputLed(c.input, c.active);
      EXPECT_EQ(led->GetActive(), c.lit);
    }
    // Inputs outside A..H have no LED: nothing changes.
    form->SetEnabledInputs(0xFF);
    for (int i = 0; i < 8; ++i) form->SetInputLed(i, 0);
    form->SetInputLed(-1, 1);
    form->SetInputLed(8, 1);
    for (char letter = 'A'; letter <= 'H'; ++letter)
      EXPECT_FALSE(dynamic_cast<TiLed*>(form->FindComponent(std::string("iledIn") + letter))->GetActive());
  }
  fmAutoMix->SetEnabledInputs(0);
  fmCamera->SetEnabledInputs(0);
}

TEST_F(DialogMembersTest, DeviceAddressTextHasTheFirstOctetFromTheHighByte) {
  struct Case {
    std::uint32_t ip;
    const char* text;
  };
  for (const Case& c : {Case{0xC0A80165, "192.168.1.101"}, Case{0, "0.0.0.0"},
                        Case{0xFFFFFFFF, "255.255.255.255"}, Case{0x0A000001, "10.0.0.1"}}) {
    EXPECT_EQ(DeviceIpText(c.ip), c.text);
  }
  // The main window's address at start-up.
  EXPECT_EQ(fmNetworkSetup->GetIpText(), "192.168.1.101");
  fmNetworkSetup->edIp4->SetText("7");
  fmNetworkSetup->edId->SetText("99");
  fmNetworkSetup->ShowDeviceIp();
  fmNetworkSetup->ShowDeviceId();
  EXPECT_EQ(fmNetworkSetup->edIp1->GetText(), "192");
  EXPECT_EQ(fmNetworkSetup->edIp2->GetText(), "168");
  EXPECT_EQ(fmNetworkSetup->edIp3->GetText(), "1");
  EXPECT_EQ(fmNetworkSetup->edIp4->GetText(), "101");
  EXPECT_EQ(fmNetworkSetup->edId->GetText(), "1");
}

TEST(PresetRowsTest, NamesAreFittedToFourteenCharacters) {
  struct Case {
    std::string name;
    std::string fitted;
  };
  const std::vector<Case> cases = {
      {"Default Preset", "Default Preset"},
      {"Main Hall", "Main Hall     "},
      {"", "              "},
      {"A name longer than fourteen", "A name longer "},
      {"Hall\r\nB", "Hall  B       "},  // a line break never splits a row
      {"会议厅", "会议厅           "},  // three characters, eleven blanks
      {"一二三四五六七八九十一二三四五", "一二三四五六七八九十一二三四"},
  };
  for (const Case& c : cases) EXPECT_EQ(FitPresetName(c.name), c.fitted) << c.name;
  EXPECT_EQ(PresetRow("U05", "Main Hall"), "     U05=  Main Hall     ");
  EXPECT_EQ(PresetRow("F00", "Default Preset").size(), 25u);
}

TEST_F(DialogMembersTest, PresetListsStartWithDefaultNamesUnderTheirCodes) {
  struct Case {
    TPresetListForm* form;
    int rows;
    const char* first;
    const char* last;
  };
  for (const Case& c : {Case{fmStorePreset, 21, "U01", "U21"}, Case{fmRecallPreset, 22, "F00", "U21"}}) {
    SCOPED_TRACE(c.form->GetName());
    TPresetNameGrid* grid = c.form->vledPresetName;
    ASSERT_EQ(grid->GetRowCount(), c.rows);
    EXPECT_EQ(grid->GetKey(0), c.first);
    EXPECT_EQ(grid->GetKey(c.rows - 1), c.last);
    EXPECT_EQ(grid->GetStrings()->Get(0), std::string("     ") + c.first + "=  Default Preset");
    const std::string text = grid->GetText();
    EXPECT_EQ(text.size(), static_cast<std::size_t>(27 * c.rows));
    for (int row = 0; row < c.rows; ++row) EXPECT_EQ(text.substr(27 * row + 25, 2), "\r\n");
  }
}

TEST_F(DialogMembersTest, SetPresetNameReplacesOneRowsNameOnly) {
  // U05 is row 4 of the store list and row 5 of the recall list.
  fmStorePreset->SetPresetName(4, "Main Hall     ");
  fmRecallPreset->SetPresetName(5, "Main Hall     ");
  EXPECT_EQ(fmStorePreset->vledPresetName->GetStrings()->Get(4), "     U05=  Main Hall     ");
  EXPECT_EQ(fmRecallPreset->vledPresetName->GetStrings()->Get(5), "     U05=  Main Hall     ");
  EXPECT_EQ(fmStorePreset->vledPresetName->GetValue(4), "Main Hall     ");
  for (int row : {3, 5}) EXPECT_EQ(fmStorePreset->vledPresetName->GetValue(row), "Default Preset");
  for (int row : {4, 6}) EXPECT_EQ(fmRecallPreset->vledPresetName->GetValue(row), "Default Preset");

  // The factory row of the recall list, and names of other lengths: each
  // row keeps its 25 characters, so every later row stays in place.
  fmRecallPreset->SetPresetName(0, "Factory");
  fmStorePreset->SetPresetName(20, "A name longer than fourteen");
  EXPECT_EQ(fmRecallPreset->vledPresetName->GetStrings()->Get(0), "     F00=  Factory       ");
  EXPECT_EQ(fmStorePreset->vledPresetName->GetStrings()->Get(20), "     U21=  A name longer ");
  EXPECT_EQ(fmStorePreset->vledPresetName->GetText().size(), 27u * 21);

  // Rows outside a list change nothing.
  const std::string before = fmStorePreset->vledPresetName->GetText();
  fmStorePreset->SetPresetName(21, "Beyond");
  fmStorePreset->SetPresetName(-1, "Before");
  EXPECT_EQ(fmStorePreset->vledPresetName->GetText(), before);

  for (int row = 0; row < 22; ++row) fmRecallPreset->SetPresetName(row, std::string(DefaultPresetName));
  for (int row = 0; row < 21; ++row) fmStorePreset->SetPresetName(row, std::string(DefaultPresetName));
}

TEST_F(DialogMembersTest, ScanDialogKeepsTheOutcomeAndShowsALostLink) {
  EXPECT_FALSE(fmNetwork->HasSucceeded());
  fmNetwork->ConnectResult(1);
  EXPECT_TRUE(fmNetwork->HasSucceeded());
  EXPECT_TRUE(fmNetwork->tmConnect->GetEnabled());
  ASSERT_TRUE(PumpUntil([] { return !fmNetwork->tmConnect->GetEnabled(); }));
  // The flag outlives the dialog's closing.
  EXPECT_TRUE(fmNetwork->HasSucceeded());

  fmNetwork->btnOK->SetEnabled(false);
  fmNetwork->btnId->SetEnabled(false);
  fmNetwork->btnExit->SetEnabled(false);
  fmProcess->Show();
  fmNetwork->LinkBroken();
  EXPECT_FALSE(fmNetwork->HasSucceeded());
  EXPECT_FALSE(fmProcess->GetVisible());
  ASSERT_TRUE(PumpUntil([] { return !fmNetwork->tmLinkBroken->GetEnabled(); }));
  EXPECT_EQ(fmNetwork->lblScan->GetCaption(), GetLangText(LanguageEnglish, "SID_LINK_BROKEN"));
  EXPECT_EQ(fmNetwork->lblDeviceID->GetCaption(), "");
  EXPECT_TRUE(fmNetwork->btnOK->GetEnabled());
  EXPECT_TRUE(fmNetwork->btnId->GetEnabled());
  EXPECT_TRUE(fmNetwork->btnExit->GetEnabled());

  fmNetwork->ConnectResult(0);
  EXPECT_FALSE(fmNetwork->HasSucceeded());
  ASSERT_TRUE(PumpUntil([] { return !fmNetwork->tmConnect->GetEnabled(); }));
}

TEST_F(DialogMembersTest, ReportsEndTheModalShowingsOfScanAndProgress) {
  // A successful attempt closes the scan dialog that waits for it.
  QTimer::singleShot(0, [] { fmNetwork->ConnectResult(1); });
  EXPECT_EQ(fmNetwork->ShowModal(), mrOk);
  EXPECT_TRUE(fmNetwork->HasSucceeded());

  // A lost link closes the progress window of a transfer in progress.
  QTimer::singleShot(0, [] { fmNetwork->LinkBroken(); });
  EXPECT_EQ(fmProcess->ShowModal(), mrCancel);
  EXPECT_FALSE(fmNetwork->HasSucceeded());
  ASSERT_TRUE(PumpUntil([] { return !fmNetwork->tmLinkBroken->GetEnabled(); }));
}

TEST_F(DialogMembersTest, UnlockDialogStoresTheDevicesVerdict) {
  for (std::uint8_t state : {0, 1, 255}) {
    fmLockPassWord->SetCheckState(state);
    EXPECT_EQ(fmLockPassWord->GetCheckState(), state);
  }
  EXPECT_EQ(fmLockPassWord->edName->GetText(), "****");
  EXPECT_FALSE(fmLockPassWord->tmCheck->GetEnabled());
}

}  // namespace
