#pragma once
// Renames one channel.

#include <string>

#include "platform/classlib/Forms.h"

class TfmChannelName : public TForm {
 public:
  explicit TfmChannelName(TComponent* AOwner);
  ~TfmChannelName() override;

  // The channel to rename (0..15, or 18 for the effect bus) and its name
  // as shown, given by the opener before it shows the dialog.
  void SetChannel(int ch) { FChannel = ch; }
  int GetChannel() const { return FChannel; }
  void SetNameText(const std::string& name) { FNameText = name; }
  const std::string& GetNameText() const { return FNameText; }

 private:
  int FChannel = 0;
  std::string FNameText;
};

extern TfmChannelName* fmChannelName;
