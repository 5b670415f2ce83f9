#pragma once
// The chosen preset's number and name, for a store or a recall.

#include "platform/classlib/Forms.h"

class TfmStoreName : public TForm {
 public:
  explicit TfmStoreName(TComponent* AOwner);
  ~TfmStoreName() override;
};

extern TfmStoreName* fmStoreName;
