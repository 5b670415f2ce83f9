#include "dialogs/Fphantompotent.h"

#include "dialogs/DialogLook.h"

TfmPhantomPotent* fmPhantomPotent = nullptr;

TfmPhantomPotent::TfmPhantomPotent(TComponent* AOwner) : TForm(AOwner) {
  SetUpDialogForm(this, "fmPhantomPotent", "Phantom and  Potentiometer Control", 600, 330, true);
}

TfmPhantomPotent::~TfmPhantomPotent() {
  if (fmPhantomPotent == this) fmPhantomPotent = nullptr;
}
