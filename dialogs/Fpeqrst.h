#pragma once
// The confirmation of a strip's EQ reset.

#include "platform/classlib/Forms.h"

class TfmPeqRst : public TForm {
 public:
  explicit TfmPeqRst(TComponent* AOwner);
  ~TfmPeqRst() override;
};

extern TfmPeqRst* fmPeqRst;
