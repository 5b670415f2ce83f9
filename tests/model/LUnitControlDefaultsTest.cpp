#include "model/LUnitControl.h"
#include "model/PresetImage.h"

#include "ModelTestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>

namespace {

// The factory set written independently from the documented layout: every
// field not named here must be zero.
std::array<std::uint8_t, 1272> ExpectedDefaultImage() {
  std::array<std::uint8_t, 1272> img{};
  const auto word = [&](std::size_t off, std::uint16_t v) {
    img[off] = static_cast<std::uint8_t>(v & 0xFF);
    img[off + 1] = static_cast<std::uint8_t>(v >> 8);
  };
  const auto text = [&](std::size_t off, const char* s) { std::memcpy(&img[off], s, std::strlen(s)); };
  const auto band = [&](std::size_t off, std::uint16_t freq) {
    word(off, 120);
    word(off + 2, freq);
    img[off + 4] = 25;
    img[off + 5] = 0;
  };
  const auto comp = [&](std::size_t off) {
    word(off, 0);
    word(off + 2, 49);
    word(off + 4, 199);
    word(off + 6, 220);
  };
  const auto mixGate = [&](std::size_t off) {
    word(off, 99);
    word(off + 2, 2999);
    word(off + 4, 180);
    word(off + 6, 1);
  };
  const std::uint16_t inFreqs[5] = {49, 101, 148, 200, 255};
  const std::uint16_t outFreqs[7] = {31, 71, 118, 161, 200, 240, 270};

  text(2, "Default Preset");
  for (int n = 0; n < 8; ++n) {
    const std::size_t in = 16 + 62 * n;
    text(in, ("In" + std::to_string(n + 1)).c_str());
    word(in + 14, 2999);  // gate release
    for (int b = 0; b < 5; ++b) band(in + 18 + 6 * b, inFreqs[b]);
    word(in + 54, 300);
    word(in + 60, static_cast<std::uint16_t>(1 << n));

    const std::size_t out = 602 + 76 * n;
    text(out, ("Out" + std::to_string(n + 1)).c_str());
    word(out + 8, static_cast<std::uint16_t>(1 << n));
    word(out + 16, 300);
    for (int b = 0; b < 7; ++b) band(out + 18 + 6 * b, outFreqs[b]);
    comp(out + 60);
    word(out + 68, 280);
    word(out + 74, static_cast<std::uint16_t>(1 << n));
  }
  text(512, "Aux");
  img[522] = 55;
  img[523] = 1;
  mixGate(526);
  mixGate(536);
  for (int b = 0; b < 5; ++b) band(546 + 6 * b, inFreqs[b]);
  word(576, 10), word(578, 200), word(580, 60), word(582, 80);
  word(584, 50), word(586, 12), word(588, 139), word(590, 30);
  comp(592);
  word(600, 280);
  img[1250] = 100;
  img[1254] = 100;
  word(1264, 1);
  return img;
}

TEST(LUnitControlDefaults, FreshModelHoldsTheFactorySetByteForByte) {
  LUnitControl unit;
  const auto expected = ExpectedDefaultImage();
  for (std::size_t i = 0; i < expected.size(); ++i)
    ASSERT_EQ(unit.GetImage().Bytes[i], expected[i]) << "image offset " << i;
  for (int g = 0; g < 8; ++g) {
    EXPECT_EQ(unit.GetGroupCtrl(g).Volume, 100);
    EXPECT_EQ(unit.GetGroupCtrl(g).Mute, 0);
    EXPECT_EQ(unit.GetGroupCtrl(g).ChannelMask, 0);
  }
  for (int i = 0; i < 21; ++i) EXPECT_FALSE(unit.IsPresetStored(i));
}

TEST(LUnitControlDefaults, GettersReadTheDocumentedFields) {
  LUnitControl unit;
  for (int n = 0; n < 8; ++n) {
    EXPECT_EQ(unit.GetGain(n), 0);
    EXPECT_EQ(unit.GetGain(8 + n), 280);
    EXPECT_EQ(unit.GetMatrix(8 + n), 1u << n);
    EXPECT_EQ(unit.GetLinkMask(n), 1u << n);
    EXPECT_EQ(unit.GetLinkMask(8 + n), 1u << n);
    EXPECT_EQ(unit.LinkMaskOf(n), 1u << n);
    EXPECT_EQ(unit.GetChannelName(n), "In" + std::to_string(n + 1));
    EXPECT_EQ(unit.GetChannelName(8 + n), "Out" + std::to_string(n + 1));
    EXPECT_EQ(unit.GetPassFilters(n), (PassFilters{0, 0, 0, 300}));
    EXPECT_EQ(unit.GetGate(n).Release, 2999);
    EXPECT_EQ(unit.GetComp(8 + n).Threshold, 220);
    EXPECT_FALSE(unit.GetMute(n));
    EXPECT_FALSE(unit.GetPolarity(8 + n));
  }
  EXPECT_EQ(unit.GetGain(18), 280);
  EXPECT_EQ(unit.GetChannelName(18), "Aux");
  EXPECT_EQ(unit.GetPresetName(), "Default Preset");
  EXPECT_EQ(unit.GetMemorizeMode(), 1);
  EXPECT_EQ(unit.GetEffectVolume(), 55);
  EXPECT_EQ(unit.GetCameraDefault(), 1);
  EXPECT_EQ(unit.GetAutoMixGate().InputMask, 1);
  EXPECT_EQ(unit.GetCameraGate().Release, 2999);
  EXPECT_EQ(unit.GetEchoWords().Delay, 200);
  EXPECT_EQ(unit.GetReverbWords().Time, 139);
  EXPECT_EQ(unit.GetSubCtrl(0).Volume, 100);
  EXPECT_EQ(unit.GetSubCtrl(1).Volume, 100);
  EXPECT_EQ(unit.GetPeqBand(12, 6).Freq, 270);
  EXPECT_EQ(unit.GetPeqBand(18, 0).Freq, 49);
  EXPECT_EQ(unit.GetPeqBand(0, 4).Q, 25);
}

TEST(LUnitControlDefaults, DefaultBandsIgnoreTheCurrentSet) {
  RecordingOwner owner;
  LUnitControl unit(&owner);
  unit.SetPeqBand(9, 3, PeqBandRecord{10, 20, 30, 4}, 1);
  unit.SetPeqBand(18, 4, PeqBandRecord{10, 20, 30, 4}, 1);
  EXPECT_EQ(unit.GetPeqBand(9, 3).Freq, 20);
  const PeqBandRecord out = unit.GetDefaultPeqBand(9, 3);
  EXPECT_EQ(out.Gain, 120);
  EXPECT_EQ(out.Freq, 161);
  EXPECT_EQ(out.Q, 25);
  EXPECT_EQ(out.Type, 0);
  EXPECT_EQ(unit.GetDefaultPeqBand(18, 4).Freq, 255);
}

TEST(LUnitControlDefaults, MuteReadsBitsAndTheEffectBusWord) {
  RecordingOwner owner;
  LUnitControl unit(&owner);
  unit.SetMute(18, 5);
  EXPECT_TRUE(unit.GetMute(18));
  unit.SetMute(10, 1);
  EXPECT_EQ(WordAt(unit.GetImage().Bytes.data(), 1214), 0x0004);
  EXPECT_TRUE(unit.GetMute(10));
  EXPECT_FALSE(unit.GetMute(8));
  EXPECT_FALSE(unit.GetMute(2));  // the input mask is another word
}

TEST(LUnitControlDefaults, ChannelsWithoutTheFieldReadNeutralValues) {
  LUnitControl unit;
  EXPECT_EQ(unit.GetDelay(3), 0);
  EXPECT_EQ(unit.GetGate(9).Release, 0);
  EXPECT_EQ(unit.GetComp(2).Threshold, 0);
  EXPECT_EQ(unit.GetMatrix(4), 0);
  EXPECT_EQ(unit.GetGain(16), 0);
  EXPECT_EQ(unit.GetChannelName(17), "");
  EXPECT_EQ(unit.GetPeqBand(0, 5).Freq, 0);  // inputs have five bands
  EXPECT_FALSE(unit.GetPeqBypass(-1, 0));
  EXPECT_FALSE(unit.GetPeqBypass(0, 99));
  EXPECT_FALSE(unit.IsPresetStored(-1));
  EXPECT_FALSE(unit.IsPresetStored(21));
  EXPECT_EQ(unit.GetStoredSlot(0), nullptr);
  EXPECT_EQ(unit.GetStoredSlot(22), nullptr);
  EXPECT_NE(unit.GetStoredSlot(21), nullptr);
  EXPECT_EQ(unit.GetGroupCtrl(8).Volume, 0);
}

TEST(PresetStreamMapping, InsertsFourZeroBytesAfterTheEffectBusByteFields) {
  constexpr std::size_t gap = PresetLayout::npos;
  const std::pair<std::size_t, std::size_t> cases[] = {
      {0, 2},     {518, 520}, {519, gap}, {520, 521},   {521, gap},   {522, 522},  {523, gap},
      {524, 523}, {525, gap}, {526, 524}, {1259, 1257}, {1273, 1271}, {1274, gap},
  };
  for (const auto& [position, offset] : cases)
    EXPECT_EQ(PresetStream::ImageOffset(position), offset) << "position " << position;
}

}  // namespace
