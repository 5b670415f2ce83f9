#include "instruments/editors/iEditorControls.h"

#include <algorithm>
#include <charconv>
#include <climits>

#include "instruments/base/iDrawing.h"
#include "platform/classlib/Keys.h"
#include "platform/classlib/Messages.h"
#include "platform/sys/DateTime.h"
#include "platform/sys/SysUtils.h"

namespace {

std::string Trimmed(const std::string& s) {
  const size_t first = s.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return std::string();
  const size_t last = s.find_last_not_of(" \t\r\n");
  return s.substr(first, last - first + 1);
}

}  // namespace

void TellEditorForm(TComponent* Control) {
  if (auto* form = dynamic_cast<TiCustomEditorForm*>(Control ? Control->GetOwner() : nullptr))
    form->UserChange();
}

bool EditorTabKey(TComponent* Control, char32_t& Key) {
  if (Key != 9) return false;
  Key = 0;
  if (auto* form = dynamic_cast<TCustomForm*>(Control->GetOwner()))
    form->SelectNext(form->GetActiveControl(), !IsShiftKeyDown(), true);
  return true;
}

TiEventBlock::TiEventBlock(bool& Blocking, std::initializer_list<TNotifyEvent*> Events)
    : FBlocking(Blocking), FOld(Blocking) {
  for (TNotifyEvent* e : Events) {
    FSaved.emplace_back(e, std::move(*e));
    *e = nullptr;
  }
  FBlocking = true;
}

TiEventBlock::~TiEventBlock() {
  FBlocking = FOld;
  for (auto& [event, saved] : FSaved) *event = std::move(saved);
}

// ---------------------------------------------------------------- TiComponentEditorEdit

TiComponentEditorEdit::TiComponentEditorEdit(TComponent* AOwner) : TCustomEdit(AOwner) {
  SetHeight(21);
  SetColor(clWindow);
}

void TiComponentEditorEdit::BlockedText(const std::string& Text) {
  TiEventBlock block(FBlockingEvents, {&OnChange});
  SetText(Text);
  FOriginalText = Text;
}

void TiComponentEditorEdit::SetAsString(const std::string& Value) {
  BlockedText(Value);
}

int TiComponentEditorEdit::GetAsInteger() const {
  // Decimal digits only (an optional sign first), as it is written.
  const std::string t = Trimmed(GetText());
  const size_t digits = !t.empty() && (t[0] == '+' || t[0] == '-') ? 1 : 0;
  if (digits == t.size()) return 0;
  for (size_t i = digits; i < t.size(); ++i)
    if (t[i] < '0' || t[i] > '9') return 0;
  const char* first = t.data() + (t[0] == '+' ? 1 : 0);
  int value = 0;
  const auto [end, ec] = std::from_chars(first, t.data() + t.size(), value, 10);
  if (ec != std::errc() || end != t.data() + t.size()) return 0;
  return value;
}

void TiComponentEditorEdit::SetAsInteger(int Value) {
  BlockedText(std::to_string(Value));
}

double TiComponentEditorEdit::GetAsFloat() const {
  double value = 0;
  if (!TryStrToFloat(Trimmed(GetText()), value)) return 0;
  return value;
}

void TiComponentEditorEdit::SetAsFloat(double Value) {
  BlockedText(FloatToStr(Value));
}

double TiComponentEditorEdit::GetAsDateTime() const {
  return StrToDateTime(Trimmed(GetText()));
}

void TiComponentEditorEdit::SetAsDateTime(double Value) {
  BlockedText(DateTimeToStr(Value));
}

void TiComponentEditorEdit::SetStringWithEvent(const std::string& Value) {
  SetText(Value);
  TellEditorForm(this);
  CheckForUpdate();
}

void TiComponentEditorEdit::SetIntegerWithEvent(int Value) {
  SetStringWithEvent(std::to_string(Value));
}

void TiComponentEditorEdit::SetDoubleWithEvent(double Value) {
  SetStringWithEvent(FloatToStr(Value));
}

void TiComponentEditorEdit::CheckForUpdate() {
  if (GetText() == FOriginalText) return;
  FOriginalText = GetText();
  if (OnUpdate) OnUpdate(this);
  if (!FBlockingEvents) TellEditorForm(this);
}

void TiComponentEditorEdit::SetEnabled(bool Value) {
  TCustomEdit::SetEnabled(Value);
  SetColor(Value ? clWindow : clBtnFace);
}

void TiComponentEditorEdit::Disable() {
  TiEventBlock block(FBlockingEvents, {&OnChange});
  SetEnabled(false);
  SetText("");
  FOriginalText.clear();
}

void TiComponentEditorEdit::DisableNoClear() {
  TiEventBlock block(FBlockingEvents, {&OnChange});
  SetEnabled(false);
}

void TiComponentEditorEdit::Enable() {
  SetEnabled(true);
}

void TiComponentEditorEdit::DefaultHandler(TMessage& Message) {
  if (Message.Msg == CM_WANTSPECIALKEY) {
    Message.Result = Message.WParam == VK_LEFT || Message.WParam == VK_RIGHT ? 1 : 0;
    return;
  }
  TCustomEdit::DefaultHandler(Message);
  if (Message.Msg == WM_GETDLGCODE) Message.Result += DLGC_WANTTAB + DLGC_WANTARROWS;
}

void TiComponentEditorEdit::KeyDown(std::uint16_t& Key, TShiftState Shift) {
  TCustomEdit::KeyDown(Key, Shift);
  if (Key != VK_RETURN) return;
  CheckForUpdate();
  Key = 0;
  SelectAll();
}

void TiComponentEditorEdit::KeyPress(char32_t& Key) {
  if (Key == 10) Key = 0;
  if (Key == 13) {
    CheckForUpdate();
    Key = 0;
    SelectAll();
  }
  EditorTabKey(this, Key);
  if (Key == 27) {
    Key = 0;
    SetText(FOriginalText);
    SelectAll();
  }
  TCustomEdit::KeyPress(Key);
}

void TiComponentEditorEdit::DoExit() {
  TCustomEdit::DoExit();
  CheckForUpdate();
}

// ---------------------------------------------------------------- TiUpDown

TiUpDown::TiUpDown(TComponent* AOwner) : TGraphicControl(AOwner) {
  // Every press steps at once, however quickly it follows the last.
  SetControlStyle(GetControlStyle() - TControlStyle{csDoubleClicks});
  SetBounds(GetLeft(), GetTop(), 15, 21);
  FTimer = new TTimer(this);
  FTimer->SetEnabled(false);
  FTimer->OnTimer = [this](TObject*) { TimerTick(); };
}

TiUpDown::~TiUpDown() {
  if (FAssociate) FAssociate->RemoveFreeNotification(this);
}

void TiUpDown::Notification(TComponent* AComponent, TOperation Operation) {
  TGraphicControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FAssociate) FAssociate = nullptr;
}

void TiUpDown::SetAssociate(TiComponentEditorEdit* Value) {
  if (FAssociate && FAssociate != Value) FAssociate->RemoveFreeNotification(this);
  FAssociate = Value;
  if (!Value) return;
  Value->FreeNotification(this);
  SetBounds(Value->GetLeft() + Value->GetWidth(), Value->GetTop(), GetWidth(), Value->GetHeight());
}

int TiUpDown::GetAsInteger() const {
  return FAssociate ? FAssociate->GetAsInteger() : 0;
}

void TiUpDown::SetAsInteger(int Value) {
  if (!FAssociate) return;
  if (FMax != 0 || FMin != 0) {
    Value = std::min<int>(Value, FMax);
    Value = std::max<int>(Value, FMin);
  }
  if (FUserGenerated)
    FAssociate->SetIntegerWithEvent(Value);
  else
    FAssociate->SetAsInteger(Value);
}

void TiUpDown::Layout() {
  const int w = GetClientWidth();
  const int h = GetClientHeight();
  const int c = (h - 1) / 2;
  FUpButtonRect = Rect(0, 0, w, c);
  FDownButtonRect = Rect(0, h - c, w, h);
  const TPoint p(FMouseDownX, FMouseDownY);
  FUpButtonPressed = FMouseDown && FUpButtonRect.Contains(p);
  FDownButtonPressed = FMouseDown && FDownButtonRect.Contains(p);
}

void TiUpDown::Step() {
  // Within the 32-bit range: a step past its end stays at the end.
  const long long step = FUpButtonPressed ? FIncrement : -static_cast<long long>(FIncrement);
  const long long next = std::clamp<long long>(GetAsInteger() + step, INT_MIN, INT_MAX);
  const bool old = FUserGenerated;
  FUserGenerated = true;
  SetAsInteger(static_cast<int>(next));
  FUserGenerated = old;
}

void TiUpDown::TimerTick() {
  if (FFirstTimerMessage) {
    FTimer->SetInterval(50);
    FFirstTimerMessage = false;
  }
  Step();
}

void TiUpDown::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft) {
    FMouseDown = true;
    FMouseDownX = X;
    FMouseDownY = Y;
    Layout();
    FTimer->SetInterval(500);
    FTimer->SetEnabled(true);
    FFirstTimerMessage = true;
    Step();
    Invalidate();
  }
  TGraphicControl::MouseDown(Button, Shift, X, Y);
}

void TiUpDown::MouseMove(TShiftState Shift, int X, int Y) {
  if (FMouseDown) {
    FMouseDownX = X;
    FMouseDownY = Y;
    Layout();
    Invalidate();
  }
  TGraphicControl::MouseMove(Shift, X, Y);
}

void TiUpDown::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft) {
    FMouseDown = false;
    FTimer->SetEnabled(false);
    Layout();
    Invalidate();
  }
  TGraphicControl::MouseUp(Button, Shift, X, Y);
}

void TiUpDown::Disable() {
  SetEnabled(false);
  if (FAssociate) FAssociate->Disable();
  Invalidate();
}

void TiUpDown::Enable() {
  SetEnabled(true);
  if (FAssociate) FAssociate->Enable();
  Invalidate();
}

void TiUpDown::Paint() {
  Layout();
  TCanvas* c = GetCanvas();
  const TColor ink = GetEnabled() ? clBlack : static_cast<TColor>(0x808080);
  const int s = std::min(GetClientHeight() / 2, GetClientWidth()) / 7;
  struct Button {
    TRect r;
    bool pressed;
    bool up;
  };
  for (const Button& b :
       {Button{FUpButtonRect, FUpButtonPressed, true}, Button{FDownButtonRect, FDownButtonPressed, false}}) {
    c->Brush->SetStyle(bsSolid);
    c->Brush->SetColor(clBtnFace);
    c->FillRect(b.r);
    DrawBevel(c, b.r, b.pressed ? iBevelLowered : iBevelRaised);
    const int cx = (b.r.Left + b.r.Right) / 2;
    const int cy = (b.r.Top + b.r.Bottom) / 2;
    c->Pen->SetStyle(psSolid);
    c->Pen->SetColor(ink);
    c->Brush->SetColor(ink);
    if (b.up)
      c->Polygon({TPoint(cx - 2 * s, cy + s), TPoint(cx, cy - s), TPoint(cx + 2 * s, cy + s)});
    else
      c->Polygon({TPoint(cx - 2 * s, cy - s), TPoint(cx + 2 * s, cy - s), TPoint(cx, cy + s)});
  }
}

// ---------------------------------------------------------------- page control, button

void TiComponentEditorPageControl::DefaultHandler(TMessage& Message) {
  TiEditorTabKeys<TPageControl>::DefaultHandler(Message);
  if (Message.Msg == WM_GETDLGCODE) Message.Result += DLGC_WANTALLKEYS + DLGC_WANTTAB;
}

void TiComponentEditorButton::KeyPress(char32_t& Key) {
  EditorTabKey(this, Key);
  TButton::KeyPress(Key);
}

// ---------------------------------------------------------------- check box, radio group

void TiComponentEditorCheckBox::SetAsBoolean(bool Value) {
  TiEventBlock block(FBlockingEvents, {&OnClick});
  SetChecked(Value);
}

void TiComponentEditorCheckBox::Disable() {
  TiEventBlock block(FBlockingEvents, {&OnClick});
  SetEnabled(false);
  SetChecked(false);
}

void TiComponentEditorCheckBox::DoChange() {
  TiEditorTabKeys<TiCheckBox>::DoChange();
  if (!FBlockingEvents) TellEditorForm(this);
  if (OnClick) OnClick(this);
}

void TiComponentEditorCheckBox::DefaultHandler(TMessage& Message) {
  TiEditorTabKeys<TiCheckBox>::DefaultHandler(Message);
  if (Message.Msg == WM_GETDLGCODE) Message.Result = DLGC_WANTALLKEYS + DLGC_WANTTAB;
}

void TiComponentEditorRadioGroup::SetAsInteger(int Value) {
  TiEventBlock block(FBlockingEvents, {&OnClick, &OnChange});
  SetItemIndex(Value);
}

void TiComponentEditorRadioGroup::Disable() {
  TiEventBlock block(FBlockingEvents, {&OnClick});
  SetEnabled(false);
  SetItemIndex(-1);
}

void TiComponentEditorRadioGroup::Click() {
  TiRadioGroup::Click();
  if (!FBlockingEvents) TellEditorForm(this);
}

void TiComponentEditorRadioGroup::KeyPress(char32_t& Key) {
  EditorTabKey(this, Key);
  TiRadioGroup::KeyPress(Key);
}

// ---------------------------------------------------------------- combo box

void TiComponentEditorComboBox::SetAsInteger(int Value) {
  TiEventBlock block(FBlockingEvents, {&OnChange});
  SetItemIndex(Value);
}

void TiComponentEditorComboBox::SetAsString(const std::string& Value) {
  TiEventBlock block(FBlockingEvents, {&OnChange});
  SetText(Value);
}

void TiComponentEditorComboBox::Disable() {
  TiEventBlock block(FBlockingEvents, {&OnChange});
  SetEnabled(false);
  SetColor(clBtnFace);
  SetItemIndex(-1);
  SetText("");
}

void TiComponentEditorComboBox::Enable() {
  SetEnabled(true);
  SetColor(clWindow);
}

void TiComponentEditorComboBox::Click() {
  if (!FBlockingEvents) TellEditorForm(this);
}

void TiComponentEditorComboBox::DefaultHandler(TMessage& Message) {
  if (Message.Msg == CM_WANTSPECIALKEY) {
    Message.Result = Message.WParam == VK_LEFT || Message.WParam == VK_RIGHT ? 1 : 0;
    return;
  }
  TComboBox::DefaultHandler(Message);
  if (Message.Msg == WM_GETDLGCODE) Message.Result += DLGC_WANTTAB + DLGC_WANTARROWS;
}

void TiComponentEditorComboBox::KeyPress(char32_t& Key) {
  EditorTabKey(this, Key);
  TComboBox::KeyPress(Key);
}

// ---------------------------------------------------------------- list box

TiComponentEditorListBox::TiComponentEditorListBox(TComponent* AOwner)
    : TiEditorTabKeys<TCustomListBox>(AOwner) {
  SetStyle(lbOwnerDrawFixed);
  SetDragMode(dmAutomatic);
}

void TiComponentEditorListBox::DefaultHandler(TMessage& Message) {
  TiEditorTabKeys<TCustomListBox>::DefaultHandler(Message);
  if (Message.Msg == WM_GETDLGCODE) Message.Result = DLGC_WANTALLKEYS + DLGC_WANTTAB;
}

void TiComponentEditorListBox::SelectLast() {
  SetItemIndex(GetCount() - 1);
}

void TiComponentEditorListBox::DeleteSelectedObject() {
  const int index = GetItemIndex();
  if (GetCount() == 0 || index < 0) return;
  TObject* object = GetItems()->GetObject(index);
  GetItems()->Delete(index);
  if (object) object->Free();
  if (GetCount() > 0) SetItemIndex(index < GetCount() ? index : index - 1);
}

void TiComponentEditorListBox::DeleteObjectIndex(TObject* AObject) {
  const int found = GetItems()->IndexOfObject(AObject);
  if (found < 0) return;
  const int selected = GetItemIndex();
  GetItems()->Delete(found);
  if (GetCount() > 0) SetItemIndex(selected < GetCount() ? selected : GetCount() - 1);
}

bool TiComponentEditorListBox::DragOver(TObject* Source, int, int) {
  return Source == this;
}

void TiComponentEditorListBox::DragDrop(TObject* Source, int, int Y) {
  if (Source != this || GetCount() == 0) return;
  const int h = std::max(GetItemHeight(), 1);
  const int target = std::min((Y + GetTopIndex() * h) / h, GetCount() - 1);
  const int from = GetItemIndex();
  if (from < 0 || target == from) return;
  GetItems()->Move(from, target);
  SetItemIndex(target);
  if (OnItemMove) OnItemMove(this);
}

void TiComponentEditorListBox::DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) {
  if (OnDrawItem) {
    TCustomListBox::DrawItem(Index, Rect, State);
    return;
  }
  bool drawColorBox = true;
  TColor color = 255;
  std::string text = Index >= 0 && Index < GetCount() ? GetItems()->Get(Index) : std::string();
  if (OnGetData) OnGetData(Index, drawColorBox, color, text);
  TCanvas* c = GetCanvas();
  const bool selected = State.Contains(odSelected);
  c->Brush->SetStyle(bsSolid);
  c->Brush->SetColor(selected ? static_cast<TColor>(0x808000) : clWindow);
  c->Font->SetColor(selected ? clWhite : clBlack);
  c->FillRect(Rect);
  c->TextOut(Rect.Left + (drawColorBox ? 22 : 2), Rect.Top, text);
  if (drawColorBox) {
    c->Pen->SetStyle(psSolid);
    c->Pen->SetColor(clBlack);
    c->Brush->SetColor(color);
    c->Rectangle(Rect.Left + 2, Rect.Top + 1, Rect.Left + 18, Rect.Bottom - 1);
  }
}

// ---------------------------------------------------------------- paint box

TButton* NewEditorFormButton(TComponent* Owner, TWinControl* Parent, const std::string& Name,
                             const std::string& Caption, TModalResult Result, int Left, int Top) {
  auto* button = new TButton(Owner);
  button->SetName(Name);
  button->SetParent(Parent);
  button->SetCaption(Caption);
  button->SetModalResult(Result);
  button->SetBounds(Left, Top, 75, 25);
  return button;
}

void TiPaintBox::Paint() {
  if (OnPaint) OnPaint(this);
}
