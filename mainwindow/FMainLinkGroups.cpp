// Showing an edited value on every member of the strip's link group. The
// model's setters have already stored the value for the whole group; these
// rewrite the members' per-strip controls (gain, delay, compressor and gate
// under the refresh flag, so their change handlers stay quiet), and for
// polarity, mute, mic/line and phantom call the setter once per member,
// which sends one command per member.

#include <algorithm>
#include <array>
#include <functional>

#include "controls/AdvTrackBar.h"
#include "controls/CurvyControls.h"
#include "mainwindow/FMain.h"
#include "model/LUnitControl.h"
#include "model/ValueScales.h"
#include "platform/classlib/RzControls.h"
#include "platform/classlib/StdCtrls.h"

namespace {

// Holds the refresh flag set for a scope and puts back what it was, so a
// propagation inside the whole-window refresh leaves the flag set.
class RefreshHold {
 public:
  explicit RefreshHold(bool& flag) : FFlag(flag), FWas(flag) { FFlag = true; }
  ~RefreshHold() { FFlag = FWas; }
  RefreshHold(const RefreshHold&) = delete;
  RefreshHold& operator=(const RefreshHold&) = delete;

 private:
  bool& FFlag;
  bool FWas;
};

// The fader and value box names of the compressor and gate fields, by the
// field numbers their pages pass.
constexpr std::array<const char*, 4> DynamicsFieldNames = {"Threshold", "Attack", "Release", "Ratio"};

std::string DynamicsText(int field, int value) {
  switch (field) {
    case 0:
      return ThresholdText(value);
    case 3:
      return CompRatioDisplayText(value);
    default:
      return DynTimeText(value);
  }
}

// Writes one compressor or gate field (page "Comp" or "Gate") on every
// member; a missing control ends the pass.
void ShowDynamicsField(const TfmMain& window, const std::string& page, const std::vector<int>& members,
                       int field, int value) {
  const std::string stem = page + DynamicsFieldNames[static_cast<std::size_t>(field)];
  const std::string text = DynamicsText(field, value);
  for (int member : members) {
    auto* fader = window.FindStripControl<TAdvTrackBar>("is" + stem, member);
    auto* box = window.FindStripControl<TCurvyEdit>("cvd" + stem, member);
    if (!fader || !box) return;
    fader->SetPosition(value);
    box->SetText(text);
  }
}

}  // namespace

int TfmMain::LinkGroupOf(int strip) const {
  // The model's own rule, so that the window shows exactly the channels
  // the setters stored.
  if (!UnitControl || strip < 0 || strip > 15) return 0;
  return UnitControl->LinkMaskOf(strip);
}

std::vector<int> TfmMain::LinkMembers(int strip) const {
  std::vector<int> members;
  const int group = LinkGroupOf(strip);
  const int first = strip < 8 ? 0 : 8;
  for (int k = 0; k < 8; ++k)
    if ((group >> k) & 1) members.push_back(first + k);
  return members;
}

void TfmMain::LinkGain(int strip, int position, bool mic) {
  if (!UnitControl) return;
  RefreshHold hold(Refreshing);
  const int clamped = std::clamp(position, GainPositionMin, GainPositionMax);
  const std::string text = FormatGainText(clamped, mic);
  for (int member : LinkMembers(strip)) {
    UnitControl->SetGain(member, static_cast<std::uint16_t>(clamped + GainStoredOffset));
    auto* box = FindStripControl<TCurvyEdit>("cvdGainBackup", member);
    auto* fader = FindStripControl<TAdvTrackBar>("isGainBackup", member);
    if (!box || !fader) return;
    box->SetText(text);
    fader->SetPosition(clamped);
  }
}

void TfmMain::LinkDelay(int strip, int samples, int markerLeft) {
  if (!UnitControl) return;
  RefreshHold hold(Refreshing);
  const int unit = std::clamp<int>(UnitControl->GetDelayUnit(), DelayUnitMs, DelayUnitFeet);
  const std::string text = DelayText(samples, unit);
  for (int member : LinkMembers(strip)) {
    auto* marker = FindStripControl<TControl>("imDelay", member);
    auto* time = FindStripControl<TLabel>("lbFftDelayTime", member);
    auto* box = FindStripControl<TCurvyEdit>("cvdDelay", member);
    auto* fader = FindStripControl<TAdvTrackBar>("isDelay", member);
    if (!marker || !time || !box || !fader || !FindStripControl<TControl>("lbDelayLine", member)) return;
    marker->SetLeft(markerLeft);
    // Places the time label beside the marker and the dashes up to it.
    DrawDelayLine(member);
    box->SetText(text);
    time->SetCaption(text);
    fader->SetPosition(samples);
  }
}

void TfmMain::LinkComp(int strip, int field, int value) {
  if (strip < 8 || strip > 15 || field < 0 || field > 3) return;
  RefreshHold hold(Refreshing);
  ShowDynamicsField(*this, "Comp", LinkMembers(strip), field, value);
}

void TfmMain::LinkGate(int strip, int field, int value) {
  if (strip < 0 || strip > 7 || field < 0 || field > 2) return;
  RefreshHold hold(Refreshing);
  ShowDynamicsField(*this, "Gate", LinkMembers(strip), field, value);
}

void TfmMain::LinkPhase(int strip, bool on) {
  if (!UnitControl) return;
  const std::string caption = GetLangText(on ? "SID_PHASE_ON" : "SID_PHASE_OFF");
  for (int member : LinkMembers(strip)) {
    UnitControl->SetPolarity(member, on ? 1 : 0);
    auto* button = FindStripControl<TRzBmpButton>("rzbPhaseBackup", member);
    if (!button) return;
    button->SetDown(on);
    button->SetCaption(caption);
  }
}

void TfmMain::LinkMicLine(int strip, int step) {
  if (!UnitControl || strip < 0 || strip > 7) return;
  const int stored = std::clamp(step, MicGainLineLevel, MicGainStepMax);
  for (int member : LinkMembers(strip)) {
    // The edited strip's own controls are its handler's.
    if (member == strip) continue;
    UnitControl->SetMicGain(member, static_cast<std::uint8_t>(stored));
    if (!ShowGainPageMicLine(member, stored)) return;
  }
}

void TfmMain::LinkMute(int strip, bool on) {
  if (!UnitControl) return;
  for (int member : LinkMembers(strip)) {
    UnitControl->SetMute(member, on ? 1 : 0);
    auto* button = FindStripControl<TRzBmpButton>("rzbMuteBackup", member);
    if (!button) return;
    button->SetDown(on);
  }
}

void TfmMain::LinkPhantom(int strip, bool on) {
  if (!UnitControl || strip < 0 || strip > 7) return;
  for (int member : LinkMembers(strip)) {
    UnitControl->SetPhantom(member, on ? 1 : 0);
    auto* button = FindStripControl<TRzBmpButton>("rzbPhantomBackup", member);
    if (!button) return;
    button->SetDown(on);
  }
}
