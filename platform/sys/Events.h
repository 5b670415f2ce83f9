#pragma once
// Auto-reset and manual-reset events and a wait for any of several of them
// with a time-out. Each event is an eventfd, so it can also be polled beside
// file descriptors (a serial port, a socket).

#include <cstdint>
#include <initializer_list>
#include <span>

namespace sys {

constexpr uint32_t kInfinite = UINT32_MAX;
// Results of the waits besides an index.
constexpr int kWaitTimeout = -1;
constexpr int kWaitFailed = -2;

class Event {
 public:
  enum class Mode { Auto, Manual };

  explicit Event(Mode mode = Mode::Auto, bool initiallySet = false);
  ~Event();
  Event(const Event&) = delete;
  Event& operator=(const Event&) = delete;

  // False when the system refused the event; waits on it then fail.
  bool Valid() const { return FFd >= 0; }
  Mode GetMode() const { return FMode; }

  void Set();
  void Reset();
  // Takes the event if it is set (an auto-reset event is cleared by it).
  bool TryWait();
  // Returns true when taken within timeoutMs.
  bool Wait(uint32_t timeoutMs = kInfinite);

  // Readable while the event is set. Poll it, then call TryWait: for an
  // auto-reset event another waiter may have taken it meanwhile.
  int PollFd() const { return FFd; }

 private:
  bool Signalled() const;

  int FFd = -1;
  Mode FMode;
};

// Waits until one of the events is set and returns its index; when several
// are set the lowest index wins (and only that one is taken). kWaitTimeout
// after timeoutMs, kWaitFailed on a null or invalid event or a failed
// system wait.
int WaitForAny(std::span<Event* const> events, uint32_t timeoutMs);
int WaitForAny(std::initializer_list<Event*> events, uint32_t timeoutMs);

// The same over events followed by file descriptors: a readable (or hung-up,
// or failed) descriptor k reports index events.size() + k. Events come first
// in priority.
int WaitForAny(std::span<Event* const> events, std::span<const int> readFds, uint32_t timeoutMs);

}  // namespace sys
