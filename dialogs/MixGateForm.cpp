#include "dialogs/MixGateForm.h"

#include <string>

#include "dialogs/DialogLook.h"
#include "instruments/base/iLed.h"
#include "platform/classlib/StdCtrls.h"

TMixGateForm::TMixGateForm(TComponent* AOwner, const char* Name, const std::string& Caption) : TForm(AOwner) {
  SetUpDialogForm(this, Name, Caption, 560, 360, true);
  FActivityBox = AddGroupBox(this, "gbActivity", "", 16, 16, 528, 88);
  for (int i = 0; i < 8; ++i) {
    const std::string letter(1, static_cast<char>('A' + i));
    const int left = 16 + i * 44;
    auto* led = new TiLedRound(this);
    led->SetName("iledIn" + letter);
    led->SetParent(FActivityBox);
    led->SetBounds(left + 8, 22, 18, 18);
    led->SetActiveColor(RGB(0x3C, 0xE0, 0x78));
    led->SetBackGroundColor(dialog_look::Panel);
    led->SetBevelStyle(ibsNone);
    AddLabel(FActivityBox, ("lbLedIn" + letter).c_str(), "In" + std::to_string(i + 1), left, 46, 36, 22)
        ->SetAlignment(taCenter);
  }
}

void TMixGateForm::SetInputLed(int Input, std::uint8_t Active) {
  if (Input < 0 || Input > 7) return;
  auto* led = dynamic_cast<TiLed*>(FindComponent("iledIn" + std::string(1, static_cast<char>('A' + Input))));
  if (!led) return;
  led->SetActive(Active != 0 && ((FEnabledInputs >> Input) & 1) != 0);
}
