#pragma once
// A container whose children may extend beyond it: scroll bars appear when
// they do, and scrolling moves the children (their Left and Top change, as
// with the platform's scroll box).

#include "platform/classlib/Controls.h"
#include "platform/classlib/StdCtrls.h"

class QScrollBar;
class TScrollBox;

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
  friend class TScrollBox;
  TControlScrollBar(TScrollBox* Owner, bool Horizontal) : FOwner(Owner), FHorizontal(Horizontal) {}
  TScrollBox* FOwner;
  bool FHorizontal;
  int FRange = 0;
  int FPosition = 0;
  int FIncrement = 8;
  bool FVisible = true;
  bool FShown = false;
};

class TScrollBox : public TCustomControl {
 public:
  explicit TScrollBox(TComponent* AOwner);
  ~TScrollBox() override;

  TControlScrollBar* GetHorzScrollBar() { return &FHorz; }
  TControlScrollBar* GetVertScrollBar() { return &FVert; }
  bool GetAutoScroll() const { return FAutoScroll; }
  void SetAutoScroll(bool Value);
  TBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);

  // The area left for the children: inside the frame, beside the bars.
  int GetClientWidth() const override;
  int GetClientHeight() const override;

  // Moves every child by (DeltaX, DeltaY).
  void ScrollBy(int DeltaX, int DeltaY);
  // Scrolls so that the child is wholly in view (its top-left first).
  void ScrollInView(TControl* AControl);
  // Works out the ranges and which bars show; runs on resizing and
  // painting, and may be called after moving children.
  void UpdateScrollBars();

 protected:
  void InitWidget() override;
  void ColorChanged() override;
  void FontChanged() override;
  void Paint() override;
  void Resize() override;
  void AlignControls(TControl* AControl, TRect& Rect) override;
  bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;

 private:
  friend class TControlScrollBar;
  int Border() const { return FBorderStyle == bsSingle ? 1 : 0; }
  int BarSize() const;
  void ScrollTo(TControlScrollBar& Bar, int Position);
  void PlaceBars();
  void ApplyBarColors();

  TControlScrollBar FHorz{this, true};
  TControlScrollBar FVert{this, false};
  bool FAutoScroll = true;
  TBorderStyle FBorderStyle = bsSingle;
  QScrollBar* FHorzBar = nullptr;
  QScrollBar* FVertBar = nullptr;
  bool FUpdating = false;
};
