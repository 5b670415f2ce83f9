#include "platform/classlib/Registry.h"

#include <cstdlib>

#include "platform/classlib/IniFiles.h"

namespace {

std::string Env(const char* Name) {
  const char* v = std::getenv(Name);
  return v ? v : "";
}

}  // namespace

TRegistry::TRegistry() = default;
TRegistry::~TRegistry() = default;

std::string TRegistry::RootKeyFileName(HKEY Key) {
  std::string folder;
  if (Key == HKEY_LOCAL_MACHINE) {
    folder = Env("XDG_CONFIG_DIRS");
    folder = folder.substr(0, folder.find(':'));
    if (folder.empty()) folder = "/etc/xdg";
  } else {
    folder = Env("XDG_CONFIG_HOME");
    if (folder.empty()) folder = Env("HOME") + "/.config";
  }
  return folder + "/tavo/registry.ini";
}

void TRegistry::SetRootKey(HKEY Value) {
  if (Value == FRootKey) return;
  CloseKey();
  FRootKey = Value;
}

bool TRegistry::OpenKeyReadOnly(const std::string& Key) {
  FFile = std::make_unique<TIniFile>(RootKeyFileName(FRootKey));
  FCurrentPath = Key;
  return FFile->SectionExists(FCurrentPath);
}

void TRegistry::CloseKey() {
  FFile.reset();
  FCurrentPath.clear();
}

bool TRegistry::ValueExists(const std::string& Name) const {
  return FFile && FFile->ValueExists(FCurrentPath, Name);
}

std::string TRegistry::ReadString(const std::string& Name) const {
  return FFile ? FFile->ReadString(FCurrentPath, Name, "") : "";
}
