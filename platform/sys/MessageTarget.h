#pragma once
// Where a worker thread's messages go: a target that handles them on its
// own thread (the user-interface thread for a window). What the link
// engines need of their owner window, without the window: posted messages,
// synchronous deliveries whose wait a stop abandons, and a timer.

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/sys/Timer.h"

namespace sys {

using MessageWParam = std::uintptr_t;
using MessageLParam = std::intptr_t;

// Deliveries from one worker to a target. Stop (any thread, the target's
// own handlers included) ends every wait at once: a Send that waits
// returns false, a message not yet handled is never handled, and every
// later Send or Post delivers nothing. So whoever stops a worker never
// deadlocks on the worker's wait.
class MessageChannel {
 public:
  virtual ~MessageChannel() = default;
  // Handles the message on the target's thread and waits until it has been
  // handled (at once on that thread itself). True when it was; false when
  // stopped. keepAlive, which the parameters may point into, is held until
  // the handler has returned or is known never to run.
  virtual bool Send(unsigned msg, MessageWParam wParam, MessageLParam lParam,
                    std::shared_ptr<void> keepAlive = nullptr) = 0;
  // Queues the message for the target's thread; dropped when stopped, also
  // when it is already queued. Any thread.
  virtual bool Post(unsigned msg, MessageWParam wParam, MessageLParam lParam) = 0;
  virtual void Stop() = 0;
};

class MessageTarget {
 public:
  virtual ~MessageTarget() = default;
  // Queues the message for the target's thread. Any thread.
  virtual bool Post(unsigned msg, MessageWParam wParam, MessageLParam lParam) = 0;
  // A channel of its own for one worker's deliveries.
  virtual std::unique_ptr<MessageChannel> OpenChannel() = 0;
  // A disabled timer whose handler runs on the target's thread. Made,
  // changed and destroyed on that thread only.
  virtual std::unique_ptr<Timer> CreateTimer(std::function<void()> onTimer) = 0;
  // True on the thread that handles the target's messages.
  virtual bool OnTargetThread() const = 0;
};

}  // namespace sys
