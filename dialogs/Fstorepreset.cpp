#include "dialogs/Fstorepreset.h"

TfmStorePreset* fmStorePreset = nullptr;

TfmStorePreset::TfmStorePreset(TComponent* AOwner)
    : TPresetListForm(AOwner, "fmStorePreset", "Store Preset", UserPresetCodes(), true) {}

TfmStorePreset::~TfmStorePreset() {
  if (fmStorePreset == this) fmStorePreset = nullptr;
}
