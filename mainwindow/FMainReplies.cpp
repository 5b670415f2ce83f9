// The reply dispatcher: every frame a link delivers, routed by its code, and
// the give-up of a link.

#include <algorithm>
#include <utility>

#include "dialogs/Flockpassword.h"
#include "dialogs/Fnetworkscan.h"
#include "dialogs/Fprocess.h"
#include "controls/AdvProgressBar.h"
#include "link/LComm.h"
#include "link/LNet.h"
#include "link/LUsb.h"
#include "link/ReplyMatch.h"
#include "mainwindow/FMain.h"
#include "mainwindow/FMainDeviceCodes.h"
#include "model/LUnitControl.h"
#include "platform/classlib/ExtCtrls.h"

void TfmMain::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_LINK_FRAME:
      WMLinkFrame(Message);
      return;
    case WM_LINK_TIMEOUT:
      WMLinkTimeout(Message);
      return;
    case WM_LINK_LOG:
      TakeLinkLogLines();
      return;
    case WM_TRAFFIC_LINES:
      DrainTrafficLines();
      return;
    case WM_LINK_LOST:
      LinkLost();
      return;
    case WM_SHOW_REFUSAL:
      if (!FRefusalKey.empty()) ShowInformation(std::exchange(FRefusalKey, std::string()));
      return;
    default:
      TForm::Dispatch(Message);
  }
}

void TfmMain::WMLinkFrame(TMessage& Message) {
  const auto* frame = reinterpret_cast<const ByteVector*>(Message.WParam);
  if (!frame) return;
  const LCmd reply = ParseFrame(*frame);
  // A block without the frame's head and trailer only ended the link's wait.
  if (reply.Unframed) return;
  if ((CommProc || NetProc) && reply.DeviceId != DeviceId) {
    StartTimer("tmComScan");
    return;
  }
  // A parameter reply acts only as the answer to its own request, once:
  // a duplicate, or one nobody asked for, would rewrite the model or run
  // the rest of a transfer again.
  if (IsAnswerOnlyCode(reply.Code)) {
    const LinkEngine* link = OpenLink();
    if (!link || !link->DeliveredAnswer()) return NoteDroppedReply(*frame);
  }
  if (UsbProc) SetDeviceId(reply.DeviceId);
  const std::span<const std::uint8_t> payload(reply.Payload);
  const std::uint8_t id = reply.DeviceId;
  switch (reply.Code) {
    case 0x01:
      OnAcknowledge();
      break;
    case 0x10:
      OnHelloAnswer();
      break;
    case 0x13:
      if (fmNetwork) fmNetwork->ConnectResult(1);
      OnIdentity(payload, false);
      break;
    case 0x14:
      OnPresetNumber(id, payload.first(std::min<std::size_t>(payload.size(), 1)));
      break;
    case 0x19:
      // Only while a unit upload waits for the device-info block.
      if (FWaitingDeviceInfo) {
        if (!UnitControl->SetDeviceInfo(payload)) return AskAgain();
        FWaitingDeviceInfo = false;
        StartSlotRead(PresetIndex);
      }
      break;
    case 0x22:
      OnStoredFlags(id, payload);
      break;
    case 0x24:
      OnStatePacket(id, payload);
      break;
    case 0x25:
      // Only while a download runs.
      if (PageCounter >= 1 && PageCounter <= 22) OnDownloadBlock(id, payload);
      break;
    case 0x28:
      // Only while a unit upload reads a stored preset.
      if (FUnitUploadRunning && PresetIndex >= 1 && PresetIndex <= 21) OnSlotPacket(id, payload);
      break;
    case 0x29:
      OnPresetName(id, payload);
      break;
    case 0x2C:
      OnLockStatus(id, payload);
      break;
    case 0x2D:
      if (payload.size() >= 2 && payload[0] == 0 && fmLockPassWord) fmLockPassWord->SetCheckState(payload[1]);
      break;
    case 0x40:
      OnLevels(id, payload);
      if (TransferKind == 12) {
        TransferKind = 0;
        SendCommand(CM_MCS_CMD(static_cast<std::uint8_t>(DeviceId), device_code::KeepAlive), false);
        CloseProgress();
        StartTimer("tmInLevelDet");
      }
      break;
    case 0x41:
      OnGateLevels(id, payload);
      break;
    case 0x52:
      if (fmNetwork) fmNetwork->ConnectResult(1);
      OnIdentity(payload, true);
      break;
    case 0x6C:
      OnGroupCtrlRecords(id, payload);
      break;
    case 0xB0:
      OnDeviceIp(id, payload);
      break;
    default:
      break;
  }
}

void TfmMain::OnAcknowledge() {
  const auto id = static_cast<std::uint8_t>(DeviceId);
  const int op = PendingOp;
  PendingOp = 0;
  TAdvProgressBar* bar = fmProcess ? fmProcess->ProgressBar : nullptr;
  switch (op) {
    case 1:
      SetLinkTimeout(5000);
      SendCommand(CM_MCS_CMD(id, device_code::StatePacket, 0), true);
      break;
    case 2:
      SetLinkTimeout(10000);
      SendCommand(CM_MCS_CMD(id, device_code::Store, static_cast<std::uint8_t>(PresetNumber)), true);
      if (bar) bar->SetPosition(1);
      PendingOp = 9;
      break;
    case 9:
      if (bar) bar->SetPosition(bar->GetMax());
      SendCommand(CM_MCS_CMD(id, device_code::KeepAlive), false);
      CloseProgress();
      StartTimer("tmInLevelDet");
      break;
    case 3:
      SetLinkTimeout(5000);
      SendCommand(CM_MCS_MCU_RESET(id), true);
      StartTimer("tmDisconnect");
      break;
    case 4:
      SetLinkTimeout(5000);
      SendCommand(CM_MCS_CMD(id, device_code::SlotPacket, 0), true);
      break;
    case 10:
      SendCommand(
          CM_MCS_WRITE_EEPROM(id, 1, 18, std::span<const std::uint8_t>(UnitImage.Info).subspan(1, 18)), true);
      PendingOp = 5;
      break;
    case 5:
      DownloadNextRecord(PageCounter);
      break;
    case 6:
      SetLinkTimeout(5000);
      SendCommand(CM_MCS_CMD(id, device_code::Upload), true);
      break;
    default:
      if (TransferKind == 12 && bar) bar->SetPosition(bar->GetPosition() + 1);
      break;
  }
}

void TfmMain::WMLinkTimeout(TMessage& Message) {
  if (Message.WParam == LinkNoAnswer && HelloPending) {
    HelloPending = false;
    StopOpenLinks();
    if (fmNetwork) fmNetwork->ConnectResult(0);
  }
  if (Connected) LinkLost();
  TForm::Dispatch(Message);
}

void TfmMain::LinkLost() {
  if (!OpenLink()) return;
  Disconnect();
  // A link lost without a passed identity check is still torn down.
  if (OpenLink()) StopOpenLinks();
  Connected = false;
  Online = false;
  EndTransfers();
  if (!fmNetwork) return;
  fmNetwork->pbScan->SetPosition(0);
  fmNetwork->LinkBroken();
  // A scan closing on its success (its loop still unwinding under the
  // progress window's) stays up to tell of the loss.
  if (fmNetwork->IsModal())
    fmNetwork->SetModalResult(mrNone);
  else if (!fmNetwork->GetVisible())
    fmNetwork->ShowModal();
}

void TfmMain::EndTransfers() {
  if (FModelBeforeUpload) {
    UnitControl->RestoreState(*FModelBeforeUpload);
    FModelBeforeUpload.reset();
  }
  FLastRequest.reset();
  FAskedAgain = 0;
  FUnitUploadRunning = false;
  FWaitingDeviceInfo = false;
  PendingOp = 0;
  TransferKind = 0;
  PageCounter = 0;
  CloseProgress();
  if (fmProcess) fmProcess->Hide();
  SetEnabled(true);
}

void TfmMain::AskAgain() {
  LinkEngine* link = OpenLink();
  if (!link || !FLastRequest) return;
  if (++FAskedAgain > link->GetRetryLimit()) {
    // The link stops once this delivery has returned.
    PostMessage(GetHandle(), WM_LINK_LOST, 0, 0);
    return;
  }
  const LCmd request = *FLastRequest;
  SendCommand(request, true);
}
