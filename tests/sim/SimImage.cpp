#include "tests/sim/SimImage.h"

#include <string_view>
#include <vector>

namespace sim {

void ParamImage::Put(std::size_t at, std::span<const std::uint8_t> bytes) {
  for (std::size_t i = 0; i < bytes.size(); ++i) SetByte(at + i, bytes[i]);
}

void ParamImage::SetBit(std::size_t word, unsigned bit, bool on) {
  const auto mask = static_cast<std::uint16_t>(1u << bit);
  const std::uint16_t now = Word(word);
  SetWord(word, on ? static_cast<std::uint16_t>(now | mask) : static_cast<std::uint16_t>(now & ~mask));
}

namespace {

constexpr std::size_t InputsAt = 16;
constexpr std::size_t InputSize = 62;
constexpr std::size_t OutputsAt = 602;
constexpr std::size_t OutputSize = 76;
constexpr std::size_t BandBypassWords = 1216;  // inputs 0..7, the effect bus, outputs 0..7
constexpr int EffectBusChannel = 18;

Strip InputStrip(int n) {
  const std::size_t b = InputsAt + InputSize * static_cast<std::size_t>(n);
  Strip s;
  s.Kind = Side::Input;
  s.Index = n;
  s.Name = b;
  s.Phantom = b + 8;
  s.MicGain = b + 9;
  s.Feedback = b + 10;
  s.Gate = b + 12;
  s.Bands = b + 18;
  s.BandCount = 5;
  s.HighPass = b + 48;
  s.LowPass = b + 52;
  s.Gain = b + 56;
  s.Polarity = b + 58;
  s.Link = b + 60;
  s.BandBypass = BandBypassWords + 2 * static_cast<std::size_t>(n);
  s.MuteWord = at::InputMutes;
  s.WholeEq = at::WholeEqInputs;
  s.CopyFrom = b + 8;
  s.CopyWords = 27;
  return s;
}

Strip OutputStrip(int n) {
  const std::size_t b = OutputsAt + OutputSize * static_cast<std::size_t>(n);
  Strip s;
  s.Kind = Side::Output;
  s.Index = n;
  s.Name = b;
  s.Route = b + 8;
  s.HighPass = b + 10;
  s.LowPass = b + 14;
  s.Bands = b + 18;
  s.BandCount = 7;
  s.Comp = b + 60;
  s.Gain = b + 68;
  s.Polarity = b + 70;
  s.Delay = b + 72;
  s.Link = b + 74;
  s.BandBypass = BandBypassWords + 2 * static_cast<std::size_t>(9 + n);
  s.MuteWord = at::OutputMutes;
  s.WholeEq = at::WholeEqOutputs;
  s.CopyFrom = b + 10;
  s.CopyWords = 32;
  return s;
}

Strip EffectStrip() {
  Strip s;
  s.Kind = Side::Effect;
  s.Name = at::EffectName;
  s.Bands = 546;
  s.BandCount = 5;
  s.Comp = 592;
  s.Gain = 600;
  s.BandBypass = BandBypassWords + 2 * 8;
  s.MuteWord = at::EffectMute;
  s.WholeEq = at::WholeEqEffect;
  return s;
}

void PutText(ParamImage& image, std::size_t where, std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) image.SetByte(where + i, static_cast<std::uint8_t>(text[i]));
}

void PutWords(ParamImage& image, std::size_t where, std::initializer_list<std::uint16_t> words) {
  for (std::uint16_t w : words) {
    image.SetWord(where, w);
    where += 2;
  }
}

// Gain 0 dB (120), Q index 25, peak; one record per band frequency.
void PutBands(ParamImage& image, std::size_t where, std::initializer_list<std::uint16_t> freqs) {
  for (std::uint16_t f : freqs) {
    PutWords(image, where, {120, f});
    image.SetByte(where + 4, 25);
    image.SetByte(where + 5, 0);
    where += 6;
  }
}

ParamImage BuildFactoryImage() {
  ParamImage image;
  PutText(image, at::PresetName, "Default Preset");
  for (int n = 0; n < 8; ++n) {
    const std::string_view digit = std::string_view("12345678").substr(static_cast<std::size_t>(n), 1);
    const Strip in = InputStrip(n);
    PutText(image, in.Name, "In");
    PutText(image, in.Name + 2, digit);
    PutWords(image, in.Gate, {0, 2999, 0});
    PutBands(image, in.Bands, {49, 101, 148, 200, 255});
    image.SetWord(in.LowPass + 2, 300);
    image.SetWord(in.Link, static_cast<std::uint16_t>(1u << n));

    const Strip out = OutputStrip(n);
    PutText(image, out.Name, "Out");
    PutText(image, out.Name + 3, digit);
    image.SetWord(out.Route, static_cast<std::uint16_t>(1u << n));
    image.SetWord(out.LowPass + 2, 300);
    PutBands(image, out.Bands, {31, 71, 118, 161, 200, 240, 270});
    PutWords(image, out.Comp, {0, 49, 199, 220});
    image.SetWord(out.Gain, 280);
    image.SetWord(out.Link, static_cast<std::uint16_t>(1u << n));
  }
  const Strip fx = EffectStrip();
  PutText(image, fx.Name, "Aux");
  image.SetByte(at::EffectVolume, 55);
  image.SetByte(at::CameraDefault, 1);
  PutWords(image, at::AutoMixGate, {99, 2999, 180, 1, 0});
  PutWords(image, at::CameraGate, {99, 2999, 180, 1, 0});
  PutBands(image, fx.Bands, {49, 101, 148, 200, 255});
  PutWords(image, at::Echo, {10, 200, 60, 80});
  PutWords(image, at::Reverb, {50, 12, 139, 30});
  PutWords(image, fx.Comp, {0, 49, 199, 220});
  image.SetWord(fx.Gain, 280);
  image.SetByte(at::SubControl0, 100);
  image.SetByte(at::SubControl1, 100);
  image.SetWord(at::Memorize, 1);
  return image;
}

// Image offsets in travelling order; 0 stands for a gap byte (offset 0 is a
// header byte and never travels).
const std::vector<std::size_t>& TravelOrder() {
  static const std::vector<std::size_t> order = [] {
    std::vector<std::size_t> v;
    v.reserve(StreamLength);
    for (std::size_t offset = 2; offset < ImageSize; ++offset) {
      v.push_back(offset);
      if (offset >= at::EffectRoute && offset <= at::CameraDefault) v.push_back(0);
    }
    return v;
  }();
  return order;
}

}  // namespace

std::optional<Strip> StripOf(int channel) {
  if (channel >= 0 && channel < 8) return InputStrip(channel);
  if (channel >= 8 && channel < 16) return OutputStrip(channel - 8);
  if (channel == EffectBusChannel) return EffectStrip();
  return std::nullopt;
}

int ChannelOf(Side side, int index) {
  switch (side) {
    case Side::Input:
      return index;
    case Side::Output:
      return 8 + index;
    case Side::Effect:
      break;
  }
  return EffectBusChannel;
}

const ParamImage& FactoryImage() {
  static const ParamImage image = BuildFactoryImage();
  return image;
}

void WriteStream(const ParamImage& image, std::span<std::uint8_t> out) {
  const auto& order = TravelOrder();
  for (std::size_t p = 0; p < out.size() && p < order.size(); ++p)
    out[p] = order[p] ? image.Byte(order[p]) : 0;
}

void ReadStream(std::span<const std::uint8_t> in, ParamImage& image) {
  const auto& order = TravelOrder();
  for (std::size_t p = 0; p < in.size() && p < order.size(); ++p)
    if (order[p]) image.SetByte(order[p], in[p]);
}

}  // namespace sim
