// Without the OPC library, as on every machine here: nothing registers,
// groups stay with handle 0, the calls that need the library say so, and
// the controls and channels work as before.

#include <gtest/gtest.h>

#include "instruments/base/iLed.h"
#include "instruments/opc/iOPCItem.h"
#include "instruments/opc/iOPCManager.h"
#include "instruments/base/iPropertyText.h"
#include "instruments/plot/iPlotChannel.h"
#include "instruments/plot/iXYPlotChannel.h"
#include "tests/instruments/PlotTestHost.h"
#include "tests/support/RaisedMessage.h"

using test_support::RaisedMessage;

namespace {

TEST(OPCWithoutLibraryTest, NothingRegistersAndTheLibraryCallsSaySo) {
  classlib_test::App();
  ASSERT_FALSE(OPCLibraryLoaded());
  EXPECT_TRUE(OPCLibraryMissing());
  EXPECT_EQ(GetOPCLastCallErrorString(), "");
  EXPECT_FALSE(OPCManagerCreated());
  OPCManagerDestroyed();

  TiLedRound led(nullptr);
  const int index = led.OPCAddItem();
  led.SetOPCItemPropertyName(index, "Active");
  led.SetOPCItemServerName(index, "S");
  led.SetOPCItemItemName(index, "I");
  led.OPCItemActivate(index);
  TiOPCItem* item = led.GetOPCItemManager()->Items(index);
  EXPECT_EQ(item->GetSignalHandle(), 0);
  EXPECT_FALSE(item->GetActive());
  EXPECT_FALSE(item->GetUpdateSuspended());
  led.SetOPCItemData(index, TiOPCVariant::Boolean(true));
  led.OPCItemUpdateSuspend(index);
  led.OPCItemDeactivate(index);
  EXPECT_FALSE(led.OPCPropertyChanged("Active", TiOPCVariant::Boolean(true)));

  TiOPCManager manager(nullptr);
  EXPECT_FALSE(manager.GetFirstInstance());
  EXPECT_EQ(manager.GroupAdd("G", "Local", "S", 500), 0);
  EXPECT_EQ(manager.Groups(0)->GetDLLGroupHandle(), 0);
  const std::string notFound = "Vantor OPC DLL Not Found.";
  for (const auto& call : std::vector<std::function<void()>>{
           [&] { manager.Groups(0)->SetUpdateRate(100); },
           [&] { manager.Groups(0)->Resume(); },
           [&] { manager.Groups(0)->Suspend(); },
           [&] { manager.CloseAllServerConnections(); },
           [] { OPCServerConnectionGetCount(); },
           [] { OPCSignalAdd("Local", "S", "I", "", 500, false, 0, nullptr); },
       })
    EXPECT_EQ(RaisedMessage(call), notFound);
  manager.GroupDelete(0);
  EXPECT_EQ(manager.GroupCount(), 0);
}

// The channels' OPC settings keep their names; a new channel starts as a
// new item does. Inserting one (AutoConnect) raises nothing.
template <class C>
class OPCWithoutLibraryChannelTest : public ::testing::Test {};
using ChannelKinds = ::testing::Types<TiXYPlotChannel, TiPlotChannel>;
TYPED_TEST_SUITE(OPCWithoutLibraryChannelTest, ChannelKinds);

TYPED_TEST(OPCWithoutLibraryChannelTest, ChannelsKeepWorking) {
  auto plot = instruments_test::TTestPlotHost::WithAxes();
  plot->Master->SetChannelClass(iChannelClass<TypeParam>());
  auto* c = static_cast<TypeParam*>(plot->Master->GetChannelManager()->GetItem(plot->Master->AddChannel()));
  EXPECT_EQ(c->GetOPCComputerName(), "Local");
  EXPECT_EQ(c->GetOPCScalar(), 0);
  c->SetOPCServerName("S");
  c->SetOPCItemName("X");
  c->SetOPCItem2Name("Y");
  c->OPCActivate();
  c->OPCDeactivate();
  EXPECT_FALSE(c->GetOPCActive());
  for (int i = 0; i < c->GetOPCManager()->GroupCount(); ++i)
    EXPECT_EQ(c->GetOPCManager()->Groups(i)->GetDLLGroupHandle(), 0);
  c->AddXY(1, 2);
  EXPECT_EQ(c->GetCount(), 1);

  TStringList lines;
  WritePropertiesText(c, "", &lines, false, nullptr);
  EXPECT_GE(lines.IndexOf("OPCComputerName = Local"), 0);
  EXPECT_GE(lines.IndexOf("OPCItemName = X"), 0);
}

}  // namespace
