#include "dialogs/Fnetworkscan.h"

#include "controls/AdvProgressBar.h"
#include "dialogs/DialogLook.h"
#include "dialogs/Fprocess.h"
#include "mainwindow/FMain.h"
#include "platform/classlib/Menus.h"
#include "platform/hidctl/JvHidDeviceController.h"
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
  btnExit->SetCancel(true);
  tmConnect = AddTimer(this, "tmConnect", 100);
  tmLinkBroken = AddTimer(this, "tmLinkBroken", 100);
  tmWatchDog = AddTimer(this, "tmWatchDog", 6000);
  tmRunUsbConnect = AddTimer(this, "tmRunUsbConnect", 100);
  tmRunNetConnect = AddTimer(this, "tmRunNetConnect", 100);
  tmRunComConnect = AddTimer(this, "tmRunComConnect", 100);
  tmConnect->OnTimer = [this](TObject* Sender) { tmConnectTimer(Sender); };
  tmWatchDog->OnTimer = [this](TObject* Sender) { tmWatchDogTimer(Sender); };
  // Each attempt's timer runs the main window's connect of its kind once.
  auto run = [](TTimer* timer, void (TfmMain::*connect)()) {
    timer->OnTimer = [timer, connect](TObject*) {
      timer->SetEnabled(false);
      if (fmMain) (fmMain->*connect)();
    };
  };
  run(tmRunUsbConnect, &TfmMain::ConnectUsb);
  run(tmRunNetConnect, &TfmMain::ConnectNetwork);
  run(tmRunComConnect, &TfmMain::ConnectSerial);
  btnOK->OnClick = [this](TObject* Sender) { btnOKClick(Sender); };
  btnId->OnClick = [this](TObject* Sender) { btnIdClick(Sender); };
  btnExit->OnClick = [this](TObject* Sender) { btnExitClick(Sender); };
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
  // The attempt has its outcome: its watchdog has nothing left to guard.
  tmWatchDog->SetEnabled(false);
  tmConnect->SetEnabled(true);
}

void TfmNetwork::LinkBroken() {
  FSucceeded = 0;
  // An attempt's outcome still due must not move the scan on past the loss.
  tmConnect->SetEnabled(false);
  tmLinkBroken->SetEnabled(true);
  // Also a progress window whose showing is still due.
  if (fmMain)
    fmMain->CloseProgress();
  else if (fmProcess)
    fmProcess->Close();
}

void TfmNetwork::btnOKClick(TObject* /*Sender*/) {
  if (fmMain) {
    fmMain->DiscoverNetworkDevice();
    if (auto* ctl = dynamic_cast<TJvHidDeviceController*>(fmMain->FindComponent("HidCtl")))
      ctl->DeviceChange();
    fmMain->RecheckOutHidDevice();
  }
  StartScan();
}

void TfmNetwork::btnIdClick(TObject* /*Sender*/) {
  if (!fmMain) return;
  if (auto* item = dynamic_cast<TMenuItem*>(fmMain->FindComponent("NetworkSetup"))) item->Click();
}

void TfmNetwork::btnExitClick(TObject* /*Sender*/) {
  if (fmMain) {
    if (auto* link = dynamic_cast<TControl*>(fmMain->FindComponent("rzbMenuLink"))) link->SetEnabled(true);
    if (auto* item = dynamic_cast<TMenuItem*>(fmMain->FindComponent("Connect"))) item->SetEnabled(true);
  }
  CloseDialog(this, mrCancel);
}

void TfmNetwork::StartScan() {
  FNonSerialCount = 0;
  for (TRzBmpButton* button : {btnOK, btnId, btnExit}) button->SetEnabled(false);
  ScanPorts();
}

void TfmNetwork::ShowCounter() {
  lblDeviceID->SetCaption(std::to_string(FCandidateIndex) + "/" + std::to_string(CandidateCount()));
  pbScan->SetMax(CandidateCount());
  pbScan->SetPosition(FCandidateIndex);
}

void TfmNetwork::StartSerialAttempt(int i) {
  const SerialPortInfo& port = FPorts[static_cast<std::size_t>(i)];
  lblScan->SetCaption(LangText(DialogLanguage(), "SID_SCAN") + port.Name + " ......");
  if (fmMain) fmMain->SetComPortName(port.Path);
  tmWatchDog->SetEnabled(false);
  tmWatchDog->SetInterval(10000);
  tmWatchDog->SetEnabled(true);
  tmRunComConnect->SetEnabled(true);
}

void TfmNetwork::ScanPorts() {
  cbCOM->Clear();
  // The machine's serial ports, sorted by number (tests give their own).
  FPorts = GetSerialPorts();
  for (const SerialPortInfo& port : FPorts) cbCOM->GetItems()->Add(port.Name);
  if (!FPorts.empty()) cbCOM->SetItemIndex(0);
  const bool usb = fmMain && fmMain->HasHidDevice();
  const bool net = !usb && fmMain && fmMain->GetDeviceIp() != 0;
  FNonSerialCount = usb || net ? 1 : 0;
  const std::string language = DialogLanguage();
  if (CandidateCount() == 0) {
    pbScan->SetPosition(pbScan->GetMax());
    lblScan->SetCaption(LangText(language, "SID_NO_DEVICE"));
    lblDeviceID->SetCaption("");
    tmConnect->SetEnabled(true);
    return;
  }
  FCandidateIndex = 1;
  ShowCounter();
  if (FNonSerialCount == 1) {
    lblScan->SetCaption(LangText(language, usb ? "SID_SCAN_USB" : "SID_SCAN_NET"));
    tmWatchDog->SetEnabled(false);
    tmWatchDog->SetInterval(6000);
    tmWatchDog->SetEnabled(true);
    (usb ? tmRunUsbConnect : tmRunNetConnect)->SetEnabled(true);
    return;
  }
  StartSerialAttempt(0);
}

void TfmNetwork::tmWatchDogTimer(TObject* /*Sender*/) {
  tmWatchDog->SetEnabled(false);
  tmConnect->SetEnabled(true);
}

void TfmNetwork::tmConnectTimer(TObject* /*Sender*/) {
  tmConnect->SetEnabled(false);
  if (FSucceeded == 1) {
    tmWatchDog->SetEnabled(false);
    if (GetVisible()) CloseDialog(this, mrOk);
    return;
  }
  if (fmMain) {
    fmMain->Disconnect();
    // An attempt the watchdog gave up on never passed the identity check:
    // its engine goes before the next attempt starts its own.
    if (fmMain->OpenLink()) fmMain->StopOpenLinks();
  }
  if (FCandidateIndex >= CandidateCount()) {
    // The scan is over without a device.
    tmWatchDog->SetEnabled(false);
    for (TRzBmpButton* button : {btnOK, btnId, btnExit}) button->SetEnabled(true);
    pbScan->SetPosition(pbScan->GetMax());
    lblScan->SetCaption(LangText(DialogLanguage(), "SID_NO_DEVICE"));
    lblDeviceID->SetCaption("");
    return;
  }
  ++FCandidateIndex;
  ShowCounter();
  StartSerialAttempt(FCandidateIndex - 1 - FNonSerialCount);
}

void TfmNetwork::tmLinkBrokenTimer(TObject* /*Sender*/) {
  tmLinkBroken->SetEnabled(false);
  tmWatchDog->SetEnabled(false);
  for (TRzBmpButton* button : {btnOK, btnId, btnExit}) button->SetEnabled(true);
  lblScan->SetCaption(LangText(DialogLanguage(), "SID_LINK_BROKEN"));
  lblDeviceID->SetCaption("");
}
