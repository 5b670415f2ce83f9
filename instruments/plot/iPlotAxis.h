#pragma once
// The plot's axes: X axes run along the data view's width and Y axes along
// its height (exchanged when the plot reverses them). An axis owns a scale,
// Min and Span, linear or base-10 logarithmic and optionally reversed,
// through which every drawing object maps values to pixels and back.

#include <memory>
#include <string>
#include <vector>

#include "instruments/plot/iPlotObjects.h"
#include "instruments/plot/iPlotTickObject.h"

enum TiPlotAxisMode { ipamScroll, ipamZoom };
enum TiQuadSide { iqsLeft, iqsTop, iqsRight, iqsBottom };
enum TiPlotCartesianStyle { ipcsNone, ipcsMaster, ipcsChild };
enum TiPlotGridLineStyle { ipglsSolid, ipglsDash, ipglsDot };

class TiPlotAxis;

// What an axis asks of the plot that owns it: the rectangles that labels of
// axes crossing the data view must keep clear of, and the customize-label
// event (the plot leaves the text alone while it is loading).
class IiPlotAxisHost {
 public:
  virtual ~IiPlotAxisHost() = default;
  virtual void AddAxesCollisionRect(const TRect& ARect) = 0;
  // False when ARect meets a listed rectangle or leaves the data view;
  // otherwise lists it.
  virtual bool TryAddAxesCollisionRect(const TRect& ARect) = 0;
  virtual void DoAxisCustomizeLabel(TiPlotAxis* Axis, std::string& Text, double Value) = 0;
  // The scale events and the axis' hint; nothing by default.
  virtual void DoAxisMinChange(TiPlotAxis*, double /*OldValue*/, double /*NewValue*/) {}
  virtual void DoAxisSpanChange(TiPlotAxis*, double /*OldValue*/, double /*NewValue*/) {}
  virtual void DoAxisMinSpanChange(TiPlotAxis*, double, double, double, double) {}
  virtual void DoAxisMinSpanChangeFinished(TiPlotAxis*, double, double, double, double) {}
  virtual void DoAxisCustomizeHint(TiPlotAxis*, std::string& /*Text*/) {}
  // The canvas hint texts are measured on; null: none.
  virtual TCanvas* GetHintCanvas() { return nullptr; }
  // An axis with MasterUIInput hands its input to the other axes of its kind.
  virtual void MasterAxisMouseLeft(TiPlotAxis*, TiPlotMouseData&) {}
  virtual void MasterAxisMouseMove(TiPlotAxis*, TiPlotMouseData&) {}
  virtual void MasterAxisMouseUp(TiPlotAxis*, TiPlotMouseData&) {}
  virtual void MasterAxisMouseWheel(TiPlotAxis*, int /*WheelDelta*/, TShiftState, int /*X*/, int /*Y*/) {}
  virtual void MasterAxisKeyDown(TiPlotAxis*, std::uint16_t& /*Key*/, TShiftState) {}
};

enum TiPlotTrackingStyle {
  iptsScaleMinMax,
  iptsScaleMax,
  iptsScaleMin,
  iptsScrollSmooth,
  iptsScrollPage,
  iptsExpandCollapse,
  iptsExpandCollapseFast,
  iptsExpandMinMax
};
enum TiPlotTrackingIncrementStyle { iptisMinimum, iptisMajor, iptisMinor };
enum TiPlotAlignFirstStyle { ipafsMin, ipafsMax, ipafsAuto, ipafsNone };

// The pens of the data view's grid at one axis' ticks.
struct TiPlotGridLines {
  int MinorWidth = 0;
  int MajorWidth = 0;
  TColor MinorColor = 0x008000;
  TColor MajorColor = 0x008000;
  TiPlotGridLineStyle MinorStyle = ipglsSolid;
  TiPlotGridLineStyle MajorStyle = ipglsSolid;
  bool ShowMinors = false;
  bool ShowMajors = true;
};

class TiPlotAxis : public TiPlotLayoutObject {
 public:
  TiPlotAxis(TWinControl* AOwner, TNotifyEvent AOnChange, TNotifyEvent AOnInsert, TNotifyEvent AOnRemove,
             TNotifyEvent AOnRename);
  ~TiPlotAxis() override;
  const std::string& GetTitle() const { return FTitle; }
  void SetTitle(const std::string& Value) { SetStringProperty(Value, FTitle, &TiPlotObject::DoLayoutChange); }

  double GetMin() const { return FMin; }
  // While set, scale changes raise no events and no change notice.
  void SetBlockMinSpanEvents(bool Value) { FBlockMinSpanEvents = Value; }
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

  // ---- tracking, zoom and scrolling
  bool GetTrackingEnabled() const { return FTrackingEnabled; }
  void SetTrackingEnabled(bool Value);
  TiPlotTrackingStyle GetTrackingStyle() const { return FTrackingStyle; }
  void SetTrackingStyle(TiPlotTrackingStyle Value) { SetEnumProperty(Value, FTrackingStyle); }
  TiPlotTrackingIncrementStyle GetTrackingIncrementStyle() const { return FTrackingIncrementStyle; }
  void SetTrackingIncrementStyle(TiPlotTrackingIncrementStyle Value) {
    SetEnumProperty(Value, FTrackingIncrementStyle);
  }
  TiPlotAlignFirstStyle GetTrackingAlignFirstStyle() const { return FTrackingAlignFirstStyle; }
  void SetTrackingAlignFirstStyle(TiPlotAlignFirstStyle Value) {
    SetEnumProperty(Value, FTrackingAlignFirstStyle);
  }
  double GetTrackingScrollCompressMax() const { return FTrackingScrollCompressMax; }
  void SetTrackingScrollCompressMax(double Value) {
    SetDoubleProperty(Value, FTrackingScrollCompressMax, &TiPlotObject::DoChange);
  }
  double GetTrackingSpanMinimum() const { return FTrackingSpanMinimum; }
  void SetTrackingSpanMinimum(double Value) {
    SetDoubleProperty(Value, FTrackingSpanMinimum, &TiPlotObject::DoChange);
  }
  double GetTrackingMaxMargin() const { return FTrackingMaxMargin; }
  void SetTrackingMaxMargin(double Value) {
    SetDoubleProperty(Value, FTrackingMaxMargin, &TiPlotObject::DoChange);
  }
  double GetTrackingMinMargin() const { return FTrackingMinMargin; }
  void SetTrackingMinMargin(double Value) {
    SetDoubleProperty(Value, FTrackingMinMargin, &TiPlotObject::DoChange);
  }
  bool GetRestoreValuesOnResume() const { return FRestoreValuesOnResume; }
  void SetRestoreValuesOnResume(bool Value) {
    SetBooleanProperty(Value, FRestoreValuesOnResume, &TiPlotObject::DoChange);
  }
  bool GetScrollMinMaxEnabled() const { return FScrollMinMaxEnabled; }
  void SetScrollMinMaxEnabled(bool Value) {
    SetBooleanProperty(Value, FScrollMinMaxEnabled, &TiPlotObject::DoChange);
  }
  double GetScrollMin() const { return FScrollMin; }
  void SetScrollMin(double Value) { SetDoubleProperty(Value, FScrollMin, &TiPlotObject::DoChange); }
  double GetScrollMax() const { return FScrollMax; }
  void SetScrollMax(double Value) { SetDoubleProperty(Value, FScrollMax, &TiPlotObject::DoChange); }
  bool GetMasterUIInput() const { return FMasterUIInput; }
  void SetMasterUIInput(bool Value) { SetBooleanProperty(Value, FMasterUIInput, &TiPlotObject::DoChange); }
  double GetPreviousMin() const { return FPreviousMin; }
  double GetPreviousSpan() const { return FPreviousSpan; }

  // A channel's new value on this axis.
  void NewTrackingData(double Value);
  void ResetFirstAlign() { FFirstAlignDone = false; }
  void UpdateResumeValues();
  // About the centre by Value (linear; at or below 0 refused) or by decades (log10).
  void Zoom(double Value);
  void ZoomToFit();
  void ZoomToFitFast();
  // Along the axis: the rectangle's extent in its direction.
  void ZoomToRect(const TRect& Rect);
  // One step of the user's scroll (a fraction of the span) or zoom (a power of ten).
  void ScrollStep(double Fraction);
  void ZoomStep(double Exponent);

  TCursor GetMouseCursor(TPoint APoint) override;
  bool iMouseHitTest(const TiPlotMouseData& MouseData) override;
  void iKeyDown(std::uint16_t& Key, TShiftState Shift, TPopupMenu* PopupMenu) override;
  void BuildPopupMenu(TPopupMenu* PopupMenu) override;
  void NotificationSetFocus(TObject* Sender) override;
  // The handlers the data view and the master-axis replay call.
  void DoMouseLeft(TiPlotMouseData& MouseData) override;
  void DoMouseMove(TiPlotMouseData& MouseData) override;
  void DoMouseUp(TiPlotMouseData& MouseData) override;
  bool DoMouseWheel(int WheelDelta, TShiftState Shift, int X, int Y) override;

  // The scale-rectangle step measured on the canvas with the labels font.
  void UpdateScaleRect(TCanvas* Canvas);
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

  // The texts pass through the plot's customize-label event.
  std::string GetLabelText(double Value);
  std::string GetCursorText(double Value);
  std::string GetCursorValueText(double Value);
  std::string GetLegendText(double Value);
  // Set from a customize-label handler: this text wins over the handler's.
  const std::string& GetCustomizeLabelEventText() const {
    return FCustomizeLabelEventText;
  }
  void SetCustomizeLabelEventText(const std::string& Value) {
    FCustomizeLabelEventText = Value;
    FCustomizeLabelEventModified = true;
  }
  // The widest label the axis may show, in pixels of the labels font.
  int GetWidestLabel(TCanvas* Canvas);
  // Room for a legend or cursor value with the given font.
  int GetLegendTextWidth(TCanvas* Canvas, const TFont* Font);
  int GetCursorTextWidth(TCanvas* Canvas, const TFont* Font);

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
  // The paint's tick step: scale rectangle, label footprint and ticks,
  // measured on the canvas.
  void CalcTicks(TCanvas* Canvas);

  // Drawing.
  int GetMajorLength() const {
    return FMajorLength;
  }
  void SetMajorLength(int Value) {
    SetIntegerProperty(Value, FMajorLength, &TiPlotObject::DoChange);
  }
  int GetMinorLength() const {
    return FMinorLength;
  }
  void SetMinorLength(int Value) {
    SetIntegerProperty(Value, FMinorLength, &TiPlotObject::DoChange);
  }
  int GetInnerMargin() const {
    return FInnerMargin;
  }
  void SetInnerMargin(int Value) {
    SetIntegerProperty(Value, FInnerMargin, &TiPlotObject::DoChange);
  }
  int GetOuterMargin() const {
    return FOuterMargin;
  }
  void SetOuterMargin(int Value) {
    SetIntegerProperty(Value, FOuterMargin, &TiPlotObject::DoChange);
  }
  double GetLabelsMargin() const {
    return FLabelsMargin;
  }
  void SetLabelsMargin(double Value) {
    SetDoubleProperty(Value, FLabelsMargin, &TiPlotObject::DoChange);
  }
  TFont* GetLabelsFont() const {
    return FLabelsFont.get();
  }
  void SetLabelsFont(const TFont* Value) {
    FLabelsFont->Assign(Value);
  }
  bool GetTitleShow() const {
    return FTitleShow;
  }
  void SetTitleShow(bool Value) {
    SetBooleanProperty(Value, FTitleShow, &TiPlotObject::DoChange);
  }
  bool GetTitleRotated() const {
    return FTitleRotated;
  }
  void SetTitleRotated(bool Value) {
    SetBooleanProperty(Value, FTitleRotated, &TiPlotObject::DoChange);
  }
  double GetTitleMargin() const {
    return FTitleMargin;
  }
  void SetTitleMargin(double Value) {
    SetDoubleProperty(Value, FTitleMargin, &TiPlotObject::DoChange);
  }
  TFont* GetTitleFont() const {
    return FTitleFont.get();
  }
  void SetTitleFont(const TFont* Value) {
    FTitleFont->Assign(Value);
  }
  bool GetScaleLineShow() const {
    return FScaleLineShow;
  }
  void SetScaleLineShow(bool Value) {
    SetBooleanProperty(Value, FScaleLineShow, &TiPlotObject::DoChange);
  }
  bool GetScaleLinesShow() const {
    return FScaleLinesShow;
  }
  void SetScaleLinesShow(bool Value) {
    SetBooleanProperty(Value, FScaleLinesShow, &TiPlotObject::DoChange);
  }
  TColor GetScaleLinesColor() const {
    return FScaleLinesColor;
  }
  void SetScaleLinesColor(TColor Value) {
    SetColorProperty(Value, FScaleLinesColor, &TiPlotObject::DoChange);
  }
  bool GetGridLinesVisible() const {
    return FGridLinesVisible;
  }
  void SetGridLinesVisible(bool Value) {
    SetBooleanProperty(Value, FGridLinesVisible, &TiPlotObject::DoChange);
  }
  double GetStackingEndsMargin() const {
    return FStackingEndsMargin;
  }
  void SetStackingEndsMargin(double Value) {
    SetDoubleProperty(Value, FStackingEndsMargin, &TiPlotObject::DoChange);
  }
  // Results of the last GetRequiredWidth.
  int GetLastRequiredWidth() const {
    return FRequiredWidth;
  }
  int GetTitleOffset() const {
    return FTitleOffset;
  }

  int GetRequiredWidth(TCanvas* Canvas) override;
  int GetRequiredEndMargin(TCanvas* Canvas) override;
  void UpdateCanDraw() override;
  void Draw(TCanvas* Canvas, TColor BackGroundColor) override;
  // The data view's grid at this axis' ticks, across ARect.
  void DrawGridLines(TCanvas* Canvas, const TRect& ARect, const TiPlotGridLines& Lines);

 protected:
  // The plot's scale events.
  virtual void DoMinChangeEvent(double OldValue, double NewValue);
  virtual void DoSpanChangeEvent(double OldValue, double NewValue);
  virtual void DoMinSpanChangeEvent(double OldMin, double OldSpan, double NewMin, double NewSpan);
  void DoMouseHint(TiPlotMouseData& MouseData, TiHintData& HintData) override;

 private:
  IiPlotAxisHost* AxisHost() const;
  // Drag and wheel use the mode inverted while Ctrl is held.
  TiPlotAxisMode EffectiveMode() const;
  void AlignToIncrement();
  void ZoomToFitOver(bool Fast);
  // Min and Span differ from the press's: the plot hears the change finished.
  void MinSpanChangeFinished(double OldMin, double OldSpan);
  // The formatter with the customize-label event and the minimum-length
  // adjustment; MinLength and AutoAdjust belong to the format used.
  std::string FormatText(double Value, const TiPlotAxisTextFormat& Format, double& MinLength,
                         bool AutoAdjust);
  int TextWidthForLength(TCanvas* Canvas, const TFont* Font, double MinLength) const;
  // Label extents, with the labels font selected.
  int LabelsAcross(TCanvas* Canvas);
  int LabelsAlong(TCanvas* Canvas);
  void DrawScaleLine(TCanvas* Canvas);
  void DrawTick(TCanvas* Canvas, const TiPlotTickObject& Tick);
  void DrawLabel(TCanvas* Canvas, const TiPlotTickObject& Tick);
  void DrawTitle(TCanvas* Canvas);
  // A line from B to C pixels in from the data side of the draw rectangle
  // at pixel P along the axis.
  void MarkLine(TCanvas* Canvas, int P, int B, int C, bool Register);

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
  bool FTrackingEnabled = true;
  TiPlotTrackingStyle FTrackingStyle = iptsScaleMinMax;
  TiPlotTrackingIncrementStyle FTrackingIncrementStyle = iptisMinimum;
  TiPlotAlignFirstStyle FTrackingAlignFirstStyle = ipafsNone;
  double FTrackingScrollCompressMax = 0;
  double FTrackingSpanMinimum = 0;
  double FTrackingMaxMargin = 0;
  double FTrackingMinMargin = 0;
  bool FFirstAlignDone = false;
  bool FRestoreValuesOnResume = true;
  double FPreviousMin = 0;
  double FPreviousSpan = 100;
  double FPreviousLabelsMinLength = 0;
  bool FScrollMinMaxEnabled = false;
  double FScrollMin = 0;
  double FScrollMax = 100;
  bool FMasterUIInput = false;
  // A left press on the scale is being dragged.
  bool FScaleMouseDown = false;
  int FMouseDownX = 0, FMouseDownY = 0;
  double FMouseDownMin = 0, FMouseDownSpan = 0;

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
  bool FAllowLabelMinAdjust = false;
  std::string FCustomizeLabelEventText;
  bool FCustomizeLabelEventModified = false;

  int FMajorLength = 7;
  int FMinorLength = 3;
  int FInnerMargin = 5;
  int FOuterMargin = 5;
  double FLabelsMargin = 0.25;
  std::unique_ptr<TFont> FLabelsFont;
  bool FTitleShow = false;
  bool FTitleRotated = false;
  double FTitleMargin = 0.25;
  std::unique_ptr<TFont> FTitleFont;
  bool FScaleLineShow = true;
  bool FScaleLinesShow = true;
  TColor FScaleLinesColor = 0xFFFFFF;
  bool FGridLinesVisible = true;
  double FStackingEndsMargin = 0.5;
  int FRequiredWidth = 0;
  int FTitleOffset = 0;
};

class TiPlotXAxis : public TiPlotAxis {
 public:
  TiPlotXAxis(TWinControl* AOwner, TNotifyEvent AOnChange, TNotifyEvent AOnInsert, TNotifyEvent AOnRemove,
              TNotifyEvent AOnRename);
  ~TiPlotXAxis() override;
};

class TiPlotYAxis : public TiPlotAxis {
 public:
  using TiPlotAxis::TiPlotAxis;
  ~TiPlotYAxis() override;
};
