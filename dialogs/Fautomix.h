#pragma once
// The automix gate of the effect bus; the level reply writes its LEDs and
// the attenuation read-out lbAutoMixGain.

#include "dialogs/MixGateForm.h"

class TfmAutoMix : public TMixGateForm {
 public:
  explicit TfmAutoMix(TComponent* AOwner);
  ~TfmAutoMix() override;

  TLabel* lbAutoMix;
  TLabel* lbAutoMixGain;
};

extern TfmAutoMix* fmAutoMix;
