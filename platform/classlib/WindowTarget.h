#pragma once
// A window as the target of a worker thread's messages: the class library's
// side of sys::MessageTarget. Posts go to the window's handle, synchronous
// deliveries through a TSyncMessageSender, timers are TTimers; every handler
// runs on the user-interface thread.

#include <functional>
#include <memory>

#include "platform/classlib/Messages.h"
#include "platform/sys/MessageTarget.h"

class TWinControl;

class TWindowTarget : public sys::MessageTarget {
 public:
  // Messages for a null window are dropped.
  explicit TWindowTarget(HWND window);
  explicit TWindowTarget(TWinControl* control);

  bool Post(unsigned msg, sys::MessageWParam wParam, sys::MessageLParam lParam) override;
  // Its posts pass through a relay window of its own, which Stop removes,
  // so that none queued earlier is handled after it.
  std::unique_ptr<sys::MessageChannel> OpenChannel() override;
  std::unique_ptr<sys::Timer> CreateTimer(std::function<void()> onTimer) override;
  bool OnTargetThread() const override;

  HWND Window() const { return FWindow; }

 private:
  HWND FWindow;
};
