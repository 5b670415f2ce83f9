#include "tests/sim/SimDevice.h"

#include "link/ReplyMatch.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <string_view>

namespace sim {

namespace {

constexpr std::string_view FileMagic = "****TAVOV013****";
constexpr std::size_t PresetFileSize = FileMagic.size() + FileStreamLength + 2;  // and CR LF
constexpr std::size_t UnitRecordSize = 1274;                                     // 1272 bytes and CR LF
constexpr std::size_t UnitEntrySize = 1272;
constexpr std::size_t UnitInfoAt = FileMagic.size();
constexpr std::size_t UnitRecordsAt = UnitInfoAt + InfoSize;
constexpr std::size_t UnitFileLeast = UnitRecordsAt + SlotCount * UnitEntrySize;
constexpr std::size_t DownloadedBytes = 1262;  // entry bytes 1..1262 reach the device

SlotStream StreamOf(const ParamImage& image, std::uint8_t first, std::uint8_t second) {
  SlotStream stream{};
  stream[0] = first;
  stream[1] = second;
  WriteStream(image, std::span<std::uint8_t>(stream).subspan(StreamHeader, StreamLength));
  return stream;
}

// A slot never stored reads as the factory set without the stored mark.
SlotStream EmptySlot() {
  return StreamOf(FactoryImage(), 0x00, 0x00);
}

GroupRecords FactoryGroups() {
  GroupRecords groups{};
  for (std::size_t i = 0; i < groups.size(); i += GroupRecordSize) groups[i] = 100;
  return groups;
}

bool HasMagic(std::span<const std::uint8_t> file) {
  return file.size() >= FileMagic.size() && std::equal(FileMagic.begin(), FileMagic.end(), file.begin());
}

}  // namespace

std::array<std::uint8_t, 3> EncodeLevel(float value) {
  const auto bits = std::bit_cast<std::uint32_t>(value);
  return {static_cast<std::uint8_t>(bits >> 16), static_cast<std::uint8_t>(bits >> 24),
          static_cast<std::uint8_t>(bits >> 8)};
}

ByteVector EncodeLevels(const SimLevels& levels) {
  ByteVector payload;
  payload.reserve(LevelPayloadSize);
  for (float v : levels.Values) {
    const auto bytes = EncodeLevel(v);
    payload.insert(payload.end(), bytes.begin(), bytes.end());
  }
  payload.push_back(levels.LimitFlags);
  payload.push_back(levels.AutoMixIdle);
  payload.push_back(levels.CameraIdle);
  payload.push_back(levels.Status);
  return payload;
}

ByteVector BuildReplyFrame(std::uint8_t deviceId, std::uint8_t code, std::span<const std::uint8_t> payload) {
  if (payload.size() > DeviceFrame::MaxPayload) payload = payload.first(DeviceFrame::MaxPayload);
  ByteVector frame = {DeviceFrame::Dle,
                      DeviceFrame::Stx,
                      deviceId,
                      0x00,
                      static_cast<std::uint8_t>(payload.size() + 1),
                      code};
  frame.insert(frame.end(), payload.begin(), payload.end());
  frame.push_back(DeviceFrame::Dle);
  frame.push_back(DeviceFrame::Etx);
  std::uint8_t check = 0;
  for (std::uint8_t b : frame) check ^= b;
  frame.push_back(check);
  return frame;
}

ByteVector BuildReplyFrame(const LCmd& reply) {
  return BuildReplyFrame(reply.DeviceId, reply.Code, reply.Payload);
}

bool IsWellFormedFrame(std::span<const std::uint8_t> frame) {
  // The frame rules are the protocol's, shared with the link.
  return IsSoundFrame(frame);
}

SimDevice::SimDevice(const SimConfig& config) : FConfig(config), FGroupBytes(FactoryGroups()) {
  FSlots.fill(EmptySlot());
  FEeprom.fill(0xFF);
  SetInfo(config.Info);
}

// --- State -------------------------------------------------------------------

std::uint16_t SimDevice::Gain(int channel) const {
  const auto strip = StripOf(channel);
  return strip ? FCurrent.Word(strip->Gain) : 0;
}

SlotStream SimDevice::StateStream() const {
  return StreamOf(FCurrent, FCurrent.Bytes[0], FCurrent.Bytes[1]);
}

bool SimDevice::LoadPresetFile(std::span<const std::uint8_t> file) {
  if (file.size() != PresetFileSize || !HasMagic(file)) return false;
  ReadStream(file.subspan(FileMagic.size(), FileStreamLength), FCurrent);
  return true;
}

bool SimDevice::LoadUnitFile(std::span<const std::uint8_t> file) {
  if (file.size() < UnitFileLeast || !HasMagic(file)) return false;
  InfoBlock info{};
  std::copy_n(file.begin() + UnitInfoAt, InfoSize, info.begin());
  SetInfo(info);
  for (int i = 0; i < SlotCount; ++i) {
    SlotStream& slot = FSlots[static_cast<std::size_t>(i)];
    slot = EmptySlot();
    const std::size_t from = UnitRecordsAt + UnitRecordSize * static_cast<std::size_t>(i);
    if (from + 1 >= file.size() || file[from + 1] != StoredMark) continue;
    const std::size_t count = std::min(DownloadedBytes, file.size() - from - 1);
    std::copy_n(file.begin() + static_cast<std::ptrdiff_t>(from + 1), count, slot.begin());
  }
  return true;
}

bool SimDevice::IsStored(int slot) const {
  return slot >= 1 && slot <= SlotCount && FSlots[static_cast<std::size_t>(slot - 1)][0] == StoredMark;
}

void SimDevice::StorePreset(int slot, const ParamImage& image) {
  if (slot >= 1 && slot <= SlotCount)
    FSlots[static_cast<std::size_t>(slot - 1)] = StreamOf(image, StoredMark, 0x00);
}

void SimDevice::ClearPreset(int slot) {
  if (slot >= 1 && slot <= SlotCount) FSlots[static_cast<std::size_t>(slot - 1)] = EmptySlot();
}

ParamImage SimDevice::StoredPreset(int slot) const {
  ParamImage image = FactoryImage();
  if (slot >= 1 && slot <= SlotCount) {
    const SlotStream& stream = FSlots[static_cast<std::size_t>(slot - 1)];
    ReadStream(std::span<const std::uint8_t>(stream).subspan(StreamHeader, StreamLength), image);
  }
  return image;
}

std::string SimDevice::StoredPresetName(int slot) const {
  if (slot < 1 || slot > SlotCount) return {};
  const SlotStream& stream = FSlots[static_cast<std::size_t>(slot - 1)];
  std::string name(stream.begin() + StreamHeader, stream.begin() + StreamHeader + PresetNameLength);
  return name.substr(0, name.find('\0'));
}

const SlotStream& SimDevice::StoredStream(int slot) const {
  return FSlots[static_cast<std::size_t>(std::clamp(slot, 1, SlotCount) - 1)];
}

void SimDevice::SetIdentity(const std::string& text, std::uint8_t code) {
  FConfig.Identity = text;
  FConfig.IdentityCode = code;
}

void SimDevice::SetUserLock(bool locked, const std::string& password) {
  FConfig.UserLock = locked;
  FConfig.Password = password;
}

InfoBlock SimDevice::Info() const {
  InfoBlock info{};
  std::copy_n(FEeprom.begin(), info.size(), info.begin());
  return info;
}

void SimDevice::SetInfo(const InfoBlock& info) {
  std::copy(info.begin(), info.end(), FEeprom.begin());
}

void SimDevice::SetLevels(const SimLevels& levels) {
  FCurrentLevels = levels;
  FLevelsMove = false;
}

void SimDevice::StepLevels() {
  // A slow swell per channel, phase-shifted so the meters differ.
  ++FLevelStep;
  for (std::size_t c = 0; c < FCurrentLevels.Values.size(); ++c) {
    const double db = -35.0 + 30.0 * std::sin(0.35 * FLevelStep + 0.7 * static_cast<double>(c));
    FCurrentLevels.Values[c] = static_cast<float>(std::pow(10.0, db / 20.0));
  }
}

// --- Frames --------------------------------------------------------------------

LCmd SimDevice::Reply(std::uint8_t code, ByteVector payload) const {
  LCmd reply(FConfig.DeviceId, code);
  reply.Payload = std::move(payload);
  return reply;
}

LCmd SimDevice::Ack() const {
  return Reply(reply::Ack, {});
}

LCmd SimDevice::Packet(std::uint8_t code, std::uint8_t index, const SlotStream& stream) const {
  ByteVector payload(1 + PacketData, 0);
  payload[0] = index;
  if (index < PacketCount)
    std::copy_n(stream.begin() + static_cast<std::ptrdiff_t>(PacketData * index), PacketData,
                payload.begin() + 1);
  return Reply(code, std::move(payload));
}

std::vector<LCmd> SimDevice::Handle(std::span<const std::uint8_t> frame) {
  // The editor always sends 00 at index 2; a device ID there is one of
  // our own replies written back to us.
  if (!IsWellFormedFrame(frame) || frame[DeviceFrame::IdIndex] != 0) return {};
  return Handle(ParseFrame(frame));
}

std::vector<LCmd> SimDevice::Handle(const LCmd& request) {
  // The framing facts come from the command table: a command shorter than
  // its row (or than the data its length byte announces) applies nothing.
  if (const CommandInfo* row = FindCommand(request.Code)) {
    std::size_t want = row->Payload;
    if (request.Code == CM_MCS_WRITE_EEPROM::CODE && request.Payload.size() >= want)
      want += request.Payload[2];
    if (request.Payload.size() < want) {
      ++FShortCount;
      return {Ack()};
    }
  }
  return Answer(request);
}

std::vector<LCmd> SimDevice::Answer(const LCmd& request) {
  const ByteVector& p = request.Payload;
  switch (request.Code) {
    case CommandCode("HELLO"):
      return {Reply(reply::Hello, {})};
    case CommandCode("IDENTITY"):
      return {Reply(FConfig.IdentityCode, ByteVector(FConfig.Identity.begin(), FConfig.Identity.end()))};
    case CommandCode("LOCK_STATUS"):
      return {Reply(reply::LockStatus, {0, 0, 0, 0, 0, static_cast<std::uint8_t>(FConfig.UserLock ? 1 : 0)})};
    case CM_MCS_PASS_SUBMIT::CODE: {
      const std::uint8_t kind = p[0];
      std::array<std::uint8_t, 4> want{};
      std::copy_n(FConfig.Password.begin(), std::min<std::size_t>(FConfig.Password.size(), 4), want.begin());
      const bool ok = kind == 0 && std::equal(want.begin(), want.end(), p.begin() + 1);
      if (kind == 0) FUnlockedNow = ok;
      return {Reply(reply::Password, {kind, static_cast<std::uint8_t>(ok ? 1 : 0)})};
    }
    case CM_MCS_SET_LOCK::CODE: {
      const auto end = std::find(p.begin(), p.begin() + 4, 0);
      FConfig.Password.assign(p.begin(), end);
      FConfig.UserLock = true;
      return {Ack()};
    }
    case CommandCode("PRESET_NUMBER"):
      return {Reply(reply::PresetNumber, {FCurrentPreset})};
    case CommandCode("UPLOAD"): {
      ByteVector flags(SlotCount);
      for (int i = 0; i < SlotCount; ++i)
        flags[static_cast<std::size_t>(i)] = IsStored(i + 1) ? StoredMark : 0x00;
      return {Reply(reply::StoredFlags, std::move(flags))};
    }
    case CommandCode("STORED_NAME"): {
      ByteVector payload(1 + PresetNameLength, 0);
      payload[0] = p[0];
      if (p[0] < SlotCount)
        std::copy_n(FSlots[p[0]].begin() + StreamHeader, PresetNameLength, payload.begin() + 1);
      return {Reply(reply::PresetName, std::move(payload))};
    }
    case CommandCode("GROUP_CTRL_RECORDS"):
      return {Reply(reply::GroupCtrl, ByteVector(FGroupBytes.begin(), FGroupBytes.end()))};
    case CommandCode("STATE_PACKET"):
      return {Packet(reply::StatePacket, p[0], StateStream())};
    case CommandCode("SELECT_SLOT"):
      if (p[0] >= 1 && p[0] <= SlotCount) FSelectedSlot = p[0];
      return {Ack()};
    case CommandCode("SLOT_PACKET"):
      return {Packet(reply::SlotPacket, p[0], FSlots[static_cast<std::size_t>(FSelectedSlot - 1)])};
    case CommandCode("ASK_ADDRESS"):
      return {Reply(reply::DeviceIp, ByteVector(FConfig.Ip.begin(), FConfig.Ip.end()))};
    case CommandCode("SET_ADDRESS"):
      std::copy_n(p.begin(), 4, FConfig.Ip.begin());
      return {Ack()};
    case CommandCode("SET_DEVICE_ID"):
      // The new ID answers: the editor addresses this command to it.
      if (p[0] != 0) FConfig.DeviceId = p[0];
      return {Ack()};
    case CommandCode("LEVELS"):
      if (FLevelsMove) StepLevels();
      return {Reply(reply::Levels, EncodeLevels(FCurrentLevels))};
    case CM_MCS_READ_EEPROM::CODE: {
      const std::size_t address = p[0] | (p[1] << 8);
      ByteVector payload;
      for (std::size_t i = 0; i < std::min<std::size_t>(p[2], DeviceFrame::MaxPayload); ++i)
        payload.push_back(address + i < FEeprom.size() ? FEeprom[address + i] : 0xFF);
      return {Reply(reply::Eeprom, std::move(payload))};
    }
    case CM_MCS_WRITE_EEPROM::CODE: {
      const std::size_t address = p[0] | (p[1] << 8);
      for (std::size_t i = 0; i < p[2]; ++i)
        if (address + i < FEeprom.size()) FEeprom[address + i] = p[3 + i];
      return {Ack()};
    }
    case CommandCode("RECALL"):
      Recall(p[0]);
      return {Ack()};
    case CommandCode("STORE"):
      if (p[0] >= 1 && p[0] <= SlotCount) {
        StorePreset(p[0], FCurrent);
        FCurrentPreset = p[0];
      }
      return {Ack()};
    case CommandCode("FACTORY_RESET"):
      FactoryReset();
      return {Ack()};
    case CM_MCS_DOWNLOAD::CODE:
      WriteDownloadBlock(p);
      return {Reply(reply::DownloadBlock, {p[0]})};
    case CM_MCS_MCU_RESET::CODE:
      ++FRestartCount;
      FUnlockedNow = false;
      return {Ack()};
    default:
      ApplyParameter(request);
      // Whatever the device does not know still ends the link's wait.
      return {Ack()};
  }
}

void SimDevice::Recall(std::uint8_t number) {
  if (number == 0) {
    // The factory set; the group-control records are not part of a preset.
    FCurrent = FactoryImage();
    FCurrentPreset = 0;
    return;
  }
  if (!IsStored(number)) return;
  const SlotStream& stream = FSlots[static_cast<std::size_t>(number - 1)];
  ReadStream(std::span<const std::uint8_t>(stream).subspan(StreamHeader, StreamLength), FCurrent);
  FCurrentPreset = number;
}

void SimDevice::FactoryReset() {
  ++FFactoryResetCount;
  FCurrent = FactoryImage();
  FGroupBytes = FactoryGroups();
  FSlots.fill(EmptySlot());
  FCurrentPreset = 0;
}

void SimDevice::WriteDownloadBlock(std::span<const std::uint8_t> payload) {
  const std::size_t block = payload[0];
  const std::size_t record = payload[1];
  if (record >= static_cast<std::size_t>(SlotCount) || block >= static_cast<std::size_t>(PacketCount)) return;
  SlotStream& slot = FSlots[record];
  const auto data = payload.subspan(2);
  const std::size_t at = PacketData * block;
  const std::size_t count = std::min(data.size(), slot.size() - at);
  std::copy_n(data.begin(), count, slot.begin() + static_cast<std::ptrdiff_t>(at));
}

}  // namespace sim
