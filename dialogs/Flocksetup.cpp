#include "dialogs/Flocksetup.h"

#include "dialogs/DialogLook.h"
#include "link/LCmd.h"
#include "link/LinkEngine.h"
#include "mainwindow/FMain.h"
#include "platform/classlib/ExtCtrls.h"
#include "platform/classlib/Keys.h"
#include "platform/classlib/RzControls.h"
#include "platform/classlib/StdCtrls.h"

TfmLockSetup* fmLockSetup = nullptr;

TfmLockSetup::TfmLockSetup(TComponent* AOwner) : TForm(AOwner) {
  SetUpDialogForm(this, "fmLockSetup", "Lock Setting", 320, 150, false);
  lblLockPassword = AddLabel(this, "lblLockPassword", "Lock Password", 24, 24, 130, 26);
  edName = AddEdit(this, "edName", "5937", 160, 25, 120);
  edName->SetMaxLength(4);
  edName->SetCharCase(ecUpperCase);
  btnOK = AddButton(this, "btnOK", "Set", 52, 88);
  btnExit = AddButton(this, "btnExit", "Exit", 172, 88);
  btnExit->SetCancel(true);
  tmClose = AddTimer(this, "tmClose", 100);
  edName->OnKeyDown = [this](TObject* Sender, std::uint16_t& Key, TShiftState Shift) {
    edNameKeyDown(Sender, Key, Shift);
  };
  btnOK->OnClick = [this](TObject* Sender) { RzBmpButton1Click(Sender); };
  btnExit->OnClick = [this](TObject* Sender) { btnExitClick(Sender); };
  tmClose->OnTimer = [this](TObject* Sender) { tmCloseTimer(Sender); };
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
}

TfmLockSetup::~TfmLockSetup() {
  if (fmLockSetup == this) fmLockSetup = nullptr;
}

void TfmLockSetup::SetTexts(std::string_view Language) {
  SetCaption(LangText(Language, "SID_LOCK_TITLE"));
  lblLockPassword->SetCaption(LangText(Language, "SID_LOCK_PASSWORD"));
  btnOK->SetCaption(LangText(Language, "SID_SET"));
  btnExit->SetCaption(LangText(Language, "SID_EXIT"));
}

void TfmLockSetup::FormShow(TObject* /*Sender*/) {
  SetTexts(DialogLanguage());
  edName->SetText("5937");
  edName->SetFocus();
  edName->SelectAll();
}

void TfmLockSetup::edNameKeyDown(TObject* /*Sender*/, std::uint16_t& Key, TShiftState /*Shift*/) {
  if (Key == VK_RETURN) btnOK->Click();
}

void TfmLockSetup::RzBmpButton1Click(TObject* /*Sender*/) {
  if (!fmMain) return;
  const std::string password = TfmMain::WideToAnsi(edName->GetText()).substr(0, 4);
  fmMain->SendCommand(CM_MCS_SET_LOCK(fmMain->GetDeviceId(), password), true);
  FWaits = 0;
  tmClose->SetEnabled(true);
}

void TfmLockSetup::tmCloseTimer(TObject* /*Sender*/) {
  // The new password must be written before the link stops (stopping
  // drops what still waits); a link that never takes it gives up after 5 s.
  LinkEngine* link = fmMain ? fmMain->OpenLink() : nullptr;
  if (link && !link->QueuedFrames().empty() && ++FWaits < 50) return;
  FWaits = 0;
  tmClose->SetEnabled(false);
  if (fmMain) fmMain->Disconnect();
  CloseDialog(this, mrOk);
}

void TfmLockSetup::btnExitClick(TObject* /*Sender*/) {
  CloseDialog(this, mrCancel);
}
