#include "dialogs/Fphantompotent.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "controls/AdvTrackBar.h"
#include "controls/CurvyControls.h"
#include "dialogs/DialogLook.h"
#include "dialogs/ParamDialogKit.h"
#include "link/CommandTable.h"
#include "link/LCmd.h"
#include "mainwindow/FMain.h"
#include "mainwindow/FMainPageKit.h"
#include "platform/classlib/RzControls.h"

using namespace paramkit;

TfmPhantomPotent* fmPhantomPotent = nullptr;

namespace {

constexpr int ColumnWidth = 72;
constexpr int StepMax = 32;

}  // namespace

std::string PreampGainText(int Position) {
  const int a = std::clamp(-Position, 0, StepMax);
  const int v = a <= 12 ? a : a <= 24 ? 12 + 2 * (a - 12) : 36 + 3 * (a - 24);
  char text[16];
  std::snprintf(text, sizeof text, v == 0 ? "+%2d.0dB" : "-%2d.0dB", v);
  return text;
}

TfmPhantomPotent::TfmPhantomPotent(TComponent* AOwner) : TForm(AOwner) {
  SetUpDialogForm(this, "fmPhantomPotent", "Phantom and  Potentiometer Control", 8 * ColumnWidth + 36, 330,
                  true);
  auto* box = AddGroupBox(this, "gbPreamp", "", 12, 12, 8 * ColumnWidth + 12, 306);
  for (int i = 0; i < 8; ++i) {
    const std::string input(1, static_cast<char>('A' + i));
    const TRect column = Bounds(6 + i * ColumnWidth, 10, ColumnWidth, 246);
    AddFaderColumn(box, {"GainIn" + input, "In" + std::to_string(i + 1), -StepMax, 0, 0, i, PreampGainText(0)},
                   column, pagekit::AccentIn)
        .Fader->OnChange = [this](TObject* s) { isGainInAChange(s); };
    AddToggle(box, "rzbGainPhantomIn" + input, "+48V", Bounds(column.Left + 8, 264, ColumnWidth - 16, 28), i,
              i + 1, RGB(0xE0, 0x50, 0x48))
        ->OnClick = [this](TObject* s) { rzbGainPhantomInAClick(s); };
  }
}

TfmPhantomPotent::~TfmPhantomPotent() {
  if (fmPhantomPotent == this) fmPhantomPotent = nullptr;
}

void TfmPhantomPotent::isGainInAChange(TObject* Sender) {
  auto* fader = dynamic_cast<TAdvTrackBar*>(Sender);
  TCurvyEdit* box = fader ? ValueBoxOf(fader) : nullptr;
  if (!box) return;
  box->SetText(PreampGainText(fader->GetPosition()));
  const int step = std::clamp(-fader->GetPosition(), 0, StepMax);
  // The dialog's own 0..32 step scale, raw: the model is left alone.
  if (fmMain)
    fmMain->SendCommand(CM_MCS_CMD(fmMain->GetDeviceId(), CommandCode("MIC_GAIN"),
                                   static_cast<std::uint8_t>(fader->GetTag()), static_cast<std::uint8_t>(step)),
                        false);
}

void TfmPhantomPotent::rzbGainPhantomInAClick(TObject* Sender) {
  auto* key = dynamic_cast<TRzBmpButton*>(Sender);
  if (!key || !fmMain) return;
  fmMain->SendCommand(CM_MCS_CMD(fmMain->GetDeviceId(), CommandCode("PHANTOM"),
                                 static_cast<std::uint8_t>(key->GetTag()), key->GetDown() ? 1 : 0),
                      false);
}
