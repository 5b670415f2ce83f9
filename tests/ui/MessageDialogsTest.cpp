// The message, progress, exit, memo, about and factory-default windows:
// their texts in both languages, what OK and Cancel answer and do, the
// progress bar's positions, and what each keeps between showings.

#include <gtest/gtest.h>

#include <QTimer>

#include <string>
#include <string_view>
#include <vector>

#include "ProgramFormsTestSupport.h"
#include "controls/AdvProgressBar.h"
#include "dialogs/Fabout.h"
#include "dialogs/Fexit.h"
#include "dialogs/Ffactory.h"
#include "dialogs/Finformation.h"
#include "dialogs/Fmemo.h"
#include "dialogs/Fprocess.h"
#include "mainwindow/FMainLanguage.h"
#include "model/CommonConstants.h"
#include "platform/classlib/ComCtrls.h"
#include "platform/classlib/RzControls.h"
#include "platform/classlib/StdCtrls.h"

using namespace program_forms_test;

namespace {

// Shows the form modally and clicks Button once the modal loop runs.
TModalResult ShowModalAndClick(TForm* Form, TRzBmpButton* Button) {
  QTimer::singleShot(0, [Button] { Button->Click(); });
  return Form->ShowModal();
}

class MessageDialogsTest : public ProgramFormsSuite {
 protected:
  void SetUp() override {
    closeAsked = 0;
    fmMain->OnCloseQuery = [this](TObject*, bool& CanClose) {
      ++closeAsked;
      CanClose = false;  // the test program goes on
    };
  }
  void TearDown() override { fmMain->OnCloseQuery = nullptr; }
  int closeAsked = 0;
};

TEST_F(MessageDialogsTest, TextsComeFromTheLanguageTableInBothLanguages) {
  struct Case {
    std::function<void(std::string_view)> setTexts;
    std::function<std::string()> shown;
    const char* key;
  };
  const std::vector<Case> cases = {
      {[](auto l) { fmInformation->SetTexts(l); }, [] { return fmInformation->GetCaption(); },
       "SID_INFO_TITLE"},
      {[](auto l) { fmInformation->SetTexts(l); }, [] { return fmInformation->btnOK->GetCaption(); },
       "SID_EXIT_OK"},
      {[](auto l) { fmProcess->SetTexts(l); }, [] { return fmProcess->GetCaption(); }, "SID_PROCESS"},
      {[](auto l) { fmExit->SetTexts(l); }, [] { return fmExit->GetCaption(); }, "SID_INFO_TITLE"},
      {[](auto l) { fmExit->SetTexts(l); }, [] { return fmExit->lbExit->GetCaption(); }, "SID_EXIT_QUIT"},
      {[](auto l) { fmExit->SetTexts(l); }, [] { return fmExit->btnOK->GetCaption(); }, "SID_EXIT_OK"},
      {[](auto l) { fmExit->SetTexts(l); }, [] { return fmExit->btnCancel->GetCaption(); },
       "SID_EXIT_CANCEL"},
      {[](auto l) { fmAbout->SetTexts(l); }, [] { return fmAbout->GetCaption(); }, "SID_ABOUT"},
      {[](auto l) { fmFactory->SetTexts(l); }, [] { return fmFactory->GetCaption(); }, "SID_INFO_TITLE"},
      {[](auto l) { fmFactory->SetTexts(l); }, [] { return fmFactory->lbMessage->GetCaption(); },
       "SID_FACTORY_DEFAULT"},
      {[](auto l) { fmFactory->SetTexts(l); }, [] { return fmFactory->btnOK->GetCaption(); }, "SID_EXIT_OK"},
      {[](auto l) { fmFactory->SetTexts(l); }, [] { return fmFactory->bnCancel->GetCaption(); },
       "SID_EXIT_CANCEL"},
  };
  for (std::string_view language : {LanguageChineseGB, LanguageEnglish}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(language) + " " + c.key);
      c.setTexts(language);
      EXPECT_EQ(c.shown(), GetLangText(language, c.key));
      EXPECT_FALSE(c.shown().empty());
    }
  }
  // The English texts the windows are known by.
  EXPECT_EQ(fmExit->lbExit->GetCaption(), "Are you sure to quit ?");
  EXPECT_EQ(fmFactory->lbMessage->GetCaption(), "Are you Sure to Return Factory Default?");
  EXPECT_EQ(fmProcess->GetCaption(), "Process");
}

TEST_F(MessageDialogsTest, ShowingTakesTheTextsOfTheMainWindowsLanguage) {
  fmMain->ChineseSimplifiedClick(fmMain->FindComponent("ChineseSimplified"));
  fmExit->Show();
  EXPECT_EQ(fmExit->GetCaption(), GetLangText(LanguageChineseGB, "SID_INFO_TITLE"));
  EXPECT_EQ(fmExit->lbExit->GetCaption(), GetLangText(LanguageChineseGB, "SID_EXIT_QUIT"));
  fmExit->Hide();
  fmMain->EnglishClick(fmMain->FindComponent("English"));
  fmExit->Show();
  EXPECT_EQ(fmExit->lbExit->GetCaption(), "Are you sure to quit ?");
  fmExit->Hide();
}

TEST_F(MessageDialogsTest, MessageWindowShowsWhatItsLastCallerWrote) {
  EXPECT_EQ(fmInformation->lbMessage->GetCaption(), "You Must Connect First !!");
  EXPECT_EQ(ShowModalAndClick(fmInformation, fmInformation->btnOK), mrOk);
  EXPECT_EQ(fmInformation->GetCaption(), "Information");
  EXPECT_EQ(fmInformation->lbMessage->GetCaption(), "You Must Connect First !!");

  fmInformation->lbMessage->SetCaption(GetLangText(LanguageEnglish, "SID_INFO_ERROR_FILE"));
  EXPECT_EQ(ShowModalAndClick(fmInformation, fmInformation->btnOK), mrOk);
  // Shown again without a new text: the previous one stays.
  EXPECT_EQ(ShowModalAndClick(fmInformation, fmInformation->btnOK), mrOk);
  EXPECT_EQ(fmInformation->lbMessage->GetCaption(), GetLangText(LanguageEnglish, "SID_INFO_ERROR_FILE"));
  EXPECT_FALSE(fmInformation->GetVisible());
}

TEST_F(MessageDialogsTest, ExitOkConfirmsAndClosesTheMainWindow) {
  fmMain->SetCloseConfirmed(false);
  EXPECT_EQ(ShowModalAndClick(fmExit, fmExit->btnOK), mrOk);
  EXPECT_TRUE(fmMain->GetState().CloseConfirmed);
  EXPECT_EQ(closeAsked, 1);
  EXPECT_FALSE(fmExit->GetVisible());
}

TEST_F(MessageDialogsTest, ExitCancelKeepsTheProgramRunningAndClearsTheConfirmation) {
  fmMain->SetCloseConfirmed(true);
  EXPECT_EQ(ShowModalAndClick(fmExit, fmExit->btnCancel), mrCancel);
  EXPECT_FALSE(fmMain->GetState().CloseConfirmed);
  EXPECT_EQ(closeAsked, 0);

  // Shown without waiting, as the main window's close handler shows it.
  fmMain->SetCloseConfirmed(true);
  fmExit->Show();
  EXPECT_EQ(fmExit->GetCaption(), "Information");
  fmExit->btnCancel->Click();
  EXPECT_FALSE(fmExit->GetVisible());
  EXPECT_FALSE(fmMain->GetState().CloseConfirmed);
  EXPECT_TRUE(fmMain->GetVisible());
  EXPECT_EQ(closeAsked, 0);
}

TEST_F(MessageDialogsTest, FactoryDefaultAnswersOkAndCancel) {
  // OK starts a factory reset, which waits for the device's answer.
  FormsChangedForGood();
  EXPECT_EQ(ShowModalAndClick(fmFactory, fmFactory->btnOK), mrOk);
  EXPECT_EQ(ShowModalAndClick(fmFactory, fmFactory->bnCancel), mrCancel);
  EXPECT_FALSE(fmFactory->GetVisible());
  EXPECT_EQ(closeAsked, 0);
}

TEST_F(MessageDialogsTest, AboutBoxNamesTheVersionAndCloses) {
  EXPECT_EQ(fmAbout->Version->GetCaption(), "Version : " + std::string(AppVersion));
  EXPECT_FALSE(fmAbout->ProductName->GetCaption().empty());
  EXPECT_NE(fmAbout->Copyright->GetCaption().find("Copyright"), std::string::npos);
  EXPECT_EQ(ShowModalAndClick(fmAbout, fmAbout->btnOK), mrOk);
  EXPECT_EQ(fmAbout->GetCaption(), "About");
}

TEST_F(MessageDialogsTest, MemoClearEmptiesTheListAndNothingRefillsIt) {
  EXPECT_EQ(fmMemo->GetCaption(), "Message List");
  ASSERT_EQ(fmMemo->Memo->GetLines()->GetCount(), 1);
  EXPECT_EQ(fmMemo->Memo->GetLines()->Get(0), "Memo");
  fmMemo->Show();
  fmMemo->bnClearMemo->Click();
  EXPECT_EQ(fmMemo->Memo->GetLines()->GetCount(), 0);
  fmMemo->Hide();
  fmMemo->Show();
  EXPECT_EQ(fmMemo->Memo->GetLines()->GetCount(), 0);
  fmMemo->bnClearMemo->Click();  // an empty list stays empty
  EXPECT_EQ(fmMemo->Memo->GetText(), "");
  fmMemo->Hide();
}

TEST_F(MessageDialogsTest, ProgressWindowStartsEmptyAndFollowsItsDriver) {
  TAdvProgressBar* bar = fmProcess->ProgressBar;
  EXPECT_EQ(bar->GetPosition(), 0);
  EXPECT_EQ(bar->GetLevel1Perc(), 70);
  EXPECT_EQ(bar->GetLevel2Perc(), 90);
  EXPECT_TRUE(fmProcess->StatusBar->GetSimplePanel());
  EXPECT_EQ(fmProcess->StatusBar->GetSimpleText(), "download now");

  // A transfer as the main window drives it: text, maximum, position 0,
  // then the replies advance it.
  fmProcess->StatusBar->SetSimpleText(GetLangText(LanguageEnglish, "SID_LOAD_PRESET"));
  bar->SetMax(26);
  bar->SetPosition(0);
  fmProcess->Show();
  EXPECT_EQ(fmProcess->GetCaption(), "Process");
  struct Step {
    int position;
    int shown;
    int percent;
  };
  for (const Step& s : {Step{13, 13, 50}, Step{26, 26, 100}, Step{40, 26, 100}, Step{-3, 0, 0}}) {
    SCOPED_TRACE(s.position);
    bar->SetPosition(s.position);
    EXPECT_EQ(bar->GetPosition(), s.shown);
    EXPECT_EQ(bar->GetPercent(), s.percent);
  }
  fmProcess->Close();
  EXPECT_FALSE(fmProcess->GetVisible());
  EXPECT_EQ(fmProcess->StatusBar->GetSimpleText(), GetLangText(LanguageEnglish, "SID_LOAD_PRESET"));
  bar->SetMax(100);
  bar->SetPosition(0);
}

}  // namespace
