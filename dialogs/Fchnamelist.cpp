#include "dialogs/Fchnamelist.h"

#include <array>
#include <string>

#include "dialogs/DialogLook.h"
#include "dialogs/Fchannelname.h"
#include "mainwindow/FMain.h"
#include "mainwindow/FMainLook.h"
#include "platform/classlib/RzControls.h"
#include "platform/classlib/StdCtrls.h"

TfmChNameList* fmChNameList = nullptr;

namespace {

constexpr int EffectBusChannel = 18;
// Inputs 0..7, outputs 8..15, then the effect bus: the order names are sent in.
constexpr std::array<int, 17> Channels = {
    0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, EffectBusChannel};

// edMatrixChNameInA, edMatrixChNameOut1, edMatrixChNameEff and their labels.
std::string Suffix(int ch) {
  if (ch == EffectBusChannel) return "Eff";
  if (ch < 8) return "In" + std::string(1, static_cast<char>('A' + ch));
  return "Out" + std::to_string(ch - 7);
}

std::string Caption(int ch) {
  if (ch == EffectBusChannel) return "Eff";
  return (ch < 8 ? "In" : "Out") + std::to_string(ch % 8 + 1);
}

constexpr int Width = 440;
constexpr int ColumnWidth = (Width - 48) / 2;
constexpr int RowPitch = 34;
constexpr int LabelWidth = 52;

}  // namespace

TfmChNameList::TfmChNameList(TComponent* AOwner) : TForm(AOwner) {
  SetUpDialogForm(this, "fmChNameList", "Channel Name", Width, 400, true);
  for (int ch : Channels) {
    // Inputs on the left, outputs on the right, the effect bus below them.
    const int column = ch == EffectBusChannel ? 0 : ch / 8;
    const int row = ch == EffectBusChannel ? 8 : ch % 8;
    const int left = 16 + column * (ColumnWidth + 16);
    const int top = 16 + row * RowPitch + (ch == EffectBusChannel ? 10 : 0);
    const std::string suffix = Suffix(ch);
    TLabel* label = AddLabel(this, ("lbChNameList" + suffix).c_str(), Caption(ch), left, top, LabelWidth, 26);
    label->GetFont()->SetColor(ch == EffectBusChannel ? MainLook::EffectAccent
                               : ch < 8               ? MainLook::InputAccent
                                                      : MainLook::OutputAccent);
    TEdit* edit = AddEdit(this, ("edMatrixChName" + suffix).c_str(), "", left + LabelWidth, top + 1,
                          ColumnWidth - LabelWidth);
    edit->SetMaxLength(8);
  }
  const int gap = (Width - 2 * dialog_look::ButtonWidth) / 3;
  btnOK = AddButton(this, "btnOK", "Set", gap, 356);
  btnCancel = AddButton(this, "btnCancel", "Exit", 2 * gap + dialog_look::ButtonWidth, 356);
  btnCancel->SetCancel(true);  // Escape leaves through it
  btnOK->OnClick = [this](TObject* Sender) { btnOKClick(Sender); };
  btnCancel->OnClick = [this](TObject* Sender) { btnCancelClick(Sender); };
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
}

TfmChNameList::~TfmChNameList() {
  if (fmChNameList == this) fmChNameList = nullptr;
}

TEdit* TfmChNameList::NameEdit(int ch) const {
  if ((ch < 0 || ch > 15) && ch != EffectBusChannel) return nullptr;
  return dynamic_cast<TEdit*>(FindComponent("edMatrixChName" + Suffix(ch)));
}

void TfmChNameList::SetTexts(std::string_view Language) {
  SetCaption(LangText(Language, "SID_CH_NAME_LIST"));
  btnOK->SetCaption(LangText(Language, "SID_SET"));
  btnCancel->SetCaption(LangText(Language, "SID_EXIT"));
}

void TfmChNameList::FormShow(TObject* /*Sender*/) {
  if (fmMain)
    for (int ch : Channels)
      if (TEdit* edit = NameEdit(ch)) edit->SetText(fmMain->GetChannelName(ch));
  SetTexts(DialogLanguage());
}

void TfmChNameList::btnOKClick(TObject* /*Sender*/) {
  if (fmMain) {
    for (int ch : Channels) {
      TEdit* edit = NameEdit(ch);
      if (!edit) continue;
      // Compared as the device would keep it, so a text longer than its
      // field is not sent again on every Set.
      const std::string field = ChannelNameField(edit->GetText());
      if (field == ChannelNameField(fmMain->GetChannelName(ch))) continue;
      const std::string name = ChannelNameShown(field);
      edit->SetText(name);
      fmMain->SetChannelName(ch, name);
    }
  }
  CloseDialog(this, mrOk);
}

void TfmChNameList::btnCancelClick(TObject* /*Sender*/) {
  CloseDialog(this, mrCancel);
}
