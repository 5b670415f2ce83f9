// The parameter upload against a device whose replies come damaged,
// duplicated, wrong or not at all, and frames the device sends unasked: the
// upload asks again and ends with the device's set in the model and polls
// running, or ends as a lost link with the model as it was, the progress
// window gone and the link-broken scan up, from which the editor connects
// again.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "EditorDriver.h"
#include "dialogs/FHidData.h"
#include "controls/AdvTrackBar.h"
#include "mainwindow/FMainDeviceCodes.h"

using namespace e2e;

namespace {

struct UploadFault {
  std::string name;
  std::function<void(sim::DeviceSimulator&)> arm;
  bool lost = false;  // the device never answers the step: the link is lost
};

sim::Fault SilentFrom(std::uint8_t code, int after) {
  sim::Fault f;
  f.Count = sim::Fault::Forever;
  f.OnlyCode = code;
  f.After = after;
  return f;
}

ByteVector NameReply(std::uint8_t index) {
  ByteVector payload{index};
  payload.resize(15, 'N');
  return sim::BuildReplyFrame(1, sim::reply::PresetName, payload);
}

// The faults of one upload, each armed on the device before the upload runs.
std::vector<UploadFault> AnsweredFaults() {
  return {
      {"a damaged 10 03 trailer", [](sim::DeviceSimulator& s) { s.CorruptReplies(sim::FaultKind::CorruptTrailer, 1, 0x29); }},
      {"a wrong check byte", [](sim::DeviceSimulator& s) { s.CorruptReplies(sim::FaultKind::CorruptCheck, 1, 0x27); }},
      {"a length byte too small",
       [](sim::DeviceSimulator& s) {
         ByteVector bytes = NameReply(0);
         bytes[4] -= 6;
         s.ReplaceReplies(bytes, 1, 0x29);
       }},
      {"a name slot above 20", [](sim::DeviceSimulator& s) { s.ReplaceReplies(NameReply(25), 1, 0x29); }},
      {"garbage before a reply",
       [](sim::DeviceSimulator& s) {
         const std::uint8_t number = s.With([](sim::SimDevice& d) { return d.PresetNumber(); });
         ByteVector bytes{0x00, 0x55, 0x10, 0x07, 0xAA};
         const ByteVector reply = sim::BuildReplyFrame(1, sim::reply::PresetNumber, std::vector<std::uint8_t>{number});
         bytes.insert(bytes.end(), reply.begin(), reply.end());
         s.ReplaceReplies(bytes, 1, 0x14);
       }},
      {"a damaged code byte",
       [](sim::DeviceSimulator& s) {
         s.ReplaceReplies(sim::BuildReplyFrame(1, 0x23, std::vector<std::uint8_t>(21, 0)), 1, 0x22);
       }},
      {"a reply too short to read",
       [](sim::DeviceSimulator& s) {
         s.ReplaceReplies(sim::BuildReplyFrame(1, sim::reply::GroupCtrl, std::vector<std::uint8_t>{1, 2}), 1, 0x6C);
       }},
      {"every reply twice",
       [](sim::DeviceSimulator& s) {
         sim::Fault f;
         f.Kind = sim::FaultKind::Duplicate;
         f.Count = sim::Fault::Forever;
         s.AddFault(f);
       }},
  };
}

// Silent from one step of the upload on.
std::vector<UploadFault> SilentSteps(bool usb) {
  std::vector<UploadFault> steps = {
      {"silent at the stored flags", [](sim::DeviceSimulator& s) { s.AddFault(SilentFrom(0x22, 0)); }, true},
      {"silent at the preset number", [](sim::DeviceSimulator& s) { s.AddFault(SilentFrom(0x14, 0)); }, true},
      {"silent at the sixth name", [](sim::DeviceSimulator& s) { s.AddFault(SilentFrom(0x29, 5)); }, true},
      {"silent at the group records", [](sim::DeviceSimulator& s) { s.AddFault(SilentFrom(0x6C, 0)); }, true},
      {"silent at the eleventh state packet", [](sim::DeviceSimulator& s) { s.AddFault(SilentFrom(0x27, 10)); },
       true},
  };
  if (usb)
    steps.push_back(
        {"silent at the device address", [](sim::DeviceSimulator& s) { s.AddFault(SilentFrom(0xB0, 0)); }, true});
  return steps;
}

class LinkFaults : public EditorTest {
 protected:
  void TearDown() override {
    if (fmHidData && fmHidData->GetVisible()) fmHidData->Close();
    EditorTest::TearDown();
  }

  void ConnectTcp() {
    ASSERT_TRUE(FSim.ListenTcp(sim::DeviceAddress, sim::DevicePort)) << FSim.LastError();
    StartEditor();
    ASSERT_TRUE(Await("the upload", [&] { return UploadDone(); }));
  }

  // The first upload of a serial or USB link meets a device that falls
  // silent in the middle: the link-broken scan, then a new connect.
  void ConnectSilentMidUpload(sim::Transport via) {
    if (via == sim::Transport::Serial) {
      ASSERT_TRUE(FSim.OpenPty()) << FSim.LastError();
      FPorts = {SerialPortAt(FSim.PtyPath())};
    } else {
      ASSERT_TRUE(FSim.PlugHid(FHid)) << FSim.LastError();
    }
    ChangeDeviceSet(0);
    FSim.AddFault(SilentFrom(0x27, 12));
    StartEditor();
    if (via == sim::Transport::Serial) fmMain->SetDeviceIp(0);
    const std::string before = ModelStreamText();
    Steps().When("connected", [] { return fmMain->IsConnected(); }, [] { fmMain->SetLinkTimeout(300); });
    ASSERT_NO_FATAL_FAILURE(ExpectLostThenConnectAgain(before));
  }

  // A set unlike the one the editor holds, so that a new upload shows.
  void ChangeDeviceSet(int round) {
    FSim.With([round](sim::SimDevice& d) {
      sim::ParamImage image = DistinctiveImage();
      image.SetWord(sim::at::InputMutes, static_cast<std::uint16_t>(round));
      d.SetImage(image);
    });
  }

  ::testing::AssertionResult AwaitPolls(std::size_t more) {
    const std::size_t polls = FSim.CountReceived(0x40);
    return Await("level polls", [&] { return FSim.CountReceived(0x40) >= polls + more; });
  }

  // Runs the upload again (as after an unlock) against an armed fault.
  void RunCase(const UploadFault& c, int round) {
    SCOPED_TRACE(c.name);
    FSim.ClearFaults();
    ChangeDeviceSet(round);
    const std::string before = ModelStreamText();
    // Short waits for replies, so that each lost reply costs little.
    fmMain->SetLinkTimeout(300);
    fmMain->SetLinkRetries(2);
    FSim.ClearRecords();
    c.arm(FSim);
    fmMain->SendCommand(CM_MCS_CMD(1, device_code::Upload), false);
    if (!c.lost) {
      ASSERT_TRUE(Await("the upload", [&] { return FSim.CountReceived(0x12) >= 1 && !Shown(fmProcess); }));
      ASSERT_NO_FATAL_FAILURE(AwaitPolls(2));
      EXPECT_EQ(ModelStream(), DeviceStream(FSim.Image()));
      // Each step asked once, and again only for what was lost.
      EXPECT_LE(FSim.CountReceived(0x29), 22u);
      EXPECT_LE(FSim.CountReceived(0x27), 27u);
      EXPECT_EQ(FSim.CountReceived(0x22), 1u + (c.name == "a damaged code byte" ? 1u : 0u));
      EXPECT_TRUE(fmMain->IsOnline());
      return;
    }
    ASSERT_NO_FATAL_FAILURE(ExpectLostThenConnectAgain(before));
  }

  // The link-broken scan, the model as it was and no progress window; then
  // the scan connects again and the whole upload runs.
  void ExpectLostThenConnectAgain(const std::string& before) {
    bool lostAsItWas = false;
    bool progressGone = false;
    Steps().When(
        "the link-broken scan",
        [] {
          return Shown(fmNetwork) && !fmMain->OpenLink() &&
                 fmNetwork->lblScan->GetCaption() == fmMain->GetLangText("SID_LINK_BROKEN");
        },
        [&] {
          lostAsItWas = ModelStreamText() == before;
          progressGone = !Shown(fmProcess);
          FSim.ClearFaults();
          FSim.ClearRecords();
          fmNetwork->btnOK->Click();
        });
    ASSERT_TRUE(Await("the upload after the new scan", [&] { return UploadDone(); }));
    EXPECT_TRUE(lostAsItWas);
    EXPECT_TRUE(progressGone);
    EXPECT_EQ(ModelStream(), DeviceStream(FSim.Image()));
  }
};

TEST_F(LinkFaults, EachDamagedOrDuplicatedReplyIsAskedAgainOrDroppedOnTcp) {
  ASSERT_NO_FATAL_FAILURE(ConnectTcp());
  int round = 1;
  for (const UploadFault& c : AnsweredFaults()) ASSERT_NO_FATAL_FAILURE(RunCase(c, round++));
  EXPECT_FALSE(Shown(fmInformation));
}

TEST_F(LinkFaults, ADeviceSilentAtEachStepEndsWithTheScanOnTcp) {
  ASSERT_NO_FATAL_FAILURE(ConnectTcp());
  int round = 1;
  for (const UploadFault& c : SilentSteps(false)) ASSERT_NO_FATAL_FAILURE(RunCase(c, round++));
}

// The scan closes on its success while the first upload's progress window
// is up (its loop ends only after the progress window's), and the device
// falls silent before it has: the scan stays to tell of the loss.
TEST_F(LinkFaults, AScanClosingUnderTheProgressWindowStaysUpForTheLoss) {
  ASSERT_TRUE(FSim.ListenTcp(sim::DeviceAddress, sim::DevicePort)) << FSim.LastError();
  FSim.AddFault(SilentFrom(0x29, 7));
  StartEditor();
  const std::string before = ModelStreamText();
  // The scan's close comes once the progress window is up.
  fmNetwork->tmConnect->SetInterval(400);
  bool closingUnderProgress = false;
  Steps().When("connected", [] { return fmMain->IsConnected(); }, [] { fmMain->SetLinkTimeout(300); });
  Steps().When("the scan closing under the progress window", [&] {
    closingUnderProgress = Shown(fmProcess) && fmNetwork->IsModal() && fmNetwork->HasSucceeded() &&
                           !fmNetwork->tmConnect->GetEnabled();
    return closingUnderProgress;
  });
  ASSERT_NO_FATAL_FAILURE(ExpectLostThenConnectAgain(before));
  EXPECT_TRUE(closingUnderProgress);
}

// A serial line and USB: a device silent in the first upload, then damaged,
// duplicated and lost replies in the next ones.
TEST_F(LinkFaults, UploadFaultsOnASerialLine) {
  ASSERT_NO_FATAL_FAILURE(ConnectSilentMidUpload(sim::Transport::Serial));
  const std::vector<UploadFault> answered = AnsweredFaults();
  int round = 1;
  for (const UploadFault& c : {answered[0], answered[1], answered.back(), SilentSteps(false)[2]})
    ASSERT_NO_FATAL_FAILURE(RunCase(c, round++));
}

TEST_F(LinkFaults, UploadFaultsOverUsb) {
  ASSERT_NO_FATAL_FAILURE(ConnectSilentMidUpload(sim::Transport::Hid));
  const std::vector<UploadFault> answered = AnsweredFaults();
  int round = 1;
  for (const UploadFault& c : {answered[0], answered[1], answered.back(), SilentSteps(true).back()})
    ASSERT_NO_FATAL_FAILURE(RunCase(c, round++));
}

TEST_F(LinkFaults, TwoFadersMovedInTurnAt100HzEndAtTheirLastValues) {
  ASSERT_NO_FATAL_FAILURE(ConnectTcp());
  for (const char* key : {"rzbMenuGain", "rzbGainSelOut"}) {
    auto* button = Find<TRzBmpButton>(key);
    ASSERT_NE(button, nullptr) << key;
    classlib_test::Press(button, button->GetWidth() / 2, button->GetHeight() / 2);
  }
  auto* faderA = Find<TAdvTrackBar>("isGainBackupOut3");
  auto* faderB = Find<TAdvTrackBar>("isGainBackupOut4");
  ASSERT_TRUE(faderA && faderB && faderA->GetShowing() && faderB->GetShowing());
  // A device slower than the hand: each gain is answered 40 ms late.
  FSim.DelayReplies(40, sim::Fault::Forever, 0x34);
  const std::size_t pollsBefore = FSim.CountReceived(0x40);
  constexpr int Moves = 300;
  int moves = 0;
  std::size_t longestQueue = 0;
  QTimer hand;
  hand.setInterval(10);
  QObject::connect(&hand, &QTimer::timeout, [&] {
    if (moves == Moves) return hand.stop();
    (moves % 2 == 0 ? faderA : faderB)->SetPosition(-250 + moves);
    ++moves;
    if (LinkEngine* link = fmMain->OpenLink()) longestQueue = std::max(longestQueue, link->QueuedFrames().size());
  });
  hand.start();
  ASSERT_TRUE(Await("the moves", [&] { return moves == Moves; }));
  const int lastA = -250 + Moves - 2, lastB = -250 + Moves - 1;
  ASSERT_TRUE(Await(
      "both last values on the device",
      [&] {
        return FSim.With([&](sim::SimDevice& d) { return d.Gain(10) == lastA + 280 && d.Gain(11) == lastB + 280; });
      },
      10000));
  EXPECT_LE(longestQueue, 3u) << "one frame per fader and the poll";
  EXPECT_GE(FSim.CountReceived(0x40), pollsBefore + 4) << "polls went on during the moves";
  ASSERT_NO_FATAL_FAILURE(AwaitPolls(2));
}

TEST_F(LinkFaults, RepliesNobodyAskedForChangeNothing) {
  ASSERT_NO_FATAL_FAILURE(ConnectTcp());
  Find<TMenuItem>("HidData")->Click();
  const std::string model = ModelStreamText();
  const std::string presetNumber = Find<TLabel>("lbPstNum")->GetCaption();
  FSim.ClearRecords();
  std::vector<std::uint8_t> packet(51, 0x33);
  packet[0] = 0;
  FSim.SendReply(sim::reply::StatePacket, packet);
  packet[0] = 25;
  FSim.SendReply(sim::reply::StatePacket, packet);
  FSim.SendReply(sim::reply::PresetName, ByteVector(15, 0x41));
  FSim.SendReply(sim::reply::StoredFlags, ByteVector(21, 0xFF));
  FSim.SendReply(sim::reply::GroupCtrl, ByteVector(24, 0x07));
  FSim.SendReply(sim::reply::PresetNumber, {9});
  FSim.SendReply(sim::reply::LockStatus, {0, 0, 0, 0, 0, 0});
  FSim.SendReply(sim::reply::Hello, {});
  ASSERT_NO_FATAL_FAILURE(AwaitPolls(4));
  EXPECT_EQ(ModelStreamText(), model);
  EXPECT_EQ(Find<TLabel>("lbPstNum")->GetCaption(), presetNumber);
  for (int code : {0x22, 0x14, 0x29, 0x27, 0x52}) EXPECT_EQ(FSim.CountReceived(code), 0u) << code;
  EXPECT_FALSE(Shown(fmProcess));
  std::string lines;
  int dropped = 0;
  for (int i = 0; i < fmHidData->hbHidData->GetCount(); ++i) {
    const std::string line = fmHidData->hbHidData->GetItems()->Get(i);
    if (line.rfind("Unasked reply dropped: ", 0) == 0) ++dropped;
    lines += line + "\n";
  }
  EXPECT_EQ(dropped, 8) << lines;
}

}  // namespace
