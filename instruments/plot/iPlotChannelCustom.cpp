#include "instruments/plot/iPlotChannelCustom.h"

#include <cmath>

#include "instruments/base/iProperties.h"
#include "instruments/plot/iPlotAxis.h"
#include "instruments/plot/iPlotDataCursor.h"
#include "instruments/plot/iPlotLegend.h"
#include "platform/sys/SysUtils.h"

namespace {
const TiRegisterProperties<TiPlotChannelCustom, TiPlotManagerObject> kProperties(
    [](TiPropertyBuilder<TiPlotChannelCustom>& b) {
      using C = TiPlotChannelCustom;
      b.Add("TitleText", &C::GetTitleText, &C::SetTitleText);
      b.Add("VisibleInLegend", &C::GetVisibleInLegend, &C::SetVisibleInLegend, 1);
      b.Add("ClipToAxes", &C::GetClipToAxes, &C::SetClipToAxes, 0);
      b.Add("ShowDataPointHints", &C::GetShowDataPointHints, &C::SetShowDataPointHints, 0);
      b.Add("UserCanMoveDataPoints", &C::GetUserCanMoveDataPoints, &C::SetUserCanMoveDataPoints, 0);
      b.Add("UserCanMoveDataPointsStyle", &C::GetUserCanMoveDataPointsStyle,
            &C::SetUserCanMoveDataPointsStyle, ipcdpmsXandY, ipcdpmsYOnly);
      b.Add("RingBufferSize", &C::GetRingBufferSize, &C::SetRingBufferSize, 0);
      b.Add("TraceVisible", &C::GetTraceVisible, &C::SetTraceVisible, 1);
      b.Add("Color", &C::GetColor, &C::SetColor, 0x0000FF);
      b.Add("TraceLineStyle", static_cast<TiPlotLineStyle (C::*)() const>(&C::GetTraceLineStyle),
            &C::SetTraceLineStyle, iplsSolid, iplsDashDotDot);
      b.Add("TraceLineWidth", static_cast<int (C::*)() const>(&C::GetTraceLineWidth), &C::SetTraceLineWidth,
            1);
      b.Add("MarkersAllowIndividual", &C::GetMarkersAllowIndividual, &C::SetMarkersAllowIndividual, 0);
      b.Add("MarkersPenUseChannelColor", &C::GetMarkersPenUseChannelColor, &C::SetMarkersPenUseChannelColor,
            1);
      b.Add("MarkersBrushUseChannelColor", &C::GetMarkersBrushUseChannelColor,
            &C::SetMarkersBrushUseChannelColor, 1);
      b.Add("MarkersTurnOffLimit", &C::GetMarkersTurnOffLimit, &C::SetMarkersTurnOffLimit);
      b.Add("MarkersVisible", &C::GetMarkersVisible, &C::SetMarkersVisible, 0);
      b.Add("MarkersSize", &C::GetMarkersSize, &C::SetMarkersSize, 3);
      b.Add("MarkersStyle", &C::GetMarkersStyle, &C::SetMarkersStyle, ipmsCircle, ipmsCharacter);
      b.Add("MarkersPenColor", &C::GetMarkersPenColor, &C::SetMarkersPenColor, 0x0000FF);
      b.Add("MarkersPenStyle", &C::GetMarkersPenStyle, &C::SetMarkersPenStyle, psSolid, psInsideFrame);
      b.Add("MarkersPenWidth", &C::GetMarkersPenWidth, &C::SetMarkersPenWidth, 0);
      b.Add("MarkersBrushColor", &C::GetMarkersBrushColor, &C::SetMarkersBrushColor, 0x0000FF);
      b.Add("MarkersBrushStyle", &C::GetMarkersBrushStyle, &C::SetMarkersBrushStyle, bsSolid, bsDiagCross);
      b.Object("MarkersFont", &C::GetMarkersFont);
      b.Add("XAxisName", &C::GetXAxisName, &C::SetXAxisName);
      b.Add("YAxisName", &C::GetYAxisName, &C::SetYAxisName);
      b.Add("XAxisTrackingEnabled", &C::GetXAxisTrackingEnabled, &C::SetXAxisTrackingEnabled, 1);
      b.Add("YAxisTrackingEnabled", &C::GetYAxisTrackingEnabled, &C::SetYAxisTrackingEnabled, 1);
      b.Add("LogFileName", &C::GetLogFileName, &C::SetLogFileName);
      b.Add("LogBufferSize", &C::GetLogBufferSize, &C::SetLogBufferSize, 0);
      b.Add("DataStyle", &C::GetDataStyle, &C::SetDataStyle, std::nullopt, ipdsFullFeature);
    });
}  // namespace

std::unique_ptr<TiPlotDataCustomList> iCreatePlotDataList(TiPlotDataStyle Style) {
  switch (Style) {
    case ipdsCompact:
      return std::make_unique<TiPlotDataCompactList>();
    case ipdsCompactInterval:
      return std::make_unique<TiPlotDataCompactIntervalList>();
    case ipdsFullFeature:
      return std::make_unique<TiPlotDataFullList>();
    case ipdsStandard:
      break;
  }
  return std::make_unique<TiPlotDataNullList>();
}

TiPlotChannelCustom::TiPlotChannelCustom(TWinControl* AOwner, TNotifyEvent AOnChange, TNotifyEvent AOnInsert,
                                         TNotifyEvent AOnRemove, TNotifyEvent AOnRename)
    : TiPlotManagerObject(AOwner, std::move(AOnChange), std::move(AOnInsert), std::move(AOnRemove),
                          std::move(AOnRename)),
      FDataList(iCreatePlotDataList(ipdsStandard)),
      FMarkersFont(std::make_unique<TFont>()) {
  SetColor(0x0000FF);
  SetTraceLineWidth(1);
  SetTraceLineStyle(iplsSolid);
  SetMarkersSize(3);
  SetMarkersPenColor(0x0000FF);
  SetMarkersBrushColor(0x0000FF);
  FMarkersFont->SetColor(0xFFFFFF);
  FMarkersFont->SetStyle(TFontStyles() << fsBold);
  FMarkersFont->OnChange = [this](TGraphicsObject*) { DoChange(); };
}

TiPlotChannelCustom::~TiPlotChannelCustom() {
  FMarkersFont->OnChange = nullptr;
}

// ---------------------------------------------------------------- settings

void TiPlotChannelCustom::SetXAxisName(const std::string& Value) {
  if (Value == FXAxisName) return;
  FXAxisName = Value;
  FXAxis = nullptr;
  DoChange();
}

void TiPlotChannelCustom::SetYAxisName(const std::string& Value) {
  if (Value == FYAxisName) return;
  FYAxisName = Value;
  FYAxis = nullptr;
  DoChange();
}

TiPlotXAxis* TiPlotChannelCustom::GetXAxis() {
  if (!FXAxis) FXAxis = iPlotXAxisByName(DataHost(), FXAxisName);
  return FXAxis;
}

TiPlotYAxis* TiPlotChannelCustom::GetYAxis() {
  if (!FYAxis) FYAxis = iPlotYAxisByName(DataHost(), FYAxisName);
  return FYAxis;
}

void TiPlotChannelCustom::SetRingBufferSize(int Value) {
  FDataList->SetRingBufferSize(Value);
  DoChange();
}

void TiPlotChannelCustom::SetCount(int Value) {
  FDataList->SetCapacity(Value);
  DoChange();
}

void TiPlotChannelCustom::SetDataStyle(TiPlotDataStyle Value) {
  if (Value == FDataStyle) return;
  FDataStyle = Value;
  std::unique_ptr<TiPlotDataCustomList> next = iCreatePlotDataList(Value);
  const TiPlotDataCustomList& old = *FDataList;
  // Every channel-wide setting moves to the new store but the marker character.
#define TI_KEEP(Name) next->SetStored##Name(old.GetStored##Name());
  TI_KEEP(TraceLineColor)
  TI_KEEP(TraceLineWidth)
  TI_KEEP(TraceLineStyle)
  TI_KEEP(MarkerVisible)
  TI_KEEP(MarkerSize)
  TI_KEEP(MarkerStyle)
  TI_KEEP(MarkerPenColor)
  TI_KEEP(MarkerPenStyle)
  TI_KEEP(MarkerPenWidth)
  TI_KEEP(MarkerBrushColor)
  TI_KEEP(MarkerBrushStyle)
  TI_KEEP(BarVisible)
  TI_KEEP(BarWidth)
  TI_KEEP(BarReference)
  TI_KEEP(BarPenColor)
  TI_KEEP(BarPenStyle)
  TI_KEEP(BarPenWidth)
  TI_KEEP(BarBrushColor)
  TI_KEEP(BarBrushStyle)
#undef TI_KEEP
  const int ring = old.GetRingBufferSize();
  FDataList = std::move(next);
  FDataList->SetRingBufferSize(ring);
  DoChange();
}

// ---------------------------------------------------------------- points

void TiPlotChannelCustom::SetX(int Index, double Value) {
  FDataList->SetX(Index, Value);
  DoChange();
}

void TiPlotChannelCustom::SetY(int Index, double Value) {
  FDataList->SetY(Index, Value);
  DoChange();
}

void TiPlotChannelCustom::SetNull(int Index, bool Value) {
  FDataList->SetNull(Index, Value);
  DoChange();
}

void TiPlotChannelCustom::SetEmpty(int Index, bool Value) {
  FDataList->SetEmpty(Index, Value);
  DoChange();
}

void TiPlotChannelCustom::GetXYEmptyNull(int Index, double& X, double& Y, bool& Empty, bool& Null) {
  FDataList->GetXYEmptyNull(Index, X, Y, Empty, Null);
}

int TiPlotChannelCustom::AddXY(double X, double Y) {
  return AddPoint(X, Y, false, false);
}

int TiPlotChannelCustom::AddPoint(double X, double Y, bool Null, bool Empty) {
  const int index = FDataList->Add(X, Y, Null, Empty);
  if (X > FRunningXMax) FRunningXMax = X;
  if (X < FRunningXMin) FRunningXMin = X;
  if (Y > FRunningYMax) FRunningYMax = Y;
  if (Y < FRunningYMin) FRunningYMin = Y;
  ++FRunningXCount;
  ++FRunningYCount;
  FRunningXTotal += X;
  FRunningYTotal += Y;
  FRunningXMean = static_cast<double>(FRunningXTotal / FRunningXCount);
  FRunningYMean = static_cast<double>(FRunningYTotal / FRunningYCount);
  if (FXAxisTrackingEnabled || FYAxisTrackingEnabled) FeedTracking(X, Y);
  DoChange();
  return index;
}

void TiPlotChannelCustom::FeedTracking(double X, double Y) {
  IiPlotDataHost* host = DataHost();
  if (!host) return;
  const int n = GetCount() - 1;
  if (GetMarkersVisible()) {
    if (GetNull(n)) return;
    if (FXAxisTrackingEnabled && GetXAxis()) {
      host->NewTrackingData(GetXAxis(), GetXMaxExtent(n));
      host->NewTrackingData(GetXAxis(), GetXMinExtent(n));
    }
    if (FYAxisTrackingEnabled && GetYAxis()) {
      host->NewTrackingData(GetYAxis(), GetYMaxExtent(n));
      host->NewTrackingData(GetYAxis(), GetYMinExtent(n));
    }
    return;
  }
  if (FXAxisTrackingEnabled && GetXAxis()) host->NewTrackingData(GetXAxis(), X);
  if (FYAxisTrackingEnabled && GetYAxis() && IsValidPoint(n)) host->NewTrackingData(GetYAxis(), Y);
}

namespace {
double ArrayValue(const TiPlotVariantArray& A, int Flat) {
  return A.Values.at(static_cast<std::size_t>(Flat));
}
}  // namespace

void TiPlotChannelCustom::AddXYArrays(const TiPlotVariantArray& XData, const TiPlotVariantArray& YData) {
  if (XData.Dimensions() != 1) throw Exception("X-Data array must be 1 dimensional");
  if (YData.Dimensions() != 1) throw Exception("Y-Data array must be 1 dimensional");
  if (XData.Bounds[0].first != YData.Bounds[0].first)
    throw Exception("X-Data and Y-Data low bound dimension must match");
  if (XData.Bounds[0].second != YData.Bounds[0].second)
    throw Exception("X-Data and Y-Data hogh bound dimension must match");
  const int n = XData.Bounds[0].second - XData.Bounds[0].first + 1;
  for (int i = 0; i < n; ++i) AddPoint(ArrayValue(XData, i), ArrayValue(YData, i), false, false);
}

void TiPlotChannelCustom::AddXYArray(const TiPlotVariantArray& Data) {
  if (Data.Dimensions() != 2) throw Exception("Array Must Be 2 Dimensional");
  if (Data.Bounds[0].second - Data.Bounds[0].first != 1)
    throw Exception("Array First Dimension Must Be 2 Elements");
  const int n = Data.Bounds[1].second - Data.Bounds[1].first + 1;
  for (int j = 0; j < n; ++j) AddPoint(ArrayValue(Data, j), ArrayValue(Data, n + j), false, false);
}

void TiPlotChannelCustom::ResetRunning() {
  FRunningXMax = FRunningYMax = -kNoValue;
  FRunningXMin = FRunningYMin = kNoValue;
  FRunningXMean = FRunningYMean = 0;
  FRunningXCount = FRunningYCount = 0;
  FRunningXTotal = FRunningYTotal = 0;
}

void TiPlotChannelCustom::Clear() {
  ResetRunning();
  FStartIndex = FStopIndex = -1;
  FLoggingActive = false;
  FDataList->Clear();
  DoChange();
}

void TiPlotChannelCustom::DeletePoints(int Size) {
  if (Size == GetCount()) {
    Clear();
    return;
  }
  FDataList->DeletePoints(Size);
  DoChange();
}

// ---------------------------------------------------------------- statistics

void TiPlotChannelCustom::ReCalcRunningMinMaxMean() {
  ResetRunning();
  for (int i = 0; i < GetCount(); ++i) {
    if (!IsValidPoint(i)) continue;
    const double x = GetX(i), y = GetY(i);
    ++FRunningXCount;
    ++FRunningYCount;
    if (x > FRunningXMax) FRunningXMax = x;
    if (x < FRunningXMin) FRunningXMin = x;
    if (y > FRunningYMax) FRunningYMax = y;
    if (y < FRunningYMin) FRunningYMin = y;
    FRunningXTotal += x;
    FRunningYTotal += y;
  }
  if (FRunningXCount > 0) FRunningXMean = static_cast<double>(FRunningXTotal / FRunningXCount);
  if (FRunningYCount > 0) FRunningYMean = static_cast<double>(FRunningYTotal / FRunningYCount);
}

namespace {
// The best of the valid points' values by Better, from Start.
template <class V, class B>
double Scan(TiPlotChannelCustom& C, double Start, V Value, B Better) {
  double best = Start;
  for (int i = 0; i < C.GetCount(); ++i)
    if (C.IsValidPoint(i) && Better(Value(i), best)) best = Value(i);
  return best;
}
}  // namespace

double TiPlotChannelCustom::GetXMax() {
  auto x = [this](int i) { return GetX(i); };
  return FRunningXMax = Scan(*this, -kNoValue, x, std::greater<>());
}

double TiPlotChannelCustom::GetXMin() {
  auto x = [this](int i) { return GetX(i); };
  return FRunningXMin = Scan(*this, kNoValue, x, std::less<>());
}

double TiPlotChannelCustom::GetYMax() {
  auto y = [this](int i) { return GetY(i); };
  return FRunningYMax = Scan(*this, -kNoValue, y, std::greater<>());
}

double TiPlotChannelCustom::GetYMin() {
  auto y = [this](int i) { return GetY(i); };
  return FRunningYMin = Scan(*this, kNoValue, y, std::less<>());
}

double TiPlotChannelCustom::GetXMean() {
  FRunningXTotal = 0;
  FRunningXCount = 0;
  for (int i = 0; i < GetCount(); ++i)
    if (IsValidPoint(i)) {
      FRunningXTotal += GetX(i);
      ++FRunningXCount;
    }
  return FRunningXMean = FRunningXCount ? static_cast<double>(FRunningXTotal / FRunningXCount) : 0;
}

double TiPlotChannelCustom::GetYMean() {
  FRunningYTotal = 0;
  FRunningYCount = 0;
  for (int i = 0; i < GetCount(); ++i)
    if (IsValidPoint(i)) {
      FRunningYTotal += GetY(i);
      ++FRunningYCount;
    }
  return FRunningYMean = FRunningYCount ? static_cast<double>(FRunningYTotal / FRunningYCount) : 0;
}

double TiPlotChannelCustom::MarkerMargin(TiPlotAxis* Axis) {
  return std::abs(Axis->PixelsToPosition(Axis->GetMinPixels() + GetMarkersSize()) - Axis->GetMin());
}

double TiPlotChannelCustom::Extent(int Index, bool XDirection, double Sign) {
  if (GetNull(Index)) throw Exception("Data Point Null");
  const double v = XDirection ? GetX(Index) : GetY(Index);
  if (!GetMarkersVisible()) return v;
  TiPlotAxis* axis = XDirection ? static_cast<TiPlotAxis*>(GetXAxis()) : GetYAxis();
  if (!axis) throw Exception(XDirection ? "X-Axis not assigned" : "Y-Axis not assigned");
  return v + Sign * MarkerMargin(axis);
}

double TiPlotChannelCustom::GetXMaxExtent(int Index) {
  return Extent(Index, true, 1);
}

double TiPlotChannelCustom::GetXMinExtent(int Index) {
  return Extent(Index, true, -1);
}

double TiPlotChannelCustom::GetYMaxExtent(int Index) {
  return Extent(Index, false, 1);
}

double TiPlotChannelCustom::GetYMinExtent(int Index) {
  return Extent(Index, false, -1);
}

std::string TiPlotChannelCustom::GetXValueText(double Value) {
  return GetXAxis() ? GetXAxis()->GetCursorText(Value) : TranslateText("No X-Axis");
}

std::string TiPlotChannelCustom::GetYValueText(double Value) {
  return GetYAxis() ? GetYAxis()->GetCursorText(Value) : TranslateText("No Y-Axis");
}

void TiPlotChannelCustom::SetDataCursorResult(const TiPlotDataCursorReadout& Readout,
                                              const std::string& XText, const std::string& YText) {
  FDataCursorXValue = Readout.XValue;
  FDataCursorYValue = Readout.YValue;
  FDataCursorStatus = Readout.Status;
  FDataCursorXText = XText;
  FDataCursorYText = YText;
}

// ---------------------------------------------------------------- notices

void TiPlotChannelCustom::NotificationRemove(TObject* Sender) {
  if (Sender == FXAxis) FXAxis = nullptr;
  if (Sender == FYAxis) FYAxis = nullptr;
}

void TiPlotChannelCustom::NotificationRename(TObject* Sender) {
  if (FXAxis && Sender == FXAxis) FXAxisName = FXAxis->GetName();
  if (FYAxis && Sender == FYAxis) FYAxisName = FYAxis->GetName();
}

void TiPlotChannelCustom::NotificationSetFocus(TObject* Sender) {
  auto* other = dynamic_cast<TiPlotObject*>(Sender);
  if (!other || other == this || dynamic_cast<TiPlotLegend*>(other)) return;
  if (auto* cursor = dynamic_cast<TiPlotDataCursor*>(other);
      cursor && SameText(cursor->GetChannelName(), GetName()))
    return;
  if (other->GetUserSelected()) SetUserSelected(false);
}
