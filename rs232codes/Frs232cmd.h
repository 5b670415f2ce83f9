#pragma once
// The RS-232 control-code builder, once with Chinese texts (TfmRs232Cmd) and
// once with English ones (TfmRs232CmdEnglish); the two differ only in their
// texts and in which lists accept typed text.

#include "platform/classlib/Forms.h"

enum class TRs232TextSet { Chinese, English };

class TfmRs232Cmd : public TForm {
 public:
  explicit TfmRs232Cmd(TComponent* AOwner);
  ~TfmRs232Cmd() override;

  TRs232TextSet GetTextSet() const { return FTextSet; }

 protected:
  TfmRs232Cmd(TComponent* AOwner, TRs232TextSet TextSet);

 private:
  TRs232TextSet FTextSet;
};

class TfmRs232CmdEnglish : public TfmRs232Cmd {
 public:
  explicit TfmRs232CmdEnglish(TComponent* AOwner);
  ~TfmRs232CmdEnglish() override;
};

extern TfmRs232Cmd* fmRs232Cmd;
extern TfmRs232CmdEnglish* fmRs232CmdEnglish;
