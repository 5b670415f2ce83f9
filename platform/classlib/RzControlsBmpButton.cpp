// The bitmap button: Down and its groups, the user's click, the five faces
// and the button's own console face.

#include <QImage>

#include <algorithm>
#include <cstdlib>

#include "platform/classlib/RzControls.h"

namespace {

// The own face: a dark console key, one accent light.
constexpr TColor kKeyFace = RGB(0x2F, 0x35, 0x3E);
constexpr TColor kDefaultAccent = RGB(0x3C, 0xB4, 0x78);
constexpr TColor kLightText = RGB(0xE6, 0xE9, 0xED);
constexpr TColor kDarkText = RGB(0x14, 0x17, 0x1B);

int Clamp8(int v) {
  return std::clamp(v, 0, 255);
}

// Each channel moved by delta (lighter when positive).
TColor Shade(TColor c, int delta) {
  return RGB(Clamp8(GetRValue(c) + delta), Clamp8(GetGValue(c) + delta), Clamp8(GetBValue(c) + delta));
}

// pct percent of b over a.
TColor Mix(TColor a, TColor b, int pct) {
  auto m = [pct](int x, int y) { return x + (y - x) * pct / 100; };
  return RGB(m(GetRValue(a), GetRValue(b)), m(GetGValue(a), GetGValue(b)), m(GetBValue(a), GetBValue(b)));
}

int Luma(TColor c) {
  return (GetRValue(c) * 299 + GetGValue(c) * 587 + GetBValue(c) * 114) / 1000;
}

// A plain RGB value for drawing; clNone and clDefault give `fallback`.
TColor Resolve(TColor c, TColor fallback) {
  if (c == clNone || c == clDefault) return fallback;
  return ColorToRGB(c);
}

}  // namespace

// ---------------------------------------------------------------- faces

TRzBmpButtonFaces::TRzBmpButtonFaces()
    : FUp(std::make_unique<TBitmap>()),
      FDown(std::make_unique<TBitmap>()),
      FHot(std::make_unique<TBitmap>()),
      FStayDown(std::make_unique<TBitmap>()),
      FDisabled(std::make_unique<TBitmap>()) {
  for (TBitmap* face : {FUp.get(), FDown.get(), FHot.get(), FStayDown.get(), FDisabled.get()}) Watch(*face);
}

TRzBmpButtonFaces::~TRzBmpButtonFaces() {
  OnChange = nullptr;
  for (TBitmap* face : {FUp.get(), FDown.get(), FHot.get(), FStayDown.get(), FDisabled.get()}) {
    face->OnChange = nullptr;
    face->Canvas->OnChange = nullptr;
  }
}

void TRzBmpButtonFaces::Watch(TBitmap& Face) {
  Face.OnChange = [this](TGraphic*) { Changed(); };
  // Drawing on a face shows too.
  Face.Canvas->OnChange = [this](TCanvas*) { Changed(); };
}

void TRzBmpButtonFaces::Changed() {
  if (FCopying == 0 && OnChange) OnChange();
}

void TRzBmpButtonFaces::Copy(TBitmap& Face, const TBitmap* Value) {
  // A null picture clears the face.
  Face.Assign(static_cast<const TGraphic*>(Value));
}

void TRzBmpButtonFaces::Assign(TPersistent* Source) {
  auto* other = dynamic_cast<TRzBmpButtonFaces*>(Source);
  if (!other) {
    TPersistent::Assign(Source);
    return;
  }
  if (other == this) return;
  ++FCopying;
  try {
    SetUp(other->GetUp());
    SetDown(other->GetDown());
    SetHot(other->GetHot());
    SetStayDown(other->GetStayDown());
    SetDisabled(other->GetDisabled());
  } catch (...) {
    --FCopying;
    throw;
  }
  --FCopying;
  Changed();
}

// ---------------------------------------------------------------- TRzBmpButton

TRzBmpButton::TRzBmpButton(TComponent* AOwner)
    : TGraphicControl(AOwner), FBitmaps(std::make_unique<TRzBmpButtonFaces>()), FAccentColor(kDefaultAccent) {
  // Every press is a press: quick clicks on a toggle each toggle it.
  SetControlStyle(GetControlStyle() - TControlStyle{csDoubleClicks});
  SetBounds(0, 0, 75, 25);
  FBitmaps->OnChange = [this] { Invalidate(); };
}

TRzBmpButton::~TRzBmpButton() {
  FBitmaps->OnChange = nullptr;
}

void TRzBmpButton::SetDown(bool Value) {
  if (Value == FDown) return;
  if (!Value && FGroupIndex != 0 && !FAllowAllUp) return;
  FDown = Value;
  if (Value) ReleaseGroup();
  Invalidate();
}

void TRzBmpButton::SetGroupIndex(int Value) {
  if (Value == FGroupIndex) return;
  FGroupIndex = Value;
  if (FDown) ReleaseGroup();
}

void TRzBmpButton::SetParent(TWinControl* AParent) {
  TGraphicControl::SetParent(AParent);
  if (FDown) ReleaseGroup();
}

void TRzBmpButton::ReleaseGroup() {
  TWinControl* parent = GetParent();
  if (FGroupIndex == 0 || !parent) return;
  for (int i = 0; i < parent->GetControlCount(); ++i) {
    auto* b = dynamic_cast<TRzBmpButton*>(parent->GetControls(i));
    if (b && b != this && b->FGroupIndex == FGroupIndex && b->FDown) {
      b->FDown = false;
      b->Invalidate();
    }
  }
}

void TRzBmpButton::SetBitmaps(TRzBmpButtonFaces* Value) {
  if (Value) FBitmaps->Assign(Value);
}

void TRzBmpButton::SetAccentColor(TColor Value) {
  if (Value == FAccentColor) return;
  FAccentColor = Value;
  Invalidate();
}

// A disabled button gets no mouse input (its parent does); it may still
// hear the pointer come and go, which leaves its face alone.
void TRzBmpButton::Click() {
  if (FUserClick) {
    FUserClick = false;
    // The user's click on a grouped button: down, or up when the group
    // allows it (SetDown ignores the rest).
    if (FGroupIndex != 0) SetDown(!FDown);
  }
  TGraphicControl::Click();
}

void TRzBmpButton::Dispatch(TMessage& Message) {
  if (Message.Msg == CM_DIALOGKEY && Message.LParam == 0 && Message.WParam == VK_ESCAPE && FCancel &&
      GetEnabled() && GetVisible() && GetParent() && GetParent()->GetShowing()) {
    Message.Result = 1;
    CallGuarded(this, [this] { Click(); });
    return;
  }
  TGraphicControl::Dispatch(Message);
}

void TRzBmpButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft) {
    FPressed = true;
    FUserClick = true;
    FHot = true;
    Invalidate();
  }
  TGraphicControl::MouseDown(Button, Shift, X, Y);
}

void TRzBmpButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft) {
    FPressed = false;
    FUserClick = false;
    Invalidate();
  }
  TGraphicControl::MouseUp(Button, Shift, X, Y);
}

void TRzBmpButton::MouseEnter() {
  if (!GetEnabled()) return;
  FHot = true;
  Invalidate();
  TGraphicControl::MouseEnter();
}

void TRzBmpButton::MouseLeave() {
  const bool wasHot = FHot;
  FHot = false;
  Invalidate();
  if (GetEnabled() || wasHot) TGraphicControl::MouseLeave();
}

void TRzBmpButton::EnabledChanged() {
  if (!GetEnabled()) FPressed = FUserClick = FHot = false;
  TGraphicControl::EnabledChanged();
}

void TRzBmpButton::VisibleChanged() {
  if (!GetVisible()) FPressed = FUserClick = FHot = false;
  TGraphicControl::VisibleChanged();
}

// ---------------------------------------------------------------- painting

TBitmap* TRzBmpButton::FaceFor() const {
  const TRzBmpButtonFaces& f = *FBitmaps;
  auto first = [](std::initializer_list<TBitmap*> chain) -> TBitmap* {
    for (TBitmap* b : chain)
      if (!b->GetEmpty()) return b;
    return nullptr;
  };
  if (!GetEnabled()) return first({f.GetDisabled(), f.GetUp()});
  if (GetPressed()) return first({f.GetDown(), f.GetStayDown(), f.GetUp()});
  // A down button never shows its up picture: without a down picture it
  // draws its own face, so Down is always seen.
  if (FDown) return first({f.GetStayDown(), f.GetDown()});
  if (FHot) return first({f.GetHot(), f.GetUp()});
  return first({f.GetUp()});
}

void TRzBmpButton::Paint() {
  TCanvas* c = GetCanvas();
  if (QImage* image = c->GetImage()) image->fill(Qt::transparent);
  if (TBitmap* face = FaceFor()) {
    c->StretchDraw(GetClientRect(), face);
    DrawCaption(c, false);
  } else {
    DrawOwnFace(c);
    DrawCaption(c, true);
  }
}

namespace {

struct KeyColors {
  TColor fill;
  TColor edge;
};

}  // namespace

void TRzBmpButton::DrawOwnFace(TCanvas* Canvas) {
  const TRect r = GetClientRect();
  if (r.IsEmpty()) return;
  const TColor base = GetParentColor() ? kKeyFace : Resolve(GetColor(), kKeyFace);
  const TColor accent = Resolve(FAccentColor, kDefaultAccent);
  KeyColors k{base, Shade(base, 26)};
  if (!GetEnabled()) {
    k = {Shade(base, -8), Shade(base, 8)};
  } else if (FDown) {
    // Lit: the key glows in the accent, brighter at its edge.
    k = {Mix(base, accent, GetPressed() ? 24 : 32), Mix(accent, RGB(255, 255, 255), 25)};
  } else if (GetPressed()) {
    k = {Shade(base, -10), Mix(base, accent, 70)};
  } else if (FHot) {
    k = {Shade(base, 12), Shade(base, 44)};
  }
  Canvas->Brush->SetStyle(bsSolid);
  Canvas->Brush->SetColor(k.fill);
  Canvas->FillRect(r);
  Canvas->Brush->SetColor(k.edge);
  Canvas->FrameRect(r);
  if (FDown && GetEnabled() && r.Height() > 6) {
    // The light itself: a bright strip along the bottom edge.
    Canvas->Brush->SetColor(accent);
    Canvas->FillRect(Rect(r.Left + 1, r.Bottom - 3, r.Right - 1, r.Bottom - 1));
  }
  // Clipped corners round the key off without blurring its edge.
  if (QImage* image = Canvas->GetImage(); image && r.Width() > 4 && r.Height() > 4) {
    for (TPoint p : {TPoint(r.Left, r.Top), TPoint(r.Right - 1, r.Top), TPoint(r.Left, r.Bottom - 1),
                     TPoint(r.Right - 1, r.Bottom - 1)})
      image->setPixel(p.X, p.Y, 0);
  }
}

void TRzBmpButton::DrawCaption(TCanvas* Canvas, bool OwnFace) {
  const std::string& caption = GetCaption();
  if (caption.empty()) return;
  Canvas->Font->Assign(GetFont());
  TColor text = Resolve(GetFont()->GetColor(), kLightText);
  if (OwnFace) {
    const TRect r = GetClientRect();
    const TColor fill = Canvas->GetPixels(r.Left + r.Width() / 2, r.Top + 2);
    // A colour inherited from the parent was not chosen for this face: when
    // it would not read on the key, the caption takes one that does. A
    // colour set on the button itself is kept.
    if (GetParentFont() && fill != clNone && std::abs(Luma(text) - Luma(fill)) < 90)
      text = Luma(fill) < 128 ? kLightText : kDarkText;
    if (!GetEnabled() && fill != clNone) text = Mix(text, fill, 50);
  } else if (!GetEnabled()) {
    text = Mix(text, RGB(0x80, 0x80, 0x80), 60);
  }
  Canvas->Font->SetColor(text);
  Canvas->Brush->SetStyle(bsClear);
  TRect r = GetClientRect();
  if (OwnFace && GetPressed()) r = OffsetRect(r, 0, 1);
  Canvas->DrawText(caption, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}
