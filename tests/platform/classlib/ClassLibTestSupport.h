#pragma once
// Shared bits of the component, control and form tests: one application
// for the whole test program, a recorder in place of the message window,
// event pumping with a deadlock guard, and input sent the way the window
// system sends it (to the top-level window, so the toolkit's own mouse
// grab and enter/leave logic run).

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTimer>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/classlib/Forms.h"
#include "tests/support/WaitThat.h"

// Marks a made-up event as coming from the window system, as the toolkit's
// own test tools do, so it takes the same road as real input.
class QSpontaneKeyEvent {
 public:
  static void SetSpontaneous(QEvent* e) { e->setSpontaneous(); }
};

namespace classlib_test {

struct ShownMessage {
  std::string text;
  std::string caption;
  unsigned flags;
};

inline std::vector<ShownMessage>& Messages() {
  static std::vector<ShownMessage> shown;
  return shown;
}

// The application, made once; message windows are recorded, never shown.
inline TApplication* App() {
  if (!Application) {
    if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "classlib-test";
    static char* argv[] = {name, nullptr};
    new TApplication(argc, argv);
  }
  Application->MessageBoxHook = [](const std::string& text, const std::string& caption, unsigned flags) {
    Messages().push_back({text, caption, flags});
    return IDOK;
  };
  return Application;
}

// A fresh application object in place of the shared one, for tests that
// end the application (Terminate) or must not inherit what an earlier test
// left in it; the shared one is back when this goes.
struct FreshApplication {
  TApplication* shared = App();
  TApplication* app = nullptr;
  FreshApplication() { Renew(); }
  ~FreshApplication() {
    delete app;
    Application = shared;
  }
  FreshApplication(const FreshApplication&) = delete;
  FreshApplication& operator=(const FreshApplication&) = delete;
  void Renew() {
    static int argc = 1;
    static char name[] = "fresh-application";
    static char* argv[] = {name, nullptr};
    delete app;
    Application = nullptr;
    app = new TApplication(argc, argv);
    app->MessageBoxHook = shared->MessageBoxHook;
  }
};

// Handles events until done() holds; false after timeoutMs (a deadlock
// guard, generous on purpose).
inline bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 10000) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > timeoutMs) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  return true;
}

// Handles events until done() holds or the deadline passes; a failure names
// what was awaited.
inline ::testing::AssertionResult WaitFor(const std::string& what, const std::function<bool()>& done,
                                          int deadlineMs = 10000) {
  if (PumpUntil(done, deadlineMs)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "still waiting for " << what << " after " << deadlineMs << " ms";
}

// Handles events until get() equals expected; a failure names the field,
// the value it still has and the one awaited.
template <typename Get, typename T>
::testing::AssertionResult WaitForValue(const std::string& field, Get&& get, const T& expected,
                                        int deadlineMs = 10000) {
  return test_support::WaitThat(
      field.c_str(), get, ::testing::Eq(expected),
      [] { QCoreApplication::processEvents(QEventLoop::AllEvents, 20); }, deadlineMs);
}

// Waits without handling events (the user-interface thread busy elsewhere),
// polling another thread's progress.
inline ::testing::AssertionResult SpinUntil(const std::string& what, const std::function<bool()>& done,
                                            int deadlineMs = 10000) {
  return test_support::WaitThat(
      what.c_str(), done, ::testing::IsTrue(),
      [] { std::this_thread::sleep_for(std::chrono::milliseconds(1)); }, deadlineMs);
}

// Handles every event already queued (and what those post in turn), without
// waiting for more: input here is sent synchronously, so this is all that
// is left of it.
inline void DrainEvents() {
  for (int round = 0; round < 4; ++round) QCoreApplication::processEvents(QEventLoop::AllEvents);
}

// Handles events until a timer of ms, started now, has fired: every timer
// due sooner has had its turn by then. For checks that something does not
// happen within a time.
inline ::testing::AssertionResult WaitOutTimersDueWithin(int ms) {
  bool fired = false;
  QTimer marker;
  marker.setSingleShot(true);
  QObject::connect(&marker, &QTimer::timeout, [&fired] { fired = true; });
  marker.start(ms);
  return WaitFor("a marker timer of " + std::to_string(ms) + " ms", [&fired] { return fired; });
}

// Shows the form and waits until its window exists and is active.
inline void ShowAndActivate(TCustomForm* form) {
  form->Show();
  QWidget* w = form->GetWidget();
  w->activateWindow();
  // Best effort: some window systems never activate an offscreen window.
  PumpUntil([w] { return w->isActiveWindow(); }, 3000);
}

// A point of the control in its window's coordinates.
inline QPointF InWindow(TControl* control, int x, int y) {
  QWidget* w = control->GetWidget();
  return w->mapTo(w->window(), QPointF(x, y));
}

// Synthetic mouse events carry a time of their own, as the window system's
// do: with every stamp 0, a press of one test and the next test's first press
// at the same spot look like the two halves of a double click, so a test's
// outcome hung on the order the tests ran in.
inline ulong& SyntheticMouseClock() {
  static ulong ms = 1000000;
  return ms;
}

// Lets the next press start afresh: no press before it can pair with it.
inline void ForgetRecentClicks() {
  SyntheticMouseClock() += 60000;
}

inline void SendMouse(TControl* control, QEvent::Type type, int x, int y, Qt::MouseButton button,
                      Qt::MouseButtons buttons, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QWidget* w = control->GetWidget();
  QWindow* window = w->window()->windowHandle();
  QPointF local = InWindow(control, x, y);
  QMouseEvent e(type, local, local, w->window()->mapToGlobal(local), button, buttons, mods);
  e.setTimestamp(++SyntheticMouseClock());
  QSpontaneKeyEvent::SetSpontaneous(&e);
  QCoreApplication::sendEvent(window, &e);
}

// The pointer comes into the control's window (the window system says so
// before any move).
inline void PointerIn(TControl* c) {
  QWidget* top = c->GetWidget()->window();
  QPointF p(top->width() - 1, top->height() - 1);
  QEnterEvent e(p, p, top->mapToGlobal(p));
  QSpontaneKeyEvent::SetSpontaneous(&e);
  QCoreApplication::sendEvent(top->windowHandle(), &e);
}

inline void Press(TControl* c, int x, int y, Qt::MouseButton b = Qt::LeftButton) {
  SendMouse(c, QEvent::MouseButtonPress, x, y, b, b);
}
inline void Release(TControl* c, int x, int y, Qt::MouseButton b = Qt::LeftButton) {
  SendMouse(c, QEvent::MouseButtonRelease, x, y, b, Qt::NoButton);
}
inline void DoubleClick(TControl* c, int x, int y) {
  SendMouse(c, QEvent::MouseButtonDblClick, x, y, Qt::LeftButton, Qt::LeftButton);
}
inline void Move(TControl* c, int x, int y, Qt::MouseButtons held = Qt::NoButton) {
  SendMouse(c, QEvent::MouseMove, x, y, Qt::NoButton, held);
}

inline void Wheel(TControl* c, int x, int y, int delta) {
  QWidget* w = c->GetWidget();
  QPointF local = InWindow(c, x, y);
  QWheelEvent e(local, w->window()->mapToGlobal(local), QPoint(), QPoint(0, delta), Qt::NoButton,
                Qt::NoModifier, Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(w->window()->windowHandle(), &e);
}

inline void Key(TControl* c, int qtKey, const QString& text = QString(),
                Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QWindow* window = c->GetWidget()->window()->windowHandle();
  QKeyEvent down(QEvent::KeyPress, qtKey, mods, text);
  QCoreApplication::sendEvent(window, &down);
  QKeyEvent up(QEvent::KeyRelease, qtKey, mods, text);
  QCoreApplication::sendEvent(window, &up);
}

// Frees whatever the test made, even when an assertion returned early.
struct FormGuard {
  std::vector<TObject*> objects;
  template <typename T>
  T* operator()(T* obj) {
    objects.push_back(obj);
    return obj;
  }
  ~FormGuard() {
    for (auto it = objects.rbegin(); it != objects.rend(); ++it) (*it)->Free();
  }
};

// A form for one case, the controls a test puts on it, and the events they
// fired, in order.
struct FormStage {
  FormGuard guard;
  TForm* form = nullptr;
  std::vector<std::string> log;

  FormStage() {
    App();
    ForgetRecentClicks();
    form = guard(new TForm(nullptr));
    form->SetBounds(120, 120, 420, 300);
  }

  template <typename T>
  T* Add(const char* name, int left, int top, int width, int height, TWinControl* parent = nullptr) {
    auto* c = new T(form);
    if (name) c->SetName(name);
    c->SetParent(parent ? parent : form);
    c->SetBounds(left, top, width, height);
    return c;
  }
  template <typename T>
  T* Add(int left, int top, int width, int height, TWinControl* parent = nullptr) {
    return Add<T>(nullptr, left, top, width, height, parent);
  }
};

}  // namespace classlib_test
