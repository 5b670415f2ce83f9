#include "platform/sys/DynLib.h"

#include <utility>

#include <dlfcn.h>

namespace sys {

DynLib::DynLib(DynLib&& other) noexcept
    : FHandle(std::exchange(other.FHandle, nullptr)),
      FName(std::move(other.FName)),
      FError(std::move(other.FError)) {}

DynLib& DynLib::operator=(DynLib&& other) noexcept {
  if (this != &other) {
    Free();
    FHandle = std::exchange(other.FHandle, nullptr);
    FName = std::move(other.FName);
    FError = std::move(other.FError);
  }
  return *this;
}

bool DynLib::Load(const std::string& name) {
  if (FHandle) return true;
  FName = name;
  FError.clear();
  if (name.empty()) {
    FError = "no library name";
    return false;
  }
  FHandle = dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!FHandle) {
    const char* e = dlerror();
    FError = e ? e : "cannot load " + name;
  }
  return FHandle != nullptr;
}

void DynLib::Free() {
  if (FHandle) dlclose(FHandle);
  FHandle = nullptr;
}

void* DynLib::Symbol(const char* name) {
  if (!FHandle || !name) return nullptr;
  dlerror();
  void* p = dlsym(FHandle, name);
  if (!p) {
    const char* e = dlerror();
    FError = e ? e : std::string("no symbol ") + name;
  }
  return p;
}

bool DynLib::IsAvailable(const std::string& name, const char* symbol) {
  DynLib lib;
  if (!lib.Load(name)) return false;
  return !symbol || !*symbol || lib.Symbol(symbol) != nullptr;
}

}  // namespace sys
