#pragma once
// The speed button: a flat tool button with a picture (its glyph) that
// never takes the focus. Flat, it shows its raised frame only under the
// mouse; pressed, a lowered frame and the glyph one pixel down and right.

#include <memory>

#include "platform/classlib/Controls.h"

class TSpeedButton : public TGraphicControl {
 public:
  explicit TSpeedButton(TComponent* AOwner);
  ~TSpeedButton() override;

  // The picture; its bottom-left pixel's colour is transparent.
  TBitmap* GetGlyph() const { return FGlyph.get(); }
  void SetGlyph(const TBitmap* Value);
  bool GetFlat() const { return FFlat; }
  void SetFlat(bool Value);
  bool GetMouseInControl() const { return FMouseIn; }
  // Runs the click as a user's would.
  void Click() override;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseEnter() override;
  void MouseLeave() override;

 private:
  std::unique_ptr<TBitmap> FGlyph;
  bool FFlat = true;
  bool FMouseIn = false;
  bool FPressed = false;
};
