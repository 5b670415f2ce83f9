#include "dialogs/Ftest.h"

#include <utility>

#include "dialogs/DialogLook.h"
#include "dialogs/ParamDialogKit.h"
#include "link/LCmd.h"
#include "mainwindow/FMain.h"
#include "platform/classlib/RzControls.h"
#include "platform/classlib/StdCtrls.h"

TfmTest* fmTest = nullptr;

namespace {

constexpr int SineSource = 3;

}  // namespace

TfmTest::TfmTest(TComponent* AOwner) : TForm(AOwner) {
  SetUpDialogForm(this, "fmTest", "Input Signal Select", 320, 236, true);
  auto* box = AddGroupBox(this, "gbSource", "", 12, 12, 296, 168);
  const std::pair<const char*, const char*> sources[] = {
      {"rbAnalogIn", "Analog Input"}, {"rbPinkNoise", "Pink Noise"}, {"rbWhiteNoise", "White Noise"},
      {"rbSineWave", "Sine Wave"}};
  TRadioButton** buttons[] = {&rbAnalogIn, &rbPinkNoise, &rbWhiteNoise, &rbSineWave};
  for (int source = 0; source < 4; ++source) {
    auto* radio = new TRadioButton(this);
    radio->SetName(sources[source].first);
    radio->SetParent(box);
    radio->SetBounds(16, 12 + source * 36, 150, 26);
    radio->SetCaption(sources[source].second);
    radio->SetTag(source);
    *buttons[source] = radio;
  }
  // Chosen before the handlers listen: the start sends nothing.
  rbAnalogIn->SetChecked(true);
  for (TRadioButton** radio : buttons) (*radio)->OnClick = [this](TObject* s) { rbAnalogInClick(s); };
  cbSineFreq = paramkit::AddList(
      box, "cbSineFreq",
      {"20Hz",   "25Hz",   "31.5Hz",  "40Hz",    "50Hz",   "63Hz",   "80Hz",    "100Hz",
       "125Hz",  "160Hz",  "200Hz",   "250Hz",   "315Hz",  "400Hz",  "500Hz",   "630Hz",
       "800Hz",  "1KHz",   "1.25KHz", "1.6KHz",  "2KHz",   "2.5KHz", "3.15KHz", "4KHz",
       "5KHz",   "6.3KHz", "8KHz",    "10KHz",   "12.5KHz", "16KHz", "20KHz"},
      Bounds(172, 12 + 3 * 36, 108, 26));
  cbSineFreq->SetDropDownCount(16);
  cbSineFreq->OnSelect = [this](TObject* s) { cbSineFreqSelect(s); };
  bnExit = AddButton(this, "bnExit", "Exit", 320 - 12 - dialog_look::ButtonWidth, 194);
  bnExit->SetCancel(true);  // Escape leaves through it
  bnExit->OnClick = [this](TObject* s) { bnExitClick(s); };
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
}

TfmTest::~TfmTest() {
  if (fmTest == this) fmTest = nullptr;
}

void TfmTest::SetTexts(std::string_view Language) {
  SetCaption(LangText(Language, "SID_TEST_TITLE"));
  bnExit->SetCaption(LangText(Language, "SID_EXIT"));
  rbAnalogIn->SetCaption(LangText(Language, "SID_ANALOG_IN"));
  rbWhiteNoise->SetCaption(LangText(Language, "SID_WHITE_IN"));
  rbPinkNoise->SetCaption(LangText(Language, "SID_PINK_IN"));
  rbSineWave->SetCaption(LangText(Language, "SID_SINE_IN"));
}

void TfmTest::FormShow(TObject* /*Sender*/) {
  SetTexts(DialogLanguage());
}

void TfmTest::rbAnalogInClick(TObject* Sender) {
  auto* radio = dynamic_cast<TRadioButton*>(Sender);
  if (!radio || !fmMain || fmMain->IsRefreshing()) return;
  const int frequency = cbSineFreq->GetItemIndex();
  fmMain->SendCommand(CM_MCS_WORK_MODE(fmMain->GetDeviceId(), static_cast<std::uint8_t>(radio->GetTag()),
                                       static_cast<std::uint8_t>(frequency < 0 ? 0 : frequency)),
                      true);
}

void TfmTest::cbSineFreqSelect(TObject* /*Sender*/) {
  if (!fmMain || fmMain->IsRefreshing()) return;
  const int frequency = cbSineFreq->GetItemIndex();
  if (frequency < 0) return;
  // Checking the sine wave sends by itself when it was not on: the device
  // then hears the choice twice.
  rbSineWave->SetChecked(true);
  fmMain->SendCommand(CM_MCS_WORK_MODE(fmMain->GetDeviceId(), SineSource, static_cast<std::uint8_t>(frequency)),
                      true);
}

void TfmTest::bnExitClick(TObject* /*Sender*/) {
  CloseDialog(this, mrCancel);
}
