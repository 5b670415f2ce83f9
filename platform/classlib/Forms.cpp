#include "platform/classlib/Forms.h"

#include <QApplication>
#include <QCursor>
#include <QDialog>
#include <QEventLoop>
#include <QIcon>
#include <QPixmap>
#include <QChildEvent>
#include <QGuiApplication>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <exception>

#include "platform/classlib/ControlBridge.h"
#include "platform/classlib/CursorTable.h"
#include "platform/classlib/Menus.h"
#include "platform/classlib/StdCtrlsNative.h"
#include "platform/classlib/WindowRegistry.h"
#include "platform/sys/ScopeExit.h"

// Dialogs.cpp: the toolkit's message window.
int ToolkitMessageBox(const std::string& Text, const std::string& Caption, unsigned Flags);

TApplication* Application = nullptr;
TScreen* Screen = nullptr;

namespace {

std::vector<TCustomForm*> gForms;

QRect ScreenArea() {
  QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

// A menu bar's height: one row of items (an empty bar already has it, so
// that the client area does not move as items arrive), more when its items
// ask for it.
int MenuBarHeight(QWidget* bar) {
  QMenuBar row;
  row.setNativeMenuBar(false);
  row.setStyle(bar->style());
  row.setFont(bar->font());
  row.addAction(QStringLiteral("X"));
  return std::max(bar->sizeHint().height(), row.sizeHint().height());
}

// The bar wears the form's colours, a step towards the text: one with the
// form, yet set apart from the client area below it.
TColor MenuBarFace(TColor back, TColor text) {
  const TColor b = ColorToRGB(back);
  const TColor t = ColorToRGB(text);
  auto mix = [](int x, int y) { return x + (y - x) * 8 / 100; };
  return RGB(mix(GetRValue(b), GetRValue(t)), mix(GetGValue(b), GetGValue(t)),
             mix(GetBValue(b), GetBValue(t)));
}

}  // namespace

// Keeps a form's menu bar across the top of its window as the window
// resizes, above the form's other children, and at its height when its
// font or style changes.
class MenuBarWatch : public QObject {
 public:
  MenuBarWatch(TCustomForm* form, QWidget* host, QWidget* bar) : FForm(form), FHost(host), FBar(bar) {
    host->installEventFilter(this);
    bar->installEventFilter(this);
  }

  bool eventFilter(QObject* watched, QEvent* e) override {
    if (watched == FHost) {
      switch (e->type()) {
        case QEvent::Resize:
          FForm->LayOutMenuBar(false);
          break;
        case QEvent::Show:
          FForm->LayOutMenuBar(true);
          break;
        case QEvent::ChildAdded:
          if (static_cast<QChildEvent*>(e)->child()->isWidgetType() && FBar) FBar->raise();
          break;
        default:
          break;
      }
    } else if (watched == FBar && (e->type() == QEvent::FontChange || e->type() == QEvent::StyleChange)) {
      FForm->LayOutMenuBar(true);
    }
    return false;
  }

 private:
  TCustomForm* FForm;
  QPointer<QWidget> FHost;
  QPointer<QWidget> FBar;
};

// Asks for a form's frame at its place as its window goes on screen: after
// the form's show handlers have run (a menu bar that takes its height then
// resizes the window, and a resize asks for the client area at the place
// again) and before the desktop frames the window.
class FrameWatch : public QObject {
 public:
  explicit FrameWatch(TCustomForm* form) : FForm(form) {}

  void Watch(QWindow* window) {
    if (window == FWindow) return;
    if (FWindow) FWindow->removeEventFilter(this);
    FWindow = window;
    if (window) window->installEventFilter(this);
  }

  bool eventFilter(QObject* watched, QEvent* e) override {
    if (watched == FWindow && e->type() == QEvent::Show && FWindow->windowStates() == Qt::WindowNoState)
      FWindow->setFramePosition(QPoint(FForm->GetLeft(), FForm->GetTop()));
    return false;
  }

 private:
  TCustomForm* FForm;
  QPointer<QWindow> FWindow;
};

void HandleEventException(TObject* Sender) {
  if (Application) {
    Application->HandleException(Sender);
    return;
  }
  try {
    throw;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
  } catch (...) {
    std::fprintf(stderr, "Unknown error\n");
  }
}

TCustomForm* GetParentForm(TControl* Control) {
  if (!Control) return nullptr;
  TControl* top = Control;
  while (top->GetParent()) top = top->GetParent();
  return dynamic_cast<TCustomForm*>(top);
}

// ---------------------------------------------------------------- TCustomForm

TCustomForm::TCustomForm(TComponent* AOwner) : TScrollingWinControl(AOwner) {
  FVisible = false;
  FColor = clBtnFace;
  FParentColor = false;
  FParentFont = false;
  FParentShowHint = false;
  FControlStyle << csAcceptsControls;
  FWidth = 320;
  FHeight = 240;
  // A form built in code has its layout from its program: it scrolls only
  // when that asks for it.
  SetAutoScroll(false);
  CreateCanvas(false);
  FSurface->erase = true;
  gForms.push_back(this);
  GetWidget();
}

TCustomForm::~TCustomForm() {
  Destroying();
  // The widget, bar included, may outlive the form by a moment.
  delete FMenuBarWatch;
  FMenuBarWatch = nullptr;
  delete FFrameWatch;
  FFrameWatch = nullptr;
  gForms.erase(std::remove(gForms.begin(), gForms.end(), this), gForms.end());
  if (Application && Application->FMainForm == this) Application->FMainForm = nullptr;
  DeleteObject(FWindowRgn);
  if (FModalLoop) FModalLoop->exit();
}

void TCustomForm::AfterConstruction() {
  TScrollingWinControl::AfterConstruction();
  if (FCreated) return;
  FCreated = true;
  // The form's building ends with its loaded phase: every component it
  // made runs Loaded (owned ones first, in creation order), then OnCreate.
  BeginLoad();
  EndLoad();
  DoCreate();
}

void TCustomForm::BeforeDestruction() {
  if (!FDestroyFired) {
    FDestroyFired = true;
    DoDestroy();
  }
  TScrollingWinControl::BeforeDestruction();
}

QWidget* TCustomForm::CreateWidget() {
  return new QWidget(nullptr, Qt::Window);
}

void TCustomForm::InitWidget() {
  TScrollingWinControl::InitWidget();
  FWidget->setWindowTitle(QString::fromStdString(GetCaption()));
  ApplyWindowFlags();
  ApplyIcon();
}

void TCustomForm::SetIcon(const TGraphic* Value) {
  FIcon = Value && !Value->GetEmpty() ? Value->Clone() : nullptr;
  ApplyIcon();
}

void TCustomForm::ApplyIcon() {
  if (!FWidget) return;
  FWidget->setWindowIcon(FIcon ? QIcon(QPixmap::fromImage(FIcon->GetImage())) : QIcon());
}

void TCustomForm::SetMinWidth(int Value) {
  FMinWidth = std::max(Value, 0);
  SetBounds(FLeft, FTop, FWidth, FHeight);
}

void TCustomForm::SetMinHeight(int Value) {
  FMinHeight = std::max(Value, 0);
  SetBounds(FLeft, FTop, FWidth, FHeight);
}

void TCustomForm::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TScrollingWinControl::SetBounds(ALeft, ATop, std::max(AWidth, FMinWidth), std::max(AHeight, FMinHeight));
}

void TCustomForm::ApplyGeometry() {
  if (!FWidget) return;
  // Bounds set while the window is maximised or minimised are those it
  // takes when it is normal again.
  if (FWidget->isVisible() && (FWidget->isMaximized() || FWidget->isMinimized())) {
    FNormalBounds = Bounds(FLeft, FTop, FWidth, FHeight);
    FNormalBoundsSet = true;
    return;
  }
  FNormalBoundsSet = false;
  int w = std::max(FWidth, 1);
  int h = std::max(FHeight, 1);
  if (FBorderStyle == bsSizeable || FBorderStyle == bsSizeToolWin) {
    FWidget->setMinimumSize(FMinWidth, FMinHeight);
    FWidget->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    FWidget->resize(w, h);
  } else {
    FWidget->setFixedSize(w, h);
  }
  // Last: a resize places the window by its client area.
  PlaceFrame();
}

// A form's Left and Top are its frame's, title bar included. Until the
// desktop has framed the window the toolkit knows no frame and would put
// the client area at that point, so the window is asked for by its frame.
void TCustomForm::PlaceFrame() {
  const QPoint at(FLeft, FTop);
  QWindow* window = FWidget->windowHandle();
  if (!window || !window->handle()) {
    FWidget->move(at);
    return;
  }
  if (!FWidget->isVisible()) {
    // The widget keeps the place for its next showing, which would
    // otherwise put back where it stood.
    FWidget->move(at);
    window->setFramePosition(at);
    return;
  }
  // Not framed yet (shown a moment ago, its show handlers still sizing it):
  // the toolkit asks for the client area at the place again after every
  // resize, until the frame is asked for once more.
  if (FWidget->frameGeometry().topLeft() != at || window->frameMargins().isNull())
    window->setFramePosition(at);
}

void TCustomForm::WatchFrame() {
  if (!FWidget->windowHandle() || !FWidget->windowHandle()->handle()) (void)FWidget->winId();
  if (!FFrameWatch) {
    FFrameWatch = new FrameWatch(this);
    FFrameWatch->setParent(FWidget);
  }
  FFrameWatch->Watch(FWidget->windowHandle());
}

void TCustomForm::ApplyWindowFlags() {
  if (!FWidget) return;
  Qt::WindowFlags f = Qt::Window;
  const bool tool = FBorderStyle == bsToolWindow || FBorderStyle == bsSizeToolWin;
  if (tool) f = Qt::Tool;
  if (FBorderStyle == bsDialog) f = Qt::Dialog;
  if (FBorderStyle == bsNone) {
    f |= Qt::FramelessWindowHint;
  } else {
    f |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (FBorderIcons.Contains(biSystemMenu)) {
      f |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
      if (FBorderStyle != bsDialog && !tool) {
        if (FBorderIcons.Contains(biMinimize)) f |= Qt::WindowMinimizeButtonHint;
        if (FBorderIcons.Contains(biMaximize) && FBorderStyle == bsSizeable)
          f |= Qt::WindowMaximizeButtonHint;
      }
    }
  }
  if (FFormStyle == fsStayOnTop || FTopMost) f |= Qt::WindowStaysOnTopHint;
  if (FNoActivate) f |= Qt::WindowDoesNotAcceptFocus;
  if (FWidget->windowFlags() != f) {
    bool shown = FWidget->isVisible();
    FWidget->setWindowFlags(f);
    if (shown) {
      // The window is made anew.
      WatchFrame();
      FWidget->show();
    }
  }
  FWidget->setWindowOpacity(FAlphaBlend ? FAlphaBlendValue / 255.0 : 1.0);
  ApplyGeometry();
}

void TCustomForm::SetBorderStyle(TFormBorderStyle Value) {
  FBorderStyle = Value;
  ApplyWindowFlags();
}

void TCustomForm::SetBorderIcons(TBorderIcons Value) {
  FBorderIcons = Value;
  ApplyWindowFlags();
}

void TCustomForm::SetFormStyle(TFormStyle Value) {
  FFormStyle = Value;
  ApplyWindowFlags();
}

void TCustomForm::SetAlphaBlend(bool Value) {
  FAlphaBlend = Value;
  ApplyWindowFlags();
}

void TCustomForm::SetAlphaBlendValue(int Value) {
  FAlphaBlendValue = std::clamp(Value, 0, 255);
  ApplyWindowFlags();
}

TWindowState TCustomForm::GetWindowState() const {
  if (FWidget && FWidget->isVisible()) {
    if (FWidget->isMinimized()) return wsMinimized;
    if (FWidget->isMaximized()) return wsMaximized;
    return wsNormal;
  }
  return FWindowState;
}

void TCustomForm::SetWindowState(TWindowState Value) {
  FWindowState = Value;
  if (!FWidget || !FWidget->isVisible()) return;
  switch (Value) {
    case wsMinimized:
      FWidget->showMinimized();
      break;
    case wsMaximized:
      FWidget->showMaximized();
      break;
    default:
      FWidget->showNormal();
      if (FNormalBoundsSet) {
        const TRect r = FNormalBounds;
        ChangeBounds(r.Left, r.Top, r.Width(), r.Height(), true);
        ApplyGeometry();
        // The desktop may still bring back the size from before; the next
        // showing takes these bounds again.
        FNormalBounds = r;
        FNormalBoundsSet = true;
      }
      break;
  }
}

void TCustomForm::TextChanged() {
  if (FWidget) FWidget->setWindowTitle(QString::fromStdString(GetCaption()));
}

void TCustomForm::Paint() {
  if (OnPaint) OnPaint(this);
}

void TCustomForm::ColorChanged() {
  TScrollingWinControl::ColorChanged();
  ApplyMenuBarColors();
}

void TCustomForm::FontChanged() {
  TScrollingWinControl::FontChanged();
  ApplyMenuBarColors();
}

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation) {
  TScrollingWinControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent && AComponent == FMenu) {
    FMenu = nullptr;
    SetMenuBarWidget(nullptr);
  }
}

void TCustomForm::SetMenu(TMainMenu* Value) {
  if (Value == FMenu) return;
  // A menu shows on one form at a time.
  if (Value && Value->FForm && Value->FForm != this) Value->FForm->SetMenu(nullptr);
  if (TMainMenu* old = FMenu) {
    FMenu = nullptr;
    old->FForm = nullptr;
    RemoveFreeNotification(old);
  }
  SetMenuBarWidget(nullptr);
  if (!Value) return;
  FMenu = Value;
  Value->FForm = this;
  Value->FreeNotification(this);
  SetMenuBarWidget(Value->CreateMenuBar());
}

void TCustomForm::SetMenuBarWidget(QWidget* Bar) {
  if (Bar == FMenuBar) return;
  delete FMenuBarWatch;
  FMenuBarWatch = nullptr;
  if (QWidget* old = FMenuBar) {
    FMenuBar = nullptr;
    old->hide();
    // A click on the bar itself may have removed it.
    if (BridgeDispatchDepth() > 0)
      old->deleteLater();
    else
      delete old;
  }
  FMenuBar = Bar;
  if (Bar) {
    QWidget* host = GetWidget();
    Bar->setParent(host);
    FMenuBarWatch = new MenuBarWatch(this, host, Bar);
    FMenuBarWatch->setParent(host);
    ApplyMenuBarColors();
    Bar->show();
  }
  LayOutMenuBar(true);
}

void TCustomForm::LayOutMenuBar(bool Measure) {
  if (!FMenuBar || !FWidget) {
    SetClientTop(0);
    return;
  }
  if (Measure || FMenuBarHeight <= 0) FMenuBarHeight = MenuBarHeight(FMenuBar);
  FMenuBar->setGeometry(0, 0, FWidget->width(), FMenuBarHeight);
  FMenuBar->raise();
  SetClientTop(FMenuBarHeight);
}

void TCustomForm::SetClientTop(int Top) {
  if (Top == FClientTop) return;
  const int grow = Top - FClientTop;
  FClientTop = Top;
  for (TControl* c : FControls) c->ApplyGeometry();
  // The client area keeps its size: the window grows (or shrinks) by the bar.
  SetBounds(FLeft, FTop, FWidth, FHeight + grow);
  if (FSurface) ResizeSurface();
  Invalidate();
}

void TCustomForm::ApplyMenuBarColors() {
  if (!FMenuBar) return;
  const TColor back = GetColor() == clNone ? clBtnFace : GetColor();
  const TColor text = GetFont()->GetColor();
  const TColor face = MenuBarFace(back, text);
  stdctrls::ApplyColors(FMenuBar, {{face, text, QPalette::Window, QPalette::WindowText},
                                   {face, text, QPalette::Button, QPalette::ButtonText},
                                   {face, text, QPalette::Base, QPalette::Text}});
  // Disabled entries are dimmed, not etched in a light shade.
  QPalette pal = FMenuBar->palette();
  pal.setColor(QPalette::Light, ToQColor(face));
  FMenuBar->setPalette(pal);
}

bool TCustomForm::GetActive() const {
  return FWidget && !FNoActivate && FWidget->isActiveWindow();
}

void TCustomForm::SetActiveControl(TWinControl* Control) {
  if (Control == FActiveControl) return;
  if (Control && GetParentForm(Control) != this) throw EInvalidOperation("The control is not on this form");
  if (Control && GetActive() && Control->CanFocus()) {
    Control->SetFocus();
    return;
  }
  FActiveControl = Control;
  // The window puts the focus there when it is next active.
  if (Control) Control->GetWidget()->setFocus(Qt::OtherFocusReason);
}

bool TCustomForm::SetFocusedControl(TWinControl* Control) {
  if (Control == FActiveControl) return false;
  TWinControl* previous = FActiveControl;
  FActiveControl = Control;
  if (previous && !previous->GetComponentState().Contains(csDestroying)) {
    std::weak_ptr<bool> alive = Control ? Control->FAlive : std::shared_ptr<bool>();
    previous->DoExit();
    if (Control && (alive.expired() || !*alive.lock())) return true;
  }
  // An OnExit handler that moved the focus elsewhere has the last word.
  if (Control && FActiveControl == Control) Control->DoEnter();
  return true;
}

void TCustomForm::WidgetActivated(bool Active) {
  if (Active)
    Activate();
  else
    Deactivate();
}

void TCustomForm::Activate() {
  if (OnActivate) OnActivate(this);
}

void TCustomForm::Deactivate() {
  if (OnDeactivate) OnDeactivate(this);
}

void TCustomForm::DoCreate() {
  CallGuarded(this, [this] {
    if (OnCreate) OnCreate(this);
  });
}

void TCustomForm::DoDestroy() {
  CallGuarded(this, [this] {
    if (OnDestroy) OnDestroy(this);
  });
}

void TCustomForm::DoShow() {
  // The handler may put another in its place while it runs.
  if (TNotifyEvent handler = OnShow) handler(this);
}

void TCustomForm::DoHide() {
  if (OnHide) OnHide(this);
}

void TCustomForm::DoClose(TCloseAction& Action) {
  if (OnClose) OnClose(this, Action);
}

void TCustomForm::PlaceOnShow() {
  auto centreOn = [this](const QRect& area) {
    SetBounds(area.x() + (area.width() - FWidth) / 2, area.y() + (area.height() - FHeight) / 2, FWidth,
              FHeight);
  };
  auto shownForm = [this](TCustomForm* f) { return f && f != this && f->FWidget && f->FWidget->isVisible(); };
  TCustomForm* mainForm = Application ? Application->GetMainForm() : nullptr;
  switch (FPosition) {
    case poScreenCenter:
    case poDesktopCenter:
      centreOn(ScreenArea());
      break;
    case poOwnerFormCenter:
      if (auto* owner = dynamic_cast<TCustomForm*>(GetOwner()); shownForm(owner)) {
        centreOn(owner->FWidget->frameGeometry());
        break;
      }
      [[fallthrough]];
    case poMainFormCenter:
      if (shownForm(mainForm))
        centreOn(mainForm->FWidget->frameGeometry());
      else
        centreOn(ScreenArea());
      break;
    default:
      break;
  }
}

void TCustomForm::SetVisible(bool Value) {
  QWidget* w = GetWidget();
  if (Value == FVisible && w->isVisible() == Value) return;
  FVisible = Value;
  if (Value) {
    if (FNormalBoundsSet && FWindowState == wsNormal && !w->isVisible()) {
      const TRect r = FNormalBounds;
      ChangeBounds(r.Left, r.Top, r.Width(), r.Height(), true);
      ApplyGeometry();
    }
    PlaceOnShow();
    DoShow();
    if (!FVisible) return;  // OnShow hid it again
    // Made before its first showing, so that the desktop is asked to put
    // the frame, not the client area, at the form's place.
    WatchFrame();
    PlaceFrame();
    switch (FWindowState) {
      case wsMinimized:
        w->showMinimized();
        break;
      case wsMaximized:
        w->showMaximized();
        break;
      default:
        w->show();
        break;
    }
  } else {
    DoHide();
    if (FVisible) return;
    w->hide();
    // A modal form that is hidden no longer blocks anything: its loop ends
    // too, rather than running on invisibly.
    if (FModal) {
      FModalHidden = true;
      if (FModalLoop) FModalLoop->exit();
    }
  }
  VisibleChanged();
}

void TCustomForm::Show() {
  SetVisible(true);
  BringToFront();
}

void TCustomForm::BringToFront() {
  if (!FWidget || !FWidget->isVisible()) return;
  // The offscreen platform of the tests has no stacking to change.
  if (QGuiApplication::platformName() != QLatin1String("offscreen")) FWidget->raise();
  if (!FNoActivate) FWidget->activateWindow();
}

void TCustomForm::SetModalResult(TModalResult Value) {
  FModalResult = Value;
  if (FModal && Value != mrNone && FModalLoop) FModalLoop->exit();
}

TModalResult TCustomForm::ShowModal() {
  // Asked again while its loop runs (a second reply wanting the same
  // message): the window is already up, and no error reaches the user.
  if (FModal) return mrNone;
  QWidget* w = GetWidget();
  w->setWindowModality(Qt::ApplicationModal);
  FModal = true;
  FModalHidden = false;
  FModalResult = mrNone;
  std::weak_ptr<bool> alive = FAlive;
  auto cleanup = [&] {
    if (alive.expired() || !*alive.lock()) return;
    FModal = false;
    FModalLoop = nullptr;
    if (FVisible) SetVisible(false);
    if (FWidget) FWidget->setWindowModality(Qt::NonModal);
  };
  QEventLoop loop;
  try {
    Show();
    if (Application) Application->PushLoop(&loop);
    FModalLoop = &loop;
    for (;;) {
      if (alive.expired() || !*alive.lock()) break;
      // Hidden (from a handler, or by OnShow): the form is gone from the
      // screen, so there is nothing left to ask OnCloseQuery about.
      if (FModalHidden) {
        if (FModalResult == mrNone) FModalResult = mrCancel;
        break;
      }
      if (Application && Application->GetTerminated()) FModalResult = mrCancel;
      if (FModalResult != mrNone) {
        if (Application && Application->GetTerminated()) break;
        TCloseAction action = caNone;
        if (CloseQuery()) {
          action = caHide;
          DoClose(action);
        }
        if (action == caNone) {
          FModalResult = mrNone;
        } else {
          if (action == caFree) Release();
          break;
        }
      }
      loop.exec();
    }
  } catch (...) {
    if (Application) Application->PopLoop(&loop);
    cleanup();
    throw;
  }
  if (Application) Application->PopLoop(&loop);
  if (alive.expired() || !*alive.lock()) return mrCancel;
  TModalResult result = FModalResult;
  cleanup();
  return result;
}

bool TCustomForm::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  return canClose;
}

void TCustomForm::Close() {
  if (FModal) {
    SetModalResult(mrCancel);
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = caHide;
  DoClose(action);
  if (action == caNone) return;
  if (Application && Application->GetMainForm() == this) {
    Application->Terminate();
    return;
  }
  switch (action) {
    case caHide:
      Hide();
      break;
    case caMinimize:
      SetWindowState(wsMinimized);
      break;
    default:
      Release();
      break;
  }
}

void TCustomForm::Release() {
  if (FReleasePosted) return;
  FReleasePosted = PostMessage(GetHandle(), CM_RELEASE, 0, 0);
}

void TCustomForm::DefaultHandler(TMessage& Message) {
  switch (Message.Msg) {
    case WM_CLOSE:
      Close();
      break;
    case CM_RELEASE:
      FReleasePosted = false;
      // Not under a ShowModal of this form that is still on the stack.
      if (FModal) {
        Release();
        break;
      }
      Free();
      break;
    default:
      TScrollingWinControl::DefaultHandler(Message);
  }
}

// ---------------------------------------------------------------- TApplication

TApplication::TApplication(int& argc, char** argv) : TComponent(nullptr) {
  if (!QCoreApplication::instance()) {
    new QApplication(argc, argv);
    FOwnsToolkit = true;
  }
  // Closing a window must never end the event loop behind our back: the
  // main form's close decides.
  QGuiApplication::setQuitOnLastWindowClosed(false);
  StartMessagePump();
  if (!Application) Application = this;
  if (!Screen) Screen = new TScreen(nullptr);
}

TApplication::~TApplication() {
  Destroying();
  DestroyComponents();
  if (Application == this) Application = nullptr;
  if (FOwnsToolkit) {
    delete Screen;
    Screen = nullptr;
    StopMessagePump();
    delete QCoreApplication::instance();
  }
}

void TApplication::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FMainForm) FMainForm = nullptr;
}

void TApplication::FormCreated(TCustomForm* Form) {
  Form->AfterConstruction();
  if (!FMainForm) {
    FMainForm = Form;
    if (FShowMainForm) Form->Show();
  }
}

void TApplication::PushLoop(QEventLoop* Loop) {
  FLoops.push_back(Loop);
}

void TApplication::PopLoop(QEventLoop* Loop) {
  FLoops.erase(std::remove(FLoops.begin(), FLoops.end(), Loop), FLoops.end());
}

void TApplication::Run() {
  if (!FMainForm || FTerminated) return;
  if (FShowMainForm && !FMainForm->GetVisible()) FMainForm->Show();
  QEventLoop loop;
  PushLoop(&loop);
  while (!FTerminated) loop.exec();
  PopLoop(&loop);
  // The windows leave the screen as the loop ends, not one by one while
  // the program takes its forms down.
  bool hidden = false;
  for (TCustomForm* form : gForms) {
    QWidget* w = form->GetWidget();
    if (!w->isVisible()) continue;
    w->hide();
    hidden = true;
  }
  if (hidden) QGuiApplication::sync();
}

void TApplication::Terminate() {
  FTerminated = true;
  for (QEventLoop* loop : FLoops) loop->exit();
  // Dismissing a window lets its loop return later; the list is not
  // touched meanwhile, but a copy keeps that from mattering.
  const std::vector<QWidget*> modals = FToolkitModals;
  for (QWidget* w : modals) {
    // A message window without an escape button refuses a plain close.
    if (auto* dialog = qobject_cast<QDialog*>(w))
      dialog->reject();
    else
      w->close();
  }
}

bool RunToolkitModal(QWidget* Window, const std::function<void()>& Exec) {
  TApplication* app = Application;
  if (!app) {
    Exec();
    return true;
  }
  if (app->FTerminated) return false;
  auto& list = app->FToolkitModals;
  list.push_back(Window);
  sys::ScopeExit unlist([&] { list.erase(std::remove(list.begin(), list.end(), Window), list.end()); });
  Exec();
  return true;
}

void TApplication::ProcessMessages() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void TApplication::HandleMessage() {
  QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void TApplication::HandleException(TObject* Sender) {
  std::exception_ptr current = std::current_exception();
  if (!current) return;
  try {
    std::rethrow_exception(current);
  } catch (const EAbort&) {
    return;
  } catch (const std::exception& e) {
    if (OnException) {
      try {
        OnException(Sender, e);
        return;
      } catch (const std::exception& inner) {
        ShowException(inner);
        return;
      } catch (...) {}
    }
    ShowException(e);
  } catch (...) {
    ShowException(Exception("Unknown error"));
  }
}

void TApplication::ShowException(const std::exception& E) {
  std::string text = E.what();
  if (!text.empty() && text.back() != '.' && text.back() != '!' && text.back() != '?') text += '.';
  std::string caption = FTitle;
  if (caption.empty()) {
    std::string exe = GetExeName();
    auto slash = exe.rfind('/');
    caption = slash == std::string::npos ? exe : exe.substr(slash + 1);
  }
  MessageBox(text, caption, MB_OK | MB_ICONSTOP);
}

int TApplication::MessageBox(const std::string& Text, const std::string& Caption, unsigned Flags) {
  if (MessageBoxHook) return MessageBoxHook(Text, Caption, Flags);
  return ToolkitMessageBox(Text, Caption, Flags);
}

std::string TApplication::GetExeName() const {
  char path[4096];
  ssize_t n = readlink("/proc/self/exe", path, sizeof(path) - 1);
  if (n <= 0) return {};
  return std::string(path, static_cast<size_t>(n));
}

// ---------------------------------------------------------------- TScreen

static QRect FullScreen() {
  QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->geometry() : QRect(0, 0, 1024, 768);
}

int TScreen::GetWidth() const {
  return FullScreen().width();
}

int TScreen::GetHeight() const {
  return FullScreen().height();
}

void TScreen::SetCursor(TCursor Value) {
  if (Value == FCursor) return;
  if (FCursor != crDefault) QGuiApplication::restoreOverrideCursor();
  FCursor = Value;
  if (Value != crDefault) QGuiApplication::setOverrideCursor(ToolkitCursor(Value));
}

int TScreen::GetFormCount() const {
  return static_cast<int>(gForms.size());
}

TCustomForm* TScreen::GetForms(int Index) const {
  if (Index < 0 || Index >= GetFormCount())
    throw EInvalidOperation("Form index out of bounds (" + std::to_string(Index) + ")");
  return gForms[static_cast<size_t>(Index)];
}

TCustomForm* TScreen::GetActiveForm() const {
  for (TCustomForm* f : gForms) {
    if (f->GetActive()) return f;
  }
  return nullptr;
}
