// Drives the frame fuzz target without libFuzzer: a fixed number of inputs
// from a seeded generator, so a run is bounded and repeatable. The inputs mix
// whole frames, frames broken in one place and plain noise, because random
// bytes alone seldom reach the cutter's frame paths.
//   frame-fuzz-random [count [seed]]

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#include "link/DeviceFrame.h"
#include "link/LCmd.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

using Bytes = std::vector<std::uint8_t>;

int Below(std::mt19937& rng, int n) {
  return std::uniform_int_distribution<int>(0, n - 1)(rng);
}

Bytes WholeFrame(std::mt19937& rng) {
  LCmd cmd(static_cast<std::uint8_t>(Below(rng, 256)), static_cast<std::uint8_t>(Below(rng, 256)));
  cmd.Payload.resize(static_cast<std::size_t>(Below(rng, static_cast<int>(DeviceFrame::MaxPayload) + 1)));
  for (auto& b : cmd.Payload) b = static_cast<std::uint8_t>(Below(rng, 256));
  return BuildFrame(cmd, 1);
}

void Break(std::mt19937& rng, Bytes& f) {
  switch (Below(rng, 4)) {
    case 0:
      f.resize(static_cast<std::size_t>(Below(rng, static_cast<int>(f.size()))));
      break;
    case 1:
      f[static_cast<std::size_t>(Below(rng, static_cast<int>(f.size())))] ^= 0xFF;
      break;
    case 2:
      f[DeviceFrame::LengthIndex] = static_cast<std::uint8_t>(Below(rng, 256));
      break;
    default:
      f.insert(f.begin() + Below(rng, static_cast<int>(f.size())), DeviceFrame::Dle);
      break;
  }
}

Bytes MakeInput(std::mt19937& rng) {
  Bytes input{static_cast<std::uint8_t>(Below(rng, 256))};  // mode and chunk size
  const int pieces = 1 + Below(rng, 4);
  for (int p = 0; p < pieces; ++p) {
    Bytes piece;
    const int kind = Below(rng, 3);
    if (kind == 2) {
      piece.resize(static_cast<std::size_t>(Below(rng, 64)));
      for (auto& b : piece)
        b = static_cast<std::uint8_t>(Below(rng, 4) == 0 ? DeviceFrame::Dle : Below(rng, 256));
    } else {
      piece = WholeFrame(rng);
      if (kind == 1) Break(rng, piece);
    }
    input.insert(input.end(), piece.begin(), piece.end());
  }
  return input;
}

}  // namespace

int main(int argc, char** argv) {
  const long count = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 20000;
  const unsigned long seed = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 1;
  std::mt19937 rng(static_cast<std::mt19937::result_type>(seed));
  for (long i = 0; i < count; ++i) {
    const Bytes input = MakeInput(rng);
    LLVMFuzzerTestOneInput(input.data(), input.size());
  }
  std::printf("frame-fuzz-random: %ld inputs from seed %lu\n", count, seed);
  return 0;
}
