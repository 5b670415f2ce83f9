#pragma once
// The message window: a text and an OK button. Its caller writes the text
// into lbMessage and shows it modally; the text stays for the next showing.

#include <string_view>

#include "platform/classlib/Forms.h"

class TLabel;
class TRzBmpButton;

class TfmInformation : public TForm {
 public:
  explicit TfmInformation(TComponent* AOwner);
  ~TfmInformation() override;

  // The caption and button in a language; the message is the caller's.
  void SetTexts(std::string_view Language);

  TLabel* lbMessage;
  TRzBmpButton* btnOK;

  void FormShow(TObject* Sender);
  void btnOKClick(TObject* Sender);
};

extern TfmInformation* fmInformation;
