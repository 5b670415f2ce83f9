#pragma once
// Copies one channel's parameters to another of the same side.

#include "platform/classlib/Forms.h"

class TfmCopy : public TForm {
 public:
  explicit TfmCopy(TComponent* AOwner);
  ~TfmCopy() override;
};

extern TfmCopy* fmCopy;
