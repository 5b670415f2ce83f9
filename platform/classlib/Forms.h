#pragma once
// Forms (top-level windows built in code), the application object and the
// screen.
//
// A form is constructed with its owner (normally Application) and builds its
// components in its constructor. OnCreate runs once the object is complete:
// Application->CreateForm does that; code that news a form itself calls
// AfterConstruction(). Free a form with Free() (or Release() from inside one
// of its own handlers) so that OnDestroy sees the whole form.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/classlib/Controls.h"
#include "platform/classlib/Cursors.h"
#include "platform/classlib/Monitors.h"
#include "platform/classlib/ScrollingWinControl.h"

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TPosition {
  poDesigned,
  poDefault,
  poDefaultPosOnly,
  poDefaultSizeOnly,
  poScreenCenter,
  poDesktopCenter,
  poMainFormCenter,
  poOwnerFormCenter
};
enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;
constexpr TModalResult mrAll = 8;
constexpr TModalResult mrNoToAll = 9;
constexpr TModalResult mrYesToAll = 10;
constexpr TModalResult mrClose = 11;

// Messages the library's own windows handle (CM_BASE is in Controls.h).
constexpr unsigned CM_RELEASE = CM_BASE + 33;

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

class FrameWatch;
class QEventLoop;
class QImage;
class QObject;
class QWidget;
class TMainMenu;

// A form scrolls its client area (below the menu bar) once AutoScroll is
// on; it starts off.
class TCustomForm : public TScrollingWinControl {
 public:
  explicit TCustomForm(TComponent* AOwner);
  ~TCustomForm() override;
  // Fires OnCreate, once.
  void AfterConstruction() override;
  // Fires OnDestroy, once, while the form is whole.
  void BeforeDestruction() override;

  TCanvas* GetCanvas() const { return SurfaceCanvas(); }

  TFormBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle Value);
  TBorderIcons GetBorderIcons() const { return FBorderIcons; }
  void SetBorderIcons(TBorderIcons Value);
  TFormStyle GetFormStyle() const { return FFormStyle; }
  void SetFormStyle(TFormStyle Value);
  // The smallest size the window takes, also when the user sizes it; 0
  // for none.
  int GetMinWidth() const { return FMinWidth; }
  void SetMinWidth(int Value);
  int GetMinHeight() const { return FMinHeight; }
  void SetMinHeight(int Value);
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  // Where the form goes each time it is shown.
  TPosition GetPosition() const { return FPosition; }
  void SetPosition(TPosition Value) { FPosition = Value; }
  bool GetAlphaBlend() const { return FAlphaBlend; }
  void SetAlphaBlend(bool Value);
  int GetAlphaBlendValue() const { return FAlphaBlendValue; }
  void SetAlphaBlendValue(int Value);
  TWindowState GetWindowState() const;
  void SetWindowState(TWindowState Value);
  // The window's icon in its title bar and the task bar; null when the
  // form has none (the desktop's own shows).
  const TGraphic* GetIcon() const { return FIcon.get(); }
  // Keeps a copy; null removes the icon.
  void SetIcon(const TGraphic* Value);

  // The control that has (or gets, when the form is next active) the focus.
  TWinControl* GetActiveControl() const { return FActiveControl; }
  void SetActiveControl(TWinControl* Control);
  // Moves the form's focus to Control and fires OnExit of the control that
  // had it and OnEnter of Control. Called by focus changes inside the form.
  bool SetFocusedControl(TWinControl* Control);
  // True while this form's window is the active one.
  bool GetActive() const;
  // Moves the focus from CurControl (null: from the start) to the next
  // control of the form in tab order (GoForward) or the one before,
  // wrapping round; only controls that can take the focus, and with
  // CheckTabStop only those with TabStop. Nothing when there is none.
  void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);
  // The form's OnKeyDown, OnKeyPress and OnKeyUp hear the keys of its
  // controls before the controls do; Key = 0 keeps a key from them.
  bool GetKeyPreview() const { return FKeyPreview; }
  void SetKeyPreview(bool Value) { FKeyPreview = Value; }

  // The main menu: its bar sits at the top of the window, above the client
  // area (ClientHeight, the children's coordinates and the canvas start
  // below it). Setting a menu keeps the client size: the window grows by the
  // bar. Null removes it; a menu on another form leaves that form.
  TMainMenu* GetMenu() const { return FMenu; }
  void SetMenu(TMainMenu* Value);
  // Platform code only: shows Bar (a toolkit menu bar, which the form then
  // owns) as the form's menu bar at its own height; null removes the bar.
  void SetMenuBarWidget(QWidget* Bar);
  QWidget* GetMenuBarWidget() const { return FMenuBar; }

  TModalResult GetModalResult() const { return FModalResult; }
  // A non-zero value ends ShowModal (after OnCloseQuery and OnClose agree).
  void SetModalResult(TModalResult Value);
  bool IsModal() const { return FModal; }

  void SetVisible(bool Value) override;
  // Makes the form visible and brings it to the front.
  void Show();
  // Shows the form and lets the window system expose and paint it before
  // the event loop runs: only that work is done meanwhile. The layer's
  // timer ticks and posted messages that fall due are kept back and
  // delivered afterwards in their order; input stays queued. True once the
  // window is painted on screen; false when it did not come up within
  // MaxWaitMs (it stays shown and comes up when the loop runs).
  bool ShowOnScreen(unsigned MaxWaitMs = 1000);

  // The window never becomes active and never takes the focus, not even
  // when clicked.
  bool GetNoActivate() const { return FNoActivate; }
  void SetNoActivate(bool Value);
  // Keeps the window above the others whatever FormStyle says.
  bool GetTopMost() const { return FTopMost; }
  void SetTopMost(bool Value);
  // Per-pixel alpha: the window shows the picture handed to UpdateLayered
  // (see platform/gdiplus/ClassLibBridge.h) instead of what Paint draws.
  // Where the display cannot blend windows by their alpha, the picture is
  // shown over an opaque background (the form's Color), the window cut to
  // its visible part. Set it before the window is first shown.
  bool GetLayered() const { return FLayered; }
  void SetLayered(bool Value);
  // Platform code only: the layered picture (32-bit ARGB) with every
  // pixel's alpha scaled by ConstantAlpha; shown at once when visible.
  void UpdateLayeredImage(const QImage& Picture, std::uint8_t ConstantAlpha);
  // The window's shape: only the region's pixels (client coordinates) are
  // part of it. The region belongs to the form from then on; null gives
  // the whole rectangle back.
  void SetWindowRgn(HRGN Region, bool Redraw);
  HRGN GetWindowRgn() const { return FWindowRgn; }
  // True when the display blends windows by their alpha (a compositor
  // runs, or the display has no screen to show them on).
  static bool DisplayBlendsAlpha();
  void Hide() { SetVisible(false); }
  // Shows the form and runs a loop (timers, posted and sent messages keep
  // running) until ModalResult is set, the form is hidden (mrCancel unless
  // a result was set) or the application terminates; returns ModalResult.
  // Throws EInvalidOperation on a visible form.
  TModalResult ShowModal();
  // Asks OnCloseQuery, then OnClose decides: caNone keeps the form, caHide
  // hides it, caFree frees it later, caMinimize minimises it. Closing the
  // main form (any action but caNone) ends the application. A modal form
  // just gets ModalResult mrCancel.
  void Close();
  virtual bool CloseQuery();
  // Frees the form once the current event is handled.
  void Release();
  void BringToFront();

  void DefaultHandler(TMessage& Message) override;

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnPaint;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;

 protected:
  virtual void DoCreate();
  virtual void DoDestroy();
  virtual void DoShow();
  virtual void DoHide();
  virtual void DoClose(TCloseAction& Action);
  virtual void Activate();
  virtual void Deactivate();
  void Paint() override;
  void TextChanged() override;
  void ColorChanged() override;
  void FontChanged() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  QWidget* CreateWidget() override;
  void InitWidget() override;
  void ApplyGeometry() override;

 private:
  friend struct ControlBridge;
  friend class TApplication;
  friend class TWinControl;
  friend class MenuBarWatch;
  void ApplyWindowFlags();
  void ApplyIcon();
  void PlaceOnShow();
  void PlaceFrame();
  // Makes the window if it is not yet, and has its frame asked for at the
  // form's place whenever it goes on screen.
  void WatchFrame();
  void WidgetActivated(bool Active);
  // Places the bar across the top; with Measure, works out its height anew.
  void LayOutMenuBar(bool Measure);
  void SetClientTop(int Top);
  void ApplyMenuBarColors();
  void ApplyWindowMask();

  TFormBorderStyle FBorderStyle = bsSizeable;
  TBorderIcons FBorderIcons{biSystemMenu, biMinimize, biMaximize};
  TFormStyle FFormStyle = fsNormal;
  int FMinWidth = 0;
  int FMinHeight = 0;
  TPosition FPosition = poDesigned;
  bool FAlphaBlend = false;
  int FAlphaBlendValue = 255;
  TWindowState FWindowState = wsNormal;
  TWinControl* FActiveControl = nullptr;
  TModalResult FModalResult = mrNone;
  bool FModal = false;
  bool FModalHidden = false;
  QEventLoop* FModalLoop = nullptr;
  bool FCreated = false;
  bool FDestroyFired = false;
  bool FReleasePosted = false;
  bool FKeyPreview = false;
  std::unique_ptr<TGraphic> FIcon;
  // Bounds the program set while the window was maximised or minimised.
  TRect FNormalBounds;
  bool FNormalBoundsSet = false;
  TMainMenu* FMenu = nullptr;
  QWidget* FMenuBar = nullptr;
  int FMenuBarHeight = 0;
  QObject* FMenuBarWatch = nullptr;
  FrameWatch* FFrameWatch = nullptr;
  bool FNoActivate = false;
  bool FTopMost = false;
  bool FLayered = false;
  HRGN FWindowRgn = nullptr;
};

class TForm : public TCustomForm {
 public:
  explicit TForm(TComponent* AOwner) : TCustomForm(AOwner) {}
};

// The form a control sits on (the top-most one); null when none.
TCustomForm* GetParentForm(TControl* Control);

// Message window buttons and icons, and its answers.
constexpr unsigned MB_OK = 0x00;
constexpr unsigned MB_OKCANCEL = 0x01;
constexpr unsigned MB_ABORTRETRYIGNORE = 0x02;
constexpr unsigned MB_YESNOCANCEL = 0x03;
constexpr unsigned MB_YESNO = 0x04;
constexpr unsigned MB_RETRYCANCEL = 0x05;
constexpr unsigned MB_ICONHAND = 0x10;
constexpr unsigned MB_ICONSTOP = 0x10;
constexpr unsigned MB_ICONERROR = 0x10;
constexpr unsigned MB_ICONQUESTION = 0x20;
constexpr unsigned MB_ICONEXCLAMATION = 0x30;
constexpr unsigned MB_ICONWARNING = 0x30;
constexpr unsigned MB_ICONASTERISK = 0x40;
constexpr unsigned MB_ICONINFORMATION = 0x40;
constexpr unsigned MB_DEFBUTTON2 = 0x100;
constexpr unsigned MB_DEFBUTTON3 = 0x200;
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

using TExceptionEvent = std::function<void(TObject* Sender, const std::exception& E)>;
// Stands in for the message window: gets its text, caption and flags and
// returns the answer (IDOK ...).
using TMessageBoxHook =
    std::function<int(const std::string& Text, const std::string& Caption, unsigned Flags)>;

class TApplication : public TComponent {
 public:
  // Makes the window toolkit's application object unless one exists, and
  // becomes the global Application when there is none.
  TApplication(int& argc, char** argv);
  ~TApplication() override;

  void Initialize() {}
  // Creates a form owned by the application, stores it in Reference, then
  // runs its OnCreate. The first form becomes the main form once its
  // OnCreate has returned (MainForm is null until then) and is shown.
  template <typename T>
  void CreateForm(T*& Reference) {
    Reference = new T(this);
    FormCreated(Reference);
  }
  TCustomForm* GetMainForm() const { return FMainForm; }

  // Runs the event loop until Terminate (returns at once without a main form).
  void Run();
  // Ends Run and every modal loop: each ShowModal returns mrCancel, and the
  // message windows, file and other dialogs and popup menus that are open
  // are dismissed as if cancelled.
  void Terminate();
  bool GetTerminated() const { return FTerminated; }
  // Handles every waiting event, then returns.
  void ProcessMessages();
  // Waits for at least one event and handles what is there.
  void HandleMessage();

  // Call in a catch block: shows the exception in a message window (EAbort
  // silently), or hands it to OnException when one is assigned.
  void HandleException(TObject* Sender);
  void ShowException(const std::exception& E);
  // The message window (or MessageBoxHook when set).
  int MessageBox(const std::string& Text, const std::string& Caption, unsigned Flags);

  const std::string& GetTitle() const { return FTitle; }
  void SetTitle(const std::string& Value) { FTitle = Value; }
  // The program file's full path.
  std::string GetExeName() const;
  bool GetMainFormOnTaskBar() const { return FMainFormOnTaskBar; }
  void SetMainFormOnTaskBar(bool Value) { FMainFormOnTaskBar = Value; }
  bool GetShowMainForm() const { return FShowMainForm; }
  void SetShowMainForm(bool Value) { FShowMainForm = Value; }

  TExceptionEvent OnException;
  TMessageBoxHook MessageBoxHook;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  friend class TCustomForm;
  friend bool RunToolkitModal(QWidget* Window, const std::function<void()>& Exec);
  void FormCreated(TCustomForm* Form);
  void PushLoop(QEventLoop* Loop);
  void PopLoop(QEventLoop* Loop);

  bool FOwnsToolkit = false;
  TCustomForm* FMainForm = nullptr;
  bool FTerminated = false;
  bool FMainFormOnTaskBar = false;
  bool FShowMainForm = true;
  std::string FTitle;
  std::vector<QEventLoop*> FLoops;
  // Toolkit dialogs and popups running their own loops (RunToolkitModal).
  std::vector<QWidget*> FToolkitModals;
};

extern TApplication* Application;

// Platform code only: runs Exec, the own loop of a toolkit dialog or popup
// menu (Window), so that Application->Terminate ends it as a cancel. Once
// the application is terminated nothing waits for a person any more: Exec
// is not run and the answer is false.
bool RunToolkitModal(QWidget* Window, const std::function<void()>& Exec);

class TScreen : public TComponent {
 public:
  explicit TScreen(TComponent* AOwner) : TComponent(AOwner) {}
  int GetWidth() const;
  int GetHeight() const;
  // The cursor over every window of the program; crDefault gives each
  // control its own again.
  TCursor GetCursor() const { return FCursor; }
  void SetCursor(TCursor Value);
  int GetFormCount() const;
  TCustomForm* GetForms(int Index) const;
  TCustomForm* GetActiveForm() const;

  // The cursor of a number. Setting one hands it to the screen (which frees
  // the one it replaces) and every control showing that number follows;
  // null gives a standard number its standard shape back.
  HCURSOR GetCursors(int Index) const;
  void SetCursors(int Index, HCURSOR Handle);

  // The monitors, the primary one first.
  int GetMonitorCount() const;
  TMonitor* GetMonitors(int Index) const;
  TMonitor* GetPrimaryMonitor() const;
  TMonitor* MonitorFromPoint(const TPoint& Point, TMonitorDefaultTo MonitorDefault = mdNearest) const;

 private:
  TCursor FCursor = crDefault;
};

extern TScreen* Screen;
