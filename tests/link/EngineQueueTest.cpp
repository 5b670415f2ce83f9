// The send queue shared by the link engines: one frame in flight, the
// append mark, and coalescing by target wherever the target's frame waits. Run on the network engine with a recording
// transport; nothing here depends on the transport.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "EngineTestSupport.h"
#include "link/LNet.h"

using namespace link_test;

namespace {

constexpr std::uint8_t Gain = 0x34;
constexpr std::uint8_t Mute = 0x35;
constexpr std::uint8_t Peq = 0x33;
constexpr std::uint8_t Name = 0x3D;
constexpr std::uint8_t Levels = 0x40;
constexpr std::uint8_t Echo = 0x62;
constexpr std::uint8_t Matrix = 0x3A;

struct Submission {
  std::uint8_t code;
  std::vector<std::uint8_t> payload;
  bool append = false;
};

ByteVector FrameOf(const Submission& s) {
  LCmd cmd(1, s.code);
  cmd.Payload = s.payload;
  return BuildFrame(cmd, 1);
}

struct QueueCase {
  std::string name;
  // The first submission goes in flight; the rest arrive while it waits.
  std::vector<Submission> submissions;
  // Which submissions wait in the queue, in order, and the marked slot.
  std::vector<int> queued;
  int mark;
};

class EngineQueueTest : public NetEngineTest {};

TEST_F(EngineQueueTest, SubmissionsWhileAFrameIsInFlightQueueAndCoalesceAsTheTableSays) {
  const std::vector<QueueCase> cases = {
      {"a burst of one control keeps its last value",
       {{Gain, {0, 1, 0}}, {Gain, {0, 2, 0}}, {Gain, {0, 3, 0}}, {Gain, {0, 4, 0}}},
       {3},
       0},
      {"another code between still leaves one value per control",
       {{Gain, {0, 1, 0}}, {Gain, {0, 2, 0}}, {Mute, {0, 1}}, {Gain, {0, 3, 0}}},
       {3, 2},
       0},
      {"appended name then two gains: the second gain replaces the first",
       {{Levels, {}}, {Name, {0, 'A'}, true}, {Gain, {0, 1, 0}}, {Gain, {0, 2, 0}}},
       {1, 3},
       1},
      {"the same code for another channel is queued, not dropped",
       {{Gain, {0, 1, 0}}, {Gain, {0, 2, 0}}, {Gain, {1, 2, 0}}, {Gain, {0, 3, 0}}},
       {3, 2},
       0},
      {"two faders moved in turn keep one frame each",
       {{Levels, {}},
        {Gain, {0, 1, 0}},
        {Gain, {1, 1, 0}},
        {Gain, {0, 2, 0}},
        {Gain, {1, 2, 0}},
        {Gain, {0, 3, 0}},
        {Gain, {1, 3, 0}}},
       {5, 6},
       1},
      {"routing frames keep their order among themselves",
       {{Levels, {}}, {Matrix, {18, 4, 0}}, {Matrix, {9, 1, 1}}, {Matrix, {18, 0, 0}}, {Matrix, {9, 3, 1}}},
       {1, 2, 3, 4},
       3},
      {"a routing frame with nothing of its kind behind it coalesces",
       {{Levels, {}}, {Matrix, {9, 1, 1}}, {Gain, {0, 1, 0}}, {Matrix, {9, 3, 1}}},
       {3, 2},
       0},
      {"a whole link group reaches the device",
       {{Levels, {}}, {Gain, {0, 5, 0}}, {Gain, {1, 5, 0}}, {Gain, {2, 5, 0}}, {Gain, {3, 5, 0}}},
       {1, 2, 3, 4},
       3},
      {"PEQ bands coalesce per channel and band",
       {{Levels, {}}, {Peq, {0, 2, 1}}, {Peq, {0, 2, 2}}, {Peq, {0, 3, 1}}, {Peq, {0, 3, 2}}},
       {2, 4},
       1},
      {"level polls without a target coalesce on their code",
       {{Levels, {}}, {Levels, {}}, {Levels, {}}, {Levels, {}}},
       {3},
       0},
      {"value-only commands coalesce on their code",
       {{Levels, {}}, {Echo, {1, 0, 0, 0, 2, 0, 0, 0}}, {Echo, {9, 0, 0, 0, 2, 0, 0, 0}}},
       {2},
       0},
      {"appended frames are never replaced and leave the mark alone",
       {{Gain, {0, 1, 0}, true}, {Gain, {0, 2, 0}, true}, {Gain, {0, 3, 0}, true}},
       {1, 2},
       -1},
      {"a plain frame after an appended one of its target goes last, so the newest value wins",
       {{Levels, {}}, {Gain, {0, 1, 0}}, {Gain, {0, 2, 0}, true}, {Gain, {0, 3, 0}}},
       {1, 2, 3},
       2},
      {"an appended frame keeps what follows it behind it",
       {{Levels, {}}, {Gain, {0, 1, 0}}, {Gain, {1, 2, 0}, true}, {Gain, {0, 3, 0}}},
       {1, 2, 3},
       2},
      {"the frame in flight is never replaced", {{Gain, {0, 1, 0}}, {Gain, {0, 2, 0}}}, {1}, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    engine.reset();
    StartEngine();
    size_t writesBefore = io.Count();
    for (const auto& s : c.submissions) engine->SendCommand(FrameOf(s), s.append);

    std::vector<ByteVector> expected;
    for (int i : c.queued) expected.push_back(FrameOf(c.submissions[static_cast<size_t>(i)]));
    EXPECT_EQ(engine->QueuedFrames(), expected);
    EXPECT_EQ(engine->MarkedIndex(), c.mark);
    EXPECT_EQ(engine->GetLastCode(), c.submissions.back().code);
    ASSERT_TRUE(PumpUntilThat(
        "io.Count()", [&] { return io.Count(); }, ::testing::Eq(writesBefore + 1)));
    EXPECT_EQ(io.Writes().back(), FrameOf(c.submissions.front())) << "only the first frame is written";
  }
}

TEST_F(EngineQueueTest, EachAnswerHandsOverTheNextFrameAndTheLastLeavesTheEngineIdle) {
  StartEngine();
  const ByteVector first = Request(0x52);
  const ByteVector gainA = Request(Gain, {0, 1, 0});
  const ByteVector gainB = Request(Gain, {0, 2, 0});
  const ByteVector gainC = Request(Gain, {0, 3, 0});

  // Even an appended frame goes out at once when nothing is in flight.
  engine->SendCommand(first, true);
  engine->SendCommand(gainA, false);
  ASSERT_EQ(engine->MarkedIndex(), 0);

  engine->OnReceived(Reply(0x52).data(), Reply(0x52).size());
  ASSERT_TRUE(PumpUntilThat(
      "io.Count()", [&] { return io.Count(); }, ::testing::Eq(2)));
  EXPECT_EQ(io.Writes()[1], gainA);
  // The marked frame left the queue for the transport: it can no longer be
  // replaced, so the next gain waits behind it.
  EXPECT_EQ(engine->MarkedIndex(), -1);
  engine->SendCommand(gainB, false);
  engine->SendCommand(gainC, false);
  EXPECT_EQ(engine->QueuedFrames(), std::vector<ByteVector>{gainC});

  engine->OnReceived(Reply(0x01).data(), Reply(0x01).size());
  ASSERT_TRUE(PumpUntilThat(
      "io.Count()", [&] { return io.Count(); }, ::testing::Eq(3)));
  EXPECT_EQ(io.Writes()[2], gainC);
  EXPECT_TRUE(engine->IsBusy());

  engine->OnReceived(Reply(0x01).data(), Reply(0x01).size());
  ASSERT_TRUE(PumpUntilThat(
      "owner.Count(WM_LINK_FRAME)", [&] { return owner.Count(WM_LINK_FRAME); }, ::testing::Eq(3)));
  ASSERT_TRUE(PumpUntilThat(
      "engine->IsBusy()", [&] { return engine->IsBusy(); }, ::testing::IsFalse()));
  engine->SendCommand(gainA, false);
  ASSERT_TRUE(PumpUntilThat(
      "io.Count()", [&] { return io.Count(); }, ::testing::Eq(4)));
  EXPECT_EQ(io.Writes()[3], gainA);
}

TEST_F(EngineQueueTest, TheUsersLastEditReachesTheDeviceAfterAnAppendedValueOfTheSameTarget) {
  StartEngine();
  // Queued 102 (marked), appended 103 behind it, then the user's 104.
  engine->SendCommand(Request(Levels), false);
  engine->SendCommand(Request(Gain, {0, 102, 0}), false);
  engine->SendCommand(Request(Gain, {0, 103, 0}), true);
  engine->SendCommand(Request(Gain, {0, 104, 0}), false);
  ASSERT_TRUE(PumpUntilThat(
      "io.Count()", [&] { return io.Count(); }, ::testing::Eq(1)));
  // Answer every frame until the queue is empty; the last gain written is
  // what the device ends at.
  for (size_t answered = 1; engine->IsBusy(); ++answered) {
    ASSERT_LE(answered, 4u) << "more frames written than submitted";
    engine->OnReceived(Reply(0x01).data(), Reply(0x01).size());
    ASSERT_TRUE(PumpUntil([&] { return io.Count() > answered || !engine->IsBusy(); }))
        << "writes " << io.Count() << " after " << answered << " answers, busy " << engine->IsBusy();
  }
  int deviceGain = -1;
  for (const ByteVector& w : io.Writes())
    if (w[5] == Gain) deviceGain = w[7];
  EXPECT_EQ(deviceGain, 104);
}

TEST_F(EngineQueueTest, FramesTheHandlerSubmitsWaitUntilItReturnsAndGoOutInOrder) {
  StartEngine();
  const ByteVector hello = Request(0x10);
  const ByteVector identity = Request(0x52);
  const ByteVector lock = Request(0x2C);
  std::vector<size_t> writesSeenInHandler;
  owner.onFrame = [&](const ByteVector& frame) {
    if (frame[5] != 0x10) return;
    engine->SendCommand(identity, true);
    engine->SendCommand(lock, true);
    writesSeenInHandler.push_back(io.Count());
    EXPECT_TRUE(engine->IsBusy());
  };
  engine->SendCommand(hello, true);
  ASSERT_TRUE(PumpUntilThat(
      "io.Count()", [&] { return io.Count(); }, ::testing::Eq(1)));
  engine->OnReceived(Reply(0x10).data(), Reply(0x10).size());
  ASSERT_TRUE(PumpUntilThat(
      "io.Count()", [&] { return io.Count(); }, ::testing::Eq(2)));
  EXPECT_EQ(writesSeenInHandler, std::vector<size_t>{1});
  EXPECT_EQ(io.Writes()[1], identity);
  EXPECT_EQ(engine->QueuedFrames(), std::vector<ByteVector>{lock});
  engine->OnReceived(Reply(0x52).data(), Reply(0x52).size());
  ASSERT_TRUE(PumpUntilThat(
      "io.Count()", [&] { return io.Count(); }, ::testing::Eq(3)));
  EXPECT_EQ(io.Writes()[2], lock);
}

TEST_F(EngineQueueTest, AnswersArrivingTogetherStillLetEveryQueuedFrameOut) {
  StartEngine();
  const ByteVector a = Request(0x27, {0});
  const ByteVector b = Request(0x27, {1});
  const ByteVector c = Request(0x27, {2});
  engine->SendCommand(a, true);
  engine->SendCommand(b, true);
  engine->SendCommand(c, true);
  ASSERT_TRUE(PumpUntilThat(
      "io.Count()", [&] { return io.Count(); }, ::testing::Eq(1)));
  const ByteVector both = Join({Reply(0x24, {0}), Reply(0x24, {1})});
  engine->OnReceived(both.data(), both.size());
  ASSERT_TRUE(PumpUntilThat(
      "io.Count()", [&] { return io.Count(); }, ::testing::Eq(3)));
  EXPECT_EQ(io.Writes(), (std::vector<ByteVector>{a, b, c})) << "no frame is displaced before it is written";
}

TEST_F(EngineQueueTest, AFrameSubmittedFromTheHandlerOfAnUnaskedFrameKeepsTheLinkBusy) {
  StartEngine();
  engine->SendCommand(Request(0x10), true);
  engine->OnReceived(Reply(0x10).data(), Reply(0x10).size());
  ASSERT_TRUE(PumpUntilThat(
      "engine->IsBusy()", [&] { return engine->IsBusy(); }, ::testing::IsFalse()));

  // Gate levels arrive unasked; their handler submits a frame, which goes
  // out at once and then waits for its own answer.
  const ByteVector poll = Request(0x40);
  const ByteVector gain = Request(Gain, {0, 1, 0});
  owner.onFrame = [&](const ByteVector& f) {
    if (f[5] == 0x41) engine->SendCommand(poll, false);
  };
  engine->OnReceived(Reply(0x41, {1, 2}).data(), Reply(0x41, {1, 2}).size());
  ASSERT_TRUE(PumpUntilThat(
      "io.Count()", [&] { return io.Count(); }, ::testing::Eq(2)));
  // Written after the worker looked at the queue for the unasked frame.
  EXPECT_EQ(io.Writes()[1], poll);
  EXPECT_TRUE(engine->IsBusy());
  engine->SendCommand(gain, false);
  EXPECT_EQ(engine->QueuedFrames(), std::vector<ByteVector>{gain});

  engine->OnReceived(Reply(0x40).data(), Reply(0x40).size());
  ASSERT_TRUE(PumpUntilThat(
      "io.Count()", [&] { return io.Count(); }, ::testing::Eq(3)));
  EXPECT_EQ(io.Writes()[2], gain);
}

TEST_F(EngineQueueTest, FramesTheBufferCannotHoldAndSubmissionsBeforeStartAreIgnored) {
  engine = std::make_unique<LNetProc>(&owner, &io, 1);
  engine->SendCommand(Request(Gain, {0, 1, 0}), false);
  EXPECT_FALSE(engine->IsBusy()) << "not started";

  ASSERT_TRUE(engine->Start());
  engine->SetTimeout(60000);
  ByteVector tooLong = Request(0x25, {});
  tooLong.resize(LNet::BufferSize + 1, 0x55);
  engine->SendCommand(tooLong, true);
  engine->SendCommand({}, true);
  EXPECT_FALSE(engine->IsBusy());

  // Nothing was handed over, so the first write is the longest frame.
  ByteVector longest(LNet::BufferSize, 0x55);
  engine->SendCommand(longest, true);
  ASSERT_TRUE(PumpUntilThat(
      "io.Count()", [&] { return io.Count(); }, ::testing::Ge(1)));
  EXPECT_EQ(io.Writes(), std::vector<ByteVector>{longest});
}

TEST(CoalescingTarget, NamesChannelBandAndSlotOfTheCommandsThatHaveOne) {
  struct Row {
    std::uint8_t code;
    size_t size;
  };
  for (Row r :
       {Row{0x34, 1}, Row{0x35, 1}, Row{0x33, 2}, Row{0x3D, 1}, Row{0x5B, 1}, Row{0x64, 1}, Row{0x6B, 1},
        Row{0x40, 0}, Row{0x12, 0}, Row{0x60, 0}, Row{0x63, 0}, Row{0x15, 0}, Row{0x77, 0}})
    EXPECT_EQ(CoalescingTargetSize(r.code), r.size) << std::hex << int(r.code);
}

}  // namespace
