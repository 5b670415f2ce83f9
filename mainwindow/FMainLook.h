#pragma once
// The main window's colours: a dark, calm console with one accent per side
// (inputs, outputs, effect bus) and one for the named pages.

#include "platform/classlib/Graphics.h"

namespace MainLook {

inline constexpr TColor WindowBack = RGB(24, 27, 32);
inline constexpr TColor WindowBackTop = RGB(36, 40, 47);
inline constexpr TColor PanelBack = RGB(33, 37, 44);
inline constexpr TColor BarBack = RGB(40, 45, 53);
inline constexpr TColor DisplayBack = RGB(14, 16, 20);
inline constexpr TColor DisplayText = RGB(126, 224, 150);
inline constexpr TColor Text = RGB(222, 226, 232);
inline constexpr TColor DimText = RGB(150, 158, 170);

inline constexpr TColor InputAccent = RGB(60, 178, 168);
inline constexpr TColor OutputAccent = RGB(230, 148, 58);
inline constexpr TColor EffectAccent = RGB(158, 122, 222);
inline constexpr TColor PageAccent = RGB(84, 136, 208);

// Caption colours of the page buttons: the shown page's and the others'.
inline constexpr TColor ShownPageCaption = RGB(0, 255, 0);
inline constexpr TColor PageCaption = RGB(255, 255, 255);

inline constexpr const char* FontName = "Tahoma";

}  // namespace MainLook
