// Forms and the application: creation order, modal loops, closing,
// placement, and exceptions caught at the handler boundary.

#include <gtest/gtest.h>

#include <QCloseEvent>
#include <QDialog>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ClassLibTestSupport.h"
#include "platform/classlib/Dialogs.h"
#include "platform/classlib/ExtCtrls.h"
#include "platform/classlib/Menus.h"

using namespace classlib_test;

namespace {

constexpr unsigned WM_RUN = WM_USER + 7;

// A form that runs a given action when it gets WM_RUN.
class ActionForm : public TForm {
 public:
  explicit ActionForm(TComponent* owner) : TForm(owner) {}
  std::function<void()> action;
  void Dispatch(TMessage& m) override {
    if (m.Msg == WM_RUN) {
      if (action) action();
      return;
    }
    TForm::Dispatch(m);
  }
};

// Runs each test against a fresh application object (the toolkit's stays),
// so MainForm and Terminated start clean.
class FormsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fresh.emplace();
    app = fresh->app;
    Messages().clear();
  }
  void TearDown() override { fresh.reset(); }
  // A fresh application object in place of the test's one.
  void NewApp() {
    fresh->Renew();
    app = fresh->app;
  }
  std::optional<FreshApplication> fresh;
  TApplication* app = nullptr;
};

std::vector<std::string> gEvents;

class MainCandidate : public TForm {
 public:
  explicit MainCandidate(TComponent* owner) : TForm(owner) {
    SetName("fmMain");
    OnCreate = [this](TObject*) {
      gEvents.push_back(std::string("create main=") + (Application->GetMainForm() ? "set" : "null") +
                        " visible=" + (GetVisible() ? "1" : "0"));
    };
    OnShow = [](TObject*) { gEvents.push_back("show"); };
  }
};

class Dialog : public TForm {
 public:
  explicit Dialog(TComponent* owner) : TForm(owner) {
    OnCreate = [](TObject*) { gEvents.push_back("create dialog"); };
  }
};

TEST_F(FormsTest, FirstFormBecomesMainAfterItsOnCreateAndIsShownThen) {
  gEvents.clear();
  MainCandidate* fmMain = nullptr;
  Dialog* fmDialog = nullptr;
  app->CreateForm(fmMain);
  app->CreateForm(fmDialog);
  EXPECT_EQ(gEvents, (std::vector<std::string>{"create main=null visible=0", "show", "create dialog"}));
  EXPECT_EQ(app->GetMainForm(), fmMain);
  EXPECT_TRUE(fmMain->GetVisible());
  EXPECT_FALSE(fmDialog->GetVisible());
  EXPECT_EQ(app->FindComponent("FMMAIN"), fmMain);
}

TEST_F(FormsTest, ShowModalReturnsModalResultAfterCloseQueryAgrees) {
  auto* dialog = new ActionForm(app);
  int queries = 0;
  dialog->OnCloseQuery = [&](TObject*, bool& canClose) {
    canClose = ++queries > 1;
    // Refused: the loop goes on, and the answer comes again later.
    if (!canClose) PostMessage(dialog, WM_RUN, 0, 0);
  };
  std::vector<TCloseAction> closes;
  dialog->OnClose = [&](TObject*, TCloseAction& action) { closes.push_back(action); };
  dialog->action = [&] { dialog->SetModalResult(mrYes); };
  PostMessage(dialog, WM_RUN, 0, 0);
  EXPECT_EQ(dialog->ShowModal(), mrYes);
  EXPECT_EQ(queries, 2);
  EXPECT_EQ(closes, (std::vector<TCloseAction>{caHide}));
  EXPECT_FALSE(dialog->GetVisible());
  EXPECT_FALSE(dialog->IsModal());
  // Closing a modal form only answers mrCancel.
  dialog->action = [&] { dialog->Close(); };
  PostMessage(dialog, WM_RUN, 0, 0);
  EXPECT_EQ(dialog->ShowModal(), mrCancel);
}

TEST_F(FormsTest, ShowModalOfAFormAlreadyUpNeverThrows) {
  auto* form = new TForm(app);
  // Asked again from inside its own loop: nothing happens, the loop goes on.
  TModalResult inner = mrOk;
  QTimer::singleShot(0, [&] {
    inner = form->ShowModal();
    form->SetModalResult(mrYes);
  });
  EXPECT_EQ(form->ShowModal(), mrYes);
  EXPECT_EQ(inner, mrNone);
  EXPECT_FALSE(form->GetVisible());
  // A form shown without a loop becomes modal.
  form->Show();
  QTimer::singleShot(0, [&] { form->SetModalResult(mrOk); });
  EXPECT_EQ(form->ShowModal(), mrOk);
  EXPECT_FALSE(form->GetVisible());
}

// Ends every loop when a modal loop outlives the deadline (and goes on
// dismissing whatever window opens after), so that a loop that never ends
// fails the test instead of hanging it.
struct ModalDeadline {
  QTimer timer;
  bool expired = false;
  explicit ModalDeadline(int ms = 10000) {
    QObject::connect(&timer, &QTimer::timeout, [this] {
      expired = true;
      timer.setInterval(50);
      Application->Terminate();
      if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) d->reject();
      if (QWidget* p = QApplication::activePopupWidget()) p->close();
    });
    timer.start(ms);
  }
};

TEST_F(FormsTest, NestedModalLoopsReturnInnermostFirst) {
  // The outer form ends by its own result, or because the inner one hid it
  // (then after the inner returns).
  for (bool hideOuter : {false, true}) {
    ModalDeadline deadline;
    auto* outer = new ActionForm(app);
    auto* inner = new ActionForm(app);
    std::vector<std::string> order;
    outer->action = [&] {
      PostMessage(inner, WM_RUN, 0, 0);
      order.push_back("inner=" + std::to_string(inner->ShowModal()));
      if (!hideOuter) outer->SetModalResult(mrOk);
    };
    inner->action = [&] {
      if (hideOuter) outer->Hide();
      inner->SetModalResult(mrNo);
    };
    PostMessage(outer, WM_RUN, 0, 0);
    order.push_back("outer=" + std::to_string(outer->ShowModal()));
    EXPECT_EQ(order, (std::vector<std::string>{"inner=7", hideOuter ? "outer=2" : "outer=1"}));
    EXPECT_FALSE(deadline.expired) << hideOuter;
  }
}

TEST_F(FormsTest, CloseActionsOfAnOrdinaryForm) {
  struct Case {
    TCloseAction action;
    bool visibleAfter;
    bool freed;
  } cases[] = {{caNone, true, false}, {caHide, false, false}, {caFree, false, true}};
  TForm* fmMain = nullptr;
  app->CreateForm(fmMain);  // the tested forms are not the main form
  for (const Case& c : cases) {
    auto* form = new TForm(app);
    bool destroyed = false;
    form->OnDestroy = [&](TObject*) { destroyed = true; };
    form->OnClose = [&](TObject*, TCloseAction& a) { a = c.action; };
    form->Show();
    form->Close();
    DrainEvents();
    EXPECT_EQ(destroyed, c.freed) << c.action;
    if (!c.freed) {
      EXPECT_EQ(form->GetVisible(), c.visibleAfter) << c.action;
    }
    EXPECT_FALSE(app->GetTerminated()) << c.action;
    if (!destroyed) form->Free();
  }
}

TEST_F(FormsTest, ClosingTheMainFormEndsTheProgramUnlessRefused) {
  TForm* fmMain = nullptr;
  app->CreateForm(fmMain);
  TCloseAction answer = caNone;
  fmMain->OnClose = [&](TObject*, TCloseAction& a) { a = answer; };
  fmMain->Close();
  EXPECT_FALSE(app->GetTerminated());
  EXPECT_TRUE(fmMain->GetVisible());
  answer = caHide;
  // The close box goes the same way as Close.
  QCloseEvent closeBox;
  QCoreApplication::sendEvent(fmMain->GetWidget(), &closeBox);
  EXPECT_TRUE(app->GetTerminated());
  app->Run();  // returns at once
}

TEST_F(FormsTest, TerminateEndsModalLoopsAndRun) {
  TForm* fmMain = nullptr;
  app->CreateForm(fmMain);
  auto* dialog = new ActionForm(app);
  TModalResult result = -1;
  auto* timer = new TTimer(fmMain);
  timer->SetInterval(1);
  timer->OnTimer = [&](TObject*) {
    timer->SetEnabled(false);
    PostMessage(dialog, WM_RUN, 0, 0);
    result = dialog->ShowModal();
  };
  dialog->action = [&] { app->Terminate(); };
  app->Run();
  EXPECT_EQ(result, mrCancel);
  EXPECT_TRUE(app->GetTerminated());
}

// The toolkit's window that a dialog or popup opened, once it shows.
QWidget* ShownToolkitModal() {
  if (QWidget* w = QApplication::activeModalWidget(); w && w->isVisible()) return w;
  if (QWidget* w = QApplication::activePopupWidget(); w && w->isVisible()) return w;
  return nullptr;
}

TEST_F(FormsTest, TerminateDismissesOpenDialogsAndPopupsAsCancelled) {
  struct Case {
    const char* what;
    // Opens the window and tells whether the answer was a cancel.
    std::function<bool()> cancelled;
  };
  TPopupMenu* popup = nullptr;
  const std::vector<Case> cases = {
      // Closed without a choice: Cancel where there is one, else No, else OK.
      {"message box", [] { return Application->MessageBox("Text", "Caption", MB_YESNO) == IDNO; }},
      {"message box, OK only", [] { return Application->MessageBox("Text", "Caption", MB_OK) == IDOK; }},
      {"message window", [] { return MessageDlg("Text", mtConfirmation, mbYesNoCancel) == mrCancel; }},
      {"open dialog",
       [] {
         TOpenDialog dlg(nullptr);
         dlg.SetInitialDir("/tmp");
         return !dlg.Execute();
       }},
      {"save dialog",
       [] {
         TSaveDialog dlg(nullptr);
         return !dlg.Execute();
       }},
      {"colour dialog",
       [] {
         TColorDialog dlg(nullptr);
         return !dlg.Execute();
       }},
      {"font dialog",
       [] {
         TFontDialog dlg(nullptr);
         return !dlg.Execute();
       }},
      {"popup menu",
       [&popup] {
         bool clicked = false;
         popup->GetItems()->GetItems(0)->OnClick = [&](TObject*) { clicked = true; };
         popup->Popup(40, 40);
         return !clicked;
       }},
  };
  for (const Case& c : cases) {
    NewApp();
    app->MessageBoxHook = nullptr;  // the toolkit's own message window
    popup = new TPopupMenu(app);
    auto* item = new TMenuItem(app);
    item->SetCaption("Item");
    popup->GetItems()->Add(item);
    ModalDeadline deadline;
    bool sawWindow = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
      if (!ShownToolkitModal()) return;
      sawWindow = true;
      watch.stop();
      app->Terminate();
    });
    watch.start(10);
    EXPECT_TRUE(c.cancelled()) << c.what;
    EXPECT_TRUE(sawWindow) << c.what;
    EXPECT_FALSE(deadline.expired) << c.what;
    // Once terminated, nothing opens to wait for a person.
    watch.stop();
    EXPECT_TRUE(c.cancelled()) << c.what << ", after Terminate";
    EXPECT_EQ(ShownToolkitModal(), nullptr) << c.what;
    EXPECT_FALSE(deadline.expired) << c.what << ", after Terminate";
  }
}

TEST_F(FormsTest, PositionCentresOnTheScreenOrOnTheMainForm) {
  TForm* fmMain = nullptr;
  app->CreateForm(fmMain);
  fmMain->SetBounds(10, 20, 400, 300);
  QRect screen = QGuiApplication::primaryScreen()->availableGeometry();

  auto* centred = new TForm(app);
  centred->SetBounds(0, 0, 200, 100);
  centred->SetPosition(poScreenCenter);
  centred->Show();
  // Within the few pixels a window frame adds.
  QRect g = centred->GetWidget()->frameGeometry();
  EXPECT_NEAR(g.center().x(), screen.center().x(), 3);
  EXPECT_NEAR(g.center().y(), screen.center().y(), 3);

  auto* onMain = new TForm(app);
  onMain->SetBounds(0, 0, 200, 100);
  onMain->SetPosition(poMainFormCenter);
  onMain->Show();
  QRect mainFrame = fmMain->GetWidget()->frameGeometry();
  g = onMain->GetWidget()->frameGeometry();
  EXPECT_NEAR(g.center().x(), mainFrame.center().x(), 3);
  EXPECT_NEAR(g.center().y(), mainFrame.center().y(), 3);
}

TEST_F(FormsTest, FormPropertiesReachTheWindow) {
  auto* form = new TForm(app);
  form->SetCaption("TAVO");
  form->SetBounds(5, 6, 1126, 725);
  form->SetBorderStyle(bsDialog);
  form->SetBorderIcons(TBorderIcons{});
  form->SetFormStyle(fsStayOnTop);
  form->SetAlphaBlend(true);
  form->SetAlphaBlendValue(200);
  QWidget* w = form->GetWidget();
  EXPECT_EQ(w->windowTitle(), "TAVO");
  EXPECT_EQ(w->size(), QSize(1126, 725));
  EXPECT_EQ(form->GetClientWidth(), 1126);
  EXPECT_TRUE(w->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_FALSE(w->windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_NEAR(w->windowOpacity(), 200 / 255.0, 0.01);
  // A dialog border cannot be resized by the user.
  EXPECT_EQ(w->minimumSize(), w->maximumSize());
  std::string exe = app->GetExeName();
  EXPECT_TRUE(!exe.empty() && exe[0] == '/' && std::filesystem::exists(exe)) << exe;
}

TEST_F(FormsTest, ResizeFromCodeOrFromTheWindowFiresOnResizeAndRealigns) {
  auto* form = new TForm(app);
  auto* strip = new TCustomControl(form);
  strip->SetParent(form);
  strip->SetHeight(30);
  strip->SetAlign(alBottom);
  int resizes = 0;
  form->OnResize = [&](TObject*) { ++resizes; };
  form->SetBounds(0, 0, 400, 300);
  EXPECT_EQ(resizes, 1);
  EXPECT_EQ(strip->GetBoundsRect(), Rect(0, 270, 400, 300));
  form->Show();
  // The user drags the window's edge.
  form->GetWidget()->resize(500, 350);
  ASSERT_TRUE(WaitForValue(
      "form width", [&] { return form->GetWidth(); }, 500, 3000));
  EXPECT_EQ(form->GetHeight(), 350);
  EXPECT_EQ(resizes, 2);
  EXPECT_EQ(strip->GetBoundsRect(), Rect(0, 320, 500, 350));
}

TEST_F(FormsTest, ExceptionsAtHandlerBoundariesAreShownAndTheProgramGoesOn) {
  auto* form = new ActionForm(app);
  int runs = 0;
  form->action = [&] {
    if (++runs == 1) throw Exception("Handler failed");
    if (runs == 2) Abort();   // silent
    if (runs == 3) throw 42;  // not even an exception class
  };
  for (int i = 0; i < 4; ++i) PostMessage(form, WM_RUN, 0, 0);
  ASSERT_TRUE(WaitForValue(
      "runs", [&] { return runs; }, 4));
  ASSERT_EQ(Messages().size(), 2u);
  EXPECT_EQ(Messages()[0].text, "Handler failed.");
  EXPECT_EQ(Messages()[1].text, "Unknown error.");

  // OnException takes over the display.
  std::vector<std::string> seen;
  app->OnException = [&](TObject* sender, const std::exception& e) {
    seen.push_back(e.what());
    EXPECT_EQ(sender, form);
  };
  runs = 0;
  PostMessage(form, WM_RUN, 0, 0);
  ASSERT_TRUE(WaitForValue(
      "runs", [&] { return runs; }, 1));
  EXPECT_EQ(seen, std::vector<std::string>{"Handler failed"});
  EXPECT_EQ(Messages().size(), 2u);
}

TEST_F(FormsTest, ExceptionInOnCreateIsShownAndTheFormStillExists) {
  class Failing : public TForm {
   public:
    explicit Failing(TComponent* o) : TForm(o) {
      OnCreate = [](TObject*) { throw Exception("Create failed"); };
    }
  };
  Failing* f = nullptr;
  app->CreateForm(f);
  ASSERT_NE(f, nullptr);
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0].text, "Create failed.");
}

TEST_F(FormsTest, ReleaseFromAHandlerFreesTheFormAfterward) {
  auto* form = new ActionForm(app);
  bool destroyed = false;
  form->OnDestroy = [&](TObject*) { destroyed = true; };
  form->action = [&] {
    form->Release();
    EXPECT_FALSE(destroyed);
  };
  PostMessage(form, WM_RUN, 0, 0);
  ASSERT_TRUE(WaitFor("the form's OnDestroy", [&] { return destroyed; }));
  EXPECT_EQ(app->GetComponentCount(), 0);
}

TEST_F(FormsTest, HidingAModalFormEndsItsLoopWithoutAskingToClose) {
  ModalDeadline deadline;
  struct Case {
    const char* what;
    TModalResult setFirst;  // a result set before the hide
    bool hideInOnShow;
    TModalResult expected;
  } cases[] = {
      {"hidden from a handler", mrNone, false, mrCancel},
      {"result set, then hidden", mrOk, false, mrOk},
      {"hidden by its OnShow", mrNone, true, mrCancel},
  };
  for (const Case& c : cases) {
    auto* dialog = new ActionForm(app);
    int queries = 0;
    dialog->OnCloseQuery = [&](TObject*, bool& canClose) {
      ++queries;
      canClose = false;  // would keep an ordinary close waiting for ever
    };
    dialog->action = [&] {
      if (c.setFirst != mrNone) dialog->SetModalResult(c.setFirst);
      dialog->Hide();
    };
    dialog->OnShow = [&](TObject*) {
      if (c.hideInOnShow) dialog->Hide();
    };
    if (!c.hideInOnShow) PostMessage(dialog, WM_RUN, 0, 0);
    EXPECT_EQ(dialog->ShowModal(), c.expected) << c.what;
    EXPECT_EQ(queries, 0) << c.what;
    EXPECT_FALSE(dialog->IsModal()) << c.what;
    EXPECT_FALSE(dialog->GetWidget()->isVisible()) << c.what;
    // Nothing is blocked any more, and the form can be shown modally again.
    EXPECT_EQ(dialog->GetWidget()->windowModality(), Qt::NonModal) << c.what;
    dialog->OnShow = nullptr;
    dialog->OnCloseQuery = nullptr;
    dialog->action = [&] { dialog->SetModalResult(mrYes); };
    PostMessage(dialog, WM_RUN, 0, 0);
    TModalResult again = mrNone;
    EXPECT_NO_THROW(again = dialog->ShowModal()) << c.what;
    EXPECT_EQ(again, mrYes) << c.what;
    dialog->Free();
    ASSERT_FALSE(deadline.expired) << c.what;
  }
}

}  // namespace
