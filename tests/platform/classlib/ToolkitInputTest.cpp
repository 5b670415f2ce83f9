// Input rules every control shares, sent through the window system: toolkit
// widgets act on the mouse first and the control's events follow in the
// class library's order; a click focuses them whatever TabStop says; the
// wheel goes to the control, the toolkit, then the parents; a disabled
// control's input goes to its parent; handlers that free their control (or
// form) from inside a toolkit signal are safe; a widget gets its font once.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

#include "ClassLibTestSupport.h"
#include "platform/classlib/ControlBridge.h"
#include "platform/classlib/ExtCtrlsControls.h"
#include "platform/classlib/StdCtrls.h"

using namespace classlib_test;

namespace {

using Log = std::vector<std::string>;

std::string At(int x, int y) {
  return std::to_string(x) + "," + std::to_string(y);
}

void RecordMouse(TControl* c, const std::string& name, Log& log) {
  c->OnMouseDown = [&log, name](TObject*, TMouseButton, TShiftState, int x, int y) {
    log.push_back(name + ".Down " + At(x, y));
  };
  c->OnClick = [&log, name](TObject*) { log.push_back(name + ".Click"); };
  c->OnMouseUp = [&log, name](TObject*, TMouseButton, TShiftState, int x, int y) {
    log.push_back(name + ".Up " + At(x, y));
  };
}

void ClickAt(TControl* c, int x, int y) {
  Press(c, x, y);
  Release(c, x, y);
}

using Stage = FormStage;

struct ClickCase {
  const char* name;
  std::function<TWinControl*(Stage&)> make;
  int x, y;
  Log expected;
  // What the toolkit did with the click.
  std::function<void(TWinControl*)> check;
};

TEST(ToolkitInput, ToolkitControlsActOnTheClickThenFireTheirEventsAndTakeTheFocus) {
  const std::vector<ClickCase> cases = {
      {"edit: the caret goes where the click was",
       [](Stage& s) {
         auto* e = s.Add<TEdit>(10, 10, 160, 21);
         e->SetText("0123456789");
         return e;
       },
       150,
       10,
       {"c.Down 150,10", "c.Click", "c.Up 150,10"},
       [](TWinControl* c) { EXPECT_EQ(static_cast<TEdit*>(c)->GetSelStart(), 10); }},
      {"button: goes down and clicks on the release",
       [](Stage& s) { return s.Add<TButton>(10, 10, 75, 25); },
       10,
       10,
       {"c.Down 10,10", "c.Click", "c.Up 10,10"},
       nullptr},
      {"check box: toggles",
       [](Stage& s) { return s.Add<TCheckBox>(10, 10, 100, 17); },
       5,
       5,
       {"c.Down 5,5", "c.Click", "c.Up 5,5"},
       [](TWinControl* c) { EXPECT_TRUE(static_cast<TCheckBox*>(c)->GetChecked()); }},
      // The list selects on the press, as the platform's list does, so its
      // click comes first; positions are the control's, not its viewport's.
      {"list box: selects the row",
       [](Stage& s) {
         auto* l = s.Add<TListBox>(10, 10, 150, 80);
         for (const char* t : {"a", "b", "c", "d"}) l->GetItems()->Add(t);
         return l;
       },
       20,
       13 * 2 + 6,
       {"c.Click", "c.Down 20,32", "c.Up 20,32"},
       [](TWinControl* c) { EXPECT_EQ(static_cast<TListBox*>(c)->GetItemIndex(), 2); }},
      {"memo: the caret goes to the clicked line",
       [](Stage& s) {
         auto* m = s.Add<TMemo>(10, 10, 160, 80);
         m->GetLines()->Add("first");
         m->GetLines()->Add("second");
         return m;
       },
       120,
       60,
       {"c.Down 120,60", "c.Click", "c.Up 120,60"},
       [](TWinControl* c) { EXPECT_GT(static_cast<TMemo*>(c)->GetSelStart(), 5); }},
  };
  for (const ClickCase& c : cases) {
    SCOPED_TRACE(c.name);
    Stage s;
    auto* other = s.Add<TEdit>(200, 10, 100, 21);
    TWinControl* control = c.make(s);
    control->SetTabStop(false);
    RecordMouse(control, "c", s.log);
    ShowAndActivate(s.form);
    // A click elsewhere first: the next press is no second one of a
    // double click.
    ClickAt(other, 50, 10);
    DrainEvents();
    ClickAt(control, c.x, c.y);
    DrainEvents();
    EXPECT_EQ(s.log, c.expected);
    EXPECT_TRUE(control->Focused()) << "a click focuses a toolkit control whatever TabStop says";
    if (c.check) c.check(control);
  }
}

TEST(ToolkitInput, PlainControlsTakeTheFocusOnlyByTabStopOrProgram) {
  Stage s;
  auto* box = s.Add<TCustomControl>(10, 10, 60, 60);
  auto* edit = s.Add<TEdit>(200, 10, 100, 21);
  ShowAndActivate(s.form);
  edit->SetFocus();
  ClickAt(box, 5, 5);
  EXPECT_TRUE(edit->Focused());
  box->SetFocus();
  EXPECT_TRUE(box->Focused());
}

struct WheelCase {
  const char* name;
  bool handled;
  int startRow;
  int delta;
  Log expected;
  bool scrolled;
};

TEST(ToolkitInput, WheelGoesToTheControlThenTheToolkitThenTheParents) {
  const std::vector<WheelCase> cases = {
      {"left alone the list scrolls", false, 0, -WHEEL_DELTA, {"list"}, true},
      {"Handled keeps the list still", true, 0, -WHEEL_DELTA, {"list"}, false},
      {"at its top the list passes the wheel up", false, 0, WHEEL_DELTA, {"list", "panel"}, false},
  };
  for (const WheelCase& c : cases) {
    SCOPED_TRACE(c.name);
    Stage s;
    auto* panel = s.Add<TPanel>(0, 0, 300, 200);
    auto* list = s.Add<TListBox>(10, 10, 150, 13 * 5 + 4, panel);
    for (int i = 0; i < 50; ++i) list->GetItems()->Add("row " + std::to_string(i));
    list->OnMouseWheel = [&s, &c](TObject*, TShiftState, int, TPoint, bool& handled) {
      s.log.push_back("list");
      handled = c.handled;
    };
    panel->OnMouseWheel = [&s](TObject*, TShiftState, int, TPoint, bool&) { s.log.push_back("panel"); };
    ShowAndActivate(s.form);
    Wheel(list, 20, 20, c.delta);
    DrainEvents();
    EXPECT_EQ(s.log, c.expected);
    EXPECT_EQ(list->GetTopIndex() > 0, c.scrolled);
  }
}

struct DisabledCase {
  const char* name;
  std::function<TControl*(Stage&, TPanel*)> make;
};

TEST(ToolkitInput, ADisabledControlsMouseGoesToItsParent) {
  const std::vector<DisabledCase> cases = {
      {"edit", [](Stage& s, TPanel* p) { return s.Add<TEdit>(20, 20, 100, 21, p); }},
      {"button", [](Stage& s, TPanel* p) { return s.Add<TButton>(20, 20, 75, 25, p); }},
      {"control that paints itself",
       [](Stage& s, TPanel* p) { return s.Add<TCustomControl>(20, 20, 60, 40, p); }},
      {"graphic control", [](Stage& s, TPanel* p) { return s.Add<TShape>(20, 20, 60, 40, p); }},
  };
  for (const DisabledCase& c : cases) {
    SCOPED_TRACE(c.name);
    Stage s;
    auto* panel = s.Add<TPanel>(10, 10, 300, 200);
    TControl* control = c.make(s, panel);
    RecordMouse(control, "c", s.log);
    RecordMouse(panel, "panel", s.log);
    control->SetEnabled(false);
    ShowAndActivate(s.form);
    PointerIn(s.form);
    ClickAt(panel, 280, 180);
    s.log.clear();
    ClickAt(control, 5, 5);
    DrainEvents();
    EXPECT_EQ(s.log, (Log{"panel.Down 25,25", "panel.Click", "panel.Up 25,25"}));
    // Enabled again, it hears its own clicks.
    control->SetEnabled(true);
    ClickAt(panel, 280, 180);
    s.log.clear();
    ClickAt(control, 5, 5);
    DrainEvents();
    ASSERT_FALSE(s.log.empty());
    EXPECT_EQ(s.log.front(), "c.Down 5,5");
  }
}

TEST(ToolkitInput, EditableComboHearsItsKeysAndMouseInItsOwnCoordinates) {
  Stage s;
  auto* combo = s.Add<TComboBox>(10, 10, 140, 22);
  combo->GetItems()->Add("Load Preset Matrix");
  RecordMouse(combo, "cb", s.log);
  combo->OnKeyDown = [&s](TObject*, std::uint16_t& k, TShiftState) {
    s.log.push_back("cb.KeyDown:" + std::to_string(k));
  };
  combo->OnKeyPress = [&s](TObject*, char32_t& k) {
    s.log.push_back("cb.KeyPress:" + std::string(1, char(k)));
  };
  combo->OnKeyUp = [&s](TObject*, std::uint16_t& k, TShiftState) {
    s.log.push_back("cb.KeyUp:" + std::to_string(k));
  };
  combo->OnChange = [&s](TObject*) { s.log.push_back("cb.Change"); };
  auto* other = s.Add<TEdit>(200, 10, 100, 21);
  ShowAndActivate(s.form);
  other->SetFocus();
  DrainEvents();
  // A press inside the line edit: the control's coordinates, and the focus.
  Press(combo, 12, 8);
  Release(combo, 12, 8);
  EXPECT_TRUE(combo->Focused());
  EXPECT_EQ(s.log, (Log{"cb.Down 12,8", "cb.Up 12,8"}));
  s.log.clear();
  Key(combo, Qt::Key_Q, "q");
  EXPECT_EQ(s.log, (Log{"cb.KeyDown:81", "cb.KeyPress:q", "cb.Change", "cb.KeyUp:81"}));
  EXPECT_EQ(combo->GetText(), "q");
  // Key = 0 keeps the key from the combo.
  s.log.clear();
  combo->OnKeyPress = [](TObject*, char32_t& k) { k = 0; };
  Key(combo, Qt::Key_W, "w");
  EXPECT_EQ(combo->GetText(), "q");
}

// Frees what it is given once, whoever gets there first.
struct FreeOnce {
  TObject* target = nullptr;
  bool freed = false;
  void operator()() {
    if (freed) return;
    freed = true;
    target->Free();
  }
};

struct FreeCase {
  const char* name;
  // Builds the control on the form, makes its handler free `victim` and
  // says whether the victim is the whole form.
  std::function<void(TForm*, TWinControl*&, FreeOnce&)> build;
  std::function<void(TWinControl*)> act;
};

TEST(ToolkitInput, HandlersMayFreeTheirControlOrFormFromInsideAToolkitSignal) {
  const std::vector<FreeCase> cases = {
      {"button freed by its own click (mouse)",
       [](TForm* f, TWinControl*& c, FreeOnce& free) {
         c = new TButton(f);
         free.target = c;
         c->OnClick = [&free](TObject*) { free(); };
       },
       [](TWinControl* c) { ClickAt(c, 10, 10); }},
      {"button freed by its own click (space key)",
       [](TForm* f, TWinControl*& c, FreeOnce& free) {
         c = new TButton(f);
         free.target = c;
         c->OnClick = [&free](TObject*) { free(); };
       },
       [](TWinControl* c) {
         c->SetFocus();
         Key(c, Qt::Key_Space, " ");
       }},
      {"form freed by a button's click",
       [](TForm* f, TWinControl*& c, FreeOnce& free) {
         c = new TButton(f);
         free.target = f;
         c->OnClick = [&free](TObject*) { free(); };
       },
       [](TWinControl* c) { ClickAt(c, 10, 10); }},
      {"form freed by an edit's change while typing",
       [](TForm* f, TWinControl*& c, FreeOnce& free) {
         auto* e = new TEdit(f);
         c = e;
         free.target = f;
         e->OnChange = [&free](TObject*) { free(); };
       },
       [](TWinControl* c) {
         c->SetFocus();
         Key(c, Qt::Key_A, "a");
       }},
      {"check box freed by its click",
       [](TForm* f, TWinControl*& c, FreeOnce& free) {
         c = new TCheckBox(f);
         free.target = c;
         c->OnClick = [&free](TObject*) { free(); };
       },
       [](TWinControl* c) { ClickAt(c, 5, 5); }},
      {"combo box freed by a pick from the keyboard",
       [](TForm* f, TWinControl*& c, FreeOnce& free) {
         auto* cb = new TComboBox(f);
         cb->SetStyle(csDropDownList);
         cb->GetItems()->Add("a");
         cb->GetItems()->Add("b");
         c = cb;
         free.target = c;
         cb->OnChange = [&free](TObject*) { free(); };
       },
       [](TWinControl* c) {
         c->SetFocus();
         Key(c, Qt::Key_Down);
       }},
  };
  App();
  for (const FreeCase& c : cases) {
    SCOPED_TRACE(c.name);
    auto* form = new TForm(nullptr);
    form->SetBounds(100, 100, 300, 200);
    TWinControl* control = nullptr;
    FreeOnce free;
    c.build(form, control, free);
    control->SetParent(form);
    control->SetBounds(10, 10, 90, 25);
    QPointer<QWidget> widget = control->GetWidget();
    ShowAndActivate(form);
    c.act(control);
    EXPECT_TRUE(free.freed);
    // The widget goes once the toolkit is done with its event.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(widget.isNull());
    if (free.target != form) form->Free();
  }
}

// Counts the font changes combo boxes are told about.
struct ComboFontChanges : QObject {
  int count = 0;
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() == QEvent::FontChange && qobject_cast<QComboBox*>(o)) ++count;
    return false;
  }
};

TEST(ToolkitInput, AControlsWidgetIsMadeWithItsFontOnce) {
  Stage s;
  // A form font unlike a new control's own, as a program's forms have.
  s.form->GetFont()->SetName("Arial");
  s.form->GetFont()->SetHeight(-13);
  s.form->GetFont()->SetColor(RGB(230, 233, 237));
  auto* panel = s.Add<TPanel>(0, 0, 300, 200);
  ComboFontChanges changes;
  qApp->installEventFilter(&changes);
  auto* combo = new TComboBox(s.form);
  combo->SetParent(panel);
  EXPECT_EQ(changes.count, 1);
  EXPECT_EQ(combo->GetWidget()->font(), panel->GetWidget()->font());
  // A colour change alone leaves the toolkit's font be; a size change
  // reaches it.
  changes.count = 0;
  combo->GetFont()->SetColor(clRed);
  EXPECT_EQ(changes.count, 0);
  combo->GetFont()->SetHeight(-20);
  EXPECT_EQ(changes.count, 1);
  qApp->removeEventFilter(&changes);
  EXPECT_EQ(combo->GetWidget()->font().pixelSize(), 20);
}

}  // namespace
