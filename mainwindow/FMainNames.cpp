// Channel names, channel copy and the application of link groups. Online,
// copies and link changes are the device's: the window marks them pending
// and the acknowledgement starts a fetch of the whole parameter set. Offline
// the model is changed directly and the window rewritten from it.

#include <string_view>

#include "controls/VrButtons.h"
#include "dialogs/Fchannelname.h"
#include "link/LCmd.h"
#include "mainwindow/FMain.h"
#include "mainwindow/FMainDeviceCodes.h"
#include "model/LUnitControl.h"
#include "platform/classlib/ExtCtrls.h"
#include "platform/classlib/RzControls.h"
#include "platform/classlib/StdCtrls.h"
#include "response/Plot.h"

namespace {

constexpr int EffectBusChannel = 18;

bool IsStrip(int strip) {
  return strip >= 0 && strip < 16;
}

// The number of a strip within its side, 1..8.
std::string SideNumber(int strip) {
  return std::to_string(strip % 8 + 1);
}

}  // namespace

void TfmMain::SetLinkMask(int channel, int mask) {
  if (!UnitControl || !IsStrip(channel)) return;
  UnitControl->SetLinkMask(channel, static_cast<std::uint16_t>(mask));
}

namespace {

// Only within one side; the device and the model know no other copy.
bool IsCopy(int source, int target) {
  return source != target && IsStrip(source) && IsStrip(target) && (source < 8) == (target < 8);
}

}  // namespace

void TfmMain::SendCopyChannel(int source, int target) {
  SendCommand(CM_MCS_CMD(static_cast<std::uint8_t>(DeviceId), CommandCode("COPY_CHANNEL"),
                         static_cast<std::uint8_t>(source), static_cast<std::uint8_t>(target)),
              true);
}

void TfmMain::CopyStrip(int source, int target, bool refresh) {
  if (!IsCopy(source, target)) return;
  if (Connected) {
    if (refresh) PendingOp = 6;
    SendCopyChannel(source, target);
    return;
  }
  if (!UnitControl) return;
  for (int member : LinkMembers(target))
    if (member != source) UnitControl->CopyChannel(source, member);
  if (refresh) RefreshFromModel(UnitControl.get());
}

void TfmMain::CopyToNewMember(int leader, int member) {
  if (!IsCopy(leader, member)) return;
  // The device's copy names one channel. Offline the group rule of a copy
  // would also overwrite the channels of the member's old group.
  if (Connected) {
    SendCopyChannel(leader, member);
    return;
  }
  if (UnitControl) UnitControl->CopyChannel(leader, member);
}

void TfmMain::ApplyLinks() {
  if (!Connected) {
    RefreshFromModel(UnitControl.get());
    return;
  }
  // Level polling rests until the parameter fetch that follows turns it on.
  if (auto* poll = FindTimer("tmInLevelDet")) poll->SetEnabled(false);
  PendingOp = 6;
  // The device applies its stored link masks on this code.
  SendCommand(CM_MCS_CMD(static_cast<std::uint8_t>(DeviceId), device_code::KeepAlive), true);
}

void TfmMain::UpdateLinkOverlays(int strip, bool show) {
  if (!FindStripControl<TControl>("rzbMenu", strip)) return;
  const bool input = strip < 8;
  const int first = input ? 0 : 8;
  // The Gain page plot of the side (overlay slot = the strip), then every
  // other strip plot of the side (slot 18 + the strip's place in its side).
  struct Target {
    int Entry;
    int Slot;
  };
  std::vector<Target> targets{{input ? PlotGainIn : PlotGainOut, strip}};
  for (int t = first; t < first + 8; ++t)
    if (t != strip) targets.push_back({t, 18 + strip % 8});
  for (const Target& target : targets) {
    auto* button = FindAs<TVrPowerButton>(OverlayButtonName(strip, target.Entry));
    if (!button) continue;
    button->SetVisible(show);
    if (show) continue;
    button->SetActive(false);
    OverlayStale[static_cast<std::size_t>(target.Entry)] &= ~(1u << strip);
    if (Plot* plot = Plots[static_cast<std::size_t>(target.Entry)].get()) plot->RemoveBandCurve(target.Slot);
  }
}

void TfmMain::UpdateLinkCaption(int leader, int strip) {
  if (!IsStrip(leader)) return;
  auto* button = FindStripControl<TRzBmpButton>("rzbMenu", strip);
  if (!button) return;
  if (leader == strip)
    button->SetCaption((strip < 8 ? "In" : "Out") + SideNumber(strip));
  else
    button->SetCaption(SideNumber(strip) + "=" + SideNumber(leader));
}

void TfmMain::SetChannelName(int strip, const std::string& name) {
  if (!UnitControl || (!IsStrip(strip) && strip != EffectBusChannel)) return;
  // The name ends at its first zero byte (a dialog may pass the padded
  // field); the model cuts it to the 8-byte field and sends it.
  const std::string_view text = std::string_view(name).substr(0, name.find('\0'));
  UnitControl->SetChannelName(strip, text);
  // Shown as stored, so the window never shows more than the device holds.
  const std::string shown = UnitControl->GetChannelName(strip);
  auto* label = strip == EffectBusChannel ? FindAs<TLabel>("lbMatrixChNameEff")
                                          : FindStripControl<TLabel>("lbMatrixChName", strip);
  auto* button = strip == EffectBusChannel ? FindAs<TControl>("rzbMenuEff")
                                           : FindStripControl<TControl>("rzbMenu", strip);
  if (label) label->SetCaption(shown);
  if (button) button->SetHint(shown);
}

std::string TfmMain::GetChannelName(int strip) const {
  return UnitControl ? UnitControl->GetChannelName(strip) : std::string();
}

void TfmMain::lbMatrixChNameInAClick(TObject* Sender) {
  auto* label = dynamic_cast<TLabel*>(Sender);
  if (!label || !fmChannelName || fmChannelName->GetVisible()) return;
  fmChannelName->SetChannel(label->GetTag());
  fmChannelName->SetNameText(label->GetCaption());
  fmChannelName->ShowModal();
}
