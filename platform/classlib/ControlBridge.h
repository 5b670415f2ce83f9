#pragma once
// The meeting point of controls and the window toolkit (inside the library
// only): every widget of a control carries one bridge that turns the
// toolkit's events into the control's events, and custom-drawn controls keep
// their pixels in a PaintSurface.

#include <QColor>
#include <QImage>
#include <QObject>

#include <memory>

#include "platform/classlib/Controls.h"

class QEvent;
class QWidget;

struct PaintSurface {
  QImage image;
  std::unique_ptr<TCanvas> canvas;
  // New pixels are transparent rather than the control's colour.
  bool transparent = false;
  // Filled with the colour before every paint (forms), instead of keeping
  // what was drawn.
  bool erase = false;
  // Something was drawn on it.
  bool drawn = false;
};

struct ControlBridge : QObject {
  explicit ControlBridge(TControl* c) : control(c) {}
  bool eventFilter(QObject* watched, QEvent* event) override;

  // The control a widget shows; null for foreign widgets and for widgets
  // whose control is gone.
  static TControl* ControlOf(const QWidget* widget);

  TControl* control;

 private:
  bool Translate(QWidget* w, QEvent* e);
  void PaintWidget(QWidget* w);
};

// The control that holds the mouse (see TControl::GetMouseCapture).
TControl*& CaptureControl();

// How many toolkit events the bridges are handling right now (nested): a
// widget freed while one runs is deleted later, not under the event's feet.
int BridgeDispatchDepth();

// Drops whatever the event translation still holds for a control being freed.
void ForgetControl(TControl* control);

// The toolkit's colour for a TColor (system colours resolved, clNone clear).
QColor ToQColor(TColor color);
Qt::CursorShape CursorShapeOf(TCursor cursor);
