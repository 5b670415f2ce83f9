// The main window's controls of one role: menus, top bar with the page buttons, preset bar, timers, dialogs and hidden memos.

#include "mainwindow/FMain.h"

void TfmMain::CreateShellControls() {}
