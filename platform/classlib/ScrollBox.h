#pragma once
// A container whose children may extend beyond it: scroll bars appear when
// they do, and scrolling moves the children (their Left and Top change, as
// with the platform's scroll box).

#include "platform/classlib/Controls.h"
#include "platform/classlib/ScrollingWinControl.h"
#include "platform/classlib/StdCtrls.h"

class TScrollBox : public TScrollingWinControl {
 public:
  explicit TScrollBox(TComponent* AOwner);
  ~TScrollBox() override;

  TCanvas* GetCanvas() const { return SurfaceCanvas(); }
  TBorderStyle GetBorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);

 protected:
  void Paint() override;
  void AlignControls(TControl* AControl, TRect& Rect) override;

 private:
  int Border() const { return FBorderStyle == bsSingle ? 1 : 0; }

  TBorderStyle FBorderStyle = bsSingle;
};
