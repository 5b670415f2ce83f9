#include "dialogs/Fsubctrl.h"

#include "dialogs/DialogLook.h"

TfmSubCtrl* fmSubCtrl = nullptr;

TfmSubCtrl::TfmSubCtrl(TComponent* AOwner) : TForm(AOwner) {
  SetUpDialogForm(this, "fmSubCtrl", "Sub Control Setting", 620, 340, true);
  // Full volume, not muted, no members until the model says otherwise.
  FRecords.fill(SubCtrlRecord{.Volume = 100});
}

TfmSubCtrl::~TfmSubCtrl() {
  if (fmSubCtrl == this) fmSubCtrl = nullptr;
}

void TfmSubCtrl::SetSubCtrlRecord(int index, const SubCtrlRecord& record) {
  if (index >= 0 && index < static_cast<int>(FRecords.size()))
    FRecords[static_cast<std::size_t>(index)] = record;
}

SubCtrlRecord TfmSubCtrl::GetSubCtrlRecord(int index) const {
  return index >= 0 && index < static_cast<int>(FRecords.size()) ? FRecords[static_cast<std::size_t>(index)]
                                                                 : SubCtrlRecord{};
}
