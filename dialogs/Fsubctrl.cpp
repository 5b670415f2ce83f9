#include "dialogs/Fsubctrl.h"

#include <string>
#include <utility>

#include "controls/AdvTrackBar.h"
#include "controls/CurvyControls.h"
#include "dialogs/DialogLook.h"
#include "dialogs/ParamDialogKit.h"
#include "mainwindow/FMain.h"
#include "mainwindow/FMainLanguage.h"
#include "mainwindow/FMainPageKit.h"
#include "platform/classlib/RzControls.h"
#include "platform/classlib/StdCtrls.h"

using namespace paramkit;

TfmSubCtrl* fmSubCtrl = nullptr;

namespace {

// Record 0 is the inputs' ("In"), record 1 the outputs' ("Out").
const char* Side(int index) {
  return index == 0 ? "In" : "Out";
}
std::string MemberName(int index, int m) {
  return std::string("rzb") + Side(index) + "SubCtrlSel" + static_cast<char>('A' + m);
}

}  // namespace

TfmSubCtrl::TfmSubCtrl(TComponent* AOwner) : TForm(AOwner) {
  constexpr int BoxWidth = MemberColumnWidth + 16;
  constexpr int BoxHeight = 26 + MemberColumnHeight + 12;
  SetUpDialogForm(this, "fmSubCtrl", "Sub Control Setting", 2 * BoxWidth + 36, BoxHeight + 24, true);
  // Full volume, not muted, no members until the model says otherwise.
  FRecords.fill(SubCtrlRecord{.Volume = 100});
  for (int index = 0; index < 2; ++index) {
    const std::string side = Side(index);
    const TColor accent = index == 0 ? pagekit::AccentIn : pagekit::AccentOut;
    auto* box = AddGroupBox(this, ("gb" + side + "SubCtrl").c_str(), "", 12 + index * (BoxWidth + 12), 12,
                            BoxWidth, BoxHeight);
    MemberColumnSpec spec{"lb" + side + "SubCtrl",  "lb" + side + "SubCtrlSel", side + "SubCtrlVol",
                          "rzb" + side + "SubCtrlMute", {}, {}, index};
    for (int m = 0; m < 8; ++m) {
      spec.Members[m] = MemberName(index, m);
      spec.Captions[m] = side + std::to_string(m + 1);
    }
    MemberColumn column = AddMemberColumn(box, spec, 8, 8, accent);
    column.Volume->OnChange = [this](TObject* s) { isInSubCtrlVolChange(s); };
    column.Mute->OnClick = [this](TObject* s) { rzbInSubCtrlMuteClick(s); };
    for (auto* member : column.Members) member->OnClick = [this](TObject* s) { rzbInSubCtrlSelAClick(s); };
  }
  SetTexts(LanguageEnglish);
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
}

TfmSubCtrl::~TfmSubCtrl() {
  if (fmSubCtrl == this) fmSubCtrl = nullptr;
}

void TfmSubCtrl::SetSubCtrlRecord(int index, const SubCtrlRecord& record) {
  if (index >= 0 && index < static_cast<int>(FRecords.size()))
    FRecords[static_cast<std::size_t>(index)] = record;
}

SubCtrlRecord TfmSubCtrl::GetSubCtrlRecord(int index) const {
  return index >= 0 && index < static_cast<int>(FRecords.size()) ? FRecords[static_cast<std::size_t>(index)]
                                                                 : SubCtrlRecord{};
}

void TfmSubCtrl::SetTexts(std::string_view Language) {
  SetCaption(LangText(Language, "SID_SUB_CTRL_TITLE"));
  for (int index = 0; index < 2; ++index) {
    const std::string side = Side(index);
    const std::pair<std::string, const char*> texts[] = {{"lb" + side + "SubCtrl", index == 0 ? "SID_IN" : "SID_OUT"},
                                                         {"lb" + side + "SubCtrlSel", "SID_CH_SELECT"},
                                                         {"lb" + side + "SubCtrlVol", "SID_GAIN"},
                                                         {"rzb" + side + "SubCtrlMute", "SID_MUTE"}};
    for (const auto& [name, key] : texts)
      if (auto* control = FindOn<TControl>(this, name)) control->SetCaption(LangText(Language, key));
  }
}

void TfmSubCtrl::FormShow(TObject* /*Sender*/) {
  SetTexts(DialogLanguage());
  Loading loading(FLoading);
  // A control that is missing is skipped; the others are still written.
  for (int index = 0; index < 2; ++index) {
    const SubCtrlRecord& record = FRecords[static_cast<std::size_t>(index)];
    const std::string side = Side(index);
    if (auto* mute = FindOn<TRzBmpButton>(this, "rzb" + side + "SubCtrlMute")) mute->SetDown(record.Mute != 0);
    if (auto* volume = FindOn<TAdvTrackBar>(this, "is" + side + "SubCtrlVol")) volume->SetPosition(record.Volume);
    for (int m = 0; m < 8; ++m)
      if (auto* member = FindOn<TRzBmpButton>(this, MemberName(index, m)))
        member->SetDown(((record.ChannelMask >> m) & 1) != 0);
  }
}

void TfmSubCtrl::isInSubCtrlVolChange(TObject* Sender) {
  auto* fader = dynamic_cast<TAdvTrackBar*>(Sender);
  TCurvyEdit* box = fader ? ValueBoxOf(fader) : nullptr;
  if (!box) return;
  box->SetText(VolumeText(fader->GetPosition()));
  const int index = fader->GetTag();
  if (FLoading || index < 0 || index > 1) return;
  FRecords[static_cast<std::size_t>(index)].Volume = static_cast<std::uint8_t>(fader->GetPosition());
  if (fmMain) fmMain->SetSubCtrl(index, FRecords[static_cast<std::size_t>(index)]);
}

void TfmSubCtrl::rzbInSubCtrlMuteClick(TObject* Sender) {
  auto* key = dynamic_cast<TRzBmpButton*>(Sender);
  if (!key || FLoading || key->GetTag() < 0 || key->GetTag() > 1) return;
  SubCtrlRecord& record = FRecords[static_cast<std::size_t>(key->GetTag())];
  record.Mute = key->GetDown() ? 1 : 0;
  if (fmMain) fmMain->SetSubCtrl(key->GetTag(), record);
}

void TfmSubCtrl::rzbInSubCtrlSelAClick(TObject* Sender) {
  auto* key = dynamic_cast<TRzBmpButton*>(Sender);
  const int member = key ? key->GetGroupIndex() - 1 : -1;
  if (!key || key->GetTag() < 0 || key->GetTag() > 1 || member < 0 || member > 7) return;
  SubCtrlRecord& record = FRecords[static_cast<std::size_t>(key->GetTag())];
  const auto bit = static_cast<std::uint16_t>(1u << member);
  record.ChannelMask = static_cast<std::uint16_t>(key->GetDown() ? record.ChannelMask | bit : record.ChannelMask & ~bit);
  if (fmMain) fmMain->SetSubCtrl(key->GetTag(), record);
}
