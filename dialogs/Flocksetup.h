#pragma once
// Sets a new user-lock password on the device.

#include <cstdint>
#include <string_view>

#include "platform/classlib/Forms.h"

class TEdit;
class TLabel;
class TRzBmpButton;
class TTimer;

class TfmLockSetup : public TForm {
 public:
  explicit TfmLockSetup(TComponent* AOwner);
  ~TfmLockSetup() override;

  TEdit* edName;
  TLabel* lblLockPassword;
  TRzBmpButton* btnOK;
  TRzBmpButton* btnExit;
  TTimer* tmClose;

  void SetTexts(std::string_view Language);
  void FormShow(TObject* Sender);
  void edNameKeyDown(TObject* Sender, std::uint16_t& Key, TShiftState Shift);
  void RzBmpButton1Click(TObject* Sender);
  void btnExitClick(TObject* Sender);
  void tmCloseTimer(TObject* Sender);

 private:
  int FWaits = 0;  // ticks spent waiting for the password to be written
};

extern TfmLockSetup* fmLockSetup;
