#include "controls/VrButtons.h"

#include "platform/classlib/Keys.h"

// ---------------------------------------------------------------- power button

TVrPowerButton::TVrPowerButton(TComponent* AOwner)
    : TVrCustomImageControl(AOwner), FPalette(std::make_unique<TVrPalette>()) {
  FPalette->OnChange = [this](TObject*) { UpdateControl(); };
  SetControlStyle(TControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csOpaque, csReplicatable});
  SetColor(clBtnFace);
  SetTabStop(false);
  SetBounds(GetLeft(), GetTop(), 125, 25);
}

void TVrPowerButton::SetActive(bool Value) {
  if (Value == FActive) return;
  FActive = Value;
  UpdateControl();
}

void TVrPowerButton::SetLayout(TVrImageTextLayout Value) {
  if (Value == FLayout) return;
  FLayout = Value;
  UpdateLayout(true);
}

void TVrPowerButton::UpdateLayout(bool Repaint) {
  TCanvas* c = GetCanvas();
  if (!c) return;
  c->Font->Assign(GetFont());
  const int d = FBevelWidth + FOutlineWidth;
  const TRect area = Rect(d, d, GetWidth() - d, GetHeight() - d);
  TPoint at{0, 0};
  CalcImageTextLayout(c, area, GetCaption(), FLayout, FMargin, FSpacing, TPoint{FLedWidth, FLedHeight}, at,
                      FTextBounds);
  FImageRect = Rect(at.X, at.Y, at.X + FLedWidth, at.Y + FLedHeight);
  if (Repaint) UpdateControl();
}

void TVrPowerButton::Resize() {
  TVrCustomImageControl::Resize();
  UpdateLayout(true);
}

void TVrPowerButton::FontChanged() {
  TVrCustomImageControl::FontChanged();
  UpdateLayout(true);
}

void TVrPowerButton::TextChanged() {
  TVrCustomImageControl::TextChanged();
  UpdateLayout(true);
}

void TVrPowerButton::DrawLed(TCanvas* Canvas) {
  TColor color = FPalette->GetColor(FActive ? 1 : 0);
  if (!GetEnabled()) color = GetColor();
  TRect r = FImageRect;
  DrawFrame3D(Canvas, r, FShadowColor, FHighlightColor, 1);
  DrawFrame3D(Canvas, r, clBlack, clBlack, 1);
  Canvas->Brush->SetStyle(bsSolid);
  Canvas->Brush->SetColor(color);
  Canvas->FillRect(r);
}

void TVrPowerButton::Paint() {
  UpdateLayout(false);
  ClearBitmapCanvas();
  TCanvas* c = BitmapCanvas();
  TRect r = GetClientRect();
  DrawFrame3D(c, r, FFocused ? FFocusColor : FOutlineColor, FFocused ? FFocusColor : FOutlineColor,
              FOutlineWidth);
  if (FPressed) {
    r = GetClientRect();
    DrawFrame3D(c, r, FOutlineColor, FHighlightColor, FOutlineWidth);
    DrawFrame3D(c, r, FShadowColor, FOutlineColor, FBevelWidth);
  } else {
    DrawFrame3D(c, r, FHighlightColor, FShadowColor, FBevelWidth);
  }
  DrawLed(c);
  c->Font->Assign(GetFont());
  c->Brush->SetStyle(bsClear);
  DrawButtonCaption(c, GetCaption(), FTextBounds, GetEnabled());
  c->Brush->SetStyle(bsSolid);
  TVrCustomImageControl::Paint();
}

void TVrPowerButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft) {
    FDown = true;
    FPressed = true;
    UpdateControl();
    if (GetTabStop() && CanFocus()) SetFocus();
  }
  TVrCustomImageControl::MouseDown(Button, Shift, X, Y);
}

void TVrPowerButton::DoMouseLeave() {
  if (FDown) FPressed = false;
  UpdateControl();
  TVrCustomImageControl::DoMouseLeave();
}

void TVrPowerButton::DoMouseEnter() {
  if (FDown) FPressed = true;
  UpdateControl();
  TVrCustomImageControl::DoMouseEnter();
}

void TVrPowerButton::Toggle() {
  SetActive(!FActive);
}

void TVrPowerButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  FDown = false;
  const bool toggled = FPressed;
  if (FPressed) {
    FPressed = false;
    Toggle();
  }
  TVrCustomImageControl::MouseUp(Button, Shift, X, Y);
  if (toggled && OnClick) OnClick(this);
}

void TVrPowerButton::KeyDown(std::uint16_t& Key, TShiftState Shift) {
  TVrCustomImageControl::KeyDown(Key, Shift);
  if (Key == VK_SPACE) {
    FPressed = true;
    FSpacePressed = true;
    UpdateControl();
  }
}

void TVrPowerButton::KeyUp(std::uint16_t& Key, TShiftState Shift) {
  TVrCustomImageControl::KeyUp(Key, Shift);
  // Only the release of a space press made on this button toggles it.
  if (Key != VK_SPACE || !FSpacePressed) return;
  FSpacePressed = false;
  SetMouseCapture(false);
  FPressed = false;
  Toggle();
  if (OnClick) OnClick(this);
}

void TVrPowerButton::DoEnter() {
  TVrCustomImageControl::DoEnter();
  if (!FFocused) {
    FFocused = true;
    UpdateControl();
  }
}

void TVrPowerButton::DoExit() {
  TVrCustomImageControl::DoExit();
  FSpacePressed = false;
  if (FFocused) {
    FFocused = false;
    UpdateControl();
  }
}

void TVrPowerButton::EnabledChanged() {
  TVrCustomImageControl::EnabledChanged();
  UpdateControl();
}

// ---------------------------------------------------------------- demo button

unsigned TextAlignmentFlags(TVrTextAlignment Alignment) {
  static const unsigned horizontal[3] = {DT_LEFT, DT_CENTER, DT_RIGHT};
  static const unsigned vertical[3] = {DT_VCENTER, DT_TOP, DT_BOTTOM};
  const int a = static_cast<int>(Alignment);
  return DT_SINGLELINE | horizontal[a % 3] | vertical[a / 3];
}

TVrDemoButton::TVrDemoButton(TComponent* AOwner)
    : TVrCustomImageControl(AOwner),
      FFontEnter(std::make_unique<TFont>()),
      FFontLeave(std::make_unique<TFont>()),
      FBitmap(std::make_unique<TBitmap>()),
      FFont3D(std::make_unique<TVrFont3D>()) {
  for (TFont* f : {FFontEnter.get(), FFontLeave.get()}) {
    f->SetName("Arial");
    f->SetSize(12);
    f->SetStyle(TFontStyles{fsBold});
    f->OnChange = [this](TGraphicsObject*) { UpdateControl(); };
  }
  FFontEnter->SetColor(clRed);
  FFontLeave->SetColor(clBlack);
  FFont3D->OnChange = [this](TObject*) { UpdateControl(); };
  TControlStyle style = GetControlStyle();
  style << csOpaque;
  style >> csDoubleClicks;
  SetControlStyle(style);
  SetColor(clBtnFace);
  SetBounds(GetLeft(), GetTop(), 150, 25);
}

void TVrDemoButton::SetBitmap(const TBitmap* Value) {
  if (Value)
    FBitmap->Assign(Value);
  else
    FBitmap = std::make_unique<TBitmap>();
  UpdateControl();
}

void TVrDemoButton::Paint() {
  ClearBitmapCanvas();
  TCanvas* c = BitmapCanvas();
  TRect r = GetClientRect();
  if (FDownDrawn) r = Rect(r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1);
  if (!FBitmap->GetEmpty()) TileBitmap(c, r, FBitmap.get());
  r = GetClientRect();
  const TColor outline = FFocused ? FFocusColor : FOutlineColor;
  DrawFrame3D(c, r, outline, outline, FOutlineWidth);
  if (FDownDrawn) {
    DrawFrame3D(c, r, FShadowColor, FHighlightColor, FBevelWidth);
  } else if (!FFlat || FHasMouse) {
    DrawFrame3D(c, r, FHighlightColor, FShadowColor, FBevelWidth);
  } else {
    r = Rect(r.Left + FBevelWidth, r.Top + FBevelWidth, r.Right - FBevelWidth, r.Bottom - FBevelWidth);
  }
  c->Font->Assign(FHasMouse && GetEnabled() ? FFontEnter.get() : FFontLeave.get());
  if (!GetEnabled()) c->Font->SetColor(FDisabledTextColor);
  c->Brush->SetStyle(bsClear);
  if (FDownDrawn) r = Rect(r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1);
  FFont3D->Paint(c, r, GetCaption(), TextAlignmentFlags(FTextAlignment));
  c->Brush->SetStyle(bsSolid);
  TVrCustomImageControl::Paint();
}

void TVrDemoButton::PressAt(int X, int Y) {
  if (X < 0 || Y < 0 || X >= GetWidth() || Y >= GetHeight()) return;
  FPressedHeld = true;
  FDownDrawn = true;
  SetMouseCapture(true);
  if (GetTabStop() && CanFocus()) SetFocus();
  UpdateControl();
}

void TVrDemoButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TVrCustomImageControl::MouseDown(Button, Shift, X, Y);
  if (Button == mbLeft) PressAt(X, Y);
}

void TVrDemoButton::MouseMove(TShiftState Shift, int X, int Y) {
  TVrCustomImageControl::MouseMove(Shift, X, Y);
  if (!FPressedHeld) return;
  const bool inside = X >= 0 && Y >= 0 && X < GetWidth() && Y < GetHeight();
  if (inside != FDownDrawn) {
    FDownDrawn = inside;
    UpdateControl();
  }
}

void TVrDemoButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft) {
    SetMouseCapture(false);
    const bool click = FPressedHeld && FDownDrawn;
    FPressedHeld = false;
    FDownDrawn = false;
    if (click) {
      UpdateControl();
      if (OnClick) OnClick(this);
    }
  }
  TVrCustomImageControl::MouseUp(Button, Shift, X, Y);
}

void TVrDemoButton::DoMouseEnter() {
  TVrCustomImageControl::DoMouseEnter();
  FHasMouse = true;
  UpdateControl();
}

void TVrDemoButton::DoMouseLeave() {
  TVrCustomImageControl::DoMouseLeave();
  FHasMouse = false;
  UpdateControl();
}

void TVrDemoButton::KeyDown(std::uint16_t& Key, TShiftState Shift) {
  TVrCustomImageControl::KeyDown(Key, Shift);
  if (Key == VK_SPACE && !FDownDrawn) PressAt(0, 0);
}

void TVrDemoButton::KeyUp(std::uint16_t& Key, TShiftState Shift) {
  TVrCustomImageControl::KeyUp(Key, Shift);
  if (Key != VK_SPACE) return;
  SetMouseCapture(false);
  if (FPressedHeld && FDownDrawn) {
    FDownDrawn = false;
    UpdateControl();
    if (OnClick) OnClick(this);
  }
  FPressedHeld = false;
}

void TVrDemoButton::DoEnter() {
  TVrCustomImageControl::DoEnter();
  FFocused = true;
  UpdateControl();
}

void TVrDemoButton::DoExit() {
  TVrCustomImageControl::DoExit();
  FFocused = false;
  UpdateControl();
}

void TVrDemoButton::EnabledChanged() {
  TVrCustomImageControl::EnabledChanged();
  UpdateControl();
}

void TVrDemoButton::TextChanged() {
  TVrCustomImageControl::TextChanged();
  UpdateControl();
}

// The caption's accelerator clicks without toggling Active.
void TVrPowerButton::Dispatch(TMessage& Message) {
  if (!ClickOnAccelerator(Message)) TVrCustomImageControl::Dispatch(Message);
}

void TVrDemoButton::Dispatch(TMessage& Message) {
  if (!ClickOnAccelerator(Message)) TVrCustomImageControl::Dispatch(Message);
}
