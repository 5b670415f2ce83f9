#pragma once
// The monitors of the desktop, in screen coordinates (Screen->Monitors).

#include <vector>

#include "platform/classlib/Classes.h"

enum TMonitorDefaultTo { mdNearest, mdNull, mdPrimary };

class TMonitor : public TObject {
 public:
  int GetMonitorNum() const { return FMonitorNum; }
  bool GetPrimary() const { return FMonitorNum == 0; }
  TRect GetBoundsRect() const { return FBounds; }
  // The bounds less the panels and docks of the desktop.
  TRect GetWorkareaRect() const { return FWorkarea; }
  int GetLeft() const { return FBounds.Left; }
  int GetTop() const { return FBounds.Top; }
  int GetWidth() const { return FBounds.Width(); }
  int GetHeight() const { return FBounds.Height(); }

 private:
  friend class TScreen;
  friend struct MonitorList;
  int FMonitorNum = 0;
  TRect FBounds;
  TRect FWorkarea;
};

// Which of the rectangles a point falls in; outside all of them, by
// `Default`: the nearest one (the first of equals), -1, or `primary`.
int MonitorIndexFromPoint(const std::vector<TRect>& Bounds, TPoint P, TMonitorDefaultTo Default, int Primary);

// R moved (not resized) so that it lies inside Area as far as it fits: a
// rectangle reaching past the right or bottom edge moves left or up, then
// one past the left or top edge moves right or down.
TRect KeepRectInside(const TRect& R, const TRect& Area);
