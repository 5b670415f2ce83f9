#include "dialogs/Ftest.h"

#include "dialogs/DialogLook.h"

TfmTest* fmTest = nullptr;

TfmTest::TfmTest(TComponent* AOwner) : TForm(AOwner) {
  SetUpDialogForm(this, "fmTest", "Input Signal Select", 320, 230, true);
}

TfmTest::~TfmTest() {
  if (fmTest == this) fmTest = nullptr;
}
