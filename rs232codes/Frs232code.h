#pragma once
// The two code-table viewers: scrolling documents of the RS-232 control
// codes, Chinese (TfmRs232Code) and English (TfmRs232CodeEnglish).

#include "platform/classlib/Forms.h"

class TfmRs232Code : public TForm {
 public:
  explicit TfmRs232Code(TComponent* AOwner);
  ~TfmRs232Code() override;

  bool IsEnglish() const { return FEnglish; }

 protected:
  TfmRs232Code(TComponent* AOwner, bool English);

 private:
  bool FEnglish;
};

class TfmRs232CodeEnglish : public TfmRs232Code {
 public:
  explicit TfmRs232CodeEnglish(TComponent* AOwner);
  ~TfmRs232CodeEnglish() override;
};

extern TfmRs232Code* fmRs232Code;
extern TfmRs232CodeEnglish* fmRs232CodeEnglish;
