#pragma once
// Chooses the device's input signal: the analog inputs, pink or white noise
// or a sine wave at one of 31 third-octave frequencies. Every choice is
// sent at once; nothing is stored in the model.

#include <string_view>

#include "platform/classlib/Forms.h"

class TComboBox;
class TRadioButton;
class TRzBmpButton;

class TfmTest : public TForm {
 public:
  explicit TfmTest(TComponent* AOwner);
  ~TfmTest() override;

  TRadioButton* rbAnalogIn;
  TRadioButton* rbPinkNoise;
  TRadioButton* rbWhiteNoise;
  TRadioButton* rbSineWave;
  TComboBox* cbSineFreq;
  TRzBmpButton* bnExit;

  void SetTexts(std::string_view Language);

  void FormShow(TObject* Sender);
  // Serves the four source buttons (tag = source): sends the source with
  // the chosen frequency, unless the main window is refreshing.
  void rbAnalogInClick(TObject* Sender);
  // Switches to the sine wave at the chosen frequency.
  void cbSineFreqSelect(TObject* Sender);
  void bnExitClick(TObject* Sender);
};

extern TfmTest* fmTest;
