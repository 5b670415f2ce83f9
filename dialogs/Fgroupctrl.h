#pragma once
// The eight group controls, four over the inputs and four over the outputs.

#include "platform/classlib/Forms.h"

class TfmGroupCtrl : public TForm {
 public:
  explicit TfmGroupCtrl(TComponent* AOwner);
  ~TfmGroupCtrl() override;
};

extern TfmGroupCtrl* fmGroupCtrl;
