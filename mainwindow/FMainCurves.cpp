// The strips' response curves: PEQ sums, cut filters and the band selection.

#include "mainwindow/FMain.h"

void TfmMain::DrawStripPeqCurve(TObject* /*plotControl*/) {}

void TfmMain::DrawHighPassCurve(TObject* /*plotControl*/) {}

void TfmMain::DrawLowPassCurve(TObject* /*plotControl*/) {}

void TfmMain::BuildCutCurve(bool /*isHighPass*/, int /*slope*/, double /*frequency*/, int /*baseSlot*/,
                            int /*strip*/) {}

void TfmMain::SelectFirstPeqBands() {}

void TfmMain::BindStripViewHandlers() {}
