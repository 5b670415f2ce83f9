#include "model/LUnitControl.h"

#include "ModelTestSupport.h"
#include "platform/sys/CodePage.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

struct CommandCase {
  const char* Name;
  std::function<void(LUnitControl&)> Call;
  std::uint8_t Code;
  Bytes Payload;
  bool Append;
  bool SentWhileRefreshing;
};

const std::vector<CommandCase>& CommandCases() {
  static const std::vector<CommandCase> cases = {
      {"gain input", [](LUnitControl& u) { u.SetGain(3, 0x0123); }, 0x34, {0x03, 0x23, 0x01}, false, false},
      {"gain effect bus",
       [](LUnitControl& u) { u.SetGain(18, 280); },
       0x34,
       {0x12, 0x18, 0x01},
       false,
       false},
      {"polarity any non-zero",
       [](LUnitControl& u) { u.SetPolarity(9, 5); },
       0x36,
       {0x09, 0x01},
       false,
       false},
      {"mute input", [](LUnitControl& u) { u.SetMute(2, 1); }, 0x35, {0x02, 0x01}, false, false},
      {"mute effect bus byte", [](LUnitControl& u) { u.SetMute(18, 3); }, 0x35, {0x12, 0x03}, false, false},
      {"delay", [](LUnitControl& u) { u.SetDelay(10, 0x0456); }, 0x38, {0x0A, 0x56, 0x04}, false, false},
      {"compressor",
       [](LUnitControl& u) {
         u.SetComp(18, CompRecord{1, 2, 3, 0x0104});
       },
       0x30,
       {0x12, 0x01, 0x00, 0x02, 0x00, 0x03, 0x00, 0x04, 0x01},
       false,
       false},
      {"gate",
       [](LUnitControl& u) {
         u.SetGate(1, GateRecord{5, 0x0306, 7});
       },
       0x3E,
       {0x01, 0x05, 0x00, 0x06, 0x03, 0x07, 0x00},
       false,
       false},
      {"feedback level", [](LUnitControl& u) { u.SetFeedbackLevel(4, 3); }, 0x61, {0x04, 0x03}, false, false},
      {"high-pass",
       [](LUnitControl& u) { u.SetHighPass(8, 0x0105, 0x012C); },
       0x32,
       {0x08, 0x2C, 0x01, 0x05},
       false,
       false},
      {"low-pass",
       [](LUnitControl& u) { u.SetLowPass(0, 7, 250); },
       0x31,
       {0x00, 0xFA, 0x00, 0x07},
       false,
       false},
      {"peq band",
       [](LUnitControl& u) {
         u.SetPeqBand(3, 2, PeqBandRecord{120, 170, 40, 0}, 0);
       },
       0x33,
       {0x03, 0x02, 0x78, 0x00, 0xAA, 0x00, 0x28, 0x00, 0x00},
       false,
       false},
      {"peq bypass byte as given",
       [](LUnitControl& u) {
         u.SetPeqBand(18, 4, PeqBandRecord{1, 2, 3, 6}, 9);
       },
       0x33,
       {0x12, 0x04, 0x01, 0x00, 0x02, 0x00, 0x03, 0x06, 0x09},
       false,
       false},
      {"matrix", [](LUnitControl& u) { u.SetMatrix(12, 0x0103); }, 0x3A, {0x0C, 0x03, 0x01}, false, false},
      {"link mask", [](LUnitControl& u) { u.SetLinkMask(5, 0x0160); }, 0x3B, {0x05, 0x60}, true, false},
      {"channel name",
       [](LUnitControl& u) { u.SetChannelName(18, "Bus"); },
       0x3D,
       {0x12, 'B', 'u', 's', 0, 0, 0, 0, 0},
       true,
       false},
      {"phantom", [](LUnitControl& u) { u.SetPhantom(6, 1); }, 0x56, {0x06, 0x01}, false, true},
      {"mic gain", [](LUnitControl& u) { u.SetMicGain(6, 30); }, 0x55, {0x06, 0x1E}, false, true},
      {"delay unit", [](LUnitControl& u) { u.SetDelayUnit(0x0102); }, 0x15, {0x02}, false, false},
      {"sub control",
       [](LUnitControl& u) {
         u.SetSubCtrl(1, SubCtrlRecord{90, 1, 0x0203});
       },
       0x5B,
       {0x01, 0x5A, 0x01, 0x03, 0x02},
       false,
       false},
      {"group control",
       [](LUnitControl& u) {
         u.SetGroupCtrl(5, GroupCtrlRecord{80, 1, 0x0F});
       },
       0x6B,
       {0x05, 0x50, 0x01, 0x0F},
       false,
       false},
      {"effect", [](LUnitControl& u) { u.SetEffect(1, 77); }, 0x63, {0x01, 0x4D}, false, false},
      {"automix gate",
       [](LUnitControl& u) {
         u.SetAutoMixGate(MixGateRecord{1, 2, 3, 4, 5});
       },
       0x64,
       {0x12, 1, 0, 2, 0, 3, 0, 4, 0, 5, 0},
       false,
       false},
      {"camera gate",
       [](LUnitControl& u) {
         u.SetCameraGate(MixGateRecord{1, 2, 3, 4, 0x0105});
       },
       0x64,
       {0x13, 1, 0, 2, 0, 3, 0, 4, 0, 5, 1},
       false,
       false},
      {"automix slope low byte",
       [](LUnitControl& u) { u.SetAutoMixSlope(0x0207); },
       0x5A,
       {0x07},
       false,
       false},
      {"camera default", [](LUnitControl& u) { u.SetCameraDefault(4); }, 0x57, {0x04}, false, false},
  };
  return cases;
}

TEST(LUnitControlSetters, EachSendsOneCommandWithItsBytesAndAppendMark) {
  for (const CommandCase& c : CommandCases()) {
    SCOPED_TRACE(c.Name);
    RecordingOwner owner;
    LUnitControl unit(&owner);
    c.Call(unit);
    ASSERT_EQ(owner.Sent.size(), 1u);
    const SentCommand& sent = owner.Sent[0];
    EXPECT_EQ(sent.Command.DeviceId, 7);
    EXPECT_EQ(sent.Command.Code, c.Code);
    EXPECT_EQ(sent.Command.Payload, c.Payload);
    EXPECT_EQ(sent.Append, c.Append);
  }
}

TEST(LUnitControlSetters, WhileRefreshingOnlyPhantomAndMicGainSendButAllStore) {
  for (const CommandCase& c : CommandCases()) {
    SCOPED_TRACE(c.Name);
    RecordingOwner quiet;
    LUnitControl stored(&quiet);
    quiet.Refreshing = true;
    c.Call(stored);
    EXPECT_EQ(quiet.Sent.size(), c.SentWhileRefreshing ? 1u : 0u);

    RecordingOwner live;
    LUnitControl reference(&live);
    c.Call(reference);
    EXPECT_EQ(stored.GetImage(), reference.GetImage());
    EXPECT_EQ(stored.GetGroupCtrl(5).Volume, reference.GetGroupCtrl(5).Volume);
  }
}

TEST(LUnitControlSetters, WithoutOwnerTheyStoreAndSendNothing) {
  LUnitControl unit;
  unit.SetGain(2, 99);
  unit.SetPhantom(2, 1);
  EXPECT_EQ(unit.GetGain(2), 99);
  EXPECT_TRUE(unit.GetPhantom(2));
}

// Inputs: 0 holds {0,1,2}; 1 and 2 lack their own bits; 3 stands alone.
// Outputs: 9 holds {9,10}; 10 lacks its own bit; 8 and 11 stand alone.
class LinkedModel : public ::testing::Test {
 protected:
  void SetUp() override {
    Owner.Refreshing = true;
    Unit.SetLinkMask(0, 0x0007);
    Unit.SetLinkMask(1, 0x0000);
    Unit.SetLinkMask(2, 0x0000);
    Unit.SetLinkMask(9, 0x0006);
    Unit.SetLinkMask(10, 0x0000);
    Owner.Refreshing = false;
    Owner.Sent.clear();
  }
  RecordingOwner Owner;
  LUnitControl Unit{&Owner};
};

struct GroupCase {
  const char* Name;
  int Edited;
  std::function<void(LUnitControl&, int)> Call;
  std::function<long long(const LUnitControl&, int)> Read;
  long long Value;
  std::vector<int> Members;
  std::vector<int> Others;
};

TEST_F(LinkedModel, LinkedSettersStoreForTheWholeGroupAndSendForTheEditedChannel) {
  const std::vector<GroupCase> cases = {
      {"input gain",
       2,
       [](LUnitControl& u, int c) { u.SetGain(c, 111); },
       [](const LUnitControl& u, int c) { return (long long)u.GetGain(c); },
       111,
       {0, 1, 2},
       {3}},
      {"input polarity",
       1,
       [](LUnitControl& u, int c) { u.SetPolarity(c, 1); },
       [](const LUnitControl& u, int c) { return (long long)u.GetPolarity(c); },
       1,
       {0, 1, 2},
       {3}},
      {"input mute",
       2,
       [](LUnitControl& u, int c) { u.SetMute(c, 1); },
       [](const LUnitControl& u, int c) { return (long long)u.GetMute(c); },
       1,
       {0, 1, 2},
       {3}},
      {"gate",
       1,
       [](LUnitControl& u, int c) {
         u.SetGate(c, GateRecord{4, 5, 6});
       },
       [](const LUnitControl& u, int c) { return (long long)u.GetGate(c).Threshold; },
       6,
       {0, 1, 2},
       {3}},
      {"feedback",
       0,
       [](LUnitControl& u, int c) { u.SetFeedbackLevel(c, 3); },
       [](const LUnitControl& u, int c) { return (long long)u.GetFeedbackLevel(c); },
       3,
       {0, 1, 2},
       {3}},
      {"input high-pass",
       2,
       [](LUnitControl& u, int c) { u.SetHighPass(c, 5, 100); },
       [](const LUnitControl& u, int c) {
         return (long long)u.GetPassFilters(c).HpSlope * 1000 + u.GetPassFilters(c).HpFreq;
       },
       5100,
       {0, 1, 2},
       {3}},
      {"input low-pass",
       1,
       [](LUnitControl& u, int c) { u.SetLowPass(c, 6, 200); },
       [](const LUnitControl& u, int c) {
         return (long long)u.GetPassFilters(c).LpSlope * 1000 + u.GetPassFilters(c).LpFreq;
       },
       6200,
       {0, 1, 2},
       {3}},
      {"phantom",
       1,
       [](LUnitControl& u, int c) { u.SetPhantom(c, 1); },
       [](const LUnitControl& u, int c) { return (long long)u.GetPhantom(c); },
       1,
       {0, 1, 2},
       {3}},
      {"mic gain",
       2,
       [](LUnitControl& u, int c) { u.SetMicGain(c, 12); },
       [](const LUnitControl& u, int c) { return (long long)u.GetMicGain(c); },
       12,
       {0, 1, 2},
       {3}},
      {"input band",
       2,
       [](LUnitControl& u, int c) {
         u.SetPeqBand(c, 4, PeqBandRecord{1, 2, 3, 4}, 0);
       },
       [](const LUnitControl& u, int c) { return (long long)u.GetPeqBand(c, 4).Freq; },
       2,
       {0, 1, 2},
       {3}},
      {"output gain",
       10,
       [](LUnitControl& u, int c) { u.SetGain(c, 50); },
       [](const LUnitControl& u, int c) { return (long long)u.GetGain(c); },
       50,
       {9, 10},
       {8, 11}},
      {"output mute",
       9,
       [](LUnitControl& u, int c) { u.SetMute(c, 1); },
       [](const LUnitControl& u, int c) { return (long long)u.GetMute(c); },
       1,
       {9, 10},
       {8, 11}},
      {"delay",
       10,
       [](LUnitControl& u, int c) { u.SetDelay(c, 480); },
       [](const LUnitControl& u, int c) { return (long long)u.GetDelay(c); },
       480,
       {9, 10},
       {8, 11}},
      {"compressor",
       9,
       [](LUnitControl& u, int c) {
         u.SetComp(c, CompRecord{15, 1, 2, 3});
       },
       [](const LUnitControl& u, int c) { return (long long)u.GetComp(c).Ratio; },
       15,
       {9, 10},
       {8, 11}},
      {"output polarity",
       10,
       [](LUnitControl& u, int c) { u.SetPolarity(c, 2); },
       [](const LUnitControl& u, int c) { return (long long)u.GetPolarity(c); },
       1,
       {9, 10},
       {8, 11}},
      {"output high-pass",
       10,
       [](LUnitControl& u, int c) { u.SetHighPass(c, 3, 77); },
       [](const LUnitControl& u, int c) { return (long long)u.GetPassFilters(c).HpFreq; },
       77,
       {9, 10},
       {8, 11}},
      {"output low-pass",
       9,
       [](LUnitControl& u, int c) { u.SetLowPass(c, 3, 77); },
       [](const LUnitControl& u, int c) { return (long long)u.GetPassFilters(c).LpFreq; },
       77,
       {9, 10},
       {8, 11}},
      {"output band",
       10,
       [](LUnitControl& u, int c) {
         u.SetPeqBand(c, 6, PeqBandRecord{1, 2, 3, 4}, 1);
       },
       [](const LUnitControl& u, int c) {
         return (long long)u.GetPeqBand(c, 6).Freq * 10 + u.GetPeqBypass(c, 6);
       },
       21,
       {9, 10},
       {8, 11}},
  };
  for (const GroupCase& c : cases) {
    SCOPED_TRACE(c.Name);
    std::vector<long long> before;
    for (int other : c.Others) before.push_back(c.Read(Unit, other));
    Owner.Sent.clear();
    c.Call(Unit, c.Edited);
    for (int member : c.Members) EXPECT_EQ(c.Read(Unit, member), c.Value) << "member " << member;
    for (std::size_t i = 0; i < c.Others.size(); ++i)
      EXPECT_EQ(c.Read(Unit, c.Others[i]), before[i]) << "other " << c.Others[i];
    ASSERT_EQ(Owner.Sent.size(), 1u);
    EXPECT_EQ(Owner.Sent[0].Command.Payload.at(0), c.Edited);
  }
}

TEST_F(LinkedModel, GroupRule) {
  EXPECT_EQ(Unit.LinkMaskOf(0), 0x0007);
  EXPECT_EQ(Unit.LinkMaskOf(2), 0x0007);
  EXPECT_EQ(Unit.LinkMaskOf(10), 0x0006);
  EXPECT_EQ(Unit.LinkMaskOf(16), 0);

  // A channel that holds its own bit is its own holder, even when a lower
  // channel's mask also holds that bit.
  Unit.SetLinkMask(3, 0x0018);
  Unit.SetLinkMask(0, 0x000F);
  EXPECT_EQ(Unit.LinkMaskOf(3), 0x0018);

  // In no recorded group: alone, not the mask of the channel below.
  Unit.SetLinkMask(5, 0x0001);
  Unit.SetLinkMask(4, 0x0010);
  EXPECT_EQ(Unit.LinkMaskOf(5), 0x0020);
  Unit.SetLinkMask(8, 0x0006);
  EXPECT_EQ(Unit.LinkMaskOf(8), 0x0001);
}

TEST_F(LinkedModel, ChannelOutsideEveryGroupChangesOnlyItself) {
  Unit.SetLinkMask(5, 0x0001);  // say after an offline copy from input 0
  const PresetImage before = Unit.GetImage();
  Unit.SetGain(5, 321);
  EXPECT_EQ(Unit.GetGain(5), 321);
  for (int ch : {0, 1, 2, 3, 4, 6, 7}) EXPECT_EQ(Unit.GetGain(ch), before.Word(16 + 62 * ch + 56));
}

TEST_F(LinkedModel, BandEditGivesMembersTheEditedInputsWholeBypassWord) {
  Owner.Refreshing = true;
  Unit.SetLinkMask(0, 0x0001);  // unlink to give the inputs different words
  Unit.SetPeqBand(0, 2, Unit.GetPeqBand(0, 2), 1);
  Unit.SetPeqBand(0, 4, Unit.GetPeqBand(0, 4), 1);
  Unit.SetLinkMask(1, 0x0002);
  Unit.SetPeqBand(1, 0, Unit.GetPeqBand(1, 0), 1);
  Unit.SetLinkMask(0, 0x0003);
  Unit.SetLinkMask(1, 0x0000);
  Owner.Refreshing = false;

  Unit.SetPeqBand(0, 2, PeqBandRecord{130, 150, 30, 1}, 0);
  const auto bypassWord = [&](int ch) { return WordAt(Unit.GetImage().Bytes.data(), 1216 + 2 * ch); };
  EXPECT_EQ(bypassWord(0), 0x0010);
  EXPECT_EQ(bypassWord(1), 0x0010);  // band 0's own bit is gone too
  EXPECT_EQ(Unit.GetPeqBand(1, 2).Gain, 130);
}

TEST_F(LinkedModel, MicGainZeroSwitchesPhantomOffForTheGroupAndSendsOnlyTheGain) {
  Owner.Refreshing = true;
  for (int ch : {0, 1, 2, 3}) Unit.SetPhantom(ch, 1);
  Owner.Refreshing = false;
  Owner.Sent.clear();
  Unit.SetMicGain(1, 0);
  for (int ch : {0, 1, 2}) EXPECT_FALSE(Unit.GetPhantom(ch));
  EXPECT_TRUE(Unit.GetPhantom(3));
  ASSERT_EQ(Owner.Sent.size(), 1u);
  EXPECT_EQ(Owner.Sent[0].Command.Code, 0x55);
}

TEST_F(LinkedModel, RoutingIsNotLinkedAndTheEffectBusRouteTrimsBothGates) {
  Unit.SetMatrix(9, 0x01FF);
  EXPECT_EQ(Unit.GetMatrix(9), 0x01FF);
  EXPECT_EQ(Unit.GetMatrix(10), 0x0004);

  Unit.SetAutoMixGate(MixGateRecord{1, 2, 3, 0x00FF, 9});
  Unit.SetCameraGate(MixGateRecord{1, 2, 3, 0x0011, 9});
  Unit.SetMatrix(18, 0x00EF);
  EXPECT_EQ(Unit.GetMatrix(18), 0x00EF);
  EXPECT_EQ(Unit.GetAutoMixGate().InputMask, 0x00EF);
  EXPECT_EQ(Unit.GetCameraGate().InputMask, 0x0001);
  EXPECT_EQ(Unit.GetCameraGate().Reserved, 9);
}

TEST_F(LinkedModel, WrongSideStoresNothingButStillSends) {
  const PresetImage before = Unit.GetImage();
  Unit.SetDelay(3, 100);
  Unit.SetFeedbackLevel(9, 2);
  Unit.SetGate(18, GateRecord{1, 2, 3});
  EXPECT_EQ(Unit.GetImage(), before);
  ASSERT_EQ(Owner.Sent.size(), 3u);
  EXPECT_EQ(Owner.Sent[0].Command.Code, 0x38);
  EXPECT_EQ(Owner.Sent[1].Command.Code, 0x61);
}

TEST_F(LinkedModel, SubControlIndexOtherThanZeroWritesRecordOne) {
  Unit.SetSubCtrl(5, SubCtrlRecord{42, 1, 0x00F0});
  EXPECT_EQ(Unit.GetSubCtrl(1).Volume, 42);
  EXPECT_EQ(Unit.GetSubCtrl(0).Volume, 100);
  Unit.SetGroupCtrl(9, GroupCtrlRecord{1, 1, 1});  // no such record: nothing stored
  for (int g = 0; g < 8; ++g) EXPECT_EQ(Unit.GetGroupCtrl(g).Volume, 100);
}

TEST_F(LinkedModel, CurveSettersMarkTheEditedChannelStaleEvenWhileRefreshing) {
  Owner.Refreshing = true;
  Unit.SetHighPass(2, 1, 2);
  Unit.SetLowPass(10, 1, 2);
  Unit.SetPeqBand(18, 0, PeqBandRecord{}, 0);
  Unit.SetGain(2, 5);
  EXPECT_EQ(Owner.Stale, (std::vector<int>{2, 10, 18}));
}

TEST(LUnitControlNames, Utf8NamesAreCutAtACharacterBoundaryOfTheAnsiField) {
  const AnsiCodePage saved = GetAnsiCodePage();
  RecordingOwner owner;
  LUnitControl unit(&owner);

  SetAnsiCodePage(AnsiCodePage::Cp1252);
  unit.SetChannelName(3, "Bühne-Links");
  EXPECT_EQ(unit.GetChannelNameBytes(3), (ChannelNameBytes{'B', 0xFC, 'h', 'n', 'e', '-', 'L', 'i'}));
  EXPECT_EQ(unit.GetChannelName(3), "Bühne-Li");

  SetAnsiCodePage(AnsiCodePage::Gbk);
  unit.SetChannelName(9, "A麦克风输入");  // 'A' and 2-byte characters: 7 bytes fit
  const ChannelNameBytes gbk = unit.GetChannelNameBytes(9);
  EXPECT_EQ(gbk[0], 'A');
  EXPECT_EQ(gbk[7], 0);
  EXPECT_EQ(unit.GetChannelName(9), "A麦克风");
  EXPECT_EQ(owner.Sent.back().Command.Payload.size(), 9u);

  unit.SetPresetNameText("舞台预设一二三四五");  // 18 bytes in GBK, 14 fit
  EXPECT_EQ(unit.GetPresetName(), "舞台预设一二三");
  SetAnsiCodePage(saved);
}

}  // namespace
