#include "dialogs/Flinksel.h"

#include "dialogs/DialogLook.h"

TfmLinkSel* fmLinkSel = nullptr;

TfmLinkSel::TfmLinkSel(TComponent* AOwner) : TForm(AOwner) {
  SetUpDialogForm(this, "fmLinkSel", "Link Selection", 620, 440, true);
}

TfmLinkSel::~TfmLinkSel() {
  if (fmLinkSel == this) fmLinkSel = nullptr;
}
