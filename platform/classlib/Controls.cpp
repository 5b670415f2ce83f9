#include "platform/classlib/Controls.h"

#include <QApplication>
#include <QCursor>
#include <QFont>
#include <QPalette>
#include <QWidget>

#include <algorithm>
#include <cctype>

#include "platform/classlib/ControlBridge.h"
#include "platform/classlib/CursorTable.h"
#include "platform/classlib/Forms.h"
#include "platform/classlib/GraphicsCanvasPrivate.h"
#include "platform/classlib/Menus.h"
#include "platform/classlib/WindowRegistry.h"

namespace {

// The control holding the mouse: the one pressed last until every button
// is up again, or one that asked for the capture.
TControl* gCaptureControl = nullptr;

std::string ShortHint(const std::string& hint) {
  auto bar = hint.find('|');
  return bar == std::string::npos ? hint : hint.substr(0, bar);
}

}  // namespace

TControl*& CaptureControl() {
  return gCaptureControl;
}

namespace {
// The capture was taken without the desktop's pointer.
bool gCaptureLocal = false;
TShiftState gInputShift;
}  // namespace

void SetInputShiftState(TShiftState Shift) {
  gInputShift = Shift;
}

TShiftState GetInputShiftState() {
  return gInputShift;
}

void PointerLeftControl(TControl* Control, bool ButtonsHeld) {
  if (Control == gCaptureControl && gCaptureLocal && !ButtonsHeld) Control->SetMouseCapture(false);
}

namespace {

// The capture passes from whoever holds it to `to` (null: nobody); the
// loser hears it.
void MoveCapture(TControl* to) {
  TControl* from = gCaptureControl;
  gCaptureControl = to;
  if (from != to) gCaptureLocal = false;
  if (!from || from == to) return;
  auto* win = dynamic_cast<TWinControl*>(to);
  const LPARAM taker = win ? reinterpret_cast<LPARAM>(win->GetHandle()) : 0;
  if (QWidget* w = from->WidgetIfCreated(); w && QWidget::mouseGrabber() == w) w->releaseMouse();
  from->Perform(WM_CAPTURECHANGED, 0, taker);
}

}  // namespace

void CaptureLostWithWindow(QWidget* window) {
  TControl* held = gCaptureControl;
  if (!held || !window) return;
  QWidget* w = held->WidgetIfCreated();
  if (w && (w == window || window->isAncestorOf(w))) MoveCapture(nullptr);
}

// ---------------------------------------------------------------- TControl

TControl::TControl(TComponent* AOwner)
    : TComponent(AOwner), FFont(std::make_unique<TFont>()), FAlive(std::make_shared<bool>(true)) {
  FControlStyle = TControlStyle{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  FFont->OnChange = [this](TGraphicsObject*) { FontObjectChanged(); };
}

TControl::~TControl() {
  Destroying();
  if (gCaptureControl == this) gCaptureControl = nullptr;
  ForgetControl(this);
  if (FParent) FParent->RemoveControl(this);
  DestroyWidget();
  *FAlive = false;
  FFont->OnChange = nullptr;
}

void TControl::BeforeDestruction() {
  TComponent::BeforeDestruction();
}

void TControl::DestroyWidget() {
  if (!FWidget) return;
  QWidget* w = FWidget;
  FWidget = nullptr;
  if (FBridge) FBridge->control = nullptr;
  FBridge = nullptr;
  if (BridgeDispatchDepth() > 0) {
    // A handler of one of our events freed the control: the toolkit is
    // still inside that event, so the widget goes when it has finished.
    w->hide();
    w->deleteLater();
  } else {
    delete w;
  }
}

QWidget* TControl::CreateWidget() {
  return new QWidget();
}

QWidget* TControl::GetWidget() {
  if (FWidget) return FWidget;
  QWidget* parentWidget = nullptr;
  if (FParent) {
    parentWidget = FParent->GetWidget();
    // Making the parent's widget makes the children's too.
    if (FWidget) return FWidget;
  }
  QWidget* w = CreateWidget();
  FWidget = w;
  // The font before the parent: else the widget takes the parent's font
  // first and its own after, and each change reaches every part of it (a
  // form holds hundreds of widgets).
  ApplyFont();
  if (parentWidget) w->setParent(parentWidget);
  FBridge = new ControlBridge(this);
  FBridge->setParent(w);
  w->installEventFilter(FBridge);
  InitWidget();
  return FWidget;
}

void TControl::InitWidget() {
  QWidget* w = FWidget;
  w->setMouseTracking(true);
  if (FSurface) ApplySurfaceAttributes();
  ApplyGeometry();
  w->setEnabled(FEnabled);
  ApplyColor();
  ApplyFont();
  ApplyHint();
  ApplyCursor();
  if (!w->isWindow()) w->setVisible(FVisible);
}

void TControl::ApplyGeometry() {
  if (!FWidget) return;
  const int top = FTop + (FParent ? FParent->FClientTop : 0);
  FWidget->setGeometry(FLeft, top, std::max(FWidth, 0), std::max(FHeight, 0));
}

void TControl::ApplyColor() {
  if (!FWidget) return;
  if (FSurface) {
    FWidget->update();
    return;
  }
  bool fill = FColor != clNone;
  FWidget->setAutoFillBackground(fill);
  if (fill) {
    QPalette pal = FWidget->palette();
    pal.setColor(QPalette::Window, ToQColor(FColor));
    FWidget->setPalette(pal);
  }
}

void TControl::ApplyFont() {
  if (!FWidget) return;
  const QFont font = MakeQFont(*FFont);
  // A colour change leaves the toolkit's font as it is.
  if (FWidget->testAttribute(Qt::WA_SetFont) && FWidget->font() == font) return;
  FWidget->setFont(font);
}

void TControl::ApplyHint() {
  if (FWidget)
    FWidget->setToolTip(EffectiveShowHint() ? QString::fromStdString(ShortHint(FHint)) : QString());
}

void TControl::ApplyCursor() {
  if (!FWidget) return;
  if (FCursor == crDefault)
    FWidget->unsetCursor();
  else
    FWidget->setCursor(ToolkitCursor(FCursor));
}

void TControl::SetParent(TWinControl* AParent) {
  if (AParent == FParent) return;
  for (TControl* p = AParent; p; p = p->FParent) {
    if (p == this) throw EInvalidOperation("A control cannot have itself or a child as its parent");
  }
  if (FParent) FParent->RemoveControl(this);
  if (AParent) AParent->InsertControl(this);
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  ChangeBounds(ALeft, ATop, AWidth, AHeight, false);
}

void TControl::ChangeBounds(int ALeft, int ATop, int AWidth, int AHeight, bool FromWidget) {
  // Explicit placement (not alignment or anchoring by the parent) is what
  // anchors measure from.
  if (!(FParent && FParent->FAligning)) {
    FAnchorOrigin = Bounds(ALeft, ATop, AWidth, AHeight);
    bool parentSized = FParent && (FParent->GetClientWidth() > 0 || FParent->GetClientHeight() > 0);
    FAnchorParentWidth = parentSized ? FParent->GetClientWidth() : -1;
    FAnchorParentHeight = parentSized ? FParent->GetClientHeight() : -1;
  }
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
  bool sized = AWidth != FWidth || AHeight != FHeight;
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
  if (FSurface && sized) ResizeSurface();
  if (!FromWidget) ApplyGeometry();
  if (FParent) FParent->ChildGeometryChanged(this);
  if (FParent && FAlign != alNone && !FParent->FAligning) FParent->Realign();
  if (sized) {
    if (auto* self = dynamic_cast<TWinControl*>(this)) {
      self->AnchorChildren();
      self->Realign();
    }
    Resize();
  }
}

void TControl::SetClientWidth(int Value) {
  SetWidth(FWidth - GetClientWidth() + Value);
}
void TControl::SetClientHeight(int Value) {
  SetHeight(FHeight - GetClientHeight() + Value);
}

TPoint TControl::ClientToScreen(TPoint P) const {
  if (FWidget) {
    QPoint g = FWidget->mapToGlobal(QPoint(P.X, P.Y + FClientTop));
    return {g.x(), g.y()};
  }
  TPoint r(P.X, P.Y + FClientTop);
  for (const TControl* c = this; c; c = c->FParent) {
    r.X += c->FLeft;
    r.Y += c->FTop + (c->FParent ? c->FParent->FClientTop : 0);
  }
  return r;
}

TPoint TControl::ScreenToClient(TPoint P) const {
  TPoint origin = ClientToScreen(TPoint(0, 0));
  return {P.X - origin.X, P.Y - origin.Y};
}

void TControl::SetAlign(TAlign Value) {
  if (Value == FAlign) return;
  FAlign = Value;
  if (FParent) FParent->Realign();
}

void TControl::SetVisible(bool Value) {
  if (Value == FVisible) return;
  FVisible = Value;
  // A hidden control gets no mouse input, the captured kind included.
  if (!Value && gCaptureControl == this) SetMouseCapture(false);
  if (FWidget && !FWidget->isWindow()) FWidget->setVisible(Value);
  VisibleChanged();
  if (FParent) FParent->ChildGeometryChanged(this);
  if (FParent && FAlign != alNone) FParent->Realign();
}

bool TControl::GetShowing() const {
  if (FWidget) return FWidget->isVisible();
  return false;
}

void TControl::SetEnabled(bool Value) {
  if (Value == FEnabled) return;
  FEnabled = Value;
  // A disabled control gets no mouse input, the captured kind included.
  if (!Value && gCaptureControl == this) SetMouseCapture(false);
  if (FWidget) FWidget->setEnabled(Value);
  EnabledChanged();
}

void TControl::SetColor(TColor Value) {
  if (Value == FColor) return;
  FColor = Value;
  FParentColor = false;
  ColorChanged();
  NotifyChildren(&TControl::ParentColorChanged);
}

void TControl::SetParentColor(bool Value) {
  if (Value == FParentColor) return;
  FParentColor = Value;
  if (Value) ParentColorChanged();
}

void TControl::ParentColorChanged() {
  if (!FParent) return;
  ParentBackgroundChanged();
  if (!FParentColor) return;
  if (FColor != FParent->FColor) {
    FColor = FParent->FColor;
    ColorChanged();
  }
  NotifyChildren(&TControl::ParentColorChanged);
}

void TControl::SetFont(const TFont* Value) {
  if (Value) FFont->Assign(Value);
}

void TControl::SetParentFont(bool Value) {
  if (Value == FParentFont) return;
  FParentFont = Value;
  if (Value) ParentFontChanged();
}

void TControl::ParentFontChanged() {
  if (!FParentFont || !FParent) return;
  FFontFromParent = true;
  FFont->Assign(FParent->GetFont());
  FFontFromParent = false;
}

void TControl::FontObjectChanged() {
  if (!FFontFromParent) FParentFont = false;
  FontChanged();
  NotifyChildren(&TControl::ParentFontChanged);
}

void TControl::NotifyChildren(void (TControl::*Change)()) {
  auto* self = dynamic_cast<TWinControl*>(this);
  if (!self) return;
  std::vector<TControl*> children = self->FControls;
  for (TControl* c : children) (c->*Change)();
}

void TControl::SetHint(const std::string& Value) {
  FHint = Value;
  ApplyHint();
}

void TControl::SetShowHint(bool Value) {
  FParentShowHint = false;
  FShowHint = Value;
  ApplyHint();
  NotifyChildren(&TControl::ParentShowHintChanged);
}

void TControl::SetParentShowHint(bool Value) {
  if (Value == FParentShowHint) return;
  FParentShowHint = Value;
  if (Value) ParentShowHintChanged();
}

void TControl::ParentShowHintChanged() {
  if (!FParentShowHint || !FParent) return;
  FShowHint = FParent->FShowHint;
  ApplyHint();
  NotifyChildren(&TControl::ParentShowHintChanged);
}

bool TControl::EffectiveShowHint() const {
  return FShowHint;
}

void TControl::SetCursor(TCursor Value) {
  if (Value == FCursor) return;
  FCursor = Value;
  ApplyCursor();
}

void TControl::SetCaption(const std::string& Value) {
  if (Value == FCaption) return;
  FCaption = Value;
  TextChanged();
}

void TControl::Invalidate() {
  if (FSurface) FSurface->needsPaint = true;
  if (FWidget) FWidget->update();
}

void TControl::Repaint() {
  if (FSurface) FSurface->needsPaint = true;
  if (FWidget && FWidget->isVisible()) FWidget->repaint();
}

void TControl::Update() {
  if (FWidget && FWidget->isVisible()) FWidget->repaint();
}

void TControl::PaintTo(TCanvas* Target, int X, int Y) {
  TCanvas* own = SurfaceCanvas();
  if (!own || !Target || !Target->HasSurface() || FPainting) return;
  const TPoint offset = Target->DeviceOffset();
  const TPoint at(offset.X + X, offset.Y + Y);
  TRegionObject clip{Target->ClipRegion().intersected(QRect(at.X, at.Y, FWidth, SurfaceHeight()))};
  const int level = own->SaveDC();
  own->SetImage(Target->GetImage());
  own->SetWindowOrg(TPoint());
  own->SetViewportOrg(at);
  own->SelectClipRgn(&clip);
  std::weak_ptr<bool> alive = FAlive;
  FPainting = true;
  struct Restore {
    TControl* self;
    TCanvas* canvas;
    int level;
    std::weak_ptr<bool> alive;
    ~Restore() {
      if (alive.expired()) return;
      self->FPainting = false;
      canvas->SetImage(&self->FSurface->image);
      canvas->RestoreDC(level);
    }
  } restore{this, own, level, alive};
  Paint();
  Target->NotifyChanged();
}

bool TControl::GetTransparentSurface() const {
  return FSurface && FSurface->transparent;
}

void TControl::SetTransparentSurface(bool Value) {
  if (!FSurface || FSurface->transparent == Value) return;
  FSurface->transparent = Value;
  FSurface->image = QImage();  // made again in the new format (when it was made)
  ResizeSurface();
  if (FWidget) ApplySurfaceAttributes();
  Invalidate();
}

void TControl::ApplySurfaceAttributes() {
  // A transparent surface lets the toolkit draw the parent beneath it.
  FWidget->setAttribute(Qt::WA_OpaquePaintEvent, !FSurface->transparent);
  FWidget->setAttribute(Qt::WA_NoSystemBackground, true);
}

void TControl::BringToFront() {
  if (FParent) {
    auto& list = FParent->FControls;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    list.push_back(this);
  }
  if (FWidget) FWidget->raise();
}

void TControl::SendToBack() {
  if (FParent) {
    auto& list = FParent->FControls;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    list.insert(list.begin(), this);
  }
  if (FWidget) FWidget->lower();
}

bool TControl::GetMouseCapture() const {
  return gCaptureControl == this;
}

void TControl::SetLocalMouseCapture() {
  MoveCapture(this);
  if (FWidget && QWidget::mouseGrabber() == FWidget) FWidget->releaseMouse();
  gCaptureLocal = true;
}

void TControl::SetMouseCapture(bool Value) {
  if (Value) {
    MoveCapture(this);
    gCaptureLocal = false;
    if (QWidget* w = GetWidget(); w->isVisible()) w->grabMouse();
  } else if (gCaptureControl == this) {
    if (FWidget && QWidget::mouseGrabber() == FWidget) FWidget->releaseMouse();
    MoveCapture(nullptr);
  }
}

void TControl::DefaultHandler(TMessage& Message) {
  if (Message.Msg == WM_CAPTURECHANGED) {
    MouseCaptureLost();
    return;
  }
  TComponent::DefaultHandler(Message);
}

LRESULT TControl::Perform(unsigned Msg, WPARAM WParam, LPARAM LParam) {
  TMessage m;
  m.Msg = Msg;
  m.WParam = WParam;
  m.LParam = LParam;
  Dispatch(m);
  return m.Result;
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) {
  if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TControl::MouseEnter() {
  if (OnMouseEnter) OnMouseEnter(this);
}

void TControl::MouseLeave() {
  if (OnMouseLeave) OnMouseLeave(this);
}

bool TControl::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
  bool handled = false;
  if (OnMouseWheel) OnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
  if (handled) return true;
  // Whole notches only; the rest waits for the next turn of the wheel.
  FWheelAccumulator += WheelDelta;
  while (std::abs(FWheelAccumulator) >= WHEEL_DELTA) {
    bool down = FWheelAccumulator < 0;
    FWheelAccumulator += down ? WHEEL_DELTA : -WHEEL_DELTA;
    handled = down ? DoMouseWheelDown(Shift, MousePos) : DoMouseWheelUp(Shift, MousePos);
  }
  return handled;
}

bool TControl::DoMouseWheelDown(TShiftState Shift, TPoint MousePos) {
  bool handled = false;
  if (OnMouseWheelDown) OnMouseWheelDown(this, Shift, MousePos, handled);
  return handled;
}

bool TControl::DoMouseWheelUp(TShiftState Shift, TPoint MousePos) {
  bool handled = false;
  if (OnMouseWheelUp) OnMouseWheelUp(this, Shift, MousePos, handled);
  return handled;
}

void TControl::Resize() {
  if (OnResize) OnResize(this);
}

void TControl::EnabledChanged() {
  Invalidate();
}
void TControl::VisibleChanged() {}
void TControl::ColorChanged() {
  // A backing image nobody has drawn on yet takes the new colour (a control
  // gets its parent's colour only when it is put on the parent).
  if (FSurface && !FSurface->drawn && !FSurface->transparent) {
    if (FColor == clNone)
      FSurface->image.fill(Qt::transparent);
    else
      FSurface->image.fill(ToQColor(FColor));
  }
  ApplyColor();
  Invalidate();
}
void TControl::FontChanged() {
  ApplyFont();
  Invalidate();
}
void TControl::TextChanged() {
  Invalidate();
}

void TControl::CreateCanvas(bool transparent) {
  if (FSurface) return;
  FSurface = std::make_unique<PaintSurface>();
  FSurface->transparent = transparent;
  FSurface->canvas = std::make_unique<TCanvas>();
  // Drawing outside a paint is already in the image: it only needs showing.
  FSurface->canvas->OnChange = [this](TCanvas*) {
    FSurface->drawn = true;
    if (FPainting) return;
    FSurface->drawnOutsidePaint = true;
    if (FWidget) FWidget->update();
  };
  FSurface->canvas->SetImage(&FSurface->image);
  FSurface->canvas->OnSurfaceNeeded = [this] { MakeSurface(); };
}

void TControl::MakeSurface() {
  if (FSurface->made) return;
  FSurface->made = true;
  ResizeSurface();
}

void TControl::ReleaseSurface() {
  PaintSurface& s = *FSurface;
  if (!s.made || (s.drawnOutsidePaint && !s.paintRedrawsAll) || s.layered || FPainting) return;
  s.image = QImage();
  s.made = false;
  s.drawn = false;
  s.needsPaint = true;
}

void TControl::SetPaintRedrawsAll(bool Value) {
  if (FSurface) FSurface->paintRedrawsAll = Value;
}

TCanvas* TControl::SurfaceCanvas() const {
  return FSurface ? FSurface->canvas.get() : nullptr;
}

int TControl::SurfaceHeight() const {
  return std::max(FHeight - FClientTop, 0);
}

void TControl::ResizeSurface() {
  PaintSurface& s = *FSurface;
  if (!s.made) {
    s.needsPaint = true;
    return;
  }
  int w = std::max(FWidth, 0);
  int h = SurfaceHeight();
  if (s.image.width() == w && s.image.height() == h && !s.image.isNull()) return;
  s.needsPaint = true;
  QImage next(std::max(w, 1), std::max(h, 1),
              s.transparent ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
  if (s.transparent || FColor == clNone)
    next.fill(Qt::transparent);
  else
    next.fill(ToQColor(FColor));
  // What was drawn stays where it was.
  if (!s.image.isNull()) {
    for (int y = 0; y < std::min(s.image.height(), next.height()); ++y) {
      const auto* src = reinterpret_cast<const QRgb*>(s.image.constScanLine(y));
      auto* dst = reinterpret_cast<QRgb*>(next.scanLine(y));
      std::copy(src, src + std::min(s.image.width(), next.width()), dst);
    }
  }
  s.image = std::move(next);
  s.canvas->SetImage(&s.image);
}

// ---------------------------------------------------------------- TWinControl

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {
  FHandle = AllocateWindowHandle(this, [this](TMessage& m) { Dispatch(m); });
}

TWinControl::~TWinControl() {
  Destroying();
  if (FHandle) DeallocateHWnd(FHandle);
  FHandle = nullptr;
  if (TCustomForm* form = GetParentForm(this); form && form != this && form->FActiveControl == this)
    form->FActiveControl = nullptr;
  // Children go before the window that holds their widgets, whoever owns them.
  while (!FControls.empty()) FControls.back()->Free();
}

void TWinControl::BeforeDestruction() {
  TControl::BeforeDestruction();
  if (FHandle) DeallocateHWnd(FHandle);
  FHandle = nullptr;
}

TControl* TWinControl::GetControls(int Index) const {
  if (Index < 0 || Index >= GetControlCount())
    throw EInvalidOperation("Control index out of bounds (" + std::to_string(Index) + ")");
  return FControls[static_cast<size_t>(Index)];
}

bool TWinControl::ContainsControl(TControl* Control) const {
  for (TControl* c = Control; c; c = c->FParent) {
    if (c == this) return true;
  }
  return false;
}

void TWinControl::InsertControl(TControl* AControl) {
  FControls.push_back(AControl);
  AControl->FParent = this;
  if (auto* w = dynamic_cast<TWinControl*>(AControl)) FTabList.push_back(w);
  // What the child takes from its parent first, so that a new widget is made
  // with it: setting a widget's font is dear (a form holds hundreds).
  AControl->ParentColorChanged();
  AControl->ParentFontChanged();
  AControl->ParentShowHintChanged();
  if (FWidget) {
    if (AControl->FWidget) {
      AControl->FWidget->setParent(FWidget);
      AControl->ApplyGeometry();
      AControl->FWidget->setVisible(AControl->FVisible);
    } else {
      AControl->GetWidget();
    }
    ApplyTabOrder();
  }
  ChildGeometryChanged(AControl);
  if (AControl->FAlign != alNone || AControl->FAnchors != TAnchors{akLeft, akTop}) Realign();
}

void TWinControl::RemoveControl(TControl* AControl) {
  FControls.erase(std::remove(FControls.begin(), FControls.end(), AControl), FControls.end());
  FTabList.erase(std::remove(FTabList.begin(), FTabList.end(), AControl), FTabList.end());
  AControl->FParent = nullptr;
  if (AControl->FWidget && !GetComponentState().Contains(csDestroying) &&
      !AControl->GetComponentState().Contains(csDestroying)) {
    AControl->FWidget->hide();
    AControl->FWidget->setParent(nullptr);
  }
  if (GetComponentState().Contains(csDestroying)) return;
  ChildGeometryChanged(AControl);
  if (AControl->FAlign != alNone) Realign();
}

void TWinControl::InitWidget() {
  TControl::InitWidget();
  ApplyFocusPolicy();
  std::vector<TControl*> children = FControls;
  for (TControl* c : children) c->GetWidget();
  ApplyTabOrder();
}

void TWinControl::ApplyFocusPolicy() {
  if (!FWidget) return;
  // TabStop decides the Tab key only. A control that paints itself takes the
  // focus from the program (or its own handlers); the toolkit's controls
  // take it on a click too, as the platform's own controls do.
  if (IsPlainWidget(FWidget))
    FWidget->setFocusPolicy(FTabStop ? Qt::TabFocus : Qt::NoFocus);
  else
    FWidget->setFocusPolicy(FTabStop ? Qt::StrongFocus : Qt::ClickFocus);
}

void TWinControl::SetTabStop(bool Value) {
  if (Value == FTabStop) return;
  FTabStop = Value;
  ApplyFocusPolicy();
}

int TWinControl::GetTabOrder() const {
  if (!FParent) return -1;
  auto& list = FParent->FTabList;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int Value) {
  if (!FParent) return;
  auto& list = FParent->FTabList;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  size_t pos = Value < 0 ? list.size() : std::min(static_cast<size_t>(Value), list.size());
  list.insert(list.begin() + static_cast<std::ptrdiff_t>(pos), this);
  FParent->ApplyTabOrder();
}

void TWinControl::ApplyTabOrder() {
  QWidget* prev = nullptr;
  for (TWinControl* c : FTabList) {
    if (!c->FWidget) continue;
    if (prev) QWidget::setTabOrder(prev, c->FWidget);
    prev = c->FWidget;
  }
}

bool TWinControl::CanFocus() const {
  for (const TControl* c = this; c; c = c->FParent) {
    if (!c->FVisible || !c->FEnabled) return false;
  }
  return true;
}

bool TWinControl::Focused() const {
  return FWidget && FWidget->hasFocus();
}

void TWinControl::SetFocus() {
  if (!CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
  GetWidget()->setFocus(Qt::OtherFocusReason);
  // An inactive window only notes the focus for its next activation; the
  // form's own focus (with OnExit / OnEnter) moves now all the same.
  if (TCustomForm* form = GetParentForm(this)) form->SetFocusedControl(this);
}

void TWinControl::DefaultHandler(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETDLGCODE:
      Message.Result = 0;
      break;
    case CM_DIALOGKEY:
    case CM_DIALOGCHAR: {
      std::vector<TControl*> children = FControls;
      for (TControl* c : children) {
        if (std::find(FControls.begin(), FControls.end(), c) == FControls.end()) continue;
        // Accelerators of hidden or disabled controls (and of their children) do nothing.
        if (Message.Msg == CM_DIALOGCHAR && (!c->GetVisible() || !c->GetEnabled())) continue;
        c->Dispatch(Message);
        if (Message.Result != 0) return;
      }
      break;
    }
    default:
      TControl::DefaultHandler(Message);
  }
}

void TWinControl::EnableAlign() {
  if (FAlignDisabled > 0 && --FAlignDisabled == 0) Realign();
}

void TWinControl::Realign() {
  if (FAlignDisabled > 0 || FAligning) return;
  FAligning = true;
  try {
    TRect r = GetClientRect();
    AlignControls(nullptr, r);
  } catch (...) {
    FAligning = false;
    throw;
  }
  FAligning = false;
}

void TWinControl::AlignControls(TControl*, TRect& R) {
  auto take = [&](TAlign align) {
    std::vector<TControl*> list;
    for (TControl* c : FControls) {
      if (c->FAlign == align && c->FVisible) list.push_back(c);
    }
    auto byTop = [](TControl* a, TControl* b) { return a->FTop < b->FTop; };
    auto byBottom = [](TControl* a, TControl* b) { return a->FTop + a->FHeight > b->FTop + b->FHeight; };
    auto byLeft = [](TControl* a, TControl* b) { return a->FLeft < b->FLeft; };
    auto byRight = [](TControl* a, TControl* b) { return a->FLeft + a->FWidth > b->FLeft + b->FWidth; };
    switch (align) {
      case alTop:
        std::stable_sort(list.begin(), list.end(), byTop);
        break;
      case alBottom:
        std::stable_sort(list.begin(), list.end(), byBottom);
        break;
      case alLeft:
        std::stable_sort(list.begin(), list.end(), byLeft);
        break;
      case alRight:
        std::stable_sort(list.begin(), list.end(), byRight);
        break;
      default:
        break;
    }
    return list;
  };
  for (TControl* c : take(alTop)) {
    c->SetBounds(R.Left, R.Top, R.Width(), c->FHeight);
    R.Top += c->FHeight;
  }
  for (TControl* c : take(alBottom)) {
    c->SetBounds(R.Left, R.Bottom - c->FHeight, R.Width(), c->FHeight);
    R.Bottom -= c->FHeight;
  }
  for (TControl* c : take(alLeft)) {
    c->SetBounds(R.Left, R.Top, c->FWidth, R.Height());
    R.Left += c->FWidth;
  }
  for (TControl* c : take(alRight)) {
    c->SetBounds(R.Right - c->FWidth, R.Top, c->FWidth, R.Height());
    R.Right -= c->FWidth;
  }
  for (TControl* c : take(alClient)) c->SetBounds(R.Left, R.Top, R.Width(), R.Height());
}

void TWinControl::AnchorChildren() {
  int pw = GetClientWidth();
  int ph = GetClientHeight();
  bool saved = FAligning;
  FAligning = true;
  std::vector<TControl*> children = FControls;
  for (TControl* c : children) {
    if (c->FAlign != alNone) continue;
    // Placed before this window had a size: its first size is the base.
    if (c->FAnchorParentWidth < 0) {
      c->FAnchorParentWidth = pw;
      c->FAnchorParentHeight = ph;
      continue;
    }
    const TAnchors a = c->FAnchors;
    if (a == TAnchors{akLeft, akTop}) continue;
    const TRect& o = c->FAnchorOrigin;
    int dx = pw - c->FAnchorParentWidth;
    int dy = ph - c->FAnchorParentHeight;
    int left = o.Left, width = o.Width(), top = o.Top, height = o.Height();
    if (a.Contains(akRight)) {
      if (a.Contains(akLeft))
        width += dx;
      else
        left += dx;
    } else if (!a.Contains(akLeft)) {
      left += dx / 2;
    }
    if (a.Contains(akBottom)) {
      if (a.Contains(akTop))
        height += dy;
      else
        top += dy;
    } else if (!a.Contains(akTop)) {
      top += dy / 2;
    }
    c->SetBounds(left, top, width, height);
  }
  FAligning = saved;
}

void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}

void TWinControl::KeyDown(std::uint16_t& Key, TShiftState Shift) {
  if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(std::uint16_t& Key, TShiftState Shift) {
  if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(char32_t& Key) {
  if (OnKeyPress) OnKeyPress(this, Key);
}

// ---------------------------------------------------------------- custom-drawn

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner) {
  CreateCanvas(false);
}

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner) {
  CreateCanvas(true);
}

bool IsAccel(WPARAM Key, const std::string& Caption) {
  const char hotkey = GetHotkey(Caption);
  return hotkey != 0 && Key < 0x80 &&
         std::toupper(static_cast<int>(Key)) == static_cast<unsigned char>(hotkey);
}

bool PostMessage(TWinControl* Control, unsigned Msg, WPARAM WParam, LPARAM LParam) {
  return Control && PostMessage(Control->GetHandle(), Msg, WParam, LParam);
}
