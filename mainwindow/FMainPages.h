#pragma once
// Builders of the parameter pages (Comp, Gate, Delay, Matrix): each makes its
// page's upper and lower box inside the main box, hidden until the page is
// shown, with every control owned by the main window.

#include <string>

#include "platform/classlib/Graphics.h"

class TComponent;
class TWinControl;
class TiXYPlot;

namespace pages {

// Where a page's two boxes sit in the main box at the design size.
inline constexpr TRect UpperBoxBounds = Bounds(0, 4, 1112, 284);
inline constexpr TRect LowerBoxBounds = Bounds(20, 292, 1072, 282);

void CreateCompPage(TComponent* owner, TWinControl* mainBox);
void CreateGatePage(TComponent* owner, TWinControl* mainBox);
void CreateDelayPage(TComponent* owner, TWinControl* mainBox);
void CreateMatrixPage(TComponent* owner, TWinControl* mainBox);

// A transfer plot (output over input level, both -100 to +20 dB): channel 0
// for the curve in the accent, channel 1 for the threshold marker; the
// library's editors, menus, selection and hints stay off. Points are the
// caller's.
TiXYPlot* MakeTransferPlot(TComponent* owner, TWinControl* parent, const std::string& name, const TRect& bounds,
                           TColor accent);

}  // namespace pages
