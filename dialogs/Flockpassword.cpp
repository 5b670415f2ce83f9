#include "dialogs/Flockpassword.h"

#include "dialogs/DialogLook.h"
#include "link/LCmd.h"
#include "mainwindow/FMain.h"
#include "platform/classlib/ExtCtrls.h"
#include "platform/classlib/Keys.h"
#include "platform/classlib/RzControls.h"
#include "platform/classlib/StdCtrls.h"

TfmLockPassWord* fmLockPassWord = nullptr;

TfmLockPassWord::TfmLockPassWord(TComponent* AOwner) : TForm(AOwner) {
  SetUpDialogForm(this, "fmLockPassWord", "UnLock Setting", 320, 140, false);
  lblLockPassword = AddLabel(this, "lblLockPassword", "UnLock Password", 24, 24, 130, 26);
  edName = AddEdit(this, "edName", "****", 160, 25, 120);
  edName->SetMaxLength(4);
  edName->SetCharCase(ecUpperCase);
  edName->SetPasswordChar(U'*');
  btnOK = AddButton(this, "btnOK", "OK", 52, 88);
  bnCancel = AddButton(this, "bnCancel", "Cancel", 172, 88);
  bnCancel->SetCancel(true);
  tmCheck = AddTimer(this, "tmCheck", 100);
  tmCmd = AddTimer(this, "tmCmd", 100);
  edName->OnKeyDown = [this](TObject* Sender, std::uint16_t& Key, TShiftState Shift) {
    edNameKeyDown(Sender, Key, Shift);
  };
  btnOK->OnClick = [this](TObject* Sender) { RzBmpButton1Click(Sender); };
  bnCancel->OnClick = [this](TObject* Sender) { bnCancelClick(Sender); };
  tmCheck->OnTimer = [this](TObject* Sender) { tmCheckTimer(Sender); };
  tmCmd->OnTimer = [this](TObject* Sender) { tmCmdTimer(Sender); };
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
}

TfmLockPassWord::~TfmLockPassWord() {
  if (fmLockPassWord == this) fmLockPassWord = nullptr;
}

void TfmLockPassWord::SetTexts(std::string_view Language) {
  SetCaption(LangText(Language, "SID_UNLOCK_TITLE"));
  lblLockPassword->SetCaption(LangText(Language, "SID_UNLOCK_PASSWORD"));
  btnOK->SetCaption(LangText(Language, "SID_EXIT_OK"));
  bnCancel->SetCaption(LangText(Language, "SID_EXIT_CANCEL"));
}

void TfmLockPassWord::ResetEdit() {
  edName->SetText("****");
  if (GetVisible()) edName->SetFocus();
  edName->SelectAll();
}

void TfmLockPassWord::FormShow(TObject* /*Sender*/) {
  SetTexts(DialogLanguage());
  ResetEdit();
}

void TfmLockPassWord::edNameKeyDown(TObject* /*Sender*/, std::uint16_t& Key, TShiftState /*Shift*/) {
  if (Key == VK_RETURN) btnOK->Click();
}

void TfmLockPassWord::RzBmpButton1Click(TObject* /*Sender*/) {
  if (!fmMain) return;
  // The device compares bytes of its own code page; a short password is
  // padded with zero bytes by the command.
  const std::string password = TfmMain::WideToAnsi(edName->GetText()).substr(0, 4);
  fmMain->SendCommand(CM_MCS_PASS_SUBMIT(fmMain->GetDeviceId(), 0, password), true);
  FPollCount = 0;
  FCheckState = 255;
  tmCheck->SetEnabled(true);
}

void TfmLockPassWord::tmCheckTimer(TObject* /*Sender*/) {
  ++FPollCount;
  tmCheck->SetEnabled(false);
  switch (FCheckState) {
    case 0:
      Application->MessageBox("Password Error!!", "", MB_OK | MB_ICONINFORMATION);
      ResetEdit();
      break;
    case 1:
      tmCmd->SetEnabled(true);
      break;
    case 255:
      if (FPollCount > 30) {
        Application->MessageBox("Check Time Out!", "", MB_OK);
        bnCancel->Click();
      } else {
        tmCheck->SetEnabled(true);
      }
      break;
    default:
      break;
  }
}

void TfmLockPassWord::tmCmdTimer(TObject* /*Sender*/) {
  tmCmd->SetEnabled(false);
  if (fmMain) fmMain->SendCommand(CM_MCS_CMD(fmMain->GetDeviceId(), CommandCode("UPLOAD")), false);
  CloseDialog(this, mrOk);
}

void TfmLockPassWord::bnCancelClick(TObject* /*Sender*/) {
  tmCheck->SetEnabled(false);
  tmCmd->SetEnabled(false);
  if (fmMain) fmMain->Disconnect();
  CloseDialog(this, mrCancel);
}
