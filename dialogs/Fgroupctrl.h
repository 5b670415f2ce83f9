#pragma once
// The eight group controls, four over the inputs and four over the outputs:
// a volume, a mute and the member channels of each. Every change passes the
// group's whole record to the main window, which stores and sends it.

#include <array>
#include <string_view>

#include "link/DeviceRecords.h"
#include "platform/classlib/Forms.h"

class TfmGroupCtrl : public TForm {
 public:
  explicit TfmGroupCtrl(TComponent* AOwner);
  ~TfmGroupCtrl() override;

  // The dialog's own copy of record index (0..7), written from the model.
  void SetGroupCtrlRecord(int index, const GroupCtrlRecord& record);
  GroupCtrlRecord GetGroupCtrlRecord(int index) const;
  int GetLoading() const { return FLoading; }

  void SetTexts(std::string_view Language);

  // Texts, then every control from the records with the loading flag set.
  void FormShow(TObject* Sender);
  // Serve all eight sliders, all eight mutes and all 64 member keys; the
  // group is the control's tag, the member its key's group index - 1.
  void isGroupCtrlVolInAChange(TObject* Sender);
  void rzbGroupCtrlMuteInAClick(TObject* Sender);
  void rzbGroupCtrlSelAInAClick(TObject* Sender);

 private:
  std::array<GroupCtrlRecord, 8> FRecords{};
  int FLoading = 0;
};

extern TfmGroupCtrl* fmGroupCtrl;
