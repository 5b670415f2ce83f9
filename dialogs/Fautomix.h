#pragma once
// The automix gate of the effect bus (gate 18), with its attenuation slope;
// the level reply writes its LEDs and the attenuation read-out
// lbAutoMixGain.

#include "dialogs/MixGateForm.h"

class TComboBox;

class TfmAutoMix : public TMixGateForm {
 public:
  explicit TfmAutoMix(TComponent* AOwner);
  ~TfmAutoMix() override;

  TLabel* lbAutoMix;
  TLabel* lbAutoMixGain;
  TLabel* lbAutoMixSlop;
  TComboBox* rzcAutoMixSlop;

  // Item 0..3 (-3 dB .. -6 dB) goes to the device unless loading.
  void rzcAutoMixSlopChange(TObject* Sender);
  // The wheel never changes the slope.
  void rzcAutoMixSlopMouseWheel(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos,
                                bool& Handled);

 protected:
  void SetOwnTexts(std::string_view Language) override;
};

extern TfmAutoMix* fmAutoMix;
