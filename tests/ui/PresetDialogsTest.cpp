// The preset lists and their name dialog, and the device ID dialog, driven
// as the user drives them: the modal loops run, and the steps inside them
// come from a timer.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTimer>

#include <cstdlib>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "ProgramFormsTestSupport.h"
#include "dialogs/Fidselect.h"
#include "dialogs/Finformation.h"
#include "dialogs/Frecallpreset.h"
#include "dialogs/Fstorename.h"
#include "dialogs/Fstorepreset.h"
#include "link/LCmd.h"
#include "mainwindow/FMainLanguage.h"
#include "platform/classlib/ControlImage.h"
#include "platform/classlib/Keys.h"
#include "platform/classlib/RzControls.h"
#include "platform/classlib/StdCtrls.h"
#include "platform/sys/CodePage.h"

using namespace program_forms_test;

namespace {

// Steps run in order from a timer, so that they also run inside the modal
// loops the dialogs open. Past the deadline every modal loop is ended, so
// that a test that waits in vain fails instead of hanging.
class InLoop {
 public:
  InLoop() {
    FClock.start();
    FTimer.setInterval(5);
    QObject::connect(&FTimer, &QTimer::timeout, [this] { Tick(); });
    FTimer.start();
  }
  void When(std::function<bool()> Cond, std::function<void()> Act) {
    FSteps.push_back({std::move(Cond), std::move(Act)});
  }
  bool Done() const { return FSteps.empty(); }

 private:
  struct Step {
    std::function<bool()> Cond;
    std::function<void()> Act;
  };
  void Tick() {
    if (FClock.elapsed() > 10000) {
      for (int i = 0; i < Application->GetComponentCount(); ++i)
        if (auto* form = dynamic_cast<TCustomForm*>(Application->GetComponents(i)))
          if (form->IsModal()) form->SetModalResult(mrCancel);
      return;
    }
    if (FSteps.empty() || !FSteps.front().Cond()) return;
    // An action may open a modal loop of its own: it runs from a timer of
    // its own, and the later steps run inside that loop.
    QTimer::singleShot(0, [act = std::move(FSteps.front().Act)] { act(); });
    FSteps.pop_front();
  }
  std::deque<Step> FSteps;
  QElapsedTimer FClock;
  QTimer FTimer;
};

bool Shown(TCustomForm* form) {
  return form && form->GetVisible();
}

// A click on a grid row (1 is the first below the titles), as the mouse does.
void ClickRow(TPresetListForm* list, int gridRow) {
  const int y = gridRow * TPresetNameGrid::RowHeight + TPresetNameGrid::RowHeight / 2;
  classlib_test::Press(list->vledPresetName, 40, y);
  classlib_test::Release(list->vledPresetName, 40, y);
}

std::string Row(TPresetListForm* list, int row) {
  return list->vledPresetName->GetStrings()->Get(row);
}

struct SentFrame {
  int DeviceId;
  int Code;
  std::vector<std::uint8_t> Payload;
  bool operator==(const SentFrame&) const = default;
};

class PresetDialogsTest : public ProgramFormsSuite {
 protected:
  void SetUp() override {
    fmMain->SetSendSink([this](const LCmd& c, bool) { sent.push_back({c.DeviceId, c.Code, c.Payload}); });
  }
  void TearDown() override {
    fmMain->SetSendSink({});
    for (int row = 0; row < 22; ++row) fmRecallPreset->SetPresetName(row, std::string(DefaultPresetName));
    for (int row = 0; row < 21; ++row) fmStorePreset->SetPresetName(row, std::string(DefaultPresetName));
    fmMain->SetDeviceId(1);
  }

  std::vector<SentFrame> sent;
};

TEST_F(PresetDialogsTest, AStoreIntoU05NamesTheRowInBothListsAndClosesThem) {
  ASSERT_FALSE(fmMain->IsConnected());
  std::string title;
  std::string shownName;
  bool editable = false;
  InLoop steps;
  steps.When([] { return Shown(fmStorePreset); }, [] { ClickRow(fmStorePreset, 5); });
  steps.When([] { return Shown(fmStoreName); },
             [&] {
               title = fmStoreName->lTitle->GetCaption();
               shownName = fmStoreName->edName->GetText();
               editable = fmStoreName->edName->GetEnabled();
               fmStoreName->edName->SetText("Main Hall");
               fmStoreName->btnOK->Click();
             });
  // Through the main window's store button, as the user opens it.
  fmMain->bStoreClick(nullptr);
  EXPECT_TRUE(steps.Done());
  EXPECT_EQ(title, "U05 : ");
  EXPECT_EQ(shownName, "Default Preset");
  EXPECT_TRUE(editable);
  EXPECT_FALSE(Shown(fmStoreName));
  EXPECT_FALSE(Shown(fmStorePreset));
  EXPECT_EQ(fmStorePreset->GetCaption(), "Store Preset");
  EXPECT_EQ(fmStorePreset->lPresetSelect->GetCaption(), "Store Preset");
  // Offline nothing reaches a device, yet both lists take the name.
  EXPECT_TRUE(sent.empty());
  EXPECT_EQ(fmStoreName->edName->GetText(), "Main Hall     ");
  EXPECT_EQ(Row(fmStorePreset, 4), "     U05=  Main Hall     ");
  EXPECT_EQ(Row(fmRecallPreset, 5), "     U05=  Main Hall     ");
  for (int row : {3, 5}) EXPECT_EQ(fmStorePreset->vledPresetName->GetValue(row), "Default Preset");

  // Chosen again, the name comes without its trailing blanks; Enter stores
  // it padded once more. A cancelled name dialog leaves the list open for
  // another choice.
  InLoop again;
  again.When([] { return Shown(fmStorePreset); }, [] { ClickRow(fmStorePreset, 1); });
  again.When([] { return Shown(fmStoreName); }, [] { fmStoreName->bnCancel->Click(); });
  again.When([] { return !Shown(fmStoreName) && Shown(fmStorePreset); }, [] { ClickRow(fmStorePreset, 5); });
  again.When([] { return Shown(fmStoreName); },
             [&] {
               shownName = fmStoreName->edName->GetText();
               std::uint16_t key = VK_RETURN;
               fmStoreName->edNameKeyDown(fmStoreName->edName, key, TShiftState());
             });
  EXPECT_EQ(fmStorePreset->ShowModal(), mrOk);
  EXPECT_TRUE(again.Done());
  EXPECT_EQ(shownName, "Main Hall");
  EXPECT_EQ(fmStoreName->GetSlot(), 4);
  EXPECT_EQ(Row(fmStorePreset, 4), "     U05=  Main Hall     ");
  EXPECT_EQ(Row(fmStorePreset, 0), "     U01=  Default Preset");
}

TEST_F(PresetDialogsTest, TheRecallListsFirstRowIsTheFactoryPresetShownReadOnly) {
  fmRecallPreset->SetPresetName(6, "Stage Left    ");
  struct Case {
    int gridRow;
    std::string title;
    int slot;
    std::string name;
  };
  for (const Case& c : {Case{1, "F00 : ", 0, "Default Preset"}, Case{7, "U06 : ", 6, "Stage Left"}}) {
    SCOPED_TRACE(c.title);
    std::string title;
    std::string name;
    bool editable = true;
    int mode = -1;
    InLoop steps;
    steps.When([] { return Shown(fmRecallPreset); }, [&] { ClickRow(fmRecallPreset, c.gridRow); });
    steps.When([] { return Shown(fmStoreName); },
               [&] {
                 title = fmStoreName->lTitle->GetCaption();
                 name = fmStoreName->edName->GetText();
                 editable = fmStoreName->edName->GetEnabled();
                 mode = fmStoreName->GetStoreMode();
                 fmStoreName->btnOK->Click();
               });
    fmMain->bRecallClick(nullptr);
    EXPECT_TRUE(steps.Done());
    EXPECT_EQ(title, c.title);
    EXPECT_EQ(name, c.name);
    EXPECT_FALSE(editable);
    EXPECT_EQ(mode, 0);
    EXPECT_EQ(fmStoreName->GetSlot(), c.slot);
    EXPECT_FALSE(Shown(fmRecallPreset));
    EXPECT_EQ(fmRecallPreset->GetCaption(), "Recall Preset");
  }
  // A recall renames nothing.
  EXPECT_EQ(Row(fmRecallPreset, 0), "     F00=  Default Preset");
  EXPECT_EQ(Row(fmRecallPreset, 6), "     U06=  Stage Left    ");
  EXPECT_TRUE(sent.empty());
}

TEST_F(PresetDialogsTest, ListCancelClosesTheListAndChangesNothing) {
  const std::string before = fmStorePreset->vledPresetName->GetText();
  InLoop steps;
  steps.When([] { return Shown(fmStorePreset); }, [] { fmStorePreset->bnCancel->Click(); });
  EXPECT_EQ(fmStorePreset->ShowModal(), mrCancel);
  EXPECT_TRUE(steps.Done());
  EXPECT_FALSE(Shown(fmStoreName));
  EXPECT_EQ(fmStorePreset->vledPresetName->GetText(), before);
}

TEST_F(PresetDialogsTest, ANameIsCutToFourteenBytesOnAWholeCharacterOfTheDevicesCodePage) {
  const AnsiCodePage page = GetAnsiCodePage();
  SetAnsiCodePage(AnsiCodePage::Gbk);
  struct Case {
    std::string typed;
    std::string stored;  // 14 bytes in the code page
  };
  const std::vector<Case> cases = {
      {"会议厅会议厅会议厅", "会议厅会议厅会"},  // seven characters of two bytes
      {"A会议厅会议厅会议", "A会议厅会议厅 "},   // the eighth would end in byte 15
      {"Main Hall", "Main Hall     "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    fmStoreName->SetSlot(2);
    fmStoreName->SetStoreMode(1);
    fmStoreName->edName->SetText(c.typed);
    fmStoreName->btnOKClick(nullptr);
    EXPECT_EQ(fmStoreName->edName->GetText(), c.stored);
    EXPECT_EQ(Utf8ToAnsi(fmStoreName->edName->GetText()).size(), 14u);
    // The row is made whole from the name, whatever its characters' sizes.
    const std::string row = Row(fmStorePreset, 2);
    EXPECT_EQ(row.substr(0, 11), "     U03=  ");
    EXPECT_EQ(fmStorePreset->vledPresetName->GetValue(2).substr(0, c.stored.size()), c.stored);
    EXPECT_EQ(fmRecallPreset->vledPresetName->GetValue(3), fmStorePreset->vledPresetName->GetValue(2));
    EXPECT_EQ(fmStorePreset->vledPresetName->GetKey(2), "U03");
  }
  SetAnsiCodePage(page);
}

// ---------------------------------------------------------------- device ID

class IdSelectTest : public PresetDialogsTest {
 protected:
  // Shows the dialog as its menu item does, types Id and presses Set; what
  // happens next is the caller's steps.
  void ShowAndSet(InLoop& steps, const std::string& id) {
    steps.When([] { return Shown(fmIdSelect); },
               [id] {
                 fmIdSelect->edId->SetText(id);
                 fmIdSelect->bnSet->Click();
               });
  }
};

TEST_F(IdSelectTest, TheCurrentIdDoesNothingAndTheDialogStaysOpen) {
  bool stillOpen = false;
  InLoop steps;
  steps.When([] { return Shown(fmIdSelect); },
             [] {
               // Shown with the main window's ID.
               EXPECT_EQ(fmIdSelect->edId->GetText(), "1");
               fmIdSelect->bnSet->Click();
             });
  steps.When([] { return true; },
             [&] {
               stillOpen = Shown(fmIdSelect);
               fmIdSelect->bnExit->Click();
             });
  fmMain->SettingIDClick(nullptr);
  EXPECT_TRUE(steps.Done());
  EXPECT_TRUE(stillOpen);
  EXPECT_TRUE(sent.empty());
  EXPECT_EQ(fmMain->GetState().DeviceId, 1);
}

TEST_F(IdSelectTest, AnIdOutOfRangeIsReportedAndNeverSent) {
  for (const std::string id : {"251", "0", "", "9999"}) {
    SCOPED_TRACE(id);
    std::string message;
    bool stillOpen = false;
    InLoop steps;
    ShowAndSet(steps, id);
    steps.When([] { return Shown(fmInformation); },
               [&] {
                 message = fmInformation->lbMessage->GetCaption();
                 fmInformation->btnOK->Click();
               });
    steps.When([] { return !Shown(fmInformation); },
               [&] {
                 stillOpen = Shown(fmIdSelect);
                 EXPECT_EQ(fmIdSelect->edId->GetText(), id) << "the typed text stays";
                 fmIdSelect->bnExit->Click();
               });
    fmMain->SettingIDClick(nullptr);
    EXPECT_TRUE(steps.Done());
    EXPECT_EQ(message, GetLangText(LanguageEnglish, "SID_ID_NUMBER_ERROR"));
    EXPECT_TRUE(stillOpen);
    EXPECT_TRUE(sent.empty());
    EXPECT_EQ(fmMain->GetState().DeviceId, 1);
  }
}

TEST_F(IdSelectTest, ANewIdIsTakenAndSentToTheNewId) {
  InLoop steps;
  ShowAndSet(steps, "7");
  fmMain->SettingIDClick(nullptr);
  EXPECT_TRUE(steps.Done());
  EXPECT_FALSE(Shown(fmIdSelect));
  EXPECT_EQ(fmMain->GetState().DeviceId, 7);
  EXPECT_EQ(sent, (std::vector<SentFrame>{{7, 0xBB, {7}}}));
  EXPECT_EQ(fmIdSelect->GetCaption(), "ID Number Select");
}

// For a look by eye, when TAVO_RENDER_DIR names a folder.
TEST_F(PresetDialogsTest, DialogsToPng) {
  const char* dir = std::getenv("TAVO_RENDER_DIR");
  if (!dir) GTEST_SKIP() << "set TAVO_RENDER_DIR to render the dialogs";
  fmRecallPreset->SetPresetName(5, "Main Hall     ");
  fmStoreName->SetStoreMode(1);
  fmStoreName->SetNameText("Main Hall     ");
  fmStoreName->lTitle->SetCaption("U05 : ");
  const std::vector<std::pair<TForm*, std::string>> forms = {{fmStorePreset, "store-list"},
                                                             {fmRecallPreset, "recall-list"},
                                                             {fmStoreName, "store-name"},
                                                             {fmIdSelect, "id-select"}};
  for (const auto& [form, name] : forms) {
    form->Show();
    EXPECT_TRUE(SaveControlImage(form, std::string(dir) + "/" + name + ".png")) << name;
    form->Hide();
  }
}

}  // namespace
