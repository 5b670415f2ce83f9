#pragma once
// The program's forms for the strip-page tests, made as the program makes
// them, and a look at one page at a time.

#include <QApplication>
#include <QImage>
#include <QWidget>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "dialogs/ProgramForms.h"
#include "mainwindow/FMain.h"
#include "mainwindow/FMainLanguage.h"
#include "platform/classlib/ExtCtrls.h"
#include "platform/classlib/Forms.h"

namespace strip_test {

inline TApplication* App() {
  if (!Application) {
    if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "strip-pages-test";
    static char* argv[] = {name, nullptr};
    new TApplication(argc, argv);
  }
  return Application;
}

// The main window and the dialogs, once per test program. The start-up
// timer would open the connect dialog once events run: it stays off here.
inline TfmMain* MainWindow() {
  TApplication* app = App();
  if (!fmMain) CreateProgramForms(*app);
  if (auto* t = dynamic_cast<TTimer*>(fmMain->FindComponent("tmStartConnect"))) t->SetEnabled(false);
  return fmMain;
}

inline TControl* Control(const std::string& name) {
  return dynamic_cast<TControl*>(MainWindow()->FindComponent(name));
}

// Shows the named page boxes only, in front, as page navigation leaves them.
inline void ShowOnly(std::initializer_list<const char*> boxes) {
  TWinControl* main = MainWindow()->GetMainBox();
  for (int i = 0; i < main->GetControlCount(); ++i) main->GetControls(i)->SetVisible(false);
  for (const char* name : boxes) {
    TControl* c = Control(name);
    if (!c) continue;
    c->SetVisible(true);
    c->BringToFront();
  }
  for (int i = 0; i < 5; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents);
}

inline QImage Shot(TControl* c) {
  return c->GetWidget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The captions of the strip pages that the language pass writes, with the
// key of each (one state of each two-state caption), and the pixels a
// control leaves beside its text (LED, frame).
struct StripCaption {
  std::string name;
  std::string key;
  int room;
};

inline std::vector<StripCaption> StripCaptions() {
  std::vector<StripCaption> captions = {
      {"lbGainInput", "SID_IN", 0},         {"lbGainOutput", "SID_OUT", 0},
      {"lbGainSel", "SID_CH_SELECT", 0},    {"rzbGainSelIn", "SID_IN", 8},
      {"rzbGainSelOut", "SID_OUT", 8},      {"lbFftGainIn", "SID_IN", 0},
      {"lbFftGainOut", "SID_OUT", 0},       {"lbGainEff", "SID_GAIN", 0},
      {"rzbMuteEff", "SID_MUTE", 8},        {"lbMatrixEff", "SID_CH_SELECT", 0},
      {"lbCompEff", "SID_EFF_COMP", 0},     {"rzbCompSetEff", "SID_SETUP", 8},
      {"rzbEffectSetEff", "SID_SETUP", 8},  {"lbEffectEff", "SID_EFFECT", 0},
      {"rzbOnOffEff", "SID_OFF", 8},        {"rzbAutoMixOnOffEff", "SID_OFF", 8},
      {"rzbCameraOnOffEff", "SID_OFF", 8},  {"rzbAutoMixSetEff", "SID_SETUP", 8},
      {"lbAutoMixEff", "SID_EFF_MIX", 0},   {"rzbCameraSetEff", "SID_SETUP", 8},
      {"lbCameraEff", "SID_EFF_CAMERA", 0}, {"lbEqParamEff", "SID_EQ_PARAM", 0},
      {"lbEqFreqEff", "SID_EQ_FREQ", 0},    {"lbEqBwEff", "SID_EQ_BW", 0},
      {"lbEqGainEff", "SID_EQ_GAIN", 0},    {"lbFbtInA", "SID_MIC_FBQ", 0},
  };
  for (const std::string sx : {"InA", "Out1"}) {
    for (const auto& [n, k] :
         std::vector<std::pair<std::string, std::string>>{{"lbGain", "SID_GAIN"},
                                                          {"lbEqParam", "SID_EQ_PARAM"},
                                                          {"lbEqFreq", "SID_EQ_FREQ"},
                                                          {"lbEqBw", "SID_EQ_BW"},
                                                          {"lbEqGain", "SID_EQ_GAIN"},
                                                          {"lbLowCutFreq", "SID_HPF"},
                                                          {"lbLowCutSlop", "SID_HLP_SLOP"},
                                                          {"lbHighCutFreq", "SID_LPF"},
                                                          {"lbHighCutSlop", "SID_HLP_SLOP"}})
      captions.push_back({n + sx, k, 0});
    for (const auto& [n, k] :
         std::vector<std::pair<std::string, std::string>>{{"rzbMute", "SID_MUTE"},
                                                          {"rzbPhase", "SID_PHASE_ON"},
                                                          {"rzbPhase", "SID_PHASE_OFF"},
                                                          {"rzbLowCutBypass", "SID_HLP_BYPASS"},
                                                          {"rzbHighCutBypass", "SID_HLP_BYPASS"}})
      captions.push_back({n + sx, k, 8});
  }
  for (int k = 0; k < 5; ++k)
    captions.push_back({"rzbFbtLevel" + std::to_string(k) + "InA", "SID_MIC_FBT" + std::to_string(k), 8});
  for (int i = 0; i < 8; ++i) {
    const std::string x(1, static_cast<char>('A' + i)), n = std::to_string(i + 1);
    captions.push_back({"rzbMuteBackupIn" + x, "SID_MUTE", 8});
    captions.push_back({"rzbMuteBackupOut" + n, "SID_MUTE", 8});
    for (const char* k : {"SID_PHASE_ON", "SID_PHASE_OFF"}) {
      captions.push_back({"rzbPhaseBackupIn" + x, k, 8});
      captions.push_back({"rzbPhaseBackupOut" + n, k, 8});
    }
    for (const char* k : {"SID_POTENT_MIC", "SID_POTENT_LINE"})
      captions.push_back({"rzbLineBackupIn" + x, k, 8});
    captions.push_back({"lbFftParamIn" + x, "SID_PARAM_KEY", 0});
    captions.push_back({"lbFftParamOut" + n, "SID_PARAM_KEY", 0});
    for (const std::string& sx : {"In" + x, "Out" + n}) {
      captions.push_back({"vrbEqShowAll" + sx, "SID_SHOW_ALL_EQ", 14});
      captions.push_back({"vrbEqReset" + sx, "SID_RESET_EQ", 6});
      captions.push_back({"vrbEqBypass" + sx, "SID_BYPASS_EQ", 6});
    }
  }
  for (const char* k : {"SID_POTENT_MIC", "SID_POTENT_LINE"}) captions.push_back({"rzbLineInA", k, 8});
  captions.push_back({"lbFftParamEff", "SID_PARAM_KEY", 0});
  captions.push_back({"vrbEqShowAllEff", "SID_SHOW_ALL_EQ", 14});
  captions.push_back({"vrbEqResetEff", "SID_RESET_EQ", 6});
  captions.push_back({"vrbEqBypassEff", "SID_BYPASS_EQ", 6});
  captions.push_back({"lbEqInA", "SID_EQ_PARAM_TITLE", 0});
  captions.push_back({"lbEqOut1", "SID_EQ_PARAM_TITLE", 0});
  captions.push_back({"lbEqEff", "SID_EFF_EQ_TITLE", 0});
  return captions;
}

// Switches the window's language through its language menu, as a user does.
inline void SwitchLanguage(std::string_view language) {
  TfmMain* form = MainWindow();
  if (language == LanguageChineseGB)
    form->ChineseSimplifiedClick(form->FindComponent("ChineseSimplified"));
  else
    form->EnglishClick(form->FindComponent("English"));
}

}  // namespace strip_test
