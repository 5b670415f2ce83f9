#pragma once
// The strip chart's channel: a series whose X normally runs one way (time or
// an index), drawn from left to right as points arrive. Besides the channel
// base it takes time-stamped and elapsed-time points, Null and Empty
// placeholders and open/high/low/close records, may refuse an X against the
// series' direction, finds its drawable range by bisection, reads Y at any
// X for cursors and hit tests, and draws with fill, bars, a two-level
// (digital) trace, steps, smooth interpolated curves, open-high-low-close
// and candlestick records, or a fast trace reduced per pixel column. A pair
// of OPC items can feed it.

#include <string>
#include <vector>

#include "instruments/base/iClasses.h"
#include "platform/sys/DateTime.h"
#include "instruments/plot/iPlotChannelCustom.h"
#include "instruments/plot/iPlotChannelOPC.h"

enum TiPlotInterpolationStyle {
  ipistStraightLine,
  ipistCubicSpline,
  ipistPolynomial,
  ipistRational,
  ipistDifferential,
  ipistDifferentialTerminated
};
enum TiPlotHighLowStyle { iphlsOpenClose, iphlsCandleStick };
enum TiPlotDigitalReferenceStyle { ipdrScale, ipdrPercent };
enum TiOPCXValueSourceStyle {
  iopcxvsOPCServerTimeStamp,
  iopcxvsSystemTimeStamp,
  iopcxvsElapsedTime,
  iopcxvsElapsedSeconds,
  iopcxvsOPCItem
};

// The value an interpolated trace drew in one pixel column.
struct TiPlotPixelPoint {
  bool Null = true;
  int XPixel = 0;
  double YValue = 0;
};

class TiPlotChannel : public TiPlotChannelCustom, public TiPlotChannelOPC {
 public:
  TiPlotChannel(TWinControl* AOwner, TNotifyEvent AOnChange, TNotifyEvent AOnInsert, TNotifyEvent AOnRemove,
                TNotifyEvent AOnRename);
  ~TiPlotChannel() override;

  // Published settings.
#define TI_CHANNEL_SETTING(Type, Name) \
  Type Get##Name() const {             \
    return F##Name;                    \
  }                                    \
  void Set##Name(Type Value) {         \
    if (Value == F##Name) return;      \
    F##Name = Value;                   \
    DoChange();                        \
  }
  TI_CHANNEL_SETTING(bool, FastDrawEnabled)
  TI_CHANNEL_SETTING(bool, DrawOutOfOrderXValues)
  TI_CHANNEL_SETTING(TiPlotInterpolationStyle, InterpolationStyle)
  TI_CHANNEL_SETTING(bool, FillEnabled)
  TI_CHANNEL_SETTING(double, FillReference)
  TI_CHANNEL_SETTING(TBrushStyle, FillStyle)
  TI_CHANNEL_SETTING(TColor, FillColor)
  TI_CHANNEL_SETTING(bool, FillUseChannelColor)
  TI_CHANNEL_SETTING(bool, DigitalEnabled)
  TI_CHANNEL_SETTING(TiPlotDigitalReferenceStyle, DigitalReferenceStyle)
  TI_CHANNEL_SETTING(double, DigitalReferenceLow)
  TI_CHANNEL_SETTING(double, DigitalReferenceHigh)
  TI_CHANNEL_SETTING(TiPlotHighLowStyle, HighLowStyle)
  TI_CHANNEL_SETTING(bool, HighLowEnabled)
  TI_CHANNEL_SETTING(TColor, HighLowBarColor)
  TI_CHANNEL_SETTING(double, HighLowBarWidth)
  TI_CHANNEL_SETTING(bool, HighLowOpenShow)
  TI_CHANNEL_SETTING(TColor, HighLowOpenColor)
  TI_CHANNEL_SETTING(double, HighLowOpenWidth)
  TI_CHANNEL_SETTING(double, HighLowOpenHeight)
  TI_CHANNEL_SETTING(bool, HighLowCloseShow)
  TI_CHANNEL_SETTING(TColor, HighLowCloseColor)
  TI_CHANNEL_SETTING(double, HighLowCloseWidth)
  TI_CHANNEL_SETTING(double, HighLowCloseHeight)
  TI_CHANNEL_SETTING(TColor, HighLowShadowColor)
  TI_CHANNEL_SETTING(TColor, HighLowBullishColor)
  TI_CHANNEL_SETTING(TColor, HighLowBearishColor)
  TI_CHANNEL_SETTING(bool, BarEnabled)
  TI_CHANNEL_SETTING(bool, BarPenUseChannelColor)
  TI_CHANNEL_SETTING(bool, BarBrushUseChannelColor)
#undef TI_CHANNEL_SETTING
  // Stored without a change notice: they steer only what is added next.
  bool GetAllowOutOfOrderXValues() const {
    return FAllowOutOfOrderXValues;
  }
  void SetAllowOutOfOrderXValues(bool Value) {
    FAllowOutOfOrderXValues = Value;
  }
  bool GetResetStartTimeOnFirstDataPoint() const {
    return FResetStartTimeOnFirstDataPoint;
  }
  void SetResetStartTimeOnFirstDataPoint(bool Value) {
    FResetStartTimeOnFirstDataPoint = Value;
  }

  // The bar settings live in the store, channel-wide; each write is signalled.
#define TI_BAR_SETTING(Type, Name)           \
  Type Get##Name() const {                   \
    return GetDataList()->GetStored##Name(); \
  }                                          \
  void Set##Name(Type Value) {               \
    GetDataList()->SetStored##Name(Value);   \
    DoChange();                              \
  }
  TI_BAR_SETTING(double, BarReference)
  TI_BAR_SETTING(double, BarWidth)
  TI_BAR_SETTING(TColor, BarPenColor)
  TI_BAR_SETTING(int, BarPenWidth)
  TI_BAR_SETTING(TPenStyle, BarPenStyle)
  TI_BAR_SETTING(TColor, BarBrushColor)
  TI_BAR_SETTING(TBrushStyle, BarBrushStyle)
#undef TI_BAR_SETTING

  // OPC: item 0 supplies Y (or X with iopcxvsOPCItem), item 1 Y then;
  // where X comes from otherwise is OPCXValueSource.
  TiOPCXValueSourceStyle GetOPCXValueSource() const {
    return FOPCXValueSource;
  }
  void SetOPCXValueSource(TiOPCXValueSourceStyle Value) {
    FOPCXValueSource = Value;
  }
  void OPCActivate();
  void OPCActivateSuspend();
  void OPCUpdateSuspend();
  void OPCUpdateResume();

  TDateTime GetElapsedStartTime() const {
    return FElapsedStartTime;
  }
  void SetElapsedStartTime(TDateTime Value) {
    FElapsedStartTime = Value;
  }
  void ResetElapsedStartTime();

  // Data entry.
  int AddXY(double X, double Y) override;
  int AddXNull(double X);
  int AddXEmpty(double X);
  int AddHighLow(double X, double High, double Low, double Open, double Close);
  int AddYNow(double Y);
  int AddYElapsedTime(double Y);
  int AddYElapsedSeconds(double Y);
  // Points XInterval apart, the first at the last point's X (0 when empty).
  void AddYArray(double XInterval, const TiPlotVariantArray& YData);

  // The first point at or beyond T, -1 outside the data.
  int CalcIndex(double TargetValue);
  // Y at an X on the drawn trace: straight line, or the step of a digital
  // channel. False where the trace has no value.
  bool GetYInterpolated(double XValue, double& YValue);

  // Shared with the drawing and the data cursor.
  void CheckXOrder(double X);
  int FindIndexAscending(double Value) {
    return FindIndex(Value, true);
  }
  int FindIndexDescending(double Value) {
    return FindIndex(Value, false);
  }
  TiPlotDataPointStatus GetCursorValue(double X, double& Y);
  void FormatDataCursorText(int Style, TiPlotDataPointStatus Status, std::string& Text, double Y, double X);
  void SetPixelValue(int XPixel, double Y);
  TRect GetBarRect(int Index);
  bool GetXIncreasing() const {
    return FXIncreasing;
  }
  int GetPixelListStart() const {
    return FPixelListStart;
  }
  int GetPixelListStop() const {
    return FPixelListStop;
  }
  int GetPixelsHigh() const {
    return FPixelsHigh;
  }
  int GetPixelsLow() const {
    return FPixelsLow;
  }
  const std::vector<TiPlotPixelPoint>& GetPixelList() const {
    return FPixelList;
  }
#define TI_POINT_FORWARD(Type, Name)        \
  Type Get##Name(int Index) {               \
    return GetDataList()->Get##Name(Index); \
  }
  TI_POINT_FORWARD(double, High)
  TI_POINT_FORWARD(double, Low)
  TI_POINT_FORWARD(double, Open)
  TI_POINT_FORWARD(double, Close)
  TI_POINT_FORWARD(bool, BarVisible)
  TI_POINT_FORWARD(double, BarReference)
  TI_POINT_FORWARD(double, BarWidth)
  TI_POINT_FORWARD(TColor, BarPenColor)
  TI_POINT_FORWARD(int, BarPenWidth)
  TI_POINT_FORWARD(TPenStyle, BarPenStyle)
  TI_POINT_FORWARD(TColor, BarBrushColor)
  TI_POINT_FORWARD(TBrushStyle, BarBrushStyle)
#undef TI_POINT_FORWARD

  void UpdateCanDraw() override;
  void Draw(TCanvas* Canvas, TColor BackGroundColor) override;
  void DrawTrace(TCanvas* Canvas, bool XYAxesReversed, TColor BackGroundColor) override;
  void DrawMarkers(TCanvas* Canvas, bool XYAxesReversed, TColor BackGroundColor) override;
  bool iMouseHitTest(const TiPlotMouseData& MouseData) override;
  void DoInsert() override;
  void CalcStartIndex() override;
  void CalcStopIndex() override;
  double GetXMaxFit() override;
  double GetXMinFit() override;
  double GetYMaxFit() override;
  double GetYMinFit() override;
  void UpdateDataCursor(TiPlotDataCursorReadout& Readout) override;

 private:
  // Bisection on X: the last index examined, -1 for an empty channel.
  int FindIndex(double Value, bool Ascending);
  // A single item's value, by OPCXValueSource.
  void OPCNewData(TiOPCItem* Item);
  void ResetStartTimeIfFirst();
  void UpdateXIncreasing();
  // The brush of fills: the channel's colour or the fill colour.
  TColor FillBrushColor() const;
  // Y pixel of a digital level, and its value on the Y axis.
  double DigitalLevelValue(bool High);
  double DigitalLevelScaleValue(bool High);

  // Drawing layers and trace styles.
  void DrawFill(TCanvas* Canvas, bool Reversed);
  void DrawBars(TCanvas* Canvas, TColor BackGroundColor);
  void DrawFast(TCanvas* Canvas, bool Reversed);
  void DrawPixelColumns(TCanvas* Canvas, bool Reversed, const TiPlotMinMaxPoint& P,
                        const TiPlotMinMaxPoint& Q, const TiPlotMinMaxPoint& R);
  void DrawDigital(TCanvas* Canvas, bool Reversed);
  void DrawDigitalSequence(TCanvas* Canvas, bool Reversed, TDigitalSequenceData& S);
  void DrawDifferential(TCanvas* Canvas, bool Reversed);
  void DrawStepFill(TCanvas* Canvas, bool Reversed, double X1, double X2, double Y);
  void DrawSpline(TCanvas* Canvas, bool Reversed);
  void DrawSplineSection(TCanvas* Canvas, bool Reversed, std::vector<double>& X, std::vector<double>& Y,
                         int N);
  void DrawPolynomial(TCanvas* Canvas, bool Reversed, bool Rational);
  // One value a pixel column from FirstX to LastX, joined and optionally
  // filled to the reference.
  template <class F>
  void DrawColumns(TCanvas* Canvas, bool Reversed, double FirstX, double LastX, F YAt);
  // Thin solid pens and solid brushes for open-high-low-close records.
  void BeginRecords(TCanvas* Canvas, TColor BackGroundColor);
  void DrawHighLowOpenClose(TCanvas* Canvas, bool Reversed, TColor BackGroundColor);
  void DrawCandleSticks(TCanvas* Canvas, bool Reversed, TColor BackGroundColor);

  std::vector<TiPlotPixelPoint> FPixelList;
  int FPixelListStart = 0;
  int FPixelListStop = 0;
  int FPixelsHigh = 0;
  int FPixelsLow = 0;
  bool FXIncreasing = true;
  bool FFastDrawEnabled = true;
  bool FAllowOutOfOrderXValues = true;
  bool FDrawOutOfOrderXValues = false;
  bool FResetStartTimeOnFirstDataPoint = false;
  TiPlotInterpolationStyle FInterpolationStyle = ipistStraightLine;
  TDateTime FElapsedStartTime = 0;
  bool FFillEnabled = false;
  double FFillReference = 0;
  bool FFillUseChannelColor = true;
  TBrushStyle FFillStyle = bsSolid;
  TColor FFillColor = 0x000000;
  TiPlotHighLowStyle FHighLowStyle = iphlsOpenClose;
  bool FHighLowEnabled = false;
  TColor FHighLowBarColor = 0xFFFF00;
  double FHighLowBarWidth = 0.5;
  bool FHighLowOpenShow = true;
  TColor FHighLowOpenColor = 0x00FF00;
  double FHighLowOpenWidth = 1;
  double FHighLowOpenHeight = 1;
  bool FHighLowCloseShow = true;
  TColor FHighLowCloseColor = 0x0000FF;
  double FHighLowCloseWidth = 1;
  double FHighLowCloseHeight = 1;
  TColor FHighLowShadowColor = 0x808080;
  TColor FHighLowBullishColor = 0xFFFFFF;
  TColor FHighLowBearishColor = 0x808080;
  bool FDigitalEnabled = false;
  double FDigitalReferenceLow = 10;
  double FDigitalReferenceHigh = 90;
  TiPlotDigitalReferenceStyle FDigitalReferenceStyle = ipdrScale;
  TiOPCXValueSourceStyle FOPCXValueSource = iopcxvsOPCServerTimeStamp;
  bool FBarEnabled = false;
  bool FBarPenUseChannelColor = true;
  bool FBarBrushUseChannelColor = true;
};
