#pragma once
// Visual controls: TControl (bounds, alignment, colour, font, hint, cursor,
// mouse events), TWinControl (children, focus, keys, tab order),
// TCustomControl and TGraphicControl (custom-drawn, with a Canvas).
//
// Every control is shown by one widget of the window toolkit, made on first
// need (when its parent's widget exists, or when it is shown). Properties are
// kept in the control and applied to the widget whenever it is (re)made, so
// they can be set in any order before or after the control is on screen.
//
// Events are std::function members named OnX taking the sender first. The
// library calls them from the event loop through one guard: an exception a
// handler throws is reported by Application->HandleException and the program
// goes on. A handler fired by a program call (Position set from code, say)
// runs inside that call and its exceptions reach the caller.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/classlib/Classes.h"
#include "platform/classlib/Graphics.h"
#include "platform/classlib/Keys.h"

class QWidget;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
enum TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = TSet<TAnchorKind>;

enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TShiftStateFlag { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateFlag>;

enum TControlStyleFlag {
  csAcceptsControls,
  csCaptureMouse,
  csDesignInteractive,
  csClickEvents,
  csFramed,
  csSetCaption,
  csOpaque,
  csDoubleClicks,
  csFixedWidth,
  csFixedHeight,
  csNoDesignVisible,
  csReplicatable,
  csNoStdEvents,
  csDisplayDragImage,
  csReflector,
  csActionClient,
  csMenuEvents,
  csNeedsBorderPaint,
  csParentBackground,
  csPannable,
  csAlignWithMargins,
  csGestures,
  csPaintBlackOpaqueOnGlass,
  csOverrideStylePaint
};
using TControlStyle = TSet<TControlStyleFlag>;

using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crMultiDrag = -16;
constexpr TCursor crSQLWait = -17;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;
constexpr TCursor crSize = crSizeAll;

// One notch of a mouse wheel.
constexpr int WHEEL_DELTA = 120;

// Messages between the library's controls.
constexpr unsigned CM_BASE = 0xB000;
// Enter or Escape (WParam: the virtual key) offered to the form and, through
// it, to every control on it; LParam holds the modifiers (1 Shift, 2 Ctrl,
// 4 Alt). Result 1: a control took the key (a Default or Cancel button).
constexpr unsigned CM_DIALOGKEY = CM_BASE + 5;
// A character typed with Alt, or typed into a control that takes no
// characters (WParam: the character, LParam: the modifiers as above),
// offered to the form and, through it, to every visible, enabled control on
// it. Result 1: a control took it as its caption's accelerator.
constexpr unsigned CM_DIALOGCHAR = CM_BASE + 6;
// Asked of the focused control before Tab, Enter or Escape (WParam) become
// the form's (a move of the focus, a Default or Cancel button); Result 1:
// the control handles the key itself. WM_GETDLGCODE is asked next.
constexpr unsigned CM_WANTSPECIALKEY = CM_BASE + 30;
// Sent to the control that loses the mouse capture (to another control, by
// a release, or because its window lost the activation); LParam: the
// handle of the window that takes it, 0 when none does. The default
// handling calls MouseCaptureLost.
constexpr unsigned WM_CAPTURECHANGED = 0x0215;
constexpr LPARAM DIALOGKEY_SHIFT = 1;
constexpr LPARAM DIALOGKEY_CTRL = 2;
constexpr LPARAM DIALOGKEY_ALT = 4;

using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TObject* Sender, std::uint16_t& Key, TShiftState Shift)>;
// Key is the typed character; setting it to 0 drops it.
using TKeyPressEvent = std::function<void(TObject* Sender, char32_t& Key)>;
using TMouseWheelEvent =
    std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled)>;
using TMouseWheelUpDownEvent =
    std::function<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;

class TWinControl;
struct ControlBridge;
struct PaintSurface;

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* AOwner);
  ~TControl() override;
  void BeforeDestruction() override;

  TWinControl* GetParent() const { return FParent; }
  virtual void SetParent(TWinControl* AParent);

  // Bounds, in the parent's client coordinates (a form: on the screen).
  int GetLeft() const { return FLeft; }
  int GetTop() const { return FTop; }
  int GetWidth() const { return FWidth; }
  int GetHeight() const { return FHeight; }
  void SetLeft(int Value) { SetBounds(Value, FTop, FWidth, FHeight); }
  void SetTop(int Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
  void SetWidth(int Value) { SetBounds(FLeft, FTop, Value, FHeight); }
  void SetHeight(int Value) { SetBounds(FLeft, FTop, FWidth, Value); }
  // Every change of position or size goes through here (override to
  // constrain); Resize runs when the size changed.
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  TRect GetBoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
  void SetBoundsRect(const TRect& R) { SetBounds(R.Left, R.Top, R.Width(), R.Height()); }
  virtual int GetClientWidth() const { return FWidth; }
  virtual int GetClientHeight() const { return FHeight - FClientTop; }
  void SetClientWidth(int Value);
  void SetClientHeight(int Value);
  TRect GetClientRect() const { return Rect(0, 0, GetClientWidth(), GetClientHeight()); }
  TPoint ClientToScreen(TPoint P) const;
  TPoint ScreenToClient(TPoint P) const;

  TAlign GetAlign() const { return FAlign; }
  void SetAlign(TAlign Value);
  // Edges kept at their distance from the parent's edges when it resizes.
  TAnchors GetAnchors() const { return FAnchors; }
  void SetAnchors(TAnchors Value) { FAnchors = Value; }

  bool GetVisible() const { return FVisible; }
  virtual void SetVisible(bool Value);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible, and so is every parent up to a window on screen.
  bool GetShowing() const;
  bool GetEnabled() const { return FEnabled; }
  virtual void SetEnabled(bool Value);

  TColor GetColor() const { return FColor; }
  // Sets ParentColor false.
  void SetColor(TColor Value);
  bool GetParentColor() const { return FParentColor; }
  void SetParentColor(bool Value);
  // The control's own font object; changing it sets ParentFont false.
  TFont* GetFont() const { return FFont.get(); }
  void SetFont(const TFont* Value);
  bool GetParentFont() const { return FParentFont; }
  void SetParentFont(bool Value);

  // "short|long": the tooltip shows the part before the bar.
  const std::string& GetHint() const { return FHint; }
  void SetHint(const std::string& Value);
  bool GetShowHint() const { return FShowHint; }
  void SetShowHint(bool Value);
  bool GetParentShowHint() const { return FParentShowHint; }
  void SetParentShowHint(bool Value);
  TCursor GetCursor() const { return FCursor; }
  void SetCursor(TCursor Value);

  TControlStyle GetControlStyle() const { return FControlStyle; }
  void SetControlStyle(TControlStyle Value) { FControlStyle = Value; }

  // Caption and Text are one value.
  const std::string& GetCaption() const { return FCaption; }
  void SetCaption(const std::string& Value);
  const std::string& GetText() const { return FCaption; }
  void SetText(const std::string& Value) { SetCaption(Value); }

  // Custom-drawn controls (those with a Canvas) keep their picture in a
  // backing image, made at the first paint or the first drawing outside
  // one. Paint runs only on Invalidate, Repaint, a change of size and the
  // first showing; anything else that shows the control shows the image as
  // it is. Drawing on the Canvas outside Paint goes into that image at once
  // and reaches the screen at the next pass of the event loop without a
  // Paint, so inverting (pmNot, pmXor) drawing done twice outside Paint
  // gives back every pixel. A control hidden while its image holds only
  // what Paint drew gives the image back, and counts as not yet shown.
  // A control whose Paint draws again all it ever draws outside Paint says
  // so (SetPaintRedrawsAll) and gives its image back whenever it is hidden.
  void SetPaintRedrawsAll(bool Value);

  // Paint runs at the next pass of the event loop.
  void Invalidate();
  // Paint runs now (when showing).
  virtual void Repaint();
  void Refresh() { Repaint(); }
  // Runs a Paint that is waiting, now; shows the image either way.
  virtual void Update();
  // Runs Paint with the control's Canvas drawing on `Target` with the
  // control's top-left at (X, Y) (target logical coordinates), clipped to
  // the control's rectangle and the target's clip. The control's own image
  // is left as it was.
  void PaintTo(TCanvas* Target, int X, int Y);
  // A transparent surface: its pixels start fully transparent and are
  // cleared to transparent before each Paint, so what lies beneath (the
  // parent's background and its other controls) shows where Paint does not
  // draw. TGraphicControl starts transparent, TCustomControl opaque.
  bool GetTransparentSurface() const;
  void SetTransparentSurface(bool Value);
  void BringToFront();
  void SendToBack();

  // While set, every mouse event of the program comes to this control.
  bool GetMouseCapture() const;
  void SetMouseCapture(bool Value);
  // A capture of this program's mouse only: the desktop's pointer is not
  // taken, and the pointer leaving the control with no button held ends it
  // (the control hears WM_CAPTURECHANGED as for any lost capture).
  void SetLocalMouseCapture();

  // Hands the message to this control's Dispatch at once.
  LRESULT Perform(unsigned Msg, WPARAM WParam, LPARAM LParam);
  // WM_CAPTURECHANGED calls MouseCaptureLost.
  void DefaultHandler(TMessage& Message) override;

  // The widget that shows the control, made when missing. Platform code only.
  QWidget* GetWidget();
  QWidget* WidgetIfCreated() const { return FWidget; }
  bool HandleAllocated() const { return FWidget != nullptr; }
  void HandleNeeded() { GetWidget(); }

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TMouseWheelEvent OnMouseWheel;
  TMouseWheelUpDownEvent OnMouseWheelDown;
  TMouseWheelUpDownEvent OnMouseWheelUp;
  TNotifyEvent OnResize;

 protected:
  // The widget kind; the default is a plain widget the control paints.
  virtual QWidget* CreateWidget();
  // Applies every stored property to a new widget. Overrides call the base.
  virtual void InitWidget();

  // Input, in the class library's order and shapes. Each base fires the
  // matching event; overrides call the base where it fits them.
  virtual void Click();
  virtual void DblClick();
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual void MouseEnter();
  virtual void MouseLeave();
  // The control no longer holds the mouse capture (WM_CAPTURECHANGED): a
  // drag in progress should end here.
  virtual void MouseCaptureLost() {}
  // Handled (true) stops the wheel; else it goes on to the parent.
  virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos);
  virtual bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos);
  virtual bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos);
  virtual void Resize();

  // Change notices (after the value is stored).
  virtual void EnabledChanged();
  virtual void VisibleChanged();
  virtual void ColorChanged();
  virtual void FontChanged();
  virtual void TextChanged();
  // The parent's Color changed, whether or not this control follows it
  // (ParentColor): for looks drawn from what lies behind the control.
  virtual void ParentBackgroundChanged() {}
  // The control stopped showing (it or a parent was hidden): a place to give
  // back pictures it keeps apart from its backing image.
  virtual void ShowingEnded() {}

  // Custom-drawn controls draw here, on GetCanvas(); the backing image keeps
  // what was drawn between paints.
  virtual void Paint() {}
  // Gives the control a backing image and a canvas over it; new pixels are
  // the control's Color (transparent when `transparent`).
  void CreateCanvas(bool transparent);
  TCanvas* SurfaceCanvas() const;
  bool IsPainting() const { return FPainting; }

  // Parent-relative geometry the widget should have (forms override).
  virtual void ApplyGeometry();
  // The colour the widget's background shows (Color, clNone: none).
  void ApplyColor();

 private:
  friend class TWinControl;
  friend class TCustomForm;
  friend struct ControlBridge;
  // Stores new bounds; pushes them to the widget unless they came from it.
  void ChangeBounds(int ALeft, int ATop, int AWidth, int AHeight, bool FromWidget);
  void NotifyChildren(void (TControl::*Change)());
  void ParentColorChanged();
  void ParentFontChanged();
  void ParentShowHintChanged();
  bool EffectiveShowHint() const;
  void ApplyFont();
  void ApplyHint();
  void ApplyCursor();
  void ResizeSurface();
  void MakeSurface();
  // A hidden control whose picture Paint alone made gives its pixels back;
  // its next showing paints it again.
  void ReleaseSurface();
  void ApplySurfaceAttributes();
  int SurfaceHeight() const;
  void DestroyWidget();
  void FontObjectChanged();

  TWinControl* FParent = nullptr;
  int FLeft = 0;
  int FTop = 0;
  int FWidth = 0;
  int FHeight = 0;
  TAlign FAlign = alNone;
  TAnchors FAnchors{akLeft, akTop};
  bool FVisible = true;
  bool FEnabled = true;
  TColor FColor = clWindow;
  bool FParentColor = true;
  std::unique_ptr<TFont> FFont;
  bool FParentFont = true;
  bool FFontFromParent = false;
  std::string FHint;
  bool FShowHint = false;
  bool FParentShowHint = true;
  TCursor FCursor = crDefault;
  TControlStyle FControlStyle;
  std::string FCaption;
  // Rows of the widget above the client area (a form's menu bar): children,
  // the canvas and mouse positions start below them.
  int FClientTop = 0;

  QWidget* FWidget = nullptr;
  ControlBridge* FBridge = nullptr;
  std::unique_ptr<PaintSurface> FSurface;
  bool FPainting = false;
  bool FMouseInside = false;
  bool FClicked = false;
  int FWheelAccumulator = 0;
  // Where the control was put, and the parent's client size then: anchors
  // keep the distances from this.
  TRect FAnchorOrigin;
  int FAnchorParentWidth = -1;
  int FAnchorParentHeight = -1;
  // Lets the event translation notice that a handler freed the control.
  std::shared_ptr<bool> FAlive;
};

class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* AOwner);
  ~TWinControl() override;
  void BeforeDestruction() override;

  // The window's handle for PostMessage and friends; valid while it lives.
  HWND GetHandle() const { return FHandle; }

  int GetControlCount() const { return static_cast<int>(FControls.size()); }
  TControl* GetControls(int Index) const;
  bool ContainsControl(TControl* Control) const;

  bool GetTabStop() const { return FTabStop; }
  void SetTabStop(bool Value);
  // Place among the parent's windowed children in the Tab key's order.
  int GetTabOrder() const;
  void SetTabOrder(int Value);

  // Visible, enabled, and so are all parents.
  bool CanFocus() const;
  bool Focused() const;
  // Throws EInvalidOperation when the control cannot take the focus.
  virtual void SetFocus();

  // WM_GETDLGCODE answers 0 (the toolkit's controls add their own codes);
  // CM_DIALOGKEY goes on to every child until one takes it.
  void DefaultHandler(TMessage& Message) override;

  // Lays out the aligned children again.
  void Realign();
  void DisableAlign() { ++FAlignDisabled; }
  void EnableAlign();

  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TKeyPressEvent OnKeyPress;

 protected:
  // OnEnter / OnExit: the focus came from, or went to, another control of
  // the program (not a switch to another application's window).
  virtual void DoEnter();
  virtual void DoExit();
  // Key = 0 after the base call means a handler took the key.
  virtual void KeyDown(std::uint16_t& Key, TShiftState Shift);
  virtual void KeyUp(std::uint16_t& Key, TShiftState Shift);
  virtual void KeyPress(char32_t& Key);
  // Places the aligned children inside Rect (the client area).
  virtual void AlignControls(TControl* AControl, TRect& Rect);
  // A child was put on or taken off this control, moved, sized, shown or
  // hidden.
  virtual void ChildGeometryChanged(TControl*) {}
  void InitWidget() override;

 private:
  friend class TControl;
  friend class TCustomForm;
  friend struct ControlBridge;
  void InsertControl(TControl* AControl);
  void RemoveControl(TControl* AControl);
  void ApplyTabOrder();
  void ApplyFocusPolicy();
  void AnchorChildren();

  HWND FHandle = nullptr;
  std::vector<TControl*> FControls;
  std::vector<TWinControl*> FTabList;
  bool FTabStop = false;
  int FAlignDisabled = 0;
  bool FAligning = false;
};

// A windowed control that draws itself on its Canvas in Paint.
class TCustomControl : public TWinControl {
 public:
  explicit TCustomControl(TComponent* AOwner);
  TCanvas* GetCanvas() const { return SurfaceCanvas(); }
};

// A control without focus or keys that draws itself on its Canvas in Paint.
class TGraphicControl : public TControl {
 public:
  explicit TGraphicControl(TComponent* AOwner);
  TCanvas* GetCanvas() const { return SurfaceCanvas(); }
};

// The modifier keys (Shift, Ctrl, Alt) of the input being handled: the
// last mouse, wheel or key event the program received.
TShiftState GetInputShiftState();

// Posts to a control's window; false for a null control.
bool PostMessage(TWinControl* Control, unsigned Msg, WPARAM WParam, LPARAM LParam);

// True when Key is the accelerator of Caption (the character after a single
// "&"), in either case.
bool IsAccel(WPARAM Key, const std::string& Caption);
