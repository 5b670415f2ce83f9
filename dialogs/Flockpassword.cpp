#include "dialogs/Flockpassword.h"

#include "dialogs/DialogLook.h"
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
  tmCheck = AddTimer(this, "tmCheck", 100);
  tmCmd = AddTimer(this, "tmCmd", 100);
}

TfmLockPassWord::~TfmLockPassWord() {
  if (fmLockPassWord == this) fmLockPassWord = nullptr;
}
