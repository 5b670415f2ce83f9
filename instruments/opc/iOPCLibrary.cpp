#include "instruments/opc/iOPCLibrary.h"

#include <cstring>
#include <iterator>
#include <map>
#include <mutex>
#include <vector>

#include "platform/classlib/Messages.h"
#include "platform/sys/DynLib.h"
#include "platform/sys/SysUtils.h"

namespace {

// The names the loader looks up, called ones first. Only the first 22 are
// ever called.
const char* const kEntryNames[] = {
    "SignalAdd", "SignalRemove", "SignalSuspend", "SignalResume", "SignalGetActive",
    "SignalGetUpdateSuspended", "SignalSendData", "SignalGetDataNow", "SignalGetData", "SignalGetTimeStamp",
    "SignalGetQuality", "GroupAdd", "GroupDelete", "GroupResume", "GroupSuspend", "GroupSetUpdateRate",
    "CloseAllServerConnections", "ServerConnectionGetCount", "ServerConnectionGetName", "ManagerCreated",
    "ManagerDestroyed", "GetLastCallErrorString",
    // Looked up, never called.
    "SignalGetGroupHandle", "EditorSessionStart", "EditorSessionStop", "EditorComputerBranchOpen",
    "EditorComputerBranchClose", "EditorComputerBranchGetItemCount", "EditorComputerBranchGetItemData",
    "EditorServerSetup", "EditorServerGetCount", "EditorServerGetData", "EditorItemSetup",
    "EditorItemGetBrowseType", "EditorItemSetPath", "EditorItemGetBranchItems", "EditorItemGetQualifiedName",
    "GroupGetCount", "GroupGetHandleByName", "GroupGetName", "GroupGetComputerName", "GroupGetOPCServerName",
    "GroupGetUpdateRate", "GroupGetHandle", "ServerConnectionGetGroupCount", "ServerConnectionGetGroupName",
    "ServerConnectionReconnect", "ServerConnectionDisconnect", "ManagerAddItem"};
constexpr int kEntryCount = static_cast<int>(std::size(kEntryNames));
static_assert(kEntryCount == 49);

enum TEntry {
  eSignalAdd,
  eSignalRemove,
  eSignalSuspend,
  eSignalResume,
  eSignalGetActive,
  eSignalGetUpdateSuspended,
  eSignalSendData,
  eSignalGetDataNow,
  eSignalGetData,
  eSignalGetTimeStamp,
  eSignalGetQuality,
  eGroupAdd,
  eGroupDelete,
  eGroupResume,
  eGroupSuspend,
  eGroupSetUpdateRate,
  eCloseAllServerConnections,
  eServerConnectionGetCount,
  eServerConnectionGetName,
  eManagerCreated,
  eManagerDestroyed,
  eGetLastCallErrorString
};

struct TLoader {
  bool Tried = false;
  sys::DynLib Library;
  void* Entries[kEntryCount] = {};

  void Load(const std::string& FileName) {
    Tried = true;
    for (void*& e : Entries) e = nullptr;
    if (!Library.Load(FileName)) return;
    for (int i = 0; i < kEntryCount; ++i) Entries[i] = Library.Symbol(kEntryNames[i]);
  }
  void Free() {
    Library.Free();
    for (void*& e : Entries) e = nullptr;
  }
};

TLoader& Loader() {
  static TLoader loader;
  if (!loader.Tried) loader.Load(IOPC_LIBRARY_FILE);
  return loader;
}

// The entry, checked: the library first, then the name.
template <class F>
F Entry(TEntry Which) {
  CheckOPCLibraryLoaded();
  void* p = Loader().Entries[Which];
  if (!p) RaiseOPCFunctionNotFound(kEntryNames[Which]);
  return reinterpret_cast<F>(p);
}

const std::uint16_t* Wide(const std::u16string& s) {
  return reinterpret_cast<const std::uint16_t*>(s.c_str());
}

}  // namespace

bool OPCLibraryLoaded() {
  return Loader().Library.Loaded();
}

bool OPCLibraryMissing() {
  return !OPCLibraryLoaded();
}

void LoadOPCLibrary() {
  Loader();
}

void FreeOPCLibrary() {
  Loader().Free();
}

void OPCReloadLibraryForTest(const std::string& FileName) {
  TLoader& loader = Loader();
  loader.Free();
  loader.Load(FileName);
}

void CheckOPCLibraryLoaded() {
  if (OPCLibraryMissing()) throw Exception("Vantor OPC DLL Not Found.");
}

void RaiseOPCFunctionNotFound(const std::string& Name) {
  throw Exception("Function \"" + Name + "\" not found in \"iOPC2.dll\".");
}

std::string GetOPCLastCallErrorString() {
  if (OPCLibraryMissing()) return "";
  auto fn = reinterpret_cast<iOPCGetLastCallErrorStringFn>(Loader().Entries[eGetLastCallErrorString]);
  if (!fn) return "";
  const std::uint16_t* text = nullptr;
  fn(&text);
  return iOPCUtf16ToUtf8(text);
}

void CheckOPCLastError() {
  const std::string text = GetOPCLastCallErrorString();
  if (!text.empty()) throw Exception(text);
}

int OPCEntryPointCount() {
  return kEntryCount;
}

std::string OPCEntryPointName(int Index) {
  return kEntryNames[Index];
}

bool OPCEntryPointResolved(const std::string& Name) {
  for (int i = 0; i < kEntryCount; ++i)
    if (Name == kEntryNames[i]) return Loader().Entries[i] != nullptr;
  return false;
}

int OPCSignalAdd(const std::string& ComputerName, const std::string& ServerName, const std::string& ItemName,
                 const std::string& GroupName, int UpdateRate, bool Suspended, std::uint16_t RequestedType,
                 iOPCItemCallback* Callback) {
  auto fn = Entry<iOPCSignalAddFn>(eSignalAdd);
  const std::u16string c = iOPCUtf8ToUtf16(ComputerName), s = iOPCUtf8ToUtf16(ServerName),
                       i = iOPCUtf8ToUtf16(ItemName), g = iOPCUtf8ToUtf16(GroupName);
  std::int32_t handle = 0;
  fn(&handle, Wide(c), Wide(s), Wide(i), Wide(g), UpdateRate, Suspended ? 1 : 0, RequestedType, Callback);
  CheckOPCLastError();
  return handle;
}

namespace {
void CallWithHandle(TEntry Which, int Handle) {
  auto fn = Entry<iOPCHandleFn>(Which);
  fn(Handle);
  CheckOPCLastError();
}

bool GetFlag(TEntry Which, int Handle) {
  auto fn = Entry<iOPCGetFlagFn>(Which);
  std::uint8_t value = 0;
  fn(Handle, &value);
  CheckOPCLastError();
  return value != 0;
}
}  // namespace

void OPCSignalRemove(int Handle) {
  CallWithHandle(eSignalRemove, Handle);
}

void OPCSignalSuspend(int Handle) {
  CallWithHandle(eSignalSuspend, Handle);
}

void OPCSignalResume(int Handle) {
  CallWithHandle(eSignalResume, Handle);
}

void OPCSignalGetDataNow(int Handle) {
  CallWithHandle(eSignalGetDataNow, Handle);
}

bool OPCSignalGetActive(int Handle) {
  return GetFlag(eSignalGetActive, Handle);
}

bool OPCSignalGetUpdateSuspended(int Handle) {
  return GetFlag(eSignalGetUpdateSuspended, Handle);
}

void OPCSignalSendData(int Handle, const TiOPCVariant& Value) {
  auto fn = Entry<iOPCSignalSendDataFn>(eSignalSendData);
  iOPCVariant v;
  std::u16string buffer;
  Value.ToC(v, buffer);
  fn(Handle, &v);
  CheckOPCLastError();
}

TiOPCVariant OPCSignalGetData(int Handle) {
  auto fn = Entry<iOPCSignalGetDataFn>(eSignalGetData);
  iOPCVariant v{};
  fn(Handle, &v);
  // The library's text lasts until its next call: copy it first.
  TiOPCVariant value = TiOPCVariant::FromC(v);
  CheckOPCLastError();
  return value;
}

double OPCSignalGetTimeStamp(int Handle) {
  auto fn = Entry<iOPCSignalGetTimeStampFn>(eSignalGetTimeStamp);
  double value = 0;
  fn(Handle, &value);
  CheckOPCLastError();
  return value;
}

std::uint16_t OPCSignalGetQuality(int Handle) {
  auto fn = Entry<iOPCSignalGetQualityFn>(eSignalGetQuality);
  std::uint16_t value = 0;
  fn(Handle, &value);
  CheckOPCLastError();
  return value;
}

int OPCGroupAdd(const std::string& Name, const std::string& ComputerName, const std::string& OPCServerName,
                int UpdateRate, iOPCManagerCallback* Callback) {
  auto fn = Entry<iOPCGroupAddFn>(eGroupAdd);
  const std::u16string n = iOPCUtf8ToUtf16(Name), c = iOPCUtf8ToUtf16(ComputerName),
                       s = iOPCUtf8ToUtf16(OPCServerName);
  std::int32_t handle = 0;
  fn(&handle, Wide(n), Wide(c), Wide(s), UpdateRate, Callback);
  CheckOPCLastError();
  return handle;
}

void OPCGroupDelete(int Handle) {
  CallWithHandle(eGroupDelete, Handle);
}

void OPCGroupResume(int Handle) {
  CallWithHandle(eGroupResume, Handle);
}

void OPCGroupSuspend(int Handle) {
  CallWithHandle(eGroupSuspend, Handle);
}

void OPCGroupSetUpdateRate(int Handle, int UpdateRate) {
  auto fn = Entry<iOPCGroupSetUpdateRateFn>(eGroupSetUpdateRate);
  fn(Handle, UpdateRate);
  CheckOPCLastError();
}

void OPCCloseAllServerConnections() {
  auto fn = Entry<iOPCVoidFn>(eCloseAllServerConnections);
  fn();
  CheckOPCLastError();
}

int OPCServerConnectionGetCount() {
  auto fn = Entry<iOPCCountFn>(eServerConnectionGetCount);
  const int count = fn();
  CheckOPCLastError();
  return count;
}

std::string OPCServerConnectionGetName(int Index) {
  auto fn = Entry<iOPCServerConnectionGetNameFn>(eServerConnectionGetName);
  const std::uint16_t* text = nullptr;
  fn(&text, Index);
  std::string name = iOPCUtf16ToUtf8(text);
  CheckOPCLastError();
  return name;
}

bool OPCManagerCreated() {
  if (OPCLibraryMissing()) return false;
  auto fn = reinterpret_cast<iOPCManagerCreatedFn>(Loader().Entries[eManagerCreated]);
  if (!fn) return false;
  const bool first = fn() != 0;
  CheckOPCLastError();
  return first;
}

void OPCManagerDestroyed() {
  if (OPCLibraryMissing()) return;
  auto fn = reinterpret_cast<iOPCVoidFn>(Loader().Entries[eManagerDestroyed]);
  if (!fn) return;
  fn();
  CheckOPCLastError();
}

// ---------------------------------------------------------------- callbacks

namespace {

using THandler = std::function<void(TiOPCCallbackKind, std::int32_t)>;

struct TSinkRegistry {
  std::mutex Mutex;
  std::uint64_t Next = 1;
  std::map<std::uint64_t, THandler> Handlers;
  HWND Window = nullptr;
};

TSinkRegistry& Sinks() {
  static TSinkRegistry registry;
  return registry;
}

void Run(std::uint64_t Token, TiOPCCallbackKind Kind, std::int32_t Arg) {
  THandler handler;
  {
    std::lock_guard lock(Sinks().Mutex);
    auto it = Sinks().Handlers.find(Token);
    if (it == Sinks().Handlers.end()) return;
    handler = it->second;
  }
  handler(Kind, Arg);
}

constexpr unsigned WM_OPC_CALLBACK = WM_USER + 0x4F;

// Runs the handler here on the user-interface thread; elsewhere queues it
// there (the queue keeps the order of arrival) and returns.
void Deliver(std::uint64_t Token, TiOPCCallbackKind Kind, std::int32_t Arg) {
  if (IsMainThread()) {
    Run(Token, Kind, Arg);
    return;
  }
  HWND window;
  {
    std::lock_guard lock(Sinks().Mutex);
    window = Sinks().Window;
  }
  const auto packed =
      static_cast<LPARAM>((static_cast<std::uint64_t>(Kind) << 32) | static_cast<std::uint32_t>(Arg));
  PostMessage(window, WM_OPC_CALLBACK, static_cast<WPARAM>(Token), packed);
}

const iOPCGuid kIUnknown = {0, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const iOPCGuid kItemIid = IOPC_IID_ITEM_CALLBACK;
const iOPCGuid kManagerIid = IOPC_IID_MANAGER_CALLBACK;

bool SameGuid(const iOPCGuid* a, const iOPCGuid& b) {
  return a && std::memcmp(a, &b, sizeof b) == 0;
}

constexpr std::int32_t kNoInterface = static_cast<std::int32_t>(0x80004002u);

template <class Self>
std::int32_t Query(Self* self, const iOPCGuid* Iid, void** Object, const iOPCGuid& Own) {
  if (SameGuid(Iid, kIUnknown) || SameGuid(Iid, Own)) {
    if (Object) *Object = self;
    return 0;
  }
  if (Object) *Object = nullptr;
  return kNoInterface;
}

template <class Self>
std::uint32_t NoCount(Self*) {
  return 1;
}

std::uint64_t TokenOf(iOPCItemCallback* Self) {
  return reinterpret_cast<TiOPCCallbackSink::ItemObject*>(Self)->Token;
}

std::uint64_t TokenOf(iOPCManagerCallback* Self) {
  return reinterpret_cast<TiOPCCallbackSink::ManagerObject*>(Self)->Token;
}

const iOPCItemCallbackVtbl kItemVtbl = {
    [](iOPCItemCallback* s, const iOPCGuid* iid, void** o) { return Query(s, iid, o, kItemIid); },
    NoCount<iOPCItemCallback>, NoCount<iOPCItemCallback>,
    [](iOPCItemCallback* s, std::int32_t arg) { Deliver(TokenOf(s), iockNewData, arg); }};

const iOPCManagerCallbackVtbl kManagerVtbl = {
    [](iOPCManagerCallback* s, const iOPCGuid* iid, void** o) { return Query(s, iid, o, kManagerIid); },
    NoCount<iOPCManagerCallback>, NoCount<iOPCManagerCallback>,
    [](iOPCManagerCallback* s, std::int32_t h) { Deliver(TokenOf(s), iockBeforeGroupUpdate, h); },
    [](iOPCManagerCallback* s, std::int32_t h) { Deliver(TokenOf(s), iockAfterGroupUpdate, h); }};

}  // namespace

TiOPCCallbackSink::TiOPCCallbackSink(std::function<void(TiOPCCallbackKind, std::int32_t)> Handler) {
  TSinkRegistry& r = Sinks();
  std::lock_guard lock(r.Mutex);
  if (!r.Window)
    r.Window = AllocateHWnd([](TMessage& m) {
      if (m.Msg != WM_OPC_CALLBACK) return;
      const auto packed = static_cast<std::uint64_t>(m.LParam);
      Run(static_cast<std::uint64_t>(m.WParam), static_cast<TiOPCCallbackKind>(packed >> 32),
          static_cast<std::int32_t>(static_cast<std::uint32_t>(packed)));
    });
  const std::uint64_t token = r.Next++;
  r.Handlers.emplace(token, std::move(Handler));
  FItem = {{&kItemVtbl}, token};
  FManager = {{&kManagerVtbl}, token};
}

TiOPCCallbackSink::~TiOPCCallbackSink() {
  std::lock_guard lock(Sinks().Mutex);
  Sinks().Handlers.erase(FItem.Token);
}
