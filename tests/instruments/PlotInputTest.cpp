// The plot's input through the layer's synthetic events: what a press
// selects and captures, the hint box on the internal timer, the object
// events with their indexes, silence while loading, the wheel and the
// master axis.

#include <QWidget>

#include "instruments/plot/iXYPlot.h"
#include "platform/classlib/Dialogs.h"
#include "tests/instruments/PlotTestSupport.h"

using namespace instruments_test;
using namespace classlib_test;

namespace {

class PlotInputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    plot = stage.Add<TiXYPlot>("plot", 10, 10, 360, 260);
    ShowAndActivate(stage.form);
    plot->GetToolBar(0)->SetVisible(false);
    Layout();
  }
  void TearDown() override {
    if (plot->GetMouseCapture()) plot->SetMouseCapture(false);
  }
  void Layout() {
    TBitmap b(plot->GetWidth(), plot->GetHeight());
    plot->iPaintToCanvas(b.GetCanvas());
  }
  static TPoint Centre(const TRect& r) { return TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2); }
  TPoint XAxisPoint(int i = 0) { return Centre(plot->GetXAxis(i)->GetFocusRect()); }
  TPoint YAxisPoint() { return Centre(plot->GetYAxis(0)->GetFocusRect()); }
  void Click(TPoint p, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    SendMouse(plot, QEvent::MouseButtonPress, p.X, p.Y, b, b, mods);
    SendMouse(plot, QEvent::MouseButtonRelease, p.X, p.Y, b, Qt::NoButton, mods);
  }
  void WheelAt(TPoint p, int delta, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QWidget* w = plot->GetWidget();
    QPointF local = InWindow(plot, p.X, p.Y);
    QWheelEvent e(local, w->window()->mapToGlobal(local), QPoint(), QPoint(0, delta), Qt::NoButton, mods,
                  Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(w->window()->windowHandle(), &e);
  }

  FormStage stage;
  TiXYPlot* plot = nullptr;
  std::vector<std::string> events;
};

TEST_F(PlotInputTest, RightPressSelectsTheObjectAndCapturesWithoutGrabbingThePointer) {
  plot->GetXAxis(0)->SetUserSelected(true);
  // Empty plot area (the outer margin): every selection is cleared.
  TiPlotMouseData empty;
  empty.X = 2;
  empty.Y = plot->GetHeight() - 2;
  ASSERT_EQ(plot->FindObjectAt(empty), nullptr);
  SendMouse(plot, QEvent::MouseButtonPress, 2, plot->GetHeight() - 2, Qt::RightButton, Qt::RightButton);
  EXPECT_FALSE(plot->GetXAxis(0)->GetUserSelected());
  SendMouse(plot, QEvent::MouseButtonRelease, 2, plot->GetHeight() - 2, Qt::RightButton, Qt::NoButton);

  // On the Y axis: selected, the mouse is the plot's, the desktop's pointer is not taken.
  plot->GetXAxis(0)->SetUserSelected(true);
  plot->OnPopupMenuYAxis = [&](int i, bool& cancel, int, int) {
    events.push_back("popup y" + std::to_string(i));
    cancel = true;
  };
  const TPoint y = YAxisPoint();
  SendMouse(plot, QEvent::MouseButtonPress, y.X, y.Y, Qt::RightButton, Qt::RightButton);
  EXPECT_FALSE(plot->GetXAxis(0)->GetUserSelected());
  EXPECT_TRUE(plot->GetYAxis(0)->GetUserSelected());
  EXPECT_TRUE(plot->GetMouseCapture());
  EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
  SendMouse(plot, QEvent::MouseButtonRelease, y.X, y.Y, Qt::RightButton, Qt::NoButton);
  EXPECT_EQ(events, std::vector<std::string>{"popup y0"});
  EXPECT_FALSE(plot->GetMouseCapture());
}

TEST_F(PlotInputTest, ShiftAndCtrlSelection) {
  const TPoint x = XAxisPoint();
  // Shift on an axis: moves are ignored until the release.
  const double min = plot->GetXAxis(0)->GetMin();
  SendMouse(plot, QEvent::MouseButtonPress, x.X, x.Y, Qt::LeftButton, Qt::LeftButton, Qt::ShiftModifier);
  EXPECT_TRUE(plot->GetSelectingActive());
  EXPECT_TRUE(plot->GetXAxis(0)->GetUserSelected());
  SendMouse(plot, QEvent::MouseMove, x.X + 60, x.Y, Qt::NoButton, Qt::LeftButton, Qt::ShiftModifier);
  EXPECT_EQ(plot->GetXAxis(0)->GetMin(), min);
  SendMouse(plot, QEvent::MouseButtonRelease, x.X + 60, x.Y, Qt::LeftButton, Qt::NoButton, Qt::ShiftModifier);
  EXPECT_FALSE(plot->GetSelectingActive());

  // Shift adds the Y axis; Ctrl on the selected X axis takes it off again.
  Click(YAxisPoint(), Qt::LeftButton, Qt::ShiftModifier);
  EXPECT_TRUE(plot->GetXAxis(0)->GetUserSelected());
  EXPECT_TRUE(plot->GetYAxis(0)->GetUserSelected());
  Click(x, Qt::LeftButton, Qt::ControlModifier);
  EXPECT_FALSE(plot->GetXAxis(0)->GetUserSelected());
  EXPECT_TRUE(plot->GetYAxis(0)->GetUserSelected());

  // Ctrl on a channel (its legend entry) always selects it, twice too.
  const TRect entry = plot->GetChannel(0)->GetLegendRect();
  ASSERT_FALSE(entry.IsEmpty());
  for (int i = 0; i < 2; ++i) {
    Click(Centre(entry), Qt::LeftButton, Qt::ControlModifier);
    EXPECT_TRUE(plot->GetChannel(0)->GetUserSelected());
  }
}

TEST_F(PlotInputTest, HintShowsAfterThePauseAndHidesAfterTheHidePause) {
  const TPoint x = XAxisPoint();
  Move(plot, x.X, x.Y);
  ASSERT_TRUE(plot->InternalTimerRunning());
  EXPECT_EQ(plot->GetLastTimerInterval(), 500);
  EXPECT_FALSE(plot->GetHintData().Visible);
  EXPECT_EQ(plot->GetHintData().Text, "X-Axis 1");

  plot->HintTimerTick();
  EXPECT_TRUE(plot->GetHintData().Visible);
  EXPECT_EQ(plot->GetLastTimerInterval(), 2500);
  EXPECT_TRUE(plot->GetMouseCapture());
  EXPECT_EQ(QWidget::mouseGrabber(), nullptr);

  // Another object: hidden, and the wait starts for the new one.
  const TPoint y = YAxisPoint();
  Move(plot, y.X, y.Y);
  EXPECT_FALSE(plot->GetHintData().Visible);
  EXPECT_EQ(plot->GetLastTimerInterval(), 500);
  EXPECT_EQ(plot->GetHintData().Text, "Y-Axis 1");
  plot->HintTimerTick();
  ASSERT_TRUE(plot->GetHintData().Visible);
  // The hide pause ends it and gives the mouse back.
  plot->HintTimerTick();
  EXPECT_FALSE(plot->GetHintData().Visible);
  EXPECT_FALSE(plot->InternalTimerRunning());
  EXPECT_FALSE(plot->GetMouseCapture());
  // A move of less than 4 pixels over the same object starts nothing.
  Move(plot, y.X - 3, y.Y + 2);
  EXPECT_FALSE(plot->InternalTimerRunning());
}

TEST_F(PlotInputTest, ShownHintEndsWhenThePointerLeavesOrThePlotLosesTheCapture) {
  const TPoint x = XAxisPoint();
  Move(plot, x.X, x.Y);
  plot->HintTimerTick();
  ASSERT_TRUE(plot->GetHintData().Visible);
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(plot->GetWidget(), &leave);
  EXPECT_FALSE(plot->GetHintData().Visible);
  EXPECT_FALSE(plot->InternalTimerRunning());
  EXPECT_FALSE(plot->GetMouseCapture());

  plot->HideHint();
  Move(plot, x.X + 20, x.Y);
  plot->HintTimerTick();
  ASSERT_TRUE(plot->GetHintData().Visible);
  // Another control takes the capture.
  auto* other = stage.Add<TiXYPlot>(0, 0, 10, 10);
  other->SetMouseCapture(true);
  EXPECT_FALSE(plot->GetHintData().Visible);
  other->SetMouseCapture(false);
}

TEST_F(PlotInputTest, HintsOffShowNothing) {
  plot->SetHintsShow(false);
  const TPoint x = XAxisPoint();
  Move(plot, x.X, x.Y);
  EXPECT_FALSE(plot->InternalTimerRunning());
}

TEST_F(PlotInputTest, ObjectEventsCarryTheIndexAndAreSilentWhileLoading) {
  plot->AddXAxis();
  plot->GetXAxis(1)->SetHorizontal(true);
  Layout();
  plot->OnClickXAxis = [&](int i) { events.push_back("click x" + std::to_string(i)); };
  plot->OnMouseDownXAxis = [&](int i, TMouseButton, TShiftState, int, int) {
    events.push_back("down x" + std::to_string(i));
  };
  plot->OnMouseUpXAxis = [&](int i, TMouseButton, TShiftState, int, int) {
    events.push_back("up x" + std::to_string(i));
  };
  plot->OnGotFocusXAxis = [&](int i) { events.push_back("got x" + std::to_string(i)); };
  plot->OnLostFocusXAxis = [&](int i) { events.push_back("lost x" + std::to_string(i)); };
  plot->OnClickDataView = [&](int i) { events.push_back("click view" + std::to_string(i)); };
  Click(XAxisPoint(1));
  EXPECT_EQ(events, (std::vector<std::string>{"got x1", "down x1", "click x1", "up x1"}));
  events.clear();
  Click(Centre(plot->GetDataView(0)->GetDrawRect()));
  EXPECT_EQ(events, (std::vector<std::string>{"lost x1", "click view0"}));

  events.clear();
  plot->BeginLoad();
  Click(XAxisPoint(1));
  plot->EndLoad();
  EXPECT_TRUE(events.empty());
}

TEST_F(PlotInputTest, WheelReachesSelectedAxesButNoXYChannelEvent) {
  int channelWheels = 0;
  std::vector<int> axisWheels;
  plot->OnMouseWheelChannel = [&](int, int, TShiftState, int, int) { ++channelWheels; };
  plot->OnMouseWheelXAxis = [&](int i, int, TShiftState, int, int) { axisWheels.push_back(i); };
  plot->GetChannel(0)->SetUserSelected(true);
  WheelAt(Centre(plot->GetDataView(0)->GetDrawRect()), 120);
  EXPECT_EQ(channelWheels, 0);
  plot->GetXAxis(0)->SetUserSelected(true);
  plot->GetXAxis(0)->SetMinSpan(0, 100);
  WheelAt(Centre(plot->GetDataView(0)->GetDrawRect()), 120);
  EXPECT_EQ(axisWheels, std::vector<int>{0});
  EXPECT_DOUBLE_EQ(plot->GetXAxis(0)->GetMin(), 5);
  EXPECT_DOUBLE_EQ(plot->GetXAxis(0)->GetSpan(), 100);
  EXPECT_FALSE(plot->GetXAxis(0)->GetTrackingEnabled());
}

TEST_F(PlotInputTest, MasterAxisReplaysOnceToTheOtherAxesOfItsKind) {
  plot->AddXAxis();
  for (int i = 0; i < 2; ++i) {
    plot->GetXAxis(i)->SetMinSpan(0, 100);
    plot->GetXAxis(i)->SetMasterUIInput(true);
  }
  plot->GetYAxis(0)->SetMinSpan(0, 100);
  plot->GetXAxis(0)->SetUserSelected(true);
  WheelAt(Centre(plot->GetDataView(0)->GetDrawRect()), 120);
  EXPECT_DOUBLE_EQ(plot->GetXAxis(0)->GetMin(), 5);
  EXPECT_DOUBLE_EQ(plot->GetXAxis(1)->GetMin(), 5);
  EXPECT_DOUBLE_EQ(plot->GetYAxis(0)->GetMin(), 0);
}

TEST_F(PlotInputTest, ArrowsReachTheFocusedPlotsSelectedAxis) {
  plot->GetXAxis(0)->SetMinSpan(0, 100);
  Click(XAxisPoint());
  ASSERT_TRUE(plot->GetXAxis(0)->GetUserSelected());
  double finishedMin = -1;
  plot->OnXAxisMinSpanChangeFinished = [&](int, double, double, double NewMin, double) { finishedMin = NewMin; };
  Key(plot, Qt::Key_Right);
  EXPECT_DOUBLE_EQ(plot->GetXAxis(0)->GetMin(), 1);
  EXPECT_DOUBLE_EQ(finishedMin, 1);
}

}  // namespace

namespace {

// A plot switched off as the program's transfer plots are: presses, drags,
// the wheel and keys change nothing and select nothing.
TEST_F(PlotInputTest, ProgramStylePlotIgnoresTheUser) {
  plot->GetLegend(0)->SetVisible(false);
  plot->GetLegend(0)->SetEnabled(false);
  plot->GetDataCursor(0)->SetVisible(false);
  plot->SetHintsShow(false);
  plot->GetDataView(0)->SetCanFocus(false);
  plot->GetDataView(0)->SetPopupEnabled(false);
  for (TiPlotAxis* a : {static_cast<TiPlotAxis*>(plot->GetXAxis(0)), static_cast<TiPlotAxis*>(plot->GetYAxis(0))}) {
    a->SetTrackingEnabled(false);
    a->SetEnabled(false);
    a->SetPopupEnabled(false);
    a->SetCanFocus(false);
    a->SetMinSpan(-100, 120);
  }
  for (int i = 0; i < plot->GetChannelCount(); ++i) {
    plot->GetChannel(i)->SetCanFocus(false);
    plot->GetChannel(i)->SetPopupEnabled(false);
  }
  Layout();
  TScriptedDialogService dialogs;
  plot->GetChannel(0)->AddXY(-300, 400);
  for (TPoint p : {XAxisPoint(), YAxisPoint(), Centre(plot->GetDataView(0)->GetDrawRect())}) {
    for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton}) {
      SendMouse(plot, QEvent::MouseButtonPress, p.X, p.Y, b, b);
      SendMouse(plot, QEvent::MouseMove, p.X + 30, p.Y - 30, Qt::NoButton, b, Qt::ControlModifier);
      SendMouse(plot, QEvent::MouseButtonRelease, p.X + 30, p.Y - 30, b, Qt::NoButton);
    }
    WheelAt(p, 120);
    Key(plot, Qt::Key_PageUp);
    Key(plot, Qt::Key_F10, QString(), Qt::ShiftModifier);
  }
  for (TiPlotAxis* a : {static_cast<TiPlotAxis*>(plot->GetXAxis(0)), static_cast<TiPlotAxis*>(plot->GetYAxis(0))}) {
    EXPECT_EQ(a->GetMin(), -100);
    EXPECT_EQ(a->GetSpan(), 120);
  }
  EXPECT_TRUE(plot->GetPlotObjectManager()->Count() > 0);
  for (int i = 0; i < plot->GetPlotObjectManager()->Count(); ++i)
    EXPECT_FALSE(plot->GetPlotObjectManager()->GetObject(i)->GetUserSelected());
  EXPECT_TRUE(dialogs.GetQuestions().empty());
}

}  // namespace
