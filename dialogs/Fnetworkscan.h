#pragma once
// The scan-and-connect dialog. The main window opens one link at a time and
// reports each attempt's outcome here (ConnectResult) and a lost link
// (LinkBroken); the success flag outlives the dialog's closing.

#include <cstdint>
#include <string_view>

#include "platform/classlib/Forms.h"

class TAdvProgressBar;
class TComboBox;
class TLabel;
class TRzBmpButton;
class TTimer;
#include <vector>

#include "platform/serial/SerialPortList.h"

class TfmNetwork : public TForm {
 public:
  explicit TfmNetwork(TComponent* AOwner);
  ~TfmNetwork() override;

  void SetTexts(std::string_view Language);

  // An identity answer arrived since the last link loss.
  bool HasSucceeded() const { return FSucceeded != 0; }
  // An attempt ended; the connect step follows 100 ms later.
  void ConnectResult(std::uint8_t Ok);
  // The link was lost or a serial port could not be opened: the dialog
  // shows it 100 ms later, and a progress window still open closes.
  void LinkBroken();

  TLabel* lblScan;
  TLabel* lblDeviceID;
  TAdvProgressBar* pbScan;
  TComboBox* cbCOM;
  TRzBmpButton* btnOK;
  TRzBmpButton* btnId;
  TRzBmpButton* btnExit;
  TTimer* tmConnect;
  TTimer* tmLinkBroken;

  TTimer* tmWatchDog;
  TTimer* tmRunUsbConnect;
  TTimer* tmRunNetConnect;
  TTimer* tmRunComConnect;

  // Builds the candidate list and starts the first attempt.
  void StartScan();
  void ScanPorts();

  void FormShow(TObject* Sender);
  void btnOKClick(TObject* Sender);
  void btnIdClick(TObject* Sender);
  void btnExitClick(TObject* Sender);
  void tmConnectTimer(TObject* Sender);
  void tmLinkBrokenTimer(TObject* Sender);
  void tmWatchDogTimer(TObject* Sender);

 private:
  // Starts the attempt over serial port index i of the list.
  void StartSerialAttempt(int i);
  void ShowCounter();
  int CandidateCount() const { return FNonSerialCount + static_cast<int>(FPorts.size()); }

  std::uint8_t FSucceeded = 0;
  int FCandidateIndex = 0;
  int FNonSerialCount = 0;
  // The serial ports of this scan, sorted by number; cbCOM shows their names.
  std::vector<SerialPortInfo> FPorts;
};

extern TfmNetwork* fmNetwork;
