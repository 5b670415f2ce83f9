#pragma once
// The program's forms for the window tests: one application for the test
// program, the forms made through the same function as the program entry,
// with the main window's start-up timer held back (it would open the scan
// dialog). A suite's tests share one set of forms (CTest runs each suite in a
// process of its own): after each test the fixture puts the model, the pages,
// the language, the link and the timers back, then compares every form with
// the state it had before the first test. What a test left behind that the
// reset does not undo fails that test, and the forms are made anew, so no
// later test ever runs on it.

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <cstdio>
#include <sstream>
#include <string>
#include <typeinfo>
#include <utility>
#include <vector>

#include "controls/AdvTrackBar.h"
#include "dialogs/ProgramForms.h"
#include "mainwindow/FMain.h"
#include "mainwindow/FMainLanguage.h"
#include "model/LUnitControl.h"
#include "platform/classlib/ExtCtrls.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/Menus.h"
#include "platform/classlib/RzControls.h"
#include "platform/classlib/StdCtrls.h"
#include "tests/platform/classlib/ClassLibTestSupport.h"
#include "tests/ui/MainWindowTestSupport.h"

namespace program_forms_test {

// HID on the fake backend: no test reaches the machine's devices.
using classlib_test::PumpUntil;
using ui_test::App;

// The forms CreateProgramForms made, in creation order.
inline std::vector<TCustomForm*>& CreatedForms() {
  static std::vector<TCustomForm*> forms;
  return forms;
}

inline bool FormAlive(TCustomForm* form) {
  TApplication* app = App();
  for (int i = 0; i < app->GetComponentCount(); ++i)
    if (app->GetComponents(i) == form) return true;
  return false;
}

// One line per component and per piece of the main window's state that a
// test can change; two equal lists mean nothing was left behind.
inline void DescribeComponent(TComponent* c, const std::string& path, std::vector<std::string>& out) {
  std::ostringstream line;
  line << path << c->GetName() << " " << typeid(*c).name();
  if (auto* control = dynamic_cast<TControl*>(c)) {
    const TRect r = control->GetBoundsRect();
    line << " vis=" << control->GetVisible() << " en=" << control->GetEnabled() << " at=" << r.Left << ","
         << r.Top << "," << r.Width() << "x" << r.Height() << " caption='" << control->GetCaption() << "'";
  }
  if (auto* timer = dynamic_cast<TTimer*>(c))
    line << " on=" << timer->GetEnabled() << " every=" << timer->GetInterval();
  if (auto* key = dynamic_cast<TRzBmpButton*>(c)) line << " down=" << key->GetDown();
  if (auto* fader = dynamic_cast<TAdvTrackBar*>(c)) line << " pos=" << fader->GetPosition();
  if (auto* box = dynamic_cast<TCustomCheckBox*>(c)) line << " checked=" << box->GetChecked();
  if (auto* radio = dynamic_cast<TRadioButton*>(c)) line << " checked=" << radio->GetChecked();
  if (auto* list = dynamic_cast<TCustomListControl*>(c)) line << " index=" << list->GetItemIndex();
  if (auto* item = dynamic_cast<TMenuItem*>(c))
    line << " caption='" << item->GetCaption() << "' checked=" << item->GetChecked()
         << " en=" << item->GetEnabled() << " vis=" << item->GetVisible();
  out.push_back(line.str());
  for (int i = 0; i < c->GetComponentCount(); ++i)
    DescribeComponent(c->GetComponents(i), path + c->GetName() + ".", out);
}

// The main window whole; of a dialog, whether it is shown and its timers
// (a dialog fills its controls each time it opens; where the layer centres
// it on the screen is no test's business).
inline std::vector<std::string> FormsState() {
  std::vector<std::string> out;
  for (TCustomForm* form : CreatedForms()) {
    if (!FormAlive(form)) continue;
    if (form == fmMain) {
      DescribeComponent(form, "", out);
      continue;
    }
    std::ostringstream line;
    line << form->GetName() << " shown=" << form->GetVisible();
    for (int i = 0; i < form->GetComponentCount(); ++i)
      if (auto* timer = dynamic_cast<TTimer*>(form->GetComponents(i)))
        line << " " << timer->GetName() << "=" << timer->GetEnabled() << "/" << timer->GetInterval();
    out.push_back(line.str());
  }
  if (!fmMain) return out;
  const MainFormState& s = fmMain->GetState();
  std::ostringstream state;
  state << "main: page=" << s.CurrentPage << " strip=" << s.CurrentStrip << " shown=" << s.ShownStrip
        << " comp=" << s.CompStrip << " gate=" << s.GateStrip << " language=" << s.Language
        << " online=" << s.Online << " connected=" << s.Connected << " hello=" << s.HelloPending
        << " link=" << (fmMain->OpenLink() != nullptr) << " id=" << s.DeviceId
        << " refreshing=" << s.Refreshing << " pending=" << s.PendingOp << " transfer=" << s.TransferKind
        << " preset=" << s.PresetNumber << " drag=" << s.DragHandle << "/" << s.LastDragHandle
        << " delaydrag=" << s.DelayDragging;
  out.push_back(state.str());
  if (s.UnitControl) {
    std::string bytes;
    char cell[4];
    for (std::uint8_t b : s.UnitControl->SerializePreset()) {
      std::snprintf(cell, sizeof cell, "%02X", b);
      bytes += cell;
    }
    out.push_back("model: " + bytes);
  }
  return out;
}

// The lines of now that differ from before, at most a screenful.
inline std::string StateDifference(const std::vector<std::string>& before,
                                   const std::vector<std::string>& now) {
  std::string text;
  int shown = 0;
  const std::size_t n = std::max(before.size(), now.size());
  for (std::size_t i = 0; i < n && shown < 20; ++i) {
    const std::string a = i < before.size() ? before[i] : "(none)";
    const std::string b = i < now.size() ? now[i] : "(none)";
    if (a == b) continue;
    text += "\n  before: " + a.substr(0, 300) + "\n  after:  " + b.substr(0, 300);
    ++shown;
  }
  return text;
}

// Whether each box on the main window's page area was shown after the start.
inline std::vector<std::pair<std::string, bool>>& PageBoxesAtStart() {
  static std::vector<std::pair<std::string, bool>> boxes;
  return boxes;
}

// The controls the refresh leaves as they are, with what they showed after
// the start: shown or not, and a list's item.
struct UnwrittenControl {
  std::string Name;
  bool Visible;
  int Item;
  std::string Caption;
};
inline std::vector<UnwrittenControl>& UnwrittenAtStart() {
  static std::vector<UnwrittenControl> controls;
  return controls;
}

// What every test may change and the fixture puts back: the send sink, the
// link, the language, the page, the model and what the window shows of it,
// and the curve timers an edit starts.
inline void ResetForms() {
  if (!fmMain) return;
  fmMain->SetSendSink(nullptr);
  if (fmMain->OpenLink()) fmMain->Disconnect();
  fmMain->SetRefreshing(false);
  if (fmMain->GetState().Language != LanguageEnglish)
    if (auto* english = dynamic_cast<TMenuItem*>(fmMain->FindComponent("English")))
      fmMain->EnglishClick(english);
  if (fmMain->GetState().CurrentPage != PageGain)
    if (auto* gain = dynamic_cast<TRzBmpButton*>(fmMain->FindComponent("rzbMenuGain"))) {
      gain->SetDown(true);
      fmMain->rzbMenuInAClick(gain);
    }
  LUnitControl* model = fmMain->GetState().UnitControl.get();
  model->SetOwner(fmMain);
  model->LoadDefaults();
  fmMain->DeselectPeqBands();
  fmMain->RefreshFromModel(model);
  // A visit to a page of each kind, input A's last, then the Gain page:
  // every band panel, strip label and the shown strip as after the start.
  for (const char* page : {"rzbMenuEff", "rzbMenuOut1", "rzbMenuInA", "rzbMenuGain"})
    if (auto* key = dynamic_cast<TRzBmpButton*>(fmMain->FindComponent(page))) {
      key->SetDown(true);
      fmMain->rzbMenuInAClick(key);
    }
  // Page navigation leaves the boxes of earlier pages behind the shown
  // one; they go back to how the start left them, the Gain page in front.
  if (!fmMain->GetVisible()) fmMain->Show();
  for (const auto& [name, visible] : PageBoxesAtStart())
    if (auto* box = dynamic_cast<TControl*>(fmMain->FindComponent(name))) box->SetVisible(visible);
  for (const char* name : {"rzgFftGain", "rzgParamGain"})
    if (auto* box = dynamic_cast<TControl*>(fmMain->FindComponent(name))) box->BringToFront();
  // Neither a refresh nor a deselection writes these: a band's key hints
  // stay shown once a band was selected, a bypassed cut filter's slope
  // list keeps the slope shown last, and a strip's plot label names the
  // linked member whose page showed it last.
  for (const auto& [name, visible, item, caption] : UnwrittenAtStart())
    if (auto* control = dynamic_cast<TControl*>(fmMain->FindComponent(name))) {
      control->SetVisible(visible);
      if (auto* list = dynamic_cast<TCustomComboBox*>(control))
        list->SetItemIndex(item);
      else
        control->SetCaption(caption);
    }
  // The strips the Comp and Gate pages show, as after the start.
  if (fmMain->GetState().CompStrip != 8) fmMain->SelectCompStrip(8);
  if (fmMain->GetState().GateStrip != 0) fmMain->SelectGateStrip(0);
  PumpUntil([] {
    for (const char* name : {"tmEqCurve", "tmHpLpCurve", "tmMouseEqCurve"})
      if (auto* t = dynamic_cast<TTimer*>(fmMain->FindComponent(name)); t && t->GetEnabled()) return false;
    return true;
  });
  QCoreApplication::processEvents();
}

inline std::vector<std::string>& Baseline() {
  static std::vector<std::string> lines;
  return lines;
}

inline void CreateForms() {
  TApplication* app = App();
  const int before = app->GetComponentCount();
  CreateProgramForms(*app);
  if (auto* timer = dynamic_cast<TTimer*>(fmMain->FindComponent("tmStartConnect"))) timer->SetEnabled(false);
  CreatedForms().clear();
  for (int i = before; i < app->GetComponentCount(); ++i)
    if (auto* form = dynamic_cast<TCustomForm*>(app->GetComponents(i))) CreatedForms().push_back(form);
  PageBoxesAtStart().clear();
  TWinControl* pages = fmMain->GetMainBox();
  for (int i = 0; i < pages->GetControlCount(); ++i) {
    TControl* box = pages->GetControls(i);
    if (!box->GetName().empty()) PageBoxesAtStart().emplace_back(box->GetName(), box->GetVisible());
  }
  UnwrittenAtStart().clear();
  for (int i = 0; i < fmMain->GetComponentCount(); ++i) {
    auto* control = dynamic_cast<TControl*>(fmMain->GetComponents(i));
    if (!control) continue;
    const std::string& name = control->GetName();
    if (!name.starts_with("lbFftParam") && !name.starts_with("lbFftChannel") &&
        !name.starts_with("rzcLowCutSlop") && !name.starts_with("rzcHighCutSlop"))
      continue;
    auto* list = dynamic_cast<TCustomComboBox*>(control);
    UnwrittenAtStart().push_back(
        {name, control->GetVisible(), list ? list->GetItemIndex() : -1, control->GetCaption()});
  }
  ResetForms();
  Baseline() = FormsState();
}

// Frees what is left of the forms, the last made first.
inline void FreeForms() {
  std::vector<TCustomForm*>& forms = CreatedForms();
  for (auto it = forms.rbegin(); it != forms.rend(); ++it)
    if (FormAlive(*it)) (*it)->Free();  // a test may have freed some
  forms.clear();
  Baseline().clear();
}

// After a test: the reset, then the comparison. Forms a test left in
// another state are made anew, and the test fails saying what it left.
inline void RestoreForms(bool expectChange) {
  if (CreatedForms().empty()) return;
  // A test that changed nothing costs no reset.
  if (!expectChange && FormsState() == Baseline()) return;
  ResetForms();
  std::vector<std::string> now = FormsState();
  if (now == Baseline()) return;
  if (!expectChange)
    ADD_FAILURE() << "the test left the program's forms in another state than it found them "
                     "(put it back, or say so with FormsChangedForGood()):"
                  << StateDifference(Baseline(), now);
  FreeForms();
  CreateForms();
}

// A suite whose tests share one set of the program's forms.
class ProgramFormsSuite : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { CreateForms(); }
  static void TearDownTestSuite() { FreeForms(); }
  // A test's first press never pairs with the last one of the test before.
  ProgramFormsSuite() { classlib_test::ForgetRecentClicks(); }
  // Runs after the test's own TearDown.
  ~ProgramFormsSuite() override { RestoreForms(FChangedForGood); }
  // A test that changes the forms beyond the reset on purpose (frees a
  // form, resizes the window): the forms are made anew after it.
  void FormsChangedForGood() { FChangedForGood = true; }

 private:
  bool FChangedForGood = false;
};

}  // namespace program_forms_test
