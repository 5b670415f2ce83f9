#pragma once
// Plot objects: everything a plot shows (axes, channels, legends, ...) is
// a non-visual object owned, drawn and told about input by its plot. The
// base fixes the contract every kind overrides: change and layout-change
// notices, notices about other objects, drawing, routed mouse, wheel and
// keys with hit test, hints, cursor and popup menu, and user selection.

#include <initializer_list>
#include <memory>
#include <string>

#include "platform/classlib/Controls.h"
#include "platform/classlib/Menus.h"

class TTimer;
class TiPlotObject;

// Get and Set of a property whose setter stores on a real change (Store is
// one of the object's Set...Property helpers) and then signals DoChange.
#define TI_PLOT_CHANGE_PROPERTY(Type, Store, Name, Field) \
  Type Get##Name() const {                                \
    return Field;                                         \
  }                                                       \
  void Set##Name(Type Value) {                            \
    Store(Value, Field, &TiPlotObject::DoChange);         \
  }

// What a plot offers its objects: its object events (each carries the
// object's index in its kind's manager) and its translation table.
class IiPlotObjectHost {
 public:
  virtual ~IiPlotObjectHost() = default;
  virtual void ObjectMouseDown(TiPlotObject* Sender, TMouseButton Button, TShiftState Shift, int X,
                               int Y) = 0;
  virtual void ObjectMouseMove(TiPlotObject* Sender, TShiftState Shift, int X, int Y) = 0;
  virtual void ObjectMouseUp(TiPlotObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y) = 0;
  virtual void ObjectMouseWheel(TiPlotObject* Sender, int WheelDelta, TShiftState Shift, int X, int Y) = 0;
  virtual void ObjectPopupMenu(TiPlotObject* Sender, bool& Cancel, int ScreenX, int ScreenY) = 0;
  virtual void ObjectGotFocus(TiPlotObject* Sender) = 0;
  virtual void ObjectLostFocus(TiPlotObject* Sender) = 0;
  virtual std::string TranslateText(const std::string& Text) = 0;
};

struct TiPlotMouseData {
  int X = 0;
  int Y = 0;
  int ScreenX = 0;
  int ScreenY = 0;
  int XAxisPixels = 0;
  int YAxisPixels = 0;
  TShiftState Shift;
  TMouseButton Button = mbLeft;
  bool DblClickActive = false;
};

struct TiHintData {
  std::string Text;
  int Top = 0;
  int Left = 0;
  int Width = 0;
  int Height = 0;
  bool Visible = false;
};

class TiPlotObject : public TPersistent {
 public:
  TiPlotObject(TWinControl* AOwner, TNotifyEvent AOnChange, TNotifyEvent AOnInsert, TNotifyEvent AOnRemove,
               TNotifyEvent AOnRename);
  // Tells the managers (remove), then the layout, that the object leaves.
  ~TiPlotObject() override;

  TWinControl* GetOwner() const { return FOwner; }
  const std::string& GetName() const { return FName; }
  void SetName(const std::string& Value);
  const std::string& GetNameOld() const { return FNameOld; }
  bool GetVisible() const { return FVisible; }
  virtual void SetVisible(bool Value);
  bool GetEnabled() const { return FEnabled; }
  virtual void SetEnabled(bool Value);
  int GetLayer() const { return FLayer; }
  void SetLayer(int Value) { SetIntegerProperty(Value, FLayer, &TiPlotObject::DoChange); }
  bool GetPopupEnabled() const { return FPopupEnabled; }
  void SetPopupEnabled(bool Value) { SetBooleanProperty(Value, FPopupEnabled, &TiPlotObject::DoChange); }
  bool GetCanFocus() const { return FCanFocus; }
  void SetCanFocus(bool Value) { SetBooleanProperty(Value, FCanFocus, &TiPlotObject::DoChange); }
  bool GetUserSelected() const { return FUserSelected; }
  void SetUserSelected(bool Value);
  bool GetUserCanEdit() const { return FUserCanEdit; }
  void SetUserCanEdit(bool Value) { FUserCanEdit = Value; }
  bool GetXYAxesReversed() const { return FXYAxesReversed; }
  virtual void SetXYAxesReversed(bool Value) { FXYAxesReversed = Value; }
  TShiftState GetShiftState() const { return FShiftState; }
  void SetShiftState(TShiftState Value) { FShiftState = Value; }
  bool GetCanDraw() const { return FCanDraw; }
  bool GetMouseDown() const { return FMouseDown; }

  virtual void DoChange();
  virtual void DoLayoutChange();
  virtual void NotificationRemove(TObject* Sender);
  virtual void NotificationRename(TObject* Sender);
  virtual void NotificationSetFocus(TObject* Sender);
  virtual void UpdateCanDraw() { FCanDraw = true; }
  virtual void Draw(TCanvas* Canvas, TColor BackGroundColor);

  virtual void iMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y, int ScreenX, int ScreenY,
                          TPopupMenu* PopupMenu);
  virtual void iMouseMove(TiHintData& HintData, TShiftState Shift, int X, int Y, int ScreenX, int ScreenY,
                          bool DblClickActive);
  virtual void iMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y, int ScreenX, int ScreenY,
                        bool DblClickActive, TPopupMenu* PopupMenu);
  virtual bool iMouseHitTest(const TiPlotMouseData& MouseData);
  virtual bool iMouseWheel(int WheelDelta, TShiftState Shift, TPoint MousePos);
  virtual void iKeyDown(std::uint16_t& Key, TShiftState Shift, TPopupMenu* PopupMenu);
  virtual TiPlotObject* GetMouseOverObject(int X, int Y);
  virtual TCursor GetMouseCursor(TPoint APoint);
  virtual void DoInsert();
  virtual void BuildPopupMenu(TPopupMenu* PopupMenu);

  void DoSetFocus();
  void InvalidateNow();
  void DoEdit();
  bool HitTest(int X, int Y);
  TPoint MapMousePixels(int X, int Y) const;
  void CancelPopup() { FMouseDownPopup = false; }
  std::string TranslateText(const std::string& Text);
  void AddEditMenuItem(TPopupMenu* PopupMenu);
  std::string GetLayerSortKey() const;

  // Wired by the master manager and the layout manager.
  TNotifyEvent OnChange;
  TNotifyEvent OnLayoutChange;
  TNotifyEvent OnRemove;
  TNotifyEvent OnInsert;
  TNotifyEvent OnRename;
  TNotifyEvent OnSetFocus;
  TNotifyEvent OnEdit;
  TNotifyEvent OnInvalidateNow;

 protected:
  virtual void DoMouseHint(TiPlotMouseData& MouseData, TiHintData& HintData);
  virtual void DoMouseLeft(TiPlotMouseData& MouseData);
  virtual void DoMouseRight(TiPlotMouseData& MouseData);
  virtual void DoMouseMove(TiPlotMouseData& MouseData);
  virtual void DoMouseUp(TiPlotMouseData& MouseData);
  virtual bool DoMouseWheel(int WheelDelta, TShiftState Shift, int X, int Y);
  virtual void DoGotFocus();
  virtual void DoLostFocus();

 public:
  // The mouse left the object.
  virtual void DoMouseNotOver() {}

 protected:
  // UpdateCanDraw's verdict, for kinds that decide it themselves.
  void SetCanDraw(bool Value) { FCanDraw = Value; }
  // Where the keyboard's popup menu shows, in client pixels; false: nowhere.
  virtual bool GetKeyPopupPoint(TPoint& Point);
  void DoRename();

  IiPlotObjectHost* Host() const;
  TiPlotMouseData MakeMouseData(int X, int Y, bool DblClickActive) const;

  // Store only on a real change, then run Notify (null: none).
  using TNotify = void (TiPlotObject::*)();
  void SetBooleanProperty(bool Value, bool& Field, TNotify Notify);
  void SetIntegerProperty(int Value, int& Field, TNotify Notify);
  void SetColorProperty(TColor Value, TColor& Field, TNotify Notify) {
    SetIntegerProperty(Value, Field, Notify);
  }
  void SetDoubleProperty(double Value, double& Field, TNotify Notify);
  void SetStringProperty(const std::string& Value, std::string& Field, TNotify Notify);
  // An enumeration's setter: store on a real change, then DoChange.
  template <class E>
  void SetEnum(E Value, E& Field) {
    if (Value == Field) return;
    Field = Value;
    DoChange();
  }

  bool FMouseDown = false;
  bool FMouseDownPopup = false;
  TiPlotObject* FMouseOverObject = nullptr;

 private:
  std::string FName;
  std::string FNameOld;
  TWinControl* FOwner;
  TShiftState FShiftState;
  bool FVisible = true;
  bool FEnabled = true;
  int FLayer = 100;
  bool FPopupEnabled = true;
  bool FCanFocus = true;
  bool FUserSelected = false;
  bool FUserCanEdit = true;
  bool FXYAxesReversed = false;
  bool FCanDraw = false;
};

// An object that lives in an object manager: its wiring must be complete.
class TiPlotManagerObject : public TiPlotObject {
 public:
  TiPlotManagerObject(TWinControl* AOwner, TNotifyEvent AOnChange, TNotifyEvent AOnInsert,
                      TNotifyEvent AOnRemove, TNotifyEvent AOnRename);
};

// An object placed on a side of the data view by the layout manager.
class TiPlotLayoutObject : public TiPlotManagerObject {
 public:
  TiPlotLayoutObject(TWinControl* AOwner, TNotifyEvent AOnChange, TNotifyEvent AOnInsert,
                     TNotifyEvent AOnRemove, TNotifyEvent AOnRename);

  double GetStartPercent() const { return FStartPercent; }
  void SetStartPercent(double Value);
  double GetStopPercent() const { return FStopPercent; }
  void SetStopPercent(double Value);
  void SetStartStopPercent(double Start, double Stop);
  int GetZOrder() const { return FZOrder; }
  void SetZOrder(int Value) { SetIntegerProperty(Value, FZOrder, &TiPlotObject::DoLayoutChange); }
  bool GetHorizontal() const { return FHorizontal; }
  void SetHorizontal(bool Value) { SetBooleanProperty(Value, FHorizontal, &TiPlotObject::DoLayoutChange); }
  bool GetForceStacking() const { return FForceStacking; }
  void SetForceStacking(bool Value) {
    SetBooleanProperty(Value, FForceStacking, &TiPlotObject::DoLayoutChange);
  }
  bool GetReverseSide() const { return FReverseSide; }
  void SetReverseSide(bool Value) { SetBooleanProperty(Value, FReverseSide, &TiPlotObject::DoChange); }
  virtual bool GetIsHorz() const { return FHorizontal; }
  virtual bool GetIsVert() const { return !FHorizontal; }

  TRect GetDrawRect() const { return TRect(FLeft, FTop, FRight, FBottom); }
  void SetDrawRect(const TRect& R);
  void SetDrawLeft(int Value) { FLeft = Value; }
  void SetDrawTop(int Value) { FTop = Value; }
  void SetDrawRight(int Value) { FRight = Value; }
  void SetDrawBottom(int Value) { FBottom = Value; }
  TRect GetLayoutRect() const { return TRect(FLayoutLeft, FLayoutTop, FLayoutRight, FLayoutBottom); }
  void SetLayoutRect(const TRect& R);
  bool GetStartStacked() const { return FStartStacked; }
  void SetStartStacked(bool Value) { FStartStacked = Value; }
  bool GetStopStacked() const { return FStopStacked; }
  void SetStopStacked(bool Value) { FStopStacked = Value; }
  int GetWidth() const { return FRight - FLeft; }
  int GetHeight() const { return FBottom - FTop; }
  int GetLayoutWidth() const { return FLayoutRight - FLayoutLeft; }
  int GetLayoutHeight() const { return FLayoutBottom - FLayoutTop; }

  virtual int GetRequiredWidth(TCanvas*) { return 0; }
  virtual int GetRequiredEndMargin(TCanvas*) { return 0; }
  bool iMouseHitTest(const TiPlotMouseData& MouseData) override;
  void DoInsert() override;
  std::string GetZOrderSortKey() const;
  std::string GetStartPercentSortKey() const;

 protected:
  bool GetKeyPopupPoint(TPoint& Point) override;

 private:
  double FStopPercent = 100;
  double FStartPercent = 0;
  int FZOrder = 0;
  bool FHorizontal = false;
  bool FReverseSide = false;
  int FBottom = 0, FLeft = 0, FTop = 0, FRight = 0;
  bool FStartStacked = false;
  bool FStopStacked = false;
  int FLayoutBottom = 0, FLayoutLeft = 0, FLayoutTop = 0, FLayoutRight = 0;
  bool FForceStacking = false;
};

// A clickable child of a toolbar, legend or table, with auto-repeat while
// held and group release.
class TiPlotButton : public TiPlotObject {
 public:
  TiPlotButton(TWinControl* AOwner, TNotifyEvent AOnChange, TNotifyEvent AOnInsert, TNotifyEvent AOnRemove,
               TNotifyEvent AOnRename);
  ~TiPlotButton() override;

  int GetLeft() const { return FLeft; }
  int GetTop() const { return FTop; }
  int GetRight() const { return FRight; }
  int GetBottom() const { return FBottom; }
  int GetWidth() const { return FRight - FLeft; }
  int GetHeight() const { return FBottom - FTop; }
  TRect GetDrawRect() const { return TRect(FLeft, FTop, FRight, FBottom); }
  void SetDrawRect(const TRect& R);
  bool GetDown() const { return FDown; }
  void SetDown(bool Value);
  bool GetTimerEnabled() const { return FTimerEnabled; }
  void SetTimerEnabled(bool Value) { FTimerEnabled = Value; }
  int GetGroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value) { FGroupIndex = Value; }
  bool GetTimerRunning() const { return FTimer != nullptr; }
  void SetEnabled(bool Value) override;
  // One tick of the auto-repeat timer.
  void TimerTick();
  int GetTimerInterval() const;
  // The small scroll buttons of legends and tables: a raised face, sunken
  // while held, and an arrow, black or grey when disabled.
  void DrawScrollFace(TCanvas* Canvas);
  void DrawScrollArrow(TCanvas* Canvas, bool Up);

  TNotifyEvent OnClick;
  TNotifyEvent OnGroupClick;
  TNotifyEvent OnInvalidate;
  TNotifyEvent OnDownChange;

 protected:
  void DoMouseLeft(TiPlotMouseData& MouseData) override;
  void DoMouseMove(TiPlotMouseData&) override {}
  void DoMouseUp(TiPlotMouseData& MouseData) override;
  void DoInvalidate();
  void FreeTimer();

 private:
  int FTop = 0, FBottom = 0, FRight = 0, FLeft = 0;
  bool FDown = false;
  std::unique_ptr<TTimer> FTimer;
  bool FFirstTimerMessage = false;
  bool FTimerEnabled = false;
  int FGroupIndex = 0;
};

// A popup item carrying a value (the channel a cursor item selects).
class TiMenuItem : public TMenuItem {
 public:
  using TMenuItem::TMenuItem;
  std::string AString;
};

// One occupied area of a plot.
class TiPlotRectObject : public TObject {
 public:
  TRect ARect;
};

// An object's own bitmap: null frees it, a bitmap is copied into it.
void iAssignOwnImage(std::unique_ptr<TBitmap>& Image, const TBitmap* Value);
// The first visible button of Buttons under (X, Y); null when none.
TiPlotButton* iPlotButtonAt(std::initializer_list<TiPlotButton*> Buttons, int X, int Y);

// The constructor wiring check of managed objects and managers.
void iCheckPlotWiring(TWinControl* AOwner, const TNotifyEvent& AOnChange, const TNotifyEvent& AOnInsert,
                      const TNotifyEvent& AOnRemove, const TNotifyEvent& AOnRename, const char* OwnerMessage);
