#pragma once
// Copies one channel's parameters to another of the same side.

#include <string_view>

#include "platform/classlib/Forms.h"

class TComboBox;
class TLabel;
class TRzBmpButton;

class TfmCopy : public TForm {
 public:
  explicit TfmCopy(TComponent* AOwner);
  ~TfmCopy() override;

  TComboBox* cbInSource;
  TComboBox* cbInDestination;
  TRzBmpButton* bnInChCopy;
  TComboBox* cbOutSource;
  TComboBox* cbOutDestination;
  TRzBmpButton* bnOutChCopy;
  TRzBmpButton* bnExit;

  void SetTexts(std::string_view Language);
  void FormShow(TObject* Sender);
  // Both copy buttons: tag 0 the inputs, tag 1 the outputs.
  void bnInChCopyClick(TObject* Sender);
  void bnExitClick(TObject* Sender);
};

extern TfmCopy* fmCopy;
