#pragma once
// The plot's axes: X axes run along the data view's width and Y axes along
// its height (exchanged when the plot reverses them). An axis owns a scale,
// Min and Span, linear or base-10 logarithmic and optionally reversed,
// through which every drawing object maps values to pixels and back.

#include <string>

#include "instruments/plot/iPlotObjects.h"

enum TiPlotScaleType { ipstLinear, ipstLog10 };
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

 protected:
  // The plot's scale events; the plot core raises them for its axes.
  virtual void DoMinChangeEvent(double /*OldValue*/, double /*NewValue*/) {}
  virtual void DoSpanChangeEvent(double /*OldValue*/, double /*NewValue*/) {}
  virtual void DoMinSpanChangeEvent(double /*OldMin*/, double /*OldSpan*/, double /*NewMin*/,
                                    double /*NewSpan*/) {}

 private:
  // The scale a log mapping can use: neither Min nor Span at or below 0.
  double LogMin() const { return FMin <= 0 ? 1 : FMin; }
  double LogSpan() const { return FSpan <= 0 ? 1 : FSpan; }

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
