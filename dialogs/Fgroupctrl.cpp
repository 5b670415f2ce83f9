#include "dialogs/Fgroupctrl.h"

#include "dialogs/DialogLook.h"

TfmGroupCtrl* fmGroupCtrl = nullptr;

TfmGroupCtrl::TfmGroupCtrl(TComponent* AOwner) : TForm(AOwner) {
  SetUpDialogForm(this, "fmGroupCtrl", "Group Control Setting", 900, 560, true);
}

TfmGroupCtrl::~TfmGroupCtrl() {
  if (fmGroupCtrl == this) fmGroupCtrl = nullptr;
}
