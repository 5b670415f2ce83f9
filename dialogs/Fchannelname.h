#pragma once
// Renames one channel.

#include "platform/classlib/Forms.h"

class TfmChannelName : public TForm {
 public:
  explicit TfmChannelName(TComponent* AOwner);
  ~TfmChannelName() override;
};

extern TfmChannelName* fmChannelName;
