// The Gain page's lower box: the second copy of every strip's level
// controls (names with Backup, Tag = the strip's channel), eight inputs on
// rzpGainIn and eight outputs on rzpGainOut, one above the other, and the
// two keys that choose which is in front.

#include "controls/AdvTrackBar.h"
#include "controls/CurvyControls.h"
#include "mainwindow/FMainStripPages.h"
#include "platform/classlib/ComCtrls.h"
#include "platform/classlib/ExtCtrlsControls.h"
#include "platform/classlib/RzControls.h"
#include "response/LProgressBar.h"

namespace strip {

namespace {

constexpr TRect SelectorBounds = Bounds(8, 8, 88, 266);
constexpr TRect StripsBounds = Bounds(102, 8, 962, 266);
constexpr int StripTop = 22;
constexpr int StripWidth = 118;
constexpr int StripPitch = 120;
constexpr int StripHeight = 244;

// One strip of the Gain page: channel label, fader with meter, value box and
// the buttons; inputs add mic/line, phantom and the mic gain list.
void BuildGainStrip(TComponent* owner, TWinControl* parent, int strip, int index) {
  const bool in = strip < 8;
  const Side side = in ? Side::In : Side::Out;
  const TColor accent = AccentOf(side);
  const std::string suffix = in ? "In" + InSuffix(index) : "Out" + OutSuffix(index);
  auto* panel = MakePanel(owner, parent, "", Bounds(StripPitch * index, StripTop, StripWidth, StripHeight));
  MakeLabel(owner, panel, "", (in ? "In" : "Out") + std::to_string(index + 1), Bounds(0, 2, StripWidth, 18),
            accent, 9, true, taCenter);
  auto* fader =
      MakeFader(owner, panel, "isGainBackup" + suffix, Bounds(6, 22, 30, 166), -280, 120, 0, strip, accent);
  fader->SetPageSize(6);
  if (in) {
    MakeMeter(owner, panel, "pbLevelBackup" + suffix, Bounds(40, 28, 10, 154), 1, 2, 6);
  } else {
    MakeMeter(owner, panel, "pbLimitBackup" + suffix, Bounds(40, 24, 10, 8), 1, 0, 0);
    MakeMeter(owner, panel, "pbLevelBackup" + suffix, Bounds(40, 36, 10, 146), 1, 3, 4);
  }
  MakeValueBox(owner, panel, "cvdGainBackup" + suffix, Bounds(4, 192, 62, 24), "+0.0dB", true, accent);
  constexpr int x = 58, w = 56;
  MakeButton(owner, panel, "rzbPhaseBackup" + suffix, "Normal", Bounds(x, 22, w, 22), strip, GroupPhase, true,
             accent);
  MakeButton(owner, panel, "rzbMuteBackup" + suffix, "Mute", Bounds(x, 48, w, 22), strip, GroupMute, true,
             WarnColor);
  if (!in) return;
  MakeButton(owner, panel, "rzbLineBackup" + suffix, "Line", Bounds(x, 74, w, 22), strip, GroupLine, true,
             accent);
  MakeButton(owner, panel, "rzbPhantomBackup" + suffix, "+48V", Bounds(x, 100, w, 22), strip, GroupPhantom,
             true, WarnColor)
      ->SetEnabled(false);
  auto* micGain = MakeCombo(owner, panel, "rzcLineBackup" + suffix, Bounds(4, 220, 90, 22));
  micGain->SetTag(strip);
  FillMicGainItems(micGain);
  micGain->SetEnabled(false);
  MakeUpDown(owner, panel, "udLineBackup" + suffix, Bounds(96, 220, 18, 22), strip)->SetEnabled(false);
}

}  // namespace

void BuildGainParamBox(TComponent* owner, TWinControl* mainBox) {
  // The Gain page is the first page shown.
  auto* box = MakePageBox(owner, mainBox, "rzgParamGain", LowerBoxBounds);

  auto* selector = MakePanel(owner, box, "", SelectorBounds);
  MakeLabel(owner, selector, "lbGainSel", "Select", Bounds(6, 4, 76, 18), DimText);
  MakeButton(owner, selector, "rzbGainSelIn", "Input", Bounds(6, 26, 76, 28), 0, 1, false, AccentIn)
      ->SetDown(true);
  MakeButton(owner, selector, "rzbGainSelOut", "Output", Bounds(6, 60, 76, 28), 1, 1, false, AccentOut);

  // The output panel first, so the input panel starts in front.
  for (bool in : {false, true}) {
    auto* strips = MakePanel(owner, box, in ? "rzpGainIn" : "rzpGainOut", StripsBounds, PageBack);
    MakeLabel(owner, strips, in ? "lbGainInput" : "lbGainOutput", in ? "Input" : "Output",
              Bounds(2, 0, 300, 18), AccentOf(in ? Side::In : Side::Out), 9, true);
    for (int k = 0; k < 8; ++k) BuildGainStrip(owner, strips, in ? k : 8 + k, k);
  }
}

}  // namespace strip
