#include "platform/sys/Threads.h"

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>

namespace sys {

// Shared with the running body, so a detached thread never touches a
// destroyed object.
struct Thread::State {
  std::thread thread;
  std::stop_source stop;
  std::mutex m;
  std::condition_variable cv;
  std::thread::id id;  // set by the thread itself, under m
  bool started = false;
  bool finished = false;
};

Thread::Thread() : FState(std::make_shared<State>()) {}

Thread::~Thread() {
  if (Started()) {
    RequestStop();
    Join();
  }
}

bool Thread::Start(std::function<void()> body) {
  if (!body) return false;
  return Start([b = std::move(body)](std::stop_token) { b(); });
}

bool Thread::Start(std::function<void(std::stop_token)> body) {
  if (!body || Started()) return false;
  auto st = std::make_shared<State>();
  st->started = true;
  // Published before the body runs, so the body may already ask about it.
  FState = st;
  try {
    st->thread = std::thread([st, b = std::move(body)]() mutable {
      {
        std::lock_guard lk(st->m);
        st->id = std::this_thread::get_id();
      }
      try {
        b(st->stop.get_token());
      } catch (const std::exception& e) {
        std::fprintf(stderr, "thread ended by an exception: %s\n", e.what());
      } catch (...) {
        std::fprintf(stderr, "thread ended by an exception\n");
      }
      std::lock_guard lk(st->m);
      st->finished = true;
      st->cv.notify_all();
    });
  } catch (const std::system_error&) {
    FState = std::make_shared<State>();
    return false;
  }
  return true;
}

void Thread::RequestStop() {
  FState->stop.request_stop();
}

bool Thread::StopRequested() const {
  return FState->stop.stop_requested();
}

bool Thread::Started() const {
  return FState->started;
}

bool Thread::Finished() const {
  std::lock_guard lk(FState->m);
  return !FState->started || FState->finished;
}

bool Thread::IsCurrent() const {
  std::lock_guard lk(FState->m);
  return FState->started && FState->id == std::this_thread::get_id();
}

bool Thread::Join(uint32_t timeoutMs) {
  State& st = *FState;
  if (!st.started) return true;
  if (IsCurrent()) return false;
  {
    std::unique_lock lk(st.m);
    if (timeoutMs == UINT32_MAX)
      st.cv.wait(lk, [&] { return st.finished; });
    else if (!st.cv.wait_for(lk, std::chrono::milliseconds(timeoutMs), [&] { return st.finished; }))
      return false;
  }
  if (st.thread.joinable()) st.thread.join();
  FState = std::make_shared<State>();
  return true;
}

void Thread::Detach() {
  if (!FState->started) return;
  if (FState->thread.joinable()) FState->thread.detach();
  FState = std::make_shared<State>();
}

void SleepMs(uint32_t ms) {
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace sys
