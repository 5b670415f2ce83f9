#pragma once
// A repeating timer that runs its handler on the thread of the message
// target that made it (see MessageTarget.h). What the link engines need of
// a window's timer, without the window.

#include <cstdint>

namespace sys {

class Timer {
 public:
  virtual ~Timer() = default;
  // Takes effect at once; a running timer starts a fresh interval.
  virtual void SetInterval(std::uint32_t ms) = 0;
  // Enabling starts a fresh interval; disabling stops the handler.
  virtual void SetEnabled(bool enabled) = 0;
  virtual bool GetEnabled() const = 0;
};

}  // namespace sys
