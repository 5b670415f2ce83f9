#include "platform/classlib/StdCtrlsNative.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QStyle>
#include <QStyleFactory>
#include <QWheelEvent>
#include <QWidget>

#include "platform/classlib/ControlBridge.h"

namespace stdctrls {
namespace {

// Reaches the widget's own event handling without passing the event filters
// again; a scroll area's viewport is handled by its scroll area.
struct EventAccess : QWidget {
  using QWidget::event;
};
struct ViewportAccess : QAbstractScrollArea {
  using QAbstractScrollArea::viewportEvent;
};
// The control's wheel handling (OnMouseWheel with Handled, then the wheel
// up / down events).
struct WheelAccess : TControl {
  using TControl::DoMouseWheel;
};

bool DeliverNative(QWidget* w, QEvent* e) {
  if (auto* area = qobject_cast<QAbstractScrollArea*>(w->parentWidget()); area && area->viewport() == w)
    return (area->*(&ViewportAccess::viewportEvent))(e);
  return (w->*(&EventAccess::event))(e);
}

TShiftState ShiftOf(Qt::KeyboardModifiers mods, Qt::MouseButtons buttons) {
  TShiftState s;
  if (mods & Qt::ShiftModifier) s << ssShift;
  if (mods & Qt::ControlModifier) s << ssCtrl;
  if (mods & Qt::AltModifier) s << ssAlt;
  if (buttons & Qt::LeftButton) s << ssLeft;
  if (buttons & Qt::RightButton) s << ssRight;
  if (buttons & Qt::MiddleButton) s << ssMiddle;
  return s;
}

ControlBridge* BridgeOf(const QWidget* w) {
  for (QObject* child : w->children()) {
    if (auto* bridge = dynamic_cast<ControlBridge*>(child)) return bridge;
  }
  return nullptr;
}

bool IsMouse(QEvent::Type t) {
  return t == QEvent::MouseButtonPress || t == QEvent::MouseButtonRelease ||
         t == QEvent::MouseButtonDblClick || t == QEvent::MouseMove;
}

class NativeInputFilter : public QObject {
 public:
  NativeInputFilter(QWidget* controlWidget, bool clickFocus)
      : controlWidget_(controlWidget), clickFocus_(clickFocus) {}

  bool eventFilter(QObject* watched, QEvent* e) override {
    const QEvent::Type type = e->type();
    if (!IsMouse(type) && type != QEvent::Wheel) return false;
    auto* w = qobject_cast<QWidget*>(watched);
    if (!w || !controlWidget_ || !w->isEnabled()) return false;
    ControlBridge* bridge = BridgeOf(controlWidget_);
    if (!bridge || !bridge->control) return false;
    QPointer<QWidget> self = w;
    QPointer<ControlBridge> alive = bridge;

    if (type == QEvent::Wheel) {
      // The control first: a handler that sets Handled keeps the widget from
      // acting on the wheel. Left alone, the widget decides, and what it
      // does not take goes on to the parent.
      auto* we = static_cast<QWheelEvent*>(e);
      TControl* control = bridge->control;
      bool handled = false;
      if (we->angleDelta().y() != 0) {
        QPoint g = we->globalPosition().toPoint();
        TShiftState shift = ShiftOf(we->modifiers(), we->buttons());
        CallGuarded(control, [&] {
          handled = (control->*(&WheelAccess::DoMouseWheel))(shift, we->angleDelta().y(), TPoint(g.x(), g.y()));
        });
      }
      if (handled || !self || !alive || !alive->control) {
        e->setAccepted(true);
        return true;
      }
      we->setAccepted(false);
      DeliverNative(w, e);
      return true;
    }

    if ((type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) && clickFocus_ &&
        !(controlWidget_->focusPolicy() & Qt::ClickFocus) && !controlWidget_->hasFocus() &&
        !controlWidget_->isAncestorOf(QApplication::focusWidget())) {
      controlWidget_->setFocus(Qt::MouseFocusReason);
      if (!self || !alive || !alive->control) return true;
    }
    DeliverNative(w, e);
    if (self && alive && alive->control) ToControl(alive, w, e);
    // The platform hands no mouse message on to the parent window.
    e->setAccepted(true);
    return true;
  }

 private:
  // Hands a mouse event to the control's bridge, in the control's coordinates.
  void ToControl(ControlBridge* bridge, QWidget* w, QEvent* e) {
    QWidget* cw = controlWidget_;
    if (w == cw) {
      bridge->eventFilter(cw, e);
      return;
    }
    auto* me = static_cast<QMouseEvent*>(e);
    QPointF p = w->mapTo(cw, me->position());
    QMouseEvent mapped(me->type(), p, me->scenePosition(), me->globalPosition(), me->button(), me->buttons(),
                       me->modifiers());
    bridge->eventFilter(cw, &mapped);
  }

  QPointer<QWidget> controlWidget_;
  bool clickFocus_;
};

}  // namespace

QStyle* StandardStyle() {
  static QPointer<QStyle> style;
  if (!style) {
    style = QStyleFactory::create(QStringLiteral("Fusion"));
    if (style && qApp) style->setParent(qApp);
  }
  return style;
}

void NativeInput(QWidget* w, bool clickFocus) {
  QStyle* style = StandardStyle();
  if (style && QApplication::style() && QApplication::style()->name().compare(style->name(), Qt::CaseInsensitive) != 0)
    w->setStyle(style);
  // Installed after the bridge, so it sees the events first.
  auto* filter = new NativeInputFilter(w, clickFocus);
  filter->setParent(w);
  w->installEventFilter(filter);
}

void ForwardChildMouse(QWidget* child, QWidget* controlWidget, bool clickFocus) {
  auto* filter = new NativeInputFilter(controlWidget, clickFocus);
  filter->setParent(child);
  child->installEventFilter(filter);
}

TColor FieldColorFor(TColor face) {
  TColor c = ColorToRGB(face == clNone ? clBtnFace : face);
  const int luma = (GetRValue(c) * 299 + GetGValue(c) * 587 + GetBValue(c) * 114) / 1000;
  if (luma >= 128) return clWindow;
  auto deeper = [](int v) { return v * 3 / 5; };
  return RGB(deeper(GetRValue(c)), deeper(GetGValue(c)), deeper(GetBValue(c)));
}

void ApplyScrollBarColors(QWidget* w, TColor back, TColor text) {
  TColor b = ColorToRGB(back == clNone ? clBtnFace : back);
  TColor t = ColorToRGB(text);
  auto mix = [](int x, int y) { return x + (y - x) / 4; };
  TColor handle = RGB(mix(GetRValue(b), GetRValue(t)), mix(GetGValue(b), GetGValue(t)), mix(GetBValue(b), GetBValue(t)));
  ApplyColors(w, {RolePair{back, text, QPalette::Window, QPalette::WindowText},
                  RolePair{handle, text, QPalette::Button, QPalette::ButtonText}});
}

void ApplyColors(QWidget* w, std::initializer_list<RolePair> pairs) {
  QPalette pal = w->palette();
  for (const RolePair& r : pairs) {
    QColor b = r.back == clNone ? pal.color(r.backRole) : ToQColor(r.back);
    QColor t = r.text == clNone ? pal.color(r.textRole) : ToQColor(r.text);
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
      pal.setColor(group, r.backRole, b);
      pal.setColor(group, r.textRole, t);
    }
    QColor dim((t.red() + b.red()) / 2, (t.green() + b.green()) / 2, (t.blue() + b.blue()) / 2);
    pal.setColor(QPalette::Disabled, r.textRole, dim);
  }
  for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    pal.setColor(group, QPalette::Highlight, ToQColor(clHighlight));
    pal.setColor(group, QPalette::HighlightedText, ToQColor(clHighlightText));
  }
  w->setPalette(pal);
}

}  // namespace stdctrls
