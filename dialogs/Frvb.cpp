#include "dialogs/Frvb.h"

#include "dialogs/DialogLook.h"

TfmRvb* fmRvb = nullptr;

TfmRvb::TfmRvb(TComponent* AOwner) : TForm(AOwner) {
  SetUpDialogForm(this, "fmRvb", "Effect Setting", 640, 340, true);
}

TfmRvb::~TfmRvb() {
  if (fmRvb == this) fmRvb = nullptr;
}
