#pragma once
// The PEQ band table: one row per band with its number, frequency, Q and
// gain fields, its type and a bypass button, 50 rows of which the first
// ChannelNumber are shown. The table keeps every band's values itself,
// normalises what the user types and reports each change through OnChange;
// the handler reads the row from GetNowIndex and the values from the
// getters.
//
// Rows are painted by the table, not made of a window per cell, so that a
// window with 17 tables starts fast: one edit and one list, made on first
// use, stand over the cell being edited. Row arguments are checked: a row
// outside 0..49 is ignored (getters answer a default band).
//
// TMyPEQAllpass (seven types, +-12 dB) and TMyPEQGain6dB (five types, +-6 dB)
// are this table with their own types and gain limit.

#include <array>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/classlib/ComCtrls.h"
#include "platform/classlib/RzControls.h"

class TEdit;

enum TPeqCell { pcNumber, pcFrequency, pcQ, pcGain, pcType, pcBypass, pcFreqUpDown, pcQUpDown, pcGainUpDown };

class TPeqBandTable : public TRzGroupBox {
 public:
  static constexpr int RowCapacity = 50;

  // Sender is the table; the wheel turned over a type cell.
  using TPeqWheelEvent = TMouseWheelEvent;

  // ---- reading a band --------------------------------------------------------
  double GetFreqValue(int row) const;
  double GetQValue(int row) const;
  double GetGainValue(int row) const;
  int GetTypeValue(int row) const;
  bool GetBypassValue(int row) const;
  int GetChannelNumber() const { return FChannelNumber; }

  // ---- writing a band (each ends with Change; NowIndex stays) -----------------
  void SetFreqValue(int row, double hz);
  void SetQValue(int row, double qIndex);
  void SetGainValue(int row, double db);
  void SetTypeValue(int row, int type);
  void SetBypassValue(int row, bool bypass);
  void SetEqParamValue(int row, double hz, double qIndex, double db, int type, bool bypass);

  // ---- selection and colours ---------------------------------------------------
  void SetNowIndex(int row);
  void SetColor(int row, TColor colour);

  // ---- properties ----------------------------------------------------------------
  void SetChannelNumber(int n);
  bool GetUpdownVisable() const { return FUpdownVisable; }
  void SetUpdownVisable(bool v);
  bool GetTitleVisable() const { return FTitleVisable; }
  void SetTitleVisable(bool v);
  int GetTopBottomSpace() const { return FTopBottomSpace; }
  void SetTopBottomSpace(int n) { FTopBottomSpace = n; }
  TColor GetLabelColor() const { return FLabelColor; }
  void SetLabelColor(TColor c);
  TColor GetEditBackColor() const { return FEditBackColor; }
  void SetEditBackColor(TColor c);
  TColor GetBypassBackColor() const { return FBypassBackColor; }
  void SetBypassBackColor(TColor c);
  // The text colour of the value fields, type cells and bypass captions (the
  // platform's window text unless set); a selected row's fields keep theirs.
  TColor GetEditFontColor() const { return FEditFontColor; }
  void SetEditFontColor(TColor c);

  TNotifyEvent OnChange;
  TMouseEvent OnEditMouseDown;
  TPeqWheelEvent OnPeqTypeMouseWheel;

  // ---- what the rows show ------------------------------------------------------------
  // The text of a value field (pcFrequency, pcQ, pcGain); typing writes it.
  std::string GetFieldText(int row, TPeqCell cell) const;
  void SetFieldText(int row, TPeqCell cell, const std::string& text);
  TColor GetFieldFontColor(int row) const;
  TColor GetBypassButtonColor(int row) const;
  // Where a cell of a row lies on the table (empty for a hidden row).
  TRect GetCellRect(int row, TPeqCell cell) const;
  bool GetRowShown(int row) const;
  // The type texts and bypass caption the rows show now.
  const std::string& GetTypeText(int type) const;
  int GetTypeCount() const { return FTypeCount; }
  const std::string& GetBypassText() const { return FShownBypassText; }

  // ---- the handlers of the rows' cells -----------------------------------------
  // Enter (Key 13) in a value field, and leaving it, confirm its text.
  void FrequencyKeyDown(int row, std::uint16_t& Key, TShiftState Shift);
  void FrequencyExit(int row);
  void FrequencyUpDownClick(int row, TUDBtnType Button);
  void QfactorKeyDown(int row, std::uint16_t& Key, TShiftState Shift);
  void QfactorExit(int row);
  void QfactorUpDownClick(int row, TUDBtnType Button);
  void GainKeyDown(int row, std::uint16_t& Key, TShiftState Shift);
  void GainExit(int row);
  void GainUpDownClick(int row, TUDBtnType Button);
  // The user picked a type (already stored in the row).
  void PeqTypeChange(int row);
  void ByPassClick(int row);
  void EditMouseDown(int row, TMouseButton Button, TShiftState Shift, int X, int Y);

  // The layout pass; it moves rows only when the size changed since the last.
  void RePaint();
  virtual void Change();

 protected:
  // typeTexts: the built-in type texts, then the bypass caption.
  TPeqBandTable(TComponent* AOwner, std::span<const std::string_view> typeTexts, int gainLimitDb);

  void SetEqTypeString(const std::string& text, int type);
  void SetBypassString(const std::string& text);
  // Every row shows the texts set since: the type list keeps its index.
  void ChangeLanguage();
  int GetNowIndex() const { return FNowIndex; }

  void CreateWnd() override;
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;

 private:
  struct Row {
    int FreqPos = 0;  // -170..130
    int QPos = 20;    // 0..100
    int GainPos = 0;  // tenths of a dB
    int Type = 0;
    bool Bypass = false;
    std::string Text[3];  // frequency, Q, gain fields
    TColor FieldFont = clWindowText;
    TColor BypassColor = clBtnFace;
    bool Hidden = false;
    int Top = 0;  // top of the number label
    TRect Cells[9];
  };

  Row* RowAt(int row);
  const Row* RowAt(int row) const;
  void UserAction(int row);
  // A typed value field confirmed (Enter or leaving it).
  void Entry(int row, TPeqCell cell);
  // An up-down click: one step within the column's range.
  void Step(int row, TPeqCell cell, TUDBtnType Button);
  static int* Position(Row& r, TPeqCell cell);
  void ShowValue(Row& r, TPeqCell cell);
  void ShowFreq(Row& r);
  void ShowQ(Row& r);
  void ShowGain(Row& r);
  void LayOut();
  void PaintRow(TCanvas* c, int row);
  void PaintTitles(TCanvas* c);
  // The in-place editors over the cell being edited.
  void OpenEditor(int row, TPeqCell cell);
  void CloseEditor(bool confirm);
  void OpenTypeList(int row);
  void CloseTypeList();
  std::pair<int, TPeqCell> HitTest(int X, int Y) const;

  int FTypeCount;
  int FGainLimitDb;
  std::vector<std::string> FBuiltInTexts;
  std::vector<std::string> FTypeTexts;
  std::string FBypassText;
  std::vector<std::string> FShownTypeTexts;
  std::string FShownBypassText;
  std::array<Row, RowCapacity> FRows;
  int FChannelNumber = RowCapacity;
  bool FUpdownVisable = false;
  bool FTitleVisable = false;
  int FTopBottomSpace = 15;
  TColor FLabelColor = 0;
  TColor FEditBackColor = 0;
  TColor FBypassBackColor = 0;
  int FNowIndex = 0;
  int FPrevIndex = 0;
  TColor FNormalEditColor = 0;
  TColor FEditFontColor = clWindowText;
  int FLaidOutWidth = 490;
  int FLaidOutHeight = 420;
  int FPitch = 7;
  int FColumn = 84;
  int FTitleHeight = 0;
  TEdit* FEditor = nullptr;
  int FEditorRow = -1;
  TPeqCell FEditorCell = pcFrequency;
  TRzComboBox* FTypeList = nullptr;
  int FTypeListRow = -1;
};
