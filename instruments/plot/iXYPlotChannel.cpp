#include "instruments/plot/iXYPlotChannel.h"

#include <cmath>
#include <limits>

#include "instruments/base/iProperties.h"
#include "instruments/plot/iPlotAxis.h"
#include "instruments/plot/iPlotDataView.h"

namespace {
const TiRegisterProperties<TiXYPlotChannel, TiPlotChannelCustom> kProperties(
    [](TiPropertyBuilder<TiXYPlotChannel>& b) { iRegisterPlotChannelOPCProperties(b); });

// The data-cursor styles, by their place in the cursor's list.
enum TCursorStyle { csValueXY, csValueX, csValueY, csDeltaX, csDeltaY, csInverseDeltaX };
}  // namespace

TiXYPlotChannel::TiXYPlotChannel(TWinControl* AOwner, TNotifyEvent AOnChange, TNotifyEvent AOnInsert,
                                 TNotifyEvent AOnRemove, TNotifyEvent AOnRename)
    : TiPlotChannelCustom(AOwner, std::move(AOnChange), std::move(AOnInsert), std::move(AOnRemove),
                          std::move(AOnRename)),
      TiPlotChannelOPC(this) {}

// Out of line: the class's table above is linked with it.
TiXYPlotChannel::~TiXYPlotChannel() = default;

void TiXYPlotChannel::CalcStartIndex() {
  FStartIndex = GetCount() > 0 ? 0 : -1;
}

void TiXYPlotChannel::CalcStopIndex() {
  FStopIndex = GetCount() - 1;
}

void TiXYPlotChannel::UpdateCanDraw() {
  bool can = HasAxes() && GetVisible() && GetCount() > 0;
  if (can) {
    CalcStartIndex();
    CalcStopIndex();
    can = FStartIndex != -1 && FStopIndex != -1;
  }
  SetCanDraw(can);
}

void TiXYPlotChannel::Draw(TCanvas* Canvas, TColor BackGroundColor) {
  const bool reversed = GetXYAxesReversed();
  ClipToAxesRect(Canvas, reversed);
  DrawTrace(Canvas, reversed, BackGroundColor);
  DrawMarkers(Canvas, reversed, BackGroundColor);
}

void TiXYPlotChannel::DoInsert() {
  TiPlotChannelCustom::DoInsert();
  if (GetOPCAutoConnect()) OPCActivate();
}

void TiXYPlotChannel::OPCActivate() {
  OPCActivateGroup(false);
}

void TiXYPlotChannel::OPCActivateSuspend() {
  OPCActivate();
  OPCUpdateSuspend();
}

void TiXYPlotChannel::OPCUpdateSuspend() {
  OPCGroupSuspend();
}

void TiXYPlotChannel::OPCUpdateResume() {
  OPCGroupResume();
}

int TiXYPlotChannel::AddNull() {
  const int index = GetDataList()->Add(0, 0, true, false);
  DoChange();
  return index;
}

int TiXYPlotChannel::AddEmpty() {
  const int index = GetDataList()->Add(0, 0, false, true);
  DoChange();
  return index;
}

template <class E, class B>
double TiXYPlotChannel::Fit(double Start, E Extent, B Better) {
  CalcStartIndex();
  CalcStopIndex();
  if (!HasAxes() || !GetVisible() || FStartIndex == -1 || FStopIndex == -1) return Start;
  double best = Start;
  for (int i = 0; i < GetCount(); ++i) {
    if (!IsValidPoint(i)) continue;
    const double v = (this->*Extent)(i);
    if (Better(v, best)) best = v;
  }
  return best;
}

double TiXYPlotChannel::GetXMaxFit() {
  return Fit(-kNoValue, &TiXYPlotChannel::GetXMaxExtent, std::greater<>());
}

double TiXYPlotChannel::GetXMinFit() {
  return Fit(kNoValue, &TiXYPlotChannel::GetXMinExtent, std::less<>());
}

double TiXYPlotChannel::GetYMaxFit() {
  return Fit(-kNoValue, &TiXYPlotChannel::GetYMaxExtent, std::greater<>());
}

double TiXYPlotChannel::GetYMinFit() {
  return Fit(kNoValue, &TiXYPlotChannel::GetYMinExtent, std::less<>());
}

void TiXYPlotChannel::UpdateDataCursor(TiPlotDataCursorReadout& Readout) {
  TiPlotXAxis* xa = GetXAxis();
  TiPlotYAxis* ya = GetYAxis();
  Readout.XValue = Readout.YValue = 0;
  if (xa && ya) {
    const double p1 = Readout.Pointer1Position, p2 = Readout.Pointer2Position;
    double x1 = xa->PercentToPosition(p1 / 100), x2 = xa->PercentToPosition(p2 / 100);
    double y1 = ya->PercentToPosition(p1 / 100), y2 = ya->PercentToPosition(p2 / 100);
    if (TiPlotDataView* view = Readout.DataView) {
      if (xa->GetStartPercent() != 0 && xa->GetStopPercent() != 100) {
        x1 = xa->PixelsToPosition(view->PositionPercentToPixelsX(p1));
        x2 = xa->PixelsToPosition(view->PositionPercentToPixelsX(p2));
      }
      if (ya->GetStartPercent() != 0 && ya->GetStopPercent() != 100) {
        y1 = ya->PixelsToPosition(view->PositionPercentToPixelsY(p1));
        y2 = ya->PixelsToPosition(view->PositionPercentToPixelsY(p2));
      }
    }
    switch (Readout.Style) {
      case csValueXY:
        Readout.XValue = x1;
        Readout.YValue = y2;
        break;
      case csValueX:
        Readout.XValue = x1;
        break;
      case csValueY:
        Readout.YValue = y2;
        break;
      case csDeltaX:
        Readout.XValue = std::abs(x1 - x2);
        break;
      case csDeltaY:
        Readout.YValue = std::abs(y1 - y2);
        break;
      case csInverseDeltaX: {
        const double d = xa->GetCursorScaler() * (x1 - x2);
        Readout.XValue = d == 0 ? std::numeric_limits<double>::infinity() : std::abs(1 / d);
        break;
      }
    }
  }
  Readout.Status = ipdpsValid;

  std::string xText, yText;
  if (!xa) {
    Readout.DisplayText = TranslateText("No X-Axis");
  } else {
    xText = GetXValueText(Readout.XValue);
    yText = ya ? GetYValueText(Readout.YValue) : "No Y-Axis";
    switch (Readout.Style) {
      case csValueXY:
        Readout.DisplayText = xText + ", " + yText;
        break;
      case csValueX:
      case csDeltaX:
        Readout.DisplayText = xText;
        break;
      case csValueY:
      case csDeltaY:
        Readout.DisplayText = yText;
        break;
      case csInverseDeltaX:
        Readout.DisplayText = Readout.XValue < 1e301 ? xText : TranslateText("Infinite");
        break;
    }
  }
  SetDataCursorResult(Readout, xText, yText);
}
