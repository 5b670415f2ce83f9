// The whole window written from the model, and the band and overlay state
// it resets. Start-up calls these in its fixed order.

#include "mainwindow/FMain.h"

void TfmMain::RefreshFromModel(LUnitControl* /*model*/) {}

void TfmMain::DeselectPeqBands() {}

void TfmMain::RefreshGainOverlays() {}

void TfmMain::RefreshStripOverlays(int /*page*/) {}

void TfmMain::ShowStripParameters(int /*page*/) {}
