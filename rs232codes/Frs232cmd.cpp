#include "rs232codes/Frs232cmd.h"

TfmRs232Cmd* fmRs232Cmd = nullptr;
TfmRs232CmdEnglish* fmRs232CmdEnglish = nullptr;

TfmRs232Cmd::TfmRs232Cmd(TComponent* AOwner) : TfmRs232Cmd(AOwner, TRs232TextSet::Chinese) {}

TfmRs232Cmd::TfmRs232Cmd(TComponent* AOwner, TRs232TextSet TextSet) : TForm(AOwner), FTextSet(TextSet) {
  const bool english = TextSet == TRs232TextSet::English;
  SetName(english ? "fmRs232CmdEnglish" : "fmRs232Cmd");
  SetVisible(false);
  SetCaption(english ? "RS232 Remote Control Code" : "232通讯协议代码");
  SetBorderStyle(bsDialog);
  SetBorderIcons(TBorderIcons{biSystemMenu});
  SetPosition(poScreenCenter);
  SetClientWidth(392);
  SetClientHeight(405);
}

TfmRs232Cmd::~TfmRs232Cmd() {
  if (fmRs232Cmd == this) fmRs232Cmd = nullptr;
}

TfmRs232CmdEnglish::TfmRs232CmdEnglish(TComponent* AOwner) : TfmRs232Cmd(AOwner, TRs232TextSet::English) {}

TfmRs232CmdEnglish::~TfmRs232CmdEnglish() {
  if (fmRs232CmdEnglish == this) fmRs232CmdEnglish = nullptr;
}
