// Caption accelerators: a letter typed with Alt, or typed into a control
// that takes no characters, is offered to the visible, enabled controls of
// the form as CM_DIALOGCHAR; the control whose caption holds it takes it.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ClassLibTestSupport.h"
#include "platform/classlib/ExtCtrlsControls.h"
#include "platform/classlib/StdCtrls.h"

using namespace classlib_test;

namespace {

using Log = std::vector<std::string>;

// A control that takes the dialog character of its caption's accelerator
// and notes every one it was offered.
class AccelBox : public TCustomControl {
 public:
  AccelBox(TComponent* AOwner, Log& log) : TCustomControl(AOwner), FLog(log) {}
  void Dispatch(TMessage& Message) override {
    if (Message.Msg == CM_DIALOGCHAR) {
      FLog.push_back(GetName() + ".offered:" + std::string(1, static_cast<char>(Message.WParam)));
      if (IsAccel(Message.WParam, GetCaption())) {
        FLog.push_back(GetName() + ".took");
        Message.Result = 1;
        return;
      }
    }
    TCustomControl::Dispatch(Message);
  }

 private:
  Log& FLog;
};

TEST(DialogChar, IsAccelMatchesTheLetterAfterASingleAmpersandInEitherCase) {
  struct Case {
    WPARAM key;
    const char* caption;
    bool accel;
  } cases[] = {
      {'b', "&Bypass", true}, {'B', "&Bypass", true},   {'p', "By&pass", true}, {'y', "&Bypass", false},
      {'b', "Bypass", false}, {'b', "&&Bypass", false}, {'b', "A&&&b", true},   {'a', "", false},
      {'&', "A&&b", false},   {'1', "In&1", true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(IsAccel(c.key, c.caption), c.accel) << c.caption << " " << char(c.key);
}

struct Stage : FormStage {
  AccelBox* Box(const char* name, const char* caption, TWinControl* parent = nullptr) {
    auto* b = new AccelBox(form, log);
    b->SetName(name);
    b->SetCaption(caption);
    b->SetParent(parent ? parent : form);
    b->SetBounds(200, 10 + 30 * static_cast<int>(form->GetControlCount()), 60, 20);
    return b;
  }
  // A focusable control that takes no characters, focused on the shown form.
  TCustomControl* ShowWithFocus() {
    auto* focus = Add<TCustomControl>("focus", 10, 10, 60, 60);
    focus->SetTabStop(true);
    ShowAndActivate(form);
    focus->SetFocus();
    PumpUntil([focus] { return focus->Focused(); }, 3000);
    return focus;
  }
};

TEST(DialogChar, AltLetterReachesTheAcceleratorEvenFromAnEdit) {
  Stage s;
  auto* edit = s.Add<TEdit>("ed", 10, 10, 120, 21);
  s.Box("first", "&Reset");
  s.Box("second", "&Bypass");
  edit->OnKeyDown = [&s](TObject*, std::uint16_t& k, TShiftState) {
    s.log.push_back("ed.KeyDown:" + std::to_string(k));
  };
  ShowAndActivate(s.form);
  edit->SetFocus();
  Key(edit, Qt::Key_B, "b", Qt::AltModifier);
  EXPECT_EQ(s.log, (Log{"ed.KeyDown:66", "first.offered:B", "second.offered:B", "second.took"}));
  EXPECT_EQ(edit->GetText(), "");
  // A plain letter is the edit's.
  s.log.clear();
  Key(edit, Qt::Key_B, "b");
  EXPECT_EQ(s.log, (Log{"ed.KeyDown:66"}));
  EXPECT_EQ(edit->GetText(), "b");
}

TEST(DialogChar, PlainLetterIsAnAcceleratorWhereTheFocusTakesNoCharacters) {
  Stage s;
  s.Box("bypass", "&Bypass");
  auto* focus = s.ShowWithFocus();
  Key(focus, Qt::Key_B, "B", Qt::ShiftModifier);
  EXPECT_EQ(s.log, (Log{"bypass.offered:B", "bypass.took"}));
  // Control keys and letters no caption holds go on as before.
  s.log.clear();
  Key(focus, Qt::Key_B, QString(QChar(2)), Qt::ControlModifier);
  EXPECT_EQ(s.log, Log{});
}

TEST(DialogChar, HiddenAndDisabledControlsAndTheirChildrenAreNotOffered) {
  Stage s;
  auto* panel = s.Add<TPanel>("panel", 10, 80, 150, 100);
  s.Box("inside", "&Go", panel);
  auto* hidden = s.Box("hidden", "&Go");
  auto* disabled = s.Box("disabled", "&Go");
  s.Box("last", "&Go");
  hidden->SetVisible(false);
  disabled->SetEnabled(false);
  auto* focus = s.ShowWithFocus();
  Key(focus, Qt::Key_G, "g", Qt::AltModifier);
  EXPECT_EQ(s.log, (Log{"inside.offered:G", "inside.took"}));
  s.log.clear();
  panel->SetEnabled(false);
  Key(focus, Qt::Key_G, "g", Qt::AltModifier);
  EXPECT_EQ(s.log, (Log{"last.offered:G", "last.took"}));
}

}  // namespace
