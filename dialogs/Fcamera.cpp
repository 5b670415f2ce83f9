#include "dialogs/Fcamera.h"

#include "dialogs/DialogLook.h"
#include "platform/classlib/StdCtrls.h"

TfmCamera* fmCamera = nullptr;

TfmCamera::TfmCamera(TComponent* AOwner) : TMixGateForm(AOwner, "fmCamera", "Camera Setting") {
  lbNameCameraPos = AddLabel(FActivityBox, "lbNameCameraPos", "Position", 384, 20, 72, 22);
  lbCameraPos = AddLabel(FActivityBox, "lbCameraPos", "None", 456, 20, 60, 22);
  lbCameraPos->SetAlignment(taRightJustify);
}

TfmCamera::~TfmCamera() {
  if (fmCamera == this) fmCamera = nullptr;
}
