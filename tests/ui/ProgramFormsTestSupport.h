#pragma once
// The program's forms for the window tests: one application for the test
// program, the forms made through the same function as the program entry,
// with the main window's start-up timer held back (it would open the scan
// dialog), and freed again at the end of a suite.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogs/ProgramForms.h"
#include "mainwindow/FMain.h"
#include "platform/classlib/ExtCtrls.h"
#include "platform/classlib/Forms.h"
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

inline void CreateForms() {
  TApplication* app = App();
  const int before = app->GetComponentCount();
  CreateProgramForms(*app);
  if (auto* timer = dynamic_cast<TTimer*>(fmMain->FindComponent("tmStartConnect"))) timer->SetEnabled(false);
  CreatedForms().clear();
  for (int i = before; i < app->GetComponentCount(); ++i)
    if (auto* form = dynamic_cast<TCustomForm*>(app->GetComponents(i))) CreatedForms().push_back(form);
}

// Frees what is left of the forms, the last made first.
inline void FreeForms() {
  TApplication* app = App();
  std::vector<TCustomForm*>& forms = CreatedForms();
  for (auto it = forms.rbegin(); it != forms.rend(); ++it) {
    // Only forms still alive (a test may have freed some).
    bool alive = false;
    for (int i = 0; i < app->GetComponentCount(); ++i) alive = alive || app->GetComponents(i) == *it;
    if (alive) (*it)->Free();
  }
  forms.clear();
}

// A suite whose tests share one set of the program's forms.
class ProgramFormsSuite : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { CreateForms(); }
  static void TearDownTestSuite() { FreeForms(); }
};

}  // namespace program_forms_test
