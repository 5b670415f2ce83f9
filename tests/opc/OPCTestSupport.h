#pragma once
// The stand-in OPC library as the tests drive it: its test entries, looked
// up in the very library the loader found, and a fixture that starts every
// test from a clean library state.

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "instruments/opc/iOPCItem.h"
#include "instruments/opc/iOPCLibrary.h"
#include "platform/sys/DynLib.h"
#include "tests/platform/classlib/ClassLibTestSupport.h"

// Values in failure messages as type and text.
inline void PrintTo(const TiOPCVariant& Value, std::ostream* Out) {
  *Out << "vt " << Value.VarType() << " \"" << Value.AsText() << "\"";
}

namespace opc_test {

class FakeOPC {
 public:
  FakeOPC() : FLib(IOPC_LIBRARY_FILE) {
    FLib.Resolve("FakeOPCReset", Reset);
    FLib.Resolve("FakeOPCAddServer", AddServerW);
    FLib.Resolve("FakeOPCFailNext", FailNextW);
    FLib.Resolve("FakeOPCCalls", Calls);
    FLib.Resolve("FakeOPCManagers", Managers);
    FLib.Resolve("FakeOPCSignalCount", SignalCount);
    FLib.Resolve("FakeOPCGroupCount", GroupCount);
    FLib.Resolve("FakeOPCSignalText", SignalTextW);
    FLib.Resolve("FakeOPCSignalNumber", SignalNumber);
    FLib.Resolve("FakeOPCSignalSent", SignalSentC);
    FLib.Resolve("FakeOPCGroupInfo", GroupInfoW);
    FLib.Resolve("FakeOPCSendValue", SendValueC);
    FLib.Resolve("FakeOPCGroupUpdate", GroupUpdate);
    FLib.Resolve("FakeOPCGroupCallback", GroupCallback);
    FLib.Resolve("FakeOPCNotifyFromThread", NotifyFromThread);
  }
  bool Loaded() const { return FLib.Loaded(); }

  void AddServer(const std::string& Name) {
    const std::u16string w = iOPCUtf8ToUtf16(Name);
    AddServerW(reinterpret_cast<const uint16_t*>(w.c_str()));
  }
  void FailNext(const char* Entry, const std::string& Text) {
    const std::u16string w = iOPCUtf8ToUtf16(Text);
    FailNextW(Entry, reinterpret_cast<const uint16_t*>(w.c_str()));
  }
  // 0 computer, 1 server, 2 item, 3 group; "<none>" for no such signal.
  std::string SignalText(int Handle, int Field) {
    const uint16_t* text = nullptr;
    return SignalTextW(Handle, Field, &text) ? iOPCUtf16ToUtf8(text) : "<none>";
  }
  std::string GroupName(int Handle) {
    const uint16_t* text = nullptr;
    return GroupInfoW(Handle, 0, &text) >= 0 ? iOPCUtf16ToUtf8(text) : "<none>";
  }
  int GroupNumber(int Handle, int Field) {
    const uint16_t* text = nullptr;
    return GroupInfoW(Handle, Field, &text);
  }
  TiOPCVariant Sent(int Handle) {
    iOPCVariant v{};
    return SignalSentC(Handle, &v) ? TiOPCVariant::FromC(v) : TiOPCVariant();
  }
  void Send(int Handle, const TiOPCVariant& Value, std::uint16_t Quality, double TimeStamp = 45000.5) {
    iOPCVariant v;
    std::u16string buffer;
    Value.ToC(v, buffer);
    SendValueC(Handle, &v, TimeStamp, Quality);
  }
  void Update(int GroupHandle, int NoticeHandle) { GroupUpdate(NoticeHandle, GroupCallback(GroupHandle)); }

  void (*Reset)() = nullptr;
  int32_t (*Calls)(const char*) = nullptr;
  int32_t (*Managers)() = nullptr;
  int32_t (*SignalCount)() = nullptr;
  int32_t (*GroupCount)() = nullptr;
  // 0 update rate, 1 suspended, 2 requested type, 3 values sent.
  int32_t (*SignalNumber)(int32_t, int32_t) = nullptr;
  void (*GroupUpdate)(int32_t, iOPCManagerCallback*) = nullptr;
  iOPCManagerCallback* (*GroupCallback)(int32_t) = nullptr;
  void (*NotifyFromThread)(const int32_t*, int32_t) = nullptr;

 private:
  sys::DynLib FLib;
  void (*AddServerW)(const uint16_t*) = nullptr;
  void (*FailNextW)(const char*, const uint16_t*) = nullptr;
  uint8_t (*SignalTextW)(int32_t, int32_t, const uint16_t**) = nullptr;
  uint8_t (*SignalSentC)(int32_t, iOPCVariant*) = nullptr;
  int32_t (*GroupInfoW)(int32_t, int32_t, const uint16_t**) = nullptr;
  void (*SendValueC)(int32_t, const iOPCVariant*, double, uint16_t) = nullptr;
};

// A new item of the manager bound to Data of ItemName on server "S"; with
// Register, registered.
inline TiOPCItem* NewItem(TiOPCItemManager& Items, const std::string& ItemName, bool Register) {
  TiOPCItem* item = Items.Items(Items.Add());
  item->SetPropertyName("Data");
  item->SetServerName("S");
  item->SetItemName(ItemName);
  if (Register) item->Activate();
  return item;
}

class OPCTest : public ::testing::Test {
 protected:
  void SetUp() override {
    classlib_test::App();
    ASSERT_TRUE(OPCLibraryLoaded()) << "the stand-in library is on this program's library path";
    ASSERT_TRUE(Fake.Loaded());
    Fake.Reset();
  }
  FakeOPC Fake;
};

}  // namespace opc_test
