#include "dialogs/Fpeqrst.h"

#include "dialogs/DialogLook.h"
#include "mainwindow/FMain.h"
#include "platform/classlib/RzControls.h"
#include "platform/classlib/StdCtrls.h"

TfmPeqRst* fmPeqRst = nullptr;

TfmPeqRst::TfmPeqRst(TComponent* AOwner) : TForm(AOwner) {
  SetUpDialogForm(this, "fmPeqRst", "Information", 360, 132, false);
  lbReset = AddLabel(this, "lbReset", "Are you sure to RESET EQ ?", 20, 18, 320, 52);
  lbReset->SetAlignment(taCenter);
  lbReset->SetWordWrap(true);
  btnOK = AddButton(this, "btnOK", "OK", 72, 86);
  btnCancel = AddButton(this, "btnCancel", "Cancel", 192, 86);
  btnCancel->SetCancel(true);  // Escape leaves through it
  btnOK->OnClick = [this](TObject* Sender) { btnOKClick(Sender); };
  btnCancel->OnClick = [this](TObject* Sender) { btnExitClick(Sender); };
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
}

TfmPeqRst::~TfmPeqRst() {
  if (fmPeqRst == this) fmPeqRst = nullptr;
}

void TfmPeqRst::SetTexts(std::string_view Language) {
  SetCaption(LangText(Language, "SID_PEQRST"));
  lbReset->SetCaption(LangText(Language, "SID_PEQRST_RESET"));
  btnOK->SetCaption(LangText(Language, "SID_PEQRST_OK"));
  btnCancel->SetCaption(LangText(Language, "SID_PEQRST_CANCEL"));
}

void TfmPeqRst::FormShow(TObject* /*Sender*/) {
  SetTexts(DialogLanguage());
}

void TfmPeqRst::btnOKClick(TObject* /*Sender*/) {
  // Gone from the screen before the reset's frames go out.
  Hide();
  if (fmMain) fmMain->ResetStripPeq(ResetStrip);
  CloseDialog(this, mrOk);
}

void TfmPeqRst::btnExitClick(TObject* /*Sender*/) {
  CloseDialog(this, mrCancel);
}
