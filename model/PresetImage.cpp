#include "model/PresetImage.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

namespace PresetLayout {

std::size_t InputBlock(int channel) {
  if (!ChannelIndex::IsInput(channel)) return npos;
  return InputBase + InputStride * static_cast<std::size_t>(channel);
}

std::size_t OutputBlock(int channel) {
  if (!ChannelIndex::IsOutput(channel)) return npos;
  return OutputBase + OutputStride * static_cast<std::size_t>(channel - ChannelIndex::FirstOutput);
}

std::size_t ChannelName(int channel) {
  if (ChannelIndex::IsInput(channel)) return InputBlock(channel) + InName;
  if (ChannelIndex::IsOutput(channel)) return OutputBlock(channel) + OutName;
  if (ChannelIndex::IsEffectBus(channel)) return EffName;
  return npos;
}

int BandCount(int channel) {
  if (ChannelIndex::IsInput(channel)) return InputBands;
  if (ChannelIndex::IsOutput(channel)) return OutputBands;
  if (ChannelIndex::IsEffectBus(channel)) return EffectBands;
  return 0;
}

std::size_t PeqBand(int channel, int band) {
  if (band < 0 || band >= BandCount(channel)) return npos;
  std::size_t first = npos;
  if (ChannelIndex::IsInput(channel))
    first = InputBlock(channel) + InPeq;
  else if (ChannelIndex::IsOutput(channel))
    first = OutputBlock(channel) + OutPeq;
  else
    first = EffPeq;
  return first + PeqBandRecord::Size * static_cast<std::size_t>(band);
}

std::size_t PeqBypassMask(int channel) {
  if (ChannelIndex::IsInput(channel)) return PeqBypassBase + 2 * static_cast<std::size_t>(channel);
  if (ChannelIndex::IsEffectBus(channel)) return PeqBypassBase + 2 * 8;
  if (ChannelIndex::IsOutput(channel)) return PeqBypassBase + 2 * static_cast<std::size_t>(channel + 1);
  return npos;
}

std::size_t EqBypassMask(int channel) {
  if (ChannelIndex::IsInput(channel)) return EqBypassInputs;
  if (ChannelIndex::IsEffectBus(channel)) return EqBypassEffect;
  if (ChannelIndex::IsOutput(channel)) return EqBypassOutputs;
  return npos;
}

std::size_t Gain(int channel) {
  if (ChannelIndex::IsInput(channel)) return InputBlock(channel) + InGain;
  if (ChannelIndex::IsOutput(channel)) return OutputBlock(channel) + OutGain;
  if (ChannelIndex::IsEffectBus(channel)) return EffGain;
  return npos;
}

std::size_t Polarity(int channel) {
  if (ChannelIndex::IsInput(channel)) return InputBlock(channel) + InPolarity;
  if (ChannelIndex::IsOutput(channel)) return OutputBlock(channel) + OutPolarity;
  return npos;
}

std::size_t LinkMask(int channel) {
  if (ChannelIndex::IsInput(channel)) return InputBlock(channel) + InLinkMask;
  if (ChannelIndex::IsOutput(channel)) return OutputBlock(channel) + OutLinkMask;
  return npos;
}

}  // namespace PresetLayout

std::uint16_t PresetImage::Word(std::size_t offset) const {
  if (offset >= Size - 1) return 0;
  return static_cast<std::uint16_t>(Bytes[offset] | (Bytes[offset + 1] << 8));
}

void PresetImage::SetWord(std::size_t offset, std::uint16_t v) {
  if (offset >= Size - 1) return;
  Bytes[offset] = static_cast<std::uint8_t>(v & 0xFF);
  Bytes[offset + 1] = static_cast<std::uint8_t>(v >> 8);
}

namespace {

using namespace PresetLayout;

void PutText(PresetImage& image, std::size_t offset, std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) image.SetByte(offset + i, static_cast<std::uint8_t>(text[i]));
}

constexpr std::uint16_t InputBandFreqs[InputBands] = {49, 101, 148, 200, 255};
constexpr std::uint16_t OutputBandFreqs[OutputBands] = {31, 71, 118, 161, 200, 240, 270};
constexpr std::uint16_t BandGainZero = 120;
constexpr std::uint8_t BandQDefault = 25;

PeqBandRecord DefaultBand(std::uint16_t freq) {
  PeqBandRecord band;
  band.Gain = BandGainZero;
  band.Freq = freq;
  band.Q = BandQDefault;
  band.Type = 0;
  return band;
}

CompRecord DefaultComp() {
  CompRecord comp;
  comp.Ratio = 0;
  comp.Attack = 49;
  comp.Release = 199;
  comp.Threshold = 220;
  return comp;
}

MixGateRecord DefaultMixGate() {
  MixGateRecord gate;
  gate.Attack = 99;
  gate.Release = 2999;
  gate.Threshold = 180;
  gate.InputMask = 0x0001;
  gate.Reserved = 0;
  return gate;
}

PresetImage BuildDefaultImage() {
  PresetImage image;
  PutText(image, NameOffset, "Default Preset");

  const char digits[] = "12345678";
  for (int n = 0; n < 8; ++n) {
    const std::size_t in = InputBlock(n);
    PutText(image, in + InName, std::string("In") + digits[n]);
    GateRecord gate;
    gate.Attack = 0;
    gate.Release = 2999;
    gate.Threshold = 0;
    image.Put(in + InGate, gate);
    for (int b = 0; b < InputBands; ++b) image.Put(PeqBand(n, b), DefaultBand(InputBandFreqs[b]));
    image.SetWord(in + InHpFreq, 0);
    image.SetWord(in + InLpFreq, 300);
    image.SetWord(in + InGain, 0);
    image.SetWord(in + InLinkMask, static_cast<std::uint16_t>(1u << n));

    const int ch = ChannelIndex::FirstOutput + n;
    const std::size_t out = OutputBlock(ch);
    PutText(image, out + OutName, std::string("Out") + digits[n]);
    image.SetWord(out + OutRoute, static_cast<std::uint16_t>(1u << n));
    image.SetWord(out + OutLpFreq, 300);
    for (int b = 0; b < OutputBands; ++b) image.Put(PeqBand(ch, b), DefaultBand(OutputBandFreqs[b]));
    image.Put(out + OutComp, DefaultComp());
    image.SetWord(out + OutGain, 280);
    image.SetWord(out + OutLinkMask, static_cast<std::uint16_t>(1u << n));
  }

  PutText(image, EffName, "Aux");
  image.SetByte(EffVolume, 55);
  image.SetByte(EffCameraDefault, 1);
  image.Put(EffAutoMixGate, DefaultMixGate());
  image.Put(EffCameraGate, DefaultMixGate());
  for (int b = 0; b < EffectBands; ++b)
    image.Put(PeqBand(ChannelIndex::EffectBus, b), DefaultBand(InputBandFreqs[b]));
  EchoRecord echo;
  echo.PreDelay = 10;
  echo.Delay = 200;
  echo.Repeat = 60;
  echo.Gain = 80;
  image.Put(EffEcho, echo);
  ReverbRecord reverb;
  reverb.PreDelay = 50;
  reverb.Reflect = 12;
  reverb.Time = 139;
  reverb.Gain = 30;
  image.Put(EffReverb, reverb);
  image.Put(EffComp, DefaultComp());
  image.SetWord(EffGain, 280);

  SubCtrlRecord sub;
  sub.Volume = 100;
  image.Put(SubCtrl0, sub);
  image.Put(SubCtrl1, sub);
  image.SetWord(MemorizeMode, 1);
  return image;
}

}  // namespace

const PresetImage& DefaultPresetImage() {
  static const PresetImage image = BuildDefaultImage();
  return image;
}

GroupCtrlRecords DefaultGroupCtrlRecords() {
  GroupCtrlRecords records{};
  for (auto& r : records) {
    r.Volume = 100;
    r.Mute = 0;
    r.ChannelMask = 0;
  }
  return records;
}

namespace PresetStream {

namespace {
// Stream positions of the zero bytes that follow the four effect-bus byte fields.
constexpr std::size_t FirstGap = 519;
constexpr std::size_t LastGap = 525;
}  // namespace

std::size_t ImageOffset(std::size_t position) {
  if (position >= Size) return PresetLayout::npos;
  if (position < FirstGap) return position + 2;
  if (position > LastGap) return position - 2;
  // 519..525 interleave 521, 522, 523 with zero bytes.
  if ((position - FirstGap) % 2 == 0) return PresetLayout::npos;
  return PresetLayout::EffOn + (position - FirstGap - 1) / 2;
}

void Write(const PresetImage& image, std::span<std::uint8_t> out) {
  const std::size_t count = std::min(out.size(), Size);
  for (std::size_t p = 0; p < count; ++p) {
    const std::size_t offset = ImageOffset(p);
    out[p] = offset == PresetLayout::npos ? 0 : image.Byte(offset);
  }
}

void Read(std::span<const std::uint8_t> in, PresetImage& image) {
  const std::size_t count = std::min(in.size(), Size);
  for (std::size_t p = 0; p < count; ++p) {
    const std::size_t offset = ImageOffset(p);
    if (offset != PresetLayout::npos) image.SetByte(offset, in[p]);
  }
}

}  // namespace PresetStream
