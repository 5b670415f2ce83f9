#include "dialogs/Flinksel.h"

#include "dialogs/DialogLook.h"
#include "mainwindow/FMain.h"

TfmLinkSel* fmLinkSel = nullptr;

namespace {

constexpr int ChannelCount = 16;

int SideStart(int ch) {
  return ch < 8 ? 0 : 8;
}

}  // namespace

TfmLinkSel::TfmLinkSel(TComponent* AOwner) : TForm(AOwner) {
  SetUpDialogForm(this, "fmLinkSel", "Link Selection", 620, 440, true);
  for (int ch = 0; ch < ChannelCount; ++ch) FRowLeader[static_cast<std::size_t>(ch)] = ch;
}

TfmLinkSel::~TfmLinkSel() {
  if (fmLinkSel == this) fmLinkSel = nullptr;
}

int TfmLinkSel::RowLeader(int member) const {
  return member >= 0 && member < ChannelCount ? FRowLeader[static_cast<std::size_t>(member)] : -1;
}

void TfmLinkSel::PressRow(int member, int leader) {
  FRowLeader[static_cast<std::size_t>(member)] = leader;
  if (leader == member) return;
  // A member can lead no one: later rows that had joined it stand alone again.
  for (int later = member + 1; later < SideStart(member) + 8; ++later)
    if (FRowLeader[static_cast<std::size_t>(later)] == member) PressRow(later, later);
}

void TfmLinkSel::LoadLinkMask(int ch, std::uint16_t mask) {
  if (ch < 0 || ch >= ChannelCount) return;
  const int side = SideStart(ch);
  // Bits count channels within the side; a leader holds members at or above it.
  for (int member = ch; member < side + 8; ++member)
    if (mask & (1u << (member - side))) PressRow(member, ch);
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
    for (int member = leader; member < SideStart(leader) + 8; ++member)
      if (RowLeader(member) == leader) fmMain->UpdateLinkCaption(leader, member);
}
