#include "dialogs/Frecallpreset.h"

TfmRecallPreset* fmRecallPreset = nullptr;

namespace {

std::vector<std::string> FactoryAndUserCodes() {
  std::vector<std::string> codes = UserPresetCodes();
  codes.insert(codes.begin(), "F00");
  return codes;
}

}  // namespace

TfmRecallPreset::TfmRecallPreset(TComponent* AOwner)
    : TPresetListForm(AOwner, "fmRecallPreset", "Recall Preset", FactoryAndUserCodes(), false) {}

TfmRecallPreset::~TfmRecallPreset() {
  if (fmRecallPreset == this) fmRecallPreset = nullptr;
}
