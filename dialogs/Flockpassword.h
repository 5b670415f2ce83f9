#pragma once
// The unlock prompt, shown when the device reports its user lock set. The
// device's verdict on a submitted password arrives through SetCheckState.

#include <cstdint>
#include <string_view>

#include "platform/classlib/Forms.h"

class TEdit;
class TLabel;
class TRzBmpButton;
class TTimer;

class TfmLockPassWord : public TForm {
 public:
  explicit TfmLockPassWord(TComponent* AOwner);
  ~TfmLockPassWord() override;

  // The device's answer to the last password: 0 wrong, 1 accepted; 255
  // while the prompt waits for one.
  void SetCheckState(std::uint8_t State) { FCheckState = State; }
  std::uint8_t GetCheckState() const { return FCheckState; }

  TEdit* edName;
  TLabel* lblLockPassword;
  TRzBmpButton* btnOK;
  TRzBmpButton* bnCancel;
  TTimer* tmCheck;
  TTimer* tmCmd;

  void SetTexts(std::string_view Language);
  void FormShow(TObject* Sender);
  void edNameKeyDown(TObject* Sender, std::uint16_t& Key, TShiftState Shift);
  void RzBmpButton1Click(TObject* Sender);
  void bnCancelClick(TObject* Sender);
  void tmCheckTimer(TObject* Sender);
  void tmCmdTimer(TObject* Sender);

 private:
  // Gives the edit back to the user: the placeholder, focused, selected.
  void ResetEdit();

  std::uint8_t FCheckState = 0;
  std::uint8_t FPollCount = 0;
};

extern TfmLockPassWord* fmLockPassWord;
