#pragma once
// The traffic log: one line of hexadecimal text per device frame written or
// read on the open link. The link glue appends the lines while the window is
// shown; the window only holds them until Clear.

#include <atomic>

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

  // Whether the window is shown, readable on any thread (the link's workers
  // write lines): while it is hidden no line is kept, not even one queued
  // for the window's thread.
  static bool Listening() { return FListening.load(std::memory_order_relaxed); }

 protected:
  void VisibleChanged() override;

 private:
  static std::atomic<bool> FListening;
};

extern TfmHidData* fmHidData;
