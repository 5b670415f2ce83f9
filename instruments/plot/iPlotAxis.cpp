#include "instruments/plot/iPlotAxis.h"

#include <algorithm>
#include <cmath>
#include <exception>

#include "instruments/base/iDrawing.h"
#include "instruments/base/iProperties.h"
#include "instruments/plot/iPlot.h"
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
  b.Add("MajorLength", &TiPlotAxis::GetMajorLength, &TiPlotAxis::SetMajorLength, 7);
  b.Add("MinorLength", &TiPlotAxis::GetMinorLength, &TiPlotAxis::SetMinorLength, 3);
  b.Add("InnerMargin", &TiPlotAxis::GetInnerMargin, &TiPlotAxis::SetInnerMargin, 5);
  b.Add("OuterMargin", &TiPlotAxis::GetOuterMargin, &TiPlotAxis::SetOuterMargin, 5);
  b.Add("LabelsMargin", &TiPlotAxis::GetLabelsMargin, &TiPlotAxis::SetLabelsMargin);
  b.Add("LabelsFont", &TiPlotAxis::GetLabelsFont, &TiPlotAxis::SetLabelsFont);
  b.Add("TitleShow", &TiPlotAxis::GetTitleShow, &TiPlotAxis::SetTitleShow, 0);
  b.Add("TitleRotated", &TiPlotAxis::GetTitleRotated, &TiPlotAxis::SetTitleRotated, 0);
  b.Add("TitleMargin", &TiPlotAxis::GetTitleMargin, &TiPlotAxis::SetTitleMargin);
  b.Add("TitleFont", &TiPlotAxis::GetTitleFont, &TiPlotAxis::SetTitleFont);
  b.Add("ScaleLineShow", &TiPlotAxis::GetScaleLineShow, &TiPlotAxis::SetScaleLineShow, 1);
  b.Add("ScaleLinesShow", &TiPlotAxis::GetScaleLinesShow, &TiPlotAxis::SetScaleLinesShow, 1);
  b.Add("ScaleLinesColor", &TiPlotAxis::GetScaleLinesColor, &TiPlotAxis::SetScaleLinesColor, 0xFFFFFF);
  b.Add("GridLinesVisible", &TiPlotAxis::GetGridLinesVisible, &TiPlotAxis::SetGridLinesVisible, 1);
  b.Add("StackingEndsMargin", &TiPlotAxis::GetStackingEndsMargin, &TiPlotAxis::SetStackingEndsMargin);
  b.Add("ForceStacking", &TiPlotAxis::GetForceStacking, &TiPlotAxis::SetForceStacking, 0);
  b.Add("TrackingEnabled", &TiPlotAxis::GetTrackingEnabled, &TiPlotAxis::SetTrackingEnabled, 1);
  b.Add("TrackingStyle", &TiPlotAxis::GetTrackingStyle, &TiPlotAxis::SetTrackingStyle, iptsScaleMinMax,
        iptsExpandMinMax);
  b.Add("TrackingIncrementStyle", &TiPlotAxis::GetTrackingIncrementStyle,
        &TiPlotAxis::SetTrackingIncrementStyle, iptisMinimum, iptisMinor);
  b.Add("TrackingAlignFirstStyle", &TiPlotAxis::GetTrackingAlignFirstStyle,
        &TiPlotAxis::SetTrackingAlignFirstStyle, std::nullopt, ipafsNone);
  b.Add("TrackingScrollCompressMax", &TiPlotAxis::GetTrackingScrollCompressMax,
        &TiPlotAxis::SetTrackingScrollCompressMax);
  b.Add("TrackingSpanMinimum", &TiPlotAxis::GetTrackingSpanMinimum, &TiPlotAxis::SetTrackingSpanMinimum);
  b.Add("TrackingMaxMargin", &TiPlotAxis::GetTrackingMaxMargin, &TiPlotAxis::SetTrackingMaxMargin);
  b.Add("TrackingMinMargin", &TiPlotAxis::GetTrackingMinMargin, &TiPlotAxis::SetTrackingMinMargin);
  b.Add("RestoreValuesOnResume", &TiPlotAxis::GetRestoreValuesOnResume, &TiPlotAxis::SetRestoreValuesOnResume,
        1);
  b.Add("ScrollMinMaxEnabled", &TiPlotAxis::GetScrollMinMaxEnabled, &TiPlotAxis::SetScrollMinMaxEnabled, 0);
  b.Add("ScrollMin", &TiPlotAxis::GetScrollMin, &TiPlotAxis::SetScrollMin);
  b.Add("ScrollMax", &TiPlotAxis::GetScrollMax, &TiPlotAxis::SetScrollMax);
  b.Add("MasterUIInput", &TiPlotAxis::GetMasterUIInput, &TiPlotAxis::SetMasterUIInput, 0);
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

TiPlotAxis::TiPlotAxis(TWinControl* AOwner, TNotifyEvent AOnChange, TNotifyEvent AOnInsert,
                       TNotifyEvent AOnRemove, TNotifyEvent AOnRename)
    : TiPlotLayoutObject(AOwner, std::move(AOnChange), std::move(AOnInsert), std::move(AOnRemove),
                         std::move(AOnRename)),
      FLabelsFont(std::make_unique<TFont>()),
      FTitleFont(std::make_unique<TFont>()) {
  FLabelsFont->SetColor(clWhite);
  FTitleFont->SetName("Arial");
  FTitleFont->SetSize(10);
  FTitleFont->SetStyle(TFontStyles() << fsBold);
  FTitleFont->SetColor(clWhite);
  FLabelsFont->OnChange = [this](TGraphicsObject*) { DoChange(); };
  FTitleFont->OnChange = [this](TGraphicsObject*) { DoChange(); };
}

// Out of line: the class's table above is linked with it.
TiPlotAxis::~TiPlotAxis() = default;
TiPlotXAxis::TiPlotXAxis(TWinControl* AOwner, TNotifyEvent AOnChange, TNotifyEvent AOnInsert,
                         TNotifyEvent AOnRemove, TNotifyEvent AOnRename)
    : TiPlotAxis(AOwner, std::move(AOnChange), std::move(AOnInsert), std::move(AOnRemove),
                 std::move(AOnRename)) {
  // The first value moves an X scale only when it lies outside it.
  SetTrackingAlignFirstStyle(ipafsAuto);
  // A strip chart's time runs on: its X axes scroll with the newest data.
  if (dynamic_cast<TiPlot*>(AOwner)) SetTrackingStyle(iptsScrollSmooth);
}
TiPlotXAxis::~TiPlotXAxis() = default;
TiPlotYAxis::~TiPlotYAxis() = default;

void TiPlotAxis::SetMin(double Value) {
  Value = std::clamp(Value, -kMaxValue, kMaxValue);
  if (Value == FMin || std::isnan(Value)) return;
  double old = FMin;
  FMin = Value;
  if (!FBlockMinSpanEvents) DoChange();
  if (FBlockMinSpanEvents) return;
  DoMinChangeEvent(old, FMin);
  DoMinSpanChangeEvent(old, FSpan, FMin, FSpan);
}

void TiPlotAxis::SetSpan(double Value) {
  Value = std::clamp(Value, kMinSpan, kMaxValue);
  if (Value == FSpan || std::isnan(Value)) return;
  double old = FSpan;
  FSpan = Value;
  if (!FBlockMinSpanEvents) DoChange();
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
  // One change notice for both.
  if (FMin != oldMin || FSpan != oldSpan) DoChange();
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

void TiPlotAxis::UpdateScaleRect(TCanvas* Canvas) {
  Canvas->Font->Assign(FLabelsFont.get());
  const bool horz = GetHorizontal();
  int along = 0;
  if (!horz || FLabelsVisible) along = LabelsAlong(Canvas);
  const int zero = horz ? Canvas->TextWidth("0") : Canvas->TextHeight("0");
  UpdateScaleRect(along, zero, FStackingEndsMargin);
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

IiPlotAxisHost* TiPlotAxis::AxisHost() const {
  return dynamic_cast<IiPlotAxisHost*>(GetOwner());
}

namespace {
// Length in characters of UTF-8 text.
double CharacterCount(const std::string& S) {
  double n = 0;
  for (unsigned char c : S)
    if ((c & 0xC0) != 0x80) ++n;
  return n;
}
}  // namespace

std::string TiPlotAxis::FormatText(double Value, const TiPlotAxisTextFormat& Format, double& MinLength,
                                   bool AutoAdjust) {
  // A log scale has no place for values at or below zero.
  if (Format.Style == iptfValue && FScaleType == ipstLog10 && !(Value > 0)) return "Unknown";
  std::string text = iFormatAxisText(Value, FSpan, FScaleType, Format);
  FCustomizeLabelEventModified = false;
  FCustomizeLabelEventText = text;
  if (IiPlotAxisHost* host = AxisHost()) {
    try {
      host->DoAxisCustomizeLabel(this, text, Value);
    } catch (const std::exception&) {
      return "Error";
    }
  }
  if (FCustomizeLabelEventModified) text = FCustomizeLabelEventText;
  if (AutoAdjust && FAllowLabelMinAdjust && CharacterCount(text) > MinLength)
    MinLength = CharacterCount(text);
  return text;
}

std::string TiPlotAxis::GetLabelText(double Value) {
  return FormatText(Value, FLabelsFormat, FLabelsMinLength, FLabelsMinLengthAutoAdjust);
}

std::string TiPlotAxis::GetCursorText(double Value) {
  if (FCursorUseDefaultFormat) return OneLine(GetLabelText(Value));
  return OneLine(FormatText(Value, FCursorFormat, FCursorMinLength, FCursorMinLengthAutoAdjust));
}

std::string TiPlotAxis::GetCursorValueText(double Value) {
  TiPlotAxisTextFormat f = FCursorUseDefaultFormat ? FLabelsFormat : FCursorFormat;
  f.Style = iptfValue;
  f.DateTimeFormat.clear();
  if (FCursorUseDefaultFormat)
    return OneLine(FormatText(Value, f, FLabelsMinLength, FLabelsMinLengthAutoAdjust));
  return OneLine(FormatText(Value, f, FCursorMinLength, FCursorMinLengthAutoAdjust));
}

std::string TiPlotAxis::GetLegendText(double Value) {
  if (FLegendUseDefaultFormat) return OneLine(GetLabelText(Value));
  return OneLine(FormatText(Value, FLegendFormat, FLegendMinLength, FLegendMinLengthAutoAdjust));
}

int TiPlotAxis::GetWidestLabel(TCanvas* Canvas) {
  Canvas->Font->Assign(FLabelsFont.get());
  int result = iRound(Canvas->TextWidth("0") * FLabelsMinLength);
  // A value with as many digits as the scale's widest: a whole span beyond
  // the multiple of the span nearest Min.
  double probe = FSpan + std::trunc(FMin / FSpan) * FSpan;
  if (!std::isfinite(probe)) probe = FMin;
  FAllowLabelMinAdjust = true;
  std::string text;
  try {
    text = GetLabelText(probe);
  } catch (...) {
    FAllowLabelMinAdjust = false;
    throw;
  }
  FAllowLabelMinAdjust = false;
  result = std::max(result, MultiLineTextWidth(Canvas, text));
  for (const TiPlotTickObject& t : FTickList) result = std::max(result, MultiLineTextWidth(Canvas, t.Text));
  return result;
}

int TiPlotAxis::TextWidthForLength(TCanvas* Canvas, const TFont* Font, double MinLength) const {
  Canvas->Font->Assign(Font);
  return iRound(Canvas->TextWidth("0") * MinLength);
}

int TiPlotAxis::GetLegendTextWidth(TCanvas* Canvas, const TFont* Font) {
  return TextWidthForLength(Canvas, Font, FLegendUseDefaultFormat ? FLabelsMinLength : FLegendMinLength);
}

int TiPlotAxis::GetCursorTextWidth(TCanvas* Canvas, const TFont* Font) {
  return TextWidthForLength(Canvas, Font, FCursorUseDefaultFormat ? FLabelsMinLength : FCursorMinLength);
}

int TiPlotAxis::LabelsAlong(TCanvas* Canvas) {
  const bool turned = FLabelsRotation == ira090 || FLabelsRotation == ira270;
  if (turned == GetHorizontal()) return MultiLineTextHeight(Canvas, GetLabelText(FMin));
  return GetWidestLabel(Canvas);
}

int TiPlotAxis::LabelsAcross(TCanvas* Canvas) {
  const bool turned = FLabelsRotation == ira090 || FLabelsRotation == ira270;
  if (turned == GetHorizontal()) return GetWidestLabel(Canvas);
  return MultiLineTextHeight(Canvas, GetLabelText(FMin));
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
        in, [this](double v) { return PointOnScale(v); }, [this](double v) { return GetLabelText(v); });
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

void TiPlotAxis::CalcTicks(TCanvas* Canvas) {
  FMonthModeEnabled = false;
  FYearModeEnabled = false;
  UpdateScaleRect(Canvas);
  int footprint = 1;
  if (!FTickListCustom) {
    FTickList.clear();
    Canvas->Font->Assign(FLabelsFont.get());
    const bool turned = FLabelsRotation == ira090 || FLabelsRotation == ira270;
    if (turned != GetHorizontal())
      footprint = iRound(MultiLineTextWidth(Canvas, "0") * (FLabelSeparation + 1) + GetWidestLabel(Canvas));
    else
      footprint = iRound(MultiLineTextHeight(Canvas, "0") * (FLabelSeparation + 1));
    footprint = std::max(footprint, 1);
  }
  BuildTicks(footprint);
}
