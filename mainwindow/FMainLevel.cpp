// Level controls: gain, polarity, mute, mic/line, phantom and feedback level.

#include "mainwindow/FMain.h"

std::string TfmMain::FormatGainText(int /*position*/, bool /*mic*/) const { return {}; }

void TfmMain::BindLevelHandlers() {}
