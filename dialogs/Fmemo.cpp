#include "dialogs/Fmemo.h"

#include "dialogs/DialogLook.h"
#include "platform/classlib/RzControls.h"
#include "platform/classlib/StdCtrls.h"

TfmMemo* fmMemo = nullptr;

TfmMemo::TfmMemo(TComponent* AOwner) : TForm(AOwner) {
  SetUpDialogForm(this, "fmMemo", "Message List", 380, 320, true);
  Memo = new TMemo(this);
  Memo->SetName("Memo");
  Memo->SetParent(this);
  Memo->SetBounds(12, 12, 356, 252);
  Memo->SetColor(dialog_look::Field);
  Memo->GetFont()->SetColor(dialog_look::Text);
  Memo->SetScrollBars(ssVertical);
  Memo->GetLines()->Add("Memo");
  bnClearMemo = AddButton(this, "bnClearMemo", "Clear", (380 - dialog_look::ButtonWidth) / 2, 278);
  bnClearMemo->OnClick = [this](TObject* Sender) { bnClearMemoClick(Sender); };
}

TfmMemo::~TfmMemo() {
  if (fmMemo == this) fmMemo = nullptr;
}

void TfmMemo::bnClearMemoClick(TObject* /*Sender*/) {
  Memo->Clear();
}
