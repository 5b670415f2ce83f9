#pragma once
// What the parameter model needs of its owner (the main window): the device
// it addresses, whether the window is writing its controls from the model,
// the send funnel, the notice that a channel's response curve changed, the
// rows of the preset dialogs' lists and the save dialog of a unit file.

#include "link/LCmd.h"

#include <cstdint>
#include <optional>
#include <string>

class UnitOwner {
 public:
  virtual ~UnitOwner() = default;

  virtual std::uint8_t GetDeviceId() const = 0;
  virtual bool IsRefreshing() const = 0;
  // Frames the command and hands it to the open link; append marks a frame
  // that the link queue must never coalesce away.
  virtual void SendCommand(const LCmd& command, bool append) = 0;
  virtual void MarkOverlaysStale(int channel) = 0;
  // Row 0 of the recall list is F00, rows 1..21 are U01..U21.
  virtual void SetRecallPresetName(int row, const std::string& name) = 0;
  // Rows 0..20 of the store list are U01..U21.
  virtual void SetStorePresetName(int row, const std::string& name) = 0;
  // Runs the save dialog of a unit file; the chosen name, or nothing when
  // the user cancels.
  virtual std::optional<std::string> AskUnitFileName() = 0;
};
