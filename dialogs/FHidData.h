#pragma once
// The traffic log: one line of hexadecimal text per device frame written or
// read on the open link. The link glue appends the lines while the window is
// shown; the window only holds them until Clear.

#include "platform/classlib/Forms.h"

class TListBox;
class TButton;

class TfmHidData : public TForm {
 public:
  explicit TfmHidData(TComponent* AOwner);
  ~TfmHidData() override;

  TListBox* hbHidData;
  TButton* bnClear;

  void bnClearClick(TObject* Sender);
};

extern TfmHidData* fmHidData;
