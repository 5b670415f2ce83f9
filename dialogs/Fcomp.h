#pragma once
// The compressor of the effect bus; its LED ilrCompLed shows the bus's
// compressor acting, as the level reply reports it.

#include "platform/classlib/Forms.h"

class TiLedRectangle;
class TLabel;

class TfmComp : public TForm {
 public:
  explicit TfmComp(TComponent* AOwner);
  ~TfmComp() override;

  TiLedRectangle* ilrCompLed;
  TLabel* lbCompLed;

  // Set by the opener while it writes the sliders: nothing is passed on
  // meanwhile.
  void SetFilling(int Value) { FFilling = Value; }
  int GetFilling() const { return FFilling; }

 private:
  int FFilling = 0;
};

extern TfmComp* fmComp;
