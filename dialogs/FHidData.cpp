#include "dialogs/FHidData.h"

#include "dialogs/DialogLook.h"
#include "platform/classlib/StdCtrls.h"

TfmHidData* fmHidData = nullptr;
std::atomic<bool> TfmHidData::FListening{false};

TfmHidData::TfmHidData(TComponent* AOwner) : TForm(AOwner) {
  SetUpDialogForm(this, "fmHidData", "Hid Data", 1107, 541, true);
  SetPosition(poMainFormCenter);
  hbHidData = new TListBox(this);
  hbHidData->SetName("hbHidData");
  hbHidData->SetParent(this);
  hbHidData->SetBounds(0, 0, 1105, 505);
  hbHidData->SetItemHeight(13);
  hbHidData->SetColor(dialog_look::Field);
  hbHidData->GetFont()->SetColor(dialog_look::Text);
  bnClear = new TButton(this);
  bnClear->SetName("bnClear");
  bnClear->SetParent(this);
  bnClear->SetBounds(496, 511, 75, 25);
  bnClear->SetCaption("Clear");
  bnClear->OnClick = [this](TObject* Sender) { bnClearClick(Sender); };
}

TfmHidData::~TfmHidData() {
  if (fmHidData == this) {
    fmHidData = nullptr;
    FListening = false;
  }
}

void TfmHidData::VisibleChanged() {
  TForm::VisibleChanged();
  if (fmHidData == this) FListening = GetVisible();
}

void TfmHidData::bnClearClick(TObject* /*Sender*/) {
  hbHidData->Clear();
}
