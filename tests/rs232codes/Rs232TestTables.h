#pragma once
// The command table as the design gives it, for the tests of the code model
// and of the dialogs, and the two languages they come in.

#include <vector>

#include "rs232codes/Rs232ControlCode.h"

namespace rs232_test {

using L = TRs232List;

inline constexpr TRs232TextSet kBoth[] = {TRs232TextSet::English, TRs232TextSet::Chinese};

inline const char* LanguageName(TRs232TextSet t) {
  return t == TRs232TextSet::English ? "English" : "Chinese";
}

struct TypeCase {
  const char* english;
  const char* chinese;
  const char* code;  // after the type change with ID 1
  L row1, row2, row3;
};

inline const std::vector<TypeCase> kTypes = {
    {"Load Preset Matrix", "调用预设矩阵", "7B7D01400000007D7B", L::cb1FactoryUserSel, L::cb2F00Sel,
     L::cb3NullSel},
    {"Gain Control", "增益控制", "7B7D01410000007D7B", L::cb1InOutSel, L::cb2InChSel, L::cb3IncDecSel},
    {"Mute Control", "静音控制", "7B7D01420000007D7B", L::cb1InOutSel, L::cb2InChSel, L::cb3MuteSel},
    {"Load Preset Control", "调用预设控制", "7B7D01430000007D7B", L::cb1FactoryUserSel, L::cb2F00Sel,
     L::cb3NullSel},
    {"Input Volume Control", "输入音量控制", "7B7D01440000007D7B", L::cb1InChannelSel, L::cb2Volume,
     L::cb3NullSel},
    {"Output Volume Control", "输出音量控制", "7B7D01450000007D7B", L::cb1OutChannelSel, L::cb2Volume,
     L::cb3NullSel},
    {"Sub Volume Control", "编组音量控制", "7B7D01460000007D7B", L::cb1InOutSel, L::cb2Gain, L::cb3NullSel},
    {"Sub Gain Control", "编组增益控制", "7B7D01470000007D7B", L::cb1InOutSel, L::cb2IncDecSel,
     L::cb3NullSel},
    {"Get Now Gain", "读取增益码值", "7B7D01480000007D7B", L::cb1InOutSel, L::cb2InChSel, L::cb3NullSel},
    {"Get Mute", "读取静音码值", "7B7D01490000007D7B", L::cb1InOutSel, L::cb2InChSel, L::cb3NullSel},
    {"Get Now Preset", "读取预设码值", "7B7D014A0000007D7B", L::cb1NullSel, L::cb2NullSel, L::cb3NullSel},
    {"Get Now Sub Parameter", "读取编组码值", "7B7D014B0000007D7B", L::cb1InOutSel, L::cb2NullSel,
     L::cb3NullSel},
    {"Sub Mute Control", "编组静音控制", "7B7D014C0000007D7B", L::cb1InOutSel, L::cb2MuteSel, L::cb3NullSel},
    {"Get Now Level ", "读取电平值", "7B7D014D0000007D7B", L::cb1InOutAuxSel, L::cb2InChSel, L::cb3NullSel},
    {"Matrix Control", "矩阵控制", "7B7D014E0000007D7B", L::cb1OutChannelSel, L::cb2InChSel, L::cb3OnOffSel},
    {"Get Matrix", "读取矩阵码值", "7B7D014F0000007D7B", L::cb1OutChannelSel, L::cb2InChSel, L::cb3NullSel},
    {"Aux Gain Control", "辅助增益控制", "7B7D01510200007D7B", L::cb1AuxEffSel, L::cb2NullSel,
     L::cb3IncDecSel},
    {"Aux Mute Control", "辅助静音控制", "7B7D01520200007D7B", L::cb1AuxEffSel, L::cb2NullSel, L::cb3MuteSel},
    {"Aux Volume Control", "辅助音量控制", "7B7D01530200007D7B", L::cb1AuxEffSel, L::cb2Volume,
     L::cb3NullSel},
    {"Volume Step Control", "音量增减控制", "7B7D01540000007D7B", L::cb1InOutSel, L::cb2InChSel,
     L::cb3IncDecSel},
    {"Aux On Off Control", "辅助开关控制", "7B7D01550200007D7B", L::cb1Show02lSel, L::cb2CameraMixEff,
     L::cb3OnOffSel},
    {"Aux Ch Select Control", "辅助输入选择控制", "7B7D01560000007D7B", L::cb1AuxCameraMixEffSel, L::gbMatrix,
     L::gbMatrix},
    {"In FBQ Control", "輸入反馈抑制", "7B7D01570000007D7B", L::cb1NullSel, L::cb2InChSel, L::cb3LevelSel},
    {"Get Aux Now Gain", "读取辅助增益码值", "7B7D01580200007D7B", L::cb1AuxEffSel, L::cb2NullSel,
     L::cb3NullSel},
    {"Get Aux Mute", "读取辅助静音码值", "7B7D01590200007D7B", L::cb1AuxEffSel, L::cb2NullSel, L::cb3NullSel},
    {"Get Aux On Off", "读取辅助开关码值", "7B7D015B0200007D7B", L::cb1Show02lSel, L::cb2CameraMixEff,
     L::cb3NullSel},
    {"Get Aux Ch Select", "读取辅助输入选择码值", "7B7D015C0200007D7B", L::cb1Show02lSel,
     L::cb2AuxCameraMixEffSel, L::cb3NullSel},
    {"Get In FBQ", "读取輸入反馈抑制码值", "7B7D015E0000007D7B", L::cb1NullSel, L::cb2InChSel, L::cb3NullSel},
    {"Get Full Matrix", "读取全矩阵码值", "7B7D01610000007D7B", L::cb1NullSel, L::cb2NullSel, L::cb3NullSel},
    {"Get Group Parameter", "读取群组参数", "7B7D01630000007D7B", L::cb1GroupSel, L::cb2NullSel,
     L::cb3NullSel},
    {"Group Voume Control", "群组音量控制", "7B7D01660000007D7B", L::cb1GroupSel, L::cb2Gain, L::cb3NullSel},
    {"Group Gain Control", "群组增益控制", "7B7D01670000007D7B", L::cb1GroupSel, L::cb2IncDecSel,
     L::cb3NullSel},
    {"Group Mute Control", "群组静音控制", "7B7D01680000007D7B", L::cb1GroupSel, L::cb2MuteSel,
     L::cb3NullSel},
    {"Group Matrix Control", "群组输入选择控制", "7B7D01690000007D7B", L::cb1GroupSel, L::gbMatrix,
     L::gbMatrix},
};

}  // namespace rs232_test
