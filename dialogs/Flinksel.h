#pragma once
// Edits the link groups of the inputs and of the outputs.

#include <array>
#include <cstdint>

#include "platform/classlib/Forms.h"

class TfmLinkSel : public TForm {
 public:
  explicit TfmLinkSel(TComponent* AOwner);
  ~TfmLinkSel() override;

  // The stored link mask of a leader channel (0..15), as the main window's
  // refresh hands it over: presses the button of every member it holds, in
  // the member's row, with the rows' rules (a member leads no one).
  void LoadLinkMask(int ch, std::uint16_t mask);
  // The channel whose group a channel's row has chosen (itself when it
  // stands alone); -1 for no channel.
  int RowLeader(int member) const;
  // Shows the groups on the main window: leaders' overlays and captions,
  // then the members' captions.
  void ApplyLeaders();
  void ApplyMembers();

 private:
  void PressRow(int member, int leader);

  // Each row is a radio group: the one button down is its leader's.
  std::array<int, 16> FRowLeader{};
};

extern TfmLinkSel* fmLinkSel;
