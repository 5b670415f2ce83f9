#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/sys/Clock.h"
#include "platform/sys/Events.h"
#include "platform/sys/Threads.h"

using sys::Event;

namespace {
// Long enough never to expire on a loaded machine; only a deadlock guard.
constexpr uint32_t kGuardMs = 10000;
}  // namespace

TEST(Event, AutoResetIsTakenByOneWaiterOnly) {
  Event ev(Event::Mode::Auto);
  std::atomic<int> woke{0};
  std::atomic<int> waiting{0};
  std::vector<std::thread> waiters;
  for (int i = 0; i < 3; ++i)
    waiters.emplace_back([&] {
      ++waiting;
      if (ev.Wait(300)) ++woke;
    });
  while (waiting < 3) std::this_thread::yield();
  ev.Set();
  for (auto& t : waiters) t.join();
  EXPECT_EQ(woke, 1);
  EXPECT_FALSE(ev.TryWait());
}

TEST(Event, AutoResetCountsRepeatedSetsOnce) {
  Event ev;
  ev.Set();
  ev.Set();
  EXPECT_TRUE(ev.TryWait());
  EXPECT_FALSE(ev.TryWait());
  Event initially(Event::Mode::Auto, true);
  EXPECT_TRUE(initially.Wait(0));
  EXPECT_FALSE(initially.Wait(0));
}

TEST(Event, ManualResetStaysSetUntilReset) {
  Event ev(Event::Mode::Manual);
  EXPECT_FALSE(ev.TryWait());
  ev.Set();
  ev.Set();
  EXPECT_TRUE(ev.Wait(0));
  EXPECT_TRUE(ev.Wait(0));
  std::atomic<int> woke{0};
  std::vector<std::thread> waiters;
  for (int i = 0; i < 3; ++i)
    waiters.emplace_back([&] {
      if (ev.Wait(kGuardMs)) ++woke;
    });
  for (auto& t : waiters) t.join();
  EXPECT_EQ(woke, 3);
  ev.Reset();
  ev.Reset();
  EXPECT_FALSE(ev.TryWait());
}

TEST(WaitForAny, LowestSignalledIndexWinsAndIsTheOnlyOneTaken) {
  Event data, send, stop;
  Event* list[] = {&data, &send, &stop};
  stop.Set();
  send.Set();
  EXPECT_EQ(sys::WaitForAny(list, 0), 1);
  EXPECT_EQ(sys::WaitForAny(list, 0), 2);
  EXPECT_EQ(sys::WaitForAny(list, 0), sys::kWaitTimeout);

  // A manual-reset event ahead of an auto-reset one wins every time and
  // leaves the other set.
  Event manual(Event::Mode::Manual, true);
  Event later;
  later.Set();
  EXPECT_EQ(sys::WaitForAny({&manual, &later}, 0), 0);
  EXPECT_EQ(sys::WaitForAny({&manual, &later}, 0), 0);
  manual.Reset();
  EXPECT_EQ(sys::WaitForAny({&manual, &later}, 0), 1);
}

TEST(WaitForAny, TimesOutAndWakesOnASetFromAnotherThread) {
  Event a, b;
  uint64_t t0 = sys::GetTickMs();
  EXPECT_EQ(sys::WaitForAny({&a, &b}, 30), sys::kWaitTimeout);
  EXPECT_GE(sys::GetTickMs() - t0, 30u);

  std::thread setter([&] {
    sys::SleepMs(20);
    b.Set();
  });
  EXPECT_EQ(sys::WaitForAny({&a, &b}, sys::kInfinite), 1);
  setter.join();
  EXPECT_FALSE(b.TryWait());
}

TEST(WaitForAny, WorkerLoopShape) {
  // A worker that waits on data, send and stop with a reply time-out, as
  // the link engines do: every signal is seen once, in priority order, and
  // stop ends it.
  Event data, send, stop;
  std::atomic<int> datas{0}, sends{0}, timeouts{0};
  sys::Thread worker;
  ASSERT_TRUE(worker.Start([&] {
    Event* list[] = {&data, &send, &stop};
    for (;;) {
      int r = sys::WaitForAny(list, 5);
      if (r == 0)
        ++datas;
      else if (r == 1)
        ++sends;
      else if (r == sys::kWaitTimeout)
        ++timeouts;
      else
        break;
    }
  }));
  for (int i = 0; i < 50; ++i) {
    send.Set();
    while (sends <= i) std::this_thread::yield();
    data.Set();
    while (datas <= i) std::this_thread::yield();
  }
  stop.Set();
  ASSERT_TRUE(worker.Join(kGuardMs));
  EXPECT_EQ(sends, 50);
  EXPECT_EQ(datas, 50);
}

TEST(WaitForAny, FileDescriptorsComeAfterTheEvents) {
  int p[2];
  ASSERT_EQ(pipe(p), 0);
  Event ev;
  Event* list[] = {&ev};
  const int fds[] = {p[0]};
  EXPECT_EQ(sys::WaitForAny(list, fds, 0), sys::kWaitTimeout);
  ASSERT_EQ(write(p[1], "x", 1), 1);
  EXPECT_EQ(sys::WaitForAny(list, fds, kGuardMs), 1);
  ev.Set();
  EXPECT_EQ(sys::WaitForAny(list, fds, kGuardMs), 0);  // the event goes first
  EXPECT_EQ(sys::WaitForAny(list, fds, kGuardMs), 1);  // the byte is still there
  close(p[1]);
  char c;
  ASSERT_EQ(read(p[0], &c, 1), 1);
  EXPECT_EQ(sys::WaitForAny(list, fds, kGuardMs), 1);  // hang-up counts
  close(p[0]);
}

TEST(WaitForAny, BadArgumentsFail) {
  Event ev;
  EXPECT_EQ(sys::WaitForAny({&ev, nullptr}, 0), sys::kWaitFailed);
  EXPECT_EQ(sys::WaitForAny(std::span<Event* const>(), 0), sys::kWaitFailed);
  Event* list[] = {&ev};
  const int bad[] = {-1};
  EXPECT_EQ(sys::WaitForAny(list, bad, 0), sys::kWaitFailed);
}
