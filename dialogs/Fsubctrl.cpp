#include "dialogs/Fsubctrl.h"

#include "dialogs/DialogLook.h"

TfmSubCtrl* fmSubCtrl = nullptr;

TfmSubCtrl::TfmSubCtrl(TComponent* AOwner) : TForm(AOwner) {
  SetUpDialogForm(this, "fmSubCtrl", "Sub Control Setting", 620, 340, true);
}

TfmSubCtrl::~TfmSubCtrl() {
  if (fmSubCtrl == this) fmSubCtrl = nullptr;
}
