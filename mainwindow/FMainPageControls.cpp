// The main window's controls of one role: the Comp, Delay, Gate and Matrix pages.

#include "mainwindow/FMain.h"
#include "mainwindow/FMainPages.h"

void TfmMain::CreatePageControls() {
  pages::CreateCompPage(this, FMainBox);
  pages::CreateDelayPage(this, FMainBox);
  pages::CreateMatrixPage(this, FMainBox);
  pages::CreateGatePage(this, FMainBox);
}
