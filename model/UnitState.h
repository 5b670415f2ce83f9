#pragma once
// What a parameter upload rewrites in the model, kept so that an upload cut
// short by a lost link leaves the model as it was.

#include <array>
#include <cstdint>

#include "model/DeviceInfoBlock.h"
#include "model/PresetImage.h"

struct UnitState {
  GroupCtrlRecords GroupCtrl{};
  PresetImage Current;
  std::array<std::uint8_t, StoredSlotCount> StoredFlags{};
  DeviceInfoBlock DeviceInfo{};
};
