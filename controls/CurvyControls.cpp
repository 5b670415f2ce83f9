#include "controls/CurvyControls.h"

#include "controls/GDIPFill.h"
#include "platform/classlib/ImgList.h"
#include "platform/classlib/Menus.h"
#include "platform/gdiplus/ClassLibBridge.h"

// ---------------------------------------------------------------- panel

TCurvyPanel::TCurvyPanel(TComponent* AOwner) : TCustomControl(AOwner) {
  TControlStyle style = GetControlStyle();
  style << csAcceptsControls;
  SetControlStyle(style);
  // The control's own colour stays none and its surface see-through: the
  // parent shows round the corners.
  TCustomControl::SetColor(clNone);
  SetTransparentSurface(true);
  SetBounds(GetLeft(), GetTop(), 200, 100);
}

void TCurvyPanel::SetRounding(int Value) {
  if (Value == FRounding) return;
  FRounding = Value;
  AdjustInnerBounds();
  Invalidate();
}

void TCurvyPanel::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  ColorChanged();
}

void TCurvyPanel::SetBorderColor(TColor Value) {
  if (Value == FBorderColor) return;
  FBorderColor = Value;
  Invalidate();
}

void TCurvyPanel::ColorChanged() {
  Invalidate();
}

void TCurvyPanel::Paint() {
  TCanvas* c = GetCanvas();
  auto g = Gdiplus::GraphicsFromCanvas(c);
  if (!g) return;
  TGDIPFill fill;
  fill.SetBorderColor(ColorToRGB(FBorderColor));
  fill.SetRounding(FRounding);
  fill.SetRoundingType(rtBoth);
  const TColor body = ColorToRGB(FColor);
  fill.SetColor(body);
  fill.SetColorTo(body);
  fill.SetColorMirror(body);
  fill.SetColorMirrorTo(body);
  g->SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  const int w = GetWidth(), h = GetHeight();
  fill.Fill(g.get(),
            TGPRectF(static_cast<float>(FIndentLeft), 0,
                     static_cast<float>(w - 1 - FIndentRight - FIndentLeft), static_cast<float>(h - 1)));
  if (FShadowColor != clNone) {
    TGPPen pen(Gdiplus::Color(OpaqueArgbFromColor(FShadowColor)), 1.0f);
    g->DrawLine(&pen, static_cast<float>(FRounding + FIndentLeft), 1.0f,
                static_cast<float>(w - FRounding - FIndentRight), 1.0f);
    g->DrawArc(&pen, static_cast<float>(w - FRounding - 3 - FIndentRight), 1.0f,
               static_cast<float>(FRounding), static_cast<float>(FRounding), -90.0f, 90.0f);
  }
}

// ---------------------------------------------------------------- image buttons

TCurvyControl::TCurvyControl(TCollection* Collection)
    : TCollectionItem(Collection),
      FPicture(std::make_unique<TAdvGDIPPicture>()),
      FPictureHover(std::make_unique<TAdvGDIPPicture>()),
      FPictureDown(std::make_unique<TAdvGDIPPicture>()) {
  for (TAdvGDIPPicture* p : {FPicture.get(), FPictureHover.get(), FPictureDown.get()})
    p->OnChange = [this](TGraphic*) { NotifyCollection(); };
}

void TCurvyControl::NotifyCollection() {
  if (TCollection* c = GetCollection()) {
    c->BeginUpdate();
    c->EndUpdate();
  }
}

void TCurvyControl::SetDropDown(bool Value) {
  FDropDown = Value;
  NotifyCollection();
}

void TCurvyControl::SetImageIndex(int Value) {
  FImageIndex = Value;
  NotifyCollection();
}

void TCurvyControl::SetPosition(TControlPosition Value) {
  FPosition = Value;
  NotifyCollection();
}

void TCurvyControl::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TCurvyControl*>(Source);
  if (!s) return TCollectionItem::Assign(Source);
  FHint = s->FHint;
  FImageIndex = s->FImageIndex;
  FImageIndexHover = s->FImageIndexHover;
  FImageIndexDown = s->FImageIndexDown;
  FPosition = s->FPosition;
  FDropDown = s->FDropDown;
}

TCurvyControls::TCurvyControls(TPersistent* AOwner)
    : TOwnedCollection(AOwner, CollectionItemClass<TCurvyControl>()) {}

TCurvyControls::~TCurvyControls() {
  OnChange = nullptr;
  Clear();
}

void TCurvyControls::Update(TCollectionItem* Item) {
  TOwnedCollection::Update(Item);
  if (OnChange) OnChange(nullptr);
}

TPoint TCurvyControls::GetControlSize(int Index) const {
  const TCurvyControl* item = GetItem(Index);
  TPoint size{FImageListImageWidth + 2, FImageListImageHeight};
  if (!item->GetPicture()->GetEmpty())
    size = {item->GetPicture()->GetWidth() + 2, item->GetPicture()->GetHeight()};
  if (item->GetDropDown()) size.X += 5;
  return size;
}

void TCurvyControls::UpdateSizes() {
  FLeftSize = FRightSize = FLeftControlSize = 0;
  FRightControlSize = 2;
  for (int i = 0; i < GetCount(); ++i) {
    const int w = GetControlSize(i).X;
    switch (GetItem(i)->GetPosition()) {
      case cpLeftInControl:
        FLeftControlSize += w;
        break;
      case cpRightInControl:
        FRightControlSize += w;
        break;
      case cpLeft:
        FLeftSize += w;
        break;
      case cpRight:
        FRightSize += w;
        break;
    }
  }
}

// ---------------------------------------------------------------- control panel

TCurvyControlPanel::TCurvyControlPanel(TComponent* AOwner)
    : TCurvyPanel(AOwner), FCurvyControls(std::make_unique<TCurvyControls>(this)) {
  FCurvyControls->OnChange = [this](TObject*) { UpdateControls(); };
}

TCurvyControlPanel::~TCurvyControlPanel() {
  FCurvyControls->OnChange = nullptr;
}

void TCurvyControlPanel::SetImages(TCustomImageList* Value) {
  if (FImages) FImages->RemoveFreeNotification(this);
  FImages = Value;
  if (FImages) FImages->FreeNotification(this);
  FCurvyControls->FImageListImageWidth = Value ? Value->GetWidth() : 0;
  FCurvyControls->FImageListImageHeight = Value ? Value->GetHeight() : 0;
  UpdateControls();
}

void TCurvyControlPanel::Notification(TComponent* AComponent, TOperation Operation) {
  TCurvyPanel::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FImages) SetImages(nullptr);
  if (GetComponentState().Contains(csDestroying)) return;
  for (int i = 0; i < FCurvyControls->GetCount(); ++i)
    if (FCurvyControls->GetItem(i)->GetPopupMenu() == AComponent)
      FCurvyControls->GetItem(i)->SetPopupMenu(nullptr);
}

void TCurvyControlPanel::UpdateControls() {
  FCurvyControls->UpdateSizes();
  FIndentLeft = FCurvyControls->FLeftSize;
  FIndentRight = FCurvyControls->FRightSize;
  AdjustInnerBounds();
  Invalidate();
}

int TCurvyControlPanel::LayoutControls(int X, bool Draw) {
  const TCurvyControls& cc = *FCurvyControls;
  int slot[4] = {cc.FLeftSize + GetRounding() / 2,
                 GetWidth() - cc.FRightSize - cc.FRightControlSize - GetRounding() / 2, 0,
                 GetWidth() - cc.FRightSize + 2};
  int hit = -1;
  for (int i = 0; i < cc.GetCount(); ++i) {
    const TPoint size = cc.GetControlSize(i);
    const int top = (GetHeight() - size.Y) / 2;
    int& x = slot[cc.GetItem(i)->GetPosition()];
    if (Draw) DrawControl(x, top, i);
    if (x < X && X < x + size.X) hit = i;
    x += size.X;
  }
  return hit;
}

int TCurvyControlPanel::ImageButtonAt(int X, int) {
  return LayoutControls(X, false);
}

void TCurvyControlPanel::DrawControl(int X, int Y, int Index) {
  TCurvyControl* item = FCurvyControls->GetItem(Index);
  const int state = item->GetState();
  int arrow = 0;
  TCanvas* c = GetCanvas();
  if (item->GetPicture()->GetEmpty()) {
    int index = item->GetImageIndex();
    if (state == 1 && item->GetImageIndexHover() >= 0) index = item->GetImageIndexHover();
    if (state == 2 && item->GetImageIndexDown() >= 0) index = item->GetImageIndexDown();
    if (FImages && index >= 0) FImages->Draw(c, X, Y, index, true);
    arrow = FImages ? FImages->GetWidth() : 0;
  } else {
    TAdvGDIPPicture* p = item->GetPicture();
    if (state == 1 && !item->GetPictureHover()->GetEmpty()) p = item->GetPictureHover();
    if (state == 2 && !item->GetPictureDown()->GetEmpty()) p = item->GetPictureDown();
    if (auto g = Gdiplus::GraphicsFromCanvas(c))
      p->GDIPDraw(g.get(), Bounds(X, Y, p->GetWidth(), p->GetHeight()));
    arrow = p->GetWidth();
  }
  if (item->GetDropDown()) {
    if (auto g = Gdiplus::GraphicsFromCanvas(c)) {
      g->SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
      const TGPPointF pts[3] = {TGPPointF(static_cast<float>(X + arrow), static_cast<float>(Y + 5)),
                                TGPPointF(static_cast<float>(X + arrow + 6), static_cast<float>(Y + 5)),
                                TGPPointF(static_cast<float>(X + arrow + 3), static_cast<float>(Y + 9))};
      TGPSolidBrush black(Gdiplus::Color(255, 0, 0, 0));
      g->FillPolygon(&black, pts, 3);
    }
  }
}

void TCurvyControlPanel::Paint() {
  TCurvyPanel::Paint();
  LayoutControls(0, true);
}

void TCurvyControlPanel::MouseMove(TShiftState Shift, int X, int Y) {
  TCurvyPanel::MouseMove(Shift, X, Y);
  const int hit = ImageButtonAt(X, Y);
  if (hit < 0) return;
  bool changed = false;
  for (int i = 0; i < FCurvyControls->GetCount(); ++i) {
    TCurvyControl* item = FCurvyControls->GetItem(i);
    if (i != hit && item->GetState() == 1) item->SetState(0), changed = true;
  }
  if (FCurvyControls->GetItem(hit)->GetState() == 0)
    FCurvyControls->GetItem(hit)->SetState(1), changed = true;
  if (changed) Invalidate();
}

void TCurvyControlPanel::MouseLeave() {
  TCurvyPanel::MouseLeave();
  bool changed = false;
  for (int i = 0; i < FCurvyControls->GetCount(); ++i)
    if (FCurvyControls->GetItem(i)->GetState() == 1) FCurvyControls->GetItem(i)->SetState(0), changed = true;
  if (changed) Invalidate();
}

void TCurvyControlPanel::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCurvyPanel::MouseDown(Button, Shift, X, Y);
  const int hit = ImageButtonAt(X, Y);
  if (hit < 0) return;
  TCurvyControl* item = FCurvyControls->GetItem(hit);
  item->SetState(2);
  Invalidate();
  if (item->GetDropDown() && item->GetPopupMenu()) {
    int x = 0;
    for (int i = 0; i < hit; ++i)
      if (FCurvyControls->GetItem(i)->GetPosition() == item->GetPosition())
        x += FCurvyControls->GetControlSize(i).X;
    const TPoint p = ClientToScreen(TPoint{x, GetHeight() - 3});
    item->GetPopupMenu()->Popup(p.X, p.Y);
  }
}

void TCurvyControlPanel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCurvyPanel::MouseUp(Button, Shift, X, Y);
  const int hit = ImageButtonAt(X, Y);
  if (hit < 0) return;
  DoControlClick(hit);
  FCurvyControls->GetItem(hit)->SetState(0);
  Invalidate();
}

void TCurvyControlPanel::DoControlClick(int Index) {
  if (OnControlClick) OnControlClick(this, Index);
}

// ---------------------------------------------------------------- value box

TCurvyEdit::TCurvyEdit(TComponent* AOwner) : TCurvyControlPanel(AOwner), FEdit(new TEmptyEdit(this)) {
  FEdit->SetBorderStyle(bsNone);
  FEdit->SetTabStop(false);
  FEdit->SetParent(this);
  FEdit->SetBounds(0, 5, 100, 18);
  WireEvents();
  SetBounds(GetLeft(), GetTop(), 100, 24);
  FEdit->SetColor(TCurvyPanel::GetColor());
  FEdit->SetFont(GetFont());
  AdjustInnerBounds();
}

TCurvyEdit::~TCurvyEdit() {
  // The edit goes first, and says nothing more to a box on its way out.
  if (!FEdit) return;
  FEdit->OnChange = nullptr;
  FEdit->OnExit = nullptr;
  FEdit->OnEnter = nullptr;
  FEdit->OnMouseLeave = nullptr;
  TEmptyEdit* edit = FEdit;
  FEdit = nullptr;
  edit->Free();
}

void TCurvyEdit::WireEvents() {
  // Every event of the inner edit reaches the box's handler with the box
  // as sender; the edit's key variables go by reference, so a handler that
  // clears a key stops the edit acting on it.
  TEmptyEdit* e = FEdit;
  e->OnChange = [this](TObject*) {
    if (OnChange) OnChange(this);
  };
  e->OnClick = [this](TObject*) {
    if (OnClick) OnClick(this);
  };
  e->OnDblClick = [this](TObject*) {
    if (OnDblClick) OnDblClick(this);
  };
  e->OnEnter = [this](TObject*) {
    if (OnEnter) OnEnter(this);
  };
  e->OnExit = [this](TObject*) {
    if (OnExit) OnExit(this);
  };
  e->OnKeyDown = [this](TObject*, std::uint16_t& Key, TShiftState Shift) {
    if (OnKeyDown) OnKeyDown(this, Key, Shift);
  };
  e->OnKeyPress = [this](TObject*, char32_t& Key) {
    if (OnKeyPress) OnKeyPress(this, Key);
  };
  e->OnKeyUp = [this](TObject*, std::uint16_t& Key, TShiftState Shift) {
    if (OnKeyUp) OnKeyUp(this, Key, Shift);
  };
  e->OnMouseDown = [this](TObject*, TMouseButton B, TShiftState S, int X, int Y) {
    if (OnMouseDown) OnMouseDown(this, B, S, X, Y);
  };
  e->OnMouseMove = [this](TObject*, TShiftState S, int X, int Y) {
    if (OnMouseMove) OnMouseMove(this, S, X, Y);
  };
  e->OnMouseUp = [this](TObject*, TMouseButton B, TShiftState S, int X, int Y) {
    if (OnMouseUp) OnMouseUp(this, B, S, X, Y);
  };
  e->OnMouseEnter = [this](TObject*) {
    if (OnMouseEnter) OnMouseEnter(this);
  };
  e->OnMouseLeave = [this](TObject*) {
    if (OnMouseLeave) OnMouseLeave(this);
  };
}

void TCurvyEdit::SetFocus() {
  FEdit->SetFocus();
}

void TCurvyEdit::SetBounds(int ALeft, int ATop, int AWidth, int) {
  TCurvyControlPanel::SetBounds(ALeft, ATop, AWidth, 24);
}

void TCurvyEdit::AdjustInnerBounds() {
  if (!FEdit) return;
  const TCurvyControls& cc = *GetControls();
  const int left = cc.FLeftSize + GetRounding() + cc.FLeftControlSize;
  const int width = GetWidth() - 2 * GetRounding() -
                    (cc.FRightSize + cc.FRightControlSize + cc.FLeftSize + cc.FLeftControlSize);
  FEdit->SetBounds(left, 5, width, 18);
}

void TCurvyEdit::Resize() {
  TCurvyControlPanel::Resize();
  AdjustInnerBounds();
}

void TCurvyEdit::ColorChanged() {
  TCurvyControlPanel::ColorChanged();
  // Also reached while the panel is built, before the edit exists.
  if (FEdit) FEdit->SetColor(TCurvyPanel::GetColor());
}

void TCurvyEdit::FontChanged() {
  TCurvyControlPanel::FontChanged();
  if (FEdit) FEdit->SetFont(GetFont());
}
