#pragma once
// Edits the link groups of the inputs and of the outputs: one triangular
// matrix of buttons per side, a row per channel, a column per channel it
// may join. The buttons are the dialog's state.

#include <cstdint>
#include <string_view>

#include "platform/classlib/Forms.h"

class TRzBmpButton;
class TRzGroupBox;

class TfmLinkSel : public TForm {
 public:
  explicit TfmLinkSel(TComponent* AOwner);
  ~TfmLinkSel() override;

  // The stored link mask of a leader channel (0..15), as the main window's
  // refresh hands it over: presses the button of every member it holds, in
  // the member's row, and runs the row's rule (a member leads no one).
  void LoadLinkMask(int ch, std::uint16_t mask);
  // The channel whose group a channel's row has chosen (itself when it
  // stands alone); -1 for no channel.
  int RowLeader(int member) const;
  // Shows the groups on the main window: leaders' overlays and captions,
  // then the members' captions.
  void ApplyLeaders();
  void ApplyMembers();

  // The button of member's row in leader's column (both channels of one
  // side, leader <= member); null for any other pair.
  TRzBmpButton* LinkButton(int member, int leader) const;
  // A matrix button was clicked since the dialog was last shown.
  bool GetChanged() const { return FChanged; }

  TRzBmpButton* bnSet;
  TRzBmpButton* bnExit;

  void SetTexts(std::string_view Language);
  void FormShow(TObject* Sender);
  void FormHide(TObject* Sender);
  // The rule of rows B..G and 2..7: a diagonal makes the row's channel a
  // leader again, any other button makes it a member that leads no one.
  void rzbBLinkInAClick(TObject* Sender);
  // Rows H and 8 have no later rows.
  void rzbHLinkInHClick(TObject* Sender);
  void bnSetClick(TObject* Sender);
  void bnExitClick(TObject* Sender);

 private:
  // Down, then the button's own click handler: written Down fires nothing.
  static void Press(TRzBmpButton* Button);
  // The stored groups back in the buttons, when anything was clicked.
  void RestoreStoredGroups();

  bool FChanged = false;
  // Set closes the dialog: its groups are kept.
  bool FClosingBySet = false;
};

extern TfmLinkSel* fmLinkSel;
