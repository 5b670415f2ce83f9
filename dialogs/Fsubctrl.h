#pragma once
// The two sub controls over the inputs and over the outputs.

#include <array>

#include "link/DeviceRecords.h"
#include "platform/classlib/Forms.h"

class TfmSubCtrl : public TForm {
 public:
  explicit TfmSubCtrl(TComponent* AOwner);
  ~TfmSubCtrl() override;

  // The dialog's own copy of record index (0..1), written from the model.
  void SetSubCtrlRecord(int index, const SubCtrlRecord& record);
  SubCtrlRecord GetSubCtrlRecord(int index) const;

 private:
  std::array<SubCtrlRecord, 2> FRecords{};
};

extern TfmSubCtrl* fmSubCtrl;
