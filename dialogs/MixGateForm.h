#pragma once
// What the automix and the camera dialog share: the threshold, attack and
// release faders, the eight input keys that choose the inputs the gate
// watches, and the activity LEDs of those inputs, lit by the main window's
// level reply only for inputs that feed the effect bus. Each dialog adds
// its own read-out, list and texts.

#include <cstdint>
#include <string_view>

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

  void SetTexts(std::string_view Language);

  // Texts, and the input keys from the record: down for a watched input,
  // enabled only for an input that feeds the effect bus.
  void FormShow(TObject* Sender);
  void isThresholdChange(TObject* Sender);
  void isAttackChange(TObject* Sender);
  void isReleaseChange(TObject* Sender);
  // Serves the eight input keys (tag = input).
  void rzbAMatrixClick(TObject* Sender);

 protected:
  // Gate is the mix gate the dialog edits: 18 automix, 19 camera.
  TMixGateForm(TComponent* AOwner, const char* Name, const std::string& Caption, int Gate);
  // The dialog's own texts.
  virtual void SetOwnTexts(std::string_view Language) = 0;
  // The box that holds the dialog's own read-out and list.
  TGroupBox* FOwnBox = nullptr;

 private:
  // Writes the fader's value box; unless loading, stores the position as
  // the record's word and passes the record on.
  void FaderChanged(TObject* Sender, std::uint16_t MixGateRecord::*Word, int Offset);

  int FGateNumber;
  std::uint16_t FEnabledInputs = 0;
  MixGateRecord FGate{};
  int FFilling = 0;
};
