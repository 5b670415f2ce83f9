// Object managers and the master manager: naming, ordering, channel
// colours, defaults, notices, streaming and destruction.

#include "instruments/plot/iPlotMasterManager.h"
#include "platform/classlib/Forms.h"
#include "tests/instruments/InstrumentsTestSupport.h"

using namespace instruments_test;

namespace {

class PlotManagersTest : public ::testing::Test {
 protected:
  void SetUp() override { classlib_test::App(); }
  TCustomControl plot{nullptr};
  std::unique_ptr<TiPlotMasterManager> master = std::make_unique<TiPlotMasterManager>(&plot);
  std::vector<std::string> ChannelNames() const {
    std::vector<std::string> names;
    auto* m = master->GetChannelManager();
    for (int i = 0; i < m->Count(); ++i) names.push_back(m->GetItem(i)->GetName());
    return names;
  }
};

TEST_F(PlotManagersTest, ObjectsAreNamedByKindInOrder) {
  EXPECT_EQ(master->AddChannel(), 0);
  EXPECT_EQ(master->AddChannel(), 1);
  EXPECT_EQ(master->AddChannel(), 2);
  EXPECT_EQ(ChannelNames(), (std::vector<std::string>{"Channel 1", "Channel 2", "Channel 3"}));
  delete master->GetChannelManager()->GetItem(1);
  master->AddChannel();
  EXPECT_EQ(ChannelNames(), (std::vector<std::string>{"Channel 1", "Channel 3", "Channel 4"}));

  struct {
    int (TiPlotMasterManager::*add)();
    TiPlotObjectManagerCustom* (*manager)(TiPlotMasterManager&);
    const char* name;
  } kinds[] = {
      {&TiPlotMasterManager::AddXAxis,
       [](TiPlotMasterManager& m) -> TiPlotObjectManagerCustom* { return m.GetXAxisManager(); }, "X-Axis 1"},
      {&TiPlotMasterManager::AddYAxis,
       [](TiPlotMasterManager& m) -> TiPlotObjectManagerCustom* { return m.GetYAxisManager(); }, "Y-Axis 1"},
      {&TiPlotMasterManager::AddDataView,
       [](TiPlotMasterManager& m) -> TiPlotObjectManagerCustom* { return m.GetDataViewManager(); },
       "Data View 1"},
      {&TiPlotMasterManager::AddDataCursor,
       [](TiPlotMasterManager& m) -> TiPlotObjectManagerCustom* { return m.GetDataCursorManager(); },
       "Cursor 1"},
      {&TiPlotMasterManager::AddToolBar,
       [](TiPlotMasterManager& m) -> TiPlotObjectManagerCustom* { return m.GetToolBarManager(); },
       "Toolbar 1"},
      {&TiPlotMasterManager::AddLegend,
       [](TiPlotMasterManager& m) -> TiPlotObjectManagerCustom* { return m.GetLegendManager(); }, "Legend 1"},
      {&TiPlotMasterManager::AddTable,
       [](TiPlotMasterManager& m) -> TiPlotObjectManagerCustom* { return m.GetTableManager(); }, "Table 1"},
      {&TiPlotMasterManager::AddLimit,
       [](TiPlotMasterManager& m) -> TiPlotObjectManagerCustom* { return m.GetLimitManager(); }, "Limit 1"},
      {&TiPlotMasterManager::AddLabel,
       [](TiPlotMasterManager& m) -> TiPlotObjectManagerCustom* { return m.GetLabelManager(); }, "Label 1"},
      {&TiPlotMasterManager::AddAnnotation,
       [](TiPlotMasterManager& m) -> TiPlotObjectManagerCustom* { return m.GetAnnotationManager(); }, ""},
  };
  for (const auto& k : kinds) {
    const int index = ((*master).*k.add)();
    EXPECT_EQ(k.manager(*master)->GetObject(index)->GetName(), k.name);
  }
  // Besides the data view's two places in the layout stacks.
  EXPECT_EQ(master->GetObjectManager()->Count(), 13 + 2);
}

TEST_F(PlotManagersTest, NextNameCountsOnlyNumberedNamesOfTheKind) {
  auto* m = master->GetChannelManager();
  master->AddChannel();
  m->GetItem(0)->SetName("Channel");
  master->AddChannel();
  m->GetItem(1)->SetName("channel 7");
  master->AddChannel();
  master->AddChannel();
  m->GetItem(3)->SetName("Channel A");
  EXPECT_EQ(m->GetNextName(), "Channel 9");
  EXPECT_EQ(m->GetIndexByName("CHANNEL 8"), 2);
  EXPECT_EQ(m->GetIndexByName("nothing"), -1);
  EXPECT_EQ(m->GetObjectByName("nothing"), nullptr);
}

TEST_F(PlotManagersTest, ChannelsTakeColoursFromTheTableAndTheFirstAxes) {
  master->AddChannel();  // before any axis: no axis names
  EXPECT_EQ(master->GetChannelManager()->GetItem(0)->GetXAxisName(), "");
  master->AddXAxis();
  master->AddYAxis();
  master->GetXAxisManager()->GetItem(0)->SetName("Time");
  for (int i = 0; i < 4; ++i) master->AddChannel();
  const TColor expected[] = {clRed, clYellow, clBlue, clFuchsia, clAqua};
  for (int i = 0; i < 5; ++i)
    EXPECT_EQ(master->GetChannelManager()->GetItem(i)->GetColor(), expected[i]) << i;
  auto* last = master->GetChannelManager()->GetItem(4);
  EXPECT_EQ(last->GetXAxisName(), "Time");
  EXPECT_EQ(last->GetYAxisName(), "Y-Axis 1");
  EXPECT_EQ(last->GetTitleText(), "Channel 5");
  EXPECT_EQ(master->GetXAxisManager()->GetItem(0)->GetTitle(), "X-Axis 1");
}

TEST_F(PlotManagersTest, ClearingAManagerEmptiesEveryList) {
  master->AddChannel();
  master->AddChannel();
  master->AddXAxis();
  master->GetChannelManager()->Clear();
  EXPECT_EQ(master->GetChannelManager()->Count(), 0);
  EXPECT_EQ(master->GetObjectManager()->Count(), 1 + 2);
  EXPECT_EQ(master->GetLayoutManager()->Count(), 1 + 2);
}

TEST_F(PlotManagersTest, SelectionIsFannedOutAndRoutedInput) {
  master->AddXAxis();
  master->AddYAxis();
  auto* x = master->GetXAxisManager()->GetItem(0);
  auto* y = master->GetYAxisManager()->GetItem(0);
  std::vector<std::string> heard;
  x->SetDrawRect(TRect(0, 0, 10, 10));
  x->SetUserSelected(true);
  master->GetObjectManager()->MouseDownFocusObjects(mbLeft, TShiftState(), 5, 5, 0, 0, nullptr);
  EXPECT_TRUE(x->GetMouseDown());
  EXPECT_FALSE(y->GetMouseDown());
  master->DeSelectAll();
  EXPECT_FALSE(x->GetUserSelected());
}

TEST_F(PlotManagersTest, EditRightsAndAxisReversalReachEveryObject) {
  master->AddChannel();
  int invalidates = 0;
  master->OnInvalidateNow = [&](TObject*) { ++invalidates; };
  master->SetUserCanEditObjects(false);
  EXPECT_FALSE(master->GetChannelManager()->GetItem(0)->GetUserCanEdit());
  master->AddXAxis();  // added later: also without
  EXPECT_FALSE(master->GetXAxisManager()->GetItem(0)->GetUserCanEdit());
  master->SetXYAxesReverse(true);
  EXPECT_TRUE(master->GetXAxisManager()->GetItem(0)->GetXYAxesReversed());
  EXPECT_TRUE(master->GetLayoutManager()->GetXYAxesReverse());
  EXPECT_EQ(invalidates, 1);
}

TEST_F(PlotManagersTest, CollectionsStreamAsPropertyTextAndKeepTheirNamesAndColours) {
  master->AddChannel();
  master->AddChannel();
  auto* m = master->GetChannelManager();
  m->GetItem(0)->SetName("Gain");
  m->GetItem(1)->SetColor(0x123456);
  TStringList lines;
  m->WriteToStream(&lines);
  lines.Add("Other.Thing = 1");
  TiPlotMasterManager other(&plot);
  other.AddChannel();  // replaced by the stream
  other.GetChannelManager()->ReadFromStream(&lines);
  auto* read = other.GetChannelManager();
  ASSERT_EQ(read->Count(), 2);
  EXPECT_EQ(read->GetItem(0)->GetName(), "Gain");
  EXPECT_EQ(read->GetItem(0)->GetColor(), clRed);
  EXPECT_EQ(read->GetItem(1)->GetName(), "Channel 2");
  EXPECT_EQ(read->GetItem(1)->GetColor(), 0x123456);
  EXPECT_EQ(lines.ToVector(), std::vector<std::string>{"Other.Thing = 1"});
  EXPECT_EQ(other.GetObjectManager()->Count(), 2 + 2);
}

TEST_F(PlotManagersTest, ManagersRefuseIncompleteWiringAndTheObjectManagerCreatesNothing) {
  EXPECT_THROW(TiPlotToolBarManager(
                   nullptr, [](TObject*) {}, [](TObject*) {}, [](TObject*) {}, [](TObject*) {}),
               Exception);
  EXPECT_THROW(master->GetObjectManager()->CreateObject(), Exception);
  EXPECT_THROW(master->GetChannelManager()->GetItem(0), Exception);
}

TEST_F(PlotManagersTest, DestructionFreesEverythingWithoutDanglingReferences) {
  for (int i = 0; i < 3; ++i) {
    master->AddChannel();
    master->AddXAxis();
    master->AddDataView();
    master->AddDataCursor();
    master->AddLimit();
  }
  int removes = 0;
  master->OnRemove = [&](TObject*) { ++removes; };
  master.reset();
  EXPECT_EQ(removes, 15 + 14);  // every object and every manager
}

}  // namespace
