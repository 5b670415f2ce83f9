// Legend: items wrapped into columns and rows, paging when they do not all
// fit, spacing spread across the room.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "instruments/plot/iPlotLegend.h"

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
