#pragma once
// The device ID dialog reached from a hidden menu item. Its opener sets the
// group's enabled state and the edit's colour before showing it.

#include <string_view>

#include "platform/classlib/Forms.h"

class TEdit;
class TGroupBox;
class TLabel;
class TRzBmpButton;

class TfmIdSelect : public TForm {
 public:
  explicit TfmIdSelect(TComponent* AOwner);
  ~TfmIdSelect() override;

  TGroupBox* gnIdNumer;
  TLabel* lbMessage;
  TEdit* edId;
  TRzBmpButton* bnSet;
  TRzBmpButton* bnExit;

  void SetTexts(std::string_view Language);
  // The texts, and the main window's device ID into edId.
  void FormShow(TObject* Sender);
  void bnSetClick(TObject* Sender);
  void bnExitClick(TObject* Sender);
};

extern TfmIdSelect* fmIdSelect;
