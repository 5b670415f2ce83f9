#include "platform/classlib/Graphics.h"

#include <array>

namespace {

// The system colours of a classic light desktop theme, one fixed table so
// that every run looks the same whatever the user's desktop is.
constexpr std::array<TColor, 31> kSystemColors = {
    0xC8C8C8,  // 0 scroll bar
    0x000000,  // 1 background
    0xD1B499,  // 2 active caption
    0xDBCDBF,  // 3 inactive caption
    0xF0F0F0,  // 4 menu
    0xFFFFFF,  // 5 window
    0x646464,  // 6 window frame
    0x000000,  // 7 menu text
    0x000000,  // 8 window text
    0x000000,  // 9 caption text
    0xB4B4B4,  // 10 active border
    0xFCF7F4,  // 11 inactive border
    0xABABAB,  // 12 application workspace
    0xFF9933,  // 13 highlight
    0xFFFFFF,  // 14 highlight text
    0xF0F0F0,  // 15 button face
    0xA0A0A0,  // 16 button shadow
    0x6D6D6D,  // 17 gray text
    0x000000,  // 18 button text
    0x544E43,  // 19 inactive caption text
    0xFFFFFF,  // 20 button highlight
    0x696969,  // 21 3D dark shadow
    0xE3E3E3,  // 22 3D light
    0x000000,  // 23 info text
    0xE1FFFF,  // 24 info background
    0xB5B5B5,  // 25 (unused)
    0xCC6600,  // 26 hot light
    0xEAD1B9,  // 27 gradient active caption
    0xF2E4D7,  // 28 gradient inactive caption
    0xFF9933,  // 29 menu highlight
    0xF0F0F0,  // 30 menu bar
};

}  // namespace

TColor SystemColorRGB(int index) {
  if (index < 0 || index >= static_cast<int>(kSystemColors.size())) return 0;
  return kSystemColors[static_cast<std::size_t>(index)];
}

TColor ColorToRGB(TColor color) {
  if (IsSystemColor(color)) return SystemColorRGB(static_cast<int>(static_cast<std::uint32_t>(color) & 0xFF));
  return static_cast<TColor>(static_cast<std::uint32_t>(color) & 0x00FFFFFFu);
}
