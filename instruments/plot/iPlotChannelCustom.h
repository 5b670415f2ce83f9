#pragma once
// The channel base: one series of points of a plot, drawn against an X and
// a Y axis named by the channel. It owns the point store, takes points one
// at a time or from arrays, keeps running minimum, maximum and mean of X
// and Y while points arrive, feeds new points to its axes' tracking,
// removes points, and keeps the channel-wide trace and marker settings in
// the store so that every point without attributes of its own follows them.

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "instruments/base/iDrawing.h"
#include "instruments/plot/iPlotDataCustomList.h"
#include "instruments/plot/iPlotDataHost.h"
#include "instruments/plot/iPlotObjects.h"

class TiPlotAxis;
class TiPlotXAxis;
class TiPlotYAxis;
class TiPlotDataView;

enum TiPlotChannelDataPointMoveStyle { ipcdpmsXandY, ipcdpmsXOnly, ipcdpmsYOnly };
enum TiPlotDataPointStatus { ipdpsValid, ipdpsNull, ipdpsEmpty };

// A variant array: explicit low and high bounds per dimension, values in
// row order (the last dimension varies fastest).
struct TiPlotVariantArray {
  std::vector<std::pair<int, int>> Bounds;
  std::vector<double> Values;
  int Dimensions() const { return static_cast<int>(Bounds.size()); }
};

// What a data cursor asks of its channel, and what the channel answers.
// Style is the cursor's style by its place in the list: value XY, value X,
// value Y, delta X, delta Y, inverse delta X.
struct TiPlotDataCursorReadout {
  double Pointer1Position = 0;
  double Pointer2Position = 0;
  int Style = 0;
  TiPlotDataView* DataView = nullptr;
  // Results.
  double XValue = 0;
  double YValue = 0;
  TiPlotDataPointStatus Status = ipdpsValid;
  std::string DisplayText;
};

// A segment in data units.
struct TiPlotSegment {
  double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
};

// The Y of the line through (X1, Y1) and (X2, Y2) at X; 0 for a vertical line.
double iPlotLineYAtX(double X, double X1, double Y1, double X2, double Y2);
// The X of that line at Y; X1 for a vertical or a horizontal line.
double iPlotLineXAtY(double Y, double X1, double Y1, double X2, double Y2);
// Orders the segment's ends by X and cuts it to XMin..XMax, and with ClipY
// also to YMin..YMax; false when no part of it lies in that range.
bool iPlotClipSegment(TiPlotSegment& Segment, double XMin, double XMax, double YMin, double YMax, bool ClipY);

// The pen of a trace line style; the one-pixel pen is width 0.
TPenStyle iPlotTracePenStyle(TiPlotLineStyle Style);
int iPlotTraceWidth(int Width);

// The figure of a marker around P with half-size S.
struct TiPlotMarkerFigure {
  enum TKind { Ellipse, Rectangle, Polygon, Lines, Character } Kind = Ellipse;
  // Ellipse and rectangle: two corners; polygon: the corners; lines: pairs
  // of ends; character: the centre.
  std::vector<TPoint> Points;
};
TiPlotMarkerFigure iPlotMarkerFigure(TiPlotMarkerStyle Style, TPoint P, int S);

class TiPlotChannelCustom : public TiPlotManagerObject {
 public:
  TiPlotChannelCustom(TWinControl* AOwner, TNotifyEvent AOnChange, TNotifyEvent AOnInsert,
                      TNotifyEvent AOnRemove, TNotifyEvent AOnRename);
  ~TiPlotChannelCustom() override;

  // Published settings.
  const std::string& GetTitleText() const { return FTitleText; }
  void SetTitleText(const std::string& Value) {
    SetStringProperty(Value, FTitleText, &TiPlotObject::DoChange);
  }
  bool GetVisibleInLegend() const { return FVisibleInLegend; }
  void SetVisibleInLegend(bool Value) {
    SetBooleanProperty(Value, FVisibleInLegend, &TiPlotObject::DoChange);
  }
  bool GetClipToAxes() const { return FClipToAxes; }
  void SetClipToAxes(bool Value) { SetBooleanProperty(Value, FClipToAxes, &TiPlotObject::DoChange); }
  bool GetShowDataPointHints() const { return FShowDataPointHints; }
  void SetShowDataPointHints(bool Value) { FShowDataPointHints = Value; }
  bool GetUserCanMoveDataPoints() const { return FUserCanMoveDataPoints; }
  void SetUserCanMoveDataPoints(bool Value) { FUserCanMoveDataPoints = Value; }
  TiPlotChannelDataPointMoveStyle GetUserCanMoveDataPointsStyle() const {
    return FUserCanMoveDataPointsStyle;
  }
  void SetUserCanMoveDataPointsStyle(TiPlotChannelDataPointMoveStyle Value) {
    FUserCanMoveDataPointsStyle = Value;
  }
  int GetRingBufferSize() const { return FDataList->GetRingBufferSize(); }
  void SetRingBufferSize(int Value);
  bool GetTraceVisible() const { return FTraceVisible; }
  void SetTraceVisible(bool Value) { SetBooleanProperty(Value, FTraceVisible, &TiPlotObject::DoChange); }
  bool GetMarkersAllowIndividual() const { return FMarkersAllowIndividual; }
  void SetMarkersAllowIndividual(bool Value) {
    SetBooleanProperty(Value, FMarkersAllowIndividual, &TiPlotObject::DoChange);
  }
  bool GetMarkersPenUseChannelColor() const { return FMarkersPenUseChannelColor; }
  void SetMarkersPenUseChannelColor(bool Value) {
    SetBooleanProperty(Value, FMarkersPenUseChannelColor, &TiPlotObject::DoChange);
  }
  bool GetMarkersBrushUseChannelColor() const { return FMarkersBrushUseChannelColor; }
  void SetMarkersBrushUseChannelColor(bool Value) {
    SetBooleanProperty(Value, FMarkersBrushUseChannelColor, &TiPlotObject::DoChange);
  }
  int GetMarkersTurnOffLimit() const { return FMarkersTurnOffLimit; }
  void SetMarkersTurnOffLimit(int Value) {
    SetIntegerProperty(Value, FMarkersTurnOffLimit, &TiPlotObject::DoChange);
  }
  TFont* GetMarkersFont() const { return FMarkersFont.get(); }
  void SetMarkersFont(const TFont* Value) { FMarkersFont->Assign(Value); }
  const std::string& GetXAxisName() const { return FXAxisName; }
  void SetXAxisName(const std::string& Value);
  const std::string& GetYAxisName() const { return FYAxisName; }
  void SetYAxisName(const std::string& Value);
  bool GetXAxisTrackingEnabled() const { return FXAxisTrackingEnabled; }
  void SetXAxisTrackingEnabled(bool Value) {
    SetBooleanProperty(Value, FXAxisTrackingEnabled, &TiPlotObject::DoChange);
  }
  bool GetYAxisTrackingEnabled() const { return FYAxisTrackingEnabled; }
  void SetYAxisTrackingEnabled(bool Value) {
    SetBooleanProperty(Value, FYAxisTrackingEnabled, &TiPlotObject::DoChange);
  }
  const std::string& GetLogFileName() const { return FLogFileName; }
  // Refused while logging.
  void SetLogFileName(const std::string& Value);
  int GetLogBufferSize() const { return FLogBufferSize; }
  void SetLogBufferSize(int Value) { FLogBufferSize = Value; }
  bool GetLoggingActive() const { return FLoggingActive; }
  TiPlotDataStyle GetDataStyle() const { return FDataStyle; }
  void SetDataStyle(TiPlotDataStyle Value);

  // Channel-wide trace and marker settings, kept in the store; each write
  // is signalled, equal or not.
#define TI_STORED_SETTING(Type, Name, Stored) \
  Type Get##Name() const {                    \
    return FDataList->GetStored##Stored();    \
  }                                           \
  void Set##Name(Type Value) {                \
    FDataList->SetStored##Stored(Value);      \
    DoChange();                               \
  }
  TI_STORED_SETTING(TColor, Color, TraceLineColor)
  TI_STORED_SETTING(TiPlotLineStyle, TraceLineStyle, TraceLineStyle)
  TI_STORED_SETTING(int, TraceLineWidth, TraceLineWidth)
  TI_STORED_SETTING(bool, MarkersVisible, MarkerVisible)
  TI_STORED_SETTING(int, MarkersSize, MarkerSize)
  TI_STORED_SETTING(TiPlotMarkerStyle, MarkersStyle, MarkerStyle)
  TI_STORED_SETTING(TColor, MarkersPenColor, MarkerPenColor)
  TI_STORED_SETTING(TPenStyle, MarkersPenStyle, MarkerPenStyle)
  TI_STORED_SETTING(int, MarkersPenWidth, MarkerPenWidth)
  TI_STORED_SETTING(TColor, MarkersBrushColor, MarkerBrushColor)
  TI_STORED_SETTING(TBrushStyle, MarkersBrushStyle, MarkerBrushStyle)
#undef TI_STORED_SETTING

  // Public state.
  TiPlotXAxis* GetXAxis();
  TiPlotYAxis* GetYAxis();
  int GetCount() const {
    return FDataList->GetCount();
  }
  void SetCount(int Value);
  int GetCapacity() const {
    return FDataList->GetCapacity();
  }
  int GetDataPointSize() const {
    return FDataList->GetDataPointSize();
  }
  int GetMaxDataPoints() const {
    return FDataList->GetMaxDataPoints();
  }
  std::int64_t GetMemoryUsed() const {
    return FDataList->GetMemoryUsed();
  }
  int GetIndexFirst() const {
    return GetCount() == 0 ? -1 : 0;
  }
  int GetIndexLast() const {
    return GetCount() - 1;
  }
  double GetXFirst() {
    return GetCount() == 0 ? -1 : GetX(0);
  }
  double GetYFirst() {
    return GetCount() == 0 ? -1 : GetY(0);
  }
  double GetXLast() {
    return GetCount() == 0 ? -1 : GetX(GetCount() - 1);
  }
  double GetYLast() {
    return GetCount() == 0 ? -1 : GetY(GetCount() - 1);
  }
  int GetDrawStartIndex() const {
    return FStartIndex;
  }
  int GetDrawStopIndex() const {
    return FStopIndex;
  }
  double GetRunningXMin() const {
    return FRunningXMin;
  }
  double GetRunningXMax() const {
    return FRunningXMax;
  }
  double GetRunningXMean() const {
    return FRunningXMean;
  }
  double GetRunningYMin() const {
    return FRunningYMin;
  }
  double GetRunningYMax() const {
    return FRunningYMax;
  }
  double GetRunningYMean() const {
    return FRunningYMean;
  }
  const std::string& GetDataCursorXText() const {
    return FDataCursorXText;
  }
  const std::string& GetDataCursorYText() const {
    return FDataCursorYText;
  }
  double GetDataCursorXValue() const {
    return FDataCursorXValue;
  }
  double GetDataCursorYValue() const {
    return FDataCursorYValue;
  }
  TiPlotDataPointStatus GetDataCursorStatus() const {
    return FDataCursorStatus;
  }
  TiPlotDataCustomList* GetDataList() const {
    return FDataList.get();
  }

  // Data entry.
  virtual int AddXY(double X, double Y);
  void AddXYArrays(const TiPlotVariantArray& XData, const TiPlotVariantArray& YData);
  void AddXYArray(const TiPlotVariantArray& Data);
  void Clear();
  void DeletePoints(int Size);
  void GetXYEmptyNull(int Index, double& X, double& Y, bool& Empty, bool& Null);

  // Settings file ("File Type = Plot Channel Config" and the Channel.*
  // lines), data file (X and Y or "Null" per point, Empty points left out)
  // and the point log, X and Y per line, written in batches.
  void SavePropertiesToFile(const std::string& FileName);
  void LoadPropertiesFromFile(const std::string& FileName);
  void SaveDataToFile(const std::string& FileName);
  void LoadDataFromFile(const std::string& FileName, bool ClearPreviousData);
  void LogActivate(bool Append);
  void LogDeactivate();
  // Appends the buffered points; a failed write leaves the unwritten ones
  // buffered for the next try.
  void LogFlush();
  int GetLogBufferCount() const {
    return FLogBufferCount;
  }

  // Full scans of the valid points.
  double GetXMin();
  double GetXMax();
  double GetXMean();
  double GetYMin();
  double GetYMax();
  double GetYMean();
  void ReCalcRunningMinMaxMean();
  std::string GetXValueText(double Value);
  std::string GetYValueText(double Value);

  // Shared with the drawing and the concrete channels.
  int AddPoint(double X, double Y, bool Null, bool Empty);
  double GetX(int Index) {
    return FDataList->GetX(Index);
  }
  double GetY(int Index) {
    return FDataList->GetY(Index);
  }
  bool GetNull(int Index) {
    return FDataList->GetNull(Index);
  }
  bool GetEmpty(int Index) {
    return FDataList->GetEmpty(Index);
  }
  bool IsValidPoint(int Index) {
    return !GetNull(Index) && !GetEmpty(Index);
  }
  void SetX(int Index, double Value);
  void SetY(int Index, double Value);
  void SetNull(int Index, bool Value);
  void SetEmpty(int Index, bool Value);
  TColor GetTraceLineColor(int Index) {
    return FDataList->GetTraceLineColor(Index);
  }
  int GetTraceLineWidth(int Index) {
    return FDataList->GetTraceLineWidth(Index);
  }
  TiPlotLineStyle GetTraceLineStyle(int Index) {
    return FDataList->GetTraceLineStyle(Index);
  }
  bool GetMarkerVisible(int Index) {
    return FDataList->GetMarkerVisible(Index);
  }
  int GetMarkerSize(int Index) {
    return FDataList->GetMarkerSize(Index);
  }
  TiPlotMarkerStyle GetMarkerStyle(int Index) {
    return FDataList->GetMarkerStyle(Index);
  }
  TColor GetMarkerPenColor(int Index) {
    return FDataList->GetMarkerPenColor(Index);
  }
  int GetMarkerPenWidth(int Index) {
    return FDataList->GetMarkerPenWidth(Index);
  }
  TPenStyle GetMarkerPenStyle(int Index) {
    return FDataList->GetMarkerPenStyle(Index);
  }
  TColor GetMarkerBrushColor(int Index) {
    return FDataList->GetMarkerBrushColor(Index);
  }
  TBrushStyle GetMarkerBrushStyle(int Index) {
    return FDataList->GetMarkerBrushStyle(Index);
  }
  char16_t GetMarkerCharacter(int Index) {
    return FDataList->GetMarkerCharacter(Index);
  }
  double GetXMaxExtent(int Index);
  double GetXMinExtent(int Index);
  double GetYMaxExtent(int Index);
  double GetYMinExtent(int Index);
  bool HasAxes() {
    return GetXAxis() && GetYAxis();
  }
  TRect GetLegendRect() const {
    return FLegendRect;
  }
  void SetLegendRect(const TRect& Rect) {
    FLegendRect = Rect;
  }

  void NotificationRemove(TObject* Sender) override;
  void NotificationRename(TObject* Sender) override;
  void NotificationSetFocus(TObject* Sender) override;

  // Drawing, shared by the concrete channels.
  virtual void DrawTrace(TCanvas* Canvas, bool XYAxesReversed, TColor BackGroundColor);
  virtual void DrawMarkers(TCanvas* Canvas, bool XYAxesReversed, TColor BackGroundColor);
  void DrawClippedLine(TCanvas* Canvas, bool XYAxesReversed, double X1, double Y1, double X2, double Y2,
                       bool YInPercent);
  void DrawDataPolygon(TCanvas* Canvas, bool XYAxesReversed, TiDoublePoint P1, TiDoublePoint P2,
                       TiDoublePoint P3, TiDoublePoint P4);
  TRect DataRectToPixels(double X1, double Y1, double X2, double Y2);
  bool CanDrawMarker(int Index);
  TPoint DataPointToPixels(int Index);
  TRect GetMarkerRect(int Index);
  // Index -1 draws the legend's sample.
  void DrawMarker(TCanvas* Canvas, int Index, TColor BackGroundColor, TPoint P);

  // Mouse: points are found, hinted and dragged in the toolbar's select mode.
  bool iMouseHitTest(const TiPlotMouseData& MouseData) override;
  TCursor GetMouseCursor(TPoint APoint) override;
  void BuildPopupMenu(TPopupMenu* PopupMenu) override;
  int GetSelectDataIndex() const {
    return FSelectDataIndex;
  }

  // What each kind of channel decides for itself. The base draws nothing
  // and wants nothing shown.
  virtual void CalcStartIndex() {
    FStartIndex = -1;
  }
  virtual void CalcStopIndex() {
    FStopIndex = -1;
  }
  virtual double GetXMaxFit() {
    return -kNoValue;
  }
  virtual double GetXMinFit() {
    return kNoValue;
  }
  virtual double GetYMaxFit() {
    return -kNoValue;
  }
  virtual double GetYMinFit() {
    return kNoValue;
  }
  virtual void UpdateDataCursor(TiPlotDataCursorReadout& /*Readout*/) {}

  // The sentinel of an absent minimum (and, negated, maximum).
  static constexpr double kNoValue = 1e300;

 protected:
  void DoMouseHint(TiPlotMouseData& MouseData, TiHintData& HintData) override;
  void DoMouseLeft(TiPlotMouseData& MouseData) override;
  void DoMouseMove(TiPlotMouseData& MouseData) override;
  void DoMouseUp(TiPlotMouseData& MouseData) override;
  // The trace's channel-wide pen, clear brush.
  void SetTracePen(TCanvas* Canvas);
  // With ClipToAxes, narrows the canvas' clip to the axes' rectangle.
  void ClipToAxesRect(TCanvas* Canvas, bool XYAxesReversed);
  // Segment(Index, PX, PY, X, Y) for each two consecutive valid points of
  // the draw range (Index the later): Empty points are passed over, a Null
  // one breaks the trace.
  template <class F>
  void ForEachTraceSegment(F Segment) {
    bool first = true;
    double px = 0, py = 0;
    for (int i = std::max(FStartIndex, 0); i <= FStopIndex && i < GetCount(); ++i) {
      double x, y;
      bool empty, null;
      GetXYEmptyNull(i, x, y, empty, null);
      if (empty) continue;
      if (null) {
        first = true;
        continue;
      }
      if (!first) Segment(i, px, py, x, y);
      first = false;
      px = x;
      py = y;
    }
  }
  // Writes the buffered points while logging; before the store changes.
  void FlushPendingLog();
  IiPlotDataHost* DataHost() const {
    return dynamic_cast<IiPlotDataHost*>(GetOwner());
  }
  void SetDataCursorResult(const TiPlotDataCursorReadout& Readout, const std::string& XText,
                           const std::string& YText);
  // The width of MarkersSize pixels in units of Axis, from its start.
  double MarkerMargin(TiPlotAxis* Axis);
  // A point's X or Y widened by the marker margin times Sign.
  double Extent(int Index, bool XDirection, double Sign);

  int FSelectDataIndex = -1;
  TRect FSelectHitTestRect;
  bool FSelectMouseDown = false;
  int FSelectMouseDownIndex = 0;
  int FMouseDownDataIndex = -1;
  TRect FSelectDownRect;
  double FMouseDownValueX = 0;
  double FMouseDownValueY = 0;
  int FMouseDownPixelX = 0;
  int FMouseDownPixelY = 0;
  int FStartIndex = 0;
  int FStopIndex = 0;

 private:
  void ResetRunning();
  void FeedTracking(double X, double Y);

  TiPlotXAxis* FXAxis = nullptr;
  TiPlotYAxis* FYAxis = nullptr;
  std::unique_ptr<TiPlotDataCustomList> FDataList;
  std::string FTitleText;
  std::string FYAxisName;
  std::string FXAxisName;
  bool FXAxisTrackingEnabled = true;
  bool FYAxisTrackingEnabled = true;
  bool FLoggingActive = false;
  int FLogBufferCount = 0;
  bool FMarkersAllowIndividual = false;
  int FMarkersTurnOffLimit = 0;
  TRect FLegendRect;
  bool FVisibleInLegend = true;
  bool FClipToAxes = false;
  bool FShowDataPointHints = false;
  bool FUserCanMoveDataPoints = false;
  TiPlotChannelDataPointMoveStyle FUserCanMoveDataPointsStyle = ipcdpmsXandY;
  bool FMarkersBrushUseChannelColor = true;
  bool FMarkersPenUseChannelColor = true;
  bool FTraceVisible = true;
  int FLogBufferSize = 0;
  std::string FLogFileName;
  char FLoadingSeparator = '\t';
  // X and Y count apart: a scan of one resets only its own count.
  int FRunningXCount = 0;
  int FRunningYCount = 0;
  double FRunningXMin = kNoValue, FRunningXMax = -kNoValue, FRunningXMean = 0;
  long double FRunningXTotal = 0;
  double FRunningYMin = kNoValue, FRunningYMax = -kNoValue, FRunningYMean = 0;
  long double FRunningYTotal = 0;
  TiPlotDataStyle FDataStyle = ipdsStandard;
  std::unique_ptr<TFont> FMarkersFont;
  std::string FDataCursorXText;
  std::string FDataCursorYText;
  double FDataCursorYValue = 0;
  double FDataCursorXValue = 0;
  TiPlotDataPointStatus FDataCursorStatus = ipdpsValid;
};

// The class of new channels: makes one with the plot and the four notices.
using TiPlotChannelClass =
    std::function<TiPlotChannelCustom*(TWinControl* AOwner, TNotifyEvent AOnChange, TNotifyEvent AOnInsert,
                                       TNotifyEvent AOnRemove, TNotifyEvent AOnRename)>;

// The maker of channels of class T; a named type, so that a channel class
// can be asked which class it makes (iIsChannelClass).
template <class T>
struct TiPlotChannelMaker {
  TiPlotChannelCustom* operator()(TWinControl* o, TNotifyEvent c, TNotifyEvent i, TNotifyEvent r,
                                  TNotifyEvent n) const {
    return new T(o, std::move(c), std::move(i), std::move(r), std::move(n));
  }
};

template <class T>
TiPlotChannelClass iChannelClass() {
  return TiPlotChannelMaker<T>{};
}

// True when Class makes channels of exactly class T.
template <class T>
bool iIsChannelClass(const TiPlotChannelClass& Class) {
  return Class.template target<TiPlotChannelMaker<T>>() != nullptr;
}

// The store of a data style.
std::unique_ptr<TiPlotDataCustomList> iCreatePlotDataList(TiPlotDataStyle Style);
