// The Eff page (the effect bus, channel 18): gain, mute, whole-EQ bypass,
// compressor threshold, the on/off keys of the effect, automix and camera
// blocks, the Set keys that fill and open their dialogs, and the window's
// forwarders through which those dialogs store and send.

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <string>

#include "controls/AdvTrackBar.h"
#include "controls/CurvyControls.h"
#include "controls/VrButtons.h"
#include "dialogs/Fautomix.h"
#include "dialogs/Fcamera.h"
#include "dialogs/Fcomp.h"
#include "dialogs/Frvb.h"
#include "instruments/base/iLed.h"
#include "mainwindow/FMain.h"
#include "model/LUnitControl.h"
#include "model/ValueScales.h"
#include "platform/classlib/RzControls.h"
#include "platform/classlib/StdCtrls.h"
#include "response/LMyFFTDrawPhase.h"

namespace {

constexpr int EffectBus = 18;
constexpr int AutoMixGate = 18;

std::uint16_t LowHalf(std::uint32_t word) {
  return static_cast<std::uint16_t>(word & 0xFFFF);
}
std::uint16_t HighHalf(std::uint32_t word) {
  return static_cast<std::uint16_t>(word >> 16);
}

// One slider of a dialog and the position the opener gives it; FromMin
// counts the value from the slider's Min (a stored threshold word).
struct SliderFill {
  const char* Name;
  int Value;
  bool FromMin = false;
};

// Writes the sliders a dialog has; one it lacks is skipped.
void FillSliders(TComponent* dialog, std::initializer_list<SliderFill> fills) {
  for (const SliderFill& fill : fills)
    if (auto* slider = dynamic_cast<TAdvTrackBar*>(dialog->FindComponent(fill.Name)))
      slider->SetPosition(fill.FromMin ? slider->GetMin() + fill.Value : fill.Value);
}

// Holds a dialog's fill flag for the opener's writes; cleared on every exit.
template <class Dialog>
struct Filling {
  explicit Filling(Dialog* d) : dialog(d) { dialog->SetFilling(1); }
  ~Filling() { dialog->SetFilling(0); }
  Filling(const Filling&) = delete;
  Filling& operator=(const Filling&) = delete;
  Dialog* dialog;
};

}  // namespace

// ---------------------------------------------------------------- level and bypass

void TfmMain::isGainEffChange(TObject* Sender) {
  auto* fader = dynamic_cast<TAdvTrackBar*>(Sender);
  if (!fader || !UnitControl) return;
  const int position = fader->GetPosition();
  if (auto* box = FindAs<TCurvyEdit>("cvdGainEff")) box->SetText(FormatGainText(position));
  UnitControl->SetGain(EffectBus, static_cast<std::uint16_t>(std::max(position - fader->GetMin(), 0)));
}

void TfmMain::rzbMuteEffClick(TObject* Sender) {
  auto* key = dynamic_cast<TRzBmpButton*>(Sender);
  if (!key || !UnitControl) return;
  UnitControl->SetMute(EffectBus, key->GetDown() ? 1 : 0);
}

void TfmMain::vrbEqBypassEffClick(TObject* /*Sender*/) {
  if (!UnitControl) return;
  // Any set word counts as bypassed: the click switches it off.
  const bool bypassed = UnitControl->GetEqBypassMask(EffectBus) != 0;
  auto* plot = FindAs<LMyFFTDrawPhase>("fftDrawEff");
  if (plot)
    plot->DrawTextA(plot->GetWidth() / 3, plot->GetHeight() / 4, 60, clBtnFace, "Times New Roman",
                    bypassed ? "" : "BYPASS");
  const std::uint8_t next = bypassed ? 0 : 1;
  UnitControl->SetEqBypassMask(EffectBus, next);
  if (plot) plot->Repaint();
  if (!Refreshing) SendCommand(CM_MCS_CMD(GetDeviceId(), CommandCode("EQ_BYPASS"), EffectBus, next), false);
}

void TfmMain::isCompThresholdEffChange(TObject* Sender) {
  auto* fader = dynamic_cast<TAdvTrackBar*>(Sender);
  if (!fader) return;
  const int position = fader->GetPosition();
  if (auto* box = FindAs<TCurvyEdit>("cvdCompThresholdEff")) box->SetText(ThresholdWideText(position));
  if (!Refreshing) SetCompParam(EffectBus, 0, position);
}

// ---------------------------------------------------------------- on/off keys

namespace {

void ShowOnOff(TRzBmpButton* key, const TfmMain& form) {
  key->SetCaption(form.GetLangText(key->GetDown() ? "SID_ON" : "SID_OFF"));
}

}  // namespace

void TfmMain::rzbOnOffEffClick(TObject* Sender) {
  auto* key = dynamic_cast<TRzBmpButton*>(Sender);
  if (!key || !UnitControl) return;
  ShowOnOff(key, *this);
  UnitControl->SetEffect(key->GetDown() ? 1 : 0, UnitControl->GetEffectVolume());
}

namespace {

// The automix or camera gate switched with its on/off word; the rest of
// the record goes as the model holds it.
void SwitchMixGate(const TfmMain& form, LUnitControl& model, TObject* sender, bool automix) {
  auto* key = dynamic_cast<TRzBmpButton*>(sender);
  if (!key) return;
  ShowOnOff(key, form);
  MixGateRecord gate = automix ? model.GetAutoMixGate() : model.GetCameraGate();
  gate.Reserved = key->GetDown() ? 1 : 0;
  if (automix)
    model.SetAutoMixGate(gate);
  else
    model.SetCameraGate(gate);
}

}  // namespace

void TfmMain::rzbAutoMixOnOffEffClick(TObject* Sender) {
  if (UnitControl) SwitchMixGate(*this, *UnitControl, Sender, true);
}

void TfmMain::rzbCameraOnOffEffClick(TObject* Sender) {
  if (UnitControl) SwitchMixGate(*this, *UnitControl, Sender, false);
}

// ---------------------------------------------------------------- dialog openers

void TfmMain::rzbCompSetEffClick(TObject* /*Sender*/) {
  if (!fmComp || !UnitControl) return;
  const CompRecord comp = UnitControl->GetComp(EffectBus);
  {
    Filling<TfmComp> filling(fmComp);
    FillSliders(fmComp, {{"isThreshold", comp.Threshold, true},
                         {"isAttack", comp.Attack},
                         {"isRelease", comp.Release},
                         {"isRatio", comp.Ratio}});
    if (fmComp->ilrCompLed) fmComp->ilrCompLed->SetActive(false);
  }
  fmComp->ShowModal();
}

void TfmMain::rzbEffectSetEffClick(TObject* /*Sender*/) {
  if (!fmRvb || !UnitControl) return;
  const EchoRecord echo = UnitControl->GetEchoWords();
  const ReverbRecord reverb = UnitControl->GetReverbWords();
  fmRvb->SetEchoRecord(echo);
  fmRvb->SetReverbRecord(reverb);
  {
    Filling<TfmRvb> filling(fmRvb);
    FillSliders(fmRvb, {{"isEchoGain", echo.Gain},
                        {"isEchoRepeat", echo.Repeat},
                        {"isEchoDelay", echo.Delay},
                        {"isEchoPreDelay", echo.PreDelay},
                        {"isRvbGain", reverb.Gain},
                        {"isRvbReflect", reverb.Reflect},
                        {"isRvbTime", reverb.Time},
                        {"isRvbPreDelay", reverb.PreDelay},
                        {"isEffectVol", UnitControl->GetEffectVolume()}});
  }
  fmRvb->ShowModal();
}

namespace {

// The automix and camera dialogs are filled alike from their gate record.
void FillMixGate(TMixGateForm* dialog, const MixGateRecord& gate, std::uint16_t effectInputs) {
  dialog->SetGateRecord(gate);
  dialog->SetEffectInputs(effectInputs);
  FillSliders(dialog, {{"isThreshold", gate.Threshold - DynThresholdStoredOffset},
                       {"isAttack", gate.Attack},
                       {"isRelease", gate.Release}});
}

}  // namespace

void TfmMain::rzbAutoMixSetEffClick(TObject* /*Sender*/) {
  if (!fmAutoMix || !UnitControl) return;
  {
    Filling<TfmAutoMix> filling(fmAutoMix);
    FillMixGate(fmAutoMix, UnitControl->GetAutoMixGate(), UnitControl->GetMatrix(EffectBus) & 0xFF);
  }
  fmAutoMix->ShowModal();
}

void TfmMain::rzbCameraSetEffClick(TObject* /*Sender*/) {
  if (!fmCamera || !UnitControl) return;
  {
    Filling<TfmCamera> filling(fmCamera);
    FillMixGate(fmCamera, UnitControl->GetCameraGate(), UnitControl->GetMatrix(EffectBus) & 0xFF);
    // Stored 1 is the first item (see SetCameraDefault); a value outside
    // the items selects none rather than claim a position the device
    // does not hold.
    if (auto* box = dynamic_cast<TCustomComboBox*>(fmCamera->FindComponent("rzcCameraDefault"))) {
      const int item = UnitControl->GetCameraDefault() - 1;
      box->SetItemIndex(item >= 0 && item < box->GetItems()->GetCount() ? item : -1);
    }
  }
  fmCamera->ShowModal();
}

// ---------------------------------------------------------------- forwarders

void TfmMain::SetMixGate(int gate, const MixGateRecord& record) {
  if (Refreshing || !UnitControl) return;
  if (gate == AutoMixGate)
    UnitControl->SetAutoMixGate(record);
  else
    UnitControl->SetCameraGate(record);
}

void TfmMain::SetAutoMixSlope(int slope) {
  if (Refreshing || !UnitControl) return;
  UnitControl->SetAutoMixSlope(static_cast<std::uint16_t>(std::clamp(slope, 0, 0xFFFF)));
}

void TfmMain::SetSubCtrl(int index, const SubCtrlRecord& record) {
  if (Refreshing || !UnitControl) return;
  UnitControl->SetSubCtrl(index, record);
}

void TfmMain::SetGroupCtrl(int index, const GroupCtrlRecord& record) {
  if (Refreshing || !UnitControl || index < 0 || index > 7) return;
  UnitControl->SetGroupCtrl(index, record);
}

void TfmMain::SetEffectVolume(int volume) {
  if (!UnitControl) return;
  UnitControl->SetEffect(UnitControl->GetEffectOn(), static_cast<std::uint8_t>(std::clamp(volume, 0, 255)));
}

void TfmMain::SetCameraDefault(int item) {
  if (!UnitControl) return;
  UnitControl->SetCameraDefault(static_cast<std::uint8_t>(std::clamp(item, 0, 7) + 1));
}

void TfmMain::SetEcho(std::uint32_t word0, std::uint32_t word1) {
  if (!UnitControl) return;
  UnitControl->SetEchoWords({LowHalf(word0), HighHalf(word0), LowHalf(word1), HighHalf(word1)});
}

void TfmMain::SetReverb(std::uint32_t word0, std::uint32_t word1) {
  if (!UnitControl) return;
  UnitControl->SetReverbWords({LowHalf(word0), HighHalf(word0), LowHalf(word1), HighHalf(word1)});
}

// ---------------------------------------------------------------- binding

void TfmMain::BindEffectBusHandlers() {
  if (auto* fader = FindAs<TAdvTrackBar>("isGainEff"))
    fader->OnChange = [this](TObject* s) { isGainEffChange(s); };
  if (auto* fader = FindAs<TAdvTrackBar>("isCompThresholdEff"))
    fader->OnChange = [this](TObject* s) { isCompThresholdEffChange(s); };
  if (auto* bypass = FindAs<TControl>("vrbEqBypassEff"))
    bypass->OnClick = [this](TObject* s) { vrbEqBypassEffClick(s); };
  using Handler = void (TfmMain::*)(TObject*);
  const std::pair<const char*, Handler> keys[] = {
      {"rzbMuteEff", &TfmMain::rzbMuteEffClick},
      {"rzbOnOffEff", &TfmMain::rzbOnOffEffClick},
      {"rzbAutoMixOnOffEff", &TfmMain::rzbAutoMixOnOffEffClick},
      {"rzbCameraOnOffEff", &TfmMain::rzbCameraOnOffEffClick},
      {"rzbCompSetEff", &TfmMain::rzbCompSetEffClick},
      {"rzbEffectSetEff", &TfmMain::rzbEffectSetEffClick},
      {"rzbAutoMixSetEff", &TfmMain::rzbAutoMixSetEffClick},
      {"rzbCameraSetEff", &TfmMain::rzbCameraSetEffClick},
  };
  for (const auto& [name, handler] : keys)
    if (auto* key = FindAs<TRzBmpButton>(name))
      key->OnClick = [this, h = handler](TObject* s) { (this->*h)(s); };
}
