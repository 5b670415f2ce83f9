#include "instruments/plot/iPlotDataView.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "instruments/base/iDrawing.h"
#include "instruments/base/iProperties.h"
#include "instruments/plot/iPlotAxis.h"
#include "platform/classlib/Keys.h"
#include "platform/sys/SysUtils.h"

namespace {
const TiRegisterProperties<TiPlotDataView, TiPlotLayoutObject> kProperties(
    [](TiPropertyBuilder<TiPlotDataView>& b) {
      using V = TiPlotDataView;
      b.Add("Title", &V::GetTitle, &V::SetTitle);
      b.Add("BackgroundTransparent", &V::GetBackgroundTransparent, &V::SetBackgroundTransparent, 1);
      b.Add("BackgroundColor", &V::GetBackgroundColor, &V::SetBackgroundColor, 0x808000);
      b.Add("GridXAxisName", &V::GetGridXAxisName, &V::SetGridXAxisName);
      b.Add("GridYAxisName", &V::GetGridYAxisName, &V::SetGridYAxisName);
      b.Add("GridShow", &V::GetGridShow, &V::SetGridShow, 1);
      b.Add("GridLineColor", &V::GetGridLineColor, &V::SetGridLineColor, 0x008000);
      b.Add("GridLineShowLeft", &V::GetGridLineShowLeft, &V::SetGridLineShowLeft, 1);
      b.Add("GridLineShowRight", &V::GetGridLineShowRight, &V::SetGridLineShowRight, 1);
      b.Add("GridLineShowTop", &V::GetGridLineShowTop, &V::SetGridLineShowTop, 1);
      b.Add("GridLineShowBottom", &V::GetGridLineShowBottom, &V::SetGridLineShowBottom, 1);
      b.Add("GridLineShowXMajors", &V::GetGridLineShowXMajors, &V::SetGridLineShowXMajors, 1);
      b.Add("GridLineShowYMajors", &V::GetGridLineShowYMajors, &V::SetGridLineShowYMajors, 1);
      b.Add("GridLineShowXMinors", &V::GetGridLineShowXMinors, &V::SetGridLineShowXMinors, 0);
      b.Add("GridLineShowYMinors", &V::GetGridLineShowYMinors, &V::SetGridLineShowYMinors, 0);
      b.Add("GridLineMajorStyle", &V::GetGridLineMajorStyle, &V::SetGridLineMajorStyle, ipglsSolid, ipglsDot);
      b.Add("GridLineMinorStyle", &V::GetGridLineMinorStyle, &V::SetGridLineMinorStyle, ipglsSolid, ipglsDot);
#define TI_GRID_LINE(Name)                                                                                \
  b.Add("GridLine" #Name "Custom", &V::GetGridLine##Name##Custom, &V::SetGridLine##Name##Custom, 0);      \
  b.Add("GridLine" #Name "Color", &V::GetGridLine##Name##Color, &V::SetGridLine##Name##Color, 0x008000);  \
  b.Add("GridLine" #Name "Width", &V::GetGridLine##Name##Width, &V::SetGridLine##Name##Width, 0);         \
  b.Add("GridLine" #Name "Style", &V::GetGridLine##Name##Style, &V::SetGridLine##Name##Style, ipglsSolid, \
        ipglsDot);
      TI_GRID_LINE(XMajor)
      TI_GRID_LINE(XMinor)
      TI_GRID_LINE(YMajor)
      TI_GRID_LINE(YMinor)
#undef TI_GRID_LINE
      b.Add("AxesControlEnabled", &V::GetAxesControlEnabled, &V::SetAxesControlEnabled, 0);
      b.Add("AxesControlMouseStyle", &V::GetAxesControlMouseStyle, &V::SetAxesControlMouseStyle, ipacsBoth,
            ipacsNone);
      b.Add("AxesControlWheelStyle", &V::GetAxesControlWheelStyle, &V::SetAxesControlWheelStyle, ipacsXAxis,
            ipacsNone);
      b.Add("AxesControlAllowInSelectMode", &V::GetAxesControlAllowInSelectMode,
            &V::SetAxesControlAllowInSelectMode, 0);
    });

constexpr double kPixelLimit = 32000;

bool IsAll(const std::string& Name) {
  return SameText(Name, "<ALL>");
}
}  // namespace

int iPlotClampPixels(double X) {
  if (std::isnan(X)) return 0;
  return static_cast<int>(std::nearbyint(std::clamp(X, -kPixelLimit, kPixelLimit)));
}

TiPlotDataView::TiPlotDataView(TWinControl* AOwner, TNotifyEvent AOnChange, TNotifyEvent AOnInsert,
                               TNotifyEvent AOnRemove, TNotifyEvent AOnRename)
    : TiPlotLayoutObject(AOwner, std::move(AOnChange), std::move(AOnInsert), std::move(AOnRemove),
                         std::move(AOnRename)) {}

// Out of line: the class's table above is linked with it.
TiPlotDataView::~TiPlotDataView() = default;

void TiPlotDataView::SetGridXAxisName(const std::string& Value) {
  if (Value == FGridXAxisName) return;
  FGridXAxisName = Value;
  FXAxis = nullptr;
  DoChange();
}

void TiPlotDataView::SetGridYAxisName(const std::string& Value) {
  if (Value == FGridYAxisName) return;
  FGridYAxisName = Value;
  FYAxis = nullptr;
  DoChange();
}

TiPlotXAxis* TiPlotDataView::GetGridXAxis() {
  if (!FXAxis) FXAxis = iPlotXAxisByName(DataHost(), FGridXAxisName);
  return FXAxis;
}

TiPlotYAxis* TiPlotDataView::GetGridYAxis() {
  if (!FYAxis) FYAxis = iPlotYAxisByName(DataHost(), FGridYAxisName);
  return FYAxis;
}

TiPlotGridLines TiPlotDataView::GridLines(const TGridLineCustom& Major, const TGridLineCustom& Minor,
                                          bool ShowMajors, bool ShowMinors) const {
  const TiPlotGridLinePen major =
      Major.Custom ? Major.Pen : TiPlotGridLinePen{FGridLineColor, 0, FGridLineMajorStyle};
  const TiPlotGridLinePen minor =
      Minor.Custom ? Minor.Pen : TiPlotGridLinePen{FGridLineColor, 0, FGridLineMinorStyle};
  TiPlotGridLines g;
  g.MajorColor = major.Color;
  g.MajorWidth = major.Width;
  g.MajorStyle = major.Style;
  g.MinorColor = minor.Color;
  g.MinorWidth = minor.Width;
  g.MinorStyle = minor.Style;
  g.ShowMajors = ShowMajors;
  g.ShowMinors = ShowMinors;
  return g;
}

TiPlotGridLines TiPlotDataView::GetGridLinesX() const {
  return GridLines(FXMajor, FXMinor, FGridLineShowXMajors, FGridLineShowXMinors);
}

TiPlotGridLines TiPlotDataView::GetGridLinesY() const {
  return GridLines(FYMajor, FYMinor, FGridLineShowYMajors, FGridLineShowYMinors);
}

// ---------------------------------------------------------------- percent conversions

// A view without width or height has no inside: every pixel is at 0 percent.
double TiPlotDataView::PixelsXToPositionPercent(int X) const {
  const int w = GetWidth();
  return w == 0 ? 0 : static_cast<double>(X - GetDrawRect().Left) / w * 100;
}

double TiPlotDataView::PixelsYToPositionPercent(int Y) const {
  const int h = GetHeight();
  return h == 0 ? 0 : (1 - static_cast<double>(Y - GetDrawRect().Top) / h) * 100;
}

int TiPlotDataView::PositionPercentToPixelsX(double P) const {
  return iPlotClampPixels(GetWidth() * P / 100 + GetDrawRect().Left);
}

int TiPlotDataView::PositionPercentToPixelsY(double P) const {
  return iPlotClampPixels(GetHeight() * (100 - P) / 100 + GetDrawRect().Top);
}

// ---------------------------------------------------------------- drawing

void TiPlotDataView::DrawBackground(TCanvas* Canvas) {
  if (FBackgroundTransparent) return;
  Canvas->Brush->SetStyle(bsSolid);
  Canvas->Brush->SetColor(FBackgroundColor);
  Canvas->FillRect(GetDrawRect());
}

void TiPlotDataView::DrawZoomBox(TCanvas* Canvas) {
  if (!FZoomBoxActive) return;
  Canvas->Font->SetColor(clWhite);
  DrawFocusRectangle(Canvas, GetZoomBoxRect());
}

void TiPlotDataView::DrawDirectionGrid(TCanvas* Canvas, bool XDirection) {
  IiPlotDataHost* host = DataHost();
  const TiPlotGridLines lines = XDirection ? GetGridLinesX() : GetGridLinesY();
  const TRect r = GetDrawRect();
  if (IsAll(XDirection ? FGridXAxisName : FGridYAxisName)) {
    const int n = XDirection ? iPlotXAxisCount(host) : iPlotYAxisCount(host);
    for (int i = 0; i < n; ++i) {
      TiPlotAxis* a = XDirection ? static_cast<TiPlotAxis*>(iPlotXAxis(host, i)) : iPlotYAxis(host, i);
      if (a) a->DrawGridLines(Canvas, r, lines);
    }
  } else if (TiPlotAxis* a = XDirection ? static_cast<TiPlotAxis*>(GetGridXAxis()) : GetGridYAxis()) {
    a->DrawGridLines(Canvas, r, lines);
  }
}

void TiPlotDataView::Draw(TCanvas* Canvas, TColor BackGroundColor) {
  const TRect r = GetDrawRect();
  if (FGridShow) {
    Canvas->Brush->SetColor(BackGroundColor);
    DrawDirectionGrid(Canvas, true);
    DrawDirectionGrid(Canvas, false);
  }
  auto borders = [&] {
    if (FGridLineShowLeft) Canvas->Polyline({TPoint(r.Left, r.Top), TPoint(r.Left, r.Bottom)});
    if (FGridLineShowRight) Canvas->Polyline({TPoint(r.Right, r.Top), TPoint(r.Right, r.Bottom)});
    if (FGridLineShowTop) Canvas->Polyline({TPoint(r.Left, r.Top), TPoint(r.Right, r.Top)});
    if (FGridLineShowBottom) Canvas->Polyline({TPoint(r.Left, r.Bottom), TPoint(r.Right + 1, r.Bottom)});
  };
  Canvas->Pen->SetColor(FGridLineColor);
  Canvas->Pen->SetStyle(psSolid);
  Canvas->Pen->SetWidth(0);
  borders();
  if (GetUserSelected()) {
    Canvas->Brush->SetStyle(bsClear);
    Canvas->Pen->SetColor(BackGroundColor);
    borders();
    Canvas->Font->SetColor(clWhite);
    DrawFocusRectangle(Canvas, TRect(r.Left, r.Top, r.Right + 1, r.Bottom + 1));
  }
}

// ---------------------------------------------------------------- mouse

int TiPlotDataView::GetMouseMode() {
  int mode = 0;
  if (FAxesControlEnabled) mode = 3;
  // Without a plot (or a toolbar) no toolbar mode applies.
  if (IiPlotDataHost* host = DataHost()) {
    if (host->GetToolBarZoomBoxActive()) mode = 1;
    if (host->GetToolBarSelectActive() && !FAxesControlAllowInSelectMode) mode = 2;
  }
  return mode;
}

TiPlotObject* TiPlotDataView::GetMouseOverObject(int, int) {
  FMouseOverObject = this;
  return this;
}

TCursor TiPlotDataView::GetMouseCursor(TPoint APoint) {
  TCursor c = TiPlotLayoutObject::GetMouseCursor(APoint);
  if (FMouseOverObject != this) return c;
  switch (GetMouseMode()) {
    case 1:
      c = crDrag;
      break;
    case 3:
      c = crHandPoint;
      break;
    default:
      c = crDefault;
  }
  if (IiPlotDataHost* host = DataHost()) host->DoObjectGetMouseCursor(this, c);
  return c;
}

template <class F>
void TiPlotDataView::ForControlledAxes(F&& Fn) {
  IiPlotDataHost* host = DataHost();
  if (!(FDirectionLock && !FDirectionLockXAxis))
    for (int i = 0; i < iPlotXAxisCount(host); ++i) Fn(static_cast<TiPlotAxis*>(iPlotXAxis(host, i)));
  if (!(FDirectionLock && FDirectionLockXAxis))
    for (int i = 0; i < iPlotYAxisCount(host); ++i) Fn(static_cast<TiPlotAxis*>(iPlotYAxis(host, i)));
}

void TiPlotDataView::DoMouseLeft(TiPlotMouseData& MouseData) {
  FDirectionLock = false;
  FMouseDownLeft = true;
  const int mode = GetMouseMode();
  if (mode == 1) {
    if (IiPlotDataHost* host = DataHost()) host->DisableAllTracking();
    FMouseDownX = FMouseMoveX = MouseData.X;
    FMouseDownY = FMouseMoveY = MouseData.Y;
    FZoomBoxActive = true;
    InvalidateNow();
  } else if (mode == 3) {
    FMouseDownX = MouseData.X;
    FMouseDownY = MouseData.Y;
    ForControlledAxes([&](TiPlotAxis* a) {
      a->iMouseDown(mbLeft, GetShiftState(), MouseData.X, MouseData.Y, MouseData.ScreenX, MouseData.ScreenY,
                    nullptr);
    });
  }
}

void TiPlotDataView::DoMouseRight(TiPlotMouseData& MouseData) {
  if (GetMouseMode() != 3) return;
  FMouseDownRight = true;
  FMouseDownX = FMouseMoveX = MouseData.X;
  FMouseDownY = FMouseMoveY = MouseData.Y;
}

void TiPlotDataView::DoMouseMove(TiPlotMouseData& MouseData) {
  if (!FMouseDownLeft && !FMouseDownRight) return;
  if (FZoomBoxActive) {
    if (MouseData.DblClickActive) return;
    FMouseMoveX = MouseData.X;
    FMouseMoveY = MouseData.Y;
    InvalidateNow();
    return;
  }
  if (GetMouseMode() != 3) return;
  if (FMouseDownRight) {
    if (std::abs(MouseData.X - FMouseDownX) > 5 || std::abs(MouseData.Y - FMouseDownY) > 5) {
      FMouseMoveX = MouseData.X;
      FMouseMoveY = MouseData.Y;
      FZoomBoxActive = true;
      CancelPopup();
      if (IiPlotDataHost* host = DataHost()) host->DisableAllTracking();
      InvalidateNow();
    }
    return;
  }
  const bool shift = GetShiftState().Contains(ssShift);
  switch (FAxesControlMouseStyle) {
    case ipacsXAxis:
      FDirectionLock = true;
      FDirectionLockXAxis = !shift;
      break;
    case ipacsYAxis:
      FDirectionLock = true;
      FDirectionLockXAxis = shift;
      break;
    case ipacsBoth:
      if (!shift) {
        FDirectionLock = false;
      } else if (!FDirectionLock) {
        if (std::abs(MouseData.X - FMouseDownX) > 3) {
          FDirectionLock = true;
          FDirectionLockXAxis = true;
        }
        if (std::abs(MouseData.Y - FMouseDownY) > 3) {
          FDirectionLock = true;
          FDirectionLockXAxis = false;
        }
      }
      break;
    case ipacsNone:
      return;
  }
  TiHintData hint;
  ForControlledAxes([&](TiPlotAxis* a) {
    a->iMouseMove(hint, GetShiftState(), MouseData.X, MouseData.Y, MouseData.ScreenX, MouseData.ScreenY,
                  MouseData.DblClickActive);
  });
}

void TiPlotDataView::DoMouseUp(TiPlotMouseData& MouseData) {
  if (!FMouseDownLeft && !FMouseDownRight) return;
  if (FZoomBoxActive) {
    if (!MouseData.DblClickActive && FMouseDownX < FMouseMoveX && FMouseDownY < FMouseMoveY) {
      ZoomToRect(GetZoomBoxRect());
      InvalidateNow();
    }
  } else if (GetMouseMode() == 3) {
    FDirectionLock = false;
    ForControlledAxes([&](TiPlotAxis* a) {
      a->iMouseUp(mbLeft, GetShiftState(), MouseData.X, MouseData.Y, MouseData.ScreenX, MouseData.ScreenY,
                  MouseData.DblClickActive, nullptr);
    });
  }
  if (GetDrawRect().Contains(TPoint(MouseData.X, MouseData.Y)))
    if (IiPlotDataHost* host = DataHost()) host->DoObjectClick(this);
  FMouseDownLeft = false;
  FMouseDownRight = false;
  FZoomBoxActive = false;
  InvalidateNow();
}

bool TiPlotDataView::DoMouseWheel(int WheelDelta, TShiftState Shift, int X, int Y) {
  if (GetMouseMode() != 3) return false;
  const bool shift = Shift.Contains(ssShift);
  switch (FAxesControlWheelStyle) {
    case ipacsXAxis:
      FDirectionLock = true;
      FDirectionLockXAxis = !shift;
      break;
    case ipacsYAxis:
      FDirectionLock = true;
      FDirectionLockXAxis = shift;
      break;
    case ipacsBoth:
      FDirectionLock = false;
      break;
    case ipacsNone:
      return false;
  }
  ForControlledAxes([&](TiPlotAxis* a) { a->iMouseWheel(WheelDelta, Shift, TPoint(X, Y)); });
  return true;
}

void TiPlotDataView::ZoomToRect(const TRect& Rect) {
  IiPlotDataHost* host = DataHost();
  if (!host) return;
  bool cancel = false;
  host->DoBeforeZoomBox(Rect, cancel);
  if (cancel) return;
  auto zoom = [&](TiPlotAxis* a) { a->ZoomToRect(Rect); };
  for (int i = 0; i < iPlotXAxisCount(host); ++i) zoom(iPlotXAxis(host, i));
  for (int i = 0; i < iPlotYAxisCount(host); ++i) zoom(iPlotYAxis(host, i));
}

void TiPlotDataView::iKeyDown(std::uint16_t& Key, TShiftState Shift, TPopupMenu* PopupMenu) {
  TiPlotLayoutObject::iKeyDown(Key, Shift, PopupMenu);
  if (Key == VK_ESCAPE && FZoomBoxActive) {
    FZoomBoxActive = false;
    InvalidateNow();
  }
}

void TiPlotDataView::BuildPopupMenu(TPopupMenu* PopupMenu) {
  TiPlotLayoutObject::BuildPopupMenu(PopupMenu);
  AddEditMenuItem(PopupMenu);
}

// ---------------------------------------------------------------- notices

void TiPlotDataView::NotificationRemove(TObject* Sender) {
  if (Sender == FXAxis) FXAxis = nullptr;
  if (Sender == FYAxis) FYAxis = nullptr;
}

void TiPlotDataView::NotificationRename(TObject* Sender) {
  if (FXAxis && Sender == FXAxis) {
    auto* axis = FXAxis;
    SetGridXAxisName(axis->GetName());
    FXAxis = axis;
  }
  if (FYAxis && Sender == FYAxis) {
    auto* axis = FYAxis;
    SetGridYAxisName(axis->GetName());
    FYAxis = axis;
  }
}

void TiPlotDataView::NotificationSetFocus(TObject* Sender) {
  auto* other = dynamic_cast<TiPlotObject*>(Sender);
  if (other && other != this && other->GetUserSelected()) SetUserSelected(false);
}
