// Text composed in an input method reaches an editable combo box the way
// typed text does: through the toolkit's line edit, as the combo's Text and
// one OnChange per committed text; the composition itself changes nothing.
// Typed text never selects an item by itself, not even when the focus
// leaves or Enter ends the editing.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QLineEdit>

#include <string>
#include <vector>

#include "ClassLibTestSupport.h"
#include "platform/classlib/StdCtrls.h"

using namespace classlib_test;

namespace {

// What the input method sends: to the object that has the focus.
void SendToFocus(QInputMethodEvent& e) {
  QObject* target = QGuiApplication::focusObject();
  ASSERT_NE(target, nullptr);
  QCoreApplication::sendEvent(target, &e);
}

void Compose(const QString& preedit) {
  QInputMethodEvent e(preedit, {QInputMethodEvent::Attribute(QInputMethodEvent::Cursor, preedit.size(), 1)});
  SendToFocus(e);
}

void Commit(const QString& text) {
  QInputMethodEvent e;
  e.setCommitString(text);
  SendToFocus(e);
}

TEST(ComboInputMethod, ACommittedTextArrivesAsTypedTextWithOneChange) {
  FormStage s;
  auto* combo = s.Add<TComboBox>("cb", 10, 10, 160, 22);
  for (const char* t : {"输入", "输出"}) combo->GetItems()->Add(t);
  combo->SetItemIndex(0);
  std::vector<std::string> changes;
  combo->OnChange = [&](TObject*) { changes.push_back(combo->GetText()); };
  ShowAndActivate(s.form);
  combo->SetFocus();
  DrainEvents();
  ASSERT_TRUE(combo->Focused());
  auto* edit = static_cast<QComboBox*>(combo->GetWidget())->lineEdit();
  ASSERT_NE(edit, nullptr);
  // The user empties the field first (composing over a selection would
  // delete it, as the first key of a typed text does).
  edit->selectAll();
  Key(combo, Qt::Key_Backspace);
  DrainEvents();
  EXPECT_EQ(changes, std::vector<std::string>{""});
  changes.clear();

  // While the user composes, the text is not the control's yet.
  Compose("shuchu");
  DrainEvents();
  EXPECT_TRUE(changes.empty());
  EXPECT_EQ(combo->GetText(), "");

  // The commit is the text; the selected index stays until the program
  // chooses otherwise.
  Commit("输出");
  DrainEvents();
  EXPECT_EQ(changes, std::vector<std::string>{"输出"});
  EXPECT_EQ(combo->GetText(), "输出");
  EXPECT_EQ(combo->GetItemIndex(), 0);
  EXPECT_EQ(edit->text().toStdString(), "输出");

  // A commit goes in at the caret like keys do.
  Compose("1");
  Commit("1");
  DrainEvents();
  EXPECT_EQ(changes.back(), "输出1");
  EXPECT_EQ(changes.size(), 2u);
}

TEST(ComboInputMethod, TheTextOfAnItemIsNoPickWhenTheEditingEnds) {
  FormStage s;
  auto* combo = s.Add<TComboBox>("cb", 10, 10, 160, 22);
  auto* other = s.Add<TEdit>("ed", 10, 50, 160, 22);
  for (const char* t : {"输入", "输出"}) combo->GetItems()->Add(t);
  // No item selected while the text names the first.
  combo->SetText("输入");
  int changes = 0;
  combo->OnChange = [&](TObject*) { ++changes; };
  ShowAndActivate(s.form);
  for (int key : {int(Qt::Key_Return), 0}) {
    SCOPED_TRACE(key ? "Enter" : "focus lost");
    combo->SetFocus();
    DrainEvents();
    if (key)
      Key(combo, key);
    else
      other->SetFocus();
    DrainEvents();
    EXPECT_EQ(combo->GetItemIndex(), -1);
    EXPECT_EQ(combo->GetText(), "输入");
    EXPECT_EQ(changes, 0);
  }
  // The user's pick still selects.
  combo->SetFocus();
  Key(combo, Qt::Key_Down);
  DrainEvents();
  EXPECT_EQ(changes, 1);
  EXPECT_GE(combo->GetItemIndex(), 0);
}

}  // namespace
