#include "platform/hidctl/HidLoader.h"

#include <mutex>

namespace {

struct LoaderState {
  std::mutex Lock;
  int Count = 0;
  std::shared_ptr<HidBackend> Backend;
};

LoaderState& State() {
  static LoaderState state;
  return state;
}

}  // namespace

bool LoadHid() {
  LoaderState& s = State();
  std::lock_guard<std::mutex> guard(s.Lock);
  if (s.Count > 0) {
    ++s.Count;
    return true;
  }
  std::shared_ptr<HidBackend> backend = GetHidBackend();
  if (!backend || !backend->IsAvailable()) return false;
  s.Backend = std::move(backend);
  s.Count = 1;
  return true;
}

void UnloadHid() {
  LoaderState& s = State();
  std::lock_guard<std::mutex> guard(s.Lock);
  if (s.Count <= 0) return;
  if (--s.Count == 0) s.Backend.reset();
}

bool IsHidLoaded() {
  LoaderState& s = State();
  std::lock_guard<std::mutex> guard(s.Lock);
  return s.Backend != nullptr;
}

std::shared_ptr<HidBackend> LoadedHidBackend() {
  LoaderState& s = State();
  std::lock_guard<std::mutex> guard(s.Lock);
  return s.Backend;
}
