// The event rules of the standard controls, one table per family: what a
// write by the program fires, what a user action (sent through the window
// system) fires, and in which order.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>

#include <functional>
#include <string>
#include <vector>

#include "ClassLibTestSupport.h"
#include "platform/classlib/StdCtrls.h"

using namespace classlib_test;

namespace {

using Log = std::vector<std::string>;

// A shown, active form for one case, and the events its controls fired.
struct Stage : FormStage {
  // The events every windowed control has (focus events only when asked:
  // which control the window focuses first is the toolkit's choice).
  void Wire(TWinControl* c, bool focusEvents = true) {
    const std::string n = c->GetName();
    c->OnClick = [this, n](TObject*) { log.push_back(n + ".Click"); };
    if (focusEvents) {
      c->OnEnter = [this, n](TObject*) { log.push_back(n + ".Enter"); };
      c->OnExit = [this, n](TObject*) { log.push_back(n + ".Exit"); };
    }
    c->OnKeyDown = [this, n](TObject*, std::uint16_t& k, TShiftState) {
      log.push_back(n + ".KeyDown:" + std::to_string(k));
    };
    c->OnKeyPress = [this, n](TObject*, char32_t& k) {
      log.push_back(n + ".KeyPress:" + std::string(1, static_cast<char>(k)));
    };
    c->OnKeyUp = [this, n](TObject*, std::uint16_t& k, TShiftState) {
      log.push_back(n + ".KeyUp:" + std::to_string(k));
    };
  }

  void Show() { ShowAndActivate(form); }
  // Focuses a control with every event of that already fired, then forgets them.
  void Focus(TWinControl* c) {
    c->SetFocus();
    DrainEvents();
    log.clear();
  }
};

void Type(TControl* c, char ch) {
  const int key = ch >= 'a' && ch <= 'z'   ? Qt::Key_A + (ch - 'a')
                  : ch >= '0' && ch <= '9' ? Qt::Key_0 + (ch - '0')
                                           : ch;
  Key(c, key, QString(QChar(ch)));
}

void ClickAt(TControl* c, int x, int y) {
  Press(c, x, y);
  Release(c, x, y);
}

// ---------------------------------------------------------------- edit

struct EditCase {
  const char* name;
  std::function<void(Stage&, TEdit*, TEdit*)> act;
  Log expected;
  std::string textAfter;
};

TEST(StdCtrlsEvents, EditFiresChangeOnlyForNewTextAndKeysInTheirOrder) {
  const std::vector<EditCase> cases = {
      {"program writes a new text", [](Stage&, TEdit* e, TEdit*) { e->SetText("12"); }, {"ed.Change"}, "12"},
      {"program writes the same text", [](Stage&, TEdit* e, TEdit*) { e->SetText("ab"); }, {}, "ab"},
      {"program text may exceed MaxLength",
       [](Stage&, TEdit* e, TEdit*) { e->SetText("20.16KHz"); },
       {"ed.Change"},
       "20.16KHz"},
      {"user types a character",
       [](Stage&, TEdit* e, TEdit*) { Type(e, 'x'); },
       {"ed.KeyDown:88", "ed.KeyPress:x", "ed.Change", "ed.KeyUp:88"},
       "xab"},
      {"a KeyDown handler takes the key",
       [](Stage& s, TEdit* e, TEdit*) {
         auto record = e->OnKeyDown;
         e->OnKeyDown = [record](TObject* sender, std::uint16_t& k, TShiftState sh) {
           record(sender, k, sh);
           k = 0;
         };
         Type(e, 'x');
         (void)s;
       },
       {"ed.KeyDown:88", "ed.KeyUp:88"},
       "ab"},
      {"a KeyPress handler replaces the character",
       [](Stage&, TEdit* e, TEdit*) {
         auto record = e->OnKeyPress;
         e->OnKeyPress = [record](TObject* sender, char32_t& k) {
           record(sender, k);
           k = U'Y';
         };
         Type(e, 'x');
       },
       {"ed.KeyDown:88", "ed.KeyPress:x", "ed.Change", "ed.KeyUp:88"},
       "Yab"},
      {"typing stops at MaxLength",
       [](Stage& s, TEdit* e, TEdit*) {
         e->SetText("abc");
         s.log.clear();
         Type(e, 'x');
       },
       {"ed.KeyDown:88", "ed.KeyPress:x", "ed.KeyUp:88"},
       "abc"},
      {"only digits go into a numbers-only edit",
       [](Stage&, TEdit* e, TEdit*) {
         e->SetNumbersOnly(true);
         Type(e, 'x');
         Type(e, '7');
       },
       {"ed.KeyDown:88", "ed.KeyPress:x", "ed.KeyUp:88", "ed.KeyDown:55", "ed.KeyPress:7", "ed.Change",
        "ed.KeyUp:55"},
       "7ab"},
      {"the End key from the program",
       [](Stage&, TEdit* e, TEdit*) {
         e->PressEndKey();
         EXPECT_EQ(e->GetSelStart(), 2);
       },
       {"ed.KeyDown:35", "ed.KeyUp:35"},
       "ab"},
      {"upper case edit takes typed and written text in upper case",
       [](Stage&, TEdit* e, TEdit*) {
         e->SetCharCase(ecUpperCase);
         Type(e, 'x');
         e->SetText("7b7d");
       },
       {"ed.Change", "ed.KeyDown:88", "ed.KeyPress:x", "ed.Change", "ed.KeyUp:88", "ed.Change"},
       "7B7D"},
      {"leaving for another control",
       [](Stage&, TEdit*, TEdit* other) { other->SetFocus(); },
       {"ed.Exit", "other.Enter"},
       "ab"},
      {"a click focuses an edit that is no tab stop",
       [](Stage&, TEdit*, TEdit* other) {
         other->SetTabStop(false);
         ClickAt(other, 5, 5);
       },
       {"ed.Exit", "other.Enter", "other.Click"},
       "ab"},
      {"a mouse click on the edit", [](Stage&, TEdit* e, TEdit*) { ClickAt(e, 5, 5); }, {"ed.Click"}, "ab"},
  };
  for (const EditCase& c : cases) {
    SCOPED_TRACE(c.name);
    Stage s;
    auto* e = s.Add<TEdit>("ed", 10, 10, 120, 21);
    auto* other = s.Add<TEdit>("other", 10, 40, 120, 21);
    e->SetText("ab");
    e->SetMaxLength(3);
    s.Wire(e);
    s.Wire(other);
    e->OnChange = [&s](TObject*) { s.log.push_back("ed.Change"); };
    s.Show();
    s.Focus(e);
    c.act(s, e, other);
    DrainEvents();
    EXPECT_EQ(s.log, c.expected);
    EXPECT_EQ(e->GetText(), c.textAfter);
  }
}

TEST(StdCtrlsEvents, MemoKeepsLinesAndTextInStepAndFiresChange) {
  Stage s;
  auto* m = s.Add<TMemo>("mo", 10, 10, 200, 100);
  int changes = 0;
  m->OnChange = [&](TObject*) { ++changes; };
  m->GetLines()->Add("SID_LINK_BROKEN");
  m->GetLines()->Add("Link Broken");
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(m->GetText(), "SID_LINK_BROKEN\r\nLink Broken\r\n");
  // A batch is one change.
  m->GetLines()->SetText("a\r\nb\nc");
  EXPECT_EQ(changes, 3);
  ASSERT_EQ(m->GetLines()->Count(), 3);
  EXPECT_EQ(m->GetLines()->Get(2), "c");
  // Typing goes into the lines.
  s.Show();
  s.Focus(m);
  m->SetSelStart(1);
  Key(m, Qt::Key_Return, "\r");
  Type(m, 'z');
  EXPECT_EQ(m->GetLines()->ToVector(), (std::vector<std::string>{"a", "z", "b", "c"}));
  EXPECT_EQ(changes, 5);
  m->Clear();
  EXPECT_EQ(m->GetLines()->Count(), 0);
  EXPECT_EQ(m->GetText(), "");
}

// ---------------------------------------------------------------- buttons

struct ButtonCase {
  const char* name;
  std::function<void(Stage&)> act;
  Log expected;
};

TEST(StdCtrlsEvents, ButtonsCheckBoxesAndRadioButtonsClickByTheirRules) {
  auto ok = [](Stage& s) { return static_cast<TButton*>(s.form->FindComponent("ok")); };
  auto box = [](Stage& s) { return static_cast<TCheckBox*>(s.form->FindComponent("cb")); };
  auto radio = [](Stage& s, const char* n) { return static_cast<TRadioButton*>(s.form->FindComponent(n)); };
  const std::vector<ButtonCase> cases = {
      {"mouse click on a button", [&](Stage& s) { ClickAt(ok(s), 10, 10); }, {"ok.Click"}},
      {"mouse released outside the button",
       [&](Stage& s) {
         Press(ok(s), 10, 10);
         Release(ok(s), 200, 10);
       },
       {}},
      {"Click() from the program", [&](Stage& s) { ok(s)->Click(); }, {"ok.Click"}},
      {"space on the focused button",
       [&](Stage& s) {
         s.Focus(ok(s));
         Key(ok(s), Qt::Key_Space, " ");
       },
       {"ok.KeyDown:32", "ok.KeyPress: ", "ok.KeyUp:32", "ok.Click"}},
      {"check box checked by the program", [&](Stage& s) { box(s)->SetChecked(true); }, {"cb.Click"}},
      {"check box set to its own state", [&](Stage& s) { box(s)->SetChecked(false); }, {}},
      {"check box clicked by the user",
       [&](Stage& s) {
         ClickAt(box(s), 5, 5);
         EXPECT_TRUE(box(s)->GetChecked());
         ClickAt(box(s), 5, 5);
         EXPECT_FALSE(box(s)->GetChecked());
       },
       {"cb.Click", "cb.Click"}},
      {"grayed state cycles only with AllowGrayed",
       [&](Stage& s) {
         box(s)->SetAllowGrayed(true);
         ClickAt(box(s), 5, 5);
         EXPECT_EQ(box(s)->GetState(), cbGrayed);
         ClickAt(box(s), 5, 5);
         EXPECT_EQ(box(s)->GetState(), cbChecked);
       },
       {"cb.Click", "cb.Click"}},
      {"radio checked by the program unchecks its siblings silently",
       [&](Stage& s) {
         radio(s, "r1")->SetChecked(true);
         radio(s, "r2")->SetChecked(true);
         EXPECT_FALSE(radio(s, "r1")->GetChecked());
         EXPECT_TRUE(radio(s, "other")->GetChecked());
       },
       {"r1.Click", "r2.Click"}},
      {"radio unchecked by the program",
       [&](Stage& s) {
         radio(s, "r1")->SetChecked(true);
         s.log.clear();
         radio(s, "r1")->SetChecked(false);
       },
       {}},
      {"radio clicked by the user",
       [&](Stage& s) {
         radio(s, "r1")->SetChecked(true);
         s.log.clear();
         ClickAt(radio(s, "r2"), 5, 5);
         EXPECT_TRUE(radio(s, "r2")->GetChecked());
         EXPECT_FALSE(radio(s, "r1")->GetChecked());
       },
       {"r2.Click"}},
      {"a click on the checked radio changes nothing",
       [&](Stage& s) {
         radio(s, "r2")->SetChecked(true);
         s.log.clear();
         ClickAt(radio(s, "r2"), 5, 5);
         EXPECT_TRUE(radio(s, "r2")->GetChecked());
       },
       {}},
  };
  for (const ButtonCase& c : cases) {
    SCOPED_TRACE(c.name);
    Stage s;
    auto* button = s.Add<TButton>("ok", 10, 10, 75, 25);
    auto* check = s.Add<TCheckBox>("cb", 10, 40, 100, 17);
    auto* r1 = s.Add<TRadioButton>("r1", 10, 60, 100, 17);
    auto* r2 = s.Add<TRadioButton>("r2", 10, 80, 100, 17);
    auto* group = s.Add<TGroupBox>("gb", 200, 10, 150, 80);
    auto* other = s.Add<TRadioButton>("other", 10, 20, 100, 17, group);
    other->SetChecked(true);
    for (TWinControl* w : std::initializer_list<TWinControl*>{button, check, r1, r2, other}) s.Wire(w, false);
    s.Show();
    s.log.clear();
    c.act(s);
    DrainEvents();
    EXPECT_EQ(s.log, c.expected);
  }
}

TEST(StdCtrlsEvents, ButtonSetsModalResultBeforeItsClickAndEndsTheModalForm) {
  App();
  FormGuard guard;
  auto* dialog = guard(new TForm(nullptr));
  auto* ok = new TButton(dialog);
  ok->SetParent(dialog);
  ok->SetModalResult(mrOk);
  TModalResult seen = -1;
  ok->OnClick = [&](TObject*) { seen = dialog->GetModalResult(); };
  QTimer::singleShot(0, [ok] { ClickAt(ok, 10, 10); });
  EXPECT_EQ(dialog->ShowModal(), mrOk);
  EXPECT_EQ(seen, mrOk);
  EXPECT_FALSE(dialog->GetVisible());
}

TEST(StdCtrlsEvents, EnterAndEscapeReachTheDefaultAndCancelButtonsFirst) {
  struct Case {
    const char* name;
    bool withDefault;
    int key;
    Log expected;
  };
  const std::vector<Case> cases = {
      // The key's release still reaches the focused edit.
      {"Enter clicks the Default button, the edit never sees it go down",
       true,
       Qt::Key_Return,
       {"ok.Click", "ed.KeyUp:13"}},
      {"Escape clicks the Cancel button", true, Qt::Key_Escape, {"cancel.Click", "ed.KeyUp:27"}},
      {"without a Default button the edit gets Enter",
       false,
       Qt::Key_Return,
       {"ed.KeyDown:13", "ed.KeyPress:\r", "ed.KeyUp:13"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Stage s;
    auto* edit = s.Add<TEdit>("ed", 10, 10, 100, 21);
    auto* ok = s.Add<TButton>("ok", 10, 40, 75, 25);
    auto* cancel = s.Add<TButton>("cancel", 100, 40, 75, 25);
    ok->SetDefault(c.withDefault);
    cancel->SetCancel(c.withDefault);
    for (TWinControl* w : std::initializer_list<TWinControl*>{edit, ok, cancel}) s.Wire(w);
    s.Show();
    s.Focus(edit);
    Key(edit, c.key, c.key == Qt::Key_Escape ? QString(QChar(27)) : QString("\r"));
    DrainEvents();
    EXPECT_EQ(s.log, c.expected);
  }
}

// ---------------------------------------------------------------- lists

struct ListCase {
  const char* name;
  std::function<void(Stage&, TComboBox*, TListBox*)> act;
  Log expected;
  int comboIndex;
  std::string comboText;
  int listIndex;
};

TEST(StdCtrlsEvents, ComboAndListBoxesFireOnlyForTheUsersChoice) {
  const std::vector<ListCase> cases = {
      {"program selects an item",
       [](Stage&, TComboBox* c, TListBox* l) {
         c->SetItemIndex(2);
         l->SetItemIndex(3);
       },
       {},
       2,
       "c",
       3},
      {"an index outside the items leaves no selection",
       [](Stage&, TComboBox* c, TListBox* l) {
         c->SetItemIndex(9);
         l->SetItemIndex(-5);
       },
       {},
       -1,
       "",
       -1},
      {"program writes the text of an item",
       [](Stage&, TComboBox* c, TListBox*) { c->SetText("C"); },
       {},
       2,
       "c",
       0},
      {"program writes a text that is no item",
       [](Stage&, TComboBox* c, TListBox*) { c->SetText("z"); },
       {},
       -1,
       "",
       0},
      {"user picks with the arrow key",
       [](Stage& s, TComboBox* c, TListBox*) {
         s.Focus(c);
         Key(c, Qt::Key_Down);
       },
       {"cb.Click", "cb.Change"},
       2,
       "c",
       0},
      {"OnSelect takes the place of OnChange",
       [](Stage& s, TComboBox* c, TListBox*) {
         c->OnSelect = [&s](TObject*) { s.log.push_back("cb.Select"); };
         s.Focus(c);
         Key(c, Qt::Key_Down);
       },
       {"cb.Click", "cb.Select"},
       2,
       "c",
       0},
      {"a wheel handler that sets Handled keeps the item",
       [](Stage& s, TComboBox* c, TListBox*) {
         c->OnMouseWheel = [&s](TObject*, TShiftState, int, TPoint, bool& handled) {
           s.log.push_back("cb.Wheel");
           handled = true;
         };
         Wheel(c, 10, 10, -WHEEL_DELTA);
       },
       {"cb.Wheel"},
       1,
       "b",
       0},
      {"an unhandled wheel picks the next item",
       [](Stage& s, TComboBox* c, TListBox*) {
         c->OnMouseWheel = [&s](TObject*, TShiftState, int, TPoint, bool&) { s.log.push_back("cb.Wheel"); };
         Wheel(c, 10, 10, -WHEEL_DELTA);
       },
       {"cb.Wheel", "cb.Click", "cb.Change"},
       2,
       "c",
       0},
      {"items inserted before the selection keep it",
       [](Stage&, TComboBox* c, TListBox* l) {
         c->GetItems()->Insert(0, "first");
         l->GetItems()->Insert(0, "first");
       },
       {},
       2,
       "b",
       1},
      {"deleting the selected item clears the selection",
       [](Stage&, TComboBox* c, TListBox* l) {
         c->GetItems()->Delete(1);
         l->GetItems()->Delete(0);
       },
       {},
       -1,
       "",
       -1},
      {"user clicks a row of the list box",
       [](Stage&, TComboBox*, TListBox* l) { ClickAt(l, 20, 13 * 2 + 6); },
       {"lb.Click"},
       1,
       "b",
       2},
  };
  for (const ListCase& c : cases) {
    SCOPED_TRACE(c.name);
    Stage s;
    auto* combo = s.Add<TComboBox>("cb", 10, 10, 120, 22);
    combo->SetStyle(csDropDownList);
    auto* list = s.Add<TListBox>("lb", 10, 40, 150, 80);
    for (const char* t : {"a", "b", "c", "d"}) {
      combo->GetItems()->Add(t);
      list->GetItems()->Add(t);
    }
    combo->SetItemIndex(1);
    list->SetItemIndex(0);
    s.Wire(combo, false);
    s.Wire(list, false);
    combo->OnKeyDown = nullptr;
    combo->OnKeyUp = nullptr;
    combo->OnChange = [&s](TObject*) { s.log.push_back("cb.Change"); };
    s.Show();
    s.log.clear();
    c.act(s, combo, list);
    DrainEvents();
    EXPECT_EQ(s.log, c.expected);
    EXPECT_EQ(combo->GetItemIndex(), c.comboIndex);
    EXPECT_EQ(combo->GetText(), c.comboText);
    EXPECT_EQ(list->GetItemIndex(), c.listIndex);
    // The widgets show what the controls hold.
    EXPECT_EQ(static_cast<QComboBox*>(combo->GetWidget())->currentIndex(), c.comboIndex);
    EXPECT_EQ(static_cast<QListWidget*>(list->GetWidget())->currentRow(), c.listIndex);
  }
}

TEST(StdCtrlsEvents, EditableComboTakesTypedTextAndKeepsTextWithoutSelection) {
  Stage s;
  auto* combo = s.Add<TComboBox>("cb", 10, 10, 120, 22);
  for (const char* t : {"Load Preset Matrix", "Gain Control"}) combo->GetItems()->Add(t);
  // The text may name the first entry while none is selected.
  combo->SetText("Load Preset Matrix");
  EXPECT_EQ(combo->GetItemIndex(), -1);
  EXPECT_EQ(combo->GetText(), "Load Preset Matrix");
  combo->OnChange = [&s](TObject*) { s.log.push_back("cb.Change:" + std::string(1, 'x')); };
  s.Show();
  s.Focus(combo);
  static_cast<QComboBox*>(combo->GetWidget())->lineEdit()->selectAll();
  Type(combo, 'q');
  EXPECT_EQ(s.log, Log{"cb.Change:x"});
  EXPECT_EQ(combo->GetText(), "q");
  combo->SetItemIndex(1);
  EXPECT_EQ(combo->GetText(), "Gain Control");
}

TEST(StdCtrlsEvents, HandlerErrorsEndAtTheBoundaryForUserActionsAndReachTheCallerOtherwise) {
  Stage s;
  Messages().clear();
  auto* e = s.Add<TEdit>("ed", 10, 10, 120, 21);
  auto* c = s.Add<TComboBox>("cb", 10, 40, 120, 22);
  c->SetStyle(csDropDownList);
  c->GetItems()->Add("a");
  c->GetItems()->Add("b");
  e->OnChange = [](TObject*) { throw Exception("edit failed"); };
  c->OnChange = [](TObject*) { throw Exception("combo failed"); };
  s.Show();
  s.Focus(e);
  Type(e, 'x');
  s.Focus(c);
  Key(c, Qt::Key_Down);
  ASSERT_EQ(Messages().size(), 2u);
  EXPECT_NE(Messages()[0].text.find("edit failed"), std::string::npos);
  EXPECT_NE(Messages()[1].text.find("combo failed"), std::string::npos);
  EXPECT_EQ(e->GetText(), "x");
  EXPECT_EQ(c->GetItemIndex(), 0);
  // The program's own write hears the error, and the edit still shows the
  // text afterwards.
  EXPECT_THROW(e->SetText("zz"), Exception);
  EXPECT_EQ(static_cast<QLineEdit*>(e->GetWidget())->text(), "zz");
  e->OnChange = nullptr;
  e->SetText("yy");
  EXPECT_EQ(static_cast<QLineEdit*>(e->GetWidget())->text(), "yy");
}

TEST(StdCtrlsEvents, ListBoxSelectionFromTheProgramScrollsIntoView) {
  Stage s;
  auto* list = s.Add<TListBox>("lb", 10, 10, 200, 13 * 5 + 4);
  list->SetItemHeight(13);
  for (int i = 0; i < 200; ++i) list->GetItems()->Add("line " + std::to_string(i));
  s.Show();
  list->SetItemIndex(list->GetCount() - 1);
  DrainEvents();
  EXPECT_GT(list->GetTopIndex(), 190);
  EXPECT_EQ(list->ItemAtPos(TPoint(5, 5), true), list->GetTopIndex());
  list->Clear();
  EXPECT_EQ(list->GetItemIndex(), -1);
  EXPECT_EQ(list->GetCount(), 0);
}

}  // namespace
