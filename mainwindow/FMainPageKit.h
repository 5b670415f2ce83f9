#pragma once
// The parameter pages' building kit (Comp, Gate, Delay, Matrix): the console
// palette and small factories that give each control its name, owner,
// parent, bounds and Tag in one call, so the page builders read as tables of
// places. Every control is owned by the main window whatever box it sits in;
// an empty name leaves a control unnamed (decoration only).

#include <string>

#include "platform/classlib/Graphics.h"
#include "platform/classlib/StdCtrls.h"

class TComponent;
class TWinControl;
class TRzGroupBox;
class TPanel;
class TLabel;
class TShape;
class TRzBmpButton;
class TAdvTrackBar;
class TCurvyEdit;
class LProgressBar;

namespace pagekit {

// Strip suffixes: inputs by letter, outputs by digit (i counts from 0).
inline std::string InSuffix(int i) {
  return std::string(1, static_cast<char>('A' + i));
}
inline std::string OutSuffix(int i) {
  return std::to_string(i + 1);
}
// Strip i of a side: its name suffix ("InA", "Out1") and its channel index.
inline std::string StripSuffix(bool inputs, int i) {
  return inputs ? "In" + InSuffix(i) : "Out" + OutSuffix(i);
}
inline int StripChannel(bool inputs, int i) {
  return inputs ? i : 8 + i;
}

// ---- palette: one dark console, one accent per side
inline constexpr TColor PageBack = RGB(27, 29, 33);
inline constexpr TColor SectionBack = RGB(36, 39, 45);
inline constexpr TColor WellBack = RGB(17, 18, 21);
inline constexpr TColor EdgeColor = RGB(58, 62, 70);
inline constexpr TColor TextColor = RGB(205, 210, 218);
inline constexpr TColor DimText = RGB(138, 145, 156);
inline constexpr TColor AccentIn = RGB(72, 190, 236);
inline constexpr TColor AccentOut = RGB(246, 166, 64);
inline constexpr TColor AccentEff = RGB(178, 134, 242);

// The side's accent toned down for frames: a third of the way from the
// page's background.
constexpr TColor FrameOf(TColor accent) {
  auto mix = [](int a, int b) { return (a + 2 * b) / 3; };
  return RGB(mix(GetRValue(accent), GetRValue(PageBack)), mix(GetGValue(accent), GetGValue(PageBack)),
             mix(GetBValue(accent), GetBValue(PageBack)));
}

// A page box of the main box: dark, frameless, without caption.
TRzGroupBox* MakePageBox(TComponent* owner, TWinControl* parent, const std::string& name, const TRect& r);
TPanel* MakePanel(TComponent* owner, TWinControl* parent, const std::string& name, const TRect& r,
                  TColor color = SectionBack, int tag = 0);
TLabel* MakeLabel(TComponent* owner, TWinControl* parent, const std::string& name, const std::string& caption,
                  const TRect& r, int tag = 0, TColor color = TextColor, int pixels = 11, bool bold = false,
                  TAlignment align = taLeftJustify);
// A shape filled with one colour (a cell frame, a line).
TShape* MakeShape(TComponent* owner, TWinControl* parent, const std::string& name, const TRect& r,
                  TColor fill, TColor pen, int tag = 0);
// A toggle when groupIndex is not 0 (allowAllUp says whether it may go up).
TRzBmpButton* MakeButton(TComponent* owner, TWinControl* parent, const std::string& name,
                         const std::string& caption, const TRect& r, int tag, int groupIndex, bool allowAllUp,
                         TColor accent);
TAdvTrackBar* MakeFader(TComponent* owner, TWinControl* parent, const std::string& name, const TRect& r,
                        int min, int max, int position, int pageSize, int tag, TColor accent, bool vertical);
TCurvyEdit* MakeValueBox(TComponent* owner, TWinControl* parent, const std::string& name, const TRect& r,
                         const std::string& text, int tag);
// A segmented meter, red, yellow and green segments from the top; Max is
// the segment count, so a position is the number of lit segments.
LProgressBar* MakeMeter(TComponent* owner, TWinControl* parent, const std::string& name, const TRect& r,
                        int red, int yellow, int green, int tag);

}  // namespace pagekit
