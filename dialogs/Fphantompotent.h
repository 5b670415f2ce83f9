#pragma once
// Drives the input preamplifiers directly: gain and phantom power per input.

#include "platform/classlib/Forms.h"

class TfmPhantomPotent : public TForm {
 public:
  explicit TfmPhantomPotent(TComponent* AOwner);
  ~TfmPhantomPotent() override;
};

extern TfmPhantomPotent* fmPhantomPotent;
