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

// Cuts the values of a set read from a file the way its commands carry them
// (a word sent as its low byte, a flag as 0 or 1, a mask to its channels or
// bands), so that the model, the window and the device hold the same values.
void BringIntoSentRange(PresetImage& image);
