#pragma once
// Window messages of the class library: the message record, the message
// numbers the program uses, and the ways to deliver a message to a window.
//
// A window is named by its handle (HWND). A handle stays valid as a value
// after its window is gone: a message for a vanished window is dropped on
// delivery, never sent to freed memory.
//
// - PostMessage queues the message; it runs later on the user-interface
//   thread, in whatever event loop runs there (modal loops included). It may
//   be called from any thread.
// - SendMessage runs the message at once; only on the user-interface thread.
// - A worker thread that must wait for the user-interface thread to handle a
//   message uses a TSyncMessageSender, whose wait a stop request abandons.

#include <cstdint>
#include <functional>
#include <memory>

using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

struct TWindowHandle;
using HWND = TWindowHandle*;

// The message record handed to TObject::Dispatch.
struct TMessage {
  unsigned Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;
};

constexpr unsigned WM_NULL = 0x0000;
constexpr unsigned WM_CLOSE = 0x0010;
// Asks a control which keys it handles itself (the DLGC_ bits below).
constexpr unsigned WM_GETDLGCODE = 0x0087;
constexpr unsigned WM_KEYDOWN = 0x0100;
constexpr unsigned WM_KEYUP = 0x0101;
constexpr unsigned WM_CHAR = 0x0102;
constexpr unsigned WM_TIMER = 0x0113;
constexpr unsigned WM_DEVICECHANGE = 0x0219;
// Answers to WM_GETDLGCODE.
constexpr LRESULT DLGC_WANTARROWS = 0x0001;
constexpr LRESULT DLGC_WANTTAB = 0x0002;
// Enter and Escape go to the control, not to the form's buttons.
constexpr LRESULT DLGC_WANTALLKEYS = 0x0004;
constexpr LRESULT DLGC_WANTMESSAGE = 0x0004;
constexpr LRESULT DLGC_HASSETSEL = 0x0008;
constexpr LRESULT DLGC_DEFPUSHBUTTON = 0x0010;
constexpr LRESULT DLGC_UNDEFPUSHBUTTON = 0x0020;
constexpr LRESULT DLGC_RADIOBUTTON = 0x0040;
constexpr LRESULT DLGC_WANTCHARS = 0x0080;
constexpr LRESULT DLGC_STATIC = 0x0100;
constexpr LRESULT DLGC_BUTTON = 0x2000;

// First number free for a program's own messages.
constexpr unsigned WM_USER = 0x0400;

// A window for code that only handles messages (no control); its procedure
// runs on the user-interface thread.
HWND AllocateHWnd(std::function<void(TMessage&)> WndProc);
void DeallocateHWnd(HWND Wnd);

// Queues the message for the window; false when the handle is null or the
// application is not running. Any thread.
bool PostMessage(HWND wnd, unsigned msg, WPARAM wParam, LPARAM lParam);

// Handles the message at once and returns its Result (0 when the window does
// not exist). User-interface thread only; a worker uses TSyncMessageSender.
LRESULT SendMessage(HWND wnd, unsigned msg, WPARAM wParam, LPARAM lParam);

// True on the thread that runs the application's event loop.
bool IsMainThread();

// Delivers messages from one worker thread to a window and waits until the
// user-interface thread has handled each of them.
//
// Stop() (from any thread) ends every wait at once: a Send that is waiting
// returns false, a message not yet handled is never delivered, and every
// later Send returns false without delivering anything. So a thread that
// stops a worker never deadlocks on the worker's wait, even when the stop
// runs inside the very handler the worker waits for.
//
// A message whose parameters point at data the worker owns must keep that
// data alive past an abandoned wait: pass it as `keepAlive`, which is held
// until the handler has returned (or until it is known never to run).
class TSyncMessageSender {
 public:
  explicit TSyncMessageSender(HWND target);
  ~TSyncMessageSender();  // stops
  TSyncMessageSender(const TSyncMessageSender&) = delete;
  TSyncMessageSender& operator=(const TSyncMessageSender&) = delete;

  // True when the window handled the message (its Result is in msg.Result);
  // false when stopped, or when the window no longer exists. On the
  // user-interface thread itself the message is handled directly.
  bool Send(TMessage& msg, std::shared_ptr<void> keepAlive = nullptr);
  bool Send(unsigned msg, WPARAM wParam, LPARAM lParam, std::shared_ptr<void> keepAlive = nullptr);

  void Stop();
  bool Stopped() const;
  HWND Target() const { return FTarget; }

 private:
  struct State;
  HWND FTarget;
  std::shared_ptr<State> FState;
};
