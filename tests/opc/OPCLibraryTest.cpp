// The loader and the wrappers: found by the library search, every name
// looked up, a missing entry named in the message, the library's own error
// as the message, and callbacks from other threads handled on the
// user-interface thread in order.

#include <gmock/gmock.h>

#include "instruments/opc/iOPCItem.h"
#include "tests/opc/OPCTestSupport.h"
#include "tests/support/WaitThat.h"
#include "tests/support/RaisedMessage.h"

using namespace opc_test;

using test_support::RaisedMessage;

namespace {

TEST_F(OPCTest, LoaderResolvesEveryNameOfTheWholeLibrary) {
  ASSERT_EQ(OPCEntryPointCount(), 49);
  for (int i = 0; i < OPCEntryPointCount(); ++i)
    EXPECT_TRUE(OPCEntryPointResolved(OPCEntryPointName(i))) << OPCEntryPointName(i);
  EXPECT_EQ(GetOPCLastCallErrorString(), "");
}

// A library without one entry: that name stays empty, the others resolve,
// and its wrapper names it; a file that is absent counts as no library.
TEST_F(OPCTest, MissingEntryAndMissingFile) {
  OPCReloadLibraryForTest(TAVO_OPC_LIB_DIR "/libiOPC2-nosignaladd.so");
  ASSERT_TRUE(OPCLibraryLoaded());
  EXPECT_FALSE(OPCEntryPointResolved("SignalAdd"));
  EXPECT_TRUE(OPCEntryPointResolved("SignalRemove"));
  EXPECT_EQ(RaisedMessage([] { OPCSignalAdd("Local", "S", "I", "G", 500, false, 0, nullptr); }),
            "Function \"SignalAdd\" not found in \"iOPC2.dll\".");
  // An item asks for the entry when it registers.
  TiOPCItemManager items;
  TiOPCItem* item = NewItem(items, "I", false);
  EXPECT_EQ(RaisedMessage([&] { item->Activate(); }), "Function \"SignalAdd\" not found in \"iOPC2.dll\".");

  OPCReloadLibraryForTest("libiOPC2-absent-here.so");
  EXPECT_FALSE(OPCLibraryLoaded());
  EXPECT_FALSE(OPCEntryPointResolved("SignalRemove"));
  EXPECT_EQ(RaisedMessage([] { OPCGroupSuspend(1); }), "Vantor OPC DLL Not Found.");
  OPCReloadLibraryForTest(IOPC_LIBRARY_FILE);
  ASSERT_TRUE(OPCLibraryLoaded());
}

TEST_F(OPCTest, LibraryErrorBecomesTheMessageAndClearsOnTheNextCall) {
  Fake.FailNext("GroupSetUpdateRate", "Group is read-only");
  EXPECT_EQ(RaisedMessage([] { OPCGroupSetUpdateRate(7, 100); }), "Group is read-only");
  EXPECT_EQ(RaisedMessage([] { OPCGroupSetUpdateRate(7, 100); }), "<nothing raised>");
  Fake.FailNext("SignalAdd", "Server \"X\" unreachable");
  EXPECT_EQ(RaisedMessage([] { OPCSignalAdd("Local", "X", "I", "", 500, false, 0, nullptr); }),
            "Server \"X\" unreachable");
  EXPECT_EQ(Fake.SignalCount(), 0);
}

TEST_F(OPCTest, ServerNamesComeBackCopiedAndInAnyScript) {
  Fake.AddServer("Vantor.Sim.1");
  Fake.AddServer("仿真服务器");
  ASSERT_EQ(OPCServerConnectionGetCount(), 2);
  const std::string first = OPCServerConnectionGetName(0);
  const std::string second = OPCServerConnectionGetName(1);
  // The library's buffer was reused by the second call; the copy stays.
  EXPECT_EQ(first, "Vantor.Sim.1");
  EXPECT_EQ(second, "仿真服务器");
  EXPECT_EQ(RaisedMessage([] { OPCServerConnectionGetName(5); }), "Index out of range");
}

// Values cross as our small variant, strings in UTF-16 both ways.
TEST_F(OPCTest, ValuesCrossTheBoundaryIntact) {
  TiOPCItemManager items;
  TiOPCItem* item = NewItem(items, "I", true);
  const int h = item->GetSignalHandle();
  ASSERT_NE(h, 0);
  // Sent as given; received as an item keeps values: integer kinds as a
  // 32-bit integer, or as a double when they do not fit.
  const std::pair<TiOPCVariant, TiOPCVariant> cases[] = {
      {TiOPCVariant::Integer(-7), TiOPCVariant::Integer(-7)},
      {TiOPCVariant::Integer(65535, iOPCVarWord), TiOPCVariant::Integer(65535)},
      {TiOPCVariant::Real(2.5), TiOPCVariant::Real(2.5)},
      {TiOPCVariant::String("Grüße 温度"), TiOPCVariant::String("Grüße 温度")},
      {TiOPCVariant::Boolean(true), TiOPCVariant::Boolean(true)},
      {TiOPCVariant::DateTime(45000.25), TiOPCVariant::DateTime(45000.25)},
      {TiOPCVariant::Integer(1LL << 40, iOPCVarInt64), TiOPCVariant::Real(1099511627776.0)},
  };
  for (const auto& [sent, received] : cases) {
    item->SetData(sent);
    EXPECT_EQ(Fake.Sent(h), sent);
    Fake.Send(h, sent, 0xC0);
    EXPECT_EQ(item->GetData(), received);
  }
}

// A callback from a worker thread returns at once and is handled later on
// the user-interface thread, in the order the calls came.
TEST_F(OPCTest, WorkerThreadCallbacksRunOnTheUserInterfaceThreadInOrder) {
  TiOPCItemManager items;
  std::vector<int> order;
  bool offThread = false;
  items.OnNewData = [&](TObject* Sender) {
    offThread |= !IsMainThread();
    order.push_back(items.FindIndex(static_cast<TiOPCItem*>(Sender)));
  };
  std::vector<int32_t> handles;
  for (int i = 0; i < 4; ++i)
    handles.push_back(NewItem(items, "I" + std::to_string(i), true)->GetSignalHandle());
  const std::vector<int32_t> calls = {handles[2], handles[0], handles[3], handles[1], handles[2]};
  Fake.NotifyFromThread(calls.data(), static_cast<int32_t>(calls.size()));
  EXPECT_TRUE(order.empty()) << "nothing is handled on the worker";
  EXPECT_TRUE(test_support::WaitThat(
      "handled", [&] { return order.size(); }, 5u, [] { classlib_test::App()->ProcessMessages(); }, 10000));
  EXPECT_THAT(order, ::testing::ElementsAre(2, 0, 3, 1, 2));
  EXPECT_FALSE(offThread);
}

// A call queued for an item that is gone by the time it would run is dropped.
TEST_F(OPCTest, QueuedCallbackForAFreedItemIsDropped) {
  int handled = 0;
  auto items = std::make_unique<TiOPCItemManager>();
  items->OnNewData = [&](TObject*) { ++handled; };
  const int32_t h = NewItem(*items, "I", true)->GetSignalHandle();
  Fake.NotifyFromThread(&h, 1);
  items.reset();
  // A second sink made afterwards is handled, so the queue has run.
  TiOPCItemManager other;
  bool later = false;
  other.OnNewData = [&](TObject*) { later = true; };
  const int32_t h2 = NewItem(other, "J", true)->GetSignalHandle();
  Fake.NotifyFromThread(&h2, 1);
  EXPECT_TRUE(classlib_test::PumpUntil([&] { return later; }));
  EXPECT_EQ(handled, 0);
}

}  // namespace
