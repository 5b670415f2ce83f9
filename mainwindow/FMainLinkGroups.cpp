// Showing an edited value on every member of the strip's link group.

#include "mainwindow/FMain.h"

int TfmMain::LinkGroupOf(int /*strip*/) const { return 0; }
void TfmMain::LinkGain(int /*strip*/, int /*position*/, bool /*mic*/) {}
void TfmMain::LinkDelay(int /*strip*/, int /*samples*/, int /*markerLeft*/) {}
void TfmMain::LinkComp(int /*strip*/, int /*field*/, int /*value*/) {}
void TfmMain::LinkGate(int /*strip*/, int /*field*/, int /*value*/) {}
void TfmMain::LinkPhase(int /*strip*/, bool /*on*/) {}
void TfmMain::LinkMicLine(int /*strip*/, int /*step*/) {}
void TfmMain::LinkMute(int /*strip*/, bool /*on*/) {}
void TfmMain::LinkPhantom(int /*strip*/, bool /*on*/) {}
