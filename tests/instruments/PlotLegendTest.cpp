// Legend: items wrapped into columns and rows, paging when they do not all
// fit, spacing spread across the room; texts, samples and names drawn.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "instruments/base/iDrawing.h"
#include "instruments/base/iPropertyText.h"
#include "instruments/plot/iPlotLegend.h"
#include "platform/classlib/PicturePng.h"
#include "tests/instruments/PlotTestHost.h"

namespace {

TiPlotLegendWrapInput Vertical(int Count, int Height) {
  TiPlotLegendWrapInput in;
  in.Count = Count;
  in.ItemsRect = TRect(10, 20, 110, 20 + Height);
  in.ItemWidth = 60;
  in.MaxItemHeight = 13;
  in.RowSpacing = 3;
  in.WrapSpacing = 26;
  return in;
}

std::string Tops(const TiPlotLegendWrap& W) {
  std::string s;
  for (int i = W.ViewStartIndex; i <= W.ViewStopIndex; ++i) {
    const TiPlotLegendPlace& p = W.Places[static_cast<std::size_t>(i)];
    s += std::to_string(p.Col) + ":" + std::to_string(p.Row) + "@" + std::to_string(p.Left) + "," +
         std::to_string(p.Top) + " ";
  }
  return s;
}

TEST(PlotLegendWrap, ColumnsRowsAndPaging) {
  struct Case {
    const char* What;
    TiPlotLegendWrapInput In;
    int Cols, Rows, Start, Stop;
    bool Paging;
    const char* Places;
  };
  std::vector<Case> cases;
  cases.push_back({"five rows fit", Vertical(5, 77), 1, 5, 0, 4, false,
                   "1:1@10,20 1:2@10,36 1:3@10,52 1:4@10,68 1:5@10,84 "});
  cases.push_back({"two rows fit: three anyway, paged", Vertical(5, 29), 1, 3, 0, 2, true,
                   "1:1@10,20 1:2@10,36 1:3@10,52 "});
  auto paged = Vertical(5, 29);
  paged.ViewStartIndex = 2;
  cases.push_back({"paged down twice", paged, 1, 3, 2, 4, true, "1:1@10,20 1:2@10,36 1:3@10,52 "});
  paged.ViewStartIndex = 9;
  cases.push_back({"start beyond the count", paged, 1, 3, 4, 4, true, "1:1@10,20 "});
  auto fits = Vertical(5, 77);
  fits.ViewStartIndex = 3;
  cases.push_back({"fits again: from the first", fits, 1, 5, 0, 4, false,
                   "1:1@10,20 1:2@10,36 1:3@10,52 1:4@10,68 1:5@10,84 "});
  auto autoCols = Vertical(7, 45);  // three rows fit
  autoCols.ColAutoCountEnabled = true;
  cases.push_back({"automatic wrap columns", autoCols, 3, 3, 0, 6, false,
                   "1:1@10,20 1:2@10,36 1:3@10,52 2:1@96,20 2:2@96,36 2:3@96,52 3:1@182,20 "});
  auto capped = autoCols;
  capped.ColAutoCountMax = 2;
  cases.push_back({"columns capped", capped, 2, 3, 0, 5, true,
                   "1:1@10,20 1:2@10,36 1:3@10,52 2:1@96,20 2:2@96,36 2:3@96,52 "});
  auto spread = Vertical(3, 100);
  spread.RowSpacingAuto = true;
  cases.push_back(
      {"rows spread over the height", spread, 1, 3, 0, 2, false, "1:1@10,20 1:2@10,63 1:3@10,106 "});

  TiPlotLegendWrapInput h;
  h.Horizontal = true;
  h.Count = 7;
  h.ItemsRect = TRect(0, 0, 300, 40);
  h.ItemWidth = 50;
  h.MaxItemHeight = 13;
  h.RowSpacing = 3;
  h.WrapSpacing = 10;
  cases.push_back({"horizontal, one column by default", h, 1, 7, 0, 6, false,
                   "1:1@0,0 1:2@0,16 1:3@0,32 1:4@0,48 1:5@0,64 1:6@0,80 1:7@0,96 "});
  h.ColAutoCountEnabled = true;  // four fit beside the buttons: (300 - 25 + 10) / 60
  cases.push_back({"horizontal rows of columns, gaps spread", h, 4, 2, 0, 6, false,
                   "1:1@0,0 1:2@0,16 2:1@75,0 2:2@75,16 3:1@150,0 3:2@150,16 4:1@225,0 "});
  h.ColSpacingAuto = false;
  h.RowAutoCountEnabled = false;
  h.RowDesiredCount = 1;  // one row wanted: three anyway, nine places
  cases.push_back({"horizontal, rows below three", h, 3, 3, 0, 6, false,
                   "1:1@0,0 1:2@0,16 1:3@0,32 2:1@60,0 2:2@60,16 2:3@60,32 3:1@120,0 "});

  for (const Case& c : cases) {
    const TiPlotLegendWrap w = iLegendWrap(c.In);
    EXPECT_EQ(w.Cols, c.Cols) << c.What;
    EXPECT_EQ(w.Rows, c.Rows) << c.What;
    EXPECT_EQ(w.ViewStartIndex, c.Start) << c.What;
    EXPECT_EQ(w.ViewStopIndex, c.Stop) << c.What;
    EXPECT_EQ(w.Paging, c.Paging) << c.What;
    EXPECT_EQ(Tops(w), c.Places) << c.What;
  }
}

TEST(PlotLegendWrap, NothingDividesByZero) {
  for (bool horizontal : {false, true}) {
    for (bool autoCount : {false, true}) {
      TiPlotLegendWrapInput in;
      in.Horizontal = horizontal;
      in.Count = 4;
      in.ItemsRect = TRect(0, 0, 0, 0);
      in.ColAutoCountEnabled = autoCount;
      in.RowAutoCountEnabled = autoCount;
      in.ColAutoCountMax = 0;
      in.RowAutoCountMax = -3;
      in.ColDesiredCount = 0;
      in.RowDesiredCount = 0;
      in.ColSpacingAuto = in.RowSpacingAuto = true;
      const TiPlotLegendWrap w = iLegendWrap(in);
      EXPECT_GE(w.Cols, 1);
      EXPECT_GE(w.Rows, 1);
      EXPECT_EQ(w.ViewStartIndex, 0);
    }
  }
  TiPlotLegendWrapInput none;
  none.Count = 0;
  EXPECT_TRUE(iLegendWrap(none).Places.empty());
}

}  // namespace

// ---------------------------------------------------------------- the legend in a plot

namespace {

constexpr TColor kBack = 0x202020;

class PlotLegendTest : public ::testing::Test {
 protected:
  void SetUp() override {
    classlib_test::App();
    Host.Master->AddXAxis();
    Host.Master->AddYAxis();
    Host.Master->AddLegend();
    Legend = Host.Master->GetLegendManager()->GetItem(0);
    Sheet.GetCanvas()->Brush->SetColor(kBack);
    Sheet.GetCanvas()->FillRect(TRect(0, 0, 300, 200));
  }
  TiPlotChannelCustom* AddChannel(const std::string& Title) {
    const int i = Host.Master->AddChannel();
    TiPlotChannelCustom* c = Host.Master->GetChannelManager()->GetItem(i);
    c->SetTitleText(Title);
    return c;
  }
  TCanvas* Canvas() { return Sheet.GetCanvas(); }
  // Room for N rows of the default font: margins, rows and spacing.
  int HeightForRows(int N) {
    Canvas()->Font->Assign(Legend->GetFont());
    const int h0 = Canvas()->TextHeight("0"), gap = iRound(h0 * 0.25);
    return 2 * h0 + N * (h0 + gap) - gap;
  }
  void Save(const std::string& Name) {
    TPngImage png;
    png.Assign(&Sheet);
    png.SaveToFile(::testing::TempDir() + Name);
  }
  instruments_test::TTestPlotHost Host;
  TiPlotLegend* Legend = nullptr;
  TBitmap Sheet{300, 200};
};

TEST_F(PlotLegendTest, FiveChannelsPageThroughTwoRows) {
  for (const char* t : {"In", "Out", "Gain", "Knee", "Threshold"}) AddChannel(t);
  Legend->SetDrawRect(TRect(10, 10, 150, 10 + HeightForRows(5)));
  const int width = Legend->GetRequiredWidth(Canvas());
  EXPECT_EQ(Legend->GetActualWrapColCount(), 1);
  EXPECT_EQ(Legend->GetActualWrapRowCount(), 5);
  EXPECT_FALSE(Legend->GetDownButton()->GetVisible());
  EXPECT_EQ(Legend->GetViewStopIndex(), 4);

  Legend->SetDrawRect(TRect(10, 10, 150, 10 + HeightForRows(2)));
  EXPECT_EQ(Legend->GetRequiredWidth(Canvas()), width + 25);
  EXPECT_EQ(Legend->GetActualWrapRowCount(), 3);
  EXPECT_TRUE(Legend->GetDownButton()->GetVisible());
  EXPECT_FALSE(Legend->GetUpButton()->GetEnabled());
  Legend->Draw(Canvas(), kBack);
  Save("plot-legend-paged.png");
  TiPlotChannelManager* channels = Host.Master->GetChannelManager();
  EXPECT_FALSE(channels->GetItem(2)->GetLegendRect().IsEmpty());
  EXPECT_TRUE(channels->GetItem(3)->GetLegendRect().IsEmpty());
  EXPECT_TRUE(channels->GetItem(4)->GetLegendRect().IsEmpty());

  // The down button pages one item per click until the last one shows.
  for (int click = 1; click <= 2; ++click) {
    ASSERT_TRUE(Legend->GetDownButton()->GetEnabled()) << click;
    Legend->GetDownButton()->OnClick(Legend->GetDownButton());
    Legend->Draw(Canvas(), kBack);
    EXPECT_EQ(Legend->GetViewStartIndex(), click);
  }
  EXPECT_EQ(Legend->GetViewStopIndex(), 4);
  EXPECT_FALSE(channels->GetItem(4)->GetLegendRect().IsEmpty());
  EXPECT_TRUE(channels->GetItem(0)->GetLegendRect().IsEmpty());
  EXPECT_FALSE(Legend->GetDownButton()->GetEnabled());
  EXPECT_TRUE(Legend->GetUpButton()->GetEnabled());

  // Everything fits again: back to the first item.
  Legend->SetViewStartIndex(9);
  Legend->SetDrawRect(TRect(10, 10, 150, 10 + HeightForRows(5)));
  Legend->GetRequiredWidth(Canvas());
  EXPECT_EQ(Legend->GetViewStartIndex(), 0);
}

TEST_F(PlotLegendTest, ChannelsLeftOutAndHitByName) {
  TiPlotChannelCustom* a = AddChannel("Curve");
  TiPlotChannelCustom* b = AddChannel("Hidden");
  b->SetVisibleInLegend(false);
  Legend->SetDrawRect(TRect(10, 10, 150, 100));
  Legend->Draw(Canvas(), kBack);
  ASSERT_EQ(Legend->GetItemCount(), 1);
  EXPECT_EQ(Legend->GetItemChannel(0), a);
  const TRect r = a->GetLegendRect();
  EXPECT_EQ(Legend->GetMouseOverObject(r.Left + 2, r.Top + 2), a);
  EXPECT_EQ(Legend->GetMouseOverObject(r.Right + 40, r.Bottom + 40), Legend);
  // A click on the legend is the plot's legend click.
  Legend->iMouseDown(mbLeft, TShiftState(), 20, 20, 20, 20, nullptr);
  Legend->iMouseUp(mbLeft, TShiftState(), 20, 20, 20, 20, false, nullptr);
  ASSERT_FALSE(Host.Events.empty());
  EXPECT_EQ(Host.Events.back(), "click " + Legend->GetName());
  // A channel that goes leaves nothing to hit.
  Host.Master->GetChannelManager()->Clear();
  EXPECT_EQ(Legend->GetMouseOverObject(r.Left + 2, r.Top + 2), Legend);
  // With no channel at all nothing is drawn.
  Sheet.GetCanvas()->FillRect(TRect(0, 0, 300, 200));
  Legend->SetBackGroundTransparent(false);
  Legend->Draw(Canvas(), kBack);
  EXPECT_EQ(Sheet.GetCanvas()->GetPixels(20, 20), kBack);
}

TEST_F(PlotLegendTest, ColumnTexts) {
  TiPlotChannelCustom* c = AddChannel("  ");
  TiPlotAxis* x = Host.Master->GetXAxisManager()->GetItem(0);
  x->SetTitle(" ");
  TiPlotAxis* y = Host.Master->GetYAxisManager()->GetItem(0);
  y->SetTitle("Output");
  EXPECT_EQ(Legend->GetColumnText(c, iplcChannel), c->GetName());  // a blank title shows the name
  EXPECT_EQ(Legend->GetColumnText(c, iplcXName), x->GetName());
  EXPECT_EQ(Legend->GetColumnText(c, iplcYName), "Output");
  EXPECT_EQ(Legend->GetColumnText(c, iplcXValue), "Empty");
  c->AddXY(-40, -12.5);
  c->AddXY(-20, -7.5);
  EXPECT_EQ(Legend->GetColumnText(c, iplcXValue), x->GetLegendText(-20));
  EXPECT_EQ(Legend->GetColumnText(c, iplcYMax), y->GetLegendText(-7.5));
  EXPECT_EQ(Legend->GetColumnText(c, iplcYMin), y->GetLegendText(-12.5));
  EXPECT_EQ(Legend->GetColumnText(c, iplcYMean), y->GetLegendText(-10));
  c->SetYAxisName("nowhere");
  EXPECT_EQ(Legend->GetColumnText(c, iplcYMean), "N/A");
  EXPECT_EQ(Legend->GetColumnText(c, iplcYName), "None");
}

TEST_F(PlotLegendTest, SettingsAndTheirStoredForm) {
  Legend->SetWrapRowDesiredCount(0);
  EXPECT_EQ(Legend->GetWrapRowDesiredCount(), 1);
  Legend->SetWrapColDesiredCount(-2);
  EXPECT_EQ(Legend->GetWrapColDesiredCount(), 1);
  EXPECT_EQ(Legend->GetLineColumnHeight(), 3);
  // 3, the new legend's value, is the stream default: a differential save
  // leaves it out and keeps a user's 13.
  TStringList lines;
  WritePropertiesText(Legend, "", &lines, true, nullptr);
  for (int i = 0; i < lines.GetCount(); ++i)
    EXPECT_EQ(lines[i].rfind("LineColumnHeight", 0), std::string::npos);
  Legend->SetLineColumnHeight(13);
  lines.Clear();
  WritePropertiesText(Legend, "", &lines, true, nullptr);
  EXPECT_NE(lines.IndexOf("LineColumnHeight = 13"), -1);
}

TEST_F(PlotLegendTest, LineSamplesAndNamesAtTheirPixels) {
  TiPlotChannelCustom* solid = AddChannel("Curve");
  solid->SetColor(clWhite);
  TiPlotChannelCustom* dashed = AddChannel("Threshold");
  dashed->SetColor(0x8080FF);
  dashed->SetTraceLineStyle(iplsDash);
  Legend->SetDrawRect(TRect(10, 10, 200, 120));
  Legend->SetShowColumnXValue(true);
  Legend->SetShowColumnMarker(true);
  Legend->SetColumnTitlesVisible(true);
  dashed->SetMarkersVisible(true);
  dashed->AddXY(-40, -40);
  Legend->Draw(Canvas(), kBack);
  Save("plot-legend.png");
  const TiPlotLegendPlace& p0 = Legend->GetItemPlace(0);
  const TiPlotLegendPlace& p1 = Legend->GetItemPlace(1);
  Canvas()->Font->Assign(Legend->GetFont());
  const int centre0 = p0.Top + Canvas()->TextHeight("0") / 2;
  const int centre1 = p1.Top + Canvas()->TextHeight("0") / 2;
  // Four lines of the sample (height 3), solid over 13 pixels.
  for (int dy : {-1, 0, 1, 2}) {
    EXPECT_EQ(Canvas()->GetPixels(p0.Left, centre0 + dy), clWhite) << dy;
    EXPECT_EQ(Canvas()->GetPixels(p0.Left + 12, centre0 + dy), clWhite) << dy;
  }
  EXPECT_EQ(Canvas()->GetPixels(p0.Left, centre0 - 2), kBack);
  EXPECT_EQ(Canvas()->GetPixels(p0.Left + 13, centre0), kBack);
  // The dash: 0..4 and 8..12, a gap between.
  EXPECT_EQ(Canvas()->GetPixels(p1.Left + 4, centre1), 0x8080FF);
  EXPECT_EQ(Canvas()->GetPixels(p1.Left + 6, centre1), kBack);
  EXPECT_EQ(Canvas()->GetPixels(p1.Left + 8, centre1), 0x8080FF);
  // The name cell holds the name's ink.
  const TRect name = dashed->GetLegendRect();
  bool ink = false;
  for (int y = name.Top; y < name.Bottom; ++y)
    for (int x = name.Left; x < name.Right; ++x) ink = ink || Canvas()->GetPixels(x, y) != kBack;
  EXPECT_TRUE(ink);
}

}  // namespace
