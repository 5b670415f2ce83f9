#include "platform/sys/DynLib.h"

#include <utility>

#include <dlfcn.h>

namespace sys {

DynLib::DynLib(DynLib&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)),
      name_(std::move(other.name_)),
      error_(std::move(other.error_)) {}

DynLib& DynLib::operator=(DynLib&& other) noexcept {
  if (this != &other) {
    Free();
    handle_ = std::exchange(other.handle_, nullptr);
    name_ = std::move(other.name_);
    error_ = std::move(other.error_);
  }
  return *this;
}

bool DynLib::Load(const std::string& name) {
  if (handle_) return true;
  name_ = name;
  error_.clear();
  if (name.empty()) {
    error_ = "no library name";
    return false;
  }
  handle_ = dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle_) {
    const char* e = dlerror();
    error_ = e ? e : "cannot load " + name;
  }
  return handle_ != nullptr;
}

void DynLib::Free() {
  if (handle_) dlclose(handle_);
  handle_ = nullptr;
}

void* DynLib::Symbol(const char* name) {
  if (!handle_ || !name) return nullptr;
  dlerror();
  void* p = dlsym(handle_, name);
  if (!p) {
    const char* e = dlerror();
    error_ = e ? e : std::string("no symbol ") + name;
  }
  return p;
}

bool DynLib::IsAvailable(const std::string& name, const char* symbol) {
  DynLib lib;
  if (!lib.Load(name)) return false;
  return !symbol || !*symbol || lib.Symbol(symbol) != nullptr;
}

}  // namespace sys
