#include "platform/classlib/Messages.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QThread>

#include <deque>
#include <mutex>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/classlib/WindowRegistry.h"

namespace {

// ---------------------------------------------------------------- handles

struct WindowEntry {
  TObject* owner = nullptr;
  std::function<void(TMessage&)> proc;
};

std::mutex gRegistryMutex;
std::unordered_map<std::uintptr_t, WindowEntry> gWindows;
// Handles are never reused, so a stale one can only miss.
std::uintptr_t gNextHandle = 1;

HWND ToHandle(std::uintptr_t id) {
  return reinterpret_cast<HWND>(id);
}
std::uintptr_t ToId(HWND wnd) {
  return reinterpret_cast<std::uintptr_t>(wnd);
}

// ---------------------------------------------------------------- pump

const QEvent::Type kPostedMessage = static_cast<QEvent::Type>(QEvent::User + 0x310);
const QEvent::Type kSyncWake = static_cast<QEvent::Type>(QEvent::User + 0x311);
const QEvent::Type kHeldCall = static_cast<QEvent::Type>(QEvent::User + 0x312);

struct PostedMessageEvent : QEvent {
  PostedMessageEvent(HWND w, const TMessage& m) : QEvent(kPostedMessage), wnd(w), msg(m) {}
  HWND wnd;
  TMessage msg;
};

struct HeldCallEvent : QEvent {
  explicit HeldCallEvent(std::function<void()> f) : QEvent(kHeldCall), fn(std::move(f)) {}
  std::function<void()> fn;
};

int gHoldDepth = 0;
std::vector<std::function<void()>> gHeld;

struct MessagePump : QObject {
  bool event(QEvent* e) override {
    if (e->type() == kPostedMessage) {
      auto* pe = static_cast<PostedMessageEvent*>(e);
      const HWND wnd = pe->wnd;
      TMessage m = pe->msg;
      if (HoldForLater([wnd, m]() mutable { DeliverMessage(wnd, m); })) return true;
      DeliverMessage(wnd, m);
      return true;
    }
    if (e->type() == kSyncWake) {
      if (HoldForLater([] { RunSyncQueue(); })) return true;
      RunSyncQueue();
      return true;
    }
    if (e->type() == kHeldCall) {
      auto* he = static_cast<HeldCallEvent*>(e);
      // A newer hold keeps it back once more.
      if (HoldForLater(he->fn)) return true;
      std::function<void()> fn = std::move(he->fn);
      CallGuarded(nullptr, fn);
      return true;
    }
    return QObject::event(e);
  }
};

// Guards the pump's life against posts from other threads.
std::mutex gPumpMutex;
MessagePump* gPump = nullptr;

bool PostToPump(QEvent* e) {
  std::lock_guard lock(gPumpMutex);
  if (!gPump) {
    delete e;
    return false;
  }
  QCoreApplication::postEvent(gPump, e);
  return true;
}

// ---------------------------------------------------------------- sync queue

// Never destroyed: a worker may still wait on them while the process exits,
// and destroying a condition variable with a waiter blocks the exit forever.
std::mutex& gSyncMutex = *new std::mutex;
std::condition_variable& gSyncCondition = *new std::condition_variable;
std::deque<std::shared_ptr<SyncCall>>& gSyncQueue = *new std::deque<std::shared_ptr<SyncCall>>;

}  // namespace

// ---------------------------------------------------------------- handles

HWND AllocateWindowHandle(TObject* owner, std::function<void(TMessage&)> proc) {
  std::lock_guard lock(gRegistryMutex);
  std::uintptr_t id = gNextHandle++;
  gWindows[id] = WindowEntry{owner, std::move(proc)};
  return ToHandle(id);
}

HWND AllocateHWnd(std::function<void(TMessage&)> WndProc) {
  return AllocateWindowHandle(nullptr, std::move(WndProc));
}

void DeallocateHWnd(HWND Wnd) {
  std::lock_guard lock(gRegistryMutex);
  gWindows.erase(ToId(Wnd));
}

bool DeliverMessage(HWND wnd, TMessage& msg) {
  WindowEntry entry;
  {
    std::lock_guard lock(gRegistryMutex);
    auto it = gWindows.find(ToId(wnd));
    if (it == gWindows.end()) return false;
    entry = it->second;
  }
  CallGuarded(entry.owner, [&] { entry.proc(msg); });
  return true;
}

bool IsMainThread() {
  QCoreApplication* app = QCoreApplication::instance();
  // Without an application there is no other thread to hand work to.
  return !app || QThread::currentThread() == app->thread();
}

void StartMessagePump() {
  std::lock_guard lock(gPumpMutex);
  if (!gPump) gPump = new MessagePump();
}

void StopMessagePump() {
  MessagePump* pump;
  {
    std::lock_guard lock(gPumpMutex);
    pump = gPump;
    gPump = nullptr;
  }
  delete pump;
}

void BeginDispatchHold() {
  ++gHoldDepth;
}

void EndDispatchHold() {
  if (gHoldDepth == 0 || --gHoldDepth > 0) return;
  std::vector<std::function<void()>> held;
  held.swap(gHeld);
  for (auto& fn : held) PostToPump(new HeldCallEvent(std::move(fn)));
}

bool DispatchHeld() {
  return gHoldDepth > 0;
}

bool HoldForLater(std::function<void()> Deferred) {
  if (gHoldDepth == 0) return false;
  gHeld.push_back(std::move(Deferred));
  return true;
}

bool PostMessage(HWND wnd, unsigned msg, WPARAM wParam, LPARAM lParam) {
  if (!wnd) return false;
  TMessage m;
  m.Msg = msg;
  m.WParam = wParam;
  m.LParam = lParam;
  return PostToPump(new PostedMessageEvent(wnd, m));
}

LRESULT SendMessage(HWND wnd, unsigned msg, WPARAM wParam, LPARAM lParam) {
  if (!IsMainThread()) throw EInvalidOperation("SendMessage from a worker thread; use a TSyncMessageSender");
  TMessage m;
  m.Msg = msg;
  m.WParam = wParam;
  m.LParam = lParam;
  DeliverMessage(wnd, m);
  return m.Result;
}

// ---------------------------------------------------------------- sync queue

std::mutex& SyncMutex() {
  return gSyncMutex;
}
std::condition_variable& SyncCondition() {
  return gSyncCondition;
}

bool SyncQueuePendingLocked() {
  return !gSyncQueue.empty();
}

void EnqueueSync(const std::shared_ptr<SyncCall>& call) {
  {
    std::lock_guard lock(gSyncMutex);
    gSyncQueue.push_back(call);
  }
  gSyncCondition.notify_all();
  PostToPump(new QEvent(kSyncWake));
}

bool RunSyncQueue() {
  bool ran = false;
  for (;;) {
    std::shared_ptr<SyncCall> call;
    {
      std::lock_guard lock(gSyncMutex);
      while (!gSyncQueue.empty() && !call) {
        std::shared_ptr<SyncCall> next = gSyncQueue.front();
        gSyncQueue.pop_front();
        if (next->state != SyncCall::Pending) continue;
        if (next->stopped && *next->stopped) {
          next->state = SyncCall::Abandoned;
          continue;
        }
        next->state = SyncCall::Running;
        call = next;
      }
    }
    if (!call) break;
    ran = true;
    if (call->rethrow) {
      try {
        call->fn();
      } catch (...) {
        call->error = std::current_exception();
      }
    } else {
      CallGuarded(nullptr, call->fn);
    }
    {
      std::lock_guard lock(gSyncMutex);
      if (call->state == SyncCall::Running) call->state = SyncCall::Done;
    }
    gSyncCondition.notify_all();
  }
  return ran;
}

// ---------------------------------------------------------------- TSyncMessageSender

struct TSyncMessageSender::State {
  std::shared_ptr<bool> stopped = std::make_shared<bool>(false);
};

TSyncMessageSender::TSyncMessageSender(HWND target) : FTarget(target), FState(std::make_shared<State>()) {}

TSyncMessageSender::~TSyncMessageSender() {
  Stop();
}

void TSyncMessageSender::Stop() {
  {
    std::lock_guard lock(gSyncMutex);
    *FState->stopped = true;
  }
  gSyncCondition.notify_all();
}

bool TSyncMessageSender::Stopped() const {
  std::lock_guard lock(gSyncMutex);
  return *FState->stopped;
}

bool TSyncMessageSender::Send(unsigned msg, WPARAM wParam, LPARAM lParam, std::shared_ptr<void> keepAlive) {
  TMessage m;
  m.Msg = msg;
  m.WParam = wParam;
  m.LParam = lParam;
  return Send(m, std::move(keepAlive));
}

bool TSyncMessageSender::Send(TMessage& msg, std::shared_ptr<void> keepAlive) {
  if (IsMainThread()) {
    if (Stopped()) return false;
    return DeliverMessage(FTarget, msg);
  }
  // The handler works on its own copy, so a wait abandoned by Stop leaves
  // nothing of the worker's in the handler's hands but keepAlive.
  struct Box {
    TMessage msg;
    bool delivered = false;
  };
  auto box = std::make_shared<Box>();
  box->msg = msg;
  auto call = std::make_shared<SyncCall>();
  HWND target = FTarget;
  call->fn = [box, target] { box->delivered = DeliverMessage(target, box->msg); };
  call->stopped = FState->stopped;
  call->keepAlive = std::move(keepAlive);
  {
    std::lock_guard lock(gSyncMutex);
    if (*FState->stopped) return false;
  }
  EnqueueSync(call);
  std::unique_lock lock(gSyncMutex);
  gSyncCondition.wait(lock, [&] { return call->state == SyncCall::Done || *FState->stopped; });
  if (call->state == SyncCall::Done) {
    msg.Result = box->msg.Result;
    return box->delivered;
  }
  if (call->state == SyncCall::Pending) call->state = SyncCall::Abandoned;
  return false;
}
