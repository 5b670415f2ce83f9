// Fuzz target for the cutter and ParseFrame. The test build runs it for a
// bounded number of inputs: under libFuzzer where clang brings it
// (frame-fuzz-libfuzzer), and from a seeded generator always
// (frame-fuzz-random, RandomDriver.cpp).
// The first input byte picks the mode and the chunk size.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>

#include "link/FrameCutter.h"
#include "link/LCmd.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t control = data[0];
  const std::span<const std::uint8_t> bytes(data + 1, size - 1);

  // ParseFrame over the whole input, from a buffer of exactly its size.
  {
    std::unique_ptr<std::uint8_t[]> copy(new std::uint8_t[bytes.size()]);
    std::copy(bytes.begin(), bytes.end(), copy.get());
    const LCmd cmd = ParseFrame(copy.get(), bytes.size());
    if (cmd.Payload.size() > bytes.size()) std::abort();
  }

  FrameCutter cutter((control & 1) != 0 ? FrameCutter::SerialTestFrom : FrameCutter::StreamTestFrom);
  const std::size_t chunk = 1 + (control >> 1);
  for (std::size_t at = 0; at < bytes.size(); at += chunk) {
    const std::size_t len = std::min(chunk, bytes.size() - at);
    cutter.Feed(bytes.subspan(at, len), [](const std::vector<std::uint8_t>& f) {
      if (f.size() < 8 || f.size() > DeviceFrame::MaxSize || f.size() != f[4] + 8u) std::abort();
      (void)ParseFrame(f);
    });
    if (cutter.Pending() >= DeviceFrame::MaxSize) std::abort();
  }
  return 0;
}
