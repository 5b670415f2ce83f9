#include "model/PresetCommands.h"

using namespace PresetLayout;
namespace CI = ChannelIndex;

namespace {

std::uint8_t Low(std::uint16_t w) {
  return static_cast<std::uint8_t>(w & 0xFF);
}
std::uint8_t Ch(int channel) {
  return static_cast<std::uint8_t>(channel);
}

std::span<const std::uint8_t> NameOf(const PresetImage& image, int channel) {
  return std::span<const std::uint8_t>(image.Bytes).subspan(ChannelName(channel), ChannelNameSize);
}

std::uint8_t MaskBit(const PresetImage& image, std::size_t maskOffset, int bit) {
  return static_cast<std::uint8_t>((image.Word(maskOffset) >> bit) & 1u);
}

}  // namespace

std::vector<LCmd> BuildPresetCommands(const PresetImage& image, std::uint8_t routeHighByte, std::uint8_t id) {
  std::vector<LCmd> out;
  out.reserve(PresetCommandCount);

  out.push_back(
      CM_MCS_PRESETNAME(id, std::span<const std::uint8_t>(image.Bytes).subspan(NameOffset, PresetNameSize)));

  for (int n = CI::FirstInput; n <= CI::LastInput; ++n) {
    const std::size_t in = InputBlock(n);
    out.push_back(CM_MCS_CHANNEL_NAME(id, Ch(n), NameOf(image, n)));
    out.push_back(CM_MCS_CMD(id, CommandCode("PHANTOM"), Ch(n), image.Byte(in + InPhantom)));
    out.push_back(CM_MCS_CMD(id, CommandCode("MIC_GAIN"), Ch(n), image.Byte(in + InMicGain)));
    out.push_back(CM_MCS_CMD(id, CommandCode("FEEDBACK_LEVEL"), Ch(n), Low(image.Word(in + InFeedback))));
    out.push_back(CM_MCS_GATE(id, Ch(n), image.Get<GateRecord>(in + InGate)));
    out.push_back(CM_MCS_HIGH_PASS(id, Ch(n), image.Word(in + InHpFreq), Low(image.Word(in + InHpSlope))));
    out.push_back(CM_MCS_LOW_PASS(id, Ch(n), image.Word(in + InLpFreq), Low(image.Word(in + InLpSlope))));
    out.push_back(CM_MCS_GAIN(id, Ch(n), image.Word(in + InGain)));
    out.push_back(CM_MCS_POLARITY(id, Ch(n), image.Word(in + InPolarity) != 0 ? 1 : 0));
    out.push_back(CM_MCS_CMD(id, CommandCode("LINK_MASK"), Ch(n), Low(image.Word(in + InLinkMask))));
  }

  const int eff = CI::EffectBus;
  out.push_back(CM_MCS_CHANNEL_NAME(id, Ch(eff), NameOf(image, eff)));
  out.push_back(
      CM_MCS_MATRIX(id, Ch(eff), static_cast<std::uint16_t>(image.Byte(EffRoute) | (routeHighByte << 8))));
  out.push_back(CM_MCS_CMD(id, CommandCode("EFFECT"), image.Byte(EffOn), image.Byte(EffVolume)));
  out.push_back(CM_MCS_CMD(id, CommandCode("CAMERA_DEFAULT"), image.Byte(EffCameraDefault)));
  out.push_back(CM_MCS_CMD(id, CommandCode("AUTOMIX_SLOPE"), Low(image.Word(EffAutoMixSlope))));
  out.push_back(CM_MCS_MIX_GATE(id, CM_MCS_MIX_GATE::AutoMixGate, image.Get<MixGateRecord>(EffAutoMixGate)));
  out.push_back(CM_MCS_MIX_GATE(id, CM_MCS_MIX_GATE::CameraGate, image.Get<MixGateRecord>(EffCameraGate)));
  out.push_back(CM_MCS_ECHO(id, image.Get<EchoRecord>(EffEcho)));
  out.push_back(CM_MCS_RVB(id, image.Get<ReverbRecord>(EffReverb)));
  out.push_back(CM_MCS_COMP(id, Ch(eff), image.Get<CompRecord>(EffComp)));
  out.push_back(CM_MCS_GAIN(id, Ch(eff), image.Word(EffGain)));

  for (int ch = CI::FirstOutput; ch <= CI::LastOutput; ++ch) {
    const std::size_t o = OutputBlock(ch);
    out.push_back(CM_MCS_CHANNEL_NAME(id, Ch(ch), NameOf(image, ch)));
    out.push_back(CM_MCS_MATRIX(id, Ch(ch), image.Word(o + OutRoute)));
    out.push_back(CM_MCS_HIGH_PASS(id, Ch(ch), image.Word(o + OutHpFreq), Low(image.Word(o + OutHpSlope))));
    out.push_back(CM_MCS_LOW_PASS(id, Ch(ch), image.Word(o + OutLpFreq), Low(image.Word(o + OutLpSlope))));
    out.push_back(CM_MCS_COMP(id, Ch(ch), image.Get<CompRecord>(o + OutComp)));
    out.push_back(CM_MCS_GAIN(id, Ch(ch), image.Word(o + OutGain)));
    out.push_back(CM_MCS_POLARITY(id, Ch(ch), image.Word(o + OutPolarity) != 0 ? 1 : 0));
    out.push_back(CM_MCS_DELAY(id, Ch(ch), image.Word(o + OutDelay)));
    out.push_back(CM_MCS_CMD(id, CommandCode("LINK_MASK"), Ch(ch), Low(image.Word(o + OutLinkMask))));
  }

  for (int n = CI::FirstInput; n <= CI::LastInput; ++n)
    out.push_back(CM_MCS_MUTE(id, Ch(n), MaskBit(image, InputMuteMask, n)));
  out.push_back(CM_MCS_MUTE(id, Ch(eff), Low(image.Word(EffMute))));
  for (int ch = CI::FirstOutput; ch <= CI::LastOutput; ++ch)
    out.push_back(CM_MCS_MUTE(id, Ch(ch), MaskBit(image, OutputMuteMask, ch - CI::FirstOutput)));

  const auto bands = [&](int ch) {
    for (int b = 0; b < BandCount(ch); ++b)
      out.push_back(CM_MCS_PEQ(id, Ch(ch), static_cast<std::uint8_t>(b),
                               image.Get<PeqBandRecord>(PeqBand(ch, b)),
                               MaskBit(image, PeqBypassMask(ch), b)));
  };
  for (int n = CI::FirstInput; n <= CI::LastInput; ++n) bands(n);
  bands(eff);
  for (int ch = CI::FirstOutput; ch <= CI::LastOutput; ++ch) bands(ch);

  out.push_back(CM_MCS_DSP_SUB_CTRL(id, 0, image.Get<SubCtrlRecord>(SubCtrl0)));
  out.push_back(CM_MCS_DSP_SUB_CTRL(id, 1, image.Get<SubCtrlRecord>(SubCtrl1)));
  return out;
}

void BringIntoSentRange(PresetImage& image) {
  const auto low = [&](std::size_t offset) { image.SetWord(offset, Low(image.Word(offset))); };
  const auto flag = [&](std::size_t offset) { image.SetWord(offset, image.Word(offset) != 0 ? 1 : 0); };
  const auto bits = [&](std::size_t offset, int count) {
    image.SetWord(offset, static_cast<std::uint16_t>(image.Word(offset) & ((1u << count) - 1u)));
  };
  for (int n = CI::FirstInput; n <= CI::LastInput; ++n) {
    const std::size_t in = InputBlock(n);
    for (std::size_t field : {InFeedback, InHpSlope, InLpSlope, InLinkMask}) low(in + field);
    flag(in + InPolarity);
    // Line level carries no phantom power: the device drops it on the mic
    // gain that follows.
    if (image.Byte(in + InMicGain) == 0) image.SetByte(in + InPhantom, 0);
  }
  for (int ch = CI::FirstOutput; ch <= CI::LastOutput; ++ch) {
    const std::size_t o = OutputBlock(ch);
    for (std::size_t field : {OutHpSlope, OutLpSlope, OutLinkMask}) low(o + field);
    flag(o + OutPolarity);
  }
  low(EffAutoMixSlope);
  low(EffMute);
  bits(InputMuteMask, 8);
  bits(OutputMuteMask, 8);
  for (int ch = CI::FirstInput; ch <= CI::LastOutput; ++ch) bits(PeqBypassMask(ch), BandCount(ch));
  bits(PeqBypassMask(CI::EffectBus), BandCount(CI::EffectBus));
}
