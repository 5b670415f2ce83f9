#include "platform/classlib/Threads.h"

#include <atomic>

#include "platform/classlib/WindowRegistry.h"

struct TThread::State {
  std::atomic<bool> terminated{false};
  // Guarded by SyncMutex().
  bool finished = false;
};

TThread::TThread(bool CreateSuspended)
    : FCreateSuspended(CreateSuspended), FState(std::make_shared<State>()) {}

TThread::~TThread() {
  if (FThread.joinable()) {
    if (std::this_thread::get_id() == FThreadId) {
      FThread.detach();
    } else {
      Terminate();
      WaitFor();
    }
  }
}

void TThread::AfterConstruction() {
  if (!FCreateSuspended && !FStarted) Start();
}

void TThread::Start() {
  if (FStarted) throw EThread("Cannot call Start on a running or terminated thread");
  FStarted = true;
  // The worker reads FThread and FThreadId only after they are stored.
  std::lock_guard lock(SyncMutex());
  FThread = std::thread([this] { Run(); });
  FThreadId = FThread.get_id();
}

void TThread::Run() {
  { std::lock_guard lock(SyncMutex()); }
  std::shared_ptr<State> state = FState;
  try {
    Execute();
  } catch (...) {
    FFatalException = std::current_exception();
  }
  try {
    DoTerminate();
  } catch (...) {
    if (!FFatalException) FFatalException = std::current_exception();
  }
  bool freeSelf = FFreeOnTerminate;
  {
    std::lock_guard lock(SyncMutex());
    state->finished = true;
  }
  SyncCondition().notify_all();
  if (freeSelf) delete this;
}

void TThread::Terminate() {
  FState->terminated = true;
  TerminatedSet();
}

bool TThread::GetTerminated() const {
  return FState->terminated;
}

bool TThread::GetFinished() const {
  std::lock_guard lock(SyncMutex());
  return FState->finished;
}

int TThread::WaitFor() {
  if (!FThread.joinable()) return FReturnValue;
  if (std::this_thread::get_id() == FThreadId) throw EThread("A thread cannot wait for itself");
  const bool serve = IsMainThread();
  for (;;) {
    if (serve) RunSyncQueue();
    std::unique_lock lock(SyncMutex());
    SyncCondition().wait(lock, [&] { return FState->finished || (serve && SyncQueuePendingLocked()); });
    if (FState->finished) break;
  }
  FThread.join();
  return FReturnValue;
}

void TThread::DoTerminate() {
  if (OnTerminate) {
    TNotifyEvent handler = OnTerminate;
    Synchronize([this, handler] { handler(this); });
  }
}

void TThread::Synchronize(const std::function<void()>& Method) {
  if (IsMainThread()) {
    Method();
    return;
  }
  auto call = std::make_shared<SyncCall>();
  call->fn = Method;
  call->rethrow = true;
  EnqueueSync(call);
  {
    std::unique_lock lock(SyncMutex());
    SyncCondition().wait(lock, [&] { return call->state == SyncCall::Done; });
  }
  if (call->error) std::rethrow_exception(call->error);
}

bool CheckSynchronize() {
  return RunSyncQueue();
}
