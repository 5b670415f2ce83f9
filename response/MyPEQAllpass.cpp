#include "response/MyPEQAllpass.h"

#include <array>

#include "model/CommonConstants.h"
#include "response/MyPEQGain6dB.h"

namespace {
constexpr std::array<std::string_view, 6> Gain6dBTexts = {" Peak       ", " Low Shelf  ", " High Shelf ",
                                                          " Low Cut    ", " High Cut   ", "   BYPASS   "};
}  // namespace

TMyPEQAllpass::TMyPEQAllpass(TComponent* AOwner) : TPeqBandTable(AOwner, EqTypeNames, 12) {}

TMyPEQGain6dB::TMyPEQGain6dB(TComponent* AOwner) : TPeqBandTable(AOwner, Gain6dBTexts, 6) {}
