#pragma once
// Edits the link groups of the inputs and of the outputs.

#include "platform/classlib/Forms.h"

class TfmLinkSel : public TForm {
 public:
  explicit TfmLinkSel(TComponent* AOwner);
  ~TfmLinkSel() override;
};

extern TfmLinkSel* fmLinkSel;
