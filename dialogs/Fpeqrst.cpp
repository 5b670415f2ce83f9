#include "dialogs/Fpeqrst.h"

#include "dialogs/DialogLook.h"

TfmPeqRst* fmPeqRst = nullptr;

TfmPeqRst::TfmPeqRst(TComponent* AOwner) : TForm(AOwner) {
  SetUpDialogForm(this, "fmPeqRst", "Information", 340, 132, false);
}

TfmPeqRst::~TfmPeqRst() {
  if (fmPeqRst == this) fmPeqRst = nullptr;
}
