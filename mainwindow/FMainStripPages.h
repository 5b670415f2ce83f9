#pragma once
// The builders of the strip pages, called by TfmMain::CreateStripControls.
// Each takes the main window as owner of everything it makes and the page
// container rzgMain as the parent of its page boxes.

#include "mainwindow/FMainStripKit.h"

namespace strip {

// Page boxes inside rzgMain at the window's design size (1126 x 725).
inline constexpr TRect UpperBoxBounds = Bounds(0, 4, 1112, 284);
inline constexpr TRect LowerBoxBounds = Bounds(20, 292, 1072, 282);

// Toggle groups inside one panel: each toggle is a group of its own, so it
// goes up and down by itself; the feedback levels form one group. Each cut
// bypass lives in a panel of its own, so both may use group 1.
inline constexpr int GroupPhase = 1;
inline constexpr int GroupMute = 2;
inline constexpr int GroupLine = 3;
inline constexpr int GroupPhantom = 4;
inline constexpr int GroupFeedback = 5;
inline constexpr int GroupCutBypass = 1;

// Upper boxes: rzgFftInA..H, rzgFftOut1..8, rzgFftEff and rzgFftGain.
void BuildStripPlotBoxes(TComponent* owner, TWinControl* mainBox);
void BuildGainPlotBox(TComponent* owner, TWinControl* mainBox);
// Lower boxes: rzgParamInA, rzgParamOut1, rzgParamEff and rzgParamGain.
void BuildStripParamBox(TComponent* owner, TWinControl* mainBox, Side side);
void BuildEffParamBox(TComponent* owner, TWinControl* mainBox);
void BuildGainParamBox(TComponent* owner, TWinControl* mainBox);

// Shared sections of the In, Out and Eff parameter boxes.
// The band-table section: the title label lbEq<suffix>, then per strip a
// panel (rzpPeq<strip suffix>, or the section itself for the effect bus)
// with its band keys rzbEq<n><strip suffix> and its table peqPeq<strip
// suffix>. Returns the section.
TWinControl* BuildBandTableSection(TComponent* owner, TWinControl* parent, const TRect& r, Side side);
// The band panel: three faders with labels and value boxes.
void BuildBandPanel(TComponent* owner, TWinControl* parent, const TRect& r, Side side,
                    const std::string& suffix);

}  // namespace strip
