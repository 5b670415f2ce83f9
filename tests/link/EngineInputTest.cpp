// Received bytes as the network and USB engines see them: chunks handed
// over by the owner, cut into frames and delivered one by one, garbage and
// malformed input dropped without losing the frames around it.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "EngineTestSupport.h"
#include "link/LNet.h"
#include "link/LUsb.h"

using namespace link_test;

namespace {

class EngineInputTest : public NetEngineTest {};

ByteVector Filler(size_t n, std::uint8_t value = 0x55) {
  return ByteVector(n, value);
}

// A frame whose length byte says 200: longer than the engine's buffer.
ByteVector Oversize() {
  ByteVector f{0x10, 0x02, 0x01, 0x00, 200, 0x24};
  f.resize(DeviceFrame::SizeFor(200), 0x55);
  return f;
}

TEST_F(EngineInputTest, ChunksAreCutIntoFramesAndMalformedInputIsDropped) {
  const ByteVector ack = Reply(0x01);
  const ByteVector levels = Reply(0x40, {1, 2, 3, 0x10, 0x03, 4});
  struct Case {
    std::string name;
    std::vector<ByteVector> chunks;
    std::vector<ByteVector> delivered;
    size_t logged = 0;
  };
  const ByteVector big = Oversize();
  const std::vector<Case> cases = {
      {"one frame", {ack}, {ack}},
      {"a payload holding 10 03 does not end the frame early", {levels}, {levels}},
      {"one frame split over three chunks",
       {ByteVector(ack.begin(), ack.begin() + 2), ByteVector(ack.begin() + 2, ack.begin() + 7),
        ByteVector(ack.begin() + 7, ack.end())},
       {ack}},
      {"two frames in one chunk", {Join({ack, levels})}, {ack, levels}},
      {"garbage before the frame", {Join({{0x05, 0x10, 0x07, 0x10}, ack})}, {ack}},
      {"a length byte of 0 is dropped and the next 10 02 found",
       {Join({{0x10, 0x02, 0x01, 0x00, 0x00, 0x10, 0x03, 0x00}, ack})},
       {ack}},
      {"a frame longer than the buffer is dropped and logged",
       {ByteVector(big.begin(), big.begin() + 100), ByteVector(big.begin() + 100, big.end()), ack},
       {ack},
       1},
      {"a chunk longer than the buffer is taken whole",
       {Join({ack, Filler(LNet::BufferSize), levels}), ack},
       {ack, levels, ack}},
      {"a frame in a long chunk is taken across the buffer's size",
       {Join({Filler(LNet::BufferSize - 4), levels})},
       {levels}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    engine.reset();
    owner.got.clear();
    StartEngine();
    engine->SendCommand(Request(0x40), false);
    for (const auto& chunk : c.chunks) Feed(chunk);
    // A closing frame marks the end of what the case fed.
    const ByteVector end = Reply(0x7E);
    Feed(end);
    ASSERT_TRUE(PumpUntilThat(
        "last frame", [&] { return owner.Frames().empty() ? ByteVector{} : owner.Frames().back(); },
        ::testing::Eq(end)));
    auto frames = owner.Frames();
    frames.pop_back();
    EXPECT_EQ(frames, c.delivered);
    EXPECT_EQ(engine->TakeLogLines().size(), c.logged);
  }
}

TEST_F(EngineInputTest, ChunksAWorkerHeldUpCannotTakeAreDroppedAndLogged) {
  StartEngine();
  io.Hold();
  engine->SendCommand(Request(0x10), true);
  ASSERT_TRUE(PumpUntilThat(
      "io.Holding()", [&] { return io.Holding(); }, ::testing::IsTrue()));
  const ByteVector chunk(LNet::BufferSize * 300, 0x55);
  Feed(chunk);
  const std::vector<std::string> lines = engine->TakeLogLines();
  io.Release();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_NE(lines[0].find(std::to_string(LNet::BufferSize * 44) + " bytes dropped"), std::string::npos)
      << lines[0];
}

TEST_F(EngineInputTest, BytesBeforeTheFirstSubmissionAreDropped) {
  StartEngine();
  Feed(Reply(0x41, {1, 2}));
  engine->SendCommand(Request(0x10), true);
  Feed(Reply(0x10));
  ASSERT_TRUE(PumpUntilThat(
      "owner.Frames()", [&] { return owner.Frames(); }, ::testing::Not(::testing::IsEmpty())));
  EXPECT_EQ(owner.Frames(), std::vector<ByteVector>{Reply(0x10)})
      << "delivered in order: the early frame never";
}

TEST_F(EngineInputTest, TheFrameIsLentForTheCallWithTheTurnaroundTime) {
  StartEngine();
  engine->SendCommand(Request(0x10), true);
  ASSERT_TRUE(PumpUntilThat(
      "io.Count()", [&] { return io.Count(); }, ::testing::Eq(1)));
  Feed(Reply(0x10));
  ASSERT_TRUE(PumpUntilThat(
      "owner.got.size()", [&] { return owner.got.size(); }, ::testing::Eq(1)));
  EXPECT_EQ(owner.got[0].msg, WM_LINK_FRAME);
  EXPECT_GE(owner.got[0].lParam, 0);
  EXPECT_LT(owner.got[0].lParam, 60000);
}

TEST(UsbReports, FramesTravelAsWholeReportsAndInputReportsAreCutAtTheirFrame) {
  const ByteVector hello = Request(0x10);
  ByteVector report = BuildUsbOutputReport(hello.data(), hello.size(), 65);
  ASSERT_EQ(report.size(), 65u);
  EXPECT_EQ(report[0], 0) << "report ID";
  EXPECT_EQ(ByteVector(report.begin() + 1, report.begin() + 10), hello);
  for (size_t i = 10; i < report.size(); ++i) EXPECT_EQ(report[i], 0);
  EXPECT_TRUE(BuildUsbOutputReport(hello.data(), hello.size(), 9).empty()) << "no room for the report ID";

  struct Row {
    ByteVector data;
    size_t frame;
  };
  ByteVector ack = Reply(0x01);
  ByteVector padded = Join({ack, Filler(55, 0xAA)});
  const std::vector<Row> rows = {
      {padded, 9},                                    // byte 4 is 1: nine bytes, whatever the report's length
      {ByteVector(ack.begin(), ack.begin() + 6), 6},  // shorter than its frame: all of it
      {ByteVector{0x10, 0x02, 0x01}, 3},              // no length byte: all of it
      {ByteVector{}, 0},
  };
  for (const auto& r : rows) EXPECT_EQ(UsbReportFrameLength(r.data.data(), r.data.size()), r.frame);
}

}  // namespace
