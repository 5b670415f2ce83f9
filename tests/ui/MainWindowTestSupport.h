#pragma once
// The program's forms for the main window tests: one application for the
// test program, HID on the fake backend, the forms made by the same
// function as the program entry and freed after each test; controls that
// another part of the window has not built yet stand in by name; and a
// picture of the window.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QPixmap>
#include <QWidget>

#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "controls/AdvTrackBar.h"
#include "dialogs/ProgramForms.h"
#include "mainwindow/FMain.h"
#include "platform/classlib/ExtCtrls.h"
#include "platform/classlib/ExtCtrlsControls.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/RzControls.h"
#include "platform/classlib/StdCtrls.h"
#include "platform/hid/FakeHidBackend.h"
#include "platform/hid/HidBackend.h"
#include "response/MyPEQAllpass.h"
#include "tests/platform/classlib/ClassLibTestSupport.h"

namespace ui_test {

// The class library's test application (message windows recorded, never
// shown), with HID on the fake backend: no test reaches the machine's devices.
inline TApplication* App() {
  const bool first = !Application;
  classlib_test::App();
  if (first) SelectHidBackend(std::make_shared<FakeHidBackend>());
  return Application;
}

using classlib_test::PumpUntil;

inline void FreeProgramForms() {
  if (!Application) return;
  for (int i = Application->GetComponentCount() - 1; i >= 0; --i)
    if (auto* form = dynamic_cast<TCustomForm*>(Application->GetComponents(i))) form->Free();
}

template <class T = TComponent>
T* Find(std::string_view name) {
  return fmMain ? dynamic_cast<T*>(fmMain->FindComponent(name)) : nullptr;
}

// The program's forms for one test. The start-up timer stays armed only
// for tests that ask for it: it opens the connect step once it fires.
class ProgramFormsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    App();
    CreateProgramForms(*Application);
    ASSERT_NE(fmMain, nullptr);
    if (!KeepStartTimer()) Find<TTimer>("tmStartConnect")->SetEnabled(false);
  }
  void TearDown() override { FreeProgramForms(); }
  virtual bool KeepStartTimer() const { return false; }
};

// A stand-in for a control of another part of the window, of the kind its
// name prefix says, so that passes that end at a missing name run through.
inline TControl* StandIn(const std::string& name) {
  if (TComponent* existing = Find(name)) return dynamic_cast<TControl*>(existing);
  TControl* control = nullptr;
  if (name.starts_with("rzb"))
    control = new TRzBmpButton(fmMain);
  else if (name.starts_with("peqPeq"))
    control = new TMyPEQAllpass(fmMain);
  else if (name.starts_with("is"))
    control = new TAdvTrackBar(fmMain);
  else if (name.starts_with("lb") || name.starts_with("l"))
    control = new TLabel(fmMain);
  else
    control = new TPanel(fmMain);
  control->SetName(name);
  control->SetParent(fmMain->GetMainBox());
  return control;
}

// The window as shown, menu bar included.
inline QImage Grab() {
  QWidget* window = fmMain->GetWidget();
  QCoreApplication::processEvents();
  return window->grab().toImage();
}

// Saves a picture of the window when TAVO_SHOT_DIR names a folder.
inline void SaveShot(const QImage& image, const std::string& name) {
  if (const char* dir = std::getenv("TAVO_SHOT_DIR"); dir && *dir)
    image.save(QString::fromStdString(std::string(dir) + "/" + name + ".png"));
}

}  // namespace ui_test
