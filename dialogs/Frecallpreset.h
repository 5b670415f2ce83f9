#pragma once
// The recall list: the factory preset F00, then the user presets U01 .. U21
// (row 0 is F00, row k is user preset k).

#include "dialogs/PresetList.h"

class TfmRecallPreset : public TPresetListForm {
 public:
  explicit TfmRecallPreset(TComponent* AOwner);
  ~TfmRecallPreset() override;
};

extern TfmRecallPreset* fmRecallPreset;
