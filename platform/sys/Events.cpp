#include "platform/sys/Events.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <vector>

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace sys {

Event::Event(Mode mode, bool initiallySet) : FMode(mode) {
  FFd = eventfd(initiallySet ? 1 : 0, EFD_CLOEXEC | EFD_NONBLOCK);
}

Event::~Event() {
  if (FFd >= 0) close(FFd);
}

void Event::Set() {
  if (FFd < 0) return;
  uint64_t one = 1;
  // EAGAIN only at a counter near 2^64: the event is set then anyway.
  while (write(FFd, &one, sizeof one) < 0 && errno == EINTR) {}
}

void Event::Reset() {
  if (FFd < 0) return;
  uint64_t v;
  while (read(FFd, &v, sizeof v) < 0 && errno == EINTR) {}
}

bool Event::Signalled() const {
  pollfd p{FFd, POLLIN, 0};
  return poll(&p, 1, 0) == 1 && (p.revents & POLLIN);
}

bool Event::TryWait() {
  if (FFd < 0) return false;
  if (FMode == Mode::Manual) return Signalled();
  // Reading takes the whole count, so only one waiter gets the event and
  // several Set calls before it count once.
  uint64_t v;
  for (;;) {
    if (read(FFd, &v, sizeof v) == sizeof v) return true;
    if (errno != EINTR) return false;
  }
}

bool Event::Wait(uint32_t timeoutMs) {
  Event* self = this;
  return WaitForAny(std::span<Event* const>(&self, 1), timeoutMs) == 0;
}

int WaitForAny(std::initializer_list<Event*> events, uint32_t timeoutMs) {
  return WaitForAny(std::span<Event* const>(events.begin(), events.size()), std::span<const int>(),
                    timeoutMs);
}

int WaitForAny(std::span<Event* const> events, uint32_t timeoutMs) {
  return WaitForAny(events, std::span<const int>(), timeoutMs);
}

int WaitForAny(std::span<Event* const> events, std::span<const int> readFds, uint32_t timeoutMs) {
  using Clock = std::chrono::steady_clock;
  const size_t n = events.size();
  if (n + readFds.size() == 0) return kWaitFailed;
  std::vector<pollfd> fds(n + readFds.size());
  for (size_t i = 0; i < n; ++i) {
    if (!events[i] || !events[i]->Valid()) return kWaitFailed;
    fds[i] = pollfd{events[i]->PollFd(), POLLIN, 0};
  }
  for (size_t k = 0; k < readFds.size(); ++k) {
    if (readFds[k] < 0) return kWaitFailed;
    fds[n + k] = pollfd{readFds[k], POLLIN, 0};
  }
  const bool infinite = timeoutMs == kInfinite;
  const auto deadline = Clock::now() + std::chrono::milliseconds(infinite ? 0 : timeoutMs);
  for (;;) {
    int wait = -1;
    if (!infinite) {
      auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
      wait = left > 0 ? int(std::min<long long>(left, INT32_MAX)) : 0;
    }
    int r = poll(fds.data(), fds.size(), wait);
    if (r < 0) {
      if (errno == EINTR) continue;
      return kWaitFailed;
    }
    if (r > 0) {
      for (size_t i = 0; i < fds.size(); ++i) {
        short re = fds[i].revents;
        if (re & POLLNVAL) return kWaitFailed;
        if (i < n) {
          // Another waiter may have taken an auto-reset event since.
          if ((re & POLLIN) && events[i]->TryWait()) return int(i);
        } else if (re & (POLLIN | POLLHUP | POLLERR)) {
          return int(i);
        }
      }
    }
    if (!infinite && Clock::now() >= deadline) return kWaitTimeout;
  }
}

}  // namespace sys
