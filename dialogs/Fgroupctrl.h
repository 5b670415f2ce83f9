#pragma once
// The eight group controls, four over the inputs and four over the outputs.

#include <array>

#include "link/DeviceRecords.h"
#include "platform/classlib/Forms.h"

class TfmGroupCtrl : public TForm {
 public:
  explicit TfmGroupCtrl(TComponent* AOwner);
  ~TfmGroupCtrl() override;

  // The dialog's own copy of record index (0..7), written from the model.
  void SetGroupCtrlRecord(int index, const GroupCtrlRecord& record);
  GroupCtrlRecord GetGroupCtrlRecord(int index) const;

 private:
  std::array<GroupCtrlRecord, 8> FRecords{};
};

extern TfmGroupCtrl* fmGroupCtrl;
