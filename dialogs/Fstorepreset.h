#pragma once
// The store list: the 21 user presets U01 .. U21 (row k is preset k + 1).

#include "dialogs/PresetList.h"

class TfmStorePreset : public TPresetListForm {
 public:
  explicit TfmStorePreset(TComponent* AOwner);
  ~TfmStorePreset() override;
};

extern TfmStorePreset* fmStorePreset;
