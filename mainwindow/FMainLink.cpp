// The main window's link glue: the one send funnel, the physical writes the
// engines call back, the traffic lines and the HID controller's events.

#include <cstdio>
#include <cstring>
#include <filesystem>

#include "dialogs/FHidData.h"
#include "dialogs/Fnetworksetup.h"
#include "link/LComm.h"
#include "link/LNet.h"
#include "link/LUsb.h"
#include "link/ReplyMatch.h"
#include "mainwindow/FMain.h"
#include "model/LUnitControl.h"
#include "platform/classlib/ExtCtrls.h"
#include "platform/classlib/StdCtrls.h"
#include "platform/hidctl/JvHidDeviceController.h"
#include "platform/net/ClientSocket.h"
#include "platform/sys/CodePage.h"

namespace {

constexpr std::uint16_t DeviceVendorId = 0x0168;
constexpr std::uint16_t DeviceProductId = 0x0821;

std::string HexLine(const char* head, const std::uint8_t* data, std::size_t from, std::size_t to) {
  std::string line = head;
  char cell[8];
  for (std::size_t i = from; i < to; ++i) {
    std::snprintf(cell, sizeof cell, "%02X ", data[i]);
    line += cell;
  }
  return line;
}

// The bytes of a frame: its length byte (byte 4) plus 8, at most size.
std::size_t FrameLength(const std::uint8_t* data, std::size_t size) {
  if (size < 5) return size;
  return std::min<std::size_t>(size, data[4] + 8u);
}

}  // namespace

LinkEngine* TfmMain::OpenLink() const {
  if (CommProc) return CommProc.get();
  if (UsbProc) return UsbProc.get();
  if (NetProc) return NetProc.get();
  return nullptr;
}

void TfmMain::SendCommand(const LCmd& command, bool append) {
  if (FSendSink) FSendSink(command, append);
  // The last request that waits for its own reply, to ask again when its
  // reply cannot be read.
  if (FindReplyRule(command.Code)) {
    if (!FLastRequest || FLastRequest->Code != command.Code || FLastRequest->Payload != command.Payload)
      FAskedAgain = 0;
    FLastRequest = command;
  }
  LinkEngine* link = OpenLink();
  if (!link) return;
  link->SendCommand(BuildFrame(command, 1), append);
}

void TfmMain::SendLastCommand(const LCmd& command) {
  if (FSendSink) FSendSink(command, true);
  if (LinkEngine* link = OpenLink()) link->SendLast(BuildFrame(command, 1));
}

void TfmMain::SetLinkTimeout(std::uint32_t ms) {
  if (LinkEngine* link = OpenLink()) link->SetTimeout(ms);
}

void TfmMain::SetLinkRetries(int count) {
  if (LinkEngine* link = OpenLink()) link->SetRetryLimit(count);
}

void TfmMain::SetKeepAliveOff(bool off) {
  if (LinkEngine* link = OpenLink()) link->SetKeepAliveOff(off);
}

void TfmMain::SetDeviceId(int id) {
  if (id < 1 || id > 250 || id == DeviceId) return;
  DeviceId = id;
  if (auto* label = FindAs<TLabel>("lbShowIdNumber")) label->SetCaption("ID : " + std::to_string(id));
  if (fmNetworkSetup) fmNetworkSetup->ShowDeviceId();
  if (LinkEngine* link = OpenLink()) link->SetDeviceId(id);
}

int TfmMain::GetLinkMask(int channel) const {
  return UnitControl ? UnitControl->GetLinkMask(channel) : 0;
}

std::string TfmMain::WideToAnsi(std::string_view text) {
  return Utf8ToAnsi(text);
}

void TfmMain::RecheckOutHidDevice() {
  auto* ctl = FindAs<TJvHidDeviceController>("HidCtl");
  if (!ctl || !HidDevice) return;
  ctl->CheckIn(HidDevice);
  HidDevice = nullptr;
  TJvHidDevice* dev = nullptr;
  if (ctl->CheckOutByIndex(dev, HidDeviceIndex)) HidDevice = dev;
}

void TfmMain::DiscoverNetworkDevice() {
  if (AutoIp == 0) {
    if (auto* socket = FindAs<TClientSocket>("ClientSocket")) socket->SetActive(true);
  } else {
    DeviceIp = 0;
  }
}

// ---------------------------------------------------------------- writes

bool TfmMain::WriteUsbReport(const std::uint8_t* data, std::size_t size, std::string& error) {
  TJvHidDevice* dev = HidDevice;
  if (!UsbProc || !dev) {
    error = "no USB device";
    return false;
  }
  const std::size_t reportLength = dev->GetCaps().OutputReportByteLength;
  const ByteVector report = BuildUsbOutputReport(data, size, reportLength);
  if (report.empty()) {
    error = "frame longer than the output report";
    return false;
  }
  std::uint32_t written = 0;
  const bool ok = dev->WriteFile(report.data(), static_cast<std::uint32_t>(report.size()), written);
  char head[16];
  std::snprintf(head, sizeof head, "USB W %02X  ", report[0]);
  AddTrafficLine(TrafficKind::Usb, head + HexLine("", data, 0, FrameLength(data, size)));
  if (!ok) error = "the device refused the report";
  return ok;
}

bool TfmMain::WriteSocket(const std::uint8_t* data, std::size_t size, std::string& error) {
  auto* socket = FindAs<TClientSocket>("ClientSocket");
  TCustomWinSocket* s = socket ? socket->GetSocket() : nullptr;
  if (!s) {
    error = "no socket";
    return false;
  }
  const int sent = s->SendBuf(data, static_cast<int>(size));
  AddTrafficLine(TrafficKind::Net, HexLine("NET W ", data, 1, FrameLength(data, size)));
  if (sent != static_cast<int>(size)) {
    error = "the socket took " + std::to_string(sent) + " of " + std::to_string(size) + " bytes";
    return false;
  }
  return true;
}

void TfmMain::LogSerialWrite(const std::uint8_t* data, std::size_t size) {
  AddTrafficLine(TrafficKind::Serial, HexLine("COM W ", data, 0, size));
}

void TfmMain::LogSerialRead(const std::uint8_t* data, std::size_t size) {
  AddTrafficLine(TrafficKind::Serial, HexLine("COM R ", data, 0, size));
}

// ---------------------------------------------------------------- traffic lines

void TfmMain::AddTrafficLine(TrafficKind kind, std::string line) {
  // Frames seen while the window is hidden leave no trace, also when it is
  // shown before the queued lines reach it.
  if (!TfmHidData::Listening()) return;
  bool post = false;
  {
    std::lock_guard<std::mutex> lock(FTrafficLock);
    // A window nobody drains must not grow without end.
    if (FTrafficLines.size() >= 1000) FTrafficLines.erase(FTrafficLines.begin());
    FTrafficLines.emplace_back(kind, std::move(line));
    post = !FTrafficPosted;
    FTrafficPosted = true;
  }
  if (post) PostMessage(GetHandle(), WM_TRAFFIC_LINES, 0, 0);
}

void TfmMain::DrainTrafficLines() {
  std::vector<std::pair<TrafficKind, std::string>> lines;
  {
    std::lock_guard<std::mutex> lock(FTrafficLock);
    lines.swap(FTrafficLines);
    FTrafficPosted = false;
  }
  if (!fmHidData || !fmHidData->GetVisible()) return;
  auto* list = fmHidData->hbHidData;
  bool added = false;
  for (auto& [kind, line] : lines) {
    const bool open = (kind == TrafficKind::Usb && UsbProc) || (kind == TrafficKind::Net && NetProc) ||
                      (kind == TrafficKind::Serial && CommProc);
    if (!open) continue;
    list->GetItems()->Add(line);
    added = true;
  }
  if (!added) return;
  // A window left open must not grow without end: the newest lines stay.
  constexpr int MaxTrafficLines = 10000;
  while (list->GetCount() > MaxTrafficLines) list->GetItems()->Delete(0);
  list->SetItemIndex(list->GetCount() - 1);
}

void TfmMain::NoteDroppedReply(const ByteVector& frame) {
  const TrafficKind kind = CommProc ? TrafficKind::Serial : UsbProc ? TrafficKind::Usb : TrafficKind::Net;
  AddTrafficLine(kind, HexLine("Unasked reply dropped: ", frame.data(), 0, frame.size()));
}

// ---------------------------------------------------------------- HID events

void TfmMain::HidCtlDeviceChange(TObject* /*Sender*/) {
  if (auto* ctl = FindAs<TJvHidDeviceController>("HidCtl")) ctl->Enumerate();
}

bool TfmMain::HidCtlEnumerate(TJvHidDevice* HidDev, int Idx) {
  auto* ctl = FindAs<TJvHidDeviceController>("HidCtl");
  if (!ctl || !HidDev || HidDev->GetAttributes().ProductID != DeviceProductId) return true;
  TJvHidDevice* dev = nullptr;
  if (ctl->CheckOutByIndex(dev, Idx)) {
    // The last matching device wins; the one it replaces goes back.
    if (HidDevice && HidDevice != dev) ctl->CheckIn(HidDevice);
    HidDevice = dev;
    HidDeviceIndex = Idx;
    if (auto* status = FindAs<TLabel>("lbStatus")) status->SetCaption("Detect HID");
  }
  return true;
}

void TfmMain::HidCtlDeviceData(TJvHidDevice* HidDev, std::uint8_t ReportID, const std::uint8_t* Data,
                               std::uint16_t Size) {
  // Only the device the link holds speaks to it.
  if (!HidDev || HidDev != HidDevice) return;
  const std::size_t n = UsbReportFrameLength(Data, Size);
  char head[16];
  std::snprintf(head, sizeof head, "USB R %02X  ", ReportID);
  if (UsbProc) UsbProc->OnReceived(Data, n);
  AddTrafficLine(TrafficKind::Usb, head + HexLine("", Data, 0, n));
}

void TfmMain::HidCtlDeviceDataError(TJvHidDevice* /*HidDev*/, std::uint32_t Error) {
  Application->MessageBox("READ ERROR: " + std::string(std::strerror(static_cast<int>(Error))), "",
                          MB_OK | MB_ICONINFORMATION);
}

void TfmMain::HidCtlDeviceUnplug(TJvHidDevice* HidDev) {
  if (!HidDev) return;
  const auto& attributes = HidDev->GetAttributes();
  if (attributes.VendorID != DeviceVendorId || attributes.ProductID != DeviceProductId) return;
  if (HidDev == HidDevice) {
    if (auto* ctl = FindAs<TJvHidDeviceController>("HidCtl")) ctl->CheckIn(HidDevice);
    HidDevice = nullptr;
  }
  auto* status = FindAs<TLabel>("lbStatus");
  if (GetVisible() && status && status->GetCaption() == "Detect HID") status->SetCaption("OffLine");
  // The link stops and the scan comes back once this event has returned.
  if (UsbProc) PostMessage(GetHandle(), WM_LINK_LOST, 0, 0);
}

void ToProgramFolder() {
  std::error_code ec;
  const std::filesystem::path exe = Application ? Application->GetExeName() : std::string();
  if (!exe.empty()) std::filesystem::current_path(exe.parent_path(), ec);
}
