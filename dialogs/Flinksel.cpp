#include "dialogs/Flinksel.h"

#include "dialogs/DialogLook.h"
#include "mainwindow/FMain.h"
#include "mainwindow/FMainLook.h"
#include "platform/classlib/RzControls.h"
#include "platform/classlib/StdCtrls.h"

TfmLinkSel* fmLinkSel = nullptr;

namespace {

constexpr int ChannelCount = 16;
constexpr int SideSize = 8;

int SideStart(int ch) {
  return ch < SideSize ? 0 : SideSize;
}

bool SameSide(int a, int b) {
  return a >= 0 && b >= 0 && a < ChannelCount && b < ChannelCount && SideStart(a) == SideStart(b);
}

// Inputs carry letters, outputs digits: rzbDLinkInB, rzb5LinkOut2.
std::string Mark(int ch) {
  return ch < SideSize ? std::string(1, static_cast<char>('A' + ch)) : std::to_string(ch - SideSize + 1);
}

std::string SideWord(int ch) {
  return ch < SideSize ? "In" : "Out";
}

std::string ButtonName(int member, int leader) {
  return "rzb" + Mark(member) + "Link" + SideWord(member) + Mark(leader);
}

// The member's name, on every button of its row.
std::string ChannelCaption(int ch) {
  return SideWord(ch) + std::to_string(ch % SideSize + 1);
}

// The matrix: one row box per member, the row's buttons in the columns of
// the leaders it may join.
constexpr int Margin = 16;
constexpr int CellWidth = 46;
constexpr int KeyWidth = 40;
constexpr int KeyHeight = 24;
constexpr int RowPitch = 32;
constexpr int RowInset = 3;
constexpr int LabelTop = 14;
constexpr int GridTop = 40;
constexpr int SideWidth = 2 * RowInset + SideSize * CellWidth;
constexpr int SideGap = 28;
constexpr int FormWidth = 2 * Margin + 2 * SideWidth + SideGap;
constexpr int ButtonsTop = GridTop + SideSize * RowPitch + 14;
constexpr int FormHeight = ButtonsTop + dialog_look::ButtonHeight + Margin;

}  // namespace

TfmLinkSel::TfmLinkSel(TComponent* AOwner) : TForm(AOwner) {
  SetUpDialogForm(this, "fmLinkSel", "Link Selection", FormWidth, FormHeight, true);
  for (int side : {0, SideSize}) {
    const int left = Margin + (side == 0 ? 0 : SideWidth + SideGap);
    const TColor accent = side == 0 ? MainLook::InputAccent : MainLook::OutputAccent;
    for (int k = 0; k < SideSize; ++k) {
      const int ch = side + k;
      const std::string label = "lbLinkSel" + SideWord(ch) + Mark(ch);
      TLabel* column = AddLabel(this, label.c_str(), ChannelCaption(ch), left + RowInset + k * CellWidth,
                                LabelTop, KeyWidth, 20);
      column->SetAlignment(taCenter);
      column->GetFont()->SetColor(accent);

      // The row of member ch: a radio group of its k + 1 buttons.
      const std::string boxName = "rzgLinkSel" + SideWord(ch) + Mark(ch);
      auto* row = new TRzGroupBox(this);
      row->SetName(boxName);
      row->SetParent(this);
      row->SetShowFrame(false);
      row->SetColor(dialog_look::Panel);
      row->SetCaption("");
      row->SetTag(ch);
      row->SetBounds(left, GridTop + k * RowPitch, 2 * RowInset + k * CellWidth + KeyWidth,
                     KeyHeight + 2 * RowInset);
      for (int l = 0; l <= k; ++l) {
        const int leader = side + l;
        TRzBmpButton* key = AddButton(row, ButtonName(ch, leader).c_str(), ChannelCaption(ch),
                                      RowInset + l * CellWidth, RowInset, KeyWidth, KeyHeight);
        key->SetAccentColor(accent);
        key->SetTag(l);
        key->SetGroupIndex(1);
        key->SetAllowAllUp(false);
        // Every channel stands alone until groups are loaded.
        key->SetDown(l == k);
        if (k == 0) continue;
        if (k == SideSize - 1)
          key->OnClick = [this](TObject* Sender) { rzbHLinkInHClick(Sender); };
        else
          key->OnClick = [this](TObject* Sender) { rzbBLinkInAClick(Sender); };
      }
    }
  }
  const int gap = (FormWidth - 2 * dialog_look::ButtonWidth) / 3;
  bnSet = AddButton(this, "bnSet", "Set", gap, ButtonsTop);
  bnExit = AddButton(this, "bnExit", "Exit", 2 * gap + dialog_look::ButtonWidth, ButtonsTop);
  bnExit->SetCancel(true);  // Escape leaves through it
  bnSet->OnClick = [this](TObject* Sender) { bnSetClick(Sender); };
  bnExit->OnClick = [this](TObject* Sender) { bnExitClick(Sender); };
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
  OnHide = [this](TObject* Sender) { FormHide(Sender); };
}

TfmLinkSel::~TfmLinkSel() {
  if (fmLinkSel == this) fmLinkSel = nullptr;
}

TRzBmpButton* TfmLinkSel::LinkButton(int member, int leader) const {
  if (!SameSide(member, leader) || leader > member) return nullptr;
  return dynamic_cast<TRzBmpButton*>(FindComponent(ButtonName(member, leader)));
}

int TfmLinkSel::RowLeader(int member) const {
  if (member < 0 || member >= ChannelCount) return -1;
  for (int leader = SideStart(member); leader <= member; ++leader)
    if (TRzBmpButton* key = LinkButton(member, leader); key && key->GetDown()) return leader;
  return -1;
}

void TfmLinkSel::Press(TRzBmpButton* Button) {
  if (!Button) return;
  Button->SetDown(true);
  Button->Click();
}

void TfmLinkSel::rzbBLinkInAClick(TObject* Sender) {
  auto* key = dynamic_cast<TRzBmpButton*>(Sender);
  auto* row = key ? key->GetParent() : nullptr;
  if (!row) return;
  FChanged = true;
  const int member = row->GetTag();
  const int side = SideStart(member);
  if (key->GetTag() == member - side) {
    // The channel leads its own group again: later rows may join it.
    for (int later = member + 1; later < side + SideSize; ++later)
      if (TRzBmpButton* column = LinkButton(later, member)) column->SetEnabled(true);
    return;
  }
  // A member can lead no one: later rows that had joined it stand alone.
  for (int later = member + 1; later < side + SideSize; ++later) {
    TRzBmpButton* column = LinkButton(later, member);
    if (!column) continue;
    column->SetEnabled(false);
    if (column->GetDown()) Press(LinkButton(later, later));
  }
}

void TfmLinkSel::rzbHLinkInHClick(TObject* /*Sender*/) {
  FChanged = true;
}

void TfmLinkSel::LoadLinkMask(int ch, std::uint16_t mask) {
  if (ch < 0 || ch >= ChannelCount) return;
  const int side = SideStart(ch);
  // Bits count channels within the side; a leader holds members at or above it.
  for (int member = ch; member < side + SideSize; ++member)
    if (mask & (1u << (member - side))) Press(LinkButton(member, ch));
}

void TfmLinkSel::ApplyLeaders() {
  if (!fmMain) return;
  for (int ch = 0; ch < ChannelCount; ++ch) {
    const bool leads = RowLeader(ch) == ch;
    fmMain->UpdateLinkOverlays(ch, leads);
    if (leads) fmMain->UpdateLinkCaption(ch, ch);
  }
}

void TfmLinkSel::ApplyMembers() {
  if (!fmMain) return;
  for (int leader = 0; leader < ChannelCount; ++leader)
    for (int member = leader; member < SideStart(leader) + SideSize; ++member)
      if (RowLeader(member) == leader) fmMain->UpdateLinkCaption(leader, member);
}

void TfmLinkSel::SetTexts(std::string_view Language) {
  SetCaption(LangText(Language, "SID_LINK_TITLE"));
  bnSet->SetCaption(LangText(Language, "SID_SET"));
  bnExit->SetCaption(LangText(Language, "SID_EXIT"));
}

void TfmLinkSel::FormShow(TObject* /*Sender*/) {
  SetTexts(DialogLanguage());
  // The buttons are not reloaded: the refresh keeps them on the stored groups.
  FChanged = false;
  FClosingBySet = false;
}

void TfmLinkSel::RestoreStoredGroups() {
  if (!FChanged || !fmMain) return;
  for (int ch = 0; ch < ChannelCount; ++ch)
    LoadLinkMask(ch, static_cast<std::uint16_t>(fmMain->GetLinkMask(ch)));
  FChanged = false;
}

void TfmLinkSel::FormHide(TObject* /*Sender*/) {
  // Only Set keeps what the buttons show; any other way out (the close
  // box, Escape, a hide from elsewhere) leaves as Exit does, so the dialog
  // always reopens on the stored groups.
  if (!FClosingBySet) RestoreStoredGroups();
}

void TfmLinkSel::bnSetClick(TObject* /*Sender*/) {
  if (!fmMain) return;
  bool changed = false;
  for (int side : {0, SideSize}) {
    for (int leader = side; leader < side + SideSize; ++leader) {
      const int stored = fmMain->GetLinkMask(leader);
      int mask = 0;
      for (int member = leader; member < side + SideSize; ++member) {
        TRzBmpButton* key = LinkButton(member, leader);
        if (!key || !key->GetDown()) continue;
        const int bit = 1 << (member - side);
        mask |= bit;
        if (stored & bit) continue;
        // New to the group (or a former member standing alone again): it
        // takes its leader's parameters.
        fmMain->UpdateLinkCaption(leader, member);
        fmMain->CopyToNewMember(leader, member);
        fmMain->MarkOverlaysStale(member);
        changed = true;
      }
      if (mask != stored) {
        fmMain->SetLinkMask(leader, mask);
        changed = true;
      }
    }
  }
  if (changed) {
    fmMain->ApplyLinks();
    ApplyLeaders();
    if (auto* gain = dynamic_cast<TRzBmpButton*>(fmMain->FindComponent("rzbMenuGain"))) {
      gain->Click();
      gain->SetDown(true);
    }
    fmMain->RefreshGainOverlays();
  }
  FClosingBySet = true;
  CloseDialog(this, mrOk);
}

void TfmLinkSel::bnExitClick(TObject* /*Sender*/) {
  RestoreStoredGroups();
  CloseDialog(this, mrCancel);
}
