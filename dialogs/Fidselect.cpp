#include "dialogs/Fidselect.h"

#include "dialogs/DialogLook.h"
#include "dialogs/Fnetworksetup.h"
#include "mainwindow/FMain.h"
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
  bnExit->SetCancel(true);
  bnSet->OnClick = [this](TObject* Sender) { bnSetClick(Sender); };
  bnExit->OnClick = [this](TObject* Sender) { bnExitClick(Sender); };
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
}

TfmIdSelect::~TfmIdSelect() {
  if (fmIdSelect == this) fmIdSelect = nullptr;
}

void TfmIdSelect::SetTexts(std::string_view Language) {
  SetCaption(LangText(Language, "SID_SET_ID_TITLE"));
  lbMessage->SetCaption(LangText(Language, "SID_INPUT_ID"));
  bnSet->SetCaption(LangText(Language, "SID_SET"));
  bnExit->SetCaption(LangText(Language, "SID_EXIT"));
}

void TfmIdSelect::FormShow(TObject* /*Sender*/) {
  SetTexts(DialogLanguage());
  if (fmMain) edId->SetText(std::to_string(fmMain->GetState().DeviceId));
}

void TfmIdSelect::bnSetClick(TObject* /*Sender*/) {
  if (!fmMain) return;
  const int id = id_setting::EditNumber(edId);
  // The current ID (also all a disabled group can hold) changes nothing.
  if (id == fmMain->GetState().DeviceId) return;
  if (id <= 0 || id > 250) {
    // The typed text stays for the user to mend.
    id_setting::ShowIdNumberError();
    return;
  }
  fmMain->SetDeviceId(id);
  CloseDialog(this, mrOk);
  if (gnIdNumer->GetEnabled()) id_setting::SendDeviceId(id);
}

void TfmIdSelect::bnExitClick(TObject* /*Sender*/) {
  CloseDialog(this, mrCancel);
}
