// The link-group and copy dialogs online against the simulator: the device
// does the copy and applies the masks, its acknowledgement starts a fetch
// of the whole set, and the window shows what the device now holds.

#include <gtest/gtest.h>

#include <vector>

#include "EditorDriver.h"
#include "dialogs/Fcopy.h"
#include "dialogs/Flinksel.h"

using namespace e2e;

namespace {

class LinkDialogs : public EditorTest {
 protected:
  void Connect() { ConnectOverTcp(DistinctiveImage()); }

  // The requests for the last packet of the set so far.
  std::size_t LastPacketRequests() const {
    std::size_t count = 0;
    for (const sim::SimFrame& f : FSim.ReceivedWithCode(CommandCode("STATE_PACKET")))
      if (f.Command.Payload == ByteVector{25}) ++count;
    return count;
  }

  // The fetch a copy or link change starts has run to its end: a new last
  // packet was asked for and the closing 0x12 after its answer came (the
  // window, on this thread, refreshed before this runs again).
  bool FetchedSince(std::size_t fetches, std::size_t lastPackets) const {
    if (FSim.CountReceived(0x22) <= fetches || LastPacketRequests() <= lastPackets) return false;
    const std::vector<sim::SimFrame> frames = FSim.Received();
    bool closed = false;
    for (const sim::SimFrame& f : frames) {
      if (f.Command.Code == CommandCode("STATE_PACKET") && f.Command.Payload == ByteVector{25})
        closed = false;
      if (f.Command.Code == 0x12) closed = true;
    }
    return closed && Find<TTimer>("tmInLevelDet")->GetEnabled() && !Shown(fmProcess);
  }

  std::uint16_t SimWord(int channel, std::size_t sim::Strip::*field) const {
    return FSim.Image().Word(sim::StripOf(channel).value().*field);
  }

  // Whole frames received from the first of code on, level polls left out.
  std::vector<ByteVector> FramesFrom(int code) const {
    std::vector<ByteVector> frames;
    for (const sim::SimFrame& f : FSim.Received()) {
      if (frames.empty() && f.Command.Code != code) continue;
      if (f.Command.Code != 0x40) frames.push_back(f.Raw);
    }
    return frames;
  }
};

TEST_F(LinkDialogs, OnlineSetCopiesBeforeItStoresTheMasksAndTheFetchShowsTheGroup) {
  ASSERT_NO_FATAL_FAILURE(Connect());
  Find<TRzBmpButton>("rzbMenuMatrix")->Click();
  const std::size_t fetches = FSim.CountReceived(0x22);
  const std::size_t lastPackets = LastPacketRequests();
  bool pollingOff = false;
  Steps().When(
      "the link menu", [] { return true; }, [] { Find<TMenuItem>("Link")->Click(); });
  Steps().When(
      "the link dialog", [] { return Shown(fmLinkSel); },
      [&] {
        // Output 3 joins output 1.
        TRzBmpButton* key = fmLinkSel->LinkButton(10, 8);
        key->SetDown(true);
        key->Click();
        fmLinkSel->bnSet->Click();
        pollingOff = !Find<TTimer>("tmInLevelDet")->GetEnabled();
      });
  ASSERT_TRUE(Await("the fetch", [&] { return !Shown(fmLinkSel) && FetchedSince(fetches, lastPackets); }));
  EXPECT_TRUE(pollingOff);

  const std::vector<ByteVector> frames = FramesFrom(0x2A);
  ASSERT_GE(frames.size(), 5u);
  const std::vector<ByteVector> expected = {
      {0x10, 0x02, 0x00, 0x01, 0x03, 0x2A, 0x08, 0x0A, 0x10, 0x03, 0x2B},
      {0x10, 0x02, 0x00, 0x01, 0x03, 0x3B, 0x08, 0x05, 0x10, 0x03, 0x35},
      {0x10, 0x02, 0x00, 0x01, 0x03, 0x3B, 0x0A, 0x00, 0x10, 0x03, 0x32},
      {0x10, 0x02, 0x00, 0x01, 0x01, 0x12, 0x10, 0x03, 0x13},
  };
  EXPECT_EQ(std::vector<ByteVector>(frames.begin(), frames.begin() + 4), expected);
  EXPECT_EQ(ParseFrame(frames[4]).Code, 0x22);

  EXPECT_EQ(SimWord(8, &sim::Strip::Link), 0b101);
  EXPECT_EQ(SimWord(10, &sim::Strip::Link), 0);
  // The device copied output 1 onto output 3 and the fetch brought it.
  EXPECT_EQ(SimWord(10, &sim::Strip::Gain), SimWord(8, &sim::Strip::Gain));
  EXPECT_EQ(fmMain->GetState().UnitControl->GetGain(10), SimWord(8, &sim::Strip::Gain));
  EXPECT_EQ(fmMain->GetState().CurrentPage, PageGain);
  EXPECT_EQ(Find<TRzBmpButton>("rzbMenuOut3")->GetCaption(), "3=1");
  EXPECT_EQ(fmLinkSel->RowLeader(10), 8);
}

TEST_F(LinkDialogs, OnlineCopyIsTheDevicesAndTheFetchBringsIt) {
  ASSERT_NO_FATAL_FAILURE(Connect());
  const std::size_t fetches = FSim.CountReceived(0x22);
  const std::size_t lastPackets = LastPacketRequests();
  ASSERT_NE(SimWord(2, &sim::Strip::Gain), SimWord(0, &sim::Strip::Gain));
  int pending = 0;
  bool stayedOpen = false;
  Steps().When(
      "the copy menu", [] { return true; }, [] { Find<TMenuItem>("Copy")->Click(); });
  Steps().When(
      "the copy dialog", [] { return Shown(fmCopy); },
      [&] {
        fmCopy->cbInSource->SetItemIndex(0);
        fmCopy->cbInDestination->SetItemIndex(2);
        fmCopy->bnInChCopy->Click();
        pending = fmMain->GetState().PendingOp;
        stayedOpen = Shown(fmCopy);
      });
  Steps().When(
      "the fetch", [&] { return FetchedSince(fetches, lastPackets); }, [] { fmCopy->bnExit->Click(); });
  ASSERT_TRUE(
      Await("the copy dialog closed", [&] { return FetchedSince(fetches, lastPackets) && !Shown(fmCopy); }));
  EXPECT_EQ(pending, 6);
  EXPECT_TRUE(stayedOpen);
  const std::vector<sim::SimFrame> copies = FSim.ReceivedWithCode(0x2A);
  ASSERT_EQ(copies.size(), 1u);
  EXPECT_EQ(copies[0].Command.Payload, (ByteVector{0, 2}));
  EXPECT_EQ(SimWord(2, &sim::Strip::Gain), SimWord(0, &sim::Strip::Gain));
  EXPECT_EQ(fmMain->GetState().UnitControl->GetGain(2), SimWord(0, &sim::Strip::Gain));
}

}  // namespace
