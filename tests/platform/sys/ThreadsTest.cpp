#include <atomic>
#include <memory>
#include <stdexcept>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "platform/sys/Events.h"
#include "platform/sys/Locks.h"
#include "platform/sys/Threads.h"

namespace {
constexpr uint32_t kGuardMs = 10000;
}

TEST(Thread, RunsTheBodyAndJoins) {
  sys::Thread t;
  EXPECT_FALSE(t.Started());
  EXPECT_TRUE(t.Join(0));  // nothing to join
  std::atomic<int> ran{0};
  ASSERT_TRUE(t.Start([&] { ++ran; }));
  ASSERT_TRUE(t.Join(kGuardMs));
  EXPECT_EQ(ran, 1);
  EXPECT_FALSE(t.Started());
  // The object can run again after a join.
  ASSERT_TRUE(t.Start([&] { ++ran; }));
  ASSERT_TRUE(t.Join());
  EXPECT_EQ(ran, 2);
}

TEST(Thread, JoinGivesUpAfterItsTimeOutAndStopEndsTheBody) {
  sys::Thread t;
  sys::Event entered;
  ASSERT_TRUE(t.Start([&](std::stop_token st) {
    entered.Set();
    while (!st.stop_requested()) sys::SleepMs(1);
  }));
  ASSERT_TRUE(entered.Wait(kGuardMs));
  EXPECT_TRUE(t.Running());
  EXPECT_FALSE(t.Start([] {}));  // one thread at a time
  EXPECT_FALSE(t.Join(20));
  EXPECT_TRUE(t.Running());
  t.RequestStop();
  EXPECT_TRUE(t.StopRequested());
  ASSERT_TRUE(t.Join(kGuardMs));
  EXPECT_FALSE(t.Running());
}

TEST(Thread, DestructionStopsAndJoins) {
  std::atomic<bool> ended{false};
  {
    sys::Thread t;
    ASSERT_TRUE(t.Start([&](std::stop_token st) {
      while (!st.stop_requested()) sys::SleepMs(1);
      ended = true;
    }));
  }
  EXPECT_TRUE(ended);
}

TEST(Thread, AnExceptionEndsOnlyTheBody) {
  sys::Thread t;
  ASSERT_TRUE(t.Start([] { throw std::runtime_error("worker failed"); }));
  EXPECT_TRUE(t.Join(kGuardMs));
}

TEST(Thread, DetachLeavesAStuckBodyRunningOnItsOwnState) {
  auto release = std::make_shared<sys::Event>(sys::Event::Mode::Manual);
  auto done = std::make_shared<sys::Event>(sys::Event::Mode::Manual);
  sys::Thread t;
  ASSERT_TRUE(t.Start([release, done] {
    release->Wait(kGuardMs);
    done->Set();
  }));
  EXPECT_FALSE(t.Join(10));
  t.Detach();
  EXPECT_FALSE(t.Started());
  ASSERT_TRUE(t.Start([] {}));  // the object is free again
  EXPECT_TRUE(t.Join(kGuardMs));
  release->Set();
  EXPECT_TRUE(done->Wait(kGuardMs));
}

TEST(Thread, KnowsItsOwnThreadAndRefusesToJoinItself) {
  sys::Thread t;
  std::atomic<int> selfJoin{-1};
  std::atomic<bool> current{false};
  ASSERT_TRUE(t.Start([&] {
    current = t.IsCurrent();
    selfJoin = t.Join(0) ? 1 : 0;
  }));
  ASSERT_TRUE(t.Join(kGuardMs));
  EXPECT_TRUE(current);
  EXPECT_EQ(selfJoin, 0);
  EXPECT_FALSE(t.IsCurrent());
}

TEST(Locks, RecursiveMutexReentersAndStillExcludesOthers) {
  sys::RecursiveMutex m;
  std::atomic<bool> otherGotIt{true};
  {
    sys::ScopedLock a(m);
    sys::ScopedLock b(m);
    { sys::ScopedLock c(m); }
    std::thread other([&] {
      otherGotIt = m.TryLock();
      if (otherGotIt) m.Unlock();
    });
    other.join();
    EXPECT_FALSE(otherGotIt);
  }
  std::thread other([&] {
    otherGotIt = m.TryLock();
    if (otherGotIt) m.Unlock();
  });
  other.join();
  EXPECT_TRUE(otherGotIt);  // every level was released
}

TEST(Locks, MutexSerialisesWriters) {
  sys::Mutex m;
  long counter = 0;
  std::vector<std::thread> threads;
  for (int i = 0; i < 4; ++i)
    threads.emplace_back([&] {
      for (int k = 0; k < 20000; ++k) {
        sys::ScopedLock lock(m);
        ++counter;
      }
    });
  for (auto& t : threads) t.join();
  EXPECT_EQ(counter, 80000);
  m.Lock();
  std::thread other([&] { EXPECT_FALSE(m.TryLock()); });
  other.join();
  m.Unlock();
  std::lock_guard std_compatible(m);
}
