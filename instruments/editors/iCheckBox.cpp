#include "instruments/editors/iCheckBox.h"

#include <algorithm>

#include "instruments/base/iDrawing.h"
#include "instruments/base/iProperties.h"
#include "instruments/opc/iOPCVariant.h"
#include "platform/classlib/Keys.h"
#include "platform/classlib/Messages.h"
#include "platform/sys/ScopeExit.h"

namespace {

// What files and the OPC binding reach by name.
const TiRegisterProperties<TiCheckBox, TiCustomComponent> kCheckBox([](TiPropertyBuilder<TiCheckBox>& b) {
  b.Add("Caption", &TiCheckBox::GetCaption, &TiCheckBox::SetCaption);
  b.Add("Checked", &TiCheckBox::GetChecked, &TiCheckBox::SetChecked, 0);
  b.Add("AutoSize", &TiCheckBox::GetAutoSize, &TiCheckBox::SetAutoSize, 1);
  b.Add("Width", &TiCheckBox::GetWidth, &TiCheckBox::SetWidth, 97);
  b.Add("Height", &TiCheckBox::GetHeight, &TiCheckBox::SetHeight, 17);
});

}  // namespace

TiCheckBox::TiCheckBox(TComponent* AOwner) : TiCustomComponent(AOwner), FFont(std::make_unique<TFont>()) {
  SetBounds(GetLeft(), GetTop(), 97, 17);
  SetTabStop(true);
  // The parent shows round the box and the caption.
  SetTransparent(true);
  FFont->OnChange = [this](TGraphicsObject*) {
    DoAutoSize();
    InvalidateChange();
  };
}

TiCheckBox::~TiCheckBox() {
  FFont->OnChange = nullptr;
}

void TiCheckBox::DefaultHandler(TMessage& Message) {
  TiCustomComponent::DefaultHandler(Message);
  if (Message.Msg == WM_GETDLGCODE) Message.Result |= DLGC_WANTALLKEYS;
}

void TiCheckBox::SetChecked(bool Value) {
  if (Value == FChecked) return;
  if (!CanEditProperty("Checked")) return;
  FChecked = Value;
  InvalidateChange();
  DoChange();
  OPCPropertyChanged("Checked", TiOPCVariant::Boolean(FChecked));
}

void TiCheckBox::SetCaption(const std::string& Value) {
  if (Value == FCaption) return;
  FCaption = Value;
  DoAutoSize();
  InvalidateChange();
}

void TiCheckBox::SetAutoSize(bool Value) {
  if (Value == FAutoSize) return;
  FAutoSize = Value;
  DoAutoSize();
  InvalidateChange();
}

void TiCheckBox::SetAlignment(TLeftRight Value) {
  if (Value == FAlignment) return;
  FAlignment = Value;
  InvalidateChange();
}

void TiCheckBox::SetFont(const TFont* Value) {
  FFont->Assign(Value);
}

void TiCheckBox::DoChange() {
  if (IsLoading()) return;
  DoChangeProtected("Checked");
  if (OnChange) OnChange(this);
  if (FUserGenerated && OnChangeUser) OnChangeUser(this);
}

TSize TiCheckBox::CaptionSize() const {
  TCanvas measure;
  measure.Font->Assign(FFont.get());
  return measure.TextExtent(FCaption);
}

void TiCheckBox::DoAutoSize() {
  if (!FAutoSize || IsLoading() || FDoingAutoSize) return;
  FDoingAutoSize = true;
  auto done = sys::ScopeExit([this] { FDoingAutoSize = false; });
  const TSize size = CaptionSize();
  const int w = size.cx + 20;
  if (FAlignment == taLeftJustify && w != GetWidth())
    SetBounds(GetLeft() + GetWidth() - w, GetTop(), w, GetHeight());
  else if (FAlignment != taLeftJustify)
    SetBounds(GetLeft(), GetTop(), w, GetHeight());
  SetBounds(GetLeft(), GetTop(), GetWidth(), size.cy + 4);
}

TRect TiCheckBox::BoxRect() const {
  const int hc = GetHeight() / 2;
  if (FAlignment == taLeftJustify) return Rect(GetWidth() - 13, hc - 7, GetWidth(), hc + 6);
  return Rect(0, hc - 7, 13, hc + 6);
}

TRect TiCheckBox::CaptionRect() const {
  const TSize size = CaptionSize();
  const int hc = GetHeight() / 2;
  const int top = hc - size.cy / 2 - 1;
  const int left = FAlignment == taLeftJustify ? 1 : 18;
  return Rect(left, top, left + size.cx, top + size.cy);
}

void TiCheckBox::iPaintToCanvas(TCanvas* Canvas) {
  DrawBackGround(Canvas, GetBackGroundColor());
  Canvas->Font->Assign(FFont.get());
  const int hc = GetHeight() / 2;
  const TRect box = BoxRect();
  TRect caption = CaptionRect();

  Canvas->Brush->SetStyle(bsSolid);
  Canvas->Brush->SetColor(FMouseDown || FKeyDown || !GetEnabled() ? GetBackGroundColor() : clWhite);
  Canvas->FillRect(box);
  DrawBevel(Canvas, box, iBevelLowered);

  Canvas->Brush->SetStyle(bsClear);
  DrawTextWithFlags(Canvas, FCaption, caption, GetBackGroundColor(), GetEnabled(),
                    iTextFlagLeft | iTextFlagVCenter | iTextFlagSingleLine);

  if (FChecked) {
    Canvas->Pen->SetStyle(psSolid);
    Canvas->Pen->SetWidth(1);
    Canvas->Pen->SetColor(clBlack);
    const int l = box.Left;
    for (int y = hc - 2; y <= hc; ++y)
      Canvas->Polyline({TPoint(l + 3, y), TPoint(l + 5, y + 2), TPoint(l + 10, y - 3)});
  }

  if (GetHasFocus()) {
    TRect focus = CaptionRect();
    focus = Rect(std::max(focus.Left - 1, 0), std::max(focus.Top - 1, 0),
                 std::min(focus.Right + 1, GetWidth() - 1), std::min(focus.Bottom + 2, GetHeight() - 1));
    Canvas->Font->SetColor(clWhite);
    Canvas->Brush->SetColor(clBlack);
    DrawFocusRectangle(Canvas, focus);
  }
}

void TiCheckBox::iMouseDown(TMouseButton Button, TShiftState, int, int) {
  if (Button != mbLeft) return;
  FocusComponentWindow(this);
  FMouseDown = true;
  InvalidateChange();
}

void TiCheckBox::iMouseUp(TMouseButton, TShiftState, int X, int Y) {
  if (!FMouseDown) return;
  InvalidateChange();
  FMouseDown = false;
  if (X >= 0 && Y >= 0 && X < GetWidth() && Y < GetHeight()) {
    const bool old = FUserGenerated;
    FUserGenerated = true;
    auto restore = sys::ScopeExit([this, old] { FUserGenerated = old; });
    SetChecked(!FChecked);
  }
}

void TiCheckBox::iKeyDown(std::uint16_t& Key, TShiftState) {
  if (Key != VK_SPACE) return;
  FMouseDown = false;
  FKeyDown = true;
  InvalidateChange();
}

void TiCheckBox::iKeyUp(std::uint16_t& Key, TShiftState) {
  const bool wasDown = FKeyDown;
  FKeyDown = false;
  if (Key != VK_SPACE || !wasDown) return;
  InvalidateChange();
  const bool old = FUserGenerated;
  FUserGenerated = true;
  auto restore = sys::ScopeExit([this, old] { FUserGenerated = old; });
  SetChecked(!FChecked);
}

void TiCheckBox::DoKillFocus() {
  FMouseDown = false;
  FKeyDown = false;
  InvalidateChange();
  TiCustomComponent::DoKillFocus();
}

void TiCheckBox::DoSetFocus() {
  TiCustomComponent::DoSetFocus();
  InvalidateNow();
}
