// The program's set of forms: each made once by CreateProgramForms, the main
// window first and the dialogs in their fixed order, each in its global,
// hidden, with or without a close box; a freed form clears its global.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ProgramFormsTestSupport.h"
#include "dialogs/FHidData.h"
#include "dialogs/Fabout.h"
#include "dialogs/Fautomix.h"
#include "dialogs/Fcamera.h"
#include "dialogs/Fchannelname.h"
#include "dialogs/Fchnamelist.h"
#include "dialogs/Fcomp.h"
#include "dialogs/Fcopy.h"
#include "dialogs/Fexit.h"
#include "dialogs/Ffactory.h"
#include "dialogs/Fgroupctrl.h"
#include "dialogs/Fidselect.h"
#include "dialogs/Finformation.h"
#include "dialogs/Flinksel.h"
#include "dialogs/Flockpassword.h"
#include "dialogs/Flocksetup.h"
#include "dialogs/Fmemo.h"
#include "dialogs/Fnetworkscan.h"
#include "dialogs/Fnetworksetup.h"
#include "dialogs/Fpeqrst.h"
#include "dialogs/Fphantompotent.h"
#include "dialogs/Fprocess.h"
#include "dialogs/Frecallpreset.h"
#include "dialogs/Frvb.h"
#include "dialogs/Fstorename.h"
#include "dialogs/Fstorepreset.h"
#include "dialogs/Fsubctrl.h"
#include "dialogs/Ftest.h"
#include "rs232codes/Frs232cmd.h"
#include "platform/classlib/RzControls.h"
#include "platform/classlib/StdCtrls.h"
#include "rs232codes/Frs232code.h"

using namespace program_forms_test;

namespace {

struct FormEntry {
  const char* className;
  const char* name;
  bool closeBox;
  std::function<TCustomForm*()> global;
};

#define FORM(cls, glob, close)                                         \
  {                                                                    \
#cls, #glob, close, [] { return static_cast<TCustomForm*>(glob); } \
  }

const std::vector<FormEntry>& ProgramFormTable() {
  static const std::vector<FormEntry> table = {
      FORM(TfmMain, fmMain, true),
      FORM(TfmHidData, fmHidData, true),
      FORM(TfmPeqRst, fmPeqRst, false),
      FORM(TfmAbout, fmAbout, true),
      FORM(TfmRs232Code, fmRs232Code, true),
      FORM(TfmRs232CodeEnglish, fmRs232CodeEnglish, true),
      FORM(TfmLockPassWord, fmLockPassWord, false),
      FORM(TfmLockSetup, fmLockSetup, false),
      FORM(TfmNetwork, fmNetwork, false),
      FORM(TfmProcess, fmProcess, false),
      FORM(TfmInformation, fmInformation, false),
      FORM(TfmExit, fmExit, false),
      FORM(TfmMemo, fmMemo, true),
      FORM(TfmRecallPreset, fmRecallPreset, false),
      FORM(TfmChannelName, fmChannelName, false),
      FORM(TfmStorePreset, fmStorePreset, false),
      FORM(TfmFactory, fmFactory, false),
      FORM(TfmIdSelect, fmIdSelect, false),
      FORM(TfmTest, fmTest, true),
      FORM(TfmLinkSel, fmLinkSel, true),
      FORM(TfmChNameList, fmChNameList, true),
      FORM(TfmStoreName, fmStoreName, false),
      FORM(TfmNetworkSetup, fmNetworkSetup, true),
      FORM(TfmCopy, fmCopy, true),
      FORM(TfmPhantomPotent, fmPhantomPotent, true),
      FORM(TfmRvb, fmRvb, true),
      FORM(TfmCamera, fmCamera, true),
      FORM(TfmComp, fmComp, true),
      FORM(TfmAutoMix, fmAutoMix, true),
      FORM(TfmRs232Cmd, fmRs232Cmd, true),
      FORM(TfmRs232CmdEnglish, fmRs232CmdEnglish, true),
      FORM(TfmSubCtrl, fmSubCtrl, true),
      FORM(TfmGroupCtrl, fmGroupCtrl, true),
  };
  return table;
}

#undef FORM

using ProgramFormsTest = ProgramFormsSuite;

TEST_F(ProgramFormsTest, EveryFormExistsOnceInTheProgramsOrder) {
  const auto& table = ProgramFormTable();
  const std::vector<TCustomForm*>& created = CreatedForms();
  ASSERT_EQ(created.size(), table.size());
  for (std::size_t i = 0; i < table.size(); ++i) {
    SCOPED_TRACE(table[i].name);
    EXPECT_EQ(created[i]->ClassName(), table[i].className);
    EXPECT_EQ(created[i]->GetName(), table[i].name);
    EXPECT_EQ(table[i].global(), created[i]);
    for (std::size_t j = 0; j < i; ++j) EXPECT_NE(created[j], created[i]);
  }
  EXPECT_EQ(App()->GetMainForm(), fmMain);
}

TEST_F(ProgramFormsTest, OnlyTheMainWindowIsShownAtStartUp) {
  for (const FormEntry& entry : ProgramFormTable()) {
    SCOPED_TRACE(entry.name);
    EXPECT_EQ(entry.global()->GetVisible(), entry.global() == fmMain);
  }
}

TEST_F(ProgramFormsTest, CloseBoxAndStayOnTopAsEachFormsRoleNeeds) {
  for (const FormEntry& entry : ProgramFormTable()) {
    SCOPED_TRACE(entry.name);
    TCustomForm* form = entry.global();
    EXPECT_EQ(form->GetBorderIcons().Contains(biSystemMenu), entry.closeBox);
  }
  // The scan dialog and the progress window stay above the other windows.
  EXPECT_EQ(fmNetwork->GetFormStyle(), fsStayOnTop);
  EXPECT_EQ(fmProcess->GetFormStyle(), fsStayOnTop);
}

TEST_F(ProgramFormsTest, OpeningADialogTwiceShowsTheSameInstanceAsItWasLeft) {
  TfmInformation* first = fmInformation;
  first->lbMessage->SetCaption("kept");
  first->Show();
  first->btnOK->Click();
  EXPECT_FALSE(first->GetVisible());
  first->Show();
  EXPECT_EQ(fmInformation, first);
  EXPECT_EQ(first->lbMessage->GetCaption(), "kept");
  first->btnOK->Click();
}

// Its own suite: it frees every form.
TEST(ProgramFormsFreeTest, AFreedFormClearsItsGlobal) {
  CreateForms();
  const auto& table = ProgramFormTable();
  for (auto it = table.rbegin(); it != table.rend(); ++it) {
    SCOPED_TRACE(it->name);
    TCustomForm* form = it->global();
    ASSERT_NE(form, nullptr);
    form->Free();
    EXPECT_EQ(it->global(), nullptr);
  }
  EXPECT_EQ(App()->GetMainForm(), nullptr);
  CreatedForms().clear();
}

}  // namespace
