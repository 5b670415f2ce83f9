#include "platform/hid/UdevLibrary.h"

std::unique_ptr<UdevLibrary> UdevLibrary::Load(const std::string& name, std::string* error) {
  sys::DynLib library;
  if (!library.Load(name)) {
    if (error) *error = library.LastError();
    return nullptr;
  }
  UdevApi api;
  std::string missing;
#define TAVO_UDEV_LOOKUP(sym, result, params) \
  if (!library.Resolve(#sym, api.sym) && missing.empty()) missing = #sym;
  TAVO_UDEV_ENTRY_POINTS(TAVO_UDEV_LOOKUP)
#undef TAVO_UDEV_LOOKUP
  if (!missing.empty()) {
    // The library is released when `library` goes out of scope.
    if (error) *error = name + " lacks " + missing;
    return nullptr;
  }
  return std::unique_ptr<UdevLibrary>(new UdevLibrary(std::move(library), api));
}
