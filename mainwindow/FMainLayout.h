#pragma once
// The main window's geometry: where the shell's own controls sit at the
// window's designed client size, and the resizing rules that hand extra
// height and width to the pages. Pure functions of the sizes; the window
// applies them to its controls by name.

#include <string>
#include <vector>

#include "platform/classlib/Graphics.h"

class TComponent;

// The window's outer size the layout is drawn for, and the client area it
// leaves below the menu bar: the desktop the layout was drawn on took 42
// pixels of the height for the title bar, the frame and the menu bar. The
// pages fill that client height (the preset bar ends at 674, the page area
// at 679), so the rules measure the extra height from it.
inline constexpr int DesignWidth = 1126;
inline constexpr int DesignHeight = 725;
inline constexpr int DesignClientHeight = DesignHeight - 42;

inline constexpr TRect TopBarRect{5, 4, 1120, 46};  // rzgFunction, width 1115
inline constexpr TRect LinkButtonRect{1052, 5, 1110, 37};
inline constexpr TRect PresetBarRect{10, 624, 1116, 674};  // rzgPreset, width 1106
inline constexpr int PageButtonGroup = 1;

// One page button of the top bar.
struct PageButtonSpec {
  const char* Name;
  const char* Caption;
  int Page;  // the button's Tag: the MainPage it shows
};
// Left to right: Gain, Gate, Comp, Delay, Matrix, Aux, In1..In8, Out1..Out8.
const PageButtonSpec& PageButtonAt(int slot);
// Bounds of the slot-th button in the top bar; a little gap sets the named
// pages, the inputs and the outputs apart.
TRect PageButtonRect(int slot);
// The key light of a page's button: its side's accent.
TColor PageAccentOf(int page);

enum class PresetBarKind { Caption, Display, Key };
struct PresetBarItem {
  const char* Name;
  PresetBarKind Kind;
  TRect Bounds;
};
// The controls of the preset bar, in the bar's coordinates.
const std::vector<PresetBarItem>& PresetBarItems();

struct FrameImageSpec {
  const char* Name;
  bool Upper;
  TRect Bounds;
};
// The four background pictures that frame the window at its design size.
const std::vector<FrameImageSpec>& FrameImages();

// One change of one control's geometry.
enum class LayoutEdge { Left, Top, Width, Height };
struct LayoutStep {
  std::string Name;
  LayoutEdge Edge;
  int Value;
};

// The rules for a client this much higher (E) or wider (W) than the design
// size, both at least 0, in the order they are applied.
std::vector<LayoutStep> HeightRules(int extraHeight);
std::vector<LayoutStep> WidthRules(int extraWidth);
// Applies the steps to the owner's controls, found by name; false, with
// the rest left undone, at the first name that is missing.
bool ApplyLayoutSteps(const TComponent& owner, const std::vector<LayoutStep>& steps);

// Left edge of a delay marker: the fader's share of the line, 40 pixels in.
// A fader without a range puts its marker at the start.
int DelayMarkerLeft(int position, int maximum, int lineWidth);

// The 16 delay channels in order: inputs A..H, then outputs 1..8.
std::string DelayChannelSuffix(int channel);

// The colour a share of the way from one colour to another (step of steps).
TColor BlendColour(TColor from, TColor to, int step, int steps);
