// Channel names, channel copy and the application of link groups.

#include "mainwindow/FMain.h"

void TfmMain::SetLinkMask(int /*channel*/, int /*mask*/) {}
void TfmMain::CopyStrip(int /*source*/, int /*target*/, bool /*refresh*/) {}
void TfmMain::ApplyLinks() {}
void TfmMain::UpdateLinkOverlays(int /*strip*/, bool /*show*/) {}
void TfmMain::UpdateLinkCaption(int /*leader*/, int /*strip*/) {}
void TfmMain::SetChannelName(int /*strip*/, const std::string& /*name*/) {}
std::string TfmMain::GetChannelName(int /*strip*/) const { return {}; }
