#pragma once
// A worker thread with a join that can give up after a time-out, and a
// cooperative stop request the body polls (the class library's "told to
// terminate").

#include <cstdint>
#include <functional>
#include <memory>
#include <stop_token>

namespace sys {

class Thread {
 public:
  Thread();
  // Requests a stop and joins without limit: a body that may not end must
  // be joined with a time-out and detached by its owner first.
  ~Thread();
  Thread(const Thread&) = delete;
  Thread& operator=(const Thread&) = delete;

  // Starts the body on a new thread. False when a thread is still attached
  // to this object (until Join succeeds or Detach) or none could be created.
  // An exception leaving the body ends the thread only.
  bool Start(std::function<void(std::stop_token)> body);
  bool Start(std::function<void()> body);

  // Asks the body to end; it sees it through its stop token.
  void RequestStop();
  bool StopRequested() const;

  // True once the body has returned (or when nothing was started).
  bool Finished() const;
  bool Running() const { return Started() && !Finished(); }
  // From Start until a successful Join or Detach.
  bool Started() const;

  // Waits at most timeoutMs (UINT32_MAX: no limit) for the body to return
  // and then reaps the thread. False when it is still running: the caller
  // must keep alive whatever the body uses. Never call from the thread
  // itself.
  bool Join(uint32_t timeoutMs = UINT32_MAX);

  // Lets a thread that would not end run on its own; whatever it uses must
  // be owned by the body (shared ownership). The object can start again.
  void Detach();

  // True when called from the thread this object runs.
  bool IsCurrent() const;

 private:
  struct State;
  std::shared_ptr<State> FState;
};

void SleepMs(uint32_t ms);

}  // namespace sys
