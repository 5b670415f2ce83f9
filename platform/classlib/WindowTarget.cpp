#include "platform/classlib/WindowTarget.h"

#include <atomic>
#include <utility>

#include "platform/classlib/Controls.h"
#include "platform/classlib/ExtCtrls.h"

namespace {

class WindowChannel : public sys::MessageChannel {
 public:
  explicit WindowChannel(HWND window) : FSender(window) {
    FRelay = AllocateHWnd([window](TMessage& m) { SendMessage(window, m.Msg, m.WParam, m.LParam); });
  }
  ~WindowChannel() override { Stop(); }

  bool Send(unsigned msg, sys::MessageWParam wParam, sys::MessageLParam lParam,
            std::shared_ptr<void> keepAlive) override {
    return FSender.Send(msg, wParam, lParam, std::move(keepAlive));
  }
  bool Post(unsigned msg, sys::MessageWParam wParam, sys::MessageLParam lParam) override {
    return PostMessage(FRelay.load(), msg, wParam, lParam);
  }
  void Stop() override {
    FSender.Stop();
    if (HWND relay = FRelay.exchange(nullptr)) DeallocateHWnd(relay);
  }

 private:
  TSyncMessageSender FSender;
  std::atomic<HWND> FRelay{nullptr};
};

class WindowTimer : public sys::Timer {
 public:
  explicit WindowTimer(std::function<void()> onTimer) : FTimer(std::make_unique<TTimer>(nullptr)) {
    FTimer->SetEnabled(false);
    FTimer->OnTimer = [fn = std::move(onTimer)](TObject*) {
      if (fn) fn();
    };
  }
  void SetInterval(std::uint32_t ms) override { FTimer->SetInterval(ms); }
  void SetEnabled(bool enabled) override { FTimer->SetEnabled(enabled); }
  bool GetEnabled() const override { return FTimer->GetEnabled(); }

 private:
  std::unique_ptr<TTimer> FTimer;
};

}  // namespace

TWindowTarget::TWindowTarget(HWND window) : FWindow(window) {}

TWindowTarget::TWindowTarget(TWinControl* control) : FWindow(control ? control->GetHandle() : nullptr) {}

bool TWindowTarget::Post(unsigned msg, sys::MessageWParam wParam, sys::MessageLParam lParam) {
  return PostMessage(FWindow, msg, wParam, lParam);
}

std::unique_ptr<sys::MessageChannel> TWindowTarget::OpenChannel() {
  return std::make_unique<WindowChannel>(FWindow);
}

std::unique_ptr<sys::Timer> TWindowTarget::CreateTimer(std::function<void()> onTimer) {
  return std::make_unique<WindowTimer>(std::move(onTimer));
}

bool TWindowTarget::OnTargetThread() const {
  return IsMainThread();
}
