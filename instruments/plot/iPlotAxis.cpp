#include "instruments/plot/iPlotAxis.h"

#include <algorithm>
#include <cmath>

#include "instruments/base/iDrawing.h"
#include "instruments/base/iProperties.h"
#include "platform/sys/SysUtils.h"

namespace {
const TiRegisterProperties<TiPlotAxis, TiPlotLayoutObject> kAxis([](TiPropertyBuilder<TiPlotAxis>& b) {
  b.Add("Title", &TiPlotAxis::GetTitle, &TiPlotAxis::SetTitle);
  b.Add("Min", &TiPlotAxis::GetMin, &TiPlotAxis::SetMin);
  b.Add("Span", &TiPlotAxis::GetSpan, &TiPlotAxis::SetSpan);
  b.Add("ReverseScale", &TiPlotAxis::GetReverseScale, &TiPlotAxis::SetReverseScale, 0);
  b.Add("ScaleType", &TiPlotAxis::GetScaleType, &TiPlotAxis::SetScaleType, ipstLinear, ipstLog10);
  b.Add("CartesianStyle", &TiPlotAxis::GetCartesianStyle, &TiPlotAxis::SetCartesianStyle, ipcsNone,
        ipcsChild);
  b.Add("CartesianChildRefAxisName", &TiPlotAxis::GetCartesianChildRefAxisName,
        &TiPlotAxis::SetCartesianChildRefAxisName);
  b.Add("CartesianChildRefValue", &TiPlotAxis::GetCartesianChildRefValue,
        &TiPlotAxis::SetCartesianChildRefValue);
  b.Add("AlignRefAxisName", &TiPlotAxis::GetAlignRefAxisName, &TiPlotAxis::SetAlignRefAxisName);
  b.Add("DesiredStart", &TiPlotAxis::GetDesiredStart, &TiPlotAxis::SetDesiredStart);
  b.Add("DesiredIncrement", &TiPlotAxis::GetDesiredIncrement, &TiPlotAxis::SetDesiredIncrement);
  b.Add("MinorCount", &TiPlotAxis::GetMinorCount, &TiPlotAxis::SetMinorCount, 1);
  b.Add("LabelsVisible", &TiPlotAxis::GetLabelsVisible, &TiPlotAxis::SetLabelsVisible, 1);
  b.Add("LabelSeparation", &TiPlotAxis::GetLabelSeparation, &TiPlotAxis::SetLabelSeparation);
  b.Add("LabelsRotation", &TiPlotAxis::GetLabelsRotation, &TiPlotAxis::SetLabelsRotation, ira000, ira270);
  b.Add("LabelsPrecision", &TiPlotAxis::GetLabelsPrecision, &TiPlotAxis::SetLabelsPrecision, 3);
  b.Add("LabelsPrecisionStyle", &TiPlotAxis::GetLabelsPrecisionStyle, &TiPlotAxis::SetLabelsPrecisionStyle,
        ipsSignificantDigits, ipsFixedDecimalPoints);
  b.Add("LabelsFormatStyle", &TiPlotAxis::GetLabelsFormatStyle, &TiPlotAxis::SetLabelsFormatStyle, iptfValue,
        iptfThousands);
  b.Add("DateTimeFormat", &TiPlotAxis::GetDateTimeFormat, &TiPlotAxis::SetDateTimeFormat);
  b.Add("LabelsMinLength", &TiPlotAxis::GetLabelsMinLength, &TiPlotAxis::SetLabelsMinLength);
  b.Add("LabelsMinLengthAutoAdjust", &TiPlotAxis::GetLabelsMinLengthAutoAdjust,
        &TiPlotAxis::SetLabelsMinLengthAutoAdjust, 0);
  b.Add("CursorUseDefaultFormat", &TiPlotAxis::GetCursorUseDefaultFormat,
        &TiPlotAxis::SetCursorUseDefaultFormat, 1);
  b.Add("CursorFormatStyle", &TiPlotAxis::GetCursorFormatStyle, &TiPlotAxis::SetCursorFormatStyle, iptfValue,
        iptfThousands);
  b.Add("CursorDateTimeFormat", &TiPlotAxis::GetCursorDateTimeFormat, &TiPlotAxis::SetCursorDateTimeFormat);
  b.Add("CursorPrecisionStyle", &TiPlotAxis::GetCursorPrecisionStyle, &TiPlotAxis::SetCursorPrecisionStyle,
        ipsSignificantDigits, ipsFixedDecimalPoints);
  b.Add("CursorPrecision", &TiPlotAxis::GetCursorPrecision, &TiPlotAxis::SetCursorPrecision, 3);
  b.Add("CursorMinLength", &TiPlotAxis::GetCursorMinLength, &TiPlotAxis::SetCursorMinLength);
  b.Add("CursorMinLengthAutoAdjust", &TiPlotAxis::GetCursorMinLengthAutoAdjust,
        &TiPlotAxis::SetCursorMinLengthAutoAdjust, 0);
  b.Add("CursorScaler", &TiPlotAxis::GetCursorScaler, &TiPlotAxis::SetCursorScaler);
  b.Add("LegendUseDefaultFormat", &TiPlotAxis::GetLegendUseDefaultFormat,
        &TiPlotAxis::SetLegendUseDefaultFormat, 1);
  b.Add("LegendFormatStyle", &TiPlotAxis::GetLegendFormatStyle, &TiPlotAxis::SetLegendFormatStyle, iptfValue,
        iptfThousands);
  b.Add("LegendDateTimeFormat", &TiPlotAxis::GetLegendDateTimeFormat, &TiPlotAxis::SetLegendDateTimeFormat);
  b.Add("LegendPrecisionStyle", &TiPlotAxis::GetLegendPrecisionStyle, &TiPlotAxis::SetLegendPrecisionStyle,
        ipsSignificantDigits, ipsFixedDecimalPoints);
  b.Add("LegendPrecision", &TiPlotAxis::GetLegendPrecision, &TiPlotAxis::SetLegendPrecision, 3);
  b.Add("LegendMinLength", &TiPlotAxis::GetLegendMinLength, &TiPlotAxis::SetLegendMinLength);
  b.Add("LegendMinLengthAutoAdjust", &TiPlotAxis::GetLegendMinLengthAutoAdjust,
        &TiPlotAxis::SetLegendMinLengthAutoAdjust, 0);
});
const TiRegisterProperties<TiPlotXAxis, TiPlotAxis> kXAxis([](TiPropertyBuilder<TiPlotXAxis>&) {});
const TiRegisterProperties<TiPlotYAxis, TiPlotAxis> kYAxis([](TiPropertyBuilder<TiPlotYAxis>&) {});

constexpr double kMaxValue = 1e300;
constexpr double kMinSpan = 1e-300;
constexpr double kPixelLimit = 32000;

// Rounds a pixel offset that may be far outside any screen (or infinite)
// into the range drawing accepts, before it becomes an integer.
int ClampPixels(double X) {
  return static_cast<int>(std::clamp(std::nearbyint(X), -kPixelLimit, kPixelLimit));
}

double Fraction(double Num, int Den) {
  return Num / Den;
}
}  // namespace

// Out of line: the class's table above is linked with it.
TiPlotAxis::~TiPlotAxis() = default;
TiPlotXAxis::~TiPlotXAxis() = default;
TiPlotYAxis::~TiPlotYAxis() = default;

void TiPlotAxis::SetMin(double Value) {
  Value = std::clamp(Value, -kMaxValue, kMaxValue);
  if (Value == FMin || std::isnan(Value)) return;
  double old = FMin;
  FMin = Value;
  DoChange();
  if (FBlockMinSpanEvents) return;
  DoMinChangeEvent(old, FMin);
  DoMinSpanChangeEvent(old, FSpan, FMin, FSpan);
}

void TiPlotAxis::SetSpan(double Value) {
  Value = std::clamp(Value, kMinSpan, kMaxValue);
  if (Value == FSpan || std::isnan(Value)) return;
  double old = FSpan;
  FSpan = Value;
  DoChange();
  if (FBlockMinSpanEvents) return;
  DoSpanChangeEvent(old, FSpan);
  DoMinSpanChangeEvent(FMin, old, FMin, FSpan);
}

void TiPlotAxis::SetMinSpan(double NewMin, double NewSpan) {
  if (FScaleType == ipstLog10) {
    if (NewMin <= 0) NewMin = 1;
    if (NewSpan <= 0) NewSpan = 1;
  }
  if (NewMin == FMin && NewSpan == FSpan) return;
  double oldMin = FMin, oldSpan = FSpan;
  FBlockMinSpanEvents = true;
  try {
    SetMin(NewMin);
    SetSpan(NewSpan);
  } catch (...) {
    FBlockMinSpanEvents = false;
    throw;
  }
  FBlockMinSpanEvents = false;
  if (NewMin != oldMin) DoMinChangeEvent(oldMin, FMin);
  if (NewSpan != oldSpan) DoSpanChangeEvent(oldSpan, FSpan);
  DoMinSpanChangeEvent(oldMin, oldSpan, FMin, FSpan);
}

void TiPlotAxis::SetScaleType(TiPlotScaleType Value) {
  if (Value == FScaleType) return;
  FScaleType = Value;
  if (Value == ipstLog10 && FMin <= 0) FMin = 1;
  DoChange();
}

void TiPlotAxis::SetCartesianStyle(TiPlotCartesianStyle Value) {
  if (Value == FCartesianStyle) return;
  FCartesianStyle = Value;
  DoChange();
}

void TiPlotAxis::SetMode(TiPlotAxisMode Value) {
  if (Value == FMode) return;
  FMode = Value;
  DoChange();
}

void TiPlotAxis::UpdateScaleRect(int LabelExtent, int ZeroExtent, double StackingEndsMargin) {
  const TRect r = GetDrawRect();
  const bool cartesian = FCartesianStyle != ipcsNone;
  const bool horz = GetHorizontal();
  if (cartesian)
    FQuadSide = horz ? iqsBottom : iqsRight;
  else if (horz)
    FQuadSide = GetReverseSide() ? iqsTop : iqsBottom;
  else
    FQuadSide = GetReverseSide() ? iqsRight : iqsLeft;

  FScaleRect = r;
  FFocusRect = r;
  if (horz) {
    int d = cartesian ? 0 : iRound(LabelExtent / 2.0) + iRound(ZeroExtent * StackingEndsMargin);
    if (GetStartStacked()) FScaleRect.Left = r.Left + d;
    if (GetStopStacked()) FScaleRect.Right = r.Right - d;
    FFocusRect = TRect(FScaleRect.Left - d, r.Top + 2, FScaleRect.Right + d, r.Bottom - 2);
    FActualStart = FReverseScale ? FScaleRect.Right : FScaleRect.Left;
    FActualStop = FReverseScale ? FScaleRect.Left : FScaleRect.Right;
  } else {
    int d = cartesian ? 0 : (LabelExtent + iRound(ZeroExtent * StackingEndsMargin)) / 2;
    if (GetStartStacked()) FScaleRect.Bottom = r.Bottom - d;
    if (GetStopStacked()) FScaleRect.Top = r.Top + d;
    FFocusRect = TRect(r.Left + 2, FScaleRect.Top - d, r.Right - 2, FScaleRect.Bottom + d);
    FActualStart = FReverseScale ? FScaleRect.Top : FScaleRect.Bottom;
    FActualStop = FReverseScale ? FScaleRect.Bottom : FScaleRect.Top;
  }
  FPixelsPerSpanUnit = (FActualStart - FActualStop) / FSpan;
  if (!(std::abs(FPixelsPerSpanUnit) <= kMaxValue)) FPixelsPerSpanUnit = 0;
}

int TiPlotAxis::GetScaleLength() const {
  return GetHorizontal() ? FScaleRect.Width() : FScaleRect.Height();
}

int TiPlotAxis::PositionToPixels(double Value) const {
  const int centre = (FActualStart + FActualStop) / 2;
  // A value that is no number has no place on the scale; keep it visible
  // where a degenerate scale puts everything.
  if (FActualStart == FActualStop || FSpan <= kMinSpan || std::isnan(Value)) return centre;
  if (FScaleType == ipstLinear)
    return ClampPixels(FActualStart - std::nearbyint((Value - FMin) * FPixelsPerSpanUnit));
  const double m = LogMin(), s = LogSpan();
  const double decades = std::log10(m + s) - std::log10(m);
  if (decades == 0) return 0;
  const double v = Value <= 0 ? 1 : Value;
  return ClampPixels(FActualStart - std::nearbyint((std::log10(v) - std::log10(m)) *
                                                   (FActualStart - FActualStop) / decades));
}

double TiPlotAxis::PixelsToPosition(int Value) const {
  double f;
  const TRect& r = FScaleRect;
  if (GetHorizontal()) {
    if (r.Width() == 0) return FMin;
    f = FReverseScale ? Fraction(r.Right - Value, r.Width()) : Fraction(Value - r.Left, r.Width());
  } else {
    if (r.Height() == 0) return FMin;
    f = FReverseScale ? Fraction(Value - r.Top, r.Height()) : Fraction(r.Bottom - Value, r.Height());
  }
  if (FScaleType == ipstLinear) return FMin + FSpan * f;
  const double m = LogMin();
  return std::pow(10.0, std::log10(m) + (std::log10(m + LogSpan()) - std::log10(m)) * f);
}

double TiPlotAxis::PositionToPercent(double Value) const {
  return FReverseScale ? (GetMax() - Value) / FSpan : (Value - FMin) / FSpan;
}

double TiPlotAxis::PercentToPosition(double Value) const {
  const double d = GetStopPercent() - GetStartPercent();
  if (d <= 0) return 0;
  if (FScaleType == ipstLinear)
    return FReverseScale ? GetMax() - Value * FSpan : (Value * 100 - GetStartPercent()) / d * FSpan + FMin;
  const double m = LogMin();
  const double g = std::log10(m + LogSpan()) - std::log10(m);
  return std::pow(10.0, std::log10(m) + (FReverseScale ? 1 - Value : Value) * g);
}

int TiPlotAxis::WidthToPixels(double Value) const {
  return std::abs(PositionToPixels(FMin + Value) - PositionToPixels(FMin));
}

bool TiPlotAxis::PointOnScale(double Value) const {
  const int p = PositionToPixels(Value);
  if (GetHorizontal()) return p >= FScaleRect.Left && p <= FScaleRect.Right;
  return p >= FScaleRect.Top && p <= FScaleRect.Bottom;
}

void TiPlotAxis::SetDesiredIncrement(double Value) {
  SetDoubleProperty(std::clamp(Value, 0.0, kMaxValue), FDesiredIncrement, &TiPlotObject::DoChange);
}

namespace {
bool SameFormat(const TiPlotAxisTextFormat& A, const TiPlotAxisTextFormat& B) {
  return A.Style == B.Style && A.DateTimeFormat == B.DateTimeFormat && A.Precision == B.Precision &&
         A.PrecisionStyle == B.PrecisionStyle;
}

// Cursor and legend texts sit on one line.
std::string OneLine(std::string S) {
  std::string r;
  for (std::size_t i = 0; i < S.size(); ++i) {
    if (S[i] == '\r') {
      r += ' ';
      if (i + 1 < S.size() && S[i + 1] == '\n') ++i;
    } else {
      r += S[i];
    }
  }
  return r;
}
}  // namespace

void TiPlotAxis::SetFormatProperty(const TiPlotAxisTextFormat& Value, TiPlotAxisTextFormat& Field) {
  if (SameFormat(Value, Field)) return;
  Field = Value;
  DoChange();
}

void TiPlotAxis::SetLabelsFormat(const TiPlotAxisTextFormat& Value) {
  SetFormatProperty(Value, FLabelsFormat);
}

void TiPlotAxis::SetCursorFormat(const TiPlotAxisTextFormat& Value) {
  SetFormatProperty(Value, FCursorFormat);
}

void TiPlotAxis::SetLegendFormat(const TiPlotAxisTextFormat& Value) {
  SetFormatProperty(Value, FLegendFormat);
}

std::string TiPlotAxis::GetLabelText(double Value) const {
  return iFormatAxisText(Value, FSpan, FScaleType, FLabelsFormat);
}

std::string TiPlotAxis::GetCursorText(double Value) const {
  return OneLine(
      iFormatAxisText(Value, FSpan, FScaleType, FCursorUseDefaultFormat ? FLabelsFormat : FCursorFormat));
}

std::string TiPlotAxis::GetCursorValueText(double Value) const {
  TiPlotAxisTextFormat f = FCursorUseDefaultFormat ? FLabelsFormat : FCursorFormat;
  f.Style = iptfValue;
  f.DateTimeFormat.clear();
  return OneLine(iFormatAxisText(Value, FSpan, FScaleType, f));
}

std::string TiPlotAxis::GetLegendText(double Value) const {
  return OneLine(
      iFormatAxisText(Value, FSpan, FScaleType, FLegendUseDefaultFormat ? FLabelsFormat : FLegendFormat));
}

void TiPlotAxis::TickListClear() {
  FTickList.clear();
  DoChange();
}

int TiPlotAxis::TickListAdd(double Position, const std::string& ALabel, TiPlotTickType Style) {
  if (FScaleType == ipstLog10 && Position <= 0)
    throw Exception("Log Scale Requires Position to be Greater Than Zero");
  TiPlotTickObject t;
  t.TickType = Style;
  t.Position = Position;
  t.Text = ALabel;
  FTickList.push_back(std::move(t));
  DoChange();
  return GetTickListCount() - 1;
}

void TiPlotAxis::BuildTicks(int LabelFootprint) {
  FMonthModeEnabled = false;
  FYearModeEnabled = false;
  if (!FTickListCustom) {
    TiPlotTickInput in;
    in.Min = FMin;
    in.Span = FSpan;
    in.ScaleType = FScaleType;
    in.ScaleLength = GetScaleLength();
    in.LabelFootprint = LabelFootprint;
    in.DesiredStart = FDesiredStart;
    in.DesiredIncrement = FDesiredIncrement;
    in.MinorCount = FMinorCount;
    in.LabelsVisible = FLabelsVisible;
    in.Style = FLabelsFormat.Style;
    TiPlotTickResult r = iBuildAxisTicks(
        in, [this](double v) { return PointOnScale(v); },
        [this](double v) { return iFormatAxisText(v, FSpan, FScaleType, FLabelsFormat); });
    // Date walks keep the scale inside the calendar, without events.
    if (r.Min != FMin || r.Span != FSpan) {
      FMin = r.Min;
      FSpan = r.Span;
      FPixelsPerSpanUnit = (FActualStart - FActualStop) / FSpan;
    }
    FTickList = std::move(r.Ticks);
    FMajorIncrement = r.MajorIncrement;
    FMinorIncrement = r.MinorIncrement;
    FMonthModeEnabled = r.MonthMode;
    FYearModeEnabled = r.YearMode;
  }
  for (TiPlotTickObject& t : FTickList) {
    t.Show = PointOnScale(t.Position);
    t.PositionPixels = t.Show ? PositionToPixels(t.Position) : 0;
  }
}
