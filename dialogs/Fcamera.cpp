#include "dialogs/Fcamera.h"

#include "dialogs/DialogLook.h"
#include "dialogs/ParamDialogKit.h"
#include "mainwindow/FMain.h"
#include "mainwindow/FMainPageKit.h"
#include "platform/classlib/StdCtrls.h"

TfmCamera* fmCamera = nullptr;

TfmCamera::TfmCamera(TComponent* AOwner) : TMixGateForm(AOwner, "fmCamera", "Camera Setting", 19) {
  lbNameCameraPos = AddLabel(FOwnBox, "lbNameCameraPos", "Position", 14, 12, 200, 22);
  lbCameraPos = AddLabel(FOwnBox, "lbCameraPos", "None", 14, 38, 200, 40);
  lbCameraPos->SetAlignment(taCenter);
  lbCameraPos->GetFont()->SetHeight(-24);
  lbCameraPos->GetFont()->SetColor(pagekit::AccentEff);
  lbNameCameraDefault = AddLabel(FOwnBox, "lbNameCameraDefault", "Default", 14, 110, 200, 22);
  rzcCameraDefault = paramkit::AddList(FOwnBox, "rzcCameraDefault",
                                       {"InA", "InB", "InC", "InD", "InE", "InF", "InG", "InH"},
                                       Bounds(14, 136, 120, 26));
  rzcCameraDefault->OnChange = [this](TObject* s) { rzcCameraDefaultChange(s); };
}

TfmCamera::~TfmCamera() {
  if (fmCamera == this) fmCamera = nullptr;
}

void TfmCamera::SetOwnTexts(std::string_view Language) {
  SetCaption(LangText(Language, "SID_CAMERA_TITLE"));
  lbNameCameraPos->SetCaption(LangText(Language, "SID_CAMERA_POS"));
  lbNameCameraDefault->SetCaption(LangText(Language, "SID_CAMERA_DEFAULT"));
}

void TfmCamera::rzcCameraDefaultChange(TObject* /*Sender*/) {
  if (fmMain && rzcCameraDefault->GetItemIndex() >= 0) fmMain->SetCameraDefault(rzcCameraDefault->GetItemIndex());
}
