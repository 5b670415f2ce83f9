#pragma once
// The device side of the protocol, without any transport: a parameter set,
// the eight group-control records, 21 stored preset slots, the device-info
// block, the identity, a user lock, the device address and the levels, and
// the answer to every frame the editor sends. DeviceSimulator carries it over
// TCP, a pseudo-terminal and the fake HID backend; tests may also drive it
// directly.
//
// It keeps its own parameter set (SimImage.h) and decodes every command
// itself; only the framing facts (codes and payload lengths) come from the
// command table that the editor's commands share. A command for a linked
// channel changes its whole link group, as the group is recorded in the link
// masks of the set.
//
// Where the device's own behaviour is not known, it does the plain thing:
// every command it takes is acknowledged, and so is any code it does not
// know (the link waits for some frame); a command shorter than its table
// row is acknowledged and applies nothing; the lock status reply is six bytes
// with the lock flag last; a new lock password also sets the lock, and a
// right password unlocks until the next restart; a recall of a slot never
// stored changes nothing; a factory reset restores the factory set and
// empties every slot and restores the group-control records, but keeps the
// ID, the address, the lock and the device-info block; a slot packet or state
// packet is always 50 data bytes (zero past the stream); a channel copy
// carries what the editor's offline copy carries, onto the target alone.
//
// Not thread-safe on its own; DeviceSimulator guards it with its lock.

#include "link/LCmd.h"
#include "tests/sim/SimImage.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace sim {

// Reply codes the device sends.
namespace reply {
inline constexpr std::uint8_t Ack = 0x01;
inline constexpr std::uint8_t Hello = 0x10;
inline constexpr std::uint8_t IdentityOther = 0x13;
inline constexpr std::uint8_t PresetNumber = 0x14;
inline constexpr std::uint8_t Eeprom = 0x19;
inline constexpr std::uint8_t StoredFlags = 0x22;
inline constexpr std::uint8_t StatePacket = 0x24;
inline constexpr std::uint8_t DownloadBlock = 0x25;
inline constexpr std::uint8_t SlotPacket = 0x28;
inline constexpr std::uint8_t PresetName = 0x29;
inline constexpr std::uint8_t LockStatus = 0x2C;
inline constexpr std::uint8_t Password = 0x2D;
inline constexpr std::uint8_t Levels = 0x40;
inline constexpr std::uint8_t GateLevels = 0x41;
inline constexpr std::uint8_t Identity = 0x52;
inline constexpr std::uint8_t GroupCtrl = 0x6C;
inline constexpr std::uint8_t DeviceIp = 0xB0;
}  // namespace reply

inline constexpr int SlotCount = 21;            // U01..U21
inline constexpr int PacketCount = 26;          // packets 0..25 of a state or slot
inline constexpr std::size_t PacketData = 50;   // data bytes of every packet
inline constexpr std::size_t StreamHeader = 2;  // bytes before the set
// A staged stream: the two header bytes and the set in travelling order
// (1276), padded to the 26 full packets the device sends.
inline constexpr std::size_t StreamSize = StreamHeader + StreamLength;
inline constexpr std::size_t PaddedStreamSize = PacketData * PacketCount;
using SlotStream = std::array<std::uint8_t, PaddedStreamSize>;
inline constexpr std::uint8_t StoredMark = 0xFF;  // first byte of a stored slot
inline constexpr std::size_t LevelPayloadSize = 55;
inline constexpr std::size_t EepromSize = 256;  // the device-info block at address 0
inline constexpr std::size_t InfoSize = 19;
using InfoBlock = std::array<std::uint8_t, InfoSize>;
inline constexpr int GroupCount = 8;
inline constexpr std::size_t GroupRecordSize = 3;  // volume, mute, channel mask
using GroupRecords = std::array<std::uint8_t, GroupCount * GroupRecordSize>;

struct SimConfig {
  std::uint8_t DeviceId = 1;
  // Checked by the editor: "TAVO" then " V013", the firmware date in
  // characters 11 to 18.
  std::string Identity = "TAVO V013 20191020";
  std::uint8_t IdentityCode = reply::Identity;  // or reply::IdentityOther
  bool UserLock = false;
  std::string Password = "5937";
  std::array<std::uint8_t, 4> Ip = {192, 168, 1, 101};
  InfoBlock Info = {0x54, 0x41, 0x56, 0x4F, 0x01, 0x00, 0x13, 0x20, 0x19, 0x10,
                    0x20, 0x00, 0x08, 0x08, 0x00, 0x00, 0x00, 0x00, 0x5A};
};

// What the level reply 0x40 carries. Values are linear (1.0 = 0 dB).
struct SimLevels {
  std::array<float, 17> Values{};   // inputs 0..7, outputs 8..15, effect bus 16
  std::uint8_t LimitFlags = 0;      // bit n-1: output n limits
  std::uint8_t AutoMixIdle = 0xFF;  // bit i clear: input i active in the automix
  std::uint8_t CameraIdle = 0xFF;   // bit i clear: input i active for the camera
  std::uint8_t Status = 0;          // compression bit 0, automix count 1..3, camera position 4..7
};

// The three bytes of a level value: the upper 24 bits of the float, its most
// significant byte second, then first, then third.
std::array<std::uint8_t, 3> EncodeLevel(float value);
ByteVector EncodeLevels(const SimLevels& levels);

// A reply frame as the device builds it: 10 02 id 00 n code payload 10 03
// check, the device ID at index 2 where the editor reads it.
ByteVector BuildReplyFrame(std::uint8_t deviceId, std::uint8_t code, std::span<const std::uint8_t> payload);
ByteVector BuildReplyFrame(const LCmd& reply);

// Whether raw bytes form a frame with a good trailer and check byte.
bool IsWellFormedFrame(std::span<const std::uint8_t> frame);

class SimDevice {
 public:
  explicit SimDevice(const SimConfig& config = {});
  SimDevice(const SimDevice&) = delete;
  SimDevice& operator=(const SimDevice&) = delete;

  // The replies to one received frame, in order (each with the device's
  // own ID). Frames the device ignores give none: frames built by a device
  // (a nonzero byte 2, as when the serial link writes a received reply
  // back) and frames with a bad trailer or check byte. Every other frame
  // gets exactly one reply; one it does not know gets an acknowledge.
  std::vector<LCmd> Handle(std::span<const std::uint8_t> frame);
  // The same for an already parsed command from the editor.
  std::vector<LCmd> Handle(const LCmd& request);

  // --- The current parameter set, its two header bytes included.
  const ParamImage& Image() const { return FCurrent; }
  // A channel's gain word (inputs, outputs, 18); 0 for any other channel.
  std::uint16_t Gain(int channel) const;
  void SetImage(const ParamImage& image) { FCurrent = image; }
  // The eight group-control records as reply 0x6C carries them.
  const GroupRecords& Groups() const { return FGroupBytes; }
  // The staged stream of the current set, as the 26 state packets carry it.
  SlotStream StateStream() const;
  // Loads the set from a preset file (1278 bytes); false when it is not one.
  bool LoadPresetFile(std::span<const std::uint8_t> file);
  // Loads the device-info block and the stored slots of a unit file, as a
  // download of it would leave them.
  bool LoadUnitFile(std::span<const std::uint8_t> file);

  // --- Stored presets, slot number 1..21.
  bool IsStored(int slot) const;
  void StorePreset(int slot, const ParamImage& image);
  void ClearPreset(int slot);
  // The slot's set as a recall loads it (the defaults for a slot never written).
  ParamImage StoredPreset(int slot) const;
  std::string StoredPresetName(int slot) const;
  // The slot's staged stream as slot packets carry it; first byte 0xFF
  // when stored.
  const SlotStream& StoredStream(int slot) const;
  std::uint8_t PresetNumber() const { return FCurrentPreset; }
  void SetPresetNumber(std::uint8_t number) { FCurrentPreset = number; }

  // --- Identity, lock and address.
  std::uint8_t DeviceId() const { return FConfig.DeviceId; }
  void SetDeviceId(std::uint8_t id) { FConfig.DeviceId = id; }
  const std::string& Identity() const { return FConfig.Identity; }
  void SetIdentity(const std::string& text, std::uint8_t code = reply::Identity);
  bool UserLock() const { return FConfig.UserLock; }
  void SetUserLock(bool locked, const std::string& password);
  const std::string& Password() const { return FConfig.Password; }
  // Whether a right password was submitted since the last restart.
  bool Unlocked() const { return FUnlockedNow; }
  std::array<std::uint8_t, 4> Ip() const { return FConfig.Ip; }
  void SetIp(const std::array<std::uint8_t, 4>& ip) { FConfig.Ip = ip; }
  InfoBlock Info() const;
  void SetInfo(const InfoBlock& info);

  // --- Levels. Fixed values stay until changed; moving levels (the
  // default) change a little with every level request.
  void SetLevels(const SimLevels& levels);
  void SetLevelsMoving(bool moving) { FLevelsMove = moving; }
  SimLevels Levels() const { return FCurrentLevels; }

  // --- Counters of device events.
  int Restarts() const { return FRestartCount; }
  int FactoryResets() const { return FFactoryResetCount; }
  // Commands whose payload was too short to apply (they are acknowledged).
  int ShortCommands() const { return FShortCount; }

 private:
  LCmd Ack() const;
  LCmd Reply(std::uint8_t code, ByteVector payload) const;
  LCmd Packet(std::uint8_t code, std::uint8_t index, const SlotStream& stream) const;
  std::vector<LCmd> Answer(const LCmd& request);
  // Parameter commands; false for a code that is none.
  bool ApplyParameter(const LCmd& request);
  bool ApplyChannelParameter(const LCmd& request);
  bool ApplySetParameter(const LCmd& request);
  void ApplyBand(int channel, const LCmd& request);
  void ApplyRoute(int channel, std::uint16_t mask);
  void CopyStrip(int from, int to);
  // The channels of the channel's link group (itself alone when the masks
  // record no group for it); empty for a channel without a link mask.
  std::vector<int> GroupOf(int channel) const;
  void FactoryReset();
  void Recall(std::uint8_t number);
  void WriteDownloadBlock(std::span<const std::uint8_t> payload);
  void StepLevels();

  SimConfig FConfig;
  ParamImage FCurrent = FactoryImage();
  GroupRecords FGroupBytes{};
  std::array<SlotStream, SlotCount> FSlots{};
  std::array<std::uint8_t, EepromSize> FEeprom{};
  std::uint8_t FCurrentPreset = 0;
  int FSelectedSlot = 1;
  bool FUnlockedNow = false;
  SimLevels FCurrentLevels;
  bool FLevelsMove = true;
  unsigned FLevelStep = 0;
  int FRestartCount = 0;
  int FFactoryResetCount = 0;
  int FShortCount = 0;
};

}  // namespace sim
