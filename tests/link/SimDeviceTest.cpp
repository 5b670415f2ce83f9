// The device simulator's side of the protocol: the handshake and the whole
// parameter upload over a plain loopback client, parameter commands, presets,
// unit-file transfers, the user lock and the level reply.

#include <gtest/gtest.h>

#include "model/LUnitControl.h"
#include "model/PresetCommands.h"
#include "model/PresetFile.h"
#include "model/UnitFile.h"
#include "tests/sim/DeviceSimulator.h"
#include "tests/sim/SimClient.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <random>
#include <string>

namespace {

using namespace PresetLayout;
using sim::SimDevice;

LCmd Cmd(std::uint8_t code, ByteVector payload = {}, std::uint8_t id = 1) {
  LCmd c(id, code);
  c.Payload = std::move(payload);
  return c;
}

// One request through the device's frame road; exactly one reply expected.
LCmd Ask(SimDevice& device, const LCmd& request) {
  const auto replies = device.Handle(BuildFrame(request, 1));
  EXPECT_EQ(replies.size(), 1u) << "code " << int(request.Code);
  return replies.empty() ? LCmd() : replies.front();
}

sim::ParamImage RandomImage(unsigned seed) {
  std::mt19937 rng(seed);
  sim::ParamImage image;
  for (auto& b : image.Bytes) b = static_cast<std::uint8_t>(rng());
  return image;
}

// The device's set as the editor's model reads it from the state packets
// and the group-control reply.
std::unique_ptr<LUnitControl> ReadBack(SimDevice& device) {
  auto model = std::make_unique<LUnitControl>();
  for (std::uint8_t k = 0; k < 26; ++k)
    EXPECT_TRUE(model->StoreStatePacket(Ask(device, Cmd(0x27, {k})).Payload));
  EXPECT_TRUE(model->SetGroupCtrlRecords(Ask(device, Cmd(0x6C, {0})).Payload));
  return model;
}

// What the editor learns from one upload, read with the model's decoders.
struct Upload {
  LUnitControl Model;
  std::string Identity;
  bool Locked = false;
  std::uint8_t PresetNumber = 0;
  std::vector<std::string> Names;
  ByteVector Ip;
};

// Walks the chain the editor runs after connecting, each reply asking for
// the next request.
void RunUpload(sim::SimClient& link, Upload& up, bool usb) {
  auto ask = [&](std::uint8_t code, ByteVector payload, std::uint8_t want) {
    auto reply = link.Request(Cmd(code, std::move(payload)));
    EXPECT_TRUE(reply.has_value()) << "no reply to " << int(code);
    if (!reply) return LCmd();
    EXPECT_EQ(reply->Code, want) << "reply to " << int(code);
    EXPECT_FALSE(reply->Unframed);
    return *reply;
  };

  ASSERT_EQ(ask(0x10, {}, 0x10).DeviceId, 1);
  const LCmd identity = ask(0x52, {}, 0x52);
  up.Identity.assign(identity.Payload.begin(), identity.Payload.end());
  const LCmd lock = ask(0x2C, {}, 0x2C);
  ASSERT_GE(lock.Payload.size(), 6u);
  up.Locked = lock.Payload[5] != 0;

  EXPECT_TRUE(up.Model.SetStoredFlags(ask(0x22, {}, 0x22).Payload));
  const LCmd number = ask(0x14, {}, 0x14);
  ASSERT_FALSE(number.Payload.empty());
  up.PresetNumber = number.Payload[0];
  if (usb) up.Ip = ask(0xB0, {}, 0xB0).Payload;
  for (std::uint8_t k = 0; k < 21; ++k) {
    const LCmd name = ask(0x29, {k}, 0x29);
    ASSERT_EQ(name.Payload.size(), 15u);
    EXPECT_EQ(name.Payload[0], k);
    std::string text(name.Payload.begin() + 1, name.Payload.end());
    up.Names.push_back(text.substr(0, text.find('\0')));
  }
  // The firmware date, compared as text.
  if (up.Identity.substr(10, 8) >= "20191020") {
    EXPECT_TRUE(up.Model.SetGroupCtrlRecords(ask(0x6C, {0}, 0x6C).Payload));
  }
  for (std::uint8_t k = 0; k < 26; ++k) {
    const LCmd packet = ask(0x27, {k}, 0x24);
    ASSERT_EQ(packet.Payload.size(), 51u);
    EXPECT_EQ(packet.Payload[0], k);
    EXPECT_TRUE(up.Model.StoreStatePacket(packet.Payload));
  }
  ask(0x12, {}, 0x01);
}

TEST(SimDevice, HandshakeAndWholeUploadOverLoopbackDecodeIntoTheSetItHolds) {
  sim::DeviceSimulator device;
  const sim::ParamImage image = RandomImage(7);
  device.With([&](SimDevice& d) {
    d.SetImage(image);
    d.Handle(CM_MCS_GROUP_CTRL(1, 3, GroupCtrlRecord{42, 1, 0x0F}));
    sim::ParamImage stored = sim::FactoryImage();
    std::memcpy(stored.Bytes.data() + NameOffset, "Stage Left    ", 14);
    d.StorePreset(4, stored);
    d.SetPresetNumber(4);
    return 0;
  });
  ASSERT_TRUE(device.ListenTcp("127.0.0.1", 0)) << device.LastError();

  std::string error;
  auto link = sim::SimClient::Tcp("127.0.0.1", device.TcpPort(), &error);
  ASSERT_TRUE(link) << error;
  Upload up;
  RunUpload(*link, up, false);

  EXPECT_EQ(up.Identity.substr(0, 9), "TAVO V013");
  EXPECT_EQ(up.Identity.substr(10, 8), "20191020");
  EXPECT_FALSE(up.Locked);
  EXPECT_EQ(up.PresetNumber, 4);
  for (int slot = 0; slot < 21; ++slot) EXPECT_EQ(up.Model.IsPresetStored(slot), slot == 3) << slot;
  ASSERT_EQ(up.Names.size(), 21u);
  EXPECT_EQ(up.Names[3], "Stage Left    ");
  EXPECT_EQ(up.Names[0], "Default Preset");
  EXPECT_EQ(up.Model.GetGroupCtrl(3).Volume, 42);
  EXPECT_EQ(up.Model.GetGroupCtrl(3).ChannelMask, 0x0F);

  // Every byte of the set but the two header bytes, which never travel.
  const sim::ParamImage held = device.Image();
  EXPECT_EQ(held, image);
  const auto& got = up.Model.GetImage().Bytes;
  EXPECT_TRUE(std::equal(got.begin() + 2, got.end(), image.Bytes.begin() + 2));

  // The device heard the whole chain, in order, with its raw bytes kept.
  const auto heard = device.Received();
  ASSERT_EQ(heard.size(), 3u + 2u + 21u + 1u + 26u + 1u);
  EXPECT_EQ(heard.front().Command.Code, 0x10);
  EXPECT_EQ(heard.front().Raw, BuildFrame(Cmd(0x10), 1));
  EXPECT_EQ(heard.front().Via, sim::Transport::Tcp);
  EXPECT_EQ(heard.back().Command.Code, 0x12);
}

TEST(SimDevice, OldFirmwareSkipsGroupControlAndUsbAsksTheAddress) {
  sim::SimConfig config;
  config.Identity = "TAVO V013 20180101";
  config.Ip = {10, 0, 0, 7};
  sim::DeviceSimulator device(config);
  ASSERT_TRUE(device.ListenTcp("127.0.0.1", 0)) << device.LastError();
  auto link = sim::SimClient::Tcp("127.0.0.1", device.TcpPort());
  ASSERT_TRUE(link);
  Upload up;
  RunUpload(*link, up, true);
  EXPECT_EQ(up.Ip, (ByteVector{10, 0, 0, 7}));
  EXPECT_EQ(device.CountReceived(0x6C), 0u);
  EXPECT_EQ(device.CountReceived(0x27), 26u);
}

TEST(SimDevice, ParameterCommandsChangeTheSetAndAreAcknowledged) {
  struct Case {
    const char* what;
    LCmd command;
    std::function<bool(const LUnitControl&)> holds;
  };
  const PeqBandRecord band{130, 170, 40, 2};
  const std::vector<Case> cases = {
      {"input gain", CM_MCS_GAIN(1, 2, 250), [](const LUnitControl& m) { return m.GetGain(2) == 250; }},
      {"effect gain", CM_MCS_GAIN(1, 18, 111), [](const LUnitControl& m) { return m.GetGain(18) == 111; }},
      {"output mute", CM_MCS_MUTE(1, 9, 1),
       [](const LUnitControl& m) { return m.GetMute(9) && !m.GetMute(8); }},
      {"polarity", CM_MCS_POLARITY(1, 12, 5), [](const LUnitControl& m) { return m.GetPolarity(12); }},
      {"peq band", CM_MCS_PEQ(1, 3, 2, band, 1),
       [&](const LUnitControl& m) {
         const PeqBandRecord b = m.GetPeqBand(3, 2);
         return b.Gain == 130 && b.Freq == 170 && b.Q == 40 && b.Type == 2 && m.GetPeqBypass(3, 2);
       }},
      {"high pass", CM_MCS_HIGH_PASS(1, 10, 77, 4),
       [](const LUnitControl& m) {
         return m.GetPassFilters(10).HpFreq == 77 && m.GetPassFilters(10).HpSlope == 4;
       }},
      {"low pass", CM_MCS_LOW_PASS(1, 1, 250, 3),
       [](const LUnitControl& m) {
         return m.GetPassFilters(1).LpFreq == 250 && m.GetPassFilters(1).LpSlope == 3;
       }},
      {"delay", CM_MCS_DELAY(1, 15, 4800), [](const LUnitControl& m) { return m.GetDelay(15) == 4800; }},
      {"matrix", CM_MCS_MATRIX(1, 8, 0x01FE), [](const LUnitControl& m) { return m.GetMatrix(8) == 0x01FE; }},
      {"channel name", CM_MCS_CHANNEL_NAME(1, 5, std::string_view("Vocal")),
       [](const LUnitControl& m) { return m.GetChannelName(5) == "Vocal"; }},
      {"preset name", CM_MCS_PRESETNAME(1, std::string_view("Evening")),
       [](const LUnitControl& m) { return m.GetPresetName() == "Evening"; }},
      {"gate", CM_MCS_GATE(1, 4, GateRecord{5, 600, 100}),
       [](const LUnitControl& m) { return m.GetGate(4).Release == 600 && m.GetGate(4).Threshold == 100; }},
      {"compressor", CM_MCS_COMP(1, 11, CompRecord{3, 10, 20, 200}),
       [](const LUnitControl& m) { return m.GetComp(11).Ratio == 3 && m.GetComp(11).Threshold == 200; }},
      {"link mask", CM_MCS_CMD(1, 0x3B, 0, 0x03),
       [](const LUnitControl& m) { return m.GetLinkMask(0) == 0x03; }},
      {"whole-EQ bypass", CM_MCS_CMD(1, 0x3C, 13, 1),
       [](const LUnitControl& m) { return m.GetEqBypassMask(13) == (1u << 5); }},
      {"test signal", CM_MCS_WORK_MODE(1, 3, 9),
       [](const LUnitControl& m) { return m.GetTestSignal() == 3 && m.GetSineFreqIndex() == 9; }},
      {"effect", CM_MCS_CMD(1, 0x63, 1, 70),
       [](const LUnitControl& m) { return m.GetEffectOn() == 1 && m.GetEffectVolume() == 70; }},
      {"memorize mode", CM_MCS_CMD(1, 0x6A, 2),
       [](const LUnitControl& m) { return m.GetMemorizeMode() == 2; }},
      {"group control", CM_MCS_GROUP_CTRL(1, 6, GroupCtrlRecord{33, 1, 0x81}),
       [](const LUnitControl& m) {
         return m.GetGroupCtrl(6).Volume == 33 && m.GetGroupCtrl(6).ChannelMask == 0x81;
       }},
      {"sub control", CM_MCS_DSP_SUB_CTRL(1, 1, SubCtrlRecord{50, 1, 0x0102}),
       [](const LUnitControl& m) { return m.GetSubCtrl(1).ChannelMask == 0x0102; }},
      {"camera gate", CM_MCS_MIX_GATE(1, 19, MixGateRecord{1, 2, 3, 0x00F0, 9}),
       [](const LUnitControl& m) {
         return m.GetCameraGate().InputMask == 0x00F0 && m.GetCameraGate().Reserved == 9;
       }},
      {"reverb", CM_MCS_RVB(1, ReverbRecord{1, 2, 3, 4}),
       [](const LUnitControl& m) { return m.GetReverbWords().Time == 3; }},
      {"mic gain", CM_MCS_CMD(1, 0x55, 6, 20), [](const LUnitControl& m) { return m.GetMicGain(6) == 20; }},
  };
  for (const Case& c : cases) {
    SimDevice device;
    const LCmd reply = Ask(device, c.command);
    EXPECT_EQ(reply.Code, 0x01) << c.what;
    EXPECT_TRUE(reply.Payload.empty()) << c.what;
    EXPECT_TRUE(c.holds(*ReadBack(device))) << c.what;
    EXPECT_EQ(device.ShortCommands(), 0) << c.what;
  }
}

TEST(SimDevice, ALinkedEditReachesTheWholeGroupAndShortOrUnknownCommandsOnlyAcknowledge) {
  SimDevice device;
  Ask(device, CM_MCS_CMD(1, 0x3B, 0, 0x07));
  Ask(device, CM_MCS_CMD(1, 0x3B, 1, 0x00));
  Ask(device, CM_MCS_CMD(1, 0x3B, 2, 0x00));
  Ask(device, CM_MCS_GAIN(1, 2, 300));
  for (int ch : {0, 1, 2}) EXPECT_EQ(device.Gain(ch), 300) << ch;
  EXPECT_EQ(device.Gain(3), 0);

  const sim::ParamImage before = device.Image();
  EXPECT_EQ(Ask(device, Cmd(0x34, {2, 0x10})).Code, 0x01);  // gain without its high byte
  EXPECT_EQ(Ask(device, Cmd(0x33, {3, 1, 0})).Code, 0x01);  // a band cut short
  EXPECT_EQ(Ask(device, Cmd(0x77, {1, 2, 3})).Code, 0x01);  // no such command
  EXPECT_EQ(device.Image(), before);
  // Fewer data bytes than the write announces: the memory stays.
  const sim::InfoBlock info = device.Info();
  EXPECT_EQ(Ask(device, Cmd(0x1A, {1, 0, 5, 0xAA, 0xBB})).Code, 0x01);
  EXPECT_EQ(device.Info(), info);
  EXPECT_EQ(Ask(device, Cmd(0x27)).Code, 0x01);  // a packet request without its number
  EXPECT_EQ(device.ShortCommands(), 4);
}

TEST(SimDevice, APresetFileSendLeavesTheDeviceHoldingTheFilesSet) {
  // A set built through the model's setters, so that it is one the editor
  // can hold: masks within their channels, groups as the model keeps them.
  std::mt19937 rng(11);
  auto pick = [&](int n) { return static_cast<std::uint16_t>(rng() % static_cast<unsigned>(n)); };
  LUnitControl source;
  source.SetPresetNameText("Conference");
  for (int ch = 0; ch < 8; ++ch) {
    source.SetGain(ch, pick(401));
    source.SetMicGain(ch, static_cast<std::uint8_t>(1 + pick(51)));
    source.SetPhantom(ch, static_cast<std::uint8_t>(pick(2)));
    source.SetGate(ch, GateRecord{pick(3000), pick(3000), pick(181)});
    source.SetHighPass(ch, pick(21), pick(301));
    source.SetMute(ch, static_cast<std::uint8_t>(pick(2)));
    for (int b = 0; b < 5; ++b)
      source.SetPeqBand(ch, b, PeqBandRecord{pick(241), pick(301), static_cast<std::uint8_t>(pick(101)), 3},
                        static_cast<std::uint8_t>(pick(2)));
  }
  for (int ch = 8; ch < 16; ++ch) {
    source.SetDelay(ch, pick(20000));
    source.SetMatrix(ch, pick(512));
    source.SetComp(ch, CompRecord{pick(16), pick(100), pick(1000), pick(200)});
    source.SetChannelName(ch, "Zone" + std::to_string(ch - 7));
    source.SetPeqBand(ch, 6, PeqBandRecord{pick(241), pick(301), 7, 1}, 1);
  }
  source.SetMatrix(18, 0x00F3);
  source.SetEchoWords(EchoRecord{1, 2, 3, 4});
  source.SetSubCtrl(1, SubCtrlRecord{77, 1, 0x0F0F});

  const ByteVector serialized = source.SerializePreset();
  const ByteVector stream(serialized.begin() + 16, serialized.end());
  SimDevice device;
  const auto commands = BuildPresetCommands(source.GetImage(), stream[519], 1);
  ASSERT_EQ(commands.size(), 284u);
  for (const LCmd& c : commands) ASSERT_EQ(Ask(device, c).Code, 0x01);
  EXPECT_EQ(Ask(device, Cmd(0x40)).Code, 0x40);

  const auto& want = source.GetImage().Bytes;
  const auto got = device.Image().Bytes;
  for (std::size_t offset = 2; offset < SubCtrl1 + 4; ++offset)
    EXPECT_EQ(got[offset], want[offset]) << "image offset " << offset;
}

TEST(SimDevice, StoreNameThenNumberAndRecallBringTheSetBack) {
  SimDevice device;
  Ask(device, CM_MCS_GAIN(1, 0, 321));
  EXPECT_EQ(Ask(device, CM_MCS_PRESETNAME(1, std::string_view("Stage         "))).Code, 0x01);
  EXPECT_EQ(Ask(device, Cmd(0x21, {5})).Code, 0x01);
  EXPECT_EQ(Ask(device, Cmd(0x12)).Code, 0x01);
  EXPECT_TRUE(device.IsStored(5));
  EXPECT_EQ(device.StoredPresetName(5), "Stage         ");
  EXPECT_EQ(Ask(device, Cmd(0x22)).Payload[4], 0xFF);
  EXPECT_EQ(Ask(device, Cmd(0x29, {4})).Payload,
            (ByteVector{4, 'S', 't', 'a', 'g', 'e', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '}));

  Ask(device, CM_MCS_GAIN(1, 0, 10));
  EXPECT_EQ(Ask(device, Cmd(0x20, {5})).Code, 0x01);
  EXPECT_EQ(device.Gain(0), 321);
  EXPECT_EQ(Ask(device, Cmd(0x14)).Payload, ByteVector{5});

  // The factory set, and a slot never written changes nothing.
  EXPECT_EQ(Ask(device, Cmd(0x20, {0})).Code, 0x01);
  EXPECT_EQ(device.Image().Bytes, DefaultPresetImage().Bytes);
  Ask(device, CM_MCS_GAIN(1, 0, 99));
  Ask(device, Cmd(0x20, {9}));
  EXPECT_EQ(device.Gain(0), 99);
  EXPECT_EQ(Ask(device, Cmd(0x14)).Payload, ByteVector{0});
}

TEST(SimDevice, UnitFileUploadAndDownloadCarryEveryStoredSlot) {
  // Upload from a device with slots 3 and 17 stored, as the editor reads them.
  SimDevice source;
  source.StorePreset(3, RandomImage(3));
  source.StorePreset(17, RandomImage(17));
  LUnitControl unit;
  ASSERT_TRUE(unit.SetStoredFlags(Ask(source, Cmd(0x22)).Payload));
  const LCmd info = Ask(source, CM_MCS_READ_EEPROM(1, 0, 19));
  ASSERT_EQ(info.Code, 0x19);
  ASSERT_TRUE(unit.SetDeviceInfo(info.Payload));
  for (int slot : {3, 17}) {
    ASSERT_EQ(Ask(source, Cmd(0x24, {static_cast<std::uint8_t>(slot)})).Code, 0x01);
    for (std::uint8_t k = 0; k < 26; ++k) {
      const LCmd packet = Ask(source, Cmd(0x28, {k}));
      ASSERT_EQ(packet.Code, 0x28);
      ASSERT_TRUE(unit.StoreSlotPacket(slot, packet.Payload));
    }
  }
  const ByteVector file = BuildUnitFile(unit);
  ASSERT_EQ(file.size(), UnitFileSize);

  // Download into another device, block by block.
  UnitFileImage image;
  ASSERT_EQ(ParseUnitFile(file, image), FileStatus::Ok);
  sim::SimConfig otherConfig;
  otherConfig.Info.fill(0);
  SimDevice target(otherConfig);
  target.StorePreset(9, RandomImage(9));  // the factory reset must clear it
  EXPECT_EQ(Ask(target, Cmd(0x23)).Code, 0x01);
  EXPECT_EQ(Ask(target, CM_MCS_WRITE_EEPROM(1, 1, 18, std::span(image.Info).subspan(1))).Code, 0x01);
  for (int entry = 0; entry < 21; ++entry) {
    if (!IsStoredEntry(image.Entries[static_cast<std::size_t>(entry)])) continue;
    for (int block = 0; block < DownloadBlockCount; ++block) {
      const LCmd reply =
          Ask(target, BuildDownloadBlock(1, image.Entries[static_cast<std::size_t>(entry)], entry, block));
      ASSERT_EQ(reply.Code, 0x25);
      EXPECT_EQ(reply.Payload, ByteVector{static_cast<std::uint8_t>(block)});
    }
  }
  EXPECT_EQ(Ask(target, CM_MCS_MCU_RESET(1)).Code, 0x01);
  EXPECT_EQ(target.Restarts(), 1);
  EXPECT_EQ(target.FactoryResets(), 1);

  for (int slot = 1; slot <= 21; ++slot) EXPECT_EQ(target.IsStored(slot), slot == 3 || slot == 17) << slot;
  for (int slot : {3, 17}) {
    // A download carries the stream up to the second sub-control record.
    const auto& a = source.StoredStream(slot);
    const auto& b = target.StoredStream(slot);
    EXPECT_TRUE(std::equal(a.begin(), a.begin() + 1262, b.begin())) << slot;
  }
  const sim::InfoBlock want = source.Info();
  const sim::InfoBlock got = target.Info();
  EXPECT_EQ(got[0], 0);  // byte 0 is never written back
  EXPECT_TRUE(std::equal(want.begin() + 1, want.end(), got.begin() + 1));
}

TEST(SimDevice, UserLockAsksForThePassword) {
  sim::SimConfig config;
  config.UserLock = true;
  config.Password = "1234";
  SimDevice device(config);
  EXPECT_EQ(Ask(device, Cmd(0x2C)).Payload.at(5), 1);
  EXPECT_EQ(Ask(device, CM_MCS_PASS_SUBMIT(1, 0, "9999")).Payload, (ByteVector{0, 0}));
  EXPECT_FALSE(device.Unlocked());
  EXPECT_EQ(Ask(device, CM_MCS_PASS_SUBMIT(1, 0, "1234")).Payload, (ByteVector{0, 1}));
  EXPECT_TRUE(device.Unlocked());

  // A new password locks the device again after its restart.
  EXPECT_EQ(Ask(device, CM_MCS_SET_LOCK(1, "5937")).Code, 0x01);
  Ask(device, CM_MCS_MCU_RESET(1));
  EXPECT_FALSE(device.Unlocked());
  EXPECT_EQ(Ask(device, CM_MCS_PASS_SUBMIT(1, 0, "1234")).Payload, (ByteVector{0, 0}));
  EXPECT_EQ(Ask(device, CM_MCS_PASS_SUBMIT(1, 0, "5937")).Payload, (ByteVector{0, 1}));
}

TEST(SimDevice, LevelReplyEncodesTheUpperBytesOfEachFloat) {
  SimDevice device;
  sim::SimLevels levels;
  levels.Values[0] = 0.5f;   // 0x3F000000
  levels.Values[16] = 1.0f;  // 0x3F800000
  levels.LimitFlags = 0x04;
  levels.Status = 0x31;
  device.SetLevels(levels);
  const LCmd reply = Ask(device, Cmd(0x40));
  ASSERT_EQ(reply.Payload.size(), 55u);
  EXPECT_EQ(ByteVector(reply.Payload.begin(), reply.Payload.begin() + 3), (ByteVector{0x00, 0x3F, 0x00}));
  EXPECT_EQ(ByteVector(reply.Payload.begin() + 48, reply.Payload.begin() + 51),
            (ByteVector{0x80, 0x3F, 0x00}));
  EXPECT_EQ(reply.Payload[51], 0x04);
  EXPECT_EQ(reply.Payload[54], 0x31);
  EXPECT_EQ(Ask(device, Cmd(0x40)).Payload, reply.Payload);  // fixed levels stay

  SimDevice moving;
  EXPECT_NE(Ask(moving, Cmd(0x40)).Payload, Ask(moving, Cmd(0x40)).Payload);
}

TEST(SimDevice, IgnoresItsOwnRepliesWrittenBackAndDamagedFrames) {
  SimDevice device;
  const LCmd ack = Ask(device, Cmd(0x12));
  EXPECT_TRUE(device.Handle(sim::BuildReplyFrame(ack)).empty());  // a reply echoed by the serial link

  ByteVector badCheck = BuildFrame(Cmd(0x10), 1);
  badCheck.back() ^= 0x01;
  EXPECT_TRUE(device.Handle(badCheck).empty());
  ByteVector badTrailer = BuildFrame(Cmd(0x10), 1);
  badTrailer[badTrailer.size() - 2] = 0x04;
  EXPECT_TRUE(device.Handle(badTrailer).empty());

  // The reply carries the device's ID at index 2, where the editor reads it.
  sim::SimConfig config;
  config.DeviceId = 7;
  SimDevice seven(config);
  const auto frame = sim::BuildReplyFrame(Ask(seven, Cmd(0x10, {}, 1)));
  EXPECT_EQ(frame, (ByteVector{0x10, 0x02, 0x07, 0x00, 0x01, 0x10, 0x10, 0x03, 0x17}));
  EXPECT_EQ(ParseFrame(frame).DeviceId, 7);
  // A new ID answers from then on.
  EXPECT_EQ(Ask(seven, Cmd(0xBB, {9}, 9)).DeviceId, 9);
}

TEST(SimDevice, LoadsPresetAndUnitFiles) {
  LUnitControl source;
  source.SetGain(3, 123);
  source.SetPresetNameText("From File");
  SimDevice device;
  EXPECT_TRUE(device.LoadPresetFile(BuildPresetFile(source)));
  EXPECT_EQ(device.Gain(3), 123);
  EXPECT_EQ(ReadBack(device)->GetPresetName(), "From File");
  ByteVector truncated = BuildPresetFile(source);
  truncated.pop_back();
  EXPECT_FALSE(device.LoadPresetFile(truncated));

  LUnitControl unit;
  ByteVector flags(21, 0);
  flags[1] = 0xFF;
  unit.SetStoredFlags(flags);
  SimDevice stored;
  stored.StorePreset(2, RandomImage(2));
  Ask(stored, Cmd(0x24, {2}));
  for (std::uint8_t k = 0; k < 26; ++k) unit.StoreSlotPacket(2, Ask(stored, Cmd(0x28, {k})).Payload);
  // The least a download takes is the magic, the block and 21 entries
  // without their line ends.
  ByteVector unitFile = BuildUnitFile(unit);
  ASSERT_GT(unitFile.size(), 26747u);
  EXPECT_FALSE(device.LoadUnitFile(ByteVector(unitFile.begin(), unitFile.begin() + 26746)));
  unitFile[3] = '-';
  EXPECT_FALSE(device.LoadUnitFile(unitFile));
  unitFile[3] = '*';
  EXPECT_TRUE(device.LoadUnitFile(ByteVector(unitFile.begin(), unitFile.begin() + 26747)));
  EXPECT_TRUE(device.LoadUnitFile(unitFile));
  EXPECT_TRUE(device.IsStored(2));
  EXPECT_FALSE(device.IsStored(1));
  EXPECT_EQ(device.StoredPreset(2).Bytes[100], RandomImage(2).Bytes[100]);
}

}  // namespace

namespace {

TEST(SimDevice, AnyPayloadLengthForAnyCommandGetsOneReplyAndReadsNothingPastIt) {
  // Every code of the table and some that are none, each with payloads
  // from empty to past its row, random bytes: the device reads within the
  // payload (the sanitizers watch) and answers once.
  std::mt19937 rng(5);
  std::vector<std::uint8_t> codes = {0x00, 0x01, 0x13, 0x41, 0x77, 0xFF};
  for (const CommandInfo& row : CommandTable) codes.push_back(row.Code);
  for (std::uint8_t code : codes) {
    for (std::size_t length = 0; length <= 60; ++length) {
      ByteVector payload(length);
      for (auto& b : payload) b = static_cast<std::uint8_t>(rng());
      SimDevice device;
      const auto replies = device.Handle(BuildFrame(Cmd(code, payload), 1));
      ASSERT_EQ(replies.size(), 1u) << "code " << int(code) << ", " << length << " bytes";
    }
  }
}

}  // namespace
