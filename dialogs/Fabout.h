#pragma once
// The about box: the product, its version and the copyright.

#include <string_view>

#include "platform/classlib/Forms.h"

class TLabel;
class TRzBmpButton;

class TfmAbout : public TForm {
 public:
  explicit TfmAbout(TComponent* AOwner);
  ~TfmAbout() override;

  void SetTexts(std::string_view Language);

  TLabel* ProductName;
  TLabel* Version;
  TLabel* Copyright;
  TRzBmpButton* btnOK;

  void FormShow(TObject* Sender);
  void btnOKClick(TObject* Sender);
};

extern TfmAbout* fmAbout;
