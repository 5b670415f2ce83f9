// Stopping a link engine: from inside the very frame handler the worker
// waits for, while the user-interface thread has not yet run that handler,
// with a link-lost report already on its way, and with a worker stuck in
// its transport. Never a deadlock, nothing delivered or posted after Stop.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "EngineTestSupport.h"
#include "link/LNet.h"
#include "link/LUsb.h"

using namespace link_test;

namespace {

class EngineStopTest : public NetEngineTest {};

TEST_F(EngineStopTest, StopInsideTheFrameHandlerEndsTheLinkAtOnce) {
  for (bool freeIt : {false, true}) {
    SCOPED_TRACE(freeIt ? "stopped and freed in the handler" : "stopped in the handler");
    engine.reset();
    owner.got.clear();
    const size_t written = io.Count();
    StartEngine();
    owner.onFrame = [&](const ByteVector&) {
      if (freeIt) {
        engine.reset();
      } else {
        engine->Stop();
        EXPECT_FALSE(engine->IsStarted());
        EXPECT_TRUE(engine->QueuedFrames().empty());
      }
    };
    engine->SendCommand(Request(0x10), true);
    engine->SendCommand(Request(0x52), true);
    // Three answers at once: the first handler stops the link, so the other
    // two are never delivered and the queued frame is never written.
    Feed(Join({Reply(0x10), Reply(0x01), Reply(0x01)}));
    ASSERT_TRUE(PumpUntilThat(
        "owner.Count(WM_LINK_FRAME)", [&] { return owner.Count(WM_LINK_FRAME); }, ::testing::Ge(1)));
    // The worker has ended: whatever it could still deliver waits here.
    ASSERT_TRUE(PumpWaiting());
    EXPECT_EQ(owner.Count(WM_LINK_FRAME), 1u);
    EXPECT_EQ(io.Count(), written + 1);
    if (engine) {
      engine->SendCommand(Request(0x40), false);
      EXPECT_TRUE(engine->QueuedFrames().empty()) << "a stopped engine takes no frame";
      EXPECT_EQ(io.Count(), written + 1) << "a stopped engine writes nothing";
    }
    owner.onFrame = nullptr;
  }
}

TEST_F(EngineStopTest, AFrameHandedOverJustBeforeStopIsWrittenBeforeTheWorkerEnds) {
  const ByteVector goodbye = Request(0x11);
  for (int round = 0; round < 30; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    engine.reset();
    StartEngine();
    const size_t written = io.Count();
    engine->SendCommand(goodbye, true);
    engine->Stop();  // the worker has ended when this returns
    ASSERT_EQ(io.Count(), written + 1);
    EXPECT_EQ(io.Writes().back(), goodbye);
  }
}

TEST_F(EngineStopTest, ALastFrameGoesOutBeforeTheStopEvenWhileAnotherWaitsForItsAnswer) {
  const ByteVector goodbye = Request(0x11);
  engine.reset();
  StartEngine();
  engine->SendCommand(Request(0x40), false);
  engine->SendCommand(Request(0x27), true);  // queued behind the unanswered poll
  ASSERT_TRUE(PumpUntilThat(
      "io.Count()", [&] { return io.CountCode(0x40); }, ::testing::Ge(1u)));
  engine->SendLast(goodbye);
  engine->Stop();
  EXPECT_EQ(io.Writes().back(), goodbye);
  EXPECT_EQ(io.CountCode(0x27), 0u) << "frames still queued are dropped by the stop";
}

TEST_F(EngineStopTest, StopWhileTheWorkerWaitsForTheUserInterfaceNeverDeliversThatFrame) {
  StartEngine();
  engine->SendCommand(Request(0x10), true);
  Feed(Reply(0x10));
  // The worker now waits for this thread to handle the frame; this thread
  // stops the engine without handling anything first.
  ASSERT_TRUE(WaitUntilThat(
      "waiting deliveries", [&] { return owner.Waiting(); }, ::testing::Eq(1u)));
  engine->Stop();
  ASSERT_TRUE(PumpWaiting());
  EXPECT_EQ(owner.Count(WM_LINK_FRAME), 0u);
}

TEST_F(EngineStopTest, ALinkLostReportStillOnItsWayIsDroppedByStop) {
  Observed<LNet> lossy(&owner, &io);
  ASSERT_TRUE(lossy.Start());
  lossy.SetKeepAliveInterval(60000);
  lossy.SetTimeout(20);
  lossy.SetRetryLimit(0);
  lossy.SendCommand(Request(0x10), true);
  // Reported on the worker, not yet handled here (nothing is pumped).
  ASSERT_TRUE(WaitUntilThat(
      "reports", [&] { return lossy.NotifyCount(); }, ::testing::Ge(1u)));
  lossy.Stop();
  ASSERT_TRUE(PumpWaiting());
  EXPECT_TRUE(owner.Timeouts().empty());
}

TEST_F(EngineStopTest, AWorkerThatDoesNotEndInTimeIsReportedAndWaitedForBeforeTheEngineGoes) {
  auto usb = std::make_unique<LUsbProc>(&owner, &io, 1);
  ASSERT_TRUE(usb->Start());
  usb->SetKeepAliveInterval(60000);
  io.Hold();
  usb->SendCommand(Request(0x10), true);
  ASSERT_TRUE(WaitUntilThat(
      "held in a write", [&] { return io.Holding(); }, ::testing::IsTrue()));

  usb->Stop();  // waits its 5000 ms, then reports
  ASSERT_TRUE(PumpUntilThat(
      "owner.Timeouts()", [&] { return owner.Timeouts(); }, ::testing::Not(::testing::IsEmpty())));
  EXPECT_EQ(owner.Timeouts()[0], std::make_pair(static_cast<int>(LinkStopTimedOut), 0));
  EXPECT_FALSE(usb->Start()) << "the old worker still runs";

  std::thread release([&] { io.Release(); });
  usb.reset();  // waits for the worker, which ends once released
  release.join();
  EXPECT_EQ(io.Count(), 1u);
}

}  // namespace
