#include "dialogs/MixGateForm.h"

#include <string>
#include <utility>

#include "controls/AdvTrackBar.h"
#include "controls/CurvyControls.h"
#include "dialogs/DialogLook.h"
#include "dialogs/ParamDialogKit.h"
#include "instruments/base/iLed.h"
#include "mainwindow/FMain.h"
#include "mainwindow/FMainPageKit.h"
#include "model/ValueScales.h"
#include "platform/classlib/RzControls.h"
#include "platform/classlib/StdCtrls.h"

using namespace paramkit;

namespace {

constexpr TColor Accent = pagekit::AccentEff;
constexpr int KeyPitch = 64;
constexpr int KeyWidth = 52;
constexpr int ColumnWidth = 90;
constexpr int LowerTop = 128;
constexpr int LowerHeight = 280;

std::string Letter(int input) {
  return std::string(1, static_cast<char>('A' + input));
}

}  // namespace

TMixGateForm::TMixGateForm(TComponent* AOwner, const char* Name, const std::string& Caption, int Gate)
    : TForm(AOwner), FGateNumber(Gate) {
  SetUpDialogForm(this, Name, Caption, 560, LowerTop + LowerHeight + 12, true);
  auto* inputs = AddGroupBox(this, "gbInputs", "", 12, 12, 536, 104);
  AddLabel(inputs, "lbMatrix", "Select", 14, 6, 200, 20);
  for (int i = 0; i < 8; ++i) {
    const int left = 14 + i * KeyPitch;
    auto* led = new TiLedRound(this);
    led->SetName("iledIn" + Letter(i));
    led->SetParent(inputs);
    led->SetBounds(left + (KeyWidth - 18) / 2, 34, 18, 18);
    led->SetActiveColor(RGB(0x3C, 0xE0, 0x78));
    led->SetBackGroundColor(dialog_look::Panel);
    led->SetBevelStyle(ibsNone);
    // Each key is a group of its own: any set of inputs, also none.
    AddToggle(inputs, "rzb" + Letter(i) + "Matrix", "In" + std::to_string(i + 1),
              Bounds(left, 62, KeyWidth, 28), i, i + 1, Accent)
        ->OnClick = [this](TObject* s) { rzbAMatrixClick(s); };
  }

  auto* gate = AddGroupBox(this, "gbGate", "", 12, LowerTop, 3 * ColumnWidth + 12, LowerHeight);
  const struct {
    const char* Stem;
    const char* Caption;
    int Min, Max, Start;
    std::string Text;
    void (TMixGateForm::*Handler)(TObject*);
  } faders[] = {{"Threshold", "Threshold", -100, 0, 0, ThresholdWideText(0), &TMixGateForm::isThresholdChange},
                {"Attack", "Attack", 0, 4999, 0, DynTimeText(0, 3), &TMixGateForm::isAttackChange},
                {"Release", "Release", 0, 4999, 0, DynTimeText(0, 3), &TMixGateForm::isReleaseChange}};
  for (int k = 0; k < 3; ++k) {
    const auto& f = faders[k];
    AddFaderColumn(gate, {f.Stem, f.Caption, f.Min, f.Max, f.Start, 0, f.Text},
                   Bounds(6 + k * ColumnWidth, 10, ColumnWidth, LowerHeight - 22), Accent)
        .Fader->OnChange = [this, h = f.Handler](TObject* s) { (this->*h)(s); };
  }
  FOwnBox = AddGroupBox(this, "gbOwn", "", 3 * ColumnWidth + 36, LowerTop, 536 - 3 * ColumnWidth - 24, LowerHeight);
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
}

void TMixGateForm::SetInputLed(int Input, std::uint8_t Active) {
  if (Input < 0 || Input > 7) return;
  auto* led = FindOn<TiLed>(this, "iledIn" + Letter(Input));
  if (!led) return;
  led->SetActive(Active != 0 && ((FEnabledInputs >> Input) & 1) != 0);
}

void TMixGateForm::SetTexts(std::string_view Language) {
  const std::pair<const char*, const char*> labels[] = {{"lbThreshold", "SID_COMP_THRESHOLD"},
                                                        {"lbAttack", "SID_COMP_ATTACK"},
                                                        {"lbRelease", "SID_COMP_RELEASE"},
                                                        {"lbMatrix", "SID_CH_SELECT"}};
  for (const auto& [name, key] : labels)
    if (auto* label = FindOn<TLabel>(this, name)) label->SetCaption(LangText(Language, key));
  SetOwnTexts(Language);
}

void TMixGateForm::FormShow(TObject* /*Sender*/) {
  SetTexts(DialogLanguage());
  for (int i = 0; i < 8; ++i) {
    auto* key = FindOn<TRzBmpButton>(this, "rzb" + Letter(i) + "Matrix");
    if (!key) continue;
    key->SetDown(((FGate.InputMask >> i) & 1) != 0);
    key->SetEnabled(((FEnabledInputs >> i) & 1) != 0);
  }
}

void TMixGateForm::FaderChanged(TObject* Sender, std::uint16_t MixGateRecord::*Word, int Offset) {
  auto* fader = dynamic_cast<TAdvTrackBar*>(Sender);
  TCurvyEdit* box = fader ? ValueBoxOf(fader) : nullptr;
  if (!box) return;
  const int position = fader->GetPosition();
  box->SetText(Word == &MixGateRecord::Threshold ? ThresholdWideText(position) : DynTimeText(position, 3));
  if (FFilling) return;
  FGate.*Word = static_cast<std::uint16_t>(position + Offset);
  if (fmMain) fmMain->SetMixGate(FGateNumber, FGate);
}

void TMixGateForm::isThresholdChange(TObject* Sender) {
  FaderChanged(Sender, &MixGateRecord::Threshold, DynThresholdStoredOffset);
}

void TMixGateForm::isAttackChange(TObject* Sender) {
  FaderChanged(Sender, &MixGateRecord::Attack, 0);
}

void TMixGateForm::isReleaseChange(TObject* Sender) {
  FaderChanged(Sender, &MixGateRecord::Release, 0);
}

void TMixGateForm::rzbAMatrixClick(TObject* Sender) {
  auto* key = dynamic_cast<TRzBmpButton*>(Sender);
  if (!key || key->GetTag() < 0 || key->GetTag() > 7) return;
  const auto bit = static_cast<std::uint16_t>(1u << key->GetTag());
  FGate.InputMask = static_cast<std::uint16_t>(key->GetDown() ? FGate.InputMask | bit : FGate.InputMask & ~bit);
  if (fmMain) fmMain->SetMixGate(FGateNumber, FGate);
}
