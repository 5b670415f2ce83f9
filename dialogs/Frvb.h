#pragma once
// Echo, reverb and volume of the effect bus. Each fader shows its value;
// an echo move stores both echo words and sends all four echo values, a
// reverb move likewise, the volume goes with the effect's on/off state.

#include <cstdint>
#include <string>
#include <string_view>

#include "link/DeviceRecords.h"
#include "platform/classlib/Forms.h"

class TLabel;

class TfmRvb : public TForm {
 public:
  explicit TfmRvb(TComponent* AOwner);
  ~TfmRvb() override;

  // Set by the opener while it writes the sliders: nothing is stored or
  // sent meanwhile.
  void SetFilling(std::uint8_t Value) { FFilling = Value; }
  std::uint8_t GetFilling() const { return FFilling; }
  // The working copies the sliders edit.
  void SetEchoRecord(const EchoRecord& Value) { FEcho = Value; }
  const EchoRecord& GetEchoRecord() const { return FEcho; }
  void SetReverbRecord(const ReverbRecord& Value) { FReverb = Value; }
  const ReverbRecord& GetReverbRecord() const { return FReverb; }

  void SetTexts(std::string_view Language);

  void FormShow(TObject* Sender);
  // Serves the four echo sliders (tag 0 gain, 1 repeat, 2 delay, 3 pre-delay).
  void isEchoGainChange(TObject* Sender);
  // Serves the four reverb sliders (tag 0 gain, 1 reflect, 2 time, 3 pre-delay).
  void isRvbGainChange(TObject* Sender);
  void isEffectVolChange(TObject* Sender);

 private:
  std::uint8_t FFilling = 0;
  EchoRecord FEcho{};
  ReverbRecord FReverb{};
};

// The reverb time of a slider position p: ((p + 1)^2 * 0.1) ms in single
// precision, "0.1ms" .. "0.9ms", "10ms" .. "980ms", "1.00s" .. "4.00s".
std::string ReverbTimeText(int Position);

extern TfmRvb* fmRvb;
