#pragma once
// The confirmation of a strip's EQ reset.

#include "platform/classlib/Forms.h"

class TfmPeqRst : public TForm {
 public:
  explicit TfmPeqRst(TComponent* AOwner);
  ~TfmPeqRst() override;

  // The strip whose bands the dialog's OK resets.
  void SetResetStrip(int strip) { ResetStrip = strip; }
  int GetResetStrip() const { return ResetStrip; }

 private:
  int ResetStrip = 0;
};

extern TfmPeqRst* fmPeqRst;
