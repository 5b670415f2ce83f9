#include "dialogs/Flinksel.h"

#include "dialogs/DialogLook.h"

TfmLinkSel* fmLinkSel = nullptr;

TfmLinkSel::TfmLinkSel(TComponent* AOwner) : TForm(AOwner) {
  SetUpDialogForm(this, "fmLinkSel", "Link Selection", 620, 440, true);
}

TfmLinkSel::~TfmLinkSel() {
  if (fmLinkSel == this) fmLinkSel = nullptr;
}

void TfmLinkSel::LoadLinkMask(int ch, std::uint16_t mask) {
  if (ch >= 0 && ch < static_cast<int>(FLoadedMasks.size()))
    FLoadedMasks[static_cast<std::size_t>(ch)] = mask;
}

std::uint16_t TfmLinkSel::GetLoadedLinkMask(int ch) const {
  return ch >= 0 && ch < static_cast<int>(FLoadedMasks.size()) ? FLoadedMasks[static_cast<std::size_t>(ch)]
                                                               : 0;
}

void TfmLinkSel::ApplyLeaders() {}

void TfmLinkSel::ApplyMembers() {}
