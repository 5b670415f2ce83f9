#include "dialogs/Fgroupctrl.h"

#include "dialogs/DialogLook.h"

TfmGroupCtrl* fmGroupCtrl = nullptr;

TfmGroupCtrl::TfmGroupCtrl(TComponent* AOwner) : TForm(AOwner) {
  SetUpDialogForm(this, "fmGroupCtrl", "Group Control Setting", 900, 560, true);
  // Full volume, not muted, no members until the model says otherwise.
  FRecords.fill(GroupCtrlRecord{.Volume = 100});
}

TfmGroupCtrl::~TfmGroupCtrl() {
  if (fmGroupCtrl == this) fmGroupCtrl = nullptr;
}

void TfmGroupCtrl::SetGroupCtrlRecord(int index, const GroupCtrlRecord& record) {
  if (index >= 0 && index < static_cast<int>(FRecords.size()))
    FRecords[static_cast<std::size_t>(index)] = record;
}

GroupCtrlRecord TfmGroupCtrl::GetGroupCtrlRecord(int index) const {
  return index >= 0 && index < static_cast<int>(FRecords.size()) ? FRecords[static_cast<std::size_t>(index)]
                                                                 : GroupCtrlRecord{};
}
