#include "instruments/plot/iPlotLimit.h"

#include <algorithm>

#include "instruments/base/iDrawing.h"
#include "instruments/base/iProperties.h"
#include "instruments/plot/iPlotAxis.h"
#include "instruments/plot/iPlotDataHost.h"

namespace {
const TiRegisterProperties<TiPlotLimit, TiPlotObject> kProperties([](TiPropertyBuilder<TiPlotLimit>& b) {
  using L = TiPlotLimit;
  b.Add("Color", &L::GetColor, &L::SetColor);
  b.Add("LineStyle", &L::GetLineStyle, &L::SetLineStyle, std::nullopt, psInsideFrame);
  b.Add("LineWidth", &L::GetLineWidth, &L::SetLineWidth);
  b.Add("FillStyle", &L::GetFillStyle, &L::SetFillStyle, std::nullopt, bsDiagCross);
  b.Add("XAxisName", &L::GetXAxisName, &L::SetXAxisName);
  b.Add("YAxisName", &L::GetYAxisName, &L::SetYAxisName);
  b.Add("Style", &L::GetStyle, &L::SetStyle, std::nullopt, iplsPolyBandY);
  b.Add("Line1Position", &L::GetLine1Position, &L::SetLine1Position);
  b.Add("Line2Position", &L::GetLine2Position, &L::SetLine2Position);
  b.Add("UserCanMove", &L::GetUserCanMove, &L::SetUserCanMove);
  b.Add("SelectModeOnlyInteraction", &L::GetSelectModeOnlyInteraction, &L::SetSelectModeOnlyInteraction);
  b.Add("ClipToAxes", &L::GetClipToAxes, &L::SetClipToAxes);
});

constexpr int kGrab = 5;
}  // namespace

TiPlotLimit::TiPlotLimit(TWinControl* AOwner, TNotifyEvent AOnChange, TNotifyEvent AOnInsert,
                         TNotifyEvent AOnRemove, TNotifyEvent AOnRename)
    : TiPlotObject(AOwner, std::move(AOnChange), std::move(AOnInsert), std::move(AOnRemove), std::move(AOnRename)),
      FPointList(std::make_unique<TiLimitDataList>()) {}

TiPlotLimit::~TiPlotLimit() = default;

IiPlotDataHost* TiPlotLimit::DataHost() const {
  return dynamic_cast<IiPlotDataHost*>(GetOwner());
}

void TiPlotLimit::SetLineStyle(TPenStyle Value) {
  SetEnum(Value, FLineStyle);
}

void TiPlotLimit::SetFillStyle(TBrushStyle Value) {
  SetEnum(Value, FFillStyle);
}

void TiPlotLimit::SetStyle(TiPlotLimitStyle Value) {
  SetEnum(Value, FStyle);
}

void TiPlotLimit::SetXAxisName(const std::string& Value) {
  if (Value == FXAxisName) return;
  FXAxisName = Value;
  FXAxis = nullptr;
  DoChange();
}

void TiPlotLimit::SetYAxisName(const std::string& Value) {
  if (Value == FYAxisName) return;
  FYAxisName = Value;
  FYAxis = nullptr;
  DoChange();
}

void TiPlotLimit::SetLine1Position(double Value) {
  if (!(Value != FLine1Position)) return;
  const double old = FLine1Position;
  FLine1Position = Value;
  DoChange();
  if (IiPlotDataHost* host = DataHost()) host->DoLimitLine1PositionChange(this, old, Value);
}

void TiPlotLimit::SetLine2Position(double Value) {
  if (!(Value != FLine2Position)) return;
  const double old = FLine2Position;
  FLine2Position = Value;
  DoChange();
  if (IiPlotDataHost* host = DataHost()) host->DoLimitLine2PositionChange(this, old, Value);
}

void TiPlotLimit::AddBandElement(double Position, double UpperLimit, double LowerLimit) {
  if (LowerLimit > UpperLimit)
    throw Exception("the Upper Limit must be greater than or equal to the Lower Limit");
  FPointList->Add(Position, UpperLimit, LowerLimit);
  DoChange();
}

void TiPlotLimit::ClearAllElements() {
  FPointList->Clear();
  DoChange();
}

bool TiPlotLimit::IsYStyle() const {
  return FStyle == iplsLineY || FStyle == iplsBandY || FStyle == iplsPolyBandY;
}

bool TiPlotLimit::IsFilled() const {
  switch (FStyle) {
    case iplsLineX:
    case iplsLineY:
      return false;
    case iplsBandX:
    case iplsBandY:
      return FFillStyle != bsClear;
    default:
      return true;
  }
}

TiPlotXAxis* TiPlotLimit::GetXAxis() {
  if (!FXAxis) FXAxis = iPlotXAxisByName(DataHost(), FXAxisName);
  return FXAxis;
}

TiPlotYAxis* TiPlotLimit::GetYAxis() {
  if (!FYAxis) FYAxis = iPlotYAxisByName(DataHost(), FYAxisName);
  return FYAxis;
}

void TiPlotLimit::NotificationRemove(TObject* Sender) {
  if (Sender == FXAxis) FXAxis = nullptr;
  if (Sender == FYAxis) FYAxis = nullptr;
}

void TiPlotLimit::NotificationRename(TObject* Sender) {
  if (FXAxis && Sender == FXAxis) FXAxisName = FXAxis->GetName();
  if (FYAxis && Sender == FYAxis) FYAxisName = FYAxis->GetName();
}

void TiPlotLimit::NotificationSetFocus(TObject* Sender) {
  auto* other = dynamic_cast<TiPlotObject*>(Sender);
  if (other && other != this && other->GetUserSelected()) SetUserSelected(false);
}

// ---------------------------------------------------------------- drawing

void TiPlotLimit::Draw(TCanvas* Canvas, TColor BackGroundColor) {
  FLine1Show = FLine2Show = false;
  TiPlotXAxis* x = GetXAxis();
  TiPlotYAxis* y = GetYAxis();
  if (!GetVisible() || !x || !y) return;
  const bool swap = GetXYAxesReversed();
  if (FClipToAxes) {
    TRect r = NormalizedRectSwapXY(swap, x->GetMinPixels(), y->GetMinPixels(), x->GetMaxPixels(), y->GetMaxPixels());
    Canvas->IntersectClipRect(TRect(r.Left, r.Top, r.Right + 1, r.Bottom + 1));
  }
  Canvas->Brush->SetColor(BackGroundColor);
  switch (FStyle) {
    case iplsLineX:
    case iplsLineY:
      DrawLine(Canvas, x, y);
      break;
    case iplsBandX:
    case iplsBandY:
      DrawBand(Canvas, x, y);
      break;
    case iplsPolyBandX:
    case iplsPolyBandY:
      DrawPolyBand(Canvas, x, y);
      break;
  }
}

void TiPlotLimit::DrawLine(TCanvas* Canvas, TiPlotXAxis* X, TiPlotYAxis* Y) {
  // For a Y line the axes' roles are exchanged.
  const bool ystyle = IsYStyle();
  TiPlotAxis* along = ystyle ? static_cast<TiPlotAxis*>(Y) : X;
  TiPlotAxis* across = ystyle ? static_cast<TiPlotAxis*>(X) : Y;
  if (FLine1Position < along->GetMin() || FLine1Position > along->GetMax()) return;
  Canvas->Pen->SetColor(FColor);
  Canvas->Pen->SetWidth(FLineWidth);
  Canvas->Pen->SetStyle(FLineStyle);
  const int a = along->PositionToPixels(FLine1Position);
  const int p0 = across->GetMinPixels(), p1 = across->GetMaxPixels();
  // Screen points: (a, p) for an X line, (p, a) for a Y line, then the plot's exchange.
  const bool swap = GetXYAxesReversed() != ystyle;
  Canvas->Polyline({PointSwapXY(swap, a, p0), PointSwapXY(swap, a, p1)});
  FLine1Show = true;
  FLine1ClickRect = NormalizedRectSwapXY(swap, a - kGrab, p0, a + kGrab, p1);
}

void TiPlotLimit::DrawBand(TCanvas* Canvas, TiPlotXAxis* X, TiPlotYAxis* Y) {
  const bool ystyle = IsYStyle();
  TiPlotAxis* along = ystyle ? static_cast<TiPlotAxis*>(Y) : X;
  TiPlotAxis* across = ystyle ? static_cast<TiPlotAxis*>(X) : Y;
  const bool swap = GetXYAxesReversed() != ystyle;
  Canvas->Pen->SetColor(FColor);
  Canvas->Brush->SetColor(FColor);
  Canvas->Brush->SetStyle(FFillStyle);
  const int a = along->PositionToPixels(FLine1Position), b = along->PositionToPixels(FLine2Position);
  const int p0 = across->GetMinPixels(), p1 = across->GetMaxPixels();
  FLine1ClickRect = NormalizedRectSwapXY(swap, a - kGrab, p0, a + kGrab, p1);
  FLine2ClickRect = NormalizedRectSwapXY(swap, b - kGrab, p0, b + kGrab, p1);
  FLine1Show = FLine2Show = true;
  auto edges = [&] {
    Canvas->Polyline({PointSwapXY(swap, a, p0), PointSwapXY(swap, a, p1)});
    Canvas->Polyline({PointSwapXY(swap, b, p0), PointSwapXY(swap, b, p1)});
  };
  const TRect box = NormalizedRectSwapXY(swap, a, p0, b, p1);
  if (FFillStyle == bsSolid) {
    Canvas->Pen->SetStyle(FLineStyle);
    Canvas->Pen->SetWidth(1);
    Canvas->Rectangle(box);
  } else if (FFillStyle == bsClear) {
    Canvas->Pen->SetStyle(FLineStyle);
    Canvas->Pen->SetWidth(FLineWidth);
    edges();
  } else {
    Canvas->Pen->SetStyle(psClear);
    Canvas->Rectangle(box);
    Canvas->Pen->SetStyle(FLineStyle);
    Canvas->Pen->SetWidth(1);
    edges();
  }
}

void TiPlotLimit::DrawPolyBand(TCanvas* Canvas, TiPlotXAxis* X, TiPlotYAxis* Y) {
  const int n = FPointList->GetCount();
  if (n < 2) return;
  // X bands: positions on the Y axis, limits on the X axis; Y bands the other way.
  const bool xband = FStyle == iplsPolyBandX;
  TiPlotAxis* positions = xband ? static_cast<TiPlotAxis*>(Y) : X;
  TiPlotAxis* limits = xband ? static_cast<TiPlotAxis*>(X) : Y;
  const bool swap = GetXYAxesReversed();
  Canvas->Pen->SetColor(FColor);
  Canvas->Pen->SetWidth(1);
  Canvas->Pen->SetStyle(psSolid);
  Canvas->Brush->SetColor(FColor);
  Canvas->Brush->SetStyle(FFillStyle);
  auto corner = [&](double Limit, double Position) {
    const int l = limits->PositionToPixels(Limit), p = positions->PositionToPixels(Position);
    return xband ? PointSwapXY(swap, l, p) : PointSwapXY(swap, p, l);
  };
  for (int c = 0; c + 1 < n; ++c) {
    const double pos1 = FPointList->GetValue1(c), pos2 = FPointList->GetValue1(c + 1);
    if (pos1 < positions->GetMin() && pos2 < positions->GetMin()) continue;
    if (pos1 > positions->GetMax()) break;
    const TPoint u1 = corner(FPointList->GetValue2(c), pos1), l1 = corner(FPointList->GetValue3(c), pos1);
    const TPoint u2 = corner(FPointList->GetValue2(c + 1), pos2), l2 = corner(FPointList->GetValue3(c + 1), pos2);
    if (FFillStyle == bsSolid) {
      Canvas->Polygon({u1, u2, l2, l1});
    } else {
      Canvas->Pen->SetStyle(psClear);
      Canvas->Polygon({u1, u2, l2, l1});
      Canvas->Pen->SetStyle(psSolid);
      Canvas->Polyline({u1, u2});
      Canvas->Polyline({l1, l2});
    }
  }
}

// ---------------------------------------------------------------- mouse

bool TiPlotLimit::iMouseHitTest(const TiPlotMouseData& MouseData) {
  IiPlotDataHost* host = DataHost();
  if (FSelectModeOnlyInteraction && !(host && host->GetToolBarSelectActive())) return false;
  const TPoint p(MouseData.X, MouseData.Y);
  return (FLine1Show && FLine1ClickRect.Contains(p)) || (FLine2Show && FLine2ClickRect.Contains(p));
}

TCursor TiPlotLimit::GetMouseCursor(TPoint) {
  if (!FUserCanMove) return crDefault;
  TCursor c = crHandPoint;
  if (FLine1Show && FLine2Show) {
    const bool reversed = GetXYAxesReversed();
    c = IsYStyle() != reversed ? crSizeNS : crSizeWE;
  }
  if (IiPlotDataHost* host = DataHost()) host->DoObjectGetMouseCursor(this, c);
  return c;
}

void TiPlotLimit::DoMouseLeft(TiPlotMouseData& MouseData) {
  if (!FUserCanMove) return;
  const TPoint p(MouseData.X, MouseData.Y);
  if (FLine1Show && FLine1ClickRect.Contains(p))
    FMouseDownLine1 = true;
  else if (FLine2Show && FLine2ClickRect.Contains(p))
    FMouseDownLine2 = true;
  else
    return;
  InvalidateNow();
}

void TiPlotLimit::DoMouseMove(TiPlotMouseData& MouseData) {
  if (!FMouseDownLine1 && !FMouseDownLine2) return;
  double value;
  if (IsYStyle()) {
    TiPlotYAxis* y = GetYAxis();
    if (!y) return;
    value = y->PixelsToPosition(MouseData.YAxisPixels);
  } else {
    TiPlotXAxis* x = GetXAxis();
    if (!x) return;
    value = x->PixelsToPosition(MouseData.XAxisPixels);
  }
  if (FMouseDownLine1) SetLine1Position(value);
  if (FMouseDownLine2) SetLine2Position(value);
}

void TiPlotLimit::DoMouseUp(TiPlotMouseData& MouseData) {
  if (!FMouseDownLine1 && !FMouseDownLine2) return;
  FMouseDownLine1 = FMouseDownLine2 = false;
  if (iMouseHitTest(MouseData))
    if (IiPlotDataHost* host = DataHost()) host->DoObjectClick(this);
}

void TiPlotLimit::BuildPopupMenu(TPopupMenu* PopupMenu) {
  TiPlotObject::BuildPopupMenu(PopupMenu);
  AddEditMenuItem(PopupMenu);
}
