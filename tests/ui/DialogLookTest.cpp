// The dialogs rendered offscreen, in English and in Chinese, to PNGs (the
// test's temporary folder, and TAVO_DIALOG_PNG when set) for a person to
// look at, with probes that each wears the console face and that its
// texts fit their places.

#include <gtest/gtest.h>

#include <QImage>
#include <QString>

#include <cstdlib>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ProgramFormsTestSupport.h"
#include "controls/AdvProgressBar.h"
#include "dialogs/DialogLook.h"
#include "dialogs/Fabout.h"
#include "dialogs/Fautomix.h"
#include "dialogs/Fchannelname.h"
#include "dialogs/Fchnamelist.h"
#include "dialogs/Fcomp.h"
#include "dialogs/Fcopy.h"
#include "dialogs/Fexit.h"
#include "dialogs/Ffactory.h"
#include "dialogs/Fidselect.h"
#include "dialogs/Finformation.h"
#include "dialogs/Flinksel.h"
#include "dialogs/Flockpassword.h"
#include "dialogs/Fmemo.h"
#include "dialogs/Fnetworkscan.h"
#include "dialogs/Fnetworksetup.h"
#include "dialogs/Fpeqrst.h"
#include "dialogs/Fprocess.h"
#include "dialogs/Fstorepreset.h"
#include "mainwindow/FMainLanguage.h"
#include "platform/classlib/ControlImage.h"
#include "platform/classlib/RzControls.h"
#include "platform/classlib/StdCtrls.h"

using namespace program_forms_test;

namespace {

using DialogLookTest = ProgramFormsSuite;

// The form's picture, as a file in the test's temporary folder (and in
// TAVO_DIALOG_PNG when set), read back for the probes.
QImage Render(TForm* form, const std::string& name) {
  const std::string path = ::testing::TempDir() + name;
  EXPECT_TRUE(SaveControlImage(form, path));
  if (const char* dir = std::getenv("TAVO_DIALOG_PNG"); dir && *dir) {
    EXPECT_TRUE(SaveControlImage(form, std::string(dir) + "/" + name));
  }
  return QImage(QString::fromStdString(path));
}

TColor PixelColor(const QImage& shot, int x, int y) {
  const QRgb p = shot.pixel(x, y);
  return RGB(qRed(p), qGreen(p), qBlue(p));
}

TEST_F(DialogLookTest, EveryDialogWearsTheConsoleFaceInBothLanguages) {
  struct Case {
    TForm* form;
    std::function<void(std::string_view)> setTexts;
  };
  const std::vector<Case> cases = {
      {fmInformation, [](auto l) { fmInformation->SetTexts(l); }},
      {fmProcess, [](auto l) { fmProcess->SetTexts(l); }},
      {fmExit, [](auto l) { fmExit->SetTexts(l); }},
      {fmMemo, nullptr},
      {fmAbout, [](auto l) { fmAbout->SetTexts(l); }},
      {fmFactory, [](auto l) { fmFactory->SetTexts(l); }},
      {fmNetwork, [](auto l) { fmNetwork->SetTexts(l); }},
      {fmNetworkSetup, nullptr},
      {fmIdSelect, nullptr},
      {fmLockPassWord, nullptr},
      {fmStorePreset, nullptr},
      {fmAutoMix, nullptr},
      {fmComp, nullptr},
      {fmLinkSel, [](auto l) { fmLinkSel->SetTexts(l); }},
      {fmCopy, [](auto l) { fmCopy->SetTexts(l); }},
      {fmChannelName, [](auto l) { fmChannelName->SetTexts(l); }},
      {fmChNameList, [](auto l) { fmChNameList->SetTexts(l); }},
      {fmPeqRst, [](auto l) { fmPeqRst->SetTexts(l); }},
  };
  fmProcess->ProgressBar->SetPosition(62);
  for (std::string_view language : {LanguageEnglish, LanguageChineseGB}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(c.form->GetName() + " " + std::string(language));
      if (c.setTexts) c.setTexts(language);
      const QImage shot = Render(c.form, c.form->GetName() + "-" + std::string(language) + ".png");
      EXPECT_FALSE(c.form->GetVisible());
      ASSERT_FALSE(shot.isNull());
      EXPECT_EQ(shot.width(), c.form->GetClientWidth());
      EXPECT_EQ(PixelColor(shot, 2, shot.height() / 2), dialog_look::Face);
    }
  }
  fmProcess->ProgressBar->SetPosition(0);
  for (const Case& c : cases)
    if (c.setTexts) c.setTexts(LanguageEnglish);
}

TEST_F(DialogLookTest, ButtonCaptionsFitTheirButtonsInBothLanguages) {
  for (std::string_view language : {LanguageEnglish, LanguageChineseGB}) {
    fmExit->SetTexts(language);
    fmFactory->SetTexts(language);
    fmNetwork->SetTexts(language);
    fmLinkSel->SetTexts(language);
    fmCopy->SetTexts(language);
    fmChannelName->SetTexts(language);
    fmChNameList->SetTexts(language);
    fmPeqRst->SetTexts(language);
    for (TForm* form : {static_cast<TForm*>(fmExit), static_cast<TForm*>(fmFactory),
                        static_cast<TForm*>(fmNetwork), static_cast<TForm*>(fmInformation),
                        static_cast<TForm*>(fmLinkSel), static_cast<TForm*>(fmCopy),
                        static_cast<TForm*>(fmChannelName), static_cast<TForm*>(fmChNameList),
                        static_cast<TForm*>(fmPeqRst)}) {
      for (int i = 0; i < form->GetComponentCount(); ++i) {
        auto* button = dynamic_cast<TRzBmpButton*>(form->GetComponents(i));
        if (!button) continue;
        SCOPED_TRACE(form->GetName() + "." + button->GetName() + " " + std::string(language));
        TBitmap probe;
        probe.SetSize(8, 8);
        probe.GetCanvas()->GetFont()->Assign(button->GetFont());
        EXPECT_LT(probe.GetCanvas()->TextWidth(button->GetCaption()), button->GetWidth() - 8);
      }
    }
  }
  fmExit->SetTexts(LanguageEnglish);
  fmFactory->SetTexts(LanguageEnglish);
  fmNetwork->SetTexts(LanguageEnglish);
  fmLinkSel->SetTexts(LanguageEnglish);
  fmCopy->SetTexts(LanguageEnglish);
  fmChannelName->SetTexts(LanguageEnglish);
  fmChNameList->SetTexts(LanguageEnglish);
  fmPeqRst->SetTexts(LanguageEnglish);
}

// No dialog without a way out: every dialog that has keys has one marked
// Cancel, which Escape clicks; the rest (the progress window) close
// themselves.
TEST_F(DialogLookTest, EveryDialogWithKeysHasAWayOutOnEscape) {
  int dialogs = 0;
  for (int f = 0; f < Screen->GetFormCount(); ++f) {
    TCustomForm* form = Screen->GetForms(f);
    // The message list is modeless, with its close box.
    if (form == Application->GetMainForm() || form == fmMemo) continue;
    int keys = 0, ways = 0;
    for (int i = 0; i < form->GetComponentCount(); ++i)
      if (auto* key = dynamic_cast<TRzBmpButton*>(form->GetComponents(i))) {
        ++keys;
        ways += key->GetCancel();
      }
    if (keys == 0) continue;
    ++dialogs;
    EXPECT_EQ(ways, 1) << form->GetName();
  }
  EXPECT_GE(dialogs, 10);
}

}  // namespace

