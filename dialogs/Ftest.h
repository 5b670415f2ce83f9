#pragma once
// Chooses the device's input signal: the analog inputs, noise or a sine wave.

#include "platform/classlib/Forms.h"

class TfmTest : public TForm {
 public:
  explicit TfmTest(TComponent* AOwner);
  ~TfmTest() override;
};

extern TfmTest* fmTest;
