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

  void FormShow(TObject* Sender);
  void tmConnectTimer(TObject* Sender);
  void tmLinkBrokenTimer(TObject* Sender);

 private:
  std::uint8_t FSucceeded = 0;
};

extern TfmNetwork* fmNetwork;
