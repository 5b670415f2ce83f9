#include "instruments/editors/iRadioGroup.h"

#include <algorithm>
#include <cmath>

#include "instruments/base/iDrawing.h"
#include "platform/classlib/Keys.h"
#include "platform/classlib/Messages.h"
#include "platform/sys/ScopeExit.h"

TiRadioGroup::TiRadioGroup(TComponent* AOwner)
    : TiCustomComponent(AOwner), FFont(std::make_unique<TFont>()), FItems(std::make_unique<TStringList>()) {
  SetBounds(GetLeft(), GetTop(), 97, 17);
  SetTabStop(true);
  SetTransparent(true);
  FFont->OnChange = [this](TGraphicsObject*) { ListChanged(); };
  FItems->OnChange = [this](TObject*) { ListChanged(); };
}

TiRadioGroup::~TiRadioGroup() {
  FFont->OnChange = nullptr;
  FItems->OnChange = nullptr;
}

void TiRadioGroup::DefaultHandler(TMessage& Message) {
  TiCustomComponent::DefaultHandler(Message);
  if (Message.Msg == WM_GETDLGCODE) Message.Result |= DLGC_WANTALLKEYS;
  if (Message.Msg == CM_WANTSPECIALKEY)
    Message.Result = Message.WParam >= VK_LEFT && Message.WParam <= VK_DOWN ? 1 : 0;
}

void TiRadioGroup::ListChanged() {
  FItemIndex = std::clamp(FItemIndex, -1, FItems->GetCount() - 1);
  InvalidateChange();
}

void TiRadioGroup::SetCaption(const std::string& Value) {
  if (Value == FCaption) return;
  FCaption = Value;
  InvalidateChange();
}

void TiRadioGroup::SetItems(TStrings* Value) {
  FItems->Assign(Value);
}

void TiRadioGroup::SetFont(const TFont* Value) {
  FFont->Assign(Value);
}

void TiRadioGroup::SetItemIndex(int Value) {
  Value = std::clamp(Value, -1, FItems->GetCount() - 1);
  if (Value == FItemIndex) return;
  FItemIndex = Value;
  FMouseDownIndex = Value;
  InvalidateChange();
  DoChange();
}

void TiRadioGroup::SetColumns(int Value) {
  if (Value <= 0 || Value == FColumns) return;
  FColumns = Value;
  InvalidateChange();
}

void TiRadioGroup::DoChange() {
  if (IsLoading()) return;
  DoChangeProtected("ItemIndex");
  if (OnChange) OnChange(this);
  if (FUserGenerated && OnChangeUser) OnChangeUser(this);
}

void TiRadioGroup::ComputeLayout() {
  TCanvas measure;
  measure.Font->Assign(FFont.get());
  const int hA = measure.TextHeight("ABC");
  const int n = FItems->GetCount();
  FItemsColStart = 14;
  if (n == 0) {
    FMaxRows = 0;
    FItemsRowSpacing = 0;
    FItemsColSpacing = 0;
    return;
  }
  FMaxRows = n / FColumns + (n % FColumns ? 1 : 0);
  FItemsRowSpacing = (GetHeight() - hA - hA / 4) / FMaxRows;
  FItemsRowStart = iRound(hA + FItemsRowSpacing / 2);
  FItemsColSpacing = (GetWidth() - 14) / FColumns;
}

TPoint TiRadioGroup::ItemCenter(int Index) const {
  if (FMaxRows <= 0) return TPoint();
  const int row = Index % FMaxRows;
  const int col = Index / FMaxRows;
  return TPoint(14 + iRound(col * FItemsColSpacing), FItemsRowStart + iRound(row * FItemsRowSpacing));
}

int TiRadioGroup::ItemAtPoint(int X, int Y) const {
  // A group with no items, or too small for them, has no place to hit.
  if (FItemsRowSpacing <= 0 || FItemsColSpacing <= 0 || FMaxRows <= 0) return -1;
  const int row = iRound((Y - FItemsRowStart) / FItemsRowSpacing);
  if (FColumns == 1) return row;
  const int col = static_cast<int>(std::trunc((X - FItemsColStart + 6) / FItemsColSpacing));
  return col * FMaxRows + row;
}

void TiRadioGroup::DrawButton(TCanvas* Canvas, int cx, int cy, bool Pressed) {
  const TColor fill = Pressed ? clBtnFace : clWhite;
  Canvas->Brush->SetStyle(bsSolid);
  Canvas->Brush->SetColor(fill);
  Canvas->Pen->SetColor(fill);
  Canvas->Rectangle(cx - 3, cy - 4, cx + 5, cy + 4);
  // The sunken edge: two rings, upper-left dark, lower-right light.
  struct Ring {
    int grow;
    TColor upperLeft;
    TColor lowerRight;
  };
  for (const Ring& ring : {Ring{6, clBtnShadow, clBtnFace}, Ring{5, cl3DDkShadow, clBtnHighlight}}) {
    const int l = cx + 1 - ring.grow, t = cy - ring.grow, r = cx + 1 + ring.grow, b = cy + ring.grow;
    Canvas->Pen->SetColor(ring.upperLeft);
    Canvas->Arc(l, t, r, b, r, t, l, b);
    Canvas->Pen->SetColor(ring.lowerRight);
    Canvas->Arc(l, t, r, b, l, b, r, t);
  }
}

void TiRadioGroup::iPaintToCanvas(TCanvas* Canvas) {
  ComputeLayout();
  DrawBackGround(Canvas, GetBackGroundColor());
  Canvas->Font->Assign(FFont.get());
  const int hA = Canvas->TextHeight("ABC");
  const int hh = hA / 2;
  const int w = GetWidth();
  const int h = GetHeight();

  Canvas->Pen->SetStyle(psSolid);
  Canvas->Pen->SetWidth(1);
  Canvas->Pen->SetColor(clBtnHighlight);
  Canvas->Polyline({TPoint(1, hh + 1), TPoint(w - 2, hh + 1)});
  Canvas->Polyline({TPoint(1, hh + 1), TPoint(1, h - 1)});
  Canvas->Pen->SetColor(clBtnShadow);
  Canvas->Polyline({TPoint(0, hh), TPoint(w - 2, hh), TPoint(w - 2, h - 2), TPoint(0, h - 2), TPoint(0, hh)});
  Canvas->Pen->SetColor(clBtnHighlight);
  Canvas->Polyline({TPoint(w - 1, hh + 1), TPoint(w - 1, h - 1)});
  Canvas->Polyline({TPoint(w - 1, h - 1), TPoint(0, h - 1)});

  const int wA = Canvas->TextWidth("A");
  const TSize cs = Canvas->TextExtent(FCaption);
  TRect captionRect = Rect(wA, 0, wA + cs.cx, cs.cy);
  Canvas->Brush->SetStyle(bsSolid);
  Canvas->Brush->SetColor(clWindow);
  Canvas->FillRect(captionRect);
  DrawTextWithFlags(Canvas, FCaption, captionRect, clWindow, GetEnabled(),
                    iTextFlagLeft | iTextFlagVCenter | iTextFlagSingleLine);

  const int n = FItems->GetCount();
  const bool pressedLook = FMouseDown || FKeyDown;
  for (int i = 0; i < n && FMaxRows > 0; ++i) {
    const TPoint c = ItemCenter(i);
    DrawButton(Canvas, c.X, c.Y, pressedLook && FMouseDownIndex == i);
    Canvas->Font->Assign(FFont.get());
    const std::string text = FItems->Get(i);
    const TSize ts = Canvas->TextExtent(text);
    TRect textRect = Rect(c.X + 12, c.Y - ts.cy / 2, c.X + 12 + ts.cx, c.Y + ts.cy / 2);
    Canvas->Brush->SetStyle(bsClear);
    DrawTextWithFlags(Canvas, text, textRect, GetBackGroundColor(), GetEnabled(),
                      iTextFlagLeft | iTextFlagVCenter | iTextFlagSingleLine | iTextFlagNoClip);
    if (i == FItemIndex) {
      Canvas->Brush->SetStyle(bsSolid);
      Canvas->Brush->SetColor(clBlack);
      Canvas->Pen->SetColor(clBlack);
      Canvas->Ellipse(c.X - 1, c.Y - 2, c.X + 3, c.Y + 2);
    }
    const int focusIndex = FMouseDown ? FMouseDownIndex : FItemIndex;
    if (GetHasFocus() && i == focusIndex) {
      Canvas->Font->SetColor(clWhite);
      Canvas->Brush->SetColor(clBlack);
      DrawFocusRectangle(Canvas,
                         Rect(textRect.Left - 1, textRect.Top - 1, textRect.Right + 1, textRect.Bottom + 3));
    }
  }
}

void TiRadioGroup::iMouseDown(TMouseButton Button, TShiftState, int X, int Y) {
  if (Button != mbLeft) return;
  FocusComponentWindow(this);
  FMouseDown = true;
  FMouseDownIndex = ItemAtPoint(X, Y);
  InvalidateChange();
}

void TiRadioGroup::iMouseMove(TShiftState, int X, int Y) {
  if (!FMouseDown) return;
  FMouseDownIndex = ItemAtPoint(X, Y);
  InvalidateChange();
}

void TiRadioGroup::iMouseUp(TMouseButton, TShiftState, int X, int Y) {
  if (!FMouseDown) return;
  InvalidateChange();
  FMouseDown = false;
  const bool old = FUserGenerated;
  FUserGenerated = true;
  auto restore = sys::ScopeExit([this, old] { FUserGenerated = old; });
  if (FMouseDownIndex >= 0 && FMouseDownIndex < FItems->GetCount() && ItemAtPoint(X, Y) == FMouseDownIndex)
    SetItemIndex(FMouseDownIndex);
}

void TiRadioGroup::iKeyDown(std::uint16_t& Key, TShiftState) {
  FKeyDown = true;
  const int n = FItems->GetCount();
  if (Key == VK_RIGHT || Key == VK_DOWN) {
    Key = 0;
    if (n > 0) SetItemIndex(FItemIndex >= n - 1 ? 0 : FItemIndex + 1);
  } else if (Key == VK_LEFT || Key == VK_UP) {
    Key = 0;
    if (FItemIndex == 0)
      SetItemIndex(n - 1);
    else if (FItemIndex > 0)
      SetItemIndex(FItemIndex - 1);
  }
  InvalidateChange();
}

void TiRadioGroup::iKeyUp(std::uint16_t&, TShiftState) {
  FKeyDown = false;
  InvalidateChange();
}

void TiRadioGroup::DoKillFocus() {
  FMouseDown = false;
  FKeyDown = false;
  InvalidateChange();
  TiCustomComponent::DoKillFocus();
}

void TiRadioGroup::DoSetFocus() {
  TiCustomComponent::DoSetFocus();
  InvalidateNow();
}
