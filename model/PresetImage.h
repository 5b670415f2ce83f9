#pragma once
// The 1272-byte record of one parameter set, kept exactly as the device lays
// it out, and PresetStream, the order in which it travels on the wire and in
// files. Fields are reached through the offsets below; every word is 16 bits,
// low byte first.

#include "link/DeviceRecords.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

// Channel numbering shared with the commands and the windows.
namespace ChannelIndex {
inline constexpr int FirstInput = 0;
inline constexpr int LastInput = 7;
inline constexpr int FirstOutput = 8;
inline constexpr int LastOutput = 15;
inline constexpr int EffectBus = 18;
inline constexpr int ChannelsPerSide = 8;

constexpr bool IsInput(int ch) {
  return ch >= FirstInput && ch <= LastInput;
}
constexpr bool IsOutput(int ch) {
  return ch >= FirstOutput && ch <= LastOutput;
}
constexpr bool IsEffectBus(int ch) {
  return ch == EffectBus;
}
}  // namespace ChannelIndex

namespace PresetLayout {
inline constexpr std::size_t ImageSize = 1272;
inline constexpr std::size_t NameOffset = 2;
inline constexpr std::size_t PresetNameSize = 14;
inline constexpr std::size_t ChannelNameSize = 8;

// InputBlock: input n at InputBase + InputStride * n.
inline constexpr std::size_t InputBase = 16;
inline constexpr std::size_t InputStride = 62;
inline constexpr std::size_t InName = 0;
inline constexpr std::size_t InPhantom = 8;
inline constexpr std::size_t InMicGain = 9;
inline constexpr std::size_t InFeedback = 10;
inline constexpr std::size_t InGate = 12;
inline constexpr std::size_t InPeq = 18;
inline constexpr std::size_t InHpSlope = 48;
inline constexpr std::size_t InHpFreq = 50;
inline constexpr std::size_t InLpSlope = 52;
inline constexpr std::size_t InLpFreq = 54;
inline constexpr std::size_t InGain = 56;
inline constexpr std::size_t InPolarity = 58;
inline constexpr std::size_t InLinkMask = 60;
inline constexpr int InputBands = 5;

// EffectBusBlock, absolute offsets.
inline constexpr std::size_t EffName = 512;
inline constexpr std::size_t EffRoute = 520;
inline constexpr std::size_t EffOn = 521;
inline constexpr std::size_t EffVolume = 522;
inline constexpr std::size_t EffCameraDefault = 523;
inline constexpr std::size_t EffAutoMixSlope = 524;
inline constexpr std::size_t EffAutoMixGate = 526;
inline constexpr std::size_t EffCameraGate = 536;
inline constexpr std::size_t EffPeq = 546;
inline constexpr std::size_t EffEcho = 576;
inline constexpr std::size_t EffReverb = 584;
inline constexpr std::size_t EffComp = 592;
inline constexpr std::size_t EffGain = 600;
inline constexpr int EffectBands = 5;

// OutputBlock: output n (channel 8 + n) at OutputBase + OutputStride * n.
inline constexpr std::size_t OutputBase = 602;
inline constexpr std::size_t OutputStride = 76;
inline constexpr std::size_t OutName = 0;
inline constexpr std::size_t OutRoute = 8;
inline constexpr std::size_t OutHpSlope = 10;
inline constexpr std::size_t OutHpFreq = 12;
inline constexpr std::size_t OutLpSlope = 14;
inline constexpr std::size_t OutLpFreq = 16;
inline constexpr std::size_t OutPeq = 18;
inline constexpr std::size_t OutComp = 60;
inline constexpr std::size_t OutGain = 68;
inline constexpr std::size_t OutPolarity = 70;
inline constexpr std::size_t OutDelay = 72;
inline constexpr std::size_t OutLinkMask = 74;
inline constexpr int OutputBands = 7;

inline constexpr std::size_t InputMuteMask = 1210;
inline constexpr std::size_t EffMute = 1212;
inline constexpr std::size_t OutputMuteMask = 1214;
// 17 band-bypass words: input n at n, the effect bus at 8, output n at 9 + n.
inline constexpr std::size_t PeqBypassBase = 1216;
inline constexpr std::size_t SubCtrl0 = 1250;
inline constexpr std::size_t SubCtrl1 = 1254;
inline constexpr std::size_t TestSignal = 1258;
inline constexpr std::size_t SineFreq = 1260;
inline constexpr std::size_t DelayUnit = 1262;
inline constexpr std::size_t MemorizeMode = 1264;
inline constexpr std::size_t EqBypassInputs = 1266;
inline constexpr std::size_t EqBypassEffect = 1268;
inline constexpr std::size_t EqBypassOutputs = 1270;

// Offsets of a channel's parts; npos when the channel has no such part.
inline constexpr std::size_t npos = static_cast<std::size_t>(-1);
std::size_t InputBlock(int channel);
std::size_t OutputBlock(int channel);
std::size_t ChannelName(int channel);
std::size_t PeqBand(int channel, int band);
std::size_t PeqBypassMask(int channel);
std::size_t EqBypassMask(int channel);
std::size_t Gain(int channel);
std::size_t Polarity(int channel);
std::size_t LinkMask(int channel);
int BandCount(int channel);
}  // namespace PresetLayout

class PresetImage {
 public:
  static constexpr std::size_t Size = PresetLayout::ImageSize;

  // Accesses outside the record read 0 and write nothing.
  std::uint8_t Byte(std::size_t offset) const { return offset < Size ? Bytes[offset] : 0; }
  void SetByte(std::size_t offset, std::uint8_t v) {
    if (offset < Size) Bytes[offset] = v;
  }
  std::uint16_t Word(std::size_t offset) const;
  void SetWord(std::size_t offset, std::uint16_t v);

  template <class Record>
  Record Get(std::size_t offset) const {
    Record r;
    if (offset <= Size && Record::Size <= Size - offset) LoadRecord(Bytes.data() + offset, r);
    return r;
  }
  template <class Record>
  void Put(std::size_t offset, const Record& r) {
    if (offset <= Size && Record::Size <= Size - offset) StoreRecord(Bytes.data() + offset, r);
  }

  bool operator==(const PresetImage&) const = default;

  std::array<std::uint8_t, Size> Bytes{};
};

// The factory defaults.
const PresetImage& DefaultPresetImage();
inline constexpr int GroupCtrlCount = 8;
using GroupCtrlRecords = std::array<GroupCtrlRecord, GroupCtrlCount>;
GroupCtrlRecords DefaultGroupCtrlRecords();

// PresetStream: image offsets 2..1271 with a zero byte after each of the four
// byte fields of the effect bus at 520..523.
namespace PresetStream {
inline constexpr std::size_t Size = 1274;
inline constexpr std::size_t FileSize = 1260;  // through the second sub-control record
// Image offset of a stream position, or npos for the four inserted zero bytes
// and for positions past the stream.
std::size_t ImageOffset(std::size_t position);
// Writes stream positions 0..out.size()-1 (at most Size) from the image.
void Write(const PresetImage& image, std::span<std::uint8_t> out);
// Stores stream positions 0..in.size()-1 (at most Size) into the image,
// skipping the inserted zero bytes.
void Read(std::span<const std::uint8_t> in, PresetImage& image);
}  // namespace PresetStream
