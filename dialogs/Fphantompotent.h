#pragma once
// Drives the input preamplifiers directly: gain and +48 V phantom power per
// input, each change sent at once as a raw command. Nothing is stored in
// the model and nothing loads the dialog from it; its texts stay as
// designed in every language.

#include <string>

#include "platform/classlib/Forms.h"

class TfmPhantomPotent : public TForm {
 public:
  explicit TfmPhantomPotent(TComponent* AOwner);
  ~TfmPhantomPotent() override;

  // Serves the eight gain sliders (tag = input, -32..0): shows the gain of
  // the step and sends 0x55 with the input and the step.
  void isGainInAChange(TObject* Sender);
  // Serves the eight +48V keys (tag = input): sends 0x56 with the input
  // and the key's state.
  void rzbGainPhantomInAClick(TObject* Sender);
};

// The preamplifier's gain at a slider position: step a = -position (0..32)
// gives 0..12 dB in 1 dB, then 2 dB to 36 dB, then 3 dB to 60 dB:
// "+ 0.0dB", "-12.0dB", "-14.0dB", "-60.0dB".
std::string PreampGainText(int Position);

extern TfmPhantomPotent* fmPhantomPotent;
