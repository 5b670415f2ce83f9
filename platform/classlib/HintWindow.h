#pragma once
// A hint window: a small borderless window above every other that shows a
// text and never takes the focus nor activates (the window under it stays
// active). Controls with hints of their own (a fader's position while
// dragged) make one and move it about.

#include <string>

#include "platform/classlib/Controls.h"

class THintWindow : public TCustomControl {
 public:
  explicit THintWindow(TComponent* AOwner);

  // Shows AHint in a window of Rect (screen coordinates), moved inside the
  // monitor under its top-left corner, on top, without activation.
  virtual void ActivateHint(const TRect& Rect, const std::string& AHint);
  // Hides the window.
  virtual void ReleaseHandle();
  // The room AHint needs, (0, 0, width, height), its lines broken at MaxWidth.
  virtual TRect CalcHintRect(int MaxWidth, const std::string& AHint, void* AData);

 protected:
  QWidget* CreateWidget() override;
  void InitWidget() override;
  void VisibleChanged() override;
  void TextChanged() override;
  // The window colour, a frame and the text.
  void Paint() override;
};
