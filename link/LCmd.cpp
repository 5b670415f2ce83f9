#include "link/LCmd.h"

#include <algorithm>

void LCmd::PutWord(std::uint16_t w) {
  Payload.push_back(static_cast<std::uint8_t>(w & 0xFF));
  Payload.push_back(static_cast<std::uint8_t>(w >> 8));
}

void LCmd::PutText(std::span<const std::uint8_t> text, std::size_t count) {
  const std::size_t take = std::min(text.size(), count);
  Payload.insert(Payload.end(), text.begin(), text.begin() + static_cast<std::ptrdiff_t>(take));
  Payload.insert(Payload.end(), count - take, std::uint8_t{0});
}

namespace {

std::span<const std::uint8_t> Bytes(std::string_view s) {
  return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}

template <class Record>
void PutRecord(ByteVector& payload, const Record& rec) {
  const std::size_t at = payload.size();
  payload.resize(at + Record::Size);
  StoreRecord(payload.data() + at, rec);
}

}  // namespace

ByteVector BuildFrame(const LCmd& cmd, int mode) {
  if (mode == 0) return cmd.Payload;
  if (mode != 1 || cmd.Payload.size() > DeviceFrame::MaxPayload) return {};

  const auto n = static_cast<std::uint8_t>(cmd.Payload.size() + 1);
  ByteVector frame;
  frame.reserve(DeviceFrame::SizeFor(n));
  frame.push_back(DeviceFrame::Dle);
  frame.push_back(DeviceFrame::Stx);
  frame.push_back(0x00);
  frame.push_back(cmd.DeviceId);
  frame.push_back(n);
  frame.push_back(cmd.Code);
  frame.insert(frame.end(), cmd.Payload.begin(), cmd.Payload.end());
  frame.push_back(DeviceFrame::Dle);
  frame.push_back(DeviceFrame::Etx);
  std::uint8_t check = 0;
  for (std::uint8_t b : frame) check ^= b;
  frame.push_back(check);
  return frame;
}

LCmd ParseFrame(const std::uint8_t* data, std::size_t size) {
  LCmd cmd;
  if (data == nullptr || size == 0) {
    cmd.Unframed = true;
    return cmd;
  }

  // A frame needs room for its code before the trailer and a length byte
  // that counts it; a block of length 0 has no code (byte 5 would be its
  // trailer), so it is read as unframed rather than as a reply.
  const bool framed = size >= DeviceFrame::Overhead + 1 && data[0] == DeviceFrame::Dle &&
                      data[1] == DeviceFrame::Stx && data[size - 3] == DeviceFrame::Dle &&
                      data[size - 2] == DeviceFrame::Etx && data[DeviceFrame::LengthIndex] != 0;

  // A framed block's payload ends where its trailer begins; an unframed one
  // has no known trailer and may run to the end of the bytes.
  std::size_t end = size;
  if (framed) {
    cmd.DeviceId = data[DeviceFrame::IdIndex];
    cmd.Code = data[DeviceFrame::CodeIndex];
    end = size - 3;
  } else {
    cmd.Unframed = true;
    cmd.Code = data[0];
  }

  if (size > DeviceFrame::LengthIndex && data[DeviceFrame::LengthIndex] > 0 &&
      end > DeviceFrame::PayloadIndex) {
    const std::size_t want = data[DeviceFrame::LengthIndex] - 1u;
    const std::size_t take = std::min(want, end - DeviceFrame::PayloadIndex);
    cmd.Payload.assign(data + DeviceFrame::PayloadIndex, data + DeviceFrame::PayloadIndex + take);
  }
  return cmd;
}

LCmd ParseFrame(std::span<const std::uint8_t> bytes) {
  return ParseFrame(bytes.data(), bytes.size());
}

CM_MCS_CMD::CM_MCS_CMD(std::uint8_t id, std::uint8_t code) : LCmd(id, code) {}

CM_MCS_CMD::CM_MCS_CMD(std::uint8_t id, std::uint8_t code, std::uint8_t b0) : LCmd(id, code) {
  Payload = {b0};
}

CM_MCS_CMD::CM_MCS_CMD(std::uint8_t id, std::uint8_t code, std::uint8_t b0, std::uint8_t b1)
    : LCmd(id, code) {
  Payload = {b0, b1};
}

CM_MCS_CMD::CM_MCS_CMD(std::uint8_t id, std::uint8_t code, std::uint8_t b0, std::uint8_t b1, std::uint8_t b2,
                       std::uint8_t b3)
    : LCmd(id, code) {
  Payload = {b0, b1, b2, b3};
}

CM_MCS_MCU_RESET::CM_MCS_MCU_RESET(std::uint8_t id) : LCmd(id, CODE) {}

CM_MCS_DELAYUNIT::CM_MCS_DELAYUNIT(std::uint8_t id, std::uint8_t unit) : LCmd(id, CODE) {
  PutByte(unit);
}

CM_MCS_READ_EEPROM::CM_MCS_READ_EEPROM(std::uint8_t id, std::uint16_t address, std::uint8_t length)
    : LCmd(id, CODE) {
  PutWord(address);
  PutByte(length);
}

CM_MCS_WRITE_EEPROM::CM_MCS_WRITE_EEPROM(std::uint8_t id, std::uint16_t address, std::uint8_t length,
                                         std::span<const std::uint8_t> data)
    : LCmd(id, CODE) {
  PutWord(address);
  PutByte(length);
  PutText(data, length);
}

CM_MCS_DOWNLOAD::CM_MCS_DOWNLOAD(std::uint8_t id, std::uint8_t record, std::uint8_t block,
                                 std::uint8_t length, std::span<const std::uint8_t> data)
    : LCmd(id, CODE) {
  PutByte(block);
  PutByte(record);
  PutText(data, length);
}

CM_MCS_PRESETNAME::CM_MCS_PRESETNAME(std::uint8_t id, std::span<const std::uint8_t> name) : LCmd(id, CODE) {
  PutText(name, NameSize);
}

CM_MCS_PRESETNAME::CM_MCS_PRESETNAME(std::uint8_t id, std::string_view name)
    : CM_MCS_PRESETNAME(id, Bytes(name)) {}

CM_MCS_PASS_SUBMIT::CM_MCS_PASS_SUBMIT(std::uint8_t id, std::uint8_t kind, std::string_view password)
    : LCmd(id, CODE) {
  PutByte(kind);
  PutText(Bytes(password), PasswordSize);
}

CM_MCS_SET_LOCK::CM_MCS_SET_LOCK(std::uint8_t id, std::string_view password) : LCmd(id, CODE) {
  PutText(Bytes(password), PasswordSize);
}

CM_MCS_COMP::CM_MCS_COMP(std::uint8_t id, std::uint8_t channel, const CompRecord& rec) : LCmd(id, CODE) {
  PutByte(channel);
  PutRecord(Payload, rec);
}

CM_MCS_LOW_PASS::CM_MCS_LOW_PASS(std::uint8_t id, std::uint8_t channel, std::uint16_t freq,
                                 std::uint8_t slope)
    : LCmd(id, CODE) {
  PutByte(channel);
  PutWord(freq);
  PutByte(slope);
}

CM_MCS_HIGH_PASS::CM_MCS_HIGH_PASS(std::uint8_t id, std::uint8_t channel, std::uint16_t freq,
                                   std::uint8_t slope)
    : LCmd(id, CODE) {
  PutByte(channel);
  PutWord(freq);
  PutByte(slope);
}

CM_MCS_PEQ::CM_MCS_PEQ(std::uint8_t id, std::uint8_t channel, std::uint8_t band, const PeqBandRecord& rec,
                       std::uint8_t bypass)
    : LCmd(id, CODE) {
  PutByte(channel);
  PutByte(band);
  PutRecord(Payload, rec);
  PutByte(bypass);
}

CM_MCS_GAIN::CM_MCS_GAIN(std::uint8_t id, std::uint8_t channel, std::uint16_t gain) : LCmd(id, CODE) {
  PutByte(channel);
  PutWord(gain);
}

CM_MCS_MUTE::CM_MCS_MUTE(std::uint8_t id, std::uint8_t channel, std::uint8_t state) : LCmd(id, CODE) {
  PutByte(channel);
  PutByte(state);
}

CM_MCS_POLARITY::CM_MCS_POLARITY(std::uint8_t id, std::uint8_t channel, std::uint8_t inverted)
    : LCmd(id, CODE) {
  PutByte(channel);
  PutByte(inverted != 0 ? 1 : 0);
}

CM_MCS_DELAY::CM_MCS_DELAY(std::uint8_t id, std::uint8_t channel, std::uint16_t delay) : LCmd(id, CODE) {
  PutByte(channel);
  PutWord(delay);
}

CM_MCS_WORK_MODE::CM_MCS_WORK_MODE(std::uint8_t id, std::uint8_t source, std::uint8_t sineFreq)
    : LCmd(id, CODE) {
  PutByte(source);
  PutByte(sineFreq);
}

CM_MCS_MATRIX::CM_MCS_MATRIX(std::uint8_t id, std::uint8_t channel, std::uint16_t mask) : LCmd(id, CODE) {
  PutByte(channel);
  PutWord(mask);
}

CM_MCS_CHANNEL_NAME::CM_MCS_CHANNEL_NAME(std::uint8_t id, std::uint8_t channel,
                                         std::span<const std::uint8_t> name)
    : LCmd(id, CODE) {
  PutByte(channel);
  PutText(name, NameSize);
}

CM_MCS_CHANNEL_NAME::CM_MCS_CHANNEL_NAME(std::uint8_t id, std::uint8_t channel, std::string_view name)
    : CM_MCS_CHANNEL_NAME(id, channel, Bytes(name)) {}

CM_MCS_GATE::CM_MCS_GATE(std::uint8_t id, std::uint8_t channel, const GateRecord& rec) : LCmd(id, CODE) {
  PutByte(channel);
  PutRecord(Payload, rec);
}

CM_MCS_DSP_SUB_CTRL::CM_MCS_DSP_SUB_CTRL(std::uint8_t id, std::uint8_t index, const SubCtrlRecord& rec)
    : LCmd(id, CODE) {
  PutByte(index);
  PutRecord(Payload, rec);
}

namespace {
void PutLong(ByteVector& payload, std::uint32_t v) {
  for (int shift = 0; shift < 32; shift += 8)
    payload.push_back(static_cast<std::uint8_t>((v >> shift) & 0xFF));
}
}  // namespace

CM_MCS_RVB::CM_MCS_RVB(std::uint8_t id, std::uint32_t first, std::uint32_t second) : LCmd(id, CODE) {
  PutLong(Payload, first);
  PutLong(Payload, second);
}

CM_MCS_RVB::CM_MCS_RVB(std::uint8_t id, const ReverbRecord& rec) : LCmd(id, CODE) {
  PutRecord(Payload, rec);
}

CM_MCS_ECHO::CM_MCS_ECHO(std::uint8_t id, std::uint32_t first, std::uint32_t second) : LCmd(id, CODE) {
  PutLong(Payload, first);
  PutLong(Payload, second);
}

CM_MCS_ECHO::CM_MCS_ECHO(std::uint8_t id, const EchoRecord& rec) : LCmd(id, CODE) {
  PutRecord(Payload, rec);
}

CM_MCS_MIX_GATE::CM_MCS_MIX_GATE(std::uint8_t id, std::uint8_t gate, const MixGateRecord& rec)
    : LCmd(id, CODE) {
  PutByte(gate);
  PutRecord(Payload, rec);
}

CM_MCS_GROUP_CTRL::CM_MCS_GROUP_CTRL(std::uint8_t id, std::uint8_t index, const GroupCtrlRecord& rec)
    : LCmd(id, CODE) {
  PutByte(index);
  PutRecord(Payload, rec);
}
