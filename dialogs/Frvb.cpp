#include "dialogs/Frvb.h"

#include <cstdio>
#include <string>
#include <utility>

#include "controls/AdvTrackBar.h"
#include "controls/CurvyControls.h"
#include "dialogs/DialogLook.h"
#include "dialogs/ParamDialogKit.h"
#include "link/LCmd.h"
#include "mainwindow/FMain.h"
#include "mainwindow/FMainPageKit.h"
#include "platform/classlib/StdCtrls.h"

using namespace paramkit;

TfmRvb* fmRvb = nullptr;

namespace {

std::string Format(const char* format, int value) {
  char text[32];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

// Texts of the echo sliders by tag: gain, repeat, delay, pre-delay.
std::string EchoText(int tag, int position) {
  switch (tag) {
    case 0:
      return Format("%3d", position);
    case 1:
      return Format("%4d", position);
    default:
      return Format("%4dms", position);
  }
}

// Texts of the reverb sliders by tag: gain, reflect, time, pre-delay.
std::string ReverbText(int tag, int position) {
  switch (tag) {
    case 0:
    case 1:
      return Format("%2d", position);
    case 2:
      return ReverbTimeText(position);
    default:
      return Format("%4dms", position);
  }
}

std::uint32_t Pack(std::uint16_t low, std::uint16_t high) {
  return static_cast<std::uint32_t>(low) | (static_cast<std::uint32_t>(high) << 16);
}

constexpr int ColumnWidth = 76;
constexpr int BoxTop = 12;
constexpr int BoxHeight = 316;
constexpr TColor Accent = pagekit::AccentEff;

struct Column {
  const char* Stem;
  const char* Caption;
  int Max;
  int Tag;
};

}  // namespace

std::string ReverbTimeText(int Position) {
  const int b = Position + 1;
  const float t = static_cast<float>(b * b) * 0.1f;
  if (t < 1.0f) return "0." + std::to_string(b * b) + "ms";
  if (t < 1000.0f) return std::to_string(static_cast<int>(t)) + "ms";
  char text[32];
  std::snprintf(text, sizeof text, "%1.2fs", static_cast<double>(t / 1000.0f));
  return text;
}

TfmRvb::TfmRvb(TComponent* AOwner) : TForm(AOwner) {
  SetUpDialogForm(this, "fmRvb", "Effect Setting", 768, BoxTop + BoxHeight + 12, true);
  const Column echo[] = {{"EchoGain", "Echo", 100, 0},
                         {"EchoRepeat", "Repeat", 100, 1},
                         {"EchoDelay", "Delay", 400, 2},
                         {"EchoPreDelay", "PreDelay", 250, 3}};
  const Column reverb[] = {{"RvbGain", "Reverb", 100, 0},
                           {"RvbReflect", "Reflect", 100, 1},
                           {"RvbTime", "Time", 199, 2},
                           {"RvbPreDelay", "Predelay", 250, 3}};
  auto* echoBox = AddGroupBox(this, "gbEcho", "", 12, BoxTop, 4 * ColumnWidth + 12, BoxHeight);
  auto* reverbBox = AddGroupBox(this, "gbReverb", "", 340, BoxTop, 4 * ColumnWidth + 12, BoxHeight);
  auto* volumeBox = AddGroupBox(this, "gbEffectVol", "", 668, BoxTop, ColumnWidth + 12, BoxHeight);
  const auto columnAt = [](int k) { return Bounds(6 + k * ColumnWidth, 10, ColumnWidth, BoxHeight - 22); };
  for (int k = 0; k < 4; ++k) {
    const Column& e = echo[k];
    AddFaderColumn(echoBox, {e.Stem, e.Caption, 0, e.Max, 0, e.Tag, EchoText(e.Tag, 0)}, columnAt(k), Accent)
        .Fader->OnChange = [this](TObject* s) { isEchoGainChange(s); };
    const Column& r = reverb[k];
    AddFaderColumn(reverbBox, {r.Stem, r.Caption, 0, r.Max, 0, r.Tag, ReverbText(r.Tag, 0)}, columnAt(k),
                   Accent)
        .Fader->OnChange = [this](TObject* s) { isRvbGainChange(s); };
  }
  AddFaderColumn(volumeBox, {"EffectVol", "Gain", 0, 100, 0, 3, "0"}, columnAt(0), Accent).Fader->OnChange =
      [this](TObject* s) { isEffectVolChange(s); };
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
}

TfmRvb::~TfmRvb() {
  if (fmRvb == this) fmRvb = nullptr;
}

void TfmRvb::SetTexts(std::string_view Language) {
  SetCaption(LangText(Language, "SID_EFFECT_TITLE"));
  const std::pair<const char*, const char*> labels[] = {
      {"lbEchoGain", "SID_ECHO"},          {"lbEchoDelay", "SID_ECHO_DELAY"},
      {"lbEchoPreDelay", "SID_ECHO_PREDLY"}, {"lbEchoRepeat", "SID_ECHO_REPEAT"},
      {"lbRvbGain", "SID_RVB"},            {"lbRvbPreDelay", "SID_RVB_PREDLY"},
      {"lbRvbReflect", "SID_RVB_REFLECT"}, {"lbRvbTime", "SID_RVB_TIME"},
      {"lbEffectVol", "SID_EFF_VOL"}};
  for (const auto& [name, key] : labels)
    if (auto* label = FindOn<TLabel>(this, name)) label->SetCaption(LangText(Language, key));
}

void TfmRvb::FormShow(TObject* /*Sender*/) {
  SetTexts(DialogLanguage());
}

namespace {

// The field of a record each slider tag edits: gain, repeat or reflect,
// delay or time, pre-delay.
constexpr std::uint16_t EchoRecord::*EchoFields[] = {&EchoRecord::Gain, &EchoRecord::Repeat, &EchoRecord::Delay,
                                                     &EchoRecord::PreDelay};
constexpr std::uint16_t ReverbRecord::*ReverbFields[] = {&ReverbRecord::Gain, &ReverbRecord::Reflect,
                                                         &ReverbRecord::Time, &ReverbRecord::PreDelay};

// Writes the slider's value box; unless loading, stores its position in
// the record's field of its tag and returns true. While loading, the record
// keeps the words it was given: a word outside its slider's range goes back
// to the device unchanged.
template <class Record>
bool SliderChanged(TObject* sender, bool loading, Record& record, std::uint16_t Record::* const (&fields)[4],
                   std::string (*text)(int, int)) {
  auto* fader = dynamic_cast<TAdvTrackBar*>(sender);
  TCurvyEdit* box = fader ? ValueBoxOf(fader) : nullptr;
  if (!box) return false;
  const int tag = fader->GetTag();
  box->SetText(text(tag, fader->GetPosition()));
  if (loading || tag < 0 || tag > 3) return false;
  record.*fields[tag] = static_cast<std::uint16_t>(fader->GetPosition());
  return fmMain != nullptr;
}

}  // namespace

void TfmRvb::isEchoGainChange(TObject* Sender) {
  if (!SliderChanged(Sender, FFilling != 0, FEcho, EchoFields, EchoText)) return;
  const std::uint32_t word0 = Pack(FEcho.PreDelay, FEcho.Delay), word1 = Pack(FEcho.Repeat, FEcho.Gain);
  fmMain->SetEcho(word0, word1);
  fmMain->SendCommand(CM_MCS_ECHO(fmMain->GetDeviceId(), word0, word1), false);
}

void TfmRvb::isRvbGainChange(TObject* Sender) {
  if (!SliderChanged(Sender, FFilling != 0, FReverb, ReverbFields, ReverbText)) return;
  const std::uint32_t word0 = Pack(FReverb.PreDelay, FReverb.Reflect), word1 = Pack(FReverb.Time, FReverb.Gain);
  fmMain->SetReverb(word0, word1);
  fmMain->SendCommand(CM_MCS_RVB(fmMain->GetDeviceId(), word0, word1), false);
}

void TfmRvb::isEffectVolChange(TObject* Sender) {
  auto* fader = dynamic_cast<TAdvTrackBar*>(Sender);
  TCurvyEdit* box = fader ? ValueBoxOf(fader) : nullptr;
  if (!box) return;
  box->SetText(std::to_string(fader->GetPosition()));
  if (!FFilling && fmMain) fmMain->SetEffectVolume(fader->GetPosition());
}
