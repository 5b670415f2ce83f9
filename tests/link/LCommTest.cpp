// The serial engine over a real pseudo-terminal whose other side is the
// device simulator.

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "EngineTestSupport.h"
#include "link/LComm.h"
#include "tests/sim/DeviceSimulator.h"

using namespace link_test;

namespace {

// Collects the serial traffic-log calls.
class SerialLog : public LinkOwner {
 public:
  void LogSerialWrite(const std::uint8_t* data, std::size_t size) override {
    std::lock_guard lock(m);
    written.emplace_back(data, data + size);
  }
  void LogSerialRead(const std::uint8_t* data, std::size_t size) override {
    std::lock_guard lock(m);
    read.emplace_back(data, data + size);
  }
  std::mutex m;
  std::vector<ByteVector> written;
  std::vector<ByteVector> read;
};

class LCommTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(sim.OpenPty()) << sim.LastError(); }
  void TearDown() override { engine.reset(); }
  template <class Engine = LCommProc>
  Engine* OpenEngine(int baud = 115200) {
    auto* e = new Engine(&owner, &log, 1);
    engine.reset(e);
    EXPECT_TRUE(e->Open(sim.PtyPath(), baud, 8, SerialParity::None, 1)) << e->LastPortError().Message;
    e->SetKeepAliveInterval(60000);
    return e;
  }
  size_t WellFormedFramesWithCode(std::uint8_t code) const {
    size_t n = 0;
    for (const auto& f : sim.ReceivedWithCode(code)) n += f.WellFormed ? 1 : 0;
    return n;
  }

  sim::DeviceSimulator sim;
  RecordingOwner owner;
  SerialLog log;
  std::unique_ptr<LComm> engine;
};

TEST_F(LCommTest, AnswersAreDeliveredAndTheLastAnswerIsWhatALaterTimeOutWrites) {
  LComm* e = OpenEngine();
  e->SetKeepAliveOff(true);
  e->SetTimeout(100);
  e->SetRetryLimit(2);
  const ByteVector hello = BuildFrame(CM_MCS_CMD(1, 0x10), 1);
  e->SendCommand(hello, true);
  ASSERT_TRUE(PumpUntilThat(
      "owner.Count(WM_LINK_FRAME)", [&] { return owner.Count(WM_LINK_FRAME); }, ::testing::Eq(1)));
  const ByteVector reply = owner.Frames()[0];
  EXPECT_EQ(reply[5], 0x10);

  // Idle, keep-alive off: the time-outs write the received answer back to
  // the port (the device ignores it), then the link is reported.
  ASSERT_TRUE(PumpUntilThat(
      "owner.Timeouts()", [&] { return owner.Timeouts(); }, ::testing::Not(::testing::IsEmpty())));
  EXPECT_EQ(owner.Timeouts()[0].first, LinkNoAnswer);
  size_t echoed = 0;
  for (const auto& f : sim.Received()) echoed += f.Raw == reply ? 1 : 0;
  EXPECT_EQ(echoed, 2u);
  EXPECT_EQ(sim.CountReceived(0x10), 1u + echoed) << "the hello went out once";

  std::lock_guard lock(log.m);
  EXPECT_EQ(log.written, std::vector<ByteVector>{hello});
  EXPECT_EQ(log.read, std::vector<ByteVector>{reply});
}

TEST_F(LCommTest, AFrameWithLengthByteZeroEndsAtEightBytesIsDroppedAndTheStreamGoesOn) {
  LComm* e = OpenEngine();
  e->SetTimeout(60000);
  e->SendCommand(BuildFrame(CM_MCS_CMD(1, 0x40), 1), false);
  ASSERT_TRUE(PumpUntilThat(
      "owner.Frames()", [&] { return owner.Frames(); }, ::testing::Not(::testing::IsEmpty())));
  const ByteVector empty{0x10, 0x02, 0x01, 0x00, 0x00, 0x10, 0x03, 0x00};
  sim.SendRaw(Join({{0x05, 0x10, 0x07}, empty, Reply(0x41, {1, 2})}));
  // It holds no code: a damaged frame, listed and not delivered.
  ASSERT_TRUE(PumpUntilThat(
      "owner.Frames().size()", [&] { return owner.Frames().size(); }, ::testing::Eq(2)));
  EXPECT_EQ(owner.Frames()[1], Reply(0x41, {1, 2}));
  const std::vector<std::string> log = e->TakeLogLines();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0], "Damaged frame dropped: 10 02 01 00 00 10 03 00 ");
}

TEST_F(LCommTest, SplitAndMergedRepliesAreReassembledFromTheStream) {
  LComm* e = OpenEngine();
  e->SetTimeout(2000);
  e->SetRetryLimit(3);
  sim.SplitReplies(3, 30, 1, 0x52);
  e->SendCommand(BuildFrame(CM_MCS_CMD(1, 0x52), 1), true);
  ASSERT_TRUE(PumpUntilThat(
      "frames", [&] { return owner.Count(WM_LINK_FRAME); }, ::testing::Eq(1u)));
  ASSERT_TRUE(PumpUntilThat(
      "busy", [&] { return e->IsBusy(); }, ::testing::IsFalse()));
  EXPECT_EQ(owner.Frames()[0][5], 0x52);

  // The held answer goes out with the answer to the resend: two frames in
  // one write, both delivered.
  sim.MergeReplies(1, 0x2C);
  e->SetTimeout(150);
  e->SendCommand(BuildFrame(CM_MCS_CMD(1, 0x2C), 1), true);
  ASSERT_TRUE(PumpUntilThat(
      "owner.Count(WM_LINK_FRAME)", [&] { return owner.Count(WM_LINK_FRAME); }, ::testing::Eq(3)));
  EXPECT_EQ(owner.Frames()[1][5], 0x2C);
  EXPECT_EQ(owner.Frames()[2][5], 0x2C);
  EXPECT_TRUE(owner.Timeouts().empty());
}

TEST_F(LCommTest, AnAnswerOnAPortAtAnotherBaudRateIsNotDispatchedAsAFrame) {
  LComm* e = OpenEngine(9600);
  e->SetTimeout(60000);
  e->SendCommand(BuildFrame(CM_MCS_CMD(1, 0x10), 1), true);
  ASSERT_TRUE(PumpUntilThat(
      "owner.Count(WM_LINK_FRAME_OTHER_BAUD)", [&] { return owner.Count(WM_LINK_FRAME_OTHER_BAUD); },
      ::testing::Eq(1)));
  EXPECT_EQ(owner.Count(WM_LINK_FRAME), 0u);
  EXPECT_TRUE(PumpUntilThat(
      "e->IsBusy()", [&] { return e->IsBusy(); }, ::testing::IsFalse()))
      << "it still ended the wait";
}

TEST_F(LCommTest, AResendCreditRewritesWithoutCountingARetry) {
  struct Case {
    int credit;
    int writes;
    int timeoutsAtReport;
  };
  for (Case c : {Case{0, 3, 3}, Case{1, 4, 4}}) {
    SCOPED_TRACE("credit " + std::to_string(c.credit));
    owner.got.clear();
    sim.ClearRecords();
    sim.SetSilent(true);
    auto* e = OpenEngine<Observed<LComm>>();
    e->SetRetryLimit(2);
    e->SetResendCredit(c.credit);
    e->SendCommand(BuildFrame(CM_MCS_CMD(1, 0x10), 1), true);
    // Shortened only after the send: an idle wait that ran out first would
    // count as one more time-out.
    e->SetTimeout(30);
    ASSERT_TRUE(PumpUntilThat(
        "e->NotifyCount()", [&] { return e->NotifyCount(); }, ::testing::Ge(1)));
    EXPECT_EQ(e->Snapshots()[0].timeouts, c.timeoutsAtReport);
    engine.reset();
    EXPECT_TRUE(sim.WaitForCode(0x10, static_cast<size_t>(c.writes)));
    EXPECT_EQ(WellFormedFramesWithCode(0x10), static_cast<size_t>(c.writes));
    sim.SetSilent(false);
  }
}

TEST_F(LCommTest, TheKeepAliveWaitsTwoSecondsForItsAnswer) {
  LComm* e = OpenEngine();
  e->SetTimeout(60000);
  e->SetKeepAliveInterval(20);
  e->SendCommand(BuildFrame(CM_MCS_CMD(1, 0x10), 1), true);
  ASSERT_TRUE(PumpUntilThat(
      "sim.CountReceived(0x12)", [&] { return sim.CountReceived(0x12); }, ::testing::Ge(1)));
  EXPECT_EQ(e->GetTimeout(), 2000u);
}

TEST_F(LCommTest, APortThatGoesAwayIsReportedAndEndsTheWorker) {
  LComm* e = OpenEngine();
  e->SetTimeout(60000);
  e->SendCommand(BuildFrame(CM_MCS_CMD(1, 0x10), 1), true);
  ASSERT_TRUE(PumpUntilThat(
      "owner.Count(WM_LINK_FRAME)", [&] { return owner.Count(WM_LINK_FRAME); }, ::testing::Eq(1)));
  sim.ClosePty();
  ASSERT_TRUE(PumpUntilThat(
      "owner.Timeouts()", [&] { return owner.Timeouts(); }, ::testing::Not(::testing::IsEmpty())));
  EXPECT_EQ(owner.Timeouts()[0].first, LinkPortEventFailed);
  ASSERT_TRUE(PumpUntilThat(
      "e->IsStarted()", [&] { return e->IsStarted(); }, ::testing::IsFalse()));
  e->SendCommand(BuildFrame(CM_MCS_CMD(1, 0x40), 1), false);
  EXPECT_FALSE(e->IsBusy()) << "an ended engine takes no frame";
  e->Close();
  EXPECT_FALSE(e->IsOpen());
}

// A write log that asks the engine for its queue from another thread, as
// an owner's hook may: it must get an answer while the hook runs.
class AskingLog : public LinkOwner {
 public:
  void LogSerialWrite(const std::uint8_t*, std::size_t) override {
    if (!engine) return;
    asked.push_back(std::async(std::launch::async, [e = engine] { return e->QueuedFrames().size(); }));
    if (asked.back().wait_for(std::chrono::seconds(2)) == std::future_status::ready)
      ++answered;
    else
      ++blocked;
  }
  LinkEngine* engine = nullptr;
  // Kept here: a future left waiting must not be joined inside the hook.
  std::vector<std::future<size_t>> asked;
  int answered = 0;
  int blocked = 0;
};

TEST_F(LCommTest, TheWriteLogRunsWithNoLockOfTheEngineHeld) {
  AskingLog asking;
  auto e = std::make_unique<LCommProc>(&owner, &asking, 1);
  asking.engine = e.get();
  ASSERT_TRUE(e->Open(sim.PtyPath(), 115200, 8, SerialParity::None, 1));
  e->SetTimeout(60000);
  e->SetKeepAliveInterval(60000);
  // Handed over by the submitting thread, then by the worker after the
  // answer.
  e->SendCommand(BuildFrame(CM_MCS_CMD(1, 0x10), 1), true);
  e->SendCommand(BuildFrame(CM_MCS_CMD(1, 0x52), 1), true);
  ASSERT_TRUE(PumpUntilThat(
      "owner.Count(WM_LINK_FRAME)", [&] { return owner.Count(WM_LINK_FRAME); }, ::testing::Eq(2)));
  e.reset();
  EXPECT_EQ(asking.blocked, 0);
  EXPECT_EQ(asking.answered, 2);
}

TEST_F(LCommTest, OpenRefusesBadSettingsAndPortsItCannotHave) {
  auto e = std::make_unique<LCommProc>(&owner, &log, 1);
  EXPECT_FALSE(e->Open("/dev/no-such-port", 115200, 8, SerialParity::None, 1));
  EXPECT_EQ(e->LastPortError().Code, SerialErrorCode::NotFound);
  EXPECT_FALSE(e->Open(sim.PtyPath(), 300, 8, SerialParity::None, 1));
  EXPECT_FALSE(e->Open(sim.PtyPath(), 230400, 8, SerialParity::None, 1));
  EXPECT_FALSE(e->IsOpen());

  ASSERT_TRUE(e->Open(sim.PtyPath(), 115200, 8, SerialParity::None, 1));
  EXPECT_FALSE(e->Open(sim.PtyPath(), 115200, 8, SerialParity::None, 1)) << "already open";
  auto other = std::make_unique<LCommProc>(&owner, &log, 1);
  EXPECT_FALSE(other->Open(sim.PtyPath(), 115200, 8, SerialParity::None, 1)) << "opened exclusively";
  e->Close();
  EXPECT_FALSE(e->IsOpen());
  EXPECT_TRUE(other->Open(sim.PtyPath(), 115200, 8, SerialParity::None, 1));
}

}  // namespace
