// Frames and the command set, byte for byte.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>

#include "link/LCmd.h"

namespace {

ByteVector Seq(std::uint8_t first, std::size_t count) {
  ByteVector v(count);
  for (std::size_t i = 0; i < count; ++i) v[i] = static_cast<std::uint8_t>(first + i);
  return v;
}

ByteVector Cat(ByteVector a, const ByteVector& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

struct CommandCase {
  std::string name;
  std::function<LCmd()> make;
  std::uint8_t id;
  std::uint8_t code;
  ByteVector payload;
  AppendMark append;
};

const std::vector<CommandCase>& CommandCases() {
  using A = AppendMark;
  static const std::vector<CommandCase> cases = {
      {"hello", [] { return CM_MCS_CMD(1, 0x10); }, 1, 0x10, {}, A::Yes},
      {"goodbye to 255", [] { return CM_MCS_CMD(255, 0x11); }, 255, 0x11, {}, A::Yes},
      {"keep-alive as plain LCmd", [] { return LCmd(3, 0x12); }, 3, 0x12, {}, A::PerSender},
      {"state packet request", [] { return CM_MCS_CMD(1, 0x27, 25); }, 1, 0x27, {0x19}, A::Yes},
      {"channel copy", [] { return CM_MCS_CMD(1, 0x2A, 2, 5); }, 1, 0x2A, {0x02, 0x05}, A::Yes},
      {"device address",
       [] { return CM_MCS_CMD(1, 0xB8, 192, 168, 1, 101); },
       1,
       0xB8,
       {0xC0, 0xA8, 0x01, 0x65},
       A::Yes},
      {"link mask", [] { return CM_MCS_CMD(1, 0x3B, 9, 0x03); }, 1, 0x3B, {0x09, 0x03}, A::Yes},
      {"whole-EQ bypass", [] { return CM_MCS_CMD(1, 0x3C, 4, 1); }, 1, 0x3C, {0x04, 0x01}, A::No},
      {"mic gain", [] { return CM_MCS_CMD(1, 0x55, 0, 51); }, 1, 0x55, {0x00, 0x33}, A::PerSender},
      {"level poll", [] { return CM_MCS_CMD(1, 0x40); }, 1, 0x40, {}, A::PerSender},
      {"upload start", [] { return CM_MCS_CMD(1, 0x22); }, 1, 0x22, {}, A::PerSender},
      {"set device ID", [] { return CM_MCS_CMD(1, 0xBB, 250); }, 1, 0xBB, {0xFA}, A::Yes},

      {"MCU reset", [] { return CM_MCS_MCU_RESET(7); }, 7, 0x04, {}, A::Yes},
      {"delay unit", [] { return CM_MCS_DELAYUNIT(1, 2); }, 1, 0x15, {0x02}, A::No},
      {"read device info", [] { return CM_MCS_READ_EEPROM(1, 0, 19); }, 1, 0x19, {0x00, 0x00, 0x13}, A::Yes},
      {"read at a wide address",
       [] { return CM_MCS_READ_EEPROM(1, 0x1234, 7); },
       1,
       0x19,
       {0x34, 0x12, 0x07},
       A::Yes},
      {"write device info", [] { return CM_MCS_WRITE_EEPROM(1, 1, 18, Seq(0xA0, 18)); }, 1, 0x1A,
       Cat({0x01, 0x00, 0x12}, Seq(0xA0, 18)), A::Yes},
      {"write with data longer than length",
       [] { return CM_MCS_WRITE_EEPROM(1, 0x0201, 2, Seq(0x50, 5)); },
       1,
       0x1A,
       {0x01, 0x02, 0x02, 0x50, 0x51},
       A::Yes},
      {"write with data shorter than length",
       [] { return CM_MCS_WRITE_EEPROM(1, 1, 4, Seq(0x50, 2)); },
       1,
       0x1A,
       {0x01, 0x00, 0x04, 0x50, 0x51, 0x00, 0x00},
       A::Yes},
      {"download last block", [] { return CM_MCS_DOWNLOAD(1, 4, 25, 12, Seq(0x10, 12)); }, 1, 0x25,
       Cat({0x19, 0x04}, Seq(0x10, 12)), A::Yes},
      {"download full block", [] { return CM_MCS_DOWNLOAD(1, 21, 0, 50, Seq(0x00, 50)); }, 1, 0x25,
       Cat({0x00, 0x15}, Seq(0x00, 50)), A::Yes},
      {"preset name padded",
       [] { return CM_MCS_PRESETNAME(1, "Stage         "); },
       1,
       0x26,
       {'S', 't', 'a', 'g', 'e', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '},
       A::Yes},
      {"preset name short and long", [] { return CM_MCS_PRESETNAME(1, Seq(0x80, 20)); }, 1, 0x26,
       Seq(0x80, 14), A::Yes},
      {"preset name zero filled",
       [] { return CM_MCS_PRESETNAME(1, "ab"); },
       1,
       0x26,
       {'a', 'b', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
       A::Yes},
      {"password submit",
       [] { return CM_MCS_PASS_SUBMIT(1, 0, "1234"); },
       1,
       0x2D,
       {0x00, '1', '2', '3', '4'},
       A::Yes},
      {"set lock", [] { return CM_MCS_SET_LOCK(1, "abcdef"); }, 1, 0x2F, {'a', 'b', 'c', 'd'}, A::Yes},
      {"compressor",
       [] {
         return CM_MCS_COMP(1, 8, CompRecord{15, 0x0102, 0x0304, 0x0506});
       },
       1,
       0x30,
       {0x08, 0x0F, 0x00, 0x02, 0x01, 0x04, 0x03, 0x06, 0x05},
       A::PerSender},
      {"low pass",
       [] { return CM_MCS_LOW_PASS(1, 3, 300, 7); },
       1,
       0x31,
       {0x03, 0x2C, 0x01, 0x07},
       A::PerSender},
      {"high pass",
       [] { return CM_MCS_HIGH_PASS(1, 9, 0x0105, 20); },
       1,
       0x32,
       {0x09, 0x05, 0x01, 0x14},
       A::PerSender},
      {"PEQ band",
       [] {
         return CM_MCS_PEQ(1, 3, 2, PeqBandRecord{120, 170, 40, 0}, 0);
       },
       1,
       0x33,
       {0x03, 0x02, 0x78, 0x00, 0xAA, 0x00, 0x28, 0x00, 0x00},
       A::PerSender},
      {"PEQ band bypassed",
       [] {
         return CM_MCS_PEQ(1, 18, 4, PeqBandRecord{240, 300, 100, 6}, 1);
       },
       1,
       0x33,
       {0x12, 0x04, 0xF0, 0x00, 0x2C, 0x01, 0x64, 0x06, 0x01},
       A::PerSender},
      {"gain", [] { return CM_MCS_GAIN(1, 18, 400); }, 1, 0x34, {0x12, 0x90, 0x01}, A::PerSender},
      {"mute keeps its byte", [] { return CM_MCS_MUTE(1, 8, 7); }, 1, 0x35, {0x08, 0x07}, A::PerSender},
      {"polarity flag 5", [] { return CM_MCS_POLARITY(1, 4, 5); }, 1, 0x36, {0x04, 0x01}, A::PerSender},
      {"polarity normal", [] { return CM_MCS_POLARITY(1, 4, 0); }, 1, 0x36, {0x04, 0x00}, A::PerSender},
      {"delay", [] { return CM_MCS_DELAY(1, 15, 0x1234); }, 1, 0x38, {0x0F, 0x34, 0x12}, A::PerSender},
      {"test signal", [] { return CM_MCS_WORK_MODE(1, 3, 12); }, 1, 0x39, {0x03, 0x0C}, A::Yes},
      {"matrix", [] { return CM_MCS_MATRIX(1, 9, 0x0102); }, 1, 0x3A, {0x09, 0x02, 0x01}, A::PerSender},
      {"channel name",
       [] { return CM_MCS_CHANNEL_NAME(1, 0, "Kick"); },
       1,
       0x3D,
       {0x00, 'K', 'i', 'c', 'k', 0, 0, 0, 0},
       A::Yes},
      {"channel name cut at 8", [] { return CM_MCS_CHANNEL_NAME(1, 12, Seq(0xC0, 9)); }, 1, 0x3D,
       Cat({0x0C}, Seq(0xC0, 8)), A::Yes},
      {"gate",
       [] {
         return CM_MCS_GATE(1, 2, GateRecord{0x0010, 2999, 180});
       },
       1,
       0x3E,
       {0x02, 0x10, 0x00, 0xB7, 0x0B, 0xB4, 0x00},
       A::PerSender},
      {"sub control",
       [] {
         return CM_MCS_DSP_SUB_CTRL(1, 1, SubCtrlRecord{100, 1, 0x0180});
       },
       1,
       0x5B,
       {0x01, 0x64, 0x01, 0x80, 0x01},
       A::PerSender},
      {"reverb words",
       [] { return CM_MCS_RVB(1, 0x000C0032, 0x001E008B); },
       1,
       0x60,
       {0x32, 0x00, 0x0C, 0x00, 0x8B, 0x00, 0x1E, 0x00},
       A::PerSender},
      {"reverb record",
       [] {
         return CM_MCS_RVB(1, ReverbRecord{50, 12, 139, 30});
       },
       1,
       0x60,
       {0x32, 0x00, 0x0C, 0x00, 0x8B, 0x00, 0x1E, 0x00},
       A::PerSender},
      {"echo words",
       [] { return CM_MCS_ECHO(1, 0x00C8000A, 0x0050003C); },
       1,
       0x62,
       {0x0A, 0x00, 0xC8, 0x00, 0x3C, 0x00, 0x50, 0x00},
       A::PerSender},
      {"echo record",
       [] {
         return CM_MCS_ECHO(1, EchoRecord{10, 200, 60, 80});
       },
       1,
       0x62,
       {0x0A, 0x00, 0xC8, 0x00, 0x3C, 0x00, 0x50, 0x00},
       A::PerSender},
      {"camera gate",
       [] {
         return CM_MCS_MIX_GATE(1, 19, MixGateRecord{99, 2999, 180, 0x0001, 0xBEEF});
       },
       1,
       0x64,
       {0x13, 0x63, 0x00, 0xB7, 0x0B, 0xB4, 0x00, 0x01, 0x00, 0xEF, 0xBE},
       A::PerSender},
      {"group control",
       [] {
         return CM_MCS_GROUP_CTRL(1, 7, GroupCtrlRecord{100, 1, 0xA5});
       },
       1,
       0x6B,
       {0x07, 0x64, 0x01, 0xA5},
       A::No},
  };
  return cases;
}

ByteVector Framed(std::uint8_t id, std::uint8_t code, const ByteVector& payload) {
  ByteVector f = {0x10, 0x02, 0x00, id, static_cast<std::uint8_t>(payload.size() + 1), code};
  f.insert(f.end(), payload.begin(), payload.end());
  f.push_back(0x10);
  f.push_back(0x03);
  std::uint8_t x = 0;
  for (auto b : f) x ^= b;
  f.push_back(x);
  return f;
}

}  // namespace

TEST(CommandSet, EveryCommandLaysOutItsPayload) {
  for (const auto& c : CommandCases()) {
    SCOPED_TRACE(c.name);
    const LCmd cmd = c.make();
    EXPECT_EQ(cmd.DeviceId, c.id);
    EXPECT_EQ(cmd.Code, c.code);
    EXPECT_EQ(cmd.Payload, c.payload);
    EXPECT_FALSE(cmd.Unframed);
    EXPECT_EQ(AppendMarkOf(c.code), c.append);
    // The table's payload length is what the command lays out (at least,
    // for a command with data of varying length).
    const CommandInfo* row = FindCommand(c.code);
    ASSERT_NE(row, nullptr);
    if (row->Variable)
      EXPECT_GE(cmd.Payload.size(), row->Payload);
    else
      EXPECT_EQ(cmd.Payload.size(), row->Payload);
    // Every command frames the same way, and a frame read back keeps the
    // code and payload (a received frame's ID comes from byte 2, 0 here).
    const ByteVector frame = BuildFrame(cmd, 1);
    EXPECT_EQ(frame, Framed(c.id, c.code, c.payload));
    const LCmd back = ParseFrame(frame);
    EXPECT_FALSE(back.Unframed);
    EXPECT_EQ(back.Code, c.code);
    EXPECT_EQ(back.Payload, c.payload);
    EXPECT_EQ(back.DeviceId, 0);
  }
}

TEST(CommandSet, AppendMarksOfCommandsWithoutAClass) {
  const struct {
    std::uint8_t code;
    AppendMark mark;
  } rows[] = {
      {0x14, AppendMark::Yes},
      {0x20, AppendMark::Yes},
      {0x21, AppendMark::Yes},
      {0x23, AppendMark::Yes},
      {0x24, AppendMark::Yes},
      {0x28, AppendMark::Yes},
      {0x29, AppendMark::Yes},
      {0x2C, AppendMark::Yes},
      {0x52, AppendMark::Yes},
      {0x6A, AppendMark::Yes},
      {0x6C, AppendMark::Yes},
      {0xB0, AppendMark::Yes},
      {0x56, AppendMark::PerSender},
      {0x57, AppendMark::PerSender},
      {0x5A, AppendMark::PerSender},
      {0x61, AppendMark::PerSender},
      {0x63, AppendMark::PerSender},
      // Replies only.
      {0x01, AppendMark::Unknown},
      {0x13, AppendMark::Unknown},
      {0x41, AppendMark::Unknown},
  };
  for (const auto& r : rows) EXPECT_EQ(AppendMarkOf(r.code), r.mark) << "code " << int(r.code);
}

TEST(BuildFrame, HelloToDeviceOne) {
  EXPECT_EQ(BuildFrame(CM_MCS_CMD(1, 0x10), 1),
            (ByteVector{0x10, 0x02, 0x00, 0x01, 0x01, 0x10, 0x10, 0x03, 0x11}));
}

TEST(BuildFrame, ModesOtherThanOneGiveThePayloadOrNothing) {
  const CM_MCS_GAIN gain(1, 2, 0x0118);
  EXPECT_EQ(BuildFrame(gain, 0), (ByteVector{0x02, 0x18, 0x01}));
  EXPECT_TRUE(BuildFrame(CM_MCS_CMD(1, 0x10), 0).empty());
  for (int mode : {2, -1, 255}) EXPECT_TRUE(BuildFrame(gain, mode).empty()) << mode;
}

TEST(BuildFrame, LengthByteLimits) {
  LCmd big(1, 0x7F);
  big.Payload = ByteVector(254, 0x10);  // 10s inside the payload are not stuffed
  const ByteVector frame = BuildFrame(big, 1);
  ASSERT_EQ(frame.size(), 263u);
  EXPECT_EQ(frame[4], 255);
  EXPECT_EQ(frame[261], 0x03);

  // One byte more cannot be described by the length byte: no frame at all
  // rather than one whose length lies.
  big.Payload.push_back(0);
  EXPECT_TRUE(BuildFrame(big, 1).empty());
  EXPECT_EQ(BuildFrame(big, 0).size(), 255u);
}

TEST(ParseFrame, ReadsFramedAndUnframedBlocks) {
  const ByteVector hello = {0x10, 0x02, 0x07, 0x01, 0x01, 0x10, 0x10, 0x03, 0x11};
  ByteVector badCheck = hello;
  badCheck.back() = 0xEE;
  const ByteVector withTrailerInside = {0x10, 0x02, 0x05, 0x00, 0x04, 0x14,
                                        0x10, 0x03, 0x09, 0x10, 0x03, 0x00};

  const struct {
    const char* name;
    ByteVector bytes;
    bool unframed;
    std::uint8_t id, code;
    ByteVector payload;
  } rows[] = {
      {"hello reply", hello, false, 7, 0x10, {}},
      {"bad check byte passes", badCheck, false, 7, 0x10, {}},
      {"10 03 inside the payload", withTrailerInside, false, 5, 0x14, {0x10, 0x03, 0x09}},
      {"wrong trailer", {0x10, 0x02, 0x05, 0x00, 0x02, 0x14, 0x33, 0x10, 0x04, 0x00}, true, 0, 0x10, {0x33}},
      {"wrong head", {0x55, 0x02, 0x05, 0x00, 0x02, 0x14, 0x33, 0x10, 0x03, 0x00}, true, 0, 0x55, {0x33}},
      {"empty", {}, true, 0, 0, {}},
      {"one byte", {0x10}, true, 0, 0x10, {}},
      {"head only", {0x10, 0x02, 0x01}, true, 0, 0x10, {}},
      // Head and trailer, but no room for a code: byte 5 would lie past the end.
      {"five bytes", {0x10, 0x02, 0x10, 0x03, 0x00}, true, 0, 0x10, {}},
      {"seven bytes", {0x10, 0x02, 0x01, 0x00, 0x10, 0x03, 0x00}, true, 0, 0x10, {0x00}},
      // Length 0 carries no code; its byte 5 is the trailer.
      {"length 0", {0x10, 0x02, 0x01, 0x00, 0x00, 0x10, 0x03, 0x00}, true, 0, 0x10, {}},
      // The length claims more than the block holds.
      {"framed, short payload",
       {0x10, 0x02, 0x01, 0x00, 0x09, 0x22, 0xAA, 0x10, 0x03, 0x00},
       false,
       1,
       0x22,
       {0xAA}},
      {"unframed, short payload",
       {0x10, 0x02, 0x01, 0x00, 0x09, 0x22, 0xAA, 0xBB},
       true,
       0,
       0x10,
       {0xAA, 0xBB}},
      {"unframed, length 0", {0x10, 0x02, 0x01, 0x00, 0x00, 0x22, 0xAA, 0xBB}, true, 0, 0x10, {}},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    // A tight copy so that any read past the end trips the sanitizer.
    const std::unique_ptr<std::uint8_t[]> tight(new std::uint8_t[r.bytes.size()]);
    std::copy(r.bytes.begin(), r.bytes.end(), tight.get());
    const LCmd cmd = ParseFrame(r.bytes.empty() ? nullptr : tight.get(), r.bytes.size());
    EXPECT_EQ(cmd.Unframed, r.unframed);
    EXPECT_EQ(cmd.DeviceId, r.id);
    EXPECT_EQ(cmd.Code, r.code);
    EXPECT_EQ(cmd.Payload, r.payload);
  }
}
