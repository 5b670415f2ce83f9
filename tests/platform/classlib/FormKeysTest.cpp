// The form's keys: KeyPreview lets the form hear its controls' keys first;
// Enter and Escape click the Default and Cancel buttons unless the focused
// control wants them; a button with ModalResult ends a modal form.

#include <gtest/gtest.h>

#include <QTimer>

#include <functional>
#include <string>
#include <vector>

#include "ClassLibTestSupport.h"
#include "platform/classlib/ExtCtrlsControls.h"
#include "platform/classlib/RzControls.h"
#include "platform/classlib/StdCtrls.h"

using namespace classlib_test;

namespace {

using Log = std::vector<std::string>;

std::string KeyText(char32_t k) {
  return k == U'\r' ? "CR" : std::string(1, static_cast<char>(k));
}

void RecordKeys(TWinControl* c, const std::string& name, Log& log) {
  c->OnKeyDown = [&log, name](TObject*, std::uint16_t& k, TShiftState) {
    log.push_back(name + ".KeyDown:" + std::to_string(k));
  };
  c->OnKeyPress = [&log, name](TObject*, char32_t& k) { log.push_back(name + ".KeyPress:" + KeyText(k)); };
  c->OnKeyUp = [&log, name](TObject*, std::uint16_t& k, TShiftState) {
    log.push_back(name + ".KeyUp:" + std::to_string(k));
  };
}

using Stage = FormStage;

struct PreviewCase {
  const char* name;
  bool preview;
  // Changes the form's handlers before the key.
  std::function<void(Stage&)> setup;
  Log expected;
  std::string text;
};

TEST(FormKeys, KeyPreviewLetsTheFormHearKeysFirstAndTakeThem) {
  const std::vector<PreviewCase> cases = {
      {"without KeyPreview the edit alone",
       false,
       nullptr,
       {"ed.KeyDown:88", "ed.KeyPress:x", "ed.KeyUp:88"},
       "x"},
      {"with KeyPreview the form first",
       true,
       nullptr,
       {"form.KeyDown:88", "ed.KeyDown:88", "form.KeyPress:x", "ed.KeyPress:x", "form.KeyUp:88",
        "ed.KeyUp:88"},
       "x"},
      {"the form takes the key down",
       true,
       [](Stage& s) {
         s.form->OnKeyDown = [&s](TObject*, std::uint16_t& k, TShiftState) {
           s.log.push_back("form.KeyDown:" + std::to_string(k));
           k = 0;
         };
       },
       {"form.KeyDown:88", "form.KeyUp:88", "ed.KeyUp:88"},
       ""},
      {"the form takes the character",
       true,
       [](Stage& s) {
         s.form->OnKeyPress = [&s](TObject*, char32_t& k) {
           s.log.push_back("form.KeyPress:" + KeyText(k));
           k = 0;
         };
       },
       {"form.KeyDown:88", "ed.KeyDown:88", "form.KeyPress:x", "form.KeyUp:88", "ed.KeyUp:88"},
       ""},
      {"the form changes the character",
       true,
       [](Stage& s) {
         s.form->OnKeyPress = [&s](TObject*, char32_t& k) {
           s.log.push_back("form.KeyPress:" + KeyText(k));
           k = U'Y';
         };
       },
       {"form.KeyDown:88", "ed.KeyDown:88", "form.KeyPress:x", "ed.KeyPress:Y", "form.KeyUp:88",
        "ed.KeyUp:88"},
       "Y"},
  };
  for (const PreviewCase& c : cases) {
    SCOPED_TRACE(c.name);
    Stage s;
    auto* edit = s.Add<TEdit>("ed", 10, 10, 120, 21);
    RecordKeys(edit, "ed", s.log);
    RecordKeys(s.form, "form", s.log);
    s.form->SetKeyPreview(c.preview);
    if (c.setup) c.setup(s);
    ShowAndActivate(s.form);
    edit->SetFocus();
    Key(edit, Qt::Key_X, "x");
    EXPECT_EQ(s.log, c.expected);
    EXPECT_EQ(edit->GetText(), c.text);
  }
}

TEST(FormKeys, KeyPreviewCoversControlsThatPaintThemselves) {
  Stage s;
  auto* box = s.Add<TCustomControl>("box", 10, 10, 60, 60);
  box->SetTabStop(true);
  RecordKeys(box, "box", s.log);
  s.form->OnKeyDown = [&s](TObject*, std::uint16_t& k, TShiftState) {
    s.log.push_back("form.KeyDown:" + std::to_string(k));
    if (k == VK_LEFT) k = 0;
  };
  s.form->SetKeyPreview(true);
  ShowAndActivate(s.form);
  box->SetFocus();
  Key(box, Qt::Key_Left);
  Key(box, Qt::Key_Right);
  EXPECT_EQ(s.log,
            (Log{"form.KeyDown:37", "box.KeyUp:37", "form.KeyDown:39", "box.KeyDown:39", "box.KeyUp:39"}));
}

// An edit that handles every key itself, as some controls answer the
// dialog-code question.
class AllKeysEdit : public TEdit {
 public:
  explicit AllKeysEdit(TComponent* AOwner) : TEdit(AOwner) {}
  void DefaultHandler(TMessage& Message) override {
    TEdit::DefaultHandler(Message);
    if (Message.Msg == WM_GETDLGCODE) Message.Result |= DLGC_WANTALLKEYS;
  }
};

struct DialogCase {
  const char* name;
  // Returns the control that has the focus when the key comes.
  std::function<TWinControl*(Stage&)> setup;
  int key;
  Qt::KeyboardModifiers mods;
  Log expected;
};

TEST(FormKeys, EnterAndEscapeClickTheDefaultAndCancelButtonsUnlessTheControlWantsThem) {
  auto edit = [](Stage& s) { return static_cast<TWinControl*>(s.form->FindComponent("ed")); };
  const std::vector<DialogCase> cases = {
      {"Enter in an edit clicks the Default button",
       edit,
       Qt::Key_Return,
       Qt::NoModifier,
       {"ok.Click", "ed.KeyUp:13"}},
      {"the keypad's Enter too", edit, Qt::Key_Enter, Qt::KeypadModifier, {"ok.Click", "ed.KeyUp:13"}},
      {"Escape clicks the Cancel button",
       edit,
       Qt::Key_Escape,
       Qt::NoModifier,
       {"cancel.Click", "ed.KeyUp:27"}},
      {"a focused button takes Enter itself",
       [](Stage& s) { return static_cast<TWinControl*>(s.form->FindComponent("other")); },
       Qt::Key_Return,
       Qt::NoModifier,
       {"other.Click", "other.KeyUp:13"}},
      {"a focused check box leaves Enter to the Default button",
       [](Stage& s) { return static_cast<TWinControl*>(s.form->FindComponent("check")); },
       Qt::Key_Return,
       Qt::NoModifier,
       {"ok.Click", "check.KeyUp:13"}},
      {"Shift+Enter is no dialog key",
       edit,
       Qt::Key_Return,
       Qt::ShiftModifier,
       {"ed.KeyDown:13", "ed.KeyPress:CR", "ed.KeyUp:13"}},
      {"a disabled Default button is passed over",
       [](Stage& s) {
         static_cast<TButton*>(s.form->FindComponent("ok"))->SetEnabled(false);
         return static_cast<TWinControl*>(s.form->FindComponent("ed"));
       },
       Qt::Key_Return,
       Qt::NoModifier,
       {"ed.KeyDown:13", "ed.KeyPress:CR", "ed.KeyUp:13"}},
      {"so is one on a hidden panel",
       [](Stage& s) {
         auto* panel = new TPanel(s.form);
         panel->SetParent(s.form);
         static_cast<TButton*>(s.form->FindComponent("ok"))->SetParent(panel);
         panel->Hide();
         return static_cast<TWinControl*>(s.form->FindComponent("ed"));
       },
       Qt::Key_Return,
       Qt::NoModifier,
       {"ed.KeyDown:13", "ed.KeyPress:CR", "ed.KeyUp:13"}},
      {"a memo with WantReturns types Enter",
       [](Stage& s) {
         auto* memo = s.Add<TMemo>("memo", 200, 100, 150, 60);
         RecordKeys(memo, "memo", s.log);
         return memo;
       },
       Qt::Key_Return,
       Qt::NoModifier,
       {"memo.KeyDown:13", "memo.KeyPress:CR", "memo.KeyUp:13"}},
      {"but leaves Escape to the Cancel button",
       [](Stage& s) {
         auto* memo = s.Add<TMemo>("memo", 200, 100, 150, 60);
         RecordKeys(memo, "memo", s.log);
         return memo;
       },
       Qt::Key_Escape,
       Qt::NoModifier,
       {"cancel.Click", "memo.KeyUp:27"}},
      {"a memo without WantReturns leaves Enter to the Default button",
       [](Stage& s) {
         auto* memo = s.Add<TMemo>("memo", 200, 100, 150, 60);
         memo->SetWantReturns(false);
         RecordKeys(memo, "memo", s.log);
         return memo;
       },
       Qt::Key_Return,
       Qt::NoModifier,
       {"ok.Click", "memo.KeyUp:13"}},
      {"a control that wants all keys gets Enter",
       [](Stage& s) {
         auto* all = s.Add<AllKeysEdit>("all", 200, 100, 100, 21);
         RecordKeys(all, "all", s.log);
         return all;
       },
       Qt::Key_Return,
       Qt::NoModifier,
       {"all.KeyDown:13", "all.KeyPress:CR", "all.KeyUp:13"}},
      {"KeyPreview does not see the dialog key",
       [](Stage& s) {
         s.form->SetKeyPreview(true);
         RecordKeys(s.form, "form", s.log);
         return static_cast<TWinControl*>(s.form->FindComponent("ed"));
       },
       Qt::Key_Return,
       Qt::NoModifier,
       {"ok.Click", "form.KeyUp:13", "ed.KeyUp:13"}},
  };
  for (const DialogCase& c : cases) {
    SCOPED_TRACE(c.name);
    Stage s;
    auto* ed = s.Add<TEdit>("ed", 10, 10, 100, 21);
    auto* ok = s.Add<TButton>("ok", 10, 40, 75, 25);
    auto* cancel = s.Add<TButton>("cancel", 100, 40, 75, 25);
    auto* other = s.Add<TButton>("other", 190, 40, 75, 25);
    auto* check = s.Add<TCheckBox>("check", 10, 80, 100, 17);
    ok->SetDefault(true);
    cancel->SetCancel(true);
    RecordKeys(ed, "ed", s.log);
    RecordKeys(other, "other", s.log);
    RecordKeys(check, "check", s.log);
    for (TButton* b : {ok, cancel, other}) {
      const std::string n = b->GetName();
      b->OnClick = [&s, n](TObject*) { s.log.push_back(n + ".Click"); };
    }
    TWinControl* focus = c.setup(s);
    ShowAndActivate(s.form);
    focus->SetFocus();
    DrainEvents();
    s.log.clear();
    const QString text = c.key == Qt::Key_Escape ? QString(QChar(27)) : QString("\r");
    Key(focus, c.key, text, c.mods);
    DrainEvents();
    EXPECT_EQ(s.log, c.expected);
  }
}

TEST(FormKeys, DialogButtonsWithAModalResultEndTheModalForm) {
  struct Case {
    int key;
    TModalResult expected;
  };
  for (const Case& c : {Case{Qt::Key_Return, mrOk}, Case{Qt::Key_Escape, mrCancel}}) {
    Stage s;
    auto* edit = s.Add<TEdit>("ed", 10, 10, 100, 21);
    auto* ok = s.Add<TButton>("ok", 10, 40, 75, 25);
    auto* cancel = s.Add<TButton>("cancel", 100, 40, 75, 25);
    ok->SetDefault(true);
    ok->SetModalResult(mrOk);
    cancel->SetCancel(true);
    cancel->SetModalResult(mrCancel);
    int clicks = 0;
    ok->OnClick = cancel->OnClick = [&](TObject*) { ++clicks; };
    QTimer::singleShot(0, [&] {
      QWidget* window = s.form->GetWidget();
      window->activateWindow();
      PumpUntil([window] { return window->isActiveWindow(); }, 3000);  // best effort, as ShowAndActivate
      edit->SetFocus();
      Key(edit, c.key, c.key == Qt::Key_Escape ? QString(QChar(27)) : QString("\r"));
    });
    // A deadlock guard: a key that went nowhere fails the test.
    QTimer giveUp;
    giveUp.setSingleShot(true);
    QObject::connect(&giveUp, &QTimer::timeout, [&] { s.form->SetModalResult(mrAbort); });
    giveUp.start(10000);
    EXPECT_EQ(s.form->ShowModal(), c.expected);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(s.form->GetVisible());
  }
}

// A painted button marked Cancel is a way out too: Escape clicks it,
// whether an edit or nothing at all has the focus; an unmarked, hidden or
// disabled one is passed over.
TEST(FormKeys, EscapeClicksAPaintedCancelButton) {
  struct Case {
    const char* name;
    bool cancel, visible, enabled, focusEdit;
    int clicks;
  };
  const Case cases[] = {{"from an edit", true, true, true, true, 1},
                        {"from the form itself", true, true, true, false, 1},
                        {"not marked", false, true, true, true, 0},
                        {"hidden", true, false, true, true, 0},
                        {"disabled", true, true, false, true, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Stage s;
    auto* edit = s.Add<TEdit>("ed", 10, 10, 100, 21);
    auto* exit = new TRzBmpButton(s.form);
    exit->SetName("exit");
    exit->SetParent(s.form);
    exit->SetBounds(10, 40, 80, 24);
    exit->SetCancel(c.cancel);
    exit->SetVisible(c.visible);
    exit->SetEnabled(c.enabled);
    int clicks = 0;
    exit->OnClick = [&](TObject*) { ++clicks; };
    ShowAndActivate(s.form);
    TWinControl* focus = c.focusEdit ? static_cast<TWinControl*>(edit) : s.form;
    focus->SetFocus();
    DrainEvents();
    Key(focus, Qt::Key_Escape, QString(QChar(27)));
    DrainEvents();
    EXPECT_EQ(clicks, c.clicks);
  }
}

}  // namespace
