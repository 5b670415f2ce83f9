#pragma once
// A read-only stand-in for the system's settings registry. Each root key is
// a settings file: HKEY_LOCAL_MACHINE the system-wide one under the first
// folder of XDG_CONFIG_DIRS (else /etc/xdg), HKEY_CURRENT_USER the user's
// under XDG_CONFIG_HOME (else .config in the home folder), both named
// "tavo/registry.ini". A key path ("SOFTWARE\Maker\Themes") is a section of
// that file and a value name a key in it; anything missing reads empty.

#include <memory>
#include <string>

#include "platform/classlib/Classes.h"

enum class HKEY { HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE };
constexpr HKEY HKEY_CURRENT_USER = HKEY::HKEY_CURRENT_USER;
constexpr HKEY HKEY_LOCAL_MACHINE = HKEY::HKEY_LOCAL_MACHINE;

class TIniFile;

class TRegistry : public TObject {
 public:
  TRegistry();
  ~TRegistry() override;

  HKEY GetRootKey() const { return FRootKey; }
  void SetRootKey(HKEY Value);
  // The settings file behind a root key.
  static std::string RootKeyFileName(HKEY Key);

  // True when the key exists (its section holds a value); it is opened
  // either way, so reads of a missing key give empty values.
  bool OpenKeyReadOnly(const std::string& Key);
  void CloseKey();
  bool ValueExists(const std::string& Name) const;
  std::string ReadString(const std::string& Name) const;

 private:
  HKEY FRootKey = HKEY_CURRENT_USER;
  std::unique_ptr<TIniFile> FFile;
  std::string FCurrentPath;
};
