#include "dialogs/Flocksetup.h"

#include "dialogs/DialogLook.h"

TfmLockSetup* fmLockSetup = nullptr;

TfmLockSetup::TfmLockSetup(TComponent* AOwner) : TForm(AOwner) {
  SetUpDialogForm(this, "fmLockSetup", "Lock Setting", 320, 150, false);
}

TfmLockSetup::~TfmLockSetup() {
  if (fmLockSetup == this) fmLockSetup = nullptr;
}
