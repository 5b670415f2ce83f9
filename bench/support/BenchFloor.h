#pragma once
// Every benchmark names its floor, and the run ends with one line per
// benchmark: its time, its floor's and the ratio, all from this run, so a
// reader needs no arithmetic:
//   BENCH_FLOOR BM_CopyRect 0.081 ms floor=BM_MemoryCopy 0.036 ms ratio=2.25
// A benchmark is either timed against another benchmark of the same program
// (with the same arguments where both take them), or works out its ratio
// itself, inside its own iterations, into a counter.

#include <string>

namespace bench {

// `benchmark`'s time over `floor`'s.
bool FloorIsBenchmark(const std::string& benchmark, const std::string& floor);
// The ratio is `benchmark`'s counter `ratioCounter`; `floor` says what it
// was measured against.
bool FloorIsCounter(const std::string& benchmark, const std::string& floor, const std::string& ratioCounter);

}  // namespace bench

#define BENCH_FLOOR_JOIN2(a, b) a##b
#define BENCH_FLOOR_JOIN(a, b) BENCH_FLOOR_JOIN2(a, b)
// At namespace scope: BENCH_FLOOR(BM_Thing, BM_ThingFloor);
#define BENCH_FLOOR(benchmark, floor)                                           \
  [[maybe_unused]] static const bool BENCH_FLOOR_JOIN(bench_floor_, __LINE__) = \
      bench::FloorIsBenchmark(#benchmark, #floor)
// At namespace scope: BENCH_FLOOR_COUNTER(BM_Thing, "what it is measured against", "ratio");
#define BENCH_FLOOR_COUNTER(benchmark, floor, counter)                          \
  [[maybe_unused]] static const bool BENCH_FLOOR_JOIN(bench_floor_, __LINE__) = \
      bench::FloorIsCounter(#benchmark, floor, counter)
