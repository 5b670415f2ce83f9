#pragma once
// Echo, reverb and volume of the effect bus.

#include "platform/classlib/Forms.h"

class TfmRvb : public TForm {
 public:
  explicit TfmRvb(TComponent* AOwner);
  ~TfmRvb() override;
};

extern TfmRvb* fmRvb;
