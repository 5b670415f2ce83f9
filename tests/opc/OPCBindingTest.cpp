// The OPC binding of a control's published properties, with the stand-in
// library.

#include <gmock/gmock.h>

#include "instruments/base/iLed.h"
#include "instruments/editors/iCheckBox.h"
#include "tests/opc/OPCTestSupport.h"

using namespace opc_test;

namespace {

// An LED's Active bound to an item: good values set it, bad ones set
// nothing but are still reported; a change that came from OPC is not sent
// back, the next change is.
TEST_F(OPCTest, LedActiveBoundByPath) {
  TiLedRound led(nullptr);
  const int index = led.OPCAddItem();
  led.SetOPCItemPropertyName(index, "active");
  led.SetOPCItemServerName(index, "Vantor.Sim.1");
  led.SetOPCItemItemName(index, "Pump.Running");
  led.OPCItemActivate(index);
  const int h = led.GetOPCItemManager()->Items(index)->GetSignalHandle();
  ASSERT_NE(h, 0);
  std::vector<std::string> events;
  led.OnBeforeNewOPCData = [&](TObject*, int i, TiOPCVariant& data) {
    events.push_back("before " + std::to_string(i) + " " + data.AsText());
  };
  led.OnNewOPCData = [&](TObject*, int i) { events.push_back("new " + std::to_string(i)); };
  // The LED reports its changes as a descendant's setter does.
  std::vector<bool> sent;
  led.OnChange = [&](TObject*) {
    sent.push_back(led.OPCPropertyChanged("Active", TiOPCVariant::Boolean(led.GetActive())));
  };

  Fake.Send(h, TiOPCVariant::Boolean(true), 0xC0);
  EXPECT_TRUE(led.GetActive());
  EXPECT_THAT(events, ::testing::ElementsAre("before 0 True", "new 0"));
  EXPECT_THAT(sent, ::testing::ElementsAre(false)) << "the incoming value is not sent back";
  EXPECT_EQ(Fake.SignalNumber(h, 3), 0);

  events.clear();
  Fake.Send(h, TiOPCVariant::Boolean(false), 0x40);
  EXPECT_TRUE(led.GetActive()) << "bad quality applies nothing";
  EXPECT_THAT(events, ::testing::ElementsAre("before 0 False", "new 0"));

  led.SetActive(false);
  EXPECT_THAT(sent, ::testing::ElementsAre(false, true));
  EXPECT_EQ(Fake.SignalNumber(h, 3), 1);
  EXPECT_EQ(Fake.Sent(h), TiOPCVariant::Boolean(false));

  // Numbers as text: "2" counts as True for a Boolean.
  Fake.Send(h, TiOPCVariant::Integer(2), 0xC0);
  EXPECT_TRUE(led.GetActive());
  // A handler may change the value before it is applied.
  led.OnBeforeNewOPCData = [](TObject*, int, TiOPCVariant& data) { data = TiOPCVariant::Integer(0); };
  Fake.Send(h, TiOPCVariant::Integer(1), 0xC0);
  EXPECT_FALSE(led.GetActive());
}

// A check box passes its own changes of Checked to the binding; a value
// that came from the server is not written back.
TEST_F(OPCTest, CheckBoxSendsItsCheckedChanges) {
  TiCheckBox box(nullptr);
  const int index = box.OPCAddItem();
  box.SetOPCItemPropertyName(index, "Checked");
  box.SetOPCItemServerName(index, "Vantor.Sim.1");
  box.SetOPCItemItemName(index, "Valve.Open");
  box.OPCItemActivate(index);
  const int h = box.GetOPCItemManager()->Items(index)->GetSignalHandle();
  ASSERT_NE(h, 0);

  Fake.Send(h, TiOPCVariant::Boolean(true), 0xC0);
  EXPECT_TRUE(box.GetChecked());
  EXPECT_EQ(Fake.SignalNumber(h, 3), 0) << "the incoming value is not sent back";

  box.SetChecked(false);
  EXPECT_EQ(Fake.SignalNumber(h, 3), 1);
  EXPECT_EQ(Fake.Sent(h), TiOPCVariant::Boolean(false));
  box.SetChecked(false);
  EXPECT_EQ(Fake.SignalNumber(h, 3), 1) << "no change, nothing sent";
}

}  // namespace
