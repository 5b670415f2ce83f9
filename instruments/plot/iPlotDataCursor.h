#pragma once
// A data cursor: one or two pointer lines across the data view and a hint
// box with what they measure on a channel: its value at a pointer, the X
// distance of the pointers (period), their Y distance (peak to peak) or the
// inverse X distance (frequency). Positions are percent of the data view,
// so the pointers stay put while the axes scroll. The values themselves
// are computed by the channel.

#include <memory>
#include <string>

#include "instruments/plot/iPlotChannelCustom.h"
#include "instruments/plot/iPlotObjects.h"

class TiPlotDataView;
class TiPlotDataCursor;

enum TiPlotDataCursorStyle { ipcsValueXY, ipcsValueX, ipcsValueY, ipcsDeltaX, ipcsDeltaY, ipcsInverseDeltaX };
// The styles by name, for tables of per-style properties.
#define TI_CURSOR_STYLES(X) X(ValueXY) X(ValueX) X(ValueY) X(DeltaX) X(DeltaY) X(InverseDeltaX)

// ioVertical: a vertical line at an X position; ioHorizontal: a horizontal
// line at a Y position.
enum TiOrientation { ioVertical, ioHorizontal };
enum TiOrientationSide { iosBottomRight, iosTopLeft };

// The cursor events a plot raises; it leaves out what it must not raise
// while loading.
class IiPlotDataCursorHost {
 public:
  virtual ~IiPlotDataCursorHost() = default;
  virtual void DoBeforeDataCursorUpdate(TiPlotDataCursor* /*Cursor*/) {}
  virtual void DoDataCursorChange(TiPlotDataCursor* /*Cursor*/) {}
  virtual void DoDataCursorCustomizeHint(TiPlotDataCursor* /*Cursor*/, std::string& /*Text*/) {}
};

// Which pointers a style shows and how they and the hint lie.
struct TiPlotDataCursorPointers {
  bool Pointer1Show = false;
  bool Pointer2Show = false;
  TiOrientation Pointer1 = ioVertical;
  TiOrientation Pointer2 = ioVertical;
  TiOrientation Hint = ioVertical;
};
TiPlotDataCursorPointers iDataCursorPointers(TiPlotDataCursorStyle Style, bool XYPlot, bool XYAxesReversed);
bool iDataCursorDeltaStyle(TiPlotDataCursorStyle Style);

// Where the hint box goes: beside the shown pointer's band, or between the
// two bands in a delta style, flipped to the other side when it would leave
// the data view, then shifted back inside.
struct TiPlotDataCursorHintInput {
  TiOrientation Orientation = ioVertical;
  bool Delta = false;
  TRect Band1, Band2;
  bool Pointer1Show = true;
  int Along = 0;  // pixel of HintPosition along the pointer
  TRect View;
  int TextWidth = 0;
  int TextHeight = 0;
  int WidthOfA = 0;
  TiOrientationSide Side = iosBottomRight;
};
struct TiPlotDataCursorHint {
  TRect Box;
  TiOrientationSide Side = iosBottomRight;
};
TiPlotDataCursorHint iDataCursorHintBox(const TiPlotDataCursorHintInput& In);

// A percent position: 0..100, not-a-number 0.
double iClampPercent(double Value);

class TiPlotDataCursor : public TiPlotManagerObject {
 public:
  TiPlotDataCursor(TWinControl* AOwner, TNotifyEvent AOnChange, TNotifyEvent AOnInsert,
                   TNotifyEvent AOnRemove, TNotifyEvent AOnRename);
  ~TiPlotDataCursor() override;

  const std::string& GetChannelName() const { return FChannelName; }
  void SetChannelName(const std::string& Value);
  const std::string& GetDataViewName() const { return FDataViewName; }
  void SetDataViewName(const std::string& Value) {
    SetStringProperty(Value, FDataViewName, &TiPlotObject::DoChange);
  }
  bool GetChannelAllowAll() const { return FChannelAllowAll; }
  void SetChannelAllowAll(bool Value) {
    SetBooleanProperty(Value, FChannelAllowAll, &TiPlotObject::DoChange);
  }
  bool GetChannelShowAllInLegend() const { return FChannelShowAllInLegend; }
  void SetChannelShowAllInLegend(bool Value) {
    SetBooleanProperty(Value, FChannelShowAllInLegend, &TiPlotObject::DoChange);
  }
  TiPlotDataCursorStyle GetStyle() const { return FStyle; }
  void SetStyle(TiPlotDataCursorStyle Value);
  TFont* GetFont() const { return FFont.get(); }
  void SetFont(const TFont* Value) { FFont->Assign(Value); }
  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value) { SetColorProperty(Value, FColor, &TiPlotObject::DoChange); }
  bool GetUseChannelColor() const { return FUseChannelColor; }
  void SetUseChannelColor(bool Value) {
    SetBooleanProperty(Value, FUseChannelColor, &TiPlotObject::DoChange);
  }
  bool GetHintShow() const { return FHintShow; }
  void SetHintShow(bool Value) { SetBooleanProperty(Value, FHintShow, &TiPlotObject::DoChange); }
  bool GetHintHideOnRelease() const { return FHintHideOnRelease; }
  void SetHintHideOnRelease(bool Value) {
    SetBooleanProperty(Value, FHintHideOnRelease, &TiPlotObject::DoChange);
  }
  TiOrientationSide GetHintOrientationSide() const { return FHintOrientationSide; }
  void SetHintOrientationSide(TiOrientationSide Value);
  double GetHintPosition() const { return FHintPosition; }
  void SetHintPosition(double Value) { SetDoubleProperty(Value, FHintPosition, &TiPlotObject::DoChange); }
  double GetPointer1Position() const { return FPointer1Position; }
  void SetPointer1Position(double Value) {
    SetDoubleProperty(iClampPercent(Value), FPointer1Position, &TiPlotObject::DoChange);
  }
  double GetPointer2Position() const { return FPointer2Position; }
  void SetPointer2Position(double Value) {
    SetDoubleProperty(iClampPercent(Value), FPointer2Position, &TiPlotObject::DoChange);
  }
  int GetPointerPenWidth() const { return FPointerPenWidth; }
  void SetPointerPenWidth(int Value) { SetIntegerProperty(Value, FPointerPenWidth, &TiPlotObject::DoChange); }
  bool GetMenuUserCanChangeOptions() const { return FMenuUserCanChangeOptions; }
  void SetMenuUserCanChangeOptions(bool Value) { FMenuUserCanChangeOptions = Value; }
  bool GetSnapToDataPoint() const { return FSnapToDataPoint; }
  void SetSnapToDataPoint(bool Value) { FSnapToDataPoint = Value; }
  bool GetUseCachedInterpolatedData() const { return FUseCachedInterpolatedData; }
  void SetUseCachedInterpolatedData(bool Value) { FUseCachedInterpolatedData = Value; }

  // The six style items of the popup: caption and visibility, by style.
  const std::string& GetMenuItemCaption(TiPlotDataCursorStyle Style) const { return FMenuItemCaption[Style]; }
  void SetMenuItemCaption(TiPlotDataCursorStyle Style, const std::string& Value) {
    FMenuItemCaption[Style] = Value;
  }
  bool GetMenuItemVisible(TiPlotDataCursorStyle Style) const { return FMenuItemVisible[Style]; }
  void SetMenuItemVisible(TiPlotDataCursorStyle Style, bool Value) { FMenuItemVisible[Style] = Value; }
#define TI_CURSOR_MENU_ITEM(Name)                           \
  const std::string& GetMenuItemCaption##Name() const {     \
    return FMenuItemCaption[ipcs##Name];                    \
  }                                                         \
  void SetMenuItemCaption##Name(const std::string& Value) { \
    FMenuItemCaption[ipcs##Name] = Value;                   \
  }                                                         \
  bool GetMenuItemVisible##Name() const {                   \
    return FMenuItemVisible[ipcs##Name];                    \
  }                                                         \
  void SetMenuItemVisible##Name(bool Value) {               \
    FMenuItemVisible[ipcs##Name] = Value;                   \
  }
  TI_CURSOR_STYLES(TI_CURSOR_MENU_ITEM)
#undef TI_CURSOR_MENU_ITEM

  // Read-only state.
  double GetValueX() const {
    return FValueX;
  }
  double GetValueY() const {
    return FValueY;
  }
  TiPlotDataPointStatus GetStatus() const {
    return FStatus;
  }
  const std::string& GetCursorDisplayText() const {
    return FCursorDisplayText;
  }
  bool GetPointer1Show() const {
    return FPointers.Pointer1Show;
  }
  bool GetPointer2Show() const {
    return FPointers.Pointer2Show;
  }
  TiOrientation GetPointer1Orientation() const {
    return FPointers.Pointer1;
  }
  TiOrientation GetPointer2Orientation() const {
    return FPointers.Pointer2;
  }
  TiOrientation GetHintOrientation() const {
    return FPointers.Hint;
  }
  TRect GetPointer1Rect() const {
    return FPointer1Rect;
  }
  TRect GetPointer2Rect() const {
    return FPointer2Rect;
  }
  TRect GetHintRect() const {
    return FHintRect;
  }
  bool GetHintShowing() const {
    return FHintShowing;
  }
  int GetSnapToIndexChannel() const {
    return FSnapToIndexChannel;
  }
  int GetSnapToIndexData() const {
    return FSnapToIndexData;
  }

  // The plot sets the data view before every paint.
  TiPlotDataView* GetDataView() const {
    return FDataView;
  }
  void SetDataView(TiPlotDataView* Value) {
    FDataView = Value;
  }
  // The measured channel: null for "<All>" or a name no channel has.
  TiPlotChannelCustom* GetChannel();
  bool GetAllChannels() const;

  // The plot runs it before every paint: the channels compute the values.
  void UpdateValues();
  // What a channel reports; a change raises the plot's change event.
  void SetCursorValues(TiPlotDataPointStatus Status, double Y, double X);
  void DoSnapToDataPoint();
  // The interpolated Y of a strip-chart channel at XValue; an XY plot's
  // channels have none (Null, 0).
  TiPlotDataPointStatus GetInterpolatedYValue(const std::string& ChannelName, double XValue, double& YValue);

  void SetVisible(bool Value) override;
  void SetXYAxesReversed(bool Value) override;
  void NotificationRemove(TObject* Sender) override;
  void NotificationRename(TObject* Sender) override;
  void NotificationSetFocus(TObject* Sender) override;
  void Draw(TCanvas* Canvas, TColor BackGroundColor) override;
  bool iMouseHitTest(const TiPlotMouseData& MouseData) override;
  TCursor GetMouseCursor(TPoint APoint) override;
  void iKeyDown(std::uint16_t& Key, TShiftState Shift, TPopupMenu* PopupMenu) override;
  void BuildPopupMenu(TPopupMenu* PopupMenu) override;

 protected:
  void DoMouseLeft(TiPlotMouseData& MouseData) override;
  void DoMouseMove(TiPlotMouseData& MouseData) override;
  void DoMouseUp(TiPlotMouseData& MouseData) override;
  void DoGotFocus() override;

 private:
  IiPlotDataCursorHost* CursorHost() const;
  bool IsXYPlot() const;
  void UpdatePointerStyle();
  void AskChannel(TiPlotChannelCustom* Channel);
  void DrawPointer(TCanvas* Canvas, bool First);
  void DrawHint(TCanvas* Canvas);
  bool Dragging() const {
    return FMouseDownHint || FMouseDownPointer1 || FMouseDownPointer2;
  }
  void KeyMoveFree(std::uint16_t Key, bool Ctrl);
  void KeyMoveSnapped(std::uint16_t Key, bool Ctrl);
  void StepHint(int Direction);
  // Snapping onto data points applies to strip-chart channels only.
  void SnapPointer(int Pointer);
  void MovePointerToDataPoint(int ChannelIndex, int DataIndex, int Step, int Pointer);

  int FMouseDownXPixels = 0;
  int FMouseDownYPixels = 0;
  int FMouseDownX = 0;
  int FMouseDownY = 0;
  bool FMouseDownHint = false;
  bool FMouseDownPointer1 = false;
  bool FMouseDownPointer2 = false;
  TRect FPointer1Rect;
  TRect FPointer2Rect;
  TiPlotDataCursorPointers FPointers;
  TRect FHintRect;
  bool FHintShowing = false;
  TiPlotChannelCustom* FChannel = nullptr;
  TiPlotDataView* FDataView = nullptr;
  std::string FChannelName;
  std::string FDataViewName;
  TiPlotDataCursorStyle FStyle = ipcsValueXY;
  bool FUseChannelColor = true;
  double FPointer1Position = 50;
  double FPointer2Position = 60;
  int FPointerPenWidth = 1;
  bool FChannelShowAllInLegend = true;
  bool FChannelAllowAll = true;
  TColor FColor = 0x00FFFF;
  std::unique_ptr<TFont> FFont;
  bool FHintShow = true;
  bool FHintHideOnRelease = false;
  TiOrientationSide FHintOrientationSide = iosBottomRight;
  double FHintPosition = 50;
  std::string FCursorDisplayText;
  double FValueX = 0;
  double FValueY = 0;
  TiPlotDataPointStatus FStatus = ipdpsValid;
  bool FSnapToDataPoint = false;
  bool FUseCachedInterpolatedData = false;
  int FSnapToIndexChannel = -1;
  int FSnapToIndexData = -1;
  std::string FMenuItemCaption[6] = {"Value X-Y", "Value X", "Value Y", "Period", "Peak-Peak", "Frequency"};
  bool FMenuItemVisible[6] = {true, true, true, true, true, true};
  bool FMenuUserCanChangeOptions = true;
};
