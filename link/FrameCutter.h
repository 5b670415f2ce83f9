#pragma once
// Cuts received bytes into frames for all three link engines.
//
// Nothing collected: bytes up to a 0x10 are dropped. Holding the 0x10: bytes
// up to a 0x02 are dropped, the 0x10 stays. Then every byte is collected, and
// the frame is complete at (byte 4) + 8 bytes. The check byte and the trailer
// are not tested here (ParseFrame marks a wrong trailer).
//
// The completion test starts at TestFrom collected bytes: 9 on the network
// and USB, 5 on serial. On serial a frame with length byte 0 thus completes
// at 8 bytes and is handed on; on the network and USB it could never
// complete, so its 8 bytes are dropped and the cutter looks for the next
// 10 02. The collection never holds more than the largest frame.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "link/DeviceFrame.h"

class FrameCutter {
 public:
  static constexpr std::size_t StreamTestFrom = 9;  // network and USB
  static constexpr std::size_t SerialTestFrom = 5;

  explicit FrameCutter(std::size_t testFrom = StreamTestFrom);

  // Takes one byte. True when it completed a frame, which Frame() then
  // holds until the next Push, Feed or Reset.
  bool Push(std::uint8_t b);

  // Takes a chunk and calls onFrame(const std::vector<std::uint8_t>&) for
  // each frame it completes, in order. A frame may span chunks.
  template <class OnFrame>
  void Feed(std::span<const std::uint8_t> bytes, OnFrame&& onFrame) {
    for (std::uint8_t b : bytes)
      if (Push(b)) onFrame(Frame());
  }

  const std::vector<std::uint8_t>& Frame() const { return FCollected; }

  // Bytes collected toward the next frame (0 right after a completion).
  std::size_t Pending() const { return FComplete ? 0 : FCollected.size(); }

  // Collections dropped because they could never complete.
  std::size_t Dropped() const { return FDropCount; }

  void Reset();

 private:
  std::size_t FTestStart;
  std::vector<std::uint8_t> FCollected;
  bool FComplete = false;
  std::size_t FDropCount = 0;
};
