// The Matrix page: routing keys, effect-route exclusion and its drawing.

#include "mainwindow/FMain.h"

void TfmMain::UpdateMatrixEnables() {}
void TfmMain::DrawMatrix() {}

void TfmMain::BindMatrixEffectHandlers() {}
