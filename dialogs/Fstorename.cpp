#include "dialogs/Fstorename.h"

#include "dialogs/DialogLook.h"
#include "dialogs/Frecallpreset.h"
#include "dialogs/Fstorepreset.h"
#include "mainwindow/FMain.h"
#include "platform/classlib/Keys.h"
#include "platform/classlib/RzControls.h"
#include "platform/classlib/StdCtrls.h"
#include "platform/sys/CodePage.h"

TfmStoreName* fmStoreName = nullptr;

TfmStoreName::TfmStoreName(TComponent* AOwner) : TForm(AOwner) {
  SetUpDialogForm(this, "fmStoreName", "Name", 340, 140, false);
  lblPresetName = AddLabel(this, "lblPresetName", "Name", 20, 14, 200, 24);
  lTitle = AddLabel(this, "lTitle", "F00 : ", 20, 48, 64, 26);
  edName = AddEdit(this, "edName", std::string(DefaultPresetName), 84, 48, 236);
  edName->SetMaxLength(PresetNameLength);
  btnOK = AddButton(this, "btnOK", "OK", 52, 96);
  bnCancel = AddButton(this, "bnCancel", "Cancel", 192, 96);
  bnCancel->SetCancel(true);
  edName->OnKeyDown = [this](TObject* Sender, std::uint16_t& Key, TShiftState Shift) {
    edNameKeyDown(Sender, Key, Shift);
  };
  btnOK->OnClick = [this](TObject* Sender) { btnOKClick(Sender); };
  bnCancel->OnClick = [this](TObject* Sender) { bnCancelClick(Sender); };
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
  OnActivate = [this](TObject* Sender) { FormActivate(Sender); };
}

TfmStoreName::~TfmStoreName() {
  if (fmStoreName == this) fmStoreName = nullptr;
}

void TfmStoreName::SetTexts(std::string_view Language) {
  SetCaption(LangText(Language, "SID_PST_NAME"));
  lblPresetName->SetCaption(LangText(Language, "SID_PST_NAME"));
  btnOK->SetCaption(LangText(Language, "SID_EXIT_OK"));
  bnCancel->SetCaption(LangText(Language, "SID_EXIT_CANCEL"));
}

void TfmStoreName::SetNameText(const std::string& Name) {
  edName->SetText(Name.substr(0, Name.find_last_not_of(" \r\n") + 1));
}

void TfmStoreName::ShowMode() {
  // Only a store names the preset; a recall just shows the name.
  edName->SetEnabled(FStoreMode == 1);
  if (FStoreMode == 1 && edName->CanFocus()) {
    edName->SetFocus();
    edName->SelectAll();
  }
}

void TfmStoreName::FormShow(TObject* /*Sender*/) {
  SetTexts(DialogLanguage());
  ShowMode();
}

void TfmStoreName::FormActivate(TObject* /*Sender*/) {
  ShowMode();
}

void TfmStoreName::edNameKeyDown(TObject* /*Sender*/, std::uint16_t& Key, TShiftState /*Shift*/) {
  if (Key == VK_RETURN) btnOK->Click();
}

void TfmStoreName::btnOKClick(TObject* /*Sender*/) {
  if (!fmMain) return;
  // The name as the device keeps it: whole characters of its code page, at
  // most 14 bytes, padded with blanks.
  const std::string name = AnsiToUtf8(Utf8ToAnsiPadded(edName->GetText(), PresetNameLength, ' '));
  edName->SetText(name);
  const bool store = FStoreMode == 1;
  const int slot = FSlot;
  TPresetListForm* list =
      store ? static_cast<TPresetListForm*>(fmStorePreset) : static_cast<TPresetListForm*>(fmRecallPreset);
  // The list goes before the transfer's progress window opens.
  if (list && fmMain->IsConnected()) list->Hide();
  Hide();
  if (list) CloseDialog(list, mrOk);
  if (store) {
    fmMain->StorePreset(slot, name);
    // The store ran the progress window's loop: read the lists anew.
    if (fmRecallPreset) fmRecallPreset->SetPresetName(slot + 1, name);
    if (fmStorePreset) fmStorePreset->SetPresetName(slot, name);
  } else {
    fmMain->RecallPreset(slot);
  }
}

void TfmStoreName::bnCancelClick(TObject* /*Sender*/) {
  CloseDialog(this, mrCancel);
}
