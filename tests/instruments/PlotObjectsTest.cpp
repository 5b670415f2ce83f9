// Plot objects: store-on-change notices, selection, percent clamping,
// routed mouse, keys and popup menus, buttons with auto-repeat.

#include "instruments/plot/iPlotObjects.h"
#include "tests/instruments/InstrumentsTestSupport.h"

using namespace instruments_test;

namespace {

// A plot stand-in that records the object events.
class TRecordingHost : public TCustomControl, public IiPlotObjectHost {
 public:
  using TCustomControl::TCustomControl;
  std::vector<std::string> Events;
  bool CancelPopup = false;
  void ObjectMouseDown(TiPlotObject*, TMouseButton b, TShiftState, int, int) override {
    Events.push_back("down" + std::to_string(b));
  }
  void ObjectMouseMove(TiPlotObject*, TShiftState, int, int) override { Events.push_back("move"); }
  void ObjectMouseUp(TiPlotObject*, TMouseButton, TShiftState, int, int) override { Events.push_back("up"); }
  void ObjectMouseWheel(TiPlotObject*, int, TShiftState, int, int) override { Events.push_back("wheel"); }
  void ObjectPopupMenu(TiPlotObject*, bool& Cancel, int, int) override {
    Events.push_back("popup");
    Cancel = CancelPopup;
  }
  void ObjectGotFocus(TiPlotObject*) override { Events.push_back("got"); }
  void ObjectLostFocus(TiPlotObject*) override { Events.push_back("lost"); }
  std::string TranslateText(const std::string& Text) override {
    return Text == "Edit..." ? "Bearbeiten..." : Text;
  }
};

class PlotObjectsTest : public ::testing::Test {
 protected:
  void SetUp() override { classlib_test::App(); }
  TRecordingHost host{nullptr};
  int changes = 0, renames = 0, inserts = 0, removes = 0;
  TNotifyEvent change = [this](TObject*) { ++changes; };
  TNotifyEvent insert = [this](TObject*) { ++inserts; };
  TNotifyEvent remove = [this](TObject*) { ++removes; };
  TNotifyEvent rename = [this](TObject*) { ++renames; };
  std::unique_ptr<TiPlotLayoutObject> Layout() {
    auto o = std::make_unique<TiPlotLayoutObject>(&host, change, insert, remove, rename);
    o->SetDrawRect(TRect(10, 10, 50, 30));
    return o;
  }
};

TEST_F(PlotObjectsTest, SettersNotifyOnlyOnRealChanges) {
  auto o = Layout();
  o->SetVisible(true);
  o->SetName("");
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(renames, 0);
  o->SetName("Axis");
  o->SetName("Axis");
  EXPECT_EQ(renames, 1);
  EXPECT_EQ(o->GetNameOld(), "");
  int layouts = 0;
  o->OnLayoutChange = [&](TObject*) { ++layouts; };
  o->SetZOrder(2);
  o->SetLayer(100);
  EXPECT_EQ(layouts, 1);
  EXPECT_EQ(o->GetZOrderSortKey(), "002");
  EXPECT_EQ(o->GetLayerSortKey(), "000100");
}

TEST_F(PlotObjectsTest, ManagedObjectsRefuseIncompleteWiring) {
  struct Case {
    bool owner, c, i, r, n;
    const char* message;
  } cases[] = {{false, true, true, true, true, "Owner must be assigned"},
               {true, false, true, true, true, "OnChange event handler can not be null"},
               {true, true, false, true, true, "OnInsert event handler can not be null"},
               {true, true, true, false, true, "OnRemove event handler can not be null"},
               {true, true, true, true, false, "AOnRename event handler can not be null"}};
  for (const auto& k : cases) {
    try {
      TiPlotManagerObject o(k.owner ? &host : nullptr, k.c ? change : nullptr, k.i ? insert : nullptr,
                            k.r ? remove : nullptr, k.n ? rename : nullptr);
      ADD_FAILURE() << k.message;
    } catch (const Exception& e) {
      EXPECT_STREQ(e.what(), k.message);
    }
  }
  TiPlotObject unwired(nullptr, nullptr, nullptr, nullptr, nullptr);  // the base checks nothing
}

TEST_F(PlotObjectsTest, PercentsClampAndKeepOnePercentApart) {
  struct Case {
    bool setStart;
    double start0, stop0, value, start, stop;
  } cases[] = {{true, 0, 100, 100, 99, 100},   {false, 0, 100, 0, 0, 1},
               {true, 0, 100, -5, 0, 100},     {true, 0, 50, 70, 70, 71},
               {false, 10, 100, 200, 10, 100}, {true, 0, 100, std::nan(""), 0, 100}};
  for (const auto& k : cases) {
    auto o = Layout();
    o->SetStartStopPercent(k.start0, k.stop0);
    k.setStart ? o->SetStartPercent(k.value) : o->SetStopPercent(k.value);
    EXPECT_EQ(o->GetStartPercent(), k.start) << k.value;
    EXPECT_EQ(o->GetStopPercent(), k.stop) << k.value;
  }
}

TEST_F(PlotObjectsTest, DisablingASelectedObjectDeselectsItAndDropsThePress) {
  auto o = Layout();
  o->SetUserSelected(true);
  o->iMouseDown(mbLeft, TShiftState(), 20, 20, 0, 0, nullptr);
  ASSERT_TRUE(o->GetMouseDown());
  o->SetEnabled(false);
  EXPECT_FALSE(o->GetUserSelected());
  EXPECT_FALSE(o->GetMouseDown());
  EXPECT_EQ(host.Events, (std::vector<std::string>{"got", "down0", "lost"}));
}

TEST_F(PlotObjectsTest, MouseRoutingFiresPlotEventsOnHits) {
  auto o = Layout();
  o->iMouseDown(mbMiddle, TShiftState(), 20, 20, 0, 0, nullptr);
  EXPECT_FALSE(o->GetMouseDown());
  EXPECT_EQ(host.Events, std::vector<std::string>{"down2"});
  host.Events.clear();
  o->iMouseDown(mbLeft, TShiftState(), 100, 100, 0, 0, nullptr);  // a miss: no plot event
  TiHintData hint;
  o->iMouseMove(hint, TShiftState(), 20, 20, 0, 0, false);
  o->iMouseUp(mbLeft, TShiftState(), 100, 100, 0, 0, false, nullptr);
  EXPECT_EQ(host.Events, (std::vector<std::string>{"move", "up"}));
  EXPECT_FALSE(o->iMouseWheel(120, TShiftState(), TPoint(1, 1)));
  EXPECT_EQ(host.Events.back(), "wheel");
  o->SetXYAxesReversed(true);
  EXPECT_EQ(o->MapMousePixels(3, 4), TPoint(4, 3));
}

TEST_F(PlotObjectsTest, PopupMenusNeedARightPressOnTheObjectAndNoVeto) {
  TPopupMenu menu(nullptr);
  auto o = Layout();
  int popups = 0;
  menu.OnPopup = [&](TObject*) { ++popups; };
  // Right press and release outside: nothing.
  o->iMouseDown(mbRight, TShiftState(), 100, 100, 0, 0, &menu);
  o->iMouseUp(mbRight, TShiftState(), 100, 100, 0, 0, false, &menu);
  EXPECT_EQ(popups, 0);
  // Vetoed: the menu stays untouched.
  host.CancelPopup = true;
  o->iMouseDown(mbRight, TShiftState(), 20, 20, 0, 0, &menu);
  o->iMouseUp(mbRight, TShiftState(), 20, 20, 0, 0, false, &menu);
  EXPECT_EQ(popups, 0);
  // Popups switched off: never asked.
  host.CancelPopup = false;
  host.Events.clear();
  o->SetPopupEnabled(false);
  o->iMouseDown(mbRight, TShiftState(), 20, 20, 0, 0, &menu);
  o->iMouseUp(mbRight, TShiftState(), 20, 20, 0, 0, false, &menu);
  EXPECT_EQ(std::count(host.Events.begin(), host.Events.end(), "popup"), 0);
}

TEST_F(PlotObjectsTest, KeyboardPopupNeedsShiftF10OrTheMenuKey) {
  TPopupMenu menu(nullptr);
  TiPlotObject limit(&host, nullptr, nullptr, nullptr, nullptr);
  std::uint16_t f10 = VK_F1 + 9;
  limit.iKeyDown(f10, TShiftState(), &menu);
  EXPECT_TRUE(host.Events.empty());
  limit.SetUserCanEdit(true);
  auto* stale = new TMenuItem(&menu);
  menu.GetItems()->Add(stale);
  limit.iKeyDown(f10, TShiftState{ssShift}, &menu);
  // A kind that is not placed builds the menu (the base clears it) but shows none.
  EXPECT_EQ(host.Events, std::vector<std::string>{"popup"});
  EXPECT_EQ(menu.GetItems()->Count(), 0);
  limit.AddEditMenuItem(&menu);
  ASSERT_EQ(menu.GetItems()->Count(), 1);
  EXPECT_EQ(menu.GetItems()->GetItems(0)->GetCaption(), "Bearbeiten...");
  limit.SetUserCanEdit(false);
  limit.AddEditMenuItem(&menu);
  EXPECT_EQ(menu.GetItems()->Count(), 1);
}

TEST_F(PlotObjectsTest, ButtonClicksOnReleaseInsideAndRepeatsWhileHeld) {
  TiPlotButton b(&host, nullptr, nullptr, nullptr, nullptr);
  b.SetDrawRect(TRect(0, 0, 10, 10));
  int clicks = 0, groupClicks = 0;
  b.OnClick = [&](TObject*) { ++clicks; };
  b.OnGroupClick = [&](TObject*) { ++groupClicks; };
  b.iMouseDown(mbLeft, TShiftState(), 5, 5, 0, 0, nullptr);
  b.iMouseUp(mbLeft, TShiftState(), 50, 50, 0, 0, false, nullptr);
  EXPECT_EQ(clicks, 0);
  b.SetGroupIndex(1);
  b.iMouseDown(mbLeft, TShiftState(), 5, 5, 0, 0, nullptr);
  b.iMouseUp(mbLeft, TShiftState(), 5, 5, 0, 0, false, nullptr);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(groupClicks, 1);

  b.SetTimerEnabled(true);
  b.iMouseDown(mbLeft, TShiftState(), 5, 5, 0, 0, nullptr);
  ASSERT_TRUE(b.GetTimerRunning());
  ASSERT_TRUE(classlib_test::PumpUntil([&] { return clicks >= 4; }, 5000));
  b.iMouseUp(mbLeft, TShiftState(), 50, 50, 0, 0, false, nullptr);
  EXPECT_FALSE(b.GetTimerRunning());
}

}  // namespace
