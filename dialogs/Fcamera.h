#pragma once
// The camera-tracking gate of the effect bus (gate 19), with the camera's
// default position; the level reply writes its LEDs and the camera
// position read-out lbCameraPos.

#include "dialogs/MixGateForm.h"

class TComboBox;

class TfmCamera : public TMixGateForm {
 public:
  explicit TfmCamera(TComponent* AOwner);
  ~TfmCamera() override;

  TLabel* lbNameCameraPos;
  TLabel* lbCameraPos;
  TLabel* lbNameCameraDefault;
  TComboBox* rzcCameraDefault;

  // The chosen item (0 = InA .. 7 = InH) goes to the main window.
  void rzcCameraDefaultChange(TObject* Sender);

 protected:
  void SetOwnTexts(std::string_view Language) override;
};

extern TfmCamera* fmCamera;
