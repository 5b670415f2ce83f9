#pragma once
// The six-decibel PEQ band table: five band types and gains of +-6 dB,
// always with its built-in texts.

#include "response/PeqBandTable.h"

class TMyPEQGain6dB : public TPeqBandTable {
 public:
  explicit TMyPEQGain6dB(TComponent* AOwner);
  using TPeqBandTable::ChangeLanguage;
};
