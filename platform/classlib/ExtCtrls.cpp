#include "platform/classlib/ExtCtrls.h"

#include <QTimer>

#include "platform/classlib/WindowRegistry.h"

// ---------------------------------------------------------------- TTimer

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {
  UpdateTimer();
}

TTimer::~TTimer() {
  Destroying();
  if (!FTimer) return;
  FTimer->stop();
  QObject::disconnect(FTimer, nullptr, nullptr, nullptr);
  // Freed from its own tick: the toolkit is still inside the timer.
  if (FTicking > 0)
    FTimer->deleteLater();
  else
    delete FTimer;
}

void TTimer::SetEnabled(bool Value) {
  if (Value == FEnabled) return;
  FEnabled = Value;
  UpdateTimer();
}

void TTimer::SetInterval(unsigned Value) {
  if (Value == FInterval) return;
  FInterval = Value;
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  if (FTimer) FTimer->stop();
  if (!FEnabled || FInterval == 0) return;
  if (!FTimer) {
    FTimer = new QTimer();
    FTimer->setTimerType(Qt::PreciseTimer);
    std::weak_ptr<bool> alive = FAlive;
    QObject::connect(FTimer, &QTimer::timeout, [this, alive] {
      // Under a dispatch hold the tick waits for its end; ticks that fall
      // due meanwhile make one, as they would in a queue of timer messages.
      if (DispatchHeld()) {
        if (FTickHeld) return;
        FTickHeld = true;
        HoldForLater([this, alive] {
          if (alive.expired()) return;
          FTickHeld = false;
          Timer();
        });
        return;
      }
      ++FTicking;
      CallGuarded(this, [this] { Timer(); });
      if (!alive.expired()) --FTicking;
    });
  }
  FTimer->start(static_cast<int>(FInterval));
}

void TTimer::Timer() {
  if (!FEnabled || !OnTimer) return;
  // A handler may assign OnTimer anew; the running one stays alive.
  TNotifyEvent handler = OnTimer;
  handler(this);
}

// ---------------------------------------------------------------- TPaintBox

TPaintBox::TPaintBox(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetControlStyle(GetControlStyle() + TControlStyle{csReplicatable});
  SetBounds(0, 0, 105, 105);
}

void TPaintBox::Paint() {
  if (OnPaint) OnPaint(this);
}
