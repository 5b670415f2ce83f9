#pragma once
// The LED toggle button (every click toggles Active, then OnClick) and the
// bevelled push button of the strips.

#include <memory>
#include <string>

#include "controls/VrClasses.h"
#include "controls/VrControls.h"

class TVrPowerButton : public TVrCustomImageControl {
 public:
  explicit TVrPowerButton(TComponent* AOwner);

  bool GetActive() const { return FActive; }
  // Repaints; a change from the program fires no OnClick.
  void SetActive(bool Value);
  int GetLedWidth() const { return FLedWidth; }
  void SetLedWidth(int Value) { SetLayoutValue(FLedWidth, Value < 1 ? 1 : Value); }
  int GetLedHeight() const { return FLedHeight; }
  void SetLedHeight(int Value) { SetLayoutValue(FLedHeight, Value < 1 ? 1 : Value); }
  TVrImageTextLayout GetLayout() const { return FLayout; }
  void SetLayout(TVrImageTextLayout Value);
  int GetMargin() const { return FMargin; }
  void SetMargin(int Value) { SetLayoutValue(FMargin, Value); }
  int GetSpacing() const { return FSpacing; }
  void SetSpacing(int Value) { SetLayoutValue(FSpacing, Value); }
  TVrPalette* GetPalette() const { return FPalette.get(); }
  void SetPalette(TVrPalette* Value) { FPalette->Assign(Value); }
  TColor GetFocusColor() const { return FFocusColor; }
  void SetFocusColor(TColor Value) { SetValue(FFocusColor, Value); }
  TColor GetOutlineColor() const { return FOutlineColor; }
  void SetOutlineColor(TColor Value) { SetValue(FOutlineColor, Value); }
  int GetOutlineWidth() const { return FOutlineWidth; }
  void SetOutlineWidth(int Value) { SetValue(FOutlineWidth, Value); }
  TColor GetHighlightColor() const { return FHighlightColor; }
  void SetHighlightColor(TColor Value) { SetValue(FHighlightColor, Value); }
  TColor GetShadowColor() const { return FShadowColor; }
  void SetShadowColor(TColor Value) { SetValue(FShadowColor, Value); }
  int GetBevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(int Value) { SetValue(FBevelWidth, Value); }

  // Where the LED and the caption stand, after the last layout.
  TRect GetImageRect() const { return FImageRect; }
  TRect GetTextBounds() const { return FTextBounds; }
  bool GetPressed() const { return FPressed; }
  void Dispatch(TMessage& Message) override;

 protected:
  void Paint() override;
  void Click() override {}
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void DoMouseEnter() override;
  void DoMouseLeave() override;
  void KeyDown(std::uint16_t& Key, TShiftState Shift) override;
  void KeyUp(std::uint16_t& Key, TShiftState Shift) override;
  void DoEnter() override;
  void DoExit() override;
  void EnabledChanged() override;
  void FontChanged() override;
  void TextChanged() override;
  void Resize() override;
  void UpdateLayout(bool Repaint);
  void DrawLed(TCanvas* Canvas);

 private:
  template <typename T>
  void SetValue(T& Field, T Value) {
    if (Field == Value) return;
    Field = Value;
    UpdateControl();
  }
  void SetLayoutValue(int& Field, int Value) {
    if (Field == Value) return;
    Field = Value;
    UpdateLayout(true);
  }
  void Toggle();

  bool FActive = false;
  int FLedWidth = 12;
  int FLedHeight = 12;
  TVrImageTextLayout FLayout = ImageLeft;
  int FMargin = -1;
  int FSpacing = 5;
  std::unique_ptr<TVrPalette> FPalette;
  TColor FFocusColor = clBlue;
  TColor FOutlineColor = clBlack;
  int FOutlineWidth = 1;
  TColor FHighlightColor = clBtnHighlight;
  TColor FShadowColor = clBtnShadow;
  int FBevelWidth = 2;
  bool FFocused = false;
  bool FDown = false;
  bool FPressed = false;
  // Set by a space-key press, so that only its own release toggles.
  bool FSpacePressed = false;
  TRect FTextBounds;
  TRect FImageRect;
};

enum TVrTextAlignment {
  vtaLeft,
  vtaCenter,
  vtaRight,
  vtaTopLeft,
  vtaTop,
  vtaTopRight,
  vtaBottomLeft,
  vtaBottom,
  vtaBottomRight
};

// The text-drawing flags of a caption placement (always one line).
unsigned TextAlignmentFlags(TVrTextAlignment Alignment);

class TVrDemoButton : public TVrCustomImageControl {
 public:
  explicit TVrDemoButton(TComponent* AOwner);

  TFont* GetFontEnter() const { return FFontEnter.get(); }
  void SetFontEnter(const TFont* Value) { FFontEnter->Assign(Value); }
  TFont* GetFontLeave() const { return FFontLeave.get(); }
  void SetFontLeave(const TFont* Value) { FFontLeave->Assign(Value); }
  TBitmap* GetBitmap() const { return FBitmap.get(); }
  void SetBitmap(const TBitmap* Value);
  TVrFont3D* GetFont3D() const { return FFont3D.get(); }
  void SetFont3D(TVrFont3D* Value) { FFont3D->Assign(Value); }
  TColor GetOutlineColor() const { return FOutlineColor; }
  void SetOutlineColor(TColor Value) { SetValue(FOutlineColor, Value); }
  TColor GetShadowColor() const { return FShadowColor; }
  void SetShadowColor(TColor Value) { SetValue(FShadowColor, Value); }
  TColor GetHighlightColor() const { return FHighlightColor; }
  void SetHighlightColor(TColor Value) { SetValue(FHighlightColor, Value); }
  int GetBevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(int Value) { SetValue(FBevelWidth, Value); }
  int GetOutlineWidth() const { return FOutlineWidth; }
  void SetOutlineWidth(int Value) { SetValue(FOutlineWidth, Value); }
  TVrTextAlignment GetTextAlignment() const { return FTextAlignment; }
  void SetTextAlignment(TVrTextAlignment Value) { SetValue(FTextAlignment, Value); }
  TColor GetDisabledTextColor() const { return FDisabledTextColor; }
  void SetDisabledTextColor(TColor Value) { SetValue(FDisabledTextColor, Value); }
  TColor GetFocusColor() const { return FFocusColor; }
  void SetFocusColor(TColor Value) { SetValue(FFocusColor, Value); }
  bool GetFlat() const { return FFlat; }
  void SetFlat(bool Value) { SetValue(FFlat, Value); }

  bool GetDown() const { return FDownDrawn; }
  bool GetHasMouse() const { return FHasMouse; }
  void Dispatch(TMessage& Message) override;

 protected:
  void Paint() override;
  void Click() override {}
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void DoMouseEnter() override;
  void DoMouseLeave() override;
  void KeyDown(std::uint16_t& Key, TShiftState Shift) override;
  void KeyUp(std::uint16_t& Key, TShiftState Shift) override;
  void DoEnter() override;
  void DoExit() override;
  void EnabledChanged() override;
  void TextChanged() override;
  void PressAt(int X, int Y);

 private:
  template <typename T>
  void SetValue(T& Field, T Value) {
    if (Field == Value) return;
    Field = Value;
    UpdateControl();
  }

  std::unique_ptr<TFont> FFontEnter;
  std::unique_ptr<TFont> FFontLeave;
  std::unique_ptr<TBitmap> FBitmap;
  std::unique_ptr<TVrFont3D> FFont3D;
  TColor FOutlineColor = clBlack;
  TColor FShadowColor = clBtnShadow;
  TColor FHighlightColor = clBtnHighlight;
  int FBevelWidth = 2;
  int FOutlineWidth = 1;
  TVrTextAlignment FTextAlignment = vtaCenter;
  TColor FDisabledTextColor = clInactiveCaption;
  TColor FFocusColor = clBlue;
  bool FFlat = false;
  bool FHasMouse = false;
  bool FFocused = false;
  bool FDownDrawn = false;
  bool FPressedHeld = false;
};
