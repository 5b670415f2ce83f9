#include "dialogs/Fchnamelist.h"

#include "dialogs/DialogLook.h"

TfmChNameList* fmChNameList = nullptr;

TfmChNameList::TfmChNameList(TComponent* AOwner) : TForm(AOwner) {
  SetUpDialogForm(this, "fmChNameList", "Channel Name", 440, 400, true);
}

TfmChNameList::~TfmChNameList() {
  if (fmChNameList == this) fmChNameList = nullptr;
}
