// The Delay page: faders, marker drags, typed times and the delay unit.

#include "mainwindow/FMain.h"

void TfmMain::rzbUnit0Click(TObject* /*Sender*/) {}

void TfmMain::BindDelayDynamicsHandlers() {}
