#pragma once
// What the store and the recall list share: the rows of preset codes and
// names, the grid that shows them, and the list form itself.
//
// A row is a text line of 25 characters: five blanks, the preset code, "=",
// two blanks and the 14-character name ("     U01=  Default Preset").

#include <string>
#include <string_view>
#include <vector>

#include "platform/classlib/Controls.h"
#include "platform/classlib/Forms.h"

class TLabel;
class TRzBmpButton;
class TStringList;

inline constexpr int PresetNameLength = 14;
inline constexpr std::string_view DefaultPresetName = "Default Preset";

// The name cut or padded with blanks to 14 characters; control characters
// become blanks, so that a name never breaks a row.
std::string FitPresetName(std::string_view Name);
// "U01" .. "U21".
std::vector<std::string> UserPresetCodes();
// One row of a list.
std::string PresetRow(std::string_view Code, std::string_view Name);

// A two-column grid (number, name) over the rows.
class TPresetNameGrid : public TCustomControl {
 public:
  explicit TPresetNameGrid(TComponent* AOwner);
  ~TPresetNameGrid() override;

  // The rows, one text line each.
  TStringList* GetStrings() const { return FStrings.get(); }
  // Every row followed by CR LF.
  std::string GetText() const;
  int GetRowCount() const;
  // The code and the name of a row ("" outside the rows).
  std::string GetKey(int Row) const;
  std::string GetValue(int Row) const;
  void SetTitles(const std::string& Number, const std::string& Name);

  static constexpr int RowHeight = 20;

 protected:
  void Paint() override;

 private:
  std::unique_ptr<TStringList> FStrings;
  std::string FNumberTitle = "  Number";
  std::string FNameTitle = "    Name";
};

class TPresetListForm : public TForm {
 public:
  // Replaces the name shown in a row; a row outside the list is ignored.
  void SetPresetName(int Row, std::string_view Name);

  void SetTexts(std::string_view Language);
  void FormShow(TObject* Sender);
  // A grid row chosen (1 is the first row below the titles): the name
  // dialog opens over the list for that preset.
  void vledPresetNameSelectCell(int GridRow);
  void bnCancelClick(TObject* Sender);

  TLabel* lPresetSelect;
  TPresetNameGrid* vledPresetName;
  TRzBmpButton* bnCancel;

 protected:
  // Codes: the rows' preset codes in order; Store: the name dialog opens
  // in store mode (else the name is only shown, for a recall).
  TPresetListForm(TComponent* AOwner, const char* Name, const std::string& Caption,
                  const std::vector<std::string>& Codes, bool Store);

 private:
  bool FStore;
};
