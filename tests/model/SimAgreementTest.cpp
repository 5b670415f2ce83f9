// The editor's model and the simulated device read the protocol apart from
// each other: fed the same commands they must hold the same parameter set,
// byte for byte, and a set uploaded from the device must be the device's.

#include <gtest/gtest.h>

#include "model/LUnitControl.h"
#include "model/PresetFile.h"
#include "tests/model/ModelTestSupport.h"
#include "tests/sim/SimDevice.h"

#include <array>
#include <functional>
#include <random>
#include <sstream>
#include <string>

namespace {

constexpr std::array<int, 17> Channels = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 18};

// The first byte where the two sets differ, or "" when they agree.
std::string FirstDifference(const PresetImage& model, const sim::ParamImage& device) {
  for (std::size_t i = 0; i < PresetImage::Size; ++i)
    if (model.Bytes[i] != device.Bytes[i]) {
      std::ostringstream text;
      text << "image offset " << i << ": model " << int(model.Bytes[i]) << ", device "
           << int(device.Bytes[i]);
      return text.str();
    }
  return {};
}

std::string GroupDifference(const LUnitControl& model, const sim::SimDevice& device) {
  for (int i = 0; i < GroupCtrlCount; ++i) {
    std::array<std::uint8_t, GroupCtrlRecord::Size> bytes{};
    StoreRecord(bytes.data(), model.GetGroupCtrl(i));
    for (std::size_t k = 0; k < bytes.size(); ++k)
      if (bytes[k] != device.Groups()[GroupCtrlRecord::Size * static_cast<std::size_t>(i) + k])
        return "group-control record " + std::to_string(i) + " byte " + std::to_string(k);
  }
  return {};
}

// The model with a recording owner and the device it talks to.
struct Session {
  RecordingOwner Owner;
  LUnitControl Model{&Owner};
  sim::SimDevice Device;

  // Every command the model sent since the last call reaches the device.
  void Deliver() {
    for (const SentCommand& sent : Owner.Sent) Send(sent.Command);
    Owner.Sent.clear();
  }
  // A command the window sends itself after a plain store in the model.
  void Send(const LCmd& command) {
    const auto replies = Device.Handle(BuildFrame(command, 1));
    ASSERT_EQ(replies.size(), 1u) << "code " << int(command.Code);
    EXPECT_EQ(replies.front().Code, 0x01) << "code " << int(command.Code);
  }
};

class Picker {
 public:
  explicit Picker(unsigned seed) : FRng(seed) {}
  int Int(int from, int to) { return std::uniform_int_distribution<int>(from, to)(FRng); }
  std::uint8_t Byte(int to = 255) { return static_cast<std::uint8_t>(Int(0, to)); }
  std::uint16_t Word(int to = 0xFFFF) { return static_cast<std::uint16_t>(Int(0, to)); }
  int Channel() { return Channels[static_cast<std::size_t>(Int(0, static_cast<int>(Channels.size()) - 1))]; }
  // Two channels of the same side.
  std::pair<int, int> SameSide() {
    const int first = Int(0, 1) ? 8 : 0;
    return {first + Int(0, 7), first + Int(0, 7)};
  }

 private:
  std::mt19937 FRng;
};

using Step = std::function<void(Session&, Picker&)>;

// Every setter of the model, and the plain stores whose command the window
// sends itself, each with varied channels, bands and values.
std::vector<std::pair<std::string, Step>> Steps() {
  const std::uint8_t id = 7;
  return {
      {"gain", [](Session& s, Picker& p) { s.Model.SetGain(p.Channel(), p.Word(400)); }},
      {"polarity", [](Session& s, Picker& p) { s.Model.SetPolarity(p.Channel(), p.Byte(1)); }},
      {"mute", [](Session& s, Picker& p) { s.Model.SetMute(p.Channel(), p.Byte(2)); }},
      {"delay", [](Session& s, Picker& p) { s.Model.SetDelay(p.Channel(), p.Word(20000)); }},
      {"compressor",
       [](Session& s, Picker& p) {
         s.Model.SetComp(p.Channel(), CompRecord{p.Word(15), p.Word(), p.Word(), p.Word(200)});
       }},
      {"gate",
       [](Session& s, Picker& p) {
         s.Model.SetGate(p.Channel(), GateRecord{p.Word(), p.Word(), p.Word(180)});
       }},
      {"feedback level", [](Session& s, Picker& p) { s.Model.SetFeedbackLevel(p.Channel(), p.Byte()); }},
      {"high pass", [](Session& s, Picker& p) { s.Model.SetHighPass(p.Channel(), p.Word(20), p.Word(300)); }},
      {"low pass", [](Session& s, Picker& p) { s.Model.SetLowPass(p.Channel(), p.Word(20), p.Word(300)); }},
      {"peq band",
       [](Session& s, Picker& p) {
         const PeqBandRecord band{p.Word(240), p.Word(300), p.Byte(100), p.Byte(8)};
         s.Model.SetPeqBand(p.Channel(), p.Int(0, 7), band, p.Byte(1));
       }},
      {"matrix", [](Session& s, Picker& p) { s.Model.SetMatrix(p.Channel(), p.Word(0x1FF)); }},
      {"link mask", [](Session& s, Picker& p) { s.Model.SetLinkMask(p.Channel(), p.Byte()); }},
      {"channel name",
       [](Session& s, Picker& p) {
         ChannelNameBytes name{};
         for (auto& b : name) b = p.Byte();
         s.Model.SetChannelName(p.Channel(), name);
       }},
      {"phantom", [](Session& s, Picker& p) { s.Model.SetPhantom(p.Channel(), p.Byte(1)); }},
      // Line level now and then, which switches phantom power off.
      {"mic gain",
       [](Session& s, Picker& p) { s.Model.SetMicGain(p.Channel(), p.Int(0, 1) ? 0 : p.Byte(51)); }},
      {"delay unit", [](Session& s, Picker& p) { s.Model.SetDelayUnit(p.Word(2)); }},
      {"sub control",
       [](Session& s, Picker& p) {
         s.Model.SetSubCtrl(p.Int(0, 2), SubCtrlRecord{p.Byte(100), p.Byte(1), p.Word()});
       }},
      {"group control",
       [](Session& s, Picker& p) {
         s.Model.SetGroupCtrl(p.Int(0, 7), GroupCtrlRecord{p.Byte(100), p.Byte(1), p.Byte()});
       }},
      {"effect", [](Session& s, Picker& p) { s.Model.SetEffect(p.Byte(1), p.Byte()); }},
      {"automix gate",
       [](Session& s, Picker& p) {
         s.Model.SetAutoMixGate(MixGateRecord{p.Word(), p.Word(), p.Word(), p.Word(0xFF), p.Word()});
       }},
      {"camera gate",
       [](Session& s, Picker& p) {
         s.Model.SetCameraGate(MixGateRecord{p.Word(), p.Word(), p.Word(), p.Word(0xFF), p.Word()});
       }},
      {"automix slope", [](Session& s, Picker& p) { s.Model.SetAutoMixSlope(p.Word(255)); }},
      {"camera default", [](Session& s, Picker& p) { s.Model.SetCameraDefault(p.Byte()); }},
      {"whole-EQ bypass",
       [id](Session& s, Picker& p) {
         // As the strip handlers do: the side's word in the model, the
         // channel's flag to the device.
         const int ch = p.Channel();
         const bool on = p.Int(0, 1) != 0;
         const unsigned bit = ch == 18 ? 0u : static_cast<unsigned>(ch % 8);
         const auto old = s.Model.GetEqBypassMask(ch);
         s.Model.SetEqBypassMask(ch, static_cast<std::uint16_t>(on ? old | (1u << bit) : old & ~(1u << bit)));
         s.Send(CM_MCS_CMD(id, CommandCode("EQ_BYPASS"), static_cast<std::uint8_t>(ch), on ? 1 : 0));
       }},
      {"echo",
       [id](Session& s, Picker& p) {
         const EchoRecord echo{p.Word(), p.Word(), p.Word(), p.Word()};
         s.Model.SetEchoWords(echo);
         s.Send(CM_MCS_ECHO(id, echo));
       }},
      {"reverb",
       [id](Session& s, Picker& p) {
         const ReverbRecord reverb{p.Word(), p.Word(), p.Word(), p.Word()};
         s.Model.SetReverbWords(reverb);
         s.Send(CM_MCS_RVB(id, reverb));
       }},
      {"memorize mode",
       [id](Session& s, Picker& p) {
         const std::uint8_t mode = p.Byte(2);
         s.Model.SetMemorizeMode(mode);
         s.Send(CM_MCS_CMD(id, CommandCode("MEMORIZE_MODE"), mode));
       }},
      {"preset name",
       [id](Session& s, Picker& p) {
         PresetNameBytes name{};
         for (auto& b : name) b = p.Byte();
         s.Model.SetPresetName(name);
         s.Send(CM_MCS_PRESETNAME(id, std::span<const std::uint8_t>(name)));
       }},
      {"channel copy",
       [id](Session& s, Picker& p) {
         // Online the device copies; offline the model does the same.
         const auto [from, to] = p.SameSide();
         s.Model.CopyChannel(from, to);
         s.Send(CM_MCS_CMD(id, CommandCode("COPY_CHANNEL"), static_cast<std::uint8_t>(from),
                           static_cast<std::uint8_t>(to)));
       }},
  };
}

// Link groups to start from: inputs 0..2 held by input 0, inputs 5 and 6 by
// input 5 (6's own mask lacks its bit), outputs 8..11 held by output 8,
// output 14 holding 15 while 15 holds itself.
void FormGroups(Session& s) {
  const std::pair<int, std::uint16_t> masks[] = {{0, 0x07},  {1, 0x00},  {2, 0x00}, {5, 0x60},
                                                 {6, 0x20},  {8, 0x0F},  {9, 0x00}, {10, 0x00},
                                                 {11, 0x00}, {14, 0xC0}, {15, 0x80}};
  for (const auto& [channel, mask] : masks) s.Model.SetLinkMask(channel, mask);
  s.Deliver();
}

TEST(SimAgreement, TheSameCommandsLeaveTheModelAndTheDeviceHoldingTheSameSet) {
  Session s;
  ASSERT_EQ(FirstDifference(s.Model.GetImage(), s.Device.Image()), "") << "factory sets";
  FormGroups(s);
  ASSERT_EQ(FirstDifference(s.Model.GetImage(), s.Device.Image()), "") << "after the link groups";

  // A linked gain reaches the whole group on both sides.
  s.Model.SetGain(2, 345);
  s.Deliver();
  for (int ch : {0, 1, 2}) EXPECT_EQ(s.Device.Gain(ch), 345) << ch;

  const auto steps = Steps();
  std::vector<int> used(steps.size(), 0);
  Picker pick(2026);
  for (int round = 0; round < 3000; ++round) {
    // The groups are formed again now and then, so that later edits find
    // groups as well as the stray masks random edits leave.
    if (round % 500 == 250) FormGroups(s);
    const std::size_t k = static_cast<std::size_t>(pick.Int(0, static_cast<int>(steps.size()) - 1));
    steps[k].second(s, pick);
    s.Deliver();
    ++used[k];
    const std::string image = FirstDifference(s.Model.GetImage(), s.Device.Image());
    const std::string groups = GroupDifference(s.Model, s.Device);
    ASSERT_TRUE(image.empty() && groups.empty())
        << "after step " << round << " (" << steps[k].first << "): " << image << groups;
  }
  for (std::size_t k = 0; k < steps.size(); ++k) EXPECT_GT(used[k], 20) << steps[k].first;
  EXPECT_EQ(s.Device.ShortCommands(), 0);

  // What the device holds, uploaded into a fresh model, is the device's set.
  LUnitControl uploaded;
  for (std::uint8_t k = 0; k < 26; ++k) {
    const auto replies = s.Device.Handle(CM_MCS_CMD(1, CommandCode("STATE_PACKET"), k));
    ASSERT_EQ(replies.size(), 1u);
    ASSERT_TRUE(uploaded.StoreStatePacket(replies.front().Payload)) << "packet " << int(k);
  }
  const auto groups = s.Device.Handle(CM_MCS_CMD(1, CommandCode("GROUP_CTRL_RECORDS"), 0));
  ASSERT_TRUE(uploaded.SetGroupCtrlRecords(groups.front().Payload));
  EXPECT_EQ(FirstDifference(uploaded.GetImage(), s.Device.Image()), "");
  EXPECT_EQ(GroupDifference(uploaded, s.Device), "");
}

TEST(SimAgreement, APresetStoredOnTheDeviceAndAPresetFileCarryTheSameSet) {
  Session s;
  FormGroups(s);
  const auto steps = Steps();
  Picker pick(77);
  for (int round = 0; round < 400; ++round) {
    steps[static_cast<std::size_t>(pick.Int(0, static_cast<int>(steps.size()) - 1))].second(s, pick);
    s.Deliver();
  }
  ASSERT_EQ(FirstDifference(s.Model.GetImage(), s.Device.Image()), "");

  // Stored in slot 9 and read back as the editor's unit-file upload does.
  s.Send(CM_MCS_CMD(1, CommandCode("STORE"), 9));
  s.Send(CM_MCS_CMD(1, CommandCode("SELECT_SLOT"), 9));
  LUnitControl reader;
  for (std::uint8_t k = 0; k < 26; ++k)
    ASSERT_TRUE(reader.StoreSlotPacket(
        9, s.Device.Handle(CM_MCS_CMD(1, CommandCode("SLOT_PACKET"), k)).front().Payload));
  const StoredSlot* slot = reader.GetStoredSlot(9);
  ASSERT_NE(slot, nullptr);
  EXPECT_EQ((*slot)[1], 0xFF);  // the stored mark
  // The slot number, the two header bytes, then the set in travelling order.
  PresetImage stored;
  PresetStream::Read(std::span<const std::uint8_t>(*slot).subspan(3, PresetStream::FileSize), stored);
  for (std::size_t offset = 2; offset < PresetLayout::SubCtrl1 + SubCtrlRecord::Size; ++offset)
    ASSERT_EQ(stored.Bytes[offset], s.Model.GetImage().Bytes[offset]) << "slot, image offset " << offset;

  // The model's preset file, read by the device's own reader.
  sim::SimDevice other;
  ASSERT_TRUE(other.LoadPresetFile(BuildPresetFile(s.Model)));
  for (std::size_t offset = 2; offset < PresetLayout::SubCtrl1 + SubCtrlRecord::Size; ++offset)
    ASSERT_EQ(other.Image().Bytes[offset], s.Model.GetImage().Bytes[offset])
        << "file, image offset " << offset;
}

}  // namespace

namespace {

// The image offsets a preset file and its commands carry (the name up to the
// second sub-control record).
bool CarriedByFile(std::size_t offset) {
  return offset >= 2 && offset < PresetLayout::SubCtrl1 + SubCtrlRecord::Size;
}

TEST(SimAgreement, AFileOfAnyValuesLeavesTheModelAndTheDeviceAgreeing) {
  for (unsigned seed : {1u, 2u, 3u, 4u}) {
    SCOPED_TRACE(seed);
    Session s;
    std::mt19937 rng(seed);
    ByteVector body = RandomBytes(rng, 1262);
    // No link groups: a linked channel's edits reach its group on the
    // device, which a file's values for each member need not agree with.
    for (int ch = 0; ch < 16; ++ch) {
      // The stream holds a zero byte after each one-byte field of the effect bus.
      const std::size_t image = PresetLayout::LinkMask(ch);
      const std::size_t at = image - PresetLayout::NameOffset + (image > PresetLayout::EffCameraDefault ? 4 : 0);
      body[at] = body[at + 1] = 0;
    }
    ASSERT_TRUE(s.Model.LoadPresetAndSend(body));
    s.Deliver();
    for (std::size_t offset = 0; offset < PresetImage::Size; ++offset) {
      if (!CarriedByFile(offset)) continue;
      ASSERT_EQ(int(s.Model.GetImage().Bytes[offset]), int(s.Device.Image().Bytes[offset]))
          << "image offset " << offset;
    }
  }
}

}  // namespace
