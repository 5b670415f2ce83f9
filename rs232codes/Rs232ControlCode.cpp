#include "rs232codes/Rs232ControlCode.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <utility>

namespace {

using L = TRs232List;
using F = TRs232Field;

// The kinds of entries; lists that show the same entries share one.
enum class Entries {
  None,
  FactoryUser,
  InOut,
  InChannel,
  OutChannel,
  InOutAux,
  Aux,
  AuxCameraMix,
  Group,
  Show02,
  Preset,
  F00,
  Volume,
  Gain,
  IncDec,
  Mute,
  OnOff,
  Level,
};

struct ListRow {
  TRs232ListInfo Info;
  Entries Kind;
};

// In the order of TRs232List.
const std::array<ListRow, Rs232ValueListCount + 1> kLists = {{
    {{"cb1FactoryUserSel", 1, F::V1, 0, false, true}, Entries::FactoryUser},
    {{"cb1InOutSel", 1, F::V1, 0, false, true}, Entries::InOut},
    {{"cb1InChannelSel", 1, F::V1, 0, false, true}, Entries::InChannel},
    {{"cb1OutChannelSel", 1, F::V1, 0, false, true}, Entries::OutChannel},
    {{"cb1InOutAuxSel", 1, F::V1, 0, false, false}, Entries::InOutAux},
    {{"cb1AuxEffSel", 1, F::V1, 2, true, false}, Entries::Aux},
    {{"cb1AuxCameraMixEffSel", 1, F::V1, 0, false, false}, Entries::AuxCameraMix},
    {{"cb1GroupSel", 1, F::V1, 0, false, false}, Entries::Group},
    {{"cb1Show02lSel", 1, F::None, 0, true, false}, Entries::Show02},
    {{"cb1NullSel", 1, F::None, 0, true, false}, Entries::None},
    {{"cb2PresetSel", 2, F::V2, 0, false, true}, Entries::Preset},
    {{"cb2F00Sel", 2, F::None, 0, true, false}, Entries::F00},
    {{"cb2InChSel", 2, F::V2, 0, false, true}, Entries::InChannel},
    {{"cb2OutChSel", 2, F::V2, 0, false, true}, Entries::OutChannel},
    {{"cb2Volume", 2, F::Volume, 0, false, true}, Entries::Volume},
    {{"cb2Gain", 2, F::V2, 0, false, false}, Entries::Gain},
    {{"cb2IncDecSel", 2, F::V2, 0, false, false}, Entries::IncDec},
    {{"cb2MuteSel", 2, F::V2, 0, false, false}, Entries::Mute},
    {{"cb2CameraMixEff", 2, F::V2, 0, false, false}, Entries::AuxCameraMix},
    {{"cb2AuxCameraMixEffSel", 2, F::V2, 0, false, false}, Entries::AuxCameraMix},
    {{"cb2NullSel", 2, F::None, 0, true, false}, Entries::None},
    {{"cb3IncDecSel", 3, F::V3, 0, false, true}, Entries::IncDec},
    {{"cb3MuteSel", 3, F::V3, 0, false, true}, Entries::Mute},
    {{"cb3OnOffSel", 3, F::V3, 0, false, false}, Entries::OnOff},
    {{"cb3LevelSel", 3, F::V3, 0, false, false}, Entries::Level},
    {{"cb3NullSel", 3, F::None, 0, true, false}, Entries::None},
    {{"gbMatrix", 2, F::V3, 0, false, false}, Entries::None},
}};

std::string Hex2(unsigned Value) {
  char text[3];
  std::snprintf(text, sizeof text, "%02X", Value & 0xFFu);
  return text;
}

std::vector<std::string> Numbered(const std::string& Prefix, int First, int Last, const char* Format = "%d") {
  std::vector<std::string> out;
  for (int n = First; n <= Last; ++n) {
    char number[8];
    std::snprintf(number, sizeof number, Format, n);
    out.push_back(Prefix + number);
  }
  return out;
}

std::vector<std::string> Joined(std::vector<std::string> A, const std::vector<std::string>& B) {
  A.insert(A.end(), B.begin(), B.end());
  return A;
}

using EntryPair = std::pair<std::vector<std::string>, std::vector<std::string>>;  // English, Chinese

EntryPair Same(std::vector<std::string> Both) {
  return {Both, Both};
}

const EntryPair& EntriesOf(Entries Kind) {
  static const std::map<Entries, EntryPair> table = [] {
    std::vector<std::string> volume;
    for (int i = 0; i <= 400; ++i) volume.push_back(Rs232VolumeText(i));
    return std::map<Entries, EntryPair>{
        {Entries::None, {}},
        {Entries::FactoryUser, {{"Factory", "User"}, {"出厂预设", "使用者预设"}}},
        {Entries::InOut, {{"Input", "Output"}, {"输入", "输出"}}},
        {Entries::InChannel, {Numbered("Input", 1, 8), Numbered("输入通道", 1, 8)}},
        {Entries::OutChannel, {Numbered("Output", 1, 8), Numbered("输出通道", 1, 8)}},
        {Entries::InOutAux, {{"Input", "Output", "Aux"}, {"输入", "输出", "辅助"}}},
        {Entries::Aux, {{"Aux"}, {"辅助"}}},
        {Entries::AuxCameraMix, {{"Aux", "Camera", "AutoMix"}, {"辅助", "摄像跟踪", "自动混音"}}},
        {Entries::Group,
         {Joined(Numbered("Group Input", 1, 4), Numbered("Group Output", 1, 4)),
          Joined(Numbered("输入群组", 1, 4), Numbered("输出群组", 1, 4))}},
        {Entries::Show02, Same({"02"})},
        {Entries::Preset, Same(Numbered("U", 1, 21, "%02d"))},
        {Entries::F00, Same({"F00"})},
        {Entries::Volume, Same(volume)},
        {Entries::Gain, Same(Numbered("", 0, 100))},
        {Entries::IncDec, {{"Increase", "Decrease"}, {"递增", "递減"}}},
        {Entries::Mute, {{"UnMute", "Mute"}, {"静音取消", "静音设置"}}},
        {Entries::OnOff, {{"Off", "On"}, {"关", "开"}}},
        {Entries::Level,
         {{"Off", "Level1", "Level2", "Level3", "Level4"}, {"關", "1 檔", "2 檔", "3 檔", "4 檔"}}},
    };
  }();
  return table.at(Kind);
}

// The command types; a template is given only where the type has its own.
const std::array<TRs232CommandType, Rs232CommandTypeCount> kCommands = {{
    {"Load Preset Matrix",
     "调用预设矩阵",
     0x40,
     nullptr,
     {L::cb1FactoryUserSel, L::cb2F00Sel, L::cb3NullSel}},
    {"Gain Control", "增益控制", 0x41, nullptr, {L::cb1InOutSel, L::cb2InChSel, L::cb3IncDecSel}},
    {"Mute Control", "静音控制", 0x42, nullptr, {L::cb1InOutSel, L::cb2InChSel, L::cb3MuteSel}},
    {"Load Preset Control",
     "调用预设控制",
     0x43,
     nullptr,
     {L::cb1FactoryUserSel, L::cb2F00Sel, L::cb3NullSel}},
    {"Input Volume Control",
     "输入音量控制",
     0x44,
     nullptr,
     {L::cb1InChannelSel, L::cb2Volume, L::cb3NullSel}},
    {"Output Volume Control",
     "输出音量控制",
     0x45,
     nullptr,
     {L::cb1OutChannelSel, L::cb2Volume, L::cb3NullSel}},
    {"Sub Volume Control", "编组音量控制", 0x46, nullptr, {L::cb1InOutSel, L::cb2Gain, L::cb3NullSel}},
    {"Sub Gain Control", "编组增益控制", 0x47, nullptr, {L::cb1InOutSel, L::cb2IncDecSel, L::cb3NullSel}},
    {"Get Now Gain", "读取增益码值", 0x48, nullptr, {L::cb1InOutSel, L::cb2InChSel, L::cb3NullSel}},
    {"Get Mute", "读取静音码值", 0x49, nullptr, {L::cb1InOutSel, L::cb2InChSel, L::cb3NullSel}},
    {"Get Now Preset", "读取预设码值", 0x4A, nullptr, {L::cb1NullSel, L::cb2NullSel, L::cb3NullSel}},
    {"Get Now Sub Parameter", "读取编组码值", 0x4B, nullptr, {L::cb1InOutSel, L::cb2NullSel, L::cb3NullSel}},
    {"Sub Mute Control", "编组静音控制", 0x4C, nullptr, {L::cb1InOutSel, L::cb2MuteSel, L::cb3NullSel}},
    {"Get Now Level ", "读取电平值", 0x4D, nullptr, {L::cb1InOutAuxSel, L::cb2InChSel, L::cb3NullSel}},
    {"Matrix Control", "矩阵控制", 0x4E, nullptr, {L::cb1OutChannelSel, L::cb2InChSel, L::cb3OnOffSel}},
    {"Get Matrix", "读取矩阵码值", 0x4F, nullptr, {L::cb1OutChannelSel, L::cb2InChSel, L::cb3NullSel}},
    {"Aux Gain Control",
     "辅助增益控制",
     0x51,
     "7B7D01510200007D7B",
     {L::cb1AuxEffSel, L::cb2NullSel, L::cb3IncDecSel}},
    {"Aux Mute Control",
     "辅助静音控制",
     0x52,
     "7B7D01520200007D7B",
     {L::cb1AuxEffSel, L::cb2NullSel, L::cb3MuteSel}},
    {"Aux Volume Control",
     "辅助音量控制",
     0x53,
     "7B7D01530200007D7B",
     {L::cb1AuxEffSel, L::cb2Volume, L::cb3NullSel}},
    {"Volume Step Control",
     "音量增减控制",
     0x54,
     "7B7D01540000007D7B",
     {L::cb1InOutSel, L::cb2InChSel, L::cb3IncDecSel}},
    {"Aux On Off Control",
     "辅助开关控制",
     0x55,
     "7B7D01550200007D7B",
     {L::cb1Show02lSel, L::cb2CameraMixEff, L::cb3OnOffSel}},
    {"Aux Ch Select Control",
     "辅助输入选择控制",
     0x56,
     nullptr,
     {L::cb1AuxCameraMixEffSel, L::gbMatrix, L::gbMatrix}},
    {"In FBQ Control", "輸入反馈抑制", 0x57, nullptr, {L::cb1NullSel, L::cb2InChSel, L::cb3LevelSel}},
    {"Get Aux Now Gain",
     "读取辅助增益码值",
     0x58,
     "7B7D01580200007D7B",
     {L::cb1AuxEffSel, L::cb2NullSel, L::cb3NullSel}},
    {"Get Aux Mute",
     "读取辅助静音码值",
     0x59,
     "7B7D01590200007D7B",
     {L::cb1AuxEffSel, L::cb2NullSel, L::cb3NullSel}},
    {"Get Aux On Off",
     "读取辅助开关码值",
     0x5B,
     "7B7D015B0200007D7B",
     {L::cb1Show02lSel, L::cb2CameraMixEff, L::cb3NullSel}},
    {"Get Aux Ch Select",
     "读取辅助输入选择码值",
     0x5C,
     "7B7D015C0200007D7B",
     {L::cb1Show02lSel, L::cb2AuxCameraMixEffSel, L::cb3NullSel}},
    {"Get In FBQ", "读取輸入反馈抑制码值", 0x5E, nullptr, {L::cb1NullSel, L::cb2InChSel, L::cb3NullSel}},
    {"Get Full Matrix",
     "读取全矩阵码值",
     0x61,
     "7B7D01610000007D7B",
     {L::cb1NullSel, L::cb2NullSel, L::cb3NullSel}},
    {"Get Group Parameter",
     "读取群组参数",
     0x63,
     "7B7D01630000007D7B",
     {L::cb1GroupSel, L::cb2NullSel, L::cb3NullSel}},
    {"Group Voume Control",
     "群组音量控制",
     0x66,
     "7B7D01660000007D7B",
     {L::cb1GroupSel, L::cb2Gain, L::cb3NullSel}},
    {"Group Gain Control",
     "群组增益控制",
     0x67,
     "7B7D01670000007D7B",
     {L::cb1GroupSel, L::cb2IncDecSel, L::cb3NullSel}},
    {"Group Mute Control",
     "群组静音控制",
     0x68,
     "7B7D01680000007D7B",
     {L::cb1GroupSel, L::cb2MuteSel, L::cb3NullSel}},
    {"Group Matrix Control",
     "群组输入选择控制",
     0x69,
     "7B7D01690000007D7B",
     {L::cb1GroupSel, L::gbMatrix, L::gbMatrix}},
}};

// The types whose row 2 follows cb1InOutSel's own choice, by index.
constexpr int kSubVolume = 6;
constexpr int kSubGain = 7;
constexpr int kSubParameter = 11;
constexpr int kSubMute = 12;
constexpr int kMatrixControl = 14;

}  // namespace

TRs232DigitSpan Rs232FieldDigits(TRs232Field Field) {
  switch (Field) {
    case F::Id:
      return {4, 2};
    case F::V1:
      return {8, 2};
    case F::V2:
      return {10, 2};
    case F::V3:
      return {12, 2};
    case F::Volume:
      return {10, 4};
    case F::None:
      break;
  }
  return {0, 0};
}

const TRs232ListInfo& Rs232ListInfo(TRs232List List) {
  return kLists[static_cast<std::size_t>(List)].Info;
}

const std::vector<std::string>& Rs232ListEntries(TRs232List List, TRs232TextSet TextSet) {
  const EntryPair& pair = EntriesOf(kLists[static_cast<std::size_t>(List)].Kind);
  return TextSet == TRs232TextSet::English ? pair.first : pair.second;
}

const std::vector<std::string>& Rs232IdEntries() {
  static const std::vector<std::string> ids = Numbered("", 1, Rs232IdCount);
  return ids;
}

std::string Rs232VolumeText(int Index) {
  // 0.5 dB steps from -60.0 to -20.0 dB, then 0.1 dB steps to +12.0 dB.
  const int tenths = Index <= 80 ? -600 + 5 * Index : -200 + (Index - 80);
  const int magnitude = std::abs(tenths);
  char text[16];
  std::snprintf(text, sizeof text, "%s%d.%ddB", tenths < 0 ? (magnitude < 100 ? "- " : "-") : "+",
                magnitude / 10, magnitude % 10);
  return text;
}

const char* TRs232CommandType::CodeTemplate() const {
  return Template ? Template : Rs232GeneralTemplate;
}

const std::array<TRs232CommandType, Rs232CommandTypeCount>& Rs232CommandTable() {
  return kCommands;
}

// ---------------------------------------------------------------- Rs232ControlCode

Rs232ControlCode::Rs232ControlCode(bool TypeSelected)
    : CodeText(Rs232StartCode), FType(TypeSelected ? 0 : -1), FFront(kCommands[0].Rows) {
  for (int i = 0; i < Rs232ValueListCount; ++i)
    FIndex[i] = Rs232ListEntries(static_cast<L>(i), TRs232TextSet::English).empty() ? -1 : 0;
}

int Rs232ControlCode::GetItemIndex(TRs232List List) const {
  const int i = static_cast<int>(List);
  return i >= 0 && i < Rs232ValueListCount ? FIndex[i] : -1;
}

TRs232List Rs232ControlCode::GetFront(int Row) const {
  if (Row < 1 || Row > 3) return L::gbMatrix;
  return FFront[Row - 1];
}

bool Rs232ControlCode::GetMatrixInput(int Tag) const {
  return Tag >= 0 && Tag < Rs232MatrixInputs && (MatrixMask >> Tag) & 1u;
}

void Rs232ControlCode::Rewrite(TRs232Field Field, unsigned Value) {
  const TRs232DigitSpan span = Rs232FieldDigits(Field);
  if (span.Length == 0) return;
  CodeHead = CodeText.substr(0, span.Start);
  CodeTail = CodeText.substr(span.Start + span.Length);
  const std::string field = span.Length == 4 ? Hex2(Value >> 8) + Hex2(Value) : Hex2(Value);
  CodeText = CodeHead + field + CodeTail;
}

void Rs232ControlCode::WriteList(TRs232List List) {
  const TRs232ListInfo& info = Rs232ListInfo(List);
  const int index = GetItemIndex(List);
  if (index < 0) return;
  Rewrite(info.Field, static_cast<unsigned>(index + info.Offset));
}

void Rs232ControlCode::Select(TRs232List List, int Index) {
  FIndex[static_cast<std::size_t>(List)] = Index;
}

void Rs232ControlCode::BringToFront(TRs232List List) {
  FFront[Rs232ListInfo(List).Row - 1] = List;
}

bool Rs232ControlCode::TypeChange(int Type) {
  if (Type < 0 || Type >= Rs232CommandTypeCount) return false;
  FType = Type;
  const TRs232CommandType& type = kCommands[Type];
  const std::string id = Hex2(static_cast<unsigned>(FId + 1));
  CodeText = type.CodeTemplate();
  CodeHead = CodeText.substr(0, 4) + id;
  CodeTail = CodeText.substr(8);
  for (int i = 0; i < Rs232ValueListCount; ++i) FIndex[i] = FIndex[i] < 0 ? -1 : 0;
  FMatrixShown = false;
  for (int row = 0; row < 3; ++row) {
    if (type.Rows[row] != L::gbMatrix) BringToFront(type.Rows[row]);
  }
  if (type.IsMatrix()) {
    FMatrixShown = true;
    MatrixMask = 0;
  }
  CodeText = CodeHead + Hex2(type.Cmd) + CodeTail;
  return true;
}

bool Rs232ControlCode::IdChange(int Index) {
  if (Index < 0 || Index >= Rs232IdCount) return false;
  FId = Index;
  Rewrite(F::Id, static_cast<unsigned>(Index + 1));
  return true;
}

bool Rs232ControlCode::ValueChange(TRs232List List, int Index) {
  const int i = static_cast<int>(List);
  if (i < 0 || i >= Rs232ValueListCount) return false;
  const int count = static_cast<int>(Rs232ListEntries(List, TRs232TextSet::English).size());
  if (Index < 0 || Index >= count || Rs232ListInfo(List).Field == F::None) return false;
  Select(List, Index);
  switch (List) {
    case L::cb1FactoryUserSel:
      FactoryUserSelChange();
      break;
    case L::cb1InOutSel:
      InOutSelChange();
      break;
    case L::cb1OutChannelSel:
      OutChannelSelChange();
      break;
    case L::cb1InOutAuxSel:
      InOutAuxSelChange();
      break;
    default:
      break;
  }
  WriteList(List);
  return true;
}

bool Rs232ControlCode::MatrixClick(int Tag, bool Ticked) {
  if (!FMatrixShown || Tag < 0 || Tag >= Rs232MatrixInputs) return false;
  const auto bit = static_cast<std::uint8_t>(1u << Tag);
  MatrixMask =
      Ticked ? static_cast<std::uint8_t>(MatrixMask | bit) : static_cast<std::uint8_t>(MatrixMask & ~bit);
  Rewrite(F::V3, MatrixMask);
  return true;
}

// "Factory" stands for preset F00; "User" offers U01 .. U21, from U01.
void Rs232ControlCode::FactoryUserSelChange() {
  Select(L::cb2PresetSel, 0);
  BringToFront(GetItemIndex(L::cb1FactoryUserSel) == 0 ? L::cb2F00Sel : L::cb2PresetSel);
  WriteList(L::cb2PresetSel);
}

// A new side starts every value of rows 2 and 3 over; row 2 shows the
// channels of that side, or the type's own value.
void Rs232ControlCode::InOutSelChange() {
  for (L list : {L::cb2InChSel, L::cb2OutChSel, L::cb3IncDecSel, L::cb2Gain, L::cb2MuteSel, L::cb2IncDecSel})
    Select(list, 0);
  WriteList(L::cb3IncDecSel);
  Select(L::cb3MuteSel, 0);
  WriteList(L::cb3MuteSel);
  switch (FType) {
    case kSubVolume:
      BringToFront(L::cb2Gain);
      break;
    case kSubGain:
      BringToFront(L::cb2IncDecSel);
      break;
    case kSubParameter:
      BringToFront(L::cb2NullSel);
      break;
    case kSubMute:
      BringToFront(L::cb2MuteSel);
      break;
    default:
      BringToFront(GetItemIndex(L::cb1InOutSel) == 1 ? L::cb2OutChSel : L::cb2InChSel);
      break;
  }
  WriteList(L::cb2InChSel);
}

void Rs232ControlCode::OutChannelSelChange() {
  if (FType != kMatrixControl) return;
  Select(L::cb2InChSel, 0);
  WriteList(L::cb2InChSel);
}

void Rs232ControlCode::InOutAuxSelChange() {
  Select(L::cb2InChSel, 0);
  Select(L::cb2OutChSel, 0);
  constexpr L row2[] = {L::cb2InChSel, L::cb2OutChSel, L::cb2NullSel};
  BringToFront(row2[GetItemIndex(L::cb1InOutAuxSel)]);
  WriteList(L::cb2InChSel);
}
