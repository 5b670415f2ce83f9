// The message map's neighbours: the shell's one-shot timers, the level poll,
// the TCP client socket's events and closing the window.

#include <chrono>
#include <filesystem>
#include <thread>

#include "dialogs/FHidData.h"
#include "dialogs/Fexit.h"
#include "dialogs/Flockpassword.h"
#include "dialogs/Fnetworkscan.h"
#include "dialogs/Fprocess.h"
#include "link/LComm.h"
#include "link/LNet.h"
#include "link/LUsb.h"
#include "mainwindow/FMain.h"
#include "mainwindow/FMainDeviceCodes.h"
#include "model/LUnitControl.h"
#include "platform/classlib/ExtCtrls.h"
#include "platform/classlib/RzControls.h"
#include "platform/classlib/StdCtrls.h"
#include "platform/hidctl/JvHidDeviceController.h"
#include "platform/net/ClientSocket.h"

TTimer* TfmMain::FindTimer(std::string_view name) const {
  return FindAs<TTimer>(name);
}

void TfmMain::StartTimer(std::string_view name, bool enabled) const {
  if (TTimer* timer = FindTimer(name)) timer->SetEnabled(enabled);
}

// Events of the window's timers, socket and HID controller, bound once the
// controls exist.
void TfmMain::BindLinkRoad() {
  auto bind = [this](std::string_view name, void (TfmMain::*handler)(TObject*)) {
    if (TTimer* timer = FindTimer(name))
      timer->OnTimer = [this, handler](TObject* s) { (this->*handler)(s); };
  };
  bind("tmDisconnect", &TfmMain::tmDisconnectTimer);
  bind("tmComScan", &TfmMain::tmComScanTimer);
  bind("tmLockPrompt", &TfmMain::tmLockPromptTimer);
  bind("tmProcessShow", &TfmMain::tmProcessShowTimer);
  bind("tmUpload", &TfmMain::tmUploadTimer);
  bind("tmInLevelDet", &TfmMain::tmInLevelDetTimer);
  if (auto* socket = FindAs<TClientSocket>("ClientSocket")) {
    socket->OnConnecting = [this](TObject* s, TCustomWinSocket* k) { ClientSocketConnecting(s, k); };
    socket->OnConnect = [this](TObject* s, TCustomWinSocket* k) { ClientSocketConnect(s, k); };
    socket->OnRead = [this](TObject* s, TCustomWinSocket* k) { ClientSocketRead(s, k); };
    socket->OnError = [this](TObject* s, TCustomWinSocket* k, TErrorEvent e, int& code) {
      ClientSocketError(s, k, e, code);
    };
  }
  if (auto* ctl = FindAs<TJvHidDeviceController>("HidCtl")) {
    // The controller outlives the window's own parts while the window is
    // freed (it is an owned component) and reports its devices' goodbyes
    // then: a window on its way out (fmMain cleared) takes none of them.
    auto alive = [this] { return fmMain == this; };
    ctl->SetOnEnumerate([this, alive](TJvHidDevice* d, int i) { return !alive() || HidCtlEnumerate(d, i); });
    ctl->SetOnDeviceData(
        [this, alive](TJvHidDevice* d, std::uint8_t id, const std::uint8_t* data, std::uint16_t size) {
          if (alive()) HidCtlDeviceData(d, id, data, size);
        });
    ctl->SetOnDeviceDataError([this, alive](TJvHidDevice* d, std::uint32_t e) {
      if (alive()) HidCtlDeviceDataError(d, e);
    });
    ctl->SetOnDeviceUnplug([this, alive](TJvHidDevice* d) {
      if (alive()) HidCtlDeviceUnplug(d);
    });
    ctl->SetOnDeviceChange([this, alive](TObject* s) {
      if (alive()) HidCtlDeviceChange(s);
    });
  }
  OnClose = [this](TObject* s, TCloseAction& action) { FormClose(s, action); };
}

void TfmMain::tmDisconnectTimer(TObject* /*Sender*/) {
  StartTimer("tmDisconnect", false);
  if (!OpenLink()) return;
  Disconnect();
  // A link that never passed the identity check is closed all the same.
  if (OpenLink()) StopOpenLinks();
  if (fmNetwork) fmNetwork->LinkBroken();
}

void TfmMain::tmComScanTimer(TObject* /*Sender*/) {
  StartTimer("tmComScan", false);
  if (!fmNetwork || !fmNetwork->GetVisible()) return;
  if (CommProc) {
    CommProc->Close();
    CommProc.reset();
    fmNetwork->ConnectResult(0);
  }
  if (UsbProc) {
    UsbProc->Stop();
    UsbProc.reset();
    fmNetwork->ConnectResult(0);
  }
  if (NetProc) {
    NetProc->Stop();
    NetProc.reset();
    fmNetwork->ConnectResult(0);
  }
}

void TfmMain::tmLockPromptTimer(TObject* /*Sender*/) {
  StartTimer("tmLockPrompt", false);
  if (PendingOp == 8 && fmLockPassWord && !fmLockPassWord->GetVisible()) fmLockPassWord->ShowModal();
}

void TfmMain::tmProcessShowTimer(TObject* /*Sender*/) {
  StartTimer("tmProcessShow", false);
  if (fmProcess && !fmProcess->GetVisible()) fmProcess->ShowModal();
}

void TfmMain::CloseProgress() {
  // A quick device ends a transfer before the window's delayed showing.
  StartTimer("tmProcessShow", false);
  if (fmProcess) fmProcess->Close();
}

void TfmMain::tmUploadTimer(TObject* /*Sender*/) {
  TTimer* timer = FindTimer("tmUpload");
  if (!timer || !timer->GetEnabled()) return;
  timer->SetEnabled(false);
  const FileStatus saved = UnitControl->SaveUnitFile();
  ToProgramFolder();
  ShowSaveFailure(saved);
  StartTimer("tmInLevelDet");
}

void TfmMain::tmInLevelDetTimer(TObject* /*Sender*/) {
  SendCommand(CM_MCS_CMD(static_cast<std::uint8_t>(DeviceId), device_code::Levels), false);
}

// ---------------------------------------------------------------- socket events

void TfmMain::ClientSocketConnecting(TObject* /*Sender*/, TCustomWinSocket* /*Socket*/) {
  if (fmNetwork) fmNetwork->lblScan->SetCaption("Network Connecting");
}

void TfmMain::ClientSocketConnect(TObject* /*Sender*/, TCustomWinSocket* Socket) {
  if (fmNetwork && Socket) fmNetwork->lblScan->SetCaption("Connecting IP:" + Socket->GetRemoteAddress());
}

void TfmMain::ClientSocketError(TObject* /*Sender*/, TCustomWinSocket* /*Socket*/, TErrorEvent /*ErrorEvent*/,
                                int& ErrorCode) {
  // A failed connection shows as a missing reply; the link's time-out acts.
  ErrorCode = 0;
}

void TfmMain::ClientSocketRead(TObject* /*Sender*/, TCustomWinSocket* Socket) {
  if (!Socket) return;
  std::uint8_t buffer[100];
  const int n = Socket->ReceiveBuf(buffer, sizeof buffer);
  if (n <= 0) return;
  const std::size_t size = static_cast<std::size_t>(n);
  // The engine cuts reads into frames: a part of a frame or several frames
  // in one read are taken as they come.
  if (NetProc) NetProc->OnReceived(buffer, size);
  if (!TfmHidData::Listening()) return;
  // One line per frame as the length byte (the fifth) tells, so that merged
  // replies show each; a piece too short to tell is listed whole.
  for (std::size_t at = 0; at < size;) {
    const std::size_t left = size - at;
    const std::size_t take = left < 5 ? left : std::min<std::size_t>(left, buffer[at + 4] + 8u);
    std::string line = "NET R ";
    char cell[8];
    for (std::size_t i = at; i < at + take; ++i) {
      std::snprintf(cell, sizeof cell, "%02X ", buffer[i]);
      line += cell;
    }
    AddTrafficLine(TrafficKind::Net, std::move(line));
    at += take;
  }
}

// ---------------------------------------------------------------- link log lines

void TfmMain::TakeLinkLogLines() {
  for (LinkEngine* link : {static_cast<LinkEngine*>(CommProc.get()), static_cast<LinkEngine*>(UsbProc.get()),
                           static_cast<LinkEngine*>(NetProc.get())}) {
    if (!link) continue;
    const TrafficKind kind = link == CommProc.get()  ? TrafficKind::Serial
                             : link == UsbProc.get() ? TrafficKind::Usb
                                                     : TrafficKind::Net;
    for (std::string& line : link->TakeLogLines()) AddTrafficLine(kind, std::move(line));
  }
}

// ---------------------------------------------------------------- closing

void TfmMain::FormClose(TObject* /*Sender*/, TCloseAction& Action) {
  if (!CloseConfirmed) {
    if (fmExit && !fmExit->GetVisible()) fmExit->Show();
    Action = caNone;
    return;
  }
  Action = caHide;
  if (CommProc) {
    CommProc->Close();
    CommProc.reset();
  }
  if (UsbProc) {
    UsbProc->Stop();
    UsbProc.reset();
  }
  if (NetProc) {
    NetProc->Stop();
    NetProc.reset();
    // The device sees the connection end now, not when the forms go.
    if (auto* socket = FindAs<TClientSocket>("ClientSocket")) socket->SetActive(false);
  }
}

void TfmMain::ExitClick(TObject* /*Sender*/) {
  if (fmExit && !fmExit->GetVisible()) fmExit->ShowModal();
}
