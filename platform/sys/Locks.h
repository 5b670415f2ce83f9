#pragma once
// Mutexes and their scoped locks. Usable with std::lock_guard and
// std::unique_lock as well.

#include <mutex>

namespace sys {

class Mutex {
 public:
  void Lock() { m_.lock(); }
  void Unlock() { m_.unlock(); }
  bool TryLock() { return m_.try_lock(); }
  void lock() { Lock(); }
  void unlock() { Unlock(); }
  bool try_lock() { return TryLock(); }

 private:
  std::mutex m_;
};

// May be locked again by the thread that holds it (as a critical section).
class RecursiveMutex {
 public:
  void Lock() { m_.lock(); }
  void Unlock() { m_.unlock(); }
  bool TryLock() { return m_.try_lock(); }
  void lock() { Lock(); }
  void unlock() { Unlock(); }
  bool try_lock() { return TryLock(); }

 private:
  std::recursive_mutex m_;
};

using CriticalSection = RecursiveMutex;

template <class M>
class ScopedLock {
 public:
  explicit ScopedLock(M& m) : m_(m) { m_.Lock(); }
  ~ScopedLock() { m_.Unlock(); }
  ScopedLock(const ScopedLock&) = delete;
  ScopedLock& operator=(const ScopedLock&) = delete;

 private:
  M& m_;
};

template <class M>
ScopedLock(M&) -> ScopedLock<M>;

}  // namespace sys
