#include "dialogs/Fcopy.h"

#include "dialogs/DialogLook.h"

TfmCopy* fmCopy = nullptr;

TfmCopy::TfmCopy(TComponent* AOwner) : TForm(AOwner) {
  SetUpDialogForm(this, "fmCopy", "Channel Copy", 380, 190, true);
}

TfmCopy::~TfmCopy() {
  if (fmCopy == this) fmCopy = nullptr;
}
