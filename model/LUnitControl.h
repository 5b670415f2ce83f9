#pragma once
// The editor's copy of the device's whole parameter set: the group-control
// records, the PresetImage of the current set, the stored-preset flags, the
// device-info block, the packet staging area and the stored slots read during
// a unit-file upload.
//
// A setter stores first (for the edited channel and every channel of its link
// group) and then sends one command for the edited channel only, unless the
// owner is writing its controls from the model. The decoders read replies of
// the device with a bounds check: a short payload stops them at the first
// missing byte, keeps what they stored before and makes them return false.

#include "link/DeviceRecords.h"
#include "link/LCmd.h"
#include "model/DeviceInfoBlock.h"
#include "model/FileStatus.h"
#include "model/PresetImage.h"
#include "model/UnitState.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class UnitOwner;

struct PassFilters {
  std::uint16_t HpSlope{};
  std::uint16_t HpFreq{};
  std::uint16_t LpSlope{};
  std::uint16_t LpFreq{};
  bool operator==(const PassFilters&) const = default;
};

using ChannelNameBytes = std::array<std::uint8_t, PresetLayout::ChannelNameSize>;
using PresetNameBytes = std::array<std::uint8_t, PresetLayout::PresetNameSize>;

class LUnitControl {
 public:
  // The owner may be null: the model then sends nothing.
  explicit LUnitControl(UnitOwner* owner = nullptr);
  ~LUnitControl() = default;
  LUnitControl(const LUnitControl&) = delete;
  LUnitControl& operator=(const LUnitControl&) = delete;

  void SetOwner(UnitOwner* owner) { FOwner = owner; }
  void LoadDefaults();

  // What an upload rewrites, and putting it back (the staging area is
  // emptied, so a cut-short upload leaves no half-read packets).
  UnitState SaveState() const;
  void RestoreState(const UnitState& state);

  // --- Getters (read the current set; channels of the wrong side give 0).
  std::uint16_t GetGain(int channel) const;
  std::uint16_t GetDelay(int channel) const;
  bool GetPeqBypass(int channel, int band) const;
  PeqBandRecord GetPeqBand(int channel, int band) const;
  PeqBandRecord GetDefaultPeqBand(int channel, int band) const;
  std::uint16_t GetMatrix(int channel) const;
  CompRecord GetComp(int channel) const;
  GateRecord GetGate(int channel) const;
  PassFilters GetPassFilters(int channel) const;
  bool GetPolarity(int channel) const;
  bool GetMute(int channel) const;
  ChannelNameBytes GetChannelNameBytes(int channel) const;
  std::string GetChannelName(int channel) const;  // UTF-8, up to the first zero byte
  PresetNameBytes GetPresetNameBytes() const;
  std::string GetPresetName() const;  // UTF-8, up to the first zero byte
  std::uint16_t GetFeedbackLevel(int channel) const;
  bool GetPhantom(int channel) const;
  std::uint8_t GetMicGain(int channel) const;
  std::uint16_t GetLinkMask(int channel) const;
  std::uint16_t GetEqBypassMask(int channel) const;
  std::uint8_t GetEffectOn() const;
  std::uint8_t GetEffectVolume() const;
  std::uint8_t GetCameraDefault() const;
  MixGateRecord GetAutoMixGate() const;
  MixGateRecord GetCameraGate() const;
  std::uint16_t GetAutoMixSlope() const;
  EchoRecord GetEchoWords() const;
  ReverbRecord GetReverbWords() const;
  std::uint16_t GetDelayUnit() const;
  std::uint16_t GetTestSignal() const;
  std::uint16_t GetSignalSource() const { return GetTestSignal(); }
  std::uint16_t GetSineFreqIndex() const;
  std::uint16_t GetSineFrequencyIndex() const { return GetSineFreqIndex(); }
  std::uint16_t GetMemorizeMode() const;
  SubCtrlRecord GetSubCtrl(int index) const;      // 0: record 0, otherwise record 1
  GroupCtrlRecord GetGroupCtrl(int index) const;  // 0..7
  bool IsPresetStored(int slotIndex) const;       // 0..20
  const DeviceInfoBlock& GetDeviceInfo() const { return FDeviceInfo; }
  // Slot number 1..21; null outside that range.
  const StoredSlot* GetStoredSlot(int slotNumber) const;
  const PresetImage& GetImage() const { return FCurrent; }

  // --- Plain stores (the callers send what is needed themselves).
  void SetEqBypassMask(int channel, std::uint16_t mask);
  void SetMemorizeMode(std::uint16_t mode);
  void SetPresetStored(int slotIndex);
  void SetEchoWords(const EchoRecord& echo);
  void SetReverbWords(const ReverbRecord& reverb);

  // --- Link groups.
  // Mask of the channels (index within the side) that share the channel's
  // group; a channel that belongs to no recorded group is a group of itself.
  std::uint16_t LinkMaskOf(int channel) const;

  // --- Setters that store and send.
  void SetGain(int channel, std::uint16_t gain);
  void SetPolarity(int channel, std::uint8_t value);
  void SetMute(int channel, std::uint8_t on);
  void SetDelay(int channel, std::uint16_t delay);
  void SetComp(int channel, const CompRecord& comp);
  void SetGate(int channel, const GateRecord& gate);
  void SetFeedbackLevel(int channel, std::uint8_t level);
  void SetHighPass(int channel, std::uint16_t slope, std::uint16_t freq);
  void SetLowPass(int channel, std::uint16_t slope, std::uint16_t freq);
  void SetPeqBand(int channel, int band, const PeqBandRecord& record, std::uint8_t bypass);
  void SetMatrix(int channel, std::uint16_t mask);
  void SetLinkMask(int channel, std::uint16_t mask);
  void SetChannelName(int channel, const ChannelNameBytes& name);
  // The UTF-8 name in the ANSI code page, cut at a character boundary to
  // the 8-byte field and padded with zero bytes.
  void SetChannelName(int channel, std::string_view utf8Name);
  void SetPhantom(int channel, std::uint8_t on);
  void SetMicGain(int channel, std::uint8_t step);
  void SetDelayUnit(std::uint16_t unit);
  void SetSubCtrl(int index, const SubCtrlRecord& record);
  void SetGroupCtrl(int index, const GroupCtrlRecord& record);
  void SetEffect(std::uint8_t on, std::uint8_t volume);
  void SetAutoMixGate(const MixGateRecord& gate);
  void SetCameraGate(const MixGateRecord& gate);
  void SetAutoMixSlope(std::uint16_t slope);
  void SetCameraDefault(std::uint8_t position);

  // --- Upload decoders (payload = the reply's bytes after the code).
  bool SetStoredFlags(std::span<const std::uint8_t> payload);
  void ResetPresetLists();
  bool SetStoredPresetName(int slot, std::span<const std::uint8_t> payload);
  bool SetPresetName(std::span<const std::uint8_t> payload);
  // The UTF-8 name in the ANSI code page, cut to 14 bytes, zero padded.
  void SetPresetNameText(std::string_view utf8Name);
  bool SetGroupCtrlRecords(std::span<const std::uint8_t> payload);
  bool StoreStatePacket(std::span<const std::uint8_t> payload);
  bool StoreSlotPacket(int slot, std::span<const std::uint8_t> payload);
  bool SetDeviceInfo(std::span<const std::uint8_t> payload);

  // --- Serialising and copying.
  // The file magic followed by PresetStream positions 0..1259.
  ByteVector SerializePreset() const;
  // Stores PresetStream positions 0..1259 from bytes into the current set,
  // then sends the 284 commands of the set, appended, whatever the owner's
  // Refreshing flag. Fewer than 1260 bytes change nothing and send nothing.
  bool LoadPresetAndSend(std::span<const std::uint8_t> bytes);
  // Copies channel a's parameters onto channel b of the same side.
  void CopyChannel(int a, int b);

  // --- Unit file.
  // Asks the owner for a file name and writes the stored slots into it.
  FileStatus SaveUnitFile();

 private:
  void Send(const LCmd& command, bool append = false, bool always = false);
  std::uint8_t DeviceId() const;
  // Block offsets (InputBlock or OutputBlock) of every member of the
  // channel's link group; empty for a channel that has no group.
  std::vector<std::size_t> GroupBlocks(int channel) const;
  bool StagePacket(std::span<const std::uint8_t> payload, int& packet);

  UnitOwner* FOwner = nullptr;
  GroupCtrlRecords FGroupCtrl{};
  PresetImage FCurrent;
  std::array<std::uint8_t, StoredSlotCount> FStoredFlags{};
  DeviceInfoBlock FDeviceInfo{};
  std::array<std::uint8_t, StagingSize> FStagingArea{};
  std::array<StoredSlot, StoredSlotCount> FStoredSlots{};
};
