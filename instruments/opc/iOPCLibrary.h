#pragma once
// The loader of the OPC client library and the wrappers through which the
// instrument library calls it. The library is looked for once per process,
// the first time anything asks; without it every control works and OPC
// binding stays inactive. Each wrapper checks for the library and its
// entry, calls it, and turns the library's last-call error into an
// exception.
//
// The library calls back through small objects (TiOPCCallbackSink). Their
// handlers update controls, so a call that arrives on another thread is
// posted to the user-interface thread, in arrival order, and returns at
// once: waiting there could deadlock against a wrapper call the
// user-interface thread is making.

#include <cstdint>
#include <functional>
#include <string>

#include "instruments/opc/iOPCLibraryABI.h"
#include "instruments/opc/iOPCVariant.h"

bool OPCLibraryLoaded();
bool OPCLibraryMissing();
// Loads the library unless that was tried already.
void LoadOPCLibrary();
void FreeOPCLibrary();
// Tests: frees what is loaded and loads the file named instead.
void OPCReloadLibraryForTest(const std::string& FileName);

void CheckOPCLibraryLoaded();
[[noreturn]] void RaiseOPCFunctionNotFound(const std::string& Name);
std::string GetOPCLastCallErrorString();
void CheckOPCLastError();
// Every name the loader looks up, and whether the loaded library has it.
int OPCEntryPointCount();
std::string OPCEntryPointName(int Index);
bool OPCEntryPointResolved(const std::string& Name);

int OPCSignalAdd(const std::string& ComputerName, const std::string& ServerName, const std::string& ItemName,
                 const std::string& GroupName, int UpdateRate, bool Suspended, std::uint16_t RequestedType,
                 iOPCItemCallback* Callback);
void OPCSignalRemove(int Handle);
void OPCSignalSuspend(int Handle);
void OPCSignalResume(int Handle);
bool OPCSignalGetActive(int Handle);
bool OPCSignalGetUpdateSuspended(int Handle);
void OPCSignalSendData(int Handle, const TiOPCVariant& Value);
void OPCSignalGetDataNow(int Handle);
TiOPCVariant OPCSignalGetData(int Handle);
double OPCSignalGetTimeStamp(int Handle);
std::uint16_t OPCSignalGetQuality(int Handle);
int OPCGroupAdd(const std::string& Name, const std::string& ComputerName, const std::string& OPCServerName,
                int UpdateRate, iOPCManagerCallback* Callback);
void OPCGroupDelete(int Handle);
void OPCGroupResume(int Handle);
void OPCGroupSuspend(int Handle);
void OPCGroupSetUpdateRate(int Handle, int UpdateRate);
void OPCCloseAllServerConnections();
int OPCServerConnectionGetCount();
std::string OPCServerConnectionGetName(int Index);
bool OPCManagerCreated();
void OPCManagerDestroyed();

enum TiOPCCallbackKind { iockNewData, iockBeforeGroupUpdate, iockAfterGroupUpdate };

// The callback objects of one item or manager. Handler runs on the
// user-interface thread with the kind and the call's argument; calls that
// arrive after the sink is gone are dropped.
class TiOPCCallbackSink {
 public:
  explicit TiOPCCallbackSink(std::function<void(TiOPCCallbackKind Kind, std::int32_t Arg)> Handler);
  ~TiOPCCallbackSink();
  TiOPCCallbackSink(const TiOPCCallbackSink&) = delete;
  TiOPCCallbackSink& operator=(const TiOPCCallbackSink&) = delete;

  iOPCItemCallback* ItemCallback() { return &FItem.Base; }
  iOPCManagerCallback* ManagerCallback() { return &FManager.Base; }

  struct ItemObject {
    iOPCItemCallback Base;
    std::uint64_t Token;
  };
  struct ManagerObject {
    iOPCManagerCallback Base;
    std::uint64_t Token;
  };

 private:
  ItemObject FItem;
  ManagerObject FManager;
};
