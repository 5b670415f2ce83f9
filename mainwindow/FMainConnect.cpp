// Connecting a link, the greeting and identity check, and disconnecting.

#include <filesystem>

#include "dialogs/Finformation.h"
#include "dialogs/Fnetworkscan.h"
#include "dialogs/Fnetworksetup.h"
#include "link/LComm.h"
#include "link/LNet.h"
#include "link/LUsb.h"
#include "mainwindow/FMain.h"
#include "mainwindow/FMainDeviceCodes.h"
#include "mainwindow/FMainLanguage.h"
#include "model/CommonConstants.h"
#include "platform/classlib/ExtCtrls.h"
#include "platform/classlib/Menus.h"
#include "platform/classlib/RzControls.h"
#include "platform/classlib/StdCtrls.h"
#include "platform/classlib/WindowTarget.h"
#include "platform/net/ClientSocket.h"

sys::MessageTarget* TfmMain::LinkTarget() {
  if (!FLinkTarget) FLinkTarget = std::make_unique<TWindowTarget>(this);
  return FLinkTarget.get();
}

void TfmMain::ConnectSerial() {
  Connected = false;
  if (CommProc) {
    CommProc->Close();
    CommProc.reset();
  }
  CommProc = std::make_unique<LCommProc>(LinkTarget(), this, DeviceId);
  // The scan names a serial port by its device path.
  if (!CommProc->Open(ComPortName, LComm::LinkBaudRate, 8, SerialParity::None, 1)) {
    CommProc->Close();
    CommProc.reset();
    if (fmNetwork) fmNetwork->LinkBroken();
    return;
  }
  SetLinkTimeout(1000);
  SetLinkRetries(0);
  HelloPending = true;
  SendCommand(CM_MCS_CMD(static_cast<std::uint8_t>(DeviceId), device_code::Hello), true);
}

void TfmMain::ConnectUsb() {
  Connected = false;
  if (UsbProc) {
    UsbProc->Stop();
    UsbProc.reset();
  }
  UsbProc = std::make_unique<LUsbProc>(LinkTarget(), this, DeviceId);
  if (!UsbProc->Start()) {
    UsbProc.reset();
    if (fmNetwork) fmNetwork->ConnectResult(0);
    return;
  }
  SetLinkTimeout(100);
  SetLinkRetries(3);
  HelloPending = true;
  SendCommand(CM_MCS_CMD(static_cast<std::uint8_t>(DeviceId), device_code::Hello), true);
}

void TfmMain::ConnectNetwork() {
  Connected = false;
  if (NetProc) {
    NetProc->Stop();
    NetProc.reset();
  }
  NetProc = std::make_unique<LNetProc>(LinkTarget(), this, DeviceId);
  if (!NetProc->Start()) {
    NetProc.reset();
    if (fmNetwork) fmNetwork->ConnectResult(0);
    return;
  }
  // The scan's discovery may have opened the socket already.
  if (auto* socket = FindAs<TClientSocket>("ClientSocket"); socket && !socket->GetActive())
    socket->SetActive(true);
  SetLinkTimeout(4000);
  SetLinkRetries(0);
  HelloPending = true;
  SendCommand(CM_MCS_CMD(static_cast<std::uint8_t>(DeviceId), device_code::Hello), true);
}

void TfmMain::OnHelloAnswer() {
  HelloPending = false;
  Connected = true;
  SendCommand(CM_MCS_CMD(static_cast<std::uint8_t>(DeviceId), device_code::Identity), true);
  SetKeepAliveOff(false);
  SetLinkRetries(2);
  SetLinkTimeout(5000);
}

void TfmMain::OnIdentity(std::span<const std::uint8_t> payload, bool storeFirmware) {
  const std::string text(payload.begin(), payload.end());
  const char* failKey = nullptr;
  if (text.compare(0, 4, "TAVO") != 0 || text.size() < 4)
    failKey = "SID_INFO_ERROR_UNIT";
  else if (text.size() < 9 || text.compare(0, 9, "TAVO V013") != 0)
    failKey = "SID_INFO_ERROR_VERSION";
  if (failKey) {
    // The link work happens now; the message waits until this delivery has
    // returned, so the link worker never waits on the user and the goodbye
    // goes out before the disconnect timer stops the engine.
    SendCommand(CM_MCS_CMD(255, device_code::Goodbye), true);
    SetKeepAliveOff(true);
    Connected = false;
    if (fmNetwork && fmNetwork->IsModal()) fmNetwork->SetModalResult(mrCancel);
    FRefusalKey = failKey;
    PostMessage(GetHandle(), WM_SHOW_REFUSAL, 0, 0);
    StartTimer("tmDisconnect");
    return;
  }
  if (storeFirmware) FirmwareVersion = text.size() > 10 ? text.substr(10, 8) : std::string();
  if (auto* link = FindAs<TRzBmpButton>("rzbMenuLink")) {
    link->SetCaption(GetLangText("SID_ONLINE"));
    link->SetDown(true);
  }
  if (auto* item = FindAs<TMenuItem>("Connect")) item->SetCaption(GetLangText("SID_DISCONNECT"));
  std::string caption = std::string(AppTitle) + " " + std::string(AppVersion) + "    Connected Port => ";
  if (NetProc)
    caption += "IP : " + (fmNetworkSetup ? fmNetworkSetup->GetIpText() : DeviceIpText(DeviceIp));
  else if (CommProc)
    caption += ComPortName;
  else if (UsbProc)
    caption += "USB";
  SetCaption(caption);
  Online = true;
  SendCommand(CM_MCS_CMD(static_cast<std::uint8_t>(DeviceId), device_code::LockStatus), true);
}

void TfmMain::StopOpenLinks() {
  if (CommProc) {
    CommProc->Close();
    CommProc.reset();
  } else if (UsbProc) {
    UsbProc->Stop();
    UsbProc.reset();
  } else if (NetProc) {
    NetProc->Stop();
    NetProc.reset();
    if (auto* socket = FindAs<TClientSocket>("ClientSocket")) socket->SetActive(false);
  }
}

void TfmMain::Disconnect() {
  if (!fmNetwork || !fmNetwork->HasSucceeded()) return;
  // Not queued: a poll still waiting for its answer would keep the goodbye
  // back until the stop dropped it.
  SendLastCommand(CM_MCS_CMD(1, device_code::Goodbye));
  ToProgramFolder();
  Connected = false;
  StopOpenLinks();
  if (auto* item = FindAs<TMenuItem>("Connect")) {
    item->SetCaption(GetLangText("SID_CONNECT"));
    item->SetEnabled(true);
  }
  if (auto* link = FindAs<TRzBmpButton>("rzbMenuLink")) {
    link->SetCaption(GetLangText("SID_OFFLINE"));
    link->SetEnabled(true);
    link->SetDown(false);
  }
  SetCaption(std::string(AppTitle) + " " + std::string(AppVersion));
  Online = false;
  SetEnabled(true);
  StartTimer("tmInLevelDet", false);
  ResetMeters();
}
