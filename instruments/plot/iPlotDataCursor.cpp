#include "instruments/plot/iPlotDataCursor.h"

#include <algorithm>
#include <cmath>

#include "instruments/base/iDrawing.h"
#include "instruments/base/iProperties.h"
#include "instruments/plot/iPlotDataHost.h"
#include "instruments/plot/iPlotDataView.h"
#include "instruments/plot/iPlotMasterManager.h"
#include "instruments/plot/iPlot.h"
#include "instruments/plot/iPlotAxis.h"
#include "instruments/plot/iXYPlot.h"
#include "platform/classlib/Keys.h"
#include "platform/sys/SysUtils.h"

namespace {
using C = TiPlotDataCursor;
const TiRegisterProperties<TiPlotDataCursor, TiPlotManagerObject> kProperties([](TiPropertyBuilder<C>& b) {
  b.Add("ChannelName", &C::GetChannelName, &C::SetChannelName);
  b.Add("DataViewName", &C::GetDataViewName, &C::SetDataViewName);
  b.Add("ChannelAllowAll", &C::GetChannelAllowAll, &C::SetChannelAllowAll, 1);
  b.Add("ChannelShowAllInLegend", &C::GetChannelShowAllInLegend, &C::SetChannelShowAllInLegend, 1);
  b.Add("Style", &C::GetStyle, &C::SetStyle, ipcsValueXY, ipcsInverseDeltaX);
  b.Add("Font", &C::GetFont, &C::SetFont);
  b.Add("Color", &C::GetColor, &C::SetColor, 0x00FFFF);
  b.Add("UseChannelColor", &C::GetUseChannelColor, &C::SetUseChannelColor, 1);
  b.Add("HintShow", &C::GetHintShow, &C::SetHintShow, 1);
  b.Add("HintHideOnRelease", &C::GetHintHideOnRelease, &C::SetHintHideOnRelease, 0);
  b.Add("HintOrientationSide", &C::GetHintOrientationSide, &C::SetHintOrientationSide, iosBottomRight,
        iosTopLeft);
  b.Add("HintPosition", &C::GetHintPosition, &C::SetHintPosition);
  b.Add("Pointer1Position", &C::GetPointer1Position, &C::SetPointer1Position);
  b.Add("Pointer2Position", &C::GetPointer2Position, &C::SetPointer2Position);
  b.Add("PointerPenWidth", &C::GetPointerPenWidth, &C::SetPointerPenWidth, 1);
  b.Add("MenuUserCanChangeOptions", &C::GetMenuUserCanChangeOptions, &C::SetMenuUserCanChangeOptions, 1);
  b.Add("SnapToDataPoint", &C::GetSnapToDataPoint, &C::SetSnapToDataPoint, 0);
  b.Add("UseCachedInterpolatedData", &C::GetUseCachedInterpolatedData, &C::SetUseCachedInterpolatedData, 0);
#define TI_CURSOR_MENU_ITEM(Name)                                                                \
  b.Add("MenuItemVisible" #Name, &C::GetMenuItemVisible##Name, &C::SetMenuItemVisible##Name, 1); \
  b.Add("MenuItemCaption" #Name, &C::GetMenuItemCaption##Name, &C::SetMenuItemCaption##Name);
  TI_CURSOR_STYLES(TI_CURSOR_MENU_ITEM)
#undef TI_CURSOR_MENU_ITEM
});

const char* const kAll = "<All>";

TiOrientation Other(TiOrientation O) {
  return O == ioVertical ? ioHorizontal : ioVertical;
}

TPoint Centre(const TRect& R) {
  return TPoint((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
}

// A channel's title on one menu line: every CR LF taken out.
std::string WithoutLineBreaks(std::string S) {
  for (std::size_t i; (i = S.find("\r\n")) != std::string::npos;) S.erase(i, 2);
  return S;
}

TRect Shifted(TRect B, const TRect& V) {
  if (B.Left < V.Left) B = OffsetRect(B, V.Left - B.Left, 0);
  if (B.Right > V.Right) B = OffsetRect(B, V.Right - B.Right, 0);
  if (B.Top < V.Top) B = OffsetRect(B, 0, V.Top - B.Top);
  if (B.Bottom > V.Bottom) B = OffsetRect(B, 0, V.Bottom - B.Bottom);
  return B;
}
}  // namespace

// ---------------------------------------------------------------- geometry

bool iDataCursorDeltaStyle(TiPlotDataCursorStyle Style) {
  return Style == ipcsDeltaX || Style == ipcsDeltaY || Style == ipcsInverseDeltaX;
}

TiPlotDataCursorPointers iDataCursorPointers(TiPlotDataCursorStyle Style, bool XYPlot, bool XYAxesReversed) {
  TiPlotDataCursorPointers p;
  p.Pointer1Show = true;
  switch (Style) {
    case ipcsValueXY:
      p.Pointer2Show = XYPlot;
      p.Pointer2 = ioHorizontal;
      break;
    case ipcsValueX:
      break;
    case ipcsValueY:
      if (XYPlot) {
        p.Pointer1Show = false;
        p.Pointer2Show = true;
        p.Pointer2 = ioHorizontal;
        p.Hint = ioHorizontal;
      }
      break;
    case ipcsDeltaX:
    case ipcsInverseDeltaX:
      p.Pointer2Show = true;
      break;
    case ipcsDeltaY:
      p.Pointer2Show = true;
      p.Pointer1 = p.Pointer2 = p.Hint = ioHorizontal;
      break;
  }
  if (XYAxesReversed) {
    p.Pointer1 = Other(p.Pointer1);
    p.Pointer2 = Other(p.Pointer2);
    p.Hint = Other(p.Hint);
  }
  return p;
}

TiPlotDataCursorHint iDataCursorHintBox(const TiPlotDataCursorHintInput& In) {
  TiPlotDataCursorHint out;
  out.Side = In.Side;
  const int h = In.WidthOfA / 2 + In.TextHeight, w = In.TextWidth + In.WidthOfA;
  const TRect& anchor = In.Pointer1Show ? In.Band1 : In.Band2;
  const TRect& v = In.View;
  const int p = In.Along;
  TRect b;
  if (In.Orientation == ioVertical) {
    const int r = Centre(anchor).X;
    if (r + 5 + In.WidthOfA + In.TextWidth > v.Right) out.Side = iosTopLeft;
    if (r - 5 - In.WidthOfA - In.TextWidth < v.Left) out.Side = iosBottomRight;
    if (In.Delta) {
      const int x = (In.Band1.Left + In.Band1.Right + In.Band2.Left + In.Band2.Right) / 4;
      b = TRect(x - w / 2, p - h / 2, x + w / 2, p + h / 2);
    } else if (out.Side == iosBottomRight) {
      b = TRect(r + 5, p - h / 2, r + 5 + w, p + h / 2);
    } else {
      b = TRect(r - 5 - w, p - h / 2, r - 5, p + h / 2);
    }
  } else {
    const int r = Centre(anchor).Y;
    if (r + In.WidthOfA + In.TextHeight > v.Bottom) out.Side = iosTopLeft;
    if (r - In.WidthOfA - In.TextHeight < v.Top) out.Side = iosBottomRight;
    if (In.Delta) {
      const int y = (In.Band1.Top + In.Band1.Bottom + In.Band2.Top + In.Band2.Bottom) / 4;
      b = TRect(p - w / 2, y - h / 2, p + w / 2, y + h / 2);
    } else if (out.Side == iosBottomRight) {
      b = TRect(p - w / 2, r + 5, p + w / 2, r + 5 + h);
    } else {
      b = TRect(p - w / 2, r - 5 - h, p + w / 2, r - 5);
    }
  }
  out.Box = Shifted(b, v);
  return out;
}

double iClampPercent(double Value) {
  if (std::isnan(Value)) return 0;
  return std::clamp(Value, 0.0, 100.0);
}

// ---------------------------------------------------------------- the cursor

TiPlotDataCursor::TiPlotDataCursor(TWinControl* AOwner, TNotifyEvent AOnChange, TNotifyEvent AOnInsert,
                                   TNotifyEvent AOnRemove, TNotifyEvent AOnRename)
    : TiPlotManagerObject(AOwner, std::move(AOnChange), std::move(AOnInsert), std::move(AOnRemove),
                          std::move(AOnRename)),
      FFont(std::make_unique<TFont>()) {
  TiPlotManagerObject::SetVisible(false);
  SetEnabled(true);
  FFont->OnChange = [this](TGraphicsObject*) { DoChange(); };
  UpdatePointerStyle();
}

TiPlotDataCursor::~TiPlotDataCursor() = default;

IiPlotDataCursorHost* TiPlotDataCursor::CursorHost() const {
  return dynamic_cast<IiPlotDataCursorHost*>(GetOwner());
}

bool TiPlotDataCursor::IsXYPlot() const {
  return dynamic_cast<TiXYPlot*>(GetOwner()) != nullptr;
}

void TiPlotDataCursor::UpdatePointerStyle() {
  FPointers = iDataCursorPointers(FStyle, IsXYPlot(), GetXYAxesReversed());
}

void TiPlotDataCursor::SetChannelName(const std::string& Value) {
  if (Value == FChannelName) return;
  FChannelName = Value;
  FChannel = nullptr;
  DoChange();
}

void TiPlotDataCursor::SetStyle(TiPlotDataCursorStyle Value) {
  if (Value == FStyle) return;
  FStyle = Value;
  UpdatePointerStyle();
  DoChange();
}

void TiPlotDataCursor::SetHintOrientationSide(TiOrientationSide Value) {
  if (Value == FHintOrientationSide) return;
  FHintOrientationSide = Value;
  DoChange();
}

bool TiPlotDataCursor::GetAllChannels() const {
  return SameText(FChannelName, kAll);
}

TiPlotChannelCustom* TiPlotDataCursor::GetChannel() {
  if (FChannel) return FChannel;
  if (GetAllChannels()) return nullptr;
  TiPlotMasterManager* master = iPlotMaster(dynamic_cast<IiPlotDataHost*>(GetOwner()));
  if (!master) return nullptr;
  FChannel = dynamic_cast<TiPlotChannelCustom*>(master->GetChannelManager()->GetObjectByName(FChannelName));
  return FChannel;
}

void TiPlotDataCursor::SetVisible(bool Value) {
  TiPlotManagerObject::SetVisible(Value);
  if (Value) UpdateValues();
}

void TiPlotDataCursor::SetXYAxesReversed(bool Value) {
  TiPlotManagerObject::SetXYAxesReversed(Value);
  UpdatePointerStyle();
}

void TiPlotDataCursor::NotificationRemove(TObject* Sender) {
  TiPlotManagerObject::NotificationRemove(Sender);
  if (FChannel && Sender == FChannel) FChannel = nullptr;
  if (FDataView && Sender == FDataView) FDataView = nullptr;
}

void TiPlotDataCursor::NotificationRename(TObject* Sender) {
  TiPlotManagerObject::NotificationRename(Sender);
  // The measured channel keeps being measured under its new name, cached
  // or not yet looked up.
  auto* channel = dynamic_cast<TiPlotChannelCustom*>(Sender);
  if (channel && (channel == FChannel || (!FChannel && SameText(channel->GetNameOld(), FChannelName)))) {
    FChannelName = channel->GetName();
    FChannel = channel;
  }
}

void TiPlotDataCursor::NotificationSetFocus(TObject* Sender) {
  auto* other = dynamic_cast<TiPlotObject*>(Sender);
  if (!other || other == this || !other->GetUserSelected()) return;
  if (auto* channel = dynamic_cast<TiPlotChannelCustom*>(other)) {
    if (channel == GetChannel()) return;
    // The cursor follows the channel the user picked.
    if (GetUserSelected()) {
      SetChannelName(channel->GetName());
      return;
    }
  }
  SetUserSelected(false);
}

void TiPlotDataCursor::DoGotFocus() {
  TiPlotManagerObject::DoGotFocus();
  if (TiPlotChannelCustom* channel = GetChannel()) channel->SetUserSelected(true);
}

// ---------------------------------------------------------------- values

void TiPlotDataCursor::AskChannel(TiPlotChannelCustom* Channel) {
  TiPlotDataCursorReadout r;
  r.Pointer1Position = FPointer1Position;
  r.Pointer2Position = FPointer2Position;
  r.Style = FStyle;
  r.DataView = FDataView;
  Channel->UpdateDataCursor(r);
  SetCursorValues(r.Status, r.YValue, r.XValue);
  FCursorDisplayText = r.DisplayText;
}

void TiPlotDataCursor::UpdateValues() {
  if (IiPlotDataCursorHost* host = CursorHost()) host->DoBeforeDataCursorUpdate(this);
  if (GetAllChannels()) {
    TiPlotMasterManager* master = iPlotMaster(dynamic_cast<IiPlotDataHost*>(GetOwner()));
    if (!master) return;
    TiPlotChannelManager* channels = master->GetChannelManager();
    for (int i = 0; i < channels->Count(); ++i) AskChannel(channels->GetItem(i));
  } else if (TiPlotChannelCustom* channel = GetChannel()) {
    AskChannel(channel);
  }
}

void TiPlotDataCursor::SetCursorValues(TiPlotDataPointStatus Status, double Y, double X) {
  if (X == FValueX && Y == FValueY && Status == FStatus) return;
  FValueX = X;
  FValueY = Y;
  FStatus = Status;
  if (IiPlotDataCursorHost* host = CursorHost()) host->DoDataCursorChange(this);
}

void TiPlotDataCursor::DoSnapToDataPoint() {
  SnapPointer(1);
  SnapPointer(2);
}

namespace {

// The point of a strip-chart channel nearest to X and its distance (1e300
// when there is none).
int FindNearestDataIndex(TiPlotChannel* Channel, double X, double& Distance) {
  Distance = 1e300;
  const int n = Channel->GetCount();
  if (n == 0) return -1;
  const double first = Channel->GetX(0), last = Channel->GetX(n - 1);
  const bool rising = n < 2 || Channel->GetX(1) >= first;
  int index = -1;
  // At or beyond an end of the series: that end.
  if (rising ? X >= last : X <= last)
    index = n - 1;
  else if (rising ? X <= first : X >= first)
    index = 0;
  if (index >= 0) {
    Distance = std::fabs(Channel->GetX(index) - X);
    return index;
  }
  const int i = Channel->CalcIndex(X);
  if (i < 0) return -1;
  // The index found wins a tie, then the lower neighbour.
  index = i;
  Distance = std::fabs(Channel->GetX(i) - X);
  for (int k : {i - 1, i + 1}) {
    if (k < 0 || k >= n) continue;
    const double d = std::fabs(Channel->GetX(k) - X);
    if (d < Distance) {
      Distance = d;
      index = k;
    }
  }
  return index;
}

}  // namespace

// Snapping needs the strip chart's ordered channels; the XY plot's
// channels run back and forth and are never snapped to.
void TiPlotDataCursor::SnapPointer(int Pointer) {
  if (!FSnapToDataPoint || FStyle == ipcsDeltaY) return;
  auto* plot = dynamic_cast<TiPlot*>(GetOwner());
  if (!plot) return;
  const double percent = Pointer == 1 ? FPointer1Position : FPointer2Position;
  if (!GetAllChannels()) {
    auto* channel = dynamic_cast<TiPlotChannel*>(GetChannel());
    if (!channel || !channel->GetXAxis()) return;
    double distance;
    FSnapToIndexData =
        FindNearestDataIndex(channel, channel->GetXAxis()->PercentToPosition(percent / 100), distance);
    FSnapToIndexChannel = plot->GetChannelIndexByName(channel->GetName());
  } else {
    double best = 1e300;
    FSnapToIndexChannel = FSnapToIndexData = -1;
    for (int c = 0; c < plot->GetChannelCount(); ++c) {
      auto* channel = dynamic_cast<TiPlotChannel*>(plot->TiPlotComponent::GetChannel(c));
      if (!channel || !channel->GetXAxis()) continue;
      double distance;
      const int index =
          FindNearestDataIndex(channel, channel->GetXAxis()->PercentToPosition(percent / 100), distance);
      if (index >= 0 && distance < best) {
        best = distance;
        FSnapToIndexChannel = c;
        FSnapToIndexData = index;
      }
    }
  }
  MovePointerToDataPoint(FSnapToIndexChannel, FSnapToIndexData, 0, Pointer);
}

void TiPlotDataCursor::MovePointerToDataPoint(int ChannelIndex, int DataIndex, int Step, int Pointer) {
  auto* plot = dynamic_cast<TiPlot*>(GetOwner());
  if (!plot || ChannelIndex < 0 || ChannelIndex >= plot->GetChannelCount()) return;
  auto* channel = dynamic_cast<TiPlotChannel*>(plot->TiPlotComponent::GetChannel(ChannelIndex));
  if (!channel || channel->GetCount() == 0) return;
  TiPlotXAxis* axis = channel->GetXAxis();
  if (!axis) return;
  long long index = static_cast<long long>(DataIndex) + (axis->GetReverseScale() ? -Step : Step);
  index = std::clamp<long long>(index, 0, channel->GetCount() - 1);
  const double x = channel->GetX(static_cast<int>(index));
  // A point off the scale scrolls it into view, a fortieth of the span in.
  const double span = axis->GetSpan();
  if (x > axis->GetMax())
    axis->SetMin(x - span + span / 40);
  else if (x < axis->GetMin())
    axis->SetMin(x - span / 40);
  const double percent = axis->PositionToPercent(x) * 100;
  if (Pointer == 1)
    SetPointer1Position(percent);
  else
    SetPointer2Position(percent);
}

TiPlotDataPointStatus TiPlotDataCursor::GetInterpolatedYValue(const std::string& ChannelName, double XValue,
                                                              double& YValue) {
  YValue = 0;
  auto* plot = dynamic_cast<TiPlotComponent*>(GetOwner());
  auto* channel = plot ? dynamic_cast<TiPlotChannel*>(plot->GetChannelByName(ChannelName)) : nullptr;
  TiPlotXAxis* axis = channel ? channel->GetXAxis() : nullptr;
  if (!axis) return ipdpsNull;
  const bool visible = GetVisible();
  const TiPlotDataCursorStyle style = FStyle;
  const std::string name = FChannelName;
  const double pointer1 = FPointer1Position, min = axis->GetMin();
  axis->SetBlockMinSpanEvents(true);
  auto restore = [&] {
    SetVisible(visible);
    SetStyle(style);
    SetChannelName(name);
    SetPointer1Position(pointer1);
    axis->SetMin(min);
    axis->SetBlockMinSpanEvents(false);
  };
  try {
    SetVisible(true);
    SetStyle(ipcsValueXY);
    SetChannelName(ChannelName);
    if (FUseCachedInterpolatedData) {
      SetPointer1Position(axis->PositionToPercent(XValue) * 100);
      UpdateValues();
    } else {
      // A paint with the axis starting at XValue draws the channel there and
      // reads the cursor at its left edge.
      SetPointer1Position(0);
      axis->SetMin(XValue);
      plot->ReCalcLayout();
    }
  } catch (...) {
    restore();
    throw;
  }
  const TiPlotDataPointStatus status = FStatus;
  YValue = FValueY;
  restore();
  return status;
}

// ---------------------------------------------------------------- drawing

void TiPlotDataCursor::Draw(TCanvas* Canvas, TColor) {
  if (!FDataView || !GetVisible()) return;
  UpdateValues();
  TiPlotChannelCustom* channel = GetChannel();
  Canvas->Pen->SetColor(FUseChannelColor && channel ? channel->GetColor() : FColor);
  Canvas->Pen->SetStyle(psSolid);
  if (FPointers.Pointer1Show) DrawPointer(Canvas, true);
  if (FPointers.Pointer2Show) DrawPointer(Canvas, false);
  FHintShowing = false;
  if (FHintShow && !GetAllChannels() && (!FHintHideOnRelease || FMouseDownPointer1 || FMouseDownPointer2)) {
    DrawHint(Canvas);
    FHintShowing = true;
  }
}

void TiPlotDataCursor::DrawPointer(TCanvas* Canvas, bool First) {
  const bool dragged = First ? FMouseDownPointer1 : FMouseDownPointer2;
  Canvas->Pen->SetWidth(dragged ? 0 : FPointerPenWidth);
  const double position = First ? FPointer1Position : FPointer2Position;
  const TRect v = FDataView->GetDrawRect();
  TRect& band = First ? FPointer1Rect : FPointer2Rect;
  if ((First ? FPointers.Pointer1 : FPointers.Pointer2) == ioVertical) {
    const int x = FDataView->PositionPercentToPixelsX(position);
    Canvas->MoveTo(x, v.Top);
    Canvas->LineTo(x, v.Bottom);
    band = TRect(x - 5, v.Top, x + 6, v.Bottom);
  } else {
    const int y = FDataView->PositionPercentToPixelsY(position);
    Canvas->MoveTo(v.Left, y);
    Canvas->LineTo(v.Right, y);
    band = TRect(v.Left, y - 5, v.Right, y + 6);
  }
}

void TiPlotDataCursor::DrawHint(TCanvas* Canvas) {
  TiPlotChannelCustom* channel = GetChannel();
  std::string text = channel ? FCursorDisplayText : TranslateText("No Channel");
  if (IiPlotDataCursorHost* host = CursorHost()) host->DoDataCursorCustomizeHint(this, text);

  Canvas->Font->Assign(FFont.get());
  TiPlotDataCursorHintInput in;
  in.Orientation = FPointers.Hint;
  in.Delta = iDataCursorDeltaStyle(FStyle);
  in.Band1 = FPointer1Rect;
  in.Band2 = FPointer2Rect;
  in.Pointer1Show = FPointers.Pointer1Show;
  in.View = FDataView->GetDrawRect();
  in.TextWidth = MultiLineTextWidth(Canvas, text);
  in.TextHeight = TextHeightForWidth(Canvas, text, in.TextWidth);
  in.WidthOfA = Canvas->TextWidth("A");
  in.Along = in.Orientation == ioVertical ? FDataView->PositionPercentToPixelsY(FHintPosition)
                                          : FDataView->PositionPercentToPixelsX(FHintPosition);
  in.Side = FHintOrientationSide;
  const TiPlotDataCursorHint hint = iDataCursorHintBox(in);
  FHintOrientationSide = hint.Side;  // the hint stays on the side it flipped to
  FHintRect = hint.Box;
  const TRect& b = FHintRect;

  if (in.Delta) {
    Canvas->Pen->SetStyle(psDot);
    Canvas->Pen->SetWidth(1);
    Canvas->Brush->SetStyle(bsClear);
    const TPoint c1 = Centre(FPointer1Rect), c2 = Centre(FPointer2Rect), mid = Centre(b);
    if (in.Orientation == ioVertical) {
      Canvas->MoveTo(c1.X, mid.Y);
      Canvas->LineTo(c2.X, mid.Y);
    } else {
      Canvas->MoveTo(mid.X, c1.Y);
      Canvas->LineTo(mid.X, c2.Y);
    }
  }
  Canvas->Pen->SetStyle(psSolid);
  Canvas->Pen->SetWidth(1);
  Canvas->Pen->SetColor(FUseChannelColor && channel ? channel->GetColor() : clBlack);
  Canvas->Brush->SetStyle(bsSolid);
  Canvas->Brush->SetColor(clInfoBk);
  Canvas->Font->SetColor(clInfoText);
  Canvas->Rectangle(b);
  TRect textRect(b.Left + 2, b.Top + 1, b.Right, b.Bottom);
  Canvas->Brush->SetStyle(bsClear);
  DrawTextWithFlags(Canvas, text, textRect, clInfoBk, true,
                    iTextFlagLeft | iTextFlagVCenter | iTextFlagNoClip);
  Canvas->Rectangle(b);
  if (GetUserSelected()) {
    Canvas->Font->SetColor(clWhite);
    DrawFocusRectangle(Canvas, InflateRect(b, 2, 2));
  }
}

// ---------------------------------------------------------------- mouse

bool TiPlotDataCursor::iMouseHitTest(const TiPlotMouseData& MouseData) {
  if (!FDataView) return false;
  const TPoint p(MouseData.X, MouseData.Y);
  return (FPointers.Pointer1Show && FPointer1Rect.Contains(p)) ||
         (FPointers.Pointer2Show && FPointer2Rect.Contains(p)) || (FHintShowing && FHintRect.Contains(p));
}

TCursor TiPlotDataCursor::GetMouseCursor(TPoint) {
  TCursor cursor = crHandPoint;
  if (auto* host = dynamic_cast<IiPlotDataHost*>(GetOwner())) host->DoObjectGetMouseCursor(this, cursor);
  return cursor;
}

void TiPlotDataCursor::DoMouseLeft(TiPlotMouseData& MouseData) {
  TiPlotManagerObject::DoMouseLeft(MouseData);
  FMouseDownX = MouseData.X;
  FMouseDownY = MouseData.Y;
  if (!FDataView) return;
  const TPoint p(MouseData.X, MouseData.Y);
  double position;
  if (FHintShowing && FHintRect.Contains(p)) {
    FMouseDownHint = true;
    position = FHintPosition;
  } else if (FPointers.Pointer1Show && FPointer1Rect.Contains(p)) {
    FMouseDownPointer1 = true;
    position = FPointer1Position;
  } else if (FPointers.Pointer2Show && FPointer2Rect.Contains(p)) {
    FMouseDownPointer2 = true;
    position = FPointer2Position;
  } else {
    return;
  }
  FMouseDownXPixels = FDataView->PositionPercentToPixelsX(position);
  FMouseDownYPixels = FDataView->PositionPercentToPixelsY(position);
  InvalidateNow();
  if (!FMouseDownHint) UpdateValues();
}

void TiPlotDataCursor::DoMouseMove(TiPlotMouseData& MouseData) {
  if (!FDataView || !Dragging()) return;
  const TiOrientation o = FMouseDownHint       ? FPointers.Hint
                          : FMouseDownPointer1 ? FPointers.Pointer1
                                               : FPointers.Pointer2;
  // A hint moves along its pointer, a pointer across itself.
  const bool alongX = FMouseDownHint ? o == ioHorizontal : o == ioVertical;
  const double percent = iClampPercent(
      alongX ? FDataView->PixelsXToPositionPercent(MouseData.X + FMouseDownXPixels - FMouseDownX)
             : FDataView->PixelsYToPositionPercent(MouseData.Y + FMouseDownYPixels - FMouseDownY));
  (FMouseDownHint ? FHintPosition : FMouseDownPointer1 ? FPointer1Position : FPointer2Position) = percent;
  UpdateValues();
  InvalidateNow();
}

void TiPlotDataCursor::DoMouseUp(TiPlotMouseData& MouseData) {
  if (!Dragging()) return;
  if (FMouseDownPointer1) SnapPointer(1);
  if (FMouseDownPointer2) SnapPointer(2);
  FMouseDownHint = FMouseDownPointer1 = FMouseDownPointer2 = false;
  InvalidateNow();
  if (FMouseDown && iMouseHitTest(MouseData))
    if (auto* host = dynamic_cast<IiPlotDataHost*>(GetOwner())) host->DoObjectClick(this);
}

// ---------------------------------------------------------------- keys

void TiPlotDataCursor::iKeyDown(std::uint16_t& Key, TShiftState Shift, TPopupMenu* PopupMenu) {
  TiPlotManagerObject::iKeyDown(Key, Shift, PopupMenu);
  if (!FDataView) return;
  const bool ctrl = Shift.Contains(ssCtrl);
  if (FSnapToDataPoint)
    KeyMoveSnapped(Key, ctrl);
  else
    KeyMoveFree(Key, ctrl);
}

void TiPlotDataCursor::KeyMoveFree(std::uint16_t Key, bool Ctrl) {
  const double dx =
      std::fabs(FDataView->PixelsXToPositionPercent(101) - FDataView->PixelsXToPositionPercent(100));
  const double dy =
      std::fabs(FDataView->PixelsYToPositionPercent(101) - FDataView->PixelsYToPositionPercent(100));
  auto step = [&](TiOrientation o) { return o == ioVertical ? dx : dy; };
  auto movePointer = [&](double& Position, TiOrientation o) {
    switch (Key) {
      case VK_PRIOR:
        Position += 5 * step(o);
        break;
      case VK_NEXT:
        Position -= 5 * step(o);
        break;
      case VK_END:
        Position = 100;
        break;
      case VK_HOME:
        Position = 0;
        break;
      case VK_LEFT:
      case VK_RIGHT:
        if (o == ioVertical) Position += Key == VK_RIGHT ? dx : -dx;
        break;
      case VK_UP:
      case VK_DOWN:
        if (o == ioHorizontal) Position += Key == VK_UP ? dy : -dy;
        break;
    }
  };
  const bool arrow = Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN;
  if (!arrow && Key != VK_PRIOR && Key != VK_NEXT && Key != VK_END && Key != VK_HOME) return;
  if (Ctrl) {
    if (FPointers.Pointer2Show) movePointer(FPointer2Position, FPointers.Pointer2);
  } else if (arrow) {
    const bool horizontalKey = Key == VK_LEFT || Key == VK_RIGHT;
    const double sign = Key == VK_RIGHT || Key == VK_UP ? 1 : -1;
    if (FHintShow && FPointers.Hint == (horizontalKey ? ioHorizontal : ioVertical))
      FHintPosition += sign * (horizontalKey ? dx : dy);
    if (FPointers.Pointer1Show) movePointer(FPointer1Position, FPointers.Pointer1);
  } else {
    movePointer(FPointer1Position, FPointers.Pointer1);
  }
  FHintPosition = iClampPercent(FHintPosition);
  FPointer1Position = iClampPercent(FPointer1Position);
  FPointer2Position = iClampPercent(FPointer2Position);
  InvalidateNow();
}

void TiPlotDataCursor::KeyMoveSnapped(std::uint16_t Key, bool Ctrl) {
  if (Ctrl && !FPointers.Pointer2Show) return;
  const int n = Ctrl ? 2 : 1;
  std::uint16_t key = Key;
  // With the axes exchanged the arrows swap their roles.
  if (GetXYAxesReversed()) {
    switch (Key) {
      case VK_LEFT:
        key = VK_DOWN;
        break;
      case VK_RIGHT:
        key = VK_UP;
        break;
      case VK_UP:
        key = VK_RIGHT;
        break;
      case VK_DOWN:
        key = VK_LEFT;
        break;
    }
  }
  switch (key) {
    case VK_UP:
      StepHint(1);
      return;
    case VK_DOWN:
      StepHint(-1);
      return;
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_RIGHT:
      break;
    default:
      return;
  }
  SnapPointer(n);
  int index = FSnapToIndexData, step = 0;
  switch (key) {
    case VK_PRIOR:
      step = 5;
      break;
    case VK_NEXT:
      step = -5;
      break;
    case VK_END:
      index = 0x7FFFFFFF;  // the last point, after clamping
      break;
    case VK_HOME:
      index = 0;
      break;
    case VK_LEFT:
      step = -1;
      break;
    default:
      step = 1;
      break;
  }
  MovePointerToDataPoint(FSnapToIndexChannel, index, step, n);
}

void TiPlotDataCursor::StepHint(int Direction) {
  const double pixel =
      FPointers.Hint == ioVertical
          ? std::fabs(FDataView->PixelsYToPositionPercent(101) - FDataView->PixelsYToPositionPercent(100))
          : std::fabs(FDataView->PixelsXToPositionPercent(101) - FDataView->PixelsXToPositionPercent(100));
  FHintPosition = iClampPercent(FHintPosition + Direction * pixel);
  InvalidateNow();
}

// ---------------------------------------------------------------- popup

void TiPlotDataCursor::BuildPopupMenu(TPopupMenu* PopupMenu) {
  TiPlotManagerObject::BuildPopupMenu(PopupMenu);
  TMenuItem* items = PopupMenu->GetItems();
  auto add = [&](TMenuItem* Parent, const std::string& Caption) {
    auto* item = new TiMenuItem(PopupMenu);
    item->SetCaption(TranslateText(Caption));
    Parent->Add(item);
    return item;
  };

  TMenuItem* channels = add(items, "Channel");
  if (FChannelAllowAll) {
    TMenuItem* all = add(channels, kAll);
    all->SetChecked(GetAllChannels());
    all->OnClick = [this](TObject*) {
      SetChannelName(kAll);
      if (TiPlotMasterManager* master = iPlotMaster(dynamic_cast<IiPlotDataHost*>(GetOwner()))) {
        TiPlotChannelManager* list = master->GetChannelManager();
        for (int i = 0; i < list->Count(); ++i) list->GetItem(i)->SetUserSelected(false);
      }
    };
  }
  if (TiPlotMasterManager* master = iPlotMaster(dynamic_cast<IiPlotDataHost*>(GetOwner()))) {
    TiPlotChannelManager* list = master->GetChannelManager();
    for (int i = 0; i < list->Count(); ++i) {
      TiPlotChannelCustom* channel = list->GetItem(i);
      if (!channel->GetVisible()) continue;
      auto* item = new TiMenuItem(PopupMenu);
      item->SetCaption(WithoutLineBreaks(channel->GetTitleText()));
      item->AString = channel->GetName();
      item->SetChecked(item->AString == FChannelName);
      item->OnClick = [this, item](TObject*) {
        SetChannelName(item->AString);
        if (TiPlotChannelCustom* picked = GetChannel()) picked->SetUserSelected(true);
        DoSnapToDataPoint();
      };
      channels->Add(item);
    }
  }

  TMenuItem* styles = add(items, "Style");
  for (int s = ipcsValueXY; s <= ipcsInverseDeltaX; ++s) {
    const auto style = static_cast<TiPlotDataCursorStyle>(s);
    TMenuItem* item = add(styles, FMenuItemCaption[s]);
    item->SetChecked(style == FStyle);
    item->SetVisible(FMenuItemVisible[s]);
    item->OnClick = [this, style](TObject*) { SetStyle(style); };
  }

  if (FMenuUserCanChangeOptions) {
    TMenuItem* options = add(items, "Options");
    TMenuItem* channelColor = add(options, "Use Channel Color");
    channelColor->SetChecked(FUseChannelColor);
    channelColor->OnClick = [this](TObject*) {
      FUseChannelColor = !FUseChannelColor;
      InvalidateNow();
    };
    TMenuItem* hideOnRelease = add(options, "Hide Hint On Release");
    hideOnRelease->SetChecked(FHintHideOnRelease);
    hideOnRelease->OnClick = [this](TObject*) {
      FHintHideOnRelease = !FHintHideOnRelease;
      InvalidateNow();
    };
    TMenuItem* flip = add(options, "Flip Alignment");
    flip->SetEnabled((FStyle == ipcsValueXY || FStyle == ipcsValueX || FStyle == ipcsValueY) &&
                     !GetAllChannels());
    flip->OnClick = [this](TObject*) {
      FHintOrientationSide = FHintOrientationSide == iosBottomRight ? iosTopLeft : iosBottomRight;
      InvalidateNow();
    };
  }

  if (!IsXYPlot()) {
    TMenuItem* snap = add(items, "Snap to Data-Point");
    snap->SetChecked(FSnapToDataPoint);
    snap->OnClick = [this](TObject*) {
      FSnapToDataPoint = !FSnapToDataPoint;
      if (FSnapToDataPoint) DoSnapToDataPoint();
    };
  }
  AddEditMenuItem(PopupMenu);
}
