#include "dialogs/Fcomp.h"

#include "dialogs/DialogLook.h"
#include "instruments/base/iLed.h"
#include "platform/classlib/StdCtrls.h"

TfmComp* fmComp = nullptr;

TfmComp::TfmComp(TComponent* AOwner) : TForm(AOwner) {
  SetUpDialogForm(this, "fmComp", "Compressor Setting", 560, 340, true);
  lbCompLed = AddLabel(this, "lbCompLed", "Active", 24, 20, 64, 22);
  ilrCompLed = new TiLedRectangle(this);
  ilrCompLed->SetName("ilrCompLed");
  ilrCompLed->SetParent(this);
  ilrCompLed->SetBounds(92, 23, 36, 16);
  ilrCompLed->SetActiveColor(RGB(0xF0, 0x50, 0x40));
  ilrCompLed->SetBackGroundColor(dialog_look::Face);
  ilrCompLed->SetBevelStyle(ibsNone);
}

TfmComp::~TfmComp() {
  if (fmComp == this) fmComp = nullptr;
}
