// A request that waits for its own reply: unasked, older, duplicated and
// damaged frames neither end its wait nor count as its answer, and frames
// that answer nothing do not hold its time-out off.

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "EngineTestSupport.h"
#include "link/LNet.h"
#include "link/ReplyMatch.h"

using namespace link_test;

namespace {

ByteVector Damaged(ByteVector frame, std::size_t index) {
  frame[index] ^= 0x5A;
  return frame;
}

TEST(ReplyMatch, RepliesAnswerOnlyTheirOwnRequest) {
  struct Case {
    ByteVector request, reply;
    bool answers;
  };
  const std::vector<Case> cases = {
      {Request(0x29, {3}), Reply(0x29, {3, 'a'}), true},
      {Request(0x29, {3}), Reply(0x29, {2, 'a'}), false},  // an older name
      {Request(0x27, {7}), Reply(0x24, {7, 0}), true},
      {Request(0x27, {7}), Reply(0x24, {8, 0}), false},
      {Request(0x27, {7}), Reply(0x24, {}), false},  // no index at all
      {Request(0x52), Reply(0x13, {'T'}), true},     // the identity's other form
      {Request(0x52), Reply(0x10), false},
      {Request(0x22), Reply(0x24, {0}), false},
      {Request(0x34, {1, 2, 3}), Reply(0x01), false},  // a setter has no rule
  };
  for (const Case& c : cases)
    EXPECT_EQ(AnswersRequest(c.request, c.reply), c.answers) << int(c.request[5]) << " " << int(c.reply[5]);
  EXPECT_TRUE(IsAnswerOnlyCode(0x24));
  EXPECT_FALSE(IsAnswerOnlyCode(0x40));
  EXPECT_FALSE(IsAnswerOnlyCode(0x01));

  const ByteVector good = Reply(0x29, {3, 'a', 'b'});
  EXPECT_TRUE(IsSoundFrame(good));
  EXPECT_FALSE(IsSoundFrame(Damaged(good, good.size() - 1)));  // check byte
  EXPECT_FALSE(IsSoundFrame(Damaged(good, good.size() - 2)));  // trailer
  EXPECT_FALSE(IsSoundFrame(Damaged(good, 7)));                // a payload bit: the check byte tells
  EXPECT_FALSE(IsSoundFrame(ByteVector(good.begin(), good.end() - 1)));
}

TEST_F(NetEngineTest, ARequestWaitsForItsOwnReplyOnce) {
  StartEngine();
  std::vector<bool> answers;
  owner.onFrame = [&](const ByteVector&) { answers.push_back(engine->DeliveredAnswer()); };
  engine->SendCommand(Request(0x29, {3}), true);
  engine->SendCommand(Request(0x29, {4}), true);
  // Unasked, older, and the right one damaged twice.
  const ByteVector right = Reply(0x29, {3, 'x'});
  Feed(Join({Reply(0x24, {0, 1}), Reply(0x29, {2, 'y'}), Damaged(right, right.size() - 1),
             Damaged(right, right.size() - 2)}));
  ASSERT_TRUE(PumpUntilThat(
      "owner.Frames().size()", [&] { return owner.Frames().size(); }, ::testing::Eq(2u)));
  EXPECT_EQ(answers, (std::vector<bool>{false, false}));
  EXPECT_TRUE(engine->IsBusy());
  EXPECT_EQ(engine->QueuedFrames(), std::vector<ByteVector>{Request(0x29, {4})});
  EXPECT_EQ(io.Count(), 1u);

  // Its answer hands the next one over; a second copy answers nothing.
  Feed(right);
  ASSERT_TRUE(PumpUntilThat(
      "io.Count()", [&] { return io.Count(); }, ::testing::Eq(2u)));
  Feed(right);
  ASSERT_TRUE(PumpUntilThat(
      "owner.Frames().size()", [&] { return owner.Frames().size(); }, ::testing::Eq(4u)));
  EXPECT_EQ(answers, (std::vector<bool>{false, false, true, false}));
  EXPECT_EQ(io.Writes().back(), Request(0x29, {4}));
  EXPECT_TRUE(engine->QueuedFrames().empty());
  EXPECT_TRUE(engine->IsBusy());

  std::vector<std::string> damaged;
  for (const std::string& line : engine->TakeLogLines())
    if (line.rfind("Damaged frame dropped: ", 0) == 0) damaged.push_back(line);
  EXPECT_EQ(damaged.size(), 2u);
}

TEST_F(NetEngineTest, FramesThatAnswerNothingDoNotHoldTheTimeOutOff) {
  StartEngine();
  engine->SetRetryLimit(1);
  // The time-out is set before the send, so the first wait already uses it.
  engine->SetTimeout(100);
  engine->SendCommand(Request(0x27, {5}), true);
  // Gate levels keep coming, every few milliseconds as a device sends them
  // (a flood from the pump loop would only starve the engine on a loaded
  // machine); the state packet never does.
  auto nextLevel = std::chrono::steady_clock::now();
  ASSERT_TRUE(PumpUntilThat(
      "owner.Timeouts().size()",
      [&] {
        if (std::chrono::steady_clock::now() >= nextLevel) {
          Feed(Reply(0x41, {0, 0, 0}));
          nextLevel = std::chrono::steady_clock::now() + std::chrono::milliseconds(5);
        }
        return owner.Timeouts().size();
      },
      ::testing::Ge(1u)));
  EXPECT_EQ(owner.Timeouts()[0].first, LinkNoAnswer);
  EXPECT_EQ(io.CountCode(0x27), 2u) << "written, then asked once more";
}

}  // namespace
