#pragma once
// The simulated device's own parameter set: the 1272 bytes of one set as the
// device keeps them, where each field sits, the factory set, and the order in
// which a set travels in state packets, slot packets and preset files.
//
// Written from the protocol as the device sees it, apart from the editor's
// parameter model, so that a round trip through the simulator compares two
// readings of the protocol instead of one reading with itself.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace sim {

inline constexpr std::size_t ImageSize = 1272;
inline constexpr std::size_t StreamLength = 1274;  // image bytes 2..1271 and four gap bytes
inline constexpr std::size_t FileStreamLength = 1260;
inline constexpr std::size_t PresetNameLength = 14;
inline constexpr std::size_t ChannelNameLength = 8;

class ParamImage {
 public:
  // Reads outside the set give 0; writes outside it change nothing.
  std::uint8_t Byte(std::size_t at) const { return at < ImageSize ? Bytes[at] : 0; }
  void SetByte(std::size_t at, std::uint8_t v) {
    if (at < ImageSize) Bytes[at] = v;
  }
  std::uint16_t Word(std::size_t at) const {
    return static_cast<std::uint16_t>(Byte(at) | (Byte(at + 1) << 8));
  }
  void SetWord(std::size_t at, std::uint16_t v) {
    if (at + 1 >= ImageSize) return;
    Bytes[at] = static_cast<std::uint8_t>(v);
    Bytes[at + 1] = static_cast<std::uint8_t>(v >> 8);
  }
  // Raw bytes in their wire order (records keep the same order in the set).
  void Put(std::size_t at, std::span<const std::uint8_t> bytes);
  void SetBit(std::size_t word, unsigned bit, bool on);

  bool operator==(const ParamImage&) const = default;

  std::array<std::uint8_t, ImageSize> Bytes{};
};

// Where the fields of the set sit.
namespace at {
inline constexpr std::size_t PresetName = 2;
inline constexpr std::size_t EffectName = 512;
inline constexpr std::size_t EffectRoute = 520;  // a byte
inline constexpr std::size_t EffectOn = 521;
inline constexpr std::size_t EffectVolume = 522;
inline constexpr std::size_t CameraDefault = 523;
inline constexpr std::size_t AutoMixSlope = 524;
inline constexpr std::size_t AutoMixGate = 526;
inline constexpr std::size_t CameraGate = 536;
inline constexpr std::size_t Echo = 576;
inline constexpr std::size_t Reverb = 584;
inline constexpr std::size_t InputMutes = 1210;
inline constexpr std::size_t EffectMute = 1212;
inline constexpr std::size_t OutputMutes = 1214;
inline constexpr std::size_t SubControl0 = 1250;
inline constexpr std::size_t SubControl1 = 1254;
inline constexpr std::size_t TestSource = 1258;
inline constexpr std::size_t SineIndex = 1260;
inline constexpr std::size_t DelayUnitWord = 1262;
inline constexpr std::size_t Memorize = 1264;
inline constexpr std::size_t WholeEqInputs = 1266;
inline constexpr std::size_t WholeEqEffect = 1268;
inline constexpr std::size_t WholeEqOutputs = 1270;
}  // namespace at

// A channel's strip: 0..7 the inputs, 8..15 the outputs, 18 the effect bus.
// A field the strip does not have is None.
enum class Side { Input, Output, Effect };

struct Strip {
  static constexpr std::size_t None = static_cast<std::size_t>(-1);
  Side Kind = Side::Input;
  int Index = 0;  // within its side
  std::size_t Name = None;
  std::size_t Gain = None;
  std::size_t Polarity = None;
  std::size_t HighPass = None;  // slope word, then frequency word
  std::size_t LowPass = None;   // slope word, then frequency word
  std::size_t Bands = None;     // first of BandCount six-byte band records
  int BandCount = 0;
  std::size_t BandBypass = None;  // one word, bit b = band b
  std::size_t Link = None;
  std::size_t Comp = None;
  std::size_t Gate = None;
  std::size_t Delay = None;
  std::size_t Route = None;  // an output's route word
  std::size_t Phantom = None;
  std::size_t MicGain = None;
  std::size_t Feedback = None;
  std::size_t MuteWord = None;  // the mute mask of the side, or the effect-bus mute word
  std::size_t WholeEq = None;   // the side's whole-EQ bypass word
  // The parameters a channel copy carries (from the first field after the
  // name or route), and how many words.
  std::size_t CopyFrom = None;
  std::size_t CopyWords = 0;
};

std::optional<Strip> StripOf(int channel);
// The channel of a side's index.
int ChannelOf(Side side, int index);

// The factory set.
const ParamImage& FactoryImage();

// A set in travelling order: image bytes 2..1271, with a zero byte after
// each of the effect bus's four byte fields. Write fills out.size() bytes
// (at most StreamLength); Read takes in.size() bytes and skips the gaps.
void WriteStream(const ParamImage& image, std::span<std::uint8_t> out);
void ReadStream(std::span<const std::uint8_t> in, ParamImage& image);

}  // namespace sim
