#pragma once
// The RS-232 control-code builder, once with Chinese texts (TfmRs232Cmd) and
// once with English ones (TfmRs232CmdEnglish). The dialog shows the builder
// state of Rs232ControlCode and hands the user's picks to it; the two
// differ only in their texts and in which lists accept typed text.

#include <array>
#include <string>

#include "platform/classlib/Forms.h"
#include "rs232codes/Rs232ControlCode.h"

class TCheckBox;
class TComboBox;
class TEdit;
class TGroupBox;
class TImage;
class TLabel;

class TfmRs232Cmd : public TForm {
 public:
  explicit TfmRs232Cmd(TComponent* AOwner);
  ~TfmRs232Cmd() override;

  TRs232TextSet GetTextSet() const { return FTextSet; }
  const Rs232ControlCode& GetCode() const { return FCode; }
  // The value list of a row (null for the matrix box).
  TComboBox* ValueList(TRs232List List) const;

  TImage* imLinkSelIn;
  TGroupBox* gbCommand;
  TLabel* lbType;
  TComboBox* cbType;
  TLabel* lbId;
  TComboBox* cbId;
  TGroupBox* gbParameter;
  TLabel* lbValue1;
  TLabel* lbValue2;
  TLabel* lbValue3;
  TGroupBox* gbMatrix;
  std::array<TCheckBox*, Rs232MatrixInputs> ckb2In{};
  TLabel* lbRemoteCtrl;
  TEdit* edRemoteCtrl;

  // Non-zero while the program sets the matrix boxes: their clicks are not
  // the user's.
  int MatrixResetting = 0;

  void cbTypeChange(TObject* Sender);
  void cbIdChange(TObject* Sender);
  // The change handler of every value list; what each list's change does
  // beyond its own field is the code model's.
  void ValueListChange(TObject* Sender);
  void ckb2In1Click(TObject* Sender);
  // Showing the dialog resets nothing: type, ID, values and code stay.
  void FormShow(TObject* Sender);

 protected:
  TfmRs232Cmd(TComponent* AOwner, TRs232TextSet TextSet);

 private:
  void CreateControls();
  void ApplyTexts();
  // The entry a list's change picks, or -1: the list's selection, or in a
  // list that takes typed text the entry that text names exactly; -1 too
  // for the entry already in the code (a keystroke is not a pick).
  int PickedIndex(TComboBox* List, int Current) const;
  // A list that takes typed text shows its entry again (or, with none
  // selected, the text it showed at start).
  void SettleTypedText(TComboBox* List) const;
  // Every control to what the code model holds.
  void ShowCode();

  TRs232TextSet FTextSet;
  Rs232ControlCode FCode;
  std::array<TComboBox*, Rs232ValueListCount> FLists{};
  std::string FTypeTextWithoutEntry;
};

class TfmRs232CmdEnglish : public TfmRs232Cmd {
 public:
  explicit TfmRs232CmdEnglish(TComponent* AOwner);
  ~TfmRs232CmdEnglish() override;
};

extern TfmRs232Cmd* fmRs232Cmd;
extern TfmRs232CmdEnglish* fmRs232CmdEnglish;
