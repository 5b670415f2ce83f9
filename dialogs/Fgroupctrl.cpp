#include "dialogs/Fgroupctrl.h"

#include <string>

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

TfmGroupCtrl* fmGroupCtrl = nullptr;

namespace {

constexpr int Groups = 8;
constexpr int SideTitleHeight = 34;

// Group g's name suffix: InA..InD for the input groups 0..3, Out1..Out4 for
// the output groups 4..7.
std::string Suffix(int g) {
  return g < 4 ? "In" + std::string(1, static_cast<char>('A' + g)) : "Out" + std::to_string(g - 3);
}
// Member m's key of group g: rzbGroupCtrlSel<A..H>In<X> or rzbGroupCtrlSel<1..8>Out<n>.
std::string MemberName(int g, int m) {
  return "rzbGroupCtrlSel" + (g < 4 ? std::string(1, static_cast<char>('A' + m)) : std::to_string(m + 1)) +
         Suffix(g);
}

}  // namespace

TfmGroupCtrl::TfmGroupCtrl(TComponent* AOwner) : TForm(AOwner) {
  constexpr int BoxWidth = 4 * MemberColumnWidth + 3 * 6 + 16;
  constexpr int BoxHeight = SideTitleHeight + MemberColumnHeight + 12;
  SetUpDialogForm(this, "fmGroupCtrl", "Group Control Setting", 2 * BoxWidth + 36, BoxHeight + 24, true);
  // Full volume, not muted, no members until the model says otherwise.
  FRecords.fill(GroupCtrlRecord{.Volume = 100});
  for (int side = 0; side < 2; ++side) {
    const bool inputs = side == 0;
    auto* box = AddGroupBox(this, inputs ? "gbGroupCtrlIn" : "gbGroupCtrlOut", "", 12 + side * (BoxWidth + 12),
                            12, BoxWidth, BoxHeight);
    pagekit::MakeLabel(this, box, inputs ? "lbGroupCtrlIn" : "lbGroupCtrlOut", inputs ? "Input" : "Output",
                       Bounds(10, 10, 200, 20), 0, inputs ? pagekit::AccentIn : pagekit::AccentOut, 13, true);
    for (int k = 0; k < 4; ++k) {
      const int g = side * 4 + k;
      const std::string suffix = Suffix(g);
      MemberColumnSpec spec{"lbGroupCtrl" + suffix, "lbGroupCtrlSel" + suffix, "GroupCtrlVol" + suffix,
                            "rzbGroupCtrlMute" + suffix, {}, {}, g};
      for (int m = 0; m < 8; ++m) {
        spec.Members[m] = MemberName(g, m);
        spec.Captions[m] = (inputs ? "In" : "Out") + std::to_string(m + 1);
      }
      MemberColumn column = AddMemberColumn(box, spec, 8 + k * (MemberColumnWidth + 6), SideTitleHeight,
                                            inputs ? pagekit::AccentIn : pagekit::AccentOut);
      column.Volume->OnChange = [this](TObject* s) { isGroupCtrlVolInAChange(s); };
      column.Mute->OnClick = [this](TObject* s) { rzbGroupCtrlMuteInAClick(s); };
      for (auto* member : column.Members) member->OnClick = [this](TObject* s) { rzbGroupCtrlSelAInAClick(s); };
    }
  }
  SetTexts(LanguageEnglish);
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
}

TfmGroupCtrl::~TfmGroupCtrl() {
  if (fmGroupCtrl == this) fmGroupCtrl = nullptr;
}

void TfmGroupCtrl::SetGroupCtrlRecord(int index, const GroupCtrlRecord& record) {
  if (index >= 0 && index < static_cast<int>(FRecords.size()))
    FRecords[static_cast<std::size_t>(index)] = record;
}

GroupCtrlRecord TfmGroupCtrl::GetGroupCtrlRecord(int index) const {
  return index >= 0 && index < static_cast<int>(FRecords.size()) ? FRecords[static_cast<std::size_t>(index)]
                                                                 : GroupCtrlRecord{};
}

void TfmGroupCtrl::SetTexts(std::string_view Language) {
  SetCaption(LangText(Language, "SID_GROUP_CTRL_TITLE"));
  const std::string group = LangText(Language, "SID_GROUP"), select = LangText(Language, "SID_CH_SELECT"),
                    gain = LangText(Language, "SID_GAIN"), mute = LangText(Language, "SID_MUTE");
  if (auto* label = FindOn<TLabel>(this, "lbGroupCtrlIn")) label->SetCaption(LangText(Language, "SID_IN"));
  if (auto* label = FindOn<TLabel>(this, "lbGroupCtrlOut")) label->SetCaption(LangText(Language, "SID_OUT"));
  for (int g = 0; g < Groups; ++g) {
    const std::string suffix = Suffix(g);
    if (auto* label = FindOn<TLabel>(this, "lbGroupCtrl" + suffix))
      label->SetCaption(group + std::to_string(g % 4 + 1));
    if (auto* label = FindOn<TLabel>(this, "lbGroupCtrlSel" + suffix)) label->SetCaption(select);
    if (auto* label = FindOn<TLabel>(this, "lbGroupCtrlVol" + suffix)) label->SetCaption(gain);
    if (auto* key = FindOn<TRzBmpButton>(this, "rzbGroupCtrlMute" + suffix)) key->SetCaption(mute);
  }
}

void TfmGroupCtrl::FormShow(TObject* /*Sender*/) {
  SetTexts(DialogLanguage());
  Loading loading(FLoading);
  // A control that is missing is skipped; the others are still written.
  for (int g = 0; g < Groups; ++g) {
    const GroupCtrlRecord& record = FRecords[static_cast<std::size_t>(g)];
    const std::string suffix = Suffix(g);
    if (auto* mute = FindOn<TRzBmpButton>(this, "rzbGroupCtrlMute" + suffix)) mute->SetDown(record.Mute != 0);
    if (auto* volume = FindOn<TAdvTrackBar>(this, "isGroupCtrlVol" + suffix)) volume->SetPosition(record.Volume);
    for (int m = 0; m < 8; ++m)
      if (auto* member = FindOn<TRzBmpButton>(this, MemberName(g, m)))
        member->SetDown(((record.ChannelMask >> m) & 1) != 0);
  }
}

void TfmGroupCtrl::isGroupCtrlVolInAChange(TObject* Sender) {
  auto* fader = dynamic_cast<TAdvTrackBar*>(Sender);
  TCurvyEdit* box = fader ? ValueBoxOf(fader) : nullptr;
  if (!box) return;
  box->SetText(VolumeText(fader->GetPosition()));
  const int g = fader->GetTag();
  if (FLoading || g < 0 || g >= Groups) return;
  FRecords[static_cast<std::size_t>(g)].Volume = static_cast<std::uint8_t>(fader->GetPosition());
  if (fmMain) fmMain->SetGroupCtrl(g, FRecords[static_cast<std::size_t>(g)]);
}

void TfmGroupCtrl::rzbGroupCtrlMuteInAClick(TObject* Sender) {
  auto* key = dynamic_cast<TRzBmpButton*>(Sender);
  if (!key || FLoading || key->GetTag() < 0 || key->GetTag() >= Groups) return;
  GroupCtrlRecord& record = FRecords[static_cast<std::size_t>(key->GetTag())];
  record.Mute = key->GetDown() ? 1 : 0;
  if (fmMain) fmMain->SetGroupCtrl(key->GetTag(), record);
}

void TfmGroupCtrl::rzbGroupCtrlSelAInAClick(TObject* Sender) {
  auto* key = dynamic_cast<TRzBmpButton*>(Sender);
  const int member = key ? key->GetGroupIndex() - 1 : -1;
  if (!key || key->GetTag() < 0 || key->GetTag() >= Groups || member < 0 || member > 7) return;
  GroupCtrlRecord& record = FRecords[static_cast<std::size_t>(key->GetTag())];
  const auto bit = static_cast<std::uint8_t>(1u << member);
  record.ChannelMask = static_cast<std::uint8_t>(key->GetDown() ? record.ChannelMask | bit : record.ChannelMask & ~bit);
  if (fmMain) fmMain->SetGroupCtrl(key->GetTag(), record);
}
