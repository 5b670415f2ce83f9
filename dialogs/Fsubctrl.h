#pragma once
// The two sub controls, over the inputs and over the outputs: a volume, a
// mute and the member channels of each. Every change passes the whole
// record to the main window, which stores and sends it.

#include <array>
#include <string_view>

#include "link/DeviceRecords.h"
#include "platform/classlib/Forms.h"

class TfmSubCtrl : public TForm {
 public:
  explicit TfmSubCtrl(TComponent* AOwner);
  ~TfmSubCtrl() override;

  // The dialog's own copy of record index (0..1), written from the model.
  void SetSubCtrlRecord(int index, const SubCtrlRecord& record);
  SubCtrlRecord GetSubCtrlRecord(int index) const;
  int GetLoading() const { return FLoading; }

  void SetTexts(std::string_view Language);

  // Texts, then every control from the records with the loading flag set.
  void FormShow(TObject* Sender);
  // Serve both sliders, both mutes and all 16 member keys; the record is
  // the control's tag, the member its key's group index - 1.
  void isInSubCtrlVolChange(TObject* Sender);
  void rzbInSubCtrlMuteClick(TObject* Sender);
  void rzbInSubCtrlSelAClick(TObject* Sender);

 private:
  std::array<SubCtrlRecord, 2> FRecords{};
  int FLoading = 0;
};

extern TfmSubCtrl* fmSubCtrl;
