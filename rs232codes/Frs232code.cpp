#include "rs232codes/Frs232code.h"

TfmRs232Code* fmRs232Code = nullptr;
TfmRs232CodeEnglish* fmRs232CodeEnglish = nullptr;

TfmRs232Code::TfmRs232Code(TComponent* AOwner) : TfmRs232Code(AOwner, false) {}

TfmRs232Code::TfmRs232Code(TComponent* AOwner, bool English) : TForm(AOwner), FEnglish(English) {
  SetName(English ? "fmRs232CodeEnglish" : "fmRs232Code");
  SetVisible(false);
  SetCaption(English ? "RS232 Protocal Code" : "232通讯协议控制代码");
  SetBorderStyle(bsSizeable);
  SetPosition(poDesktopCenter);
  SetColor(clWindow);
  if (English)
    SetBounds(0, 0, 754, 662);
  else
    SetBounds(0, 0, 746, 661);
}

TfmRs232Code::~TfmRs232Code() {
  if (fmRs232Code == this) fmRs232Code = nullptr;
}

TfmRs232CodeEnglish::TfmRs232CodeEnglish(TComponent* AOwner) : TfmRs232Code(AOwner, true) {}

TfmRs232CodeEnglish::~TfmRs232CodeEnglish() {
  if (fmRs232CodeEnglish == this) fmRs232CodeEnglish = nullptr;
}
