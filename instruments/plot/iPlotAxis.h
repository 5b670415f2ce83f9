#pragma once
// The plot's axes: X axes run along the data view's width and Y axes along
// its height (exchanged when the plot reverses them). An axis owns a scale,
// Min and Span, linear or base-10 logarithmic and optionally reversed,
// through which every drawing object maps values to pixels and back.

#include <string>

#include <vector>

#include "instruments/plot/iPlotObjects.h"
#include "instruments/plot/iPlotTickObject.h"

enum TiPlotAxisMode { ipamScroll, ipamZoom };
enum TiQuadSide { iqsLeft, iqsTop, iqsRight, iqsBottom };
enum TiPlotCartesianStyle { ipcsNone, ipcsMaster, ipcsChild };

class TiPlotAxis : public TiPlotLayoutObject {
 public:
  using TiPlotLayoutObject::TiPlotLayoutObject;
  ~TiPlotAxis() override;
  const std::string& GetTitle() const { return FTitle; }
  void SetTitle(const std::string& Value) { SetStringProperty(Value, FTitle, &TiPlotObject::DoLayoutChange); }

  double GetMin() const { return FMin; }
  void SetMin(double Value);
  double GetSpan() const { return FSpan; }
  void SetSpan(double Value);
  // Both at once, with one set of events.
  void SetMinSpan(double NewMin, double NewSpan);
  double GetMax() const { return FMin + FSpan; }
  double GetMid() const { return FSpan / 2 + FMin; }
  bool GetReverseScale() const { return FReverseScale; }
  void SetReverseScale(bool Value) { SetBooleanProperty(Value, FReverseScale, &TiPlotObject::DoChange); }
  TiPlotScaleType GetScaleType() const { return FScaleType; }
  void SetScaleType(TiPlotScaleType Value);
  TiPlotCartesianStyle GetCartesianStyle() const { return FCartesianStyle; }
  void SetCartesianStyle(TiPlotCartesianStyle Value);
  const std::string& GetCartesianChildRefAxisName() const { return FCartesianChildRefAxisName; }
  void SetCartesianChildRefAxisName(const std::string& Value) {
    SetStringProperty(Value, FCartesianChildRefAxisName, &TiPlotObject::DoChange);
  }
  double GetCartesianChildRefValue() const { return FCartesianChildRefValue; }
  void SetCartesianChildRefValue(double Value) {
    SetDoubleProperty(Value, FCartesianChildRefValue, &TiPlotObject::DoChange);
  }
  const std::string& GetAlignRefAxisName() const { return FAlignRefAxisName; }
  void SetAlignRefAxisName(const std::string& Value) {
    SetStringProperty(Value, FAlignRefAxisName, &TiPlotObject::DoChange);
  }
  TiPlotAxisMode GetMode() const { return FMode; }
  void SetMode(TiPlotAxisMode Value);

  // The scale-rectangle step, from the layout draw rectangle. LabelExtent is
  // the labels' extent along the axis and ZeroExtent the width (horizontal)
  // or height (vertical) of "0" in the labels font; both are measured by the
  // caller. Mapping is valid after it.
  void UpdateScaleRect(int LabelExtent, int ZeroExtent, double StackingEndsMargin);
  TiQuadSide GetQuadSide() const { return FQuadSide; }
  TRect GetScaleRect() const { return FScaleRect; }
  TRect GetFocusRect() const { return FFocusRect; }
  int GetActualStart() const { return FActualStart; }
  int GetActualStop() const { return FActualStop; }
  int GetScaleLength() const;

  int PositionToPixels(double Value) const;
  double PixelsToPosition(int Value) const;
  double PositionToPercent(double Value) const;
  double PercentToPosition(double Value) const;
  int WidthToPixels(double Value) const;
  bool PointOnScale(double Value) const;
  bool ValueOnScale(double Value) const { return PointOnScale(Value); }
  int GetMinPixels() const { return PositionToPixels(GetMin()); }
  int GetMaxPixels() const { return PositionToPixels(GetMax()); }

  // Ticks and labels.
  double GetDesiredStart() const { return FDesiredStart; }
  void SetDesiredStart(double Value) { SetDoubleProperty(Value, FDesiredStart, &TiPlotObject::DoChange); }
  double GetDesiredIncrement() const { return FDesiredIncrement; }
  void SetDesiredIncrement(double Value);
  int GetMinorCount() const { return FMinorCount; }
  void SetMinorCount(int Value) { SetIntegerProperty(Value, FMinorCount, &TiPlotObject::DoChange); }
  bool GetLabelsVisible() const { return FLabelsVisible; }
  void SetLabelsVisible(bool Value) { SetBooleanProperty(Value, FLabelsVisible, &TiPlotObject::DoChange); }
  double GetLabelSeparation() const { return FLabelSeparation; }
  void SetLabelSeparation(double Value) {
    SetDoubleProperty(Value, FLabelSeparation, &TiPlotObject::DoChange);
  }
  const TiPlotAxisTextFormat& GetLabelsFormat() const { return FLabelsFormat; }
  void SetLabelsFormat(const TiPlotAxisTextFormat& Value);
  const TiPlotAxisTextFormat& GetCursorFormat() const { return FCursorFormat; }
  void SetCursorFormat(const TiPlotAxisTextFormat& Value);
  bool GetCursorUseDefaultFormat() const { return FCursorUseDefaultFormat; }
  void SetCursorUseDefaultFormat(bool Value) {
    SetBooleanProperty(Value, FCursorUseDefaultFormat, &TiPlotObject::DoChange);
  }
  const TiPlotAxisTextFormat& GetLegendFormat() const { return FLegendFormat; }
  void SetLegendFormat(const TiPlotAxisTextFormat& Value);
  bool GetLegendUseDefaultFormat() const { return FLegendUseDefaultFormat; }
  void SetLegendUseDefaultFormat(bool Value) {
    SetBooleanProperty(Value, FLegendUseDefaultFormat, &TiPlotObject::DoChange);
  }

  // The published form of the three text formats, and their lengths.
#define TI_AXIS_FORMAT(Kind, DateTimeName)                                             \
  TiPlotTextFormat Get##Kind##FormatStyle() const {                                    \
    return F##Kind##Format.Style;                                                      \
  }                                                                                    \
  void Set##Kind##FormatStyle(TiPlotTextFormat Value) {                                \
    SetEnumProperty(Value, F##Kind##Format.Style);                                     \
  }                                                                                    \
  const std::string& Get##DateTimeName() const {                                       \
    return F##Kind##Format.DateTimeFormat;                                             \
  }                                                                                    \
  void Set##DateTimeName(const std::string& Value) {                                   \
    SetStringProperty(Value, F##Kind##Format.DateTimeFormat, &TiPlotObject::DoChange); \
  }                                                                                    \
  int Get##Kind##Precision() const {                                                   \
    return F##Kind##Format.Precision;                                                  \
  }                                                                                    \
  void Set##Kind##Precision(int Value) {                                               \
    SetIntegerProperty(Value, F##Kind##Format.Precision, &TiPlotObject::DoChange);     \
  }                                                                                    \
  TiPrecisionStyle Get##Kind##PrecisionStyle() const {                                 \
    return F##Kind##Format.PrecisionStyle;                                             \
  }                                                                                    \
  void Set##Kind##PrecisionStyle(TiPrecisionStyle Value) {                             \
    SetEnumProperty(Value, F##Kind##Format.PrecisionStyle);                            \
  }                                                                                    \
  double Get##Kind##MinLength() const {                                                \
    return F##Kind##MinLength;                                                         \
  }                                                                                    \
  void Set##Kind##MinLength(double Value) {                                            \
    SetDoubleProperty(Value, F##Kind##MinLength, &TiPlotObject::DoChange);             \
  }                                                                                    \
  bool Get##Kind##MinLengthAutoAdjust() const {                                        \
    return F##Kind##MinLengthAutoAdjust;                                               \
  }                                                                                    \
  void Set##Kind##MinLengthAutoAdjust(bool Value) {                                    \
    SetBooleanProperty(Value, F##Kind##MinLengthAutoAdjust, &TiPlotObject::DoChange);  \
  }
  TI_AXIS_FORMAT(Labels, DateTimeFormat)
  TI_AXIS_FORMAT(Cursor, CursorDateTimeFormat)
  TI_AXIS_FORMAT(Legend, LegendDateTimeFormat)
#undef TI_AXIS_FORMAT
  TiRotationAngle GetLabelsRotation() const {
    return FLabelsRotation;
  }
  void SetLabelsRotation(TiRotationAngle Value) {
    SetEnumProperty(Value, FLabelsRotation);
  }
  double GetCursorScaler() const {
    return FCursorScaler;
  }
  void SetCursorScaler(double Value) {
    SetDoubleProperty(Value, FCursorScaler, &TiPlotObject::DoChange);
  }

  std::string GetLabelText(double Value) const;
  std::string GetCursorText(double Value) const;
  std::string GetCursorValueText(double Value) const;
  std::string GetLegendText(double Value) const;

  // The tick list: rebuilt by BuildTicks unless the user keeps it custom.
  bool GetTickListCustom() const {
    return FTickListCustom;
  }
  void SetTickListCustom(bool Value) {
    FTickListCustom = Value;
  }
  int GetTickListCount() const {
    return static_cast<int>(FTickList.size());
  }
  const TiPlotTickObject& GetTick(int Index) const {
    return FTickList.at(static_cast<std::size_t>(Index));
  }
  void TickListClear();
  int TickListAdd(double Position, const std::string& ALabel, TiPlotTickType Style);
  double GetMajorIncrement() const {
    return FMajorIncrement;
  }
  double GetMinorIncrement() const {
    return FMinorIncrement;
  }
  bool GetMonthModeEnabled() const {
    return FMonthModeEnabled;
  }
  bool GetYearModeEnabled() const {
    return FYearModeEnabled;
  }
  // Rebuilds the ticks after the scale-rectangle step; LabelFootprint is
  // the room one label takes along the axis, measured by the caller.
  void BuildTicks(int LabelFootprint);

 protected:
  // The plot's scale events; the plot core raises them for its axes.
  virtual void DoMinChangeEvent(double /*OldValue*/, double /*NewValue*/) {}
  virtual void DoSpanChangeEvent(double /*OldValue*/, double /*NewValue*/) {}
  virtual void DoMinSpanChangeEvent(double /*OldMin*/, double /*OldSpan*/, double /*NewMin*/,
                                    double /*NewSpan*/) {}

 private:
  template <class E>
  void SetEnumProperty(E Value, E& Field) {
    if (Value == Field) return;
    Field = Value;
    DoChange();
  }
  void SetFormatProperty(const TiPlotAxisTextFormat& Value, TiPlotAxisTextFormat& Field);
  // The scale a log mapping can use: neither Min nor Span at or below 0.
  double LogMin() const {
    return FMin <= 0 ? 1 : FMin;
  }
  double LogSpan() const {
    return FSpan <= 0 ? 1 : FSpan;
  }

  std::string FTitle;
  double FMin = 0;
  double FSpan = 100;
  bool FReverseScale = false;
  TiPlotScaleType FScaleType = ipstLinear;
  int FActualStart = 0;
  int FActualStop = 0;
  double FPixelsPerSpanUnit = 0;
  TRect FScaleRect;
  TRect FFocusRect;
  TiQuadSide FQuadSide = iqsLeft;
  bool FBlockMinSpanEvents = false;
  TiPlotCartesianStyle FCartesianStyle = ipcsNone;
  std::string FCartesianChildRefAxisName = "<None>";
  std::string FAlignRefAxisName = "<None>";
  double FCartesianChildRefValue = 0;
  TiPlotAxisMode FMode = ipamScroll;

  std::vector<TiPlotTickObject> FTickList;
  bool FTickListCustom = false;
  double FMajorIncrement = 0;
  double FMinorIncrement = 0;
  bool FMonthModeEnabled = false;
  bool FYearModeEnabled = false;
  double FDesiredStart = 0;
  double FDesiredIncrement = 0;
  int FMinorCount = 1;
  bool FLabelsVisible = true;
  double FLabelSeparation = 2;
  TiPlotAxisTextFormat FLabelsFormat;
  bool FCursorUseDefaultFormat = true;
  TiPlotAxisTextFormat FCursorFormat;
  bool FLegendUseDefaultFormat = true;
  TiPlotAxisTextFormat FLegendFormat;
  double FLabelsMinLength = 5;
  bool FLabelsMinLengthAutoAdjust = false;
  double FCursorMinLength = 5;
  bool FCursorMinLengthAutoAdjust = false;
  double FLegendMinLength = 5;
  bool FLegendMinLengthAutoAdjust = false;
  TiRotationAngle FLabelsRotation = ira000;
  double FCursorScaler = 1;
};

class TiPlotXAxis : public TiPlotAxis {
 public:
  using TiPlotAxis::TiPlotAxis;
  ~TiPlotXAxis() override;
};

class TiPlotYAxis : public TiPlotAxis {
 public:
  using TiPlotAxis::TiPlotAxis;
  ~TiPlotYAxis() override;
};
