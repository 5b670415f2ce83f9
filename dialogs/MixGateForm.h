#pragma once
// What the automix and the camera dialog share: the activity LEDs of the
// eight inputs, lit by the main window's level reply only for inputs that
// feed the effect bus.

#include <cstdint>

#include "link/DeviceRecords.h"
#include "platform/classlib/Forms.h"

class TGroupBox;
class TLabel;

class TMixGateForm : public TForm {
 public:
  // Input i (0..7, A..H): its LED iledIn<A+i> lit when Active is set and
  // the input feeds the effect bus, else dark; nothing for an input or LED
  // that does not exist.
  void SetInputLed(int Input, std::uint8_t Active);
  // The inputs that feed the effect bus (bit i = input i); the opener sets
  // them from the routing.
  void SetEnabledInputs(std::uint16_t Mask) { FEnabledInputs = Mask; }
  std::uint16_t GetEnabledInputs() const { return FEnabledInputs; }
  void SetEffectInputs(std::uint16_t Mask) { SetEnabledInputs(Mask); }
  // The working copy of the gate record the dialog edits.
  void SetGateRecord(const MixGateRecord& Value) { FGate = Value; }
  const MixGateRecord& GetGateRecord() const { return FGate; }
  // Set by the opener while it writes the sliders: nothing is passed on
  // meanwhile.
  void SetFilling(int Value) { FFilling = Value; }
  int GetFilling() const { return FFilling; }

 protected:
  TMixGateForm(TComponent* AOwner, const char* Name, const std::string& Caption);
  // The box that holds the LEDs and the read-out, for the dialog's own label.
  TGroupBox* FActivityBox = nullptr;

 private:
  std::uint16_t FEnabledInputs = 0;
  MixGateRecord FGate{};
  int FFilling = 0;
};
