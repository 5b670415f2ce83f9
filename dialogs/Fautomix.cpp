#include "dialogs/Fautomix.h"

#include "dialogs/DialogLook.h"
#include "dialogs/ParamDialogKit.h"
#include "mainwindow/FMain.h"
#include "mainwindow/FMainPageKit.h"
#include "platform/classlib/StdCtrls.h"

TfmAutoMix* fmAutoMix = nullptr;

TfmAutoMix::TfmAutoMix(TComponent* AOwner) : TMixGateForm(AOwner, "fmAutoMix", "AutoMix Setting", 18) {
  lbAutoMix = AddLabel(FOwnBox, "lbAutoMix", "Gain", 14, 12, 200, 22);
  lbAutoMixGain = AddLabel(FOwnBox, "lbAutoMixGain", "0.0dB", 14, 38, 200, 40);
  lbAutoMixGain->SetAlignment(taCenter);
  lbAutoMixGain->GetFont()->SetHeight(-24);
  lbAutoMixGain->GetFont()->SetColor(pagekit::AccentEff);
  lbAutoMixSlop = AddLabel(FOwnBox, "lbAutoMixSlop", "Slop", 14, 110, 200, 22);
  rzcAutoMixSlop = paramkit::AddList(FOwnBox, "rzcAutoMixSlop", {"-3dB", "-4dB", "-5dB", "-6dB"},
                                     Bounds(14, 136, 120, 26));
  rzcAutoMixSlop->OnChange = [this](TObject* s) { rzcAutoMixSlopChange(s); };
  rzcAutoMixSlop->OnMouseWheel = [this](TObject* s, TShiftState shift, int delta, TPoint pos, bool& handled) {
    rzcAutoMixSlopMouseWheel(s, shift, delta, pos, handled);
  };
}

TfmAutoMix::~TfmAutoMix() {
  if (fmAutoMix == this) fmAutoMix = nullptr;
}

void TfmAutoMix::SetOwnTexts(std::string_view Language) {
  SetCaption(LangText(Language, "SID_AUTOMIX_TITLE"));
  lbAutoMix->SetCaption(LangText(Language, "SID_AUTOMIX"));
  lbAutoMixSlop->SetCaption(LangText(Language, "SID_AUTOMIX_SLOP"));
}

void TfmAutoMix::rzcAutoMixSlopChange(TObject* /*Sender*/) {
  if (GetFilling() || !fmMain || rzcAutoMixSlop->GetItemIndex() < 0) return;
  fmMain->SetAutoMixSlope(rzcAutoMixSlop->GetItemIndex());
}

void TfmAutoMix::rzcAutoMixSlopMouseWheel(TObject* /*Sender*/, TShiftState /*Shift*/, int /*WheelDelta*/,
                                          TPoint /*MousePos*/, bool& Handled) {
  Handled = true;
}
