#pragma once
// The factory-default confirmation, shown only while a device is connected:
// OK has the main window reset the device.

#include <string_view>

#include "platform/classlib/Forms.h"

class TLabel;
class TRzBmpButton;

class TfmFactory : public TForm {
 public:
  explicit TfmFactory(TComponent* AOwner);
  ~TfmFactory() override;

  void SetTexts(std::string_view Language);

  TLabel* lbMessage;
  TRzBmpButton* btnOK;
  TRzBmpButton* bnCancel;

  void FormShow(TObject* Sender);
  void btnOKClick(TObject* Sender);
  void bnCancelClick(TObject* Sender);
};

extern TfmFactory* fmFactory;
