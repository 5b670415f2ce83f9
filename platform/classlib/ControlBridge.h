#pragma once
// The meeting point of controls and the window toolkit (inside the library
// only): every widget of a control carries one bridge that turns the
// toolkit's events into the control's events, and custom-drawn controls keep
// their pixels in a PaintSurface.
//
// The input rules live here, once for every control:
// - A disabled control hears no mouse: the toolkit offers the input to the
//   parent, as the platform does.
// - A toolkit widget (an edit, a button, a list) acts on its mouse input as
//   it does alone (the caret moves, the button goes down) and then the
//   control hears it in the class library's order (OnMouseDown, OnClick,
//   OnMouseUp); nothing goes on to the parent. Its wheel goes to the
//   control's OnMouseWheel first, then to the toolkit, then up the parents.
// - Keys: Enter and Escape are the form's dialog keys (Default and Cancel
//   buttons) unless the focused control wants them; then the form sees the
//   key first when it has KeyPreview; then the control.

#include <QColor>
#include <QImage>
#include <QList>
#include <QObject>
#include <QPoint>
#include <QPointer>

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/classlib/Controls.h"

class QEvent;
class QKeyEvent;
class QMouseEvent;
class QWheelEvent;
class QWidget;

struct PaintSurface {
  // Made at the first paint or the first drawing outside one (a control
  // never shown and never drawn on holds no pixels), at the control's size.
  QImage image;
  bool made = false;
  std::unique_ptr<TCanvas> canvas;
  // New pixels are transparent rather than the control's colour.
  bool transparent = false;
  // Filled with the colour before every paint (forms), instead of keeping
  // what was drawn.
  bool erase = false;
  // Something was drawn on it.
  bool drawn = false;
  // Drawn on outside Paint since the last Paint: Paint alone cannot make
  // the picture again, so the image is kept while the control is hidden.
  bool drawnOutsidePaint = false;
  // Paint makes again whatever was drawn outside it: hiding frees the image.
  bool paintRedrawsAll = false;
  // Paint must run before the image is shown again.
  bool needsPaint = true;
  // A layered window shows this picture (premultiplied, its constant alpha
  // already applied) instead of the image; over `layeredBack` when that is
  // a colour, where the display cannot blend windows.
  bool layered = false;
  QImage layeredImage;
  QColor layeredBack;
  // Paint events the widget has had.
  unsigned paints = 0;
};

struct ControlBridge : QObject {
  explicit ControlBridge(TControl* c) : control(c) {}
  bool eventFilter(QObject* watched, QEvent* event) override;

  // The control a widget shows; null for foreign widgets and for widgets
  // whose control is gone.
  static TControl* ControlOf(const QWidget* widget);
  // The bridge a control's widget carries; null for foreign widgets.
  static ControlBridge* Of(const QWidget* widget);

  // A part of the control's widget (a list's viewport, a combo box's line
  // edit): its mouse, wheel and keys are the control's, in the control's
  // coordinates.
  void AddPart(QWidget* part);

  TControl* control;

 private:
  bool Translate(QWidget* target, QEvent* e);
  bool TranslateMouse(QWidget* w, QMouseEvent* me);
  bool DeliverHeldPress();
  void PressDown(TMouseButton button, TShiftState shift, int x, int y);
  void MousePressed(QMouseEvent* me, QPoint p);
  void MouseDoubleClicked(QMouseEvent* me, QPoint p, bool lastWasPress);
  void MouseReleased(QMouseEvent* me, QPoint p);
  void MouseMoved(QWidget* w, QMouseEvent* me, QPoint p);
  bool ToolkitMouse(QWidget* target, QMouseEvent* me);
  bool ToolkitWheel(QWidget* target, QWheelEvent* we);
  bool PlainWheel(QWheelEvent* we);
  void WheelToParents(TShiftState Shift, int Delta, TPoint Pos);
  struct KeyRound;
  bool TranslateKey(QWidget* target, QKeyEvent* ke);
  bool KeyReleased(KeyRound& k);
  std::optional<bool> DialogKey(KeyRound& k);
  bool DialogChar(KeyRound& k, char32_t ch);
  bool KeyDown(KeyRound& k);
  bool KeyPressed(KeyRound& k, const QList<uint>& typed, std::u32string& chars);
  bool IsPart(const QObject* o) const;
  void PaintWidget(QWidget* w);
  // The window that had the activation last, other than no-activate forms.
  static QPointer<QWidget>& LastActiveWindow();

  std::vector<QPointer<QWidget>> FParts;
};

// Counts as a bridge's handling of a toolkit event: a control (or its form)
// freed inside the scope loses its widget later, not under the toolkit's
// feet. For program code that a widget's own signals run (a button's
// clicked(), an edit's textChanged()).
struct BridgeDispatchScope {
  BridgeDispatchScope();
  ~BridgeDispatchScope();
  BridgeDispatchScope(const BridgeDispatchScope&) = delete;
  BridgeDispatchScope& operator=(const BridgeDispatchScope&) = delete;
};

// Program code run by a toolkit widget's signal: inside a dispatch scope and
// the handler boundary.
template <typename F>
void CallFromWidget(TObject* Sender, F&& fn) {
  BridgeDispatchScope scope;
  CallGuarded(Sender, std::forward<F>(fn));
}

// The control that holds the mouse (see TControl::GetMouseCapture).
TControl*& CaptureControl();

// Takes the capture from whoever holds it (with WM_CAPTURECHANGED) when
// that is `window` or one of its controls: the window lost the activation.
void CaptureLostWithWindow(QWidget* window);
// Records the modifiers of the input event being translated.
void SetInputShiftState(TShiftState Shift);
// The pointer left Control's widget: a local capture it holds ends unless
// a button is held.
void PointerLeftControl(TControl* Control, bool ButtonsHeld);

// How many toolkit events the bridges are handling right now (nested): a
// widget freed while one runs is deleted later, not under the event's feet.
int BridgeDispatchDepth();

// Drops whatever the event translation still holds for a control being freed.
void ForgetControl(TControl* control);

// A widget the control paints itself (no input handling of its own), as
// opposed to a toolkit widget.
bool IsPlainWidget(const QWidget* w);

// The toolkit's colour for a TColor (system colours resolved, clNone clear).
QColor ToQColor(TColor color);
