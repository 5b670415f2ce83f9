// The main window's controls of one role: the Comp, Delay, Gate and Matrix pages.

#include "mainwindow/FMain.h"

void TfmMain::CreatePageControls() {}
