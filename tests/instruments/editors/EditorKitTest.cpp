// The editor kit's rules on a form owning one control of each kind.

#include <QTimer>

#include <algorithm>
#include <climits>
#include <cmath>
#include <functional>

#include "platform/classlib/Keys.h"
#include "platform/sys/DateTime.h"
#include "tests/instruments/editors/EditorTestSupport.h"

using namespace classlib_test;
using namespace editors_test;

namespace {

struct WriteCase {
  const char* name;
  std::function<void(FixtureForm*)> write;
  // The check box's and the radio group's OnChange stay attached (only
  // OnClick is detached there); nothing else fires and the form hears
  // nothing.
  Log expected;
};

TEST(EditorKit, BlockedWritesFireNothingAndNeitherDoesAFollowingCommit) {
  const std::vector<WriteCase> cases = {
      {"edit AsFloat", [](FixtureForm* f) { f->Edit->SetAsFloat(2.5); }, {}},
      {"edit AsInteger", [](FixtureForm* f) { f->Edit->SetAsInteger(-12); }, {}},
      {"edit AsString", [](FixtureForm* f) { f->Edit->SetAsString("text"); }, {}},
      {"edit AsDateTime", [](FixtureForm* f) { f->Edit->SetAsDateTime(45000.25); }, {}},
      {"edit Disable", [](FixtureForm* f) { f->Edit->Disable(); }, {}},
      {"edit DisableNoClear", [](FixtureForm* f) { f->Edit->DisableNoClear(); }, {}},
      {"up-down AsInteger", [](FixtureForm* f) { f->UpDown->SetAsInteger(40); }, {}},
      {"up-down Disable", [](FixtureForm* f) { f->UpDown->Disable(); }, {}},
      {"check box AsBoolean", [](FixtureForm* f) { f->Check->SetAsBoolean(true); }, {"Check.OnChange"}},
      {"check box Disable",
       [](FixtureForm* f) {
         f->Check->SetAsBoolean(true);
         f->Check->Disable();
       },
       {"Check.OnChange", "Check.OnChange"}},
      {"radio group AsInteger", [](FixtureForm* f) { f->Radio->SetAsInteger(3); }, {}},
      {"radio group Disable", [](FixtureForm* f) { f->Radio->Disable(); }, {"Radio.OnChange"}},
      {"combo box AsInteger", [](FixtureForm* f) { f->Combo->SetAsInteger(2); }, {}},
      {"combo box AsString", [](FixtureForm* f) { f->Combo->SetAsString("Dot"); }, {}},
      {"combo box Disable", [](FixtureForm* f) { f->Combo->Disable(); }, {}},
  };
  for (const WriteCase& c : cases) {
    SCOPED_TRACE(c.name);
    KitStage s;
    c.write(s.form);
    s.form->Edit->CheckForUpdate();
    EXPECT_EQ(s.form->log, c.expected);
    // The events are back.
    EXPECT_TRUE(s.form->Edit->OnChange && s.form->Check->OnClick && s.form->Radio->OnClick &&
                s.form->Radio->OnChange && s.form->Combo->OnChange);
    EXPECT_FALSE(s.form->Edit->GetBlockingEvents());
  }
}

TEST(EditorKit, ABlockedWriteThatRaisesStillPutsTheEventBack) {
  KitStage s;
  s.form->Check->OnRequestEdit = [](TObject*, const std::string&, bool&) { throw Exception("refused"); };
  EXPECT_THROW(s.form->Check->SetAsBoolean(true), Exception);
  ASSERT_TRUE(s.form->Check->OnClick);
  s.form->Check->OnRequestEdit = nullptr;
  s.form->Check->SetChecked(true);
  // A write that is not blocked fires OnClick and counts as a change.
  EXPECT_EQ(s.form->log, (Log{"Check.OnChange", "UserChange", "Check.OnClick"}));
}

TEST(EditorKit, EnterCommitsOnceAndEscapeGoesBackToTheCommittedText) {
  KitStage s;
  TiComponentEditorEdit* e = s.form->Edit;
  e->SetAsInteger(1);
  ShowAndActivate(s.form);
  e->SetFocus();
  e->SelectAll();
  Key(e, Qt::Key_5, "5");
  ASSERT_EQ(e->GetText(), "5");
  s.form->log.clear();
  Key(e, Qt::Key_Return, "\r");
  EXPECT_EQ(s.form->log, (Log{"Edit.OnUpdate", "UserChange"}));
  Key(e, Qt::Key_Return, "\r");
  EXPECT_EQ(s.form->log, (Log{"Edit.OnUpdate", "UserChange"}));
  s.form->log.clear();
  e->SetSelStart(1);
  Key(e, Qt::Key_9, "9");
  ASSERT_EQ(e->GetText(), "59");
  Key(e, Qt::Key_Escape, "\x1b");
  EXPECT_EQ(e->GetText(), "5");
  EXPECT_EQ(s.form->log, (Log{"Edit.OnChange", "Edit.OnChange"}));
}

TEST(EditorKit, LeavingTheEditCommitsAChangedText) {
  KitStage s;
  ShowAndActivate(s.form);
  s.form->Edit->SetFocus();
  s.form->Edit->SetText("8");
  s.form->log.clear();
  s.form->Button->SetFocus();
  EXPECT_EQ(s.form->log, (Log{"Edit.OnUpdate", "UserChange"}));
}

TEST(EditorKit, TheEditReadsWhatItWritesAndNothingElse) {
  KitStage s;
  TiComponentEditorEdit* e = s.form->Edit;
  const std::vector<std::pair<const char*, int>> integers = {
      {" 7 ", 7}, {"-3", -3},  {"+4", 4},  {"", 0},  {"abc", 0},         {"7a", 0},
      {"$10", 0}, {"0x10", 0}, {"1.5", 0}, {"-", 0}, {"99999999999", 0}, {"2147483647", INT_MAX}};
  for (const auto& [text, value] : integers) {
    e->SetAsString(text);
    EXPECT_EQ(e->GetAsInteger(), value) << '"' << text << '"';
  }
  const std::vector<std::pair<const char*, double>> floats = {{" 1.5 ", 1.5}, {"-2e3", -2000}, {"", 0},
                                                              {"inf", 0},     {"nan", 0},      {"0x1p3", 0},
                                                              {"1,5", 0},     {"1e999", 0}};
  for (const auto& [text, value] : floats) {
    e->SetAsString(text);
    EXPECT_EQ(e->GetAsFloat(), value) << '"' << text << '"';
  }
  for (double v : {0.1, -1234.5678, 1e-300, 123456789012345.0, 2.0 / 3.0}) {
    e->SetAsFloat(v);
    EXPECT_EQ(e->GetOriginalText(), e->GetText());
    EXPECT_NEAR(e->GetAsFloat(), v, std::fabs(v) * 1e-14) << e->GetText();
  }
  e->SetAsDateTime(45000.75);
  EXPECT_EQ(e->GetText(), DateTimeToStr(45000.75));
  EXPECT_NEAR(e->GetAsDateTime(), 45000.75, 1e-8);
  e->SetAsDateTime(45000);
  EXPECT_EQ(e->GetText().find(':'), std::string::npos) << "no time at midnight: " << e->GetText();
  EXPECT_DOUBLE_EQ(e->GetAsDateTime(), 45000);
  e->SetAsString("no date");
  EXPECT_THROW(e->GetAsDateTime(), EConvertError);
  EXPECT_EQ(s.form->log, Log{});
}

TEST(EditorKit, UpDownLayoutLimitsAndTheRowBetweenTheButtons) {
  KitStage s;
  TiUpDown* u = s.form->UpDown;
  TiComponentEditorEdit* e = s.form->Edit;
  EXPECT_EQ(u->GetLeft(), e->GetLeft() + e->GetWidth());
  EXPECT_EQ(u->GetTop(), e->GetTop());
  EXPECT_EQ(u->GetHeight(), 21);
  ShowAndActivate(s.form);
  e->SetAsInteger(99);
  Press(u, 7, 3);
  EXPECT_EQ(u->GetUpButtonRect(), Rect(0, 0, 15, 10));
  EXPECT_EQ(u->GetDownButtonRect(), Rect(0, 11, 15, 21));
  EXPECT_EQ(e->GetAsInteger(), 100);
  u->GetTimer()->OnTimer(u->GetTimer());
  EXPECT_EQ(e->GetAsInteger(), 100) << "Max 100 holds";
  Release(u, 7, 3);
  // Row 10 is neither button: a press there steps down.
  Press(u, 7, 10);
  EXPECT_FALSE(u->GetUpButtonPressed());
  EXPECT_FALSE(u->GetDownButtonPressed());
  EXPECT_EQ(e->GetAsInteger(), 99);
  Release(u, 7, 10);
  // Without limits (both 0) nothing holds the value, but the 32-bit range.
  u->SetMax(0);
  e->SetAsInteger(150);
  Press(u, 7, 3);
  Release(u, 7, 3);
  EXPECT_EQ(e->GetAsInteger(), 151);
  e->SetAsInteger(INT_MAX);
  Press(u, 7, 3);
  Release(u, 7, 3);
  EXPECT_EQ(e->GetAsInteger(), INT_MAX);
  e->SetAsInteger(INT_MIN);
  Press(u, 7, 15);
  Release(u, 7, 15);
  EXPECT_EQ(e->GetAsInteger(), INT_MIN);
}

TEST(EditorKit, UpDownRepeatsAfter500ThenEvery50MsAndTellsTheForm) {
  KitStage s;
  TiUpDown* u = s.form->UpDown;
  s.form->Edit->SetAsInteger(10);
  ShowAndActivate(s.form);
  Press(u, 7, 15);
  EXPECT_TRUE(u->GetTimer()->GetEnabled());
  EXPECT_EQ(u->GetTimer()->GetInterval(), 500u);
  EXPECT_EQ(s.form->Edit->GetAsInteger(), 9);
  // The user's step reaches the edit as a change and a commit.
  EXPECT_EQ(s.form->log, (Log{"Edit.OnChange", "UserChange", "Edit.OnUpdate", "UserChange"}));
  u->GetTimer()->OnTimer(u->GetTimer());
  EXPECT_EQ(u->GetTimer()->GetInterval(), 50u);
  u->GetTimer()->OnTimer(u->GetTimer());
  EXPECT_EQ(u->GetTimer()->GetInterval(), 50u);
  EXPECT_EQ(s.form->Edit->GetAsInteger(), 7);
  // Dragging onto the other button turns the direction.
  Move(u, 7, 3, Qt::LeftButton);
  u->GetTimer()->OnTimer(u->GetTimer());
  EXPECT_EQ(s.form->Edit->GetAsInteger(), 8);
  Release(u, 7, 3);
  EXPECT_FALSE(u->GetTimer()->GetEnabled());
}

TEST(EditorKit, UpDownDropsAnAssociateThatIsFreed) {
  KitStage s;
  auto* edit = new TiComponentEditorEdit(s.form);
  s.form->UpDown->SetAssociate(edit);
  edit->Free();
  EXPECT_EQ(s.form->UpDown->GetAssociate(), nullptr);
  EXPECT_EQ(s.form->UpDown->GetAsInteger(), 0);
  s.form->UpDown->SetAsInteger(5);
}

TEST(EditorKit, ListDragMovesTheSelectedEntryAndADropOnItselfDoesNothing) {
  KitStage s;
  TiComponentEditorListBox* l = s.form->List;
  TObject* first = l->GetItems()->GetObject(0);
  l->SetItemIndex(0);
  const int h = l->GetItemHeight();
  l->DragDrop(l, 5, 0 * h + 2);
  EXPECT_EQ(s.form->log, Log{}) << "onto itself";
  l->DragDrop(l, 5, 10 * h);
  EXPECT_EQ(l->GetItems()->Get(2), "Channel 1");
  EXPECT_EQ(l->GetItems()->GetObject(2), first);
  EXPECT_EQ(l->GetItemIndex(), 2);
  EXPECT_EQ(s.form->log, Log{"List.OnItemMove"});
  // Drops from elsewhere are refused.
  l->DragDrop(s.form->Button, 5, 2);
  EXPECT_EQ(l->GetItems()->Get(0), "Channel 2");
}

TEST(EditorKit, ListDraggedWithTheMouse) {
  KitStage s;
  TiComponentEditorListBox* l = s.form->List;
  s.form->Pages->SetActivePage(s.form->Page2);
  ShowAndActivate(s.form);
  const TRect row0 = l->ItemRect(0);
  const TRect row2 = l->ItemRect(2);
  ASSERT_FALSE(row0.IsEmpty());
  Press(l, row0.Left + 30, row0.Top + 3);
  EXPECT_EQ(l->GetItemIndex(), 0);
  Move(l, row0.Left + 30, row0.Top + 12, Qt::LeftButton);
  Move(l, row2.Left + 30, row2.Top + 3, Qt::LeftButton);
  Release(l, row2.Left + 30, row2.Top + 3);
  EXPECT_EQ(l->GetItems()->Get(2), "Channel 1");
  EXPECT_EQ(l->GetItemIndex(), 2);
  EXPECT_EQ(std::count(s.form->log.begin(), s.form->log.end(), "List.OnItemMove"), 1);
}

TEST(EditorKit, ListDeletes) {
  KitStage s;
  TiComponentEditorListBox* l = s.form->List;
  l->SetItemIndex(-1);
  l->DeleteSelectedObject();
  EXPECT_EQ(l->GetCount(), 3) << "no selected entry: nothing";
  TObject* last = l->GetItems()->GetObject(2);
  l->SetItemIndex(2);
  l->DeleteObjectIndex(last);
  delete last;
  EXPECT_EQ(l->GetCount(), 2);
  EXPECT_EQ(l->GetItemIndex(), 1);
  TObject stranger;
  l->DeleteObjectIndex(&stranger);
  EXPECT_EQ(l->GetCount(), 2);
  l->SetItemIndex(1);
  l->DeleteSelectedObject();
  EXPECT_EQ(l->GetCount(), 1);
  EXPECT_EQ(l->GetItemIndex(), 0);
  l->SelectLast();
  EXPECT_EQ(l->GetItemIndex(), 0);
}

TEST(EditorKit, CheckBoxClickFiresOnClickOnce) {
  KitStage s;
  ShowAndActivate(s.form);
  Press(s.form->Check, 5, 8);
  Release(s.form->Check, 5, 8);
  EXPECT_TRUE(s.form->Check->GetChecked());
  EXPECT_EQ(s.form->log, (Log{"Check.OnChange", "Check.OnChangeUser", "UserChange", "Check.OnClick"}));
}

TEST(EditorKit, RadioGroupClickTellsTheForm) {
  KitStage s;
  ShowAndActivate(s.form);
  TiComponentEditorRadioGroup* r = s.form->Radio;
  r->Repaint();
  r->ComputeLayout();
  const TPoint p = r->ItemCenter(3);
  Press(r, p.X + 1, p.Y);
  Release(r, p.X + 1, p.Y);
  EXPECT_EQ(r->GetItemIndex(), 3);
  // The class library's click comes before the release selects the item.
  EXPECT_EQ(s.form->log, (Log{"Radio.OnClick", "UserChange", "Radio.OnChange", "Radio.OnChangeUser"}));
}

TEST(EditorKit, ComboPickTellsTheFormWithoutOnClick) {
  KitStage s;
  ShowAndActivate(s.form);
  s.form->Combo->SetFocus();
  Key(s.form->Combo, Qt::Key_Down);
  EXPECT_EQ(s.form->Combo->GetItemIndex(), 0);
  EXPECT_EQ(s.form->log, (Log{"UserChange", "Combo.OnChange"}));
}

TEST(EditorKit, DisableAndEnable) {
  KitStage s;
  FixtureForm* f = s.form;
  f->Edit->SetAsString("12");
  f->Check->SetAsBoolean(true);
  f->Radio->SetAsInteger(1);
  f->Combo->SetAsInteger(1);
  f->UpDown->Disable();
  EXPECT_FALSE(f->UpDown->GetEnabled());
  EXPECT_FALSE(f->Edit->GetEnabled());
  EXPECT_EQ(f->Edit->GetText(), "");
  EXPECT_EQ(f->Edit->GetOriginalText(), "");
  EXPECT_EQ(f->Edit->GetColor(), clBtnFace);
  f->UpDown->Enable();
  EXPECT_TRUE(f->Edit->GetEnabled());
  EXPECT_EQ(f->Edit->GetColor(), clWindow);
  f->Edit->SetAsString("34");
  f->Edit->DisableNoClear();
  EXPECT_EQ(f->Edit->GetText(), "34");
  EXPECT_EQ(f->Edit->GetColor(), clBtnFace);
  f->Edit->SetEnabled(true);
  EXPECT_EQ(f->Edit->GetColor(), clWindow);
  f->Check->Disable();
  EXPECT_FALSE(f->Check->GetEnabled());
  EXPECT_FALSE(f->Check->GetChecked());
  f->Check->Enable();
  EXPECT_TRUE(f->Check->GetEnabled());
  f->Radio->Disable();
  EXPECT_FALSE(f->Radio->GetEnabled());
  EXPECT_EQ(f->Radio->GetItemIndex(), -1);
  f->Radio->Enable();
  EXPECT_TRUE(f->Radio->GetEnabled());
  f->Combo->Disable();
  EXPECT_FALSE(f->Combo->GetEnabled());
  EXPECT_EQ(f->Combo->GetItemIndex(), -1);
  EXPECT_EQ(f->Combo->GetText(), "");
  EXPECT_EQ(f->Combo->GetColor(), clBtnFace);
  f->Combo->Enable();
  EXPECT_TRUE(f->Combo->GetEnabled());
  EXPECT_EQ(f->Combo->GetColor(), clWindow);
  EXPECT_EQ(f->log, (Log{"Check.OnChange", "Check.OnChange", "Radio.OnChange"}));
}

TEST(EditorKit, DialogCodesAndSpecialKeys) {
  KitStage s;
  FixtureForm* f = s.form;
  auto code = [](TControl* c) { return c->Perform(WM_GETDLGCODE, 0, 0); };
  EXPECT_EQ(code(f->Check), DLGC_WANTALLKEYS + DLGC_WANTTAB);
  EXPECT_EQ(code(f->List), DLGC_WANTALLKEYS + DLGC_WANTTAB);
  EXPECT_EQ(code(f->Pages), DLGC_WANTALLKEYS + DLGC_WANTTAB);
  EXPECT_TRUE(code(f->Radio) & DLGC_WANTALLKEYS);
  auto* plain = new TEdit(f);
  EXPECT_EQ(code(f->Edit), code(plain) + 3);
  for (TControl* c : {static_cast<TControl*>(f->Edit), static_cast<TControl*>(f->Combo)}) {
    EXPECT_EQ(c->Perform(CM_WANTSPECIALKEY, VK_LEFT, 0), 1);
    EXPECT_EQ(c->Perform(CM_WANTSPECIALKEY, VK_RIGHT, 0), 1);
    EXPECT_EQ(c->Perform(CM_WANTSPECIALKEY, VK_RETURN, 0), 0);
    EXPECT_EQ(c->Perform(CM_WANTSPECIALKEY, VK_UP, 0), 0);
  }
  EXPECT_EQ(f->Radio->Perform(CM_WANTSPECIALKEY, VK_DOWN, 0), 1);
  EXPECT_EQ(f->Radio->Perform(CM_WANTSPECIALKEY, VK_SPACE, 0), 0);
}

TEST(EditorKit, TabAndShiftTabMoveThroughTheFormFromControlsThatTakeEveryKey) {
  KitStage s;
  FixtureForm* f = s.form;
  ShowAndActivate(f);
  f->Check->SetFocus();
  ASSERT_TRUE(f->Check->Focused());
  Key(f->Check, Qt::Key_Tab, "\t");
  EXPECT_TRUE(f->Radio->Focused());
  Key(f->Radio, Qt::Key_Backtab, "", Qt::ShiftModifier);
  EXPECT_TRUE(f->Check->Focused());
  Key(f->Check, Qt::Key_Backtab, "", Qt::ShiftModifier);
  EXPECT_TRUE(f->Edit->Focused());
  Key(f->Edit, Qt::Key_Tab, "\t");
  EXPECT_TRUE(f->Check->Focused());
  EXPECT_FALSE(f->Check->GetChecked()) << "Tab is no Space";
}

}  // namespace
