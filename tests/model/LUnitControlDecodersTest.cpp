#include "model/LUnitControl.h"
#include "model/PresetCommands.h"

#include "ModelTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

// The stream of an image as the device sends it: image offsets 2..520, a
// filler, 521, a filler, 522, a filler, 523, a filler, then 524..1271.
Bytes StreamOf(const Bytes& image, std::uint8_t filler) {
  Bytes s(image.begin() + 2, image.begin() + 521);
  for (std::size_t off : {521u, 522u, 523u}) {
    s.push_back(filler);
    s.push_back(image[off]);
  }
  s.push_back(filler);
  s.insert(s.end(), image.begin() + 524, image.end());
  return s;
}

// Cuts staged bytes into packet payloads: packet number, then 50 data bytes.
std::vector<Bytes> Packets(const Bytes& staged) {
  std::vector<Bytes> packets;
  for (std::size_t k = 0; k * 50 < staged.size(); ++k) {
    Bytes p{static_cast<std::uint8_t>(k)};
    const std::size_t end = std::min(staged.size(), (k + 1) * 50);
    p.insert(p.end(), staged.begin() + static_cast<std::ptrdiff_t>(k * 50),
             staged.begin() + static_cast<std::ptrdiff_t>(end));
    packets.push_back(p);
  }
  return packets;
}

Bytes StateStaged(const Bytes& image, std::uint8_t filler) {
  Bytes staged{0xA5, 0x5A};  // two header bytes the decoder skips
  const Bytes stream = StreamOf(image, filler);
  staged.insert(staged.end(), stream.begin(), stream.end());
  return staged;
}

Bytes RandomImage(unsigned seed) {
  std::mt19937 rng(seed);
  Bytes image = RandomBytes(rng, 1272);
  image[0] = image[1] = 0;
  return image;
}

void Feed(LUnitControl& unit, const std::vector<Bytes>& packets) {
  for (const Bytes& p : packets) ASSERT_TRUE(unit.StoreStatePacket(p));
}

TEST(StatePackets, WholeStreamDecodesIntoEveryField) {
  const Bytes img = RandomImage(1);
  LUnitControl unit;
  const std::vector<Bytes> packets = Packets(StateStaged(img, 0xEE));
  ASSERT_EQ(packets.size(), 26u);
  for (std::size_t k = 0; k + 1 < packets.size(); ++k) unit.StoreStatePacket(packets[k]);
  EXPECT_EQ(unit.GetImage(), DefaultPresetImage()) << "nothing is decoded before packet 25";
  unit.StoreStatePacket(packets.back());

  const std::uint8_t* b = img.data();
  const auto w = [&](std::size_t off) { return WordAt(b, off); };
  EXPECT_EQ(unit.GetPresetNameBytes()[0], b[2]);
  EXPECT_EQ(unit.GetPresetNameBytes()[13], b[15]);
  for (int n = 0; n < 8; ++n) {
    SCOPED_TRACE(n);
    const std::size_t in = 16 + 62 * n;
    EXPECT_EQ(unit.GetChannelNameBytes(n)[7], b[in + 7]);
    EXPECT_EQ(unit.GetPhantom(n), b[in + 8] != 0);
    EXPECT_EQ(unit.GetMicGain(n), b[in + 9]);
    EXPECT_EQ(unit.GetFeedbackLevel(n), w(in + 10));
    EXPECT_EQ(unit.GetGate(n).Attack, w(in + 12));
    EXPECT_EQ(unit.GetGate(n).Threshold, w(in + 16));
    for (int band = 0; band < 5; ++band) {
      EXPECT_EQ(unit.GetPeqBand(n, band).Gain, w(in + 18 + 6 * band));
      EXPECT_EQ(unit.GetPeqBand(n, band).Type, b[in + 18 + 6 * band + 5]);
    }
    EXPECT_EQ(unit.GetPassFilters(n), (PassFilters{w(in + 48), w(in + 50), w(in + 52), w(in + 54)}));
    EXPECT_EQ(unit.GetGain(n), w(in + 56));
    EXPECT_EQ(unit.GetPolarity(n), w(in + 58) != 0);
    EXPECT_EQ(unit.GetLinkMask(n), w(in + 60));
    EXPECT_EQ(unit.GetMute(n), ((w(1210) >> n) & 1) != 0);
    EXPECT_EQ(unit.GetPeqBypass(n, 3), ((w(1216 + 2 * n) >> 3) & 1) != 0);

    const int ch = 8 + n;
    const std::size_t out = 602 + 76 * n;
    EXPECT_EQ(unit.GetChannelNameBytes(ch)[0], b[out]);
    EXPECT_EQ(unit.GetMatrix(ch), w(out + 8));
    EXPECT_EQ(unit.GetPassFilters(ch), (PassFilters{w(out + 10), w(out + 12), w(out + 14), w(out + 16)}));
    EXPECT_EQ(unit.GetPeqBand(ch, 6).Freq, w(out + 18 + 36 + 2));
    EXPECT_EQ(unit.GetComp(ch).Ratio, w(out + 60));
    EXPECT_EQ(unit.GetComp(ch).Threshold, w(out + 66));
    EXPECT_EQ(unit.GetGain(ch), w(out + 68));
    EXPECT_EQ(unit.GetPolarity(ch), w(out + 70) != 0);
    EXPECT_EQ(unit.GetDelay(ch), w(out + 72));
    EXPECT_EQ(unit.GetLinkMask(ch), w(out + 74));
    EXPECT_EQ(unit.GetMute(ch), ((w(1214) >> n) & 1) != 0);
    EXPECT_EQ(unit.GetPeqBypass(ch, 5), ((w(1216 + 2 * (9 + n)) >> 5) & 1) != 0);
  }
  EXPECT_EQ(unit.GetChannelNameBytes(18)[0], b[512]);
  EXPECT_EQ(unit.GetMatrix(18), b[520]);
  EXPECT_EQ(unit.GetEffectOn(), b[521]);
  EXPECT_EQ(unit.GetEffectVolume(), b[522]);
  EXPECT_EQ(unit.GetCameraDefault(), b[523]);
  EXPECT_EQ(unit.GetAutoMixSlope(), w(524));
  EXPECT_EQ(unit.GetAutoMixGate().Attack, w(526));
  EXPECT_EQ(unit.GetAutoMixGate().Reserved, w(534));
  EXPECT_EQ(unit.GetCameraGate().InputMask, w(542));
  EXPECT_EQ(unit.GetPeqBand(18, 0).Freq, w(548));
  EXPECT_EQ(unit.GetEchoWords().PreDelay, w(576));
  EXPECT_EQ(unit.GetReverbWords().Gain, w(590));
  EXPECT_EQ(unit.GetComp(18).Release, w(596));
  EXPECT_EQ(unit.GetGain(18), w(600));
  EXPECT_EQ(unit.GetMute(18), w(1212) != 0);
  EXPECT_EQ(unit.GetPeqBypass(18, 1), ((w(1232) >> 1) & 1) != 0);
  EXPECT_EQ(unit.GetSubCtrl(0).ChannelMask, w(1252));
  EXPECT_EQ(unit.GetSubCtrl(1).Volume, b[1254]);
  EXPECT_EQ(unit.GetTestSignal(), w(1258));
  EXPECT_EQ(unit.GetSineFreqIndex(), w(1260));
  EXPECT_EQ(unit.GetDelayUnit(), w(1262));
  EXPECT_EQ(unit.GetMemorizeMode(), w(1264));
  EXPECT_EQ(unit.GetEqBypassMask(3), w(1266));
  EXPECT_EQ(unit.GetEqBypassMask(18), w(1268));
  EXPECT_EQ(unit.GetEqBypassMask(12), w(1270));
  EXPECT_TRUE(std::equal(img.begin(), img.end(), unit.GetImage().Bytes.begin()));
}

TEST(StatePackets, FillerBytesAndPacketsPastTheEndChangeNothing) {
  const Bytes img = RandomImage(2);
  LUnitControl zeros, fillers;
  Feed(zeros, Packets(StateStaged(img, 0x00)));
  std::vector<Bytes> packets = Packets(StateStaged(img, 0xFF));
  // A full-length last packet reaches past the staging area; the tail is dropped.
  packets.back().resize(51, 0x77);
  Feed(fillers, packets);
  EXPECT_EQ(zeros.GetImage(), fillers.GetImage());

  // A packet numbered past the end writes nothing but still ends the upload.
  Bytes late(51, 0x99);
  late[0] = 200;
  EXPECT_TRUE(fillers.StoreStatePacket(late));
  EXPECT_EQ(zeros.GetImage(), fillers.GetImage());

  // Out of order and repeated packets: the last data of a number wins.
  Bytes again = packets[1];
  again[5] = static_cast<std::uint8_t>(again[5] ^ 0xFF);
  fillers.StoreStatePacket(again);
  fillers.StoreStatePacket(packets[25]);
  EXPECT_EQ(fillers.GetImage().Bytes[54], again[5]);  // staged 54 = stream 52 = image 54

  EXPECT_FALSE(fillers.StoreStatePacket(Bytes{}));
}

TEST(SlotPackets, FillTheSlotAfterTheLastPacketAndIgnoreSlotsOutOfRange) {
  std::mt19937 rng(3);
  const Bytes staged = RandomBytes(rng, 1276);
  LUnitControl unit;
  for (const Bytes& p : Packets(staged)) ASSERT_TRUE(unit.StoreSlotPacket(4, p));
  const StoredSlot& slot = *unit.GetStoredSlot(4);
  EXPECT_EQ(slot[0], 4);
  EXPECT_TRUE(std::equal(staged.begin(), staged.begin() + 1272, slot.begin() + 1));
  EXPECT_EQ(unit.GetImage(), DefaultPresetImage()) << "slot packets never touch the current set";

  for (int bad : {0, 22, -1, 255}) {
    for (const Bytes& p : Packets(RandomBytes(rng, 1276))) unit.StoreSlotPacket(bad, p);
  }
  for (int s = 1; s <= 21; ++s) EXPECT_EQ((*unit.GetStoredSlot(s))[0], s == 4 ? 4 : 0) << "slot " << s;
  EXPECT_EQ(*unit.GetStoredSlot(4), slot);
}

TEST(Decoders, StoredFlagsAndShortPayloads) {
  LUnitControl unit;
  Bytes flags(21, 0);
  flags[3] = 0xFF;
  flags[5] = 0x01;  // only 0xFF marks a stored preset
  EXPECT_TRUE(unit.SetStoredFlags(flags));
  for (int i = 0; i < 21; ++i) EXPECT_EQ(unit.IsPresetStored(i), i == 3) << i;

  Bytes all(21, 0xFF);
  unit.SetStoredFlags(all);
  const Bytes shortFlags{0, 0xFF, 0};
  EXPECT_FALSE(unit.SetStoredFlags(shortFlags));
  EXPECT_FALSE(unit.IsPresetStored(0));
  EXPECT_TRUE(unit.IsPresetStored(1));
  EXPECT_FALSE(unit.IsPresetStored(2));
  EXPECT_TRUE(unit.IsPresetStored(3)) << "bytes past the payload keep their flags";
  unit.SetPresetStored(21);  // out of range: ignored
  unit.SetPresetStored(-1);

  const Bytes name{'S', 't', 'a', 'g', 'e'};
  EXPECT_FALSE(unit.SetPresetName(name));
  EXPECT_EQ(unit.GetPresetName(), "Stagelt Preset");

  Bytes groups(7);
  for (std::size_t i = 0; i < groups.size(); ++i) groups[i] = static_cast<std::uint8_t>(i + 1);
  EXPECT_FALSE(unit.SetGroupCtrlRecords(groups));
  EXPECT_EQ(unit.GetGroupCtrl(1).ChannelMask, 6);
  EXPECT_EQ(unit.GetGroupCtrl(2).Volume, 7);
  EXPECT_EQ(unit.GetGroupCtrl(2).Mute, 0);
  EXPECT_EQ(unit.GetGroupCtrl(3).Volume, 100);
  groups.resize(24, 0x42);
  EXPECT_TRUE(unit.SetGroupCtrlRecords(groups));
  EXPECT_EQ(unit.GetGroupCtrl(7).ChannelMask, 0x42);

  Bytes info(25);
  for (std::size_t i = 0; i < info.size(); ++i) info[i] = static_cast<std::uint8_t>(0x80 + i);
  EXPECT_TRUE(unit.SetDeviceInfo(info));
  EXPECT_EQ(unit.GetDeviceInfo()[18], 0x80 + 18);
  EXPECT_FALSE(unit.SetDeviceInfo(Bytes{1, 2}));
  EXPECT_EQ(unit.GetDeviceInfo()[1], 2);
  EXPECT_EQ(unit.GetDeviceInfo()[2], 0x82);
}

TEST(Decoders, PresetListRows) {
  RecordingOwner owner;
  LUnitControl unit(&owner);
  unit.ResetPresetLists();
  EXPECT_EQ(owner.RecallRows.size(), 21u);
  EXPECT_EQ(owner.RecallRows.count(0), 0u) << "F00 keeps its row";
  EXPECT_EQ(owner.RecallRows[21], "Default Preset");
  EXPECT_EQ(owner.StoreRows.size(), 21u);
  EXPECT_EQ(owner.StoreRows[0], "Default Preset");

  Bytes reply{4, 'V', 'o', 'x', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_TRUE(unit.SetStoredPresetName(5, reply));
  EXPECT_EQ(owner.RecallRows[5], "Vox           ");
  EXPECT_EQ(owner.StoreRows[4], "Vox           ");

  reply.pop_back();
  reply[1] = 'X';
  EXPECT_FALSE(unit.SetStoredPresetName(6, reply));
  EXPECT_EQ(owner.RecallRows[6], "Default Preset");
  EXPECT_EQ(unit.GetPresetName(), "Default Preset") << "the model is not written";
}

TEST(Serialising, FreshModelSerialisesMagicNameAndFirstInput) {
  LUnitControl unit;
  const ByteVector s = unit.SerializePreset();
  ASSERT_EQ(s.size(), 16u + 1260u);
  EXPECT_EQ(std::string(s.begin(), s.begin() + 16), "****TAVOV013****");
  EXPECT_EQ(std::string(s.begin() + 16, s.begin() + 30), "Default Preset");
  EXPECT_EQ(std::string(s.begin() + 30, s.begin() + 33), "In1");
  EXPECT_EQ(s[16 + 519], 0);
  EXPECT_EQ(s[16 + 522], 55);  // effect volume
}

TEST(Serialising, LoadingTheSerialisedSetRestoresItAndSends284AppendedCommands) {
  const Bytes img = RandomImage(4);
  LUnitControl source;
  Feed(source, Packets(StateStaged(img, 0)));
  const ByteVector s = source.SerializePreset();

  RecordingOwner owner;
  owner.Refreshing = true;  // a file load sends whatever the window is doing
  LUnitControl target(&owner);
  const PresetImage before = target.GetImage();
  ASSERT_TRUE(target.LoadPresetAndSend(std::span<const std::uint8_t>(s).subspan(16)));

  // Values out of the range their commands carry come in as they are sent.
  PresetImage expected;
  std::copy(img.begin(), img.end(), expected.Bytes.begin());
  BringIntoSentRange(expected);
  for (std::size_t off = 2; off <= 1257; ++off)
    ASSERT_EQ(target.GetImage().Bytes[off], expected.Bytes[off]) << "offset " << off;
  EXPECT_EQ(target.GetImage().Word(PresetLayout::InputBlock(3) + PresetLayout::InPolarity),
            img[PresetLayout::InputBlock(3) + PresetLayout::InPolarity] != 0 ||
                    img[PresetLayout::InputBlock(3) + PresetLayout::InPolarity + 1] != 0
                ? 1
                : 0);
  for (std::size_t off : {0u, 1u, 1258u, 1262u, 1264u, 1266u, 1268u, 1270u, 1271u})
    EXPECT_EQ(target.GetImage().Bytes[off], before.Bytes[off]) << "offset " << off;

  ASSERT_EQ(owner.Sent.size(), 284u);
  for (const SentCommand& c : owner.Sent) {
    EXPECT_TRUE(c.Append);
    EXPECT_EQ(c.Command.DeviceId, 7);
  }
  EXPECT_EQ(owner.Sent.front().Command.Code, 0x26);
  EXPECT_EQ(owner.Sent.back().Command.Code, 0x5B);
  EXPECT_EQ(owner.Sent.back().Command.Payload.at(0), 1);
}

TEST(Serialising, ShortLoadChangesAndSendsNothing) {
  RecordingOwner owner;
  LUnitControl unit(&owner);
  const Bytes body(1259, 0x33);
  EXPECT_FALSE(unit.LoadPresetAndSend(body));
  EXPECT_EQ(unit.GetImage(), DefaultPresetImage());
  EXPECT_TRUE(owner.Sent.empty());
}

TEST(PresetCommandOrder, CodesAndPayloadsFollowTheDeviceOrder) {
  const Bytes img = RandomImage(5);
  LUnitControl unit;
  Feed(unit, Packets(StateStaged(img, 0)));
  const std::vector<LCmd> cmds = BuildPresetCommands(unit.GetImage(), 0x01, 9);
  ASSERT_EQ(cmds.size(), 284u);

  std::vector<std::uint8_t> expectedCodes{0x26};
  for (int n = 0; n < 8; ++n)
    expectedCodes.insert(expectedCodes.end(), {0x3D, 0x56, 0x55, 0x61, 0x3E, 0x32, 0x31, 0x34, 0x36, 0x3B});
  expectedCodes.insert(expectedCodes.end(),
                       {0x3D, 0x3A, 0x63, 0x57, 0x5A, 0x64, 0x64, 0x62, 0x60, 0x30, 0x34});
  for (int n = 0; n < 8; ++n)
    expectedCodes.insert(expectedCodes.end(), {0x3D, 0x3A, 0x32, 0x31, 0x30, 0x34, 0x36, 0x38, 0x3B});
  expectedCodes.insert(expectedCodes.end(), 17, 0x35);
  expectedCodes.insert(expectedCodes.end(), 101, 0x33);
  expectedCodes.insert(expectedCodes.end(), 2, 0x5B);
  std::vector<std::uint8_t> codes;
  for (const LCmd& c : cmds) codes.push_back(c.Code);
  EXPECT_EQ(codes, expectedCodes);

  const std::uint8_t* b = img.data();
  const auto lo = [&](std::size_t off) { return b[off]; };
  const auto hi = [&](std::size_t off) { return b[off + 1]; };
  // Input 2: feedback low byte, high-pass frequency and slope low byte, link mask low byte.
  const std::size_t in2 = 16 + 62 * 2;
  EXPECT_EQ(cmds[1 + 20 + 3].Payload, (Bytes{2, lo(in2 + 10)}));
  EXPECT_EQ(cmds[1 + 20 + 5].Payload, (Bytes{2, lo(in2 + 50), hi(in2 + 50), lo(in2 + 48)}));
  EXPECT_EQ(cmds[1 + 20 + 8].Payload,
            (Bytes{2, static_cast<std::uint8_t>((lo(in2 + 58) | hi(in2 + 58)) ? 1 : 0)}));
  EXPECT_EQ(cmds[1 + 20 + 9].Payload, (Bytes{2, lo(in2 + 60)}));
  // Effect bus: the route byte with the stream byte after it as high byte.
  EXPECT_EQ(cmds[82].Payload, (Bytes{18, b[520], 0x01}));
  EXPECT_EQ(cmds[83].Payload, (Bytes{b[521], b[522]}));
  EXPECT_EQ(cmds[85].Payload, (Bytes{b[524]}));
  EXPECT_EQ(cmds[87].Payload.at(0), 19);
  // Output 8 (first output) delay; mutes; a band with its bypass bit.
  const std::size_t out1 = 602 + 76;
  EXPECT_EQ(cmds[92 + 9 + 7].Payload, (Bytes{9, lo(out1 + 72), hi(out1 + 72)}));
  EXPECT_EQ(cmds[164 + 3].Payload, (Bytes{3, static_cast<std::uint8_t>((b[1210] >> 3) & 1)}));
  EXPECT_EQ(cmds[164 + 8].Payload, (Bytes{18, b[1212]}));
  EXPECT_EQ(cmds[164 + 16].Payload, (Bytes{15, static_cast<std::uint8_t>((b[1214] >> 7) & 1)}));
  const LCmd& outBand = cmds[181 + 40 + 5 + 7 * 1 + 6];  // channel 9, band 6
  EXPECT_EQ(outBand.Payload.at(0), 9);
  EXPECT_EQ(outBand.Payload.at(1), 6);
  EXPECT_EQ(outBand.Payload.at(8), (WordAt(b, 1216 + 2 * 10) >> 6) & 1);
  EXPECT_EQ(cmds[283].Payload, (Bytes{1, b[1254], b[1255], b[1256], b[1257]}));
}

TEST(ChannelCopy, InputsTakeEverythingButTheName) {
  RecordingOwner owner;
  owner.Refreshing = true;
  LUnitControl unit(&owner);
  unit.SetGain(1, 333);
  unit.SetGate(1, GateRecord{1, 2, 3});
  unit.SetPeqBand(1, 2, PeqBandRecord{10, 20, 30, 4}, 1);
  unit.SetMute(1, 1);
  unit.SetEqBypassMask(1, 0x0002);
  unit.SetLinkMask(1, 0x0003);
  unit.SetPhantom(1, 1);
  unit.SetChannelName(1, "Src");
  unit.SetMute(4, 0);
  owner.Sent.clear();

  unit.CopyChannel(1, 4);
  EXPECT_EQ(unit.GetGain(4), 333);
  EXPECT_EQ(unit.GetGate(4).Threshold, 3);
  EXPECT_EQ(unit.GetPeqBand(4, 2).Q, 30);
  EXPECT_TRUE(unit.GetPeqBypass(4, 2));
  EXPECT_TRUE(unit.GetMute(4));
  EXPECT_EQ(unit.GetEqBypassMask(4), 0x0012);
  EXPECT_EQ(unit.GetLinkMask(4), 0x0003) << "an input copy carries the link mask";
  EXPECT_TRUE(unit.GetPhantom(4));
  EXPECT_EQ(unit.GetChannelName(4), "In5");
  EXPECT_TRUE(owner.Sent.empty());

  unit.SetMute(2, 0);
  unit.CopyChannel(2, 4);  // clears bits too
  EXPECT_FALSE(unit.GetMute(4));
  EXPECT_EQ(unit.GetEqBypassMask(4), 0x0002);
}

TEST(ChannelCopy, OutputsKeepNameRoutingAndLinkMask) {
  LUnitControl unit;
  RecordingOwner owner;
  unit.SetOwner(&owner);
  unit.SetDelay(8, 960);
  unit.SetComp(8, CompRecord{3, 4, 5, 6});
  unit.SetLinkMask(8, 0x0003);
  unit.SetMatrix(8, 0x0100);
  unit.SetMute(8, 1);
  unit.SetHighPass(8, 4, 40);

  unit.CopyChannel(8, 13);
  EXPECT_EQ(unit.GetDelay(13), 960);
  EXPECT_EQ(unit.GetComp(13).Ratio, 3);
  EXPECT_EQ(unit.GetPassFilters(13).HpFreq, 40);
  EXPECT_TRUE(unit.GetMute(13));
  EXPECT_EQ(unit.GetLinkMask(13), 1u << 5);
  EXPECT_EQ(unit.GetMatrix(13), 1u << 5);
  EXPECT_EQ(unit.GetChannelName(13), "Out6");

  const PresetImage before = unit.GetImage();
  unit.CopyChannel(8, 3);   // different sides
  unit.CopyChannel(18, 9);  // the effect bus has no copy
  unit.CopyChannel(16, 17);
  EXPECT_EQ(unit.GetImage(), before);
}

}  // namespace
