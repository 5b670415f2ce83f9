#pragma once
// The legend: the layout object that lists the plot's channels beside the
// data view, one item per channel (line and marker samples, the name, and
// optionally axis titles, values and running statistics). Items flow down
// a column and wrap into further columns (or fill rows of columns above or
// below the data view); two small buttons page through what does not fit.

#include <algorithm>
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

enum TiPlotLegendChannelNameColorStyle {
  iplcncsFont,
  iplcncsChannelColor,
  iplcncsXAxisFontColor,
  iplcncsYAxisFontColor
};

// The columns of one item, in their order from the left.
enum TiPlotLegendColumn {
  iplcLine,
  iplcMarker,
  iplcChannel,
  iplcXName,
  iplcYName,
  iplcXValue,
  iplcYValue,
  iplcYMax,
  iplcYMin,
  iplcYMean,
  iplcCount
};

class TiPlotChannelCustom;

class TiPlotLegend : public TiPlotLayoutObject {
 public:
  TiPlotLegend(TWinControl* AOwner, TNotifyEvent AOnChange, TNotifyEvent AOnInsert, TNotifyEvent AOnRemove,
               TNotifyEvent AOnRename);
  ~TiPlotLegend() override;

#define TI_LEGEND_DOUBLE(Name, Field) TI_PLOT_CHANGE_PROPERTY(double, SetDoubleProperty, Name, Field)
#define TI_LEGEND_BOOL(Name, Field) TI_PLOT_CHANGE_PROPERTY(bool, SetBooleanProperty, Name, Field)
#define TI_LEGEND_INT(Name, Field) TI_PLOT_CHANGE_PROPERTY(int, SetIntegerProperty, Name, Field)
#define TI_LEGEND_STRING(Name, Field) \
  TI_PLOT_CHANGE_PROPERTY(const std::string&, SetStringProperty, Name, Field)
  TI_LEGEND_DOUBLE(MarginLeft, FMarginLeft)
  TI_LEGEND_DOUBLE(MarginRight, FMarginRight)
  TI_LEGEND_DOUBLE(MarginTop, FMarginTop)
  TI_LEGEND_DOUBLE(MarginBottom, FMarginBottom)
  TI_LEGEND_DOUBLE(ColumnSpacing, FColumnSpacing)
  TI_LEGEND_DOUBLE(RowSpacing, FRowSpacing)
  TI_LEGEND_DOUBLE(WrapRowSpacingMin, FRowSpacing)
  TI_LEGEND_DOUBLE(WrapColSpacingMin, FWrapColSpacingMin)
  TI_LEGEND_DOUBLE(ChannelNameMaxWidth, FChannelNameMaxWidth)
  TI_LEGEND_BOOL(BackGroundTransparent, FBackGroundTransparent)
  TI_LEGEND_BOOL(ShowColumnLine, FShow[iplcLine])
  TI_LEGEND_BOOL(ShowColumnMarker, FShow[iplcMarker])
  TI_LEGEND_BOOL(ShowColumnXAxisTitle, FShow[iplcXName])
  TI_LEGEND_BOOL(ShowColumnYAxisTitle, FShow[iplcYName])
  TI_LEGEND_BOOL(ShowColumnXValue, FShowColumnXValue)
  TI_LEGEND_BOOL(ShowColumnYValue, FShowColumnYValue)
  TI_LEGEND_BOOL(ShowColumnYMax, FShow[iplcYMax])
  TI_LEGEND_BOOL(ShowColumnYMin, FShow[iplcYMin])
  TI_LEGEND_BOOL(ShowColumnYMean, FShow[iplcYMean])
  TI_LEGEND_BOOL(WrapColAutoCountEnabled, FWrapColAutoCountEnabled)
  TI_LEGEND_BOOL(WrapRowAutoCountEnabled, FWrapRowAutoCountEnabled)
  TI_LEGEND_BOOL(WrapColSpacingAuto, FWrapColSpacingAuto)
  TI_LEGEND_BOOL(WrapRowSpacingAuto, FWrapRowSpacingAuto)
  TI_LEGEND_BOOL(ColumnTitlesVisible, FColumnTitlesVisible)
  TI_LEGEND_INT(WrapColAutoCountMax, FWrapColAutoCountMax)
  TI_LEGEND_INT(WrapRowAutoCountMax, FWrapRowAutoCountMax)
  TI_LEGEND_INT(LineColumnWidth, FLineColumnWidth)
  TI_LEGEND_INT(LineColumnHeight, FLineColumnHeight)
  TI_LEGEND_STRING(CaptionColumnTitle, FCaption[iplcChannel])
  TI_LEGEND_STRING(CaptionColumnXAxisTitle, FCaption[iplcXName])
  TI_LEGEND_STRING(CaptionColumnYAxisTitle, FCaption[iplcYName])
  TI_LEGEND_STRING(CaptionColumnXValue, FCaption[iplcXValue])
  TI_LEGEND_STRING(CaptionColumnYValue, FCaption[iplcYValue])
  TI_LEGEND_STRING(CaptionColumnYMax, FCaption[iplcYMax])
  TI_LEGEND_STRING(CaptionColumnYMin, FCaption[iplcYMin])
  TI_LEGEND_STRING(CaptionColumnYMean, FCaption[iplcYMean])
#undef TI_LEGEND_DOUBLE
#undef TI_LEGEND_BOOL
#undef TI_LEGEND_INT
#undef TI_LEGEND_STRING
  TColor GetBackGroundColor() const {
    return FBackGroundColor;
  }
  void SetBackGroundColor(TColor Value) {
    SetColorProperty(Value, FBackGroundColor, &TiPlotObject::DoChange);
  }
  TColor GetSelectedItemBackGroundColor() const {
    return FSelectedItemBackGroundColor;
  }
  void SetSelectedItemBackGroundColor(TColor Value) {
    SetColorProperty(Value, FSelectedItemBackGroundColor, &TiPlotObject::DoChange);
  }
  // Counts of 0 or less are taken as 1.
  int GetWrapColDesiredCount() const {
    return FWrapColDesiredCount;
  }
  void SetWrapColDesiredCount(int Value) {
    SetIntegerProperty(std::max(Value, 1), FWrapColDesiredCount, &TiPlotObject::DoChange);
  }
  int GetWrapRowDesiredCount() const {
    return FWrapRowDesiredCount;
  }
  void SetWrapRowDesiredCount(int Value) {
    SetIntegerProperty(std::max(Value, 1), FWrapRowDesiredCount, &TiPlotObject::DoChange);
  }
  TiPlotLegendChannelNameColorStyle GetChannelNameColorStyle() const {
    return FChannelNameColorStyle;
  }
  void SetChannelNameColorStyle(TiPlotLegendChannelNameColorStyle Value);
  TFont* GetFont() const {
    return FFont.get();
  }
  void SetFont(const TFont* Value) {
    FFont->Assign(Value);
  }
  TFont* GetSelectedItemFont() const {
    return FSelectedItemFont.get();
  }
  void SetSelectedItemFont(const TFont* Value) {
    FSelectedItemFont->Assign(Value);
  }
  TFont* GetColumnTitlesFont() const {
    return FColumnTitlesFont.get();
  }
  void SetColumnTitlesFont(const TFont* Value) {
    FColumnTitlesFont->Assign(Value);
  }

  int GetViewStartIndex() const {
    return FItemViewStartIndex;
  }
  void SetViewStartIndex(int Value) {
    SetIntegerProperty(Value, FItemViewStartIndex, &TiPlotObject::DoChange);
  }
  int GetViewStopIndex() const {
    return FItemViewStopIndex;
  }
  // Set by the plot before each paint: a data cursor on all channels wants
  // their cursor values listed.
  bool GetCursorAllChannels() const {
    return FCursorAllChannels;
  }
  void SetCursorAllChannels(bool Value) {
    FCursorAllChannels = Value;
  }

  // Results of the last layout pass.
  int GetItemCount() const {
    return static_cast<int>(FItems.size());
  }
  TiPlotChannelCustom* GetItemChannel(int Index) const {
    return FItems.at(static_cast<std::size_t>(Index)).Channel;
  }
  const TiPlotLegendPlace& GetItemPlace(int Index) const {
    return FWrap.Places.at(static_cast<std::size_t>(Index));
  }
  int GetActualWrapColCount() const {
    return FWrap.Cols;
  }
  int GetActualWrapRowCount() const {
    return FWrap.Rows;
  }
  int GetColumnStart(TiPlotLegendColumn Column) const {
    return FColumnStart[Column];
  }
  int GetColumnWidth(TiPlotLegendColumn Column) const {
    return FMaxWidth[Column];
  }
  int GetItemWidth() const {
    return FItemWidth;
  }
  int GetLastRequiredWidth() const {
    return FRequiredWidth;
  }
  int GetLastRequiredHeight() const {
    return FRequiredHeight;
  }
  TRect GetItemsRect() const {
    return FItemsRect;
  }
  TiPlotLegendButton* GetUpButton() const {
    return FUpButton.get();
  }
  TiPlotLegendButton* GetDownButton() const {
    return FDownButton.get();
  }
  // The texts of a channel's columns, as drawn.
  std::string GetColumnText(TiPlotChannelCustom* Channel, TiPlotLegendColumn Column);

  void NotificationRemove(TObject* Sender) override;
  void NotificationSetFocus(TObject* Sender) override;
  void Draw(TCanvas* Canvas, TColor BackGroundColor) override;
  TiPlotObject* GetMouseOverObject(int X, int Y) override;
  TCursor GetMouseCursor(TPoint APoint) override;
  void BuildPopupMenu(TPopupMenu* PopupMenu) override;
  int GetRequiredWidth(TCanvas* Canvas) override;
  // The layout pass: items, column widths, wrapping, size and buttons.
  void Layout(TCanvas* Canvas);

 protected:
  void DoMouseUp(TiPlotMouseData& MouseData) override;

 private:
  struct TItem {
    TiPlotChannelCustom* Channel = nullptr;
    int MaxHeight = 0;
  };
  std::string ChannelTitle(TiPlotChannelCustom* Channel) const;
  bool ColumnShown(int Column) const;
  void MeasureItems(TCanvas* Canvas, int W0, int H0);
  void DrawItem(TCanvas* Canvas, const TItem& Item, const TiPlotLegendPlace& Place, TColor BackGroundColor);
  void DrawLineSample(TCanvas* Canvas, TiPlotChannelCustom* Channel, int Left, int Y);
  void DrawButton(TCanvas* Canvas, TiPlotLegendButton* Button, bool Up);

  std::unique_ptr<TiPlotLegendButton> FUpButton;
  std::unique_ptr<TiPlotLegendButton> FDownButton;
  int FRequiredWidth = 0;
  int FRequiredHeight = 0;
  TRect FInnerRect;
  std::vector<TItem> FItems;
  TiPlotLegendWrap FWrap;
  int FItemWidth = 0;
  int FColumnSpacingPixels = 0;
  int FRowSpacingPixels = 0;
  int FWrapSpacingPixels = 0;
  int FColumnStart[iplcCount] = {};
  int FMaxWidth[iplcCount] = {};
  int FItemViewStartIndex = 0;
  int FItemViewStopIndex = 0;
  int FItemHeight = 0;
  int FMaxItemHeight = 0;
  int FColumnTitlesHeightPixels = 0;
  int FColumnTitlesMarginPixels = 0;
  TRect FColumnTitlesRect;
  TRect FItemsRect;
  double FMarginLeft = 1;
  double FMarginRight = 1;
  double FMarginBottom = 1;
  double FMarginTop = 1;
  bool FBackGroundTransparent = true;
  TColor FBackGroundColor = 0x808080;
  double FColumnSpacing = 0.5;
  double FRowSpacing = 0.25;
  std::unique_ptr<TFont> FFont;
  TColor FSelectedItemBackGroundColor = 0x00FFFF;
  std::unique_ptr<TFont> FSelectedItemFont;
  // Shown columns; the channel name always is, the two value columns by
  // their own flags or the cursor's wish.
  bool FShow[iplcCount] = {true, false, true, false, false, false, false, false, false, false};
  bool FShowColumnXValue = false;
  bool FShowColumnYValue = false;
  bool FColumnTitlesVisible = false;
  std::unique_ptr<TFont> FColumnTitlesFont;
  double FChannelNameMaxWidth = 0;
  TiPlotLegendChannelNameColorStyle FChannelNameColorStyle = iplcncsFont;
  bool FCursorAllChannels = false;
  std::string FCaption[iplcCount] = {"",  "",  "Title", "X-Axis", "Y-Axis",
                                     "X", "Y", "Y-Max", "Y-Min",  "Y-Mean"};
  int FWrapColDesiredCount = 1;
  int FWrapRowDesiredCount = 5;
  bool FWrapColAutoCountEnabled = false;
  bool FWrapRowAutoCountEnabled = true;
  int FWrapRowAutoCountMax = 100;
  int FWrapColAutoCountMax = 100;
  double FWrapColSpacingMin = 2;
  bool FWrapRowSpacingAuto = false;
  bool FWrapColSpacingAuto = true;
  int FLineColumnWidth = 13;
  int FLineColumnHeight = 3;
};
