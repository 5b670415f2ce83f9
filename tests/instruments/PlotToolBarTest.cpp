// The plot toolbar: its buttons and their modes, the click frame with the
// plot's before and after events, and how it lays its row out.

#include <QTimer>

#include <cmath>

#include "instruments/editors/iPlotPreviewForm.h"
#include "instruments/plot/iXYPlot.h"
#include "platform/classlib/Dialogs.h"
#include "platform/classlib/ImgList.h"
#include "tests/instruments/PlotTestSupport.h"

using namespace instruments_test;

namespace {

class PlotToolBarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    classlib_test::App();
    // The edit button opens the property editor: beside the plot, so that
    // the test goes on while it is up.
    plot.SetEditorFormStyle(ipfsStayOnTop);
    plot.OnBeforeToolBarButtonClick = [this](int Index, TiPlotToolBarButtonType Type, bool& Cancel) {
      events.push_back("before " + std::to_string(Type) + " of " + std::to_string(Index));
      Cancel = Type == cancelType;
    };
    plot.OnToolBarButtonClick = [this](int, TiPlotToolBarButtonType Type) {
      events.push_back("after " + std::to_string(Type));
    };
  }
  TiXYPlot plot{nullptr};
  TiPlotToolBar* bar = plot.GetToolBar(0);
  std::vector<std::string> events;
  int cancelType = -1;

  // A press and release of the left button at the middle of a button, as
  // the plot hands them to the object under the mouse.
  void ClickOn(TiPlotToolBarButton* Button) {
    const TRect r = Button->GetDrawRect();
    const int x = (r.Left + r.Right) / 2, y = (r.Top + r.Bottom) / 2;
    ASSERT_EQ(bar->GetMouseOverObject(x, y), Button);
    Button->iMouseDown(mbLeft, TShiftState(), x, y, 0, 0, nullptr);
    Button->iMouseUp(mbLeft, TShiftState(), x, y, 0, 0, false, nullptr);
  }
};

TEST_F(PlotToolBarTest, ButtonsInDisplayOrderAndStartingState) {
  const auto& buttons = bar->GetButtons();
  ASSERT_EQ(buttons.size(), 19u);
  int spacers = 0;
  for (auto* b : buttons) spacers += b->GetStyle() == iptbbsSpacer;
  EXPECT_EQ(spacers, 5);
  EXPECT_EQ(buttons[0]->GetHint(), "Resume All (Tracking)");
  EXPECT_EQ(buttons[18]->GetHint(), "Preview");
  EXPECT_TRUE(bar->GetAxesModeScrollButton()->GetDown());
  EXPECT_FALSE(bar->GetShowSelectButton());
  EXPECT_FALSE(bar->GetShowPreviewButton());
  EXPECT_TRUE(bar->GetShowCursorButton());
  EXPECT_EQ(bar->GetZoomInOutFactor(), 2);
  EXPECT_EQ(bar->GetRequiredWidth(nullptr), 36);
  bar->SetZoomInOutFactor(0.5);
  EXPECT_EQ(bar->GetZoomInOutFactor(), 1);
  bar->SetZoomInOutFactor(4);
  bar->SetZoomInOutFactor(std::nan(""));
  EXPECT_EQ(bar->GetZoomInOutFactor(), 1);
}

TEST_F(PlotToolBarTest, ModeButtonsKeepTheirGroups) {
  plot.ReCalcLayout();
  ClickOn(bar->GetAxesModeZoomButton());
  EXPECT_TRUE(bar->GetAxesModeZoomButton()->GetDown());
  EXPECT_FALSE(bar->GetAxesModeScrollButton()->GetDown());
  EXPECT_EQ(plot.GetXAxis(0)->GetMode(), ipamZoom);
  EXPECT_EQ(plot.GetYAxis(0)->GetMode(), ipamZoom);
  ClickOn(bar->GetAxesModeScrollButton());
  EXPECT_EQ(plot.GetXAxis(0)->GetMode(), ipamScroll);
  EXPECT_FALSE(bar->GetAxesModeZoomButton()->GetDown());

  // Select and zoom box: at most one down.
  bar->SetShowSelectButton(true);
  plot.ReCalcLayout();
  ClickOn(bar->GetZoomBoxButton());
  EXPECT_TRUE(bar->GetZoomBoxActive());
  ClickOn(bar->GetSelectButton());
  EXPECT_TRUE(bar->GetSelectActive());
  EXPECT_TRUE(plot.GetToolBarSelectActive());
  EXPECT_FALSE(bar->GetZoomBoxActive());
  ClickOn(bar->GetSelectButton());
  EXPECT_FALSE(bar->GetSelectActive());
  plot.SetToolBarSelectActive(true);
  EXPECT_TRUE(bar->GetSelectActive());

  // The cursor button shows and hides the data cursors and selects the first.
  ClickOn(bar->GetCursorButton());
  EXPECT_TRUE(bar->GetCursorActive());
  EXPECT_TRUE(plot.GetDataCursor(0)->GetVisible());
  EXPECT_TRUE(plot.GetDataCursor(0)->GetUserSelected());
  // Resume raises the cursor and select buttons first.
  bar->DoButtonClickResume();
  EXPECT_FALSE(bar->GetCursorActive());
  EXPECT_FALSE(bar->GetSelectActive());
  EXPECT_FALSE(plot.GetDataCursor(0)->GetVisible());
  EXPECT_FALSE(plot.GetDataCursor(0)->GetUserSelected());
}

TEST_F(PlotToolBarTest, EveryClickRunsInTheBeforeAndAfterFrame) {
  bar->DoButtonClickZoomIn();
  EXPECT_EQ(events, (std::vector<std::string>{"before 7 of 0", "before 1 of 0", "after 1", "after 7"}));
  events.clear();
  cancelType = iptbbtCopy;
  bar->DoButtonClickCopy();
  EXPECT_EQ(events, std::vector<std::string>{"before 10 of 0"});
  events.clear();
  // The edit button reports only before.
  bar->DoButtonClickEdit();
  EXPECT_EQ(events, std::vector<std::string>{"before 9 of 0"});
  events.clear();
  cancelType = iptbbtCursor;
  bar->DoButtonClickCursor();
  EXPECT_FALSE(bar->GetCursorActive());
  // Each of the 14 buttons reports its own type.
  cancelType = -1;
  using T = TiPlotToolBar;
  const std::vector<void (T::*)()> clicks = {
      &T::DoButtonClickResume,       &T::DoButtonClickPause,  &T::DoButtonClickScrollAxesMode,
      &T::DoButtonClickZoomAxesMode, &T::DoButtonClickSelect, &T::DoButtonClickZoomBox,
      &T::DoButtonClickZoomOut,      &T::DoButtonClickZoomIn, &T::DoButtonClickCursor,
      &T::DoButtonClickEdit,         &T::DoButtonClickCopy,   &T::DoButtonClickSave,
      &T::DoButtonClickPrint,        &T::DoButtonClickPreview};
  TiPlotToolBar* toolBar = bar;
  // Save and Print ask (and are cancelled); the preview is closed when up.
  TScriptedDialogService dialogs;
  for (int type = 0; type < 14; ++type) {
    events.clear();
    if (type == iptbbtPreview)
      QTimer::singleShot(0, [] {
        if (iPlotPreviewForm) iPlotPreviewForm->CloseButtonClick(nullptr);
      });
    (toolBar->*clicks[static_cast<size_t>(type)])();
    EXPECT_EQ(events.front(), "before " + std::to_string(type) + " of 0");
    if (type != iptbbtEdit) {
      EXPECT_EQ(events.back(), "after " + std::to_string(type));
    }
  }
}

TEST_F(PlotToolBarTest, RowLayoutSpacersAndSmallButtons) {
  plot.ReCalcLayout();
  const TRect r = bar->GetDrawRect();
  EXPECT_EQ(bar->GetResumeButton()->GetDrawRect(), TRect(r.Left + 3, r.Top + 3, r.Left + 33, r.Top + 33));
  EXPECT_EQ(bar->GetPauseButton()->GetDrawRect().Left, r.Left + 33);
  // The spacer after Pause: 10 pixels.
  EXPECT_EQ(bar->GetAxesModeScrollButton()->GetDrawRect().Left, r.Left + 73);

  // Hiding only Resume keeps the spacer; hiding Pause too drops it at the
  // next paint.
  bar->SetShowResumeButton(false);
  plot.ReCalcLayout();
  EXPECT_EQ(bar->GetAxesModeScrollButton()->GetDrawRect().Left, r.Left + 43);
  bar->SetShowPauseButton(false);
  plot.ReCalcLayout();
  EXPECT_EQ(bar->GetAxesModeScrollButton()->GetDrawRect().Left, r.Left + 3);

  bar->SetSmallButtons(true);
  EXPECT_EQ(bar->GetRequiredWidth(nullptr), 28);
  plot.ReCalcLayout();
  EXPECT_EQ(bar->GetAxesModeScrollButton()->GetDrawRect().Width(), 22);
  EXPECT_EQ(bar->GetImageList()->GetWidth(), 16);
  bar->SetSmallButtons(false);
  plot.ReCalcLayout();
  EXPECT_EQ(bar->GetImageList()->GetWidth(), 24);
  EXPECT_GT(bar->GetImageList()->GetCount(), 0);
}

TEST_F(PlotToolBarTest, ResumeAndPauseFollowTracking) {
  plot.ReCalcLayout();
  // Axes track until paused; with no axes both buttons are off.
  EXPECT_FALSE(bar->GetResumeButton()->GetEnabled());
  EXPECT_TRUE(bar->GetPauseButton()->GetEnabled());
  plot.RemoveAllXAxes();
  plot.RemoveAllYAxes();
  plot.ReCalcLayout();
  EXPECT_FALSE(bar->GetResumeButton()->GetEnabled());
  EXPECT_FALSE(bar->GetPauseButton()->GetEnabled());
}

TEST_F(PlotToolBarTest, HintsAreTranslatedAndCustomised) {
  plot.ReCalcLayout();
  plot.AddTranslation("Cursor", "Curseur");
  plot.OnToolBarCustomizeHint = [](int Index, std::string& Text) { Text += " #" + std::to_string(Index); };
  TiHintData hint;
  auto* cursor = bar->GetCursorButton();
  const TRect r = cursor->GetDrawRect();
  cursor->iMouseMove(hint, TShiftState(), r.Left + 2, r.Top + 2, 0, 0, false);
  EXPECT_EQ(hint.Text, "Curseur #0");
  EXPECT_EQ(hint.Top, r.Bottom + 3);
  EXPECT_EQ(hint.Left, r.Left);
  EXPECT_GT(hint.Width, 4);
}

}  // namespace
