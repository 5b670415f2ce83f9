// The toolkit's events turned into the controls' events: one place per kind
// of event, every call into program code inside the handler boundary.

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QStyleHints>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QWheelEvent>
#include <QWidget>

#include "platform/classlib/ControlBridge.h"
#include "platform/classlib/Forms.h"

namespace {

int gDepth = 0;

// The toolkit reports the second press of a double click as a press and
// then a double click. Controls that take double clicks hear only the
// latter (as the class library has it): a press that may open a double
// click is held back until the next mouse event shows which it was.
struct LastPress {
  ulong time = 0;
  QPoint pos;
  Qt::MouseButton button = Qt::NoButton;
  bool valid = false;
} gLastPress;

// The last mouse event the bridges handled was a press (the toolkit sends
// the double click right after the second press).
bool gLastWasPress = false;

struct HeldPress {
  TControl* control = nullptr;
  TMouseButton button = mbLeft;
  TShiftState shift;
  int x = 0;
  int y = 0;
} gHeld;

bool MayBecomeDoubleClick(const QMouseEvent* me) {
  const QStyleHints* hints = QGuiApplication::styleHints();
  QPoint p = me->globalPosition().toPoint();
  bool may = gLastPress.valid && gLastPress.button == me->button() &&
             me->timestamp() - gLastPress.time < static_cast<ulong>(hints->mouseDoubleClickInterval()) &&
             (p - gLastPress.pos).manhattanLength() <= hints->mouseDoubleClickDistance() * 2;
  gLastPress = {me->timestamp(), p, me->button(), true};
  return may;
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

bool ButtonOf(Qt::MouseButton b, TMouseButton& out) {
  switch (b) {
    case Qt::LeftButton: out = mbLeft; return true;
    case Qt::RightButton: out = mbRight; return true;
    case Qt::MiddleButton: out = mbMiddle; return true;
    default: return false;
  }
}

// The virtual key of a key event; 0 when it has none.
std::uint16_t VirtualKeyOf(const QKeyEvent* e) {
  const int k = e->key();
  const bool keypad = e->modifiers() & Qt::KeypadModifier;
  if (k >= Qt::Key_0 && k <= Qt::Key_9)
    return static_cast<std::uint16_t>(keypad ? VK_NUMPAD0 + (k - Qt::Key_0) : k);
  if (k >= Qt::Key_A && k <= Qt::Key_Z) return static_cast<std::uint16_t>(k);
  if (k >= Qt::Key_F1 && k <= Qt::Key_F24) return static_cast<std::uint16_t>(VK_F1 + (k - Qt::Key_F1));
  switch (k) {
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return VK_TAB;
    case Qt::Key_Clear: return VK_CLEAR;
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Shift: return VK_SHIFT;
    case Qt::Key_Control: return VK_CONTROL;
    case Qt::Key_Alt: return VK_MENU;
    case Qt::Key_Pause: return VK_PAUSE;
    case Qt::Key_CapsLock: return VK_CAPITAL;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Select: return VK_SELECT;
    case Qt::Key_Print: return VK_SNAPSHOT;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    case Qt::Key_Help: return VK_HELP;
    case Qt::Key_Meta: return VK_LWIN;
    case Qt::Key_Menu: return VK_APPS;
    case Qt::Key_NumLock: return VK_NUMLOCK;
    case Qt::Key_ScrollLock: return VK_SCROLL;
    case Qt::Key_Asterisk: return keypad ? VK_MULTIPLY : '8';
    case Qt::Key_Plus: return keypad ? VK_ADD : VK_OEM_PLUS;
    case Qt::Key_Minus: return keypad ? VK_SUBTRACT : VK_OEM_MINUS;
    case Qt::Key_Period: return keypad ? VK_DECIMAL : VK_OEM_PERIOD;
    case Qt::Key_Slash: return keypad ? VK_DIVIDE : VK_OEM_2;
    case Qt::Key_Comma: return keypad ? VK_SEPARATOR : VK_OEM_COMMA;
    // Shifted digits of a US keyboard report the digit's key.
    case Qt::Key_Exclam: return '1';
    case Qt::Key_At: return '2';
    case Qt::Key_NumberSign: return '3';
    case Qt::Key_Dollar: return '4';
    case Qt::Key_Percent: return '5';
    case Qt::Key_AsciiCircum: return '6';
    case Qt::Key_Ampersand: return '7';
    case Qt::Key_ParenLeft: return '9';
    case Qt::Key_ParenRight: return '0';
    case Qt::Key_Semicolon:
    case Qt::Key_Colon: return VK_OEM_1;
    case Qt::Key_Equal: return VK_OEM_PLUS;
    case Qt::Key_Less: return VK_OEM_COMMA;
    case Qt::Key_Underscore: return VK_OEM_MINUS;
    case Qt::Key_Greater: return VK_OEM_PERIOD;
    case Qt::Key_Question: return VK_OEM_2;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde: return VK_OEM_3;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft: return VK_OEM_4;
    case Qt::Key_Backslash:
    case Qt::Key_Bar: return VK_OEM_5;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight: return VK_OEM_6;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl: return VK_OEM_7;
    default: return 0;
  }
}

// A widget the control paints itself has no key handling of its own.
bool IsPlainWidget(const QWidget* w) { return w->metaObject() == &QWidget::staticMetaObject; }

bool BeingDestroyed(TControl* c) {
  for (; c; c = c->GetParent()) {
    if (c->GetComponentState().Contains(csDestroying)) return true;
  }
  return false;
}

}  // namespace

int BridgeDispatchDepth() { return gDepth; }

void ForgetControl(TControl* control) {
  if (gHeld.control == control) gHeld.control = nullptr;
}

QColor ToQColor(TColor color) {
  if (color == clNone) return QColor(Qt::transparent);
  TColor rgb = ColorToRGB(color);
  return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

TControl* ControlBridge::ControlOf(const QWidget* widget) {
  if (!widget) return nullptr;
  for (QObject* child : widget->children()) {
    if (auto* bridge = dynamic_cast<ControlBridge*>(child)) return bridge->control;
  }
  return nullptr;
}

bool ControlBridge::eventFilter(QObject* watched, QEvent* event) {
  TControl* c = control;
  if (!c || watched != c->FWidget) return false;
  if (BeingDestroyed(c)) return false;
  std::weak_ptr<bool> alive = c->FAlive;
  ++gDepth;
  bool handled = false;
  try {
    handled = Translate(c->FWidget, event);
  } catch (...) {
    HandleEventException(alive.expired() ? nullptr : c);
    handled = true;
  }
  --gDepth;
  return handled;
}

bool ControlBridge::Translate(QWidget* w, QEvent* e) {
  TControl* c = control;
  std::weak_ptr<bool> alive = c->FAlive;
  auto gone = [&] { return alive.expired() || !*alive.lock(); };
  auto* wc = dynamic_cast<TWinControl*>(c);

  const bool mouse = e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonRelease ||
                     e->type() == QEvent::MouseMove;
  const bool lastWasPress = gLastWasPress;
  if (mouse || e->type() == QEvent::MouseButtonDblClick)
    gLastWasPress = e->type() == QEvent::MouseButtonPress;
  if (mouse && gHeld.control) {
    // No double click followed: the held press was an ordinary one.
    HeldPress held = gHeld;
    gHeld.control = nullptr;
    if (held.control == c) {
      if (held.button == mbLeft && c->GetControlStyle().Contains(csClickEvents)) c->FClicked = true;
      c->MouseDown(held.button, held.shift, held.x, held.y);
      if (gone()) return true;
    }
  }

  switch (e->type()) {
    case QEvent::MouseButtonPress: {
      auto* me = static_cast<QMouseEvent*>(e);
      TMouseButton button;
      if (!ButtonOf(me->button(), button)) return true;
      TShiftState shift = ShiftOf(me->modifiers(), me->buttons());
      QPoint p = me->position().toPoint();
      const TControlStyle style = c->GetControlStyle();
      // The toolkit itself keeps the mouse on the pressed widget.
      if (style.Contains(csCaptureMouse)) CaptureControl() = c;
      if (MayBecomeDoubleClick(me) && style.Contains(csDoubleClicks)) {
        gHeld = {c, button, shift, p.x(), p.y()};
        return true;
      }
      if (button == mbLeft && style.Contains(csClickEvents)) c->FClicked = true;
      c->MouseDown(button, shift, p.x(), p.y());
      return true;
    }
    case QEvent::MouseButtonDblClick: {
      // A third quick press starts anew.
      gLastPress.valid = false;
      auto* me = static_cast<QMouseEvent*>(e);
      TMouseButton button;
      if (!ButtonOf(me->button(), button)) return true;
      const TControlStyle style = c->GetControlStyle();
      TShiftState shift = ShiftOf(me->modifiers(), me->buttons());
      QPoint p = me->position().toPoint();
      if (!style.Contains(csDoubleClicks)) {
        // Without double-click style the second press is a press; the
        // toolkit normally sent it already.
        if (!lastWasPress) {
          if (style.Contains(csCaptureMouse)) CaptureControl() = c;
          if (button == mbLeft && style.Contains(csClickEvents)) c->FClicked = true;
          c->MouseDown(button, shift, p.x(), p.y());
        }
        return true;
      }
      gHeld.control = nullptr;
      if (button == mbLeft && style.Contains(csClickEvents)) c->DblClick();
      if (gone()) return true;
      shift << ssDouble;
      c->MouseDown(button, shift, p.x(), p.y());
      return true;
    }
    case QEvent::MouseButtonRelease: {
      auto* me = static_cast<QMouseEvent*>(e);
      TMouseButton button;
      if (!ButtonOf(me->button(), button)) return true;
      TShiftState shift = ShiftOf(me->modifiers(), me->buttons());
      QPoint p = me->position().toPoint();
      if (me->buttons() == Qt::NoButton && CaptureControl() == c) c->SetMouseCapture(false);
      if (button == mbLeft && c->FClicked) {
        c->FClicked = false;
        if (c->GetClientRect().Contains(TPoint(p.x(), p.y()))) c->Click();
        if (gone()) return true;
      }
      c->MouseUp(button, shift, p.x(), p.y());
      return true;
    }
    case QEvent::MouseMove: {
      auto* me = static_cast<QMouseEvent*>(e);
      QPoint p = me->position().toPoint();
      // While a button holds the mouse the toolkit keeps enter and leave
      // back; the control still hears them as the pointer crosses its edge.
      if (me->buttons() != Qt::NoButton) {
        bool inside = w->rect().contains(p);
        if (inside != c->FMouseInside) {
          c->FMouseInside = inside;
          if (inside)
            c->MouseEnter();
          else
            c->MouseLeave();
          if (gone()) return true;
        }
      }
      c->MouseMove(ShiftOf(me->modifiers(), me->buttons()), p.x(), p.y());
      return true;
    }
    case QEvent::Enter:
      if (!c->FMouseInside) {
        c->FMouseInside = true;
        c->MouseEnter();
      }
      return false;
    case QEvent::Leave:
      if (c->FMouseInside) {
        c->FMouseInside = false;
        c->MouseLeave();
      }
      return false;
    case QEvent::Wheel: {
      auto* we = static_cast<QWheelEvent*>(e);
      int delta = we->angleDelta().y();
      if (delta == 0) return false;
      QPoint g = we->globalPosition().toPoint();
      TShiftState shift = ShiftOf(we->modifiers(), we->buttons());
      TWinControl* parent = c->GetParent();
      std::weak_ptr<bool> parentAlive = parent ? parent->FAlive : std::shared_ptr<bool>();
      if (c->DoMouseWheel(shift, delta, TPoint(g.x(), g.y()))) return true;
      // Not handled: a toolkit control does what it does with a wheel; a
      // control that paints itself passes it to its parent, and so on up.
      if (!IsPlainWidget(w)) return false;
      for (TControl* target = parent; target;) {
        if (parentAlive.expired() || !*parentAlive.lock()) break;
        parent = target->GetParent();
        parentAlive = parent ? parent->FAlive : std::shared_ptr<bool>();
        if (target->DoMouseWheel(shift, delta, TPoint(g.x(), g.y()))) break;
        target = parent;
      }
      return true;
    }
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
      // Keys reach the focused control only (the toolkit also offers a key
      // its target ignored to the parents).
      if (!wc || QApplication::focusWidget() != w) return false;
      auto* ke = static_cast<QKeyEvent*>(e);
      TShiftState shift = ShiftOf(ke->modifiers(), Qt::NoButton);
      std::uint16_t vk = VirtualKeyOf(ke);
      const bool tab = ke->key() == Qt::Key_Tab || ke->key() == Qt::Key_Backtab;
      if (e->type() == QEvent::KeyRelease) {
        if (vk) wc->KeyUp(vk, shift);
        return !tab && (IsPlainWidget(w) || vk == 0);
      }
      if (vk && !tab) {
        wc->KeyDown(vk, shift);
        if (gone()) return true;
        if (vk == 0) return true;
      }
      for (char32_t ch : ke->text().toUcs4()) {
        char32_t key = ch;
        wc->KeyPress(key);
        if (gone()) return true;
        if (key == 0) return true;
      }
      // Tab moves the focus; a control that paints itself keeps other keys
      // from travelling up to its parents.
      if (tab) return false;
      return IsPlainWidget(w);
    }
    case QEvent::FocusIn: {
      auto reason = static_cast<QFocusEvent*>(e)->reason();
      // Getting the window back, or a popup closing, is no move of focus.
      if (wc && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
        if (TCustomForm* form = GetParentForm(wc)) form->SetFocusedControl(wc);
      }
      return false;
    }
    case QEvent::Paint:
      if (!c->FSurface) return false;
      PaintWidget(w);
      return true;
    case QEvent::Resize:
    case QEvent::Move:
      // Only a window's frame is moved and sized by someone else.
      if (w->isWindow()) {
        QPoint frame = w->frameGeometry().topLeft();
        c->ChangeBounds(frame.x(), frame.y(), w->width(), w->height(), true);
      }
      return false;
    case QEvent::Close:
      if (auto* form = dynamic_cast<TCustomForm*>(c)) {
        e->ignore();
        form->Close();
        return true;
      }
      return false;
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate:
      if (auto* form = dynamic_cast<TCustomForm*>(c)) form->WidgetActivated(e->type() == QEvent::WindowActivate);
      return false;
    default:
      return false;
  }
}

void ControlBridge::PaintWidget(QWidget* w) {
  TControl* c = control;
  PaintSurface& s = *c->FSurface;
  c->ResizeSurface();
  if (s.erase) s.image.fill(c->FColor == clNone ? QColor(Qt::transparent) : ToQColor(c->FColor));
  std::weak_ptr<bool> alive = c->FAlive;
  c->FPainting = true;
  std::exception_ptr failure;
  try {
    c->Paint();
  } catch (...) {
    failure = std::current_exception();
  }
  if (alive.expired() || !*alive.lock()) return;
  c->FPainting = false;
  {
    QPainter painter(w);
    painter.drawImage(0, 0, s.image);
  }
  if (failure) {
    // Reported after the paint: a message window must not open inside it.
    TObject* sender = c;
    QTimer::singleShot(0, [failure, sender, alive] {
      try {
        std::rethrow_exception(failure);
      } catch (...) {
        HandleEventException(alive.expired() ? nullptr : sender);
      }
    });
  }
}
