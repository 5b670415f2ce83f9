// The two builder dialogs offscreen: the user's picks make the codes of the
// code model, each row shows the type's lists, the texts are the design's
// in both languages, the Chinese lists take typed and composed text, and a
// showing keeps what the last one left.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTimer>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "Rs232TestTables.h"
#include "platform/classlib/ControlImage.h"
#include "platform/classlib/ExtCtrlsControls.h"
#include "platform/classlib/StdCtrls.h"
#include "rs232codes/Frs232cmd.h"
#include "tests/platform/classlib/ClassLibTestSupport.h"

using namespace classlib_test;
using namespace rs232_test;

namespace {

// One dialog of either language, freed at the end of the test.
std::unique_ptr<TfmRs232Cmd> MakeDialog(TRs232TextSet textSet) {
  App();
  if (textSet == TRs232TextSet::English) return std::make_unique<TfmRs232CmdEnglish>(nullptr);
  return std::make_unique<TfmRs232Cmd>(nullptr);
}

// What the user's choice in the drop-down does to the toolkit's list.
void Pick(TComboBox* list, int index) {
  ASSERT_TRUE(list->GetVisible()) << list->GetName() << " is not in front";
  static_cast<QComboBox*>(list->GetWidget())->setCurrentIndex(index);
}

void ClickBox(TCheckBox* box) {
  static_cast<QAbstractButton*>(box->GetWidget())->click();
}

struct PickStep {
  TRs232List list;  // gbMatrix: the box whose Tag is index
  int index;
};

// The steps through the dialog, and the same through a bare code model.
void PickAll(TfmRs232Cmd* dialog, int type, const std::vector<PickStep>& steps) {
  Pick(dialog->cbType, type);
  for (const PickStep& s : steps) {
    if (s.list == TRs232List::gbMatrix)
      ClickBox(dialog->ckb2In[s.index]);
    else
      Pick(dialog->ValueList(s.list), s.index);
  }
}

Rs232ControlCode ModelOf(Rs232ControlCode code, int type, const std::vector<PickStep>& steps) {
  code.TypeChange(type);
  for (const PickStep& s : steps) {
    if (s.list == TRs232List::gbMatrix)
      code.MatrixClick(s.index, !code.GetMatrixInput(s.index));
    else
      code.ValueChange(s.list, s.index);
  }
  return code;
}

// The list in front of each row, as the user sees it: the only one shown,
// or the matrix box over rows 2 and 3.
std::vector<std::string> SeenRows(TfmRs232Cmd* dialog) {
  std::vector<std::string> seen(3);
  for (int i = 0; i < Rs232ValueListCount; ++i) {
    TComboBox* list = dialog->ValueList(static_cast<TRs232List>(i));
    const int row = Rs232ListInfo(static_cast<TRs232List>(i)).Row;
    if (list->GetVisible()) seen[row - 1] += (seen[row - 1].empty() ? "" : "+") + list->GetName();
  }
  for (int row : {1, 2}) {
    if (dialog->gbMatrix->GetVisible()) seen[row] += (seen[row].empty() ? "" : "+") + std::string("gbMatrix");
  }
  return seen;
}

std::vector<std::string> ExpectedRows(TRs232List row1, TRs232List row2, TRs232List row3) {
  return {Rs232ListInfo(row1).Name, Rs232ListInfo(row2).Name, Rs232ListInfo(row3).Name};
}

TEST(Rs232CmdDialog, EveryTypeShowsItsCodeAndItsListsInFront) {
  for (TRs232TextSet textSet : kBoth) {
    SCOPED_TRACE(LanguageName(textSet));
    auto dialog = MakeDialog(textSet);
    EXPECT_EQ(dialog->edRemoteCtrl->GetText(), "7B7D01400000007D7B");
    EXPECT_EQ(SeenRows(dialog.get()),
              ExpectedRows(TRs232List::cb1FactoryUserSel, TRs232List::cb2F00Sel, TRs232List::cb3NullSel));
    Pick(dialog->cbId, 16);
    for (int t = 0; t < static_cast<int>(kTypes.size()); ++t) {
      const TypeCase& c = kTypes[t];
      SCOPED_TRACE(c.english);
      Pick(dialog->cbType, t);
      std::string code = c.code;
      EXPECT_EQ(dialog->edRemoteCtrl->GetText(), code.replace(4, 2, "11"));
      EXPECT_EQ(SeenRows(dialog.get()),
                c.row2 == TRs232List::gbMatrix
                    ? (std::vector<std::string>{Rs232ListInfo(c.row1).Name, "gbMatrix", "gbMatrix"})
                    : ExpectedRows(c.row1, c.row2, c.row3));
    }
  }
}

TEST(Rs232CmdDialog, PicksMakeTheCodesOfTheModel) {
  using L = TRs232List;
  struct Case {
    const char* name;
    int type;
    std::vector<PickStep> steps;
    const char* code;
    int idIndex = 0;
  };
  const std::vector<Case> cases = {
      {"User with U21", 0, {{L::cb1FactoryUserSel, 1}, {L::cb2PresetSel, 20}}, "7B7D01400114007D7B"},
      {"back to Factory",
       3,
       {{L::cb1FactoryUserSel, 1}, {L::cb2PresetSel, 20}, {L::cb1FactoryUserSel, 0}},
       "7B7D01430000007D7B"},
      {"ID 250 on an input volume",
       4,
       {{L::cb1InChannelSel, 7}, {L::cb2Volume, 280}},
       "7B7DFA440701187D7B",
       249},
      {"Output6 decreases",
       19,
       {{L::cb1InOutSel, 1}, {L::cb2OutChSel, 5}, {L::cb3IncDecSel, 1}},
       "7B7D01540105017D7B"},
      {"matrix output 3 from Input1",
       14,
       {{L::cb2InChSel, 3}, {L::cb3OnOffSel, 1}, {L::cb1OutChannelSel, 2}},
       "7B7D014E0200017D7B"},
      {"level of the Aux", 13, {{L::cb1InOutAuxSel, 2}}, "7B7D014D0200007D7B"},
      {"group gain 100", 30, {{L::cb1GroupSel, 7}, {L::cb2Gain, 100}}, "7B7D01660764007D7B"},
      {"Group Matrix In1 and In8", 33, {{L::gbMatrix, 0}, {L::gbMatrix, 7}}, "7B7D01690000817D7B"},
      {"then In1 cleared", 33, {{L::gbMatrix, 0}, {L::gbMatrix, 7}, {L::gbMatrix, 0}}, "7B7D01690000807D7B"},
      {"In FBQ level 2 of Input3", 22, {{L::cb2InChSel, 2}, {L::cb3LevelSel, 2}}, "7B7D01570002027D7B"},
      {"camera on", 20, {{L::cb2CameraMixEff, 1}, {L::cb3OnOffSel, 1}}, "7B7D01550201017D7B"},
  };
  for (TRs232TextSet textSet : kBoth) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(LanguageName(textSet)) + ": " + c.name);
      auto dialog = MakeDialog(textSet);
      Pick(dialog->cbId, c.idIndex);
      PickAll(dialog.get(), c.type, c.steps);
      EXPECT_EQ(dialog->edRemoteCtrl->GetText(), c.code);
      Rs232ControlCode model;
      model.IdChange(c.idIndex);
      model = ModelOf(std::move(model), c.type, c.steps);
      EXPECT_EQ(dialog->edRemoteCtrl->GetText(), model.GetCodeText());
      // Every list shows what the model holds.
      for (int i = 0; i < Rs232ValueListCount; ++i) {
        const auto which = static_cast<L>(i);
        EXPECT_EQ(dialog->ValueList(which)->GetItemIndex(), model.GetItemIndex(which))
            << Rs232ListInfo(which).Name;
      }
      for (int tag = 0; tag < Rs232MatrixInputs; ++tag)
        EXPECT_EQ(dialog->ckb2In[tag]->GetChecked(), model.GetMatrixInput(tag));
    }
  }
}

// A type change clears the ticked boxes without their handler: the code's
// V3 comes from the template, and the boxes count from nothing again.
TEST(Rs232CmdDialog, ATypeChangeClearsTheMatrixBoxesSilently) {
  auto dialog = MakeDialog(TRs232TextSet::English);
  PickAll(dialog.get(), 33, {{TRs232List::gbMatrix, 0}, {TRs232List::gbMatrix, 7}});
  ASSERT_EQ(dialog->edRemoteCtrl->GetText(), "7B7D01690000817D7B");
  Pick(dialog->cbType, 21);
  EXPECT_EQ(dialog->edRemoteCtrl->GetText(), "7B7D01560000007D7B");
  for (TCheckBox* box : dialog->ckb2In) EXPECT_FALSE(box->GetChecked());
  ClickBox(dialog->ckb2In[2]);
  EXPECT_EQ(dialog->edRemoteCtrl->GetText(), "7B7D01560000047D7B");
}

// "Sub Gain Control" shows Increase again when a new side resets V2.
TEST(Rs232CmdDialog, ANewSideShowsTheIncreaseItsCodeSays) {
  for (TRs232TextSet textSet : kBoth) {
    SCOPED_TRACE(LanguageName(textSet));
    auto dialog = MakeDialog(textSet);
    TComboBox* incDec = dialog->ValueList(TRs232List::cb2IncDecSel);
    PickAll(dialog.get(), 7, {{TRs232List::cb2IncDecSel, 1}});
    ASSERT_EQ(dialog->edRemoteCtrl->GetText(), "7B7D01470001007D7B");
    Pick(dialog->ValueList(TRs232List::cb1InOutSel), 1);
    EXPECT_EQ(dialog->edRemoteCtrl->GetText(), "7B7D01470100007D7B");
    EXPECT_TRUE(incDec->GetVisible());
    EXPECT_EQ(incDec->GetText(), textSet == TRs232TextSet::English ? "Increase" : "递增");
  }
}

// The dialog ends its modal showing once it has come up.
TModalResult ShowAndClose(TfmRs232Cmd* dialog, const std::function<void()>& whileShown = {}) {
  QTimer::singleShot(0, [dialog, whileShown] {
    PumpUntil([dialog] { return dialog->GetVisible(); }, 3000);
    if (whileShown) whileShown();
    dialog->Close();
  });
  return dialog->ShowModal();
}

TEST(Rs232CmdDialog, ClosingAndReopeningKeepsTypeValuesAndCode) {
  for (TRs232TextSet textSet : kBoth) {
    SCOPED_TRACE(LanguageName(textSet));
    auto dialog = MakeDialog(textSet);
    // Shown once before any pick: the Chinese type list still has none.
    ShowAndClose(dialog.get());
    EXPECT_EQ(dialog->cbType->GetItemIndex(), textSet == TRs232TextSet::English ? 0 : -1);
    ShowAndClose(dialog.get(), [&] {
      Pick(dialog->cbId, 4);
      PickAll(dialog.get(), 5, {{TRs232List::cb1OutChannelSel, 3}, {TRs232List::cb2Volume, 300}});
    });
    const std::string code = dialog->edRemoteCtrl->GetText();
    ASSERT_EQ(code, "7B7D054503012C7D7B");
    const std::vector<std::string> rows = SeenRows(dialog.get());
    std::string shownWhileOpen;
    ShowAndClose(dialog.get(), [&] { shownWhileOpen = dialog->edRemoteCtrl->GetText(); });
    EXPECT_EQ(shownWhileOpen, code);
    EXPECT_EQ(dialog->edRemoteCtrl->GetText(), code);
    EXPECT_EQ(dialog->cbType->GetItemIndex(), 5);
    EXPECT_EQ(dialog->cbId->GetItemIndex(), 4);
    EXPECT_EQ(dialog->ValueList(TRs232List::cb2Volume)->GetText(), "+2.0dB");
    EXPECT_EQ(SeenRows(dialog.get()), rows);
  }
}

// ---------------------------------------------------------------- typed text

void SendToFocus(QInputMethodEvent& e) {
  QObject* target = QGuiApplication::focusObject();
  ASSERT_NE(target, nullptr);
  QCoreApplication::sendEvent(target, &e);
}

// Replaces the list's text as the user does: the whole text selected, then
// each character typed, or the whole text composed and committed at once.
void Enter(TComboBox* list, const std::string& text, bool inputMethod) {
  QLineEdit* edit = static_cast<QComboBox*>(list->GetWidget())->lineEdit();
  ASSERT_NE(edit, nullptr) << list->GetName() << " takes no typed text";
  list->SetFocus();
  DrainEvents();
  ASSERT_TRUE(list->Focused());
  edit->selectAll();
  Key(list, Qt::Key_Backspace);
  const QString q = QString::fromStdString(text);
  if (inputMethod) {
    QInputMethodEvent compose(q, {});
    SendToFocus(compose);
    QInputMethodEvent commit;
    commit.setCommitString(q);
    SendToFocus(commit);
  } else {
    for (QChar ch : q) Key(list, ch.isDigit() ? Qt::Key_0 + ch.digitValue() : Qt::Key_unknown, QString(ch));
  }
  DrainEvents();
}

TEST(Rs232CmdDialog, TypedTextPicksOnlyAnExactEntry) {
  using L = TRs232List;
  struct Case {
    const char* name;
    std::vector<PickStep> setUpSteps;  // picks before the typing
    int setUpType;                     // -1: no type picked
    const char* list;
    const char* text;
    // What picking would have done instead: the type, the ID or the list
    // and its index; none when the text names no entry to take.
    std::function<void(Rs232ControlCode&)> picked;
    const char* shownAfter;  // once the focus has gone
    int indexAfter;
  };
  const std::vector<Case> cases = {
      {"the first type's list at start, an exact type",
       {},
       -1,
       "cbType",
       "增益控制",
       [](Rs232ControlCode& c) { c.TypeChange(1); },
       "增益控制",
       1},
      {"at start, a prefix of a type", {}, -1, "cbType", "增益", nullptr, "调用预设矩阵", -1},
      {"at start, unrelated text", {}, -1, "cbType", "xyz", nullptr, "调用预设矩阵", -1},
      {"at start, empty text", {}, -1, "cbType", "", nullptr, "调用预设矩阵", -1},
      {"the type already chosen keeps the values",
       {{L::cb1InChannelSel, 3}, {L::cb2Volume, 100}},
       4,
       "cbType",
       "输入音量控制",
       nullptr,
       "输入音量控制",
       4},
      {"another type",
       {{L::cb2Volume, 100}},
       4,
       "cbType",
       "读取全矩阵码值",
       [](Rs232ControlCode& c) { c.TypeChange(28); },
       "读取全矩阵码值",
       28},
      {"a two-digit ID",
       {{L::cb2Volume, 100}},
       4,
       "cbId",
       "25",
       [](Rs232ControlCode& c) { c.IdChange(24); },
       "25",
       24},
      {"no such ID", {}, 4, "cbId", "0", nullptr, "1", 0},
      {"a side",
       {},
       1,
       "cb1InOutSel",
       "输出",
       [](Rs232ControlCode& c) { c.ValueChange(L::cb1InOutSel, 1); },
       "输出",
       1},
      {"a prefix of a side", {}, 1, "cb1InOutSel", "输", nullptr, "输入", 0},
      {"a volume",
       {},
       4,
       "cb2Volume",
       "+0.0dB",
       [](Rs232ControlCode& c) { c.ValueChange(L::cb2Volume, 280); },
       "+0.0dB",
       280},
      {"a volume without its blank", {{L::cb2Volume, 7}}, 4, "cb2Volume", "-9.9dB", nullptr, "-56.5dB", 7},
  };
  for (bool inputMethod : {false, true}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(inputMethod ? "composed: " : "typed: ") + c.name);
      auto dialog = MakeDialog(TRs232TextSet::Chinese);
      ShowAndActivate(dialog.get());
      Rs232ControlCode model(false);
      if (c.setUpType >= 0) {
        PickAll(dialog.get(), c.setUpType, c.setUpSteps);
        model = ModelOf(model, c.setUpType, c.setUpSteps);
      }
      auto* list = dynamic_cast<TComboBox*>(dialog->FindComponent(c.list));
      ASSERT_NE(list, nullptr);
      Enter(list, c.text, inputMethod);
      if (c.picked) c.picked(model);
      const std::string code = dialog->edRemoteCtrl->GetText();
      EXPECT_EQ(code.size(), 18u);
      EXPECT_EQ(code, model.GetCodeText());
      EXPECT_EQ(dialog->cbType->GetItemIndex(), model.GetTypeIndex());
      // The focus leaves: the list shows its entry again.
      (list == dialog->cbId ? dialog->cbType : dialog->cbId)->SetFocus();
      DrainEvents();
      EXPECT_EQ(list->GetText(), c.shownAfter);
      EXPECT_EQ(list->GetItemIndex(), c.indexAfter);
      EXPECT_EQ(dialog->edRemoteCtrl->GetText(), code);
      dialog->Hide();
    }
  }
}

// ---------------------------------------------------------------- texts, layout, look

std::vector<std::string> Seq(const std::string& prefix, int first, int last, bool twoDigits = false) {
  std::vector<std::string> out;
  for (int n = first; n <= last; ++n)
    out.push_back(prefix + (twoDigits && n < 10 ? "0" : "") + std::to_string(n));
  return out;
}

std::vector<std::string> Items(TComboBox* list) {
  std::vector<std::string> out;
  for (int i = 0; i < list->GetItems()->GetCount(); ++i) out.push_back(list->GetItems()->Get(i));
  return out;
}

TEST(Rs232CmdDialog, TextsOfBothLanguages) {
  using Strings = std::vector<std::string>;
  struct Text {
    const char* name;
    Strings english;
    Strings chinese;
  };
  const Strings inCh = Seq("Input", 1, 8), inChZh = Seq("输入通道", 1, 8);
  const Strings outCh = Seq("Output", 1, 8), outChZh = Seq("输出通道", 1, 8);
  const Strings auxCam = {"Aux", "Camera", "AutoMix"}, auxCamZh = {"辅助", "摄像跟踪", "自动混音"};
  const Strings incDec = {"Increase", "Decrease"}, incDecZh = {"递增", "递減"};
  const Strings mute = {"UnMute", "Mute"}, muteZh = {"静音取消", "静音设置"};
  Strings groups = Seq("Group Input", 1, 4), groupsZh = Seq("输入群组", 1, 4);
  for (const std::string& g : Seq("Group Output", 1, 4)) groups.push_back(g);
  for (const std::string& g : Seq("输出群组", 1, 4)) groupsZh.push_back(g);
  Strings typesEn, typesZh;
  for (const TypeCase& t : kTypes) {
    typesEn.push_back(t.english);
    typesZh.push_back(t.chinese);
  }
  // Captions are one entry long.
  const std::vector<Text> texts = {
      {"", {"RS232 Remote Control Code"}, {"232通讯协议代码"}},
      {"gbCommand", {" Command "}, {" 命令 "}},
      {"lbType", {"Type  : "}, {"类别  : "}},
      {"lbId", {"   ID  : "}, {"位址  : "}},
      {"gbParameter", {" Parameters "}, {" 参数 "}},
      {"lbValue1", {"Value1 : "}, {"数值1 : "}},
      {"lbValue2", {"Value2 : "}, {"数值2 : "}},
      {"lbValue3", {"Value3 : "}, {"数值3 : "}},
      {"lbRemoteCtrl", {"Remote Control Code"}, {"通讯代码"}},
      {"ckb2In1", {"In1"}, {"In1"}},
      {"ckb2In8", {"In8"}, {"In8"}},
      {"cbType", typesEn, typesZh},
      {"cbId", Seq("", 1, 250), Seq("", 1, 250)},
      {"cb1FactoryUserSel", {"Factory", "User"}, {"出厂预设", "使用者预设"}},
      {"cb1InOutSel", {"Input", "Output"}, {"输入", "输出"}},
      {"cb1InChannelSel", inCh, inChZh},
      {"cb1OutChannelSel", outCh, outChZh},
      {"cb1InOutAuxSel", {"Input", "Output", "Aux"}, {"输入", "输出", "辅助"}},
      {"cb1AuxEffSel", {"Aux"}, {"辅助"}},
      {"cb1AuxCameraMixEffSel", auxCam, auxCamZh},
      {"cb1GroupSel", groups, groupsZh},
      {"cb1Show02lSel", {"02"}, {"02"}},
      {"cb1NullSel", {}, {}},
      {"cb2PresetSel", Seq("U", 1, 21, true), Seq("U", 1, 21, true)},
      {"cb2F00Sel", {"F00"}, {"F00"}},
      {"cb2InChSel", inCh, inChZh},
      {"cb2OutChSel", outCh, outChZh},
      {"cb2Gain", Seq("", 0, 100), Seq("", 0, 100)},
      {"cb2IncDecSel", incDec, incDecZh},
      {"cb2MuteSel", mute, muteZh},
      {"cb2CameraMixEff", auxCam, auxCamZh},
      {"cb2AuxCameraMixEffSel", auxCam, auxCamZh},
      {"cb2NullSel", {}, {}},
      {"cb3IncDecSel", incDec, incDecZh},
      {"cb3MuteSel", mute, muteZh},
      {"cb3OnOffSel", {"Off", "On"}, {"关", "开"}},
      {"cb3LevelSel",
       {"Off", "Level1", "Level2", "Level3", "Level4"},
       {"關", "1 檔", "2 檔", "3 檔", "4 檔"}},
      {"cb3NullSel", {}, {}},
  };
  for (TRs232TextSet textSet : kBoth) {
    auto dialog = MakeDialog(textSet);
    const bool english = textSet == TRs232TextSet::English;
    for (const Text& t : texts) {
      SCOPED_TRACE(std::string(LanguageName(textSet)) + " " + t.name);
      const Strings& expected = english ? t.english : t.chinese;
      TComponent* c = *t.name ? dialog->FindComponent(t.name) : dialog.get();
      ASSERT_NE(c, nullptr);
      if (auto* list = dynamic_cast<TComboBox*>(c))
        EXPECT_EQ(Items(list), expected);
      else
        EXPECT_EQ(Strings{static_cast<TControl*>(c)->GetCaption()}, expected);
    }
    EXPECT_EQ(Items(dialog->ValueList(TRs232List::cb2Volume)).size(), 401u);
  }
}

TEST(Rs232CmdDialog, LayoutAndStylesOfBothDialogs) {
  struct Place {
    const char* name;
    int left, top, width, height;
  };
  const std::vector<Place> places = {
      {"imLinkSelIn", 0, 0, 392, 405},    {"gbCommand", 24, 16, 345, 121},
      {"cbType", 84, 31, 229, 22},        {"cbId", 84, 71, 229, 22},
      {"gbParameter", 24, 143, 345, 180}, {"cb1InOutSel", 84, 32, 229, 22},
      {"cb2Volume", 84, 80, 229, 22},     {"cb3NullSel", 84, 128, 229, 22},
      {"gbMatrix", 84, 72, 230, 89},      {"edRemoteCtrl", 24, 355, 345, 27},
  };
  const std::vector<std::string> typed = {
      "cbType",       "cbId",       "cb1FactoryUserSel", "cb1InOutSel", "cb1InChannelSel", "cb1OutChannelSel",
      "cb2PresetSel", "cb2InChSel", "cb2OutChSel",       "cb2Volume",   "cb3IncDecSel",    "cb3MuteSel"};
  for (TRs232TextSet textSet : kBoth) {
    SCOPED_TRACE(LanguageName(textSet));
    auto dialog = MakeDialog(textSet);
    const bool english = textSet == TRs232TextSet::English;
    EXPECT_EQ(dialog->GetName(), english ? "fmRs232CmdEnglish" : "fmRs232Cmd");
    EXPECT_EQ(dialog->GetClientWidth(), 392);
    EXPECT_EQ(dialog->GetClientHeight(), 405);
    EXPECT_EQ(dialog->GetPosition(), poScreenCenter);
    EXPECT_EQ(dialog->GetBorderIcons(), TBorderIcons{biSystemMenu});
    for (const Place& p : places) {
      auto* c = dynamic_cast<TControl*>(dialog->FindComponent(p.name));
      ASSERT_NE(c, nullptr) << p.name;
      EXPECT_EQ((std::vector<int>{c->GetLeft(), c->GetTop(), c->GetWidth(), c->GetHeight()}),
                (std::vector<int>{p.left, p.top, p.width, p.height}))
          << p.name;
    }
    // Which lists take typed text, and what the others are.
    int lists = 0;
    for (int i = 0; i < dialog->GetComponentCount(); ++i) {
      auto* list = dynamic_cast<TComboBox*>(dialog->GetComponents(i));
      if (!list) continue;
      ++lists;
      const bool takesText =
          !english && std::find(typed.begin(), typed.end(), list->GetName()) != typed.end();
      EXPECT_EQ(list->GetStyle(), takesText ? csDropDown : csOwnerDrawFixed) << list->GetName();
      EXPECT_EQ(list->GetFont()->GetName(), "MS Sans Serif");
      EXPECT_EQ(list->GetFont()->GetHeight(), -16);
    }
    EXPECT_EQ(lists, 2 + Rs232ValueListCount);
    EXPECT_EQ(dialog->gbCommand->GetColor(), static_cast<TColor>(0xD8D8D8));
    EXPECT_EQ(dialog->gbParameter->GetColor(), static_cast<TColor>(0xD8D8D8));
    EXPECT_EQ(dialog->gbCommand->GetFont()->GetName(), "Times New Roman");
    EXPECT_EQ(dialog->lbValue2->GetFont()->GetName(), "Times New Roman");
    EXPECT_EQ(dialog->ValueList(TRs232List::cb2F00Sel)->GetColor(), clSilver);
    EXPECT_FALSE(dialog->gbMatrix->GetVisible());
    for (int tag = 0; tag < Rs232MatrixInputs; ++tag) EXPECT_EQ(dialog->ckb2In[tag]->GetTag(), tag);
    TEdit* code = dialog->edRemoteCtrl;
    EXPECT_TRUE(code->GetReadOnly());
    EXPECT_EQ(code->GetAlignment(), taCenter);
    EXPECT_EQ(code->GetCharCase(), ecUpperCase);
    EXPECT_FALSE(code->GetTabStop());
    EXPECT_EQ(code->GetColor(), static_cast<TColor>(0xFFFFDF));
    EXPECT_EQ(code->GetFont()->GetColor(), clRed);
    EXPECT_TRUE(code->GetFont()->GetStyle().Contains(fsBold));
    EXPECT_EQ(code->GetFont()->GetHeight(), -16);
    // The Chinese type list shows the first type with none selected.
    EXPECT_EQ(dialog->cbType->GetItemIndex(), english ? 0 : -1);
    EXPECT_EQ(dialog->cbType->GetText(), english ? "Load Preset Matrix" : "调用预设矩阵");
    EXPECT_EQ(dialog->cbId->GetText(), "1");
  }
}

// Every entry of every list fits the list's 229 pixels beside its arrow.
TEST(Rs232CmdDialog, EveryEntryFitsItsList) {
  for (TRs232TextSet textSet : kBoth) {
    auto dialog = MakeDialog(textSet);
    TBitmap probe(8, 8);
    TCanvas* canvas = probe.GetCanvas();
    std::vector<TComboBox*> lists = {dialog->cbType, dialog->cbId};
    for (int i = 0; i < Rs232ValueListCount; ++i)
      lists.push_back(dialog->ValueList(static_cast<TRs232List>(i)));
    for (TComboBox* list : lists) {
      canvas->Font->Assign(list->GetFont());
      for (const std::string& entry : Items(list))
        EXPECT_LE(canvas->TextWidth(entry), 229 - 30) << LanguageName(textSet) << " " << entry;
    }
  }
}

// Pictures for a look by eye: a volume type, a matrix type with ticked
// boxes, and the first type with "User"; in the test's temporary folder and
// in TAVO_RENDER_DIR when set.
TEST(Rs232CmdDialog, RendersBothDialogs) {
  using L = TRs232List;
  struct Shot {
    const char* name;
    int type;
    std::vector<PickStep> steps;
  };
  const std::vector<Shot> shots = {
      {"volume", 5, {{L::cb1OutChannelSel, 2}, {L::cb2Volume, 190}}},
      {"matrix", 33, {{L::cb1GroupSel, 5}, {L::gbMatrix, 0}, {L::gbMatrix, 3}, {L::gbMatrix, 6}}},
      {"user-preset", 0, {{L::cb1FactoryUserSel, 1}, {L::cb2PresetSel, 11}}},
  };
  for (TRs232TextSet textSet : kBoth) {
    for (const Shot& s : shots) {
      auto dialog = MakeDialog(textSet);
      PickAll(dialog.get(), s.type, s.steps);
      const std::string file = std::string("rs232cmd-") + (textSet == TRs232TextSet::English ? "en" : "zh") +
                               "-" + s.name + ".png";
      EXPECT_TRUE(SaveControlImage(dialog.get(), ::testing::TempDir() + file));
      if (const char* dir = std::getenv("TAVO_RENDER_DIR"); dir && *dir) {
        EXPECT_TRUE(SaveControlImage(dialog.get(), std::string(dir) + "/" + file));
      }
    }
  }
}

}  // namespace
