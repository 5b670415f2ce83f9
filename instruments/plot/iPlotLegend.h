#pragma once
// The legend: the layout object that lists the plot's channels beside the
// data view, one item per channel (line and marker samples, the name, and
// optionally axis titles, values and running statistics). Items flow down
// a column and wrap into further columns (or fill rows of columns above or
// below the data view); two small buttons page through what does not fit.

#include <memory>
#include <string>
#include <vector>

#include "instruments/plot/iPlotObjects.h"

// How the items of a legend wrap; sizes in pixels, all measured.
struct TiPlotLegendWrapInput {
  int Count = 0;  // items
  bool Horizontal = false;
  TRect ItemsRect;
  int ItemWidth = 0;
  int MaxItemHeight = 0;
  int RowSpacing = 0;
  int WrapSpacing = 0;
  bool ColAutoCountEnabled = false;
  bool RowAutoCountEnabled = true;
  int ColDesiredCount = 1;
  int RowDesiredCount = 5;
  int ColAutoCountMax = 100;
  int RowAutoCountMax = 100;
  bool ColSpacingAuto = true;
  bool RowSpacingAuto = false;
  int ViewStartIndex = 0;
};

struct TiPlotLegendPlace {
  int Row = 0;  // 1-based
  int Col = 0;  // 1-based wrap column
  int Left = 0;
  int Top = 0;
};

struct TiPlotLegendWrap {
  int Cols = 0;
  int Rows = 0;
  // One per item; items before ViewStartIndex or after ViewStopIndex keep
  // an unplaced (zero) entry.
  std::vector<TiPlotLegendPlace> Places;
  std::vector<int> ColumnLefts;
  int ViewStartIndex = 0;
  int ViewStopIndex = 0;
  int RowSpacing = 0;
  // The items do not all fit: the paging buttons show.
  bool Paging = false;
};

// The wrap counts and the place of every shown item. Counts and sizes that
// would divide by zero count as one.
TiPlotLegendWrap iLegendWrap(const TiPlotLegendWrapInput& In);

// A paging button of the legend: a raised face, sunken while held.
class TiPlotLegendButton : public TiPlotButton {
 public:
  using TiPlotButton::TiPlotButton;
  void Draw(TCanvas* Canvas, TColor BackGroundColor) override;
};

class TiPlotLegend : public TiPlotLayoutObject {
 public:
  using TiPlotLayoutObject::TiPlotLayoutObject;
  ~TiPlotLegend() override;
};
