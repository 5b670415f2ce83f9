// Cutting received byte streams into frames, in stream (network, USB) and
// serial mode.

#include <gtest/gtest.h>

#include "link/FrameCutter.h"
#include "link/LCmd.h"

namespace {

using Frames = std::vector<ByteVector>;

ByteVector Frame(std::uint8_t id, std::uint8_t code, const ByteVector& payload) {
  LCmd cmd(id, code);
  cmd.Payload = payload;
  ByteVector f = BuildFrame(cmd, 1);
  // A received frame carries the ID at byte 2.
  f[2] = id;
  return f;
}

ByteVector Cat(std::initializer_list<ByteVector> parts) {
  ByteVector out;
  for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

Frames CutWhole(std::size_t testFrom, const ByteVector& stream) {
  FrameCutter cutter(testFrom);
  Frames out;
  cutter.Feed(stream, [&](const ByteVector& f) { out.push_back(f); });
  return out;
}

const ByteVector kHello = {0x10, 0x02, 0x00, 0x01, 0x01, 0x10, 0x10, 0x03, 0x11};
// A payload holding 10, 10 03 and 10 02: none of them ends or restarts it.
const ByteVector kTricky = Frame(1, 0x24, {0x05, 0x10, 0x03, 0x10, 0x02, 0x10, 0x10, 0x03});
const ByteVector kLevels = Frame(1, 0x40, ByteVector(51, 0x10));
// Length byte 0: eight bytes, no code.
const ByteVector kZeroLength = {0x10, 0x02, 0x01, 0x00, 0x00, 0x10, 0x03, 0x00};

class CutterModes : public ::testing::TestWithParam<std::size_t> {};

INSTANTIATE_TEST_SUITE_P(Link, CutterModes,
                         ::testing::Values(FrameCutter::StreamTestFrom, FrameCutter::SerialTestFrom),
                         [](const auto& info) { return info.param == 9 ? "Stream" : "Serial"; });

}  // namespace

TEST_P(CutterModes, CutsFramesOutOfTheStream) {
  ByteVector badCheck = kHello;
  badCheck.back() = 0x99;
  ByteVector longest = Frame(2, 0x28, ByteVector(254, 0x03));
  const struct {
    const char* name;
    ByteVector stream;
    Frames frames;
  } rows[] = {
      {"leading garbage", Cat({{0x00, 0xFF, 0x03, 0x02, 0x55}, kHello}), {kHello}},
      // 05 dropped, 10 kept, 07 dropped, second 10 dropped, 02 accepted.
      {"10 held across garbage",
       Cat({{0x05, 0x10, 0x07, 0x10, 0x02}, ByteVector(kHello.begin() + 2, kHello.end())}),
       {kHello}},
      {"10, 10 03 and 10 02 inside the payload", kTricky, {kTricky}},
      {"back to back", Cat({kHello, kTricky, kLevels, kHello}), {kHello, kTricky, kLevels, kHello}},
      {"wrong check byte passes unchanged", badCheck, {badCheck}},
      {"largest frame", longest, {longest}},
      // Bytes beyond a frame's length are garbage before the next 10 02.
      {"frame longer than its length", Cat({kHello, {0x44, 0x10, 0x03, 0x77}, kTricky}), {kHello, kTricky}},
      {"nothing but garbage", {0x02, 0x03, 0x10, 0x10, 0x03, 0xFF}, {}},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(CutWhole(GetParam(), r.stream), r.frames);
  }
}

TEST_P(CutterModes, SplitAnywhereGivesTheSameFrames) {
  const ByteVector stream = Cat({{0x33, 0x10}, kHello, kTricky, {0x10, 0x07}, kZeroLength, kLevels, kHello});
  const Frames whole = CutWhole(GetParam(), stream);
  ASSERT_GE(whole.size(), 4u);

  for (std::size_t a = 0; a <= stream.size(); ++a) {
    for (std::size_t b = a; b <= stream.size(); b += 7) {
      FrameCutter cutter(GetParam());
      Frames got;
      auto sink = [&](const ByteVector& f) { got.push_back(f); };
      const std::span<const std::uint8_t> s(stream);
      cutter.Feed(s.subspan(0, a), sink);
      cutter.Feed(s.subspan(a, b - a), sink);
      cutter.Feed(s.subspan(b), sink);
      ASSERT_EQ(got, whole) << "split at " << a << " and " << b;
    }
  }

  // Byte by byte through Push gives the same frames too.
  FrameCutter cutter(GetParam());
  Frames got;
  for (std::uint8_t byte : stream)
    if (cutter.Push(byte)) got.push_back(cutter.Frame());
  EXPECT_EQ(got, whole);
}

TEST(FrameCutter, LengthZeroIsDroppedOnStreamLinks) {
  FrameCutter cutter(FrameCutter::StreamTestFrom);
  Frames got;
  auto sink = [&](const ByteVector& f) { got.push_back(f); };

  cutter.Feed(kZeroLength, sink);
  EXPECT_TRUE(got.empty());
  EXPECT_EQ(cutter.Pending(), 0u);
  EXPECT_EQ(cutter.Dropped(), 1u);

  // The next frame starts clean, even when the dropped frame's check byte
  // could have paired with its trailer's 10 to look like 10 02.
  const ByteVector zeroWithStxCheck = {0x10, 0x02, 0x00, 0x03, 0x00, 0x10, 0x03, 0x02};
  cutter.Feed(Cat({zeroWithStxCheck, kHello}), sink);
  EXPECT_EQ(got, Frames{kHello});
  EXPECT_EQ(cutter.Dropped(), 2u);
}

TEST(FrameCutter, LengthZeroCompletesAtEightBytesOnSerial) {
  const Frames got = CutWhole(FrameCutter::SerialTestFrom, Cat({kZeroLength, kHello}));
  EXPECT_EQ(got, (Frames{kZeroLength, kHello}));
  // Such a frame has no code: reading it must not make it a hello answer.
  EXPECT_TRUE(ParseFrame(got[0]).Unframed);
}

TEST(FrameCutter, FrameStaysLentUntilTheNextByteAndResetDropsAPartialFrame) {
  FrameCutter cutter;
  bool done = false;
  for (std::uint8_t b : kHello) done = cutter.Push(b);
  ASSERT_TRUE(done);
  EXPECT_EQ(cutter.Frame(), kHello);
  EXPECT_EQ(cutter.Pending(), 0u);

  // A partial frame swallows what follows unless the cutter is reset.
  for (std::size_t i = 0; i < 6; ++i) cutter.Push(kTricky[i]);
  EXPECT_EQ(cutter.Pending(), 6u);
  cutter.Reset();
  EXPECT_EQ(cutter.Pending(), 0u);
  Frames got;
  cutter.Feed(kHello, [&](const ByteVector& f) { got.push_back(f); });
  EXPECT_EQ(got, Frames{kHello});
}
