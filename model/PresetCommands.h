#pragma once
// The 284 commands that carry a parameter set to the device when a preset
// file is opened, in the order the device expects them.

#include "link/LCmd.h"
#include "model/PresetImage.h"

#include <cstdint>
#include <vector>

inline constexpr std::size_t PresetCommandCount = 284;

// routeHighByte is the stream byte that follows the effect-bus route mask
// (stream position 519); it is not kept in the image but travels as the high
// byte of the effect bus's routing word.
std::vector<LCmd> BuildPresetCommands(const PresetImage& image, std::uint8_t routeHighByte,
                                      std::uint8_t deviceId);
