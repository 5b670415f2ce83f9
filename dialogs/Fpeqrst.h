#pragma once
// The confirmation of a strip's EQ reset.

#include <string_view>

#include "platform/classlib/Forms.h"

class TLabel;
class TRzBmpButton;

class TfmPeqRst : public TForm {
 public:
  explicit TfmPeqRst(TComponent* AOwner);
  ~TfmPeqRst() override;

  // The strip whose bands the dialog's OK resets.
  void SetResetStrip(int strip) { ResetStrip = strip; }
  int GetResetStrip() const { return ResetStrip; }

  TLabel* lbReset;
  TRzBmpButton* btnOK;
  TRzBmpButton* btnCancel;

  void SetTexts(std::string_view Language);
  void FormShow(TObject* Sender);
  void btnOKClick(TObject* Sender);
  void btnExitClick(TObject* Sender);

 private:
  int ResetStrip = 0;
};

extern TfmPeqRst* fmPeqRst;
