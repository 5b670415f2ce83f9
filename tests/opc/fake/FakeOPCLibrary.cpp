// A stand-in for the OPC client library, for the tests: it keeps signals
// and groups in memory, answers every entry the instrument library calls,
// and has test entries ("FakeOPC...") that send values and group notices
// through the callbacks, make the next call of an entry fail, and report
// what it was asked. Built twice: once whole, once without "SignalAdd".

#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "instruments/opc/iOPCLibraryABI.h"

#define EXPORT extern "C" __attribute__((visibility("default")))

namespace {

struct Signal {
  std::u16string Computer, Server, Item, Group;
  int32_t UpdateRate = 0;
  bool Suspended = false;
  uint16_t RequestedType = 0;
  iOPCItemCallback* Callback = nullptr;
  iOPCVariant Value{};
  std::u16string ValueText;
  double TimeStamp = 0;
  uint16_t Quality = 0;
  iOPCVariant Sent{};
  std::u16string SentText;
  int SentCount = 0;
};

struct Group {
  std::u16string Name, Computer, Server;
  int32_t UpdateRate = 0;
  bool Suspended = false;
  iOPCManagerCallback* Callback = nullptr;
};

struct State {
  std::recursive_mutex Mutex;
  int32_t NextHandle = 100;
  std::map<int32_t, Signal> Signals;
  std::map<int32_t, Group> Groups;
  std::vector<std::u16string> Servers;
  std::u16string Error;
  std::string FailEntry;
  std::u16string FailText;
  std::u16string OutText;
  int Managers = 0;
  std::map<std::string, int> Calls;
};

State& S() {
  static State s;
  return s;
}

std::u16string Copy(const uint16_t* text) {
  std::u16string s;
  if (text)
    for (; *text; ++text) s += static_cast<char16_t>(*text);
  return s;
}

const uint16_t* Out(const std::u16string& text) {
  S().OutText = text;
  return reinterpret_cast<const uint16_t*>(S().OutText.c_str());
}

// Every entry starts here: the last error is cleared, unless the test asked
// this entry to fail.
void Enter(const char* entry) {
  State& s = S();
  ++s.Calls[entry];
  s.Error.clear();
  if (s.FailEntry == entry) {
    s.Error = s.FailText;
    s.FailEntry.clear();
  }
}

void StoreVariant(const iOPCVariant* in, iOPCVariant& out, std::u16string& text) {
  out = *in;
  if (in->VarType == iOPCVarString) {
    text = Copy(in->Text);
    out.Text = reinterpret_cast<const uint16_t*>(text.c_str());
  } else {
    out.Text = nullptr;
  }
}

}  // namespace

#ifndef FAKE_OPC_WITHOUT_SIGNALADD
EXPORT void SignalAdd(int32_t* Handle, const uint16_t* ComputerName, const uint16_t* ServerName,
                      const uint16_t* ItemName, const uint16_t* GroupName, int32_t UpdateRate,
                      uint8_t Suspended, uint16_t RequestedType, iOPCItemCallback* Callback) {
  std::lock_guard lock(S().Mutex);
  Enter("SignalAdd");
  if (!S().Error.empty()) {
    *Handle = 0;
    return;
  }
  Signal sig;
  sig.Computer = Copy(ComputerName);
  sig.Server = Copy(ServerName);
  sig.Item = Copy(ItemName);
  sig.Group = Copy(GroupName);
  sig.UpdateRate = UpdateRate;
  sig.Suspended = Suspended != 0;
  sig.RequestedType = RequestedType;
  sig.Callback = Callback;
  *Handle = S().NextHandle++;
  S().Signals[*Handle] = sig;
}
#endif

EXPORT void SignalRemove(int32_t Handle) {
  std::lock_guard lock(S().Mutex);
  Enter("SignalRemove");
  if (S().Signals.erase(Handle) == 0 && S().Error.empty()) S().Error = u"Unknown signal";
}

EXPORT void SignalSuspend(int32_t Handle) {
  std::lock_guard lock(S().Mutex);
  Enter("SignalSuspend");
  if (auto it = S().Signals.find(Handle); it != S().Signals.end()) it->second.Suspended = true;
}

EXPORT void SignalResume(int32_t Handle) {
  std::lock_guard lock(S().Mutex);
  Enter("SignalResume");
  if (auto it = S().Signals.find(Handle); it != S().Signals.end()) it->second.Suspended = false;
}

EXPORT void SignalGetActive(int32_t Handle, uint8_t* Value) {
  std::lock_guard lock(S().Mutex);
  Enter("SignalGetActive");
  *Value = S().Signals.count(Handle) ? 1 : 0;
}

EXPORT void SignalGetUpdateSuspended(int32_t Handle, uint8_t* Value) {
  std::lock_guard lock(S().Mutex);
  Enter("SignalGetUpdateSuspended");
  auto it = S().Signals.find(Handle);
  *Value = it != S().Signals.end() && it->second.Suspended ? 1 : 0;
}

EXPORT void SignalSendData(int32_t Handle, const iOPCVariant* Value) {
  std::lock_guard lock(S().Mutex);
  Enter("SignalSendData");
  if (auto it = S().Signals.find(Handle); it != S().Signals.end()) {
    StoreVariant(Value, it->second.Sent, it->second.SentText);
    ++it->second.SentCount;
  }
}

EXPORT void SignalGetDataNow(int32_t Handle) {
  std::lock_guard lock(S().Mutex);
  Enter("SignalGetDataNow");
  (void)Handle;
}

EXPORT void SignalGetData(int32_t Handle, iOPCVariant* Value) {
  std::lock_guard lock(S().Mutex);
  Enter("SignalGetData");
  *Value = iOPCVariant{};
  if (auto it = S().Signals.find(Handle); it != S().Signals.end()) {
    *Value = it->second.Value;
    // The text lives until the next call, as the real library's would.
    if (Value->VarType == iOPCVarString) Value->Text = Out(it->second.ValueText);
  }
}

EXPORT void SignalGetTimeStamp(int32_t Handle, double* Value) {
  std::lock_guard lock(S().Mutex);
  Enter("SignalGetTimeStamp");
  auto it = S().Signals.find(Handle);
  *Value = it != S().Signals.end() ? it->second.TimeStamp : 0;
}

EXPORT void SignalGetQuality(int32_t Handle, uint16_t* Value) {
  std::lock_guard lock(S().Mutex);
  Enter("SignalGetQuality");
  auto it = S().Signals.find(Handle);
  *Value = it != S().Signals.end() ? it->second.Quality : 0;
}

EXPORT void GroupAdd(int32_t* Handle, const uint16_t* Name, const uint16_t* ComputerName,
                     const uint16_t* OPCServerName, int32_t UpdateRate, iOPCManagerCallback* Callback) {
  std::lock_guard lock(S().Mutex);
  Enter("GroupAdd");
  if (!S().Error.empty()) {
    *Handle = 0;
    return;
  }
  Group g;
  g.Name = Copy(Name);
  g.Computer = Copy(ComputerName);
  g.Server = Copy(OPCServerName);
  g.UpdateRate = UpdateRate;
  g.Callback = Callback;
  *Handle = S().NextHandle++;
  S().Groups[*Handle] = g;
}

EXPORT void GroupDelete(int32_t Handle) {
  std::lock_guard lock(S().Mutex);
  Enter("GroupDelete");
  S().Groups.erase(Handle);
}

EXPORT void GroupResume(int32_t Handle) {
  std::lock_guard lock(S().Mutex);
  Enter("GroupResume");
  if (auto it = S().Groups.find(Handle); it != S().Groups.end()) it->second.Suspended = false;
}

EXPORT void GroupSuspend(int32_t Handle) {
  std::lock_guard lock(S().Mutex);
  Enter("GroupSuspend");
  if (auto it = S().Groups.find(Handle); it != S().Groups.end()) it->second.Suspended = true;
}

EXPORT void GroupSetUpdateRate(int32_t Handle, int32_t UpdateRate) {
  std::lock_guard lock(S().Mutex);
  Enter("GroupSetUpdateRate");
  if (auto it = S().Groups.find(Handle); it != S().Groups.end()) it->second.UpdateRate = UpdateRate;
}

EXPORT void CloseAllServerConnections() {
  std::lock_guard lock(S().Mutex);
  Enter("CloseAllServerConnections");
  S().Servers.clear();
}

EXPORT int32_t ServerConnectionGetCount() {
  std::lock_guard lock(S().Mutex);
  Enter("ServerConnectionGetCount");
  return static_cast<int32_t>(S().Servers.size());
}

EXPORT void ServerConnectionGetName(const uint16_t** Name, int32_t Index) {
  std::lock_guard lock(S().Mutex);
  Enter("ServerConnectionGetName");
  if (Index < 0 || Index >= static_cast<int32_t>(S().Servers.size())) {
    S().Error = u"Index out of range";
    *Name = Out(u"");
    return;
  }
  *Name = Out(S().Servers[static_cast<size_t>(Index)]);
}

EXPORT uint8_t ManagerCreated() {
  std::lock_guard lock(S().Mutex);
  Enter("ManagerCreated");
  ++S().Managers;
  return 1;
}

EXPORT void ManagerDestroyed() {
  std::lock_guard lock(S().Mutex);
  Enter("ManagerDestroyed");
  --S().Managers;
}

EXPORT void GetLastCallErrorString(const uint16_t** Text) {
  std::lock_guard lock(S().Mutex);
  *Text = Out(S().Error);
}

// Looked up by the loader, never called.
EXPORT void SignalGetGroupHandle() {}
EXPORT void EditorSessionStart() {}
EXPORT void EditorSessionStop() {}
EXPORT void EditorComputerBranchOpen() {}
EXPORT void EditorComputerBranchClose() {}
EXPORT void EditorComputerBranchGetItemCount() {}
EXPORT void EditorComputerBranchGetItemData() {}
EXPORT void EditorServerSetup() {}
EXPORT void EditorServerGetCount() {}
EXPORT void EditorServerGetData() {}
EXPORT void EditorItemSetup() {}
EXPORT void EditorItemGetBrowseType() {}
EXPORT void EditorItemSetPath() {}
EXPORT void EditorItemGetBranchItems() {}
EXPORT void EditorItemGetQualifiedName() {}
EXPORT void GroupGetCount() {}
EXPORT void GroupGetHandleByName() {}
EXPORT void GroupGetName() {}
EXPORT void GroupGetComputerName() {}
EXPORT void GroupGetOPCServerName() {}
EXPORT void GroupGetUpdateRate() {}
EXPORT void GroupGetHandle() {}
EXPORT void ServerConnectionGetGroupCount() {}
EXPORT void ServerConnectionGetGroupName() {}
EXPORT void ServerConnectionReconnect() {}
EXPORT void ServerConnectionDisconnect() {}
EXPORT void ManagerAddItem() {}

// ---------------------------------------------------------------- test entries

EXPORT void FakeOPCReset() {
  std::lock_guard lock(S().Mutex);
  S().Signals.clear();
  S().Groups.clear();
  S().Servers.clear();
  S().Error.clear();
  S().FailEntry.clear();
  S().Calls.clear();
}

EXPORT void FakeOPCAddServer(const uint16_t* Name) {
  std::lock_guard lock(S().Mutex);
  S().Servers.push_back(Copy(Name));
}

// The next call of Entry fails with Text as the library's last error.
EXPORT void FakeOPCFailNext(const char* Entry, const uint16_t* Text) {
  std::lock_guard lock(S().Mutex);
  S().FailEntry = Entry;
  S().FailText = Copy(Text);
}

EXPORT int32_t FakeOPCCalls(const char* Entry) {
  std::lock_guard lock(S().Mutex);
  return S().Calls[Entry];
}

EXPORT int32_t FakeOPCManagers() {
  std::lock_guard lock(S().Mutex);
  return S().Managers;
}

EXPORT int32_t FakeOPCSignalCount() {
  std::lock_guard lock(S().Mutex);
  return static_cast<int32_t>(S().Signals.size());
}

EXPORT int32_t FakeOPCGroupCount() {
  std::lock_guard lock(S().Mutex);
  return static_cast<int32_t>(S().Groups.size());
}

// What a signal was registered with; false when there is no such signal.
// Field: 0 computer, 1 server, 2 item, 3 group.
EXPORT uint8_t FakeOPCSignalText(int32_t Handle, int32_t Field, const uint16_t** Text) {
  std::lock_guard lock(S().Mutex);
  auto it = S().Signals.find(Handle);
  if (it == S().Signals.end()) return 0;
  const Signal& s = it->second;
  *Text = Out(Field == 0 ? s.Computer : Field == 1 ? s.Server : Field == 2 ? s.Item : s.Group);
  return 1;
}

// Field: 0 update rate, 1 suspended, 2 requested type, 3 values sent.
EXPORT int32_t FakeOPCSignalNumber(int32_t Handle, int32_t Field) {
  std::lock_guard lock(S().Mutex);
  auto it = S().Signals.find(Handle);
  if (it == S().Signals.end()) return -1;
  const Signal& s = it->second;
  return Field == 0 ? s.UpdateRate : Field == 1 ? s.Suspended : Field == 2 ? s.RequestedType : s.SentCount;
}

EXPORT uint8_t FakeOPCSignalSent(int32_t Handle, iOPCVariant* Value) {
  std::lock_guard lock(S().Mutex);
  auto it = S().Signals.find(Handle);
  if (it == S().Signals.end()) return 0;
  *Value = it->second.Sent;
  return 1;
}

// Field: 0 update rate, 1 suspended; the name through Name. -1 when absent.
EXPORT int32_t FakeOPCGroupInfo(int32_t Handle, int32_t Field, const uint16_t** Name) {
  std::lock_guard lock(S().Mutex);
  auto it = S().Groups.find(Handle);
  if (it == S().Groups.end()) return -1;
  *Name = Out(it->second.Name);
  return Field == 0 ? it->second.UpdateRate : it->second.Suspended;
}

// Stores a value for the signal and announces it through its callback.
EXPORT void FakeOPCSendValue(int32_t Handle, const iOPCVariant* Value, double TimeStamp, uint16_t Quality) {
  iOPCItemCallback* callback = nullptr;
  {
    std::lock_guard lock(S().Mutex);
    auto it = S().Signals.find(Handle);
    if (it == S().Signals.end()) return;
    StoreVariant(Value, it->second.Value, it->second.ValueText);
    it->second.TimeStamp = TimeStamp;
    it->second.Quality = Quality;
    callback = it->second.Callback;
  }
  callback->Vtbl->NewData(callback, 0);
}

// Announces an update of the group: before, then after. Handle need not
// be a group's (a stale notice).
EXPORT void FakeOPCGroupUpdate(int32_t Handle, iOPCManagerCallback* Callback) {
  Callback->Vtbl->BeforeGroupUpdate(Callback, Handle);
  Callback->Vtbl->AfterGroupUpdate(Callback, Handle);
}

EXPORT iOPCManagerCallback* FakeOPCGroupCallback(int32_t Handle) {
  std::lock_guard lock(S().Mutex);
  auto it = S().Groups.find(Handle);
  return it == S().Groups.end() ? nullptr : it->second.Callback;
}

// From a worker thread: announces new data of each signal in turn (and
// returns when the worker has made every call).
EXPORT void FakeOPCNotifyFromThread(const int32_t* Handles, int32_t Count) {
  std::vector<iOPCItemCallback*> callbacks;
  {
    std::lock_guard lock(S().Mutex);
    for (int32_t i = 0; i < Count; ++i)
      if (auto it = S().Signals.find(Handles[i]); it != S().Signals.end())
        callbacks.push_back(it->second.Callback);
  }
  std::thread worker([callbacks] {
    for (iOPCItemCallback* c : callbacks) c->Vtbl->NewData(c, 0);
  });
  worker.join();
}
