// The parameter upload chain, presets on the device, the device address, and
// the preset and unit files.

#include <algorithm>
#include <filesystem>
#include <string>

#include "controls/AdvProgressBar.h"
#include "dialogs/Finformation.h"
#include "dialogs/Fnetworksetup.h"
#include "dialogs/Fprocess.h"
#include "dialogs/Frecallpreset.h"
#include "dialogs/Fstorepreset.h"
#include "mainwindow/FMain.h"
#include "mainwindow/FMainDeviceCodes.h"
#include "mainwindow/FMainLanguage.h"
#include "model/FileIo.h"
#include "model/LUnitControl.h"
#include "model/PresetFile.h"
#include "platform/classlib/ComCtrls.h"
#include "platform/classlib/Dialogs.h"
#include "platform/classlib/ExtCtrls.h"
#include "platform/classlib/Menus.h"
#include "platform/classlib/RzControls.h"
#include "platform/classlib/StdCtrls.h"

namespace {

// Group control exists from this firmware date on (compared as text).
constexpr std::string_view GroupCtrlFirmware = "20191020";

}  // namespace

void TfmMain::SetProgress(const std::string& statusKey, int max) {
  if (!fmProcess) return;
  if (!statusKey.empty()) fmProcess->StatusBar->SetSimpleText(GetLangText(statusKey));
  fmProcess->ProgressBar->SetPosition(0);
  fmProcess->ProgressBar->SetMax(max);
}

void TfmMain::ShowSaveFailure(FileStatus status) {
  if (status == FileStatus::ReadOnly)
    ShowInformation("SID_INFO_READ_ONLY");
  else if (status == FileStatus::WriteFailed)
    ShowInformation("SID_INFO_ERROR_FILE");
}

void TfmMain::ShowInformation(std::string_view key) {
  if (!fmInformation) return;
  fmInformation->lbMessage->SetCaption(GetLangText(key));
  fmInformation->ShowModal();
}

// ---------------------------------------------------------------- the upload chain

void TfmMain::OnLockStatus(std::uint8_t /*deviceId*/, std::span<const std::uint8_t> payload) {
  if (payload.size() < 6) return AskAgain();
  if (payload[5] != 0) {
    PendingOp = 8;
    StartTimer("tmLockPrompt");
    return;
  }
  SendCommand(CM_MCS_CMD(static_cast<std::uint8_t>(DeviceId), device_code::Upload), false);
}

void TfmMain::OnStoredFlags(std::uint8_t /*deviceId*/, std::span<const std::uint8_t> payload) {
  // From here on the upload rewrites the model; a lost link puts it back.
  const UnitState before = UnitControl->SaveState();
  if (!UnitControl->SetStoredFlags(payload)) {
    UnitControl->RestoreState(before);
    return AskAgain();
  }
  if (!FModelBeforeUpload) FModelBeforeUpload = before;
  SendCommand(CM_MCS_CMD(static_cast<std::uint8_t>(DeviceId), device_code::PresetNumber), true);
  UnitControl->ResetPresetLists();
  SetProgress("SID_UPLOAD_PARAMETER", 26);
  StartTimer("tmProcessShow");
}

void TfmMain::OnPresetNumber(std::uint8_t /*deviceId*/, std::span<const std::uint8_t> payload) {
  if (payload.empty()) return AskAgain();
  PresetNumber = payload[0];
  const auto id = static_cast<std::uint8_t>(DeviceId);
  if (UsbProc)
    SendCommand(CM_MCS_CMD(id, device_code::AskAddress), true);
  else
    SendCommand(CM_MCS_CMD(id, device_code::StoredName, 0), true);
}

void TfmMain::OnDeviceIp(std::uint8_t /*deviceId*/, std::span<const std::uint8_t> payload) {
  if (payload.size() < 4) return AskAgain();
  DeviceIp = (std::uint32_t{payload[0]} << 24) | (std::uint32_t{payload[1]} << 16) |
             (std::uint32_t{payload[2]} << 8) | payload[3];
  if (fmNetworkSetup) fmNetworkSetup->ShowDeviceIp();
  SendCommand(CM_MCS_CMD(static_cast<std::uint8_t>(DeviceId), device_code::StoredName, 0), true);
}

void TfmMain::OnPresetName(std::uint8_t /*deviceId*/, std::span<const std::uint8_t> payload) {
  if (payload.empty()) return AskAgain();
  const int k = payload[0];
  if (k > 20) return;
  if (!UnitControl->SetStoredPresetName(k + 1, payload)) return AskAgain();
  const auto id = static_cast<std::uint8_t>(DeviceId);
  if (k + 1 < 21) {
    SendCommand(CM_MCS_CMD(id, device_code::StoredName, static_cast<std::uint8_t>(k + 1)), true);
    return;
  }
  const bool groupCtrl = FirmwareVersion >= GroupCtrlFirmware;
  if (auto* item = FindAs<TMenuItem>("GroupCtrl")) item->SetVisible(groupCtrl);
  if (groupCtrl)
    SendCommand(CM_MCS_CMD(id, device_code::GroupCtrl, 0), true);
  else
    SendCommand(CM_MCS_CMD(id, device_code::StatePacket, 0), true);
}

void TfmMain::OnGroupCtrlRecords(std::uint8_t /*deviceId*/, std::span<const std::uint8_t> payload) {
  if (!UnitControl->SetGroupCtrlRecords(payload)) return AskAgain();
  SendCommand(CM_MCS_CMD(static_cast<std::uint8_t>(DeviceId), device_code::StatePacket, 0), true);
}

void TfmMain::OnStatePacket(std::uint8_t deviceId, std::span<const std::uint8_t> payload) {
  ToProgramFolder();
  if (payload.empty() || !UnitControl->StoreStatePacket(payload)) return AskAgain();
  const int k = payload[0];
  if (k < 25) {
    SendCommand(CM_MCS_CMD(deviceId, device_code::StatePacket, static_cast<std::uint8_t>(k + 1)), true);
    if (fmProcess) fmProcess->ProgressBar->SetPosition(k);
    return;
  }
  if (fmProcess) fmProcess->ProgressBar->SetPosition(26);
  FModelBeforeUpload.reset();
  SendCommand(CM_MCS_CMD(static_cast<std::uint8_t>(DeviceId), device_code::KeepAlive), false);
  CloseProgress();
  RefreshFromModel(UnitControl.get());
  StartTimer("tmInLevelDet");
  if (auto* item = FindAs<TMenuItem>("Connect")) item->SetEnabled(true);
  if (auto* link = FindAs<TRzBmpButton>("rzbMenuLink")) {
    link->SetEnabled(true);
    link->SetDown(false);
    link->SetDown(true);
  }
}

// ---------------------------------------------------------------- unit-file transfers

void TfmMain::StartSlotRead(int slot) {
  PendingOp = 4;
  SendCommand(CM_MCS_CMD(static_cast<std::uint8_t>(DeviceId), device_code::SelectSlot,
                         static_cast<std::uint8_t>(slot)),
              true);
}

void TfmMain::OnSlotPacket(std::uint8_t deviceId, std::span<const std::uint8_t> payload) {
  if (payload.empty() || !UnitControl->StoreSlotPacket(PresetIndex, payload)) return AskAgain();
  const int k = payload[0];
  if (k < 25) {
    SendCommand(CM_MCS_CMD(deviceId, device_code::SlotPacket, static_cast<std::uint8_t>(k + 1)), true);
    return;
  }
  do ++PresetIndex;
  while (PresetIndex < 22 && !UnitControl->IsPresetStored(PresetIndex - 1));
  if (PresetIndex >= 22) {
    FUnitUploadRunning = false;
    SendCommand(CM_MCS_CMD(static_cast<std::uint8_t>(DeviceId), device_code::KeepAlive), false);
    CloseProgress();
    StartTimer("tmUpload");
    StartTimer("tmInLevelDet");
    return;
  }
  if (fmProcess) fmProcess->ProgressBar->SetPosition(fmProcess->ProgressBar->GetPosition() + 1);
  StartSlotRead(PresetIndex);
}

void TfmMain::DownloadNextRecord(int entry) {
  PageCounter = entry;
  while (PageCounter <= 22) {
    const UnitImageEntry& e = UnitImage.Entries[static_cast<std::size_t>(PageCounter - 1)];
    if (IsStoredEntry(e)) {
      SendCommand(BuildDownloadBlock(static_cast<std::uint8_t>(DeviceId), e, PageCounter - 1, 0), true);
      return;
    }
    ++PageCounter;
    if (fmProcess) fmProcess->ProgressBar->SetPosition(PageCounter);
  }
  // Every entry went out: the device restarts and the link closes.
  if (fmProcess) {
    fmProcess->Hide();
    fmProcess->StatusBar->SetSimpleText("");
  }
  SetEnabled(true);
  SendCommand(CM_MCS_MCU_RESET(static_cast<std::uint8_t>(DeviceId)), true);
  StartTimer("tmDisconnect");
}

void TfmMain::OnDownloadBlock(std::uint8_t /*deviceId*/, std::span<const std::uint8_t> payload) {
  if (payload.empty()) return;
  const int k = payload[0];
  if (k < 25) {
    const UnitImageEntry& e = UnitImage.Entries[static_cast<std::size_t>(PageCounter - 1)];
    SendCommand(BuildDownloadBlock(static_cast<std::uint8_t>(DeviceId), e, PageCounter - 1, k + 1), true);
    return;
  }
  ++PageCounter;
  if (fmProcess) fmProcess->ProgressBar->SetPosition(PageCounter);
  DownloadNextRecord(PageCounter);
}

void TfmMain::UploadUnitFile() {
  if (!Connected) return ShowInformation("SID_INFO_CON_FIRST");
  int stored = 0;
  PresetIndex = 255;
  for (int i = 0; i < 21; ++i)
    if (UnitControl->IsPresetStored(i)) {
      if (stored++ == 0) PresetIndex = i + 1;
    }
  if (stored == 0) return ShowInformation("SID_INFO_NO_SAVE_EXIST");
  StartTimer("tmInLevelDet", false);
  ResetMeters();
  FUnitUploadRunning = true;
  FWaitingDeviceInfo = true;
  SendCommand(CM_MCS_READ_EEPROM(static_cast<std::uint8_t>(DeviceId), 0, 19), true);
  SetProgress("SID_UPLOAD_PRESET", stored);
  if (fmProcess && !fmProcess->GetVisible()) fmProcess->ShowModal();
}

std::optional<std::string> TfmMain::AskUnitFileName() {
  auto* dialog = FindAs<TSaveDialog>("sdSaveUnit");
  if (!dialog) return std::nullopt;
  dialog->SetFileName("");
  if (!dialog->Execute()) return std::nullopt;
  return dialog->GetFileName();
}

void TfmMain::DownloadUnitFile() {
  if (!Connected) return ShowInformation("SID_INFO_CON_FIRST");
  auto* dialog = FindAs<TOpenDialog>("odOpenUnit");
  if (!dialog || !dialog->Execute()) return;
  // The dialog ran a modal loop: the link may be gone.
  if (!OpenLink()) return;
  UnitFileImage image{};
  if (ReadUnitFile(dialog->GetFileName(), image) != FileStatus::Ok)
    return ShowInformation("SID_INFO_ERROR_DOWNLAOD");
  UnitImage = image;
  PageCounter = 1;
  StartTimer("tmInLevelDet", false);
  ResetMeters();
  SetLinkTimeout(10000);
  PendingOp = 10;
  SendCommand(CM_MCS_CMD(static_cast<std::uint8_t>(DeviceId), device_code::FactoryReset), true);
  SetEnabled(false);
  SetProgress("SID_DOWNLOAD_PRESET", CountStoredEntries(UnitImage));
  if (fmProcess) fmProcess->Show();
}

// ---------------------------------------------------------------- presets and address

void TfmMain::StorePreset(int slot, const std::string& name) {
  if (!Connected || slot < 0 || slot > 20) return;
  StartTimer("tmInLevelDet", false);
  ResetMeters();
  PendingOp = 2;
  PresetNumber = slot + 1;
  UnitControl->SetPresetStored(slot);
  UnitControl->SetPresetNameText(name);
  char number[8];
  std::snprintf(number, sizeof number, "U%02d", slot + 1);
  if (auto* label = FindAs<TLabel>("lbPstNum")) label->SetCaption(number);
  if (auto* label = FindAs<TLabel>("lbPstName")) label->SetCaption(name);
  SetLinkTimeout(10000);
  const PresetNameBytes bytes = UnitControl->GetPresetNameBytes();
  SendCommand(CM_MCS_PRESETNAME(static_cast<std::uint8_t>(DeviceId), bytes), true);
  SetProgress("SID_STORE_PRESET", 2);
  if (fmProcess && !fmProcess->GetVisible()) fmProcess->ShowModal();
}

void TfmMain::RecallPreset(int n) {
  if (!Connected || n < 0 || n > 21) return;
  StartTimer("tmInLevelDet", false);
  ResetMeters();
  PendingOp = 1;
  SetLinkTimeout(10000);
  PresetNumber = n;
  SendCommand(
      CM_MCS_CMD(static_cast<std::uint8_t>(DeviceId), device_code::Recall, static_cast<std::uint8_t>(n)),
      true);
  SetProgress("SID_LOAD_PRESET", 26);
  if (fmProcess && !fmProcess->GetVisible()) fmProcess->ShowModal();
}

void TfmMain::SetDeviceIp(std::uint32_t ip) {
  if (ip == DeviceIp) return;
  DeviceIp = ip;
  SendCommand(CM_MCS_CMD(static_cast<std::uint8_t>(DeviceId), device_code::SetAddress,
                         static_cast<std::uint8_t>(ip >> 24), static_cast<std::uint8_t>(ip >> 16),
                         static_cast<std::uint8_t>(ip >> 8), static_cast<std::uint8_t>(ip)),
              true);
}

void TfmMain::SetRecallPresetName(int row, const std::string& name) {
  if (fmRecallPreset) fmRecallPreset->SetPresetName(row, name);
}

void TfmMain::SetStorePresetName(int row, const std::string& name) {
  if (fmStorePreset) fmStorePreset->SetPresetName(row, name);
}

// ---------------------------------------------------------------- preset files

void TfmMain::SavePresetFile() {
  auto* dialog = FindAs<TSaveDialog>("sdSavePreset");
  if (dialog) {
    dialog->SetFileName("");
    if (dialog->Execute()) {
      const std::string path = FileNameWithExtension(dialog->GetFileName(), PresetFileExtension);
      ShowSaveFailure(WritePresetFile(path, *UnitControl));
    }
  }
  ToProgramFolder();
}

void TfmMain::OpenPresetFile() {
  auto* dialog = FindAs<TOpenDialog>("odOpenPreset");
  if (!dialog || !dialog->Execute()) return;
  DeselectPeqBands();
  PresetFileBody body{};
  if (ReadPresetFile(dialog->GetFileName(), body) != FileStatus::Ok)
    return ShowInformation("SID_INFO_ERROR_FILE");
  TransferKind = 12;
  // The dialog ran a modal loop: read the link state now.
  const bool connected = Connected && OpenLink();
  if (connected) StartTimer("tmInLevelDet", false);
  UnitControl->LoadPresetAndSend(body);
  if (connected) {
    SendCommand(CM_MCS_CMD(static_cast<std::uint8_t>(DeviceId), device_code::Levels), true);
    if (fmProcess) {
      fmProcess->ProgressBar->SetMax(250);
      fmProcess->ProgressBar->SetPosition(0);
      if (!fmProcess->GetVisible()) fmProcess->ShowModal();
    }
  }
  Refreshing = true;
  RefreshFromModel(UnitControl.get());
  Refreshing = false;
}
