// Bounded random runs over the cutter and ParseFrame. Under the sanitizers a
// read past a buffer fails the run; the invariants catch the rest.

#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "link/FrameCutter.h"
#include "link/LCmd.h"

namespace {

// Reads the bytes from a buffer of exactly their size.
LCmd ParseTight(const std::uint8_t* data, std::size_t size) {
  std::unique_ptr<std::uint8_t[]> copy(new std::uint8_t[size]);
  std::copy(data, data + size, copy.get());
  return ParseFrame(copy.get(), size);
}

void CheckParse(const std::uint8_t* data, std::size_t size) {
  const LCmd cmd = ParseTight(data, size);
  ASSERT_LE(cmd.Payload.size(), size);
  if (!cmd.Unframed) {
    ASSERT_GE(size, 9u);
    ASSERT_LE(cmd.Payload.size() + 9, size);
  } else {
    ASSERT_EQ(cmd.DeviceId, 0);
  }
}

// Random noise with a bias toward the bytes that matter to the cutter.
std::uint8_t NoiseByte(std::mt19937& rng) {
  static const std::uint8_t special[] = {0x10, 0x02, 0x03, 0x00, 0x01};
  const unsigned r = rng() % 8;
  return r < 3 ? special[rng() % 5] : static_cast<std::uint8_t>(rng());
}

}  // namespace

TEST(FrameFuzz, RandomStreamsKeepTheCutterBounded) {
  std::mt19937 rng(0x7A40);
  for (std::size_t testFrom : {FrameCutter::StreamTestFrom, FrameCutter::SerialTestFrom}) {
    FrameCutter cutter(testFrom);
    std::size_t frames = 0;
    for (int round = 0; round < 3000; ++round) {
      ByteVector chunk(rng() % 300);
      for (auto& b : chunk) b = NoiseByte(rng);
      cutter.Feed(chunk, [&](const ByteVector& f) {
        ++frames;
        ASSERT_GE(f.size(), 8u);
        ASSERT_LE(f.size(), DeviceFrame::MaxSize);
        ASSERT_EQ(f[0], 0x10);
        ASSERT_EQ(f[1], 0x02);
        ASSERT_EQ(f.size(), f[4] + 8u);
        if (testFrom == FrameCutter::StreamTestFrom) {
          ASSERT_GE(f.size(), 9u);
        }
        CheckParse(f.data(), f.size());
      });
      ASSERT_LT(cutter.Pending(), DeviceFrame::MaxSize);
      ASSERT_LE(cutter.Frame().capacity(), DeviceFrame::MaxSize);
    }
    EXPECT_GT(frames, 0u);
  }
}

TEST(FrameFuzz, ValidFramesInRandomChunksComeBackExactly) {
  std::mt19937 rng(0x5EED);
  for (std::size_t testFrom : {FrameCutter::StreamTestFrom, FrameCutter::SerialTestFrom}) {
    for (int round = 0; round < 200; ++round) {
      std::vector<ByteVector> sent;
      ByteVector stream;
      const int count = 1 + static_cast<int>(rng() % 12);
      for (int i = 0; i < count; ++i) {
        LCmd cmd(static_cast<std::uint8_t>(rng()), static_cast<std::uint8_t>(rng()));
        cmd.Payload.resize(rng() % 4 == 0 ? rng() % 255 : rng() % 60);
        for (auto& b : cmd.Payload) b = NoiseByte(rng);
        sent.push_back(BuildFrame(cmd, 1));
        stream.insert(stream.end(), sent.back().begin(), sent.back().end());
      }

      FrameCutter cutter(testFrom);
      std::vector<ByteVector> got;
      for (std::size_t at = 0; at < stream.size();) {
        const std::size_t len = std::min<std::size_t>(1 + rng() % 40, stream.size() - at);
        cutter.Feed(std::span<const std::uint8_t>(stream).subspan(at, len),
                    [&](const ByteVector& f) { got.push_back(f); });
        at += len;
      }
      ASSERT_EQ(got, sent);
      for (std::size_t i = 0; i < got.size(); ++i) {
        const LCmd back = ParseFrame(got[i]);
        ASSERT_FALSE(back.Unframed);
        ASSERT_EQ(back.Code, sent[i][5]);
        ASSERT_EQ(back.Payload.size(), sent[i].size() - 9);
      }
    }
  }
}

TEST(FrameFuzz, ParseFrameOnRandomAndTruncatedInput) {
  std::mt19937 rng(0xF00D);
  for (int round = 0; round < 20000; ++round) {
    ByteVector bytes(rng() % 80);
    for (auto& b : bytes) b = NoiseByte(rng);
    // Often make it look like a frame so that the framed path is taken.
    if (bytes.size() >= 9 && rng() % 2) {
      bytes[0] = 0x10;
      bytes[1] = 0x02;
      bytes[bytes.size() - 3] = 0x10;
      bytes[bytes.size() - 2] = 0x03;
    }
    CheckParse(bytes.data(), bytes.size());
    if (!bytes.empty()) CheckParse(bytes.data(), rng() % bytes.size());
  }
  // Every truncation of a real frame.
  const ByteVector frame = BuildFrame(CM_MCS_PEQ(1, 3, 2, PeqBandRecord{120, 170, 40, 0}, 0), 1);
  for (std::size_t n = 0; n <= frame.size(); ++n) CheckParse(frame.data(), n);
}
