#include "dialogs/Ffactory.h"

#include "dialogs/DialogLook.h"
#include "mainwindow/FMain.h"
#include "platform/classlib/RzControls.h"
#include "platform/classlib/StdCtrls.h"

TfmFactory* fmFactory = nullptr;

TfmFactory::TfmFactory(TComponent* AOwner) : TForm(AOwner) {
  SetUpDialogForm(this, "fmFactory", "Information", 380, 132, false);
  lbMessage = AddLabel(this, "lbMessage", "Are you Sure to Return Factory Default?", 20, 18, 340, 52);
  lbMessage->SetAlignment(taCenter);
  lbMessage->SetWordWrap(true);
  btnOK = AddButton(this, "btnOK", "OK", 82, 86);
  bnCancel = AddButton(this, "bnCancel", "Cancel", 202, 86);
  bnCancel->SetCancel(true);
  btnOK->OnClick = [this](TObject* Sender) { btnOKClick(Sender); };
  bnCancel->OnClick = [this](TObject* Sender) { bnCancelClick(Sender); };
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
}

TfmFactory::~TfmFactory() {
  if (fmFactory == this) fmFactory = nullptr;
}

void TfmFactory::SetTexts(std::string_view Language) {
  SetCaption(LangText(Language, "SID_INFO_TITLE"));
  lbMessage->SetCaption(LangText(Language, "SID_FACTORY_DEFAULT"));
  btnOK->SetCaption(LangText(Language, "SID_EXIT_OK"));
  bnCancel->SetCaption(LangText(Language, "SID_EXIT_CANCEL"));
}

void TfmFactory::FormShow(TObject* /*Sender*/) {
  SetTexts(DialogLanguage());
}

void TfmFactory::btnOKClick(TObject* /*Sender*/) {
  if (fmMain) fmMain->FactoryReset();
  CloseDialog(this, mrOk);
}

void TfmFactory::bnCancelClick(TObject* /*Sender*/) {
  CloseDialog(this, mrCancel);
}
