#pragma once
// The PEQ band table of the strips: seven band types (PeqTypeIndex 0..6),
// gains of +-12 dB, and texts the main window sets in its language.

#include "response/PeqBandTable.h"

class TMyPEQAllpass : public TPeqBandTable {
 public:
  explicit TMyPEQAllpass(TComponent* AOwner);

  using TPeqBandTable::ChangeLanguage;
  using TPeqBandTable::GetNowIndex;
  // Shown from the next ChangeLanguage or layout pass; type 0..6.
  void SetEqTypeString(const std::string& text, int type) { TPeqBandTable::SetEqTypeString(text, type); }
  void SetBypassString(const std::string& text) { TPeqBandTable::SetBypassString(text); }
};
