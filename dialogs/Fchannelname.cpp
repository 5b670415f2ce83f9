#include "dialogs/Fchannelname.h"

#include "dialogs/DialogLook.h"
#include "mainwindow/FMain.h"
#include "platform/classlib/Keys.h"
#include "platform/classlib/RzControls.h"
#include "platform/classlib/StdCtrls.h"
#include "platform/sys/CodePage.h"

TfmChannelName* fmChannelName = nullptr;

namespace {

constexpr int ChannelNameBytes = 8;
constexpr int EffectBusChannel = 18;

}  // namespace

std::string ChannelNameField(std::string_view Text) {
  return Utf8ToAnsiPadded(Text, ChannelNameBytes, '\0');
}

std::string ChannelNameShown(std::string_view Field) {
  return AnsiFieldToUtf8(Field.data(), Field.size());
}

TfmChannelName::TfmChannelName(TComponent* AOwner) : TForm(AOwner) {
  SetUpDialogForm(this, "fmChannelName", "Channel Name", 320, 140, false);
  lbChannelName = AddLabel(this, "lbChannelName", "Channel Name", 20, 12, 280, 24);
  lbChannelName->GetFont()->SetColor(dialog_look::Dim);
  lbChannel = AddLabel(this, "lbChannel", "In1 :", 20, 46, 64, 26);
  edName = AddEdit(this, "edName", "", 88, 46, 212);
  edName->SetMaxLength(ChannelNameBytes);
  btnOK = AddButton(this, "btnOK", "OK", 40, 96);
  bnCancel = AddButton(this, "bnCancel", "Cancel", 320 - 40 - dialog_look::ButtonWidth, 96);
  bnCancel->SetCancel(true);  // Escape leaves through it
  edName->OnKeyDown = [this](TObject* Sender, std::uint16_t& Key, TShiftState Shift) {
    edNameKeyDown(Sender, Key, Shift);
  };
  btnOK->OnClick = [this](TObject* Sender) { btnOKClick(Sender); };
  bnCancel->OnClick = [this](TObject* Sender) { bnCancelClick(Sender); };
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
  OnActivate = [this](TObject* Sender) { FormActivate(Sender); };
}

TfmChannelName::~TfmChannelName() {
  if (fmChannelName == this) fmChannelName = nullptr;
}

void TfmChannelName::SetChannel(int ch) {
  FChannel = ch;
  if (ch == EffectBusChannel)
    lbChannel->SetCaption("Eff:");
  else
    lbChannel->SetCaption((ch < 8 ? "In" : "Out") + std::to_string(ch % 8 + 1) + " :");
}

void TfmChannelName::SetNameText(const std::string& name) {
  const std::size_t end = name.find_last_not_of(" \r");
  edName->SetText(end == std::string::npos ? std::string() : name.substr(0, end + 1));
}

std::string TfmChannelName::GetNameText() const {
  return edName->GetText();
}

void TfmChannelName::SetTexts(std::string_view Language) {
  SetCaption(LangText(Language, "SID_CH_NAME"));
  lbChannelName->SetCaption(LangText(Language, "SID_CH_NAME"));
  btnOK->SetCaption(LangText(Language, "SID_EXIT_OK"));
  bnCancel->SetCaption(LangText(Language, "SID_EXIT_CANCEL"));
}

void TfmChannelName::FormShow(TObject* /*Sender*/) {
  SetTexts(DialogLanguage());
}

void TfmChannelName::FormActivate(TObject* /*Sender*/) {
  edName->SetEnabled(true);
  if (edName->CanFocus()) edName->SetFocus();
  edName->SelectAll();
}

void TfmChannelName::edNameKeyDown(TObject* /*Sender*/, std::uint16_t& Key, TShiftState /*Shift*/) {
  if (Key == VK_RETURN) btnOK->Click();
}

void TfmChannelName::btnOKClick(TObject* /*Sender*/) {
  // The edit shows the name as it will be stored.
  const std::string name = ChannelNameShown(ChannelNameField(edName->GetText()));
  edName->SetText(name);
  CloseDialog(this, mrOk);
  if (fmMain) fmMain->SetChannelName(FChannel, name);
}

void TfmChannelName::bnCancelClick(TObject* /*Sender*/) {
  CloseDialog(this, mrCancel);
}
