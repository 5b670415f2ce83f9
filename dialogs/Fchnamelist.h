#pragma once
// Renames every channel at once.

#include "platform/classlib/Forms.h"

class TfmChNameList : public TForm {
 public:
  explicit TfmChNameList(TComponent* AOwner);
  ~TfmChNameList() override;
};

extern TfmChNameList* fmChNameList;
