#pragma once
// The program's forms for the strip-page tests, made as the program makes
// them, and a look at one page at a time.

#include <QApplication>
#include <QImage>
#include <QWidget>

#include <initializer_list>
#include <string>

#include "dialogs/ProgramForms.h"
#include "mainwindow/FMain.h"
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

}  // namespace strip_test
