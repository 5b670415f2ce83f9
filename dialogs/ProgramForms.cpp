#include "dialogs/ProgramForms.h"

#include "mainwindow/FMain.h"
#include "platform/classlib/Forms.h"

void CreateProgramForms(TApplication& app) {
  app.CreateForm(fmMain);
}
