#include "instruments/base/iComponent.h"

#include "instruments/base/iDrawing.h"
#include "instruments/base/iPropertyText.h"
#include "instruments/base/iUpdateObject.h"
#include "platform/classlib/AnsiTextFile.h"

namespace {

const TiRegisterProperties<TiComponent, TControl> kProperties([](TiPropertyBuilder<TiComponent>& b) {
  b.Add("OptionSaveAllProperties", &TiComponent::GetOptionSaveAllProperties,
        &TiComponent::SetOptionSaveAllProperties, 0);
  b.Add("AutoFrameRate", &TiComponent::GetAutoFrameRate, &TiComponent::SetAutoFrameRate, 0);
  b.Add("UpdateFrameRate", &TiComponent::GetUpdateFrameRate, &TiComponent::SetUpdateFrameRate, 60);
});

}  // namespace

TiComponent::TiComponent(TComponent* AOwner)
    : TCustomControl(AOwner), FLastUpdate(Now()), FErrorFont(std::make_unique<TFont>()) {
  SetControlStyle(GetControlStyle() +
                  TControlStyle{csCaptureMouse, csClickEvents, csOpaque, csDoubleClicks, csReplicatable});
  FErrorFont->SetColor(0x0000FF);
  FErrorFont->SetStyle(TFontStyles{fsBold});
  FErrorFont->OnChange = [this](TGraphicsObject*) { InvalidateChange(); };
  iAddUpdateControl(this);
}

TiComponent::~TiComponent() {
  FErrorFont->OnChange = nullptr;
  iRemoveUpdateControl(this);
}

// ---------------------------------------------------------------- setters

void TiComponent::DoRepaintKind(TiRepaintKind Kind) {
  if (Kind == irkInvalidate)
    InvalidateChange();
  else if (Kind == irkBackGround)
    BackGroundChange();
}

void TiComponent::SetBooleanProperty(bool Value, bool& Field, TiRepaintKind Kind) {
  if (Field == Value) return;
  Field = Value;
  DoRepaintKind(Kind);
}

void TiComponent::SetIntegerProperty(int Value, int& Field, TiRepaintKind Kind) {
  if (Field == Value) return;
  Field = Value;
  DoRepaintKind(Kind);
}

void TiComponent::SetStringProperty(const std::string& Value, std::string& Field, TiRepaintKind Kind) {
  if (Field == Value) return;
  Field = Value;
  DoRepaintKind(Kind);
}

void TiComponent::SetColorProperty(TColor Value, TColor& Field, TiRepaintKind Kind) {
  if (Field == Value) return;
  Field = Value;
  DoRepaintKind(Kind);
}

bool TiComponent::CanEditProperty(const std::string& PropName) {
  bool canEdit = true;
  if (OnRequestEdit) OnRequestEdit(this, PropName, canEdit);
  return canEdit;
}

void TiComponent::DoChangeProtected(const std::string& PropName) {
  if (OnChangeProtected) OnChangeProtected(this, PropName);
}

void TiComponent::SetAutoFrameRate(bool Value) {
  if (FAutoFrameRate == Value) return;
  FAutoFrameRate = Value;
  if (Value)
    BackGroundChange();
  else
    EndUpdate();
}

void TiComponent::SetUpdateFrameRate(int Value) {
  SetIntegerProperty(Value, FUpdateFrameRate, irkBackGround);
}

void TiComponent::SetBackGroundColor(TColor Value) {
  SetColorProperty(Value, FBackGroundColor, irkBackGround);
}

void TiComponent::SetBorderStyle(TiBevelStyle Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  BackGroundChange();
}

void TiComponent::SetCachedDrawing(bool Value) {
  if (FCachedDrawing == Value) return;
  FCachedDrawing = Value;
  BackGroundChange();
  if (!Value) FBackGroundBitmap.reset();
}

void TiComponent::SetEnabled(bool Value) {
  TCustomControl::SetEnabled(Value);
  BackGroundChange();
}

void TiComponent::SetErrorActive(bool Value) {
  SetBooleanProperty(Value, FErrorActive, irkBackGround);
}

TBitmap* TiComponent::GetBackGroundBitmap() {
  if (!FBackGroundBitmap) FBackGroundBitmap = std::make_unique<TBitmap>(GetWidth(), GetHeight());
  return FBackGroundBitmap.get();
}

void TiComponent::SetBackGroundPicture(const TBitmap* Value) {
  if (Value) {
    FBackGroundPicture = std::make_unique<TBitmap>();
    FBackGroundPicture->Assign(Value);
  } else {
    FBackGroundPicture.reset();
  }
  BackGroundChange();
}

TPoint TiComponent::GetCenterPoint() const {
  return {GetWidth() / 2 + FOffsetX, GetHeight() / 2 + FOffsetY};
}

bool TiComponent::GetIsDesigning() const {
  bool designing = GetComponentState().Contains(csDesigning);
  if (OnGetDesigning) OnGetDesigning(const_cast<TiComponent*>(this), designing);
  return designing;
}

bool TiComponent::IsLoading() const {
  return FLoading || GetComponentState().Contains(csLoading);
}

TTypeKind TiComponent::GetPropertyKind(const std::string& PropertyName) {
  return FindPropertyKind(this, "", PropertyName);
}

// ---------------------------------------------------------------- repaint requests

void TiComponent::InvalidateNow() {
  FNeedsRepaint = false;
  FLastUpdate = Now();
  Invalidate();
}

void TiComponent::InvalidateIfDue() {
  if (FAutoFrameRate && FUpdateFrameRate != 0 && Now() <= FLastUpdate + 1.0 / (FUpdateFrameRate * 86400.0))
    return;
  InvalidateNow();
}

void TiComponent::InvalidateChange() {
  if (FUpdateActive) {
    FNeedsRepaint = true;
  } else if (FAutoFrameRate) {
    FNeedsRepaint = true;
    InvalidateIfDue();
  } else {
    InvalidateNow();
  }
}

void TiComponent::BackGroundChange() {
  FBackGroundChanged = true;
  InvalidateChange();
}

void TiComponent::BeginUpdate() {
  FUpdateActive = true;
}

void TiComponent::EndUpdate() {
  FUpdateActive = false;
  if (FNeedsRepaint) InvalidateIfDue();
}

// ---------------------------------------------------------------- painting

void TiComponent::Paint() {
  Lock();
  try {
    auto offScreen = std::make_unique<TBitmap>();
    offScreen->SetPixelFormat(pf32bit);
    offScreen->SetSize(GetWidth(), GetHeight());
    TCanvas* canvas = offScreen->GetCanvas();
    // Cleared to transparent: what the control leaves undrawn shows what
    // lies beneath it.
    canvas->Brush->SetStyle(bsSolid);
    canvas->Brush->SetColor(clNone);
    canvas->FillRect(GetClientRect());
    canvas->Pen->SetStyle(psSolid);
    try {
      iPaintToCanvas(canvas);
    } catch (const Exception& e) {
      TRect r = GetClientRect();
      canvas->Brush->SetStyle(bsSolid);
      canvas->Brush->SetColor(clBlack);
      canvas->FillRect(r);
      canvas->Font->SetColor(clWhite);
      canvas->Brush->SetStyle(bsClear);
      DrawTextWithFlags(canvas, e.what(), r, clBtnFace, true, iTextFlagWordBreak);
    }
    if (OnPaint) OnPaint(this, canvas);
    GetCanvas()->Draw(0, 0, offScreen.get());
  } catch (const Exception&) {
    // A paint never raises: the next one tries again.
  }
  Unlock();
}

void TiComponent::DrawBackGround(TCanvas* Canvas, TColor Color) {
  FBackGroundChanged = false;
  if (FBackGroundPicture && FBackGroundPicture->GetWidth() != 0) {
    Canvas->StretchDraw(Rect(0, 0, GetWidth(), GetHeight()), FBackGroundPicture.get());
    return;
  }
  Canvas->Brush->SetStyle(bsSolid);
  Canvas->Brush->SetColor(Color);
  Canvas->FillRect(Rect(0, 0, GetWidth(), GetHeight()));
  DrawBorder(Canvas);
}

void TiComponent::DrawBorder(TCanvas* Canvas) {
  const TRect r = Rect(0, 0, GetWidth(), GetHeight());
  if (FBorderStyle == ibsRaised)
    DrawBevel(Canvas, r, iBevelRaised);
  else if (FBorderStyle == ibsLowered)
    DrawBevel(Canvas, r, iBevelLowered);
}

void TiComponent::SaveImageToBitmap(const std::string& FileName) {
  HandleNeeded();
  TBitmap bitmap(GetWidth(), GetHeight());
  iPaintToCanvas(bitmap.GetCanvas());
  bitmap.SaveToFile(FileName);
}

// ---------------------------------------------------------------- input

template <class F>
void TiComponent::AsUser(F&& fn) {
  FUserGenerated = true;
  try {
    fn();
  } catch (...) {
    FUserGenerated = false;
    throw;
  }
  FUserGenerated = false;
}

void TiComponent::DoSetFocus() {
  FHasFocus = true;
  Invalidate();
}

void TiComponent::DoKillFocus() {
  FHasFocus = false;
  try {
    iMouseUp(mbLeft, TShiftState(), 0, 0);  // ends a drag in progress
  } catch (const Exception&) {}
  Invalidate();
}

void TiComponent::DoEnter() {
  AsUser([&] { DoSetFocus(); });
  TCustomControl::DoEnter();
}

void TiComponent::DoExit() {
  AsUser([&] { DoKillFocus(); });
  TCustomControl::DoExit();
}

void TiComponent::KeyDown(std::uint16_t& Key, TShiftState Shift) {
  AsUser([&] {
    try {
      TCustomControl::KeyDown(Key, Shift);
      iKeyDown(Key, Shift);
    } catch (const Exception&) {}
  });
}

void TiComponent::KeyUp(std::uint16_t& Key, TShiftState Shift) {
  AsUser([&] {
    try {
      TCustomControl::KeyUp(Key, Shift);
      iKeyUp(Key, Shift);
    } catch (const Exception&) {}
  });
}

void TiComponent::KeyPress(char32_t& Key) {
  AsUser([&] {
    try {
      TCustomControl::KeyPress(Key);
      iKeyPress(Key);
    } catch (const Exception&) {}
  });
}

void TiComponent::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  AsUser([&] {
    iMouseDown(Button, Shift, X, Y);
    TCustomControl::MouseDown(Button, Shift, X, Y);
  });
}

void TiComponent::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  AsUser([&] {
    iMouseUp(Button, Shift, X, Y);
    TCustomControl::MouseUp(Button, Shift, X, Y);
  });
}

void TiComponent::MouseMove(TShiftState Shift, int X, int Y) {
  AsUser([&] {
    iMouseMove(Shift, X, Y);
    TCustomControl::MouseMove(Shift, X, Y);
  });
}

void TiComponent::DblClick() {
  AsUser([&] {
    iDoubleClick();
    TCustomControl::DblClick();
  });
}

bool TiComponent::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
  bool handled = false;
  AsUser([&] { handled = iMouseWheel(WheelDelta, Shift, MousePos); });
  return handled || TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos);
}

void TiComponent::iKeyUp(std::uint16_t&, TShiftState) {}
void TiComponent::iKeyDown(std::uint16_t&, TShiftState) {}
void TiComponent::iKeyPress(char32_t&) {}
void TiComponent::iMouseDown(TMouseButton, TShiftState, int, int) {}
void TiComponent::iMouseUp(TMouseButton, TShiftState, int, int) {}
void TiComponent::iMouseMove(TShiftState, int, int) {}
void TiComponent::iDoubleClick() {}
bool TiComponent::iMouseWheel(int, TShiftState, TPoint) {
  return false;
}

// ---------------------------------------------------------------- properties file

void TiComponent::SavePropertiesToFile(const std::string& FileName) {
  try {
    TStringList exclude;
    exclude.Add("Name");
    if (!FOptionSaveAllProperties)
      for (const char* name : {"Left", "Top", "Width", "Height", "Align", "Cursor", "ShowHint", "Tag",
                               "Visible", "Enabled", "Hint", "HelpContext", "HelpKeyword"})
        exclude.Add(name);
    TStringList lines;
    lines.Add("File Type = " + ClassName());
    WritePropertiesText(this, "", &lines, false, &exclude);
    WriteStreamedCollections(&lines);
    SaveAnsiTextFile(FileName, &lines);
  } catch (const std::exception& e) {
    throw Exception(std::string("Error Saving Properties - ") + e.what());
  }
}

void TiComponent::LoadPropertiesFromFile(const std::string& FileName) {
  try {
    TStringList lines;
    LoadAnsiTextFile(FileName, &lines);
    BeginUpdate();
    try {
      ReadStreamedCollections(&lines);
      ReadPropertiesText(this, "", &lines);
    } catch (...) {
      // A failed load still leaves the control able to repaint.
      EndUpdate();
      throw;
    }
    EndUpdate();
  } catch (const std::exception& e) {
    throw Exception(std::string("Error Loading Properties - ") + e.what());
  }
}
