#include "platform/sys/Clock.h"

#include <time.h>

namespace sys {

namespace {
int64_t MonotonicNs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return int64_t(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}
}  // namespace

uint64_t GetTickMs() {
  return uint64_t(MonotonicNs() / 1000000);
}
int64_t PerfCounter() {
  return MonotonicNs();
}
int64_t PerfFrequency() {
  return 1000000000;
}

}  // namespace sys
