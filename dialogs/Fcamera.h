#pragma once
// The camera-tracking gate of the effect bus; the level reply writes its
// LEDs and the camera position read-out lbCameraPos.

#include "dialogs/MixGateForm.h"

class TfmCamera : public TMixGateForm {
 public:
  explicit TfmCamera(TComponent* AOwner);
  ~TfmCamera() override;

  TLabel* lbNameCameraPos;
  TLabel* lbCameraPos;
};

extern TfmCamera* fmCamera;
