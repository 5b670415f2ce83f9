#pragma once
// The two sub controls over the inputs and over the outputs.

#include "platform/classlib/Forms.h"

class TfmSubCtrl : public TForm {
 public:
  explicit TfmSubCtrl(TComponent* AOwner);
  ~TfmSubCtrl() override;
};

extern TfmSubCtrl* fmSubCtrl;
