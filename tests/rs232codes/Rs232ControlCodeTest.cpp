// The control-code builder without a window: the code each command type
// starts from, the digits each pick rewrites, the volume steps, and the
// lists that follow one another.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "Rs232TestTables.h"
#include "rs232codes/Rs232ControlCode.h"

namespace {

using namespace rs232_test;
using L = TRs232List;

std::string WithId(std::string code, const char* id) {
  return code.replace(4, 2, id);
}

bool IsCode(const std::string& code) {
  if (code.size() != 18 || code.compare(0, 4, "7B7D") != 0 || code.compare(14, 4, "7D7B") != 0) return false;
  for (char c : code)
    if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))) return false;
  return true;
}

TEST(Rs232ControlCode, StartsOnTheFirstTypeWithItsListsInFront) {
  for (bool selected : {true, false}) {
    Rs232ControlCode code(selected);
    EXPECT_EQ(code.GetCodeText(), "7B7D01400000007D7B");
    EXPECT_EQ(code.GetTypeIndex(), selected ? 0 : -1);
    EXPECT_EQ(code.GetIdIndex(), 0);
    EXPECT_EQ(code.GetFront(1), L::cb1FactoryUserSel);
    EXPECT_EQ(code.GetFront(2), L::cb2F00Sel);
    EXPECT_EQ(code.GetFront(3), L::cb3NullSel);
    EXPECT_FALSE(code.GetMatrixShown());
    EXPECT_EQ(code.GetItemIndex(L::cb2Volume), 0);
    EXPECT_EQ(code.GetItemIndex(L::cb3NullSel), -1);
  }
}

// Every type from every other state, with ID 1 and with ID 17: its names,
// its code and the lists it brings to the front.
TEST(Rs232ControlCode, EveryTypeChangeGivesItsCodeAndListsAndKeepsTheId) {
  const auto& table = Rs232CommandTable();
  ASSERT_EQ(table.size(), kTypes.size());
  for (auto [idIndex, idText] : {std::pair{0, "01"}, std::pair{16, "11"}}) {
    Rs232ControlCode code;
    ASSERT_TRUE(code.IdChange(idIndex));
    for (int t = 0; t < static_cast<int>(kTypes.size()); ++t) {
      const TypeCase& c = kTypes[t];
      SCOPED_TRACE(std::string(c.english) + " with ID " + idText);
      EXPECT_STREQ(table[t].Name(TRs232TextSet::English), c.english);
      EXPECT_STREQ(table[t].Name(TRs232TextSet::Chinese), c.chinese);
      // Values picked before the change must not leak into the new code.
      code.ValueChange(code.GetFront(1), 1);
      code.ValueChange(L::cb2Volume, 399);
      ASSERT_TRUE(code.TypeChange(t));
      EXPECT_EQ(code.GetCodeText(), WithId(c.code, idText));
      EXPECT_EQ(code.GetTypeIndex(), t);
      EXPECT_EQ(code.GetIdIndex(), idIndex);
      EXPECT_EQ(code.GetFront(1), c.row1);
      EXPECT_EQ(code.GetMatrixShown(), c.row2 == L::gbMatrix);
      if (c.row2 != L::gbMatrix) {
        EXPECT_EQ(code.GetFront(2), c.row2);
        EXPECT_EQ(code.GetFront(3), c.row3);
      }
      EXPECT_EQ(code.GetItemIndex(L::cb2Volume), 0);
      EXPECT_EQ(code.GetItemIndex(c.row1), c.row1 == L::cb1NullSel ? -1 : 0);
    }
  }
  // The example of the design.
  Rs232ControlCode code;
  code.IdChange(16);
  code.TypeChange(20);
  EXPECT_EQ(code.GetCodeText(), "7B7D11550200007D7B");
}

TEST(Rs232ControlCode, TheIdRewritesDigitsFiveAndSixOnly) {
  Rs232ControlCode code;
  code.TypeChange(4);
  code.ValueChange(L::cb1InChannelSel, 7);
  code.ValueChange(L::cb2Volume, 400);
  const std::string before = code.GetCodeText();
  ASSERT_EQ(before, "7B7D01440701907D7B");
  ASSERT_TRUE(code.IdChange(249));
  EXPECT_EQ(code.GetCodeText(), WithId(before, "FA"));
  ASSERT_TRUE(code.IdChange(9));
  EXPECT_EQ(code.GetCodeText(), WithId(before, "0A"));
  // No such ID: nothing changes.
  EXPECT_FALSE(code.IdChange(250));
  EXPECT_FALSE(code.IdChange(-1));
  EXPECT_EQ(code.GetCodeText(), WithId(before, "0A"));
  EXPECT_EQ(code.GetIdIndex(), 9);
}

TEST(Rs232ControlCode, VolumeStepsAndTheirDigits) {
  struct Case {
    int index;
    const char* text;
    const char* digits;
  };
  const std::vector<Case> cases = {
      {0, "-60.0dB", "0000"},   {1, "-59.5dB", "0001"},   {80, "-20.0dB", "0050"},  {81, "-19.9dB", "0051"},
      {180, "-10.0dB", "00B4"}, {181, "- 9.9dB", "00B5"}, {279, "- 0.1dB", "0117"}, {280, "+0.0dB", "0118"},
      {281, "+0.1dB", "0119"},  {380, "+10.0dB", "017C"}, {400, "+12.0dB", "0190"},
  };
  const auto& english = Rs232ListEntries(L::cb2Volume, TRs232TextSet::English);
  ASSERT_EQ(english.size(), 401u);
  EXPECT_EQ(Rs232ListEntries(L::cb2Volume, TRs232TextSet::Chinese), english);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(english[c.index], c.text);
    Rs232ControlCode code;
    code.TypeChange(5);
    ASSERT_TRUE(code.ValueChange(L::cb2Volume, c.index));
    EXPECT_EQ(code.GetCodeText(), std::string("7B7D014500") + c.digits + "7D7B");
  }
  // Every entry has a sign and one decimal, and the steps only rise.
  double last = -1000;
  for (const std::string& e : english) {
    SCOPED_TRACE(e);
    ASSERT_TRUE(e.front() == '+' || e.front() == '-');
    ASSERT_EQ(e.substr(e.size() - 4, 2).front(), '.');
    std::string number = e.substr(1, e.size() - 3);
    if (number.front() == ' ') number.erase(0, 1);
    ASSERT_NE(number.front(), ' ');
    const double value = (e.front() == '-' ? -1 : 1) * std::strtod(number.c_str(), nullptr);
    EXPECT_GT(value, last);
    last = value;
  }
}

// Each pick and what follows it, from the type named; the code and the
// lists in front afterwards.
TEST(Rs232ControlCode, PicksAndTheirCascades) {
  struct Step {
    L list;  // gbMatrix: a matrix box, with index the Tag and ticked by sign
    int index;
    bool ticked = true;
  };
  struct Case {
    const char* name;
    int type;
    std::vector<Step> steps;
    const char* code;
    L row2;
    std::vector<std::pair<L, int>> indices = {};
  };
  const std::vector<Case> cases = {
      {"User with U21",
       0,
       {{L::cb1FactoryUserSel, 1}, {L::cb2PresetSel, 20}},
       "7B7D01400114007D7B",
       L::cb2PresetSel},
      {"User with U21, back to Factory",
       0,
       {{L::cb1FactoryUserSel, 1}, {L::cb2PresetSel, 20}, {L::cb1FactoryUserSel, 0}},
       "7B7D01400000007D7B",
       L::cb2F00Sel,
       {{L::cb2PresetSel, 0}}},
      {"gain 100", 6, {{L::cb2Gain, 100}}, "7B7D01460064007D7B", L::cb2Gain},
      {"the grey Aux stands for 02",
       16,
       {{L::cb3IncDecSel, 1}, {L::cb1AuxEffSel, 0}},
       "7B7D01510200017D7B",
       L::cb2NullSel},
      {"Output channel 6, Decrease",
       1,
       {{L::cb1InOutSel, 1}, {L::cb2OutChSel, 5}, {L::cb3IncDecSel, 1}},
       "7B7D01410105017D7B",
       L::cb2OutChSel},
      {"back to Input resets rows 2 and 3",
       2,
       {{L::cb1InOutSel, 1}, {L::cb2OutChSel, 5}, {L::cb3MuteSel, 1}, {L::cb1InOutSel, 0}},
       "7B7D01420000007D7B",
       L::cb2InChSel,
       {{L::cb2OutChSel, 0}, {L::cb3MuteSel, 0}, {L::cb3IncDecSel, 0}}},
      // Row 2 shows the Decrease that V2 no longer says: it starts over too.
      {"a new side resets Sub Gain's Increase/Decrease",
       7,
       {{L::cb2IncDecSel, 1}, {L::cb1InOutSel, 1}},
       "7B7D01470100007D7B",
       L::cb2IncDecSel,
       {{L::cb2IncDecSel, 0}}},
      {"Sub Volume keeps its gain list",
       6,
       {{L::cb2Gain, 30}, {L::cb1InOutSel, 1}},
       "7B7D01460100007D7B",
       L::cb2Gain},
      {"Sub Parameter has no row 2", 11, {{L::cb1InOutSel, 1}}, "7B7D014B0100007D7B", L::cb2NullSel},
      {"Sub Mute keeps its mute list",
       12,
       {{L::cb2MuteSel, 1}, {L::cb1InOutSel, 1}},
       "7B7D014C0100007D7B",
       L::cb2MuteSel},
      {"Matrix Control: a new output starts from Input1",
       14,
       {{L::cb2InChSel, 3}, {L::cb3OnOffSel, 1}, {L::cb1OutChannelSel, 2}},
       "7B7D014E0200017D7B",
       L::cb2InChSel,
       {{L::cb2InChSel, 0}}},
      {"Get Matrix keeps the input",
       15,
       {{L::cb2InChSel, 3}, {L::cb1OutChannelSel, 2}},
       "7B7D014F0203007D7B",
       L::cb2InChSel},
      {"Get Now Level of the Aux",
       13,
       {{L::cb2InChSel, 4}, {L::cb1InOutAuxSel, 2}},
       "7B7D014D0200007D7B",
       L::cb2NullSel},
      {"Get Now Level of Output7",
       13,
       {{L::cb1InOutAuxSel, 1}, {L::cb2OutChSel, 6}},
       "7B7D014D0106007D7B",
       L::cb2OutChSel},
      {"In FBQ level 4 of Input8",
       22,
       {{L::cb2InChSel, 7}, {L::cb3LevelSel, 4}},
       "7B7D01570007047D7B",
       L::cb2InChSel},
      {"Aux On Off of the AutoMix",
       20,
       {{L::cb2CameraMixEff, 2}, {L::cb3OnOffSel, 1}},
       "7B7D01550202017D7B",
       L::cb2CameraMixEff},
      {"Group Matrix with In1 and In8",
       33,
       {{L::gbMatrix, 0}, {L::gbMatrix, 7}},
       "7B7D01690000817D7B",
       L::gbMatrix},
      {"then In1 cleared",
       33,
       {{L::gbMatrix, 0}, {L::gbMatrix, 7}, {L::gbMatrix, 0, false}},
       "7B7D01690000807D7B",
       L::gbMatrix},
      {"Aux Ch Select of the Camera with In3",
       21,
       {{L::cb1AuxCameraMixEffSel, 1}, {L::gbMatrix, 2}},
       "7B7D01560100047D7B",
       L::gbMatrix},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Rs232ControlCode code;
    ASSERT_TRUE(code.TypeChange(c.type));
    for (const Step& s : c.steps) {
      if (s.list == L::gbMatrix)
        ASSERT_TRUE(code.MatrixClick(s.index, s.ticked));
      else
        ASSERT_TRUE(code.ValueChange(s.list, s.index));
      ASSERT_TRUE(IsCode(code.GetCodeText())) << code.GetCodeText();
    }
    EXPECT_EQ(code.GetCodeText(), c.code);
    if (c.row2 == L::gbMatrix)
      EXPECT_TRUE(code.GetMatrixShown());
    else
      EXPECT_EQ(code.GetFront(2), c.row2);
    for (auto [list, index] : c.indices)
      EXPECT_EQ(code.GetItemIndex(list), index) << Rs232ListInfo(list).Name;
  }
}

TEST(Rs232ControlCode, ATypeChangeClearsTheMatrixAndTakesV3FromTheTemplate) {
  Rs232ControlCode code;
  code.TypeChange(33);
  code.MatrixClick(0, true);
  code.MatrixClick(7, true);
  ASSERT_EQ(code.GetMatrixMask(), 0x81);
  code.TypeChange(21);
  EXPECT_EQ(code.GetMatrixMask(), 0);
  EXPECT_FALSE(code.GetMatrixInput(0));
  EXPECT_EQ(code.GetCodeText(), "7B7D01560000007D7B");
  // Ticks count again from nothing.
  code.MatrixClick(1, true);
  EXPECT_EQ(code.GetCodeText(), "7B7D01560000027D7B");
  // Hidden, the boxes take no ticks.
  code.TypeChange(1);
  EXPECT_FALSE(code.MatrixClick(2, true));
  EXPECT_EQ(code.GetCodeText(), "7B7D01410000007D7B");
}

// What no list can select changes nothing, and the code keeps its 18 digits.
TEST(Rs232ControlCode, PicksOutsideTheListsChangeNothing) {
  Rs232ControlCode code;
  code.TypeChange(1);
  code.ValueChange(L::cb2InChSel, 2);
  const std::string before = code.GetCodeText();
  const std::vector<std::pair<L, int>> refused = {
      {L::cb2InChSel, 8}, {L::cb2InChSel, -1},   {L::cb2Volume, 401}, {L::cb3NullSel, 0},
      {L::cb2F00Sel, 0},  {L::cb1Show02lSel, 0}, {L::gbMatrix, 0},    {static_cast<L>(-3), 0},
  };
  for (auto [list, index] : refused) EXPECT_FALSE(code.ValueChange(list, index));
  EXPECT_FALSE(code.TypeChange(34));
  EXPECT_FALSE(code.TypeChange(-1));
  EXPECT_FALSE(code.MatrixClick(8, true));
  EXPECT_EQ(code.GetCodeText(), before);
  EXPECT_EQ(code.GetTypeIndex(), 1);
  EXPECT_EQ(code.GetItemIndex(L::cb2InChSel), 2);
}

}  // namespace
