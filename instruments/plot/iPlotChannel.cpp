#include "instruments/plot/iPlotChannel.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "instruments/base/iProperties.h"
#include "instruments/plot/iPlotAxis.h"
#include "instruments/plot/iPlotDataView.h"
#include "platform/sys/DateTime.h"
#include "platform/sys/SysUtils.h"

namespace {
const TiRegisterProperties<TiPlotChannel, TiPlotChannelCustom> kProperties(
    [](TiPropertyBuilder<TiPlotChannel>& b) {
      using C = TiPlotChannel;
      b.Add("FastDrawEnabled", &C::GetFastDrawEnabled, &C::SetFastDrawEnabled, 1);
      b.Add("AllowOutOfOrderXValues", &C::GetAllowOutOfOrderXValues, &C::SetAllowOutOfOrderXValues, 1);
      b.Add("DrawOutOfOrderXValues", &C::GetDrawOutOfOrderXValues, &C::SetDrawOutOfOrderXValues, 0);
      b.Add("ResetStartTimeOnFirstDataPoint", &C::GetResetStartTimeOnFirstDataPoint,
            &C::SetResetStartTimeOnFirstDataPoint, 0);
      b.Add("InterpolationStyle", &C::GetInterpolationStyle, &C::SetInterpolationStyle, ipistStraightLine,
            ipistDifferentialTerminated);
      b.Add("FillEnabled", &C::GetFillEnabled, &C::SetFillEnabled, 0);
      b.Add("FillReference", &C::GetFillReference, &C::SetFillReference);
      b.Add("FillStyle", &C::GetFillStyle, &C::SetFillStyle, bsSolid, bsDiagCross);
      b.Add("FillColor", &C::GetFillColor, &C::SetFillColor, 0x000000);
      b.Add("FillUseChannelColor", &C::GetFillUseChannelColor, &C::SetFillUseChannelColor, 1);
      b.Add("DigitalEnabled", &C::GetDigitalEnabled, &C::SetDigitalEnabled, 0);
      b.Add("DigitalReferenceStyle", &C::GetDigitalReferenceStyle, &C::SetDigitalReferenceStyle, ipdrScale,
            ipdrPercent);
      b.Add("DigitalReferenceLow", &C::GetDigitalReferenceLow, &C::SetDigitalReferenceLow);
      b.Add("DigitalReferenceHigh", &C::GetDigitalReferenceHigh, &C::SetDigitalReferenceHigh);
      b.Add("HighLowStyle", &C::GetHighLowStyle, &C::SetHighLowStyle, iphlsOpenClose, iphlsCandleStick);
      b.Add("HighLowEnabled", &C::GetHighLowEnabled, &C::SetHighLowEnabled, 0);
      // The declared defaults are the starting colours, so a reloaded channel
      // keeps a colour its user chose.
      b.Add("HighLowBarColor", &C::GetHighLowBarColor, &C::SetHighLowBarColor, 0xFFFF00);
      b.Add("HighLowBarWidth", &C::GetHighLowBarWidth, &C::SetHighLowBarWidth);
      b.Add("HighLowOpenShow", &C::GetHighLowOpenShow, &C::SetHighLowOpenShow, 1);
      b.Add("HighLowOpenColor", &C::GetHighLowOpenColor, &C::SetHighLowOpenColor, 0x00FF00);
      b.Add("HighLowOpenWidth", &C::GetHighLowOpenWidth, &C::SetHighLowOpenWidth);
      b.Add("HighLowOpenHeight", &C::GetHighLowOpenHeight, &C::SetHighLowOpenHeight);
      b.Add("HighLowCloseShow", &C::GetHighLowCloseShow, &C::SetHighLowCloseShow, 1);
      b.Add("HighLowCloseColor", &C::GetHighLowCloseColor, &C::SetHighLowCloseColor, 0x0000FF);
      b.Add("HighLowCloseWidth", &C::GetHighLowCloseWidth, &C::SetHighLowCloseWidth);
      b.Add("HighLowCloseHeight", &C::GetHighLowCloseHeight, &C::SetHighLowCloseHeight);
      b.Add("HighLowShadowColor", &C::GetHighLowShadowColor, &C::SetHighLowShadowColor, 0x808080);
      b.Add("HighLowBullishColor", &C::GetHighLowBullishColor, &C::SetHighLowBullishColor, 0xFFFFFF);
      b.Add("HighLowBearishColor", &C::GetHighLowBearishColor, &C::SetHighLowBearishColor, 0x808080);
      b.Add("BarEnabled", &C::GetBarEnabled, &C::SetBarEnabled, 0);
      b.Add("BarPenUseChannelColor", &C::GetBarPenUseChannelColor, &C::SetBarPenUseChannelColor, 1);
      b.Add("BarBrushUseChannelColor", &C::GetBarBrushUseChannelColor, &C::SetBarBrushUseChannelColor, 1);
      b.Add("BarReference", static_cast<double (C::*)() const>(&C::GetBarReference), &C::SetBarReference);
      b.Add("BarWidth", static_cast<double (C::*)() const>(&C::GetBarWidth), &C::SetBarWidth);
      b.Add("BarPenColor", static_cast<TColor (C::*)() const>(&C::GetBarPenColor), &C::SetBarPenColor,
            0x0000FF);
      b.Add("BarPenWidth", static_cast<int (C::*)() const>(&C::GetBarPenWidth), &C::SetBarPenWidth, 0);
      b.Add("BarPenStyle", static_cast<TPenStyle (C::*)() const>(&C::GetBarPenStyle), &C::SetBarPenStyle,
            psSolid, psInsideFrame);
      b.Add("BarBrushColor", static_cast<TColor (C::*)() const>(&C::GetBarBrushColor), &C::SetBarBrushColor,
            0x0000FF);
      b.Add("BarBrushStyle", static_cast<TBrushStyle (C::*)() const>(&C::GetBarBrushStyle),
            &C::SetBarBrushStyle, bsSolid, bsDiagCross);
      b.Add("OPCGroupName", &C::GetOPCGroupName, &C::SetOPCGroupName);
      iRegisterPlotChannelOPCProperties(b);
      b.Add("OPCXValueSource", &C::GetOPCXValueSource, &C::SetOPCXValueSource, iopcxvsOPCServerTimeStamp,
            iopcxvsOPCItem);
    });

// The data-cursor styles, by their place in the cursor's list.
enum TCursorStyle { csValueXY, csValueX, csValueY, csDeltaX, csDeltaY, csInverseDeltaX };

constexpr double kSecondsPerDay = 60.0 * 60.0 * 24.0;
}  // namespace

TiPlotChannel::TiPlotChannel(TWinControl* AOwner, TNotifyEvent AOnChange, TNotifyEvent AOnInsert,
                             TNotifyEvent AOnRemove, TNotifyEvent AOnRename)
    : TiPlotChannelCustom(AOwner, std::move(AOnChange), std::move(AOnInsert), std::move(AOnRemove),
                          std::move(AOnRename)),
      TiPlotChannelOPC(this),
      FElapsedStartTime(Now()) {
  OnOPCNewData = [this](TiOPCItem* Item) { OPCNewData(Item); };
  TiPlotDataCustomList* store = GetDataList();
  store->SetStoredBarWidth(5.0);
  store->SetStoredBarPenColor(0x0000FF);
  store->SetStoredBarBrushColor(0x0000FF);
}

// Out of line: the class's table above is linked with it.
TiPlotChannel::~TiPlotChannel() = default;

// ---------------------------------------------------------------- OPC

void TiPlotChannel::DoInsert() {
  TiPlotChannelCustom::DoInsert();
  if (GetOPCAutoConnect()) OPCActivate();
}

// With X from an item, both items share one group of the channel's (when
// item 0 names a server); otherwise item 0 alone feeds Y.
void TiPlotChannel::OPCActivate() {
  if (FOPCXValueSource == iopcxvsOPCItem)
    OPCActivateGroup(true);
  else
    OPCActivateItem0();
}

void TiPlotChannel::OPCActivateSuspend() {
  OPCItem(0)->ActivateSuspend();
}

void TiPlotChannel::OPCUpdateSuspend() {
  OPCItem(0)->UpdateSuspend();
}

void TiPlotChannel::OPCUpdateResume() {
  OPCItem(0)->UpdateResume();
}

void TiPlotChannel::OPCNewData(TiOPCItem* Item) {
  switch (FOPCXValueSource) {
    case iopcxvsOPCServerTimeStamp:
      AddPoint(Item->GetTimeStamp(), Item->GetData().AsDouble(), false, false);
      break;
    case iopcxvsSystemTimeStamp:
      AddPoint(Now(), Item->GetData().AsDouble(), false, false);
      break;
    case iopcxvsElapsedTime:
      AddYElapsedTime(Item->GetData().AsDouble());
      break;
    case iopcxvsElapsedSeconds:
      AddYElapsedSeconds(Item->GetData().AsDouble());
      break;
    case iopcxvsOPCItem:
      // The group update takes both values together.
      break;
  }
}

// ---------------------------------------------------------------- adds

void TiPlotChannel::ResetElapsedStartTime() {
  FElapsedStartTime = Now();
}

void TiPlotChannel::ResetStartTimeIfFirst() {
  if (FResetStartTimeOnFirstDataPoint && GetCount() == 0) ResetElapsedStartTime();
}

// A series falls once its second point lies left of its first.
void TiPlotChannel::UpdateXIncreasing() {
  FXIncreasing = GetCount() < 2 || GetX(1) >= GetX(0);
}

void TiPlotChannel::CheckXOrder(double X) {
  if (FAllowOutOfOrderXValues || GetCount() < 2) return;
  const double last = GetX(GetCount() - 1);
  if (GetX(1) >= GetX(0)) {
    if (last > X) throw Exception("New Data-Point X-Value is out of order");
  } else if (last < X) {
    throw Exception("New Data-Point X-Value is out of order.");
  }
}

int TiPlotChannel::AddXY(double X, double Y) {
  ResetStartTimeIfFirst();
  CheckXOrder(X);
  return AddPoint(X, Y, false, false);
}

int TiPlotChannel::AddXNull(double X) {
  ResetStartTimeIfFirst();
  CheckXOrder(X);
  return AddPoint(X, 0, true, false);
}

int TiPlotChannel::AddXEmpty(double X) {
  ResetStartTimeIfFirst();
  CheckXOrder(X);
  return AddPoint(X, 0, false, true);
}

int TiPlotChannel::AddHighLow(double X, double High, double Low, double Open, double Close) {
  ResetStartTimeIfFirst();
  CheckXOrder(X);
  TiPlotDataCustomList* store = GetDataList();
  const int index = store->Add(X, 0, false, false);
  store->SetHigh(index, High);
  store->SetLow(index, Low);
  store->SetOpen(index, Open);
  store->SetClose(index, Close);
  if (IiPlotDataHost* host = DataHost()) {
    if (GetXAxisTrackingEnabled() && GetXAxis()) host->NewTrackingData(GetXAxis(), X);
    if (GetYAxisTrackingEnabled() && GetYAxis())
      for (double v : {High, Low, Open, Close}) host->NewTrackingData(GetYAxis(), v);
  }
  DoChange();
  return index;
}

int TiPlotChannel::AddYNow(double Y) {
  ResetStartTimeIfFirst();
  return AddPoint(Now(), Y, false, false);
}

int TiPlotChannel::AddYElapsedTime(double Y) {
  ResetStartTimeIfFirst();
  return AddPoint(Now() - FElapsedStartTime, Y, false, false);
}

int TiPlotChannel::AddYElapsedSeconds(double Y) {
  ResetStartTimeIfFirst();
  return AddPoint((Now() - FElapsedStartTime) * kSecondsPerDay, Y, false, false);
}

void TiPlotChannel::AddYArray(double XInterval, const TiPlotVariantArray& YData) {
  if (YData.Dimensions() != 1) throw Exception("Y-Data array must be 1 dimensional");
  ResetStartTimeIfFirst();
  const double x0 = GetCount() > 0 ? GetX(GetCount() - 1) : 0;
  const int n = YData.Bounds[0].second - YData.Bounds[0].first + 1;
  for (int k = 0; k < n; ++k)
    AddPoint(x0 + k * XInterval, YData.Values.at(static_cast<std::size_t>(k)), false, false);
}

// ---------------------------------------------------------------- searches

int TiPlotChannel::FindIndex(double Value, bool Ascending) {
  int lo = 0, hi = GetCount() - 1, result = -1;
  while (hi >= lo) {
    const int mid = (lo + hi) / 2;
    result = mid;
    const double x = GetX(mid);
    if (x == Value) break;
    if ((Value < x) == Ascending)
      hi = mid - 1;
    else
      lo = mid + 1;
  }
  return result;
}

void TiPlotChannel::CalcStartIndex() {
  FStartIndex = -1;
  TiPlotXAxis* xa = GetXAxis();
  if (!xa || GetCount() == 0) return;
  UpdateXIncreasing();
  const int last = GetCount() - 1;
  int i;
  if (FDrawOutOfOrderXValues) {
    i = last;
    for (int k = 0; k < last; ++k)
      if (xa->PointOnScale(GetX(k))) {
        i = k;
        break;
      }
    --i;
  } else if (FXIncreasing) {
    i = FindIndexAscending(xa->GetMin());
    if (GetX(i) > xa->GetMin()) --i;
  } else {
    i = FindIndexDescending(xa->GetMax());
    if (GetX(i) < xa->GetMax()) --i;
  }
  FStartIndex = std::clamp(i, 0, last);
}

void TiPlotChannel::CalcStopIndex() {
  FStopIndex = -1;
  TiPlotXAxis* xa = GetXAxis();
  if (!xa || GetCount() == 0) return;
  UpdateXIncreasing();
  const int last = GetCount() - 1;
  int i;
  if (FDrawOutOfOrderXValues) {
    i = -1;
    for (int k = last; k >= 0; --k)
      if (xa->PointOnScale(GetX(k))) {
        i = k + 1;
        break;
      }
    // No point on the scale: nothing to draw.
    if (i == -1) return;
  } else if (FXIncreasing) {
    i = FindIndexAscending(xa->GetMax());
    if (GetX(i) < xa->GetMax()) ++i;
  } else {
    i = FindIndexDescending(xa->GetMin());
    if (GetX(i) > xa->GetMin()) ++i;
  }
  FStopIndex = std::clamp(i, 0, last);
}

void TiPlotChannel::UpdateCanDraw() {
  SetCanDraw(false);
  TiPlotXAxis* xa = GetXAxis();
  TiPlotYAxis* ya = GetYAxis();
  if (!xa || !ya || !GetVisible() || GetCount() == 0) return;
  UpdateXIncreasing();
  if (!FDrawOutOfOrderXValues) {
    const double first = GetXFirst(), last = GetXLast();
    if (FXIncreasing ? (last < xa->GetMin() || first > xa->GetMax())
                     : (first < xa->GetMin() || last > xa->GetMax()))
      return;
  }
  CalcStartIndex();
  CalcStopIndex();
  const bool differential =
      FInterpolationStyle == ipistDifferential || FInterpolationStyle == ipistDifferentialTerminated;
  if (!differential && (FStartIndex == -1 || FStopIndex == -1)) return;
  FPixelsHigh = ya->PositionToPixels(DigitalLevelScaleValue(true));
  FPixelsLow = ya->PositionToPixels(DigitalLevelScaleValue(false));
  FPixelListStart = std::min(xa->GetMinPixels(), xa->GetMaxPixels());
  FPixelListStop = std::max(xa->GetMinPixels(), xa->GetMaxPixels());
  const std::size_t need = static_cast<std::size_t>(FPixelListStop - FPixelListStart) + 1;
  if (FPixelList.size() < need) FPixelList.resize(need);
  for (TiPlotPixelPoint& p : FPixelList) p.Null = true;
  SetCanDraw(true);
}

double TiPlotChannel::DigitalLevelValue(bool High) {
  return High ? FDigitalReferenceHigh : FDigitalReferenceLow;
}

// A percent level is a share of the Y axis' span above its minimum.
double TiPlotChannel::DigitalLevelScaleValue(bool High) {
  const double level = DigitalLevelValue(High);
  if (FDigitalReferenceStyle != ipdrPercent) return level;
  TiPlotYAxis* ya = GetYAxis();
  return ya ? ya->GetMin() + ya->GetSpan() * level / 100 : level;
}

int TiPlotChannel::CalcIndex(double TargetValue) {
  if (!GetXAxis() || GetCount() == 0) return -1;
  UpdateXIncreasing();
  const int last = GetCount() - 1;
  int i;
  if (FXIncreasing) {
    if (TargetValue < GetX(0) || TargetValue > GetX(last)) return -1;
    i = FindIndexAscending(TargetValue);
    if (GetX(i) < TargetValue) ++i;
  } else {
    if (TargetValue > GetX(0) || TargetValue < GetX(last)) return -1;
    i = FindIndexDescending(TargetValue);
    if (GetX(i) < TargetValue) --i;
  }
  return std::clamp(i, 0, last);
}

bool TiPlotChannel::GetYInterpolated(double XValue, double& YValue) {
  YValue = 0;
  const int n = GetCount();
  if (n == 0) return false;
  for (int end : {0, n - 1})
    if (IsValidPoint(end) && GetX(end) == XValue) {
      YValue = GetY(end);
      return true;
    }
  int i = CalcIndex(XValue);
  if (i < 0) return false;
  // From the earlier point j to the later point i, in index order. Empty
  // points are stepped over as the drawn trace steps over them.
  const int away = FXIncreasing ? 1 : -1;
  auto inside = [n](int k) { return k >= 0 && k < n; };
  while (inside(i) && GetEmpty(i)) i += away;
  int j = i - away;
  while (inside(j) && GetEmpty(j)) j -= away;
  if (!inside(i) || !inside(j)) return false;
  if (FDigitalEnabled) {
    if (GetNull(j)) return false;
    YValue = GetY(j);
    return true;
  }
  if (XValue == GetX(i)) {
    if (GetNull(i)) return false;
    YValue = GetY(i);
    return true;
  }
  if (GetNull(i) || GetNull(j)) return false;
  TiPlotXAxis* xa = GetXAxis();
  const double pj = xa->PositionToPixels(GetX(j)), pi = xa->PositionToPixels(GetX(i));
  const double px = xa->PositionToPixels(XValue);
  if (pj != pi && px != pi) {
    YValue = GetY(i) + (px - pi) * (GetY(j) - GetY(i)) / (pj - pi);
    return true;
  }
  YValue = GetY(i);
  return true;
}

// ---------------------------------------------------------------- cursor

TiPlotDataPointStatus TiPlotChannel::GetCursorValue(double T, double& Y) {
  Y = 0;
  const int n = GetCount();
  if (n == 0) return ipdpsEmpty;
  if (T == GetXFirst() && IsValidPoint(0)) {
    Y = GetY(0);
    return ipdpsValid;
  }
  if (T == GetXLast() && IsValidPoint(n - 1)) {
    Y = GetY(n - 1);
    return ipdpsValid;
  }
  const TiPlotInterpolationStyle style = FDigitalEnabled ? ipistStraightLine : FInterpolationStyle;
  switch (style) {
    case ipistStraightLine:
      return GetYInterpolated(T, Y) ? ipdpsValid : ipdpsEmpty;
    case ipistCubicSpline:
    case ipistPolynomial:
    case ipistRational: {
      TiPlotXAxis* xa = GetXAxis();
      if (!xa) return ipdpsEmpty;
      const int c = xa->PositionToPixels(T);
      // The series' X range, whichever way it runs.
      const double lo = std::min(GetXFirst(), GetXLast()), hi = std::max(GetXFirst(), GetXLast());
      if (c < FPixelListStart || c > FPixelListStop || (FPixelListStart == 0 && FPixelListStop == 0) ||
          T < lo || T > hi)
        return ipdpsEmpty;
      const std::size_t k = static_cast<std::size_t>(c - FPixelListStart);
      if (k >= FPixelList.size()) return ipdpsEmpty;
      Y = FPixelList[k].YValue;
      return FPixelList[k].Null ? ipdpsNull : ipdpsValid;
    }
    case ipistDifferential:
    case ipistDifferentialTerminated: {
      // The level that holds at T is the one of the point before it.
      const int i = CalcIndex(T);
      const int k = i < 0 ? -1 : FXIncreasing ? i - 1 : i;
      if (k >= 0 && k < n) {
        Y = GetY(k);
        return ipdpsValid;
      }
      if (style == ipistDifferential && IsValidPoint(n - 1) && T > GetXLast()) {
        Y = GetYLast();
        return ipdpsValid;
      }
      return ipdpsEmpty;
    }
  }
  return ipdpsEmpty;
}

void TiPlotChannel::UpdateDataCursor(TiPlotDataCursorReadout& Readout) {
  Readout.XValue = Readout.YValue = 0;
  Readout.Status = ipdpsValid;
  TiPlotXAxis* xa = GetXAxis();
  TiPlotYAxis* ya = GetYAxis();
  TiPlotDataView* view = Readout.DataView;
  if (!xa || !ya || !view) {
    // Nothing to measure; the text says why.
    Readout.Status = ipdpsEmpty;
    FormatDataCursorText(Readout.Style, Readout.Status, Readout.DisplayText, 0, 0);
    return;
  }
  const bool reversed = GetXYAxesReversed();
  auto xAt = [&](double Percent) {
    return xa->PixelsToPosition(reversed ? view->PositionPercentToPixelsY(Percent)
                                         : view->PositionPercentToPixelsX(Percent));
  };
  auto yAt = [&](double Percent) {
    return ya->PixelsToPosition(reversed ? view->PositionPercentToPixelsX(Percent)
                                         : view->PositionPercentToPixelsY(Percent));
  };
  const double p1 = Readout.Pointer1Position, p2 = Readout.Pointer2Position;
  const double s = xa->GetCursorScaler();
  switch (Readout.Style) {
    case csValueXY:
    case csValueX:
    case csValueY:
      Readout.XValue = xAt(p1);
      Readout.Status = GetCursorValue(Readout.XValue, Readout.YValue);
      break;
    case csDeltaX:
      Readout.XValue = s * std::abs(xAt(p1) - xAt(p2));
      break;
    case csDeltaY:
      // The plain Y difference, as the XY channel shows it: the X axis'
      // scaler is for X readouts.
      Readout.YValue = std::abs(yAt(p1) - yAt(p2));
      break;
    case csInverseDeltaX: {
      const double d = std::abs(xAt(p1) - xAt(p2));
      Readout.XValue = d != 0 && s != 0 ? 1 / (d * s) : std::numeric_limits<double>::infinity();
      break;
    }
    default:
      Readout.Status = ipdpsEmpty;
      break;
  }
  FormatDataCursorText(Readout.Style, Readout.Status, Readout.DisplayText, Readout.YValue, Readout.XValue);
}

void TiPlotChannel::FormatDataCursorText(int Style, TiPlotDataPointStatus Status, std::string& Text, double Y,
                                         double X) {
  TiPlotDataCursorReadout r;
  r.XValue = X;
  r.YValue = Y;
  r.Status = Status;
  TiPlotXAxis* xa = GetXAxis();
  if (!xa) {
    Text = TranslateText("No X-Axis");
    SetDataCursorResult(r, Text, "");
    return;
  }
  std::string yText;
  if (!GetYAxis()) {
    yText = "No Y-Axis";
  } else if (Status == ipdpsNull) {
    yText = TranslateText("Null");
  } else if (Status == ipdpsEmpty) {
    yText = TranslateText("Empty");
  } else if (FDigitalEnabled) {
    yText = TranslateText(Y != 0 ? "High" : "Low");
  } else {
    yText = GetYValueText(Y);
  }
  std::string xText;
  switch (Style) {
    case csValueXY:
      xText = GetXValueText(X);
      Text = xText + ", " + yText;
      break;
    case csValueX:
    case csDeltaX:
      xText = GetXValueText(X);
      Text = xText;
      break;
    case csValueY:
      Text = yText;
      break;
    case csDeltaY:
      yText = GetYAxis() ? GetYValueText(Y) : "No Y-Axis";
      Text = yText;
      break;
    case csInverseDeltaX:
      xText = X >= 1e301 ? TranslateText("Infinite") : xa->GetCursorValueText(X);
      Text = xText;
      break;
    default:
      Text.clear();
      break;
  }
  SetDataCursorResult(r, xText, yText);
}

void TiPlotChannel::SetPixelValue(int XPixel, double Y) {
  const int k = XPixel - FPixelListStart;
  if (k < 0 || XPixel > FPixelListStop || k >= static_cast<int>(FPixelList.size()))
    throw Exception("Pixel List XPixel out of Range");
  FPixelList[static_cast<std::size_t>(k)].Null = false;
  FPixelList[static_cast<std::size_t>(k)].YValue = Y;
}

TRect TiPlotChannel::GetBarRect(int Index) {
  const double x = GetX(Index), half = GetBarWidth(Index) / 2;
  return DataRectToPixels(x - half, GetBarReference(Index), x + half, GetY(Index));
}

// ---------------------------------------------------------------- fits

double TiPlotChannel::GetXMaxFit() {
  if (!HasAxes() || !GetVisible() || GetCount() == 0) return -kNoValue;
  UpdateXIncreasing();
  const int n = GetCount();
  // The rightmost valid point: the last of rising data, the first of falling.
  for (int k = 0; k < n; ++k) {
    const int i = FXIncreasing ? n - 1 - k : k;
    if (IsValidPoint(i)) return GetXMaxExtent(i);
  }
  return -kNoValue;
}

double TiPlotChannel::GetXMinFit() {
  if (!HasAxes() || !GetVisible() || GetCount() == 0) return kNoValue;
  UpdateXIncreasing();
  const int n = GetCount();
  for (int k = 0; k < n; ++k) {
    const int i = FXIncreasing ? k : n - 1 - k;
    if (IsValidPoint(i)) return GetXMinExtent(i);
  }
  return kNoValue;
}

double TiPlotChannel::GetYMaxFit() {
  CalcStartIndex();
  CalcStopIndex();
  if (!HasAxes() || !GetVisible() || FStartIndex == -1 || FStopIndex == -1) return -kNoValue;
  double best = -kNoValue;
  for (int i = FStartIndex; i <= FStopIndex; ++i)
    if (IsValidPoint(i)) best = std::max(best, GetYMaxExtent(i));
  return best;
}

double TiPlotChannel::GetYMinFit() {
  CalcStartIndex();
  CalcStopIndex();
  if (!HasAxes() || !GetVisible() || FStartIndex == -1 || FStopIndex == -1) return kNoValue;
  double best = kNoValue;
  for (int i = FStartIndex; i <= FStopIndex; ++i)
    if (IsValidPoint(i)) best = std::min(best, GetYMinExtent(i));
  return best;
}

// ---------------------------------------------------------------- mouse

bool TiPlotChannel::iMouseHitTest(const TiPlotMouseData& MouseData) {
  if (TiPlotChannelCustom::iMouseHitTest(MouseData)) return true;
  if (!HasAxes() || MouseData.Button != mbRight) return false;
  double y = 0;
  if (!GetYInterpolated(GetXAxis()->PixelsToPosition(MouseData.XAxisPixels), y)) return false;
  // Within 10 pixels of the trace, half-open like a point in a rectangle.
  const int yp = GetYAxis()->PositionToPixels(y);
  return yp >= MouseData.YAxisPixels - 10 && yp < MouseData.YAxisPixels + 10;
}
