#include "dialogs/Finformation.h"

#include "dialogs/DialogLook.h"
#include "platform/classlib/RzControls.h"
#include "platform/classlib/StdCtrls.h"

TfmInformation* fmInformation = nullptr;

TfmInformation::TfmInformation(TComponent* AOwner) : TForm(AOwner) {
  SetUpDialogForm(this, "fmInformation", "Information", 360, 132, false);
  lbMessage = AddLabel(this, "lbMessage", "You Must Connect First !!", 20, 18, 320, 52);
  lbMessage->SetAlignment(taCenter);
  lbMessage->SetWordWrap(true);
  btnOK = AddButton(this, "btnOK", "OK", (360 - dialog_look::ButtonWidth) / 2, 86);
  btnOK->SetCancel(true);
  btnOK->OnClick = [this](TObject* Sender) { btnOKClick(Sender); };
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
}

TfmInformation::~TfmInformation() {
  if (fmInformation == this) fmInformation = nullptr;
}

void TfmInformation::SetTexts(std::string_view Language) {
  SetCaption(LangText(Language, "SID_INFO_TITLE"));
  btnOK->SetCaption(LangText(Language, "SID_EXIT_OK"));
}

void TfmInformation::FormShow(TObject* /*Sender*/) {
  SetTexts(DialogLanguage());
}

void TfmInformation::btnOKClick(TObject* /*Sender*/) {
  CloseDialog(this, mrOk);
}
