#include "dialogs/Fchannelname.h"

#include "dialogs/DialogLook.h"

TfmChannelName* fmChannelName = nullptr;

TfmChannelName::TfmChannelName(TComponent* AOwner) : TForm(AOwner) {
  SetUpDialogForm(this, "fmChannelName", "Channel Name", 320, 140, false);
}

TfmChannelName::~TfmChannelName() {
  if (fmChannelName == this) fmChannelName = nullptr;
}
