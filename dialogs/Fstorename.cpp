#include "dialogs/Fstorename.h"

#include "dialogs/DialogLook.h"

TfmStoreName* fmStoreName = nullptr;

TfmStoreName::TfmStoreName(TComponent* AOwner) : TForm(AOwner) {
  SetUpDialogForm(this, "fmStoreName", "Name", 340, 140, false);
}

TfmStoreName::~TfmStoreName() {
  if (fmStoreName == this) fmStoreName = nullptr;
}
