#include "platform/sys/Clock.h"

#include <gtest/gtest.h>

#include "platform/sys/Threads.h"

TEST(Clock, TickAndCounterNeverGoBackAndAdvance) {
  uint64_t t0 = sys::GetTickMs();
  int64_t c0 = sys::PerfCounter();
  uint64_t last = t0;
  for (int i = 0; i < 1000; ++i) {
    uint64_t t = sys::GetTickMs();
    ASSERT_GE(t, last);
    last = t;
  }
  sys::SleepMs(20);
  EXPECT_GE(sys::GetTickMs() - t0, 20u);
  EXPECT_GE((sys::PerfCounter() - c0) * 1000 / sys::PerfFrequency(), 20);
}
