#include "dialogs/Fnetworksetup.h"

#include <algorithm>
#include <array>

#include "dialogs/DialogLook.h"
#include "dialogs/Finformation.h"
#include "link/CommandTable.h"
#include "link/LCmd.h"
#include "platform/net/ClientSocket.h"
#include "mainwindow/FMain.h"
#include "platform/classlib/RzControls.h"
#include "platform/classlib/StdCtrls.h"

TfmNetworkSetup* fmNetworkSetup = nullptr;

namespace id_setting {

int EditNumber(const TEdit* edit) {
  const std::string text = edit->GetText();
  if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos) return -1;
  return std::stoi(text);
}

void ShowIdNumberError() {
  if (!fmInformation || !fmMain) return;
  fmInformation->lbMessage->SetCaption(fmMain->GetLangText("SID_ID_NUMBER_ERROR"));
  fmInformation->ShowModal();
}

void SendDeviceId(int id) {
  fmMain->SendCommand(
      CM_MCS_CMD(static_cast<std::uint8_t>(id), CommandCode("SET_DEVICE_ID"), static_cast<std::uint8_t>(id)),
      true);
}

}  // namespace id_setting

std::string DeviceIpText(std::uint32_t Ip) {
  std::string text;
  for (int shift = 24; shift >= 0; shift -= 8) {
    if (!text.empty()) text += '.';
    text += std::to_string((Ip >> shift) & 0xFF);
  }
  return text;
}

TfmNetworkSetup::TfmNetworkSetup(TComponent* AOwner) : TForm(AOwner) {
  constexpr int width = 360;
  SetUpDialogForm(this, "fmNetworkSetup", "Setting ID/IP", width, 236, true);

  gbIdSetting = AddGroupBox(this, "gbIdSetting", " Input ID Number", 16, 12, width - 32, 68);
  lbMessage = AddLabel(gbIdSetting, "lbMessage", "Number  :", 16, 26, 100, 28);
  edId = AddEdit(gbIdSetting, "edId", "1", 124, 28, 64);
  edId->SetNumbersOnly(true);
  edId->SetMaxLength(3);

  gbIpSetting = AddGroupBox(this, "gbIpSetting", " Input IP Address", 16, 92, width - 32, 84);
  const std::array<const char*, 4> names = {"edIp1", "edIp2", "edIp3", "edIp4"};
  const std::array<const char*, 4> octets = {"192", "168", "1", "101"};
  const std::array<TEdit**, 4> edits = {&edIp1, &edIp2, &edIp3, &edIp4};
  const std::array<const char*, 3> dots = {"lbDot1", "lbDot2", "lbDot3"};
  for (int i = 0; i < 4; ++i) {
    TEdit* edit = AddEdit(gbIpSetting, names[i], octets[i], 16 + i * 76, 30, 56);
    edit->SetNumbersOnly(true);
    edit->SetMaxLength(3);
    edit->SetAlignment(taCenter);
    *edits[i] = edit;
    if (i < 3) AddLabel(gbIpSetting, dots[i], ".", 76 + i * 76, 30, 12, 24)->SetAlignment(taCenter);
  }
  // The automatic mode is never offered: the dialog always sets the address.
  rbManualSetting = new TRadioButton(this);
  rbManualSetting->SetName("rbManualSetting");
  rbManualSetting->SetParent(gbIpSetting);
  rbManualSetting->SetBounds(16, 60, 140, 20);
  rbManualSetting->SetCaption("Manual Setting");
  rbManualSetting->SetVisible(false);
  rbAutoSetting = new TRadioButton(this);
  rbAutoSetting->SetName("rbAutoSetting");
  rbAutoSetting->SetParent(gbIpSetting);
  rbAutoSetting->SetBounds(170, 60, 140, 20);
  rbAutoSetting->SetCaption("Auto Setting");
  rbAutoSetting->SetVisible(false);
  rbManualSetting->SetChecked(true);

  bnSet = AddButton(this, "bnSet", "Set", 60, 192);
  bnExit = AddButton(this, "bnExit", "Exit", width - 60 - dialog_look::ButtonWidth, 192);
  bnExit->SetCancel(true);
  bnSet->OnClick = [this](TObject* Sender) { bnSetClick(Sender); };
  bnExit->OnClick = [this](TObject* Sender) { bnExitClick(Sender); };
}

TfmNetworkSetup::~TfmNetworkSetup() {
  if (fmNetworkSetup == this) fmNetworkSetup = nullptr;
}

std::string TfmNetworkSetup::GetIpText() const {
  return fmMain ? DeviceIpText(fmMain->GetState().DeviceIp) : std::string();
}

void TfmNetworkSetup::ShowDeviceId() {
  if (fmMain) edId->SetText(std::to_string(fmMain->GetState().DeviceId));
}

void TfmNetworkSetup::ShowDeviceIp() {
  if (!fmMain) return;
  const std::uint32_t ip = fmMain->GetState().DeviceIp;
  int shift = 24;
  for (TEdit* edit : {edIp1, edIp2, edIp3, edIp4}) {
    edit->SetText(std::to_string((ip >> shift) & 0xFF));
    shift -= 8;
  }
}

void TfmNetworkSetup::bnSetClick(TObject* /*Sender*/) {
  if (!fmMain) return;
  if (gbIdSetting->GetEnabled()) {
    const int id = id_setting::EditNumber(edId);
    if (id <= 0 || id > 250) {
      id_setting::ShowIdNumberError();
      // The message ran a modal loop: the window may be gone.
      if (!fmMain || !fmNetworkSetup) return;
      ShowDeviceId();
    } else if (id != fmMain->GetState().DeviceId) {
      fmMain->SetDeviceId(id);
      id_setting::SendDeviceId(id);
    }
    // The address is always set by hand here.
    std::uint32_t ip = 0;
    std::string text;
    for (TEdit* edit : {edIp1, edIp2, edIp3, edIp4}) {
      const auto octet = static_cast<std::uint32_t>(std::max(id_setting::EditNumber(edit), 0) % 256);
      ip = (ip << 8) | octet;
      text += (text.empty() ? "" : ".") + std::to_string(octet);
    }
    if (auto* socket = dynamic_cast<TClientSocket*>(fmMain->FindComponent("ClientSocket"))) {
      socket->SetActive(false);
      socket->SetAddress(text);
      socket->SetActive(true);
    }
    fmMain->SetDeviceIp(ip);
    fmMain->SetAutoIp(rbAutoSetting->GetChecked() ? 1 : 0);
  }
  CloseDialog(this, mrOk);
}

void TfmNetworkSetup::bnExitClick(TObject* /*Sender*/) {
  ShowDeviceId();
  CloseDialog(this, mrCancel);
}
