#pragma once
// The 9-byte control code with which an external controller drives the
// unit over RS-232, and the builder state behind the two code dialogs: the
// command types, the value lists of the three rows, which list stands in
// front of each row, and the code text the user's choices rewrite. No window
// code: the dialogs show this state and hand the user's picks to it.
//
// The code text is 18 upper-case hexadecimal digits, two per byte:
//   digits 1-4 7B7D, 5-6 ID, 7-8 CMD, 9-10 V1, 11-12 V2, 13-14 V3, 15-18 7D7B.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

enum class TRs232TextSet { Chinese, English };

// The value lists of the three rows (named as the dialogs name them), and
// the matrix box that covers rows 2 and 3.
enum class TRs232List {
  cb1FactoryUserSel,
  cb1InOutSel,
  cb1InChannelSel,
  cb1OutChannelSel,
  cb1InOutAuxSel,
  cb1AuxEffSel,
  cb1AuxCameraMixEffSel,
  cb1GroupSel,
  cb1Show02lSel,
  cb1NullSel,
  cb2PresetSel,
  cb2F00Sel,
  cb2InChSel,
  cb2OutChSel,
  cb2Volume,
  cb2Gain,
  cb2IncDecSel,
  cb2MuteSel,
  cb2CameraMixEff,
  cb2AuxCameraMixEffSel,
  cb2NullSel,
  cb3IncDecSel,
  cb3MuteSel,
  cb3OnOffSel,
  cb3LevelSel,
  cb3NullSel,
  gbMatrix,
};
inline constexpr int Rs232ValueListCount = static_cast<int>(TRs232List::gbMatrix);

// The part of the code a pick rewrites.
enum class TRs232Field { None, Id, V1, V2, V3, Volume };

struct TRs232DigitSpan {
  int Start;  // 0-based position of the field's first digit
  int Length;
};
TRs232DigitSpan Rs232FieldDigits(TRs232Field Field);

struct TRs232ListInfo {
  const char* Name;
  int Row;  // 1..3
  TRs232Field Field;
  // Added to the index to give the value (the grey Aux list stands for 02).
  int Offset;
  // Silver: shows a fixed value or nothing.
  bool Grey;
  // Takes typed text in the Chinese dialog.
  bool Typed;
};
const TRs232ListInfo& Rs232ListInfo(TRs232List List);

// The entries of a list in one language (the matrix box has none).
const std::vector<std::string>& Rs232ListEntries(TRs232List List, TRs232TextSet TextSet);
// The ID list: "1" to "250".
const std::vector<std::string>& Rs232IdEntries();
// The volume list's text of an index: "-60.0dB" .. "- 9.9dB" .. "+12.0dB".
std::string Rs232VolumeText(int Index);

struct TRs232CommandType {
  const char* English;
  const char* Chinese;
  std::uint8_t Cmd;
  // Its own template, or nullptr for the general one.
  const char* Template;
  // The lists brought to the front of rows 1, 2 and 3 (gbMatrix for rows 2
  // and 3 of the matrix types).
  std::array<TRs232List, 3> Rows;

  const char* Name(TRs232TextSet TextSet) const {
    return TextSet == TRs232TextSet::English ? English : Chinese;
  }
  const char* CodeTemplate() const;
  bool IsMatrix() const { return Rows[1] == TRs232List::gbMatrix; }
};
inline constexpr int Rs232CommandTypeCount = 34;
// The command types in the order of the type list.
const std::array<TRs232CommandType, Rs232CommandTypeCount>& Rs232CommandTable();

inline constexpr const char* Rs232GeneralTemplate = "7B7D01410000007D7B";
inline constexpr const char* Rs232StartCode = "7B7D01400000007D7B";
inline constexpr int Rs232IdCount = 250;
inline constexpr int Rs232MatrixInputs = 8;

// The builder's state. Each Change method is what one list's change handler
// does, given the index that list now selects; an index outside the list
// changes nothing and returns false.
class Rs232ControlCode {
 public:
  // TypeSelected false: no type is selected at start (the code still is
  // that of the first type).
  explicit Rs232ControlCode(bool TypeSelected = true);

  const std::string& GetCodeText() const { return CodeText; }
  // -1 while no type has been selected.
  int GetTypeIndex() const { return FType; }
  int GetIdIndex() const { return FId; }
  int GetItemIndex(TRs232List List) const;
  // The list in front of row 1..3, under the matrix box while it shows.
  TRs232List GetFront(int Row) const;
  bool GetMatrixShown() const { return FMatrixShown; }
  std::uint8_t GetMatrixMask() const { return MatrixMask; }
  bool GetMatrixInput(int Tag) const;

  bool TypeChange(int Type);
  bool IdChange(int Index);
  bool ValueChange(TRs232List List, int Index);
  // Matrix box In(Tag + 1) ticked or cleared; false while hidden.
  bool MatrixClick(int Tag, bool Ticked);

 private:
  // Digits in front of and behind the field, the field's new text between.
  void Rewrite(TRs232Field Field, unsigned Value);
  // The plain handler of a list: its own field from its own index.
  void WriteList(TRs232List List);
  void Select(TRs232List List, int Index);
  void BringToFront(TRs232List List);
  void FactoryUserSelChange();
  void InOutSelChange();
  void OutChannelSelChange();
  void InOutAuxSelChange();

  std::string CodeText;
  std::string CodeHead;
  std::string CodeTail;
  std::uint8_t MatrixMask = 0;
  int FType;
  int FId = 0;
  std::array<int, Rs232ValueListCount> FIndex{};
  std::array<TRs232List, 3> FFront;
  bool FMatrixShown = false;
};
