// Construction, defaults, getters, plain stores and link groups.
#include "model/LUnitControl.h"

#include "model/UnitOwner.h"
#include "platform/sys/CodePage.h"

#include <algorithm>

using namespace PresetLayout;
namespace CI = ChannelIndex;

LUnitControl::LUnitControl(UnitOwner* owner) : FOwner(owner) {
  LoadDefaults();
}

void LUnitControl::LoadDefaults() {
  FCurrent = DefaultPresetImage();
  FGroupCtrl = DefaultGroupCtrlRecords();
}

UnitState LUnitControl::SaveState() const {
  return {FGroupCtrl, FCurrent, FStoredFlags, FDeviceInfo};
}

void LUnitControl::RestoreState(const UnitState& state) {
  FGroupCtrl = state.GroupCtrl;
  FCurrent = state.Current;
  FStoredFlags = state.StoredFlags;
  FDeviceInfo = state.DeviceInfo;
  FStagingArea.fill(0);
}

// --- Owner -------------------------------------------------------------------

std::uint8_t LUnitControl::DeviceId() const {
  return FOwner ? FOwner->GetDeviceId() : 0;
}

void LUnitControl::Send(const LCmd& command, bool append, bool always) {
  if (FOwner == nullptr) return;
  if (!always && FOwner->IsRefreshing()) return;
  FOwner->SendCommand(command, append);
}

// --- Getters -----------------------------------------------------------------

std::uint16_t LUnitControl::GetGain(int channel) const {
  return FCurrent.Word(Gain(channel));
}

std::uint16_t LUnitControl::GetDelay(int channel) const {
  if (!CI::IsOutput(channel)) return 0;
  return FCurrent.Word(OutputBlock(channel) + OutDelay);
}

bool LUnitControl::GetPeqBypass(int channel, int band) const {
  if (band < 0 || band > 15) return false;
  return (FCurrent.Word(PeqBypassMask(channel)) >> band) & 1u;
}

PeqBandRecord LUnitControl::GetPeqBand(int channel, int band) const {
  return FCurrent.Get<PeqBandRecord>(PeqBand(channel, band));
}

PeqBandRecord LUnitControl::GetDefaultPeqBand(int channel, int band) const {
  return DefaultPresetImage().Get<PeqBandRecord>(PeqBand(channel, band));
}

std::uint16_t LUnitControl::GetMatrix(int channel) const {
  if (CI::IsEffectBus(channel)) return FCurrent.Byte(EffRoute);
  if (CI::IsOutput(channel)) return FCurrent.Word(OutputBlock(channel) + OutRoute);
  return 0;
}

CompRecord LUnitControl::GetComp(int channel) const {
  if (CI::IsEffectBus(channel)) return FCurrent.Get<CompRecord>(EffComp);
  if (CI::IsOutput(channel)) return FCurrent.Get<CompRecord>(OutputBlock(channel) + OutComp);
  return {};
}

GateRecord LUnitControl::GetGate(int channel) const {
  if (!CI::IsInput(channel)) return {};
  return FCurrent.Get<GateRecord>(InputBlock(channel) + InGate);
}

PassFilters LUnitControl::GetPassFilters(int channel) const {
  std::size_t first = npos;
  if (CI::IsInput(channel))
    first = InputBlock(channel) + InHpSlope;
  else if (CI::IsOutput(channel))
    first = OutputBlock(channel) + OutHpSlope;
  else
    return {};
  // Both blocks keep the four words in the same order.
  PassFilters f;
  f.HpSlope = FCurrent.Word(first);
  f.HpFreq = FCurrent.Word(first + 2);
  f.LpSlope = FCurrent.Word(first + 4);
  f.LpFreq = FCurrent.Word(first + 6);
  return f;
}

bool LUnitControl::GetPolarity(int channel) const {
  return FCurrent.Word(Polarity(channel)) != 0;
}

bool LUnitControl::GetMute(int channel) const {
  if (CI::IsInput(channel)) return (FCurrent.Word(InputMuteMask) >> channel) & 1u;
  if (CI::IsOutput(channel)) return (FCurrent.Word(OutputMuteMask) >> (channel - CI::FirstOutput)) & 1u;
  if (CI::IsEffectBus(channel)) return FCurrent.Word(EffMute) != 0;
  return false;
}

ChannelNameBytes LUnitControl::GetChannelNameBytes(int channel) const {
  ChannelNameBytes name{};
  const std::size_t offset = ChannelName(channel);
  if (offset == npos) return name;
  std::copy_n(FCurrent.Bytes.begin() + static_cast<std::ptrdiff_t>(offset), name.size(), name.begin());
  return name;
}

std::string LUnitControl::GetChannelName(int channel) const {
  const ChannelNameBytes name = GetChannelNameBytes(channel);
  return AnsiFieldToUtf8(reinterpret_cast<const char*>(name.data()), name.size());
}

PresetNameBytes LUnitControl::GetPresetNameBytes() const {
  PresetNameBytes name{};
  std::copy_n(FCurrent.Bytes.begin() + NameOffset, name.size(), name.begin());
  return name;
}

std::string LUnitControl::GetPresetName() const {
  const PresetNameBytes name = GetPresetNameBytes();
  return AnsiFieldToUtf8(reinterpret_cast<const char*>(name.data()), name.size());
}

std::uint16_t LUnitControl::GetFeedbackLevel(int channel) const {
  if (!CI::IsInput(channel)) return 0;
  return FCurrent.Word(InputBlock(channel) + InFeedback);
}

bool LUnitControl::GetPhantom(int channel) const {
  if (!CI::IsInput(channel)) return false;
  return FCurrent.Byte(InputBlock(channel) + InPhantom) != 0;
}

std::uint8_t LUnitControl::GetMicGain(int channel) const {
  if (!CI::IsInput(channel)) return 0;
  return FCurrent.Byte(InputBlock(channel) + InMicGain);
}

std::uint16_t LUnitControl::GetLinkMask(int channel) const {
  return FCurrent.Word(LinkMask(channel));
}

std::uint16_t LUnitControl::GetEqBypassMask(int channel) const {
  return FCurrent.Word(EqBypassMask(channel));
}

std::uint8_t LUnitControl::GetEffectOn() const {
  return FCurrent.Byte(EffOn);
}
std::uint8_t LUnitControl::GetEffectVolume() const {
  return FCurrent.Byte(EffVolume);
}
std::uint8_t LUnitControl::GetCameraDefault() const {
  return FCurrent.Byte(EffCameraDefault);
}
MixGateRecord LUnitControl::GetAutoMixGate() const {
  return FCurrent.Get<MixGateRecord>(EffAutoMixGate);
}
MixGateRecord LUnitControl::GetCameraGate() const {
  return FCurrent.Get<MixGateRecord>(EffCameraGate);
}
std::uint16_t LUnitControl::GetAutoMixSlope() const {
  return FCurrent.Word(EffAutoMixSlope);
}
EchoRecord LUnitControl::GetEchoWords() const {
  return FCurrent.Get<EchoRecord>(EffEcho);
}
ReverbRecord LUnitControl::GetReverbWords() const {
  return FCurrent.Get<ReverbRecord>(EffReverb);
}
std::uint16_t LUnitControl::GetDelayUnit() const {
  return FCurrent.Word(PresetLayout::DelayUnit);
}
std::uint16_t LUnitControl::GetTestSignal() const {
  return FCurrent.Word(TestSignal);
}
std::uint16_t LUnitControl::GetSineFreqIndex() const {
  return FCurrent.Word(SineFreq);
}
std::uint16_t LUnitControl::GetMemorizeMode() const {
  return FCurrent.Word(PresetLayout::MemorizeMode);
}

SubCtrlRecord LUnitControl::GetSubCtrl(int index) const {
  return FCurrent.Get<SubCtrlRecord>(index == 0 ? SubCtrl0 : SubCtrl1);
}

GroupCtrlRecord LUnitControl::GetGroupCtrl(int index) const {
  if (index < 0 || index >= GroupCtrlCount) return {};
  return FGroupCtrl[static_cast<std::size_t>(index)];
}

bool LUnitControl::IsPresetStored(int slotIndex) const {
  if (slotIndex < 0 || slotIndex >= StoredSlotCount) return false;
  return FStoredFlags[static_cast<std::size_t>(slotIndex)] != 0;
}

const StoredSlot* LUnitControl::GetStoredSlot(int slotNumber) const {
  if (slotNumber < 1 || slotNumber > StoredSlotCount) return nullptr;
  return &FStoredSlots[static_cast<std::size_t>(slotNumber - 1)];
}

// --- Plain stores ------------------------------------------------------------

void LUnitControl::SetEqBypassMask(int channel, std::uint16_t mask) {
  FCurrent.SetWord(EqBypassMask(channel), mask);
}

void LUnitControl::SetMemorizeMode(std::uint16_t mode) {
  FCurrent.SetWord(PresetLayout::MemorizeMode, mode);
}

void LUnitControl::SetPresetStored(int slotIndex) {
  if (slotIndex < 0 || slotIndex >= StoredSlotCount) return;
  FStoredFlags[static_cast<std::size_t>(slotIndex)] = 1;
}

void LUnitControl::SetEchoWords(const EchoRecord& echo) {
  FCurrent.Put(EffEcho, echo);
}

void LUnitControl::SetReverbWords(const ReverbRecord& reverb) {
  FCurrent.Put(EffReverb, reverb);
}

// --- Link groups -------------------------------------------------------------

std::uint16_t LUnitControl::LinkMaskOf(int channel) const {
  if (!CI::IsInput(channel) && !CI::IsOutput(channel)) return 0;
  const int first = CI::IsInput(channel) ? CI::FirstInput : CI::FirstOutput;
  const int i = channel - first;
  const std::uint16_t own = GetLinkMask(channel);
  if ((own >> i) & 1u) return own;
  for (int lower = 0; lower < i; ++lower) {
    const std::uint16_t mask = GetLinkMask(first + lower);
    if ((mask >> i) & 1u) return mask;
  }
  // In no recorded group (say after an offline copy carried another
  // channel's mask): the channel stands alone rather than dragging others.
  return static_cast<std::uint16_t>(1u << i);
}

std::vector<std::size_t> LUnitControl::GroupBlocks(int channel) const {
  std::vector<std::size_t> blocks;
  if (!CI::IsInput(channel) && !CI::IsOutput(channel)) return blocks;
  const std::uint16_t group = LinkMaskOf(channel);
  for (int m = 0; m < CI::ChannelsPerSide; ++m) {
    if (!((group >> m) & 1u)) continue;
    blocks.push_back(CI::IsInput(channel) ? InputBlock(CI::FirstInput + m)
                                          : OutputBlock(CI::FirstOutput + m));
  }
  return blocks;
}
