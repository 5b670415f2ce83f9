#pragma once
// Sets a new user-lock password on the device.

#include "platform/classlib/Forms.h"

class TfmLockSetup : public TForm {
 public:
  explicit TfmLockSetup(TComponent* AOwner);
  ~TfmLockSetup() override;
};

extern TfmLockSetup* fmLockSetup;
