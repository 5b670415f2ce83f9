// PEQ band editing through the band tables, band keys, faders and value boxes.

#include "mainwindow/FMain.h"

void TfmMain::ShowBandPanel(int /*strip*/, bool /*enable*/, double /*frequency*/, double /*gain*/,
                            double /*q*/) {}

void TfmMain::FocusBandFreqBox(int /*strip*/) {}

void TfmMain::ResetStripPeq(int /*strip*/) {}

void TfmMain::BindBandEditingHandlers() {}
