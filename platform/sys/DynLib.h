#pragma once
// A shared library loaded at run time, and its symbols.

#include <string>

namespace sys {

class DynLib {
 public:
  DynLib() = default;
  explicit DynLib(const std::string& name) { Load(name); }
  ~DynLib() { Free(); }
  DynLib(const DynLib&) = delete;
  DynLib& operator=(const DynLib&) = delete;
  DynLib(DynLib&& other) noexcept;
  DynLib& operator=(DynLib&& other) noexcept;

  // Loads the library unless one is loaded already; true when loaded.
  bool Load(const std::string& name);
  void Free();
  bool Loaded() const { return FHandle != nullptr; }
  const std::string& Name() const { return FName; }
  // The loader's message for the last failure, empty when none.
  const std::string& LastError() const { return FError; }

  // Null when nothing is loaded or the symbol is missing.
  void* Symbol(const char* name);

  // Fills `slot` with the symbol; false (and `slot` null) when missing.
  // Meant for all-or-nothing tables: ok &= lib.Resolve("name", fn);
  template <class F>
  bool Resolve(const char* name, F& slot) {
    slot = reinterpret_cast<F>(Symbol(name));
    return slot != nullptr;
  }

  // True when the library loads and, for a non-empty symbol, has it. The
  // library is released again.
  static bool IsAvailable(const std::string& name, const char* symbol = nullptr);

 private:
  void* FHandle = nullptr;
  std::string FName;
  std::string FError;
};

}  // namespace sys
