// The rounded value box: its inner edit's events reach the box's handlers
// with the box as sender (read-only boxes too), the fixed height and inner
// placement, and the rounded look over the parent's colour.

#include <gtest/gtest.h>

#include <QImage>

#include <string>
#include <vector>

#include "controls/CurvyControls.h"
#include "tests/platform/classlib/ClassLibTestSupport.h"

using namespace classlib_test;

namespace {

TCurvyEdit* ValueBox(FormStage& stage, const char* name, int left, int top, int width) {
  auto* box = stage.Add<TCurvyEdit>(name, left, top, width, 40);
  box->SetRounding(6);
  box->SetBorderColor(clHighlightText);
  box->SetColor(clWhite);
  box->SetAlignment(taCenter);
  box->SetAutoSelect(false);
  box->SetHideSelection(false);
  box->SetTabStop(true);
  box->GetFont()->SetName("Tahoma");
  box->GetFont()->SetHeight(-11);
  return box;
}

void RecordBox(TCurvyEdit* box, std::vector<std::string>& log) {
  auto who = [box](TObject* s) { return std::string(s == box ? "box" : "other"); };
  box->OnChange = [&log, who](TObject* s) { log.push_back("change " + who(s)); };
  box->OnMouseDown = [&log, who](TObject* s, TMouseButton, TShiftState, int, int) {
    log.push_back("down " + who(s));
  };
  box->OnKeyDown = [&log, who](TObject* s, std::uint16_t& key, TShiftState) {
    log.push_back("key " + std::to_string(key) + " " + who(s));
  };
  box->OnExit = [&log, who](TObject* s) { log.push_back("exit " + who(s)); };
}

TEST(CurvyEditLayout, AlwaysTwentyFourHighWithTheEditInside) {
  FormStage stage;
  auto* box = ValueBox(stage, "box", 10, 10, 56);
  EXPECT_EQ(box->GetHeight(), 24);
  box->SetBounds(10, 10, 56, 80);
  EXPECT_EQ(box->GetHeight(), 24);
  EXPECT_EQ(box->GetEdit()->GetLeft(), 6);
  EXPECT_EQ(box->GetEdit()->GetTop(), 5);
  EXPECT_EQ(box->GetEdit()->GetWidth(), 42);
  EXPECT_EQ(box->GetEdit()->GetHeight(), 18);
  EXPECT_EQ(box->GetVersion(), "1.0.3.1");
}

TEST(CurvyEditEvents, TextFromCodeFiresChangeWithTheBoxAsSender) {
  FormStage stage;
  auto* box = ValueBox(stage, "box", 10, 10, 60);
  RecordBox(box, stage.log);
  box->SetText("+0.0dB");
  EXPECT_EQ(box->GetText(), "+0.0dB");
  EXPECT_EQ(stage.log, (std::vector<std::string>{"change box"}));
}

TEST(CurvyEditEvents, ReadOnlyBoxStillForwardsMouseKeysAndExit) {
  FormStage stage;
  auto* box = ValueBox(stage, "box", 10, 10, 60);
  auto* other = ValueBox(stage, "other", 10, 60, 60);
  box->SetReadOnly(true);
  box->SetText("50ms");
  ShowAndActivate(stage.form);
  PointerIn(stage.form);
  other->SetFocus();
  RecordBox(box, stage.log);
  stage.log.clear();
  Press(box->GetEdit(), 10, 8);
  Release(box->GetEdit(), 10, 8);
  PumpUntil([box] { return box->GetEdit()->Focused(); }, 3000);
  Key(box->GetEdit(), Qt::Key_Left);
  other->SetFocus();
  PumpUntil([&] { return stage.log.size() >= 3; }, 3000);
  EXPECT_EQ(stage.log, (std::vector<std::string>{"down box", "key 37 box", "exit box"}));
  // The frame outside the edit reaches none of the box's events.
  stage.log.clear();
  Press(box, 1, 12);
  Release(box, 1, 12);
  EXPECT_TRUE(stage.log.empty());
}

TEST(CurvyEditEvents, AHandlerThatTakesTheKeyStopsTheEdit) {
  FormStage stage;
  auto* box = ValueBox(stage, "box", 10, 10, 60);
  box->SetText("12");
  box->OnKeyPress = [](TObject*, char32_t& key) {
    if (key == U'x') key = 0;
  };
  ShowAndActivate(stage.form);
  box->SetFocus();
  PumpUntil([box] { return box->GetEdit()->Focused(); }, 3000);
  box->GetEdit()->SetSelStart(2);
  Key(box->GetEdit(), Qt::Key_X, "x");
  Key(box->GetEdit(), Qt::Key_3, "3");
  EXPECT_EQ(box->GetText(), "123");
}

TEST(CurvyEditLook, RoundedBodyOverTheParentWithTheBodyColour) {
  FormStage stage;
  stage.form->SetColor(RGB(0x1E, 0x22, 0x28));
  auto* box = ValueBox(stage, "box", 20, 20, 70);
  box->SetColor(16777183);
  box->SetText("19.7Hz");
  stage.form->Show();
  DrainEvents();
  QImage shot = stage.form->GetWidget()->grab().toImage();
  shot.save(QString::fromStdString(::testing::TempDir() + "curvyedit.png"));
  // Red 223, green 255, blue 255 in the body and in the edit alike.
  EXPECT_EQ(shot.pixel(20 + 3, 20 + 12), qRgb(223, 255, 255));
  EXPECT_EQ(shot.pixel(20 + 35, 20 + 20), qRgb(223, 255, 255));
}

// The corners outside the rounding show the parent.
TEST(CurvyEditLook, CornersShowTheParent) {
  FormStage stage;
  stage.form->SetColor(RGB(0x1E, 0x22, 0x28));
  auto* box = ValueBox(stage, "box", 20, 20, 70);
  box->SetColor(16777183);
  stage.form->Show();
  DrainEvents();
  QImage shot = stage.form->GetWidget()->grab().toImage();
  EXPECT_EQ(shot.pixel(20, 20), qRgb(0x1E, 0x22, 0x28));
  EXPECT_EQ(shot.pixel(21, 21), qRgb(0x1E, 0x22, 0x28));
}

}  // namespace
