#pragma once
// Runs a function when the scope ends, however it ends (a flag reset that
// must also happen when a handler throws).

#include <utility>

namespace sys {

template <class F>
class ScopeExit {
 public:
  explicit ScopeExit(F fn) : FFn(std::move(fn)) {}
  ~ScopeExit() { FFn(); }
  ScopeExit(const ScopeExit&) = delete;
  ScopeExit& operator=(const ScopeExit&) = delete;

 private:
  F FFn;
};

}  // namespace sys
