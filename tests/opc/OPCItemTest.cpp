// OPC items with the stand-in library: defaults, registration and its
// conditions, scaling and quality of incoming values, the requested type,
// and the "OPCItems" text.

#include <gmock/gmock.h>

#include <cmath>
#include <limits>

#include "instruments/base/iLed.h"
#include "instruments/opc/iOPCItem.h"
#include "tests/opc/OPCTestSupport.h"

using namespace opc_test;

namespace {

class OPCItemTest : public OPCTest {
 protected:
  TiOPCItem* NewItem(const std::string& Server = "Vantor.Sim.1", const std::string& ItemName = "Tank.Level") {
    TiOPCItem* item = items.Items(items.Add());
    item->SetPropertyName("Data");
    item->SetServerName(Server);
    item->SetItemName(ItemName);
    return item;
  }
  TiOPCItemManager items;
};

TEST_F(OPCItemTest, NewItemDefaults) {
  TiOPCItem* item = items.Items(items.Add());
  EXPECT_EQ(item->GetUpdateRate(), 500);
  EXPECT_TRUE(item->GetAutoConnect());
  EXPECT_EQ(item->GetComputerName(), "Local");
  EXPECT_EQ(item->GetScalar(), 0);
  EXPECT_EQ(item->GetOffset(), 0);
  EXPECT_FALSE(item->GetAutoError());
  EXPECT_EQ(item->GetSignalHandle(), 0);
  EXPECT_FALSE(item->GetActive());
  EXPECT_TRUE(item->GetData().IsEmpty());
}

// Registration passes every setting; incomplete names never register.
TEST_F(OPCItemTest, RegistersOnlyWithCompleteNames) {
  struct Case {
    const char* Property;
    const char* Group;
    const char* Server;
    const char* Item;
    bool Registers;
  } cases[] = {
      {"Data", "", "S", "I", true},    {"Data", "G", "", "I", true},   {" ", "G", "S", "I", false},
      {"Data", " ", "  ", "I", false}, {"Data", "G", "S", " ", false},
  };
  for (const Case& c : cases) {
    TiOPCItem* item = items.Items(items.Add());
    item->SetPropertyName(c.Property);
    item->SetGroupName(c.Group);
    item->SetServerName(c.Server);
    item->SetItemName(c.Item);
    item->SetUpdateRate(250);
    item->Activate();
    EXPECT_EQ(item->GetSignalHandle() != 0, c.Registers) << c.Property << "|" << c.Group << "|" << c.Server;
    if (c.Registers) {
      const int h = item->GetSignalHandle();
      EXPECT_EQ(Fake.SignalText(h, 0), "Local");
      EXPECT_EQ(Fake.SignalText(h, 1), c.Server);
      EXPECT_EQ(Fake.SignalText(h, 2), c.Item);
      EXPECT_EQ(Fake.SignalText(h, 3), c.Group);
      EXPECT_EQ(Fake.SignalNumber(h, 0), 250);
      EXPECT_EQ(Fake.SignalNumber(h, 1), 0);
      EXPECT_TRUE(item->GetActive());
    }
  }
  EXPECT_EQ(Fake.SignalCount(), 2);
}

TEST_F(OPCItemTest, SettingsChangedWhileActiveRegisterAgainInactiveOnesDoNot) {
  TiOPCItem* idle = NewItem("S", "");
  idle->Activate();
  idle->SetItemName("Now.Complete");
  EXPECT_EQ(idle->GetSignalHandle(), 0) << "setting a name of an inactive item does not register it";

  TiOPCItem* item = NewItem();
  item->Activate();
  const int first = item->GetSignalHandle();
  item->SetItemName("Tank.Temperature");
  const int second = item->GetSignalHandle();
  EXPECT_NE(second, first);
  EXPECT_EQ(Fake.SignalText(first, 2), "<none>") << "the old registration ended";
  EXPECT_EQ(Fake.SignalText(second, 2), "Tank.Temperature");
  item->SetUpdateRate(1000);
  EXPECT_EQ(Fake.SignalNumber(item->GetSignalHandle(), 0), 1000);
  EXPECT_EQ(Fake.SignalCount(), 1);

  item->ActivateSuspend();
  EXPECT_TRUE(item->GetUpdateSuspended());
  item->UpdateResume();
  EXPECT_FALSE(item->GetUpdateSuspended());
  item->Deactivate();
  EXPECT_EQ(item->GetSignalHandle(), 0);
  EXPECT_EQ(Fake.SignalCount(), 0);
}

TEST_F(OPCItemTest, StringPropertiesAskForStrings) {
  TiLedRectangle led(nullptr);
  TiOPCItem* item = led.GetOPCItemManager()->Items(led.OPCAddItem());
  item->SetServerName("S");
  item->SetItemName("I");
  for (auto [property, type] :
       {std::pair<const char*, int>{"CenterLabelText", 8}, {"Active", 0}, {"Width", 0}}) {
    item->SetPropertyName(property);
    item->Activate();
    EXPECT_EQ(Fake.SignalNumber(item->GetSignalHandle(), 2), type) << property;
  }
}

// Scalar 2, Offset 1: numbers are scaled, integers stay integers (rounded
// half to even) unless the result leaves 32 bits; other kinds and values
// of bad quality arrive as they are.
TEST_F(OPCItemTest, IncomingValuesScaledByQuality) {
  TiOPCItem* item = NewItem();
  item->SetScalar(2);
  item->SetOffset(1);
  item->Activate();
  const int h = item->GetSignalHandle();
  struct Case {
    TiOPCVariant In;
    std::uint16_t Quality;
    TiOPCVariant Out;
  } cases[] = {
      {TiOPCVariant::Integer(10), 0xC0, TiOPCVariant::Integer(21)},
      {TiOPCVariant::Integer(10, iOPCVarWord), 0xD8, TiOPCVariant::Integer(21)},
      {TiOPCVariant::Real(1.25), 0xC0, TiOPCVariant::Real(3.5)},
      {TiOPCVariant::Real(1.25, iOPCVarSingle), 0xC0, TiOPCVariant::Real(3.5)},
      {TiOPCVariant::Real(0.25, iOPCVarDouble), 0xC0, TiOPCVariant::Real(1.5)},
      {TiOPCVariant::Integer(10), 0x40, TiOPCVariant::Integer(10)},
      {TiOPCVariant::Real(1.25), 0x80, TiOPCVariant::Real(1.25)},
      {TiOPCVariant::String("10"), 0xC0, TiOPCVariant::String("10")},
      {TiOPCVariant::Boolean(true), 0xC0, TiOPCVariant::Boolean(true)},
      {TiOPCVariant::DateTime(2.0), 0xC0, TiOPCVariant::DateTime(2.0)},
      // 2 * 2^31 + 1 does not fit: a double, not a wrapped integer.
      {TiOPCVariant::Integer(1LL << 31, iOPCVarInt64), 0xC0, TiOPCVariant::Real(4294967297.0)},
  };
  for (const Case& c : cases) {
    Fake.Send(h, c.In, c.Quality, 45123.5);
    EXPECT_EQ(item->GetData(), c.Out) << c.In.AsText() << " q " << c.Quality;
    EXPECT_EQ(item->GetQuality(), c.Quality);
    EXPECT_EQ(item->GetTimeStamp(), 45123.5);
  }
  // Halves to the even neighbour: 2 * 1 + 0.5 with Scalar 1, Offset 0.5.
  item->SetScalar(1);
  item->SetOffset(0.5);
  Fake.Send(h, TiOPCVariant::Integer(2), 0xC0);
  EXPECT_EQ(item->GetData(), TiOPCVariant::Integer(2));
  Fake.Send(h, TiOPCVariant::Integer(3), 0xC0);
  EXPECT_EQ(item->GetData(), TiOPCVariant::Integer(4));
}

TEST_F(OPCItemTest, QualityGoodNeedsBothHighBits) {
  TiOPCItem* item = NewItem();
  item->Activate();
  for (auto [quality, good] :
       {std::pair<std::uint16_t, bool>{0xC0, true}, {0xD8, true}, {0x40, false}, {0x80, false}, {0, false}}) {
    Fake.Send(item->GetSignalHandle(), TiOPCVariant::Integer(1), quality);
    EXPECT_EQ(item->GetQualityGood(), good) << quality;
  }
}

TEST_F(OPCItemTest, AutoErrorFollowsTheQuality) {
  TiLedRound led(nullptr);
  TiOPCItem* item = led.GetOPCItemManager()->Items(led.OPCAddItem());
  item->SetPropertyName("Active");
  item->SetServerName("S");
  item->SetItemName("I");
  item->SetAutoError(true);
  item->Activate();
  Fake.Send(item->GetSignalHandle(), TiOPCVariant::Boolean(true), 0x40);
  EXPECT_TRUE(led.GetErrorActive());
  Fake.Send(item->GetSignalHandle(), TiOPCVariant::Boolean(true), 0xC0);
  EXPECT_FALSE(led.GetErrorActive());
}

// "OPCItems" lines read back make the items and register those with
// AutoConnect, unless the owner is being designed.
TEST_F(OPCItemTest, OPCItemsTextRoundTripRegistersAutoConnectItems) {
  TiLedRound source(nullptr);
  for (int i = 0; i < 3; ++i) {
    const int index = source.OPCAddItem();
    source.SetOPCItemPropertyName(index, "Active");
    source.SetOPCItemServerName(index, "Vantor.Sim.1");
    source.SetOPCItemItemName(index, "Valve" + std::to_string(i));
    source.SetOPCItemUpdateRate(index, 100 * (i + 1));
    source.SetOPCItemAutoConnect(index, i != 1);
  }
  EXPECT_EQ(Fake.SignalCount(), 2) << "switching AutoConnect on registers the item";
  TStringList lines;
  ASSERT_TRUE(source.GetOPCItemManager()->DoWriteToStream());
  source.GetOPCItemManager()->WriteToStream(&lines);
  EXPECT_EQ(lines.Get(0), "Item0.PropertyName = Active");

  for (bool designing : {false, true}) {
    Fake.Reset();
    TiLedRound copy(nullptr);
    copy.OnGetDesigning = [designing](TObject*, bool& d) { d = designing; };
    TStringList text;
    text.Assign(&lines);
    copy.GetOPCItemManager()->ReadFromStream(&text);
    ASSERT_EQ(copy.OPCItemCount(), 3);
    EXPECT_EQ(copy.GetOPCItemItemName(2), "Valve2");
    EXPECT_EQ(copy.GetOPCItemUpdateRate(2), 300);
    EXPECT_FALSE(copy.GetOPCItemAutoConnect(1));
    EXPECT_EQ(Fake.SignalCount(), designing ? 0 : 2) << designing;
    EXPECT_EQ(Fake.Calls("SignalAdd"), designing ? 0 : 2) << "each registered once";
  }
  TiLedRound empty(nullptr);
  EXPECT_FALSE(empty.GetOPCItemManager()->DoWriteToStream());
}

// The properties file holds the items after the published properties, and
// only when there are any.
TEST_F(OPCItemTest, PropertiesFileCarriesOPCItems) {
  const std::string file = ::testing::TempDir() + "opc-led.txt";
  TiLedRound source(nullptr);
  source.SavePropertiesToFile(file);
  TStringList plain;
  plain.LoadFromFile(file);
  for (int i = 0; i < plain.Count(); ++i) EXPECT_EQ(plain.Get(i).find("OPCItems"), std::string::npos);

  source.SetOPCItemPropertyName(source.OPCAddItem(), "Active");
  source.SetOPCItemServerName(0, "S");
  source.SetOPCItemItemName(0, "I");
  source.SetActiveColor(0x123456);
  source.SavePropertiesToFile(file);
  TiLedRound copy(nullptr);
  copy.LoadPropertiesFromFile(file);
  EXPECT_EQ(copy.GetActiveColor(), 0x123456);
  ASSERT_EQ(copy.OPCItemCount(), 1);
  EXPECT_EQ(copy.GetOPCItemPropertyName(0), "Active");
  EXPECT_NE(copy.GetOPCItemManager()->Items(0)->GetSignalHandle(), 0);
  std::remove(file.c_str());
}

}  // namespace
