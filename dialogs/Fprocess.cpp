#include "dialogs/Fprocess.h"

#include "controls/AdvProgressBar.h"
#include "dialogs/DialogLook.h"
#include "platform/classlib/ComCtrls.h"

TfmProcess* fmProcess = nullptr;

TfmProcess::TfmProcess(TComponent* AOwner) : TForm(AOwner) {
  SetUpDialogForm(this, "fmProcess", "Process", 380, 96, false);
  SetFormStyle(fsStayOnTop);

  ProgressBar = new TAdvProgressBar(this);
  ProgressBar->SetName("ProgressBar");
  ProgressBar->SetParent(this);
  ProgressBar->SetBounds(16, 18, 348, 26);
  ProgressBar->SetLevel1Perc(70);
  ProgressBar->SetLevel2Perc(90);
  ProgressBar->SetBackgroundColor(dialog_look::Field);
  ProgressBar->SetBorderColor(dialog_look::Panel);
  ProgressBar->SetLevel0Color(RGB(0x2E, 0x9E, 0x5E));
  ProgressBar->SetLevel0ColorTo(RGB(0x58, 0xC8, 0x88));
  ProgressBar->GetBarFont()->SetColor(dialog_look::Text);
  ProgressBar->GetBarFont()->SetStyle(TFontStyles{fsBold});
  ProgressBar->SetPosition(0);

  StatusBar = new TStatusBar(this);
  StatusBar->SetName("StatusBar");
  StatusBar->SetParent(this);
  StatusBar->SetAlign(alBottom);
  StatusBar->SetHeight(24);
  StatusBar->SetColor(dialog_look::Panel);
  StatusBar->SetSimplePanel(true);
  StatusBar->SetSimpleText("download now");

  OnShow = [this](TObject* Sender) { FormShow(Sender); };
}

TfmProcess::~TfmProcess() {
  if (fmProcess == this) fmProcess = nullptr;
}

void TfmProcess::SetTexts(std::string_view Language) {
  SetCaption(LangText(Language, "SID_PROCESS"));
}

void TfmProcess::FormShow(TObject* /*Sender*/) {
  SetTexts(DialogLanguage());
}
