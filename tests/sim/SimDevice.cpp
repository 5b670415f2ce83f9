#include "tests/sim/SimDevice.h"

#include "model/PresetFile.h"
#include "model/UnitFile.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

namespace sim {

namespace {

using namespace PresetLayout;
namespace CI = ChannelIndex;

// Reads a command's payload with a bounds check: a short payload makes Ok
// false and every later read give 0, so nothing past the payload is used.
class PayloadReader {
 public:
  explicit PayloadReader(const ByteVector& payload) : Bytes(payload) {}

  std::uint8_t Byte() {
    if (At >= Bytes.size()) {
      Short = true;
      return 0;
    }
    return Bytes[At++];
  }
  std::uint16_t Word() {
    const std::uint8_t lo = Byte();
    const std::uint8_t hi = Byte();
    return static_cast<std::uint16_t>(lo | (hi << 8));
  }
  template <class Record>
  Record Get() {
    std::array<std::uint8_t, Record::Size> raw{};
    for (auto& b : raw) b = Byte();
    Record r;
    LoadRecord(raw.data(), r);
    return r;
  }
  bool Ok() const { return !Short; }

 private:
  const ByteVector& Bytes;
  std::size_t At = 0;
  bool Short = false;
};

SlotStream StreamOf(const PresetImage& image, std::uint8_t first, std::uint8_t second) {
  SlotStream stream{};
  stream[0] = first;
  stream[1] = second;
  PresetStream::Write(image, std::span<std::uint8_t>(stream).subspan(StreamHeader, PresetStream::Size));
  return stream;
}

SlotStream EmptySlot() {
  return StreamOf(DefaultPresetImage(), 0x00, 0x00);
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
  if (frame.size() < DeviceFrame::Overhead + 1 || frame[0] != DeviceFrame::Dle ||
      frame[1] != DeviceFrame::Stx)
    return false;
  if (frame.size() != DeviceFrame::SizeFor(frame[DeviceFrame::LengthIndex])) return false;
  const std::size_t n = frame.size();
  if (frame[n - 3] != DeviceFrame::Dle || frame[n - 2] != DeviceFrame::Etx) return false;
  std::uint8_t check = 0;
  for (std::size_t i = 0; i + 1 < n; ++i) check ^= frame[i];
  return check == frame[n - 1];
}

SimDevice::SimDevice(const SimConfig& config) : Config(config) {
  Slots.fill(EmptySlot());
  Eeprom.fill(0xFF);
  SetInfo(config.Info);
}

// --- State -------------------------------------------------------------------

PresetImage SimDevice::Image() const {
  PresetImage image = Unit.GetImage();
  image.Bytes[0] = Header[0];
  image.Bytes[1] = Header[1];
  return image;
}

void SimDevice::SetImage(const PresetImage& image) {
  // Through the model's own state-packet decoder, the one way in that
  // reaches every field of its set.
  Header = {image.Bytes[0], image.Bytes[1]};
  const SlotStream stream = StreamOf(image, Header[0], Header[1]);
  for (int k = 0; k < PacketCount; ++k) {
    ByteVector packet = {static_cast<std::uint8_t>(k)};
    const auto from = stream.begin() + static_cast<std::ptrdiff_t>(PacketData * static_cast<std::size_t>(k));
    packet.insert(packet.end(), from, from + static_cast<std::ptrdiff_t>(PacketData));
    Unit.StoreStatePacket(packet);
  }
}

SlotStream SimDevice::StateStream() const {
  return StreamOf(Unit.GetImage(), Header[0], Header[1]);
}

bool SimDevice::LoadPresetFile(std::span<const std::uint8_t> file) {
  PresetFileBody body{};
  if (ParsePresetFile(file, body) != FileStatus::Ok) return false;
  return Unit.LoadPresetAndSend(body);
}

bool SimDevice::LoadUnitFile(std::span<const std::uint8_t> file) {
  UnitFileImage image;
  if (ParseUnitFile(file, image) != FileStatus::Ok) return false;
  SetInfo(image.Info);
  // What a download of the file would leave: entry bytes 1..1262 of each
  // stored entry, nothing of the others.
  constexpr std::size_t Sent = 1262;
  for (int i = 0; i < SlotCount; ++i) {
    const UnitImageEntry& entry = image.Entries[static_cast<std::size_t>(i)];
    SlotStream& slot = Slots[static_cast<std::size_t>(i)];
    slot = EmptySlot();
    if (IsStoredEntry(entry)) std::copy_n(entry.begin() + 1, Sent, slot.begin());
  }
  return true;
}

bool SimDevice::IsStored(int slot) const {
  return slot >= 1 && slot <= SlotCount && Slots[static_cast<std::size_t>(slot - 1)][0] == StoredMark;
}

void SimDevice::StorePreset(int slot, const PresetImage& image) {
  if (slot >= 1 && slot <= SlotCount)
    Slots[static_cast<std::size_t>(slot - 1)] = StreamOf(image, StoredMark, 0x00);
}

void SimDevice::ClearPreset(int slot) {
  if (slot >= 1 && slot <= SlotCount) Slots[static_cast<std::size_t>(slot - 1)] = EmptySlot();
}

PresetImage SimDevice::StoredPreset(int slot) const {
  PresetImage image = DefaultPresetImage();
  if (slot >= 1 && slot <= SlotCount) {
    const SlotStream& stream = Slots[static_cast<std::size_t>(slot - 1)];
    PresetStream::Read(std::span<const std::uint8_t>(stream).subspan(StreamHeader, PresetStream::Size),
                       image);
  }
  return image;
}

std::string SimDevice::StoredPresetName(int slot) const {
  if (slot < 1 || slot > SlotCount) return {};
  const SlotStream& stream = Slots[static_cast<std::size_t>(slot - 1)];
  std::string name(stream.begin() + StreamHeader, stream.begin() + StreamHeader + PresetNameSize);
  return name.substr(0, name.find('\0'));
}

const SlotStream& SimDevice::StoredStream(int slot) const {
  return Slots[static_cast<std::size_t>(std::clamp(slot, 1, SlotCount) - 1)];
}

void SimDevice::SetIdentity(const std::string& text, std::uint8_t code) {
  Config.Identity = text;
  Config.IdentityCode = code;
}

void SimDevice::SetUserLock(bool locked, const std::string& password) {
  Config.UserLock = locked;
  Config.Password = password;
}

DeviceInfoBlock SimDevice::Info() const {
  DeviceInfoBlock info{};
  std::copy_n(Eeprom.begin(), info.size(), info.begin());
  return info;
}

void SimDevice::SetInfo(const DeviceInfoBlock& info) {
  std::copy(info.begin(), info.end(), Eeprom.begin());
}

void SimDevice::SetLevels(const SimLevels& levels) {
  CurrentLevels = levels;
  LevelsMove = false;
}

void SimDevice::StepLevels() {
  // A slow swell per channel, phase-shifted so the meters differ.
  ++LevelStep;
  for (std::size_t c = 0; c < CurrentLevels.Values.size(); ++c) {
    const double db = -35.0 + 30.0 * std::sin(0.35 * LevelStep + 0.7 * static_cast<double>(c));
    CurrentLevels.Values[c] = static_cast<float>(std::pow(10.0, db / 20.0));
  }
}

// --- Frames --------------------------------------------------------------------

LCmd SimDevice::Reply(std::uint8_t code, ByteVector payload) const {
  LCmd reply(Config.DeviceId, code);
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
  PayloadReader in(request.Payload);
  const auto payloadByte = [&](std::size_t i) -> std::uint8_t {
    return i < request.Payload.size() ? request.Payload[i] : 0;
  };

  switch (request.Code) {
    case 0x10:
      return {Reply(reply::Hello, {})};
    case 0x52:
      return {Reply(Config.IdentityCode, ByteVector(Config.Identity.begin(), Config.Identity.end()))};
    case 0x2C:
      return {Reply(reply::LockStatus, {0, 0, 0, 0, 0, static_cast<std::uint8_t>(Config.UserLock ? 1 : 0)})};
    case 0x2D: {
      const std::uint8_t kind = in.Byte();
      std::array<std::uint8_t, 4> given{};
      for (auto& b : given) b = in.Byte();
      std::array<std::uint8_t, 4> want{};
      std::copy_n(Config.Password.begin(), std::min<std::size_t>(Config.Password.size(), 4), want.begin());
      const bool ok = in.Ok() && kind == 0 && given == want;
      if (kind == 0) UnlockedNow = ok;
      return {Reply(reply::Password, {kind, static_cast<std::uint8_t>(ok ? 1 : 0)})};
    }
    case 0x2F: {
      std::string password;
      for (int i = 0; i < 4; ++i) {
        const std::uint8_t b = in.Byte();
        if (b == 0) break;
        password.push_back(static_cast<char>(b));
      }
      if (in.Ok()) {
        Config.Password = password;
        Config.UserLock = true;
      } else {
        ++ShortCount;
      }
      return {Ack()};
    }
    case 0x14:
      return {Reply(reply::PresetNumber, {CurrentPreset})};
    case 0x22: {
      ByteVector flags(SlotCount);
      for (int i = 0; i < SlotCount; ++i)
        flags[static_cast<std::size_t>(i)] = IsStored(i + 1) ? StoredMark : 0x00;
      return {Reply(reply::StoredFlags, std::move(flags))};
    }
    case 0x29: {
      const std::uint8_t k = payloadByte(0);
      ByteVector payload(1 + PresetNameSize, 0);
      payload[0] = k;
      if (k < SlotCount) {
        const SlotStream& stream = Slots[k];
        std::copy_n(stream.begin() + StreamHeader, PresetNameSize, payload.begin() + 1);
      }
      return {Reply(reply::PresetName, std::move(payload))};
    }
    case 0x6C: {
      ByteVector payload(GroupCtrlRecord::Size * GroupCtrlCount);
      for (int i = 0; i < GroupCtrlCount; ++i)
        StoreRecord(payload.data() + GroupCtrlRecord::Size * static_cast<std::size_t>(i),
                    Unit.GetGroupCtrl(i));
      return {Reply(reply::GroupCtrl, std::move(payload))};
    }
    case 0x27:
      return {Packet(reply::StatePacket, payloadByte(0), StateStream())};
    case 0x24: {
      const std::uint8_t slot = payloadByte(0);
      if (slot >= 1 && slot <= SlotCount) SelectedSlot = slot;
      return {Ack()};
    }
    case 0x28:
      return {Packet(reply::SlotPacket, payloadByte(0), Slots[static_cast<std::size_t>(SelectedSlot - 1)])};
    case 0xB0:
      return {Reply(reply::DeviceIp, ByteVector(Config.Ip.begin(), Config.Ip.end()))};
    case 0xB8: {
      std::array<std::uint8_t, 4> ip{};
      for (auto& b : ip) b = in.Byte();
      if (in.Ok())
        Config.Ip = ip;
      else
        ++ShortCount;
      return {Ack()};
    }
    case 0xBB: {
      // The new ID answers: the editor addresses this command to it.
      const std::uint8_t id = in.Byte();
      if (in.Ok() && id != 0)
        Config.DeviceId = id;
      else
        ++ShortCount;
      return {Ack()};
    }
    case 0x40: {
      if (LevelsMove) StepLevels();
      return {Reply(reply::Levels, EncodeLevels(CurrentLevels))};
    }
    case 0x19: {
      const std::uint16_t address = in.Word();
      const std::uint8_t length = in.Byte();
      ByteVector payload;
      for (std::size_t i = 0; i < std::min<std::size_t>(length, DeviceFrame::MaxPayload); ++i) {
        const std::size_t at = address + i;
        payload.push_back(at < Eeprom.size() ? Eeprom[at] : 0xFF);
      }
      return {Reply(reply::Eeprom, std::move(payload))};
    }
    case 0x1A: {
      const std::uint16_t address = in.Word();
      const std::uint8_t length = in.Byte();
      for (std::size_t i = 0; i < length; ++i) {
        const std::uint8_t b = in.Byte();
        if (!in.Ok()) break;
        if (address + i < Eeprom.size()) Eeprom[address + i] = b;
      }
      if (!in.Ok()) ++ShortCount;
      return {Ack()};
    }
    case 0x20:
      Recall(payloadByte(0));
      return {Ack()};
    case 0x21: {
      const std::uint8_t n = payloadByte(0);
      if (n >= 1 && n <= SlotCount) {
        StorePreset(n, Unit.GetImage());
        CurrentPreset = n;
      }
      return {Ack()};
    }
    case 0x23:
      FactoryReset();
      return {Ack()};
    case 0x25: {
      const std::uint8_t block = payloadByte(0);
      WriteDownloadBlock(request.Payload);
      return {Reply(reply::DownloadBlock, {block})};
    }
    case 0x04:
      ++RestartCount;
      UnlockedNow = false;
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
    std::array<GroupCtrlRecord, GroupCtrlCount> groups;
    for (int i = 0; i < GroupCtrlCount; ++i) groups[static_cast<std::size_t>(i)] = Unit.GetGroupCtrl(i);
    Unit.LoadDefaults();
    for (int i = 0; i < GroupCtrlCount; ++i) Unit.SetGroupCtrl(i, groups[static_cast<std::size_t>(i)]);
    Header = {};
    CurrentPreset = 0;
    return;
  }
  if (!IsStored(number)) return;
  PresetImage image = StoredPreset(number);
  image.Bytes[0] = Header[0];
  image.Bytes[1] = Header[1];
  SetImage(image);
  CurrentPreset = number;
}

void SimDevice::FactoryReset() {
  ++FactoryResetCount;
  Unit.LoadDefaults();
  Header = {};
  Slots.fill(EmptySlot());
  CurrentPreset = 0;
}

void SimDevice::WriteDownloadBlock(std::span<const std::uint8_t> payload) {
  if (payload.size() < 2) {
    ++ShortCount;
    return;
  }
  const std::size_t block = payload[0];
  const std::size_t record = payload[1];
  if (record >= static_cast<std::size_t>(SlotCount) || block >= static_cast<std::size_t>(PacketCount)) return;
  SlotStream& slot = Slots[record];
  const auto data = payload.subspan(2);
  const std::size_t at = PacketData * block;
  const std::size_t count = std::min(data.size(), slot.size() - at);
  std::copy_n(data.begin(), count, slot.begin() + static_cast<std::ptrdiff_t>(at));
}

bool SimDevice::ApplyParameter(const LCmd& request) {
  PayloadReader in(request.Payload);
  // Every field is read first; a short payload applies nothing.
  const auto apply = [&](auto&& change) {
    if (in.Ok())
      change();
    else
      ++ShortCount;
    return true;
  };

  switch (request.Code) {
    case 0x15: {
      const std::uint8_t unit = in.Byte();
      return apply([&] { Unit.SetDelayUnit(unit); });
    }
    case 0x26: {
      if (request.Payload.size() >= PresetNameSize)
        Unit.SetPresetName(request.Payload);
      else
        ++ShortCount;
      return true;
    }
    case 0x2A: {
      const int from = in.Byte();
      const int to = in.Byte();
      return apply([&] { Unit.CopyChannel(from, to); });
    }
    case 0x30: {
      const int ch = in.Byte();
      const auto comp = in.Get<CompRecord>();
      return apply([&] { Unit.SetComp(ch, comp); });
    }
    case 0x31:
    case 0x32: {
      const int ch = in.Byte();
      const std::uint16_t freq = in.Word();
      const std::uint8_t slope = in.Byte();
      return apply([&] {
        if (request.Code == 0x31)
          Unit.SetLowPass(ch, slope, freq);
        else
          Unit.SetHighPass(ch, slope, freq);
      });
    }
    case 0x33: {
      const int ch = in.Byte();
      const int band = in.Byte();
      const auto record = in.Get<PeqBandRecord>();
      const std::uint8_t bypass = in.Byte();
      return apply([&] { Unit.SetPeqBand(ch, band, record, bypass); });
    }
    case 0x34: {
      const int ch = in.Byte();
      const std::uint16_t gain = in.Word();
      return apply([&] { Unit.SetGain(ch, gain); });
    }
    case 0x35: {
      const int ch = in.Byte();
      const std::uint8_t on = in.Byte();
      return apply([&] { Unit.SetMute(ch, on); });
    }
    case 0x36: {
      const int ch = in.Byte();
      const std::uint8_t inverted = in.Byte();
      return apply([&] { Unit.SetPolarity(ch, inverted); });
    }
    case 0x38: {
      const int ch = in.Byte();
      const std::uint16_t delay = in.Word();
      return apply([&] { Unit.SetDelay(ch, delay); });
    }
    case 0x39: {
      const std::uint8_t source = in.Byte();
      const std::uint8_t sine = in.Byte();
      return apply([&] {
        PresetImage image = Image();
        image.SetWord(TestSignal, source);
        image.SetWord(SineFreq, sine);
        SetImage(image);
      });
    }
    case 0x3A: {
      const int ch = in.Byte();
      const std::uint16_t mask = in.Word();
      return apply([&] { Unit.SetMatrix(ch, mask); });
    }
    case 0x3B: {
      const int ch = in.Byte();
      const std::uint8_t mask = in.Byte();
      return apply([&] { Unit.SetLinkMask(ch, mask); });
    }
    case 0x3C: {
      const int ch = in.Byte();
      const std::uint8_t bypass = in.Byte();
      return apply([&] {
        std::uint16_t bit = 0;
        if (CI::IsInput(ch))
          bit = static_cast<std::uint16_t>(1u << ch);
        else if (CI::IsOutput(ch))
          bit = static_cast<std::uint16_t>(1u << (ch - CI::FirstOutput));
        else if (CI::IsEffectBus(ch))
          bit = 1;
        else
          return;
        const std::uint16_t mask = Unit.GetEqBypassMask(ch);
        Unit.SetEqBypassMask(
            ch, bypass ? static_cast<std::uint16_t>(mask | bit) : static_cast<std::uint16_t>(mask & ~bit));
      });
    }
    case 0x3D: {
      const int ch = in.Byte();
      ChannelNameBytes name{};
      for (auto& b : name) b = in.Byte();
      return apply([&] { Unit.SetChannelName(ch, name); });
    }
    case 0x3E: {
      const int ch = in.Byte();
      const auto gate = in.Get<GateRecord>();
      return apply([&] { Unit.SetGate(ch, gate); });
    }
    case 0x55: {
      const int ch = in.Byte();
      const std::uint8_t step = in.Byte();
      return apply([&] { Unit.SetMicGain(ch, step); });
    }
    case 0x56: {
      const int ch = in.Byte();
      const std::uint8_t on = in.Byte();
      return apply([&] { Unit.SetPhantom(ch, on); });
    }
    case 0x57: {
      const std::uint8_t position = in.Byte();
      return apply([&] { Unit.SetCameraDefault(position); });
    }
    case 0x5A: {
      const std::uint8_t slope = in.Byte();
      return apply([&] { Unit.SetAutoMixSlope(slope); });
    }
    case 0x5B: {
      const int index = in.Byte();
      const auto record = in.Get<SubCtrlRecord>();
      return apply([&] { Unit.SetSubCtrl(index, record); });
    }
    case 0x60: {
      const auto reverb = in.Get<ReverbRecord>();
      return apply([&] { Unit.SetReverbWords(reverb); });
    }
    case 0x61: {
      const int ch = in.Byte();
      const std::uint8_t level = in.Byte();
      return apply([&] { Unit.SetFeedbackLevel(ch, level); });
    }
    case 0x62: {
      const auto echo = in.Get<EchoRecord>();
      return apply([&] { Unit.SetEchoWords(echo); });
    }
    case 0x63: {
      const std::uint8_t on = in.Byte();
      const std::uint8_t volume = in.Byte();
      return apply([&] { Unit.SetEffect(on, volume); });
    }
    case 0x64: {
      const int gate = in.Byte();
      const auto record = in.Get<MixGateRecord>();
      return apply([&] {
        if (gate == CI::AutoMixGate)
          Unit.SetAutoMixGate(record);
        else if (gate == CI::CameraGate)
          Unit.SetCameraGate(record);
      });
    }
    case 0x6A: {
      const std::uint8_t mode = in.Byte();
      return apply([&] { Unit.SetMemorizeMode(mode); });
    }
    case 0x6B: {
      const int index = in.Byte();
      const auto record = in.Get<GroupCtrlRecord>();
      return apply([&] { Unit.SetGroupCtrl(index, record); });
    }
    default:
      return false;
  }
}

}  // namespace sim
