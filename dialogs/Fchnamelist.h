#pragma once
// Renames every channel at once.

#include <string_view>

#include "platform/classlib/Forms.h"

class TEdit;
class TRzBmpButton;

class TfmChNameList : public TForm {
 public:
  explicit TfmChNameList(TComponent* AOwner);
  ~TfmChNameList() override;

  // The edit of a channel (0..15, or 18 for the effect bus); null for others.
  TEdit* NameEdit(int ch) const;

  TRzBmpButton* btnOK;
  TRzBmpButton* btnCancel;

  void SetTexts(std::string_view Language);
  void FormShow(TObject* Sender);
  void btnOKClick(TObject* Sender);
  void btnCancelClick(TObject* Sender);
};

extern TfmChNameList* fmChNameList;
