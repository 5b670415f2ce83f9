#pragma once
// The picture behind the main window's splash screen.

#include <cstdint>
#include <vector>

// A 620 x 350 PNG with alpha, drawn from code: a dark console panel with
// rounded corners and a soft shadow.
std::vector<std::uint8_t> SplashPictureBytes();
