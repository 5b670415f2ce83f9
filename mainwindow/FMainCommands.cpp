// The main window's device commands behind its menus and dialogs.

#include "mainwindow/FMain.h"

void TfmMain::FactoryReset() {}
