#include "dialogs/Fexit.h"

#include "dialogs/DialogLook.h"
#include "mainwindow/FMain.h"
#include "platform/classlib/RzControls.h"
#include "platform/classlib/StdCtrls.h"

TfmExit* fmExit = nullptr;

TfmExit::TfmExit(TComponent* AOwner) : TForm(AOwner) {
  SetUpDialogForm(this, "fmExit", "Information", 360, 132, false);
  lbExit = AddLabel(this, "lbExit", "Are you sure to quit ?", 20, 18, 320, 52);
  lbExit->SetAlignment(taCenter);
  lbExit->SetWordWrap(true);
  btnOK = AddButton(this, "btnOK", "OK", 72, 86);
  btnCancel = AddButton(this, "btnCancel", "Cancel", 192, 86);
  btnCancel->SetCancel(true);
  btnOK->OnClick = [this](TObject* Sender) { btnOKClick(Sender); };
  btnCancel->OnClick = [this](TObject* Sender) { btnExitClick(Sender); };
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
}

TfmExit::~TfmExit() {
  if (fmExit == this) fmExit = nullptr;
}

void TfmExit::SetTexts(std::string_view Language) {
  SetCaption(LangText(Language, "SID_INFO_TITLE"));
  lbExit->SetCaption(LangText(Language, "SID_EXIT_QUIT"));
  btnOK->SetCaption(LangText(Language, "SID_EXIT_OK"));
  btnCancel->SetCaption(LangText(Language, "SID_EXIT_CANCEL"));
}

void TfmExit::FormShow(TObject* /*Sender*/) {
  SetTexts(DialogLanguage());
}

void TfmExit::btnOKClick(TObject* /*Sender*/) {
  CloseDialog(this, mrOk);
  if (!fmMain) return;
  fmMain->SetCloseConfirmed(true);
  fmMain->Close();
}

void TfmExit::btnExitClick(TObject* /*Sender*/) {
  CloseDialog(this, mrCancel);
  if (fmMain) fmMain->SetCloseConfirmed(false);
}
