#pragma once
// The quit confirmation. OK lets the main window close (and so ends the
// program); Cancel keeps it running, and a later close asks again.

#include <string_view>

#include "platform/classlib/Forms.h"

class TLabel;
class TRzBmpButton;

class TfmExit : public TForm {
 public:
  explicit TfmExit(TComponent* AOwner);
  ~TfmExit() override;

  void SetTexts(std::string_view Language);

  TLabel* lbExit;
  TRzBmpButton* btnOK;
  TRzBmpButton* btnCancel;

  void FormShow(TObject* Sender);
  void btnOKClick(TObject* Sender);
  void btnExitClick(TObject* Sender);
};

extern TfmExit* fmExit;
