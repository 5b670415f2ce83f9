#pragma once
// Mutexes and their scoped locks. Usable with std::lock_guard and
// std::unique_lock as well.

#include <mutex>

namespace sys {

class Mutex {
 public:
  void Lock() { FM.lock(); }
  void Unlock() { FM.unlock(); }
  bool TryLock() { return FM.try_lock(); }
  void lock() { Lock(); }
  void unlock() { Unlock(); }
  bool try_lock() { return TryLock(); }

 private:
  std::mutex FM;
};

// May be locked again by the thread that holds it (as a critical section).
class RecursiveMutex {
 public:
  void Lock() { FM.lock(); }
  void Unlock() { FM.unlock(); }
  bool TryLock() { return FM.try_lock(); }
  void lock() { Lock(); }
  void unlock() { Unlock(); }
  bool try_lock() { return TryLock(); }

 private:
  std::recursive_mutex FM;
};

using CriticalSection = RecursiveMutex;

template <class M>
class ScopedLock {
 public:
  explicit ScopedLock(M& m) : FM(m) { FM.Lock(); }
  ~ScopedLock() { FM.Unlock(); }
  ScopedLock(const ScopedLock&) = delete;
  ScopedLock& operator=(const ScopedLock&) = delete;

 private:
  M& FM;
};

template <class M>
ScopedLock(M&) -> ScopedLock<M>;

}  // namespace sys
