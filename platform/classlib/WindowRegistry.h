#pragma once
// Inside the library: window handles, the object that carries posted
// messages to the user-interface thread, and the queue of calls a worker
// hands to that thread and waits for (Synchronize, synchronous messages).

#include <condition_variable>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>

#include "platform/classlib/Classes.h"

// A handle whose messages go to proc; exceptions they raise are reported
// with owner as the sender.
HWND AllocateWindowHandle(TObject* owner, std::function<void(TMessage&)> proc);
// Runs the window's procedure through the handler boundary; false when the
// window is gone. User-interface thread.
bool DeliverMessage(HWND wnd, TMessage& msg);

// Made by the application on its thread, destroyed with it.
void StartMessagePump();
void StopMessagePump();

struct SyncCall {
  enum State { Pending, Running, Done, Abandoned };
  std::function<void()> fn;
  State state = Pending;
  // Set by TThread::Synchronize: the caller rethrows what fn threw.
  bool rethrow = false;
  std::exception_ptr error;
  // Stopped senders' calls never run.
  std::shared_ptr<bool> stopped;
  std::shared_ptr<void> keepAlive;
};

// One lock and one condition guard the queue and every waiter's state.
std::mutex& SyncMutex();
std::condition_variable& SyncCondition();
// Queues a call and wakes the user-interface thread.
void EnqueueSync(const std::shared_ptr<SyncCall>& call);
// Runs the queued calls (user-interface thread); true when one ran.
bool RunSyncQueue();
// True while calls wait. Hold SyncMutex.
bool SyncQueuePendingLocked();

// A hold on dispatching (TCustomForm::ShowOnScreen): while one is on, the
// pump keeps back the posted messages, the wake-ups of worker calls and the
// timer ticks that fall due, in that order; when the last hold ends they are
// queued again in the same order, ahead of anything queued later.
// User-interface thread only.
void BeginDispatchHold();
void EndDispatchHold();
bool DispatchHeld();
// Keeps Deferred for the end of the hold; false (and nothing kept) when no
// hold is on.
bool HoldForLater(std::function<void()> Deferred);
