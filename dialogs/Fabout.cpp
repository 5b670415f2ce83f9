#include "dialogs/Fabout.h"

#include <string>

#include "dialogs/DialogLook.h"
#include "model/CommonConstants.h"
#include "platform/classlib/RzControls.h"
#include "platform/classlib/StdCtrls.h"

TfmAbout* fmAbout = nullptr;

TfmAbout::TfmAbout(TComponent* AOwner) : TForm(AOwner) {
  constexpr int width = 380;
  SetUpDialogForm(this, "fmAbout", "About", width, 196, true);
  ProductName = AddLabel(this, "ProductName", std::string(AppTitle), 20, 22, width - 40, 28);
  ProductName->GetFont()->SetHeight(-18);
  ProductName->GetFont()->SetStyle(TFontStyles{fsBold});
  Version = AddLabel(this, "Version", "Version : " + std::string(AppVersion), 20, 60, width - 40, 22);
  Copyright =
      AddLabel(this, "Copyright", "Copyright (C) 2026 TAVO. All rights reserved.", 20, 88, width - 40, 22);
  Copyright->GetFont()->SetColor(dialog_look::Dim);
  for (TLabel* label : {ProductName, Version, Copyright}) label->SetAlignment(taCenter);
  btnOK = AddButton(this, "btnOK", "OK", (width - dialog_look::ButtonWidth) / 2, 146);
  btnOK->SetCancel(true);
  btnOK->OnClick = [this](TObject* Sender) { btnOKClick(Sender); };
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
}

TfmAbout::~TfmAbout() {
  if (fmAbout == this) fmAbout = nullptr;
}

void TfmAbout::SetTexts(std::string_view Language) {
  SetCaption(LangText(Language, "SID_ABOUT"));
}

void TfmAbout::FormShow(TObject* /*Sender*/) {
  SetTexts(DialogLanguage());
}

void TfmAbout::btnOKClick(TObject* /*Sender*/) {
  CloseDialog(this, mrOk);
}
