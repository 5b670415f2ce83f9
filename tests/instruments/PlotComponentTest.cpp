// The plot control's object interface, its events, the title properties
// and the image lists; the XY plot's default objects and typed channels.

#include "instruments/plot/iXYPlot.h"
#include "platform/classlib/ImgList.h"
#include "tests/instruments/PlotTestSupport.h"

using namespace instruments_test;

namespace {

class PlotComponentTest : public ::testing::Test {
 protected:
  void SetUp() override { classlib_test::App(); }
  TiPlotComponent plot{nullptr};
};

TEST_F(PlotComponentTest, ConstructionDefaults) {
  EXPECT_EQ(plot.GetWidth(), 500);
  EXPECT_EQ(plot.GetHeight(), 200);
  EXPECT_EQ(plot.GetBackGroundColor(), clBlack);
  EXPECT_EQ(plot.GetBorderStyle(), ibsLowered);
  EXPECT_TRUE(plot.GetAutoFrameRate());
  EXPECT_EQ(plot.GetUpdateFrameRate(), 60);
  EXPECT_EQ(plot.GetOuterMarginLeft(), 5);
  EXPECT_EQ(plot.GetHintsPause(), 500);
  EXPECT_EQ(plot.GetHintsHidePause(), 2500);
  EXPECT_EQ(plot.GetPrintDocumentName(), "Untitled");
  EXPECT_EQ(plot.GetBackGroundGradientStartColor(), clBlue);
  EXPECT_TRUE(plot.GetUserCanEditObjects());
  EXPECT_EQ(plot.GetChannelCount(), 0);
}

TEST_F(PlotComponentTest, AddDeleteAndRemoveByKindWithEvents) {
  std::vector<std::string> events;
  plot.OnAddChannel = [&](int i) { events.push_back("add channel " + std::to_string(i)); };
  plot.OnRemoveChannel = [&](int i) { events.push_back("remove channel " + std::to_string(i)); };
  plot.OnAddXAxis = [&](int i) { events.push_back("add x " + std::to_string(i)); };
  plot.OnRemoveXAxis = [&](int i) { events.push_back("remove x " + std::to_string(i)); };
  EXPECT_EQ(plot.AddChannel(), 0);
  EXPECT_EQ(plot.AddChannel(), 1);
  EXPECT_EQ(plot.AddChannel(), 2);
  EXPECT_EQ(plot.AddXAxis(), 0);
  plot.DeleteChannel(1);
  EXPECT_EQ(plot.GetChannelCount(), 2);
  EXPECT_EQ(plot.GetChannel(1)->GetName(), "Channel 3");
  plot.RemoveAllChannels();
  plot.DeleteXAxis(0);
  EXPECT_EQ(events, (std::vector<std::string>{"add channel 0", "add channel 1", "add channel 2", "add x 0",
                                              "remove channel 1", "remove channel 0", "remove channel 0",
                                              "remove x 0"}));
  EXPECT_EQ(plot.GetChannelCount(), 0);
  EXPECT_THROW(plot.GetChannel(0), EStringListError);
  EXPECT_THROW(plot.DeleteChannel(0), EStringListError);
}

TEST_F(PlotComponentTest, LookupsByNameIgnoreCase) {
  plot.AddXAxis();
  plot.AddChannel();
  plot.AddLegend();
  EXPECT_EQ(plot.GetXAxisIndexByName("x-axis 1"), 0);
  EXPECT_EQ(plot.GetXAxisByName("X-AXIS 1"), plot.GetXAxis(0));
  EXPECT_EQ(plot.GetChannelByName("channel 1"), plot.GetChannel(0));
  EXPECT_EQ(plot.GetLegendIndexByName("Legend 2"), -1);
  EXPECT_EQ(plot.GetYAxisByName("Y-Axis 1"), nullptr);
  EXPECT_EQ(plot.GetChannel(0)->GetXAxisName(), "X-Axis 1");
}

TEST_F(PlotComponentTest, TitleIsLabelZero) {
  // No label: the title reads empty and writes nothing.
  EXPECT_EQ(plot.GetTitleText(), "");
  EXPECT_FALSE(plot.GetTitleVisible());
  EXPECT_EQ(plot.GetTitleMargin(), 0);
  EXPECT_EQ(plot.GetTitleFont(), plot.GetFont());
  plot.SetTitleText("x");
  EXPECT_EQ(plot.GetTitleText(), "");

  plot.AddLabel();
  plot.AddLabel();
  plot.AddLabel();
  plot.SetTitleText("Gain");
  plot.SetTitleMargin(0.5);
  EXPECT_EQ(plot.GetLabel(0)->GetCaption(), "Gain");
  EXPECT_EQ(plot.GetLabel(0)->GetMarginBottom(), 0.5);
  EXPECT_EQ(plot.GetTitleFont(), plot.GetLabel(0)->GetFont());
  EXPECT_THROW(
      {
        try {
          plot.DeleteLabel(0);
        } catch (const Exception& e) {
          EXPECT_STREQ(e.what(), "Label Index 0 can not be Deleted (Resevered for Title)");
          throw;
        }
      },
      Exception);
  plot.RemoveAllLabels();
  EXPECT_EQ(plot.GetLabelCount(), 1);
  EXPECT_EQ(plot.GetTitleText(), "Gain");
}

TEST_F(PlotComponentTest, ImageListsAdoptCentreOrRefuseSizes) {
  TBitmap big(24, 24), small(16, 16), odd(16, 32);
  plot.ImageListAdd(1, &big);
  EXPECT_EQ(plot.GetImageList(1)->GetWidth(), 24);
  plot.ImageListAdd(1, &small);
  EXPECT_EQ(small.GetWidth(), 24);
  EXPECT_EQ(plot.GetImageList(1)->GetCount(), 2);
  EXPECT_THROW(plot.ImageListAdd(1, &odd), Exception);
  EXPECT_THROW(plot.ImageListAdd(3, &big), Exception);
  EXPECT_THROW(plot.ImageListClear(-1), Exception);
  plot.ImageListClear(1);
  EXPECT_EQ(plot.GetImageList(1)->GetCount(), 0);
  // An empty list takes the size of the first bitmap.
  plot.ImageListAdd(2, &odd);
  EXPECT_EQ(plot.GetImageList(2)->GetHeight(), 32);
}

TEST_F(PlotComponentTest, ProgramSwitchesOffEditingSelectionPopupsAndHints) {
  TiXYPlot xy(nullptr);
  xy.AddChannel();
  xy.SetUserCanEditObjects(false);
  xy.SetHintsShow(false);
  for (int i = 0; i < xy.GetChannelCount(); ++i) {
    xy.GetChannel(i)->SetPopupEnabled(false);
    xy.GetChannel(i)->SetCanFocus(false);
    EXPECT_FALSE(xy.GetChannel(i)->GetUserCanEdit());
  }
  xy.GetDataView(0)->SetPopupEnabled(false);
  xy.GetDataView(0)->SetCanFocus(false);
  EXPECT_FALSE(xy.GetDataView(0)->GetUserCanEdit());
  // Objects added later inherit the edit switch.
  EXPECT_FALSE(xy.GetChannel(xy.AddChannel())->GetUserCanEdit());
  EXPECT_FALSE(xy.GetHintsShow());
}

TEST_F(PlotComponentTest, LoadingMovesAToolBarOffTheTitlesPlace) {
  TiXYPlot xy(nullptr);
  xy.GetToolBar(0)->SetZOrder(2);
  xy.DisableLayoutManager();
  xy.Loaded();
  EXPECT_EQ(xy.GetToolBar(0)->GetZOrder(), 3);
  EXPECT_TRUE(xy.GetLayoutManager()->GetEnabled());
}

TEST_F(PlotComponentTest, PublishedPropertiesReachThePlotAndTheXYPlot) {
  TiXYPlot xy(nullptr);
  for (const char* name :
       {"TitleText", "OuterMarginLeft", "BackGroundGradientEnabled", "Name", "BorderStyle"})
    EXPECT_NE(GetPropInfo(&xy, name), nullptr) << name;
  const TiPropInfo* title = GetPropInfo(&xy, "TitleText");
  title->SetStr(&xy, "Gate");
  EXPECT_EQ(xy.GetTitleText(), "Gate");
}

TEST(XYPlotTest, DefaultObjectsAndChannels) {
  classlib_test::App();
  TiXYPlot plot(nullptr);
  EXPECT_EQ(plot.GetToolBarCount(), 1);
  EXPECT_EQ(plot.GetLegendCount(), 1);
  EXPECT_EQ(plot.GetXAxisCount(), 1);
  EXPECT_EQ(plot.GetYAxisCount(), 1);
  EXPECT_EQ(plot.GetChannelCount(), 1);
  EXPECT_EQ(plot.GetDataViewCount(), 1);
  EXPECT_EQ(plot.GetDataCursorCount(), 1);
  EXPECT_EQ(plot.GetLabelCount(), 1);
  EXPECT_EQ(plot.GetTitleText(), "Untitled");
  EXPECT_EQ(plot.GetLabel(0)->GetName(), "Title");
  EXPECT_EQ(plot.GetToolBar(0)->GetZOrder(), 3);
  EXPECT_EQ(plot.GetLegend(0)->GetZOrder(), 2);
  EXPECT_EQ(plot.GetLabel(0)->GetZOrder(), 2);
  // Toolbar outermost above, title next to the data view, X axis below,
  // Y axis left, legend right.
  auto* layout = plot.GetLayoutManager();
  EXPECT_EQ(layout->GetTopList(), (TiPlotLayoutManager::TSideList{plot.GetLabel(0), plot.GetToolBar(0)}));
  EXPECT_EQ(layout->GetBottomList(), TiPlotLayoutManager::TSideList{plot.GetXAxis(0)});
  EXPECT_EQ(layout->GetLeftList(), TiPlotLayoutManager::TSideList{plot.GetYAxis(0)});
  EXPECT_EQ(layout->GetRightList(), TiPlotLayoutManager::TSideList{plot.GetLegend(0)});

  EXPECT_EQ(plot.GetChannel(0), plot.TiPlotComponent::GetChannel(0));
  // A channel of another class, possible after the class was changed.
  plot.GetMaster()->SetChannelClass(iChannelClass<TiPlotChannelCustom>());
  plot.AddChannel();
  try {
    plot.GetChannel(1);
    ADD_FAILURE();
  } catch (const EInvalidCast& e) {
    EXPECT_STREQ(e.what(), "Invalid class typecast");
  }
  for (int bad : {2, -1}) {
    try {
      plot.GetChannel(bad);
      ADD_FAILURE() << bad;
    } catch (const EStringListError& e) {
      EXPECT_EQ(std::string(e.what()), "List index out of bounds (" + std::to_string(bad) + ")");
    }
  }
}

}  // namespace
