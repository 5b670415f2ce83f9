#pragma once
// The data view: the plot area round which the layout objects stack and in
// which channels, limits, cursors and annotations draw. It paints its
// background, the grid of its grid axes and its border, converts between
// pixels and percent of its rectangle, and turns mouse input inside it
// into axis control: drags pan or zoom the axes, the wheel drives them, and
// a rubber-band box zooms every axis to the boxed region.

#include <string>

#include "instruments/plot/iPlotAxis.h"
#include "instruments/plot/iPlotDataHost.h"
#include "instruments/plot/iPlotObjects.h"

class TiPlotAxis;

enum TiPlotAxesControlStyle { ipacsXAxis, ipacsYAxis, ipacsBoth, ipacsNone };

// How one kind of grid line (major or minor) is drawn.
struct TiPlotGridLinePen {
  TColor Color = 0x008000;
  int Width = 0;
  TiPlotGridLineStyle Style = ipglsSolid;
};

// A pixel coordinate far outside any screen (or not a number) is limited
// before it becomes an integer.
int iPlotClampPixels(double X);

class TiPlotDataView : public TiPlotLayoutObject {
 public:
  TiPlotDataView(TWinControl* AOwner, TNotifyEvent AOnChange, TNotifyEvent AOnInsert, TNotifyEvent AOnRemove,
                 TNotifyEvent AOnRename);
  ~TiPlotDataView() override;

  const std::string& GetTitle() const { return FTitle; }
  void SetTitle(const std::string& Value) { SetStringProperty(Value, FTitle, &TiPlotObject::DoChange); }
  bool GetBackgroundTransparent() const { return FBackgroundTransparent; }
  void SetBackgroundTransparent(bool Value) {
    SetBooleanProperty(Value, FBackgroundTransparent, &TiPlotObject::DoChange);
  }
  TColor GetBackgroundColor() const { return FBackgroundColor; }
  void SetBackgroundColor(TColor Value) {
    SetColorProperty(Value, FBackgroundColor, &TiPlotObject::DoChange);
  }
  const std::string& GetGridXAxisName() const { return FGridXAxisName; }
  void SetGridXAxisName(const std::string& Value);
  const std::string& GetGridYAxisName() const { return FGridYAxisName; }
  void SetGridYAxisName(const std::string& Value);
  bool GetGridShow() const { return FGridShow; }
  void SetGridShow(bool Value) { SetBooleanProperty(Value, FGridShow, &TiPlotObject::DoChange); }
  TColor GetGridLineColor() const { return FGridLineColor; }
  void SetGridLineColor(TColor Value) { SetColorProperty(Value, FGridLineColor, &TiPlotObject::DoChange); }
  TiPlotGridLineStyle GetGridLineMajorStyle() const { return FGridLineMajorStyle; }
  void SetGridLineMajorStyle(TiPlotGridLineStyle Value) { SetEnum(Value, FGridLineMajorStyle); }
  TiPlotGridLineStyle GetGridLineMinorStyle() const { return FGridLineMinorStyle; }
  void SetGridLineMinorStyle(TiPlotGridLineStyle Value) { SetEnum(Value, FGridLineMinorStyle); }

#define TI_FLAG(Name)                                            \
  bool Get##Name() const {                                       \
    return F##Name;                                              \
  }                                                              \
  void Set##Name(bool Value) {                                   \
    SetBooleanProperty(Value, F##Name, &TiPlotObject::DoChange); \
  }
  TI_FLAG(GridLineShowLeft)
  TI_FLAG(GridLineShowRight)
  TI_FLAG(GridLineShowTop)
  TI_FLAG(GridLineShowBottom)
  TI_FLAG(GridLineShowXMajors)
  TI_FLAG(GridLineShowYMajors)
  TI_FLAG(GridLineShowXMinors)
  TI_FLAG(GridLineShowYMinors)
  TI_FLAG(AxesControlAllowInSelectMode)
#undef TI_FLAG

  // The four specific grid-line settings (X and Y, major and minor).
#define TI_GRID_LINE(Name)                                                 \
  bool GetGridLine##Name##Custom() const {                                 \
    return F##Name.Custom;                                                 \
  }                                                                        \
  void SetGridLine##Name##Custom(bool Value) {                             \
    SetBooleanProperty(Value, F##Name.Custom, &TiPlotObject::DoChange);    \
  }                                                                        \
  TColor GetGridLine##Name##Color() const {                                \
    return F##Name.Pen.Color;                                              \
  }                                                                        \
  void SetGridLine##Name##Color(TColor Value) {                            \
    SetColorProperty(Value, F##Name.Pen.Color, &TiPlotObject::DoChange);   \
  }                                                                        \
  int GetGridLine##Name##Width() const {                                   \
    return F##Name.Pen.Width;                                              \
  }                                                                        \
  void SetGridLine##Name##Width(int Value) {                               \
    SetIntegerProperty(Value, F##Name.Pen.Width, &TiPlotObject::DoChange); \
  }                                                                        \
  TiPlotGridLineStyle GetGridLine##Name##Style() const {                   \
    return F##Name.Pen.Style;                                              \
  }                                                                        \
  void SetGridLine##Name##Style(TiPlotGridLineStyle Value) {               \
    SetEnum(Value, F##Name.Pen.Style);                                     \
  }
  TI_GRID_LINE(XMajor)
  TI_GRID_LINE(XMinor)
  TI_GRID_LINE(YMajor)
  TI_GRID_LINE(YMinor)
#undef TI_GRID_LINE

  // Axis control: plain fields, no change notice (nothing is drawn differently).
  bool GetAxesControlEnabled() const {
    return FAxesControlEnabled;
  }
  void SetAxesControlEnabled(bool Value) {
    FAxesControlEnabled = Value;
  }
  TiPlotAxesControlStyle GetAxesControlMouseStyle() const {
    return FAxesControlMouseStyle;
  }
  void SetAxesControlMouseStyle(TiPlotAxesControlStyle Value) {
    FAxesControlMouseStyle = Value;
  }
  TiPlotAxesControlStyle GetAxesControlWheelStyle() const {
    return FAxesControlWheelStyle;
  }
  void SetAxesControlWheelStyle(TiPlotAxesControlStyle Value) {
    FAxesControlWheelStyle = Value;
  }

  // The grid lines of each direction as Draw gives them to the axes.
  TiPlotGridLines GetGridLinesX() const;
  TiPlotGridLines GetGridLinesY() const;

  TiPlotXAxis* GetGridXAxis();
  TiPlotYAxis* GetGridYAxis();
  // 0 none, 1 zoom box, 2 select, 3 axes control.
  int GetMouseMode();
  bool GetZoomBoxActive() const {
    return FZoomBoxActive;
  }
  TRect GetZoomBoxRect() const {
    return TRect(FMouseDownX, FMouseDownY, FMouseMoveX, FMouseMoveY);
  }
  void ZoomToRect(const TRect& Rect);

  double PixelsXToPositionPercent(int X) const;
  double PixelsYToPositionPercent(int Y) const;
  int PositionPercentToPixelsX(double P) const;
  int PositionPercentToPixelsY(double P) const;

  void DrawBackground(TCanvas* Canvas);
  void DrawZoomBox(TCanvas* Canvas);
  void Draw(TCanvas* Canvas, TColor BackGroundColor) override;

  void NotificationRemove(TObject* Sender) override;
  void NotificationRename(TObject* Sender) override;
  void NotificationSetFocus(TObject* Sender) override;
  TiPlotObject* GetMouseOverObject(int X, int Y) override;
  TCursor GetMouseCursor(TPoint APoint) override;
  void iKeyDown(std::uint16_t& Key, TShiftState Shift, TPopupMenu* PopupMenu) override;
  void BuildPopupMenu(TPopupMenu* PopupMenu) override;

 protected:
  void DoMouseLeft(TiPlotMouseData& MouseData) override;
  void DoMouseRight(TiPlotMouseData& MouseData) override;
  void DoMouseMove(TiPlotMouseData& MouseData) override;
  void DoMouseUp(TiPlotMouseData& MouseData) override;
  bool DoMouseWheel(int WheelDelta, TShiftState Shift, int X, int Y) override;

 private:
  struct TGridLineCustom {
    bool Custom = false;
    TiPlotGridLinePen Pen;
  };
  template <class E>
  void SetEnum(E Value, E& Field) {
    if (Value == Field) return;
    Field = Value;
    DoChange();
  }
  TiPlotGridLines GridLines(const TGridLineCustom& Major, const TGridLineCustom& Minor, bool ShowMajors,
                            bool ShowMinors) const;
  IiPlotDataHost* DataHost() const {
    return dynamic_cast<IiPlotDataHost*>(GetOwner());
  }
  // Every X axis (unless locked to Y) and every Y axis (unless locked to X)
  // takes part of the axis control.
  template <class F>
  void ForControlledAxes(F&& Fn);
  void DrawDirectionGrid(TCanvas* Canvas, bool XDirection);

  TiPlotXAxis* FXAxis = nullptr;
  TiPlotYAxis* FYAxis = nullptr;
  bool FMouseDownLeft = false;
  bool FMouseDownRight = false;
  bool FZoomBoxActive = false;
  int FMouseDownX = 0, FMouseDownY = 0;
  int FMouseMoveX = 0, FMouseMoveY = 0;
  bool FDirectionLock = false;
  bool FDirectionLockXAxis = false;

  std::string FTitle;
  bool FBackgroundTransparent = true;
  TColor FBackgroundColor = 0x808000;
  std::string FGridXAxisName;
  std::string FGridYAxisName;
  bool FGridShow = true;
  TColor FGridLineColor = 0x008000;
  bool FGridLineShowLeft = true;
  bool FGridLineShowRight = true;
  bool FGridLineShowTop = true;
  bool FGridLineShowBottom = true;
  bool FGridLineShowXMajors = true;
  bool FGridLineShowYMajors = true;
  bool FGridLineShowXMinors = false;
  bool FGridLineShowYMinors = false;
  TiPlotGridLineStyle FGridLineMajorStyle = ipglsSolid;
  TiPlotGridLineStyle FGridLineMinorStyle = ipglsSolid;
  TGridLineCustom FXMajor, FXMinor, FYMajor, FYMinor;
  bool FAxesControlEnabled = false;
  TiPlotAxesControlStyle FAxesControlMouseStyle = ipacsBoth;
  TiPlotAxesControlStyle FAxesControlWheelStyle = ipacsXAxis;
  bool FAxesControlAllowInSelectMode = false;
};
