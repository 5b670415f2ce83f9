#pragma once
// The class library's thread: a worker whose Execute runs on its own thread,
// told to stop by Terminate, waited for by WaitFor, and able to run code on
// the user-interface thread with Synchronize.
//
// A thread made with CreateSuspended false starts in AfterConstruction (the
// object must be complete first): create it with NewThread<T>(...), or call
// AfterConstruction() after new. A suspended one starts with Start().

#include <exception>
#include <functional>
#include <memory>
#include <thread>

#include "platform/classlib/Classes.h"

class TThread : public TObject {
 public:
  explicit TThread(bool CreateSuspended);
  // A thread still running is told to terminate and waited for.
  ~TThread() override;
  void AfterConstruction() override;

  // Starts a suspended thread; throws EThread when it already runs.
  void Start();
  void Resume() { Start(); }
  // Asks Execute to end; it polls GetTerminated.
  void Terminate();
  bool GetTerminated() const;
  // Waits until Execute has returned and gives ReturnValue. On the
  // user-interface thread it runs the Synchronize calls of the threads
  // meanwhile, so a worker that synchronises cannot deadlock it.
  int WaitFor();
  bool GetFinished() const;
  bool GetStarted() const { return FStarted; }

  // The object frees itself when Execute has ended (then nobody may wait
  // for it or free it).
  bool GetFreeOnTerminate() const { return FFreeOnTerminate; }
  void SetFreeOnTerminate(bool Value) { FFreeOnTerminate = Value; }
  // What escaped Execute, if anything.
  std::exception_ptr GetFatalException() const { return FFatalException; }
  std::thread::id GetThreadID() const { return FThreadId; }

  // Runs method on the user-interface thread while the calling thread
  // waits; from that thread itself it just runs it. An exception method
  // throws is thrown again in the caller.
  static void Synchronize(const std::function<void()>& Method);

  // Runs on the user-interface thread after Execute, through Synchronize.
  TNotifyEvent OnTerminate;

 protected:
  virtual void Execute() = 0;
  virtual void DoTerminate();
  // Called by Terminate, on the terminating thread.
  virtual void TerminatedSet() {}
  bool Terminated() const { return GetTerminated(); }
  int GetReturnValue() const { return FReturnValue; }
  void SetReturnValue(int Value) { FReturnValue = Value; }

 private:
  void Run();

  bool FCreateSuspended;
  bool FStarted = false;
  bool FFreeOnTerminate = false;
  int FReturnValue = 0;
  std::exception_ptr FFatalException;
  std::thread FThread;
  std::thread::id FThreadId;
  // Shared with the worker: it may outlive nothing but it must be readable
  // under the sync lock while the worker ends.
  struct State;
  std::shared_ptr<State> FState;
};

// Creates and starts a thread class in one step.
template <typename T, typename... Args>
T* NewThread(Args&&... args) {
  T* t = new T(std::forward<Args>(args)...);
  t->AfterConstruction();
  return t;
}

// Runs the Synchronize calls that are waiting (user-interface thread);
// true when one ran.
bool CheckSynchronize();
