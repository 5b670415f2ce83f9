// The plot's table: cells as lines of a row, sizing from the fonts and the
// contents, the rows that fit or RowsMax allows, the scroll buttons with
// their auto-repeat, the popup item, and a table or legend deleted while
// one of its scroll buttons is held.

#include "instruments/plot/iXYPlot.h"
#include "tests/instruments/PlotTestSupport.h"

using namespace instruments_test;
using namespace classlib_test;

namespace {

class PlotTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    plot = stage.Add<TiXYPlot>("plot", 10, 10, 400, 280);
    ShowAndActivate(stage.form);
    table = plot->GetTable(plot->AddTable());
    measure.GetCanvas()->Font->Assign(table->GetDataFont());
    w0d = measure.GetCanvas()->TextWidth("0");
    h0d = measure.GetCanvas()->TextHeight("0");
    measure.GetCanvas()->Font->Assign(table->GetColumnTitlesFont());
    w0t = measure.GetCanvas()->TextWidth("0");
    h0t = measure.GetCanvas()->TextHeight("0");
  }
  void TearDown() override {
    if (plot->GetMouseCapture()) plot->SetMouseCapture(false);
  }
  void Paint() {
    TBitmap b(plot->GetWidth(), plot->GetHeight());
    plot->iPaintToCanvas(b.GetCanvas());
  }
  void Fill(int Rows, int Columns = 2) {
    for (int c = table->GetColumnCount(); c < Columns; ++c) table->AddColumn("Col " + std::to_string(c));
    for (int r = 0; r < Rows; ++r) {
      const int row = table->AddRow();
      for (int c = 0; c < Columns; ++c)
        table->SetCellText(c, row, std::to_string(row + 1) + "." + std::to_string(c));
    }
  }
  // Sizes the table in a box of its own, as the layout would place it.
  void LayoutIn(const TRect& R) {
    table->SetDrawRect(R);
    table->Layout(measure.GetCanvas());
  }
  int RowHeight() const { return h0d + iRound(h0d * 0.5); }
  // A press that stays down; the move hands over a press the layer holds
  // back while it might still become a double click.
  void Hold(TPoint P) {
    SendMouse(plot, QEvent::MouseButtonPress, P.X, P.Y, Qt::LeftButton, Qt::LeftButton);
    SendMouse(plot, QEvent::MouseMove, P.X, P.Y, Qt::NoButton, Qt::LeftButton);
  }
  static TPoint Centre(const TRect& r) { return TPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2); }

  FormStage stage;
  TiXYPlot* plot = nullptr;
  TiPlotTable* table = nullptr;
  TBitmap measure{1, 1};
  int w0d = 0, h0d = 0, w0t = 0, h0t = 0;
};

TEST_F(PlotTableTest, CellsAreTheLinesOfTheirRow) {
  table->AddColumn("A");
  table->AddColumn("B");
  table->AddColumn("C");
  const int row = table->AddRow();
  EXPECT_EQ(table->GetCellText(2, row), "");
  table->SetCellText(2, row, "two\r\nlines");
  table->SetCellText(0, row, "x\ny");
  EXPECT_EQ(table->GetCellText(0, row), "x y");
  EXPECT_EQ(table->GetCellText(1, row), "");
  EXPECT_EQ(table->GetCellText(2, row), "two lines");
  // A hidden column keeps its line.
  table->GetColumn(1)->Visible = false;
  table->SetCellText(1, row, "hidden");
  EXPECT_EQ(table->GetCellText(2, row), "two lines");
  EXPECT_EQ(table->GetCellText(1, row), "hidden");
  // Indexes outside the table are refused.
  EXPECT_THROW(table->SetCellText(3, row, "x"), Exception);
  EXPECT_THROW(table->GetCellText(0, 1), Exception);
  EXPECT_THROW(table->DeleteRow(-1), Exception);
  // Rows signal a change; columns do not.
  int changes = 0;
  table->OnChange = [&](TObject*) { ++changes; };
  table->AddColumn("D");
  EXPECT_EQ(changes, 0);
  table->AddRow();
  table->DeleteRow(0);
  EXPECT_EQ(changes, 2);
}

TEST_F(PlotTableTest, NoRowsAskNoRoomAndDrawNothing) {
  table->AddColumn("Empty");
  EXPECT_EQ(table->GetRequiredWidth(measure.GetCanvas()), 0);
  Paint();
  EXPECT_EQ(table->GetLastRequiredHeight(), 0);
  EXPECT_FALSE(table->GetUpButton()->GetVisible());
  // A table that loses its rows hides its buttons with them.
  Fill(12);
  table->SetRowsMax(5);
  Paint();
  ASSERT_TRUE(table->GetDownButton()->GetVisible());
  table->RemoveAllRows();
  Paint();
  EXPECT_FALSE(table->GetDownButton()->GetVisible());
}

TEST_F(PlotTableTest, RowsMaxFiveOfTwelveScrollsToTheEnd) {
  Fill(12);
  table->SetRowsMax(5);
  LayoutIn(TRect(0, 0, 300, 1000));
  EXPECT_EQ(table->GetRowDisplayStartIndex(), 0);
  EXPECT_EQ(table->GetRowDisplayStopIndex(), 4);
  EXPECT_TRUE(table->GetUpButton()->GetVisible());
  EXPECT_FALSE(table->GetUpButton()->GetEnabled());
  EXPECT_TRUE(table->GetDownButton()->GetEnabled());
  for (int i = 0; i < 7; ++i) {
    table->GetDownButton()->OnClick(table->GetDownButton());
    LayoutIn(TRect(0, 0, 300, 1000));
  }
  EXPECT_EQ(table->GetRowDisplayStartIndex(), 7);
  EXPECT_EQ(table->GetRowDisplayStopIndex(), 11);
  EXPECT_FALSE(table->GetDownButton()->GetEnabled());
  EXPECT_TRUE(table->GetUpButton()->GetEnabled());
  // A start set beyond the end comes back into range at the next sizing.
  table->SetRowDisplayStartIndex(30);
  LayoutIn(TRect(0, 0, 300, 1000));
  EXPECT_EQ(table->GetRowDisplayStartIndex(), 7);
}

TEST_F(PlotTableTest, RoomForThreeRowsAndTheButtonsExtraWidth) {
  Fill(6);
  const int mt = iRound(h0t * 1.0), mb = mt;
  LayoutIn(TRect(0, 0, 300, 1000));
  const int allFit = table->GetLastRequiredWidth();
  EXPECT_EQ(table->GetLastRequiredHeight(), mt + mb + h0t + 6 * RowHeight());
  EXPECT_FALSE(table->GetUpButton()->GetVisible());

  LayoutIn(TRect(0, 0, 300, mt + h0t + 3 * RowHeight() + RowHeight() / 2 + mb));
  EXPECT_EQ(table->GetRowDisplayStopIndex() - table->GetRowDisplayStartIndex() + 1, 3);
  EXPECT_EQ(table->GetLastRequiredWidth(), allFit + 22);
  const TRect grid = table->GetGridRect();
  EXPECT_EQ(grid.Bottom, table->GetTitleRect().Bottom + 3 * RowHeight());
  const TRect up = table->GetUpButton()->GetDrawRect();
  EXPECT_EQ(up, TRect(grid.Right + 5, grid.Top + h0t + RowHeight() / 2 - 8, grid.Right + 22,
                      grid.Top + h0t + RowHeight() / 2 + 9));
  EXPECT_EQ(table->GetDownButton()->GetDrawRect().Bottom - up.Bottom,
            3 * RowHeight() - 2 * (RowHeight() / 2));

  // A disabled table asks no room for buttons it does not place.
  table->SetEnabled(false);
  LayoutIn(TRect(0, 0, 300, mt + h0t + 3 * RowHeight() + mb));
  EXPECT_EQ(table->GetLastRequiredWidth(), allFit);
  // Less room than a row shows none and never a negative count.
  table->SetEnabled(true);
  LayoutIn(TRect(0, 0, 300, 2));
  EXPECT_EQ(table->GetGridRect().Bottom, table->GetTitleRect().Bottom);
  EXPECT_LT(table->GetRowDisplayStopIndex(), table->GetRowDisplayStartIndex());
}

TEST_F(PlotTableTest, AutoSizedColumnsCountRowsNotShownAndTitlesCanGo) {
  Fill(8);
  table->SetRowsMax(2);
  const std::string wide = "a much wider cell text";
  table->SetCellText(1, 7, wide);
  LayoutIn(TRect(0, 0, 400, 1000));
  const TiPlotTableColumn* c = table->GetColumn(1);
  measure.GetCanvas()->Font->Assign(table->GetDataFont());
  EXPECT_EQ(c->WidthPixels, measure.GetCanvas()->TextWidth(wide) + iRound(w0d * 2.0) + w0d);
  EXPECT_EQ(c->Width, c->WidthPixels / w0d);
  // Fixed width in widths of "0"; a hidden column takes no room.
  table->GetColumn(0)->AutoSize = false;
  table->GetColumn(0)->Width = 4;
  LayoutIn(TRect(0, 0, 400, 1000));
  EXPECT_EQ(table->GetColumn(0)->WidthPixels, 4 * w0d);
  const int both = table->GetGridRect().Width();
  table->GetColumn(0)->Visible = false;
  LayoutIn(TRect(0, 0, 400, 1000));
  EXPECT_EQ(table->GetGridRect().Width(), both - 4 * w0d);

  table->SetColumnTitlesVisible(false);
  LayoutIn(TRect(0, 0, 400, 1000));
  EXPECT_EQ(table->GetTitleRect().Height(), 0);
  EXPECT_EQ(table->GetTitleRect().Bottom, table->GetGridRect().Top);
}

TEST_F(PlotTableTest, HeldButtonRepeatsAfter500ThenEvery50Milliseconds) {
  Fill(12);
  table->SetRowsMax(3);
  Paint();
  TiPlotTableButton* down = table->GetDownButton();
  ASSERT_TRUE(down->GetVisible());
  const TPoint p = Centre(down->GetDrawRect());
  TiPlotMouseData d;
  d.X = p.X;
  d.Y = p.Y;
  ASSERT_EQ(plot->FindObjectAt(d), down);
  Hold(p);
  ASSERT_TRUE(down->GetTimerRunning());
  EXPECT_EQ(down->GetTimerInterval(), 500);
  EXPECT_EQ(table->GetRowDisplayStartIndex(), 0);
  // The ticks by hand: the first one clicks and speeds the repeat up.
  down->TimerTick();
  EXPECT_EQ(down->GetTimerInterval(), 50);
  EXPECT_EQ(table->GetRowDisplayStartIndex(), 1);
  down->TimerTick();
  EXPECT_EQ(table->GetRowDisplayStartIndex(), 2);
  EXPECT_EQ(down->GetTimerInterval(), 50);
  // Released on the button: one more click, and the repeat stops.
  SendMouse(plot, QEvent::MouseButtonRelease, p.X, p.Y, Qt::LeftButton, Qt::NoButton);
  EXPECT_FALSE(down->GetTimerRunning());
  EXPECT_EQ(table->GetRowDisplayStartIndex(), 3);
  // Reaching the end disables the button, which ends a repeat in progress.
  Paint();
  Hold(p);
  ASSERT_TRUE(down->GetTimerRunning());
  for (int i = 0; i < 20; ++i) {
    if (down->GetTimerRunning()) down->TimerTick();
    Paint();
  }
  EXPECT_EQ(table->GetRowDisplayStopIndex(), 11);
  EXPECT_FALSE(down->GetEnabled());
  EXPECT_FALSE(down->GetTimerRunning());
  SendMouse(plot, QEvent::MouseButtonRelease, p.X, p.Y, Qt::LeftButton, Qt::NoButton);
}

TEST_F(PlotTableTest, ATableOrLegendDeletedWhileItsButtonIsHeldLeavesNothingBehind) {
  Fill(12);
  table->SetRowsMax(3);
  Paint();
  const TPoint p = Centre(table->GetDownButton()->GetDrawRect());
  Hold(p);
  ASSERT_TRUE(table->GetDownButton()->GetTimerRunning());
  plot->DeleteTable(0);
  // The plot no longer holds the freed button (the sanitizer would tell).
  SendMouse(plot, QEvent::MouseMove, p.X + 1, p.Y, Qt::NoButton, Qt::LeftButton);
  SendMouse(plot, QEvent::MouseButtonRelease, p.X + 1, p.Y, Qt::LeftButton, Qt::NoButton);
  SendMouse(plot, QEvent::MouseMove, p.X, p.Y, Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(plot->GetTableCount(), 0);

  // The legend's paging buttons, the same way.
  for (int i = plot->GetChannelCount(); i < 30; ++i) plot->AddChannel();
  Paint();
  TiPlotLegend* legend = plot->GetLegend(0);
  ASSERT_TRUE(legend->GetDownButton()->GetVisible());
  const TPoint q = Centre(legend->GetDownButton()->GetDrawRect());
  SendMouse(plot, QEvent::MouseMove, q.X, q.Y, Qt::NoButton, Qt::NoButton);
  Hold(q);
  ASSERT_TRUE(legend->GetDownButton()->GetTimerRunning());
  plot->DeleteLegend(0);
  SendMouse(plot, QEvent::MouseMove, q.X, q.Y + 1, Qt::NoButton, Qt::LeftButton);
  SendMouse(plot, QEvent::MouseButtonRelease, q.X, q.Y + 1, Qt::LeftButton, Qt::NoButton);
  SendMouse(plot, QEvent::MouseMove, q.X, q.Y, Qt::NoButton, Qt::NoButton);
  EXPECT_EQ(plot->GetLegendCount(), 0);
}

TEST_F(PlotTableTest, PopupOffersEditAndATitleCellIsDrawn) {
  Fill(2);
  TPopupMenu menu(nullptr);
  table->BuildPopupMenu(&menu);
  ASSERT_EQ(menu.GetItems()->Count(), 1);
  EXPECT_EQ(menu.GetItems()->GetItems(0)->GetCaption(), "Edit...");
  table->SetUserCanEdit(false);
  table->BuildPopupMenu(&menu);
  EXPECT_EQ(menu.GetItems()->Count(), 0);

  // The grid's background and its lines where the sizing put them.
  TBitmap b(plot->GetWidth(), plot->GetHeight());
  plot->iPaintToCanvas(b.GetCanvas());
  const TRect g = table->GetGridRect();
  ASSERT_FALSE(g.IsEmpty());
  EXPECT_EQ(b.GetCanvas()->GetPixels(g.Left, g.Top + 3), ColorToRGB(clWhite));
  EXPECT_EQ(b.GetCanvas()->GetPixels(g.Left + 2, table->GetTitleRect().Bottom), ColorToRGB(clWhite));
  EXPECT_EQ(b.GetCanvas()->GetPixels(g.Left + 1, g.Top + 1), ColorToRGB(0x808080));
}

}  // namespace
