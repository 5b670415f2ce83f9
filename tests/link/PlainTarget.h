#pragma once
// A message target without a window or an application: the thread that
// made it handles its messages, synchronous deliveries and timers whenever
// it pumps (PumpUntil). What the link engines need of their owner window,
// for tests that run without a display.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/sys/MessageTarget.h"
#include "tests/support/WaitThat.h"

namespace link_test {

class PlainTarget : public sys::MessageTarget {
 public:
  using Clock = std::chrono::steady_clock;

  PlainTarget() : FThread(std::this_thread::get_id()) { Pumped().push_back(this); }
  ~PlainTarget() override {
    auto& all = Pumped();
    all.erase(std::remove(all.begin(), all.end(), this), all.end());
    // Wakes every worker still waiting for a delivery.
    std::lock_guard lock(FState->m);
    for (auto& item : FState->queue)
      if (item->stopped) *item->stopped = true;
    FState->queue.clear();
    FState->gone = true;
    FState->cv.notify_all();
  }

  // Runs on the target's thread for every message it handles.
  virtual void Handle(unsigned msg, sys::MessageWParam wParam, sys::MessageLParam lParam) = 0;
  // Runs on the target's thread after each round of RunOnce.
  virtual void Idle() {}

  bool Post(unsigned msg, sys::MessageWParam wParam, sys::MessageLParam lParam) override {
    return Enqueue(msg, wParam, lParam, nullptr, nullptr) != nullptr;
  }
  std::unique_ptr<sys::MessageChannel> OpenChannel() override { return std::make_unique<Channel>(*this); }
  std::unique_ptr<sys::Timer> CreateTimer(std::function<void()> onTimer) override {
    return std::make_unique<PlainTimer>(*this, std::move(onTimer));
  }
  bool OnTargetThread() const override { return std::this_thread::get_id() == FThread; }

  // Handles what waits and the timers that are due; waits at most waitMs
  // for something to arrive when nothing does.
  void RunOnce(int waitMs) {
    std::shared_ptr<Item> item;
    {
      std::unique_lock lock(FState->m);
      if (FState->queue.empty())
        FState->cv.wait_until(lock, std::min(Clock::now() + std::chrono::milliseconds(waitMs), NextDue()),
                              [&] { return !FState->queue.empty(); });
      if (!FState->queue.empty()) {
        item = FState->queue.front();
        FState->queue.pop_front();
        if (item->stopped && *item->stopped) item.reset();
        if (item) item->running = true;
      }
    }
    if (item) {
      Handle(item->msg, item->wParam, item->lParam);
      std::lock_guard lock(FState->m);
      item->done = true;
      item->keepAlive.reset();
      FState->cv.notify_all();
    }
    RunDueTimers();
    Idle();
  }

  // Timer handlers run so far (this thread).
  int TimerTicks() const { return FTimerTicks; }

  // Messages and deliveries waiting to be handled (any thread).
  size_t Waiting() const {
    std::lock_guard lock(FState->m);
    return FState->queue.size();
  }

  // The targets of this thread, for PumpUntil.
  static std::vector<PlainTarget*>& Pumped() {
    thread_local std::vector<PlainTarget*> targets;
    return targets;
  }

 private:
  struct Item {
    unsigned msg = 0;
    sys::MessageWParam wParam = 0;
    sys::MessageLParam lParam = 0;
    std::shared_ptr<bool> stopped;  // the channel's, null for plain posts
    std::shared_ptr<void> keepAlive;
    bool running = false;
    bool done = false;
  };
  struct State {
    std::mutex m;
    std::condition_variable cv;
    std::deque<std::shared_ptr<Item>> queue;
    bool gone = false;
  };

  class Channel : public sys::MessageChannel {
   public:
    explicit Channel(PlainTarget& t) : FTarget(t), FState(t.FState) {}
    ~Channel() override { Stop(); }
    bool Send(unsigned msg, sys::MessageWParam wParam, sys::MessageLParam lParam,
              std::shared_ptr<void> keepAlive) override {
      if (FTarget.OnTargetThread()) {
        if (Stopped()) return false;
        FTarget.Handle(msg, wParam, lParam);
        return true;
      }
      std::shared_ptr<Item> item = FTarget.Enqueue(msg, wParam, lParam, FStopped, std::move(keepAlive));
      if (!item) return false;
      std::unique_lock lock(FState->m);
      FState->cv.wait(lock, [&] { return item->done || *FStopped || FState->gone; });
      return item->done;
    }
    bool Post(unsigned msg, sys::MessageWParam wParam, sys::MessageLParam lParam) override {
      return FTarget.Enqueue(msg, wParam, lParam, FStopped, nullptr) != nullptr;
    }
    void Stop() override {
      std::lock_guard lock(FState->m);
      *FStopped = true;
      FState->cv.notify_all();
    }

   private:
    bool Stopped() const {
      std::lock_guard lock(FState->m);
      return *FStopped;
    }
    PlainTarget& FTarget;
    std::shared_ptr<State> FState;
    std::shared_ptr<bool> FStopped = std::make_shared<bool>(false);
  };

  class PlainTimer : public sys::Timer {
   public:
    PlainTimer(PlainTarget& t, std::function<void()> fn) : FTarget(t), FOnTimer(std::move(fn)) {
      FTarget.FTimers.push_back(this);
    }
    ~PlainTimer() override {
      auto& all = FTarget.FTimers;
      all.erase(std::remove(all.begin(), all.end(), this), all.end());
    }
    void SetInterval(std::uint32_t ms) override {
      FInterval = ms;
      Restart();
    }
    void SetEnabled(bool enabled) override {
      FEnabled = enabled;
      Restart();
    }
    bool GetEnabled() const override { return FEnabled; }

    Clock::time_point due{};
    bool Due(Clock::time_point now) const { return FEnabled && now >= due; }
    void Fire() {
      Restart();
      if (FOnTimer) FOnTimer();
    }

   private:
    void Restart() { due = Clock::now() + std::chrono::milliseconds(FInterval); }
    PlainTarget& FTarget;
    std::function<void()> FOnTimer;
    std::uint32_t FInterval = 1000;
    bool FEnabled = false;
  };

  std::shared_ptr<Item> Enqueue(unsigned msg, sys::MessageWParam wParam, sys::MessageLParam lParam,
                                std::shared_ptr<bool> stopped, std::shared_ptr<void> keepAlive) {
    auto item = std::make_shared<Item>();
    item->msg = msg;
    item->wParam = wParam;
    item->lParam = lParam;
    item->stopped = std::move(stopped);
    item->keepAlive = std::move(keepAlive);
    std::lock_guard lock(FState->m);
    if (FState->gone || (item->stopped && *item->stopped)) return nullptr;
    FState->queue.push_back(item);
    FState->cv.notify_all();
    return item;
  }

  // Timers live on this thread only, so they need no lock.
  Clock::time_point NextDue() const {
    Clock::time_point next = Clock::time_point::max();
    for (const PlainTimer* t : FTimers)
      if (t->GetEnabled()) next = std::min(next, t->due);
    return next;
  }
  void RunDueTimers() {
    const Clock::time_point now = Clock::now();
    // A handler may destroy timers: look each one up again.
    const std::vector<PlainTimer*> timers = FTimers;
    for (PlainTimer* t : timers)
      if (std::find(FTimers.begin(), FTimers.end(), t) != FTimers.end() && t->Due(now)) {
        ++FTimerTicks;
        t->Fire();
      }
  }

  const std::thread::id FThread;
  std::shared_ptr<State> FState = std::make_shared<State>();
  std::vector<PlainTimer*> FTimers;
  int FTimerTicks = 0;
};

// One round of every target of this thread (or a short pause without any).
inline void PumpOnce() {
  const auto& targets = PlainTarget::Pumped();
  if (targets.empty()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  for (PlainTarget* t : std::vector<PlainTarget*>(targets)) t->RunOnce(targets.size() == 1 ? 5 : 1);
}

// Handles the messages of this thread's targets until done() holds; false
// after timeoutMs (a deadlock guard, generous on purpose).
inline bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 10000) {
  const auto deadline = PlainTarget::Clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!done()) {
    if (PlainTarget::Clock::now() > deadline) return false;
    PumpOnce();
  }
  return true;
}

// Handles the messages of this thread's targets until get() matches; the
// failure names the value (see WaitThat).
template <class Get, class M>
::testing::AssertionResult PumpUntilThat(const char* what, Get get, const M& matcher, int timeoutMs = 10000) {
  return test_support::WaitThat(
      what, get, matcher, [] { PumpOnce(); }, timeoutMs);
}

// Handles everything that waits for this thread's targets. Call it once
// the threads that could post have ended: what it leaves unhandled can
// then never arrive.
inline bool PumpWaiting() {
  return PumpUntil([] {
    const auto& targets = PlainTarget::Pumped();
    return std::all_of(targets.begin(), targets.end(),
                       [](const PlainTarget* t) { return t->Waiting() == 0; });
  });
}

// Waits, handling nothing, until get() matches (see WaitThat).
template <class Get, class M>
::testing::AssertionResult WaitUntilThat(const char* what, Get get, const M& matcher, int timeoutMs = 10000) {
  return test_support::WaitThat(
      what, get, matcher, [] { std::this_thread::sleep_for(std::chrono::milliseconds(1)); }, timeoutMs);
}

}  // namespace link_test
