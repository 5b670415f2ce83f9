#pragma once
// The message list, reached from a hidden menu item; Clear empties it.

#include "platform/classlib/Forms.h"

class TMemo;
class TRzBmpButton;

class TfmMemo : public TForm {
 public:
  explicit TfmMemo(TComponent* AOwner);
  ~TfmMemo() override;

  TMemo* Memo;
  TRzBmpButton* bnClearMemo;

  void bnClearMemoClick(TObject* Sender);
};

extern TfmMemo* fmMemo;
