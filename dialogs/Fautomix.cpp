#include "dialogs/Fautomix.h"

#include "dialogs/DialogLook.h"
#include "platform/classlib/StdCtrls.h"

TfmAutoMix* fmAutoMix = nullptr;

TfmAutoMix::TfmAutoMix(TComponent* AOwner) : TMixGateForm(AOwner, "fmAutoMix", "AutoMix Setting") {
  lbAutoMix = AddLabel(FActivityBox, "lbAutoMix", "Gain", 384, 20, 60, 22);
  lbAutoMixGain = AddLabel(FActivityBox, "lbAutoMixGain", "0.0dB", 444, 20, 72, 22);
  lbAutoMixGain->SetAlignment(taRightJustify);
}

TfmAutoMix::~TfmAutoMix() {
  if (fmAutoMix == this) fmAutoMix = nullptr;
}
