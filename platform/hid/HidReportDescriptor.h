#pragma once
// Reads the capabilities of a HID interface from its report descriptor: the
// top-level usage and the byte length of the largest input, output and
// feature report, plus one for the report-ID byte.

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/hid/HidTypes.h"

// Largest report accepted, in bytes without the report-ID byte (the biggest
// report the kernel's raw HID interface passes).
constexpr std::size_t HidMaxReportSize = 16384;

// False, with a reason in *error when given, for a descriptor that is
// truncated, malformed (bad nesting, report ID 0, pop without push, sizes
// past the limits) or declares no report at all; caps is then left zeroed.
bool ParseHidReportDescriptor(const std::uint8_t* data, std::size_t size, HidCaps& caps,
                              std::string* error = nullptr);
