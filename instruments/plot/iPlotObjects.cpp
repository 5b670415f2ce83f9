#include "instruments/plot/iPlotObjects.h"

#include <cmath>

#include "instruments/base/iDrawing.h"
#include "instruments/base/iProperties.h"
#include "instruments/plot/iPlotDataHost.h"
#include "platform/classlib/ExtCtrls.h"
#include "platform/classlib/Keys.h"

namespace {

const TiRegisterProperties<TiPlotObject, TObject> kObjectProperties([](TiPropertyBuilder<TiPlotObject>& b) {
  b.Add("Name", &TiPlotObject::GetName, &TiPlotObject::SetName);
  b.Add("Visible", &TiPlotObject::GetVisible, &TiPlotObject::SetVisible, 1);
  b.Add("Enabled", &TiPlotObject::GetEnabled, &TiPlotObject::SetEnabled, 1);
  b.Add("Layer", &TiPlotObject::GetLayer, &TiPlotObject::SetLayer, 100);
  b.Add("PopupEnabled", &TiPlotObject::GetPopupEnabled, &TiPlotObject::SetPopupEnabled, 1);
  b.Add("CanFocus", &TiPlotObject::GetCanFocus, &TiPlotObject::SetCanFocus, 1);
});

const TiRegisterProperties<TiPlotManagerObject, TiPlotObject> kManagerObjectProperties(
    [](TiPropertyBuilder<TiPlotManagerObject>&) {});

const TiRegisterProperties<TiPlotLayoutObject, TiPlotManagerObject> kLayoutProperties(
    [](TiPropertyBuilder<TiPlotLayoutObject>& b) {
      b.Add("StopPercent", &TiPlotLayoutObject::GetStopPercent, &TiPlotLayoutObject::SetStopPercent);
      b.Add("StartPercent", &TiPlotLayoutObject::GetStartPercent, &TiPlotLayoutObject::SetStartPercent);
      b.Add("ZOrder", &TiPlotLayoutObject::GetZOrder, &TiPlotLayoutObject::SetZOrder);
      b.Add("Horizontal", &TiPlotLayoutObject::GetHorizontal, &TiPlotLayoutObject::SetHorizontal);
    });

std::string ZeroPadded(long long v, size_t width) {
  std::string s = std::to_string(v);
  if (s.size() < width) s.insert(0, width - s.size(), '0');
  return s;
}

void Fire(const TNotifyEvent& e, TObject* sender) {
  if (e) e(sender);
}

}  // namespace

void iCheckPlotWiring(TWinControl* AOwner, const TNotifyEvent& AOnChange, const TNotifyEvent& AOnInsert,
                      const TNotifyEvent& AOnRemove, const TNotifyEvent& AOnRename,
                      const char* OwnerMessage) {
  if (!AOwner) throw Exception(OwnerMessage);
  if (!AOnChange) throw Exception("OnChange event handler can not be null");
  if (!AOnInsert) throw Exception("OnInsert event handler can not be null");
  if (!AOnRemove) throw Exception("OnRemove event handler can not be null");
  if (!AOnRename) throw Exception("AOnRename event handler can not be null");
}

// ---------------------------------------------------------------- TiPlotObject

TiPlotObject::TiPlotObject(TWinControl* AOwner, TNotifyEvent AOnChange, TNotifyEvent AOnInsert,
                           TNotifyEvent AOnRemove, TNotifyEvent AOnRename)
    : OnChange(std::move(AOnChange)),
      OnRemove(std::move(AOnRemove)),
      OnInsert(std::move(AOnInsert)),
      OnRename(std::move(AOnRename)),
      FOwner(AOwner) {}

TiPlotObject::~TiPlotObject() {
  Fire(OnRemove, this);
  Fire(OnLayoutChange, this);
  Fire(OnChange, this);
}

IiPlotObjectHost* TiPlotObject::Host() const {
  return dynamic_cast<IiPlotObjectHost*>(FOwner);
}

void TiPlotObject::SetBooleanProperty(bool Value, bool& Field, TNotify Notify) {
  if (Field == Value) return;
  Field = Value;
  if (Notify) (this->*Notify)();
}

void TiPlotObject::SetIntegerProperty(int Value, int& Field, TNotify Notify) {
  if (Field == Value) return;
  Field = Value;
  if (Notify) (this->*Notify)();
}

void TiPlotObject::SetDoubleProperty(double Value, double& Field, TNotify Notify) {
  if (!(Field != Value)) return;
  Field = Value;
  if (Notify) (this->*Notify)();
}

void TiPlotObject::SetStringProperty(const std::string& Value, std::string& Field, TNotify Notify) {
  if (Field == Value) return;
  Field = Value;
  if (Notify) (this->*Notify)();
}

void TiPlotObject::SetName(const std::string& Value) {
  if (FName == Value) return;
  FNameOld = FName;
  FName = Value;
  DoRename();
}

void TiPlotObject::DoRename() {
  Fire(OnRename, this);
  DoChange();
}

void TiPlotObject::SetVisible(bool Value) {
  SetBooleanProperty(Value, FVisible, &TiPlotObject::DoChange);
}

void TiPlotObject::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  if (!Value) {
    FMouseDown = false;
    SetUserSelected(false);
  }
  DoChange();
}

void TiPlotObject::DoChange() {
  Fire(OnChange, this);
}

void TiPlotObject::DoLayoutChange() {
  Fire(OnLayoutChange, this);
  DoChange();
}

void TiPlotObject::NotificationRemove(TObject*) {}
void TiPlotObject::NotificationRename(TObject*) {}
void TiPlotObject::NotificationSetFocus(TObject*) {}
void TiPlotObject::Draw(TCanvas*, TColor) {}

void TiPlotObject::DoSetFocus() {
  Fire(OnSetFocus, this);
}

void TiPlotObject::InvalidateNow() {
  Fire(OnInvalidateNow, this);
}

void TiPlotObject::DoEdit() {
  Fire(OnEdit, this);
}

void TiPlotObject::DoInsert() {
  Fire(OnInsert, this);
}

void TiPlotObject::SetUserSelected(bool Value) {
  if (FUserSelected == Value) return;
  FUserSelected = Value;
  InvalidateNow();
  if (Value) {
    DoSetFocus();
    DoGotFocus();
  } else {
    DoLostFocus();
  }
}

void TiPlotObject::DoGotFocus() {
  if (auto* h = Host()) h->ObjectGotFocus(this);
}

void TiPlotObject::DoLostFocus() {
  if (auto* h = Host()) h->ObjectLostFocus(this);
}

TPoint TiPlotObject::MapMousePixels(int X, int Y) const {
  return FXYAxesReversed ? TPoint(Y, X) : TPoint(X, Y);
}

TiPlotMouseData TiPlotObject::MakeMouseData(int X, int Y, bool DblClickActive) const {
  TiPlotMouseData d;
  d.X = X;
  d.Y = Y;
  const TPoint axes = MapMousePixels(X, Y);
  d.XAxisPixels = axes.X;
  d.YAxisPixels = axes.Y;
  d.DblClickActive = DblClickActive;
  return d;
}

bool TiPlotObject::HitTest(int X, int Y) {
  return iMouseHitTest(MakeMouseData(X, Y, false));
}

bool TiPlotObject::iMouseHitTest(const TiPlotMouseData&) {
  return false;
}

void TiPlotObject::iMouseDown(TMouseButton Button, TShiftState Shift, int X, int Y, int, int, TPopupMenu*) {
  if (!FEnabled) return;
  TiPlotMouseData d = MakeMouseData(X, Y, false);
  FMouseDownPopup = false;
  if (Button == mbRight) {
    FMouseDownPopup = FPopupEnabled;
    FMouseDown = true;
    DoMouseRight(d);
  } else if (Button == mbLeft) {
    FMouseDown = true;
    DoMouseLeft(d);
  }
  if (iMouseHitTest(d))
    if (auto* h = Host()) h->ObjectMouseDown(this, Button, Shift, X, Y);
}

void TiPlotObject::iMouseMove(TiHintData& HintData, TShiftState Shift, int X, int Y, int, int,
                              bool DblClickActive) {
  TiPlotMouseData d = MakeMouseData(X, Y, DblClickActive);
  if (FMouseDown)
    DoMouseMove(d);
  else
    DoMouseHint(d, HintData);
  if (iMouseHitTest(d))
    if (auto* h = Host()) h->ObjectMouseMove(this, Shift, X, Y);
}

void TiPlotObject::iMouseUp(TMouseButton Button, TShiftState Shift, int X, int Y, int ScreenX, int ScreenY,
                            bool DblClickActive, TPopupMenu* PopupMenu) {
  TiPlotMouseData d = MakeMouseData(X, Y, DblClickActive);
  if (FMouseDownPopup && iMouseHitTest(d)) {
    bool cancel = false;
    if (auto* h = Host()) h->ObjectPopupMenu(this, cancel, ScreenX, ScreenY);
    if (!cancel && PopupMenu) {
      BuildPopupMenu(PopupMenu);
      PopupMenu->Popup(ScreenX, ScreenY);
    }
  }
  FMouseDownPopup = false;
  DoMouseUp(d);
  if (FMouseDown) {
    FMouseDown = false;
    if (auto* h = Host()) h->ObjectMouseUp(this, Button, Shift, X, Y);
  }
}

bool TiPlotObject::iMouseWheel(int WheelDelta, TShiftState Shift, TPoint MousePos) {
  const bool result = DoMouseWheel(WheelDelta, Shift, MousePos.X, MousePos.Y);
  if (auto* h = Host()) h->ObjectMouseWheel(this, WheelDelta, Shift, MousePos.X, MousePos.Y);
  return result;
}

void TiPlotObject::iKeyDown(std::uint16_t& Key, TShiftState Shift, TPopupMenu* PopupMenu) {
  const bool popupKey = (Key == VK_F1 + 9 && Shift.Contains(ssShift)) || Key == VK_APPS;
  if (!popupKey || !FPopupEnabled) return;
  bool cancel = false;
  if (auto* h = Host()) h->ObjectPopupMenu(this, cancel, 0, 0);
  if (cancel || !PopupMenu) return;
  BuildPopupMenu(PopupMenu);
  TPoint p;
  if (!GetKeyPopupPoint(p) || !FOwner) return;
  const TPoint screen = FOwner->ClientToScreen(p);
  PopupMenu->Popup(screen.X, screen.Y);
}

bool TiPlotObject::GetKeyPopupPoint(TPoint&) {
  return false;
}

TiPlotObject* TiPlotObject::GetMouseOverObject(int, int) {
  FMouseOverObject = this;
  return this;
}

TCursor TiPlotObject::GetMouseCursor(TPoint APoint) {
  if (!FMouseOverObject) FMouseOverObject = this;
  if (FMouseOverObject == this) return crDefault;
  return FMouseOverObject->GetMouseCursor(APoint);
}

void TiPlotObject::BuildPopupMenu(TPopupMenu* PopupMenu) {
  PopupMenu->GetItems()->Clear();
}

void TiPlotObject::AddEditMenuItem(TPopupMenu* PopupMenu) {
  if (!FUserCanEdit) return;
  auto* item = new TMenuItem(PopupMenu);
  item->SetCaption(TranslateText("Edit..."));
  item->SetVisible(true);
  item->OnClick = [this](TObject*) { DoEdit(); };
  PopupMenu->GetItems()->Add(item);
}

std::string TiPlotObject::TranslateText(const std::string& Text) {
  auto* h = Host();
  return h ? h->TranslateText(Text) : Text;
}

std::string TiPlotObject::GetLayerSortKey() const {
  return ZeroPadded(FLayer, 6);
}

void TiPlotObject::DoMouseHint(TiPlotMouseData&, TiHintData&) {}
void TiPlotObject::DoMouseLeft(TiPlotMouseData&) {}
void TiPlotObject::DoMouseRight(TiPlotMouseData&) {}
void TiPlotObject::DoMouseMove(TiPlotMouseData&) {}
void TiPlotObject::DoMouseUp(TiPlotMouseData&) {}
bool TiPlotObject::DoMouseWheel(int, TShiftState, int, int) {
  return false;
}

// ---------------------------------------------------------------- managed and layout objects

TiPlotManagerObject::TiPlotManagerObject(TWinControl* AOwner, TNotifyEvent AOnChange, TNotifyEvent AOnInsert,
                                         TNotifyEvent AOnRemove, TNotifyEvent AOnRename)
    : TiPlotObject(AOwner, AOnChange, AOnInsert, AOnRemove, AOnRename) {
  iCheckPlotWiring(AOwner, AOnChange, AOnInsert, AOnRemove, AOnRename, "Owner must be assigned");
}

TiPlotLayoutObject::TiPlotLayoutObject(TWinControl* AOwner, TNotifyEvent AOnChange, TNotifyEvent AOnInsert,
                                       TNotifyEvent AOnRemove, TNotifyEvent AOnRename)
    : TiPlotManagerObject(AOwner, std::move(AOnChange), std::move(AOnInsert), std::move(AOnRemove),
                          std::move(AOnRename)) {}

void TiPlotLayoutObject::SetStartPercent(double Value) {
  double x = std::isnan(Value) || Value < 0 ? 0 : Value > 100 ? 100 : Value;
  if (FStopPercent - x < 1) {
    FStopPercent = x + 1;
    if (FStopPercent > 100) {
      FStopPercent = 100;
      x = 99;
    }
  }
  SetDoubleProperty(x, FStartPercent, &TiPlotObject::DoChange);
}

void TiPlotLayoutObject::SetStopPercent(double Value) {
  double x = std::isnan(Value) || Value < 0 ? 0 : Value > 100 ? 100 : Value;
  if (x - FStartPercent < 1) {
    FStartPercent = x - 1;
    if (FStartPercent < 0) {
      FStartPercent = 0;
      x = 1;
    }
  }
  SetDoubleProperty(x, FStopPercent, &TiPlotObject::DoChange);
}

void TiPlotLayoutObject::SetStartStopPercent(double Start, double Stop) {
  FStartPercent = Start;
  FStopPercent = Stop;
  DoChange();
}

void TiPlotLayoutObject::SetDrawRect(const TRect& R) {
  FLeft = R.Left;
  FTop = R.Top;
  FRight = R.Right;
  FBottom = R.Bottom;
}

void TiPlotLayoutObject::SetLayoutRect(const TRect& R) {
  FLayoutLeft = R.Left;
  FLayoutTop = R.Top;
  FLayoutRight = R.Right;
  FLayoutBottom = R.Bottom;
}

bool TiPlotLayoutObject::iMouseHitTest(const TiPlotMouseData& MouseData) {
  return GetDrawRect().Contains(TPoint(MouseData.X, MouseData.Y));
}

void TiPlotLayoutObject::DoInsert() {
  TiPlotManagerObject::DoInsert();
  if (OnLayoutChange) OnLayoutChange(this);
}

bool TiPlotLayoutObject::GetKeyPopupPoint(TPoint& Point) {
  Point = TPoint((FLeft + FRight) / 2, (FTop + FBottom) / 2);
  return true;
}

std::string TiPlotLayoutObject::GetZOrderSortKey() const {
  return ZeroPadded(FZOrder, 3);
}

std::string TiPlotLayoutObject::GetStartPercentSortKey() const {
  return ZeroPadded(iRound(FStartPercent), 3);
}

// ---------------------------------------------------------------- TiPlotButton

TiPlotButton::TiPlotButton(TWinControl* AOwner, TNotifyEvent AOnChange, TNotifyEvent AOnInsert,
                           TNotifyEvent AOnRemove, TNotifyEvent AOnRename)
    : TiPlotObject(AOwner, std::move(AOnChange), std::move(AOnInsert), std::move(AOnRemove),
                   std::move(AOnRename)) {}

TiPlotButton::~TiPlotButton() {
  FreeTimer();
  // A button held while its container goes must not stay the plot's
  // pressed or hovered object.
  if (auto* host = dynamic_cast<IiPlotDataHost*>(GetOwner())) host->ForgetObject(this);
}

void TiPlotButton::SetDrawRect(const TRect& R) {
  FLeft = R.Left;
  FTop = R.Top;
  FRight = R.Right;
  FBottom = R.Bottom;
}

void TiPlotButton::SetDown(bool Value) {
  if (FDown == Value) return;
  FDown = Value;
  DoInvalidate();
  Fire(OnDownChange, this);
}

void TiPlotButton::DoInvalidate() {
  Fire(OnInvalidate, this);
}

void TiPlotButton::FreeTimer() {
  FTimer.reset();
}

void TiPlotButton::SetEnabled(bool Value) {
  if (!Value) FreeTimer();
  TiPlotObject::SetEnabled(Value);
}

void TiPlotButton::DoMouseLeft(TiPlotMouseData&) {
  if (FTimerEnabled) {
    if (!FTimer) FTimer = std::make_unique<TTimer>(nullptr);
    FTimer->SetInterval(500);
    FTimer->OnTimer = [this](TObject*) { TimerTick(); };
    FTimer->SetEnabled(true);
    FFirstTimerMessage = true;
  }
  DoInvalidate();
}

void TiPlotButton::TimerTick() {
  if (FFirstTimerMessage && FTimer) {
    FTimer->SetInterval(50);
    FFirstTimerMessage = false;
  }
  Fire(OnClick, this);
  DoInvalidate();
}

void TiPlotButton::DoMouseUp(TiPlotMouseData& MouseData) {
  if (!FMouseDown) return;
  FMouseDown = false;
  FreeTimer();
  DoInvalidate();
  if (!GetDrawRect().Contains(TPoint(MouseData.X, MouseData.Y))) return;
  if (FGroupIndex != 0) Fire(OnGroupClick, this);
  Fire(OnClick, this);
}

int TiPlotButton::GetTimerInterval() const {
  return FTimer ? static_cast<int>(FTimer->GetInterval()) : 0;
}

void TiPlotButton::DrawScrollFace(TCanvas* Canvas) {
  Canvas->Brush->SetStyle(bsSolid);
  Canvas->Brush->SetColor(clBtnFace);
  Canvas->FillRect(GetDrawRect());
  DrawBevel(Canvas, GetDrawRect(), GetMouseDown() ? iBevelLowered : iBevelRaised);
}

void TiPlotButton::DrawScrollArrow(TCanvas* Canvas, bool Up) {
  const TRect r = GetDrawRect();
  const int cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
  const TColor colour = GetEnabled() ? clBlack : 0x808080;
  Canvas->Pen->SetStyle(psSolid);
  Canvas->Pen->SetWidth(1);
  Canvas->Pen->SetColor(colour);
  Canvas->Brush->SetStyle(bsSolid);
  Canvas->Brush->SetColor(colour);
  const int tip = Up ? cy - 2 : cy + 2, base = Up ? cy + 2 : cy - 2;
  const TPoint triangle[] = {TPoint(cx - 4, base), TPoint(cx + 4, base), TPoint(cx, tip)};
  Canvas->Polygon(triangle, 3);
}

void iAssignOwnImage(std::unique_ptr<TBitmap>& Image, const TBitmap* Value) {
  if (!Value) {
    Image.reset();
    return;
  }
  if (!Image) Image = std::make_unique<TBitmap>();
  Image->Assign(Value);
}

TiPlotButton* iPlotButtonAt(std::initializer_list<TiPlotButton*> Buttons, int X, int Y) {
  for (TiPlotButton* b : Buttons)
    if (b->GetVisible() && b->GetDrawRect().Contains(TPoint(X, Y))) return b;
  return nullptr;
}
