// A device whose replies come cut, late, merged, lost, damaged or not at
// all: the editor neither freezes nor loses its model, and a device that
// falls silent ends with the link-broken scan.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "EditorDriver.h"

using namespace e2e;

namespace {

class Faults : public EditorTest {
 protected:
  void Connect() { ConnectOverTcp(DistinctiveImage()); }
};

TEST_F(Faults, CutLateAndMergedRepliesStillCarryTheWholeUpload) {
  FSim.SplitReplies(3, 2, sim::Fault::Forever, 0x27);
  FSim.DelayReplies(25, sim::Fault::Forever, 0x29);
  ASSERT_NO_FATAL_FAILURE(Connect());
  EXPECT_EQ(ModelStream(), DeviceStream(FSim.Image()));
  // Two unasked frames in one write: gate levels and a level reply.
  const std::vector<std::uint8_t> payload(sim::LevelPayloadSize, 0);
  ByteVector merged = sim::BuildReplyFrame(1, sim::reply::GateLevels, std::vector<std::uint8_t>(24, 0));
  const ByteVector levels = sim::BuildReplyFrame(1, sim::reply::Levels, payload);
  merged.insert(merged.end(), levels.begin(), levels.end());
  FSim.SendRaw(merged);
  const std::size_t polls = FSim.CountReceived(0x40);
  ASSERT_TRUE(Await("more polls", [&] { return FSim.CountReceived(0x40) >= polls + 2; }));
  EXPECT_TRUE(fmMain->IsOnline());
  EXPECT_FALSE(Shown(fmInformation));
}

TEST_F(Faults, LostDamagedAndCutShortRepliesAreAskedForAgain) {
  ASSERT_NO_FATAL_FAILURE(Connect());
  const std::string model = ModelStreamText();
  // A short wait for replies (through the window's own setter), so that a
  // lost one costs little time.
  fmMain->SetLinkTimeout(400);
  fmMain->SetLinkRetries(2);
  FSim.DropReplies(1, 0x40);
  FSim.CorruptReplies(sim::FaultKind::CorruptCheck, 1, 0x40);
  FSim.CorruptReplies(sim::FaultKind::CorruptTrailer, 1, 0x40);
  FSim.SendRaw({0x00, 0x10, 0x03, 0x55, 0xAA});  // no frame at all
  std::size_t polls = FSim.CountReceived(0x40);
  ASSERT_TRUE(Await("polls past the faults", [&] { return FSim.CountReceived(0x40) >= polls + 8; }));
  // A header whose length byte promises 240 bytes that never come: the
  // replies behind it are not swallowed into it for longer than a reply wait.
  FSim.SendRaw({0x10, 0x02, 0x01, 0x40, 0xF0, 0x00, 0x00});
  polls = FSim.CountReceived(0x40);
  ASSERT_TRUE(Await("polls past the broken header", [&] { return FSim.CountReceived(0x40) >= polls + 8; }));
  EXPECT_TRUE(fmMain->IsOnline());
  EXPECT_NE(fmMain->OpenLink(), nullptr);
  EXPECT_FALSE(Shown(fmNetwork));
  EXPECT_EQ(ModelStreamText(), model);
}

TEST_F(Faults, ASilentDeviceEndsWithTheLinkBrokenScan) {
  ASSERT_NO_FATAL_FAILURE(Connect());
  const std::string model = ModelStreamText();
  fmMain->SetLinkTimeout(300);
  fmMain->SetLinkRetries(1);
  FSim.SetSilent(true);
  std::string scanText;
  ASSERT_TRUE(AwaitLinkBrokenScan(scanText));
  EXPECT_FALSE(fmMain->IsOnline());
  EXPECT_FALSE(Find<TClientSocket>("ClientSocket")->GetActive());
  EXPECT_EQ(ModelStreamText(), model);
}

}  // namespace
