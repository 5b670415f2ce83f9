#include "dialogs/Fnetworkscan.h"

#include "controls/AdvProgressBar.h"
#include "dialogs/DialogLook.h"
#include "dialogs/Fprocess.h"
#include "platform/classlib/ExtCtrls.h"
#include "platform/classlib/RzControls.h"
#include "platform/classlib/StdCtrls.h"

TfmNetwork* fmNetwork = nullptr;

TfmNetwork::TfmNetwork(TComponent* AOwner) : TForm(AOwner) {
  constexpr int width = 380;
  SetUpDialogForm(this, "fmNetwork", "Connect", width, 168, false);
  SetFormStyle(fsStayOnTop);
  lblScan = AddLabel(this, "lblScan", "No Device found.", 20, 16, 260, 24);
  lblDeviceID = AddLabel(this, "lblDeviceID", "0/10", 280, 16, 80, 24);
  lblDeviceID->SetAlignment(taRightJustify);
  pbScan = new TAdvProgressBar(this);
  pbScan->SetName("pbScan");
  pbScan->SetParent(this);
  pbScan->SetBounds(20, 48, width - 40, 22);
  pbScan->SetBackgroundColor(dialog_look::Field);
  pbScan->SetBorderColor(dialog_look::Panel);
  pbScan->SetShowPosition(false);
  pbScan->SetPosition(0);
  cbCOM = new TComboBox(this);
  cbCOM->SetName("cbCOM");
  cbCOM->SetParent(this);
  cbCOM->SetBounds(20, 80, 120, 24);
  cbCOM->SetVisible(false);
  const int gap = (width - 3 * dialog_look::ButtonWidth) / 4;
  btnOK = AddButton(this, "btnOK", "Scaning", gap, 118);
  btnId = AddButton(this, "btnId", "Set", 2 * gap + dialog_look::ButtonWidth, 118);
  btnExit = AddButton(this, "btnExit", "Demo", 3 * gap + 2 * dialog_look::ButtonWidth, 118);
  tmConnect = AddTimer(this, "tmConnect", 100);
  tmLinkBroken = AddTimer(this, "tmLinkBroken", 100);
  tmConnect->OnTimer = [this](TObject* Sender) { tmConnectTimer(Sender); };
  tmLinkBroken->OnTimer = [this](TObject* Sender) { tmLinkBrokenTimer(Sender); };
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
}

TfmNetwork::~TfmNetwork() {
  if (fmNetwork == this) fmNetwork = nullptr;
}

void TfmNetwork::SetTexts(std::string_view Language) {
  SetCaption(LangText(Language, "SID_CONNECT"));
  btnOK->SetCaption(LangText(Language, "SID_START_SCAN"));
  btnExit->SetCaption(LangText(Language, "SID_DEMO"));
  btnId->SetCaption(LangText(Language, "SID_SET"));
}

void TfmNetwork::FormShow(TObject* /*Sender*/) {
  SetTexts(DialogLanguage());
}

void TfmNetwork::ConnectResult(std::uint8_t Ok) {
  FSucceeded = Ok;
  tmConnect->SetEnabled(true);
}

void TfmNetwork::LinkBroken() {
  FSucceeded = 0;
  tmLinkBroken->SetEnabled(true);
  if (fmProcess) fmProcess->Close();
}

void TfmNetwork::tmConnectTimer(TObject* /*Sender*/) {
  tmConnect->SetEnabled(false);
  if (FSucceeded == 1) CloseDialog(this, mrOk);
}

void TfmNetwork::tmLinkBrokenTimer(TObject* /*Sender*/) {
  tmLinkBroken->SetEnabled(false);
  for (TRzBmpButton* button : {btnOK, btnId, btnExit}) button->SetEnabled(true);
  lblScan->SetCaption(LangText(DialogLanguage(), "SID_LINK_BROKEN"));
  lblDeviceID->SetCaption("");
}
