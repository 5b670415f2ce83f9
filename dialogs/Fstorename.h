#pragma once
// The chosen preset's number and name, for a store or a recall.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/classlib/Forms.h"

class TEdit;
class TLabel;
class TRzBmpButton;

class TfmStoreName : public TForm {
 public:
  explicit TfmStoreName(TComponent* AOwner);
  ~TfmStoreName() override;

  // The name without its trailing blanks and line ends.
  void SetNameText(const std::string& Name);
  // The slot: the user preset's index (0 is U01) to store, the preset's
  // number (0 is F00) to recall.
  void SetSlot(int Slot) { FSlot = Slot; }
  int GetSlot() const { return FSlot; }
  // 1: store (the name can be edited), 0: recall.
  void SetStoreMode(int Mode) { FStoreMode = Mode; }
  int GetStoreMode() const { return FStoreMode; }

  TLabel* lTitle;
  TEdit* edName;
  TLabel* lblPresetName;
  TRzBmpButton* btnOK;
  TRzBmpButton* bnCancel;

  void SetTexts(std::string_view Language);
  void FormShow(TObject* Sender);
  void FormActivate(TObject* Sender);
  void edNameKeyDown(TObject* Sender, std::uint16_t& Key, TShiftState Shift);
  void btnOKClick(TObject* Sender);
  void bnCancelClick(TObject* Sender);

 private:
  // The edit follows the mode: editable and focused to store, read-only to recall.
  void ShowMode();

  int FSlot = 0;
  int FStoreMode = 0;
};

extern TfmStoreName* fmStoreName;
