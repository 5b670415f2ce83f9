#include "controls/VrControls.h"

TVrCustomControl::TVrCustomControl(TComponent* AOwner) : TCustomControl(AOwner) {}

void TVrCustomControl::EndUpdate() {
  if (FUpdateCount > 0) --FUpdateCount;
  UpdateControl();
}

void TVrCustomControl::UpdateControl() {
  if (IsLoading() || FUpdateCount > 0) return;
  Repaint();
}

bool TVrCustomControl::ClickOnAccelerator(TMessage& Message) {
  if (Message.Msg != CM_DIALOGCHAR || !GetEnabled() || !IsAccel(Message.WParam, GetCaption())) return false;
  Message.Result = 1;
  CallGuarded(this, [this] {
    if (OnClick) OnClick(this);
  });
  return true;
}

// The class library fires OnMouseEnter and OnMouseLeave itself; these are
// the hooks the buttons extend.
void TVrCustomControl::DoMouseEnter() {}
void TVrCustomControl::DoMouseLeave() {}

void TVrCustomControl::DoFontChanged() {
  if (OnFontChanged) OnFontChanged(this);
}

void TVrCustomControl::DoTextChanged() {
  if (OnTextChanged) OnTextChanged(this);
}

void TVrCustomControl::MouseEnter() {
  TCustomControl::MouseEnter();
  DoMouseEnter();
}

void TVrCustomControl::MouseLeave() {
  TCustomControl::MouseLeave();
  DoMouseLeave();
}

void TVrCustomControl::FontChanged() {
  TCustomControl::FontChanged();
  DoFontChanged();
}

void TVrCustomControl::TextChanged() {
  TCustomControl::TextChanged();
  DoTextChanged();
}

// ---------------------------------------------------------------- image control

TVrCustomImageControl::TVrCustomImageControl(TComponent* AOwner)
    : TVrCustomControl(AOwner), FBitmapImage(std::make_unique<TBitmap>()) {
  // The bitmap keeps alpha and the surface is see-through, so a button
  // whose Color is clNone shows its parent round what it draws.
  FBitmapImage->SetPixelFormat(pf32bit);
  SetTransparentSurface(true);
}

TVrCustomImageControl::~TVrCustomImageControl() = default;

TCanvas* TVrCustomImageControl::BitmapCanvas() const {
  return FBitmapImage->GetCanvas();
}

void TVrCustomImageControl::ClearBitmapCanvas() {
  FBitmapImage->SetSize(GetWidth(), GetHeight());
  TCanvas* c = FBitmapImage->GetCanvas();
  c->Brush->SetStyle(bsSolid);
  c->Brush->SetColor(GetColor());
  c->FillRect(Rect(0, 0, GetWidth(), GetHeight()));
}

void TVrCustomImageControl::Paint() {
  TCanvas* c = GetCanvas();
  if (!c) return;
  // Blended over the cleared surface (or a target of PaintTo): opaque
  // pixels cover, transparent ones leave what lies beneath.
  c->Draw(0, 0, FBitmapImage.get());
}

// ---------------------------------------------------------------- drawing routines

void DrawFrame3D(TCanvas* Canvas, TRect& R, TColor TopColor, TColor BottomColor, int Width) {
  Canvas->Pen->SetWidth(1);
  R.Right -= 1;
  R.Bottom -= 1;
  for (int i = 0; i < Width; ++i) {
    const TPoint top[] = {{R.Left, R.Bottom}, {R.Left, R.Top}, {R.Right, R.Top}};
    Canvas->Pen->SetColor(TopColor);
    Canvas->Polyline(top, 3);
    const TPoint bottom[] = {{R.Right, R.Top}, {R.Right, R.Bottom}, {R.Left - 1, R.Bottom}};
    Canvas->Pen->SetColor(BottomColor);
    Canvas->Polyline(bottom, 3);
    R = Rect(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1);
  }
  R.Right += 1;
  R.Bottom += 1;
}

void CalcImageTextLayout(TCanvas* Canvas, const TRect& Client, const std::string& Caption,
                         TVrImageTextLayout Layout, int Margin, int Spacing, TPoint ImageSize,
                         TPoint& ImagePos, TRect& TextBounds) {
  const TPoint clientSize{Client.Right - Client.Left, Client.Bottom - Client.Top};
  TPoint textSize{0, 0};
  if (!Caption.empty()) {
    TextBounds = Rect(0, 0, clientSize.X, 0);
    Canvas->DrawText(Caption, TextBounds, DT_CALCRECT | DT_SINGLELINE);
    textSize = {TextBounds.Right - TextBounds.Left, TextBounds.Bottom - TextBounds.Top};
  } else {
    TextBounds = Rect(0, 0, 0, 0);
  }
  const bool across = Layout == ImageLeft || Layout == ImageRight;
  TPoint textPos{0, 0};
  if (across) {
    ImagePos.Y = (clientSize.Y - ImageSize.Y + 1) / 2;
    textPos.Y = (clientSize.Y - textSize.Y + 1) / 2;
  } else {
    ImagePos.X = (clientSize.X - ImageSize.X + 1) / 2;
    textPos.X = (clientSize.X - textSize.X + 1) / 2;
  }
  if (textSize.X == 0 || ImageSize.X == 0) Spacing = 0;
  const int client = across ? clientSize.X : clientSize.Y;
  const int image = across ? ImageSize.X : ImageSize.Y;
  const int text = across ? textSize.X : textSize.Y;
  if (Margin == -1 && Spacing == -1) {
    Margin = (client - (image + text)) / 3;
    Spacing = Margin;
  } else if (Margin == -1) {
    Margin = (client - (image + Spacing + text) + 1) / 2;
  } else if (Spacing == -1) {
    Spacing = (client - (Margin + image) - text) / 2;
  }
  switch (Layout) {
    case ImageLeft:
      ImagePos.X = Margin;
      textPos.X = Margin + ImageSize.X + Spacing;
      break;
    case ImageRight:
      ImagePos.X = clientSize.X - Margin - ImageSize.X;
      textPos.X = ImagePos.X - Spacing - textSize.X;
      break;
    case ImageTop:
      ImagePos.Y = Margin;
      textPos.Y = Margin + ImageSize.Y + Spacing;
      break;
    case ImageBottom:
      ImagePos.Y = clientSize.Y - Margin - ImageSize.Y;
      textPos.Y = ImagePos.Y - Spacing - textSize.Y;
      break;
  }
  ImagePos.X += Client.Left;
  ImagePos.Y += Client.Top;
  const int dx = Client.Left + textPos.X, dy = Client.Top + textPos.Y;
  TextBounds = Rect(TextBounds.Left + dx, TextBounds.Top + dy, TextBounds.Right + dx, TextBounds.Bottom + dy);
}

void DrawButtonCaption(TCanvas* Canvas, const std::string& Caption, const TRect& R, bool Enabled) {
  Canvas->Brush->SetStyle(bsClear);
  TRect r = R;
  if (Enabled) {
    Canvas->DrawText(Caption, r, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
  } else {
    TRect shifted = Rect(R.Left + 1, R.Top + 1, R.Right + 1, R.Bottom + 1);
    Canvas->Font->SetColor(clBtnHighlight);
    Canvas->DrawText(Caption, shifted, 0);
    Canvas->Font->SetColor(clBtnShadow);
    Canvas->DrawText(Caption, r, 0);
  }
}

void TileBitmap(TCanvas* Canvas, const TRect& R, TBitmap* Bitmap) {
  const int w = Bitmap->GetWidth(), h = Bitmap->GetHeight();
  if (w <= 0 || h <= 0) return;
  for (int x = R.Left; x < R.Right; x += w)
    for (int y = R.Top; y < R.Bottom; y += h) Canvas->Draw(x, y, Bitmap);
}
