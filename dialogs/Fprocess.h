#pragma once
// The progress window of transfers with the device. The main window drives
// it: it writes the running operation into StatusBar, sets the bar's
// maximum and position, shows the window and closes it at the end.

#include <string_view>

#include "platform/classlib/Forms.h"

class TAdvProgressBar;
class TStatusBar;

class TfmProcess : public TForm {
 public:
  explicit TfmProcess(TComponent* AOwner);
  ~TfmProcess() override;

  void SetTexts(std::string_view Language);

  TAdvProgressBar* ProgressBar;
  TStatusBar* StatusBar;

  void FormShow(TObject* Sender);
};

extern TfmProcess* fmProcess;
