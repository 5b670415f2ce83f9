#pragma once
// The device ID and IP address dialog. Its opener enables or disables the
// boxes and colours the edits before showing it; the main window has it
// show a changed ID or a reported address.

#include <cstdint>
#include <string>

#include "platform/classlib/Forms.h"

class TEdit;
class TGroupBox;
class TLabel;
class TRadioButton;
class TRzBmpButton;

// What both device ID dialogs do alike.
namespace id_setting {
// The edit's number; -1 when it holds none (an empty field).
int EditNumber(const TEdit* Edit);
// "SID_ID_NUMBER_ERROR" in the message window, modally.
void ShowIdNumberError();
// Command 187: the device takes the ID Id, sent to that ID.
void SendDeviceId(int Id);
}  // namespace id_setting

// An address held with its first octet in the most significant byte, as
// dotted text.
std::string DeviceIpText(std::uint32_t Ip);

class TfmNetworkSetup : public TForm {
 public:
  explicit TfmNetworkSetup(TComponent* AOwner);
  ~TfmNetworkSetup() override;

  // The main window's device address as dotted text.
  std::string GetIpText() const;
  // The main window's device ID into edId.
  void ShowDeviceId();
  // The main window's device address into the four address edits.
  void ShowDeviceIp();

  TGroupBox* gbIdSetting;
  TLabel* lbMessage;
  TEdit* edId;
  TGroupBox* gbIpSetting;
  TEdit* edIp1;
  TEdit* edIp2;
  TEdit* edIp3;
  TEdit* edIp4;
  TRadioButton* rbManualSetting;
  TRadioButton* rbAutoSetting;
  TRzBmpButton* bnSet;
  TRzBmpButton* bnExit;

  void bnSetClick(TObject* Sender);
  void bnExitClick(TObject* Sender);
};

extern TfmNetworkSetup* fmNetworkSetup;
