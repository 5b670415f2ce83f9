#include "dialogs/Fidselect.h"

#include "dialogs/DialogLook.h"
#include "platform/classlib/RzControls.h"
#include "platform/classlib/StdCtrls.h"

TfmIdSelect* fmIdSelect = nullptr;

TfmIdSelect::TfmIdSelect(TComponent* AOwner) : TForm(AOwner) {
  SetUpDialogForm(this, "fmIdSelect", "ID Number Select", 300, 150, false);
  gnIdNumer = AddGroupBox(this, "gnIdNumer", "", 16, 12, 268, 76);
  lbMessage = AddLabel(gnIdNumer, "lbMessage", " Input ID Number", 14, 26, 140, 28);
  edId = AddEdit(gnIdNumer, "edId", "1", 164, 28, 80);
  edId->SetNumbersOnly(true);
  edId->SetMaxLength(4);
  edId->GetFont()->SetStyle(TFontStyles{fsBold});
  bnSet = AddButton(this, "bnSet", "Set", 42, 104);
  bnExit = AddButton(this, "bnExit", "Exit", 162, 104);
}

TfmIdSelect::~TfmIdSelect() {
  if (fmIdSelect == this) fmIdSelect = nullptr;
}
