// Setters: store for the edited channel and its link group, then send one
// command for the edited channel (nothing while the owner is refreshing,
// except phantom power and mic gain).
#include "model/LUnitControl.h"

#include "model/PresetCommands.h"
#include "model/UnitOwner.h"
#include "platform/sys/CodePage.h"

#include <algorithm>

using namespace PresetLayout;
namespace CI = ChannelIndex;

namespace {
std::uint8_t Low(std::uint16_t w) {
  return static_cast<std::uint8_t>(w & 0xFF);
}
std::uint8_t Ch(int channel) {
  return static_cast<std::uint8_t>(channel);
}
constexpr bool Append = true;
constexpr bool Always = true;

// Sets or clears the group's bits in a mute mask.
std::uint16_t ApplyBits(std::uint16_t mask, std::uint16_t group, bool on) {
  const std::uint16_t bits = static_cast<std::uint16_t>(group & 0xFF);
  return on ? static_cast<std::uint16_t>(mask | bits) : static_cast<std::uint16_t>(mask & ~bits);
}
}  // namespace

void LUnitControl::SetGain(int channel, std::uint16_t gain) {
  if (CI::IsEffectBus(channel)) FCurrent.SetWord(EffGain, gain);
  const std::size_t field = CI::IsInput(channel) ? InGain : OutGain;
  for (std::size_t block : GroupBlocks(channel)) FCurrent.SetWord(block + field, gain);
  Send(CM_MCS_GAIN(DeviceId(), Ch(channel), gain));
}

void LUnitControl::SetPolarity(int channel, std::uint8_t value) {
  const std::size_t field = CI::IsInput(channel) ? InPolarity : OutPolarity;
  for (std::size_t block : GroupBlocks(channel)) FCurrent.SetWord(block + field, value);
  Send(CM_MCS_POLARITY(DeviceId(), Ch(channel), value));
}

void LUnitControl::SetMute(int channel, std::uint8_t on) {
  if (CI::IsEffectBus(channel)) {
    FCurrent.SetWord(EffMute, on);
  } else if (CI::IsInput(channel) || CI::IsOutput(channel)) {
    const std::size_t mask = CI::IsInput(channel) ? InputMuteMask : OutputMuteMask;
    FCurrent.SetWord(mask, ApplyBits(FCurrent.Word(mask), LinkMaskOf(channel), on != 0));
  }
  Send(CM_MCS_MUTE(DeviceId(), Ch(channel), on));
}

void LUnitControl::SetDelay(int channel, std::uint16_t delay) {
  if (CI::IsOutput(channel))
    for (std::size_t block : GroupBlocks(channel)) FCurrent.SetWord(block + OutDelay, delay);
  Send(CM_MCS_DELAY(DeviceId(), Ch(channel), delay));
}

void LUnitControl::SetComp(int channel, const CompRecord& comp) {
  if (CI::IsEffectBus(channel)) FCurrent.Put(EffComp, comp);
  if (CI::IsOutput(channel))
    for (std::size_t block : GroupBlocks(channel)) FCurrent.Put(block + OutComp, comp);
  Send(CM_MCS_COMP(DeviceId(), Ch(channel), comp));
}

void LUnitControl::SetGate(int channel, const GateRecord& gate) {
  if (CI::IsInput(channel))
    for (std::size_t block : GroupBlocks(channel)) FCurrent.Put(block + InGate, gate);
  Send(CM_MCS_GATE(DeviceId(), Ch(channel), gate));
}

void LUnitControl::SetFeedbackLevel(int channel, std::uint8_t level) {
  if (CI::IsInput(channel))
    for (std::size_t block : GroupBlocks(channel)) FCurrent.SetWord(block + InFeedback, level);
  Send(CM_MCS_CMD(DeviceId(), CommandCode("FEEDBACK_LEVEL"), Ch(channel), level));
}

void LUnitControl::SetHighPass(int channel, std::uint16_t slope, std::uint16_t freq) {
  const bool input = CI::IsInput(channel);
  for (std::size_t block : GroupBlocks(channel)) {
    FCurrent.SetWord(block + (input ? InHpSlope : OutHpSlope), slope);
    FCurrent.SetWord(block + (input ? InHpFreq : OutHpFreq), freq);
  }
  Send(CM_MCS_HIGH_PASS(DeviceId(), Ch(channel), freq, Low(slope)));
  if (FOwner) FOwner->MarkOverlaysStale(channel);
}

void LUnitControl::SetLowPass(int channel, std::uint16_t slope, std::uint16_t freq) {
  const bool input = CI::IsInput(channel);
  for (std::size_t block : GroupBlocks(channel)) {
    FCurrent.SetWord(block + (input ? InLpSlope : OutLpSlope), slope);
    FCurrent.SetWord(block + (input ? InLpFreq : OutLpFreq), freq);
  }
  Send(CM_MCS_LOW_PASS(DeviceId(), Ch(channel), freq, Low(slope)));
  if (FOwner) FOwner->MarkOverlaysStale(channel);
}

void LUnitControl::SetPeqBand(int channel, int band, const PeqBandRecord& record, std::uint8_t bypass) {
  const std::size_t own = PeqBand(channel, band);
  if (own != npos) {
    const std::size_t maskOffset = PeqBypassMask(channel);
    const std::uint16_t bit = static_cast<std::uint16_t>(1u << band);
    const std::uint16_t old = FCurrent.Word(maskOffset);
    const std::uint16_t mask =
        bypass != 0 ? static_cast<std::uint16_t>(old | bit) : static_cast<std::uint16_t>(old & ~bit);
    FCurrent.SetWord(maskOffset, mask);
    if (CI::IsEffectBus(channel)) {
      FCurrent.Put(own, record);
    } else {
      // Members take over the edited channel's whole band-bypass word.
      const std::uint16_t group = LinkMaskOf(channel);
      const int first = CI::IsInput(channel) ? CI::FirstInput : CI::FirstOutput;
      for (int m = 0; m < CI::ChannelsPerSide; ++m) {
        if (!((group >> m) & 1u)) continue;
        FCurrent.Put(PeqBand(first + m, band), record);
        FCurrent.SetWord(PeqBypassMask(first + m), mask);
      }
    }
  }
  Send(CM_MCS_PEQ(DeviceId(), Ch(channel), static_cast<std::uint8_t>(band), record, bypass));
  if (FOwner) FOwner->MarkOverlaysStale(channel);
}

void LUnitControl::SetMatrix(int channel, std::uint16_t mask) {
  if (CI::IsEffectBus(channel)) {
    FCurrent.SetByte(EffRoute, Low(mask));
    // Neither gate may keep an input that no longer feeds the effect bus.
    for (std::size_t gateOffset : {EffAutoMixGate, EffCameraGate}) {
      MixGateRecord gate = FCurrent.Get<MixGateRecord>(gateOffset);
      gate.InputMask = static_cast<std::uint16_t>(gate.InputMask & mask);
      FCurrent.Put(gateOffset, gate);
    }
  } else if (CI::IsOutput(channel)) {
    FCurrent.SetWord(OutputBlock(channel) + OutRoute, mask);
  }
  Send(CM_MCS_MATRIX(DeviceId(), Ch(channel), mask));
}

void LUnitControl::SetLinkMask(int channel, std::uint16_t mask) {
  FCurrent.SetWord(LinkMask(channel), mask);
  Send(CM_MCS_CMD(DeviceId(), CommandCode("LINK_MASK"), Ch(channel), Low(mask)), Append);
}

void LUnitControl::SetChannelName(int channel, const ChannelNameBytes& name) {
  const std::size_t offset = ChannelName(channel);
  if (offset != npos)
    std::copy(name.begin(), name.end(), FCurrent.Bytes.begin() + static_cast<std::ptrdiff_t>(offset));
  Send(CM_MCS_CHANNEL_NAME(DeviceId(), Ch(channel), std::span<const std::uint8_t>(name)), Append);
}

void LUnitControl::SetChannelName(int channel, std::string_view utf8Name) {
  const std::string field = Utf8ToAnsiField(utf8Name, ChannelNameSize);
  ChannelNameBytes name{};
  std::copy_n(field.begin(), std::min(field.size(), name.size()), name.begin());
  SetChannelName(channel, name);
}

void LUnitControl::SetPhantom(int channel, std::uint8_t on) {
  std::uint8_t sent = on;
  if (CI::IsInput(channel)) {
    for (std::size_t block : GroupBlocks(channel)) FCurrent.SetByte(block + InPhantom, on);
    sent = FCurrent.Byte(InputBlock(channel) + InPhantom);
  }
  Send(CM_MCS_CMD(DeviceId(), CommandCode("PHANTOM"), Ch(channel), sent), false, Always);
}

void LUnitControl::SetMicGain(int channel, std::uint8_t step) {
  std::uint8_t sent = step;
  if (CI::IsInput(channel)) {
    for (std::size_t block : GroupBlocks(channel)) {
      FCurrent.SetByte(block + InMicGain, step);
      // Line level carries no phantom power.
      if (step == 0) FCurrent.SetByte(block + InPhantom, 0);
    }
    sent = FCurrent.Byte(InputBlock(channel) + InMicGain);
  }
  Send(CM_MCS_CMD(DeviceId(), CommandCode("MIC_GAIN"), Ch(channel), sent), false, Always);
}

void LUnitControl::SetDelayUnit(std::uint16_t unit) {
  FCurrent.SetWord(PresetLayout::DelayUnit, unit);
  Send(CM_MCS_DELAYUNIT(DeviceId(), Low(unit)));
}

void LUnitControl::SetSubCtrl(int index, const SubCtrlRecord& record) {
  FCurrent.Put(index == 0 ? SubCtrl0 : SubCtrl1, record);
  Send(CM_MCS_DSP_SUB_CTRL(DeviceId(), static_cast<std::uint8_t>(index), record));
}

void LUnitControl::SetGroupCtrl(int index, const GroupCtrlRecord& record) {
  if (index >= 0 && index < GroupCtrlCount) FGroupCtrl[static_cast<std::size_t>(index)] = record;
  Send(CM_MCS_GROUP_CTRL(DeviceId(), static_cast<std::uint8_t>(index), record));
}

void LUnitControl::SetEffect(std::uint8_t on, std::uint8_t volume) {
  FCurrent.SetByte(EffOn, on);
  FCurrent.SetByte(EffVolume, volume);
  Send(CM_MCS_CMD(DeviceId(), CommandCode("EFFECT"), on, volume));
}

void LUnitControl::SetAutoMixGate(const MixGateRecord& gate) {
  FCurrent.Put(EffAutoMixGate, gate);
  Send(CM_MCS_MIX_GATE(DeviceId(), CM_MCS_MIX_GATE::AutoMixGate, gate));
}

void LUnitControl::SetCameraGate(const MixGateRecord& gate) {
  FCurrent.Put(EffCameraGate, gate);
  Send(CM_MCS_MIX_GATE(DeviceId(), CM_MCS_MIX_GATE::CameraGate, gate));
}

void LUnitControl::SetAutoMixSlope(std::uint16_t slope) {
  FCurrent.SetWord(EffAutoMixSlope, slope);
  Send(CM_MCS_CMD(DeviceId(), CommandCode("AUTOMIX_SLOPE"), Low(slope)));
}

void LUnitControl::SetCameraDefault(std::uint8_t position) {
  FCurrent.SetByte(EffCameraDefault, position);
  Send(CM_MCS_CMD(DeviceId(), CommandCode("CAMERA_DEFAULT"), position));
}

bool LUnitControl::LoadPresetAndSend(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < PresetStream::FileSize) return false;
  const auto stream = bytes.first(PresetStream::FileSize);
  PresetStream::Read(stream, FCurrent);
  BringIntoSentRange(FCurrent);
  if (FOwner == nullptr) return true;
  constexpr std::size_t RouteHighPosition = 519;
  for (const LCmd& command : BuildPresetCommands(FCurrent, stream[RouteHighPosition], DeviceId()))
    FOwner->SendCommand(command, Append);
  return true;
}
