// The editor finds the device at its default network address when it
// starts, greets it, checks its identity and lock, fetches the whole
// parameter set in the chain's order, and polls the levels.

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "EditorDriver.h"
#include "response/LProgressBar.h"

using namespace e2e;

namespace {

using TcpConnect = EditorTest;

// The requests of a whole upload over the network, in order: greeting,
// identity, lock status, stored flags, preset number, 21 names, the
// group-control records, 26 state packets and the end of the transfer.
std::vector<int> UploadCodes() {
  std::vector<int> codes = {0x10, 0x52, 0x2C, 0x22, 0x14};
  codes.insert(codes.end(), 21, 0x29);
  codes.push_back(0x6C);
  codes.insert(codes.end(), 26, 0x27);
  codes.push_back(0x12);
  return codes;
}

TEST_F(TcpConnect, StartUpFetchesTheWholeSetInOrderAndPollsTheLevels) {
  const sim::ParamImage image = DistinctiveImage();
  FSim.With([&](sim::SimDevice& d) {
    d.SetImage(image);
    d.SetLevelsMoving(false);
    sim::SimLevels levels;
    levels.Values.fill(0.5f);
    d.SetLevels(levels);
  });
  ASSERT_TRUE(FSim.ListenTcp(sim::DeviceAddress, sim::DevicePort)) << FSim.LastError();
  StartEditor();
  ASSERT_TRUE(Await("the upload", [&] { return UploadDone(); }));

  // Up to the end of the transfer the device saw exactly the chain.
  const std::vector<sim::SimFrame> received = FSim.Received();
  const auto end = std::find_if(received.begin(), received.end(),
                                [](const sim::SimFrame& f) { return f.Command.Code == 0x12; });
  ASSERT_NE(end, received.end());
  EXPECT_EQ(Codes({received.begin(), end + 1}), UploadCodes());
  for (const sim::SimFrame& f : received) {
    EXPECT_TRUE(f.WellFormed);
    EXPECT_EQ(f.Via, sim::Transport::Tcp);
    EXPECT_EQ(f.Connection, 1);
  }
  // Names and packets are asked by their index, one after another.
  std::vector<int> names, packets;
  for (const sim::SimFrame& f : FSim.ReceivedWithCode(0x29)) names.push_back(f.Command.Payload.at(0));
  for (const sim::SimFrame& f : FSim.ReceivedWithCode(0x27)) packets.push_back(f.Command.Payload.at(0));
  for (int i = 0; i < 26; ++i) {
    if (i < 21) {
      EXPECT_EQ(names.at(i), i);
    }
    EXPECT_EQ(packets.at(i), i);
  }

  // The model holds the device's set.
  EXPECT_EQ(ModelStream(), DeviceStream(image));
  EXPECT_TRUE(fmMain->IsConnected());
  EXPECT_NE(fmMain->GetCaption().find("Connected Port => IP"), std::string::npos) << fmMain->GetCaption();
  EXPECT_EQ(Find<TRzBmpButton>("rzbMenuLink")->GetCaption(), "OnLine");
  EXPECT_TRUE(Find<TRzBmpButton>("rzbMenuLink")->GetEnabled());
  EXPECT_TRUE(Find<TMenuItem>("GroupCtrl")->GetVisible());

  // Level polls every 300 ms; the meters follow the device's levels.
  auto* meter = Find<LProgressBar>("pbLevelBackupInA");
  auto* outMeter = Find<LProgressBar>("pbLevelBackupOut1");
  ASSERT_NE(meter, nullptr);
  ASSERT_NE(outMeter, nullptr);
  ASSERT_TRUE(Await("lit meters", [&] { return meter->GetPosition() > 0 && outMeter->GetPosition() > 0; }));
  const int loud = meter->GetPosition();
  FSim.With([](sim::SimDevice& d) {
    sim::SimLevels quiet;
    quiet.Values.fill(0.001f);
    quiet.Values[0] = 0.01f;
    d.SetLevels(quiet);
  });
  ASSERT_TRUE(Await("a quieter meter", [&] { return meter->GetPosition() < loud; }));
  const std::size_t polls = FSim.CountReceived(0x40);
  ASSERT_TRUE(Await("four more polls", [&] { return FSim.CountReceived(0x40) >= polls + 4; }));
  const std::vector<sim::SimFrame> levelPolls = FSim.ReceivedWithCode(0x40);
  const std::uint64_t span = levelPolls.back().AtMs - levelPolls[levelPolls.size() - 5].AtMs;
  EXPECT_GE(span, 4 * 250u);   // 300 ms apart, give or take a timer's slack
  EXPECT_LE(span, 4 * 1000u);  // and never stalled
  EXPECT_TRUE(fmMain->IsOnline());
}

}  // namespace
