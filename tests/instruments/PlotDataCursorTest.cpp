// Data cursor: which pointers each style shows, where the hint box goes,
// the clamped positions, dragging, keys, and what is drawn where.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "instruments/plot/iPlotDataCursor.h"
#include "instruments/plot/iPlotDataView.h"
#include "instruments/plot/iPlotLegend.h"
#include "instruments/plot/iXYPlot.h"
#include "instruments/plot/iXYPlotChannel.h"
#include "platform/classlib/Keys.h"
#include "platform/classlib/PicturePng.h"
#include "tests/instruments/PlotTestHost.h"

namespace {

TEST(PlotDataCursorGeometry, PointersByStyle) {
  const char* const names[] = {"ValueXY", "ValueX", "ValueY", "DeltaX", "DeltaY", "InverseDeltaX"};
  // Pointer 1, pointer 2 and hint: V vertical, H horizontal, - hidden.
  struct Case {
    TiPlotDataCursorStyle Style;
    const char* XY;
    const char* Strip;
  } cases[] = {
      {ipcsValueXY, "VHV", "V-V"}, {ipcsValueX, "V-V", "V-V"}, {ipcsValueY, "-HH", "V-V"},
      {ipcsDeltaX, "VVV", "VVV"},  {ipcsDeltaY, "HHH", "HHH"}, {ipcsInverseDeltaX, "VVV", "VVV"},
  };
  auto text = [](const TiPlotDataCursorPointers& p) {
    auto o = [](TiOrientation x) { return x == ioVertical ? 'V' : 'H'; };
    return std::string{p.Pointer1Show ? o(p.Pointer1) : '-', p.Pointer2Show ? o(p.Pointer2) : '-', o(p.Hint)};
  };
  auto swapped = [](std::string s) {
    for (char& c : s) c = c == 'V' ? 'H' : c == 'H' ? 'V' : c;
    return s;
  };
  for (const Case& c : cases) {
    EXPECT_EQ(text(iDataCursorPointers(c.Style, true, false)), c.XY) << names[c.Style];
    EXPECT_EQ(text(iDataCursorPointers(c.Style, false, false)), c.Strip) << names[c.Style];
    EXPECT_EQ(text(iDataCursorPointers(c.Style, true, true)), swapped(c.XY)) << names[c.Style];
  }
}

TEST(PlotDataCursorGeometry, HintBoxBesideFlippedAndShifted) {
  const TRect view(0, 0, 400, 300);
  auto vertical = [&](int X, TiOrientationSide Side) {
    TiPlotDataCursorHintInput in;
    in.Band1 = TRect(X - 5, 0, X + 6, 300);
    in.View = view;
    in.Along = 150;
    in.TextWidth = 60;
    in.TextHeight = 14;
    in.WidthOfA = 8;
    in.Side = Side;
    return iDataCursorHintBox(in);
  };
  struct Case {
    int X;
    TiOrientationSide Side;
    TRect Box;
    TiOrientationSide Out;
  } cases[] = {
      // Beside the pointer: 5 pixels off, text width plus one "A" wide.
      {100, iosBottomRight, TRect(105, 141, 173, 159), iosBottomRight},
      {100, iosTopLeft, TRect(27, 141, 95, 159), iosTopLeft},
      // Too near the right edge: flipped to the left, and it stays there.
      {350, iosBottomRight, TRect(277, 141, 345, 159), iosTopLeft},
      // Too near the left edge: back to the right.
      {30, iosTopLeft, TRect(35, 141, 103, 159), iosBottomRight},
  };
  for (const Case& c : cases) {
    const TiPlotDataCursorHint h = vertical(c.X, c.Side);
    EXPECT_EQ(h.Box, c.Box) << c.X;
    EXPECT_EQ(h.Side, c.Out) << c.X;
  }

  // A view too narrow for either side: the box is shifted inside it.
  TiPlotDataCursorHintInput narrow;
  narrow.Band1 = TRect(35, 0, 46, 100);
  narrow.View = TRect(0, 0, 80, 100);
  narrow.Along = 98;
  narrow.TextWidth = 60;
  narrow.TextHeight = 14;
  narrow.WidthOfA = 8;
  TiPlotDataCursorHint h = iDataCursorHintBox(narrow);
  EXPECT_EQ(h.Box, TRect(12, 82, 80, 100));

  // Delta styles centre the box between the pointers.
  TiPlotDataCursorHintInput delta;
  delta.Orientation = ioHorizontal;
  delta.Delta = true;
  delta.Band1 = TRect(0, 95, 400, 106);
  delta.Band2 = TRect(0, 195, 400, 206);
  delta.View = view;
  delta.Along = 200;
  delta.TextWidth = 60;
  delta.TextHeight = 14;
  delta.WidthOfA = 8;
  h = iDataCursorHintBox(delta);
  EXPECT_EQ(h.Box, TRect(166, 141, 234, 159));
  // Horizontal hint below its pointer, above it near the bottom.
  delta.Delta = false;
  EXPECT_EQ(iDataCursorHintBox(delta).Box, TRect(166, 105, 234, 123));
  delta.Band1 = TRect(0, 285, 400, 296);
  h = iDataCursorHintBox(delta);
  EXPECT_EQ(h.Side, iosTopLeft);
  EXPECT_EQ(h.Box, TRect(166, 267, 234, 285));
}

// A plot with a data view, its axes, and cursor events recorded.
class TCursorHost : public instruments_test::TTestPlotHost, public IiPlotDataCursorHost {
 public:
  void DoBeforeDataCursorUpdate(TiPlotDataCursor*) override { ++Updates; }
  void DoDataCursorChange(TiPlotDataCursor*) override { ++Changes; }
  void DoDataCursorCustomizeHint(TiPlotDataCursor*, std::string& Text) override {
    if (!HintPrefix.empty()) Text = HintPrefix + Text;
  }
  int Updates = 0;
  int Changes = 0;
  std::string HintPrefix;
};

constexpr TColor kBack = 0x000000;

class PlotDataCursorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    classlib_test::App();
    Host.Master->AddXAxis();
    Host.Master->AddYAxis();
    Host.Master->AddDataView();
    View = Host.Master->GetDataViewManager()->GetItem(0);
    View->SetDrawRect(TRect(0, 0, 400, 300));
    Host.Master->AddChannel();
    Host.Master->AddDataCursor();
    Cursor = Host.Master->GetDataCursorManager()->GetItem(0);
    Cursor->SetDataView(View);
    Cursor->SetVisible(true);
    Sheet.GetCanvas()->Brush->SetColor(kBack);
    Sheet.GetCanvas()->FillRect(TRect(0, 0, 400, 300));
  }
  TColor Pixel(int X, int Y) { return Sheet.GetCanvas()->GetPixels(X, Y); }
  void Save(const std::string& Name) {
    TPngImage png;
    png.Assign(&Sheet);
    png.SaveToFile(::testing::TempDir() + Name);
  }
  void Paint() { Cursor->Draw(Sheet.GetCanvas(), kBack); }
  void Press(int X, int Y) { Cursor->iMouseDown(mbLeft, TShiftState(), X, Y, X, Y, nullptr); }
  void Move(int X, int Y) {
    TiHintData hint;
    Cursor->iMouseMove(hint, TShiftState(), X, Y, X, Y, false);
  }
  void Release(int X, int Y) { Cursor->iMouseUp(mbLeft, TShiftState(), X, Y, X, Y, false, nullptr); }
  void Key(std::uint16_t K, TShiftState Shift = TShiftState()) { Cursor->iKeyDown(K, Shift, nullptr); }

  TCursorHost Host;
  TiPlotDataView* View = nullptr;
  TiPlotDataCursor* Cursor = nullptr;
  TBitmap Sheet{400, 300};
};

TEST_F(PlotDataCursorTest, DefaultsAndClampedPositions) {
  auto* fresh = new TiPlotDataCursor(
      &Host, [](TObject*) {}, [](TObject*) {}, [](TObject*) {}, [](TObject*) {});
  EXPECT_FALSE(fresh->GetVisible());
  EXPECT_TRUE(fresh->GetEnabled());
  EXPECT_EQ(fresh->GetPointer1Position(), 50);
  EXPECT_EQ(fresh->GetPointer2Position(), 60);
  EXPECT_EQ(fresh->GetMenuItemCaptionInverseDeltaX(), "Frequency");
  delete fresh;
  // The manager names a new cursor's channel after the first channel.
  EXPECT_EQ(Cursor->GetChannelName(), "Channel 1");

  struct {
    double In, Out;
  } cases[] = {{-5, 0}, {250, 100}, {std::numeric_limits<double>::quiet_NaN(), 0}, {37.5, 37.5}};
  for (auto c : cases) {
    Cursor->SetPointer1Position(c.In);
    Cursor->SetPointer2Position(c.In);
    EXPECT_EQ(Cursor->GetPointer1Position(), c.Out) << c.In;
    EXPECT_EQ(Cursor->GetPointer2Position(), c.Out) << c.In;
  }
  double y = 5;
  EXPECT_EQ(Cursor->GetInterpolatedYValue("nobody", 3, y), ipdpsNull);
  EXPECT_EQ(y, 0);
}

TEST_F(PlotDataCursorTest, PointersHintAndAllChannels) {
  Cursor->SetStyle(ipcsDeltaX);  // two vertical pointers at 50 % and 60 %
  Cursor->SetUseChannelColor(false);
  Paint();
  EXPECT_EQ(Pixel(200, 0), clYellow);
  EXPECT_EQ(Pixel(200, 299), clYellow);
  EXPECT_EQ(Pixel(240, 10), clYellow);
  EXPECT_EQ(Cursor->GetPointer1Rect(), TRect(195, 0, 206, 300));
  EXPECT_TRUE(Cursor->GetHintShowing());
  EXPECT_TRUE(Cursor->HitTest(203, 100));
  EXPECT_FALSE(Cursor->HitTest(100, 100));
  EXPECT_GT(Host.Updates, 0);

  // On all channels the pointers are drawn, the hint never.
  Cursor->SetChannelName("<All>");
  Paint();
  EXPECT_FALSE(Cursor->GetHintShowing());
  EXPECT_EQ(Cursor->GetChannel(), nullptr);

  // Hidden on release: the hint shows only while a pointer is dragged.
  Cursor->SetChannelName("Channel 1");
  Cursor->SetHintHideOnRelease(true);
  Paint();
  EXPECT_FALSE(Cursor->GetHintShowing());
  Press(200, 100);
  Paint();
  EXPECT_TRUE(Cursor->GetHintShowing());
  Release(200, 100);
  Paint();
  EXPECT_FALSE(Cursor->GetHintShowing());
}

TEST_F(PlotDataCursorTest, HintNearTheRightEdgeFlipsAndStays) {
  Cursor->SetStyle(ipcsValueX);
  Cursor->SetPointer1Position(98);
  Paint();
  EXPECT_EQ(Cursor->GetHintOrientationSide(), iosTopLeft);
  EXPECT_LT(Cursor->GetHintRect().Right, Cursor->GetPointer1Rect().Left + 5);
  Cursor->SetPointer1Position(50);
  Paint();
  EXPECT_EQ(Cursor->GetHintOrientationSide(), iosTopLeft);
  EXPECT_LT(Cursor->GetHintRect().Right, 200);
}

TEST_F(PlotDataCursorTest, DraggingAndKeys) {
  Cursor->SetStyle(ipcsDeltaX);
  Paint();
  // The pointer follows the mouse by the offset of the press.
  Press(202, 40);
  Move(102, 40);
  EXPECT_DOUBLE_EQ(Cursor->GetPointer1Position(), 25);
  Move(-50, 40);
  EXPECT_EQ(Cursor->GetPointer1Position(), 0);
  Release(-50, 40);
  Paint();
  // Pointer 2 with Ctrl, pointer 1 without; a pixel is a quarter percent.
  Key(VK_RIGHT, TShiftState() << ssCtrl);
  EXPECT_DOUBLE_EQ(Cursor->GetPointer2Position(), 60.25);
  Key(VK_PRIOR);
  EXPECT_DOUBLE_EQ(Cursor->GetPointer1Position(), 1.25);
  Key(VK_END);
  EXPECT_EQ(Cursor->GetPointer1Position(), 100);
  Key(VK_RIGHT);
  EXPECT_EQ(Cursor->GetPointer1Position(), 100);
  Key(VK_HOME, TShiftState() << ssCtrl);
  EXPECT_EQ(Cursor->GetPointer2Position(), 0);
  // The vertical hint moves up and down its pointer.
  Key(VK_UP);
  EXPECT_NEAR(Cursor->GetHintPosition(), 50 + 100.0 / 300, 1e-9);
}

TEST_F(PlotDataCursorTest, CursorFollowsThePickedChannel) {
  Host.Master->AddChannel();
  TiPlotChannelCustom* second = Host.Master->GetChannelManager()->GetItem(1);
  Cursor->SetUserSelected(true);
  EXPECT_TRUE(Host.Master->GetChannelManager()->GetItem(0)->GetUserSelected());
  second->SetUserSelected(true);
  EXPECT_EQ(Cursor->GetChannelName(), second->GetName());
  // Renaming the measured channel keeps the cursor on it.
  second->SetName("Threshold");
  EXPECT_EQ(Cursor->GetChannel(), second);
  EXPECT_EQ(Cursor->GetChannelName(), "Threshold");
  // Removing it leaves no channel.
  Host.Master->GetChannelManager()->Clear();
  EXPECT_EQ(Cursor->GetChannel(), nullptr);
}

TEST_F(PlotDataCursorTest, PopupOffersChannelsStylesAndOptions) {
  TPopupMenu menu(nullptr);
  Cursor->BuildPopupMenu(&menu);
  TMenuItem* items = menu.GetItems();
  std::vector<std::string> top;
  for (int i = 0; i < items->Count(); ++i) top.push_back(items->GetItems(i)->GetCaption());
  // The test plot is not an XY plot: snapping is offered.
  EXPECT_EQ(top, (std::vector<std::string>{"Channel", "Style", "Options", "Snap to Data-Point", "Edit..."}));
  TMenuItem* channels = items->GetItems(0);
  ASSERT_EQ(channels->Count(), 2);
  EXPECT_EQ(channels->GetItems(0)->GetCaption(), "<All>");
  EXPECT_TRUE(channels->GetItems(1)->GetChecked());
  channels->GetItems(0)->Click();
  EXPECT_EQ(Cursor->GetChannelName(), "<All>");
  Cursor->SetMenuItemVisibleDeltaY(false);
  Cursor->BuildPopupMenu(&menu);
  TMenuItem* styles = menu.GetItems()->GetItems(1);
  EXPECT_FALSE(styles->GetItems(ipcsDeltaY)->GetVisible());
  EXPECT_EQ(styles->GetItems(ipcsDeltaX)->GetCaption(), "Period");
  styles->GetItems(ipcsInverseDeltaX)->Click();
  EXPECT_EQ(Cursor->GetStyle(), ipcsInverseDeltaX);
}

TEST_F(PlotDataCursorTest, ValuesPeriodPeakToPeakAndFrequency) {
  Host.Master->GetChannelManager()->Clear();
  Host.Master->SetChannelClass(iChannelClass<TiXYPlotChannel>());
  Host.Master->AddChannel();
  Cursor->SetChannelName("Channel 1");
  TiPlotAxis* x = Host.Master->GetXAxisManager()->GetItem(0);
  TiPlotAxis* y = Host.Master->GetYAxisManager()->GetItem(0);
  x->SetMinSpan(0, 100);
  y->SetMinSpan(-10, 10);
  struct Case {
    TiPlotDataCursorStyle Style;
    double P1, P2, Scaler;
    double X, Y;
    const char* Text;
  } cases[] = {
      {ipcsValueXY, 20, 70, 1, 20, -3, "20, -3.0"},
      {ipcsValueX, 20, 70, 1, 20, 0, "20"},
      {ipcsValueY, 20, 70, 1, 0, -3, "-3.0"},
      {ipcsDeltaX, 20, 70, 1, 50, 0, "50"},             // the period
      {ipcsDeltaY, 70, 20, 1, 0, 5, "5.0"},             // peak to peak
      {ipcsInverseDeltaX, 20, 70, 0.001, 20, 0, "20"},  // the frequency: ms to Hz
      {ipcsInverseDeltaX, 45, 45, 1, std::numeric_limits<double>::infinity(), 0, "Infinite"},
      {ipcsInverseDeltaX, 20, 70, 0, std::numeric_limits<double>::infinity(), 0, "Infinite"},
  };
  for (const Case& c : cases) {
    x->SetCursorScaler(c.Scaler);
    Cursor->SetStyle(c.Style);
    Cursor->SetPointer1Position(c.P1);
    Cursor->SetPointer2Position(c.P2);
    const int changes = Host.Changes;
    Cursor->UpdateValues();
    EXPECT_DOUBLE_EQ(Cursor->GetValueX(), c.X) << c.Text;
    EXPECT_DOUBLE_EQ(Cursor->GetValueY(), c.Y) << c.Text;
    EXPECT_EQ(Cursor->GetStatus(), ipdpsValid);
    EXPECT_EQ(Cursor->GetCursorDisplayText(), c.Text);
    // The change event fires only when a value changed.
    Cursor->UpdateValues();
    EXPECT_LE(Host.Changes - changes, 1) << c.Text;
  }

  // The hint shows the text, through the plot's customize event.
  Host.HintPrefix = "f = ";
  Cursor->SetStyle(ipcsInverseDeltaX);
  x->SetCursorScaler(0.001);
  Cursor->SetPointer1Position(20);
  Cursor->SetPointer2Position(70);
  Paint();
  Save("plot-data-cursor.png");
  const TRect box = Cursor->GetHintRect();
  EXPECT_EQ(Pixel(box.Left + 1, box.Top + 1), ColorToRGB(clInfoBk));
  EXPECT_EQ(Pixel(box.Left, box.Top + 1), Host.Master->GetChannelManager()->GetItem(0)->GetColor());
}

// A whole XY plot: the transfer curve and its threshold point, the legend
// beside the data view and a cursor over it.
TEST(PlotWithLegendAndCursor, PaintsCursorAndListsChannels) {
  classlib_test::App();
  TiXYPlot plot(nullptr);
  plot.SetBounds(0, 0, 480, 260);
  plot.GetMaster()->SetChannelClass(iChannelClass<TiXYPlotChannel>());
  plot.RemoveAllChannels();
  TiPlotChannelCustom* curve = plot.GetChannel(plot.AddChannel());
  TiPlotChannelCustom* dot = plot.GetChannel(plot.AddChannel());
  curve->SetColor(clWhite);
  curve->SetTitleText("Transfer");
  dot->SetColor(0x8080FF);
  dot->SetTitleText("Threshold");
  for (TiPlotAxis* a :
       {static_cast<TiPlotAxis*>(plot.GetXAxis(0)), static_cast<TiPlotAxis*>(plot.GetYAxis(0))})
    a->SetMinSpan(-100, 120);
  curve->AddXY(-100, -100);
  curve->AddXY(-40, -40);
  curve->AddXY(20, -10);
  dot->AddXY(-40, -40);
  TiPlotDataCursor* cursor = plot.GetDataCursor(0);
  cursor->SetChannelName(curve->GetName());
  cursor->SetVisible(true);
  cursor->SetPointer1Position(50);
  cursor->SetPointer2Position(50);

  TBitmap bitmap(480, 260);
  plot.iPaintToCanvas(bitmap.GetCanvas());
  TPngImage png;
  png.Assign(&bitmap);
  png.SaveToFile(::testing::TempDir() + "plot-legend-cursor.png");
  TiPlotDataView* view = plot.GetDataView(0);
  ASSERT_EQ(cursor->GetDataView(), view);
  const int x = view->PositionPercentToPixelsX(50);
  EXPECT_EQ(bitmap.GetCanvas()->GetPixels(x, view->GetDrawRect().Top + 3), clWhite);
  EXPECT_EQ(cursor->GetCursorDisplayText(), "-40, -40");
  EXPECT_TRUE(cursor->GetHintShowing());
  EXPECT_FALSE(curve->GetLegendRect().IsEmpty());
  EXPECT_FALSE(dot->GetLegendRect().IsEmpty());

  // On all channels the legend lists each channel's cursor values.
  cursor->SetChannelName("<All>");
  plot.iPaintToCanvas(bitmap.GetCanvas());
  TiPlotLegend* legend = plot.GetLegend(0);
  EXPECT_TRUE(legend->GetCursorAllChannels());
  EXPECT_FALSE(cursor->GetHintShowing());
  EXPECT_EQ(legend->GetColumnText(dot, iplcXValue), dot->GetDataCursorXText());
  EXPECT_GT(legend->GetColumnWidth(iplcXValue), 0);
  png.Assign(&bitmap);
  png.SaveToFile(::testing::TempDir() + "plot-legend-cursor-all.png");
}

}  // namespace
