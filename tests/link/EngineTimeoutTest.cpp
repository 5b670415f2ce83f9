// Reply time-outs, resends and the keep-alive of the network and USB
// engines, counted in frames written and time-outs seen, never in elapsed
// time. Time-outs are short (20 ms) so that the counts come quickly.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "EngineTestSupport.h"
#include "link/LNet.h"
#include "link/LUsb.h"

using namespace link_test;

namespace {

class EngineTimeoutTest : public ::testing::Test {
 protected:
  RecordingOwner owner;
};

struct RetryCase {
  std::string name;
  bool usb;
  int retryLimit;
  size_t writesAtReport;
  int timeoutsAtReport;
  int timeoutsAtSecondReport;
};

template <class Engine>
void RunRetryCase(const RetryCase& c, RecordingOwner& owner) {
  WriteRecorder io;
  Observed<Engine> engine(&owner, &io, 7);
  ASSERT_TRUE(engine.Start());
  engine.SetKeepAliveInterval(60000);
  engine.SetRetryLimit(c.retryLimit);
  engine.SendCommand(Request(0x10, {}, 7), true);
  // Shortened only now: an idle wait that ran out before the send would
  // count as one more time-out.
  engine.SetTimeout(20);

  ASSERT_TRUE(PumpUntilThat(
      "engine.NotifyCount()", [&] { return engine.NotifyCount(); }, ::testing::Ge(2)));
  const auto snaps = engine.Snapshots();
  EXPECT_EQ(snaps[0].code, LinkNoAnswer);
  EXPECT_EQ(snaps[0].value, 7) << "the device ID of the frame in flight";
  EXPECT_EQ(snaps[0].writes, c.writesAtReport);
  EXPECT_EQ(snaps[0].timeouts, c.timeoutsAtReport);
  // Nothing is left to resend: the engine stays busy, writes nothing more
  // and keeps reporting while it runs.
  EXPECT_EQ(snaps[1].writes, c.writesAtReport);
  EXPECT_EQ(snaps[1].timeouts, c.timeoutsAtSecondReport);
  EXPECT_TRUE(engine.IsBusy());
  for (const auto& w : io.Writes()) EXPECT_EQ(w, Request(0x10, {}, 7));

  ASSERT_TRUE(PumpUntilThat(
      "owner.Timeouts().size()", [&] { return owner.Timeouts().size(); }, ::testing::Ge(2)));
  EXPECT_EQ(owner.Timeouts()[0], std::make_pair(0, 7));
}

TEST_F(EngineTimeoutTest, AnUnansweredFrameIsResentUpToTheLimitThenTheLinkIsReportedLost) {
  const std::vector<RetryCase> cases = {
      // Network: written 3 times in all, then code 0; again every 3 time-outs.
      {"network, 2 retries", false, 2, 3, 3, 6},
      {"network, no retry", false, 0, 1, 1, 2},
      // USB: the hello's 3 retries, then four silent time-outs: four writes
      // and the report at the eighth time-out.
      {"USB, 3 retries", true, 3, 4, 8, 16},
      // USB without retries: the first time-out already counts as silent.
      {"USB, no retry", true, 0, 1, 5, 6},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    owner.got.clear();
    if (c.usb)
      RunRetryCase<LUsb>(c, owner);
    else
      RunRetryCase<LNet>(c, owner);
  }
}

TEST_F(EngineTimeoutTest, AnAnswerEndsTheWaitAndAFreshSendStartsTheCountAnew) {
  WriteRecorder io;
  Observed<LNet> engine(&owner, &io);
  ASSERT_TRUE(engine.Start());
  engine.SetKeepAliveInterval(60000);
  engine.SetTimeout(100);
  engine.SetRetryLimit(3);
  engine.SendCommand(Request(0x10), true);
  engine.SendCommand(Request(0x52), true);
  // A resend of the first frame, then its answer: the next frame gets the
  // full count of its own.
  ASSERT_TRUE(PumpUntilThat(
      "io.Count()", [&] { return io.Count(); }, ::testing::Ge(2)));
  engine.OnReceived(Reply(0x10).data(), Reply(0x10).size());
  ASSERT_TRUE(PumpUntilThat(
      "engine.NotifyCount()", [&] { return engine.NotifyCount(); }, ::testing::Ge(1)));
  EXPECT_EQ(io.CountCode(0x52), 4u);
  EXPECT_EQ(engine.Snapshots()[0].writes, io.CountCode(0x10) + 4u) << "reported for the second frame";
}

TEST_F(EngineTimeoutTest, APartFrameLeftAtAReplyWaitIsDroppedSoTheResendsAnswerIsRead) {
  WriteRecorder io;
  Observed<LNet> engine(&owner, &io);
  ASSERT_TRUE(engine.Start());
  engine.SetKeepAliveInterval(60000);
  engine.SetRetryLimit(10);
  engine.SendCommand(Request(0x10), true);
  engine.SetTimeout(50);
  // A header whose length byte promises 240 bytes, then the answer: without
  // a reset the answer and those to the resends would be taken as more of them.
  const ByteVector answer = Reply(0x10);
  ByteVector broken{0x10, 0x02, 0x01, 0x10, 0xF0, 0x00};
  broken.insert(broken.end(), answer.begin(), answer.end());
  engine.OnReceived(broken.data(), broken.size());
  // Every resend is answered, until an answer gets through.
  for (size_t writes = 1; owner.Frames().empty() && writes < 8; ++writes) {
    ASSERT_TRUE(PumpUntilThat(
        "a resend or a frame", [&] { return io.Count() > writes || !owner.Frames().empty(); },
        ::testing::IsTrue()));
    if (owner.Frames().empty()) engine.OnReceived(answer.data(), answer.size());
  }
  ASSERT_FALSE(owner.Frames().empty()) << "every answer was taken as part of the broken frame";
  EXPECT_EQ(owner.Frames()[0], answer);
}

TEST_F(EngineTimeoutTest, AFailedWriteReportsTheLinkLostAtOnceAndLogsWhy) {
  for (bool usb : {false, true}) {
    SCOPED_TRACE(usb ? "USB" : "network");
    owner.got.clear();
    WriteRecorder io;
    io.FailWith("Broken pipe");
    std::unique_ptr<LinkEngine> engine;
    if (usb)
      engine = std::make_unique<Observed<LUsb>>(&owner, &io, 7);
    else
      engine = std::make_unique<Observed<LNet>>(&owner, &io, 7);
    ASSERT_TRUE(usb ? static_cast<Observed<LUsb>*>(engine.get())->Start()
                    : static_cast<Observed<LNet>*>(engine.get())->Start());
    // No reply time-out could report it in the test's life.
    engine->SetTimeout(60000);
    engine->SetKeepAliveInterval(60000);
    engine->SendCommand(Request(0x10, {}, 7), true);
    ASSERT_TRUE(PumpUntilThat(
        "owner.Timeouts()", [&] { return owner.Timeouts(); }, ::testing::Not(::testing::IsEmpty())));
    EXPECT_EQ(owner.Timeouts()[0], std::make_pair(int{LinkNoAnswer}, 7));
    EXPECT_EQ(io.Count(), 1u) << "no resend after a failed write";
    ASSERT_TRUE(PumpUntilThat(
        "owner.Count(WM_LINK_LOG)", [&] { return owner.Count(WM_LINK_LOG); }, ::testing::Eq(1)));
    const std::vector<std::string> lines = engine->TakeLogLines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("Broken pipe"), std::string::npos) << lines[0];
    EXPECT_TRUE(engine->TakeLogLines().empty()) << "taking the lines empties the queue";
  }
}

TEST_F(EngineTimeoutTest, LogLinesWhoseWakeUpAStopDroppedAreAnnouncedAtTheNextStart) {
  WriteRecorder io;
  io.FailWith("Broken pipe");
  LNetProc engine(&owner, &io, 1);
  ASSERT_TRUE(engine.Start());
  engine.SetTimeout(60000);
  engine.SetKeepAliveInterval(60000);
  engine.SendCommand(Request(0x10), true);
  // The log's wake-up and the link-lost report wait here, unhandled, when
  // the stop drops them.
  ASSERT_TRUE(WaitUntilThat(
      "waiting messages", [&] { return owner.Waiting(); }, ::testing::Eq(2u)));
  engine.Stop();
  ASSERT_TRUE(PumpWaiting());
  EXPECT_EQ(owner.Count(WM_LINK_LOG), 0u);
  ASSERT_TRUE(engine.Start());
  ASSERT_TRUE(PumpUntilThat(
      "log wake-ups", [&] { return owner.Count(WM_LINK_LOG); }, ::testing::Eq(1u)));
  EXPECT_EQ(engine.TakeLogLines().size(), 1u);
}

TEST_F(EngineTimeoutTest, AnIdleLinkWithoutKeepAliveRewritesItsLastFrameThenReports) {
  WriteRecorder io;
  Observed<LNet> engine(&owner, &io);
  ASSERT_TRUE(engine.Start());
  engine.SetKeepAliveOff(true);
  engine.SetTimeout(60000);
  engine.SetRetryLimit(2);
  engine.SendCommand(Request(0x40), false);
  ASSERT_TRUE(PumpUntilThat(
      "io.Count()", [&] { return io.Count(); }, ::testing::Eq(1)));
  // Short from the answer on, so no resend can come before it however
  // slowly this thread runs.
  engine.SetTimeout(20);
  engine.OnReceived(Reply(0x40).data(), Reply(0x40).size());
  ASSERT_TRUE(PumpUntilThat(
      "engine.NotifyCount()", [&] { return engine.NotifyCount(); }, ::testing::Ge(1)));
  EXPECT_FALSE(engine.IsBusy());
  EXPECT_EQ(engine.Snapshots()[0].writes, 3u) << "the answered frame is written twice more";
}

TEST_F(EngineTimeoutTest, KeepAliveGoesToTheSelectedDeviceOnlyWhenTheLinkIsIdle) {
  struct Case {
    std::string name;
    bool usb;
  };
  for (const Case& c : {Case{"network", false}, Case{"USB", true}}) {
    SCOPED_TRACE(c.name);
    WriteRecorder io;
    std::unique_ptr<LinkEngine> engine;
    if (c.usb) {
      auto e = std::make_unique<LUsbProc>(&owner, &io, 1);
      ASSERT_TRUE(e->Start());
      engine = std::move(e);
    } else {
      auto e = std::make_unique<LNetProc>(&owner, &io, 1);
      ASSERT_TRUE(e->Start());
      engine = std::move(e);
    }
    engine->SetTimeout(60000);
    engine->SetKeepAliveInterval(20);

    // In flight and unanswered: no keep-alive however often the timer runs
    // (a keep-alive it submitted would wait in the queue).
    engine->SendCommand(Request(0x10), true);
    engine->SendCommand(Request(0x52), true);
    const int ticks = owner.TimerTicks();
    ASSERT_TRUE(PumpUntilThat(
        "owner.TimerTicks()", [&] { return owner.TimerTicks(); }, ::testing::Ge(ticks + 3)));
    EXPECT_EQ(engine->QueuedFrames(), std::vector<ByteVector>{Request(0x52)});
    EXPECT_EQ(io.CountCode(0x12), 0u);
    EXPECT_EQ(engine->GetTimeout(), 60000u);

    // Answered, with one frame still queued: still none.
    auto* net = dynamic_cast<LNet*>(engine.get());
    auto* usb = dynamic_cast<LUsb*>(engine.get());
    auto feed = [&](const ByteVector& f) {
      if (net) net->OnReceived(f.data(), f.size());
      if (usb) usb->OnReceived(f.data(), f.size());
    };
    feed(Reply(0x10));
    ASSERT_TRUE(PumpUntilThat(
        "io.Count()", [&] { return io.Count(); }, ::testing::Eq(2)));
    EXPECT_EQ(io.CountCode(0x12), 0u);

    // Idle: the keep-alive addresses the device ID set last and raises the
    // reply time-out.
    engine->SetDeviceId(9);
    feed(Reply(0x52));
    ASSERT_TRUE(PumpUntilThat(
        "io.CountCode(0x12)", [&] { return io.CountCode(0x12); }, ::testing::Ge(1)));
    EXPECT_EQ(io.Writes()[2], Request(0x12, {}, 9));
    EXPECT_EQ(engine->GetTimeout(), 5000u);

    // Switched off: the answered keep-alive is the last one.
    engine->SetKeepAliveOff(true);
    feed(Reply(0x01));
    ASSERT_TRUE(PumpUntilThat(
        "engine->IsBusy()", [&] { return engine->IsBusy(); }, ::testing::IsFalse()));
    const size_t keepAlives = io.CountCode(0x12);
    const int idleTicks = owner.TimerTicks();
    ASSERT_TRUE(PumpUntilThat(
        "owner.TimerTicks()", [&] { return owner.TimerTicks(); }, ::testing::Ge(idleTicks + 3)));
    EXPECT_FALSE(engine->IsBusy()) << "the timer submitted a keep-alive";
    EXPECT_EQ(io.CountCode(0x12), keepAlives);
    engine.reset();
  }
}

}  // namespace
