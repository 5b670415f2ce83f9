#pragma once
// Echo, reverb and volume of the effect bus.

#include <cstdint>

#include "link/DeviceRecords.h"
#include "platform/classlib/Forms.h"

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

 private:
  std::uint8_t FFilling = 0;
  EchoRecord FEcho{};
  ReverbRecord FReverb{};
};

extern TfmRvb* fmRvb;
