// The Comp and Gate pages: faders, strip selection and transfer curves.

#include "mainwindow/FMain.h"

void TfmMain::SetCompParam(int /*strip*/, int /*field*/, int /*value*/) {}
void TfmMain::SetGateParam(int /*strip*/, int /*field*/, int /*value*/) {}
void TfmMain::SelectCompStrip(int /*strip*/) {}
void TfmMain::SelectGateStrip(int /*strip*/) {}
