// The main window's controls of one role: the strip pages: inputs, outputs, the effect bus and the Gain page.

#include "mainwindow/FMain.h"

void TfmMain::CreateStripControls() {}
