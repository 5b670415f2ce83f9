// The plot channels' OPC binding with the stand-in library: one group per
// channel, one point per group update, a time-series channel's single
// values by its X source, both items ended together.

#include <gmock/gmock.h>

#include "instruments/plot/iPlotChannel.h"
#include "instruments/plot/iXYPlotChannel.h"
#include "tests/instruments/PlotTestHost.h"
#include "tests/opc/OPCTestSupport.h"

using namespace opc_test;

namespace {

class OPCChannelTest : public OPCTest {
 protected:
  void SetUp() override {
    OPCTest::SetUp();
    plot = instruments_test::TTestPlotHost::WithAxes();
    plot->Master->SetChannelClass(iChannelClass<TiXYPlotChannel>());
  }
  template <class C = TiXYPlotChannel>
  C* AddChannel() {
    plot->Master->SetChannelClass(iChannelClass<C>());
    const int i = plot->Master->AddChannel();
    return static_cast<C*>(plot->Master->GetChannelManager()->GetItem(i));
  }
  // A channel fed by X and Y of "Vantor.Sim.1", activated.
  TiXYPlotChannel* AddBoundChannel() {
    TiXYPlotChannel* c = AddChannel();
    c->SetOPCServerName("Vantor.Sim.1");
    c->SetOPCItemName("X");
    c->SetOPCItem2Name("Y");
    c->OPCActivate();
    return c;
  }
  std::unique_ptr<instruments_test::TTestPlotHost> plot;
};

TEST_F(OPCChannelTest, NewChannelTakesTheItemDefaults) {
  TiXYPlotChannel* c = AddChannel();
  EXPECT_EQ(c->GetOPCComputerName(), "Local");
  EXPECT_EQ(c->GetOPCScalar(), 0);
  EXPECT_EQ(c->GetOPCUpdateRate(), 500);
  EXPECT_TRUE(c->GetOPCAutoConnect());
  EXPECT_EQ(c->OPCItem(0)->GetPropertyName(), "Data");
  EXPECT_EQ(c->OPCItem(1)->GetPropertyName(), "Data");
  EXPECT_FALSE(c->GetOPCActive());
  // Inserted with AutoConnect: its group exists, its items lack names.
  EXPECT_EQ(c->GetOPCManager()->GroupCount(), 1);
  EXPECT_EQ(Fake.SignalCount(), 0);
}

// One group per channel, named uniquely; after each group update the two
// items' values are one point, scaled each by its own settings.
TEST_F(OPCChannelTest, XYChannelTakesOnePointPerGroupUpdate) {
  TiXYPlotChannel* a = AddChannel();
  TiXYPlotChannel* b = AddChannel();
  EXPECT_THAT(a->GetUniqueGroupName(), ::testing::MatchesRegex("[0-9A-F]{8}"));
  EXPECT_NE(a->GetUniqueGroupName(), b->GetUniqueGroupName());

  a->SetOPCServerName("Vantor.Sim.1");
  a->SetOPCItemName("Comp.In");
  a->SetOPCItem2Name("Comp.Out");
  a->SetOPCUpdateRate(200);
  a->SetOPCScalar2(2);
  a->OPCActivate();
  ASSERT_EQ(a->GetOPCManager()->GroupCount(), 1);
  const int group = a->GetOPCManager()->Groups(0)->GetDLLGroupHandle();
  EXPECT_EQ(Fake.GroupName(group), a->GetUniqueGroupName());
  EXPECT_EQ(Fake.GroupNumber(group, 0), 200);
  const int hx = a->OPCItem(0)->GetSignalHandle(), hy = a->OPCItem(1)->GetSignalHandle();
  ASSERT_NE(hx, 0);
  ASSERT_NE(hy, 0);
  EXPECT_EQ(Fake.SignalText(hx, 3), a->GetUniqueGroupName());
  EXPECT_EQ(Fake.SignalText(hy, 3), a->GetUniqueGroupName());
  EXPECT_EQ(Fake.SignalText(hy, 2), "Comp.Out");
  EXPECT_TRUE(a->GetOPCActive());

  Fake.Send(hx, TiOPCVariant::Real(-40), 0xC0);
  Fake.Send(hy, TiOPCVariant::Integer(-10), 0xC0);
  EXPECT_EQ(a->GetCount(), 0) << "single values wait for the group update";
  Fake.Update(group, group);
  ASSERT_EQ(a->GetCount(), 1);
  EXPECT_EQ(a->GetXLast(), -40);
  EXPECT_EQ(a->GetYLast(), -20);
  Fake.Send(hx, TiOPCVariant::Real(-30), 0xC0);
  Fake.Update(group, group);
  EXPECT_EQ(a->GetCount(), 2);
  EXPECT_EQ(b->GetCount(), 0);

  // Activating again replaces the group and the registrations.
  a->OPCActivate();
  EXPECT_EQ(Fake.GroupCount(), 2) << "one of a's, one of b's";
  EXPECT_EQ(Fake.SignalCount(), 2);

  a->OPCUpdateSuspend();
  EXPECT_EQ(Fake.GroupNumber(a->GetOPCManager()->Groups(0)->GetDLLGroupHandle(), 1), 1);
  a->OPCUpdateResume();
  EXPECT_EQ(Fake.GroupNumber(a->GetOPCManager()->Groups(0)->GetDLLGroupHandle(), 1), 0);
}

// Deactivating ends both items' registrations, not the first one's only.
TEST_F(OPCChannelTest, DeactivateEndsBothItems) {
  TiXYPlotChannel* c = AddBoundChannel();
  ASSERT_EQ(Fake.SignalCount(), 2);
  c->OPCDeactivate();
  EXPECT_EQ(Fake.SignalCount(), 0);
  EXPECT_EQ(c->OPCItem(0)->GetSignalHandle(), 0);
  EXPECT_EQ(c->OPCItem(1)->GetSignalHandle(), 0);
  EXPECT_FALSE(c->OPCItem(1)->GetActive());
}

TEST_F(OPCChannelTest, ChannelLeavesNothingRegisteredWhenItGoes) {
  AddBoundChannel();
  ASSERT_EQ(Fake.SignalCount(), 2);
  plot.reset();
  EXPECT_EQ(Fake.SignalCount(), 0);
  EXPECT_EQ(Fake.GroupCount(), 0);
  EXPECT_EQ(Fake.Managers(), 0);
}

// A time-series channel takes each value of item 0 as a point whose X its
// X source gives; with X from an item nothing comes until the group update.
TEST_F(OPCChannelTest, TimeSeriesChannelFedPerXValueSource) {
  auto* c = AddChannel<TiPlotChannel>();
  EXPECT_EQ(c->GetOPCComputerName(), "Local");
  c->SetOPCServerName("Vantor.Sim.1");
  c->SetOPCItemName("Tank.Level");
  c->SetElapsedStartTime(Now() - 1.0);
  struct Case {
    TiOPCXValueSourceStyle Source;
    double XLow, XHigh;  // where X must lie; a negative range: no point
  } cases[] = {
      {iopcxvsOPCServerTimeStamp, 45000.5, 45000.5},
      {iopcxvsSystemTimeStamp, Now() - 0.01, Now() + 0.01},
      {iopcxvsElapsedTime, 0.99, 1.01},
      {iopcxvsElapsedSeconds, 86400 - 900, 86400 + 900},
      {iopcxvsOPCItem, 1, -1},
  };
  for (const Case& k : cases) {
    c->SetOPCXValueSource(k.Source);
    c->OPCActivate();
    EXPECT_EQ(Fake.SignalCount(), 1) << "item 0 alone: its item 2 name is empty";
    const int count = c->GetCount();
    Fake.Send(c->OPCItem(0)->GetSignalHandle(), TiOPCVariant::Real(7.5), 0xC0, 45000.5);
    if (k.XLow > k.XHigh) {
      EXPECT_EQ(c->GetCount(), count) << k.Source;
      continue;
    }
    ASSERT_EQ(c->GetCount(), count + 1) << k.Source;
    EXPECT_GE(c->GetXLast(), k.XLow) << k.Source;
    EXPECT_LE(c->GetXLast(), k.XHigh) << k.Source;
    EXPECT_EQ(c->GetYLast(), 7.5) << k.Source;
  }
}

TEST_F(OPCChannelTest, TimeSeriesChannelTakesXFromItem0PerGroupUpdate) {
  auto* c = AddChannel<TiPlotChannel>();
  c->SetOPCXValueSource(iopcxvsOPCItem);
  c->SetOPCServerName("Vantor.Sim.1");
  c->SetOPCItemName("Clock");
  c->SetOPCItem2Name("Tank.Level");
  c->OPCActivate();
  ASSERT_EQ(c->GetOPCManager()->GroupCount(), 1);
  const int group = c->GetOPCManager()->Groups(0)->GetDLLGroupHandle();
  EXPECT_EQ(c->GetOPCGroupName(), c->GetUniqueGroupName());
  EXPECT_EQ(Fake.SignalText(c->OPCItem(1)->GetSignalHandle(), 3), c->GetUniqueGroupName());
  Fake.Send(c->OPCItem(0)->GetSignalHandle(), TiOPCVariant::Integer(12), 0xC0);
  Fake.Send(c->OPCItem(1)->GetSignalHandle(), TiOPCVariant::Real(0.5), 0xC0);
  EXPECT_EQ(c->GetCount(), 0);
  Fake.Update(group, group);
  ASSERT_EQ(c->GetCount(), 1);
  EXPECT_EQ(c->GetXLast(), 12);
  EXPECT_EQ(c->GetYLast(), 0.5);

  // Deactivating ends both registrations, not item 0's alone.
  c->OPCDeactivate();
  EXPECT_EQ(Fake.SignalCount(), 0);

  // Without a server name no group is made: both items join the group
  // item 0 names.
  c->SetOPCServerName("");
  c->SetOPCGroupName("Plant");
  c->OPCActivate();
  EXPECT_EQ(c->GetOPCManager()->GroupCount(), 0);
  EXPECT_EQ(Fake.SignalText(c->OPCItem(0)->GetSignalHandle(), 3), "Plant");
  EXPECT_EQ(Fake.SignalText(c->OPCItem(1)->GetSignalHandle(), 3), "Plant");
}

}  // namespace
