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
  // refresh hands it over; the dialog's buttons show it.
  void LoadLinkMask(int ch, std::uint16_t mask);
  std::uint16_t GetLoadedLinkMask(int ch) const;
  // Shows the groups on the main window: leaders' overlays and captions,
  // then the members' captions.
  void ApplyLeaders();
  void ApplyMembers();

 private:
  std::array<std::uint16_t, 16> FLoadedMasks{};
};

extern TfmLinkSel* fmLinkSel;
