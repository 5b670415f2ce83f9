// The toolkit's events turned into the controls' events: one place per kind
// of event, every call into program code inside the handler boundary (see
// ControlBridge.h for the rules).

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QStyleHints>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QTimer>
#include <QWheelEvent>
#include <QWidget>

#include <algorithm>
#include <string>

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
    case Qt::LeftButton:
      out = mbLeft;
      return true;
    case Qt::RightButton:
      out = mbRight;
      return true;
    case Qt::MiddleButton:
      out = mbMiddle;
      return true;
    default:
      return false;
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
    case Qt::Key_Backspace:
      return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return VK_TAB;
    case Qt::Key_Clear:
      return VK_CLEAR;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return VK_RETURN;
    case Qt::Key_Shift:
      return VK_SHIFT;
    case Qt::Key_Control:
      return VK_CONTROL;
    case Qt::Key_Alt:
      return VK_MENU;
    case Qt::Key_Pause:
      return VK_PAUSE;
    case Qt::Key_CapsLock:
      return VK_CAPITAL;
    case Qt::Key_Escape:
      return VK_ESCAPE;
    case Qt::Key_Space:
      return VK_SPACE;
    case Qt::Key_PageUp:
      return VK_PRIOR;
    case Qt::Key_PageDown:
      return VK_NEXT;
    case Qt::Key_End:
      return VK_END;
    case Qt::Key_Home:
      return VK_HOME;
    case Qt::Key_Left:
      return VK_LEFT;
    case Qt::Key_Up:
      return VK_UP;
    case Qt::Key_Right:
      return VK_RIGHT;
    case Qt::Key_Down:
      return VK_DOWN;
    case Qt::Key_Select:
      return VK_SELECT;
    case Qt::Key_Print:
      return VK_SNAPSHOT;
    case Qt::Key_Insert:
      return VK_INSERT;
    case Qt::Key_Delete:
      return VK_DELETE;
    case Qt::Key_Help:
      return VK_HELP;
    case Qt::Key_Meta:
      return VK_LWIN;
    case Qt::Key_Menu:
      return VK_APPS;
    case Qt::Key_NumLock:
      return VK_NUMLOCK;
    case Qt::Key_ScrollLock:
      return VK_SCROLL;
    case Qt::Key_Asterisk:
      return keypad ? VK_MULTIPLY : '8';
    case Qt::Key_Plus:
      return keypad ? VK_ADD : VK_OEM_PLUS;
    case Qt::Key_Minus:
      return keypad ? VK_SUBTRACT : VK_OEM_MINUS;
    case Qt::Key_Period:
      return keypad ? VK_DECIMAL : VK_OEM_PERIOD;
    case Qt::Key_Slash:
      return keypad ? VK_DIVIDE : VK_OEM_2;
    case Qt::Key_Comma:
      return keypad ? VK_SEPARATOR : VK_OEM_COMMA;
    // Shifted digits of a US keyboard report the digit's key.
    case Qt::Key_Exclam:
      return '1';
    case Qt::Key_At:
      return '2';
    case Qt::Key_NumberSign:
      return '3';
    case Qt::Key_Dollar:
      return '4';
    case Qt::Key_Percent:
      return '5';
    case Qt::Key_AsciiCircum:
      return '6';
    case Qt::Key_Ampersand:
      return '7';
    case Qt::Key_ParenLeft:
      return '9';
    case Qt::Key_ParenRight:
      return '0';
    case Qt::Key_Semicolon:
    case Qt::Key_Colon:
      return VK_OEM_1;
    case Qt::Key_Equal:
      return VK_OEM_PLUS;
    case Qt::Key_Less:
      return VK_OEM_COMMA;
    case Qt::Key_Underscore:
      return VK_OEM_MINUS;
    case Qt::Key_Greater:
      return VK_OEM_PERIOD;
    case Qt::Key_Question:
      return VK_OEM_2;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde:
      return VK_OEM_3;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft:
      return VK_OEM_4;
    case Qt::Key_Backslash:
    case Qt::Key_Bar:
      return VK_OEM_5;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight:
      return VK_OEM_6;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl:
      return VK_OEM_7;
    default:
      return 0;
  }
}

bool IsMouseEvent(QEvent::Type t) {
  return t == QEvent::MouseButtonPress || t == QEvent::MouseButtonRelease ||
         t == QEvent::MouseButtonDblClick || t == QEvent::MouseMove;
}

// A widget's own handling of an event, past the event filters; a scroll
// area's viewport is handled by its scroll area.
struct EventAccess : QWidget {
  using QWidget::event;
};
struct ViewportAccess : QAbstractScrollArea {
  using QAbstractScrollArea::viewportEvent;
};

// True when the widget handled the event.
bool DeliverToWidget(QWidget* w, QEvent* e) {
  if (auto* area = qobject_cast<QAbstractScrollArea*>(w->parentWidget()); area && area->viewport() == w)
    return (area->*(&ViewportAccess::viewportEvent))(e);
  return (w->*(&EventAccess::event))(e);
}

LPARAM DialogKeyModifiers(Qt::KeyboardModifiers mods) {
  LPARAM m = 0;
  if (mods & Qt::ShiftModifier) m |= DIALOGKEY_SHIFT;
  if (mods & Qt::ControlModifier) m |= DIALOGKEY_CTRL;
  if (mods & Qt::AltModifier) m |= DIALOGKEY_ALT;
  return m;
}

bool BeingDestroyed(TControl* c) {
  for (; c; c = c->GetParent()) {
    if (c->GetComponentState().Contains(csDestroying)) return true;
  }
  return false;
}

// The bridge of the control a widget belongs to: its own, or that of the
// control it is a part of.
ControlBridge* OwnerBridge(QWidget* w) {
  for (; w; w = w->parentWidget()) {
    if (ControlBridge* b = ControlBridge::Of(w)) return b;
    if (w->isWindow()) break;
  }
  return nullptr;
}

}  // namespace

BridgeDispatchScope::BridgeDispatchScope() {
  ++gDepth;
}
BridgeDispatchScope::~BridgeDispatchScope() {
  --gDepth;
}

int BridgeDispatchDepth() {
  return gDepth;
}

bool IsPlainWidget(const QWidget* w) {
  return w && w->metaObject() == &QWidget::staticMetaObject;
}

void ForgetControl(TControl* control) {
  if (gHeld.control == control) gHeld.control = nullptr;
}

QColor ToQColor(TColor color) {
  if (color == clNone) return QColor(Qt::transparent);
  TColor rgb = ColorToRGB(color);
  return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

ControlBridge* ControlBridge::Of(const QWidget* widget) {
  if (!widget) return nullptr;
  for (QObject* child : widget->children()) {
    if (auto* bridge = dynamic_cast<ControlBridge*>(child)) return bridge;
  }
  return nullptr;
}

TControl* ControlBridge::ControlOf(const QWidget* widget) {
  ControlBridge* bridge = Of(widget);
  return bridge ? bridge->control : nullptr;
}

void ControlBridge::AddPart(QWidget* part) {
  if (!part || IsPart(part)) return;
  FParts.emplace_back(part);
  part->setMouseTracking(true);
  part->installEventFilter(this);
}

bool ControlBridge::IsPart(const QObject* o) const {
  for (const QPointer<QWidget>& p : FParts) {
    if (p && p.data() == o) return true;
  }
  return false;
}

bool ControlBridge::eventFilter(QObject* watched, QEvent* event) {
  TControl* c = control;
  if (!c || !c->FWidget) return false;
  QWidget* target = nullptr;
  if (watched == c->FWidget)
    target = c->FWidget;
  else if (IsPart(watched))
    target = static_cast<QWidget*>(watched);
  else
    return false;
  if (BeingDestroyed(c)) return false;
  std::weak_ptr<bool> alive = c->FAlive;
  ++gDepth;
  bool handled = false;
  try {
    handled = Translate(target, event);
  } catch (...) {
    HandleEventException(alive.expired() ? nullptr : c);
    handled = true;
  }
  --gDepth;
  return handled;
}

bool ControlBridge::Translate(QWidget* target, QEvent* e) {
  TControl* c = control;
  QWidget* w = c->FWidget;
  const bool part = target != w;
  // A toolkit widget has input handling of its own; a plain one is the
  // control's alone.
  const bool toolkit = part || !IsPlainWidget(w);
  const QEvent::Type type = e->type();

  if (IsMouseEvent(type) || type == QEvent::Wheel || type == QEvent::KeyPress || type == QEvent::KeyRelease)
    SetInputShiftState(ShiftOf(static_cast<QInputEvent*>(e)->modifiers(), Qt::NoButton));
  if (IsMouseEvent(type) || type == QEvent::Wheel) {
    // A disabled control hears no mouse, nor does its widget (a disabled
    // toolkit button would swallow it): the toolkit offers it to the parent.
    if (!target->isEnabled()) {
      e->ignore();
      return true;
    }
    if (type == QEvent::Wheel) {
      auto* we = static_cast<QWheelEvent*>(e);
      return toolkit ? ToolkitWheel(target, we) : PlainWheel(we);
    }
    auto* me = static_cast<QMouseEvent*>(e);
    return toolkit ? ToolkitMouse(target, me) : TranslateMouse(w, me);
  }
  if (type == QEvent::KeyPress || type == QEvent::KeyRelease)
    return TranslateKey(target, static_cast<QKeyEvent*>(e));
  if (type == QEvent::FocusIn) {
    auto reason = static_cast<QFocusEvent*>(e)->reason();
    // Getting the window back, or a popup closing, is no move of focus.
    auto* wc = dynamic_cast<TWinControl*>(c);
    if (wc && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
      if (TCustomForm* form = GetParentForm(wc)) form->SetFocusedControl(wc);
    }
    return false;
  }
  if (part) return false;

  switch (type) {
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
      PointerLeftControl(c, QGuiApplication::mouseButtons() != Qt::NoButton);
      return false;
    case QEvent::Paint:
      if (!c->FSurface) return false;
      PaintWidget(w);
      return true;
    case QEvent::Hide:
      if (c->FSurface) c->ReleaseSurface();
      c->ShowingEnded();
      return false;
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
      if (auto* form = dynamic_cast<TCustomForm*>(c); form && form->GetNoActivate()) {
        // A window system that activated it anyway gets the last active
        // window back; the form never hears of it.
        if (type == QEvent::WindowActivate) {
          QWidget* last = LastActiveWindow();
          if (last && last != w && last->isVisible()) last->activateWindow();
        }
        return true;
      }
      if (type == QEvent::WindowActivate && w->isWindow()) LastActiveWindow() = w;
      // A window that loses the activation loses the mouse capture too.
      if (type == QEvent::WindowDeactivate && w->isWindow()) CaptureLostWithWindow(w);
      if (auto* form = dynamic_cast<TCustomForm*>(c))
        form->WidgetActivated(e->type() == QEvent::WindowActivate);
      return false;
    default:
      return false;
  }
}

bool ControlBridge::TranslateMouse(QWidget* w, QMouseEvent* me) {
  const QEvent::Type type = me->type();
  const bool lastWasPress = gLastWasPress;
  gLastWasPress = type == QEvent::MouseButtonPress;
  if (type != QEvent::MouseButtonDblClick && !DeliverHeldPress()) return true;

  // In client coordinates: below a form's menu bar.
  const QPoint p = me->position().toPoint() - QPoint(0, control->FClientTop);
  switch (type) {
    case QEvent::MouseButtonPress:
      MousePressed(me, p);
      return true;
    case QEvent::MouseButtonDblClick:
      MouseDoubleClicked(me, p, lastWasPress);
      return true;
    case QEvent::MouseButtonRelease:
      MouseReleased(me, p);
      return true;
    case QEvent::MouseMove:
      MouseMoved(w, me, p);
      return true;
    default:
      return false;
  }
}

bool ControlBridge::DeliverHeldPress() {
  if (!gHeld.control) return true;
  // No double click followed: the held press was an ordinary one.
  const HeldPress held = gHeld;
  gHeld.control = nullptr;
  if (held.control != control) return true;
  std::weak_ptr<bool> alive = control->FAlive;
  PressDown(held.button, held.shift, held.x, held.y);
  return !alive.expired() && *alive.lock();
}

void ControlBridge::PressDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (button == mbLeft && control->GetControlStyle().Contains(csClickEvents)) control->FClicked = true;
  control->MouseDown(button, shift, x, y);
}

void ControlBridge::MousePressed(QMouseEvent* me, QPoint p) {
  TMouseButton button;
  if (!ButtonOf(me->button(), button)) return;
  const TShiftState shift = ShiftOf(me->modifiers(), me->buttons());
  const TControlStyle style = control->GetControlStyle();
  // The toolkit itself keeps the mouse on the pressed widget.
  if (style.Contains(csCaptureMouse)) CaptureControl() = control;
  if (MayBecomeDoubleClick(me) && style.Contains(csDoubleClicks)) {
    gHeld = {control, button, shift, p.x(), p.y()};
    return;
  }
  PressDown(button, shift, p.x(), p.y());
}

void ControlBridge::MouseDoubleClicked(QMouseEvent* me, QPoint p, bool lastWasPress) {
  TControl* c = control;
  // A third quick press starts anew.
  gLastPress.valid = false;
  TMouseButton button;
  if (!ButtonOf(me->button(), button)) return;
  const TControlStyle style = c->GetControlStyle();
  TShiftState shift = ShiftOf(me->modifiers(), me->buttons());
  if (!style.Contains(csDoubleClicks)) {
    // Without double-click style the second press is a press; the toolkit
    // normally sent it already.
    if (lastWasPress) return;
    if (style.Contains(csCaptureMouse)) CaptureControl() = c;
    PressDown(button, shift, p.x(), p.y());
    return;
  }
  gHeld.control = nullptr;
  std::weak_ptr<bool> alive = c->FAlive;
  if (button == mbLeft && style.Contains(csClickEvents)) c->DblClick();
  if (alive.expired() || !*alive.lock()) return;
  shift << ssDouble;
  c->MouseDown(button, shift, p.x(), p.y());
}

void ControlBridge::MouseReleased(QMouseEvent* me, QPoint p) {
  TControl* c = control;
  TMouseButton button;
  if (!ButtonOf(me->button(), button)) return;
  const TShiftState shift = ShiftOf(me->modifiers(), me->buttons());
  if (me->buttons() == Qt::NoButton && CaptureControl() == c) c->SetMouseCapture(false);
  if (button == mbLeft && c->FClicked) {
    c->FClicked = false;
    std::weak_ptr<bool> alive = c->FAlive;
    if (c->GetClientRect().Contains(TPoint(p.x(), p.y()))) c->Click();
    if (alive.expired() || !*alive.lock()) return;
  }
  c->MouseUp(button, shift, p.x(), p.y());
}

void ControlBridge::MouseMoved(QWidget* w, QMouseEvent* me, QPoint p) {
  TControl* c = control;
  // While a button holds the mouse the toolkit keeps enter and leave back;
  // the control still hears them as the pointer crosses its edge.
  const bool inside = w->rect().contains(me->position().toPoint());
  if (me->buttons() != Qt::NoButton && inside != c->FMouseInside) {
    c->FMouseInside = inside;
    std::weak_ptr<bool> alive = c->FAlive;
    if (inside)
      c->MouseEnter();
    else
      c->MouseLeave();
    if (alive.expired() || !*alive.lock()) return;
  }
  c->MouseMove(ShiftOf(me->modifiers(), me->buttons()), p.x(), p.y());
}

bool ControlBridge::ToolkitMouse(QWidget* target, QMouseEvent* me) {
  QPointer<ControlBridge> self = this;
  DeliverToWidget(target, me);
  // What the toolkit ran (a button's click) may have freed the control.
  if (self && control && control->FWidget) {
    QWidget* w = control->FWidget;
    if (target == w) {
      TranslateMouse(w, me);
    } else {
      QMouseEvent mapped(me->type(), target->mapTo(w, me->position()), me->scenePosition(),
                         me->globalPosition(), me->button(), me->buttons(), me->modifiers(),
                         me->pointingDevice());
      mapped.setTimestamp(me->timestamp());
      TranslateMouse(w, &mapped);
    }
  }
  // The platform hands no mouse message on to the parent window.
  me->setAccepted(true);
  return true;
}

bool ControlBridge::PlainWheel(QWheelEvent* we) {
  TControl* c = control;
  const int delta = we->angleDelta().y();
  if (delta == 0) return false;
  const QPoint g = we->globalPosition().toPoint();
  const TShiftState shift = ShiftOf(we->modifiers(), we->buttons());
  std::weak_ptr<bool> alive = c->FAlive;
  if (c->DoMouseWheel(shift, delta, TPoint(g.x(), g.y()))) return true;
  if (alive.expired() || !*alive.lock()) return true;
  WheelToParents(shift, delta, TPoint(g.x(), g.y()));
  return true;
}

bool ControlBridge::ToolkitWheel(QWidget* target, QWheelEvent* we) {
  TControl* c = control;
  std::weak_ptr<bool> alive = c->FAlive;
  auto gone = [&] { return alive.expired() || !*alive.lock(); };
  const int delta = we->angleDelta().y();
  const QPoint g = we->globalPosition().toPoint();
  const TShiftState shift = ShiftOf(we->modifiers(), we->buttons());
  // The control first: a handler that sets Handled keeps the widget from
  // acting on the wheel.
  if (delta != 0 && c->DoMouseWheel(shift, delta, TPoint(g.x(), g.y()))) return true;
  if (gone()) return true;
  // Then the toolkit: the part, then the whole widget.
  QPointer<QWidget> part = target;
  we->setAccepted(true);
  bool taken = DeliverToWidget(target, we) && we->isAccepted();
  if (!taken && !gone() && part && target != c->FWidget) {
    QWidget* w = c->FWidget;
    QWheelEvent mapped(target->mapTo(w, we->position()), we->globalPosition(), we->pixelDelta(),
                       we->angleDelta(), we->buttons(), we->modifiers(), we->phase(), we->inverted(),
                       we->source(), we->pointingDevice());
    mapped.setTimestamp(we->timestamp());
    taken = DeliverToWidget(w, &mapped) && mapped.isAccepted();
  }
  // What the toolkit did not take goes on to the parents.
  if (!taken && delta != 0 && !gone()) WheelToParents(shift, delta, TPoint(g.x(), g.y()));
  we->setAccepted(true);
  return true;
}

void ControlBridge::WheelToParents(TShiftState Shift, int Delta, TPoint Pos) {
  for (TWinControl* target = control->GetParent(); target;) {
    TWinControl* next = target->GetParent();
    std::weak_ptr<bool> nextAlive = next ? next->FAlive : std::shared_ptr<bool>();
    if (target->DoMouseWheel(Shift, Delta, Pos)) return;
    if (!next || nextAlive.expired() || !*nextAlive.lock()) return;
    target = next;
  }
}

// One key event on its way through the form and the focused control.
struct ControlBridge::KeyRound {
  TWinControl* control;
  QKeyEvent* event;
  std::weak_ptr<bool> alive;
  bool toolkit;  // a toolkit widget (or a part of one) acts on the key too
  TShiftState shift;
  bool tab;
  std::uint16_t vk;
  TCustomForm* form;
  TCustomForm* preview;  // the form, when it hears its controls' keys first

  bool Gone() const { return alive.expired() || !*alive.lock(); }
};

bool ControlBridge::TranslateKey(QWidget* target, QKeyEvent* ke) {
  auto* wc = dynamic_cast<TWinControl*>(control);
  if (!wc) return false;
  QWidget* w = wc->FWidget;
  // Keys reach the focused control only, and once: where the toolkit
  // delivers them first (it also offers a key its target ignored to the
  // parents).
  QWidget* focus = QApplication::focusWidget();
  // A form in which no control has the focus hears its keys itself.
  if (!focus && target == w && dynamic_cast<TCustomForm*>(wc)) focus = w;
  if (!focus || OwnerBridge(focus) != this) return false;
  if (target != focus && (target != w || IsPart(focus))) return false;

  TCustomForm* form = GetParentForm(wc);
  KeyRound k{wc, ke, wc->FAlive, target != w || !IsPlainWidget(w), ShiftOf(ke->modifiers(), Qt::NoButton),
             ke->key() == Qt::Key_Tab || ke->key() == Qt::Key_Backtab, VirtualKeyOf(ke), form,
             // With KeyPreview the form hears its controls' keys before they do.
             form && form != wc && form->GetKeyPreview() ? form : nullptr};

  if (ke->type() == QEvent::KeyRelease) return KeyReleased(k);
  if (const std::optional<bool> handled = DialogKey(k)) return *handled;
  if (!KeyDown(k)) return true;
  const Qt::KeyboardModifiers mods = ke->modifiers();
  const bool alt = (mods & Qt::AltModifier) && !(mods & Qt::ControlModifier);
  // Alt with a letter or digit is an accelerator before it is anything else.
  if (alt && ((k.vk >= 'A' && k.vk <= 'Z') || (k.vk >= '0' && k.vk <= '9')) && DialogChar(k, k.vk))
    return true;
  std::u32string chars;
  const QList<uint> typed = ke->text().toUcs4();
  if (!KeyPressed(k, typed, chars)) return true;
  // Characters that the focused control does not take are accelerators too.
  if (!(mods & (Qt::AltModifier | Qt::ControlModifier)) && !chars.empty() &&
      !(k.control->Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS)) {
    if (k.Gone()) return true;
    for (char32_t ch : chars)
      if (DialogChar(k, ch)) return true;
  }
  // A control that paints itself keeps its keys from travelling up to its
  // parents; a toolkit widget acts on them (a memo that wants Tab types it).
  if (!k.toolkit) return true;
  // A handler that replaced a character has its own typed.
  if (!std::equal(chars.begin(), chars.end(), typed.begin(), typed.end())) {
    QKeyEvent replaced(QEvent::KeyPress, ke->key(), ke->modifiers(),
                       QString::fromUcs4(chars.data(), static_cast<qsizetype>(chars.size())),
                       ke->isAutoRepeat());
    DeliverToWidget(target, &replaced);
    return true;
  }
  return false;
}

bool ControlBridge::KeyReleased(KeyRound& k) {
  const bool had = k.vk != 0;
  if (had && k.preview) {
    k.preview->KeyUp(k.vk, k.shift);
    if (k.Gone()) return true;
  }
  if (k.vk) k.control->KeyUp(k.vk, k.shift);
  if (k.Gone()) return true;
  return !k.tab && (!k.toolkit || (had && k.vk == 0));
}

// Tab, Enter and Escape are the form's unless the control wants them: Tab
// moves the focus, Enter and Escape click the Default and Cancel buttons.
// The event's result when the key ends here, else nothing.
std::optional<bool> ControlBridge::DialogKey(KeyRound& k) {
  const LRESULT mask = k.tab ? DLGC_WANTTAB : (k.vk == VK_RETURN || k.vk == VK_ESCAPE) ? DLGC_WANTALLKEYS : 0;
  if (!mask) return std::nullopt;
  const WPARAM key = k.tab ? VK_TAB : k.vk;
  const bool wanted = k.control->Perform(CM_WANTSPECIALKEY, key, 0) != 0 ||
                      (k.control->Perform(WM_GETDLGCODE, 0, 0) & mask) != 0;
  if (k.Gone()) return true;
  if (wanted) return std::nullopt;
  if (k.tab) return false;
  if (k.form && k.form->Perform(CM_DIALOGKEY, key, DialogKeyModifiers(k.event->modifiers())) != 0)
    return true;
  if (k.Gone()) return true;
  return std::nullopt;
}

// Offers a character to the form's accelerators; true when one took it
// (or the control went with it) and the key ends here.
bool ControlBridge::DialogChar(KeyRound& k, char32_t ch) {
  if (!k.form) return false;
  const bool taken = k.form->Perform(CM_DIALOGCHAR, ch, DialogKeyModifiers(k.event->modifiers())) != 0;
  return taken || k.Gone();
}

bool ControlBridge::KeyDown(KeyRound& k) {
  if (!k.vk) return true;
  if (k.preview) {
    k.preview->KeyDown(k.vk, k.shift);
    if (k.Gone() || k.vk == 0) return false;
  }
  k.control->KeyDown(k.vk, k.shift);
  return !k.Gone() && k.vk != 0;
}

bool ControlBridge::KeyPressed(KeyRound& k, const QList<uint>& typed, std::u32string& chars) {
  for (uint ch : typed) {
    char32_t key = ch;
    if (k.preview) {
      k.preview->KeyPress(key);
      if (k.Gone() || key == 0) return false;
    }
    k.control->KeyPress(key);
    if (k.Gone() || key == 0) return false;
    chars += key;
  }
  return true;
}

QPointer<QWidget>& ControlBridge::LastActiveWindow() {
  static QPointer<QWidget> last;
  return last;
}

void ControlBridge::PaintWidget(QWidget* w) {
  TControl* c = control;
  PaintSurface& s = *c->FSurface;
  ++s.paints;
  if (s.layered) {
    QPainter painter(w);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    if (s.layeredBack.isValid()) {
      painter.fillRect(w->rect(), s.layeredBack);
      painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    } else {
      painter.fillRect(w->rect(), Qt::transparent);
    }
    painter.drawImage(0, 0, s.layeredImage);
    return;
  }
  c->MakeSurface();
  c->ResizeSurface();
  std::weak_ptr<bool> alive = c->FAlive;
  std::exception_ptr failure;
  // Only an invalidated image is painted again; anything else (an expose,
  // drawing done outside Paint) shows the image as it stands.
  if (s.needsPaint) {
    s.needsPaint = false;
    if (s.transparent)
      s.image.fill(Qt::transparent);
    else if (s.erase)
      s.image.fill(c->FColor == clNone ? QColor(Qt::transparent) : ToQColor(c->FColor));
    c->FPainting = true;
    s.drawnOutsidePaint = false;
    try {
      c->Paint();
    } catch (...) {
      failure = std::current_exception();
    }
    if (alive.expired() || !*alive.lock()) return;
    c->FPainting = false;
  }
  {
    QPainter painter(w);
    painter.drawImage(0, c->FClientTop, s.image);
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
