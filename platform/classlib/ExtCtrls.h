#pragma once
// The timer component and the paint box.

#include <memory>

#include "platform/classlib/Controls.h"

class QTimer;

// Fires OnTimer every Interval ms while Enabled, on the user-interface
// thread, in any event loop (modal loops too). A handler that disables its
// own timer makes it one-shot; disabling and enabling again, or changing
// the interval, starts a full interval anew. Create and use it on the
// user-interface thread.
class TTimer : public TComponent {
 public:
  explicit TTimer(TComponent* AOwner);
  ~TTimer() override;

  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  unsigned GetInterval() const { return FInterval; }
  void SetInterval(unsigned Value);

  TNotifyEvent OnTimer;

 protected:
  // Fires OnTimer.
  virtual void Timer();

 private:
  void UpdateTimer();

  bool FEnabled = true;
  unsigned FInterval = 1000;
  QTimer* FTimer = nullptr;
  int FTicking = 0;
  // A tick kept back by a dispatch hold waits to run.
  bool FTickHeld = false;
  // Lets a tick notice that its handler freed the timer.
  std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};

// A graphic control whose drawing is left to OnPaint.
class TPaintBox : public TGraphicControl {
 public:
  explicit TPaintBox(TComponent* AOwner);
  TNotifyEvent OnPaint;

 protected:
  void Paint() override;
};
