#pragma once
// Monotonic clocks: milliseconds for time-outs and timers, a high-resolution
// counter (with its frequency) for turnaround times.

#include <cstdint>

namespace sys {

uint64_t GetTickMs();
int64_t PerfCounter();
int64_t PerfFrequency();  // counts per second

}  // namespace sys
