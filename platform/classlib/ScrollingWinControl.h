#pragma once
// Windowed controls whose children may extend beyond them: the scroll box
// and the form. Scroll bars appear when the content does not fit, and
// scrolling moves the children (their Left and Top change, as with the
// platform's scrolling controls).

#include "platform/classlib/Controls.h"

class QScrollBar;
class TScrollingWinControl;

class TControlScrollBar {
 public:
  // The extent of the content; with AutoScroll it follows the children.
  int GetRange() const { return FRange; }
  void SetRange(int Value);
  // The scrolled distance; writing it scrolls.
  int GetPosition() const { return FPosition; }
  void SetPosition(int Value);
  // Pixels per arrow click or wheel notch.
  int GetIncrement() const { return FIncrement; }
  void SetIncrement(int Value) { FIncrement = Value > 0 ? Value : 1; }
  // Allowed to show at all.
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool Value);
  // Shown now (visible and the content does not fit).
  bool IsScrollBarVisible() const { return FShown; }

 private:
  friend class TScrollingWinControl;
  TControlScrollBar(TScrollingWinControl* Owner, bool Horizontal) : FOwner(Owner), FHorizontal(Horizontal) {}
  TScrollingWinControl* FOwner;
  bool FHorizontal;
  int FRange = 0;
  int FPosition = 0;
  int FIncrement = 8;
  bool FVisible = true;
  bool FShown = false;
};

class TScrollingWinControl : public TWinControl {
 public:
  explicit TScrollingWinControl(TComponent* AOwner);
  ~TScrollingWinControl() override;

  TControlScrollBar* GetHorzScrollBar() { return &FHorz; }
  TControlScrollBar* GetVertScrollBar() { return &FVert; }
  // On: the ranges follow the visible unaligned children (right and bottom
  // edges, in unscrolled coordinates), at once on resizing and at the next
  // pass of the event loop after a child moves. Off: both ranges are 0, so
  // the content scrolls back to its origin and no bar shows.
  bool GetAutoScroll() const { return FAutoScroll; }
  void SetAutoScroll(bool Value);

  // The area left for the children: beside the bars.
  int GetClientWidth() const override;
  int GetClientHeight() const override;

  // Moves every unaligned child by (DeltaX, DeltaY).
  void ScrollBy(int DeltaX, int DeltaY);
  // Scrolls so that the child is wholly in view (its top-left first).
  void ScrollInView(TControl* AControl);
  // Works out the ranges and which bars show, now.
  void UpdateScrollBars();

 protected:
  void InitWidget() override;
  void ColorChanged() override;
  void FontChanged() override;
  void Resize() override;
  void ChildGeometryChanged(TControl* Child) override;
  bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;

 private:
  friend class TControlScrollBar;
  int BarSize() const;
  void ScrollTo(TControlScrollBar& Bar, int Position);
  void PlaceBars();
  void ApplyBarColors();

  TControlScrollBar FHorz{this, true};
  TControlScrollBar FVert{this, false};
  bool FAutoScroll = true;
  QScrollBar* FHorzBar = nullptr;
  QScrollBar* FVertBar = nullptr;
  bool FUpdating = false;
  bool FScrolling = false;
  bool FUpdatePosted = false;
};
